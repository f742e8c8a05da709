// TAdvPopupMenu: item handlers and updates, the styler it falls back to, its version, where a
// popup opens, closing, and the main window's menu in the Office 2003 blue look, shown in the
// framework's menu windows and read back pixel by pixel.
#include "components/controls/AdvMenus.h"

#include "components/controls/AdvOfficeMenuStyler.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/Timer.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace advmenu;

namespace {

TMenuItem* addItem(TMenu* Menu, const String& Caption, std::vector<std::string>* Log = nullptr) {
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption(Caption);
    if (Log) Item->OnClick = [Log, Item](TObject*) { Log->push_back(Item->Caption().toStdString()); };
    Menu->Items()->Add(Item);
    return Item;
}

// Records where the runner was asked to show the menu, and shows nothing.
class RecordingRunner {
public:
    RecordingRunner() {
        FOld = SetMenuRunner([this](TPopupMenu*, int X, int Y) {
            Where = Point(X, Y);
            ++Shown;
            return static_cast<TMenuItem*>(nullptr);
        });
    }
    ~RecordingRunner() { SetMenuRunner(FOld); }
    TPoint Where;
    int Shown = 0;

private:
    TMenuRunner FOld;
};

bool near(TColor A, TColor B, int Tolerance = 12) {
    return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
           std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}

TEST(AdvPopupMenu, ItemsKeepTheirOwnHandlersAndUpdatesInstallOnce) {
    TAdvPopupMenu Menu(nullptr);
    EXPECT_TRUE(Menu.OwnerDraw());
    TMenuItem* Plain = addItem(&Menu, QStringLiteral("Plain"));
    EXPECT_TRUE(Plain->OnMeasureItem && Plain->OnAdvancedDrawItem);

    auto* Own = new TMenuItem(&Menu);
    Own->SetCaption(QStringLiteral("Own"));
    int Measured = 0;
    Own->OnMeasureItem = [&](TObject*, TCanvas*, int& W, int& H) {
        ++Measured;
        W = 77;
        H = 11;
    };
    Own->OnDrawItem = [](TObject*, TCanvas*, const TRect&, bool) {};
    Menu.Items()->Add(Own);
    EXPECT_FALSE(Own->OnAdvancedDrawItem);  // its OnDrawItem paints it
    int W = 0, H = 0;
    Own->MeasureItem(nullptr, W, H);
    EXPECT_EQ(Measured, 1);
    EXPECT_EQ(W, 77);

    Menu.BeginUpdate();
    Menu.BeginUpdate();
    TMenuItem* Late = addItem(&Menu, QStringLiteral("Late"));
    TMenuItem* Sub = addItem(&Menu, QStringLiteral("Sub"));
    auto* Deep = new TMenuItem(&Menu);
    Sub->Add(Deep);
    EXPECT_FALSE(Late->OnAdvancedDrawItem);
    Menu.EndUpdate();
    EXPECT_TRUE(Menu.MenuUpdating());
    EXPECT_FALSE(Late->OnAdvancedDrawItem);
    Menu.EndUpdate();
    EXPECT_FALSE(Menu.MenuUpdating());
    EXPECT_TRUE(Late->OnAdvancedDrawItem && Deep->OnAdvancedDrawItem && Deep->OnMeasureItem);
    Menu.EndUpdate();  // one too many: nothing breaks
    EXPECT_FALSE(Menu.MenuUpdating());

    // With DirectUpdate the handlers come at once, even while updating.
    Menu.SetDirectUpdate(true);
    Menu.BeginUpdate();
    TMenuItem* Direct = addItem(&Menu, QStringLiteral("Direct"));
    EXPECT_TRUE(Direct->OnAdvancedDrawItem);
    Menu.EndUpdate();
}

TEST(AdvPopupMenu, FreeingTheFormsStylerBringsBackADefaultOne) {
    TComponent Form(nullptr);
    TAdvPopupMenu Menu(&Form);
    TCustomAdvMenuStyler* Internal = Menu.CurrentMenuStyler();
    ASSERT_NE(Internal, nullptr);
    EXPECT_EQ(Internal->Name(), QStringLiteral("InternalMenuStyler"));
    EXPECT_EQ(Menu.MenuStyler(), nullptr);

    auto* Office = new TAdvMenuOfficeStyler(&Form);
    Menu.SetMenuStyler(Office);
    EXPECT_EQ(Menu.CurrentMenuStyler(), Office);
    EXPECT_EQ(Office->Menu(), &Menu);
    EXPECT_EQ(Office->MenuBorderColor(), 0x962D00);

    Office->Free();
    EXPECT_EQ(Menu.MenuStyler(), nullptr);
    TCustomAdvMenuStyler* Fresh = Menu.CurrentMenuStyler();
    ASSERT_NE(Fresh, nullptr);
    EXPECT_EQ(Fresh->Name(), QStringLiteral("InternalMenuStyler"));
    EXPECT_EQ(Fresh->MenuBorderColor(), 0x7C7C94);
    EXPECT_EQ(Fresh->Menu(), &Menu);

    // A styler that outlives the menu forgets it.
    auto* Kept = new TAdvMenuOfficeStyler(&Form);
    {
        TAdvPopupMenu Short(nullptr);
        Short.SetMenuStyler(Kept);
    }
    EXPECT_EQ(Kept->Menu(), nullptr);
}

TEST(AdvPopupMenu, VersionAndDefaults) {
    TAdvPopupMenu Menu(nullptr);
    EXPECT_EQ(Menu.Version(), QStringLiteral("2.6.2.1"));
    Menu.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(Menu.Version(), QStringLiteral("2.6.2.1"));
    EXPECT_EQ(Menu.GetVersionNr(), 33948161);
    EXPECT_TRUE(Menu.ShowNotes());
    EXPECT_FALSE(Menu.IntlKeybShortCuts());
    EXPECT_EQ(Menu.Opacity(), 255);
    EXPECT_EQ(Menu.ActionImages(), aiNormal);
    EXPECT_EQ(GetAdvMenuIntf(&Menu), static_cast<IAdvMenu*>(&Menu));
    TMenuItem* Item = addItem(&Menu, QStringLiteral("x"));
    EXPECT_EQ(MenuOfItem(Item), &Menu);
    EXPECT_EQ(MenuOfItem(Menu.Items()), &Menu);
    EXPECT_EQ(GetItemAdvMenuIntf(Item), static_cast<IAdvMenu*>(&Menu));
    EXPECT_EQ(MenuOfItem(nullptr), nullptr);
}

TEST(AdvPopupMenu, WhereThePopupOpens) {
    Screen->SetSize(1000, 800);
    TAdvPopupMenu Menu(nullptr);
    addItem(&Menu, QStringLiteral("Open"));
    const struct {
        const char* Name;
        TPopupAlignment Align;
        int X, Shown;
    } Cases[] = {
        {"left, far from the right edge", paLeft, 10, 10},
        {"left, near the right edge", paLeft, 900, 917},
        {"right, room on the left", paRight, 500, 517},
        {"right, at the left edge", paRight, 50, 50},
        {"centre", paCenter, 500, 508},
        {"beyond the desktop", paLeft, 5000, 999},
    };
    for (const auto& C : Cases) {
        RecordingRunner Runner;
        Menu.SetAlignment(C.Align);
        Menu.Popup(C.X, 40);
        EXPECT_EQ(Runner.Where, Point(C.Shown, 40)) << C.Name;
    }
    Screen->ResetOverrides();
}

TEST(AdvPopupMenu, CloseFollowsAClosedPopupOnly) {
    TAdvPopupMenu Menu(nullptr);
    int Closed = 0;
    Menu.OnClose = [&](TObject*) { ++Closed; };
    {
        RecordingRunner Runner;
        Menu.Popup(10, 10);
        EXPECT_EQ(Runner.Shown, 1);  // the framework's popup runs, the engine does nothing
    }
    EXPECT_EQ(Closed, 0);

    addItem(&Menu, QStringLiteral("One"));
    TTimer Timer(nullptr);
    Timer.SetInterval(10);
    Timer.OnTimer = [&](TObject*) {
        Timer.SetEnabled(false);
        EXPECT_NE(ActiveMenuWindow(), nullptr);
        EndMenu();
    };
    Timer.SetEnabled(true);
    Menu.Popup(10, 10);
    EXPECT_EQ(Closed, 1);
}

TEST(AdvPopupMenu, MenuAnimationIsOffFromStartUp) {
    BOOL On = 1;
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &On, 0);
    EXPECT_FALSE(On);
    RestoreMenuAnimation();  // what it was before the program started
    DisableMenuAnimation();
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &On, 0);
    EXPECT_FALSE(On);
}

