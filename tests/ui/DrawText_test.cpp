#include "framework/ui/DrawText.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/FileIcons.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <random>

namespace {

// A white 32-bit bitmap with a black 8-point font on a transparent brush.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        B = std::make_unique<TBitmap>(240, 120);
        B->SetPixelFormat(pf32bit);
        C = B->Canvas();
        C->Brush()->SetColor(clWhite);
        C->FillRect(Rect(0, 0, 240, 120));
        C->Font()->SetName(QStringLiteral("Tahoma"));
        C->Font()->SetHeight(-11);
        C->Font()->SetColor(clBlack);
        C->Brush()->SetStyle(bsClear);
    }

    HDC DC() { return C->Handle(); }
    TColor At(int X, int Y) {
        const QRgb P = BitmapQImage(B.get())->pixel(X, Y);
        return RGB(qRed(P), qGreen(P), qBlue(P));
    }
    QImage Snapshot() { return BitmapQImage(B.get())->copy(); }
    void Clear(TColor Color = clWhite) { BitmapQImage(B.get())->fill(QColorOf(Color)); }
    // Bounding box of the pixels that are (Match) or are not (!Match) Color; empty when none.
    TRect Box(TColor Color, bool Match) {
        const QImage& Image = *BitmapQImage(B.get());
        const QRgb Want = QColorOf(Color).rgb() & 0xFFFFFF;
        TRect R{Image.width(), Image.height(), 0, 0};
        for (int Y = 0; Y < Image.height(); ++Y) {
            const auto* Line = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
            for (int X = 0; X < Image.width(); ++X)
                if (((Line[X] & 0xFFFFFF) == Want) == Match) {
                    R.Left = std::min(R.Left, X);
                    R.Top = std::min(R.Top, Y);
                    R.Right = std::max(R.Right, X + 1);
                    R.Bottom = std::max(R.Bottom, Y + 1);
                }
        }
        return R.Left < R.Right ? R : TRect{0, 0, 0, 0};
    }
    TRect Ink(TColor Background = clWhite) { return Box(Background, false); }
    TRect BoxOf(TColor Color) { return Box(Color, true); }
    TRect Measure(const String& Text, UINT Format, TRect R = {0, 0, 1000, 0}) {
        DrawText(DC(), Text, -1, R, Format | DT_CALCRECT);
        return R;
    }

    std::unique_ptr<TBitmap> B;
    TCanvas* C = nullptr;
};

TEST_F(TextTest, MeasuringFollowsThePrefixTabAndLineRules) {
    const int W = C->TextWidth(QStringLiteral("File"));
    const int H = C->TextHeight(QStringLiteral("gh"));
    const int Ave = C->TextWidth(QStringLiteral("x"));
    struct Case {
        const char* Text;
        UINT Format;
        int Width, Height;
    };
    const Case Cases[] = {
        {"File", DT_SINGLELINE, W, H},
        {"&File", DT_SINGLELINE, W, H},
        {"&File", DT_SINGLELINE | DT_HIDEPREFIX, W, H},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, C->TextWidth(QStringLiteral("&File")), H},
        {"A&&B", DT_SINGLELINE, C->TextWidth(QStringLiteral("A&B")), H},
        {"File&", DT_SINGLELINE, W, H},
        {"", DT_SINGLELINE, 0, H},
        {"", 0, 0, H},
        {"File\r\nFiles\nF", 0, C->TextWidth(QStringLiteral("Files")), 3 * H},
        {"File\r\n", 0, W, 2 * H},
        {"a\tb", DT_EXPANDTABS, 8 * Ave + C->TextWidth(QStringLiteral("b")), H},
        {"a\tb", 0, C->TextWidth(QStringLiteral("ab")), H},
    };
    for (const auto& T : Cases) {
        TRect R{10, 5, 1000, 5};
        const int Height = DrawText(DC(), QString::fromUtf8(T.Text), -1, R, T.Format | DT_CALCRECT);
        EXPECT_EQ(R, (TRect{10, 5, 10 + T.Width, 5 + T.Height})) << T.Text;
        EXPECT_EQ(Height, T.Height) << T.Text;
    }
    // Count takes the first characters only; margins add to the width.
    TRect R{0, 0, 1000, 0};
    DrawText(DC(), QStringLiteral("FileXYZ"), 4, R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Right, W);
    DRAWTEXTPARAMS P;
    P.iLeftMargin = 3;
    P.iRightMargin = 4;
    R = {0, 0, 1000, 0};
    DrawTextEx(DC(), QStringLiteral("File"), -1, R, DT_CALCRECT | DT_SINGLELINE, &P);
    EXPECT_EQ(R.Right, W + 7);
    EXPECT_EQ(P.uiLengthDrawn, 4u);
    // Tab stops every iTabLength average characters.
    DRAWTEXTPARAMS Tabs;
    Tabs.iTabLength = 4;
    R = {0, 0, 1000, 0};
    DrawTextEx(DC(), QStringLiteral("a\tb"), -1, R, DT_CALCRECT | DT_EXPANDTABS | DT_TABSTOP, &Tabs);
    EXPECT_EQ(R.Right, 4 * Ave + C->TextWidth(QStringLiteral("b")));
    P.cbSize = 3;
    EXPECT_EQ(DrawTextEx(DC(), QStringLiteral("File"), -1, R, DT_SINGLELINE, &P), 0);
    EXPECT_EQ(DrawText(nullptr, QStringLiteral("File"), -1, R, DT_CALCRECT), 0);
}

