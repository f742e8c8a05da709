// The string grid: layout of fixed and scrolled cells, the current cell and keys, scrolling and
// its 0..127 thumbs, the cells kept beyond the counts, the editor protocol, painting and the
// auto-scroll timer.
#include "framework/ui/Grids.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>

namespace {

template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

// Row and column deletion and moves are the descendants' business; tests reach them here.
class TExposedGrid : public TStringGrid {
public:
    using TCustomGrid::DeleteRow;
    using TStringGrid::TStringGrid;
};

class GridTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TExposedGrid* Grid = nullptr;

    // 10 columns of 50 and 20 rows of 20 in a 300 x 200 grid without border or scroll bars:
    // 6 columns and 10 rows fit.
    void SetUp() override {
        Form->SetBounds(0, 0, 400, 300);
        Grid = new TExposedGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetGridLineWidth(0);
        Grid->SetDefaultColWidth(50);
        Grid->SetDefaultRowHeight(20);
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
        Grid->SetBounds(0, 0, 300, 200);
    }
    void key(Word Key) { Grid->Perform(WM_KEYDOWN, Key, 0); }
    void keyWith(Word Key, TShiftState Shift) {
        SetKeyStateSource([Shift](int VK) -> short {
            if (VK == VK_SHIFT) return Shift.Contains(ssShift) ? short(-128) : short(0);
            if (VK == VK_CONTROL) return Shift.Contains(ssCtrl) ? short(-128) : short(0);
            return 0;
        });
        key(Key);
        SetKeyStateSource(nullptr);
    }
};

TEST_F(GridTest, DefaultsOfANewGrid) {
    TStringGrid G(nullptr);
    EXPECT_EQ(G.ColCount(), 5);
    EXPECT_EQ(G.RowCount(), 5);
    EXPECT_EQ(G.FixedCols(), 1);
    EXPECT_EQ(G.FixedRows(), 1);
    EXPECT_EQ(G.DefaultColWidth(), 64);
    EXPECT_EQ(G.DefaultRowHeight(), 24);
    EXPECT_EQ(G.GridLineWidth(), 1);
    EXPECT_EQ(G.Col(), 1);
    EXPECT_EQ(G.Row(), 1);
    EXPECT_TRUE(G.Options().Contains(goRangeSelect));
    EXPECT_EQ(G.ScrollBars(), ssBoth);
}

TEST_F(GridTest, CellRectsOfFixedScrolledAndHiddenCells) {
    struct Case {
        int Col, Row;
        TRect Expected;
    };
    Grid->SetLeftCol(3);
    Grid->SetTopRow(5);
    const Case Cases[] = {
        {0, 0, Rect(0, 0, 50, 20)},         // fixed corner
        {3, 0, Rect(50, 0, 100, 20)},       // fixed row over the first shown column
        {0, 5, Rect(0, 20, 50, 40)},        // fixed column beside the first shown row
        {4, 6, Rect(100, 40, 150, 60)},     // scrolled cell
        {2, 6, TRect{}},                    // scrolled away to the left
        {4, 4, TRect{}},                    // scrolled away above
        {7, 6, Rect(250, 40, 300, 60)},     // last whole column
        {8, 6, TRect{}},                    // beyond the right edge
        {4, 13, Rect(100, 180, 150, 200)},  // last whole row
        {4, 14, TRect{}},                   // below the bottom edge
    };
    for (const Case& C : Cases) EXPECT_EQ(Grid->CellRect(C.Col, C.Row), C.Expected) << C.Col << "," << C.Row;
    EXPECT_EQ(Grid->CellRect(20, 1), TRect{});
    EXPECT_EQ(Grid->CellRect(-1, 1), TRect{});
}

TEST_F(GridTest, PartlyShownCellIsClippedToTheGrid) {
    Grid->SetWidth(275);
    EXPECT_EQ(Grid->CellRect(5, 1), Rect(250, 20, 275, 40));
    EXPECT_EQ(Grid->VisibleColCount(), 4);
}

