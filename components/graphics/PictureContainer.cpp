// TPictureItem, TPictureCollection and TPictureContainer.
#include "components/graphics/PictureContainer.h"
#include "components/graphics/ComponentVersion.h"

#include "framework/ui/Controls.h"

#include <algorithm>

TPictureItem::TPictureItem(TCollection* Collection) : TCollectionItem(Collection), FPicture(CreatePicture()) {}

TPictureItem::~TPictureItem() = default;

std::unique_ptr<TGraphic> TPictureItem::CreatePicture() { return std::make_unique<THTMLPicture>(); }

void TPictureItem::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TPictureItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = Other->FName;
    FTag = Other->FTag;
    FPicture->Assign(Other->FPicture.get());
}

// ---------------------------------------------------------------------------------------------

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TPictureItem>()), FOwner(AOwner) {}

bool TPictureCollection::Animate() {
    bool Changed = false;
    for (int I = 0; I < Count(); ++I)
        if (auto* Picture = dynamic_cast<THTMLPicture*>(Items(I)->Picture()); Picture && Picture->Step())
            Changed = true;
    return Changed;
}

// ---------------------------------------------------------------------------------------------

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner), FItems(CreateItems()) {}

TPictureContainer::~TPictureContainer() {
    FPicture.reset();
    FItems.reset();
}

std::unique_ptr<TPictureCollection> TPictureContainer::CreateItems() {
    return std::make_unique<TPictureCollection>(this);
}

void TPictureContainer::SetItems(TPictureCollection* Value) {
    if (!Value || Value == FItems.get()) return;
    FItems.reset(Value);
}

String TPictureContainer::Version() const { return VersionText(GetVersionNr()); }

THTMLPicture* TPictureContainer::FindPicture(const String& s) {
    const String Wanted = s.toUpper();
    for (int I = 0; I < FItems->Count(); ++I) {
        TPictureItem* Item = FItems->Items(I);
        if (Item->Name().toUpper() == Wanted) return dynamic_cast<THTMLPicture*>(Item->Picture());
    }
    return nullptr;
}

TPicture* TPictureContainer::FindBitmap(const String& s) {
    FPicture.reset();
    THTMLPicture* Found = FindPicture(s);
    if (!Found) return nullptr;
    auto Picture = std::make_unique<TPicture>();
    // TPicture copies a graphic of a class it knows; the picture's own bytes keep their format.
    TMemoryStream Bytes;
    Found->SaveToStream(&Bytes);
    Bytes.SetPosition(0);
    if (Bytes.Size() > 0) {
        try {
            Picture->LoadFromStream(&Bytes);
        } catch (const EInvalidGraphic&) {
            Picture->Assign(Found);
        }
    }
    FPicture = std::move(Picture);
    return FPicture.get();
}

void TPictureContainer::RegisterControl(TControl* AControl) {
    if (!AControl) return;
    FControls.push_back(AControl);
    // Told when the control is freed, so Changed never reaches a dead control.
    AControl->FreeNotification(this);
}

void TPictureContainer::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        std::erase_if(FControls, [AComponent](TControl* C) { return static_cast<TComponent*>(C) == AComponent; });
}

void TPictureContainer::Changed() {
    for (std::size_t I = 0; I < FControls.size(); ++I) FControls[I]->Invalidate();
    if (OnChange) OnChange(this);
}
