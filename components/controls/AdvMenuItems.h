// Measuring and painting of the owner-drawn items of a styled menu. Every item paints its slice
// of the window-wide icon column and background, so gradients run through the whole window; the
// window's first visible item also paints the side bar. The styler in use is read through the
// menu's IAdvMenu; window geometry, BiDiMode and DisabledImages through IAdvMenuWindow.
#pragma once

#include "components/controls/AdvMenuStylers.h"
#include "framework/ui/DrawText.h"

#include <functional>

class TCustomImageList;

// Marks the system (logo) key in a shortcut, besides scShift, scCtrl and scAlt.
inline constexpr TShortCut scWinKey = 0x200;

// What a styled menu offers the item painter beyond IAdvMenu: the window the items show in and
// the menu's own settings. A menu without it paints its items within their own rectangles.
class IAdvMenuWindow : public IInterface {
public:
    virtual TBiDiMode BiDiMode() const = 0;
    virtual TCustomImageList* DisabledImages() const = 0;
    // The rectangle of the item at Position among Parent's items in the window Canvas paints;
    // false when the window has no such item.
    virtual bool GetMenuItemRect(TCanvas* Canvas, TMenuItem* Parent, int Position, TRect& R) = 0;
    // Frames and subclasses the window after an item painted.
    virtual void AdjustMenuWindow(TMenuItem* Item, TCanvas* Canvas) = 0;

protected:
    ~IAdvMenuWindow() = default;
};

// nullptr when the item's menu does not offer it.
IAdvMenuWindow* GetAdvMenuWindow(TMenuItem* Item);

// Item tests.
bool IsMenuBarItem(TMenuItem* Item);
bool IsRootMenuItem(TMenuItem* Item);
int MenuItemLevel(TMenuItem* Item);
TMenuItem* FirstVisibleItem(TMenuItem* Item);
bool IsFirstVisibleItem(TMenuItem* Item);
int VisibleItemIndex(TMenuItem* Item);
bool FollowsColumnBreak(TMenuItem* Item);
// The union of the rectangles of all items of the window showing Item; empty without a window.
TRect MenuItemsBounds(TMenuItem* Item, TCanvas* Canvas);
// The image list the item's ImageIndex refers to.
TCustomImageList* MenuItemImages(TMenuItem* Item);

// Width and Height arrive as the framework measured them.
void MeasureAdvMenuItem(TMenuItem* Item, TCanvas* Canvas, int& Width, bool SideBar, int& Height);
// Rect is the item's rectangle, 17 pixels narrower than the window.
void DrawAdvMenuItem(TMenuItem* Item, TCanvas* Canvas, const TRect& Rect, bool SideBar, TOwnerDrawState State);
void DrawAdvMenuItemContent(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, const TRect& Rect);
void DrawAdvMenuItemText(TMenuItem* Item, TCanvas* Canvas, const String& Text, UINT Format, TOwnerDrawState State,
                         TRect& Rect);

// International: the keyboard layout's key names, "Alt+Ctrl+Shift+key"; otherwise the
// framework's shortcut text, with "Win+" in front for scWinKey.
String MenuShortCutText(TShortCut ShortCut, bool International);
// The keyboard layout's name of a virtual key.
String VirtualKeyName(Word Key);
// First character kept, the rest lower case, the character after the first "(" upper case.
String CapitalizeKeyName(const String& Text);

// Where VirtualKeyName gets its names (nullptr: the built-in English names); returns the old one.
using TKeyNameProvider = std::function<String(Word Key)>;
TKeyNameProvider SetKeyNameProvider(TKeyNameProvider Provider);
// Whether the system locale is a Middle-East one (right-to-left menus then hide the arrow).
bool MenuMiddleEastLocale();
void SetMenuMiddleEastLocale(bool Value);
