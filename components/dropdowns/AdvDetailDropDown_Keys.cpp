// TAdvDetailDropDown: completion while typing, the keys that select items in the edit and in the
// open popup, type-ahead and the wheel.
#include "components/dropdowns/AdvDetailDropDown.h"

#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>

using namespace advdropdown;

namespace {

bool altDown() { return GetKeyState(VK_MENU) < 0; }

}  // namespace

String TAdvDetailDropDown::ApplyMatchCase(const String& S) const { return FMatchCase ? S : AnsiUpperCase(S); }

void TAdvDetailDropDown::Change() {
    const TWeak<TControl> Self(this);
    if (FCompleting) {
        // A write from code: only the change event.
        TAdvSelectorDropDown::Change();
        return;
    }
    FItemChange = false;
    TAdvSelectorDropDown::Change();
    if (!Self || ComponentState().Contains(csDesigning) || !FWorkMode) return;
    SetModified(!Text().isEmpty());
    completeText();
}

// The text before the caret is completed with the rest of the first caption starting with it; the
// completed part is selected, so the next key replaces it. With no caption to complete, only a
// completion still selected goes.
void TAdvDetailDropDown::completeText() {
    if (FItems->Count() == 0) return;
    const String T = Text();
    const int Caret = std::clamp(SelStart(), 0, static_cast<int>(T.size()));
    const String Typed = T.left(Caret);
    const String Key = ApplyMatchCase(Typed);
    int Found = -1;
    for (int I = 0; I < FItems->Count() && !Key.isEmpty(); ++I)
        if (ApplyMatchCase(FItems->Items(I)->Caption()).startsWith(Key)) {
            Found = I;
            break;
        }
    const TWeak<TControl> Self(this);
    if (Found >= 0) {
        const String Completed = Typed + FItems->Items(Found)->Caption().mid(Key.size());
        FItemIndex = Found;
        FItemIdx = Found;
        FItemSel = static_cast<int>(Key.size());
        FItemChange = true;
        SetText(Completed);
        if (!Self) return;
        SetSelStart(FItemSel);
        SetSelLength(static_cast<int>(Completed.size()) - FItemSel);
        return;
    }
    if (Typed.isEmpty() || SelLength() == 0 || SelStart() + SelLength() != T.size()) return;
    SetText(Typed);
    if (!Self) return;
    SetSelStart(static_cast<int>(Typed.size()));
    SetSelLength(0);
}

void TAdvDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
    const TWeak<TControl> Self(this);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        if (!Self) return;
        FItemChange = false;
    }
    TAdvSelectorDropDown::KeyUp(Key, Shift);
}

void TAdvDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
    if (FItems->Count() == 0) {
        TAdvSelectorDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE)
        FWorkMode = false;
    else if (Key != VK_RETURN)
        FWorkMode = true;
    const TWeak<TControl> Self(this);
    if (Key == VK_RETURN) {
        const int I = FItems->IndexOf(Text());
        if (I >= 0) {
            SetText(FItems->Items(I)->Caption());
            if (Self) SetItemIndex(I);
            if (Self) Change();
            if (!Self) return;
        }
    }
    const Word Pressed = Key;
    TAdvSelectorDropDown::KeyDown(Key, Shift);
    if (!Self || Pressed != VK_ESCAPE) return;
    if (const int I = FItems->IndexOf(Text()); I >= 0) SetItemIndex(I);
}

void TAdvDetailDropDown::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_KEYDOWN && !ComponentState().Contains(csDesigning))
        WMKeyDown(Message);
    else
        TAdvSelectorDropDown::Dispatch(Message);
}

// Runs before KeyDown. While the popup is open the page and arrow keys stay here.
void TAdvDetailDropDown::WMKeyDown(TMessage& Message) {
    const Word Key = static_cast<Word>(Message.WParam);
    const TWeak<TControl> Self(this);
    if (Enabled() && !altDown()) {
        const bool Consumed = handleSelectorKey(Key);
        if (!Self) return;
        if (Consumed) {
            Message.Result = 0;
            return;
        }
    }
    TAdvSelectorDropDown::Dispatch(Message);
}

// True when the key stays here (a page or arrow key while the popup is open).
bool TAdvDetailDropDown::handleSelectorKey(Word Key) {
    const bool Open = PopupOpen();
    TAdvCustomItemSelector* S = FItemSelector;
    switch (Key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
            HandleSharedSelectorKey(Key);
            return Open;
        case VK_END:
            if (Open && S)
                RunInternal([&] { S->SelectLast(); });
            else if (!EditorEnabled())
                SelectLast();
            return false;
        case VK_HOME:
            if (Open && S)
                RunInternal([&] { S->SelectFirst(); });
            else if (!EditorEnabled())
                SelectFirst();
            return false;
        case VK_UP:
        case VK_DOWN:
            if (Open && S)
                StepInSelector(Key == VK_DOWN ? 1 : -1);
            else if (Key == VK_DOWN)
                SelectNext();
            else
                SelectPrevious();
            return Open;
        default:
            HandleSharedSelectorKey(Key);
            return false;
    }
}

void TAdvDetailDropDown::DoSelectNext() {
    TAdvSelectorDropDown::DoSelectNext();
    if (!PopupOpen() || !FItemSelector)
        SelectNext();
    else
        StepInSelector(1);
}

void TAdvDetailDropDown::DoSelectPrevious() {
    TAdvSelectorDropDown::DoSelectPrevious();
    if (!PopupOpen() || !FItemSelector)
        SelectPrevious();
    else
        StepInSelector(-1);
}
