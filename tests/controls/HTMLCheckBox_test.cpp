#include "components/controls/HTMLCheckBox.h"
#include "components/controls/HTMLRadioButton.h"

#include "components/graphics/BtnXPVS.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/RecordingTheme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor Background = 0x00345612;  // no glyph uses it

class HTMLCheckBoxTest : public PanelFixture {
protected:
    HTMLCheckBoxTest() : PanelFixture(300, TTestPointer::FarAway) {}

    TRecordingShellService Shell;
    TShellServiceGuard ShellGuard{&Shell};
    TPlatformFactsScope Facts;
    std::vector<std::string> Events;

    template <class T>
    T* make(const String& Caption, int Width = 150, int Height = 20) {
        auto* C = new T(Form.get());
        C->SetParent(Panel);
        C->SetBounds(0, 0, Width, Height);
        C->SetColor(Background);
        C->SetCaption(Caption);
        return C;
    }
    template <class T>
    void record(T* C, const char* Tag = "") {
        auto Add = [this, Tag](const char* What) {
            return [this, Tag, What](TObject*, const String& A) {
                Events.push_back(Tag + std::string(What) + ":" + A.toStdString());
            };
        };
        C->OnAnchorClick = Add("anchor");
        C->OnAnchorEnter = Add("enter");
        C->OnAnchorExit = Add("exit");
        C->OnClick = [this, Tag](TObject*) { Events.push_back(Tag + std::string("click")); };
    }
    static void click(TControl* C, int X, int Y) {
        C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        C->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y));
    }
    static void space(TControl* C) {
        C->Perform(WM_KEYDOWN, VK_SPACE, 0);
        C->Perform(WM_KEYUP, VK_SPACE, 0);
    }
    void showAndFocus(TWinControl* C) {
        Form->Show();
        C->SetFocus();
        for (int I = 0; I < 20 && !C->Focused(); ++I) Application->ProcessMessages();
    }
    // The bounding box of the pixels in Area that differ from Back ((0, 0, 0, 0) when none).
    static TRect differing(TBitmap* B, const TRect& Area, TColor Back) {
        TRect Box{0, 0, 0, 0};
        bool Any = false;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) {
                if (B->Canvas()->Pixels(X, Y) == ColorToRGB(Back)) continue;
                Box = Any ? Rect(std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
                                 std::max(Box.Bottom, Y + 1))
                          : Rect(X, Y, X + 1, Y + 1);
                Any = true;
            }
        return Box;
    }
    static int count(TBitmap* B, const TRect& Area, TColor Color) {
        int N = 0;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X)
                if (B->Canvas()->Pixels(X, Y) == ColorToRGB(Color)) ++N;
        return N;
    }
    // Where a glyph resource shows: its pixels but the transparent ones, moved to (X, Y).
    static TRect resourceBox(const char* Name, int X, int Y) {
        TBitmap G;
        G.LoadFromResourceName(HInstance, QLatin1String(Name));
        const TRect Own = differing(&G, Rect(0, 0, G.Width(), G.Height()), G.Canvas()->Pixels(0, G.Height() - 1));
        return Rect(Own.Left + X, Own.Top + Y, Own.Right + X, Own.Bottom + Y);
    }
    // The glyph shows exactly in Box (or where Resource's picture lands at Box's corner), with
    // Mark among its pixels and without Absent (clNone: no requirement).
    static void expectGlyph(TBitmap* B, const TRect& Box, const char* Resource, TColor Mark, TColor Absent) {
        const TRect Expected = Resource ? resourceBox(Resource, Box.Left, Box.Top) : Box;
        EXPECT_EQ(differing(B, Rect(0, 0, 150, 40), Background), Expected);
        if (Mark != clNone) {
            EXPECT_GT(count(B, Expected, Mark), 0);
        }
        if (Absent != clNone) {
            EXPECT_EQ(count(B, Expected, Absent), 0);
        }
    }
    // The lowest-right corner of the pixels of exactly Color ((-1, -1) when none).
    static TPoint extent(TBitmap* B, const TRect& Area, TColor Color) {
        TPoint P{-1, -1};
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X)
                if (B->Canvas()->Pixels(X, Y) == ColorToRGB(Color)) P = Point(std::max(P.X, X), std::max(P.Y, Y));
        return P;
    }
    static void bigFont(TControl* C) {
        C->Font()->SetName(QStringLiteral("Arial"));
        C->Font()->SetHeight(-24);
        C->Font()->SetStyle({fsBold});
        C->Font()->SetColor(clBlack);
    }
};

