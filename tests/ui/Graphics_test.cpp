#include "framework/ui/Graphics.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <cstring>

namespace {

// A fresh system palette for each test that touches it.
class SysColors : public ::testing::Test {
protected:
    void TearDown() override { ResetSysColors(); }
};

TEST_F(SysColors, ResolveThroughThePaletteAndFollowOverrides) {
    struct Case {
        TColor Color;
        TColor Rgb;
    };
    const Case Cases[] = {
        {clBtnFace, 0xF0F0F0},   {clWindow, 0xFFFFFF},   {clHighlight, 0xD77800},
        {clBtnShadow, 0xA0A0A0}, {clWindowText, 0},      {clRed, clRed},
        {clNone, clNone},        {clDefault, clDefault}, {RGB(1, 2, 3), 0x030201},
    };
    for (const auto& C : Cases) EXPECT_EQ(ColorToRGB(C.Color), C.Rgb) << std::hex << C.Color;

    SetSysColor(clBtnFace & 0xFF, clLime);
    EXPECT_EQ(ColorToRGB(clBtnFace), clLime);
    EXPECT_EQ(GetSysColor(15), clLime);
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
    EXPECT_THROW(SetSysColor(SysColorCount, clRed), ERangeError);
}

TEST(Colors, NamesAndNumbersConvertBothWays) {
    struct Case {
        const char* Text;
        TColor Color;
    };
    const Case Cases[] = {
        {"clRed", clRed},           {"clBtnFace", clBtnFace}, {"clNone", clNone},
        {"clMoneyGreen", 0xC0DCC0}, {"$00123456", 0x123456},  {"$FF000040", static_cast<TColor>(0xFF000040u)},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(StringToColor(QString::fromLatin1(C.Text)), C.Color) << C.Text;
        EXPECT_EQ(ColorToString(C.Color), QString::fromLatin1(C.Text));
    }
    EXPECT_EQ(StringToColor(QStringLiteral("CLRED")), clRed);
    EXPECT_EQ(StringToColor(QStringLiteral("255")), clRed);
    EXPECT_THROW(StringToColor(QStringLiteral("clPink")), EConvertError);
    EXPECT_THROW(StringToColor(QStringLiteral("$XYZ")), EConvertError);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

// ---------------------------------------------------------------------------------------------

TEST(Font, SizeAndHeightStayInStep) {
    struct Case {
        int Size;
        int Height;
    };
    const Case Cases[] = {{8, -11}, {9, -12}, {10, -13}, {11, -15}, {12, -16}, {14, -19}, {24, -32}};
    for (const auto& C : Cases) {
        TFont F;
        F.SetSize(C.Size);
        EXPECT_EQ(F.Height(), C.Height) << C.Size;
        F.SetHeight(C.Height);
        EXPECT_EQ(F.Size(), C.Size) << C.Height;
    }
    TFont Defaults;
    EXPECT_EQ(Defaults.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(Defaults.Size(), 8);
    EXPECT_EQ(Defaults.Color(), clWindowText);
}

TEST(Font, ChangeFiresOncePerRealChangeAndAssignCopiesPoints) {
    TFont F;
    int Changes = 0;
    F.OnChange = [&](TObject*) { ++Changes; };
    F.SetSize(8);  // unchanged
    F.SetStyle({fsBold});
    F.SetStyle({fsBold});
    F.SetColor(clRed);
    EXPECT_EQ(Changes, 2);

    TFont Big;
    Big.SetPixelsPerInch(120);
    Big.SetSize(10);
    F.Assign(&Big);
    EXPECT_EQ(F.Size(), 10);
    EXPECT_EQ(F.Height(), -13);
    EXPECT_EQ(Changes, 3);
    TPen Pen;
    EXPECT_THROW(F.Assign(&Pen), EConvertError);
}

TEST(FontMapper, PlatformFacesMapToInstalledFamiliesAndMeasureAlike) {
    // Installed by setup.sh; Wine's faces are loaded from their own folder. Bold Tahoma is drawn
    // in a true bold; an unknown face is drawn in the fallback family.
    const struct {
        const char* Face;
        bool Bold;
        const char* Family;
        const char* Drawn;
    } Faces[] = {{"tahoma", false, "Tahoma", "Tahoma"},
                 {"Tahoma", true, "Tahoma", "Liberation Sans"},
                 {"MS Shell Dlg 2", false, "Tahoma", "Tahoma"},
                 {"MS Sans Serif", false, "Liberation Sans", "Liberation Sans"},
                 {"MS Sans Serif", true, "Liberation Sans", "Liberation Sans"},
                 {"Arial", false, "Liberation Sans", "Liberation Sans"},
                 {"Times New Roman", false, "Liberation Serif", "Liberation Serif"},
                 {"Courier New", true, "Liberation Mono", "Liberation Mono"},
                 {"Marlett", false, "Marlett", "Marlett"},
                 {"Symbol", false, "DejaVu Sans", "DejaVu Sans"},
                 {"Segoe UI", false, "DejaVu Sans", "DejaVu Sans"},
                 {"Unknown Face", false, "Unknown Face", "DejaVu Sans"}};
    TBitmap B(10, 10);
    TCanvas* C = B.Canvas();
    for (const auto& F : Faces) {
        const String Face = QString::fromLatin1(F.Face);
        EXPECT_EQ(SubstituteFontFace(Face), QString::fromLatin1(F.Family)) << F.Face;
        C->Font()->SetName(Face);
        C->Font()->SetStyle(F.Bold ? TFontStyles{fsBold} : TFontStyles{});
        const QFontInfo Info(QFontOf(*C->Font()));
        EXPECT_EQ(Info.family(), QString::fromLatin1(F.Drawn)) << F.Face << F.Bold;
        EXPECT_EQ(Info.bold(), F.Bold) << F.Face;
    }
    C->Font()->SetStyle({});

    C->Font()->SetName(QStringLiteral("Tahoma"));
    C->Font()->SetHeight(-20);
    EXPECT_EQ(QFontOf(*C->Font()).pixelSize(), 20);
    // No kerning: widths add up, so layouts computed piecewise agree with whole strings.
    EXPECT_EQ(C->TextWidth(QStringLiteral("AV")),
              C->TextWidth(QStringLiteral("A")) + C->TextWidth(QStringLiteral("V")));
    EXPECT_GT(C->TextHeight(QStringLiteral("x")), 20);
    // An unknown face measures as the fallback family.
    C->Font()->SetName(QStringLiteral("Segoe UI"));
    const int Plain = C->TextWidth(QStringLiteral("Hello"));
    C->Font()->SetName(QStringLiteral("Unknown Face"));
    EXPECT_EQ(C->TextWidth(QStringLiteral("Hello")), Plain);
    C->Font()->SetStyle({fsBold});
    EXPECT_GT(C->TextWidth(QStringLiteral("Hello")), Plain);
    // A positive height asks for the cell height.
    C->Font()->SetHeight(30);
    EXPECT_NEAR(C->TextHeight(QStringLiteral("x")), 30, 1);
}

// ---------------------------------------------------------------------------------------------

// A white 20 x 20 bitmap to draw on and probe.
class CanvasTest : public ::testing::Test {
protected:
    TBitmap Bitmap{20, 20};
    TCanvas* C = Bitmap.Canvas();

    // Through the canvas, in logical coordinates.
    TColor At(int X, int Y) { return C->Pixels(X, Y); }
    // Straight from the image, in device pixels.
    TColor Device(int X, int Y) {
        const QRgb P = BitmapQImage(&Bitmap)->pixel(X, Y);
        return RGB(qRed(P), qGreen(P), qBlue(P));
    }
    QImage Snapshot() { return BitmapQImage(&Bitmap)->copy(); }
    int CountNot(TColor Color, const TRect& R) {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X) N += Device(X, Y) != Color;
        return N;
    }
};

TEST_F(CanvasTest, RectangleDrawsPenInsideAndExcludesRightAndBottom) {
    C->Brush()->SetColor(clRed);
    C->Pen()->SetColor(clBlue);
    C->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(At(2, 2), clBlue);
    EXPECT_EQ(At(7, 5), clBlue);
    EXPECT_EQ(At(3, 3), clRed);
    EXPECT_EQ(At(6, 4), clRed);
    EXPECT_EQ(At(8, 5), clWhite);
    EXPECT_EQ(At(7, 6), clWhite);
    EXPECT_EQ(At(1, 1), clWhite);
}

TEST_F(CanvasTest, ClearPenAndClearBrushDrawNothingOfTheirOwn) {
    C->Brush()->SetColor(clRed);
    C->Pen()->SetStyle(psClear);
    C->Rectangle(0, 0, 5, 5);
    EXPECT_EQ(At(0, 0), clRed);
    // Without a pen the fill stops one pixel short, as on the platform.
    EXPECT_EQ(At(3, 3), clRed);
    EXPECT_EQ(At(4, 4), clWhite);

    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(10, 10, 16, 16);
    EXPECT_EQ(At(10, 10), clBlack);
    EXPECT_EQ(At(15, 15), clBlack);
    EXPECT_EQ(At(12, 12), clWhite);

    // Any colour, its own included, makes a clear brush solid again.
    C->Brush()->SetColor(C->Brush()->Color());
    EXPECT_EQ(C->Brush()->Style(), bsSolid);
    C->Rectangle(12, 0, 18, 6);
    EXPECT_EQ(At(14, 2), clRed);
}

TEST_F(CanvasTest, FillAndFrameExcludeTheFarEdges) {
    C->Brush()->SetColor(clGreen);
    C->FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(CountNot(clWhite, Rect(0, 0, 20, 20)), 6);
    EXPECT_EQ(At(3, 2), clGreen);
    EXPECT_EQ(At(4, 2), clWhite);
    C->Brush()->SetColor(clNavy);
    C->FrameRect(Rect(10, 10, 14, 14));
    EXPECT_EQ(CountNot(clWhite, Rect(10, 10, 20, 20)), 12);
    EXPECT_EQ(At(13, 13), clNavy);
    EXPECT_EQ(At(11, 11), clWhite);
}

TEST_F(CanvasTest, LineToLeavesOutItsLastPixelAndMovesThePen) {
    struct Case {
        TPoint From, To, LastDrawn;
    };
    const Case Cases[] = {
        {{1, 1}, {6, 1}, {5, 1}},
        {{1, 3}, {1, 9}, {1, 8}},
        {{2, 2}, {7, 7}, {6, 6}},
        {{15, 15}, {10, 12}, {11, 13}},
    };
    for (const auto& L : Cases) {
        C->Brush()->SetColor(clWhite);
        C->FillRect(Rect(0, 0, 20, 20));
        C->MoveTo(L.From.X, L.From.Y);
        C->LineTo(L.To.X, L.To.Y);
        EXPECT_EQ(At(L.From.X, L.From.Y), clBlack);
        EXPECT_EQ(At(L.LastDrawn.X, L.LastDrawn.Y), clBlack);
        EXPECT_EQ(At(L.To.X, L.To.Y), clWhite);
        EXPECT_EQ(C->PenPos(), L.To);
    }
}

TEST_F(CanvasTest, XorPenTwiceRestoresThePicture) {
    for (int I = 0; I < 20; ++I) C->SetPixels(I, I / 2, RGB(I * 10, 255 - I * 7, I * 3));
    const QImage Before = Snapshot();
    C->Pen()->SetMode(pmXor);
    C->Pen()->SetColor(clYellow);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(1, 1, 15, 12);
    C->MoveTo(0, 19);
    C->LineTo(19, 0);
    EXPECT_EQ(At(1, 1), clWhite ^ clYellow);
    EXPECT_NE(Snapshot(), Before);
    C->MoveTo(0, 19);
    C->LineTo(19, 0);
    C->Rectangle(1, 1, 15, 12);
    EXPECT_EQ(Snapshot(), Before);
}

TEST_F(CanvasTest, FocusRectIsDottedAndUndoesItself) {
    const QImage Before = Snapshot();
    C->DrawFocusRect(Rect(2, 2, 10, 10));
    EXPECT_EQ(At(2, 2), clBlack);
    EXPECT_EQ(At(3, 2), clWhite);
    EXPECT_EQ(At(4, 2), clBlack);
    EXPECT_EQ(At(5, 5), clWhite);
    C->DrawFocusRect(Rect(2, 2, 10, 10));
    EXPECT_EQ(Snapshot(), Before);
}

TEST_F(CanvasTest, TextBackgroundIsOpaqueOnlyWithASolidBrush) {
    C->Font()->SetColor(clBlack);
    C->Brush()->SetColor(clYellow);
    C->TextOut(1, 1, QStringLiteral("W"));
    const TSize Cell = C->TextExtent(QStringLiteral("W"));
    // The top-left of the cell lies above the glyph: it shows the background.
    EXPECT_EQ(At(1, 1), clYellow);
    EXPECT_EQ(At(0, 0), clWhite);
    EXPECT_EQ(At(1 + Cell.cx, 1), clWhite);
    EXPECT_GT(CountNot(clYellow, Bounds(1, 1, Cell.cx, Cell.cy)), 0);
    EXPECT_EQ(C->PenPos(), Point(1 + Cell.cx, 1));

    C->Brush()->SetColor(clWhite);
    C->FillRect(Rect(0, 0, 20, 20));
    C->Brush()->SetStyle(bsClear);
    C->TextOut(1, 1, QStringLiteral("W"));
    EXPECT_EQ(At(1, 1), clWhite);
    EXPECT_GT(CountNot(clWhite, Bounds(1, 1, Cell.cx, Cell.cy)), 0);
}

TEST_F(CanvasTest, TextRectClipsAndFillsItsRectangleWhenOpaque) {
    C->Font()->SetHeight(-16);
    C->Brush()->SetStyle(bsClear);
    C->TextRect(Rect(0, 0, 8, 20), 0, 0, QStringLiteral("WWWWWW"));
    EXPECT_GT(CountNot(clWhite, Rect(0, 0, 8, 20)), 0);
    EXPECT_EQ(CountNot(clWhite, Rect(8, 0, 20, 20)), 0);

    C->Brush()->SetColor(clAqua);
    C->TextRect(Rect(10, 0, 20, 20), 12, 0, QString());
    EXPECT_EQ(CountNot(clAqua, Rect(10, 0, 20, 20)), 0);
}

TEST_F(CanvasTest, WindowAndViewportOriginsShiftDrawingAndRestoreWithTheSavedState) {
    HDC DC = C->Handle();
    const int Saved = SaveDC(DC);
    SetWindowOrgEx(DC, -5, -3, nullptr);
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(CountNot(clWhite, Rect(0, 0, 20, 20)), 4);
    SetViewportOrgEx(DC, 10, 10, nullptr);
    C->SetPixels(0, 0, clBlue);
    C->MoveTo(0, 1);
    C->LineTo(2, 1);
    EXPECT_EQ(At(0, 0), clBlue);
    RestoreDC(DC, Saved);
    EXPECT_EQ(At(5, 3), clRed);
    EXPECT_EQ(At(6, 4), clRed);
    EXPECT_EQ(At(15, 13), clBlue);
    EXPECT_EQ(At(16, 14), clBlack);
    EXPECT_EQ(At(17, 14), clWhite);
    TPoint Org{1, 1};
    GetWindowOrgEx(DC, &Org);
    EXPECT_EQ(Org, Point(0, 0));
    EXPECT_FALSE(RestoreDC(DC, 5));
}

TEST_F(CanvasTest, ClippingIsInDeviceUnitsAndClipRectIsLogical) {
    HDC DC = C->Handle();
    EXPECT_EQ(C->ClipRect(), Rect(0, 0, 20, 20));
    EXPECT_EQ(IntersectClipRect(DC, 2, 2, 6, 6), SIMPLEREGION);
    SetWindowOrgEx(DC, 1, 1, nullptr);
    EXPECT_EQ(C->ClipRect(), Rect(3, 3, 7, 7));
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(-10, -10, 30, 30));
    EXPECT_EQ(CountNot(clWhite, Rect(0, 0, 20, 20)), 16);
    EXPECT_EQ(Device(2, 2), clRed);
    EXPECT_EQ(At(3, 3), clRed);  // logical (3, 3) is device (2, 2)
    EXPECT_EQ(At(2, 2), -1);     // outside the clip
    EXPECT_EQ(ExcludeClipRect(DC, 3, 3, 4, 4), COMPLEXREGION);
}

TEST_F(CanvasTest, ShapesFillInsideTheirBounds) {
    C->Brush()->SetColor(clRed);
    C->Pen()->SetColor(clRed);
    C->Ellipse(2, 2, 12, 12);
    EXPECT_EQ(At(7, 7), clRed);
    EXPECT_EQ(At(2, 2), clWhite);
    EXPECT_EQ(CountNot(clWhite, Rect(12, 0, 20, 20)), 0);
    C->Brush()->SetColor(clBlue);
    C->Polygon({{14, 2}, {19, 2}, {19, 7}});
    EXPECT_EQ(At(18, 3), clBlue);
    EXPECT_EQ(At(14, 6), clWhite);
    C->Pie(0, 10, 10, 20, 10, 15, 5, 10);  // the upper-right quarter
    EXPECT_EQ(At(7, 13), clBlue);
    EXPECT_EQ(At(2, 17), clWhite);
}

TEST_F(CanvasTest, FloodFillStopsAtTheBorderColour) {
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(2, 2, 10, 10);
    C->Brush()->SetColor(clLime);
    C->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(At(5, 5), clLime);
    EXPECT_EQ(At(3, 8), clLime);
    EXPECT_EQ(At(2, 2), clBlack);
    EXPECT_EQ(At(12, 12), clWhite);
    C->Brush()->SetColor(clRed);
    C->FloodFill(15, 15, clWhite, fsSurface);
    EXPECT_EQ(At(0, 0), clRed);
    EXPECT_EQ(At(5, 5), clLime);
}

TEST_F(CanvasTest, CopyRectAndDrawMoveBlocksOfPixels) {
    TBitmap Source(4, 4);
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect(Rect(0, 0, 2, 2));
    C->CopyRect(Rect(10, 10, 14, 14), Source.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(12, 12), clWhite);
    C->StretchDraw(Rect(0, 0, 8, 8), &Source);
    EXPECT_EQ(At(3, 3), clRed);
    EXPECT_EQ(At(4, 4), clWhite);
    C->Draw(16, 0, &Source);
    EXPECT_EQ(At(17, 1), clRed);
    EXPECT_EQ(At(18, 1), clWhite);
}

// Straight from another surface, or through a copy from the same one or beyond the source's edge.
TEST_F(CanvasTest, CopyRectFromItselfStretchedAndBeyondTheSource) {
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 4, 4));
    C->CopyRect(Rect(2, 2, 6, 6), C, Rect(0, 0, 4, 4));
    EXPECT_EQ(At(5, 5), clRed) << "the overlapping copy reads the picture before it";
    EXPECT_EQ(At(6, 6), clWhite);

    TBitmap Source(2, 2);
    Source.Canvas()->Brush()->SetColor(clBlue);
    Source.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Source.Canvas()->SetPixels(1, 1, clLime);
    C->CopyRect(Rect(10, 10, 14, 14), Source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(At(10, 10), clBlue);
    EXPECT_EQ(At(11, 11), clBlue);
    EXPECT_EQ(At(13, 13), clLime) << "stretched to twice the size";
    C->CopyRect(Rect(0, 10, 4, 12), Source.Canvas(), Rect(0, 0, 4, 2));
    EXPECT_EQ(At(1, 11), clLime);
    EXPECT_EQ(At(3, 10), clBlack) << "beyond the source: black";

    // The source's alpha is ignored.
    TBitmap Alpha(1, 1);
    Alpha.SetPixelFormat(pf32bit);
    *static_cast<std::uint32_t*>(Alpha.ScanLine(0)) = 0x000000FF;  // blue with alpha 0
    C->CopyRect(Rect(15, 15, 16, 16), Alpha.Canvas(), Rect(0, 0, 1, 1));
    EXPECT_EQ(At(15, 15), clBlue);
}

