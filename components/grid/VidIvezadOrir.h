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
#include "components/grid/VidIvezadOrirControls.h"
#include "components/grid/VidIvezadOrirEvents.h"
#include "components/grid/VidIvezadOrirFormControls.h"
#include "components/grid/VidIvezadOrirGraphics.h"
#include "components/grid/VidIvezadOrirGrouping.h"
#include "components/grid/VidIvezadOrirNodes.h"
#include "components/grid/VidIvezadOrirPictures.h"
#include "components/grid/VidIvezadOrirProperties.h"
#include "components/grid/VidIvezadOrirSelection.h"
#include "components/grid/VidIvezadOrirTyped.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridTypes.h"

#include <initializer_list>
#include <memory>

class TAdvColorPickerDropDown;
class TAdvHintInfo;
class TAdvImagePickerDropDown;
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
class TVidIvezadOrirCheck;
class TPictureContainer;
class TControlLook;
class TCustomImageList;
class TCustomRichEdit;
class TEditLink;
class TGridChangeNotifier;
class TGridItem;
class THTMLHintWindow;
class ITVidIvezadOrirSelect;
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
class TGridDatePicker;
class TGridDateTimePicker;
class TGridEditBtn;
class TGridFocusWindow;
class TGridMemoDropDown;
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

using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;

