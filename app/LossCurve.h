#pragma once
// The main window's loss curve window, reached through one function so that
// its charts (Qt Charts, QtSvg) load only when the user first asks for a
// curve. The program links LossCurveModule.cpp, which loads the curve module
// of the program (platform/ProgramModules.h) and calls it; the module itself
// and the tests link LossCurveDirect.cpp, which makes the LossCurveWindow
// at once.

#include <QWidget>

#include "platform/PlatformServices.h"
#include "plot/LossChartData.h"

namespace velars {

// Shows `data` in `window`, made first when it is null (a window of its own,
// owned by `parent`); the caller shows and raises it. A curve module that
// cannot be loaded throws Exception saying what is missing; `window` is then
// left as it was.
void OpenLossCurve(QWidget*& window, QWidget* parent, PlatformServices& platform,
                   const plot::LossChartData& data);

// The function the curve module exports (kLossCurveEntry): ShowCurveIn of
// LossCurveWindow.h.
using LossCurveEntry = void (*)(QWidget*& window, QWidget* parent, const plot::LossChartData& data);
inline constexpr char kLossCurveEntry[] = "velars_loss_curve";

}  // namespace velars
