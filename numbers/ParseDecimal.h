#pragma once
#include <QString>

namespace velars {

// Reads a number typed by the user. Both "." and "," are taken as the decimal
// mark: each is replaced by decimalSeparator before the text is converted.
// Accepted form: blanks, optional sign, digits, optional mark and digits,
// optional exponent (E/e, sign, digits; reading stops once the exponent
// reaches 500), blanks. A lone mark reads as 0. Values beyond the extended
// range are rejected.
// Throws EConvertError("'<copy>' is not a valid floating point value").
long double ParseDecimal(const QString& text, QChar decimalSeparator);

}  // namespace velars
