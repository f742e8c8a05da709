#include "components/controls/AdvOfficeMenuStyler.h"

#include "components/controls/AdvMenuDraw.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Messages.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace advmenu;

namespace {

struct Value {
    const char* Name;
    long long Actual, Expected;
};

void expectAll(const char* Context, std::initializer_list<Value> Values) {
    for (const auto& V : Values) EXPECT_EQ(V.Actual, V.Expected) << Context << ": " << V.Name;
}

// Every colour and switch a style may write, for before/after comparisons.
std::vector<long long> snapshot(TAdvMenuOfficeStyler& S) {
    TRootItem* R = S.RootItem();
    TSelectedItem* Sel = S.SelectedItem();
    TIconBar* I = S.IconBar();
    TButtonAppearance* A = S.ButtonAppearance();
    return {S.Background()->Color(),
            S.Background()->ColorTo(),
            S.MenuBorderColor(),
            R->Color(),
            R->ColorTo(),
            R->GradientDirection(),
            R->SelectedColor(),
            R->SelectedColorTo(),
            R->SelectedColorMirror(),
            R->SelectedColorMirrorTo(),
            R->SelectedBorderColor(),
            R->SelectedTextColor(),
            R->HoverColor(),
            R->HoverColorTo(),
            R->HoverColorMirror(),
            R->HoverColorMirrorTo(),
            R->HoverBorderColor(),
            R->HoverTextColor(),
            R->Font()->Color(),
            R->UseSystemFont(),
            Sel->Color(),
            Sel->ColorTo(),
            Sel->ColorMirror(),
            Sel->ColorMirrorTo(),
            Sel->BorderColor(),
            Sel->CheckColor(),
            Sel->CheckColorTo(),
            Sel->CheckBorder(),
            Sel->RadioColor(),
            Sel->RadioColorTo(),
            Sel->RadioBorder(),
            Sel->Font()->Color(),
            Sel->UseSystemFont(),
            I->Color(),
            I->ColorTo(),
            I->CheckColor(),
            I->CheckColorTo(),
            I->CheckBorder(),
            I->RadioColor(),
            I->RadioColorTo(),
            I->RadioBorder(),
            I->SeparatorColor(),
            S.Separator()->Color(),
            S.Separator()->ColorTo(),
            A->HoverColor(),
            A->HoverColorTo(),
            A->HoverBorderColor(),
            A->DownColor(),
            A->DownColorTo(),
            A->DownBorderColor()};
}

TEST(AdvOfficeMenuStyler, NewStylerHoldsTheOffice2003BlueSet) {
    TAdvMenuOfficeStyler S(nullptr);
    TRootItem* R = S.RootItem();
    TButtonAppearance* A = S.ButtonAppearance();
    TSelectedItem* Sel = S.SelectedItem();
    TIconBar* I = S.IconBar();
    expectAll("new styler", {
                                {"Style", S.Style(), osOffice2003Blue},
                                {"AutoThemeAdapt", S.AutoThemeAdapt(), false},
                                {"AntiAlias", S.AntiAlias(), aaNone},
                                {"UseSystemFont", S.UseSystemFont(), true},
                                {"Font.Color", S.Font()->Color(), clWindowText},
                                {"Background.Color", S.Background()->Color(), 0xF6F6F6},
                                {"Background.ColorTo", S.Background()->ColorTo(), 0xF6F6F6},
                                {"MenuBorderColor", S.MenuBorderColor(), 0x962D00},
                                {"IconBar.Color", I->Color(), 0xFFEFE3},
                                {"IconBar.ColorTo", I->ColorTo(), 0xE4AD87},
                                {"IconBar.SeparatorColor (never written)", I->SeparatorColor(), clNone},
                                {"IconBar.CheckBorder", I->CheckBorder(), 0x800000},
                                {"IconBar.RadioColor", I->RadioColor(), 0x6FC0FF},
                                {"SelectedItem.Color", Sel->Color(), 0xC2EEFF},
                                {"SelectedItem.ColorTo", Sel->ColorTo(), clNone},
                                {"SelectedItem.BorderColor", Sel->BorderColor(), 0x800000},
                                {"SelectedItem.CheckColor", Sel->CheckColor(), 0x3E80FE},
                                {"SelectedItem.RadioBorder", Sel->RadioBorder(), 0x800000},
                                {"Separator.Color", S.Separator()->Color(), 0xCB8C6A},
                                {"Separator.ColorTo", S.Separator()->ColorTo(), clNone},
                                {"RootItem.Color", R->Color(), 0xF5BE9E},
                                {"RootItem.ColorTo", R->ColorTo(), 0xF7CDB2},
                                {"RootItem.GradientDirection", R->GradientDirection(), gdHorizontal},
                                {"RootItem.SelectedColor", R->SelectedColor(), 0xFFEFE3},
                                {"RootItem.SelectedColorTo", R->SelectedColorTo(), 0xE7B593},
                                {"RootItem.SelectedColorMirror", R->SelectedColorMirror(), clNone},
                                {"RootItem.SelectedBorderColor", R->SelectedBorderColor(), 0x962D00},
                                {"RootItem.HoverColor", R->HoverColor(), 0xCCF4FF},
                                {"RootItem.HoverColorTo", R->HoverColorTo(), 0x9AD6FF},
                                {"RootItem.HoverColorMirrorTo", R->HoverColorMirrorTo(), clNone},
                                {"RootItem.HoverBorderColor", R->HoverBorderColor(), 0x6F4B4B},
                                {"RootItem.HoverTextColor", R->HoverTextColor(), clWindowText},
                                {"RootItem.Font.Color", R->Font()->Color(), clBlack},
                                {"ButtonAppearance.DownColor", A->DownColor(), 0x4E91FE},
                                {"ButtonAppearance.DownColorTo", A->DownColorTo(), 0x91D3FF},
                                {"ButtonAppearance.HoverColor", A->HoverColor(), 0xCCF4FF},
                                {"ButtonAppearance.HoverColorTo", A->HoverColorTo(), 0x91D0FF},
                                {"ButtonAppearance.DownBorderColor", A->DownBorderColor(), 0x800000},
                                {"ButtonAppearance.HoverBorderColor", A->HoverBorderColor(), 0x800000},
                            });
}

// Rows chosen where the styles differ from their neighbours.
TEST(AdvOfficeMenuStyler, StylesWriteThePopupColours) {
    struct Case {
        TOfficeStyle Style;
        TColor Bg, BgTo, Border, Icon, IconTo, IconSep, Sel, SelTo, Mirror, MirrorTo, SelBorder, Sep, SepTo;
    };
    const Case Cases[] = {
        {osOffice2003Silver, 0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xFFF9F9, 0xB99D9F, clNone, 0xC2EEFF, clNone, clNone, clNone,
         0x080000, 0x8F6D6E, clNone},
        {osOfficeXP, clWindow, clWindow, 0x808080, clBtnFace, clNone, clNone, 0xEFD3C6, clNone, clNone, clNone,
         0xC66931, 0x7A868A, clNone},
        {osOffice2007Silver, 0xFAFAFA, 0xFAFAFA, 0x868686, 0xEFEFEF, 0xEFEFEF, 0xC5C5C5, 0xEBFDFF, 0xABEBFF, 0x69D6FF,
         0x96E4FF, 0x99CEDB, 0xC5C5C5, clNone},
        {osVista, 0xEEEEEE, clNone, 0x979797, 0xEEEEEE, clNone, 0xC5C5C5, 0xF4F1EB, 0xF3EBDA, clNone, clNone, 0xEBD8A8,
         0xE0E0E0, 0xFFFFFF},
        {osWhidbey, 0xF9FCFC, 0xF9FCFC, 0x7A868A, 0xFBFEFE, 0xACC3C4, clNone, 0xEED2C1, clNone, clNone, clNone,
         0xC56A31, 0xB8C2C5, clNone},
        {osTerminal, clBtnFace, clBtnFace, 0x808080, clBtnFace, clBtnFace, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0,
         0xC0C0C0, 0x808080, 0x808080, 0x808080},
        {osOffice2010Silver, 0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD,
         0xD9F9FD, 0x58CAF1, 0xC9C8C7, 0xC9C8C7},
        {osWindows10, 0xF7F6F5, clNone, 0x979797, 0xEEEEEE, clNone, 0xC5C5C5, 0xF7EFE8, 0xF7EFE8, clNone, clNone,
         0xF9CEA4, 0xE0E0E0, 0xFFFFFF},
        {osOffice2013Gray, 0xE5E5E5, 0xE5E5E5, 0xB0ABA7, 0xF6F6F6, 0xF6F6F6, 0xA0A0A0, 0xFCF0E4, 0xFCF0E4, clNone,
         clNone, 0xEAB47E, 0xC9C8C7, 0xC9C8C7},
        {osOffice2016Gray, 0xB2B2B2, 0xB2B2B2, 0x444444, 0xB2B2B2, 0xB2B2B2, 0x444444, 0xE3BDA3, 0xE3BDA3, clNone,
         clNone, 0xE3BDA3, 0x444444, 0x444444},
        {osOffice2016Black, 0x363636, 0x363636, 0x444444, 0x363636, 0x363636, 0x444444, 0xFFFFFF, 0xFFFFFF, clNone,
         clNone, 0x444444, 0x444444, 0x444444},
    };
    for (const Case& C : Cases) {
        // A fresh styler each time: the icon bar's separator of the 2003 styles is never written.
        TAdvMenuOfficeStyler S(nullptr);
        S.SetStyle(C.Style);
        const std::string Ctx = "style " + std::to_string(C.Style);
        TSelectedItem* Sel = S.SelectedItem();
        expectAll(Ctx.c_str(), {
                                   {"Background.Color", S.Background()->Color(), C.Bg},
                                   {"Background.ColorTo", S.Background()->ColorTo(), C.BgTo},
                                   {"MenuBorderColor", S.MenuBorderColor(), C.Border},
                                   {"IconBar.Color", S.IconBar()->Color(), C.Icon},
                                   {"IconBar.ColorTo", S.IconBar()->ColorTo(), C.IconTo},
                                   {"IconBar.SeparatorColor", S.IconBar()->SeparatorColor(), C.IconSep},
                                   {"SelectedItem.Color", Sel->Color(), C.Sel},
                                   {"SelectedItem.ColorTo", Sel->ColorTo(), C.SelTo},
                                   {"SelectedItem.ColorMirror", Sel->ColorMirror(), C.Mirror},
                                   {"SelectedItem.ColorMirrorTo", Sel->ColorMirrorTo(), C.MirrorTo},
                                   {"SelectedItem.BorderColor", Sel->BorderColor(), C.SelBorder},
                                   {"Separator.Color", S.Separator()->Color(), C.Sep},
                                   {"Separator.ColorTo", S.Separator()->ColorTo(), C.SepTo},
                               });
    }
}

TEST(AdvOfficeMenuStyler, StylesWriteCheckAndRadioBoxes) {
    struct Box {
        TColor Color, ColorTo, Border;
    };
    struct Case {
        TOfficeStyle Style;
        Box IconCheck, IconRadio, SelCheck, SelRadio;
    };
    const Case Cases[] = {
        {osOffice2003Olive,
         {0x6FC0FF, clNone, 0x385D3F},
         {0x6FC0FF, clNone, 0x385D3F},
         {0x3E80FE, clNone, 0x385D3F},
         {0x3E80FE, clNone, 0x385D3F}},
        {osOfficeXP,
         {clBtnFace, clNone, clBtnFace},
         {clBtnFace, clNone, clBtnFace},
         {0xEFD3C6, clNone, 0xEFD3C6},
         {0xEFD3C6, clNone, 0xEFD3C6}},
        {osOffice2007Obsidian,
         {0x6FC0FF, clNone, 0x800000},
         {0x6FC0FF, clNone, 0x800000},
         {0x3E80FE, clNone, 0x800000},
         {0x3E80FE, clNone, 0x800000}},
        {osWhidbey,
         {0xE8E6E1, clNone, 0xC56A31},
         {0xE8E6E1, clNone, 0xC56A31},
         {0xC56A31, clNone, 0x000000},
         {0xC56A31, clNone, 0x000000}},
        {osWindows7,
         {0xF4EFE6, clNone, 0xE6D3CD},
         {0xF4EFE6, clNone, 0xE6D3CD},
         {0xFCEBDC, clNone, 0xE6D3CD},
         {0xFCEBDC, clNone, 0xCEA27D}},
        {osTerminal,
         {0xC0C0C0, 0xC0C0C0, 0x808080},
         {0xC0C0C0, 0xC0C0C0, 0xC0C0C0},
         {0xC0C0C0, 0xC0C0C0, 0x808080},
         {0xC0C0C0, 0xC0C0C0, 0x808080}},
        {osOffice2013White,
         {0xFCF0E4, clNone, 0xEAB47E},
         {0xFCF0E4, clNone, 0xEAB47E},
         {0xFCF0E4, clNone, 0x3695F2},
         {0xFCF0E4, clNone, 0x3695F2}},
        {osOffice2016Gray,
         {0xF2D5C2, clNone, 0xF2D5C2},
         {0xF2E1D5, clNone, 0xF2E1D5},
         {0xF2D5C2, 0xF2D5C2, 0xF2D5C2},
         {0xF2D5C2, clNone, 0xF2D5C2}},
    };
    for (const Case& C : Cases) {
        TAdvMenuOfficeStyler S(nullptr);
        S.SetStyle(C.Style);
        const std::string Ctx = "style " + std::to_string(C.Style);
        TIconBar* I = S.IconBar();
        TSelectedItem* Sel = S.SelectedItem();
        expectAll(Ctx.c_str(), {
                                   {"IconBar.CheckColor", I->CheckColor(), C.IconCheck.Color},
                                   {"IconBar.CheckColorTo", I->CheckColorTo(), C.IconCheck.ColorTo},
                                   {"IconBar.CheckBorder", I->CheckBorder(), C.IconCheck.Border},
                                   {"IconBar.RadioColor", I->RadioColor(), C.IconRadio.Color},
                                   {"IconBar.RadioColorTo", I->RadioColorTo(), C.IconRadio.ColorTo},
                                   {"IconBar.RadioBorder", I->RadioBorder(), C.IconRadio.Border},
                                   {"SelectedItem.CheckColor", Sel->CheckColor(), C.SelCheck.Color},
                                   {"SelectedItem.CheckColorTo", Sel->CheckColorTo(), C.SelCheck.ColorTo},
                                   {"SelectedItem.CheckBorder", Sel->CheckBorder(), C.SelCheck.Border},
                                   {"SelectedItem.RadioColor", Sel->RadioColor(), C.SelRadio.Color},
                                   {"SelectedItem.RadioColorTo", Sel->RadioColorTo(), C.SelRadio.ColorTo},
                                   {"SelectedItem.RadioBorder", Sel->RadioBorder(), C.SelRadio.Border},
                               });
    }
}

TEST(AdvOfficeMenuStyler, StylesThatShareABlockDifferOnlyInTheirRootItems) {
    struct Case {
        TOfficeStyle A, B;
        TColor RootA, RootToA, RootB, RootToB;
    };
    const Case Cases[] = {
        {osOffice2007Luna, osOffice2007Obsidian, 0xF2DAC2, 0xF0D9C1, 0xB8B8B6, 0xA0A09E},
        {osOffice2010Blue, osOffice2010Silver, 0xFDF6EF, 0xF0DAC7, 0xFFFFFF, 0xEDE5E0},
        {osOffice2010Blue, osOffice2010Black, 0xFDF6EF, 0xF0DAC7, 0xBFBFBF, 0x919191},
        {osWindows8, osWindows10, clNone, clNone, clNone, clNone},  // identical sets
    };
    for (const Case& C : Cases) {
        TAdvMenuOfficeStyler A(nullptr), B(nullptr);
        A.SetStyle(C.A);
        B.SetStyle(C.B);
        if (C.RootA != clNone) {
            EXPECT_EQ(A.RootItem()->Color(), C.RootA) << C.A;
            EXPECT_EQ(A.RootItem()->ColorTo(), C.RootToA) << C.A;
            EXPECT_EQ(B.RootItem()->Color(), C.RootB) << C.B;
            EXPECT_EQ(B.RootItem()->ColorTo(), C.RootToB) << C.B;
            A.RootItem()->SetColor(C.RootB);
            A.RootItem()->SetColorTo(C.RootToB);
        }
        EXPECT_EQ(snapshot(A), snapshot(B)) << C.A << " against " << C.B;
    }
}

// Values a style does not write keep what was there before, from a style or the user.
TEST(AdvOfficeMenuStyler, UnwrittenValuesAreKept) {
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osOffice2007Luna);
    S.SetStyle(osOffice2003Blue);
    EXPECT_EQ(S.IconBar()->SeparatorColor(), 0xC5C5C5);

