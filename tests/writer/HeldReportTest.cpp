// A report's document is held back from the user until the report in it
// ends: no window of it is shown before then (a new office window first lies
// at the office's default place and size, over every other window, where it
// took the click meant for another calculator); it is shown when the
// calculator lets go of its objects or after a pause with no call. (Where it
// opens is seen on a real display: the headless office does not keep a
// window's size.) Two reports into one office at once both get their
// documents, numbered in turn.

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <com/sun/star/awt/XWindow2.hpp>
#include <gtest/gtest.h>
#include <algorithm>
#include <numeric>
#include <thread>

#include "files/ReportCounter.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "report/WordConnection.h"
#include "OfficeFixture.h"
#include "tests/support/ReportInputs.h"
#include "writer/UnoDocument.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using namespace std::chrono_literals;

const QSize kMainWindow(291, 640);

// A calculator of the fixture's server: its own program folder (counter).
struct Calculator {
    FakePlatformServices platform;
    SaveLocation location;

    explicit Calculator(const QString& executable) { platform.executablePath = executable; }
    void Report(WordConnection& word) {
        RunReportStep(word, OfficeEnvironment::Factory(), platform, location, kMainWindow,
                      WorkedExample());
    }
};

// Waits until what the calculators left for the office thread is done.
void Settle() {
    OfficeEnvironment::Run([] {});
}

// The server's report pause for one test.
class ReportPause {
public:
    explicit ReportPause(std::chrono::milliseconds pause) {
        OfficeEnvironment::Session().SetReportPause(pause);
    }
    ~ReportPause() {
        OfficeEnvironment::Session().SetReportPause(OfficeEnvironment::Options().reportPause);
    }
};

bool Shown(const Model& document) {
    auto shown = std::make_shared<bool>(false);
    OfficeEnvironment::Run([document, shown] {
        *shown = uno::Reference<css::awt::XWindow2>(WindowOf(document), uno::UNO_QUERY_THROW)
                     ->isVisible();
    });
    return *shown;
}

TEST(HeldReportTest, TheWindowOpensOnlyWhenTheCalculatorLetsGoOfTheReport) {
    QTemporaryDir folder;
    // Reports end only when the calculator lets go of its objects.
    const ReportPause pause(1h);
    Calculator calculator(folder.filePath(QStringLiteral("velars-tp")));
    const std::vector<Model> before = OfficeEnvironment::Documents();
    Model document;
    {
        WordConnection word;
        calculator.Report(word);
        EXPECT_TRUE(calculator.platform.messageBoxes.empty());
        const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
        ASSERT_EQ(added.size(), 1u);
        document = added.front();
        EXPECT_EQ(WriterLooks(document).size(), 30u);
        EXPECT_FALSE(Shown(document)) << "shown before the report ended";
    }
    Settle();
    EXPECT_TRUE(Shown(document));
}

TEST(HeldReportTest, APauseWithNoCallEndsTheReportWhileTheCalculatorKeepsItsObjects) {
    QTemporaryDir folder;
    const ReportPause pause(200ms);
    Calculator calculator(folder.filePath(QStringLiteral("velars-tp")));
    const std::vector<Model> before = OfficeEnvironment::Documents();
    // The window keeps the report's objects until its next report.
    WordConnection word;
    calculator.Report(word);
    const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
    ASSERT_EQ(added.size(), 1u);
    // Every look is a call too: they leave pauses between them.
    QElapsedTimer timer;
    timer.start();
    bool shown = false;
    while (!(shown = Shown(added.front())) && timer.elapsed() < 10000) QThread::msleep(400);
    EXPECT_TRUE(shown);
}

// The number in a report's header line "Расчет № N от DD.MM.YYYY".
int ReportNumber(const Model& document) {
    static const QRegularExpression number(QStringLiteral("^Расчет № (\\d+) от "));
    const std::vector<ParagraphLook> looks = WriterLooks(document);
    for (const ParagraphLook& look : looks)
        if (const auto match = number.match(look.text); match.hasMatch())
            return match.captured(1).toInt();
    return -1;
}

// Two report steps of one folder (one counter) start at the same moment,
// several times, into one office: each gets its own document, held and
// released on its own, the numbers follow one another, and the counter ends
// past the last. (Two calculator processes are the real-display test's.)
TEST(HeldReportTest, TwoReportsAtOnceGetTheirDocumentsNumberedInTurn) {
    QTemporaryDir folder;
    const QString executable = folder.filePath(QStringLiteral("velars-tp"));
    Calculator first(executable);
    Calculator second(executable);
    const std::vector<Model> before = OfficeEnvironment::Documents();
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::thread> threads;
        for (Calculator* calculator : {&first, &second})
            threads.emplace_back([calculator] {
                WordConnection word;
                calculator->Report(word);
            });
        for (std::thread& thread : threads) thread.join();
    }
    EXPECT_TRUE(first.platform.messageBoxes.empty());
    EXPECT_TRUE(second.platform.messageBoxes.empty());
    Settle();

    const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
    ASSERT_EQ(added.size(), std::size_t(2 * kRounds));
    std::vector<int> numbers;
    for (const Model& document : added) {
        numbers.push_back(ReportNumber(document));
        EXPECT_EQ(WriterLooks(document).size(), 30u);
        EXPECT_TRUE(Shown(document));
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<int> expected(2 * kRounds);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(LoadReportNumber(first.platform), 2 * kRounds + 1);
}

}  // namespace
}  // namespace velars::test
