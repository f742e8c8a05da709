// Cell check boxes, radio buttons, radio lists and buttons: adding with the range check, reading
// and setting states, toggles with their events, veto and undo record, the exclusive radio run,
// cycling captions, and the hit rectangles.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/ZirOdadUndoRedo.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Forms.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

// A grid whose listed rows are node rows.
class TNodeGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::TVidIvezadOrir;
    std::set<int> Nodes;

protected:
    bool IsNode(int ARow) override { return Nodes.count(ARow) > 0; }
};

TGridPtr newGrid() {
    TGridPtr G(new TNodeGrid(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    return G;
}

// Records the change events.
struct TChanges {
    std::vector<std::tuple<int, int, bool>> Events;
    void attach(TVidIvezadOrir* G) {
        G->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { Events.emplace_back(c, r, s); };
    }
};

TEST(CellCheckBoxes, AddingRaisesOutsideTheGridNegativeIndexesToo) {
    auto G = newGrid();
    G->HideRow(2);  // 5 shown rows + 1 hidden
    for (auto [c, r] : std::vector<std::pair<int, int>>{{5, 1}, {1, 6}, {-1, 1}, {1, -1}}) {
        EXPECT_THROW(G->AddCheckBox(c, r, true, false), Exception) << c << "," << r;
        EXPECT_THROW(G->AddCheckBox(c, r, cbGrayed), Exception);
        EXPECT_THROW(G->AddRadioButton(c, r), Exception);
        EXPECT_THROW(G->AddRadioButtonGroup(c, r, rgRow), Exception);
    }
    try {
        G->AddCheckBox(9, 1, true, false);
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Invalid cell"));
    }
    G->AddCheckBox(4, 5, true, false);  // the hidden row counts
    EXPECT_EQ(G->GetCellType(4, 5), ctCheckBox);
}

TEST(CellCheckBoxes, NewBoxesSitBeforeTheTextFlatAtTheGridsVerticalPlace) {
    auto G = newGrid();
    G->SetVAlignment(basegrid::vtaBottom);
    G->AddCheckBox(1, 1, true, false);
    const TCellGraphic* Box = G->GetCellGraphic(1, 1);
    EXPECT_EQ(Box->CellHAlign(), haBeforeText);
    EXPECT_EQ(Box->CellVAlign(), vaBottom);
    EXPECT_TRUE(Box->CellTransparent());
    EXPECT_TRUE(G->IsChecked(1, 1));
    // Data boxes: a text that is no check text becomes one; a check text stays.
    G->SetCellEx(2, 1, QStringLiteral("N"));
    G->AddCheckBox(2, 1, true, true);
    EXPECT_EQ(G->GetCellEx(2, 1), QStringLiteral("N"));
    EXPECT_FALSE(G->IsChecked(2, 1));
    G->SetCellEx(2, 2, QStringLiteral("maybe"));
    G->AddCheckBox(2, 2, true, true);
    EXPECT_EQ(G->GetCellEx(2, 2), QStringLiteral("Y"));
    EXPECT_TRUE(G->IsChecked(2, 2));
    G->AddCheckBox(2, 3, cbGrayed);
    bool State = true;
    EXPECT_FALSE(G->GetCheckBoxState(2, 3, State)) << "a tri-state box is not read as a Boolean";
    EXPECT_TRUE(State);
}

TEST(CellCheckBoxes, ToggleTransitions) {
    struct Case {
        const char* Name;
        TCellType Kind;
        TCheckBoxState From;
        TToggleTriStateCheck Mode;
        bool Node;
        TCheckBoxState To;
        bool Reported;
    } Cases[] = {
        {"tri unchecked all states", ctTriStateCheckBox, cbUnchecked, tsAllStates, false, cbGrayed, false},
        {"tri unchecked check/uncheck", ctTriStateCheckBox, cbUnchecked, tsCheckUnCheck, false, cbChecked, false},
        {"tri checked", ctTriStateCheckBox, cbChecked, tsAllStates, false, cbUnchecked, false},
        {"tri grayed", ctTriStateCheckBox, cbGrayed, tsAllStates, false, cbChecked, false},
        {"box unchecked", ctCheckBox, cbUnchecked, tsAllStates, false, cbChecked, true},
        {"box checked", ctCheckBox, cbChecked, tsAllStates, false, cbUnchecked, false},
        {"data unchecked", ctDataCheckBox, cbUnchecked, tsAllStates, false, cbChecked, true},
        {"data checked", ctDataCheckBox, cbChecked, tsAllStates, false, cbUnchecked, false},
        {"node unchecked", ctTriStateCheckBox, cbUnchecked, tsAllStates, true, cbChecked, true},
        {"node grayed", ctTriStateCheckBox, cbGrayed, tsAllStates, true, cbChecked, true},
        {"node checked", ctTriStateCheckBox, cbChecked, tsCheckUnCheck, true, cbUnchecked, false},
    };
    for (const Case& C : Cases) {
        auto G = newGrid();
        G->Navigation()->SetToggleTriStateCheck(C.Mode);
        if (C.Node) static_cast<TNodeGrid*>(G.get())->Nodes = {2};
        TChanges Changes;
        Changes.attach(G.get());
        if (C.Kind == ctTriStateCheckBox)
            G->AddCheckBox(1, 2, C.From);
        else
            G->AddCheckBox(1, 2, C.From == cbChecked, C.Kind == ctDataCheckBox);
        EXPECT_TRUE(G->ToggleCheckBox(1, 2)) << C.Name;
        const TCellGraphic* Box = G->GetCellGraphic(1, 2);
        if (C.Kind == ctTriStateCheckBox)
            EXPECT_EQ(Box->CellCheckBoxState(), C.To) << C.Name;
        else
            EXPECT_EQ(G->IsChecked(1, 2), C.To == cbChecked) << C.Name;
        ASSERT_EQ(Changes.Events.size(), 1u) << C.Name;
        EXPECT_EQ(std::get<2>(Changes.Events[0]), C.Reported) << C.Name;
    }
}

TEST(CellCheckBoxes, AVetoStopsTheToggleAndSeesTheRealState) {
    auto G = newGrid();
    G->SetCellEx(1, 1, QStringLiteral("Y"));
    G->AddCheckBox(1, 1, false, true);  // a data box: its state is the text, not the flag
    std::vector<bool> Seen;
    bool Allow = false;
    G->OnCheckBoxCanToggle = [&](TObject*, int, int, bool State, bool& A) {
        Seen.push_back(State);
        A = Allow;
    };
    EXPECT_FALSE(G->ToggleCheckBox(1, 1));
    EXPECT_TRUE(G->IsChecked(1, 1));
    Allow = true;
    EXPECT_TRUE(G->ToggleCheckBox(1, 1));
    EXPECT_FALSE(G->IsChecked(1, 1));
    EXPECT_EQ(Seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(G->ToggleCheckBox(2, 2)) << "no graphic";
    G->AddButton(2, 2, 20, 20, QString(), haLeft, vaTop);
    EXPECT_FALSE(G->ToggleCheckBox(2, 2)) << "not a check box";
}

TEST(CellCheckBoxes, ToggleOnlyWhereEditableUnlessAlwaysActive) {
    auto G = newGrid();
    G->AddCheckBox(1, 1, false, false);
    EXPECT_FALSE(G->ToggleCellCheckBox(1, 1, true)) << "editing is off";
    EXPECT_FALSE(G->IsChecked(1, 1));
    G->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(G->ToggleCellCheckBox(1, 1, true));
    EXPECT_TRUE(G->IsChecked(1, 1));
}

TEST(CellCheckBoxes, AToggleIsUndoneToTheStateBeforeIt) {
    auto G = newGrid();
    auto* Undo = new TZirOdadUndoRedo(nullptr);
    G->SetUndoRedo(Undo);
    for (bool Data : {false, true}) {
        G->AddCheckBox(3, 3, false, Data);
        G->ToggleCheckBox(3, 3);
        ASSERT_TRUE(G->IsChecked(3, 3));
        const TUndoRedoItem* Item = Undo->Items()->Items(Undo->Items()->Count() - 1);
        EXPECT_EQ(Item->OrigValue(), QStringLiteral("N")) << Data;
        EXPECT_EQ(Item->Value(), QStringLiteral("Y")) << Data;
        Undo->Undo();
        EXPECT_FALSE(G->IsChecked(3, 3)) << Data;
    }
    G->SetUndoRedo(nullptr);
    Undo->Free();
}

TEST(CellCheckBoxes, SettingStatesAndCheckText) {
    auto G = newGrid();
    TChanges Changes;
    Changes.attach(G.get());
    G->AddCheckBox(1, 1, false, false);
    G->AddCheckBox(1, 2, cbGrayed);
    EXPECT_TRUE(G->SetCheckState(1, 1, true));
    EXPECT_TRUE(G->SetCheckState(1, 1, true)) << "true even unchanged";
    EXPECT_EQ(Changes.Events.size(), 1u);
    EXPECT_FALSE(G->SetCheckState(1, 2, true));
    EXPECT_EQ(G->GetCellGraphic(1, 2)->CellCheckBoxState(), cbChecked);
    EXPECT_TRUE(G->SetCheckBoxState(1, 2, cbGrayed));
    EXPECT_FALSE(G->SetCheckBoxState(1, 1, cbGrayed)) << "only tri-state boxes";
    EXPECT_TRUE(G->SetCheckBoxState(1, 1, false));
    EXPECT_EQ(Changes.Events.size(), 1u) << "SetCheckBoxState fires nothing";
    // The check-true text checks, any other text unchecks.
    G->SetCheckBoxText(1, 1, QStringLiteral("Y"));
    EXPECT_TRUE(G->IsChecked(1, 1));
    G->SetCheckBoxText(1, 1, QStringLiteral("anything"));
    EXPECT_FALSE(G->IsChecked(1, 1));
    static_cast<TNodeGrid*>(G.get())->Nodes = {5};
    G->AddCheckBoxColumn(3, true, true);
    EXPECT_EQ(G->GetCellType(3, 5), ctTriStateCheckBox) << "a node row";
    EXPECT_EQ(G->GetCellGraphic(3, 5)->CellCheckBoxState(), cbChecked);
    static_cast<TNodeGrid*>(G.get())->Nodes.clear();
    G->AddCheckBox(3, 5, true, true);
    EXPECT_TRUE(G->IsCheckBoxColumn(3));
    EXPECT_FALSE(G->HasCheckBox(3, 0));
    G->UnCheckAll(3);
    EXPECT_EQ(G->GetCellEx(3, 4), QStringLiteral("N"));
    G->CheckAll(3);
    EXPECT_EQ(G->GetCellEx(3, 4), QStringLiteral("Y"));
    G->RemoveCheckBoxColumn(3);
    EXPECT_FALSE(G->HasCheckBox(3, 4));
    EXPECT_TRUE(G->IsControlCell(1, 1));
    EXPECT_TRUE(G->IsDataGraphicCell(1, 1) == false);
}

TEST(CellCheckBoxes, StatesOfHiddenRowsAreReadByRealRow) {
    auto G = newGrid();
    G->AddCheckBox(1, 3, true, false);
    G->HideRow(3);
    bool State = false;
    EXPECT_TRUE(G->GetCheckBoxState(1, 3, State));
    EXPECT_TRUE(State);
    EXPECT_TRUE(G->SetCheckBoxState(1, 3, false));
    G->UnHideRow(3);
    EXPECT_FALSE(G->IsChecked(1, 3));
}

TEST(CellRadioButtons, ARunIsExclusiveUntilAPlainCell) {
    auto G = newGrid();
    G->AddRadioButtonColumn(1);  // rows 1..5
    G->RemoveRadioButton(1, 3);  // a plain cell breaks the run
    for (int r : {2, 4, 5}) G->SetRadioButtonState(1, r, true);
    G->SetRadioButtonState(1, 1, true);
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 2)) << "setting a state never unchecks the others";
    EXPECT_TRUE(G->ToggleCellRadioButton(1, 1, false)) << "already checked";
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 2)) << "a checked button changes nothing";
    G->SetRadioButtonState(1, 1, false);
    EXPECT_TRUE(G->ToggleCellRadioButton(1, 1, false));
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 1));
    EXPECT_FALSE(G->IsRadioButtonChecked(1, 2));
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 4)) << "beyond the plain cell";
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 5));
    EXPECT_EQ(G->GetRadioButtonColumnIndex(1), 1);
    G->SetRadioButtonColumnIndex(1, 5);
    EXPECT_EQ(G->GetRadioButtonColumnIndex(1), 5);
    EXPECT_FALSE(G->IsRadioButtonChecked(1, 4));
    G->AddRadioButtonGroupColumn(2);
    G->AddRadioButtonGroupColumn(3);
    EXPECT_TRUE(G->HasRadioButtonGroup(2, 2, rgRow));
    G->SetRadioButtonRowIndex(2, 2);
    G->ToggleCellRadioButton(3, 2, false);
    EXPECT_FALSE(G->IsRadioButtonChecked(2, 2)) << "a row group";
    EXPECT_TRUE(G->IsRadioButtonChecked(3, 2));
    EXPECT_FALSE(G->ToggleCellRadioButton(4, 2, false)) << "no radio button";
}

