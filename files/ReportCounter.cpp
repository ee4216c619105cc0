#include "files/ReportCounter.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "files/IniFile.h"
#include "numbers/Exception.h"

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

// Creates and deletes "temp.tp" in the folder (narrow path with its
// trailing separator): whether files can be made there.
bool FolderTakesFiles(const QByteArray& folder) {
    const QByteArray testFile = folder + "temp.tp";
    std::FILE* fileTemp = OpenTestFile(testFile);
    if (!fileTemp) return false;
    std::fclose(fileTemp);
    ::unlink(testFile.constData());
    return true;
}

}  // namespace

bool CheckProgramFolder(PlatformServices& platform, SaveLocation& location, CounterLock* heldLock) {
    const CounterPlace place = FindCounterPlace(platform);
    const QString& folder = place.folder;
    // The user's own folder comes into being with the first report.
    if (place.perUser) QDir().mkpath(folder);
    if (FolderTakesFiles(platform.ToNarrow(folder))) {
        location.pathLog = platform.ToNarrow(folder);
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
    return LoadReportNumber(FindCounterPlace(platform));
}

std::int32_t LoadReportNumber(const CounterPlace& place) {
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

std::int32_t TakeReportNumber(const CounterPlace& place, std::chrono::milliseconds lockWait) {
    if (place.perUser) QDir().mkpath(place.folder);
    CounterLock lock(place.counterFile, lockWait);
    const std::int32_t number = LoadReportNumber(place);
    if (!FolderTakesFiles(QFile::encodeName(place.folder)))
        throw Exception(QStringLiteral("the folder of the report counter %1 cannot be written: "
                                       "the next number cannot be stored")
                            .arg(QDir::toNativeSeparators(place.counterFile)));
    const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) + 1u);
    IniFile(place.counterFile).WriteInteger(kSection, kKey, next);
    return number;
}

}  // namespace velars
