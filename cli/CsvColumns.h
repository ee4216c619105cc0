#pragma once
// The columns of an input CSV file, named by its header row.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ToolFields.h"

namespace velars::cli {

struct CsvColumns {
    // The input field of each column, or -1 for a column the tool does not
    // read (it is copied to the output as it stands).
    std::vector<int> fieldOfColumn;
    // The column of each field, -1 when the header names none.
    std::array<int, kFieldCount> columnOfField{};
    // The header's names as written.
    std::vector<std::string> names;

    int ColumnOf(Field field) const { return columnOfField[IndexOf(field)]; }
};

// Maps the header's names (blanks around them and the case of Latin letters
// ignored) to the fields. Every field but ldy needs its column; ldy only
// matters for rows of the cut-in model. Returns an empty text on success,
// otherwise what is wrong (a missing column, a name used twice).
std::string MapColumns(const std::vector<std::string_view>& header, CsvColumns& columns);

}  // namespace velars::cli
