// The grid's variant of the renderer: embedded controls (sizes, hit tests, looks and states) and
// where its readings differ from the controls' engine, checked against that engine on the same
// text; pictures by upper-cased file address and animated GIF frames in both engines.
#include "components/graphics/AsgHTMLE.h"

#include "components/graphics/AdvXPVS.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/graphics/MarkupCanvasFixture.h"
#include "tests/graphics/PictureFixtures.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace {

String S(const char* Text) { return String::fromUtf8(Text); }

enum class TEngine { Standard, Grid };

// A theme library that records which class, part and state it is asked to draw.
struct ThemeCall {
    std::u16string Class;
    int Part, State;
};
std::vector<ThemeCall> ThemeCalls;
std::u16string OpenedClass;

HTHEME fakeOpenThemeData(HWND, LPCWSTR Class) {
    OpenedClass = Class;
    return reinterpret_cast<HTHEME>(std::uintptr_t(1));
}
HRESULT fakeCloseThemeData(HTHEME) { return S_OK; }
HRESULT fakeDrawThemeBackground(HTHEME, HDC, int Part, int State, const TRect*, const TRect*) {
    ThemeCalls.push_back({OpenedClass, Part, State});
    return S_OK;
}
BOOL fakeIsThemeActive() { return 1; }

// The grid's loader wants every name: the real library's, four of them replaced.
TModuleExports recordingTheme() {
    TModuleExports Exports = UxThemeExports();
    for (TModuleExport& E : Exports) {
        const std::string Name = E.Name;
        if (Name == "OpenThemeData") E.Proc = reinterpret_cast<FARPROC>(&fakeOpenThemeData);
        if (Name == "CloseThemeData") E.Proc = reinterpret_cast<FARPROC>(&fakeCloseThemeData);
        if (Name == "DrawThemeBackground") E.Proc = reinterpret_cast<FARPROC>(&fakeDrawThemeBackground);
        if (Name == "IsThemeActive") E.Proc = reinterpret_cast<FARPROC>(&fakeIsThemeActive);
    }
    return Exports;
}

// The platform facts and the unit's version flag, put back afterwards.
class TFactsScope {
public:
    ~TFactsScope() = default;
    void SetVersion(DWORD Major, DWORD Minor) {
        PlatformFacts().MajorVersion = Major;
        PlatformFacts().MinorVersion = Minor;
        AsgHTMLE::DetectWinXPOrLater();
    }

private:
    struct TRedetect {
        ~TRedetect() { AsgHTMLE::DetectWinXPOrLater(); }
    } Redetect;  // runs after the facts are restored
    TPlatformFactsScope Facts;
};

class AsgHTMLETest : public MarkupCanvasFixture {
protected:
    TMarkupRequest request(const String& Text) {
        TMarkupRequest R;
        R.Canvas = Canvas;
        R.Text = Text;
        R.DrawRect = Rect(0, 0, W, H);
        return R;
    }
    TMarkupResult draw(TEngine Engine, const TMarkupRequest& Request) {
        return Engine == TEngine::Grid ? AsgHTMLE::DrawMarkupText(Request) : DrawMarkupText(Request);
    }
    TMarkupResult grid(const String& Text) { return draw(TEngine::Grid, request(Text)); }
    TMarkupResult grid(const char* Text) { return grid(S(Text)); }

    int firstInkColumn(const TRect& R) { return inkColumns(R).first; }
    std::vector<TColor> pixels() {
        std::vector<TColor> P;
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X) P.push_back(Canvas->Pixels(X, Y));
        return P;
    }
};

// ---------------------------------------------------------------------------------------------
// Embedded controls

