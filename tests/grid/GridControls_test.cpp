// The grid's move arrows: popup windows shaped by their outline tables and filled with the
// grid's arrow colour.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/WindowFunctions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ArrowCase {
    TArrowDirection Direction;
    TPoint Outline[7];
    TPoint Inside;   // near the tip
    TPoint Outside;  // beside the shaft
};

// The outlines as the arrows are drawn; arrLeft points right and arrRight left.
const ArrowCase kArrows[] = {
    {arrUp, {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}, {5, 2}, {1, 7}},
    {arrDown, {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}, {5, 6}, {1, 1}},
    {arrLeft, {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}, {6, 5}, {1, 1}},
    {arrRight, {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}, {2, 5}, {7, 1}},
};

struct ArrowFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    void SetUp() override {
        Form->SetBounds(100, 100, 300, 200);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 250, 150);
        Form->HandleNeeded();
    }
};

TEST_F(ArrowFixture, EachArrowsRegionIsItsOutline) {
    for (const ArrowCase& C : kArrows) {
        SCOPED_TRACE(int(C.Direction));
        TArrowWindow* A = Grid->ArrowWindow(C.Direction);
        ASSERT_EQ(A->Direction(), C.Direction);
        HWND Wnd = A->Handle();
        for (int I = 0; I < 7; ++I) EXPECT_EQ(A->Outline()[I], C.Outline[I]) << "point " << I;
        HRGN Shape = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetWindowRgn(Wnd, Shape), COMPLEXREGION);
        HRGN Expected = CreatePolygonRgn(C.Outline, 7, WINDING);
        EXPECT_EQ(CombineRgn(Expected, Expected, Shape, RGN_XOR), NULLREGION);
        EXPECT_TRUE(PtInRegion(Shape, C.Inside.X, C.Inside.Y));
        EXPECT_FALSE(PtInRegion(Shape, C.Outside.X, C.Outside.Y));
        DeleteObject(Expected);
        DeleteObject(Shape);
        EXPECT_TRUE(GetWindowLong(Wnd, GWL_STYLE) & LONG(WS_POPUP));
    }
}

TEST_F(ArrowFixture, ArrowsStartHiddenInLimeAndTakeTheGridsArrowColour) {
    for (const ArrowCase& C : kArrows) {
        TArrowWindow* A = Grid->ArrowWindow(C.Direction);
        EXPECT_FALSE(A->Visible());
        EXPECT_EQ(A->Parent(), Grid);
    }
    Grid->SetArrowColor(clRed);
    for (const ArrowCase& C : kArrows) EXPECT_EQ(Grid->ArrowWindow(C.Direction)->Color(), clRed);
    EXPECT_EQ(Grid->ArrowColor(), clRed);

    // Shown: the colour inside the outline, what lies below elsewhere.
    TArrowWindow* A = Grid->ArrowWindow(arrLeft);
    A->SetBounds(300, 300, 9, 11);
    A->Show();
    TBitmap Shot(9, 11);
    Shot.Canvas()->Brush()->SetColor(clWhite);
    Shot.Canvas()->FillRect(Rect(0, 0, 9, 11));
    ASSERT_TRUE(DrawWindowAsShown(A->Handle(), Shot.Canvas()->Handle(), 0, 0));
    EXPECT_EQ(Shot.Canvas()->Pixels(6, 5), clRed);
    EXPECT_EQ(Shot.Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(A->ClientToScreen(Point(0, 0)), Point(300, 300)) << "placed in screen coordinates";
}

}  // namespace
