// The grid's cell storage and painting against plain Qt in the same run:
// - filling 1,000,000 x 10 cells of a grid, and a std::vector<QString> table with the same texts
//   (ratio, goal 2 or less);
// - the memory a filled cell costs beside a cell of that table (ratio, goal 2 or less), and the
//   memory of an empty 1,000,000 x 20 grid (goal under 64 MiB);
// - painting a page at row 500,000 into an image, and a QTableView over the same data rendering
//   the same page (ratio, goal 1.0 or less).
#include "bench/BenchSupport.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 10;
constexpr int PageRow = 500000;
constexpr int PageWidth = 800, PageHeight = 600;
constexpr int ColWidth = 64, RowHeight = 22;

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};

// The texts both sides store: a pool of distinct texts, shared by reference as QString shares.
const std::vector<QString>& texts() {
    static const std::vector<QString> Pool = [] {
        std::vector<QString> P;
        for (int I = 0; I < 4096; ++I) P.push_back(QStringLiteral("text %1").arg(I));
        return P;
    }();
    return Pool;
}

const QString& textOf(int Col, int Row) { return texts()[static_cast<size_t>(Row * Cols + Col) & 4095]; }

// Bytes in use on the heap and in blocks mapped on their own.
size_t heapInUse() {
    const struct mallinfo2 M = mallinfo2();
    return M.uordblks + M.hblkhd;
}

std::unique_ptr<TVidIvezadOrir, TFree> newGrid(int RowCount, int ColCount) {
    std::unique_ptr<TVidIvezadOrir, TFree> G(new TVidIvezadOrir(nullptr));
    G->SetColCount(ColCount);
    G->SetRowCount(RowCount);
    return G;
}

void fillGrid(TVidIvezadOrir* G) {
    for (int R = 0; R < Rows; ++R)
        for (int C = 0; C < Cols; ++C) G->SetCellEx(C, R, textOf(C, R));
}

void fillTable(std::vector<QString>& Table) {
    Table.assign(static_cast<size_t>(Rows) * Cols, QString());
    for (int R = 0; R < Rows; ++R)
        for (int C = 0; C < Cols; ++C) Table[static_cast<size_t>(R) * Cols + C] = textOf(C, R);
}

void BM_GridFill(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto G = newGrid(Rows, Cols);
        State.ResumeTiming();
        fillGrid(G.get());
        State.PauseTiming();
        G.reset();
        State.ResumeTiming();
    }
}

void BM_TableFill(benchmark::State& State) {
    for (auto _ : State) {
        std::vector<QString> Table;
        fillTable(Table);
        benchmark::DoNotOptimize(Table.data());
        State.PauseTiming();
        Table = {};
        State.ResumeTiming();
    }
}

// The same data for the view.
class TTableModel : public QAbstractTableModel {
public:
    explicit TTableModel(const std::vector<QString>* Table) : FTable(Table) {}
    int rowCount(const QModelIndex& = {}) const override { return Rows; }
    int columnCount(const QModelIndex& = {}) const override { return Cols; }
    QVariant data(const QModelIndex& I, int Role) const override {
        if (Role != Qt::DisplayRole) return {};
        return (*FTable)[static_cast<size_t>(I.row()) * Cols + I.column()];
    }

private:
    const std::vector<QString>* FTable;
};

struct TPageFixture {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    std::vector<QString> Table;
    std::unique_ptr<TTableModel> Model;
    std::unique_ptr<QTableView> View;

    TPageFixture() {
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Grid->SetDefaultColWidth(ColWidth);
        Grid->SetDefaultRowHeight(RowHeight);
        Grid->SetBounds(0, 0, PageWidth, PageHeight);
        fillGrid(Grid);
        Grid->SetTopRow(PageRow);
        fillTable(Table);
        Model = std::make_unique<TTableModel>(&Table);
        View = std::make_unique<QTableView>();
        View->setModel(Model.get());
        View->horizontalHeader()->setDefaultSectionSize(ColWidth);
        View->verticalHeader()->setDefaultSectionSize(RowHeight);
        View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View->resize(PageWidth, PageHeight);
        View->scrollTo(Model->index(PageRow, 0), QAbstractItemView::PositionAtTop);
    }
};

TPageFixture& page() {
    static TPageFixture Fixture;
    return Fixture;
}

void BM_GridPaintPage(benchmark::State& State) {
    TPageFixture& F = page();
    TBitmap Surface(PageWidth, PageHeight);
    for (auto _ : State) {
        F.Grid->Invalidate();
        F.Grid->PaintTo(Surface.Canvas(), 0, 0);
    }
    benchmark::DoNotOptimize(Surface.Canvas()->Pixels(1, 1));
}

void BM_TableViewPaintPage(benchmark::State& State) {
    TPageFixture& F = page();
    QImage Image(PageWidth, PageHeight, QImage::Format_RGB32);
    for (auto _ : State) F.View->render(&Image);
    benchmark::DoNotOptimize(Image.pixel(1, 1));
}

BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TableFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GridPaintPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableViewPaintPage)->Unit(benchmark::kMillisecond);

// Bytes per filled cell of the grid and of the table, and of an empty 1,000,000 x 20 grid.
void reportMemory() {
    (void)texts();
    size_t Before = heapInUse();
    auto G = newGrid(Rows, Cols);
    fillGrid(G.get());
    const double GridPerCell = double(heapInUse() - Before) / (double(Rows) * Cols);
    G.reset();
    Before = heapInUse();
    std::vector<QString> Table;
    fillTable(Table);
    const double TablePerCell = double(heapInUse() - Before) / (double(Rows) * Cols);
    Table = {};
    Before = heapInUse();
    auto Empty = newGrid(Rows, 20);
    const double EmptyMiB = double(heapInUse() - Before) / (1024.0 * 1024.0);
    std::printf("bytes per filled cell: grid %.1f, table %.1f\n", GridPerCell, TablePerCell);
    std::printf("ratio memory per filled cell grid / table: %.3f (goal: 2 or less)\n", GridPerCell / TablePerCell);
    std::printf("empty 1,000,000 x 20 grid: %.2f MiB (goal: under 64 MiB)\n", EmptyMiB);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    reportMemory();
    // Freed memory stays with the process, so that neither side's fill pays for the system
    // handing pages back: both reuse warm memory.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double R = Reporter.Ratio("BM_GridFill", "BM_TableFill"); R > 0)
        std::printf("ratio fill 1,000,000 x 10 grid / table: %.3f (goal: 2 or less)\n", R);
    if (const double R = Reporter.Ratio("BM_GridPaintPage", "BM_TableViewPaintPage"); R > 0)
        std::printf("ratio paint page grid / QTableView: %.3f (goal: 1.0 or less)\n", R);
    return 0;
}
