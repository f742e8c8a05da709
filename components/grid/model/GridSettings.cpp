#include "components/grid/model/GridSettings.h"

#include "components/grid/model/GridEvents.h"

// ---------------------------------------------------------------------------------------------
// TNavigation

void TNavigation::changed() { FireNotify(OnChange, this); }

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
    if (Value == FAdvanceDirection) return;
    FAdvanceDirection = Value;
    changed();
}

void TNavigation::SetAdvanceInsert(bool Value) {
    if (Value == FAdvanceInsert) return;
    FAdvanceInsert = Value;
    changed();
}

// Switching automatic advance on also advances on Enter; switching it off leaves that alone.
void TNavigation::SetAdvanceAuto(bool Value) {
    if (Value == FAdvanceAuto) return;
    FAdvanceAuto = Value;
    if (Value) FAdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TNavigation*>(Source);
    if (!S) return;
    FAllowInsertRow = S->FAllowInsertRow;
    FAllowDeleteRow = S->FAllowDeleteRow;
    FAdvanceOnEnter = S->FAdvanceOnEnter;
    FAdvanceInsert = S->FAdvanceInsert;
    FAutoGotoWhenSorted = S->FAutoGotoWhenSorted;
    FAutoGotoIncremental = S->FAutoGotoIncremental;
    FAutoComboDropSize = S->FAutoComboDropSize;
    FAutoComboSelect = S->FAutoComboSelect;
    FAllowClipboardShortCuts = S->FAllowClipboardShortCuts;
    FAllowRTFClipboard = S->FAllowRTFClipboard;
    FAllowSmartClipboard = S->FAllowSmartClipboard;
    FAllowClipboardAlways = S->FAllowClipboardAlways;
    FAllowClipboardColGrow = S->FAllowClipboardColGrow;
    FAllowClipboardRowGrow = S->FAllowClipboardRowGrow;
    FClipboardPasteAction = S->FClipboardPasteAction;
    FCopyHTMLTagsToClipboard = S->FCopyHTMLTagsToClipboard;
    FAdvanceDirection = S->FAdvanceDirection;
    FAdvanceAuto = S->FAdvanceAuto;
    FAdvanceAutoEdit = S->FAdvanceAutoEdit;
    FCursorWalkEditor = S->FCursorWalkEditor;
    FCursorWalkAlwaysEdit = S->FCursorWalkAlwaysEdit;
    FMoveRowOnSort = S->FMoveRowOnSort;
    FImproveMaskSel = S->FImproveMaskSel;
    FAlwaysEdit = S->FAlwaysEdit;
    FInsertPosition = S->FInsertPosition;
    FLineFeedOnEnter = S->FLineFeedOnEnter;
    FHomeEndKey = S->FHomeEndKey;
    FKeepHorizScroll = S->FKeepHorizScroll;
    FAllowFmtClipboard = S->FAllowFmtClipboard;
    FTabToNextAtEnd = S->FTabToNextAtEnd;
    FEditSelectAll = S->FEditSelectAll;
    FTabAdvanceDirection = S->FTabAdvanceDirection;
    FSkipFixedCells = S->FSkipFixedCells;
    FSkipDisabledRows = S->FSkipDisabledRows;
    FAllowCtrlEnter = S->FAllowCtrlEnter;
    FAppendOnArrowDown = S->FAppendOnArrowDown;
    FLeftRightRowSelect = S->FLeftRightRowSelect;
    FMoveScrollOnly = S->FMoveScrollOnly;
    FComboGetUpDown = S->FComboGetUpDown;
    FAdvanceOnEnterLoop = S->FAdvanceOnEnterLoop;
    FCursorAdvance = S->FCursorAdvance;
    FAdvanceSkipReadOnlyCells = S->FAdvanceSkipReadOnlyCells;
    FCursorMoveRows = S->FCursorMoveRows;
    FAllowEditButtonCells = S->FAllowEditButtonCells;
    FClipboardCutAction = S->FClipboardCutAction;
    FToggleTriStateCheck = S->FToggleTriStateCheck;
}

// ---------------------------------------------------------------------------------------------
// TMouseActions

TMouseActions::TMouseActions(TComponent* AOwner) : FFixedComboValues(std::make_unique<TStringList>()) {}

TMouseActions::~TMouseActions() = default;

bool TMouseActions::isDesigning() const {
    bool Designing = false;
    if (OnIsDesigning) {
        const TIsDesigningEvent Handler = OnIsDesigning;
        Handler(const_cast<TMouseActions*>(this), Designing);
    }
    return Designing;
}

