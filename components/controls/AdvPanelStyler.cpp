#include "components/controls/AdvPanelStyler.h"

#include "components/controls/AdvPanel_Internal.h"

#include <iterator>

using namespace advpanel_detail;

// ---------------------------------------------------------------------------------------------
// TAdvPanelSettings

TAdvPanelSettings::TAdvPanelSettings()
    : FFont(std::make_unique<TFont>()),
      FCaption(std::make_unique<TPanelCaption>()),
      FStatusBar(std::make_unique<TPanelStatusBar>()) {
    const TNotifyEvent Change = [this](TObject*) { Changed(); };
    FCaption->OnChange = Change;
    FStatusBar->OnChange = Change;
    FFont->OnChange = Change;
}

TAdvPanelSettings::~TAdvPanelSettings() = default;

template <class T>
void TAdvPanelSettings::setAndChange(T& Field, const T& Value) {
    if (assignChanged(Field, Value)) Changed();
}

void TAdvPanelSettings::Changed() {
    if (FUpdateCount == 0) fire(OnChange, this);
}

void TAdvPanelSettings::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Changed();
}

void TAdvPanelSettings::SetAnchorHint(bool Value) { setAndChange(FAnchorHint, Value); }
void TAdvPanelSettings::SetAutoHideChildren(bool Value) { setAndChange(FAutoHideChildren, Value); }
void TAdvPanelSettings::SetBevelInner(TBevelCut Value) { setAndChange(FBevelInner, Value); }
void TAdvPanelSettings::SetBevelOuter(TBevelCut Value) { setAndChange(FBevelOuter, Value); }
void TAdvPanelSettings::SetBevelWidth(int Value) { setAndChange(FBevelWidth, Value); }
void TAdvPanelSettings::SetBorderColor(TColor Value) { setAndChange(FBorderColor, Value); }
void TAdvPanelSettings::SetBorderShadow(bool Value) { setAndChange(FBorderShadow, Value); }
void TAdvPanelSettings::SetBorderStyle(TBorderStyle Value) { setAndChange(FBorderStyle, Value); }
void TAdvPanelSettings::SetBorderWidth(int Value) { setAndChange(FBorderWidth, Value); }
void TAdvPanelSettings::SetBottomIndent(int Value) { setAndChange(FBottomIndent, Value); }
void TAdvPanelSettings::SetCanMove(bool Value) { setAndChange(FCanMove, Value); }
void TAdvPanelSettings::SetCanSize(bool Value) { setAndChange(FCanSize, Value); }
void TAdvPanelSettings::SetCollaps(bool Value) { setAndChange(FCollaps, Value); }
void TAdvPanelSettings::SetCollapsColor(TColor Value) { setAndChange(FCollapsColor, Value); }
void TAdvPanelSettings::SetCollapsDelay(int Value) { setAndChange(FCollapsDelay, Value); }
void TAdvPanelSettings::SetCollapsSteps(int Value) { setAndChange(FCollapsSteps, Value); }
void TAdvPanelSettings::SetColor(TColor Value) { setAndChange(FColor, Value); }
void TAdvPanelSettings::SetColorTo(TColor Value) { setAndChange(FColorTo, Value); }
void TAdvPanelSettings::SetColorMirror(TColor Value) { setAndChange(FColorMirror, Value); }
void TAdvPanelSettings::SetColorMirrorTo(TColor Value) { setAndChange(FColorMirrorTo, Value); }
void TAdvPanelSettings::SetCursor(TCursor Value) { setAndChange(FCursor, Value); }
void TAdvPanelSettings::SetHover(bool Value) { setAndChange(FHover, Value); }
void TAdvPanelSettings::SetHoverColor(TColor Value) { setAndChange(FHoverColor, Value); }
void TAdvPanelSettings::SetHoverFontColor(TColor Value) { setAndChange(FHoverFontColor, Value); }
void TAdvPanelSettings::SetIndent(int Value) { setAndChange(FIndent, Value); }
void TAdvPanelSettings::SetTextVAlign(TTextVAlignment Value) { setAndChange(FTextVAlign, Value); }
void TAdvPanelSettings::SetTopIndent(int Value) { setAndChange(FTopIndent, Value); }
void TAdvPanelSettings::SetURLColor(TColor Value) { setAndChange(FURLColor, Value); }
void TAdvPanelSettings::SetShowMoveCursor(bool Value) { setAndChange(FShowMoveCursor, Value); }
void TAdvPanelSettings::SetText(const String& Value) { setAndChange(FText, Value); }

