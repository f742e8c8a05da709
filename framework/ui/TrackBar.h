// TTrackBar: a horizontal slider over Min .. Max with tick marks every Frequency positions. The
// thumb follows a press or a drag on the channel; Left and Up step back, Right and Down forward,
// Page Up and Page Down by PageSize.
#pragma once

#include "framework/ui/Controls.h"

class TTrackBar : public TCustomControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }  // default 0
    void SetMin(int Value);
    int Max() const { return FMax; }  // default 10
    void SetMax(int Value);
    // Kept within Min .. Max; a change fires OnChange.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int PageSize() const { return FPageSize; }  // default 2
    void SetPageSize(int Value) { FPageSize = Value; }
    int Frequency() const { return FFrequency; }  // default 1
    void SetFrequency(int Value);

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FFrequency = 1;

    TRect channelRect() const;
    int positionAt(int X) const;
    int thumbCentre() const;
};
