#include "components/grid/ZirOdadButton.h"

#include "components/graphics/AdvXPVS.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/UxTheme.h"

namespace {

constexpr TBandHeight kBands = TBandHeight::Rounded;

// A raised button in the visual style's push button, when the style can draw it.
bool drawThemedButton(TControl* Parent, HDC DC, int State, const TRect& R) {
    if (!AdvXPVS.IsThemeActive || !AdvXPVS.IsThemeActive() || !AdvXPVS.OpenThemeData || !AdvXPVS.DrawThemeBackground ||
        !AdvXPVS.CloseThemeData)
        return false;
    auto* Window = dynamic_cast<TWinControl*>(Parent);
    HTHEME Theme = AdvXPVS.OpenThemeData(Window ? Window->Handle() : nullptr, u"button");
    if (!Theme) return false;
    AdvXPVS.DrawThemeBackground(Theme, DC, BP_PUSHBUTTON, State, &R, nullptr);
    AdvXPVS.CloseThemeData(Theme);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Properties and hooks

TZirOdadButton::TZirOdadButton(TComponent* AOwner) : TCustomToolButton(AOwner), FIsComCtl6(IsComCtl6OrLater()) {}

void TZirOdadButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value) ThemeAdapt();
}

bool TZirOdadButton::lookOf(int Value, ToolButtonLook& L) const {
    if (Value < 0 || Value > 6) return false;
    L = ToolButtonLooks(Value);
    L.BorderColor = clNone;
    L.Rounded = Value == 0;
    return true;
}

bool TZirOdadButton::isGroupPeer(const TCustomToolButton* Other) const {
    return dynamic_cast<const TZirOdadButton*>(Other) != nullptr;
}

bool TZirOdadButton::pressOpensMenu(int X) const {
    return FDropDownButton && X > ClientWidth() - ToolButtonDropDownWidth;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TZirOdadButton::paintFlatFace(TRect& R) {
    TCanvas* C = Canvas();
    if (FBorderDownColor == clNone || FRounded) R = InflatedRect(R, -1);
    if (!hot()) {
        if (FStyle == tasCheck && FDown) {
            FillToolButtonState(C, FColorChecked, FColorCheckedTo, FBorderDownColor, R, kBands);
        } else {
            const TColor Outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
            FillToolButtonState(C, Color(), FColorTo, FColorTo == clNone ? clNone : Outline, R, kBands);
        }
        if (FBorderColor != clNone) {
            if (FRounded) {
                DrawToolButtonRoundFrame(C, FBorderColor, InflatedRect(R, 1));
            } else {
                C->Brush()->SetStyle(bsClear);
                C->Pen()->SetColor(FBorderColor);
                C->Rectangle(R);
            }
        }
    } else {
        const bool Checked = FStyle == tasCheck && FDown && !FDragging;
        TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
        if (Checked) {
            From = FColorChecked;
            To = FColorCheckedTo;
            Border = FBorderDownColor;
        } else if (FState == bsDown) {
            From = FColorDown;
            To = FColorDownTo;
            Border = FBorderDownColor;
        }
        FillToolButtonState(C, From, To, FRounded ? clNone : Border, R, kBands);
        if (FRounded) DrawToolButtonRoundFrame(C, Border, InflatedRect(R, 1));
        if (FDropDownButton) {
            C->Pen()->SetColor(Border);
            C->MoveTo(R.Right - ToolButtonDropDownWidth, R.Top);
            C->LineTo(R.Right - ToolButtonDropDownWidth, R.Bottom);
        }
    }
    R = InflatedRect(R, -1);
}

void TZirOdadButton::paintRaisedFace(TRect& R) {
    const bool Pressed = FState == bsDown || FState == bsExclusive;
    if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6) {
        const int ThemeState = Pressed ? PBS_PRESSED : (FMouseInControl ? PBS_HOT : PBS_NORMAL);
        if (drawThemedButton(Parent(), Canvas()->Handle(), ThemeState, R)) return;
    }
    DrawFrameControl(Canvas()->Handle(), &R, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? DFCS_PUSHED : 0u));
}

// The glyph of the state: hot, down, disabled or normal, each only when it has a picture.
TBitmap* TZirOdadButton::drawnGlyph(TButtonState AState) const {
    const bool Pressed = AState == bsDown || AState == bsExclusive;
    if (hot() && AState != bsDown && !FGlyphHot->Empty()) return FGlyphHot.get();
    if (Pressed && !FGlyphDown->Empty()) return FGlyphDown.get();
    if (!Enabled() && !FGlyphDisabled->Empty()) return FGlyphDisabled.get();
    return FGlyph.get();
}

void TZirOdadButton::paintContent(const TRect& R, int Offset) {
    TCanvas* C = Canvas();
    const TButtonState DrawState = (FDown && FGroupIndex != 0) ? bsDown : FState;
    const bool HasCaption = FShowCaption && !Caption().isEmpty();
    TSize Glyph{0, 0};
    if (!FGlyph->Empty()) Glyph = {FGlyph->Width(), FGlyph->Height()};
    TSize Text{0, 0};
    if (FShowCaption) Text = MeasureButtonCaption(C, Caption(), R.Width(), UseRightToLeftReading());
    TToolButtonLayout L =
        LayoutGlyphAndCaption(R, Offset, FLayout, UseRightToLeftAlignment(), Glyph, Text, FMargin, FSpacing);
    // Without a caption the glyph is centred from the control's corner, by R's size alone.
    if (!HasCaption) L.GlyphPos = Point((R.Width() - Glyph.cx) / 2, (R.Height() - Glyph.cy) / 2);
    const bool Lifted = hot() && FShaded && DrawState != bsDown;
    if (Lifted && !FGlyphShade->Empty()) {
        const int D = HasCaption ? 2 : 0;
        C->Draw(L.GlyphPos.X + D, L.GlyphPos.Y + D, FGlyphShade.get());
    }
    if (TBitmap* Bmp = drawnGlyph(DrawState); !Bmp->Empty()) C->Draw(L.GlyphPos.X, L.GlyphPos.Y, Bmp);
    if (!FShowCaption) return;
    const TRect TextBounds = (Lifted && FFlat) ? MovedRect(L.TextBounds, 1, 1) : L.TextBounds;
    DrawButtonCaption(C, Caption(), TextBounds, DrawState == bsDisabled, UseRightToLeftReading());
}

void TZirOdadButton::Paint() {
    TCanvas* C = preparePaint();
    TRect R = Rect(0, 0, Width(), Height());
    if (FFlat)
        paintFlatFace(R);
    else
        paintRaisedFace(R);

    int Offset = 0;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !hot()))
            FillToolButtonState(C, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor,
                                InflatedRect(R, 1), kBands);
        if (!FFlat && !designing()) Offset = 1;
    } else if (FFlat && hot() && FShaded) {
        Offset = -1;
    }
    if (FDropDownButton) DrawToolButtonDropTriangle(C, Font()->Color(), R);
    paintContent(R, Offset);
}
