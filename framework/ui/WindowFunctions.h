// Window calls that only some controls need.
#pragma once

#include "framework/ui/Controls.h"

// Marks the window for repainting; the whole window repaints, whatever Rect names (nullptr: all
// of it). FALSE for a null handle.
BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase);
