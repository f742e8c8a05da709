#include "components/controls/ButtonControl.h"
#include "components/controls/HTMLCheckBox.h"

TCustomButtonControl::TCustomButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 98, 20);
    FIsWinXP = htmlbutton::SystemHasVisualStyles();
}

// ---------------------------------------------------------------------------------------------
// Pointer and keys

void TCustomButtonControl::trackPress(int X, int Y) {
    if (!MouseCapture()) return;
    const bool Inside = pressInside(X, Y);
    if (Inside == FDown) return;
    FDown = Inside;
    pressedChanged();
}

void TCustomButtonControl::MouseMove(TShiftState Shift, int X, int Y) {
    trackPress(X, Y);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    SetMouseCapture(false);
    FDown = false;
    if (pressInside(X, Y) && FMouseDown && activateOnRelease()) {
        activate();
        if (!Self) return;
    }
    FMouseDown = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Self) pressedChanged();
}

void TCustomButtonControl::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        // Moves the focus on as a Tab typed here would: through the form's dialog keys.
        PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        pressedChanged();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TCustomButtonControl::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        const TWeak<TControl> Self(this);
        FDown = false;
        pressedChanged();
        activate();
        if (!Self) return;
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TCustomButtonControl::DoEnter() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoEnter();
    if (!Self) return;
    FFocused = true;
    Invalidate();
}

void TCustomButtonControl::DoExit() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoExit();
    if (!Self) return;
    FFocused = false;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomButtonControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TCustomButtonControl::WMEraseBkgnd(TMessage& Message) {
    if (FTransparent)
        Message.Result = 1;  // Paint draws the parent's background instead
    else
        TCustomControl::Dispatch(Message);
}

void TCustomButtonControl::CMEnabledChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void TCustomButtonControl::CMDialogChar(TMessage& Message) {
    TWMKey M(Message);
    if (!IsAccel(static_cast<Word>(M.CharCode), FCaption) || !CanFocus()) {
        TCustomControl::Dispatch(Message);
        return;
    }
    const TWeak<TControl> Self(this);
    activateByAccelerator();
    if (!Self) return;
    if (TabStop()) SetFocus();
    Message.Result = 1;
}

void TCustomButtonControl::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = true;
        hotChanged();
    }
    TCustomControl::Dispatch(Message);
}

void TCustomButtonControl::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = false;
        hotChanged();
    }
    TCustomControl::Dispatch(Message);
}
