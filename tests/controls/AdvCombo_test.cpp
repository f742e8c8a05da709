#include "components/controls/AdvCombo.h"
#include "components/controls/HTMLCheckBox.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"
#include "tests/support/Ink.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>
#include <QTest>

using namespace advcombo;

namespace {

// Reaches the control's own painting (frame, button, hint), without the Qt box's text on top.
class TProbeCombo : public TAdvComboBox {
public:
    using TAdvComboBox::EditFieldRect;
    using TAdvComboBox::TAdvComboBox;
    std::unique_ptr<TBitmap> ownPainting() {
        auto B = std::make_unique<TBitmap>(Width(), Height());
        B->Canvas()->Brush()->SetColor(clWhite);
        B->Canvas()->FillRect(Rect(0, 0, Width(), Height()));
        PaintWindow(B->Canvas()->Handle());
        return B;
    }
    void moveMouse(int X) { Perform(WM_MOUSEMOVE, 0, MAKELPARAM(X, 5)); }
};

int pixelsOf(TBitmap& B, const TRect& R, TColor Colour) {
    int N = 0;
    for (int Y = std::max(0, R.Top); Y < std::min(B.Height(), R.Bottom); ++Y)
        for (int X = std::max(0, R.Left); X < std::min(B.Width(), R.Right); ++X)
            if (B.Canvas()->Pixels(X, Y) == ColorToRGB(Colour)) ++N;
    return N;
}

// The grey hint's ink on the white field, however the font smooths it.
int hintPixels(TBitmap& B, const TRect& R) {
    const TRect In =
        Rect(std::max(0, R.Left), std::max(0, R.Top), std::min(B.Width(), R.Right), std::min(B.Height(), R.Bottom));
    return InkPixels([&](int X, int Y) { return B.Canvas()->Pixels(X, Y); }, In, clWhite,
                     static_cast<TColor>(0x808080));
}

class AdvComboTest : public ::testing::Test {
protected:
    TPlatformFactsScope Facts;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TProbeCombo* Box = nullptr;
    std::vector<std::string> Events;

    void SetUp() override {
        Form->SetBounds(0, 0, 420, 240);
        Form->SetCaption(QStringLiteral("AdvComboTest"));
        Box = new TProbeCombo(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(150, 80, 150, 21);
        for (const char* S : {"Auto", "Quillory", "Vimeo"}) Box->Items()->Add(QString::fromLatin1(S));
        Box->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Box->ItemIndex())); };
    }
    void show() {
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
    }
};

TEST_F(AdvComboTest, ButtonWidthKeepsToItsRange) {
    EXPECT_EQ(Box->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
    const struct { int Set, Kept; } Cases[] = {{14, 14}, {13, 14}, {32, 32}, {33, 32}, {0, 32}};
    for (const auto& C : Cases) {
        Box->SetButtonWidth(C.Set);
        EXPECT_EQ(Box->ButtonWidth(), C.Kept) << C.Set;
    }
    EXPECT_EQ(Box->Version(), QStringLiteral("1.6.2.1"));
    Box->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(Box->Version(), QStringLiteral("1.6.2.1"));
}

TEST_F(AdvComboTest, SelectItemByText) {
    Box->SetItemIndex(0);
    Box->SelectItem(QStringLiteral("Nowhere"));
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_TRUE(Events.empty());
    Box->SelectItem(QStringLiteral("Vimeo"));
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Box->Text(), QStringLiteral("Vimeo"));
    EXPECT_EQ(Events, (std::vector<std::string>{"change 2"}));
}

