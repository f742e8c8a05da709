// The cell-properties grid base: lazily made properties, merges and splits, text and objects
// through merged areas, geometry of merged and scrolled cells, and the keys around merged areas.
#include "components/grid/BaseGrid.h"
#include "components/grid/model/CellGraphic.h"

#include <gtest/gtest.h>

#include <memory>

using namespace basegrid;

namespace {

// The base grid with the grid's answers left neutral, its hooks observable.
class TTestBaseGrid : public TBaseGrid {
public:
    using TBaseGrid::HasCellProps;
    using TBaseGrid::SetHideLastRow;
    using TBaseGrid::SetNormalRowCount;
    using TBaseGrid::TBaseGrid;
    int LastRowChanges = 0;
    std::vector<TPoint> Changed;

protected:
    bool IsNode(int) override { return false; }
    bool IsSummary(int) override { return false; }
    void LastRowChanged() override { ++LastRowChanges; }
    void CellChanged(int ACol, int ARow) override { Changed.push_back({ACol, ARow}); }
};

// An object that tells when it is freed.
class TTracked : public TCellGraphic {
public:
    explicit TTracked(bool* Freed) : FFreed(Freed) {}
    ~TTracked() override { *FFreed = true; }

private:
    bool* FFreed;
};
class TCallerObject : public TObject {
public:
    explicit TCallerObject(bool* Freed) : FFreed(Freed) {}
    ~TCallerObject() override { *FFreed = true; }

private:
    bool* FFreed;
};

class BaseGridTest : public ::testing::Test {
protected:
    struct TFree {
        void operator()(TObject* O) const { O->Free(); }
    };
    std::unique_ptr<TTestBaseGrid, TFree> Grid{new TTestBaseGrid(nullptr)};
    void SetUp() override {
        Grid->SetColCount(8);
        Grid->SetRowCount(8);
        Grid->SetDefaultColWidth(40);
        Grid->SetDefaultRowHeight(20);
    }
    void key(Word Key) { Grid->Perform(WM_KEYDOWN, Key, 0); }
};

TEST_F(BaseGridTest, AThreeByTwoMergeStoresSpansAndOffsets) {
    Grid->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(Grid->MergeCount(), 1);
    const TCellProperties* Base = Grid->GetCellProperties(1, 1);
    EXPECT_TRUE(Base->IsBaseCell());
    EXPECT_EQ(Base->CellSpanX(), 2);
    EXPECT_EQ(Base->CellSpanY(), 1);
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 2; ++r) {
            ASSERT_TRUE(Grid->HasCellProperties(c, r));
            EXPECT_EQ(Grid->BaseCell(c, r), Point(1, 1)) << c << "," << r;
            EXPECT_EQ(Grid->CellSpan(c, r), Point(2, 1)) << c << "," << r;
            EXPECT_EQ(Grid->CellExt(c, r), Point(3 - c, 2 - r)) << c << "," << r;
            EXPECT_EQ(Grid->FullCell(c, r), Rect(1, 1, 3, 2));
            EXPECT_TRUE(Grid->IsMergedCell(c, r) || (c == 1 && r == 1));
            if (c == 1 && r == 1) continue;
            const TCellProperties* P = Grid->GetCellProperties(c, r);
            EXPECT_FALSE(P->IsBaseCell());
            EXPECT_EQ(P->CellSpanX(), c - 1);
            EXPECT_EQ(P->CellSpanY(), r - 1);
            EXPECT_TRUE(Grid->IsMergedNonBaseCell(c, r));
        }
    }
    EXPECT_TRUE(Grid->IsXMergedCell(3, 2));
    EXPECT_TRUE(Grid->IsYMergedCell(3, 2));
    int BC = 0, BR = 0;
    EXPECT_FALSE(Grid->FindBaseCell(3, 2, BC, BR));
    EXPECT_EQ(Point(BC, BR), Point(1, 1));
    EXPECT_TRUE(Grid->FindBaseCell(1, 1, BC, BR));
    EXPECT_EQ(Grid->MaxRowSpan(1), 1);
    EXPECT_EQ(Grid->MinRowSpan(1), 1);
    EXPECT_EQ(Grid->MinRowSpan(5), Grid->RowCount());
}

