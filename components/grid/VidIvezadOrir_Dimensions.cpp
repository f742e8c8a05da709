// TVidIvezadOrir: the grid's shape (counts, fixed areas, sizes), the current cell, geometry
// (scrolling a cell into view, screen-to-cell, the sizing border, repainting), used cells, moves
// and swaps by code and suppressed (zero-size) rows and columns.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"

#include <algorithm>
#include <functional>
#include <memory>

// ---------------------------------------------------------------------------------------------
// Counts and fixed areas

void TVidIvezadOrir::SetRowCount(int Value) {
    if (RowCount() == FixedRows() && FFixedRowAlways && FState->SelHidden) UnHideSelection();
    if (Col() == ColCount() || Row() == RowCount()) FocusCell(FixedCols(), std::min(FixedRows(), RowCount() - 1), true);
    const int OldCount = RowCount();
    TBaseGrid::SetRowCount(Value);
    for (int r = FSuppressRowSizes->Count(); r < RowCount(); ++r) FSuppressRowSizes->Add(RowHeights(r));
    if (FState->FixedRowsMin < RowCount() && FFixedRowAlways && FState->FixedRowsMin != TBaseGrid::FixedRows())
        TBaseGrid::SetFixedRows(FState->FixedRowsMin);
    FState->MaxRowCount = std::max(FState->MaxRowCount, Value);
    afterRowCountChanged();
    // A floating footer stays the last row.
    if (FFloatingFooter->Visible() && RowCount() != OldCount && OldCount > 0) {
        TGridCellStore& Store = CellStore();
        for (int c = 0; c < TotalColCount(); ++c) {
            Store.SetText(c, RowCount() - 1, Store.Text(c, OldCount - 1));
            Store.SetObject(c, RowCount() - 1, Store.Object(c, OldCount - 1));
            if (OldCount - 1 < RowCount() - 1) {
                Store.SetText(c, OldCount - 1, String());
                Store.SetObject(c, OldCount - 1, nullptr);
            }
        }
    }
}

// What follows any change of the row count: the rows that pass the display hooks, the thumbs,
// the always-shown bars and the flat bars.
void TVidIvezadOrir::afterRowCountChanged() {
    SetNormalRowCount(RowCount());
    UpdateVertScrollThumb();
    UpdateHorzScrollThumb();
    ApplyScrollBarAlways(false);
    if (FScrollType != ssNormal) UpdateFlatScrollBars();
}

void TVidIvezadOrir::SetColCount(int Value) {
    TBaseGrid::SetColCount(Value);
    if (FState->FixedColsMin < ColCount() && FFixedColAlways && FState->FixedColsMin != TBaseGrid::FixedCols())
        TBaseGrid::SetFixedCols(FState->FixedColsMin);
    FState->MaxColCount = std::max(FState->MaxColCount, Value);
    for (int c = FSuppressColSizes->Count(); c < ColCount(); ++c) FSuppressColSizes->Add(ColWidths(c));
    if (FState->UpdateCount == 0) SetBounds(Left(), Top(), Width(), Height());
    UpdateHorzScrollThumb();
    UpdateVertScrollThumb();
    ApplyScrollBarAlways(false);
}