void TAdvPanelSettings::SetCaption(TPanelCaption* Value) {
    BeginUpdate();
    FCaption->Assign(Value);
    EndUpdate();
}

void TAdvPanelSettings::SetFont(TFont* Value) {
    BeginUpdate();
    FFont->Assign(Value);
    EndUpdate();
}

void TAdvPanelSettings::SetStatusBar(TPanelStatusBar* Value) {
    BeginUpdate();
    FStatusBar->Assign(Value);
    EndUpdate();
}

void TAdvPanelSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TAdvPanelSettings*>(Source);
    if (!S) return;
    // Copied silently: the owned objects' notifications are held back too.
    ++FUpdateCount;
    FAnchorHint = S->FAnchorHint;
    FAutoHideChildren = S->FAutoHideChildren;
    FBevelInner = S->FBevelInner;
    FBevelOuter = S->FBevelOuter;
    FBevelWidth = S->FBevelWidth;
    FBorderColor = S->FBorderColor;
    FBorderShadow = S->FBorderShadow;
    FBorderStyle = S->FBorderStyle;
    FBorderWidth = S->FBorderWidth;
    FCanMove = S->FCanMove;
    FCanSize = S->FCanSize;
    FCaption->Assign(S->FCaption.get());
    FCollaps = S->FCollaps;
    FCollapsColor = S->FCollapsColor;
    FCollapsDelay = S->FCollapsDelay;
    FCollapsSteps = S->FCollapsSteps;
    FColor = S->FColor;
    FColorTo = S->FColorTo;
    FColorMirror = S->FColorMirror;
    FColorMirrorTo = S->FColorMirrorTo;
    FCursor = S->FCursor;
    FFont->Assign(S->FFont.get());
    FFixedTop = S->FFixedTop;
    FFixedLeft = S->FFixedLeft;
    FFixedHeight = S->FFixedHeight;
    FFixedWidth = S->FFixedWidth;
    FHeight = S->FHeight;
    FHint = S->FHint;
    FHover = S->FHover;
    FHoverColor = S->FHoverColor;
    FHoverFontColor = S->FHoverFontColor;
    FIndent = S->FIndent;
    FPosition = S->FPosition;
    FShadowColor = S->FShadowColor;
    FShadowOffset = S->FShadowOffset;
    FShowHint = S->FShowHint;
    FShowMoveCursor = S->FShowMoveCursor;
    FStatusBar->Assign(S->FStatusBar.get());
    FText = S->FText;
    FTextVAlign = S->FTextVAlign;
    FTopIndent = S->FTopIndent;
    FURLColor = S->FURLColor;
    FWidth = S->FWidth;
    FBottomIndent = S->FBottomIndent;
    --FUpdateCount;
}

// ---------------------------------------------------------------------------------------------
// The styles as data

