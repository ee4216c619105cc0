#pragma once
#include "numbers/Separators.h"

namespace velars::cli {

// The user's number separators from the system locale (LC_ALL, LC_NUMERIC,
// LANG), the same reading as the window's, with QtCore alone: the decimal
// separator ("." when the locale has none) and the group separator (none
// when the locale has none).
Separators SystemSeparators();

}  // namespace velars::cli