TEST_F(GridTest, MouseCoordFindsCellsAndMissesOutside) {
    Grid->SetTopRow(5);
    EXPECT_EQ(Grid->MouseCoord(10, 10), (TGridCoord{0, 0}));
    EXPECT_EQ(Grid->MouseCoord(60, 25), (TGridCoord{1, 5}));
    EXPECT_EQ(Grid->MouseCoord(299, 199), (TGridCoord{5, 13}));
    EXPECT_EQ(Grid->MouseCoord(301, 10), (TGridCoord{-1, -1}));
    int C = 0, R = 0;
    Grid->MouseToCell(-5, 10, C, R);
    EXPECT_EQ(C, -1);
    EXPECT_EQ(R, -1);
}

TEST_F(GridTest, VisibleCountsAndTopLeftLimits) {
    EXPECT_EQ(Grid->VisibleColCount(), 5);
    EXPECT_EQ(Grid->VisibleRowCount(), 9);
    Grid->SetTopRow(100);
    EXPECT_EQ(Grid->TopRow(), 11);  // rows 11..19 fill the 9 scrolled places
    Grid->SetLeftCol(0);
    EXPECT_EQ(Grid->LeftCol(), 1);  // never into the fixed columns
}

TEST_F(GridTest, EachArrowKeyMovesOneStepAndStopsAtTheEdges) {
    struct Step {
        Word Key;
        TShiftState Shift;
        int Col, Row;
    };
    const Step Steps[] = {
        {VK_RIGHT, {}, 2, 1}, {VK_DOWN, {}, 2, 2},  {VK_LEFT, {}, 1, 2},       {VK_LEFT, {}, 1, 2},
        {VK_UP, {}, 1, 1},    {VK_UP, {}, 1, 1},    {VK_END, {}, 9, 1},        {VK_HOME, {}, 1, 1},
        {VK_NEXT, {}, 1, 10}, {VK_PRIOR, {}, 1, 1}, {VK_END, {ssCtrl}, 9, 19}, {VK_HOME, {ssCtrl}, 1, 1},
    };
    for (const Step& S : Steps) {
        keyWith(S.Key, S.Shift);
        EXPECT_EQ(Grid->Col(), S.Col) << S.Key;
        EXPECT_EQ(Grid->Row(), S.Row) << S.Key;
    }
}

TEST_F(GridTest, KeysScrollTheCurrentCellIntoView) {
    for (int I = 0; I < 12; ++I) key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 13);
    EXPECT_EQ(Grid->TopRow(), 5);  // rows 5..13 shown
    EXPECT_EQ(Grid->CellRect(1, 13).Bottom, 200);
}

TEST_F(GridTest, ShiftExtendsTheSelectionFromTheAnchor) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goRangeSelect});
    keyWith(VK_DOWN, {ssShift});
    keyWith(VK_RIGHT, {ssShift});
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 2}));
    key(VK_DOWN);  // without Shift the anchor follows
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, SelectCellCanRefuseAMove) {
    Grid->OnSelectCell = [](TObject*, int ACol, int, bool& CanSelect) { CanSelect = ACol != 2; };
    key(VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 1);
    Grid->SetCol(3);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_THROW(Grid->SetCol(10), EInvalidGridOperation);
}

TEST_F(GridTest, FixedCountsMustStayBelowTheCounts) {
    EXPECT_THROW(Grid->SetFixedRows(20), EInvalidGridOperation);
    Grid->SetRowCount(1);
    EXPECT_EQ(Grid->FixedRows(), 0);
    EXPECT_EQ(Grid->Row(), 0);
}

TEST_F(GridTest, ScrollMessagesAndThumbsOnThe127Scale) {
    Grid->SetScrollBars(ssBoth);
    ASSERT_TRUE(Grid->ScrollBarVisible(SB_VERT));
    const int MaxTop = 20 - Grid->VisibleRowCount();
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Grid->TopRow(), 2);
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(Grid->TopRow(), MaxTop);
    EXPECT_EQ(Grid->ScrollPos(SB_VERT), 127);
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_EQ(Grid->TopRow(), 1);
    EXPECT_EQ(Grid->ScrollPos(SB_VERT), 0);
    // Half way on the scale is half way through the rows that can come first.
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 64), 0);
    EXPECT_EQ(Grid->TopRow(), 1 + MulDiv(64, MaxTop - 1, 127));
    // Thumb tracking moves only with goThumbTracking, then on row numbers.
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(Grid->TopRow(), 1 + MulDiv(64, MaxTop - 1, 127));
    Grid->SetOptions(Grid->Options() + TGridOptions{goThumbTracking});
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), 0);
    EXPECT_EQ(Grid->TopRow(), 3);
    EXPECT_EQ(Grid->ScrollPos(SB_VERT), 3);
}

