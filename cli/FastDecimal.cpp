#include "cli/FastDecimal.h"

#include <array>
#include <cstdint>

namespace velars::cli {

namespace {

constexpr int kMaxDigits = 19;      // below 2^64: exact in the 64-bit significand
constexpr int kMaxPowerOfTen = 27;  // 5^27 < 2^64: 10^27 is exact in extended
constexpr int kMaxExponentDigits = 3;

constexpr std::array<long double, kMaxPowerOfTen + 1> MakePowersOfTen() {
    std::array<long double, kMaxPowerOfTen + 1> powers{};
    long double power = 1.0L;
    for (long double& p : powers) {
        p = power;
        power *= 10.0L;
    }
    return powers;
}

constexpr std::array<long double, kMaxPowerOfTen + 1> kPowersOfTen = MakePowersOfTen();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool FastParseDecimal(std::string_view text, long double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();

    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }

    std::uint64_t mantissa = 0;
    int digits = 0;    // significant digits taken into the mantissa
    int exponent = 0;  // decimal exponent of the mantissa's last digit
    bool anyDigit = false;
    auto take = [&](char c) {
        anyDigit = true;
        if (digits == 0 && c == '0') return true;  // a leading zero
        if (++digits > kMaxDigits) return false;
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        return true;
    };

    for (; p != end && IsDigit(*p); ++p)
        if (!take(*p)) return false;
    if (p != end && (*p == '.' || *p == ',')) {
        ++p;
        for (; p != end && IsDigit(*p); ++p) {
            if (!take(*p)) return false;
            --exponent;
        }
    }
    if (!anyDigit) return false;

    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        int written = 0;
        int count = 0;
        for (; p != end && IsDigit(*p); ++p) {
            if (++count > kMaxExponentDigits) return false;
            written = written * 10 + (*p - '0');
        }
        if (count == 0) return false;
        exponent += negativeExponent ? -written : written;
    }
    if (p != end) return false;

    long double result = static_cast<long double>(mantissa);
    if (mantissa != 0) {
        if (exponent > kMaxPowerOfTen || exponent < -kMaxPowerOfTen) return false;
        if (exponent > 0)
            result *= kPowersOfTen[exponent];
        else if (exponent < 0)
            result /= kPowersOfTen[-exponent];
    }
    value = negative ? -result : result;
    return true;
}

}  // namespace velars::cli
