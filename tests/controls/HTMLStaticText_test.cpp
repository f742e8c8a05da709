#include "components/controls/HTMLStaticText.h"

#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "tests/support/GifBuilder.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <string>
#include <vector>

namespace {

const String ThreeLinks =
    QStringLiteral("<a href=\"http://a.test\">one</a> <a href=\"mailto:b@c.test\">two</a> <a href=\"three\">three</a>");
// Ten lines: taller than any control the tests make.
const String TallText = QStringLiteral("l1<br>l2<br>l3<br>l4<br>l5<br>l6<br>l7<br>l8<br>l9<br>l10");

class HTMLStaticTextTest : public PanelFixture {
protected:
    HTMLStaticTextTest() : PanelFixture(300, TTestPointer::FarAway) {}

    TRecordingShellService Shell;
    TShellServiceGuard ShellGuard{&Shell};
    std::vector<std::string> Events;

    THTMLStaticText* make(const String& Markup, int Width = 150, int Height = 20) {
        auto* T = new THTMLStaticText(Form.get());
        T->SetParent(Panel);
        T->SetBounds(0, 0, Width, Height);
        T->SetColor(clWhite);
        T->HTMLText()->SetText(Markup);
        return T;
    }
    void record(THTMLStaticText* T) {
        auto Add = [this](const char* What) {
            return [this, What](TObject*, const String& A) { Events.push_back(What + (":" + A.toStdString())); };
        };
        T->OnAnchorClick = Add("click");
        T->OnAnchorRightClick = Add("right");
        T->OnAnchorEnter = Add("enter");
        T->OnAnchorExit = Add("exit");
        T->OnAnchorKeypress = Add("key");
    }
    // A large bold font so that glyph cores have pixels of the exact text colour.
    static void bigFont(THTMLStaticText* T) {
        T->Font()->SetName(QStringLiteral("Arial"));
        T->Font()->SetHeight(-24);
        T->Font()->SetStyle({fsBold});
        T->Font()->SetColor(clBlack);
    }
    static void key(THTMLStaticText* T, Word VK) { T->Perform(WM_KEYDOWN, VK, 0); }
    static void enter(THTMLStaticText* T) { T->Perform(WM_CHAR, 13, 0); }
    void pointAt(THTMLStaticText* T, int X, int Y) { Mouse->SetCursorPos(T->ClientToScreen(Point(X, Y))); }
    THTMLStaticText* focused(const String& Markup) {
        THTMLStaticText* T = make(Markup);
        T->SetTabStop(true);
        Form->Show();
        T->SetFocus();
        for (int I = 0; I < 20 && !T->Focused(); ++I) Application->ProcessMessages();
        return T;
    }

    // Pixels of exactly Color inside R of the rendered panel.
    int count(TBitmap* B, const TRect& R, TColor Color) {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (B->Canvas()->Pixels(X, Y) == ColorToRGB(Color)) ++N;
        return N;
    }
    // Pixels darker than mid grey inside R.
    int dark(TBitmap* B, const TRect& R) {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X) {
                const TColor C = B->Canvas()->Pixels(X, Y);
                if (GetRValue(C) + GetGValue(C) + GetBValue(C) < 3 * 0x60) ++N;
            }
        return N;
    }
    // The lowest-right corner of the pixels of exactly Color (-1, -1 when none).
    TPoint extent(TBitmap* B, const TRect& R, TColor Color) {
        TPoint P{-1, -1};
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (B->Canvas()->Pixels(X, Y) == ColorToRGB(Color)) P = Point(std::max(P.X, X), std::max(P.Y, Y));
        return P;
    }
};

