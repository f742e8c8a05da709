// The 24 component styles, each applied over colours no style uses, against the three tables
// written out here once: popup, header and footer; the popup buttons; the item selector's looks.
// And the painted background of a selected item.
#include "components/dropdowns/ItemAppearance.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

constexpr TColor K = 0x010203;  // the colour set before a style: a cell that keeps it
constexpr TColor N = clNone;
constexpr TColor Face = clBtnFace, Hi = clHighlight, HiText = clHighlightText, Inact = clInactiveCaption;

struct TPopupRow {
    TColor Drop, DropTo, DropBorder, HColor, HColorTo, HFont, HBorder, FColor, FColorTo, FBorder;
};
// Footer columns repeat the header's unless the style gives the footer its own.
constexpr TPopupRow PopupRows[24] = {
    {0xFFFFFF, N, K, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0xFCE1CB, 0xE0A57D, 0x962D00},
    {0xFFFFFF, N, K, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0xECE2E1, 0xB39698, 0x947C7C},
    {0xFFFFFF, N, N, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0xCFF0EA, 0x8CC0B1, 0x588060},
    {0xF2F2F2, 0xF2F2F2, N, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080, 0x808080, 0x808080},
    {0xF3E5DA, 0xF0DED0, N, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF},
    {0xFFFFFF, N, N, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0xF2F1F0, 0xC9C2BD, 0x5C534C},
    {0xFFFFFF, N, K, 0xFFFFFF, Face, 0x000000, 0x808080, 0xFFFFFF, Face, 0x808080},
    {0xF5F9FA, 0xF5F9FA, N, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0xEBEEEF, 0x7E9898, 0x962D00},
    {K, K, K, K, K, K, K, K, K, K},
    {0xF8F4F1, 0xF0E8E3, N, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0xF8F7F6, 0xE8E0DB, 0x74706F},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, 0xFCF2DA},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8},
    {0xFFFFFF, 0xFFFFFF, 0x808080, Face, Face, 0x000000, N, Face, Face, N},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0xC7B29F},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x919191, 0x6D6D6D},
    {0xFFFFFF, 0xFFFFFF, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0xE4E3E2},
    {0xFFFFFF, N, 0xD4D4D4, 0xFFFFFF, N, 0x000000, 0xD4D4D4, 0xFFFFFF, N, 0xD4D4D4},
    {0xFFFFFF, N, 0xD4D4D4, 0xF6F6F6, N, 0x000000, 0xC6C6C6, 0xF6F6F6, N, 0xC6C6C6},
    {0xFFFFFF, N, 0xD4D4D4, 0xE5E5E5, N, 0x000000, 0xABABAB, 0xE5E5E5, N, 0xABABAB},
    {0xFFFFFF, 0xFFFFFF, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2, 0xF7F6F5, 0xF7F6F5, 0xE4E3E2},
    {0xFFFFFF, N, 0xD4D4D4, 0xFFFFFF, N, 0x505050, 0xD4D4D4, 0xFFFFFF, N, 0xD4D4D4},
    {0xB2B2B2, N, 0x444444, 0x444444, N, 0xF0F0F0, 0x444444, 0x444444, N, 0x444444},
    {0x363636, N, 0x444444, 0x444444, N, 0xF0F0F0, 0x444444, 0x444444, N, 0x444444},
};

// Color, ColorTo, BorderColor; Hot, HotTo, BorderHot; Down, DownTo, BorderDown; Checked,
// CheckedTo, BorderChecked; Disabled, DisabledTo, BorderDisabled.
using TButtonRow = std::array<TColor, 15>;
constexpr TButtonRow Office(TColor C, TColor To) {
    return {C,        To,       N,        0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF,
            0x42AEFE, 0x76AFF1, 0x4190F3, 0x45667B, 0xF2F2F2, 0xB6B6B6, K};
}
constexpr TButtonRow Office2010(TColor C, TColor To, TColor B) {
    return {C, To, B, 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0x45E1FE, N, 0x4FA0CE, 0xF2F2F2, 0xB6B6B6, K};
}
constexpr TButtonRow Office2013(TColor C, TColor B) {
    return {C, N, B, 0xFCF0E4, N, 0xEAB47E, 0xFCE2C8, N, 0xE59D56, 0xFF9933, N, 0xFF9933, 0xEEEEEE, N, 0xACACAC};
}
constexpr TButtonRow Windows8 = {0xF7F6F5, N,        0xE4E3E2, 0xF7EFE8, N,        0xF9CEA4, 0xF7E0C9, N,
                                 0xE4A262, 0xDAA026, N,        0xDAA026, 0xF7F7F7, N,        0xF7F6F5};
