// THTMLRadioButton: grouping, the glyph, and the focus and click rules.
#include "components/controls/HTMLRadioButton.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/UxTheme.h"

using namespace htmlbutton;

THTMLRadioButton::THTMLRadioButton(TComponent* AOwner) : TCustomHTMLButton(AOwner) { SetCaption(ClassName()); }

void THTMLRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    SetTabStop(Value);
    FChecked = Value;
    if (Value) {
        const TWeak<TControl> Self(this);
        uncheckGroup();
        if (!Self) return;
        DoClick();
        if (!Self) return;
    }
    Invalidate();
}

void THTMLRadioButton::uncheckGroup() {
    TWinControl* P = Parent();
    if (!P) return;
    for (int I = 0; I < P->ControlCount(); ++I) {
        auto* Other = dynamic_cast<THTMLRadioButton*>(P->Controls(I));
        if (Other && Other != this && Other->FGroupIndex == FGroupIndex) Other->SetChecked(false);
    }
}

void THTMLRadioButton::DoClick() {
    if (OnClick) OnClick(this);
}

THTMLRadioButton::GlyphPlace THTMLRadioButton::placeGlyph() {
    GlyphPlace G;
    const int W = ClientWidth(), H = ClientHeight();
    const TButtonType Type = drawnType();
    // The caption keeps a scaled gap from the glyph.
    const int Gap = static_cast<int>(Round(5 * FScaleFactor));
    const auto bitmapGlyph = [&](const char* OnName, const char* OffName, const char* DisabledOnName,
                                 const char* DisabledOffName, int RightGap) {
        const char* Name = Enabled() ? (FChecked ? OnName : OffName) : (FChecked ? DisabledOnName : DisabledOffName);
        placeBitmapGlyph(G, Name, 2, 2, RightGap, 13 + Gap);
    };
    switch (Type) {
        case btCorvane: {
            int S = static_cast<int>(Round(12 * FScaleFactor));
            if (S % 2 != 0) ++S;
            G.Kind = GlyphPlace::gkCorvane;
            G.R = glyphRect(S, glyphTop(4, H / 2 - S / 2, H - S - 4), W - S - 1, 1);
            G.Indent = S + Gap;
            break;
        }
        case btTessel:
            bitmapGlyph("HTMBRAD01", "HTMBRAD02", "HTMBRAD03", "HTMBRAD04", 1);
            break;
        case btWinXP:
            if (!themed()) {
                bitmapGlyph("HTMBRAD05", "HTMBRAD06", "HTMBRAD07", "HTMBRAD08", 0);
            } else {
                const int S = static_cast<int>(Round(13 * FScaleFactor));
                G.Kind = GlyphPlace::gkTheme;
                G.R = glyphRect(S, glyphTop(4, H / 2 - 6, H - 14), W - 14);
                G.ThemePart = BP_RADIOBUTTON;
                G.ThemeState = (FChecked ? 5 : 1) + (!Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0);
                G.Indent = 13 + Gap;
            }
            break;
        default: {  // btClassic, btFlat
            const int S = static_cast<int>(Round(13 * FScaleFactor));
            G.Kind = GlyphPlace::gkFrame;
            G.R = glyphRect(S, glyphTop(4, H / 2 - 6, H - S - 4), W - S);
            G.FrameState = DFCS_BUTTONRADIO;
            if (FChecked) G.FrameState |= DFCS_CHECKED;
            if (!Enabled()) G.FrameState |= DFCS_INACTIVE;
            if (Type == btFlat) G.FrameState |= DFCS_FLAT;
            G.Indent = S + Gap;
            break;
        }
    }
    return G;
}

void THTMLRadioButton::paintCorvane(TCanvas* C, const TRect& Box) {
    const int L = Box.Left, T = Box.Top, R = Box.Right, B = Box.Bottom, Half = Box.Width() / 2;
    const TPoint Top{L + Half, T}, Left{L, T + Half}, Bottom{L + Half, B}, Right{R, T + Half};
    C->Pen()->SetWidth(1);
    if (FDown) {
        C->Pen()->SetColor(clBlack);
        C->Polyline({Top, Left, Bottom, Right, Top});
        C->Polyline({{L + Half, T + 1}, {L + 1, T + Half}, {L + Half, B - 1}, {R - 1, T + Half}, {L + Half, T + 1}});
    } else {
        C->Pen()->SetColor(FChecked ? clGray : clSilver);
        C->Polyline({Top, Left, Bottom});
        C->Pen()->SetColor(FChecked ? clSilver : clGray);
        C->Polyline({Bottom, Right, Top});
    }
    if (!FChecked) return;
    const int X = L + Half, Y = T + Half;
    C->Pen()->SetColor(Enabled() ? FCheckColor : clGray);
    const struct {
        int X1, Y1, X2, Y2;
    } Dot[] = {{X - 1, Y - 1, X + 2, Y - 1}, {X - 2, Y, X + 3, Y}, {X - 1, Y + 1, X + 2, Y + 1}, {X, Y - 2, X, Y + 3}};
    for (const auto& S : Dot) {
        C->MoveTo(S.X1, S.Y1);
        C->LineTo(S.X2, S.Y2);
    }
}

void THTMLRadioButton::DoEnter() {
    // Taking the focus checks the button, so tabbing into a group selects.
    const TWeak<TControl> Self(this);
    TCustomHTMLButton::DoEnter();
    if (Self) SetChecked(true);
}

void THTMLRadioButton::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN)
        WMLButtonDown(Message);
    else
        TCustomHTMLButton::Dispatch(Message);
}

void THTMLRadioButton::WMLButtonDown(TMessage& Message) {
    // The focus first, so that a click on an unfocused button checks it through DoEnter.
    const TWeak<TControl> Self(this);
    if (CanFocus()) SetFocus();
    if (Self) TCustomHTMLButton::Dispatch(Message);
}