    S.IconBar()->SetSeparatorColor(0x123456);
    S.RootItem()->SetGradientDirection(gdVertical);
    S.ButtonAppearance()->SetDownColor(0x010203);
    S.ButtonAppearance()->SetHoverBorderColor(0x040506);
    S.SetStyle(osWhidbey);
    EXPECT_EQ(S.IconBar()->SeparatorColor(), 0x123456);
    EXPECT_EQ(S.RootItem()->GradientDirection(), gdVertical);
    EXPECT_EQ(S.ButtonAppearance()->DownColor(), 0x010203);
    EXPECT_EQ(S.ButtonAppearance()->HoverBorderColor(), 0x040506);
    EXPECT_EQ(S.RootItem()->SelectedTextColor(), clBlack);

    S.RootItem()->SetGradientDirection(gdVertical);
    S.SetStyle(osOfficeXP);
    EXPECT_EQ(S.RootItem()->GradientDirection(), gdVertical);
    EXPECT_NE(S.ButtonAppearance()->DownColor(), 0x010203);
    S.SetStyle(osOffice2003Olive);
    EXPECT_EQ(S.RootItem()->GradientDirection(), gdHorizontal);
}

TEST(AdvOfficeMenuStyler, CustomStyleResetsOnlyTheStylerFont) {
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osOffice2013Gray);
    S.SelectedItem()->SetColor(clMoneyGreen);
    S.Font()->SetColor(clRed);
    S.SetUseSystemFont(false);
    const std::vector<long long> Before = snapshot(S);
    S.SetStyle(osCustom);
    EXPECT_EQ(S.Style(), osCustom);
    EXPECT_EQ(snapshot(S), Before);
    EXPECT_EQ(S.Font()->Color(), clWindowText);
    EXPECT_TRUE(S.UseSystemFont());
}

