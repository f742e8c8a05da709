#include "components/graphics/MiniHTML.h"

#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "framework/rtl/Files.h"
#include "framework/ui/ImgList.h"
#include "tests/graphics/MarkupCanvasFixture.h"
#include "tests/graphics/PictureFixtures.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Options {
    TCustomImageList* Images = nullptr;
    int HitX = -1, HitY = -1, FocusIndex = -1, HoverIndex = -1;
    bool HitTestOnly = false, MeasureOnly = false, WordWrap = true;
    int LineSpacing = 0;
    THTMLPictureCache* Cache = nullptr;
    TPictureContainer* Container = nullptr;
};

struct Result {
    bool Hit = false;
    String Href, Plain, Title;
    int Width = 0, Height = 0, Anchors = 0, HitAnchor = -1;
    TRect HitRect;
};

class MiniHTMLTest : public MarkupCanvasFixture {
protected:
    Result draw(const String& Text, const TRect& R, const Options& O = {}) {
        TMarkupResult M;
        DrawMarkupText({.Canvas = Canvas,
                        .Text = Text,
                        .DrawRect = R,
                        .Images = O.Images,
                        .HitX = O.HitX,
                        .HitY = O.HitY,
                        .FocusIndex = O.FocusIndex,
                        .HoverIndex = O.HoverIndex,
                        .ShadowOffset = 2,
                        .HitTestOnly = O.HitTestOnly,
                        .MeasureOnly = O.MeasureOnly,
                        .WordWrap = O.WordWrap,
                        .PictureCache = O.Cache,
                        .Container = O.Container,
                        .LineSpacing = O.LineSpacing},
                       M);
        return {M.OnAnchor,       M.AnchorHref,  M.PlainText, M.AnchorTitle,  M.MeasuredWidth,
                M.MeasuredHeight, M.AnchorCount, M.HitAnchor, M.HitAnchorRect};
    }
};

TEST_F(MiniHTMLTest, EmptyTextMeasuresTheHeightOfGhAndDrawsNothing) {
    const Result R = draw(QString(), Rect(0, 0, 300, 200));
    EXPECT_EQ(R.Height, gh());
    EXPECT_EQ(R.Width, 0);
    EXPECT_EQ(R.Anchors, 0);
    EXPECT_EQ(R.HitAnchor, -1);
    EXPECT_EQ(ink(Rect(0, 0, 300, 200)), 0);
    EXPECT_EQ(Canvas->Brush()->Color(), clWhite);
}

TEST_F(MiniHTMLTest, WordWrapBreaksAfterTheLastWordThatFits) {
    const int Two = width(QStringLiteral("one two "));
    const TRect Box = Rect(0, 0, Two + 4, 200);
    const Result R = draw(QStringLiteral("one two three"), Box);
    EXPECT_EQ(R.Plain, QStringLiteral("one two three"));
    EXPECT_EQ(R.Height, 2 * gh());
    EXPECT_GT(ink(Rect(0, 0, Box.Right, gh())), 0);
    EXPECT_GT(ink(Rect(0, gh(), Box.Right, 2 * gh())), 0);
    EXPECT_EQ(ink(Rect(0, 2 * gh(), 300, 200)), 0);
    // "three" alone on the second line: no wider than the word itself.
    EXPECT_LE(inkColumns(Rect(0, gh(), 300, 2 * gh())).second, width(QStringLiteral("three")));
}

TEST_F(MiniHTMLTest, RightAlignmentIgnoresTheTrailingBlank) {
    const int Two = width(QStringLiteral("one two "));
    const TRect Box = Rect(0, 0, Two + 20, 200);
    draw(QStringLiteral("<P align=\"right\">one two three"), Box);
    const auto Line1 = inkColumns(Rect(0, 0, 300, gh()));
    const auto Line2 = inkColumns(Rect(0, gh(), 300, 2 * gh()));
    // Both lines end at the right edge, not a blank's width before it.
    EXPECT_GE(Line1.second, Box.Right - 3);
    EXPECT_GE(Line2.second, Box.Right - 3);
    EXPECT_GT(Line1.first, 10);
}

