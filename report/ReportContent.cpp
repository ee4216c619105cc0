#include "report/ReportContent.h"

#include "calc/PressureUnits.h"
#include "catalogue/Catalogue.h"
#include "report/CalculationReport.h"
#include "numbers/FormatFloat.h"

namespace velars {

namespace {

constexpr std::int8_t kHeaderSize = 14;
constexpr std::int8_t kBodySize = 12;
constexpr std::int8_t kCentred = 1;
constexpr std::int8_t kLeft = 0;

// The version line names the calculation module the report comes from,
// "версия 2.02 от 03.03.20", and reads the same in every release: it is a
// fixed text of the report, not the package's version. That one is the top
// entry of debian/changelog (VELARS_VERSION, which velars-tp-calc --version
// and the package show) and changes with each release; its number happens to
// be 2.02 as well, its date is the package's own.
const QString kModuleVersion = QStringLiteral("2.02");
const QString kModuleVersionDate = QStringLiteral("03.03.20");

ReportParagraph Header(const QString& text) { return {text, kHeaderSize, true, kCentred}; }
ReportParagraph Body(const QString& text, bool bold) { return {text, kBodySize, bold, kLeft}; }

// A labelled line, none for a name the catalogue does not have.
QString NamedLine(const QString& label, const QString& name) {
    return name.isEmpty() ? QString() : label + name;
}

}  // namespace

std::vector<ReportParagraph> HeaderParagraphs(std::int32_t number, QDate today) {
    const QString version = QStringLiteral("версия ") + kModuleVersion + QStringLiteral(" от ") +
                            kModuleVersionDate;
    return {
        Header(QStringLiteral("Программный комплекс \"ВЕЛАРС-ТП\"")),
        Header(QStringLiteral("модуль \"Оценка потерь давления\"")),
        Header(version),
        Header(QString()),
        Header(QStringLiteral("Расчет № ") + QString::number(number) + QStringLiteral(" от ") +
               today.toString(QStringLiteral("dd.MM.yyyy"))),
    };
}

std::vector<ReportParagraph> BodyParagraphs(const ReportInputs& inputs,
                                            const Separators& separators) {
    const CalcRecord& r = inputs.record;
    auto format = [&separators](long double value, int decimals) {
        return FormatFloat(value, decimals, separators);
    };

    const long double density = r.valPlotnost;
    const long double flow = r.valQ;
    const long double celsius = static_cast<long double>(r.valTgaza) - 273.15L;
    const long double gaugeMPa = static_cast<long double>(r.valPizb) * 0.000001L;
    const long double gaugeMm = PascalToMmWaterExtended(r.valPizb);
    const long double atmKPa = static_cast<long double>(r.valPatm) * 0.001L;
    const float lossMm = PascalToMmWater(r.valDPpoteri);
    const float allowedMm = PascalToMmWater(r.valDPdop);

    std::vector<ReportParagraph> body;
    body.push_back(Body(QString(), true));
    body.push_back(Body(QStringLiteral("Вариант конструкции прибора:"), true));
    body.push_back(Body(QString(), true));
    const QString model = NamedLine(QStringLiteral("Тип измерительного прибора: "),
                                    catalogue::ReportModelName(inputs.model));
    if (!model.isEmpty()) body.push_back(Body(model, false));
    const QString section = NamedLine(QStringLiteral("Тип измерительного участка: "),
                                      catalogue::ReportSectionName(inputs.model, inputs.section));
    if (!section.isEmpty()) body.push_back(Body(section, false));
    body.push_back(Body(QStringLiteral("Диаметр условного прохода: Ду") + inputs.dyText, false));
    body.push_back(Body(QString(), true));
    body.push_back(Body(QStringLiteral("Исходные данные для расчета:"), true));
    body.push_back(Body(QString(), true));
    body.push_back(Body(QStringLiteral("Плотность при стандартных условиях, ph: ") +
                            format(density, 2) + QStringLiteral(" кг/м3"),
                        false));
    body.push_back(Body(QStringLiteral("Расход при стандартных условиях, Q: ") + format(flow, 2) +
                            QStringLiteral(" нм3/ч"),
                        false));
    body.push_back(Body(QStringLiteral("Температура газа, tгаза: ") + format(celsius, 2) +
                            QStringLiteral(" град. С"),
                        false));
    body.push_back(Body(QStringLiteral("Избыточное давление, Ризб.: ") + format(gaugeMPa, 2) +
                            QStringLiteral(" МПа (") + format(gaugeMm, 0) +
                            QStringLiteral(" мм вод. ст.)"),
                        false));
    body.push_back(Body(QStringLiteral("Атмосферное давление, Ратм.: ") + format(atmKPa, 2) +
                            QStringLiteral(" KПа."),
                        false));
    body.push_back(Body(QString(), true));
    body.push_back(Body(QString(), true));
    body.push_back(Body(QStringLiteral("Результаты расчета:"), true));
    body.push_back(Body(QString(), true));
    body.push_back(Body(
        QStringLiteral("Наибольшие потери давления на ПП и УПП (в чистом состоянии):"), false));
    body.push_back(Body(format(r.valDPpoteri, 2) + QStringLiteral(" Па ( ") + format(lossMm, 0) +
                            QStringLiteral(" мм вод. ст.)"),
                        true));
    if (inputs.section != 0) {
        body.push_back(Body(
            QStringLiteral("Допустимое значение увеличения перепада давления на загрязненном УПП:"),
            false));
        body.push_back(Body(format(r.valDPdop, 2) + QStringLiteral(" Па ( ") +
                                format(allowedMm, 0) + QStringLiteral(" мм вод. ст.)."),
                            true));
    }
    body.push_back(Body(QString(), false));
    body.push_back(Body(QStringLiteral("УПП - Устройство Подготовки Потока"), false));
    if (inputs.steps) {
        for (ReportParagraph& line : CalculationParagraphs(*inputs.steps, separators))
            body.push_back(std::move(line));
    }
    return body;
}

}  // namespace velars