const TButtonRow ButtonRows[24] = {
    Office(0xFCE1CB, 0xE0A57D),
    Office(0xECE2E1, 0xB39698),
    Office(0xCFF0EA, 0x8CC0B1),
    {0xFFFFFF, 0xC9D1D5, N, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0x808080,
     0xD8D5D4, 0xD8D5D4, K},
    Office(0xFFEFE3, 0xFFDDC4),
    Office(0xF2F1F0, 0xC9C2BD),
    {0xFFFFFF, Face, N, 0xEFD3C6, 0xEFD3C6, Hi, Inact, Inact, Hi, 0xB9D8DC, 0xB9D8DC, 0x000000, 0xB6B6B6, 0xB6B6B6, K},
    Office(0xFFFFFF, 0xDFEDF0),
    {K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
    Office(0xF9F8F8, 0xE4E2DF),
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFEF9F0, 0xFDF0D7,
     0xFEDF9A, 0xFFFFFF, 0xFFFFFF, K},
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFEF9F0, 0xFCDBC1,
     0xCEA27D, 0xFFFFFF, 0xFFFFFF, K},
    {Face, Face, N, 0xC0C0C0, 0xC0C0C0, 0x808080, Hi, Hi, 0x808080, Face, Face, Hi, Face, Face, K},
    Office2010(0xFDF6EF, 0xF0DAC7, 0xC7B29F),
    Office2010(0xFFFFFF, 0xEDE5E0, 0xD2CDC8),
    Office2010(0xBFBFBF, 0x919191, 0xD7D7D6),
    Windows8,
    Office2013(0xFFFFFF, 0xD4D4D4),
    Office2013(0xF6F6F6, 0xC6C6C6),
    Office2013(0xE5E5E5, 0xABABAB),
    Windows8,
    {0xFFFFFF, N, 0xD4D4D4, 0xF2E1D5, N, 0xF2E1D5, 0xE3BDA3, N, 0xE3BDA3, 0xF2D5C2, N, 0xF2D5C2, 0xFFFFFF, N, 0xD4D4D4},
    {0xB2B2B2, N, 0x444444, 0xF2E1D5, N, 0xF2E1D5, 0xE3BDA3, N, 0xE3BDA3, 0xF2D5C2, N, 0xF2D5C2, 0xB2B2B2, N, 0x444444},
    {0x363636, 0x363636, 0x444444, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x444444, 0x444444, 0x444444, 0x575757, 0x575757,
     0x575757, 0x363636, N, 0x444444},
};

// Hot, HotTo, MirrorHot, MirrorHotTo, BorderHot; Selected, SelectedTo, MirrorSelected,
// MirrorSelectedTo, BorderSelected; Border, BorderTop, BorderBottom, Edge; SelectedText, HotText,
// font. BorderHot, BorderSelected and the two text colours are cleared before a named style's
// own values.
using TItemRow = std::array<TColor, 17>;
constexpr TColor B = clBlack;
constexpr TItemRow O2003 = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, N, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
                            N,        0x42AEFE, N,        N,        N, B,        B,        B};
constexpr TItemRow O2007 = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, N,        0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
                            N,        0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, B,        B,        B};
constexpr TItemRow O2010 = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, N, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF,
                            N,        0x308AC2, N,        N,        N, B,        B,        B};
constexpr TItemRow W8 = {0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xF7E0C9, N, N, N,
                         0xE4A262, K,        K,        K,        K,        B,        B, B};
constexpr TItemRow O2013 = {0xFCF0E4, 0xFCF0E4, N, N, 0xEAB47E, 0xFCE2C8, N, N, N, 0xE59D56, K, K, K, K, B, B, B};
constexpr TItemRow ItemRows[24] = {
    O2003,
    O2003,
    O2003,
    {0xD2BDB6, 0xD2BDB6, N, N, N, 0xB59285, 0xB59285, N, N, N, 0x808080, N, N, N, B, B, B},
    O2007,
    O2007,
    {0xEFD3C6, 0xEFD3C6, N, N, N, Hi, N, N, N, N, Hi, N, N, N, HiText, B, B},
    O2003,
    {K, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K, B},
    O2007,
    {0xFFFDF9, 0xFFFAF0, N, N, N, 0xFEF9F0, 0xFDF0D7, N, N, N, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, B, B, B},
    {0xFDFBFA, 0xFDF3EB, N, N, N, 0xFCEBDC, 0xFCDBC1, N, N, N, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, B, B, B},
    {0xC0C0C0, 0xC0C0C0, N, N, N, Hi, N, N, N, N, 0x808080, N, N, N, HiText, B, B},
    O2010,
    O2010,
    {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, K, N, N, N, B,
     B, B},
    W8,
    O2013,
    O2013,
    O2013,
    W8,
    {0xF2E1D5, N, N, N, 0xF2E1D5, 0xE3BDA3, N, N, N, 0xE3BDA3, K, K, K, K, B, B, B},
    {0xF2E1D5, 0xF2E1D5, N, N, 0xF2E1D5, 0xE3BDA3, N, N, N, 0xE3BDA3, K, K, K, K, B, B, B},
    {0x6A6A6A, 0x6A6A6A, N, N, 0x6A6A6A, 0x444444, N, N, N, 0x444444, K, K, K, K, B, B, clWhite},
};