TEST_F(GridTest, ScrollBarsNarrowTheClientAreaOnlyWhenNeeded) {
    Grid->SetScrollBars(ssBoth);
    EXPECT_TRUE(Grid->ScrollBarVisible(SB_VERT));
    EXPECT_TRUE(Grid->ScrollBarVisible(SB_HORZ));
    EXPECT_LT(Grid->ClientWidth(), 300);
    Grid->SetRowCount(3);
    Grid->SetColCount(3);
    EXPECT_FALSE(Grid->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(Grid->ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(Grid->ClientWidth(), 300);
    // A bar shown by code stays shown; its arrows can be switched off.
    Grid->ShowScrollBar(SB_VERT, true);
    Grid->EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_TRUE(Grid->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(Grid->ScrollBarEnabled(SB_VERT));
}

TEST_F(GridTest, ClickingTheScrollBarArrowScrolls) {
    Grid->SetScrollBars(ssVertical);
    Grid->HandleNeeded();
    const int X = Grid->ClientWidth() + 5;
    Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Grid->ClientHeight() - 5));
    Grid->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Grid->ClientHeight() - 5));
    EXPECT_EQ(Grid->TopRow(), 2);
    EXPECT_EQ(Grid->Row(), 1);  // the press never reached the cells
}

TEST_F(GridTest, CellsOutliveLoweredCountsAndMoveWithRows) {
    Grid->SetCells(3, 15, QStringLiteral("kept"));
    Grid->SetRowCount(5);
    EXPECT_EQ(Grid->Cells(3, 15), QStringLiteral("kept"));
    Grid->SetRowCount(20);
    EXPECT_EQ(Grid->Cells(3, 15), QStringLiteral("kept"));
    Grid->SetCells(0, 2, QStringLiteral("two"));
    Grid->DeleteRow(1);
    EXPECT_EQ(Grid->Cells(0, 1), QStringLiteral("two"));
    EXPECT_EQ(Grid->Cells(3, 14), QStringLiteral("kept"));
}

TEST_F(GridTest, RowsAndColsAreLiveLists) {
    TStrings* Row = Grid->Rows(2);
    EXPECT_EQ(Row->Count(), 10);
    Row->Put(4, QStringLiteral("x"));
    EXPECT_EQ(Grid->Cells(4, 2), QStringLiteral("x"));
    Grid->SetCells(1, 2, QStringLiteral("y"));
    EXPECT_EQ(Row->Strings(1), QStringLiteral("y"));
    TStringList L;
    L.Add(QStringLiteral("a"));
    L.Add(QStringLiteral("b"));
    Grid->SetCols(3, &L);
    EXPECT_EQ(Grid->Cells(3, 1), QStringLiteral("b"));
    EXPECT_EQ(Grid->Cols(3)->Count(), 20);
    EXPECT_THROW(Grid->Rows(20), EInvalidGridOperation);
    EXPECT_THROW(Row->Insert(0, QStringLiteral("z")), EInvalidGridOperation);
}

TEST_F(GridTest, MovingAColumnMovesItsCellsAndWidth) {
    Grid->SetColWidths(2, 80);
    Grid->SetCells(2, 1, QStringLiteral("c2"));
    int From = -1, To = -1;
    Grid->OnColumnMoved = [&](TObject*, int F, int T) { From = F, To = T; };
    Grid->SetOptions(Grid->Options() + TGridOptions{goColMoving});
    // Drag the header of column 2 onto column 4.
    Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(120, 10));
    Grid->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(230, 10));
    Grid->Perform(WM_LBUTTONUP, 0, PointToLParam(230, 10));
    EXPECT_EQ(From, 2);
    EXPECT_EQ(To, 4);
    EXPECT_EQ(Grid->Cells(4, 1), QStringLiteral("c2"));
    EXPECT_EQ(Grid->ColWidths(4), 80);
}

TEST_F(GridTest, DraggingAColumnLineSizesIt) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goColSizing});
    Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(100, 10));  // line after column 1
    Grid->Perform(WM_LBUTTONUP, 0, PointToLParam(130, 10));
    EXPECT_EQ(Grid->ColWidths(1), 80);
}

