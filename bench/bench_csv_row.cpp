// One CSV row of velars-tp-calc: from its fields to its output line.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/CsvColumns.h"
#include "cli/CsvRowCalculation.h"

namespace {

using namespace velars::cli;

const std::vector<std::string_view> kHeader = {"model",          "section",      "dy",
                                               "density",        "flow",         "temperature",
                                               "gauge_pressure", "atm_pressure", "ldy"};

const std::vector<std::string_view> kRows[] = {
    {"3", "1", "100", "0.68", "500", "20", "0.3", "101.325", ""},
    {"0", "1", "100", "0.68", "500", "20", "0.3", "101.325", ""},
    {"2", "2", "50", "0.68", "300", "20", "0.3", "101.325", "4.5"},
    // Forms only the window's reading takes: names, blanks, comma decimals.
    {"ВЕЛАРС-МТ7", "Турбулизатор-Н", "100", " 0,68", "500", "20", "0,3", "101,325", ""},
};
const char* const kLabels[] = {"mt7_table", "full_bore", "cut_in", "names_and_commas"};

void CsvRow(benchmark::State& state, bool fastPath) {
    CsvColumns columns;
    MapColumns(kHeader, columns);
    const CsvRowCalculation calculation(columns, fastPath);
    const std::vector<std::string_view>& row = kRows[state.range(0)];
    state.SetLabel(kLabels[state.range(0)]);
    std::string out;
    std::vector<std::string> errors;
    for (auto _ : state) {
        out.clear();
        calculation.Process(row, out, errors);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void CsvRowQuick(benchmark::State& state) { CsvRow(state, true); }
void CsvRowWindowReading(benchmark::State& state) { CsvRow(state, false); }
BENCHMARK(CsvRowQuick)->DenseRange(0, 3);
BENCHMARK(CsvRowWindowReading)->DenseRange(0, 3);

}  // namespace

BENCHMARK_MAIN();
