// The grid control painted offscreen with its first answers for each cell's look: fixed and
// normal backgrounds, grid lines, hover and active rows, the Vista selection frame focused and
// not, the reserved last row, and one content call per merged area.
#include "components/grid/VidIvezadOrir.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// Columns of 50 and rows of 20 from (0, 0) in a 300 x 200 grid without border or bars.
class TPaintedGrid : public TVidIvezadOrir {
public:
    TPaintedGrid() : TVidIvezadOrir(nullptr) {
        SetBorderStyle(bsNone);
        SetScrollBars(ssNone);
        SetBounds(0, 0, 300, 200);
        SetColCount(6);
        SetRowCount(10);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
        SetFixedRowHeight(20);
    }
    using TBaseGrid::SetHideLastRow;
    std::map<std::pair<int, int>, int> Rendered;

protected:
    void RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) override {
        ++Rendered[{ACol, ARow}];
        TVidIvezadOrir::RenderCell(Canvas, ACol, ARow, Rect, State);
    }
};

class GridPaintingTest : public ::testing::Test {
protected:
    struct TFree {
        void operator()(TObject* O) const { O->Free(); }
    };
    std::unique_ptr<TPaintedGrid, TFree> Grid{new TPaintedGrid};
    std::unique_ptr<TBitmap> Image;

    TColor pixel(int X, int Y) {
        if (!Image) {
            Image = std::make_unique<TBitmap>(300, 200);
            Grid->Invalidate();
            Grid->PaintTo(Image->Canvas(), 0, 0);
        }
        return Image->Canvas()->Pixels(X, Y);
    }
    void repaint() { Image.reset(); }
};

TEST_F(GridPaintingTest, BackgroundsAndLines) {
    EXPECT_EQ(pixel(25, 10), ColorToRGB(clBtnFace));  // fixed corner
    EXPECT_EQ(pixel(175, 90), ColorToRGB(clWindow));  // a normal cell
    EXPECT_EQ(pixel(199, 90), 0xC0C0C0);              // its right line
    EXPECT_EQ(pixel(175, 99), 0xC0C0C0);              // its bottom line
    EXPECT_EQ(pixel(49, 70), 0x808080);               // a fixed cell's right line
    EXPECT_EQ(pixel(175, 19), 0x808080);              // the fixed row's bottom line
}

TEST_F(GridPaintingTest, HoverAndActiveRow) {
    Grid->SetHoverRow(true);
    Grid->SetHoverRowIdx(6);
    Grid->SetHoverRowColor(0x00E0FF);
    Grid->SetActiveRowShow(true);
    Grid->SetActiveRowColor(0xFFE0E0);
    Grid->SetRow(3);
    EXPECT_EQ(pixel(175, 130), 0x00E0FF);
    EXPECT_EQ(pixel(175, 70), 0xFFE0E0);
    EXPECT_EQ(pixel(25, 70), ColorToRGB(clBtnFace));
}

TEST_F(GridPaintingTest, VistaFrameFocusedAndUnfocused) {
    Grid->SetSelectionStyle(ssVista);
    Grid->SetRow(2);
    Grid->SetCol(2);  // x 100..149, y 40..59
    EXPECT_EQ(pixel(125, 40), 0xD9D9D9);
    EXPECT_EQ(pixel(125, 42), 0xF8F8F8);
    repaint();
    Grid->SetOptions(Grid->Options() + TGridOptions{goDrawFocusSelected});
    EXPECT_EQ(pixel(125, 40), 0xFDDE99);
    EXPECT_EQ(pixel(125, 42), 0xFDF8F1);
}

TEST_F(GridPaintingTest, ReservedLastRowAndMergedAreas) {
    Grid->SetHideLastRow(true);
    Grid->MergeCells(2, 3, 3, 2);
    Grid->SetCellEx(2, 3, QStringLiteral("merged"));
    EXPECT_EQ(pixel(175, 190), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(199, 199), ColorToRGB(clWindow));  // no lines in the reserved row
    EXPECT_EQ(Grid->Rendered.count({3, 9}), 0u);
    EXPECT_EQ((Grid->Rendered[{2, 3}]), 1);
    EXPECT_EQ(Grid->Rendered.count({3, 4}), 0u);
    EXPECT_EQ(pixel(149, 70), ColorToRGB(clWindow));  // no line inside the area
}

}  // namespace
