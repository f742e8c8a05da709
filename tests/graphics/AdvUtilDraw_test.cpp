#include "components/graphics/AdvUtilDraw.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/Forms.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/Modules.h"
#include "framework/ui/UxTheme.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawGradient, BandsStartAtTruncatedPositionsWithRoundedColours) {
    struct Case {
        int Steps;
        int Width;
        std::vector<int> RedAtX;  // red channel of x = 0, 1, ...
    };
    const Case Cases[] = {
        {10, 11, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {4, 11, {0, 0, 25, 25, 25, 50, 50, 75, 75, 75, 100}},  // bands of 2.5 pixels, 3 wide
        {1000, 6, {0, 20, 40, 60, 80, 100}},                   // at most one step per pixel
        {5, 1, {100}},                                         // one step: the last band covers it
    };
    for (const Case& C : Cases) {
        Paper P;
        DrawGradient(P.Canvas(), RGB(0, 0, 7), RGB(100, 0, 7), C.Steps, Rect(0, 0, C.Width, 5), true);
        for (int X = 0; X < C.Width; ++X) EXPECT_EQ(P.At(X, 2), RGB(C.RedAtX[X], 0, 7)) << C.Steps << " x=" << X;
        EXPECT_EQ(P.At(C.Width, 2), clWhite);
    }
    // Top to bottom, with Top and Bottom given the wrong way round.
    Paper V;
    DrawGradient(V.Canvas(), clBlack, RGB(0, 40, 0), 4, Rect(0, 5, 3, 0), false);
    for (int Y = 0; Y < 5; ++Y) EXPECT_EQ(V.At(1, Y), RGB(0, 10 * Y, 0)) << Y;
    Paper Empty;
    DrawGradient(Empty.Canvas(), clBlack, clRed, 4, Rect(0, 3, 10, 3), false);
    EXPECT_EQ(Empty.Count(clWhite), 60 * 30);
}

TEST(DrawGradient, NoneColourRules) {
    struct Case {
        TColor From, To, Expected;
    };
    const Case Cases[] = {
        {clRed, clNone, clRed},
        {clNone, clBlue, clBlue},
        {clBtnFace, clNone, ColorToRGB(clBtnFace)},
        {clNone, clNone, clWhite},  // nothing to draw with: the paper stays
    };
    for (const Case& C : Cases) {
        Paper P;
        DrawGradient(P.Canvas(), C.From, C.To, 8, Rect(2, 2, 12, 12), true);
        EXPECT_EQ(P.At(2, 2), C.Expected);
        EXPECT_EQ(P.At(11, 11), C.Expected);
        EXPECT_EQ(P.At(12, 12), clWhite);
    }
}

TEST(InterpolateColor, ChannelsAtTheOffset) {
    struct Case {
        TColor From, To;
        int Start, End, Offset;
        TColor Expected;
    };
    const Case Cases[] = {
        {RGB(0, 100, 200), RGB(100, 0, 200), 0, 10, 5, RGB(50, 50, 200)},
        {RGB(0, 0, 0), RGB(255, 255, 255), 10, 20, 0, RGB(0, 0, 0)},  // Offset counts from the start
        {RGB(0, 0, 0), RGB(3, 0, 0), 0, 2, 1, RGB(2, 0, 0)},          // 1.5 rounds to even
        {clBtnFace, clNone, 0, 10, 5, clBtnFace},                     // unchanged, not resolved
        {clBtnFace, clBlack, 0, 10, 0, ColorToRGB(clBtnFace)},
        {clRed, clBlue, 5, 5, 3, clRed},  // an empty range: the start colour
    };
    for (const Case& C : Cases)
        EXPECT_EQ(InterpolateColor(C.From, C.To, C.Start, C.End, C.Offset), C.Expected) << std::hex << C.From;
}

