#pragma once
// Sizing a metering point: every choice of the catalogue (model, section and
// diameter) for one gas and flow, and the loss curve of one choice over a
// range of flows. Each figure is what one calculation of that choice gives:
// the gas data come as validation stored them, every choice is calculated by
// the loss model on its own copy of them.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/CalcRecord.h"

namespace velars {

// One device of the catalogue: model index, section index, diameter in mm.
struct MeterChoice {
    int model = -1;
    int section = -1;
    std::int32_t dy = 0;

    friend bool operator==(const MeterChoice&, const MeterChoice&) = default;
};

// One choice calculated: the record as the calculation left it, or the
// floating-point fault that ended it.
struct ChoiceResult {
    MeterChoice choice;
    CalcRecord record;
    QString fault;  // "Floating point division by zero", ...; empty when calculated

    bool Faulted() const { return !fault.isEmpty(); }
};

// Every choice of the catalogue in list order: model by model, each model's
// diameters, each diameter's sections. The cut-in model only `withCutIn`.
std::vector<MeterChoice> CatalogueChoices(bool withCutIn);

// One calculation of `choice` on the gas data of `gas` (the five inputs as
// validation stored them): the diameter is set as picking it sets it, then
// the loss model runs. `ldyText` is read by the cut-in model. A fault of
// the loss model is caught and carried in the result.
ChoiceResult CalculateChoice(const CalcRecord& gas, const MeterChoice& choice,
                             const QString& ldyText, QChar decimalSeparator);

// Every choice for the gas data, in catalogue order. The cut-in model is
// compared only when an L/Dy text is given; it must be one validation
// accepts.
std::vector<ChoiceResult> CompareChoices(const CalcRecord& gas,
                                         const std::optional<QString>& ldyText,
                                         QChar decimalSeparator);

// Sorts by the loss, smallest first; faults last; equal losses keep their
// order.
void SortByLoss(std::vector<ChoiceResult>& results);

// Whether a calculated choice keeps the loss at or under `limit` Pa (the
// stored loss against the limit as read); a fault never does.
bool WithinLimit(const ChoiceResult& result, long double limit);

// The flows of a curve: `points` values from `from` to `to`, both ends
// included (the last one is `to` exactly), each stored as single as the
// flow field stores it. One point gives `to` alone.
std::vector<float> CurveFlows(float from, float to, int points);

// The loss curve of one choice: a calculation of it at every flow, the
// other inputs as in `gas`. A point whose calculation faults carries the
// fault; the others go on.
std::vector<ChoiceResult> LossCurve(const CalcRecord& gas, const MeterChoice& choice,
                                    const QString& ldyText, QChar decimalSeparator,
                                    const std::vector<float>& flows);

}  // namespace velars
