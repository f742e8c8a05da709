// What the tags do to the pixels and the layout, beyond plain text: anchor and hover colours,
// highlight, shadow, error mark, blink, FONT, paragraph and span backgrounds, offsets, alignment,
// the "&" prefix rule, images as anchors and aligned, BODY pictures, and the tags that end a
// line. Checked by probing the drawn bitmap and the measured outputs.
#include "components/graphics/MiniHTML.h"

#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "framework/ui/ImgList.h"
#include "tests/graphics/MarkupCanvasFixture.h"
#include "tests/graphics/PictureFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Options {
    TCustomImageList* Images = nullptr;
    int HitX = -1, HitY = -1, HoverIndex = -1;
    bool HitTestOnly = false, MeasureOnly = false, IgnoreColors = false, BlinkVisible = true, HoverOnly = false;
    TColor HoverColor = clNone, HoverFontColor = clNone, HighlightColor = clYellow, HighlightTextColor = clRed;
    TPictureContainer* Container = nullptr;
};

struct Result {
    bool Hit = false;
    String Href, Plain, Title;
    int Width = 0, Height = 0, Anchors = 0, HitAnchor = -1;
    TRect HitRect;
};

class MiniHTMLTagEffects : public MarkupCanvasFixture {
protected:
    void SetUp() override {
        MarkupCanvasFixture::SetUp();
        Canvas->Font()->SetStyle({fsBold});  // bold strokes give solid pixels to probe
    }

    Result draw(const String& Text, const TRect& R, const Options& O = {}) {
        THTMLPictureCache Cache;
        const TMarkupResult M = DrawMarkupText({.Canvas = Canvas,
                                                .Text = Text,
                                                .DrawRect = R,
                                                .Images = O.Images,
                                                .HitX = O.HitX,
                                                .HitY = O.HitY,
                                                .HoverIndex = O.HoverIndex,
                                                .ShadowOffset = 2,
                                                .HitTestOnly = O.HitTestOnly,
                                                .MeasureOnly = O.MeasureOnly,
                                                .IgnoreColors = O.IgnoreColors,
                                                .BlinkVisible = O.BlinkVisible,
                                                .HoverOnly = O.HoverOnly,
                                                .HoverColor = O.HoverColor,
                                                .HoverFontColor = O.HoverFontColor,
                                                .ShadowColor = clLime,
                                                .PictureCache = &Cache,
                                                .Container = O.Container,
                                                .HighlightColor = O.HighlightColor,
                                                .HighlightTextColor = O.HighlightTextColor,
                                                .HighlightStyle = {fsBold}});
        return {M.OnAnchor,       M.AnchorHref,  M.PlainText, M.AnchorTitle,  M.MeasuredWidth,
                M.MeasuredHeight, M.AnchorCount, M.HitAnchor, M.HitAnchorRect};
    }
    Result draw(const char* Text, const Options& O = {}) { return draw(QString::fromUtf8(Text), Rect(0, 0, W, H), O); }

    // Bounding box of the ink in R; empty (Left > Right) when there is none.
    TRect inkBox(const TRect& R) {
        TRect Box = Rect(W, H, -1, -1);
        for (int Y = std::max(0, R.Top); Y < std::min(H, R.Bottom); ++Y)
            for (int X = std::max(0, R.Left); X < std::min(W, R.Right); ++X)
                if (Canvas->Pixels(X, Y) != clWhite) {
                    Box.Left = std::min(Box.Left, X), Box.Right = std::max(Box.Right, X);
                    Box.Top = std::min(Box.Top, Y), Box.Bottom = std::max(Box.Bottom, Y);
                }
        return Box;
    }
};

