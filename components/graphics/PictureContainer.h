// TPictureContainer: a design-time list of named pictures that mini-HTML captions refer to by
// name (IMG SRC="name"); the controls that show them register to be repainted on a change.
#pragma once

#include "components/graphics/HTMLPicture.h"
#include "framework/rtl/Collection.h"

#include <memory>
#include <vector>

class TControl;

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;

    // Always a THTMLPicture; writing copies with Assign.
    TGraphic* Picture() const { return FPicture.get(); }
    void SetPicture(TGraphic* Value) { FPicture->Assign(Value); }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    // Copies name, tag and picture from another TPictureItem; other sources raise EConvertError.
    void Assign(TPersistent* Source) override;

protected:
    virtual std::unique_ptr<TGraphic> CreatePicture();

private:
    std::unique_ptr<TGraphic> FPicture;
    NativeInt FTag = 0;
    String FName;
};

class TPictureCollection : public TOwnedCollection {
public:
    explicit TPictureCollection(TComponent* AOwner);

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int index) { return static_cast<TPictureItem*>(TCollection::Insert(index)); }
    TPictureItem* Items(int Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TPictureItem* Value) { TCollection::SetItems(Index, Value); }
    // Steps the picture of every item; true when one changed frame.
    bool Animate();

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // The container takes Value as its own collection and frees it with itself.
    void SetItems(TPictureCollection* Value);
    // "2.0.0.0"; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    TNotifyEvent OnChange;

    // The picture of the first item whose name equals s ignoring case; nullptr when none.
    virtual THTMLPicture* FindPicture(const String& s);
    // A new TPicture holding a copy of that picture, owned by the container until the next call
    // (which frees it, found or not); nullptr when none.
    virtual TPicture* FindBitmap(const String& s);
    // AControl is invalidated on every Changed; it is dropped from the list when it is freed.
    void RegisterControl(TControl* AControl);
    // Invalidates every registered control in order, then fires OnChange.
    virtual void Changed();
    virtual int GetVersionNr() const { return 0x02000000; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual std::unique_ptr<TPictureCollection> CreateItems();

private:
    std::vector<TControl*> FControls;
    std::unique_ptr<TPicture> FPicture;
    std::unique_ptr<TPictureCollection> FItems;
};