// The main window's menu: six items, the Office 2003 blue look with a green selection.
class MainWindowMenu : public ::testing::Test {
protected:
    std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
    TAdvPopupMenu* Menu = new TAdvPopupMenu(Form.get());
    TAdvMenuOfficeStyler* Styler = new TAdvMenuOfficeStyler(Form.get());
    std::vector<std::string> Clicks;

    void SetUp() override {
        Styler->SetStyle(osOffice2003Blue);
        Styler->SelectedItem()->SetColor(0xC0DCC0);
        Menu->SetMenuStyler(Styler);
        for (const char* Caption : {"Start Download\\nthe selected entry", "Stop Download", "Video Info",
                                    "Remove Entry", "Play Video", "Open Video"})
            addItem(Menu, QString::fromUtf8(Caption), &Clicks);
        Menu->Items()->Items(2)->SetDefault(true);
    }

    // Runs Steps while the menu is open, then closes it if the steps did not.
    void whileShown(const std::function<void()>& Steps) {
        QTimer::singleShot(0, [&] {
            Steps();
            EndMenu();
        });
        Menu->Popup(100, 100);
    }
    static void key(Word VK) { FindControl(ActiveMenuWindow())->Perform(WM_KEYDOWN, VK, 0); }
    // Dark pixels of an item's text as the open menu shows it.
    int inkOfItem(int Index) {
        int Ink = 0;
        whileShown([&] {
            HWND Wnd = ActiveMenuWindow();
            TRect R, Item;
            GetWindowRect(Wnd, &R);
            GetMenuItemRect(Wnd, Menu->Items(), Index, &Item);
            HDC DC = GetWindowDC(Wnd);
            for (int Y = Item.Top - R.Top; Y < Item.Bottom - R.Top; ++Y)
                for (int X = Item.Left - R.Left; X < Item.Right - R.Left; ++X)
                    if (GetRValue(static_cast<TColor>(GetPixel(DC, X, Y))) < 0x60) ++Ink;
            ReleaseDC(Wnd, DC);
        });
        return Ink;
    }
};

