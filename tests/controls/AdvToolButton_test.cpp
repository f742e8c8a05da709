#include "components/controls/AdvToolButton.h"

#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "tests/support/PanelFixture.h"

#include <gtest/gtest.h>

namespace {

class ToolButtonTest : public PanelFixture {
protected:
    ToolButtonTest() : PanelFixture(240, TTestPointer::FarAway) {}

    std::vector<std::string> Events;

    TAdvToolButton* button(int Left, int GroupIndex = 0, int Width = 40, int Height = 30) {
        auto* B = new TAdvToolButton(Form.get());
        B->SetParent(Panel);
        B->SetBounds(Left, 0, Width, Height);
        B->SetGroupIndex(GroupIndex);
        return B;
    }
    void countClicks(TAdvToolButton* B) {
        B->OnClick = [this](TObject*) { Events.push_back("click"); };
    }
    static void press(TAdvToolButton* B, int X, int Y) { B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    static void release(TAdvToolButton* B, int X, int Y) { B->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    // A solid-coloured look so fills and borders can be told apart.
    static void paintable(TAdvToolButton* B) {
        B->SetColor(0x101010);
        B->SetColorTo(clNone);
        B->SetColorHot(0x00C000);
        B->SetColorHotTo(clNone);
        B->SetBorderHotColor(0x0000C0);
        B->SetColorDown(0xC00000);
        B->SetColorDownTo(clNone);
        B->SetBorderDownColor(0xC000C0);
    }
};

TEST_F(ToolButtonTest, DefaultsAndVersion) {
    TAdvToolButton* B = button(0);
    auto* Fresh = new TAdvToolButton(Form.get());
    EXPECT_EQ(Fresh->Width(), 23);
    EXPECT_EQ(Fresh->Height(), 22);
    EXPECT_EQ(Fresh->Color(), clBtnFace);
    EXPECT_EQ(Fresh->GetComponentStyle(), tsOffice2003Blue);
    EXPECT_EQ(B->Version(), QStringLiteral("1.6.2.0"));
    B->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(B->Version(), QStringLiteral("1.6.2.0"));
}

TEST_F(ToolButtonTest, SetDownRules) {
    const struct {
        const char* Name;
        int Group;
        TAdvToolButtonStyle Style;
        bool AllowAllUp;
        bool First, Second;  // Down written twice
        bool Expected;
    } Cases[] = {
        {"plain button never down", 0, tasButton, false, true, true, false},
        {"check button toggles freely", 0, tasCheck, false, true, false, false},
        {"grouped stays down", 1, tasButton, false, true, false, true},
        {"grouped with all-up releases", 1, tasButton, true, true, false, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TAdvToolButton* B = button(0, C.Group);
        B->SetStyle(C.Style);
        B->SetAllowAllUp(C.AllowAllUp);
        B->SetDown(C.First);
        B->SetDown(C.Second);
        EXPECT_EQ(B->Down(), C.Expected);
        B->Free();
    }
}

TEST_F(ToolButtonTest, GroupIsExclusiveAndSharesAllowAllUp) {
    TAdvToolButton* A = button(0, 1);
    TAdvToolButton* B = button(50, 1);
    TAdvToolButton* Other = button(100, 2);
    Other->SetDown(true);
    A->SetDown(true);
    B->SetDown(true);
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
    EXPECT_TRUE(B->Down());
    EXPECT_EQ(B->State(), bsExclusive);
    EXPECT_TRUE(Other->Down()) << "another group is not touched";

    A->SetAllowAllUp(true);
    EXPECT_TRUE(B->AllowAllUp());
    EXPECT_FALSE(Other->AllowAllUp());
    B->SetDown(false);
    EXPECT_FALSE(B->Down());
}

TEST_F(ToolButtonTest, PressAndReleaseMatrix) {
    const struct {
        const char* Name;
        int Group;
        bool AllowAllUp;
        bool DownBefore;
        int UpX, UpY;
        bool WithOnClick;
        int Clicks;
        bool DownAfter;
        TButtonState StateAfter;
    } Cases[] = {
        {"plain inside", 0, false, false, 20, 15, true, 1, false, bsUp},
        {"plain inside, no handler", 0, false, false, 20, 15, false, 0, false, bsUp},
        {"plain outside", 0, false, false, 60, 15, true, 0, false, bsUp},
        {"row below counts as inside", 0, false, false, 20, 30, true, 1, false, bsUp},
        {"group up inside goes down", 1, false, false, 20, 15, true, 1, true, bsExclusive},
        {"group down inside stays down", 1, false, true, 20, 15, true, 1, true, bsExclusive},
        {"group down inside with all-up", 1, true, true, 20, 15, true, 1, false, bsUp},
        {"group down outside back to exclusive", 1, false, true, 20, 45, true, 0, true, bsExclusive},
        {"group up outside", 1, false, false, -1, 15, false, 0, false, bsUp},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        TAdvToolButton* B = button(0, C.Group);
        B->SetAllowAllUp(C.AllowAllUp);
        B->SetDown(C.DownBefore);
        if (C.WithOnClick) countClicks(B);
        press(B, 10, 10);
        B->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(C.UpX, C.UpY));
        release(B, C.UpX, C.UpY);
        EXPECT_EQ(static_cast<int>(Events.size()), C.Clicks);
        EXPECT_EQ(B->Down(), C.DownAfter);
        EXPECT_EQ(B->State(), C.StateAfter);
        B->Free();
    }
}

TEST_F(ToolButtonTest, GroupReleaseOutsideWithoutMoveLeavesNoPressedLook) {
    for (const bool DownBefore : {false, true}) {
        SCOPED_TRACE(DownBefore ? "down" : "up");
        TAdvToolButton* B = button(0, 1);
        B->SetDown(DownBefore);
        press(B, 10, 10);
        release(B, 80, 10);
        EXPECT_EQ(B->Down(), DownBefore);
        EXPECT_EQ(B->State(), DownBefore ? bsExclusive : bsUp);
        B->Free();
    }
}

TEST_F(ToolButtonTest, CheckButtonTogglesOnlyOnClick) {
    TAdvToolButton* B = button(0);
    B->SetStyle(tasCheck);
    press(B, 10, 10);
    release(B, 10, 10);
    EXPECT_TRUE(B->Down());
    press(B, 10, 10);
    release(B, 80, 10);
    EXPECT_TRUE(B->Down()) << "releasing outside cancels the press";
    press(B, 10, 10);
    release(B, 10, 10);
    EXPECT_FALSE(B->Down());
}

TEST_F(ToolButtonTest, DropDownArea) {
    auto* Menu = new TPopupMenu(Form.get());
    std::vector<TPoint> Shown;
    const TMenuRunner Old = SetMenuRunner([&](TPopupMenu* M, int X, int Y) -> TMenuItem* {
        EXPECT_EQ(M, Menu);
        Shown.push_back(Point(X, Y));
        return nullptr;
    });
    const struct {
        const char* Name;
        bool Split;
        int X;
        bool Opens;
    } Cases[] = {
        {"arrow area", true, 35, true},
        {"arrow area edge is the button", true, 28, false},
        {"button part", true, 5, false},
        {"no split: anywhere", false, 5, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        Shown.clear();
        TAdvToolButton* B = button(10);
        B->SetDropDownButton(true);
        B->SetDropDownSplit(C.Split);
        B->SetDropDownMenu(Menu);
        countClicks(B);
        B->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
        press(B, C.X, 10);
        release(B, C.X, 10);
        if (C.Opens) {
            EXPECT_EQ(Events, std::vector<std::string>{"dropdown"});
            ASSERT_EQ(Shown.size(), 1u);
            EXPECT_EQ(Shown[0], Panel->ClientToScreen(Point(10, 30)));
        } else {
            EXPECT_EQ(Events, std::vector<std::string>{"click"});
            EXPECT_TRUE(Shown.empty());
        }
        B->Free();
    }
    SetMenuRunner(Old);
    // A freed menu is dropped.
    TAdvToolButton* B = button(0);
    B->SetDropDownMenu(Menu);
    delete Menu;
    EXPECT_EQ(B->DropDownMenu(), nullptr);
}

TEST_F(ToolButtonTest, AcceleratorClicks) {
    TAdvToolButton* B = button(0);
    B->SetCaption(QStringLiteral("&Add"));
    countClicks(B);
    Form->Show();
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'a', 0), 1);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'A', 0), 1);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'd', 0), 0);
    EXPECT_EQ(Events.size(), 2u);
    B->SetEnabled(false);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    B->SetEnabled(true);
    B->SetVisible(false);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    EXPECT_EQ(Events.size(), 2u);
}

