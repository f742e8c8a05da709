// Cell access: texts and objects by real row with hidden rows in the store, zoom, font sizes at
// the screen's pixels per inch, a rich-text round trip through a cell, row colours cleared
// without losing what cells hold, controls placed where their cells show, and the tri-state
// reading of check boxes.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/Forms.h"
#include "framework/ui/HintWindow.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TVidIvezadOrir, TFree>;

TGridPtr newGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(4);
    for (int r = 0; r < 10; ++r) G->SetCellEx(1, r, QStringLiteral("r%1").arg(r));
    return G;
}

TEST(CellAccess, AllCellsReadHiddenRowsFromTheStore) {
    auto G = newGrid();
    G->HideRows(2, 3);
    EXPECT_EQ(G->AllCells(1, 3), QStringLiteral("r3")) << "hidden row 3";
    EXPECT_EQ(G->AllCells(1, 4), QStringLiteral("r4")) << "display row 2";
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("r4"));
    EXPECT_EQ(G->AllCells(9, 3), String()) << "beyond a hidden row's cells";
    EXPECT_EQ(G->AllCells(-1, 3), String());
    G->SetCellsEx(2, 3, QStringLiteral("kept"));
    TObject Tag;
    G->SetObjectsEx(2, 2, &Tag);
    G->UnHideRowsAll();
    EXPECT_EQ(G->GetCellEx(2, 3), QStringLiteral("kept"));
    EXPECT_EQ(G->GetObjectEx(2, 2), &Tag);
}

TEST(CellAccess, ZoomGrowsVisibleSizesWithinItsLimit) {
    auto G = newGrid();
    G->SetColWidths(2, 0);
    G->SetZoomFactor(18);
    G->Zoom(5);
    EXPECT_EQ(G->ZoomFactor(), 18) << "23 is beyond the limit";
    EXPECT_EQ(G->ColWidths(1), 64);
    G->SetZoomFactor(15);
    G->Zoom(5);
    EXPECT_EQ(G->ZoomFactor(), 20);
    EXPECT_EQ(G->ColWidths(1), 69);
    EXPECT_EQ(G->RowHeights(5), 27);
    EXPECT_EQ(G->ColWidths(2), 0) << "zero sizes stay 0";
}

TEST(CellAccess, FontSizesAreHeightsAtTheScreensPixelsPerInch) {
    auto G = newGrid();
    G->SetFontSizes(1, 1, 10);
    EXPECT_EQ(G->GetCellProperties(1, 1)->FontSize(), -13);
    EXPECT_EQ(G->GetFontSizes(1, 1), 10);
}

TEST(CellAccess, ARichTextCellRoundTrip) {
    TForm Form(nullptr);
    auto* G = new TVidIvezadOrir(&Form);
    auto* Rich = new TRichEdit(&Form);
    Rich->Lines()->Add(QStringLiteral("bold line"));
    Rich->Lines()->Add(QStringLiteral("second"));
    Rich->SetSelStart(0);
    Rich->SetSelLength(4);
    Rich->SelAttributes()->SetStyle({fsBold});
    Rich->SelAttributes()->SetColor(clRed);
    G->RichToCell(1, 1, Rich);
    EXPECT_TRUE(G->GetCellEx(1, 1).startsWith(QLatin1String("{\\rtf")));
    auto* Back = new TRichEdit(&Form);
    G->CellToRich(1, 1, Back);
    ASSERT_EQ(Back->Lines()->Count(), 2);
    EXPECT_EQ(Back->Lines()->Strings(0), QStringLiteral("bold line"));
    Back->SetSelStart(1);
    EXPECT_TRUE(Back->SelAttributes()->Style().Contains(fsBold));
    EXPECT_EQ(Back->SelAttributes()->Color(), clRed);
    Back->SetSelStart(6);
    EXPECT_FALSE(Back->SelAttributes()->Style().Contains(fsBold));
    G->SetCellEx(1, 2, String());
    G->CellToRich(1, 2, Back);
    EXPECT_EQ(Back->Lines()->Count(), 0) << "an empty cell clears the rich edit";
}