TEST_F(MainWindowMenu, ShowsTheOfficeLook) {
    whileShown([&] {
        key(VK_DOWN);
        HWND Wnd = ActiveMenuWindow();
        TRect R;
        ASSERT_TRUE(GetWindowRect(Wnd, &R));
        TRect First, Fourth;
        ASSERT_TRUE(GetMenuItemRect(Wnd, Menu->Items(), 0, &First));
        ASSERT_TRUE(GetMenuItemRect(Wnd, Menu->Items(), 3, &Fourth));
        const int W = R.Width();
        const int Size = Styler->IconBar()->Size();
        const auto local = [&](const TRect& S) {
            return Rect(S.Left - R.Left, S.Top - R.Top, S.Right - R.Left, S.Bottom - R.Top);
        };
        const TRect Row = local(First), Plain = local(Fourth);
        EXPECT_GT(Row.Height(), Plain.Height());  // the notes line

        HDC DC = GetWindowDC(Wnd);
        const auto px = [&](int X, int Y) { return static_cast<TColor>(GetPixel(DC, X, Y)); };
        EXPECT_EQ(px(0, R.Height() / 2), 0x962D00);  // the frame
        EXPECT_EQ(px(W / 2, 0), 0x962D00);
        EXPECT_TRUE(near(px(2, Plain.Top + 3), 0xFFEFE3)) << std::hex << px(2, Plain.Top + 3);
        EXPECT_TRUE(near(px(2 + Size - 3, Plain.Top + 3), 0xE4AD87, 30)) << std::hex << px(2 + Size - 3, Plain.Top + 3);
        // The selected first row: green inside, a border in $800000.
        EXPECT_EQ(px(W - 8, Row.Top + 2), 0xC0DCC0);
        EXPECT_EQ(px(W - 3, Row.Top + Row.Height() / 2), 0x800000);
        // The notes line is written in the lower half of the first row.
        int NotesInk = 0;
        for (int X = 2 + Size; X < W - 10; ++X)
            for (int Y = Row.Top + Row.Height() / 2 + 2; Y < Row.Bottom - 1; ++Y)
                if (GetRValue(px(X, Y)) < 0x90) ++NotesInk;
        ReleaseDC(Wnd, DC);
        EXPECT_GT(NotesInk, 20);
    });
    // The default item is written in bold: more ink than the same caption in a plain item.
    const int Bold = inkOfItem(2);
    Menu->Items()->Items(2)->SetDefault(false);
    EXPECT_GT(Bold * 10, inkOfItem(2) * 11);
}

TEST_F(MainWindowMenu, DownAndEnterRunTheItem) {
    whileShown([] {
        key(VK_DOWN);
        key(VK_DOWN);
        key(VK_RETURN);
    });
    EXPECT_EQ(Clicks, std::vector<std::string>{"Stop Download"});

    // An item that frees the menu: Popup returns and no OnClose comes from the freed menu.
    int Closed = 0;
    Menu->OnClose = [&](TObject*) { ++Closed; };
    TAdvPopupMenu* Doomed = Menu;
    Menu->Items()->Items(0)->OnClick = [Doomed](TObject*) { Doomed->Free(); };
    whileShown([] {
        key(VK_DOWN);
        key(VK_RETURN);
    });
    EXPECT_EQ(Closed, 0);
    EXPECT_EQ(Styler->Menu(), nullptr);
}

}  // namespace
