// The grid's per-cell questions, each without and with its event: filter lists, editability,
// the always-visible editor buttons, fixed cells and the colours new cell properties start with;
// the expand click's row height; the date and memo editors' events reaching the grid's.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Forms.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(GridHooks, ExpandClickFiresThenSizesTheRow) {
    auto G = newGrid();
    G->SetRowHeights(3, 40);
    std::vector<std::string> Log;
    G->OnExpandClick = [&](TObject*, int ACol, int ARow, bool Expanded) {
        Log.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + (Expanded ? " open" : " shut"));
        EXPECT_EQ(G->RowHeights(ARow), 40) << "the event comes first";
    };
    G->ExpandClick(1, 3, false);
    EXPECT_EQ(Log, std::vector<std::string>{"1,3 shut"});
    EXPECT_EQ(G->RowHeights(3), G->DefaultRowHeight()) << "a cell without a graphic";
    // An expand graphic keeps the expanded height in its angle, the contracted one in its index;
    // a covered cell answers by its merged area's base cell.
    G->OnExpandClick = nullptr;
    TCellGraphic* Expand = G->CreateCellGraphic(1, 4);
    Expand->SetCellType(ctExpand);
    Expand->SetCellAngle(60);
    Expand->SetCellIndex(18);
    G->MergeCells(1, 4, 2, 1);
    G->ExpandClick(2, 4, true);
    EXPECT_EQ(G->RowHeights(4), 60);
    G->ExpandClick(1, 4, false);
    EXPECT_EQ(G->RowHeights(4), 18);
    // A handler that frees the grid ends the click.
    auto* Freed = new TVidIvezadOrir(nullptr);
    Freed->OnExpandClick = [](TObject* Sender, int, int, bool) { static_cast<TVidIvezadOrir*>(Sender)->Free(); };
    Freed->ExpandClick(1, 3, true);
}

class TEditingGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::HideInplaceEdit;
    using TVidIvezadOrir::ShowInplaceEdit;
    using TVidIvezadOrir::TVidIvezadOrir;
};

// The editors as the grid makes them, on a shown form, with the current cell at (2, 3).
class GridEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form->SetBounds(100, 100, 600, 400);
        Grid = new TEditingGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
        Form->Show();
        Grid->SetCol(2);
        Grid->SetRow(3);
    }
    // The date editor shown over the current cell, as the editing code shows it.
    TGridDatePicker* shownDatePicker() {
        TGridDatePicker* P = Grid->DateTimePicker();
        P->SetBoundsRect(Grid->CellRect(Grid->Col(), Grid->Row()));
        P->SetEnabled(true);
        P->Show();
        return P;
    }

    TDayFirstFormats Formats;
    FakeClock Clock{EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TEditingGrid* Grid = nullptr;
};

TEST_F(GridEditorsTest, EditorsAreMadeOnceHiddenAndDisabled) {
    TGridDatePicker* Date = Grid->DateTimePicker();
    TGridDateTimePicker* DateTime = Grid->DateAndTimePicker();
    TGridMemoDropDown* Memo = Grid->MemoDropDown();
    EXPECT_EQ(Grid->GetDatePicker(), Date);
    EXPECT_EQ(Grid->GetDateAndTimePicker(), DateTime);
    EXPECT_EQ(Grid->GetMemoDropDown(), Memo);
    for (TControl* C : {static_cast<TControl*>(Date), static_cast<TControl*>(DateTime), static_cast<TControl*>(Memo)}) {
        EXPECT_EQ(C->Owner(), Grid);
        EXPECT_EQ(C->Parent(), Grid);
        EXPECT_FALSE(C->Visible());
    }
    EXPECT_FALSE(Date->Enabled());
    EXPECT_FALSE(DateTime->Enabled());
    EXPECT_TRUE(DateTime->AutoTab());
    EXPECT_TRUE(DateTime->GridTabHandling());
    EXPECT_FALSE(Date->Weeknumbers());
    EXPECT_TRUE(Date->ShowToday());
    EXPECT_TRUE(Date->ShowTodayCircle());
}

TEST_F(GridEditorsTest, DateEditorChangesReachOnEditChangeAsText) {
    std::vector<std::string> Changes;
    Grid->OnEditChange = [&](TObject*, int ACol, int ARow, const String& Value) {
        Changes.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value.toStdString());
    };
    TGridDatePicker* P = shownDatePicker();
    P->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0));
    EXPECT_TRUE(Changes.empty()) << "a value set by code is no edit";
    P->Perform(WM_KEYDOWN, VK_UP, 0);  // the day field
    P->SetKind(dtkTime);
    P->SetActiveSection(0);
    P->Perform(WM_KEYDOWN, VK_UP, 0);  // the hour field
    EXPECT_EQ(Changes, (std::vector<std::string>{"2,3 01/01/2024", "2,3 11:20:30"}));
}

