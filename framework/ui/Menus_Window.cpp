// The framework's menu windows: an owner-drawn menu shown in windows that the framework lays out
// and the items paint, with keyboard and mouse navigation, sub-menus and column breaks. Popup
// waits in a local event loop until the menu closes.
#include "framework/ui/MenuWindows.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"

#include <QEventLoop>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

constexpr int kFrame = 2;            // the window's two-line frame
constexpr int kMinItemHeight = 19;   // a text item's height at the least
constexpr int kSeparatorHeight = 9;  // a separator's
constexpr int kCheckWidth = 16;      // room for the check mark, and for the sub-menu arrow
constexpr int kShortCutGap = 16;     // between caption and shortcut

class TMenuWindow;

// One open menu: its windows from the first to the innermost, and the loop Popup waits in.
struct TMenuSession {
    TWeak<TPopupMenu> Menu;
    std::vector<TMenuWindow*> Windows;
    QEventLoop Loop;
    TWeak<TMenuItem> Chosen;
    bool Done = false;

    void close(TMenuItem* Item);
    // The window under the screen point, innermost first; nullptr when none.
    TMenuWindow* windowAt(TPoint At) const;
    void closeAfter(TMenuWindow* Window);
};

TMenuSession* gSession = nullptr;

bool isSelectable(TMenuItem* Item) { return Item && Item->Visible() && !Item->IsLine(); }

// The character after a single "&" in the caption, upper-cased; null when none.
Char hotkeyOf(const String& Caption) {
    for (int I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != u'&') continue;
        if (Caption[I + 1] != u'&') return Caption[I + 1].toUpper();
        ++I;
    }
    return {};
}

class TMenuWindow : public TCustomControl {
public:
    TMenuWindow(TMenuSession* Session, TMenuItem* Parent, int Level)
        : TCustomControl(nullptr), FSession(Session), FParent(Parent), FLevel(Level) {
        SetColor(clMenu);
    }

    TMenuItem* ParentItem() const { return FParent.get(); }
    int Level() const { return FLevel; }
    TMenuWindow* Child() const { return FChild; }
    void SetChild(TMenuWindow* Value) { FChild = Value; }

    // Measures the shown items and sizes the window to them.
    void Layout();
    void ShowAt(int X, int Y, TPopupAlignment Alignment);
    void ShowBeside(TMenuWindow* Owner, const TRect& ItemOnScreen);
    void HideWindow() {
        if (QWidget* W = ControlWidgetOf(this)) W->hide();
    }

    int SlotCount() const { return static_cast<int>(FSlots.size()); }
    TMenuItem* SlotItem(int Index) const { return FSlots[static_cast<size_t>(Index)].Item.get(); }
    // The item's rectangle in screen coordinates.
    TRect SlotScreenRect(int Index) const {
        const TRect& R = FSlots[static_cast<size_t>(Index)].R;
        const TPoint P = ClientToScreen(Point(kFrame, kFrame));
        return Rect(R.Left + P.X, R.Top + P.Y, R.Right + P.X, R.Bottom + P.Y);
    }
    void Select(int Index, bool OpenSubMenu);
    int Selected() const { return FSelected; }
    // The slot at a point in client coordinates, -1 when none.
    int SlotAt(TPoint P) const {
        P.X -= kFrame;
        P.Y -= kFrame;
        for (int I = 0; I < SlotCount(); ++I)
            if (FSlots[static_cast<size_t>(I)].R.Contains(P)) return I;
        return -1;
    }

protected:
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        if (QWidget* W = ControlWidgetOf(this)) {
            // A popup grabs the keyboard and the pointer and closes at a click outside.
            W->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
            W->setMouseTracking(true);
        }
    }
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    struct TSlot {
        TWeak<TMenuItem> Item;
        TRect R;  // in the items area
    };
    TMenuSession* FSession;
    TWeak<TMenuItem> FParent;
    int FLevel;
    std::vector<TSlot> FSlots;
    int FSelected = -1;
    TMenuWindow* FChild = nullptr;
    TSize FItemsSize;

    void openSubMenu();
    void activateSelected();
    void moveSelection(int Step);
    bool keyDown(Word Key);
    void typedHotkey(Char C);
    void mouseMoved(TPoint At);
    void mouseReleased(TPoint At);
    TOwnerDrawState stateOf(int Index) const;
};

