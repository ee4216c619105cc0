// velars-tp-calc: the pressure-loss calculation of the velars-tp window on
// the command line, for one installation or a CSV file of many.

#include <QApplication>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>

#include "cli/BatchReports.h"
#include "cli/CompareMode.h"
#include "cli/CsvConversion.h"
#include "cli/CurveMode.h"
#include "cli/HelpText.h"
#include "cli/InputText.h"
#include "cli/SingleCalculation.h"
#include "cli/StreamSink.h"
#include "cli/ToolOptions.h"
#include "cli/ToolReports.h"
#include "numbers/LocaleSeparators.h"
#include "platform/HeadlessPlatformServices.h"

namespace {

constexpr int kUsageError = 2;

// Why the first write to standard output that failed did; 0 while none has.
int stdoutError = 0;

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout &&
        stdoutError == 0)
        stdoutError = errno;
}

void Complain(const QString& message) {
    Print(stderr, QStringLiteral("velars-tp-calc: ") + message + QLatin1Char('\n'));
}

// Qt's own notes while it draws offscreen (no runtime folder, no window
// manager) are no business of the tool's user; errors still show.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Print(stderr, QStringLiteral("velars-tp-calc: ") + message + QLatin1Char('\n'));
}

// Runs `run` with a GUI application object on the offscreen platform: what
// Qt Charts (--plot) and the report's document server need, without a
// display.
template <class Run>
int OnOffscreenPlatform(Run run) {
    int guiArgc = 3;
    char program[] = "velars-tp-calc";
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    char* guiArgv[] = {program, platformOption, offscreen, nullptr};
    qInstallMessageHandler(QuietQtNotes);
    QApplication application(guiArgc, guiArgv);
    return run();
}

bool SameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return a != QLatin1String("-") && stat(a.toLocal8Bit().constData(), &first) == 0 &&
           stat(b.toLocal8Bit().constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

int RunCsv(const velars::cli::ToolOptions& options) {
    using namespace velars::cli;
    InputText input;
    std::string error;
    if (!input.Open(options.csv->toStdString(), error)) {
        Complain(QString::fromStdString(error));
        return kCannotConvert;
    }
    if (options.output && SameFile(*options.csv, *options.output)) {
        // Emptying it would pull the text away from under the conversion.
        Complain(QStringLiteral("the output file is the input file '%1'").arg(*options.output));
        return kCannotConvert;
    }
    // The reports' folder is made when missing, and checked before the
    // output is touched or any number is taken.
    if (options.reports) {
        if (const QString problem = CheckReportFolder(*options.reports, true); !problem.isEmpty()) {
            Complain(QStringLiteral("no report written: ") + problem);
            return kCannotConvert;
        }
    }
    StreamSink sink;
    if (options.output && !sink.OpenFile(options.output->toStdString(), error)) {
        Complain(QString::fromStdString(error));
        return kCannotConvert;
    }
    CsvSettings settings;
    settings.threads = options.threads;
    int status;
    if (options.reports) {
        const velars::ReportFileFormat format =
            options.reportFormat ? *velars::ReportFileFormatNamed(*options.reportFormat)
                                 : velars::ReportFileFormat::Docx;
        status = OnOffscreenPlatform([&] {
            velars::HeadlessPlatformServices platform;
            ToolReports reports(platform, ToolCounterPlace(platform, options.counter),
                                options.detailed);
            BatchReports batch(reports, *options.reports, format);
            settings.reports = &batch;
            const int converted = ConvertCsv(input, settings, sink);
            return converted == kCannotConvert ? converted : std::max(converted, batch.Status());
        });
    } else {
        status = ConvertCsv(input, settings, sink);
    }
    // A file's last data may fail only now (a full disk over the network).
    if (!sink.Close()) return kCannotConvert;
    return status;
}

// One installation with its numbered report in a file.
int RunSingleReport(const velars::cli::ToolOptions& options) {
    using namespace velars::cli;
    QString out;
    QString err;
    velars::CalculationSteps steps;
    const int status = CalculateSingle(options.texts, options.verbose, velars::SystemSeparators(),
                                       out, err, &steps);
    Print(stdout, out);
    Print(stderr, err);
    if (status != 0) return status;

    const QString& path = *options.report;
    const QFileInfo target(path);
    QString problem = target.isDir() ? QStringLiteral("'%1' is a folder").arg(path)
                                     : CheckReportFolder(target.path(), false);
    if (!problem.isEmpty()) {
        Complain(QStringLiteral("no report written: ") + problem);
        return kUsageError;
    }
    const velars::ReportFileFormat format = *velars::ReportFileFormatOf(path);
    return OnOffscreenPlatform([&] {
        velars::HeadlessPlatformServices platform;
        ToolReports reports(platform, ToolCounterPlace(platform, options.counter),
                            options.detailed);
        const ReportOutcome outcome = reports.Write(
            steps, [&](std::int32_t) { return path; }, format, true);
        switch (outcome.status) {
        case ReportOutcome::Status::Written: return 0;
        case ReportOutcome::Status::NotNumbered:
            Complain(QStringLiteral("no report written: ") + outcome.message);
            return 1;
        case ReportOutcome::Status::NotWritten:
            Complain(QStringLiteral("report %1 not written: %2")
                         .arg(outcome.number)
                         .arg(outcome.message));
            return kUsageError;
        }
        return kUsageError;
    });
}

int Run(int argc, char** argv) {
    using namespace velars::cli;
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    ToolOptions options;
    const QString problem = ParseOptions(arguments, options);
    if (!problem.isEmpty()) {
        Complain(problem + QStringLiteral("; see velars-tp-calc --help"));
        return kUsageError;
    }
    if (options.help) {
        Print(stdout, HelpText());
        return 0;
    }
    if (options.version) {
        Print(stdout, VersionText());
        return 0;
    }
    if (options.csv) return RunCsv(options);
    if (options.report) return RunSingleReport(options);

    QString out;
    QString err;
    int status = 0;
    if (options.compare) {
        status = RunCompare(options, velars::SystemSeparators(), out, err);
    } else if (options.curve && options.plot) {
        // Qt Charts draws through the widgets.
        status = OnOffscreenPlatform(
            [&] { return RunCurve(options, velars::SystemSeparators(), out, err); });
    } else if (options.curve) {
        status = RunCurve(options, velars::SystemSeparators(), out, err);
    } else {
        status = CalculateSingle(options.texts, options.verbose, velars::SystemSeparators(), out,
                                 err);
    }
    Print(stdout, out);
    Print(stderr, err);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int status = Run(argc, argv);
        // Every write to standard output counts: one that failed along the
        // way leaves the error mark, the last ones fail in the flush.
        if (std::fflush(stdout) != 0 && stdoutError == 0) stdoutError = errno;
        if (stdoutError != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "velars-tp-calc: cannot write standard output: %s\n",
                         stdoutError != 0 ? std::strerror(stdoutError) : "a write failed");
            return kUsageError;
        }
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velars-tp-calc: %s\n", error.what());
    } catch (...) {
        std::fputs("velars-tp-calc: unexpected error\n", stderr);
    }
    return kUsageError;
}
