#pragma once
// The user's number separators, read from the system locale (LC_ALL,
// LC_NUMERIC, LANG) with QtCore alone: the one reading the window's platform
// services and the command-line tool share.

#include "numbers/Separators.h"

namespace velars {

// The decimal separator ("." when the locale has none) and the group
// separator (none when the locale has none), each the first character of
// the locale's.
Separators SystemSeparators();

}  // namespace velars
