#pragma once
// The system services of the running program, on Qt Widgets: message boxes,
// the save dialog, the screen, the user's locale and the narrow code page.

#include <QPointer>
#include <QWidget>

#include "platform/PlatformServices.h"

namespace velars {

class QtPlatformServices : public PlatformServices {
public:
    // The window that owns boxes of BoxOwner::MainWindow and the save dialog;
    // none until set (then they have no parent).
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    // QMessageBox with the icon and the buttons of the Windows style value.
    int MessageBox(const QString& text, const QString& caption, unsigned style,
                   BoxOwner owner) override;
    // QFileDialog::getSaveFileName, opened at the last confirmed name.
    bool ExecuteSaveDialog(QString& fileName, const QString& filter = {},
                           QString* selectedFilter = nullptr) override;
    // The desktop's Documents folder (XDG_DOCUMENTS_DIR, else ~/Documents)
    // when it exists, else the home folder.
    QString DocumentsFolder() override;
    // The full geometry of the first screen; an empty size without screens.
    QSize Monitor0Size() override;
    Separators LocaleSeparators() override;
    // The system code page of Qt (QStringConverter::System). On Linux Qt
    // takes the locale's character set to be UTF-8 whatever LANG says, so on
    // Debian this is a UTF-8 round trip: no character is lost.
    QByteArray ToNarrow(const QString& text) override;
    QString FromNarrow(const QByteArray& text) override;
    QString ExecutablePath() override;
    QDate Today() override;
    // The binary folder that CMake installs into (VELARS_INSTALL_BINDIR).
    QString InstalledBinaryFolder() override;
    bool UserOwnsFolder(const QString& folder) override;
    bool UserMayWriteFolder(const QString& folder) override;
    QString UserDataFolder() override;
    void SetClipboardText(const QString& text) override;
    // LoadProgramModule for this executable.
    QFunctionPointer LoadModule(const QString& name, const char* entry, QString& missing) override;

private:
    QPointer<QWidget> mainWindow_;
};

}  // namespace velars
