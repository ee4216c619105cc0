#pragma once
// What the loss curve chart of one choice shows (LossChart.h draws it): the
// points of the curve, a loss limit and the entered flow. A header of plain
// data, which the window fills without the charts library.

#include <optional>
#include <vector>

#include "calc/Sizing.h"
#include "numbers/Separators.h"

namespace velars::plot {

struct LossChartData {
    MeterChoice choice;
    std::vector<ChoiceResult> points;     // in flow order
    std::optional<long double> limit;     // Pa
    std::optional<ChoiceResult> entered;  // the calculation at the entered flow
    Separators separators;                // for the numbers in the legend
};

}  // namespace velars::plot
