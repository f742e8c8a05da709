// TAdvCustomDropDown: the component styles (popup, header and footer colours and the popup
// buttons' appearance), Office colour tones, the selection palettes and their painting.
#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/ItemAppearance.h"
#include "components/graphics/AdvUtilDraw.h"

#include <iterator>

using namespace advdropdown;

namespace {

// A cell that leaves the current value.
constexpr TColor Keep = static_cast<TColor>(0x2FFFFFFF);

struct TPopupLook {
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TColor HeaderColor, HeaderColorTo, HeaderFont, HeaderBorder;
    // The footer takes the header's values but where these are set.
    TColor FooterColor, FooterColorTo, FooterBorder;
};

// By TTesselStyle.
constexpr TPopupLook kPopupLooks[] = {
    /* tsOffice2003Blue      */ {0xFFFFFF, clNone, Keep, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, Keep, Keep, 0x962D00},
    /* tsOffice2003Silver    */ {0xFFFFFF, clNone, Keep, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, Keep, Keep, Keep},
    /* tsOffice2003Olive     */ {0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, Keep, Keep, Keep},
    /* tsOffice2003Classic   */ {0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0xFFFFFF, 0x808080, Keep, Keep, Keep},
    /* tsOffice2007Luna      */ {0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, Keep, Keep, Keep},
    /* tsOffice2007Obsidian  */ {0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, Keep, Keep, Keep},
    /* tsWindowsXP           */ {0xFFFFFF, clNone, Keep, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, Keep, Keep, Keep},
    /* tsWhidbey             */ {0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, Keep, Keep, Keep},
    /* tsCustom              */ {Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep},
    /* tsOffice2007Silver    */ {0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, Keep, Keep, Keep},
    /* tsWindowsVista        */
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, Keep},
    /* tsWindows7            */
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, Keep, Keep, Keep},
    /* tsTerminal            */
    {0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0x000000, clNone, Keep, Keep, Keep},
    /* tsOffice2010Blue      */
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, Keep, Keep, Keep},
    /* tsOffice2010Silver    */
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, Keep, Keep, Keep},
    /* tsOffice2010Black     */
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, Keep, Keep, Keep},
    /* tsWindows8            */
    {0xFFFFFF, 0xFFFFFF, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2, Keep, Keep, Keep},
    /* tsOffice2013White     */ {0xFFFFFF, clNone, 0xD4D4D4, 0xFFFFFF, clNone, 0x000000, 0xD4D4D4, Keep, Keep, Keep},
    /* tsOffice2013LightGray */ {0xFFFFFF, clNone, 0xD4D4D4, 0xF6F6F6, clNone, 0x000000, 0xC6C6C6, Keep, Keep, Keep},
    /* tsOffice2013Gray      */ {0xFFFFFF, clNone, 0xD4D4D4, 0xE5E5E5, clNone, 0x000000, 0xABABAB, Keep, Keep, Keep},
    /* tsWindows10           */
    {0xFFFFFF, 0xFFFFFF, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2, Keep, Keep, Keep},
    /* tsOffice2016White     */ {0xFFFFFF, clNone, 0xD4D4D4, 0xFFFFFF, clNone, 0x505050, 0xD4D4D4, Keep, Keep, Keep},
    /* tsOffice2016Gray      */ {0xB2B2B2, clNone, 0x444444, 0x444444, clNone, 0xF0F0F0, 0x444444, Keep, Keep, Keep},
    /* tsOffice2016Black     */ {0x363636, clNone, 0x444444, 0x444444, clNone, 0xF0F0F0, 0x444444, Keep, Keep, Keep},
};
static_assert(std::size(kPopupLooks) == tsOffice2016Black + 1);

// The popup buttons' fifteen colours, in the order of their writers below.
struct TButtonLook {
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo, BorderColorDown,
        ColorChecked, ColorCheckedTo, BorderColorChecked, ColorDisabled, ColorDisabledTo, BorderColorDisabled;
};

