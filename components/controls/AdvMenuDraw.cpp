#include "components/controls/AdvMenuDraw.h"

#include "components/controls/AdvMenuStylers.h"

#include <algorithm>
#include <cstring>

using namespace advmenu;

namespace {

struct RGBBytes {
    int R, G, B;
};

RGBBytes splitColor(TColor Color) {
    Byte R, G, B;
    SplitColor(Color, R, G, B);
    return {R, G, B};
}

// The colour T/N of the way from A by D, truncating as integer division does.
RGBBytes stepColor(const RGBBytes& A, const RGBBytes& D, int T, int N) {
    return {A.R + T * D.R / N, A.G + T * D.G / N, A.B + T * D.B / N};
}

TRect intersectRect(const TRect& A, const TRect& B) {
    return Rect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                std::min(A.Bottom, B.Bottom));
}

void writePixels(TBitmap* Bitmap, int Y, int X0, int X1, const RGBBytes& C) {
    auto* Row = static_cast<Byte*>(Bitmap->ScanLine(Y));
    for (int X = X0; X < X1; ++X) {
        Byte* P = Row + 4 * X;
        P[0] = static_cast<Byte>(C.B);
        P[1] = static_cast<Byte>(C.G);
        P[2] = static_cast<Byte>(C.R);
        P[3] = 0;
    }
}

// Pixels written straight into 32-bit rows; a horizontal gradient computes one row and copies it.
// Only the part of R inside the bitmap is written.
void fillBitmap(TBitmap* Bitmap, const TRect& R, TGradientDirection Direction, TColor Color, TColor ColorTo) {
    Bitmap->SetPixelFormat(pf32bit);
    const TRect Clip = intersectRect(R, Rect(0, 0, Bitmap->Width(), Bitmap->Height()));
    if (Clip.IsEmpty()) return;
    const RGBBytes C0 = splitColor(Color);
    if (Color == ColorTo) {
        for (int Y = Clip.Top; Y < Clip.Bottom; ++Y) writePixels(Bitmap, Y, Clip.Left, Clip.Right, C0);
        return;
    }
    const RGBBytes C1 = splitColor(ColorTo);
    const RGBBytes D{C1.R - C0.R, C1.G - C0.G, C1.B - C0.B};
    const int W = R.Width(), H = R.Height();
    if (Direction == gdVertical) {
        for (int Y = Clip.Top; Y < Clip.Bottom; ++Y)
            writePixels(Bitmap, Y, Clip.Left, Clip.Right, stepColor(C0, D, Y - R.Top, H));
        return;
    }
    for (int X = Clip.Left; X < Clip.Right; ++X)
        writePixels(Bitmap, Clip.Top, X, X + 1, stepColor(C0, D, X - R.Left, W));
    const auto* First = static_cast<const Byte*>(Bitmap->ScanLine(Clip.Top)) + 4 * Clip.Left;
    for (int Y = Clip.Top + 1; Y < Clip.Bottom; ++Y)
        std::memcpy(static_cast<Byte*>(Bitmap->ScanLine(Y)) + 4 * Clip.Left, First, 4 * Clip.Width());
}

void solidFill(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, TColor Color) {
    MenuGradientFill(Bitmap, Canvas, R, gdHorizontal, Color, Color);
}

void frameBox(TCanvas* Canvas, const TRect& R, TColor BorderColor) {
    if (BorderColor == clNone) return;
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
}

void paintHorizontalLine(TBitmap* Bitmap, TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TGradientType Type,
                         int GW, int Margin) {
    R.Left += Margin;
    R.Right -= Margin;
    const int W = R.Width();
    if (GW < W) {
        if (Type == gtLeft)
            solidFill(Bitmap, Canvas, Rect(R.Left + GW, R.Top, R.Right, R.Bottom), ColorTo);
        else if (Type == gtRight)
            solidFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Right - GW, R.Bottom), ColorTo);
        else
            solidFill(Bitmap, Canvas, Rect(R.Left + GW / 2, R.Top, R.Right - GW / 2, R.Bottom), Color);
    } else {
        GW = W;
    }
    if (GW <= 0) return;
    if (Type == gtLeft) {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Left + GW, R.Bottom), gdHorizontal, Color, ColorTo);
    } else if (Type == gtRight) {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Right - GW, R.Top, R.Right, R.Bottom), gdHorizontal, ColorTo, Color);
    } else {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Left + GW / 2, R.Bottom), gdHorizontal, ColorTo, Color);
        MenuGradientFill(Bitmap, Canvas, Rect(R.Right - GW / 2, R.Top, R.Right, R.Bottom), gdHorizontal, Color,
                         ColorTo);
    }
}

