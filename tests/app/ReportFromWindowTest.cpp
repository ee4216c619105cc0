// The report as the window writes it: the calculate button with the report
// box ticked, a recording Word server behind the window's object factory and
// the counter file in a temporary program folder. What is checked here is
// the window's side of it: which boxes the user sees, what the pane keeps,
// how the counter moves, and that the window goes on working after a failed
// report.

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "automation/Automation.h"
#include "files/ReportCounter.h"
#include "MainFormFixture.h"
#include "tests/support/RecordingWordServer.h"
#include "widgets/GlassButton.h"
#include "widgets/RichTextPane.h"

namespace velars {
namespace {

using test::CreationMode;
using test::FailStage;
using test::FakeParagraph;
using test::RecordingWordServer;

// Member accesses: starting Word, then one paragraph.
constexpr int kStartAccesses = 19;
constexpr int kParagraphAccesses = 15;
constexpr int kHeaderParagraphs = 5;
constexpr int kBodyParagraphs = 24;  // model 3, section 1: every body row is written
constexpr int kHeaderEnd = kStartAccesses + kHeaderParagraphs * kParagraphAccesses;
constexpr int kReportEnd = kHeaderEnd + kBodyParagraphs * kParagraphAccesses;

const QString kToday = QStringLiteral("05.03.2026");
const QString kFolderWarning = QStringLiteral(
    "В папку с программой сохранить Log-файл нельзя,\n выбирите другой путь для сохранения "
    "Log-файла.");

// One paragraph as the document should hold it.
struct Expected {
    QString text;
    int size;
    bool bold;
    int alignment;
};

// The report of the worked example, number 1, with the fake's separators
// (a comma and a no-break space).
std::vector<Expected> WorkedExampleReport(const QString& headerLine) {
    const auto header = [](QString text) { return Expected{std::move(text), 14, true, 1}; };
    const auto bold = [](QString text) { return Expected{std::move(text), 12, true, 0}; };
    const auto plain = [](QString text) { return Expected{std::move(text), 12, false, 0}; };
    return {
        header("Программный комплекс \"ВЕЛАРС-ТП\""),
        header("модуль \"Оценка потерь давления\""),
        header("версия 2.02 от 03.03.20"),
        header(""),
        header(headerLine),
        bold(""),
        bold("Вариант конструкции прибора:"),
        bold(""),
        plain("Тип измерительного прибора: ВЕЛАРС-МТ7"),
        plain("Тип измерительного участка: Турбулизатор-Н"),
        plain("Диаметр условного прохода: Ду100"),
        bold(""),
        bold("Исходные данные для расчета:"),
        bold(""),
        plain("Плотность при стандартных условиях, ph: 0,68 кг/м3"),
        plain("Расход при стандартных условиях, Q: 500,00 нм3/ч"),
        plain("Температура газа, tгаза: 20,00 град. С"),
        plain(QStringLiteral("Избыточное давление, Ризб.: 0,30 МПа (30\u00A0591 мм вод. ст.)")),
        plain("Атмосферное давление, Ратм.: 101,33 KПа."),
        bold(""),
        bold(""),
        bold("Результаты расчета:"),
        bold(""),
        plain("Наибольшие потери давления на ПП и УПП (в чистом состоянии):"),
        bold("73,76 Па ( 8 мм вод. ст.)"),
        plain("Допустимое значение увеличения перепада давления на загрязненном УПП:"),
        bold("7,38 Па ( 1 мм вод. ст.)."),
        plain(""),
        plain("УПП - Устройство Подготовки Потока"),
    };
}

class ReportFromWindow : public test::MainFormTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform.executablePath = folder.filePath("velars-tp");
        platform.today = QDate(2026, 3, 5);
        form = std::make_unique<TmainForm>(platform, factory);
        form->FormCreate();
        server = std::make_unique<RecordingWordServer>();
        server->Register(factory);
        Show();
        EnterWorkedExample();
        Find<QCheckBox>("cbOtchet")->setChecked(true);
    }

