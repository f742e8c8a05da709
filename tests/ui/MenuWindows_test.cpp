// The framework's menu windows for owner-drawn menus: layout from the items' measures, the draw
// calls with their states, keyboard and mouse choice, sub-menus, column breaks, item rectangles,
// closing from outside, the measure requests of the popup list and the menu-animation switch.
#include "framework/ui/Menus.h"

#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/Timer.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kItemW = 120, kItemH = 20, kLineH = 8;

struct DrawCall {
    std::string Caption;
    TRect R;
    TOwnerDrawState State;
};

class MenuWindowsTest : public ::testing::Test {
protected:
    TPopupMenu Menu{nullptr};
    std::vector<std::string> Clicks;
    std::vector<DrawCall> Draws;

    void SetUp() override { Menu.SetOwnerDraw(true); }

    TMenuItem* add(TMenuItem* Parent, const char* Caption) {
        auto* Item = new TMenuItem(&Menu);
        Item->SetCaption(QString::fromUtf8(Caption));
        Item->OnMeasureItem = [Item](TObject*, TCanvas*, int& W, int& H) {
            W = kItemW;
            H = Item->IsLine() ? kLineH : kItemH;
        };
        Item->OnAdvancedDrawItem = [this, Item](TObject*, TCanvas*, const TRect& R, TOwnerDrawState S) {
            Draws.push_back({Item->Caption().toStdString(), R, S});
        };
        Item->OnClick = [this, Item](TObject*) { Clicks.push_back(Item->Caption().toStdString()); };
        Parent->Add(Item);
        return Item;
    }

    // Shows the menu at (X, Y) and runs Steps on the open menu; returns after the menu closed.
    void popupAnd(std::function<void()> Steps, int X = 100, int Y = 100) {
        bool Ran = false;
        QTimer::singleShot(0, [&] {
            Ran = true;
            Steps();
            EndMenu();  // whatever the steps left open
        });
        Menu.Popup(X, Y);
        EXPECT_TRUE(Ran);
        EXPECT_EQ(ActiveMenuWindow(), nullptr);
    }
    static void key(Word VK) {
        if (TWinControl* W = FindControl(ActiveMenuWindow())) W->Perform(WM_KEYDOWN, VK, 0);
    }
    static void typed(char16_t C) {
        if (TWinControl* W = FindControl(ActiveMenuWindow())) W->Perform(WM_CHAR, C, 0);
    }
    // Paints the window now (reading it through a window context brings it up to date).
    static void paintNow(HWND Wnd) {
        FindControl(Wnd)->Invalidate();
        ReleaseDC(Wnd, GetWindowDC(Wnd));
    }
    std::vector<std::string> drawnSelected() {
        std::vector<std::string> R;
        for (const DrawCall& D : Draws)
            if (D.State.Contains(odSelected)) R.push_back(D.Caption);
        return R;
    }
};

TEST_F(MenuWindowsTest, ItemsAreMeasuredLaidOutAndDrawnWithTheirStates) {
    add(Menu.Items(), "Open");
    add(Menu.Items(), "-");
    TMenuItem* Off = add(Menu.Items(), "Off");
    Off->SetEnabled(false);
    TMenuItem* Def = add(Menu.Items(), "Def");
    Def->SetDefault(true);
    Def->SetChecked(true);
    add(Menu.Items(), "Hidden")->SetVisible(false);
    TMenuItem* Next = add(Menu.Items(), "Next");
    Next->SetBreak(true);

    popupAnd([&] {
        HWND Wnd = ActiveMenuWindow();
        ASSERT_NE(Wnd, nullptr);
        TRect Window;
        ASSERT_TRUE(GetWindowRect(Wnd, &Window));
        EXPECT_EQ(Window.Left, 100);
        EXPECT_EQ(Window.Top, 100);
        // Two columns; a two-line frame around the items.
        EXPECT_EQ(Window.Width(), 2 * kItemW + 4);
        EXPECT_EQ(Window.Height(), 3 * kItemH + kLineH + 4);
        const struct {
            int Position;
            TRect Expected;
        } Rects[] = {
            {0, Bounds(102, 102, kItemW, kItemH)},
            {1, Bounds(102, 102 + kItemH, kItemW, kLineH)},
            {3, Bounds(102, 102 + 2 * kItemH + kLineH, kItemW, kItemH)},
            {4, Bounds(102 + kItemW, 102, kItemW, kItemH)},  // after the break
        };
        for (const auto& C : Rects) {
            TRect R;
            EXPECT_TRUE(GetMenuItemRect(nullptr, Menu.Items(), C.Position, &R)) << C.Position;
            EXPECT_EQ(R, C.Expected) << C.Position;
        }
        TRect None;
        EXPECT_FALSE(GetMenuItemRect(Wnd, Menu.Items(), 5, &None));
        EXPECT_FALSE(GetMenuItemRect(Wnd, Next, 0, &None));

        Draws.clear();
        paintNow(Wnd);
        std::map<std::string, DrawCall> ByName;
        for (const DrawCall& D : Draws) ByName[D.Caption] = D;
        EXPECT_EQ(ByName.size(), 5u);                               // the hidden item is not shown
        EXPECT_EQ(ByName["Open"].R, Bounds(0, 0, kItemW, kItemH));  // items-area coordinates
        EXPECT_TRUE(ByName["Off"].State.Contains(odDisabled));
        EXPECT_TRUE(ByName["Def"].State.Contains(odDefault));
        EXPECT_TRUE(ByName["Def"].State.Contains(odChecked));
        EXPECT_FALSE(ByName["Open"].State.Contains(odSelected));
    });
    EXPECT_TRUE(Clicks.empty());
}

