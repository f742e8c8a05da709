// Arc points and the painter state a graphics on a device context leaves behind.
#include "framework/gdiplus/GdiPlusFlat.h"
#include "framework/ui/Gdi.h"

#include <gtest/gtest.h>

#include <QPainterPath>
#include <vector>

namespace {

class Shapes : public ::testing::Test {
protected:
    void SetUp() override {
        GdiplusStartupInput Input;
        ASSERT_EQ(GdiplusStartup(&Token, &Input, &Output), Ok);
    }
    void TearDown() override { GdiplusShutdown(Token); }

    NativeUInt Token = 0;
    GdiplusStartupOutput Output;
};

// The arc as Qt builds it: a start point, then Bézier triples, angles clockwise in degrees.
std::vector<QPointF> qtArc(const QRectF& R, double Start, double Sweep) {
    QPainterPath Arc;
    Arc.arcMoveTo(R, -Start);
    Arc.arcTo(R, -Start, -Sweep);
    std::vector<QPointF> Result;
    for (int I = 0; I < Arc.elementCount(); ++I) {
        const QPainterPath::Element E = Arc.elementAt(I);
        if (I > 0 && E.type == QPainterPath::LineToElement && Result.back() == QPointF(E.x, E.y)) continue;
        Result.emplace_back(E.x, E.y);
    }
    return Result;
}

}  // namespace

TEST_F(Shapes, ArcPointsMatchQtsArcs) {
    struct Case {
        float X, Y, W, H, Start, Sweep;
    };
    const Case Cases[] = {
        {0, 0, 12, 12, 180, 90},    {20, 4, 12, 12, 270, 90}, {3.5f, 7.25f, 9, 9, 0, 90}, {0, 0, 10, 10, 90, 180},
        {0, 0, 10, 10, 0, 360},     {0, 0, 10, 10, 0, -90},   {0, 0, 10, 10, -90, -270},  {0, 0, 20, 8, 90, 90},
        {0, 0, 10, 10, 450, 90},    {0, 0, 10, 10, 45, 90},   {0, 0, 10, 10, 30, 200},    {0, 0, 10, 10, 0, 0},
        {0, 0, 16, 16, 180, 90.5f},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.W << "x" << C.H << " from " << C.Start << " by " << C.Sweep);
        GpPath* Path = nullptr;
        ASSERT_EQ(GdipCreatePath(FillModeAlternate, &Path), Ok);
        ASSERT_EQ(GdipAddPathArc(Path, C.X, C.Y, C.W, C.H, C.Start, C.Sweep), Ok);
        INT Count = 0;
        GdipGetPointCount(Path, &Count);
        std::vector<GpPointF> Points(static_cast<size_t>(Count));
        GdipGetPathPoints(Path, Points.data(), Count);
        GdipDeletePath(Path);
        const std::vector<QPointF> Expected = qtArc(QRectF(C.X, C.Y, C.W, C.H), C.Start, C.Sweep);
        ASSERT_EQ(Points.size(), Expected.size());
        for (size_t I = 0; I < Expected.size(); ++I) {
            // The path keeps single precision points.
            EXPECT_NEAR(Points[I].X, Expected[I].x(), 1e-5) << "point " << I;
            EXPECT_NEAR(Points[I].Y, Expected[I].y(), 1e-5) << "point " << I;
        }
    }
}