    // Model 3 ("ВЕЛАРС-МТ7"), section 1, Dy 100 and the worked example's values.
    void EnterWorkedExample() {
        Pick("cbPribor", 3);
        Pick("cbUchastok", 1);
        Pick("cbDy", 3);
        Type("mePlotnost", "0,68");
        Type("meQ", "500");
        Type("meTgaza", "20");
        Type("mePizb", "0,3");
        Type("mePatm", "101,325");
    }

    // A new recording server in place of the one the factory had.
    RecordingWordServer& ReplaceServer() {
        server = std::make_unique<RecordingWordServer>();
        server->Register(factory);
        return *server;
    }

    void Press() {
        platform.ClearCalls();
        QTest::mouseClick(Find<GlassButton>("butRaschhet"), Qt::LeftButton);
    }

    QString CounterFile() const { return CounterFilePath(platform.executablePath); }
    std::int32_t StoredNumber() { return LoadReportNumber(platform); }

    RichTextPane* Pane() const { return Find<RichTextPane>("RichEdit1"); }

    // The pane as the worked example leaves it.
    void ExpectResultsInThePane() {
        ASSERT_EQ(Pane()->LineCount(), 9);
        EXPECT_EQ(Pane()->Lines().at(3), "73,76 Па ( 8 мм вод. ст.)");
        EXPECT_EQ(Pane()->Lines().at(8), "7,38 Па ( 1 мм вод. ст.).");
    }

    // The paragraphs the report wrote into the document of application
    // `app` (0-based): those that received a text. A new document holds one
    // empty paragraph of its own, which stays after the report.
    std::vector<FakeParagraph> Written(std::size_t app = 0) const {
        std::vector<FakeParagraph> written;
        const auto& apps = server->Applications();
        if (app >= apps.size() || apps[app]->documents.empty()) return written;
        for (const FakeParagraph& p : apps[app]->documents.front()->paragraphs)
            if (p.textSet) written.push_back(p);
        return written;
    }

    QStringList WrittenTexts(std::size_t app = 0) const {
        QStringList texts;
        for (const FakeParagraph& p : Written(app)) texts << p.text;
        return texts;
    }

    static QString HeaderLine(int number) {
        return QStringLiteral("Расчет № %1 от %2").arg(number).arg(kToday);
    }

    void ExpectDocument(std::size_t app, const std::vector<Expected>& expected) {
        const std::vector<FakeParagraph> written = Written(app);
        ASSERT_EQ(written.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(written[i].text, expected[i].text);
            EXPECT_EQ(written[i].size, expected[i].size);
            EXPECT_EQ(written[i].bold, expected[i].bold);
            EXPECT_EQ(written[i].alignment, expected[i].alignment);
            EXPECT_FALSE(written[i].superscript);
        }
    }

    void ExpectOnlyBox(const QString& text, const QString& caption, unsigned style,
                       BoxOwner owner) {
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        const auto& box = platform.messageBoxes.front();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.style, style);
        EXPECT_EQ(box.owner, owner);
    }

    QTemporaryDir folder;
    std::unique_ptr<RecordingWordServer> server;
};

TEST_F(ReportFromWindow, ThePressWritesTheNumberedReportAndAdvancesTheCounter) {
    ASSERT_FALSE(QFile::exists(CounterFile()));
    Press();

    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_TRUE(platform.saveDialogs.empty());
    ExpectResultsInThePane();
    ASSERT_EQ(server->Creations(), 1);
    ExpectDocument(0, WorkedExampleReport(HeaderLine(1)));
    // One empty paragraph of the new document follows the report.
    EXPECT_EQ(server->Applications()[0]->documents.front()->paragraphs.size(),
              std::size_t(kHeaderParagraphs + kBodyParagraphs + 1));
    EXPECT_EQ(server->Accesses(), kReportEnd);
    EXPECT_EQ(form->Word().nParagraph, kHeaderParagraphs + kBodyParagraphs + 1);
    EXPECT_EQ(StoredNumber(), 2);
    EXPECT_EQ(form->Location().pathLog, (folder.path() + "/").toUtf8());
    EXPECT_FALSE(QFile::exists(folder.filePath("temp.tp")));

    // The second press: a new application object and the next number; the
    // first report's document is left as it was.
    Press();
    EXPECT_TRUE(platform.messageBoxes.empty());
    ASSERT_EQ(server->Creations(), 2);
    ExpectDocument(1, WorkedExampleReport(HeaderLine(2)));
    EXPECT_EQ(WrittenTexts(0).at(4), HeaderLine(1));
    EXPECT_EQ(StoredNumber(), 3);
}

