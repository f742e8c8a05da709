// TZirOdadButton: the grid's own lightweight push button (its search panel's find and highlight
// buttons). A windowless control painting a glyph and a caption, flat or raised, with solid or
// gradient fills for the normal, hot, pressed and checked states, optional rounded corners, an
// optional drop-down part with a menu, radio-like groups and check style, a grey shadow under the
// hot glyph, and seven colour sets, one of which follows the Windows XP colour scheme.
// Its state, group and pointer handling are TCustomToolButton's; its looks, gradients, glyph
// layout and glyph greying are the tool button's routines.
#pragma once

#include "components/controls/AdvToolButton.h"

// The tool button's style: tasButton or tasCheck.
using TZirOdadButtonStyle = TAdvToolButtonStyle;

class TZirOdadButtonActionLink : public TCustomToolButtonActionLink {
public:
    explicit TZirOdadButtonActionLink(TControl* AClient) : TCustomToolButtonActionLink(AClient) {}
    static TControlActionLink* Create(TControl* AClient) { return new TZirOdadButtonActionLink(AClient); }
};

class TZirOdadButton : public TCustomToolButton {
public:
    explicit TZirOdadButton(TComponent* AOwner);

    void SetAutoThemeAdapt(bool Value);
    // A raised button draws the visual style's push button when on and styles are active.
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }

protected:
    void Paint() override;
    TControlActionLinkClass GetActionLinkClass() const override { return &TZirOdadButtonActionLink::Create; }

    // Colour sets 0..6, the tool button's first seven looks without a normal border, set 0
    // rounded.
    bool lookOf(int Value, ToolButtonLook& L) const override;
    // (Round((R + G + B) / 3) div 2) + 96.
    TGreyMean disabledGreyMean() const override { return TGreyMean::Rounded; }
    bool isGroupPeer(const TCustomToolButton* Other) const override;
    // Only the rightmost 12 pixels of a drop-down button.
    bool pressOpensMenu(int X) const override;
    bool recheckHoverAfterPress() const override { return false; }
    bool raisedTurnsHot() const override { return true; }
    bool keepsHotWhilePressed() const override { return true; }
    bool dblClickOnlyWhenDown() const override { return true; }

private:
    bool FIsComCtl6 = false;
    bool FAutoXPStyle = false;

    void paintFlatFace(TRect& R);
    void paintRaisedFace(TRect& R);
    void paintContent(const TRect& R, int Offset);
    TBitmap* drawnGlyph(TButtonState AState) const;
};
