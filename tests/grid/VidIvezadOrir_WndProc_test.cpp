// The grid's window procedure driven by messages: the editors' registered messages, the wheel
// (swallowed outside the grid, left to the parent while unfocused, zoom with Ctrl, the selection
// kept above the footers), panning with the middle button on the fake clock, the combo editor's
// notifications and a cancelled move.
#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/Resources.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/Forms.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

int PanCursorNumber(int e, int f);
QImage* ControlBackingImage(TControl* Control);

namespace {

class GridWndProcTest : public ::testing::Test {
protected:
    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;

    void SetUp() override {
        Form->SetBounds(100, 100, 600, 400);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 400, 250);
        Grid->SetRowCount(50);
        Grid->SetColCount(20);
        Form->Show();
        Mouse->SetCursorPos(Grid->ClientToScreen(Point(100, 100)));
    }
    void TearDown() override { Mouse->ResetCursorPos(); }
    // One notch down (-120) or up (+120) at a client point.
    void wheel(int Delta, int X = 100, int Y = 100, Word Keys = 0) {
        const TPoint P = Grid->ClientToScreen(Point(X, Y));
        Grid->Perform(WM_MOUSEWHEEL, MAKEWPARAM(Keys, static_cast<Word>(static_cast<short>(Delta))),
                      PointToLParam(P.X, P.Y));
    }
};

TEST_F(GridWndProcTest, GridEditDoneFiresTheEventWithItsCell) {
    std::vector<TPoint> Done;
    Grid->OnEditCellDone = [&](TObject*, int ACol, int ARow) { Done.push_back(Point(ACol, ARow)); };
    Grid->Perform(GridEditDoneMessage, 3, 5);
    EXPECT_EQ(Done, std::vector<TPoint>{Point(3, 5)});
}

TEST_F(GridWndProcTest, TheWheelOverTheGridOrSwallowedOutsideIt) {
    Grid->MouseActions()->SetWheelActive(waMouseOver);
    const int Row = Grid->Row();
    wheel(-120, 1000, 1000);
    EXPECT_EQ(Grid->Row(), Row) << "outside the grid the wheel does nothing";
    wheel(-120);
    EXPECT_EQ(Grid->Row(), Row + Grid->WheelScrollLines());
}

// A grid inside a scrolling parent leaves the wheel to the parent until it has the focus.
TEST_F(GridWndProcTest, AnUnfocusedGridAsksItsParentFirst) {
    int Asked = 0;
    bool ParentScrolls = true;
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) {
        ++Asked;
        Handled = ParentScrolls;
    };
    const int Lines = Grid->WheelScrollLines();
    const int Row = Grid->Row();
    ASSERT_FALSE(Grid->Focused());
    wheel(-120);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Grid->Row(), Row) << "the parent took the wheel";
    ParentScrolls = false;
    wheel(-120);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Grid->Row(), Row + Lines) << "the parent left it";
    ParentScrolls = true;
    Grid->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Grid->Focused(); }));
    wheel(-120);
    EXPECT_EQ(Asked, 2) << "a focused grid asks no one";
    EXPECT_EQ(Grid->Row(), Row + 2 * Lines);
}

TEST_F(GridWndProcTest, CtrlWheelZoomsWithoutScrolling) {
    std::vector<int> Zooms;
    Grid->OnIntelliZoom = [&](TObject*, int Delta) { Zooms.push_back(Delta); };
    const int Row = Grid->Row(), Top = Grid->TopRow(), Height = Grid->RowHeights(5);
    wheel(+120, 100, 100, MK_CONTROL);
    EXPECT_EQ(Grid->Row(), Row);
    EXPECT_EQ(Grid->TopRow(), Top);
    EXPECT_EQ(Grid->RowHeights(5), Height + Grid->WheelScrollLines());
    EXPECT_EQ(Zooms, std::vector<int>{Grid->WheelScrollLines()});
}

