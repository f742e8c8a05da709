// TAdvCustomDropDown: the edit's height and the button's place, the formatting rectangle, the
// caption label, the painted border, the look of an edit that takes no typing and the grey hint
// of an empty edit.
#include "components/controls/ControlScaling.h"
#include "components/dropdowns/AdvDropDown.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

// ---------------------------------------------------------------------------------------------
// Height, button and formatting rectangle

void TAdvCustomDropDown::UpdateButtonPosition() {
    const int MinHeight = EditMinHeight(Font());
    if (Height() < MinHeight) {
        SetHeight(MinHeight);
        Invalidate();
        return;
    }
    if (FButton) {
        // The edit paints its border inside its bounds: what the platform places in the client
        // area (inside the border) moves in by the border's width.
        const int BW = FButtonWidth;
        const int B = BorderSize();
        if (Ctl3D() && BorderStyle() != bsNone)
            FButton->SetBounds(Width() - BW - 4 + B, B, BW, Height() - 4);
        else
            FButton->SetBounds(Width() - BW - (Ctl3D() ? 0 : 2) + B, 1 + B, BW, Height() - 2 - 2 * B);
    }
    SetEditRect();
    Invalidate();
}

void TAdvCustomDropDown::SetEditRect() {
    if (!HandleAllocated()) return;
    TRect R;
    Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    const bool Bordered = BorderStyle() != bsNone;
    const int B = BorderSize();
    R.Bottom = Height() - 2 * B + 1;
    R.Right = Width() - 2 * B - FButtonWidth - 3;
    R.Left = Bordered ? 1 : 2;
    R.Top = Bordered ? 1 : 3;
    FEditRect = R;
    const TRect Window = Rect(R.Left + B + (Ctl3D() ? 0 : 1), R.Top + B, R.Right + B, std::min(R.Bottom + B, Height()));
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Window));
}

void TAdvCustomDropDown::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    // A new window is told its size: the button and the formatting rectangle take their places.
    UpdateButtonPosition();
    // The label's font follows the screen's scale when the window is made.
    if (ParentFont() || LabelCaption().isEmpty() || designing()) return;
    FLblUpdate = true;
    FLabelFont->SetHeight(static_cast<int>(Round(GetDPIScale() * FLblFntHeight)));
    FLblUpdate = false;
    UpdateLabel();
}

// ---------------------------------------------------------------------------------------------
// The label

void TAdvCustomDropDown::CreateLabel() {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont.get());
    FLabel->OnClick = [this](TObject* Sender) { DoLabelClick(Sender); };
    FLabel->OnDblClick = [this](TObject* Sender) { DoLabelDblClick(Sender); };
    FLabel->SetParentFont(ParentFont());
}

String TAdvCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvCustomDropDown::SetLabelCaption(const String& Value) {
    if (!FLabel) CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TAdvCustomDropDown::SetLabelFont(TFont* Value) {
    if (!ParentFont()) FLabelFont->Assign(Value);
    if (FLabel) UpdateLabel();
}

void TAdvCustomDropDown::SetLabelMargin(int Value) {
    FLabelMargin = Value;
    if (FLabel) UpdateLabel();
}

void TAdvCustomDropDown::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    if (FLabel) UpdateLabel();
}

void TAdvCustomDropDown::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    if (FLabel) UpdateLabel();
}

void TAdvCustomDropDown::UpdateLabel() {
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? Font() : FLabelFont.get());
    int W = 0;
    if (FLabel->Parent() && FLabel->Parent()->HandleAllocated()) {
        TBitmap Surface(1, 1);
        Surface.Canvas()->Font()->Assign(FLabel->Font());
        TRect R = Rect(0, 0, 1000, 255);
        DrawText(Surface.Canvas()->Handle(), FLabel->Caption(), -1, R, DT_CALCRECT | DT_HIDEPREFIX);
        W = R.Width();
    }
    const int L = Left(), T = Top(), Wd = Width(), Ht = Height(), M = FLabelMargin;
    const int LW = FLabel->Width(), LH = FLabel->Height();
    const int VCentre = T + (Ht - LH) / 2;
    const int HCentre = L + (Wd - LW) / 2;
    const TPoint P = LabelPlace(FLabelPosition, Rect(L, T, L + Wd, T + Ht), TSize{LW, LH}, W, M, VCentre, HCentre);
    FLabel->SetBounds(P.X, P.Y, LW, LH);
    FLabel->SetVisible(Visible());
}