TEST(AdvOfficeMenuStyler, DarkStylesWriteFontsThatLighterStylesKeep) {
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osOffice2016White);
    expectAll("2016 white", {{"RootItem.Font.Color", S.RootItem()->Font()->Color(), 0x505050},
                             {"RootItem.HoverTextColor", S.RootItem()->HoverTextColor(), 0x505050},
                             {"RootItem.UseSystemFont", S.RootItem()->UseSystemFont(), true}});
    S.SetStyle(osOffice2016Gray);
    expectAll("2016 gray", {{"RootItem.Font.Color", S.RootItem()->Font()->Color(), 0xF0F0F0},
                            {"RootItem.HoverTextColor", S.RootItem()->HoverTextColor(), 0x424242},
                            {"RootItem.UseSystemFont", S.RootItem()->UseSystemFont(), false},
                            {"Font.Color", S.Font()->Color(), clWindowText},
                            {"UseSystemFont", S.UseSystemFont(), true}});
    S.SetStyle(osOffice2016Black);
    expectAll("2016 black", {{"Font.Color", S.Font()->Color(), 0xC6C6C6},
                             {"UseSystemFont", S.UseSystemFont(), false},
                             {"SelectedItem.Font.Color", S.SelectedItem()->Font()->Color(), clBlack},
                             {"SelectedItem.UseSystemFont", S.SelectedItem()->UseSystemFont(), false},
                             {"RootItem.Font.Color", S.RootItem()->Font()->Color(), 0xA6A6A6},
                             {"RootItem.HoverTextColor", S.RootItem()->HoverTextColor(), 0xA6A6A6},
                             {"RootItem.SelectedTextColor", S.RootItem()->SelectedTextColor(), 0xFFFFFF},
                             {"RootItem.UseSystemFont", S.RootItem()->UseSystemFont(), false}});
    S.SetStyle(osOffice2003Blue);
    expectAll("2016 black then 2003 blue",
              {{"Font.Color", S.Font()->Color(), clWindowText},
               {"UseSystemFont", S.UseSystemFont(), true},
               {"SelectedItem.UseSystemFont", S.SelectedItem()->UseSystemFont(), false},
               {"RootItem.UseSystemFont", S.RootItem()->UseSystemFont(), false},
               {"RootItem.SelectedTextColor (kept)", S.RootItem()->SelectedTextColor(), 0xFFFFFF}});
}

