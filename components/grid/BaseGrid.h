// TBaseGrid: the cell-properties layer between the framework's string grid and the grid control.
// Every cell may carry a lazily created TCellProperties in the string grid's object slot (reads
// never create one); merged areas live in those properties; cell text is read and written
// through merged areas and the display-text hooks; the painter gathers each cell's look, draws
// background, selection frame, hover and active row and grid lines, then hands the content to
// RenderCell; keys and the wheel keep the current cell on the base cell of a merged area.
//
// Cell coordinates are real column indexes unless a comment says displayed; RealColIndex and
// DisplColIndex convert (identity here, the grid maps hidden columns).
#pragma once

#include "components/grid/model/CellProperties.h"
#include "framework/ui/Grids.h"

#include <memory>

class TZirOdadUndoRedo;

enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary };
using THoverRowCells = TSet<THoverRowCell>;

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// The string grid under the base grid; it adds nothing.
class TObjStringGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
};

class TBaseGrid : public TObjStringGrid, public ICellPropertiesOwner {
public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;
    void BeforeDestruction() override;

    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }  // default clInfoBk
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    // The framework's own default drawing stays off: the grid paints every cell itself.
    bool DefaultDrawing() const { return FDefaultDrawing; }  // default false
    void SetDefaultDrawing(bool Value);
    // Drawn by the painter; the framework's line width stays 0 so cells sit edge to edge.
    int GridLineWidth() const { return FGridLineWidth; }  // default 1
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }  // default clSilver
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }  // default clGray
    void SetGridFixedLineColor(TColor Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }  // default clInfoBk
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }  // default [hcNormal, hcSelected]
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    // The row under the mouse (-1: none), set by the grid's mouse handling.
    int HoverRowIdx() const { return FHoverRowIdx; }
    void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    // The word wrap new cell properties start with.
    bool WordWrap() const override { return FWordWrap; }  // default true
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    // A linked undo/redo component, not owned; linking sets its grid.
    TZirOdadUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TZirOdadUndoRedo* Value);

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // Cell properties. GetCellProperties creates them for an empty slot (never nullptr);
    // HasCellProperties never creates and answers false outside 0 .. TotalColCount - 1 and for
    // negative rows. SetCellProperties frees what the slot held unless it is Value itself.
    TCellProperties* GetCellProperties(int c, int r);
    void SetCellProperties(int c, int r, TCellProperties* Value);
    bool HasCellProperties(int c, int r) const;
    // The raw slot, without creating or freeing (for moving whole rows and columns of cells).
    TObject* GetGridObject(int c, int r) const { return TObjStringGrid::Objects(c, r); }
    void SetGridObject(int c, int r, TObject* Value) { TObjStringGrid::SetObjects(c, r, Value); }
    // Frees the properties of the cells c1..c2 x r1..r2 (and a TCellGraphic they hold; other
    // graphic objects belong to the caller); nothing unless properties were ever made.
    void FreeCellProperties(int c1, int r1, int c2, int r2);
    void FreeAllCellProperties();
    // Frees one cell's properties (not its graphic) and empties the slot.
    void ClearCellProperties(int c, int r);
    // Empty the slots (without freeing) and the texts, after the grid moved the cells elsewhere.
    void ResetCol(int c);
    void ResetRow(int r);
    void ResetCell(int c, int r);

    // Cell text. GetCellEx reads the base cell's text through the display-text hooks;
    // SetCellEx writes the base cell of a merged area. GetGridCell/SetGridCell are the stored
    // text itself.
    String GetCellEx(int c, int r);
    void SetCellEx(int c, int r, const String& Value);
    const String& GetGridCell(int c, int r) const { return CellStore().Text(c, r); }
    void SetGridCell(int c, int r, const String& Value) { CellStore().SetText(c, r, Value); }

    // Cell objects: the caller's object and the cell graphic, kept in the properties.
    TObject* GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, TObject* Value);
    TObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject* Value);
    static TObject* CellGraphicOf(const TCellProperties* Properties);

    // Merged cells.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    // True with the cell itself when it has no properties or is a base cell; false with its base.
    bool FindBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    // Inclusive cell coordinates of the whole merged area.
    TRect FullCell(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    // MergeCells adds one, SplitCells takes one away.
    int MergeCount() const { return FMergeCount; }

    // Geometry (c a displayed column). CalcCellRect answers also for cells out of view; CellRect
    // gives a merged cell its whole area; CellSize is the area's width and height.
    TRect CalcCellRect(int c, int r) const;
    TRect CellRect(int c, int r) const;
    TPoint CellSize(int c, int r) const;
    // Invalidates the cell when the window exists.
    void RepaintCell(int c, int r) override;

    // Painting on any canvas: the whole cell (PaintCell) or only its frame, selection and lines
    // into the given rectangle (PaintCellExt).
    void PaintCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void PaintCellExt(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State);
    int PaintID() const { return FPaintID; }

    // Sets the current cell to its base cell when it has properties.
    void MoveToBaseCell();

    virtual int TotalColCount() const { return ColCount(); }
    virtual int RealColIndex(int ACol) const { return ACol; }
    virtual int DisplColIndex(int ACol) const { return ACol; }

protected:
    // Undo restores check-box cells through the check-box hooks.
    friend class TZirOdadUndoRedo;
    virtual bool IsFixed(int ACol, int ARow) { return false; }
    virtual int GetCellIndent(int ARow) { return 0; }
    virtual bool HasNodes() { return false; }
    // Abstract here: the grid answers them.
    virtual bool IsNode(int ARow);
    virtual bool IsSummary(int ARow);
    // Draws the display text centred on one line; the grid draws the full content.
    virtual void RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State);
    virtual void LastRowChanged() {}
    virtual bool CellHasCheckBox(int ACol, int ARow);
    virtual void SetCheckBoxText(int ACol, int ARow, const String& Value);
    virtual void GetDisplText(int ACol, int ARow, String& Value);
    virtual void GetDisplWideText(int ACol, int ARow, String& Value);
    // Seeds a new cell's properties from the grid's look at that moment.
    virtual void GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                          TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                          basegrid::TVAlignment& VAlign, bool& WordWrap,
                                          TCellGradientDirection& GradientDirection);
    virtual void CellChanged(int ACol, int ARow) {}
    virtual bool HasCustomBorders() { return false; }
    virtual bool UsesVCLStyles() { return false; }
    // Fills a cell's colours, font, alignments, wrap and gradient direction for painting.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, bool Remap,
                                     TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo,
                                     TFont* AFont, TAlignment& HA, basegrid::TVAlignment& VA, bool& WW,
                                     TCellGradientDirection& GD) {}

    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    String GetEditText(int ACol, int ARow) override { return TObjStringGrid::GetEditText(ACol, ARow); }
    void SetEditText(int ACol, int ARow, const String& Value) override {
        TObjStringGrid::SetEditText(ACol, ARow, Value);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CellPropertiesCreated() override { FHasCellProps = true; }

    TCellProperties* CreateCellProperties(int c, int r);
    // Seeds properties made outside the slots (a hidden row's cell) as any new ones.
    void SeedCellProperties(TCellProperties* P, int c, int r);
    // The properties of a cell, nullptr without (never creates).
    TCellProperties* cellProps(int c, int r) const;
    // The rows whose text passes the display-text hooks; the grid sets it with its row count.
    int NormalRowCount() const { return FNormalRowCount; }
    void SetNormalRowCount(int Value) { FNormalRowCount = Value; }
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    bool ShowSel() const { return FShowSel; }
    void SetShowSel(bool Value) { FShowSel = Value; }
    bool EditCellSet() const { return FEditCellSet; }
    bool HasCellProps() const { return FHasCellProps; }
    TFont* DefFont() const { return FDefFont.get(); }
    TBrush* DefBrush() const { return FDefBrush.get(); }

private:
    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    int FPaintID = 1;
    bool FCustomSelect = true;
    int FNormalRowCount = 0;
    TZirOdadUndoRedo* FUndoRedo = nullptr;
    bool FHideLastRow = false;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    std::unique_ptr<TFont> FDefFont;
    std::unique_ptr<TBrush> FDefBrush;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;
    bool FEditCellSet = false;

    void doPaintCell(TCanvas* Canvas, int ACol, int ARow, TRect Where, TGridDrawState State, bool Full);
    void paintSelectionFrame(TCanvas* Canvas, int ACol, TRect Rect);
    void paintGridLines(TCanvas* Canvas, int ACol, int ARow, const TRect& Rect, bool Fixed);
    void freeEveryCellProperties();
    void repaintMergedFixedCols();
    void repaintMergedFixedRows();
    void seedProperties(TCellProperties* P, int c, int r, TFont* Font, TBrush* Brush);
    // The displayed column a merged area ending at real column LastCol ends at: the last shown
    // column up to it, so an area over hidden columns does not reach past its own.
    int displayedAreaEnd(int LastCol) const;
};
