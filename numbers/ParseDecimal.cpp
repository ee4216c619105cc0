#include "numbers/ParseDecimal.h"

#include <QVarLengthArray>

#include <cmath>
#include <locale.h>
#include <stdlib.h>

#include "numbers/Exception.h"

namespace velars {

namespace {

// The exponent digits are read only while their value stays below this bound;
// a digit left over after it is reached is not part of the number.
constexpr int kExponentReadLimit = 500;

// The "C" locale for strtold_l: the conversion must not depend on the
// process locale, and the process locale is never changed.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

bool IsDecimalMark(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(','); }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

[[noreturn]] void Reject(const QString& text, QChar decimalSeparator) {
    QString copy = text;
    for (QChar& c : copy) {
        if (IsDecimalMark(c)) c = decimalSeparator;
    }
    throw EConvertError(QLatin1Char('\'') + copy +
                        QLatin1String("' is not a valid floating point value"));
}

}  // namespace

long double ParseDecimal(const QString& text, QChar decimalSeparator) {
    const QChar* const chars = text.constData();
    const qsizetype length = text.size();
    const char16_t mark = decimalSeparator.unicode();
    // Every "." and "," counts as the decimal separator.
    auto at = [&](qsizetype i) -> char16_t {
        if (i >= length) return 0xFFFF;  // past the end: matches nothing
        const QChar c = chars[i];
        return IsDecimalMark(c) ? mark : c.unicode();
    };

    // The number in the plain form strtold reads in the "C" locale:
    // [-]digits.digits[e[-]exponent]
    QVarLengthArray<char, 128> plain;
    plain.reserve(length + 16);

    qsizetype i = 0;
    while (at(i) == u' ') ++i;
    if (at(i) == u'+') {
        ++i;
    } else if (at(i) == u'-') {
        plain.append('-');
        ++i;
    }
    const qsizetype mantissaStart = i;

    const qsizetype integerStart = i;
    while (IsDigit(at(i))) plain.append(char(at(i++)));
    if (i == integerStart) plain.append('0');

    plain.append('.');
    if (at(i) == mark) {
        ++i;
        while (IsDigit(at(i))) plain.append(char(at(i++)));
    }
    // A digit or the mark must stand between the sign and the exponent.
    if (i == mantissaStart) Reject(text, decimalSeparator);

    if (at(i) == u'E' || at(i) == u'e') {
        ++i;
        bool negative = false;
        if (at(i) == u'+') {
            ++i;
        } else if (at(i) == u'-') {
            negative = true;
            ++i;
        }
        if (!IsDigit(at(i))) Reject(text, decimalSeparator);
        int exponent = 0;
        while (exponent < kExponentReadLimit && IsDigit(at(i))) {
            exponent = exponent * 10 + (at(i++) - u'0');
        }
        char digits[8];
        int count = 0;
        do {
            digits[count++] = char('0' + exponent % 10);
            exponent /= 10;
        } while (exponent != 0);
        plain.append('e');
        if (negative) plain.append('-');
        while (count > 0) plain.append(digits[--count]);
    }

    while (at(i) == u' ') ++i;
    if (i != length) Reject(text, decimalSeparator);

    plain.append('\0');
    // Correctly rounded; values below the extended range come back as
    // denormals or zero, which is fine; an overflow is a rejection.
    const long double value = strtold_l(plain.constData(), nullptr, CLocale());
    if (std::isinf(value)) Reject(text, decimalSeparator);
    return value;
}

}  // namespace velars
