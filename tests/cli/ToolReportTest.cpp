// velars-tp-calc's numbered reports, run as a process the way scripts run
// it: the report of --report is the window's report, in DOCX, ODT and PDF
// as read back by python-docx, a plain ODF reader and pdfminer; one report
// per good row of a batch with the "report" column; numbers never given
// twice, with batches and the window all reporting at once on one counter;
// no number where the next one cannot be stored; the "Ход расчета" part
// with the values --verbose prints.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <set>

#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "docserver/ParagraphEditing.h"
#include "files/ReportCounter.h"
#include "tests/support/TempFiles.h"
#include "MainFormFixture.h"
#include "widgets/GlassButton.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }
QT_END_NAMESPACE

namespace velars {
namespace {

const QString kRussian = QStringLiteral("ru_RU.UTF-8");

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

QProcessEnvironment ToolEnvironment(const QString& locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_NUMERIC"));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    return environment;
}

ToolRun Tool(const QStringList& arguments, const QString& locale = kRussian,
             const QString& program = QStringLiteral(VELARS_CALC_TOOL)) {
    QProcess process;
    process.setProcessEnvironment(ToolEnvironment(locale));
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << arguments.join(' ').toStdString();
    ToolRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The worked example's gas with a model, section and diameter.
QStringList Installation(int model, int section, int dy) {
    return {"--model",       QString::number(model),
            "--section",     QString::number(section),
            "--dy",          QString::number(dy),
            "--density",     "0,68",
            "--flow",        "500",
            "--temperature", "20",
            "--gauge",       "0,3",
            "--atm",         "101,325"};
}

// One paragraph (or, from a PDF, one line) as a reader script gives it.
struct ReadParagraph {
    QString text;
    int alignment = -1;  // -1 where the reader cannot tell (PDF)
    struct Run {
        QString text;
        bool bold;
        double size;
    };
    std::vector<Run> runs;
    double x0 = 0, x1 = 0, pageWidth = 0;  // PDF only
};

std::vector<ReadParagraph> ReadDocument(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    const QString script = suffix == "docx"  ? QStringLiteral(VELARS_READ_DOCX)
                           : suffix == "odt" ? QStringLiteral(VELARS_READ_ODT)
                                             : QStringLiteral(VELARS_READ_PDF);
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {script, path});
    EXPECT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    std::vector<ReadParagraph> paragraphs;
    for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        ReadParagraph p;
        p.text = object["text"].toString();
        p.alignment = object.contains("alignment") ? object["alignment"].toInt() : -1;
        for (const auto& run : object["runs"].toArray()) {
            const QJsonArray r = run.toArray();
            p.runs.push_back({r[0].toString(), r[1].toBool(), r[2].toDouble()});
        }
        p.x0 = object["x0"].toDouble();
        p.x1 = object["x1"].toDouble();
        p.pageWidth = object["page_width"].toDouble();
        paragraphs.push_back(p);
    }
    return paragraphs;
}

// A paragraph of the window's report as the document server holds it.
struct WindowParagraph {
    QString text;
    double size;
    bool bold;
    int alignment;
};

std::vector<WindowParagraph> Paragraphs(const QTextDocument& document) {
    std::vector<WindowParagraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format = block.begin() != block.end()
                                           ? block.begin().fragment().charFormat()
                                           : block.charFormat();
        paragraphs.push_back({block.text(), format.fontPointSize(),
                              format.fontWeight() == QFont::Bold,
                              AlignmentCode(block.blockFormat().alignment())});
    }
    return paragraphs;
}

// The PDF's text keeps no difference between blanks.
QString Blanks(QString text) {
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text.simplified();
}

// The DOCX or ODT read back holds exactly the window's paragraphs.
void ExpectSameParagraphs(const std::vector<ReadParagraph>& read,
                          const std::vector<WindowParagraph>& window) {
    ASSERT_EQ(read.size(), window.size());
    for (std::size_t i = 0; i < window.size(); ++i) {
        SCOPED_TRACE(::testing::Message()
                     << "paragraph " << i + 1 << ": " << window[i].text.toStdString());
        EXPECT_EQ(read[i].text, window[i].text);
        EXPECT_EQ(read[i].alignment, window[i].alignment);
        if (window[i].text.isEmpty()) continue;  // an empty paragraph has no run
        ASSERT_EQ(read[i].runs.size(), 1u);
        EXPECT_EQ(read[i].runs[0].bold, window[i].bold);
        EXPECT_EQ(read[i].runs[0].size, window[i].size);
    }
}

