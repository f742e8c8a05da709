// The string grid family: TCustomGrid (rows and columns of cells with fixed rows and columns at
// the top and left, a scrolled area, a current cell and a selection, painted cell by cell through
// DrawCell), TDrawGrid (the events for owner-drawn grids), TStringGrid (a text and an object per
// cell, kept sparsely, also beyond ColCount and RowCount when they are lowered) and the in-place
// editor protocol (TInplaceEdit on the edit control).
//
// Coordinates: ACol/ARow are cell indexes from 0 including the fixed ones; rectangles are client
// coordinates. The scroll bars sit beside the client area (ClientRect excludes them); their thumbs
// run on the 0..127 scale unless goThumbTracking is set (then on cell indexes).
#pragma once

#include "framework/rtl/GridCellStore.h"
#include "framework/ui/Controls.h"
#include "framework/ui/ScrollBars.h"
#include "framework/ui/StdCtrls.h"

#include <memory>
#include <vector>

class TCustomGrid;

QVD_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
    goFixedColClick,
    goFixedRowClick,
    goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Inclusive cell coordinates.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The auto-scroll timer's id: while the mouse selects or moves outside the cells the grid
// scrolls on it; a descendant that handles WM_TIMER for its own ids leaves this one alone.
inline constexpr UINT_PTR GridAutoScrollTimerId = 1;

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TFixedCellClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// ---------------------------------------------------------------------------------------------
// The in-place editor: an edit placed over the current cell. The grid creates it through
// CreateEditor, fills it through UpdateContents (GetEditText, GetEditLimit, GetEditMask) and
// hands its text back through SetEditText while the user types.

class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid.get(); }
    // The mask the grid asked for (GetEditMask); kept for a masked editor, not applied here.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }

    // Places the editor over Loc (client coordinates of the grid) and shows it.
    void Move(const TRect& Loc);
    // Takes the text, limit and mask of the grid's current cell.
    virtual void UpdateContents();
    void Hide();
    void SetFocus() override;
    void Deselect();

protected:
    // The grid moved or sized the current cell: the editor follows its rectangle.
    virtual void BoundsChanged();
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);
    void WMKillFocus(TMessage& Message);

private:
    friend class TCustomGrid;
    TWeak<TCustomGrid> FGrid;
    String FEditMask;
    bool FUpdating = false;

    void setGrid(TCustomGrid* Value);
    void sendToParent(Word& Key, TShiftState Shift);
};

// ---------------------------------------------------------------------------------------------

// The grid's scroll bars are its window's own (GetScrollInfo, SetScrollInfo, ShowScrollBar and the
// flat scroll-bar calls reach them through IWindowScrollBars). The grid keeps their range at
// 0..127 (a cell range with goThumbTracking) unless a descendant set a range and page whose
// positions end at the same place, as proportional thumbs do.
class TCustomGrid : public TCustomControl, public IWindowScrollBars {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    void BeforeDestruction() override;

    // Counts: at least 1; a count at or below the fixed ones lowers the fixed ones.
    int ColCount() const { return FColCount; }  // default 5
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }  // default 5
    void SetRowCount(int Value);
    // Raise EInvalidGridOperation when not below the count.
    int FixedCols() const { return FFixedCols; }  // default 1
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }  // default 1
    void SetFixedRows(int Value);
    // Setting a default size gives every column (row) that size again.
    int DefaultColWidth() const { return FDefaultColWidth; }  // default 64
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }  // default 24
    void SetDefaultRowHeight(int Value);
    // Any index answers (indexes beyond the count the default); writes outside 0..count-1 are ignored.
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    // The widths of the columns From .. To - 1 (heights of the rows) added up, grid lines not
    // included; 0 when To <= From. Quick while every column (row) has the default size.
    int ColWidthsSum(int From, int To) const;
    int RowHeightsSum(int From, int To) const;
    int GridLineWidth() const { return FGridLineWidth; }  // default 1
    void SetGridLineWidth(int Value);
    TColor FixedColor() const { return FFixedColor; }  // default clBtnFace
    void SetFixedColor(TColor Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    // The grid paints backgrounds, texts (a string grid) and the focus rectangle itself.
    bool DefaultDrawing() const { return FDefaultDrawing; }  // default true
    void SetDefaultDrawing(bool Value);
    TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }  // default gdsThemed
    void SetDrawingStyle(TGridDrawingStyle Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }  // default ssBoth
    void SetScrollBars(TScrollStyle Value);
    // bsSingle draws a one-pixel frame at the edge of the client area.
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsSingle
    void SetBorderStyle(TBorderStyle Value);
    // Tab stops per column (goTabs): columns without one are skipped by Tab.
    bool TabStops(int Index) const;
    void SetTabStops(int Index, bool Value);

    // The first scrolled column and row shown; kept within FixedCols .. the last that fills the view.
    int LeftCol() const { return FLeftCol; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopRow; }
    void SetTopRow(int Value);
    // The current cell; setting it selects the cell (SelectCell may refuse) and scrolls it into view.
    int Col() const { return FCol; }
    void SetCol(int Value);
    int Row() const { return FRow; }
    void SetRow(int Value);
    TGridRect Selection() const;
    // A rectangle starting beyond the last column or row parks the selection outside the cells
    // (nothing selected) until the current cell moves again.
    void SetSelection(const TGridRect& Value);
    // Scrolled columns (rows) shown whole; at least 1 while there is a scrolled one.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The width (height) the cells take in the client area, at most the client width (height).
    int GridWidth() const;
    int GridHeight() const;
    TGridState GridState() const { return FGridState; }

    // The cell's client rectangle; empty when the cell is not in view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; (-1, -1) outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The window's scroll bars: shown, and whether their arrows respond.
    void ShowScrollBar(int Bar, bool Show);
    void EnableScrollBar(int Bar, UINT Arrows);
    bool ScrollBarVisible(int Bar) const;
    bool ScrollBarEnabled(int Bar) const;
    // The thumb position of a bar (0..127, or a cell index with goThumbTracking).
    int ScrollPos(int Bar) const;
    // A bar's place beside the client area (client coordinates); empty when it is hidden.
    TRect ScrollBarRect(int Bar) const;

    // IWindowScrollBars
    TWindowScrollBar* WindowScrollBar(int Bar) override;
    bool WindowScrollBarVisible(int Bar) const override { return ScrollBarVisible(Bar); }
    void ShowWindowScrollBar(int Bar, bool Show) override { ShowScrollBar(Bar, Show); }
    void WindowScrollBarChanged(int Bar, bool Redraw) override;

    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid() { Invalidate(); }
    void InvalidateEditor();