TEST(CellRadioLists, CyclingWrapsAndATextDrivenListFollowsItsText) {
    auto G = newGrid();
    TStrings* Captions = G->CreateRadio(1, 1, 0, 1);
    Captions->Add(QStringLiteral("a"));
    Captions->Add(QStringLiteral("b"));
    EXPECT_FALSE(G->CycleRadio(1, 1, false));
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("a"));
    int Idx = -1;
    EXPECT_TRUE(G->GetRadioIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 0);
    TStringList Own;
    Own.Add(QStringLiteral("x"));
    Own.Add(QStringLiteral("y"));
    Own.Add(QStringLiteral("z"));
    G->AddRadio(1, 2, 1, -5, &Own);
    G->SetCellEx(1, 2, QStringLiteral("y"));
    G->CycleRadio(1, 2, false);
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("z"));
    EXPECT_EQ(G->GetCellGraphic(1, 2)->CellIndex(), -5);
    EXPECT_EQ(G->GetCellGraphic(1, 2)->CellVar().AsInteger(), 2);
    G->CycleRadio(1, 2, false);
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("x"));
    EXPECT_EQ(G->GetRadioStrings(1, 2), &Own);
    EXPECT_TRUE(G->SetRadioIdx(1, 2, -1));
    EXPECT_EQ(G->GetCellEx(1, 2), String());
    EXPECT_FALSE(G->SetRadioIdx(3, 3, 1));
    G->CreateRadio(1, 3, 0, 0);
    EXPECT_FALSE(G->CycleRadio(1, 3, false)) << "no captions: nothing";
    G->RemoveRadio(1, 2);  // the caller's list stays
    EXPECT_EQ(Own.Count(), 3);
}