TEST_F(HTMLCheckBoxTest, CreationStateAndCaption) {
    auto* Box = new THTMLCheckBox(Form.get());
    auto* Radio = new THTMLRadioButton(Form.get());
    EXPECT_EQ(Box->Width(), 98);
    EXPECT_EQ(Box->Height(), 20);
    EXPECT_EQ(Box->Caption(), QStringLiteral("THTMLCheckBox"));
    EXPECT_EQ(Radio->Caption(), QStringLiteral("THTMLRadioButton"));
    for (const String& V : {Box->Version(), Radio->Version()}) EXPECT_EQ(V, QStringLiteral("1.6.2.0"));
    Box->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(Box->Version(), QStringLiteral("1.6.2.0"));
    // The box fires OnClick only from its own toggling paths; the radio keeps the framework's.
    EXPECT_FALSE(Box->ControlStyle().Contains(csClickEvents));
    EXPECT_TRUE(Radio->ControlStyle().Contains(csClickEvents));
    // The caption follows the window text, whoever writes it.
    Box->SetText(QStringLiteral("<b>new</b>"));
    EXPECT_EQ(Box->Caption(), QStringLiteral("<b>new</b>"));
    // A centred glyph is not a choice.
    Box->SetAlignment(taCenter);
    EXPECT_EQ(Box->Alignment(), taLeftJustify);
    // Freed image lists are not left dangling.
    auto* Images = new TImageList(Form.get());
    Box->SetImages(Images);
    Radio->SetImages(Images);
    Images->Free();
    EXPECT_EQ(Box->Images(), nullptr);
    EXPECT_EQ(Radio->Images(), nullptr);
}

TEST_F(HTMLCheckBoxTest, CheckBoxStateTransitions) {
    enum Input { Click, Space, Accel };
    const struct {
        const char* Name;
        TCheckBoxState From;
        bool ReadOnly;
        Input By;
        TCheckBoxState To;
    } Cases[] = {
        {"click checks", cbUnchecked, false, Click, cbChecked},
        {"click unchecks", cbChecked, false, Click, cbUnchecked},
        {"click on grayed checks", cbGrayed, false, Click, cbChecked},
        {"space on grayed checks", cbGrayed, false, Space, cbChecked},
        {"space unchecks", cbChecked, false, Space, cbUnchecked},
        {"accelerator toggles", cbUnchecked, false, Accel, cbChecked},
        {"read-only click keeps the state", cbUnchecked, true, Click, cbUnchecked},
        {"read-only space keeps the state", cbGrayed, true, Space, cbGrayed},
        {"read-only accelerator keeps the state", cbChecked, true, Accel, cbChecked},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        auto* Box = make<THTMLCheckBox>(QStringLiteral("&Go"));
        Box->SetState(C.From);
        Box->SetReadOnly(C.ReadOnly);
        record(Box);
        if (C.By == Click)
            click(Box, 5, 10);
        else if (C.By == Space)
            space(Box);
        else
            EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'g', 0), 1);
        EXPECT_EQ(Box->State(), C.To);
        EXPECT_EQ(Box->Checked(), C.To == cbChecked);
        EXPECT_EQ(Events, std::vector<std::string>{"click"}) << "OnClick fires once, read-only or not";
        Box->Free();
    }
    // Writing the state is not a click; another character is not the accelerator.
    Events.clear();
    auto* Box = make<THTMLCheckBox>(QStringLiteral("&Go"));
    record(Box);
    Box->SetChecked(true);
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_TRUE(Events.empty());
}