TEST_F(ToolButtonTest, BadValuesAreIgnored) {
    TAdvToolButton* B = button(0);
    B->SetMargin(3);
    B->SetMargin(-2);
    EXPECT_EQ(B->Margin(), 3);
    B->SetLook(7);
    B->SetLook(25);
    B->SetLook(-1);
    EXPECT_EQ(B->Look(), 7);
    EXPECT_EQ(B->Color(), TColor(0xEBEEEF));
    B->SetColorHot(0x123456);
    B->SetComponentStyle(tsCustom);
    EXPECT_EQ(B->GetComponentStyle(), tsCustom);
    EXPECT_EQ(B->ColorHot(), TColor(0x123456));
}

// Rows written out again from the table, so a slip in either copy shows.
TEST_F(ToolButtonTest, LooksByNumberAndByStyle) {
    const struct {
        int Look;
        TColor Color, ColorTo, ColorHot, ColorDown, ColorChecked, BorderColor, BorderHot, BorderDown;
        bool Rounded;
    } Spot[] = {
        {0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE0E6E7, clWhite, clNone, 0xC3CECE, 0xAF987A, true},
        {2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, clNone, clBlack, clBlack, false},
        {5, clBtnFace, clNone, clBtnFace, 0xD8D3D2, 0xCAC7C7, clNone, clNone, clNone, false},
        {13, clBtnFace, clBtnFace, clSilver, clHighlight, clWhite, clGray, clGray, clGray, false},
        {16, 0xBFBFBF, 0x919191, 0x8AE3FD, 0x6CD0FF, 0x6CD0FF, 0x6D6D6D, 0x58CAF1, 0x308AC2, true},
        {24, 0x363636, 0x363636, 0x6A6A6A, 0x444444, 0x575757, 0x444444, 0x6A6A6A, 0x444444, false},
    };
    TAdvToolButton* B = button(0);
    for (const auto& S : Spot) {
        SCOPED_TRACE(S.Look);
        B->SetFlat(false);
        B->SetLook(S.Look);
        EXPECT_TRUE(B->Flat());
        EXPECT_EQ(B->Color(), S.Color);
        EXPECT_EQ(B->ColorTo(), S.ColorTo);
        EXPECT_EQ(B->ColorHot(), S.ColorHot);
        EXPECT_EQ(B->ColorDown(), S.ColorDown);
        EXPECT_EQ(B->ColorChecked(), S.ColorChecked);
        EXPECT_EQ(B->BorderColor(), S.BorderColor);
        EXPECT_EQ(B->BorderHotColor(), S.BorderHot);
        EXPECT_EQ(B->BorderDownColor(), S.BorderDown);
        EXPECT_EQ(B->Rounded(), S.Rounded);
    }
    for (int L = 0; L < ToolButtonLookCount; ++L) {
        B->SetLook(L);
        const ToolButtonLook& Row = ToolButtonLooks(L);
        EXPECT_EQ(B->Look(), L);
        EXPECT_EQ(B->ColorCheckedTo(), Row.ColorCheckedTo);
        EXPECT_EQ(B->ColorHotTo(), Row.ColorHotTo);
        EXPECT_EQ(B->ColorDownTo(), Row.ColorDownTo);
    }
    EXPECT_EQ(memcmp(&ToolButtonLooks(17), &ToolButtonLooks(21), sizeof(ToolButtonLook)), 0);

    const int ByStyle[] = {2, 4, 3, 1, 8, 9, 0, 7, -1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    for (int S = 0; S <= tsOffice2016Black; ++S) {
        SCOPED_TRACE(S);
        B->SetLook(5);
        B->SetComponentStyle(static_cast<TTesselStyle>(S));
        EXPECT_EQ(B->GetComponentStyle(), static_cast<TTesselStyle>(S));
        EXPECT_EQ(B->Look(), ByStyle[S] < 0 ? 5 : ByStyle[S]);
        ITesselStyle* Intf = nullptr;
        ASSERT_TRUE(Supports<ITesselStyle>(B, &Intf));
    }
}

TEST_F(ToolButtonTest, CalcButtonLayoutWithComputedMarginAndSpacing) {
    TAdvToolButton* B = button(0, 0, 100, 80);
    auto G = squareGlyph(clRed, 2, 8);
    B->SetGlyph(G.get());
    B->SetCaption(QStringLiteral("Go"));
    B->SetMargin(-1);
    B->SetSpacing(-1);
    const TRect R = Rect(2, 3, 98, 77);  // 96 x 74
    B->SetLayout(blGlyphLeft);
    const TToolButtonLayout Probe = B->CalcButtonLayout(R, 0);
    const int Tw = Probe.TextBounds.Width(), Th = Probe.TextBounds.Height();
    ASSERT_GT(Tw, 0);
    ASSERT_GT(Th, 0);
    const struct {
        TButtonLayout Layout;
        int GX, GY, TX, TY;
    } Cases[] = {
        {blGlyphLeft, (96 - 10 - Tw) / 3, (74 - 10 + 1) / 2, 2 * ((96 - 10 - Tw) / 3) + 10, (74 - Th + 1) / 2},
        {blGlyphRight, 96 - (96 - 10 - Tw) / 3 - 10, (74 - 10 + 1) / 2,
         96 - (96 - 10 - Tw) / 3 - 10 - (96 - 10 - Tw) / 3 - Tw, (74 - Th + 1) / 2},
        {blGlyphTop, (96 - 10 + 1) / 2, (74 - 10 - Th) / 3, (96 - Tw + 1) / 2, 2 * ((74 - 10 - Th) / 3) + 10},
        {blGlyphBottom, (96 - 10 + 1) / 2, 74 - (74 - 10 - Th) / 3 - 10, (96 - Tw + 1) / 2,
         74 - (74 - 10 - Th) / 3 - 10 - (74 - 10 - Th) / 3 - Th},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Layout);
        B->SetLayout(C.Layout);
        const TToolButtonLayout L = B->CalcButtonLayout(R, 1);
        EXPECT_EQ(L.GlyphPos, Point(C.GX + 2 + 1, C.GY + 3 + 1));
        EXPECT_EQ(L.TextBounds, Rect(C.TX + 3, C.TY + 4, C.TX + 3 + Tw, C.TY + 4 + Th));
    }
    // Only the margin computed; no caption means no spacing.
    B->SetLayout(blGlyphLeft);
    B->SetSpacing(4);
    B->SetShowCaption(false);
    EXPECT_EQ(B->CalcButtonLayout(R, 0).GlyphPos.X, 2 + (96 - 10 + 1) / 2);
}