// Each pixel of a one-pixel line is drawn once: an exclusive-or pen changes each exactly once.
TEST_F(CanvasTest, OnePixelLinesDrawEachPixelOnce) {
    const struct {
        TPoint From, To;
        int Pixels;
    } Cases[] = {
        {{1, 1}, {9, 1}, 8},   {{9, 3}, {1, 3}, 8},     {{2, 5}, {2, 15}, 10},
        {{4, 4}, {12, 12}, 8}, {{15, 2}, {17, 12}, 10}, {{18, 19}, {5, 16}, 13},
    };
    for (const auto& L : Cases)
        for (const TPenMode Mode : {pmCopy, pmXor}) {
            C->Pen()->SetMode(pmCopy);
            C->Brush()->SetColor(clWhite);
            C->FillRect(Rect(0, 0, 20, 20));
            C->Pen()->SetMode(Mode);
            C->Pen()->SetColor(Mode == pmXor ? clYellow : clBlack);
            C->MoveTo(L.From.X, L.From.Y);
            C->LineTo(L.To.X, L.To.Y);
            int Changed = 0;
            for (int Y = 0; Y < 20; ++Y)
                for (int X = 0; X < 20; ++X) Changed += At(X, Y) != clWhite;
            EXPECT_EQ(Changed, L.Pixels) << L.From.X << "," << L.From.Y << " " << Mode;
            EXPECT_NE(At(L.From.X, L.From.Y), clWhite);
        }
    C->Pen()->SetMode(pmCopy);
}

