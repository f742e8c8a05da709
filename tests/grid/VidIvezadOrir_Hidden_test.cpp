// Hidden rows and columns: the maps between real and display indexes both ways, the hidden-row
// store, row lists as stacked levels, the parked selection, and a randomised run of hides and
// shows checked against a plain reference.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/Collection.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TVidIvezadOrir, TFree>;

TGridPtr newGrid(int Cols, int Rows) {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetGridCell(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    return G;
}

std::vector<int> storeIdx(const TVidIvezadOrir& G) {
    std::vector<int> Idx;
    for (int i = 0; i < G.GridItems()->Count(); ++i)
        Idx.push_back(static_cast<TGridItem*>(G.GridItems()->Items(i))->Idx());
    return Idx;
}

TEST(HiddenColumns, MapsBothWaysAndWidthsComeBack) {
    auto G = newGrid(5, 4);
    G->SetColWidths(2, 77);
    G->HideColumn(2);
    EXPECT_EQ(G->ColCount(), 4);
    EXPECT_EQ(G->NumHiddenColumns(), 1);
    EXPECT_EQ(G->AllColCount(), 5);
    EXPECT_EQ(G->DisplToRealCol(2), 3);
    EXPECT_EQ(G->RealToDisplCol(3), 2);
    EXPECT_EQ(G->RealToDisplCol(2), 2) << "a hidden column answers the next shown one";
    EXPECT_TRUE(G->IsHiddenColumn(2));
    EXPECT_EQ(G->GetCellEx(3, 1), QStringLiteral("3:1")) << "cells stay at their real columns";
    EXPECT_EQ(G->GetAllColWidths(2), 77);
    G->UnHideColumn(2);
    EXPECT_EQ(G->ColCount(), 5);
    EXPECT_EQ(G->ColWidths(2), 77);
    EXPECT_EQ(G->DisplToRealCol(2), 2);
}

// After every hide and show, each shown column has the width its real column had at the start.
TEST(HiddenColumns, EveryColumnKeepsItsOwnWidth) {
    enum TOp { Hide, Hides, UnHide, UnHides, UnHideAll };
    struct Step {
        TOp Op;
        int From, To;
    };
    struct Case {
        const char* Name;
        std::vector<Step> Steps;
    };
    const Case Cases[] = {
        {"one column", {{Hide, 2, 2}, {UnHide, 2, 2}}},
        {"the first column", {{Hide, 0, 0}, {UnHide, 0, 0}}},
        {"the last column", {{Hide, 4, 4}, {UnHide, 4, 4}}},
        {"a range shown as a range", {{Hides, 1, 3}, {UnHides, 1, 3}}},
        {"a range shown from its right end", {{Hides, 1, 3}, {UnHide, 3, 3}, {UnHide, 2, 2}, {UnHide, 1, 1}}},
        {"two apart, shown in hiding order", {{Hide, 1, 1}, {Hide, 3, 3}, {UnHide, 1, 1}, {UnHide, 3, 3}}},
        {"two apart, shown in reverse order", {{Hide, 3, 3}, {Hide, 1, 1}, {UnHide, 3, 3}, {UnHide, 1, 1}}},
        {"a column shown between hidden ones", {{Hides, 0, 2}, {UnHide, 1, 1}, {UnHideAll, 0, 0}}},
        {"all shown at once", {{Hide, 0, 0}, {Hides, 2, 3}, {UnHideAll, 0, 0}}},
    };
    const int Widths[] = {40, 50, 60, 70, 80};
    for (const Case& C : Cases) {
        auto G = newGrid(5, 3);
        for (int c = 0; c < 5; ++c) G->SetColWidths(c, Widths[c]);
        for (const Step& S : C.Steps) {
            switch (S.Op) {
                case Hide:
                    G->HideColumn(S.From);
                    break;
                case Hides:
                    G->HideColumns(S.From, S.To);
                    break;
                case UnHide:
                    G->UnHideColumn(S.From);
                    break;
                case UnHides:
                    G->UnHideColumns(S.From, S.To);
                    break;
                case UnHideAll:
                    G->UnHideColumnsAll();
                    break;
            }
            for (int d = 0; d < G->ColCount(); ++d)
                EXPECT_EQ(G->ColWidths(d), Widths[G->DisplToRealCol(d)]) << C.Name << ", display column " << d;
        }
        EXPECT_EQ(G->ColCount(), 5) << C.Name;
    }
}

TEST(HiddenColumns, EdgeCases) {
    struct Case {
        const char* Name;
        std::vector<int> Hide;  // real columns, in order
        int ColCount;
        int Hidden;
    };
    const Case Cases[] = {
        {"the last shown column stays", {0, 1, 2}, 1, 2},
        {"an already hidden column", {1, 1}, 2, 1},
        {"beyond the columns", {7}, 3, 0},
        {"below 0 is skipped (mended)", {-1}, 3, 0},
    };
    for (const Case& C : Cases) {
        auto G = newGrid(3, 3);
        for (int Col : C.Hide) G->HideColumns(Col, Col);
        EXPECT_EQ(G->ColCount(), C.ColCount) << C.Name;
        EXPECT_EQ(G->NumHiddenColumns(), C.Hidden) << C.Name;
    }
    // The current column on the last shown column moves left.
    auto G = newGrid(5, 3);
    G->SetCol(4);
    G->HideColumn(1);
    EXPECT_EQ(G->Col(), 3);
}

// Mended: a merged area over a hidden column ends at its last shown column, not one column further
// (its text was painted under the neighbour's cells).
TEST(HiddenColumns, AMergedAreaSpansOnlyItsShownColumns) {
    struct Case {
        const char* Name;
        int Hide;       // a real column
        int LastShown;  // the display column the area of real columns 1..3 ends at
    };
    const Case Cases[] = {
        {"none hidden", -1, 3}, {"inside", 2, 2}, {"its last", 3, 2}, {"its base", 1, 2}, {"after it", 4, 3},
    };
    for (const Case& C : Cases) {
        auto G = newGrid(6, 4);
        G->MergeCells(1, 1, 3, 2);
        if (C.Hide >= 0) G->HideColumn(C.Hide);
        const TRect Area = G->CellRect(G->RealToDisplCol(2), 2);
        EXPECT_EQ(Area.Left, G->CellRect(1, 3).Left) << C.Name;
        EXPECT_EQ(Area.Right, G->CellRect(C.LastShown, 3).Right) << C.Name;
        EXPECT_EQ(Area.Bottom, G->CellRect(0, 2).Bottom) << C.Name;
    }
    // The area reaching the last real column, that column hidden.
    auto G = newGrid(5, 3);
    G->MergeCells(2, 1, 3, 1);
    G->HideColumn(4);
    EXPECT_EQ(G->CellRect(2, 1).Right, G->CellRect(3, 0).Right);
}

TEST(HiddenRows, MapsStoreAndRestore) {
    auto G = newGrid(3, 10);
    G->SetRowHeights(4, 40);
    G->SetColors(1, 4, clRed);
    TObject* Props = G->GetGridObject(1, 4);
    G->HideRows(3, 5);
    EXPECT_EQ(G->RowCount(), 7);
    EXPECT_EQ(G->NumHiddenRows(), 3);
    EXPECT_EQ(G->DisplToRealRow(3), 6);
    EXPECT_EQ(G->RealToDisplRow(6), 3);
    EXPECT_EQ(G->RealToDisplRow(4), 3);
    EXPECT_EQ(storeIdx(*G), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(G->GetCellEx(1, 3), QStringLiteral("1:6"));
    EXPECT_EQ(G->HiddenRowCells(4)->Objects(1), Props) << "properties travel with the row";
    G->UnHideRowsAll();
    EXPECT_EQ(G->RowCount(), 10);
    EXPECT_EQ(G->GetCellEx(1, 4), QStringLiteral("1:4"));
    EXPECT_EQ(G->RowHeights(4), 40);
    EXPECT_EQ(G->GetGridObject(1, 4), Props);
}

TEST(HiddenRows, EdgeCases) {
    {
        SCOPED_TRACE("hiding 2..6 with 4 hidden keeps the store ordered");
        auto G = newGrid(2, 10);
        G->HideRow(4);
        G->HideRows(2, 6);
        EXPECT_EQ(storeIdx(*G), (std::vector<int>{2, 3, 4, 5, 6}));
        EXPECT_EQ(G->GetCellEx(0, 2), QStringLiteral("0:7"));
        G->UnHideRowsAll();
        for (int r = 0; r < 10; ++r) EXPECT_EQ(G->GetCellEx(0, r), QStringLiteral("0:%1").arg(r));
    }
    {
        SCOPED_TRACE("showing 2..6 with 3 and 5 hidden");
        auto G = newGrid(2, 10);
        G->HideRow(3);
        G->HideRow(5);
        G->UnHideRows(2, 6);
        EXPECT_EQ(G->NumHiddenRows(), 2) << "the range's first row is not hidden: nothing";
        G->UnHideRows(3, 6);
        EXPECT_EQ(G->NumHiddenRows(), 0);
        for (int r = 0; r < 10; ++r) EXPECT_EQ(G->GetCellEx(0, r), QStringLiteral("0:%1").arg(r));
    }
    {
        SCOPED_TRACE("maps without hidden rows, and a negative row");
        auto G = newGrid(2, 5);
        EXPECT_EQ(G->DisplToRealRow(3), 3);
        EXPECT_EQ(G->RealToDisplRow(3), 3);
        G->HideRow(1);
        EXPECT_EQ(G->DisplToRealRow(-1), -1);
        EXPECT_EQ(G->DisplToRealRow(10), 11) << "beyond the shown rows the hidden ones add up";
    }
    {
        SCOPED_TRACE("a row list naming every row keeps the first");
        auto G = newGrid(2, 4);
        TIntList All(-1, -1);
        for (int r = 0; r < 4; ++r) All.Add(r);
        G->HideRowList(&All);
        EXPECT_EQ(G->RowCount(), 1);
        EXPECT_EQ(G->GetCellEx(0, 0), QStringLiteral("0:0"));
    }
    {
        SCOPED_TRACE("a new row list refreshes a built lookup");
        auto G = newGrid(2, 10);
        G->HideRow(2);
        EXPECT_EQ(G->DisplToRealRow(2), 3);
        TIntList L(-1, -1);
        L.Add(2);
        G->HideRowList(&L);
        EXPECT_EQ(G->GetCellEx(0, 2), QStringLiteral("0:4"));
        EXPECT_EQ(G->DisplToRealRow(2), 4);
    }
}

TEST(HiddenRows, RowListLevelsPopInReverseAndAnEmptyStackIsLeftAlone) {
    auto G = newGrid(2, 10);
    G->SetRowHeights(6, 33);
    TIntList First(-1, -1), Second(-1, -1);
    for (int r : {1, 4, 6}) First.Add(r);
    G->HideRowList(&First);
    for (int r : {0, 2}) Second.Add(r);
    G->HideRowList(&Second);
    EXPECT_EQ(G->RowCount(), 5);
    EXPECT_EQ(G->FilterLevel(), 2);
    G->UnHideRowList();
    G->SetFilterLevel(G->FilterLevel() - 1);
    EXPECT_EQ(G->RowCount(), 7);
    G->UnHideRowList();
    G->SetFilterLevel(G->FilterLevel() - 1);
    EXPECT_EQ(G->RowCount(), 10);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(G->GetCellEx(0, r), QStringLiteral("0:%1").arg(r));
    EXPECT_EQ(G->RowHeights(6), 33);
    // Mended: without a level nothing is shown or cleared, and rows hidden by index stay hidden.
    G->HideRow(3);
    G->UnHideRowList();
    EXPECT_EQ(G->NumHiddenRows(), 1);
    EXPECT_EQ(G->RowCount(), 9);
}

TEST(HiddenRows, TheParkedSelectionLiesOutsideTheCells) {
    auto G = newGrid(4, 6);
    G->SetSelection(TGridRect{1, 2, 2, 3});
    G->HideSelection();
    EXPECT_TRUE(G->IsSelectionHidden());
    G->UnHideSelection();
    EXPECT_FALSE(G->IsSelectionHidden());
    EXPECT_EQ(G->Selection(), (TGridRect{1, 2, 2, 3}));
}

// ---------------------------------------------------------------------------------------------
// A random run against a plain reference: the real rows in order, each shown or hidden, with its
// texts, height and properties object; the columns likewise.

struct TRefRow {
    int Id;  // the row's original index, which its texts carry
    bool Hidden = false;
    int Height = 0;
    TObject* Props = nullptr;
};

void expectMatches(TVidIvezadOrir& G, const std::vector<TRefRow>& Rows, const std::vector<bool>& ColShown, int Step) {
    SCOPED_TRACE("step " + std::to_string(Step));
    std::vector<int> Shown;
    for (int Real = 0; Real < static_cast<int>(Rows.size()); ++Real)
        if (!Rows[static_cast<size_t>(Real)].Hidden) Shown.push_back(Real);
    ASSERT_EQ(G.RowCount(), static_cast<int>(Shown.size()));
    ASSERT_EQ(G.TotalRowCount(), static_cast<int>(Rows.size()));
    for (int d = 0; d < static_cast<int>(Shown.size()); ++d) {
        const int Real = Shown[static_cast<size_t>(d)];
        const TRefRow& R = Rows[static_cast<size_t>(Real)];
        ASSERT_EQ(G.DisplToRealRow(d), Real) << "display row " << d;
        ASSERT_EQ(G.RealToDisplRow(Real), d);
        for (int c = 0; c < static_cast<int>(ColShown.size()); ++c)
            ASSERT_EQ(G.GetGridCell(c, d), QStringLiteral("%1:%2").arg(c).arg(R.Id));
        ASSERT_EQ(G.RowHeights(d), R.Height);
        ASSERT_EQ(G.GetGridObject(2, d), R.Props);
    }
    int ShownCols = 0;
    for (int c = 0; c < static_cast<int>(ColShown.size()); ++c) {
        ASSERT_EQ(G.IsHiddenColumn(c), !ColShown[static_cast<size_t>(c)]);
        if (!ColShown[static_cast<size_t>(c)]) continue;
        ASSERT_EQ(G.DisplToRealCol(ShownCols), c);
        ASSERT_EQ(G.RealToDisplCol(c), ShownCols);
        ++ShownCols;
    }
    ASSERT_EQ(G.ColCount(), ShownCols);
    // Rows hidden by index sit in the store by ascending real index.
    const std::vector<int> Idx = storeIdx(G);
    ASSERT_TRUE(std::is_sorted(Idx.begin(), Idx.end()));
}

// The shown rows hold their texts, heights and properties objects in order (the maps are left
// out: a stacked level stores display rows, not real ones).
void expectShownRows(TVidIvezadOrir& G, const std::vector<TRefRow>& Rows, int Cols) {
    int d = 0;
    for (const TRefRow& R : Rows) {
        if (R.Hidden) continue;
        for (int c = 0; c < Cols; ++c) ASSERT_EQ(G.GetGridCell(c, d), QStringLiteral("%1:%2").arg(c).arg(R.Id));
        ASSERT_EQ(G.RowHeights(d), R.Height);
        ASSERT_EQ(G.GetGridObject(2, d), R.Props);
        ++d;
    }
    ASSERT_EQ(G.RowCount(), d);
}

// Hides a random list of the shown rows as a new level and marks them in the reference; false
// when none was picked (no level pushed).
template <class TPick>
bool pushRowList(TVidIvezadOrir& G, std::vector<TRefRow>& Rows, TPick& pick) {
    std::vector<size_t> Shown;
    for (size_t Real = 0; Real < Rows.size(); ++Real)
        if (!Rows[Real].Hidden) Shown.push_back(Real);
    TIntList L(-1, -1);
    std::vector<int> Listed;
    for (int d = 0; d < static_cast<int>(Shown.size()); ++d)
        if (pick(3) == 0) {
            L.Add(d);
            Listed.push_back(d);
        }
    if (Listed.empty()) return false;
    G.HideRowList(&L);
    if (L.Count() < static_cast<int>(Listed.size())) Listed.erase(Listed.begin());  // the grid kept one row
    for (int d : Listed) Rows[Shown[static_cast<size_t>(d)]].Hidden = true;
    return true;
}

TEST(HiddenRowsAndColumns, ARandomRunMatchesAPlainReference) {
    constexpr int Cols = 5, RowsCount = 30;
    std::mt19937 Random(20240612);
    auto G = newGrid(Cols, RowsCount);
    std::vector<TRefRow> Rows;
    for (int r = 0; r < RowsCount; ++r) {
        G->SetRowHeights(r, 15 + r % 7);
        G->SetColors(2, r, static_cast<TColor>(r));  // properties in column 2
        Rows.push_back({r, false, 15 + r % 7, G->GetGridObject(2, r)});
    }
    std::vector<bool> ColShown(Cols, true);
    const auto pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
    for (int Step = 0; Step < 300; ++Step) {
        const int Op = pick(6);
        SCOPED_TRACE("operation " + std::to_string(Op));
        switch (Op) {
            case 0:
            case 1: {  // hide a real range
                const int From = pick(RowsCount);
                const int To = std::min(RowsCount - 1, From + pick(4));
                int ShownLeft = 0;
                for (const TRefRow& R : Rows) ShownLeft += R.Hidden ? 0 : 1;
                int NewlyHidden = 0;
                for (int r = From; r <= To; ++r) NewlyHidden += Rows[static_cast<size_t>(r)].Hidden ? 0 : 1;
                if (ShownLeft - NewlyHidden < 1) break;  // keep a row
                SCOPED_TRACE("hide " + std::to_string(From) + ".." + std::to_string(To));
                G->HideRows(From, To);
                for (int r = From; r <= To; ++r) Rows[static_cast<size_t>(r)].Hidden = true;
                break;
            }
            case 2: {  // show a real range: only when its first row is hidden
                const int From = pick(RowsCount);
                const int To = std::min(RowsCount - 1, From + pick(4));
                SCOPED_TRACE("show " + std::to_string(From) + ".." + std::to_string(To));
                G->UnHideRows(From, To);
                if (Rows[static_cast<size_t>(From)].Hidden)
                    for (int r = From; r <= To; ++r) Rows[static_cast<size_t>(r)].Hidden = false;
                break;
            }
            case 3: {  // row-list levels pushed, checked, and popped in reverse
                // The first level's pop also returns rows hidden by index: run it on a full grid,
                // where the first level's entries are real rows and the maps must hold.
                G->UnHideRowsAll();
                for (TRefRow& R : Rows) R.Hidden = false;
                expectMatches(*G, Rows, ColShown, Step);
                if (HasFatalFailure()) return;
                const std::vector<TRefRow> Before = Rows;
                if (!pushRowList(*G, Rows, pick)) break;
                expectMatches(*G, Rows, ColShown, Step);
                if (HasFatalFailure()) return;
                if (pick(2) == 0) {  // a second level stacked on it; its entries are display rows
                    const std::vector<TRefRow> AtFirst = Rows;
                    if (pushRowList(*G, Rows, pick)) {
                        expectShownRows(*G, Rows, Cols);
                        if (HasFatalFailure()) return;
                        G->UnHideRowList();
                        G->SetFilterLevel(G->FilterLevel() - 1);
                        Rows = AtFirst;
                        expectMatches(*G, Rows, ColShown, Step);
                        if (HasFatalFailure()) return;
                    }
                }
                G->UnHideRowList();
                G->SetFilterLevel(G->FilterLevel() - 1);
                Rows = Before;
                break;
            }
            case 4: {
                const int C = pick(Cols);
                int Shown = 0;
                for (bool S : ColShown) Shown += S ? 1 : 0;
                G->HideColumn(C);
                if (ColShown[static_cast<size_t>(C)] && Shown > 1) ColShown[static_cast<size_t>(C)] = false;
                break;
            }
            default: {
                const int C = pick(Cols);
                G->UnHideColumn(C);
                ColShown[static_cast<size_t>(C)] = true;
                break;
            }
        }
        expectMatches(*G, Rows, ColShown, Step);
        if (HasFatalFailure()) return;
    }
    G->UnHideRowsAll();
    G->UnHideColumnsAll();
    for (TRefRow& R : Rows) R.Hidden = false;
    expectMatches(*G, Rows, std::vector<bool>(Cols, true), -1);
}

}  // namespace