TEST_F(AdvComboTest, LabelStandsInThirteenPlaces) {
    Box->SetLabelCaption(QStringLiteral("Site:"));
    TLabel* L = Box->ComboLabel();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->Parent(), Form.get());
    EXPECT_EQ(L->FocusControl(), Box);
    const int LW = L->Width(), LH = L->Height(), W = LW;  // an auto-sized label is as wide as its caption
    ASSERT_GT(LW, 0);
    const int T = 80, Lf = 150, Wd = 150, H = Box->Height(), M = 4;
    const int Centre = T + (H - LH) / 2, Bottom = T + H - LH;
    const struct {
        TLabelPosition Position;
        int Left, Top;
    } Places[] = {
        {lpLeftTop, Lf - W - M, T},
        {lpLeftCenter, Lf - W - M, Centre},
        {lpLeftBottom, Lf - W - M, Bottom},
        {lpTopLeft, Lf, T - LH - M},
        {lpBottomLeft, Lf, T + H + M},
        {lpLeftTopLeft, Lf - M, T},
        {lpLeftCenterLeft, Lf - M, Centre},
        {lpLeftBottomLeft, Lf - M, Bottom},
        {lpTopCenter, Lf + (Wd - LW) / 2, T - LH - M},
        {lpBottomCenter, Lf + (Wd - LW) / 2, T + H + M},
        {lpRightTop, Lf + Wd + M, T},
        {lpRightCenter, Lf + Wd + M, Centre},
        {lpRighBottom, Lf + Wd + M, Bottom},
    };
    for (const auto& P : Places) {
        Box->SetLabelPosition(P.Position);
        EXPECT_EQ(L->Left(), P.Left) << P.Position;
        EXPECT_EQ(L->Top(), P.Top) << P.Position;
    }
    // A label wider than the box is centred over it, its left before the box's.
    Box->SetLabelPosition(lpTopCenter);
    Box->SetLabelCaption(QStringLiteral("The site the address is read from, in full"));
    ASSERT_GT(L->Width(), Wd);
    EXPECT_EQ(L->Left(), Lf + (Wd - L->Width()) / 2);
    EXPECT_LT(L->Left(), Lf);
    // The label moves and hides with the box.
    Box->SetLeft(160);
    EXPECT_EQ(L->Left(), 160 + (Wd - L->Width()) / 2);
    Box->SetVisible(false);
    EXPECT_FALSE(L->Visible());
}

TEST_F(AdvComboTest, AlignedBoxMakesRoomForItsLabel) {
    Box->SetLabelCaption(QStringLiteral("Format:"));
    const int LW = Box->ComboLabel()->Width() + Box->LabelMargin();
    Box->SetAlign(alTop);
    EXPECT_EQ(Box->Left(), LW);
    EXPECT_EQ(Box->Width(), Form->ClientWidth() - LW);
}

TEST_F(AdvComboTest, LabelFollowsEnabledUnlessAlwaysEnabled) {
    Box->SetLabelCaption(QStringLiteral("Site:"));
    TLabel* L = Box->ComboLabel();
    Box->SetEnabled(false);
    EXPECT_FALSE(L->Enabled());
    // The same value again leaves the label alone.
    L->SetEnabled(true);
    Box->SetEnabled(false);
    EXPECT_TRUE(L->Enabled());
    Box->SetEnabled(true);
    EXPECT_TRUE(L->Enabled());

    Box->SetLabelAlwaysEnabled(true);
    Box->SetEnabled(false);
    EXPECT_TRUE(L->Enabled());
    Box->SetEnabled(true);
    EXPECT_TRUE(L->Enabled());
}

TEST_F(AdvComboTest, GreyHintWhileEmpty) {
    Box->SetStyle(csDropDown);
    Box->SetEmptyText(QStringLiteral("Choose"));
    TEdit* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(150, 140, 150, 21);
    show();
    Other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    const TRect Field = Box->EditFieldRect();
    const TRect Hint = Rect(Field.Left + 3, Field.Top + 1, Field.Right, Field.Bottom);
    auto Empty = Box->ownPainting();
    EXPECT_GT(hintPixels(*Empty, Hint), 10);
    EXPECT_EQ(pixelsOf(*Empty, Rect(0, 0, Hint.Left, Box->Height()), static_cast<TColor>(0x808080)), 0);
    // Focused, the hint goes unless EmptyTextFocused keeps it.
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    EXPECT_EQ(hintPixels(*Box->ownPainting(), Hint), 0);
    Box->SetEmptyTextFocused(true);
    EXPECT_GT(hintPixels(*Box->ownPainting(), Hint), 10);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a"));
    EXPECT_EQ(Box->Text(), QStringLiteral("a"));
    EXPECT_EQ(hintPixels(*Box->ownPainting(), Hint), 0);
}

TEST_F(AdvComboTest, ReturnIsTabMovesOnWithoutAnEnterCharacter) {
    Box->SetStyle(csDropDown);
    Box->SetReturnIsTab(true);
    TEdit* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(150, 140, 150, 21);
    std::vector<int> Chars;
    Box->OnKeyPress = [&](TObject*, Char& Key) { Chars.push_back(Key.unicode()); };
    show();
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    EXPECT_EQ(Chars, (std::vector<int>{'x'}));

    // Without it Enter stays in the box as a character.
    Box->SetReturnIsTab(false);
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (int I = 0; I < 5; ++I) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Chars, (std::vector<int>{'x', VK_RETURN}));
}