TEST_F(ReportFromWindow, InvalidInputShowsOnlyTheInputErrorAndNeverStartsWord) {
    Type("meQ", "500x");
    Press();
    ExpectOnlyBox("Ошибка ввода параметров!", "Ошибка!", MB_ICONERROR, BoxOwner::Application);
    EXPECT_EQ(server->CreationAttempts(), 0);
    EXPECT_EQ(server->Accesses(), 0);
    EXPECT_EQ(Pane()->LineCount(), 0);
    EXPECT_FALSE(QFile::exists(CounterFile()));
}

// A failed start is told in its own box and ends the report there: the
// pane keeps the results, the counter file is neither read nor created, and
// no other box follows (in particular no general error box for a call on
// an empty Word object).
TEST_F(ReportFromWindow, AFailedStartShowsItsOwnBoxOnly) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString box;
        int accesses;  // member accesses the failed start made
    };
    const Case cases[] = {
        {"no Word.Application", [&] { factory.Unregister("Word.Application"); },
         "Ошибка при открытии сервера Word", 0},
        {"the server cannot start", [&] { ReplaceServer().SetCreationMode(CreationMode::Throw); },
         "Ошибка при открытии сервера Word", 0},
        {"the server returns no object",
         [&] { ReplaceServer().SetCreationMode(CreationMode::ReturnNull); },
         "Ошибка при открытии сервера Word", 0},
        {"Documents.Count is 2", [&] { ReplaceServer().AnswerCountWith(Variant::FromI4(2)); },
         "Ошибка при создании документов", 4},
        {"Documents.Count is 0", [&] { ReplaceServer().AnswerCountWith(Variant::FromI4(0)); },
         "Ошибка при создании документов", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        Press();
        ExpectOnlyBox(c.box, "Ошибка", MB_OK, BoxOwner::None);
        EXPECT_TRUE(platform.saveDialogs.empty());
        ExpectResultsInThePane();
        EXPECT_EQ(server->Accesses(), c.accesses);
        EXPECT_TRUE(WrittenTexts().isEmpty());
        EXPECT_FALSE(QFile::exists(CounterFile()));
        EXPECT_EQ(form->Word().nParagraph, 0);
    }

    // With Word back, the next press writes report number 1.
    ReplaceServer();
    Press();
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(WrittenTexts().size(), kHeaderParagraphs + kBodyParagraphs);
    EXPECT_EQ(WrittenTexts().at(4), HeaderLine(1));
    EXPECT_EQ(StoredNumber(), 2);
}

