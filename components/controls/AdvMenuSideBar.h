// The side bar of a styled menu window: when a window shows it, and how it is painted (by the
// window's first visible item, over the whole items area).
#pragma once

#include "components/controls/AdvMenuStylers.h"

bool InFirstVisibleDropDown(TMenuItem* Item);
bool InFirstLevelWindow(TMenuItem* Item);
// The side-bar flag the item's measure and draw handlers are given.
bool SideBarShownFor(TMenuItem* Item);

// Background, image, caption, border and splitter over the items area A (client coordinates);
// stores A's height in PopupHeight.
void DrawSideBar(TSideBar* SideBar, TCanvas* Canvas, const TRect& A);
// SR is the bar's rectangle.
void DrawSideBarCaption(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR);
void DrawSideBarBorder(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR);
void DrawSideBarSplitter(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR);