TEST_F(MiniHTMLTagEffects, AnchorsTakeTheAnchorColourAndHoverColoursOnlyWhereTheyApply) {
    const char* Text = "<a href=\"u\">link</a> after";
    const TRect Link = Rect(0, 0, width(QStringLiteral("link")), gh());
    const TRect After = Rect(width(QStringLiteral("link ")), 0, W, gh());

    draw(Text);
    EXPECT_GT(count(Link, isBlue), 0);
    EXPECT_EQ(count(After, isBlue), 0);  // the closing tag gives the base colour back
    EXPECT_GT(count(After, isBlack), 0);

    SetUp();
    Options Ignore;
    Ignore.IgnoreColors = true;
    draw(Text, Ignore);
    EXPECT_EQ(count(Link, isBlue), 0);
    EXPECT_GT(count(Link, isBlack), 0);

    // Hover colours on the hovered anchor only; the other anchor keeps the anchor colour.
    SetUp();
    Options Hover;
    Hover.HoverOnly = true;
    Hover.HoverIndex = 2;
    Hover.HoverColor = clYellow;
    Hover.HoverFontColor = clRed;
    draw("<a href=\"1\">one</a> <a href=\"2\">two</a>", Hover);
    const TRect One = Rect(0, 0, width(QStringLiteral("one")), gh());
    const TRect Two = Rect(width(QStringLiteral("one ")), 0, width(QStringLiteral("one two")), gh());
    EXPECT_GT(count(One, isBlue), 0);
    EXPECT_EQ(count(One, isYellow), 0);
    EXPECT_GT(count(Two, isRed), 0);
    EXPECT_EQ(count(Two, isBlue), 0);
    EXPECT_GT(count(Two, isYellow), 20);
    EXPECT_EQ(count(Rect(width(QStringLiteral("one two")) + 1, 0, W, H), isYellow), 0);
}

TEST_F(MiniHTMLTagEffects, HighlightAndAStrayClosingHTag) {
    draw("<hi>ab</hi>cd");
    const int Ab = width(QStringLiteral("ab"));
    EXPECT_GT(count(Rect(0, 0, Ab, gh()), isYellow), 20);
    EXPECT_GT(count(Rect(0, 0, Ab, gh()), isRed), 0);
    EXPECT_EQ(count(Rect(Ab + 1, 0, W, H), isYellow), 0);
    EXPECT_EQ(count(Rect(Ab + 1, 0, W, H), isRed), 0);

    // A closing H before any HI changes nothing: same pixels as without it.
    SetUp();
    draw("ab</h1>cd");
    const std::unique_ptr<TBitmap> Plain = std::make_unique<TBitmap>();
    Plain->Assign(Bitmap.get());
    SetUp();
    draw("abcd");
    for (int Y = 0; Y < gh(); ++Y)
        for (int X = 0; X < 60; ++X) ASSERT_EQ(Plain->Canvas()->Pixels(X, Y), Canvas->Pixels(X, Y)) << X << "," << Y;
}

TEST_F(MiniHTMLTagEffects, ShadowErrorMarkAndBlink) {
    draw("<sh>WW</sh>");
    const TRect Box = inkBox(Rect(0, 0, W, H));
    // The shadow (clLime) lies 2 pixels right and down of the text.
    EXPECT_GT(count(Rect(0, 0, W, H), isGreen), 0);
    EXPECT_GE(Box.Right, width(QStringLiteral("WW")));

    SetUp();
    draw("WW");
    EXPECT_EQ(count(Rect(0, 0, W, H), isGreen), 0);

    // The error mark: a red zig-zag on the rows around the text's bottom, under the run only.
    SetUp();
    draw("<e>abc</e> def");
    const int Abc = width(QStringLiteral("abc"));
    EXPECT_GT(count(Rect(0, gh() - 2, Abc, gh() + 2), isRed), Abc / 2);
    EXPECT_EQ(count(Rect(width(QStringLiteral("abc ")) + 2, 0, W, H), isRed), 0);

    // Blink in its hidden phase takes the caller's background (white): nothing shows.
    SetUp();
    Options Hidden;
    Hidden.BlinkVisible = false;
    const Result R = draw("<blink>abc</blink>", Hidden);
    EXPECT_EQ(ink(Rect(0, 0, W, H)), 0);
    EXPECT_EQ(R.Plain, QStringLiteral("abc"));
    SetUp();
    draw("<blink>abc</blink>");
    EXPECT_GT(ink(Rect(0, 0, W, H)), 0);
}

