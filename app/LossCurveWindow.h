#pragma once
// The loss curve of the window's current choice: the loss (and the allowed
// increase) against the flow up to twice the entered flow, the entered
// point marked.

#include <QChartView>
#include <QWidget>

#include "plot/LossChart.h"

namespace velars {

class LossCurveWindow : public QWidget {
    Q_OBJECT
public:
    explicit LossCurveWindow(QWidget* parent = nullptr);

    // Replaces the chart by one of `data`.
    void SetCurve(const plot::LossChartData& data);

    QChartView* chartLoss;
};

// Shows `data` in `window`, made first when it is not a LossCurveWindow (a
// window of its own, owned by `parent`).
void ShowCurveIn(QWidget*& window, QWidget* parent, const plot::LossChartData& data);

}  // namespace velars