TEST_F(HTMLStaticTextTest, DefaultsVersionAndTexts) {
    auto* Fresh = new THTMLStaticText(Form.get());
    EXPECT_EQ(Fresh->Width(), 150);
    EXPECT_EQ(Fresh->Height(), 20);
    EXPECT_EQ(Fresh->HTMLText()->Count(), 0);
    EXPECT_EQ(Fresh->Version(), QStringLiteral("1.4.1.0"));
    Fresh->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(Fresh->Version(), QStringLiteral("1.4.1.0"));

    // Lines are shown joined with nothing between them.
    THTMLStaticText* T = make(QStringLiteral("<b>Save</b>\nto <i>disk</i>"));
    EXPECT_EQ(T->Text(), QStringLiteral("Saveto disk"));

    TForm Designer(nullptr);
    Designer.SetDesigning(true);
    auto* Designed = new THTMLStaticText(&Designer);
    EXPECT_EQ(Designed->HTMLText()->Text(), QStringLiteral("Tessel <b>HTML</b> StaticText\n"));

    // A freed image list is not left dangling.
    auto* Images = new TImageList(Form.get());
    T->SetImages(Images);
    Images->Free();
    EXPECT_EQ(T->Images(), nullptr);
}

TEST_F(HTMLStaticTextTest, ArrowKeysWalkTheAnchorsAndWrap) {
    const struct {
        const char* Name;
        std::vector<Word> Keys;
        const char* Expected;
    } Cases[] = {
        {"focus starts on the first", {}, "key:http://a.test"},
        {"left from the first wraps to the third", {VK_LEFT}, "key:three"},
        {"up walks back", {VK_LEFT, VK_UP}, "key:mailto:b@c.test"},
        {"down walks on", {VK_DOWN}, "key:mailto:b@c.test"},
        {"right from the third returns to the first", {VK_RIGHT, VK_RIGHT, VK_RIGHT}, "key:http://a.test"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLStaticText* T = focused(ThreeLinks);
        ASSERT_TRUE(T->Focused());
        record(T);
        for (Word K : C.Keys) key(T, K);
        Events.clear();
        enter(T);
        EXPECT_EQ(Events, std::vector<std::string>{C.Expected});
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, EnterAndSpaceOpenOnlyAddressesWithTheShell) {
    THTMLStaticText* T = focused(ThreeLinks);
    ASSERT_TRUE(T->Focused());
    record(T);
    enter(T);
    key(T, VK_RIGHT);
    T->Perform(WM_CHAR, 32, 0);
    key(T, VK_RIGHT);
    enter(T);
    T->Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"key:http://a.test", "key:mailto:b@c.test", "key:three"}));
    ASSERT_EQ(Shell.Count(), 2);
    EXPECT_EQ(Shell.Request(0).File, QStringLiteral("http://a.test"));
    EXPECT_EQ(Shell.Request(0).Verb, QStringLiteral("open"));
    EXPECT_EQ(Shell.Request(0).ShowCmd, SW_SHOWNORMAL);
    EXPECT_EQ(Shell.Request(1).File, QStringLiteral("mailto:b@c.test"));
}

TEST_F(HTMLStaticTextTest, EnterWithoutAnchorReportsEmptyAndOpensNothing) {
    THTMLStaticText* T = focused(QStringLiteral("no links here"));
    ASSERT_TRUE(T->Focused());
    record(T);
    enter(T);
    key(T, VK_RIGHT);
    enter(T);
    EXPECT_EQ(Events, (std::vector<std::string>{"key:", "key:"}));
    EXPECT_EQ(Shell.Count(), 0);
}

TEST_F(HTMLStaticTextTest, PointerOverAnotherAnchorDoesNotStealTheFocusedOne) {
    THTMLStaticText* T = focused(QStringLiteral("<a href=\"first\">first</a><br><a href=\"second\">second</a>"));
    ASSERT_TRUE(T->Focused());
    T->SetHeight(60);
    render();
    record(T);
    pointAt(T, 10, T->HTMLHeight() * 3 / 4);  // on the second line's anchor
    key(T, VK_LEFT);
    key(T, VK_RIGHT);  // back on the first, painted with the pointer over the second
    enter(T);
    EXPECT_EQ(Events, std::vector<std::string>{"key:first"});
}