TEST_F(ToolButtonTest, SixteenBandGradient) {
    TAdvToolButton* B = button(0, 0, 40, 32);
    B->SetColor(0x000000);
    B->SetColorTo(0xF0F0F0);
    auto Img = render();
    // R is (1, 1, 39, 31): 30 rows, bands of 1.875.
    for (int I = 0; I < 16; ++I) {
        const int Level = static_cast<int>(Round(I * 15.0));
        EXPECT_EQ(Img->Canvas()->Pixels(20, 1 + static_cast<int>(Round(I * 1.875))), RGB(Level, Level, Level)) << I;
    }
    EXPECT_EQ(Img->Canvas()->Pixels(20, 0), clWhite) << "the outer row is the parent's";
}

TEST_F(ToolButtonTest, HotAndDownFillsAndBorders) {
    TAdvToolButton* B = button(0, 0, 40, 30);
    paintable(B);
    auto Normal = render();
    EXPECT_EQ(Normal->Canvas()->Pixels(20, 10), TColor(0x101010));

    B->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_TRUE(B->MouseInControl());
    auto Hot = render();
    EXPECT_EQ(Hot->Canvas()->Pixels(20, 10), TColor(0x00C000));
    EXPECT_EQ(Hot->Canvas()->Pixels(0, 10), TColor(0x0000C0)) << "border on the outer row when a down border exists";

    press(B, 10, 10);
    auto Down = render();
    EXPECT_EQ(Down->Canvas()->Pixels(20, 10), TColor(0xC00000));
    EXPECT_EQ(Down->Canvas()->Pixels(0, 10), TColor(0xC000C0));

    // Not flat: never the hot colours.
    release(B, 10, 10);
    B->SetFlat(false);
    B->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(B->MouseInControl());
    EXPECT_NE(render()->Canvas()->Pixels(20, 10), TColor(0x00C000));
}

