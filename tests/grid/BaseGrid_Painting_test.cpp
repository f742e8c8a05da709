// The base grid's cell painter, rendered offscreen and probed: grid lines, hover and active row,
// the selection frame focused and not, the reserved last row, and one content call per merged area.
#include "components/grid/BaseGrid.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// Cells of 50 x 20 from (0, 0): cell (c, r) covers x c*50 .. c*50+49, y r*20 .. r*20+19.
class TPaintGrid : public TBaseGrid {
public:
    explicit TPaintGrid() : TBaseGrid(nullptr) {
        SetBounds(0, 0, 300, 160);
        SetScrollBars(ssNone);
        SetBorderStyle(bsNone);
        SetColCount(6);
        SetRowCount(7);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
    }
    using TBaseGrid::SetHideLastRow;
    std::map<std::pair<int, int>, int> Rendered;

protected:
    bool IsNode(int) override { return false; }
    bool IsSummary(int) override { return false; }
    void RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) override {
        ++Rendered[{ACol, ARow}];
        TBaseGrid::RenderCell(Canvas, ACol, ARow, Rect, State);
    }
};

class BaseGridPaintingTest : public ::testing::Test {
protected:
    struct TFree {
        void operator()(TObject* O) const { O->Free(); }
    };
    std::unique_ptr<TPaintGrid, TFree> Grid{new TPaintGrid};
    std::unique_ptr<TBitmap> Image;

    TColor pixel(int X, int Y) {
        if (!Image) {
            Image = std::make_unique<TBitmap>(300, 160);
            Grid->PaintTo(Image->Canvas(), 0, 0);
        }
        return Image->Canvas()->Pixels(X, Y);
    }
};

TEST_F(BaseGridPaintingTest, GridLinesInTheirColoursAtTheCellsRightAndBottom) {
    EXPECT_EQ(pixel(199, 90), 0xC0C0C0);  // right line of normal cell (3, 4)
    EXPECT_EQ(pixel(175, 99), 0xC0C0C0);  // its bottom line
    EXPECT_EQ(pixel(49, 70), 0x808080);   // right line of fixed cell (0, 3)
    EXPECT_EQ(pixel(175, 19), 0x808080);  // bottom line of fixed cell (3, 0)
    EXPECT_EQ(pixel(175, 90), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(25, 70), ColorToRGB(clBtnFace));
}

TEST_F(BaseGridPaintingTest, LineColoursAndWidthFollowTheGrid) {
    Grid->SetGridLineColor(0x0000FF);
    Grid->SetGridFixedLineColor(0x00FF00);
    EXPECT_EQ(pixel(199, 90), 0x0000FF);
    EXPECT_EQ(pixel(49, 70), 0x00FF00);
    Image.reset();
    Grid->SetGridLineWidth(0);  // no normal lines; fixed ones stay
    EXPECT_EQ(pixel(199, 90), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(49, 70), 0x00FF00);
}

TEST_F(BaseGridPaintingTest, HoverAndActiveRows) {
    Grid->SetHoverRow(true);
    Grid->SetHoverRowIdx(5);
    Grid->SetHoverRowColor(0x00E0FF);
    Grid->SetActiveRowShow(true);
    Grid->SetActiveRowColor(0xFFE0E0);
    Grid->SetRow(2);
    Grid->SetCol(1);
    EXPECT_EQ(pixel(175, 110), 0x00E0FF);              // hover row, normal cell
    EXPECT_EQ(pixel(25, 110), ColorToRGB(clBtnFace));  // a fixed cell keeps its look
    EXPECT_EQ(pixel(175, 50), 0xFFE0E0);               // active row beside the current cell
    EXPECT_EQ(pixel(25, 50), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(175, 70), ColorToRGB(clWindow));
}

TEST_F(BaseGridPaintingTest, VistaSelectionFrameFocusedAndNot) {
    Grid->SetSelectionStyle(ssVista);
    Grid->SetRow(1);
    Grid->SetCol(1);  // cell (1, 1): x 50..99, y 20..39
    // Without focus: the grey frame.
    EXPECT_EQ(pixel(75, 20), 0xD9D9D9);
    EXPECT_EQ(pixel(75, 22), 0xF8F8F8);
    EXPECT_EQ(pixel(75, 21), 0xFBFAFA);  // inner top line
    Image.reset();
    // goDrawFocusSelected paints the focused look without the focus.
    Grid->SetOptions(Grid->Options() + TGridOptions{goDrawFocusSelected});
    EXPECT_EQ(pixel(75, 20), 0xFDDE99);
    EXPECT_EQ(pixel(75, 22), 0xFDF8F1);
    EXPECT_EQ(pixel(75, 21), 0xFDFBF6);
    EXPECT_EQ(pixel(75, 37), 0xFDF5E7);   // inner bottom line
    EXPECT_EQ(pixel(75, 38), 0xFDDE99);   // outer line at the bottom
    const TColor Bottom = pixel(75, 36);  // the gradient's end
    EXPECT_NEAR(int(Bottom & 0xFF), 0xD5, 3);
    EXPECT_NEAR(int((Bottom >> 8) & 0xFF), 0xEF, 3);
}

TEST_F(BaseGridPaintingTest, TheReservedLastRowIsPlain) {
    Grid->SetCellEx(3, 6, QStringLiteral("hidden"));
    Grid->SetHideLastRow(true);
    for (int X : {25, 175, 199})
        for (int Y : {121, 130, 139}) EXPECT_EQ(pixel(X, Y), ColorToRGB(clWindow)) << X << "," << Y;
    EXPECT_EQ(Grid->Rendered.count({3, 6}), 0u);
}

TEST_F(BaseGridPaintingTest, OneContentCallPerMergedAreaPerPaint) {
    Grid->MergeCells(2, 2, 3, 2);
    (void)pixel(0, 0);
    EXPECT_EQ((Grid->Rendered[{2, 2}]), 1);
    for (int c = 2; c <= 4; ++c) {
        for (int r = 2; r <= 3; ++r) {
            if (c != 2 || r != 2) {
                EXPECT_EQ(Grid->Rendered.count({c, r}), 0u) << c << "," << r;
            }
        }
    }
    Image.reset();
    Grid->Invalidate();
    (void)pixel(0, 0);
    EXPECT_EQ((Grid->Rendered[{2, 2}]), 2);
    // The area is one background: no line inside it.
    EXPECT_EQ(pixel(149, 50), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(199, 59), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(249, 70), 0xC0C0C0);
}

}  // namespace
