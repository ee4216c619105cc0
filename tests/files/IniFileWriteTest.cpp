#include <QFileInfo>
#include <climits>
#include <sys/stat.h>

#include "files/IniFile.h"
#include "numbers/Exception.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using test::ReadBytes;
using test::TempFolderTest;
using test::WriteBytes;

class IniFileWrite : public TempFolderTest {
protected:
    QString file_ = Path("c_nr.ini");

    // Writes n in section namber over `before` and returns the file afterwards.
    QByteArray After(const QByteArray& before, const QString& section = "namber",
                     const QString& key = "n", const QString& value = "2") {
        WriteBytes(file_, before);
        IniFile(file_).WriteString(section, key, value);
        return ReadBytes(file_);
    }

    void ExpectUnableToWrite(const QString& path) {
        IniFile ini(path);
        try {
            ini.WriteInteger("namber", "n", 2);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Unable to write to " + path);
        }
    }
};

TEST_F(IniFileWrite, FirstWriteCreatesTheFileWithCrlf) {
    IniFile ini(file_);
    ini.WriteInteger("namber", "n", 2);
    EXPECT_EQ(ReadBytes(file_), "[namber]\r\nn=2\r\n");
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 2);
}

TEST_F(IniFileWrite, ExtremeValuesRoundTrip) {
    IniFile ini(file_);
    for (const std::int32_t v : {INT_MIN, INT_MAX, -1, 0}) {
        ini.WriteInteger("namber", "n", v);
        EXPECT_EQ(ini.ReadInteger("namber", "n", 1), v);
    }
    EXPECT_EQ(ReadBytes(file_), "[namber]\r\nn=0\r\n");
}

TEST_F(IniFileWrite, ReplacesTheValueInPlaceAndKeepsEverythingElse) {
    const QByteArray before =
        "; counter of the reports\n"
        "\n"
        "[Other]\n"
        "n = 77   \n"
        "[ NAMBER ]\n"
        "  ; the next number\n"
        "  N  =  15  ; not a comment to the reader\n"
        "k=x\n"
        "\n"
        "[last]\n"
        "z=1";
    const QByteArray expected =
        "; counter of the reports\n"
        "\n"
        "[Other]\n"
        "n = 77   \n"
        "[ NAMBER ]\n"
        "  ; the next number\n"
        "N=2\n"
        "k=x\n"
        "\n"
        "[last]\n"
        "z=1";
    EXPECT_EQ(After(before), expected);
}

TEST_F(IniFileWrite, NewKeyGoesAfterTheLastLineOfItsSection) {
    EXPECT_EQ(After("[namber]\r\nm=1\r\n\r\n[b]\r\nq=2\r\n"),
              "[namber]\r\nm=1\r\nn=2\r\n\r\n[b]\r\nq=2\r\n");
    EXPECT_EQ(After("[a]\n[namber]"), "[a]\n[namber]\nn=2\n");
}

TEST_F(IniFileWrite, NewSectionGoesAtTheEndWithTheFileLineEnds) {
    EXPECT_EQ(After("[a]\nx=1\n"), "[a]\nx=1\n[namber]\nn=2\n");
    EXPECT_EQ(After("[a]\r\nx=1"), "[a]\r\nx=1\r\n[namber]\r\nn=2\r\n");
    EXPECT_EQ(After(""), "[namber]\r\nn=2\r\n");
    EXPECT_EQ(After("; only a comment"), "; only a comment\r\n[namber]\r\nn=2\r\n");
}

TEST_F(IniFileWrite, LoneCrIsALineEndAndEveryOtherByteIsKept) {
    EXPECT_EQ(After("[namber]\rn=1\r"), "[namber]\rn=2\r");
    EXPECT_EQ(After("[a]\rx=1"), "[a]\rx=1\r[namber]\rn=2\r");
    // A value ending in CR in an LF file reads the same before and after a
    // write elsewhere in the file.
    const QByteArray before = "[s]\nk=5\r\n[namber]\nn=1\n[t]\nv=6\r";
    WriteBytes(file_, before);
    EXPECT_EQ(IniFile(file_).ReadString("t", "v", ""), "6");
    EXPECT_EQ(After(before), "[s]\nk=5\r\n[namber]\nn=2\n[t]\nv=6\r");
    EXPECT_EQ(IniFile(file_).ReadString("t", "v", ""), "6");
    EXPECT_EQ(IniFile(file_).ReadString("s", "k", ""), "5");
}

TEST_F(IniFileWrite, BytesOfOtherLinesSurviveEvenWhenNotUtf8) {
    // A comment in the Windows Cyrillic code page and a UTF-8 byte order mark.
    const QByteArray cp1251Comment = "; \xD1\xF7\xE5\xF2\xF7\xE8\xEA\r\n";
    const QByteArray before = "\xEF\xBB\xBF" + cp1251Comment + "[namber]\r\nn=1\r\n";
    EXPECT_EQ(After(before), "\xEF\xBB\xBF" + cp1251Comment + "[namber]\r\nn=2\r\n");
}

TEST_F(IniFileWrite, Utf16FileStaysUtf16) {
    const auto utf16 = [](const QString& text) {
        QByteArray bytes("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return bytes;
    };
    EXPECT_EQ(After(utf16("[Ключ]\r\nn=1\r\n"), "ключ", "N", "Два"), utf16("[Ключ]\r\nn=Два\r\n"));
    EXPECT_EQ(IniFile(file_).ReadString("КЛЮЧ", "n", ""), "Два");
}

TEST_F(IniFileWrite, LineBreaksCannotForgeEntries) {
    IniFile ini(file_);
    ini.WriteString("s", "k", "1\r\n[namber]\r\nn=666");
    EXPECT_EQ(ini.ReadString("s", "k", ""), "1");
    EXPECT_EQ(ini.ReadInteger("namber", "n", 1), 1);
}

TEST_F(IniFileWrite, ReadOnlyFileIsNotWrittenEvenByRoot) {
    WriteBytes(file_, "[namber]\r\nn=5\r\n");
    ASSERT_TRUE(QFile::setPermissions(file_, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ExpectUnableToWrite(file_);
    EXPECT_EQ(ReadBytes(file_), "[namber]\r\nn=5\r\n");
    EXPECT_EQ(QFileInfo(file_).permissions() & QFileDevice::WriteOwner, 0);
}

TEST_F(IniFileWrite, ErrorsWhenSomethingIsInTheWay) {
    ASSERT_TRUE(QDir(Path("")).mkdir("folder_nr.ini"));
    ExpectUnableToWrite(Path("folder_nr.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe_nr.ini")).constData(), 0644), 0);
    ExpectUnableToWrite(Path("pipe_nr.ini"));
    ExpectUnableToWrite(Path("no/such/folder/c_nr.ini"));
    ExpectUnableToWrite("/proc/velars_nr.ini");
    ExpectUnableToWrite("/proc/self/status");
    EXPECT_TRUE(QFileInfo(Path("folder_nr.ini")).isDir());
}

TEST_F(IniFileWrite, KeepsPermissionsOfTheFileItReplaces) {
    WriteBytes(file_, "[namber]\r\nn=5\r\n");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(file_, mode));
    IniFile(file_).WriteInteger("namber", "n", 6);
    EXPECT_EQ(QFileInfo(file_).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              mode);
    EXPECT_EQ(QDir(Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"c_nr.ini"})
        << "no temporary file left behind";
}

}  // namespace
}  // namespace velars
