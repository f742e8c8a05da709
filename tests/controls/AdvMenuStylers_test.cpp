#include "components/controls/AdvMenuStylers.h"

#include "framework/rtl/Resources.h"
#include "framework/ui/PlatformFacts.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace advmenu;

namespace {

// A styled menu that counts the rebuilds it is asked for.
class TCountingMenu : public TPopupMenu, public IAdvMenu {
public:
    explicit TCountingMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
    int Rebuilds = 0;

    void UpdateItems() override { ++Rebuilds; }
    TMenu* MenuObject() override { return this; }
    TCustomAdvMenuStyler* MenuStyler() const override { return nullptr; }
    TCustomAdvMenuStyler* CurrentMenuStyler() const override { return nullptr; }
    void SetMenuStyler(TCustomAdvMenuStyler*) override {}
    Byte Opacity() const override { return 255; }
    void SetOpacity(Byte) override {}
    bool ShowNotes() const override { return true; }
    void SetShowNotes(bool) override {}
    bool IntlKeybShortCuts() const override { return false; }
    void SetIntlKeybShortCuts(bool) override {}
    void SetActionImages(TActionImage) override {}
    TActionImage ActionImages() const override { return aiNormal; }
};

struct Value {
    const char* Name;
    long long Actual, Expected;
};

void expectAll(std::initializer_list<Value> Values) {
    for (const auto& V : Values) EXPECT_EQ(V.Actual, V.Expected) << V.Name;
}

TEST(MenuAppearanceDefaults, GradientRegions) {
    TCustomAdvMenuStyler S(nullptr);
    const TIconBar* I = S.IconBar();
    const TSelectedItem* Sel = S.SelectedItem();
    const TBackground* B = S.Background();
    const TSeparator* Sep = S.Separator();
    expectAll({
        {"IconBar.Color", I->Color(), 0xFFF9F9},
        {"IconBar.ColorTo", I->ColorTo(), 0xBBA0A1},
        {"IconBar.GradientDirection", I->GradientDirection(), gdHorizontal},
        {"IconBar.CheckColor", I->CheckColor(), 0x6FC0FF},
        {"IconBar.CheckColorTo", I->CheckColorTo(), clNone},
        {"IconBar.CheckBorder", I->CheckBorder(), 0x6F4B4B},
        {"IconBar.CheckGradientDirection", I->CheckGradientDirection(), gdVertical},
        {"IconBar.RadioColor", I->RadioColor(), 0x6FC0FF},
        {"IconBar.RadioColorTo", I->RadioColorTo(), clNone},
        {"IconBar.RadioBorder", I->RadioBorder(), 0x6F4B4B},
        {"IconBar.RadioGradientDirection", I->RadioGradientDirection(), gdVertical},
        {"IconBar.SeparatorColor", I->SeparatorColor(), clNone},
        {"IconBar.Size", I->Size(), 24},
        {"IconBar.Drawn", I->Drawn(), false},
        {"SelectedItem.Color", Sel->Color(), 0xC2EEFF},
        {"SelectedItem.ColorTo", Sel->ColorTo(), clNone},
        {"SelectedItem.GradientDirection", Sel->GradientDirection(), gdVertical},
        {"SelectedItem.ColorMirror", Sel->ColorMirror(), clNone},
        {"SelectedItem.ColorMirrorTo", Sel->ColorMirrorTo(), clNone},
        {"SelectedItem.BorderColor", Sel->BorderColor(), 0x6F4B4B},
        {"SelectedItem.UseSystemFont", Sel->UseSystemFont(), true},
        {"SelectedItem.CheckColor", Sel->CheckColor(), 0x3E80FE},
        {"SelectedItem.CheckColorTo", Sel->CheckColorTo(), clNone},
        {"SelectedItem.CheckBorder", Sel->CheckBorder(), 0x6F4B4B},
        {"SelectedItem.RadioColor", Sel->RadioColor(), 0x3E80FE},
        {"SelectedItem.RadioColorTo", Sel->RadioColorTo(), clNone},
        {"SelectedItem.RadioBorder", Sel->RadioBorder(), 0x6F4B4B},
        {"SelectedItem.RadioGradientDirection", Sel->RadioGradientDirection(), gdVertical},
        {"Background.Color", B->Color(), 0xFFFAFD},
        {"Background.ColorTo", B->ColorTo(), clNone},
        {"Background.GradientDirection", B->GradientDirection(), gdVertical},
        {"Background.Position", B->Position(), bpCenter},
        {"Background.Offsets and margins", B->OffsetX() | B->OffsetY() | B->MarginX() | B->MarginY(), 0},
        {"Separator.Color", Sep->Color(), 0x8F6D6E},
        {"Separator.ColorTo", Sep->ColorTo(), clNone},
        {"Separator.GradientDirection", Sep->GradientDirection(), gdHorizontal},
        {"Separator.Width", Sep->Width(), 1},
        {"Separator.GradientType", Sep->GradientType(), gtBoth},
        {"Separator.GradientWidth", Sep->GradientWidth(), 0},
        {"Separator.Margin", Sep->Margin(), 2},
    });
    TGradientBar Bar(nullptr);
    expectAll({{"GradientBar.Color", Bar.Color(), 0xD8BDAF},
               {"GradientBar.ColorTo", Bar.ColorTo(), clNone},
               {"GradientBar.GradientDirection", Bar.GradientDirection(), gdVertical}});
}

TEST(MenuAppearanceDefaults, RootItemSideBarButtonsAndStyler) {
    TCustomAdvMenuStyler S(nullptr);
    const TRootItem* R = S.RootItem();
    const TSideBar* SB = S.SideBar();
    const TButtonAppearance* BA = S.ButtonAppearance();
    expectAll({
        {"RootItem.Color", R->Color(), 0xE5D7D7},
        {"RootItem.ColorTo", R->ColorTo(), 0xF7F2F2},
        {"RootItem.GradientDirection", R->GradientDirection(), gdHorizontal},
        {"RootItem.UseSystemFont", R->UseSystemFont(), true},
        {"RootItem.SelectedColor", R->SelectedColor(), 0xF2E8E8},
        {"RootItem.SelectedColorTo", R->SelectedColorTo(), 0xCDB8B9},
        {"RootItem.SelectedColorMirror", R->SelectedColorMirror(), clNone},
        {"RootItem.SelectedColorMirrorTo", R->SelectedColorMirrorTo(), clNone},
        {"RootItem.SelectedGradientDirection", R->SelectedGradientDirection(), gdVertical},
        {"RootItem.SelectedBorderColor", R->SelectedBorderColor(), 0x947C7C},
        {"RootItem.SelectedTextColor", R->SelectedTextColor(), clWindowText},
        {"RootItem.HoverColor", R->HoverColor(), 0xCFF6FF},
        {"RootItem.HoverColorTo", R->HoverColorTo(), 0x9DD8FF},
        {"RootItem.HoverColorMirror", R->HoverColorMirror(), clNone},
        {"RootItem.HoverColorMirrorTo", R->HoverColorMirrorTo(), clNone},
        {"RootItem.HoverGradientDirection", R->HoverGradientDirection(), gdVertical},
        {"RootItem.HoverBorderColor", R->HoverBorderColor(), 0x6F4B4B},
        {"RootItem.HoverTextColor", R->HoverTextColor(), clWindowText},
        {"SideBar.Visible", SB->Visible(), false},
        {"SideBar.VisibleIn", SB->VisibleIn(), viFirstVisible},
        {"SideBar.Size", SB->Size(), 24},
        {"SideBar.SplitterColor", SB->SplitterColor(), 0x808080},
        {"SideBar.SplitterColorTo", SB->SplitterColorTo(), clNone},
        {"SideBar.SplitterWidth", SB->SplitterWidth(), 1},
        {"SideBar.SplitterMargin", SB->SplitterMargin(), 0},
        {"SideBar.SplitterGradientWidth", SB->SplitterGradientWidth(), 0},
        {"SideBar.SplitterGradientType", SB->SplitterGradientType(), gtBoth},
        {"SideBar.BorderColor", SB->BorderColor(), 0xA19D9D},
        {"SideBar.Position", SB->Position(), spLeft},
        {"SideBar.PopupHeight", SB->PopupHeight(), 0},
        {"SideBar.Background.Color", SB->Background()->Color(), 0xFFFAFD},
        {"SideBar.Image.Position", SB->Image()->Position(), bpCenter},
        {"SideBar.Alignment", SB->Alignment(), taLeftJustify},
        {"SideBar.Caption empty", SB->Caption().isEmpty(), true},
        {"SideBar.ShadowColor", SB->ShadowColor(), clNone},
        {"SideBar.HighlightColor", SB->HighlightColor(), clNone},
        {"SideBar.Depth", SB->Depth(), 1},
        {"SideBar.Direction", SB->Direction(), dDownToUp},
        {"SideBar.OffsetY", SB->OffsetY(), 6},
        {"SideBar.Font size", SB->Font()->Size(), 14},
        {"SideBar.Font colour", SB->Font()->Color(), 0xFFFFFF},
        {"SideBar.Font bold italic", SB->Font()->Style() == TFontStyles{fsBold, fsItalic}, true},
        {"Button.Color", BA->Color(), clNone},
        {"Button.ColorTo", BA->ColorTo(), clNone},
        {"Button.DownColor", BA->DownColor(), 0xB59285},
        {"Button.DownColorTo", BA->DownColorTo(), clNone},
        {"Button.HoverColor", BA->HoverColor(), 0xD2BDB6},
        {"Button.HoverColorTo", BA->HoverColorTo(), clNone},
        {"Button.GradientDirection", BA->GradientDirection(), gdVertical},
        {"Button.BorderColor", BA->BorderColor(), clNone},
        {"Button.DownBorderColor", BA->DownBorderColor(), 0x6A240A},
        {"Button.HoverBorderColor", BA->HoverBorderColor(), 0x6A240A},
        {"Button.UseSystemFont", BA->UseSystemFont(), true},
        {"Button.GlyphPosition", BA->GlyphPosition(), gpLeft},
        {"Styler.AntiAlias", S.AntiAlias(), aaNone},
        {"Styler.UseSystemFont", S.UseSystemFont(), true},
        {"Styler.MenuBorderColor", S.MenuBorderColor(), 0x7C7C94},
        {"Styler.MenuBarUpdating", S.MenuBarUpdating(), false},
        {"Styler.Menu", S.Menu() == nullptr, true},
    });
    EXPECT_EQ(SB->Font()->Name(), QStringLiteral("Tahoma"));
}

TEST(MenuStylerFonts, MenuFontsFollowTheSystemGeneration) {
    const struct {
        DWORD Major;
        const char* Face;
        int Size;
    } Cases[] = {{10, "Segoe UI", 9}, {6, "Segoe UI", 9}, {5, "Tahoma", 8}};
    for (const auto& C : Cases) {
        TPlatformFactsScope Scope;
        PlatformFacts().MajorVersion = C.Major;
        TCustomAdvMenuStyler S(nullptr);
        const String Face = QString::fromLatin1(C.Face);
        for (TFont* F : {S.Font(), S.SelectedItem()->Font(), S.RootItem()->Font()}) {
            EXPECT_EQ(F->Name(), Face) << C.Major;
            EXPECT_EQ(F->Size(), C.Size) << C.Major;
            EXPECT_EQ(F->Color(), clWindowText) << C.Major;
        }
        EXPECT_EQ(S.NotesFont()->Name(), Face);
        EXPECT_EQ(S.NotesFont()->Size(), C.Size - 2) << C.Major;
        EXPECT_EQ(S.NotesFont()->Color(), 0x808080);
        EXPECT_EQ(S.SelectedItem()->NotesFont()->Size(), C.Size - 2) << C.Major;
        EXPECT_EQ(S.SelectedItem()->NotesFont()->Color(), clWindowText);
        EXPECT_EQ(S.ButtonAppearance()->CaptionFont()->Name(), Face) << C.Major;
    }
}

TEST(MenuStylerFonts, RootItemUpdateFontRestoresTheScreenFontOnlyWithUseSystemFont) {
    TRootItem R(nullptr);
    R.Font()->SetSize(20);
    R.SetUseSystemFont(false);
    R.UpdateFont();
    EXPECT_EQ(R.Font()->Size(), 20);
    R.SetUseSystemFont(true);
    R.UpdateFont();
    TFont Screen;
    AssignScreenMenuFont(&Screen);
    EXPECT_EQ(R.Font()->Size(), Screen.Size());
}

TEST(MenuIndexedColours, IndexOutsideTheRangeRaisesAndChangesNothing) {
    TCustomAdvMenuStyler S(nullptr);
    const struct {
        const char* Name;
        int Index;
        std::function<void(int)> Call;
    } Cases[] = {
        {"GradientBar get", 2, [&](int I) { S.Background()->GetColor(I); }},
        {"GradientBar set", -1, [&](int I) { S.Background()->SetColor(I, clRed); }},
        {"IconBar check", 2, [&](int I) { S.IconBar()->SetCheckColor(I, clRed); }},
        {"IconBar radio", 2, [&](int I) { S.IconBar()->GetRadioColor(I); }},
        {"SelectedItem check", 5, [&](int I) { S.SelectedItem()->GetCheckColor(I); }},
        {"SelectedItem radio", 2, [&](int I) { S.SelectedItem()->SetRadioColor(I, clRed); }},
        {"RootItem selected", 4, [&](int I) { S.RootItem()->SetSelectedColor(I, clRed); }},
        {"RootItem hover", 4, [&](int I) { S.RootItem()->GetHoverColor(I); }},
    };
    for (const auto& C : Cases) {
        try {
            C.Call(C.Index);
            ADD_FAILURE() << C.Name << ": nothing raised";
        } catch (const EInvalidPropertyIndex& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Invalid property index %1.").arg(C.Index)) << C.Name;
        }
    }
    EXPECT_EQ(S.Background()->Color(), 0xFFFAFD);
    EXPECT_EQ(S.RootItem()->GetSelectedColor(3), clNone);
    S.RootItem()->SetHoverColor(2, clRed);
    EXPECT_EQ(S.RootItem()->HoverColorMirror(), clRed);
    S.IconBar()->SetRadioColor(1, clBlue);
    EXPECT_EQ(S.IconBar()->RadioColorTo(), clBlue);
}

TEST(MenuIconBar, SizeIsAtLeastSixteen) {
    TIconBar I(nullptr);
    for (const auto& [Set, Stored] : {std::pair{10, 16}, {16, 16}, {-5, 16}, {40, 40}}) {
        I.SetSize(Set);
        EXPECT_EQ(I.Size(), Stored) << Set;
    }
}

TEST(MenuBackgroundPicture, ReadIsNeverNilAndABitmapIsKeyedAutomatically) {
    TBackground B(nullptr);
    EXPECT_FALSE(B.HasPicture());
    ASSERT_NE(B.Image(), nullptr);
    EXPECT_EQ(B.Image()->Graphic(), nullptr);

    TBitmap Pic(4, 3);
    B.Image()->SetGraphic(&Pic);
    auto* Held = dynamic_cast<TBitmap*>(B.Image()->Graphic());
    ASSERT_NE(Held, nullptr);
    EXPECT_TRUE(Held->Transparent());
    EXPECT_EQ(Held->TransparentMode(), tmAuto);
    EXPECT_TRUE(B.HasPicture());

    B.SetImage(nullptr);
    EXPECT_FALSE(B.HasPicture());
    EXPECT_EQ(B.Image()->Graphic(), nullptr);
}

TEST(MenuBackgroundPicture, CalcPicturePositionWithoutAPictureIsTheTopLeft) {
    TBackground B(nullptr);
    B.SetPosition(bpBottomRight);
    B.SetOffsetX(5);
    int X = -1, Y = -1;
    B.CalcPicturePosition(Rect(7, 9, 50, 50), X, Y);
    EXPECT_EQ(X, 7);
    EXPECT_EQ(Y, 9);
    TBitmap Pic(10, 4);
    B.Image()->SetGraphic(&Pic);
    B.CalcPicturePosition(Rect(7, 9, 50, 50), X, Y);
    EXPECT_EQ(X, 7 + 43 + 5 - 10);
    EXPECT_EQ(Y, 9 + 41 - 4);
}

// Count of black pixels per column and the rows they span.
struct Ink {
    int Count = 0, Top = 99, Bottom = -1, Left = 99, Right = -1;
};

Ink inkOf(TBitmap* B) {
    Ink I;
    for (int Y = 0; Y < B->Height(); ++Y)
        for (int X = 0; X < B->Width(); ++X)
            if (B->Canvas()->Pixels(X, Y) == clBlack) {
                ++I.Count;
                I.Top = std::min(I.Top, Y), I.Bottom = std::max(I.Bottom, Y);
                I.Left = std::min(I.Left, X), I.Right = std::max(I.Right, X);
            }
    return I;
}

TEST(MenuGlyphsTest, BuiltInGlyphsAreMonochromeAndTransparent) {
    TMenuGlyphs G(nullptr);
    const struct {
        const char* Name;
        TBitmap* Glyph;
        int W, H, Count, Top, Bottom, Left, Right;
    } Cases[] = {
        {"sub-menu arrow", G.SubMenu(), 4, 7, 7 + 5 + 3 + 1, 0, 6, 0, 3},
        {"check mark", G.Check(), 16, 16, 1 + 2 + 3 + 4 + 5 + 5 + 3 + 1, 4, 11, 4, 11},
        {"radio dot", G.Radio(), 16, 16, 4 * 2 + 6 * 4, 5, 10, 5, 10},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(C.Glyph->Width(), C.W) << C.Name;
        EXPECT_EQ(C.Glyph->Height(), C.H) << C.Name;
        EXPECT_TRUE(C.Glyph->Transparent()) << C.Name;
        const Ink I = inkOf(C.Glyph);
        EXPECT_EQ(I.Count, C.Count) << C.Name;
        EXPECT_EQ((std::array<int, 4>{I.Top, I.Bottom, I.Left, I.Right}),
                  (std::array<int, 4>{C.Top, C.Bottom, C.Left, C.Right}))
            << C.Name;
        EXPECT_EQ(C.Glyph->Canvas()->Pixels(0, C.H - 1) == clBlack, C.Glyph == G.SubMenu()) << C.Name;
    }
    // The arrow narrows by one row at each end per column.
    for (int X = 0; X < 4; ++X) {
        int N = 0;
        for (int Y = 0; Y < 7; ++Y) N += G.SubMenu()->Canvas()->Pixels(X, Y) == clBlack;
        EXPECT_EQ(N, 7 - 2 * X) << X;
    }
}

TEST(MenuGlyphsTest, MissingResourceLeavesTheGlyphEmpty) {
    const String Name = QStringLiteral("ADVCHECKITEM");
    HRSRC Res = FindResource(HInstance, Name, RT_BITMAP);
    ASSERT_NE(Res, nullptr);
    const auto* Data = static_cast<const Byte*>(LoadResource(HInstance, Res));
    const std::vector<Byte> Saved(Data, Data + SizeofResource(HInstance, Res));
    UnregisterResource(RT_BITMAP, Name);
    {
        TMenuGlyphs G(nullptr);
        EXPECT_TRUE(G.Check()->Empty());
        EXPECT_FALSE(G.Radio()->Empty());
    }
    RegisterResource(RT_BITMAP, Name, Saved.data(), Saved.size());
}

TEST(MenuAppearanceAssign, EachObjectCopiesItsOwnPartOnly) {
    TCustomAdvMenuStyler A(nullptr), B(nullptr);
    // Change everything in A that some Assign copies or must leave alone.
    TIconBar* I = A.IconBar();
    I->SetColor(1), I->SetColorTo(2), I->SetCheckColor(3), I->SetCheckBorder(4), I->SetRadioColorTo(5);
    I->SetRadioGradientDirection(gdHorizontal), I->SetSize(30), I->SetSeparatorColor(6);
    TSelectedItem* S = A.SelectedItem();
    S->SetColor(7), S->SetColorMirror(8), S->SetBorderColor(9), S->SetUseSystemFont(false);
    S->Font()->SetSize(15), S->NotesFont()->SetSize(3), S->SetCheckBorder(10), S->SetRadioBorder(11);
    TRootItem* R = A.RootItem();
    R->SetColor(12), R->SetSelectedColorMirrorTo(13), R->SetHoverColorTo(14), R->SetHoverColorMirror(15);
    R->SetHoverTextColor(16), R->Font()->SetSize(17);
    TBackground* Bk = A.Background();
    Bk->SetColor(18), Bk->SetColorTo(19), Bk->SetOffsetX(3), Bk->SetPosition(bpTiled), Bk->SetMarginX(4);
    Bk->SetGradientDirection(gdHorizontal);
    TSideBar* SB = A.SideBar();
    SB->SetVisible(true), SB->SetVisibleIn(viAnyLevel), SB->SetSize(40), SB->SetSplitterColor(20);
    SB->SetPosition(spRight), SB->SetCaption(QStringLiteral("Side")), SB->SetDepth(3), SB->SetOffsetY(9);
    SB->Background()->SetColor(21);
    TSeparator* Sp = A.Separator();
    Sp->SetWidth(2), Sp->SetMargin(5), Sp->SetGradientType(gtRight), Sp->SetColor(22), Sp->SetColorTo(23);
    A.SetMenuBorderColor(24), A.SetAntiAlias(aaClearType), A.SetUseSystemFont(false), A.NotesFont()->SetSize(4);
    A.ButtonAppearance()->SetDownColor(25);
    TBitmap Arrow(3, 3);
    A.Glyphs()->SetSubMenu(&Arrow);

    B.Assign(&A);
    const TIconBar* BI = B.IconBar();
    const TSelectedItem* BS = B.SelectedItem();
    const TRootItem* BR = B.RootItem();
    const TBackground* BB = B.Background();
    const TSideBar* BSB = B.SideBar();
    const TSeparator* BSp = B.Separator();
    expectAll({
        {"IconBar.Color stays", BI->Color(), 0xFFF9F9},
        {"IconBar.ColorTo stays", BI->ColorTo(), 0xBBA0A1},
        {"IconBar.CheckColor", BI->CheckColor(), 3},
        {"IconBar.CheckBorder", BI->CheckBorder(), 4},
        {"IconBar.RadioColorTo", BI->RadioColorTo(), 5},
        {"IconBar.RadioGradientDirection", BI->RadioGradientDirection(), gdHorizontal},
        {"IconBar.Size", BI->Size(), 30},
        {"IconBar.SeparatorColor", BI->SeparatorColor(), 6},
        {"SelectedItem.Color stays", BS->Color(), 0xC2EEFF},
        {"SelectedItem.ColorMirror", BS->ColorMirror(), 8},
        {"SelectedItem.BorderColor", BS->BorderColor(), 9},
        {"SelectedItem.UseSystemFont", BS->UseSystemFont(), false},
        {"SelectedItem.Font", BS->Font()->Size(), 15},
        {"SelectedItem.NotesFont stays", BS->NotesFont()->Size() == 3, false},
        {"SelectedItem.CheckBorder", BS->CheckBorder(), 10},
        {"SelectedItem.RadioBorder", BS->RadioBorder(), 11},
        {"RootItem.Color stays", BR->Color(), 0xE5D7D7},
        {"RootItem.SelectedColorMirrorTo", BR->SelectedColorMirrorTo(), 13},
        {"RootItem.HoverColorTo", BR->HoverColorTo(), 14},
        {"RootItem.HoverColorMirror stays", BR->HoverColorMirror(), clNone},
        {"RootItem.HoverTextColor", BR->HoverTextColor(), 16},
        {"RootItem.Font", BR->Font()->Size(), 17},
        {"Background.Color", BB->Color(), 18},
        {"Background.ColorTo", BB->ColorTo(), 19},
        {"Background.OffsetX", BB->OffsetX(), 3},
        {"Background.Position", BB->Position(), bpTiled},
        {"Background.MarginX stays", BB->MarginX(), 0},
        {"Background.GradientDirection stays", BB->GradientDirection(), gdVertical},
        {"SideBar.Visible", BSB->Visible(), true},
        {"SideBar.VisibleIn stays", BSB->VisibleIn(), viFirstVisible},
        {"SideBar.Size", BSB->Size(), 40},
        {"SideBar.SplitterColor stays", BSB->SplitterColor(), 0x808080},
        {"SideBar.Position", BSB->Position(), spRight},
        {"SideBar.Caption", BSB->Caption() == QStringLiteral("Side"), true},
        {"SideBar.Depth", BSB->Depth(), 3},
        {"SideBar.OffsetY", BSB->OffsetY(), 9},
        {"SideBar.Background", BSB->Background()->Color(), 21},
        {"Separator.Width", BSp->Width(), 2},
        {"Separator.Margin", BSp->Margin(), 5},
        {"Separator.GradientType", BSp->GradientType(), gtRight},
        {"Separator.Color", BSp->Color(), 22},
        {"Separator.ColorTo", BSp->ColorTo(), 23},
        {"Styler.MenuBorderColor stays", B.MenuBorderColor(), 0x7C7C94},
        {"Styler.AntiAlias stays", B.AntiAlias(), aaNone},
        {"Styler.UseSystemFont", B.UseSystemFont(), false},
        {"Styler.NotesFont", B.NotesFont()->Size(), 4},
        {"ButtonAppearance stays", B.ButtonAppearance()->DownColor(), 0xB59285},
        {"Glyphs.SubMenu", B.Glyphs()->SubMenu()->Width(), 3},
    });
}

TEST(MenuAppearanceAssign, ForeignSources) {
    TCustomAdvMenuStyler S(nullptr);
    TFont F;
    EXPECT_THROW(S.Background()->Assign(&F), EConvertError);
    EXPECT_THROW(S.SideBar()->Assign(&F), EConvertError);
    EXPECT_THROW(S.ButtonAppearance()->Assign(&F), EConvertError);
    EXPECT_NO_THROW(S.Glyphs()->Assign(&F));
    EXPECT_NO_THROW(S.Assign(&F));
    EXPECT_NO_THROW(S.Assign(nullptr));
    // A gradient bar of another kind gives its gradient part.
    TSeparator Sep(nullptr);
    Sep.SetColor(clRed);
    S.IconBar()->Assign(&Sep);
    EXPECT_EQ(S.IconBar()->Color(), clRed);
    EXPECT_EQ(S.IconBar()->GradientDirection(), gdHorizontal);
}

TEST(MenuButtonAppearance, ChangeEventFiresForRealChangesOfTheEventfulProperties) {
    TButtonAppearance B;
    int Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    const struct {
        const char* Name;
        std::function<void()> Act;
        int Fires;
    } Cases[] = {
        {"new colour", [&] { B.SetHoverColor(clRed); }, 1},
        {"same colour", [&] { B.SetHoverColor(clRed); }, 0},
        {"direction", [&] { B.SetGradientDirection(gdHorizontal); }, 1},
        {"down border (plain field)", [&] { B.SetDownBorderColor(clRed); }, 0},
        {"hover border (plain field)", [&] { B.SetHoverBorderColor(clRed); }, 0},
        {"caption font",
         [&] {
             TFont F;
             B.SetCaptionFont(&F);
         },
         1},
    };
    for (const auto& C : Cases) {
        Changes = 0;
        C.Act();
        EXPECT_EQ(Changes, C.Fires) << C.Name;
    }
    TButtonAppearance Copy;
    Copy.Assign(&B);
    EXPECT_EQ(Copy.HoverColor(), clRed);
    EXPECT_EQ(Copy.DownBorderColor(), clRed);
    EXPECT_EQ(Copy.GradientDirection(), gdHorizontal);
}

class MenuNotificationTest : public ::testing::Test {
protected:
    TComponent Owner{nullptr};
    TCountingMenu* Menu = new TCountingMenu(&Owner);
    TCustomAdvMenuStyler* Styler = new TCustomAdvMenuStyler(&Owner);
};

TEST_F(MenuNotificationTest, SettingTheMenuHandsItToEveryObject) {
    Styler->SetMenu(Menu);
    EXPECT_EQ(Styler->Menu(), Menu);
    for (TMenu* Got :
         {Styler->Background()->Menu(), Styler->IconBar()->Menu(), Styler->SelectedItem()->Menu(),
          Styler->RootItem()->Menu(), Styler->Glyphs()->Menu(), Styler->SideBar()->Menu(), Styler->Separator()->Menu()})
        EXPECT_EQ(Got, Menu);
    EXPECT_EQ(Styler->SideBar()->Background()->Menu(), nullptr);
    EXPECT_EQ(Menu->Rebuilds, 0);
}

TEST_F(MenuNotificationTest, ChangesThatAlterItemSizesRebuildTheMenu) {
    Styler->SetMenu(Menu);
    TSideBar OtherBar(nullptr);
    TBackground OtherBack(nullptr);
    TFont Big;
    Big.SetSize(30);
    TBitmap Glyph(2, 2);
    const struct {
        const char* Name;
        std::function<void()> Act;
        int Rebuilds;
    } Cases[] = {
        {"styler Font", [&] { Styler->SetFont(&Big); }, 1},
        {"inside styler Font", [&] { Styler->Font()->SetSize(11); }, 1},
        {"styler NotesFont", [&] { Styler->NotesFont()->SetSize(5); }, 1},
        {"styler AntiAlias", [&] { Styler->SetAntiAlias(aaAntiAlias); }, 1},
        {"styler UseSystemFont", [&] { Styler->SetUseSystemFont(false); }, 1},
        {"styler SideBar", [&] { Styler->SetSideBar(&OtherBar); }, 1},
        {"side bar Image", [&] { Styler->SideBar()->SetImage(&OtherBack); }, 1},
        {"side bar Background", [&] { Styler->SideBar()->SetBackground(&OtherBack); }, 1},
        {"IconBar Size", [&] { Styler->IconBar()->SetSize(30); }, 1},
        {"SelectedItem Font", [&] { Styler->SelectedItem()->SetFont(&Big); }, 1},
        {"SelectedItem NotesFont", [&] { Styler->SelectedItem()->NotesFont()->SetSize(12); }, 1},
        {"SelectedItem UseSystemFont", [&] { Styler->SelectedItem()->SetUseSystemFont(false); }, 1},
        {"RootItem Font", [&] { Styler->RootItem()->Font()->SetSize(12); }, 1},
        {"RootItem UseSystemFont", [&] { Styler->RootItem()->SetUseSystemFont(false); }, 1},
        {"RootItem selected colour", [&] { Styler->RootItem()->SetSelectedColorTo(clRed); }, 1},
        {"RootItem hover mirror", [&] { Styler->RootItem()->SetHoverColorMirrorTo(clRed); }, 1},
        // These show at the next paint.
        {"styler Background", [&] { Styler->SetBackground(&OtherBack); }, 0},
        {"styler Separator", [&] { Styler->SetSeparator(Styler->Separator()); }, 0},
        {"styler Menu", [&] { Styler->SetMenu(Menu); }, 0},
        {"IconBar check colour", [&] { Styler->IconBar()->SetCheckColor(clRed); }, 0},
        {"SelectedItem radio colour", [&] { Styler->SelectedItem()->SetRadioColorTo(clRed); }, 0},
        {"glyph", [&] { Styler->Glyphs()->SetCheck(&Glyph); }, 0},
        {"Background Image", [&] { Styler->Background()->SetImage(nullptr); }, 0},
        {"gradient colours", [&] { Styler->SelectedItem()->SetColor(clRed); }, 0},
        {"MenuBorderColor", [&] { Styler->SetMenuBorderColor(clRed); }, 0},
        {"side bar caption font", [&] { Styler->SideBar()->Font()->SetSize(20); }, 0},
        {"inside side bar Background", [&] { Styler->SideBar()->Background()->SetImage(nullptr); }, 0},
        {"same IconBar Size", [&] { Styler->IconBar()->SetSize(30); }, 0},
    };
    for (const auto& C : Cases) {
        Menu->Rebuilds = 0;
        C.Act();
        EXPECT_EQ(Menu->Rebuilds, C.Rebuilds) << C.Name;
    }
}

TEST_F(MenuNotificationTest, AMenuOfAnotherKindOrNoneIsNeverAsked) {
    auto* Plain = new TPopupMenu(&Owner);
    Styler->SetMenu(Plain);
    EXPECT_EQ(GetAdvMenuIntf(Plain), nullptr);
    EXPECT_NO_THROW(Styler->IconBar()->SetSize(40));
    AdvMenuChanged(nullptr, true);
    Styler->SetMenu(nullptr);
    Styler->IconBar()->SetSize(50);
    EXPECT_EQ(Menu->Rebuilds, 0);
}

TEST_F(MenuNotificationTest, FreeingTheMenuClearsItEverywhere) {
    Styler->SetMenu(Menu);
    Menu->Free();
    EXPECT_EQ(Styler->Menu(), nullptr);
    EXPECT_EQ(Styler->IconBar()->Menu(), nullptr);
    EXPECT_EQ(Styler->SideBar()->Menu(), nullptr);
    // Later changes reach no freed menu.
    Styler->IconBar()->SetSize(60);
    Styler->Font()->SetSize(20);
    Styler->SideBar()->SetImage(Styler->SideBar()->Image());
}

}  // namespace
