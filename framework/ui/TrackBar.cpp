#include "framework/ui/TrackBar.h"

#include "framework/ui/FrameControls.h"

#include <algorithm>

namespace {
constexpr int ThumbHalf = 5;  // the thumb is 11 pixels wide
constexpr int ChannelInset = 12;
}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::SetMin(int Value) {
    FMin = Value;
    FMax = std::max(FMax, FMin);
    SetPosition(FPosition);
    Invalidate();
}

void TTrackBar::SetMax(int Value) {
    FMax = Value;
    FMin = std::min(FMin, FMax);
    SetPosition(FPosition);
    Invalidate();
}

void TTrackBar::SetPosition(int Value) {
    Value = std::clamp(Value, FMin, FMax);
    if (Value == FPosition) return;
    FPosition = Value;
    Invalidate();
    if (OnChange) FireEvent(OnChange, this);
}

void TTrackBar::SetFrequency(int Value) {
    FFrequency = Value;
    Invalidate();
}

TRect TTrackBar::channelRect() const {
    return Rect(ChannelInset, 8, std::max(ChannelInset + 1, Width() - ChannelInset), 12);
}

int TTrackBar::thumbCentre() const {
    const TRect C = channelRect();
    if (FMax == FMin) return C.Left;
    return C.Left + static_cast<int>(static_cast<Int64>(FPosition - FMin) * (C.Width() - 1) / (FMax - FMin));
}

int TTrackBar::positionAt(int X) const {
    const TRect C = channelRect();
    if (C.Width() <= 1) return FMin;
    const double Share = static_cast<double>(X - C.Left) / (C.Width() - 1);
    return std::clamp(FMin + static_cast<int>(std::lround(Share * (FMax - FMin))), FMin, FMax);
}

void TTrackBar::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    TRect Channel = channelRect();
    DrawEdge(C->Handle(), &Channel, EDGE_SUNKEN, BF_RECT);
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    if (FFrequency > 0 && FMax > FMin) {
        for (Int64 P = FMin; P <= FMax; P += FFrequency) {
            const TRect R = channelRect();
            const int X = R.Left + static_cast<int>((P - FMin) * (R.Width() - 1) / (FMax - FMin));
            C->MoveTo(X, 26);
            C->LineTo(X, 30);
        }
    }
    const int X = thumbCentre();
    TRect Thumb = Rect(X - ThumbHalf, 2, X + ThumbHalf + 1, 22);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Thumb);
    DrawEdge(C->Handle(), &Thumb, EDGE_RAISED, BF_RECT);
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft) return;
    if (CanFocus()) SetFocus();
    SetPosition(positionAt(X));
}

void TTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (Self && Shift.Contains(ssLeft)) SetPosition(positionAt(X));
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TControl> Self(this);
    TCustomControl::KeyDown(Key, Shift);
    if (!Self) return;
    switch (Key) {
        case VK_LEFT:
        case VK_UP:
            SetPosition(FPosition - 1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            SetPosition(FPosition + 1);
            break;
        case VK_PRIOR:
            SetPosition(FPosition - FPageSize);
            break;
        case VK_NEXT:
            SetPosition(FPosition + FPageSize);
            break;
        case VK_HOME:
            SetPosition(FMin);
            break;
        case VK_END:
            SetPosition(FMax);
            break;
        default:
            break;
    }
}

void TTrackBar::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomControl::Dispatch(Message);
}
