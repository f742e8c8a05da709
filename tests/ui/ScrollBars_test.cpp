// Scroll bars: the layout of a bar's parts, a window's own bars through the platform's calls, a
// scroll-bar control through SB_CTL, and the flat scroll-bar calls found by name.
#include "framework/ui/ScrollBars.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Grids.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"

#include <gtest/gtest.h>

#include <QImage>

QImage* ControlBackingImage(TControl* Control);

namespace {

TEST(ScrollBarLayout, PartsForRangePageAndPosition) {
    struct Case {
        const char* Name;
        int Min, Max, Page, Pos;
        int LastPos;
        TRect Thumb;
    };
    // A vertical bar 17 x 217: arrows of 17, a 183-pixel track.
    const Case Cases[] = {
        {"square thumb at the start", 0, 127, 0, 0, 127, Rect(0, 17, 17, 34)},
        {"square thumb at the end", 0, 127, 0, 127, 127, Rect(0, 183, 17, 200)},
        {"half the range in view", 0, 255, 129, 0, 127, Rect(0, 17, 17, 109)},
        {"a page as long as the range", 0, 10, 11, 0, 0, TRect{}},
        {"tiny page keeps 8 pixels", 0, 100000, 1, 0, 100000, Rect(0, 17, 17, 25)},
    };
    for (const Case& C : Cases) {
        const TScrollBarLayout L(Rect(0, 0, 17, 217), true, C.Min, C.Max, C.Page, C.Pos);
        EXPECT_EQ(L.LastPos(), C.LastPos) << C.Name;
        EXPECT_EQ(L.Part(sbpThumb), C.Thumb) << C.Name;
        EXPECT_EQ(L.Part(sbpFirstArrow), Rect(0, 0, 17, 17)) << C.Name;
        EXPECT_EQ(L.Part(sbpSecondArrow), Rect(0, 200, 17, 217)) << C.Name;
    }
    // Dragging maps the thumb's start back to a position, and the parts are found by point.
    const TScrollBarLayout L(Rect(0, 100, 300, 117), false, 0, 127, 0, 64);
    EXPECT_EQ(L.PosAt(17), 0);
    EXPECT_EQ(L.PosAt(300 - 34), 127);
    EXPECT_EQ(L.PartAt(Point(5, 108)), sbpFirstArrow);
    EXPECT_EQ(L.PartAt(Point(20, 108)), sbpPageBefore);
    EXPECT_EQ(L.PartAt(Point(290, 108)), sbpSecondArrow);
    EXPECT_EQ(L.PartAt(Point(5, 50)), sbpNone);
}

class WindowScrollBarsTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TStringGrid* Grid = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 400, 300);
        Grid = new TStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 300, 200);
        Grid->SetColCount(20);
        Grid->SetRowCount(50);
    }
    HWND wnd() { return Grid->Handle(); }
};