TEST_F(HTMLStaticTextTest, ClicksOnAnchors) {
    const struct {
        const char* Name;
        const char* Href;
        UINT Message;
        const char* Event;
        int Opens;
    } Cases[] = {
        {"left click on an address opens it", "http://x.test", WM_LBUTTONDOWN, "click:http://x.test", 1},
        {"left click on a mail link opens it", "mailto:y@x.test", WM_LBUTTONDOWN, "click:mailto:y@x.test", 1},
        {"left click on a plain anchor only reports it", "page", WM_LBUTTONDOWN, "click:page", 0},
        {"right click reports and opens nothing", "http://x.test", WM_RBUTTONDOWN, "right:http://x.test", 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        Shell.Clear();
        THTMLStaticText* T = make(QStringLiteral("<a href=\"%1\">anchor text</a>").arg(QLatin1String(C.Href)));
        record(T);
        render();
        T->Perform(C.Message, C.Message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, PointToLParam(10, 7));
        T->Perform(C.Message + 1, 0, PointToLParam(10, 7));
        EXPECT_EQ(Events, std::vector<std::string>{C.Event});
        EXPECT_EQ(Shell.Count(), C.Opens);
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, PointerOverAnchorsSetsCursorAndFiresEnterAndExit) {
    THTMLStaticText* T = make(QStringLiteral("<a href=\"http://a.test\">link</a> and plain words"));
    record(T);
    render();
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(10, 7));
    EXPECT_EQ(T->Cursor(), crHandPoint);
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(12, 7));  // same anchor: nothing new
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(140, 7));
    EXPECT_EQ(T->Cursor(), crDefault);
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(141, 7));  // still off: no second exit
    EXPECT_EQ(Events, (std::vector<std::string>{"enter:http://a.test", "exit:"}));
}

TEST_F(HTMLStaticTextTest, VOffsetMiniScrollAndVAlignmentRules) {
    THTMLStaticText* T = make(TallText);
    T->SetVOffset(8);
    EXPECT_EQ(T->VOffset(), 0) << "ignored while mini scroll is off";

    T->SetVAlignment(tvaBottom);
    T->SetMiniScroll(true);
    EXPECT_EQ(T->VAlignment(), tvaTop);
    T->SetVOffset(8);
    EXPECT_EQ(T->VOffset(), 8);
    T->SetVOffset(-5);
    EXPECT_EQ(T->VOffset(), 0);

    T->SetVAlignment(tvaCenter);
    EXPECT_FALSE(T->MiniScroll());
    T->SetMiniScroll(true);
    T->SetVOffset(12);
    T->SetMiniScroll(false);
    EXPECT_EQ(T->VOffset(), 0);
}

TEST_F(HTMLStaticTextTest, MiniScrollArrowsFollowTheOffset) {
    THTMLStaticText* T = make(TallText, 150, 40);
    T->SetMiniScroll(true);
    const TRect Up = Rect(140, 0, 150, 10), Down = Rect(140, 30, 150, 40);
    auto arrowsShown = [&] {
        auto B = render();
        return std::pair{count(B.get(), Up, clWhite) < 100, count(B.get(), Down, clWhite) < 100};
    };
    EXPECT_EQ(arrowsShown(), std::pair(false, true)) << "at offset 0 only the down arrow";

    T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(145, 35));
    EXPECT_EQ(T->VOffset(), 4);
    EXPECT_EQ(arrowsShown(), std::pair(true, true));

    // Held on the down arrow, each tick scrolls on.
    pointAt(T, 145, 35);
    T->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(T->VOffset(), 8);
    T->Perform(WM_LBUTTONUP, 0, PointToLParam(145, 35));
    T->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(T->VOffset(), 8) << "released: no more scrolling";

    render();
    T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(145, 3));
    T->Perform(WM_LBUTTONUP, 0, PointToLParam(145, 3));
    EXPECT_EQ(T->VOffset(), 4);
    // Outside both arrow zones a press scrolls nothing.
    render();
    T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(145, 20));
    T->Perform(WM_LBUTTONUP, 0, PointToLParam(145, 20));
    EXPECT_EQ(T->VOffset(), 4);
}

