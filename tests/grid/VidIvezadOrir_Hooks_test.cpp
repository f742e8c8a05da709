// The grid's per-cell questions, each without and with its event: filter lists, editability,
// the always-visible editor buttons, fixed cells and the colours new cell properties start with.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TVidIvezadOrir, TFree>;

TGridPtr newGrid() { return TGridPtr(new TVidIvezadOrir(nullptr)); }

std::vector<String> lines(TStrings* L) {
    std::vector<String> Out;
    for (int i = 0; i < L->Count(); ++i) Out.push_back(L->Strings(i));
    return Out;
}

TEST(GridHooks, ColumnFilterEntries) {
    auto G = newGrid();
    G->SetRowCount(5);
    G->SetCellEx(1, 1, QStringLiteral("abc"));
    G->SetCellEx(1, 2, QStringLiteral("a b"));
    G->SetCellEx(1, 4, QStringLiteral("<b>abc</b>"));
    G->SetFilterDropDownAuto(true);
    EXPECT_TRUE(G->GetColumnFilter(1));
    EXPECT_EQ(lines(G->FilterList()), (std::vector<String>{QStringLiteral("(All)"), QStringLiteral("abc"),
                                                           QStringLiteral("a b\t\"a b\""), QStringLiteral("\t\"\"")}));
    // The event has the last word.
    G->OnGetColumnFilter = [](TObject*, int Column, TStrings* Filter) {
        Filter->Clear();
        Filter->Add(QStringLiteral("col %1").arg(Column));
    };
    G->GetColumnFilter(1);
    EXPECT_EQ(lines(G->FilterList()), (std::vector<String>{QStringLiteral("col 1")}));
    // Without automatic lists only the event fills it.
    G->SetFilterDropDownAuto(false);
    G->OnGetColumnFilter = nullptr;
    EXPECT_FALSE(G->GetColumnFilter(1));
}

TEST(GridHooks, CheckCanEditMatrix) {
    struct Case {
        const char* Name;
        bool Editing, Props, ReadOnly, Handler, HandlerAnswer, Expected;
    };
    const Case Cases[] = {
        {"no properties, editing", true, false, false, false, false, true},
        {"no properties, no editing: the event alone decides", false, false, false, false, false, true},
        {"no properties, the event refuses", true, false, false, true, false, false},
        {"properties, editing", true, true, false, false, false, true},
        {"properties, read-only", true, true, true, false, false, false},
        {"properties, no editing", false, true, false, false, false, false},
        {"properties, the event refuses", true, true, false, true, false, false},
        {"properties, read-only, the event allows", true, true, true, true, true, true},
    };
    for (const Case& C : Cases) {
        auto G = newGrid();
        if (C.Editing) G->SetOptions(G->Options() + TGridOptions{goEditing});
        if (C.Props) G->SetReadOnly(2, 2, C.ReadOnly);
        if (C.Handler) G->OnCanEditCell = [&](TObject*, int, int, bool& CanEdit) { CanEdit = C.HandlerAnswer; };
        bool CanEdit = true;
        G->CheckCanEdit(2, 2, CanEdit);
        EXPECT_EQ(CanEdit, C.Expected) << C.Name;
    }
    // A covered cell answers for its base cell.
    auto G = newGrid();
    G->SetOptions(G->Options() + TGridOptions{goEditing});
    G->MergeCells(1, 1, 2, 2);
    G->SetReadOnly(1, 1, true);
    bool CanEdit = true;
    G->CheckCanEdit(2, 2, CanEdit);
    EXPECT_FALSE(CanEdit);
}

