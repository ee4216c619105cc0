// The number format on any 80-bit pattern and any number of decimals: the
// text has the documented shape and reads back within its rounding.

#include <QString>
#include <algorithm>
#include <cmath>
#include <string>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "numbers/FormatFloat.h"

#include "FuzzCheck.h"

namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A canonical finite or infinite value: zero, denormal, normal, infinity.
bool Canonical(const unsigned char* bytes) {
    std::uint64_t mantissa;
    std::memcpy(&mantissa, bytes, 8);
    const int exponent = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    const bool integerBit = (mantissa >> 63) != 0;
    return exponent == 0 ? !integerBit : integerBit;
}

// Checks the shape and returns the text in the form strtold reads.
std::string Plain(const QString& text, int decimals, const velars::Separators& separators) {
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == QLatin1Char('-')) plain += '-', ++i;
    const qsizetype integerStart = i;
    qsizetype exponentAt = text.indexOf(QLatin1Char('E'));
    if (exponentAt >= 0) {
        // d[,ddddddd]E[-]x: the integer digit is not 0, no trailing zeros.
        FUZZ_CHECK(i < n && IsDigit(text[i]) && text[i] != QLatin1Char('0'));
        plain += char(text[i++].unicode());
        if (i < exponentAt) {
            FUZZ_CHECK(text[i] == separators.decimal);
            plain += '.';
            ++i;
            FUZZ_CHECK(exponentAt - i >= 1 && exponentAt - i <= 7 &&
                       text[exponentAt - 1] != QLatin1Char('0'));
            for (; i < exponentAt; ++i)
                FUZZ_CHECK(IsDigit(text[i])), plain += char(text[i].unicode());
        }
        plain += 'e';
        ++i;
        if (i < n && text[i] == QLatin1Char('-')) plain += '-', ++i;
        FUZZ_CHECK(n - i >= std::max(decimals, 1));
        for (; i < n; ++i) FUZZ_CHECK(IsDigit(text[i])), plain += char(text[i].unicode());
        FUZZ_CHECK(std::atoi(plain.substr(plain.find('e') + 1).c_str()) >=
                   8);  // only beyond 8 digits
        return plain;
    }
    // Fixed: groups of three, `decimals` digits after the separator.
    int integerDigits = 0;
    int groups = 0;
    while (i < n && text[i] != separators.decimal) {
        if (IsDigit(text[i])) {
            plain += char(text[i].unicode());
            ++integerDigits;
        } else {
            FUZZ_CHECK(!separators.group.isNull() && text[i] == separators.group);
            ++groups;
            FUZZ_CHECK(n - i > 3 && IsDigit(text[i + 1]) && IsDigit(text[i + 2]) &&
                       IsDigit(text[i + 3]) && (i + 4 == n || !IsDigit(text[i + 4])));
        }
        ++i;
    }
    FUZZ_CHECK(integerDigits >= 1 && integerDigits <= 8);
    FUZZ_CHECK(groups == (separators.group.isNull() ? 0 : (integerDigits - 1) / 3));
    FUZZ_CHECK(integerDigits == 1 || text[integerStart] != QLatin1Char('0'));
    if (decimals == 0) {
        FUZZ_CHECK(i == n);
    } else {
        FUZZ_CHECK(i < n && n - i - 1 == decimals);
        plain += '.';
        for (++i; i < n; ++i) FUZZ_CHECK(IsDigit(text[i])), plain += char(text[i].unicode());
    }
    return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);
    const int decimals = static_cast<std::int8_t>(data[10]);
    velars::Separators separators;
    if (size > 11 && data[11] & 1) separators.group = QChar();
    if (size > 11 && data[11] & 2) separators = {QLatin1Char('.'), QLatin1Char(',')};

    const QString text = velars::FormatFloat(value, decimals, separators);
    if (!Canonical(data)) return 0;  // pseudo-denormals, unnormals: no crash is enough
    if (std::isnan(value)) {
        FUZZ_CHECK(text == QLatin1String("NAN"));
        return 0;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(text == (value < 0 ? QLatin1String("-INF") : QLatin1String("INF")));
        return 0;
    }
    const int shown = std::clamp(decimals, 0, 18);
    const std::string plain = Plain(text, shown, separators);
    const long double back = strtold_l(plain.c_str(), nullptr, CLocale());
    if (back == 0)
        FUZZ_CHECK(!text.startsWith(QLatin1Char('-')));  // zero has no sign
    else
        FUZZ_CHECK(std::signbit(back) == std::signbit(value));

    // Within half a unit of the last digit kept (8 significant digits, or
    // `shown` decimals in the fixed form), plus the 18-digit expansion.
    const long double magnitude = std::fabs(value);
    const auto within = [&](int exponent) {
        long double unit = std::pow(10.0L, exponent - 8);
        if (plain.find('e') == std::string::npos) unit = std::max(unit, std::pow(10.0L, -shown));
        const long double slack = std::pow(10.0L, exponent - 17) + magnitude * 1e-18L;
        return std::fabs(back - value) <= unit / 2 + slack;
    };
    if (std::isinf(back)) {
        FUZZ_CHECK(magnitude > 1e4932L);  // rounded up past the largest value
    } else if (magnitude == 0) {
        FUZZ_CHECK(back == 0);
    } else {
        const int exponent = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        FUZZ_CHECK(within(exponent) || within(exponent + 1));
    }
    return 0;
}
