// The flat API's status model, rendering probes, matrices and paths.
#include "framework/gdiplus/GdiPlusFlat.h"
#include "framework/ui/Gdi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr ARGB kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

// A started flat API and a 32-bit bitmap with a graphics on it.
class Surface : public ::testing::Test {
protected:
    void SetUp() override {
        GdiplusStartupInput Input;
        ASSERT_EQ(GdiplusStartup(&Token, &Input, &Output), Ok);
    }
    void TearDown() override {
        if (G) GdipDeleteGraphics(G);
        if (B) GdipDisposeImage(B);
        GdiplusShutdown(Token);
    }
    void open(int W, int H, ARGB Background = kWhite) {
        ASSERT_EQ(GdipCreateBitmapFromScan0(W, H, 0, PixelFormat32bppARGB, nullptr, &B), Ok);
        ASSERT_EQ(GdipGetImageGraphicsContext(B, &G), Ok);
        ASSERT_EQ(GdipGraphicsClear(G, Background), Ok);
    }
    ARGB pixel(int X, int Y) {
        ARGB C = 0;
        EXPECT_EQ(GdipBitmapGetPixel(B, X, Y, &C), Ok);
        return C;
    }
    void fillRect(GpBrush* Brush, REAL X, REAL Y, REAL W, REAL H) {
        ASSERT_EQ(GdipFillRectangle(G, Brush, X, Y, W, H), Ok);
        GdipDeleteBrush(Brush);
    }

    NativeUInt Token = 0;
    GdiplusStartupOutput Output;
    GpBitmap* B = nullptr;
    GpGraphics* G = nullptr;
};

int channel(ARGB C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); }

