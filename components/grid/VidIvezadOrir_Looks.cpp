// TVidIvezadOrir looks and small hooks: the ten look presets, their names, the link display of
// addresses in cell texts, the colour and image picker hooks and the footer repaint.
#include "components/grid/VidIvezadOrir.h"

#include "components/dropdowns/AdvColorPickerDropDown.h"
#include "components/dropdowns/AdvImagePickerDropDown.h"
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"

#include <typeinfo>

namespace {

struct TLookName {
    const char16_t* Ident;
    const char16_t* Caption;
};

// Indexed by TGridLook; glCustom has no name.
constexpr TLookName kLookNames[glCustom] = {
    /* glStandard   */ {u"glStandard", u"Standard"},
    /* glSoft       */ {u"glSoft", u"Soft"},
    /* glClassic    */ {u"glClassic", u"Classic"},
    /* glTessel     */ {u"glTessel", u"Tessel"},
    /* glXP         */ {u"glXP", u"Windows XP"},
    /* glListView   */ {u"glListView", u"ListView"},
    /* glVista      */ {u"glVista", u"Windows Vista"},
    /* glWin7       */ {u"glWin7", u"Windows 7"},
    /* glOffice2007 */ {u"glOffice2007", u"Office2007"},
};

// The looks that bring a scheme of the grid's styling: scheme, component style, selection style.
struct TSchemeLook {
    TGridLook Look;
    TZirOdadStyle Scheme;
    TTesselStyle Style;
    TGridSelectionStyle Selection;
};
constexpr TSchemeLook kSchemeLooks[] = {
    {glVista, gsWindowsVista, tsWindowsVista, ssVista},
    {glWin7, gsWindows7, tsWindows7, ssWin7},
    {glOffice2007, gsOffice2007Luna, tsOffice2007Luna, ssOffice2007},
};

// Tried in this order; the first that links the text wins.
constexpr const char16_t* kURLPrefixes[] = {u"HTTP://", u"WWW.",    u"MAILTO:", u"HTTPS://",
                                            u"NNTP://", u"FILE://", u"FTP://"};

constexpr TColor kLookBorderColor = 0xB99D7F;
constexpr TColor kTesselActiveColor = 0xEACAB6;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Looks

void TVidIvezadOrir::SetLook(TGridLook Value) {
    if (Value == FLook) return;
    FLook = Value;
    const bool Loading = ComponentState().Contains(csLoading);
    if (Value != glCustom) {
        FControlLook->SetFixedGradientMirrorFrom(clNone);
        FControlLook->SetFixedGradientMirrorTo(clNone);
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
        FTesselGradientFrom = clNone;
        FTesselGradientTo = clNone;
        FTesselGradientMirrorFrom = clNone;
        FTesselGradientMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    bool Scheme = false;
    for (const TSchemeLook& L : kSchemeLooks) {
        if (L.Look != Value) continue;
        SetStyle(L.Scheme);
        FStyle = L.Style;
        SetSelectionStyle(L.Selection);
        Scheme = true;
    }
    if (!Scheme && Value != glCustom) {
        if (!ComponentState().Contains(csDesigning)) SetPickerStyles(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (!Loading) applyPlainLook(Value);
    }
    SetScrollType(ssNormal);
    if (Value != glCustom) SetBorderColor(kLookBorderColor);
    Invalidate();
    if (!Loading) UpdateFooter();
}

// The colours of the six looks without a scheme, in the order their setters are called.
void TVidIvezadOrir::applyPlainLook(TGridLook Value) {
    const bool Tessel = Value == glTessel || Value == glXP;
    if (Value == glStandard || Value == glSoft || Value == glClassic) {
        SetFixedColor(clBtnFace);
        FControlLook->SetFixedGradientFrom(clBtnFace);
        FControlLook->SetFixedGradientTo(clNone);
    } else {
        FControlLook->SetFixedGradientFrom(clWhite);
        FControlLook->SetFixedGradientTo(clBtnFace);
    }
    SetGridFixedLineColor(clGray);
    FControlLook->SetFixedGradientMirrorFrom(clNone);
    FControlLook->SetFixedGradientMirrorTo(clNone);
    FTesselGradientMirrorFrom = clNone;
    FTesselGradientMirrorTo = clNone;
    SetGridFixedLineColor(clGray);
    SetGridLineColor(clSilver);
    if (Tessel) {
        SetActiveCellColor(kTesselActiveColor);
        SetActiveCellColorTo(clNone);
        SetSelectionColor(kTesselActiveColor);
        SetSelectionColorTo(clNone);
        SetSelectionTextColor(clBlack);
        FSearchFooter->SetColor(FTesselGradientFrom);
        FSearchFooter->SetColorTo(FTesselGradientTo);
        FControlLook->SetFixedGradientFrom(clWhite);
        FControlLook->SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
        FControlLook->SetFixedGradientHoverFrom(0xCFD0D1);
        FControlLook->SetFixedGradientHoverTo(0xBEC6C8);
        FControlLook->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
        FControlLook->SetFixedGradientHoverMirrorTo(0xABBCBF);
        FControlLook->SetFixedGradientDownFrom(0x868788);
        FControlLook->SetFixedGradientDownTo(0x737C7E);
        FControlLook->SetFixedGradientDownMirrorFrom(0x737C7E);
        FControlLook->SetFixedGradientDownMirrorTo(0x627376);
    } else {
        SetActiveCellColor(clGray);
        SetActiveCellColorTo(clNone);
        SetSelectionColor(clHighlight);
        SetSelectionTextColor(clHighlightText);
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
    }
}

void TVidIvezadOrir::LookToString(TGridLook Value, String& S) const {
    if (Value >= glStandard && Value < glCustom) S = String::fromUtf16(kLookNames[Value].Ident);
}

void TVidIvezadOrir::LookToCaption(TGridLook Value, String& S) const {
    if (Value >= glStandard && Value < glCustom) S = String::fromUtf16(kLookNames[Value].Caption);
}

void TVidIvezadOrir::SetPickerStyles(TTesselStyle AStyle) {
    if (FColorPickerDropDown) FColorPickerDropDown->SetComponentStyle(AStyle);
    if (FImagePickerDropDown) FImagePickerDropDown->SetComponentStyle(AStyle);
    if (FMemoDropDown) FMemoDropDown->SetComponentStyle(AStyle);
}

// ---------------------------------------------------------------------------------------------
// Links in cell texts

void TVidIvezadOrir::SetURLShow(bool Value) {
    if (Value == FURLShow) return;
    FURLShow = Value;
    Invalidate();
}

void TVidIvezadOrir::SetURLShowInText(bool Value) {
    if (Value == FURLShowInText) return;
    FURLShowInText = Value;
    Invalidate();
}

void TVidIvezadOrir::SetURLColor(TColor Value) {
    if (Value == FURLColor) return;
    FURLColor = Value;
    if (FURLShow) Invalidate();
}

void TVidIvezadOrir::SetURLFull(bool Value) {
    FURLFull = Value;
    if (FURLShow) Invalidate();
}

void TVidIvezadOrir::GetDisplText(int ACol, int ARow, String& Value) {
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText) {
        for (const char16_t* Prefix : kURLPrefixes)
            if (LinkifyText(Value, String::fromUtf16(Prefix), Value)) break;
    }
    AppendGroupCount(ACol, ARow, Value);
}

// Mirrors GetCellEx and GetDisplText above: when none of their steps applies the stored text is
// the answer. A descendant may replace GetDisplText, so only this class itself qualifies.
const String* TVidIvezadOrir::plainDisplText(int c, int r) const {
    if (typeid(*this) != typeid(TVidIvezadOrir)) return nullptr;
    if (OnGetDisplText || OnGetDisplWideText || URLShowInText()) return nullptr;
    if (c == 1 && Grouping()->ShowGroupCount()) return nullptr;
    // Any object in the slot may be properties naming a base cell: GetCellEx decides.
    if (GetGridObject(c, r)) return nullptr;
    return &GetGridCell(c, r);
}

// ---------------------------------------------------------------------------------------------
// Picker hooks and the footer

TAdvColorPickerDropDown* TVidIvezadOrir::GetColorPickerDropDown() {
    if (!FColorPickerDropDown) {
        FColorPickerDropDown = new TAdvColorPickerDropDown(this);
        FColorPickerDropDown->SetVisible(false);
        FColorPickerDropDown->SetParent(this);
    }
    return FColorPickerDropDown;
}

TAdvImagePickerDropDown* TVidIvezadOrir::GetImagePickerDropDown() {
    if (!FImagePickerDropDown) {
        FImagePickerDropDown = new TAdvImagePickerDropDown(this);
        FImagePickerDropDown->SetVisible(false);
        FImagePickerDropDown->SetParent(this);
    }
    return FImagePickerDropDown;
}

void TVidIvezadOrir::ColorSelect() {
    if (!OnColorSelect) return;
    TAdvColorPickerDropDown* Picker = GetColorPickerDropDown();
    FireEvent(OnColorSelect, this, Col(), Row(), Picker->SelectedColor(), Picker->SelectedColorText());
}

void TVidIvezadOrir::ImageSelect() {
    if (!OnImageSelect) return;
    FireEvent(OnImageSelect, this, Col(), Row(), GetImagePickerDropDown()->ItemIndex());
}

void TVidIvezadOrir::UpdateFooter() {
    if (FFooterPanel) FFooterPanel->Invalidate();
}

void TVidIvezadOrir::LastRowChanged() {
    TBaseGrid::LastRowChanged();
    UpdateFooter();
}