constexpr TButtonLook kOfficeButtons(TColor Color, TColor ColorTo) {
    return {Color,    ColorTo,  clNone,   0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF,
            0x42AEFE, 0x76AFF1, 0x4190F3, 0x45667B, 0xF2F2F2, 0xB6B6B6, Keep};
}
constexpr TButtonLook kOffice2010Buttons(TColor Color, TColor ColorTo, TColor Border) {
    return {Color,    ColorTo,  Border, 0x8AE3FD, clNone,   0x58CAF1, 0x6CD0FF, clNone,
            0x308AC2, 0x45E1FE, clNone, 0x4FA0CE, 0xF2F2F2, 0xB6B6B6, Keep};
}
constexpr TButtonLook kOffice2013Buttons(TColor Color, TColor Border) {
    return {Color,    clNone,   Border, 0xFCF0E4, clNone,   0xEAB47E, 0xFCE2C8, clNone,
            0xE59D56, 0xFF9933, clNone, 0xFF9933, 0xEEEEEE, clNone,   0xACACAC};
}
constexpr TButtonLook kWindows8Buttons = {0xF7F6F5, clNone,   0xE4E3E2, 0xF7EFE8, clNone,   0xF9CEA4, 0xF7E0C9, clNone,
                                          0xE4A262, 0xDAA026, clNone,   0xDAA026, 0xF7F7F7, clNone,   0xF7F6F5};

// By TTesselStyle.
constexpr TButtonLook kButtonLooks[] = {
    /* tsOffice2003Blue      */ kOfficeButtons(0xFCE1CB, 0xE0A57D),
    /* tsOffice2003Silver    */ kOfficeButtons(0xECE2E1, 0xB39698),
    /* tsOffice2003Olive     */ kOfficeButtons(0xCFF0EA, 0x8CC0B1),
    /* tsOffice2003Classic   */
    {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4,
     0x808080, 0xD8D5D4, 0xD8D5D4, Keep},
    /* tsOffice2007Luna      */ kOfficeButtons(0xFFEFE3, 0xFFDDC4),
    /* tsOffice2007Obsidian  */ kOfficeButtons(0xF2F1F0, 0xC9C2BD),
    /* tsWindowsXP           */
    {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption, clHighlight,
     0xB9D8DC, 0xB9D8DC, 0x000000, 0xB6B6B6, 0xB6B6B6, Keep},
    /* tsWhidbey             */ kOfficeButtons(0xFFFFFF, 0xDFEDF0),
    /* tsCustom              */
    {Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep},
    /* tsOffice2007Silver    */ kOfficeButtons(0xF9F8F8, 0xE4E2DF),
    /* tsWindowsVista        */
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFEF9F0, 0xFDF0D7,
     0xFEDF9A, 0xFFFFFF, 0xFFFFFF, Keep},
    /* tsWindows7            */
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFEF9F0, 0xFCDBC1,
     0xCEA27D, 0xFFFFFF, 0xFFFFFF, Keep},
    /* tsTerminal            */
    {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace,
     clBtnFace, clHighlight, clBtnFace, clBtnFace, Keep},
    /* tsOffice2010Blue      */ kOffice2010Buttons(0xFDF6EF, 0xF0DAC7, 0xC7B29F),
    /* tsOffice2010Silver    */ kOffice2010Buttons(0xFFFFFF, 0xEDE5E0, 0xD2CDC8),
    /* tsOffice2010Black     */ kOffice2010Buttons(0xBFBFBF, 0x919191, 0xD7D7D6),
    /* tsWindows8            */ kWindows8Buttons,
    /* tsOffice2013White     */ kOffice2013Buttons(0xFFFFFF, 0xD4D4D4),
    /* tsOffice2013LightGray */ kOffice2013Buttons(0xF6F6F6, 0xC6C6C6),
    /* tsOffice2013Gray      */ kOffice2013Buttons(0xE5E5E5, 0xABABAB),
    /* tsWindows10           */ kWindows8Buttons,
    /* tsOffice2016White     */
    {0xFFFFFF, clNone, 0xD4D4D4, 0xF2E1D5, clNone, 0xF2E1D5, 0xE3BDA3, clNone, 0xE3BDA3, 0xF2D5C2, clNone, 0xF2D5C2,
     0xFFFFFF, clNone, 0xD4D4D4},
    /* tsOffice2016Gray      */
    {0xB2B2B2, clNone, 0x444444, 0xF2E1D5, clNone, 0xF2E1D5, 0xE3BDA3, clNone, 0xE3BDA3, 0xF2D5C2, clNone, 0xF2D5C2,
     0xB2B2B2, clNone, 0x444444},
    /* tsOffice2016Black     */
    {0x363636, 0x363636, 0x444444, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x444444, 0x444444, 0x444444, 0x575757, 0x575757,
     0x575757, 0x363636, clNone, 0x444444},
};
static_assert(std::size(kButtonLooks) == tsOffice2016Black + 1);

