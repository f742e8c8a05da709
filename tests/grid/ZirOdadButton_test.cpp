#include "components/grid/ZirOdadButton.h"

#include "framework/ui/Menus.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"
#include "tests/support/PanelFixture.h"

#include <gtest/gtest.h>

namespace {

class GlyphButtonTest : public PanelFixture {
protected:
    GlyphButtonTest() : PanelFixture(240, TTestPointer::FarAway) {}

    std::vector<std::string> Events;

    TZirOdadButton* button(int Left, int GroupIndex = 0) {
        auto* B = new TZirOdadButton(Form.get());
        B->SetParent(Panel);
        B->SetLeft(Left);
        B->SetGroupIndex(GroupIndex);
        B->OnClick = [this](TObject*) { Events.push_back("click"); };
        return B;
    }
    static void press(TZirOdadButton* B, int X, int Y) { B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    static void release(TZirOdadButton* B, int X, int Y) { B->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    static void click(TZirOdadButton* B) {
        press(B, 5, 5);
        release(B, 5, 5);
    }
    // A 16 x 16 glyph: a red square inside a white (transparent) border of 2 pixels.
    static std::unique_ptr<TBitmap> glyph16() {
        auto G = std::make_unique<TBitmap>(16, 16);
        G->Canvas()->Brush()->SetColor(clWhite);
        G->Canvas()->FillRect(Rect(0, 0, 16, 16));
        G->Canvas()->Brush()->SetColor(clRed);
        G->Canvas()->FillRect(Rect(2, 2, 14, 14));
        return G;
    }
};

TEST_F(GlyphButtonTest, Defaults) {
    TZirOdadButton* B = button(0);
    EXPECT_EQ(B->Width(), 23);
    EXPECT_EQ(B->Height(), 22);
    EXPECT_EQ(B->Color(), clBtnFace);
    EXPECT_EQ(B->ColorHot(), TColor(0xCAC7C7));
    EXPECT_EQ(B->ColorDown(), TColor(0xD8D3D2));
    EXPECT_EQ(B->ColorChecked(), clGray);
    EXPECT_EQ(B->BorderColor(), clNone);
    EXPECT_TRUE(B->Flat());
    EXPECT_TRUE(B->Shaded());
    EXPECT_TRUE(B->ShowCaption());
    EXPECT_EQ(B->Spacing(), 4);
    EXPECT_EQ(B->Margin(), -1);
    EXPECT_EQ(B->Style(), tasButton);
}

// Down written twice, per group, style and AllowAllUp.
TEST_F(GlyphButtonTest, GroupTable) {
    const struct {
        const char* Name;
        int Group;
        TZirOdadButtonStyle Style;
        bool AllowAllUp;
        bool First, Second;
        bool Expected;
        TButtonState State;
    } Cases[] = {
        {"ungrouped button never stays down", 0, tasButton, false, true, true, false, bsUp},
        // A down check button paints as pressed.
        {"check button toggles freely", 0, tasCheck, false, true, false, false, bsDown},
        {"check button down", 0, tasCheck, false, false, true, true, bsDown},
        {"grouped stays down", 1, tasButton, false, true, false, true, bsExclusive},
        {"grouped with all-up releases", 1, tasButton, true, true, false, false, bsUp},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TZirOdadButton* B = button(0, C.Group);
        B->SetStyle(C.Style);
        B->SetAllowAllUp(C.AllowAllUp);
        B->SetDown(C.First);
        B->SetDown(C.Second);
        EXPECT_EQ(B->Down(), C.Expected);
        EXPECT_EQ(B->State(), C.State);
        B->Free();
    }
}

TEST_F(GlyphButtonTest, GroupedButtonsRaiseEachOther) {
    TZirOdadButton* A = button(0, 1);
    TZirOdadButton* B = button(30, 1);
    TZirOdadButton* Other = button(60, 2);
    Other->SetDown(true);
    click(A);
    EXPECT_TRUE(A->Down());
    click(B);
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down()) << "pressing the second raises the first";
    EXPECT_EQ(A->State(), bsUp);
    EXPECT_TRUE(Other->Down()) << "another group is not touched";
    click(B);
    EXPECT_TRUE(B->Down()) << "clicking the down button again leaves it down";
    EXPECT_EQ(Events.size(), 3u);

    // AllowAllUp spreads through the group, and then a click raises the down button.
    A->SetAllowAllUp(true);
    EXPECT_TRUE(B->AllowAllUp());
    EXPECT_FALSE(Other->AllowAllUp());
    click(B);
    EXPECT_FALSE(B->Down());

    // A check button toggles on a click, not on a press released outside.
    TZirOdadButton* Check = button(90);
    Check->SetStyle(tasCheck);
    press(Check, 5, 5);
    release(Check, 40, 5);
    EXPECT_FALSE(Check->Down());
    click(Check);
    EXPECT_TRUE(Check->Down());
}

TEST_F(GlyphButtonTest, DropDownPartFiresOnDropDownAndTheMenuWithoutClick) {
    auto* Menu = new TPopupMenu(Form.get());
    std::vector<TPoint> Shown;
    const TMenuRunner Old = SetMenuRunner([&](TPopupMenu* M, int X, int Y) -> TMenuItem* {
        EXPECT_EQ(M, Menu);
        Shown.push_back(Point(X, Y));
        return nullptr;
    });
    TZirOdadButton* B = button(10);
    B->SetWidth(40);
    B->SetDropDownButton(true);
    B->SetDropDownMenu(Menu);
    B->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
    const struct {
        int X;
        bool Opens;
    } Cases[] = {{39, true}, {29, true}, {28, false}, {5, false}};  // the rightmost 12 pixels: X > 40 - 12
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.X);
        Events.clear();
        Shown.clear();
        press(B, C.X, 10);
        release(B, C.X, 10);
        if (C.Opens) {
            EXPECT_EQ(Events, std::vector<std::string>{"dropdown"});
            ASSERT_EQ(Shown.size(), 1u);
            EXPECT_EQ(Shown[0], Panel->ClientToScreen(Point(10, 22)));
            EXPECT_EQ(B->State(), bsUp);
        } else {
            EXPECT_EQ(Events, std::vector<std::string>{"click"});
            EXPECT_TRUE(Shown.empty());
        }
    }
    // Without a menu the event still fires.
    B->SetDropDownMenu(nullptr);
    Events.clear();
    press(B, 35, 10);
    release(B, 35, 10);
    EXPECT_EQ(Events, std::vector<std::string>{"dropdown"});
    EXPECT_TRUE(Shown.empty());
    SetMenuRunner(Old);
    B->SetDropDownMenu(Menu);
    delete Menu;
    EXPECT_EQ(B->DropDownMenu(), nullptr) << "a freed menu is dropped";
}