TEST_F(MiniHTMLTest, WithoutWordWrapOneLineIsCutWithAnEllipsis) {
    const TRect Box = Rect(0, 0, 60, 200);
    Options O;
    O.WordWrap = false;
    const Result R = draw(QStringLiteral("one two three four five six<br>next"), Box, O);
    EXPECT_EQ(R.Height, 2 * gh());
    EXPECT_EQ(R.Plain, QStringLiteral("one two three four five six\rnext"));
    EXPECT_EQ(ink(Rect(Box.Right, 0, 300, 200)), 0);
    // The ellipsis' dots sit low in the cut line's last columns.
    const auto Line1 = inkColumns(Rect(0, 0, Box.Right, gh()));
    EXPECT_GE(Line1.second, Box.Right - 10);
}

TEST_F(MiniHTMLTest, MeasureOnlyGoesOnPastTheRectangle) {
    const String Text = QStringLiteral("a<br>b<br>c<br>d<br>e<br>f");
    const TRect Box = Rect(0, 0, 100, 2 * gh());
    Options O;
    O.MeasureOnly = true;
    EXPECT_EQ(draw(Text, Box, O).Height, 6 * gh());
    EXPECT_EQ(ink(Rect(0, 0, 300, 200)), 0);
    const Result Drawn = draw(Text, Box);
    EXPECT_LT(Drawn.Height, 6 * gh());
    EXPECT_EQ(ink(Rect(0, 3 * gh(), 300, 200)), 0);
}

TEST_F(MiniHTMLTest, HitTestingFindsTheSecondAnchorWithItsHrefAndTitle) {
    const String Text = QStringLiteral(
        "go <a href=\"http://one\" title=\"First\">first</a> and <a href=\"http://two\" title=\"Second\">second</a>");
    Options O;
    O.HitTestOnly = true;
    O.HitX = width(QStringLiteral("go first and sec"));
    O.HitY = gh() / 2;
    const Result R = draw(Text, Rect(0, 0, 300, 200), O);
    EXPECT_TRUE(R.Hit);
    EXPECT_EQ(R.HitAnchor, 2);
    EXPECT_EQ(R.Anchors, 2);
    EXPECT_EQ(R.Href, QStringLiteral("http://two"));
    EXPECT_EQ(R.Title, QStringLiteral("Second"));
    EXPECT_EQ(R.HitRect.Left, width(QStringLiteral("go first and ")));
    EXPECT_EQ(ink(Rect(0, 0, 300, 200)), 0);

    O.HitX = width(QStringLiteral("go first an"));  // between the anchors
    const Result Miss = draw(Text, Rect(0, 0, 300, 200), O);
    EXPECT_FALSE(Miss.Hit);
    EXPECT_EQ(Miss.HitAnchor, -1);
    EXPECT_TRUE(Miss.Href.isEmpty());
}

TEST_F(MiniHTMLTest, TheCallInARowAgreesWithTheRequestAndKeepsTheCallersHref) {
    const String Text = QStringLiteral("go <a href=\"http://one\" title=\"First\">first</a> x<br>y");
    const int X = width(QStringLiteral("go fi"));
    TMarkupResult M;
    M.AnchorHref = QStringLiteral("before");
    const bool OnAnchor = DrawMarkupText(
        {.Canvas = Canvas, .Text = Text, .DrawRect = Rect(0, 0, 300, 200), .HitX = X, .HitY = 3, .HitTestOnly = true},
        M);
    String Href = QStringLiteral("before"), Plain, Title;
    int Width = 0, Height = 0, Anchors = 0, Hit = -1;
    TRect HitRect = Rect(-1, -1, -1, -1);
    EXPECT_EQ(
        DrawMarkupText(Canvas, Text, Rect(0, 0, 300, 200), nullptr, X, 3, -1, -1, 0, true, false, false, false, true,
                       false, true, 1.0, clBlue, clNone, clNone, clGray, Href, Plain, Title, Width, Height, Anchors,
                       Hit, HitRect, nullptr, nullptr, 0, bdLeftToRight, clHighlight, clHighlightText, {}),
        OnAnchor);
    EXPECT_TRUE(OnAnchor);
    EXPECT_EQ(Href, M.AnchorHref);
    EXPECT_EQ(Plain, M.PlainText);
    EXPECT_EQ(Title, QStringLiteral("First"));
    EXPECT_EQ(Width, M.MeasuredWidth);
    EXPECT_EQ(Height, M.MeasuredHeight);
    EXPECT_EQ(Hit, 1);
    EXPECT_EQ(HitRect, M.HitAnchorRect);

    // Away from the anchor the caller's reference and rectangle stay.
    Href = QStringLiteral("before");
    HitRect = Rect(-1, -1, -1, -1);
    EXPECT_FALSE(DrawMarkupText(Canvas, Text, Rect(0, 0, 300, 200), nullptr, 1, 3, -1, -1, 0, true, false, false, false,
                                true, false, true, 1.0, clBlue, clNone, clNone, clGray, Href, Plain, Title, Width,
                                Height, Anchors, Hit, HitRect, nullptr, nullptr, 0, bdLeftToRight, clHighlight,
                                clHighlightText, {}));
    EXPECT_EQ(Href, QStringLiteral("before"));
    EXPECT_EQ(HitRect, Rect(-1, -1, -1, -1));
}