class TStyledDropDown : public TTestDropDown {
public:
    using TAdvCustomDropDown::ApplyItemAppearanceStyle;
    using TAdvCustomDropDown::DrawSelectionBackground;
    using TAdvCustomDropDown::SetSelectionColor;
    using TAdvCustomDropDown::SetSelectionColorStyle;
    using TTestDropDown::TTestDropDown;
};

void setAll(TStyledDropDown* E) {
    E->SetDropDownColor(K);
    E->SetDropDownColorTo(K);
    E->SetDropDownBorderColor(K);
    for (auto* A : {static_cast<TStripAppearance<THeaderButtons>*>(E->DropDownHeader())}) {
        A->SetColor(K);
        A->SetColorTo(K);
        A->SetBorderColor(K);
        A->Font()->SetColor(K);
    }
    TFooterAppearance* F = E->DropDownFooter();
    F->SetColor(K);
    F->SetColorTo(K);
    F->SetBorderColor(K);
    F->Font()->SetColor(K);
    TAdvButtonAppearance* A = E->ButtonAppearance();
    for (auto W :
         {&TAdvButtonAppearance::SetColor, &TAdvButtonAppearance::SetColorTo, &TAdvButtonAppearance::SetBorderColor,
          &TAdvButtonAppearance::SetColorHot, &TAdvButtonAppearance::SetColorHotTo,
          &TAdvButtonAppearance::SetBorderColorHot, &TAdvButtonAppearance::SetColorDown,
          &TAdvButtonAppearance::SetColorDownTo, &TAdvButtonAppearance::SetBorderColorDown,
          &TAdvButtonAppearance::SetColorChecked, &TAdvButtonAppearance::SetColorCheckedTo,
          &TAdvButtonAppearance::SetBorderColorChecked, &TAdvButtonAppearance::SetColorDisabled,
          &TAdvButtonAppearance::SetColorDisabledTo, &TAdvButtonAppearance::SetBorderColorDisabled})
        (A->*W)(K);
    E->Font()->SetColor(K);
}

TButtonRow buttonColours(TAdvButtonAppearance* A) {
    return {A->Color(),           A->ColorTo(),         A->BorderColor(),        A->ColorHot(),
            A->ColorHotTo(),      A->BorderColorHot(),  A->ColorDown(),          A->ColorDownTo(),
            A->BorderColorDown(), A->ColorChecked(),    A->ColorCheckedTo(),     A->BorderColorChecked(),
            A->ColorDisabled(),   A->ColorDisabledTo(), A->BorderColorDisabled()};
}

TItemRow itemColours(TItemAppearance* A) {
    return {A->ColorHot(),
            A->ColorHotTo(),
            A->ColorMirrorHot(),
            A->ColorMirrorHotTo(),
            A->BorderColorHot(),
            A->ColorSelected(),
            A->ColorSelectedTo(),
            A->ColorMirrorSelected(),
            A->ColorMirrorSelectedTo(),
            A->BorderColorSelected(),
            A->BorderColor(),
            A->BorderColorTop(),
            A->BorderColorBottom(),
            A->EdgeColor(),
            A->ColorSelectedText(),
            A->ColorHotText(),
            A->Font()->Color()};
}

void setAll(TItemAppearance* A) {
    for (auto W :
         {&TItemAppearance::SetColorHot, &TItemAppearance::SetColorHotTo, &TItemAppearance::SetColorMirrorHot,
          &TItemAppearance::SetColorMirrorHotTo, &TItemAppearance::SetBorderColorHot,
          &TItemAppearance::SetColorSelected, &TItemAppearance::SetColorSelectedTo,
          &TItemAppearance::SetColorMirrorSelected, &TItemAppearance::SetColorMirrorSelectedTo,
          &TItemAppearance::SetBorderColorSelected, &TItemAppearance::SetBorderColor,
          &TItemAppearance::SetBorderColorTop, &TItemAppearance::SetBorderColorBottom, &TItemAppearance::SetEdgeColor,
          &TItemAppearance::SetColorSelectedText, &TItemAppearance::SetColorHotText})
        (A->*W)(K);
    A->Font()->SetColor(K);
}

using DropDownStylesTest = DropDownFixture;

