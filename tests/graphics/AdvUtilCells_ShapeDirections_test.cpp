// Shapes that share a bounding box (the four triangles, the four arrows, the diamond, the
// rounded and the round shapes) told apart by the pixels inside the box; the stacked bar and the
// mirrored gradient of a vertical bar.
#include "components/graphics/AdvUtilCells.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Probe {
    int X, Y;
    bool Painted;
};

struct ShapeCase {
    TCellShape Shape;
    int X, Y, W, H;
    std::vector<Probe> Probes;
};

TEST(DrawCellShape, DirectionAndCornersTellShapesWithOneBoxApart) {
    // Box (10, 10, 30, 22): centre (20, 16). Probes well inside the shape or well outside it.
    // Box (0, 0, 40, 30): circles and squares take 30 x 30; rounded corners have a radius of 5.
    const ShapeCase Cases[] = {
        {csTriangleLeft, 10, 10, 20, 12, {{13, 12, false}, {27, 12, true}, {13, 20, false}, {27, 20, true}}},
        {csTriangleRight, 10, 10, 20, 12, {{13, 12, true}, {27, 12, false}, {13, 20, true}, {27, 20, false}}},
        {csTriangleUp, 10, 10, 20, 12, {{13, 12, false}, {27, 12, false}, {13, 20, true}, {27, 20, true}}},
        {csTriangleDown, 10, 10, 20, 12, {{13, 12, true}, {27, 12, true}, {13, 20, false}, {27, 20, false}}},
        {csDiamond,
         10,
         10,
         20,
         12,
         {{13, 12, false}, {27, 12, false}, {13, 20, false}, {27, 20, false}, {20, 16, true}}},
        // Up: the head spans the top half, the shaft the lower middle.
        {csArrowUp, 10, 10, 20, 12, {{13, 15, true}, {13, 17, false}, {20, 20, true}, {20, 11, true}}},
        {csArrowDown, 10, 10, 20, 12, {{13, 15, false}, {13, 17, true}, {20, 12, true}, {20, 21, true}}},
        {csArrowLeft, 10, 10, 20, 12, {{18, 12, true}, {22, 12, false}, {27, 16, true}, {27, 11, false}}},
        {csArrowRight, 10, 10, 20, 12, {{18, 12, false}, {22, 12, true}, {13, 16, true}, {13, 11, false}}},
        {csRoundRect, 0, 0, 40, 30, {{0, 0, false}, {3, 3, true}, {36, 26, true}, {39, 29, false}, {0, 15, true}}},
        {csEllips, 0, 0, 40, 30, {{3, 3, false}, {36, 26, false}, {20, 15, true}, {35, 15, true}}},
        {csCircle, 0, 0, 40, 30, {{3, 3, false}, {15, 15, true}, {32, 15, false}}},
        {csSquare, 0, 0, 40, 30, {{1, 1, true}, {3, 3, true}, {28, 28, true}, {32, 15, false}}},
        {csRoundSquare, 0, 0, 40, 30, {{0, 0, false}, {3, 3, true}, {26, 26, true}, {0, 15, true}, {32, 15, false}}},
        {csRectangle, 0, 0, 40, 30, {{0, 0, false}, {1, 1, true}, {38, 28, true}, {39, 29, false}}},
        // The star's notches between its points stay empty.
        {csStar, 0, 0, 40, 30, {{20, 15, true}, {20, 1, true}, {12, 6, false}, {28, 6, false}, {20, 27, false}}},
        {csHalfStar, 0, 0, 40, 30, {{19, 15, true}, {12, 6, false}, {25, 15, false}}},
    };
    for (const ShapeCase& C : Cases) {
        Paper P(45, 35);
        DrawCellShape(P.Canvas(), C.X, C.Y, C.W, C.H, C.Shape, clRed, clBlue);
        for (const Probe& Pr : C.Probes)
            EXPECT_EQ(P.At(Pr.X, Pr.Y) != clWhite, Pr.Painted) << "shape " << C.Shape << " at " << Pr.X << "," << Pr.Y;
    }
}

TProgressLook stackedLook() {
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
    L.Steps = 4;
    L.Stacked = true;
    L.Orientation = goVertical;
    return L;
}

TEST(DrawCellProgress, VerticalStackedSegmentsGrowUpwards) {
    // (0, 0, 12, 102): 100 pixels inside; at 100 the segments are 50, 30 and 20 long. The third
    // starts one pixel above the second's top, as the bar is laid out.
    const TColor Bg = RGB(250, 250, 250), Level0 = RGB(0, 200, 0), Level1 = RGB(200, 200, 0), Level3 = RGB(200, 0, 0);
    struct Case {
        int Position;
        std::vector<std::pair<int, TColor>> Rows;  // row, colour at column 5
    };
    const Case Cases[] = {
        {100, {{100, Level0}, {52, Level0}, {51, Level1}, {22, Level1}, {21, Bg}, {20, Level3}, {1, Level3}}},
        {60, {{100, Level0}, {52, Level0}, {51, Level1}, {42, Level1}, {41, Bg}, {1, Bg}}},
        {30, {{100, Level0}, {72, Level0}, {71, Bg}}},
        {0, {{100, Bg}, {50, Bg}}},
    };
    for (const Case& C : Cases) {
        Paper P(20, 110);
        DrawCellProgress(P.Canvas(), Rect(0, 0, 12, 102), C.Position, stackedLook());
        for (const auto& [Row, Color] : C.Rows) EXPECT_EQ(P.At(5, Row), Color) << C.Position << " row " << Row;
        EXPECT_EQ(P.At(5, 0), clBlack) << C.Position;
        EXPECT_EQ(P.At(5, 101), clBlack) << C.Position;
        EXPECT_EQ(P.At(0, 50), clBlack) << C.Position;
    }
}

TEST(DrawCellProgress, VerticalGradientIsMirroredAcrossTheWidth) {
    TProgressLook L = stackedLook();
    L.Stacked = false;
    L.CompletionSmooth = true;
    L.ShowGradient = true;
    L.Steps = 20;
    L.Level0Color = RGB(0, 0, 200);
    L.Level0ColorTo = RGB(0, 0, 100);
    Paper P(30, 110);
    DrawCellProgress(P.Canvas(), Rect(0, 0, 24, 102), 40, L);  // 40 pixels up from the bottom
    EXPECT_EQ(P.At(1, 90), RGB(0, 0, 100));                    // ColorTo at both sides
    EXPECT_EQ(P.At(22, 90), RGB(0, 0, 100));
    EXPECT_EQ(P.At(12, 90), RGB(0, 0, 200));  // Color on the centre line
    EXPECT_EQ(P.At(12, 61), RGB(0, 0, 200));
    EXPECT_EQ(P.At(12, 60), RGB(250, 250, 250));
}

}  // namespace
