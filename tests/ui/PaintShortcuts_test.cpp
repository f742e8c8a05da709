// Painting takes shortcuts on its hot paths: text shaped once per font and kept, text drawn
// unclipped when it stays inside its rectangle, fonts and keyed bitmaps kept between calls,
// frames in the fill colour drawn as one fill. Each must draw exactly what the long way draws.
#include "framework/ui/DeviceContext.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FontMapper.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct FontCase {
    const char* Face;
    int Height;
    TFontStyles Style;
    TFontQuality Quality;
};

const FontCase kFonts[] = {
    {"Tahoma", -11, {}, fqDefault},
    {"Tahoma", -11, {fsBold, fsUnderline}, fqDefault},
    {"Times New Roman", -15, {fsItalic, fsStrikeOut}, fqDefault},
    {"Courier New", 14, {}, fqNonAntialiased},
};

QFont fontOf(const FontCase& F) { return QFontOf(QString::fromLatin1(F.Face), F.Height, F.Style, F.Quality); }

// A white image with a context drawing black text on it in Font, without background.
struct TSurface {
    explicit TSurface(const QFont& Font, int W = 320, int H = 60, QImage::Format Format = QImage::Format_RGB32)
        : Image(W, H, Format) {
        Image.fill(Qt::white);
        DC = CreateImageDC(&Image);
        DC->State.Font = Font;
        SetTextColor(DC, 0);
        SetBkMode(DC, TRANSPARENT);
    }
    ~TSurface() { DeleteDC(DC); }
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
    const QImage& Pixels() {
        DCReleasePainter(DC);
        return Image;
    }
    QImage Image;
    HDC DC;
};

