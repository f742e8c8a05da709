// TAdvPopupMenu, its item handlers and the unit's menu-animation switch.
#include "components/controls/AdvMenus.h"
#include "components/graphics/ComponentVersion.h"

#include "components/controls/AdvMenuSideBar.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

using namespace advmenu;

namespace {

// The right-hand strip a platform menu window has beyond what the item painter paints. The
// framework's windows never make it: the handlers report and receive item widths without it.
constexpr int kStrip = 17;

// The handlers the menu installs; their type tells an installed one from the user's own.
struct TMeasureHandler {
    TAdvPopupMenu* Menu;
    void operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const {
        Menu->ExpandItemWidth(Sender, ACanvas, Width, Height);
    }
};

struct TDrawHandler {
    TAdvPopupMenu* Menu;
    void operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const {
        Menu->AdvancedDrawItem(Sender, ACanvas, ARect, State);
    }
};

void assignHandlers(TAdvPopupMenu* Menu, TMenuItem* Item, bool KeepUserHandlers) {
    if (Item->OnAdvancedDrawItem.target<TDrawHandler>()) return;  // ours already
    if (!KeepUserHandlers || !Item->OnMeasureItem) Item->OnMeasureItem = TMeasureHandler{Menu};
    if (!KeepUserHandlers || (!Item->OnAdvancedDrawItem && !Item->OnDrawItem))
        Item->OnAdvancedDrawItem = TDrawHandler{Menu};
}

void assignTree(TAdvPopupMenu* Menu, TMenuItem* Item, bool Recursive, bool KeepUserHandlers) {
    for (int I = 0; I < Item->Count(); ++I) {
        TMenuItem* Sub = Item->Items(I);
        assignHandlers(Menu, Sub, KeepUserHandlers);
        if (Recursive) assignTree(Menu, Sub, true, KeepUserHandlers);
    }
}

bool gSavedMenuAnimation = false;

// The unit's start-up and exit steps.
struct TMenuAnimationUnit {
    TMenuAnimationUnit() { DisableMenuAnimation(); }
    ~TMenuAnimationUnit() { RestoreMenuAnimation(); }
};
const TMenuAnimationUnit MenuAnimationUnit;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle and styler

TAdvPopupMenu::TAdvPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {
    SetOwnerDraw(true);
    CreateInternalStyler();
}

TAdvPopupMenu::~TAdvPopupMenu() = default;

void TAdvPopupMenu::BeforeDestruction() {
    // A styler on the form outlives the menu: it must not keep serving it.
    if (FMenuStyler) {
        FMenuStyler->RemoveFreeNotification(this);
        if (FMenuStyler->Menu() == this) FMenuStyler->SetMenu(nullptr);
        FMenuStyler = nullptr;
    }
    FCurrentMenuStyler = nullptr;
    if (FInternalMenuStyler) FreeAndNil(FInternalMenuStyler);
    SetDisabledImages(nullptr);
    TPopupMenu::BeforeDestruction();
}

void TAdvPopupMenu::CreateInternalStyler() {
    FMenuStyler = nullptr;
    auto* Styler = new TCustomAdvMenuStyler(this);
    Styler->SetName(QStringLiteral("InternalMenuStyler"));
    FInternalMenuStyler = Styler;
    FCurrentMenuStyler = Styler;
    Styler->SetMenu(this);
}

void TAdvPopupMenu::SetMenuStyler(TCustomAdvMenuStyler* Value) {
    if (Value == FMenuStyler) return;
    if (FMenuStyler && FMenuStyler != FInternalMenuStyler) {
        FMenuStyler->RemoveFreeNotification(this);
        if (FMenuStyler->Menu() == this) FMenuStyler->SetMenu(nullptr);
    }
    if (Value) {
        // An internal styler read from a form stays until Loaded.
        if (FInternalMenuStyler && !FInternalMenuStyler->ComponentState().Contains(csLoading))
            FreeAndNil(FInternalMenuStyler);
        FMenuStyler = Value;
        FCurrentMenuStyler = Value;
        Value->FreeNotification(this);
    } else {
        CreateInternalStyler();
    }
    if (FCurrentMenuStyler) FCurrentMenuStyler->SetMenu(this);
}

void TAdvPopupMenu::SetDisabledImages(TCustomImageList* Value) {
    if (FDisabledImages == Value) return;
    if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
    FDisabledImages = Value;
    if (FDisabledImages) FDisabledImages->FreeNotification(this);
}

void TAdvPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    SetOwnerDraw(true);
    AssignMenuItemHandlers(this, nullptr, true, true);
    if (FInternalMenuStyler && FInternalMenuStyler != FCurrentMenuStyler) FreeAndNil(FInternalMenuStyler);
}

void TAdvPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FInternalMenuStyler) {
        FInternalMenuStyler = nullptr;
        if (FCurrentMenuStyler == AComponent) FCurrentMenuStyler = nullptr;
    }
    if (AComponent == FMenuStyler) {
        FMenuStyler = nullptr;
        if (FCurrentMenuStyler == AComponent) FCurrentMenuStyler = nullptr;
        // The styler on the form went: the menu falls back to a default look.
        if (!ComponentState().Contains(csDestroying) && AComponent->Owner() != this) CreateInternalStyler();
    }
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

String TAdvPopupMenu::Version() const { return VersionText(GetVersionNr()); }

// ---------------------------------------------------------------------------------------------
// Updates and handlers

