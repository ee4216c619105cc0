#pragma once
// The general error box: what an exception that nothing caught looks like
// to the user.

#include <QString>
#include <exception>

#include "platform/PlatformServices.h"

namespace velars {

// The application title: the program file's name without its folder and
// without everything from its first "." on, every character after the
// first in lower case ("/opt/Velars-TP.exe" gives "Velars-tp").
QString ApplicationTitle(const QString& programPath);

// The box text: the message, with a full stop appended when the code of its
// last character is greater than that of the full stop.
QString ErrorBoxText(const QString& message);

// The message of an exception: its own for the calculator's exceptions,
// empty for anything else.
QString ExceptionMessage(std::exception_ptr error);

// Shows `error` in the error box (error icon, OK) under `title`.
void ShowErrorBox(PlatformServices& platform, const QString& title, std::exception_ptr error,
                  BoxOwner owner);

}  // namespace velars
