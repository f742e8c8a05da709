// Scrolling the grid by messages: proportional thumbs, the flat thumb's scale, the thumb-track
// hint, the in-cell scroll bar, drag scrolling and the glide on the fake clock, and the dialog
// codes the grid asks for.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/Clock.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ScrollBars.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TProbeGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::DragOver;
    using TVidIvezadOrir::TVidIvezadOrir;
};

class GridScrollTest : public ::testing::Test {
protected:
    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TProbeGrid* Grid = nullptr;

    void make(TScrollHintType Hints = shNone) {
        Form->SetBounds(0, 0, 700, 500);
        Grid = new TProbeGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetScrollHints(Hints);
        Grid->SetBounds(0, 0, 400, 250);
        Form->HandleNeeded();
    }
    SCROLLINFO info(int Bar) {
        SCROLLINFO I;
        I.fMask = SIF_ALL;
        GetScrollInfo(Grid->Handle(), Bar, &I);
        return I;
    }
    void scroll(UINT Msg, int Code, int Pos = 0, LPARAM From = 0) {
        Grid->Perform(Msg, MAKEWPARAM(static_cast<Word>(Code), static_cast<Word>(Pos)), From);
    }
};

TEST_F(GridScrollTest, HalfTheColumnsInViewGiveARangeOf255AndAPageOf129) {
    make();
    Grid->SetRowCount(3);
    Grid->SetColCount(18);
    Grid->SetColWidths(0, 49);
    for (int c = 1; c < 18; ++c) Grid->SetColWidths(c, 40);
    Grid->SetScrollProportional(true);
    const SCROLLINFO I = info(SB_HORZ);
    EXPECT_EQ(I.nMin, 0);
    EXPECT_EQ(I.nMax, 255);
    EXPECT_EQ(I.nPage, 129u);
    // Everything in view: the thumb stays as it was.
    Grid->SetColCount(3);
    Grid->UpdateHorzScrollThumb();
    EXPECT_EQ(info(SB_HORZ).nPage, 129u);
}

TEST_F(GridScrollTest, FixedRowsTallerThanTheGridLeaveTheVerticalThumbAlone) {
    make();
    Grid->SetRowCount(50);
    Grid->SetRowHeights(0, 400);
    Grid->SetScrollProportional(true);
    const SCROLLINFO I = info(SB_VERT);
    EXPECT_EQ(I.nMax, 127) << "mended: the negative page is skipped";
    EXPECT_EQ(I.nPage, 0u);
    // With room for rows the thumb becomes proportional.
    Grid->SetRowHeights(0, 22);
    Grid->UpdateVertScrollThumb();
    EXPECT_GT(info(SB_VERT).nPage, 0u);
}

TEST_F(GridScrollTest, AFlatThumbPositionComesBackOnThe127Scale) {
    make();
    Grid->SetRowCount(3);
    Grid->SetColCount(64);
    Grid->SetFixedCols(0);
    // 32 columns of 12 pixels in a client 390 pixels wide.
    Grid->SetBounds(0, 0, Grid->Width() - (Grid->ClientWidth() - 390), Grid->Height());
    Grid->SetDefaultColWidth(12);
    ASSERT_EQ(Grid->VisibleColCount(), 32);
    Grid->SetScrollType(ssFlat);
    ASSERT_TRUE(Grid->IsFlat());
    scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
    EXPECT_EQ(Grid->LeftCol(), 32) << "64 of the flat bar is 127 of the grid's scale: the last page";
    Grid->SetScrollType(ssNormal);
    EXPECT_FALSE(Grid->IsFlat());
    Grid->SetLeftCol(0);
    scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
    EXPECT_EQ(Grid->LeftCol(), MulDiv(64, 32, 127));
}