TEST_F(HTMLStaticTextTest, BlinkTogglesEveryFifthTickUnlessAnArrowHoldsIt) {
    const struct {
        const char* Name;
        bool MiniScroll;
        bool AutoScroll;
        bool Blinks;
    } Cases[] = {
        {"plain text blinks", false, false, true},
        {"an arrow shown without auto scroll stops it", true, false, false},
        {"auto scroll keeps it going", true, true, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        FakeClock Clock;
        THTMLStaticText* T = make(QStringLiteral("<BLINK>HHHH</BLINK><br>") + TallText, 150, 30);
        bigFont(T);
        T->SetMiniScroll(C.MiniScroll);
        T->SetAutoScroll(C.AutoScroll);
        T->HandleNeeded();
        T->SetEnableBlink(true);
        // Switching blinking on starts in the hidden phase.
        const TRect Blink = Rect(0, 0, 100, 28);
        auto shown = [&] { return dark(render().get(), Blink) > 0; };
        EXPECT_FALSE(shown());
        Clock.Advance(400);
        EXPECT_FALSE(shown()) << "four ticks: unchanged";
        Clock.Advance(100);
        EXPECT_EQ(shown(), C.Blinks) << "fifth tick";
        Clock.Advance(500);
        EXPECT_FALSE(shown()) << "tenth tick";
        T->SetEnableBlink(false);
        EXPECT_TRUE(shown()) << "switched off, the text stays visible";
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, TimerRunsWhileBlinkOrScrollAsksForIt) {
    FakeClock Clock;
    THTMLStaticText* T = make(QStringLiteral("text"));
    T->HandleNeeded();
    T->SetAutoScroll(true);
    EXPECT_EQ(Clock.TimerCount(), 1);
    T->SetEnableBlink(true);
    EXPECT_EQ(Clock.TimerCount(), 1) << "one timer for both";
    T->SetAutoScroll(false);
    EXPECT_EQ(Clock.TimerCount(), 1);
    T->SetEnableBlink(false);
    EXPECT_EQ(Clock.TimerCount(), 0);

    // Mini scroll alone starts it with a new window; the window takes it along when it goes.
    auto* Late = new THTMLStaticText(Form.get());
    Late->SetMiniScroll(true);
    Late->SetParent(Panel);
    Late->HandleNeeded();
    EXPECT_EQ(Clock.TimerCount(), 1);
    Late->SetEnableBlink(true);
    Late->SetEnableBlink(false);
    EXPECT_EQ(Clock.TimerCount(), 1) << "blinking off leaves the timer mini scroll needs";
    Late->Free();
    EXPECT_EQ(Clock.TimerCount(), 0);
}

TEST_F(HTMLStaticTextTest, DisabledTextIsDrawnWhiteOffsetThenGreyWithoutHover) {
    THTMLStaticText* T = make(QStringLiteral("<a href=\"x\">HH</a>"), 150, 40);
    bigFont(T);
    T->SetColor(clNavy);
    T->SetHover(true);
    T->SetHoverColor(clLime);
    render();
    pointAt(T, 10, 12);
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(10, 12));
    const TRect Area = Rect(0, 0, 150, 40);
    ASSERT_GT(count(render().get(), Area, clLime), 0) << "hovered while enabled";

    T->SetEnabled(false);
    auto B = render();
    EXPECT_EQ(count(B.get(), Area, clLime), 0) << "no hover colours";
    EXPECT_EQ(count(B.get(), Area, clBlue), 0) << "no anchor colour";
    const TPoint Grey = extent(B.get(), Area, clGray), White = extent(B.get(), Area, clWhite);
    ASSERT_NE(Grey.X, -1);
    EXPECT_EQ(White.X, Grey.X + 1);
    EXPECT_EQ(White.Y, Grey.Y + 1);
}

TEST_F(HTMLStaticTextTest, HintShowsTheAnchorBesideTheCursor) {
    const struct {
        const char* Name;
        bool AnchorHint;
        TPoint At;
        const char* Expected;
    } Cases[] = {
        {"anchor under the cursor", true, {10, 7}, "http://a.test!"},
        {"off the anchor", true, {140, 7}, "plain hint"},
        {"anchor hints off", false, {10, 7}, "plain hint"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLStaticText* T = make(QStringLiteral("<a href=\"http://a.test\">link</a> and words"));
        T->SetAnchorHint(C.AnchorHint);
        T->OnAnchorHint = [](TObject*, String& Anchor) { Anchor += u'!'; };
        THintInfo Info;
        Info.HintControl = T;
        Info.CursorPos = C.At;
        Info.HintStr = QStringLiteral("plain hint");
        Info.HintPos = Point(-7, -7);
        EXPECT_EQ(T->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
        EXPECT_EQ(Info.HintStr.toStdString(), C.Expected);
        if (Info.HintStr != QStringLiteral("plain hint")) {
            const TPoint Cursor = T->ClientToScreen(C.At);
            EXPECT_EQ(Info.HintPos, Point(Cursor.X + 10, Cursor.Y - 10));
        }
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, AutoSizingFollowsTheTextAndReportsNewSizes) {
    const String Long = QStringLiteral("a longer text that has to wrap over several lines in a narrow control");
    const struct {
        const char* Name;
        TAutoSizeType Type;
        TAlign Align;
        bool Width, Height;  // which follow the text
    } Cases[] = {
        {"vertical", asVertical, alNone, false, true},
        {"both", asBoth, alNone, true, true},
        {"horizontal on a top-aligned control changes nothing", asHorizontal, alTop, false, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLStaticText* T = make(Long, 100, 20);
        T->SetAlign(C.Align);
        const int Width0 = T->Width(), Height0 = T->Height();
        std::vector<std::pair<int, int>> Sizes;
        T->OnNewSize = [&](TObject*, int W, int H) { Sizes.emplace_back(W, H); };
        T->SetAutoSizeType(C.Type);
        T->SetAutoSizing(true);
        render();
        render();
        EXPECT_EQ(T->Width(), C.Width ? T->HTMLWidth() + 6 : Width0);
        EXPECT_EQ(T->Height(), C.Height ? T->HTMLHeight() - 2 + 6 : Height0);
        if (C.Width || C.Height)
            EXPECT_EQ(Sizes, (std::vector<std::pair<int, int>>{{T->Width(), T->Height()}}));
        else
            EXPECT_TRUE(Sizes.empty());
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, EveryRepaintKeepsTheFramesAndTheColour) {
    const struct {
        const char* Name;
        std::function<void(THTMLStaticText*)> Trigger;
    } Cases[] = {
        {"arrow key", [](THTMLStaticText* T) { T->Perform(WM_KEYDOWN, VK_RIGHT, 0); }},
        {"Doit", [](THTMLStaticText* T) { T->Doit(); }},
        {"pointer enters an anchor with hover",
         [this](THTMLStaticText* T) {
             pointAt(T, 10, 10);
             T->Perform(CM_MOUSEENTER, 0, 0);
             EXPECT_EQ(T->Cursor(), crHandPoint);
         }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLStaticText* T = make(QStringLiteral("<a href=\"x\">link</a> words"), 150, 30);
        T->SetColor(0x40A0E0);
        T->SetBevelOuter(bvRaised);
        T->SetBevelWidth(2);
        T->SetHover(true);
        render();
        C.Trigger(T);
        auto B = render();
        EXPECT_EQ(B->Canvas()->Pixels(0, 0), ColorToRGB(clBtnHighlight));
        EXPECT_EQ(B->Canvas()->Pixels(149, 29), ColorToRGB(clBtnShadow));
        EXPECT_EQ(B->Canvas()->Pixels(140, 15), 0x40A0E0);
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, NothingIsPaintedWhileAnUpdateIsInForce) {
    THTMLStaticText* T = make(QStringLiteral("text"));
    T->SetColor(clNavy);
    const TRect Area = Rect(100, 0, 150, 20);
    T->BeginUpdate();
    T->BeginUpdate();
    T->Invalidate();
    EXPECT_EQ(count(render().get(), Area, clNavy), 0);
    T->EndUpdate();
    EXPECT_EQ(count(render().get(), Area, clNavy), 0) << "still one level in force";
    T->EndUpdate();
    EXPECT_EQ(count(render().get(), Area, clNavy), Area.Width() * Area.Height());
}

TEST_F(HTMLStaticTextTest, HighlightAndMarkWrapTheTextAndComeOff) {
    const struct {
        const char* Name;
        std::function<void(THTMLStaticText*)> Apply;
        const char* Display;
    } Cases[] = {
        {"highlight, any case", [](THTMLStaticText* T) { T->HilightText(QStringLiteral("save"), false); },
         "<hi>Save</hi> to <hi>save</hi> as"},
        {"highlight, exact case", [](THTMLStaticText* T) { T->HilightText(QStringLiteral("save"), true); },
         "Save to <hi>save</hi> as"},
        {"mark", [](THTMLStaticText* T) { T->MarkText(QStringLiteral("SAVE"), false); },
         "<e>Save</e> to <e>save</e> as"},
        {"highlight off",
         [](THTMLStaticText* T) {
             T->HilightText(QStringLiteral("save"), false);
             T->UnHilightText();
         },
         "Save to save as"},
        {"mark off keeps the highlight",
         [](THTMLStaticText* T) {
             T->HilightText(QStringLiteral("to"), false);
             T->MarkText(QStringLiteral("as"), false);
             T->UnMarkText();
         },
         "Save <hi>to</hi> save as"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLStaticText* T = make(QStringLiteral("Save to \nsave as"));
        C.Apply(T);
        String Shown;  // the lines as displayed: joined with nothing between them
        for (int I = 0; I < T->HTMLText()->Count(); ++I) Shown += T->HTMLText()->Strings(I);
        EXPECT_EQ(Shown, QString::fromUtf8(C.Display));
        EXPECT_EQ(T->HTMLText()->Count(), 2);
        T->Free();
    }
}

TEST_F(HTMLStaticTextTest, LeavingDropsTheHoverLook) {
    THTMLStaticText* T = make(QStringLiteral("<a href=\"x\">HH</a> words"), 150, 40);
    bigFont(T);
    T->SetHover(true);
    T->SetHoverColor(clLime);
    record(T);
    T->OnMouseEnter = [this](TObject*) { Events.push_back("mouse enter"); };
    T->OnMouseLeave = [this](TObject*) { Events.push_back("mouse leave"); };
    const TRect Area = Rect(0, 0, 150, 40);
    render();
    pointAt(T, 10, 12);
    T->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(T->Cursor(), crHandPoint);
    EXPECT_GT(count(render().get(), Area, clLime), 0);
    T->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(count(render().get(), Area, clLime), 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter:x", "mouse enter", "mouse leave"}));
}

TEST_F(HTMLStaticTextTest, AnAnimatedPictureRepaintsOnTheTimer) {
    // A black frame, then a white one 10 pixels to its right on a 20 x 10 screen.
    TempFolder Folder;
    const String Path = Folder.File(QStringLiteral("anim.gif"));
    const auto Bytes = BuildGif(20, 10, {{0, 0, 10, 10, 10, 0, 0}, {10, 0, 10, 10, 10, 0, 1}});
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<qint64>(Bytes.size()));
    F.close();

    FakeClock Clock;
    THTMLStaticText* T = make(QStringLiteral("<img src=\"file://%1\">").arg(Path), 150, 30);
    T->SetColor(clYellow);
    T->HandleNeeded();
    T->SetEnableBlink(true);  // runs the timer; there is no blinking text
    // The picture's leftmost black column, and whether the second frame shows at its place yet.
    auto leftmostBlack = [&](bool& SecondShown) {
        auto B = render();
        int Left = -1;
        for (int X = 0; X < 150 && Left < 0; ++X)
            for (int Y = 0; Y < 30; ++Y)
                if (B->Canvas()->Pixels(X, Y) == 0) {
                    Left = X;
                    break;
                }
        SecondShown = false;
        for (int Y = 0; Left >= 0 && Y < 30; ++Y)
            if (B->Canvas()->Pixels(Left + 15, Y) == clWhite) SecondShown = true;
        return Left;
    };
    bool SecondShown = false;
    const int First = leftmostBlack(SecondShown);
    ASSERT_NE(First, -1);
    ASSERT_FALSE(SecondShown);
    int Ticks = 0;
    while (Ticks < 10 && !SecondShown) {
        Clock.Advance(100);
        leftmostBlack(SecondShown);
        ++Ticks;
    }
    EXPECT_TRUE(SecondShown) << "the second frame never reached the screen";
    EXPECT_EQ(leftmostBlack(SecondShown), First) << "the picture stays in its place";
}

}  // namespace
