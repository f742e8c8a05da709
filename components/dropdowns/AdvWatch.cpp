#include "components/dropdowns/AdvWatch.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/GdiObjects.h"
#include "framework/ui/Picture.h"
#include "framework/ui/Timer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// ---------------------------------------------------------------------------------------------
// TWatchSettings

void TWatchSettings::SetAuto(bool Value) {
    if (FAuto == Value) return;
    FAuto = Value;
    if (OnChange) FireEvent(OnChange, this);
}

void TWatchSettings::SetTimeOffset(int Value) {
    if (FTimeOffset == Value) return;
    FTimeOffset = Value;
    if (OnChange) FireEvent(OnChange, this);
}

void TWatchSettings::SetSecond(bool Value) {
    if (FSeconds == Value) return;
    FSeconds = Value;
    if (OnChange) FireEvent(OnChange, this);
}

void TWatchSettings::Assign(TPersistent* Source) {
    if (auto* S = dynamic_cast<TWatchSettings*>(Source)) {
        FSeconds = S->FSeconds;
        FTimeOffset = S->FTimeOffset;
        SetAuto(S->FAuto);
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TWatchAppearance

TWatchAppearance::TWatchAppearance() {
    FPicture = std::make_unique<TPicture>();
    FPicture->OnChange = [this](TObject* Sender) { pictureChanged(Sender); };
    Reset();
}

TWatchAppearance::~TWatchAppearance() = default;

template <class T>
void TWatchAppearance::setField(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    changed();
}

void TWatchAppearance::changed() {
    if (OnChange) FireEvent(OnChange, this);
}

void TWatchAppearance::pictureChanged(TObject*) { changed(); }

void TWatchAppearance::SetSize(int Value) { setField(FValues.Size, Value); }
void TWatchAppearance::SetHourPointer(TColor Value) { setField(FValues.HourPointer, Value); }
void TWatchAppearance::SetBackgroundColor(TColor Value) { setField(FValues.BackgroundColor, Value); }
void TWatchAppearance::SetMinutePointerShadow(TColor Value) { setField(FValues.MinutePointerShadow, Value); }
void TWatchAppearance::SetBackgroundColorTo(TColor Value) { setField(FValues.BackgroundColorTo, Value); }
void TWatchAppearance::SetHourPointerShadow(TColor Value) { setField(FValues.HourPointerShadow, Value); }
void TWatchAppearance::SetSecondPointer(TColor Value) { setField(FValues.SecondPointer, Value); }
void TWatchAppearance::SetBorderColor(TColor Value) { setField(FValues.BorderColor, Value); }
void TWatchAppearance::SetMinutePointer(TColor Value) { setField(FValues.MinutePointer, Value); }
void TWatchAppearance::SetAMPMFrame(TAMPMFrame Value) { setField(FValues.AMPMFrame, Value); }
void TWatchAppearance::SetShape(TWatchShape Value) { setField(FValues.WatchShape, Value); }
void TWatchAppearance::SetPointerStyle(TPointerStyle Value) { setField(FValues.PointerStyle, Value); }
void TWatchAppearance::SetHourPointerSize(Byte Value) { setField(FValues.HourPointerSize, Value); }
void TWatchAppearance::SetSecondPointerSize(Byte Value) { setField(FValues.SecondPointerSize, Value); }
void TWatchAppearance::SetMinutePointerSize(Byte Value) { setField(FValues.MinutePointerSize, Value); }
void TWatchAppearance::SetHourColor(TColor Value) { setField(FValues.HourColor, Value); }
void TWatchAppearance::SetMinuteColor(TColor Value) { setField(FValues.MinuteColor, Value); }
void TWatchAppearance::SetCenterPointSize(Byte Value) { setField(FValues.CenterPointSize, Value); }
void TWatchAppearance::SetCenterPointColor(TColor Value) { setField(FValues.CenterPointColor, Value); }
void TWatchAppearance::SetCenterPointBorderColor(TColor Value) { setField(FValues.CenterPointBorderColor, Value); }
void TWatchAppearance::SetBackgroundGradient(TWatchGradient Value) { setField(FValues.BackgroundGradient, Value); }
void TWatchAppearance::SetHourMarkLength(Byte Value) { setField(FValues.HourMarkLength, Value); }
void TWatchAppearance::SetHourMarkWidth(Byte Value) { setField(FValues.HourMarkWidth, Value); }
void TWatchAppearance::SetMinuteMarkLength(Byte Value) { setField(FValues.MinuteMarkLength, Value); }
void TWatchAppearance::SetMinuteMarkWidth(Byte Value) { setField(FValues.MinuteMarkWidth, Value); }
void TWatchAppearance::SetBorderWidth(int Value) { setField(FValues.BorderWidth, Value); }
void TWatchAppearance::SetCenterPointOuterBorderColor(TColor Value) {
    setField(FValues.CenterPointOuterBorderColor, Value);
}
void TWatchAppearance::SetTickMarks(TTickMarks Value) { setField(FValues.TickMarks, Value); }
void TWatchAppearance::SetHourMarkStyle(THourMarkStyle Value) { setField(FValues.HourMarkStyle, Value); }

void TWatchAppearance::SetHourFont(TFont* Value) {
    FHourFont->Assign(Value);
    changed();
}

void TWatchAppearance::SetAMPMFont(TFont* Value) {
    FAMPMFont->Assign(Value);
    changed();
}

void TWatchAppearance::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
    changed();
}

void TWatchAppearance::Reset() {
    FValues = TValues{};
    if (!FHourFont) FHourFont = std::make_unique<TFont>();
    FHourFont->SetName(QStringLiteral("Tahoma"));
    FHourFont->SetSize(8);
    if (!FAMPMFont) FAMPMFont = std::make_unique<TFont>();
    FAMPMFont->SetName(QStringLiteral("Tahoma"));
    FAMPMFont->SetSize(10);
}

void TWatchAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TWatchAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    const TValues Theirs = S->FValues;
    // The last three go through their writers below.
    const TValues Mine = FValues;
    FValues = Theirs;
    FValues.CenterPointOuterBorderColor = Mine.CenterPointOuterBorderColor;
    FValues.TickMarks = Mine.TickMarks;
    FValues.HourMarkStyle = Mine.HourMarkStyle;
    FHourFont->Assign(S->FHourFont.get());
    FAMPMFont->Assign(S->FAMPMFont.get());
    FPicture->Assign(S->FPicture.get());
    SetCenterPointOuterBorderColor(Theirs.CenterPointOuterBorderColor);
    SetTickMarks(Theirs.TickMarks);
    SetHourMarkStyle(Theirs.HourMarkStyle);
}

