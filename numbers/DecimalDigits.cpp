#include "numbers/DecimalDigits.h"

#include <cstdio>

namespace velars {

namespace {

void DropTrailingZeros(DecimalDigits& number) {
    while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
    if (number.count == 0) {
        number.exponent = 0;
        number.negative = false;
    }
}

}  // namespace

DecimalDigits ExpandDecimal(long double value) {
    DecimalDigits number;
    // "[-]d.ddddddddddddddddde[+-]x": 18 significant digits, exactly rounded.
    char text[48];
    std::snprintf(text, sizeof text, "%.*Le", DecimalDigits::kExpandedDigits - 1, value);
    const char* p = text;
    if (*p == '-') {
        number.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.') number.digits[number.count++] = *p;
    }
    ++p;
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    for (++p; *p != '\0'; ++p) exponent = exponent * 10 + (*p - '0');
    number.exponent = (negativeExponent ? -exponent : exponent) + 1;
    DropTrailingZeros(number);
    return number;
}

void RoundDecimal(DecimalDigits& number, int precision, int decimals) {
    if (number.count == 0) return;
    // Digits kept: at most `precision`, and none beyond `decimals` after the
    // point. The digit at index `kept` decides the rounding.
    const long long byDecimals = static_cast<long long>(number.exponent) + decimals;
    if (byDecimals < 0) {
        number.count = 0;
        DropTrailingZeros(number);
        return;
    }
    const int kept = byDecimals < precision ? static_cast<int>(byDecimals) : precision;
    if (kept >= number.count) return;
    const bool up = number.digits[kept] >= '5';
    number.count = kept;
    if (up) {
        int i = kept - 1;
        while (i >= 0 && number.digits[i] == '9') --i;
        if (i >= 0) {
            ++number.digits[i];
            number.count = i + 1;
        } else {
            // All nines (or nothing kept): the value becomes the next power of ten.
            number.digits[0] = '1';
            number.count = 1;
            ++number.exponent;
        }
    }
    DropTrailingZeros(number);
}

}  // namespace velars
