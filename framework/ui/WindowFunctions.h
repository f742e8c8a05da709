// Window calls that only some controls need.
#pragma once

#include "framework/ui/Controls.h"
#include "framework/ui/GdiObjects.h"

// Marks the window for repainting; the whole window repaints, whatever Rect names (nullptr: all
// of it). FALSE for a null handle.
BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase);

// The window's shape (client coordinates): only the region's pixels belong to the window, the
// rest shows what lies below and lets input through. The window takes the region over: Rgn is
// freed and must not be used again. nullptr gives the window back its whole rectangle. With
// Redraw the window repaints. FALSE for a null handle (Rgn is then left alone).
BOOL SetWindowRgn(HWND Wnd, HRGN Rgn, BOOL Redraw);
// Copies the window's shape into Rgn; returns its kind, RGN_ERROR when the window has none (or
// for a bad window or region).
int GetWindowRgn(HWND Wnd, HRGN Rgn);
