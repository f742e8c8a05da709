#include "components/controls/AdvMenuItems.h"

#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

using namespace advmenu;

namespace {

constexpr int cItemH = 20;
constexpr int cWinW = 217;  // item rectangles are 200 wide

// A styled popup whose items sit in one window, stacked cItemH apart.
class TItemsMenu : public TPopupMenu, public IAdvMenu, public IAdvMenuWindow {
public:
    explicit TItemsMenu(TComponent* AOwner) : TPopupMenu(AOwner), Styler(nullptr) {}
    TCustomAdvMenuStyler Styler;
    bool Notes = true, Intl = false;
    TBiDiMode BiDi = bdLeftToRight;
    TCustomImageList* DisImages = nullptr;
    int Adjusted = 0;

    void UpdateItems() override {}
    TMenu* MenuObject() override { return this; }
    TCustomAdvMenuStyler* MenuStyler() const override { return nullptr; }
    TCustomAdvMenuStyler* CurrentMenuStyler() const override { return const_cast<TCustomAdvMenuStyler*>(&Styler); }
    void SetMenuStyler(TCustomAdvMenuStyler*) override {}
    Byte Opacity() const override { return 255; }
    void SetOpacity(Byte) override {}
    bool ShowNotes() const override { return Notes; }
    void SetShowNotes(bool V) override { Notes = V; }
    bool IntlKeybShortCuts() const override { return Intl; }
    void SetIntlKeybShortCuts(bool V) override { Intl = V; }
    void SetActionImages(TActionImage) override {}
    TActionImage ActionImages() const override { return aiNormal; }