// What an item measures before its own handler sees it: its caption and shortcut in the menu
// font, with room for a check mark and an arrow.
void defaultItemSize(TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height) {
    if (Item->IsLine()) {
        Width = 0;
        Height = kSeparatorHeight;
        return;
    }
    Width = Canvas->TextWidth(StripHotkey(Item->Caption())) + 2 * kCheckWidth;
    if (Item->ShortCut() != scNone) Width += kShortCutGap + Canvas->TextWidth(ShortCutToText(Item->ShortCut()));
    Height = std::max(kMinItemHeight, Canvas->TextHeight(QStringLiteral("gh")) + 6);
}

void TMenuWindow::Layout() {
    FSlots.clear();
    TMenuItem* Parent = FParent.get();
    TPopupMenu* Menu = FSession->Menu.get();
    if (!Parent || !Menu) return;
    TBitmap Scratch(1, 1);
    TCanvas* C = Scratch.Canvas();
    // Columns: each Break starts one; every item of a column gets the column's width.
    std::vector<std::vector<size_t>> Columns(1);
    std::vector<TSize> Sizes;
    for (int I = 0; I < Parent->Count(); ++I) {
        TMenuItem* Item = Parent->Items(I);
        if (!Item->Visible()) continue;
        C->SetFont(Screen->MenuFont());
        int W = 0, H = 0;
        defaultItemSize(Item, C, W, H);
        if (Menu->OwnerDraw()) Item->MeasureItem(C, W, H);
        if (Item->Break() && !FSlots.empty()) Columns.emplace_back();
        Columns.back().push_back(FSlots.size());
        FSlots.push_back({TWeak<TMenuItem>(Item), TRect()});
        Sizes.push_back({std::max(0, W), std::max(0, H)});
    }
    int X = 0, Bottom = 0;
    for (const std::vector<size_t>& Column : Columns) {
        int ColumnWidth = 0;
        for (size_t I : Column) ColumnWidth = std::max(ColumnWidth, Sizes[I].cx);
        int Y = 0;
        for (size_t I : Column) {
            FSlots[I].R = Rect(X, Y, X + ColumnWidth, Y + Sizes[I].cy);
            Y += Sizes[I].cy;
        }
        X += ColumnWidth;
        Bottom = std::max(Bottom, Y);
    }
    FItemsSize = {X, Bottom};
    if (FSelected >= SlotCount()) FSelected = -1;
    SetBounds(Left(), Top(), X + 2 * kFrame, Bottom + 2 * kFrame);
    Invalidate();
}

void TMenuWindow::ShowAt(int X, int Y, TPopupAlignment Alignment) {
    const int W = Width(), H = Height();
    if (Alignment == paRight) X -= W;
    if (Alignment == paCenter) X -= W / 2;
    // Kept on the screen: flipped above the point when it would run off the bottom.
    const int SW = Screen->Width(), SH = Screen->Height();
    if (X + W > SW) X = SW - W;
    if (Y + H > SH) Y = std::max(0, Y - H);
    X = std::max(0, X);
    SetBounds(X, Y, W, H);
    HandleNeeded();
    TControlAccess::applyGeometry(this);
    if (QWidget* Widget = ControlWidgetOf(this)) Widget->show();
}

void TMenuWindow::ShowBeside(TMenuWindow* Owner, const TRect& ItemOnScreen) {
    const int W = Width();
    int X = ItemOnScreen.Right + kFrame;
    if (X + W > Screen->Width()) X = Owner->Left() - W;
    ShowAt(X, ItemOnScreen.Top - kFrame, paLeft);
}

TOwnerDrawState TMenuWindow::stateOf(int Index) const {
    TOwnerDrawState State;
    TMenuItem* Item = SlotItem(Index);
    if (Index == FSelected) State.Include(odSelected);
    if (!Item->Enabled()) {
        State.Include(odDisabled);
        State.Include(odGrayed);
    }
    if (Item->Checked()) State.Include(odChecked);
    if (Item->Default()) State.Include(odDefault);
    return State;
}

