#include "framework/rtl/List.h"

#include <algorithm>

TList::~TList() { Clear(); }

void TList::Error(const char* Pattern, int Value) { throw EListError(QString::fromLatin1(Pattern).arg(Value)); }

void TList::checkIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%1)", Index);
}

void TList::grow() {
    // The platform's growth steps, so Capacity reads the same numbers.
    const int Delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
    SetCapacity(FCapacity + Delta);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < Count()) Error("List capacity out of bounds (%1)", NewCapacity);
    FCapacity = NewCapacity;
    FList.reserve(static_cast<size_t>(NewCapacity));
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) Error("List count out of bounds (%1)", NewCount);
    if (NewCount > FCapacity) SetCapacity(NewCount);
    if (NewCount > Count())
        FList.resize(static_cast<size_t>(NewCount), nullptr);
    else
        for (int I = Count() - 1; I >= NewCount; --I) Delete(I);
}

void* TList::Items(int Index) const {
    checkIndex(Index);
    return FList[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
    checkIndex(Index);
    void*& Slot = FList[static_cast<size_t>(Index)];
    if (Slot == Item) return;
    void* Old = Slot;
    Slot = Item;
    if (Old) Notify(Old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

int TList::Add(void* Item) {
    const int Index = Count();
    Insert(Index, Item);
    return Index;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > Count()) Error("List index out of bounds (%1)", Index);
    if (Count() == FCapacity) grow();
    FList.insert(FList.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
    checkIndex(Index);
    void* Item = FList[static_cast<size_t>(Index)];
    FList.erase(FList.begin() + Index);
    if (Item) Notify(Item, lnDeleted);
}

int TList::Remove(void* Item) {
    const int Index = IndexOf(Item);
    if (Index >= 0) Delete(Index);
    return Index;
}

void* TList::Extract(void* Item) {
    const int Index = IndexOf(Item);
    if (Index < 0) return nullptr;
    void* Result = FList[static_cast<size_t>(Index)];
    FList.erase(FList.begin() + Index);
    Notify(Result, lnExtracted);
    return Result;
}

int TList::IndexOf(void* Item) const {
    auto It = std::find(FList.begin(), FList.end(), Item);
    return It == FList.end() ? -1 : static_cast<int>(It - FList.begin());
}

void TList::Clear() {
    // Last first, so a Notify that looks at the list sees it consistent.
    while (!FList.empty()) Delete(Count() - 1);
    FCapacity = 0;
    FList.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2) {
    checkIndex(Index1);
    checkIndex(Index2);
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    void* Item = FList[static_cast<size_t>(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, Item);
}

void TList::Sort(const TListSortCompare& Compare) {
    std::stable_sort(FList.begin(), FList.end(), [&Compare](void* A, void* B) { return Compare(A, B) < 0; });
}

void TList::Pack() {
    for (int I = Count() - 1; I >= 0; --I)
        if (!FList[static_cast<size_t>(I)]) FList.erase(FList.begin() + I);
}

TList* TList::Expand() {
    if (Count() == FCapacity) grow();
    return this;
}
