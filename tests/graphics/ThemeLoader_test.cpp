#include "components/graphics/ThemeLoader.h"
#include "components/graphics/StartupRegistrations.h"

#include "framework/ui/Clipbrd.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Modules.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace {

// Every theme function name any loader may bind, for counting what is bound.
const char* const kAllNames[] = {
#define QVD_NAME(Fn) #Fn,
    QVD_THEME_FUNCTIONS(QVD_NAME)
#undef QVD_NAME
};

struct LoaderCase {
    const char* Unit;
    TThemeLoader* Loader;
    std::size_t Count;
    bool Asserts;
};

std::vector<LoaderCase> loaderCases() {
    return {
        {"BtnXPVS", &BtnXPVS, 45, false},    {"AEBXPVS", &AEBXPVS, 45, false}, {"AdvXPVS", &AdvXPVS, 45, true},
        {"ATXPVS", &ATXPVS, 45, false},      {"APXPVS", &APXPVS, 46, false},   {"ACXPVS", &ACXPVS, 45, false},
        {"AdvTBXPVS", &AdvTBXPVS, 45, true},
    };
}

// Stand-in entry points, one per name and each one different, so a variable shows which library
// it was bound from.
int gFakeCalled = 0;
template <int I>
void fakeProc() {
    gFakeCalled = I;
}
template <int... I>
std::vector<FARPROC> fakeProcs(std::integer_sequence<int, I...>) {
    return {&fakeProc<I>...};
}

// A theme library of stand-ins lacking the name Missing ("" for none).
TModuleExports fakeLibrary(const char* Missing) {
    static const std::vector<FARPROC> Procs = fakeProcs(std::make_integer_sequence<int, 46>());
    TModuleExports Exports;
    for (std::size_t I = 0; I < std::size(kAllNames); ++I)
        if (std::strcmp(kAllNames[I], Missing) != 0) Exports.push_back({kAllNames[I], Procs[I]});
    return Exports;
}

FARPROC fakeOf(const char* Name) {
    for (const TModuleExport& E : fakeLibrary(""))
        if (std::strcmp(E.Name, Name) == 0) return E.Proc;
    return nullptr;
}

const String kUxTheme = QStringLiteral("uxtheme.dll");

class ThemeLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetModuleHandle(kUxTheme), nullptr) << "something else holds the library"; }
    TThemeLoadersReleased Released;
};

TEST_F(ThemeLoaderTest, EachFamilyBindsItsNamesInOrderAtStartUp) {
    // Released by the fixture; bind again as start-up did.
    for (const LoaderCase& C : loaderCases()) {
        SCOPED_TRACE(C.Unit);
        C.Loader->BindThemeFunctions();
        ASSERT_TRUE(C.Loader->Loaded());
        ASSERT_EQ(C.Loader->Names().size(), C.Count);
        for (const char* Name : C.Loader->Names()) {
            EXPECT_NE(C.Loader->Variable(Name), nullptr) << Name;
            EXPECT_EQ(C.Loader->Variable(Name), GetProcAddress(C.Loader->Library(), Name)) << Name;
        }
        std::size_t Bound = 0;
        for (const char* Name : kAllNames) Bound += C.Loader->Variable(Name) != nullptr;
        EXPECT_EQ(Bound, C.Count);
    }
    EXPECT_STREQ(APXPVS.Names()[43], "GetThemePartSize");
    EXPECT_STREQ(APXPVS.Names()[42], "GetThemeDocumentationProperty");
    EXPECT_STREQ(APXPVS.Names()[44], "DrawThemeParentBackground");
    // A bound variable calls into the library.
    EXPECT_EQ(BtnXPVS.IsThemeActive(), ThemeSettings().Active ? 1 : 0);
}

TEST_F(ThemeLoaderTest, ASecondBindLoadsTheLibraryOnce) {
    for (const LoaderCase& C : loaderCases()) {
        SCOPED_TRACE(C.Unit);
        const int Loads = ModuleLoadCount(kUxTheme);
        C.Loader->BindThemeFunctions();
        const HMODULE First = C.Loader->Library();
        C.Loader->BindThemeFunctions();
        EXPECT_EQ(C.Loader->Library(), First);
        EXPECT_EQ(ModuleLoadCount(kUxTheme), Loads + 1);
        EXPECT_EQ(C.Loader->LoadCounter(), C.Loader == &AdvTBXPVS ? 1 : 0);
        // One reference only: a single unbind lets the library go.
        C.Loader->UnbindThemeFunctions();
        EXPECT_FALSE(C.Loader->Loaded());
        EXPECT_EQ(GetModuleHandle(kUxTheme), nullptr);
        EXPECT_EQ(C.Loader->LoadCounter(), 0);
    }
}

