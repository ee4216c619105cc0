// The loss curve window as a module of the program (app/LossCurve.h): its
// one export, which the program calls for every curve.

#include <type_traits>

#include "app/LossCurve.h"
#include "app/LossCurveWindow.h"

extern "C" __attribute__((visibility("default"))) void velars_loss_curve(
    QWidget*& window, QWidget* parent, const velars::plot::LossChartData& data) {
    velars::ShowCurveIn(window, parent, data);
}

static_assert(std::is_same_v<decltype(&velars_loss_curve), velars::LossCurveEntry>);
