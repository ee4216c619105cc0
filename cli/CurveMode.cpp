#include "cli/CurveMode.h"

#include <QChart>
#include <memory>

#include "calc/InputValidation.h"
#include "calc/LossModel.h"
#include "calc/PressureUnits.h"
#include "calc/Sizing.h"
#include "calc/SizingCsv.h"
#include "catalogue/Catalogue.h"
#include "cli/SizingInput.h"
#include "cli/TextTable.h"
#include "numbers/Exception.h"
#include "numbers/FormatFloat.h"
#include "plot/ChartImage.h"
#include "plot/LossChart.h"

namespace velars::cli {

namespace {

constexpr int kUsageError = 2;
constexpr int kMaxPoints = 100000;
constexpr int kMinPlotSide = 100;
constexpr int kMaxPlotSide = 10000;

struct CurveSettings {
    int points = kDefaultCurvePoints;
    std::optional<float> from;
    std::optional<float> to;
    std::optional<long double> limit;
    QSize plotSize = kDefaultPlotSize;
};

QString OptionProblem(const char* option, const QString& text, const char* what) {
    return QStringLiteral("option '%1': '%2' %3")
        .arg(QLatin1String(option), text, QLatin1String(what));
}

// The flows as the flow field stores them.
QString ReadFlow(const QString& text, QChar decimal, std::optional<float>& flow) {
    try {
        flow = ReadSingle(text, decimal);
    } catch (const EConvertError&) {
        return OptionProblem("--flow-range", text, "is not a valid floating point value");
    }
    return {};
}

QString ReadSettings(const ToolOptions& options, QChar decimal, CurveSettings& settings) {
    if (options.points) {
        bool ok = false;
        settings.points = options.points->trimmed().toInt(&ok);
        if (!ok || settings.points < 1 || settings.points > kMaxPoints)
            return OptionProblem("--points", *options.points, "is not a number from 1 to 100000");
    }
    if (options.flowRange) {
        const QStringList ends = options.flowRange->split(QLatin1Char(':'));
        if (ends.size() != 2)
            return OptionProblem("--flow-range", *options.flowRange, "is not of the form A:B");
        if (QString problem = ReadFlow(ends[0], decimal, settings.from); !problem.isEmpty())
            return problem;
        if (QString problem = ReadFlow(ends[1], decimal, settings.to); !problem.isEmpty())
            return problem;
    }
    if (options.maxLoss) {
        long double limit = 0;
        if (QString problem = ReadLimit(*options.maxLoss, decimal, limit); !problem.isEmpty())
            return problem;
        settings.limit = limit;
    }
    if (options.plot) {
        const QString suffix = options.plot->section(QLatin1Char('.'), -1).toLower();
        if (!options.plot->contains(QLatin1Char('.')) ||
            (suffix != QLatin1String("svg") && suffix != QLatin1String("png")))
            return OptionProblem("--plot", *options.plot, "does not end in .svg or .png");
    }
    if (options.plotSize) {
        const QStringList sides = options.plotSize->toLower().split(QLatin1Char('x'));
        bool okWidth = false;
        bool okHeight = false;
        if (sides.size() == 2)
            settings.plotSize = QSize(sides[0].toInt(&okWidth), sides[1].toInt(&okHeight));
        if (!okWidth || !okHeight || settings.plotSize.width() < kMinPlotSide ||
            settings.plotSize.height() < kMinPlotSide || settings.plotSize.width() > kMaxPlotSide ||
            settings.plotSize.height() > kMaxPlotSide)
            return OptionProblem("--plot-size", *options.plotSize,
                                 "is not WIDTHxHEIGHT with sides from 100 to 10000 pixels");
    }
    return {};
}

QString Table(const std::vector<ChoiceResult>& points, int section, const Separators& s) {
    const bool increase = HasAllowedIncrease(section);
    TextTable table({true, true, true, true, true, false});
    QStringList header{QStringLiteral("flow, nm³/h"), QStringLiteral("loss, Pa"),
                       QStringLiteral("mm w.c.")};
    if (increase) header << QStringLiteral("increase, Pa") << QStringLiteral("mm w.c.");
    table.AddRow(header);
    for (const ChoiceResult& point : points) {
        const CalcRecord& r = point.record;
        QStringList row{FormatFloat(r.valQ, 2, s)};
        if (point.Faulted()) {
            row << QStringLiteral("-") << QStringLiteral("-");
            if (increase) row << QStringLiteral("-") << QStringLiteral("-");
            row << QStringLiteral("calculation failed: ") + point.fault;
        } else {
            row << FormatFloat(r.valDPpoteri, 2, s)
                << FormatFloat(PascalToMmWater(r.valDPpoteri), 0, s);
            if (increase)
                row << FormatFloat(r.valDPdop, 2, s)
                    << FormatFloat(PascalToMmWater(r.valDPdop), 0, s);
        }
        table.AddRow(row);
    }
    return table.Text();
}

}  // namespace

int RunCurve(const ToolOptions& options, const Separators& separators, QString& out, QString& err) {
    CurveSettings settings;
    if (QString problem = ReadSettings(options, separators.decimal, settings); !problem.isEmpty()) {
        err += problem + QLatin1Char('\n');
        return kUsageError;
    }
    Installation installation;
    const std::vector<FieldError> errors = ReadInstallation(options.texts, separators.decimal,
                                                            installation);
    if (!errors.empty()) {
        err += ErrorLines(errors);
        return 1;
    }
    const MeterChoice choice{installation.model, installation.section, installation.record.valDy};
    const float from = settings.from.value_or(0.0f);
    const float to = settings.to.value_or(installation.record.valQ);
    const std::vector<ChoiceResult> points = LossCurve(installation.record, choice,
                                                       installation.ldyText, separators.decimal,
                                                       CurveFlows(from, to, settings.points));

    if (options.csvOutput) {
        out += QString::fromStdString(CurveCsv(points));
    } else {
        out += catalogue::ModelNames().value(choice.model) + QStringLiteral(", ") +
               catalogue::SectionsOf(choice.model).value(choice.section) +
               QStringLiteral(", Dy %1 mm\n").arg(choice.dy);
        out += Table(points, choice.section, separators);
    }
    if (options.plot) {
        plot::LossChartData data;
        data.choice = choice;
        data.points = points;
        data.limit = settings.limit;
        data.separators = separators;
        QString problem;
        if (!plot::SaveChartImage(std::unique_ptr<QChart>(plot::CreateLossChart(data)),
                                  settings.plotSize, *options.plot, problem)) {
            err += problem + QLatin1Char('\n');
            return kUsageError;
        }
    }
    return 0;
}

}  // namespace velars::cli
