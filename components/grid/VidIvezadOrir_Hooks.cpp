// TVidIvezadOrir: the per-cell questions the painting, editing and filtering code asks. Each
// gives the grid's own answer first, then lets the published event of the occasion change it.
#include "components/grid/VidIvezadOrir.h"

#include "components/graphics/AdvHintInfo.h"
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/DateUtils.h"

#include <algorithm>

namespace {

template <class E, class... A>
void fire(const E& Event, A&&... Args) {
    if (!Event) return;
    const E Handler = Event;
    Handler(std::forward<A>(Args)...);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Hooks that only fire their event

void TVidIvezadOrir::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
    fire(OnGetCellPrintColor, this, ARow, ACol, AState, ABrush, AFont);
}

void TVidIvezadOrir::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    fire(OnGetCellPrintBorder, this, ARow, ACol, APen, Borders);
}

void TVidIvezadOrir::GetCellFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) {
    fire(OnGetFormat, this, ACol, AStyle, APrefix, ASuffix);
}

void TVidIvezadOrir::GetSpinEditorType(int ACol, int ARow, TEditorType& AEditor) {
    fire(OnGetEditorType, this, ACol, ARow, AEditor);
}

void TVidIvezadOrir::GetDropEditorType(int ACol, int ARow, TEditorType& AEditor) {
    fire(OnGetEditorType, this, ACol, ARow, AEditor);
}

void TVidIvezadOrir::SearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction Action) {
    fire(OnSearchFooterAction, this, Value, ACol, ARow, Action);
}

void TVidIvezadOrir::SearchFooterSearchEnd(bool& ContinueFromStart) {
    fire(OnSearchFooterSearchEnd, this, ContinueFromStart);
}

void TVidIvezadOrir::ButtonClick(int ACol, int ARow) { fire(OnButtonClick, this, ACol, ARow); }

void TVidIvezadOrir::ComboCloseUp(int ARow, int ACol) { fire(OnComboCloseUp, this, ARow, ACol); }

void TVidIvezadOrir::CanSort(int ACol, bool& DoSort) { fire(OnCanSort, this, ACol, DoSort); }

void TVidIvezadOrir::CanEditCell(int ARow, int ACol, bool& CanEdit) { fire(OnCanEditCell, this, ARow, ACol, CanEdit); }

void TVidIvezadOrir::IsPasswordCell(int ARow, int ACol, bool& IsPassword) {
    fire(OnIsPasswordCell, this, ARow, ACol, IsPassword);
}

void TVidIvezadOrir::GetCellWordWrap(int ACol, int ARow, bool& WordWrap) {
    fire(OnGetWordWrap, this, ACol, ARow, WordWrap);
}

void TVidIvezadOrir::FilterEditUpdate(int ACol, const String& Condition, TFilterType FilterType) {
    fire(OnFilterEditUpdate, this, ACol, Condition, FilterType);
}

// ---------------------------------------------------------------------------------------------
// Hooks with an answer of their own

void TVidIvezadOrir::GridHint(int ACol, int ARow, String& Hint, String& WideHint) {
    const TWeak<TVidIvezadOrir> Self(this);
    fire(OnGridHint, this, ARow, ACol, Hint);
    if (!Self) return;
    FOfficeHint->Notes()->SetText(Hint);
    fire(OnGridWideHint, this, ARow, ACol, WideHint);
    if (!Self) return;
    if (!WideHint.isEmpty()) Hint = EncodeWideText(WideHint);
    fire(OnOfficeHint, this, ACol, ARow, FOfficeHint.get());
}

