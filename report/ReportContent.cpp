#include "report/ReportContent.h"

#include "calc/LossModel.h"
#include "report/CalculationReport.h"
#include "numbers/FormatFloat.h"

namespace velars {

namespace {

constexpr std::int8_t kHeaderSize = 14;
constexpr std::int8_t kBodySize = 12;
constexpr std::int8_t kCentred = 1;
constexpr std::int8_t kLeft = 0;

// Millimetres of water column per megapascal (1 000 000 / 9.80665).
constexpr long double kMmWaterPerMPa = 101971.62129779282L;

ReportParagraph Header(const QString& text) { return {text, kHeaderSize, true, kCentred}; }
ReportParagraph Body(const QString& text, bool bold) { return {text, kBodySize, bold, kLeft}; }

QString ModelText(int model) {
    switch (model) {
    case 0: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-Сфера-ПП");
    case 1: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-Сфера-Пр");
    case 2: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-Сфера-Вр");
    case 3: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-МТ7");
    case 4: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-Д500");
    case 5: return QStringLiteral("Тип измерительного прибора: ВЕЛАРС-МТ7-Сфера");
    default: return {};
    }
}

// Models 3, 4 and 5 offer the turbulizer list; every other model index, no
// model included, the list with the silencer and the reverse turbulizer.
QString SectionText(int model, int section) {
    const bool turbulizerList = model == 3 || model == 4 || model == 5;
    switch (section) {
    case 0: return QStringLiteral("Тип измерительного участка: Без турбулизатора");
    case 1: return QStringLiteral("Тип измерительного участка: Турбулизатор-Н");
    case 2:
        return turbulizerList ? QStringLiteral("Тип измерительного участка: Турбулизатор-ВС")
                              : QStringLiteral("Тип измерительного участка: Шумоглушитель");
    case 3:
        return turbulizerList
                   ? QString()
                   : QStringLiteral("Тип измерительного участка: Турбулизатор-Н исп. реверс");
    default: return {};
    }
}

}  // namespace

std::vector<ReportParagraph> HeaderParagraphs(std::int32_t number, QDate today) {
    const QString version = QStringLiteral("версия ") + QStringLiteral("2.02") +
                            QStringLiteral(" от ") + QStringLiteral("03.03.20");
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
    const long double gaugeMm = static_cast<long double>(r.valPizb) * 0.000001L * kMmWaterPerMPa;
    const long double atmKPa = static_cast<long double>(r.valPatm) * 0.001L;
    const float lossMm = PascalToMmWater(r.valDPpoteri);
    const float allowedMm = PascalToMmWater(r.valDPdop);

    std::vector<ReportParagraph> body;
    body.push_back(Body(QString(), true));
    body.push_back(Body(QStringLiteral("Вариант конструкции прибора:"), true));
    body.push_back(Body(QString(), true));
    const QString model = ModelText(inputs.model);
    if (!model.isEmpty()) body.push_back(Body(model, false));
    const QString section = SectionText(inputs.model, inputs.section);
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
