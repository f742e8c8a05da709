// A theme library that records what it is asked to draw: the four names a check box's loader binds.
#pragma once

#include "framework/ui/Modules.h"
#include "framework/ui/UxTheme.h"

#include <cstdint>
#include <vector>

struct TThemeCall {
    int Part, State;
    TRect R;
};
inline std::vector<TThemeCall> ThemeCalls;

inline HTHEME fakeOpenThemeData(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(std::uintptr_t(1)); }
inline HRESULT fakeCloseThemeData(HTHEME) { return S_OK; }
inline HRESULT fakeDrawThemeBackground(HTHEME, HDC, int Part, int State, const TRect* R, const TRect*) {
    ThemeCalls.push_back({Part, State, *R});
    return S_OK;
}
inline BOOL fakeIsThemeActive() { return 1; }

inline TModuleExports recordingTheme() {
    return {{"OpenThemeData", reinterpret_cast<FARPROC>(&fakeOpenThemeData)},
            {"CloseThemeData", reinterpret_cast<FARPROC>(&fakeCloseThemeData)},
            {"DrawThemeBackground", reinterpret_cast<FARPROC>(&fakeDrawThemeBackground)},
            {"IsThemeActive", reinterpret_cast<FARPROC>(&fakeIsThemeActive)}};
}
