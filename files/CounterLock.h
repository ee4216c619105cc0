#pragma once
// The report counter's lock across processes: from reading a report's number
// to storing the next, one report step holds it, so that two windows, or a
// window and the command-line tool, never give two reports the same number.
//
// The lock is flock(2) on "<counter file>.lock" beside the counter (made on
// first use, never deleted: deleting a lock file races with its next user).
// It is held by the open file, so two locks in one process exclude each
// other as two processes do, and a process that dies releases it.
//
// Waiting is bounded: when the lock is not free within the bound, the
// constructor throws Exception with a message that names the lock file.
// Where the lock file cannot be made because the counter's folder does not
// let us write (or does not exist and cannot be made), no lock is taken and
// nothing is thrown: the next number cannot be stored there either, and the
// folder check says so to the user. Any other failure to open it throws.

#include <QString>
#include <chrono>

#include "platform/PlatformServices.h"

namespace velars {

// How long a report step waits for another one to store its number.
inline constexpr std::chrono::milliseconds kCounterLockWait{10000};

class CounterLock {
public:
    // Locks the counter of the running program (CounterPlace.h says where).
    CounterLock(PlatformServices& platform, std::chrono::milliseconds wait = kCounterLockWait);
    // Locks the counter `counterFile` (a path, the lock file beside it).
    explicit CounterLock(const QString& counterFile,
                         std::chrono::milliseconds wait = kCounterLockWait);
    ~CounterLock();
    CounterLock(const CounterLock&) = delete;
    CounterLock& operator=(const CounterLock&) = delete;

    // Whether the lock is held (false where the folder cannot be written).
    bool Held() const { return fd_ >= 0; }
    // Lets the lock go before the object ends (for a modal question that
    // must not keep another report waiting).
    void Release();

    // "<counterFile>.lock".
    static QString LockFilePath(const QString& counterFile);

private:
    void Acquire(const QString& counterFile, std::chrono::milliseconds wait);

    int fd_ = -1;
};

}  // namespace velars