TEST(FillMirrorGradient, SolidMirroredAndBorders) {
    Paper Solid;
    FillMirrorGradient(Solid.Canvas(), Rect(0, 0, 10, 10), clRed, clNone, clNone, clNone, true, clNone, false, true);
    EXPECT_EQ(Solid.At(5, 10), clRed);  // one pixel further down
    EXPECT_EQ(Solid.At(5, 11), clWhite);

    Paper Mirror;
    FillMirrorGradient(Mirror.Canvas(), Rect(0, 0, 10, 20), clRed, clMaroon, clBlue, clNavy, true, clBlack, true, true);
    EXPECT_EQ(Mirror.At(5, 0), clRed);
    EXPECT_EQ(Mirror.At(5, 9), clMaroon);
    EXPECT_EQ(Mirror.At(5, 10), clBlue);
    EXPECT_EQ(Mirror.At(5, 19), clNavy);
    EXPECT_EQ(Mirror.At(0, 5), clBlack);  // sides only
    EXPECT_EQ(Mirror.At(9, 5), clBlack);
    EXPECT_EQ(Mirror.At(5, 0), clRed);

    Paper Framed;
    FillMirrorGradient(Framed.Canvas(), Rect(0, 0, 10, 10), clRed, clNone, clNone, clNone, true, clBlack, false, false);
    EXPECT_EQ(Framed.At(5, 0), clBlack);
    EXPECT_EQ(Framed.At(5, 9), clBlack);
    EXPECT_EQ(Framed.At(5, 5), clWhite);  // Fill off
}

TEST(DrawGlossyFrame, CornersAndEndsPerPositionCode) {
    const TColor Upper = RGB(1, 1, 1), Lower = RGB(2, 2, 2), Border = RGB(3, 3, 3), Inner = RGB(4, 4, 4),
                 Corner = RGB(5, 5, 5), Fill = RGB(6, 6, 6);
    struct Case {
        int Position;
        bool Left, Right;
    };
    const Case Cases[] = {{0, true, true}, {1, true, false}, {2, false, true}, {3, false, false}};
    for (const Case& C : Cases) {
        Paper P;
        // R becomes (0, 0, 19, 10): border rows 0 and 10, lines at rows 1 and 9.
        DrawGlossyFrame(P.Canvas(), Fill, clNone, clNone, clNone, Upper, Lower, Border, Inner, Corner,
                        Rect(0, 0, 20, 12), C.Position);
        EXPECT_EQ(P.At(0, 0), C.Left ? Corner : Border) << C.Position;
        EXPECT_EQ(P.At(1, 1), C.Left ? Inner : Upper) << C.Position;
        EXPECT_EQ(P.At(0, 10), C.Left ? Corner : Border) << C.Position;
        EXPECT_EQ(P.At(18, 0), C.Right ? Corner : Border) << C.Position;
        EXPECT_EQ(P.At(17, 9), C.Right ? Inner : Lower) << C.Position;
        EXPECT_EQ(P.At(0, 5), C.Left ? Border : Fill) << C.Position;  // end line or fill to the edge
        EXPECT_EQ(P.At(18, 5), C.Right ? Border : Fill) << C.Position;
        EXPECT_EQ(P.At(1, 3), C.Left ? Upper : Fill) << C.Position;
        EXPECT_EQ(P.At(1, 7), C.Left ? Lower : Fill) << C.Position;
        EXPECT_EQ(P.At(9, 1), Upper);
        EXPECT_EQ(P.At(9, 9), Lower);
        EXPECT_EQ(P.At(9, 5), Fill);
        EXPECT_EQ(P.At(19, 5), clWhite);
        EXPECT_EQ(P.At(9, 11), clWhite);
    }
    // The inside split into two gradients: Color at the top, MirrorColor from the middle.
    Paper Mirror;
    DrawGlossyFrame(Mirror.Canvas(), clRed, clMaroon, clBlue, clNavy, Upper, Lower, Border, Inner, Corner,
                    Rect(0, 0, 20, 22), 3);
    // Inside (0, 2, 19, 19), split at row 10.
    EXPECT_EQ(Mirror.At(5, 2), clRed);
    EXPECT_EQ(Mirror.At(5, 9), clMaroon);
    EXPECT_EQ(Mirror.At(5, 10), clBlue);
    EXPECT_EQ(Mirror.At(5, 18), clNavy);
}

TColorTones testTones() {
    TColorTones T;
    T.Background = {RGB(10, 0, 0), RGB(11, 0, 0), RGB(12, 0, 0)};
    T.Hover = {RGB(20, 0, 0), RGB(21, 0, 0), RGB(22, 0, 0)};
    T.Selected = {RGB(30, 0, 0), RGB(31, 0, 0), RGB(32, 0, 0)};
    T.Disabled = {RGB(40, 0, 0), RGB(41, 0, 0), RGB(42, 0, 0)};
    return T;
}

