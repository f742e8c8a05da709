#include "framework/rtl/Collection.h"

#include <algorithm>

namespace {

[[noreturn]] void raiseIndexError(int Index) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

}  // namespace

// --- TCollectionItem -------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

// Leaves the collection while the whole object still exists, so Notify sees the real item.
void TCollectionItem::BeforeDestruction() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    if (FCollection) FCollection->removeItem(this);
    if (Value) Value->insertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& L = FCollection->FItems;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TCollectionItem::SetIndex(int Value) {
    const int Cur = Index();
    if (Cur < 0 || Cur == Value) return;
    auto& L = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<int>(L.size())) raiseIndexError(Value);
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
    Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) { Changed(false); }

String TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

// --- TCollection -----------------------------------------------------------------------------

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection() { freeAll(); }

void TCollection::BeforeDestruction() { freeAll(); }

// Held in an update for good: freeing the items while the collection goes tells Notify but never Update.
void TCollection::freeAll() {
    if (!FDestroying) {
        FDestroying = true;
        FUpdateCount = 1;
    }
    Clear();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) raiseIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::Add() {
    if (!FItemClass) throw EInvalidOperation(QStringLiteral("Collection has no item class"));
    // The item inserts itself from its base constructor, before its own class is built: hold
    // Notify and Update back until the factory has returned the finished item.
    FBuildingItem = true;
    TCollectionItem* Item = nullptr;
    try {
        Item = FItemClass(this);
    } catch (...) {
        FBuildingItem = false;
        throw;
    }
    FBuildingItem = false;
    if (!Item) throw EInvalidOperation(QStringLiteral("Collection item class made no item"));
    if (Item->FCollection != this) {
        Item->SetCollection(this);
    } else {
        Notify(Item, cnAdded);
        Changed();
    }
    return Item;
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) raiseIndexError(Index);
    BeginUpdate();
    TCollectionItem* Item = nullptr;
    try {
        Item = Add();
        Item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return Item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* Item = Items(Index);
    Notify(Item, cnDeleting);
    Item->Free();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) Delete(Count() - 1);
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* Item : FItems)
        if (Item->FID == ID) return Item;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TCollection*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* Item : Other->FItems) Add()->Assign(Item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TCollection::GetNamePath() const {
    TPersistent* O = GetOwner();
    return O ? O->GetNamePath() + QLatin1Char('.') + ClassName() : ClassName();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    --FUpdateCount;
    Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::insertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    if (FBuildingItem) return;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::removeItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It != FItems.end()) FItems.erase(It);
    Item->FCollection = nullptr;
    Changed();
}