// The frame's colour at the box's left edge.
TColor frameColour(TProbeCombo* Box) { return Box->ownPainting()->Canvas()->Pixels(0, 10); }

TEST_F(AdvComboTest, FramesByState) {
    TEdit* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(150, 140, 150, 21);
    show();
    Other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    const TColor Plain = frameColour(Box);

    // Only a focus colour: no frame of it until the box has the focus.
    Box->SetFocusBorderColor(clRed);
    EXPECT_EQ(frameColour(Box), Plain);
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    EXPECT_EQ(frameColour(Box), ColorToRGB(clRed));
    Box->SetBorderColor(clBlue);
    EXPECT_EQ(frameColour(Box), ColorToRGB(clRed)) << "the focus colour wins while focused";
    Other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    EXPECT_EQ(frameColour(Box), ColorToRGB(clBlue));

    // Disabled under the version-6 controls without DisabledBorder: the themed grey-blue line.
    const TColor Themed = ColorToRGB(static_cast<TColor>(0xB99D7F));
    Box->SetEnabled(false);
    EXPECT_EQ(frameColour(Box), ColorToRGB(clBlue));
    Box->SetDisabledBorder(false);
    EXPECT_EQ(frameColour(Box), Themed);
    Box->SetThemed(false);
    EXPECT_EQ(frameColour(Box), ColorToRGB(clBlue));
}

TEST_F(AdvComboTest, CustomButtonColoursAndArrow) {
    Box->SetButtonColor(clYellow);
    Box->SetButtonColorHot(clLime);
    Box->SetButtonBorderColor(clRed);
    Box->SetButtonTextColor(clNavy);
    const TRect B = Box->DropDownButtonRect();
    EXPECT_EQ(B, Rect(150 - Box->ButtonWidth() + 3, 1, 149, Box->Height() - 1));
    auto P = Box->ownPainting();
    TCanvas* C = P->Canvas();
    EXPECT_EQ(C->Pixels(B.Left, B.Top + 3), ColorToRGB(clRed));
    EXPECT_EQ(C->Pixels(B.Left + 2, B.Top + 2), ColorToRGB(clYellow));
    // The arrow's corners (L+4, T+7), (L+10, T+7), (L+7, T+10).
    for (TPoint Corner : {Point(B.Left + 4, B.Top + 7), Point(B.Left + 10, B.Top + 7), Point(B.Left + 7, B.Top + 10)})
        EXPECT_EQ(C->Pixels(Corner.X, Corner.Y), ColorToRGB(clNavy)) << Corner.X << "," << Corner.Y;
    EXPECT_EQ(C->Pixels(B.Left + 7, B.Top + 11), ColorToRGB(clYellow));
    EXPECT_EQ(C->Pixels(B.Left + 3, B.Top + 7), ColorToRGB(clYellow));

    // Hovering: strictly between Width - ButtonWidth and Width.
    const struct {
        int X;
        bool Hover;
    } Moves[] = {{150 - Box->ButtonWidth(), false}, {150 - Box->ButtonWidth() + 1, true}, {149, true}, {40, false}};
    for (const auto& M : Moves) {
        Box->moveMouse(M.X);
        EXPECT_EQ(Box->ButtonHover(), M.Hover) << M.X;
    }
    Box->moveMouse(140);
    EXPECT_EQ(Box->ownPainting()->Canvas()->Pixels(B.Left + 2, B.Top + 2), ColorToRGB(clLime));
    Box->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Box->ButtonHover());
}

TEST_F(AdvComboTest, FlatLookTakesTheParentsColour) {
    Form->SetColor(clTeal);
    Box->SetFlat(true);
    EXPECT_FALSE(Box->Ctl3D());
    EXPECT_EQ(Box->Color(), clTeal);
    auto P = Box->ownPainting();
    EXPECT_EQ(P->Canvas()->Pixels(0, 5), ColorToRGB(clTeal));
    EXPECT_EQ(P->Canvas()->Pixels(20, Box->Height() - 1), ColorToRGB(clBlack)) << "the flat line";
    // Disabled, a flat box keeps its parent's colour; enabled again it gets its own back.
    Box->SetColor(clYellow);
    Box->SetEnabled(false);
    EXPECT_EQ(Box->Color(), clTeal);
    Box->SetEnabled(true);
    EXPECT_EQ(Box->Color(), clYellow);
    Box->SetFlat(false);
    EXPECT_TRUE(Box->Ctl3D());
    EXPECT_EQ(Box->Color(), clWindow);
}

