// TScrollBar: a scroll bar the library paints and drives itself, so its steps, positions and
// looks are the same on every platform and can be driven by messages in tests.
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/ScrollBars.h"
#include "framework/ui/StdCtrls.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 400;  // ms from the press to the first repeat
constexpr UINT kRepeatDelay = 50;        // ms between repeats

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

TScrollBarLayout TScrollBar::layout() const {
    return TScrollBarLayout(Rect(0, 0, Width(), Height()), FKind == sbVertical, FMin, FMax, FPageSize, TrackPos());
}

TRect TScrollBar::ArrowRect(bool Second) const { return layout().Part(Second ? sbpSecondArrow : sbpFirstArrow); }

TRect TScrollBar::TrackRect() const {
    const TScrollBarLayout L = layout();
    const TRect First = L.Part(sbpFirstArrow);
    const TRect Second = L.Part(sbpSecondArrow);
    if (FKind == sbVertical) return Rect(0, First.Bottom, Width(), Second.Top);
    return Rect(First.Right, 0, Second.Left, Height());
}

TRect TScrollBar::ThumbRect() const { return layout().Part(sbpThumb); }

int TScrollBar::thumbPosAt(int ThumbStart) const {
    if (ThumbRect().IsEmpty()) return FPosition;
    return layout().PosAt(ThumbStart);
}

TScrollBar::TPart TScrollBar::partAt(int X, int Y) const {
    switch (layout().PartAt(Point(X, Y))) {
        case sbpFirstArrow:
            return TPart::FirstArrow;
        case sbpSecondArrow:
            return TPart::SecondArrow;
        case sbpPageBefore:
            return TPart::PageBefore;
        case sbpPageAfter:
            return TPart::PageAfter;
        case sbpThumb:
            return TPart::Thumb;
        default:
            return TPart::None;
    }
}

// ---- Input

// A user's step goes to the parent as WM_HSCROLL or WM_VSCROLL with this window, as the
// platform's bars report; the parent reflects it back (CN_) unless it handles it itself.
void TScrollBar::UserScroll(TScrollCode ScrollCode, int ThumbPos) {
    TWinControl* P = Parent();
    if (!P || !HandleAllocated()) {
        DoScroll(ScrollCode, ThumbPos);
        return;
    }
    P->Perform(FKind == sbVertical ? WM_VSCROLL : WM_HSCROLL,
               MAKEWPARAM(static_cast<Word>(ScrollCode), static_cast<Word>(ThumbPos)),
               reinterpret_cast<LPARAM>(Handle()));
}

void TScrollBar::stepPressedPart() {
    switch (FPressed) {
        case TPart::FirstArrow:
            UserScroll(scLineUp);
            break;
        case TPart::SecondArrow:
            UserScroll(scLineDown);
            break;
        case TPart::PageBefore:
            UserScroll(scPageUp);
            break;
        case TPart::PageAfter:
            UserScroll(scPageDown);
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
        UserScroll(scTrack, Pos);
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
        UserScroll(scPosition, FTrackPos);
        if (!Self) return;
    }
    UserScroll(scEndScroll);
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
    UserScroll(Code);
    if (Self) UserScroll(scEndScroll);
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

void TScrollBar::Paint() {
    TScrollBarPart Pressed = sbpNone;
    if (FPressedInside && FPressed == TPart::FirstArrow) Pressed = sbpFirstArrow;
    if (FPressedInside && FPressed == TPart::SecondArrow) Pressed = sbpSecondArrow;
    PaintScrollBar(Canvas(), layout(), TScrollBarLook{}, Pressed, Enabled());
}
