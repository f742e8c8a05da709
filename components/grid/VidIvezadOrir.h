// TVidIvezadOrir: the grid control. A string grid with per-cell properties and merged cells
// (TBaseGrid), typed cells, cell graphics and controls, tree nodes, hidden and moved rows and
// columns, grouping, in-place editors, filtering, sorting, searching, footers, clipboard and file
// exchange, printing and styling. This header is the class's contract: its properties with their
// defaults, the settings objects and windows it owns, its events and its virtual operations. The
// operations are split over files by concern (VidIvezadOrir_*.cpp); private state and the
// engines behind them live in VidIvezadOrir_Internal.h.
#pragma once

#include "components/graphics/TesselStyle.h"
#include "components/grid/BaseGrid.h"
#include "components/grid/model/GridTypes.h"

#include <memory>

class TAdvHintInfo;
class TArrowWindow;
class TAutoColor;
class TBackGround;
class TBalloonSettings;
class TBands;
class TCellGraphic;
class TCellNode;
class TCollection;
class TColumnSize;
class TControlCombo;
class TControlEdit;
class TControlList;
class TControlLook;
class TCustomImageList;
class TDragDropSettings;
class TDragScrollOptions;
class TDropCheckList;
class TDropList;
class TEncoding;
class TFilter;
class TFilterDropDown;
class TFilterEdit;
class TFloatingFooter;
class TFocusHelper;
class TFooterPanel;
class TGridButton;
class TGridCheckBox;
class TGridCombo;
class TGridEditBtn;
class TGridFocusWindow;
class TGridProgressAppearance;
class TGridTransCombo;
class TGridTransEdit;
class TGridUnitEditBtn;
class TGrouping;
class THeaderDragButton;
class THoverButtons;
class THTMLPictureCache;
class THTMLSettings;
class TIntList;
class TMouseActions;
class TNavigation;
class TNoActiveForm;
class TPopupMenu;
class TPrintSettings;
class TScrollBar;
class TSearchFooter;
class TSearchPanel;
class TShowModified;
class TSizeWhileTyping;
class TSortIndexList;
class TSortSettings;
class TStream;
class TSyncGrid;
struct TVidIvezadOrirState;  // private state and engines (VidIvezadOrir_Internal.h)

// Grid operations report misuse with a fixed message ("Invalid row accessed", ...).
QVD_DECLARE_EXCEPTION(EZirOdadError, Exception);

using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& AUnit)>;

class TVidIvezadOrir : public TBaseGrid, public ITesselTones, public ITesselStyleEx {
public:
    explicit TVidIvezadOrir(TComponent* AOwner);
    ~TVidIvezadOrir() override;
    void BeforeDestruction() override;

