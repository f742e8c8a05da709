// TCollection and TCollectionItem: an owned list of items of one class that tells its owner of changes.
#pragma once

#include "framework/rtl/Component.h"

#include <functional>
#include <vector>

class TCollection;
class TCollectionItem;

// Makes a new item inside the given collection (the item's constructor inserts it).
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

template <class T>
TCollectionItemClass CollectionItemClass() {
    return [](TCollection* Collection) -> TCollectionItem* { return new T(Collection); };
}

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Inserts the item into Collection when one is given. Create items through the collection's
    // Add or Insert: an item built directly is announced to Notify before its own class exists.
    explicit TCollectionItem(TCollection* Collection);
    // Freeing an item takes it out of its collection.
    ~TCollectionItem() override;
    void BeforeDestruction() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any, with nullptr).
    void SetCollection(TCollection* Value);
    int Index() const;
    // Moves the item inside its collection; raises EListError for a bad index.
    virtual void SetIndex(int Value);
    // Unique inside its collection, never reused.
    int ID() const { return FID; }
    String DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const String& Value);
    String GetNamePath() const override;

protected:
    virtual String GetDisplayName() const;
    // Tells the collection: Update(this), or Update(nullptr) when AllItems; nothing during an update.
    void Changed(bool AllItems);
    TPersistent* GetOwner() const override;

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    ~TCollection() override;
    void BeforeDestruction() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError "List index out of bounds (%d)".
    TCollectionItem* Items(int Index) const;
    // Assigns Value to the item at Index.
    void SetItems(int Index, TCollectionItem* Value);
    const TCollectionItemClass& ItemClass() const { return FItemClass; }
    TPersistent* Owner() const { return GetOwner(); }

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    // Notifies cnDeleting, then frees the item (which notifies cnExtracting as it leaves).
    void Delete(int Index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    // Copies another collection item by item through the items' Assign; other classes raise.
    void Assign(TPersistent* Source) override;
    String GetNamePath() const override;

    // Update is held back during an update and called once, with nullptr, at the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Told of a change to Item, or to the whole collection when Item is nullptr.
    virtual void Update(TCollectionItem* Item) {}
    // Told as an item is added, taken out, or about to be deleted.
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
    void Changed();

private:
    friend class TCollectionItem;
    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FDestroying = false;
    bool FBuildingItem = false;

    void insertItem(TCollectionItem* Item);
    void removeItem(TCollectionItem* Item);
    void freeAll();
};

// A collection with an owner, which it reports through Owner()/GetOwner().
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(AOwner) {}

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};
