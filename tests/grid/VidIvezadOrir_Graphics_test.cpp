// Cell graphics on the grid: creation keeps an empty cell empty, replacement and removal free
// what the grid made and keep the caller's, the shared row check box of column 0 is never a
// cell's, kinds through merged areas, and the sort row.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TGridPtr newGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    return G;
}

class TCountedGraphic : public TCellGraphic {
public:
    TCountedGraphic() { ++Alive; }
    ~TCountedGraphic() override { --Alive; }
    static int Alive;
};
int TCountedGraphic::Alive = 0;

TEST(CellGraphics, CreatingOnAnEmptyCellKeepsItEmpty) {
    auto G = newGrid();
    TCellGraphic* First = G->CreateCellGraphic(2, 2);
    EXPECT_EQ(G->GetGridCell(2, 2), String());
    EXPECT_EQ(G->GetCellGraphic(2, 2), First);
    EXPECT_EQ(First->CellType(), ctNone);
    EXPECT_EQ(G->GetCellType(2, 2), ctNone);
    G->SetCellEx(2, 3, QStringLiteral("text"));
    G->CreateCellGraphic(2, 3);
    EXPECT_EQ(G->GetCellEx(2, 3), QStringLiteral("text"));
    // The replacement frees the first graphic: AddressSanitizer reports a leak otherwise.
    TCellGraphic* Second = G->CreateCellGraphic(2, 2);
    EXPECT_NE(G->GetCellGraphic(2, 2), nullptr);
    EXPECT_EQ(G->GetCellGraphic(2, 2), Second);
    EXPECT_TRUE(G->FreeCellGraphic(2, 2));
    EXPECT_EQ(G->GetCellGraphic(2, 2), nullptr);
    EXPECT_FALSE(G->FreeCellGraphic(2, 2));
    EXPECT_EQ(G->GetCellType(2, 2), ctEmpty);
}

TEST(CellGraphics, ACallersGraphicIsDetachedNotFreed) {
    auto G = newGrid();
    TCountedGraphic::Alive = 0;
    auto* Callers = new TCountedGraphic;
    Callers->SetCellType(ctCheckBox);
    G->SetGraphicObjectEx(1, 1, Callers);
    EXPECT_EQ(G->GetCellType(1, 1), ctCheckBox);
    G->CreateCellGraphic(1, 1);
    EXPECT_EQ(TCountedGraphic::Alive, 1) << "replaced, not freed";
    EXPECT_TRUE(G->FreeCellGraphic(1, 1));
    G->SetGraphicObjectEx(1, 1, Callers);
    EXPECT_TRUE(G->FreeCellGraphic(1, 1));
    EXPECT_EQ(TCountedGraphic::Alive, 1);
    delete Callers;
}

TEST(CellGraphics, AForeignObjectIsNoGraphic) {
    auto G = newGrid();
    TStringList Foreign;
    G->SetGraphicObjectEx(0, 2, &Foreign);
    G->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(G->GetCellType(0, 2), ctEmpty);
    EXPECT_EQ(G->GetCellGraphic(0, 2), nullptr);
    EXPECT_TRUE(G->GetCellEmpty(0, 2));
    EXPECT_FALSE(G->FreeCellGraphic(0, 2));
    EXPECT_EQ(G->GetGraphicObjectEx(0, 2), &Foreign);
    G->SetGraphicObjectEx(0, 2, nullptr);
    EXPECT_EQ(G->GetCellType(-1, 2), ctEmpty);
    EXPECT_EQ(G->GetCellType(2, -1), ctEmpty);
}

TEST(CellGraphics, EmptyUnlessAKindOrAComment) {
    auto G = newGrid();
    TCellGraphic* Graphic = G->CreateCellGraphic(3, 1);
    EXPECT_TRUE(G->GetCellEmpty(3, 1)) << "ctNone without a comment";
    Graphic->SetCellComment(QStringLiteral("see me"));
    EXPECT_FALSE(G->GetCellEmpty(3, 1));
    Graphic->SetCellComment(String());
    EXPECT_TRUE(G->GetCellEmpty(3, 1));
    Graphic->SetCellType(ctEmpty);
    EXPECT_FALSE(G->GetCellEmpty(3, 1)) << "a marker holder is not empty";
    EXPECT_TRUE(G->GetCellEmpty(-1, 1));
}

