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
};

// The process-wide facts; set fields directly.
TPlatformFacts& PlatformFacts();

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
