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

TAdvCheckBox::TAdvCheckBox(TComponent* AOwner) : TCustomButtonControl(AOwner) {
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
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
    TCustomButtonControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FTransparent) return;
    FBkgCache = false;
    Invalidate();
}

void TAdvCheckBox::Toggle() {
    if (!FReadOnly) SetChecked(!Checked());
}

void TAdvCheckBox::activate() {
    Toggle();
    Click();
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
        TRect Shadow = MovedRect(R, 1, 1);
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
    TCustomButtonControl::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    SetMouseCapture(true);
    FDown = true;
    if (FIsWinXP) invalidateBoxStrip();
}
