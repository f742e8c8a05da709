#include "framework/ui/Menus.h"

#include <gtest/gtest.h>

namespace {

// Installs a runner that picks the item with the given caption, and restores the old one.
class PickingRunner {
public:
    explicit PickingRunner(String Caption) {
        FOld = SetMenuRunner([this, Caption](TPopupMenu* Menu, int X, int Y) {
            Shown = true;
            Where = {X, Y};
            return Menu->Items()->Find(Caption);
        });
    }
    ~PickingRunner() { SetMenuRunner(FOld); }
    bool Shown = false;
    TPoint Where;

private:
    TMenuRunner FOld;
};

TMenuItem* addItem(TMenu* Menu, const char* Caption, std::vector<String>* Log) {
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption(QString::fromLatin1(Caption));
    Item->OnClick = [Log, Item](TObject* Sender) {
        EXPECT_EQ(Sender, Item);
        Log->push_back(Item->Caption());
    };
    Menu->Items()->Add(Item);
    return Item;
}

TEST(PopupMenu, TheRunnersChoiceIsClickedAfterOnPopup) {
    std::vector<String> Log;
    TPopupMenu Menu(nullptr);
    Menu.OnPopup = [&](TObject*) { Log.push_back(QStringLiteral("popup")); };
    addItem(&Menu, "&Open", &Log);
    addItem(&Menu, "-", &Log);
    addItem(&Menu, "Close", &Log)->SetEnabled(false);

    struct Case {
        const char* Pick;
        std::vector<const char*> Expected;
    };
    const Case Cases[] = {
        {"Open", {"popup", "&Open"}},
        {"Close", {"popup"}},  // disabled
        {"-", {"popup"}},      // a separator is no command
        {"Missing", {"popup"}},
    };
    for (const Case& C : Cases) {
        Log.clear();
        PickingRunner Runner(QString::fromLatin1(C.Pick));
        Menu.Popup(30, 40);
        EXPECT_TRUE(Runner.Shown);
        EXPECT_EQ(Runner.Where, (TPoint{30, 40}));
        std::vector<String> Expected;
        for (const char* E : C.Expected) Expected.push_back(QString::fromLatin1(E));
        EXPECT_EQ(Log, Expected) << C.Pick;
    }
    EXPECT_TRUE(Menu.Items()->Items(1)->IsLine());
}

TEST(PopupMenu, AnItemFreedByOnPopupIsNotClicked) {
    std::vector<String> Log;
    TPopupMenu Menu(nullptr);
    TMenuItem* Open = addItem(&Menu, "Open", &Log);
    Menu.OnPopup = [&](TObject*) { Open->Free(); };
    PickingRunner Runner(QStringLiteral("Open"));
    Menu.Popup(0, 0);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Menu.Items()->Count(), 0);
}

TEST(MenuItem, TreeOperationsAndRadioGroups) {
    TPopupMenu Menu(nullptr);
    auto* A = new TMenuItem(nullptr);
    auto* B = new TMenuItem(nullptr);
    auto* Sub = new TMenuItem(nullptr);
    A->SetCaption(QStringLiteral("A"));
    B->SetCaption(QStringLiteral("B"));
    Menu.Items()->Add(A);
    Menu.Items()->Insert(0, B);
    A->Add(Sub);
    EXPECT_EQ(A->MenuIndex(), 1);
    EXPECT_EQ(Sub->Parent(), A);
    EXPECT_EQ(Sub->GetParentMenu(), &Menu);
    EXPECT_THROW(Sub->Add(A), EMenuError) << "a cycle";
    EXPECT_THROW(Menu.Items()->Items(5), EMenuError);

    for (TMenuItem* I : {A, B}) {
        I->SetRadioItem(true);
        I->SetGroupIndex(1);
    }
    A->SetChecked(true);
    B->SetChecked(true);
    EXPECT_FALSE(A->Checked());
    EXPECT_TRUE(B->Checked());

    Menu.Items()->Remove(B);
    EXPECT_EQ(B->Parent(), nullptr);
    B->Free();
    Menu.Items()->Clear();  // frees A and its sub-item
    EXPECT_EQ(Menu.Items()->Count(), 0);
}

TEST(ShortCuts, TextRoundTrip) {
    struct Case {
        TShortCut Cut;
        const char* Text;
    };
    const Case Cases[] = {
        {TShortCut('S' | scCtrl), "Ctrl+S"},
        {TShortCut(VK_F5), "F5"},
        {TShortCut(VK_DELETE | scShift | scCtrl), "Shift+Ctrl+Del"},
        {TShortCut('1' | scAlt), "Alt+1"},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(ShortCutToText(C.Cut), QString::fromLatin1(C.Text));
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(C.Text)), C.Cut) << C.Text;
    }
    EXPECT_EQ(TextToShortCut(QStringLiteral("ctrl+s")), TShortCut('S' | scCtrl));
    EXPECT_EQ(TextToShortCut(QStringLiteral("Ctrl+Nope")), scNone);
    EXPECT_EQ(ShortCut('S', {ssCtrl, ssShift}), TShortCut('S' | scCtrl | scShift));
}

}  // namespace
