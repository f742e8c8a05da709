// TCustomToolButton: what the tool button and the grid's glyph button share. A windowless button
// with a glyph (and hot, down, disabled and shadow copies), a caption, fill and border colours per
// state, numbered looks, a drop-down part with a menu, and the speed button's down state: a
// grouped button stays down until another of its group goes down, a check button toggles. The
// subclasses paint, and answer the hooks where their rules differ.
#pragma once

#include "framework/ui/ActnList.h"
#include "framework/ui/Buttons.h"
#include "framework/ui/Controls.h"

#include <memory>

class TBitmap;
class TPopupMenu;

// TButtonLayout and TButtonState are the speed button's (framework/ui/Buttons.h).
enum TAdvToolButtonStyle { tasButton, tasCheck };

// One predefined colour set; clNone where a colour is absent.
struct ToolButtonLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo;
    TColor BorderColor, BorderHotColor, BorderDownColor;
    bool Rounded;
};

// How a disabled glyph's grey averages the three channels: truncated or rounded.
enum class TGreyMean { Truncated, Rounded };

class TCustomToolButton;

// Caption, checked state and group index follow the action.
class TCustomToolButtonActionLink : public TControlActionLink {
public:
    explicit TCustomToolButtonActionLink(TControl* AClient);

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

protected:
    void AssignClient(TObject* AClient) override;
    TCustomToolButton* FClient = nullptr;
};

class TCustomToolButton : public TGraphicControl {
public:
    ~TCustomToolButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Applies the look of the XP colour scheme when switched on and on theme changes.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
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
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    // Not owned; dropped when the menu is freed.
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }
    bool Flat() const { return FFlat; }  // default true
    void SetFlat(bool Value);
    // Copies the bitmap; an empty or automatic disabled glyph becomes its grey copy, the shadow
    // is made anew.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* Value);
    // An assigned disabled glyph is kept when Glyph changes.
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* Value);
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
    TAdvToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TAdvToolButtonStyle Value);
    // Applies a look the button knows (lookOf) and remembers it; other numbers change nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);

    TNotifyEvent OnDropDown;

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

protected:
    // 23 x 22 in clBtnFace, capturing the mouse, taking double clicks.
    explicit TCustomToolButton(TComponent* AOwner);

    // The hooks. The colours of look Value, false for a number the button does not know.
    virtual bool lookOf(int Value, ToolButtonLook& L) const = 0;
    // How the automatic disabled glyph averages a pixel's channels.
    virtual TGreyMean disabledGreyMean() const = 0;
    // Whether Other takes part in this button's group.
    virtual bool isGroupPeer(const TCustomToolButton* Other) const = 0;
    // Whether a left press at X opens the drop-down menu instead of pressing the button.
    virtual bool pressOpensMenu(int X) const = 0;
    // The tool button forgets the hover after a press and asks the pointer again on every
    // tracking update; the grid's button keeps it until the pointer leaves.
    virtual bool recheckHoverAfterPress() const = 0;
    // Whether the pointer entering makes a raised button hot too.
    virtual bool raisedTurnsHot() const = 0;
    // Whether the hot look stays while the pointer leaves during a press.
    virtual bool keepsHotWhilePressed() const = 0;
    // Whether a double click fires only while the button is down.
    virtual bool dblClickOnlyWhenDown() const = 0;

    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void WMLButtonDblClk(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    void ThemeAdapt();
    // The menu below the button's bottom-left corner, when there is one.
    void ShowDropDownMenu();
    void UpdateTracking();
    void GenerateShade();
    // Settles the state a paint starts from (disabled, back from disabled, a down check button)
    // and readies the canvas: the font, a solid pen 1 wide.
    TCanvas* preparePaint();
    bool hot() const { return FMouseInControl && Enabled() && !designing(); }
    bool inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }
    bool designing() const { return ComponentState().Contains(csDesigning); }

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
    TAdvToolButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    TComponentLink<TPopupMenu> FDropDownMenu;
    bool FShowCaption = true;
    TButtonState FState = bsUp;

private:
    bool FGlyphDisabledAuto = false;  // the disabled glyph was made from Glyph

    void glyphChanged();
};
