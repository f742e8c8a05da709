// TBaseGrid: merged areas (kept in the properties of the cells they cover) and the geometry of
// merged and scrolled-out cells.
#include "components/grid/BaseGrid.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Merging

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany) {
    ++FMergeCount;
    if (spanx < 1 || spany < 1) return;
    // No check against areas merged before: the last merge written wins cell by cell.
    for (int i = c; i < c + spanx; ++i) {
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* P = GetCellProperties(i, j);
            if (i == c && j == r) {
                P->SetIsBaseCell(true);
                P->SetCellSpanX(spanx - 1);
                P->SetCellSpanY(spany - 1);
            } else {
                P->SetIsBaseCell(false);
                P->SetCellSpanX(i - c);
                P->SetCellSpanY(j - r);
            }
        }
    }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r) {
    const TPoint B = BaseCell(c, r);
    const TCellProperties* Base = cellProps(B.X, B.Y);
    const int SpanX = Base ? Base->CellSpanX() : -1;
    const int SpanY = Base ? Base->GetCellSpanY() : -1;
    for (int i = B.X; i <= B.X + std::max(0, SpanX); ++i) {
        for (int j = B.Y; j <= B.Y + std::max(0, SpanY); ++j) {
            if (TCellProperties* P = cellProps(i, j)) {
                P->SetIsBaseCell(true);
                P->SetCellSpanX(-1);
                P->SetCellSpanY(-1);
            }
            RepaintCell(i, j);
        }
    }
    --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    return P ? P->GetBaseCell(ACol, ARow) : Point(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    return P ? P->IsBaseCell() : true;
}

bool TBaseGrid::FindBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    if (!P || P->IsBaseCell()) {
        BaseCol = ACol;
        BaseRow = ARow;
        return true;
    }
    const TPoint B = P->GetBaseCell(ACol, ARow);
    BaseCol = B.X;
    BaseRow = B.Y;
    return false;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    return P && (P->CellSpanX() > 0 || P->GetCellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    return P && (P->CellSpanX() > 0 || P->GetCellSpanY() > 0) && !P->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint B = BaseCell(ACol, ARow);
    const TCellProperties* Base = cellProps(B.X, B.Y);
    return Base && Base->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint B = BaseCell(ACol, ARow);
    const TCellProperties* Base = cellProps(B.X, B.Y);
    return Base && Base->GetCellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    if (!P || (P->CellSpanX() == -1 && P->GetCellSpanY() <= 0)) return Point(0, 0);
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TCellProperties* Base = cellProps(B.X, B.Y);
    return Base ? Point(Base->CellSpanX(), Base->GetCellSpanY()) : Point(0, 0);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
    const TCellProperties* P = cellProps(ACol, ARow);
    if (!P || P->CellSpanX() == -1 || P->GetCellSpanY() == -1) return Point(0, 0);
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TCellProperties* Base = cellProps(B.X, B.Y);
    if (!Base) return Point(0, 0);
    return Point(B.X + Base->CellSpanX() - ACol, B.Y + Base->GetCellSpanY() - ARow);
}

TRect TBaseGrid::FullCell(int c, int r) const {
    const TPoint B = BaseCell(c, r);
    const TPoint S = CellSpan(c, r);
    return Rect(B.X, B.Y, B.X + S.X, B.Y + S.Y);
}

int TBaseGrid::MinRowSpan(int ARow) const {
    int Result = RowCount();
    for (int c = 0; c < TotalColCount(); ++c) {
        const int Span = CellSpan(c, ARow).Y;
        if (Span > 0 && Span < Result) Result = Span;
    }
    return Result;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
    int Result = 0;
    for (int c = 0; c < TotalColCount(); ++c) Result = std::max(Result, CellSpan(c, ARow).Y);
    return Result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
    bool Found = false;
    for (int c = 0; c < TotalColCount(); ++c) {
        if (!IsYMergedCell(c, ARow1) || !IsYMergedCell(c, ARow2)) continue;
        if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        Found = true;
    }
    return Found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
    bool Found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const bool M1 = IsXMergedCell(ACol1, r);
        const bool M2 = IsXMergedCell(ACol2, r);
        if (M1 && M2) {
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
            Found = true;
        } else if (CellSpan(ACol1, r).X != CellSpan(ACol2, r).X) {
            return false;
        }
    }
    return Found;
}

