// Disjunct row and column selection by code, range and focus, modified and disabled rows.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridSettings.h"

#include <algorithm>
#include <cstdint>

namespace {

void* const Selected = reinterpret_cast<void*>(std::intptr_t{1});

void growTo(TList* List, int Count) {
    while (List->Count() < Count) List->Add(nullptr);
}

}  // namespace

TVidIvezadOrir& TVidIvezadOrirSelection::grid() { return static_cast<TVidIvezadOrir&>(*this); }

bool TVidIvezadOrirSelection::GetRowSelect(int ARow) {
    TVidIvezadOrir& g = grid();
    const int AllRows = g.RowCount() + g.NumHiddenRows();
    // A negative row is never a row, persistent selection or not.
    if (ARow < 0 || (ARow >= AllRows && !g.MouseActions()->RowSelectPersistent()))
        throw EZirOdadError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    TList* List = g.FRowSelect.get();
    if (g.MouseActions()->DisjunctRowSelect()) {
        if (List->Count() < ARow + 1) growTo(List, std::max(g.RowCount(), ARow + 1));
        return List->Items(ARow) != nullptr;
    }
    const TGridRect S = g.Selection();
    return ARow >= std::min(S.Top, S.Bottom) && ARow <= std::max(S.Top, S.Bottom);
}

void TVidIvezadOrirSelection::SetRowSelect(int ARow, bool Value) {
    TVidIvezadOrir& g = grid();
    FRowSelMod = false;
    if (ARow < 0 || (ARow >= g.RowCount() + g.NumHiddenRows() && g.FixedRows() < g.RowCount()))
        throw EZirOdadError(QStringLiteral("Invalid row accessed"));
    TList* List = g.FRowSelect.get();
    const bool WasSet = ARow < List->Count() && List->Items(ARow) != nullptr;
    const bool Changed = ARow >= List->Count() || WasSet != Value;
    if (Changed && OnRowDisjunctSelect) {
        bool Allow = true;
        FireEvent(OnRowDisjunctSelect, &g, ARow, Value, Allow);
        if (!Allow) return;
    }
    growTo(List, ARow + 1);
    TIntList* Order = g.FSelectedRows.get();
    bool Report = false;
    if (Value) {
        if (!WasSet) g.RepaintRow(ARow);
        FRowSelMod = !WasSet;
        List->SetItems(ARow, Selected);
        if (!Order->HasValue(ARow) && ARow >= g.FixedRows()) {
            Order->Add(ARow);
            Report = true;
        }
    } else {
        if (WasSet) g.RepaintRow(ARow);
        FRowSelMod = WasSet;
        List->SetItems(ARow, nullptr);
        Order->DeleteValue(ARow);
        Report = true;
    }
    if (Report && ARow == g.Row() && g.MouseActions()->DisjunctRowSelect() && !g.FState->BlockCellChanging &&
        OnSelectionChanged)
        FireEvent(OnSelectionChanged, &g, 0, ARow, g.ColCount() - 1, ARow);
    if (Changed && OnRowDisjunctSelected) FireEvent(OnRowDisjunctSelected, &g, ARow);
}

int TVidIvezadOrirSelection::RowSelectCount() {
    TVidIvezadOrir& g = grid();
    if (g.MouseActions()->DisjunctRowSelect()) {
        const TList* List = g.FRowSelect.get();
        const int n = std::min(g.RowCount() + g.NumHiddenRows(), List->Count());
        int Count = 0;
        for (int i = 0; i < n; ++i)
            if (List->Items(i)) ++Count;
        return Count;
    }
    if (g.Options().Contains(goRowSelect)) {
        const TGridRect S = g.Selection();
        return std::abs(S.Bottom - S.Top) + 1;
    }
    return 0;
}

TIntList* TVidIvezadOrirSelection::SelectedRows() { return grid().FSelectedRows.get(); }

