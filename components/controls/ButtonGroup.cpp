#include "components/controls/ButtonGroup.h"

void BroadcastButtonPressed(TControl* Button, int GroupIndex) {
    if (GroupIndex == 0 || !Button->Parent()) return;
    TMessage Msg{CM_BUTTONPRESSED, static_cast<WPARAM>(GroupIndex), reinterpret_cast<LPARAM>(Button), 0};
    Button->Parent()->Broadcast(Msg);
}

void SetPushButtonDown(TControl* Button, int GroupIndex, bool AllowAllUp, bool Value, bool& Down, TButtonState& State) {
    if (Value == Down || (Down && !AllowAllUp)) return;
    Down = Value;
    if (Value) {
        if (State == bsUp) Button->Invalidate();
        State = bsExclusive;
        BroadcastButtonPressed(Button, GroupIndex);
    } else {
        State = bsUp;
        Button->Repaint();
    }
}

bool ReleaseForGroupPeer(bool PeerDown, bool& Down, TButtonState& State) {
    if (!PeerDown || !Down) return false;
    Down = false;
    State = bsUp;
    return true;
}

void ShowButtonPressed(TControl* Button, bool Down, bool Check, TButtonState& State) {
    if (!Down) {
        State = bsDown;
        Button->Invalidate();
    }
    if (Check) {
        State = bsDown;
        Button->Repaint();
    }
}

void FollowHeldPress(TControl* Button, bool Down, bool Inside, bool Check, TButtonState& State) {
    TButtonState Held = Down ? bsExclusive : (Inside ? bsDown : bsUp);
    if (Check && Down) Held = bsDown;
    if (Held == State) return;
    State = Held;
    Button->Invalidate();
}

void SettlePaintState(bool Enabled, bool Down, bool Grouped, bool Check, TButtonState& State, bool& Dragging) {
    if (!Enabled) {
        State = bsDisabled;
        Dragging = false;
    } else if (State == bsDisabled) {
        State = (Down && Grouped) ? bsExclusive : bsUp;
    }
    if (Check && Down) State = bsDown;
}
