// TScrollBar: a scroll bar the library paints and drives itself, so its steps, positions and
// looks are the same on every platform and can be driven by messages in tests.
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 400;  // ms from the press to the first repeat
constexpr UINT kRepeatDelay = 50;        // ms between repeats
constexpr int kMinThumbLength = 8;

}  // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    SetControlStyle(TControlStyle{csFramed, csDoubleClicks, csCaptureMouse});
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) throw EInvalidOperation(QStringLiteral("Scroll bar property out of range"));
    APosition = std::clamp(APosition, AMin, AMax);
    if (FMin == AMin && FMax == AMax && FPosition == APosition) return;
    const bool PositionChanged = FPosition != APosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    Invalidate();
    if (PositionChanged) Change();
}

void TScrollBar::SetPageSize(int Value) {
    Value = std::max(0, Value);
    if (FPageSize == Value) return;
    FPageSize = Value;
    Invalidate();
}

int TScrollBar::TrackPos() const { return FPressed == TPart::Thumb ? FTrackPos : FPosition; }

void TScrollBar::Change() {
    if (OnChange) {
        const TNotifyEvent Handler = OnChange;
        Handler(this);
    }
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) {
        const TScrollEvent Handler = OnScroll;
        Handler(this, ScrollCode, ScrollPos);
    }
}

void TScrollBar::DoScroll(TScrollCode ScrollCode, int ThumbPos) {
    int NewPos = FPosition;
    switch (ScrollCode) {
        case scLineUp:
            NewPos -= FSmallChange;
            break;
        case scLineDown:
            NewPos += FSmallChange;
            break;
        case scPageUp:
            NewPos -= FLargeChange;
            break;
        case scPageDown:
            NewPos += FLargeChange;
            break;
        case scPosition:
        case scTrack:
            NewPos = ThumbPos;
            break;
        case scTop:
            NewPos = FMin;
            break;
        case scBottom:
            NewPos = FMax;
            break;
        case scEndScroll:
            break;
    }
    NewPos = std::clamp(NewPos, FMin, FMax);
    const TWeak<TScrollBar> Self(this);
    Scroll(ScrollCode, NewPos);
    if (Self) SetPosition(NewPos);
}

// ---- Geometry

int TScrollBar::arrowLength() const {
    const int Length = FKind == sbVertical ? Height() : Width();
    const int Metric = GetSystemMetrics(FKind == sbVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    return std::min(Metric, Length / 2);
}

int TScrollBar::lastThumbPos() const {
    const int Range = FMax - FMin + 1;
    return FMax - std::max(std::min(FPageSize, Range) - 1, 0);
}

TRect TScrollBar::ArrowRect(bool Second) const {
    const int A = arrowLength();
    if (FKind == sbVertical) return Second ? Rect(0, Height() - A, Width(), Height()) : Rect(0, 0, Width(), A);
    return Second ? Rect(Width() - A, 0, Width(), Height()) : Rect(0, 0, A, Height());
}

TRect TScrollBar::TrackRect() const {
    const int A = arrowLength();
    if (FKind == sbVertical) return Rect(0, A, Width(), Height() - A);
    return Rect(A, 0, Width() - A, Height());
}

TRect TScrollBar::ThumbRect() const {
    const TRect Track = TrackRect();
    const int TrackLength = FKind == sbVertical ? Track.Height() : Track.Width();
    const int Last = lastThumbPos();
    if (Last <= FMin) return TRect{};  // nothing to scroll
    int Length = arrowLength();
    if (FPageSize > 0) {
        const long long Range = static_cast<long long>(FMax) - FMin + 1;
        Length = std::max<int>(kMinThumbLength,
                               static_cast<int>(TrackLength * std::min<long long>(FPageSize, Range) / Range));
    }
    if (Length >= TrackLength) return TRect{};
    const int Pos = std::clamp(TrackPos(), FMin, Last);
    const int Start = static_cast<int>(static_cast<long long>(Pos - FMin) * (TrackLength - Length) / (Last - FMin));
    if (FKind == sbVertical) return Rect(0, Track.Top + Start, Width(), Track.Top + Start + Length);
    return Rect(Track.Left + Start, 0, Track.Left + Start + Length, Height());
}

int TScrollBar::thumbPosAt(int ThumbStart) const {
    const TRect Track = TrackRect();
    const TRect Thumb = ThumbRect();
    const int TrackStart = FKind == sbVertical ? Track.Top : Track.Left;
    const int Room = (FKind == sbVertical ? Track.Height() - Thumb.Height() : Track.Width() - Thumb.Width());
    const int Last = lastThumbPos();
    if (Room <= 0) return FPosition;
    const long long Offset = std::clamp(ThumbStart - TrackStart, 0, Room);
    return FMin + static_cast<int>((Offset * (Last - FMin) + Room / 2) / Room);
}

TScrollBar::TPart TScrollBar::partAt(int X, int Y) const {
    const TPoint P{X, Y};
    if (ArrowRect(false).Contains(P)) return TPart::FirstArrow;
    if (ArrowRect(true).Contains(P)) return TPart::SecondArrow;
    if (!TrackRect().Contains(P)) return TPart::None;
    const TRect Thumb = ThumbRect();
    if (Thumb.IsEmpty()) return TPart::None;
    if (Thumb.Contains(P)) return TPart::Thumb;
    const int At = along(X, Y);
    return At < (FKind == sbVertical ? Thumb.Top : Thumb.Left) ? TPart::PageBefore : TPart::PageAfter;
}

// ---- Input

void TScrollBar::stepPressedPart() {
    switch (FPressed) {
        case TPart::FirstArrow:
            DoScroll(scLineUp);
            break;
        case TPart::SecondArrow:
            DoScroll(scLineDown);
            break;
        case TPart::PageBefore:
            DoScroll(scPageUp);
            break;
        case TPart::PageAfter:
            DoScroll(scPageDown);
            break;
        default:
            break;
    }
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || FPressed != TPart::None) return;
    const TPart Part = partAt(X, Y);
    if (Part == TPart::None) return;
    FPressed = Part;
    FPressedInside = true;
    if (Part == TPart::Thumb) {
        const TRect Thumb = ThumbRect();
        FTrackPos = FPosition;
        FDragOffset = along(X, Y) - (FKind == sbVertical ? Thumb.Top : Thumb.Left);
        Invalidate();
        return;
    }
    const TWeak<TScrollBar> Self(this);
    Invalidate();
    stepPressedPart();
    if (Self && FPressed != TPart::None) SetTimer(Handle(), kRepeatTimer, kFirstRepeatDelay);
}

void TScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FPressed == TPart::None) return;
    if (FPressed == TPart::Thumb) {
        const int Pos = thumbPosAt(along(X, Y) - FDragOffset);
        if (Pos == FTrackPos) return;
        FTrackPos = Pos;
        Invalidate();
        DoScroll(scTrack, Pos);
        return;
    }
    const bool Inside = partAt(X, Y) == FPressed;
    if (Inside == FPressedInside) return;
    FPressedInside = Inside;
    Invalidate();
}

void TScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FPressed != TPart::None) endGesture();
}

void TScrollBar::endGesture() {
    const TPart Pressed = FPressed;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
    FPressed = TPart::None;
    Invalidate();
    const TWeak<TScrollBar> Self(this);
    if (Pressed == TPart::Thumb) {
        DoScroll(scPosition, FTrackPos);
        if (!Self) return;
    }
    DoScroll(scEndScroll);
}

void TScrollBar::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    TScrollCode Code;
    switch (Key) {
        case VK_UP:
        case VK_LEFT:
            Code = scLineUp;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            Code = scLineDown;
            break;
        case VK_PRIOR:
            Code = scPageUp;
            break;
        case VK_NEXT:
            Code = scPageDown;
            break;
        case VK_HOME:
            Code = scTop;
            break;
        case VK_END:
            Code = scBottom;
            break;
        default:
            return;
    }
    const TWeak<TScrollBar> Self(this);
    DoScroll(Code);
    if (Self) DoScroll(scEndScroll);
}

void TScrollBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case CN_HSCROLL:
        case CN_VSCROLL:
            WMScroll(Message);
            break;
        case WM_TIMER:
            WMTimer(Message);
            break;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            WMCancelMode(Message);
            TCustomControl::Dispatch(Message);
            break;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS;
            break;
        default:
            TCustomControl::Dispatch(Message);
    }
}

void TScrollBar::WMScroll(TMessage& Message) {
    const int Code = LOWORD(Message.WParam);
    if (Code < SB_LINEUP || Code > SB_ENDSCROLL) return;
    DoScroll(static_cast<TScrollCode>(Code), static_cast<std::int16_t>(HIWORD(Message.WParam)));
    Message.Result = 0;
}

void TScrollBar::WMTimer(TMessage& Message) {
    if (TWMTimer(Message).TimerID != kRepeatTimer) return;
    if (FPressed == TPart::None || FPressed == TPart::Thumb) {
        KillTimer(Handle(), kRepeatTimer);
        return;
    }
    // Paging stops once the thumb has reached the pointer.
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    if (FPressed == TPart::PageBefore || FPressed == TPart::PageAfter) FPressedInside = partAt(P.X, P.Y) == FPressed;
    SetTimer(Handle(), kRepeatTimer, kRepeatDelay);
    if (FPressedInside) stepPressedPart();
}

void TScrollBar::WMCancelMode(TMessage&) {
    if (FPressed != TPart::None) endGesture();
}

// ---- Painting

void TScrollBar::PaintArrow(const TRect& R, bool Second, bool Pressed) {
    TRect Box = R;
    UINT State = FKind == sbVertical ? (Second ? DFCS_SCROLLDOWN : DFCS_SCROLLUP)
                                     : (Second ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    if (Pressed) State |= DFCS_PUSHED | DFCS_FLAT;
    if (!Enabled() || lastThumbPos() <= FMin) State |= DFCS_INACTIVE;
    DrawFrameControl(Canvas()->Handle(), &Box, DFC_SCROLL, State);
}

void TScrollBar::PaintTrack(const TRect& R) {
    Canvas()->Brush()->SetColor(clScrollBar);
    Canvas()->FillRect(R);
}

void TScrollBar::PaintThumb(const TRect& R) {
    TRect Box = R;
    DrawEdge(Canvas()->Handle(), &Box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void TScrollBar::Paint() {
    const auto pressed = [this](TPart Part) { return FPressed == Part && FPressedInside; };
    PaintArrow(ArrowRect(false), false, pressed(TPart::FirstArrow));
    PaintArrow(ArrowRect(true), true, pressed(TPart::SecondArrow));
    PaintTrack(TrackRect());
    const TRect Thumb = ThumbRect();
    if (!Thumb.IsEmpty() && Enabled()) PaintThumb(Thumb);
}
