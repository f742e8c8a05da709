// TAdvTrackBarDropDown: a drop-down edit that keeps an integer position and shows a track bar in
// its popup. The edit takes no typing; the arrow keys and mouse drags over it move the position.
#pragma once

#include "components/dropdowns/AdvDropDown.h"

class TTrackBar;

class TAdvTrackBarDropDown : public TAdvDropDown {
public:
    // Shows "0"; no header or footer.
    explicit TAdvTrackBarDropDown(TComponent* AOwner);

    int Min() const { return FMin; }  // default 0
    void SetMin(int Value);
    int Max() const { return FMax; }  // default 10
    void SetMax(int Value);
    // The track bar keeps it within Min .. Max.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // Tick frequency and the arrow keys' step.
    int Frequency() const { return FFrequency; }  // default 1
    void SetFrequency(int Value);
    // The track bar's page, and the pixels a drag over the edit needs for one step (below 1: 1).
    int PageSize() const { return FPageSize; }  // default 2
    void SetPageSize(int Value);
    TTrackBar* TrackBar() const { return FTrackBar; }

    // The track bar moved.
    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void Change() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TTrackBar* FTrackBar = nullptr;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;

    void TrackBarChange(TObject* Sender);
};
