// The grid's plain properties: their storage, with the constructor's defaults, and the readers
// and writers that only read and store. TVidIvezadOrir inherits them publicly; properties whose
// writers do more (repaint, apply, pass on) are declared by the grid itself. Split from the class
// header to keep that header readable.
#pragma once

#include "components/graphics/TesselStyle.h"
#include "components/grid/model/CellProperties.h"
#include "components/grid/model/GridTypes.h"
#include "framework/ui/StdCtrls.h"

class TEncoding;

class TVidIvezadOrirProperties {
public:
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
    int MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
    int MaxRowHeight() const { return FMaxRowHeight; }
    void SetMaxRowHeight(int Value) { FMaxRowHeight = Value; }
    int MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(int Value) { FMinColWidth = Value; }
    int MaxColWidth() const { return FMaxColWidth; }
    void SetMaxColWidth(int Value) { FMaxColWidth = Value; }
    bool SizeGrowOnly() const { return FSizeGrowOnly; }
    void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    // Look and colours
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value) { FSelectionMirrorColor = Value; }
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value) { FSelectionMirrorColorTo = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value) { FSelectionColorMixer = Value; }
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value) { FSelectionColorMixerFactor = Value; }
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value) { FSelectionRectangle = Value; }
    TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
    void SetSelectionRectangleColor(TColor Value) { FSelectionRectangleColor = Value; }
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value) { FSelectionResizer = Value; }
    bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
    void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value) { FShowSelection = Value; }
    bool HideFocusRect() const { return FHideFocusRect; }
    void SetHideFocusRect(bool Value) { FHideFocusRect = Value; }
    // Handed to the grid markup renderer, whose colours every grid shares: the last one set wins.
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value) { FURLColor = Value; }
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value) { FURLShow = Value; }
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value) { FURLShowInText = Value; }
    bool URLUnderlineOnHover() const { return FURLUnderlineOnHover; }
    void SetURLUnderlineOnHover(bool Value) { FURLUnderlineOnHover = Value; }
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value) { FURLFull = Value; }
    bool URLEdit() const { return FURLEdit; }
    void SetURLEdit(bool Value) { FURLEdit = Value; }
    TColor DisabledFontColor() const { return FDisabledFontColor; }
    void SetDisabledFontColor(TColor Value) { FDisabledFontColor = Value; }
    bool FixedAsButtons() const { return FFixedAsButtons; }
    void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
    THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
    void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value) { FHovering = Value; }
    basegrid::TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(basegrid::TVAlignment Value) { FVAlignment = Value; }
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool Value) { FMultilinecells = Value; }
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool EnableHTML() const { return FEnableHTML; }
    void SetEnableHTML(bool Value) { FEnableHTML = Value; }
    // Sets the grid markup renderer's process-wide line-break switch.
    bool UseDisabledFont() const { return FUseDisabledFont; }
    void SetUseDisabledFont(bool Value) { FUseDisabledFont = Value; }
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    TColor TesselGradientHoverFrom() const { return FTesselGradientHoverFrom; }
    void SetTesselGradientHoverFrom(TColor Value) { FTesselGradientHoverFrom = Value; }
    TColor TesselGradientHoverTo() const { return FTesselGradientHoverTo; }
    void SetTesselGradientHoverTo(TColor Value) { FTesselGradientHoverTo = Value; }
    TColor TesselGradientHoverMirrorFrom() const { return FTesselGradientHoverMirrorFrom; }
    void SetTesselGradientHoverMirrorFrom(TColor Value) { FTesselGradientHoverMirrorFrom = Value; }
    TColor TesselGradientHoverMirrorTo() const { return FTesselGradientHoverMirrorTo; }
    void SetTesselGradientHoverMirrorTo(TColor Value) { FTesselGradientHoverMirrorTo = Value; }
    TColor TesselGradientHoverBorder() const { return FTesselGradientHoverBorder; }
    void SetTesselGradientHoverBorder(TColor Value) { FTesselGradientHoverBorder = Value; }
    TColor TesselGradientDownFrom() const { return FTesselGradientDownFrom; }
    void SetTesselGradientDownFrom(TColor Value) { FTesselGradientDownFrom = Value; }
    TColor TesselGradientDownTo() const { return FTesselGradientDownTo; }
    void SetTesselGradientDownTo(TColor Value) { FTesselGradientDownTo = Value; }
    TColor TesselGradientDownMirrorFrom() const { return FTesselGradientDownMirrorFrom; }
    void SetTesselGradientDownMirrorFrom(TColor Value) { FTesselGradientDownMirrorFrom = Value; }
    TColor TesselGradientDownMirrorTo() const { return FTesselGradientDownMirrorTo; }
    void SetTesselGradientDownMirrorTo(TColor Value) { FTesselGradientDownMirrorTo = Value; }
    TColor TesselGradientDownBorder() const { return FTesselGradientDownBorder; }
    void SetTesselGradientDownBorder(TColor Value) { FTesselGradientDownBorder = Value; }
    // Editing
    TEditorType DefaultEditor() const { return FDefaultEditor; }
    void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
    bool EditWithTags() const { return FEditWithTags; }
    void SetEditWithTags(bool Value) { FEditWithTags = Value; }
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
    int MaxComboLength() const { return FMaxComboLength; }
    void SetMaxComboLength(int Value) { FMaxComboLength = Value; }
    bool Lookup() const { return FLookup; }
    void SetLookup(bool Value) { FLookup = Value; }
    bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
    void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
    bool LookupHistory() const { return FLookupHistory; }
    void SetLookupHistory(bool Value) { FLookupHistory = Value; }
    bool OemConvert() const { return FOemConvert; }
    void SetOemConvert(bool Value) { FOemConvert = Value; }
    const String& InvalidEntryTitle() const { return FInvalidEntryTitle; }
    void SetInvalidEntryTitle(const String& Value) { FInvalidEntryTitle = Value; }
    const String& InvalidEntryText() const { return FInvalidEntryText; }
    void SetInvalidEntryText(const String& Value) { FInvalidEntryText = Value; }
    TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
    void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    bool VirtualEdit() const { return FVirtualEdit; }
    void SetVirtualEdit(bool Value) { FVirtualEdit = Value; }
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    // The cell's editor is live-written into the cell as it changes.
    bool ShowEditProcess() const { return FShowEditProcess; }
    void SetShowEditProcess(bool Value) { FShowEditProcess = Value; }
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    // Numbers and check boxes
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value) { FFloatFormat = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool AutoNumAlign() const { return FAutoNumAlign; }
    void SetAutoNumAlign(bool Value) { FAutoNumAlign = Value; }
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value) { FPasswordChar = Value; }
    bool ShowNullDates() const { return FShowNullDates; }
    void SetShowNullDates(bool Value) { FShowNullDates = Value; }
    int AutoNumberOffset() const { return FAutoNumberOffset; }
    void SetAutoNumberOffset(int Value) { FAutoNumberOffset = Value; }
    int AutoNumberStart() const { return FAutoNumberStart; }
    void SetAutoNumberStart(int Value) { FAutoNumberStart = Value; }
    // Scrolling and wheel
    // Thumbs as long as the part in view (still on the 0..127 scale).
    bool ScrollSynch() const { return FScrollSynch; }
    void SetScrollSynch(bool Value) { FScrollSynch = Value; }
    TScrollHintType ScrollHints() const { return FScrollHints; }
    void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    bool EnableWheel() const { return FEnableWheel; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    bool IntelliZoom() const { return FIntelliZoom; }
    void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
    int ZoomFactor() const { return FZoomFactor; }
    void SetZoomFactor(int Value) { FZoomFactor = Value; }
    // Filtering
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value) { FFilterActive = Value; }
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value) { FFilterDropDownAuto = Value; }
    bool FilterDropDownMultiCol() const { return FFilterDropDownMultiCol; }
    void SetFilterDropDownMultiCol(bool Value) { FFilterDropDownMultiCol = Value; }
    const String& FilterDropDownClear() const { return FFilterDropDownClear; }
    void SetFilterDropDownClear(const String& Value) { FFilterDropDownClear = Value; }
    bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
    void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
    const String& FilterDropDownCheckUnCheckAll() const { return FFilterDropDownCheckUnCheckAll; }
    void SetFilterDropDownCheckUnCheckAll(const String& Value) { FFilterDropDownCheckUnCheckAll = Value; }
    TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
    void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
    bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
    void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
    bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
    void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
    bool FilterIncremental() const { return FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
    bool NarrowDownFromStart() const { return FNarrowDownFromStart; }
    void SetNarrowDownFromStart(bool Value) { FNarrowDownFromStart = Value; }
    // Hints
    bool HintShowCells() const { return FHintShowCells; }
    void SetHintShowCells(bool Value) { FHintShowCells = Value; }
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
    THintShowLargeTextPos HintShowLargeTextPos() const { return FHintShowLargeTextPos; }
    void SetHintShowLargeTextPos(THintShowLargeTextPos Value) { FHintShowLargeTextPos = Value; }
    bool HintShowSizing() const { return FHintShowSizing; }
    void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
    bool HTMLHint() const { return FHTMLHint; }
    void SetHTMLHint(bool Value) { FHTMLHint = Value; }
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    bool UseInternalHintClass() const { return FUseInternalHintClass; }
    void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
    bool UseHTMLHints() const { return FUseHTMLHints; }
    // Files and clipboard
    bool SaveFixedCells() const { return FSaveFixedCells; }
    void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
    bool SaveFixedRows() const { return FSaveFixedRows; }
    void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
    bool SaveFixedCols() const { return FSaveFixedCols; }
    void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
    bool SaveHiddenCells() const { return FSaveHiddenCells; }
    void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
    bool SaveVirtCells() const { return FSaveVirtCells; }
    void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
    bool SaveWithHTML() const { return FSaveWithHTML; }
    void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
    bool SaveWithRTF() const { return FSaveWithRTF; }
    void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
    bool SaveMergedCells() const { return FSaveMergedCells; }
    void SetSaveMergedCells(bool Value) { FSaveMergedCells = Value; }
    bool LoadFirstRow() const { return FLoadFirstRow; }
    void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
    void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
    bool QuoteQuoteCells() const { return FQuoteQuoteCells; }
    void SetQuoteQuoteCells(bool Value) { FQuoteQuoteCells = Value; }
    bool CSVMultilineCellImport() const { return FCSVMultilineCellImport; }
    void SetCSVMultilineCellImport(bool Value) { FCSVMultilineCellImport = Value; }
    bool AlwaysQuotes() const { return FAlwaysQuotes; }
    void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
    bool JavaCSV() const { return FJavaCSV; }
    void SetJavaCSV(bool Value) { FJavaCSV = Value; }
    const String& XMLEncoding() const { return FXMLEncoding; }
    void SetXMLEncoding(const String& Value) { FXMLEncoding = Value; }
    bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
    void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }
    bool ClearTextOnly() const { return FClearTextOnly; }
    void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
    bool NoDefaultDraw() const { return FNoDefaultDraw; }
    void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
    bool NoImageAndText() const { return FNoImageAndText; }
    void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
    // Printing
    bool PrinterDriverFix() const { return FPrinterDriverFix; }
    void SetPrinterDriverFix(bool Value) { FPrinterDriverFix = Value; }
    bool FastPrint() const { return FFastPrint; }
    void SetFastPrint(bool Value) { FFastPrint = Value; }
    int PreviewPage() const { return FPreviewPage; }
    void SetPreviewPage(int Value) { FPreviewPage = Value; }
    int PrintNrOfPages() const { return FPrintNrOfPages; }
    void SetPrintNrOfPages(int Value) { FPrintNrOfPages = Value; }
    // Theme and design
    // Registers the grid's window with the shared theme notifier while on.
    bool AutoHideSelection() const { return FAutoHideSelection; }
    void SetAutoHideSelection(bool Value) { FAutoHideSelection = Value; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    bool FindBusy() const { return FFindBusy; }
    void SetFindBusy(bool Value) { FFindBusy = Value; }
    int FindCol() const { return FFindCol; }
    void SetFindCol(int Value) { FFindCol = Value; }
    int FindRow() const { return FFindRow; }
    void SetFindRow(int Value) { FFindRow = Value; }
    const String& IncrSearchText() const { return FIncrSearchText; }
    void SetIncrSearchText(const String& Value) { FIncrSearchText = Value; }
    // The platform: Windows XP or later (at window creation also: a visual theme is active),
    // Windows 7 or later, Vista or later, common controls 6 or later.
    bool IsWinXP() const { return FIsWinXP; }
    bool IsWin7() const { return FIsWin7; }
    bool IsVista() const { return FIsVista; }
    bool IsThemed() const { return FIsComCtl6; }
    TOfficeTheme LastOfficeTheme() const { return FLastOfficeTheme; }

protected:
    // Structure
    int FFixedRightCols = 0;
    int FFixedFooters = 0;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedRowHeight = 0;
    int FFixedColWidth = 0;
    bool FAutoSize = false;
    bool FSizeWithForm = false;
    bool FEnhRowColMove = true;
    bool FEnhTextSize = false;
    bool FIntegralHeight = false;
    int FMinRowHeight = 0;
    int FMaxRowHeight = 0;
    int FMinColWidth = 0;
    int FMaxColWidth = 0;
    bool FSizeGrowOnly = false;
    bool FFitCellsInGrid = true;
    // Look and colours
    TGridLook FLook = glXP;
    TColor FBorderColor = clGray;
    bool FFlat = false;
    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = 0;
    bool FSelectionColorMixer = false;
    int FSelectionColorMixerFactor = 50;
    bool FSelectionRectangle = false;
    TColor FSelectionRectangleColor = 0;
    bool FSelectionResizer = false;
    bool FSelectionRTFKeep = false;
    bool FShowSelection = true;
    bool FHideFocusRect = false;
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    TColor FHintColor = clInfoBk;
    TColor FURLColor = 0xFF0000;
    bool FURLShow = false;
    bool FURLShowInText = false;
    bool FURLUnderlineOnHover = false;
    bool FURLFull = false;
    bool FURLEdit = false;
    bool FActiveCellShow = false;
    TColor FActiveCellColor = clGray;
    TColor FActiveCellColorTo = clNone;
    TColor FDisabledFontColor = clSilver;
    bool FFixedAsButtons = false;
    THoverFixedCells FHoverFixedCells = hfNone;
    bool FHovering = false;
    basegrid::TVAlignment FVAlignment = basegrid::vtaTop;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FMultilinecells = false;
    bool FEnableBlink = false;
    bool FEnableHTML = true;
    bool FHTMLKeepLineBreak = true;
    bool FUseDisabledFont = true;
    TPoint FXYOffset = {2, 2};
    bool FXYOffsetTopLeftOnly = false;
    TColor FArrowColor = 0;
    TColor FTesselGradientFrom = 0xFFFFFF;
    TColor FTesselGradientTo = 0;
    TColor FTesselGradientMirrorFrom = clNone;
    TColor FTesselGradientMirrorTo = clNone;
    TColor FTesselGradientHoverFrom = 0;
    TColor FTesselGradientHoverTo = 0;
    TColor FTesselGradientHoverMirrorFrom = 0;
    TColor FTesselGradientHoverMirrorTo = 0;
    TColor FTesselGradientHoverBorder = 0;
    TColor FTesselGradientDownFrom = 0;
    TColor FTesselGradientDownTo = 0;
    TColor FTesselGradientDownMirrorFrom = 0;
    TColor FTesselGradientDownMirrorTo = 0;
    TColor FTesselGradientDownBorder = 0;
    // Editing
    TEditorType FDefaultEditor = edNormal;
    bool FEditWithTags = false;
    int FMaxEditLength = 0;
    int FMaxComboLength = 0;
    bool FLookup = false;
    bool FLookupCaseSensitive = false;
    bool FLookupHistory = false;
    bool FOemConvert = false;
    String FInvalidEntryTitle;
    String FInvalidEntryText;
    TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
    String FValidChars;
    bool FVirtualEdit = false;
    bool FAlwaysValidate = false;
    String FEditMask;
    bool FShowEditProcess = false;
    TFormatType FFormatType = ftVCL;
    // Numbers and check boxes
    String FFloatFormat = QStringLiteral("%.2f");
    bool FExcelStyleDecimalSeparator = false;
    bool FAutoNumAlign = false;
    String FCheckTrue = QStringLiteral("Y");
    String FCheckFalse = QStringLiteral("N");
    Char FPasswordChar = u'*';
    bool FShowNullDates = true;
    int FAutoNumberOffset = 0;
    int FAutoNumberStart = 0;
    // Scrolling and wheel
    TScrollBarAlways FScrollBarAlways = saNone;
    TColor FScrollColor = clNone;
    bool FScrollProportional = false;
    bool FScrollSynch = false;
    TScrollType FScrollType = ssNormal;
    int FScrollWidth = 0;
    TScrollHintType FScrollHints = shNone;
    TIntelliPan FIntelliPan = ipNone;
    bool FEnableWheel = true;
    bool FIntelliZoom = true;
    int FZoomFactor = 0;
    // Filtering
    bool FFilterActive = false;
    bool FFilterDropDownAuto = false;
    bool FFilterDropDownMultiCol = true;
    String FFilterDropDownClear = QStringLiteral("(All)");
    bool FFilterDropDownCheck = false;
    String FFilterDropDownCheckUnCheckAll;
    TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
    int FFilterDropDownRow = 0;
    bool FFilterNormalCellsOnly = true;
    bool FAutoFilterUpdate = true;
    bool FFilterIncremental = false;
    bool FNarrowDownFromStart = false;
    // Hints
    bool FHintShowCells = false;
    bool FHintShowLargeText = false;
    THintShowLargeTextPos FHintShowLargeTextPos = hpCell;
    bool FHintShowSizing = false;
    bool FHTMLHint = false;
    bool FAnchorHint = false;
    bool FUseInternalHintClass = true;
    bool FUseHTMLHints = false;
    // Files and clipboard
    bool FSaveFixedCells = true;
    bool FSaveFixedRows = false;
    bool FSaveFixedCols = false;
    bool FSaveHiddenCells = false;
    bool FSaveVirtCells = true;
    bool FSaveWithHTML = true;
    bool FSaveWithRTF = false;
    bool FSaveMergedCells = true;
    bool FLoadFirstRow = true;
    Char FDelimiter;
    bool FQuoteEmptyCells = true;
    bool FQuoteQuoteCells = true;
    bool FCSVMultilineCellImport = true;
    bool FAlwaysQuotes = false;
    bool FJavaCSV = false;
    String FXMLEncoding = QStringLiteral("ISO-8859-1");
    bool FExcelClipboardFormat = false;
    bool FClearTextOnly = false;
    bool FNoDefaultDraw = false;
    bool FNoImageAndText = false;
    bool FOwnsObjects = false;
    // Printing
    bool FPrinterDriverFix = false;
    bool FFastPrint = false;
    int FPreviewPage = 1;
    int FPrintNrOfPages = 0;
    // Theme and design
    bool FAutoThemeAdapt = false;
    bool FAutoHideSelection = false;
    bool FShowDesignHelper = true;
    bool FModified = false;
    bool FFindBusy = false;
    int FFindCol = 0;
    int FFindRow = 0;
    String FIncrSearchText;
    TEncoding* FEncoding = nullptr;
    bool FIsWinXP = false;
    bool FIsWin7 = false;
    bool FIsVista = false;
    bool FIsComCtl6 = false;
    TTesselStyle FStyle = tsWindowsXP;
    TOfficeTheme FLastOfficeTheme = otUnknown;
};
