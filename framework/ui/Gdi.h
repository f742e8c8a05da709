// Device-context calls: state, origins, clipping, pixels and simple shapes on an HDC.
// Coordinates are logical; each call maps them to device pixels in one place.
#pragma once

#include "framework/ui/Graphics.h"

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// GetDeviceCaps indexes
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// GetClipBox results
inline constexpr int RGN_ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

int SaveDC(HDC DC);
// Level > 0 restores that saved level; Level < 0 goes back that many levels.
BOOL RestoreDC(HDC DC, int Level);

BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetWindowOrgEx(HDC DC, TPoint* Origin);
BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint* Origin);
BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL LPtoDP(HDC DC, TPoint* Points, int Count);
BOOL DPtoLP(HDC DC, TPoint* Points, int Count);

int GetDeviceCaps(HDC DC, int Index);

int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);

// CLR_INVALID outside the surface or the clip region.
COLORREF GetPixel(HDC DC, int X, int Y);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);

// Clipping works in device units: a later origin change does not move the clip.
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int GetClipBox(HDC DC, TRect* Rect);

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetCurrentPositionEx(HDC DC, TPoint* Position);
// The current position moves to (X, Y); the last pixel is not drawn.
BOOL LineTo(HDC DC, int X, int Y);
BOOL DrawFocusRect(HDC DC, const TRect* Rect);
