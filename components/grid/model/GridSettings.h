// The grid's behaviour switches, grouped as persistent settings objects the grid publishes and
// owns: TNavigation (keys, editing entry, clipboard), TMouseActions (mouse selection, direct
// editing, wheel, sizing), TSearchFooter (the search panel), TBands (alternating row colours) and
// TSyncGrid (a grid that follows this one). Setters fire the events their comments name; Assign
// copies fields directly and fires nothing. Plain data, no window.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Graphics.h"

#include <memory>

class TStringGrid;

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardCutAction { caClear, caRemove };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell, heDefault };
enum TToggleTriStateCheck { tsAllStates, tsCheckUnCheck };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };
enum TWheelActive { waFocus, waMouseOver };
enum TSearchDirection { sdTopBottom, sdLeftRight };
enum THighlightType { hMatchingText, hFullCell };

using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// ---------------------------------------------------------------------------------------------

class TNavigation : public TPersistent {
public:
    TNavigation() = default;

    bool AllowInsertRow() const { return FAllowInsertRow; }
    void SetAllowInsertRow(bool Value) { FAllowInsertRow = Value; }
    bool AllowDeleteRow() const { return FAllowDeleteRow; }
    void SetAllowDeleteRow(bool Value) { FAllowDeleteRow = Value; }
    bool AdvanceOnEnter() const { return FAdvanceOnEnter; }
    void SetAdvanceOnEnter(bool Value) { FAdvanceOnEnter = Value; }
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    bool AutoGotoWhenSorted() const { return FAutoGotoWhenSorted; }
    void SetAutoGotoWhenSorted(bool Value) { FAutoGotoWhenSorted = Value; }
    bool AutoGotoIncremental() const { return FAutoGotoIncremental; }
    void SetAutoGotoIncremental(bool Value) { FAutoGotoIncremental = Value; }
    bool AutoComboDropSize() const { return FAutoComboDropSize; }
    void SetAutoComboDropSize(bool Value) { FAutoComboDropSize = Value; }
    bool AutoComboSelect() const { return FAutoComboSelect; }
    void SetAutoComboSelect(bool Value) { FAutoComboSelect = Value; }
    bool AllowClipboardShortCuts() const { return FAllowClipboardShortCuts; }
    void SetAllowClipboardShortCuts(bool Value) { FAllowClipboardShortCuts = Value; }
    bool AllowRTFClipboard() const { return FAllowRTFClipboard; }
    void SetAllowRTFClipboard(bool Value) { FAllowRTFClipboard = Value; }
    bool AllowSmartClipboard() const { return FAllowSmartClipboard; }
    void SetAllowSmartClipboard(bool Value) { FAllowSmartClipboard = Value; }
    bool AllowClipboardAlways() const { return FAllowClipboardAlways; }
    void SetAllowClipboardAlways(bool Value) { FAllowClipboardAlways = Value; }
    bool AllowClipboardColGrow() const { return FAllowClipboardColGrow; }
    void SetAllowClipboardColGrow(bool Value) { FAllowClipboardColGrow = Value; }
    bool AllowClipboardRowGrow() const { return FAllowClipboardRowGrow; }
    void SetAllowClipboardRowGrow(bool Value) { FAllowClipboardRowGrow = Value; }
    TClipboardPasteAction ClipboardPasteAction() const { return FClipboardPasteAction; }
    void SetClipboardPasteAction(TClipboardPasteAction Value) { FClipboardPasteAction = Value; }
    bool CopyHTMLTagsToClipboard() const { return FCopyHTMLTagsToClipboard; }
    void SetCopyHTMLTagsToClipboard(bool Value) { FCopyHTMLTagsToClipboard = Value; }
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value);
    bool AdvanceAutoEdit() const { return FAdvanceAutoEdit; }
    void SetAdvanceAutoEdit(bool Value) { FAdvanceAutoEdit = Value; }
    bool CursorWalkEditor() const { return FCursorWalkEditor; }
    void SetCursorWalkEditor(bool Value) { FCursorWalkEditor = Value; }
    bool CursorWalkAlwaysEdit() const { return FCursorWalkAlwaysEdit; }
    void SetCursorWalkAlwaysEdit(bool Value) { FCursorWalkAlwaysEdit = Value; }
    bool MoveRowOnSort() const { return FMoveRowOnSort; }
    void SetMoveRowOnSort(bool Value) { FMoveRowOnSort = Value; }
    bool KeepScrollOnSort() const { return FKeepScrollOnSort; }
    void SetKeepScrollOnSort(bool Value) { FKeepScrollOnSort = Value; }
    bool ImproveMaskSel() const { return FImproveMaskSel; }
    void SetImproveMaskSel(bool Value) { FImproveMaskSel = Value; }
    bool AlwaysEdit() const { return FAlwaysEdit; }
    void SetAlwaysEdit(bool Value) { FAlwaysEdit = Value; }
    TInsertPosition InsertPosition() const { return FInsertPosition; }
    void SetInsertPosition(TInsertPosition Value) { FInsertPosition = Value; }
    bool LineFeedOnEnter() const { return FLineFeedOnEnter; }
    void SetLineFeedOnEnter(bool Value) { FLineFeedOnEnter = Value; }
    THomeEndAction HomeEndKey() const { return FHomeEndKey; }
    void SetHomeEndKey(THomeEndAction Value) { FHomeEndKey = Value; }
    bool KeepHorizScroll() const { return FKeepHorizScroll; }
    void SetKeepHorizScroll(bool Value) { FKeepHorizScroll = Value; }
    bool AllowFmtClipboard() const { return FAllowFmtClipboard; }
    void SetAllowFmtClipboard(bool Value) { FAllowFmtClipboard = Value; }
    bool TabToNextAtEnd() const { return FTabToNextAtEnd; }
    void SetTabToNextAtEnd(bool Value) { FTabToNextAtEnd = Value; }
    bool EditSelectAll() const { return FEditSelectAll; }
    void SetEditSelectAll(bool Value) { FEditSelectAll = Value; }
    TAdvanceDirection TabAdvanceDirection() const { return FTabAdvanceDirection; }
    void SetTabAdvanceDirection(TAdvanceDirection Value) { FTabAdvanceDirection = Value; }
    bool SkipFixedCells() const { return FSkipFixedCells; }
    void SetSkipFixedCells(bool Value) { FSkipFixedCells = Value; }
    bool SkipDisabledRows() const { return FSkipDisabledRows; }
    void SetSkipDisabledRows(bool Value) { FSkipDisabledRows = Value; }
    bool AllowCtrlEnter() const { return FAllowCtrlEnter; }
    void SetAllowCtrlEnter(bool Value) { FAllowCtrlEnter = Value; }
    bool AppendOnArrowDown() const { return FAppendOnArrowDown; }
    void SetAppendOnArrowDown(bool Value) { FAppendOnArrowDown = Value; }
    bool LeftRightRowSelect() const { return FLeftRightRowSelect; }
    void SetLeftRightRowSelect(bool Value) { FLeftRightRowSelect = Value; }
    bool MoveScrollOnly() const { return FMoveScrollOnly; }
    void SetMoveScrollOnly(bool Value) { FMoveScrollOnly = Value; }
    bool ComboGetUpDown() const { return FComboGetUpDown; }
    void SetComboGetUpDown(bool Value) { FComboGetUpDown = Value; }
    bool AdvanceOnEnterLoop() const { return FAdvanceOnEnterLoop; }
    void SetAdvanceOnEnterLoop(bool Value) { FAdvanceOnEnterLoop = Value; }
    TCursorAdvance CursorAdvance() const { return FCursorAdvance; }
    void SetCursorAdvance(TCursorAdvance Value) { FCursorAdvance = Value; }
    bool AdvanceSkipReadOnlyCells() const { return FAdvanceSkipReadOnlyCells; }
    void SetAdvanceSkipReadOnlyCells(bool Value) { FAdvanceSkipReadOnlyCells = Value; }
    bool CursorMoveRows() const { return FCursorMoveRows; }
    void SetCursorMoveRows(bool Value) { FCursorMoveRows = Value; }
    bool AllowEditButtonCells() const { return FAllowEditButtonCells; }
    void SetAllowEditButtonCells(bool Value) { FAllowEditButtonCells = Value; }
    TClipboardCutAction ClipboardCutAction() const { return FClipboardCutAction; }
    void SetClipboardCutAction(TClipboardCutAction Value) { FClipboardCutAction = Value; }
    TToggleTriStateCheck ToggleTriStateCheck() const { return FToggleTriStateCheck; }
    void SetToggleTriStateCheck(TToggleTriStateCheck Value) { FToggleTriStateCheck = Value; }

    // Fired by SetAdvanceDirection and SetAdvanceInsert when the value changes.
    TNotifyEvent OnChange;

    // Copies every switch but KeepScrollOnSort from another TNavigation; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FAllowInsertRow = false;
    bool FAllowDeleteRow = false;
    bool FAdvanceOnEnter = false;
    bool FAdvanceInsert = false;
    bool FAutoGotoWhenSorted = false;
    bool FAutoGotoIncremental = false;
    bool FAutoComboDropSize = false;
    bool FAutoComboSelect = true;
    bool FAllowClipboardShortCuts = false;
    bool FAllowRTFClipboard = false;
    bool FAllowSmartClipboard = false;
    bool FAllowClipboardAlways = false;
    bool FAllowClipboardColGrow = true;
    bool FAllowClipboardRowGrow = true;
    TClipboardPasteAction FClipboardPasteAction = paReplace;
    bool FCopyHTMLTagsToClipboard = true;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceAuto = false;
    bool FAdvanceAutoEdit = true;
    bool FCursorWalkEditor = false;
    bool FCursorWalkAlwaysEdit = true;
    bool FMoveRowOnSort = false;
    bool FKeepScrollOnSort = false;
    bool FImproveMaskSel = false;
    bool FAlwaysEdit = false;
    TInsertPosition FInsertPosition = pInsertBefore;
    bool FLineFeedOnEnter = false;
    THomeEndAction FHomeEndKey = heFirstLastColumn;
    bool FKeepHorizScroll = false;
    bool FAllowFmtClipboard = false;
    bool FTabToNextAtEnd = false;
    bool FEditSelectAll = true;
    TAdvanceDirection FTabAdvanceDirection = adLeftRight;
    bool FSkipFixedCells = true;
    bool FSkipDisabledRows = true;
    bool FAllowCtrlEnter = true;
    bool FAppendOnArrowDown = false;
    bool FLeftRightRowSelect = true;
    bool FMoveScrollOnly = false;
    bool FComboGetUpDown = true;
    bool FAdvanceOnEnterLoop = true;
    TCursorAdvance FCursorAdvance = caDefault;
    bool FAdvanceSkipReadOnlyCells = true;
    bool FCursorMoveRows = false;
    bool FAllowEditButtonCells = false;
    TClipboardCutAction FClipboardCutAction = caClear;
    TToggleTriStateCheck FToggleTriStateCheck = tsAllStates;

    void changed();
};