TEST(AdvOfficeMenuStyler, SetComponentStyleMapsEveryLook) {
    struct Case {
        TTesselStyle From;
        TOfficeStyle To;
    };
    const Case Cases[] = {
        {tsOffice2003Blue, osOffice2003Blue},
        {tsOffice2003Silver, osOffice2003Silver},
        {tsOffice2003Olive, osOffice2003Olive},
        {tsOffice2003Classic, osOfficeXP},
        {tsOffice2007Luna, osOffice2007Luna},
        {tsOffice2007Obsidian, osOffice2007Obsidian},
        {tsWindowsXP, osOfficeXP},
        {tsWhidbey, osWhidbey},
        {tsOffice2007Silver, osOffice2007Silver},
        {tsWindowsVista, osVista},
        {tsWindows7, osWindows7},
        {tsTerminal, osTerminal},
        {tsOffice2010Blue, osOffice2010Blue},
        {tsOffice2010Silver, osOffice2010Silver},
        {tsOffice2010Black, osOffice2010Black},
        {tsWindows8, osWindows8},
        {tsOffice2013White, osOffice2013White},
        {tsOffice2013LightGray, osOffice2013LightGray},
        {tsOffice2013Gray, osOffice2013Gray},
        {tsWindows10, osWindows10},
        {tsOffice2016White, osOffice2016White},
        {tsOffice2016Gray, osOffice2016Gray},
        {tsOffice2016Black, osOffice2016Black},
    };
    for (const Case& C : Cases) {
        TAdvMenuOfficeStyler S(nullptr);
        S.SetStyle(osCustom);
        ITesselStyle* Intf = nullptr;
        ASSERT_TRUE(Supports<ITesselStyle>(static_cast<TComponent*>(&S), &Intf));
        Intf->SetComponentStyle(C.From);
        EXPECT_EQ(S.Style(), C.To) << "look " << C.From;
    }
}