// Word fails at access k of the report: the general error box shows the
// automation error, the pane keeps its results, the counter has moved only
// if the whole header was written, and the next press with a working server
// writes a complete report.
TEST_F(ReportFromWindow, AFailingServerEndsTheReportInTheGeneralErrorBox) {
    struct Case {
        const char* where;
        int k;
        HRESULT code;
        FailStage stage;
        QString boxText;
    };
    const Case cases[] = {
        {"StartWord: Visible", 1, RPC_E_DISCONNECTED, FailStage::Invoke,
         "The object invoked has disconnected from its clients."},
        {"StartWord: Documents.Item", 5, DISP_E_EXCEPTION, FailStage::Invoke,
         "Exception occurred."},
        {"StartWord: the last access, LineSpacing", kStartAccesses, DISP_E_UNKNOWNNAME,
         FailStage::Lookup, "Unknown name."},
        {"the first header paragraph", kStartAccesses + 1, E_FAIL, FailStage::Invoke,
         "Unspecified error."},
        {"the header's number line", kStartAccesses + 4 * kParagraphAccesses + 4,
         HRESULT(0x80012345u), FailStage::Invoke, "OLE error 80012345."},
        {"the last access of the header", kHeaderEnd, RPC_E_DISCONNECTED, FailStage::Lookup,
         "The object invoked has disconnected from its clients."},
        {"the first access after the header", kHeaderEnd + 1, RPC_E_DISCONNECTED, FailStage::Invoke,
         "The object invoked has disconnected from its clients."},
        {"the body's results line", kHeaderEnd + 19 * kParagraphAccesses + 7, DISP_E_EXCEPTION,
         FailStage::Invoke, "Exception occurred."},
        {"the last access of the body", kReportEnd, E_FAIL, FailStage::Lookup,
         "Unspecified error."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        QFile::remove(CounterFile());
        RecordingWordServer& failing = ReplaceServer();
        failing.FailAtCall(c.k, c.code, c.stage);

        Press();
        ExpectOnlyBox(c.boxText, "velars-tp", MB_ICONERROR, BoxOwner::MainWindow);
        EXPECT_EQ(platform.messageBoxes.front().caption, form->Title());
        EXPECT_TRUE(platform.saveDialogs.empty());
        ExpectResultsInThePane();
        EXPECT_EQ(failing.Accesses(), c.k) << "nothing is called after the failure";
        const bool headerDone = c.k > kHeaderEnd;
        EXPECT_EQ(QFile::exists(CounterFile()), headerDone);
        const int number = headerDone ? 2 : 1;
        EXPECT_EQ(StoredNumber(), number);

        // The same server answers again from the next access on.
        Press();
        EXPECT_TRUE(platform.messageBoxes.empty());
        ASSERT_EQ(failing.Creations(), 2);
        EXPECT_EQ(WrittenTexts(1).size(), kHeaderParagraphs + kBodyParagraphs);
        EXPECT_EQ(WrittenTexts(1).value(4), HeaderLine(number));
        EXPECT_EQ(StoredNumber(), number + 1);
        ExpectResultsInThePane();
    }
}

// The program folder takes no file: the warning and the save dialog come
// between header and body on every report, the number stays, and the
// report is written in full all the same.
TEST_F(ReportFromWindow, AReadOnlyProgramFolderWarnsOnEveryReport) {
    struct Case {
        const char* name;
        std::function<QString()> executable;
    };
    const Case cases[] = {
        {"a folder temp.tp in the program folder",
         [&] {
             const QString programs = folder.filePath("programs");
             EXPECT_TRUE(QDir().mkpath(programs + "/temp.tp"));
             return programs + "/velars-tp";
         }},
        {"a program folder under /proc", [] { return QStringLiteral("/proc/velars-tp"); }},
    };
    QString dialogName;  // the save dialog's FileName, kept by the window
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.executablePath = c.executable();
        const QString logFile = folder.filePath(QStringLiteral("%1.log").arg(c.name));
        platform.QueueSaveConfirm(logFile);
        platform.QueueSaveCancel();

        for (int report = 1; report <= 2; ++report) {
            SCOPED_TRACE(report);
            RecordingWordServer& word = ReplaceServer();
            Press();
            ExpectOnlyBox(kFolderWarning, "Внимание!", 0x30, BoxOwner::MainWindow);
            ASSERT_EQ(platform.saveDialogs.size(), 1u);
            // The dialog opens with the name last confirmed; the cancelled
            // second dialog leaves it in place.
            EXPECT_EQ(platform.saveDialogs[0].fileName, dialogName);
            dialogName = logFile;
            EXPECT_EQ(form->Location().pathLog, logFile.toUtf8());
            EXPECT_EQ(word.Accesses(), kReportEnd);
            const QStringList texts = WrittenTexts();
            ASSERT_EQ(texts.size(), kHeaderParagraphs + kBodyParagraphs);
            EXPECT_EQ(texts[4], HeaderLine(1));
            EXPECT_EQ(texts.last(), "УПП - Устройство Подготовки Потока");
            EXPECT_FALSE(QFileInfo::exists(CounterFile()));
            ExpectResultsInThePane();
        }
    }
}

