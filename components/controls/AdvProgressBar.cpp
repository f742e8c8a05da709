// The multi-level progress bar: properties, position and animation, and its painter.
#include "components/controls/AdvProgressBar.h"
#include "components/graphics/ComponentVersion.h"

#include "components/graphics/AdvUtilDraw.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Timer.h"

#include <algorithm>
#include <vector>

namespace {

// Corners outside a rounded outline get this colour, drawn as transparent.
constexpr TColor kTransparentKey = 0xFF00FF;

int roundInt(Extended X) { return static_cast<int>(Round(X)); }

TColor mixColor(TColor From, TColor To, int Step, int Steps) {
    From = ColorToRGB(From);
    To = ColorToRGB(To);
    auto Channel = [&](int Shift) {
        const int A = static_cast<int>((From >> Shift) & 0xFF), B = static_cast<int>((To >> Shift) & 0xFF);
        return static_cast<TColor>(A + roundInt(static_cast<Extended>(B - A) * Step / Steps)) << Shift;
    };
    return Channel(0) | Channel(8) | Channel(16);
}

// Exactly Steps bands across the half's thickness, each kept inside the half.
void fillBands(TCanvas* Canvas, const TRect& Half, TColor From, TColor To, int Steps, bool Vertical) {
    if (Half.IsEmpty()) return;
    Steps = std::max(1, Steps);
    const int Extent = Vertical ? Half.Width() : Half.Height();
    const int Width = Extent / Steps + 1;
    for (int I = 0; I < Steps; ++I) {
        const int Start = roundInt(static_cast<Extended>(I) * Extent / Steps);
        TRect Band = Half;
        if (Vertical) {
            Band.Left = Half.Left + Start;
            Band.Right = std::min(Half.Right, Band.Left + Width);
        } else {
            Band.Top = Half.Top + Start;
            Band.Bottom = std::min(Half.Bottom, Band.Top + Width);
        }
        if (!Band.IsEmpty()) FillRectColor(Canvas, Band, mixColor(From, To, I, Steps));
    }
}

void paintZones(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S, int Size, bool Vertical) {
    const TColor Colors[3] = {S.Level0BkColor, S.Level1BkColor, S.Level2BkColor};
    if (Colors[0] == clNone && Colors[1] == clNone && Colors[2] == clNone) return;
    const int Z0 = roundInt(S.Level1Perc / 100.0L * Size);
    const int Z1 = roundInt(Size * static_cast<Extended>(S.Level2Perc - S.Level1Perc) / 100);
    const int Z2 = Size - Z0 - Z1;
    TRect Zones[3];
    if (Vertical) {
        Zones[0] = {Rc.Left + 1, Rc.Bottom - Z0 + 1, Rc.Right - 1, Rc.Bottom - 2};
        Zones[1] = {Rc.Left + 1, Zones[0].Top - Z1, Rc.Right - 1, Zones[0].Top};
        Zones[2] = {Rc.Left + 1, Zones[1].Top - Z2 - 1, Rc.Right - 1, Zones[1].Top - 1};
    } else {
        Zones[0] = {Rc.Left + 2, Rc.Top + 1, Rc.Left + Z0, Rc.Bottom - 1};
        Zones[1] = {Zones[0].Right, Rc.Top + 1, Zones[0].Right + Z1, Rc.Bottom - 1};
        Zones[2] = {Zones[1].Right, Rc.Top + 1, Zones[1].Right + Z2, Rc.Bottom - 1};
    }
    for (int I = 0; I < 3; ++I) {
        // Thresholds out of order give a negative zone: nothing rather than a reversed fill.
        if (Colors[I] == clNone || Zones[I].Right <= Zones[I].Left || Zones[I].Bottom <= Zones[I].Top) continue;
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Colors[I]);
        Canvas->Pen()->SetColor(Colors[I]);
        Canvas->Rectangle(Zones[I]);
    }
}

