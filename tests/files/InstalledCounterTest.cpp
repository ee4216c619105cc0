// The report counter of a program installed for every user: one counter per
// user in the user's data folder, nothing ever written beside the executable.

#include <QDir>
#include <QFileInfo>

#include "files/ReportCounter.h"
#include "platform/FakePlatformServices.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using test::ReadBytes;
using test::TempFolderTest;
using test::WriteBytes;

class InstalledCounter : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        bin_ = Path("usr/bin");
        ASSERT_TRUE(QDir().mkpath(bin_));
        WriteBytes(bin_ + "/velars-tp", "program");
        platform_.executablePath = bin_ + "/velars-tp";
        platform_.installedBinaryFolder = bin_;
        platform_.userDataFolder = Path("home/.local/share");
        userFolder_ = platform_.userDataFolder + "/velars-tp/";
        userCounter_ = userFolder_ + "velars-tp_nr.ini";
        seed_ = bin_ + "/velars-tp_nr.ini";
    }

    // What lies beside the executable, the executable itself included.
    QStringList BesideTheExecutable() const {
        return QDir(bin_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                    QDir::NoDotAndDotDot);
    }

    FakePlatformServices platform_;
    SaveLocation location_;
    QString bin_;
    QString userFolder_;
    QString userCounter_;
    QString seed_;
};

TEST_F(InstalledCounter, EachUserCountsInTheirOwnFolder) {
    EXPECT_EQ(LoadReportNumber(platform_), 1);
    EXPECT_FALSE(QFileInfo::exists(userFolder_)) << "reading creates nothing";

    SaveReportNumber(platform_, location_, 2);
    EXPECT_EQ(ReadBytes(userCounter_), "[namber]\r\nn=2\r\n");
    EXPECT_EQ(LoadReportNumber(platform_), 2);
    EXPECT_EQ(location_.pathLog, userFolder_.toUtf8());
    EXPECT_FALSE(QFile::exists(userFolder_ + "temp.tp"));
    EXPECT_TRUE(platform_.messageBoxes.empty());
    EXPECT_TRUE(platform_.saveDialogs.empty());
    // The fake lets this user (like root) write and own every folder: only the
    // installation's binary folder makes this an installed program.
    EXPECT_EQ(BesideTheExecutable(), QStringList{"velars-tp"});

    // Another user has a data folder of their own and starts from 1.
    platform_.userDataFolder = Path("other/.local/share");
    EXPECT_EQ(LoadReportNumber(platform_), 1);
}

TEST_F(InstalledCounter, ACounterBesideTheExecutableSeedsTheFirstNumber) {
    WriteBytes(seed_, "[namber]\nn=500\n");
    EXPECT_EQ(LoadReportNumber(platform_), 500);
    SaveReportNumber(platform_, location_, 501);
    EXPECT_EQ(LoadReportNumber(platform_), 501);
    EXPECT_EQ(ReadBytes(seed_), "[namber]\nn=500\n") << "the seed is only read";

    // Once the user's own counter exists, it alone counts, usable or not.
    WriteBytes(userCounter_, "[namber]\nn=abc\n");
    EXPECT_EQ(LoadReportNumber(platform_), 1);
}

TEST_F(InstalledCounter, UnwritableUserFolderWarnsAndStoresNothing) {
    ASSERT_TRUE(QDir().mkpath(userFolder_ + "temp.tp"));  // in the way of the test file
    WriteBytes(seed_, "[namber]\nn=7\n");
    platform_.QueueSaveConfirm("/tmp/report.log");

    SaveReportNumber(platform_, location_, 8);
    ASSERT_EQ(platform_.messageBoxes.size(), 1u);
    EXPECT_EQ(platform_.messageBoxes[0].caption, "Внимание!");
    EXPECT_EQ(platform_.messageBoxes[0].style, 0x30u);
    EXPECT_EQ(platform_.saveDialogs.size(), 1u);
    EXPECT_EQ(location_.pathLog, "/tmp/report.log");
    EXPECT_EQ(LoadReportNumber(platform_), 7);
    EXPECT_FALSE(QFile::exists(userCounter_));
    EXPECT_EQ(BesideTheExecutable(), (QStringList{"velars-tp", "velars-tp_nr.ini"}));
    EXPECT_EQ(ReadBytes(seed_), "[namber]\nn=7\n");
}

TEST_F(InstalledCounter, DataFolderThatCannotBeMadeWarns) {
    WriteBytes(Path("home"), "a file where the home folder should be");
    SaveReportNumber(platform_, location_, 2);
    EXPECT_EQ(platform_.messageBoxes.size(), 1u);
    EXPECT_EQ(LoadReportNumber(platform_), 1);
    EXPECT_EQ(BesideTheExecutable(), QStringList{"velars-tp"});
}

// Outside the installation's binary folder the owner and the write access of
// the program folder decide: only a folder that is neither the user's nor
// writable for them makes the copy an installed one.
TEST_F(InstalledCounter, ProgramFolderElsewhereDecidedByOwnerAndAccess) {
    const QString opt = Path("opt/velars");
    ASSERT_TRUE(QDir().mkpath(opt));
    platform_.executablePath = opt + "/velars-tp";
    const struct {
        bool foreign;
        bool readOnly;
        bool perUser;
    } cases[] = {
        {false, false, false},
        {false, true, false},  // the user's own read-only copy: warned as before
        {true, false, false},  // a shared folder the user may write
        {true, true, true},
    };
    for (const auto& c : cases) {
        platform_.foreignFolders = c.foreign ? std::vector<QString>{opt} : std::vector<QString>{};
        platform_.readOnlyFolders = c.readOnly ? std::vector<QString>{opt + "/"}
                                               : std::vector<QString>{};
        const CounterPlace place = FindCounterPlace(platform_);
        EXPECT_EQ(place.perUser, c.perUser) << c.foreign << c.readOnly;
        EXPECT_EQ(place.counterFile, c.perUser ? userCounter_ : opt + "/velars-tp_nr.ini");
        EXPECT_EQ(place.seedFile, c.perUser ? opt + "/velars-tp_nr.ini" : QString());
    }
}

TEST_F(InstalledCounter, XdgDataHomeWithATrailingSlash) {
    platform_.userDataFolder = Path("data") + "/";
    EXPECT_EQ(FindCounterPlace(platform_).counterFile,
              Path("data") + "/velars-tp/velars-tp_nr.ini");
}

}  // namespace
}  // namespace velars
