// The visual-style library ("uxtheme.dll"): the 46 functions that the theme loaders bind by name.
//
// Nothing here is called directly: the library is a module of the framework's module table
// (Modules.h), loaded with LoadLibrary and bound with GetProcAddress, so a program runs the same
// with the library missing, and tests put a different one in place. IsThemeActive,
// GetCurrentThemeName, OpenThemeData, DrawThemeBackground and CloseThemeData work: the button,
// check box, radio button, combo box drop-down, spin, header item and progress parts are drawn
// through the desktop's widget style. Every other function answers "not supported" (E_NOTIMPL,
// or FALSE, 0 or a null handle where it returns no result code).
#pragma once

#include "framework/rtl/ResultCodes.h"

#include "framework/ui/Graphics.h"
#include "framework/ui/Modules.h"

#include <cstdint>

using HTHEME = struct TThemeHandle*;
using HIMAGELIST = struct TImageListHandle*;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;
struct LOGFONTW;
struct TEXTMETRICW;

struct MARGINS {
    int cxLeftWidth = 0;
    int cxRightWidth = 0;
    int cyTopHeight = 0;
    int cyBottomHeight = 0;
};

struct INTLIST {
    int iValueCount = 0;
    int iValues[402] = {};
};

enum THEMESIZE { TS_MIN, TS_TRUE, TS_DRAW };

// Parts and states of the classes the library draws.
inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int BP_RADIOBUTTON = 2;
inline constexpr int BP_CHECKBOX = 3;
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;
inline constexpr int PBS_DEFAULTED = 5;
// Radio buttons and check boxes: 1-4 unchecked, 5-8 checked, 9-12 mixed (normal, hot, pressed, disabled).
inline constexpr int RBS_UNCHECKEDNORMAL = 1;
inline constexpr int RBS_CHECKEDNORMAL = 5;
inline constexpr int CBS_UNCHECKEDNORMAL = 1;
inline constexpr int CBS_CHECKEDNORMAL = 5;
inline constexpr int CBS_MIXEDNORMAL = 9;
inline constexpr int CP_DROPDOWNBUTTON = 1;
inline constexpr int CBXS_NORMAL = 1;
inline constexpr int CBXS_HOT = 2;
inline constexpr int CBXS_PRESSED = 3;
inline constexpr int CBXS_DISABLED = 4;
inline constexpr int SPNP_UP = 1;
inline constexpr int SPNP_DOWN = 2;
inline constexpr int UPS_NORMAL = 1;
inline constexpr int UPS_DISABLED = 4;
inline constexpr int DNS_NORMAL = 1;
inline constexpr int DNS_DISABLED = 4;
inline constexpr int HP_HEADERITEM = 1;
inline constexpr int PP_BAR = 1;
inline constexpr int PP_CHUNK = 3;

// The facts the library answers from; tests set them. Active by default, "NormalColor" scheme.
struct TThemeSettings {
    bool Active = true;
    String FileName = QStringLiteral("Aero.msstyles");
    String ColorName = QStringLiteral("NormalColor");
    String SizeName = QStringLiteral("NormalSize");
};
TThemeSettings& ThemeSettings();
// Theme handles open now, for tests that check every handle is closed again.
int OpenThemeHandleCount();

// The library's entry points: the 46 names the loaders bind.
TModuleExports UxThemeExports();
inline constexpr auto UxThemeLibraryName = u"uxtheme.dll";

// Function types of the entry points, in the order the loaders bind them.
using TOpenThemeData = HTHEME (*)(HWND, LPCWSTR);
using TCloseThemeData = HRESULT (*)(HTHEME);
using TDrawThemeBackground = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, const TRect*);
using TDrawThemeText = HRESULT (*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const TRect*);
using TGetThemeBackgroundContentRect = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, TRect*);
using TGetThemeBackgroundExtent = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, TRect*);
using TGetThemeTextExtent = HRESULT (*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const TRect*, TRect*);
using TGetThemeTextMetrics = HRESULT (*)(HTHEME, HDC, int, int, TEXTMETRICW*);
using TGetThemeBackgroundRegion = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, HRGN*);
using THitTestThemeBackground = HRESULT (*)(HTHEME, HDC, int, int, DWORD, const TRect*, HRGN, TPoint, Word*);
using TDrawThemeEdge = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, UINT, UINT, TRect*);
using TDrawThemeIcon = HRESULT (*)(HTHEME, HDC, int, int, const TRect*, HIMAGELIST, int);
using TIsThemePartDefined = BOOL (*)(HTHEME, int, int);
using TIsThemeBackgroundPartiallyTransparent = BOOL (*)(HTHEME, int, int);
using TGetThemeColor = HRESULT (*)(HTHEME, int, int, int, COLORREF*);
using TGetThemeMetric = HRESULT (*)(HTHEME, HDC, int, int, int, int*);
using TGetThemeString = HRESULT (*)(HTHEME, int, int, int, LPWSTR, int);
using TGetThemeBool = HRESULT (*)(HTHEME, int, int, int, BOOL*);
using TGetThemeInt = HRESULT (*)(HTHEME, int, int, int, int*);
using TGetThemeEnumValue = HRESULT (*)(HTHEME, int, int, int, int*);
using TGetThemePosition = HRESULT (*)(HTHEME, int, int, int, TPoint*);
using TGetThemeFont = HRESULT (*)(HTHEME, HDC, int, int, int, LOGFONTW*);
using TGetThemeRect = HRESULT (*)(HTHEME, int, int, int, TRect*);
using TGetThemeMargins = HRESULT (*)(HTHEME, HDC, int, int, int, const TRect*, MARGINS*);
using TGetThemeIntList = HRESULT (*)(HTHEME, int, int, int, INTLIST*);
using TSetWindowTheme = HRESULT (*)(HWND, LPCWSTR, LPCWSTR);
using TGetThemeFilename = HRESULT (*)(HTHEME, int, int, int, LPWSTR, int);
using TGetThemeSysColor = COLORREF (*)(HTHEME, int);
using TGetThemeSysColorBrush = HBRUSH (*)(HTHEME, int);
using TGetThemeSysBool = BOOL (*)(HTHEME, int);
using TGetThemeSysSize = int (*)(HTHEME, int);
using TGetThemeSysFont = HRESULT (*)(HTHEME, int, LOGFONTW*);
using TGetThemeSysString = HRESULT (*)(HTHEME, int, LPWSTR, int);
using TGetThemeSysInt = HRESULT (*)(HTHEME, int, int*);
using TIsThemeActive = BOOL (*)();
using TIsAppThemed = BOOL (*)();
using TGetWindowTheme = HTHEME (*)(HWND);
using TEnableThemeDialogTexture = HRESULT (*)(HWND, DWORD);
using TIsThemeDialogTextureEnabled = BOOL (*)(HWND);
using TGetThemeAppProperties = DWORD (*)();
using TSetThemeAppProperties = void (*)(DWORD);
using TGetCurrentThemeName = HRESULT (*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
using TGetThemeDocumentationProperty = HRESULT (*)(LPCWSTR, LPCWSTR, LPWSTR, int);
using TDrawThemeParentBackground = HRESULT (*)(HWND, HDC, TRect*);
using TEnableTheming = HRESULT (*)(BOOL);
using TGetThemePartSize = HRESULT (*)(HTHEME, HDC, int, int, TRect*, THEMESIZE, TSize*);