void paintStacked(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S, int P, int L1, int L2, int Size,
                  bool Vertical) {
    const int Len0 = std::max(0, roundInt(std::min(P, L1) / 100.0L * Size));
    const int Len1 = std::max(0, roundInt((std::min(P, L2) - L1) / 100.0L * Size));
    const int Len2 = std::max(0, P == 100 ? Size - Len0 - Len1 : roundInt((P - L2) / 100.0L * Size));
    const TLevelColors Colors[3] = {
        {S.Level0Color, S.Level0ColorTo}, {S.Level1Color, S.Level1ColorTo}, {S.Level2Color, S.Level2ColorTo}};
    const int Lengths[3] = {Len0, Len1, Len2};
    const int Count = P < L1 ? 1 : (P < L2 ? 2 : 3);
    if (Vertical) {
        const TRect Seg0{Rc.Left + 1, Rc.Bottom - Len0 + 1, Rc.Right - 1, Rc.Bottom - 2};
        const TRect Seg1{Rc.Left + 1, Seg0.Top - Len1, Rc.Right - 1, Seg0.Top};
        const TRect Seg2{Rc.Left + 1, Seg1.Top - Len2 - 1, Rc.Right - 1, Seg1.Top - 1};
        const TRect Segs[3] = {Seg0, Seg1, Seg2};
        for (int I = 0; I < Count; ++I) FillProgressPart(Canvas, Segs[I], Colors[I], S, true, fillBands);
        return;
    }
    int Left = Rc.Left + 1;
    for (int I = 0; I < Count; ++I) {
        FillProgressPart(Canvas, {Left, Rc.Top + 1, Left + Lengths[I], Rc.Bottom - 1}, Colors[I], S, false, fillBands);
        Left += Lengths[I];
    }
}

// 7-pixel blocks with 2-pixel gaps, counted from the bar's start (left, or bottom when vertical).
std::vector<TRect> barBlocks(const TRect& Rc, int N, bool Vertical) {
    std::vector<TRect> Blocks;
    auto Block = [&](int From, int To) {
        if (Vertical)
            Blocks.push_back({Rc.Left + 2, std::max(Rc.Top + 2, Rc.Bottom - To), Rc.Right - 2, Rc.Bottom - From});
        else
            Blocks.push_back({Rc.Left + From, Rc.Top + 2, Rc.Left + To, Rc.Bottom - 2});
    };
    if (N < 10) {
        if (N > 1) Block(2, N + 1);
        return Blocks;
    }
    int Offset = 2;
    Block(Offset, Offset + 7);
    for (int I = 1; I < N / 9; ++I) {
        Offset += 9;
        Block(Offset, Offset + 7);
    }
    const int Rest = N % 9, End = Offset + 7;
    if (Rest > 1) Block(End + 2, End + Rest);
    return Blocks;
}

void paintLevelBar(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S, int P, int L1, int L2, int Size,
                   bool Vertical) {
    const TLevelColors Colors = ProgressLevelColors(S, P, L1, L2);
    if (S.CompletionSmooth) {
        const int Length = roundInt(P / 100.0L * Size);
        const TRect Bar = Vertical ? TRect{Rc.Left + 2, Rc.Bottom - Length, Rc.Right - 2, Rc.Bottom - 2}
                                   : TRect{Rc.Left + 2, Rc.Top + 2, Rc.Left + Length, Rc.Bottom - 2};
        FillProgressPart(Canvas, Bar, Colors, S, Vertical, fillBands);
        return;
    }
    const int N = roundInt(static_cast<Extended>(P) * Size / 100);
    for (const TRect& Block : barBlocks(Rc, N, Vertical))
        FillProgressPart(Canvas, Block, Colors, S, Vertical, fillBands);
    Canvas->Brush()->SetStyle(bsClear);
}