void paintVerticalLine(TBitmap* Bitmap, TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TGradientType Type,
                       int GW, int Margin) {
    R.Top += Margin;
    R.Bottom -= Margin;
    // Each end of a vertical line fades over the whole GradientWidth.
    if (Type == gtBoth) GW *= 2;
    const int H = R.Height();
    if (GW < H) {
        if (Type == gtLeft)
            solidFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Right, R.Bottom - GW), ColorTo);
        else if (Type == gtRight)
            solidFill(Bitmap, Canvas, Rect(R.Left, R.Top + GW, R.Right, R.Bottom), ColorTo);
        else
            solidFill(Bitmap, Canvas, Rect(R.Left, R.Top + GW / 2, R.Right, R.Bottom - GW / 2), Color);
    } else {
        GW = H;
    }
    if (GW <= 0) return;
    if (Type == gtLeft) {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Bottom - GW, R.Right, R.Bottom), gdVertical, ColorTo, Color);
    } else if (Type == gtRight) {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Right, R.Top + GW), gdVertical, Color, ColorTo);
    } else {
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Right, R.Top + GW / 2), gdVertical, ColorTo, Color);
        MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Bottom - GW / 2, R.Right, R.Bottom), gdVertical, Color,
                         ColorTo);
    }
}

}  // namespace

int RectWidth(const TRect& R) { return R.Right - R.Left; }

int RectHeight(const TRect& R) { return R.Bottom - R.Top; }

void CenterRectSize(TRect& R, int W, int H) {
    R.Right = (R.Left + R.Right + W) / 2;
    R.Bottom = (R.Top + R.Bottom + H) / 2;
    R.Left = R.Right - W;
    R.Top = R.Bottom - H;
}

TRect GraphicBounds(TGraphic* Graphic) {
    if (!Graphic) return Rect(0, 0, 0, 0);
    return Rect(0, 0, Graphic->Width(), Graphic->Height());
}

void SplitColor(TColor Color, Byte& Red, Byte& Green, Byte& Blue) {
    const TColor C = ColorToRGB(Color);
    Red = GetRValue(C);
    Green = GetGValue(C);
    Blue = GetBValue(C);
}

TColor MakeRGBA(Byte Red, Byte Green, Byte Blue, Byte Alpha) {
    return static_cast<TColor>(Red | (Green << 8) | (Blue << 16) | (static_cast<std::uint32_t>(Alpha) << 24));
}

int IntMin(int A, int B) { return A < B ? A : B; }

int IntMax(int A, int B) { return A > B ? A : B; }

HFONT CreateRotatedFont(TFont* Font, int Angle) {
    LOGFONTW LF{};
    LF.lfHeight = Font->Height();
    LF.lfWidth = 0;
    LF.lfEscapement = Angle * 10;
    LF.lfOrientation = 0;
    const TFontStyles Style = Font->Style();
    LF.lfWeight = Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    LF.lfItalic = Style.Contains(fsItalic) ? 1 : 0;
    LF.lfUnderline = Style.Contains(fsUnderline) ? 1 : 0;
    LF.lfStrikeOut = Style.Contains(fsStrikeOut) ? 1 : 0;
    LF.lfCharSet = DEFAULT_CHARSET;
    SetLogFontFaceName(LF, Font->Name());
    LF.lfQuality = 0;
    LF.lfOutPrecision = 0;
    LF.lfClipPrecision = 0;
    LF.lfPitchAndFamily = Font->Pitch() == fpVariable ? VARIABLE_PITCH
                          : Font->Pitch() == fpFixed  ? FIXED_PITCH
                                                      : DEFAULT_PITCH;
    return CreateFontIndirectW(&LF);
}

void MenuGradientFill(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor Color,
                      TColor ColorTo) {
    if (ColorTo == clNone) ColorTo = Color;
    // No colour paints nothing, whichever form.
    if (Color == clNone) return;
    if (Bitmap) return fillBitmap(Bitmap, R, Direction, Color, ColorTo);
    if (!Canvas) return;
    const int W = R.Width(), H = R.Height();
    if (Color == ColorTo) {
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
        return;
    }
    if (H <= 0 || W <= 0) return;
    const RGBBytes C0 = splitColor(Color), C1 = splitColor(ColorTo);
    const RGBBytes D{C1.R - C0.R, C1.G - C0.G, C1.B - C0.B};
    // One line of colours, stretched across the rectangle in a single drawing: the same pixels
    // as a line per step, at a fraction of the cost.
    const bool Vertical = Direction == gdVertical;
    const int N = Vertical ? H : W;
    TBitmap Strip(Vertical ? 1 : N, Vertical ? N : 1);
    for (int I = 0; I < N; ++I) {
        const RGBBytes C = stepColor(C0, D, I, N);
        auto* P = static_cast<Byte*>(Strip.ScanLine(Vertical ? I : 0)) + (Vertical ? 0 : 4 * I);
        P[0] = static_cast<Byte>(C.B), P[1] = static_cast<Byte>(C.G), P[2] = static_cast<Byte>(C.R), P[3] = 255;
    }
    Canvas->StretchDraw(R, &Strip);
}

