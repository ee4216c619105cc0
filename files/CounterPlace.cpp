#include "files/CounterPlace.h"

#include <QDir>
#include <QFileInfo>

namespace velars {

namespace {

// On Linux only '/' separates folders: '\\' and ':' are ordinary characters
// of a file name there.
qsizetype LastSeparator(const QString& path) { return path.lastIndexOf(u'/'); }

const QString kUserFolder = QStringLiteral("velars-tp");
const QString kUserCounter = QStringLiteral("velars-tp_nr.ini");

bool InstalledForEveryUser(PlatformServices& platform, const QString& programFolder) {
    const QString folder = programFolder.isEmpty() ? QStringLiteral(".") : programFolder;
    if (QDir::cleanPath(folder) == QDir::cleanPath(platform.InstalledBinaryFolder())) return true;
    return !platform.UserOwnsFolder(folder) && !platform.UserMayWriteFolder(folder);
}

}  // namespace

QString CounterFilePath(const QString& executablePath) {
    const qsizetype dot = executablePath.lastIndexOf(u'.');
    const QString stem = dot > LastSeparator(executablePath) ? executablePath.left(dot)
                                                             : executablePath;
    return stem + QStringLiteral("_nr.ini");
}

QString ProgramFolder(const QString& executablePath) {
    return executablePath.left(LastSeparator(executablePath) + 1);
}

namespace {

CounterPlace PlaceOf(PlatformServices& platform, const QString& executable) {
    const QString programFolder = ProgramFolder(executable);
    CounterPlace place;
    if (!InstalledForEveryUser(platform, programFolder)) {
        place.folder = programFolder;
        place.counterFile = CounterFilePath(executable);
        return place;
    }
    place.perUser = true;
    place.folder = QDir::cleanPath(platform.UserDataFolder() + u'/' + kUserFolder) + u'/';
    place.counterFile = place.folder + kUserCounter;
    place.seedFile = CounterFilePath(executable);
    return place;
}

}  // namespace

CounterPlace FindCounterPlace(PlatformServices& platform) {
    return PlaceOf(platform, platform.ExecutablePath());
}

CounterPlace FindCounterPlaceOf(PlatformServices& platform, const QString& programName) {
    return PlaceOf(platform, ProgramFolder(platform.ExecutablePath()) + programName);
}

CounterPlace CounterPlaceOfFile(const QString& counterFile) {
    const QFileInfo info(counterFile);
    CounterPlace place;
    place.counterFile = info.absoluteFilePath();
    place.folder = ProgramFolder(place.counterFile);
    return place;
}

}  // namespace velars