// In the designer only one disjunct selection mode is on at a time; at run time they combine.
void TMouseActions::SetDisjunctRowSelect(bool Value) {
    FDisjunctRowSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctColSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
    FDisjunctColSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
    FDisjunctCellSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctColSelect = false;
    }
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    FireNotify(OnInvalidate, this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
    FEditOnDblClickOnly = Value;
    if (Value) FireNotify(OnDisableEdit, this);
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
    if (Value == FWheelAction) return;
    FWheelAction = Value;
    FireNotify(OnChange, this);
}

void TMouseActions::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TMouseActions*>(Source);
    if (!S) return;
    FColSelect = S->FColSelect;
    FRowSelect = S->FRowSelect;
    FAllSelect = S->FAllSelect;
    FDirectEdit = S->FDirectEdit;
    FDirectComboDrop = S->FDirectComboDrop;
    FDirectComboClose = S->FDirectComboClose;
    FDirectDateClose = S->FDirectDateClose;
    FDirectDateDrop = S->FDirectDateDrop;
    FDisjunctRowSelect = S->FDisjunctRowSelect;
    FDisjunctColSelect = S->FDisjunctColSelect;
    FAllColumnSize = S->FAllColumnSize;
    FAllRowSize = S->FAllRowSize;
    FCaretPositioning = S->FCaretPositioning;
    FSizeFixedCol = S->FSizeFixedCol;
    FDisjunctCellSelect = S->FDisjunctCellSelect;
    FFixedRowsEdit = S->FFixedRowsEdit;
    FFixedColsEdit = S->FFixedColsEdit;
    FFixedRowsEditor = S->FFixedRowsEditor;
    FFixedColsEditor = S->FFixedColsEditor;
    FRangeSelectAndEdit = S->FRangeSelectAndEdit;
    FNoAutoRangeScroll = S->FNoAutoRangeScroll;
    FPreciseCheckBoxCheck = S->FPreciseCheckBoxCheck;
    FPreciseNodeClick = S->FPreciseNodeClick;
    FCheckAllCheck = S->FCheckAllCheck;
    FNodeAllExpandContract = S->FNodeAllExpandContract;
    FMoveRowOnNodeClick = S->FMoveRowOnNodeClick;
    FRowSelectPersistent = S->FRowSelectPersistent;
    FSelectOnRightClick = S->FSelectOnRightClick;
    FNoScrollOnPartialRow = S->FNoScrollOnPartialRow;
    FNoScrollOnPartialCol = S->FNoScrollOnPartialCol;
    FWheelIncrement = S->FWheelIncrement;
    FWheelAction = S->FWheelAction;
    FAutoSizeColOnDblClick = S->FAutoSizeColOnDblClick;
    FDisjunctRowSelectNoCtrl = S->FDisjunctRowSelectNoCtrl;
    FDisjunctColSelectNoCtrl = S->FDisjunctColSelectNoCtrl;
    FTouchScroll = S->FTouchScroll;
    FWheelActive = S->FWheelActive;
    FAutoFocus = S->FAutoFocus;
    FPartialScrollDelta = S->FPartialScrollDelta;
}