template <class Object, class Owner>
void setColor(Object* Target, void (Owner::*Writer)(TColor), TColor Value) {
    if (Value != Keep) (Target->*Writer)(Value);
}

void setField(TColor& Field, TColor Value) {
    if (Value != Keep) Field = Value;
}

// The item selector's hot and selected looks; the last column is the font colour.
struct TItemLook {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorHot, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColorSelected, BorderColor, BorderColorTop, BorderColorBottom,
        EdgeColor, ColorSelectedText, FontColor;
};

constexpr TItemLook kOffice2003Items = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, clNone, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                                        0x7AE1FE, clNone,   0x42AEFE, clNone,   clNone, clNone,   clBlack,  clBlack};
constexpr TItemLook kOffice2007Items = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, clNone,   0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                                        0x7AE1FE, clNone,   0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack,  clBlack};
constexpr TItemLook kOffice2010Items = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, clNone, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF,
                                        0x7BEEFF, clNone,   0x308AC2, clNone,   clNone, clNone,   clBlack,  clBlack};
constexpr TItemLook kWindows8Items = {0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xF7E0C9, clNone,  clNone,
                                      clNone,   0xE4A262, Keep,     Keep,     Keep,     Keep,     clBlack, clBlack};
constexpr TItemLook kOffice2013Items = {0xFCF0E4, 0xFCF0E4, clNone, clNone, 0xEAB47E, 0xFCE2C8, clNone,  clNone,
                                        clNone,   0xE59D56, Keep,   Keep,   Keep,     Keep,     clBlack, clBlack};

// By TTesselStyle.
constexpr TItemLook kItemLooks[] = {
    /* tsOffice2003Blue      */ kOffice2003Items,
    /* tsOffice2003Silver    */ kOffice2003Items,
    /* tsOffice2003Olive     */ kOffice2003Items,
    /* tsOffice2003Classic   */
    {0xD2BDB6, 0xD2BDB6, clNone, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, clNone, 0x808080, clNone, clNone,
     clNone, clBlack, clBlack},
    /* tsOffice2007Luna      */ kOffice2007Items,
    /* tsOffice2007Obsidian  */ kOffice2007Items,
    /* tsWindowsXP           */
    {0xEFD3C6, 0xEFD3C6, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clNone, clHighlight, clNone,
     clNone, clNone, clHighlightText, clBlack},
    /* tsWhidbey             */ kOffice2003Items,
    /* tsCustom              */
    {Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, clBlack},
    /* tsOffice2007Silver    */ kOffice2007Items,
    /* tsWindowsVista        */
    {0xFFFDF9, 0xFFFAF0, clNone, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, clNone, 0xFEDF9A, 0xFDFBF6,
     0xFDF5E7, 0xFCEDCB, clBlack, clBlack},
    /* tsWindows7            */
    {0xFDFBFA, 0xFDF3EB, clNone, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, clNone, 0xCEA27D, 0xFDF4EB,
     0xFDEADB, 0xE0C5AE, clBlack, clBlack},
    /* tsTerminal            */
    {0xC0C0C0, 0xC0C0C0, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clNone, 0x808080, clNone, clNone,
     clNone, clHighlightText, clBlack},
    /* tsOffice2010Blue      */ kOffice2010Items,
    /* tsOffice2010Silver    */ kOffice2010Items,
    /* tsOffice2010Black     */
    {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, Keep, clNone,
     clNone, clNone, clBlack, clBlack},
    /* tsWindows8            */ kWindows8Items,
    /* tsOffice2013White     */ kOffice2013Items,
    /* tsOffice2013LightGray */ kOffice2013Items,
    /* tsOffice2013Gray      */ kOffice2013Items,
    /* tsWindows10           */ kWindows8Items,
    /* tsOffice2016White     */
    {0xF2E1D5, clNone, clNone, clNone, 0xF2E1D5, 0xE3BDA3, clNone, clNone, clNone, 0xE3BDA3, Keep, Keep, Keep, Keep,
     clBlack, clBlack},
    /* tsOffice2016Gray      */
    {0xF2E1D5, 0xF2E1D5, clNone, clNone, 0xF2E1D5, 0xE3BDA3, clNone, clNone, clNone, 0xE3BDA3, Keep, Keep, Keep, Keep,
     clBlack, clBlack},
    /* tsOffice2016Black     */
    {0x6A6A6A, 0x6A6A6A, clNone, clNone, 0x6A6A6A, 0x444444, clNone, clNone, clNone, 0x444444, Keep, Keep, Keep, Keep,
     clBlack, clWhite},
};
static_assert(std::size(kItemLooks) == tsOffice2016Black + 1);