// Each channel within Tolerance of the expected colour.
::testing::AssertionResult near(ARGB Actual, ARGB Expected, int Tolerance = 8) {
    for (int Shift : {24, 16, 8, 0})
        if (std::abs(channel(Actual, Shift) - channel(Expected, Shift)) > Tolerance)
            return ::testing::AssertionFailure() << std::hex << "0x" << Actual << " is not near 0x" << Expected;
    return ::testing::AssertionSuccess();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Status model

TEST_F(Surface, NullHandlesAnswerInvalidParameterAndNothingRaises) {
    GpPen* Pen = nullptr;
    ASSERT_EQ(GdipCreatePen1(kRed, 1, UnitWorld, &Pen), Ok);
    SmoothingMode Mode;
    const std::vector<std::pair<const char*, Status>> Cases = {
        {"DrawLine without graphics", GdipDrawLine(nullptr, Pen, 0, 0, 1, 1)},
        {"FillRectangle without brush", GdipFillRectangle(nullptr, nullptr, 0, 0, 1, 1)},
        {"GetSmoothingMode without graphics", GdipGetSmoothingMode(nullptr, &Mode)},
        {"DeletePen of nil", GdipDeletePen(nullptr)},
        {"CreateMatrix without out", GdipCreateMatrix(nullptr)},
        {"DrawImage of nil image", GdipDrawImageI(nullptr, nullptr, 0, 0)},
        {"LoadImageFromStream of nil", GdipLoadImageFromStream(nullptr, nullptr)},
        {"SetLinePresetBlend of nil", GdipSetLinePresetBlend(nullptr, nullptr, nullptr, 0)},
        {"SaveAddImage of nil", GdipSaveAddImage(nullptr, nullptr, nullptr)},
    };
    for (const auto& [Name, Result] : Cases) EXPECT_EQ(Result, InvalidParameter) << Name;
    GdipDeletePen(Pen);
}

TEST_F(Surface, StartupRefusesOtherVersionsAndAllocatorAnswersOnceStarted) {
    GdiplusStartupInput Input;
    Input.GdiplusVersion = 2;
    NativeUInt Other = 0;
    EXPECT_EQ(GdiplusStartup(&Other, &Input, nullptr), UnsupportedGdiplusVersion);
    ASSERT_NE(Output.NotificationHook, nullptr);
    void* P = GdipAlloc(16);
    EXPECT_NE(P, nullptr);
    GdipFree(P);
}

TEST_F(Surface, HintsAreStoredAndReadBackAndInvalidOnesRefused) {
    open(4, 4);
    SmoothingMode S;
    TextRenderingHint T;
    EXPECT_EQ(GdipGetSmoothingMode(G, &S), Ok);
    EXPECT_EQ(S, SmoothingModeDefault);
    EXPECT_EQ(GdipSetSmoothingMode(G, SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(GdipSetTextRenderingHint(G, TextRenderingHintClearTypeGridFit), Ok);
    GdipGetSmoothingMode(G, &S);
    GdipGetTextRenderingHint(G, &T);
    EXPECT_EQ(S, SmoothingModeAntiAlias);
    EXPECT_EQ(T, TextRenderingHintClearTypeGridFit);
    EXPECT_EQ(GdipSetSmoothingMode(G, SmoothingModeInvalid), InvalidParameter);
    EXPECT_EQ(GdipSetCompositingQuality(G, static_cast<CompositingQuality>(9)), InvalidParameter);
}

// ---------------------------------------------------------------------------------------------
// Rendering

TEST_F(Surface, AntiAliasedFillHasPartialEdgePixelsAndAliasedFillHasNone) {
    for (SmoothingMode Mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
        open(40, 40, 0x00000000u);
        GdipSetSmoothingMode(G, Mode);
        GpSolidFill* Brush = nullptr;
        ASSERT_EQ(GdipCreateSolidFill(kRed, &Brush), Ok);
        ASSERT_EQ(GdipFillEllipse(G, Brush, 5, 5, 30, 30), Ok);
        GdipDeleteBrush(Brush);
        int Partial = 0;
        for (int Y = 0; Y < 40; ++Y)
            for (int X = 0; X < 40; ++X) {
                const int A = channel(pixel(X, Y), 24);
                if (A > 0 && A < 255) ++Partial;
            }
        if (Mode == SmoothingModeAntiAlias)
            EXPECT_GT(Partial, 20);
        else
            EXPECT_EQ(Partial, 0);
        EXPECT_EQ(pixel(20, 20), kRed);
        GdipDeleteGraphics(G);
        GdipDisposeImage(B);
        G = nullptr;
        B = nullptr;
    }
}

TEST_F(Surface, AntiAliasedOnePixelLineOnIntegerCoordinatesStaysCrisp) {
    open(20, 20);
    GdipSetSmoothingMode(G, SmoothingModeAntiAlias);
    GpPen* Pen = nullptr;
    GdipCreatePen1(0xFF000000u, 1, UnitWorld, &Pen);
    ASSERT_EQ(GdipDrawLineI(G, Pen, 2, 10, 18, 10), Ok);
    GdipDeletePen(Pen);
    EXPECT_EQ(pixel(10, 10), 0xFF000000u);
    EXPECT_EQ(pixel(10, 9), kWhite);
    EXPECT_EQ(pixel(10, 11), kWhite);
}

TEST_F(Surface, LinearGradientModesPutTheColoursAtTheCorners) {
    constexpr ARGB kMid = 0xFF800080u;  // half way from red to blue
    struct Case {
        LinearGradientMode Mode;
        ARGB TopLeft, TopRight, BottomLeft, BottomRight;
    };
    const Case Cases[] = {
        {LinearGradientModeHorizontal, kRed, kBlue, kRed, kBlue},
        {LinearGradientModeVertical, kRed, kRed, kBlue, kBlue},
        {LinearGradientModeForwardDiagonal, kRed, kMid, kMid, kBlue},
        {LinearGradientModeBackwardDiagonal, kMid, kRed, kBlue, kMid},
    };
    for (const Case& C : Cases) {
        open(100, 50);
        const GpRectF R{0, 0, 100, 50};
        GpLineGradient* Brush = nullptr;
        ASSERT_EQ(GdipCreateLineBrushFromRect(&R, kRed, kBlue, C.Mode, WrapModeTile, &Brush), Ok);
        fillRect(Brush, 0, 0, 100, 50);
        EXPECT_TRUE(near(pixel(0, 0), C.TopLeft, 12)) << "mode " << C.Mode;
        EXPECT_TRUE(near(pixel(99, 0), C.TopRight, 12)) << "mode " << C.Mode;
        EXPECT_TRUE(near(pixel(0, 49), C.BottomLeft, 12)) << "mode " << C.Mode;
        EXPECT_TRUE(near(pixel(99, 49), C.BottomRight, 12)) << "mode " << C.Mode;
        GdipDeleteGraphics(G);
        GdipDisposeImage(B);
        G = nullptr;
        B = nullptr;
    }
}

TEST_F(Surface, LinearGradientSmallerThanTheFillTiles) {
    open(40, 10);
    const GpRectF R{0, 0, 10, 10};
    GpLineGradient* Brush = nullptr;
    ASSERT_EQ(GdipCreateLineBrushFromRect(&R, kRed, kBlue, LinearGradientModeHorizontal, WrapModeTile, &Brush), Ok);
    fillRect(Brush, 0, 0, 40, 10);
    EXPECT_TRUE(near(pixel(0, 5), kRed, 16));
    EXPECT_TRUE(near(pixel(9, 5), kBlue, 30));
    EXPECT_TRUE(near(pixel(20, 5), kRed, 16));  // the next tile starts over
    EXPECT_TRUE(near(pixel(29, 5), kBlue, 30));
}

TEST_F(Surface, PathGradientBlendsCentreToSurroundAndLeavesTheOutsideAlone) {
    open(60, 60);
    GpPath* Path = nullptr;
    GdipCreatePath(FillModeAlternate, &Path);
    GdipAddPathEllipse(Path, 0, 0, 60, 60);
    GpPathGradient* Brush = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(Path, &Brush), Ok);
    GdipSetPathGradientCenterColor(Brush, kRed);
    INT Count = 1;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(Brush, &kBlue, &Count), Ok);
    ASSERT_EQ(GdipFillPath(G, Brush, Path), Ok);
    EXPECT_TRUE(near(pixel(30, 30), kRed, 12));
    EXPECT_TRUE(near(pixel(30, 1), kBlue, 20));
    EXPECT_TRUE(near(pixel(1, 30), kBlue, 20));
    EXPECT_EQ(pixel(0, 0), kWhite);
    EXPECT_EQ(pixel(59, 59), kWhite);
    const ARGB Half = pixel(30, 15);  // half way out: half red, half blue
    EXPECT_NEAR(channel(Half, 16), 128, 20);
    EXPECT_NEAR(channel(Half, 0), 128, 20);
    INT Room = 0;
    ARGB Colors[64];
    EXPECT_EQ(GdipGetPathGradientSurroundColorsWithCount(Brush, Colors, &Room), InsufficientBuffer);
    GdipDeleteBrush(Brush);
    GdipDeletePath(Path);
}

TEST_F(Surface, HatchBrushUsesForeAndBackColours) {
    open(8, 8);
    GpHatch* Brush = nullptr;
    ASSERT_EQ(GdipCreateHatchBrush(HatchStyleHorizontal, kRed, kBlue, &Brush), Ok);
    HatchStyle Style;
    GdipGetHatchStyle(Brush, &Style);
    EXPECT_EQ(Style, HatchStyleHorizontal);
    fillRect(Brush, 0, 0, 8, 8);
    int Red = 0, Blue = 0;
    for (int Y = 0; Y < 8; ++Y) (pixel(3, Y) == kRed ? Red : Blue)++;
    EXPECT_EQ(Red, 1);
    EXPECT_EQ(Blue, 7);
    GpHatch* Bad = nullptr;
    EXPECT_EQ(GdipCreateHatchBrush(HatchStyleTotal, kRed, kBlue, &Bad), InvalidParameter);
}

TEST_F(Surface, WorldTransformAndClipApply) {
    open(40, 40);
    GdipTranslateWorldTransform(G, 20, 0, MatrixOrderPrepend);
    GpSolidFill* Brush = nullptr;
    GdipCreateSolidFill(kRed, &Brush);
    ASSERT_EQ(GdipSetClipRectI(G, 0, 0, 10, 40, CombineModeReplace), Ok);  // world: device 20..30
    ASSERT_EQ(GdipFillRectangleI(G, Brush, 0, 0, 20, 20), Ok);
    EXPECT_EQ(pixel(5, 5), kWhite);
    EXPECT_EQ(pixel(25, 5), kRed);
    EXPECT_EQ(pixel(35, 5), kWhite);  // clipped away
    GpRectF Bounds;
    GdipGetClipBounds(G, &Bounds);
    EXPECT_FLOAT_EQ(Bounds.X, 0);
    EXPECT_FLOAT_EQ(Bounds.Width, 10);
    GdipResetClip(G);
    GdipResetWorldTransform(G);
    GdipFillRectangleI(G, Brush, 35, 0, 5, 5);
    EXPECT_EQ(pixel(37, 2), kRed);
    GdipDeleteBrush(Brush);
}

TEST_F(Surface, GraphicsOnADeviceContextDrawsThroughItsOrigin) {
    TBitmap Bitmap(30, 30);
    Bitmap.Canvas()->Brush()->SetColor(clWhite);
    Bitmap.Canvas()->FillRect(Rect(0, 0, 30, 30));
    HDC DC = Bitmap.Canvas()->Handle();
    SetWindowOrgEx(DC, -10, -10, nullptr);
    GpGraphics* DCGraphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(DC, &DCGraphics), Ok);
    GpSolidFill* Brush = nullptr;
    GdipCreateSolidFill(kBlue, &Brush);
    ASSERT_EQ(GdipFillRectangleI(DCGraphics, Brush, 0, 0, 5, 5), Ok);
    GdipDeleteBrush(Brush);
    GdipDeleteGraphics(DCGraphics);
    SetWindowOrgEx(DC, 0, 0, nullptr);
    EXPECT_EQ(Bitmap.Canvas()->Pixels(12, 12), clBlue);
    EXPECT_EQ(Bitmap.Canvas()->Pixels(2, 2), clWhite);
    GpGraphics* None = nullptr;
    EXPECT_EQ(GdipCreateFromHDC(nullptr, &None), OutOfMemory);
}