    TBiDiMode BiDiMode() const override { return BiDi; }
    TCustomImageList* DisabledImages() const override { return DisImages; }
    bool GetMenuItemRect(TCanvas*, TMenuItem* Parent, int Position, TRect& R) override {
        if (Position >= Parent->Count()) return false;
        R = Rect(0, Position * cItemH, cWinW, (Position + 1) * cItemH);
        return true;
    }
    void AdjustMenuWindow(TMenuItem*, TCanvas*) override { ++Adjusted; }
};

TMenuItem* addItem(TMenu* M, TMenuItem* Parent, const String& Caption) {
    auto* I = new TMenuItem(M);
    I->SetCaption(Caption);
    Parent->Add(I);
    return I;
}

TRect itemRect(int Index) { return Rect(0, Index * cItemH, cWinW - 17, (Index + 1) * cItemH); }

// Plain colours everywhere so each region is recognisable.
void plainColours(TCustomAdvMenuStyler& S) {
    S.IconBar()->SetColor(0x00C000);
    S.IconBar()->SetColorTo(clNone);
    S.Background()->SetColor(0xF0F0F0);
    S.Background()->SetColorTo(clNone);
    S.SelectedItem()->SetColor(0xFF0000);
    S.SelectedItem()->SetColorTo(clNone);
    S.SelectedItem()->SetBorderColor(clNone);
}

TBitmap* solidBitmap(int W, int H, TColor C) {
    auto* B = new TBitmap(W, H);
    B->Canvas()->Brush()->SetColor(C);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    return B;
}

// A glyph in C whose bottom-left pixel is white, the colour glyphs treat as transparent.
TBitmap* glyphBitmap(int W, int H, TColor C) {
    TBitmap* B = solidBitmap(W, H, C);
    B->Canvas()->SetPixels(0, H - 1, clWhite);
    return B;
}

struct MenuFixture : ::testing::Test {
    TItemsMenu Menu{nullptr};
    TCustomAdvMenuStyler& S = Menu.Styler;
    TMenuItem* Root = Menu.Items();
};

// ---------------------------------------------------------------------------------------------

TEST_F(MenuFixture, ItemTests) {
    TMenuItem* Hidden = addItem(&Menu, Root, "Hidden");
    Hidden->SetVisible(false);
    TMenuItem* First = addItem(&Menu, Root, "First");
    TMenuItem* Second = addItem(&Menu, Root, "Second");
    TMenuItem* Broken = addItem(&Menu, Root, "Broken");
    Broken->SetBreak(true);
    TMenuItem* After = addItem(&Menu, Root, "After");
    TMenuItem* Sub = addItem(&Menu, First, "Sub");

    struct Case {
        const char* Name;
        TMenuItem* Item;
        bool FirstVisible;
        int VisibleIndex;
        bool AfterBreak;
        int Level;
    } Cases[] = {
        {"hidden", Hidden, false, -1, false, 0}, {"first", First, true, 0, false, 0},
        {"second", Second, false, 1, false, 0},  {"break", Broken, false, 2, true, 0},
        {"after", After, false, 3, true, 0},     {"sub", Sub, true, 0, false, 1},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(IsFirstVisibleItem(C.Item), C.FirstVisible) << C.Name;
        EXPECT_EQ(VisibleItemIndex(C.Item), C.VisibleIndex) << C.Name;
        EXPECT_EQ(FollowsColumnBreak(C.Item), C.AfterBreak) << C.Name;
        EXPECT_EQ(MenuItemLevel(C.Item), C.Level) << C.Name;
        EXPECT_FALSE(IsMenuBarItem(C.Item)) << C.Name;
        EXPECT_FALSE(IsRootMenuItem(C.Item)) << C.Name;  // a styled popup has no root items
    }
    EXPECT_EQ(FirstVisibleItem(Root), First);
    EXPECT_EQ(FirstVisibleItem(Sub), nullptr);

    // A plain popup's top-level items are root items; a menu bar's are menu-bar items.
    TPopupMenu Plain(nullptr);
    TMenuItem* P = addItem(&Plain, Plain.Items(), "P");
    EXPECT_TRUE(IsRootMenuItem(P));
    EXPECT_FALSE(IsMenuBarItem(P));
    TMenu Bar(nullptr);
    TMenuItem* B = addItem(&Bar, Bar.Items(), "B");
    EXPECT_TRUE(IsMenuBarItem(B));
    EXPECT_FALSE(IsMenuBarItem(addItem(&Bar, B, "Drop")));

    // The items area is the union of the window's item rectangles.
    Paper Pp;
    EXPECT_EQ(MenuItemsBounds(First, Pp.Canvas()), Rect(0, 0, cWinW, 5 * cItemH));
}

TEST_F(MenuFixture, MeasuresSeparatorsHiddenAndPlainItems) {
    Paper P;
    TMenuItem* Line = addItem(&Menu, Root, "-");
    struct Case {
        int SepWidth, Height;
    } Cases[] = {{1, 3}, {4, 6}};
    for (const Case& C : Cases) {
        S.Separator()->SetWidth(C.SepWidth);
        int W = 100, H = 19;
        MeasureAdvMenuItem(Line, P.Canvas(), W, false, H);
        EXPECT_EQ(H, C.Height) << C.SepWidth;
        EXPECT_EQ(W, -2);
    }

    TMenuItem* Hidden = addItem(&Menu, Root, "Hidden");
    Hidden->SetVisible(false);
    int W = 100, H = 19;
    MeasureAdvMenuItem(Hidden, P.Canvas(), W, true, H);
    EXPECT_EQ(W, 0);
    EXPECT_EQ(H, 0);

    // No image: 3 lower, +2, then the next even number.
    TMenuItem* Item = addItem(&Menu, Root, "Open");
    TRect TR = Rect(0, 0, 0, 0);
    DrawText(P.Canvas()->Handle(), "Open", -1, TR, DT_CALCRECT | DT_SINGLELINE);
    struct HCase {
        int In, Out;
    } Heights[] = {{41, 40}, {40, 40}, {50, 50}};
    for (const HCase& C : Heights) {
        W = 0, H = C.In;
        MeasureAdvMenuItem(Item, P.Canvas(), W, false, H);
        EXPECT_EQ(H, C.Out) << C.In;
        EXPECT_EQ(W, 24 + 15 + RectWidth(TR) + 7 + 17);
    }
    // Tiny framework height: the text height + 6 wins.
    W = 0, H = 2;
    MeasureAdvMenuItem(Item, P.Canvas(), W, false, H);
    EXPECT_EQ(H, RectHeight(TR) + 6);

    // An image list's height counts instead of the 3 pixels.
    TCustomImageList Images(nullptr, 16, 36);
    Menu.SetImages(&Images);
    Item->SetImageIndex(0);
    W = 0, H = 20;
    MeasureAdvMenuItem(Item, P.Canvas(), W, false, H);
    EXPECT_EQ(H, 38);
    Menu.SetImages(nullptr);
}

TEST_F(MenuFixture, SideBarWidensItemsBeforeAColumnBreakOnly) {
    Paper P;
    S.SideBar()->SetSize(30);
    S.SideBar()->SetSplitterWidth(2);
    TMenuItem* A = addItem(&Menu, Root, "Alpha");
    TMenuItem* B = addItem(&Menu, Root, "Alpha");
    B->SetBreak(true);
    int W0 = 0, H = 20, WA = 0, WB = 0;
    MeasureAdvMenuItem(A, P.Canvas(), W0, false, H);
    MeasureAdvMenuItem(A, P.Canvas(), WA, true, H);
    MeasureAdvMenuItem(B, P.Canvas(), WB, true, H);
    EXPECT_EQ(WA, W0 + 32);
    EXPECT_EQ(WB, W0);
}

TEST_F(MenuFixture, NotesAddLinesOnlyWithShowNotes) {
    // Each request brings a fresh canvas, as the framework's measure requests do.
    auto measure = [](TMenuItem* I, int& W, int& H) {
        Paper P;
        W = 0, H = 2;
        MeasureAdvMenuItem(I, P.Canvas(), W, false, H);
    };
    TMenuItem* One = addItem(&Menu, Root, "Save");
    TMenuItem* Two = addItem(&Menu, Root, "Save\\na much longer notes line here");
    int W1, H1, W2, H2;
    measure(One, W1, H1);
    measure(Two, W2, H2);
    Paper P;
    P.Canvas()->SetFont(S.NotesFont());
    const int LH = P.Canvas()->TextHeight("gh");
    const int Widest = P.Canvas()->TextWidth("a much longer notes line here");
    EXPECT_EQ(H2, H1 + LH);
    EXPECT_GE(W2, Widest + 24 + 25);

    // Without ShowNotes the caption is one line, the two characters included.
    Menu.Notes = false;
    int W3, H3;
    measure(Two, W3, H3);
    EXPECT_EQ(H3, H1);
    TRect TR = Rect(0, 0, 0, 0);
    Paper Q;
    DrawText(Q.Canvas()->Handle(), Two->Caption(), -1, TR, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(W3, 24 + 15 + RectWidth(TR) + 7 + 17);

    // ...and drawn centred in its row like any one-line caption.
    plainColours(S);
    TMenuItem* Plain = addItem(&Menu, Root, "Save\\x");  // a backslash too, but no notes break
    const auto inkTop = [&](TMenuItem* I) {
        Paper Row(cWinW, 60);
        DrawAdvMenuItem(I, Row.Canvas(), Rect(0, 0, cWinW - 17, 60), false, {});
        return BoundsOf(Row.Bitmap(), Rect(40, 0, cWinW - 17, 60), [](TColor C) { return GetRValue(C) < 0x80; }).Top;
    };
    EXPECT_NEAR(inkTop(Two), inkTop(Plain), 1);
}

TEST(MenuShortCutText, InternationalNamesAndFrameworkText) {
    TKeyNameProvider Old = SetKeyNameProvider([](Word Key) -> String {
        switch (Key) {
            case 0x10:
                return "UMSCHALT";
            case 0x11:
                return "STRG";
            case 0x12:
                return "ALT";
            case 0x2E:
                return "ENTF (ZEHNERTASTATUR)";
            default:
                return "?";
        }
    });
    struct Case {
        TShortCut SC;
        const char* Intl;
    } Cases[] = {
        {static_cast<TShortCut>(scCtrl | scShift | 116), "Strg+Umschalt+F5"},
        {static_cast<TShortCut>(scAlt | scCtrl | scShift | 0x2E), "Alt+Strg+Umschalt+Entf (Zehnertastatur)"},
        {135, "F24"},
        {112, "F1"},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(MenuShortCutText(C.SC, true), C.Intl);
        EXPECT_EQ(MenuShortCutText(C.SC, false), ShortCutToText(C.SC));
    }
    SetKeyNameProvider(Old);
    const TShortCut Win = static_cast<TShortCut>(scWinKey | 'E');
    EXPECT_EQ(MenuShortCutText(Win, false), "Win+" + ShortCutToText('E'));

    struct Cap {
        const char* In;
        const char* Out;
    } Caps[] = {{"NUM LOCK", "Num lock"}, {"entf (zehner)", "entf (Zehner)"}, {"", ""}, {"X", "X"}, {"A(", "A("}};
    for (const Cap& C : Caps) EXPECT_EQ(CapitalizeKeyName(C.In), C.Out) << C.In;
}

// ---------------------------------------------------------------------------------------------

TEST_F(MenuFixture, PaintsIconColumnBackgroundAndLastItemToWindowBottom) {
    plainColours(S);
    TMenuItem* First = addItem(&Menu, Root, "");
    TMenuItem* Last = addItem(&Menu, Root, "");
    Paper P(cWinW, 80);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.At(5, 10), 0x00C000);
    EXPECT_EQ(P.At(100, 10), 0xF0F0F0);
    EXPECT_EQ(P.At(100, 30), clWhite);  // no neighbour painted
    EXPECT_EQ(Menu.Adjusted, 1);
    DrawAdvMenuItem(Last, P.Canvas(), itemRect(1), false, {});
    EXPECT_EQ(P.At(100, 30), 0xF0F0F0);
    EXPECT_EQ(P.At(100, 55), 0xF0F0F0);  // the space below the last item
    EXPECT_EQ(P.At(100, 70), clWhite);

    // Without the menu's interface nothing is painted.
    TPopupMenu Plain(nullptr);
    TMenuItem* X = addItem(&Plain, Plain.Items(), "X");
    Paper Q(cWinW, 40);
    DrawAdvMenuItem(X, Q.Canvas(), itemRect(0), false, {});
    EXPECT_GT(Q.Painted().Left, Q.Painted().Right);
}

TEST_F(MenuFixture, SelectionWithMirrorShowsTwoHalves) {
    plainColours(S);
    S.SelectedItem()->SetColorMirror(0x0000FF);
    S.SelectedItem()->SetColorMirrorTo(clNone);
    TMenuItem* I = addItem(&Menu, Root, "");
    Paper P(cWinW, 40);
    DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, {odSelected});
    EXPECT_EQ(P.At(100, 3), 0xFF0000);
    EXPECT_EQ(P.At(100, 16), 0x0000FF);