// ---------------------------------------------------------------------------------------------

class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;

    bool ColSelect() const { return FColSelect; }
    void SetColSelect(bool Value) { FColSelect = Value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { FRowSelect = Value; }
    bool AllSelect() const { return FAllSelect; }
    void SetAllSelect(bool Value) { FAllSelect = Value; }
    bool DirectEdit() const { return FDirectEdit; }
    void SetDirectEdit(bool Value) { FDirectEdit = Value; }
    bool DirectComboDrop() const { return FDirectComboDrop; }
    void SetDirectComboDrop(bool Value) { FDirectComboDrop = Value; }
    bool DirectComboClose() const { return FDirectComboClose; }
    void SetDirectComboClose(bool Value) { FDirectComboClose = Value; }
    bool DirectDateClose() const { return FDirectDateClose; }
    void SetDirectDateClose(bool Value) { FDirectDateClose = Value; }
    bool DirectDateDrop() const { return FDirectDateDrop; }
    void SetDirectDateDrop(bool Value) { FDirectDateDrop = Value; }
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool AllColumnSize() const { return FAllColumnSize; }
    void SetAllColumnSize(bool Value) { FAllColumnSize = Value; }
    bool AllRowSize() const { return FAllRowSize; }
    void SetAllRowSize(bool Value) { FAllRowSize = Value; }
    bool CaretPositioning() const { return FCaretPositioning; }
    void SetCaretPositioning(bool Value) { FCaretPositioning = Value; }
    bool SizeFixedCol() const { return FSizeFixedCol; }
    void SetSizeFixedCol(bool Value) { FSizeFixedCol = Value; }
    bool SizeFixedRow() const { return FSizeFixedRow; }
    void SetSizeFixedRow(bool Value) { FSizeFixedRow = Value; }
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    TGridFixedCellEdit FixedRowsEdit() const { return FFixedRowsEdit; }
    void SetFixedRowsEdit(TGridFixedCellEdit Value) { FFixedRowsEdit = Value; }
    TGridFixedCellEdit FixedColsEdit() const { return FFixedColsEdit; }
    void SetFixedColsEdit(TGridFixedCellEdit Value) { FFixedColsEdit = Value; }
    TGridFixedCellEditor FixedRowsEditor() const { return FFixedRowsEditor; }
    void SetFixedRowsEditor(TGridFixedCellEditor Value) { FFixedRowsEditor = Value; }
    TGridFixedCellEditor FixedColsEditor() const { return FFixedColsEditor; }
    void SetFixedColsEditor(TGridFixedCellEditor Value) { FFixedColsEditor = Value; }
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    bool RangeSelectAndEdit() const { return FRangeSelectAndEdit; }
    void SetRangeSelectAndEdit(bool Value) { FRangeSelectAndEdit = Value; }
    bool NoAutoRangeScroll() const { return FNoAutoRangeScroll; }
    void SetNoAutoRangeScroll(bool Value) { FNoAutoRangeScroll = Value; }
    bool PreciseCheckBoxCheck() const { return FPreciseCheckBoxCheck; }
    void SetPreciseCheckBoxCheck(bool Value) { FPreciseCheckBoxCheck = Value; }
    bool PreciseNodeClick() const { return FPreciseNodeClick; }
    void SetPreciseNodeClick(bool Value) { FPreciseNodeClick = Value; }
    bool CheckAllCheck() const { return FCheckAllCheck; }
    void SetCheckAllCheck(bool Value) { FCheckAllCheck = Value; }
    bool NodeAllExpandContract() const { return FNodeAllExpandContract; }
    void SetNodeAllExpandContract(bool Value) { FNodeAllExpandContract = Value; }
    bool MoveRowOnNodeClick() const { return FMoveRowOnNodeClick; }
    void SetMoveRowOnNodeClick(bool Value) { FMoveRowOnNodeClick = Value; }
    bool RowSelectPersistent() const { return FRowSelectPersistent; }
    void SetRowSelectPersistent(bool Value) { FRowSelectPersistent = Value; }
    bool SelectOnRightClick() const { return FSelectOnRightClick; }
    void SetSelectOnRightClick(bool Value) { FSelectOnRightClick = Value; }
    bool NoScrollOnPartialRow() const { return FNoScrollOnPartialRow; }
    void SetNoScrollOnPartialRow(bool Value) { FNoScrollOnPartialRow = Value; }
    bool NoScrollOnPartialCol() const { return FNoScrollOnPartialCol; }
    void SetNoScrollOnPartialCol(bool Value) { FNoScrollOnPartialCol = Value; }
    int WheelIncrement() const { return FWheelIncrement; }
    void SetWheelIncrement(int Value) { FWheelIncrement = Value; }
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);
    bool AutoSizeColOnDblClick() const { return FAutoSizeColOnDblClick; }
    void SetAutoSizeColOnDblClick(bool Value) { FAutoSizeColOnDblClick = Value; }
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    bool DisjunctRowSelectNoCtrl() const { return FDisjunctRowSelectNoCtrl; }
    void SetDisjunctRowSelectNoCtrl(bool Value) { FDisjunctRowSelectNoCtrl = Value; }
    bool DisjunctColSelectNoCtrl() const { return FDisjunctColSelectNoCtrl; }
    void SetDisjunctColSelectNoCtrl(bool Value) { FDisjunctColSelectNoCtrl = Value; }
    bool TouchScroll() const { return FTouchScroll; }
    void SetTouchScroll(bool Value) { FTouchScroll = Value; }
    TWheelActive WheelActive() const { return FWheelActive; }
    void SetWheelActive(TWheelActive Value) { FWheelActive = Value; }
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    int PartialScrollDelta() const { return FPartialScrollDelta; }
    void SetPartialScrollDelta(int Value) { FPartialScrollDelta = Value; }

    TStrings* FixedComboValues() const { return FFixedComboValues.get(); }
    // Copies the strings into the owned list.
    void SetFixedComboValues(TStrings* Value) { FFixedComboValues->Assign(Value); }
    // The DisjunctRowSelect field without its setter's design-time rule.
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }

    // OnChange: SetWheelAction on a change. OnInvalidate: SetHotmailRowSelect, always.
    // OnDisableEdit: SetEditOnDblClickOnly(true). OnIsDesigning: asked by the disjunct setters.
    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

    // Copies every switch but SizeFixedRow, HotmailRowSelect, EditOnDblClickOnly and
    // FixedComboValues from another TMouseActions; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FColSelect = false;
    bool FRowSelect = false;
    bool FAllSelect = false;
    bool FDirectEdit = false;
    bool FDirectComboDrop = false;
    bool FDirectComboClose = false;
    bool FDirectDateClose = false;
    bool FDirectDateDrop = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FAllColumnSize = false;
    bool FAllRowSize = false;
    bool FCaretPositioning = false;
    bool FSizeFixedCol = false;
    bool FSizeFixedRow = false;
    bool FDisjunctCellSelect = false;
    TGridFixedCellEdit FFixedRowsEdit = fceNone;
    TGridFixedCellEdit FFixedColsEdit = fceNone;
    TGridFixedCellEditor FFixedRowsEditor = fceEdit;
    TGridFixedCellEditor FFixedColsEditor = fceEdit;
    bool FHotmailRowSelect = false;
    bool FRangeSelectAndEdit = false;
    bool FNoAutoRangeScroll = false;
    bool FPreciseCheckBoxCheck = false;
    bool FPreciseNodeClick = true;
    bool FCheckAllCheck = false;
    bool FNodeAllExpandContract = false;
    bool FMoveRowOnNodeClick = false;
    bool FRowSelectPersistent = false;
    bool FSelectOnRightClick = false;
    bool FNoScrollOnPartialRow = false;
    bool FNoScrollOnPartialCol = false;
    int FWheelIncrement = 0;
    TWheelAction FWheelAction = waMoveSelection;
    bool FAutoSizeColOnDblClick = true;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelectNoCtrl = false;
    bool FDisjunctColSelectNoCtrl = false;
    bool FTouchScroll = false;
    TWheelActive FWheelActive = waFocus;
    bool FAutoFocus = false;
    int FPartialScrollDelta = 0;

    std::unique_ptr<TStringList> FFixedComboValues;

    bool isDesigning() const;
};

