// TAdvSelectorDropDown: what the detail and image pickers share, both showing an item selector in
// their popup: the selector made with the popup and filled at each opening, the selection, keys
// and wheel that select in the open popup without closing it, type-ahead over the captions, and
// the selection put back when the popup is cancelled.
#pragma once

#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvItemSelector.h"

#include <functional>
#include <memory>

class TTimer;

class TAdvSelectorDropDown : public TAdvCustomDropDown {
public:
    explicit TAdvSelectorDropDown(TComponent* AOwner);
    ~TAdvSelectorDropDown() override;

    // Handed to the selector at each opening.
    advdropdown::TItemLayout Layout() const { return FLayout; }  // default ilCaptionRight
    void SetLayout(advdropdown::TItemLayout Value) { FLayout = Value; }
    int ItemIndex() const { return FItemIndex; }  // default -1
    virtual void SetItemIndex(int Value) = 0;
    // Copied into the selector at each opening.
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

    // Through SetItemIndex, when there are items: the first, the last, the next and the previous
    // (the first when none is selected).
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // The edit's style, and the hot and selected colours of the items.
    void SetComponentStyle(TTesselStyle AStyle) override;

protected:
    virtual int ItemCount() const = 0;
    // The selector is made (once).
    virtual void SelectorCreated(TAdvCustomItemSelector*) {}
    virtual int SelectorColumns() const { return 1; }
    // Fills the selector's item for the picker's item Index.
    virtual void LoadSelectorItem(int Index, TSelectorItem* Item) = 0;
    // The selector selected the picker's item Index (already the ItemIndex).
    virtual void ItemSelected(int) {}
    // A cancelled popup puts back the item selected when it opened.
    virtual void RestoreSelection(int OldIndex) { SetItemIndex(OldIndex); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void ClosePopup(bool Cancelled) override;
    void SetSelectionColorStyle(advdropdown::TSelectionColorStyle Value) override;
    virtual void LoadSelector();
    void SelectorItemSelect(TObject* Sender);

    bool PopupOpen() const { return FDropDownForm && FDropDownForm->Visible(); }
    // Page keys, Left and Right without typing, and type-ahead, as both pickers have them.
    void HandleSharedSelectorKey(Word Key);
    // Selects in the selector without closing the popup.
    void SelectInSelector(int Index);
    // Step items on or back from the selector's selection (to the first when none), within the
    // items, without closing the popup.
    void StepInSelector(int Step);
    // Runs a selection in the selector that keeps the popup open.
    void RunInternal(const std::function<void()>& Step);

    TAdvCustomItemSelector* FItemSelector = nullptr;
    int FItemIndex = -1;

private:
    advdropdown::TItemLayout FLayout = advdropdown::ilCaptionRight;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;  // a selection by key or wheel: the popup stays open
    std::unique_ptr<TTimer> FKeyTimer;
    String FCurSearch;       // type-ahead, emptied 500 ms after its first key
    int FOldItemIndex = -1;  // ItemIndex when the popup opened

    void typeAhead(Word Key);
};
