// velars-tp-calc run as a process, the way scripts and engineers run it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "calc/LossModel.h"
#include "calc/ResultsPane.h"
#include "tests/support/WorkedExampleGas.h"

namespace velars {
namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun Tool(const QStringList& arguments, const QString& locale = QStringLiteral("C.UTF-8"),
             const QString& standardOutput = QString()) {
    QProcess process;
    if (!standardOutput.isEmpty()) process.setStandardOutputFile(standardOutput);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_NUMERIC"));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELARS_CALC_TOOL), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    ToolRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList Example(const QString& model, const QString& section, const QString& dy) {
    return {QStringLiteral("--model"),
            model,
            QStringLiteral("--section"),
            section,
            QStringLiteral("--dy"),
            dy,
            QStringLiteral("--density"),
            QStringLiteral("0,68"),
            QStringLiteral("--flow"),
            QStringLiteral("500"),
            QStringLiteral("--temperature=20"),
            QStringLiteral("--gauge"),
            QStringLiteral("0,3"),
            QStringLiteral("--atm"),
            QStringLiteral("101,325")};
}

QString PaneText(int model, int section, int dy, const Separators& separators) {
    CalcRecord record = test::WorkedExampleGas();
    record.valDy = dy;
    CalculateLoss(record, model, section, QString(), separators.decimal);
    return ResultLines(record, section, separators).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

TEST(ToolProcessTest, PrintsTheResultsPaneInTheUsersLocale) {
    // Qt takes the separators from its own locale data: no system locale
    // needs to be installed for this.
    const ToolRun russian = Tool(
        Example(QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("100")),
        QStringLiteral("ru_RU.UTF-8"));
    EXPECT_EQ(russian.status, 0) << russian.err.toStdString();
    EXPECT_EQ(russian.err, QString());
    const QStringList lines = russian.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("Результаты расчета:"));
    EXPECT_EQ(lines[3], QStringLiteral("73,76 Па ( 8 мм вод. ст.)"));
    EXPECT_EQ(lines[4], QStringLiteral(" "));
    EXPECT_EQ(lines[8], QStringLiteral("7,38 Па ( 1 мм вод. ст.)."));

    const ToolRun plain = Tool(Example(QStringLiteral("ВЕЛАРС-МТ7"),
                                       QStringLiteral("Турбулизатор-Н"), QStringLiteral("100")));
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, PaneText(3, 1, 100, Separators{QLatin1Char('.'), QChar()}));
}

TEST(ToolProcessTest, SameLinesAsThePaneForEveryModel) {
    const Separators russian{QLatin1Char(','), QChar(0x00A0)};
    const struct {
        int model, section, dy;
    } cases[] = {{0, 0, 400}, {0, 3, 50}, {1, 2, 150}, {3, 2, 27}, {4, 0, 300}, {5, 1, 80}};
    for (const auto& c : cases) {
        const ToolRun run = Tool(
            Example(QString::number(c.model), QString::number(c.section), QString::number(c.dy)),
            QStringLiteral("ru_RU.UTF-8"));
        EXPECT_EQ(run.status, 0) << c.model;
        EXPECT_EQ(run.out, PaneText(c.model, c.section, c.dy, russian)) << c.model;
    }
}

TEST(ToolProcessTest, VerboseAddsTheIntermediateValues) {
    QStringList arguments = Example(QStringLiteral("0"), QStringLiteral("1"),
                                    QStringLiteral("100"));
    arguments << QStringLiteral("--verbose");
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith(PaneText(0, 1, 100, Separators{QLatin1Char('.'), QChar()})));
    for (const char* line :
         {"\nIntermediate values:\n", "\nμ = 0.0000119135775\n", "\np = 0.4 MPa\n",
          "\nRe = 221290.78 (exponential fit, Re > 100000)\n", "\nλ = 0.0153755415\n",
          "\nvalDzetaPP = 0.047049157\n", "\nvalDzetaTurb = 1.8\n", "\nvalDzetaSum = 1.8470491\n",
          "\nvalDPpoteri = 49.542145 Pa\n"})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(line))) << line;

    // A slow flow takes the Blasius formula; a table model has no friction.
    arguments[9] = QStringLiteral("5");
    EXPECT_TRUE(Tool(arguments).out.contains(QStringLiteral("(Blasius formula, Re <= 100000)")));
    arguments[1] = QStringLiteral("3");
    EXPECT_TRUE(
        Tool(arguments).out.contains(QStringLiteral("friction factor: not used by this model")));
}

