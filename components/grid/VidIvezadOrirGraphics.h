// The cell graphics of TVidIvezadOrir: the one graphic a cell may carry (TCellGraphic), how it is
// created, replaced, found, classified, measured and freed, and the operations of each kind.
// TVidIvezadOrir inherits this class; its operations act on the grid they are part of.
#pragma once

#include "components/grid/model/CellGraphic.h"
#include "framework/ui/Graphics.h"

#include <initializer_list>

class TVidIvezadOrir;

class TVidIvezadOrirGraphics {
public:
    virtual ~TVidIvezadOrirGraphics() = default;

    // ---- The record: kinds, creation and removal.
    // ctEmpty for negative indexes, no graphic or a foreign object; with HotmailRowSelect every
    // cell of column 0 reads ctRowCheckBox (a foreign object still ctEmpty).
    virtual TCellType GetCellType(int ACol, int ARow);
    // False when the cell's graphic is of a kind or holds a comment.
    virtual bool GetCellEmpty(int ACol, int ARow);
    // nullptr without one or for a foreign object; column 0 with HotmailRowSelect answers the
    // grid's shared row check box, prepared for the row.
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    // Replaces the cell's own graphic by a new one of kind ctNone (the old one freed); the text
    // stays as it was. Every Add... and Create... starts here.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // Detaches and frees the cell's own graphic; true when there was one.
    bool FreeCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
    // The kind of the merged area's base cell is one of Kinds.
    bool HasCellTypeIn(int ACol, int ARow, std::initializer_list<TCellType> Kinds);
    bool HasBalloon(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctBalloon}); }
    bool IsRadio(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctRadio}); }
    bool HasExpand(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctExpand}); }
    bool HasProgress(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctProgress}); }
    bool HasShape(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctShape}); }
    bool HasRating(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctRating}); }
    bool HasScrollBar(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctScrollbar}); }
    bool HasButton(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctButton, ctBitButton}); }
    bool HasCheckBox(int ACol, int ARow) {
        return HasCellTypeIn(ACol, ARow,
                             {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
    }
    bool HasDataCheckBox(int ACol, int ARow) {
        return HasCellTypeIn(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
    }
    // The fixed cell that shows the sort indicator (a merged cell counts by its last row).
    bool IsSortRow(int ACol, int ARow);

    // ---- Measuring (the graphic's own fields decide; nothing changes).
    // MeasureCellGraphic(ACol, ARow, 0).
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    // CalcCellGraphicSize on the grid's canvas at scale 1.
    virtual TPoint MeasureCellGraphic(int ACol, int ARow, int ExtraHeight);
    // The width and height the graphic needs, for auto-sizing and printing; captions are
    // measured in Canvas's current font.
    virtual TPoint CalcCellGraphicSize(TCanvas* Canvas, int ACol, int ARow, int ExtraHeight, double Scale);
    // The size the graphic takes laid out in a BoxWidth x BoxHeight box of a printed page.
    virtual TPoint CalcCellGraphicBoxSize(int ACol, int ARow, int BoxWidth, int BoxHeight, double Scale);
    // A cell's text margins in total: the offset once with XYOffsetTopLeftOnly, else twice.
    int TotalXOffset();
    int TotalYOffset();
    // The side of a cell check box on this screen: ControlLook's CheckSize at the screen's scale.
    int ScaledCheckSize();

private:
    TVidIvezadOrir& grid();
    TPoint imagesSize(const TCellGraphic* G);
    TPoint radioSize(TCanvas* Canvas, const TCellGraphic* G, bool Box, double Scale);
};
