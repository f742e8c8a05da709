// The calculator's button panel on its own: the layout of the 28 buttons, hit tests, hot and
// pressed states driven by mouse messages (clicks only where press and release meet the same
// button, never on a disabled one), and the glossy faces, borders and halo read back as pixels.
#include "components/dropdowns/CalcButtonPanel.h"
#include "framework/ui/ControlWidget.h"
#include "tests/dropdowns/DropDownFixture.h"

#include <QImage>

using namespace advdropdown;
using namespace calcpanel;

namespace {

class ButtonPanelTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        P = new TCustomButtonPanel(Form.get());
        P->SetParent(Form.get());
        P->SetBounds(0, 0, 230, 150);
        P->InitButtons();
        P->OnButtonClick = [this](TObject*, int Index) { Clicks.push_back(Index); };
    }
    void move(int X, int Y) { P->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y)); }
    void press(int X, int Y) { P->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void release(int X, int Y) { P->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    TPoint centre(int Index) const {
        const TRect R = P->GetButtonRect(Index);
        return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    std::unique_ptr<TBitmap> render() {
        P->Invalidate();
        auto B = std::make_unique<TBitmap>(P->Width(), P->Height());
        P->PaintTo(B->Canvas(), 0, 0);
        return B;
    }

    TCustomButtonPanel* P = nullptr;
    std::vector<int> Clicks;
};

TEST_F(ButtonPanelTest, TheCalculatorLayoutAt230By150) {
    ASSERT_EQ(P->Buttons()->Count(), 28);
    TRect Area;
    P->GetButtonArea(Area);
    EXPECT_EQ(Area, Rect(8, 8, 222, 142));
    // Columns of the grid rows, in the order of the rows' first buttons: MC, 7, 8, 9, /, sqrt.
    const int Lefts[] = {8, 46, 79, 112, 150, 183};
    const int Grid[6] = {4, 11, 12, 19, 20, 27};
    for (int C = 0; C < 6; ++C) EXPECT_EQ(P->GetButtonRect(Grid[C]), Rect(Lefts[C], 38, Lefts[C] + 34, 64)) << C;
    // Rows 1 to 4 share their border pixel: tops 38, 63, 88, 113.
    EXPECT_EQ(P->GetButtonRect(5).Top, 63);                     // MR
    EXPECT_EQ(P->GetButtonRect(6).Top, 88);                     // MS
    EXPECT_EQ(P->GetButtonRect(24), Rect(183, 113, 217, 139));  // "="
    EXPECT_EQ(P->GetButtonRect(0), Rect(8, 8, 42, 34));
    EXPECT_EQ(P->GetButtonRect(1), Rect(46, 8, 100, 34));   // Back, 54
    EXPECT_EQ(P->GetButtonRect(2), Rect(104, 8, 158, 34));  // CE, 54
    EXPECT_EQ(P->GetButtonRect(3), Rect(162, 8, 217, 34));  // C, 55
    EXPECT_EQ(P->GetButtonRect(28), Rect(-1, -1, -1, -1));
    // Captions, key codes and the special flag of a few buttons.
    EXPECT_EQ(P->Buttons()->Items(27)->Caption(), QStringLiteral("sqrt"));
    EXPECT_EQ(P->Buttons()->Items(27)->Tag(), 37);
    EXPECT_TRUE(P->Buttons()->Items(27)->Special());
    EXPECT_EQ(P->Buttons()->Items(27)->CaptionColor(), TColor(0x000080));
    EXPECT_FALSE(P->Buttons()->Items(15)->Special());
    EXPECT_EQ(P->Buttons()->Items(15)->Tag(), 14);
    // A resize lays the buttons out again.
    P->SetBounds(0, 0, 242, 155);
    EXPECT_EQ(P->GetButtonRect(4).Right - P->GetButtonRect(4).Left, 36);
}

TEST_F(ButtonPanelTest, HitsExcludeTheRightAndBottomEdges) {
    const TRect R = P->GetButtonRect(11);  // "7" at 46, 38 .. 80, 64
    EXPECT_EQ(P->ButtonAtPos(R.Left, R.Top), 11);
    // The border column shared with "8" (12) and the row shared with "4" (10) belong to the
    // first button in collection order.
    EXPECT_EQ(P->ButtonAtPos(R.Right - 1, R.Top + 5), 11);
    EXPECT_EQ(P->ButtonAtPos(R.Left + 5, R.Bottom - 1), 10);
    EXPECT_EQ(P->ButtonAtPos(R.Right, R.Top + 5), 12);  // the right edge is outside
    EXPECT_EQ(P->ButtonAtPos(R.Left + 5, R.Bottom), 10);
    EXPECT_EQ(P->ButtonAtPos(44, 50), -1);  // the gap between the groups
    EXPECT_EQ(P->ButtonAtPos(3, 3), -1);
}

TEST_F(ButtonPanelTest, PressAndReleaseClickOnlyOnTheSameEnabledButton) {
    const TPoint Seven = centre(11), Eight = centre(12);
    press(Seven.X, Seven.Y);
    EXPECT_EQ(P->ButtonDown(), 11);
    release(Eight.X, Eight.Y);
    EXPECT_EQ(P->ButtonDown(), -1);
    EXPECT_TRUE(Clicks.empty());
    press(Eight.X, Eight.Y);
    release(Eight.X, Eight.Y);
    EXPECT_EQ(Clicks, std::vector<int>{12});

    P->Buttons()->Items(12)->SetEnabled(false);
    move(Seven.X, Seven.Y);
    EXPECT_EQ(P->ButtonHot(), 11);
    // Onto the disabled button: no hot button at all.
    move(Eight.X, Eight.Y);
    EXPECT_EQ(P->ButtonHot(), -1);
    P->SetButtonHot(12);
    EXPECT_EQ(P->ButtonHot(), -1);
    press(Eight.X, Eight.Y);
    release(Eight.X, Eight.Y);
    EXPECT_EQ(P->ButtonDown(), -1);
    EXPECT_EQ(Clicks.size(), 1U);
    // Off every button, and leaving the panel, clears the hot state.
    move(Seven.X, Seven.Y);
    move(44, 50);
    EXPECT_EQ(P->ButtonHot(), -1);
    move(Seven.X, Seven.Y);
    P->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(P->ButtonHot(), -1);
}

TEST_F(ButtonPanelTest, ACustomPanelNeitherMakesNorArrangesButtons) {
    auto* Custom = new TCustomButtonPanel(Form.get());
    Custom->SetParent(Form.get());
    Custom->SetButtonPanelType(plCustom);
    Custom->InitButtons();
    EXPECT_EQ(Custom->Buttons()->Count(), 0);
    TCalcButtonItem* Item = Custom->Buttons()->Add();
    Item->SetBounds(5, 6, 20, 10);
    Custom->SetBounds(0, 0, 230, 150);
    EXPECT_EQ(Custom->GetButtonRect(0), Rect(5, 6, 25, 16));
    P->ResetButtons();
    EXPECT_EQ(P->Buttons()->Count(), 28);
}

TEST_F(ButtonPanelTest, AppearanceCopiesAndTellsItsChanges) {
    TButtonAppearance A;
    EXPECT_EQ(A.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(A.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(A.ColorDisabled(), TColor(0xF2F2F2));
    EXPECT_EQ(A.Font()->Size(), 10);
    EXPECT_TRUE(A.Font()->Style().Contains(fsBold));
    int Changes = 0;
    A.OnChange = [&](TObject*) { ++Changes; };
    A.SetColor(0x112233);
    A.SetColor(0x112233);
    A.SetShineColor(0x445566);
    EXPECT_EQ(Changes, 1);
    TButtonAppearance B;
    B.SetGlowColorHot(clNone);
    B.SetTextColor(0x010203);
    A.Assign(&B);
    EXPECT_EQ(A.GlowColorHot(), clNone);
    EXPECT_EQ(A.Color(), B.Color());
    EXPECT_EQ(A.TextColor(), TColor(0x010203));
    EXPECT_EQ(A.ShineColor(), B.ShineColor());
}

// Channels of a colour seen through a white shine with an alpha in [Low, High].
bool underShine(TColor Seen, TColor Base, int Low, int High) {
    for (int Shift : {0, 8, 16}) {
        const int C = (Base >> Shift) & 0xFF, S = (Seen >> Shift) & 0xFF;
        const int Min = C + (255 - C) * Low / 255 - 1, Max = C + (255 - C) * High / 255 + 1;
        if (S < Min || S > Max) return false;
    }
    return true;
}

TEST_F(ButtonPanelTest, FacesBordersAndTheHaloOfAHotButton) {
    TButtonAppearance* A = P->ButtonAppearance();
    P->SetColor(clWhite);
    A->SetColor(0x804020);
    A->SetColorTo(0x804020);
    A->SetColorHot(0x208040);
    A->SetColorHotTo(0x208040);
    A->SetColorDown(0x402080);
    A->SetColorDownTo(0x402080);
    A->SetBorderColor(0x0000FF);
    A->SetBorderColorHot(0x00FF00);
    A->SetGlowColorHot(0xFF0000);
    A->SetGlowColorDown(0x00FFFF);

    const TRect R = P->GetButtonRect(13);  // "5" in the middle of the grid
    const int MidX = R.Left + 12, Lower = R.Bottom - 5, Upper = R.Top + 6, MidY = (R.Top + R.Bottom) / 2;
    {
        auto B = render();
        TCanvas* C = B->Canvas();
        EXPECT_EQ(C->Pixels(MidX, Lower), TColor(0x804020)) << "the lower half";
        EXPECT_TRUE(underShine(C->Pixels(MidX, Upper), 0x804020, 90, 160)) << std::hex << C->Pixels(MidX, Upper);
        EXPECT_EQ(C->Pixels(R.Left, MidY), TColor(0x0000FF)) << "the border";
        EXPECT_EQ(C->Pixels(R.Left + 1, MidY), TColor(0xE7E0C7)) << "the inner edge";
        EXPECT_EQ(C->Pixels(MidX, R.Top + 1), TColor(0xFFFFFF)) << "the line under the top";
        EXPECT_EQ(C->Pixels(45, MidY), TColor(0xFFFFFF)) << "no halo without a hot button";
    }
    const TRect Seven = P->GetButtonRect(11);
    move(centre(11).X, centre(11).Y);
    {
        auto B = render();
        TCanvas* C = B->Canvas();
        EXPECT_EQ(C->Pixels(Seven.Left + 12, Seven.Bottom - 5), TColor(0x208040)) << "the hot face";
        // The glow to the left of the hot "7" lies in the 4-pixel gap: blue fading to white.
        const TColor Near = C->Pixels(Seven.Left - 1, (Seven.Top + Seven.Bottom) / 2);
        const TColor Far = C->Pixels(Seven.Left - 4, (Seven.Top + Seven.Bottom) / 2);
        EXPECT_NE(Near, TColor(0xFFFFFF));
        EXPECT_GT(GetBValue(Near), GetRValue(Near)) << std::hex << Near;
        EXPECT_GT(GetRValue(Far), GetRValue(Near)) << "fading outwards";
        EXPECT_LT(GetRValue(Far), 255);
    }
    // Hot and pressed: the down colours and the down glow.
    press(centre(11).X, centre(11).Y);
    {
        auto B = render();
        TCanvas* C = B->Canvas();
        EXPECT_EQ(C->Pixels(Seven.Left + 12, Seven.Bottom - 5), TColor(0x402080)) << "the pressed face";
        const TColor Near = C->Pixels(Seven.Left - 1, (Seven.Top + Seven.Bottom) / 2);
        EXPECT_LT(GetBValue(Near), GetRValue(Near)) << std::hex << Near;
    }
    release(-1, -1);
    // Without a glow colour nothing is drawn beside the hot button.
    A->SetGlowColorHot(clNone);
    move(centre(12).X, centre(12).Y);
    move(centre(11).X, centre(11).Y);
    {
        auto B = render();
        EXPECT_EQ(B->Canvas()->Pixels(Seven.Left - 2, (Seven.Top + Seven.Bottom) / 2), TColor(0xFFFFFF));
        EXPECT_EQ(B->Canvas()->Pixels(Seven.Left, (Seven.Top + Seven.Bottom) / 2), TColor(0x00FF00));
    }
}

TEST_F(ButtonPanelTest, AHotButtonIsDrawnAtOnceOutsideThePaint) {
    P->ButtonAppearance()->SetColorHot(0x0000C0);
    P->ButtonAppearance()->SetColorHotTo(0x0000C0);
    Form->Show();
    render();
    move(centre(11).X, centre(11).Y);
    // What the window shows now, before any paint pass.
    const QImage Shown = ControlBackingImage(P)->copy();
    const TRect Seven = P->GetButtonRect(11);
    EXPECT_EQ(Shown.pixelColor(Seven.Left + 12, Seven.Bottom - 5).rgb() & 0xFFFFFF, 0xC00000U);
}

}  // namespace
