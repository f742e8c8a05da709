// Menu items, menus, popup menus and the menu runner; shortcut names.
#include "framework/ui/Menus.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/MenuWindows.h"
#include "framework/ui/PlatformFacts.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <algorithm>
#include <map>

// ---------------------------------------------------------------------------------------------
// Shortcuts

namespace {

struct KeyName {
    Word Key;
    const char* Name;
};

// Keys whose names are not their characters; letters, digits and F-keys are computed.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},      {VK_TAB, "Tab"},     {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},   {VK_END, "End"},        {VK_HOME, "Home"},     {VK_LEFT, "Left"},
    {VK_UP, "Up"},          {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},      {VK_INSERT, "Ins"},    {VK_DELETE, "Del"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ."}, {VK_DIVIDE, "Num /"},
};

struct ModifierName {
    TShortCut Flag;
    const char* Name;
};

// In the order they are written.
constexpr ModifierName kModifiers[] = {
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
};

String keyName(Word Key) {
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(QChar(Key));
    if (Key >= VK_F1 && Key <= VK_F24) return QStringLiteral("F%1").arg(Key - VK_F1 + 1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return QStringLiteral("Num %1").arg(Key - VK_NUMPAD0);
    for (const KeyName& K : kKeyNames)
        if (K.Key == Key) return QString::fromLatin1(K.Name);
    return {};
}

// Every live item by its Command.
std::map<Word, TMenuItem*>& itemsByCommand() {
    static std::map<Word, TMenuItem*> Items;
    return Items;
}

Word newCommand(TMenuItem* Item) {
    static Word Next = 0;
    auto& Items = itemsByCommand();
    if (Items.size() >= 65535) return 0;
    do {
        ++Next;
    } while (Next == 0 || Items.count(Next));
    Items[Next] = Item;
    return Next;
}

bool gMenuAnimation = true;
bool gMenuAnimationRead = false;

TMenuRunner& menuRunner() {
    static TMenuRunner Runner;
    return Runner;
}

// The default runner: a Qt menu built from the visible items, shown until it closes.
void fillQMenu(QMenu* Menu, TMenuItem* Parent, TCustomImageList* Images, std::map<QAction*, TWeak<TMenuItem>>& Map) {
    for (int I = 0; I < Parent->Count(); ++I) {
        TMenuItem* Item = Parent->Items(I);
        if (!Item->Visible()) continue;
        if (Item->IsLine()) {
            Menu->addSeparator();
            continue;
        }
        QAction* Action = nullptr;
        if (Item->Count() > 0) {
            QMenu* Sub = Menu->addMenu(Item->Caption());
            fillQMenu(Sub, Item, Images, Map);
            Action = Sub->menuAction();
        } else {
            Action = Menu->addAction(Item->Caption());
            Action->setShortcut(QKeySequence(ShortCutToText(Item->ShortCut())));
        }
        Action->setEnabled(Item->Enabled());
        Action->setCheckable(Item->Checked() || Item->AutoCheck() || Item->RadioItem());
        Action->setChecked(Item->Checked());
        if (Item->Default()) {
            QFont F = Action->font();
            F.setBold(true);
            Action->setFont(F);
        }
        if (Images && Item->ImageIndex() >= 0 && Item->ImageIndex() < Images->Count()) {
            TBitmap Glyph;
            Images->GetBitmap(Item->ImageIndex(), &Glyph);
            Action->setIcon(QIcon(QPixmap::fromImage(*BitmapQImage(&Glyph))));
        } else if (Item->HasBitmap()) {
            Action->setIcon(QIcon(QPixmap::fromImage(*BitmapQImage(Item->Bitmap()))));
        }
        Map[Action] = TWeak<TMenuItem>(Item);
    }
}

TMenuItem* runQMenu(TPopupMenu* Menu, int X, int Y) {
    QMenu Popup;
    std::map<QAction*, TWeak<TMenuItem>> Map;
    fillQMenu(&Popup, Menu->Items(), Menu->Images(), Map);
    if (Popup.isEmpty()) return nullptr;
    QPoint At(X, Y);
    const int W = Popup.sizeHint().width();
    if (Menu->Alignment() == paRight) At.rx() -= W;
    if (Menu->Alignment() == paCenter) At.rx() -= W / 2;
    QAction* Chosen = Popup.exec(At);
    auto It = Map.find(Chosen);
    return It == Map.end() ? nullptr : It->second.get();
}

void showControlPopup(TPopupMenu* Menu, TControl* Control, int X, int Y) {
    if (!Menu || !Menu->AutoPopup()) return;
    if (X == -1 && Y == -1) {
        // From the keyboard: the middle of the control.
        const TPoint P = Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2});
        X = P.X;
        Y = P.Y;
    }
    Menu->SetPopupComponent(Control);
    Menu->Popup(X, Y);
}