void TVidIvezadOrirSelection::SelectRows(int RowIndex, int RCount) {
    TVidIvezadOrir& g = grid();
    RCount = std::min(RCount, g.RowCount() - RowIndex);
    if (!g.MouseActions()->DisjunctRowSelect()) {
        g.SetSelection(TGridRect{g.FixedCols(), RowIndex, g.ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int rr = g.MouseActions()->RowSelectPersistent() ? g.DisplToRealRow(r) : r;
            if (rr < g.RowCount()) SetRowSelect(rr, true);
        }
    }
    if (!g.RowIndicator()->Empty()) g.RepaintCol(0);
    FSelChange = false;
}

void TVidIvezadOrirSelection::UnSelectRows(int RowIndex, int RCount) {
    TVidIvezadOrir& g = grid();
    if (g.MouseActions()->DisjunctRowSelect()) {
        RCount = std::min(RCount, g.RowCount() - RowIndex);
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int rr = g.MouseActions()->RowSelectPersistent() ? g.DisplToRealRow(r) : r;
            if (rr < g.RowCount()) SetRowSelect(rr, false);
        }
    }
    FSelChange = false;
}

void TVidIvezadOrirSelection::ClearDisjunctRowSelect() {
    TVidIvezadOrir& g = grid();
    TList* List = g.FRowSelect.get();
    for (int i = 0; i < List->Count(); ++i) {
        if (!List->Items(i)) continue;
        g.RepaintRow(i);
        List->SetItems(i, nullptr);
        if (OnRowDisjunctSelected) FireEvent(OnRowDisjunctSelected, &g, i);
    }
    if (List->Count() > 0) g.FSelectedRows->Clear();
}

void TVidIvezadOrirSelection::ClearRowSelect() {
    ClearDisjunctRowSelect();
    if (!grid().MouseActions()->DisjunctRowSelect()) grid().HideSelection();
}

bool TVidIvezadOrirSelection::SelectionToRowSelect(bool All) {
    TVidIvezadOrir& g = grid();
    const TGridRect S = g.Selection();
    if (S.Top == FDisSelection.Top) return false;
    const int Top = S.Top;
    const int Bottom = std::min(S.Bottom, g.RowCount() - g.FixedFooters() - 1);
    bool Result = false;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        const bool Inside = r >= Top && r <= Bottom;
        if (!Inside && !All) continue;
        const int rr = g.MouseActions()->RowSelectPersistent() ? g.DisplToRealRow(r) : r;
        SetRowSelect(rr, Inside);
        Result = Result || FRowSelMod;
    }
    if (g.NumHiddenRows() > 0) g.Invalidate();
    FDisSelection = S;
    return Result;
}

bool TVidIvezadOrirSelection::GetColSelect(int ACol) {
    TVidIvezadOrir& g = grid();
    if (ACol < 0 || ACol >= g.ColCount() + g.NumHiddenColumns())
        throw EZirOdadError(QStringLiteral("Invalid column accessed"));
    TList* List = g.FColSelect.get();
    growTo(List, ACol + 1);
    return List->Items(ACol) != nullptr;
}

void TVidIvezadOrirSelection::SetColSelect(int ACol, bool Value) {
    TVidIvezadOrir& g = grid();
    if (ACol < 0 || ACol >= g.ColCount()) throw EZirOdadError(QStringLiteral("Invalid column accessed"));
    TList* List = g.FColSelect.get();
    const bool WasSet = ACol < List->Count() && List->Items(ACol) != nullptr;
    const bool Changed = ACol >= List->Count() || WasSet != Value;
    if (Changed && OnColDisjunctSelect) {
        bool Allow = true;
        FireEvent(OnColDisjunctSelect, &g, ACol, Value, Allow);
        if (!Allow) return;
    }
    growTo(List, ACol + 1);
    if (WasSet != Value) g.RepaintCol(ACol);
    List->SetItems(ACol, Value ? Selected : nullptr);
    if (Changed && OnColDisjunctSelected) FireEvent(OnColDisjunctSelected, &g, ACol);
}

int TVidIvezadOrirSelection::ColSelectCount() {
    TVidIvezadOrir& g = grid();
    if (!g.MouseActions()->DisjunctColSelect()) return g.Selection().Right - g.Selection().Left + 1;
    int Count = 0;
    for (void* Entry : g.FColSelect->List())
        if (Entry) ++Count;
    return Count;
}

