// Sizing: the whole comparison of every choice for one gas, and a 200-point
// loss curve. Targets: under 1 ms and under 2 ms.

#include <benchmark/benchmark.h>

#include "calc/Sizing.h"
#include "calc/SizingCsv.h"

namespace {

using velars::CalcRecord;

// The worked example's gas data as validation stores them.
CalcRecord Gas(float flow) {
    CalcRecord record;
    record.valPlotnost = 0.68f;
    record.valQ = flow;
    record.valTgaza = 293.15f;
    record.valPizb = 300000.0f;
    record.valPatm = 101325.0f;
    return record;
}

const QChar kComma = QLatin1Char(',');

// Every choice (88 with the cut-in model), sorted by the loss. At a flow of
// zero the 32 choices of the friction models fault.
void Comparison(benchmark::State& state) {
    const CalcRecord gas = Gas(static_cast<float>(state.range(0)));
    const std::optional<QString> ldy = QStringLiteral("4,5");
    for (auto _ : state) {
        std::vector<velars::ChoiceResult> results = velars::CompareChoices(gas, ldy, kComma);
        velars::SortByLoss(results);
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(state.range(0) ? "flow 500" : "flow 0, faults");
}
BENCHMARK(Comparison)->Arg(500)->Arg(0)->Unit(benchmark::kMicrosecond);

// The comparison written as CSV, as the tool and the copy button write it.
void ComparisonAndCsv(benchmark::State& state) {
    const CalcRecord gas = Gas(500.0f);
    const std::optional<QString> ldy = QStringLiteral("4,5");
    for (auto _ : state) {
        std::vector<velars::ChoiceResult> results = velars::CompareChoices(gas, ldy, kComma);
        velars::SortByLoss(results);
        std::string csv = velars::ComparisonCsv(results);
        benchmark::DoNotOptimize(csv);
    }
}
BENCHMARK(ComparisonAndCsv)->Unit(benchmark::kMicrosecond);

// 200 points from zero flow (the first point faults for the friction
// models) of a table model, the full-bore model and the cut-in model.
void Curve(benchmark::State& state) {
    const velars::MeterChoice choices[] = {{3, 1, 100}, {0, 1, 100}, {2, 2, 50}};
    const velars::MeterChoice choice = choices[state.range(0)];
    const CalcRecord gas = Gas(500.0f);
    const QString ldy = QStringLiteral("4,5");
    for (auto _ : state) {
        std::vector<velars::ChoiceResult> points = velars::LossCurve(
            gas, choice, ldy, kComma, velars::CurveFlows(0.0f, 1000.0f, 200));
        benchmark::DoNotOptimize(points);
    }
    const char* labels[] = {"mt7_table", "full_bore", "cut_in"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(Curve)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
