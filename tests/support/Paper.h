// A white offscreen canvas to draw on and read back pixel by pixel.
#pragma once

#include "framework/ui/Graphics.h"

#include <algorithm>
#include <functional>
#include <string>

// The bounding box of the pixels in Area that Match accepts; empty when there are none.
inline TRect BoundsOf(TBitmap* Img, const TRect& Area, const std::function<bool(TColor)>& Match) {
    TRect B = Rect(0, 0, 0, 0);
    bool Any = false;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
        for (int X = Area.Left; X < Area.Right; ++X) {
            if (!Match(Img->Canvas()->Pixels(X, Y))) continue;
            if (!Any) B = Rect(X, Y, X + 1, Y + 1);
            B = Rect(std::min(B.Left, X), std::min(B.Top, Y), std::max(B.Right, X + 1), std::max(B.Bottom, Y + 1));
            Any = true;
        }
    return B;
}

class Paper {
public:
    explicit Paper(int W = 60, int H = 30) : FBitmap(W, H), FW(W), FH(H) {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(Rect(0, 0, W, H));
    }
    TCanvas* Canvas() { return FBitmap.Canvas(); }
    TBitmap* Bitmap() { return &FBitmap; }
    TColor At(int X, int Y) { return Canvas()->Pixels(X, Y); }
    // Inclusive bounds of the pixels that are not white; Left > Right when there are none.
    TRect Painted() {
        TRect R{999, 999, -1, -1};
        for (int Y = 0; Y < FH; ++Y)
            for (int X = 0; X < FW; ++X)
                if (At(X, Y) != clWhite) {
                    R.Left = std::min(R.Left, X), R.Top = std::min(R.Top, Y);
                    R.Right = std::max(R.Right, X), R.Bottom = std::max(R.Bottom, Y);
                }
        return R;
    }
    int Count(TColor Color) {
        int N = 0;
        for (int Y = 0; Y < FH; ++Y)
            for (int X = 0; X < FW; ++X) N += At(X, Y) == Color;
        return N;
    }
    // Pixels that differ from Other's; the first one in Where.
    int Differences(Paper& Other, std::string& Where) {
        int N = 0;
        for (int Y = 0; Y < FH; ++Y)
            for (int X = 0; X < FW; ++X)
                if (At(X, Y) != Other.At(X, Y) && N++ == 0) Where = std::to_string(X) + "," + std::to_string(Y);
        return N;
    }

private:
    TBitmap FBitmap;
    int FW, FH;
};
