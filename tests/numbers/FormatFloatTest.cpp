#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numbers/FormatFloat.h"

namespace velars {
namespace {

struct Locale {
    const char* name;
    Separators separators;
};

const Locale kCommaNbsp{"comma/nbsp", Separators{QLatin1Char(','), QChar(0x00A0)}};
const Locale kPointComma{"point/comma", Separators{QLatin1Char('.'), QLatin1Char(',')}};
const Locale kNoGroup{"comma/none", Separators{QLatin1Char(','), QChar()}};

// Expected texts are written with "," as the decimal separator and " " as the
// group separator and translated to the locale under test.
QString InLocale(const char* canonical, const Separators& s) {
    QString out;
    for (const char* p = canonical; *p != '\0'; ++p) {
        if (*p == ',') {
            out += s.decimal;
        } else if (*p == ' ') {
            if (!s.group.isNull()) out += s.group;
        } else {
            out += QLatin1Char(*p);
        }
    }
    return out;
}

struct Case {
    long double value;
    int decimals;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg d=%d", c.value, c.decimals);
    *os << text;
}

class FormatFloatTest : public testing::TestWithParam<Case> {};

TEST_P(FormatFloatTest, InEveryLocale) {
    const Case& c = GetParam();
    for (const Locale& locale : {kCommaNbsp, kPointComma, kNoGroup}) {
        EXPECT_EQ(FormatFloat(c.value, c.decimals, locale.separators),
                  InLocale(c.expected, locale.separators))
            << locale.name;
    }
}

// The two conversions of the gauge-pressure fields.
const long double kMmPerMpa = 101971.62129779282;
const long double kMpaPerMm = 9.80665e-06;

INSTANTIATE_TEST_SUITE_P(
    Fixed, FormatFloatTest,
    testing::Values(Case{1234567.891L, 2, "1 234 567,90"}, Case{1234.567L, 2, "1 234,57"},
                    Case{1234.567L, 0, "1 235"}, Case{1234.567L, 10, "1 234,5670000000"},
                    Case{0.1f * kMmPerMpa, 0, "10 197"},
                    Case{static_cast<float>(10000 * kMpaPerMm), 10, "0,0980665010"},
                    Case{10000 * kMpaPerMm, 10, "0,0980665000"}, Case{0.0L, 0, "0"},
                    Case{0.0L, 2, "0,00"}, Case{0.0L, 10, "0,0000000000"}, Case{-0.0L, 2, "0,00"},
                    Case{999, 0, "999"}, Case{1000, 0, "1 000"}, Case{100000, 2, "100 000,00"},
                    Case{12345678, 0, "12 345 678"}, Case{-1234.5L, 2, "-1 234,50"},
                    Case{-7, 0, "-7"}, Case{0.5L, 2, "0,50"},
                    // Eight significant digits at most; further positions are zeros.
                    Case{0.123456789L, 10, "0,1234567900"},
                    Case{12345.6789L, 10, "12 345,6790000000"}, Case{0.1f, 10, "0,1000000000"},
                    Case{1e-9L, 10, "0,0000000010"}, Case{1.5e-11L, 10, "0,0000000000"},
                    Case{0.000123456789L, 10, "0,0001234568"}));

INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatFloatTest,
    testing::Values(
        // Half away from zero.
        Case{0.125L, 2, "0,13"}, Case{-0.125L, 2, "-0,13"}, Case{2.5L, 0, "3"},
        Case{-2.5L, 0, "-3"}, Case{0.004L, 2, "0,00"}, Case{0.005L, 2, "0,01"},
        Case{0.0004L, 2, "0,00"}, Case{0.6L, 0, "1"},
        // The 18-digit expansion rounds first: just below one half reads as 0.5.
        Case{std::nextafter(0.5L, 0.0L), 0, "1"}, Case{1.005L, 2, "1,01"},
        Case{0.49999999999L, 0, "0"},
        // Carries across digits and into a new one.
        Case{9.999999999L, 2, "10,00"}, Case{999.995L, 2, "1 000,00"},
        Case{99999999.4L, 0, "99 999 999"}, Case{0.099999999L, 2, "0,10"}, Case{-0.999L, 0, "-1"},
        // Negatives that round to zero print no sign.
        Case{-0.001L, 2, "0,00"}, Case{-0.4L, 0, "0"}, Case{-0.004999L, 2, "0,00"},
        Case{-1e-30L, 10, "0,0000000000"}, Case{-0.005L, 2, "-0,01"}));

INSTANTIATE_TEST_SUITE_P(
    Scientific, FormatFloatTest,
    testing::Values(Case{123456789, 2, "1,2345679E08"}, Case{123456789, 0, "1,2345679E8"},
                    Case{123456789, 10, "1,2345679E0000000008"},
                    Case{-123456789, 2, "-1,2345679E08"}, Case{99999999.5L, 0, "1E8"},
                    Case{99999999.5L, 2, "1E08"}, Case{99999999.996L, 2, "1E08"},
                    Case{120000000, 2, "1,2E08"}, Case{1e20L, 0, "1E20"},
                    Case{1.5e10L, 2, "1,5E10"}, Case{1e300L, 2, "1E300"},
                    Case{std::numeric_limits<long double>::max(), 0, "1,1897315E4932"},
                    Case{-std::numeric_limits<long double>::max(), 2, "-1,1897315E4932"}));

INSTANTIATE_TEST_SUITE_P(
    Special, FormatFloatTest,
    testing::Values(Case{std::numeric_limits<long double>::infinity(), 2, "INF"},
                    Case{-std::numeric_limits<long double>::infinity(), 0, "-INF"},
                    Case{std::numeric_limits<long double>::quiet_NaN(), 10, "NAN"},
                    Case{-std::numeric_limits<long double>::quiet_NaN(), 2, "NAN"},
                    Case{std::numeric_limits<long double>::denorm_min(), 2, "0,00"},
                    Case{-std::numeric_limits<long double>::denorm_min(), 10, "0,0000000000"}));

// Decimals outside 0..18 are taken as the nearest end of that range.
INSTANTIATE_TEST_SUITE_P(DecimalsClamped, FormatFloatTest,
                         testing::Values(Case{1.5L, 18, "1,500000000000000000"},
                                         Case{1.5L, 40, "1,500000000000000000"},
                                         Case{1.5L, -3, "2"}, Case{123456789, -1, "1,2345679E8"},
                                         Case{1e-18L, 18, "0,000000000000000001"}));

TEST(FormatFloat, GroupsOnlyTheIntegerPart) {
    const Separators s{QLatin1Char(','), QChar(0x00A0)};
    EXPECT_EQ(FormatFloat(1234567.125L, 3, s), QString::fromUtf16(u"1\u00A0234\u00A0567,100"));
    EXPECT_EQ(FormatFloat(0.1234L, 4, s), QStringLiteral("0,1234"));
}

}  // namespace
}  // namespace velars