TEST_F(HTMLCheckBoxTest, FirstClickFocusesAndToggles_LinksFollowOnlyOnceFocused) {
    auto* Other = make<THTMLCheckBox>(QStringLiteral("other"));
    Other->SetTop(40);
    Other->SetTabStop(true);
    auto* Box = make<THTMLCheckBox>(QStringLiteral("<a href=\"http://x.test\">link</a> text"));
    Box->SetTabStop(true);
    showAndFocus(Other);
    ASSERT_TRUE(Other->Focused());
    record(Box);
    render();
    click(Box, 22, 10);  // on the link, box unfocused
    Application->ProcessMessages();
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(Shell.Count(), 0) << "not followed before the box had the focus";
    click(Box, 22, 10);  // focused now
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Shell.Last().File, QStringLiteral("http://x.test"));
    EXPECT_EQ(Shell.Last().Verb, QStringLiteral("open"));
    EXPECT_EQ(Box->State(), cbUnchecked) << "the release still toggles";
    EXPECT_EQ(Events, (std::vector<std::string>{"click", "click"})) << "no OnAnchorClick for a shell link";
}

TEST_F(HTMLCheckBoxTest, AnchorClicksOfAFocusedControl) {
    const struct {
        const char* Name;
        const char* Href;
        TLeftRight Side;
        bool Radio;
        int X;
        int Opens;
        std::vector<std::string> Expected;
    } Cases[] = {
        {"mail link opens, no event", "mailto:a@b.test", taLeftJustify, false, 22, 1, {"click"}},
        {"plain anchor fires the event only", "page", taLeftJustify, false, 22, 0, {"anchor:page", "click"}},
        {"hit where drawn with the glyph on the right", "page", taRightJustify, false, 4, 0, {"anchor:page", "click"}},
        {"radio: web link opens", "http://r.test", taLeftJustify, true, 23, 1, {}},
        {"radio: plain anchor fires the event", "page", taLeftJustify, true, 23, 0, {"anchor:page"}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        Shell.Clear();
        const String Caption = QStringLiteral("<a href=\"%1\">anchor</a>").arg(QLatin1String(C.Href));
        TCustomControl* Control = nullptr;
        if (C.Radio) {
            auto* R = make<THTMLRadioButton>(Caption);
            R->SetAlignment(C.Side);
            R->SetChecked(true);  // checking later would add a click
            record(R);
            Control = R;
        } else {
            auto* B = make<THTMLCheckBox>(Caption);
            B->SetAlignment(C.Side);
            record(B);
            Control = B;
        }
        Control->Perform(CM_ENTER, 0, 0);  // focused
        click(Control, C.X, 10);
        EXPECT_EQ(Shell.Count(), C.Opens);
        EXPECT_EQ(Events, C.Expected);
        Control->Free();
    }
}

TEST_F(HTMLCheckBoxTest, PointerOverAnchorsSwapsTheCursor) {
    auto* Box = make<THTMLCheckBox>(QStringLiteral("<a href=\"one\">one</a> plain words here"));
    Box->SetCursor(crHelp);
    record(Box);
    const std::vector<std::pair<int, TCursor>> Moves = {
        {20, crHandPoint}, {22, crHandPoint}, {120, crHelp}, {20, crHandPoint}, {121, crHelp}};
    for (const auto& [X, Cursor] : Moves) {
        Box->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, 10));
        EXPECT_EQ(Box->Cursor(), Cursor) << "at " << X;
    }
    // Re-entering the anchor last left shows the hand again although the own cursor is not the default.
    EXPECT_EQ(Events, (std::vector<std::string>{"enter:one", "exit:", "enter:one", "exit:"}));
}

