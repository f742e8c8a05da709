#include "components/dropdowns/AdvDropDownDraw.h"

#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

#include <gtest/gtest.h>

#include <memory>

using namespace advdropdown;

namespace {

std::unique_ptr<TBitmap> whiteBitmap(int Width, int Height) {
    auto B = std::make_unique<TBitmap>(Width, Height);
    B->Canvas()->Brush()->SetColor(clWhite);
    B->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return B;
}

TEST(AdvDropDownDrawTest, FillGradientBands) {
    // 11 pixels wide, 10 steps from black to 100 red: band i starts at x = i and is 2 wide.
    auto B = whiteBitmap(11, 3);
    FillGradient(B->Canvas(), RGB(0, 0, 0), RGB(100, 0, 0), true, Rect(0, 0, 11, 3), 10);
    for (int X = 0; X < 10; ++X) EXPECT_EQ(B->Canvas()->Pixels(X, 1), RGB(10 * X, 0, 0)) << X;
    EXPECT_EQ(B->Canvas()->Pixels(10, 1), RGB(90, 0, 0));  // the last band overlaps to the edge

    // Steps 0 counts as one band over the whole rectangle in the start colour.
    auto One = whiteBitmap(20, 20);
    FillGradient(One->Canvas(), clRed, clBlue, false, Rect(2, 2, 18, 18), 0);
    EXPECT_EQ(One->Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(One->Canvas()->Pixels(17, 17), clRed);
    EXPECT_EQ(One->Canvas()->Pixels(1, 1), clWhite);

    // One pixel wide: every band starts at the left edge, so the last one shows.
    auto Thin = whiteBitmap(4, 4);
    FillGradient(Thin->Canvas(), RGB(0, 0, 0), RGB(0, 80, 0), true, Rect(1, 0, 2, 4), 4);
    EXPECT_EQ(Thin->Canvas()->Pixels(1, 2), RGB(0, 60, 0));
    EXPECT_EQ(Thin->Canvas()->Pixels(2, 2), clWhite);

    // Vertical, with a system colour resolved first.
    auto V = whiteBitmap(5, 5);
    FillGradient(V->Canvas(), clBtnFace, clBtnFace, false, Rect(0, 0, 5, 5), 80);
    EXPECT_EQ(V->Canvas()->Pixels(2, 4), ColorToRGB(clBtnFace));
}

TEST(AdvDropDownDrawTest, BlendAndDarken) {
    const struct {
        TColor C1, C2;
        int Percent;
        TColor Expected;
    } Blends[] = {
        {clWhite, clBlack, 50, 0x808080},   // 127.5 rounds to the even 128
        {0x010101, clBlack, 50, 0x000000},  // 0.5 rounds to 0
        {0x0000FF, 0xFF0000, 100, 0x0000FF}, {0x0000FF, 0xFF0000, 150, 0x0000FF},
        {0x0000FF, 0xFF0000, 0, 0xFF0000},   {0x0000FF, 0xFF0000, -5, 0xFF0000},
        {clBlack, clWhite, 20, 0xCCCCCC},    {clBtnFace, clBtnFace, 30, ColorToRGB(clBtnFace)},
    };
    for (const auto& B : Blends) EXPECT_EQ(BlendColor(B.C1, B.C2, B.Percent), B.Expected) << B.Percent;

    const struct {
        TColor Color;
        int R, G, B;
        TColor Expected;
    } Darks[] = {
        {0xF5F0E1, -10, -10, 0, 0xF5D8CA},  // the popup buttons' checked colours
        {0xF9D2B2, -10, -10, 0, 0xF9BDA0},
        {0x000000, 5, -20, 0, 0x000005},   // a zero channel takes a positive percentage
        {0x102030, 50, 50, 50, 0x102030},  // positive percentages leave the others
        {0x0000C8, -100, 0, 0, 0x000000},
    };
    for (const auto& D : Darks) EXPECT_EQ(DarkenColor(D.Color, D.R, D.G, D.B), D.Expected) << std::hex << D.Color;
}

TEST(AdvDropDownDrawTest, ButtonBackgroundFillsAndFrames) {
    auto B = whiteBitmap(30, 20);
    DrawButtonBackground(B->Canvas(), Rect(0, 0, 30, 20), clRed, clNone, clBlue, 1, gdVertical);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(29, 19), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(15, 10), clRed);

    auto G = whiteBitmap(30, 20);
    DrawButtonBackground(G->Canvas(), Rect(0, 0, 30, 20), RGB(0, 0, 0), RGB(0, 0, 240), clNone, 1, gdHorizontal);
    // 80 bands over 29 pixels: the second band (blue 3) lands on the first pixel too.
    EXPECT_EQ(G->Canvas()->Pixels(0, 10), RGB(0, 0, 3));
    EXPECT_GT(GetBValue(G->Canvas()->Pixels(29, 10)), 200);
    EXPECT_EQ(G->Canvas()->Pixels(29, 0), G->Canvas()->Pixels(29, 19));  // horizontal: columns alike

    // No fill colour: the surface shows through the frame.
    auto F = whiteBitmap(30, 20);
    DrawButtonBackground(F->Canvas(), Rect(0, 0, 30, 20), clNone, clNone, clBlack, 2, gdVertical);
    EXPECT_EQ(F->Canvas()->Pixels(15, 10), clWhite);
    EXPECT_EQ(F->Canvas()->Pixels(1, 10), clBlack);
    DrawButtonBackground(nullptr, Rect(0, 0, 30, 20), clRed, clNone, clBlue, 1, gdVertical);
}

TEST(AdvDropDownDrawTest, ButtonContentPlacesImageAndCaption) {
    TImageList Images(nullptr);
    Images.SetWidth(8);
    Images.SetHeight(8);
    TBitmap Square(8, 8);
    Square.Canvas()->Brush()->SetColor(clRed);
    Square.Canvas()->FillRect(Rect(0, 0, 8, 8));
    Images.Add(&Square, nullptr);

    auto B = whiteBitmap(60, 20);
    DrawButtonContent(B->Canvas(), Rect(0, 0, 60, 20), String(), &Images, 0);
    EXPECT_EQ(B->Canvas()->Pixels(4, 6), clRed);  // x 4, centred: y (20 - 8) div 2
    EXPECT_EQ(B->Canvas()->Pixels(11, 13), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(3, 6), clWhite);
    EXPECT_EQ(B->Canvas()->Pixels(4, 5), clWhite);

    // Without an image the caption is centred; with one it starts image width + 8 further right.
    auto Centred = whiteBitmap(60, 20);
    Centred->Canvas()->Brush()->SetStyle(bsClear);
    DrawButtonContent(Centred->Canvas(), Rect(0, 0, 60, 20), QStringLiteral("W"), nullptr, -1);
    auto After = whiteBitmap(60, 20);
    After->Canvas()->Brush()->SetStyle(bsClear);
    DrawButtonContent(After->Canvas(), Rect(0, 0, 60, 20), QStringLiteral("W"), &Images, 0);
    auto firstInk = [](TBitmap* Bmp, int From) {
        for (int X = From; X < Bmp->Width(); ++X)
            for (int Y = 0; Y < Bmp->Height(); ++Y)
                if (Bmp->Canvas()->Pixels(X, Y) != clWhite && Bmp->Canvas()->Pixels(X, Y) != clRed) return X;
        return -1;
    };
    EXPECT_GT(firstInk(Centred.get(), 0), 20);
    EXPECT_GE(firstInk(After.get(), 12), 16);  // image width + 8
    EXPECT_LT(firstInk(After.get(), 12), firstInk(Centred.get(), 0));
}

TEST(AdvDropDownDrawTest, TransparentBitmapKeysOnlyTheTopLeftColour) {
    TBitmap Glyph(4, 4);
    Glyph.Canvas()->Brush()->SetColor(clLime);
    Glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Glyph.Canvas()->SetPixels(1, 1, clRed);
    Glyph.Canvas()->SetPixels(2, 2, clWhite);  // the bottom-left colour would be lime too; white stays
    Glyph.Canvas()->SetPixels(0, 3, clBlue);   // bottom-left differs from top-left: not the key
    auto Target = whiteBitmap(10, 10);
    DrawTransparentBitmap(Target->Canvas(), &Glyph, clYellow, Rect(3, 3, 7, 7));
    EXPECT_EQ(Target->Canvas()->Pixels(3, 3), clYellow);  // lime (top-left) replaced
    EXPECT_EQ(Target->Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(Target->Canvas()->Pixels(5, 5), clWhite);
    EXPECT_EQ(Target->Canvas()->Pixels(3, 6), clBlue);
    EXPECT_EQ(Target->Canvas()->Pixels(2, 2), clWhite);  // outside R untouched
    EXPECT_EQ(Target->Canvas()->Pixels(7, 7), clWhite);
}

TEST(AdvDropDownDrawTest, TextSizeAndShortening) {
    TBitmap Surface(10, 10);
    TCanvas* C = Surface.Canvas();
    C->Font()->SetName(QStringLiteral("Tahoma"));
    C->Font()->SetSize(8);
    EXPECT_EQ(GetTextSize(C, String()).cx, 0);
    EXPECT_EQ(GetTextSize(C, String()).cy, 0);
    const String Text = QStringLiteral("Drop-down caption");
    const TSize Full = GetTextSize(C, Text);
    EXPECT_EQ(Full.cx, C->TextWidth(Text));
    EXPECT_GT(Full.cy, 0);

    String Result;
    ShortenText(C, Text, Full.cx + 5, Result, true);
    EXPECT_EQ(Result, Text);  // fits
    ShortenText(C, Text, Full.cx - 1, Result, true);
    EXPECT_TRUE(Result.endsWith(QStringLiteral("...")));
    EXPECT_LT(GetTextSize(C, Result).cx, Full.cx - 1);
    EXPECT_TRUE(Text.startsWith(Result.chopped(3)));
    // The longest candidate that is narrower wins.
    String Longer = Result.chopped(3);
    Longer = Text.left(Longer.size() + 1) + QStringLiteral("...");
    EXPECT_GE(GetTextSize(C, Longer).cx, Full.cx - 1);
    ShortenText(C, Text, Full.cx - 1, Result, false);
    EXPECT_FALSE(Result.endsWith(QStringLiteral("...")));
    EXPECT_LT(GetTextSize(C, Result).cx, Full.cx - 1);
    // Not even "..." fits: the text comes back whole.
    ShortenText(C, Text, 2, Result, true);
    EXPECT_EQ(Result, Text);
}

TEST(AdvDropDownDrawTest, MarkupCaptionMeasuresAndDraws) {
    auto B = whiteBitmap(200, 40);
    B->Canvas()->Font()->SetColor(clBlack);
    TSize Size{7, 7};
    DrawMarkupCaption(B->Canvas(), String(), Rect(0, 0, 200, 40), nullptr, true, nullptr, Size);
    EXPECT_EQ(Size.cx, 0);
    EXPECT_EQ(Size.cy, 0);
    DrawMarkupCaption(B->Canvas(), QStringLiteral("<b>Bold</b> text"), Rect(0, 0, 200, 40), nullptr, false, nullptr,
                      Size);
    EXPECT_GT(Size.cx, 0);
    EXPECT_GT(Size.cy, 0);
    int Ink = 0;
    for (int X = 0; X < 200; ++X) Ink += B->Canvas()->Pixels(X, Size.cy / 2) != clWhite;
    EXPECT_EQ(Ink, 0);  // measuring draws nothing
    TSize Drawn;
    DrawMarkupCaption(B->Canvas(), QStringLiteral("<b>Bold</b> text"), Rect(0, 0, 200, 40), nullptr, true, nullptr,
                      Drawn);
    EXPECT_EQ(Drawn.cx, Size.cx);
    EXPECT_EQ(Drawn.cy, Size.cy);
    for (int Y = 0; Y < Size.cy; ++Y)
        for (int X = 0; X < 200; ++X) Ink += B->Canvas()->Pixels(X, Y) != clWhite;
    EXPECT_GT(Ink, 0);
}

TEST(AdvDropDownDrawTest, ScaleFollowsTheScreen) {
    EXPECT_EQ(GetDPIScale(), 1.0);
    EXPECT_GT(GetFontTextHeight(120, 9), GetFontTextHeight(96, 9));
    Screen->SetPixelsPerInch(120);
    const double Scale = GetDPIScale();
    Screen->SetPixelsPerInch(96);
    EXPECT_DOUBLE_EQ(Scale, static_cast<double>(GetFontTextHeight(120, 9)) / GetFontTextHeight(96, 9));
    EXPECT_GT(Scale, 1.1);
}

}  // namespace