// ---------------------------------------------------------------------------------------------
// Geometry

// Also for cells scrolled out of view: their place as if the grid went on beyond its edges.
TRect TBaseGrid::CalcCellRect(int c, int r) const {
    // The scrolled part starts where the framework places the top-left scrollable cell: the
    // fixed area's extent.
    const int OriginX = ColWidthsSum(0, FixedCols());
    const int OriginY = RowHeightsSum(0, FixedRows());
    int x = 0, y = 0;
    if (c < FixedCols())
        x = ColWidthsSum(0, c);
    else
        x = OriginX + (c >= LeftCol() ? ColWidthsSum(LeftCol(), c) : -ColWidthsSum(c, LeftCol()));
    if (r < FixedRows())
        y = RowHeightsSum(0, r);
    else
        y = OriginY + (r >= TopRow() ? RowHeightsSum(TopRow(), r) : -RowHeightsSum(r, TopRow()));
    return Rect(x, y, x + ColWidths(c), y + RowHeights(r));
}

int TBaseGrid::displayedAreaEnd(int LastCol) const {
    // A hidden column shows at the next shown column's place; counting the shown columns up to
    // LastCol (the display place of the column after it, less one) finds the last shown one.
    const int Total = TotalColCount();
    if (LastCol + 1 < Total) return DisplColIndex(LastCol + 1) - 1;
    return ColCount() - 1 - (Total - 1 - LastCol);
}

TRect TBaseGrid::CellRect(int c, int r) const {
    const int a = RealColIndex(c);
    if (const TCellProperties* P = cellProps(a, r)) {
        if (P->CellSpanX() != -1 || P->GetCellSpanY() > 0) {
            const TPoint B = P->GetBaseCell(a, r);
            const TCellProperties* Base = cellProps(B.X, B.Y);
            const int SpanX = Base ? std::max(0, Base->CellSpanX()) : 0;
            const int SpanY = Base ? std::max(0, Base->GetCellSpanY()) : 0;
            const int d = DisplColIndex(B.X);
            TRect R1 = CalcCellRect(d, B.Y);
            // A zero-width first or last column still gives the area an edge to start from.
            if (R1.IsEmpty()) R1.Right = R1.Left + 1;
            TRect R2 = CalcCellRect(displayedAreaEnd(B.X + SpanX), B.Y + SpanY);
            if (R2.IsEmpty()) R2.Left = R2.Right - 1;
            return Rect(std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
                        std::max(R1.Bottom, R2.Bottom));
        }
        if (P->Control()) return CalcCellRect(c, r);
    }
    const TRect R = TObjStringGrid::CellRect(c, r);
    return Rect(R.Left, R.Top, R.Left + ColWidths(c), R.Top + RowHeights(r));
}

TPoint TBaseGrid::CellSize(int c, int r) const {
    TRect R = CalcCellRect(c, r);
    if (IsMergedCell(RealColIndex(c), r)) {
        const TPoint B = BaseCell(RealColIndex(c), r);
        const TPoint S = CellSpan(RealColIndex(c), r);
        const TRect First = CalcCellRect(DisplColIndex(B.X), B.Y);
        const TRect Last = CalcCellRect(displayedAreaEnd(B.X + S.X), B.Y + S.Y);
        R = Rect(First.Left, First.Top, Last.Right, Last.Bottom);
    }
    return Point(R.Width(), R.Height());
}

void TBaseGrid::RepaintCell(int c, int r) {
    // The control has one backing image: repainting a cell repaints the grid.
    if (HandleAllocated()) Invalidate();
}
