#include "cli/SingleCalculation.h"

#include "numbers/ShortestNumber.h"
#include "calc/CalculationSteps.h"
#include "calc/ResultsPane.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"

namespace velars::cli {

namespace {

// The fewest digits that read back as the value, with the locale's decimal
// separator and no groups.
template <typename T>
QString Number(T value, QChar decimal) {
    QString text = QString::fromStdString(ShortestText(value));
    text.replace(QLatin1Char('.'), decimal);
    return text;
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void AppendIntermediates(const CalculationSteps& steps, QChar decimal, QString& out) {
    const CalcRecord& r = steps.record;
    const LossTrace& trace = steps.friction;
    auto line = [&](const QString& text) { out += text + QLatin1Char('\n'); };
    auto value = [&](const char* name, auto number, const char* unit) {
        line(QString::fromUtf8(name) + QStringLiteral(" = ") + Number(number, decimal) +
             QString::fromUtf8(unit));
    };
    line(QString());
    line(QStringLiteral("Intermediate values:"));
    line(QStringLiteral("model: %1 (%2)")
             .arg(steps.model)
             .arg(catalogue::ModelNames().value(steps.model)));
    line(QStringLiteral("section: %1 (%2)")
             .arg(steps.section)
             .arg(catalogue::SectionsOf(steps.model).value(steps.section)));
    line(QStringLiteral("valDy = %1 mm").arg(r.valDy));
    value("valPlotnost", r.valPlotnost, " kg/m³");
    value("valQ", r.valQ, " nm³/h");
    value("valTgaza", r.valTgaza, " K");
    value("valPizb", r.valPizb, " Pa");
    value("valPatm", r.valPatm, " Pa");
    if (trace.frictionComputed) {
        value("μ", trace.mu, "");
        value("p", trace.p, " MPa");
        value("w", trace.w, "");
        line(QStringLiteral("Re = ") + Number(trace.Re, decimal) +
             (trace.blasius ? QStringLiteral(" (Blasius formula, Re <= 100000)")
                            : QStringLiteral(" (exponential fit, Re > 100000)")));
        value("λ", trace.lambda, "");
        if (trace.lengthFactor != 0) value("k(Dy)", trace.lengthFactor, "");
        if (catalogue::NeedsLDy(steps.model)) value("L/Dy", trace.ldy, "");
    } else {
        line(QStringLiteral("friction factor: not used by this model"));
    }
    value("valDzetaPP", r.valDzetaPP, "");
    value("valDzetaTurb", r.valDzetaTurb, "");
    value("valDzetaTurb2", r.valDzetaTurb2, "");
    value("valDzetaSum", r.valDzetaSum, "");
    value("valDPpoteri", r.valDPpoteri, " Pa");
    value("valDPdop", r.valDPdop, " Pa");
}

}  // namespace

int CalculateSingle(const InstallationTexts& texts, bool verbose, const Separators& separators,
                    QString& out, QString& err, CalculationSteps* steps) {
    Installation installation;
    const std::vector<FieldError> errors = ReadInstallation(texts, separators.decimal,
                                                            installation);
    for (const FieldError& error : errors) {
        err += QStringLiteral("field '") + Latin(ColumnName(error.field)) + QStringLiteral("' (") +
               Latin(OptionName(error.field)) + QStringLiteral("): ") + error.message +
               QLatin1Char('\n');
    }
    if (!errors.empty()) return 1;

    LossTrace trace;
    try {
        Calculate(installation, separators.decimal, &trace);
    } catch (const Exception& fault) {
        err += QStringLiteral("calculation failed: ") + fault.Message() + QLatin1Char('\n');
        return 1;
    }
    for (const QString& line : ResultLines(installation.record, installation.section, separators))
        out += line + QLatin1Char('\n');
    const CalculationSteps calculated = StepsOf(installation.record, installation.model,
                                                installation.section, trace);
    if (verbose) AppendIntermediates(calculated, separators.decimal, out);
    if (steps) *steps = calculated;
    return 0;
}

}  // namespace velars::cli