    S.SelectedItem()->SetColorMirror(clNone);
    DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, {odSelected});
    EXPECT_EQ(P.At(100, 16), 0xFF0000);
}

TEST_F(MenuFixture, SeparatorLineCentredAfterIconColumn) {
    plainColours(S);
    S.Separator()->SetColor(0x0000FF);
    S.Separator()->SetColorTo(clNone);
    S.Separator()->SetWidth(2);
    TMenuItem* L = addItem(&Menu, Root, "-");
    Paper P(cWinW, 40);
    DrawAdvMenuItem(L, P.Canvas(), Rect(0, 0, 200, 10), false, {});
    const TRect Red = BoundsOf(P.Bitmap(), Rect(0, 0, cWinW, 40), [](TColor C) { return C == 0x0000FF; });
    EXPECT_EQ(Red.Top, 4);
    EXPECT_EQ(Red.Bottom, 6);
    EXPECT_GE(Red.Left, 24);
}

TEST_F(MenuFixture, CheckedItemWithImageShowsBoxBehindImageAndNoGlyph) {
    plainColours(S);
    S.IconBar()->SetCheckColor(0x00FFFF);
    S.IconBar()->SetCheckBorder(0x000080);
    S.IconBar()->SetRadioColor(0xFF00FF);
    S.IconBar()->SetRadioBorder(0x800000);
    std::unique_ptr<TBitmap> Check(glyphBitmap(6, 6, 0x123456));
    std::unique_ptr<TBitmap> Radio(glyphBitmap(6, 6, 0x654321));
    S.Glyphs()->SetCheck(Check.get());
    S.Glyphs()->SetRadio(Radio.get());
    TCustomImageList Images(nullptr, 8, 8);
    std::unique_ptr<TBitmap> Img(solidBitmap(8, 8, 0x404040));
    Images.Add(Img.get(), nullptr);
    Menu.SetImages(&Images);

    TMenuItem* WithImage = addItem(&Menu, Root, "");
    WithImage->SetImageIndex(0);
    WithImage->SetChecked(true);
    Paper P(cWinW, 40);
    DrawAdvMenuItem(WithImage, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.At(12, 10), 0x404040);  // the image in the middle of the box
    EXPECT_EQ(P.At(5, 10), 0x00FFFF);   // the box around it
    EXPECT_EQ(P.Count(0x123456), 0);    // no check glyph
    EXPECT_GT(P.Count(0x000080), 0);    // the box's border

    TMenuItem* RadioItem = addItem(&Menu, Root, "");
    RadioItem->SetRadioItem(true);
    RadioItem->SetChecked(true);
    Paper Q(cWinW, 40);
    DrawAdvMenuItem(RadioItem, Q.Canvas(), itemRect(1), false, {});
    EXPECT_GT(Q.Count(0x654321), 0);  // the radio glyph
    EXPECT_GT(Q.Count(0x800000), 0);  // the radio box border
    EXPECT_EQ(Q.Count(0x123456), 0);
    Menu.SetImages(nullptr);
}