void TVidIvezadOrir::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
    if (FActiveCellShow) {
        const bool RowHeader = FixedCols() > 0 && ARow == Row() && RealToDisplCol(ACol) == FixedCols() - 1;
        const bool ColHeader = FixedRows() > 0 && ACol == RealCol() && ARow == FixedRows() - 1;
        if (RowHeader || ColHeader) {
            AFont->Assign(FActiveCellFont.get());
            ABrush->SetColor(FActiveCellColor);
        }
    }
    if (const TCellProperties* P = cellProps(ACol, ARow)) {
        // A cell without a graphic is an empty one: its own brush colour applies.
        if (P->BrushColor() != clNone) ABrush->SetColor(P->BrushColor());
        if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
        if (!P->FontStyle().Empty()) AFont->SetStyle(P->FontStyle());
        if (P->FontSize() != 0) AFont->SetHeight(P->FontSize());
        if (!P->FontName().isEmpty()) AFont->SetName(P->FontName());
    }
    fire(OnGetCellColor, this, ARow, ACol, AState, ABrush, AFont);
}

void TVidIvezadOrir::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (FGrouping->HeaderUnderline() && IsNode(ARow) && ACol > 0) {
        Borders = TCellBorders{cbBottom};
        APen->SetColor(FGrouping->HeaderLineColor());
        APen->SetWidth(FGrouping->HeaderLineWidth());
    }
    if (FGrouping->SummaryLine() && IsSummary(ARow) && ACol > 0) {
        Borders = TCellBorders{cbTop};
        APen->SetColor(FGrouping->SummaryLineColor());
        APen->SetWidth(FGrouping->SummaryLineWidth());
    }
    fire(OnGetCellBorder, this, ARow, ACol, APen, Borders);
}

void TVidIvezadOrir::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, basegrid::TVAlignment& VAlign) {
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
    fire(OnGetAlignment, this, ARow, ACol, HAlign, VAlign);
}

bool TVidIvezadOrir::IsNoEditorCell(int ACol, int ARow) {
    if (!OnGetEditorType) return false;
    TEditorType Editor = edNormal;
    fire(OnGetEditorType, this, ACol, ARow, Editor);
    return Editor == edNone;
}

void TVidIvezadOrir::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
    IsFixed = IsFixed || (FFixedRowAlways && ARow <= FState->MinFixedRows && RowCount() == FState->MinFixedRows) ||
              (FFixedColAlways && ACol < FState->MinFixedCols && ColCount() == FState->MinFixedCols) ||
              ACol < FixedCols() || ARow < FixedRows();
    if (!IsFixed) fire(OnIsFixedCell, this, ARow, ACol, IsFixed);
}

TCursor TVidIvezadOrir::GetCellCursor(int ACol, int ARow, int X, int Y) {
    if (!OnGetCellCursor) return Cursor();
    TCursor C = Screen ? Screen->Cursor() : crDefault;
    fire(OnGetCellCursor, this, ACol, ARow, X, Y, C);
    if (C != Cursor() && Screen) Screen->SetCursor(C);
    return C;
}

void TVidIvezadOrir::ExpandClick(int ACol, int ARow, bool Expanded) {
    const TWeak<TVidIvezadOrir> Self(this);
    fire(OnExpandClick, this, ACol, ARow, Expanded);
    if (Self) SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TVidIvezadOrir::ComboDropDown(int ARow, int ACol) {
    if (FEditCombo && FEditCombo->HandleAllocated())
        FEditCombo->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), RowHeights(ARow) - 6);
    fire(OnComboDropDown, this, ARow, ACol);
}

// Works on the base cell of the merged area.
void TVidIvezadOrir::CheckCanEdit(int ACol, int ARow, bool& CanEdit) {
    const TPoint B = BaseCell(ACol, ARow);
    const bool Known = B.X < ColCount() + FState->HiddenColCount;
    if (HasCellProperties(B.X, B.Y) && CanEdit) {
        CanEdit = !cellProps(B.X, B.Y)->ReadOnly();
        if (!(Options().Contains(goEditing) || FState->EditingSuspended || FMouseActions->RangeSelectAndEdit()))
            CanEdit = false;
        if (Known) CanEditCell(B.Y, B.X, CanEdit);
        return;
    }
    if (Known)
        CanEditCell(B.Y, B.X, CanEdit);
    else
        CanEdit = true;
}