class TVidIvezadOrir : public TBaseGrid,
                       public ITesselTones,
                       public ITesselStyleEx,
                       public IColumnSizeOwner,
                       public ICellNodeOwner,
                       public TVidIvezadOrirEvents,
                       public TVidIvezadOrirProperties,
                       public TVidIvezadOrirGraphics,
                       public TVidIvezadOrirControls,
                       public TVidIvezadOrirPictures,
                       public TVidIvezadOrirTyped,
                       public TVidIvezadOrirSelection,
                       public TVidIvezadOrirNodes,
                       public TVidIvezadOrirFormControls,
                       public TVidIvezadOrirGrouping {
public:
    explicit TVidIvezadOrir(TComponent* AOwner);
    ~TVidIvezadOrir() override;
    void BeforeDestruction() override;

    // ---- Properties, with the constructor's defaults on the fields.
    // Structure: RowCount starts at 10, DefaultRowHeight and FixedRowHeight at 22.
    // Gives every normal row the height; the fixed rows keep FixedRowHeight.
    void SetDefaultRowHeight(int Value);
    // Structure
    // Counts of shown rows and columns; setting them keeps the hidden ones, the suppressed
    // sizes and a floating footer row (which stays last).
    void SetRowCount(int Value);
    void SetColCount(int Value);
    // With FixedRowAlways (FixedColAlways) 0 reads as 1 and one normal row (column) is kept;
    // the asked value comes back when the grid grows again.
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    // The width of column 0; setting a width other than the default width sizes the fixed columns.
    int FixedColWidth() const;
    void SetFixedColWidth(int Value);
    // Cells get the grid's word wrap when their properties are made; the editor follows.
    void SetWordWrap(bool Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    TFormatType FormatType() const { return FFormatType; }
    void SetFormatType(TFormatType Value);
    // Ten ready-made looks: each writes a fixed list of colours and styles through their setters;
    // the look it already has does nothing. glCustom only sets ScrollType to ssNormal.
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    // The look's identifier ("glXP") and caption ("Windows XP"); glCustom leaves S as it was.
    void LookToString(TGridLook Value, String& S) const;
    void LookToCaption(TGridLook Value, String& S) const;
    // Addresses in cell texts shown as links (URLShowInText turns them into anchors).
    void SetURLShow(bool Value);
    void SetURLShowInText(bool Value);
    // Repaints only while URLShow is on.
    void SetURLColor(TColor Value);
    void SetURLFull(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value);
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value);
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value);
    void SetActiveCellFont(TFont* Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool HTMLKeepLineBreak() const { return FHTMLKeepLineBreak; }
    void SetHTMLKeepLineBreak(bool Value);
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(const TPoint& Value);
    void UpdateXYOffset(int X, int Y) { FXYOffset = Point(X, Y); }
    // Kept in the four move arrows.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    // Stored as RGB, system colours resolved.
    TColor TesselGradientFrom() const { return FTesselGradientFrom; }
    void SetTesselGradientFrom(TColor Value);
    // Stored as RGB, system colours resolved.
    TColor TesselGradientTo() const { return FTesselGradientTo; }
    void SetTesselGradientTo(TColor Value);
    // Stored as RGB, system colours resolved.
    TColor TesselGradientMirrorFrom() const { return FTesselGradientMirrorFrom; }
    void SetTesselGradientMirrorFrom(TColor Value);
    // Stored as RGB, system colours resolved.
    TColor TesselGradientMirrorTo() const { return FTesselGradientMirrorTo; }
    void SetTesselGradientMirrorTo(TColor Value);
    // Edit mode: an editor of the grid is open on the current cell.
    bool EditActive() const;
    void SetEditActive(bool Value);
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(int Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value);
    // Makes the application's hint window the grid's mini-HTML one, or the standard one again.
    void SetUseHTMLHints(bool Value);
    // The linked cell checker; linking tells the checker its grid. Cleared when the checker goes.
    TVidIvezadOrirCheck* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TVidIvezadOrirCheck* Value);
    // Pictures of cells and of cell markup; cleared when the component goes.
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value);
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TEncoding* Encoding() const { return FEncoding; }  // default UTF-8
    void SetEncoding(TEncoding* Value) { FEncoding = Value; }
    // Four bytes, high first, as four numbers joined by "."; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    // ---- Owned settings objects and auxiliary objects, created with the grid, freed with it.
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TAutoColor* AutoColor() const { return FAutoColor.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    void SetFocusHelper(TFocusHelper* Value);
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
    void SetRowIndicator(TBitmap* Value);
    TBackGround* BackGround() const { return FBackGround.get(); }
    void SetBackGround(TBackGround* Value);
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    void SetProgressAppearance(TGridProgressAppearance* Value);
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
    void SetBalloon(TBalloonSettings* Value);
    TShowModified* ShowModified() const { return FShowModified.get(); }
    void SetShowModified(TShowModified* Value);
    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TDropList* DropList() const { return FDropList; }
    TDropCheckList* DropCheckList() const { return FDropCheckList; }
    TStringList* FilterList() const { return FFilterList.get(); }
    TFilterEdit* FilterEdit() const { return FFilterEdit.get(); }
    THoverButtons* HoverButtons() const { return FHoverButtons.get(); }
    void SetHoverButtons(THoverButtons* Value);
    TControlList* ControlList() const { return FControlList.get(); }
    // The filter-type icons and menu of the filter-edit row.
    TCustomImageList* FilterTypeImages() const { return FFltrList; }
    TPopupMenu* FilterTypeMenu() const { return FFltrPopup; }

    // The colour and image picker cell editors, made on first use and kept until the grid goes.
    TAdvColorPickerDropDown* GetColorPickerDropDown();
    TAdvImagePickerDropDown* GetImagePickerDropDown();

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
    // The date (and time), date-and-time and memo editors: made on first use as hidden, disabled
    // children of the grid with their events wired to the handlers below, kept until the grid goes.
    TGridDatePicker* GetDatePicker();
    TGridDatePicker* DateTimePicker() { return GetDatePicker(); }
    TGridDateTimePicker* GetDateAndTimePicker();
    TGridDateTimePicker* DateAndTimePicker() { return GetDateAndTimePicker(); }
    TGridMemoDropDown* GetMemoDropDown();
    TGridMemoDropDown* MemoDropDown() { return GetMemoDropDown(); }

    TGetEditorPropEvent OnGetEditorProp;

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
    // Each column's width as "Col" + its number in ColumnSize.Section of the registry key or INI
    // file ColumnSize.Key names; nothing without both, or while designing.
    void SaveColSizes();
    void LoadColSizes();
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
    // Shows the focus frame 4 pixels around the current cell (screen coordinates), building its
    // image when the cell's size changed, or hides it when the cell is not fully in view. Where
    // translucent windows do not show, the grid paints a ring around the cell instead.
    // HideFocusWindow also ends the window's following.
    void UpdateFocusWindow();
    void HideFocusWindow();
    // Ticks of the grid timer (identifier 111, every 500 ms while the window exists).
    int TimerTicks() const;
    virtual String GetVersionString() const;
    virtual int GetVersionNr() const;
    int VersionNr() const { return GetVersionNr(); }
    String VersionString() const { return GetVersionString(); }

    // ---- Index spaces. A column given to a cell accessor is a real column; a row is a display
    // row, except for the accessors ending in Ex or starting with All, which take real rows and
    // read hidden rows from the hidden-row store.
    int NumHiddenColumns() const;
    int TotalColCount() const override;
    int AllColCount() const { return TotalColCount(); }
    int NumHiddenRows() const;
    int TotalRowCount() const;
    int AllRowCount() const { return TotalRowCount(); }
    int LastCol() const { return ColCount() - 1; }
    int LastRow() const { return RowCount() - 1; }
    bool IsIgnoredColumn(int ACol) const;
    int DisplToRealCol(int ACol) const;
    int RealToDisplCol(int ACol) const;
    int RealColIndex(int ACol) const override { return DisplToRealCol(ACol); }
    int DisplColIndex(int ACol) const override { return RealToDisplCol(ACol); }
    int RealCol() const { return DisplToRealCol(Col()); }
    // True for an index outside the columns; SetColumnShown ignores those.
    bool IsColumnShown(int ACol) const;
    void SetColumnShown(int ACol, bool Value);
    bool IsHiddenColumn(int ColIndex) const;
    // -1 for a negative row; beyond the shown rows the hidden ones are added.
    int DisplToRealRow(int ARow);
    int RealRowIndex(int ARow) { return DisplToRealRow(ARow); }
    int RealRow() { return DisplToRealRow(Row()); }
    // A hidden row answers the display position of the next shown row.
    int RealToDisplRow(int ARow) const;
    int DisplRowIndex(int ARow) const { return RealToDisplRow(ARow); }
    // The ascending list of hidden rows the row map reads; made on demand, dropped on change.
    void BuildHiddenRowLookup();
    void FreeHiddenRowLookup();
    bool IsHiddenRow(int Rowindex) const;
    // With ListHidden nullptr, builds the sorted list of hidden rows into it (the caller frees it).
    bool IsHiddenRow(int Rowindex, TIntList*& ListHidden) const;
    // The cells (texts with their objects) of a hidden real row; nullptr when it is not hidden.
    TStrings* HiddenRowCells(int j) const;
    TCollection* GridItems() const;

    // Hiding and showing. Columns below 0 are skipped; the last shown column never hides.
    void HideColumn(int ColIndex);
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex);
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    // Real rows; rows already hidden are left as they are.
    void HideRow(int Rowindex);
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void UnHideRow(int Rowindex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // One narrow-down level: the listed display rows (ascending, distinct) leave the grid; at
    // least one row stays. UnHideRowList shows the last level's rows again (its caller lowers
    // FilterLevel); without a level it does nothing.
    void HideRowList(TIntList* RowList);
    void UnHideRowList();
    int FilterLevel() const;
    void SetFilterLevel(int Value);
    // The parked selection: outside the cells while the grid shows nothing selected.
    void HideSelection();
    bool IsSelectionHidden() const;
    void UnHideSelection();
    void UpdateEditMode();

    // Rows and columns by code (display indexes).
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void InsertRowRange(int Row, int Count, bool UpdateControls);
    virtual void RemoveRows(int RowIndex, int RCount);
    // Hidden rows after the removed range move up with it (RemoveControls).
    void RemoveRowRange(int Row, int Count, bool RemoveControls);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveCols(int ColIndex, int CCount);
    void AddRow();
    virtual void AppendRow();
    void ClearRows(int RowIndex, int RCount);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell);
    // The displayed position of a real column in ColumnOrder, -1 when absent; SetColumnOrder
    // records the current order and widths.
    int ColumnPosition(int ACol) const;
    void SetColumnOrder();
    // Re-places the controls registered in cells (nothing without a window).
    void CellControlsUpdate(bool RebuildList);
    int CellControlCount() const;

    // Zero-size rows and columns with their sizes kept.
    void SuppressColumn(int ColIndex);
    bool IsSuppressedColumn(int ColIndex) const;
    void UnSuppressColumn(int ColIndex);
    void UnSuppressAllColumns();
    void SuppressRow(int RowIndex);
    bool IsSuppressedRow(int RowIndex) const;
    void UnSuppressRow(int RowIndex);
    void UnSuppressAllRows();

    // ---- The current cell and geometry.
    void SetRow(int Value);
    virtual void SetRowEx(int Value);
    void SetCol(int Value);
    // Ignored outside FixedRows .. RowCount - 1.
    void SetTopRow(int Value);
    void ScrollInView(int ColIndex, int RowIndex, TScrollPosition Position);
    void ScreenToCell(const TPoint& pt, int& ACol, int& ARow) const;
    // A column (row) border within 4 pixels, in the fixed rows (columns) or the one after them.
    bool IsOnSizingBorder(int X, int Y) const;
    void RepaintCell(int c, int r) override;
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const TRect& r);
    // The smallest rectangle holding every non-empty cell; (0, 0, 0, 0) for an empty grid.
    virtual TGridRect GetUsedCells();
    TGridRect UsedCells() { return GetUsedCells(); }
    void SetSelection(const TGridRect& Value);

    // ---- Cell access.
    String GetCellsEx(int i, int j);
    void SetCellsEx(int i, int j, const String& Value);
    String AllCells(int i, int j) { return GetCellsEx(i, j); }
    String GetGridCellsEx(int i, int j) const;
    void SetGridCellsEx(int i, int j, const String& Value);
    String GetWideCellsEx(int i, int j) { return GetCellsEx(i, j); }
    void SetWideCellsEx(int i, int j, const String& Value) { SetCellsEx(i, j, Value); }
    TObject* GetRealObject(int i, int j) const;
    TObject* GetObjectsEx(int i, int j) const;
    void SetObjectsEx(int i, int j, TObject* Object);
    String GetRealCell(int c, int j);
    void SetRealCell(int c, int j, const String& Value);
    String GetOriginalCells(int i, int j);
    void SetOriginalCells(int i, int j, const String& Value);
    int SortedRowIndex(int r) const;
    int UnSortedRowIndex(int r) const;
    String GetUnSortedCell(int i, int j);
    void SetUnSortedCell(int i, int j, const String& Value);
    String GetStrippedCell(int i, int j);
    int GetLinesInCell(int i, int j);
    // Rich-text cells: the cell's text loaded into a rich edit, and a rich edit's content saved
    // as a cell's text.
    void CellToRich(int Col, int Row, TCustomRichEdit* RichEdit);
    String RichToString(TCustomRichEdit* RichEdit);
    void RichToCell(int Col, int Row, TCustomRichEdit* RichEdit);
    virtual String GetCurrentCell();
    virtual void SetCurrentCell(const String& Value);
    virtual String GetCurrentBaseCell();
    virtual String GetStoredCell(int c, int r) const;
    virtual void SetCurrentEditText(const String& Value);
    TEditorType GetCurrentEditor() const;
    TColor GetColors(int i, int j) const;
    void SetColors(int i, int j, TColor Value);
    TColor GetColorsTo(int i, int j) const;
    void SetColorsTo(int i, int j, TColor Value);
    TCellGradientDirection GetGradientDir(int i, int j) const;
    void SetGradientDir(int i, int j, TCellGradientDirection Value);
    // clNone frees the properties of cells that hold nothing else.
    void SetRowColor(int r, TColor Color);
    void SetRowColorTo(int r, TColor Color);
    void SetRowFontColor(int r, TColor Color);
    // The grid's font for a cell without properties; else a scratch font valid until the next call.
    TFont* GetCellFont(int i, int j);
    void SetCellFont(int i, int j, TFont* Value);
    TColor GetFontColors(int i, int j) const;
    void SetFontColors(int i, int j, TColor Value);
    TFontStyles GetFontStyles(int i, int j) const;
    void SetFontStyles(int i, int j, TFontStyles Value);
    // Points at the screen's pixels per inch, kept as a font height.
    int GetFontSizes(int i, int j) const;
    void SetFontSizes(int i, int j, int Value);
    String GetFontNames(int i, int j) const;
    void SetFontNames(int i, int j, const String& Value);
    TAlignment GetAlignments(int i, int j) const;
    void SetAlignments(int i, int j, TAlignment Value);
    bool GetReadOnly(int i, int j) const;
    void SetReadOnly(int i, int j, bool Value);
    // This read makes properties for a cell that has none.
    bool GetWordWraps(int i, int j);
    void SetWordWraps(int i, int j, bool Value);
    int GetAllColWidths(int i) const;
    void SetAllColWidths(int i, int w);
    TControl* GetCellControls(int i, int j) const;
    // The control becomes a child of the grid, placed on the cell where it is shown.
    void SetCellControls(int i, int j, TControl* Control);
    void SetCursor(TCursor Value);
    // Every visible row and column grows by x pixels; nothing beyond a factor of +-20.
    virtual void Zoom(int x);
    // The tri-state reading of a cell's check box (plain, data, virtual, tri-state, row); false,
    // State untouched, for a cell without one. With hidden rows ARow is a real row.
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    using TVidIvezadOrirControls::GetCheckBoxState;
    static TCheckBoxState BoolToCheckBoxState(bool B);
    // A tri-state box in every row from the first check row (0 with CheckAllCheck) to the last.
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);

    // ---- Tree nodes (the operations are TVidIvezadOrirNodes').
    // A ctNode graphic in the node column.
    bool IsNode(int ARow) override;
    // A ctSummary graphic in column 0.
    bool IsSummary(int ARow) override;
    bool HasNodes() override;
    // The node level of the row's node-column cell times NodeIndent; 0 without nodes.
    int GetCellIndent(int ARow) override;
    bool CellNodeOwnerHasNodes() override;
    void CellNodeChanged() override;

    // The check-true text checks a cell's check box, any other text unchecks it (undo's hook).
    void SetCheckBoxText(int ACol, int ARow, const String& Value) override;

    // The selection made the one cell (the framework's form with a moving anchor stays too).
    using TVidIvezadOrirSelection::FocusCell;

    // ---- Per-cell questions: the grid's answer, then the event's.
    virtual void GridHint(int ACol, int ARow, String& Hint, String& WideHint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, basegrid::TVAlignment& VAlign);
    virtual void GetCellFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix);
    virtual void GetSpinEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetDropEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual bool IsNoEditorCell(int ACol, int ARow);
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void CheckCanEdit(int ACol, int ARow, bool& CanEdit);
    virtual void CanEditCell(int ARow, int ACol, bool& CanEdit);
    virtual void IsPasswordCell(int ARow, int ACol, bool& IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    // EditorType edNone asks the editor hooks for the cell's editor.
    virtual bool HasComboBox(int ACol, int ARow, TEditorType EditorType);
    virtual bool HasEditBtn(int ACol, int ARow, TEditorType EditorType);
    virtual bool HasSpinEdit(int ACol, int ARow, TEditorType EditorType);
    virtual bool HasFilterEdit(int ACol, int ARow);
    virtual void FilterEditUpdate(int ACol, const String& Condition, TFilterType FilterType);
    virtual void GetCheckTrue(int ACol, int ARow, String& Value);
    virtual void GetCheckFalse(int ACol, int ARow, String& Value);
    // Fills FilterList with the column's filter entries (a value, or a text, TAB and a condition).
    virtual bool GetColumnFilter(int ACol, bool FirstOnly = false, bool Force = false);
    // Whether display row ARow passes the enabled Filter items; OnCustomFilter has the last word.
    virtual bool MatchFilter(int ARow);
    // The text a calculated filter item tests: the display text.
    virtual void GetCellValueText(int ACol, int ARow, String& Value);
    virtual TCursor GetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void SearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction Action);
    virtual void SearchFooterSearchEnd(bool& ContinueFromStart);
    virtual void ButtonClick(int ACol, int ARow);
    // Fires OnExpandClick, then gives the row the cell's expand height for the new state.
    virtual void ExpandClick(int ACol, int ARow, bool Expanded);
    virtual void ComboCloseUp(int ARow, int ACol);
    virtual void ComboDropDown(int ARow, int ACol);
    virtual void CanSort(int ACol, bool& DoSort);
    virtual void GetEditorProp(int ACol, int ARow, TEditLink* AEditLink);
    void DropDownHeaderButtonClick(int Index);
    void DropDownFooterButtonClick(int Index);

    // ---- Scroll bars.
    bool IsFlat() const;
    void InitFlatScrollBars();
    void DoneFlatScrollBars();
    void FlatSetScrollInfo(int Bar, SCROLLINFO& Info, bool Redraw);
    void FlatSetScrollProp(UINT Index, INT_PTR Value, bool Redraw);
    void FlatShowScrollBar(int Bar, bool Show);
    void UpdateFlatVertScroll();
    void UpdateFlatHorzScroll();
    void ApplyFlatScrollStyle();
    void ApplyFlatScrollColor();
    void ApplyFlatScrollWidth();
    void UpdateFlatScrollBars();
    void UpdateHorzScrollThumb();
    void UpdateVertScrollThumb();
    // The thin Metro scroll controls at the right and the bottom.
    void CreateScrollControls();
    void FreeScrollControls();
    // The cell the in-cell scroll bar stands in; its steps report OnScrollCell for this cell.
    void SetScrollBarCell(int ACol, int ARow);
    virtual void ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    // The scroll hint window while a thumb is dragged with ScrollHints.
    THTMLHintWindow* ScrollHintWindow() const;
    bool DragScrolling() const;
    // The glide after a quick touch drag: ten steps of Delta rows (columns), 10 ms apart.
    void StartGlide(int Delta, bool Vertical);
    void GlideStep();
    bool Panning() const;
    void DrawPanIcon();
    void InvalidatePanIcon();

    // ---- Stretching, sizing reactions, listeners and the combo editor's items.
    // Index -1: the last column; Width -1: the client width. Raises "Stretch column index out of
    // range" for other indexes outside the columns.
    void StretchColumn(int Index, int Width);
    void StretchColumns();
    void StretchRightColumn();
    void ColumnSizeStretchChanged(bool AllColumns) override;
    // The mouse handling tells of a column (row) the user sized from SizeBefore.
    void UserSized(bool Column, int Index, int SizeBefore);
    void RegisterSelListener(ITVidIvezadOrirSelect* AListener);
    void UnRegisterSelListener(ITVidIvezadOrirSelect* AListener);
    ITVidIvezadOrirSelect* SelListener() const;
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    int NotifierCount() const;
    void ClearComboString();
    void AddComboString(const String& s);
    void AddComboStringObject(const String& s, TObject* AObject);
    bool RemoveComboString(const String& s);
    bool SetComboSelectionString(const String& s);
    void SetComboSelection(int idx);
    int GetComboCount() const;
    int ComboIndex() const;
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);

    // The display text: the base hook's, then addresses made links (URLShowInText) and a node
    // row's group count in column 1 (Grouping.ShowGroupCount).
    void GetDisplText(int ACol, int ARow, String& Value) override;
    // The colour (image) picker editor's choice for the current cell: OnColorSelect (OnImageSelect).
    virtual void ColorSelect();
    virtual void ImageSelect();
    // Repaints the floating footer's panel.
    void UpdateFooter();

    // The styler interfaces.
    void SetColorTones(const TColorTones& ATones) override;
    TTesselStyle ComponentStyle() const { return FStyle; }
    void SetComponentStyle(TTesselStyle AStyle) override;
    void SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) override;
    // One of the grid's colour schemes on its colours; the schemes come with the grid's styling.
    virtual void SetStyle(TZirOdadStyle AStyle) {}
    // The style on each drop-down cell editor made so far.
    void SetPickerStyles(TTesselStyle AStyle);

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
    virtual void GridButtonClick(TObject* Sender);
    // The date and memo editors' events. The date-and-time editor's value goes to OnDateTimeChange;
    // the date editor's date (or time) as text to OnEditChange; its close-up fires
    // OnDatePickerCloseUp and, with MouseActions.DirectDateClose, ends the edit as Enter would; its
    // drop-down gives the calendar the editor's week numbers and today marks and its whole size;
    // the memo's lines are written into the current cell as one text.
    void DateTimeChanged(TObject* Sender);
    void DatePickerChange(TObject* Picker);
    void DatePickerCloseUp(TObject* Sender);
    void DatePickerDropDown(TObject* Picker);
    void MemoDropDownChange(TObject* Sender);
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

    // ---- Painter and editor slots answered neutrally until the painting and editing code does.
    void RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) override;
    virtual void ShowInplaceEdit();
    virtual void HideInplaceEdit();
    virtual void DrawNCBorder() {}
    virtual void ApplyOfficeTheme() {}
    virtual void UpdateSearchPanel();
    virtual void DrawSelectionFrame(int ALeft, int ATop, int ARight, int ABottom) {}
    virtual void AdjustForSearchFooter() {}
    virtual void WheelScrolled(int Delta, bool& Handled);
    virtual void IntelliZoom(int Delta);
    virtual void ColumnSizeUpdated(int ACol, int& AWidth);
    virtual void AutoColumnSizeUpdated(int ACol, int& AWidth);
    void GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                  TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                  basegrid::TVAlignment& VAlign, bool& WordWrap,
                                  TCellGradientDirection& GradientDirection) override;
    bool UsesVCLStyles() override;

    // ---- The base grid's hooks, answered neutrally until the painting and data code answers them.
    void LastRowChanged() override;
    bool CellHasCheckBox(int ACol, int ARow) override { return HasCheckBox(ACol, ARow); }
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
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void WndProc(TMessage& Message) override;
    void KeyPress(Char& Key) override;
    using TBaseGrid::FocusCell;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void WMTimer(TMessage& Message);
    void WMHScroll(TMessage& Message);
    void WMVScroll(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);

