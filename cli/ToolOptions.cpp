#include "cli/ToolOptions.h"
#include "cli/MessageText.h"
#include "report/ReportFile.h"

namespace velars::cli {

namespace {

constexpr int kMaxThreads = 64;

enum class Option {
    Help,
    Version,
    Verbose,
    Csv,
    Output,
    Threads,
    Input,
    Compare,
    Curve,
    MaxLoss,
    Points,
    FlowRange,
    Plot,
    PlotSize,
    Report,
    Reports,
    ReportFormat,
    Counter,
    Detailed,
};

struct OptionEntry {
    const char* name;
    Option option;
    Field field;  // for Option::Input
};

constexpr OptionEntry kOptions[] = {
    {"--help", Option::Help, Field::Model},
    {"-h", Option::Help, Field::Model},
    {"--version", Option::Version, Field::Model},
    {"--verbose", Option::Verbose, Field::Model},
    {"-v", Option::Verbose, Field::Model},
    {"--csv", Option::Csv, Field::Model},
    {"--output", Option::Output, Field::Model},
    {"-o", Option::Output, Field::Model},
    {"--threads", Option::Threads, Field::Model},
    {"--model", Option::Input, Field::Model},
    {"--section", Option::Input, Field::Section},
    {"--dy", Option::Input, Field::Dy},
    {"--diameter", Option::Input, Field::Dy},
    {"--density", Option::Input, Field::Density},
    {"--flow", Option::Input, Field::Flow},
    {"--temperature", Option::Input, Field::Temperature},
    {"--gauge-pressure", Option::Input, Field::GaugePressure},
    {"--gauge", Option::Input, Field::GaugePressure},
    {"--atm-pressure", Option::Input, Field::AtmPressure},
    {"--atm", Option::Input, Field::AtmPressure},
    {"--ldy", Option::Input, Field::LDy},
    {"--compare", Option::Compare, Field::Model},
    {"--curve", Option::Curve, Field::Model},
    {"--max-loss", Option::MaxLoss, Field::Model},
    {"--points", Option::Points, Field::Model},
    {"--flow-range", Option::FlowRange, Field::Model},
    {"--plot", Option::Plot, Field::Model},
    {"--plot-size", Option::PlotSize, Field::Model},
    {"--report", Option::Report, Field::Model},
    {"--reports", Option::Reports, Field::Model},
    {"--report-format", Option::ReportFormat, Field::Model},
    {"--counter", Option::Counter, Field::Model},
    {"--detailed", Option::Detailed, Field::Model},
};

const OptionEntry* Find(const QString& name) {
    QString normal = name;
    normal.replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const OptionEntry& option : kOptions)
        if (normal == QLatin1String(option.name)) return &option;
    return nullptr;
}

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + ShownText(text) + QLatin1Char('\'');
}

// Whether the option takes no value. --csv names its input file, except in
// the sizing modes, where it asks for CSV output.
bool IsFlag(Option option, bool sizing) {
    switch (option) {
    case Option::Help:
    case Option::Version:
    case Option::Verbose:
    case Option::Compare:
    case Option::Curve:
    case Option::Detailed: return true;
    case Option::Csv: return sizing;
    default: return false;
    }
}

bool IsSizingMode(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        const OptionEntry* option = Find(argument);
        if (option && (option->option == Option::Compare || option->option == Option::Curve))
            return true;
    }
    return false;
}

// What the sizing options need, or an empty text.
QString CheckSizing(const ToolOptions& options, bool threadsGiven) {
    const bool sizing = options.compare || options.curve;
    if (options.compare && options.curve)
        return QStringLiteral("'--compare' and '--curve' exclude each other");
    if (!sizing) {
        if (options.maxLoss) return QStringLiteral("'--max-loss' needs --compare or --curve");
    }
    if (!options.curve) {
        if (options.points) return QStringLiteral("'--points' needs --curve");
        if (options.flowRange) return QStringLiteral("'--flow-range' needs --curve");
        if (options.plot) return QStringLiteral("'--plot' needs --curve");
    }
    if (options.plotSize && !options.plot) return QStringLiteral("'--plot-size' needs --plot");
    if (!sizing) return {};
    if (options.verbose)
        return QStringLiteral("'--verbose' cannot be combined with --compare or --curve");
    if (options.output) return QStringLiteral("'--output' needs --csv FILE");
    if (threadsGiven) return QStringLiteral("'--threads' needs --csv FILE");
    if (options.compare) {
        for (Field field : {Field::Model, Field::Section, Field::Dy}) {
            if (options.texts.Get(field))
                return Quoted(
                           QString::fromLatin1(OptionName(field).data(),
                                               static_cast<qsizetype>(OptionName(field).size()))) +
                       QStringLiteral(
                           " cannot be combined with --compare: every choice is compared");
        }
    }
    return {};
}

