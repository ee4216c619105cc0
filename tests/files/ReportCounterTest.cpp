#include <QFileInfo>
#include <climits>

#include "files/IniFile.h"
#include "files/ReportCounter.h"
#include "numbers/Exception.h"
#include "platform/FakePlatformServices.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using test::ReadBytes;
using test::TempFolderTest;
using test::WriteBytes;

const QString kWarning = QStringLiteral(
    "В папку с программой сохранить Log-файл нельзя,\n"
    " выбирите другой путь для сохранения Log-файла.");

TEST(CounterFilePath, ReplacesOnlyTheLastExtensionOfTheName) {
    const struct {
        const char* exe;
        const char* counter;
    } cases[] = {
        {"/opt/velars/calc.old.exe", "/opt/velars/calc.old_nr.ini"},
        {"/opt/velars/velars-tp", "/opt/velars/velars-tp_nr.ini"},
        {"/opt/v.2/velars-tp", "/opt/v.2/velars-tp_nr.ini"},  // a dot in a folder is no extension
        {"/opt/velars/.tp", "/opt/velars/_nr.ini"},
        // '\\' and ':' are plain characters of a Linux file name
        {"/opt/velars/a.b\\c", "/opt/velars/a_nr.ini"},
        {"/opt/velars/a.b:c", "/opt/velars/a_nr.ini"},
        {"calc.exe", "calc_nr.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(CounterFilePath(c.exe), c.counter) << c.exe;
}

TEST(ProgramFolder, KeepsTheTrailingSeparator) {
    EXPECT_EQ(ProgramFolder("/opt/velars/calc.exe"), "/opt/velars/");
    EXPECT_EQ(ProgramFolder("/calc"), "/");
    EXPECT_EQ(ProgramFolder("calc"), "");
}

class ReportCounter : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        folder_ = Path("");
        if (!folder_.endsWith('/')) folder_ += '/';
        platform_.executablePath = folder_ + "velars-tp.exe";
        counter_ = folder_ + "velars-tp_nr.ini";
    }

    // Blocks the folder check: a folder stands where the test file must be made.
    void BlockTestFile() { ASSERT_TRUE(QDir(folder_).mkdir("temp.tp")); }

    void ExpectWarningAndDialog(std::size_t times) {
        ASSERT_EQ(platform_.messageBoxes.size(), times);
        ASSERT_EQ(platform_.saveDialogs.size(), times);
        for (const auto& box : platform_.messageBoxes) {
            EXPECT_EQ(box.text, kWarning);
            EXPECT_EQ(box.caption, "Внимание!");
            EXPECT_EQ(box.style, 0x30u);
            EXPECT_EQ(box.owner, BoxOwner::MainWindow);
        }
        for (const auto& dialog : platform_.saveDialogs) EXPECT_EQ(dialog.filter, "");
    }

    FakePlatformServices platform_;
    SaveLocation location_;
    QString folder_;
    QString counter_;
};

TEST_F(ReportCounter, FirstRunCountsFromOneAndStoresTheNext) {
    EXPECT_EQ(LoadReportNumber(platform_), 1);
    EXPECT_FALSE(QFile::exists(counter_));

    SaveReportNumber(platform_, location_, 2);
    EXPECT_EQ(ReadBytes(counter_), "[namber]\r\nn=2\r\n");
    EXPECT_EQ(LoadReportNumber(platform_), 2);

    EXPECT_TRUE(platform_.messageBoxes.empty());
    EXPECT_TRUE(platform_.saveDialogs.empty());
    EXPECT_EQ(location_.pathLog, folder_.toUtf8());
    EXPECT_FALSE(QFile::exists(folder_ + "temp.tp"));
}

TEST_F(ReportCounter, ReadsHandWrittenValues) {
    const struct {
        const char* value;
        std::int32_t number;
    } cases[] = {{"0x1A", 26}, {"-5", -5}, {"abc", 1}, {"$FFFFFFFF", -1}, {"", 1}};
    for (const auto& c : cases) {
        WriteBytes(counter_, QByteArray("[NAMBER]\r\nN=") + c.value + "\r\n");
        EXPECT_EQ(LoadReportNumber(platform_), c.number) << c.value;
    }
    WriteBytes(counter_, "[other]\r\nn=5\r\n");
    EXPECT_EQ(LoadReportNumber(platform_), 1);
}

TEST_F(ReportCounter, StoringKeepsTheRestOfTheFile) {
    const QByteArray before = "; by hand\n[namber]\nn=-5\n\n[user]\nname=x\n";
    WriteBytes(counter_, before);
    SaveReportNumber(platform_, location_, INT_MIN);
    EXPECT_EQ(ReadBytes(counter_), "; by hand\n[namber]\nn=-2147483648\n\n[user]\nname=x\n");
    EXPECT_EQ(LoadReportNumber(platform_), INT_MIN);
}

TEST_F(ReportCounter, AdvancesInAUtf16FileOfOddLength) {
    // A byte order mark and half a code unit.
    WriteBytes(counter_, QByteArray("\xFF\xFE\x61", 3));
    SaveReportNumber(platform_, location_, 42);
    EXPECT_EQ(LoadReportNumber(platform_), 42);
    const qint64 size = QFileInfo(counter_).size();
    SaveReportNumber(platform_, location_, 43);
    EXPECT_EQ(LoadReportNumber(platform_), 43);
    EXPECT_EQ(QFileInfo(counter_).size(), size) << "the file must not grow per report";
    const QByteArray bytes = ReadBytes(counter_);
    EXPECT_TRUE(bytes.endsWith('\x61')) << "the stray byte stays at the end";
}