TEST_F(HTMLCheckBoxTest, RadioButtonsExcludeTheirGroupOnTheSameParent) {
    auto* A = make<THTMLRadioButton>(QStringLiteral("a"));
    auto* B = make<THTMLRadioButton>(QStringLiteral("b"));
    auto* OtherGroup = make<THTMLRadioButton>(QStringLiteral("c"));
    OtherGroup->SetGroupIndex(1);
    auto* Elsewhere = new THTMLRadioButton(Form.get());
    Elsewhere->SetParent(Form.get());
    for (auto [R, Tag] : {std::pair{A, "a."}, {B, "b."}, {OtherGroup, "c."}, {Elsewhere, "e."}}) record(R, Tag);
    OtherGroup->SetChecked(true);
    Elsewhere->SetChecked(true);
    A->SetChecked(true);
    EXPECT_TRUE(A->TabStop());
    B->SetChecked(true);
    EXPECT_FALSE(A->Checked());
    EXPECT_FALSE(A->TabStop());
    EXPECT_TRUE(B->TabStop());
    EXPECT_TRUE(OtherGroup->Checked()) << "another group index";
    EXPECT_TRUE(Elsewhere->Checked()) << "another parent";
    B->SetChecked(false);
    EXPECT_EQ(Events, (std::vector<std::string>{"c.click", "e.click", "a.click", "b.click"}))
        << "unchecking fires nothing";
}

TEST_F(HTMLCheckBoxTest, RadioButtonInputChecksOnly) {
    const struct {
        const char* Name;
        bool From;
        bool BySpace;
        std::vector<std::string> Expected;
    } Cases[] = {
        {"click checks", false, false, {"click"}},
        {"click on a checked button changes nothing", true, false, {}},
        {"space checks", false, true, {"click"}},
        {"space on a checked button changes nothing", true, true, {}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        auto* R = make<THTMLRadioButton>(QStringLiteral("r"));
        R->SetChecked(C.From);
        record(R);
        if (C.BySpace)
            space(R);
        else
            click(R, 5, 10);
        EXPECT_TRUE(R->Checked());
        EXPECT_EQ(Events, C.Expected);
        R->Free();
    }
}

TEST_F(HTMLCheckBoxTest, ReleaseOutsideCancels_ControlsFreedByTheirOwnClick) {
    // A press dragged off the control shows the glyph up and the release changes nothing.
    auto* Box = make<THTMLCheckBox>(QStringLiteral("box"));
    auto* Radio = make<THTMLRadioButton>(QStringLiteral("radio"));
    Radio->SetTop(30);
    for (TCustomHTMLButton* C : std::initializer_list<TCustomHTMLButton*>{Box, Radio}) {
        Events.clear();
        record(C);
        if (C == Box) C->Perform(CM_ENTER, 0, 0);  // entering a radio button would check it
        C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 10));
        EXPECT_TRUE(C->Down());
        C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(400, 10));
        EXPECT_FALSE(C->Down());
        C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(6, 10));
        EXPECT_TRUE(C->Down()) << "back over the control";
        C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(5, -30));
        C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, -30));
        EXPECT_FALSE(C->Down());
        EXPECT_TRUE(Events.empty());
    }
    EXPECT_EQ(Box->State(), cbUnchecked);
    EXPECT_FALSE(Radio->Checked());
    // A release on the far edge, where the glyph still shows pressed, counts as inside.
    Events.clear();
    Box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 10));
    Box->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(Box->Width(), Box->Height()));
    EXPECT_TRUE(Box->Down());
    Box->Perform(WM_LBUTTONUP, 0, PointToLParam(Box->Width(), Box->Height()));
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(Events, std::vector<std::string>{"click"});
    // OnClick may free the control on every path that fires it.
    enum Input { Click, Space, Accel };
    for (Input By : {Click, Space, Accel})
        for (bool IsRadio : {false, true}) {
            SCOPED_TRACE(testing::Message() << "input " << By << (IsRadio ? " radio" : " box"));
            TCustomHTMLButton* C = IsRadio
                                       ? static_cast<TCustomHTMLButton*>(make<THTMLRadioButton>(QStringLiteral("&Go")))
                                       : make<THTMLCheckBox>(QStringLiteral("&Go"));
            if (!IsRadio) C->Perform(CM_ENTER, 0, 0);
            const TWeak<TControl> Alive(C);
            C->OnClick = [C](TObject*) { C->Free(); };
            if (By == Click)
                click(C, 5, 10);
            else if (By == Space)
                space(C);
            else
                C->Perform(CM_DIALOGCHAR, 'g', 0);
            EXPECT_FALSE(Alive);
        }
}

