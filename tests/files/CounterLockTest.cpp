// The counter's lock: one holder at a time, across processes too; a bounded
// wait that ends in a clear error; no lock, and no error, where the counter's
// folder cannot be written.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <chrono>
#include <thread>

#include "files/CounterLock.h"
#include "numbers/Exception.h"
#include "platform/FakePlatformServices.h"
#include "tests/support/TempFiles.h"

namespace velars {
namespace {

using namespace std::chrono_literals;
using test::TempFolderTest;

class CounterLockTest : public TempFolderTest {
protected:
    QString Counter() const { return Path("velars-tp_nr.ini"); }
};

TEST_F(CounterLockTest, ASecondHolderWaitsForTheFirstToLetGo) {
    auto first = std::make_unique<CounterLock>(Counter(), 100ms);
    ASSERT_TRUE(first->Held());
    EXPECT_TRUE(QFile::exists(Counter() + ".lock"));

    std::thread release([&first] {
        std::this_thread::sleep_for(150ms);
        first.reset();
    });
    const auto start = std::chrono::steady_clock::now();
    const CounterLock second(Counter(), 5s);
    release.join();
    EXPECT_TRUE(second.Held());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    // The lock file stays for the next report.
    EXPECT_TRUE(QFile::exists(Counter() + ".lock"));
}

TEST_F(CounterLockTest, TheWaitEndsWithAnErrorThatNamesTheLockFile) {
    const CounterLock first(Counter());
    try {
        const CounterLock second(Counter(), 200ms);
        FAIL() << "the second lock was taken while the first was held";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith("Счетчик отчетов занят другим расчетом дольше 0.2 с"))
            << e.what();
        EXPECT_TRUE(e.Message().contains(Counter() + ".lock")) << e.what();
    }
}

TEST_F(CounterLockTest, ReleaseLetsTheNextHolderInAtOnce) {
    CounterLock first(Counter());
    first.Release();
    EXPECT_FALSE(first.Held());
    EXPECT_TRUE(CounterLock(Counter(), 0ms).Held());
}

TEST_F(CounterLockTest, ALockHeldByAnotherProcessIsWaitedFor) {
    // flock(1) holds the same lock file from another process until its
    // command ends.
    QProcess holder;
    holder.start("flock", {Counter() + ".lock", "sh", "-c", "echo held; read line"});
    ASSERT_TRUE(holder.waitForReadyRead(5000)) << "flock(1) did not start";
    EXPECT_THROW(CounterLock(Counter(), 100ms), Exception);
    holder.write("\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(5000));
    EXPECT_TRUE(CounterLock(Counter(), 5s).Held());
}

TEST_F(CounterLockTest, AFolderThatCannotBeWrittenTakesNoLockAndRaisesNothing) {
    // A missing folder, and a path under /proc where nothing can be made.
    for (const QString& counter :
         {Path("missing/velars-tp_nr.ini"), QStringLiteral("/proc/velars-tp_nr.ini")}) {
        const CounterLock lock(counter, 0ms);
        EXPECT_FALSE(lock.Held()) << counter.toStdString();
    }
}

TEST_F(CounterLockTest, SomethingElseInTheWayOfTheLockFileIsAnError) {
    // A folder, and a symbolic link that is never followed.
    ASSERT_TRUE(QDir(Path("")).mkdir("velars-tp_nr.ini.lock"));
    EXPECT_THROW(CounterLock(Counter(), 0ms), Exception);
    ASSERT_TRUE(QFile::link(Path("elsewhere"), Path("other_nr.ini.lock")));
    EXPECT_THROW(CounterLock(Path("other_nr.ini"), 0ms), Exception);
    EXPECT_FALSE(QFile::exists(Path("elsewhere")));
}

TEST_F(CounterLockTest, AnInstalledProgramLocksTheCounterInTheUsersOwnFolder) {
    FakePlatformServices platform;
    platform.executablePath = "/usr/bin/velars-tp";
    platform.installedBinaryFolder = "/usr/bin";
    platform.userDataFolder = Path("data");
    const CounterLock lock(platform, 0ms);
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(QFile::exists(Path("data/velars-tp/velars-tp_nr.ini.lock")));
}

}  // namespace
}  // namespace velars
