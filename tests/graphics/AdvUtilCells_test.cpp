#include "components/graphics/AdvUtilCells.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace {

TEST(DrawCellShape, NineteenShapesInTheirBoundingBoxes) {
    // The box (10, 10, 30, 22): 20 x 12, centre (20, 16). Bounds are inclusive pixel bounds.
    struct Case {
        TCellShape Shape;
        TRect Bounds;
    };
    const Case Cases[] = {
        {csRectangle, {11, 11, 28, 20}},     {csCircle, {10, 10, 21, 21}},     {csTriangleLeft, {10, 10, 30, 22}},
        {csTriangleRight, {10, 10, 30, 22}}, {csTriangleUp, {10, 10, 30, 22}}, {csTriangleDown, {10, 10, 30, 22}},
        {csDiamond, {10, 10, 30, 22}},       {csLineVert, {20, 10, 20, 21}},   {csLineHorz, {10, 16, 29, 16}},
        {csRoundRect, {10, 10, 29, 21}},     {csEllips, {10, 10, 29, 21}},     {csSquare, {11, 11, 20, 20}},
        {csRoundSquare, {10, 10, 21, 21}},   {csStar, {10, 10, 30, 21}},       {csArrowUp, {10, 10, 30, 22}},
        {csArrowDown, {10, 10, 30, 22}},     {csArrowLeft, {10, 10, 30, 22}},  {csArrowRight, {10, 10, 30, 22}},
        {csHalfStar, {10, 10, 20, 21}},
    };
    static_assert(std::size(Cases) == 19);
    for (const Case& C : Cases) {
        Paper P(40, 40);
        DrawCellShape(P.Canvas(), 10, 10, 20, 12, C.Shape, clRed, clBlue);
        EXPECT_EQ(P.Painted(), C.Bounds) << "shape " << C.Shape;
    }
    Paper Star(40, 40);
    DrawCellShape(Star.Canvas(), 10, 10, 20, 12, csStar, clRed, clBlue);
    EXPECT_EQ(Star.At(20, 16), clRed);  // brush inside, pen outline
    EXPECT_EQ(Star.At(20, 10), clBlue);
    Paper Nothing(40, 40);
    DrawCellShape(Nothing.Canvas(), 10, 10, 20, 12, static_cast<TCellShape>(19), clRed, clBlue);
    EXPECT_GT(Nothing.Painted().Left, Nothing.Painted().Right);
}

TProgressLook plainLook() {
    TProgressLook L;
    L.Level0Color = RGB(0, 200, 0);
    L.Level1Color = RGB(200, 200, 0);
    L.Level2Color = RGB(200, 100, 0);
    L.Level3Color = RGB(200, 0, 0);
    L.Level0ColorTo = L.Level1ColorTo = L.Level2ColorTo = L.Level3ColorTo = clNone;
    L.Level1Perc = 50;
    L.Level2Perc = 80;
    L.BorderColor = clBlack;
    L.ShowBorder = true;
    L.BackgroundColor = RGB(250, 250, 250);
    L.FontColor = clBlack;
    L.Steps = 4;
    return L;
}

TEST(DrawCellProgress, BackgroundFrameAndSmoothLevels) {
    // (0, 0, 102, 12): 100 pixels inside the frame.
    Paper Zero(110, 20);
    DrawCellProgress(Zero.Canvas(), Rect(0, 0, 102, 12), 0, plainLook());
    EXPECT_EQ(Zero.At(0, 5), clBlack);
    EXPECT_EQ(Zero.At(101, 5), clBlack);
    EXPECT_EQ(Zero.At(1, 5), RGB(250, 250, 250));
    EXPECT_EQ(Zero.At(50, 5), RGB(250, 250, 250));

    struct Case {
        int Position;
        TColor Color;
    };
    const Case Cases[] = {{30, RGB(0, 200, 0)}, {50, RGB(200, 200, 0)}, {85, RGB(200, 100, 0)}, {100, RGB(200, 0, 0)}};
    for (const Case& C : Cases) {
        Paper P(110, 20);
        TProgressLook L = plainLook();
        L.CompletionSmooth = true;
        DrawCellProgress(P.Canvas(), Rect(0, 0, 102, 12), C.Position, L);
        EXPECT_EQ(P.At(1, 5), C.Color) << C.Position;
        EXPECT_EQ(P.At(C.Position, 5), C.Color) << C.Position;
        if (C.Position < 100) {
            EXPECT_EQ(P.At(C.Position + 1, 5), RGB(250, 250, 250)) << C.Position;
        }
    }
}