namespace {

bool sameFont(const TFont& A, const TFont& B) {
    return A.Name() == B.Name() && A.Height() == B.Height() && A.Color() == B.Color() && A.Style() == B.Style() &&
           A.Charset() == B.Charset() && A.Pitch() == B.Pitch() && A.Orientation() == B.Orientation() &&
           A.Quality() == B.Quality() && A.PixelsPerInch() == B.PixelsPerInch();
}

bool hasPicture(TPicture* Picture) { return Picture->Graphic() && !Picture->Graphic()->Empty(); }

}  // namespace

bool TWatchAppearance::DrawsLike(const TWatchAppearance& Other) const {
    return FValues == Other.FValues && sameFont(*FHourFont, *Other.FHourFont) &&
           sameFont(*FAMPMFont, *Other.FAMPMFont) && !hasPicture(FPicture.get()) && !hasPicture(Other.FPicture.get());
}

// ---------------------------------------------------------------------------------------------
// TAdvWatch: life cycle and properties

TAdvWatch::TAdvWatch(TComponent* AOwner) : TCustomControl(AOwner) {
    FAppearance = std::make_unique<TWatchAppearance>();
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FSettings = std::make_unique<TWatchSettings>();
    FSettings->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FBKGCache = std::make_unique<TBitmap>();
    FWatchTimer = new TTimer(this);
    FWatchTimer->SetInterval(100);
    FWatchTimer->SetEnabled(FSettings->Auto());
    FWatchTimer->OnTimer = [this](TObject* Sender) { WatchTimerTick(Sender); };
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->OnTimer = [this](TObject* Sender) { AnimationTimerTick(Sender); };
    SetBounds(Left(), Top(), 180, 180);
    FBKGCache->SetSize(180, 180);
}

// The timers are owned components: they go, and stop, before the watch's own parts.
TAdvWatch::~TAdvWatch() = default;

String TAdvWatch::Version() const {
    const int N = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg((N >> 24) & 0xFF).arg((N >> 16) & 0xFF).arg((N >> 8) & 0xFF).arg(N & 0xFF);
}

void TAdvWatch::Loaded() { TCustomControl::Loaded(); }

void TAdvWatch::SetTime(TDateTime Value) {
    if (Value == FTime) return;
    InternalSetTime(Value);
    RefreshPointers();
}

void TAdvWatch::SetShowAMPM(bool Value) {
    if (FShowAMPM == Value) return;
    FShowAMPM = Value;
    Invalidate();
}