void TMenuWindow::Paint() {
    TCanvas* C = Canvas();
    const TRect All = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clMenu);
    C->FillRect(All);
    // The two-line frame: a shadow line outside, a menu-coloured one inside.
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(All);
    C->Brush()->SetColor(clMenu);
    C->FrameRect(Rect(All.Left + 1, All.Top + 1, All.Right - 1, All.Bottom - 1));

    // The items paint in the items area's own coordinates, as in a menu window's client area.
    HDC DC = C->Handle();
    const TWeak<TMenuWindow> Self(this);
    for (int I = 0; I < SlotCount() && Self; ++I) {
        TMenuItem* Item = SlotItem(I);
        if (!Item) continue;
        const int Saved = SaveDC(DC);
        SetViewportOrgEx(DC, kFrame, kFrame, nullptr);
        IntersectClipRect(DC, 0, 0, FItemsSize.cx, FItemsSize.cy);
        // A canvas of its own per item, as each draw request brings: one canvas kept across items
        // would take the restored context's font for the one it had put in.
        TCanvas ItemCanvas;
        ItemCanvas.SetHandle(DC);
        ItemCanvas.SetFont(Screen->MenuFont());
        ItemCanvas.Brush()->SetStyle(bsSolid);
        ItemCanvas.Brush()->SetColor(clMenu);
        Item->AdvancedDrawItem(&ItemCanvas, FSlots[static_cast<size_t>(I)].R, stateOf(I));
        ItemCanvas.SetHandle(nullptr);
        if (!Self) return;  // the handler freed the window and its context
        RestoreDC(DC, Saved);
    }
}

void TMenuWindow::Select(int Index, bool OpenSubMenu) {
    if (Index != FSelected) {
        FSession->closeAfter(this);
        FSelected = Index;
        Invalidate();
    }
    if (OpenSubMenu) openSubMenu();
}

void TMenuWindow::openSubMenu() {
    TMenuItem* Item = FSelected >= 0 ? SlotItem(FSelected) : nullptr;
    if (FChild || !Item || !Item->Enabled() || Item->Count() == 0) return;
    auto* Sub = new TMenuWindow(FSession, Item, FLevel + 1);
    FSession->Windows.push_back(Sub);
    FChild = Sub;
    Sub->Layout();
    if (Sub->SlotCount() == 0) {
        FSession->closeAfter(this);
        return;
    }
    Sub->ShowBeside(this, SlotScreenRect(FSelected));
}

void TMenuWindow::activateSelected() {
    TMenuItem* Item = FSelected >= 0 ? SlotItem(FSelected) : nullptr;
    if (!isSelectable(Item)) return;
    if (Item->Count() > 0) {
        openSubMenu();
        if (FChild) FChild->moveSelection(1);
        return;
    }
    if (Item->Enabled()) FSession->close(Item);
}

void TMenuWindow::moveSelection(int Step) {
    const int N = SlotCount();
    if (N == 0) return;
    int I = FSelected < 0 ? (Step > 0 ? -1 : N) : FSelected;
    for (int Tries = 0; Tries < N; ++Tries) {
        I = (I + Step + N) % N;
        if (isSelectable(SlotItem(I))) {
            Select(I, false);
            return;
        }
    }
}

void TMenuWindow::typedHotkey(Char C) {
    const Char Key = C.toUpper();
    std::vector<int> Matches;
    for (int I = 0; I < SlotCount(); ++I)
        if (isSelectable(SlotItem(I)) && hotkeyOf(SlotItem(I)->Caption()) == Key) Matches.push_back(I);
    if (Matches.empty()) return;
    if (Matches.size() == 1) {
        Select(Matches[0], false);
        activateSelected();
        return;
    }
    // Several items share the key: each press moves to the next of them.
    auto Next = std::upper_bound(Matches.begin(), Matches.end(), FSelected);
    Select(Next == Matches.end() ? Matches[0] : *Next, false);
}

