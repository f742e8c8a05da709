// Reading cells as floats against reading the same texts with StrToFloat, in the same run:
// Floats over 1,000,000 cells (10 columns x 100,000 rows) and a loop of StrToFloat over their
// texts (ratio, goal 2 or less).
#include "bench/BenchSupport.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <vector>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 10;

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};

String textOf(int Col, int Row) { return QStringLiteral("%1.%2").arg(Row * 7 + Col).arg((Row + Col) % 100); }

struct TData {
    std::unique_ptr<TVidIvezadOrir, TFree> Grid{new TVidIvezadOrir(nullptr)};
    std::vector<String> Texts;
    TData() {
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Texts.reserve(static_cast<size_t>(Rows) * Cols);
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C) {
                Texts.push_back(textOf(C, R));
                Grid->SetCellEx(C, R, Texts.back());
            }
    }
};

TData& data() {
    static TData Data;
    return Data;
}

void BM_GridFloats(benchmark::State& State) {
    TVidIvezadOrir* G = data().Grid.get();
    for (auto _ : State) {
        double Sum = 0;
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C) Sum += G->GetFloats(C, R);
        benchmark::DoNotOptimize(Sum);
    }
}

void BM_StrToFloat(benchmark::State& State) {
    const std::vector<String>& Texts = data().Texts;
    for (auto _ : State) {
        double Sum = 0;
        for (const String& T : Texts) Sum += static_cast<double>(StrToFloat(T));
        benchmark::DoNotOptimize(Sum);
    }
}

BENCHMARK(BM_GridFloats)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StrToFloat)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    FormatSettingsScope Settings(TFormatSettings::Default());
    data();
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double R = Reporter.Ratio("BM_GridFloats", "BM_StrToFloat"); R > 0)
        std::printf("ratio Floats over 1,000,000 cells / StrToFloat: %.3f (goal: 2 or less)\n", R);
    return 0;
}