TEST_F(MenuFixture, SubMenuArrowFollowsAlignment) {
    plainColours(S);
    std::unique_ptr<TBitmap> Arrow(glyphBitmap(3, 6, 0x0000C0));
    S.Glyphs()->SetSubMenu(Arrow.get());
    TMenuItem* I = addItem(&Menu, Root, "");
    addItem(&Menu, I, "Child");
    struct Case {
        TPopupAlignment Align;
        int Left, Right;
    } Cases[] = {{paRight, 5, 8}, {paLeft, 192, 195}};
    for (const Case& C : Cases) {
        Menu.SetAlignment(C.Align);
        Paper P(cWinW, 40);
        DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, {});
        const TRect B = BoundsOf(P.Bitmap(), Rect(0, 0, cWinW, 40), [](TColor X) { return X == 0x0000C0; });
        EXPECT_EQ(B.Left, C.Left) << C.Align;
        EXPECT_EQ(B.Right, C.Right) << C.Align;
    }
    // The built-in arrow shows too, though its bottom-left pixel is part of it.
    TCustomAdvMenuStyler Plain(nullptr);
    S.Glyphs()->SetSubMenu(Plain.Glyphs()->SubMenu());
    Paper Built(cWinW, 40);
    DrawAdvMenuItem(I, Built.Canvas(), itemRect(0), false, {});
    EXPECT_GT(Built.Count(clBlack), 6);
    S.Glyphs()->SetSubMenu(Arrow.get());

    // A right-to-left menu on a Middle-East system shows no arrow.
    SetMenuMiddleEastLocale(true);
    Menu.BiDi = bdRightToLeft;
    Paper P(cWinW, 40);
    DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.Count(0x0000C0), 0);
    SetMenuMiddleEastLocale(false);
}