bool TMenuWindow::keyDown(Word Key) {
    switch (Key) {
        case VK_DOWN:
            moveSelection(1);
            return true;
        case VK_UP:
            moveSelection(-1);
            return true;
        case VK_HOME:
            FSelected = -1;
            moveSelection(1);
            return true;
        case VK_END:
            FSelected = -1;
            moveSelection(-1);
            return true;
        case VK_RIGHT:
            openSubMenu();
            if (FChild) FChild->moveSelection(1);
            return true;
        case VK_LEFT:
            if (FLevel > 1) {
                // The window that opened this one keeps its selection and takes the keys again.
                TMenuWindow* Owner = nullptr;
                for (TMenuWindow* W : FSession->Windows)
                    if (W->Child() == this) Owner = W;
                if (Owner) FSession->closeAfter(Owner);
            }
            return true;
        case VK_RETURN:
        case VK_SPACE:
            activateSelected();
            return true;
        case VK_ESCAPE:
            if (FLevel <= 1) {
                FSession->close(nullptr);
            } else {
                for (TMenuWindow* W : FSession->Windows)
                    if (W->Child() == this) {
                        FSession->closeAfter(W);
                        break;
                    }
            }
            return true;
        case VK_MENU:
        case VK_F10:
            FSession->close(nullptr);
            return true;
        default:
            return false;
    }
}

void TMenuWindow::mouseMoved(TPoint At) {
    TMenuWindow* W = FSession->windowAt(At);
    if (!W) return;
    const int Index = W->SlotAt(W->ScreenToClient(At));
    if (Index >= 0 && isSelectable(W->SlotItem(Index)))
        W->Select(Index, true);
    else if (Index >= 0 && !W->Child())
        W->Select(-1, false);
}

void TMenuWindow::mouseReleased(TPoint At) {
    TMenuWindow* W = FSession->windowAt(At);
    if (!W) return;
    const int Index = W->SlotAt(W->ScreenToClient(At));
    TMenuItem* Item = Index >= 0 ? W->SlotItem(Index) : nullptr;
    if (!isSelectable(Item) || !Item->Enabled()) return;
    if (Item->Count() > 0) {
        W->Select(Index, true);
        return;
    }
    FSession->close(Item);
}

void TMenuWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            mouseMoved(ClientToScreen(LParamToPoint(Message.LParam)));
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The popup has the pointer: a press outside every menu window ends the menu.
            if (!FSession->windowAt(ClientToScreen(LParamToPoint(Message.LParam)))) FSession->close(nullptr);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            mouseReleased(ClientToScreen(LParamToPoint(Message.LParam)));
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (keyDown(static_cast<Word>(Message.WParam))) return;
            break;
        case WM_CHAR:
            typedHotkey(Char(static_cast<char16_t>(Message.WParam)));
            return;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTALLKEYS;
            return;
        case WM_CLOSE:
            // Qt closed the popup (a click outside it): the whole menu ends.
            FSession->close(nullptr);
            return;
        default:
            break;
    }
    TCustomControl::Dispatch(Message);
}

void TMenuSession::close(TMenuItem* Item) {
    if (Done) return;
    Done = true;
    Chosen = TWeak<TMenuItem>(Item);
    for (TMenuWindow* W : Windows) W->HideWindow();
    Loop.quit();
}

TMenuWindow* TMenuSession::windowAt(TPoint At) const {
    for (auto It = Windows.rbegin(); It != Windows.rend(); ++It) {
        TRect R;
        GetWindowRect((*It)->Handle(), &R);
        if (R.Contains(At)) return *It;
    }
    return nullptr;
}

void TMenuSession::closeAfter(TMenuWindow* Window) {
    // The windows opened from Window go, innermost first.
    auto It = std::find(Windows.begin(), Windows.end(), Window);
    if (It == Windows.end()) return;
    for (auto Last = Windows.end() - 1; Last != It; --Last) {
        (*Last)->HideWindow();
        (*Last)->Free();
    }
    Windows.erase(It + 1, Windows.end());
    Window->SetChild(nullptr);
}

