// The speed button's down-state rules, kept by every button that can stay down: a grouped button
// (GroupIndex not 0) stays down until another of its group goes down; a check button toggles.
#pragma once

#include "framework/ui/Buttons.h"
#include "framework/ui/Controls.h"

// Tells the controls of Button's parent that Button of GroupIndex went down (CM_BUTTONPRESSED,
// WParam the group, LParam the button); nothing for group 0 or without a parent.
void BroadcastButtonPressed(TControl* Button, int GroupIndex);

// Down := Value for a push button (an ungrouped one is only ever set up): nothing when it equals Down, or when the
// button is down and AllowAllUp is off. Going down repaints from bsUp, rests in bsExclusive and tells the group; going
// up rests in bsUp and repaints at once.
void SetPushButtonDown(TControl* Button, int GroupIndex, bool AllowAllUp, bool Value, bool& Down, TButtonState& State);

// Another button of the group went down: a button that is down too goes up (bsUp); true then.
bool ReleaseForGroupPeer(bool PeerDown, bool& Down, TButtonState& State);

// A press begins: bsDown with a repaint unless the button is down, a check button repainted at once.
void ShowButtonPressed(TControl* Button, bool Down, bool Check, TButtonState& State);

// A held press follows the pointer, Inside or not: bsDown inside, bsUp outside, bsExclusive for a
// down button, bsDown for a down check button; a changed state repaints.
void FollowHeldPress(TControl* Button, bool Down, bool Inside, bool Check, TButtonState& State);

// The state a paint starts from: bsDisabled (ending a drag) while disabled, back from it to
// bsExclusive (down and grouped) or bsUp; a down check button bsDown.
void SettlePaintState(bool Enabled, bool Down, bool Grouped, bool Check, TButtonState& State, bool& Dragging);
