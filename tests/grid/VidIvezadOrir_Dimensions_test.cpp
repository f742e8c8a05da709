// The grid's shape and geometry: fixed areas kept by FixedRowAlways, the floating footer row,
// scrolling a cell into view, the sizing border, used cells, column moves carrying filters and
// cell controls, the row-change event and a synchronised grid.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Collection.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TVidIvezadOrir, TFree>;

TGridPtr newGrid() { return TGridPtr(new TVidIvezadOrir(nullptr)); }

TEST(GridShape, FixedRowAlwaysKeepsAFixedRow) {
    auto G = newGrid();
    G->SetFixedRowAlways(true);
    G->SetFixedRows(0);
    EXPECT_EQ(G->FixedRows(), 1) << "0 reads as 1";
    G->SetRowCount(3);
    G->SetFixedRows(5);
    EXPECT_EQ(G->FixedRows(), 2) << "one normal row stays";
    G->SetRowCount(8);
    EXPECT_EQ(G->FixedRows(), 5) << "the asked count comes back once the grid is big enough";
}

TEST(GridShape, TheFloatingFooterRowStaysLast) {
    auto G = newGrid();
    G->FloatingFooter()->SetVisible(true);
    G->SetCellEx(1, 9, QStringLiteral("total"));
    G->SetRowCount(12);
    EXPECT_EQ(G->GetCellEx(1, 11), QStringLiteral("total"));
    EXPECT_EQ(G->GetCellEx(1, 9), String());
}

TEST(GridShape, FixedColumnWidth) {
    auto G = newGrid();
    G->SetFixedColWidth(G->DefaultColWidth());
    G->SetColWidths(0, 30);
    G->SetFixedColWidth(G->DefaultColWidth());
    EXPECT_EQ(G->ColWidths(0), 30) << "the default width leaves the fixed columns alone";
}

// 10 rows and 6 columns, one fixed row and column; the footers and right columns of a case are
// both 0 or both 1. SaveFixedCells, or the matching SaveFixedRows or SaveFixedCols, takes in the
// fixed areas at both ends.
TEST(GridShape, TheSavableArea) {
    struct Case {
        const char* Name;
        int Footers;
        bool Cells, Rows, Cols;
        int StartRow, EndRow, RowCount, StartCol, EndCol, ColCount;
    };
    const Case Cases[] = {
        {"no footer, nothing fixed saved", 0, false, false, false, 1, 9, 9, 1, 5, 5},
        {"no footer, fixed rows saved", 0, false, true, false, 0, 9, 10, 1, 5, 5},
        {"footer, nothing fixed saved", 1, false, false, false, 1, 8, 8, 1, 4, 4},
        {"footer, fixed rows saved", 1, false, true, false, 0, 9, 10, 1, 4, 4},
        {"footer, fixed columns saved", 1, false, false, true, 1, 8, 8, 0, 5, 6},
        {"footer, fixed rows and columns saved", 1, false, true, true, 0, 9, 10, 0, 5, 6},
        {"footer, all fixed cells saved", 1, true, false, false, 0, 9, 10, 0, 5, 6},
    };
    for (const Case& C : Cases) {
        auto G = newGrid();
        G->SetRowCount(10);
        G->SetColCount(6);
        G->SetFixedRows(1);
        G->SetFixedCols(1);
        G->SetFixedFooters(C.Footers);
        G->SetFixedRightCols(C.Footers);
        G->SetSaveFixedCells(C.Cells);
        G->SetSaveFixedRows(C.Rows);
        G->SetSaveFixedCols(C.Cols);
        EXPECT_EQ(G->SaveStartRow(), C.StartRow) << C.Name;
        EXPECT_EQ(G->SaveEndRow(), C.EndRow) << C.Name;
        EXPECT_EQ(G->SaveRowCount(), C.RowCount) << C.Name;
        EXPECT_EQ(G->SaveStartCol(), C.StartCol) << C.Name;
        EXPECT_EQ(G->SaveEndCol(), C.EndCol) << C.Name;
        EXPECT_EQ(G->SaveColCount(), C.ColCount) << C.Name;
    }
}

class GridGeometryTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    void SetUp() override {
        Form->SetBounds(0, 0, 600, 400);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 400, 250);
        Grid->SetColCount(30);
        Grid->SetRowCount(100);
        Grid->SetDefaultColWidth(50);
        Form->HandleNeeded();
    }
};

TEST_F(GridGeometryTest, ScrollInViewPlacesTheCell) {
    const int VisCols = Grid->VisibleColCount();
    const int VisRows = Grid->VisibleRowCount();
    struct Case {
        const char* Name;
        int Col, Row;
        TScrollPosition Position;
        int Left, Top;
    };
    const Case Cases[] = {
        {"in view: nothing moves", 2, 2, spMiddle, 1, 1},
        {"leading", 20, 50, spLeading, 20, 50},
        {"trailing", 20, 50, spTrailing, 20 + 1 - VisCols, 50 + 1 - VisRows},
        {"middle", 20, 50, spMiddle, 20 - VisCols / 2, 50 - VisRows / 2},
        {"beyond the last column: nothing", 30, 5, spLeading, 1, 1},
        {"the last row, leading: one past the last full page at most", 5, 99, spLeading, 1, 100 - VisRows + 1},
    };
    for (const Case& C : Cases) {
        Grid->SetLeftCol(1);
        Grid->SetTopRow(1);
        Grid->ScrollInView(C.Col, C.Row, C.Position);
        EXPECT_EQ(Grid->LeftCol(), std::min(C.Left, Grid->ColCount() - VisCols)) << C.Name;
        EXPECT_EQ(Grid->TopRow(), std::min(C.Top, Grid->RowCount() - VisRows)) << C.Name;
    }
}

