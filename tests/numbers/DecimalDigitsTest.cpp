#include <gtest/gtest.h>

#include <string>

#include "numbers/DecimalDigits.h"

namespace velars {
namespace {

std::string Digits(const DecimalDigits& n) { return std::string(n.digits, n.count); }

TEST(ExpandDecimal, GivesEighteenDigitsRoundedToNearest) {
    // 0.1L = 0.1000000000000000000013552527156068805425... : digit 19 is 0.
    DecimalDigits tenth = ExpandDecimal(0.1L);
    EXPECT_EQ(Digits(tenth), "1");
    EXPECT_EQ(tenth.exponent, 0);
    // 2/3 rounds up in the 18th digit.
    DecimalDigits twoThirds = ExpandDecimal(2.0L / 3.0L);
    EXPECT_EQ(Digits(twoThirds), "666666666666666667");
    EXPECT_EQ(twoThirds.exponent, 0);
    DecimalDigits negative = ExpandDecimal(-1234.5L);
    EXPECT_EQ(Digits(negative), "12345");
    EXPECT_EQ(negative.exponent, 4);
    EXPECT_TRUE(negative.negative);
}

TEST(ExpandDecimal, ZeroHasNoDigitsAndNoSign) {
    DecimalDigits zero = ExpandDecimal(-0.0L);
    EXPECT_EQ(zero.count, 0);
    EXPECT_EQ(zero.exponent, 0);
    EXPECT_FALSE(zero.negative);
}

TEST(RoundDecimal, KeepsTheFewerOfPrecisionAndDecimals) {
    DecimalDigits n = ExpandDecimal(0.012345L);  // 0.12345e-1
    RoundDecimal(n, 8, 3);                       // 0.012
    EXPECT_EQ(Digits(n), "12");
    EXPECT_EQ(n.exponent, -1);

    n = ExpandDecimal(987654321.0L);
    RoundDecimal(n, 3, 5);
    EXPECT_EQ(Digits(n), "988");
    EXPECT_EQ(n.exponent, 9);
}

TEST(RoundDecimal, CarriesIntoANewLeadingDigit) {
    DecimalDigits n = ExpandDecimal(0.0096L);  // nothing kept with 2 decimals but the 9 rounds
    RoundDecimal(n, 8, 2);
    EXPECT_EQ(Digits(n), "1");
    EXPECT_EQ(n.exponent, -1);

    n = ExpandDecimal(-0.0006L);  // 0.6e-3: the rounding digit lies past the kept ones
    RoundDecimal(n, 8, 2);
    EXPECT_EQ(n.count, 0);
    EXPECT_FALSE(n.negative);
}

}  // namespace
}  // namespace velars