TEST_F(BaseGridTest, SplitKeepsThePropertiesButEndsTheMerge) {
    Grid->MergeCells(1, 1, 3, 2);
    Grid->GetCellProperties(3, 2)->SetFontColor(clRed);
    Grid->SplitCells(3, 2);  // any cell of the area splits it
    EXPECT_EQ(Grid->MergeCount(), 0);
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 2; ++r) {
            ASSERT_TRUE(Grid->HasCellProperties(c, r));
            const TCellProperties* P = Grid->GetCellProperties(c, r);
            EXPECT_TRUE(P->IsBaseCell());
            EXPECT_EQ(P->CellSpanX(), -1);
            EXPECT_EQ(P->CellSpanY(), -1);
            EXPECT_FALSE(Grid->IsMergedCell(c, r));
        }
    }
    EXPECT_EQ(Grid->GetCellProperties(3, 2)->FontColor(), clRed);
}

TEST_F(BaseGridTest, ReadsNeverCreateProperties) {
    TTestBaseGrid& G = *Grid;
    (void)G.GetCellEx(2, 2);
    (void)G.GetObjectEx(2, 2);
    (void)G.GetGraphicObjectEx(2, 2);
    (void)G.BaseCell(2, 2);
    (void)G.IsBaseCell(2, 2);
    (void)G.IsMergedCell(2, 2);
    (void)G.IsXMergedCell(2, 2);
    (void)G.CellSpan(2, 2);
    (void)G.CellExt(2, 2);
    (void)G.FullCell(2, 2);
    (void)G.CellRect(2, 2);
    (void)G.CellSize(2, 2);
    (void)G.MinRowSpan(2);
    (void)G.ColSpanIdentical(1, 2);
    G.SetCellEx(2, 2, QStringLiteral("text"));
    EXPECT_FALSE(G.HasCellProps());
    EXPECT_FALSE(G.HasCellProperties(2, 2));
    // Outside the columns and above the first row: plain answers.
    EXPECT_FALSE(G.HasCellProperties(-1, 0));
    EXPECT_FALSE(G.HasCellProperties(8, 0));
    EXPECT_FALSE(G.HasCellProperties(0, -1));
    EXPECT_EQ(G.CellSpan(99, 2), Point(0, 0));
    EXPECT_EQ(G.BaseCell(99, 2), Point(99, 2));
}

TEST_F(BaseGridTest, TextOfACoveredCellIsTheBaseCellsText) {
    Grid->MergeCells(1, 1, 3, 2);
    Grid->SetCellEx(3, 2, QStringLiteral("shared"));
    EXPECT_EQ(Grid->GetGridCell(1, 1), QStringLiteral("shared"));
    EXPECT_EQ(Grid->GetGridCell(3, 2), String());
    EXPECT_EQ(Grid->GetCellEx(2, 1), QStringLiteral("shared"));
    EXPECT_EQ(Grid->Changed, std::vector<TPoint>{Point(1, 1)});
    // A plain cell is written through the string grid and tells nobody.
    Grid->SetCellEx(5, 5, QStringLiteral("plain"));
    EXPECT_EQ(Grid->Cells(5, 5), QStringLiteral("plain"));
    EXPECT_EQ(Grid->Changed.size(), 1u);
}

TEST_F(BaseGridTest, DisplayTextHooksSeeOnlyNormalRowsAndWideTextComesBackEncoded) {
    Grid->SetCellEx(1, 1, QStringLiteral("a"));
    Grid->SetCellEx(1, 6, QStringLiteral("b"));
    std::vector<int> Rows;
    Grid->OnGetDisplText = [&](TObject*, int, int ARow, String& V) {
        Rows.push_back(ARow);
        V += u'!';
    };
    Grid->SetNormalRowCount(5);
    EXPECT_EQ(Grid->GetCellEx(1, 1), QStringLiteral("a!"));
    EXPECT_EQ(Grid->GetCellEx(1, 6), QStringLiteral("b"));
    EXPECT_EQ(Rows, std::vector<int>{1});
    Grid->OnGetDisplWideText = [](TObject*, int, int, String& V) { V = QString(QChar(0x263A)); };
    const String Wide = Grid->GetCellEx(1, 1);
    EXPECT_TRUE(Wide.startsWith(QStringLiteral("|\\")));
}

TEST_F(BaseGridTest, ObjectsAndGraphicsLiveInThePropertiesAndLeaveEmptyTextsEmpty) {
    TObject Obj;
    Grid->SetObjectEx(2, 3, &Obj);
    EXPECT_EQ(Grid->GetObjectEx(2, 3), &Obj);
    EXPECT_EQ(Grid->GetGridCell(2, 3), String());
    EXPECT_EQ(Grid->GetCellProperties(2, 3)->CellObject(), reinterpret_cast<NativeUInt>(&Obj));
    TObject Graphic;
    Grid->SetGraphicObjectEx(4, 4, &Graphic);
    EXPECT_EQ(Grid->GetGraphicObjectEx(4, 4), &Graphic);
    EXPECT_EQ(Grid->GetGridCell(4, 4), String());
    Grid->SetGraphicObjectEx(4, 4, nullptr);
}

