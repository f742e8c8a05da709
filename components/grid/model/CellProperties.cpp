#include "components/grid/model/CellProperties.h"

using namespace basegrid;

TCellProperties::TCellProperties(ICellPropertiesOwner* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow) {
    if (FOwnerGrid) {
        FWordWrap = FOwnerGrid->WordWrap();
        FOwnerGrid->CellPropertiesCreated();
    }
}

void TCellProperties::repaintOwnerCell() {
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
    FBrushColor = Value;
    repaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
    FBrushColorTo = Value;
    repaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    repaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
    FWordWrap = Value;
    repaintOwnerCell();
}

void TCellProperties::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TCellProperties*>(Source);
    if (!S) return;
    FIsBaseCell = S->FIsBaseCell;
    FCellSpanX = S->FCellSpanX;
    FCellSpanY = S->GetCellSpanY();
    FOwnerRow = S->FOwnerRow;
    FOwnerCol = S->FOwnerCol;
    FObject = S->FObject;
    FAlignment = S->FAlignment;
    FBorderColor = S->FBorderColor;
    FBorderWidth = S->FBorderWidth;
    FBrushColor = S->FBrushColor;
    FBrushStyle = S->FBrushStyle;
    FFontColor = S->FFontColor;
    FFontStyle = S->FFontStyle;
    FFontName = S->FFontName;
    FFontHeight = S->FFontHeight;
    FReadOnly = S->FReadOnly;
    FEditor = S->FEditor;
    FVAlignment = S->FVAlignment;
    FWordWrap = S->FWordWrap;
    FNodeLevel = S->FNodeLevel;
    FControl = S->FControl;
    FMergeCollaps = S->FMergeCollaps;
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
    const int SpanY = GetCellSpanY();
    if (!FIsBaseCell && FCellSpanX != -1 && SpanY >= 0) return Point(ACol - FCellSpanX, ARow - SpanY);
    return Point(ACol, ARow);
}
