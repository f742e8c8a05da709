#include "components/controls/AdvMenuSideBar.h"

#include "components/controls/AdvMenuItems.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

using namespace advmenu;

namespace {

constexpr int cItemH = 20;
constexpr int cWinW = 217;

// A styled popup whose items sit in one window, stacked cItemH apart.
class TBarMenu : public TPopupMenu, public IAdvMenu, public IAdvMenuWindow {
public:
    explicit TBarMenu(TComponent* AOwner) : TPopupMenu(AOwner), Styler(nullptr) {}
    TCustomAdvMenuStyler Styler;

    void UpdateItems() override {}
    TMenu* MenuObject() override { return this; }
    TCustomAdvMenuStyler* MenuStyler() const override { return nullptr; }
    TCustomAdvMenuStyler* CurrentMenuStyler() const override { return const_cast<TCustomAdvMenuStyler*>(&Styler); }
    void SetMenuStyler(TCustomAdvMenuStyler*) override {}
    Byte Opacity() const override { return 255; }
    void SetOpacity(Byte) override {}
    bool ShowNotes() const override { return false; }
    void SetShowNotes(bool) override {}
    bool IntlKeybShortCuts() const override { return false; }
    void SetIntlKeybShortCuts(bool) override {}
    void SetActionImages(TActionImage) override {}
    TActionImage ActionImages() const override { return aiNormal; }
    TBiDiMode BiDiMode() const override { return bdLeftToRight; }
    TCustomImageList* DisabledImages() const override { return nullptr; }
    bool GetMenuItemRect(TCanvas*, TMenuItem* Parent, int Position, TRect& R) override {
        if (Position >= Parent->Count()) return false;
        R = Rect(0, Position * cItemH, cWinW, (Position + 1) * cItemH);
        return true;
    }
    void AdjustMenuWindow(TMenuItem*, TCanvas*) override {}
};

TMenuItem* addItem(TMenu* M, TMenuItem* Parent, const String& Caption) {
    auto* I = new TMenuItem(M);
    I->SetCaption(Caption);
    Parent->Add(I);
    return I;
}

struct SideBarFixture : ::testing::Test {
    TBarMenu Menu{nullptr};
    TSideBar* SB = Menu.Styler.SideBar();