TEST_F(MiniHTMLTest, AWrappedFocusedAnchorGetsOneFocusRectanglePerLine) {
    const String Text = QStringLiteral("xx <a href=\"u\">alpha beta</a>");
    const TRect Box = Rect(0, 0, width(QStringLiteral("xx alpha ")) + 4, 200);
    draw(Text, Box);
    const std::unique_ptr<TBitmap> Plain = std::make_unique<TBitmap>();
    Plain->Assign(Bitmap.get());
    SetUp();
    Options O;
    O.FocusIndex = 0;
    const Result R = draw(Text, Box, O);
    EXPECT_EQ(R.Title, QStringLiteral("u"));  // while drawing: the focused anchor's reference
    int DiffLeft[2] = {-1, -1};
    for (int Line = 0; Line < 2; ++Line)
        for (int X = 0; X < 300 && DiffLeft[Line] < 0; ++X)
            for (int Y = Line * gh() + 1; Y < (Line + 1) * gh() - 1; ++Y)
                if (Plain->Canvas()->Pixels(X, Y) != Canvas->Pixels(X, Y)) {
                    DiffLeft[Line] = X;
                    break;
                }
    // The first rectangle starts where the anchor starts, the second at the line's left edge.
    EXPECT_NEAR(DiffLeft[0], width(QStringLiteral("xx ")) - 1, 1);
    EXPECT_NEAR(DiffLeft[1], 0, 1);
}

TEST_F(MiniHTMLTest, LineSpacingAndSubAndSuperscriptMakeLinesTaller) {
    struct Case {
        const char* Text;
        int Spacing;
        int Expected;  // in quarters of gh, plus the spacing per line
    };
    const int H = gh();
    const Case Cases[] = {
        {"a<br>b", 3, 2 * H + 6},
        {"a<br>b", 0, 2 * H},
        {"x<sub>2</sub>", 0, H + H / 4},
        {"x<sup>2</sup>", 0, H + H / 4},
        {"x<sup>2</sup><sub>3</sub>", 0, H + 2 * (H / 4)},
    };
    for (const Case& C : Cases) {
        Options O;
        O.LineSpacing = C.Spacing;
        EXPECT_EQ(draw(QString::fromLatin1(C.Text), Rect(0, 0, 300, 200), O).Height, C.Expected) << C.Text;
    }
}

TEST_F(MiniHTMLTest, ItalicTextGetsTwoPixelsOfRoomAtTheRightEdge) {
    const String Word = QStringLiteral("fff");
    Canvas->Font()->SetStyle({fsItalic});
    const int W = width(Word);
    Canvas->Font()->SetStyle({});
    draw(QStringLiteral("<i>") + Word + QStringLiteral("</i>"), Rect(0, 0, W, 200));
    const auto Columns = inkColumns(Rect(0, 0, 300, 200));
    EXPECT_GE(Columns.second, W - 1);
    EXPECT_LT(Columns.second, W + 2);
}

// Bold runs measure in the face that draws them, whichever face stands in for the bold: wider
// than the plain text and as wide as the ink they put down.
TEST_F(MiniHTMLTest, BoldTextMeasuresAsItIsDrawn) {
    const String Caption = QStringLiteral("Download From:");
    const String Bold = QStringLiteral("<b>") + Caption + QStringLiteral("</b>");
    for (const char* Face : {"Tahoma", "MS Sans Serif", "Arial"}) {
        SCOPED_TRACE(Face);
        Canvas->Font()->SetName(QString::fromLatin1(Face));
        const int PlainWidth = draw(Caption, Rect(0, 0, W, H), {.MeasureOnly = true}).Width;
        const int BoldWidth = draw(Bold, Rect(0, 0, W, H), {.MeasureOnly = true}).Width;
        EXPECT_GT(BoldWidth, PlainWidth);
        clear();
        draw(Bold, Rect(0, 0, W, H));
        // The measured width is the line's width and one pixel more.
        EXPECT_NEAR(inkColumns(Rect(0, 0, W, H)).second + 1, BoldWidth - 1, 2);
    }
}

