#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numbers/Exception.h"
#include "numbers/ParseDecimal.h"

namespace velars {
namespace {

const QChar kComma = QLatin1Char(',');
const QChar kPoint = QLatin1Char('.');
const QChar kArabicMark = QChar(0x066B);

struct Accepted {
    const char16_t* text;
    long double expected;
};

void PrintTo(const Accepted& c, std::ostream* os) {
    *os << QString::fromUtf16(c.text).toStdString();
}

class ParseDecimalAccepts : public testing::TestWithParam<Accepted> {};

// Whatever the locale's separator, "." and "," both act as the mark.
TEST_P(ParseDecimalAccepts, UnderEverySeparator) {
    const Accepted& c = GetParam();
    for (QChar separator : {kComma, kPoint}) {
        const long double value = ParseDecimal(QString::fromUtf16(c.text), separator);
        EXPECT_EQ(value, c.expected) << "separator " << char(separator.unicode());
        EXPECT_EQ(std::signbit(value), std::signbit(c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseDecimalAccepts,
    testing::Values(Accepted{u"0.5", 0.5L}, Accepted{u"0,5", 0.5L}, Accepted{u"  0,5  ", 0.5L},
                    Accepted{u"+.5", 0.5L}, Accepted{u"5.", 5.0L}, Accepted{u"1e3", 1000.0L},
                    Accepted{u"1E+3", 1000.0L}, Accepted{u"25e-1", 2.5L},
                    Accepted{u"-12,75", -12.75L}, Accepted{u"007", 7.0L}, Accepted{u".", 0.0L},
                    Accepted{u"-.", -0.0L}, Accepted{u"-0", -0.0L}, Accepted{u" -.25e1 ", -2.5L},
                    Accepted{u".e5", 0.0L},
                    // Correct rounding to the extended type.
                    Accepted{u"0.1", 0.1L}, Accepted{u"0,3", 0.3L},
                    Accepted{u"123456789012345678901234567890", 123456789012345678901234567890.0L},
                    Accepted{u"3.14159265358979323846264338327950288",
                             3.14159265358979323846264338327950288L}));

// The exponent digits are read while their value is below 500: leading zeros
// keep it at 0, the digit that takes it to 500 or beyond is the last one read,
// and any digit after that stays unread and makes the text invalid.
INSTANTIATE_TEST_SUITE_P(ExponentReading, ParseDecimalAccepts,
                         testing::Values(Accepted{u"1e0000000000005", 1e5L},
                                         Accepted{u"1e499", 1e499L}, Accepted{u"1e500", 1e500L},
                                         Accepted{u"1e-500", 1e-500L}, Accepted{u"2e0499", 2e499L},
                                         Accepted{u"1e4000", 1e4000L},
                                         Accepted{u"0.0001e4000", 1e3996L},
                                         // Up to the top of the extended range.
                                         Accepted{u"1.18973149535723176502e4932",
                                                  std::numeric_limits<long double>::max()},
                                         // Below it: denormals and zero are fine.
                                         Accepted{u"1e-4940", 1e-4940L}, Accepted{u"1e-4999", 0.0L},
                                         Accepted{u"-1e-4999", -0.0L}));

TEST(ParseDecimal, TakesTheLocaleSeparatorAsTheMark) {
    EXPECT_EQ(ParseDecimal(QString::fromUtf16(u"1\u066B5"), kArabicMark), 1.5L);
    EXPECT_EQ(ParseDecimal(QStringLiteral("1.5"), kArabicMark), 1.5L);
    EXPECT_EQ(ParseDecimal(QStringLiteral("1,5"), kArabicMark), 1.5L);
}

TEST(ParseDecimal, DenormalIsNotZero) {
    const long double value = ParseDecimal(QStringLiteral("1e-4940"), kComma);
    EXPECT_GT(value, 0.0L);
    EXPECT_LT(value, std::numeric_limits<long double>::min());
}

struct Rejected {
    const char16_t* text;
    QChar separator;
    const char16_t* copy;  // the text after the mark substitution
};

void PrintTo(const Rejected& c, std::ostream* os) {
    *os << QString::fromUtf16(c.text).toStdString();
}

class ParseDecimalRejects : public testing::TestWithParam<Rejected> {};

TEST_P(ParseDecimalRejects, WithTheSubstitutedCopyInTheMessage) {
    const Rejected& c = GetParam();
    try {
        ParseDecimal(QString::fromUtf16(c.text), c.separator);
        FAIL() << "accepted";
    } catch (const EConvertError& e) {
        const QString expected = QLatin1Char('\'') + QString::fromUtf16(c.copy) +
                                 QLatin1String("' is not a valid floating point value");
        EXPECT_EQ(e.Message(), expected);
        EXPECT_EQ(QString::fromUtf8(e.what()), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseDecimalRejects,
    testing::Values(Rejected{u"", kComma, u""}, Rejected{u"   ", kComma, u"   "},
                    Rejected{u"-", kComma, u"-"}, Rejected{u"+", kComma, u"+"},
                    Rejected{u"1.2.3", kComma, u"1,2,3"}, Rejected{u"1,2.3", kComma, u"1,2,3"},
                    Rejected{u"1,2.3", kPoint, u"1.2.3"}, Rejected{u"1 000", kComma, u"1 000"},
                    Rejected{u"5 kg", kComma, u"5 kg"}, Rejected{u"0x10", kComma, u"0x10"},
                    Rejected{u"1e", kComma, u"1e"}, Rejected{u"1e+", kComma, u"1e+"},
                    Rejected{u"1e-", kPoint, u"1e-"}, Rejected{u"e5", kComma, u"e5"},
                    Rejected{u"-e5", kComma, u"-e5"}, Rejected{u"- 5", kComma, u"- 5"},
                    Rejected{u"+-5", kComma, u"+-5"}, Rejected{u"\t5", kComma, u"\t5"},
                    Rejected{u"5\u00A0", kComma, u"5\u00A0"}, Rejected{u"inf", kComma, u"inf"},
                    Rejected{u"nan", kComma, u"nan"}, Rejected{u"\uFF15", kComma, u"\uFF15"},
                    Rejected{u"1\u066B5", kComma, u"1\u066B5"},
                    Rejected{u"1e5 5", kComma, u"1e5 5"}, Rejected{u"12a", kComma, u"12a"},
                    Rejected{u"1d5", kComma, u"1d5"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentReading, ParseDecimalRejects,
    testing::Values(
        // Reading stops at 500: the "0" is left over.
        Rejected{u"1e5000", kComma, u"1e5000"}, Rejected{u"1e-5000", kComma, u"1e-5000"},
        Rejected{u"0e5000", kComma, u"0e5000"}, Rejected{u"1e5001", kPoint, u"1e5001"},
        // Read completely, but beyond the extended range.
        Rejected{u"1e4999", kComma, u"1e4999"}, Rejected{u"1.2e4932", kComma, u"1,2e4932"},
        Rejected{u"-1e4933", kComma, u"-1e4933"}, Rejected{u"100e4931", kComma, u"100e4931"}));

TEST(ParseDecimal, RejectsAMantissaBeyondTheRange) {
    EXPECT_THROW(ParseDecimal(QString(5000, QLatin1Char('9')), kComma), EConvertError);
    EXPECT_EQ(
        ParseDecimal(QLatin1String("0.") + QString(5000, QLatin1Char('0')) + QLatin1String("1e500"),
                     kComma),
        1e-4501L);
}

}  // namespace
}  // namespace velars
