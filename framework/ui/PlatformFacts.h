// Facts about the system the program runs on: its version, the common-controls version and a few
// settings that the library reads to pick a look. One object answers them all; its defaults are
// those of a current desktop system, and tests set whatever they need (TPlatformFactsScope puts
// everything back afterwards). Whether visual styles are on and the style's colour-scheme name
// are the theme library's facts (ThemeSettings() in UxTheme.h); the scope restores those too.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/UxTheme.h"

struct TPlatformFacts {
    // The system version, as GetVersionEx reports it.
    DWORD MajorVersion = 10;
    DWORD MinorVersion = 0;
    DWORD BuildNumber = 19045;
    // The file version of the common-controls library, as its version resource gives it.
    Word ComCtlMajorVersion = 6;
    Word ComCtlMinorVersion = 16;
    bool HighContrast = false;
    // Lines one wheel notch scrolls; WHEEL_PAGESCROLL (-1): a page.
    int WheelScrollLines = 3;
    // Sizes of the standard window parts that GetSystemMetrics reports, at 96 pixels per inch.
    int ScrollBarSize = 17;  // a vertical bar's width, a horizontal bar's height, an arrow's length
    int BorderSize = 1;      // a thin window border
    int EdgeSize = 2;        // a 3-D edge
    int FrameSize = 4;       // a sizing frame
    // Whether the window system lets a program place its top-level windows; tests clear it to
    // get the child overlays used where it does not (WindowsPlacedFreely).
    bool FreeWindowPlacement = true;
    // Whether translucent windows show what lies below them (a compositing window system);
    // tests clear it to get the fall-backs for when they do not (TranslucentWindowsShown).
    bool TranslucentWindows = true;
};

// The process-wide facts; set fields directly.
TPlatformFacts& PlatformFacts();

// FreeWindowPlacement, and a window system that allows it (Wayland places windows itself).
bool WindowsPlacedFreely();
// TranslucentWindows, and a window system that composes windows: Wayland, Windows, macOS and the
// offscreen one do; plain X11 is taken not to, as it needs a separate compositing manager.
bool TranslucentWindowsShown();

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
};
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// FALSE (and nothing filled) when the record's size field is not set.
BOOL GetVersionEx(OSVERSIONINFOW* VersionInfo);
// The file version of the named system library: high word major, low word minor; 0 for a library
// the system does not have. Only "comctl32.dll" is known here.
DWORD GetSystemLibraryVersionMS(const String& FileName);

// GetSystemMetrics indexes
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
inline constexpr int SM_CYSIZEFRAME = SM_CYFRAME;

// A size from the platform facts; the screen's size from Screen. 0 for an unknown index, as the
// platform answers.
int GetSystemMetrics(int Index);

// SystemParametersInfo (Menus.h) answers the wheel's lines per notch from the facts: a UINT,
// WHEEL_PAGESCROLL for a page.
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
inline constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFF;

// Saves the platform facts and the theme settings, and puts them back when it ends.
class TPlatformFactsScope {
public:
    TPlatformFactsScope();
    ~TPlatformFactsScope();
    TPlatformFactsScope(const TPlatformFactsScope&) = delete;
    TPlatformFactsScope& operator=(const TPlatformFactsScope&) = delete;

private:
    TPlatformFacts FFacts;
    TThemeSettings FTheme;
};