TEST_F(Surface, ColourKeyLeavesTheKeyTransparent) {
    open(20, 10);
    GpBitmap* Source = nullptr;
    GdipCreateBitmapFromScan0(2, 1, 0, PixelFormat32bppARGB, nullptr, &Source);
    GdipBitmapSetPixel(Source, 0, 0, 0xFFFF00FFu);
    GdipBitmapSetPixel(Source, 1, 0, kBlue);
    GpImageAttributes* Attr = nullptr;
    GdipCreateImageAttributes(&Attr);
    ASSERT_EQ(GdipSetImageAttributesColorKeys(Attr, ColorAdjustTypeDefault, 1, 0xFFFF00FFu, 0xFFFF00FFu), Ok);
    GdipSetInterpolationMode(G, InterpolationModeNearestNeighbor);
    ASSERT_EQ(GdipDrawImageRectRectI(G, Source, 0, 0, 20, 10, 0, 0, 2, 1, UnitPixel, Attr, nullptr, nullptr), Ok);
    EXPECT_EQ(pixel(4, 5), kWhite);
    EXPECT_EQ(pixel(15, 5), kBlue);
    GdipDisposeImageAttributes(Attr);
    GdipDisposeImage(Source);
}

TEST_F(Surface, ColourMatrixTurnsRedIntoBlueOnACopy) {
    open(10, 10);
    GpBitmap* Source = nullptr;
    GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &Source);
    GdipBitmapSetPixel(Source, 0, 0, kRed);
    ColorMatrix M{};
    M.m[0][2] = 1;  // red feeds blue
    M.m[3][3] = 1;
    M.m[4][4] = 1;
    GpImageAttributes* Attr = nullptr;
    GdipCreateImageAttributes(&Attr);
    ASSERT_EQ(GdipSetImageAttributesColorMatrix(Attr, ColorAdjustTypeBitmap, 1, &M, nullptr, ColorMatrixFlagsDefault),
              Ok);
    ASSERT_EQ(GdipDrawImageRectRectI(G, Source, 0, 0, 10, 10, 0, 0, 1, 1, UnitPixel, Attr, nullptr, nullptr), Ok);
    EXPECT_EQ(pixel(5, 5), kBlue);
    ARGB Kept = 0;
    GdipBitmapGetPixel(Source, 0, 0, &Kept);
    EXPECT_EQ(Kept, kRed);  // the source pixels are untouched
    EXPECT_EQ(GdipSetImageAttributesOutputChannel(Attr, ColorAdjustTypeDefault, 1, ColorChannelFlagsC), NotImplemented);
    EXPECT_EQ(GdipSetImageAttributesOutputChannel(Attr, ColorAdjustTypeDefault, 0, ColorChannelFlagsLast), Ok);
    GdipDisposeImageAttributes(Attr);
    GdipDisposeImage(Source);
}

