// Framework-internal: the menu windows of owner-drawn menus (Menus_Window.cpp) as the menus unit
// reaches them.
#pragma once

#include "framework/ui/Menus.h"

// Shows Menu's items at screen (X, Y) in the framework's menu windows until the menu closes;
// the item chosen, nullptr when none (or when another menu is open already).
TMenuItem* TrackMenuWindows(TPopupMenu* Menu, int X, int Y);
// Open windows of Menu lay themselves out again (Rebuild) or repaint.
void RelayoutMenuWindows(TMenu* Menu, bool Rebuild);
// The framework's look of an owner-drawn item that has no draw handler.
void DrawMenuItemDefault(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State);
