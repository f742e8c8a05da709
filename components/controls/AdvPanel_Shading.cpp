// The caption's shading effects: ShadeHeader computes the shading bitmap pixel by pixel for one
// of the TShadeType effects; DrawShadedCaption paints the caption band with it inside a
// rectangular, rounded or semi-rounded outline, or with the caption picture.
#include "components/controls/AdvPanel.h"
#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Clock.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/GdiObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace {

// The shading's own random numbers: the process-wide generator is never reseeded, since
// temporary file names rely on it.
class TShadeRandom {
public:
    TShadeRandom() : FEngine(static_cast<std::uint32_t>(GetTickCount64() ^ reinterpret_cast<std::uintptr_t>(this))) {}
    // 0 .. N - 1; 0 when N is 0 or less.
    int Next(int N) { return N <= 0 ? 0 : std::uniform_int_distribution<int>(0, N - 1)(FEngine); }

private:
    std::mt19937 FEngine;
};

// Writes brightness values in the caption colour into a 32-bit opaque bitmap; points outside it are
// ignored.
class TShadePixels {
public:
    TShadePixels(TBitmap* Bitmap, TColor CaptionColor) : FW(Bitmap->Width()), FH(Bitmap->Height()) {
        const TColor C = ColorToRGB(CaptionColor);
        FR = GetRValue(C);
        FG = GetGValue(C);
        FB = GetBValue(C);
        FRows.reserve(static_cast<std::size_t>(FH));
        for (int Y = 0; Y < FH; ++Y) FRows.push_back(static_cast<std::uint32_t*>(Bitmap->ScanLine(Y)));
    }

    // Brightness L (kept within 0 .. 255) scales each channel of the caption colour.
    void Set(int X, int Y, int L) {
        if (X < 0 || Y < 0 || X >= FW || Y >= FH) return;
        L = std::clamp(L, 0, 255);
        FRows[static_cast<std::size_t>(Y)][X] = 0xFF000000u | (std::uint32_t(FR * L / 255) << 16) |
                                                (std::uint32_t(FG * L / 255) << 8) | std::uint32_t(FB * L / 255);
    }
    // The blue channel of a pixel, -1 outside.
    int Blue(int X, int Y) const {
        if (X < 0 || Y < 0 || X >= FW || Y >= FH) return -1;
        return static_cast<int>(FRows[static_cast<std::size_t>(Y)][X] & 0xFF);
    }
    void Fill(std::uint32_t Pixel) {
        for (std::uint32_t* Row : FRows) std::fill(Row, Row + FW, Pixel);
    }

private:
    int FW;
    int FH;
    int FR = 0;
    int FG = 0;
    int FB = 0;
    std::vector<std::uint32_t*> FRows;
};

// k of the bumps: a cubic of u (-127 .. 128) scaled to about 8 .. 248.
int bump(int U, int Scale) { return (((U * U * U) / 128 / 128) * Scale) / 128 + 128; }

void shadeRows(TShadePixels& P, int W, int H, const std::function<int(int Y)>& L) {
    for (int Y = 0; Y <= H; ++Y) {
        const int V = L(Y);
        for (int X = 0; X <= W; ++X) P.Set(X, Y, V);
    }
}

void shadeColumns(TShadePixels& P, int W, int H, const std::function<int(int X)>& L) {
    for (int X = 0; X <= W; ++X) {
        const int V = L(X);
        for (int Y = 0; Y <= H; ++Y) P.Set(X, Y, V);
    }
}

void shadeMetal(TShadePixels& P, int W, int H, int S, bool Right) {
    TShadeRandom Random;
    for (int Stroke = 0; Stroke < 251; ++Stroke) {
        const int CX = Random.Next(W);
        const int CY = Random.Next(H);
        const int N = Random.Next(std::min(W, H) / 2);
        const int L = S - Random.Next(40);
        for (int I = 0; I < N; ++I) {
            if (Right) {
                if (CX - I > 0 && CY + I < H) P.Set(CX - I, CY + I, L);
                if (CX + I < W && CY - I > 0) P.Set(CX + I, CY - I, L);
            } else {
                if (CX + I < W && CY + I < H) P.Set(CX + I, CY + I, L);
                if (CX - I > 0 && CY - I > 0) P.Set(CX - I, CY - I, L);
            }
        }
    }
    for (int X = 0; X <= W; ++X)
        for (int Y = 0; Y <= H; ++Y) {
            const int Blue = P.Blue(X, Y);
            if (Blue >= 0) P.Set(X, Y, S - (S - Blue + (120 * X) / W + (120 * Y) / H) / 2);
        }
}