TEST(AdvOfficeMenuStyler, CustomLookChangesNothing) {
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osWindows7);
    S.Font()->SetColor(clRed);
    S.SetUseSystemFont(false);
    const std::vector<long long> Before = snapshot(S);
    S.SetComponentStyle(tsCustom);
    EXPECT_EQ(S.Style(), osWindows7);
    EXPECT_EQ(snapshot(S), Before);
    EXPECT_EQ(S.Font()->Color(), clRed);
    EXPECT_FALSE(S.UseSystemFont());
}

// ---------------------------------------------------------------------------------------------
// Following the visual style's colour scheme.

class OfficeMenuThemeTest : public ::testing::Test {
protected:
    TPlatformFactsScope Facts;
    void scheme(bool Active, const char* ColorName) {
        ThemeSettings().Active = Active;
        ThemeSettings().ColorName = QLatin1String(ColorName);
    }
};

// Without a usable theme library, an active style or XP, the scheme is 0 and the style osOfficeXP.
TEST_F(OfficeMenuThemeTest, AdaptingStylerFollowsTheScheme) {
    enum Library { Present, Hidden, NoThemeName };
    struct Case {
        DWORD Major, Minor;
        bool Active;
        const char* ColorName;
        Library Lib;
        TOfficeStyle Style;
    };
    const Case Cases[] = {
        {5, 1, true, "NormalColor", Present, osOffice2003Blue}, {6, 0, true, "HomeStead", Present, osOffice2003Olive},
        {10, 0, true, "Metallic", Present, osOffice2003Silver}, {10, 0, true, "Aero", Present, osOfficeXP},
        {10, 0, true, "normalcolor", Present, osOfficeXP},      {10, 0, false, "Metallic", Present, osOfficeXP},
        {5, 0, true, "Metallic", Present, osOfficeXP},          {4, 9, true, "Metallic", Present, osOfficeXP},
        {10, 0, true, "Metallic", Hidden, osOfficeXP},          {10, 0, true, "Metallic", NoThemeName, osOfficeXP},
    };
    TModuleExports Lacking;
    for (const TModuleExport& E : UxThemeExports())
        if (std::string(E.Name) != "GetCurrentThemeName") Lacking.push_back(E);
    for (const Case& C : Cases) {
        PlatformFacts().MajorVersion = C.Major;
        PlatformFacts().MinorVersion = C.Minor;
        scheme(C.Active, C.ColorName);
        std::unique_ptr<TModuleReplacement> Replacement;
        if (C.Lib == Hidden) Replacement = std::make_unique<TModuleReplacement>(QStringLiteral("uxtheme.dll"));
        if (C.Lib == NoThemeName)
            Replacement = std::make_unique<TModuleReplacement>(QStringLiteral("uxtheme.dll"), Lacking);
        TAdvMenuOfficeStyler S(nullptr);
        S.SetStyle(osTerminal);
        S.SetAutoThemeAdapt(true);
        EXPECT_EQ(S.Style(), C.Style) << C.Major << "." << C.Minor << " " << C.ColorName << " active " << C.Active
                                      << " library " << C.Lib;
    }
}

