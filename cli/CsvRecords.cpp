#include "cli/CsvRecords.h"

namespace velars::cli {

CsvRecords::CsvRecords(char* begin, char* end, char separator, bool unquote)
    : p_(begin), end_(end), separator_(separator), unquote_(unquote) {}

bool CsvRecords::Next(std::vector<std::string_view>& fields) {
    fields.clear();
    if (p_ == end_) return false;
    unterminated_ = false;
    bool quotedAny = false;
    bool atRecordEnd = false;
    while (!atRecordEnd) {
        if (p_ != end_ && *p_ == '"') {
            quotedAny = true;
            fields.push_back(QuotedField(atRecordEnd));
        } else {
            fields.push_back(PlainField(atRecordEnd));
        }
    }
    blank_ = !quotedAny && fields.size() == 1 && fields.front().empty();
    return true;
}

// Up to the separator, the line end (its CR dropped) or the end of the text;
// the separator or LF is passed over.
std::string_view CsvRecords::PlainField(bool& atRecordEnd) {
    const char* const start = p_;
    while (p_ != end_ && *p_ != separator_ && *p_ != '\n') ++p_;
    const char* fieldEnd = p_;
    if (p_ == end_ || *p_ == '\n') {
        atRecordEnd = true;
        if (fieldEnd != start && fieldEnd[-1] == '\r') --fieldEnd;
    }
    if (p_ != end_) ++p_;
    return std::string_view(start, static_cast<std::size_t>(fieldEnd - start));
}

std::string_view CsvRecords::QuotedField(bool& atRecordEnd) {
    ++p_;  // the opening quote
    char* const start = p_;
    char* out = p_;
    auto put = [&](char c) {
        if (unquote_) *out = c;
        ++out;
    };
    for (;;) {
        if (p_ == end_) {
            unterminated_ = true;
            break;
        }
        const char c = *p_;
        if (c == '"') {
            if (p_ + 1 != end_ && p_[1] == '"') {
                put('"');
                p_ += 2;
                continue;
            }
            ++p_;  // the closing quote
            break;
        }
        put(c);
        ++p_;
    }
    // Text after the closing quote stays part of the field.
    bool carriageReturn = false;
    while (p_ != end_ && *p_ != separator_ && *p_ != '\n') {
        carriageReturn = *p_ == '\r';
        put(*p_++);
    }
    if (p_ == end_ || *p_ == '\n') {
        atRecordEnd = true;
        if (carriageReturn) --out;
    }
    if (p_ != end_) ++p_;
    return std::string_view(start, static_cast<std::size_t>(out - start));
}

char DetectSeparator(std::string_view headerLine) {
    if (headerLine.find(';') != std::string_view::npos) return ';';
    if (headerLine.find('\t') != std::string_view::npos) return '\t';
    return ',';
}

}  // namespace velars::cli
