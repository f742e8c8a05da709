#include "framework/ui/FrameControls.h"
#include "framework/ui/Graphics.h"

#include <gtest/gtest.h>

namespace {

// A bitmap filled with white, to draw one frame on.
struct Surface {
    TBitmap Bitmap{30, 30};
    Surface() {
        Bitmap.Canvas()->Brush()->SetColor(clWhite);
        Bitmap.Canvas()->FillRect(Rect(0, 0, 30, 30));
    }
    HDC DC() { return Bitmap.Canvas()->Handle(); }
    TColor At(int X, int Y) { return Bitmap.Canvas()->Pixels(X, Y); }
    int Count(TColor Color) {
        int N = 0;
        for (int Y = 0; Y < 30; ++Y)
            for (int X = 0; X < 30; ++X) N += At(X, Y) == ColorToRGB(Color);
        return N;
    }
};

TEST(DrawEdge, RingsInTheSystemColoursAndAdjust) {
    struct Case {
        UINT Edge;
        UINT Flags;
        TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
    };
    const Case Cases[] = {
        {EDGE_RAISED, BF_RECT, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {EDGE_RAISED, BF_RECT | BF_SOFT, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
        {EDGE_SUNKEN, BF_RECT, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_ETCHED, BF_RECT, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
    };
    for (const Case& C : Cases) {
        Surface S;
        TRect R = Rect(2, 2, 20, 16);
        ASSERT_TRUE(DrawEdge(S.DC(), &R, C.Edge, C.Flags | BF_ADJUST | BF_MIDDLE));
        EXPECT_EQ(R, Rect(4, 4, 18, 14));
        EXPECT_EQ(S.At(2, 8), ColorToRGB(C.OuterTopLeft)) << C.Edge;
        EXPECT_EQ(S.At(19, 8), ColorToRGB(C.OuterBottomRight)) << C.Edge;
        EXPECT_EQ(S.At(3, 8), ColorToRGB(C.InnerTopLeft)) << C.Edge;
        EXPECT_EQ(S.At(8, 14), ColorToRGB(C.InnerBottomRight)) << C.Edge;
        EXPECT_EQ(S.At(10, 10), ColorToRGB(clBtnFace));
        EXPECT_EQ(S.At(20, 8), clWhite);  // right edge excluded
    }
}

TEST(DrawFrameControl, PushButtonsAndArrowButtonsByState) {
    Surface Normal, Pushed, Flat;
    TRect R = Rect(0, 0, 20, 20);
    DrawFrameControl(Normal.DC(), &R, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawFrameControl(Pushed.DC(), &R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    DrawFrameControl(Flat.DC(), &R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT);
    EXPECT_EQ(Normal.At(0, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Normal.At(19, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pushed.At(0, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Flat.At(0, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Flat.At(19, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Normal.At(10, 10), ColorToRGB(clBtnFace));

    // The combo-box arrow: in the text colour, grey and embossed when inactive, moved when pushed.
    Surface Arrow, Inactive, Down;
    TRect A = Rect(0, 0, 17, 18);
    DrawFrameControl(Arrow.DC(), &A, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    DrawFrameControl(Inactive.DC(), &A, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    DrawFrameControl(Down.DC(), &A, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED);
    EXPECT_GE(Arrow.Count(clBtnText), 9);
    EXPECT_EQ(Inactive.Count(clBtnText), 0);
    EXPECT_GE(Inactive.Count(clBtnHighlight), 9 + 2 * 17);  // the emboss besides the soft border
    int MinX = 99, MinY = 99, DownMinX = 99, DownMinY = 99;
    for (int Y = 0; Y < 18; ++Y)
        for (int X = 0; X < 17; ++X) {
            if (Arrow.At(X, Y) == ColorToRGB(clBtnText)) MinX = std::min(MinX, X), MinY = std::min(MinY, Y);
            if (Down.At(X, Y) == ColorToRGB(clBtnText))
                DownMinX = std::min(DownMinX, X), DownMinY = std::min(DownMinY, Y);
        }
    EXPECT_EQ(DownMinX, MinX + 1);
    EXPECT_EQ(DownMinY, MinY + 1);

    // Up and down arrows point their own way: the widest row is at the bottom of an up arrow.
    Surface Up;
    TRect U = Rect(0, 0, 17, 18);
    DrawFrameControl(Up.DC(), &U, DFC_SCROLL, DFCS_SCROLLUP | DFCS_ADJUSTRECT);
    EXPECT_EQ(U, Rect(2, 2, 15, 16));
    auto RowWidth = [](Surface& S, int Y) {
        int N = 0;
        for (int X = 0; X < 17; ++X) N += S.At(X, Y) == ColorToRGB(clBtnText);
        return N;
    };
    int FirstUp = -1, FirstDown = -1;
    for (int Y = 0; Y < 18 && (FirstUp < 0 || FirstDown < 0); ++Y) {
        if (FirstUp < 0 && RowWidth(Up, Y) > 0) FirstUp = Y;
        if (FirstDown < 0 && RowWidth(Arrow, Y) > 0) FirstDown = Y;
    }
    EXPECT_EQ(RowWidth(Up, FirstUp), 1);
    EXPECT_GT(RowWidth(Arrow, FirstDown), 1);

    Surface Unknown;
    EXPECT_FALSE(DrawFrameControl(Unknown.DC(), &R, 77, 0));
    EXPECT_FALSE(DrawFrameControl(Unknown.DC(), &R, DFC_SCROLL, 0x7F));
}

TEST(DrawFrameControl, CheckBoxShowsItsMarkOnlyWhenChecked) {
    Surface Off, On;
    TRect R = Rect(0, 0, 13, 13);
    DrawFrameControl(Off.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(On.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(Off.Count(clWindowText), 0);
    EXPECT_GT(On.Count(clWindowText), 10);
}

TEST(CanvasText, RotatedFontRunsUpwardFromTheOrigin) {
    TBitmap B(60, 80);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clWhite);
    C->FillRect(Rect(0, 0, 60, 80));
    C->Font()->SetName(QStringLiteral("Arial"));
    C->Font()->SetHeight(-12);
    C->Font()->SetColor(clBlack);
    C->Font()->SetOrientation(900);
    C->Brush()->SetStyle(bsClear);
    const TSize Extent = C->TextExtent(QStringLiteral("WWWW"));
    C->TextOut(20, 70, QStringLiteral("WWWW"));
    int MinX = 99, MaxX = -1, MinY = 99, MaxY = -1;
    for (int Y = 0; Y < 80; ++Y)
        for (int X = 0; X < 60; ++X)
            if (C->Pixels(X, Y) != clWhite) {
                MinX = std::min(MinX, X), MaxX = std::max(MaxX, X);
                MinY = std::min(MinY, Y), MaxY = std::max(MaxY, Y);
            }
    EXPECT_GE(MinX, 20);
    EXPECT_LE(MaxX, 20 + Extent.cy);
    EXPECT_LE(MaxY, 70);
    EXPECT_GE(MinY, 70 - Extent.cx - 1);
    EXPECT_GT(MaxY - MinY, 2 * (MaxX - MinX));  // taller than wide: it reads upwards
}

}  // namespace
