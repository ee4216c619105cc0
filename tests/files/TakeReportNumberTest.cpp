// The number of a report written after it is numbered (the command-line
// tool): read, checked, stored, returned, under the counter's lock; nothing
// numbered when the next number cannot be stored. And where the tool finds
// the counter it shares with the window.

#include <QDir>
#include <QFileInfo>
#include <chrono>

#include "files/CounterLock.h"
#include "files/ReportCounter.h"
#include "numbers/Exception.h"
#include "platform/FakePlatformServices.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using namespace std::chrono_literals;
using test::ReadBytes;
using test::TempFolderTest;
using test::WriteBytes;

class TakeReportNumberTest : public TempFolderTest {
protected:
    CounterPlace Place() const { return CounterPlaceOfFile(Path("counter.ini")); }
};

TEST_F(TakeReportNumberTest, ReadsStoresTheNextAndReturnsTheNumber) {
    EXPECT_EQ(TakeReportNumber(Place()), 1);
    EXPECT_EQ(TakeReportNumber(Place()), 2);
    EXPECT_EQ(ReadBytes(Path("counter.ini")), "[namber]\r\nn=3\r\n");
    EXPECT_FALSE(QFile::exists(Path("temp.tp")));

    WriteBytes(Path("counter.ini"), "[other]\r\nk=v\r\n[namber]\r\nn=2147483647\r\n");
    EXPECT_EQ(TakeReportNumber(Place()), 2147483647);
    EXPECT_EQ(ReadBytes(Path("counter.ini")), "[other]\r\nk=v\r\n[namber]\r\nn=-2147483648\r\n");
}

TEST_F(TakeReportNumberTest, NothingIsNumberedWhenTheNextNumberCannotBeStored) {
    WriteBytes(Path("counter.ini"), "[namber]\r\nn=7\r\n");
    // A folder where the write check's file must be made: the counter's
    // folder takes no file.
    ASSERT_TRUE(QDir(Path(".")).mkdir("temp.tp"));
    try {
        TakeReportNumber(Place());
        FAIL() << "a number was taken";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(Path("counter.ini"))) << e.what();
        EXPECT_TRUE(e.Message().contains("cannot be written")) << e.what();
    }
    EXPECT_EQ(ReadBytes(Path("counter.ini")), "[namber]\r\nn=7\r\n");
    ASSERT_TRUE(QDir(Path(".")).rmdir("temp.tp"));

    // A read-only counter in a writable folder: the store fails.
    QFile::setPermissions(Path("counter.ini"), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_THROW(TakeReportNumber(Place()), Exception);
    EXPECT_EQ(ReadBytes(Path("counter.ini")), "[namber]\r\nn=7\r\n");

    // A counter under /proc: no lock file, no write check, no number.
    EXPECT_THROW(TakeReportNumber(CounterPlaceOfFile("/proc/velars/counter.ini")), Exception);
}

TEST_F(TakeReportNumberTest, AnotherReportHoldingTheCounterStopsItAfterTheWait) {
    const CounterLock other(Place().counterFile);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(TakeReportNumber(Place(), 200ms), Exception);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_FALSE(QFile::exists(Path("counter.ini")));
}

TEST_F(TakeReportNumberTest, TheToolFindsTheCounterOfTheWindowBesideIt) {
    FakePlatformServices platform;
    // A portable copy: "velars-tp_nr.ini" beside the tool, read and written.
    platform.executablePath = Path("velars-tp-calc");
    const CounterPlace portable = FindCounterPlaceOf(platform, "velars-tp");
    EXPECT_EQ(portable.counterFile, Path("velars-tp_nr.ini"));
    EXPECT_EQ(portable.folder, Path("velars-tp-calc").chopped(14));
    EXPECT_FALSE(portable.perUser);

    // Installed: the user's own counter, as the window's; the one an
    // administrator put beside the window gives the first number.
    platform.installedBinaryFolder = Path("bin");
    platform.executablePath = Path("bin/velars-tp-calc");
    platform.userDataFolder = Path("data");
    const CounterPlace installed = FindCounterPlaceOf(platform, "velars-tp");
    EXPECT_TRUE(installed.perUser);
    EXPECT_EQ(installed.counterFile, Path("data/velars-tp/velars-tp_nr.ini"));
    EXPECT_EQ(installed.seedFile, Path("bin/velars-tp_nr.ini"));
    platform.executablePath = Path("bin/velars-tp");
    EXPECT_EQ(FindCounterPlace(platform).counterFile, installed.counterFile);

    ASSERT_TRUE(QDir().mkpath(Path("bin")));
    WriteBytes(Path("bin/velars-tp_nr.ini"), "[namber]\r\nn=40\r\n");
    EXPECT_EQ(TakeReportNumber(installed), 40);
    EXPECT_EQ(ReadBytes(Path("data/velars-tp/velars-tp_nr.ini")), "[namber]\r\nn=41\r\n");
    EXPECT_EQ(ReadBytes(Path("bin/velars-tp_nr.ini")), "[namber]\r\nn=40\r\n");

    // A counter named by the user, relative to the current folder.
    const CounterPlace named = CounterPlaceOfFile("relative_nr.ini");
    EXPECT_EQ(named.counterFile, QDir::current().absoluteFilePath("relative_nr.ini"));
    EXPECT_EQ(named.folder, QDir::current().absolutePath() + "/");
    EXPECT_TRUE(named.seedFile.isEmpty());
}

}  // namespace
}  // namespace velars