TEST_F(GridTest, EditorShowsTheCellWritesBackAndEscapeRestores) {
    Form->Show();
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    Grid->SetFocus();
    Grid->SetCells(1, 1, QStringLiteral("old"));
    std::vector<String> Written;
    Grid->OnSetEditText = [&](TObject*, int, int, const String& V) { Written.push_back(V); };
    ASSERT_TRUE(pumpUntil([&] { return Grid->Focused(); }));
    key(VK_F2);
    ASSERT_TRUE(Grid->EditorMode());
    TInplaceEdit* Ed = Grid->InplaceEditor();
    ASSERT_NE(Ed, nullptr);
    EXPECT_EQ(Ed->Text(), QStringLiteral("old"));
    EXPECT_EQ(Ed->BoundsRect(), Grid->CellRect(1, 1));
    Ed->SetText(QStringLiteral("new"));  // typing reaches the cell at once
    EXPECT_EQ(Grid->Cells(1, 1), QStringLiteral("new"));
    Ed->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), QStringLiteral("old"));
    ASSERT_FALSE(Written.empty());
    EXPECT_EQ(Written.back(), QStringLiteral("old"));
    // A typed character opens the editor with that character.
    Grid->Perform(WM_CHAR, u'z', 0);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), QStringLiteral("z"));
    // Enter closes it; the next key moves the current cell with the editor closed.
    Grid->InplaceEditor()->Perform(WM_CHAR, u'\r', 0);
    EXPECT_FALSE(Grid->EditorMode());
    key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(GridTest, DefaultDrawingPaintsFixedSelectedAndNormalCells) {
    Grid->SetGridLineWidth(1);
    Grid->SetCol(2);
    Grid->SetRow(2);
    TBitmap Bmp(300, 200);
    Grid->PaintTo(Bmp.Canvas(), 0, 0);
    TCanvas* C = Bmp.Canvas();
    EXPECT_EQ(C->Pixels(25, 10), ColorToRGB(clBtnFace));  // fixed corner
    EXPECT_EQ(C->Pixels(75, 30), ColorToRGB(clWindow));   // a normal cell
    EXPECT_EQ(C->Pixels(101, 30), ColorToRGB(clSilver));  // the line after column 1
    EXPECT_EQ(C->Pixels(50, 30), ColorToRGB(clBlack));    // the fixed column's line
    EXPECT_EQ(C->Pixels(75, 20), ColorToRGB(clBlack));    // the fixed row's line
    // Not focused: the current cell is painted selected.
    EXPECT_EQ(C->Pixels(130, 52), ColorToRGB(clHighlight));
}

TEST_F(GridTest, DrawCellGetsEveryShownCellWithItsState) {
    std::vector<std::pair<TGridCoord, TGridDrawState>> Calls;
    Grid->OnDrawCell = [&](TObject*, int C, int R, TRect, TGridDrawState S) { Calls.push_back({{C, R}, S}); };
    TBitmap Bmp(300, 200);
    Grid->PaintTo(Bmp.Canvas(), 0, 0);
    EXPECT_EQ(Calls.size(), size_t(6 * 10));
    int Fixed = 0, Selected = 0;
    for (const auto& [Cell, State] : Calls) {
        Fixed += State.Contains(gdFixed);
        Selected += State.Contains(gdSelected);
    }
    EXPECT_EQ(Fixed, 6 + 9);
    EXPECT_EQ(Selected, 1);
}

TEST_F(GridTest, SelectingBeyondTheBottomScrollsOnTimerOne) {
    FakeClock Clock;
    Form->Show();
    Grid->HandleNeeded();
    Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(75, 30));
    EXPECT_EQ(Grid->GridState(), gsSelecting);
    Mouse->SetCursorPos(Grid->ClientToScreen(Point(75, 250)));
    Clock.Advance(200);
    EXPECT_GT(Grid->TopRow(), 1);
    EXPECT_GT(Grid->Selection().Bottom, 9);
    Grid->Perform(WM_LBUTTONUP, 0, PointToLParam(75, 250));
    const int Top = Grid->TopRow();
    Clock.Advance(200);
    EXPECT_EQ(Grid->TopRow(), Top);  // the timer stopped with the press
    Mouse->ResetCursorPos();
}

}  // namespace