bool inTree(TMenuItem* Root, TMenuItem* Item) {
    for (TMenuItem* P = Item; P; P = P->Parent())
        if (P == Root) return true;
    return false;
}

}  // namespace

String StripHotkey(const String& Caption) {
    String Result;
    for (int I = 0; I < Caption.size(); ++I) {
        if (Caption[I] == u'&' && I + 1 < Caption.size()) ++I;
        Result += Caption[I];
    }
    return Result;
}

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xF000) return scNone;
    TShortCut Result = Key;
    if (Shift.Contains(ssShift)) Result |= scShift;
    if (Shift.Contains(ssCtrl)) Result |= scCtrl;
    if (Shift.Contains(ssAlt)) Result |= scAlt;
    return Result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
    Key = ShortCut & 0x0FFF;
    Shift = {};
    if (ShortCut & scShift) Shift.Include(ssShift);
    if (ShortCut & scCtrl) Shift.Include(ssCtrl);
    if (ShortCut & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut ShortCut) {
    const String Name = keyName(ShortCut & 0x0FFF);
    if (Name.isEmpty()) return {};
    String Result;
    for (const ModifierName& M : kModifiers)
        if (ShortCut & M.Flag) Result += QString::fromLatin1(M.Name);
    return Result + Name;
}

TShortCut TextToShortCut(const String& Text) {
    String Rest = Text.trimmed();
    TShortCut Flags = 0;
    for (bool Found = true; Found;) {
        Found = false;
        for (const ModifierName& M : kModifiers) {
            const String Prefix = QString::fromLatin1(M.Name);
            if (Rest.startsWith(Prefix, Qt::CaseInsensitive) && Rest.size() > Prefix.size()) {
                Flags |= M.Flag;
                Rest = Rest.mid(Prefix.size());
                Found = true;
            }
        }
    }
    for (int Key = 1; Key < 0x100; ++Key)
        if (const String Name = keyName(static_cast<Word>(Key));
            !Name.isEmpty() && Name.compare(Rest, Qt::CaseInsensitive) == 0)
            return static_cast<TShortCut>(Key | Flags);
    return scNone;
}

TMenuRunner SetMenuRunner(TMenuRunner Runner) {
    TMenuRunner Old = std::move(menuRunner());
    menuRunner() = std::move(Runner);
    return Old;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(newCommand(this)) {}

TMenuItem::~TMenuItem() {
    tearDownItem();
    if (FCommand) itemsByCommand().erase(FCommand);
}

void TMenuItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    tearDownItem();
}

void TMenuItem::tearDownItem() {
    if (FTornDownItem) return;
    FTornDownItem = true;
    // Sub-items go with their parent, whoever owns them.
    while (!FItems.empty()) {
        TMenuItem* Item = FItems.back();
        FItems.pop_back();
        Item->FParent = nullptr;
        Item->Free();
    }
    if (FParent) FParent->Remove(this);
}

void TMenuItem::changed() {
    if (FTornDownItem) return;
    TMenu* Menu = GetParentMenu();
    if (Menu && !Menu->ComponentState().Contains(csDestroying)) Menu->MenuChanged(this, this, true);
}

void TMenuItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    changed();
}

void TMenuItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    changed();
}

void TMenuItem::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    changed();
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) uncheckSiblings();
    changed();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (Value && FChecked) uncheckSiblings();
    changed();
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FRadioItem && FChecked) uncheckSiblings();
    changed();
}

