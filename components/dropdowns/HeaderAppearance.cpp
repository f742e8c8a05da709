#include "components/dropdowns/HeaderAppearance.h"

#include "framework/rtl/Exceptions.h"

using namespace advdropdown;

// ---------------------------------------------------------------------------------------------
// Buttons

void THeaderButton::changed() {
    // The collection tells its owner, which passes it on as OnButtonsChanged.
    if (auto* Header = dynamic_cast<THeaderButtons*>(Collection()); Header && Header->OnChange)
        FireEvent(Header->OnChange, Header);
    if (auto* Footer = dynamic_cast<TFooterButtons*>(Collection()); Footer && Footer->OnChange)
        FireEvent(Footer->OnChange, Footer);
}

void THeaderButton::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    changed();
}

void THeaderButton::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    changed();
}

void THeaderButton::SetWidth(int Value) {
    if (FWidth == Value) return;
    FWidth = Value;
    changed();
}

void THeaderButton::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<THeaderButton*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = S->FCaption;
    FImageIndex = S->FImageIndex;
    FEnabled = S->FEnabled;
    FHeight = S->FHeight;
    FWidth = S->FWidth;
}

void TFooterButton::Assign(TPersistent* Source) {
    THeaderButton::Assign(Source);
    if (auto* S = dynamic_cast<TFooterButton*>(Source)) FModalResult = S->FModalResult;
}

THeaderButtons::THeaderButtons(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<THeaderButton>()) {}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : TCollection(CollectionItemClass<TFooterButton>()), FMyOwner(AOwner) {}

// ---------------------------------------------------------------------------------------------
// Header and footer

template <class TButtons>
TStripAppearance<TButtons>::TStripAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<TButtons>(AOwner)) {
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged) FireEvent(OnButtonsChanged, this);
    };
}

template <class TButtons>
TStripAppearance<TButtons>::~TStripAppearance() = default;

template <class TButtons>
void TStripAppearance<TButtons>::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnChange) FireEvent(OnChange, this);
}

template <class TButtons>
void TStripAppearance<TButtons>::copyColors(const TStripAppearance& S) {
    FColorTo = S.FColorTo;
    FColor = S.FColor;
    FBorderColor = S.FBorderColor;
    FFont->Assign(S.FFont.get());
    FGradientDirection = S.FGradientDirection;
}

template <class TButtons>
void TStripAppearance<TButtons>::copyRest(const TStripAppearance& S) {
    copyColors(S);
    FCaption = S.FCaption;
    FImageIndex = S.FImageIndex;
    FBorderWidth = S.FBorderWidth;
    FHeight = S.FHeight;
    FButtonAlignment = S.FButtonAlignment;
    FButtons->Assign(S.FButtons.get());
}

template class TStripAppearance<THeaderButtons>;
template class TStripAppearance<TFooterButtons>;

THeaderAppearance::THeaderAppearance(TPersistent* AOwner) : TStripAppearance(AOwner) {
    Font()->SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<THeaderAppearance*>(Source);
    if (!S || S == this) return;
    copyRest(*S);
    // Last: a handler of OnChange sees the whole copy.
    SetVisible(S->Visible());
}

void THeaderAppearance::AssignColors(TPersistent* Source) {
    if (auto* S = dynamic_cast<THeaderAppearance*>(Source); S && S != this) copyColors(*S);
}

void TFooterAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TFooterAppearance*>(Source);
    if (!S || S == this) return;
    copyRest(*S);
    FSizeGrip = S->FSizeGrip;
    SetVisible(S->Visible());
}

void TFooterAppearance::AssignColors(TPersistent* Source) {
    if (auto* S = dynamic_cast<TFooterAppearance*>(Source); S && S != this) copyColors(*S);
}

// ---------------------------------------------------------------------------------------------
// TDbgList

void TDbgList::AssignList(TList* ListA) {
    Clear();
    if (!ListA) return;
    for (int I = 0; I < ListA->Count(); ++I) Add(ListA->Items(I));
}

void* TDbgList::GetItemsEx(int Index) const {
    if (Index < 0 || Index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list read access"));
    return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value) {
    if (Index < 0 || Index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list write access"));
    SetItems(Index, Value);
}
