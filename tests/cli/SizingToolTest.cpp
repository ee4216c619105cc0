// velars-tp-calc --compare and --curve run as processes, checked against the
// tool's own one-installation and CSV modes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

namespace velars {
namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun Tool(const QStringList& arguments, const QString& locale = QStringLiteral("ru_RU.UTF-8"),
             const QByteArray& input = {}, const QString& platform = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_NUMERIC"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    if (!platform.isEmpty()) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELARS_CALC_TOOL), arguments);
    if (!input.isEmpty()) process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    ToolRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The worked example's gas data.
QStringList Gas(const QString& flow = QStringLiteral("500")) {
    return {QStringLiteral("--density"),     QStringLiteral("0,68"),
            QStringLiteral("--flow"),        flow,
            QStringLiteral("--temperature"), QStringLiteral("20"),
            QStringLiteral("--gauge"),       QStringLiteral("0,3"),
            QStringLiteral("--atm"),         QStringLiteral("101,325")};
}

QStringList Device(int model, int section, int dy) {
    return {QStringLiteral("--model"), QString::number(model), QStringLiteral("--section"),
            QString::number(section),  QStringLiteral("--dy"), QString::number(dy)};
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

// "73,76 Па ( 8 мм вод. ст.)" -> {"73,76", "8"}
QStringList PaneNumbers(const QString& line) {
    static const QRegularExpression pattern(
        QStringLiteral("^(.*) Па \\( (.*) мм вод\\. ст\\.\\)\\.?$"));
    const QRegularExpressionMatch match = pattern.match(line);
    EXPECT_TRUE(match.hasMatch()) << line.toStdString();
    return {match.captured(1), match.captured(2)};
}

// The table's cells: numbers split on runs of two or more blanks.
QStringList Cells(const QString& row) {
    return row.split(QRegularExpression(QStringLiteral(" {2,}")), Qt::SkipEmptyParts);
}

TEST(SizingToolTest, EveryRowOfTheComparisonEqualsTheOneInstallationMode) {
    QStringList arguments = Gas();
    arguments << QStringLiteral("--compare") << QStringLiteral("--ldy") << QStringLiteral("4,5");
    const ToolRun table = Tool(arguments);
    ASSERT_EQ(table.status, 0) << table.err.toStdString();
    const QStringList rows = Lines(table.out);
    ASSERT_EQ(rows.size(), 89);  // the header and every choice with the cut-in model
    EXPECT_EQ(Cells(rows[0]).mid(0, 7), (QStringList{"model", "section", "Dy, mm", "loss, Pa",
                                                     "mm w.c.", "increase, Pa", "mm w.c."}));
    double previous = -1;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QStringList cells = Cells(rows[i].trimmed());
        ASSERT_GE(cells.size(), 8) << rows[i].toStdString();
        QStringList single = Device(cells[0].toInt(), cells[1].toInt(), cells[2].toInt());
        single << Gas() << QStringLiteral("--ldy") << QStringLiteral("4,5");
        const ToolRun one = Tool(single);
        ASSERT_EQ(one.status, 0) << rows[i].toStdString();
        const QStringList pane = Lines(one.out);
        EXPECT_EQ(cells.mid(3, 2), PaneNumbers(pane[3])) << rows[i].toStdString();
        if (cells[1] == QLatin1String("0")) {
            EXPECT_EQ(cells.mid(5, 2), (QStringList{"-", "-"}));
        } else {
            EXPECT_EQ(cells.mid(5, 2), PaneNumbers(pane.last())) << rows[i].toStdString();
        }
        // Sorted by the loss.
        const double loss = QString(cells[3])
                                .remove(QChar(0x00A0))
                                .replace(QLatin1Char(','), QLatin1Char('.'))
                                .toDouble();
        EXPECT_LE(previous, loss);
        previous = loss;
    }
}

// The CSV of the comparison against the CSV mode, the value of every
// single-precision figure in its fewest digits.
TEST(SizingToolTest, ComparisonCsvEqualsTheCsvModeToTheLastDigit) {
    QStringList arguments = Gas();
    arguments << QStringLiteral("--compare") << QStringLiteral("--csv") << QStringLiteral("--ldy")
              << QStringLiteral("4,5");
    const ToolRun compare = Tool(arguments);
    ASSERT_EQ(compare.status, 0) << compare.err.toStdString();
    const QStringList rows = Lines(compare.out);
    ASSERT_EQ(rows.size(), 89);
    EXPECT_EQ(rows[0], QStringLiteral("model,model_name,section,section_name,dy,loss_pa,loss_mm,"
                                      "allowed_increase_pa,allowed_increase_mm,fault"));
    QByteArray input =
        "model;section;dy;density;flow;temperature;gauge_pressure;atm_pressure;ldy\n";
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(QLatin1Char(','));
        input += (f[0] + QLatin1Char(';') + f[2] + QLatin1Char(';') + f[4] +
                  QStringLiteral(";0,68;500;20;0,3;101,325;4,5\n"))
                     .toUtf8();
    }
    const ToolRun csv = Tool({QStringLiteral("--csv"), QStringLiteral("-")},
                             QStringLiteral("C.UTF-8"), input);
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    const QStringList expected = Lines(csv.out);
    ASSERT_EQ(expected.size(), rows.size());
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(QLatin1Char(','));
        const QStringList e = expected[i].split(QLatin1Char(','));
        // CSV mode: ..., loss_pa, allowed_increase_pa, loss_mm, allowed_increase_mm
        const qsizetype n = e.size();
        EXPECT_EQ(f[5], e[n - 4]) << rows[i].toStdString();
        EXPECT_EQ(f[6], e[n - 2]) << rows[i].toStdString();
        if (f[2] != QLatin1String("0")) {
            EXPECT_EQ(f[7], e[n - 3]) << rows[i].toStdString();
            EXPECT_EQ(f[8], e[n - 1]) << rows[i].toStdString();
        } else {
            EXPECT_EQ(f[7] + f[8], QString());
        }
    }
    // Without L/Dy the cut-in model is not compared.
    arguments.resize(arguments.size() - 2);
    const ToolRun without = Tool(arguments);
    EXPECT_EQ(Lines(without.out).size(), 85);
    EXPECT_TRUE(compare.out.contains(QStringLiteral("\n2,")));
    EXPECT_FALSE(without.out.contains(QStringLiteral("\n2,")));
}