TEST_F(MiniHTMLTest, FloatingImageKeepsTheFollowingLinesBesideIt) {
    TImageList Images(nullptr, 32, 32);
    Images.Add(SolidBitmap(32, 32, clRed).get(), nullptr);
    Options O;
    O.Images = &Images;
    const String Text = QStringLiteral("<img src=\"idx:0\" float=\"left\">aa bb cc dd ee ff gg hh ii jj kk ll mm");
    const TRect Box = Rect(0, 0, 34 + width(QStringLiteral("aa bb ")), 200);
    draw(Text, Box, O);
    EXPECT_EQ(count(Rect(0, 0, 32, 32), isRed), 32 * 32);
    // Lines beside the picture have no text in the picture's column; lines below it do.
    EXPECT_EQ(count(Rect(32, 0, 34, 32), [](TColor C) { return C != clWhite; }), 0);
    EXPECT_GT(ink(Rect(34, 16, Box.Right, 32)), 0);
    EXPECT_GT(ink(Rect(0, 40, 20, 200)), 0);
}

TEST_F(MiniHTMLTest, ListsDrawTheirBulletsAndNumbers) {
    const Result Unordered = draw(QStringLiteral("<ul><li>one<li>two</ul>after"), Rect(0, 0, 300, 200));
    EXPECT_EQ(Unordered.Plain, QStringLiteral("onetwoafter"));
    EXPECT_EQ(Unordered.Height, 2 * gh());     // closing the list does not end the line
    EXPECT_GT(ink(Rect(0, 0, 10, gh())), 0);   // the bullet
    EXPECT_GT(ink(Rect(12, 0, 40, gh())), 0);  // the text after it
    EXPECT_GT(ink(Rect(0, gh(), 10, 2 * gh())), 0);

    SetUp();
    draw(QStringLiteral("<ol><li>alpha<li>beta</ol>"), Rect(0, 0, 300, 200));
    const int NumberWidth = width(QStringLiteral("1. "));
    EXPECT_GT(ink(Rect(0, 0, NumberWidth - 1, gh())), 0);
    EXPECT_GT(inkColumns(Rect(0, 0, 300, gh())).second, NumberWidth + width(QStringLiteral("alph")));

    SetUp();
    draw(QStringLiteral("<ul><li type=\"square\" color=\"#FF0000\">x</ul>"), Rect(0, 0, 300, 200));
    EXPECT_EQ(count(Rect(0, 2, 8, 10), isRed), 64);
}

TEST_F(MiniHTMLTest, HorizontalRuleAndBodyBackgrounds) {
    draw(QStringLiteral("above<hr color=\"#ff0000\">below"), Rect(0, 0, 200, 200));
    EXPECT_GT(count(Rect(0, gh(), 200, gh() + 1), isRed), 190);

    SetUp();
    draw(QStringLiteral("<body bgcolor=\"#00FF00\">text"), Rect(10, 10, 100, 50));
    EXPECT_TRUE(isGreen(Canvas->Pixels(8, 10)));
    EXPECT_TRUE(isGreen(Canvas->Pixels(99, 49)));
    EXPECT_FALSE(isGreen(Canvas->Pixels(100, 49)));

    SetUp();
    draw(QStringLiteral("<body bgcolor=\"#000000\" bgcolorto=\"#FF0000\">x"), Rect(0, 0, 128, 50));
    int Previous = -1;
    for (int X = 0; X < 128; X += 2) {
        const int Red = GetRValue(Canvas->Pixels(X, 45));
        EXPECT_GE(Red, Previous) << X;
        Previous = Red;
    }
    EXPECT_LT(GetRValue(Canvas->Pixels(0, 45)), 8);
    EXPECT_GT(GetRValue(Canvas->Pixels(127, 45)), 240);

    SetUp();
    draw(QStringLiteral("<body bgcolor=\"#0000FF\" bgcolorto=\"#FF0000\" dir=\"v\">x"), Rect(0, 0, 128, 128));
    EXPECT_EQ(Canvas->Pixels(0, 126), Canvas->Pixels(120, 126));
    EXPECT_NE(Canvas->Pixels(120, 2), Canvas->Pixels(120, 126));
}