// A folder stands where the counter file must be written: reading sees no
// file (number 1), the store fails, and the error ends the report after the
// header.
TEST_F(ReportFromWindow, ACounterFileThatCannotBeWrittenEndsTheReportAfterTheHeader) {
    ASSERT_TRUE(QDir().mkdir(CounterFile()));
    Press();
    ExpectOnlyBox("Unable to write to " + CounterFile() + ".", form->Title(), MB_ICONERROR,
                  BoxOwner::MainWindow);
    EXPECT_TRUE(platform.saveDialogs.empty());
    ExpectResultsInThePane();
    EXPECT_EQ(server->Accesses(), kHeaderEnd);
    const QStringList texts = WrittenTexts();
    ASSERT_EQ(texts.size(), kHeaderParagraphs);
    EXPECT_EQ(texts.last(), HeaderLine(1));

    // Once the folder is gone the counter is stored again.
    ASSERT_TRUE(QDir().rmdir(CounterFile()));
    ReplaceServer();
    Press();
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(WrittenTexts().size(), kHeaderParagraphs + kBodyParagraphs);
    EXPECT_EQ(StoredNumber(), 2);
}

// "Отчет с ходом расчета" in the results pane's context menu: the
// calculate button's run, then the report with its "Ход расчета" part,
// whether the report box is ticked or not.
TEST_F(ReportFromWindow, TheContextMenuWritesTheReportWithTheCalculation) {
    QAction* action = form->ResultsMenu()->findChild<QAction*>("actDetailedReport");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), "Отчет с ходом расчета");

    for (const bool ticked : {false, true}) {
        SCOPED_TRACE(ticked ? "box ticked" : "box not ticked");
        Find<QCheckBox>("cbOtchet")->setChecked(ticked);
        RecordingWordServer& word = ReplaceServer();
        platform.ClearCalls();
        action->trigger();
        EXPECT_TRUE(platform.messageBoxes.empty());
        ExpectResultsInThePane();
        ASSERT_EQ(word.Creations(), 1);
        const QStringList texts = WrittenTexts();
        QStringList plain;
        for (const Expected& e : WorkedExampleReport(HeaderLine(ticked ? 2 : 1))) plain << e.text;
        ASSERT_GT(texts.size(), plain.size() + 3);
        EXPECT_EQ(texts.mid(0, plain.size()), plain);
        EXPECT_EQ(texts.mid(plain.size(), 3), QStringList({"", "Ход расчета", ""}));
        // The window's own values: model 3, Dy 100, section 1.
        EXPECT_TRUE(texts.contains("суммарный коэффициент: ζΣ = ζПП + ζтурб = 0,95 + 1,8 = 2,75"));
        EXPECT_TRUE(texts.last().endsWith("= 7,37614 Па")) << texts.last().toStdString();
    }
    EXPECT_EQ(StoredNumber(), 3);

    // Invalid input: the calculate button's box, an empty pane, no report.
    Type("meQ", "x");
    RecordingWordServer& word = ReplaceServer();
    platform.ClearCalls();
    action->trigger();
    ExpectOnlyBox("Ошибка ввода параметров!", "Ошибка!", MB_ICONERROR, BoxOwner::Application);
    EXPECT_EQ(Pane()->LineCount(), 0);
    EXPECT_EQ(word.Creations(), 0);
    EXPECT_EQ(StoredNumber(), 3);
}

}  // namespace
}  // namespace velars
