// What the grid keeps for one cell beyond its text: the caller's object, the cell graphic, its own
// colours, font and alignment, its place in a merged area, node level, editor kind, read-only
// flag, a placed control and a footer cell's calculation. One object per cell that needed one,
// created lazily by the grid, owned by it; the properties own nothing they point to.
//
// Merged areas are stored in the properties of the cells they cover: the base (top-left) cell has
// IsBaseCell and spans width - 1, height - 1; every other covered cell has IsBaseCell false and
// spans equal to its column and row offset from the base; a plain or split cell has IsBaseCell
// and both spans -1.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/StdCtrlsTypes.h"

class TControl;

// The markup controls have a vertical alignment of the same name: the grid's lives in the unit's
// namespace (grid sources add "using namespace basegrid;").
namespace basegrid {
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
}  // namespace basegrid

enum TCellGradientDirection { GradientVertical, GradientHorizontal };

// Footer calculation of a column (kept in the last row's cell of the column).
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };

// The editor kind of a cell; ordinals are stored, so the order matters.
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edDateTimeEdit,
    edValidChars,
    edTrackbarDropDown,
    edMemoDropDown,
    edCalculatorDropDown,
    edTimePickerDropDown,
    edDetailDropDown,
    edGridDropDown,
    edColorPickerDropDown,
    edImagePickerDropDown,
    edZirOdadDropDown,
    edControlDropDown,
    edPositiveFloat,
    edNumericUnitEditBtn,
    edFloatUnitEditBtn,
    edMaskEditBtn
};
static_assert(edNone == 27 && edMaskEditBtn == 43);

// The grid a cell's properties belong to, as the properties see it: they repaint their cell,
// take the grid's default word wrap and tell it that properties exist.
class ICellPropertiesOwner : public IInterface {
public:
    // Invalidates the cell when the grid's window exists.
    virtual void RepaintCell(int ACol, int ARow) = 0;
    virtual bool WordWrap() const = 0;
    virtual void CellPropertiesCreated() = 0;

protected:
    ~ICellPropertiesOwner() = default;
};

class TCellProperties : public TPersistent {
public:
    // Start values: no colours of its own, no merge, the owner's word wrap; tells the owner.
    TCellProperties(ICellPropertiesOwner* AOwner, int ACol, int ARow);

    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int Value) { FCellSpanX = Value; }
    // 0 while the merged area is collapsed.
    int CellSpanY() const { return GetCellSpanY(); }
    void SetCellSpanY(int Value) { FCellSpanY = Value; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int Value) { FOwnerCol = Value; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int Value) { FOwnerRow = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    // clNone: the grid's colour. The colour writers repaint the cell.
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    // clNone: no gradient.
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    // The caller's data: an object reference or a number.
    NativeUInt CellObject() const { return FObject; }
    void SetCellObject(NativeUInt Value) { FObject = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    const String& FontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    int FontSize() const { return FFontHeight; }
    void SetFontSize(int Value) { FFontHeight = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    basegrid::TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(basegrid::TVAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int Value) { FNodeLevel = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }
    bool MergeCollaps() const { return FMergeCollaps; }
    void SetMergeCollaps(bool Value) { FMergeCollaps = Value; }

    // The grid's fields of the cell.
    ICellPropertiesOwner* OwnerGrid() const { return FOwnerGrid; }
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
    int PaintID() const { return FPaintID; }
    void SetPaintID(int Value) { FPaintID = Value; }

    // Copies the cell's look and place from another TCellProperties (any other source changes
    // nothing); not the owner, graphic, gradient end colour and direction, paint pass or
    // calculation. No setter runs.
    void Assign(TPersistent* Source) override;
    // The base cell of the merged area for the cell at (ACol, ARow) these properties belong to;
    // the position is passed in because cells move while the owner fields keep their start.
    TPoint GetBaseCell(int ACol, int ARow) const;
    int GetCellSpanY() const { return FMergeCollaps ? 0 : FCellSpanY; }

private:
    ICellPropertiesOwner* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    NativeUInt FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontHeight = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    basegrid::TVAlignment FVAlignment = basegrid::vtaTop;
    int FPaintID = 0;
    bool FWordWrap = false;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
    bool FMergeCollaps = false;

    void repaintOwnerCell();
};