TEST_F(Surface, ImageDrawnRotatedAboutItsCentreLandsAroundThatCentre) {
    open(100, 100);
    GpBitmap* Source = nullptr;
    GdipCreateBitmapFromScan0(100, 50, 0, PixelFormat32bppARGB, nullptr, &Source);
    GpGraphics* SG = nullptr;
    GdipGetImageGraphicsContext(Source, &SG);
    GdipGraphicsClear(SG, kRed);
    GdipDeleteGraphics(SG);
    // About (50, 50): the 100 x 50 image at (0, 25) turns upright into x 25..75, y 0..100.
    GdipTranslateWorldTransform(G, -50, -50, MatrixOrderAppend);
    GdipRotateWorldTransform(G, 90, MatrixOrderAppend);
    GdipTranslateWorldTransform(G, 50, 50, MatrixOrderAppend);
    ASSERT_EQ(GdipDrawImageRectI(G, Source, 0, 25, 100, 50), Ok);
    EXPECT_EQ(pixel(50, 5), kRed);
    EXPECT_EQ(pixel(50, 95), kRed);
    EXPECT_EQ(pixel(10, 50), kWhite);
    EXPECT_EQ(pixel(90, 50), kWhite);
    GdipDisposeImage(Source);
}

// ---------------------------------------------------------------------------------------------
// Matrices

