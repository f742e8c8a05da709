// Menus: menu items in a tree, popup menus shown at a screen point, shortcuts and their names.
// A popup is shown by a replaceable menu runner, so tests pick an item without showing a menu.
// The default runner shows an owner-drawn menu (OwnerDraw) in the framework's own menu windows,
// which ask each item for its size and have it paint itself; any other menu is a Qt menu.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Controls.h"

#include <cstdint>
#include <functional>
#include <vector>

class TBitmap;
class TCustomImageList;
class TMenu;

// A key with its modifiers: Key | scShift | scCtrl | scAlt.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+Shift+S", "F5", "Del"; empty for scNone or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// Reads what ShortCutToText writes, ignoring case; scNone when the text names no shortcut.
TShortCut TextToShortCut(const String& Text);

// The caption without its "&" marks ("&&" gives "&").
String StripHotkey(const String& Caption);

// The caption that makes a menu item a separator line.
inline const String cLineCaption = QStringLiteral("-");

// An owner-drawn item's size: Width and Height arrive with the framework's measure.
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Checking a radio item unchecks the other radio items of its GroupIndex under the same parent.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    // The default item is shown in bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value);
    // Created on first use; drawn beside the caption when the menu has no image for the item.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    bool HasBitmap() const;
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    // Starts a new column at this item.
    bool Break() const { return FBreak; }
    void SetBreak(bool Value);

    TNotifyEvent OnClick;
    // Owner drawing: the item's size and looks in a menu whose OwnerDraw is set.
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

    // The item's number among every menu item of the program, kept for its life (1..65535).
    Word Command() const { return FCommand; }

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EMenuError for a bad index.
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    // The index under the parent, -1 without one; setting it moves the item.
    int MenuIndex() const;
    void SetMenuIndex(int Value);
    bool IsLine() const { return FCaption == cLineCaption; }
    // The menu this item's tree belongs to, nullptr when none.
    TMenu* GetParentMenu() const;

    // Takes Item (removing it from a former parent); raises EMenuError when it would make a cycle.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Frees the item at Index.
    void Delete(int Index);
    // Takes Item out without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(TMenuItem* Item) const;
    // The sub-item whose caption matches, ignoring case and "&" marks; nullptr when none.
    TMenuItem* Find(const String& ACaption) const;

    // Fires OnClick (toggling an AutoCheck item first); does nothing when disabled. The handler
    // runs from a copy and may free the item, its menu or both.
    virtual void Click();
    // The size an owner-drawn item takes: the framework's measure in the menu font, then
    // OnMeasureItem.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    // Paints an owner-drawn item: OnAdvancedDrawItem, else OnDrawItem, else the framework's look.
    virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

private:
    String FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FDefault = false;
    String FHint;
    int FImageIndex = -1;
    std::unique_ptr<TBitmap> FBitmap;
    TShortCut FShortCut = scNone;
    bool FBreak = false;
    Word FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item
    std::vector<TMenuItem*> FItems;
    bool FTornDownItem = false;

    friend class TMenu;
    void tearDownItem();
    void uncheckSiblings();
    void changed();
};

QVD_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // Items are measured and painted through their owner-draw handlers.
    bool OwnerDraw() const { return FOwnerDraw; }  // default false
    void SetOwnerDraw(bool Value);

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems; }
    // Images for the items' ImageIndex; dropped when the list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The item (anywhere in the tree) with this shortcut, nullptr when none.
    TMenuItem* FindItemByShortCut(TShortCut Value) const;
    // Clicks the enabled, visible item with this shortcut; true when there was one.
    bool IsShortCut(TShortCut Value);
    // The item of this menu with that Command, nullptr when none.
    TMenuItem* FindItem(Word Command) const;
    // Every item is measured again: an open menu window lays itself out anew.
    void UpdateItems();

    // Called on every change of an item of the menu (Source nullptr: the whole menu) and of the
    // menu's own settings; Rebuild when item sizes may have changed. Open windows repaint.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems = nullptr;
    TCustomImageList* FImages = nullptr;
    bool FOwnerDraw = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu;

// Shows Menu's items at screen (X, Y), blocks until the menu closes and returns the item the
// user chose (nullptr when none). The default builds a Qt menu.
using TMenuRunner = std::function<TMenuItem*(TPopupMenu* Menu, int X, int Y)>;
// Installs Runner (nullptr: the default) and returns the one it replaces.
TMenuRunner SetMenuRunner(TMenuRunner Runner);

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);

    // A right click on a control whose PopupMenu this is shows it.
    bool AutoPopup() const { return FAutoPopup; }  // default true
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // Where (X, Y) sits on the menu's top edge.
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // The control the menu was last shown for (set on an automatic popup).
    TComponent* PopupComponent() const { return FPopupComponent.get(); }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = TWeak<TComponent>(Value); }
    TPoint PopupPoint() const { return FPopupPoint; }

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

    // Fires OnPopup, shows the menu at screen (X, Y) until it closes, fires OnClose, then clicks
    // the chosen item. Returns at once, doing nothing, while another menu is open.
    virtual void Popup(int X, int Y);

protected:
    virtual void DoPopup(TObject* Sender);

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TWeak<TComponent> FPopupComponent;
    TPoint FPopupPoint{-1, -1};
};

// ---------------------------------------------------------------------------------------------
// The framework's menu windows

// The item (of any menu) with that Command, nullptr when none.
TMenuItem* FindMenuItemByCommand(Word Command);

// A measure request (WM_MEASUREITEM): CtlType ODT_MENU and itemID the item's Command; itemWidth
// and itemHeight come back measured.
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};
inline constexpr UINT ODT_MENU = 1;

// The window that answers the measure requests of every menu item (WM_MEASUREITEM with a
// MEASUREITEMSTRUCT* in LParam).
class TPopupList {
public:
    HWND Window();
};
extern TPopupList PopupList;

// The screen rectangle of the item at Position among Parent's shown items in the menu window
// Wnd (nullptr: the open window showing Parent's items); FALSE when there is none.
BOOL GetMenuItemRect(HWND Wnd, TMenuItem* Parent, int Position, TRect* Rect);
// Closes the open menu: the blocked Popup returns with nothing chosen. FALSE when none is open.
BOOL EndMenu();
// The innermost open menu window, nullptr when no menu is open.
HWND ActiveMenuWindow();

// Menu animation is a switch of this program: setting it leaves the desktop's own setting alone.
inline constexpr UINT SPI_GETMENUANIMATION = 0x1002;
inline constexpr UINT SPI_SETMENUANIMATION = 0x1003;
inline constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
inline constexpr UINT SPIF_SENDCHANGE = 0x0002;
// The menu-animation actions: SPI_GETMENUANIMATION writes a BOOL to *PvParam, SPI_SETMENUANIMATION
// takes the value from PvParam (nullptr or not). FALSE for any other action.
BOOL SystemParametersInfo(UINT Action, UINT Param, void* PvParam, UINT WinIni);
