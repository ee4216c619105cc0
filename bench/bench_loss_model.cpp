// The loss model and the formatting of its results, per installation.

#include <benchmark/benchmark.h>

#include "calc/LossModel.h"
#include "calc/ResultsPane.h"
#include "numbers/FormatFloat.h"

namespace {

using velars::CalcRecord;

struct Installation {
    const char* name;
    int model;
    int section;
    int dy;
    float flow;
};

// Table models, the full-bore model in both friction branches, the cut-in
// model (which also reads its L/Dy text).
constexpr Installation kInstallations[] = {
    {"mt7_table", 3, 1, 100, 500.0f},
    {"full_bore_fit", 0, 1, 100, 500.0f},
    {"full_bore_blasius", 0, 3, 100, 5.0f},
    {"cut_in", 2, 2, 50, 300.0f},
};

CalcRecord Inputs(const Installation& installation) {
    CalcRecord record;
    record.valDy = installation.dy;
    record.valPlotnost = 0.68f;
    record.valQ = installation.flow;
    record.valTgaza = 293.15f;
    record.valPizb = 300000.0f;
    record.valPatm = 101325.0f;
    return record;
}

const QString kLDy = QStringLiteral("4,5");

void LossModel(benchmark::State& state) {
    const Installation& installation = kInstallations[state.range(0)];
    state.SetLabel(installation.name);
    const CalcRecord inputs = Inputs(installation);
    for (auto _ : state) {
        CalcRecord record = inputs;
        velars::CalculateLoss(record, installation.model, installation.section, kLDy,
                              QLatin1Char(','));
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LossModel)->DenseRange(0, 3);

// What the window does per calculation: the model and the pane's lines.
void LossModelAndPane(benchmark::State& state) {
    const Installation& installation = kInstallations[state.range(0)];
    state.SetLabel(installation.name);
    const CalcRecord inputs = Inputs(installation);
    const velars::Separators separators{QLatin1Char(','), QChar(0x00A0)};
    for (auto _ : state) {
        CalcRecord record = inputs;
        velars::CalculateLoss(record, installation.model, installation.section, kLDy,
                              QLatin1Char(','));
        QStringList lines = velars::ResultLines(record, installation.section, separators);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LossModelAndPane)->DenseRange(0, 3);

void FormatFloat(benchmark::State& state) {
    const velars::Separators separators{QLatin1Char(','), QChar(0x00A0)};
    float value = 1234.567f;
    for (auto _ : state) {
        QString text = velars::FormatFloat(value, 2, separators);
        benchmark::DoNotOptimize(text);
        value += 0.125f;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FormatFloat);

}  // namespace

BENCHMARK_MAIN();
