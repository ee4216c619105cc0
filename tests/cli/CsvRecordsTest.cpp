#include "cli/CsvRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velars::cli {
namespace {

struct Record {
    std::vector<std::string> fields;
    bool blank;
    bool unterminated;
    bool operator==(const Record&) const = default;
};

std::vector<Record> Split(std::string text, char separator) {
    CsvRecords records(text.data(), text.data() + text.size(), separator);
    std::vector<Record> result;
    std::vector<std::string_view> fields;
    while (records.Next(fields))
        result.push_back({std::vector<std::string>(fields.begin(), fields.end()), records.Blank(),
                          records.Unterminated()});
    return result;
}

TEST(CsvRecordsTest, PlainAndQuotedFields) {
    const auto records = Split("a,b,c\r\n\"x,1\",\"say \"\"hi\"\"\",\"two\nlines\"\n,,\n\nlast",
                               ',');
    const std::vector<Record> expected = {
        {{"a", "b", "c"}, false, false}, {{"x,1", "say \"hi\"", "two\nlines"}, false, false},
        {{"", "", ""}, false, false},    {{""}, true, false},
        {{"last"}, false, false},
    };
    EXPECT_EQ(records, expected);
}

TEST(CsvRecordsTest, SemicolonSeparatorKeepsCommaDecimals) {
    const auto records = Split("0,68;500;\"1;2\"\r\n", ';');
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"0,68", "500", "1;2"}));
}

TEST(CsvRecordsTest, OddQuotesAndUnterminatedField) {
    // A quote inside a plain field is a character; text after a closing
    // quote stays with the field; a CR LF after a quoted field is dropped.
    auto records = Split("5\"x,\"a\"b,\"q\"\r\n\"open,2\n3", ',');
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"5\"x", "ab", "q"}));
    EXPECT_TRUE(records[1].unterminated);
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"open,2\n3"}));
}

TEST(CsvRecordsTest, SeparatorFromTheHeaderLine) {
    EXPECT_EQ(DetectSeparator("model;section;dy"), ';');
    EXPECT_EQ(DetectSeparator("model\tsection"), '\t');
    EXPECT_EQ(DetectSeparator("model,section"), ',');
    EXPECT_EQ(DetectSeparator("model"), ',');
}

}  // namespace
}  // namespace velars::cli