// Covers the bar but a window from 10 pixels before to 12 after the point InfinitePos.
void paintInfiniteWindow(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S, bool Vertical) {
    const int Extent = Vertical ? Rc.Height() : Rc.Width();
    const int X = Extent < 5 ? 0 : roundInt(S.InfinitePos / 100.0L * (Extent - 4));
    const int L = Rc.Left, T = Rc.Top, R = Rc.Right, B = Rc.Bottom;
    TRect Covers[2];
    if (Vertical) {
        Covers[0] = {L + 2, T + 2, R - 2, std::max(T + 2, T + X - 10)};
        Covers[1] = {L + 2, std::min(T + X + 12, B - 2), R - 2, B - 2};
    } else {
        Covers[0] = {L + 2, T + 1, std::max(L + 2, L + X - 10), B - 1};
        Covers[1] = {std::min(L + X + 12, R - 2), T + 2, R - 2, B - 2};
    }
    for (const TRect& Cover : Covers)
        if (!Cover.IsEmpty()) FillRectColor(Canvas, Cover, S.BackgroundColor);
}

String barText(const TGaugeSettings& S) {
    const String Plain = S.ShowPercentage ? IntToStr(S.Position) + u'%' : IntToStr(S.Value);
    if (S.Format.isEmpty()) return Plain;
    try {
        return ::Format(S.Format, {S.Value, S.Max});
    } catch (const EConvertError&) {
        // A format that does not take two integers must not break painting.
        return Plain;
    }
}

void paintText(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S, bool Vertical) {
    const String Text = barText(S);
    if (S.Font) Canvas->SetFont(S.Font);
    DrawProgressText(Canvas, Rc, Text, Vertical);
}

}  // namespace

void DrawProgressBar(TCanvas* Canvas, const TRect& Rc, const TGaugeSettings& S) {
    const bool Vertical = S.Orientation == goVertical;
    const int Size = (Vertical ? Rc.Height() : Rc.Width()) - 2;
    if (S.Rounded) FillRectColor(Canvas, Rc, kTransparentKey);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(S.BackgroundColor);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(S.ShowBorder ? S.BorderColor : S.BackgroundColor);
    if (S.Rounded)
        Canvas->RoundRect(Rc.Left, Rc.Top, Rc.Right, Rc.Bottom, 6, 6);
    else
        Canvas->Rectangle(Rc);

    paintZones(Canvas, Rc, S, Size, Vertical);

    // Infinite mode shows a full bar in level-0 colours; beyond 100 the bar stops at the outline.
    const int P = S.Infinite ? 100 : std::min(S.Position, 100);
    const int L1 = S.Infinite ? 101 : S.Level1Perc;
    const int L2 = S.Infinite ? 101 : S.Level2Perc;
    if (P > 0) {
        if (S.Stacked)
            paintStacked(Canvas, Rc, S, P, L1, L2, Size, Vertical);
        else
            paintLevelBar(Canvas, Rc, S, P, L1, L2, Size, Vertical);
    }
    if (S.Infinite) paintInfiniteWindow(Canvas, Rc, S, Vertical);
    if (S.ShowPosition) paintText(Canvas, Rc, S, Vertical);
}

// ---------------------------------------------------------------------------------------------

TAdvProgressBar::TAdvProgressBar(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(Left(), Top(), 128, 18);
    Font()->SetName(QStringLiteral("Verdana"));
    Font()->SetSize(10);
    SetParentFont(false);
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(static_cast<Cardinal>(FInfiniteInterval));
    FTimer->OnTimer = [this](TObject* Sender) { timerTick(Sender); };
}

TAdvProgressBar::~TAdvProgressBar() = default;

template <class T>
void TAdvProgressBar::storeAndInvalidate(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}

