#pragma once
// Intermediate values for people: a value to a given number of significant
// digits, in the user's separators. The digits are rounded (half away from
// zero) from the fewest digits that read back as the value, the text that
// the machine-readable output shows, so the two never disagree in a digit
// that both show.
//
// Trailing zeros are dropped (0.4 stays "0,4"); the integer part is grouped
// by threes with the group separator (none when it is null). Values from
// 10^-7 up to below 10^15 are written out in full ("0,0000119136",
// "221 291"); smaller and larger ones in the scientific form of the number
// format, d,ddddE[-]xx with at least two exponent digits. Infinities and
// NaN print as INF, -INF and NAN; a value that rounds to zero as 0.

#include <QString>

#include "numbers/Separators.h"

namespace velars {

QString FormatSignificant(float value, int digits, const Separators& separators);
QString FormatSignificant(double value, int digits, const Separators& separators);
QString FormatSignificant(long double value, int digits, const Separators& separators);

}  // namespace velars