TEST_F(GridGeometryTest, SizingBorderWithinThreePixels) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goColSizing});
    const TRect Header = Grid->CellRect(2, 0);
    EXPECT_TRUE(Grid->IsOnSizingBorder(Header.Right - 3, Header.Top + 5));
    EXPECT_FALSE(Grid->IsOnSizingBorder(Header.Right - 4, Header.Top + 5));
    const TRect Body = Grid->CellRect(2, 3);
    EXPECT_FALSE(Grid->IsOnSizingBorder(Body.Right - 1, Body.Top + 5))
        << "only the fixed rows and the first normal one";
}

TEST(GridShape, UsedCells) {
    auto G = newGrid();
    EXPECT_EQ(G->UsedCells(), (TGridRect{0, 0, 0, 0}));
    G->SetCellEx(3, 5, QStringLiteral("x"));
    EXPECT_EQ(G->UsedCells(), (TGridRect{3, 5, 3, 5}));
}

TEST(GridMoves, AColumnMoveRenumbersFiltersAndMovesCellControls) {
    TForm Form(nullptr);
    auto* G = new TVidIvezadOrir(&Form);
    G->SetParent(&Form);
    G->SetColCount(6);
    for (int c : {1, 2, 3, 4}) static_cast<TFilterData*>(G->Filter()->Add())->SetColumn(c);
    auto* Edit = new TEdit(&Form);
    G->SetCellControls(3, 2, Edit);
    G->SetCellEx(1, 1, QStringLiteral("moved"));
    G->MoveColumn(1, 4);
    std::vector<int> Columns;
    for (int i = 0; i < G->Filter()->Count(); ++i)
        Columns.push_back(static_cast<TFilterData*>(G->Filter()->Items(i))->Column());
    EXPECT_EQ(Columns, (std::vector<int>{4, 1, 2, 3}));
    EXPECT_EQ(G->GetCellEx(4, 1), QStringLiteral("moved"));
    EXPECT_EQ(G->ControlList()->GetControl(0)->X(), 2) << "the control moves left with its cell";
}

TEST(GridCurrentCell, RowChangesAreReportedInOrderAndASyncGridFollows) {
    auto G = newGrid();
    auto Other = newGrid();
    G->SyncGrid()->SetGrid(Other.get());
    G->SyncGrid()->SetSelectionRow(true);
    G->SyncGrid()->SetSelectionColumn(true);
    std::vector<std::pair<int, int>> Changes;
    G->OnRowChanged = [&](TObject*, int Old, int New) { Changes.push_back({Old, New}); };
    G->SetRow(3);
    G->SetRow(3);
    G->SetRow(5);
    EXPECT_EQ(Changes, (std::vector<std::pair<int, int>>{{-1, 3}, {3, 5}}));
    EXPECT_EQ(Other->Row(), 5);
    G->SetCol(2);
    EXPECT_EQ(Other->Col(), 2);
    G->SetTopRow(0);
    EXPECT_EQ(G->TopRow(), 1) << "a top row among the fixed rows is ignored";
}

TEST(GridSuppressed, SuppressedRowsComeBackAndAreRecorded) {
    auto G = newGrid();
    G->SetRowHeights(3, 40);
    G->SuppressRow(3);
    EXPECT_TRUE(G->IsSuppressedRow(3));
    G->UnSuppressAllRows();
    EXPECT_EQ(G->RowHeights(3), 40);
    // The heights are recorded again: a row sized since comes back at its new height.
    G->SetRowHeights(5, 31);
    G->UnSuppressAllRows();
    G->SuppressRow(5);
    G->UnSuppressRow(5);
    EXPECT_EQ(G->RowHeights(5), 31);
    G->SuppressColumn(2);
    G->UnSuppressColumn(2);
    EXPECT_EQ(G->ColWidths(2), G->DefaultColWidth());
    // Columns the same way, by their widths.
    G->SetColWidths(3, 90);
    G->SuppressColumn(3);
    G->SuppressColumn(3);
    EXPECT_TRUE(G->IsSuppressedColumn(3));
    EXPECT_FALSE(G->IsSuppressedColumn(1));
    G->UnSuppressAllColumns();
    EXPECT_EQ(G->ColWidths(3), 90) << "a second suppress keeps the first width";
    G->SetColWidths(1, 0);
    G->UnSuppressAllColumns();
    EXPECT_EQ(G->ColWidths(1), G->DefaultColWidth()) << "the widths were recorded: a zero width comes back";
}

}  // namespace
