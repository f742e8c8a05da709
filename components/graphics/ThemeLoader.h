// The theme-function loaders: each control family has its own set of theme-function variables,
// bound by name from the theme library when the program starts and released when it ends, so
// that the program also runs where the library is missing. The families are the objects declared
// by BtnXPVS.h, AEBXPVS.h, AdvXPVS.h, ATXPVS.h, APXPVS.h, ACXPVS.h and AdvTBXPVS.h; they differ in
// their list of names, in what a missing name does, and (the toolbar's) in a lock and a counter.
#pragma once

#include "framework/rtl/SyncObjs.h"
#include "framework/ui/UxTheme.h"

#include <array>
#include <atomic>
#include <span>
#include <string_view>

// Every theme function a loader may bind, in binding order (the panel's extra name last).
#define QVD_THEME_FUNCTIONS(X)               \
    X(OpenThemeData)                         \
    X(CloseThemeData)                        \
    X(DrawThemeBackground)                   \
    X(DrawThemeText)                         \
    X(GetThemeBackgroundContentRect)         \
    X(GetThemeBackgroundExtent)              \
    X(GetThemeTextExtent)                    \
    X(GetThemeTextMetrics)                   \
    X(GetThemeBackgroundRegion)              \
    X(HitTestThemeBackground)                \
    X(DrawThemeEdge)                         \
    X(DrawThemeIcon)                         \
    X(IsThemePartDefined)                    \
    X(IsThemeBackgroundPartiallyTransparent) \
    X(GetThemeColor)                         \
    X(GetThemeMetric)                        \
    X(GetThemeString)                        \
    X(GetThemeBool)                          \
    X(GetThemeInt)                           \
    X(GetThemeEnumValue)                     \
    X(GetThemePosition)                      \
    X(GetThemeFont)                          \
    X(GetThemeRect)                          \
    X(GetThemeMargins)                       \
    X(GetThemeIntList)                       \
    X(SetWindowTheme)                        \
    X(GetThemeFilename)                      \
    X(GetThemeSysColor)                      \
    X(GetThemeSysColorBrush)                 \
    X(GetThemeSysBool)                       \
    X(GetThemeSysSize)                       \
    X(GetThemeSysFont)                       \
    X(GetThemeSysString)                     \
    X(GetThemeSysInt)                        \
    X(IsThemeActive)                         \
    X(IsAppThemed)                           \
    X(GetWindowTheme)                        \
    X(EnableThemeDialogTexture)              \
    X(IsThemeDialogTextureEnabled)           \
    X(GetThemeAppProperties)                 \
    X(SetThemeAppProperties)                 \
    X(GetCurrentThemeName)                   \
    X(GetThemeDocumentationProperty)         \
    X(DrawThemeParentBackground)             \
    X(EnableTheming)                         \
    X(GetThemePartSize)

// The list most families bind.
inline constexpr std::array<const char*, 45> ThemeFunctionNames = {
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
};

// The panel's list: "GetThemePartSize" follows "GetThemeDocumentationProperty".
inline constexpr std::array<const char*, 46> PanelThemeFunctionNames = [] {
    std::array<const char*, 46> Names{};
    std::size_t To = 0;
    for (const char* Name : ThemeFunctionNames) {
        Names[To++] = Name;
        if (std::string_view(Name) == "GetThemeDocumentationProperty") Names[To++] = "GetThemePartSize";
    }
    return Names;
}();
static_assert(std::string_view(PanelThemeFunctionNames[43]) == "GetThemePartSize");

// What binding does when the library lacks a name.
enum TMissingThemeName { mtnLeaveNil, mtnAssertionFailure };
// How binding and unbinding are guarded (the toolbar's loader locks and counts its loads).
enum TThemeLoaderGuard { tlgNone, tlgLockAndCount };

class TThemeLoader {
public:
    // SourceName names the family in assertion messages ("advxpvs").
    TThemeLoader(const char* SourceName, std::span<const char* const> Names, TMissingThemeName OnMissing,
                 TThemeLoaderGuard Guard = tlgNone);
    TThemeLoader(const TThemeLoader&) = delete;
    TThemeLoader& operator=(const TThemeLoader&) = delete;

    // The function variables, nullptr until bound; unbinding leaves them as they are.
#define QVD_THEME_VARIABLE(Name) T##Name Name = nullptr;
    QVD_THEME_FUNCTIONS(QVD_THEME_VARIABLE)
#undef QVD_THEME_VARIABLE

    // Loads the theme library once and binds the family's names in order. With
    // mtnAssertionFailure a name the library lacks raises EAssertionFailed ("Assertion failure
    // ...") and leaves the names after it unbound; the library stays loaded.
    void BindThemeFunctions();
    // Frees the library when it is loaded; does nothing otherwise.
    void UnbindThemeFunctions();
    // The family's finalisation: the toolbar's loader unbinds until its counter is 0.
    void Finalize();

    bool Loaded() const { return FLoaded; }
    HMODULE Library() const { return FLibrary; }
    // Successful loads not yet unbound (counted by tlgLockAndCount only).
    int LoadCounter() const { return FLoadCounter; }
    std::span<const char* const> Names() const { return FNames; }
    // The variable of Name as bound now; nullptr for an unbound or unknown name.
    FARPROC Variable(const char* Name) const;

private:
    const char* FSourceName;
    std::span<const char* const> FNames;
    TMissingThemeName FOnMissing;
    TThemeLoaderGuard FGuard;
    HMODULE FLibrary = nullptr;
    std::atomic<bool> FLoaded{false};
    TCriticalSection FLock;
    int FLoadCounter = 0;

    bool loadLibrary();
    void bindNames();
    void assign(const char* Name, FARPROC Proc);
};
