#include "components/controls/HotSpeedButton.h"
#include "components/controls/DropArrow.h"

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

void FillDropArrow(TCanvas* C, TColor Color) {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Polygon({TPoint{5, 7}, TPoint{11, 7}, TPoint{8, 10}});
}