// The PDF's lines, put back into the window's paragraphs that show text.
void ExpectSameParagraphsInPdf(const std::vector<ReadParagraph>& lines,
                               const std::vector<WindowParagraph>& window) {
    ASSERT_FALSE(lines.empty());
    double margin = lines.front().x0;
    for (const ReadParagraph& line : lines) margin = std::min(margin, line.x0);
    std::size_t next = 0;
    for (const WindowParagraph& paragraph : window) {
        if (paragraph.text.isEmpty()) continue;
        SCOPED_TRACE(paragraph.text.toStdString());
        QString joined;
        while (next < lines.size() && Blanks(joined) != Blanks(paragraph.text)) {
            const ReadParagraph& line = lines[next++];
            joined += (joined.isEmpty() ? QString() : QStringLiteral(" ")) + line.text;
            for (const ReadParagraph::Run& run : line.runs) {
                EXPECT_EQ(run.bold, paragraph.bold) << run.text.toStdString();
                EXPECT_EQ(run.size, paragraph.size) << run.text.toStdString();
            }
            if (paragraph.alignment == 1)
                EXPECT_NEAR((line.x0 + line.x1) / 2, line.pageWidth / 2, 1.5);
            else
                EXPECT_NEAR(line.x0, margin, 0.5);
        }
        ASSERT_EQ(Blanks(joined), Blanks(paragraph.text));
    }
    EXPECT_EQ(next, lines.size()) << "lines after the report";
}

// The window and its counter in a folder of the test's own.
class ToolReportTest : public test::MainFormTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform.executablePath = folder.filePath("velars-tp");
        platform.today = QDate::currentDate();
        form = std::make_unique<TmainForm>(platform, factory);
        form->FormCreate();
        Show();
    }
    void TearDown() override {
        // Closing a window may take other top-level widgets with it: the
        // windows are gathered first.
        std::vector<QPointer<DocumentWindow>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<DocumentWindow*>(widget)) windows.emplace_back(window);
        for (const QPointer<DocumentWindow>& window : windows) delete window.data();
    }

    QString Path(const QString& name) const { return folder.filePath(name); }
    // The window's counter, which the tool shares with --counter.
    QString WindowCounter() const { return CounterFilePath(platform.executablePath); }

    // The worked example's gas with a device, as the user enters it.
    void Enter(int model, int section, int dyIndex) {
        Pick("cbPribor", model);
        Pick("cbUchastok", section);
        Pick("cbDy", dyIndex);
        Type("mePlotnost", "0,68");
        Type("meQ", "500");
        Type("meTgaza", "20");
        Type("mePizb", "0,3");
        Type("mePatm", "101,325");
    }

    void PressWithReport() {
        Find<QCheckBox>("cbOtchet")->setChecked(true);
        QTest::mouseClick(Find<GlassButton>("butRaschhet"), Qt::LeftButton);
    }

    QTemporaryDir folder;
};

TEST_F(ToolReportTest, TheReportOfTheToolIsTheReportOfTheWindow) {
    // Both counters give the number 7.
    test::WriteBytes(WindowCounter(), "[namber]\nn=7\n");
    RegisterDocumentServer(factory, platform);
    Enter(3, 1, 3);
    PressWithReport();
    const auto windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), [](QWidget* w) {
        return qobject_cast<DocumentWindow*>(w) != nullptr;
    });
    ASSERT_NE(found, windows.end());
    const std::vector<WindowParagraph> window =
        Paragraphs(*qobject_cast<DocumentWindow*>(*found)->Document());
    ASSERT_EQ(window[4].text, "Расчет № 7 от " + QDate::currentDate().toString("dd.MM.yyyy"));

    const ToolRun plain = Tool(Installation(3, 1, 100));
    const QString counter = Path("tool_nr.ini");
    for (const char* name : {"report.docx", "report.odt", "report.pdf"}) {
        SCOPED_TRACE(name);
        test::WriteBytes(counter, "[namber]\nn=7\n");
        const QString file = Path(name);
        const ToolRun run = Tool(Installation(3, 1, 100)
                                 << "--report" << file << "--counter" << counter);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString());
        // Standard output stays as without the report.
        EXPECT_EQ(run.out, plain.out);
        EXPECT_EQ(test::ReadBytes(counter), "[namber]\nn=8\n");
        const std::vector<ReadParagraph> read = ReadDocument(file);
        if (file.endsWith(".pdf"))
            ExpectSameParagraphsInPdf(read, window);
        else
            ExpectSameParagraphs(read, window);
    }
}