namespace {

using advpanel::gdHorizontal;
using advpanel::gdVertical;

constexpr TColor Keep = 0x7FFFFFFF;      // the value stays as it is
constexpr TColor AppColor = 0x7FFFFFFE;  // the application colour (clWhite when none)
constexpr int KeepInt = -1;

struct TBodyLook {
    TColor Color, ColorTo, ColorMirror, ColorMirrorTo, FontColor, BorderColor;
    bool BorderShadow;
    TBevelCut BevelOuter;
    TColor CollapsColor;
};

constexpr TBodyLook kBody[] = {
    /* psXP */ {clWhite, 0xE3F0F2, clNone, clNone, Keep, clGray, true, bvNone, clBtnFace},
    /* psFlat */ {clBtnFace, clNone, clNone, clNone, clWindowText, clGray, false, bvNone, clBtnFace},
    /* psTessel */ {clWhite, 0xE4E4E4, clNone, clNone, clWindowText, clGray, true, bvNone, clBtnFace},
    /* psClassic */ {clBtnFace, clNone, clNone, clNone, clWindowText, clGray, false, bvRaised, clBtnFace},
    /* psOffice2003Blue */ {0xFDEADA, 0xE4AE88, clNone, clNone, clWindowText, clGray, false, bvNone, clNone},
    /* psOffice2003Olive */ {0xCFF0EA, 0x8CC0B1, clNone, clNone, clWindowText, clGray, false, bvNone, clNone},
    /* psOffice2003Silver */ {0xECE2E1, 0xB39698, clNone, clNone, clWindowText, clGray, false, bvNone, clNone},
    /* psOffice2003Classic */ {clWhite, 0xC9D1D5, clNone, clNone, Keep, clGray, true, bvNone, clBtnFace},
    /* psOffice2007Luna */ {0xFAF1E9, 0xEDD8C7, 0xEDD8C7, 0xFFF2E7, 0x723708, 0xFFD2AF, false, bvNone, clNone},
    /* psOffice2007Obsidian */ {0xCFC6C1, 0xC5BBB4, 0xC5BBB4, 0xECECE5, 0x723708, 0xFFD2AF, false, bvNone, clNone},
    /* psWhidbey */ {clWhite, 0xE3F0F2, clNone, clNone, Keep, clGray, true, bvNone, clBtnFace},
    /* psWindowsXP */ {clBtnFace, clNone, clNone, clNone, clWindowText, clGray, false, bvRaised, clBtnFace},
    /* psCustom */ {Keep, Keep, Keep, Keep, Keep, Keep, false, bvNone, Keep},
    /* psOffice2007Silver */ {0xF9F5F3, 0xE7DCD5, 0xE7DCD5, 0xFBFAF0, 0x723708, 0xFFD2AF, false, bvNone, clNone},
    /* psWindowsVista */ {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0x723708, 0xFDDE99, false, bvNone, clNone},
    /* psWindows7 */ {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0x723708, 0xFFD2AF, false, bvNone, clNone},
    /* psTerminal */ {clBtnFace, clNone, clNone, clNone, clBlack, clGray, false, bvNone, clHighlight},
    /* psOffice2010Blue */ {0xFDF6EF, 0xF0DAC7, clNone, clNone, clBlack, 0xC7B29F, false, bvNone, clNone},
    /* psOffice2010Silver */ {clWhite, 0xEDE5E0, clNone, clNone, clBlack, 0xD2CDC8, false, bvNone, clNone},
    /* psOffice2010Black */ {0xBFBFBF, 0x919191, clNone, clNone, clBlack, 0x6D6D6D, false, bvNone, clNone},
    /* psWindows8 */ {clWhite, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
    /* psOffice2013White */ {clWhite, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
    /* psOffice2013LightGray */ {clWhite, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
    /* psOffice2013Gray */ {clWhite, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
    /* psWindows10 */ {clWhite, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
    /* psOffice2016White */ {clWhite, clNone, clNone, clNone, 0x444444, clNone, false, bvNone, clNone},
    /* psOffice2016Gray */ {0xB2B2B2, clNone, clNone, clNone, 0x262626, clNone, false, bvNone, clNone},
    /* psOffice2016Black */ {0x363636, clNone, clNone, clNone, clBlack, clNone, false, bvNone, clNone},
};
static_assert(std::size(kBody) == psOffice2016Black + 1);

// ShadeType is stNormal unless Tessel; -1 (KeepInt) leaves a number or a switch as it is.
struct TCaptionLook {
    TColor Color, ColorTo, FontColor;
    advpanel::TGradientDirection GradientDirection;
    TShadeType ShadeType;
    int Indent, Height, Visible, ShadeLight, ShadeGrain;
};

constexpr TCaptionLook kCaption[] = {
    /* psXP */ {clHighlight, clBlue, clHighlightText, gdHorizontal, stNormal, 2, 20, KeepInt, KeepInt, KeepInt},
    /* psFlat */ {clHighlight, clNone, clHighlightText, gdHorizontal, stNormal, 0, 20, KeepInt, KeepInt, KeepInt},
    /* psTessel */ {clWhite, clNone, clBlack, gdHorizontal, stRMetal, 4, 20, 1, 255, 32},
    /* psClassic */ {clWhite, clNone, clBlack, gdHorizontal, stNormal, KeepInt, KeepInt, 0, 255, 32},
    /* psOffice2003Blue */ {0xD68759, 0x933803, clWhite, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2003Olive */ {0xC6EFE7, 0x94BDB5, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2003Silver */ {0xEFE7E7, 0xAA8888, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2003Classic */
    {clHighlight, clBlue, clHighlightText, gdHorizontal, stNormal, 2, 20, KeepInt, KeepInt, KeepInt},
    /* psOffice2007Luna */ {0xFFEFE3, 0xFFD2AF, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2007Obsidian */ {0xB8B8B6, 0xA0A09E, clWhite, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psWhidbey */ {0xF3F7F8, 0xACC3C3, clBlack, gdVertical, stNormal, 2, 20, KeepInt, KeepInt, KeepInt},
    /* psWindowsXP */ {clHighlight, clNone, clHighlightText, gdHorizontal, stNormal, KeepInt, KeepInt, 0, 255, 32},
    /* psCustom */ {Keep, Keep, Keep, gdHorizontal, stNormal, KeepInt, KeepInt, KeepInt, KeepInt, KeepInt},
    /* psOffice2007Silver */ {0xF8F7F6, 0xE8E0DB, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psWindowsVista */ {0xFDF8F1, 0xFCEFD5, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psWindows7 */ {0xFCEBDC, 0xFCDBC1, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psTerminal */ {clSilver, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2010Blue */ {0xFDF6EF, 0xF0DAC7, 0x5B391E, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2010Silver */ {clWhite, 0xEDE5E0, 0x5B391E, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2010Black */ {0xBFBFBF, 0x919191, 0xD7D7D6, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psWindows8 */ {0xEEEEEE, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2013White */ {0xEEEEEE, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2013LightGray */ {0xF6F6F6, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2013Gray */ {0xE5E5E5, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psWindows10 */ {0xEEEEEE, clNone, clBlack, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2016White */ {0xD4D4D4, clNone, 0x444444, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2016Gray */ {0x444444, clNone, 0xF0F0F0, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
    /* psOffice2016Black */ {0x444444, clNone, 0xF0F0F0, gdVertical, stNormal, KeepInt, KeepInt, KeepInt, 255, 32},
};
static_assert(std::size(kCaption) == psOffice2016Black + 1);

// GradientDirection -1: unchanged.
struct TStatusBarLook {
    TColor Color, ColorTo, FontColor, BorderColor;
    TBorderStyle BorderStyle;
    bool BevelInner;
    int GradientDirection;
};

constexpr TStatusBarLook kStatusBar[] = {
    /* psXP */ {0xE3F0F2, clWhite, clBlack, clSilver, bsSingle, false, KeepInt},
    /* psFlat */ {clBtnFace, clNone, clBlack, clSilver, bsSingle, false, KeepInt},
    /* psTessel */ {0xDEDEDE, 0xA9A9A9, clBlack, clWhite, bsSingle, false, KeepInt},
    /* psClassic */ {clBtnFace, clNone, clBlack, clNone, bsNone, true, KeepInt},
    /* psOffice2003Blue */ {0xE08F65, 0xF9DBC4, clWhite, clNone, bsSingle, false, KeepInt},
    /* psOffice2003Olive */ {0x80B0A1, 0xD3E4E3, clBlack, clNone, bsSingle, false, KeepInt},
    /* psOffice2003Silver */ {0xBFA8A9, 0xDECFCF, clBlack, clNone, bsSingle, false, KeepInt},
    /* psOffice2003Classic */ {0xE3F0F2, clWhite, clBlack, clSilver, bsSingle, false, KeepInt},
    /* psOffice2007Luna */ {0xF7E3D3, 0xF5D0B3, 0x723708, 0xFFD2AF, bsSingle, false, gdVertical},
    /* psOffice2007Obsidian */ {0xA19F9E, 0x534D4B, clWhite, clBlack, bsSingle, false, gdVertical},
    /* psWhidbey */ {0xE3F0F2, clWhite, clBlack, clSilver, bsSingle, false, KeepInt},
    /* psWindowsXP */ {clBtnFace, clNone, clBlack, clNone, bsNone, true, KeepInt},
    /* psCustom */ {Keep, Keep, Keep, Keep, bsNone, false, KeepInt},
    /* psOffice2007Silver */ {0xFAEEEB, 0xE5DBD7, 0x723708, clBlack, bsSingle, false, gdVertical},
    /* psWindowsVista */ {0xFDF8F1, 0xFCEFD5, 0x723708, 0xFDDE99, bsSingle, false, gdVertical},
    /* psWindows7 */ {0xFCEBDC, 0xFCDBC1, 0x723708, 0xCEA27D, bsSingle, false, gdVertical},
    /* psTerminal */ {clSilver, clNone, clBlack, clBlack, bsSingle, false, gdVertical},
    /* psOffice2010Blue */ {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xFDF6EF, bsSingle, false, gdVertical},
    /* psOffice2010Silver */ {clWhite, 0xEDE5E0, 0x5B391E, 0xF7F3F0, bsSingle, false, gdVertical},
    /* psOffice2010Black */ {0xBFBFBF, 0x919191, 0xD7D7D6, 0xBFBFBF, bsSingle, false, gdVertical},
    /* psWindows8 */ {0xEEEEEE, clNone, clBlack, clNone, bsSingle, false, gdVertical},
    /* psOffice2013White */ {0xEEEEEE, clNone, clBlack, clNone, bsSingle, false, gdVertical},
    /* psOffice2013LightGray */ {0xF6F6F6, clNone, clBlack, clNone, bsSingle, false, gdVertical},
    /* psOffice2013Gray */ {0xE5E5E5, clNone, clBlack, clNone, bsSingle, false, gdVertical},
    /* psWindows10 */ {0xEEEEEE, clNone, clBlack, clNone, bsSingle, false, gdVertical},
    /* psOffice2016White */ {AppColor, clNone, 0x444444, clNone, bsSingle, false, gdVertical},
    /* psOffice2016Gray */ {0x444444, clNone, 0xF0F0F0, clNone, bsSingle, false, gdVertical},
    /* psOffice2016Black */ {0x444444, clNone, 0xF0F0F0, clNone, bsSingle, false, gdVertical},
};
static_assert(std::size(kStatusBar) == psOffice2016Black + 1);

// The look of each TTesselStyle, in its order.
constexpr TAdvPanelStyle kStyleOfTesselStyle[] = {
    /* tsOffice2003Blue */ psOffice2003Blue,
    /* tsOffice2003Silver */ psOffice2003Silver,
    /* tsOffice2003Olive */ psOffice2003Olive,
    /* tsOffice2003Classic */ psOffice2003Classic,
    /* tsOffice2007Luna */ psOffice2007Luna,
    /* tsOffice2007Obsidian */ psOffice2007Obsidian,
    /* tsWindowsXP */ psWindowsXP,
    /* tsWhidbey */ psWhidbey,
    /* tsCustom */ psOffice2003Blue,
    /* tsOffice2007Silver */ psOffice2007Silver,
    /* tsWindowsVista */ psWindowsVista,
    /* tsWindows7 */ psWindows7,
    /* tsTerminal */ psTerminal,
    /* tsOffice2010Blue */ psOffice2010Blue,
    /* tsOffice2010Silver */ psOffice2010Silver,
    /* tsOffice2010Black */ psOffice2010Black,
    /* tsWindows8 */ psWindows8,
    /* tsOffice2013White */ psOffice2013White,
    /* tsOffice2013LightGray */ psOffice2013LightGray,
    /* tsOffice2013Gray */ psOffice2013Gray,
    /* tsWindows10 */ psWindows10,
    /* tsOffice2016White */ psOffice2016White,
    /* tsOffice2016Gray */ psOffice2016Gray,
    /* tsOffice2016Black */ psOffice2016Black,
};
static_assert(std::size(kStyleOfTesselStyle) == tsOffice2016Black + 1);

// The look of each Office theme, in TOfficeTheme's order (otUnknown: none).
constexpr TAdvPanelStyle kStyleOfOfficeTheme[] = {
    /* ot2003Blue */ psOffice2003Blue,
    /* ot2003Silver */ psOffice2003Silver,
    /* ot2003Olive */ psOffice2003Olive,
    /* ot2003Classic */ psOffice2003Classic,
    /* ot2007Blue */ psOffice2007Luna,
    /* ot2007Silver */ psOffice2007Silver,
    /* ot2007Black */ psOffice2007Obsidian,
    /* ot2010Blue */ psOffice2010Blue,
    /* ot2010Silver */ psOffice2010Silver,
    /* ot2010Black */ psOffice2010Black,
    /* ot2013White */ psOffice2013White,
    /* ot2013Silver */ psOffice2013LightGray,
    /* ot2013Gray */ psOffice2013Gray,
    /* ot2016White */ psOffice2016White,
    /* ot2016Gray */ psOffice2016Gray,
    /* ot2016Black */ psOffice2016Black,
};
static_assert(std::size(kStyleOfOfficeTheme) == otUnknown);

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAdvPanelStyler

TAdvPanelStyler::TAdvPanelStyler(TComponent* AOwner)
    : TComponent(AOwner), FSettings(std::make_unique<TAdvPanelSettings>()) {
    FNotifierWnd = TNotifierWindow::CreateHidden(this, [this](TObject*) { ThemeChanged(); });
    FSettings->OnChange = [this](TObject*) { propagate(); };
    SetStyle(psXP);
}

TAdvPanelStyler::~TAdvPanelStyler() {
    FSettings->OnChange = nullptr;
    // The window may outlive this part of the object while the component tree frees it.
    if (TNotifierWindow* Notifier = FNotifierWnd.get()) Notifier->OnThemeChange = nullptr;
}

void TAdvPanelStyler::propagate() {
    if (ComponentState().Contains(csLoading) || !Owner()) return;
    TComponent* Form = Owner();
    for (int I = 0; I < Form->ComponentCount(); ++I) {
        auto* Panel = dynamic_cast<TCustomAdvPanel*>(Form->Components(I));
        if (Panel && Panel->Styler() == this) Panel->ApplySettings(FSettings.get());
    }
}

void TAdvPanelStyler::Loaded() {
    TComponent::Loaded();
    if (!ComponentState().Contains(csDesigning)) ThemeChanged();
    propagate();
}

void TAdvPanelStyler::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    ThemeChanged();
}

void TAdvPanelStyler::ThemeChanged() {
    if (!FAutoThemeAdapt) return;
    // Only an installed Office has a colour theme to follow; without one the settings stay.
    const TOfficeTheme Theme = DetectOfficeVersion() > 0 ? DetectOfficeTheme() : otUnknown;
    SetStyle(psCustom);
    if (Theme != otUnknown) SetStyle(kStyleOfOfficeTheme[Theme]);
}

void TAdvPanelStyler::SetStyle(TAdvPanelStyle Value) { applyStyle(Value, clNone); }

void TAdvPanelStyler::SetComponentStyle(TTesselStyle AStyle) { SetComponentStyleAndAppColor(AStyle, clNone); }

void TAdvPanelStyler::SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) {
    applyStyle(kStyleOfTesselStyle[AStyle], AppColor);
}

void TAdvPanelStyler::applyStyle(TAdvPanelStyle AStyle, TColor AppColorValue) {
    FStyle = AStyle;
    TAdvPanelSettings* S = FSettings.get();
    S->BeginUpdate();
    if (AStyle != psCustom) {
        const TBodyLook& Body = kBody[AStyle];
        const TCaptionLook& Cap = kCaption[AStyle];
        const TStatusBarLook& Bar = kStatusBar[AStyle];
        const auto set = [](TColor Value, auto&& Apply) {
            if (Value != Keep) Apply(Value);
        };
        const auto setInt = [](int Value, auto&& Apply) {
            if (Value != KeepInt) Apply(Value);
        };
        S->SetBevelInner(bvNone);
        S->SetBorderStyle(bsNone);
        S->SetColor(Body.Color);
        S->SetColorTo(Body.ColorTo);
        S->SetColorMirror(Body.ColorMirror);
        S->SetColorMirrorTo(Body.ColorMirrorTo);
        set(Body.FontColor, [S](TColor V) { S->Font()->SetColor(V); });
        S->SetBorderColor(Body.BorderColor);
        S->SetBorderShadow(Body.BorderShadow);
        S->SetBevelOuter(Body.BevelOuter);
        S->SetCollapsColor(Body.CollapsColor);
        TPanelCaption* C = S->Caption();
        C->SetShadeType(Cap.ShadeType);
        C->SetColor(Cap.Color);
        C->SetColorTo(Cap.ColorTo);
        C->Font()->SetColor(Cap.FontColor);
        C->SetGradientDirection(Cap.GradientDirection);
        setInt(Cap.Indent, [C](int V) { C->SetIndent(V); });
        setInt(Cap.Height, [C](int V) { C->SetHeight(V); });
        setInt(Cap.Visible, [C](int V) { C->SetVisible(V != 0); });
        setInt(Cap.ShadeLight, [C](int V) { C->SetShadeLight(V); });
        setInt(Cap.ShadeGrain, [C](int V) { C->SetShadeGrain(static_cast<Byte>(V)); });
        TPanelStatusBar* B = S->StatusBar();
        B->SetColor(Bar.Color == AppColor ? (AppColorValue == clNone ? clWhite : AppColorValue) : Bar.Color);
        B->SetColorTo(Bar.ColorTo);
        B->Font()->SetColor(Bar.FontColor);
        B->SetBorderColor(Bar.BorderColor);
        B->SetBorderStyle(Bar.BorderStyle);
        B->SetBevelInner(Bar.BevelInner);
        setInt(Bar.GradientDirection,
               [B](int V) { B->SetGradientDirection(static_cast<advpanel::TGradientDirection>(V)); });
    }
    S->EndUpdate();
}

void TAdvPanelStyler::SetColorTones(const TColorTones& ATones) {
    SetStyle(psCustom);
    TAdvPanelSettings* S = FSettings.get();
    const String UIFont = DefaultUIFontName();
    TPanelCaption* C = S->Caption();
    C->SetColor(ATones.Selected.BrushColor);
    C->SetColorTo(clNone);
    C->Font()->SetName(UIFont);
    C->Font()->SetColor(ATones.Selected.TextColor);
    C->SetFlat(true);
    C->SetShadeType(stNormal);
    C->SetCloseColor(ATones.Selected.BrushColor);
    S->SetColor(ATones.Background.BrushColor);
    S->SetColorTo(clNone);
    S->Font()->SetName(UIFont);
    S->Font()->SetColor(ATones.Background.TextColor);
    S->SetBevelInner(bvNone);
    S->SetBevelOuter(bvNone);
    S->SetBorderStyle(bsNone);
    TPanelStatusBar* B = S->StatusBar();
    B->Font()->SetName(UIFont);
    B->Font()->SetColor(ATones.Foreground.TextColor);
    B->SetColor(ATones.Foreground.BrushColor);
    B->SetColorTo(clNone);
}

void TAdvPanelStyler::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TAdvPanelStyler*>(Source);
    if (!S) return;
    SetAutoThemeAdapt(S->AutoThemeAdapt());
    FSettings->Assign(S->Settings());
    SetComments(S->Comments());
    SetStyle(S->Style());
}
