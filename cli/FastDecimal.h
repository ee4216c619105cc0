#pragma once
// A quick reader for the plain numbers that fill a CSV file, for the bulk
// path of the command-line tool.

#include <string_view>

namespace velars::cli {

// Reads an ASCII number of the plain form: optional sign, digits with an
// optional "." or "," mark (at least one digit), optional exponent of one to
// three digits; no blanks. At most 19 significant digits and a decimal
// exponent within +-27 after the mark is taken into account, so that the
// value is one correctly rounded extended multiplication or division of two
// exact operands. For every text it takes, the value is the one ParseDecimal
// gives. Returns false, leaving `value` alone, for any other text: the caller
// then hands the text to ParseDecimal, which decides.
bool FastParseDecimal(std::string_view text, long double& value);

}  // namespace velars::cli
