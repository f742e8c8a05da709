// The GDI+ object layer rendered into images: smoothing, gradients, image attributes, rotation,
// and drawing on a framework bitmap's device context.
#include "components/graphics/AdvGDIP.h"

#include "tests/graphics/AdvGDIPTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr ARGB White = 0xFFFFFFFF;
constexpr ARGB Red = 0xFFFF0000;
constexpr ARGB Blue = 0xFF0000FF;
constexpr ARGB Magenta = 0xFFFF00FF;

// A bitmap of one colour, with an optional right half of another.
std::unique_ptr<TGPBitmap> solidBitmap(int Width, int Height, ARGB Color, ARGB RightHalf = 0) {
    auto Bitmap = std::make_unique<TGPBitmap>(Width, Height, PixelFormat32bppARGB);
    std::unique_ptr<TGPGraphics> G(TGPGraphics::FromImage(Bitmap.get()));
    G->Clear(Color);
    if (RightHalf) {
        TGPSolidBrush Brush(RightHalf);
        G->FillRectangle(&Brush, Width / 2.0f, 0, Width / 2.0f, static_cast<float>(Height));
    }
    return Bitmap;
}

// Pixels that are neither the shape's colour nor the background's.
int partialPixels(const TGPSurface& S, int Width, int Height) {
    int Count = 0;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const ARGB P = S.Pixel(X, Y);
            if (P != White && P != 0xFF000000) ++Count;
        }
    return Count;
}

}  // namespace

TEST(AdvGDIPRender, AntiAliasingLeavesPartialEdgePixelsOnlyWhenAsked) {
    struct Case {
        int Mode;
        bool Partial;
    };
    const Case Cases[] = {
        {SmoothingModeAntiAlias, true},
        {SmoothingModeHighQuality, true},
        {SmoothingModeNone, false},
        {SmoothingModeDefault, false},
    };
    for (const Case& C : Cases) {
        TGPSurface S(40, 40);
        EXPECT_EQ(S.Graphics->SetSmoothingMode(C.Mode), Ok);
        EXPECT_EQ(S.Graphics->GetSmoothingMode(), C.Mode);
        TGPSolidBrush Black(0xFF000000);
        TGPGraphicsPath Path;
        Path.AddEllipse(4.3f, 4.3f, 30, 30);
        ASSERT_EQ(S.Graphics->FillPath(&Black, &Path), Ok);
        EXPECT_EQ(S.Pixel(20, 20), 0xFF000000u);
        EXPECT_EQ(partialPixels(S, 40, 40) > 0, C.Partial) << C.Mode;
    }
}

TEST(AdvGDIPRender, LinearGradientModesPutTheirColoursAtTheCorners) {
    constexpr ARGB Mid = 0xFF800080;
    struct Probe {
        int X, Y;
        ARGB Color;
    };
    struct Case {
        LinearGradientMode Mode;
        Probe Probes[4];
    };
    const Case Cases[] = {
        {LinearGradientModeHorizontal, {{0, 50, Red}, {99, 50, Blue}, {50, 0, Mid}, {50, 99, Mid}}},
        {LinearGradientModeVertical, {{50, 0, Red}, {50, 99, Blue}, {0, 50, Mid}, {99, 50, Mid}}},
        {LinearGradientModeForwardDiagonal, {{0, 0, Red}, {99, 99, Blue}, {99, 0, Mid}, {0, 99, Mid}}},
        {LinearGradientModeBackwardDiagonal, {{99, 0, Red}, {0, 99, Blue}, {0, 0, Mid}, {99, 99, Mid}}},
    };
    for (const Case& C : Cases) {
        TGPSurface S(100, 100);
        TGPLinearGradientBrush Brush(MakeGPRectF(0, 0, 100, 100), Red, Blue, C.Mode);
        ASSERT_EQ(S.Graphics->FillRectangle(&Brush, 0, 0, 100, 100), Ok);
        for (const Probe& P : C.Probes)
            EXPECT_TRUE(ColorNear(S.Pixel(P.X, P.Y), P.Color, 12))
                << "mode " << C.Mode << " at " << P.X << "," << P.Y << ": " << std::hex << S.Pixel(P.X, P.Y);
        EXPECT_TRUE(ColorNear(S.Pixel(50, 50), Mid, 12)) << "mode " << C.Mode;
    }
}

