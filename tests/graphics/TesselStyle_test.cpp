#include "components/graphics/TesselStyle.h"

#include "framework/rtl/Registry.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

const String kOffice = QStringLiteral("Software\\Microsoft\\Office\\");

// Each test gets its own registry and its own platform facts.
class OfficeDetectionTest : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryFolder(Folder.Path()); }
    void TearDown() override { SetRegistryFolder(String()); }

    static void createKey(const String& Path) {
        TRegistry Reg;
        Reg.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(Reg.OpenKey(Path, true));
    }
    static void writeInteger(const String& Version, const String& Name, int Value) {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(kOffice + Version + QStringLiteral("\\Common"), true));
        Reg.WriteInteger(Name, Value);
    }

    TempFolder Folder;
    TPlatformFactsScope Facts;
};

TEST_F(OfficeDetectionTest, OfficeVersionIsTheHighestInstalledGeneralKey) {
    struct Case {
        const char* Name;
        std::vector<const char*> Keys;
        int Expected;
    };
    const Case Cases[] = {
        {"nothing installed", {}, 0},
        {"only Office 11.0", {"11.0\\Common\\General"}, 0},
        {"Common without General", {"16.0\\Common"}, 0},
        {"12.0", {"12.0\\Common\\General"}, 1},
        {"14.0", {"14.0\\Common\\General"}, 2},
        {"15.0", {"15.0\\Common\\General"}, 3},
        {"16.0", {"16.0\\Common\\General"}, 4},
        {"12.0 and 15.0", {"12.0\\Common\\General", "15.0\\Common\\General"}, 3},
        {"all of them", {"16.0\\Common\\General", "14.0\\Common\\General", "12.0\\Common\\General"}, 4},
    };
    for (const Case& C : Cases) {
        TRegistry Reg;
        Reg.DeleteKey(QStringLiteral("\\Software"));
        for (const char* Key : C.Keys) createKey(kOffice + QLatin1String(Key));
        EXPECT_EQ(DetectOfficeVersion(), C.Expected) << C.Name;
    }
}

TEST_F(OfficeDetectionTest, OfficeThemeFollowsTheNewestVersionsValue) {
    struct Value {
        const char* Version;
        const char* Name;
        int Value;
    };
    struct Case {
        const char* Name;
        std::vector<Value> Values;
        TOfficeTheme Expected;
    };
    const Case Cases[] = {
        {"2016 white", {{"16.0", "UI Theme", 0}}, ot2016White},
        {"2016 black", {{"16.0", "UI Theme", 2}}, ot2016Black},
        {"2016 colorful", {{"16.0", "UI Theme", 3}}, ot2016White},
        {"2016 gray", {{"16.0", "UI Theme", 5}}, ot2016Gray},
        {"2016 unknown value is not the next version's",
         {{"16.0", "UI Theme", 4}, {"15.0", "UI Theme", 2}},
         ot2003Blue},
        {"2013 white", {{"15.0", "UI Theme", 0}}, ot2013White},
        {"2013 silver", {{"15.0", "UI Theme", 1}}, ot2013Silver},
        {"2013 gray", {{"15.0", "UI Theme", 2}}, ot2013Gray},
        {"2013 unknown", {{"15.0", "UI Theme", 7}}, ot2003Blue},
        {"2010 blue", {{"14.0", "Theme", 1}}, ot2010Blue},
        {"2010 silver", {{"14.0", "Theme", 2}}, ot2010Silver},
        {"2010 black", {{"14.0", "Theme", 3}}, ot2010Black},
        {"2010 unknown", {{"14.0", "Theme", 0}}, ot2003Blue},
        {"2007 blue", {{"12.0", "Theme", 1}}, ot2007Blue},
        {"2007 silver", {{"12.0", "Theme", 2}}, ot2007Silver},
        {"2007 black", {{"12.0", "Theme", 3}}, ot2007Black},
        {"2016 missing falls to 2013", {{"15.0", "UI Theme", 1}, {"12.0", "Theme", 3}}, ot2013Silver},
        {"a value under the other name is missing", {{"16.0", "Theme", 2}, {"14.0", "Theme", 3}}, ot2010Black},
        {"a stored -1 counts as missing", {{"16.0", "UI Theme", -1}, {"12.0", "Theme", 2}}, ot2007Silver},
    };
    for (const Case& C : Cases) {
        TRegistry Reg;
        Reg.DeleteKey(QStringLiteral("\\Software"));
        for (const Value& V : C.Values) writeInteger(QLatin1String(V.Version), QLatin1String(V.Name), V.Value);
        EXPECT_EQ(DetectOfficeTheme(), C.Expected) << C.Name;
    }
}

