#include "numbers/SignificantNumber.h"

#include <cmath>
#include <string>

#include "numbers/DecimalDigits.h"
#include "numbers/ShortestNumber.h"

namespace velars {

namespace {

// The plain form is used for decimal exponents in [kPlainFrom, kPlainBelow).
constexpr int kPlainFrom = -7;
constexpr int kPlainBelow = 15;
constexpr int kMostDigits = DecimalDigits::kExpandedDigits - 1;

// The digits of a shortest text ("-221290.78", "0.0000119135775", "1.5e-07").
// Digits beyond the capacity are dropped: rounding to fewer digits looks at
// the first dropped one only.
DecimalDigits DigitsOf(const std::string& text) {
    DecimalDigits number;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-') {
        number.negative = true;
        ++at;
    }
    int beforePoint = 0;
    bool point = false;
    bool leading = true;
    int leadingZeros = 0;
    for (; at < text.size() && text[at] != 'e'; ++at) {
        const char c = text[at];
        if (c == '.') {
            point = true;
            continue;
        }
        if (!point) ++beforePoint;
        if (leading && c == '0') {
            ++leadingZeros;
            continue;
        }
        leading = false;
        if (number.count < DecimalDigits::kExpandedDigits) number.digits[number.count++] = c;
    }
    int exponent10 = 0;
    if (at < text.size()) exponent10 = std::stoi(text.substr(at + 1));
    number.exponent = beforePoint - leadingZeros + exponent10;
    while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
    if (number.count == 0) number = DecimalDigits{};
    return number;
}

QString Written(const DecimalDigits& number, const Separators& separators) {
    if (number.count == 0) return QStringLiteral("0");
    QString out;
    if (number.negative) out += QLatin1Char('-');
    auto digitAt = [&](int position) {
        return QLatin1Char(position >= 0 && position < number.count ? number.digits[position]
                                                                    : '0');
    };
    const int exponent = number.exponent - 1;  // of the first digit
    if (exponent < kPlainFrom || exponent >= kPlainBelow) {
        out += digitAt(0);
        if (number.count > 1) {
            out += separators.decimal;
            for (int i = 1; i < number.count; ++i) out += digitAt(i);
        }
        out += QLatin1Char('E');
        if (exponent < 0) out += QLatin1Char('-');
        out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
        return out;
    }
    const int integerDigits = number.exponent > 0 ? number.exponent : 0;
    if (integerDigits == 0) out += QLatin1Char('0');
    for (int i = 0; i < integerDigits; ++i) {
        if (i > 0 && (integerDigits - i) % 3 == 0 && !separators.group.isNull())
            out += separators.group;
        out += digitAt(i);
    }
    if (number.count > number.exponent) {
        out += separators.decimal;
        for (int i = number.exponent < 0 ? number.exponent : integerDigits; i < number.count; ++i)
            out += digitAt(i);
    }
    return out;
}

template <typename T>
QString Format(T value, int digits, const Separators& separators) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    DecimalDigits number = DigitsOf(ShortestText(value));
    RoundDecimal(number, digits < 1 ? 1 : digits > kMostDigits ? kMostDigits : digits, 10000);
    return Written(number, separators);
}

}  // namespace

QString FormatSignificant(float value, int digits, const Separators& separators) {
    return Format(value, digits, separators);
}

QString FormatSignificant(double value, int digits, const Separators& separators) {
    return Format(value, digits, separators);
}

QString FormatSignificant(long double value, int digits, const Separators& separators) {
    return Format(value, digits, separators);
}

}  // namespace velars
