#include "plot/LossChart.h"

#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "catalogue/Catalogue.h"
#include "numbers/FormatFloat.h"
#include "numbers/ShortestNumber.h"

namespace velars::plot {

namespace {

QString Number(long double value, const Separators& s) { return FormatFloat(value, 2, s); }

// A value in the fewest digits that read back as it.
template <typename T>
QString Shortest(T value, const Separators& s) {
    QString text = QString::fromStdString(ShortestText(value));
    text.replace(QLatin1Char('.'), s.decimal);
    return text;
}

// The calculated points of one quantity as line segments: a faulted point
// breaks the line. Only the first segment shows in the legend.
void AddSegments(QChart& chart, const std::vector<ChoiceResult>& points, bool increase,
                 const QString& name, QValueAxis& x, QValueAxis& y, const QColor& color) {
    QLineSeries* segment = nullptr;
    bool first = true;
    for (const ChoiceResult& point : points) {
        if (point.Faulted()) {
            segment = nullptr;
            continue;
        }
        if (!segment) {
            segment = new QLineSeries;
            segment->setName(name);
            QPen pen(color);
            pen.setWidthF(2.0);
            segment->setPen(pen);
            chart.addSeries(segment);
            segment->attachAxis(&x);
            segment->attachAxis(&y);
            if (!first)
                for (QLegendMarker* marker : chart.legend()->markers(segment))
                    marker->setVisible(false);
            first = false;
        }
        const CalcRecord& r = point.record;
        segment->append(r.valQ, increase ? r.valDPdop : r.valDPpoteri);
    }
}

// One legend entry per fault: which flows it took.
void NameFaults(QChart& chart, const std::vector<ChoiceResult>& points, const Separators& s) {
    std::map<QString, std::vector<float>> flowsOf;
    std::vector<QString> order;
    for (const ChoiceResult& point : points) {
        if (!point.Faulted()) continue;
        auto [it, added] = flowsOf.try_emplace(point.fault);
        if (added) order.push_back(point.fault);
        it->second.push_back(point.record.valQ);
    }
    for (const QString& fault : order) {
        const std::vector<float>& flows = flowsOf[fault];
        const auto [low, high] = std::minmax_element(flows.begin(), flows.end());
        const QString where = flows.size() == 1
                                  ? QStringLiteral("при Q = %1").arg(Shortest(*low, s))
                                  : QStringLiteral("в %1 точках, Q от %2 до %3")
                                        .arg(flows.size())
                                        .arg(Shortest(*low, s), Shortest(*high, s));
        auto* entry = new QLineSeries;
        entry->setName(QStringLiteral("Нет расчета ") + where + QStringLiteral(": ") + fault);
        entry->setPen(QPen(Qt::gray, 2.0, Qt::DotLine));
        chart.addSeries(entry);
    }
}

}  // namespace

QString LossSeriesName() { return QStringLiteral("Потери давления"); }
QString IncreaseSeriesName() { return QStringLiteral("Допустимое увеличение"); }

QChart* CreateLossChart(const LossChartData& data) {
    auto* chart = new QChart;
    const MeterChoice& c = data.choice;
    chart->setTitle(catalogue::ModelNames().value(c.model) + QStringLiteral(", ") +
                    catalogue::SectionsOf(c.model).value(c.section) +
                    QStringLiteral(", Dy %1 мм").arg(c.dy));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(true);
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSizeF(8);
    chart->legend()->setFont(legendFont);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Расход Q, нм³/ч"));
    x->setLabelFormat(QStringLiteral("%.6g"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Потери давления ΔP, Па"));
    y->setLabelFormat(QStringLiteral("%.6g"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    // The ranges: every calculated point, the entered one and the limit.
    double xLow = 0, xHigh = 0, yHigh = 0;
    bool any = false;
    auto take = [&](const ChoiceResult& point) {
        if (point.Faulted()) return;
        const double q = point.record.valQ;
        xLow = any ? std::min(xLow, q) : q;
        xHigh = any ? std::max(xHigh, q) : q;
        yHigh = std::max(yHigh, static_cast<double>(point.record.valDPpoteri));
        any = true;
    };
    for (const ChoiceResult& point : data.points) take(point);
    if (data.entered) take(*data.entered);
    for (const ChoiceResult& point : data.points) {  // faulted flows still belong on the axis
        xLow = std::min(xLow, static_cast<double>(point.record.valQ));
        xHigh = std::max(xHigh, static_cast<double>(point.record.valQ));
    }
    if (data.limit) yHigh = std::max(yHigh, static_cast<double>(*data.limit));
    if (xHigh <= xLow) xHigh = xLow + 1;
    if (yHigh <= 0) yHigh = 1;
    x->setRange(xLow, xHigh);
    y->setRange(0, yHigh * 1.05);
    x->applyNiceNumbers();
    y->applyNiceNumbers();

    AddSegments(*chart, data.points, false, LossSeriesName(), *x, *y, QColor(0x1f, 0x5f, 0xbf));
    if (c.section != 0)
        AddSegments(*chart, data.points, true, IncreaseSeriesName(), *x, *y,
                    QColor(0x2a, 0x9d, 0x3f));

    if (data.limit) {
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("Предел %1 Па").arg(Shortest(*data.limit, data.separators)));
        line->setPen(QPen(QColor(0xc0, 0x20, 0x20), 1.5, Qt::DashLine));
        line->append(x->min(), static_cast<double>(*data.limit));
        line->append(x->max(), static_cast<double>(*data.limit));
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    if (data.entered && !data.entered->Faulted()) {
        const CalcRecord& r = data.entered->record;
        auto* point = new QScatterSeries;
        point->setName(
            QStringLiteral("Введенный расход: Q = %1, ΔP = %2 Па")
                .arg(Shortest(r.valQ, data.separators), Number(r.valDPpoteri, data.separators)));
        point->setMarkerSize(10);
        point->setColor(QColor(0xe0, 0x80, 0x00));
        point->append(r.valQ, r.valDPpoteri);
        chart->addSeries(point);
        point->attachAxis(x);
        point->attachAxis(y);
    }
    NameFaults(*chart, data.points, data.separators);
    return chart;
}

}  // namespace velars::plot