TEST(ColourButtons, ComboPushAndSpinInTheirFourStates) {
    const TColorTones Tones = testTones();
    const TColor Brush[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    const TColor Border[4] = {RGB(11, 0, 0), RGB(21, 0, 0), RGB(31, 0, 0), RGB(41, 0, 0)};
    for (int State = 0; State < 4; ++State) {
        // Drop-down: right end of (0, 0, 40, 20) -> (21, 1, 38, 19), then 3 pixels in from the left.
        Paper Combo;
        DrawComboButton(Combo.Canvas(), nullptr, Rect(0, 0, 40, 20), 3, State, Tones, 1.0);
        EXPECT_EQ(Combo.At(23, 5), clWhite) << State;
        EXPECT_EQ(Combo.At(24, 5), Brush[State]) << State;
        EXPECT_EQ(Combo.At(25, 5), RGB(11, 0, 0)) << State;  // the separator in Background.BorderColor
        EXPECT_EQ(Combo.At(30, 3), Brush[State]) << State;
        EXPECT_EQ(Combo.At(32, 10), RGB(12, 0, 0)) << State;  // the arrow in Background.TextColor
        EXPECT_EQ(Combo.At(37, 18), Brush[State]) << State;
        EXPECT_EQ(Combo.At(38, 5), clWhite) << State;
        EXPECT_EQ(Combo.At(30, 0), clWhite) << State;

        Paper Push;
        DrawPushButton(Push.Canvas(), nullptr, Rect(2, 2, 30, 20), 3, State, Tones, false, String());
        EXPECT_EQ(Push.At(2, 2), Border[State]) << State;
        EXPECT_EQ(Push.At(29, 19), Border[State]) << State;
        EXPECT_EQ(Push.At(15, 10), Brush[State]) << State;

        // Spin: the strip (24, -1, 39, 19), split at row 9.
        Paper Spin;
        DrawSpinButtons(Spin.Canvas(), nullptr, Rect(0, 0, 40, 20), 3, State, Tones);
        EXPECT_EQ(Spin.At(25, 1), Brush[State]) << State;
        EXPECT_EQ(Spin.At(25, 12), Brush[State]) << State;
        EXPECT_EQ(Spin.At(25, 9), clWhite) << State;   // the gap between the halves
        EXPECT_EQ(Spin.At(31, 3), clBlack) << State;   // up arrow
        EXPECT_EQ(Spin.At(31, 12), clBlack) << State;  // down arrow
        EXPECT_EQ(Spin.At(39, 5), clWhite) << State;
    }
}

TEST(ColourButtons, CaptionIsCentredBelowTheTopInset) {
    Paper P(80, 30);
    P.Canvas()->Font()->SetName(QStringLiteral("Arial"));
    P.Canvas()->Font()->SetColor(clBlack);
    DrawPushButton(P.Canvas(), nullptr, Rect(0, 0, 80, 30), 3, 0, testTones(), true, QStringLiteral("&Go"));
    // Ink is whatever differs from the face inside the border, smoothed edges included.
    const TColor Face = RGB(10, 0, 0);
    int MinX = 99, MaxX = -1, MinY = 99, MaxY = -1;
    for (int Y = 2; Y < 28; ++Y)
        for (int X = 2; X < 78; ++X)
            if (P.At(X, Y) != Face)
                MinX = std::min(MinX, X), MaxX = std::max(MaxX, X), MinY = std::min(MinY, Y), MaxY = std::max(MaxY, Y);
    ASSERT_GE(MaxX, 0);
    EXPECT_NEAR((MinX + MaxX) / 2.0, 40, 3);
    EXPECT_NEAR((MinY + MaxY) / 2.0, 17, 3);  // centred in (4 .. 30)
    EXPECT_EQ(P.At(2, 2), Face);              // a clear brush: the face stays behind the text
}

TEST(ThemedButtons, DrawThroughTheThemeAndFallBackToClassicWithoutIt) {
    const TColorTones Tones = testTones();
    auto Render = [&](int Style, int State) {
        auto P = std::make_unique<Paper>(40, 20);
        DrawPushButton(P->Canvas(), nullptr, Rect(0, 0, 40, 20), Style, State, Tones, false, String());
        DrawSpinButtons(P->Canvas(), nullptr, Rect(0, 0, 40, 20), Style, State, Tones);
        return P;
    };
    auto Same = [](Paper& A, Paper& B) {
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 40; ++X)
                if (A.At(X, Y) != B.At(X, Y)) return false;
        return true;
    };
    for (int State = 0; State < 4; ++State) {
        auto Themed = Render(0, State);
        auto Classic = Render(1, State);
        auto Flat = Render(2, State);
        EXPECT_LT(Themed->Count(clWhite), 40 * 20 / 2) << State;
        EXPECT_FALSE(Same(*Themed, *Classic)) << State;
        EXPECT_FALSE(Same(*Classic, *Flat)) << State;
        EXPECT_EQ(Classic->At(5, 10), ColorToRGB(clBtnFace)) << State;
    }
    EXPECT_EQ(OpenThemeHandleCount(), 0);

    // No theme library, or one that is not active: the classic look.
    auto Classic = Render(1, 0);
    {
        const TModuleReplacement Hidden(QStringLiteral("uxtheme.dll"));
        auto Fallback = Render(0, 0);
        EXPECT_TRUE(Same(*Fallback, *Classic));
    }
    ThemeSettings().Active = false;
    auto Inactive = Render(0, 0);
    ThemeSettings() = TThemeSettings();
    EXPECT_TRUE(Same(*Inactive, *Classic));

    // The combo button of the theme draws at the right end only.
    Paper Combo(40, 20);
    DrawComboButton(Combo.Canvas(), nullptr, Rect(0, 0, 40, 20), 0, 0, Tones, 1.0);
    EXPECT_EQ(Combo.At(10, 10), clWhite);
    EXPECT_NE(Combo.At(30, 10), clWhite);
}

