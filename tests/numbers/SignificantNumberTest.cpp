// Intermediate values to 6 significant digits in the user's separators: the
// rounding of the shortest digits, the groups, the plain and scientific
// forms, the special values.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numbers/SignificantNumber.h"

namespace velars {
namespace {

const Separators kRussian{QLatin1Char(','), QChar(0x00A0)};
const Separators kPlain{QLatin1Char('.'), QChar()};

// " " in the expected text stands for the group separator.
QString Grouped(const char* text, const Separators& s) {
    QString out = QString::fromUtf8(text);
    out.replace(QLatin1Char(' '), s.group.isNull() ? QString() : QString(s.group));
    return out;
}

TEST(SignificantNumberTest, SixDigitsOfTheStoredValue) {
    const struct {
        float value;
        const char* russian;
        const char* plain;
    } cases[] = {
        {221290.78f, "221 291", "221291"},          // the worked example's Reynolds number
        {0.0153755415f, "0,0153755", "0.0153755"},  // its friction factor
        {0.0000119135775f, "0,0000119136", "0.0000119136"},
        {0.68f, "0,68", "0.68"},  // trailing zeros dropped
        {300000.0f, "300 000", "300000"},
        {293.15f, "293,15", "293.15"},
        {49.542145f, "49,5421", "49.5421"},
        {999999.7f, "1 000 000", "1000000"},  // the carry runs through the nines
        {-1.25f, "-1,25", "-1.25"},
        {0.0f, "0", "0"},
        {-0.0f, "0", "0"},
        {1.5e-8f, "1,5E-08", "1.5E-08"},              // below 10^-7: scientific
        {1.2345678e20f, "1,23457E20", "1.23457E20"},  // 10^15 and above: scientific
        {123456789012.0f, "123 457 000 000", "123457000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(FormatSignificant(c.value, 6, kRussian), Grouped(c.russian, kRussian));
        EXPECT_EQ(FormatSignificant(c.value, 6, kPlain), QString::fromUtf8(c.plain));
    }
}

TEST(SignificantNumberTest, RoundsTheShortestDigitsHalfAwayFromZero) {
    // 0.125 and 2.5 are exact: the half goes away from zero.
    EXPECT_EQ(FormatSignificant(0.125f, 2, kPlain), "0.13");
    EXPECT_EQ(FormatSignificant(-2.5f, 1, kPlain), "-3");
    // The long double of 3.06 typed in double precision keeps its shortest
    // digits, not the binary tail.
    EXPECT_EQ(FormatSignificant(3.06, 6, kRussian), "3,06");
    EXPECT_EQ(FormatSignificant(0.4L, 6, kRussian), "0,4");
    EXPECT_EQ(FormatSignificant(2.16e-5L, 6, kRussian), "0,0000216");
    // More digits than asked for never appear; fewer are never padded.
    EXPECT_EQ(FormatSignificant(1.0f / 3.0f, 9, kPlain), "0.33333334");
    EXPECT_EQ(FormatSignificant(1.0f / 3.0f, 3, kPlain), "0.333");
}

TEST(SignificantNumberTest, SpecialValues) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(FormatSignificant(inf, 6, kRussian), "INF");
    EXPECT_EQ(FormatSignificant(-inf, 6, kRussian), "-INF");
    EXPECT_EQ(FormatSignificant(std::nanf(""), 6, kRussian), "NAN");
    EXPECT_EQ(FormatSignificant(std::numeric_limits<long double>::max(), 6, kPlain),
              "1.18973E4932");
    EXPECT_EQ(FormatSignificant(std::numeric_limits<float>::denorm_min(), 6, kPlain), "1E-45");
}

}  // namespace
}  // namespace velars
