#include "files/ReportCounter.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "files/IniFile.h"

namespace velars {

namespace {

// fopen(path, "w"), except that a symbolic link at the path is not followed:
// the truncation that "w" implies must never reach a file elsewhere.
std::FILE* OpenTestFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                          0666);
    if (fd < 0) return nullptr;
    std::FILE* stream = ::fdopen(fd, "w");
    if (!stream) ::close(fd);
    return stream;
}

const QString kSection = QStringLiteral("namber");
const QString kKey = QStringLiteral("n");

}  // namespace

bool CheckProgramFolder(PlatformServices& platform, SaveLocation& location, CounterLock* heldLock) {
    const CounterPlace place = FindCounterPlace(platform);
    const QString& folder = place.folder;
    // The user's own folder comes into being with the first report.
    if (place.perUser) QDir().mkpath(folder);
    const QByteArray testFile = platform.ToNarrow(folder + QStringLiteral("temp.tp"));
    if (std::FILE* fileTemp = OpenTestFile(testFile)) {
        location.pathLog = platform.ToNarrow(folder);
        std::fclose(fileTemp);
        ::unlink(testFile.constData());
        return true;
    }
    if (heldLock) heldLock->Release();
    platform.MessageBox(QStringLiteral("В папку с программой сохранить Log-файл нельзя,\n"
                                       " выбирите другой путь для сохранения Log-файла."),
                        QStringLiteral("Внимание!"), MB_OK | MB_ICONEXCLAMATION,
                        BoxOwner::MainWindow);
    platform.ExecuteSaveDialog(location.saveDialogFileName);
    location.pathLog = platform.ToNarrow(location.saveDialogFileName);
    return false;
}

std::int32_t LoadReportNumber(PlatformServices& platform) {
    const CounterPlace place = FindCounterPlace(platform);
    // Only a regular file counts: not a folder, and not a pipe or a device
    // that reading could hang on.
    QString path = place.counterFile;
    if (!QFileInfo(path).isFile() && !place.seedFile.isEmpty()) path = place.seedFile;
    if (!QFileInfo(path).isFile()) return 1;
    return IniFile(path).ReadInteger(kSection, kKey, 1);
}

void SaveReportNumber(PlatformServices& platform, SaveLocation& location, std::int32_t value,
                      CounterLock* heldLock) {
    if (!CheckProgramFolder(platform, location, heldLock)) return;
    IniFile(FindCounterPlace(platform).counterFile).WriteInteger(kSection, kKey, value);
}

}  // namespace velars