    // ---- Properties, with the constructor's defaults on the fields.
    // Structure: RowCount starts at 10, DefaultRowHeight and FixedRowHeight at 22.
    // Gives every normal row the height; the fixed rows keep FixedRowHeight.
    void SetDefaultRowHeight(int Value);
    // Structure
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value) { FFixedRightCols = Value; }
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value) { FFixedFooters = Value; }
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int FixedColWidth() const { return FFixedColWidth; }
    void SetFixedColWidth(int Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
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
    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int Value) { FGroupColumn = Value; }
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    // Look and colours
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
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
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { FHighlightColor = Value; }
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
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
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value) { FActiveCellShow = Value; }
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value) { FActiveCellColor = Value; }
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value) { FActiveCellColorTo = Value; }
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
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value) { FDefaultAlignment = Value; }
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool Value) { FMultilinecells = Value; }
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool EnableHTML() const { return FEnableHTML; }
    void SetEnableHTML(bool Value) { FEnableHTML = Value; }
    bool HTMLKeepLineBreak() const { return FHTMLKeepLineBreak; }
    void SetHTMLKeepLineBreak(bool Value) { FHTMLKeepLineBreak = Value; }
    bool UseDisabledFont() const { return FUseDisabledFont; }
    void SetUseDisabledFont(bool Value) { FUseDisabledFont = Value; }
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(const TPoint& Value) { FXYOffset = Value; }
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value) { FArrowColor = Value; }
    TColor TesselGradientFrom() const { return FTesselGradientFrom; }
    void SetTesselGradientFrom(TColor Value) { FTesselGradientFrom = Value; }
    TColor TesselGradientTo() const { return FTesselGradientTo; }
    void SetTesselGradientTo(TColor Value) { FTesselGradientTo = Value; }
    TColor TesselGradientMirrorFrom() const { return FTesselGradientMirrorFrom; }
    void SetTesselGradientMirrorFrom(TColor Value) { FTesselGradientMirrorFrom = Value; }
    TColor TesselGradientMirrorTo() const { return FTesselGradientMirrorTo; }
    void SetTesselGradientMirrorTo(TColor Value) { FTesselGradientMirrorTo = Value; }
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
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value) { FScrollBarAlways = Value; }
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value) { FScrollProportional = Value; }
    bool ScrollSynch() const { return FScrollSynch; }
    void SetScrollSynch(bool Value) { FScrollSynch = Value; }
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
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
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(int Value);
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
    void SetUseHTMLHints(bool Value) { FUseHTMLHints = Value; }
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
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }
    bool AutoHideSelection() const { return FAutoHideSelection; }
    void SetAutoHideSelection(bool Value) { FAutoHideSelection = Value; }
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value) { FShowDesignHelper = Value; }
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
    TEncoding* Encoding() const { return FEncoding; }  // default UTF-8
    void SetEncoding(TEncoding* Value) { FEncoding = Value; }
    // The platform: Windows XP or later (at window creation also: a visual theme is active),
    // Windows 7 or later, Vista or later, common controls 6 or later.
    bool IsWinXP() const { return FIsWinXP; }
    bool IsWin7() const { return FIsWin7; }
    bool IsVista() const { return FIsVista; }
    bool IsThemed() const { return FIsComCtl6; }
    TTesselStyle ComponentStyle() const { return FStyle; }
    TOfficeTheme LastOfficeTheme() const { return FLastOfficeTheme; }
    // Four bytes, high first, as four numbers joined by "."; writing does nothing.
    String Version() const { return GetVersionString(); }
    void SetVersion(const String&) {}

    // ---- Owned settings objects and auxiliary objects, created with the grid, freed with it.
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TAutoColor* AutoColor() const { return FAutoColor.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TBands* Bands() const { return FBands.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TDropList* DropList() const { return FDropList; }
    TDropCheckList* DropCheckList() const { return FDropCheckList; }
    TStringList* FilterList() const { return FFilterList.get(); }
    TFilterEdit* FilterEdit() const { return FFilterEdit.get(); }
    THoverButtons* HoverButtons() const { return FHoverButtons.get(); }
    TControlList* ControlList() const { return FControlList.get(); }
    // The filter-type icons and menu of the filter-edit row.
    TCustomImageList* FilterTypeImages() const { return FFltrList; }
    TPopupMenu* FilterTypeMenu() const { return FFltrPopup; }

    // Windows of their own, made only for a grid that is not being designed (nullptr then).
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    // arrUp, arrDown, arrLeft, arrRight.
    TArrowWindow* ArrowWindow(int Direction) const { return FArrows[Direction]; }
    TGridCombo* EditCombo() const { return FEditCombo; }
    TGridTransEdit* EditTrans() const { return FEditTrans; }
    TGridTransCombo* ComboTrans() const { return FComboTrans; }
    TGridCheckBox* EditCheck() const { return FEditCheck; }
    TGridEditBtn* EditBtn() const { return FEditBtn; }
    TGridUnitEditBtn* UnitEditBtn() const { return FUnitEditBtn; }
    TGridButton* GridButton() const { return FGridButton; }
    THeaderDragButton* MoveButton() const { return FMoveButton; }
    TControlEdit* EditControl() const { return FEditControl; }
    TControlCombo* ComboControl() const { return FComboControl; }
    TScrollBar* ScrollBarControl() const { return FScrollBar; }
    TScrollBar* PaintScrollBar() const { return FPaintScrollBar; }
    TNoActiveForm* ButtonForm() const { return FButtonForm; }

    // ---- Events; each occasion's code fires its event.
    TUnitChangedEvent OnUnitChanged;
    // A cell's text as the save functions write it, and as the load functions store it.
    TGetEditEvent OnSaveCell;
    TGetEditEvent OnLoadCell;
    TNotifyEvent OnCellsChanged;

    // ---- Life cycle.
    // Copies from another grid only: its settings objects, sizes, look and flags, then its
    // cells (AssignCells); any other source changes nothing.
    void Assign(TPersistent* Source) override;
    // The source's cells through the grid's own stream format; other sources are ignored.
    virtual void AssignCells(TPersistent* Source);
    // The grid's own cell stream: the counts, then every cell's text; a load reproduces the
    // save. A stream that is not one raises EReadError and leaves the grid as it was.
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // One pending edit-change invalidation is swallowed; otherwise the grid and the visible
    // floating footer repaint.
    void Invalidate() override;
    // Nestable suspension of painting; EndUpdate at 0 repaints.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const;
    // The savable area: from column (row) 0 when fixed cells (columns, rows) are saved, else from
    // the first normal one; to the last one, less the fixed right columns (footer rows) unless
    // fixed cells are saved.
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
    int SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }
    // The nearest form among the control and its parents, nullptr when none.
    static TCustomForm* FindParentForm(TControl* Control);
    // Which scroll bars show, and whether their arrows respond, when all rows or columns fit.
    void ApplyScrollBarAlways(bool Force);
    // The lines one wheel notch scrolls and the wheel message, as InitMouseWheel set them.
    int WheelScrollLines() const;
    UINT WheelMessage() const;
    // Moves the focus-frame window 4 pixels around the current cell (screen coordinates), or
    // hides it when the cell is out of view. HideFocusWindow also ends the window's following.
    void UpdateFocusWindow();
    void HideFocusWindow();
    // Ticks of the grid timer (identifier 111, every 500 ms while the window exists).
    int TimerTicks() const;
    String GetVersionString() const;
    virtual int GetVersionNr() const;

    // The styler interfaces.
    void SetColorTones(const TColorTones& ATones) override;
    void SetComponentStyle(TTesselStyle AStyle) override;
    void SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) override;