TEST_F(MiniHTMLTagEffects, FontColourBackgroundAndSize) {
    const int Ab = width(QStringLiteral("ab"));
    draw("<font color=\"#FF0000\" bgcolor=\"#00FF00\">ab</font>cd");
    EXPECT_GT(count(Rect(0, 0, Ab, gh()), isRed), 0);
    EXPECT_GT(count(Rect(0, 0, Ab, gh()), isGreen), 20);
    EXPECT_EQ(count(Rect(Ab + 1, 0, W, H), isRed), 0);
    EXPECT_EQ(count(Rect(Ab + 1, 0, W, H), isGreen), 0);
    EXPECT_GT(count(Rect(Ab + 1, 0, W, H), isBlack), 0);

    // Without quotes the value is empty and the colour stays.
    SetUp();
    draw("<font color=red>ab</font>");
    EXPECT_EQ(count(Rect(0, 0, W, H), isRed), 0);
    EXPECT_GT(count(Rect(0, 0, W, H), isBlack), 0);

    // Sizes: a step on the base size, a size in points, STYLE before SIZE; the measured width shows them.
    struct Case {
        const char* Markup;
        int Points;
    };
    for (const Case& C :
         {Case{"<font size=\"3\">Wide</font>", 12}, Case{"<font size=\"10\">Wide</font>", 10},
          Case{"<font size=\"1\">Wide</font>", 9}, Case{"<font style=\"font-size:20pt\" size=\"1\">Wide</font>", 20}}) {
        Options O;
        O.MeasureOnly = true;
        const Result R = draw(C.Markup, O);
        Canvas->Font()->SetSize(C.Points);
        EXPECT_EQ(R.Width, width(QStringLiteral("Wide")) + 1) << C.Markup;
        EXPECT_EQ(R.Height, gh()) << C.Markup;
        Canvas->Font()->SetSize(8);
    }
}

TEST_F(MiniHTMLTagEffects, HugeNumbersInTheMarkupNeitherOverflowNorBreakTheLayout) {
    const char* const Cases[] = {
        "<r a=\"999999999\">x</r>",
        "ab<ind x=\"2147483647\">cd",
        "<of x=\"2147483647\">ab",
        "<p indent=\"2147483647\">ab",
        "<p indent=\"-2147483648\" align=\"right\">ab",
        "<img src=\"idx:0\" width=\"2147483647\" height=\"-2147483648\">",
    };
    for (const char* Markup : Cases) {
        SetUp();
        const Result R = draw(Markup);
        EXPECT_GE(R.Height, 0) << Markup;
    }
}

TEST_F(MiniHTMLTagEffects, ParagraphAndSpanBackgrounds) {
    // P BGCOLOR fills the whole band of its lines across the rectangle; </P> ends it.
    draw(QStringLiteral("<p bgcolor=\"#00FF00\">ab<br>cd</p>ef"), Rect(10, 0, 200, H));
    EXPECT_TRUE(isGreen(Canvas->Pixels(10, 2)));
    EXPECT_TRUE(isGreen(Canvas->Pixels(199, 2)));
    EXPECT_TRUE(isGreen(Canvas->Pixels(199, gh() + 2)));  // every line of the paragraph, not only the first
    EXPECT_FALSE(isGreen(Canvas->Pixels(200, 2)));
    EXPECT_EQ(count(Rect(0, 2 * gh(), W, H), isGreen), 0);
    EXPECT_GT(ink(Rect(0, 2 * gh(), W, 3 * gh())), 0);

    // P BGCOLORTO: a left-to-right gradient over the line's band.
    SetUp();
    draw(QStringLiteral("<p bgcolor=\"#000000\" bgcolorto=\"#0000FF\">x</p>"), Rect(0, 0, 128, H));
    EXPECT_GT(GetBValue(Canvas->Pixels(127, 1)), 240);
    EXPECT_LT(GetBValue(Canvas->Pixels(2, 1)), 8);
    EXPECT_LT(GetBValue(Canvas->Pixels(40, 1)), GetBValue(Canvas->Pixels(90, 1)));
    EXPECT_EQ(count(Rect(0, gh() + 3, W, H), [](TColor C) { return C != clWhite; }), 0);

    // SPAN with a background colour, back to transparent at its closing tag.
    SetUp();
    draw("<span style=\"background-color:#00FF00\">ab</span>cd");
    const int Ab = width(QStringLiteral("ab"));
    EXPECT_GT(count(Rect(0, 0, Ab, gh()), isGreen), 20);
    EXPECT_EQ(count(Rect(Ab + 1, 0, W, H), isGreen), 0);
}