TEST(BaseGridLife, ACellGraphicIsFreedWithItsPropertiesACallersObjectIsNot) {
    bool ObjectFreed = false, SubclassFreed = false;
    auto* Grid = new TTestBaseGrid(nullptr);
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    auto* Graphic = new TCellGraphic;
    auto* Caller = new TCallerObject(&ObjectFreed);
    auto* Subclass = new TTracked(&SubclassFreed);  // a class of its own: the caller's
    Grid->SetGraphicObjectEx(1, 1, Graphic);
    Grid->SetGraphicObjectEx(2, 2, Caller);
    Grid->SetGraphicObjectEx(3, 3, Subclass);
    Grid->FreeCellProperties(0, 0, 4, 4);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    EXPECT_FALSE(ObjectFreed);
    EXPECT_FALSE(SubclassFreed);
    // The grid's own graphic went with the properties: AddressSanitizer reports it otherwise.
    Grid->Free();
    delete Caller;
    delete Subclass;
}

TEST(BaseGridLife, PropertiesBeyondLoweredCountsAreFreedWithTheGrid) {
    auto* Grid = new TTestBaseGrid(nullptr);
    Grid->SetColCount(10);
    Grid->SetRowCount(10);
    Grid->MergeCells(6, 6, 3, 3);
    Grid->SetRowCount(3);
    Grid->SetColCount(3);
    Grid->Free();  // AddressSanitizer reports the properties if they leak
}

TEST_F(BaseGridTest, StoringTheSamePropertiesAgainKeepsThem) {
    TCellProperties* P = Grid->GetCellProperties(1, 1);
    P->SetFontColor(clBlue);
    Grid->SetCellProperties(1, 1, P);
    EXPECT_EQ(Grid->GetCellProperties(1, 1), P);
    EXPECT_EQ(P->FontColor(), clBlue);
    auto* Other = new TCellProperties(Grid.get(), 1, 1);
    Grid->SetCellProperties(1, 1, Other);  // frees P
    EXPECT_EQ(Grid->GetCellProperties(1, 1), Other);
    Grid->ClearCellProperties(1, 1);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
}

TEST_F(BaseGridTest, NewPropertiesTakeTheLookOfTheirMoment) {
    Grid->SetColor(clYellow);
    Grid->Font()->SetColor(clMaroon);
    Grid->Font()->SetName(QStringLiteral("Tahoma"));
    Grid->SetWordWrap(false);
    const TCellProperties* P = Grid->GetCellProperties(2, 2);
    EXPECT_EQ(P->BrushColor(), clYellow);
    EXPECT_EQ(P->BrushColorTo(), clNone);
    EXPECT_EQ(P->FontColor(), clMaroon);
    EXPECT_EQ(P->FontName(), QStringLiteral("Tahoma"));
    EXPECT_EQ(P->FontSize(), Grid->Font()->Height());
    EXPECT_FALSE(P->WordWrap());
    EXPECT_EQ(P->Alignment(), taLeftJustify);
    EXPECT_EQ(P->VAlignment(), vtaTop);
    Grid->SetColor(clAqua);
    EXPECT_EQ(P->BrushColor(), clYellow);
}

TEST_F(BaseGridTest, SpanComparisons) {
    EXPECT_FALSE(Grid->ColSpanIdentical(1, 2));  // no row has both merged
    Grid->MergeCells(1, 1, 2, 1);
    EXPECT_TRUE(Grid->ColSpanIdentical(1, 2));
    Grid->MergeCells(1, 3, 1, 1);
    Grid->MergeCells(4, 2, 1, 3);
    Grid->MergeCells(5, 2, 1, 3);
    EXPECT_TRUE(Grid->RowSpanIdentical(2, 4));
    EXPECT_FALSE(Grid->RowSpanIdentical(0, 6));
    Grid->MergeCells(5, 4, 1, 2);
    EXPECT_FALSE(Grid->RowSpanIdentical(2, 4));
}

