// TZirOdadButton: the grid's own lightweight push button (its search panel's find and highlight
// buttons). A windowless control painting a glyph and a caption, flat or raised, with solid or
// gradient fills for the normal, hot, pressed and checked states, optional rounded corners, an
// optional drop-down part with a menu, radio-like groups and check style, a grey shadow under the
// hot glyph, and seven colour sets, one of which follows the Windows XP colour scheme.
// Its looks, gradients, glyph layout and glyph greying are the tool button's routines.
#pragma once

#include "components/controls/AdvToolButton.h"

#include <memory>

class TPopupMenu;

// The tool button's style: tasButton or tasCheck.
using TZirOdadButtonStyle = TAdvToolButtonStyle;

class TZirOdadButton;

class TZirOdadButtonActionLink : public TControlActionLink {
public:
    explicit TZirOdadButtonActionLink(TControl* AClient);
    static TControlActionLink* Create(TControl* AClient) { return new TZirOdadButtonActionLink(AClient); }

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

protected:
    void AssignClient(TObject* AClient) override;

private:
    TZirOdadButton* FClient = nullptr;
};

class TZirOdadButton : public TGraphicControl {
public:
    explicit TZirOdadButton(TComponent* AOwner);
    ~TZirOdadButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Applies the look of the XP colour scheme when switched on and on theme changes.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    // A raised button draws the visual style's push button when on and styles are active.
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
    // Color is the control's own (default clBtnFace).
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // The rightmost 12 pixels open the drop-down menu instead of clicking.
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    // Not owned; dropped when the menu is freed.
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }
    bool Flat() const { return FFlat; }  // default true
    void SetFlat(bool Value);
    // Copies the bitmap; an empty or automatic disabled glyph becomes its grey copy.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* Value);
    // An assigned disabled glyph is kept when Glyph changes.
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* Value);
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }  // default -1 (centred); below -1 ignored
    void SetMargin(int Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool Shaded() const { return FShaded; }  // default true
    void SetShaded(bool Value);
    bool ShowCaption() const { return FShowCaption; }  // default true
    void SetShowCaption(bool Value);
    int Spacing() const { return FSpacing; }  // default 4, -1 computed
    void SetSpacing(int Value);
    TZirOdadButtonStyle Style() const { return FStyle; }
    void SetStyle(TZirOdadButtonStyle Value);
    // Colour sets 0..6 (the tool button's first seven looks); other numbers change nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);

    TNotifyEvent OnDropDown;

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

protected:
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    TControlActionLinkClass GetActionLinkClass() const override { return &TZirOdadButtonActionLink::Create; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void WMLButtonDblClk(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

private:
    bool FIsComCtl6 = false;
    int FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = clGray;
    TColor FColorCheckedTo = clNone;
    TZirOdadButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TComponentLink<TPopupMenu> FDropDownMenu;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    bool FGlyphDisabledAuto = false;  // the disabled glyph was made from Glyph

    void UpdateExclusive();
    void UpdateTracking();
    void ThemeAdapt() { SetLook(XPColorSchemeLook()); }
    bool hot() const;
    bool inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }
    bool designing() const { return ComponentState().Contains(csDesigning); }
    void glyphChanged();
    void paintFlatFace(TRect& R);
    void paintRaisedFace(TRect& R);
    void paintContent(const TRect& R, int Offset);
    TBitmap* drawnGlyph(TButtonState AState) const;
};
