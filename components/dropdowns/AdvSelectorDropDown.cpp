#include "components/dropdowns/AdvSelectorDropDown.h"

#include "framework/ui/Timer.h"

#include <algorithm>

using namespace advdropdown;

namespace {

constexpr Cardinal kTypeAheadMs = 500;

// The character a key gives when it is a letter or a digit (the keypad's included), else none.
QChar searchCharOf(Word Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return QChar(Key);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return QChar('0' + (Key - VK_NUMPAD0));
    return QChar();
}

}  // namespace

TAdvSelectorDropDown::TAdvSelectorDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FKeyTimer(std::make_unique<TTimer>(nullptr)) {
    SetAutoSize(false);
    SetDropDownEnabled(true);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(kTypeAheadMs);
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
}

TAdvSelectorDropDown::~TAdvSelectorDropDown() = default;

void TAdvSelectorDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FItemSelector) FItemSelector = nullptr;
}

void TAdvSelectorDropDown::SelectFirst() {
    if (ItemCount() > 0) SetItemIndex(0);
}

void TAdvSelectorDropDown::SelectLast() {
    if (ItemCount() > 0) SetItemIndex(ItemCount() - 1);
}

void TAdvSelectorDropDown::SelectNext() {
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex < ItemCount() - 1)
        SetItemIndex(FItemIndex + 1);
}

void TAdvSelectorDropDown::SelectPrevious() {
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TAdvSelectorDropDown::SetComponentStyle(TTesselStyle AStyle) {
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The base's constructor sets a style before the appearance exists.
    if (FItemAppearance) ApplyItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// The next opening copies the own appearance over the selector's again.
void TAdvSelectorDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
    TAdvCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TAdvSelectorDropDown::CreateDropDownForm() {
    TAdvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FItemSelector) {
        FItemSelector = new TAdvCustomItemSelector(this);
        FItemSelector->FreeNotification(this);
        FItemSelector->SetParent(FDropDownForm);
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
        SelectorCreated(FItemSelector);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TAdvSelectorDropDown::BeforeDropDown() {
    const TWeak<TControl> Self(this);
    TAdvCustomDropDown::BeforeDropDown();
    if (!Self) return;
    LoadSelector();
    FOldItemIndex = FItemIndex;
}

// The selector tells nothing while it is filled.
void TAdvSelectorDropDown::LoadSelector() {
    if (!FItemSelector) return;
    TAdvCustomItemSelector* S = FItemSelector;
    S->OnItemSelect = nullptr;
    S->SetColumns(SelectorColumns());
    S->SetImages(Images());
    S->SetItemLayout(FLayout);
    S->SetColor(DropDownColor());
    S->ItemAppearance()->Assign(FItemAppearance.get());
    {
        // One layout for the whole fill, not one for every item written.
        TSelectorItems* Items = S->Items();
        struct TQuietItems {
            TSelectorItems* Items;
            TNotifyEvent Saved;
            ~TQuietItems() { Items->OnChange = Saved; }
        } Quiet{Items, Items->OnChange};
        Items->OnChange = nullptr;
        Items->Clear();
        for (int I = 0; I < ItemCount(); ++I) LoadSelectorItem(I, Items->Add());
    }
    S->UpdateSelectorPanel();
    S->SetItemIndex(FItemIndex);
    S->OnItemSelect = [this](TObject* Sender) { SelectorItemSelect(Sender); };
}

void TAdvSelectorDropDown::ClosePopup(bool Cancelled) {
    const bool WasOpen = PopupOpen();
    const TWeak<TControl> Self(this);
    TAdvCustomDropDown::ClosePopup(Cancelled);
    // Only a popup that was open has a selection to go back to.
    if (Self && WasOpen && Cancelled && FItemSelector) RestoreSelection(FOldItemIndex);
}

// A stale selection (the items shrank since the popup was filled) reads no item and is ignored.
void TAdvSelectorDropDown::SelectorItemSelect(TObject*) {
    if (!FItemSelector) return;
    const int Index = FItemSelector->ItemIndex();
    if (Index < 0 || Index >= ItemCount()) return;
    const TWeak<TControl> Self(this);
    SetItemIndex(Index);
    if (!Self || FItemIndex != Index) return;
    ItemSelected(Index);
    if (Self && !FInternalCall) ClosePopup(false);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TAdvSelectorDropDown::HandleSharedSelectorKey(Word Key) {
    TAdvCustomItemSelector* S = FItemSelector;
    if (!S) return;
    switch (Key) {
        case VK_PRIOR:
        case VK_NEXT: {
            if (S->Items()->Count() != ItemCount()) LoadSelector();
            const int N = S->GetVisibleItemCount();
            if (N <= 0) return;
            const int Index = S->ItemIndex();
            SelectInSelector(Key == VK_NEXT ? std::min(Index + N, S->Items()->Count() - 1) : std::max(Index - N, 0));
            return;
        }
        case VK_LEFT:
        case VK_RIGHT:
            if (EditorEnabled() || !PopupOpen()) return;
            RunInternal([&] {
                if (Key == VK_LEFT)
                    S->SelectPrevious();
                else
                    S->SelectNext();
            });
            return;
        default:
            if (GetKeyState(VK_CONTROL) >= 0) typeAhead(Key);
            return;
    }
}

// Only keys that give a letter or a digit join the search. Enabling the running timer keeps its
// phase, so the search lives 500 ms from its first key.
void TAdvSelectorDropDown::typeAhead(Word Key) {
    const QChar C = searchCharOf(Key);
    if (C.isNull()) return;
    FCurSearch += C;
    FKeyTimer->SetEnabled(true);
    const String Search = FCurSearch;
    RunInternal([&] { FItemSelector->LookupItem(Search); });
}

void TAdvSelectorDropDown::SelectInSelector(int Index) {
    RunInternal([&] { FItemSelector->SetItemIndex(Index); });
}

void TAdvSelectorDropDown::StepInSelector(int Step) {
    TAdvCustomItemSelector* S = FItemSelector;
    const int Index = S->ItemIndex() < 0 ? 0 : S->ItemIndex() + Step;
    if (Index < 0 || Index >= S->Items()->Count()) return;
    const TWeak<TControl> Self(this);
    SelectInSelector(Index);
    if (Self && FItemSelector && FItemSelector->SelectorPanel()) FItemSelector->SelectorPanel()->Invalidate();
}

void TAdvSelectorDropDown::RunInternal(const std::function<void()>& Step) {
    const TWeak<TControl> Self(this);
    FInternalCall = true;
    Step();
    if (Self) FInternalCall = false;
}
