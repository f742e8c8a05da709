#include "framework/ui/GdiObjects.h"

#include "framework/ui/Gdi.h"
#include "framework/ui/Graphics.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The region's pixels as rows of '#' and '.' over a W x H area.
std::string picture(HRGN Rgn, int W, int H) {
    std::string S;
    for (int Y = 0; Y < H; ++Y) {
        for (int X = 0; X < W; ++X) S += PtInRegion(Rgn, X, Y) ? '#' : '.';
        S += '\n';
    }
    return S;
}

TEST(Regions, ShapesHoldTheirPixelsAndExcludeTheFarEdges) {
    HRGN Rect = CreateRectRgn(5, 4, 1, 1);  // reversed corners are swapped
    EXPECT_EQ(picture(Rect, 6, 5),
              "......\n"
              ".####.\n"
              ".####.\n"
              ".####.\n"
              "......\n");
    HRGN Round = CreateRoundRectRgn(0, 0, 10, 6, 6, 6);
    EXPECT_EQ(picture(Round, 10, 6),
              ".########.\n"
              "##########\n"
              "##########\n"
              "##########\n"
              "##########\n"
              ".########.\n");
    HRGN Ellipse = CreateEllipticRgn(0, 0, 8, 8);
    EXPECT_FALSE(PtInRegion(Ellipse, 0, 0));
    EXPECT_TRUE(PtInRegion(Ellipse, 4, 4));
    EXPECT_TRUE(PtInRegion(Ellipse, 0, 4));
    EXPECT_FALSE(PtInRegion(Ellipse, 8, 4));
    const TPoint Triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    HRGN Poly = CreatePolygonRgn(Triangle, 3, WINDING);
    EXPECT_TRUE(PtInRegion(Poly, 1, 1));
    EXPECT_FALSE(PtInRegion(Poly, 6, 6));
    EXPECT_EQ(CreatePolygonRgn(Triangle, 2, WINDING), nullptr);
    for (HRGN R : {Rect, Round, Ellipse, Poly}) EXPECT_TRUE(DeleteObject(R));
}

TEST(Regions, CombineByEveryModeAndReportTheKind) {
    struct Case {
        int Mode;
        int Kind;
        std::string Row;  // row 0 over x = 0 .. 5
    };
    const Case Cases[] = {
        {RGN_AND, SIMPLEREGION, "..#..."},  {RGN_OR, SIMPLEREGION, "#####."},   {RGN_XOR, COMPLEXREGION, "##.##."},
        {RGN_DIFF, SIMPLEREGION, "##...."}, {RGN_COPY, SIMPLEREGION, "###..."},
    };
    for (const Case& C : Cases) {
        HRGN A = CreateRectRgn(0, 0, 3, 1);
        HRGN B = CreateRectRgn(2, 0, 5, 1);
        HRGN Dest = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(Dest, A, B, C.Mode), C.Kind) << "mode " << C.Mode;
        EXPECT_EQ(picture(Dest, 6, 1), C.Row + "\n") << "mode " << C.Mode;
        EXPECT_EQ(CombineRgn(A, A, B, C.Mode), C.Kind) << "the destination may be a source";
        for (HRGN R : {A, B, Dest}) DeleteObject(R);
    }
    HRGN A = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(CombineRgn(A, A, A, RGN_DIFF), NULLREGION);
    TRect Box{9, 9, 9, 9};
    EXPECT_EQ(GetRgnBox(A, &Box), NULLREGION);
    EXPECT_EQ(CombineRgn(A, A, nullptr, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(A, A, A, 42), RGN_ERROR);
    EXPECT_TRUE(DeleteObject(A));
    EXPECT_FALSE(DeleteObject(A)) << "a freed handle is refused";
    EXPECT_FALSE(PtInRegion(A, 0, 0));
}

TEST(Regions, ASelectedClipRegionLimitsDrawingInDeviceUnitsUntilRemoved) {
    TBitmap Bitmap{20, 20};
    TCanvas* C = Bitmap.Canvas();
    C->Brush()->SetColor(clWhite);
    C->FillRect(Rect(0, 0, 20, 20));
    HRGN Clip = CreateRoundRectRgn(0, 0, 20, 20, 12, 12);
    EXPECT_EQ(SelectClipRgn(C->Handle(), Clip), COMPLEXREGION);
    DeleteObject(Clip);  // the context keeps its own copy
    SetWindowOrgEx(C->Handle(), 5, 5, nullptr);
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(5, 5, 25, 25));  // the whole surface, in logical units
    SetWindowOrgEx(C->Handle(), 0, 0, nullptr);
    EXPECT_EQ(SelectClipRgn(C->Handle(), nullptr), SIMPLEREGION);
    EXPECT_EQ(C->Pixels(0, 0), clWhite) << "the rounded corner stays out";
    EXPECT_EQ(C->Pixels(10, 10), clRed);
    C->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(C->Pixels(0, 0), clRed);
    EXPECT_EQ(SelectClipRgn(nullptr, nullptr), RGN_ERROR);
}

}  // namespace