// Each item gets the menu font in its context, however the items before it left theirs.
TEST_F(MenuWindowsTest, EveryItemDrawsInTheMenuFont) {
    std::vector<int> Heights;
    for (const char* Caption : {"First", "Second", "Third"}) {
        TMenuItem* Item = add(Menu.Items(), Caption);
        Item->OnAdvancedDrawItem = [&](TObject*, TCanvas* Canvas, const TRect&, TOwnerDrawState) {
            TEXTMETRICW TM{};
            GetTextMetrics(Canvas->Handle(), &TM);
            Heights.push_back(TM.tmHeight);
        };
    }
    TBitmap Scratch(1, 1);
    Scratch.Canvas()->SetFont(Screen->MenuFont());
    TEXTMETRICW Expected{};
    GetTextMetrics(Scratch.Canvas()->Handle(), &Expected);
    popupAnd([&] {
        Heights.clear();
        paintNow(ActiveMenuWindow());
    });
    EXPECT_EQ(Heights, std::vector<int>(3, Expected.tmHeight));
}

TEST_F(MenuWindowsTest, KeysAndHotkeysChoose) {
    add(Menu.Items(), "&Open");
    add(Menu.Items(), "-");
    add(Menu.Items(), "Off")->SetEnabled(false);
    add(Menu.Items(), "&Save");
    TMenuItem* More = add(Menu.Items(), "&More");
    add(More, "Inner &A");
    add(More, "Inner &B");

    // Keys as virtual keys; lower-case letters are typed characters.
    const struct {
        const char* Name;
        std::vector<Word> Keys;
        std::vector<std::string> Clicked;
    } Cases[] = {
        {"down, enter", {VK_DOWN, VK_RETURN}, {"&Open"}},
        {"past the separator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {"&Save"}},
        {"a disabled item does nothing", {VK_DOWN, VK_DOWN, VK_RETURN}, {}},
        {"up wraps to the last", {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, {"Inner &B"}},
        {"left goes back", {VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN}, {"&Save"}},
        {"hotkeys", {u'm', u'b'}, {"Inner &B"}},
        {"escape closes", {VK_DOWN, VK_ESCAPE, VK_RETURN}, {}},
    };
    for (const auto& C : Cases) {
        Clicks.clear();
        popupAnd([&] {
            for (const Word K : C.Keys) {
                if (K >= u'a' && K <= u'z')
                    typed(static_cast<char16_t>(K));
                else
                    key(K);
            }
        });
        EXPECT_EQ(Clicks, C.Clicked) << C.Name;
    }
}

TEST_F(MenuWindowsTest, ThePointerSelectsOpensAndChooses) {
    add(Menu.Items(), "One");
    TMenuItem* Sub = add(Menu.Items(), "Sub");
    add(Sub, "Deep");
    popupAnd([&] {
        TWinControl* First = FindControl(ActiveMenuWindow());
        First->Perform(WM_MOUSEMOVE, 0, PointToLParam(10, 2 + kItemH + 5));  // over "Sub": it opens
        HWND Inner = ActiveMenuWindow();
        ASSERT_NE(FindControl(Inner), First);
        TRect R;
        ASSERT_TRUE(GetMenuItemRect(Inner, Sub, 0, &R));
        EXPECT_EQ(R.Left, First->Left() + First->Width() + 2);  // beside the item, inside the frame
        Draws.clear();
        paintNow(First->Handle());
        EXPECT_EQ(drawnSelected(), std::vector<std::string>{"Sub"});
        // The release lands in the inner window: its item is chosen.
        const TPoint P = FindControl(Inner)->ScreenToClient(Point(R.Left + 5, R.Top + 5));
        FindControl(Inner)->Perform(WM_LBUTTONUP, 0, PointToLParam(P.X, P.Y));
    });
    EXPECT_EQ(Clicks, std::vector<std::string>{"Deep"});
}

TEST_F(MenuWindowsTest, ClosingFromOutsideAndOneMenuAtATime) {
    add(Menu.Items(), "One");
    bool Closed = false;
    Menu.OnClose = [&](TObject*) { Closed = true; };
    // A timer ends the menu: Popup returns and OnClose follows.
    TTimer Timer(nullptr);
    Timer.SetInterval(10);
    Timer.OnTimer = [&](TObject*) {
        Timer.SetEnabled(false);
        EXPECT_TRUE(EndMenu());
    };
    Timer.SetEnabled(true);
    Menu.Popup(50, 50);
    EXPECT_TRUE(Closed);
    EXPECT_FALSE(EndMenu());

    // A press outside the menu's windows ends it with nothing chosen; one inside does not.
    Closed = false;
    popupAnd([] {
        TWinControl* W = FindControl(ActiveMenuWindow());
        W->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
        EXPECT_NE(ActiveMenuWindow(), nullptr);
        W->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(-40, 300));
        EXPECT_EQ(ActiveMenuWindow(), nullptr);
    });
    EXPECT_TRUE(Closed);
    EXPECT_TRUE(Clicks.empty());

    TPopupMenu Other(nullptr);
    Other.SetOwnerDraw(true);
    auto* Item = new TMenuItem(&Other);
    Item->SetCaption(QStringLiteral("Other"));
    Other.Items()->Add(Item);
    bool OtherPopped = false;
    Other.OnPopup = [&](TObject*) { OtherPopped = true; };
    popupAnd([&] {
        Other.Popup(10, 10);  // returns at once: a menu is open
        EXPECT_NE(ActiveMenuWindow(), nullptr);
    });
    EXPECT_TRUE(OtherPopped);
}

TEST_F(MenuWindowsTest, AnItemMayFreeTheMenuInItsClick) {
    auto* Owned = new TPopupMenu(nullptr);
    Owned->SetOwnerDraw(true);
    auto* Item = new TMenuItem(Owned);
    Item->SetCaption(QStringLiteral("Free"));
    Item->OnClick = [Owned](TObject*) { Owned->Free(); };
    Owned->Items()->Add(Item);
    QTimer::singleShot(0, [] {
        key(VK_DOWN);
        key(VK_RETURN);
    });
    Owned->Popup(20, 20);  // returns without touching the freed menu
    EXPECT_EQ(ActiveMenuWindow(), nullptr);
}

TEST_F(MenuWindowsTest, ItemsWithoutHandlersTakeTheFrameworksMeasureAndLook) {
    auto* Plain = new TMenuItem(&Menu);
    Plain->SetCaption(QStringLiteral("Plain item"));
    Menu.Items()->Add(Plain);
    popupAnd([&] {
        TRect R;
        ASSERT_TRUE(GetMenuItemRect(nullptr, Menu.Items(), 0, &R));
        EXPECT_GT(R.Width(), Screen->MenuFont()->Size());
        EXPECT_GE(R.Height(), 19);
    });
}

TEST(MenuItemsByCommand, CommandsAreUniqueAndThePopupListMeasures) {
    TPopupMenu Menu(nullptr);
    auto* A = new TMenuItem(&Menu);
    auto* B = new TMenuItem(&Menu);
    Menu.Items()->Add(A);
    Menu.Items()->Add(B);
    EXPECT_NE(A->Command(), 0);
    EXPECT_NE(A->Command(), B->Command());
    EXPECT_EQ(Menu.FindItem(B->Command()), B);
    EXPECT_EQ(FindMenuItemByCommand(A->Command()), A);
    TPopupMenu Other(nullptr);
    EXPECT_EQ(Other.FindItem(A->Command()), nullptr);

    B->OnMeasureItem = [](TObject*, TCanvas* C, int& W, int& H) {
        W += C->TextWidth(QStringLiteral("x")) > 0 ? 5 : 0;
        H *= 2;
    };
    MEASUREITEMSTRUCT M;
    M.CtlType = ODT_MENU;
    M.itemID = B->Command();
    M.itemWidth = 10;
    M.itemHeight = 10;
    EXPECT_EQ(SendMessage(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&M)), 1);
    EXPECT_EQ(M.itemWidth, 15u);
    EXPECT_EQ(M.itemHeight, 20u);
    const Word Gone = A->Command();
    A->Free();
    EXPECT_EQ(FindMenuItemByCommand(Gone), nullptr);
}