QStringList Column(const QString& csv, const QString& name) {
    const QStringList lines = csv.split('\n', Qt::SkipEmptyParts);
    if (lines.isEmpty()) return {};
    const int at = int(lines[0].split(',').indexOf(name));
    QStringList values;
    for (qsizetype i = 1; i < lines.size(); ++i) values << lines[i].split(',').value(at, "<none>");
    return values;
}

const QByteArray kThreeRows =
    "point;model;section;dy;density;flow;temperature;gauge_pressure;atm_pressure\n"
    "ГРС-1;3;1;100;0,68;500;20;0,3;101,325\n"
    "ГРС-2;3;1;100;0,68;пятьсот;20;0,3;101,325\n"
    "ГРС-3;0;0;200;0,7;800;10;0,6;100\n";

TEST_F(ToolReportTest, ABatchNumbersEachGoodRowAndFillsTheReportColumn) {
    const QString input = Path("points.csv");
    test::WriteBytes(input, kThreeRows);
    const QString counter = Path("velars-tp_nr.ini");
    test::WriteBytes(counter, "[namber]\nn=11\n");
    const QString reports = Path("отчеты");
    const ToolRun run = Tool(
        {"--csv", input, "--reports", reports, "--report-format", "odt", "--counter", counter});
    EXPECT_EQ(run.status, 1);  // one row failed
    EXPECT_EQ(run.err,
              "row 3: field 'flow': 'пятьсот' is not a valid floating point value\n"
              "1 of 3 rows failed\n");
    EXPECT_EQ(Column(run.out, "point"), QStringList({"ГРС-1", "ГРС-3"}));
    EXPECT_EQ(Column(run.out, "report"), QStringList({"11", "12"}));
    EXPECT_TRUE(run.out.startsWith("point,model,") &&
                run.out.section('\n', 0, 0).endsWith(",allowed_increase_mm,report"));
    EXPECT_EQ(QDir(reports).entryList(QDir::Files),
              QStringList({"report-11.odt", "report-12.odt"}));
    EXPECT_EQ(test::ReadBytes(counter), "[namber]\nn=13\n");

    // Each file is the report of its row.
    const std::vector<ReadParagraph> first = ReadDocument(reports + "/report-11.odt");
    const std::vector<ReadParagraph> second = ReadDocument(reports + "/report-12.odt");
    ASSERT_GT(first.size(), 10u);
    ASSERT_GT(second.size(), 10u);
    EXPECT_TRUE(first[4].text.startsWith("Расчет № 11 от "));
    EXPECT_EQ(first[8].text, "Тип измерительного прибора: ВЕЛАРС-МТ7");
    EXPECT_TRUE(second[4].text.startsWith("Расчет № 12 от "));
    EXPECT_EQ(second[8].text, "Тип измерительного прибора: ВЕЛАРС-Сфера-ПП");
    EXPECT_EQ(second[10].text, "Диаметр условного прохода: Ду200");

    // Without --reports the output is as it was.
    const ToolRun plain = Tool({"--csv", input});
    EXPECT_EQ(Column(plain.out, "report"), QStringList({"<none>", "<none>"}));
}

