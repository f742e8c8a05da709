#include "components/controls/AdvToolButton.h"

#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Messages.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The looks written out once more, column by column, so that a slip in the button's own table shows.
struct LookRow {
    int Look;
    TColor Colors[11];  // Color ColorTo ColorHot ColorHotTo ColorDown ColorDownTo ColorChecked ColorCheckedTo
                        // BorderColor BorderHotColor BorderDownColor
    bool Rounded;
};

// clang-format off
const LookRow kLookRows[] = {
    {0, {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, clWhite, clNone, clNone, 0xC3CECE, 0xAF987A}, true},
    {1, {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, clNone, 0xC56A31, 0xC56A31}, false},
    {2, {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clNone, clBlack, clBlack}, false},
    {3, {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clNone, clBlack, clBlack}, false},
    {4, {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clNone, clBlack, clBlack}, false},
    {5, {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, clNone}, false},
    {6, {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, clNone, clGray, clGray}, false},
    {7, {0xEBEEEF, 0x7E9898, 0xDCFFFF, 0x5BC0F7, 0x087FE8, 0x7CDAF7, 0x8ED3FF, 0x55ADFF, clNone, clBlack, clBlack}, false},
    {8, {0xEEDBC8, 0xF6DDC9, 0xEBFDFF, 0xACECFF, 0x76AFF1, 0x4190F3, 0xB5DBFB, 0x78C7FE, 0xE0B99B, 0x99CEDB, 0x45667B}, true},
    {9, {0xDFDED6, 0xE4E2DB, 0xEBFDFF, 0xACECFF, 0x76AFF1, 0x4190F3, 0xB5DBFB, 0x78C7FE, 0xC0BCB2, 0x99CEDB, 0x45667B}, true},
    {10, {0xF3F3F1, 0xEEEAE7, 0xEBFDFF, 0xACECFF, 0x76AFF1, 0x4190F3, 0xB5DBFB, 0x78C7FE, 0xCCCAC9, 0x99CEDB, 0x45667B}, true},
    {11, {0xFDF8F1, 0xFCEFD5, 0xFFFDF9, 0xFFFAF0, 0xFEF9F0, 0xFDF0D7, 0xFBEDD3, 0xFAE9C6, 0xFDDE99, 0xFCF2DA, 0xFEDF9A}, true},
    {12, {0xFCEBDC, 0xFCDBC1, 0xFDFBFA, 0xFDF3EB, 0xFCEBDC, 0xFCDBC1, 0xFDFBFA, 0xFDF3EB, 0xCEA27D, 0xFBD6B8, 0xCEA27D}, true},
    {13, {clBtnFace, clBtnFace, clSilver, clSilver, clHighlight, clHighlight, clWhite, clWhite, clGray, clGray, clGray}, false},
    {14, {0xFDF6EF, 0xF0DAC7, 0x8AE3FD, 0xD9F9FD, 0x6CD0FF, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0xC7B29F, 0x58CAF1, 0x308AC2}, true},
    {15, {clWhite, 0xEDE5E0, 0x8AE3FD, 0xD9F9FD, 0x6CD0FF, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0xD2CDC8, 0x58CAF1, 0x308AC2}, true},
    {16, {0xBFBFBF, 0x919191, 0x8AE3FD, 0xD9F9FD, 0x6CD0FF, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x6D6D6D, 0x58CAF1, 0x308AC2}, true},
    {17, {0xF7F6F5, clNone, 0xF7EFE8, clNone, 0xF7E0C9, clNone, 0xDAA026, clNone, 0xE4E3E2, 0xF9CEA4, 0xE4A262}, false},
    {18, {clWhite, clNone, 0xFCF0E4, clNone, 0xFCE2C8, clNone, 0xFF9933, clNone, 0xD4D4D4, 0xEAB47E, 0xE59D56}, false},
    {19, {0xF6F6F6, clNone, 0xFCF0E4, clNone, 0xFCE2C8, clNone, 0xFF9933, clNone, 0xC6C6C6, 0xEAB47E, 0xE59D56}, false},
    {20, {0xE5E5E5, clNone, 0xFCF0E4, clNone, 0xFCE2C8, clNone, 0xFF9933, clNone, 0xABABAB, 0xEAB47E, 0xE59D56}, false},
    {21, {0xF7F6F5, clNone, 0xF7EFE8, clNone, 0xF7E0C9, clNone, 0xDAA026, clNone, 0xE4E3E2, 0xF9CEA4, 0xE4A262}, false},
    {22, {clWhite, clNone, 0xF2E1D5, clNone, 0xE3BDA3, clNone, 0xF2D5C2, clNone, 0xD4D4D4, 0xF2E1D5, 0xE3BDA3}, false},
    {23, {0xB2B2B2, clNone, 0xF2E1D5, clNone, 0xE3BDA3, clNone, 0xF2D5C2, clNone, 0x444444, 0xF2E1D5, 0xE3BDA3}, false},
    {24, {0x363636, 0x363636, 0x6A6A6A, 0x6A6A6A, 0x444444, 0x444444, 0x575757, 0x575757, 0x444444, 0x6A6A6A, 0x444444}, false},
};
// clang-format on