TEST_F(HTMLCheckBoxTest, TabbingIntoARadioButtonChecksIt_ReturnIsTabMovesOn) {
    auto* Box = make<THTMLCheckBox>(QStringLiteral("box"));
    Box->SetTabStop(true);
    Box->SetReturnIsTab(true);
    auto* Radio = make<THTMLRadioButton>(QStringLiteral("radio"));
    Radio->SetTop(30);
    Radio->SetTabStop(true);
    showAndFocus(Box);
    ASSERT_TRUE(Box->Focused());
    Box->Perform(WM_KEYDOWN, VK_RETURN, 0);
    for (int I = 0; I < 20 && !Radio->Focused(); ++I) Application->ProcessMessages();
    EXPECT_TRUE(Radio->Focused()) << "Enter moved on like Tab";
    EXPECT_TRUE(Radio->Checked()) << "taking the focus checks it";
    EXPECT_EQ(Box->State(), cbUnchecked);
}

TEST_F(HTMLCheckBoxTest, DisabledCaptionIsEngraved) {
    const struct {
        const char* Name;
        bool Shadow;
        TColor Disabled;
    } Cases[] = {
        {"white shadow under grey", true, clGray},
        {"no shadow", false, clGray},
        {"own disabled colour", true, clRed},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* Box = make<THTMLCheckBox>(QStringLiteral("HH <a href=\"x\">HH</a>"), 250, 40);
        bigFont(Box);
        Box->SetColor(clNavy);
        Box->SetDisabledShadow(C.Shadow);
        Box->SetDisabledColor(C.Disabled);
        Box->SetEnabled(false);
        auto B = render();
        const TRect Text = Rect(17, 0, 250, 40);
        EXPECT_EQ(count(B.get(), Text, clBlack), 0) << "not in the font colour";
        EXPECT_EQ(count(B.get(), Text, clBlue), 0) << "anchors not in the URL colour";
        EXPECT_GT(count(B.get(), Text, C.Disabled), 0);
        if (C.Disabled != clGray) {
            EXPECT_GT(count(B.get(), Text, clGray), 0) << "anchors in grey";
        }
        if (!C.Shadow) {
            EXPECT_EQ(count(B.get(), Text, clWhite), 0);
        } else if (C.Disabled == clGray) {
            const TPoint Grey = extent(B.get(), Text, clGray), White = extent(B.get(), Text, clWhite);
            ASSERT_NE(Grey.X, -1);
            EXPECT_EQ(White.X, Grey.X + 1) << "the white copy lies one pixel right and down";
            EXPECT_EQ(White.Y, Grey.Y + 1);
        }
        Box->Free();
    }
}