TMenuWindow* menuWindowOf(HWND Wnd) { return dynamic_cast<TMenuWindow*>(FindControl(Wnd)); }

}  // namespace

TMenuItem* TrackMenuWindows(TPopupMenu* Menu, int X, int Y) {
    if (gSession || !Menu || !Menu->Items()) return nullptr;
    TMenuSession Session;
    Session.Menu = TWeak<TPopupMenu>(Menu);
    auto* First = new TMenuWindow(&Session, Menu->Items(), 1);
    Session.Windows.push_back(First);
    First->Layout();
    if (First->SlotCount() == 0) {
        First->Free();
        return nullptr;
    }
    gSession = &Session;
    First->ShowAt(X, Y, Menu->Alignment());
    if (!Session.Done) Session.Loop.exec();
    gSession = nullptr;
    for (auto It = Session.Windows.rbegin(); It != Session.Windows.rend(); ++It) (*It)->Free();
    return Session.Chosen.get();
}

void RelayoutMenuWindows(TMenu* Menu, bool Rebuild) {
    if (!gSession || gSession->Menu.get() != Menu) return;
    for (TMenuWindow* W : gSession->Windows) {
        if (Rebuild) {
            W->Layout();
            TControlAccess::applyGeometry(W);
        } else {
            W->Invalidate();
        }
    }
}

BOOL GetMenuItemRect(HWND Wnd, TMenuItem* Parent, int Position, TRect* Rect) {
    if (!gSession || !Parent || !Rect) return 0;
    TMenuWindow* Window = Wnd ? menuWindowOf(Wnd) : nullptr;
    if (!Window)
        for (TMenuWindow* W : gSession->Windows)
            if (W->ParentItem() == Parent) Window = W;
    if (!Window || Window->ParentItem() != Parent || Position < 0 || Position >= Window->SlotCount()) return 0;
    *Rect = Window->SlotScreenRect(Position);
    return 1;
}

BOOL EndMenu() {
    if (!gSession) return 0;
    gSession->close(nullptr);
    return 1;
}

HWND ActiveMenuWindow() {
    if (!gSession || gSession->Windows.empty() || gSession->Done) return nullptr;
    return gSession->Windows.back()->Handle();
}

// ---------------------------------------------------------------------------------------------
// The framework's look of an owner-drawn item without handlers

void DrawMenuItemDefault(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State) {
    const bool Selected = State.Contains(odSelected);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Selected ? clHighlight : clMenu);
    Canvas->FillRect(R);
    HDC DC = Canvas->Handle();
    if (Item->IsLine()) {
        TRect Line = Rect(R.Left + 2, R.Top + R.Height() / 2 - 1, R.Right - 2, R.Top + R.Height() / 2 + 1);
        DrawEdge(DC, &Line, EDGE_ETCHED, BF_TOP);
        return;
    }
    Canvas->Font()->SetColor(!Item->Enabled() ? clGrayText : (Selected ? clHighlightText : clMenuText));
    if (Item->Default()) Canvas->Font()->SetStyle({fsBold});
    SetBkMode(DC, TRANSPARENT);
    TRect Text = Rect(R.Left + kCheckWidth, R.Top, R.Right - kCheckWidth, R.Bottom);
    DrawText(DC, Item->Caption(), -1, Text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (Item->ShortCut() != scNone)
        DrawText(DC, ShortCutToText(Item->ShortCut()), -1, Text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (Item->Checked()) {
        TRect Mark = Rect(R.Left + 2, R.Top + (R.Height() - 12) / 2, R.Left + 14, R.Top + (R.Height() + 12) / 2);
        DrawFrameControl(DC, &Mark, DFC_BUTTON,
                         (Item->RadioItem() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_CHECKED | DFCS_FLAT);
    }
    if (Item->Count() > 0) {
        const int Y = R.Top + R.Height() / 2;
        const int X = R.Right - 8;
        for (int I = 0; I < 4; ++I) {
            Canvas->MoveTo(X + I, Y - 3 + I);
            Canvas->LineTo(X + I, Y + 4 - I);
        }
    }
}