TEST_F(ToolReportTest, NoNumberWhereTheNextOneCannotBeStored) {
    const QString counter = Path("velars-tp_nr.ini");
    test::WriteBytes(counter, "[namber]\nn=5\n");
    // A folder in the way of the write check's file: the counter's folder
    // takes no file.
    ASSERT_TRUE(QDir(folder.path()).mkdir("temp.tp"));
    const QString file = Path("report.pdf");
    const ToolRun single = Tool(Installation(3, 1, 100)
                                << "--report" << file << "--counter" << counter);
    EXPECT_EQ(single.status, 1);
    EXPECT_TRUE(single.err.startsWith("velars-tp-calc: no report written: "))
        << single.err.toStdString();
    EXPECT_TRUE(single.err.contains("cannot be written")) << single.err.toStdString();
    EXPECT_TRUE(single.out.contains("73,76 Па ( 8 мм вод. ст.)"));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(test::ReadBytes(counter), "[namber]\nn=5\n");

    // A batch stops numbering at its first row; the rows are still there.
    const QString input = Path("points.csv");
    test::WriteBytes(input, kThreeRows);
    const ToolRun batch =
        Tool({"--csv", input, "--reports", Path("reports"), "--counter", counter});
    EXPECT_EQ(batch.status, 1);
    EXPECT_TRUE(batch.err.startsWith("row 2: no report: ")) << batch.err.toStdString();
    EXPECT_TRUE(batch.err.contains("the rows after it get no report"));
    EXPECT_EQ(batch.err.count("no report"), 2) << "said once";
    EXPECT_EQ(Column(batch.out, "report"), QStringList({"", ""}));
    EXPECT_TRUE(QDir(Path("reports")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(test::ReadBytes(counter), "[namber]\nn=5\n");

    // A counter under /proc, where no file can be made.
    EXPECT_EQ(Tool(Installation(3, 1, 100) << "--report" << file << "--counter"
                                           << "/proc/velars/counter.ini")
                  .status,
              1);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(ToolReportTest, AReportThatCannotBeWrittenEndsTheNumberingOfTheBatch) {
    const QString counter = Path("velars-tp_nr.ini");
    test::WriteBytes(counter, "[namber]\nn=20\n");
    const QString input = Path("points.csv");
    test::WriteBytes(input,
                     "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure\n"
                     "3,1,100,0.68,500,20,0.3,101.325\n"
                     "3,1,100,0.68,600,20,0.3,101.325\n"
                     "3,1,100,0.68,700,20,0.3,101.325\n");
    // The second row's file is there already and is kept.
    const QString reports = Path("reports");
    ASSERT_TRUE(QDir().mkpath(reports));
    test::WriteBytes(reports + "/report-21.pdf", "an earlier report");
    const ToolRun run = Tool(
        {"--csv", input, "--reports", reports, "--report-format", "pdf", "--counter", counter});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("row 3: report 21 not written: ")) << run.err.toStdString();
    EXPECT_EQ(Column(run.out, "report"), QStringList({"20", "", ""}));
    EXPECT_EQ(test::ReadBytes(reports + "/report-21.pdf"), "an earlier report");
    EXPECT_EQ(QDir(reports).entryList(QDir::Files),
              QStringList({"report-20.pdf", "report-21.pdf"}));
    // 21 was used up: never given again.
    EXPECT_EQ(test::ReadBytes(counter), "[namber]\nn=22\n");
}

TEST_F(ToolReportTest, BatchesAndTheWindowReportingAtOnceNeverShareANumber) {
    const QString counter = WindowCounter();
    test::WriteBytes(counter, "[namber]\nn=100\n");
    QByteArray rows = "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure\n";
    for (int i = 0; i < 8; ++i)
        rows += "4,1,300,0.68," + QByteArray::number(400 + i) + ",20,0.3,100\n";
    test::WriteBytes(Path("points.csv"), rows);

    std::vector<std::unique_ptr<QProcess>> batches;
    for (const char* reports : {"a", "b"}) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(ToolEnvironment(kRussian));
        process->start(VELARS_CALC_TOOL, {"--csv", Path("points.csv"), "--reports", Path(reports),
                                          "--counter", counter});
        batches.push_back(std::move(process));
    }
    // Once both batches write reports, the window writes one.
    RegisterDocumentServer(factory, platform);
    Enter(3, 1, 3);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !QDir(Path("a")).entryList(QDir::Files).isEmpty() &&
                   !QDir(Path("b")).entryList(QDir::Files).isEmpty();
        },
        60000));
    PressWithReport();

    std::multiset<int> numbers;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<DocumentWindow*>(widget)) {
            const QString header = window->Document()->findBlockByNumber(4).text();
            numbers.insert(header.section(' ', 2, 2).toInt());
        }
    }
    ASSERT_EQ(numbers.size(), 1u) << "the window's report";
    for (auto& process : batches) {
        // (A batch that ended while the window reported is finished already.)
        ASSERT_TRUE(process->state() == QProcess::NotRunning || process->waitForFinished(120000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        for (const QString& number :
             Column(QString::fromUtf8(process->readAllStandardOutput()), "report"))
            numbers.insert(number.toInt());
    }
    // 17 reports, numbered 100 to 116, each number once.
    std::vector<int> expected(17);
    std::iota(expected.begin(), expected.end(), 100);
    EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.end()), expected);
    EXPECT_EQ(LoadReportNumber(platform), 117);
    EXPECT_EQ(QDir(Path("a")).entryList(QDir::Files).size() +
                  QDir(Path("b")).entryList(QDir::Files).size(),
              16);
}

