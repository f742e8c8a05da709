// The menu styler that publishes every appearance property and adds Style, a choice among
// built-in colour sets named after Office and Windows versions, and AutoThemeAdapt, which makes
// the styler follow the visual style's colour scheme. It answers ITesselStyle, so a form can
// switch it together with every other styled control. A hidden notifier window that the styler
// owns tells it when the visual style changes (WM_THEMECHANGED).
#pragma once

#include "components/controls/AdvMenuStylers.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/Controls.h"

// Ordinals matter: styles are stored by number.
enum TOfficeStyle {
    osOffice2003Blue,
    osOffice2003Silver,
    osOffice2003Olive,
    osOfficeXP,
    osOffice2007Luna,
    osOffice2007Obsidian,
    osCustom,
    osOffice2007Silver,
    osVista,
    osWhidbey,
    osWindows7,
    osTerminal,
    osOffice2010Blue,
    osOffice2010Silver,
    osOffice2010Black,
    osWindows8,
    osOffice2013White,
    osOffice2013LightGray,
    osOffice2013Gray,
    osWindows10,
    osOffice2016White,
    osOffice2016Gray,
    osOffice2016Black
};
static_assert(osOffice2016Black == 22);

// The built-in style a form-wide look maps to; false for tsCustom (no change).
bool OfficeStyleForTesselStyle(TTesselStyle AStyle, TOfficeStyle& Style);

class TAdvMenuOfficeStyler : public TCustomAdvMenuStyler, public ITesselStyle {
public:
    // Starts with the osOffice2003Blue set; the notifier window is parented to the first windowed
    // control on the owner chain, when there is one.
    explicit TAdvMenuOfficeStyler(TComponent* AOwner);
    ~TAdvMenuOfficeStyler() override;

    // Switching it on adapts the style at once.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }  // default false
    void SetAutoThemeAdapt(bool Value);
    // Writes the style's colour set over the appearance objects; values a style does not write
    // keep what was there. Every style (osCustom too) first resets Font's colour to clWindowText
    // and turns UseSystemFont on.
    TOfficeStyle Style() const { return FStyle; }  // default osOffice2003Blue
    void SetStyle(TOfficeStyle Value);

    // With AutoThemeAdapt, picks the style from the visual style's colour scheme (GetXPColorScheme,
    // shared with the tool button): blue, olive, silver, else osOfficeXP.
    void ThemeChanged();
    void SetComponentStyle(TTesselStyle AStyle) override;
    void Loaded() override;

    // nullptr once gone: a parent frees its child windows, so the form may free it first.
    TNotifierWindow* NotifierWnd() const { return FNotifierWnd.get(); }

private:
    TWeak<TNotifierWindow> FNotifierWnd;  // owned through the component tree
    TOfficeStyle FStyle = osOffice2003Blue;
    bool FAutoThemeAdapt = false;

    void writeColorSet(TOfficeStyle Value);
    void writeStyleFonts(TOfficeStyle Value);
};
