// TAdvPopupMenu: a popup menu whose items the library measures and paints in the look of a menu
// styler (AdvMenuStylers.h), with notes lines, a side bar, gradients and a two-line frame in the
// styler's colours around each menu window. Without a styler of its own the menu uses an
// internal one with the default colours. The unit keeps the program's menu animation off from
// start-up to exit (the desktop's own setting is never touched).
#pragma once

#include "components/controls/AdvMenuItems.h"
#include "components/controls/AdvMenuStylers.h"

class TAdvPopupMenu : public TPopupMenu, public IAdvMenu, public IAdvMenuWindow {
public:
    explicit TAdvPopupMenu(TComponent* AOwner);
    ~TAdvPopupMenu() override;
    void BeforeDestruction() override;

    advmenu::TActionImage ActionImages() const override { return FActionImage; }  // default aiNormal
    void SetActionImages(advmenu::TActionImage Value) override { FActionImage = Value; }
    // Images of disabled items; dropped when the list is freed.
    TCustomImageList* DisabledImages() const override { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    // The styler set by the user; nullptr brings back an internal one with default colours.
    TCustomAdvMenuStyler* MenuStyler() const override { return FMenuStyler; }
    void SetMenuStyler(TCustomAdvMenuStyler* Value) override;
    // Shortcut texts from the keyboard layout's key names.
    bool IntlKeybShortCuts() const override { return FIntlKeybShortCuts; }  // default false
    void SetIntlKeybShortCuts(bool Value) override { FIntlKeybShortCuts = Value; }
    // Text after "\n" (backslash and n) in a caption shows as notes lines.
    bool ShowNotes() const override { return FShowNotes; }  // default true
    void SetShowNotes(bool Value) override { FShowNotes = Value; }
    // "2.6.2.1"; writing it changes nothing.
    String Version() const;
    void SetVersion(const String&) {}
    // Right-to-left menus right-align their text.
    TBiDiMode BiDiMode() const override { return FBiDiMode; }  // default bdLeftToRight
    void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }

    // Fired after a popup with items has closed (after the chosen item's OnClick).
    TNotifyEvent OnClose;

    bool MenuUpdating() const { return FMenuUpdating; }
    // Item handlers are installed on every change even while updating.
    bool DirectUpdate() const { return FDirectUpdate; }
    void SetDirectUpdate(bool Value) { FDirectUpdate = Value; }
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* Value) { FItemObject = Value; }
    Byte Opacity() const override { return FOpacity; }  // default 255
    void SetOpacity(Byte Value) override { FOpacity = Value; }
    TCustomAdvMenuStyler* CurrentMenuStyler() const override { return FCurrentMenuStyler; }

    void UpdateItems() override { TMenu::UpdateItems(); }
    TMenu* MenuObject() override { return this; }
    // Nested; the last EndUpdate installs the item handlers.
    void BeginUpdate();
    void EndUpdate();
    // Shows the menu at screen (X, Y), shifted as the item painter's window needs, and returns
    // after it closed; OnClose follows. A menu without items shows nothing and fires nothing.
    void Popup(int X, int Y) override;
    void Popup(const TPoint& P) { Popup(P.X, P.Y); }
    void PopupAtCursor();
    virtual int GetVersionNr() const { return 0x02060201; }
    void Loaded() override;
    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;

    // IAdvMenuWindow: item rectangles as the painter's arithmetic expects them, 17 pixels wider
    // than the framework's windows (which have no strip to cut).
    bool GetMenuItemRect(TCanvas* Canvas, TMenuItem* Parent, int Position, TRect& R) override;
    // Frames the window the canvas paints: the styler's border colour, inside it the background's.
    void AdjustMenuWindow(TMenuItem* Item, TCanvas* Canvas) override;

    // The items' measure and draw handlers.
    void ExpandItemWidth(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void AdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomAdvMenuStyler* FMenuStyler = nullptr;
    TCustomAdvMenuStyler* FInternalMenuStyler = nullptr;
    TCustomAdvMenuStyler* FCurrentMenuStyler = nullptr;
    Byte FOpacity = 255;
    bool FShowNotes = true;
    bool FMenuUpdating = false;
    int FUpdateRef = 0;
    bool FDirectUpdate = false;
    TCustomImageList* FDisabledImages = nullptr;
    bool FIntlKeybShortCuts = false;
    TObject* FItemObject = nullptr;
    advmenu::TActionImage FActionImage = advmenu::aiNormal;
    TBiDiMode FBiDiMode = bdLeftToRight;

    void CreateInternalStyler();
};

// The menu of an item: its parent's menu, or for a root item its owner; nullptr for nullptr.
TMenu* MenuOfItem(TMenuItem* Item);
IAdvMenu* GetItemAdvMenuIntf(TMenuItem* Item);
// Installs Menu's measure and draw handlers on Item (nullptr: every item), with Recursive on
// the sub-items too; KeepUserHandlers leaves an item's own handlers in place. Nothing while
// Menu is loading.
void AssignMenuItemHandlers(TAdvPopupMenu* Menu, TMenuItem* Item, bool Recursive, bool KeepUserHandlers);

// The program's menu animation: off from start-up (saving its value), off again before every
// popup, back to the saved value at exit.
void DisableMenuAnimation();
void SuppressMenuAnimation();
void RestoreMenuAnimation();
