#include <climits>
#include <sys/stat.h>

#include "files/IniFile.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using test::TempFolderTest;
using test::WriteBytes;

class IniFileRead : public TempFolderTest {
protected:
    IniFile Ini(const QByteArray& content) {
        WriteBytes(Path("c_nr.ini"), content);
        return IniFile(Path("c_nr.ini"));
    }
};

TEST_F(IniFileRead, MissingFileSectionOrKeyGivesTheDefault) {
    const IniFile missing(Path("none.ini"));
    EXPECT_EQ(missing.ReadString("namber", "n", "d"), "d");
    EXPECT_EQ(missing.ReadInteger("namber", "n", 1), 1);
    EXPECT_FALSE(QFile::exists(Path("none.ini"))) << "reading must create nothing";

    const IniFile ini = Ini("[other]\r\nn=5\r\n[namber]\r\nm=6\r\n");
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 1);  // key only in another section
    EXPECT_EQ(ini.ReadInteger("none", "m", 1), 1);
    EXPECT_EQ(ini.ReadInteger("namber", "m", 1), 6);
}

TEST_F(IniFileRead, NamesIgnoreCaseAndBlanks) {
    const IniFile ini = Ini("n=1\r\n  [ NAMBER ]  \r\n\t N \t=  42 \t\r\n");
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 42);
    EXPECT_EQ(ini.ReadString("Namber", "N", ""), "42");
}

TEST_F(IniFileRead, FirstSectionAndFirstKeyOfANameWin) {
    const IniFile ini = Ini("[namber]\nn=3\nN=4\n[NAMBER]\nn=5\nk=6\n");
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 3);
    EXPECT_EQ(ini.ReadInteger("namber", "k", 1), 1);  // the second section is not seen
}

TEST_F(IniFileRead, KeyIsTheTextBeforeTheFirstEqualsSign) {
    const IniFile ini = Ini("[s]\n; n=9\nn = a=b \nbare line\n");
    EXPECT_EQ(ini.ReadString("s", "n", ""), "a=b");
    EXPECT_EQ(ini.ReadString("s", "; n", ""), "9");
}

TEST_F(IniFileRead, OnePairOfEnclosingQuotesIsRemoved) {
    const IniFile ini = Ini("[s]\na=\"x y\"\nb='z'\nc=\"mixed'\nd=\"\"q\"\"\n");
    EXPECT_EQ(ini.ReadString("s", "a", ""), "x y");
    EXPECT_EQ(ini.ReadString("s", "b", ""), "z");
    EXPECT_EQ(ini.ReadString("s", "c", ""), "\"mixed'");
    EXPECT_EQ(ini.ReadString("s", "d", ""), "\"q\"");
}

TEST_F(IniFileRead, ValueIsCutToTheReadBuffer) {
    const QByteArray longValue(3000, '7');
    const IniFile ini = Ini("[s]\nv=" + longValue + "\n");
    EXPECT_EQ(ini.ReadString("s", "v", ""), QString(2047, u'7'));
    // 2047 digits are far beyond 32 bits.
    EXPECT_EQ(ini.ReadInteger("s", "v", 1), 1);
}

TEST_F(IniFileRead, DefaultLosesTrailingBlanks) {
    EXPECT_EQ(IniFile(Path("none.ini")).ReadString("s", "k", " d  "), " d");
}

TEST_F(IniFileRead, Utf8AndUtf16Files) {
    const QString russian = QStringLiteral("значение");
    EXPECT_EQ(Ini("\xEF\xBB\xBF[s]\r\nk=" + russian.toUtf8() + "\r\n").ReadString("s", "k", ""),
              russian);

    QByteArray utf16("\xFF\xFE", 2);
    const QString text = QStringLiteral("[namber]\r\nn=0x1A\r\n[s]\r\nk=") + russian;
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const IniFile ini = Ini(utf16);
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 26);
    EXPECT_EQ(ini.ReadString("s", "k", ""), russian);
}