TEST(DrawErrorUnderline, RedZigZagFromTheFirstToTheLastErrorCharacter) {
    Paper P(120, 30);
    TCanvas* C = P.Canvas();
    C->Font()->SetName(QStringLiteral("Arial"));
    C->Font()->SetHeight(-12);
    const String Text = QStringLiteral("abcdefgh");
    const int StartX = 10 + 1 + C->TextWidth(QStringLiteral("ab"));
    const int EndX = 10 + 1 + C->TextWidth(QStringLiteral("abcd"));
    DrawErrorUnderline(nullptr, C, Text, Rect(10, 5, 110, 25), 2, 2, 3);
    const int Base = 5 + 0 + 2 + 3;
    int MinX = 999, MaxX = -1, MinY = 999, MaxY = -1;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 120; ++X)
            if (P.At(X, Y) == clRed)
                MinX = std::min(MinX, X), MaxX = std::max(MaxX, X), MinY = std::min(MinY, Y), MaxY = std::max(MaxY, Y);
    EXPECT_NEAR(MinX, StartX, 1);
    EXPECT_NEAR(MaxX, EndX + 3, 2);
    EXPECT_NEAR(MinY, Base, 1);
    EXPECT_NEAR(MaxY, Base + 3, 2);
    // Zig-zag: low at three pixels in, high again at six (a two-pixel pen).
    auto RedNear = [&](int X, int Y) {
        for (int DY = -1; DY <= 1; ++DY)
            for (int DX = -1; DX <= 1; ++DX)
                if (P.At(X + DX, Y + DY) == clRed) return true;
        return false;
    };
    EXPECT_TRUE(RedNear(StartX + 3, Base + 3));
    EXPECT_TRUE(RedNear(StartX + 6, Base));
    EXPECT_FALSE(RedNear(StartX + 3, Base - 2));

    // An error beyond the text starts four pixels after it.
    Paper After(120, 30);
    After.Canvas()->Font()->Assign(C->Font());
    DrawErrorUnderline(nullptr, After.Canvas(), Text, Rect(10, 5, 110, 25), 0, 8, 2);
    int FirstRed = 999;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 120; ++X)
            if (After.At(X, Y) == clRed) FirstRed = std::min(FirstRed, X);
    EXPECT_NEAR(FirstRed, 10 + 1 + C->TextWidth(Text) + 4, 1);  // and never runs back left
}

TEST(DrawRangeIndicator, BarFromTheCentreLimitedToTheRange) {
    struct Case {
        int Value, Range;
        int From, To;  // filled columns, or From > To for none
        TColor Color;
    };
    // (0, 0, 44, 14) shrinks to (2, 2, 42, 12); the centre is x = 22.
    const Case Cases[] = {
        {5, 10, 22, 31, clGreen}, {-5, 10, 12, 21, clRed}, {25, 10, 22, 41, clGreen},  // limited to the full half
        {-25, 10, 2, 21, clRed},  {7, 0, 1, 0, clWhite},                               // no scale: no bar
    };
    for (const Case& C : Cases) {
        Paper P;
        DrawRangeIndicator(P.Canvas(), Rect(0, 0, 44, 14), C.Value, C.Range, false, clRed, clGreen);
        for (int X = 0; X < 44; ++X) {
            const bool In = X >= C.From && X <= C.To;
            EXPECT_EQ(P.At(X, 6), In ? C.Color : clWhite) << C.Value << " x=" << X;
        }
        EXPECT_EQ(P.At(25, 1), clWhite);
        EXPECT_EQ(P.At(25, 12), clWhite);
    }
    Paper Text(60, 30);
    Text.Canvas()->Font()->SetColor(clBlack);
    DrawRangeIndicator(Text.Canvas(), Rect(0, 0, 60, 30), 99, 10, true, clRed, clGreen);
    EXPECT_GT(60 * 30 - Text.Count(clWhite) - Text.Count(clGreen), 10);  // "10" over the bar
}

