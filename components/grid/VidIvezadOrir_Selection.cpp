// Disjunct row and column selection by code.
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