// The arrays of the real columns follow the counts, whichever way they changed.
void TVidIvezadOrir::SizeChanged(int OldColCount, int OldRowCount) {
    const size_t Real = static_cast<size_t>(ColCount() + FState->HiddenColCount);
    FState->VisibleCol.resize(Real, true);
    FState->AllColWidths.resize(Real, DefaultColWidth());
    SetNormalRowCount(RowCount());
    if (!Parent() || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    if (FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn(), ClientWidth());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    FlatShowScrollBar(SB_VERT, VisibleRowCount() + FixedRows() < RowCount());
    UpdateFlatVertScroll();
    FlatShowScrollBar(SB_HORZ, VisibleColCount() + FixedCols() < ColCount());
    UpdateFlatHorzScroll();
}

int TVidIvezadOrir::FixedRows() const {
    const int N = TBaseGrid::FixedRows();
    return N == 0 && FFixedRowAlways ? 1 : N;
}

int TVidIvezadOrir::FixedCols() const {
    const int N = TBaseGrid::FixedCols();
    return N == 0 && FFixedColAlways ? 1 : N;
}

void TVidIvezadOrir::SetFixedRows(int Value) {
    const int Asked = Value;
    if (Value >= RowCount() && FFixedRowAlways) Value = RowCount() - 1;
    TBaseGrid::SetFixedRows(Value);
    if (!ComponentState().Contains(csLoading)) FState->FixedRowsMin = Asked;
}

void TVidIvezadOrir::SetFixedCols(int Value) {
    const int Asked = Value;
    if (Value >= ColCount() && FFixedColAlways) Value = ColCount() - 1;
    TBaseGrid::SetFixedCols(Value);
    if (!ComponentState().Contains(csLoading)) FState->FixedColsMin = Asked;
}

void TVidIvezadOrir::SetFixedFooters(int Value) {
    FFixedFooters = Value;
    Invalidate();
}

void TVidIvezadOrir::SetFixedRightCols(int Value) {
    FFixedRightCols = Value;
    Invalidate();
}

int TVidIvezadOrir::FixedColWidth() const { return ColWidths(0); }

void TVidIvezadOrir::SetFixedColWidth(int Value) {
    FFixedColWidth = Value;
    if (ComponentState().Contains(csLoading) || Value == DefaultColWidth()) return;
    for (int C = 0; C < TBaseGrid::FixedCols(); ++C) SetColWidths(C, Value);
}

void TVidIvezadOrir::SetFixedRowHeight(int Value) {
    FFixedRowHeight = Value;
    if (ComponentState().Contains(csLoading) || Value == DefaultRowHeight()) return;
    for (int R = 0; R < TBaseGrid::FixedRows(); ++R) SetRowHeights(R, Value);
}

void TVidIvezadOrir::SetDefaultRowHeight(int Value) {
    TBaseGrid::SetDefaultRowHeight(Value);
    if (ComponentState().Contains(csDesigning)) FFixedRowHeight = Value;
    FFloatingFooter->SetHeight(Value);
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetHeight(Value);
}

void TVidIvezadOrir::SetDefaultAlignment(TAlignment Value) {
    if (Value == FDefaultAlignment) return;
    FDefaultAlignment = Value;
    Invalidate();
}

void TVidIvezadOrir::SetWordWrap(bool Value) {
    TBaseGrid::SetWordWrap(Value);
    if (auto* Editor = dynamic_cast<TAdvInplaceEdit*>(InplaceEditor())) Editor->SetWordWrap(Value);
    if (FState->UpdateCount == 0) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The current cell

void TVidIvezadOrir::SetRow(int Value) { SetRowEx(Value); }

void TVidIvezadOrir::SetRowEx(int Value) {
    const TWeak<TVidIvezadOrir> Self(this);
    if (Col() >= ColCount() || Col() < 0) {
        FocusCell(FixedCols(), Value, true);
        if (!Self) return;
        if (Options().Contains(goRowSelect)) SetSelection(TGridRect{FixedCols(), Value, ColCount() - 1, Value});
    }
    TBaseGrid::SetRow(Value);
    if (!Self) return;
    FState->AECol = -1;
    FState->AERow = -1;
    if (Row() != FState->OldSelectedRow && OnRowChanged) {
        const int Old = FState->OldSelectedRow;
        FState->OldSelectedRow = Row();
        const TRowChangedEvent Handler = OnRowChanged;
        Handler(this, Old, Row());
        if (!Self) return;
    }
    if (auto* Other = dynamic_cast<TVidIvezadOrir*>(FSyncGrid->Grid()); Other && FSyncGrid->SelectionRow())
        Other->SetRow(Row());
    else if (FSyncGrid->Grid() && FSyncGrid->SelectionRow())
        FSyncGrid->Grid()->SetRow(Row());
    FState->DisSelection = Selection();
}

void TVidIvezadOrir::SetCol(int Value) {
    TBaseGrid::SetCol(Value);
    FState->DisSelection = Selection();
    FState->AECol = -1;
    FState->AERow = -1;
    if (auto* Other = dynamic_cast<TVidIvezadOrir*>(FSyncGrid->Grid()); Other && FSyncGrid->SelectionColumn())
        Other->SetCol(Col());
    else if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn())
        FSyncGrid->Grid()->SetCol(Col());
}

void TVidIvezadOrir::SetTopRow(int Value) {
    if (Value >= FixedRows() && Value <= RowCount() - 1) TBaseGrid::SetTopRow(Value);
}

// ---------------------------------------------------------------------------------------------
// Geometry

void TVidIvezadOrir::ScrollInView(int ColIndex, int RowIndex, TScrollPosition Position) {
    if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
    int NewLeft = LeftCol();
    int NewTop = TopRow();
    const auto first = [Position](int Index, int Visible) {
        switch (Position) {
            case spMiddle:
                return Index - Visible / 2;
            case spTrailing:
                return Index + 1 - Visible;
            default:
                return Index;
        }
    };
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        if (FState->SelHidden) UnHideSelection();
        if (ColIndex >= FixedCols() && ColIndex < TotalColCount()) SetCol(ColIndex);
        NewLeft = std::max(first(ColIndex, VisibleColCount()), FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        if (RowIndex >= FixedRows() && RowIndex < TotalRowCount()) SetRowEx(RowIndex);
        NewTop = std::max(first(RowIndex, VisibleRowCount()), FixedRows());
    }
    NewLeft = std::min(NewLeft, ColCount() - VisibleColCount() + 1);
    if (FixedCols() + VisibleColCount() < ColCount()) SetLeftCol(NewLeft);
    NewTop = std::min(NewTop, RowCount() - VisibleRowCount() + 1);
    if (FixedRows() + VisibleRowCount() < RowCount()) SetTopRow(NewTop);
}

void TVidIvezadOrir::ScreenToCell(const TPoint& pt, int& ACol, int& ARow) const {
    const TPoint P = ScreenToClient(pt);
    MouseToCell(P.X, P.Y, ACol, ARow);
}

bool TVidIvezadOrir::IsOnSizingBorder(int X, int Y) const {
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (C < 0 || R < 0) return false;
    const TRect Cell = TCustomGrid::CellRect(C, R);
    if (Options().Contains(goColSizing) && R <= FixedRows() &&
        (std::abs(X - Cell.Left) < 4 || std::abs(X - Cell.Right) < 4))
        return true;
    return Options().Contains(goRowSizing) && C <= FixedCols() &&
           (std::abs(Y - Cell.Top) < 4 || std::abs(Y - Cell.Bottom) < 4);
}

void TVidIvezadOrir::RepaintCell(int c, int r) {
    if (!HandleAllocated()) return;
    const bool ScrolledOut = (r >= FixedRows() && r < TopRow()) || r > TopRow() + VisibleRowCount() ||
                             (c >= FixedCols() && c < LeftCol()) || c > LeftCol() + VisibleColCount();
    if (!ScrolledOut) Invalidate();
}

void TVidIvezadOrir::RepaintRow(int ARow) {
    if (HandleAllocated()) Invalidate();
}

void TVidIvezadOrir::RepaintCol(int ACol) {
    if (HandleAllocated()) Invalidate();
}

void TVidIvezadOrir::RepaintRect(const TRect& r) {
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0) return;
    if (HandleAllocated()) Invalidate();
}

