#include "components/controls/HotSpeedButton.h"

#include "framework/rtl/Component.h"

void THotSpeedButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE)
        trackPointer(Message, Message.Msg == CM_MOUSEENTER);
    else
        TSpeedButton::Dispatch(Message);
}

void THotSpeedButton::trackPointer(TMessage& Message, bool Over) {
    const TWeak<THotSpeedButton> Alive(this);
    TSpeedButton::Dispatch(Message);
    // LParam names a child the pointer moved to or from; only the button's own crossing counts.
    if (!Alive || Message.LParam != 0) return;
    FHot = Over;
    Invalidate();
}
