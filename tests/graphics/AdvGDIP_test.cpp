// The GDI+ object layer: colour helpers, the status model, pens and brushes, the text helpers.
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"
#include "framework/rtl/Streams.h"
#include "tests/graphics/AdvGDIPTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <typeinfo>

// ---------------------------------------------------------------------------------------------
// Colour helpers

TEST(AdvGDIPHelpers, ColorToARGBResolvesToOpaqueRGB) {
    struct Case {
        TColor Color;
        ARGB Expected;
    };
    const Case Cases[] = {
        {clRed, 0xFFFF0000},   {clLime, 0xFF00FF00},     {clBlue, 0xFF0000FF},
        {clBlack, 0xFF000000}, {0x00302010, 0xFF102030}, {clWhite, 0xFFFFFFFF},
    };
    for (const Case& C : Cases) EXPECT_EQ(ColorToARGB(C.Color), C.Expected) << std::hex << C.Color;

    // System colours go through the palette.
    SetSysColor(15, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(ColorToARGB(clBtnFace), 0xFF123456u);
    ResetSysColors();
    const TColor Face = ColorToRGB(clBtnFace);
    EXPECT_EQ(ColorToARGB(clBtnFace), ComposeRGB(GetRValue(Face), GetGValue(Face), GetBValue(Face)));
}

TEST(AdvGDIPHelpers, ComposeAndReadBytes) {
    struct Case {
        Byte A, R, G, B;
        ARGB Expected;
    };
    const Case Cases[] = {
        {255, 1, 2, 3, 0xFF010203},
        {0x80, 0x10, 0x20, 0x30, 0x80102030},
        {0, 0, 0, 0, 0x00000000},
        {0x7F, 0xFF, 0x00, 0xFE, 0x7FFF00FE},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(ComposeARGB(C.A, C.R, C.G, C.B), C.Expected);
        EXPECT_EQ(ARGBRed(C.Expected), C.R);
        EXPECT_EQ(ARGBGreen(C.Expected), C.G);
        EXPECT_EQ(ARGBBlue(C.Expected), C.B);
        EXPECT_EQ(ComposeRGB(C.R, C.G, C.B), ComposeARGB(255, C.R, C.G, C.B));
    }
    EXPECT_EQ(ComposeRGB(1, 2, 3), 0xFF010203u);
}

TEST(AdvGDIPHelpers, GPRoundHalvesToEvenAndNeverRaises) {
    struct Case {
        double Value;
        int Expected;
    };
    const Case Cases[] = {{2.5, 2}, {3.5, 4},           {-2.5, -2},
                          {2.6, 3}, {1e30, 2147483647}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const Case& C : Cases) EXPECT_EQ(GPRound(C.Value), C.Expected) << C.Value;
}

// ---------------------------------------------------------------------------------------------
// Status model

TEST(AdvGDIPStatus, GraphicsWithoutImageFailsEachCallAndKeepsTheFailure) {
    TGPGraphics G(static_cast<TGPImage*>(nullptr));
    TGPPen Pen(0xFF000000);
    TGPSolidBrush Brush(0xFF000000);
    EXPECT_EQ(G.GetLastStatus(), Ok);  // made without an image: nothing failed yet
    EXPECT_EQ(G.DrawLine(&Pen, 0, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(G.FillRectangle(&Brush, 0, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(G.GetSmoothingMode(), -1);
    EXPECT_EQ(G.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(G.GetLastStatus(), Ok);
}

TEST(AdvGDIPStatus, FailureIsReadOnceThenOk) {
    TGPSurface S(8, 8);
    TGPSolidBrush Empty;  // no native brush
    EXPECT_NE(S.Graphics->FillRectangle(&Empty, 0, 0, 4, 4), Ok);
    EXPECT_EQ(S.Graphics->Clear(0xFF000000), Ok);  // a later success does not clear the failure
    EXPECT_EQ(S.Graphics->GetLastStatus(), InvalidParameter);
    EXPECT_EQ(S.Graphics->GetLastStatus(), Ok);
}

TEST(AdvGDIPStatus, GraphicsOnNoDeviceContextKeepsItsCreationStatus) {
    TGPGraphics G(static_cast<HDC>(nullptr));
    TGPSolidBrush Brush(0xFF000000);
    EXPECT_EQ(G.GetLastStatus(), OutOfMemory);
    EXPECT_EQ(G.GetLastStatus(), Ok);
    EXPECT_EQ(G.FillRectangle(&Brush, 0, 0, 1, 1), InvalidParameter);  // no native graphics to draw on
    EXPECT_EQ(G.GetLastStatus(), InvalidParameter);
}

TEST(AdvGDIPStatus, ObjectsWhoseCreationFailedAnswerWithFailuresAndNeverRaise) {
    TGPFontFamily Missing(QStringLiteral("Qvd No Such Family"));
    EXPECT_EQ(Missing.Status(), FontFamilyNotFound);

    TGPFontFamily* NoFamily = nullptr;
    TGPFont Font(NoFamily, 10);
    EXPECT_NE(Font.Status(), Ok);

    TBytesStream Garbage(TBytes{1, 2, 3, 4, 5, 6, 7, 8});
    auto* Stream = new TStreamAdapter(&Garbage);
    TGPImage Image(Stream);
    Stream->Release();
    EXPECT_EQ(LastResultOf(&Image), UnknownImageFormat);
    EXPECT_EQ(Image.GetFormat(), ifUndefined);

    TGPSurface S(8, 8);
    TGPSolidBrush Brush(0xFF000000);
    EXPECT_NO_THROW({
        EXPECT_EQ(Image.GetWidth(), 0u);
        EXPECT_NE(Image.RotateFlip(Rotate90FlipNone), Ok);
        EXPECT_NE(LastResultOf(&Image), Ok);
        EXPECT_NE(S.Graphics->DrawString(QStringLiteral("x"), 1, &Font, MakeGPPointF(0, 0), &Brush), Ok);
        EXPECT_NE(S.Graphics->DrawImage(&Image, 0, 0), Ok);
        EXPECT_NE(S.Graphics->DrawImage(nullptr, 0, 0), Ok);
    });
    EXPECT_NE(S.Graphics->GetLastStatus(), Ok);
}

TEST(AdvGDIPStatus, RefusedArgumentsAreRecordedWithoutACall) {
    TGPLinearGradientBrush Linear(MakeGPRectF(0, 0, 10, 10), 0xFFFF0000, 0xFF0000FF, LinearGradientModeHorizontal);
    const ARGB Colors[2] = {0xFFFF0000, 0xFF0000FF};
    const float Positions[2] = {0, 1};
    EXPECT_EQ(Linear.SetInterpolationColors(Colors, Positions, 0), InvalidParameter);
    EXPECT_EQ(LastResultOf(&Linear), InvalidParameter);

    TGPBitmap Bitmap(4, 4);
    EXPECT_EQ(Bitmap.SaveAdd(nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(LastResultOf(&Bitmap), InvalidParameter);
}

// ---------------------------------------------------------------------------------------------
// Pens and brushes

TEST(AdvGDIPBrushes, PenGetBrushGivesAWrapperOfTheFillKind) {
    TGPHatchBrush Hatch(HatchStyleCross, 0xFF00FF00, 0xFF000000);
    TGPLinearGradientBrush Linear(MakeGPRectF(0, 0, 10, 10), 0xFFFF0000, 0xFF0000FF, LinearGradientModeVertical);
    TGPGraphicsPath Path;
    Path.AddRectangle(MakeGPRectF(0, 0, 10, 10));
    TGPPathGradientBrush Radial(&Path);

    struct Case {
        const char* Name;
        std::unique_ptr<TGPPen> Pen;
        const std::type_info& Kind;
        GpStatus Status;
    };
    Case Cases[] = {
        {"solid", std::unique_ptr<TGPPen>(new TGPPen(0xFF112233)), typeid(TGPSolidBrush), Ok},
        {"hatch", std::unique_ptr<TGPPen>(new TGPPen(&Hatch)), typeid(TGPHatchBrush), Ok},
        {"linear", std::unique_ptr<TGPPen>(new TGPPen(&Linear)), typeid(TGPLinearGradientBrush), NotImplemented},
        {"path", std::unique_ptr<TGPPen>(new TGPPen(&Radial)), typeid(TGPBrush), NotImplemented},
    };
    for (Case& C : Cases) {
        std::unique_ptr<TGPBrush> Brush(C.Pen->GetBrush());
        ASSERT_NE(Brush, nullptr) << C.Name;
        const TGPBrush& B = *Brush;
        EXPECT_EQ(typeid(B), C.Kind) << C.Name;
        EXPECT_EQ(LastResultOf(Brush.get()), C.Status) << C.Name;
        EXPECT_NE(NativeOf(Brush.get()), nullptr) << C.Name;  // the pen's brush, handed over
    }

    // The copy paints like the pen's brush.
    TGPPen Pen(0xFF112233);
    std::unique_ptr<TGPBrush> Solid(Pen.GetBrush());
    TGPSurface S(4, 4);
    EXPECT_EQ(S.Graphics->FillRectangle(Solid.get(), 0, 0, 4, 4), Ok);
    EXPECT_EQ(S.Pixel(2, 2), 0xFF112233u);

    std::unique_ptr<TGPBrush> HatchCopy(TGPPen(&Hatch).GetBrush());
    EXPECT_EQ(static_cast<TGPHatchBrush*>(HatchCopy.get())->GetHatchStyle(), HatchStyleCross);
    ARGB Fore = 0;
    EXPECT_EQ(static_cast<TGPHatchBrush*>(HatchCopy.get())->GetForegroundColor(Fore), Ok);
    EXPECT_EQ(Fore, 0xFF00FF00u);
}

TEST(AdvGDIPBrushes, PathGradientSurroundColoursCheckTheirCounts) {
    TGPGraphicsPath Path;
    Path.AddRectangle(MakeGPRectF(0, 0, 10, 10));
    TGPPathGradientBrush Brush(&Path);
    ASSERT_EQ(Brush.GetPointCount(), 4);

    const ARGB Colors[5] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF000000, 0xFFFFFFFF};
    int Count = 5;  // more than the path's points
    EXPECT_EQ(Brush.SetSurroundColors(Colors, Count), InvalidParameter);
    EXPECT_EQ(Count, 5);
    Count = 1;
    EXPECT_EQ(Brush.SetSurroundColors(nullptr, Count), InvalidParameter);
    Count = 4;
    EXPECT_EQ(Brush.SetSurroundColors(Colors, Count), Ok);
    EXPECT_EQ(Count, 4);

    ARGB Read[4] = {};
    int Room = 2;
    EXPECT_EQ(Brush.GetSurroundColors(Read, Room), InsufficientBuffer);
    Room = 4;
    EXPECT_EQ(Brush.GetSurroundColors(Read, Room), Ok);
    EXPECT_EQ(Room, 4);
    for (int I = 0; I < 4; ++I) EXPECT_EQ(Read[I], Colors[I]);
    EXPECT_EQ(Brush.GetSurroundColors(nullptr, Room), InvalidParameter);

    ARGB Center = 0;
    EXPECT_EQ(Brush.SetCenterColor(0xFF808080), LastResultOf(&Brush));
    EXPECT_EQ(Brush.GetCenterColor(Center), LastResultOf(&Brush));  // the status field, not the call's
    EXPECT_EQ(Center, 0xFF808080u);
}

// ---------------------------------------------------------------------------------------------
// Text helpers

namespace {

String familyNameOf(TGPFont* Font) {
    GpFontFamily* Family = nullptr;
    if (GdipGetFamily(NativeOf(Font), &Family) != Ok) return {};
    WCHAR Name[32] = {};
    GdipGetFamilyName(Family, Name, 0);
    GdipDeleteFontFamily(Family);
    return QString::fromUtf16(Name);
}

std::unique_ptr<TFont> makeFont(const String& Name, int Size, TFontStyles Style = {}, TColor Color = clBlack) {
    auto F = std::make_unique<TFont>();
    F->SetName(Name);
    F->SetSize(Size);
    F->SetStyle(Style);
    F->SetColor(Color);
    return F;
}

}  // namespace

TEST(AdvGDIPText, MakeFontKeepsSizeAndStyleAndFallsBackToArial) {
    struct Case {
        String Face;
        int Size;
        TFontStyles Style;
        String Family;
        INT StyleBits;
    };
    const Case Cases[] = {
        {QStringLiteral("Qvd No Such Face"), 14, {fsBold, fsItalic}, QStringLiteral("Arial"), 3},
        {QStringLiteral("Courier New"), 9, {fsUnderline}, QStringLiteral("Courier New"), 4},
        {QStringLiteral("Tahoma"), 12, {fsStrikeOut, fsBold}, QStringLiteral("Tahoma"), 9},
    };
    TGPSurface S(4, 4);
    for (const Case& C : Cases) {
        auto F = makeFont(C.Face, C.Size, C.Style);
        std::unique_ptr<TGPFont> Font(S.Graphics->MakeFont(F.get()));
        ASSERT_EQ(Font->Status(), Ok) << C.Face.toStdString();
        EXPECT_EQ(familyNameOf(Font.get()), C.Family);
        REAL Size = 0;
        INT Style = -1;
        Unit U = UnitWorld;
        GdipGetFontSize(NativeOf(Font.get()), &Size);
        GdipGetFontStyle(NativeOf(Font.get()), &Style);
        GdipGetFontUnit(NativeOf(Font.get()), &U);
        EXPECT_EQ(Size, static_cast<REAL>(C.Size));
        EXPECT_EQ(Style, C.StyleBits);
        EXPECT_EQ(U, UnitPoint);
    }
}

TEST(AdvGDIPText, FontByNameFallsBackToGenericSansSerif) {
    TGPFont Font(QStringLiteral("Qvd No Such Face"), 10, TFontStyles{fsBold});
    EXPECT_EQ(Font.Status(), Ok);
    EXPECT_FALSE(familyNameOf(&Font).isEmpty());
    EXPECT_EQ(TGPFontFamily::GenericSansSerif(), TGPFontFamily::GenericSansSerif());  // one shared wrapper
}

TEST(AdvGDIPText, DrawTextMeasuresWithTheMarginAndDrawsNothing) {
    struct Case {
        const char* Text;
        int Size;
        const char* Measured;  // the text as measured
        int Margin;
    };
    const Case Cases[] = {
        {"ab ", 12, "abi", 5},  // trailing space measured as "i"; margin 2 + Round(4 / 1.5)
        {" ", 12, " ", 5},      // a lone space is measured itself
        {"ab", 8, "ab", 2},     // 8 points and less: margin 2
        {"ab", 9, "ab", 3},     // 2 + Round(0.67)
        {"Wide text", 14, "Wide text", 6},
    };
    for (const Case& C : Cases) {
        TGPSurface S(300, 100);
        auto F = makeFont(QStringLiteral("Arial"), C.Size);
        std::unique_ptr<TGPFont> Font(S.Graphics->MakeFont(F.get()));
        const String Measured = QString::fromLatin1(C.Measured);
        TGPRectF Box;
        ASSERT_EQ(S.Graphics->MeasureString(Measured, Measured.length(), Font.get(), MakeGPRectF(10, 5, 1000, 0), Box),
                  Ok);

        TRect R{10, 5, 10, 5};
        const String Text = QString::fromLatin1(C.Text);
        const int Height = S.Graphics->DrawText(Text, Text.length(), R, F.get(), 0x400, clNone);
        EXPECT_EQ(R.Left, 10);
        EXPECT_EQ(R.Right, 10 + GPRound(Box.Width - C.Margin)) << C.Text;
        EXPECT_EQ(R.Bottom, 5 + GPRound(Box.Height)) << C.Text;
        EXPECT_EQ(Height, R.Bottom - R.Top);
        for (int Y = 0; Y < 100; Y += 3)
            for (int X = 0; X < 300; X += 3) ASSERT_EQ(S.Pixel(X, Y), 0xFFFFFFFFu) << C.Text;
    }
}

TEST(AdvGDIPText, DrawTextDrawsInTheFontColourOverItsBackground) {
    TGPSurface S(300, 60);
    auto F = makeFont(QStringLiteral("Arial"), 12, {}, clRed);
    TRect R{20, 10, 200, 50};
    const int Height = S.Graphics->DrawText(QStringLiteral("Hello"), 5, R, F.get(), 0, clNone);
    EXPECT_EQ(Height, 40);  // the rectangle as passed
    EXPECT_EQ(R, (TRect{20, 10, 200, 50}));
    int Red = 0, Outside = 0;
    for (int Y = 0; Y < 60; ++Y)
        for (int X = 0; X < 300; ++X) {
            const ARGB P = S.Pixel(X, Y);
            if (P == 0xFFFFFFFF) continue;
            if (X < 20 || Y < 10) ++Outside;
            if (ARGBRed(P) > 200 && ARGBGreen(P) < 60) ++Red;
        }
    EXPECT_GT(Red, 10);
    EXPECT_EQ(Outside, 0);

    // With a background colour the rectangle is measured and filled from Left + 1.
    TGPSurface B(300, 60);
    TRect Q{20, 10, 20, 10};
    const int Measured = B.Graphics->DrawText(QStringLiteral("Hello"), 5, Q, F.get(), 0, clYellow);
    EXPECT_EQ(Measured, Q.Bottom - Q.Top);
    EXPECT_GT(Q.Right, 20);
    EXPECT_EQ(B.Pixel(19, Q.Bottom - 2), 0xFFFFFFFFu);
    EXPECT_EQ(B.Pixel(20, Q.Bottom - 2), 0xFFFFFFFFu);
    EXPECT_EQ(B.Pixel(Q.Right - 1, Q.Top + 1), 0xFFFFFF00u);
}

TEST(AdvGDIPText, TextWidthAndHeightRoundTheMeasuredBox) {
    TGPSurface S(4, 4);
    const String Texts[] = {QStringLiteral("x"), QStringLiteral("Some longer text"), QStringLiteral("Two\nlines")};
    for (int Size : {8, 11, 16}) {
        auto F = makeFont(QStringLiteral("Segoe UI"), Size);
        std::unique_ptr<TGPFont> Font(S.Graphics->MakeFont(F.get()));
        for (const String& T : Texts) {
            TGPRectF Box;
            S.Graphics->MeasureString(T, T.length(), Font.get(), MakeGPRectF(0, 0, 10000, 10000), Box);
            EXPECT_EQ(S.Graphics->TextWidth(T, F.get()), GPRound(Box.Width));
            EXPECT_EQ(S.Graphics->TextHeight(T, F.get()), GPRound(Box.Height));
        }
        EXPECT_LT(S.Graphics->TextWidth(Texts[0], F.get()), S.Graphics->TextWidth(Texts[1], F.get()));
        EXPECT_GT(S.Graphics->TextHeight(Texts[2], F.get()), S.Graphics->TextHeight(Texts[0], F.get()));
    }
}

TEST(AdvGDIPText, MeasureStringNeverReadsPastTheText) {
    TGPSurface S(4, 4);
    auto F = makeFont(QStringLiteral("Arial"), 10);
    std::unique_ptr<TGPFont> Font(S.Graphics->MakeFont(F.get()));
    TGPRectF Whole, TooLong;
    S.Graphics->MeasureString(QStringLiteral("abc"), 3, Font.get(), MakeGPRectF(0, 0, 0, 0), Whole);
    EXPECT_EQ(S.Graphics->MeasureString(QStringLiteral("abc"), 300, Font.get(), MakeGPRectF(0, 0, 0, 0), TooLong), Ok);
    EXPECT_EQ(TooLong.Width, Whole.Width);
}

TEST(AdvGDIPStatus, MissingObjectsAreRefusedWithoutACrash) {
    TGPSurface S(8, 8);
    TGPGraphics& G = *S.Graphics;
    TRect R{0, 0, 5, 5};
    EXPECT_NO_THROW({
        EXPECT_EQ(G.FillRectangle(nullptr, 0, 0, 1, 1), InvalidParameter);
        EXPECT_EQ(G.FillPath(nullptr, nullptr), InvalidParameter);
        EXPECT_EQ(G.DrawLine(nullptr, 0, 0, 1, 1), InvalidParameter);
        EXPECT_EQ(G.SetTransform(nullptr), InvalidParameter);
        EXPECT_EQ(G.SetClip(static_cast<TGPRegion*>(nullptr)), InvalidParameter);
        EXPECT_EQ(G.DrawText(QStringLiteral("x"), 1, R, nullptr, 0), 5);
        EXPECT_EQ(G.TextWidth(QStringLiteral("x"), nullptr), 0);
        std::unique_ptr<TGPFont> Font(G.MakeFont(nullptr));
        EXPECT_EQ(Font->Status(), InvalidParameter);
        TGPPen Pen(static_cast<TGPBrush*>(nullptr));
        EXPECT_NE(Pen.SetBrush(nullptr), Ok);
        TGPMatrix M;
        EXPECT_EQ(M.Multiply(nullptr), InvalidParameter);
        TGPRegion Region(static_cast<TGPGraphicsPath*>(nullptr));
        EXPECT_NE(Region.Union(nullptr), Ok);
        TGPTextureBrush Texture(static_cast<TGPImage*>(nullptr));
        EXPECT_EQ(LastResultOf(&Texture), InvalidParameter);
        TGPImageAttributes Attributes;
        EXPECT_EQ(Attributes.SetRemapTable(-1, nullptr), InvalidParameter);
    });
    EXPECT_EQ(G.GetLastStatus(), InvalidParameter);
}