TEST_F(AdvComboTest, FocusColoursComeAndGo) {
    Box->SetLabelCaption(QStringLiteral("Site:"));
    Box->SetFocusColor(clInfoBk);
    Box->SetFocusFontColor(clRed);
    Box->SetFocusLabel(true);
    Box->SetColor(clYellow);
    TEdit* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(150, 140, 150, 21);
    show();
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    EXPECT_EQ(Box->Color(), clInfoBk);
    EXPECT_EQ(Box->Font()->Color(), clRed);
    EXPECT_TRUE(Box->ComboLabel()->Font()->Style().Contains(fsBold));
    Other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    EXPECT_EQ(Box->Color(), clYellow);
    EXPECT_EQ(Box->Font()->Color(), clWindowText);
    EXPECT_FALSE(Box->ComboLabel()->Font()->Style().Contains(fsBold));

    // AutoFocus: the pointer coming in takes the focus.
    Box->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(Other->Focused());
    Box->SetAutoFocus(true);
    Box->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Box->Focused(); }));
}

TEST_F(AdvComboTest, DropUpAndDropWidth) {
    int DropUps = 0;
    Box->OnDropUp = [&](TObject*) { ++DropUps; };
    Box->SetStyle(csDropDownList);
    Box->SetDropWidth(260);
    EXPECT_EQ(Box->Perform(CB_GETDROPPEDWIDTH, 0, 0), 260);
    show();
    Box->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return Box->DroppedDown(); }));
    Box->SetDroppedDown(false);
    EXPECT_EQ(DropUps, 1);
}

TEST_F(AdvComboTest, LabelFontGrowsWithTheScreen) {
    Screen->SetPixelsPerInch(144);
    for (bool ParentFont : {false, true}) {
        auto* B = new TAdvComboBox(Form.get());
        B->SetParent(Form.get());
        B->SetParentFont(ParentFont);
        B->LabelFont()->SetHeight(-11);
        B->SetLabelCaption(QStringLiteral("Site:"));
        B->HandleNeeded();
        const int Expected = ParentFont ? -11 : static_cast<int>(Round(DPIScaleFactor() * -11));
        EXPECT_EQ(B->LabelFont()->Height(), Expected) << ParentFont;
        if (!ParentFont) {
            EXPECT_LT(Expected, -11) << "a larger font at 144 pixels per inch";
        }
        // Made again, the window scales from the designed height, not from the last one.
        B->SetStyle(csDropDownList);
        EXPECT_EQ(B->LabelFont()->Height(), Expected) << ParentFont;
    }
    Screen->SetPixelsPerInch(96);
}

// The main window's two selectors, switched off while a download runs and on again.
TEST(AdvComboBoxes, TwoListBoxesSwitchedWithTheirLabels) {
    TPlatformFactsScope Facts;
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 420, 200);
    TAdvComboBox* Boxes[2];
    const char* Captions[] = {"Site", "Format"};
    for (int I = 0; I < 2; ++I) {
        Boxes[I] = new TAdvComboBox(&Form);
        Boxes[I]->SetParent(&Form);
        Boxes[I]->SetStyle(csDropDownList);
        Boxes[I]->SetBounds(80, 20 + 40 * I, 150, 21);
        Boxes[I]->SetLabelCaption(QString::fromLatin1(Captions[I]));
        Boxes[I]->Items()->Add(QStringLiteral("first"));
        Boxes[I]->SetItemIndex(0);
    }
    for (bool On : {false, true, false, true}) {
        for (TAdvComboBox* B : Boxes) B->SetEnabled(On);
        for (TAdvComboBox* B : Boxes) {
            EXPECT_EQ(B->Enabled(), On);
            EXPECT_EQ(B->ComboLabel()->Enabled(), On);
            EXPECT_EQ(B->ItemIndex(), 0);
        }
    }
}

}  // namespace