TEST_F(MenuFixture, DisabledTextColour) {
    plainColours(S);
    S.SelectedItem()->SetColor(clWhite);
    S.Background()->SetColor(clWhite);
    TMenuItem* I = addItem(&Menu, Root, "MMMM");
    I->SetEnabled(false);
    auto textColours = [&](TOwnerDrawState State, TColor Want) {
        Paper P(cWinW, 40);
        DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, State);
        return P.Count(ColorToRGB(Want));
    };
    EXPECT_GT(textColours({}, clBtnShadow), 0);
    SetSysColor(clHighlight & 0xFF, ColorToRGB(clBtnShadow));
    EXPECT_GT(textColours({odSelected}, clBtnHighlight), 0);
    EXPECT_EQ(textColours({odSelected}, clBtnShadow), 0);
    ResetSysColors();
}

TEST_F(MenuFixture, ShortCutIsRightAlignedTenPixelsIn) {
    plainColours(S);
    S.Background()->SetColor(clWhite);
    TMenuItem* I = addItem(&Menu, Root, "");
    I->SetShortCut(static_cast<TShortCut>(scCtrl | 'S'));
    Paper P(cWinW, 40);
    DrawAdvMenuItem(I, P.Canvas(), itemRect(0), false, {});
    const TRect Ink = BoundsOf(P.Bitmap(), Rect(40, 0, cWinW, 20), [](TColor C) { return C != clWhite; });
    EXPECT_LE(Ink.Right, 190);
    EXPECT_GE(Ink.Right, 180);
}