TGridRect TVidIvezadOrir::GetUsedCells() {
    TGridRect Used{-1, -1, -1, -1};
    const int Rows = std::min(RowCount(), CellStore().RowExtent());
    const bool Hooks = OnGetDisplText || OnGetDisplWideText;
    for (int r = 0; r < (Hooks ? RowCount() : Rows); ++r) {
        if (!Hooks && !CellStore().RowHasCells(r)) continue;
        for (int c = 0; c < ColCount(); ++c) {
            if (GetCellEx(DisplToRealCol(c), r).isEmpty()) continue;
            if (Used.Left < 0) {
                Used = TGridRect{c, r, c, r};
                continue;
            }
            Used.Left = std::min(Used.Left, c);
            Used.Right = std::max(Used.Right, c);
            Used.Bottom = std::max(Used.Bottom, r);
        }
    }
    return Used.Left < 0 ? TGridRect{0, 0, 0, 0} : Used;
}

// ---------------------------------------------------------------------------------------------
// Moves and swaps by code

void TVidIvezadOrir::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    const int a = DisplToRealCol(FromIndex);
    const int b = DisplToRealCol(ToIndex);
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    for (int i = 0; i < FFilter->Count(); ++i) {
        auto* F = static_cast<TFilterData*>(FFilter->Items(i));
        const int C = F->Column();
        if (C == a)
            F->SetColumn(b);
        else if (b <= C && C <= a - 1)
            F->SetColumn(C + 1);
        else if (a + 1 <= C && C <= b)
            F->SetColumn(C - 1);
    }
    if (FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* CI = FControlList->GetControl(i);
            const int x = CI->X();
            if (x == FromIndex)
                CI->SetX(ToIndex);
            else if (ToIndex < FromIndex && x >= ToIndex && x <= FromIndex - 1)
                CI->SetX(x + 1);
            else if (ToIndex > FromIndex && x >= FromIndex + 1 && x <= ToIndex)
                CI->SetX(x - 1);
        }
        CellControlsUpdate(false);
    }
}