TEST(CellCheckBoxes, TheHitRectangleAtTwoScales) {
    for (int PixelsPerInch : {96, 144}) {
        Screen->SetPixelsPerInch(PixelsPerInch);
        TForm Form(nullptr);
        auto* G = new TVidIvezadOrir(&Form);
        G->SetParent(&Form);
        G->SetColCount(5);
        G->SetRowCount(6);
        G->SetColWidths(1, 80);
        G->SetRowHeights(1, 40);
        G->HandleNeeded();  // the window takes the screen's scale
        Screen->SetPixelsPerInch(96);
        G->AddCheckBox(1, 1, false, false);
        const TRect R = G->CellRect(1, 1);
        EXPECT_TRUE(G->IsInCheckBox(1, 1, R.Right - 1, R.Bottom - 1)) << "anywhere without precise checks";
        EXPECT_FALSE(G->IsInCheckBox(2, 1, R.Left, R.Top));
        G->MouseActions()->SetPreciseCheckBoxCheck(true);
        // At 1.5 the box is Round(22.5) = 22 wide and the margin 3; centred and bottom boxes
        // place by the unscaled size 15.
        const int S = PixelsPerInch == 96 ? 15 : 22, m = PixelsPerInch == 96 ? 2 : 3;
        struct Case {
            TCellVAlign V;
            TAlignment H;
            int Left, Top;
        } Cases[] = {
            {vaTop, taLeftJustify, m, m},
            {vaCenter, taCenter, (80 - S) / 2, (40 - 15) / 2},
            {vaBottom, taRightJustify, 80 - m - S, 40 - m - 15},
        };
        for (const Case& C : Cases) {
            G->GetCellGraphic(1, 1)->SetCellVAlign(C.V);
            G->SetAlignments(1, 1, C.H);
            const int x = R.Left + C.Left, y = R.Top + C.Top;
            EXPECT_TRUE(G->IsInCheckBox(1, 1, x, y)) << PixelsPerInch << " " << C.V;
            EXPECT_TRUE(G->IsInCheckBox(1, 1, x + S - 1, y + S - 1)) << PixelsPerInch << " " << C.V;
            EXPECT_FALSE(G->IsInCheckBox(1, 1, x + S, y)) << "right edge excluded " << C.V;
            EXPECT_FALSE(G->IsInCheckBox(1, 1, x, y + S)) << C.V;
            EXPECT_FALSE(G->IsInCheckBox(1, 1, x - 1, y)) << C.V;
        }
        G->SetCellEx(1, 1, QStringLiteral("text"));
        G->GetCellGraphic(1, 1)->SetCellVAlign(vaTop);
        G->Canvas()->Font()->Assign(G->Font());
        const int Left = R.Right - m - S - G->Canvas()->TextWidth(QStringLiteral("text"));
        EXPECT_TRUE(G->IsInCheckBox(1, 1, Left, R.Top + m)) << "a right-aligned box sits left of the text";
        EXPECT_FALSE(G->IsInCheckBox(1, 1, Left - 1, R.Top + m));
    }
}

