#include "components/controls/AdvMenuDraw.h"

#include "components/controls/AdvMenuStylers.h"
#include "framework/ui/GdiObjects.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace advmenu;

namespace {

TColor grey(int V) { return RGB(V, V, V); }

// The pixel of a 32-bit bitmap as B, G, R, A bytes.
std::array<int, 4> bytesAt(TBitmap* B, int X, int Y) {
    const auto* P = static_cast<const Byte*>(B->ScanLine(Y)) + 4 * X;
    return {P[0], P[1], P[2], P[3]};
}

TEST(MenuRectRoutines, CenterSizeAndBounds) {
    const struct {
        TRect In;
        int W, H;
        TRect Out;
    } Cases[] = {
        {Rect(0, 0, 10, 10), 4, 4, Rect(3, 3, 7, 7)},
        {Rect(0, 0, 11, 11), 4, 2, Rect(3, 4, 7, 6)},
        {Rect(-10, -10, 0, 0), 3, 3, Rect(-6, -6, -3, -3)},  // (−10 + 0 + 3) div 2 truncates to −3
        {Rect(0, 0, 4, 4), 10, 10, Rect(-3, -3, 7, 7)},
    };
    for (const auto& C : Cases) {
        TRect R = C.In;
        CenterRectSize(R, C.W, C.H);
        EXPECT_EQ(R, C.Out) << C.In.Left << "," << C.In.Top << " " << C.W << "x" << C.H;
    }
    EXPECT_EQ(GraphicBounds(nullptr), Rect(0, 0, 0, 0));
    TBitmap B(7, 5);
    EXPECT_EQ(GraphicBounds(&B), Rect(0, 0, 7, 5));
    EXPECT_EQ(RectWidth(Rect(3, 1, 10, 4)), 7);
    EXPECT_EQ(RectHeight(Rect(3, 1, 10, 4)), 3);
}

TEST(MenuColourRoutines, SplitResolvesSystemColoursAndMakeRGBAPacksRedLow) {
    SetSysColor(8, RGB(10, 20, 30));
    Byte R = 0, G = 0, B = 0;
    SplitColor(clWindowText, R, G, B);
    ResetSysColors();
    EXPECT_EQ((std::array<int, 3>{R, G, B}), (std::array<int, 3>{10, 20, 30}));
    EXPECT_EQ(static_cast<std::uint32_t>(MakeRGBA(1, 2, 3, 4)), 0x04030201u);
    EXPECT_EQ(IntMin(-3, 2), -3);
    EXPECT_EQ(IntMax(-3, 2), 2);
}

TEST(MenuRotatedFont, LogicalFontCarriesAngleWeightStyleAndPitch) {
    const struct {
        int Angle;
        TFontStyles Style;
        TFontPitch Pitch;
        LONG Escapement, Weight;
        Byte Italic, Underline, PitchByte;
    } Cases[] = {
        {90, {fsBold}, fpVariable, 900, FW_BOLD, 0, 0, VARIABLE_PITCH},
        {-90, {fsItalic, fsUnderline}, fpFixed, -900, FW_NORMAL, 1, 1, FIXED_PITCH},
        {0, {}, fpDefault, 0, FW_NORMAL, 0, 0, DEFAULT_PITCH},
    };
    for (const auto& C : Cases) {
        TFont F;
        F.SetName(QStringLiteral("Tahoma"));
        F.SetHeight(-19);
        F.SetStyle(C.Style);
        F.SetPitch(C.Pitch);
        HFONT H = CreateRotatedFont(&F, C.Angle);
        ASSERT_NE(H, nullptr);
        LOGFONTW LF;
        ASSERT_GT(GetObject(H, sizeof(LF), &LF), 0);
        DeleteObject(H);
        EXPECT_EQ(LF.lfEscapement, C.Escapement) << C.Angle;
        EXPECT_EQ(LF.lfOrientation, 0);
        EXPECT_EQ(LF.lfWeight, C.Weight) << C.Angle;
        EXPECT_EQ(LF.lfItalic, C.Italic) << C.Angle;
        EXPECT_EQ(LF.lfUnderline, C.Underline) << C.Angle;
        EXPECT_EQ(LF.lfPitchAndFamily, C.PitchByte) << C.Angle;
        EXPECT_EQ(LF.lfHeight, -19);
        EXPECT_EQ(LF.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(LogFontFaceName(LF), QStringLiteral("Tahoma"));
    }
}

TEST(MenuRotatedFont, TextRunsUpwardsAt90Degrees) {
    Paper P(80, 120);
    TFont F;
    F.SetHeight(-16);
    HFONT H = CreateRotatedFont(&F, 90);
    HDC DC = P.Canvas()->Handle();
    HFONT Old = SelectObject(DC, H);
    P.Canvas()->Brush()->SetStyle(bsClear);
    P.Canvas()->TextOut(30, 100, QStringLiteral("WWWWWW"));
    SelectObject(DC, Old);
    DeleteObject(H);
    const TRect Ink = P.Painted();
    ASSERT_LE(Ink.Left, Ink.Right) << "nothing drawn";
    EXPECT_GT(Ink.Bottom - Ink.Top, 2 * (Ink.Right - Ink.Left));
}

class MenuGradientFillTest : public ::testing::Test {
protected:
    Paper P{20, 20};
};

TEST_F(MenuGradientFillTest, VerticalRunsTopToBottomAndStopsShortOfTheEndColour) {
    MenuGradientFill(nullptr, P.Canvas(), Rect(2, 3, 12, 13), gdVertical, grey(0), grey(200));
    for (int Y = 3; Y < 13; ++Y) {
        EXPECT_EQ(P.At(2, Y), grey(20 * (Y - 3))) << Y;
        EXPECT_EQ(P.At(11, Y), grey(20 * (Y - 3))) << Y;
    }
    EXPECT_EQ(P.Painted(), Rect(2, 3, 11, 12));
}

TEST_F(MenuGradientFillTest, HorizontalRunsLeftToRightPerChannel) {
    // Red rises while blue falls: each channel takes its own signed step.
    MenuGradientFill(nullptr, P.Canvas(), Rect(0, 0, 10, 4), gdHorizontal, RGB(0, 50, 100), RGB(100, 50, 0));
    for (int X = 0; X < 10; ++X) {
        EXPECT_EQ(P.At(X, 0), RGB(10 * X, 50, 100 - 10 * X)) << X;
        EXPECT_EQ(P.At(X, 3), P.At(X, 0)) << X;
    }
    EXPECT_EQ(P.At(10, 0), clWhite);
}

TEST_F(MenuGradientFillTest, SolidAndEmptyCases) {
    const struct {
        const char* Name;
        TRect R;
        TGradientDirection Direction;
        TColor Color, ColorTo;
        int Expected;  // pixels painted in Color
    } Cases[] = {
        {"end clNone is solid", Rect(0, 0, 5, 4), gdVertical, clRed, clNone, 20},
        {"equal colours are solid", Rect(0, 0, 5, 4), gdHorizontal, clRed, clRed, 20},
        {"zero height, vertical", Rect(0, 5, 10, 5), gdVertical, clRed, clBlue, 0},
        {"zero height, horizontal", Rect(0, 5, 10, 5), gdHorizontal, clRed, clBlue, 0},
        {"start clNone", Rect(0, 0, 5, 4), gdVertical, clNone, clBlue, 0},
    };
    for (const auto& C : Cases) {
        Paper Q(20, 20);
        MenuGradientFill(nullptr, Q.Canvas(), C.R, C.Direction, C.Color, C.ColorTo);
        EXPECT_EQ(Q.Count(C.Color == clNone ? clBlue : C.Color), C.Expected) << C.Name;
        EXPECT_EQ(Q.Count(clWhite), 400 - C.Expected) << C.Name;
    }
}

TEST(MenuGradientFillBitmap, WritesThirtyTwoBitPixelsWithZeroAlpha) {
    const struct {
        TGradientDirection Direction;
        int Probe[2];  // the pixel at step 3 of 10
    } Cases[] = {{gdVertical, {5, 3}}, {gdHorizontal, {3, 7}}};
    for (const auto& C : Cases) {
        TBitmap B(10, 10);
        B.SetPixelFormat(pf24bit);
        MenuGradientFill(&B, nullptr, Rect(0, 0, 10, 10), C.Direction, RGB(0, 0, 0), RGB(100, 200, 50));
        EXPECT_EQ(B.PixelFormat(), pf32bit);
        EXPECT_EQ(bytesAt(&B, C.Probe[0], C.Probe[1]), (std::array<int, 4>{15, 60, 30, 0}));
        EXPECT_EQ(bytesAt(&B, 0, 0), (std::array<int, 4>{0, 0, 0, 0}));
        EXPECT_EQ(bytesAt(&B, 9, 9), (std::array<int, 4>{45, 180, 90, 0}));
    }
}

TEST(MenuGradientFillBitmap, ARectReachingPastTheBitmapIsClippedToIt) {
    TBitmap B(6, 6);
    MenuGradientFill(&B, nullptr, Rect(-4, -4, 20, 20), gdHorizontal, clBlack, grey(240));
    // Column 0 is step 4 of 24.
    EXPECT_EQ(bytesAt(&B, 0, 5), (std::array<int, 4>{40, 40, 40, 0}));
    MenuGradientFill(&B, nullptr, Rect(10, 10, 20, 20), gdVertical, clRed, clRed);
    EXPECT_EQ(bytesAt(&B, 5, 5), (std::array<int, 4>{90, 90, 90, 0}));  // untouched by the second call
}

TEST(MenuGradientSectionTest, OutsideClipPaintsNothingAndHalvesJoinTheWhole) {
    Paper Outside(40, 40);
    MenuGradientSection(nullptr, Outside.Canvas(), Rect(0, 0, 20, 20), Rect(25, 0, 35, 20), clBlack, clRed, gdVertical);
    EXPECT_EQ(Outside.Count(clWhite), 1600);

    for (TGradientDirection D : {gdVertical, gdHorizontal}) {
        Paper Whole(40, 40), Halves(40, 40);
        const TRect Full = Rect(0, 0, 40, 40);
        MenuGradientFill(nullptr, Whole.Canvas(), Full, D, grey(0), grey(250));
        const TRect First = D == gdVertical ? Rect(0, 0, 40, 17) : Rect(0, 0, 17, 40);
        const TRect Second = D == gdVertical ? Rect(0, 17, 40, 40) : Rect(17, 0, 40, 40);
        MenuGradientSection(nullptr, Halves.Canvas(), Full, First, grey(0), grey(250), D);
        MenuGradientSection(nullptr, Halves.Canvas(), Full, Second, grey(0), grey(250), D);
        for (int I = 0; I < 40; ++I) {
            const int X = D == gdHorizontal ? I : 5, Y = D == gdVertical ? I : 5;
            EXPECT_NEAR(GetRValue(Halves.At(X, Y)), GetRValue(Whole.At(X, Y)), 1) << D << " at " << I;
        }
    }
}

TEST(MenuGradientBoxTest, FillAndFrameFollowTheirColours) {
    const struct {
        const char* Name;
        bool Fill;
        TColor Border, Color;
        TColor Inside, Edge;
    } Cases[] = {
        {"filled and framed", true, clBlue, clRed, clRed, clBlue},
        {"Color clNone: frame only", true, clBlue, clNone, clWhite, clBlue},
        {"BorderColor clNone: no frame", true, clNone, clRed, clRed, clRed},
        {"Fill off", false, clBlue, clRed, clWhite, clBlue},
    };
    for (const auto& C : Cases) {
        Paper P(20, 20);
        MenuGradientBox(nullptr, P.Canvas(), Rect(2, 2, 12, 12), C.Fill, C.Border, gdVertical, C.Color, clNone);
        EXPECT_EQ(P.At(6, 6), C.Inside) << C.Name;
        EXPECT_EQ(P.At(2, 6), C.Edge) << C.Name;
        EXPECT_EQ(P.At(11, 11), C.Edge) << C.Name;
        EXPECT_EQ(P.At(12, 12), clWhite) << C.Name;
    }
}

TEST(MenuMirrorGradientBoxTest, MirrorColoursTakeTheLowerHalf) {
    Paper P(20, 20);
    MenuMirrorGradientBox(nullptr, P.Canvas(), Rect(0, 0, 10, 11), true, clNone, gdVertical, clRed, clNone, clBlue,
                          clNone);
    EXPECT_EQ(P.At(5, 0), clRed);
    EXPECT_EQ(P.At(5, 4), clRed);
    EXPECT_EQ(P.At(5, 5), clBlue);  // 11 div 2 = 5 rows on top
    EXPECT_EQ(P.At(5, 10), clBlue);

    Paper One(20, 20);
    MenuMirrorGradientBox(nullptr, One.Canvas(), Rect(0, 0, 10, 10), true, clGreen, gdVertical, grey(0), grey(100),
                          clNone, clBlue);
    EXPECT_EQ(One.At(5, 1), grey(10));
    EXPECT_EQ(One.At(5, 8), grey(80));  // one gradient through the middle
    EXPECT_EQ(One.At(0, 5), clGreen);
    EXPECT_EQ(One.Count(clBlue), 0);
}

// The colour of each pixel along a line, as lightness of one channel.
std::vector<int> profile(Paper& P, bool Horizontal, int Length) {
    std::vector<int> V;
    for (int I = 0; I < Length; ++I) V.push_back(GetRValue(Horizontal ? P.At(I, 1) : P.At(1, I)));
    return V;
}

TEST(MenuGradientLineTest, BothEndsFadeOverHalfTheWidthAcrossAndTheWholeWidthDown) {
    // Color 0 (dark) in the middle, ColorTo 200 at the ends.
    Paper H(100, 3), V(3, 100);
    MenuGradientLine(nullptr, H.Canvas(), Rect(0, 0, 100, 3), grey(0), grey(200), gdHorizontal, gtBoth, 10, 0);
    MenuGradientLine(nullptr, V.Canvas(), Rect(0, 0, 3, 100), grey(0), grey(200), gdVertical, gtBoth, 10, 0);
    const std::vector<int> Across = profile(H, true, 100), Down = profile(V, false, 100);
    for (int I = 5; I < 95; ++I) EXPECT_EQ(Across[I], 0) << I;
    EXPECT_EQ(Across[0], 200);
    EXPECT_EQ(Across[4], 40);  // 200 - 4 * 200 / 5
    EXPECT_EQ(Across[95], 0);  // fading out starts at Color
    EXPECT_EQ(Across[99], 160);
    for (int I = 10; I < 90; ++I) EXPECT_EQ(Down[I], 0) << I;
    EXPECT_EQ(Down[0], 200);
    EXPECT_EQ(Down[9], 20);
    EXPECT_EQ(Down[90], 0);
    EXPECT_EQ(Down[99], 180);
}

TEST(MenuGradientLineTest, OneSidedLinesAndSolidBars) {
    const struct {
        const char* Name;
        TGradientDirection Direction;
        TGradientType Type;
        int Width, Margin;
        std::vector<std::pair<int, int>> Probes;  // position, lightness (255: untouched)
    } Cases[] = {
        {"across, gtLeft", gdHorizontal, gtLeft, 10, 0, {{0, 0}, {5, 100}, {9, 180}, {10, 200}, {99, 200}}},
        {"across, gtRight", gdHorizontal, gtRight, 10, 0, {{0, 200}, {89, 200}, {90, 200}, {99, 20}}},
        {"down, gtLeft", gdVertical, gtLeft, 10, 0, {{0, 200}, {89, 200}, {90, 200}, {99, 20}}},
        {"down, gtRight", gdVertical, gtRight, 10, 0, {{0, 0}, {9, 180}, {10, 200}, {99, 200}}},
        {"solid gtLeft bar is ColorTo", gdHorizontal, gtLeft, 0, 0, {{0, 200}, {99, 200}}},
        {"solid gtBoth bar is Color", gdVertical, gtBoth, 0, 0, {{0, 0}, {99, 0}}},
        {"margins stay clear", gdHorizontal, gtBoth, 0, 3, {{2, 255}, {3, 0}, {96, 0}, {97, 255}}},
        {"width beyond the line", gdHorizontal, gtLeft, 500, 0, {{0, 0}, {50, 100}, {99, 198}}},
    };
    for (const auto& C : Cases) {
        const bool Across = C.Direction == gdHorizontal;
        Paper P(Across ? 100 : 3, Across ? 3 : 100);
        MenuGradientLine(nullptr, P.Canvas(), Across ? Rect(0, 0, 100, 3) : Rect(0, 0, 3, 100), grey(0), grey(200),
                         C.Direction, C.Type, C.Width, C.Margin);
        const std::vector<int> Line = profile(P, Across, 100);
        for (const auto& [At, Value] : C.Probes) EXPECT_EQ(Line[At], Value) << C.Name << " at " << At;
    }
}

TEST(MenuGradientLineTest, EndColourNoneGivesASolidLine) {
    Paper P(50, 3);
    MenuGradientLine(nullptr, P.Canvas(), Rect(0, 0, 50, 3), clRed, clNone, gdHorizontal, gtLeft, 20, 0);
    EXPECT_EQ(P.Count(clRed), 150);
}

class MenuBackgroundTest : public ::testing::Test {
protected:
    Paper P{40, 30};
    TBackground Back{nullptr};

    void setPicture(int W, int H, TColor Color) {
        TBitmap B(W, H);
        B.Canvas()->Brush()->SetColor(Color);
        B.Canvas()->FillRect(Rect(0, 0, W, H));
        // A bitmap picture is drawn keyed on its bottom-left pixel.
        B.Canvas()->SetPixels(0, H - 1, clYellow);
        Back.Image()->SetGraphic(&B);
    }
    // Bounds of the pixels in Color.
    TRect where(TColor Color) {
        return BoundsOf(P.Bitmap(), Rect(0, 0, 40, 30), [Color](TColor C) { return C == Color; });
    }
};

TEST_F(MenuBackgroundTest, GradientFillsInsideTheMargins) {
    Back.SetColor(grey(0));
    Back.SetColorTo(grey(100));
    Back.SetMarginX(3);
    Back.SetMarginY(2);
    DrawMenuBackground(P.Canvas(), Rect(0, 0, 40, 30), &Back, true);
    EXPECT_EQ(P.At(2, 10), clWhite);
    EXPECT_EQ(P.At(3, 2), grey(0));
    EXPECT_EQ(P.At(36, 27), grey(96));  // step 25 of 26
    EXPECT_EQ(P.At(37, 10), clWhite);
    EXPECT_EQ(P.At(10, 28), clWhite);
}

TEST_F(MenuBackgroundTest, PicturePositions) {
    const struct {
        const char* Name;
        TBackgroundPosition Position;
        int OffsetX, OffsetY;
        TRect Expected;
        int Gradient;  // pixels left to the gradient, the keyed ones included
    } Cases[] = {
        {"centre", bpCenter, 0, 0, Rect(15, 10, 25, 20), 1101},
        {"centre with offsets", bpCenter, 2, -3, Rect(17, 7, 27, 17), 1101},
        {"top left", bpTopLeft, 1, 1, Rect(1, 1, 11, 11), 1101},
        {"top right", bpTopRight, 0, 0, Rect(30, 0, 40, 10), 1101},
        {"bottom left", bpBottomLeft, 0, 0, Rect(0, 20, 10, 30), 1101},
        {"bottom right", bpBottomRight, -1, -2, Rect(29, 18, 39, 28), 1101},
        {"top centre", bpTopCenter, 0, 0, Rect(15, 0, 25, 10), 1101},
        {"bottom centre", bpBottomCenter, 0, 0, Rect(15, 20, 25, 30), 1101},
        {"XY", bpXY, 4, 6, Rect(4, 6, 14, 16), 1101},
        {"tiled", bpTiled, 0, 0, Rect(0, 0, 40, 30), 12},
        {"stretched", bpStretched, 0, 0, Rect(0, 0, 40, 30), 12},
    };
    for (const auto& C : Cases) {
        P.Canvas()->Brush()->SetColor(clWhite);
        P.Canvas()->FillRect(Rect(0, 0, 40, 30));
        setPicture(10, 10, clRed);
        Back.SetColor(clBlue);
        Back.SetPosition(C.Position);
        Back.SetOffsetX(C.OffsetX);
        Back.SetOffsetY(C.OffsetY);
        DrawMenuBackground(P.Canvas(), Rect(0, 0, 40, 30), &Back, true);
        EXPECT_EQ(where(clRed), C.Expected) << C.Name;
        EXPECT_EQ(P.Count(clBlue), C.Gradient) << C.Name;
    }
}

TEST_F(MenuBackgroundTest, TiledEmptyPictureShowsOnlyTheGradient) {
    Back.SetColor(clBlue);
    Back.SetPosition(bpTiled);
    TBitmap Empty;
    Back.Image()->SetGraphic(&Empty);
    DrawMenuBackground(P.Canvas(), Rect(0, 0, 40, 30), &Back, true);
    EXPECT_EQ(P.Count(clBlue), 1200);
}

TEST_F(MenuBackgroundTest, WithoutAGradientTheCanvasShowsAroundThePicture) {
    P.Canvas()->Brush()->SetColor(clGreen);
    P.Canvas()->FillRect(Rect(0, 0, 40, 30));
    setPicture(10, 10, clRed);
    Back.SetColor(clBlue);
    DrawMenuBackground(P.Canvas(), Rect(0, 0, 40, 30), &Back, false);
    EXPECT_EQ(P.Count(clBlue), 0);
    EXPECT_EQ(P.Count(clRed), 99);
    EXPECT_EQ(P.Count(clGreen), 1101);

    // clNone is never painted either.
    Back.SetColor(clNone);
    Back.SetImage(nullptr);
    DrawMenuBackground(P.Canvas(), Rect(0, 0, 40, 30), &Back, true);
    EXPECT_EQ(P.Count(clGreen), 1101);
    EXPECT_EQ(P.Count(clRed), 99);
}

}  // namespace
