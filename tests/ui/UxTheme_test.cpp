#include "framework/ui/UxTheme.h"
#include "framework/ui/Forms.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/Modules.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

const char* const kThemeNames[] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
    "GetThemePartSize",
};
static_assert(std::size(kThemeNames) == 46);

// The theme library loaded for one test, its settings restored afterwards.
class ThemeLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        Lib = LoadLibrary(QStringLiteral("uxtheme.dll"));
        ASSERT_NE(Lib, nullptr);
        Open = GetProcAddressAs<TOpenThemeData>(Lib, "OpenThemeData");
        Close = GetProcAddressAs<TCloseThemeData>(Lib, "CloseThemeData");
        Draw = GetProcAddressAs<TDrawThemeBackground>(Lib, "DrawThemeBackground");
    }
    void TearDown() override {
        FreeLibrary(Lib);
        ThemeSettings() = TThemeSettings();
        EXPECT_EQ(OpenThemeHandleCount(), 0);
    }
    // Non-white pixels after drawing a part into a white 24 x 24 bitmap.
    int paintedPixels(LPCWSTR ClassName, int Part, int State, TBitmap& Bitmap) {
        Bitmap.SetSize(24, 24);
        Bitmap.Canvas()->Brush()->SetColor(clWhite);
        Bitmap.Canvas()->FillRect(Rect(0, 0, 24, 24));
        HTHEME Theme = Open(nullptr, ClassName);
        EXPECT_NE(Theme, nullptr);
        const TRect R = Rect(2, 2, 20, 20);
        EXPECT_EQ(Draw(Theme, Bitmap.Canvas()->Handle(), Part, State, &R, nullptr), S_OK);
        Close(Theme);
        int Count = 0;
        for (int Y = 0; Y < 24; ++Y)
            for (int X = 0; X < 24; ++X) {
                const TColor C = Bitmap.Canvas()->Pixels(X, Y);
                if (C != clWhite) {
                    ++Count;
                    EXPECT_TRUE(X >= 2 && X < 20 && Y >= 2 && Y < 20) << "outside the rectangle at " << X << "," << Y;
                }
            }
        return Count;
    }
    HMODULE Lib = nullptr;
    TOpenThemeData Open = nullptr;
    TCloseThemeData Close = nullptr;
    TDrawThemeBackground Draw = nullptr;
};