protected:
    // Paints one cell into ARect (client coordinates). The default draws nothing; with
    // DefaultDrawing the background was already filled and the focus rectangle follows.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
    // Asked before a cell becomes the current one.
    virtual bool SelectCell(int ACol, int ARow) { return true; }
    virtual void TopLeftChanged() {}
    virtual void SizeChanged(int OldColCount, int OldRowCount) {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // After a column (row) moved from FromIndex to ToIndex; its data moves in a descendant.
    virtual void ColumnMoved(int FromIndex, int ToIndex) {}
    virtual void RowMoved(int FromIndex, int ToIndex) {}
    // Pressing the mouse on the fixed area near a line starts sizing (or moving); fills the state.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);
    virtual void FixedCellClick(int ACol, int ARow) {}

    // The editor protocol.
    virtual bool CanEditShow() const;
    virtual bool CanEditModify() { return true; }
    virtual bool CanEditAcceptKey(Char Key) { return true; }
    virtual TInplaceEdit* CreateEditor();
    virtual String GetEditText(int ACol, int ARow) { return String(); }
    virtual void SetEditText(int ACol, int ARow, const String& Value) {}
    virtual int GetEditLimit() { return 0; }
    virtual String GetEditMask(int ACol, int ARow) { return String(); }
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(Char Ch);
    // Writes the editor's text back (SetEditText) and hides it.
    void UpdateText();
    void UpdateEdit();

    // Moves the current cell, the anchor (unless extending the selection) and, with Show,
    // scrolls it into view; raises EInvalidGridOperation outside the grid.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    // Moves a whole column (row) and its size; ColumnMoved (RowMoved) follows.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
    // Rows come in at Index (the default height) or go, the rows after them moving with their
    // heights (and cells, in a string grid); the count changes with them.
    virtual void InsertGridRows(int Index, int Count);
    virtual void DeleteGridRows(int Index, int Count);
    // The listed rows (ascending, distinct) go in one pass.
    virtual void DeleteGridRowList(const std::vector<int>& Rows);
    // Scrolls as little as needed to show the cell.
    void ScrollCellIntoView(int ACol, int ARow);

    // One step per key: arrows, Page Up/Down, Home/End (with Ctrl the whole grid), Tab with
    // goTabs, F2 (editor), Enter and Escape with the editor.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    // The wheel moves the current row one step; a descendant may scroll instead.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Paint() override;
    void Resize() override;
    void ChangeScale(int M, int D) override;
    void DoExit() override;
    TRect GetClientRect() const override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);
    void WMHScroll(TMessage& Message);
    void WMVScroll(TMessage& Message);
    bool fromChild(const TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMCancelMode(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    // The extent of the fixed columns (rows), grid lines included.
    int FixedWidth() const;
    int FixedHeight() const;

private:
    friend class TInplaceEdit;
    struct TAxisInfo {
        int EffectiveLineWidth = 0;
        int FixedBoundary = 0;  // where the scrolled area starts
        int GridBoundary = 0;   // where the last shown cell ends
        int GridExtent = 0;     // the client extent
        int LastFullVisibleCell = 0;
        int FullVisBoundary = 0;
        int FixedCellCount = 0;
        int FirstGridCell = 0;
        int GridCellCount = 0;
    };
    struct TScrollBarState {
        bool Shown = false;    // shown by the grid's own rule (range beyond the view)
        int Forced = -1;       // -1: the rule decides; 0 hidden; 1 shown (ShowScrollBar)
        TWindowScrollBar Bar;  // range 0..127 from the constructor on
    };

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<int> FColWidths;   // empty: every column the default width
    std::vector<int> FRowHeights;  // empty: every row the default height
    std::vector<bool> FTabStops;   // empty: every column a tab stop
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    bool FDefaultDrawing = true;
    TGridDrawingStyle FDrawingStyle = gdsThemed;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    int FLeftCol = 1;
    int FTopRow = 1;
    int FCol = 1;
    int FRow = 1;
    int FAnchorCol = 1;
    int FAnchorRow = 1;
    TGridState FGridState = gsNormal;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    TScrollBarState FHorzBar;
    TScrollBarState FVertBar;
    // A press on a scroll bar: the bar, the part pressed and, for the thumb, the pointer's
    // offset from the thumb's start.
    int FBarPressed = -1;
    TScrollBarPart FBarPart = sbpNone;
    int FBarDragOffset = 0;
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    String FInplaceOriginal;  // the cell's text when the editor took it, for Escape
    bool FAutoScrollTimer = false;
    bool FUpdatingScrollBars = false;

    TAxisInfo horzInfo() const;
    TAxisInfo vertInfo() const;
    TAxisInfo axisInfo(bool Horizontal) const;
    int cellExtent(bool Horizontal, int Index) const;
    int maxTopLeft(bool Horizontal) const;
    TRect boxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    int coordAt(bool Horizontal, int Pos) const;
    void setTopLeft(int ALeft, int ATop);
    void changeSize(int NewColCount, int NewRowCount);
    void clampCurrent();
    void moveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void extendSelection(int ACol, int ARow);
    void scrollByCode(bool Horizontal, int Code, int ThumbPos);
    int thumbToCell(bool Horizontal, int Pos) const;
    void updateScrollBars();
    TScrollBarLayout scrollBarLayout(int Bar) const;
    bool scrollBarMouseDown(int X, int Y);
    bool scrollBarMouseMove(int X, int Y);
    bool scrollBarMouseUp(int X, int Y);
    void paintScrollBar(int Bar);
    bool scrollBarShown(const TScrollBarState& S) const;
    int scrollBarSize(int Bar) const;
    void paintCells(int FromCol, int ToCol, int FromRow, int ToRow, int StartX, int StartY, bool FixedCols,
                    bool FixedRows);
    void paintGridLines(const TAxisInfo& Horz, const TAxisInfo& Vert);
    void paintFrame();
    void startAutoScroll();
    void stopAutoScroll();
    void autoScrollStep();
    void hideEditorWindow();
    void placeEditor();
};

// ---------------------------------------------------------------------------------------------

class TDrawGrid : public TCustomGrid {
public:
    using TCustomGrid::TCustomGrid;

    TMovedEvent OnColumnMoved;
    TDrawCellEvent OnDrawCell;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TMovedEvent OnRowMoved;
    TSelectCellEvent OnSelectCell;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;
    TFixedCellClickEvent OnFixedCellClick;

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    String GetEditMask(int ACol, int ARow) override;
    String GetEditText(int ACol, int ARow) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    bool SelectCell(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void TopLeftChanged() override;
    void FixedCellClick(int ACol, int ARow) override;
};

// ---------------------------------------------------------------------------------------------

class TStringGridStrings;

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    String Cells(int ACol, int ARow) const { return FCells.Text(ACol, ARow); }
    void SetCells(int ACol, int ARow, const String& Value);
    TObject* Objects(int ACol, int ARow) const { return FCells.Object(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* Value);
    // A row's (column's) cells as a list of ColCount (RowCount) lines, live: writing a line
    // writes the cell. The list belongs to the grid.
    TStrings* Rows(int Index);
    void SetRows(int Index, TStrings* Value);
    TStrings* Cols(int Index);
    void SetCols(int Index, TStrings* Value);
    // The store behind the cells, for code that moves whole rows and columns of cells.
    TGridCellStore& CellStore() { return FCells; }
    const TGridCellStore& CellStore() const { return FCells; }

protected:
    // Draws the text at 2 pixels from the cell's left and top when DefaultDrawing is set.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void InsertGridRows(int Index, int Count) override;
    void DeleteGridRows(int Index, int Count) override;
    void DeleteGridRowList(const std::vector<int>& Rows) override;

private:
    TGridCellStore FCells;
    std::vector<std::unique_ptr<TStringGridStrings>> FRowLists;
    std::vector<std::unique_ptr<TStringGridStrings>> FColLists;

    TStringGridStrings* listFor(std::vector<std::unique_ptr<TStringGridStrings>>& Lists, int Index, bool IsRow);
};