// ---------------------------------------------------------------------------------------------
// TSearchFooter

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign) : FFont(std::make_unique<TFont>()) {
    if (!InitDesign) return;
    FFindNextCaption = QStringLiteral("Find &next");
    FFindPrevCaption = QStringLiteral("Find &previous");
    FMatchCaseCaption = QStringLiteral("Match case");
    FHintClose = QStringLiteral("Close");
    FHintFindPrev = QStringLiteral("Find previous occurrence");
    FHintHighlight = QStringLiteral("Highlight occurrences");
    FHintFindNext = QStringLiteral("Find next occurrence");
    FHighLightCaption = QStringLiteral("Highlight");
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::changed() { FireNotify(OnChange, this); }

void TSearchFooter::setAlways(String& Field, const String& Value) {
    Field = Value;
    changed();
}

void TSearchFooter::setChanged(bool& Field, bool Value) {
    if (Field == Value) return;
    Field = Value;
    changed();
}

void TSearchFooter::SetShowFindPrev(bool Value) { setChanged(FShowFindPrev, Value); }
void TSearchFooter::SetShowFindNext(bool Value) { setChanged(FShowFindNext, Value); }
void TSearchFooter::SetShowHighLight(bool Value) { setChanged(FShowHighLight, Value); }
void TSearchFooter::SetShowMatchCase(bool Value) { setChanged(FShowMatchCase, Value); }
void TSearchFooter::SetVisible(bool Value) { setChanged(FVisible, Value); }
void TSearchFooter::SetFindNextCaption(const String& Value) { setAlways(FFindNextCaption, Value); }
void TSearchFooter::SetFindPrevCaption(const String& Value) { setAlways(FFindPrevCaption, Value); }
void TSearchFooter::SetMatchCaseCaption(const String& Value) { setAlways(FMatchCaseCaption, Value); }
void TSearchFooter::SetHintClose(const String& Value) { setAlways(FHintClose, Value); }
void TSearchFooter::SetHintFindPrev(const String& Value) { setAlways(FHintFindPrev, Value); }
void TSearchFooter::SetHintHighlight(const String& Value) { setAlways(FHintHighlight, Value); }
void TSearchFooter::SetHintFindNext(const String& Value) { setAlways(FHintFindNext, Value); }
void TSearchFooter::SetHighLightCaption(const String& Value) { setAlways(FHighLightCaption, Value); }

void TSearchFooter::SetColorTo(TColor Value) {
    FColorTo = Value;
    changed();
}

void TSearchFooter::SetColor(TColor Value) {
    FColor = Value;
    changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    changed();
}

void TSearchFooter::SetShowClose(bool Value) {
    FShowClose = Value;
    changed();
}

void TSearchFooter::SetFont(TFont* Value) {
    FFont->Assign(Value);
    changed();
}

void TSearchFooter::SetAutoSearch(bool Value) {
    FAutoSearch = Value;
    FLastSearch.clear();
}

void TSearchFooter::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSearchFooter*>(Source);
    if (!S) return;
    FShowFindPrev = S->FShowFindPrev;
    FShowFindNext = S->FShowFindNext;
    FFindNextCaption = S->FFindNextCaption;
    FFindPrevCaption = S->FFindPrevCaption;
    FColorTo = S->FColorTo;
    FColor = S->FColor;
    FVisible = S->FVisible;
    FShowClose = S->FShowClose;
    FShowHighLight = S->FShowHighLight;
    FShowMatchCase = S->FShowMatchCase;
    FMatchCaseCaption = S->FMatchCaseCaption;
    FHintClose = S->FHintClose;
    FHintFindPrev = S->FHintFindPrev;
    FHintHighlight = S->FHintHighlight;
    FHintFindNext = S->FHintFindNext;
    FSearchColumn = S->FSearchColumn;
    FSearchActiveColumnOnly = S->FSearchActiveColumnOnly;
    FSearchMatchStart = S->FSearchMatchStart;
    FSearchHiddenRows = S->FSearchHiddenRows;
    FHighLightCaption = S->FHighLightCaption;
    FAlwaysHighLight = S->FAlwaysHighLight;
    FSearchDirection = S->FSearchDirection;
    FFont->Assign(S->FFont.get());
    FHighLight = S->FHighLight;
    FSearchErrorColor = S->FSearchErrorColor;
}

// ---------------------------------------------------------------------------------------------
// TBands

void TBands::changed() { FireNotify(OnChange, this); }

void TBands::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    changed();
}

void TBands::SetPrimaryLength(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FPrimaryLength) return;
    FPrimaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive) changed();
}

void TBands::SetSecondaryLength(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FSecondaryLength) return;
    FSecondaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive) changed();
}

void TBands::SetPrimaryColor(TColor Value) {
    if (Value == FPrimaryColor) return;
    FPrimaryColor = Value;
    if (FActive) changed();
}

void TBands::SetSecondaryColor(TColor Value) {
    if (Value == FSecondaryColor) return;
    FSecondaryColor = Value;
    if (FActive) changed();
}

bool TBands::BandColor(int ARow, int FixedRows, TColor& Color) const {
    if (!FActive || FTotalLength <= 0) return false;
    int Phase = (ARow - FixedRows) % FTotalLength;
    if (Phase < 0) Phase += FTotalLength;
    Color = Phase < FPrimaryLength ? FPrimaryColor : FSecondaryColor;
    return true;
}

void TBands::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBands*>(Source);
    if (!S) return;
    FActive = S->FActive;
    FPrimaryColor = S->FPrimaryColor;
    FPrimaryLength = S->FPrimaryLength;
    FSecondaryColor = S->FSecondaryColor;
    FSecondaryLength = S->FSecondaryLength;
    FPrint = S->FPrint;
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

// ---------------------------------------------------------------------------------------------
// TSyncGrid

void TSyncGrid::SetGrid(TStringGrid* Value) {
    if (Value && static_cast<void*>(Value) == static_cast<void*>(FOwner)) return;
    FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSyncGrid*>(Source);
    if (!S) return;
    SetGrid(S->FGrid);
    FScrollVertical = S->FScrollVertical;
    FScrollHorizontal = S->FScrollHorizontal;
    FSelectionColumn = S->FSelectionColumn;
    FSelectionRow = S->FSelectionRow;
    FMoveColumn = S->FMoveColumn;
    FMoveRow = S->FMoveRow;
}