TEST(SizingToolTest, LossLimitKeepsTheChoicesAtOrUnderIt) {
    QStringList arguments = Gas();
    arguments << QStringLiteral("--compare") << QStringLiteral("--csv");
    const QStringList all = Lines(Tool(arguments).out).mid(1);
    std::multimap<double, QString> byLoss;
    for (const QString& row : all) byLoss.emplace(row.split(QLatin1Char(','))[5].toDouble(), row);
    // The limit exactly at a loss keeps that choice.
    const QString atLimit = std::next(byLoss.begin(), 40)->second.split(QLatin1Char(','))[5];
    const int kept =
        static_cast<int>(std::distance(byLoss.begin(), byLoss.upper_bound(atLimit.toDouble())));

    arguments << QStringLiteral("--max-loss")
              << QString(atLimit).replace(QLatin1Char('.'), QLatin1Char(','));
    const ToolRun csv = Tool(arguments);
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    const QStringList rows = Lines(csv.out).mid(1);
    EXPECT_EQ(rows.size(), kept);
    for (const QString& row : rows)
        EXPECT_LE(row.split(QLatin1Char(','))[5].toDouble(), atLimit.toDouble());
    EXPECT_TRUE(rows.contains(std::next(byLoss.begin(), 40)->second));
    EXPECT_TRUE(csv.err.startsWith(
        QStringLiteral("%1 of 84 choices left out: %1 with a loss above ").arg(84 - kept)))
        << csv.err.toStdString();

    // The table says it after the rows; faults are left out and counted.
    QStringList atZero = Gas(QStringLiteral("0"));
    atZero << QStringLiteral("--compare") << QStringLiteral("--max-loss") << QStringLiteral("100");
    const ToolRun table = Tool(atZero);
    ASSERT_EQ(table.status, 0);
    EXPECT_EQ(Lines(table.out).size(), 1 + 84 - 28 + 1);
    EXPECT_TRUE(
        table.out.endsWith(QStringLiteral("\n\n28 of 84 choices left out: 0 with a loss above "
                                          "100,00 Pa, 28 whose calculation failed\n")))
        << table.out.toStdString();
}

