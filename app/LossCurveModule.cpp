#include "app/LossCurve.h"
#include "numbers/Exception.h"

namespace velars {

void OpenLossCurve(QWidget*& window, QWidget* parent, PlatformServices& platform,
                   const plot::LossChartData& data) {
    // Loaded on the first curve; a module that failed is tried again on the
    // next one.
    static LossCurveEntry entry = nullptr;
    if (entry == nullptr) {
        QString missing;
        const QFunctionPointer address = platform.LoadModule(
            QStringLiteral(VELARS_LOSS_CURVE_MODULE), kLossCurveEntry, missing);
        if (address == nullptr)
            throw Exception(QStringLiteral("График потерь недоступен.\n") + missing);
        entry = reinterpret_cast<LossCurveEntry>(address);
    }
    entry(window, parent, data);
}

}  // namespace velars
