// The focus frame: the blur's kernel and its effect, the round-rectangle mask, the alpha mask
// made from a mask and a colour bitmap (and copied between masks of other sizes), and the frame
// window a grid shows around its current cell.
#include "components/grid/GridFocusWindow.h"
#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/Exceptions.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/WindowFunctions.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

namespace {

struct BGR {
    Byte B, G, R;
};

BGR pixel24(TBitmap& Bitmap, int X, int Y) {
    const auto* Row = static_cast<const Byte*>(Bitmap.ScanLine(Y));
    return {Row[3 * X], Row[3 * X + 1], Row[3 * X + 2]};
}

// B, G, R, A of a 32-bit pixel.
std::array<Byte, 4> pixel32(TBitmap& Bitmap, int X, int Y) {
    const auto* Row = static_cast<const Byte*>(Bitmap.ScanLine(Y));
    return {Row[4 * X], Row[4 * X + 1], Row[4 * X + 2], Row[4 * X + 3]};
}

void fill24(TBitmap& Bitmap, int W, int H, BGR Colour) {
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(W, H);
    for (int Y = 0; Y < H; ++Y) {
        auto* Row = static_cast<Byte*>(Bitmap.ScanLine(Y));
        for (int X = 0; X < W; ++X) {
            Row[3 * X] = Colour.B;
            Row[3 * X + 1] = Colour.G;
            Row[3 * X + 2] = Colour.R;
        }
    }
}

TEST(GridFocusWindow, BlurKernelOfRadiusThreeReachesEightWithCentre013357) {
    const TBlurKernel K = MakeBlurKernel(3.0);
    EXPECT_EQ(K.Size, 8);
    EXPECT_NEAR(K.Weight(0), 0.13357, 0.00001);
    float Sum = 0;
    for (int J = -K.Size; J <= K.Size; ++J) Sum += K.Weight(J);
    EXPECT_NEAR(Sum, 1.0, 1e-5);
    EXPECT_FLOAT_EQ(K.Weight(-3), K.Weight(3));
}

TEST(GridFocusWindow, BlurKeepsUniformAreasAndRefusesOtherFormats) {
    // Wider and taller than 41 pixels, so the middle rows and columns are copies.
    TBitmap White;
    fill24(White, 60, 50, {255, 255, 255});
    BlurBitmap(&White, 3.0);
    TBitmap Black;
    fill24(Black, 60, 50, {0, 0, 0});
    BlurBitmap(&Black, 3.0);
    for (int Y = 0; Y < 50; ++Y)
        for (int X = 0; X < 60; ++X) {
            const BGR W = pixel24(White, X, Y);
            ASSERT_GE(std::min({W.B, W.G, W.R}), 254) << X << "," << Y;
            const BGR B = pixel24(Black, X, Y);
            ASSERT_EQ(B.B | B.G | B.R, 0) << X << "," << Y;
        }

    TBitmap Wide;
    Wide.SetPixelFormat(pf32bit);
    Wide.SetSize(4, 4);
    const std::array<Byte, 4> Before = pixel32(Wide, 1, 1);
    try {
        BlurBitmap(&Wide, 3.0);
        FAIL() << "a 32-bit bitmap must be refused";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Blur only works for 24-bit bitmaps"));
    }
    EXPECT_EQ(pixel32(Wide, 1, 1), Before);
    EXPECT_EQ(Wide.PixelFormat(), pf32bit);
}

TEST(GridFocusWindow, RoundRectMaskIsARingOrAFilledShape) {
    TBitmap Ring;
    DrawRoundRectMask(&Ring, 40, 30, 4, 5, 0);
    EXPECT_EQ(Ring.PixelFormat(), pf24bit);
    EXPECT_EQ(pixel24(Ring, 3, 15).R, 0);
    EXPECT_EQ(pixel24(Ring, 4, 15).R, 255) << "outer edge inset by 2 + 4 div 2";
    EXPECT_EQ(pixel24(Ring, 7, 15).R, 255);
    EXPECT_EQ(pixel24(Ring, 20, 15).R, 0) << "a ring: black inside";

    TBitmap Filled;
    DrawRoundRectMask(&Filled, 40, 30, 0, 5, 0);
    EXPECT_EQ(pixel24(Filled, 20, 15).R, 255);
    EXPECT_EQ(pixel24(Filled, 1, 15).R, 0);

    // Blurred: the hard edge becomes a slope on both sides of the ring.
    TBitmap Soft;
    DrawRoundRectMask(&Soft, 40, 30, 4, 5, 3.0);
    EXPECT_GT(pixel24(Soft, 2, 15).R, 0);
    EXPECT_LT(pixel24(Soft, 2, 15).R, pixel24(Soft, 5, 15).R);
}

TEST(GridFocusWindow, MergeMaskTurnsTheMasksRedIntoPremultipliedAlpha) {
    TBitmap Mask;
    fill24(Mask, 3, 2, {9, 7, 128});  // green and blue are not read
    TBitmap Colour;
    fill24(Colour, 3, 2, {253, 211, 151});
    TGridAlphaMask Alpha;
    Alpha.MergeMask(&Mask, &Colour, clRed);
    ASSERT_EQ(Alpha.Width(), 3);
    ASSERT_EQ(Alpha.Height(), 2);
    EXPECT_EQ(Alpha.PixelFormat(), pf32bit);
    const auto P = pixel32(Alpha, 2, 1);
    EXPECT_EQ(P[3], 128);
    EXPECT_EQ(P[0], std::lround(128 / 255.0 * 253));
    EXPECT_EQ(P[1], std::lround(128 / 255.0 * 211));
    EXPECT_EQ(P[2], std::lround(128 / 255.0 * 151));

    // A colour bitmap of another format: nothing happens.
    TBitmap Wide;
    Wide.SetPixelFormat(pf32bit);
    Wide.SetSize(5, 5);
    Alpha.MergeMask(&Mask, &Wide, clNone);
    EXPECT_EQ(Alpha.Width(), 3);

    // A mask smaller than the colour bitmap: no alpha where it does not reach.
    TBitmap Big;
    fill24(Big, 6, 4, {253, 211, 151});
    Alpha.MergeMask(&Mask, &Big, clNone);
    ASSERT_EQ(Alpha.Width(), 6);
    EXPECT_EQ(pixel32(Alpha, 1, 1)[3], 128);
    EXPECT_EQ(pixel32(Alpha, 5, 3), (std::array<Byte, 4>{0, 0, 0, 0}));
    EXPECT_EQ(pixel32(Alpha, 3, 0)[3], 0);
}

TEST(GridFocusWindow, AssignCopiesTheOverlapOfTwoMasks) {
    TBitmap Mask;
    fill24(Mask, 4, 3, {0, 0, 200});
    TBitmap Colour;
    fill24(Colour, 4, 3, {10, 20, 30});
    TGridAlphaMask Small;
    Small.MergeMask(&Mask, &Colour, clNone);
    Small.SetOpacity(99);

    TGridAlphaMask Big;
    Big.SetSize(8, 6);
    const auto Beyond = pixel32(Big, 4, 2);
    Big.Assign(&Small);
    EXPECT_EQ(Big.Opacity(), 99);
    EXPECT_EQ(Big.Width(), 8) << "keeps its own size";
    EXPECT_EQ(pixel32(Big, 3, 2), pixel32(Small, 3, 2));
    EXPECT_EQ(pixel32(Big, 4, 2), Beyond) << "beyond the source: left as it was";
    EXPECT_EQ(pixel32(Big, 0, 3), Beyond);

    TGridAlphaMask Tiny;
    Tiny.SetSize(2, 2);
    Tiny.Assign(&Small);
    EXPECT_EQ(pixel32(Tiny, 1, 1), pixel32(Small, 1, 1));

    // From a plain bitmap: the bitmap's own assignment, ending 32-bit.
    TGridAlphaMask FromBitmap;
    FromBitmap.Assign(&Colour);
    EXPECT_EQ(FromBitmap.Width(), 4);
    EXPECT_EQ(FromBitmap.PixelFormat(), pf32bit);
}

struct FrameFixture : ::testing::Test {
    TPlatformFactsScope Facts;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    void SetUp() override {
        Form->SetBounds(100, 100, 400, 300);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(10, 10, 350, 250);
        Grid->SetColWidths(1, 100);
        Grid->SetRowHeights(1, 20);
        Grid->SetCol(1);
        Grid->SetRow(1);
        Form->Show();
    }
    void TearDown() override { Grid->HideFocusWindow(); }
};

TEST_F(FrameFixture, FrameOfAHundredByTwentyCellIs109By29AroundItWithTheCellCutOut) {
    const TRect Cell = Grid->CellRect(1, 1);
    ASSERT_EQ(Cell.Width(), 100);
    ASSERT_EQ(Cell.Height(), 20);
    Grid->UpdateFocusWindow();
    TGridFocusWindow* Frame = Grid->FocusWindow();
    EXPECT_TRUE(Frame->Visible());
    const TPoint At = Grid->ClientToScreen(Point(Cell.Left - 4, Cell.Top - 4));
    EXPECT_EQ(Frame->BoundsRect(), Bounds(At.X, At.Y, 109, 29));
    EXPECT_NEAR(LayeredWindowOpacity(Frame->Handle()), 230 / 255.0, 0.001);

    HRGN Shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Frame->Handle(), Shape), RGN_ERROR);
    EXPECT_TRUE(PtInRegion(Shape, 0, 0));
    EXPECT_TRUE(PtInRegion(Shape, 3, 3));
    EXPECT_FALSE(PtInRegion(Shape, 4, 4)) << "the cell is not part of the window";
    EXPECT_FALSE(PtInRegion(Shape, 103, 23));
    EXPECT_TRUE(PtInRegion(Shape, 104, 24));
    EXPECT_TRUE(PtInRegion(Shape, 108, 28));
    DeleteObject(Shape);

    // Over a white page: the glow tints the margin and leaves the cell alone.
    TBitmap Shot(109, 29);
    Shot.Canvas()->Brush()->SetColor(clWhite);
    Shot.Canvas()->FillRect(Rect(0, 0, 109, 29));
    DrawWindowAsShown(Frame->Handle(), Shot.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(Shot.Canvas()->Pixels(50, 14), clWhite);
    const TColor Glow = Shot.Canvas()->Pixels(50, 3);
    EXPECT_LT(GetRValue(Glow), 250) << "tinted towards red 151";
    EXPECT_GT(GetBValue(Glow), GetRValue(Glow));

    // A smaller cell builds a new image; an off-view cell hides the frame.
    Grid->SetColWidths(1, 60);
    Grid->UpdateFocusWindow();
    EXPECT_EQ(Frame->Width(), 69);
    Grid->SetColWidths(1, 1000);
    Grid->UpdateFocusWindow();
    EXPECT_FALSE(Frame->Visible()) << "not fully in view";
}

TEST_F(FrameFixture, WithoutTranslucentWindowsTheGridPaintsARing) {
    PlatformFacts().TranslucentWindows = false;
    ActiveFocusGrid = Grid;
    Grid->UpdateFocusWindow();
    EXPECT_FALSE(Grid->FocusWindow()->Visible());
    const TRect Cell = Grid->CellRect(1, 1);
    TBitmap Shot(350, 250);
    Grid->PaintTo(Shot.Canvas(), 0, 0);
    EXPECT_EQ(Shot.Canvas()->Pixels(Cell.Left + 50, Cell.Top - 3), kFocusFrameColor);
    EXPECT_NE(Shot.Canvas()->Pixels(Cell.Left + 50, Cell.Top + 10), kFocusFrameColor);
}

}  // namespace