TEST_F(BaseGridTest, ANonPositiveSpanWritesNothingButCounts) {
    Grid->MergeCells(2, 2, 0, 3);
    EXPECT_FALSE(Grid->HasCellProperties(2, 2));
    EXPECT_EQ(Grid->MergeCount(), 1);
}

TEST_F(BaseGridTest, WritingTheReservedLastRowTellsTheGrid) {
    Grid->SetHideLastRow(true);
    Grid->SetCellEx(2, 6, QStringLiteral("x"));
    EXPECT_EQ(Grid->LastRowChanges, 0);
    Grid->SetCellEx(2, 7, QStringLiteral("x"));
    Grid->MergeCells(3, 7, 2, 1);
    Grid->SetCellEx(4, 7, QStringLiteral("y"));
    EXPECT_EQ(Grid->LastRowChanges, 2);
}

TEST_F(BaseGridTest, RectanglesOfMergedAndScrolledCells) {
    Grid->SetBounds(0, 0, 200, 100);
    Grid->SetScrollBars(ssNone);
    // Columns of 40: fixed 0..40, then 1 at 40, 2 at 80 ...
    EXPECT_EQ(Grid->CellRect(2, 2), Rect(80, 40, 120, 60));
    Grid->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(Grid->CellRect(2, 2), Rect(40, 20, 160, 60));
    EXPECT_EQ(Grid->CellSize(3, 1), Point(120, 40));
    // Scrolled out of view: placed as if the grid went on to the left and above.
    Grid->SetLeftCol(3);
    Grid->SetTopRow(3);
    EXPECT_EQ(Grid->CalcCellRect(1, 1), Rect(-40, -20, 0, 0));
    EXPECT_EQ(Grid->CalcCellRect(6, 6), Rect(160, 80, 200, 100));
    EXPECT_EQ(Grid->CellRect(2, 2), Rect(-40, -20, 80, 20));
    // A first column of width 0 still gives the area an edge.
    Grid->SetLeftCol(1);
    Grid->SetTopRow(1);
    Grid->SetColWidths(1, 0);
    const TRect R = Grid->CellRect(1, 1);
    EXPECT_FALSE(R.IsEmpty());
    EXPECT_EQ(R, Rect(40, 20, 120, 60));
}

TEST_F(BaseGridTest, RightAndDownFromABaseCellLandAfterTheArea) {
    Grid->MergeCells(2, 2, 3, 2);  // columns 2..4, rows 2..3
    struct Case {
        TPoint From;
        Word Key;
        TPoint To;
    };
    const Case Cases[] = {
        {{2, 2}, VK_RIGHT, {5, 2}}, {{2, 2}, VK_DOWN, {2, 4}},  {{2, 2}, VK_LEFT, {1, 2}},
        {{2, 2}, VK_UP, {2, 1}},    {{1, 2}, VK_RIGHT, {2, 2}},  // entering lands on the base cell
        {{3, 4}, VK_UP, {2, 2}},
    };
    for (const Case& C : Cases) {
        Grid->SetCol(C.From.X);
        Grid->SetRow(C.From.Y);
        key(C.Key);
        EXPECT_EQ(Point(Grid->Col(), Grid->Row()), C.To) << C.From.X << "," << C.From.Y << " key " << C.Key;
    }
}

TEST_F(BaseGridTest, LeftAndUpFromACoveredCellLeaveTheAreaWithoutSkipping) {
    Grid->MergeCells(1, 1, 3, 3);  // columns 1..3, rows 1..3, right beside the fixed ones
    Grid->MergeCells(4, 4, 2, 2);  // columns 4..5, rows 4..5
    struct Case {
        TPoint From;  // a covered cell, put there directly as code may do
        Word Key;
        TPoint To;
    };
    const Case Cases[] = {
        // From the base column the step cannot leave (fixed column beside): the base cell.
        {{3, 3}, VK_LEFT, {1, 1}},
        // One row above the area, not two.
        {{5, 5}, VK_UP, {5, 3}},
        {{5, 5}, VK_LEFT, {3, 5}},
        {{5, 5}, VK_RIGHT, {6, 5}},
        {{5, 5}, VK_DOWN, {5, 6}},
    };
    for (const Case& C : Cases) {
        Grid->SetCol(C.From.X);
        Grid->SetRow(C.From.Y);
        ASSERT_EQ(Point(Grid->Col(), Grid->Row()), C.From);
        key(C.Key);
        EXPECT_EQ(Point(Grid->Col(), Grid->Row()), C.To) << C.From.X << "," << C.From.Y << " key " << C.Key;
    }
}

}  // namespace