TEST_F(HTMLCheckBoxTest, CheckBoxGlyphStyles) {
    ThemeSettings().Active = false;  // the visual-style look falls back to bitmaps, btTheme to classic
    const struct {
        const char* Name;
        TButtonType Type;
        TCheckBoxState State;
        bool Enabled;
        TLeftRight Side;
        TTextLayout VAlign;
        TRect Box;             // where the glyph shows; Resource boxes are found from the picture
        const char* Resource;  // the bitmap expected, or null
        TColor Mark;           // a colour that must show (clNone: none required)
        TColor Absent;         // a colour that must not show (clNone: nothing)
    } Cases[] = {
        {"classic", btClassic, cbUnchecked, true, taLeftJustify, tlTop, {0, 4, 13, 17}, nullptr, clNone, clBlack},
        {"classic checked", btClassic, cbChecked, true, taLeftJustify, tlTop, {0, 4, 13, 17}, nullptr, clBlack, clNone},
        {"classic centred",
         btClassic,
         cbUnchecked,
         true,
         taLeftJustify,
         tlCenter,
         {0, 14, 13, 27},
         nullptr,
         clNone,
         clNone},
        {"classic at the bottom",
         btClassic,
         cbUnchecked,
         true,
         taLeftJustify,
         tlBottom,
         {0, 23, 13, 36},
         nullptr,
         clNone,
         clNone},
        {"classic on the right",
         btClassic,
         cbUnchecked,
         true,
         taRightJustify,
         tlTop,
         {137, 4, 150, 17},
         nullptr,
         clNone,
         clNone},
        {"flat checked", btFlat, cbChecked, true, taLeftJustify, tlTop, {0, 4, 13, 17}, nullptr, clBlack, clNone},
        {"theme without a style is classic",
         btTheme,
         cbChecked,
         true,
         taLeftJustify,
         tlTop,
         {0, 4, 13, 17},
         nullptr,
         clBlack,
         clNone},
        {"hand drawn", btCorvane, cbUnchecked, true, taLeftJustify, tlTop, {1, 4, 14, 17}, nullptr, clNone, clRed},
        {"hand drawn checked",
         btCorvane,
         cbChecked,
         true,
         taLeftJustify,
         tlTop,
         {1, 4, 14, 17},
         nullptr,
         clRed,
         clNone},
        {"hand drawn checked, disabled",
         btCorvane,
         cbChecked,
         false,
         taLeftJustify,
         tlTop,
         {1, 4, 14, 17},
         nullptr,
         clGray,
         clRed},
        {"hand drawn grayed", btCorvane, cbGrayed, true, taLeftJustify, tlTop, {1, 4, 14, 17}, nullptr, clNone, clRed},
        {"hand drawn on the right",
         btCorvane,
         cbUnchecked,
         true,
         taRightJustify,
         tlBottom,
         {137, 24, 150, 37},
         nullptr,
         clNone,
         clNone},
        {"bitmap checked", btTessel, cbChecked, true, taLeftJustify, tlTop, {0, 0, 0, 0}, "HTMBCHK01", clNone, clNone},
        {"bitmap unchecked",
         btTessel,
         cbUnchecked,
         true,
         taLeftJustify,
         tlCenter,
         {0, 10, 0, 0},
         "HTMBCHK02",
         clNone,
         clNone},
        {"bitmap disabled",
         btTessel,
         cbChecked,
         false,
         taRightJustify,
         tlBottom,
         {129, 20, 0, 0},
         "HTMBCHK03",
         clNone,
         clNone},
        {"style bitmap", btWinXP, cbChecked, true, taLeftJustify, tlTop, {0, 2, 0, 0}, "HTMBCHK05", clNone, clNone},
        {"style bitmap, disabled",
         btWinXP,
         cbUnchecked,
         false,
         taRightJustify,
         tlTop,
         {133, 2, 0, 0},
         "HTMBCHK08",
         clNone,
         clNone},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* Box = make<THTMLCheckBox>(String(), 150, 40);
        Box->SetButtonType(C.Type);
        Box->SetState(C.State);
        Box->SetAlignment(C.Side);
        Box->SetButtonVertAlign(C.VAlign);
        Box->SetCheckColor(clRed);
        Box->SetEnabled(C.Enabled);
        auto B = render();
        expectGlyph(B.get(), C.Box, C.Resource, C.Mark, C.Absent);
        Box->Free();
    }
}

