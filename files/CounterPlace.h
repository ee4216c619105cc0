#pragma once
// Where the report counter of the running program lives.
//
// A portable copy (its folder belongs to the user, or the user may write it)
// keeps the counter beside its executable, and the write check tests that
// folder. A program installed for every user (its executable in the
// installation's binary folder, or in a folder the user neither owns nor may
// write) keeps one counter per user in "<data>/velars-tp/", the user's data
// folder: the counter and the write check go there, and nothing is ever
// written beside the executable, by root neither. While a user has no counter
// of their own yet, the one beside the executable, if an administrator put
// one there, gives the first number.

#include <QString>

#include "platform/PlatformServices.h"

namespace velars {

struct CounterPlace {
    QString folder;       // where the counter and the test file go, with a trailing '/'
    QString counterFile;  // the counter that is read and written
    QString seedFile;     // read while counterFile does not exist; empty for a portable copy
    bool perUser = false;
};

// The executable's path with its last extension replaced by "_nr.ini".
QString CounterFilePath(const QString& executablePath);

// The folder of the executable, with its trailing separator.
QString ProgramFolder(const QString& executablePath);

// Decided anew on every call, from what the system says now.
CounterPlace FindCounterPlace(PlatformServices& platform);

// The counter of the program `programName` that stands in the running
// program's folder, decided by the same rules: how the command-line tool
// shares the counter of the window beside it ("velars-tp": the same
// per-user counter when installed, "velars-tp_nr.ini" in the folder of a
// portable copy).
CounterPlace FindCounterPlaceOf(PlatformServices& platform, const QString& programName);

// A counter file named by the user: the write check is made on its folder,
// and there is no seed (made absolute from the current folder).
CounterPlace CounterPlaceOfFile(const QString& counterFile);

}  // namespace velars
