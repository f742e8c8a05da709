// TAdvPanelSettings holds one set of panel settings; TAdvPanelStyler fills it from one of 28 named
// looks (TAdvPanelStyle) and pushes it to every panel of its owner whose Styler names it. The
// styler follows the machine's Office colour theme when asked, takes component styles and colour
// tones through the shared styler interfaces, and re-adapts when the desktop theme changes.
#pragma once

#include "components/controls/AdvPanel.h"
#include "components/controls/AdvPanelSettings.h"
#include "components/graphics/TesselStyle.h"

#include <memory>

class TNotifierWindow;

// Every writer stores a changed value and calls Changed, except those marked "stored".
class TAdvPanelSettings : public TPersistent {
public:
    TAdvPanelSettings();
    ~TAdvPanelSettings() override;

    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value);
    bool AutoHideChildren() const { return FAutoHideChildren; }  // default true
    void SetAutoHideChildren(bool Value);
    TBevelCut BevelInner() const { return FBevelInner; }  // default bvNone
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }  // default bvNone
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }  // default 1
    void SetBevelWidth(int Value);
    TColor BorderColor() const { return FBorderColor; }  // default clBlack
    void SetBorderColor(TColor Value);
    bool BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsSingle
    void SetBorderStyle(TBorderStyle Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    int BottomIndent() const { return FBottomIndent; }
    void SetBottomIndent(int Value);
    bool CanMove() const { return FCanMove; }
    void SetCanMove(bool Value);
    bool CanSize() const { return FCanSize; }
    void SetCanSize(bool Value);
    // Assigns into the owned caption (whose own changes also call Changed).
    TPanelCaption* Caption() const { return FCaption.get(); }
    void SetCaption(TPanelCaption* Value);
    bool Collaps() const { return FCollaps; }
    void SetCollaps(bool Value);
    TColor CollapsColor() const { return FCollapsColor; }  // default clBtnFace
    void SetCollapsColor(TColor Value);
    int CollapsDelay() const { return FCollapsDelay; }
    void SetCollapsDelay(int Value);
    int CollapsSteps() const { return FCollapsSteps; }
    void SetCollapsSteps(int Value);
    TColor Color() const { return FColor; }  // default clBtnFace
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }  // default clNone
    void SetColorTo(TColor Value);
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor Value);
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool Hover() const { return FHover; }
    void SetHover(bool Value);
    TColor HoverColor() const { return FHoverColor; }  // default clNone
    void SetHoverColor(TColor Value);
    TColor HoverFontColor() const { return FHoverFontColor; }  // default clNone
    void SetHoverFontColor(TColor Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TPanelStatusBar* StatusBar() const { return FStatusBar.get(); }
    void SetStatusBar(TPanelStatusBar* Value);
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    TTextVAlignment TextVAlign() const { return FTextVAlign; }
    void SetTextVAlign(TTextVAlignment Value);
    int TopIndent() const { return FTopIndent; }
    void SetTopIndent(int Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    bool ShowMoveCursor() const { return FShowMoveCursor; }
    void SetShowMoveCursor(bool Value);

    // Stored.
    bool FixedTop() const { return FFixedTop; }
    void SetFixedTop(bool Value) { FFixedTop = Value; }
    bool FixedLeft() const { return FFixedLeft; }
    void SetFixedLeft(bool Value) { FFixedLeft = Value; }
    bool FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(bool Value) { FFixedHeight = Value; }
    bool FixedWidth() const { return FFixedWidth; }
    void SetFixedWidth(bool Value) { FFixedWidth = Value; }
    int Height() const { return FHeight; }  // default 120
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    TColor ShadowColor() const { return FShadowColor; }  // default clBlack
    void SetShadowColor(TColor Value) { FShadowColor = Value; }
    int ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(int Value) { FShadowOffset = Value; }
    // A reference, not owned.
    TPanelPosition* Position() const { return FPosition; }
    void SetPosition(TPanelPosition* Value) { FPosition = Value; }

    TNotifyEvent OnChange;

    // Copies every setting (the position as a reference) without calling Changed; a source of
    // another class is ignored.
    void Assign(TPersistent* Source) override;
    void BeginUpdate() { ++FUpdateCount; }
    // Does nothing when not updating; Changed once the count returns to 0.
    void EndUpdate();
    // OnChange, unless inside BeginUpdate.
    void Changed();

private:
    bool FFixedHeight = false;
    bool FCanMove = false;
    bool FFixedWidth = false;
    bool FHover = false;
    bool FAutoHideChildren = true;
    bool FAnchorHint = false;
    bool FFixedLeft = false;
    bool FCanSize = false;
    bool FShowHint = false;
    bool FFixedTop = false;
    bool FCollaps = false;
    bool FShowMoveCursor = false;
    int FCollapsDelay = 0;
    int FCollapsSteps = 0;
    int FBevelWidth = 1;
    int FHeight = 120;
    int FShadowOffset = 0;
    String FText;
    String FHint;
    TBevelCut FBevelOuter = bvNone;
    TBevelCut FBevelInner = bvNone;
    TColor FHoverColor = clNone;
    TColor FHoverFontColor = clNone;
    TColor FCollapsColor = clBtnFace;
    TColor FBorderColor = clBlack;
    TColor FShadowColor = clBlack;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
    TColor FColorMirror = clNone;
    TColor FColorMirrorTo = clNone;
    TColor FURLColor = clBlue;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPanelCaption> FCaption;
    TPanelPosition* FPosition = nullptr;
    TTextVAlignment FTextVAlign = tvaTop;
    TBorderStyle FBorderStyle = bsSingle;
    TCursor FCursor = crDefault;
    bool FBorderShadow = false;
    int FIndent = 0;
    int FTopIndent = 0;
    int FBottomIndent = 0;
    int FWidth = 0;
    int FBorderWidth = 0;
    int FUpdateCount = 0;
    std::unique_ptr<TPanelStatusBar> FStatusBar;

    template <class T>
    void setAndChange(T& Field, const T& Value);
};

enum TAdvPanelStyle {
    psXP,
    psFlat,
    psTessel,
    psClassic,
    psOffice2003Blue,
    psOffice2003Olive,
    psOffice2003Silver,
    psOffice2003Classic,
    psOffice2007Luna,
    psOffice2007Obsidian,
    psWhidbey,
    psWindowsXP,
    psCustom,
    psOffice2007Silver,
    psWindowsVista,
    psWindows7,
    psTerminal,
    psOffice2010Blue,
    psOffice2010Silver,
    psOffice2010Black,
    psWindows8,
    psOffice2013White,
    psOffice2013LightGray,
    psOffice2013Gray,
    psWindows10,
    psOffice2016White,
    psOffice2016Gray,
    psOffice2016Black
};
static_assert(psOffice2016Black == 27);

class TAdvPanelStyler : public TComponent, public ITesselTones, public ITesselStyleEx {
public:
    explicit TAdvPanelStyler(TComponent* AOwner);
    ~TAdvPanelStyler() override;

    // Follow the machine's Office colour theme, now and on every desktop theme change.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }  // default false
    void SetAutoThemeAdapt(bool Value);
    TAdvPanelSettings* Settings() const { return FSettings.get(); }
    // Copies the values into the styler's own settings (which then reach the panels).
    void SetSettings(TAdvPanelSettings* Value) { FSettings->Assign(Value); }
    const String& Comments() const { return FComments; }
    void SetComments(const String& Value) { FComments = Value; }
    // Writes the look's values into the settings (psCustom writes nothing); one propagation.
    TAdvPanelStyle Style() const { return FStyle; }  // default psXP
    void SetStyle(TAdvPanelStyle Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    // tsCustom gives psOffice2003Blue; every other style its namesake.
    void SetComponentStyle(TTesselStyle AStyle) override;
    // psOffice2016White's status bar takes AppColor (clWhite when clNone).
    void SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) override;
    // Style psCustom, then the tones' colours, each change reaching the panels at once.
    void SetColorTones(const TColorTones& ATones) override;
    // Copies AutoThemeAdapt, the settings and Comments, then re-applies the source's style; a
    // source of another class is ignored.
    void Assign(TPersistent* Source) override;
    // The hidden window that hears desktop theme changes (nullptr once its parent freed it).
    TNotifierWindow* NotifierWnd() const { return FNotifierWnd.get(); }

protected:
    void Loaded() override;
    // With AutoThemeAdapt, the look of the Office theme found (psCustom when none).
    void ThemeChanged();

private:
    std::unique_ptr<TAdvPanelSettings> FSettings;
    String FComments;
    int FTag = 0;
    TWeak<TNotifierWindow> FNotifierWnd;  // owned through the component tree
    TAdvPanelStyle FStyle = psXP;
    bool FAutoThemeAdapt = false;

    void applyStyle(TAdvPanelStyle AStyle, TColor AppColor);
    void propagate();
};
