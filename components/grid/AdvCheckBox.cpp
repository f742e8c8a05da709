// TAdvCheckBox: properties, painting, pointer and keys.
#include "components/grid/AdvCheckBox.h"

#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/UxTheme.h"
#include "framework/ui/WindowFunctions.h"

using namespace htmlbutton;

namespace {

constexpr int kThemedBox = 14;
constexpr int kClassicBox = 13;
constexpr int kBoxStrip = 20;

}  // namespace

TAdvCheckBox::TAdvCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(Left(), Top(), 98, 20);
    FIsWinXP = SystemHasVisualStyles();
    SetCaption(ClassName());
}

TAdvCheckBox::~TAdvCheckBox() = default;

// ---------------------------------------------------------------------------------------------
// Properties

void TAdvCheckBox::SetAlignment(TLeftRight Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TAdvCheckBox::SetButtonVertAlign(TTextLayout Value) {
    if (Value == FBtnVAlign) return;
    FBtnVAlign = Value;
    Invalidate();
}

void TAdvCheckBox::SetCaption(const String& Value) {
    if (HandleAllocated()) SetText(Value);
    FCaption = Value;
    Invalidate();
}

void TAdvCheckBox::SetChecked(bool Value) {
    SetState(Value ? cbChecked : cbUnchecked);
    Invalidate();
}

void TAdvCheckBox::SetEllipsis(bool Value) {
    if (Value == FEllipsis) return;
    FEllipsis = Value;
    Invalidate();
}

void TAdvCheckBox::SetState(TCheckBoxState Value) {
    if (Value == FState) return;
    FState = Value;
    if (HandleAllocated()) invalidateBoxStrip();
}

void TAdvCheckBox::SetTransparent(bool Value) {
    if (Value != FTransparent) {
        FTransparent = Value;
        FBkgCache = false;
    }
    Invalidate();
}

void TAdvCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FTransparent) return;
    FBkgCache = false;
    Invalidate();
}

void TAdvCheckBox::Toggle() {
    if (!FReadOnly) SetChecked(!Checked());
}

void TAdvCheckBox::invalidateBoxStrip() {
    if (!HandleAllocated()) return;
    TRect R = ClientRect();
    if (FAlignment == taRightJustify)
        R.Left = R.Right - kBoxStrip;
    else
        R.Right = R.Left + kBoxStrip;
    InvalidateRect(Handle(), &R, 1);
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TAdvCheckBox::themed() const { return FIsWinXP && IsThemedXP(); }

TRect TAdvCheckBox::BoxRect() const {
    const int W = ClientWidth(), H = ClientHeight();
    const bool Right = FAlignment == taRightJustify;
    if (themed()) {
        const int L = Right ? W - 15 : 0;
        const int T = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? H / 2 - 6 : H - kThemedBox;
        return Rect(L, T, L + kThemedBox, T + kThemedBox);
    }
    const int L = Right ? W - kClassicBox : 0;
    const int T = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? H / 2 - 6 : H - 17;
    return Rect(L, T, L + kClassicBox, T + kClassicBox);
}

// Unchecked 1-4, checked 5-8, grayed 9-12; disabled before pressed before hot before normal.
int TAdvCheckBox::themeState() const {
    const int Base = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
    return Base + (!Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0);
}

TRect TAdvCheckBox::captionRect() const {
    TRect R = ClientRect();
    if (FAlignment == taRightJustify) {
        R.Left = 0;
        R.Right -= 9;
    } else {
        R.Left += 9;
    }
    R.Top += 4;
    R.Left += 6;
    return R;
}

void TAdvCheckBox::paintCaption(TCanvas* C, const TRect& R) {
    const UINT Flags = DT_LEFT | DT_TOP | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
    SetBkMode(C->Handle(), TRANSPARENT);
    TRect T = R;
    if (!Enabled()) {
        TRect Shadow = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
        C->Font()->SetColor(clWhite);
        DrawText(C->Handle(), FCaption, -1, Shadow, Flags);
        C->Font()->SetColor(clGray);
    }
    DrawText(C->Handle(), FCaption, -1, T, Flags);
    if (!FFocused) return;
    TRect M = R;
    DrawText(C->Handle(), FCaption, -1, M, Flags | DT_CALCRECT);
    C->DrawFocusRect(Rect(R.Left - 2, R.Top, R.Left + M.Width() + 1, R.Top + M.Height() + 1));
}

void TAdvCheckBox::Paint() {
    TCanvas* C = Canvas();
    C->SetFont(Font());
    if (FTransparent) PaintTransparentBackground(this, C, FTransparentCaching, FBkgBmp, FBkgCache);
    if (HandleAllocated()) SetText(FCaption);
    TRect Box = BoxRect();
    if (themed()) {
        DrawThemedButton(this, C->Handle(), BP_CHECKBOX, themeState(), Box);
    } else {
        UINT Frame = DFCS_BUTTONCHECK;
        if (FState == cbChecked) Frame |= DFCS_CHECKED;
        if (!Enabled() || FState == cbGrayed) Frame |= DFCS_INACTIVE;
        DrawFrameControl(C->Handle(), &Box, DFC_BUTTON, Frame);
    }
    paintCaption(C, captionRect());
}

// ---------------------------------------------------------------------------------------------
// Pointer and keys

void TAdvCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    FMouseDown = true;
    if (!FFocused && CanFocus()) {
        SetFocus();
        if (!Self) return;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    SetMouseCapture(true);
    FDown = true;
    if (FIsWinXP) invalidateBoxStrip();
}

void TAdvCheckBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (MouseCapture()) {
        const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (Inside != FDown) {
            FDown = Inside;
            invalidateBoxStrip();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    SetMouseCapture(false);
    FDown = false;
    const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    if (Inside && FFocused && FMouseDown) {
        Toggle();
        Click();
        if (!Self) return;
    }
    FMouseDown = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Self && FIsWinXP) invalidateBoxStrip();
}

void TAdvCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        invalidateBoxStrip();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TAdvCheckBox::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        const TWeak<TControl> Self(this);
        FDown = false;
        Toggle();
        Click();
        if (!Self) return;
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TAdvCheckBox::DoEnter() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoEnter();
    if (!Self) return;
    FFocused = true;
    Invalidate();
}

void TAdvCheckBox::DoExit() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoExit();
    if (!Self) return;
    FFocused = false;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TAdvCheckBox::Dispatch(TMessage& Message) {
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

void TAdvCheckBox::WMEraseBkgnd(TMessage& Message) {
    if (FTransparent)
        Message.Result = 1;  // Paint draws the parent's background instead
    else
        TCustomControl::Dispatch(Message);
}

void TAdvCheckBox::CMEnabledChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void TAdvCheckBox::CMDialogChar(TMessage& Message) {
    TWMKey M(Message);
    if (!IsAccel(static_cast<Word>(M.CharCode), FCaption) || !CanFocus()) {
        TCustomControl::Dispatch(Message);
        return;
    }
    const TWeak<TControl> Self(this);
    Toggle();
    if (!Self) return;
    if (TabStop()) SetFocus();
    Message.Result = 1;
}

void TAdvCheckBox::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = true;
        invalidateBoxStrip();
    }
    TCustomControl::Dispatch(Message);
}

void TAdvCheckBox::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = false;
        invalidateBoxStrip();
    }
    TCustomControl::Dispatch(Message);
}