TEST_F(HTMLCheckBoxTest, RadioButtonGlyphStyles) {
    ThemeSettings().Active = false;
    const struct {
        const char* Name;
        TButtonType Type;
        bool Checked;
        bool Enabled;
        TLeftRight Side;
        TTextLayout VAlign;
        TRect Box;
        const char* Resource;
        TColor Mark;
        TColor Absent;
    } Cases[] = {
        {"classic", btClassic, false, true, taLeftJustify, tlTop, {0, 4, 13, 17}, nullptr, clNone, clBlack},
        {"classic checked", btClassic, true, true, taLeftJustify, tlTop, {0, 4, 13, 17}, nullptr, clBlack, clNone},
        {"classic on the right, at the bottom",
         btClassic,
         false,
         true,
         taRightJustify,
         tlBottom,
         {137, 23, 150, 36},
         nullptr,
         clNone,
         clNone},
        {"hand drawn", btCorvane, false, true, taLeftJustify, tlTop, {1, 4, 14, 17}, nullptr, clNone, clRed},
        {"hand drawn checked", btCorvane, true, true, taLeftJustify, tlCenter, {1, 14, 14, 27}, nullptr, clRed, clNone},
        {"hand drawn checked, disabled",
         btCorvane,
         true,
         false,
         taLeftJustify,
         tlTop,
         {1, 4, 14, 17},
         nullptr,
         clGray,
         clRed},
        {"bitmap checked", btTessel, true, true, taLeftJustify, tlTop, {0, 2, 0, 0}, "HTMBRAD01", clNone, clNone},
        {"bitmap disabled",
         btTessel,
         false,
         false,
         taRightJustify,
         tlBottom,
         {133, 22, 0, 0},
         "HTMBRAD04",
         clNone,
         clNone},
        {"style bitmap", btWinXP, true, true, taRightJustify, tlCenter, {134, 12, 0, 0}, "HTMBRAD05", clNone, clNone},
        {"theme without a style is classic",
         btTheme,
         true,
         true,
         taLeftJustify,
         tlTop,
         {0, 4, 13, 17},
         nullptr,
         clBlack,
         clNone},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* R = make<THTMLRadioButton>(String(), 150, 40);
        R->SetButtonType(C.Type);
        R->SetChecked(C.Checked);
        R->SetAlignment(C.Side);
        R->SetButtonVertAlign(C.VAlign);
        R->SetCheckColor(clRed);
        R->SetEnabled(C.Enabled);
        auto B = render();
        expectGlyph(B.get(), C.Box, C.Resource, C.Mark, C.Absent);
        R->Free();
    }
}

