// TVidIvezadOrir: hidden rows and columns and the maps between real and display indexes.
// Hidden columns stay in the cell store at their real positions (only their widths move aside);
// hidden rows leave the grid for the hidden-row store, each row a TGridItem holding its texts
// and cell objects. Row lists hide the rows of one narrow-down level at a time.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/Collection.h"

#include <algorithm>

namespace {

TGridItem* itemAt(const TCollection* Store, int Index) { return static_cast<TGridItem*>(Store->Items(Index)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Counts

int TVidIvezadOrir::NumHiddenColumns() const { return FState->HiddenColCount; }
int TVidIvezadOrir::TotalColCount() const { return ColCount() + FState->HiddenColCount; }
int TVidIvezadOrir::NumHiddenRows() const { return FGridItems->Count(); }
int TVidIvezadOrir::TotalRowCount() const { return RowCount() + NumHiddenRows(); }
bool TVidIvezadOrir::IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
TCollection* TVidIvezadOrir::GridItems() const { return FGridItems.get(); }
int TVidIvezadOrir::FilterLevel() const { return FState->FilterLevel; }
void TVidIvezadOrir::SetFilterLevel(int Value) { FState->FilterLevel = std::max(0, Value); }

// ---------------------------------------------------------------------------------------------
// Column map

int TVidIvezadOrir::DisplToRealCol(int ACol) const {
    if (ACol >= TotalColCount() || FState->HiddenColCount == 0 || ACol < 0) return ACol;
    const std::vector<bool>& Visible = FState->VisibleCol;
    int Shown = 0;
    for (int j = 0; j < static_cast<int>(Visible.size()); ++j) {
        if (!Visible[static_cast<size_t>(j)]) continue;
        if (Shown == ACol) return j;
        ++Shown;
    }
    return ACol;
}

int TVidIvezadOrir::RealToDisplCol(int ACol) const {
    if (ACol >= TotalColCount() || FState->HiddenColCount == 0 || ACol < 0) return ACol;
    const std::vector<bool>& Visible = FState->VisibleCol;
    int Hidden = 0;
    for (int j = 0; j < ACol && j < static_cast<int>(Visible.size()); ++j)
        if (!Visible[static_cast<size_t>(j)]) ++Hidden;
    return ACol - Hidden;
}

bool TVidIvezadOrir::IsColumnShown(int ACol) const {
    const std::vector<bool>& Visible = FState->VisibleCol;
    if (ACol < 0 || ACol >= static_cast<int>(Visible.size())) return true;
    return Visible[static_cast<size_t>(ACol)];
}

void TVidIvezadOrir::SetColumnShown(int ACol, bool Value) {
    std::vector<bool>& Visible = FState->VisibleCol;
    if (ACol < 0 || ACol >= static_cast<int>(Visible.size())) return;
    Visible[static_cast<size_t>(ACol)] = Value;
}

bool TVidIvezadOrir::IsHiddenColumn(int ColIndex) const {
    if (ColIndex < 0 || ColIndex >= TotalColCount()) return false;
    return !IsColumnShown(ColIndex);
}

// ---------------------------------------------------------------------------------------------
// Row map

void TVidIvezadOrir::BuildHiddenRowLookup() {
    if (FState->HiddenRowLookup) return;
    auto Lookup = std::make_unique<TIntList>(-1, -1);
    // Filled in one sort instead of one sorted insert per item: the same ascending list.
    std::vector<int> Idx;
    Idx.reserve(static_cast<size_t>(FGridItems->Count()));
    for (int i = 0; i < FGridItems->Count(); ++i) Idx.push_back(itemAt(FGridItems.get(), i)->Idx());
    std::sort(Idx.begin(), Idx.end());
    for (int V : Idx) Lookup->Add(V);
    FState->HiddenRowLookup = std::move(Lookup);
}

void TVidIvezadOrir::FreeHiddenRowLookup() { FState->HiddenRowLookup.reset(); }

// The shown row with ARow shown rows before it: a shown row's real index is its display index
// plus the hidden rows before it, found by bisecting the ascending lookup (hidden row k has
// Idx(k) - k shown rows before it).
int TVidIvezadOrir::DisplToRealRow(int ARow) {
    if (FGridItems->Count() == 0) return ARow;
    if (ARow < 0) return -1;
    BuildHiddenRowLookup();
    const TIntList& H = *FState->HiddenRowLookup;
    int Lo = 0, Hi = H.Count();
    while (Lo < Hi) {
        const int Mid = Lo + (Hi - Lo) / 2;
        if (H.GetInteger(Mid) - Mid <= ARow)
            Lo = Mid + 1;
        else
            Hi = Mid;
    }
    return ARow + Lo;
}

int TVidIvezadOrir::RealToDisplRow(int ARow) const {
    int Before = 0;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (itemAt(FGridItems.get(), i)->Idx() < ARow) ++Before;
    return ARow - Before;
}

bool TVidIvezadOrir::IsHiddenRow(int Rowindex) const { return hiddenItemOf(Rowindex) != nullptr; }

bool TVidIvezadOrir::IsHiddenRow(int Rowindex, TIntList*& ListHidden) const {
    if (!ListHidden) {
        ListHidden = new TIntList(-1, -1);
        for (int i = 0; i < FGridItems->Count(); ++i) ListHidden->Insert(itemAt(FGridItems.get(), i)->Idx());
    }
    return ListHidden->SortedIndexOf(Rowindex) != -1;
}

TGridItem* TVidIvezadOrir::hiddenItemOf(int Rowindex) const {
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (TGridItem* It = itemAt(FGridItems.get(), i); It->Idx() == Rowindex) return It;
    return nullptr;
}

TStrings* TVidIvezadOrir::HiddenRowCells(int j) const {
    TGridItem* It = hiddenItemOf(j);
    return It ? It->Items() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Rows in and out of the store

// A display row, all real columns (hidden ones included), into a store item.
void TVidIvezadOrir::copyRowToItem(int DisplRow, TGridItem* Item) {
    TStringList* L = Item->Items();
    L->Clear();
    const TGridCellStore& Store = CellStore();
    const int Cols = TotalColCount();
    for (int c = 0; c < Cols; ++c) L->AddObject(Store.Text(c, DisplRow), Store.Object(c, DisplRow));
    Item->SetHeight(RowHeights(DisplRow));
}

// An item's texts and objects become the display row's (the row's own are replaced, not freed).
void TVidIvezadOrir::copyItemToRow(const TGridItem* Item, int DisplRow) {
    TGridCellStore& Store = CellStore();
    const TStringList* L = Item->Items();
    const int Cols = std::max(TotalColCount(), L->Count());
    for (int c = 0; c < Cols; ++c) {
        Store.SetText(c, DisplRow, c < L->Count() ? L->Strings(c) : String());
        Store.SetObject(c, DisplRow, c < L->Count() ? L->Objects(c) : nullptr);
    }
    SetRowHeights(DisplRow, Item->Height());
}

// ---------------------------------------------------------------------------------------------
// Columns

void TVidIvezadOrir::HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
void TVidIvezadOrir::UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
void TVidIvezadOrir::UnHideColumnsAll() { UnHideColumns(0, TotalColCount() - 1); }

void TVidIvezadOrir::HideColumns(int FromCol, int ToCol) {
    HideInplaceEdit();
    // Columns below 0 have no entry to hide.
    for (int c = std::max(0, FromCol); c <= ToCol; ++c) {
        if (!IsColumnShown(c) || c >= ColCount() + FState->HiddenColCount || ColCount() <= 1) continue;
        const int d = RealToDisplCol(c);
        FState->AllColWidths[static_cast<size_t>(c)] = ColWidths(d);
        for (int i = d; i <= ColCount() - 2; ++i) SetColWidths(i, ColWidths(i + 1));
        ++FState->HiddenColCount;
        SetColumnShown(c, false);
        if (Col() == ColCount() - 1) SetCol(Col() - 1);
        if (IsSelectionHidden()) {
            UnHideSelection();
            SetColCount(ColCount() - 1);
            HideSelection();
        } else {
            SetColCount(ColCount() - 1);
        }
    }
    Invalidate();
}

void TVidIvezadOrir::UnHideColumns(int FromCol, int ToCol) {
    HideInplaceEdit();
    for (int c = std::max(0, FromCol); c <= ToCol; ++c) {
        if (IsColumnShown(c)) continue;
        --FState->HiddenColCount;
        SetColumnShown(c, true);
        SetColCount(ColCount() + 1);
        // The shown columns from the column's own display place on move one right to make room;
        // starting one place further on would copy the last width over the one before it.
        const int d = RealToDisplCol(c);
        for (int i = ColCount() - 1; i >= d + 1; --i) SetColWidths(i, ColWidths(i - 1));
        SetColWidths(d, FState->AllColWidths[static_cast<size_t>(c)]);
    }
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Rows by index

void TVidIvezadOrir::HideRow(int Rowindex) { HideRows(Rowindex, Rowindex); }

void TVidIvezadOrir::HideRows(int FromRow, int ToRow) {
    FreeHiddenRowLookup();
    if (ToRow < FromRow) return;
    int Before = 0;
    std::vector<int> Already;
    for (int i = 0; i < FGridItems->Count(); ++i) {
        const int Idx = itemAt(FGridItems.get(), i)->Idx();
        if (Idx < FromRow)
            ++Before;
        else if (Idx <= ToRow)
            Already.push_back(Idx);
    }
    std::sort(Already.begin(), Already.end());
    const int Count = ToRow - FromRow + 1;
    if (static_cast<int>(Already.size()) >= Count) return;
    const TFlagScope Blocking(FState->BlockCellChanging);
    const int d = FromRow - Before;
    int StorePos = Before;
    int Taken = 0;
    size_t NextHidden = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (NextHidden < Already.size() && Already[NextHidden] == r) {
            ++NextHidden;
            ++StorePos;  // that row's own item stays where it is
            continue;
        }
        auto* Item = static_cast<TGridItem*>(FGridItems->Insert(StorePos++));
        copyRowToItem(d + Taken, Item);
        Item->SetIdx(r);
        ++Taken;
    }
    if (TControl* C = GetCellControls(1, d)) C->SetVisible(false);
    // The rows leave with their cell objects, which the items now hold.
    removeGridRows(d, Taken, false);
    CellControlsUpdate(false);
}

void TVidIvezadOrir::HideRowsEx(int FromRow, int ToRow) {
    if (hiddenItemOf(FromRow) || ToRow < FromRow) return;
    int Before = 0;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (itemAt(FGridItems.get(), i)->Idx() < FromRow) ++Before;
    const int d = FromRow - Before;
    int StorePos = Before;
    for (int r = FromRow; r <= ToRow; ++r) {
        auto* Item = static_cast<TGridItem*>(FGridItems->Insert(StorePos++));
        copyRowToItem(d + (r - FromRow), Item);
        Item->SetIdx(r);
    }
    // The items hold the rows' objects: the grid must not free them with the rows.
    for (int r = d; r <= d + (ToRow - FromRow); ++r)
        for (int c = 0; c < TotalColCount(); ++c) CellStore().SetObject(c, r, nullptr);
    RemoveRowsEx(d, ToRow - FromRow + 1);
    FreeHiddenRowLookup();
    CellControlsUpdate(false);
}

void TVidIvezadOrir::UnHideRow(int Rowindex) {
    const bool SavedModified = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    if (TGridItem* Item = hiddenItemOf(Rowindex)) {
        const int p = RealToDisplRow(Rowindex);
        InsertRowRange(p, 1, false);
        copyItemToRow(Item, p);
        Item->Free();
        FreeHiddenRowLookup();
    }
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* CI = FControlList->GetControl(i);
        if (CI->Y() == Rowindex && CI->Control()) CI->Control()->SetVisible(true);
    }
    FShowModified->SetEnabled(SavedModified);
    CellControlsUpdate(false);
}

void TVidIvezadOrir::UnHideRows(int FromRow, int ToRow) {
    const bool SavedCcu = FState->CellControlsUpdating;
    FState->CellControlsUpdating = false;
    FreeHiddenRowLookup();
    const bool SavedModified = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    if (hiddenItemOf(FromRow)) {
        for (int r = FromRow; r <= ToRow; ++r) {
            TGridItem* Item = hiddenItemOf(r);
            if (!Item) continue;
            const int p = RealToDisplRow(r);
            InsertRowRange(p, 1, false);
            copyItemToRow(Item, p);
            Item->Free();
            if (r == FromRow) {
                if (TControl* C = GetCellControls(1, p)) {
                    const TRect R = CellRect(1, p);
                    C->SetBounds(R.Left, R.Top, R.Width(), R.Height() - 1);
                    C->SetVisible(true);
                }
            }
        }
        FreeHiddenRowLookup();
    }
    FShowModified->SetEnabled(SavedModified);
    FState->CellControlsUpdating = SavedCcu;
    CellControlsUpdate(false);
}

// Runs of consecutive Idx are shown together; each call takes its run's items out of the store.
void TVidIvezadOrir::UnHideRowsAll() {
    while (FGridItems->Count() > 0) {
        const int First = itemAt(FGridItems.get(), 0)->Idx();
        int Last = First;
        for (int i = 1; i < FGridItems->Count() && itemAt(FGridItems.get(), i)->Idx() == Last + 1; ++i) ++Last;
        const int Before = FGridItems->Count();
        UnHideRows(First, Last);
        // A store that is not in ascending order (row-list items) still empties.
        if (FGridItems->Count() == Before) UnHideRow(First);
        if (FGridItems->Count() == Before) itemAt(FGridItems.get(), 0)->Free();
    }
    FreeHiddenRowLookup();
}

// ---------------------------------------------------------------------------------------------
// Row lists: the levels of narrow-down filtering

void TVidIvezadOrir::HideRowList(TIntList* RowList) {
    if (!RowList || RowList->Count() == 0) return;
    // At least one row stays.
    if (RowList->Count() == RowCount()) RowList->Delete(0);
    std::vector<int> Rows;
    Rows.reserve(static_cast<size_t>(RowList->Count()));
    for (int i = 0; i < RowList->Count(); ++i) Rows.push_back(RowList->GetInteger(i));
    FGridItems->BeginUpdate();
    for (int r : Rows) {
        auto* Item = static_cast<TGridItem*>(FGridItems->Add());
        copyRowToItem(r, Item);
        Item->SetIdx(r);
        Item->SetLevel(FState->FilterLevel);
    }
    FGridItems->EndUpdate();
    ++FState->FilterLevel;
    // One compaction pass over the grid; the objects went to the items.
    DeleteGridRowList(Rows);
    afterRowCountChanged();
    FreeHiddenRowLookup();
    CellControlsUpdate(false);
}

void TVidIvezadOrir::UnHideRowList() {
    const bool FooterShown = FFloatingFooter->Visible();
    const int OldCount = RowCount();
    const int Level = FState->FilterLevel;
    int k = 0;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (itemAt(FGridItems.get(), i)->Level() + 1 == Level) ++k;
    // Without a level there is nothing of a level to show.
    if (Level == 0) return;
    if (Row() >= RowCount()) FocusCell(FixedCols(), FixedRows(), true);
    {
        const TFlagScope Blocking(FState->BlockFilterUpdate);
        InsertGridRows(RowCount(), k);
    }
    // Merge from the bottom: each target row takes the level's item that belongs there, else
    // the next shown row from above.
    const int Foot = FooterShown ? 1 : 0;
    int s = OldCount - 1 - Foot;
    int i = FGridItems->Count() - 1;
    for (int t = RowCount() - 1 - Foot; t >= 0; --t) {
        while (i >= 0 && itemAt(FGridItems.get(), i)->Level() < Level - 1) --i;
        if (i >= 0 && itemAt(FGridItems.get(), i)->Idx() == t) {
            copyItemToRow(itemAt(FGridItems.get(), i), t);
            --i;
        } else if (s >= 0 && s < t) {
            CellStore().ExchangeRows(s, t);
            const int H = RowHeights(s);
            SetRowHeights(s, RowHeights(t));
            SetRowHeights(t, H);
            --s;
        } else if (s == t) {
            --s;
        }
    }
    if (FooterShown && OldCount - 1 != RowCount() - 1) {
        CellStore().ExchangeRows(OldCount - 1, RowCount() - 1);
    }
    if (Level < 2) {
        FGridItems->Clear();
    } else {
        for (int j = FGridItems->Count() - 1; j >= 0; --j)
            if (itemAt(FGridItems.get(), j)->Level() + 1 == Level) itemAt(FGridItems.get(), j)->Free();
    }
    afterRowCountChanged();
    FreeHiddenRowLookup();
    CellControlsUpdate(false);
}

// ---------------------------------------------------------------------------------------------
// The parked selection

void TVidIvezadOrir::HideSelection() {
    FState->OldSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FState->SelHidden = true;
}

bool TVidIvezadOrir::IsSelectionHidden() const {
    const TGridRect S = Selection();
    return S.Left == ColCount() && S.Top == RowCount() && S.Right == ColCount();
}

void TVidIvezadOrir::UnHideSelection() {
    FState->SelHidden = false;
    const TGridRect Old = FState->OldSelection;
    if (Old.Top < RowCount() && Old.Left < ColCount()) {
        SetSelection(Old);
        return;
    }
    const int R = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    const int C = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    SetSelection(TGridRect{C, R, C, R});
}

void TVidIvezadOrir::UpdateEditMode() { SelectCell(Col(), Row()); }
