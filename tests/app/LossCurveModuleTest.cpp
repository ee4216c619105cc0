// How the program reaches its loss curve window: the curve module is loaded
// on the first curve, once; a module that cannot be loaded is an error that
// says what is missing, and the next curve tries again.

#include <gtest/gtest.h>

#include <QChartView>
#include <QWidget>
#include <memory>

#include "app/LossCurve.h"
#include "numbers/Exception.h"
#include "platform/FakePlatformServices.h"
#include "platform/ProgramModules.h"

namespace velars {
namespace {

int curvesShown = 0;
QWidget* madeWindow = nullptr;

void TestCurveModule(QWidget*& window, QWidget*, const plot::LossChartData&) {
    ++curvesShown;
    if (window == nullptr) window = madeWindow;
}

TEST(LossCurveModuleTest, TheModuleIsLoadedOnTheFirstCurveAndAMissingOneIsNamed) {
    FakePlatformServices platform;
    platform.moduleMissing = QStringLiteral("Нет модуля программы curve.so");
    QWidget* window = nullptr;
    try {
        OpenLossCurve(window, nullptr, platform, {});
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("График потерь недоступен.\nНет модуля программы curve.so"));
    }
    EXPECT_EQ(window, nullptr);

    QWidget made;
    madeWindow = &made;
    platform.modules[QStringLiteral(VELARS_LOSS_CURVE_MODULE)] =
        reinterpret_cast<QFunctionPointer>(&TestCurveModule);
    OpenLossCurve(window, nullptr, platform, {});
    OpenLossCurve(window, nullptr, platform, {});
    EXPECT_EQ(window, &made);
    EXPECT_EQ(curvesShown, 2);
    EXPECT_EQ(platform.modulesLoaded.size(), 2u);  // the failed try and the load
}

// The program's own curve module, loaded from the build's program folder as
// the program loads it, makes the curve window with its chart.
TEST(LossCurveModuleTest, TheProgramsCurveModuleMakesTheCurveWindow) {
    QString missing;
    const auto entry = reinterpret_cast<LossCurveEntry>(
        LoadProgramModule(QStringLiteral(VELARS_TP_EXECUTABLE),
                          QStringLiteral(VELARS_LOSS_CURVE_MODULE), kLossCurveEntry, missing));
    ASSERT_NE(entry, nullptr) << missing.toStdString();
    QWidget parent;
    QWidget* window = nullptr;
    entry(window, &parent, {});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parent(), &parent);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("График потерь"));
    const auto* view = window->findChild<QChartView*>(QStringLiteral("chartLoss"));
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->chart(), nullptr);
    // The next curve goes into the same window.
    QWidget* const first = window;
    entry(window, &parent, {});
    EXPECT_EQ(window, first);
}

}  // namespace
}  // namespace velars