void expectLook(TAdvToolButton* B, int Look) {
    SCOPED_TRACE(testing::Message() << "look " << Look);
    const LookRow& Row = kLookRows[Look];
    const TColor Actual[11] = {B->Color(),       B->ColorTo(),        B->ColorHot(),       B->ColorHotTo(),
                               B->ColorDown(),   B->ColorDownTo(),    B->ColorChecked(),   B->ColorCheckedTo(),
                               B->BorderColor(), B->BorderHotColor(), B->BorderDownColor()};
    for (int I = 0; I < 11; ++I) EXPECT_EQ(Actual[I], Row.Colors[I]) << "column " << I;
    EXPECT_EQ(B->Rounded(), Row.Rounded);
    EXPECT_TRUE(B->Flat());
    EXPECT_EQ(B->Look(), Look);
}

class ToolButtonLooksTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvToolButton* Button = nullptr;
    TPlatformFactsScope Facts;

    void SetUp() override {
        Form->SetBounds(0, 0, 200, 100);
        Button = new TAdvToolButton(Form.get());
        Button->SetParent(Form.get());
    }
    // Starts from values no look has, so that every column must be written.
    void scramble() {
        Button->SetFlat(false);
        Button->SetRounded(false);
        for (auto Set :
             {&TAdvToolButton::SetColorTo, &TAdvToolButton::SetColorHot, &TAdvToolButton::SetColorHotTo,
              &TAdvToolButton::SetColorDown, &TAdvToolButton::SetColorDownTo, &TAdvToolButton::SetColorChecked,
              &TAdvToolButton::SetColorCheckedTo, &TAdvToolButton::SetBorderColor, &TAdvToolButton::SetBorderHotColor,
              &TAdvToolButton::SetBorderDownColor})
            (Button->*Set)(0x123456);
        Button->SetColor(0x123456);
    }
};

TEST_F(ToolButtonLooksTest, EveryLookByNumberSetsEveryColumn) {
    for (const LookRow& Row : kLookRows) {
        scramble();
        Button->SetRounded(!Row.Rounded);
        Button->SetLook(Row.Look);
        expectLook(Button, Row.Look);
    }
}