TEST_F(HTMLCheckBoxTest, VisualStyleStates) {
    const TThemeLoadersReleased Released;
    const TModuleReplacement Fake(QStringLiteral("uxtheme.dll"), recordingTheme());
    BtnXPVS.BindThemeFunctions();
    const struct {
        const char* Name;
        bool Radio;
        TButtonType Type;
        TCheckBoxState State;
        bool Enabled, Down, Hot;
        int Part, ThemeState;
        TRect R;
    } Cases[] = {
        {"unchecked", false, btWinXP, cbUnchecked, true, false, false, 3, 1, {0, 4, 14, 18}},
        {"unchecked hot", false, btWinXP, cbUnchecked, true, false, true, 3, 2, {0, 4, 14, 18}},
        {"checked pressed wins over hot", false, btTheme, cbChecked, true, true, true, 3, 7, {0, 4, 14, 18}},
        {"grayed disabled wins over pressed", false, btWinXP, cbGrayed, false, true, false, 3, 12, {0, 4, 14, 18}},
        {"grayed", false, btWinXP, cbGrayed, true, false, false, 3, 9, {0, 4, 14, 18}},
        {"radio checked hot", true, btWinXP, cbChecked, true, false, true, 2, 6, {0, 4, 13, 17}},
        {"radio unchecked disabled", true, btTheme, cbUnchecked, false, false, true, 2, 4, {0, 4, 13, 17}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ThemeCalls.clear();
        TCustomControl* Control = nullptr;
        if (C.Radio) {
            auto* R = make<THTMLRadioButton>(String());
            R->SetButtonType(C.Type);
            R->SetChecked(C.State == cbChecked);
            R->SetDown(C.Down);
            Control = R;
        } else {
            auto* B = make<THTMLCheckBox>(String());
            B->SetButtonType(C.Type);
            B->SetState(C.State);
            B->SetDown(C.Down);
            Control = B;
        }
        if (C.Hot) Control->Perform(CM_MOUSEENTER, 0, 0);
        Control->SetEnabled(C.Enabled);
        render();
        ASSERT_FALSE(ThemeCalls.empty());
        EXPECT_EQ(ThemeCalls.back().Part, C.Part);
        EXPECT_EQ(ThemeCalls.back().State, C.ThemeState);
        EXPECT_EQ(ThemeCalls.back().R, C.R);
        Control->Free();
    }
}

TEST_F(HTMLCheckBoxTest, GlyphsFollowTheScreensTextScale) {
    EXPECT_EQ(DPIScaleFactor(), 1.0);
    const int Saved = Screen->PixelsPerInch();
    Screen->SetPixelsPerInch(120);
    auto* Box = make<THTMLCheckBox>(String(), 150, 40);
    Box->SetButtonType(btCorvane);
    Box->Loaded();
    Screen->SetPixelsPerInch(Saved);
    const String Face = Box->Font()->Name();
    const double Scale = double(FontHeightAtDPI(120, 9, Face)) / FontHeightAtDPI(96, 9, Face);
    const int S = static_cast<int>(Round(12 * Scale));
    ASSERT_NE(S, 12) << "the scale must show";
    // The raised frame's right and bottom edges lie on L + S and T + S.
    EXPECT_EQ(differing(render().get(), Rect(0, 0, 150, 40), Background), Rect(1, 4, 1 + S + 1, 4 + S + 1));
}

TEST_F(HTMLCheckBoxTest, TransparentControlShowsTheParentAndCachesIt) {
    Panel->SetColor(clLime);
    auto* Box = make<THTMLCheckBox>(String());
    Box->SetColor(clRed);
    const TRect Free = Rect(40, 2, 140, 18);
    EXPECT_EQ(count(render().get(), Free, clRed), Free.Width() * Free.Height());
    Box->SetTransparent(true);
    EXPECT_EQ(count(render().get(), Free, clLime), Free.Width() * Free.Height());

    Box->SetTransparentChaching(true);
    Box->Invalidate();
    render();  // builds the cache
    Panel->SetColor(clYellow);
    Box->Invalidate();
    EXPECT_EQ(count(render().get(), Free, clLime), Free.Width() * Free.Height()) << "from the cache";
    Box->SetBounds(0, 0, 150, 20);
    EXPECT_EQ(count(render().get(), Free, clYellow), Free.Width() * Free.Height()) << "resizing drops the cache";
}

TEST_F(HTMLCheckBoxTest, GlyphResourcesHaveTheirSizes) {
    const struct {
        const char* Name;
        int Size;
    } Cases[] = {{"HTMBCHK01", 20}, {"htmbchk04", 20}, {"HTMBCHK05", 16},
                 {"HTMBCHK08", 16}, {"HTMBRAD01", 16}, {"HTMBRAD08", 16}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TBitmap B;
        B.LoadFromResourceName(HInstance, QLatin1String(C.Name));
        EXPECT_EQ(B.Width(), C.Size);
        EXPECT_EQ(B.Height(), C.Size);
        EXPECT_EQ(B.Canvas()->Pixels(0, C.Size - 1), ColorToRGB(clFuchsia)) << "the transparent corner";
    }
}

}  // namespace
