// Cursors as the platform hands them out: handles to the stock shapes and to cursor resources of
// the program (RT_CURSOR: the hot spot's X and Y as two little-endian words, then a bitmap whose
// clFuchsia pixels are transparent), the table behind Screen->Cursors[] that gives a handle an
// index controls can show, and the cursor the system shows now (SetCursor).
#pragma once

#include "framework/rtl/Resources.h"
#include "framework/ui/Controls.h"

using HCURSOR = struct TCursorHandle*;

// The shared handle of a cursor resource (the same one for every call); nullptr when the program
// has no such resource or its bytes are no cursor.
HCURSOR LoadCursor(HINSTANCE Instance, int ResID);
HCURSOR LoadCursor(HINSTANCE Instance, const String& ResName);
// The handle of a stock shape (crArrow, crHandPoint, ...).
HCURSOR StockCursor(TCursor Cursor);
// The cursor shown now, and the one shown before; nullptr shows the arrow.
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();
// The hot spot and size of a handle, for tests and the window layer.
TPoint CursorHotSpot(HCURSOR Cursor);
TSize CursorSize(HCURSOR Cursor);

// Screen->Cursors[] stores here: an index controls can show (TControl::Cursor) for a handle.
HCURSOR ScreenCursor(TCursor Index);
void SetScreenCursor(TCursor Index, HCURSOR Cursor);