TEST(SizingToolTest, FaultsAtFlowZeroForTheFrictionModels) {
    QStringList arguments = Gas(QStringLiteral("0"));
    arguments << QStringLiteral("--compare") << QStringLiteral("--csv") << QStringLiteral("--ldy")
              << QStringLiteral("4");
    const ToolRun run = Tool(arguments);
    ASSERT_EQ(run.status, 0);
    const QStringList rows = Lines(run.out).mid(1);
    ASSERT_EQ(rows.size(), 88);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(QLatin1Char(','));
        const bool friction = f[0] == QLatin1String("0") || f[0] == QLatin1String("2");
        // The faults come last.
        EXPECT_EQ(friction, i >= 88 - 32) << rows[i].toStdString();
        EXPECT_EQ(f.last(),
                  friction ? QStringLiteral("Floating point division by zero") : QString());
        if (!friction) {
            EXPECT_EQ(f[5], QStringLiteral("0"));
        }
    }

    // On a curve from zero only the first point faults.
    QStringList curve = Device(2, 1, 50);
    curve << Gas() << QStringLiteral("--ldy") << QStringLiteral("4") << QStringLiteral("--curve")
          << QStringLiteral("--points") << QStringLiteral("5");
    const ToolRun text = Tool(curve);
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QStringList lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("ВЕЛАРС-Сфера-Вр (врезной), Турбулизатор-Н, Dy 50 mm"));
    EXPECT_TRUE(
        lines[2].endsWith(QStringLiteral("calculation failed: Floating point division by zero")));
    EXPECT_TRUE(lines[2].trimmed().startsWith(QStringLiteral("0,00")));
    for (int i = 3; i < 7; ++i) EXPECT_FALSE(lines[i].contains(QStringLiteral("failed")));
}

TEST(SizingToolTest, CurveAtTheEnteredFlowEqualsTheSingleCalculation) {
    for (const auto& [model, section, dy] :
         {std::tuple{3, 1, 100}, std::tuple{0, 3, 150}, std::tuple{5, 0, 80}}) {
        QStringList arguments = Device(model, section, dy);
        arguments << Gas();
        const QStringList pane = Lines(Tool(arguments).out);
        arguments << QStringLiteral("--curve") << QStringLiteral("--points")
                  << QStringLiteral("200");
        const ToolRun curve = Tool(arguments);
        ASSERT_EQ(curve.status, 0) << curve.err.toStdString();
        const QStringList lines = Lines(curve.out);
        ASSERT_EQ(lines.size(), 202);
        const QStringList last = Cells(lines.last().trimmed());
        EXPECT_EQ(last[0], QStringLiteral("500,00"));
        EXPECT_EQ(last.mid(1, 2), PaneNumbers(pane[3]));
        if (section != 0) {
            EXPECT_EQ(last.mid(3, 2), PaneNumbers(pane.last()));
        } else {
            EXPECT_EQ(last.size(), 3);
        }
    }
    // A range of its own, in CSV.
    QStringList arguments = Device(3, 1, 100);
    arguments << Gas(QStringLiteral("10")) << QStringLiteral("--curve") << QStringLiteral("--csv")
              << QStringLiteral("--flow-range") << QStringLiteral("250:500,0")
              << QStringLiteral("--points=2");
    EXPECT_EQ(Tool(arguments).out,
              QStringLiteral("flow,loss_pa,loss_mm,allowed_increase_pa,allowed_increase_mm,fault\n"
                             "250,18.440346,1.880392,1.8440346,0.1880392,\n"
                             "500,73.76138,7.521568,7.376138,0.7521568,\n"));
}