TEST_F(MiniHTMLTest, HiddenTextIsInThePlainTextButNotInThePixels) {
    const Result R = draw(QStringLiteral("ab<z>hidden</z>cd"), Rect(0, 0, 300, 200));
    EXPECT_EQ(R.Plain, QStringLiteral("abhiddencd"));
    const auto Columns = inkColumns(Rect(0, 0, 300, 200));
    EXPECT_LE(Columns.second, width(QStringLiteral("abcd")));
    EXPECT_EQ(R.Width, width(QStringLiteral("abcd")) + 1);
}

TEST_F(MiniHTMLTest, ImagesByListIndexContainerNameAndFile) {
    TImageList Images(nullptr, 16, 16);
    Images.Add(SolidBitmap(16, 16, clRed).get(), nullptr);
    TPictureContainer Container(nullptr);
    TPictureItem* Item = Container.Items()->Add();
    Item->SetName(QStringLiteral("Logo"));
    TBytesStream In(PngBytes(12, 12, clBlue));
    Item->Picture()->LoadFromStream(&In);
    TempFolder Folder;
    const String File = Folder.File(QStringLiteral("Green.png"));
    {
        TBytesStream Png(PngBytes(10, 10, clGreen));
        Png.SaveToFile(File);
    }
    THTMLPictureCache Cache;
    Options O;
    O.Images = &Images;
    O.Container = &Container;
    O.Cache = &Cache;
    const Result R = draw(QStringLiteral("<img src=\"idx:0\"><img src=\"logo\"><img src=\"file://") + File +
                              QStringLiteral("\"><img src=\"idx:7\"><img src=\"C:\\x.png\">"),
                          Rect(0, 0, 300, 200), O);
    EXPECT_EQ(count(Rect(0, 0, 300, 200), isRed), 16 * 16);
    EXPECT_EQ(count(Rect(0, 0, 300, 200), isBlue), 12 * 12);
    EXPECT_EQ(count(Rect(0, 0, 300, 200), [](TColor C) { return C == clGreen; }), 10 * 10);
    EXPECT_EQ(Cache.Count(), 1);
    // Side by side, 2 pixels apart; the missing ones take no room.
    EXPECT_TRUE(isBlue(Canvas->Pixels(18 + 1, 6)));
    EXPECT_EQ(R.Width, 16 + 2 + 12 + 2 + 10 + 2 + 1);
    EXPECT_EQ(R.Height, 16);
}

TEST_F(MiniHTMLTest, MalformedMarkupEndsAndKeepsTheCanvas) {
    const char* Texts[] = {"<",
                           "<b",
                           "abc <font color=",
                           "<<<<>>>>",
                           "</",
                           "<li><li><li>",
                           "<ol><ol></ol></ol></ol></ul>",
                           "<img src=\"idx:",
                           "&amp;amp;&lt",
                           "<p float=\"left\"><p float=\"right\">x",
                           "<of x=\"900\">a b c",
                           "<r a=\"90\">up</r>",
                           "<a href=\"x\">open",
                           "<img src=\"idx:0\" float=\"right\">x y z"};
    TImageList Images(nullptr, 16, 16);
    Images.Add(SolidBitmap(16, 16, clRed).get(), nullptr);
    for (const char* T : Texts) {
        for (bool Measure : {false, true}) {
            Options O;
            O.MeasureOnly = Measure;
            O.Images = &Images;
            const Result R = draw(QString::fromLatin1(T), Rect(0, 0, 40, 60), O);
            EXPECT_GE(R.Height, 0) << T;
            EXPECT_EQ(Canvas->Font()->Size(), 8) << T;
            EXPECT_EQ(Canvas->Font()->Name(), QStringLiteral("Tahoma")) << T;
            EXPECT_EQ(Canvas->Font()->Orientation(), 0) << T;
        }
    }
    EXPECT_EQ(draw(QStringLiteral("abc <font color="), Rect(0, 0, 300, 200), {}).Plain, QStringLiteral("abc "));
}

}  // namespace