void shadeHardBump(TShadePixels& P, int W, int H, int S) {
    shadeRows(P, W, H, [&](int Y) { return S - bump((255 * Y) / H - 127, 112) / 2; });
    // Rounded ends; a band too small for them (under 6 pixels wide or 2 high) keeps square ends.
    const int C = std::min(W / 6, 16);
    const int Q = (H * H) / 4;
    if (C == 0 || Q == 0) return;
    for (int Y = 0; Y <= H; ++Y)
        for (int X = 0; X <= W; ++X) {
            const int DY = Y - H / 2;
            const int DX = X - W / 2;
            const int E = (DY * DY * C) / Q + W / 2 - C;
            if (DX > E) P.Set(X, Y, S - (((W - X) * 128) / C + 8) / 2);
            if (DX + E < 0) P.Set(X, Y, S - (247 - (X * 128) / C) / 2);
        }
}

void shadeRadial(TShadePixels& P, int W, int H, int S, bool Inner) {
    const double D = static_cast<double>(Round(std::sqrt(double(W) * W + double(H) * H)));
    for (int X = 0; X <= W / 2; ++X)
        for (int Y = 0; Y <= H / 2; ++Y) {
            const double DX = X - W / 2;
            const double DY = Y - H / 2;
            const double Dist = static_cast<double>(Round(std::sqrt(DX * DX + DY * DY)));
            const int L = static_cast<int>(Round((Inner ? D - Dist : Dist) / D * S));
            P.Set(X, Y, L);
            P.Set(W - X, H - Y, L);
            P.Set(W - X, Y, L);
            P.Set(X, H - Y, L);
        }
}

}  // namespace

void TCustomAdvPanel::ShadeHeader() {
    const bool Top = FCaption->Position() == cpTop;
    int W = Top ? Width() : FCaption->Height();
    int H = Top ? FCaption->Height() : Height();
    if (W <= 0) W = Top ? 100 : 20;
    if (H <= 0) H = Top ? 20 : 100;
    // Opaque pixels: drawn as they are, without a copy that drops an alpha channel.
    FShadedHeader->SetPixelFormat(pfDevice);
    FShadedHeader->SetSize(W, H);
    TShadePixels P(FShadedHeader.get(), FCaption->Color());
    P.Fill(0xFFFFFFFFu);
    // Brightness above 255 shades as 255.
    const int S = std::min(FCaption->ShadeLight(), 255);
    switch (FCaption->ShadeType()) {
        case stNoise: {
            TShadeRandom Random;
            for (int X = 0; X <= W; ++X)
                for (int Y = 0; Y <= H; ++Y) P.Set(X, Y, S - (Random.Next(FCaption->ShadeGrain()) + 128) / 2);
            break;
        }
        case stDiagShade:
            // 255: the blue channel of the white fill.
            for (int X = 0; X <= W; ++X)
                for (int Y = 0; Y <= H; ++Y) P.Set(X, Y, S - (S - 255 + (129 * X) / W + (129 * Y) / H) / 2);
            break;
        case stHShade:
            shadeColumns(P, W, H, [&](int X) { return S - (((W - X) * 239) / W + 8) / 2; });
            break;
        case stHShadeInv:
            shadeColumns(P, W, H, [&](int X) { return S - ((X * 239) / W + 8) / 2; });
            break;
        case stVShade:
            shadeRows(P, W, H, [&](int Y) { return S - ((239 * Y) / H + 8) / 4; });
            break;
        case stVShadeInv:
            shadeRows(P, W, H, [&](int Y) { return S - ((239 * (H - Y)) / H + 8) / 4; });
            break;
        case stHBump:
            shadeColumns(P, W, H, [&](int X) { return S - bump(((W - X) * 255) / W - 127, 120) / 2; });
            break;
        case stVBump:
            shadeRows(P, W, H, [&](int Y) { return S - bump((255 * Y) / H - 127, 120) / 2; });
            break;
        case stSoftBump:
            for (int Y = 0; Y <= H; ++Y) {
                const int V = (255 * Y) / H - 127;
                for (int X = 0; X <= W; ++X) {
                    const int U = ((W - X) * 255) / W - 127;
                    const int K =
                        std::clamp(((((V * V * V) / 128 / 128) + ((U * U * U) / 128 / 128)) * 120) / 128 + 128, 8, 247);
                    P.Set(X, Y, S - K / 2);
                }
            }
            break;
        case stHardBump:
            shadeHardBump(P, W, H, S);
            break;
        case stLMetal:
        case stRMetal:
            shadeMetal(P, W, H, S, FCaption->ShadeType() == stRMetal);
            break;
        case stIRadial:
        case stORadial:
            shadeRadial(P, W, H, S, FCaption->ShadeType() == stIRadial);
            break;
        case stNormal:
        case stXPCaption:
        case stBitmap:
        case stBitmapRStretch:
        case stBitmapLStretch: {
            const TColor C = ColorToRGB(FCaption->Color());
            P.Fill(0xFF000000u | (std::uint32_t(GetRValue(C)) << 16) | (std::uint32_t(GetGValue(C)) << 8) |
                   GetBValue(C));
            break;
        }
    }
}