void TAdvPopupMenu::BeginUpdate() {
    FMenuUpdating = true;
    ++FUpdateRef;
}

void TAdvPopupMenu::EndUpdate() {
    if (FUpdateRef > 0) --FUpdateRef;
    if (FUpdateRef != 0) return;
    AssignMenuItemHandlers(this, nullptr, true, true);
    FMenuUpdating = false;
}

void TAdvPopupMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    if (FDirectUpdate) {
        AssignMenuItemHandlers(this, Source, true, true);
        if (!FMenuUpdating) AdvMenuChanged(this, false);
    } else if (FMenuUpdating) {
        AdvMenuChanged(this, false);
    } else {
        AssignMenuItemHandlers(this, Source, true, true);
    }
    TPopupMenu::MenuChanged(Sender, Source, Rebuild);
}

void TAdvPopupMenu::ExpandItemWidth(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Item) return;
    MeasureAdvMenuItem(Item, ACanvas, Width, SideBarShownFor(Item), Height);
    Width -= kStrip;
}

void TAdvPopupMenu::AdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
    // ARect is already as narrow as the painter's arithmetic makes it: the window has no strip.
    if (auto* Item = dynamic_cast<TMenuItem*>(Sender))
        DrawAdvMenuItem(Item, ACanvas, ARect, SideBarShownFor(Item), State);
}

bool TAdvPopupMenu::GetMenuItemRect(TCanvas* Canvas, TMenuItem* Parent, int Position, TRect& R) {
    if (!Canvas || !::GetMenuItemRect(WindowFromDC(Canvas->Handle()), Parent, Position, &R)) return false;
    R.Right += kStrip;
    return true;
}

void TAdvPopupMenu::AdjustMenuWindow(TMenuItem* Item, TCanvas* Canvas) {
    HWND Wnd = Canvas ? WindowFromDC(Canvas->Handle()) : nullptr;
    TCustomAdvMenuStyler* S = FCurrentMenuStyler;
    if (!Wnd || !S || IsMenuBarItem(Item)) return;
    TRect R;
    if (!GetWindowRect(Wnd, &R)) return;
    HDC DC = GetWindowDC(Wnd);
    if (!DC) return;
    TCanvas Frame;
    Frame.SetHandle(DC);
    TRect F = Rect(0, 0, R.Width(), R.Height());
    Frame.Brush()->SetStyle(bsSolid);
    Frame.Brush()->SetColor(S->MenuBorderColor());
    Frame.FrameRect(F);
    F = Rect(F.Left + 1, F.Top + 1, F.Right - 1, F.Bottom - 1);
    Frame.Brush()->SetColor(S->Background()->Color());
    Frame.FrameRect(F);
    Frame.SetHandle(nullptr);
    ReleaseDC(Wnd, DC);
}

// ---------------------------------------------------------------------------------------------
// Showing

void TAdvPopupMenu::Popup(int X, int Y) {
    if (Items()->Count() == 0) {
        TPopupMenu::Popup(X, Y);
        return;
    }
    MEASUREITEMSTRUCT M;
    M.CtlType = ODT_MENU;
    M.itemID = Items()->Items(0)->Command();
    M.itemWidth = 10;
    M.itemHeight = 10;
    SendMessage(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&M));
    // The first item's width as the painter measured it, strip included.
    const int W = static_cast<int>(M.itemWidth) + kStrip;
    const int DesktopWidth = Screen->Width();
    if (Alignment() == paRight && X - W - 34 >= 0)
        X += 17;
    else if (Alignment() == paLeft && X + W + 51 >= DesktopWidth)
        X += 17;
    else if (Alignment() == paCenter)
        X += 8;
    X = std::min(X, DesktopWidth - 1);
    SuppressMenuAnimation();
    const TWeak<TAdvPopupMenu> Self(this);
    TPopupMenu::Popup(X, Y);
    if (Self && OnClose) FireEvent(OnClose, this);
}

void TAdvPopupMenu::PopupAtCursor() { Popup(Mouse->CursorPos()); }

// ---------------------------------------------------------------------------------------------

TMenu* MenuOfItem(TMenuItem* Item) {
    if (!Item) return nullptr;
    if (Item->Parent()) return Item->Parent()->GetParentMenu();
    return dynamic_cast<TMenu*>(Item->Owner());
}

IAdvMenu* GetItemAdvMenuIntf(TMenuItem* Item) { return GetAdvMenuIntf(MenuOfItem(Item)); }

void AssignMenuItemHandlers(TAdvPopupMenu* Menu, TMenuItem* Item, bool Recursive, bool KeepUserHandlers) {
    if (!Menu || Menu->ComponentState().Contains(csLoading) || !Menu->Items()) return;
    if (Item && Item != Menu->Items()) {
        assignHandlers(Menu, Item, KeepUserHandlers);
        if (Recursive) assignTree(Menu, Item, true, KeepUserHandlers);
        return;
    }
    assignTree(Menu, Menu->Items(), Recursive, KeepUserHandlers);
}

void DisableMenuAnimation() {
    BOOL On = 0;
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &On, 0);
    gSavedMenuAnimation = On != 0;
    SuppressMenuAnimation();
}

void SuppressMenuAnimation() { SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, SPIF_SENDCHANGE); }

void RestoreMenuAnimation() {
    static int Restore = 1;
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, gSavedMenuAnimation ? &Restore : nullptr, SPIF_SENDCHANGE);
}
