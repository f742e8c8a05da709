// Paging through a 1,000,000-row grid: each step one page down by WM_VSCROLL and the page
// painted into an image, against a QTableView over the same data paging down and rendering
// (ratio, goal 1.0 or less); printed beside it, the grid paging with every tenth row hidden.
// Both sides go from the top to the end of the rows and start over.
#include "bench/BenchSupport.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridLists.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ScrollBars.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 10;
constexpr int PageWidth = 800, PageHeight = 600;
constexpr int ColWidth = 64, RowHeight = 22;

const QString& textOf(int Col, int Row) {
    static const std::vector<QString> Pool = [] {
        std::vector<QString> P;
        for (int I = 0; I < 4096; ++I) P.push_back(QStringLiteral("text %1").arg(I));
        return P;
    }();
    return Pool[static_cast<size_t>(Row * Cols + Col) & 4095];
}

class TTableModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return Rows; }
    int columnCount(const QModelIndex& = {}) const override { return Cols; }
    QVariant data(const QModelIndex& I, int Role) const override {
        if (Role != Qt::DisplayRole) return {};
        return textOf(I.column(), I.row());
    }
};

struct TGridSide {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;

    explicit TGridSide(bool HideEveryTenth) {
        Form->SetBounds(0, 0, PageWidth + 50, PageHeight + 50);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Grid->SetDefaultColWidth(ColWidth);
        Grid->SetDefaultRowHeight(RowHeight);
        Grid->SetBounds(0, 0, PageWidth, PageHeight);
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C) Grid->SetGridCell(C, R, textOf(C, R));
        if (HideEveryTenth) {
            TIntList List(-1, -1);
            for (int R = 9; R < Rows; R += 10) List.Add(R);
            Grid->HideRowList(&List);
        }
        Form->HandleNeeded();
    }
    void pageDown() {
        if (Grid->TopRow() + Grid->VisibleRowCount() >= Grid->RowCount())
            Grid->SetTopRow(Grid->FixedRows());
        else
            Grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    }
};

TGridSide& gridSide(bool HideEveryTenth) {
    static TGridSide Plain(false);
    static TGridSide Hidden(true);
    return HideEveryTenth ? Hidden : Plain;
}

struct TViewSide {
    TTableModel Model;
    QTableView View;
    TViewSide() {
        View.setModel(&Model);
        View.horizontalHeader()->setDefaultSectionSize(ColWidth);
        View.verticalHeader()->setDefaultSectionSize(RowHeight);
        View.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View.resize(PageWidth, PageHeight);
    }
    void pageDown() {
        QScrollBar* Bar = View.verticalScrollBar();
        if (Bar->value() >= Bar->maximum())
            Bar->setValue(0);
        else
            Bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
};

TViewSide& viewSide() {
    static TViewSide Side;
    return Side;
}

void pageGrid(benchmark::State& State, bool HideEveryTenth) {
    TGridSide& S = gridSide(HideEveryTenth);
    TBitmap Surface(PageWidth, PageHeight);
    for (auto _ : State) {
        S.pageDown();
        S.Grid->PaintTo(Surface.Canvas(), 0, 0);
    }
    benchmark::DoNotOptimize(Surface.Canvas()->Pixels(1, 1));
}

void BM_GridPageDown(benchmark::State& State) { pageGrid(State, false); }
void BM_GridPageDownHidden(benchmark::State& State) { pageGrid(State, true); }

void BM_TableViewPageDown(benchmark::State& State) {
    TViewSide& S = viewSide();
    QImage Image(PageWidth, PageHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        S.pageDown();
        S.View.render(&Image);
    }
    benchmark::DoNotOptimize(Image.pixel(1, 1));
}

BENCHMARK(BM_GridPageDown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridPageDownHidden)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableViewPageDown)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    (void)gridSide(false);
    (void)gridSide(true);
    (void)viewSide();
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double R = Reporter.Ratio("BM_GridPageDown", "BM_TableViewPageDown"); R > 0)
        std::printf("ratio page down grid / QTableView: %.3f (goal: 1.0 or less)\n", R);
    if (const double R = Reporter.Ratio("BM_GridPageDownHidden", "BM_TableViewPageDown"); R > 0)
        std::printf("ratio page down grid with every tenth row hidden / QTableView: %.3f\n", R);
    return 0;
}