// The column's cells move in real columns, with the hidden columns' marks and widths.
void TVidIvezadOrir::ColumnMoved(int FromIndex, int ToIndex) {
    const int a = DisplToRealCol(FromIndex);
    const int b = DisplToRealCol(ToIndex);
    CellStore().MoveCol(a, b);
    const auto moveEntry = [a, b](auto& V) {
        if (a < 0 || b < 0 || a >= static_cast<int>(V.size()) || b >= static_cast<int>(V.size())) return;
        auto Value = V[static_cast<size_t>(a)];
        V.erase(V.begin() + a);
        V.insert(V.begin() + b, Value);
    };
    moveEntry(FState->VisibleCol);
    moveEntry(FState->AllColWidths);
    if (FromIndex < FColumnOrder->Count() && ToIndex < FColumnOrder->Count()) {
        const int Entry = FColumnOrder->GetInteger(FromIndex);
        FColumnOrder->Delete(FromIndex);
        FColumnOrder->Insert(ToIndex, Entry);
    }
    if (FEnhRowColMove && FromIndex < FSuppressColSizes->Count() && ToIndex < FSuppressColSizes->Count()) {
        const int W = FSuppressColSizes->GetInteger(FromIndex);
        FSuppressColSizes->Delete(FromIndex);
        FSuppressColSizes->Insert(ToIndex, W);
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TVidIvezadOrir::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    if (FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* CI = FControlList->GetControl(i);
            const int y = CI->Y();
            if (y == FromIndex)
                CI->SetY(ToIndex);
            else if (ToIndex < FromIndex && y >= ToIndex && y <= FromIndex - 1)
                CI->SetY(y + 1);
            else if (ToIndex > FromIndex && y >= FromIndex + 1 && y <= ToIndex)
                CI->SetY(y - 1);
        }
        CellControlsUpdate(false);
    }
    if (FShowModified->Enabled()) {
        while (FModifiedRows->Count() < RowCount() + 1) FModifiedRows->Add(0);
        const int Entry = FModifiedRows->GetInteger(FromIndex);
        FModifiedRows->Delete(FromIndex);
        FModifiedRows->Insert(ToIndex, Entry);
    }
}

// Moves the row's cells; a floating footer shown as the last row stays there.
void TVidIvezadOrir::RowMoved(int FromIndex, int ToIndex) {
    if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow && ToIndex == RowCount() - 1)
        return;
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    if (auto* Other = dynamic_cast<TVidIvezadOrir*>(FSyncGrid->Grid()); Other && FSyncGrid->MoveRow())
        Other->MoveRow(FromIndex, ToIndex);
}