TEST_F(ToolButtonTest, DisabledGlyphIsGreyAndFollowsGlyph) {
    TAdvToolButton* B = button(0);
    auto G = std::make_unique<TBitmap>(2, 1);
    G->Canvas()->SetPixels(0, 0, RGB(30, 60, 90));     // (180 / 3) / 2 + 96 = 126
    G->Canvas()->SetPixels(1, 0, RGB(255, 255, 255));  // 223
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(0, 0), RGB(126, 126, 126));
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(1, 0), RGB(223, 223, 223));

    G->Canvas()->SetPixels(0, 0, RGB(0, 0, 0));  // 96
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(0, 0), RGB(96, 96, 96)) << "rebuilt for the new glyph";

    auto Mine = std::make_unique<TBitmap>(1, 1);
    Mine->Canvas()->SetPixels(0, 0, clRed);
    B->SetGlyphDisabled(Mine.get());
    B->SetGlyph(G.get());
    EXPECT_EQ(B->GlyphDisabled()->Canvas()->Pixels(0, 0), clRed) << "an assigned disabled glyph is kept";
}

TEST_F(ToolButtonTest, ShadowSilhouetteWhileHot) {
    TAdvToolButton* B = button(0, 0, 40, 24);
    paintable(B);
    B->SetBorderDownColor(clNone);
    B->SetMargin(0);
    auto First = squareGlyph(clBlue, 0, 4);
    B->SetGlyph(First.get());
    auto G = squareGlyph(clRed, 2, 8);
    B->SetGlyph(G.get());  // the shadow follows the newest glyph
    B->Perform(CM_MOUSEENTER, 0, 0);
    auto Img = render();
    // R = (2, 2, 38, 22), lifted by one: glyph at (1, 6), its shadow at (3, 8).
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 4, 6 + 4), clRed);
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 9, 6 + 9), clGray);
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 4, 6 + 9), clGray);
    EXPECT_EQ(Img->Canvas()->Pixels(1 + 1, 6 + 1), TColor(0x00C000)) << "transparent glyph corner shows the fill";

    B->Perform(CM_MOUSELEAVE, 0, 0);
    auto Cold = render();
    EXPECT_EQ(Cold->Canvas()->Pixels(1 + 10, 7 + 9), TColor(0x101010)) << "no shadow when not hot";
}