// The numbers --verbose prints, by name ("Re = 221290.78 (exponential fit,
// Re > 100000)" gives Re).
std::map<QString, QString> VerboseValues(const QString& out) {
    std::map<QString, QString> values;
    const QRegularExpression line(QStringLiteral("^(\\S+) = (-?[0-9.e+-]+)"),
                                  QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(out); match.hasNext();) {
        const auto m = match.next();
        values[m.captured(1)] = m.captured(2);
    }
    return values;
}

// The value the "Ход расчета" part gives for a symbol: the last number of
// the line "...: <symbol> = ... = <number>[ unit]", in the Russian format.
std::optional<QString> ReportValue(const std::vector<ReadParagraph>& paragraphs,
                                   const QString& symbol) {
    const QRegularExpression value(
        QStringLiteral("(?:^|: )%1 = (?:.* = )?(-?[0-9][0-9\\x{00A0}]*(?:,[0-9]+)?(?:E-?[0-9]+)?)"
                       "(?: [^ 0-9][^ ]*)?$")
            .arg(QRegularExpression::escape(symbol)));
    for (const ReadParagraph& p : paragraphs) {
        const auto m = value.match(p.text);
        if (m.hasMatch()) return m.captured(1);
    }
    return std::nullopt;
}

double RussianNumber(QString text) {
    text.remove(QChar(0x00A0));
    text.replace(',', '.');
    return text.toDouble();
}