void TVidIvezadOrir::MoveRows(int FromIndex, int ToIndex, int Count) {
    if (FromIndex == ToIndex || Count == 0) return;
    std::vector<std::unique_ptr<TStringList>> Copies;
    const TGridCellStore& Store = CellStore();
    for (int r = FromIndex; r < FromIndex + Count; ++r) {
        auto L = std::make_unique<TStringList>();
        for (int c = 0; c < TotalColCount(); ++c) L->AddObject(Store.Text(c, r), Store.Object(c, r));
        Copies.push_back(std::move(L));
    }
    if (FromIndex + Count < ToIndex) ToIndex -= Count;
    RemoveRowsEx(FromIndex, Count);
    InsertRows(ToIndex, Count, true);
    for (int i = 0; i < Count; ++i) {
        const TStringList* L = Copies[static_cast<size_t>(i)].get();
        for (int c = 0; c < L->Count(); ++c) {
            CellStore().SetText(c, ToIndex + i, L->Strings(c));
            CellStore().SetObject(c, ToIndex + i, L->Objects(c));
        }
    }
    Invalidate();
}

void TVidIvezadOrir::SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell) {
    TGridCellStore& Store = CellStore();
    const String Text = Store.Text(FromCell.X, FromCell.Y);
    TObject* Obj = Store.Object(FromCell.X, FromCell.Y);
    Store.SetText(FromCell.X, FromCell.Y, Store.Text(ToCell.X, ToCell.Y));
    Store.SetObject(FromCell.X, FromCell.Y, Store.Object(ToCell.X, ToCell.Y));
    Store.SetText(ToCell.X, ToCell.Y, Text);
    Store.SetObject(ToCell.X, ToCell.Y, Obj);
}

// ---------------------------------------------------------------------------------------------
// Suppressed rows and columns

// The suppressed sizes of one axis: columns with their widths or rows with their heights.
struct TVidIvezadOrir::TSuppressAxis {
    TIntList* Stored;
    int Count;
    std::function<int(int)> Size;
    std::function<void(int, int)> SetSize;

    int stored(int Index) const { return Index < Stored->Count() ? Stored->GetInteger(Index) : 0; }
    void suppress(int Index) const {
        const int Current = Size(Index);
        if (Current <= 0) return;
        while (Stored->Count() <= Index) Stored->Add(0);
        Stored->SetInteger(Index, Current);
        SetSize(Index, 0);
    }
    void unSuppress(int Index) const { SetSize(Index, stored(Index)); }
    // Zero sizes with a stored one get it back; then every size is the stored one.
    void unSuppressAll() const {
        for (int i = 0; i < Count; ++i)
            if (stored(i) > 0 && Size(i) == 0) SetSize(i, stored(i));
        Stored->Clear();
        for (int i = 0; i < Count; ++i) Stored->Add(Size(i));
    }
};

TVidIvezadOrir::TSuppressAxis TVidIvezadOrir::suppressAxis(bool Columns) {
    if (Columns)
        return {FSuppressColSizes.get(), ColCount(), [this](int i) { return ColWidths(i); },
                [this](int i, int v) { SetColWidths(i, v); }};
    return {FSuppressRowSizes.get(), RowCount(), [this](int i) { return RowHeights(i); },
            [this](int i, int v) { SetRowHeights(i, v); }};
}

void TVidIvezadOrir::SuppressColumn(int ColIndex) { suppressAxis(true).suppress(ColIndex); }
bool TVidIvezadOrir::IsSuppressedColumn(int ColIndex) const { return ColWidths(ColIndex) == 0; }
void TVidIvezadOrir::UnSuppressColumn(int ColIndex) { suppressAxis(true).unSuppress(ColIndex); }
void TVidIvezadOrir::UnSuppressAllColumns() { suppressAxis(true).unSuppressAll(); }

void TVidIvezadOrir::SuppressRow(int RowIndex) { suppressAxis(false).suppress(RowIndex); }
bool TVidIvezadOrir::IsSuppressedRow(int RowIndex) const { return RowHeights(RowIndex) == 0; }
void TVidIvezadOrir::UnSuppressRow(int RowIndex) { suppressAxis(false).unSuppress(RowIndex); }
void TVidIvezadOrir::UnSuppressAllRows() { suppressAxis(false).unSuppressAll(); }
