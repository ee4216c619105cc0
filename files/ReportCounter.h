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

// Stores `value` after the folder check; does nothing when the check fails.
// Throws Exception("Unable to write to <path>") when the write fails. The
// caller holds the counter's lock from reading the number until this
// returns; `heldLock` is let go before the folder check's warning.
void SaveReportNumber(PlatformServices& platform, SaveLocation& location, std::int32_t value,
                      CounterLock* heldLock = nullptr);

}  // namespace velars
