// The number reader against an independent reading of the same grammar,
// its value from strtold_l in the "C" locale: the same texts are accepted,
// to the same bits.

#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>
#include <string>

#include "numbers/Exception.h"
#include "numbers/ParseDecimal.h"

#include "FuzzCheck.h"

namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

bool Digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool Mark(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(','); }

// Blanks, sign, digits, mark, digits, exponent, blanks; at least a digit or
// the mark before the exponent; exponent digits read while below 500.
std::optional<long double> Reference(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    std::string number;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-')) number += '-';
        ++i;
    }
    const qsizetype mantissa = i;
    bool anyDigit = false;
    while (i < n && Digit(text[i])) number += char(text[i++].unicode()), anyDigit = true;
    if (i < n && Mark(text[i])) {
        number += '.';
        ++i;
        while (i < n && Digit(text[i])) number += char(text[i++].unicode()), anyDigit = true;
    }
    if (i == mantissa) return std::nullopt;
    if (!anyDigit) number = number.starts_with('-') ? "-0" : "0";  // a lone mark
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        std::string sign;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            if (text[i] == QLatin1Char('-')) sign = "-";
            ++i;
        }
        if (i >= n || !Digit(text[i])) return std::nullopt;
        long exponent = 0;
        while (i < n && Digit(text[i])) {
            if (exponent >= 500) return std::nullopt;  // a digit left over
            exponent = exponent * 10 + (text[i++].unicode() - '0');
        }
        number += 'e' + sign + std::to_string(exponent);
    }
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    if (i != n) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long double value = strtold_l(number.c_str(), &end, CLocale());
    FUZZ_CHECK(*end == '\0');                    // the reference built a text strtold reads whole
    if (std::isinf(value)) return std::nullopt;  // beyond the extended range
    return value;
}

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data),
                                           static_cast<qsizetype>(size));
    const std::optional<long double> expected = Reference(text);
    std::optional<long double> read;
    try {
        read = velars::ParseDecimal(text, QLatin1Char('.'));
    } catch (const velars::EConvertError&) {
    }
    FUZZ_CHECK(expected.has_value() == read.has_value());
    FUZZ_CHECK(!read || SameBits(*read, *expected));
    return 0;
}
