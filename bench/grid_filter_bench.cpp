// The grid's row filter against the condition evaluator alone, in the same run: MatchFilter over
// 1,000,000 rows with one condition on a column, and MatchFilterCondition called directly on the
// same texts (ratio, goal 1.3 or less).
#include "bench/BenchSupport.h"
#include "bench/FilterValues.h"
#include "components/graphics/AdvUtilFilter.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/FormatSettings.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1000000;

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};

struct TData {
    std::unique_ptr<TVidIvezadOrir, TFree> Grid{new TVidIvezadOrir(nullptr)};
    std::vector<String> Texts = GenerateFilterValues(kRows);
    TData() {
        Grid->SetColCount(3);
        Grid->SetRowCount(kRows + 1);  // below the fixed row
        for (int R = 0; R < kRows; ++R) Grid->SetCellEx(1, R + 1, Texts[static_cast<size_t>(R)]);
        TFilterData* F = Grid->Filter()->Add();
        F->SetColumn(1);
        F->SetCondition(kFilterBenchCondition);
        F->SetCaseSensitive(false);
    }
};

TData& data() {
    static TData Data;
    return Data;
}

void BM_MatchFilter(benchmark::State& State) {
    TVidIvezadOrir* G = data().Grid.get();
    for (auto _ : State) {
        int Matches = 0;
        for (int R = 1; R <= kRows; ++R) Matches += G->MatchFilter(R);
        benchmark::DoNotOptimize(Matches);
    }
}

void BM_MatchFilterCondition(benchmark::State& State) {
    const std::vector<String>& Texts = data().Texts;
    for (auto _ : State) {
        int Matches = 0;
        for (const String& T : Texts) Matches += MatchFilterCondition(kFilterBenchCondition, T, false);
        benchmark::DoNotOptimize(Matches);
    }
}

BENCHMARK(BM_MatchFilter)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MatchFilterCondition)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    FormatSettingsScope Settings(TFormatSettings::Default());
    // Both sides must agree on every row, or the ratio compares different work.
    TData& D = data();
    for (int R = 1; R <= kRows; ++R) {
        const String& T = D.Texts[static_cast<size_t>(R - 1)];
        if (D.Grid->MatchFilter(R) != MatchFilterCondition(kFilterBenchCondition, T, false)) {
            std::fprintf(stderr, "grid_filter_bench: the two loops disagree on row %d '%s'\n", R,
                         T.toUtf8().constData());
            return 1;
        }
    }
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double R = Reporter.Ratio("BM_MatchFilter", "BM_MatchFilterCondition"); R > 0)
        std::printf("ratio MatchFilter over 1,000,000 rows / MatchFilterCondition: %.3f (goal: 1.3 or less)\n", R);
    return 0;
}