TEST_F(GridEditorsTest, DateDropDownGivesTheCalendarTheEditorsOptions) {
    std::vector<std::string> Log;
    Grid->OnDatePickerDropDown = [&](TObject*, int ARow, int ACol) {
        Log.push_back("drop down " + std::to_string(ARow) + "," + std::to_string(ACol));
    };
    TGridDatePicker* P = shownDatePicker();
    struct Case {
        bool Weeks, Today, Circle;
        DWORD Style;
    };
    const Case Cases[] = {
        {false, true, true, 0},
        {true, true, true, MCS_WEEKNUMBERS},
        {false, false, true, MCS_NOTODAY},
        {true, false, false, MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE},
    };
    for (const Case& C : Cases) {
        P->SetWeeknumbers(C.Weeks);
        P->SetShowToday(C.Today);
        P->SetShowTodayCircle(C.Circle);
        P->SetDroppedDown(true);
        ASSERT_TRUE(P->DroppedDown());
        TMonthCalendarView* Cal = P->Calendar();
        const HWND Handle = reinterpret_cast<HWND>(P->Perform(DTM_GETMONTHCAL, 0, 0));
        EXPECT_EQ(Handle, Cal->Handle());
        const DWORD Style = static_cast<DWORD>(GetWindowLong(Handle, GWL_STYLE));
        EXPECT_EQ(Style & (MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE), C.Style);
        const TSize Min = Cal->MinimumSize();
        EXPECT_EQ(Cal->BoundsRect(), Rect(0, 0, Min.cx + 2, Min.cy + 2)) << "the whole month and its border";
        auto* Popup = Cal->Parent();
        EXPECT_EQ(Popup->ClientWidth(), Min.cx + 2) << "the popup holds the calendar";
        EXPECT_EQ(Popup->ClientHeight(), Min.cy + 2);
        P->SetDroppedDown(false);
    }
    EXPECT_EQ(Log, std::vector<std::string>(4, "drop down 3,2"));
    EXPECT_EQ(P->Perform(DTM_GETMONTHCAL, 0, 0), 0) << "no calendar while closed";
}

TEST_F(GridEditorsTest, DateCloseUpEndsTheEditOnlyWhenAsked) {
    struct Case {
        const char* Name;
        bool Direct, Advance;
        bool EditorAfter, Enter;
    };
    const Case Cases[] = {
        {"the event alone", false, true, true, false},
        {"direct close", true, false, false, false},
        {"direct close and advance", true, true, false, true},
    };
    for (const Case& C : Cases) {
        std::vector<std::string> Log;
        Grid->OnDatePickerCloseUp = [&](TObject*, int ARow, int ACol) {
            Log.push_back("close up " + std::to_string(ARow) + "," + std::to_string(ACol));
        };
        Grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
            if (Key == VK_RETURN) Log.push_back("enter");
        };
        Grid->MouseActions()->SetDirectDateClose(C.Direct);
        Grid->Navigation()->SetAdvanceOnEnter(C.Advance);
        Grid->ShowInplaceEdit();
        ASSERT_TRUE(Grid->EditorMode()) << C.Name;
        TGridDatePicker* P = shownDatePicker();
        P->SetDroppedDown(true);
        P->Calendar()->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(P->DroppedDown()) << C.Name;
        std::vector<std::string> Expected{"close up 3,2"};
        if (C.Enter) Expected.push_back("enter");
        EXPECT_EQ(Log, Expected) << C.Name;
        EXPECT_EQ(Grid->EditorMode(), C.EditorAfter) << C.Name;
        if (C.Direct) {
            EXPECT_EQ(Form->ActiveControl(), Grid) << C.Name << ": the grid takes the focus";
        }
        Grid->HideInplaceEdit();
    }
}

TEST_F(GridEditorsTest, DateAndTimeEditorTellsItsValue) {
    std::vector<std::string> Log;
    Grid->OnDateTimeChange = [&](TObject*, int ACol, int ARow, TDateTime Value) {
        Log.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + DateTimeToStr(Value).toStdString());
    };
    TGridDateTimePicker* P = Grid->DateAndTimePicker();
    P->SetEnabled(true);
    P->Show();
    P->HandleNeeded();
    P->SetDateTime(EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9, 0));
    ASSERT_NE(P->TimePicker(), nullptr);
    P->TimePicker()->SetActiveSection(0);
    P->TimePicker()->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Log, std::vector<std::string>{"2,3 06/05/2024 08:08:09"});
}

TEST_F(GridEditorsTest, MemoLinesGoIntoTheCurrentCellWhole) {
    Grid->SetCells(2, 3, QStringLiteral("old"));
    TGridMemoDropDown* M = Grid->MemoDropDown();
    M->Show();
    M->ShowDropDown();
    ASSERT_NE(M->Memo(), nullptr);
    M->Memo()->Lines()->SetText(QStringLiteral("first line\r\nsecond line"));
    EXPECT_EQ(Grid->Cells(2, 3), QStringLiteral("first line\nsecond line\n")) << "the lines, not the edit's first one";
    EXPECT_EQ(Grid->Cells(1, 3), QString());
}

}  // namespace