void TVidIvezadOrirSelection::SelectCols(int ColIndex, int CCount) {
    TVidIvezadOrir& g = grid();
    if (!g.MouseActions()->DisjunctColSelect()) {
        g.SetSelection(TGridRect{ColIndex, g.FixedRows(), ColIndex + CCount - 1, g.RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount && c < g.ColCount(); ++c) SetColSelect(c, true);
}

void TVidIvezadOrirSelection::UnSelectCols(int ColIndex, int CCount) {
    TVidIvezadOrir& g = grid();
    if (!g.MouseActions()->DisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount && c < g.ColCount(); ++c) SetColSelect(c, false);
}

void TVidIvezadOrirSelection::ClearColSelect() {
    TVidIvezadOrir& g = grid();
    TList* List = g.FColSelect.get();
    for (int i = 0; i < List->Count(); ++i) {
        if (!List->Items(i)) continue;
        g.RepaintCol(i);
        List->SetItems(i, nullptr);
        if (OnColDisjunctSelected) FireEvent(OnColDisjunctSelected, &g, i);
    }
}

void TVidIvezadOrirSelection::SelectionToColSelect(bool All) {
    TVidIvezadOrir& g = grid();
    const TGridRect S = g.Selection();
    for (int c = g.FixedCols(); c < g.ColCount(); ++c) {
        const bool Inside = c >= S.Left && c <= S.Right;
        if (Inside || All) SetColSelect(c, Inside);
    }
}

void TVidIvezadOrirSelection::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
    TVidIvezadOrir& g = grid();
    g.SetRow(ToRow);
    g.SetCol(ToCol);
    g.SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TVidIvezadOrirSelection::GotoCell(int ACol, int ARow) {
    grid().SetRowEx(ARow);
    grid().SetCol(ACol);
}

void TVidIvezadOrirSelection::EditCell(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (g.CanFocus()) g.SetFocus();
    GotoCell(ACol, ARow);
    g.ShowInplaceEdit();
}

void TVidIvezadOrirSelection::FocusCell(int ACol, int ARow) { grid().SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TVidIvezadOrirSelection::FocusCellMove(int ACol, int ARow) { grid().MoveColRow(ACol, ARow, true, true); }

int TVidIvezadOrirSelection::ModifiedRowCount() {
    const TIntList* List = grid().FModifiedRows.get();
    int Count = 0;
    for (int i = 0; i < List->Count(); ++i)
        if (List->GetInteger(i) == 1) ++Count;
    return Count;
}

bool TVidIvezadOrirSelection::GetRowModified(int ARow) {
    const TIntList* List = grid().FModifiedRows.get();
    return ARow >= 0 && ARow < List->Count() && List->GetInteger(ARow) == 1;
}

void TVidIvezadOrirSelection::SetRowModified(int ARow, bool Value) {
    TVidIvezadOrir& g = grid();
    if (ARow < 0 || ARow >= g.TotalRowCount()) return;
    TIntList* List = g.FModifiedRows.get();
    while (List->Count() < ARow + 1) List->Insert(List->Count(), 0);
    List->SetInteger(ARow, Value ? 1 : 0);
    g.RepaintCell(0, g.RealToDisplRow(ARow));
}

bool TVidIvezadOrirSelection::GetRowEnabled(int ARow) {
    const TIntList* List = grid().FEnabledRows.get();
    return ARow < 0 || ARow >= List->Count() || List->GetInteger(ARow) == 0;
}

void TVidIvezadOrirSelection::SetRowEnabled(int ARow, bool Value) {
    TVidIvezadOrir& g = grid();
    if (ARow < 0 || ARow >= g.RowCount()) return;
    // Only a row being disabled sends the current row elsewhere.
    if (ARow == g.Row() && !Value) {
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            if (r != ARow && GetRowEnabled(r)) {
                g.SetRow(r);
                break;
            }
    }
    TIntList* List = g.FEnabledRows.get();
    while (List->Count() < ARow + 1) List->Insert(List->Count(), 0);
    List->SetInteger(ARow, Value ? 0 : 1);
    g.RepaintRow(ARow);
}