private:
    friend struct TVidIvezadOrirState;
    friend class TVidIvezadOrirGraphics;
    friend class TVidIvezadOrirControls;
    friend class TVidIvezadOrirPictures;
    friend class TVidIvezadOrirTyped;
    friend class TVidIvezadOrirSelection;
    friend class TVidIvezadOrirNodes;
    friend class TVidIvezadOrirFormControls;
    friend class TVidIvezadOrirGrouping;
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
    TVidIvezadOrirCheck* FCellChecker = nullptr;
    TCustomImageList* FGridImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
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
    TGridDatePicker* FDatePicker = nullptr;
    TGridDateTimePicker* FDateTimePicker = nullptr;
    TGridMemoDropDown* FMemoDropDown = nullptr;
    TAdvColorPickerDropDown* FColorPickerDropDown = nullptr;
    TAdvImagePickerDropDown* FImagePickerDropDown = nullptr;

    void createOwnedObjects(bool InitDesign);
    void createFilterTypeMenu();
    void createWindows();
    void assignSettings(TVidIvezadOrir* Source);
    void assignSizes(TVidIvezadOrir* Source);
    void assignLookAndFlags(TVidIvezadOrir* Source);
    // Looks.
    void applyPlainLook(TGridLook Value);
    // Hidden rows and the row workers.
    TGridItem* hiddenItemOf(int Rowindex) const;
    void copyRowToItem(int DisplRow, TGridItem* Item);
    void copyItemToRow(const TGridItem* Item, int DisplRow);
    void removeGridRows(int Row, int Count, bool FreeProperties);
    void afterRowCountChanged();
    void freeHiddenRowsWithTheirCells();
    // Suppressed sizes of the columns (true) or rows.
    struct TSuppressAxis;
    TSuppressAxis suppressAxis(bool Columns);
    // Cell access.
    int unsortedRowFor(int j) const;
    // The stored text when GetCellEx answers it unchanged (no merged base cell, no display hook
    // or group count applies), without a copy; nullptr otherwise.
    const String* plainDisplText(int c, int r) const;
    // The text a filter item tests, before trimming: the stored text itself where nothing
    // changes it, else built into Buffer. For fcRow also the separator that starts a cell.
    const String& filterValue(const TFilterData* F, int ARow, String& Buffer, String& StartSeparator);
    void repaintAttribute(int i, int j);
    bool propertiesHoldMore(int c, int r) const;
    int canvasPixelsPerInch() const;
    TEditorType askedEditor(int ACol, int ARow, TEditorType EditorType, bool Spin);
    bool hasEditorButton(const THasEditorEvent& Event, bool AlwaysVisible, int ACol, int ARow, TEditorType EditorType,
                         bool Spin, std::initializer_list<TEditorType> Kinds);
    // Scrolling.
    void updateFlatScroll(int Bar);
    void scrollHint(int Code, bool Vertical, int Target);
    void inCellScroll(TMessage& Message);
    void freeDragScrollTimer();
    void dragScrollTick();
    // The window procedure.
    void editDone(int ACol, int ARow);
    bool childNotification(TMessage& Message);
    void comboChanged();
    void wheelStep(TMessage& Message, const TGridRect& OldSelection);
    void startPanning(const TPoint& Origin);
    void endPanning();
    void panStep();
    void drawPanIconOn(TCanvas* ACanvas);
    void paintFocusRing(TCanvas* ACanvas);
    TStrings* comboItems() const;
    // Tree nodes painted in the node column.
    void paintNodeCell(TCanvas* Canvas, int ACol, int ARow, const TRect& R);
    void paintTreeLines(TCanvas* Canvas, int ARow, const TRect& R);
    void paintNodeGlyph(TCanvas* Canvas, int ARow, const TRect& Cell, const TCellGraphic* Node);
};
