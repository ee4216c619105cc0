#include "app/LossCurve.h"
#include "app/LossCurveWindow.h"

namespace velars {

void OpenLossCurve(QWidget*& window, QWidget* parent, PlatformServices&,
                   const plot::LossChartData& data) {
    ShowCurveIn(window, parent, data);
}

}  // namespace velars