// The fixed colours of the glossy selection frames.
struct TSelectionPalette {
    TColor InnerCorner, Frame, LowerLine, UpperLine, MirrorFrom, MirrorTo;
};
constexpr TSelectionPalette kSelectionPalettes[] = {
    /* scOffice2007   */ {0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC},
    /* scWindowsVista */ {0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone},
    /* scWindows7     */ {0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone},
};

}  // namespace

void TAdvCustomDropDown::SetComponentStyle(TTesselStyle AStyle) {
    FTesselStyle = AStyle;
    if (AStyle < tsOffice2003Blue || AStyle > tsOffice2016Black) return;
    const TPopupLook& P = kPopupLooks[AStyle];
    setField(FDropDownColor, P.DropDownColor);
    setField(FDropDownColorTo, P.DropDownColorTo);
    setField(FDropDownBorderColor, P.DropDownBorderColor);
    THeaderAppearance* H = FDropDownHeader.get();
    TFooterAppearance* F = FDropDownFooter.get();
    setColor(H, &THeaderAppearance::SetColor, P.HeaderColor);
    setColor(H, &THeaderAppearance::SetColorTo, P.HeaderColorTo);
    setColor(H, &THeaderAppearance::SetBorderColor, P.HeaderBorder);
    if (P.HeaderFont != Keep) H->Font()->SetColor(P.HeaderFont);
    setColor(F, &TFooterAppearance::SetColor, P.FooterColor != Keep ? P.FooterColor : P.HeaderColor);
    setColor(F, &TFooterAppearance::SetColorTo, P.FooterColorTo != Keep ? P.FooterColorTo : P.HeaderColorTo);
    setColor(F, &TFooterAppearance::SetBorderColor, P.FooterBorder != Keep ? P.FooterBorder : P.HeaderBorder);
    if (P.HeaderFont != Keep) F->Font()->SetColor(P.HeaderFont);

    const TButtonLook& B = kButtonLooks[AStyle];
    TAdvButtonAppearance* A = FButtonAppearance.get();
    setColor(A, &TAdvButtonAppearance::SetColor, B.Color);
    setColor(A, &TAdvButtonAppearance::SetColorTo, B.ColorTo);
    setColor(A, &TAdvButtonAppearance::SetBorderColor, B.BorderColor);
    setColor(A, &TAdvButtonAppearance::SetColorHot, B.ColorHot);
    setColor(A, &TAdvButtonAppearance::SetColorHotTo, B.ColorHotTo);
    setColor(A, &TAdvButtonAppearance::SetBorderColorHot, B.BorderColorHot);
    setColor(A, &TAdvButtonAppearance::SetColorDown, B.ColorDown);
    setColor(A, &TAdvButtonAppearance::SetColorDownTo, B.ColorDownTo);
    setColor(A, &TAdvButtonAppearance::SetBorderColorDown, B.BorderColorDown);
    setColor(A, &TAdvButtonAppearance::SetColorChecked, B.ColorChecked);
    setColor(A, &TAdvButtonAppearance::SetColorCheckedTo, B.ColorCheckedTo);
    setColor(A, &TAdvButtonAppearance::SetBorderColorChecked, B.BorderColorChecked);
    setColor(A, &TAdvButtonAppearance::SetColorDisabled, B.ColorDisabled);
    setColor(A, &TAdvButtonAppearance::SetColorDisabledTo, B.ColorDisabledTo);
    setColor(A, &TAdvButtonAppearance::SetBorderColorDisabled, B.BorderColorDisabled);
    if (AStyle == tsOffice2016Black) Font()->SetColor(0xA6A6A6);
}