TEST_F(ReportCounter, CounterBesideAnExecutableWithTwoExtensions) {
    platform_.executablePath = folder_ + "calc.old.exe";
    SaveReportNumber(platform_, location_, 7);
    EXPECT_EQ(IniFile(folder_ + "calc.old_nr.ini").ReadInteger("namber", "n", 1), 7);
    EXPECT_EQ(LoadReportNumber(platform_), 7);
}

TEST_F(ReportCounter, StaleTestFileIsRemoved) {
    WriteBytes(folder_ + "temp.tp", "left over");
    EXPECT_TRUE(CheckProgramFolder(platform_, location_));
    EXPECT_FALSE(QFile::exists(folder_ + "temp.tp"));
}

TEST_F(ReportCounter, TestFileLinkedElsewhereTouchesNothing) {
    WriteBytes(folder_ + "precious.txt", "keep me");
    ASSERT_TRUE(QFile::link(folder_ + "precious.txt", folder_ + "temp.tp"));
    EXPECT_FALSE(CheckProgramFolder(platform_, location_));
    EXPECT_EQ(ReadBytes(folder_ + "precious.txt"), "keep me");
    ExpectWarningAndDialog(1);
}

TEST_F(ReportCounter, FolderAtTheCounterPath) {
    ASSERT_TRUE(QDir(folder_).mkdir("velars-tp_nr.ini"));
    EXPECT_EQ(LoadReportNumber(platform_), 1);
    try {
        SaveReportNumber(platform_, location_, 2);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + counter_);
    }
}

TEST_F(ReportCounter, ReadOnlyCounterFileFailsTheStore) {
    WriteBytes(counter_, "[namber]\r\nn=9\r\n");
    ASSERT_TRUE(QFile::setPermissions(counter_, QFileDevice::ReadOwner));
    EXPECT_THROW(
        {
            try {
                SaveReportNumber(platform_, location_, 10);
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), "Unable to write to " + counter_);
                throw;
            }
        },
        Exception);
    EXPECT_EQ(LoadReportNumber(platform_), 9);
    EXPECT_TRUE(platform_.messageBoxes.empty()) << "the folder itself passed the check";
}

TEST_F(ReportCounter, BlockedFolderWarnsOffersTheDialogAndStoresNothing) {
    BlockTestFile();
    WriteBytes(counter_, "[namber]\r\nn=4\r\n");
    location_.saveDialogFileName = "/home/user/old.log";
    platform_.QueueSaveCancel();

    SaveReportNumber(platform_, location_, 5);
    ExpectWarningAndDialog(1);
    EXPECT_EQ(platform_.saveDialogs[0].fileName, "/home/user/old.log");
    EXPECT_EQ(location_.pathLog, "/home/user/old.log") << "a cancel keeps the previous name";
    EXPECT_EQ(LoadReportNumber(platform_), 4);
    EXPECT_TRUE(QFileInfo(folder_ + "temp.tp").isDir());

    // The next report asks again; this time the user picks a file.
    platform_.QueueSaveConfirm("/home/user/Отчёт.log");
    EXPECT_FALSE(CheckProgramFolder(platform_, location_));
    ExpectWarningAndDialog(2);
    EXPECT_EQ(platform_.saveDialogs[1].fileName, "/home/user/old.log");
    EXPECT_EQ(location_.saveDialogFileName, "/home/user/Отчёт.log");
    EXPECT_EQ(location_.pathLog, QString("/home/user/Отчёт.log").toUtf8());
}

TEST_F(ReportCounter, FirstCancelLeavesPathLogEmpty) {
    BlockTestFile();
    location_.pathLog = "stale";
    EXPECT_FALSE(CheckProgramFolder(platform_, location_));
    EXPECT_EQ(location_.pathLog, "");
    ExpectWarningAndDialog(1);
    EXPECT_EQ(platform_.saveDialogs[0].fileName, "");
}

TEST_F(ReportCounter, ExecutableInAFolderNoFileCanBeMadeIn) {
    platform_.executablePath = "/proc/velars-tp.exe";
    EXPECT_EQ(LoadReportNumber(platform_), 1);
    SaveReportNumber(platform_, location_, 2);
    ExpectWarningAndDialog(1);
    EXPECT_FALSE(QFile::exists("/proc/velars-tp_nr.ini"));
}

TEST_F(ReportCounter, TestFilePathTakesTheNarrowCodePage) {
    // A folder name the narrow code page cannot hold: the test file path gets
    // a '?' in its place and names a folder that does not exist.
    const QString greek = folder_ + QStringLiteral("Ωmega/");
    ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("Ωmega")));
    platform_.executablePath = greek + "velars-tp.exe";
    platform_.SetNarrowRepertoire(FakePlatformServices::Cp1251Repertoire());
    platform_.QueueSaveConfirm(QStringLiteral("/home/Ωmega/отчёт.log"));

    EXPECT_FALSE(CheckProgramFolder(platform_, location_));
    ExpectWarningAndDialog(1);
    EXPECT_EQ(location_.pathLog, QStringLiteral("/home/?mega/отчёт.log").toUtf8());
    EXPECT_FALSE(QFile::exists(greek + "temp.tp"));
}

}  // namespace
}  // namespace velars
