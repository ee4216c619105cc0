#pragma once
// The test double of the system services: records every call it receives and
// plays back answers scripted by the test. Nothing here touches a window, a
// screen or the system locale, so tests run the same on every machine.

#include <QByteArray>
#include <QDate>
#include <QSize>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "numbers/Separators.h"
#include "platform/PlatformServices.h"

namespace velars {

class FakePlatformServices : public PlatformServices {
public:
    // One message box as the user would have seen it: text and caption after
    // their trip through the narrow code page.
    struct MessageBoxCall {
        QString text;
        QString caption;
        unsigned style = 0;
        BoxOwner owner = BoxOwner::None;
    };

    // One save dialog: the FileName it was opened with and its filter.
    struct SaveDialogCall {
        QString fileName;
        QString filter;
    };

    // What the user does in the next save dialog.
    struct SaveDialogAnswer {
        bool confirm = false;
        QString fileName;        // the name confirmed
        QString selectedFilter;  // the filter chosen; empty = the first of the list
        static SaveDialogAnswer Confirm(QString name, QString filter = {}) {
            return {true, std::move(name), std::move(filter)};
        }
        static SaveDialogAnswer Cancel() { return {}; }
    };

    // --- PlatformServices -------------------------------------------------

    // Records the box and returns the next queued answer, IDOK when none is left.
    int MessageBox(const QString& text, const QString& caption, unsigned style,
                   BoxOwner owner) override;

    // Records the dialog and plays the next queued answer; cancels when none
    // is left. A confirmed name replaces `fileName`; a cancel leaves it alone.
    bool ExecuteSaveDialog(QString& fileName, const QString& filter = {},
                           QString* selectedFilter = nullptr) override;

    QString DocumentsFolder() override { return documentsFolder; }
    QSize Monitor0Size() override { return monitorSize; }
    Separators LocaleSeparators() override { return separators; }

    // UTF-8 both ways. With a narrow repertoire set, every character outside
    // it becomes '?' on its way to narrow text, as an ANSI code page does with
    // characters it cannot represent.
    QByteArray ToNarrow(const QString& text) override;
    QString FromNarrow(const QByteArray& text) override;

    QString ExecutablePath() override { return executablePath; }
    QDate Today() override { return today; }
    void SetClipboardText(const QString& text) override { clipboard.push_back(text); }

    QString InstalledBinaryFolder() override { return installedBinaryFolder; }
    // Every folder is the user's and writable unless listed below.
    bool UserOwnsFolder(const QString& folder) override;
    bool UserMayWriteFolder(const QString& folder) override;
    QString UserDataFolder() override { return userDataFolder; }
    // Records the module and answers from `modules`; any other module is
    // missing, with `moduleMissing` as the reason.
    QFunctionPointer LoadModule(const QString& name, const char* entry, QString& missing) override;

    // --- Scripting -----------------------------------------------------------

    void QueueMessageBoxResult(int result) { messageBoxAnswers.push_back(result); }
    void QueueSaveConfirm(const QString& name, const QString& filter = {}) {
        saveDialogAnswers.push_back(SaveDialogAnswer::Confirm(name, filter));
    }
    void QueueSaveCancel() { saveDialogAnswers.push_back(SaveDialogAnswer::Cancel()); }

    // Limits the narrow code page to `characters` (nullopt: all of Unicode).
    void SetNarrowRepertoire(std::optional<QString> characters) {
        narrowRepertoire = std::move(characters);
    }
    // The characters of Windows code page 1251 (Cyrillic): ASCII, the
    // Cyrillic letters and the punctuation of its upper half.
    static QString Cp1251Repertoire();

    // Forgets the recorded calls; the scripted answers and settings stay.
    void ClearCalls() {
        messageBoxes.clear();
        saveDialogs.clear();
    }

    // --- State, open to tests ----------------------------------------------

    std::vector<MessageBoxCall> messageBoxes;  // every box, in order
    std::vector<SaveDialogCall> saveDialogs;   // every save dialog, in order
    std::vector<QString> clipboard;            // every text put on the clipboard, in order
    std::vector<QString> modulesLoaded;        // every module asked for, in order
    std::deque<int> messageBoxAnswers;
    // Runs while a box is up, before it is answered: what happens meanwhile
    // (another program, another report) while the user reads it.
    std::function<void()> onMessageBox;
    std::deque<SaveDialogAnswer> saveDialogAnswers;

    QString documentsFolder;  // none
    QSize monitorSize{1920, 1080};
    Separators separators;  // ',' and U+00A0
    // A folder that does not exist, so that a test that forgets to set it
    // never writes beside the test binary.
    QString executablePath = QStringLiteral("/nonexistent/velars-tp/velars-tp");
    QDate today{2024, 3, 15};
    std::optional<QString> narrowRepertoire;  // nullopt: identity round trip

    // The installation and the user: folders are compared without a trailing '/'.
    QString installedBinaryFolder = QStringLiteral("/usr/bin");
    std::vector<QString> foreignFolders;   // folders of another owner (root's)
    std::vector<QString> readOnlyFolders;  // folders the user may not write
    // Like the executable: a folder that does not exist unless a test sets it.
    QString userDataFolder = QStringLiteral("/nonexistent/home/.local/share");

    // The modules there are: file name -> the address of their entry.
    std::map<QString, QFunctionPointer> modules;
    QString moduleMissing = QStringLiteral("module not found");
};

}  // namespace velars
