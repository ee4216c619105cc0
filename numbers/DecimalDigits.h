#pragma once
// The decimal digits of a floating value, the way the number format works on
// them: an exact expansion to 18 significant digits, then a rounding half away
// from zero on that digit string.

namespace velars {

// value = (negative ? -1 : 1) * 0.d1 d2 ... dn * 10^exponent, with the digits
// d1..dn in `digits` (ASCII, no trailing zeros). Zero has no digits, exponent 0
// and is not negative.
struct DecimalDigits {
    static constexpr int kExpandedDigits = 18;
    char digits[kExpandedDigits + 1] = {};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// The finite value expanded to 18 significant digits, rounded to nearest.
DecimalDigits ExpandDecimal(long double value);

// Rounds half away from zero to at most `precision` significant digits and at
// most `decimals` digits after the decimal point. A result of zero loses its
// sign.
void RoundDecimal(DecimalDigits& number, int precision, int decimals);

}  // namespace velars
