#include "platform/QtPlatformServices.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <sys/stat.h>
#include <unistd.h>

#include "numbers/LocaleSeparators.h"
#include "platform/ProgramModules.h"

namespace velars {

namespace {

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0u) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The buttons of the low nibble, and the one Escape and the close box give.
struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape;
};

ButtonSet ButtonsOf(unsigned style) {
    switch (style & 0x0Fu) {
    case MB_OKCANCEL: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
    case MB_YESNO: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton};
    default: return {QMessageBox::Ok, QMessageBox::Ok};
    }
}

int ResultOf(int button) {
    switch (button) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
    }
}

}  // namespace

int QtPlatformServices::MessageBox(const QString& text, const QString& caption, unsigned style,
                                   BoxOwner owner) {
    QWidget* parent = owner == BoxOwner::MainWindow ? mainWindow_.data() : nullptr;
    QMessageBox box(IconOf(style), FromNarrow(ToNarrow(caption)), FromNarrow(ToNarrow(text)),
                    QMessageBox::NoButton, parent);
    const ButtonSet set = ButtonsOf(style);
    box.setStandardButtons(set.buttons);
    if (set.escape != QMessageBox::NoButton) box.setEscapeButton(set.escape);
    // Windows makes the first button the default one.
    for (const QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes}) {
        if (set.buttons.testFlag(b)) {
            box.setDefaultButton(b);
            break;
        }
    }
    if (!parent) box.setWindowModality(Qt::ApplicationModal);
    return ResultOf(box.exec());
}

bool QtPlatformServices::ExecuteSaveDialog(QString& fileName, const QString& filter,
                                           QString* selectedFilter) {
    QString chosenFilter;
    const QString name = QFileDialog::getSaveFileName(mainWindow_.data(), QString(), fileName,
                                                      filter, &chosenFilter);
    if (name.isEmpty()) return false;
    fileName = name;
    if (selectedFilter) *selectedFilter = chosenFilter;
    return true;
}

QString QtPlatformServices::DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

QSize QtPlatformServices::Monitor0Size() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() ? QSize() : screens.at(0)->geometry().size();
}

Separators QtPlatformServices::LocaleSeparators() { return SystemSeparators(); }

QByteArray QtPlatformServices::ToNarrow(const QString& text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QString QtPlatformServices::FromNarrow(const QByteArray& text) {
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(text);
}

QString QtPlatformServices::ExecutablePath() { return QCoreApplication::applicationFilePath(); }

QDate QtPlatformServices::Today() { return QDate::currentDate(); }

QString QtPlatformServices::InstalledBinaryFolder() {
    const QString folder = QStringLiteral(VELARS_INSTALL_BINDIR);
    // /bin is /usr/bin on a merged-/usr system: compare real paths.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

bool QtPlatformServices::UserOwnsFolder(const QString& folder) {
    struct stat info {};
    return ::stat(QFile::encodeName(folder).constData(), &info) == 0 && info.st_uid == ::geteuid();
}

bool QtPlatformServices::UserMayWriteFolder(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

QString QtPlatformServices::UserDataFolder() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
}

void QtPlatformServices::SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QFunctionPointer QtPlatformServices::LoadModule(const QString& name, const char* entry,
                                                QString& missing) {
    return LoadProgramModule(ExecutablePath(), name, entry, missing);
}

}  // namespace velars