TEST_F(TextTest, OpaqueBackgroundCoversExactlyTheMeasuredRectangle) {
    const struct {
        const char* Text;
        UINT Format;
    } Cases[] = {
        {"Hello", DT_SINGLELINE},    {"&Open file", DT_SINGLELINE}, {"one two three four five", DT_WORDBREAK},
        {"col\tumn", DT_EXPANDTABS}, {"Wide\r\nW", DT_LEFT},
    };
    for (const auto& T : Cases) {
        Clear(clRed);
        const String Text = QString::fromUtf8(T.Text);
        const TRect Measured = Measure(Text, T.Format, {20, 10, 120, 10});
        SetBkMode(DC(), OPAQUE);
        SetBkColor(DC(), RGB(255, 255, 0));
        TRect R{20, 10, 120, 110};
        const int Height = DrawText(DC(), Text, -1, R, T.Format);
        EXPECT_EQ(BoxOf(clYellow), Measured) << T.Text;
        EXPECT_EQ(Height, Measured.Bottom - Measured.Top) << T.Text;
        // Transparent mode leaves the background and draws the same glyphs.
        Clear(clRed);
        SetBkMode(DC(), TRANSPARENT);
        DrawText(DC(), Text, -1, R, T.Format);
        EXPECT_EQ(BoxOf(clYellow), (TRect{0, 0, 0, 0})) << T.Text;
        const TRect Glyphs = Ink(clRed);
        EXPECT_GE(Glyphs.Left, Measured.Left) << T.Text;
        // A glyph may reach past its advance by its right bearing, as the face has it.
        const QFontMetrics Metrics(QFontOf(*C->Font()));
        int Overhang = 0;
        for (const QChar Ch : Text) Overhang = std::max(Overhang, -Metrics.rightBearing(Ch));
        EXPECT_LE(Glyphs.Right, Measured.Right + Overhang) << T.Text;
        EXPECT_GE(Glyphs.Top, Measured.Top) << T.Text;
        EXPECT_LE(Glyphs.Bottom, Measured.Bottom) << T.Text;
    }
}

