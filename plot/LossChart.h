#pragma once
// The loss curve of one choice as a chart: the loss and, for a section with
// a flow conditioner, the allowed increase against the flow, in Pa over
// nm3/h. Points whose calculation faulted are left out of the lines and
// named in the legend; a loss limit is drawn as a level line, the entered
// flow as a marked point.

#include <QString>

#include "plot/LossChartData.h"

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace velars::plot {

// The legend's names of the series.
QString LossSeriesName();      // "Потери давления"
QString IncreaseSeriesName();  // "Допустимое увеличение"

// A new chart; the caller owns it.
QChart* CreateLossChart(const LossChartData& data);

}  // namespace velars::plot
