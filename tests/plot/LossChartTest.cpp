#include "plot/LossChart.h"
#include "tests/support/WorkedExampleGas.h"

#include <QChart>
#include <QChartView>
#include <QTest>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <memory>

namespace velars {
namespace {

CalcRecord Gas() { return test::WorkedExampleGas(); }

std::vector<QLineSeries*> Lines(QChart& chart, const QString& name) {
    std::vector<QLineSeries*> lines;
    for (QAbstractSeries* series : chart.series())
        if (series->name() == name) lines.push_back(qobject_cast<QLineSeries*>(series));
    return lines;
}

bool InLegend(QChart& chart, QAbstractSeries* series) {
    const QList<QLegendMarker*> markers = chart.legend()->markers(series);
    return !markers.isEmpty() && markers.first()->isVisible();
}

// Flows from -100 to 100: below zero the friction model takes a root of a
// negative Reynolds number, at zero it divides by it. Both faults break the
// line and are named once each.
TEST(LossChart, FaultsBreakTheLineAndAreNamedInTheLegend) {
    plot::LossChartData data;
    data.choice = {0, 1, 100};
    data.points = LossCurve(Gas(), data.choice, QString(), QLatin1Char(','),
                            CurveFlows(-100.0f, 100.0f, 5));
    data.separators = {QLatin1Char(','), QChar(0x00A0)};
    ASSERT_EQ(data.points.size(), 5u);
    const std::unique_ptr<QChart> chart(plot::CreateLossChart(data));

    const std::vector<QLineSeries*> loss = Lines(*chart, plot::LossSeriesName());
    ASSERT_EQ(loss.size(), 1u);  // only the points above zero are calculated
    EXPECT_EQ(loss[0]->count(), 2);
    EXPECT_EQ(loss[0]->at(1),
              QPointF(100.0, static_cast<double>(data.points[4].record.valDPpoteri)));
    EXPECT_EQ(Lines(*chart, plot::IncreaseSeriesName()).size(), 1u);

    QStringList names;
    for (QAbstractSeries* series : chart->series()) names << series->name();
    EXPECT_TRUE(names.contains(QStringLiteral(
        "Нет расчета в 2 точках, Q от -100 до -50: Invalid floating point operation")))
        << names.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(
        names.contains(QStringLiteral("Нет расчета при Q = 0: Floating point division by zero")));

    // The flow axis takes in the faulted flows too.
    const auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    EXPECT_LE(x->min(), -100.0);
    EXPECT_GE(x->max(), 100.0);
}

TEST(LossChart, AFaultInTheMiddleSplitsTheLineUnderOneLegendEntry) {
    plot::LossChartData data;
    data.choice = {3, 0, 100};
    data.points = LossCurve(Gas(), data.choice, QString(), QLatin1Char(','),
                            CurveFlows(0.0f, 400.0f, 5));
    data.points[2].fault = QStringLiteral("Floating point overflow");
    data.limit = 25.5L;
    // Shown, so that the legend's markers are laid out.
    QChartView view(plot::CreateLossChart(data));
    view.resize(900, 560);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QChart* chart = view.chart();
    const std::vector<QLineSeries*> loss = Lines(*chart, plot::LossSeriesName());
    ASSERT_EQ(loss.size(), 2u);
    EXPECT_EQ(loss[0]->count(), 2);
    EXPECT_EQ(loss[1]->count(), 2);
    EXPECT_TRUE(InLegend(*chart, loss[0]));
    EXPECT_FALSE(InLegend(*chart, loss[1]));
    // Without a flow conditioner there is no allowed increase.
    EXPECT_TRUE(Lines(*chart, plot::IncreaseSeriesName()).empty());
    // The limit line spans the flow axis at the limit.
    const std::vector<QLineSeries*> limit = Lines(*chart, QStringLiteral("Предел 25,5 Па"));
    ASSERT_EQ(limit.size(), 1u);
    ASSERT_EQ(limit[0]->count(), 2);
    EXPECT_EQ(limit[0]->at(0).y(), 25.5);
    EXPECT_EQ(limit[0]->at(1).y(), 25.5);
    EXPECT_LT(limit[0]->at(0).x(), limit[0]->at(1).x());
}

}  // namespace
}  // namespace velars