// What the report options need, or an empty text.
QString CheckReports(const ToolOptions& options) {
    if (options.report && options.reports)
        return QStringLiteral("'--report' and '--reports' exclude each other");
    if (!options.report && !options.reports) {
        if (options.counter) return QStringLiteral("'--counter' needs --report or --reports");
        if (options.detailed) return QStringLiteral("'--detailed' needs --report or --reports");
    }
    if (options.reportFormat) {
        if (!options.reports) return QStringLiteral("'--report-format' needs --reports");
        if (!ReportFileFormatNamed(*options.reportFormat))
            return QStringLiteral("option '--report-format': ") + Quoted(*options.reportFormat) +
                   QStringLiteral(" is not docx, odt or pdf");
    }
    if (options.report) {
        if (options.csv || options.compare || options.curve)
            return QStringLiteral(
                "'--report' writes the report of one installation: it cannot be combined with "
                "--csv, --compare or --curve (--csv FILE takes --reports DIR)");
        if (!ReportFileFormatOf(*options.report))
            return QStringLiteral("option '--report': ") + Quoted(*options.report) +
                   QStringLiteral(" does not end in .docx, .odt or .pdf");
    }
    if (options.reports && (!options.csv || options.compare || options.curve))
        return QStringLiteral("'--reports' needs --csv FILE");
    if (options.counter && options.counter->isEmpty())
        return QStringLiteral("option '--counter' needs a file name");
    return {};
}

}  // namespace

QString ParseOptions(const QStringList& arguments, ToolOptions& options) {
    options = ToolOptions{};
    bool threadsGiven = false;
    QString firstInput;
    const bool sizing = IsSizingMode(arguments);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            return QStringLiteral("unexpected argument ") + Quoted(argument);
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const OptionEntry* option = Find(name);
        if (!option) return QStringLiteral("unknown option ") + Quoted(name);

        const bool takesValue = !IsFlag(option->option, sizing);
        std::optional<QString> value;
        if (equals >= 0) {
            if (!takesValue)
                return QStringLiteral("option ") + Quoted(name) + QStringLiteral(" takes no value");
            value = argument.mid(equals + 1);
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("option ") + Quoted(name) + QStringLiteral(" needs a value");
            value = arguments.at(++i);
        }

        auto once = [&](bool given) {
            return given ? QStringLiteral("option ") + Quoted(name) +
                               QStringLiteral(" is given twice")
                         : QString();
        };
        QString problem;
        switch (option->option) {
        case Option::Help: options.help = true; break;
        case Option::Version: options.version = true; break;
        case Option::Verbose: options.verbose = true; break;
        case Option::Csv:
            if (sizing) {
                problem = once(options.csvOutput);
                options.csvOutput = true;
                break;
            }
            problem = once(options.csv.has_value());
            options.csv = value;
            break;
        case Option::Compare:
            problem = once(options.compare);
            options.compare = true;
            break;
        case Option::Curve:
            problem = once(options.curve);
            options.curve = true;
            break;
        case Option::MaxLoss:
            problem = once(options.maxLoss.has_value());
            options.maxLoss = value;
            break;
        case Option::Points:
            problem = once(options.points.has_value());
            options.points = value;
            break;
        case Option::FlowRange:
            problem = once(options.flowRange.has_value());
            options.flowRange = value;
            break;
        case Option::Plot:
            problem = once(options.plot.has_value());
            options.plot = value;
            break;
        case Option::PlotSize:
            problem = once(options.plotSize.has_value());
            options.plotSize = value;
            break;
        case Option::Report:
            problem = once(options.report.has_value());
            options.report = value;
            break;
        case Option::Reports:
            problem = once(options.reports.has_value());
            options.reports = value;
            break;
        case Option::ReportFormat:
            problem = once(options.reportFormat.has_value());
            options.reportFormat = value;
            break;
        case Option::Counter:
            problem = once(options.counter.has_value());
            options.counter = value;
            break;
        case Option::Detailed:
            problem = once(options.detailed);
            options.detailed = true;
            break;
        case Option::Output:
            problem = once(options.output.has_value());
            options.output = value;
            break;
        case Option::Threads: {
            problem = once(threadsGiven);
            threadsGiven = true;
            bool ok = false;
            options.threads = value->toInt(&ok);
            if (!ok || options.threads < 1 || options.threads > kMaxThreads)
                problem = QStringLiteral("option '--threads': ") + Quoted(*value) +
                          QStringLiteral(" is not a number from 1 to %1").arg(kMaxThreads);
            break;
        }
        case Option::Input:
            problem = once(options.texts.Get(option->field).has_value());
            options.texts.Set(option->field, *value);
            if (firstInput.isEmpty()) firstInput = name;
            break;
        }
        if (!problem.isEmpty()) return problem;
    }
    if (options.help || options.version) return {};
    if (const QString problem = CheckReports(options); !problem.isEmpty()) return problem;
    if (const QString problem = CheckSizing(options, threadsGiven); !problem.isEmpty())
        return problem;
    if (options.compare || options.curve) return {};
    if (options.csv) {
        if (!firstInput.isEmpty())
            return Quoted(firstInput) +
                   QStringLiteral(" cannot be combined with --csv: the file gives the inputs");
        if (options.verbose) return QStringLiteral("'--verbose' cannot be combined with --csv");
    } else {
        if (options.output) return QStringLiteral("'--output' needs --csv");
        if (threadsGiven) return QStringLiteral("'--threads' needs --csv");
    }
    return {};
}

}  // namespace velars::cli
