// What cell graphics need: kinds against their alignments and whether the cell has text, the
// picture box less the margins, full-cell graphics, captions measured in the canvas's font, and
// the laid-out sizes of the printed page.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Picture.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TGridPtr newGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    G->SetColWidths(1, 80);
    G->SetRowHeights(1, 40);
    return G;
}

// A caller's object that paints itself at a size of its own.
class TSelfPainted : public TInterfacedPersistent, public IGridCellObject {
public:
    TSelfPainted(int W, int H) : FW(W), FH(H) {}
    void Paint(TCanvas*, const TRect&, TObject*, bool, int, int) override {}
    int GetWidth() override { return FW; }
    int GetHeight() override { return FH; }
    bool NeedsBackground() override { return true; }

private:
    int FW, FH;
};

TEST(CellGraphicMeasure, KindAgainstAlignmentAndText) {
    auto G = newGrid();
    TBitmap Bmp;
    Bmp.SetSize(12, 9);
    struct Case {
        TCellHAlign H;
        TCellVAlign V;
        bool Text;
        TPoint Size;
    } Cases[] = {
        {haBeforeText, vaTop, true, {12, 0}}, {haLeft, vaTop, true, {0, 0}},
        {haLeft, vaTop, false, {12, 9}},      {haAfterText, vaUnderText, true, {12, 9}},
        {haLeft, vaAboveText, true, {0, 9}},  {haFull, vaFull, true, {80, 40}},
        {haLeft, vaFull, true, {0, 40}},
    };
    for (const Case& C : Cases) {
        G->SetCellEx(1, 1, C.Text ? QStringLiteral("abc") : String());
        G->CreateCellGraphic(1, 1)->SetBitmap(&Bmp, false, C.H, C.V);
        EXPECT_EQ(G->GetCellGraphicSize(1, 1), C.Size) << C.H << " " << C.V << " " << C.Text;
    }
    G->SetCellEx(1, 1, QStringLiteral("abc"));
    for (TCellVAlign V : {vaTop, vaFull}) {
        G->CreateCellGraphic(1, 1)->SetCheckBox(true, false, true, haFull, V);
        const TPoint Box = G->GetCellGraphicSize(1, 1);
        EXPECT_EQ(Box.X, 80) << "a full-width box takes the cell";
        EXPECT_EQ(Box.Y, V == vaFull ? 40 : G->ControlLook()->CheckSize());
    }
    G->CreateCellGraphic(1, 1)->SetCheckBox(cbGrayed, true, haBeforeText, vaCenter);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(15, 15));
    TCellGraphic* Rating = G->CreateCellGraphic(1, 1);
    Rating->SetCellType(ctRating);
    Rating->SetCellAngle(5);
    Rating->SetCellHAlign(haFull);
    Rating->SetCellVAlign(vaFull);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(90, 16)) << "a rating never takes the cell";
    TCellGraphic* Shape = G->CreateCellGraphic(1, 1);
    Shape->SetCellType(ctShape);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(18, 18));
    EXPECT_EQ(G->GetCellGraphicSize(2, 2), Point(0, 0)) << "no graphic";
}

TEST(CellGraphicMeasure, PicturesFitTheBoxLessTheMargins) {
    auto G = newGrid();
    G->SetXYOffset(Point(2, 3));
    auto* Picture = new TPicture;
    TBitmap Bmp;
    Bmp.SetSize(200, 100);
    Picture->SetGraphic(&Bmp);
    TCellGraphic* Graphic = G->CreateCellGraphic(1, 1);
    Graphic->SetPicture(Picture, false, Stretch, 4, haLeft, vaTop);
    Graphic->SetCellCreated(true);
    // 80 - 2 * 2 - 1 = 75 wide, 40 - 2 * 3 - 1 = 33 high, padding 4 off each.
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(71, 29));
    EXPECT_EQ(G->MeasureCellGraphic(1, 1, 10), Point(71, 19)) << "extra height comes off the box";
    G->SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(73, 32));
    Graphic->SetPicture(Picture, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    EXPECT_EQ(G->CalcCellGraphicBoxSize(1, 1, 50, 50, 2.0), Point(50, 25));
    Graphic->SetPicture(Picture, false, Shrink, 4, haLeft, vaTop);
    EXPECT_EQ(G->CalcCellGraphicBoxSize(1, 1, 60, 40, 1.0), Point(56, 36));
}

