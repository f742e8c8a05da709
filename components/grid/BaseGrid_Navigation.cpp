// TBaseGrid navigation: the current cell stays on the base cell of a merged area, and the keys
// step over whole areas.
#include "components/grid/BaseGrid.h"

bool TBaseGrid::SelectCell(int ACol, int ARow) {
    if (UseRightToLeftAlignment()) {
        const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return Result;
    }
    RepaintCell(Col(), Row());
    const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return Result;
}

void TBaseGrid::MoveToBaseCell() {
    if (!HasCellProperties(Col(), Row())) return;
    const TPoint B = BaseCell(Col(), Row());
    if (B.X != Col()) SetCol(B.X);
    if (B.Y != Row()) SetRow(B.Y);
}

// Before the inherited one-step move, the current cell is put where that step leaves the merged
// area: on its last column (row) for Right (Down), on its base column (row) for Left (Up).
void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TBaseGrid> Self(this);
    if (HasCellProperties(Col(), Row())) {
        const TPoint B = BaseCell(Col(), Row());
        const int bx = B.X;
        const int by = B.Y;
        const TCellProperties* Base = cellProps(bx, by);
        const int SpanX = Base ? std::max(0, Base->CellSpanX()) : 0;
        const int SpanY = Base ? std::max(0, Base->GetCellSpanY()) : 0;
        switch (Key) {
            case VK_NEXT:
                if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1)
                    SetRow(RowCount() - 2);
                break;
            case VK_LEFT:
                // The step then lands left of the area, never in a fixed or negative column.
                if (Col() > bx && Col() > FixedCols() && bx > 0) SetCol(bx);
                break;
            case VK_UP:
                if (Row() > by && Row() > FixedRows() && by > 0) SetRow(by);
                break;
            case VK_RIGHT: {
                const int e = bx + SpanX;
                if (e >= Col() && Col() < ColCount() - 1 && bx < ColCount() - 1 && e < ColCount()) SetCol(e);
                break;
            }
            case VK_DOWN: {
                const int e = by + SpanY;
                if (e >= Row() && Row() < RowCount() - 1 && by < RowCount() - 1 && e < RowCount()) SetRow(e);
                break;
            }
            default:
                break;
        }
        if (!Self) return;
    }
    TObjStringGrid::KeyDown(Key, Shift);
    if (!Self) return;
    MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const TWeak<TBaseGrid> Self(this);
    const bool Result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (!Self) return Result;
    if (Row() > TopRow() + VisibleRowCount() && Row() != RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
    MoveToBaseCell();
    return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const TWeak<TBaseGrid> Self(this);
    const bool Result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    if (!Self) return Result;
    MoveToBaseCell();
    return Result;
}

void TBaseGrid::TopLeftChanged() {
    TObjStringGrid::TopLeftChanged();
    repaintMergedFixedCols();
    repaintMergedFixedRows();
}

// Merged fixed cells whose shown part changed are drawn whole again.
void TBaseGrid::repaintMergedFixedCols() {
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
            if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
}

void TBaseGrid::repaintMergedFixedRows() {
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
            if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
}