void TCustomAdvPanel::DrawShadedCaption(TCanvas* ACanvas, const TRect& CR) {
    int L = CR.Left, T = CR.Top, R = CR.Right, B = CR.Bottom;
    const TShadeType Shade = FCaption->ShadeType();
    if (Shade == stXPCaption) return;
    if (Shade == stBitmap || Shade == stBitmapRStretch || Shade == stBitmapLStretch) {
        TBitmap* Picture = FCaption->Background();
        if (Picture->Empty()) return;
        const int BW = Picture->Width();
        const int BH = Picture->Height();
        TCanvas* Source = Picture->Canvas();
        const bool Top = FCaption->Position() == cpTop;
        if (Shade == stBitmapLStretch) {
            if (Top) {
                const int Off = std::max(0, Width() - BW);
                ACanvas->Draw(L + Off, T, Picture);
                ACanvas->CopyRect(Rect(0, T, Off, B), Source, Rect(0, 0, 2, BH));
            } else {
                const int Off = std::max(0, Height() - BH);
                ACanvas->Draw(L, T, Picture);
                ACanvas->CopyRect(Rect(0, B - Off, R, B), Source, Rect(0, BH - 3, BW, BH));
            }
        } else if (Shade == stBitmapRStretch) {
            if (Top) {
                ACanvas->Draw(L, T, Picture);
                ACanvas->CopyRect(Rect(BW, T, R, B), Source, Rect(BW - 3, 0, BW, BH));
            } else {
                ACanvas->Draw(L, B - BH, Picture);
                ACanvas->CopyRect(Rect(L, T, R, B - BH), Source, Rect(0, 0, BW, 3));
            }
        } else {
            ACanvas->StretchDraw(CR, Picture);
        }
        return;
    }
    const HDC DC = ACanvas->Handle();
    // Clip regions are in device units: a canvas whose origin was moved (a panel painted into
    // another window's image) places them where the logical rectangle lands.
    const auto rectRgn = [DC](int X1, int Y1, int X2, int Y2) {
        TPoint P[2] = {{X1, Y1}, {X2, Y2}};
        LPtoDP(DC, P, 2);
        return CreateRectRgn(P[0].X, P[0].Y, P[1].X, P[1].Y);
    };
    const auto roundRgn = [DC](int X1, int Y1, int X2, int Y2) {
        TPoint P[2] = {{X1, Y1}, {X2, Y2}};
        LPtoDP(DC, P, 2);
        return CreateRoundRectRgn(P[0].X, P[0].Y, P[1].X, P[1].Y, 32, 32);
    };
    const auto clipTo = [DC](HRGN Region) { SelectClipRgn(DC, Region); };
    const auto unclip = [DC] { SelectClipRgn(DC, nullptr); };
    const auto outline = [ACanvas](TColor Color, std::initializer_list<TPoint> Points) {
        ACanvas->Pen()->SetColor(Color);
        ACanvas->Polyline(std::vector<TPoint>(Points));
    };
    const auto roundedOutlines = [&] {
        // Grey on the lower half, white on the upper half.
        HRGN Lower = roundRgn(L, T + (B - T) / 2, R, B);
        clipTo(Lower);
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->RoundRect(L, T, R, B, 32, 32);
        HRGN Upper = roundRgn(L, T, R, B - (B - T) / 2);
        clipTo(Upper);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->RoundRect(L, T, R, B, 32, 32);
        unclip();
        DeleteObject(Lower);
        DeleteObject(Upper);
    };
    ACanvas->Pen()->SetWidth(1);
    HRGN Region = nullptr;
    switch (FCaption->Shape()) {
        case advpanel::csRectangle:
            if (!FCaption->Flat()) {
                outline(clGray, {{L, B - 1}, {R - 1, B - 1}, {R - 1, T}});
                outline(clWhite, {{R - 1, T}, {L, T}, {L, B - 1}});
                ++L;
                ++T;
                --R;
                --B;
            }
            Region = rectRgn(L, T, R, B);
            break;
        case advpanel::csRounded:
            roundedOutlines();
            outline(clGray, {{L + 16, B - 1}, {R - 16, B - 1}});
            ++T;
            Region = roundRgn(L, T, R, B);
            break;
        case advpanel::csSemiRounded: {
            roundedOutlines();
            outline(clWhite, {{L + (R - L) / 2, T}, {L, T}, {L, B - 1}});
            outline(clGray, {{L, B - 1}, {R - 16, B - 1}});
            ++T;
            ++L;
            // Square corners on the left half, round ones on the right.
            Region = roundRgn(L, T, R, B);
            HRGN Square = rectRgn(L, T, R - (R - L) / 2, B - 1);
            CombineRgn(Region, Region, Square, RGN_OR);
            DeleteObject(Square);
            break;
        }
    }
    clipTo(Region);
    ACanvas->Draw(L, T, FShadedHeader.get());
    unclip();
    DeleteObject(Region);
}