void TAdvProgressBar::SetLevel0Color(TColor Value) { storeAndInvalidate(FLevel0Color, Value); }
void TAdvProgressBar::SetLevel0ColorTo(TColor Value) { storeAndInvalidate(FLevel0ColorTo, Value); }
void TAdvProgressBar::SetLevel1Color(TColor Value) { storeAndInvalidate(FLevel1Color, Value); }
void TAdvProgressBar::SetLevel1ColorTo(TColor Value) { storeAndInvalidate(FLevel1ColorTo, Value); }
void TAdvProgressBar::SetLevel2Color(TColor Value) { storeAndInvalidate(FLevel2Color, Value); }
void TAdvProgressBar::SetLevel2ColorTo(TColor Value) { storeAndInvalidate(FLevel2ColorTo, Value); }
void TAdvProgressBar::SetLevel3Color(TColor Value) { storeAndInvalidate(FLevel3Color, Value); }
void TAdvProgressBar::SetLevel3ColorTo(TColor Value) { storeAndInvalidate(FLevel3ColorTo, Value); }
void TAdvProgressBar::SetLevel1Perc(int Value) { storeAndInvalidate(FLevel1Perc, Value); }
void TAdvProgressBar::SetLevel2Perc(int Value) { storeAndInvalidate(FLevel2Perc, Value); }
void TAdvProgressBar::SetLevel0BkColor(TColor Value) { storeAndInvalidate(FLevel0BkColor, Value); }
void TAdvProgressBar::SetLevel1BkColor(TColor Value) { storeAndInvalidate(FLevel1BkColor, Value); }
void TAdvProgressBar::SetLevel2BkColor(TColor Value) { storeAndInvalidate(FLevel2BkColor, Value); }
void TAdvProgressBar::SetBorderColor(TColor Value) { storeAndInvalidate(FBorderColor, Value); }
void TAdvProgressBar::SetShowBorder(bool Value) { storeAndInvalidate(FShowBorder, Value); }
void TAdvProgressBar::SetStacked(bool Value) { storeAndInvalidate(FStacked, Value); }
void TAdvProgressBar::SetShowPercentage(bool Value) { storeAndInvalidate(FShowPercentage, Value); }
void TAdvProgressBar::SetShowPosition(bool Value) { storeAndInvalidate(FShowPosition, Value); }
void TAdvProgressBar::SetCompletionSmooth(bool Value) { storeAndInvalidate(FCompletionSmooth, Value); }
void TAdvProgressBar::SetShowGradient(bool Value) { storeAndInvalidate(FShowGradient, Value); }
void TAdvProgressBar::SetSteps(int Value) { storeAndInvalidate(FSteps, Value); }
void TAdvProgressBar::SetBackgroundColor(TColor Value) { storeAndInvalidate(FBackgroundColor, Value); }
void TAdvProgressBar::SetOrientation(TGaugeOrientation Value) { storeAndInvalidate(FOrientation, Value); }
void TAdvProgressBar::SetRounded(bool Value) { storeAndInvalidate(FRounded, Value); }
void TAdvProgressBar::SetFormat(const String& Value) { storeAndInvalidate(FFormat, Value); }

void TAdvProgressBar::SetMin(int Value) {
    if (FMin == Value) return;
    FMin = Value;
    updateMaxIncrement();
    Invalidate();
}

void TAdvProgressBar::SetMax(int Value) {
    if (FMax == Value) return;
    FMax = Value;
    updateMaxIncrement();
    Invalidate();
}

void TAdvProgressBar::updateMaxIncrement() {
    FMaxIncrement = static_cast<int>((static_cast<Int64>(FMax) - FMin) / 100);
}

int TAdvProgressBar::Percentage() const {
    if (FMax == FMin) return 0;
    return roundInt(static_cast<Extended>(static_cast<Int64>(FPosition) - FMin) / (static_cast<Int64>(FMax) - FMin) *
                    100);
}

void TAdvProgressBar::SetPosition(int Value) {
    // Outside the range the value is only clamped; the next repaint shows it.
    if (Value < FMin) {
        FPosition = FMin;
        return;
    }
    if (Value > FMax) {
        FPosition = FMax;
        return;
    }
    FPosition = Value;
    const int P = Percentage();
    const int Block = FMaxIncrement == 0 ? 0 : Value / FMaxIncrement;
    if (FMaxIncrement == 0 || Value % FMaxIncrement == 0 || Block != FLastBlock || P != FLastPerc) Paint();
    FLastPerc = P;
    FLastBlock = Block;
}