TEST_F(MenuFixture, BackgroundPictureIsCachedForTheItemsAreaAndCopied) {
    plainColours(S);
    std::unique_ptr<TBitmap> Pic(glyphBitmap(10, 10, 0x0000FF));
    TPicture Picture;
    Picture.SetBitmap(Pic.get());
    S.Background()->SetImage(&Picture);
    S.Background()->SetPosition(bpCenter);
    TMenuItem* First = addItem(&Menu, Root, "");
    TMenuItem* Second = addItem(&Menu, Root, "");
    Paper P(cWinW, 60);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    DrawAdvMenuItem(Second, P.Canvas(), itemRect(1), false, {});
    EXPECT_EQ(S.BackgroundBitmap()->Width(), 200);
    EXPECT_EQ(S.BackgroundBitmap()->Height(), 40);
    // The picture sits in the middle of the whole items area, across both items.
    EXPECT_EQ(P.At(100, 18), 0x0000FF);
    EXPECT_EQ(P.At(100, 21), 0x0000FF);
    // Around it the background colour stays.
    EXPECT_EQ(P.At(40, 10), 0xF0F0F0);
    EXPECT_EQ(P.At(180, 30), 0xF0F0F0);
}

TEST_F(MenuFixture, AntiAliasedTextIsDrawnAndNotMeasured) {
    plainColours(S);
    S.Background()->SetColor(clWhite);
    S.SetAntiAlias(aaAntiAlias);
    TMenuItem* I = addItem(&Menu, Root, "Wide caption");
    TRect R = Rect(40, 0, 200, 20);
    Paper P(cWinW, 40);
    DrawAdvMenuItemText(I, P.Canvas(), I->Caption(), DT_LEFT | DT_CALCRECT, {}, R);
    EXPECT_EQ(R, Rect(40, 0, 200, 20));
    EXPECT_GT(P.Painted().Left, P.Painted().Right);
    DrawAdvMenuItemText(I, P.Canvas(), I->Caption(), DT_LEFT, {}, R);
    const TRect Ink = P.Painted();
    EXPECT_GE(Ink.Left, 40);
    EXPECT_GT(Ink.Right, 60);
}

}  // namespace

namespace {

// The cached rendering follows the background: a new picture or a new style shows at once,
// not only after the window changes size.
TEST_F(MenuFixture, BackgroundCacheFollowsPictureAndColourChanges) {
    plainColours(S);
    std::unique_ptr<TBitmap> Blue(glyphBitmap(10, 10, 0xFF0000));
    std::unique_ptr<TBitmap> Red(glyphBitmap(10, 10, 0x0000FF));
    TPicture Picture;
    Picture.SetBitmap(Blue.get());
    S.Background()->SetImage(&Picture);
    TMenuItem* First = addItem(&Menu, Root, "");
    addItem(&Menu, Root, "");
    Paper P(cWinW, 60);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    ASSERT_EQ(P.At(100, 18), 0xFF0000);

    Picture.SetBitmap(Red.get());
    S.Background()->SetImage(&Picture);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.At(100, 18), 0x0000FF);

    S.Background()->SetColor(0x00FFFF);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.At(40, 10), 0x00FFFF);

    S.Background()->SetPosition(bpTopRight);
    DrawAdvMenuItem(First, P.Canvas(), itemRect(0), false, {});
    EXPECT_EQ(P.At(100, 18), 0x00FFFF);
    EXPECT_EQ(P.At(195, 2), 0x0000FF);
}

}  // namespace