TEST_F(ToolButtonTest, DottedOutlineInDesignMode) {
    TAdvToolButton* B = button(0, 0, 40, 30);
    B->SetDesigning(true);
    auto Img = render();
    int Blue = 0, Other = 0;
    for (int X = 0; X < 39; ++X) (Img->Canvas()->Pixels(X, 0) == TColor(0xFF0000) ? Blue : Other)++;
    EXPECT_GT(Blue, 5);
    EXPECT_GT(Other, 5) << "dotted, not solid";
    EXPECT_EQ(Img->Canvas()->Pixels(0, 10) == TColor(0xFF0000) || Img->Canvas()->Pixels(0, 11) == TColor(0xFF0000),
              true);

    B->SetCaption(QStringLiteral("X"));
    auto WithCaption = render();
    int BlueAfter = 0;
    for (int X = 0; X < 39; ++X) BlueAfter += WithCaption->Canvas()->Pixels(X, 0) == TColor(0xFF0000);
    EXPECT_EQ(BlueAfter, 0);
}

TEST_F(ToolButtonTest, TesselStyleStreamsWithoutApplyingALook) {
    TAdvToolButton* B = button(0);
    B->SetComponentStyle(tsOffice2010Black);
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, B);

    TAdvToolButton* Target = button(50);
    Target->SetLook(5);
    Stream.SetPosition(0);
    ReadComponentFromStream(&Stream, Target);
    EXPECT_EQ(Target->GetComponentStyle(), tsOffice2010Black);
    EXPECT_EQ(Target->Look(), 5);
    EXPECT_EQ(Target->Color(), clBtnFace);

    // A value outside the styles is refused and changes nothing.
    TMemoryStream Bad;
    TWriter W(&Bad);
    W.WriteSignature();
    W.WriteStr(QStringLiteral("TAdvToolButton"));
    W.WriteStr(String());
    W.WritePropName(QStringLiteral("TesselStyle"));
    W.WriteInteger(99);
    W.WriteListEnd();
    W.WriteListEnd();
    Bad.SetPosition(0);
    EXPECT_THROW(ReadComponentFromStream(&Bad, Target), EReadError);
    EXPECT_EQ(Target->GetComponentStyle(), tsOffice2010Black);
    EXPECT_FALSE(Target->ComponentState().Contains(csLoading));
}

TEST_F(ToolButtonTest, ActionDrivesCaptionGroupAndClick) {
    auto* List = new TActionList(Form.get());
    auto* A = new TAction(Form.get());
    A->SetActionList(List);
    A->SetCaption(QStringLiteral("Start"));
    A->SetGroupIndex(3);
    int Executed = 0;
    A->OnExecute = [&](TObject*) { ++Executed; };
    TAdvToolButton* B = button(0);
    B->SetAction(A);
    EXPECT_EQ(B->Caption(), QStringLiteral("Start"));
    EXPECT_EQ(B->GroupIndex(), 3);
    press(B, 5, 5);
    release(B, 5, 5);
    EXPECT_EQ(Executed, 1);
    A->SetEnabled(false);
    EXPECT_FALSE(B->Enabled());
    delete A;
    EXPECT_EQ(B->Action(), nullptr);
}

}  // namespace