TEST(MenuAnimation, IsTheProgramsOwnSwitch) {
    BOOL Before = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETMENUANIMATION, 0, &Before, 0));
    static int On = 1;
    EXPECT_TRUE(SystemParametersInfo(SPI_SETMENUANIMATION, 0, &On, SPIF_SENDCHANGE));
    BOOL Now = 0;
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &Now, 0);
    EXPECT_TRUE(Now);
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, SPIF_SENDCHANGE);
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &Now, 0);
    EXPECT_FALSE(Now);
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, Before ? &On : nullptr, 0);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETMENUANIMATION, 0, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &Now, 0));
}

TEST(ScreenMenuFont, FollowsThePlatformGeneration) {
    TPlatformFactsScope Facts;
    const struct {
        DWORD Major;
        const char* Name;
        int Size;
    } Cases[] = {{10, "Segoe UI", 9}, {6, "Segoe UI", 9}, {5, "Tahoma", 8}};
    for (const auto& C : Cases) {
        PlatformFacts().MajorVersion = C.Major;
        EXPECT_EQ(Screen->MenuFont()->Name(), QString::fromLatin1(C.Name)) << C.Major;
        EXPECT_EQ(Screen->MenuFont()->Size(), C.Size) << C.Major;
    }
}

}  // namespace
