#include "components/controls/AdvToolButton.h"

#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "tests/support/Ink.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ToolButtonPaintingTest : public PanelFixture {
protected:
    ToolButtonPaintingTest() : PanelFixture(240, TTestPointer::FarAway) {}

    TAdvToolButton* button(int Width = 40, int Height = 30) {
        auto* B = new TAdvToolButton(Form.get());
        B->SetParent(Panel);
        B->SetBounds(0, 0, Width, Height);
        B->SetColor(0x101010);
        B->SetColorTo(clNone);
        B->SetColorHot(0x00C000);
        B->SetColorHotTo(clNone);
        B->SetColorDown(0xC00000);
        B->SetColorDownTo(clNone);
        B->SetColorChecked(0x0000A0);
        B->SetColorCheckedTo(clNone);
        return B;
    }
    static int count(TBitmap* Img, const TRect& Area, TColor Color) {
        int N = 0;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) N += Img->Canvas()->Pixels(X, Y) == Color;
        return N;
    }
    static int lightness(TColor C) { return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF); }
    static void press(TAdvToolButton* B) { B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
    static void release(TAdvToolButton* B) { B->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5)); }
};

TEST_F(ToolButtonPaintingTest, EachStateFillsWithItsColour) {
    const struct {
        const char* Name;
        bool Flat;
        int Group;
        TAdvToolButtonStyle Style;
        bool Down, Hot, Pressed, Enabled;
        TColor Fill;
    } Cases[] = {
        {"normal", true, 0, tasButton, false, false, false, true, 0x101010},
        {"disabled", true, 0, tasButton, false, false, false, false, 0x101010},
        {"hot", true, 0, tasButton, false, true, false, true, 0x00C000},
        {"hot and pressed", true, 0, tasButton, false, true, true, true, 0xC00000},
        {"down check button", true, 0, tasCheck, true, false, false, true, 0x0000A0},
        {"down check button, hot", true, 0, tasCheck, true, true, false, true, 0x0000A0},
        {"down in a group", true, 1, tasButton, true, false, false, true, 0x0000A0},
        {"down in a group, not flat", false, 1, tasButton, true, false, false, true, 0x0000A0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TAdvToolButton* B = button();
        B->SetFlat(C.Flat);
        B->SetGroupIndex(C.Group);
        B->SetStyle(C.Style);
        B->SetDown(C.Down);
        B->SetEnabled(C.Enabled);
        if (C.Hot) B->Perform(CM_MOUSEENTER, 0, 0);
        ASSERT_EQ(B->MouseInControl(), C.Hot);
        if (C.Pressed) press(B);
        auto Img = render();
        EXPECT_EQ(Img->Canvas()->Pixels(20, 15), C.Fill);
        if (C.Pressed) release(B);
        B->Free();
    }
}

TEST_F(ToolButtonPaintingTest, NotFlatFrameIsRaisedThenSunkenAndTheContentMoves) {
    TAdvToolButton* B = button(60, 30);
    B->SetFlat(false);
    auto G = squareGlyph(clRed, 2, 8);
    B->SetGlyph(G.get());
    B->SetCaption(QStringLiteral("HIH"));
    const TRect Inside = Rect(3, 3, 57, 27);
    auto isRed = [](TColor C) { return C == clRed; };
    auto isText = [](TColor C) { return lightness(C) < 150; };

    auto Up = render();
    EXPECT_GT(lightness(Up->Canvas()->Pixels(30, 0)), lightness(Up->Canvas()->Pixels(30, 29))) << "raised";
    EXPECT_GT(lightness(Up->Canvas()->Pixels(0, 15)), lightness(Up->Canvas()->Pixels(59, 15))) << "raised";
    const TRect GlyphUp = BoundsOf(Up.get(), Inside, isRed);
    const TRect TextUp = BoundsOf(Up.get(), Inside, isText);
    ASSERT_FALSE(GlyphUp.IsEmpty());
    ASSERT_FALSE(TextUp.IsEmpty());

    press(B);
    EXPECT_EQ(B->State(), bsDown);
    auto Pushed = render();
    release(B);
    EXPECT_LT(lightness(Pushed->Canvas()->Pixels(30, 0)), lightness(Pushed->Canvas()->Pixels(30, 29))) << "sunken";
    EXPECT_LT(lightness(Pushed->Canvas()->Pixels(0, 15)), lightness(Pushed->Canvas()->Pixels(59, 15))) << "sunken";
    const TRect GlyphDown = BoundsOf(Pushed.get(), Inside, isRed);
    const TRect TextDown = BoundsOf(Pushed.get(), Inside, isText);
    EXPECT_EQ(GlyphDown.Left, GlyphUp.Left + 1);
    EXPECT_EQ(GlyphDown.Top, GlyphUp.Top + 1);
    EXPECT_EQ(TextDown.Left, TextUp.Left + 1);
    EXPECT_EQ(TextDown.Top, TextUp.Top + 1);
}

TEST_F(ToolButtonPaintingTest, DisabledCaptionIsEmbossedUnlessDownInAGroup) {
    const TColor Highlight = ColorToRGB(clBtnHighlight), Shadow = ColorToRGB(clBtnShadow);
    const struct {
        const char* Name;
        bool Enabled;
        int Group;
        bool Down;
        bool Embossed;
    } Cases[] = {
        {"enabled", true, 0, false, false},
        {"disabled", false, 0, false, true},
        {"disabled, down in a group", false, 1, true, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TAdvToolButton* B = button(80, 30);
        B->SetColor(0x00FF00);
        B->SetCaption(QStringLiteral("HIH"));
        B->SetGroupIndex(C.Group);
        B->SetDown(C.Down);
        B->SetEnabled(C.Enabled);
        auto Img = render();
        const TRect Inside = Rect(2, 2, 78, 28);
        const TColor FontColor = ColorToRGB(B->Font()->Color());
        // Ink laid over the green face, however the font smooths it.
        const auto Ink = [&](TColor Colour) {
            return InkPixels([&](int X, int Y) { return Img->Canvas()->Pixels(X, Y); }, Inside, 0x00FF00, Colour);
        };
        if (C.Embossed) {
            EXPECT_GT(Ink(Highlight), 0);
            EXPECT_GT(Ink(Shadow), 0);
            EXPECT_EQ(Ink(FontColor), 0);
        } else {
            EXPECT_GT(Ink(FontColor), 0);
            EXPECT_EQ(Ink(Shadow), 0);
            EXPECT_EQ(Ink(Highlight), 0);
        }
        B->Free();
    }
}

TEST_F(ToolButtonPaintingTest, DisabledButtonDrawsTheGreyGlyph) {
    TAdvToolButton* B = button();
    B->SetMargin(0);
    auto G = squareGlyph(clRed, 2, 8);
    B->SetGlyph(G.get());
    B->SetEnabled(false);
    auto Img = render();
    // R = (2, 2, 38, 28): the glyph at (2, 10); its red turns ((255 + 0 + 0) / 3) / 2 + 96 = 138.
    EXPECT_EQ(Img->Canvas()->Pixels(2 + 5, 10 + 5), RGB(138, 138, 138));
    EXPECT_EQ(count(Img.get(), Rect(0, 0, 40, 30), clRed), 0);
}

TEST_F(ToolButtonPaintingTest, ImageListGlyphOnlyWithAnIndex) {
    auto* Images = new TImageList(Form.get(), 12, 12);
    TBitmap Source(12, 12);
    Source.Canvas()->Brush()->SetColor(clWhite);
    Source.Canvas()->FillRect(Rect(0, 0, 12, 12));
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect(Rect(2, 2, 10, 10));
    Images->AddMasked(&Source, clWhite);

    TAdvToolButton* Plain = button(80, 30);
    Plain->SetCaption(QStringLiteral("Go"));
    auto Alone = render();
    Plain->SetImages(Images);
    auto WithList = render();
    const TRect Area = Rect(0, 0, 80, 30);
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
        for (int X = Area.Left; X < Area.Right; ++X)
            ASSERT_EQ(WithList->Canvas()->Pixels(X, Y), Alone->Canvas()->Pixels(X, Y)) << X << "," << Y;
    // The caption centred alone: no glyph, no spacing.
    const TToolButtonLayout L = Plain->CalcButtonLayout(Rect(0, 0, 80, 30), 0);
    EXPECT_EQ(L.TextBounds.Left, (80 - L.TextBounds.Width() + 1) / 2);

    Plain->SetImageIndex(0);
    auto Shown = render();
    EXPECT_GT(count(Shown.get(), Area, clRed), 0);
    Plain->SetEnabled(false);
    auto Greyed = render();
    EXPECT_EQ(count(Greyed.get(), Area, clRed), 0) << "the list's disabled look";
    // The image moves the caption to its right.
    EXPECT_GT(Plain->CalcButtonLayout(Rect(0, 0, 80, 30), 0).TextBounds.Left, L.TextBounds.Left);
}

TEST_F(ToolButtonPaintingTest, CalcButtonLayoutWithOneOfMarginAndSpacingComputed) {
    TAdvToolButton* B = button(100, 40);
    auto G = squareGlyph(clRed, 2, 8);
    B->SetGlyph(G.get());
    B->SetCaption(QStringLiteral("Go"));
    const TRect R = Rect(0, 0, 100, 40);
    const TToolButtonLayout Probe = B->CalcButtonLayout(R, 0);
    const int Tw = Probe.TextBounds.Width(), Th = Probe.TextBounds.Height();
    const struct {
        const char* Name;
        TButtonLayout Layout;
        int Margin, Spacing;
        int GlyphAlong, TextAlong;  // x for left/right, y for top/bottom
    } Cases[] = {
        {"left, spacing computed", blGlyphLeft, 3, -1, 3, 3 + 10 + (100 - 3 - 10 - Tw) / 2},
        {"right, spacing computed", blGlyphRight, 3, -1, 87, 87 - (100 - 3 - 10 - Tw) / 2 - Tw},
        {"left, margin computed", blGlyphLeft, -1, 4, (100 - (10 + 4 + Tw) + 1) / 2,
         (100 - (10 + 4 + Tw) + 1) / 2 + 10 + 4},
        {"top, spacing computed", blGlyphTop, 2, -1, 2, 2 + 10 + (40 - 2 - 10 - Th) / 2},
        {"bottom, margin computed", blGlyphBottom, -1, 3, 40 - (40 - (10 + 3 + Th) + 1) / 2 - 10,
         40 - (40 - (10 + 3 + Th) + 1) / 2 - 10 - 3 - Th},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        B->SetLayout(C.Layout);
        B->SetMargin(C.Margin);
        B->SetSpacing(C.Spacing);
        const TToolButtonLayout L = B->CalcButtonLayout(R, 0);
        const bool Horizontal = C.Layout == blGlyphLeft || C.Layout == blGlyphRight;
        EXPECT_EQ(Horizontal ? L.GlyphPos.X : L.GlyphPos.Y, C.GlyphAlong);
        EXPECT_EQ(Horizontal ? L.TextBounds.Left : L.TextBounds.Top, C.TextAlong);
        EXPECT_EQ(Horizontal ? L.GlyphPos.Y : L.GlyphPos.X, Horizontal ? (40 - 10 + 1) / 2 : (100 - 10 + 1) / 2);
    }
}

TEST_F(ToolButtonPaintingTest, DropDownArrowAndSplitLine) {
    const struct {
        const char* Name;
        bool Split, Hot;
        TColor AtLine;
    } Cases[] = {
        {"hot, split", true, true, 0x0000C0},
        {"hot, no split", false, true, 0x00C000},
        {"not hot", true, false, 0x101010},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TAdvToolButton* B = button(40, 30);
        B->SetBorderHotColor(0x0000C0);
        B->SetBorderDownColor(0xC000C0);  // keeps R at the full size while hot
        B->SetDropDownButton(true);
        B->SetDropDownSplit(C.Split);
        if (C.Hot) B->Perform(CM_MOUSEENTER, 0, 0);
        auto Img = render();
        EXPECT_EQ(Img->Canvas()->Pixels(28, 10), C.AtLine);
        EXPECT_EQ(Img->Canvas()->Pixels(27, 10), C.Hot ? TColor(0x00C000) : TColor(0x101010));
        // The arrow: R = (1, 1, 39, 29), mid 15, corners (31, 14), (35, 14), (33, 16).
        EXPECT_EQ(Img->Canvas()->Pixels(33, 14), ColorToRGB(B->Font()->Color()));
        EXPECT_EQ(Img->Canvas()->Pixels(33, 12), C.Hot ? TColor(0x00C000) : TColor(0x101010));
        B->Free();
    }
}

}  // namespace