// ---------------------------------------------------------------------------------------------

class TSearchFooter : public TPersistent {
public:
    // The captions and hints are filled only for a grid being placed in the designer (InitDesign).
    TSearchFooter(TComponent* AOwner, bool InitDesign);
    ~TSearchFooter() override;

    // Writers of captions, hints, colours, font, AutoThemeAdapt and ShowClose fire OnChange
    // always; those of the other Show switches and Visible only on a change.
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& Value);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& Value);
    const String& HintClose() const { return FHintClose; }
    void SetHintClose(const String& Value);
    const String& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& Value);
    const String& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& Value);
    const String& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& Value);
    // Also empties LastSearch; no event.
    bool AutoSearch() const { return FAutoSearch; }
    void SetAutoSearch(bool Value);
    const String& LastSearch() const { return FLastSearch; }
    void SetLastSearch(const String& Value) { FLastSearch = Value; }
    int SearchColumn() const { return FSearchColumn; }
    void SetSearchColumn(int Value) { FSearchColumn = Value; }
    bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
    void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
    bool SearchMatchStart() const { return FSearchMatchStart; }
    void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
    bool SearchFixedCells() const { return FSearchFixedCells; }
    void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
    bool SearchHiddenRows() const { return FSearchHiddenRows; }
    void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
    const String& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& Value);
    bool AlwaysHighLight() const { return FAlwaysHighLight; }
    void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
    TSearchDirection SearchDirection() const { return FSearchDirection; }
    void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
    TFont* Font() const { return FFont.get(); }
    // Copies the font.
    void SetFont(TFont* Value);
    THighlightType HighLight() const { return FHighLight; }
    void SetHighLight(THighlightType Value) { FHighLight = Value; }
    TColor SearchErrorColor() const { return FSearchErrorColor; }
    void SetSearchErrorColor(TColor Value) { FSearchErrorColor = Value; }

    TNotifyEvent OnChange;

    // Copies every published switch but AutoSearch and SearchFixedCells, and the font, from
    // another TSearchFooter; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FShowFindPrev = true;
    bool FShowFindNext = true;
    String FFindNextCaption;
    String FFindPrevCaption;
    TColor FColorTo = clBtnFace;
    TColor FColor = clWhite;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
    bool FShowClose = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    String FMatchCaseCaption;
    String FHintClose;
    String FHintFindPrev;
    String FHintHighlight;
    String FHintFindNext;
    bool FAutoSearch = true;
    String FLastSearch;
    int FSearchColumn = -1;
    bool FSearchActiveColumnOnly = false;
    bool FSearchMatchStart = false;
    bool FSearchFixedCells = false;
    bool FSearchHiddenRows = false;
    String FHighLightCaption;
    bool FAlwaysHighLight = false;
    TSearchDirection FSearchDirection = sdTopBottom;
    std::unique_ptr<TFont> FFont;
    THighlightType FHighLight = hMatchingText;
    TColor FSearchErrorColor = clRed;

    void changed();
    void setAlways(String& Field, const String& Value);
    void setChanged(bool& Field, bool Value);
};