protected:
    // ---- Virtual operations of the grid's own.
    virtual TFooterPanel* CreateFooterPanel();
    // Wheel support: the lines per notch from the system; a page becomes the visible rows.
    virtual void InitMouseWheel(bool Init);
    virtual void MouseActionsChange(TObject* Sender) {}
    virtual void NavigationChange(TObject* Sender) {}
    virtual void IsDesigning(TObject* Sender, bool& IsDesigning);
    virtual void InvalidateGrid(TObject* Sender) { Invalidate(); }
    virtual void HideButtonForm(TObject* Sender);
    virtual void GridButtonClick(TObject* Sender) {}
    // Applies a filter type chosen in the filter-type menu to a column.
    virtual void FilterTypeClick(int ACol, int FilterType) {}
    virtual void SearchFooterChanged(TObject* Sender) {}
    // The cell text as saved: the shown text (the stored one without SaveVirtCells), empty for a
    // covered cell of a merged area unless SaveMergedCells; OnSaveCell has the last word.
    virtual String SaveCell(int ACol, int ARow);
    // Stores an imported text as the cell's raw text after OnLoadCell.
    virtual void LoadCell(int ACol, int ARow, const String& Value);
    // The cells of R changed: OnCellsChanged.
    virtual void CellsChanged(const TRect& R);

    // ---- The base grid's hooks, answered neutrally until the painting and data code answers them.
    bool IsNode(int ARow) override { return false; }
    bool IsSummary(int ARow) override { return false; }
    bool CellHasCheckBox(int ACol, int ARow) override { return false; }
    void SetCheckBoxText(int ACol, int ARow, const String& Value) override {}
    // The fixed or normal colour and the grid's font; the cell painting code resolves the rest.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo, TFont* AFont,
                             TAlignment& HA, basegrid::TVAlignment& VA, bool& WW, TCellGradientDirection& GD) override;

    // ---- Overrides of the framework grid and control.
    TInplaceEdit* CreateEditor() override;
    String GetEditMask(int ACol, int ARow) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Resize() override;
    // The rows whose text passes the display-text hooks and the per-column arrays follow the counts.
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void WMTimer(TMessage& Message);

private:
    friend struct TVidIvezadOrirState;
    std::unique_ptr<TVidIvezadOrirState> FState;

    // Owned settings and auxiliary objects.
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    std::unique_ptr<TAutoColor> FAutoColor;
    std::unique_ptr<TFont> cf;  // the scratch font cell fonts are answered in
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    std::unique_ptr<TIntList> FOrigColSizes;
    std::unique_ptr<TIntList> FSuppressColSizes;
    std::unique_ptr<TIntList> FSuppressRowSizes;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> Sortlist;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TList> FRowSelect;
    std::unique_ptr<TList> FColSelect;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortRowXRef;
    std::unique_ptr<TIntList> FUnSortRowXRef;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedCells;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TControlList> FControlList;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TCollection> FGridItems;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TBalloonSettings> FBalloonSettings;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TList> FNotifierList;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    std::unique_ptr<TAdvHintInfo> FOfficeHint;
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr;
    TDropCheckList* FDropCheckList = nullptr;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<TFilterEdit> FFilterEdit;
    TCustomImageList* FFltrList = nullptr;
    TPopupMenu* FFltrPopup = nullptr;
    std::unique_ptr<THoverButtons> FHoverButtons;

    // Windows of their own (not while designing); components owned by the grid.
    TGridFocusWindow* FFocusWindow = nullptr;
    TArrowWindow* FArrows[4] = {};
    TGridCombo* FEditCombo = nullptr;
    TGridTransEdit* FEditTrans = nullptr;
    TGridTransCombo* FComboTrans = nullptr;
    TGridCheckBox* FEditCheck = nullptr;
    TGridEditBtn* FEditBtn = nullptr;
    TGridUnitEditBtn* FUnitEditBtn = nullptr;
    TGridButton* FGridButton = nullptr;
    THeaderDragButton* FMoveButton = nullptr;
    TControlEdit* FEditControl = nullptr;
    TControlCombo* FComboControl = nullptr;
    TScrollBar* FScrollBar = nullptr;
    TScrollBar* FPaintScrollBar = nullptr;
    TNoActiveForm* FButtonForm = nullptr;

    // Properties.
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
    int FGroupColumn = -1;
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

    void createOwnedObjects(bool InitDesign);
    void createFilterTypeMenu();
    void createWindows();
    void assignSettings(TVidIvezadOrir* Source);
    void assignSizes(TVidIvezadOrir* Source);
    void assignLookAndFlags(TVidIvezadOrir* Source);
};
