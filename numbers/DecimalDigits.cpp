#include "numbers/DecimalDigits.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace velars {

namespace {

void DropTrailingZeros(DecimalDigits& number) {
    while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
    if (number.count == 0) {
        number.exponent = 0;
        number.negative = false;
    }
}

constexpr std::uint64_t kPow10[] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
    10000000000000000000ULL,
};
constexpr int kMaxScale = 19;

// floor(mantissa * 10^scale / 2^shift), with the rounding of that quotient to
// nearest, ties to even. mantissa < 2^64, scale <= 19, 0 < shift < 128.
struct ScaledValue {
    std::uint64_t truncated;
    std::uint64_t rounded;
};

ScaledValue Scale(std::uint64_t mantissa, int scale, int shift) {
    using u128 = unsigned __int128;
    const u128 product = static_cast<u128>(mantissa) * kPow10[scale];
    const u128 quotient = product >> shift;
    const u128 remainder = product - (quotient << shift);
    const u128 half = static_cast<u128>(1) << (shift - 1);
    std::uint64_t rounded = static_cast<std::uint64_t>(quotient);
    if (remainder > half || (remainder == half && (rounded & 1) != 0)) ++rounded;
    return {static_cast<std::uint64_t>(quotient), rounded};
}

// The exact expansion in integer arithmetic for 0.01 <= magnitude < 1e18,
// where nearly every shown value lies; false outside it. The x87 extended
// format: 64-bit significand with explicit leading bit, 15-bit biased
// exponent.
bool ExpandInRange(long double magnitude, DecimalDigits& number) {
    if (!(magnitude >= 0.01L && magnitude < 1e18L)) return false;
    static_assert(sizeof(long double) >= 10 && std::numeric_limits<long double>::digits == 64,
                  "long double must be the x87 extended type");
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &magnitude, sizeof magnitude);
    std::uint64_t mantissa;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    const int biasedExponent = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    // magnitude = mantissa * 2^-shift, with 2^63 <= mantissa < 2^64.
    const int shift = 16383 + 63 - biasedExponent;
    if (shift <= 0 || shift >= 128) return false;

    // magnitude lies in [2^(63-shift), 2^(64-shift)); estimate its decimal
    // exponent and correct it by the integer part of the scaled value.
    const int binaryExponent = 63 - shift;
    int decimalExponent = binaryExponent >= 0 ? (binaryExponent * 78913) >> 18
                                              : -((-binaryExponent * 78913 + 262143) >> 18);
    int scale = number.kExpandedDigits - 1 - decimalExponent;
    ScaledValue scaled{};
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (scale < 0 || scale > kMaxScale) return false;
        scaled = Scale(mantissa, scale, shift);
        if (scaled.truncated < kPow10[17]) {
            ++scale;
        } else if (scaled.truncated >= kPow10[18]) {
            --scale;
        } else {
            break;
        }
    }
    if (scaled.truncated < kPow10[17] || scaled.truncated >= kPow10[18]) return false;

    std::uint64_t digits = scaled.rounded;
    number.exponent = number.kExpandedDigits - scale;
    if (digits == kPow10[18]) {
        digits = kPow10[17];
        ++number.exponent;
    }
    for (int i = number.kExpandedDigits - 1; i >= 0; --i) {
        number.digits[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    number.count = number.kExpandedDigits;
    return true;
}

// The same expansion through the C library, for every other magnitude.
void ExpandByPrintf(long double magnitude, DecimalDigits& number) {
    // "d.ddddddddddddddddde[+-]x": 18 significant digits, exactly rounded.
    char text[48];
    std::snprintf(text, sizeof text, "%.*Le", DecimalDigits::kExpandedDigits - 1, magnitude);
    const char* p = text;
    number.count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.') number.digits[number.count++] = *p;
    }
    ++p;
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    for (++p; *p != '\0'; ++p) exponent = exponent * 10 + (*p - '0');
    number.exponent = (negativeExponent ? -exponent : exponent) + 1;
}

}  // namespace

DecimalDigits ExpandDecimal(long double value) {
    DecimalDigits number;
    if (value == 0) return number;
    const long double magnitude = std::fabs(value);
    if (!ExpandInRange(magnitude, number)) ExpandByPrintf(magnitude, number);
    number.negative = value < 0;
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