void MenuGradientSection(TBitmap* Bitmap, TCanvas* Canvas, const TRect& FullRect, const TRect& ClipRect, TColor Color,
                         TColor ColorTo, TGradientDirection Direction) {
    const TRect R = intersectRect(ClipRect, FullRect);
    if (R.IsEmpty()) return;
    if (ColorTo == clNone) ColorTo = Color;
    if (Color == clNone) return;
    const bool Horizontal = Direction == gdHorizontal;
    const int L = Horizontal ? FullRect.Width() : FullRect.Height();
    const int S = Horizontal ? R.Left - FullRect.Left : R.Top - FullRect.Top;
    const int E = Horizontal ? R.Right - FullRect.Left : R.Bottom - FullRect.Top;
    const RGBBytes C0 = splitColor(Color), C1 = splitColor(ColorTo);
    const RGBBytes D{C1.R - C0.R, C1.G - C0.G, C1.B - C0.B};
    const RGBBytes From = stepColor(C0, D, S, L), To = stepColor(C0, D, E, L);
    MenuGradientFill(Bitmap, Canvas, R, Direction, RGB(From.R, From.G, From.B), RGB(To.R, To.G, To.B));
}

void MenuGradientBox(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, bool Fill, TColor BorderColor,
                     TGradientDirection Direction, TColor Color, TColor ColorTo) {
    if (Fill && Color != clNone) MenuGradientFill(Bitmap, Canvas, R, Direction, Color, ColorTo);
    frameBox(Canvas, R, BorderColor);
}

void MenuMirrorGradientBox(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, bool Fill, TColor BorderColor,
                           TGradientDirection Direction, TColor Color, TColor ColorTo, TColor ColorMirror,
                           TColor ColorMirrorTo) {
    if (Fill && Color != clNone) {
        if (ColorMirror == clNone) {
            MenuGradientFill(Bitmap, Canvas, R, Direction, Color, ColorTo);
        } else {
            const int Middle = R.Top + R.Height() / 2;
            MenuGradientFill(Bitmap, Canvas, Rect(R.Left, R.Top, R.Right, Middle), Direction, Color, ColorTo);
            MenuGradientFill(Bitmap, Canvas, Rect(R.Left, Middle, R.Right, R.Bottom), Direction, ColorMirror,
                             ColorMirrorTo);
        }
    }
    frameBox(Canvas, R, BorderColor);
}

void MenuGradientLine(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo,
                      TGradientDirection Direction, TGradientType GradientType, int GradientWidth, int Margin) {
    if (ColorTo == clNone) ColorTo = Color;
    if (Direction == gdHorizontal)
        paintHorizontalLine(Bitmap, Canvas, R, Color, ColorTo, GradientType, GradientWidth, Margin);
    else
        paintVerticalLine(Bitmap, Canvas, R, Color, ColorTo, GradientType, GradientWidth, Margin);
}

void DrawMenuBackground(TCanvas* Canvas, const TRect& R, TBackground* Background, bool AllowGradient) {
    if (!Canvas || !Background) return;
    const TRect Inner = Rect(R.Left + Background->MarginX(), R.Top + Background->MarginY(),
                             R.Right - Background->MarginX(), R.Bottom - Background->MarginY());
    if (Inner.IsEmpty()) return;
    const int W = Inner.Width(), H = Inner.Height();
    TBitmap* Work = Background->Bitmap();
    Work->SetSize(W, H);
    const bool Present = Background->HasPicture();
    TGraphic* Picture = Present ? Background->Image()->Graphic() : nullptr;
    const TBackgroundPosition Position = Background->Position();
    auto* PictureBitmap = dynamic_cast<TBitmap*>(Picture);
    const bool Gradient = AllowGradient && Background->Color() != clNone &&
                          (!Present || (Position != bpTiled && Position != bpStretched) ||
                           (PictureBitmap && PictureBitmap->Transparent()));
    TCanvas* WorkCanvas = Work->Canvas();
    if (Gradient) {
        MenuGradientFill(nullptr, WorkCanvas, Rect(0, 0, W, H), Background->GradientDirection(), Background->Color(),
                         Background->ColorTo());
    } else {
        // Where no gradient goes, what the canvas shows already stays, rather than stale pixels.
        WorkCanvas->CopyRect(Rect(0, 0, W, H), Canvas, Inner);
    }
    if (Present) {
        const int PW = Picture->Width(), PH = Picture->Height();
        if (Position == bpTiled) {
            if (PW >= 1 && PH >= 1)
                for (int Y = 0; Y < H; Y += PH)
                    for (int X = 0; X < W; X += PW) WorkCanvas->Draw(X, Y, Picture);
        } else if (Position == bpStretched) {
            WorkCanvas->StretchDraw(Rect(0, 0, W, H), Picture);
        } else if (Position == bpXY) {
            WorkCanvas->Draw(Background->OffsetX(), Background->OffsetY(), Picture);
        } else {
            int X = 0, Y = 0;
            Background->CalcPicturePosition(Rect(0, 0, W, H), X, Y);
            WorkCanvas->Draw(X, Y, Picture);
        }
    }
    Canvas->Draw(Inner.Left, Inner.Top, Work);
}