TEST(PaintShortcuts, DrawTextPutsThePixelsQPainterDrawTextPuts) {
    // Plain text takes the kept glyph runs; right-to-left and format characters go through Qt.
    const String Texts[] = {QStringLiteral("Some text with"), QStringLiteral("gjpqy fi ffl \u00C5\u00C9"),
                            QStringLiteral("abc \u05E9\u05DC\u05D5\u05DD 12"), QStringLiteral("x\u200By"),
                            QStringLiteral(" trailing ")};
    for (const FontCase& F : kFonts) {
        const QFont Font = fontOf(F);
        for (const String& Text : Texts) {
            // The second pass draws from what the first one kept.
            for (int Pass = 0; Pass < 2; ++Pass) {
                SCOPED_TRACE(
                    QStringLiteral("%1 %2 '%3' pass %4").arg(F.Face).arg(F.Height).arg(Text).arg(Pass).toStdString());
                TSurface S(Font);
                TRect R{7, 9, 300, 50};
                DrawText(S.DC, Text, -1, R, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
                QImage Expected(S.Image.size(), QImage::Format_RGB32);
                Expected.fill(Qt::white);
                {
                    QPainter P(&Expected);
                    P.setFont(Font);
                    P.setPen(Qt::black);
                    P.drawText(QPoint(7, 9 + QFontMetrics(Font).ascent()), Text);
                }
                EXPECT_TRUE(S.Pixels() == Expected);
            }
        }
    }
}

TEST(PaintShortcuts, TextIsClippedToItsRectangleAndOnlyThere) {
    const QFont Plain = QFontOf(QStringLiteral("Tahoma"), -11, {}, fqDefault);
    const QFont Underlined = QFontOf(QStringLiteral("Tahoma"), -11, {fsUnderline}, fqDefault);
    const String Text = QStringLiteral("Quickly jumping gadgets");
    const int Width = QFontMetrics(Plain).horizontalAdvance(Text);
    struct Case {
        const char* What;
        QFont Font;
        TRect R;
        UINT Format;
        bool Opaque;
        bool Leaves;  // drawn unclipped, the text leaves the rectangle
    };
    const Case Cases[] = {
        {"well inside", Plain, {10, 10, 300, 40}, DT_SINGLELINE, false, false},
        {"narrower than the text", Plain, {10, 10, 60, 40}, DT_SINGLELINE, false, true},
        {"bottom-aligned, shorter than a line", Plain, {10, 10, 300, 18}, DT_SINGLELINE | DT_BOTTOM, false, true},
        {"as wide as the underlined text", Underlined, {10, 10, 10 + Width, 40}, DT_SINGLELINE, false, false},
        {"centred on a narrow opaque rectangle", Plain, {40, 10, 80, 40}, DT_SINGLELINE | DT_CENTER, true, true},
        {"wrapped lines below the rectangle", Plain, {10, 10, 80, 30}, DT_WORDBREAK, false, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        TSurface Clipped(C.Font), Free(C.Font);
        for (TSurface* S : {&Clipped, &Free}) {
            if (C.Opaque) {
                SetBkMode(S->DC, OPAQUE);
                SetBkColor(S->DC, 0x00FFFF);
            }
            TRect R = C.R;
            DrawText(S->DC, Text, -1, R, C.Format | (S == &Free ? DT_NOCLIP : 0));
        }
        const QImage& A = Clipped.Pixels();
        const QImage& B = Free.Pixels();
        const QRect Inside(C.R.Left, C.R.Top, C.R.Right - C.R.Left, C.R.Bottom - C.R.Top);
        int Outside = 0, Changed = 0, Cut = 0;
        for (int Y = 0; Y < A.height(); ++Y)
            for (int X = 0; X < A.width(); ++X) {
                if (!Inside.contains(X, Y)) {
                    Outside += A.pixel(X, Y) != qRgb(255, 255, 255);
                    Cut += B.pixel(X, Y) != qRgb(255, 255, 255);
                } else {
                    Changed += A.pixel(X, Y) != B.pixel(X, Y);
                }
            }
        EXPECT_EQ(Outside, 0);
        EXPECT_EQ(Changed, 0);
        // The cases that leave their rectangle really do, so the clip is exercised.
        if (C.Leaves) {
            EXPECT_GT(Cut, 0);
        }
    }
}

// Text that must be clipped is drawn through a view of its rectangle, and text whose cell leaves
// the rectangle but whose pixels do not is drawn unclipped: either way the pixels are those of
// the unclipped text, cut to the rectangle and the context's clip, whatever the image's depth,
// the origin and the clip.
TEST(PaintShortcuts, ClippedTextIsTheUnclippedTextCutToItsRectangle) {
    struct Case {
        const char* What;
        QImage::Format Format;
        bool Opaque;
        QPoint Viewport;
        QRect Clip;  // IntersectClipRect, logical; none when null
        QRect Hole;  // ExcludeClipRect, which leaves a clip of several rectangles
        // -1: the rectangle cuts the text's cell and pixels; 0: it just holds the pixels, not
        // the cell; 1: it is one row of pixels short of them.
        int Hug;
    };
    const Case Cases[] = {
        {"32-bit", QImage::Format_RGB32, false, {}, {}, {}, -1},
        {"24-bit", QImage::Format_BGR888, false, {}, {}, {}, -1},
        {"opaque", QImage::Format_BGR888, true, {}, {}, {}, -1},
        {"moved origin", QImage::Format_RGB32, true, {-7, 5}, {}, {}, -1},
        {"clipped context", QImage::Format_BGR888, false, {}, QRect(40, 0, 20, 60), {}, -1},
        {"clip with a hole", QImage::Format_RGB32, true, {}, {}, QRect(50, 0, 6, 60), -1},
        {"past the image's edges", QImage::Format_RGB32, true, {-40, -10}, {}, {}, -1},
        {"holding the pixels", QImage::Format_BGR888, false, {}, {}, {}, 0},
        {"one row short of the pixels", QImage::Format_RGB32, false, {}, {}, {}, 1},
    };
    for (const FontCase& F : kFonts) {
        const QFont Font = fontOf(F);
        for (const Case& C : Cases) {
            SCOPED_TRACE(std::string(F.Face) + ", " + C.What);
            const String Text = C.Hug >= 0 ? QStringLiteral("Hill") : QStringLiteral("Wfgjy|Hq");
            // Right-aligned in a rectangle narrower and lower than the text: cut left and below.
            TRect R{30, 12, 70, 12 + QFontMetrics(Font).height() - 4};
            const UINT Format = DT_SINGLELINE | (C.Hug >= 0 ? DT_LEFT : DT_RIGHT);
            TSurface Free(Font, 320, 60, C.Format), Clipped(Font, 320, 60, C.Format);
            // The text starts at R's left plus the margin, which lets R reach left of the text.
            DRAWTEXTPARAMS Params;
            if (C.Hug >= 0) {
                TRect At = R;
                DrawText(Free.DC, Text, -1, At, Format | DT_NOCLIP);
                const QImage& Ink = Free.Pixels();
                QRect Box;
                for (int Y = 0; Y < Ink.height(); ++Y)
                    for (int X = 0; X < Ink.width(); ++X)
                        if (Ink.pixel(X, Y) != qRgb(255, 255, 255)) Box |= QRect(X, Y, 1, 1);
                ASSERT_GE(Box.top(), R.Top);
                Params.iLeftMargin = std::max(0, R.Left - Box.left());
                R = {R.Left - Params.iLeftMargin, R.Top, Box.right() + 1, Box.bottom() + 1 - C.Hug};
                Free.Image.fill(Qt::white);
            }
            QRegion Shown(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
            if (!C.Clip.isNull()) Shown &= C.Clip;
            if (!C.Hole.isNull()) Shown -= C.Hole;
            Shown.translate(C.Viewport);
            for (TSurface* S : {&Free, &Clipped}) {
                SetViewportOrgEx(S->DC, C.Viewport.x(), C.Viewport.y(), nullptr);
                if (C.Opaque) {
                    SetBkMode(S->DC, OPAQUE);
                    SetBkColor(S->DC, 0x00FFFF);
                }
                if (S == &Clipped && !C.Clip.isNull())
                    IntersectClipRect(S->DC, C.Clip.left(), C.Clip.top(), C.Clip.right() + 1, C.Clip.bottom() + 1);
                if (S == &Clipped && !C.Hole.isNull())
                    ExcludeClipRect(S->DC, C.Hole.left(), C.Hole.top(), C.Hole.right() + 1, C.Hole.bottom() + 1);
                TRect At = R;
                DRAWTEXTPARAMS Margins = Params;
                DrawTextEx(S->DC, Text, -1, At, Format | (S == &Free ? DT_NOCLIP : 0), &Margins);
            }
            const QImage& A = Clipped.Pixels();
            const QImage& B = Free.Pixels();
            int Differing = 0, Cut = 0;
            for (int Y = 0; Y < A.height(); ++Y)
                for (int X = 0; X < A.width(); ++X) {
                    const bool In = Shown.contains(QPoint(X, Y));
                    Differing += A.pixel(X, Y) != (In ? B.pixel(X, Y) : qRgb(255, 255, 255));
                    Cut += !In && B.pixel(X, Y) != qRgb(255, 255, 255);
                }
            EXPECT_EQ(Differing, 0);
            // The rectangle cuts the text, so the clip is exercised, unless it holds its pixels.
            EXPECT_EQ(Cut > 0, C.Hug != 0);
        }
    }
}

TEST(PaintShortcuts, MeasurementsBelongToTheirFont) {
    const String Text = QStringLiteral("Measured words");
    std::vector<int> First;
    for (const FontCase& F : kFonts) {
        TSurface S(fontOf(F));
        TRect R{0, 0, 1000, 0};
        DrawText(S.DC, Text, -1, R, DT_SINGLELINE | DT_CALCRECT);
        First.push_back(R.Right);
        EXPECT_EQ(R.Right, QFontMetrics(fontOf(F)).horizontalAdvance(Text)) << F.Face << ' ' << F.Height;
    }
    // Asked again in the other order, each font gives its own width back.
    for (size_t I = std::size(kFonts); I-- > 0;) {
        TSize Size;
        TSurface S(fontOf(kFonts[I]));
        GetTextExtentPoint32(S.DC, Text, -1, &Size);
        EXPECT_EQ(Size.cx, First[I]) << kFonts[I].Face << ' ' << kFonts[I].Height;
    }
    EXPECT_NE(First[0], First[1]);
}

TEST(PaintShortcuts, KeyedBitmapDrawsItsCurrentPixels) {
    TBitmap Sprite(4, 4);
    Sprite.SetPixelFormat(pf32bit);
    Sprite.Canvas()->Brush()->SetColor(clFuchsia);
    Sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Sprite.Canvas()->SetPixels(1, 1, clBlue);
    Sprite.SetTransparent(true);
    TBitmap Back(4, 4);
    auto drawOnGreen = [&] {
        Back.Canvas()->Brush()->SetColor(clGreen);
        Back.Canvas()->FillRect(Rect(0, 0, 4, 4));
        Back.Canvas()->Draw(0, 0, &Sprite);
    };
    drawOnGreen();
    EXPECT_EQ(Back.Canvas()->Pixels(1, 1), clBlue);
    EXPECT_EQ(Back.Canvas()->Pixels(2, 2), clGreen);
    // Drawn on through its canvas.
    Sprite.Canvas()->SetPixels(2, 2, clRed);
    drawOnGreen();
    EXPECT_EQ(Back.Canvas()->Pixels(2, 2), clRed);
    // Written through a scan line (bytes blue, green, red).
    auto* Row = static_cast<Byte*>(Sprite.ScanLine(3));
    Row[3 * 4 + 0] = 0x00, Row[3 * 4 + 1] = 0xFF, Row[3 * 4 + 2] = 0xFF;
    drawOnGreen();
    EXPECT_EQ(Back.Canvas()->Pixels(3, 3), clYellow);
    // Another key colour.
    Sprite.SetTransparentColor(clBlue);
    drawOnGreen();
    EXPECT_EQ(Back.Canvas()->Pixels(1, 1), clGreen);
    EXPECT_EQ(Back.Canvas()->Pixels(0, 0), clFuchsia);
}

TEST(PaintShortcuts, RectangleFramesInTheirPenWhateverItsColour) {
    struct Case {
        const char* What;
        TColor Pen;
        int Width;
        TPenStyle Style;
        int WhiteOnFrame;  // -1: some
    };
    const Case Cases[] = {
        {"solid pen in the fill colour", clRed, 1, psSolid, 0},
        {"wide pen in the fill colour", clRed, 3, psSolid, 0},
        {"dotted pen in the fill colour", clRed, 1, psDot, -1},
        {"solid pen in another colour", clBlue, 1, psSolid, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        TBitmap B(20, 20);
        TCanvas* Canvas = B.Canvas();
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(Rect(0, 0, 20, 20));
        Canvas->Brush()->SetColor(clRed);
        Canvas->Pen()->SetColor(C.Pen);
        Canvas->Pen()->SetWidth(C.Width);
        Canvas->Pen()->SetStyle(C.Style);
        Canvas->Rectangle(2, 3, 15, 12);
        int White = 0, Pen = 0, Outside = 0;
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 20; ++X) {
                const TColor P = Canvas->Pixels(X, Y);
                const bool In = X >= 2 && X < 15 && Y >= 3 && Y < 12;
                const bool Frame = In && (X < 2 + C.Width || X >= 15 - C.Width || Y < 3 + C.Width || Y >= 12 - C.Width);
                if (!In) Outside += P != clWhite;
                if (Frame) White += P == clWhite, Pen += P == C.Pen;
                if (In && !Frame) {
                    EXPECT_EQ(P, clRed) << X << ',' << Y;
                }
            }
        EXPECT_EQ(Outside, 0);
        if (C.WhiteOnFrame < 0) {
            EXPECT_GT(White, 0);
            EXPECT_GT(Pen, 0);
        } else {
            EXPECT_EQ(White, 0);
        }
    }
}

}  // namespace
