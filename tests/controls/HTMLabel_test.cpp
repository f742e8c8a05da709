#include "components/controls/HTMLabel.h"

#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "framework/os/ShellAPI.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x00C000;

class HTMLabelTest : public PanelFixture {
protected:
    HTMLabelTest() : PanelFixture(240, TTestPointer::FarAway) {}

    std::vector<std::string> Events;

    THTMLabel* label(const String& Markup, int Left = 10, int Top = 10, int Width = 150, int Height = 24) {
        auto* L = new THTMLabel(Form.get());
        L->SetParent(Panel);
        L->SetBounds(Left, Top, Width, Height);
        L->HTMLText()->SetText(Markup);
        return L;
    }
    void record(THTMLabel* L) {
        L->OnAnchorEnter = [this](TObject*, const String& A) { Events.push_back("enter:" + A.toStdString()); };
        L->OnAnchorExit = [this](TObject*, const String& A) { Events.push_back("exit:" + A.toStdString()); };
        L->OnAnchorClick = [this](TObject*, const String& A) { Events.push_back("click:" + A.toStdString()); };
    }
    static void move(THTMLabel* L, int X, int Y) { L->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y)); }
    static void press(THTMLabel* L, int X, int Y, UINT Msg = WM_LBUTTONDOWN) {
        L->Perform(Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, PointToLParam(X, Y));
        L->Perform(Msg == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, PointToLParam(X, Y));
    }
    static bool dark(TColor C) { return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF) < 200; }
    static bool reddish(TColor C) { return (C & 0xFF) > 150 && ((C >> 8) & 0xFF) < 100 && ((C >> 16) & 0xFF) < 100; }
};

TEST_F(HTMLabelTest, CreationState) {
    THTMLabel* L = label(String());
    auto* Fresh = new THTMLabel(Form.get());
    EXPECT_EQ(Fresh->Width(), 120);
    EXPECT_TRUE(Fresh->Transparent());
    EXPECT_FALSE(Fresh->AutoSize());
    EXPECT_EQ(Fresh->HTMLText()->Count(), 0) << "no sample text at run time";
    EXPECT_EQ(L->Version(), QStringLiteral("1.9.2.6"));
    L->SetBevelWidth(0);
    L->SetBorderWidth(-1);
    L->SetLineWidth(-3);
    EXPECT_EQ(std::make_tuple(L->BevelWidth(), L->BorderWidth(), L->LineWidth()), std::make_tuple(1, 0, 2))
        << "out-of-range widths are ignored";
    L->SetVersion(QStringLiteral("2.0"));
    EXPECT_EQ(L->Version(), QStringLiteral("1.9.2.6"));

    // A label dropped on a form being designed starts with a sample line that names it.
    auto Designed = std::make_unique<TForm>(nullptr);
    Designed->SetDesigning(true);
    auto* D = new THTMLabel(Designed.get());
    D->SetName(QStringLiteral("HTMLabel1"));
    ASSERT_EQ(D->HTMLText()->Count(), 1);
    EXPECT_EQ(D->HTMLText()->Strings(0), QStringLiteral("Tessel <b>HTML</b> label HTMLabel1"));
    EXPECT_TRUE(D->Caption().isEmpty());

    Designed->SetLoading(true);
    auto* Read = new THTMLabel(Designed.get());
    EXPECT_EQ(Read->HTMLText()->Count(), 0) << "a form being loaded brings its own text";
}