TEST_F(ThemeLoaderTest, UnbindWithoutABindDoesNothing) {
    BtnXPVS.BindThemeFunctions();
    const FARPROC Before = AdvXPVS.Variable("OpenThemeData");
    for (const LoaderCase& C : loaderCases()) {
        if (C.Loader == &BtnXPVS) continue;
        C.Loader->UnbindThemeFunctions();
        EXPECT_FALSE(C.Loader->Loaded()) << C.Unit;
        EXPECT_EQ(C.Loader->LoadCounter(), 0) << C.Unit;
    }
    // The library another family holds was not freed, and variables keep their values.
    EXPECT_NE(GetModuleHandle(kUxTheme), nullptr);
    EXPECT_EQ(AdvXPVS.Variable("OpenThemeData"), Before);
    BtnXPVS.UnbindThemeFunctions();
}

TEST_F(ThemeLoaderTest, AMissingNameLeavesNilOrFailsTheAssertion) {
    const TModuleReplacement Lacking(kUxTheme, fakeLibrary("GetThemeColor"));
    for (const LoaderCase& C : loaderCases()) {
        SCOPED_TRACE(C.Unit);
        if (!C.Asserts) {
            C.Loader->BindThemeFunctions();
            EXPECT_TRUE(C.Loader->Loaded());
            for (const char* Name : C.Loader->Names())
                EXPECT_EQ(C.Loader->Variable(Name), std::strcmp(Name, "GetThemeColor") == 0 ? nullptr : fakeOf(Name))
                    << Name;
        } else {
            try {
                C.Loader->BindThemeFunctions();
                ADD_FAILURE() << "no assertion failure";
            } catch (const EAssertionFailed& E) {
                EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Assertion failure"))) << E.Message().toStdString();
                EXPECT_TRUE(E.Message().contains(C.Loader == &AdvXPVS ? QStringLiteral("advxpvs")
                                                                      : QStringLiteral("AdvTBXPVS")));
            }
            // Bound up to the missing name, nothing after it; the library stays loaded.
            bool Past = false;
            for (const char* Name : C.Loader->Names()) {
                if (std::strcmp(Name, "GetThemeColor") == 0) {
                    EXPECT_EQ(C.Loader->Variable(Name), nullptr);
                    Past = true;
                } else if (Past) {
                    EXPECT_NE(C.Loader->Variable(Name), fakeOf(Name)) << Name;
                } else {
                    EXPECT_EQ(C.Loader->Variable(Name), fakeOf(Name)) << Name;
                }
            }
            EXPECT_TRUE(C.Loader->Loaded());
        }
    }
    // The toolbar's lock was released despite the failure: another thread can take it.
    EXPECT_EQ(AdvTBXPVS.LoadCounter(), 1);
    std::thread([] { AdvTBXPVS.UnbindThemeFunctions(); }).join();
    EXPECT_EQ(AdvTBXPVS.LoadCounter(), 0);
    TThemeLoadersReleased::releaseAll();
}

TEST_F(ThemeLoaderTest, NoLibraryLeavesEveryFamilyUnloaded) {
    const TModuleReplacement None(kUxTheme);
    for (const LoaderCase& C : loaderCases()) {
        EXPECT_NO_THROW(C.Loader->BindThemeFunctions()) << C.Unit;
        EXPECT_FALSE(C.Loader->Loaded()) << C.Unit;
        EXPECT_EQ(C.Loader->Library(), nullptr) << C.Unit;
        EXPECT_EQ(C.Loader->LoadCounter(), 0) << C.Unit;
    }
}

TEST(StartupRegistrations, GiveDistinctNumbersInTheRegisteredRange) {
    const std::pair<UINT, const char*> Messages[] = {
        {WM_CLEARHINTCONTROL, "ClearHintControl"},
        {WM_TBCOMPACTWINHIDE, "TBCompactWinHide"},
        {WM_TBSETAEROVISTA, "TBSetAeroVista"},
        {WM_TBPSETIGNOREALT, "TBPSetIgnoreALT"},
        {WM_TBFUPDATECONTEXTMENU, "TBFUpdateContextMenu"},
        {WM_TBSETMETRO, "TBSetMetro"},
        {WM_TBREVERTMETRO, "TBRevertMetro"},
        {WM_TBSETOFFICE2013, "TBSetOffice2013"},
        {WM_TBSHOWSHORTCUTHINT, "TBShowShortCutHint"},
    };
    std::set<UINT> Seen;
    for (const auto& [Number, Name] : Messages) {
        EXPECT_GE(Number, 0xC000u) << Name;
        EXPECT_LE(Number, 0xFFFFu) << Name;
        // Registered under that very name.
        EXPECT_EQ(Number, RegisterWindowMessage(QLatin1String(Name))) << Name;
        Seen.insert(Number);
    }
    EXPECT_EQ(Seen.size(), std::size(Messages));
    EXPECT_GE(CF_GDIPFILL, 0xC000u);
    EXPECT_LE(CF_GDIPFILL, 0xFFFFu);
    EXPECT_EQ(GetClipboardFormatName(CF_GDIPFILL), QStringLiteral("GDI+ Fill"));
    for (const TColorTones& Tones : ToolBarDefaultColorTones)
        for (const TColorTone* Tone :
             {&Tones.Background, &Tones.Foreground, &Tones.Selected, &Tones.Hover, &Tones.Disabled})
            EXPECT_TRUE(Tone->BrushColor == clNone && Tone->BorderColor == clNone && Tone->TextColor == clNone);
}

}  // namespace
