#include "cli/CsvColumns.h"

namespace velars::cli {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string Lowercase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

}  // namespace

std::string MapColumns(const std::vector<std::string_view>& header, CsvColumns& columns) {
    columns = CsvColumns{};
    columns.columnOfField.fill(-1);
    for (std::size_t column = 0; column < header.size(); ++column) {
        columns.names.emplace_back(header[column]);
        const std::string name = Lowercase(Trimmed(header[column]));
        int field = -1;
        for (Field candidate : kAllFields)
            if (name == ColumnName(candidate)) field = IndexOf(candidate);
        if (field >= 0) {
            if (columns.columnOfField[field] >= 0)
                return "the header names the column '" + name + "' twice";
            columns.columnOfField[field] = static_cast<int>(column);
        }
        columns.fieldOfColumn.push_back(field);
    }
    for (Field field : kAllFields) {
        if (field != Field::LDy && columns.ColumnOf(field) < 0)
            return "the header has no column '" + std::string(ColumnName(field)) + "'";
    }
    return {};
}

}  // namespace velars::cli