TEST_F(GridWndProcTest, MovingTheSelectionStaysAboveTheFixedFooters) {
    Grid->SetFixedFooters(2);
    Grid->SetRow(46);
    wheel(-120);
    EXPECT_EQ(Grid->Row(), 47) << "the last normal row";
    wheel(-120);
    EXPECT_EQ(Grid->Row(), 47);
    Grid->MouseActions()->SetWheelAction(waScroll);
    Grid->SetTopRow(10);
    wheel(-120);
    EXPECT_EQ(Grid->TopRow(), 10 + Grid->WheelScrollLines());
    EXPECT_EQ(Grid->Row(), 47) << "scrolling leaves the current row";
}

TEST_F(GridWndProcTest, PanningFollowsThePointerUntilAKey) {
    Grid->SetIntelliPan(ipVertical);
    Grid->SetRow(10);
    Grid->SetCol(5);
    const TPoint Origin = Point(150, 100);
    Grid->Perform(WM_MBUTTONDOWN, MK_MBUTTON, PointToLParam(Origin.X, Origin.Y));
    ASSERT_TRUE(Grid->Panning());
    EXPECT_EQ(GetCursor(), LoadCursor(HInstance, 8000));
    // The icon's ring shows at the origin while panning.
    const auto iconRing = [&] { return ControlBackingImage(Grid)->pixel(Origin.X + 12, Origin.Y + 16) == 0xFF000000u; };
    EXPECT_TRUE(iconRing());
    // Down and right of the origin: vertical panning moves down only.
    Mouse->SetCursorPos(Grid->ClientToScreen(Point(Origin.X + 30, Origin.Y + 30)));
    Clock.Advance(10);
    Clock.Advance(10);
    EXPECT_EQ(Grid->Row(), 12);
    EXPECT_EQ(Grid->Col(), 5) << "ipVertical never changes the column";
    EXPECT_EQ(GetCursor(), LoadCursor(HInstance, 8001));
    Grid->Perform(WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_FALSE(Grid->Panning());
    EXPECT_FALSE(iconRing());
    Clock.Advance(50);
    EXPECT_EQ(Grid->Row(), 12) << "the pan timer is gone";
}

TEST(GridPanCursors, NineDirections) {
    struct Case {
        int e, f, Cursor;
    };
    const Case Cases[] = {{0, 0, 8000},   {0, 1, 8003},  {0, -1, 8002}, {1, 0, 8001}, {-1, 0, 8004},
                          {-1, -1, 8006}, {-1, 1, 8005}, {1, -1, 8008}, {1, 1, 8007}};
    for (const Case& C : Cases) {
        EXPECT_EQ(PanCursorNumber(C.e, C.f), C.Cursor) << C.e << "," << C.f;
        EXPECT_NE(LoadCursor(HInstance, C.Cursor), nullptr) << "the project's own cursor " << C.Cursor;
    }
}

TEST_F(GridWndProcTest, AComboEditChangeReportsTheIndexThenMinusOne) {
    TGridCombo* Combo = Grid->EditCombo();
    ASSERT_NE(Combo, nullptr);
    Combo->Items()->Add(QStringLiteral("alpha"));
    Combo->Items()->Add(QStringLiteral("beta"));
    Combo->SetItemIndex(1);
    Grid->SetEditActive(true);
    std::vector<std::pair<int, String>> Changes;
    Grid->OnComboChange = [&](TObject*, int, int, int Index, const String& Text) { Changes.push_back({Index, Text}); };
    Grid->Perform(WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Combo->Handle()));
    EXPECT_EQ(Changes,
              (std::vector<std::pair<int, String>>{{1, QStringLiteral("beta")}, {-1, QStringLiteral("beta")}}));
    // The drop-down's selection field takes the cell's height less 6.
    Grid->Perform(WM_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), reinterpret_cast<LPARAM>(Combo->Handle()));
    EXPECT_EQ(Combo->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), Grid->RowHeights(Grid->Row()) - 6);
}

TEST_F(GridWndProcTest, CancelModeEndsAMove) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goColMoving});
    const TRect Header = Grid->CellRect(3, 0);
    Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Header.Left + 10, Header.Top + 5));
    Grid->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(Header.Left + 40, Header.Top + 5));
    ASSERT_EQ(Grid->GridState(), gsColMoving);
    Screen->SetCursor(crDrag);
    Grid->Perform(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Grid->GridState(), gsNormal);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

}  // namespace
