#include "framework/ui/Buttons.h"

#include "framework/ui/ExtCtrls.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 23, 22);
    // The button decides itself when a release counts as a click (inside, enabled, group rules).
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents} + TControlStyle{csCaptureMouse, csDoubleClicks});
    SetParentColor(true);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

TBitmap* TSpeedButton::Glyph() const { return FGlyph.get(); }

void TSpeedButton::SetGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph = std::make_unique<TBitmap>();
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
    Value = std::clamp(Value, 1, 4);
    if (FNumGlyphs == Value) return;
    FNumGlyphs = Value;
    Invalidate();
}

std::unique_ptr<TBitmap> TSpeedButton::StateGlyph() const {
    auto Part = std::make_unique<TBitmap>();
    if (FGlyph->Empty()) return Part;
    const int W = FGlyph->Width() / FNumGlyphs;
    int Index = 0;
    if (FState == bsDisabled && FNumGlyphs > 1) Index = 1;
    if (FState == bsDown && FNumGlyphs > 2) Index = 2;
    if (FState == bsExclusive && FNumGlyphs > 3) Index = 3;
    Part->SetSize(W, FGlyph->Height());
    Part->Canvas()->CopyRect(Rect(0, 0, W, FGlyph->Height()), FGlyph->Canvas(),
                             Rect(Index * W, 0, (Index + 1) * W, FGlyph->Height()));
    Part->SetTransparent(FGlyph->Transparent());
    if (FGlyph->Transparent()) Part->SetTransparentColor(FGlyph->TransparentColor());
    return Part;
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
    Value = std::max(0, Value);
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FGroupIndex == 0 && FDown) SetDown(false);
}

void TSpeedButton::SetAllowAllUp(bool Value) { FAllowAllUp = Value; }

void TSpeedButton::SetDown(bool Value) {
    // A plain button never stays down.
    if (FGroupIndex == 0) Value = false;
    if (FDown == Value) return;
    // The last down button of a group stays down unless the group allows all up.
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) raiseOthersOfGroup();
    setState(Value ? bsExclusive : bsUp);
}

void TSpeedButton::raiseOthersOfGroup() {
    TWinControl* P = Parent();
    if (!P || FGroupIndex == 0) return;
    for (int i = 0; i < P->ControlCount(); ++i) {
        auto* Other = dynamic_cast<TSpeedButton*>(P->Controls(i));
        if (!Other || Other == this || Other->FGroupIndex != FGroupIndex || !Other->FDown) continue;
        Other->FDown = false;
        Other->setState(bsUp);
    }
}

void TSpeedButton::setState(TButtonState Value) {
    if (!Enabled()) Value = bsDisabled;
    if (FState == Value) return;
    FState = Value;
    Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TSpeedButton> Self(this);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !Enabled()) return;
    FDragging = true;
    setState(bsDown);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TSpeedButton> Self(this);
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!Self || !FDragging) return;
    const bool Inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    setState(Inside ? bsDown : (FDown ? bsExclusive : bsUp));
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TSpeedButton> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !FDragging) return;
    FDragging = false;
    const bool Inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    if (!Inside) {
        setState(FDown ? bsExclusive : bsUp);
        return;
    }
    if (FGroupIndex != 0) {
        // A second click raises a down button only when the group allows all up.
        if (!FDown)
            SetDown(true);
        else if (FAllowAllUp)
            SetDown(false);
    }
    setState(FDown ? bsExclusive : bsUp);
    // The click comes last: its handler may free the button.
    Click();
}

void TSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (Message.LParam != 0 || FMouseInControl || !Enabled()) return;
    FMouseInControl = true;
    Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (Message.LParam != 0 || !FMouseInControl) return;
    FMouseInControl = false;
    Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (!Enabled()) {
        FMouseInControl = false;
        FDragging = false;
    }
    FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
    Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

namespace {

// What Paint needs, gathered once.
struct TButtonLook {
    TColor Face;
    bool Frame;
    bool Sunken;
    TColor TextColor;
};

TColor shade(TColor Color, int Percent) {
    const TColor Value = ColorToRGB(Color);
    auto Part = [Percent](int V) { return std::clamp(V + (Percent > 0 ? (255 - V) : V) * Percent / 100, 0, 255); };
    return RGB(Part(GetRValue(Value)), Part(GetGValue(Value)), Part(GetBValue(Value)));
}

}  // namespace

void TSpeedButton::Paint() {
    const bool Pressed = FState == bsDown || FState == bsExclusive;
    const bool Hot = FMouseInControl && Enabled();
    TButtonLook Look{Color(), !FFlat || Hot || Pressed, Pressed, Enabled() ? Font()->Color() : clGrayText};
    if (Pressed)
        Look.Face = shade(Color(), -15);
    else if (Hot && FFlat)
        Look.Face = shade(Color(), 30);

    TCanvas* C = Canvas();
    TRect R = GetClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Look.Face);
    C->FillRect(R);
    if (Look.Frame) {
        TRect Edge = R;
        Frame3D(C, Edge, Look.Sunken ? clBtnShadow : clBtnHighlight, Look.Sunken ? clBtnHighlight : clBtnShadow, 1);
    }

    const int Shift = Look.Sunken ? 1 : 0;
    C->Font()->Assign(Font());
    C->Font()->SetColor(Look.TextColor);
    C->Brush()->SetStyle(bsClear);
    const String Text = Caption();
    const TSize TextSize = Text.isEmpty() ? TSize{0, 0} : C->TextExtent(Text);
    const std::unique_ptr<TBitmap> Glyph = StateGlyph();
    const bool HasGlyph = !Glyph->Empty();
    const int GW = HasGlyph ? Glyph->Width() : 0;
    const int GH = HasGlyph ? Glyph->Height() : 0;
    const int Gap = HasGlyph && !Text.isEmpty() ? 4 : 0;
    int GX, GY, TX, TY;
    if (FLayout == blGlyphTop || FLayout == blGlyphBottom) {
        const int Total = GH + Gap + TextSize.cy;
        const int Top = (R.Height() - Total) / 2;
        GX = (R.Width() - GW) / 2;
        TX = (R.Width() - TextSize.cx) / 2;
        GY = FLayout == blGlyphTop ? Top : Top + TextSize.cy + Gap;
        TY = FLayout == blGlyphTop ? Top + GH + Gap : Top;
    } else {
        const int Total = GW + Gap + TextSize.cx;
        const int Left = (R.Width() - Total) / 2;
        GY = (R.Height() - GH) / 2;
        TY = (R.Height() - TextSize.cy) / 2;
        GX = FLayout == blGlyphLeft ? Left : Left + TextSize.cx + Gap;
        TX = FLayout == blGlyphLeft ? Left + GW + Gap : Left;
    }
    if (HasGlyph) C->Draw(GX + Shift, GY + Shift, Glyph.get());
    if (!Text.isEmpty()) C->TextOut(TX + Shift, TY + Shift, Text);
}