TEST_F(OfficeMenuThemeTest, AdaptsOnlyWhenSwitchedOnAndOnEachTrigger) {
    scheme(true, "Metallic");
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osWindows7);
    S.ThemeChanged();
    S.Loaded();
    ASSERT_NE(S.NotifierWnd(), nullptr);
    S.NotifierWnd()->Perform(WM_THEMECHANGED);
    EXPECT_EQ(S.Style(), osWindows7) << "not adapting";

    S.SetAutoThemeAdapt(true);
    EXPECT_EQ(S.Style(), osOffice2003Silver) << "switched on";
    // Setting the same value again does not adapt.
    S.SetStyle(osWindows7);
    S.SetAutoThemeAdapt(true);
    EXPECT_EQ(S.Style(), osWindows7);

    scheme(true, "HomeStead");
    S.Loaded();
    EXPECT_EQ(S.Style(), osOffice2003Olive) << "after loading";

    scheme(true, "NormalColor");
    S.NotifierWnd()->Perform(WM_THEMECHANGED);
    EXPECT_EQ(S.Style(), osOffice2003Blue) << "on WM_THEMECHANGED";
    scheme(false, "");
    S.NotifierWnd()->Perform(WM_SETTINGCHANGE);
    EXPECT_EQ(S.Style(), osOffice2003Blue) << "other messages";
}