TEST_F(ToolButtonLooksTest, EveryStyleAppliesItsLook) {
    // The "set by" column: the look of each TTesselStyle, in the style's order; -1 for tsCustom.
    const int LookOfStyle[] = {2, 4, 3, 1, 8, 9, 0, 7, -1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    static_assert(std::size(LookOfStyle) == tsOffice2016Black + 1);
    for (int S = 0; S <= tsOffice2016Black; ++S) {
        SCOPED_TRACE(testing::Message() << "style " << S);
        Button->SetLook(5);
        scramble();
        ITesselStyle* Styler = nullptr;
        ASSERT_TRUE(Supports<ITesselStyle>(Button, &Styler));
        Styler->SetComponentStyle(static_cast<TTesselStyle>(S));
        EXPECT_EQ(Button->GetComponentStyle(), static_cast<TTesselStyle>(S));
        if (LookOfStyle[S] < 0) {
            EXPECT_EQ(Button->Color(), TColor(0x123456)) << "tsCustom keeps the colours";
            EXPECT_FALSE(Button->Flat());
            EXPECT_EQ(Button->Look(), 5);
        } else {
            expectLook(Button, LookOfStyle[S]);
        }
    }
}

// The XP colour scheme picks the look: from the theme library when it is there and active.
TEST_F(ToolButtonLooksTest, ThemeAdaptFollowsTheColourScheme) {
    const struct {
        const char* Name;
        bool Active;
        const char* Scheme;
        DWORD Major, Minor;
        int Look;
    } Cases[] = {
        {"NormalColor", true, "NormalColor", 10, 0, 2},
        {"HomeStead", true, "HomeStead", 10, 0, 3},
        {"Metallic", true, "Metallic", 5, 1, 4},
        {"another scheme", true, "Aero", 10, 0, 1},
        {"names compare with case", true, "metallic", 10, 0, 1},
        {"no active style", false, "NormalColor", 10, 0, 1},
        {"older than XP", true, "NormalColor", 5, 0, 1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ThemeSettings().Active = C.Active;
        ThemeSettings().ColorName = QLatin1String(C.Scheme);
        PlatformFacts().MajorVersion = C.Major;
        PlatformFacts().MinorVersion = C.Minor;
        EXPECT_EQ(GetXPColorScheme(), C.Look == 1 ? 0 : C.Look - 1);
        Button->SetAutoThemeAdapt(false);
        scramble();
        Button->SetAutoThemeAdapt(true);
        expectLook(Button, C.Look);
    }
}

TEST_F(ToolButtonLooksTest, ThemeChangesReachOnlyAnAdaptingButton) {
    ThemeSettings().ColorName = QStringLiteral("NormalColor");
    Button->SetAutoThemeAdapt(true);
    expectLook(Button, 2);

    ThemeSettings().ColorName = QStringLiteral("HomeStead");
    Button->Perform(WM_THEMECHANGED, 0, 0);
    expectLook(Button, 3);
    ThemeSettings().ColorName = QStringLiteral("Metallic");
    Button->Perform(CM_SYSFONTCHANGED, 0, 0);
    expectLook(Button, 4);

    Button->SetAutoThemeAdapt(false);
    ThemeSettings().ColorName = QStringLiteral("NormalColor");
    Button->Perform(WM_THEMECHANGED, 0, 0);
    expectLook(Button, 4);

    // At design time the look stays as stored.
    auto* Designed = new TAdvToolButton(Form.get());
    Designed->SetDesigning(true);
    Designed->SetLook(7);
    Designed->SetAutoThemeAdapt(true);
    EXPECT_EQ(Designed->Look(), 7);
}

TEST_F(ToolButtonLooksTest, WithoutTheThemeLibraryTheClassicLookIsTaken) {
    const TThemeLoadersReleased Released;
    {
        const TModuleReplacement NoLibrary(QStringLiteral("uxtheme.dll"));
        EXPECT_EQ(GetXPColorScheme(), 0);
        Button->SetAutoThemeAdapt(true);
        expectLook(Button, 1);
        Button->SetAutoThemeAdapt(false);
    }
    TModuleExports WithoutName;
    for (const TModuleExport& E : UxThemeExports())
        if (std::string(E.Name) != "GetCurrentThemeName") WithoutName.push_back(E);
    const TModuleReplacement Lacking(QStringLiteral("uxtheme.dll"), WithoutName);
    EXPECT_EQ(GetXPColorScheme(), 0);
    EXPECT_EQ(GetModuleHandle(QStringLiteral("uxtheme.dll")), nullptr) << "loaded only for the call";
}

}  // namespace
