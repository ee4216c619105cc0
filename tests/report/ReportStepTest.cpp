// The report step: Word, the numbered header with the counter file, the body;
// and how it ends when Word fails at any point.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <limits>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include "automation/Automation.h"
#include "files/CounterLock.h"
#include "files/ReportCounter.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "tests/support/RecordingWordServer.h"

namespace velars {
namespace {

using test::RecordingWordServer;

constexpr int kStartAccesses = 19;
constexpr int kParagraphAccesses = 15;
constexpr int kHeaderParagraphs = 5;

class ReportStepTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform.executablePath = folder.filePath("velars-tp");
        platform.separators = Separators{QLatin1Char(','), QLatin1Char(' ')};
        platform.today = QDate(2026, 3, 5);
        inputs.model = 3;
        inputs.section = 1;
        inputs.dyText = "100";
        inputs.record.valTgaza = 293.15f;
        inputs.record.valPizb = 100000.0f;
        server.Register(factory);
    }

    QString CounterFile() const { return CounterFilePath(platform.executablePath); }
    std::int32_t StoredNumber() { return LoadReportNumber(platform); }

    void Run() { RunReportStep(word, factory, platform, location, QSize(780, 560), inputs); }

    QStringList DocumentTexts(std::size_t app = 0) const {
        QStringList texts;
        for (const auto& p : server.Applications().at(app)->documents.at(0)->paragraphs)
            if (p.textSet) texts << p.text;
        return texts;
    }

    QTemporaryDir folder;
    FakePlatformServices platform;
    SaveLocation location;
    ObjectFactory factory;
    RecordingWordServer server;
    WordConnection word;
    ReportInputs inputs;
};

TEST_F(ReportStepTest, WritesHeaderAndBodyAndAdvancesTheCounter) {
    ASSERT_FALSE(QFile::exists(CounterFile()));
    Run();

    std::vector<ReportParagraph> expected = HeaderParagraphs(1, QDate(2026, 3, 5));
    for (const ReportParagraph& p : BodyParagraphs(inputs, platform.separators))
        expected.push_back(p);
    ASSERT_EQ(expected.size(), 5u + 24u);
    const auto& paragraphs = server.Applications().at(0)->documents.at(0)->paragraphs;
    ASSERT_EQ(paragraphs.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(paragraphs[i].text, expected[i].text);
        EXPECT_EQ(paragraphs[i].size, expected[i].size);
        EXPECT_EQ(paragraphs[i].bold, expected[i].bold);
        EXPECT_EQ(paragraphs[i].alignment, expected[i].alignment);
        EXPECT_FALSE(paragraphs[i].superscript);
    }
    EXPECT_EQ(paragraphs[4].text, "Расчет № 1 от 05.03.2026");
    EXPECT_EQ(server.Calls().size(), std::size_t(kStartAccesses + 29 * kParagraphAccesses));
    EXPECT_EQ(word.nParagraph, 30);
    EXPECT_TRUE(QFile::exists(CounterFile()));
    EXPECT_EQ(StoredNumber(), 2);
    EXPECT_TRUE(platform.messageBoxes.empty());

    // The next report: a new Word, the next number.
    Run();
    EXPECT_EQ(server.Creations(), 2);
    EXPECT_EQ(DocumentTexts(1).at(4), "Расчет № 2 от 05.03.2026");
    EXPECT_EQ(StoredNumber(), 3);
}

TEST_F(ReportStepTest, ANumberedStepWritesTheSameReportAndLeavesTheCounterAlone) {
    ASSERT_TRUE(RunNumberedReportStep(word, factory, platform, QSize(780, 560), inputs, 42));
    std::vector<ReportParagraph> expected = HeaderParagraphs(42, QDate(2026, 3, 5));
    for (const ReportParagraph& p : BodyParagraphs(inputs, platform.separators))
        expected.push_back(p);
    QStringList texts;
    for (const ReportParagraph& p : expected) texts << p.text;
    EXPECT_EQ(DocumentTexts(), texts);
    EXPECT_FALSE(QFile::exists(CounterFile()));
    EXPECT_FALSE(QFile::exists(CounterLock::LockFilePath(CounterFile())));

    // Word that does not start: false, after its box, and nothing written.
    RecordingWordServer failing;
    failing.SetCreationMode(test::CreationMode::Throw);
    failing.Register(factory);
    WordConnection other;
    EXPECT_FALSE(RunNumberedReportStep(other, factory, platform, QSize(), inputs, 43));
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Ошибка при открытии сервера Word");
}

TEST_F(ReportStepTest, TheCounterWrapsAroundInTwosComplement) {
    SaveReportNumber(platform, location, std::numeric_limits<std::int32_t>::max());
    Run();
    EXPECT_EQ(DocumentTexts().at(4), "Расчет № 2147483647 от 05.03.2026");
    EXPECT_EQ(StoredNumber(), std::numeric_limits<std::int32_t>::min());
}