TEST(CellGraphics, TheRowCheckBoxIsSharedAndNeverFreedWithACell) {
    auto G = newGrid();
    G->MouseActions()->SetDisjunctRowSelect(true);
    G->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(G->GetCellType(0, 3), ctRowCheckBox) << "also without a graphic of its own";
    TCellGraphic* Shared = G->GetCellGraphic(0, 3);
    ASSERT_NE(Shared, nullptr);
    EXPECT_EQ(G->GetCellGraphic(0, 4), Shared);
    EXPECT_TRUE(G->HasCheckBox(0, 3));
    EXPECT_FALSE(G->FreeCellGraphic(0, 3)) << "nothing of the cell's own to free";
    // The cell's own graphic is replaced and freed; the shared one stays (ASan reports either).
    G->MouseActions()->SetHotmailRowSelect(false);
    G->CreateCellGraphic(0, 3)->SetCellType(ctBitmap);
    G->MouseActions()->SetHotmailRowSelect(true);
    G->CreateCellGraphic(0, 3);
    EXPECT_TRUE(G->FreeCellGraphic(0, 3));
    EXPECT_EQ(G->GetGraphicObjectEx(0, 3), nullptr);
    EXPECT_EQ(G->GetCellGraphic(0, 3), Shared);
    EXPECT_EQ(Shared->CellType(), ctRowCheckBox);
}

TEST(CellGraphics, TheRowCheckBoxHeaderFollowsTheSelectedRows) {
    auto G = newGrid();  // rows 1..5 are normal
    G->MouseActions()->SetDisjunctRowSelect(true);
    G->MouseActions()->SetHotmailRowSelect(true);
    struct Case {
        std::vector<int> Rows;
        int Angle;
        bool Checked;
    } Cases[] = {{{}, 0, false}, {{2, 4}, 1, false}, {{1, 2, 3, 4, 5}, 0, true}};
    for (const Case& C : Cases) {
        for (int r = 1; r < 6; ++r) G->SetRowSelect(r, false);
        for (int r : C.Rows) G->SetRowSelect(r, true);
        TCellGraphic* Header = G->GetCellGraphic(0, 0);
        EXPECT_EQ(Header->CellAngle(), C.Angle) << C.Rows.size();
        EXPECT_EQ(Header->CellBoolean(), C.Checked) << C.Rows.size();
    }
    G->SetRowSelect(3, false);
    EXPECT_TRUE(G->GetCellGraphic(0, 2)->CellBoolean());
    EXPECT_FALSE(G->GetCellGraphic(0, 3)->CellBoolean());
    EXPECT_EQ(G->GetCellGraphic(0, 3)->CellAngle(), 0);
    G->ControlLook()->SetControlStyle(zirodad::csFlat);
    EXPECT_TRUE(G->GetCellGraphic(0, 1)->CellTransparent());
    G->ControlLook()->SetControlStyle(zirodad::csTheme);
    EXPECT_FALSE(G->GetCellGraphic(0, 1)->CellTransparent());
}

TEST(CellGraphics, KindsAreReadAtTheBaseOfAMergedArea) {
    auto G = newGrid();
    G->CreateCellGraphic(1, 1)->SetCellType(ctButton);
    G->MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(G->HasButton(2, 2));
    EXPECT_FALSE(G->HasCheckBox(2, 2));
    EXPECT_FALSE(G->HasButton(-1, 2));
    EXPECT_TRUE(G->RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_FALSE(G->RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_FALSE(G->HasButton(2, 2));
    TVidIvezadOrir* g = G.get();
    struct Case {
        TCellType Kind;
        std::function<bool(int, int)> Has;
    } Cases[] = {
        {ctBalloon, [g](int c, int r) { return g->HasBalloon(c, r); }},
        {ctRadio, [g](int c, int r) { return g->IsRadio(c, r); }},
        {ctExpand, [g](int c, int r) { return g->HasExpand(c, r); }},
        {ctProgress, [g](int c, int r) { return g->HasProgress(c, r); }},
        {ctShape, [g](int c, int r) { return g->HasShape(c, r); }},
        {ctRating, [g](int c, int r) { return g->HasRating(c, r); }},
        {ctScrollbar, [g](int c, int r) { return g->HasScrollBar(c, r); }},
        {ctBitButton, [g](int c, int r) { return g->HasButton(c, r); }},
        {ctVirtCheckBox, [g](int c, int r) { return g->HasDataCheckBox(c, r); }},
        {ctTriStateCheckBox, [g](int c, int r) { return g->HasCheckBox(c, r); }},
    };
    for (const Case& C : Cases) {
        G->CreateCellGraphic(3, 4)->SetCellType(C.Kind);
        EXPECT_TRUE(C.Has(3, 4)) << C.Kind;
        G->CreateCellGraphic(3, 4)->SetCellType(ctIcon);
        EXPECT_FALSE(C.Has(3, 4)) << C.Kind;
    }
}

TEST(CellGraphics, TheSortRowCountsAMergedCellByItsLastRow) {
    auto G = newGrid();
    G->SetFixedRows(2);
    G->SortSettings()->SetRow(1);
    EXPECT_FALSE(G->IsSortRow(1, 1)) << "sort indicator off";
    G->SortSettings()->SetShow(true);
    EXPECT_TRUE(G->IsSortRow(1, 1));
    EXPECT_FALSE(G->IsSortRow(1, 0));
    G->MergeCells(2, 0, 1, 2);
    EXPECT_TRUE(G->IsSortRow(2, 0));
    G->SetRowCount(3);
    EXPECT_FALSE(G->IsSortRow(1, 1)) << "one normal row only";
}

}  // namespace