void TMenuItem::uncheckSiblings() {
    if (!FParent) return;
    for (TMenuItem* Item : FParent->FItems)
        if (Item != this && Item->FRadioItem && Item->FGroupIndex == FGroupIndex) Item->FChecked = false;
}

void TMenuItem::SetDefault(bool Value) {
    if (FDefault == Value) return;
    // One default item per menu level.
    if (Value && FParent)
        for (TMenuItem* Item : FParent->FItems) Item->FDefault = false;
    FDefault = Value;
    changed();
}

void TMenuItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    changed();
}

TBitmap* TMenuItem::Bitmap() {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
    Bitmap()->Assign(Value);
    changed();
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

void TMenuItem::SetShortCut(TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    changed();
}

void TMenuItem::SetBreak(bool Value) {
    if (FBreak == Value) return;
    FBreak = Value;
    changed();
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError(QStringLiteral("Menu index out of range (%1)").arg(Index));
    return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
    if (!FParent) return;
    TMenuItem* P = FParent;
    Value = std::clamp(Value, 0, P->Count() - 1);
    if (Value == MenuIndex()) return;
    P->Remove(this);
    P->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* Item = this;
    while (Item->FParent) Item = Item->FParent;
    return Item->FMenu;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) throw EMenuError(QStringLiteral("Cannot insert a missing menu item"));
    if (Index < 0 || Index > Count()) throw EMenuError(QStringLiteral("Menu index out of range (%1)").arg(Index));
    for (TMenuItem* P = this; P; P = P->FParent)
        if (P == Item) throw EMenuError(QStringLiteral("A menu item cannot hold itself or its parents"));
    if (Item->FParent) throw EMenuError(QStringLiteral("Menu item '%1' is already in a menu").arg(Item->Caption()));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    changed();
}

void TMenuItem::Delete(int Index) {
    TMenuItem* Item = Items(Index);
    Remove(Item);
    Item->Free();
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end()) throw EMenuError(QStringLiteral("Menu item not found"));
    FItems.erase(It);
    Item->FParent = nullptr;
    changed();
}

void TMenuItem::Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(TMenuItem* Item) const {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
    const String Wanted = StripHotkey(ACaption);
    for (TMenuItem* Item : FItems)
        if (StripHotkey(Item->FCaption).compare(Wanted, Qt::CaseInsensitive) == 0) return Item;
    return nullptr;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    const TWeak<TMenuItem> Self(this);
    if (FAutoCheck) SetChecked(!FChecked || FRadioItem);
    if (Self && OnClick) FireEvent(OnClick, this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    if (OnMeasureItem) FireEvent(OnMeasureItem, this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
    if (OnAdvancedDrawItem)
        FireEvent(OnAdvancedDrawItem, this, ACanvas, ARect, State);
    else if (OnDrawItem)
        FireEvent(OnDrawItem, this, ACanvas, ARect, State.Contains(odSelected));
    else
        DrawMenuItemDefault(this, ACanvas, ARect, State);
}

// ---------------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
    FItems = new TMenuItem(this);
    FItems->FMenu = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    SetImages(nullptr);
    TComponent::BeforeDestruction();
    FItems = nullptr;
}

void TMenu::SetOwnerDraw(bool Value) {
    if (FOwnerDraw == Value) return;
    FOwnerDraw = Value;
    MenuChanged(this, nullptr, true);
}

void TMenu::MenuChanged(TObject*, TMenuItem*, bool Rebuild) { RelayoutMenuWindows(this, Rebuild); }

void TMenu::UpdateItems() { RelayoutMenuWindows(this, true); }

void TMenu::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
    if (Operation == opRemove && AComponent == FItems) FItems = nullptr;
}