// After either failure box of StartWord nothing more happens: no paragraph
// is written into the previous report's document, and the counter is
// neither read nor advanced.
TEST_F(ReportStepTest, AFailedStartEndsTheStep) {
    Run();  // an earlier report whose objects the window still holds
    ASSERT_EQ(StoredNumber(), 2);
    const QStringList earlier = DocumentTexts();
    const int callsBefore = static_cast<int>(server.Calls().size());

    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString box;
        int calls;  // automation calls the failed step made
    };
    const Case cases[] = {
        {"no Word", [&] { factory.Unregister("Word.Application"); },
         "Ошибка при открытии сервера Word", 0},
        {"Word cannot start",
         [&] {
             server.Register(factory);
             server.SetCreationMode(test::CreationMode::Throw);
         },
         "Ошибка при открытии сервера Word", 0},
        {"no document",
         [&] {
             server.SetCreationMode(test::CreationMode::Succeed);
             server.AnswerCountWith(Variant::FromI4(2));
         },
         "Ошибка при создании документов", 4},
    };
    int calls = callsBefore;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        platform.ClearCalls();
        Run();
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text, c.box);
        EXPECT_TRUE(platform.saveDialogs.empty());
        calls += c.calls;
        EXPECT_EQ(static_cast<int>(server.Calls().size()), calls);
        EXPECT_EQ(DocumentTexts(), earlier);
        EXPECT_EQ(StoredNumber(), 2);
    }
}

TEST_F(ReportStepTest, TheCounterIsNotReadWhenWordDoesNotStart) {
    // A counter "file" that is a folder would be seen by reading (number 1)
    // and make storing fail; the failed start must touch neither.
    factory.Unregister("Word.Application");
    ASSERT_TRUE(QDir().mkdir(CounterFile()));
    EXPECT_NO_THROW(Run());
    EXPECT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_TRUE(QFileInfo(CounterFile()).isDir());
}

// Another report step holds the counter: after the wait this one stops with
// the error, its document empty, the counter neither read nor advanced; once
// the other lets go, the next report takes the next number.
TEST_F(ReportStepTest, ACounterHeldElsewhereStopsTheStepBeforeTheHeader) {
    Run();
    ASSERT_EQ(StoredNumber(), 2);
    auto other = std::make_unique<CounterLock>(CounterFile());
    ASSERT_TRUE(other->Held());
    try {
        RunReportStep(word, factory, platform, location, QSize(780, 560), inputs,
                      std::chrono::milliseconds(50));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith("Счетчик отчетов занят")) << e.what();
    }
    EXPECT_EQ(server.Creations(), 2);
    EXPECT_TRUE(DocumentTexts(1).isEmpty());
    EXPECT_EQ(StoredNumber(), 2);

    other.reset();
    Run();
    EXPECT_EQ(DocumentTexts(2).at(4), "Расчет № 2 от 05.03.2026");
    EXPECT_EQ(StoredNumber(), 3);
}

// The folder warning waits for the user: the lock is let go before it.
TEST_F(ReportStepTest, TheFolderWarningDoesNotKeepTheCounterLocked) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("temp.tp"));  // the folder check fails
    bool lockedDuringWarning = true;
    platform.onMessageBox = [&] {
        lockedDuringWarning = !CounterLock(CounterFile(), std::chrono::milliseconds(0)).Held();
    };
    EXPECT_NO_THROW(Run());
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_FALSE(lockedDuringWarning);
}

TEST_F(ReportStepTest, AFailedStoreEndsTheReportAfterTheHeader) {
    ASSERT_TRUE(QDir().mkdir(CounterFile()));  // the store cannot write the file
    try {
        Run();
        FAIL() << "no error";
    } catch (const EOleSysError&) {
        FAIL() << "not an automation error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith("Unable to write to")) << e.what();
    }
    EXPECT_EQ(DocumentTexts().size(), kHeaderParagraphs);
    EXPECT_EQ(DocumentTexts().last(), "Расчет № 1 от 05.03.2026");
}

// A server failing at each access of a report in turn: the error leaves the
// step with its code and text, nothing more is called, and the counter is
// advanced only when the whole header was written.
TEST_F(ReportStepTest, AServerFailingAtEachCallEndsTheReportThere) {
    struct Failure {
        HRESULT code;
        test::FailStage stage;
        const char* message;
    };
    const Failure failures[] = {
        {DISP_E_EXCEPTION, test::FailStage::Invoke, "Exception occurred"},
        {RPC_E_DISCONNECTED, test::FailStage::Invoke,
         "The object invoked has disconnected from its clients"},
        {DISP_E_UNKNOWNNAME, test::FailStage::Lookup, "Unknown name"},
        {HRESULT(0x80012345u), test::FailStage::Invoke, "OLE error 80012345"},
        {E_FAIL, test::FailStage::Lookup, "Unspecified error"},
    };
    const int total = kStartAccesses + 29 * kParagraphAccesses;
    const int headerDone = kStartAccesses + kHeaderParagraphs * kParagraphAccesses;
    for (int k = 1; k <= total; ++k) {
        SCOPED_TRACE(k);
        const Failure& failure = failures[k % std::size(failures)];
        QFile::remove(CounterFile());
        RecordingWordServer failing;
        ObjectFactory failingFactory;
        failing.Register(failingFactory);
        failing.FailAtCall(k, failure.code, failure.stage);
        WordConnection fresh;

        try {
            RunReportStep(fresh, failingFactory, platform, location, QSize(780, 560), inputs);
            ADD_FAILURE() << "no error";
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.ErrorCode(), failure.code);
            EXPECT_EQ(e.Message(), failure.message);
        }
        ASSERT_EQ(static_cast<int>(failing.Calls().size()), k);
        EXPECT_EQ(failing.Calls().back().answer, failure.code);
        EXPECT_EQ(failing.DeferredFillIns(), failure.code == DISP_E_EXCEPTION ? 1 : 0);
        EXPECT_EQ(QFile::exists(CounterFile()), k > headerDone);
        if (k > headerDone) {
            EXPECT_EQ(StoredNumber(), 2);
        }
    }
    EXPECT_TRUE(platform.messageBoxes.empty());
}

}  // namespace
}  // namespace velars
