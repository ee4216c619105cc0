#include "cli/ToolOptions.h"
#include "cli/MessageText.h"

namespace velars::cli {

namespace {

constexpr int kMaxThreads = 64;

enum class Option { Help, Version, Verbose, Csv, Output, Threads, Input };

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
};

const OptionEntry* Find(const QString& name) {
    QString normal = name;
    normal.replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const OptionEntry& option : kOptions)
        if (normal == QLatin1String(option.name)) return &option;
    return nullptr;
}

QString Quoted(const QString& text) { return QLatin1Char('\'') + ShownText(text) + QLatin1Char('\''); }

}  // namespace

QString ParseOptions(const QStringList& arguments, ToolOptions& options) {
    options = ToolOptions{};
    bool threadsGiven = false;
    QString firstInput;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            return QStringLiteral("unexpected argument ") + Quoted(argument);
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const OptionEntry* option = Find(name);
        if (!option) return QStringLiteral("unknown option ") + Quoted(name);

        const bool takesValue = option->option != Option::Help && option->option != Option::Version &&
                                option->option != Option::Verbose;
        std::optional<QString> value;
        if (equals >= 0) {
            if (!takesValue) return QStringLiteral("option ") + Quoted(name) + QStringLiteral(" takes no value");
            value = argument.mid(equals + 1);
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("option ") + Quoted(name) + QStringLiteral(" needs a value");
            value = arguments.at(++i);
        }

        auto once = [&](bool given) {
            return given ? QStringLiteral("option ") + Quoted(name) + QStringLiteral(" is given twice")
                         : QString();
        };
        QString problem;
        switch (option->option) {
            case Option::Help: options.help = true; break;
            case Option::Version: options.version = true; break;
            case Option::Verbose: options.verbose = true; break;
            case Option::Csv:
                problem = once(options.csv.has_value());
                options.csv = value;
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
    if (options.csv) {
        if (!firstInput.isEmpty())
            return Quoted(firstInput) + QStringLiteral(" cannot be combined with --csv: the file gives the inputs");
        if (options.verbose) return QStringLiteral("'--verbose' cannot be combined with --csv");
    } else {
        if (options.output) return QStringLiteral("'--output' needs --csv");
        if (threadsGiven) return QStringLiteral("'--threads' needs --csv");
    }
    return {};
}

}  // namespace velars::cli
