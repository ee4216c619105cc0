#include "app/LossCurveWindow.h"

#include <QChart>
#include <QVBoxLayout>

namespace velars {

LossCurveWindow::LossCurveWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("LossCurveWindow"));
    setWindowTitle(QStringLiteral("График потерь"));
    resize(900, 560);
    chartLoss = new QChartView(this);
    chartLoss->setObjectName(QStringLiteral("chartLoss"));
    chartLoss->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chartLoss);
}

void LossCurveWindow::SetCurve(const plot::LossChartData& data) {
    // The view gives the previous chart back to its owner: that is us.
    QChart* previous = chartLoss->chart();
    chartLoss->setChart(plot::CreateLossChart(data));
    delete previous;
}

void ShowCurveIn(QWidget*& window, QWidget* parent, const plot::LossChartData& data) {
    auto* curve = qobject_cast<LossCurveWindow*>(window);
    if (curve == nullptr) window = curve = new LossCurveWindow(parent);
    curve->SetCurve(data);
}

}  // namespace velars