void TAdvProgressBar::SetAnimated(bool Value) {
    if (FAnimated == Value) return;
    FAnimated = Value;
    updateTimer();
    Invalidate();
}

void TAdvProgressBar::SetInfinite(bool Value) {
    FInfinitePos = 0;
    if (FInfinite != Value) {
        FInfinite = Value;
        updateTimer();
    }
    Invalidate();
}

void TAdvProgressBar::SetInfiniteInterval(int Value) {
    if (Value < 0 || FInfiniteInterval == Value) return;
    FInfiniteInterval = Value;
    FTimer->SetInterval(static_cast<Cardinal>(Value));
}

void TAdvProgressBar::updateTimer() { FTimer->SetEnabled(FAnimated && FInfinite); }

void TAdvProgressBar::timerTick(TObject*) {
    FInfinitePos += FInfiniteUp ? 4 : -4;
    if (FInfinitePos >= 100) {
        FInfinitePos = 100;
        FInfiniteUp = false;
    } else if (FInfinitePos <= 0) {
        FInfinitePos = 0;
        FInfiniteUp = true;
    }
    Paint();
}

String TAdvProgressBar::Version() const { return VersionText(GetVersionNr()); }

void TAdvProgressBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

// The painter covers every pixel (or keys it transparent), so erasing would only flicker.
void TAdvProgressBar::WMEraseBkgnd(TMessage& Message) { Message.Result = 0; }

TGaugeSettings TAdvProgressBar::gaugeSettings(TFont* FontCopy) const {
    TGaugeSettings S;
    S.Level0Color = FLevel0Color;
    S.Level0ColorTo = FLevel0ColorTo;
    S.Level1Color = FLevel1Color;
    S.Level1ColorTo = FLevel1ColorTo;
    S.Level2Color = FLevel2Color;
    S.Level2ColorTo = FLevel2ColorTo;
    S.Level3Color = FLevel3Color;
    S.Level3ColorTo = FLevel3ColorTo;
    S.Level1Perc = FLevel1Perc;
    S.Level2Perc = FLevel2Perc;
    S.BorderColor = FBorderColor;
    S.Level0BkColor = FLevel0BkColor;
    S.Level1BkColor = FLevel1BkColor;
    S.Level2BkColor = FLevel2BkColor;
    S.ShowBorder = FShowBorder;
    S.Stacked = FStacked;
    S.ShowPercentage = FShowPercentage;
    S.ShowPosition = FShowPosition;
    S.Font = FontCopy;
    S.CompletionSmooth = FCompletionSmooth;
    S.ShowGradient = FShowGradient;
    S.Steps = FSteps;
    S.Position = Percentage();
    S.Value = FPosition;
    S.Max = FMax;
    S.BackgroundColor = FBackgroundColor;
    S.Orientation = FOrientation;
    S.Rounded = FRounded;
    S.Format = FFormat;
    S.Infinite = FInfinite;
    S.InfinitePos = FInfinitePos;
    return S;
}

void TAdvProgressBar::Paint() {
    const bool Designing = ComponentState().Contains(csDesigning);
    if (!(Visible() || Designing) || !Parent()) return;
    const TRect Client = ClientRect();
    if (Client.IsEmpty()) return;
    TFont FontCopy;
    FontCopy.Assign(Font());
    TBitmap Image(Client.Width(), Client.Height());
    DrawProgressBar(Image.Canvas(), Rect(0, 0, Client.Width(), Client.Height()), gaugeSettings(&FontCopy));
    if (FRounded) {
        Image.SetTransparentColor(kTransparentKey);
        Image.SetTransparent(true);
    }
    Canvas()->Draw(0, 0, &Image);
}