TEST_F(GridScrollTest, TheThumbTrackHintShowsTheTargetRow) {
    make(shVertical);
    // A range of 127 rows: thumb position p stands for row p + 1.
    Grid->SetRowCount(128 + Grid->VisibleRowCount());
    Grid->SetRowCount(Grid->RowCount() + 127 - (Grid->RowCount() - Grid->VisibleRowCount() - Grid->FixedRows()));
    ASSERT_EQ(Grid->RowCount() - Grid->VisibleRowCount() - Grid->FixedRows(), 127);
    const int Pos = 11;
    THTMLHintWindow* Hint = Grid->ScrollHintWindow();
    ASSERT_NE(Hint, nullptr);
    scroll(WM_VSCROLL, SB_THUMBTRACK, Pos);
    EXPECT_EQ(Hint->Caption(), QStringLiteral("Row : 12"));
    EXPECT_TRUE(Hint->HandleAllocated() && Hint->Visible());
    scroll(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_FALSE(Hint->HandleAllocated() && Hint->Visible());
    // A horizontal hint says nothing for the vertical bar.
    Grid->SetScrollHints(shHorizontal);
    scroll(WM_VSCROLL, SB_THUMBTRACK, Pos);
    EXPECT_FALSE(Hint->HandleAllocated() && Hint->Visible());
}

TEST_F(GridScrollTest, AnInCellBarStopsAtItsMaximumAndReportsOnce) {
    make();
    TScrollBar* Bar = Grid->ScrollBarControl();
    ASSERT_NE(Bar, nullptr);
    Bar->SetParams(120, 0, 150);
    Grid->SetScrollBarCell(2, 3);
    std::vector<int> Reports;
    Grid->OnScrollCell = [&](TObject*, int ACol, int ARow, int Pos, int Min, int Max) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 3);
        EXPECT_EQ(Min, 0);
        EXPECT_EQ(Max, 150);
        Reports.push_back(Pos);
    };
    const LPARAM From = reinterpret_cast<LPARAM>(Bar->Handle());
    scroll(WM_VSCROLL, SB_PAGEDOWN, 0, From);
    scroll(WM_VSCROLL, SB_PAGEDOWN, 0, From);
    EXPECT_EQ(Bar->Position(), 150);
    EXPECT_EQ(Reports, std::vector<int>{150}) << "the second click moves nothing";
    EXPECT_EQ(Grid->TopRow(), 1) << "the grid itself did not scroll";
}

TEST_F(GridScrollTest, DragScrollingOnTheClock) {
    make();
    Grid->SetRowCount(100);
    Grid->SetColCount(30);
    Grid->DragScrollOptions()->SetActive(true);
    Grid->SetTopRow(10);
    bool Accept = false;
    Grid->DragOver(nullptr, 200, 5, dsDragEnter, Accept);  // in the top margin
    ASSERT_TRUE(Grid->DragScrolling());
    Clock.Advance(999);
    EXPECT_EQ(Grid->TopRow(), 10);
    Clock.Advance(1);
    EXPECT_EQ(Grid->TopRow(), 9) << "after InitialDelay";
    Clock.Advance(250);
    EXPECT_EQ(Grid->TopRow(), 8) << "then every RepeatDelay";
    // The handler may stop it, or send it elsewhere.
    bool Veto = true;
    Grid->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection& Dir, bool& CanScroll) {
        if (Veto)
            CanScroll = false;
        else
            Dir = TDragScrollDirection{dsdRight};
    };
    Clock.Advance(250);
    EXPECT_EQ(Grid->TopRow(), 8);
    Veto = false;
    const int Left = Grid->LeftCol();
    Clock.Advance(250);
    EXPECT_EQ(Grid->TopRow(), 8);
    EXPECT_EQ(Grid->LeftCol(), Left + 1);
    Grid->DragOver(nullptr, 200, 5, dsDragLeave, Accept);
    EXPECT_FALSE(Grid->DragScrolling()) << "leaving frees the timer";
    // Mended: a grid freed in the middle of a drag takes its timer with it.
    Grid->DragOver(nullptr, 200, 5, dsDragMove, Accept);
    ASSERT_TRUE(Grid->DragScrolling());
    Grid->Free();
    Clock.Advance(2000);
}

TEST_F(GridScrollTest, AGlideStopsAtTheFirstScrollableRow) {
    make();
    Grid->SetRowCount(100);
    Grid->SetTopRow(4);
    Grid->StartGlide(-1, true);
    Clock.Advance(200);
    EXPECT_EQ(Grid->TopRow(), Grid->FixedRows());
    Grid->StartGlide(+1, true);
    Clock.Advance(200);
    EXPECT_EQ(Grid->TopRow(), Grid->FixedRows() + 10) << "ten steps";
}

TEST_F(GridScrollTest, DialogCodes) {
    make();
    bool CtrlDown = false;
    const TKeyStateSource Old =
        SetKeyStateSource([&](int Key) -> short { return Key == VK_CONTROL && CtrlDown ? short(0x8000) : 0; });
    const auto code = [&] { return Grid->Perform(WM_GETDLGCODE, 0, 0); };
    EXPECT_TRUE(code() & DLGC_WANTCHARS) << "without goEditing the grid still wants characters";
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    EXPECT_TRUE(code() & DLGC_WANTCHARS) << "with it, as any editing grid";
    Grid->SetOptions(Grid->Options() + TGridOptions{goTabs});
    EXPECT_TRUE(code() & DLGC_WANTTAB);
    CtrlDown = true;
    EXPECT_FALSE(code() & DLGC_WANTTAB) << "Ctrl+Tab leaves the grid";
    SetKeyStateSource(Old);
}

}  // namespace