void TAdvCustomDropDown::SetColorTones(const TColorTones& ATones) {
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TAdvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
    FSelectionColorStyle = Value;
    switch (Value) {
        case scOffice2007:
            FSelectionColor = 0xD7FFFD;
            FSelectionColorTo = 0x58D4FC;
            break;
        case scWindowsVista:
            FSelectionColor = 0xFDF8F1;
            FSelectionColorTo = 0xFCEFD5;
            break;
        case scWindows7:
            FSelectionColor = 0xFCEBDC;
            FSelectionColorTo = 0xFCDBC1;
            break;
        default:
            break;
    }
}

void TAdvCustomDropDown::DrawSelectionGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps,
                                               const TRect& R, TGradientDirection Direction) {
    FillGradient(Canvas, FromColor, ToColor, Direction == gdHorizontal, R, Steps);
}

void TAdvCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, const TRect& R, TColor CornerColor, int Position) {
    if (!Canvas) return;
    if (FSelectionColorStyle == scCustom || FSelectionColorStyle > scWindows7) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionColor);
        Canvas->Pen()->SetColor(FSelectionColor);
        Canvas->Rectangle(R);
        return;
    }
    const TSelectionPalette& P = kSelectionPalettes[FSelectionColorStyle - scOffice2007];
    DrawGlossyFrame(Canvas, FSelectionColor, FSelectionColorTo, P.MirrorFrom, P.MirrorTo, P.UpperLine, P.LowerLine,
                    P.Frame, P.InnerCorner, CornerColor, R, Position);
}

void TAdvCustomDropDown::ApplyItemAppearanceStyle(TItemAppearance* Appearance, TTesselStyle AStyle) {
    if (!Appearance || AStyle < tsOffice2003Blue || AStyle > tsOffice2016Black) return;
    TItemAppearance* A = Appearance;
    if (AStyle != tsCustom) {
        A->SetBorderColorHot(clNone);
        A->SetBorderColorSelected(clNone);
        A->SetColorSelectedText(clBlack);
        A->SetColorHotText(clBlack);
    }
    const TItemLook& L = kItemLooks[AStyle];
    setColor(A, &TItemAppearance::SetColorHot, L.ColorHot);
    setColor(A, &TItemAppearance::SetColorHotTo, L.ColorHotTo);
    setColor(A, &TItemAppearance::SetColorMirrorHot, L.ColorMirrorHot);
    setColor(A, &TItemAppearance::SetColorMirrorHotTo, L.ColorMirrorHotTo);
    setColor(A, &TItemAppearance::SetBorderColorHot, L.BorderColorHot);
    setColor(A, &TItemAppearance::SetColorSelected, L.ColorSelected);
    setColor(A, &TItemAppearance::SetColorSelectedTo, L.ColorSelectedTo);
    setColor(A, &TItemAppearance::SetColorMirrorSelected, L.ColorMirrorSelected);
    setColor(A, &TItemAppearance::SetColorMirrorSelectedTo, L.ColorMirrorSelectedTo);
    setColor(A, &TItemAppearance::SetBorderColorSelected, L.BorderColorSelected);
    setColor(A, &TItemAppearance::SetBorderColor, L.BorderColor);
    setColor(A, &TItemAppearance::SetBorderColorTop, L.BorderColorTop);
    setColor(A, &TItemAppearance::SetBorderColorBottom, L.BorderColorBottom);
    setColor(A, &TItemAppearance::SetEdgeColor, L.EdgeColor);
    setColor(A, &TItemAppearance::SetColorSelectedText, L.ColorSelectedText);
    A->Font()->SetColor(L.FontColor);
}