TEST(AdvGDIPRender, LinearGradientSmallerThanTheFillRepeats) {
    TGPSurface S(40, 10);
    TGPLinearGradientBrush Brush(MakeGPRectF(0, 0, 20, 10), Red, Blue, LinearGradientModeHorizontal);
    ASSERT_EQ(S.Graphics->FillRectangle(&Brush, 0, 0, 40, 10), Ok);
    EXPECT_TRUE(ColorNear(S.Pixel(20, 5), S.Pixel(0, 5), 16));
    EXPECT_TRUE(ColorNear(S.Pixel(39, 5), Blue, 16));
}

TEST(AdvGDIPRender, PathGradientHasItsCentreColourInTheMiddleAndSurroundAtTheCorners) {
    TGPSurface S(100, 100, 0xFF000000);
    TGPGraphicsPath Path;
    Path.AddRectangle(MakeGPRectF(0, 0, 100, 100));
    TGPPathGradientBrush Brush(&Path);
    EXPECT_EQ(Brush.SetCenterColor(White), Ok);
    const ARGB Surround = Blue;
    int Count = 1;
    ASSERT_EQ(Brush.SetSurroundColors(&Surround, Count), Ok);
    ASSERT_EQ(S.Graphics->FillPath(&Brush, &Path), Ok);
    EXPECT_TRUE(ColorNear(S.Pixel(50, 50), White, 16)) << std::hex << S.Pixel(50, 50);
    for (const auto& [X, Y] : {std::pair{1, 1}, {98, 1}, {1, 98}, {98, 98}})
        EXPECT_TRUE(ColorNear(S.Pixel(X, Y), Blue, 24)) << X << "," << Y << ": " << std::hex << S.Pixel(X, Y);
    // Half way out: half way between the two.
    EXPECT_TRUE(ColorNear(S.Pixel(50, 25), 0xFF8080FF, 24)) << std::hex << S.Pixel(50, 25);

    // The centre point moves the centre colour.
    TGPSurface Moved(100, 100, 0xFF000000);
    EXPECT_EQ(Brush.SetCenterPoint(MakeGPPointF(25, 25)), Ok);
    ASSERT_EQ(Moved.Graphics->FillPath(&Brush, &Path), Ok);
    EXPECT_TRUE(ColorNear(Moved.Pixel(25, 25), White, 16));
    EXPECT_FALSE(ColorNear(Moved.Pixel(50, 50), White, 40));
}

TEST(AdvGDIPRender, ColourKeyLeavesTheKeyTransparent) {
    auto Source = solidBitmap(10, 10, Magenta);
    ASSERT_EQ(Source->SetPixel(5, 5, Red), Ok);
    TGPImageAttributes Attributes;
    ASSERT_EQ(Attributes.SetColorKey(Magenta, Magenta), Ok);

    struct Case {
        TGPImageAttributes* Attributes;
        ARGB Around;
    };
    const Case Cases[] = {{&Attributes, White}, {nullptr, Magenta}};
    for (const Case& C : Cases) {
        TGPSurface S(40, 40);
        ASSERT_EQ(
            S.Graphics->DrawImage(Source.get(), MakeGPRectF(20, 20, 10, 10), 0, 0, 10, 10, UnitPixel, C.Attributes),
            Ok);
        EXPECT_EQ(S.Pixel(21, 21), C.Around);
        EXPECT_EQ(S.Pixel(25, 25), Red);
    }

    // Cleared, the key shows again.
    ASSERT_EQ(Attributes.ClearColorKey(), Ok);
    TGPSurface S(40, 40);
    S.Graphics->DrawImage(Source.get(), MakeGPRectF(20, 20, 10, 10), 0, 0, 10, 10, UnitPixel, &Attributes);
    EXPECT_EQ(S.Pixel(21, 21), Magenta);
}

TEST(AdvGDIPRender, ColourMatrixTurnsRedIntoBlue) {
    auto Source = solidBitmap(10, 10, Red);
    ColorMatrix RedToBlue = IdentityColorMatrix();
    RedToBlue.m[0][0] = 0;  // red contributes nothing to red...
    RedToBlue.m[0][2] = 1;  // ...and all of itself to blue
    TGPImageAttributes Attributes;
    ASSERT_EQ(Attributes.SetColorMatrix(RedToBlue), Ok);
    TGPSurface S(20, 20);
    ASSERT_EQ(S.Graphics->DrawImage(Source.get(), MakeGPRectF(0, 0, 10, 10), 0, 0, 10, 10, UnitPixel, &Attributes), Ok);
    EXPECT_EQ(S.Pixel(5, 5), Blue);
    EXPECT_EQ(S.Pixel(15, 15), White);

    // The source itself is untouched.
    ARGB Original = 0;
    Source->GetPixel(5, 5, Original);
    EXPECT_EQ(Original, Red);
}