TEST_F(Shapes, FillsOnADeviceContextLeaveItsPainterAsTheyFoundIt) {
    TBitmap Bitmap(40, 40);
    TCanvas* Canvas = Bitmap.Canvas();
    Canvas->Brush()->SetColor(clWhite);
    Canvas->FillRect(Rect(0, 0, 40, 40));
    HDC DC = Canvas->Handle();
    GpGraphics* G = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(DC, &G), Ok);
    GpSolidFill* Blue = nullptr;
    GdipCreateSolidFill(0xFF0000FFu, &Blue);
    // Anti-aliased, copied, moved and clipped fills, one after the other.
    GdipSetSmoothingMode(G, SmoothingModeAntiAlias);
    GdipSetCompositingMode(G, CompositingModeSourceCopy);
    GdipTranslateWorldTransform(G, 20, 0, MatrixOrderPrepend);
    ASSERT_EQ(GdipFillEllipse(G, Blue, 0, 0, 10, 10), Ok);
    GdipResetWorldTransform(G);
    GdipSetClipRect(G, 0, 20, 5, 5, CombineModeReplace);
    ASSERT_EQ(GdipFillRectangle(G, Blue, 0, 20, 20, 20), Ok);
    GdipResetClip(G);
    ASSERT_EQ(GdipFillRectangle(G, Blue, 30, 30, 5, 5), Ok);
    EXPECT_EQ(Canvas->Pixels(25, 5), clBlue);
    EXPECT_EQ(Canvas->Pixels(2, 22), clBlue);   // inside the clip
    EXPECT_EQ(Canvas->Pixels(8, 22), clWhite);  // outside it
    EXPECT_EQ(Canvas->Pixels(32, 32), clBlue);  // the clip does not outlive its fill
    GdipDeleteBrush(Blue);
    GdipDeleteGraphics(G);
    // The canvas draws as before: not moved, not anti-aliased, not clipped.
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(Rect(0, 30, 10, 40));
    EXPECT_EQ(Canvas->Pixels(0, 30), clRed);
    EXPECT_EQ(Canvas->Pixels(9, 39), clRed);
    EXPECT_EQ(Canvas->Pixels(10, 35), clWhite);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->MoveTo(12, 30);
    Canvas->LineTo(12, 39);
    EXPECT_EQ(Canvas->Pixels(12, 34), clBlack);
    EXPECT_EQ(Canvas->Pixels(13, 34), clWhite);
    EXPECT_EQ(Canvas->Pixels(11, 34), clWhite);
}

TEST_F(Shapes, AFilledPathDrawsItsLatestShapeAfterEachChange) {
    GpBitmap* Bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(40, 20, 0, PixelFormat32bppARGB, nullptr, &Bitmap), Ok);
    GpGraphics* G = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(Bitmap, &G), Ok);
    GpSolidFill* Brush = nullptr;
    GdipCreateSolidFill(0xFF0000FFu, &Brush);
    auto Painted = [&](int X, int Y) {
        ARGB C = 0;
        GdipBitmapGetPixel(Bitmap, X, Y, &C);
        GdipGraphicsClear(G, 0xFFFFFFFFu);
        return C == 0xFF0000FFu;
    };
    GpPath* Path = nullptr;
    GdipCreatePath(FillModeAlternate, &Path);
    GdipAddPathRectangle(Path, 0, 0, 10, 10);
    GdipFillPath(G, Brush, Path);
    EXPECT_TRUE(Painted(5, 5));
    GpMatrix* Move = nullptr;
    GdipCreateMatrix2(1, 0, 0, 1, 20, 0, &Move);
    GdipTransformPath(Path, Move);
    GdipFillPath(G, Brush, Path);
    EXPECT_FALSE(Painted(5, 5));
    GdipFillPath(G, Brush, Path);
    EXPECT_TRUE(Painted(25, 5));
    // A second square over the first: a hole when alternating, filled when winding.
    GdipAddPathRectangle(Path, 20, 0, 10, 10);
    GdipFillPath(G, Brush, Path);
    EXPECT_FALSE(Painted(25, 5));
    GdipSetPathFillMode(Path, FillModeWinding);
    GdipFillPath(G, Brush, Path);
    EXPECT_TRUE(Painted(25, 5));
    GdipResetPath(Path);
    GdipFillPath(G, Brush, Path);
    EXPECT_FALSE(Painted(25, 5));
    GdipDeleteMatrix(Move);
    GdipDeletePath(Path);
    GdipDeleteBrush(Brush);
    GdipDeleteGraphics(G);
    GdipDisposeImage(Bitmap);
}