TEST(GridHooks, AlwaysVisibleEditorButtons) {
    struct Case {
        const char* Name;
        bool DropDowns, Spins, Handler;
        TEditorType Asked, Default;
        bool Combo, EditBtn, Spin;
    };
    const Case Cases[] = {
        {"nothing on", false, false, false, edComboList, edNormal, false, false, false},
        {"drop-downs, a combo cell", true, false, false, edComboEdit, edNormal, true, false, false},
        {"drop-downs, asked, default button", true, false, false, edNone, edEditBtn, false, true, false},
        {"spins, a spin cell", false, true, false, edFloatSpinEdit, edNormal, false, false, true},
        {"handlers answer first", false, false, true, edNormal, edNormal, true, true, true},
    };
    for (const Case& C : Cases) {
        auto G = newGrid();
        G->ControlLook()->SetDropDownAlwaysVisible(C.DropDowns);
        G->ControlLook()->SetSpinButtonsAlwaysVisible(C.Spins);
        G->SetDefaultEditor(C.Default);
        if (C.Handler) {
            const auto Yes = [](TObject*, int, int, bool& Has) { Has = true; };
            G->OnHasComboBox = Yes;
            G->OnHasEditBtn = Yes;
            G->OnHasSpinEdit = Yes;
        }
        EXPECT_EQ(G->HasComboBox(2, 2, C.Asked), C.Combo) << C.Name;
        EXPECT_EQ(G->HasEditBtn(2, 2, C.Asked), C.EditBtn) << C.Name;
        EXPECT_EQ(G->HasSpinEdit(2, 2, C.Asked), C.Spin) << C.Name;
        EXPECT_FALSE(G->HasSpinEdit(0, 2, C.Asked)) << C.Name << ": never a fixed cell";
    }
    // The editor hook decides an asked cell.
    auto G = newGrid();
    G->ControlLook()->SetDropDownAlwaysVisible(true);
    G->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) { E = ACol == 3 ? edComboList : edNormal; };
    EXPECT_TRUE(G->HasComboBox(3, 2, edNone));
    EXPECT_FALSE(G->HasComboBox(2, 2, edNone));
}

TEST(GridHooks, FixedCellsSkipTheEvent) {
    auto G = newGrid();
    int Asked = 0;
    G->OnIsFixedCell = [&](TObject*, int ARow, int ACol, bool& IsFixed) {
        ++Asked;
        IsFixed = ACol == 3;
    };
    bool Fixed = false;
    G->IsFixedCell(0, 4, Fixed);
    EXPECT_TRUE(Fixed);
    EXPECT_EQ(Asked, 0) << "fixed anyway: the event is not asked";
    Fixed = false;
    G->IsFixedCell(3, 4, Fixed);
    EXPECT_TRUE(Fixed);
    Fixed = false;
    G->IsFixedCell(2, 4, Fixed);
    EXPECT_FALSE(Fixed);
    EXPECT_EQ(Asked, 2);
}

TEST(GridHooks, NewPropertiesDoNotFreezeTransientColours) {
    struct Case {
        const char* Name;
        int Col, Row;
        bool Bands;
        bool Expected;  // the cell keeps a colour of its own
    };
    const Case Cases[] = {
        {"fixed", 0, 3, false, false},
        {"selected", 1, 1, false, false},
        {"banded", 3, 4, true, false},
        {"plain", 3, 4, false, true},
    };
    for (const Case& C : Cases) {
        auto G = newGrid();
        G->Bands()->SetActive(C.Bands);
        G->SetCellEx(C.Col, C.Row, QStringLiteral("x"));
        G->SetAlignments(C.Col, C.Row, taCenter);  // makes the properties
        EXPECT_EQ(G->GetColors(C.Col, C.Row) != clNone, C.Expected) << C.Name;
    }
}

TEST(GridHooks, CheckTextsAndHints) {
    auto G = newGrid();
    String V;
    G->GetCheckTrue(1, 1, V);
    EXPECT_EQ(V, QStringLiteral("Y"));
    G->OnGetCheckFalse = [](TObject*, int, int, String& Value) { Value = QStringLiteral("no"); };
    G->GetCheckFalse(1, 1, V);
    EXPECT_EQ(V, QStringLiteral("no"));
    G->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) {
        Hint = QStringLiteral("r%1c%2").arg(ARow).arg(ACol);
    };
    String Hint, Wide;
    G->GridHint(2, 5, Hint, Wide);
    EXPECT_EQ(Hint, QStringLiteral("r5c2"));
}

}  // namespace