void TAdvCustomDropDown::LabelFontChanged(TObject*) {
    if (FLabel) UpdateLabel();
    if (designing() && !loading()) SetParentFont(false);
    if (!FLblUpdate) FLblFntHeight = FLabelFont->Height();
}

void TAdvCustomDropDown::CMParentFontChanged(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (!Self || !FLabel || !ParentFont()) return;
    FLabel->SetFont(Font());
    UpdateLabel();
}

void TAdvCustomDropDown::CMVisibleChanged(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self && FLabel && !FLabel->Caption().isEmpty()) FLabel->SetVisible(Visible());
}

// ---------------------------------------------------------------------------------------------
// Painting: border, non-typing look, empty-text hint

void TAdvCustomDropDown::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
    if (FButton) FButton->Button()->Invalidate();
}

void TAdvCustomDropDown::SetDisabledBorder(bool Value) {
    if (FDisabledBorder == Value) return;
    FDisabledBorder = Value;
    Invalidate();
}

void TAdvCustomDropDown::SetEmptyText(const String& Value) {
    FEmptyText = Value;
    Invalidate();
}

void TAdvCustomDropDown::SetEmptyTextStyle(TFontStyles Value) {
    FEmptyTextStyle = Value;
    Invalidate();
}

bool TAdvCustomDropDown::disabledFocusShown() { return !FEditorEnabled && Focused() && !designing() && FFocusDraw; }

void TAdvCustomDropDown::WMPaint(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    // The non-typing look writes the value itself, in the highlight colours.
    SetEditorTextVisible(!disabledFocusShown());
    TCustomMaskEdit::Dispatch(Message);
    if (!Self) return;
    DrawDisabledFocus();
    DrawEmptyText();
    if (FFocusBorderColor != clNone || FBorderColor != clNone || (!Enabled() && FDisabledBorder)) PaintBorder();
}

void TAdvCustomDropDown::WMNCPaint(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    TCustomMaskEdit::Dispatch(Message);
    if (Self && (FFocusBorderColor != clNone || FBorderColor != clNone)) PaintBorder();
}

bool TAdvCustomDropDown::hot() const { return FMouseInControl || (Screen && Screen->ActiveControl() == this); }

void TAdvCustomDropDown::paintFrame(HDC DC, const TRect& R, TColor Color) {
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.Brush()->SetColor(Color);
    Canvas.FrameRect(R);
    Canvas.SetHandle(nullptr);
}

void TAdvCustomDropDown::PaintBorder() {
    if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    if (designing()) {
        if (FButton) FButton->Button()->SetFocused(Enabled());
        return;
    }
    if (!HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TRect R = Rect(0, 0, Width(), Height());
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        paintFrame(DC, R, clSilver);
    } else if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) {
        paintFrame(DC, R, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focused()) paintFrame(DC, R, FFocusBorderColor);
    } else if (hot()) {
        DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        paintFrame(DC, R, clBtnFace);
    } else {
        const TColor Back = Parent() ? Parent()->Color() : clBtnFace;
        paintFrame(DC, R, Back);
        paintFrame(DC, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), Back);
    }
    ReleaseDC(Handle(), DC);
    if (FButton) FButton->Button()->SetFocused(hot());
}

void TAdvCustomDropDown::DrawDisabledFocus() {
    if (!disabledFocusShown() || !HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const TRect R = Rect(2, 2, Width() - DropDownButtonWidth() - 1, Height() - 2);
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clHighlight);
    Canvas.Rectangle(R);
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetColor(clHighlightText);
    Canvas.Brush()->SetStyle(bsClear);
    TRect T = Rect(R.Left + 2, R.Top, R.Right - 3, R.Bottom);
    DrawText(Canvas.Handle(), GetText(), -1, T, DT_SINGLELINE | DT_VCENTER);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

void TAdvCustomDropDown::DrawEmptyText() {
    if (!GetText().isEmpty() || FEmptyText.isEmpty() || (Focused() && !FEmptyTextFocused) || !HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    if (IsVistaOrLater()) {
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Color());
    } else {
        SetBkMode(DC, TRANSPARENT);
    }
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetStyle(FEmptyTextStyle);
    Canvas.Font()->SetColor(0x808080);
    Canvas.TextOut(BorderSize() + (Ctl3D() ? 3 : 6), BorderSize() + 2, FEmptyText);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}
