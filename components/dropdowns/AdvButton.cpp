#include "components/dropdowns/AdvButton.h"

#include "components/controls/ButtonGroup.h"
#include "components/controls/HTMLCheckBox.h"
#include "components/dropdowns/AdvDropDown.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Timer.h"

#include <algorithm>

using namespace advdropdown;

namespace {

// The popup's buttons count modal results as the dialogs of later platform versions do: Close 8,
// Help 9, Try Again 10, Continue 11, All 12, No to All 13, Yes to All 14.
bool closesThePopup(TModalResult R) {
    switch (R) {
        case 1:
        case 2:
        case 3:
        case 5:
        case 6:
        case 7:
        case 12:
        case 13:
        case 14:
            return true;
        default:
            return false;
    }
}

bool cancelsThePopup(TModalResult R) { return R == 2 || R == 3 || R == 5 || R == 7 || R == 13; }

}  // namespace

TAdvButton::TAdvButton(TComponent* AOwner) : TCustomControl(AOwner), FUnHotTimer(new TTimer(this)) {
    SetBounds(0, 0, 22, 23);
    TControlStyle S = ControlStyle();
    S.Include(csCaptureMouse);
    S.Include(csClickEvents);
    S.Include(csDoubleClicks);
    SetControlStyle(S);
    SetParentFont(true);
    Font()->SetName(QStringLiteral("Tahoma"));
    SetShowHint(false);
    SetDoubleBuffered(true);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject*) { unHotTimerTick(); };
}

TAdvButton::~TAdvButton() = default;

TAdvButtonState TAdvButton::State() const {
    switch (FState) {
        case bsDisabled:
            return absDisabled;
        case bsDown:
            return absDown;
        case bsExclusive:
            return absExclusive;
        default:
            return absUp;
    }
}

void TAdvButton::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TAdvButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying)) FImages = nullptr;
}

void TAdvButton::Loaded() {
    TCustomControl::Loaded();
    if (FInitialDown != FDown) SetDown(FInitialDown);
}

void TAdvButton::AdjustButtonSize() {
    TSize Size{0, 0};
    if (FAppearance) {
        Canvas()->Font()->Assign(FAppearance->Font());
        Size = GetTextSize(Canvas(), Caption());
    }
    if (FImages && FImageIndex >= 0) {
        Size.cx = std::max(Size.cx, FImages->Width());
        Size.cy = std::max(Size.cy, FImages->Height());
    }
    SetHeight(Size.cy + 4);
    SetWidth(Size.cx + 8);
}

void TAdvButton::Click() {
    if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
    const bool Cancel = cancelsThePopup(FModalResult);
    const TWeak<TControl> Self(this);
    if (FAdvDropDown && closesThePopup(FModalResult)) FAdvDropDown->HideDropDown(Cancel);
    if (Self && !FInternalClick) TCustomControl::Click();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TAdvButton::Paint() {
    SettlePaintState(Enabled(), FDown, FGroupIndex != 0, FStyle == tasCheck, FState, FDragging);
    htmlbutton::DrawParentBackground(this, Canvas()->Handle());
    DrawButton();
}

void TAdvButton::DrawButton() {
    if (!FAppearance) return;
    const TAdvButtonAppearance& A = *FAppearance;
    TColor Fill = A.Color(), FillTo = A.ColorTo(), Border = A.BorderColor();
    if (!Enabled()) {
        Fill = A.ColorDisabled();
        FillTo = A.ColorDisabledTo();
        Border = A.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        Fill = FillTo = A.ColorDown();
        Border = A.BorderColorDown();
    } else if (FDown) {
        Fill = FillTo = A.ColorChecked();
        Border = A.BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        Fill = FillTo = A.ColorHot();
        Border = A.BorderColorHot();
    }
    const TRect R = ClientRect();
    DrawButtonBackground(Canvas(), R, Fill, FillTo, Border, 1, A.Gradient());
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->Assign(A.Font());
    DrawButtonContent(Canvas(), R, Caption(), FImages, FImageIndex);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

bool TAdvButton::inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }

void TAdvButton::mouseEntered() {
    FMouseInControl = true;
    if (Enabled()) Invalidate();
    FUnHotTimer->SetEnabled(true);
}

void TAdvButton::mouseLeft() {
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (Enabled()) Invalidate();
}

void TAdvButton::unHotTimerTick() {
    if (PtInRect(ClientRect(), ScreenToClient(Mouse->CursorPos()))) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (Enabled()) Invalidate();
}

void TAdvButton::UpdateTracking() {
    if (!Enabled()) return;
    if (FindDragTarget(Mouse->CursorPos(), true) == this)
        mouseEntered();
    else
        mouseLeft();
}

void TAdvButton::CMMouseEnter(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (!ComponentState().Contains(csDesigning)) mouseEntered();
}

void TAdvButton::CMMouseLeave(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (!ComponentState().Contains(csDesigning)) mouseLeft();
}

void TAdvButton::showPressed() { ShowButtonPressed(this, FDown, FStyle == tasCheck, FState); }

void TAdvButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self || ComponentState().Contains(csDesigning)) return;
    if (Button != mbLeft || !Enabled()) return;
    FMouseDownInControl = true;
    showPressed();
    FDragging = true;
}

void TAdvButton::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Self || ComponentState().Contains(csDesigning)) return;
    if (FDragging)
        FollowHeldPress(this, FDown, inside(X, Y), FStyle == tasCheck, FState);
    else if (!FMouseInControl)
        UpdateTracking();
}

void TAdvButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!Self || ComponentState().Contains(csDesigning)) return;
    FMouseDownInControl = false;
    Invalidate();
    if (!FDragging) return;
    FDragging = false;
    const bool In = inside(X, Y);
    if (FGroupIndex != 0) {
        FState = bsUp;
        if (In) {
            SetDown(!FDown);
        } else {
            if (FDown) FState = bsExclusive;
            Repaint();
        }
    } else {
        FState = bsUp;
        FMouseInControl = false;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (In && FState != bsDown && FState != bsExclusive) Invalidate();
    }
    if (Self) UpdateTracking();
}

void TAdvButton::KeyDown(Word& Key, TShiftState Shift) {
    if (!ComponentState().Contains(csDesigning) && (Key == VK_RETURN || Key == VK_SPACE)) {
        showPressed();
        const TWeak<TControl> Self(this);
        FInternalClick = true;
        Click();
        if (!Self) return;
        FInternalClick = false;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TAdvButton::SetDown(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FInitialDown = Value;
        return;
    }
    if (FStyle == tasButton && FGroupIndex == 0) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? bsDown : bsUp;
        Repaint();
        return;
    }
    SetPushButtonDown(this, FGroupIndex, FAllowAllUp, Value, FDown, FState);
}

void TAdvButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex) return;
    auto* Sender = dynamic_cast<TAdvButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (!Sender || Sender == this) return;
    if (ReleaseForGroupPeer(Sender->FDown, FDown, FState)) Invalidate();
    FAllowAllUp = Sender->FAllowAllUp;
}

void TAdvButton::CMDialogChar(TMessage& Message) {
    if (Enabled() && IsAccel(static_cast<Word>(Message.WParam), Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TAdvButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_BUTTONPRESSED:
            CMButtonPressed(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_ENABLEDCHANGED:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(Message);
            Invalidate();
            break;
        default:
            TCustomControl::Dispatch(Message);
    }
}