TEST(CellAccess, ClearingARowColourKeepsWhatCellsHold) {
    TForm Form(nullptr);
    auto* G = new TVidIvezadOrir(&Form);
    G->SetParent(&Form);
    G->SetColCount(6);
    auto* Edit = new TEdit(&Form);
    G->SetRowColor(4, clYellow);
    G->SetCellControls(2, 4, Edit);
    G->SetReadOnly(3, 4, true);
    G->SetCellEx(4, 4, QStringLiteral("text"));
    G->SetRowColor(4, clNone);
    EXPECT_FALSE(G->HasCellProperties(1, 4)) << "an empty plain cell loses its properties";
    EXPECT_EQ(G->GetCellControls(2, 4), Edit) << "mended: the placed control stays";
    EXPECT_TRUE(G->GetReadOnly(3, 4)) << "mended: so does the read-only flag";
    EXPECT_EQ(G->GetColors(4, 4), clNone);
    EXPECT_TRUE(G->HasCellProperties(4, 4));
}

TEST(CellAccess, ControlsSitOnTheCellWhereItShows) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 600, 400);
    auto* G = new TVidIvezadOrir(&Form);
    G->SetParent(&Form);
    G->SetColCount(6);
    G->HideColumn(1);
    auto* Edit = new TEdit(&Form);
    G->SetCellControls(3, 2, Edit);
    const TRect R = G->CellRect(2, 2);
    EXPECT_EQ(Edit->Left(), R.Left) << "mended: real column 3 shows at display column 2";
    EXPECT_EQ(Edit->Width(), R.Width() - 1);
    EXPECT_EQ(Edit->Parent(), G);
    EXPECT_EQ(G->CellControlCount(), 1);
    G->SetCellControls(3, 2, nullptr);
    G->SetCellControls(3, 2, nullptr);
    EXPECT_EQ(G->CellControlCount(), 0) << "removed twice, counted once";
}

TEST(CellAccess, HtmlHintsSwitchTheApplicationsHintWindow) {
    auto G = newGrid();
    auto hintWindow = [] {
        std::unique_ptr<THintWindow, TFree> W(Application->HintWindowClass()(nullptr));
        return W;
    };
    G->SetUseHTMLHints(true);
    EXPECT_NE(dynamic_cast<THTMLHintWindow*>(hintWindow().get()), nullptr);
    G->SetUseHTMLHints(false);
    auto W = hintWindow();
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(W.get()), nullptr);
}

TEST(CellAccess, TheControlListNamesCellsAndOwnsOnlyItsItems) {
    TForm Form(nullptr);
    auto* A = new TEdit(&Form);
    auto* B = new TEdit(&Form);
    A->SetParent(&Form);
    TControlList L;
    EXPECT_EQ(L.ControlIndex(1, 1), -1);
    EXPECT_FALSE(L.HasHandle(A->Handle()));
    L.AddControl(1, 2, B);
    L.AddControl(3, 4, A);
    L.AddControl(3, 4, B);
    EXPECT_EQ(L.ControlIndex(3, 4), 1) << "the first item of the cell";
    EXPECT_TRUE(L.HasHandle(A->Handle()));
    L.RemoveControl(1);
    EXPECT_EQ(L.GetControl(1)->Control(), B);
    EXPECT_FALSE(L.HasHandle(A->Handle()));
    EXPECT_EQ(A->Parent(), &Form) << "the control is left alone";
    EXPECT_THROW(L.GetControl(2), EListError);
    EXPECT_THROW(L.RemoveControl(-1), EListError);
    EXPECT_EQ(L.Count(), 2);
}