TEST_F(CanvasTest, ChangeEventsSurroundEachDrawing) {
    std::vector<char> Events;
    C->OnChanging = [&](TObject*) { Events.push_back('-'); };
    C->OnChange = [&](TObject*) { Events.push_back('+'); };
    C->FillRect(Rect(0, 0, 1, 1));
    C->TextOut(0, 0, QStringLiteral("x"));
    EXPECT_EQ(Events, (std::vector<char>{'-', '+', '-', '+'}));
}

TEST(Canvas, NeedsASurfaceToDrawButNotToMeasure) {
    TCanvas C;
    EXPECT_FALSE(C.HandleAllocated());
    EXPECT_THROW(C.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    EXPECT_GT(C.TextWidth(QStringLiteral("abc")), 0);

    QImage Image(30, 20, QImage::Format_RGB32);
    Image.fill(Qt::white);
    HDC DC = CreateImageDC(&Image);
    C.SetHandle(DC);
    C.Brush()->SetColor(clBlue);
    C.FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(C.Pixels(1, 1), clBlue);
    struct Cap {
        int Index, Value;
    };
    for (const Cap& Cp :
         {Cap{LOGPIXELSX, 96}, Cap{LOGPIXELSY, 96}, Cap{HORZRES, 30}, Cap{VERTRES, 20}, Cap{BITSPIXEL, 32}})
        EXPECT_EQ(GetDeviceCaps(DC, Cp.Index), Cp.Value) << Cp.Index;
    C.SetHandle(nullptr);
    DeleteDC(DC);
    EXPECT_EQ(QColor(Image.pixel(1, 1)), QColor(Qt::blue));
}

// ---------------------------------------------------------------------------------------------

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessFixed) {
    TBitmap B(6, 4);
    B.Canvas()->SetPixels(0, 3, clFuchsia);
    EXPECT_EQ(B.TransparentColor(), clFuchsia);
    B.Canvas()->SetPixels(0, 3, clLime);
    EXPECT_EQ(B.TransparentColor(), clLime);
    B.SetTransparentColor(clRed);
    EXPECT_EQ(B.TransparentMode(), tmFixed);
    EXPECT_EQ(B.TransparentColor(), clRed);
    B.SetTransparentColor(clDefault);
    EXPECT_EQ(B.TransparentMode(), tmAuto);
    EXPECT_EQ(B.TransparentColor(), clLime);
}