// The editor of a cell, as the always-visible buttons ask for it: edNone means "ask".
TEditorType TVidIvezadOrir::askedEditor(int ACol, int ARow, TEditorType EditorType, bool Spin) {
    if (EditorType != edNone) return EditorType;
    TEditorType Editor = FDefaultEditor;
    if (Spin)
        GetSpinEditorType(ACol, ARow, Editor);
    else
        GetDropEditorType(ACol, ARow, Editor);
    return Editor;
}

// The handler's answer when there is one; else, with the buttons always visible, whether the
// cell's editor is one of those that show them.
bool TVidIvezadOrir::hasEditorButton(const THasEditorEvent& Event, bool AlwaysVisible, int ACol, int ARow,
                                     TEditorType EditorType, bool Spin, std::initializer_list<TEditorType> Kinds) {
    if (Event) {
        bool Has = false;
        fire(Event, this, ACol, ARow, Has);
        return Has;
    }
    if (!AlwaysVisible) return false;
    const TEditorType E = askedEditor(ACol, ARow, EditorType, Spin);
    return std::find(Kinds.begin(), Kinds.end(), E) != Kinds.end();
}

bool TVidIvezadOrir::HasComboBox(int ACol, int ARow, TEditorType EditorType) {
    return hasEditorButton(OnHasComboBox, FControlLook->DropDownAlwaysVisible(), ACol, ARow, EditorType, false,
                           {edComboEdit, edComboList});
}

bool TVidIvezadOrir::HasEditBtn(int ACol, int ARow, TEditorType EditorType) {
    return hasEditorButton(OnHasEditBtn, FControlLook->DropDownAlwaysVisible(), ACol, ARow, EditorType, false,
                           {edEditBtn});
}

bool TVidIvezadOrir::HasSpinEdit(int ACol, int ARow, TEditorType EditorType) {
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    return hasEditorButton(OnHasSpinEdit, FControlLook->SpinButtonsAlwaysVisible(), ACol, ARow, EditorType, true,
                           {edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit});
}

bool TVidIvezadOrir::HasFilterEdit(int ACol, int ARow) {
    bool Has = FFilterEdit->Enabled() && ARow == FFilterEdit->Row();
    if (Has && FFilterEdit->Columns() == fdNormal)
        Has = ACol >= FixedCols() && ACol <= AllColCount() - FFixedRightCols - 1;
    if (Has) fire(OnHasFilterEdit, this, ACol, Has);
    return Has;
}

void TVidIvezadOrir::GetCheckTrue(int ACol, int ARow, String& Value) {
    Value = FCheckTrue;
    fire(OnGetCheckTrue, this, ACol, ARow, Value);
}

void TVidIvezadOrir::GetCheckFalse(int ACol, int ARow, String& Value) {
    Value = FCheckFalse;
    fire(OnGetCheckFalse, this, ACol, ARow, Value);
}

