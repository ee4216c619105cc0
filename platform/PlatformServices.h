#pragma once
// Every service the calculator takes from the system. The program uses the Qt
// implementation (QtPlatformServices); tests use FakePlatformServices, which
// records each call and plays back scripted answers. No other code may call
// QMessageBox, QFileDialog or QScreen.

#include <QByteArray>
#include <QDate>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include "numbers/Separators.h"

namespace velars {

// Message box styles, as the Windows MessageBox flags the program was written
// against: the low nibble is the button set, the next one the icon.
enum MessageBoxStyle : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

// Buttons a message box returns.
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Who owns a modal message box.
enum class BoxOwner {
    None,         // no owner window
    Application,  // the application's own hidden window
    MainWindow,   // the calculator window
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // A modal message box; the text and caption pass through the narrow code
    // page on their way, as the system's ANSI message box does. Returns the
    // button pressed (1 = OK).
    virtual int MessageBox(const QString& text, const QString& caption, unsigned style,
                           BoxOwner owner) = 0;

    // The save-file dialog. `fileName` holds the dialog's FileName: the last
    // confirmed name, replaced when the user confirms. `filter` is a Qt name
    // filter list ("ODF text (*.odt);;PDF (*.pdf)"), empty for none; the
    // filter the user chose is written to `selectedFilter` when given.
    // Returns true on confirm.
    virtual bool ExecuteSaveDialog(QString& fileName, const QString& filter = {},
                                   QString* selectedFilter = nullptr) = 0;

    // The user's Documents folder, where a save dialog that has no file yet
    // starts; empty when the system names none.
    virtual QString DocumentsFolder() = 0;

    // Full size of monitor 0 in pixels (not the work area, not its position).
    virtual QSize Monitor0Size() = 0;

    // The user's decimal and group separators.
    virtual Separators LocaleSeparators() = 0;

    // The narrow (ANSI) code page: text on its way to a narrow interface.
    virtual QByteArray ToNarrow(const QString& text) = 0;
    virtual QString FromNarrow(const QByteArray& text) = 0;

    // Full path of the running executable.
    virtual QString ExecutablePath() = 0;

    // Today's local date.
    virtual QDate Today() = 0;

    // Where the program is installed for every user and where each user keeps
    // its own data; these decide where the report counter lives.

    // The binary folder of the installation this program was built for
    // (/usr/bin for the Debian package), canonical, without a trailing '/'.
    virtual QString InstalledBinaryFolder() = 0;
    // Whether the folder belongs to the user running the program.
    virtual bool UserOwnsFolder(const QString& folder) = 0;
    // Whether the user may create files in the folder (root may everywhere).
    virtual bool UserMayWriteFolder(const QString& folder) = 0;
    // The user's own data folder: $XDG_DATA_HOME when it is an absolute
    // path, else ~/.local/share; without a trailing '/'.
    virtual QString UserDataFolder() = 0;

    // Puts plain text on the system clipboard.
    virtual void SetClipboardText(const QString& text) = 0;

    // The program's modules: shared libraries of its own that it loads when
    // first used (the report servers, the loss curve window), so that the
    // window starts without them. The address of the function `entry` of the
    // module file `name` (loaded now when it is not yet; it stays loaded), or
    // null with what is missing in `missing`: the module, a library it needs,
    // or the function.
    virtual QFunctionPointer LoadModule(const QString& name, const char* entry,
                                        QString& missing) = 0;
};

}  // namespace velars