TEST(Bitmap, TransparentDrawSkipsTheKeyColour) {
    TBitmap Sprite(4, 4);
    Sprite.Canvas()->Brush()->SetColor(clFuchsia);
    Sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Sprite.Canvas()->SetPixels(1, 1, clBlue);
    Sprite.SetTransparent(true);
    TBitmap Back(4, 4);
    Back.Canvas()->Brush()->SetColor(clGreen);
    Back.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Back.Canvas()->Draw(0, 0, &Sprite);
    EXPECT_EQ(Back.Canvas()->Pixels(0, 0), clGreen);
    EXPECT_EQ(Back.Canvas()->Pixels(1, 1), clBlue);
    Sprite.SetTransparent(false);
    Back.Canvas()->Draw(0, 0, &Sprite);
    EXPECT_EQ(Back.Canvas()->Pixels(0, 0), clFuchsia);
}

TEST(Bitmap, ScanLinesHoldBlueGreenRedBytes) {
    struct Case {
        TPixelFormat Format;
        int BytesPerPixel;
    };
    for (const Case& F : {Case{pf24bit, 3}, Case{pf32bit, 4}, Case{pfDevice, 4}}) {
        TBitmap B;
        B.SetPixelFormat(F.Format);
        B.SetSize(3, 2);
        B.Canvas()->SetPixels(1, 1, RGB(10, 20, 30));
        const auto* Row = static_cast<const Byte*>(B.ScanLine(1));
        EXPECT_EQ(Row[F.BytesPerPixel + 0], 30) << F.Format;
        EXPECT_EQ(Row[F.BytesPerPixel + 1], 20);
        EXPECT_EQ(Row[F.BytesPerPixel + 2], 10);
        auto* Top = static_cast<Byte*>(B.ScanLine(0));
        Top[0] = 0xFF;  // blue
        Top[1] = 0;
        Top[2] = 0;
        EXPECT_EQ(B.Canvas()->Pixels(0, 0), clBlue);
        EXPECT_THROW(B.ScanLine(2), EInvalidGraphicOperation);
        EXPECT_THROW(B.ScanLine(-1), EInvalidGraphicOperation);
    }
}

