#include "framework/ui/Buttons.h"

#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "tests/support/Ink.h"
#include "tests/support/PanelFixture.h"

#include <gtest/gtest.h>

namespace {

class SpeedButtonTest : public PanelFixture {
protected:
    SpeedButtonTest() : PanelFixture(200, TTestPointer::Real) {}

    std::vector<std::string> Events;

    TSpeedButton* button(int Left, int GroupIndex = 0) {
        auto* B = new TSpeedButton(Form.get());
        B->SetParent(Panel);
        B->SetBounds(Left, 10, 40, 30);
        B->SetGroupIndex(GroupIndex);
        B->SetCaption(QStringLiteral("Go"));
        B->OnClick = [this, B](TObject* Sender) {
            EXPECT_EQ(Sender, B);
            Events.push_back("click");
        };
        return B;
    }
    static void press(TSpeedButton* B, int X, int Y) { B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    static void release(TSpeedButton* B, int X, int Y) { B->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
};

TEST_F(SpeedButtonTest, ClickOnlyWhenReleasedInside) {
    const struct {
        const char* Name;
        bool Enabled;
        int UpX, UpY;
        int Clicks;
    } Cases[] = {
        {"inside", true, 20, 15, 1},
        {"dragged out", true, 60, 15, 0},
        {"disabled", false, 20, 15, 0},
    };
    for (const auto& C : Cases) {
        Events.clear();
        TSpeedButton* B = button(10);
        B->SetEnabled(C.Enabled);
        press(B, 20, 15);
        if (C.Enabled) {
            EXPECT_EQ(B->State(), bsDown) << C.Name;
        }
        B->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(C.UpX, C.UpY));
        release(B, C.UpX, C.UpY);
        EXPECT_EQ(int(Events.size()), C.Clicks) << C.Name;
        EXPECT_EQ(B->State(), C.Enabled ? bsUp : bsDisabled) << C.Name;
        EXPECT_FALSE(B->Down()) << C.Name << ": a plain button never stays down";
        B->Free();
    }
}

TEST_F(SpeedButtonTest, GroupKeepsOneButtonDown) {
    TSpeedButton* A = button(0, 1);
    TSpeedButton* B = button(50, 1);
    TSpeedButton* Other = button(100, 2);
    Other->SetDown(true);
    press(A, 5, 5);
    release(A, 5, 5);
    EXPECT_TRUE(A->Down());
    press(B, 5, 5);
    release(B, 5, 5);
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    EXPECT_TRUE(Other->Down()) << "another group is left alone";
    // Without AllowAllUp the last down button stays down.
    press(B, 5, 5);
    release(B, 5, 5);
    EXPECT_TRUE(B->Down());
    B->SetAllowAllUp(true);
    press(B, 5, 5);
    release(B, 5, 5);
    EXPECT_FALSE(B->Down());
    EXPECT_EQ(Events.size(), 4u);
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsFrameOnlyWhenHotOrDown) {
    TSpeedButton* B = button(10);
    B->SetFlat(true);
    B->SetColor(clWhite);
    B->SetCaption(String());
    auto Idle = render();
    EXPECT_EQ(Idle->Canvas()->Pixels(10, 10), ColorToRGB(clWhite)) << "no frame while idle";
    EXPECT_EQ(Idle->Canvas()->Pixels(30, 25), ColorToRGB(clWhite));

    B->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(B->MouseInControl());
    auto Hot = render();
    EXPECT_EQ(Hot->Canvas()->Pixels(10, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Hot->Canvas()->Pixels(49, 39), ColorToRGB(clBtnShadow));

    press(B, 5, 5);
    auto Down = render();
    EXPECT_EQ(Down->Canvas()->Pixels(10, 10), ColorToRGB(clBtnShadow)) << "sunken while pressed";
    EXPECT_NE(Down->Canvas()->Pixels(30, 25), ColorToRGB(clWhite)) << "the face darkens";
    release(B, 5, 5);
    B->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(render()->Canvas()->Pixels(10, 10), ColorToRGB(clWhite));
}

TEST_F(SpeedButtonTest, CaptionIsDrawnAndGreyWhenDisabled) {
    TSpeedButton* B = button(10);
    B->SetColor(clWhite);
    B->Font()->SetColor(clBlack);
    // The darkest pixel of the caption: its ink, however the face smooths its edges.
    auto darkestInk = [&] {
        auto Bitmap = render();
        return DarkestChannel([&](int X, int Y) { return Bitmap->Canvas()->Pixels(X, Y); }, Rect(10, 12, 50, 38));
    };
    EXPECT_LE(darkestInk(), 0x30) << "black caption";
    B->SetEnabled(false);
    const int Grey = GetRValue(ColorToRGB(clGrayText));
    EXPECT_NEAR(darkestInk(), Grey, 0x10) << "grey caption, nothing darker";
}

}  // namespace