TEST_F(IniFileRead, CrLfAndLoneCrOrLfEachEndALine) {
    const struct {
        const char* content;
        const char* value;
    } cases[] = {
        {"[namber]\r\nn=7\r", "7"},        // the last line ends in a lone CR
        {"[namber]\rn=7\r[s]\rk=1", "7"},  // old Mac line ends throughout
        {"[namber]\nn=7\r\n", "7"},
        {"[s]\nk=1\r[namber]\nn=7", "7"},  // a lone CR between LF lines
        {"[namber]\r\rn=7\n\r\n", "7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ini(c.content).ReadString("namber", "n", "1"), c.value) << c.content;
}

TEST_F(IniFileRead, FolderOrPipeAtThePathReadsAsMissing) {
    ASSERT_TRUE(QDir(Path("")).mkdir("d.ini"));
    EXPECT_EQ(IniFile(Path("d.ini")).ReadInteger("namber", "n", 1), 1);
    // Reading a pipe would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("p.ini")).constData(), 0644), 0);
    EXPECT_EQ(IniFile(Path("p.ini")).ReadInteger("namber", "n", 1), 1);
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

constexpr std::int32_t kDef = -99;

class IniFileReadInteger : public IniFileRead, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IniFileReadInteger, ConvertsOnlyWholeValues) {
    const IntegerCase c = GetParam();
    const IniFile ini = Ini(QByteArray("[namber]\r\nn=") + c.text + "\r\n");
    EXPECT_EQ(ini.ReadInteger("namber", "n", kDef), c.expected) << "value: [" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniFileReadInteger,
    ::testing::Values(
        // decimal
        IntegerCase{"0", 0}, IntegerCase{"-5", -5}, IntegerCase{"+7", 7}, IntegerCase{"007", 7},
        IntegerCase{"2147483647", INT_MAX}, IntegerCase{"2147483648", kDef},
        IntegerCase{"-2147483648", INT_MIN}, IntegerCase{"-2147483649", kDef},
        IntegerCase{"99999999999999999999", kDef},
        // hexadecimal, every prefix, either case of digits
        IntegerCase{"0x1A", 26}, IntegerCase{"0X1a", 26}, IntegerCase{"$1a", 26},
        IntegerCase{"x1A", 26}, IntegerCase{"X1A", 26}, IntegerCase{"-0x10", -16},
        IntegerCase{"-$1", -1}, IntegerCase{"+$10", 16},
        // eight digits are a 32-bit pattern
        IntegerCase{"0xFFFFFFFF", -1}, IntegerCase{"$ffffffff", -1}, IntegerCase{"xFFFFFFFF", -1},
        IntegerCase{"0x80000000", INT_MIN}, IntegerCase{"0x7FFFFFFF", INT_MAX},
        IntegerCase{"-$FFFFFFFF", 1}, IntegerCase{"0x100000000", kDef},
        IntegerCase{"0x0000000001A", 26},  // leading zeros do not widen the value
        // blanks: the reader drops those around the value, quotes keep them
        IntegerCase{"  12  ", 12}, IntegerCase{"\"  12\"", 12}, IntegerCase{"\"12 \"", kDef},
        IntegerCase{"\"- 12\"", kDef}, IntegerCase{"\"\t12\"", kDef},
        // not a number in full
        IntegerCase{"abc", kDef}, IntegerCase{"", kDef}, IntegerCase{"12abc", kDef},
        IntegerCase{"1.5", kDef}, IntegerCase{"1e3", kDef}, IntegerCase{"--5", kDef},
        IntegerCase{"+-5", kDef}, IntegerCase{"-", kDef}, IntegerCase{"0x", kDef},
        IntegerCase{"$", kDef}, IntegerCase{"0x-5", kDef}, IntegerCase{"0xG", kDef},
        IntegerCase{"$$1", kDef}, IntegerCase{"0x0x1", kDef}, IntegerCase{"1A", kDef}));

}  // namespace
}  // namespace velars
