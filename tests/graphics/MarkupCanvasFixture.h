// A white 300 x 200 bitmap with black 8-point text, for the renderer tests, and the pixel probes
// they share.
#pragma once

#include "framework/ui/Graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

class MarkupCanvasFixture : public ::testing::Test {
protected:
    static constexpr int W = 300, H = 200;
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>(W, H);
    TCanvas* Canvas = Bitmap->Canvas();

    void SetUp() override {
        clear();
        Canvas->Font()->SetName(QStringLiteral("Tahoma"));
        Canvas->Font()->SetSize(8);
        Canvas->Font()->SetColor(clBlack);
    }
    void clear() {
        Canvas->Brush()->SetColor(clWhite);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->FillRect(Rect(0, 0, W, H));
    }

    int gh() { return Canvas->TextHeight(QStringLiteral("gh")); }
    int width(const String& S) { return Canvas->TextWidth(S); }

    // Pixels in R (clipped to the bitmap) that Match accepts.
    int count(const TRect& R, const std::function<bool(TColor)>& Match) {
        int N = 0;
        for (int Y = std::max(0, R.Top); Y < std::min(H, R.Bottom); ++Y)
            for (int X = std::max(0, R.Left); X < std::min(W, R.Right); ++X)
                if (Match(Canvas->Pixels(X, Y))) ++N;
        return N;
    }
    int ink(const TRect& R) {
        return count(R, [](TColor C) { return C != clWhite; });
    }
    // Leftmost and rightmost columns with ink in R (-1 when none).
    std::pair<int, int> inkColumns(const TRect& R) {
        int L = -1, Rt = -1;
        for (int X = std::max(0, R.Left); X < std::min(W, R.Right); ++X)
            if (ink(Rect(X, R.Top, X + 1, R.Bottom)) > 0) {
                if (L < 0) L = X;
                Rt = X;
            }
        return {L, Rt};
    }
    static bool isRed(TColor C) { return GetRValue(C) > 200 && GetGValue(C) < 60 && GetBValue(C) < 60; }
    static bool isGreen(TColor C) { return GetGValue(C) > 200 && GetRValue(C) < 60 && GetBValue(C) < 60; }
    static bool isBlue(TColor C) { return GetBValue(C) > 200 && GetRValue(C) < 60 && GetGValue(C) < 60; }
    static bool isYellow(TColor C) { return GetRValue(C) > 200 && GetGValue(C) > 200 && GetBValue(C) < 60; }
    static bool isBlack(TColor C) { return GetRValue(C) < 60 && GetGValue(C) < 60 && GetBValue(C) < 60; }
};