TEST_F(TextTest, CanvasTextCallsAgreeWithDrawText) {
    for (const char* Text : {"W", "Hello, world", "gh", "Mixed CASE 123"}) {
        const String S = QString::fromUtf8(Text);
        const TRect R = Measure(S, DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_EQ(C->TextExtent(S), (TSize{R.Right, R.Bottom})) << Text;
        TSize Size;
        ASSERT_TRUE(GetTextExtentPoint32(DC(), S, -1, &Size));
        EXPECT_EQ(Size, C->TextExtent(S)) << Text;
        // TextOut draws the pixels DrawText draws at the same place.
        Clear();
        C->TextOut(5, 5, S);
        const QImage ByCanvas = Snapshot();
        Clear();
        TRect At{5, 5, 5 + R.Right, 5 + R.Bottom};
        DrawText(DC(), S, -1, At, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        EXPECT_EQ(Snapshot(), ByCanvas) << Text;
    }
}

TEST_F(TextTest, GetTextMetricsDescribesTheSelectedFont) {
    TEXTMETRICW M;
    ASSERT_TRUE(GetTextMetrics(DC(), &M));
    EXPECT_EQ(M.tmHeight, M.tmAscent + M.tmDescent);
    EXPECT_EQ(M.tmHeight, C->TextHeight(QStringLiteral("gh")));
    EXPECT_EQ(M.tmHeight - M.tmInternalLeading, 11);  // negative height: the character height
    EXPECT_EQ(M.tmAveCharWidth, C->TextWidth(QStringLiteral("x")));
    EXPECT_GE(M.tmMaxCharWidth, C->TextWidth(QStringLiteral("W")));
    EXPECT_EQ(M.tmWeight, FW_NORMAL);
    EXPECT_EQ(M.tmPitchAndFamily & 1, 1);
    C->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
    C->Font()->SetHeight(24);  // positive: the cell height, never exceeded
    ASSERT_TRUE(GetTextMetrics(DC(), &M));
    EXPECT_LE(M.tmHeight, 24);
    EXPECT_GE(M.tmHeight, 23);
    EXPECT_EQ(M.tmWeight, FW_BOLD);
    EXPECT_EQ(M.tmItalic, 1);
    C->Font()->SetName(QStringLiteral("Courier New"));
    ASSERT_TRUE(GetTextMetrics(DC(), &M));
    EXPECT_EQ(M.tmPitchAndFamily & 1, 0);
    EXPECT_EQ(GetDeviceCaps(DC(), LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(DC(), LOGPIXELSY), 96);
    EXPECT_FALSE(GetTextMetrics(nullptr, &M));
}

// Draws Text wrapped into Width and the Expected lines one by one; both pictures must match.
TEST_F(TextTest, WordBreakBreaksWhereExpected) {
    const auto Wide = [&](const char* S) { return C->TextWidth(QString::fromUtf8(S)); };
    const struct {
        const char* Text;
        int Width;
        UINT Format;
        QStringList Lines;
    } Cases[] = {
        {"one two three", Wide("one two") + 2, 0, {"one two", "three"}},
        {"one two three", Wide("one two"), 0, {"one two", "three"}},
        {"one two three", Wide("one two") - 1, 0, {"one", "two", "three"}},
        {"one   two", Wide("one") + 2, 0, {"one", "two"}},
        {"a verylongword b", Wide("a very"), 0, {"a", "verylongword", "b"}},
        {"xxxxxxxxxx", Wide("xxxx"), DT_EDITCONTROL, {"xxxx", "xxxx", "xx"}},
        {"one\r\ntwo three", 1000, 0, {"one", "two three"}},
        {"one two\nthree", Wide("one"), 0, {"one", "two", "three"}},
    };
    for (const auto& T : Cases) {
        const String Text = QString::fromUtf8(T.Text);
        const int H = C->TextHeight(QStringLiteral("gh"));
        Clear();
        TRect R{2, 2, 2 + T.Width, 118};
        const int Height = DrawText(DC(), Text, -1, R, DT_WORDBREAK | DT_NOCLIP | T.Format);
        const QImage Wrapped = Snapshot();
        EXPECT_EQ(Height, H * T.Lines.size()) << T.Text;
        Clear();
        for (int I = 0; I < T.Lines.size(); ++I) {
            TRect L{2, 2 + I * H, 240, 2 + (I + 1) * H};
            DrawText(DC(), T.Lines[I], -1, L, DT_SINGLELINE | DT_NOCLIP);
        }
        EXPECT_EQ(Wrapped, Snapshot()) << T.Text;
        TRect M{2, 2, 2 + T.Width, 2};
        DrawText(DC(), Text, -1, M, DT_WORDBREAK | DT_CALCRECT | T.Format);
        int Widest = 0;
        for (const String& L : T.Lines) Widest = std::max(Widest, C->TextWidth(L));
        EXPECT_EQ(M, (TRect{2, 2, 2 + Widest, 2 + H * static_cast<int>(T.Lines.size())})) << T.Text;
    }
}

TEST_F(TextTest, PrefixUnderlinesTheMarkedCharacterOnly) {
    const auto Render = [&](const char* Text, UINT Format) {
        Clear();
        TRect R{4, 4, 200, 40};
        DrawText(DC(), QString::fromUtf8(Text), -1, R, DT_SINGLELINE | Format);
        return Snapshot();
    };
    const QImage Plain = Render("Add", 0);
    const QImage Marked = Render("&Add", 0);
    EXPECT_NE(Marked, Plain);
    // Only pixels under the "A", below the baseline, differ.
    const int AWidth = C->TextWidth(QStringLiteral("A"));
    TEXTMETRICW M;
    GetTextMetrics(DC(), &M);
    for (int Y = 0; Y < Plain.height(); ++Y)
        for (int X = 0; X < Plain.width(); ++X)
            if (Plain.pixel(X, Y) != Marked.pixel(X, Y)) {
                EXPECT_GE(X, 4);
                EXPECT_LT(X, 4 + AWidth);
                EXPECT_GE(Y, 4 + M.tmAscent);
            }
    EXPECT_EQ(Render("&Add", DT_HIDEPREFIX), Plain);
    EXPECT_EQ(Render("A&&dd", 0), Render("A&dd", DT_NOPREFIX));
    EXPECT_NE(Render("&Add", DT_NOPREFIX), Plain);
    // Only the underline: the marked image minus the plain one.
    const QImage Only = Render("&Add", DT_PREFIXONLY);
    for (int Y = 0; Y < Plain.height(); ++Y)
        for (int X = 0; X < Plain.width(); ++X) {
            const bool Underline = Plain.pixel(X, Y) != Marked.pixel(X, Y);
            if (Underline) {
                EXPECT_EQ(Only.pixel(X, Y), Marked.pixel(X, Y));
            } else {
                EXPECT_EQ(qRed(Only.pixel(X, Y)), 255);
            }
        }
}

TEST_F(TextTest, EllipsesShortenTextToTheRectangle) {
    const String Long = QStringLiteral("The quick brown fox jumps");
    const int Avail = C->TextWidth(QStringLiteral("The quick b"));
    String S = Long;
    TRect R{0, 0, Avail, 20};
    DrawText(DC(), S, -1, R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_TRUE(S.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(Long.startsWith(S.chopped(3)));
    EXPECT_LE(C->TextWidth(S), Avail);
    EXPECT_GT(C->TextWidth(S.chopped(3) + Long.at(S.size() - 3) + QStringLiteral("...")), Avail);
    // Measuring agrees with the shortened text; a text that fits is left alone.
    R = {0, 0, Avail, 0};
    DrawText(DC(), Long, -1, R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(R.Right, C->TextWidth(S));
    String Short = QStringLiteral("The");
    R = {0, 0, Avail, 20};
    DrawText(DC(), Short, -1, R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(Short, QStringLiteral("The"));

    String Path = QStringLiteral("C:\\Videos\\Holidays\\2019\\beach.mp4");
    const int PathAvail = C->TextWidth(QStringLiteral("C:\\Vid...\\beach.mp4"));
    R = {0, 0, PathAvail, 20};
    DrawText(DC(), Path, -1, R, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_TRUE(Path.endsWith(QStringLiteral("...\\beach.mp4"))) << Path.toStdString();
    EXPECT_TRUE(Path.startsWith(QStringLiteral("C:\\"))) << Path.toStdString();
    EXPECT_LE(C->TextWidth(Path), PathAvail);

    // Wrapped text taller than the rectangle: the last whole line says that more follows.
    String Wrapped = QStringLiteral("one two three four five six");
    const int H = C->TextHeight(QStringLiteral("gh"));
    R = {0, 0, C->TextWidth(QStringLiteral("one two")) + 1, 2 * H + H / 2};
    DrawText(DC(), Wrapped, -1, R, DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    const QStringList Lines = Wrapped.split(QStringLiteral("\r\n"));
    ASSERT_EQ(Lines.size(), 2);
    EXPECT_EQ(Lines[0], QStringLiteral("one two"));
    EXPECT_TRUE(Lines[1].endsWith(QStringLiteral("..."))) << Lines[1].toStdString();
}

TEST_F(TextTest, AlignmentPlacesTheText) {
    const String S = QStringLiteral("HHH");
    const int W = C->TextWidth(S), H = C->TextHeight(S);
    const TRect Box{20, 10, 220, 110};
    const struct {
        UINT Format;
        int Left, Top;  // of the text cell
    } Cases[] = {
        {DT_SINGLELINE | DT_LEFT | DT_TOP, 20, 10},
        {DT_SINGLELINE | DT_RIGHT, 220 - W, 10},
        {DT_SINGLELINE | DT_CENTER, 20 + (200 - W) / 2, 10},
        {DT_SINGLELINE | DT_VCENTER, 20, 10 + (100 - H) / 2},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 220 - W, 110 - H},
        {DT_BOTTOM, 20, 10},  // bottom needs a single line
    };
    for (const auto& T : Cases) {
        Clear();
        SetBkMode(DC(), OPAQUE);
        SetBkColor(DC(), RGB(255, 255, 0));
        TRect R = Box;
        const int Result = DrawText(DC(), S, -1, R, T.Format);
        EXPECT_EQ(BoxOf(clYellow), (TRect{T.Left, T.Top, T.Left + W, T.Top + H})) << std::hex << T.Format;
        EXPECT_EQ(Result, T.Top + H - 10) << std::hex << T.Format;
    }
    // Text outside the rectangle is clipped unless DT_NOCLIP.
    Clear();
    TRect Tight{10, 10, 10 + W / 2, 10 + H};
    DrawText(DC(), S, -1, Tight, DT_SINGLELINE);
    EXPECT_LE(Ink().Right, 10 + W / 2);
    Clear();
    DrawText(DC(), S, -1, Tight, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().Right, 10 + W / 2);
}

TEST_F(TextTest, RightToLeftReadingPutsTrailingPunctuationFirst) {
    Clear();
    TRect R{10, 10, 200, 40};
    DrawText(DC(), QStringLiteral("abc!"), -1, R, DT_SINGLELINE | DT_RTLREADING);
    const QImage Rtl = Snapshot();
    Clear();
    R = {10, 10, 200, 40};
    DrawText(DC(), QStringLiteral("!abc"), -1, R, DT_SINGLELINE);
    EXPECT_EQ(Rtl, Snapshot());
}

TEST_F(TextTest, EscapementTurnsTextAnticlockwise) {
    LOGFONTW LF = LogFontOf(*C->Font());
    LF.lfHeight = -16;
    LF.lfEscapement = LF.lfOrientation = 900;
    HFONT Rotated = CreateFontIndirect(&LF);
    HFONT Old = SelectObject(DC(), Rotated);
    ASSERT_NE(Old, nullptr);
    TRect R{100, 100, 100, 100};
    DrawText(DC(), QStringLiteral("HHHHHH"), -1, R, DT_SINGLELINE | DT_NOCLIP);
    const TRect Up = Ink();
    // Upward from the start point, the glyphs' tops to the left.
    EXPECT_GT(Up.Bottom - Up.Top, 2 * (Up.Right - Up.Left));
    EXPECT_LE(Up.Bottom, 101);
    EXPECT_GE(Up.Left, 99);
    EXPECT_LE(Up.Right, 120);
    // The canvas draws the same through a font built from the handle.
    SelectObject(DC(), Old);
    Clear();
    C->Font()->SetHandle(Rotated);
    EXPECT_EQ(C->Font()->Orientation(), 900);
    C->TextOut(100, 100, QStringLiteral("HHHHHH"));
    EXPECT_EQ(Ink(), Up);
    EXPECT_TRUE(DeleteObject(Rotated));
}

// A turned line is clipped in its own frame: the rectangle turns with the text about its
// top-left corner, so the text still runs up from the rectangle's left edge.
TEST_F(TextTest, EscapementClipsInTheTextsOwnFrame) {
    LOGFONTW LF = LogFontOf(*C->Font());
    LF.lfHeight = -16;
    LF.lfEscapement = LF.lfOrientation = 900;
    HFONT Rotated = CreateFontIndirect(&LF);
    HFONT Old = SelectObject(DC(), Rotated);
    const String Text = QStringLiteral("HHHHHH");
    TRect Free{20, 110, 20, 110};
    DrawText(DC(), Text, -1, Free, DT_SINGLELINE | DT_NOCLIP);
    const QImage Unclipped = Snapshot();
    const TRect Up = Ink();
    ASSERT_GT(Up.Bottom - Up.Top, 40);
    struct Case {
        int Length;  // the rectangle's width, which the turn makes its height
        bool Whole;
    } Cases[] = {{200, true}, {(110 - Up.Top) + 2, true}, {30, false}};
    for (const Case& K : Cases) {
        Clear();
        TRect R{20, 110, 20 + K.Length, 110 + 20};
        DrawText(DC(), Text, -1, R, DT_SINGLELINE);
        const TRect Got = Ink();
        if (K.Whole) {
            EXPECT_EQ(Snapshot(), Unclipped) << K.Length;
        } else {
            EXPECT_EQ(Got.Bottom, Up.Bottom) << K.Length;
            EXPECT_EQ(Got.Top, 110 - K.Length) << K.Length;  // cut where the turned rectangle ends
            EXPECT_EQ(Got.Left, Up.Left) << K.Length;
        }
    }
    // A rectangle narrower than the glyphs' height cuts them across, to the right of its top-left.
    Clear();
    TRect Thin{20, 110, 220, 115};
    DrawText(DC(), Text, -1, Thin, DT_SINGLELINE);
    const TRect Cut = Ink();
    EXPECT_EQ(Cut.Bottom, Up.Bottom);
    EXPECT_GE(Cut.Left, 20);
    EXPECT_LE(Cut.Right, 25);
    SelectObject(DC(), Old);
    EXPECT_TRUE(DeleteObject(Rotated));
}

TEST(LogFont, RoundTripsThroughHandlesAndFonts) {
    TFont F;
    F.SetName(QStringLiteral("Verdana"));
    F.SetHeight(-14);
    F.SetStyle(TFontStyles{fsBold, fsUnderline});
    F.SetOrientation(450);
    F.SetPitch(fpFixed);
    LOGFONTW LF;
    ASSERT_EQ(GetObject(F.Handle(), sizeof(LF), &LF), static_cast<int>(sizeof(LF)));
    EXPECT_EQ(LogFontFaceName(LF), QStringLiteral("Verdana"));
    EXPECT_EQ(LF.lfHeight, -14);
    EXPECT_EQ(LF.lfWeight, FW_BOLD);
    EXPECT_EQ(LF.lfUnderline, 1);
    EXPECT_EQ(LF.lfItalic, 0);
    EXPECT_EQ(LF.lfEscapement, 450);
    EXPECT_EQ(LF.lfPitchAndFamily & 3, FIXED_PITCH);
    // The font's handle follows changes to the font.
    F.SetHeight(-20);
    GetObject(F.Handle(), sizeof(LF), &LF);
    EXPECT_EQ(LF.lfHeight, -20);

    LF.lfItalic = 1;
    LF.lfWeight = FW_NORMAL;
    SetLogFontFaceName(LF, QStringLiteral("Times New Roman"));
    HFONT H = CreateFontIndirect(&LF);
    TFont G;
    G.SetColor(clRed);
    G.SetHandle(H);
    EXPECT_EQ(G.Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(G.Height(), -20);
    EXPECT_EQ(G.Style(), (TFontStyles{fsItalic, fsUnderline}));
    EXPECT_EQ(G.Color(), clRed);
    EXPECT_TRUE(DeleteObject(H));
    EXPECT_FALSE(DeleteObject(H));
    EXPECT_EQ(GetObject(H, sizeof(LF), &LF), 0);
    G.SetHandle(nullptr);  // an invalid handle changes nothing
    EXPECT_EQ(G.Name(), QStringLiteral("Times New Roman"));

    // Face names are cut to the record's size.
    SetLogFontFaceName(LF, QString(40, QLatin1Char('F')));
    EXPECT_EQ(LogFontFaceName(LF).size(), LF_FACESIZE - 1);
    EXPECT_EQ(GetObject(F.Handle(), 4, &LF), 0);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
}

TEST_F(TextTest, SelectObjectHandsBackWhatItReplaced) {
    TSize Before;
    GetTextExtentPoint32(DC(), QStringLiteral("Sample"), -1, &Before);
    LOGFONTW LF = LogFontOf(*C->Font());
    LF.lfHeight = -30;
    HFONT Big = CreateFontIndirect(&LF);
    HFONT Old = SelectObject(DC(), Big);
    TSize During;
    GetTextExtentPoint32(DC(), QStringLiteral("Sample"), -1, &During);
    EXPECT_GT(During.cy, Before.cy);
    EXPECT_EQ(GetCurrentFont(DC()), Big);
    // A font selected into the canvas's handle stays until the canvas's own font changes.
    TRect R{0, 0, 0, 0};
    DrawText(C->Handle(), QStringLiteral("Sample"), -1, R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Bottom, During.cy);
    EXPECT_EQ(SelectObject(DC(), Old), Big);
    TSize After;
    GetTextExtentPoint32(DC(), QStringLiteral("Sample"), -1, &After);
    EXPECT_EQ(After, Before);
    EXPECT_TRUE(DeleteObject(Big));
    // The deleted font is gone from the context's memory but not from its state.
    GetTextExtentPoint32(DC(), QStringLiteral("Sample"), -1, &After);
    EXPECT_EQ(After, Before);
    EXPECT_EQ(SelectObject(DC(), Big), nullptr);

    HPEN Pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HPEN OldPen = SelectObject(DC(), Pen);
    MoveToEx(DC(), 0, 50, nullptr);
    LineTo(DC(), 10, 50);
    EXPECT_EQ(At(5, 50), clRed);
    SelectObject(DC(), OldPen);
    EXPECT_TRUE(DeleteObject(Pen));
    HBRUSH Brush = CreateSolidBrush(RGB(0, 0, 255));
    HBRUSH OldBrush = SelectObject(DC(), Brush);
    DCRectangle(DC(), {20, 40, 30, 60});
    EXPECT_EQ(At(25, 50), clBlue);
    SelectObject(DC(), OldBrush);
    EXPECT_TRUE(DeleteObject(Brush));
}

TEST_F(TextTest, CanvasHandleKeepsStateUntilTheCanvasObjectsChange) {
    Clear(clRed);
    C->Brush()->SetColor(clYellow);  // solid: opaque text
    SetBkMode(C->Handle(), TRANSPARENT);
    TRect R{5, 5, 100, 30};
    DrawText(C->Handle(), QStringLiteral("Text"), -1, R, DT_SINGLELINE);
    EXPECT_EQ(BoxOf(clYellow), (TRect{0, 0, 0, 0}));
    // A font change reaches the handle at the next use.
    const int Small = C->TextHeight(QStringLiteral("gh"));
    C->Font()->SetHeight(-24);
    TRect M{0, 0, 0, 0};
    DrawText(C->Handle(), QStringLiteral("gh"), -1, M, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(M.Bottom, Small);
    EXPECT_EQ(M.Bottom, C->TextHeight(QStringLiteral("gh")));
    // And a brush change selects the brush's background mode again.
    C->Brush()->SetColor(clLime);
    Clear(clRed);
    C->Brush()->SetColor(clYellow);
    R = {5, 5, 100, 40};
    DrawText(C->Handle(), QStringLiteral("Text"), -1, R, DT_SINGLELINE);
    EXPECT_NE(BoxOf(clYellow), (TRect{0, 0, 0, 0}));
}

TEST_F(TextTest, ExtTextOutFillsClipsAndAligns) {
    Clear();
    SetBkColor(DC(), RGB(0, 255, 0));
    SetBkMode(DC(), TRANSPARENT);
    const TRect Box{10, 10, 40, 30};
    ExtTextOut(DC(), 12, 12, ETO_OPAQUE | ETO_CLIPPED, &Box, QStringLiteral("WWWWWWWWWW"), -1, nullptr);
    EXPECT_EQ(BoxOf(clLime), Box);
    EXPECT_EQ(Ink().Right, 40);
    Clear();
    SetTextAlign(DC(), TA_RIGHT | TA_BOTTOM);
    TextOut(DC(), 100, 100, QStringLiteral("HH"), -1);
    const TRect I = Ink();
    EXPECT_LE(I.Right, 100);
    EXPECT_GE(I.Right, 98);
    EXPECT_LE(I.Bottom, 100);
    EXPECT_EQ(GetTextAlign(DC()), TA_RIGHT | TA_BOTTOM);
    SetTextAlign(DC(), TA_LEFT | TA_TOP);
    // Given advances place each character.
    Clear();
    const int Dx[] = {20, 20};
    TextOut(DC(), 0, 0, QStringLiteral("ii"), -1);
    const TRect Packed = Ink();
    Clear();
    ExtTextOut(DC(), 0, 0, 0, nullptr, QStringLiteral("ii"), -1, Dx);
    EXPECT_EQ(Ink().Right, Packed.Right + 20 - C->TextWidth(QStringLiteral("i")));
}

TEST_F(TextTest, RandomTextAndFlagsAlwaysFinishAndMeasureAsDrawn) {
    std::mt19937 Random(1234);
    const QString Alphabet = QStringLiteral("ab &\t\r\nW.\\/");
    const UINT Flags[] = {DT_CENTER,        DT_RIGHT,         DT_VCENTER,    DT_BOTTOM,          DT_WORDBREAK,
                          DT_SINGLELINE,    DT_EXPANDTABS,    DT_NOPREFIX,   DT_EDITCONTROL,     DT_END_ELLIPSIS,
                          DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS, DT_HIDEPREFIX, DT_EXTERNALLEADING, DT_RTLREADING};
    for (int Round = 0; Round < 120; ++Round) {
        QString Text;
        const int Length = static_cast<int>(Random() % 40);
        for (int I = 0; I < Length; ++I) Text += Alphabet.at(static_cast<int>(Random() % Alphabet.size()));
        UINT Format = 0;
        for (UINT F : Flags)
            if (Random() % 4 == 0) Format |= F;
        const int Width = static_cast<int>(Random() % 120);
        TRect M{5, 5, 5 + Width, 5};
        const int Height = DrawText(DC(), Text, -1, M, Format | DT_CALCRECT);
        EXPECT_EQ(Height, M.Bottom - M.Top);
        EXPECT_GE(M.Right, M.Left);
        // Drawn into the measured rectangle, the text's cells stay inside it and, without an
        // ellipsis, the widest line spans it.
        SetBkMode(DC(), OPAQUE);
        SetBkColor(DC(), RGB(255, 255, 0));
        Clear();
        TRect R = M;
        DrawText(DC(), Text, -1, R, Format | DT_NOCLIP);
        const TRect Filled = BoxOf(clYellow);
        if (M.Right == M.Left || M.Top >= B->Height()) continue;
        const std::string Info = Text.toStdString() + " " + std::to_string(Format);
        EXPECT_GE(Filled.Left, M.Left) << Info;
        EXPECT_LE(Filled.Right, M.Right) << Info;
        EXPECT_GE(Filled.Top, M.Top) << Info;
        EXPECT_LE(Filled.Bottom, M.Bottom) << Info;
        if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) continue;
        EXPECT_EQ(Filled.Left, M.Left) << Info;
        EXPECT_EQ(Filled.Right, std::min(M.Right, B->Width())) << Info;
    }
}

TEST_F(TextTest, FocusRectangleAndStretchDraw) {
    // XOR on a coloured picture: twice gives the picture back.
    for (int X = 0; X < 60; ++X) {
        C->Pen()->SetColor(RGB(X * 4, 100, 255 - X * 4));
        C->MoveTo(X, 0);
        C->LineTo(X, 60);
    }
    const QImage Before = Snapshot();
    const TRect Focus{5, 5, 50, 40};
    ASSERT_TRUE(DrawFocusRect(DC(), &Focus));
    EXPECT_NE(Snapshot(), Before);
    DrawFocusRect(DC(), &Focus);
    EXPECT_EQ(Snapshot(), Before);
    C->DrawFocusRect(Focus);
    C->DrawFocusRect(Focus);
    EXPECT_EQ(Snapshot(), Before);

    TBitmap Source(2, 2);
    Source.Canvas()->SetPixels(0, 0, clRed);
    Source.Canvas()->SetPixels(1, 0, clLime);
    Source.Canvas()->SetPixels(0, 1, clBlue);
    Source.Canvas()->SetPixels(1, 1, clYellow);
    C->StretchDraw(Rect(100, 50, 140, 90), &Source);
    EXPECT_EQ(At(100, 50), clRed);
    EXPECT_EQ(At(119, 69), clRed);
    EXPECT_EQ(At(120, 50), clLime);
    EXPECT_EQ(At(139, 69), clLime);
    EXPECT_EQ(At(100, 70), clBlue);
    EXPECT_EQ(At(139, 89), clYellow);
    EXPECT_EQ(At(140, 89), clWhite);
}

TEST(FileIcons, TypesShareAnIndexAndIconsDraw) {
    const int Txt = FileIconIndex(QStringLiteral("notes.txt"));
    EXPECT_EQ(FileIconIndex(QStringLiteral(".txt")), Txt);
    EXPECT_EQ(FileIconIndex(QStringLiteral("TXT")), Txt);
    EXPECT_EQ(FileIconIndex(QStringLiteral("/some/where/else.txt")), Txt);
    const int Unknown = FileIconIndex(QStringLiteral("file.qqqzzz"));
    EXPECT_EQ(FileIconIndex(QString()), Unknown);
    EXPECT_NE(FileIconIndex(QStringLiteral("clip.mp4")), Txt);
    TempFolder Folder;
    const int Dir = FileIconIndex(Folder.Path());
    EXPECT_NE(Dir, Unknown);
    EXPECT_NE(FileIconIndex(Folder.Path(), true), Dir);
    EXPECT_EQ(FileIconImageList(false)->Count(), FileIconImageList(true)->Count());
    EXPECT_EQ(FileIconImageList(true)->Width(), 32);
    EXPECT_EQ(FileIconImageList(false)->Height(), 16);

    HICON Icon = FileTypeIcon(QStringLiteral("movie.mp4"), 32);
    EXPECT_EQ(IconSize(Icon), (TSize{32, 32}));
    TBitmap Target(64, 64);
    Target.SetPixelFormat(pf24bit);
    Target.Canvas()->Brush()->SetColor(clWhite);
    Target.Canvas()->FillRect(Rect(0, 0, 64, 64));
    ASSERT_TRUE(DrawIconEx(Target.Canvas()->Handle(), 16, 16, Icon, 0, 0, 0, nullptr, DI_NORMAL));
    int Changed = 0, Outside = 0;
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            const bool Ink = Target.Canvas()->Pixels(X, Y) != clWhite;
            const bool Inside = X >= 16 && X < 48 && Y >= 16 && Y < 48;
            Changed += Ink && Inside;
            Outside += Ink && !Inside;
        }
    EXPECT_GT(Changed, 50);
    EXPECT_EQ(Outside, 0);
    TIcon Picture;
    IconToPicture(Icon, &Picture);
    EXPECT_EQ(Picture.Width(), 32);
    EXPECT_TRUE(DestroyIcon(Icon));
    EXPECT_FALSE(DestroyIcon(Icon));
    EXPECT_EQ(IconSize(Icon), (TSize{0, 0}));
    TBitmap Bits;
    EXPECT_THROW(IconToBitmap(Icon, &Bits), EInvalidGraphic);
    // Our own document icon: transparent corners, an opaque page.
    HICON Generic = GenericFileIcon(16);
    TBitmap Page;
    IconToBitmap(Generic, &Page);
    EXPECT_EQ(Page.PixelFormat(), pf32bit);
    EXPECT_EQ(qAlpha(BitmapQImage(&Page)->pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(BitmapQImage(&Page)->pixel(8, 10)), 255);
    DestroyIcon(Generic);
}

}  // namespace
