// Reading text ink from rendered pixels whatever face draws it: smoothed edges blend the ink
// with what lies behind, so a glyph may have few or no pixels of the exact ink colour.
#pragma once

#include "framework/ui/Graphics.h"

#include <algorithm>
#include <cstdlib>

// Whether Pixel is Ink laid over Face at half strength or more: on the line from Face to Ink,
// at least half way along it and not past it.
inline bool IsInkOver(TColor Pixel, TColor Face, TColor Ink) {
    const int P[] = {GetRValue(Pixel), GetGValue(Pixel), GetBValue(Pixel)};
    const int F[] = {GetRValue(Face), GetGValue(Face), GetBValue(Face)};
    const int I[] = {GetRValue(Ink), GetGValue(Ink), GetBValue(Ink)};
    int Axis = 0;
    for (int C = 1; C < 3; ++C)
        if (std::abs(I[C] - F[C]) > std::abs(I[Axis] - F[Axis])) Axis = C;
    if (I[Axis] == F[Axis]) return Pixel == Ink;
    const double Along = double(P[Axis] - F[Axis]) / (I[Axis] - F[Axis]);
    if (Along < 0.5 || Along > 1.1) return false;
    for (int C = 0; C < 3; ++C)
        if (std::abs(P[C] - (F[C] + Along * (I[C] - F[C]))) > 24) return false;
    return true;
}

// The pixels of Area that are Ink over Face (IsInkOver); At(X, Y) reads a pixel.
template <class PixelAt>
int InkPixels(PixelAt At, const TRect& Area, TColor Face, TColor Ink) {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
        for (int X = Area.Left; X < Area.Right; ++X) N += IsInkOver(At(X, Y), Face, Ink);
    return N;
}

// The darkest channel of any pixel in Area: the strength of the darkest ink drawn there.
template <class PixelAt>
int DarkestChannel(PixelAt At, const TRect& Area) {
    int Darkest = 255;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
        for (int X = Area.Left; X < Area.Right; ++X) {
            const TColor P = At(X, Y);
            Darkest = std::min({Darkest, int(GetRValue(P)), int(GetGValue(P)), int(GetBValue(P))});
        }
    return Darkest;
}
