// Layered windows: a top-level window shown with a constant opacity (and, for
// UpdateLayeredWindow, moved and sized in the same call). The calls live in the framework's
// "user32.dll" module, so callers that look them up by name find them there.
#pragma once

#include "framework/ui/Graphics.h"
#include "framework/ui/Modules.h"

inline constexpr DWORD LWA_COLORKEY = 0x1;
inline constexpr DWORD LWA_ALPHA = 0x2;
inline constexpr DWORD ULW_COLORKEY = 0x1;
inline constexpr DWORD ULW_ALPHA = 0x2;
inline constexpr DWORD ULW_OPAQUE = 0x4;
inline constexpr Byte AC_SRC_OVER = 0x00;
inline constexpr Byte AC_SRC_ALPHA = 0x01;

struct BLENDFUNCTION {
    Byte BlendOp = AC_SRC_OVER;
    Byte BlendFlags = 0;
    Byte SourceConstantAlpha = 255;
    Byte AlphaFormat = 0;
};

// With LWA_ALPHA the window's top-level window gets the opacity Alpha / 255. A colour key is
// accepted and not applied (the window stays rectangular). FALSE for a window that does not exist.
BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags);
// Moves the window to *DestPoint and sizes it to *Size when given. With ULW_ALPHA and a blend
// whose AlphaFormat is AC_SRC_ALPHA, the window shows SourceDC's pixels (from *SourcePoint, *Size
// of them) instead of its painting: a 32-bit source as premultiplied B,G,R,A, any other opaque,
// with the blend's constant alpha over them. Otherwise the constant alpha becomes the window's
// opacity and the window shows its painting. FALSE for a window that does not exist.
BOOL UpdateLayeredWindow(HWND Wnd, HDC DestDC, const TPoint* DestPoint, const TSize* Size, HDC SourceDC,
                         const TPoint* SourcePoint, COLORREF Key, const BLENDFUNCTION* Blend, DWORD Flags);
// Makes a top-level window let the mouse through to what lies below (the platform's
// WS_EX_TRANSPARENT extended style). FALSE for a window that does not exist.
BOOL SetWindowTransparentToMouse(HWND Wnd);
// Whether the window lets the mouse through.
bool WindowTransparentToMouse(HWND Wnd);
// The opacity the window shows now (1.0 when it is not layered or does not exist); with a
// per-pixel image, the constant alpha over it.
double LayeredWindowOpacity(HWND Wnd);
// Draws the window at (X, Y) of DC as the screen shows it over what lies there: its per-pixel
// image or its painting, cut to its region, at its opacity. FALSE for a bad window or context.
BOOL DrawWindowAsShown(HWND Wnd, HDC DC, int X, int Y);

// The entry points of the framework's "user32.dll".
TModuleExports User32Exports();

// Function types of the entry points, for callers that look them up by name.
using TSetLayeredWindowAttributes = BOOL (*)(HWND, COLORREF, Byte, DWORD);
using TUpdateLayeredWindow = BOOL (*)(HWND, HDC, const TPoint*, const TSize*, HDC, const TPoint*, COLORREF,
                                      const BLENDFUNCTION*, DWORD);