TEST(ToolProcessTest, InvalidInputsNameTheirFields) {
    const ToolRun run =
        Tool({QStringLiteral("--model"), QStringLiteral("2"), QStringLiteral("--section"),
              QStringLiteral("9"), QStringLiteral("--dy"), QStringLiteral("50"),
              QStringLiteral("--density"), QStringLiteral("0,6,8"), QStringLiteral("--flow"),
              QStringLiteral("500"), QStringLiteral("--temperature"), QStringLiteral("20"),
              QStringLiteral("--atm"), QStringLiteral("101")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(
        run.err,
        QStringLiteral("field 'section' (--section): '9' is not a section of ВЕЛАРС-Сфера-Вр "
                       "(врезной) (0 Без турбулизатора, 1 Турбулизатор-Н, 2 Шумоглушитель, 3 "
                       "Турбулизатор-Н исп. реверс)\n"
                       "field 'density' (--density): '0,6,8' is not a valid floating point value\n"
                       "field 'gauge_pressure' (--gauge-pressure): missing\n"
                       "field 'ldy' (--ldy): missing\n"));
}

TEST(ToolProcessTest, FloatingPointFaultIsReported) {
    QStringList arguments = Example(QStringLiteral("0"), QStringLiteral("0"),
                                    QStringLiteral("100"));
    arguments[9] = QStringLiteral("0");  // no flow: division by zero in the Blasius formula
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QStringLiteral("calculation failed: Floating point division by zero\n"));
}

TEST(ToolProcessTest, UsageErrorsAndHelp) {
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--flux"), QStringLiteral("5")}, "unknown option '--flux'"},
        {{QStringLiteral("--flow")}, "option '--flow' needs a value"},
        {{QStringLiteral("--flow=1"), QStringLiteral("--flow=2")},
         "option '--flow' is given twice"},
        {{QStringLiteral("extra")}, "unexpected argument 'extra'"},
        {{QStringLiteral("--csv"), QStringLiteral("x.csv"), QStringLiteral("--model"),
          QStringLiteral("1")},
         "'--model' cannot be combined with --csv"},
        {{QStringLiteral("--csv"), QStringLiteral("/nonexistent/in.csv")},
         "cannot open '/nonexistent/in.csv': No such file or directory"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }

    const ToolRun help = Tool({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char* text :
         {"--csv FILE", "--verbose", "gauge_pressure", "Exit status", "ВЕЛАРС-МТ7-Сфера",
          "Турбулизатор-Н исп. реверс", "needs --ldy", "--version"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(text))) << text;

    const ToolRun version = Tool({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("velars-tp-calc " VELARS_VERSION "\n"));
    EXPECT_EQ(Tool({QStringLiteral("--version=1")}).status, 2);
}

TEST(ToolProcessTest, CsvFileWithABadRow) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString input = folder.filePath(QStringLiteral("in.csv"));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure\n"
        "3,1,100,0.68,500,20,0.3,101.325\n"
        "3,1,100,0.68,five hundred,20,0.3,101.325\n"
        "4,0,300,0.7,800,10,0.6,100\n");
    file.close();

    const ToolRun run = Tool({QStringLiteral("--csv"), input});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QStringLiteral("row 3: field 'flow': 'five hundred' is not a valid floating "
                                      "point value\n1 of 3 rows failed\n"));
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("3,1,100,0.68,500,20,0.3,101.325,")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("4,0,300,0.7,800,10,0.6,100,")));

    // To a file; a folder in the way of the output file stops the run.
    const QString output = folder.filePath(QStringLiteral("out.csv"));
    EXPECT_EQ(Tool({QStringLiteral("--csv"), input, QStringLiteral("-o"), output}).status, 1);
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), run.out);

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken")));
    const ToolRun blocked = Tool({QStringLiteral("--csv"), input, QStringLiteral("--output"),
                                  folder.filePath(QStringLiteral("taken"))});
    EXPECT_EQ(blocked.status, 2);
    EXPECT_TRUE(blocked.err.contains(QStringLiteral("cannot write"))) << blocked.err.toStdString();

    // Writing over the input would truncate it under the running conversion.
    const ToolRun over = Tool({QStringLiteral("--csv"), input, QStringLiteral("--output"), input});
    EXPECT_EQ(over.status, 2);
    EXPECT_TRUE(over.err.contains(QStringLiteral("the output file is the input file")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count('\n'), 4);
}

TEST(ToolProcessTest, LostWritesFailTheRun) {
    const QString full = QStringLiteral("/dev/full");
    const struct {
        QStringList arguments;
        int status;
    } cases[] = {
        {{QStringLiteral("--help")}, 2},
        {Example(QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("100")), 2},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.arguments, QStringLiteral("C.UTF-8"), full);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write standard output")))
            << run.err.toStdString();
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString input = folder.filePath(QStringLiteral("in.csv"));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure\n"
        "3,1,100,0.68,500,20,0.3,101.325\n");
    file.close();
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--csv"), input},
          QStringList{QStringLiteral("--csv"), input, QStringLiteral("--output"), full}}) {
        const ToolRun run = Tool(arguments, QStringLiteral("C.UTF-8"), full);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("No space left on device")))
            << run.err.toStdString();
    }
}

TEST(ToolProcessTest, ReadsPipesAndDevicesInBoundedPieces) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray fifo = QFile::encodeName(folder.filePath(QStringLiteral("in.fifo")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Many rows through a pipe, written while the tool reads.
    const int rows = 50000;
    std::thread writer([&] {
        const int fd = ::open(fifo.constData(), O_WRONLY);
        if (fd < 0) return;
        std::string text =
            "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure\n";
        for (int i = 0; i < rows; ++i) text += "3,1,100,0.68,500,20,0.3,101.325\n";
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t n = ::write(fd, text.data() + at,
                                      std::min<std::size_t>(4096, text.size() - at));
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
        }
        ::close(fd);
    });
    const ToolRun run = Tool({QStringLiteral("--csv"), QString::fromLocal8Bit(fifo)});
    writer.join();
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QLatin1Char('\n')), rows + 1);

    // A device that never ends a line: the header is too long, and nothing
    // of it is kept while the tool finds out.
    const ToolRun zeros = Tool({QStringLiteral("--csv"), QStringLiteral("/dev/zero")});
    EXPECT_EQ(zeros.status, 2);
    EXPECT_EQ(zeros.err, QStringLiteral("row 1: line longer than 1 MiB\n"));
    const ToolRun noise = Tool({QStringLiteral("--csv"), QStringLiteral("/dev/urandom")});
    EXPECT_EQ(noise.status, 2);
}

}  // namespace
}  // namespace velars