TEST(AdvGDIPRender, ImageRotatedBy90DegreesTurnsAboutItsOwnCentre) {
    // 100 x 50, red left half, blue right half, drawn into (0, 25, 100, 50): centre (50, 50).
    auto Source = solidBitmap(100, 50, Red, Blue);
    TGPSurface S(100, 100);
    TGPMatrix Matrix;
    ASSERT_EQ(Matrix.RotateAt(90, MakeGPPointF(100 / 2.0f + 0, 50 / 2.0f + 25), MatrixOrderPrepend), Ok);
    ASSERT_EQ(S.Graphics->SetTransform(&Matrix), Ok);
    ASSERT_EQ(S.Graphics->DrawImageRect(Source.get(), 0, 25, 100, 50), Ok);
    ASSERT_EQ(S.Graphics->ResetTransform(), Ok);

    EXPECT_EQ(S.Pixel(50, 5), Red);    // the left end turned to the top
    EXPECT_EQ(S.Pixel(50, 95), Blue);  // the right end to the bottom
    EXPECT_EQ(S.Pixel(30, 30), Red);
    EXPECT_EQ(S.Pixel(70, 70), Blue);
    EXPECT_EQ(S.Pixel(10, 50), White);  // the unrotated image's ends stay empty
    EXPECT_EQ(S.Pixel(90, 50), White);
    EXPECT_EQ(S.Pixel(20, 10), White);
}

TEST(AdvGDIPRender, DrawImageRectRoundsAFloatRectangle) {
    auto Source = solidBitmap(4, 4, Red);
    TGPSurface S(20, 20);
    ASSERT_EQ(S.Graphics->DrawImageRect(Source.get(), MakeGPRectF(2.5f, 3.5f, 5.4f, 4.6f)), Ok);  // (2, 4, 5, 5)
    EXPECT_EQ(S.Pixel(2, 4), Red);
    EXPECT_EQ(S.Pixel(6, 8), Red);
    EXPECT_EQ(S.Pixel(1, 4), White);
    EXPECT_EQ(S.Pixel(7, 4), White);
    EXPECT_EQ(S.Pixel(2, 3), White);
    EXPECT_EQ(S.Pixel(2, 9), White);
}

TEST(AdvGDIPRender, GraphicsOnABitmapCanvasDrawsIntoTheBitmap) {
    TBitmap Bitmap(40, 40);
    Bitmap.Canvas()->Brush()->SetColor(clWhite);
    Bitmap.Canvas()->FillRect(Rect(0, 0, 40, 40));
    {
        TGPGraphics G(Bitmap.Canvas()->Handle());
        ASSERT_EQ(G.GetLastStatus(), Ok);
        TGPSolidBrush Brush(ColorToARGB(clRed));
        TGPPen Pen(ColorToARGB(clBlue), 1);
        EXPECT_EQ(G.FillRectangle(&Brush, 10, 10, 20, 20), Ok);
        EXPECT_EQ(G.DrawLine(&Pen, 0, 35.5f, 40, 35.5f), Ok);
    }
    EXPECT_EQ(Bitmap.Canvas()->Pixels(15, 15), clRed);
    EXPECT_EQ(Bitmap.Canvas()->Pixels(5, 5), clWhite);
    EXPECT_EQ(Bitmap.Canvas()->Pixels(20, 35), clBlue);
}

TEST(AdvGDIPRender, ClipLimitsDrawingUntilReset) {
    TGPSurface S(40, 40);
    TGPSolidBrush Brush(Red);
    TGPRegion Region(MakeGPRectF(0, 0, 20, 40));
    ASSERT_EQ(S.Graphics->SetClip(&Region), Ok);
    ASSERT_EQ(S.Graphics->ExcludeClip(MakeGPRectF(0, 0, 10, 10)), Ok);
    S.Graphics->FillRectangle(&Brush, 0, 0, 40, 40);
    EXPECT_EQ(S.Pixel(15, 5), Red);
    EXPECT_EQ(S.Pixel(5, 5), White);
    EXPECT_EQ(S.Pixel(30, 30), White);
    ASSERT_EQ(S.Graphics->ResetClip(), Ok);
    S.Graphics->FillRectangle(&Brush, 0, 0, 40, 40);
    EXPECT_EQ(S.Pixel(30, 30), Red);
}
