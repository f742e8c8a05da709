// TVidIvezadOrir: the row and column workers the rest of the grid builds on (rows inserted and
// removed with their cells, heights, controls and per-row lists; cells cleared) and the placing
// of controls registered in cells.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Collection.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Inserting rows

void TVidIvezadOrir::InsertRows(int RowIndex, int RCount, bool UpdateCellControls) {
    InsertRowRange(RowIndex, RCount, UpdateCellControls);
}

void TVidIvezadOrir::InsertRowRange(int Row, int Count, bool UpdateControls) {
    if (Count <= 0) return;
    const int Left = LeftCol();
    // A floating footer row stays the last row.
    const int At = std::clamp(Row, 0, FFloatingFooter->Visible() ? RowCount() - 1 : RowCount());
    InsertGridRows(At, Count);
    afterRowCountChanged();
    if (FNavigation->KeepHorizScroll()) SetLeftCol(Left);
    if (FShowModified->Enabled())
        for (int i = 0; i < Count; ++i)
            if (At <= FModifiedRows->Count()) FModifiedRows->Insert(At, 0);
    if (FEnabledRows->Count() > 0)
        for (int i = 0; i < Count; ++i)
            if (At <= FEnabledRows->Count()) FEnabledRows->Insert(At, 0);
    if (UpdateControls) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* CI = FControlList->GetControl(i);
            if (CI->Y() >= At) CI->SetY(CI->Y() + Count);
        }
        CellControlsUpdate(false);
    }
}

void TVidIvezadOrir::AddRow() { SetRowCount(RowCount() + 1); }

// ---------------------------------------------------------------------------------------------
// Removing rows

void TVidIvezadOrir::RemoveRows(int RowIndex, int RCount) { RemoveRowRange(RowIndex, RCount, true); }

void TVidIvezadOrir::RemoveRowRange(int Row, int Count, bool RemoveControls) {
    if (Row >= RowCount() || Row < 0 || Count <= 0) return;
    Count = std::min(Count, RowCount() - Row);
    if (RemoveControls) {
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            TControlItem* CI = FControlList->GetControl(i);
            if (CI->Y() < Row || CI->Y() >= Row + Count) continue;
            if (CI->Control()) CI->Control()->SetVisible(false);
            FControlList->RemoveControl(i);
            FState->CellControlCount = std::max(0, FState->CellControlCount - 1);
        }
        // Hidden rows after the removed range move up with the rows around them.
        if (FGridItems->Count() > 0) {
            const int RealLast = DisplToRealRow(Row + Count - 1);
            for (int i = 0; i < FGridItems->Count(); ++i) {
                auto* It = static_cast<TGridItem*>(FGridItems->Items(i));
                if (It->Idx() > RealLast) It->SetIdx(It->Idx() - Count);
            }
            FreeHiddenRowLookup();
        }
    }
    removeGridRows(Row, Count, true);
}

// The rows leave the grid; their cell properties are freed with them when FreeProperties.
void TVidIvezadOrir::removeGridRows(int Row, int Count, bool FreeProperties) {
    if (Count <= 0 || Row < 0 || Row >= RowCount()) return;
    Count = std::min(Count, RowCount() - Row);
    const int Current = this->Row();
    if (FreeProperties) FreeCellProperties(0, Row, TotalColCount() - 1, Row + Count - 1);
    // One row stays: the count never drops below 1.
    if (Count >= RowCount()) {
        for (int c = 0; c < TotalColCount(); ++c) {
            CellStore().SetText(c, 0, String());
            CellStore().SetObject(c, 0, nullptr);
        }
        DeleteGridRows(1, RowCount() - 1);
    } else {
        DeleteGridRows(Row, Count);
    }
    afterRowCountChanged();
    // The current row is kept when it still exists.
    if (Current < RowCount() && Current >= FixedRows() && Current != this->Row()) FocusCell(Col(), Current, true);
}

void TVidIvezadOrir::RemoveRowsEx(int RowIndex, int RCount) {
    if (RowIndex < 0 || RCount <= 0 || RowIndex >= RowCount()) return;
    removeGridRows(RowIndex, RCount, false);
}

// ---------------------------------------------------------------------------------------------
// Clearing and columns

void TVidIvezadOrir::ClearRows(int RowIndex, int RCount) {
    for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
        for (int c = 0; c < TotalColCount(); ++c) SetGridCell(c, r, String());
    Invalidate();
}

void TVidIvezadOrir::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    for (int r = std::max(0, ARow1); r <= ARow2; ++r) {
        for (int c = std::max(0, ACol1); c <= ACol2; ++c) {
            if (!FClearTextOnly) {
                if (TCellProperties* P = cellProps(c, r)) {
                    if (TObject* G = P->GraphicObject(); G && G->ClassName() == QLatin1String("TCellGraphic"))
                        G->Free();
                    if (FOwnsObjects)
                        if (auto* O = reinterpret_cast<TObject*>(P->CellObject())) O->Free();
                    P->Free();
                    CellStore().SetObject(c, r, nullptr);
                }
            }
            SetGridCell(c, r, String());
        }
    }
    Invalidate();
}

void TVidIvezadOrir::InsertCols(int ColIndex, int CCount) {
    if (CCount <= 0) return;
    const int At = std::clamp(ColIndex, 0, ColCount());
    CellStore().InsertCols(DisplToRealCol(At), CCount);
    SetColCount(ColCount() + CCount);
    for (int c = ColCount() - 1; c >= At + CCount; --c) SetColWidths(c, ColWidths(c - CCount));
    for (int c = At; c < At + CCount; ++c) SetColWidths(c, DefaultColWidth());
}

void TVidIvezadOrir::RemoveCols(int ColIndex, int CCount) {
    if (CCount <= 0 || ColIndex < 0 || ColIndex >= ColCount()) return;
    CCount = std::min(CCount, ColCount() - 1);
    const int Real = DisplToRealCol(ColIndex);
    FreeCellProperties(Real, 0, Real + CCount - 1, TotalRowCount() - 1);
    for (int c = ColIndex; c + CCount < ColCount(); ++c) SetColWidths(c, ColWidths(c + CCount));
    CellStore().DeleteCols(Real, CCount);
    SetColCount(ColCount() - CCount);
}

// ---------------------------------------------------------------------------------------------
// Controls placed in cells

void TVidIvezadOrir::CellControlsUpdate(bool RebuildList) {
    if (!HandleAllocated() || !FState->CellControlsUpdating) return;
    if (RebuildList) {
        while (FControlList->Count() > 0) FControlList->RemoveControl(0);
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < TotalColCount(); ++c)
                if (TControl* C = GetCellControls(c, r)) FControlList->AddControl(c, DisplToRealRow(r), C);
    }
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* CI = FControlList->GetControl(i);
        TControl* C = CI->Control();
        if (!C) continue;
        const int DisplRow = RealToDisplRow(CI->Y());
        const bool Shown = !IsHiddenRow(CI->Y()) && IsColumnShown(CI->X());
        const TRect R = CellRect(RealToDisplCol(CI->X()), DisplRow);
        if (!Shown || R.IsEmpty()) {
            C->SetVisible(false);
            continue;
        }
        C->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
        C->SetVisible(true);
    }
}