TEST_F(HTMLabelTest, DisplayTextJoinsLines) {
    const struct {
        const char* Name;
        std::vector<const char*> Lines;
        const char* Display;
    } Cases[] = {
        {"tag meets tag", {"<b>one</b>", "<i>two</i>"}, "<b>one</b><i>two</i>"},
        {"plain words", {"one", "two"}, "one two"},
        {"tag then word", {"<b>one</b>", "two"}, "<b>one</b> two"},
        {"word then tag", {"one", "<b>two</b>"}, "one <b>two</b>"},
        {"three lines", {"<p>", "<b>x</b>", "y"}, "<p><b>x</b> y"},
        {"first line as is", {" lead"}, " lead"},
        {"empty", {}, ""},
    };
    THTMLabel* L = label(String());
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        L->HTMLText()->Clear();
        for (const char* Line : C.Lines) L->HTMLText()->Add(QString::fromUtf8(Line));
        EXPECT_EQ(L->GetDisplayText(), QString::fromUtf8(C.Display));
    }
    L->HTMLText()->SetText(QStringLiteral("<b>Save</b>\nTo:"));
    EXPECT_EQ(L->Text(), QStringLiteral("Save To:"));
}

TEST_F(HTMLabelTest, AssignedListBecomesOneLineAndDropsPictures) {
    THTMLabel* L = label(QStringLiteral("old"));
    L->ImageCache()->AddPicture();
    TStringList Two;
    Two.Add(QStringLiteral("<b>first</b>"));
    Two.Add(QStringLiteral("second"));
    L->SetHTMLText(&Two);
    ASSERT_EQ(L->HTMLText()->Count(), 1);
    EXPECT_EQ(L->HTMLText()->Strings(0), QStringLiteral("<b>first</b>second"));
    EXPECT_EQ(L->ImageCache()->Count(), 0) << "a text change empties the picture cache";
}

TEST_F(HTMLabelTest, HighlightAndMarkRoundTrip) {
    THTMLabel* L = label(QStringLiteral("Save To:\nsave as"));
    L->HilightText(QStringLiteral("save"), false);
    EXPECT_EQ(L->HTMLText()->Count(), 2);
    EXPECT_EQ(L->GetDisplayText(), QStringLiteral("<hi>Save</hi> To: <hi>save</hi> as"));
    L->UnHilightText();
    EXPECT_EQ(L->GetDisplayText(), QStringLiteral("Save To: save as"));
    L->MarkText(QStringLiteral("save"), true);
    EXPECT_EQ(L->GetDisplayText(), QStringLiteral("Save To: <e>save</e> as"));
    L->UnMarkText();
    EXPECT_EQ(L->GetDisplayText(), QStringLiteral("Save To: save as"));
}