// ---------------------------------------------------------------------------------------------

// Alternating row colours: rows r with (r - FixedRows) mod TotalLength < PrimaryLength get the
// primary colour, the others the secondary one.
class TBands : public TPersistent {
public:
    TBands() = default;

    bool Print() const { return FPrint; }
    void SetPrint(bool Value) { FPrint = Value; }
    // A change fires OnChange.
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // PrimaryLength + SecondaryLength.
    int TotalLength() const { return FTotalLength; }
    // Lengths below 0 are taken as 0. A change fires OnChange while Active.
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    // A change fires OnChange while Active.
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);

    TNotifyEvent OnChange;

    // The band colour of a data row; false (no band) while not Active or without any length.
    bool BandColor(int ARow, int FixedRows, TColor& Color) const;
    // Copies the switches, colours and lengths from another TBands; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FPrint = false;
    bool FActive = false;
    int FTotalLength = 2;
    int FSecondaryLength = 1;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    TColor FPrimaryColor = clInfoBk;

    void changed();
};

// ---------------------------------------------------------------------------------------------

// A second grid that follows this one's scrolling, current cell and moves, each by its switch.
class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}

    TStringGrid* Grid() const { return FGrid; }
    // The owning grid itself is refused (a grid never follows itself); anything else is kept.
    void SetGrid(TStringGrid* Value);
    bool ScrollVertical() const { return FScrollVertical; }
    void SetScrollVertical(bool Value) { FScrollVertical = Value; }
    bool ScrollHorizontal() const { return FScrollHorizontal; }
    void SetScrollHorizontal(bool Value) { FScrollHorizontal = Value; }
    bool SelectionColumn() const { return FSelectionColumn; }
    void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
    bool SelectionRow() const { return FSelectionRow; }
    void SetSelectionRow(bool Value) { FSelectionRow = Value; }
    bool MoveColumn() const { return FMoveColumn; }
    void SetMoveColumn(bool Value) { FMoveColumn = Value; }
    bool MoveRow() const { return FMoveRow; }
    void SetMoveRow(bool Value) { FMoveRow = Value; }

    // Grid through SetGrid, then the six switches; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    TComponent* FOwner;
    TStringGrid* FGrid = nullptr;
    bool FScrollVertical = false;
    bool FScrollHorizontal = false;
    bool FSelectionColumn = false;
    bool FSelectionRow = false;
    bool FMoveColumn = false;
    bool FMoveRow = false;
};