TEST_F(MiniHTMLTagEffects, OffsetsIndentAndCentring) {
    // OF moves this and the following lines right until </O>.
    draw("<of x=\"40\">ab<br>cd</o><br>ef");
    EXPECT_GE(inkBox(Rect(0, 0, W, gh())).Left, 40);
    EXPECT_GE(inkBox(Rect(0, gh(), W, 2 * gh())).Left, 40);
    EXPECT_LT(inkBox(Rect(0, 2 * gh(), W, 3 * gh())).Left, 5);

    // IND moves the next text to the rectangle's left + x when that is beyond the line so far.
    SetUp();
    const Result R = draw(QStringLiteral("ab<ind x=\"60\">cd"), Rect(5, 0, W, H));
    EXPECT_GE(inkBox(Rect(30, 0, W, H)).Left, 65);
    EXPECT_EQ(R.Width, 60 + width(QStringLiteral("cd")) + 1);
    Options Measure;
    Measure.MeasureOnly = true;
    const Result Back = draw("abcdefgh<ind x=\"4\">ij", Measure);  // not beyond the line: no jump back
    EXPECT_NEAR(Back.Width, width(QStringLiteral("abcdefghij")) + 1, 1);

    // Centre alignment and indent.
    SetUp();
    draw("<p align=\"center\">mm</p>");
    const TRect Centre = inkBox(Rect(0, 0, W, H));
    EXPECT_NEAR((Centre.Left + Centre.Right) / 2, W / 2, 3);
    SetUp();
    draw("<p indent=\"25\">mm");
    EXPECT_GE(inkBox(Rect(0, 0, W, H)).Left, 25);
    EXPECT_LT(inkBox(Rect(0, 0, W, H)).Left, 30);
}

TEST_F(MiniHTMLTagEffects, AmpersandPrefixRule) {
    Options O;
    O.MeasureOnly = true;
    // With " & " in the text prefixes are off: "&amp;" shows as two ampersands.
    const Result Off = draw("a & b &amp; c", O);
    EXPECT_EQ(Off.Plain, QStringLiteral("a & b && c"));
    EXPECT_NEAR(Off.Width, width(QStringLiteral("a & b && c")) + 1, 2);
    // Otherwise "&&" shows one ampersand and a single "&" underlines the next letter.
    const Result On = draw("b&amp;c", O);
    EXPECT_NEAR(On.Width, width(QStringLiteral("b&c")) + 1, 1);
    const Result Mnemonic = draw("&File", O);
    EXPECT_NEAR(Mnemonic.Width, width(QStringLiteral("File")) + 1, 1);
}

TEST_F(MiniHTMLTagEffects, TagsThatEndALineAndTagsThatDoNot) {
    struct Case {
        const char* Markup;
        int Lines;
    };
    const Case Cases[] = {
        {"a<p>b", 1},      {"a</p>b", 2},   {"a<br>b", 2},          {"a<hr>b", 2},     {"a</li>b", 2},
        {"a<ul>b", 2},     {"<ul>b", 1},    {"a</ul>b", 1},         {"a<ol><li>b", 2}, {"<ul><li>a<li>b<li>c", 3},
        {"a<b>b</b>c", 1}, {"a<font>b", 1}, {"a<z>b<br>c</z>d", 2},  // a BR in a hidden section still breaks
    };
    for (const Case& C : Cases) {
        Options O;
        O.MeasureOnly = true;
        EXPECT_EQ(draw(C.Markup, O).Height, C.Lines * gh()) << C.Markup;
    }
}