TEST(CellGraphicMeasure, CaptionsInTheCanvasFont) {
    auto G = newGrid();
    TCanvas* Canvas = G->Canvas();
    Canvas->Font()->Assign(G->Font());
    auto* Captions = new TStringList;
    Captions->Add(QStringLiteral("One"));
    Captions->Add(QStringLiteral("Three"));
    TCellGraphic* Radio = G->CreateCellGraphic(2, 2);
    Radio->SetCellType(ctRadio);
    Radio->SetCellBitmap(Captions);
    Radio->SetCellCreated(true);
    const int Line = Canvas->TextHeight(QStringLiteral("gh"));
    const int One = Canvas->TextWidth(QStringLiteral("One")), Three = Canvas->TextWidth(QStringLiteral("Three"));
    EXPECT_EQ(G->CalcCellGraphicSize(Canvas, 2, 2, 0, 1.0), Point(Three + 12, std::max(16, (Line + 3) * 2)));
    EXPECT_EQ(G->CalcCellGraphicBoxSize(2, 2, 0, 0, 1.0), Point(Three + 12, Line * 2));
    Radio->SetCellBoolean(true);  // side by side
    EXPECT_EQ(G->CalcCellGraphicSize(Canvas, 2, 2, 0, 1.0), Point(One + 12 + Three + 12, Line));
    G->CreateCellGraphic(2, 3)->SetButton(30, 20, QStringLiteral("Press"), haFull, vaTop);
    const int Press = Canvas->TextWidth(QStringLiteral("Press"));
    EXPECT_EQ(G->CalcCellGraphicSize(Canvas, 2, 3, 0, 2.0), Point(static_cast<int>(Round((Press + 8) / 2.0)), 20))
        << "an empty cell's captioned full-width button measures its caption";
    G->SetCellEx(2, 3, QStringLiteral("text"));
    EXPECT_EQ(G->CalcCellGraphicSize(Canvas, 2, 3, 0, 1.0), Point(64, 0)) << "with text: the cell's width";
    G->CreateCellGraphic(2, 3)->SetButton(30, 20, QString(), haCenter, vaUnderText);
    EXPECT_EQ(G->CalcCellGraphicSize(Canvas, 2, 3, 0, 1.0), Point(0, 20));
    EXPECT_EQ(G->CalcCellGraphicBoxSize(2, 3, 0, 0, 1.0), Point(30, 20));
}

TEST(CellGraphicMeasure, SelfPaintedObjectsAndIndicators) {
    auto G = newGrid();
    TSelfPainted Sized(30, 12), Whole(0, 12);
    G->CreateCellGraphic(1, 1)->SetInterfacedCell(&Sized);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(30, 12));
    G->CreateCellGraphic(1, 1)->SetInterfacedCell(&Whole);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(80, 40)) << "0 in either means the cell";
    EXPECT_EQ(G->CalcCellGraphicBoxSize(1, 1, 0, 0, 1.0), Point(80, 12));
    G->CreateCellGraphic(1, 1)->SetCellType(ctProgress);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(0, 0));
    EXPECT_EQ(G->CalcCellGraphicBoxSize(1, 1, 0, 0, 1.0), Point(80, 40));
    G->CreateCellGraphic(1, 1)->SetCellType(ctProgressPie);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(20, 20));
    G->CreateCellGraphic(1, 1)->SetRadioButton(false, true, haBeforeText, vaTop, rgCol);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(10, 10));
    G->CreateCellGraphic(1, 1)->SetImageIdx(3, haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), Point(0, 0)) << "no image list";
}

}  // namespace
