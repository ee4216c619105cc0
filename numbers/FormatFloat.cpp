#include "numbers/FormatFloat.h"

#include <cmath>

#include "numbers/DecimalDigits.h"

namespace velars {

namespace {

constexpr int kPrecision = 8;
constexpr int kMaxDecimals = 18;

// Longest text: "-" + 8 integer digits + 2 group separators + the decimal
// separator + 18 decimals; the scientific form is shorter.
constexpr int kMaxLength = 40;

class TextBuffer {
public:
    void Put(QChar c) { chars_[length_++] = c; }
    void PutDigit(char digit) { chars_[length_++] = QLatin1Char(digit); }
    QString ToString() const { return QString(chars_, length_); }

private:
    QChar chars_[kMaxLength];
    int length_ = 0;
};

// d1.d2..dnE[-]exponent, the exponent with at least `exponentDigits` digits.
void PutScientific(TextBuffer& out, const DecimalDigits& number, int exponentDigits,
                   QChar decimalSeparator) {
    out.PutDigit(number.digits[0]);
    if (number.count > 1) {
        out.Put(decimalSeparator);
        for (int i = 1; i < number.count; ++i) out.PutDigit(number.digits[i]);
    }
    out.Put(QLatin1Char('E'));
    int exponent = number.exponent - 1;
    if (exponent < 0) {
        out.Put(QLatin1Char('-'));
        exponent = -exponent;
    }
    char digits[12];
    int count = 0;
    do {
        digits[count++] = char('0' + exponent % 10);
        exponent /= 10;
    } while (exponent != 0);
    for (int i = count; i < exponentDigits; ++i) out.PutDigit('0');
    while (count > 0) out.PutDigit(digits[--count]);
}

// Integer digits in groups of three, then `decimals` digits after the
// separator; positions beyond the significant digits print as zeros.
void PutFixed(TextBuffer& out, const DecimalDigits& number, int decimals,
              const Separators& separators) {
    auto digitAt = [&](int position) {
        return position >= 0 && position < number.count ? number.digits[position] : '0';
    };
    const int integerDigits = number.exponent > 0 ? number.exponent : 0;
    if (integerDigits == 0) {
        out.PutDigit('0');
    } else {
        for (int i = 0; i < integerDigits; ++i) {
            if (i > 0 && (integerDigits - i) % 3 == 0 && !separators.group.isNull()) {
                out.Put(separators.group);
            }
            out.PutDigit(digitAt(i));
        }
    }
    if (decimals > 0) {
        out.Put(separators.decimal);
        for (int i = 0; i < decimals; ++i) out.PutDigit(digitAt(number.exponent + i));
    }
}

}  // namespace

QString FormatFloat(long double value, int decimals, const Separators& separators) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;

    DecimalDigits number = ExpandDecimal(value);
    RoundDecimal(number, kPrecision, decimals);

    TextBuffer out;
    if (number.negative) out.Put(QLatin1Char('-'));
    if (number.exponent > kPrecision) {
        PutScientific(out, number, decimals, separators.decimal);
    } else {
        PutFixed(out, number, decimals, separators);
    }
    return out.ToString();
}

}  // namespace velars