TEST_F(OfficeDetectionTest, ATextValueWhereANumberBelongsCountsAsMissing) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(kOffice + QStringLiteral("16.0\\Common"), true));
    Reg.WriteString(QStringLiteral("UI Theme"), QStringLiteral("dark"));
    writeInteger(QStringLiteral("14.0"), QStringLiteral("Theme"), 2);
    EXPECT_EQ(DetectOfficeTheme(), ot2010Silver);
}

TEST_F(OfficeDetectionTest, WithoutOfficeTheVisualStyleDecides) {
    struct Case {
        const char* Name;
        bool Active;
        const char* ColorName;
        Word ComCtlMajor;
        DWORD Major, Minor;
        int ExpectedXP;
        TOfficeTheme ExpectedOffice;
    };
    const Case Cases[] = {
        {"blue", true, "NormalColor", 6, 10, 0, 1, ot2003Blue},
        {"olive", true, "HomeStead", 6, 10, 0, 2, ot2003Olive},
        {"silver", true, "Metallic", 6, 10, 0, 3, ot2003Silver},
        {"other scheme", true, "Aero", 6, 10, 0, 0, ot2003Classic},
        {"names compare with case", true, "homestead", 6, 10, 0, 0, ot2003Classic},
        {"no visual style", false, "NormalColor", 6, 10, 0, 0, ot2003Classic},
        {"old common controls", true, "NormalColor", 5, 10, 0, 0, ot2003Classic},
        {"Windows 2000", true, "NormalColor", 6, 5, 0, 0, ot2003Classic},
        {"Windows XP", true, "Metallic", 6, 5, 1, 3, ot2003Silver},
    };
    for (const Case& C : Cases) {
        ThemeSettings().Active = C.Active;
        ThemeSettings().ColorName = QLatin1String(C.ColorName);
        PlatformFacts().ComCtlMajorVersion = C.ComCtlMajor;
        PlatformFacts().MajorVersion = C.Major;
        PlatformFacts().MinorVersion = C.Minor;
        EXPECT_EQ(DetectWindowsXPTheme(), C.ExpectedXP) << C.Name;
        EXPECT_EQ(DetectOfficeTheme(), C.ExpectedOffice) << C.Name;
    }
}

TEST_F(OfficeDetectionTest, AMissingThemeLibraryOrFunctionMeansNoVisualStyle) {
    const TThemeLoadersReleased Released;
    ASSERT_EQ(GetModuleHandle(QStringLiteral("uxtheme.dll")), nullptr);
    {
        const TModuleReplacement NoLibrary(QStringLiteral("uxtheme.dll"));
        EXPECT_EQ(DetectWindowsXPTheme(), 0);
    }
    TModuleExports WithoutThemeName;
    for (const TModuleExport& E : UxThemeExports())
        if (std::string(E.Name) != "GetCurrentThemeName") WithoutThemeName.push_back(E);
    const TModuleReplacement Lacking(QStringLiteral("uxtheme.dll"), WithoutThemeName);
    const int LoadsBefore = ModuleLoadCount(QStringLiteral("uxtheme.dll"));
    EXPECT_EQ(DetectWindowsXPTheme(), 0);
    // Loaded for the call and freed again: nothing stays loaded behind the caller's back.
    EXPECT_EQ(ModuleLoadCount(QStringLiteral("uxtheme.dll")), LoadsBefore + 1);
    EXPECT_EQ(GetModuleHandle(QStringLiteral("uxtheme.dll")), nullptr);
}

TEST_F(OfficeDetectionTest, VersionHelpersReadThePlatformFacts) {
    struct Case {
        DWORD Major, Minor;
        Word ComCtlMajor;
        bool XP, Vista, ComCtl6;
        const char* Font;
    };
    const Case Cases[] = {
        {5, 0, 5, false, false, false, "Tahoma"},
        {5, 1, 6, true, false, true, "Tahoma"},
        {5, 2, 5, true, false, false, "Tahoma"},
        {6, 0, 6, true, true, true, "Segoe UI"},
        {10, 0, 6, true, true, true, "Segoe UI"},
        // Only the low byte of the major file version counts.
        {10, 0, 0x105, true, true, false, "Segoe UI"},
        {10, 0, 0x206, true, true, true, "Segoe UI"},
    };
    for (const Case& C : Cases) {
        PlatformFacts().MajorVersion = C.Major;
        PlatformFacts().MinorVersion = C.Minor;
        PlatformFacts().ComCtlMajorVersion = C.ComCtlMajor;
        SCOPED_TRACE(testing::Message() << C.Major << "." << C.Minor << " comctl " << C.ComCtlMajor);
        EXPECT_EQ(IsWinXPOrLater(), C.XP);
        EXPECT_EQ(IsVistaOrLater(), C.Vista);
        EXPECT_EQ(IsComCtl6OrLater(), C.ComCtl6);
        EXPECT_EQ(DefaultUIFontName(), QLatin1String(C.Font));
    }
}