TEST_F(MiniHTMLTagEffects, ARunWiderThanTheLineStaysOnTheCurrentLine) {
    const TRect Box = Rect(0, 0, width(QStringLiteral("abcdefghijkl")) - 10, H);
    const Result R = draw(QStringLiteral("a abcdefghijklmnop b"), Box);
    EXPECT_EQ(R.Plain, QStringLiteral("a abcdefghijklmnop b"));
    EXPECT_EQ(R.Height, 2 * gh());  // "a abc…" on the first line, "b" on the second
}

TEST_F(MiniHTMLTagEffects, AnImageInsideAnAnchorIsHit) {
    TImageList Images(nullptr, 20, 20);
    Images.Add(SolidBitmap(20, 20, clRed).get(), nullptr);
    Options O;
    O.Images = &Images;
    O.HitY = 10;

    // A painting call: an anchor image makes the result true.
    O.HitX = 10;
    const Result Painted = draw("<a href=\"pic\" title=\"Picture\"><img src=\"idx:0\"></a> text", O);
    EXPECT_TRUE(Painted.Hit);
    EXPECT_EQ(Painted.HitAnchor, 1);
    EXPECT_EQ(Painted.Href, QStringLiteral("pic"));
    EXPECT_EQ(Painted.HitRect.Left, 0);
    EXPECT_EQ(count(Rect(0, 0, W, H), isRed), 400);

    // Hit-testing after text on the line.
    const String After = QStringLiteral("go <a href=\"pic\" title=\"Picture\"><img src=\"idx:0\"></a>");
    O.HitTestOnly = true;
    O.HitX = width(QStringLiteral("go ")) + 10;
    const Result R = draw(After, Rect(0, 0, W, H), O);
    EXPECT_TRUE(R.Hit);
    EXPECT_EQ(R.HitAnchor, 1);
    EXPECT_EQ(R.Href, QStringLiteral("pic"));
    EXPECT_EQ(R.Title, QStringLiteral("Picture"));

    O.HitX = width(QStringLiteral("go ")) + 25;  // right of the image
    const Result Miss = draw(After, Rect(0, 0, W, H), O);
    EXPECT_FALSE(Miss.Hit);
    EXPECT_EQ(Miss.HitAnchor, -1);
    O.HitX = 10;
    O.HitY = 30;  // below it
    EXPECT_FALSE(draw(After, Rect(0, 0, W, H), O).Hit);
}

TEST_F(MiniHTMLTagEffects, ImageAlignmentRaisesTheText) {
    TImageList Images(nullptr, 32, 32);
    Images.Add(SolidBitmap(32, 32, clRed).get(), nullptr);
    Options O;
    O.Images = &Images;
    const auto textTop = [&]() { return inkBox(Rect(40, 0, W, H)).Top; };
    const auto textBottom = [&]() { return inkBox(Rect(40, 0, W, H)).Bottom; };

    draw("<img src=\"idx:0\">Text", O);
    EXPECT_GT(textTop(), 32 - gh() - 1);  // bottom alignment: text along the image's bottom
    EXPECT_LE(textBottom(), 32);
    SetUp();
    draw("<img src=\"idx:0\" align=\"top\">Text", O);
    EXPECT_LT(textBottom(), gh() + 1);
    SetUp();
    draw("<img src=\"idx:0\" align=\"middle\">Text", O);
    EXPECT_GT(textTop(), 2);
    EXPECT_LT(textBottom(), 32 - 2);

    // A small image on a tall line sits at the text's bottom; MIDDLE centres it.
    TImageList Small(nullptr, 4, 4);
    Small.Add(SolidBitmap(4, 4, clRed).get(), nullptr);
    O.Images = &Small;
    SetUp();
    draw("<img src=\"idx:0\">Text", O);
    EXPECT_EQ(inkBox(Rect(0, 0, 4, H)).Bottom, gh() - 1);
    SetUp();
    draw("<img src=\"idx:0\" align=\"middle\">Text", O);
    EXPECT_EQ(inkBox(Rect(0, 0, 4, H)).Top, (gh() - 4) / 2);
}