TEST_F(AsgHTMLETest, ControlWidthsFollowTheScaleAndThePreviousControl) {
    const struct {
        const char* Text;
        double Scale;
        int Width;
    } Cases[] = {
        {"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">", 1.0, 16},
        {"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">", 2.0, 32},
        {"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">", 0.5, 16},  // never below 1.0
        {"<CONTROL TYPE=\"RADIO\" ID=\"r\" WIDTH=\"50\">", 1.0, 16},
        {"<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"50\"><CONTROL TYPE=\"EDIT\" ID=\"b\">", 1.0, 100},
        {"<CONTROL TYPE=\"EDIT\" ID=\"b\">", 1.0, 0},  // no earlier control: no width
        {"<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"x\">", 1.0, 0},
        {"<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"99999999\">", 1.0, 32767},
    };
    for (const auto& C : Cases) {
        TMarkupRequest R = request(S(C.Text));
        R.ImageScale = C.Scale;
        R.MeasureOnly = true;
        EXPECT_EQ(draw(TEngine::Grid, R).MeasuredWidth, C.Width) << C.Text << " at " << C.Scale;
    }

    // Drawn: the check box at scale 2 fills its 32 pixels; a control without WIDTH draws nothing.
    TMarkupRequest R = request(S("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">"));
    R.ImageScale = 2.0;
    draw(TEngine::Grid, R);
    EXPECT_GT(ink(Rect(20, 0, 33, 40)), 0);
    EXPECT_EQ(ink(Rect(34, 0, W, H)), 0);
    clear();
    grid("<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"50\"><CONTROL TYPE=\"EDIT\" ID=\"b\">");
    EXPECT_GT(ink(Rect(0, 0, 52, 40)), 0);
    EXPECT_EQ(ink(Rect(53, 0, W, H)), 0);
}

TEST_F(AsgHTMLETest, ControlsAreFoundUnderThePointOrByID) {
    const String Text =
        S("Name <CONTROL TYPE=\"edit\" ID=\"e\" VALUE=\"a&quot;b &amp; c\" WIDTH=\"60\"> "
          "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">");
    const int EditLeft = 1 + width(S("Name "));
    const int ButtonLeft = EditLeft + 60 + width(S(" "));
    const struct {
        const char* Name;
        TPoint Point;
        const char* ControlID;
        bool OnControl;
        const char* ID;
        TRect Rect;
    } Cases[] = {
        {"on the edit", Point(EditLeft + 30, 10), "", true, "e", Rect(EditLeft, 0, EditLeft + 60, gh() + 10)},
        {"on the button", Point(ButtonLeft + 5, 20), "", true, "b", Rect(ButtonLeft, 0, ButtonLeft + 40, 25)},
        {"located by ID", Point(-50, -50), "b", true, "b", Rect(ButtonLeft, 0, ButtonLeft + 40, 25)},
        {"on the text", Point(5, 5), "", false, "", Rect(0, 0, 0, 0)},
        {"unknown ID", Point(-50, -50), "zz", false, "zz", Rect(0, 0, 0, 0)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMarkupRequest R = request(Text);
        R.HitX = C.Point.X;
        R.HitY = C.Point.Y;
        R.HitTestOnly = true;
        R.ControlID = S(C.ControlID);
        TMarkupResult M;
        M.AnchorHref = S("kept");
        EXPECT_EQ(AsgHTMLE::DrawMarkupText(R, M), C.OnControl);
        EXPECT_EQ(M.AnchorHref, C.OnControl ? S("ctrl") : S("kept"));
        EXPECT_EQ(M.ControlID, S(C.ID));
        EXPECT_EQ(M.ControlRect, C.Rect);
        const String Type = !C.OnControl ? String() : S(C.ID) == S("e") ? S("EDIT") : S("BUTTON");
        EXPECT_EQ(M.ControlType, Type);
    }
    // The value comes decoded, quote and ampersand included, as the grid stores it.
    TMarkupRequest R = request(Text);
    R.HitTestOnly = true;
    R.ControlID = S("e");
    EXPECT_EQ(AsgHTMLE::DrawMarkupText(R).ControlValue, S("a\"b & c"));
}

TEST_F(AsgHTMLETest, BorderPenFollowsTheTheme) {
    const struct {
        const char* Name;
        DWORD Major, Minor;
        bool ThemeActive;
        TColor Border;
    } Cases[] = {
        {"current system, themed", 10, 0, true, 0xB99D7F},
        {"XP, themed", 5, 1, true, 0xB99D7F},
        {"2000", 5, 0, true, 0x808080},
        {"theme off", 10, 0, false, 0x808080},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFactsScope Facts;
        Facts.SetVersion(C.Major, C.Minor);
        ThemeSettings().Active = C.ThemeActive;
        clear();
        grid("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"60\">");
        const int Left = firstInkColumn(Rect(0, 12, W, 13));
        ASSERT_EQ(Left, 1);  // the grid's first line starts one pixel in
        EXPECT_EQ(Canvas->Pixels(Left, 12), C.Border);
        EXPECT_EQ(Canvas->Pixels(Left + 30, 6), clWhite);  // the box is filled white
    }
}

TEST_F(AsgHTMLETest, ThemedPartsAndStates) {
    const TThemeLoadersReleased Released;
    const TModuleReplacement Fake(QStringLiteral("uxtheme.dll"), recordingTheme());
    AdvXPVS.BindThemeFunctions();
    const TPoint Over = Point(20, 12), Away = Point(-100, -100);
    const struct {
        const char* Name;
        const char* Markup;
        TPoint Point;
        bool PressedDown;
        const char* PressedID;
        const char16_t* Class;
        int Part, State;
    } Cases[] = {
        {"button", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">", Away, false, "", u"button", 1, 1},
        {"button hot", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">", Over, false, "", u"button", 1,
         2},
        {"button pressed", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"40\">", Over, true, "b", u"button", 1, 3},
        {"pressed, pointer away", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"40\">", Away, true, "b", u"button", 1, 3},
        {"another pressed", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"40\">", Over, true, "x", u"button", 1, 2},
        {"combo", "<CONTROL TYPE=\"COMBO\" ID=\"m\" VALUE=\"one\" WIDTH=\"60\">", Away, false, "", u"combobox", 1, 1},
        {"combo hot", "<CONTROL TYPE=\"COMBO\" ID=\"m\" WIDTH=\"60\">", Point(50, 12), false, "", u"combobox", 1, 2},
        {"check", "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"20\">", Away, false, "", u"button", 3, 5},
        {"unchecked", "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"no\" WIDTH=\"20\">", Away, false, "", u"button", 3, 1},
        {"radio", "<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"20\">", Away, false, "", u"button", 2, 5},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ThemeCalls.clear();
        TMarkupRequest R = request(S(C.Markup));
        R.HitX = C.Point.X;
        R.HitY = C.Point.Y;
        R.PressedDown = C.PressedDown;
        R.PressedControlID = S(C.PressedID);
        AsgHTMLE::DrawMarkupText(R);
        ASSERT_EQ(ThemeCalls.size(), 1u);
        EXPECT_EQ(ThemeCalls[0].Class, C.Class);
        EXPECT_EQ(ThemeCalls[0].Part, C.Part);
        EXPECT_EQ(ThemeCalls[0].State, C.State);
    }
    ThemeCalls.clear();
    grid("<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"60\"><CONTROL TYPE=\"PASSWORD\" ID=\"p\" WIDTH=\"60\">");
    EXPECT_TRUE(ThemeCalls.empty());  // edit boxes are the engine's own
}

TEST_F(AsgHTMLETest, StatesShowInThePixels) {
    const auto render = [this](const char* Markup, bool Themed, TPoint Point = Point(-100, -100),
                               bool Pressed = false) {
        TFactsScope Facts;
        ThemeSettings().Active = Themed;
        clear();
        TMarkupRequest R = request(S(Markup));
        R.HitX = Point.X;
        R.HitY = Point.Y;
        R.PressedDown = Pressed;
        R.PressedControlID = S("b");
        AsgHTMLE::DrawMarkupText(R);
        return pixels();
    };
    for (const bool Themed : {false, true}) {
        SCOPED_TRACE(Themed ? "themed" : "classic");
        for (const char* Type : {"CHECK", "RADIO"}) {
            const std::string Checked =
                std::string("<CONTROL TYPE=\"") + Type + "\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"20\">";
            const std::string Clear =
                std::string("<CONTROL TYPE=\"") + Type + "\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"20\">";
            EXPECT_NE(render(Checked.c_str(), Themed), render(Clear.c_str(), Themed)) << Type;
        }
    }
    // Classic buttons sink only while the pointer is over the pressed button.
    const char* Button = "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">";
    EXPECT_NE(render(Button, false, Point(20, 12), true), render(Button, false, Point(20, 12), false));
    EXPECT_EQ(render(Button, false, Point(-100, -100), true), render(Button, false, Point(-100, -100), false));
    // The password shows stars, not its value.
    EXPECT_NE(render("<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"ab\" WIDTH=\"60\">", false),
              render("<CONTROL TYPE=\"EDIT\" ID=\"p\" VALUE=\"ab\" WIDTH=\"60\">", false));
}

// ---------------------------------------------------------------------------------------------
// Readings that differ from the controls' engine

TEST_F(AsgHTMLETest, DiffersFromTheControlsEngineWhereItMust) {
    const auto both = [this](const char* Markup, const std::function<void(TEngine, const TMarkupResult&)>& Check) {
        for (const TEngine E : {TEngine::Standard, TEngine::Grid}) {
            SCOPED_TRACE(E == TEngine::Grid ? "grid" : "standard");
            clear();
            Check(E, draw(E, request(S(Markup))));
        }
    };
    {
        SCOPED_TRACE("the first line starts one pixel in, the width has no extra pixel");
        Canvas->Font()->SetStyle({fsBold});
        both("<b>W</b>", [this](TEngine E, const TMarkupResult& M) {
            EXPECT_EQ(firstInkColumn(Rect(0, 0, W, 20)), E == TEngine::Grid ? 1 : 0);
            EXPECT_EQ(M.MeasuredWidth, width(S("W")) + (E == TEngine::Grid ? 0 : 1));
        });
        Canvas->Font()->SetStyle({});
    }
    {
        SCOPED_TRACE("a single & is always a mnemonic prefix");
        const int Standard = DrawMarkupText(request(S("a & b"))).MeasuredWidth - 1;
        const int Grid = grid("a & b").MeasuredWidth;
        EXPECT_NEAR(Standard - Grid, width(S("&")), 1);  // the grid shows no "&"
    }
    {
        SCOPED_TRACE("black rules");
        both("above<hr color=\"#FF0000\">below", [this](TEngine E, const TMarkupResult&) {
            EXPECT_EQ(count(Rect(0, 0, W, H), isRed) > 0, E == TEngine::Standard);
        });
    }
    {
        SCOPED_TRACE("a closing P returns to the left");
        both("<p align=\"right\">a</p>b", [this](TEngine E, const TMarkupResult&) {
            const int B = firstInkColumn(Rect(0, gh(), W, 2 * gh()));
            if (E == TEngine::Grid) {
                EXPECT_LT(B, 20);
            } else {
                EXPECT_GT(B, 250);
            }
        });
    }
    {
        SCOPED_TRACE("letter entities in runs");
        both("&eacute;t&eacute; &Agrave;", [](TEngine E, const TMarkupResult& M) {
            EXPECT_EQ(M.PlainText, E == TEngine::Grid ? S("\u00e9t\u00e9 \u00c0") : S("&eacute;t&eacute; &Agrave;"));
        });
    }
    {
        SCOPED_TRACE("FONT SIZE steps are absolute points");
        const int Base = grid("gh").MeasuredHeight;
        for (int N = 1; N <= 5; ++N) {
            const String Step = QStringLiteral("<font size=\"%1\">gh</font>").arg(N);
            const String Points = QStringLiteral("<font size=\"%1\">gh</font>").arg(6 + 2 * N);
            EXPECT_EQ(grid(Step).MeasuredHeight, grid(Points).MeasuredHeight) << N;
        }
        EXPECT_EQ(grid("<font size=\"1\">gh</font>").MeasuredHeight, Base);  // 8 points on an 8-point font
        EXPECT_GT(DrawMarkupText(request(S("<font size=\"1\">gh</font>"))).MeasuredHeight, Base);
    }
    {
        SCOPED_TRACE("colours: cl names in any case, highlight from the unit");
        grid("<font color=\"clRed\">WWW</font>");
        EXPECT_GT(count(Rect(0, 0, W, 20), isRed), 0);
        clear();
        AsgHTMLE::SetMarkupHighlightColors(clRed, clWhite);
        grid("<hi>WWW</hi>");
        AsgHTMLE::SetMarkupHighlightColors(clHighlight, clHighlightText);
        EXPECT_GT(count(Rect(0, 0, W, 20), isRed), 20);
    }
}

TEST_F(AsgHTMLETest, UnclosedAndStrayControlTagsEndQuietly) {
    for (const char* Text : {"x <CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"60\"", "<CONTROL", "<C", "<CONTROL>>>",
                             "<CONTROL TYPE=\"EDIT\" WIDTH=\"-5\" HEIGHT=\"-99999999999\">",
                             "<CONTROL TYPE=\"BUTTON\" WIDTH=\"2147483647\" HEIGHT=\"2147483647\">tail"}) {
        const TMarkupResult M = grid(Text);
        EXPECT_GE(M.MeasuredWidth, 0) << Text;
        EXPECT_GT(M.MeasuredHeight, 0) << Text;
        EXPECT_EQ(Canvas->Font()->Size(), 8) << Text;
    }
}

// ---------------------------------------------------------------------------------------------
// Pictures

TEST_F(AsgHTMLETest, UpperCasedFileAddressesFindTheirFile) {
    TempFolder Folder;
    const String File = Folder.File(QStringLiteral("Mixed Case.png"));
    {
        TBytesStream Png(PngBytes(12, 12, clRed));
        Png.SaveToFile(File);
    }
    THTMLPictureCache Cache;
    TMarkupRequest R = request(QStringLiteral("<img src=\"file://") + File + QStringLiteral("\">"));
    R.PictureCache = &Cache;
    AsgHTMLE::DrawMarkupText(R);
    EXPECT_EQ(Cache.Count(), 1);
    EXPECT_GT(count(Rect(0, 0, 20, 20), isRed), 100);
}

TEST_F(AsgHTMLETest, AnimatedGifShowsItsSelectedFrameInBothEngines) {
    // 8 x 6 screen: a black frame, then a white 3 x 2 patch at (1, 2), then black at (4, 1).
    TPictureContainer Container(nullptr);
    TPictureItem* Item = Container.Items()->Add();
    Item->SetName(QStringLiteral("anim"));
    TBytesStream Gif(ThreeFrameGif());
    Item->Picture()->LoadFromStream(&Gif);
    auto* Picture = dynamic_cast<THTMLPicture*>(Item->Picture());
    ASSERT_NE(Picture, nullptr);
    ASSERT_EQ(Picture->FrameCount(), 3);

    const auto frameAt = [&](TEngine E) {
        clear();
        Canvas->Brush()->SetColor(0x00FF00);  // the caller's background fills the frame area first
        TMarkupRequest R = request(S("<img src=\"anim\" align=\"top\">"));
        R.Container = &Container;
        draw(E, R);
        return E == TEngine::Grid ? 1 : 0;  // the picture's left edge
    };
    for (const TEngine E : {TEngine::Standard, TEngine::Grid}) {
        SCOPED_TRACE(E == TEngine::Grid ? "grid" : "standard");
        Picture->SetFrame(1);
        int X = frameAt(E);
        EXPECT_EQ(Canvas->Pixels(X + 2, 2), clBlack);
        EXPECT_EQ(Canvas->Pixels(X, 0), clBlack);

        bool Stepped = false;
        for (int I = 0; I < 10 && !Stepped; ++I) Stepped = Picture->Step();
        ASSERT_TRUE(Stepped);
        ASSERT_EQ(Picture->Frame(), 2);
        X = frameAt(E);
        EXPECT_EQ(Canvas->Pixels(X + 2, 2), clWhite);  // the frame's own patch, at its place
        EXPECT_EQ(Canvas->Pixels(X + 6, 4), clBlack);  // the rest of the picture as composed
        EXPECT_EQ(Canvas->Pixels(X, 0), clBlack);
    }
}

}  // namespace