// The colour sets written out again: Color ColorTo ColorHot ColorHotTo ColorDown ColorDownTo
// ColorChecked ColorCheckedTo, border down and hot.
TEST_F(GlyphButtonTest, LooksZeroToSix) {
    const struct {
        TColor Colors[10];
    } Rows[] = {
        {{0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, clWhite, clNone, 0xAF987A, 0xC3CECE}},
        {{clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31}},
        {{0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack}},
        {{0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack}},
        {{0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack}},
        {{clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone}},
        {{0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, clGray, clGray}},
    };
    TZirOdadButton* B = button(0);
    for (int Look = 0; Look <= 6; ++Look) {
        SCOPED_TRACE(Look);
        B->SetFlat(false);
        B->SetBorderColor(0x123456);
        B->SetRounded(Look != 0);
        B->SetLook(Look);
        const TColor Actual[10] = {B->Color(),           B->ColorTo(),       B->ColorHot(),     B->ColorHotTo(),
                                   B->ColorDown(),       B->ColorDownTo(),   B->ColorChecked(), B->ColorCheckedTo(),
                                   B->BorderDownColor(), B->BorderHotColor()};
        for (int I = 0; I < 10; ++I) EXPECT_EQ(Actual[I], Rows[Look].Colors[I]) << "column " << I;
        EXPECT_EQ(B->BorderColor(), clNone);
        EXPECT_TRUE(B->Flat());
        EXPECT_EQ(B->Rounded(), Look == 0);
        EXPECT_EQ(B->Look(), Look);
    }
    // 7 (and anything else outside 0..6) changes nothing.
    B->SetFlat(false);
    for (int Look : {7, -1, 24}) {
        B->SetLook(Look);
        EXPECT_EQ(B->Look(), 6);
        EXPECT_EQ(B->Color(), TColor(0xCAFFFF));
        EXPECT_FALSE(B->Flat());
    }
}

