// Tree nodes and grouping at scale: ContractAll and ExpandAll of a grid of 10,000 nodes, each over
// four plain rows (50,000 rows in all), and Group and UnGroup of 100,000 rows in 1,000 groups, in a
// window. Goal: under one second each in a Release build. Each timed call starts from the other
// state, made outside the timing.
#include "bench/BenchSupport.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

constexpr int Nodes = 10000;
constexpr int Children = 4;
constexpr int Cols = 5;

struct TTreeSide {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;

    TTreeSide() {
        Form->SetBounds(0, 0, 850, 650);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(Cols);
        const int Rows = 1 + Nodes * (Children + 1);
        Grid->SetRowCount(Rows);
        for (int R = 1; R < Rows; ++R)
            for (int C = 1; C < Cols; ++C) Grid->SetGridCell(C, R, QStringLiteral("text %1.%2").arg(R).arg(C));
        for (int N = 0; N < Nodes; ++N) Grid->AddNode(1 + N * (Children + 1), Children + 1);
        Form->HandleNeeded();
    }
};

std::unique_ptr<TTreeSide>& sidePtr() {
    static std::unique_ptr<TTreeSide> Side;
    return Side;
}

TTreeSide& side() {
    if (!sidePtr()) sidePtr() = std::make_unique<TTreeSide>();
    return *sidePtr();
}

void BM_ContractAll(benchmark::State& State) {
    TVidIvezadOrir* G = side().Grid;
    for (auto _ : State) {
        State.PauseTiming();
        G->ExpandAll();
        State.ResumeTiming();
        G->ContractAll();
    }
    if (G->RowCount() != 1 + Nodes) State.SkipWithError("ContractAll left the wrong rows");
}

void BM_ExpandAll(benchmark::State& State) {
    TVidIvezadOrir* G = side().Grid;
    for (auto _ : State) {
        State.PauseTiming();
        G->ContractAll();
        State.ResumeTiming();
        G->ExpandAll();
    }
    if (G->RowCount() != 1 + Nodes * (Children + 1)) State.SkipWithError("ExpandAll left the wrong rows");
}

BENCHMARK(BM_ContractAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond)->Iterations(5);

// Grouping at scale: 100,000 rows in 1,000 groups of 100, grouped on their group column and
// ungrouped again. Goal: under one second each in a Release build.
constexpr int GroupRows = 100000;
constexpr int GroupSize = 100;

struct TGroupSide {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;

    TGroupSide() {
        Form->SetBounds(0, 0, 850, 650);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(1 + GroupRows);
        Grid->Grouping()->SetSummary(true);
        for (int R = 1; R <= GroupRows; ++R) {
            Grid->SetGridCell(1, R, QStringLiteral("row %1").arg(R));
            Grid->SetGridCell(2, R, QStringLiteral("group %1").arg((R - 1) / GroupSize, 4, 10, QLatin1Char('0')));
            for (int C = 3; C < Cols; ++C) Grid->SetGridCell(C, R, QString::number(R * C));
        }
        Form->HandleNeeded();
    }
};

// Held like the tree side: a window must go while the application still runs, not at exit.
std::unique_ptr<TGroupSide>& groupSidePtr() {
    static std::unique_ptr<TGroupSide> Side;
    return Side;
}

TGroupSide& groupSide() {
    if (!groupSidePtr()) groupSidePtr() = std::make_unique<TGroupSide>();
    return *groupSidePtr();
}

// With summaries: a header and a summary row per group.
constexpr int GroupedRows = 1 + GroupRows + 2 * (GroupRows / GroupSize);

void BM_Group(benchmark::State& State) {
    TVidIvezadOrir* G = groupSide().Grid;
    for (auto _ : State) {
        State.PauseTiming();
        G->UnGroup();
        State.ResumeTiming();
        G->Group(2);
    }
    if (G->RowCount() != GroupedRows) State.SkipWithError("Group left the wrong rows");
}

void BM_UnGroup(benchmark::State& State) {
    TVidIvezadOrir* G = groupSide().Grid;
    for (auto _ : State) {
        State.PauseTiming();
        G->Group(2);
        State.ResumeTiming();
        G->UnGroup();
    }
    if (G->RowCount() != 1 + GroupRows) State.SkipWithError("UnGroup left the wrong rows");
}

BENCHMARK(BM_Group)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnGroup)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    (void)side();
    (void)groupSide();
    TRatioReporter Reporter;
    const bool Ran = RunBenchmarks(argc, argv, Reporter, 5);
    // The grids go while the application still runs.
    sidePtr().reset();
    groupSidePtr().reset();
    if (!Ran) return 1;
    std::printf("ContractAll and ExpandAll of %d nodes over %d rows: see the times above (goal: under 1 s each)\n",
                Nodes, 1 + Nodes * (Children + 1));
    std::printf("Group and UnGroup of %d rows in %d groups: see the times above (goal: under 1 s each)\n", GroupRows,
                GroupRows / GroupSize);
    return 0;
}
