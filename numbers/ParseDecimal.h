#pragma once
#include <QString>

namespace velars {

// Reads a number typed by the user. Both "." and "," are taken as the decimal
// mark: each is replaced by decimalSeparator before the text is converted.
// Accepted form: blanks (code 32), optional sign, digits, optional mark and
// digits, optional exponent (E/e, optional sign, at least one digit), blanks.
// At least one digit or the mark must stand before the exponent; a lone mark
// reads as 0 ("-." as -0).
// Exponent digits are read only while their value is below 500: the digit
// that brings it to 500 or more is the last one read, and a digit after it is
// left over, which makes the text invalid. So "1e0000000000005" is 1e5,
// "1e500" and "1e4999" are read whole (the latter then overflows), while
// "1e5000", "1e-5000" and "0e5000" are rejected.
// The result is the correctly rounded extended value, independent of the
// process locale. Values beyond the extended range are rejected; values below
// it become denormals or zero.
// Throws EConvertError("'<copy>' is not a valid floating point value").
long double ParseDecimal(const QString& text, QChar decimalSeparator);

}  // namespace velars
