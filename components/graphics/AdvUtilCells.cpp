// Cell shapes, multi-level cell bars, classic two-colour bars and progress pies.
#include "components/graphics/AdvUtilCells.h"

#include "components/graphics/AdvUtilDraw.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

int roundInt(Extended X) { return static_cast<int>(Round(X)); }

std::vector<TPoint> starPoints(int X, int Y, int W, int H, std::initializer_list<int> Indexes) {
    const int CX = X + W / 2, CY = Y + H / 2;
    std::vector<TPoint> Points;
    for (int K : Indexes) {
        const Extended A = K * 36 * std::numbers::pi_v<Extended> / 180;
        const Extended RX = K % 2 == 0 ? W / 2 : (W / 2) / 3.0L;
        const Extended RY = K % 2 == 0 ? H / 2 : (H / 2) / 3.0L;
        Points.push_back({CX + roundInt(std::sin(A) * RX), CY - roundInt(std::cos(A) * RY)});
    }
    return Points;
}

// The blocks of a non-smooth bar filled over N pixels: 7-pixel blocks with 2-pixel gaps.
std::vector<TRect> barBlocks(const TRect& R, int N, bool Vertical) {
    std::vector<TRect> Blocks;
    auto Block = [&](int Offset, int Length) {
        // Offset counts from the bar's start edge (left, or bottom when vertical).
        if (Vertical)
            Blocks.push_back({R.Left + 2, R.Bottom - Offset - Length, R.Right - 2, R.Bottom - Offset});
        else
            Blocks.push_back({R.Left + Offset, R.Top + 2, R.Left + Offset + Length, R.Bottom - 2});
    };
    if (N < 10) {
        if (N > 1) Block(2, N - 1);
        return Blocks;
    }
    int Offset = 2;
    Block(Offset, 7);
    for (int I = 1; I < N / 9; ++I) {
        Offset += 9;
        Block(Offset, 7);
    }
    if (N % 9 > 2) Block(Offset + 9, N % 9 - 1);
    return Blocks;
}

}  // namespace

TLevelColors ProgressLevelColors(const TProgressLook& Look, int Percent, int Level1Perc, int Level2Perc) {
    if (Percent < Level1Perc) return {Look.Level0Color, Look.Level0ColorTo};
    if (Percent < Level2Perc) return {Look.Level1Color, Look.Level1ColorTo};
    if (Percent > 99) return {Look.Level3Color, Look.Level3ColorTo};
    return {Look.Level2Color, Look.Level2ColorTo};
}

void FillProgressPart(TCanvas* Canvas, const TRect& R, TLevelColors Colors, const TProgressLook& Look, bool Vertical,
                      TProgressBandFill Bands) {
    if (R.IsEmpty()) return;
    if (!Look.ShowGradient) {
        FillRectColor(Canvas, R, Colors.Color);
        return;
    }
    TRect First = R, Second = R;
    if (Vertical)
        First.Right = Second.Left = R.Left + R.Width() / 2;
    else
        First.Bottom = Second.Top = R.Top + R.Height() / 2;
    if (!Bands)
        Bands = [](TCanvas* C, const TRect& Half, TColor From, TColor To, int Steps, bool V) {
            DrawGradient(C, From, To, Steps, Half, V);
        };
    Bands(Canvas, First, Colors.ColorTo, Colors.Color, Look.Steps, Vertical);
    Bands(Canvas, Second, Colors.Color, Colors.ColorTo, Look.Steps, Vertical);
}

void DrawProgressText(TCanvas* Canvas, const TRect& R, const String& Text, bool Vertical) {
    Canvas->Brush()->SetStyle(bsClear);
    const TSize Extent = Canvas->TextExtent(Text);
    const int MidX = R.Left + R.Width() / 2, MidY = R.Top + R.Height() / 2;
    if (!Vertical) {
        Canvas->TextOut(MidX - Extent.cx / 2, MidY - Extent.cy / 2, Text);
        return;
    }
    // Reads upwards: the rotated text cell grows to the right of X and up from Y.
    const int Saved = Canvas->Font()->Orientation();
    Canvas->Font()->SetOrientation(900);
    Canvas->TextOut(MidX - Extent.cy / 2, MidY + Extent.cx / 2, Text);
    Canvas->Font()->SetOrientation(Saved);
}

void DrawCellShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor BrushColor,
                   TColor PenColor) {
    Canvas->Brush()->SetColor(BrushColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(PenColor);
    Canvas->Pen()->SetStyle(psSolid);
    if ((Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) && Width != Height)
        Width = Height = std::min(Width, Height);
    const int W = Width, H = Height, CX = X + W / 2, CY = Y + H / 2, Right = X + W, Bottom = Y + H;
    const int E = W / 2 * 2, QL = X + E / 4, QR = X + 3 * (E / 4);
    const int F = H / 2 * 2, Q = F / 4;
    switch (Shape) {
        case csRectangle:
        case csSquare:
            Canvas->Rectangle(X + 1, Y + 1, Right - 1, Bottom - 1);
            break;
        case csCircle:
        case csEllips:
            Canvas->Ellipse(X, Y, Right, Bottom);
            break;
        case csTriangleLeft:
            Canvas->Polygon({{Right, Y}, {Right, Bottom}, {X, CY}});
            break;
        case csTriangleRight:
            Canvas->Polygon({{X, Y}, {X, Bottom}, {Right, CY}});
            break;
        case csTriangleUp:
            Canvas->Polygon({{X, Bottom}, {Right, Bottom}, {CX, Y}});
            break;
        case csTriangleDown:
            Canvas->Polygon({{X, Y}, {Right, Y}, {CX, Bottom}});
            break;
        case csDiamond:
            Canvas->Polygon({{X, CY}, {CX, Y}, {X + 2 * (W / 2), CY}, {CX, Y + 2 * (H / 2)}});
            break;
        case csLineVert:
            Canvas->Rectangle(CX, Y, CX + 1, Bottom);
            break;
        case csLineHorz:
            Canvas->Rectangle(X, CY, Right, CY + 1);
            break;
        case csRoundRect:
        case csRoundSquare:
            Canvas->RoundRect(X, Y, Right, Bottom, 10, 10);
            break;
        case csStar:
            Canvas->Polygon(starPoints(X, Y, W, H, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
            break;
        case csHalfStar:
            Canvas->Polygon(starPoints(X, Y, W, H, {0, 5, 6, 7, 8, 9}));
            break;
        case csArrowUp:
            Canvas->Polygon({{X, CY}, {X + E / 2, Y}, {X + E, CY}, {QR, CY}, {QR, Bottom}, {QL, Bottom}, {QL, CY}});
            break;
        case csArrowDown:
            Canvas->Polygon({{X, CY}, {X + E / 2, Bottom}, {X + E, CY}, {QR, CY}, {QR, Y}, {QL, Y}, {QL, CY}});
            break;
        case csArrowLeft:
            Canvas->Polygon({{X, Y + F / 2},
                             {CX, Y},
                             {CX, Y + Q},
                             {Right, Y + Q},
                             {Right, Y + 3 * Q},
                             {CX, Y + 3 * Q},
                             {CX, Y + F}});
            break;
        case csArrowRight:
            Canvas->Polygon(
                {{Right, Y + F / 2}, {CX, Y}, {CX, Y + Q}, {X, Y + Q}, {X, Y + 3 * Q}, {CX, Y + 3 * Q}, {CX, Y + F}});
            break;
    }
}

void DrawCellProgress(TCanvas* Canvas, const TRect& Rect, int Position, TProgressLook Look) {
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    const bool Vertical = Look.Orientation == goVertical;
    const int Size = (Vertical ? B - T : R - L) - 2;
    const TColor FramePen = Look.ShowBorder ? Look.BorderColor : Look.BackgroundColor;
    Canvas->Brush()->SetColor(Look.BackgroundColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(FramePen);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(L, T, R, B);

    // Beyond 100 the bar stops at the frame; the text still shows the position.
    const int Bar = std::min(Position, 100);
    if (Bar > 0 && Look.Stacked) {
        const int Len0 = roundInt(std::min(Bar, Look.Level1Perc) / 100.0L * Size);
        const int Len1 = roundInt((std::min(Bar, Look.Level2Perc) - Look.Level1Perc) / 100.0L * Size);
        const int Len2 = Bar == 100 ? Size - Len0 - Len1 : roundInt((Bar - Look.Level2Perc) / 100.0L * Size);
        const TLevelColors Colors[3] = {{Look.Level0Color, Look.Level0ColorTo},
                                        {Look.Level1Color, Look.Level1ColorTo},
                                        {Look.Level3Color, Look.Level3ColorTo}};
        const int Lengths[3] = {Len0, Len1, Len2};
        const int Count = Bar < Look.Level1Perc ? 1 : (Bar < Look.Level2Perc ? 2 : 3);
        if (Vertical) {
            const TRect Seg0{L + 1, B - Len0, R - 1, B - 1};
            const TRect Seg1{L + 1, Seg0.Top - Len1, R - 1, Seg0.Top};
            const TRect Seg2{L + 1, Seg1.Top - Len2 - 1, R - 1, Seg1.Top - 1};
            const TRect Segs[3] = {Seg0, Seg1, Seg2};
            for (int I = 0; I < Count; ++I) FillProgressPart(Canvas, Segs[I], Colors[I], Look, true);
        } else {
            int Left = L + 1;
            for (int I = 0; I < Count; ++I) {
                FillProgressPart(Canvas, {Left, T + 1, Left + Lengths[I], B - 1}, Colors[I], Look, false);
                Left += Lengths[I];
            }
        }
    } else if (Bar > 0) {
        const TLevelColors Colors = ProgressLevelColors(Look, Bar, Look.Level1Perc, Look.Level2Perc);
        if (Look.CompletionSmooth) {
            const int Length = roundInt(Bar / 100.0L * Size);
            const TRect Part =
                Vertical ? TRect{L + 1, B - Length - 1, R - 1, B - 1} : TRect{L + 1, T + 1, L + 1 + Length, B - 1};
            FillProgressPart(Canvas, Part, Colors, Look, Vertical);
        } else {
            const int N = roundInt(static_cast<Extended>(Bar) * Size / 100);
            for (const TRect& Block : barBlocks(Rect, N, Vertical))
                FillProgressPart(Canvas, Block, Colors, Look, Vertical);
            Canvas->Brush()->SetStyle(bsClear);
        }
    }

    if (Look.ShowPercentage) {
        const String Text = IntToStr(Position) + u'%';
        if (Look.Font) {
            Canvas->Font()->SetName(Look.Font->Name());
            Canvas->Font()->SetSize(Look.Font->Size());
            Canvas->Font()->SetStyle(Look.Font->Style());
        }
        Canvas->Font()->SetColor(Look.FontColor);
        DrawProgressText(Canvas, Rect, Text, Vertical);
    }

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(FramePen);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(L, T, R, B);
}

void DrawClassicProgress(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor TextColor, TColor RestColor,
                         TColor RestTextColor, double Value, int MarginX, int MarginY, int Min, int Max,
                         const String& Format, TColor BorderColor, bool Printing) {
    const TColor Back = Canvas->Brush()->Color();
    String Text;
    int P = 0;
    if (Format.isEmpty()) {
        P = roundInt(Value);
        Text = IntToStr(P) + u'%';
    } else {
        int At = static_cast<int>(Format.indexOf(u'd'));
        if (At < 0) At = static_cast<int>(Format.indexOf(u'u'));
        const bool AsInteger =
            At > 0 && (String(QStringLiteral("%*.")).contains(Format[At - 1]) || Format[At - 1].isDigit());
        Text = AsInteger ? ::Format(Format, {Round(Value)}) : ::Format(Format, {static_cast<Extended>(Value)});
        // Without a span there is no scale: no bar rather than a division by zero.
        P = Max == Min ? 0 : roundInt((Value - Min) * 100 / (Max - Min));
    }
    P = std::clamp(P, 0, 100);

    const TRect R{Rect.Left + MarginX, Rect.Top + MarginY, Rect.Right - MarginX, Rect.Bottom - MarginY};
    const int Done = roundInt(static_cast<Extended>(R.Width()) * P / 100);
    const TSize Extent = Canvas->TextExtent(Text);
    const int X = R.Left + (R.Width() - Extent.cx) / 2;
    const int Y = R.Top + (R.Height() - Extent.cy * (Printing ? -1 : 1)) / 2;

    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(Color);
    Canvas->Font()->SetColor(TextColor);
    Canvas->TextRect({R.Left, R.Top, R.Left + Done, R.Bottom}, X, Y, Text);
    Canvas->Brush()->SetColor(RestColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(RestColor);
    Canvas->Font()->SetColor(RestTextColor);
    Canvas->TextRect({R.Left + Done, R.Top, R.Right, R.Bottom}, X, Y, Text);

    if (BorderColor == clNone) return;
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect({R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1});
    Canvas->Brush()->SetColor(Back);
    Canvas->FrameRect({R.Left - 2, R.Top - 2, R.Right + 2, R.Bottom + 2});
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool Printing) {
    (void)Printing;  // the sector is computed, so the axis direction plays no part
    const int CX = R.Left + (R.Right - R.Left) / 2, CY = R.Top + (R.Bottom - R.Top) / 2;
    const Extended A = Percent / 100.0L * 2 * std::numbers::pi_v<Extended>;
    const TPoint End{CX + roundInt((R.Right - R.Left + 1) * 0.5L * std::sin(A)),
                     CY - roundInt((R.Bottom - R.Top + 1) * 0.5L * std::cos(A))};
    TPen* Pen = Canvas->Pen();
    Pen->SetColor(clGray);
    Pen->SetStyle(psSolid);
    Pen->SetWidth(1);
    Canvas->Ellipse(R);
    if (Percent > 0) {
        // The sector runs clockwise from twelve o'clock, so anticlockwise from its end ray.
        Canvas->Brush()->SetColor(Color);
        Canvas->Brush()->SetStyle(bsSolid);
        if (Percent >= 100)
            Canvas->Ellipse(R);
        else
            Canvas->Pie(R.Left, R.Top, R.Right, R.Bottom, End.X, End.Y, CX, R.Top);
    }
    Canvas->MoveTo(CX, R.Top);
    Canvas->LineTo(CX, CY);
    Canvas->MoveTo(CX, CY);
    Canvas->LineTo(End.X, End.Y);
}