TEST_F(ToolReportTest, TheCalculationPartShowsTheValuesVerbosePrints) {
    const std::pair<QString, QString> names[] = {
        {"valPlotnost", "ρ"},
        {"valQ", "Q"},
        {"valTgaza", "T"},
        {"valPizb", "Ризб"},
        {"valPatm", "Ратм"},
        {"μ", "μ"},
        {"p", "p"},
        {"w", "w"},
        {"Re", "Re"},
        {"λ", "λ"},
        {"L/Dy", "L/Ду"},
        {"valDzetaPP", "ζПП"},
        {"valDzetaTurb", "ζтурб"},
        {"valDzetaSum", "ζΣ"},
        {"valDPpoteri", "ΔP"},
        {"valDPdop", "ΔPдоп"},
    };
    const struct {
        QStringList installation;
        QStringList shown;
    } cases[] = {
        {Installation(0, 1, 100),
         {"Re = 221\u00A0291", "λ = 0,0153755", "k(Ду100) = 0,0153755 × 3,06"}},
        {Installation(2, 1, 50) << "--ldy"
                                << "4,1",
         {"L/Ду × λ = 4,1 × "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installation.join(' ').toStdString());
        const ToolRun verbose = Tool(QStringList(c.installation) << "--verbose", "C.UTF-8");
        ASSERT_EQ(verbose.status, 0);
        const QString file = Path("detailed.docx");
        const ToolRun report = Tool(QStringList(c.installation) << "--report" << file << "--counter"
                                                                << Path("c.ini") << "--detailed");
        ASSERT_EQ(report.status, 0) << report.err.toStdString();
        const std::vector<ReadParagraph> paragraphs = ReadDocument(file);
        QString all;
        for (const ReadParagraph& p : paragraphs) all += p.text + '\n';
        ASSERT_TRUE(all.contains("\nХод расчета\n"));
        for (const QString& text : c.shown) EXPECT_TRUE(all.contains(text)) << text.toStdString();

        const std::map<QString, QString> values = VerboseValues(verbose.out);
        int compared = 0;
        for (const auto& [name, symbol] : names) {
            const auto printed = values.find(name);
            if (printed == values.end()) continue;  // not a value of this model
            const std::optional<QString> shown = ReportValue(paragraphs, symbol);
            if (name == "valDzetaTurb" && !shown) continue;  // not part of the total
            ASSERT_TRUE(shown.has_value()) << symbol.toStdString();
            SCOPED_TRACE(symbol.toStdString() + " = " + shown->toStdString() + ", --verbose " +
                         printed->second.toStdString());
            const double v = printed->second.toDouble();
            const double r = RussianNumber(*shown);
            // The same value to 6 significant digits, or exactly where
            // --verbose needs no more.
            // Its significant digits: no sign, point, exponent or leading zeros.
            QString digits = printed->second;
            digits.remove(QRegularExpression("e.*|[-.]"));
            digits.remove(QRegularExpression("^0+"));
            if (digits.size() <= 6) {
                EXPECT_EQ(r, v);
            } else {
                const double unit = std::pow(10.0, std::floor(std::log10(std::abs(v))) - 5);
                EXPECT_LE(std::abs(r - v), unit / 2 * (1 + 1e-9));
            }
            ++compared;
        }
        EXPECT_GE(compared, 14);
    }
}

TEST_F(ToolReportTest, APortableToolCountsInTheWindowsCounterBesideIt) {
    // A copy of the tool in a folder of its own, as a portable installation.
    const QString tool = Path("velars-tp-calc");
    ASSERT_TRUE(QFile::copy(VELARS_CALC_TOOL, tool));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    test::WriteBytes(Path("velars-tp_nr.ini"), "[namber]\nn=3\n");
    const ToolRun run = Tool(Installation(3, 1, 100) << "--report" << Path("r.docx"), kRussian,
                             tool);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(test::ReadBytes(Path("velars-tp_nr.ini")), "[namber]\nn=4\n");
    EXPECT_FALSE(QFile::exists(Path("velars-tp-calc_nr.ini")));
    EXPECT_TRUE(ReadDocument(Path("r.docx"))[4].text.startsWith("Расчет № 3 от "));
}

TEST_F(ToolReportTest, OptionsThatCannotBeUsedNumberNothing) {
    const QString counter = Path("c.ini");
    test::WriteBytes(Path("points.csv"), kThreeRows);
    test::WriteBytes(Path("a-file"), "");
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {Installation(3, 1, 100) << "--report" << Path("r.txt"), "option '--report': '"},
        {Installation(3, 1, 100) << "--report" << Path(".pdf"),
         "does not end in .docx, .odt or .pdf"},
        {{"--csv", Path("points.csv"), "--report", Path("r.pdf")}, "cannot be combined with --csv"},
        {Installation(3, 1, 100) << "--reports" << Path("d"), "'--reports' needs --csv FILE"},
        {Installation(3, 1, 100) << "--counter" << counter,
         "'--counter' needs --report or --reports"},
        {Installation(3, 1, 100) << "--detailed", "'--detailed' needs --report or --reports"},
        {{"--csv", Path("points.csv"), "--reports", Path("d"), "--report-format", "rtf"},
         "'rtf' is not docx, odt or pdf"},
        {Installation(3, 1, 100) << "--report" << Path("r.pdf") << "--report-format"
                                 << "pdf",
         "'--report-format' needs --reports"},
        {Installation(3, 1, 100) << "--report" << Path("r.pdf") << "--reports" << Path("d"),
         "exclude each other"},
        {Installation(3, 1, 100) << "--report" << Path("нет/r.pdf") << "--counter" << counter,
         "no report written: "},
        {Installation(3, 1, 100) << "--report" << folder.path() + "/"
                                 << "--counter" << counter,
         "does not end in"},
        {{"--csv", Path("points.csv"), "--reports", Path("a-file"), "--counter", counter},
         "is not a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ToolRun run = Tool(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(counter));
    EXPECT_FALSE(QFile::exists(Path("r.pdf")));
}

}  // namespace
}  // namespace velars