TEST(PlatformFacts, DefaultsAreACurrentSystem) {
    const TPlatformFacts Defaults;
    EXPECT_GE(Defaults.MajorVersion, 6u);
    EXPECT_EQ(Defaults.ComCtlMajorVersion, 6);
    OSVERSIONINFOW Unsized;
    Unsized.dwOSVersionInfoSize = 0;
    EXPECT_FALSE(GetVersionEx(&Unsized));
    EXPECT_EQ(GetSystemLibraryVersionMS(QStringLiteral("C:\\Windows\\System32\\COMCTL32.DLL")) >> 16,
              PlatformFacts().ComCtlMajorVersion);
    EXPECT_EQ(GetSystemLibraryVersionMS(QStringLiteral("nosuch.dll")), 0u);
}

TEST(DarkerColor, ScalesEachChannelRoundingHalvesToEven) {
    struct Case {
        TColor Color;
        int Percent;
        TColor Expected;
    };
    const Case Cases[] = {
        {0x00808080, 50, 0x00404040},  {0x00123456, 0, 0x00123456},
        {0x00FFFFFF, 100, 0x00000000}, {0x00050301, 50, 0x00020200},  // 2.5 -> 2, 1.5 -> 2, 0.5 -> 0
        {0x000000FF, 10, 0x000000E6},                                 // 229.5 -> 230
        {0x00C08040, -50, 0x00FFC060},                                // lighter, capped at 255
        {0x00C08040, 150, 0x00000000},                                // past black stays black
    };
    for (const Case& C : Cases)
        EXPECT_EQ(DarkerColor(C.Color, C.Percent), C.Expected) << std::hex << C.Color << " " << std::dec << C.Percent;
    // System colours are resolved and lose their flag.
    EXPECT_EQ(DarkerColor(clBtnFace, 20), DarkerColor(ColorToRGB(clBtnFace), 20));
    EXPECT_EQ(DarkerColor(clBtnFace, 0) & 0xFF000000, 0);
}

TEST(ClearColorTones, SetsAllFifteenColoursToNone) {
    TColorTones Tones;
    TColorTone* All[] = {&Tones.Background, &Tones.Foreground, &Tones.Selected, &Tones.Hover, &Tones.Disabled};
    TColor Next = 1;
    for (TColorTone* Tone : All) {
        Tone->BrushColor = Next++;
        Tone->BorderColor = Next++;
        Tone->TextColor = Next++;
    }
    ClearColorTones(Tones);
    for (TColorTone* Tone : All) {
        EXPECT_EQ(Tone->BrushColor, clNone);
        EXPECT_EQ(Tone->BorderColor, clNone);
        EXPECT_EQ(Tone->TextColor, clNone);
    }
    static_assert(sizeof(TColorTones) == 15 * sizeof(TColor));
}

// The interfaces: one method serves both SetComponentStyle slots of ITesselStyleEx.
class TStyledThing : public TComponent, public ITesselStyleEx, public ITesselTones {
public:
    using TComponent::TComponent;
    void SetComponentStyle(TTesselStyle AStyle) override { Styles.push_back(AStyle); }
    void SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) override {
        SetComponentStyle(AStyle);
        Colors.push_back(AppColor);
    }
    void SetColorTones(const TColorTones& ATones) override { Tones = ATones; }
    std::vector<TTesselStyle> Styles;
    std::vector<TColor> Colors;
    TColorTones Tones;
};

TEST(StylerInterfaces, AComponentIsFoundAndStyledThroughThem) {
    TStyledThing Thing(nullptr);
    TComponent* AsComponent = &Thing;
    ITesselStyle* Style = nullptr;
    ITesselStyleEx* StyleEx = nullptr;
    ITesselTones* Tones = nullptr;
    ASSERT_TRUE(Supports(AsComponent, &Style));
    ASSERT_TRUE(Supports(AsComponent, &StyleEx));
    ASSERT_TRUE(Supports(AsComponent, &Tones));
    Style->SetComponentStyle(tsOffice2007Luna);
    StyleEx->SetComponentStyle(tsWindows10);
    StyleEx->SetComponentStyleAndAppColor(tsOffice2016Black, 0x123456);
    EXPECT_EQ(Thing.Styles, (std::vector<TTesselStyle>{tsOffice2007Luna, tsWindows10, tsOffice2016Black}));
    EXPECT_EQ(Thing.Colors, std::vector<TColor>{0x123456});
    TColorTones Set;
    Set.Hover.TextColor = 0x00FF00;
    Tones->SetColorTones(Set);
    EXPECT_EQ(Thing.Tones.Hover.TextColor, 0x00FF00);
    TComponent Plain(nullptr);
    EXPECT_FALSE(Supports<ITesselStyle>(&Plain));
}

}  // namespace