// The main window's styler: style first, stored values after, and loading keeps them.
TEST(AdvOfficeMenuStyler, StoredValuesWinOverTheStyleAndPaintTheSelection) {
    TAdvMenuOfficeStyler S(nullptr);
    S.SetStyle(osOffice2003Blue);
    S.SelectedItem()->SetColor(clMoneyGreen);
    S.Loaded();
    ASSERT_EQ(S.SelectedItem()->Color(), clMoneyGreen);

    Paper P(40, 20);
    TSelectedItem* Sel = S.SelectedItem();
    MenuMirrorGradientBox(nullptr, P.Canvas(), Rect(2, 2, 38, 18), true, Sel->BorderColor(), Sel->GradientDirection(),
                          Sel->Color(), Sel->ColorTo(), Sel->ColorMirror(), Sel->ColorMirrorTo());
    EXPECT_EQ(P.At(20, 4), clMoneyGreen);
    EXPECT_EQ(P.At(20, 15), clMoneyGreen) << "one solid bar, no mirror half";
    EXPECT_EQ(P.At(2, 10), 0x800000);
    EXPECT_EQ(P.At(20, 2), 0x800000);
    EXPECT_EQ(P.At(1, 1), clWhite);
}

// ---------------------------------------------------------------------------------------------
// The notifier window.

