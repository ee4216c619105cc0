#include "files/CounterLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "files/CounterPlace.h"
#include "numbers/Exception.h"

namespace velars {

namespace {

using Clock = std::chrono::steady_clock;

// The folder refuses us the lock file: the counter cannot be stored there
// either, so the folder check, not the lock, has the last word.
bool FolderRefusesWriting(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENOENT;
}

}  // namespace

CounterLock::CounterLock(PlatformServices& platform, std::chrono::milliseconds wait) {
    const CounterPlace place = FindCounterPlace(platform);
    // The user's own folder comes into being with the first report.
    if (place.perUser) QDir().mkpath(place.folder);
    Acquire(place.counterFile, wait);
}

CounterLock::CounterLock(const QString& counterFile, std::chrono::milliseconds wait) {
    Acquire(counterFile, wait);
}

CounterLock::~CounterLock() { Release(); }

void CounterLock::Release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing the last descriptor of the open file unlocks it
    fd_ = -1;
}

QString CounterLock::LockFilePath(const QString& counterFile) {
    return counterFile + QStringLiteral(".lock");
}

void CounterLock::Acquire(const QString& counterFile, std::chrono::milliseconds wait) {
    const QString path = LockFilePath(counterFile);
    const QByteArray name = QFile::encodeName(path);
    // A symbolic link is not followed: the lock must never create or hold a
    // file elsewhere.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        const int error = errno;
        if (FolderRefusesWriting(error)) return;
        throw Exception(
            QStringLiteral("Не удалось открыть файл блокировки счетчика отчетов %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
    }
    const Clock::time_point deadline = Clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
    throw Exception(
        QStringLiteral(
            "Счетчик отчетов занят другим расчетом дольше %1 с (%2); номер отчета не выдан")
            .arg(wait.count() / 1000.0, 0, 'g', 3)
            .arg(QDir::toNativeSeparators(path)));
}

}  // namespace velars