namespace {

TMenuItem* findShortCut(TMenuItem* Parent, TShortCut Value) {
    for (int I = 0; I < Parent->Count(); ++I) {
        TMenuItem* Item = Parent->Items(I);
        if (Item->ShortCut() == Value) return Item;
        if (TMenuItem* Found = findShortCut(Item, Value)) return Found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut Value) const {
    if (Value == scNone || !FItems) return nullptr;
    return findShortCut(FItems, Value);
}

TMenuItem* TMenu::FindItem(Word Command) const {
    TMenuItem* Item = FindMenuItemByCommand(Command);
    return Item && Item != FItems && FItems && Item->GetParentMenu() == this ? Item : nullptr;
}

bool TMenu::IsShortCut(TShortCut Value) {
    TMenuItem* Item = FindItemByShortCut(Value);
    if (!Item || !Item->Enabled() || !Item->Visible()) return false;
    Item->Click();
    return true;
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { ShowPopupMenuHook = showControlPopup; }

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    const TWeak<TPopupMenu> Self(this);
    FPopupPoint = {X, Y};
    DoPopup(this);
    if (!Self) return;
    if (ActiveMenuWindow()) return;  // one menu at a time
    const TMenuRunner Runner = menuRunner();
    TMenuItem* Picked = nullptr;
    if (Runner)
        Picked = Runner(this, X, Y);
    else if (OwnerDraw())
        Picked = TrackMenuWindows(this, X, Y);
    else
        Picked = runQMenu(this, X, Y);
    TWeak<TMenuItem> Chosen(Picked);
    if (!Self) return;
    if (OnClose) OnClose(this);
    // The chosen command runs after the menu has closed; only a plain item of this menu counts.
    TMenuItem* Item = Chosen.get();
    if (!Self || !Item || !Items() || !inTree(Items(), Item) || Item == Items()) return;
    if (Item->IsLine() || !Item->Visible() || Item->Count() > 0) return;
    Item->Click();
}

// ---------------------------------------------------------------------------------------------
// Items by command, the popup list, menu animation

TMenuItem* FindMenuItemByCommand(Word Command) {
    const auto& Items = itemsByCommand();
    const auto It = Items.find(Command);
    return It == Items.end() ? nullptr : It->second;
}

namespace {

// Never shown: it answers the measure requests of menu items.
class TPopupListWindow : public TWinControl {
public:
    TPopupListWindow() : TWinControl(nullptr) { SetVisible(false); }

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg != WM_MEASUREITEM) return TWinControl::Dispatch(Message);
        auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        TMenuItem* Item = M && M->CtlType == ODT_MENU ? FindMenuItemByCommand(static_cast<Word>(M->itemID)) : nullptr;
        if (!Item) return;
        TBitmap Scratch(1, 1);
        Scratch.Canvas()->SetFont(Screen->MenuFont());
        int W = static_cast<int>(M->itemWidth), H = static_cast<int>(M->itemHeight);
        Item->MeasureItem(Scratch.Canvas(), W, H);
        M->itemWidth = static_cast<UINT>(std::max(0, W));
        M->itemHeight = static_cast<UINT>(std::max(0, H));
        Message.Result = 1;
    }
};

}  // namespace

TPopupList PopupList;

HWND TPopupList::Window() {
    static TPopupListWindow* List = nullptr;
    if (!List) List = new TPopupListWindow();
    return List->Handle();
}

BOOL SystemParametersInfo(UINT Action, UINT, void* PvParam, UINT) {
    // The program's own switch, started from what Qt reads from the desktop; the desktop's
    // setting is never written, so nothing outlives the program.
    if (!gMenuAnimationRead && qApp) {
        gMenuAnimation = QApplication::isEffectEnabled(Qt::UI_AnimateMenu);
        gMenuAnimationRead = true;
    }
    switch (Action) {
        case SPI_GETMENUANIMATION:
            if (!PvParam) return 0;
            *static_cast<BOOL*>(PvParam) = gMenuAnimation ? 1 : 0;
            return 1;
        case SPI_GETWHEELSCROLLLINES:
            if (!PvParam) return 0;
            *static_cast<UINT*>(PvParam) = static_cast<UINT>(PlatformFacts().WheelScrollLines);
            return 1;
        case SPI_SETMENUANIMATION:
            gMenuAnimation = PvParam != nullptr;
            gMenuAnimationRead = true;
            if (qApp) QApplication::setEffectEnabled(Qt::UI_AnimateMenu, gMenuAnimation);
            return 1;
        default:
            return 0;
    }
}