// New properties must not freeze transient colours: fixed, banded, background and selected
// cells start without a brush colour of their own.
void TVidIvezadOrir::GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                              TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                              basegrid::TVAlignment& VAlign, bool& WordWrap,
                                              TCellGradientDirection& GradientDirection) {
    const bool SavedDisabledFont = FUseDisabledFont;
    FUseDisabledFont = false;
    TGridDrawState State;
    const TGridRect Sel = Selection();
    const int DisplCol = RealToDisplCol(ACol);
    if (DisplCol >= Sel.Left && DisplCol <= Sel.Right && ARow >= Sel.Top && ARow <= Sel.Bottom)
        State.Include(gdSelected);
    const bool Fixed = ACol < FixedCols() || ARow < FixedRows();
    if (Fixed) State.Include(gdFixed);
    GetVisualProperties(DisplCol, ARow, State, false, false, true, ABrush, ColorTo, MirrorColor, MirrorColorTo, AFont,
                        HAlign, VAlign, WordWrap, GradientDirection);
    FUseDisabledFont = SavedDisabledFont;
    const bool GradientBack = FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert;
    if (Fixed || FBands->Active() || GradientBack || State.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

// ---------------------------------------------------------------------------------------------
// The column's filter list

namespace {

// A value as a filter entry: an empty one is the condition "empty", one with a blank gets a
// quoted condition after a TAB.
String filterEntry(const String& V) {
    if (V.isEmpty()) return QStringLiteral("\t\"\"");
    if (V.contains(u' ')) return V + QStringLiteral("\t\"") + String(V).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return V;
}

}  // namespace

bool TVidIvezadOrir::GetColumnFilter(int ACol, bool FirstOnly, bool Force) {
    if (FState->BlockFilterUpdate) return true;
    TStringList* L = FFilterList.get();
    L->SetSorted(false);
    L->Clear();
    L->SetCaseSensitive(FFilterDropDown->CaseSensitive());
    if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
        L->SetSorted(FFilterDropDown->Sorted());
        bool CheckList = false;
        if (CellHasCheckBox(ACol, FixedRows()) && !FFilterDropDown->TextChecked().isEmpty() &&
            !FFilterDropDown->TextUnChecked().isEmpty()) {
            L->Add(FFilterDropDown->TextChecked());
            L->Add(FFilterDropDown->TextUnChecked());
            CheckList = true;
        } else {
            for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r) {
                if (IsNode(r)) continue;
                const String V = GetStrippedCell(ACol, r).trimmed();
                const String Entry = filterEntry(V);
                if (L->IndexOf(Entry) < 0) L->Add(Entry);
                if (FirstOnly && L->Count() > 0) break;
            }
        }
        const bool AnyHidden = FGridItems->Count() > 0;
        const bool Filtered = [&] {
            for (int i = 0; i < FFilter->Count(); ++i)
                if (static_cast<TFilterData*>(FFilter->Items(i))->Column() == ACol) return true;
            return false;
        }();
        if (Force || (!FFilterIncremental && !CheckList && (!FFilterDropDownMultiCol || Filtered || AnyHidden))) {
            for (int i = 0; i < FGridItems->Count() && !(FirstOnly && L->Count() > 0); ++i) {
                TStrings* Cells = static_cast<TGridItem*>(FGridItems->Items(i))->Items();
                String V = ACol < Cells->Count() ? Cells->Strings(ACol).trimmed() : String();
                if (OnGetDisplText) OnGetDisplText(this, ACol, static_cast<TGridItem*>(FGridItems->Items(i))->Idx(), V);
                L->Add(filterEntry(V));
            }
        }
        L->SetSorted(false);
        if (!FFilterDropDownClear.isEmpty() && !FFilterDropDownCheck) L->Insert(0, FFilterDropDownClear);
        if (!FFilterDropDownCheckUnCheckAll.isEmpty() && FFilterDropDownCheck)
            L->Insert(0, FFilterDropDownCheckUnCheckAll);
    }
    fire(OnGetColumnFilter, this, ACol, static_cast<TStrings*>(L));
    return L->Count() > 0;
}

// ---------------------------------------------------------------------------------------------
// Editor handlers

void TVidIvezadOrir::GridButtonClick(TObject* Sender) { ButtonClick(Col(), Row()); }

void TVidIvezadOrir::DropDownHeaderButtonClick(int Index) {
    fire(OnDropDownHeaderButtonClick, this, Col(), Row(), Index);
}

void TVidIvezadOrir::DropDownFooterButtonClick(int Index) {
    fire(OnDropDownFooterButtonClick, this, Col(), Row(), Index);
}

// ---------------------------------------------------------------------------------------------
// The date and memo editors

TGridDatePicker* TVidIvezadOrir::GetDatePicker() {
    if (FDatePicker) return FDatePicker;
    FDatePicker = new TGridDatePicker(this);
    FDatePicker->SetVisible(false);
    FDatePicker->SetParent(this);
    FDatePicker->SetEnabled(false);
    FDatePicker->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
    FDatePicker->OnDropDown = [this](TObject* Sender) { DatePickerDropDown(Sender); };
    FDatePicker->OnChange = [this](TObject* Sender) { DatePickerChange(Sender); };
    return FDatePicker;
}