TEST_F(ThemeLibrary, EveryBoundNameResolvesAndOthersDoNot) {
    for (const char* Name : kThemeNames) EXPECT_NE(GetProcAddress(Lib, Name), nullptr) << Name;
    EXPECT_EQ(GetProcAddress(Lib, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetProcAddress(Lib, "openthemedata"), nullptr);  // entry names keep their case
}

TEST_F(ThemeLibrary, OpenThemeDataGivesHandlesForKnownClassesOnly) {
    struct Case {
        const char16_t* ClassList;
        bool Opens;
    };
    const Case Cases[] = {{u"button", true}, {u"BUTTON", true},   {u"Edit;ComboBox", true}, {u"spin", true},
                          {u"header", true}, {u"progress", true}, {u"TreeView", false},     {u"", false}};
    for (const Case& C : Cases) {
        HTHEME Theme = Open(nullptr, C.ClassList);
        EXPECT_EQ(Theme != nullptr, C.Opens) << String::fromUtf16(C.ClassList).toStdString();
        if (Theme) {
            EXPECT_EQ(Close(Theme), S_OK);
        }
    }
    HTHEME Theme = Open(nullptr, u"button");
    EXPECT_EQ(Close(Theme), S_OK);
    EXPECT_EQ(Close(Theme), E_HANDLE);  // a closed handle is refused, not freed twice

    ThemeSettings().Active = false;
    EXPECT_EQ(Open(nullptr, u"button"), nullptr);
    EXPECT_EQ(GetProcAddressAs<TIsThemeActive>(Lib, "IsThemeActive")(), 0);
}

TEST_F(ThemeLibrary, DrawThemeBackgroundPaintsEachPartInsideItsRectangle) {
    struct Case {
        const char16_t* ClassName;
        int Part;
        int State;
    };
    const Case Cases[] = {
        {u"button", BP_PUSHBUTTON, PBS_NORMAL},
        {u"button", BP_PUSHBUTTON, PBS_PRESSED},
        {u"button", BP_PUSHBUTTON, PBS_DISABLED},
        {u"button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL},
        {u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL},
        {u"button", BP_RADIOBUTTON, RBS_CHECKEDNORMAL},
        {u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL},
        {u"combobox", CP_DROPDOWNBUTTON, CBXS_DISABLED},
        {u"spin", SPNP_UP, UPS_NORMAL},
        {u"spin", SPNP_DOWN, DNS_DISABLED},
    };
    for (const Case& C : Cases) {
        TBitmap Bitmap;
        EXPECT_GT(paintedPixels(C.ClassName, C.Part, C.State, Bitmap), 20)
            << String::fromUtf16(C.ClassName).toStdString() << " " << C.Part << "/" << C.State;
    }
    // A check mark shows: checked and unchecked boxes differ.
    TBitmap Unchecked, Checked;
    paintedPixels(u"button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL, Unchecked);
    paintedPixels(u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL, Checked);
    int Differ = 0;
    for (int Y = 0; Y < 24; ++Y)
        for (int X = 0; X < 24; ++X) Differ += Unchecked.Canvas()->Pixels(X, Y) != Checked.Canvas()->Pixels(X, Y);
    EXPECT_GT(Differ, 5);

    HTHEME Theme = Open(nullptr, u"button");
    TBitmap B(8, 8);
    const TRect R = Rect(0, 0, 8, 8);
    EXPECT_EQ(Draw(Theme, B.Canvas()->Handle(), 99, 1, &R, nullptr), E_INVALIDARG);
    EXPECT_EQ(Draw(Theme, nullptr, BP_PUSHBUTTON, 1, &R, nullptr), E_INVALIDARG);
    Close(Theme);
    EXPECT_EQ(Draw(Theme, B.Canvas()->Handle(), BP_PUSHBUTTON, 1, &R, nullptr), E_HANDLE);
}

TEST_F(ThemeLibrary, OtherFunctionsAnswerNotSupported) {
    HTHEME Theme = Open(nullptr, u"button");
    COLORREF Color = 0;
    EXPECT_EQ(GetProcAddressAs<TGetThemeColor>(Lib, "GetThemeColor")(Theme, 1, 1, 3803, &Color), E_NOTIMPL);
    TBitmap B(8, 8);
    const TRect R = Rect(0, 0, 8, 8);
    EXPECT_EQ(
        GetProcAddressAs<TDrawThemeText>(Lib, "DrawThemeText")(Theme, B.Canvas()->Handle(), 1, 1, u"x", 1, 0, 0, &R),
        E_NOTIMPL);
    EXPECT_EQ(GetProcAddressAs<TEnableTheming>(Lib, "EnableTheming")(1), E_NOTIMPL);
    EXPECT_EQ(GetProcAddressAs<TIsThemePartDefined>(Lib, "IsThemePartDefined")(Theme, 1, 1), 0);
    Close(Theme);
}

TEST_F(ThemeLibrary, CurrentThemeNameFillsTheThreeBuffersWithinTheirLength) {
    char16_t File[64], Color[6], Size[64];
    ThemeSettings().ColorName = QStringLiteral("HomeStead");
    ASSERT_EQ(GetProcAddressAs<TGetCurrentThemeName>(Lib, "GetCurrentThemeName")(File, 64, Color, 6, Size, 64), S_OK);
    EXPECT_EQ(String::fromUtf16(File), QStringLiteral("Aero.msstyles"));
    EXPECT_EQ(String::fromUtf16(Color), QStringLiteral("HomeS"));  // cut to the buffer, terminated
    EXPECT_EQ(String::fromUtf16(Size), QStringLiteral("NormalSize"));
    ThemeSettings().Active = false;
    EXPECT_EQ(GetProcAddressAs<TGetCurrentThemeName>(Lib, "GetCurrentThemeName")(File, 64, Color, 6, Size, 64), E_FAIL);
}

// ---------------------------------------------------------------------------------------------

TEST(Modules, NamesIgnoreCaseFolderAndExtensionAndLoadsAreCounted) {
    const int Before = ModuleLoadCount(QStringLiteral("uxtheme.dll"));
    HMODULE A = LoadLibrary(QStringLiteral("C:\\Windows\\System32\\UXTHEME.DLL"));
    HMODULE B = LoadLibrary(QStringLiteral("uxtheme"));
    ASSERT_NE(A, nullptr);
    EXPECT_EQ(A, B);
    EXPECT_EQ(GetModuleHandle(QStringLiteral("UxTheme.dll")), A);
    EXPECT_EQ(ModuleLoadCount(QStringLiteral("uxtheme.dll")), Before + 1);
    EXPECT_TRUE(FreeLibrary(A));
    EXPECT_NE(GetModuleHandle(QStringLiteral("uxtheme.dll")), nullptr);  // one reference left
    EXPECT_TRUE(FreeLibrary(B));
    EXPECT_EQ(GetModuleHandle(QStringLiteral("uxtheme.dll")), nullptr);
    EXPECT_FALSE(FreeLibrary(B));
    EXPECT_EQ(GetProcAddress(B, "OpenThemeData"), nullptr);
    EXPECT_EQ(LoadLibrary(QStringLiteral("nosuch.dll")), nullptr);
}

BOOL fakeIsThemeActive() { return 1; }

TEST(Modules, ATestReplacesOrHidesALibraryForItsScope) {
    {
        // A library that lacks every name but one.
        const TModuleReplacement Replacement(QStringLiteral("uxtheme.dll"),
                                             {{"IsThemeActive", reinterpret_cast<FARPROC>(&fakeIsThemeActive)}});
        HMODULE Lib = LoadLibrary(QStringLiteral("uxtheme.dll"));
        ASSERT_NE(Lib, nullptr);
        EXPECT_EQ(GetProcAddress(Lib, "IsThemeActive"), reinterpret_cast<FARPROC>(&fakeIsThemeActive));
        EXPECT_EQ(GetProcAddress(Lib, "OpenThemeData"), nullptr);
        FreeLibrary(Lib);
    }
    {
        const TModuleReplacement Hidden(QStringLiteral("UXTHEME"));
        EXPECT_EQ(LoadLibrary(QStringLiteral("uxtheme.dll")), nullptr);
    }
    HMODULE Lib = LoadLibrary(QStringLiteral("uxtheme.dll"));
    EXPECT_NE(GetProcAddress(Lib, "OpenThemeData"), nullptr);
    FreeLibrary(Lib);
}

TEST(LayeredWindows, SetLayeredWindowAttributesSetsTheFormsOpacity) {
    TForm Form(nullptr);
    HWND Wnd = Form.Handle();
    EXPECT_TRUE(SetLayeredWindowAttributes(Wnd, 0, 128, LWA_ALPHA));
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 128 / 255.0, 0.01);
    EXPECT_TRUE(SetLayeredWindowAttributes(Wnd, 0, 10, LWA_COLORKEY));  // no alpha flag: unchanged
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 128 / 255.0, 0.01);

    BLENDFUNCTION Blend;
    Blend.SourceConstantAlpha = 255;
    const TPoint At{30, 40};
    const TSize Size{200, 100};
    EXPECT_TRUE(UpdateLayeredWindow(Wnd, nullptr, &At, &Size, nullptr, nullptr, 0, &Blend, ULW_ALPHA));
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 1.0, 0.01);
    EXPECT_EQ(Form.BoundsRect(), Bounds(30, 40, 200, 100));
    EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
}

}  // namespace