// Records what reaches the inherited handling, after the notifier's own step.
class TRecordingNotifier : public TNotifierWindow {
public:
    using TNotifierWindow::TNotifierWindow;
    std::vector<std::string>* Log = nullptr;
    void Dispatch(TMessage& Message) override {
        if (Log && (Message.Msg == WM_THEMECHANGED || Message.Msg == WM_SETTINGCHANGE))
            Log->push_back(Message.Msg == WM_THEMECHANGED ? "dispatch theme" : "dispatch setting");
        TNotifierWindow::Dispatch(Message);
    }
};

TEST(NotifierWindow, FiresOnThemeChangedFirstAndPassesEveryMessageOn) {
    std::vector<std::string> Log;
    TRecordingNotifier W(nullptr);
    W.Log = &Log;
    TObject* Sender = nullptr;
    W.OnThemeChange = [&](TObject* S) {
        Log.push_back("event");
        Sender = S;
    };
    W.Perform(WM_SETTINGCHANGE);
    W.Perform(WM_THEMECHANGED);
    EXPECT_EQ(Log, (std::vector<std::string>{"dispatch setting", "event", "dispatch theme"}));
    EXPECT_EQ(Sender, &W);

    W.OnThemeChange = nullptr;
    Log.clear();
    W.Perform(WM_THEMECHANGED);
    EXPECT_EQ(Log, (std::vector<std::string>{"dispatch theme"}));
}

TEST(NotifierWindow, AHandlerMayFreeTheWindow) {
    auto* W = new TNotifierWindow(nullptr);
    int Fired = 0;
    W->OnThemeChange = [&](TObject* S) {
        ++Fired;
        static_cast<TNotifierWindow*>(S)->Free();
    };
    W->Perform(WM_THEMECHANGED);
    EXPECT_EQ(Fired, 1);
}

TEST(NotifierWindow, ParentedToTheFirstWindowedOwnerAndOwnedByTheStyler) {
    TForm Form(nullptr);
    auto* Holder = new TComponent(&Form);
    auto* OnForm = new TAdvMenuOfficeStyler(Holder);
    ASSERT_NE(OnForm->NotifierWnd(), nullptr);
    EXPECT_EQ(OnForm->NotifierWnd()->Parent(), &Form) << "through a windowless owner";
    EXPECT_EQ(OnForm->NotifierWnd()->Owner(), OnForm);
    EXPECT_FALSE(OnForm->NotifierWnd()->Visible());

    TAdvMenuOfficeStyler Alone(nullptr);
    ASSERT_NE(Alone.NotifierWnd(), nullptr);
    EXPECT_EQ(Alone.NotifierWnd()->Parent(), nullptr);

    // Freeing the styler frees its window, which leaves the form.
    const int Before = Form.ControlCount();
    OnForm->Free();
    EXPECT_EQ(Form.ControlCount(), Before - 1);
}

// A parent frees its child windows, so the form may take the notifier before the styler goes.
TEST(NotifierWindow, StylerOutlivesANotifierFreedByItsParent) {
    TComponent Owner(nullptr);
    auto* Form = new TForm(nullptr);
    auto* S = new TAdvMenuOfficeStyler(Form);
    Form->RemoveComponent(S);
    Owner.InsertComponent(S);
    ASSERT_EQ(S->NotifierWnd()->Parent(), Form);
    Form->Free();
    EXPECT_EQ(S->NotifierWnd(), nullptr);
    S->SetAutoThemeAdapt(true);
    S->Free();
}

}  // namespace