TEST(CellButtons, RectanglesTextAndRemoval) {
    auto G = newGrid();
    G->AddButton(1, 1, 40, 18, QStringLiteral("Go"), haLeft, vaTop);
    G->GetCellGraphic(1, 1)->SetCellValue(3 + 65536 * 2);
    const TRect R = G->CellRect(1, 1);
    EXPECT_EQ(G->GetButtonRect(1, 1), Rect(R.Left + 3, R.Top + 2, R.Left + 43, R.Top + 20));
    G->GetCellGraphic(1, 1)->SetCellVAlign(vaFull);
    EXPECT_EQ(G->GetButtonRect(1, 1), Rect(R.Left + 3, R.Top, R.Left + 43, R.Bottom));
    EXPECT_EQ(G->GetButtonRect(2, 2), Rect(0, 0, 0, 0));
    G->SetButtonText(1, 1, QStringLiteral("Stop"));
    EXPECT_EQ(G->GetButtonText(1, 1), QStringLiteral("Stop"));
    G->PushButton(1, 1, true);
    EXPECT_TRUE(G->GetCellGraphic(1, 1)->CellBoolean());
    EXPECT_TRUE(G->IsControlCell(1, 1));
    G->Navigation()->SetAllowEditButtonCells(true);
    EXPECT_FALSE(G->IsControlCell(1, 1));
    TBitmap* Glyph = G->CreateBitButton(2, 2, 10, 10, QString(), haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphic(2, 2)->CellBitmap(), Glyph);
    G->RemoveAllButtons();  // frees the created glyph
    EXPECT_FALSE(G->HasButton(1, 1));
    EXPECT_FALSE(G->HasButton(2, 2));
}

}  // namespace
