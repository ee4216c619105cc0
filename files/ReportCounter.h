#pragma once
// The number of the next report, kept in a counter file (section "namber",
// key "n"; CounterPlace.h says where), and the write check of the counter's
// folder that guards storing it.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "files/CounterLock.h"
#include "files/CounterPlace.h"
#include "platform/PlatformServices.h"

namespace velars {

// Where the window remembers the save location of the folder check:
// `pathLog` (narrow text) and the save dialog's FileName.
struct SaveLocation {
    QByteArray pathLog;
    QString saveDialogFileName;
};

// Creates and deletes "temp.tp" in the counter's folder: the program folder
// of a portable copy, the user's own folder (made first when missing) of an
// installed program. On failure warns the user ("Внимание!", style 0x30) and
// offers the save dialog. Sets pathLog. A counter lock given is let go
// before the warning: the user's answer must not keep another report waiting.
bool CheckProgramFolder(PlatformServices& platform, SaveLocation& location,
                        CounterLock* heldLock = nullptr);

// The number of the report to write now; 1 when the file or a usable entry
// is missing. An installed program without a counter of the user's own reads
// the one beside the executable instead. Never fails, never creates a file.
std::int32_t LoadReportNumber(PlatformServices& platform);
// The same for the counter at `place`.
std::int32_t LoadReportNumber(const CounterPlace& place);

// Stores `value` after the folder check; does nothing when the check fails.
// Throws Exception("Unable to write to <path>") when the write fails. The
// caller holds the counter's lock from reading the number until this
// returns; `heldLock` is let go before the folder check's warning.
void SaveReportNumber(PlatformServices& platform, SaveLocation& location, std::int32_t value,
                      CounterLock* heldLock = nullptr);

// The number of a report that is written only once it is numbered (the
// command-line tool, where nobody answers a question): holding the
// counter's lock, reads the number, makes the write check on the counter's
// folder (made first when it is the user's own and missing), stores the
// number plus one and returns the number read. When the lock is not had
// within `lockWait`, the folder fails the check or the store fails, throws
// Exception saying why, and nothing is numbered: that number must not be
// used for a report.
std::int32_t TakeReportNumber(const CounterPlace& place,
                              std::chrono::milliseconds lockWait = kCounterLockWait);

}  // namespace velars