TEST_F(MiniHTMLTagEffects, BodyPicturesTileAndRunDownTheRightEdge) {
    TPictureContainer Container(nullptr);
    TPictureItem* Item = Container.Items()->Add();
    Item->SetName(QStringLiteral("tile"));
    TBytesStream In(PngBytes(10, 10, clBlue));
    Item->Picture()->LoadFromStream(&In);
    Options O;
    O.Container = &Container;

    draw(QStringLiteral("<body background=\"tile\">"), Rect(5, 5, 40, 32), O);
    EXPECT_EQ(count(Rect(0, 0, W, H), isBlue), 35 * 27);  // clipped to the rectangle
    EXPECT_EQ(count(Rect(5, 5, 40, 32), isBlue), 35 * 27);

    SetUp();
    draw(QStringLiteral("<body bgtopright=\"tile\">"), Rect(0, 0, 100, 35), O);
    EXPECT_EQ(count(Rect(0, 0, W, H), isBlue), 10 * 35);
    EXPECT_EQ(count(Rect(90, 0, 100, 35), isBlue), 10 * 35);

    // A BGCOLOR fill covers the pictures drawn before it.
    SetUp();
    draw(QStringLiteral("<body background=\"tile\" bgcolor=\"#00FF00\">"), Rect(5, 5, 40, 32), O);
    EXPECT_EQ(count(Rect(0, 0, W, H), isBlue), 0);
    EXPECT_GT(count(Rect(5, 5, 40, 32), isGreen), 35 * 27 - 5);
}

TEST_F(MiniHTMLTagEffects, RotatedTextRunsUpFromTheRectangleAndTheFontTurnsBack) {
    draw(QStringLiteral("<r a=\"90\">WWWWWW</r>"), Rect(10, 100, W, H));
    // Turned about the rectangle's top-left, the run goes up from there, glyph tops to the left.
    const TRect Box = inkBox(Rect(0, 0, W, H));
    ASSERT_LE(Box.Left, Box.Right);
    EXPECT_GT(ink(Rect(10, 0, 30, 100)), 0);
    EXPECT_GE(Box.Left, 10);
    EXPECT_LE(Box.Right, 30);
    EXPECT_LE(Box.Bottom, 101);
    EXPECT_GT(Box.Bottom - Box.Top, 3 * (Box.Right - Box.Left));
    EXPECT_EQ(Canvas->Font()->Orientation(), 0);
}

TEST_F(MiniHTMLTagEffects, TheCanvasFontKeepsTheColourTheLastAnchorCopied) {
    draw("<font color=\"#FF0000\">x</font>");
    EXPECT_EQ(Canvas->Font()->Color(), clBlack);  // FONT COLOR copied the black it found
    SetUp();
    draw("<font color=\"#FF0000\">x<a href=\"u\">y</a></font>");
    EXPECT_EQ(Canvas->Font()->Color(), static_cast<TColor>(0x0000FF));  // the anchor copied the red
    EXPECT_EQ(Canvas->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(Canvas->Brush()->Color(), clWhite);
}

TEST(MiniHTMLDrawing, FillGradientBandsRoundsEachBandsColourAndPlace) {
    TBitmap Bitmap(120, 40);
    TCanvas* Canvas = Bitmap.Canvas();
    // Four bands over 100 pixels from black to red: 25 pixels each, red 0, 64, 128 (half to even), 191.
    FillGradientBands(Canvas, clBlack, static_cast<TColor>(0x0000FF), true, Rect(10, 0, 110, 40), 4, clNone);
    const int Expected[] = {0, 64, 128, 191};
    for (int I = 0; I < 4; ++I) {
        const TColor C = Canvas->Pixels(10 + I * 25 + 12, 20);
        EXPECT_EQ(GetRValue(C), Expected[I]) << I;
        EXPECT_EQ(GetGValue(C), 0);
    }
    // Vertical, with no bands counted as one, and an outline.
    FillGradientBands(Canvas, clBlue, clRed, false, Rect(0, 0, 120, 40), 0, clLime);
    EXPECT_EQ(Canvas->Pixels(60, 20), clBlue);
    EXPECT_EQ(Canvas->Pixels(0, 20), clLime);
    EXPECT_EQ(Canvas->Pixels(60, 0), clLime);
    EXPECT_EQ(Canvas->Pixels(119, 39), clLime);
}

}  // namespace