    void SetUp() override {
        SB->SetVisible(true);
        SB->Background()->SetColor(clWhite);
        SB->Background()->SetColorTo(clNone);
        SB->SetBorderColor(clNone);
        SB->SetSplitterColor(clNone);
        SB->Font()->SetColor(0x0000FF);
    }
    TRect inkOf(Paper& P, TColor C, const TRect& Area) {
        return BoundsOf(P.Bitmap(), Area, [C](TColor X) { return X == C; });
    }
};

TEST_F(SideBarFixture, ShownForWindowsByVisibleIn) {
    TMenuItem* Top = addItem(&Menu, Menu.Items(), "Top");
    TMenuItem* Sub = addItem(&Menu, Top, "Sub");
    struct Case {
        bool Visible;
        TSideBarVisibleIn In;
        bool TopShown, SubShown;
    } Cases[] = {
        {true, viFirstLevel, true, false},
        {true, viAnyLevel, true, true},
        {true, viFirstVisible, false, false},  // a styled popup's windows never show it
        {false, viAnyLevel, false, false},
    };
    for (const Case& C : Cases) {
        SB->SetVisible(C.Visible);
        SB->SetVisibleIn(C.In);
        EXPECT_EQ(SideBarShownFor(Top), C.TopShown) << C.In;
        EXPECT_EQ(SideBarShownFor(Sub), C.SubShown) << C.In;
    }

    // A menu bar: the first visible drop-down and the first-level windows.
    TMenu Bar(nullptr);
    TMenuItem* File = addItem(&Bar, Bar.Items(), "File");
    TMenuItem* Edit = addItem(&Bar, Bar.Items(), "Edit");
    TMenuItem* Open = addItem(&Bar, File, "Open");
    TMenuItem* Cut = addItem(&Bar, Edit, "Cut");
    TMenuItem* Deep = addItem(&Bar, Open, "Deep");
    EXPECT_TRUE(InFirstVisibleDropDown(Open));
    EXPECT_FALSE(InFirstVisibleDropDown(Cut));
    EXPECT_TRUE(InFirstLevelWindow(Cut));
    EXPECT_FALSE(InFirstLevelWindow(Deep));
    EXPECT_FALSE(InFirstLevelWindow(File));
}

TEST_F(SideBarFixture, FirstItemPaintsBarItemsAfterABreakDoNot) {
    SB->Background()->SetColor(0x00A000);
    SB->SetSize(30);
    SB->SetSplitterWidth(2);
    Menu.Styler.Background()->SetColor(clWhite);
    Menu.Styler.Background()->SetColorTo(clNone);
    Menu.Styler.IconBar()->SetColor(clWhite);
    Menu.Styler.IconBar()->SetColorTo(clNone);
    TMenuItem* First = addItem(&Menu, Menu.Items(), "");
    TMenuItem* Second = addItem(&Menu, Menu.Items(), "");
    Second->SetBreak(true);

    Paper P(cWinW, 60);
    DrawAdvMenuItem(Second, P.Canvas(), Rect(0, 20, 200, 40), true, {});
    EXPECT_EQ(P.Count(0x00A000), 0);
    DrawAdvMenuItem(First, P.Canvas(), Rect(0, 0, 200, 20), true, {});
    // The bar spans the whole items area, Size + SplitterWidth wide.
    EXPECT_EQ(inkOf(P, 0x00A000, Rect(0, 0, cWinW, 60)), Rect(0, 0, 32, 40));
    EXPECT_EQ(SB->PopupHeight(), 40);
}

TEST_F(SideBarFixture, BorderAndSplitterOnlyWhenColoured) {
    const TRect SR = Rect(0, 0, 26, 50);
    SB->SetSize(24);
    SB->SetSplitterWidth(2);
    struct Case {
        TColor Border, Splitter;
    } Cases[] = {{clNone, clNone}, {0x800000, clNone}, {clNone, 0x008000}, {0x800000, 0x008000}};
    for (const Case& C : Cases) {
        SB->SetBorderColor(C.Border);
        SB->SetSplitterColor(C.Splitter);
        Paper P(40, 60);
        DrawSideBarBorder(SB, P.Canvas(), SR);
        DrawSideBarSplitter(SB, P.Canvas(), SR);
        if (C.Border == clNone)
            EXPECT_EQ(P.Count(0x800000), 0);
        else
            EXPECT_EQ(inkOf(P, 0x800000, Rect(0, 0, 40, 60)), Rect(0, 0, 24, 50));
        if (C.Splitter == clNone)
            EXPECT_EQ(P.Count(0x008000), 0);
        else
            EXPECT_EQ(inkOf(P, 0x008000, Rect(0, 0, 40, 60)), Rect(24, 0, 26, 50));
    }
}

TEST_F(SideBarFixture, CaptionStartsOffsetYFromItsEnd) {
    SB->SetCaption("Caption");
    SB->SetSize(30);
    const TRect SR = Rect(0, 0, 31, 200);
    struct Case {
        TDirection Dir;
        bool FromBottom;
    } Cases[] = {{dDownToUp, true}, {dUpToDown, false}};
    for (const Case& C : Cases) {
        SB->SetDirection(C.Dir);
        Paper P(40, 200);
        DrawSideBarCaption(SB, P.Canvas(), SR);
        const TRect Ink = inkOf(P, 0x0000FF, Rect(0, 0, 40, 200));
        ASSERT_FALSE(Ink.IsEmpty()) << C.Dir;
        EXPECT_GT(Ink.Height(), Ink.Width()) << C.Dir;  // runs along the bar
        if (C.FromBottom) {
            EXPECT_NEAR(Ink.Bottom, 200 - 6, 3);
        } else {
            EXPECT_NEAR(Ink.Top, 6, 3);
        }
    }
}

TEST_F(SideBarFixture, CaptionCopiesForHighlightAndShadow) {
    SB->SetCaption("Ab");
    SB->SetDepth(2);
    const TRect SR = Rect(0, 0, 25, 100);
    auto draw = [&](Paper& P) { DrawSideBarCaption(SB, P.Canvas(), SR); };
    Paper Once(40, 100);
    draw(Once);
    EXPECT_GT(Once.Count(0x0000FF), 0);
    EXPECT_EQ(Once.Count(0x00FF00) + Once.Count(0xFF0000), 0);

    SB->SetHighlightColor(0x00FF00);
    SB->SetShadowColor(0xFF0000);
    Paper Three(40, 100);
    draw(Three);
    const TRect Main = inkOf(Three, 0x0000FF, Rect(0, 0, 40, 100));
    const TRect Hi = inkOf(Three, 0x00FF00, Rect(0, 0, 40, 100));
    const TRect Sh = inkOf(Three, 0xFF0000, Rect(0, 0, 40, 100));
    ASSERT_FALSE(Hi.IsEmpty());
    ASSERT_FALSE(Sh.IsEmpty());
    // Highlight down-left, shadow up-right of the caption.
    EXPECT_EQ(Hi.Left, Main.Left - 2);
    EXPECT_EQ(Hi.Bottom, Main.Bottom + 2);
    EXPECT_EQ(Sh.Right, Main.Right + 2);
    EXPECT_EQ(Sh.Top, Main.Top - 2);
}

}  // namespace