TEST(SmallShapesAndFills, TriangleAndFillRect) {
    Paper P;
    DrawSmallTriangle(P.Canvas(), 10, 10, clBlue);
    EXPECT_EQ(P.At(10, 10), clBlue);
    EXPECT_EQ(P.At(10, 12), clBlue);
    EXPECT_EQ(P.At(10, 9), clWhite);
    EXPECT_EQ(P.At(7, 10), clBlue);
    EXPECT_EQ(P.At(10, 14), clWhite);
    P.Canvas()->Brush()->SetStyle(bsClear);
    FillRectColor(P.Canvas(), Rect(20, 20, 25, 25), clRed);  // a clear brush becomes solid
    EXPECT_EQ(P.At(20, 20), clRed);
    EXPECT_EQ(P.At(24, 24), clRed);
    EXPECT_EQ(P.At(25, 25), clWhite);
}

TEST(TransparentBitmaps, TopLeftColourShowsTheBackground) {
    TBitmap Glyph(3, 3);
    Glyph.Canvas()->Brush()->SetColor(clFuchsia);
    Glyph.Canvas()->FillRect(Rect(0, 0, 3, 3));
    Glyph.Canvas()->SetPixels(1, 1, clBlue);
    Paper P;
    DrawBitmapTransparent(P.Canvas(), &Glyph, clYellow, Rect(5, 5, 50, 50));
    EXPECT_EQ(P.At(5, 5), clYellow);
    EXPECT_EQ(P.At(6, 6), clBlue);
    EXPECT_EQ(P.At(7, 7), clYellow);
    EXPECT_EQ(P.At(8, 8), clWhite);  // the bitmap's own size

    // The same from a bitmap resource, found ignoring case.
    TMemoryStream Bytes;
    Glyph.SaveToStream(&Bytes);
    RegisterResource(RT_BITMAP, QStringLiteral("TESTGLYPH"), Bytes.Memory(), static_cast<std::size_t>(Bytes.Size()));
    Paper R;
    DrawResourceBitmap(R.Canvas(), clLime, Rect(1, 1, 9, 9), QStringLiteral("TestGlyph"));
    EXPECT_EQ(R.At(1, 1), clLime);
    EXPECT_EQ(R.At(2, 2), clBlue);
    UnregisterResource(RT_BITMAP, QStringLiteral("TESTGLYPH"));
    EXPECT_THROW(DrawResourceBitmap(R.Canvas(), clLime, Rect(1, 1, 9, 9), QStringLiteral("TestGlyph")), EResNotFound);
}

TEST(LayeredCalls, LookedUpAtEachCallAndSuccessWhenMissing) {
    TForm Form(nullptr);
    HWND Wnd = Form.Handle();
    EXPECT_TRUE(CallSetLayeredWindowAttributes(Wnd, 0, 51, LWA_ALPHA));
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 0.2, 0.01);
    {
        const TModuleReplacement NoUser32(QStringLiteral("user32.dll"));
        EXPECT_TRUE(CallSetLayeredWindowAttributes(Wnd, 0, 255, LWA_ALPHA));
        EXPECT_TRUE(CallUpdateLayeredWindow(Wnd, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0));
    }
    {
        const TModuleReplacement Lacking(QStringLiteral("user32.dll"), {});
        EXPECT_TRUE(CallSetLayeredWindowAttributes(Wnd, 0, 255, LWA_ALPHA));
    }
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 0.2, 0.01);  // neither replacement touched the window
    BLENDFUNCTION Blend;
    Blend.SourceConstantAlpha = 255;
    EXPECT_TRUE(CallUpdateLayeredWindow(Wnd, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &Blend, ULW_ALPHA));
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 1.0, 0.01);
    EXPECT_FALSE(CallSetLayeredWindowAttributes(nullptr, 0, 255, LWA_ALPHA));  // the call's own answer
}

}  // namespace