TEST(DrawCellProgress, BlocksOfSevenWithTwoPixelGaps) {
    Paper P(110, 20);
    TProgressLook L = plainLook();
    L.ShowBorder = false;
    DrawCellProgress(P.Canvas(), Rect(0, 0, 102, 12), 23, L);  // 23 pixels: blocks 2-8, 11-17, 20-23
    const TColor Bg = RGB(250, 250, 250), Bar = RGB(0, 200, 0);
    for (int X = 0; X < 30; ++X) {
        const bool Block = (X >= 2 && X <= 8) || (X >= 11 && X <= 17) || (X >= 20 && X <= 23);
        EXPECT_EQ(P.At(X, 5), Block ? Bar : Bg) << "x=" << X;
    }
    EXPECT_EQ(P.At(5, 1), Bg);  // blocks keep 2 pixels from the top and bottom
    EXPECT_EQ(P.At(5, 2), Bar);
    EXPECT_EQ(P.At(5, 9), Bar);
    EXPECT_EQ(P.At(5, 10), Bg);

    // Vertical: the same from the bottom up.
    Paper V(20, 110);
    L.Orientation = goVertical;
    DrawCellProgress(V.Canvas(), Rect(0, 0, 12, 102), 23, L);
    for (int Y = 70; Y < 102; ++Y) {
        const int Offset = 102 - Y;  // bottom edge is 102
        const bool Block =
            (Offset >= 2 + 1 && Offset <= 9) || (Offset >= 12 && Offset <= 18) || (Offset >= 21 && Offset <= 24);
        EXPECT_EQ(V.At(5, Y), Block ? Bar : Bg) << "y=" << Y;
    }
}

TEST(DrawCellProgress, StackedSegmentsFillTheWholeBarAt100) {
    Paper P(110, 20);
    TProgressLook L = plainLook();
    L.Stacked = true;
    DrawCellProgress(P.Canvas(), Rect(0, 0, 102, 12), 100, L);
    const TColor Level0 = RGB(0, 200, 0), Level1 = RGB(200, 200, 0), Level3 = RGB(200, 0, 0);
    for (int X = 1; X <= 100; ++X) EXPECT_EQ(P.At(X, 5), X <= 50 ? Level0 : (X <= 80 ? Level1 : Level3)) << X;
    EXPECT_EQ(P.At(101, 5), clBlack);

    Paper Part(110, 20);
    DrawCellProgress(Part.Canvas(), Rect(0, 0, 102, 12), 60, L);  // stops in the second segment
    EXPECT_EQ(Part.At(50, 5), Level0);
    EXPECT_EQ(Part.At(60, 5), Level1);
    EXPECT_EQ(Part.At(61, 5), RGB(250, 250, 250));

    Paper Beyond(110, 20);
    DrawCellProgress(Beyond.Canvas(), Rect(0, 0, 102, 12), 250, L);  // stays inside its frame
    EXPECT_EQ(Beyond.At(101, 5), clBlack);
    EXPECT_EQ(Beyond.At(103, 5), clWhite);
}

TEST(DrawCellProgress, MirroredGradientAndUpwardText) {
    Paper P(110, 30);
    TProgressLook L = plainLook();
    L.ShowGradient = true;
    L.Level0Color = RGB(0, 0, 200);
    L.Level0ColorTo = RGB(0, 0, 100);
    L.Steps = 20;
    L.CompletionSmooth = true;
    DrawCellProgress(P.Canvas(), Rect(0, 0, 102, 22), 40, L);
    EXPECT_EQ(P.At(10, 1), RGB(0, 0, 100));  // ColorTo at both edges, Color at the centre line
    EXPECT_EQ(P.At(10, 20), RGB(0, 0, 100));
    EXPECT_EQ(P.At(10, 11), RGB(0, 0, 200));

    TFont Font;
    Font.SetName(QStringLiteral("Arial"));
    Font.SetSize(10);
    L = plainLook();
    L.ShowPercentage = true;
    L.Font = &Font;
    L.FontColor = RGB(1, 2, 3);
    L.Orientation = goVertical;
    Paper V(40, 120);
    DrawCellProgress(V.Canvas(), Rect(0, 0, 30, 110), 0, L);
    int MinX = 999, MaxX = -1, MinY = 999, MaxY = -1;
    // Text is smoothed: every pixel inside the frame that is not the background is text.
    for (int Y = 1; Y < 109; ++Y)
        for (int X = 1; X < 29; ++X)
            if (V.At(X, Y) != RGB(250, 250, 250))
                MinX = std::min(MinX, X), MaxX = std::max(MaxX, X), MinY = std::min(MinY, Y), MaxY = std::max(MaxY, Y);
    ASSERT_GE(MaxX, 0);
    EXPECT_GT(MaxY - MinY, MaxX - MinX);  // "0%" reads upwards
    EXPECT_NEAR((MinY + MaxY) / 2.0, 55, 4);
    EXPECT_NEAR((MinX + MaxX) / 2.0, 15, 4);
}