namespace {

GpPointF mapped(GpMatrix* M, GpPointF P) {
    GdipTransformMatrixPoints(M, &P, 1);
    return P;
}

}  // namespace

TEST_F(Surface, MatrixResetRotateAtAppendPrependAndInvert) {
    GpMatrix* M = nullptr;
    ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 3, 7, 8, &M), Ok);
    GdipSetMatrixElements(M, 1, 0, 0, 1, 0, 0);
    BOOL Identity = 0;
    GdipIsMatrixIdentity(M, &Identity);
    EXPECT_TRUE(Identity);

    // Rotating about (10, 10): prepend translate(c), rotate, translate(-c).
    GdipTranslateMatrix(M, 10, 10, MatrixOrderPrepend);
    GdipRotateMatrix(M, 90, MatrixOrderPrepend);
    GdipTranslateMatrix(M, -10, -10, MatrixOrderPrepend);
    const GpPointF Kept = mapped(M, {10, 10});
    EXPECT_NEAR(Kept.X, 10, 1e-4);
    EXPECT_NEAR(Kept.Y, 10, 1e-4);
    const GpPointF Turned = mapped(M, {20, 10});  // clockwise on screen: right goes down
    EXPECT_NEAR(Turned.X, 10, 1e-4);
    EXPECT_NEAR(Turned.Y, 20, 1e-4);

    // Append applies the new operation last, prepend first.
    GpMatrix* A = nullptr;
    GpMatrix* P = nullptr;
    GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &A);
    GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &P);
    GdipTranslateMatrix(A, 5, 0, MatrixOrderAppend);
    GdipTranslateMatrix(P, 5, 0, MatrixOrderPrepend);
    EXPECT_FLOAT_EQ(mapped(A, {1, 0}).X, 7);   // scale, then move
    EXPECT_FLOAT_EQ(mapped(P, {1, 0}).X, 12);  // move, then scale

    GpMatrix* Inverse = nullptr;
    GdipCloneMatrix(A, &Inverse);
    ASSERT_EQ(GdipInvertMatrix(Inverse), Ok);
    const GpPointF Back = mapped(Inverse, mapped(A, {3, 4}));
    EXPECT_NEAR(Back.X, 3, 1e-4);
    EXPECT_NEAR(Back.Y, 4, 1e-4);
    GdipSetMatrixElements(Inverse, 1, 2, 2, 4, 0, 0);
    EXPECT_EQ(GdipInvertMatrix(Inverse), InvalidParameter);
    REAL E[6];
    GdipGetMatrixElements(Inverse, E);
    EXPECT_EQ(E[1], 2);  // unchanged by the failed inversion
    for (GpMatrix* X : {M, A, P, Inverse}) GdipDeleteMatrix(X);
}