TEST_F(DropDownStylesTest, EveryStyleSetsEveryColourOfItsRows) {
    auto* E = new TStyledDropDown(Form.get());
    for (int S = 0; S < 24; ++S) {
        SCOPED_TRACE(S);
        const auto Style = static_cast<TTesselStyle>(S);
        setAll(E);
        E->SetSelectionColorStyle(scWindows7);
        E->SetComponentStyle(Style);
        EXPECT_EQ(E->GetComponentStyle(), Style);
        const TPopupRow& P = PopupRows[S];
        EXPECT_EQ(E->DropDownColor(), P.Drop);
        EXPECT_EQ(E->DropDownColorTo(), P.DropTo);
        EXPECT_EQ(E->DropDownBorderColor(), P.DropBorder);
        EXPECT_EQ(E->DropDownHeader()->Color(), P.HColor);
        EXPECT_EQ(E->DropDownHeader()->ColorTo(), P.HColorTo);
        EXPECT_EQ(E->DropDownHeader()->Font()->Color(), P.HFont);
        EXPECT_EQ(E->DropDownHeader()->BorderColor(), P.HBorder);
        EXPECT_EQ(E->DropDownFooter()->Color(), P.FColor);
        EXPECT_EQ(E->DropDownFooter()->ColorTo(), P.FColorTo);
        EXPECT_EQ(E->DropDownFooter()->Font()->Color(), P.HFont);
        EXPECT_EQ(E->DropDownFooter()->BorderColor(), P.FBorder);
        EXPECT_EQ(buttonColours(E->ButtonAppearance()), ButtonRows[S]);
        EXPECT_EQ(E->Font()->Color(), Style == tsOffice2016Black ? TColor(0xA6A6A6) : K);
        EXPECT_EQ(E->SelectionColorStyle(), scWindows7);  // no style changes the palette

        TItemAppearance Items(nullptr);
        setAll(&Items);
        E->ApplyItemAppearanceStyle(&Items, Style);
        EXPECT_EQ(itemColours(&Items), ItemRows[S]);
    }
    // A value outside the styles changes nothing but the style read back.
    setAll(E);
    E->SetComponentStyle(static_cast<TTesselStyle>(24));
    EXPECT_EQ(E->GetComponentStyle(), static_cast<TTesselStyle>(24));
    EXPECT_EQ(E->DropDownColor(), K);
    EXPECT_EQ(buttonColours(E->ButtonAppearance())[0], K);
    TItemAppearance Items(nullptr);
    setAll(&Items);
    E->ApplyItemAppearanceStyle(&Items, static_cast<TTesselStyle>(24));
    E->ApplyItemAppearanceStyle(nullptr, tsWindows7);
    EXPECT_EQ(Items.ColorHot(), K);
}

TEST_F(DropDownStylesTest, SelectedItemBackground) {
    auto* E = new TStyledDropDown(Form.get());
    TBitmap Bmp(40, 20);
    TCanvas* C = Bmp.Canvas();
    // The custom palette fills with the selection colour.
    E->SetSelectionColorStyle(scCustom);
    E->SetSelectionColor(0x123456);
    E->DrawSelectionBackground(C, Rect(0, 0, 40, 20), clFuchsia, 0);
    EXPECT_EQ(C->Pixels(0, 0), TColor(0x123456));
    EXPECT_EQ(C->Pixels(20, 10), TColor(0x123456));
    const struct {
        TSelectionColorStyle Style;
        TColor InnerCorner, Frame, From;
    } Cases[] = {{scOffice2007, 0xC3D9DF, 0x8DD7D3, 0xD7FFFD},
                 {scWindowsVista, 0xFCEDCB, 0xFDDE99, 0xFDF8F1},
                 {scWindows7, 0xE0C5AE, 0xCEA27D, 0xFCEBDC}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Style);
        E->SetSelectionColorStyle(Case.Style);
        C->Brush()->SetColor(clWhite);
        C->FillRect(Rect(0, 0, 40, 20));
        E->DrawSelectionBackground(C, Rect(0, 0, 40, 20), clFuchsia, 0);
        EXPECT_EQ(C->Pixels(0, 0), clFuchsia);  // the rounded corner shows the background
        EXPECT_EQ(C->Pixels(20, 0), Case.Frame);
        EXPECT_EQ(C->Pixels(0, 10), Case.Frame);
        EXPECT_EQ(C->Pixels(1, 1), Case.InnerCorner);
        // Position 2 rounds only the right end: the left corner is part of the frame.
        E->DrawSelectionBackground(C, Rect(0, 0, 40, 20), clFuchsia, 2);
        EXPECT_EQ(C->Pixels(0, 0), Case.Frame);
    }
}

}  // namespace
