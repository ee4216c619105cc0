#pragma once
// The number of the next report, kept in "<program>_nr.ini" beside the
// executable (section "namber", key "n"), and the write check of the
// program folder that guards storing it.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/PlatformServices.h"

namespace velars {

// Where the window remembers the save location of the folder check:
// `pathLog` (narrow text) and the save dialog's FileName.
struct SaveLocation {
    QByteArray pathLog;
    QString saveDialogFileName;
};

// The executable's path with its last extension replaced by "_nr.ini".
QString CounterFilePath(const QString& executablePath);

// The folder of the executable, with its trailing separator.
QString ProgramFolder(const QString& executablePath);

// Creates and deletes "temp.tp" in the program folder. On failure warns the
// user ("Внимание!", style 0x30) and offers the save dialog. Sets pathLog.
bool CheckProgramFolder(PlatformServices& platform, SaveLocation& location);

// The number of the report to write now; 1 when the file or a usable entry
// is missing. Never fails, never creates the file.
std::int32_t LoadReportNumber(PlatformServices& platform);

// Stores `value` after the folder check; does nothing when the check fails.
// Throws Exception("Unable to write to <path>") when the write fails.
void SaveReportNumber(PlatformServices& platform, SaveLocation& location, std::int32_t value);

}  // namespace velars
