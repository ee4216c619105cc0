#include "cli/FastDecimal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "numbers/ParseDecimal.h"

namespace velars::cli {
namespace {

bool SameBits(long double a, long double b) {
    // The 80-bit value: 64-bit significand and 16-bit sign and exponent.
    return std::memcmp(&a, &b, 10) == 0;
}

long double Reference(const std::string& text) {
    return ParseDecimal(QString::fromLatin1(text), QLatin1Char('.'));
}

TEST(FastDecimalTest, TakesPlainNumbersWithParseDecimalsValue) {
    for (const char* text : {"0",
                             "-0",
                             "+0",
                             "0.68",
                             "0,68",
                             "500",
                             "20",
                             "-40",
                             "0.3",
                             "101.325",
                             "101,325",
                             ".5",
                             "5.",
                             "-.5",
                             "1e5",
                             "1E+5",
                             "2.5e-3",
                             "0e999",
                             "0.000000000000000000000001",
                             "9999999999999999999",
                             "1234567890123456789e8",
                             "0.1",
                             "0.7",
                             "273.15",
                             "1e27",
                             "1e-27",
                             "00000000000000000000000001",
                             "-0.0e-0"}) {
        long double fast = 12345;
        ASSERT_TRUE(FastParseDecimal(text, fast)) << text;
        EXPECT_TRUE(SameBits(fast, Reference(text))) << text;
    }
}

TEST(FastDecimalTest, LeavesNumbersBeyondItsExactRangeToParseDecimal) {
    for (const char* text : {"1e999", "3.4e38", "1e28", "1e-28", "12345678901234567890e-1",
                             "0.12345678901234567890"}) {
        long double value = 42;
        EXPECT_FALSE(FastParseDecimal(text, value)) << text;
    }
}

TEST(FastDecimalTest, DeclinesEverythingElse) {
    // Blanks, lone marks, two marks, missing or long exponents, other
    // characters: ParseDecimal decides these.
    for (const char* text :
         {"",    " 5",     "5 ",     ".",   "-",  "-.",   "1.2.3", "1,2.3", "e5",    "1e",
          "1e+", "1e0005", "0e5000", "abc", "5x", "0x10", "inf",   "nan",   "1_000", "\xD0\x9F"}) {
        long double value = 42;
        EXPECT_FALSE(FastParseDecimal(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

TEST(FastDecimalTest, AgreesWithParseDecimalOnRandomTexts) {
    std::mt19937_64 random(7);
    auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += char('0' + random() % 10);
        return text;
    };
    int taken = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (random() % 4 == 0) text += random() % 2 ? '-' : '+';
        text += digits(static_cast<int>(random() % 12));
        if (random() % 2) text += random() % 2 ? '.' : ',';
        text += digits(static_cast<int>(random() % 14));
        if (random() % 4 == 0) {
            text += random() % 2 ? 'e' : 'E';
            if (random() % 2) text += random() % 2 ? '-' : '+';
            text += digits(1 + static_cast<int>(random() % 2));
        }
        long double fast;
        if (!FastParseDecimal(text, fast)) continue;
        ++taken;
        ASSERT_TRUE(SameBits(fast, Reference(text))) << text;
    }
    EXPECT_GT(taken, 100000);
}

}  // namespace
}  // namespace velars::cli
