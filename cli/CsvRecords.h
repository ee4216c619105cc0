#pragma once
// Records and fields of CSV text (RFC 4180).

#include <string_view>
#include <vector>

namespace velars::cli {

// Fields are separated by `separator`, records by LF or CR LF. A field that
// starts with a double quote runs to the closing quote and may hold
// separators, line ends and doubled quotes (read as one quote); anything
// between the closing quote and the next separator is kept as it stands.
// A quote inside an unquoted field is an ordinary character.
//
// With `unquote` the quoted fields are rewritten in place (the text only
// shrinks), so every field is a view into the buffer; without it the buffer
// is left alone and the quoted fields' views are not meaningful (for finding
// record boundaries only).
class CsvRecords {
public:
    CsvRecords(char* begin, char* end, char separator, bool unquote = true);

    // Reads the next record into `fields`. False at the end of the text.
    bool Next(std::vector<std::string_view>& fields);

    // The record just read was an empty line.
    bool Blank() const { return blank_; }
    // The record just read ended inside a quoted field.
    bool Unterminated() const { return unterminated_; }
    // Where the next record starts.
    const char* Position() const { return p_; }

private:
    std::string_view QuotedField(bool& atRecordEnd);
    std::string_view PlainField(bool& atRecordEnd);

    char* p_;
    char* end_;
    char separator_;
    bool unquote_;
    bool blank_ = false;
    bool unterminated_ = false;
};

// The separator a CSV file uses, told by its header line: ";" when the line
// holds one, else a tab when it holds one, else ",".
char DetectSeparator(std::string_view headerLine);

}  // namespace velars::cli