TEST_F(GlyphButtonTest, ThemeAdaptTakesTheLookOfTheColourScheme) {
    TPlatformFactsScope Facts;
    const TThemeSettings Saved = ThemeSettings();
    PlatformFacts().MajorVersion = 5;
    PlatformFacts().MinorVersion = 1;
    TZirOdadButton* B = button(0);
    const struct {
        const char* Scheme;
        bool Active;
        int Look;
    } Cases[] = {{"NormalColor", true, 2},
                 {"HomeStead", true, 3},
                 {"Metallic", true, 4},
                 {"Aero", true, 1},
                 {"HomeStead", false, 1}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scheme);
        ThemeSettings().ColorName = QLatin1String(C.Scheme);
        ThemeSettings().Active = C.Active;
        B->SetAutoThemeAdapt(true);
        EXPECT_EQ(B->Look(), C.Look);
    }
    // A theme change reaches an adapting button.
    ThemeSettings() = Saved;
    ThemeSettings().ColorName = QStringLiteral("HomeStead");
    B->Perform(WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(B->Look(), 3);
    ThemeSettings() = Saved;
}

TEST_F(GlyphButtonTest, DisabledGlyphIsRoundedGrey) {
    TZirOdadButton* B = button(0);
    auto G = std::make_unique<TBitmap>(3, 1);
    G->Canvas()->SetPixels(0, 0, RGB(1, 2, 2));        // Round(5 / 3) = 2, div 2 = 1: 97 (truncated it reads 96)
    G->Canvas()->SetPixels(1, 0, RGB(30, 60, 90));     // 60 div 2 + 96 = 126
    G->Canvas()->SetPixels(2, 0, RGB(255, 255, 255));  // 127 + 96 = 223
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(0, 0), RGB(97, 97, 97));
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(1, 0), RGB(126, 126, 126));
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(2, 0), RGB(223, 223, 223));

    // A new glyph brings a new grey copy; an assigned disabled glyph is kept.
    G->Canvas()->SetPixels(1, 0, RGB(0, 0, 0));
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(1, 0), RGB(96, 96, 96));
    auto Mine = std::make_unique<TBitmap>(1, 1);
    Mine->Canvas()->SetPixels(0, 0, clRed);
    B->SetGlyphDisabled(Mine.get());
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(0, 0), clRed);
}

// 23 x 22, flat, default colours, no caption: R shrinks twice by one pixel to 19 x 18, and the
// glyph sits at ((19 - 16) div 2, (18 - 16) div 2) from the corner.
TEST_F(GlyphButtonTest, GlyphPlacementAndStateColours) {
    TZirOdadButton* B = button(0);
    auto G = glyph16();
    B->SetGlyph(G.get());
    auto Img = render();
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 2, 1 + 2), clRed) << "the glyph's first red pixel";
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 13, 1 + 13), clRed);
    EXPECT_NE(Img->Canvas()->Pixels(1 + 14, 1 + 14), clRed);
    EXPECT_NE(Img->Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(Img->Canvas()->Pixels(1, 1), ColorToRGB(clBtnFace)) << "transparent corner shows the face";
    EXPECT_EQ(Img->Canvas()->Pixels(0, 0), clWhite) << "the outer ring is the parent's";

    B->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_TRUE(B->MouseInControl());
    auto Hot = render();
    EXPECT_EQ(Hot->Canvas()->Pixels(1, 20), TColor(0xCAC7C7));
    EXPECT_EQ(Hot->Canvas()->Pixels(21, 1), TColor(0xCAC7C7));

    press(B, 5, 5);
    auto Down = render();
    EXPECT_EQ(Down->Canvas()->Pixels(1, 20), TColor(0xD8D3D2));
    EXPECT_EQ(Down->Canvas()->Pixels(1 + 2, 1 + 2), clRed) << "a pressed flat button keeps the glyph in place";
    release(B, 5, 5);

    // Disabled: the grey glyph.
    B->SetEnabled(false);
    auto Off = render();
    EXPECT_EQ(Off->Canvas()->Pixels(1 + 5, 1 + 5), B->GlyphDisabled()->Canvas()->Pixels(5, 5));
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(5, 5), RGB(138, 138, 138));  // Round(85) div 2 + 96
}

TEST_F(GlyphButtonTest, CaptionSplitsTheFreeSpaceInThree) {
    TZirOdadButton* B = button(0);
    B->SetBounds(0, 0, 100, 22);
    auto G = glyph16();
    B->SetGlyph(G.get());
    B->SetCaption(QStringLiteral("Find"));
    B->SetMargin(-1);
    B->SetSpacing(-1);
    const TSize Text = MeasureButtonCaption(Panel->Canvas(), QStringLiteral("Find"), 96, false);
    auto Img = render();
    // R is (2, 2, 98, 20): the glyph at 2 + (96 - 16 - tw) div 3.
    const int X = 2 + (96 - 16 - Text.cx) / 3;
    EXPECT_EQ(Img->Canvas()->Pixels(X + 2, 2 + 1 + 2), clRed);
    EXPECT_NE(Img->Canvas()->Pixels(X + 1, 2 + 1 + 2), clRed);
}

}  // namespace