void TAdvWatch::SetShowNumbers(bool Value) {
    if (FShowNumbers == Value) return;
    FShowNumbers = Value;
    Invalidate();
}

void TAdvWatch::AppearanceChanged(TObject*) { Invalidate(); }

void TAdvWatch::SettingsChanged(TObject*) {
    FWatchTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) {
        SetTime(Now());
        setHalfOf(Now());
    }
    Invalidate();
}

void TAdvWatch::WatchTimerTick(TObject*) { RefreshPointers(); }

TDateTime TAdvWatch::GetDisplayTime() const {
    if (FSettings->Auto()) return Now() + FSettings->TimeOffset() / 1440.0;
    return FTime;
}

void TAdvWatch::InternalSetTime(TDateTime Value) {
    if (Value == FTime) return;
    FTime = Value;
    setHalfOf(Value);
}

// A stored time moves the half of the day without the roll: the face clicks over.
void TAdvWatch::setHalfOf(TDateTime Value) {
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    const bool Saved = FInternalSet;
    FInternalSet = true;
    SetAM(H < 12);
    FInternalSet = Saved;
}

void TAdvWatch::fireChange() {
    if (!OnChange) return;
    if (OnChange) FireEvent(OnChange, this);
}

bool TAdvWatch::animating() const {
    return FAnimation && !FInternalCall && !ComponentState().Contains(csLoading) &&
           !ComponentState().Contains(csDesigning);
}

// ---------------------------------------------------------------------------------------------
// Setting hour and minute