// A check box graphic of the tri-state reading's kinds.
void addBox(TVidIvezadOrir* G, int c, int r, TCellType Kind, bool Value, TCheckBoxState State = cbUnchecked) {
    TCellGraphic* Box = G->CreateCellGraphic(c, r);
    if (Kind == ctTriStateCheckBox)
        Box->SetCheckBox(State, true, haBeforeText, vaTop);
    else
        Box->SetCheckBox(Value, Kind == ctDataCheckBox, true, haBeforeText, vaTop);
}

TEST(CellAccess, TriStateCheckBoxStates) {
    auto G = newGrid();
    G->SetCellEx(2, 1, QStringLiteral("Y"));  // the check-true text
    G->SetCellEx(2, 2, QStringLiteral("N"));
    addBox(G.get(), 1, 1, ctCheckBox, true);
    addBox(G.get(), 2, 1, ctDataCheckBox, false);
    addBox(G.get(), 2, 2, ctDataCheckBox, true);
    addBox(G.get(), 3, 1, ctTriStateCheckBox, false, cbGrayed);
    struct Case {
        int Col, Row;
        bool Has;
        TCheckBoxState State;
    };
    const Case Cases[] = {
        {1, 1, true, cbChecked}, {2, 1, true, cbChecked}, {2, 2, true, cbUnchecked},
        {3, 1, true, cbGrayed},  {1, 3, false, cbGrayed},  // a plain text cell
    };
    for (const Case& C : Cases) {
        TCheckBoxState State = cbGrayed;
        EXPECT_EQ(G->GetCheckBoxState(C.Col, C.Row, State), C.Has) << C.Col << "," << C.Row;
        EXPECT_EQ(State, C.State) << C.Col << "," << C.Row << ": untouched without a box";
    }
    EXPECT_EQ(TVidIvezadOrir::BoolToCheckBoxState(true), cbChecked);
    EXPECT_EQ(TVidIvezadOrir::BoolToCheckBoxState(false), cbUnchecked);

    // With hidden rows the row is a real one, its box read from the store.
    addBox(G.get(), 3, 5, ctTriStateCheckBox, false, cbChecked);
    G->HideRows(4, 5);
    TCheckBoxState State = cbUnchecked;
    EXPECT_TRUE(G->GetCheckBoxState(3, 5, State));
    EXPECT_EQ(State, cbChecked) << "hidden row 5";
    EXPECT_TRUE(G->GetCheckBoxState(2, 1, State));
    EXPECT_EQ(State, cbChecked) << "a shown row's data box against its text";
    EXPECT_FALSE(G->GetCheckBoxState(3, 6, State)) << "real row 6, shown as row 4, holds nothing";
}

TEST(CellAccess, ATriStateColumnStartsAtTheFirstCheckRow) {
    for (const bool CheckAll : {false, true}) {
        auto G = newGrid();
        G->MouseActions()->SetCheckAllCheck(CheckAll);
        G->AddTriStateCheckBoxColumn(2, cbGrayed);
        EXPECT_EQ(G->HasCheckBox(2, 0), CheckAll) << "the fixed row only with CheckAllCheck";
        TCheckBoxState State = cbUnchecked;
        EXPECT_TRUE(G->GetCheckBoxState(2, G->RowCount() - 1, State)) << "down to the last row";
        EXPECT_EQ(State, cbGrayed);
        EXPECT_FALSE(G->HasCheckBox(1, 1)) << "other columns untouched";
    }
}

TEST(CellAccess, TheRowCheckBoxAnswersBySelectedRows) {
    auto G = newGrid();
    G->MouseActions()->SetHotmailRowSelect(true);
    G->SetRowSelect(3, true);
    TCheckBoxState State = cbGrayed;
    EXPECT_TRUE(G->GetCheckBoxState(0, 3, State));
    EXPECT_EQ(State, cbChecked);
    EXPECT_TRUE(G->GetCheckBoxState(0, 2, State));
    EXPECT_EQ(State, cbUnchecked);
}

}  // namespace