TEST_F(HTMLabelTest, BackgroundsAndLines) {
    const struct {
        const char* Name;
        bool Transparent;
        TGradientType Type;
        TColor ColorTo;
        int LineWidth;
        // Probes in label coordinates (label 100 x 20) and the colour each must have; clNone: the
        // panel's white shows.
        std::vector<std::pair<TPoint, TColor>> Probes;
    } Cases[] = {
        {"transparent leaves the background",
         true,
         gtFullHorizontal,
         Blue,
         2,
         {{{50, 10}, clWhite}, {{1, 1}, clWhite}}},
        {"opaque solid", false, gtFullHorizontal, clNone, 2, {{{50, 10}, Red}, {{99, 19}, Red}}},
        {"horizontal gradient", false, gtFullHorizontal, Blue, 2, {{{0, 10}, Red}, {{99, 10}, 0xF5000A}}},
        {"vertical gradient", false, gtFullVertical, Blue, 2, {{{50, 0}, Red}, {{50, 19}, 0xF5000A}}},
        // Without an end colour a line fades out to white.
        {"bottom line",
         true,
         gtBottomLine,
         clNone,
         2,
         {{{0, 19}, Red}, {{0, 18}, Red}, {{0, 17}, clWhite}, {{99, 19}, 0xF5F5FF}}},
        {"top line", true, gtTopLine, clNone, 3, {{{0, 2}, Red}, {{0, 3}, clWhite}}},
        {"centre line", true, gtCenterLine, clNone, 2, {{{0, 9}, Red}, {{0, 10}, Red}, {{0, 8}, clWhite}}},
        {"line as gradient", true, gtBottomLine, Blue, 1, {{{0, 19}, Red}, {{99, 19}, 0xF5000A}}},
        {"line width 0 draws no line", true, gtBottomLine, Blue, 0, {{{0, 19}, clWhite}, {{50, 19}, clWhite}}},
        {"line type on opaque label", false, gtTopLine, Blue, 2, {{{0, 0}, Red}, {{99, 0}, 0xF5000A}, {{99, 5}, Red}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLabel* L = label(String(), 10, 10, 100, 20);
        L->SetParentColor(false);
        L->SetColor(Red);
        L->SetTransparent(C.Transparent);
        L->SetGradientType(C.Type);
        L->SetColorTo(C.ColorTo);
        L->SetLineWidth(C.LineWidth);
        auto Img = render();
        for (const auto& [P, Expected] : C.Probes)
            EXPECT_EQ(Img->Canvas()->Pixels(10 + P.X, 10 + P.Y), Expected) << P.X << "," << P.Y;
        L->Free();
    }
}

TEST_F(HTMLabelTest, BevelsAndBorder) {
    const TColor Light = ColorToRGB(clBtnHighlight);
    const TColor Shadow = ColorToRGB(clBtnShadow);
    const struct {
        const char* Name;
        TBevelCut Outer, Inner;
        int BevelWidth, BorderWidth;
        TBorderStyle Style;
        std::vector<std::pair<TPoint, TColor>> Probes;  // label coordinates, label 100 x 20
    } Cases[] = {
        {"raised outer", bvRaised, bvNone, 1, 0, bsNone, {{{0, 0}, Light}, {{99, 19}, Shadow}, {{1, 1}, Red}}},
        {"lowered outer", bvLowered, bvNone, 1, 0, bsNone, {{{0, 0}, Shadow}, {{99, 19}, Light}}},
        {"two pixels wide", bvRaised, bvNone, 2, 0, bsNone, {{{1, 1}, Light}, {{98, 18}, Shadow}, {{2, 2}, Red}}},
        {"frame between bevels",
         bvRaised,
         bvLowered,
         1,
         2,
         bsNone,
         {{{0, 0}, Light}, {{1, 1}, Red}, {{2, 2}, Red}, {{3, 3}, Shadow}, {{96, 16}, Light}}},
        {"single border", bvNone, bvNone, 1, 1, bsSingle, {{{0, 0}, Green}, {{0, 10}, Green}, {{50, 0}, Green}}},
        {"no border without a style", bvNone, bvNone, 1, 1, bsNone, {{{0, 0}, Red}, {{50, 0}, Red}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLabel* L = label(String(), 10, 10, 100, 20);
        L->SetParentColor(false);
        L->SetColor(Red);
        L->SetTransparent(false);
        L->SetBevelOuter(C.Outer);
        L->SetBevelInner(C.Inner);
        L->SetBevelWidth(C.BevelWidth);
        L->SetBorderWidth(C.BorderWidth);
        L->SetBorderStyle(C.Style);
        L->SetBorderColor(Green);
        auto Img = render();
        for (const auto& [P, Expected] : C.Probes)
            EXPECT_EQ(Img->Canvas()->Pixels(10 + P.X, 10 + P.Y), Expected) << P.X << "," << P.Y;
        L->Free();
    }
}

TEST_F(HTMLabelTest, TextPlacementAndBeginUpdate) {
    const TRect Area = Rect(10, 10, 160, 70);
    THTMLabel* L = label(QStringLiteral("<font color=\"#000000\">Download From:</font>"), 10, 10, 150, 60);
    L->SetParentColor(false);
    L->SetColor(Red);
    auto Img = render();
    const TRect Top = BoundsOf(Img.get(), Area, dark);
    ASSERT_FALSE(Top.IsEmpty());
    EXPECT_TRUE(BoundsOf(Img.get(), Area, [](TColor C) { return C == Red; }).IsEmpty()) << "text drawn transparently";
    EXPECT_LT(Top.Bottom, 30);

    L->SetVAlignment(tvaBottom);
    const TRect Bottom = BoundsOf(render().get(), Area, dark);
    EXPECT_GT(Bottom.Top, 45);
    L->SetVAlignment(tvaCenter);
    const TRect Centre = BoundsOf(render().get(), Area, dark);
    EXPECT_GT(Centre.Top, Top.Bottom);
    EXPECT_LT(Centre.Bottom, Bottom.Top);

    // While updating only the background is painted; nested updates need every EndUpdate.
    L->SetTransparent(false);
    L->SetParentColor(false);
    L->SetColor(clWhite);
    L->BeginUpdate();
    L->BeginUpdate();
    EXPECT_TRUE(BoundsOf(render().get(), Area, dark).IsEmpty());
    L->EndUpdate();
    EXPECT_TRUE(BoundsOf(render().get(), Area, dark).IsEmpty());
    L->EndUpdate();
    L->EndUpdate();  // one too many is ignored
    EXPECT_EQ(BoundsOf(render().get(), Area, dark), Centre);
}

TEST_F(HTMLabelTest, AutoSizingFollowsText) {
    const struct {
        const char* Name;
        TAutoSizeType Type;
        TBorderStyle Style;
        bool Width, Height;  // which follow the text
        int Extra;           // added by the single border
    } Cases[] = {
        {"both", asBoth, bsNone, true, true, 0},
        {"vertical", asVertical, bsNone, false, true, 0},
        {"horizontal", asHorizontal, bsNone, true, false, 0},
        {"both with a single border", asBoth, bsSingle, true, true, 6},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::vector<std::pair<int, int>> Sizes;
        THTMLabel* L = label(QStringLiteral("Save <b>As:</b>"), 10, 10, 150, 40);
        L->SetBorderStyle(C.Style);
        L->SetBorderWidth(3);
        L->OnNewSize = [&Sizes](TObject*, int W, int H) { Sizes.push_back({W, H}); };
        L->SetAutoSizeType(C.Type);
        L->SetAutoSizing(true);
        const TSize Text = L->HTMLSize();
        render();
        const int W = C.Width ? Text.cx + 6 + C.Extra : 150;
        const int H = C.Height ? Text.cy + 6 + C.Extra : 40;
        EXPECT_EQ(L->Width(), W);
        EXPECT_EQ(L->Height(), H);
        EXPECT_EQ(Sizes, (std::vector<std::pair<int, int>>{{W, H}}));
        render();
        EXPECT_EQ(Sizes.size(), 1u) << "no event without a change";
        L->HTMLText()->SetText(QStringLiteral("Save <b>As:</b> and more"));
        render();
        EXPECT_EQ(Sizes.size(), C.Width ? 2u : 1u);
        L->Free();
    }
}

TEST_F(HTMLabelTest, SwitchingAutoSizingOnShrinksAnAlignedLabelFirst) {
    const struct {
        const char* Name;
        TAlign Align;
        TAutoSizeType Type;
        TVAlignment VAlign;
        int Width, Height;  // right after the switch, before any paint
    } Cases[] = {
        {"left aligned, horizontal", alLeft, asHorizontal, tvaTop, 6, 100},
        {"right aligned, vertical, top text", alRight, asVertical, tvaTop, 6, 100},
        {"top aligned, vertical", alTop, asVertical, tvaTop, 240, 6},
        {"vertical with centred text keeps its size", alTop, asVertical, tvaCenter, 240, 24},
        {"bottom aligned, both, centred text", alBottom, asBoth, tvaCenter, 240, 6},
        {"not aligned", alNone, asBoth, tvaTop, 150, 24},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLabel* L = label(QStringLiteral("Save To:"));
        L->SetAlign(C.Align);
        L->SetVAlignment(C.VAlign);
        L->SetAutoSizeType(C.Type);
        L->SetAutoSizing(true);
        EXPECT_EQ(L->Width(), C.Width);
        EXPECT_EQ(L->Height(), C.Height);
        L->Free();
    }
}

TEST_F(HTMLabelTest, SizeQueries) {
    THTMLabel* L = label(QStringLiteral("alpha beta gamma delta"));
    const TSize One = L->HTMLSize();
    const TSize Wrapped = L->GetSizeWithMaxWidth(One.cx / 2);
    EXPECT_GT(One.cx, 0);
    EXPECT_LE(Wrapped.cx, One.cx / 2);
    EXPECT_GE(Wrapped.cy, 2 * One.cy);
    THTMLabel Loose(nullptr);  // measuring needs no parent
    Loose.HTMLText()->SetText(QStringLiteral("alpha beta gamma delta"));
    EXPECT_EQ(Loose.HTMLSize(), One);
}

TEST_F(HTMLabelTest, HoverEntersAndExitsAnchors) {
    THTMLabel* L = label(QStringLiteral("<a href=\"http://a.example/\">link</a> then plain text"));
    record(L);
    move(L, 3, 6);
    EXPECT_EQ(L->Cursor(), crHandPoint);
    move(L, 5, 6);
    move(L, 120, 6);
    EXPECT_EQ(L->Cursor(), crDefault);
    move(L, 130, 6);
    move(L, 3, 6);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter:http://a.example/", "exit:", "enter:http://a.example/"}));
}

TEST_F(HTMLabelTest, HoverTracksTheAnchorWhereItIsDrawn) {
    // Bevels, a frame and bottom alignment: the pointer must find the anchor where it is painted.
    THTMLabel* L = label(QStringLiteral("<a href=\"x\">Example:</a>"), 10, 5, 150, 90);
    L->SetURLColor(Red);
    L->SetBevelOuter(bvRaised);
    L->SetBevelInner(bvLowered);
    L->SetBevelWidth(4);
    L->SetBorderWidth(2);
    L->SetVAlignment(tvaBottom);
    record(L);
    const TRect Drawn = BoundsOf(render().get(), Rect(10, 5, 160, 95), reddish);
    ASSERT_FALSE(Drawn.IsEmpty());
    // Label coordinates: the top and bottom rows of the drawn anchor, then above and below it.
    const int X = (Drawn.Left + Drawn.Right) / 2 - 10;
    move(L, X, Drawn.Top - 5);
    EXPECT_EQ(Events, std::vector<std::string>{"enter:x"});
    move(L, X, Drawn.Bottom - 1 - 5);
    move(L, X, Drawn.Top - 5 - 8);
    move(L, X, Drawn.Bottom - 5 + 4);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter:x", "exit:"}));
}

TEST_F(HTMLabelTest, ClickFiresEventAndOpensOnlyWebAndMailAnchors) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    const struct {
        const char* Name;
        const char* Anchor;
        UINT Button;
        const char* Clicked;  // nullptr: no event
        const char* Opened;   // nullptr: the shell is not asked
    } Cases[] = {
        {"web address", "href=\"http://a.example/\"", WM_LBUTTONDOWN, "http://a.example/", "http://a.example/"},
        {"mail address", "href=\"mailto:me@example.com\"", WM_LBUTTONDOWN, "mailto:me@example.com",
         "mailto:me@example.com"},
        {"other anchor", "href=\"page2\"", WM_LBUTTONDOWN, "page2", nullptr},
        {"title decides", "href=\"page2\" title=\"http://t.example/\"", WM_LBUTTONDOWN, "http://t.example/",
         "http://t.example/"},
        {"title without address", "href=\"http://a.example/\" title=\"Home\"", WM_LBUTTONDOWN, "Home", nullptr},
        {"right button", "href=\"http://a.example/\"", WM_RBUTTONDOWN, nullptr, nullptr},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Events.clear();
        Shell.Clear();
        THTMLabel* L = label(QStringLiteral("<a %1>link</a> tail").arg(QString::fromUtf8(C.Anchor)));
        record(L);
        press(L, 3, 6, C.Button);
        press(L, 140, 6);  // off the text: nothing
        std::vector<std::string> Expected;
        if (C.Clicked) Expected.push_back(std::string("click:") + C.Clicked);
        EXPECT_EQ(Events, Expected);
        ASSERT_EQ(Shell.Count(), C.Opened ? 1 : 0);
        if (C.Opened) {
            EXPECT_EQ(Shell.Last().File, QString::fromUtf8(C.Opened));
            EXPECT_EQ(Shell.Last().Verb, QStringLiteral("open"));
            EXPECT_EQ(Shell.Last().ShowCmd, SW_SHOWNORMAL);
        }
        L->Free();
    }
}

TEST_F(HTMLabelTest, HintShowsAnchorOrFullText) {
    const struct {
        const char* Name;
        bool AnchorHint, ShowFull, HTMLHint, WithHandler;
        TPoint At;
        const char* Hint;
        bool Placed;  // moved next to the pointer
    } Cases[] = {
        {"anchor", true, false, false, false, {3, 6}, "http://a.example/", true},
        {"anchor changed by handler", true, true, false, true, {3, 6}, "[http://a.example/]", true},
        {"off anchors: own hint", true, false, false, false, {140, 6}, "own", false},
        {"full text stripped", true, true, false, false, {140, 6}, "link and more", false},
        {"full text with markup",
         false,
         true,
         true,
         false,
         {3, 6},
         "<a href=\"http://a.example/\">link</a> and <b>more</b>",
         false},
        {"neither", false, false, false, false, {3, 6}, "own", false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLabel* L = label(QStringLiteral("<a href=\"http://a.example/\">link</a>\nand <b>more</b>"));
        L->SetAnchorHint(C.AnchorHint);
        L->SetHintShowFull(C.ShowFull);
        L->SetHTMLHint(C.HTMLHint);
        if (C.WithHandler) L->OnAnchorHint = [](TObject*, String& A) { A = u'[' + A + u']'; };
        THintInfo Info;
        Info.HintControl = L;
        Info.CursorPos = C.At;
        Info.HintStr = QStringLiteral("own");
        Info.HintPos = Point(-5, -5);
        EXPECT_EQ(L->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
        EXPECT_EQ(Info.HintStr, QString::fromUtf8(C.Hint));
        const TPoint Screen = L->ClientToScreen(C.At);
        EXPECT_EQ(Info.HintPos, C.Placed ? Point(Screen.X + 10, Screen.Y - 10) : Point(-5, -5));
        L->Free();
    }
}

TEST_F(HTMLabelTest, MouseEnterAndLeave) {
    THTMLabel* L = label(QStringLiteral("<a href=\"x\">link</a>"));
    L->SetHover(true);
    L->SetHoverColor(Green);
    L->OnMouseEnter = [this](TObject*) { Events.push_back("mouse enter"); };
    L->OnMouseLeave = [this](TObject*) { Events.push_back("mouse leave"); };
    record(L);
    const TRect Area = Rect(10, 10, 160, 34);
    auto hovered = [&] { return !BoundsOf(render().get(), Area, [](TColor C) { return C == Green; }).IsEmpty(); };
    L->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(hovered());
    move(L, 3, 6);
    EXPECT_TRUE(hovered());
    // Leaving drops the hover look even though the pointer never moved off the anchor.
    L->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(hovered());
    EXPECT_EQ(Events, (std::vector<std::string>{"mouse enter", "enter:x", "mouse leave"}));
}

TEST_F(HTMLabelTest, PrintDrawsTheTextInTheGivenRectangle) {
    THTMLabel* L = label(QStringLiteral("<a href=\"x\">HHHH</a> tail"));
    L->SetURLColor(Red);
    L->SetHover(true);
    L->SetHoverColor(Green);
    move(L, 3, 6);  // hovered on screen; the print ignores that
    TBitmap Paper(200, 40);
    Paper.Canvas()->Brush()->SetColor(clWhite);
    Paper.Canvas()->FillRect(Rect(0, 0, 200, 40));
    L->HTMLPrint(Paper.Canvas(), Rect(20, 10, 200, 40));
    const TRect Anchor = BoundsOf(&Paper, Rect(0, 0, 200, 40), reddish);
    ASSERT_FALSE(Anchor.IsEmpty());
    EXPECT_GE(Anchor.Left, 20);
    EXPECT_GE(Anchor.Top, 10);
    EXPECT_TRUE(BoundsOf(&Paper, Rect(0, 0, 200, 40), [](TColor C) { return C == Green; }).IsEmpty());
    EXPECT_FALSE(BoundsOf(&Paper, Rect(Anchor.Right, 10, 200, 40), dark).IsEmpty()) << "the plain text too";
}

TEST_F(HTMLabelTest, FreedImagesAndContainerAreDropped) {
    THTMLabel* L = label(QStringLiteral("<img src=\"idx:0\"> <img src=\"pic\">"));
    auto* Images = new TCustomImageList(Form.get(), 16, 16);
    auto* Container = new TPictureContainer(Form.get());
    L->SetImages(Images);
    L->SetPictureContainer(Container);
    render();
    Images->Free();
    Container->Free();
    EXPECT_EQ(L->Images(), nullptr);
    EXPECT_EQ(L->PictureContainer(), nullptr);
    render();  // must not touch the freed objects
}

TEST_F(HTMLabelTest, AcceleratorOfTheRawTextFocusesTheFocusControl) {
    Form->Show();
    auto edit = [this](int Top) {
        auto* E = new TEdit(Form.get());
        E->SetParent(Panel);
        E->SetBounds(10, Top, 100, 24);
        return E;
    };
    TEdit* Edit = edit(50);
    TEdit* Elsewhere = edit(75);
    auto focus = [](TWinControl* W) {
        W->SetFocus();
        for (int I = 0; I < 20 && !W->Focused(); ++I) Application->ProcessMessages();
        return W->Focused();
    };
    const struct {
        const char* Name;
        const char* Markup;
        bool WithFocusControl, Enabled, ShowAccel, TargetEnabled;
        WPARAM Key;
        LRESULT Handled;  // and the focus control has the focus
    } Cases[] = {
        {"accelerator", "<b>Save</b> &To:", true, true, true, true, 't', 1},
        {"other key", "<b>Save</b> &To:", true, true, true, true, 's', 0},
        {"no focus control", "<b>Save</b> &To:", false, true, true, true, 't', 0},
        {"disabled", "<b>Save</b> &To:", true, false, true, true, 't', 0},
        {"accelerators hidden", "<b>Save</b> &To:", true, true, false, true, 't', 0},
        {"focus control cannot take the focus", "<b>Save</b> &To:", true, true, true, false, 't', 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ASSERT_TRUE(focus(Elsewhere));
        THTMLabel* L = label(QString::fromUtf8(C.Markup));
        if (C.WithFocusControl) L->SetFocusControl(Edit);
        L->SetEnabled(C.Enabled);
        L->SetShowAccelChar(C.ShowAccel);
        Edit->SetEnabled(C.TargetEnabled);
        EXPECT_EQ(L->Perform(CM_DIALOGCHAR, C.Key), C.Handled);
        for (int I = 0; I < 20 && C.Handled && !Edit->Focused(); ++I) Application->ProcessMessages();
        EXPECT_EQ(Edit->Focused(), C.Handled == 1);
        EXPECT_EQ(Elsewhere->Focused(), C.Handled == 0);
        Edit->SetEnabled(true);
        L->Free();
    }
}

}  // namespace