TEST(SizingToolTest, PlotIsAnImageOfTheStatedSize) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QStringList arguments = Device(0, 1, 100);
    arguments << Gas() << QStringLiteral("--curve") << QStringLiteral("--max-loss")
              << QStringLiteral("40");

    const QString png = folder.filePath(QStringLiteral("curve.png"));
    ToolRun run = Tool(arguments + QStringList{QStringLiteral("--plot"), png,
                                               QStringLiteral("--plot-size"),
                                               QStringLiteral("640x400")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 400));
    // Something is drawn: not one colour only.
    bool drawn = false;
    for (int x = 0; x < image.width() && !drawn; x += 3)
        for (int y = 0; y < image.height() && !drawn; y += 3)
            drawn = image.pixel(x, y) != image.pixel(0, 0);
    EXPECT_TRUE(drawn);

    // No display, even where the environment asks for the X11 platform.
    const QString svg = folder.filePath(QStringLiteral("curve.SVG"));
    run = Tool(arguments + QStringList{QStringLiteral("--plot"), svg},
               QStringLiteral("ru_RU.UTF-8"), {}, QStringLiteral("xcb"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString svgText = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(svgText.contains(QStringLiteral("viewBox=\"0 0 900 560\"")))
        << svgText.left(400).toStdString();
    // The texts, drawn in runs of their own.
    QString text;
    const QRegularExpression textRun(QStringLiteral(">([^<]*)</text>"));
    for (const QRegularExpressionMatch& match : textRun.globalMatch(svgText))
        text += match.captured(1);
    for (const char* label :
         {"Расход Q, нм³/ч", "Потери давления ΔP, Па", "Потери давления", "Допустимое увеличение",
          "Предел 40 Па", "Нет расчета при Q = 0: Floating point division by zero"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(label))) << label;

    // A folder in the way of the image: nothing is written, the status says so.
    const QString taken = folder.filePath(QStringLiteral("taken.png"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.png")));
    run = Tool(arguments + QStringList{QStringLiteral("--plot"), taken});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write"))) << run.err.toStdString();
}

TEST(SizingToolTest, UsageErrors) {
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"--compare", "--model", "1"}, "'--model' cannot be combined with --compare"},
        {{"--compare", "--curve"}, "'--compare' and '--curve' exclude each other"},
        {{"--compare", "--csv", "x.csv"}, "unexpected argument 'x.csv'"},
        {{"--max-loss", "5"}, "'--max-loss' needs --compare or --curve"},
        {{"--compare", "--points", "5"}, "'--points' needs --curve"},
        {{"--curve", "--plot-size", "10x10"}, "'--plot-size' needs --plot"},
        {{"--compare", "--max-loss", "lots"},
         "option '--max-loss': 'lots' is not a valid floating point value"},
        {{"--curve", "--points", "0"}, "option '--points': '0' is not a number from 1 to 100000"},
        {{"--curve", "--flow-range", "5"}, "option '--flow-range': '5' is not of the form A:B"},
        {{"--curve", "--flow-range", "0:x"},
         "option '--flow-range': 'x' is not a valid floating point value"},
        {{"--curve", "--plot", "a.gif"}, "option '--plot': 'a.gif' does not end in .svg or .png"},
        {{"--curve", "--plot", "a.png", "--plot-size", "50x5000"}, "is not WIDTHxHEIGHT"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    // Invalid gas data is reported by field, as for one installation.
    const ToolRun run = Tool({"--compare", "--density", "0,6,8", "--flow", "5", "--temperature",
                              "20", "--gauge", "0,3", "--atm", "100", "--ldy", "x"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(
        run.err,
        QStringLiteral("field 'density' (--density): '0,6,8' is not a valid floating point value\n"
                       "field 'ldy' (--ldy): 'x' is not a valid floating point value\n"));
}

}  // namespace
}  // namespace velars
