#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
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

// The C library's exact conversion, the reference for the integer one used
// in the range of measured values.
std::string ReferenceDigits(long double value, int* exponent) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", value);
    std::string digits;
    const char* p = text;
    if (*p == '-') ++p;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    *exponent = std::atoi(p + 1) + 1;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return digits;
}

void AssertSameAsReference(long double value) {
    int exponent = 0;
    const std::string expected = ReferenceDigits(value, &exponent);
    const DecimalDigits n = ExpandDecimal(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.25Lg", value);
    ASSERT_EQ(Digits(n), expected) << text;
    ASSERT_EQ(n.exponent, exponent) << text;
    ASSERT_EQ(n.negative, value < 0) << text;
}

TEST(ExpandDecimal, MatchesTheExactConversionEverywhere) {
    // Ties in the 19th digit go to even, as in any round-to-nearest.
    for (long double v :
         {100000000000000000.5L, 100000000000000001.5L, 999999999999999999.5L, 0.01L, 0.1L, 1e17L,
          1e18L, std::nextafter(1e18L, 0.0L), std::nextafter(0.01L, 0.0L), 0.015625L, 0.0155L,
          9.9999999999999999999L, 0.099999999999999999999L, 123456789.0L, 1e-4950L, 1e4932L}) {
        ASSERT_NO_FATAL_FAILURE(AssertSameAsReference(v));
        ASSERT_NO_FATAL_FAILURE(AssertSameAsReference(-v));
    }
    std::mt19937_64 random(20240607);
    std::uniform_int_distribution<int> binaryExponent(-80, 70);
    for (int i = 0; i < 100000; ++i) {
        const unsigned long long mantissa = random() | (1ULL << 63);
        const long double v = std::ldexp(static_cast<long double>(mantissa),
                                         binaryExponent(random) - 63);
        ASSERT_NO_FATAL_FAILURE(AssertSameAsReference(v));
        // Powers of ten and their neighbours, where the decimal exponent changes.
        const long double power = std::pow(10.0L, static_cast<long double>(i % 24 - 4));
        ASSERT_NO_FATAL_FAILURE(AssertSameAsReference(std::nextafter(power, 0.0L)));
        ASSERT_NO_FATAL_FAILURE(AssertSameAsReference(std::nextafter(power, 1e30L)));
    }
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