TEST_F(WindowScrollBarsTest, TheGridsBarsAnswerTheCallsAndKeepAProportionalRange) {
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(wnd(), SB_VERT, &Info));
    EXPECT_EQ(Info.nMin, 0);
    EXPECT_EQ(Info.nMax, 127);
    EXPECT_EQ(Info.nPage, 0u);
    Grid->SetTopRow(Grid->RowCount());  // the last page
    EXPECT_EQ(GetScrollPos(wnd(), SB_VERT), 127);

    // A range and page whose positions end at 127 stay through the grid's own updates.
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMin = 0;
    Info.nMax = 255;
    Info.nPage = 129;
    Info.nPos = 300;  // beyond the last position
    EXPECT_EQ(SetScrollInfo(wnd(), SB_VERT, &Info, 1), 127);
    Grid->SetTopRow(Grid->FixedRows());
    Info.fMask = SIF_ALL;
    GetScrollInfo(wnd(), SB_VERT, &Info);
    EXPECT_EQ(Info.nMax, 255);
    EXPECT_EQ(Info.nPage, 129u);
    EXPECT_EQ(Info.nPos, 0);
    // One that does not is replaced by the grid's.
    Info.fMask = SIF_RANGE;
    Info.nMax = 50;
    SetScrollInfo(wnd(), SB_VERT, &Info, 1);
    Grid->SetTopRow(5);
    Info.fMask = SIF_ALL;
    GetScrollInfo(wnd(), SB_VERT, &Info);
    EXPECT_EQ(Info.nMax, 127);
    EXPECT_EQ(Info.nPage, 0u);

    EXPECT_TRUE(ShowScrollBar(wnd(), SB_HORZ, 0));
    EXPECT_FALSE(Grid->ScrollBarVisible(SB_HORZ));
    EXPECT_TRUE(EnableScrollBar(wnd(), SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_FALSE(Grid->ScrollBarEnabled(SB_VERT));
    // A window without bars of its own answers false.
    EXPECT_FALSE(GetScrollInfo(Form->Handle(), SB_VERT, &Info));
}

TEST_F(WindowScrollBarsTest, FlatBarsByNameChangeLookAndWidthOnlyOnceInitialised) {
    HMODULE ComCtl = GetModuleHandle(QStringLiteral("comctl32.dll"));
    ASSERT_NE(ComCtl, nullptr) << "loaded at start-up";
    using TInit = BOOL (*)(HWND);
    using TSetProp = BOOL (*)(HWND, UINT, INT_PTR, BOOL);
    using TUninit = HRESULT (*)(HWND);
    const auto Init = GetProcAddressAs<TInit>(ComCtl, "InitializeFlatSB");
    const auto SetProp = GetProcAddressAs<TSetProp>(ComCtl, "FlatSB_SetScrollProp");
    const auto Uninit = GetProcAddressAs<TUninit>(ComCtl, "UninitializeFlatSB");
    ASSERT_TRUE(Init && SetProp && Uninit);
    const int Client = Grid->ClientWidth();
    EXPECT_FALSE(SetProp(wnd(), WSB_PROP_CXVSCROLL, 30, 1)) << "not flat yet";
    EXPECT_TRUE(Init(wnd()));
    EXPECT_TRUE(SetProp(wnd(), WSB_PROP_CXVSCROLL, 30, 1));
    EXPECT_TRUE(SetProp(wnd(), WSB_PROP_VSTYLE, FSB_FLAT_MODE, 1));
    EXPECT_TRUE(SetProp(wnd(), WSB_PROP_VBKGCOLOR, clRed, 1));
    EXPECT_EQ(Grid->ClientWidth(), Client - (30 - GetSystemMetrics(SM_CXVSCROLL)));
    EXPECT_EQ(Grid->WindowScrollBar(SB_VERT)->Look.Style, FSB_FLAT_MODE);

    // Painted: the flat track in its colour below the thumb.
    Form->Show();
    Grid->Repaint();
    const QImage Image = ControlBackingImage(Grid)->copy();
    const TRect Bar = Grid->ScrollBarRect(SB_VERT);
    const QRgb P = Image.pixel(Bar.Left + 15, Bar.Bottom - 40);
    EXPECT_EQ(RGB(qRed(P), qGreen(P), qBlue(P)), ColorToRGB(clRed));

    EXPECT_EQ(Uninit(wnd()), S_OK);
    EXPECT_EQ(Grid->ClientWidth(), Client);
    EXPECT_EQ(Grid->WindowScrollBar(SB_VERT)->Look.Style, FSB_REGULAR_MODE);
}

TEST(ScrollBarControl, ReachedBySbCtl) {
    TForm Form(nullptr);
    auto* Bar = new TScrollBar(&Form);
    Bar->SetParent(&Form);
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMin = 10;
    Info.nMax = 40;
    Info.nPage = 5;
    Info.nPos = 20;
    EXPECT_EQ(SetScrollInfo(Bar->Handle(), SB_CTL, &Info, 1), 20);
    EXPECT_EQ(Bar->Min(), 10);
    EXPECT_EQ(Bar->Max(), 40);
    EXPECT_EQ(Bar->PageSize(), 5);
    Info = SCROLLINFO{};
    Info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Bar->Handle(), SB_CTL, &Info));
    EXPECT_EQ(Info.nPos, 20);
    EXPECT_EQ(Info.nTrackPos, 20);
    EXPECT_TRUE(EnableScrollBar(Bar->Handle(), SB_CTL, ESB_DISABLE_BOTH));
    EXPECT_FALSE(Bar->Enabled());
}

}  // namespace