TGridDateTimePicker* TVidIvezadOrir::GetDateAndTimePicker() {
    if (FDateTimePicker) return FDateTimePicker;
    FDateTimePicker = new TGridDateTimePicker(this);
    FDateTimePicker->SetVisible(false);
    FDateTimePicker->SetParent(this);
    FDateTimePicker->SetEnabled(false);
    FDateTimePicker->SetAutoTab(true);
    FDateTimePicker->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
    FDateTimePicker->OnTimeChange = [this](TObject* Sender) { DateTimeChanged(Sender); };
    return FDateTimePicker;
}

TGridMemoDropDown* TVidIvezadOrir::GetMemoDropDown() {
    if (FMemoDropDown) return FMemoDropDown;
    FMemoDropDown = new TGridMemoDropDown(this);
    FMemoDropDown->SetVisible(false);
    FMemoDropDown->SetParent(this);
    FMemoDropDown->SetComponentStyle(FStyle);
    FMemoDropDown->OnMemoChange = [this](TObject* Sender) { MemoDropDownChange(Sender); };
    return FMemoDropDown;
}

void TVidIvezadOrir::DateTimeChanged(TObject*) {
    fire(OnDateTimeChange, this, Col(), Row(), GetDateAndTimePicker()->DateTime());
}

void TVidIvezadOrir::DatePickerChange(TObject* Picker) {
    auto* P = dynamic_cast<TDateTimePicker*>(Picker);
    if (!P) return;
    fire(OnEditChange, this, Col(), Row(), P->Kind() == dtkTime ? TimeToStr(P->Time()) : DateToStr(P->Date()));
}

void TVidIvezadOrir::DatePickerCloseUp(TObject*) {
    // The editors close their calendars as the grid's owned components go.
    if (ComponentState().Contains(csDestroying)) return;
    const TWeak<TVidIvezadOrir> Self(this);
    fire(OnDatePickerCloseUp, this, Row(), Col());
    if (!Self || !FMouseActions->DirectDateClose()) return;
    HideInplaceEdit();
    if (!Self) return;
    if (CanFocus()) SetFocus();
    if (!Self || !FNavigation->AdvanceOnEnter()) return;
    Word Key = VK_RETURN;
    KeyDown(Key, {});
}

// The calendar takes the editor's options as window styles (added, never taken away), then the
// size that shows them whole at the popup's corner.
void TVidIvezadOrir::DatePickerDropDown(TObject* Picker) {
    auto* P = dynamic_cast<TDateTimePicker*>(Picker);
    const HWND Calendar = P ? reinterpret_cast<HWND>(P->Perform(DTM_GETMONTHCAL, 0, 0)) : nullptr;
    if (Calendar) {
        DWORD Style = static_cast<DWORD>(GetWindowLong(Calendar, GWL_STYLE));
        if (!P->ShowToday()) Style |= MCS_NOTODAY;
        if (!P->ShowTodayCircle()) Style |= MCS_NOTODAYCIRCLE;
        if (P->WeekNumbers()) Style |= MCS_WEEKNUMBERS;
        SetWindowLong(Calendar, GWL_STYLE, static_cast<LONG>(Style));
        TRect R;
        SendMessage(Calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&R));
        SetWindowPos(Calendar, nullptr, 0, 0, R.Right + 2, R.Bottom + 2, SWP_NOZORDER);
    }
    fire(OnDatePickerDropDown, this, Row(), Col());
}

// The memo's lines as one text, as the editor's commit stores them: the edit shows only the first
// line (shortened, or with "..."), which is no value for the cell.
void TVidIvezadOrir::MemoDropDownChange(TObject*) {
    if (!FMemoDropDown) return;
    SetEditText(Col(), Row(), FMemoDropDown->MemoText()->Text());
}
