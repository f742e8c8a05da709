// TAdvCustomDropDown: the message switch, the keys that open and close the popup, special keys,
// the mouse in the edit, the wheel, focus and the other framework notifications.
#include "components/dropdowns/AdvDropDown.h"
#include "framework/ui/Forms.h"

using namespace advdropdown;

namespace {

bool altDown() { return GetKeyState(VK_MENU) < 0; }
bool ctrlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

void TAdvCustomDropDown::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_CHAR:
            WMChar(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(Message);
            break;
        case WM_CUT:
            WMCut(Message);
            break;
        case WM_COPY:
            WMCopy(Message);
            break;
        case WM_PASTE:
            WMPaste(Message);
            break;
        case CN_COMMAND:
            CNCommand(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_ENTER:
            CMEnter(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_WANTSPECIALKEY:
            CMWantSpecialKey(Message);
            break;
        default:
            TCustomMaskEdit::Dispatch(Message);
            break;
    }
}

// Enter closes keeping the text, Esc closes restoring it, F4 toggles. True when the key was one
// of them (the popup may be gone, and the edit with it, when this returns).
bool TAdvCustomDropDown::handleDropKeys(Word Key, bool) {
    switch (Key) {
        case VK_RETURN:
            ClosePopup(false);
            return true;
        case VK_ESCAPE:
            ClosePopup(true);
            return true;
        case VK_F4:
            if (FDropDownForm && FDropDownForm->Visible())
                ClosePopup(false);
            else
                OpenPopup();
            return true;
        default:
            return false;
    }
}

void TAdvCustomDropDown::WMKeyDown(TMessage& Message) {
    if (designing()) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    TWMKey M(Message);
    const TWeak<TAdvCustomDropDown> Self(this);
    Word Key = static_cast<Word>(M.CharCode);
    if (altDown() && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            ClosePopup(false);
        else
            OpenPopup();
        if (!Self) return;
    }
    if (!FEditorEnabled && Enabled()) {
        if (!ReadOnly()) handleDropKeys(Key, false);
        if (!Self) return;
        if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE)
            TCustomMaskEdit::Dispatch(Message);
        else
            M.CharCode = 0;
        return;
    }
    if (ctrlDown() && Key == 'A') {
        // The editor's own select-all would take the prefix and suffix too.
        SelectAll();
        M.CharCode = 0;
        return;
    }
    if (ctrlDown() && (Key == VK_TAB || Key == VK_RETURN)) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    if (Key == VK_RETURN && FReturnIsTab) {
        M.CharCode = Key = VK_TAB;
        if (HandleAllocated() && Showing()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (protectKeyDown(Key, KeyDataToShiftState(M.KeyData))) {
        M.CharCode = 0;
        return;
    }
    M.CharCode = Key;
    if (Key == VK_DELETE) {
        // The inherited handling, done now (as typing is): the steps after it see the result.
        if (!DoKeyDown(Message) && Self) deleteNow();
        if (!Self) return;
        M.CharCode = 0;
    } else {
        TCustomMaskEdit::Dispatch(Message);
        if (!Self) return;
    }
    if (Key == VK_DELETE && FEditType == etMoney) applyThousandSeparators();
    if (!FPrefix.isEmpty() && SelStart() < FPrefix.size()) TCustomEdit::SetSelStart(static_cast<int>(FPrefix.size()));
    handleDropKeys(Key, false);
}

void TAdvCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (!Self || !Shift.Contains(ssAlt) || (Key != VK_UP && Key != VK_DOWN)) return;
    if (FDroppedDown)
        ClosePopup(false);
    else
        OpenPopup();
}

void TAdvCustomDropDown::KeyPress(Char& Key) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::KeyPress(Key);
    // No beep for Enter.
    if (Self && Key == u'\r') Key = QChar();
}

TCustomForm* TAdvCustomDropDown::containingForm() const { return GetParentForm(const_cast<TAdvCustomDropDown*>(this)); }

void TAdvCustomDropDown::CMWantSpecialKey(TMessage& Message) {
    TCustomForm* Form = containingForm();
    if (!Form) return;
    TWMKey M(Message);
    if (!Form->KeyPreview()) {
        if (M.CharCode == VK_ESCAPE && FCanUndo) {
            SelectAll();
            SetModified(false);
            M.CharCode = 0;
            Message.Result = 0;
            if (Parent() && FDefaultHandling && Parent()->HandleAllocated()) {
                PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
            }
        } else if (M.CharCode == VK_RETURN && FDefaultHandling && Parent() && Parent()->Focused()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
        }
    }
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self && M.CharCode == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TAdvCustomDropDown::WMLButtonDown(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    if (!FEditorEnabled) {
        TCustomMaskEdit::Dispatch(Message);
        if (Self) DropButtonClick(this);
        return;
    }
    const int Pos = LOWORD(static_cast<std::uintptr_t>(Perform(EM_CHARFROMPOS, 0, Message.LParam)));
    const int Start = SelStart();
    const int Length = SelLength();
    // A press inside the selection keeps it (the release places the caret).
    if (Length > 0 && Pos >= Start && Pos <= Start + Length && Focused()) {
        FButtonDown = true;
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

void TAdvCustomDropDown::WMLButtonUp(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    if (!FEditorEnabled || ReadOnly()) DrawDisabledFocus();
    if (FButtonDown) {
        const int Pos = LOWORD(static_cast<std::uintptr_t>(Perform(EM_CHARFROMPOS, 0, Message.LParam)));
        TCustomEdit::SetSelStart(Pos);
        TCustomEdit::SetSelLength(0);
    }
    FButtonDown = false;
    TCustomMaskEdit::Dispatch(Message);
    if (Self) adjustCaretAfterClick();
}

// The caret stays out of the prefix and the suffix: a caret or selection starting in the prefix
// selects the value; a caret beyond the value goes to its end and a selection into the suffix
// stops there. Value positions count without the prefix.
void TAdvCustomDropDown::adjustCaretAfterClick() {
    const int PrefixLength = static_cast<int>(FPrefix.size());
    const int ValueLength = static_cast<int>(GetText().size());
    const int Start = SelStart();
    const int Length = SelLength();
    if (PrefixLength > 0 && Start < PrefixLength) {
        TCustomEdit::SetSelStart(PrefixLength);
        TCustomEdit::SetSelLength(ValueLength);
        return;
    }
    if (FSuffix.isEmpty()) return;
    const int ValueEnd = PrefixLength + ValueLength;
    if (Length == 0 && Start > ValueEnd) {
        TCustomEdit::SetSelStart(ValueEnd);
        TCustomEdit::SetSelLength(0);
    } else if (Length > 0 && Start + Length > ValueEnd) {
        TCustomEdit::SetSelStart(Start);
        TCustomEdit::SetSelLength(std::max(0, ValueEnd - Start));
    }
}

// ---------------------------------------------------------------------------------------------
// Focus

void TAdvCustomDropDown::WMSetFocus(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (!Self || loading()) return;
    if (FEditorEnabled) {
        if (AutoSelect())
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    } else {
        Invalidate();
    }
}

void TAdvCustomDropDown::CMEnter(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    TCustomMaskEdit::Dispatch(Message);
    if (Self) PaintBorder();
}

void TAdvCustomDropDown::CMExit(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self) PaintBorder();
}

void TAdvCustomDropDown::DoEnter() {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::DoEnter();
    if (Self) SetEditRect();
}

void TAdvCustomDropDown::WMKillFocus(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    if (!loading()) reformatOnExit();
    if (!Self) return;
    TCustomMaskEdit::Dispatch(Message);
    if (!Self) return;
    if ((!FEmptyText.isEmpty() && GetText().isEmpty()) || !FEditorEnabled) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Other notifications

void TAdvCustomDropDown::WMSize(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self) UpdateButtonPosition();
}

void TAdvCustomDropDown::CMEnabledChanged(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self && FButton) FButton->SetEnabled(Enabled());
}

void TAdvCustomDropDown::CMFontChanged(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self && HandleAllocated()) SetEditRect();
}

void TAdvCustomDropDown::CMMouseEnter(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (!Self || Message.LParam != 0 || !Enabled() || FMouseInControl) return;
    FMouseInControl = true;
    PaintBorder();
}

void TAdvCustomDropDown::CMMouseLeave(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (!Self || Message.LParam != 0 || !Enabled() || !FMouseInControl) return;
    FMouseInControl = false;
    PaintBorder();
}
