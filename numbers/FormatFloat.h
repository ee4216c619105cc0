#pragma once
#include <QString>
#include "numbers/Separators.h"

namespace velars {

// The number format of every measured value the program shows: at most 8
// significant digits (half away from zero, after expanding to 18 digits),
// `decimals` digits after the decimal separator, groups of three in the
// integer part, the scientific form above 8 integer digits, INF/-INF/NAN.
QString FormatFloat(long double value, int decimals, const Separators& separators);

}  // namespace velars
