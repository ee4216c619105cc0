#include "cli/CompareMode.h"

#include "calc/PressureUnits.h"
#include "calc/Sizing.h"
#include "calc/SizingCsv.h"
#include "catalogue/Catalogue.h"
#include "cli/SizingInput.h"
#include "cli/TextTable.h"
#include "numbers/FormatFloat.h"

namespace velars::cli {

namespace {

constexpr int kUsageError = 2;

// Pa with 2 decimals, mm of water column with none, as the results pane.
QString Pascal(float value, const Separators& s) { return FormatFloat(value, 2, s); }
QString Millimetres(float value, const Separators& s) {
    return FormatFloat(PascalToMmWater(value), 0, s);
}

QString Table(const std::vector<ChoiceResult>& results, const Separators& s) {
    TextTable table({true, true, true, true, true, true, true, false});
    table.AddRow({QStringLiteral("model"), QStringLiteral("section"), QStringLiteral("Dy, mm"),
                  QStringLiteral("loss, Pa"), QStringLiteral("mm w.c."),
                  QStringLiteral("increase, Pa"), QStringLiteral("mm w.c."),
                  QStringLiteral("device")});
    const QString none = QStringLiteral("-");
    for (const ChoiceResult& result : results) {
        const MeterChoice& c = result.choice;
        QString device = catalogue::ModelNames().value(c.model) + QStringLiteral(", ") +
                         catalogue::SectionsOf(c.model).value(c.section);
        QStringList row{QString::number(c.model), QString::number(c.section),
                        QString::number(c.dy)};
        if (result.Faulted()) {
            row << none << none << none << none;
            device += QStringLiteral(": calculation failed: ") + result.fault;
        } else {
            const CalcRecord& r = result.record;
            row << Pascal(r.valDPpoteri, s) << Millimetres(r.valDPpoteri, s);
            if (HasAllowedIncrease(c.section))
                row << Pascal(r.valDPdop, s) << Millimetres(r.valDPdop, s);
            else
                row << none << none;
        }
        row << device;
        table.AddRow(row);
    }
    return table.Text();
}

}  // namespace

int RunCompare(const ToolOptions& options, const Separators& separators, QString& out,
               QString& err) {
    std::optional<long double> limit;
    if (options.maxLoss) {
        long double value = 0;
        const QString problem = ReadLimit(*options.maxLoss, separators.decimal, value);
        if (!problem.isEmpty()) {
            err += problem + QLatin1Char('\n');
            return kUsageError;
        }
        limit = value;
    }
    Installation gas;
    const std::vector<FieldError> errors = ReadGas(options.texts, separators.decimal, gas);
    if (!errors.empty()) {
        err += ErrorLines(errors);
        return 1;
    }

    const std::optional<QString> ldy = options.texts.Get(Field::LDy)
                                           ? std::optional<QString>(gas.ldyText)
                                           : std::nullopt;
    std::vector<ChoiceResult> results = CompareChoices(gas.record, ldy, separators.decimal);
    SortByLoss(results);
    const std::size_t all = results.size();
    std::size_t faults = 0;
    if (limit) {
        for (const ChoiceResult& result : results) faults += result.Faulted() ? 1 : 0;
        std::erase_if(results, [&](const ChoiceResult& r) { return !WithinLimit(r, *limit); });
    }

    if (options.csvOutput)
        out += QString::fromStdString(ComparisonCsv(results));
    else
        out += Table(results, separators);
    if (limit) {
        const std::size_t above = all - results.size() - faults;
        QString note = QStringLiteral("%1 of %2 choices left out: %3 with a loss above %4 Pa")
                           .arg(all - results.size())
                           .arg(all)
                           .arg(above)
                           .arg(FormatFloat(*limit, 2, separators));
        if (faults) note += QStringLiteral(", %1 whose calculation failed").arg(faults);
        note += QLatin1Char('\n');
        if (options.csvOutput)
            err += note;
        else
            out += QLatin1Char('\n') + note;
    }
    return 0;
}

}  // namespace velars::cli
