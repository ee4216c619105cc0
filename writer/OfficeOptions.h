#pragma once
// How the Writer server reaches LibreOffice: the office program to start and
// how long any one call into the office may take. The program uses the
// defaults (the soffice found on the PATH, the user's own profile); tests add
// start arguments of their own (headless, a temporary profile), a shorter
// bound or another pause.

#include <QString>
#include <QStringList>
#include <chrono>

namespace velars {

struct OfficeOptions {
    // The soffice executable (a path).
    QString program;
    // The installation's program folder, whose UNO runtime and types the
    // connection uses; empty: the folder the program's link leads to.
    QString programFolder;
    // Arguments added to the start command, after the ones that make the
    // office accept our connection.
    QStringList extraArguments;
    // The pipe the office accepts the connection on; empty: one per user.
    QString pipeName;
    // The bound on starting the office and on every call into it.
    std::chrono::milliseconds timeout{10000};
    // The pause with no call that ends a report: what it held in the office
    // is released then (the calculator keeps its objects between reports).
    std::chrono::milliseconds reportPause{100};
};

}  // namespace velars