// ---------------------------------------------------------------------------------------------
// Paths and regions

TEST_F(Surface, PathPointTypesAreTheBytesOfThePlatform) {
    GpPath* Path = nullptr;
    GdipCreatePath(FillModeAlternate, &Path);
    GdipAddPathRectangle(Path, 0, 0, 10, 10);
    GdipAddPathLine(Path, 20, 20, 30, 20);
    GdipAddPathLine(Path, 30, 20, 30, 30);  // joins the open figure: one point more
    GdipAddPathBezier(Path, 30, 30, 35, 35, 40, 35, 45, 30);
    INT Count = 0;
    GdipGetPointCount(Path, &Count);
    ASSERT_EQ(Count, 10);
    std::vector<BYTE> Types(static_cast<size_t>(Count));
    GdipGetPathTypes(Path, Types.data(), Count);
    EXPECT_EQ(Types, (std::vector<BYTE>{0, 1, 1, 0x81, 0, 1, 1, 3, 3, 3}));
    GdipResetPath(Path);
    GdipAddPathEllipse(Path, 0, 0, 10, 10);
    GdipGetPointCount(Path, &Count);
    EXPECT_EQ(Count, 13);
    Types.resize(13);
    GdipGetPathTypes(Path, Types.data(), 13);
    EXPECT_EQ(Types.front(), 0);
    EXPECT_EQ(Types.back(), 0x83);
    GpRectF Bounds;
    GdipGetPathWorldBounds(Path, &Bounds, nullptr, nullptr);
    EXPECT_NEAR(Bounds.Width, 10, 0.01);
    GdipDeletePath(Path);
}

TEST_F(Surface, RegionsCombineAndAnswerHitTests) {
    const GpRectF R{0, 0, 10, 10}, S{5, 0, 10, 10};
    GpRegion* Region = nullptr;
    GdipCreateRegionRect(&R, &Region);
    ASSERT_EQ(GdipCombineRegionRect(Region, &S, CombineModeExclude), Ok);
    BOOL In = 0;
    GdipIsVisibleRegionPoint(Region, 2, 5, nullptr, &In);
    EXPECT_TRUE(In);
    GdipIsVisibleRegionPoint(Region, 7, 5, nullptr, &In);
    EXPECT_FALSE(In);
    EXPECT_EQ(GdipCombineRegionRect(Region, &S, static_cast<CombineMode>(9)), InvalidParameter);
    GdipDeleteRegion(Region);
}