void TAdvWatch::SetHour(Byte Value) {
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    if (Value == H) return;
    if (animating()) {
        FCurrentHourTo = Value;
        FHourAnimating = true;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    InternalSetTime(DateOf(FTime) + EncodeTime(Value, M, S, MS));
    RefreshPointers();
    // A direct change is the whole move; a step of an animation reports only its arrival.
    if (!FAnimationStep || Value == FCurrentHourTo) fireChange();
}

void TAdvWatch::SetMinute(Byte Value) {
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    if (Value >= 60) throw Exception(QStringLiteral("Invalid time"));
    if (Value == M) return;
    if (animating()) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = Byte(M);
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FMinuteFrom = Byte(M);
    // Minute 0 reached from the second half of the hour is the next hour.
    if (Value == 0 && FMinuteFrom > 30) {
        H = H == 23 ? 0 : H + 1;
        FMinuteFrom = 0;
    }
    InternalSetTime(DateOf(FTime) + EncodeTime(H, Value, S, MS));
    RefreshPointers();
    if (!FAnimationStep || Value == FCurrentMinuteTo) fireChange();
}

// A step of the animation: a direct set that reports only its arrival at the target.
void TAdvWatch::animationStep(bool Hour, int Value) {
    FInternalCall = FAnimationStep = true;
    const TWeak<TAdvWatch> Alive(this);
    try {
        Hour ? SetHour(Byte(Value)) : SetMinute(Byte(Value));
    } catch (...) {
        if (Alive) FInternalCall = FAnimationStep = false;
        throw;
    }
    if (Alive) FInternalCall = FAnimationStep = false;
}

// The step: 1/factor of the distance, at least one unit and never past the target (a factor
// below 1 jumps straight there).
static int stepOf(int Distance, int Factor) {
    const int Step = Factor >= 1 ? int(Round(double(Distance) / Factor)) : Distance;
    return std::clamp(Step, 1, std::max(Distance, 1));
}

void TAdvWatch::AnimationTimerTick(TObject*) {
    if (!FAnimation || ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    const TWeak<TAdvWatch> Alive(this);
    if (FHourAnimating) {
        const int Target = FCurrentHourTo;
        if (H == Target) {
            animationStep(true, Target);
            if (Alive) FAnimationTimer->SetEnabled(false);
            return;
        }
        const int Step = stepOf(std::abs(Target - int(H)), FAnimationFactor);
        animationStep(true, H < Target ? H + Step : H - Step);
        return;
    }
    const int Target = FCurrentMinuteTo;
    if (M == Target) {
        animationStep(false, Target);
        if (Alive) FAnimationTimer->SetEnabled(false);
        return;
    }
    const bool Wrapping = Target == 0 && M > 30;
    const int Goal = Wrapping ? 60 : Target;
    const int Step = stepOf(std::abs(Goal - int(M)), FAnimationFactor);
    int Next = M < Target || Wrapping ? M + Step : M - Step;
    if (Next >= 60 || Next < 0) Next = 0;
    animationStep(false, Next);
}

void TAdvWatch::SetAM(bool Value) {
    if (FAM == Value) return;
    FAM = Value;
    if (FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone && !FInternalSet) rollAMPMBox();
    DrawWatch();
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

TAdvWatch::TWatchGeometry TAdvWatch::geometry() const {
    const int W = ClientWidth(), H = ClientHeight();
    int Side = FAppearance->Size();
    if (Side <= 0)
        Side = std::min(W, H) - 20;
    else
        Side = std::min(std::min(Side, H), W);
    TWatchGeometry G{};
    G.Side = Side;
    G.Left = (W - Side) / 2;
    G.Top = (H - Side) / 2;
    G.CX = G.Left + Side / 2;
    G.CY = G.Top + Side / 2;
    G.R = Side / 2;
    G.RT = G.R - FAppearance->BorderWidth() / 2;
    return G;
}

int TAdvWatch::XYToMinute(int X, int Y) const {
    const TWatchGeometry G = geometry();
    double DY = std::abs(G.CY - Y), DX = std::abs(G.CX - X);
    if (DY == 0) DY = 1;
    if (DX == 0) DX = 1;
    const int C = int(Round(std::atan(DY / DX) * 180.0 / std::numbers::pi / 6.0));
    int Result;
    if (X >= G.CX && Y >= G.CY)
        Result = C + 15;
    else if (X <= G.CX && Y >= G.CY)
        Result = 45 - C;
    else if (X <= G.CX && Y <= G.CY)
        Result = C + 45;
    else
        Result = 15 - C;
    return Result < 0 || Result > 59 ? 0 : Result;
}

int TAdvWatch::XYToHour(int X, int Y) const {
    int K = int(Round(XYToMinute(X, Y) / 5.0));
    if (K == 12) K = 0;
    return FAM ? K : K + 12;
}

void TAdvWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TAdvWatch> Alive(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!Alive || FReadOnly || FSettings->Auto()) return;
    const TWatchGeometry G = geometry();
    HRGN Face = CreateEllipticRgn(G.Left, G.Top, G.Left + G.Side, G.Top + G.Side);
    const bool InFace = PtInRegion(Face, X, Y);
    DeleteObject(Face);
    if (!InFace) {
        SetMinute(Byte(XYToMinute(X, Y)));
        return;
    }
    if (PtInRect(GetAMPMRect(), Point(X, Y))) {
        if (FAnimation) SetAM(!FAM);
        Word H, M, S, MS;
        DecodeTime(FTime, H, M, S, MS);
        FInternalCall = true;
        FCurrentHourTo = Byte(H < 12 ? H + 12 : H - 12);
        try {
            SetHour(FCurrentHourTo);
        } catch (...) {
            if (Alive) FInternalCall = false;
            throw;
        }
        if (Alive) FInternalCall = false;
        return;
    }
    SetHour(Byte(XYToHour(X, Y)));
}

void TAdvWatch::HandleKey(Word Key) {
    if (FSettings->Auto()) return;
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    auto direct = [this](auto Set) {
        const bool Saved = FInternalCall;
        FInternalCall = true;
        const TWeak<TAdvWatch> Alive(this);
        try {
            Set();
        } catch (...) {
            if (Alive) FInternalCall = Saved;
            throw;
        }
        if (Alive) FInternalCall = Saved;
    };
    switch (Key) {
        case 'A':
            if (H >= 12) SetHour(Byte(H - 12));
            break;
        case 'P':
            if (H < 12) SetHour(Byte(H + 12));
            break;
        case VK_PRIOR:
            if (H == 23)
                direct([this] { SetHour(0); });
            else
                SetHour(Byte(H + 1));
            break;
        case VK_NEXT:
            if (H == 0)
                direct([this] { SetHour(23); });
            else
                SetHour(Byte(H - 1));
            break;
        case VK_HOME:
            direct([this] { SetHour(12); });
            break;
        case VK_END:
            SetMinute(0);
            break;
        case VK_LEFT:
            if (M > 0)
                SetMinute(Byte(M - 1));
            else
                SetTime(DateOf(FTime) + EncodeTime(H == 0 ? 23 : H - 1, 59, S, MS));
            break;
        case VK_RIGHT:
            SetMinute(Byte(M < 59 ? M + 1 : 0));
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TAdvWatch::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETCURSOR:
            WMSetCursor(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TAdvWatch::WMSetCursor(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (ComponentState().Contains(csDesigning)) return;
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    ::SetCursor(StockCursor(PtInRect(GetAMPMRect(), P) ? crHandPoint : crDefault));
}

void TAdvWatch::WMGetDlgCode(TMessage& Message) { Message.Result = TabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0; }
