#pragma once
#include <QString>
#include "numbers/Separators.h"

namespace velars {

// The number format of every measured value the program shows: at most 8
// significant digits (half away from zero, after expanding to 18 digits),
// `decimals` digits after the decimal separator, groups of three in the
// integer part, the scientific form above 8 integer digits, INF/-INF/NAN.
// A value that rounds to zero prints without a minus sign. The scientific
// form is d[<decimal>ddddddd]E[-]x with trailing zeros dropped and the
// exponent padded to at least `decimals` digits (123456789, 2 -> 1,2345679E08).
// `decimals` outside 0..18 is taken as the nearer end of that range. A null
// group separator writes the integer digits ungrouped.
QString FormatFloat(long double value, int decimals, const Separators& separators);

}  // namespace velars
