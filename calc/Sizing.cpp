#include "calc/Sizing.h"

#include <algorithm>

#include "calc/FloatErrors.h"
#include "calc/LossModel.h"
#include "catalogue/Catalogue.h"

namespace velars {

std::vector<MeterChoice> CatalogueChoices(bool withCutIn) {
    std::vector<MeterChoice> choices;
    for (int model = 0; model < catalogue::kModelCount; ++model) {
        if (catalogue::NeedsLDy(model) && !withCutIn) continue;
        const int sections = static_cast<int>(catalogue::SectionsOf(model).size());
        for (const QString& diameter : catalogue::DiametersOf(model)) {
            const std::int32_t dy = diameter.toInt();
            for (int section = 0; section < sections; ++section)
                choices.push_back({model, section, dy});
        }
    }
    return choices;
}

ChoiceResult CalculateChoice(const CalcRecord& gas, const MeterChoice& choice,
                             const QString& ldyText, QChar decimalSeparator) {
    ChoiceResult result{choice, gas, {}};
    result.record.valDy = choice.dy;
    try {
        CalculateLoss(result.record, choice.model, choice.section, ldyText, decimalSeparator);
    } catch (const EMathError& fault) {
        result.fault = fault.Message();
    }
    return result;
}

std::vector<ChoiceResult> CompareChoices(const CalcRecord& gas,
                                         const std::optional<QString>& ldyText,
                                         QChar decimalSeparator) {
    const std::vector<MeterChoice> choices = CatalogueChoices(ldyText.has_value());
    const QString ldy = ldyText.value_or(QString());
    std::vector<ChoiceResult> results;
    results.reserve(choices.size());
    for (const MeterChoice& choice : choices)
        results.push_back(CalculateChoice(gas, choice, ldy, decimalSeparator));
    return results;
}

void SortByLoss(std::vector<ChoiceResult>& results) {
    std::stable_sort(results.begin(), results.end(),
                     [](const ChoiceResult& a, const ChoiceResult& b) {
                         if (a.Faulted() || b.Faulted()) return !a.Faulted() && b.Faulted();
                         return a.record.valDPpoteri < b.record.valDPpoteri;
                     });
}

bool WithinLimit(const ChoiceResult& result, long double limit) {
    return !result.Faulted() && static_cast<long double>(result.record.valDPpoteri) <= limit;
}

std::vector<float> CurveFlows(float from, float to, int points) {
    std::vector<float> flows;
    if (points < 1) return flows;
    flows.reserve(static_cast<std::size_t>(points));
    const long double span = static_cast<long double>(to) - from;
    for (int i = 0; i + 1 < points; ++i)
        flows.push_back(static_cast<float>(from + span * i / (points - 1)));
    flows.push_back(to);
    return flows;
}

std::vector<ChoiceResult> LossCurve(const CalcRecord& gas, const MeterChoice& choice,
                                    const QString& ldyText, QChar decimalSeparator,
                                    const std::vector<float>& flows) {
    std::vector<ChoiceResult> points;
    points.reserve(flows.size());
    CalcRecord atFlow = gas;
    for (const float flow : flows) {
        atFlow.valQ = flow;
        points.push_back(CalculateChoice(atFlow, choice, ldyText, decimalSeparator));
    }
    return points;
}

}  // namespace velars