TEST(DrawClassicProgress, TextChangesColourWhereTheBarEnds) {
    Paper P(110, 30);
    P.Canvas()->Font()->SetName(QStringLiteral("Arial"));
    P.Canvas()->Font()->SetHeight(-16);
    const TColor Done = RGB(0, 0, 150), DoneText = RGB(255, 255, 0), Rest = RGB(220, 220, 220), RestText = RGB(1, 1, 1);
    DrawClassicProgress(P.Canvas(), Rect(0, 0, 100, 30), Done, DoneText, Rest, RestText, 50, 0, 0, 0, 100, String(),
                        clNone, false);
    int DoneTextCount = 0, RestTextCount = 0;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 100; ++X) {
            const TColor C = P.At(X, Y);
            if (X < 50) {
                EXPECT_NE(C, Rest) << X << "," << Y;
                EXPECT_NE(C, RestText) << X << "," << Y;
                DoneTextCount += C != Done;
            } else {
                EXPECT_NE(C, Done) << X << "," << Y;
                EXPECT_NE(C, DoneText) << X << "," << Y;
                RestTextCount += C != Rest;
            }
        }
    EXPECT_GT(DoneTextCount, 5);  // "50%" straddles the split
    EXPECT_GT(RestTextCount, 5);
}

TEST(DrawClassicProgress, DoneWidthFormatsBordersAndAnEmptySpan) {
    struct Case {
        double Value;
        int Min, Max;
        const char* Format;
        int DoneRight;  // first column of the rest, on a 100-pixel bar
    };
    const Case Cases[] = {
        {7, 0, 10, "%d items", 70}, {7.25, 0, 10, "%.1f", 73}, {150, 0, 100, "", 100},
        {-20, 0, 100, "", 0},       {5, 3, 3, "%d", 0},  // no span: no bar
    };
    for (const Case& C : Cases) {
        Paper P(110, 30);
        P.Canvas()->Brush()->SetColor(RGB(9, 9, 9));  // the cell's background, framed around the border
        DrawClassicProgress(P.Canvas(), Rect(2, 2, 102, 28), RGB(0, 0, 150), clWhite, RGB(220, 220, 220), clBlack,
                            C.Value, 0, 0, C.Min, C.Max, QString::fromLatin1(C.Format), clRed, false);
        for (int X = 2; X < 102; X += 7)
            EXPECT_EQ(P.At(X, 3), X < 2 + C.DoneRight ? RGB(0, 0, 150) : RGB(220, 220, 220)) << C.Format << " x=" << X;
        EXPECT_EQ(P.At(1, 10), clRed) << C.Format;
        EXPECT_EQ(P.At(0, 10), RGB(9, 9, 9)) << C.Format;
    }
    Paper Bad(110, 30);
    EXPECT_THROW(DrawClassicProgress(Bad.Canvas(), Rect(2, 2, 102, 28), 0, 0, 0, 0, 5, 0, 0, 0, 10,
                                     QStringLiteral("%s"), clNone, false),
                 EConvertError);
}

// Pixels of Color in the pie and whether each lies within the sector from 12 o'clock clockwise.
void checkPie(int Percent, int Size) {
    Paper P(Size + 1, Size + 1);
    const TColor Fill = RGB(0, 120, 255);
    DrawProgressPie(P.Canvas(), Rect(0, 0, Size + 1, Size + 1), Fill, Percent, false);
    const double CX = Size / 2.0, CY = Size / 2.0;
    int Inside = 0;
    for (int Y = 0; Y <= Size; ++Y)
        for (int X = 0; X <= Size; ++X) {
            if (P.At(X, Y) != Fill) continue;
            ++Inside;
            double A = std::atan2(X - CX, CY - Y) * 180 / std::numbers::pi;
            if (A < 0) A += 360;
            EXPECT_LE(A, Percent * 3.6 + 4) << Percent << "% at " << X << "," << Y;
        }
    const double Disc = std::numbers::pi * Size * Size / 4;
    // The grey outline and radii cover part of the sector.
    EXPECT_NEAR(Inside, Disc * Percent / 100, Disc * 0.03 + std::numbers::pi * Size * Percent / 100 + Size + 5)
        << Percent;
    EXPECT_EQ(P.At(Size / 2, 1), RGB(128, 128, 128));  // the radius to twelve o'clock stays
}

TEST(DrawProgressPie, SectorFromTwelveOClockClockwise) {
    checkPie(0, 40);
    checkPie(1, 200);
    checkPie(25, 40);
    checkPie(60, 60);
    Paper Quarter(41, 41);
    DrawProgressPie(Quarter.Canvas(), Rect(0, 0, 41, 41), clRed, 25, false);
    EXPECT_EQ(Quarter.At(28, 10), clRed);
    EXPECT_NE(Quarter.At(10, 10), clRed);
    EXPECT_NE(Quarter.At(28, 30), clRed);
    EXPECT_NE(Quarter.At(10, 30), clRed);
    EXPECT_EQ(Quarter.At(20, 1), RGB(128, 128, 128));
    EXPECT_EQ(Quarter.At(0, 20), RGB(128, 128, 128));  // the grey outline
}

}  // namespace