TEST(Bitmap, ResizeKeepsThePictureAndAssignCopiesIt) {
    TBitmap A(4, 4);
    int Changes = 0;
    A.OnChange = [&](TObject*) { ++Changes; };
    A.Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(Changes, 1);
    A.SetSize(8, 2);
    EXPECT_EQ(A.Width(), 8);
    EXPECT_EQ(A.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(A.Canvas()->Pixels(6, 1), clWhite);

    TBitmap B;
    B.Assign(&A);
    B.Canvas()->SetPixels(1, 1, clBlue);
    EXPECT_EQ(A.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(B.Width(), 8);
    B.Assign(nullptr);
    EXPECT_TRUE(B.Empty());
    TFont F;
    EXPECT_THROW(B.Assign(&F), EConvertError);
}

TEST(Bitmap, FilesRoundTripAndBadFilesRaiseWithoutLosingThePicture) {
    TempFolder Dir;
    TBitmap A(5, 3);
    A.SetPixelFormat(pf24bit);
    A.Canvas()->SetPixels(4, 2, RGB(1, 2, 3));
    A.SaveToFile(Dir.File(QStringLiteral("a.bmp")));
    TBitmap B;
    B.LoadFromFile(Dir.File(QStringLiteral("a.bmp")));
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    EXPECT_EQ(B.Canvas()->Pixels(4, 2), RGB(1, 2, 3));

    EXPECT_THROW(B.LoadFromFile(Dir.File(QStringLiteral("missing.bmp"))), EFOpenError);
    QFile Junk(Dir.File(QStringLiteral("junk.bmp")));
    ASSERT_TRUE(Junk.open(QIODevice::WriteOnly));
    Junk.write("not a picture");
    Junk.close();
    EXPECT_THROW(B.LoadFromFile(Junk.fileName()), EInvalidGraphic);
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Canvas()->Pixels(4, 2), RGB(1, 2, 3));

    const String NoFolder = Dir.File(QStringLiteral("no/such/dir/b.bmp"));
    EXPECT_THROW(B.SaveToFile(NoFolder), EFCreateError);
    EXPECT_FALSE(QFile::exists(NoFolder));
    EXPECT_THROW(TBitmap().SaveToFile(Dir.File(QStringLiteral("empty.bmp"))), EInvalidGraphic);
}

TEST(Bitmap, BlockTransfersIgnoreTheAlphaBytes) {
    TBitmap Source;
    Source.SetPixelFormat(pf32bit);
    Source.SetSize(2, 1);
    auto* Row = static_cast<Byte*>(Source.ScanLine(0));
    const Byte Pixel[] = {0x30, 0x20, 0x10, 0x00};  // B, G, R, A = 0
    std::memcpy(Row, Pixel, sizeof Pixel);
    TBitmap Dest(2, 1);
    Dest.Canvas()->Draw(0, 0, &Source);
    EXPECT_EQ(Dest.Canvas()->Pixels(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST_F(CanvasTest, RotatedTextTurnsAnticlockwiseAroundItsOrigin) {
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetOrientation(900);
    C->TextOut(4, 19, QStringLiteral("WW"));
    const TSize Cell = C->TextExtent(QStringLiteral("WW"));
    EXPECT_GT(CountNot(clWhite, Rect(4, 0, 4 + Cell.cy, 19)), 0);
    EXPECT_EQ(CountNot(clWhite, Rect(0, 0, 4, 20)), 0);
}

}  // namespace
