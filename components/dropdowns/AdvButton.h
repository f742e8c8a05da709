// The push buttons of a drop-down popup's header and footer: flat until the pointer is over them,
// painted in the colours of the edit's shared TAdvButtonAppearance, with an optional image and a
// caption. A footer button's modal result may close the popup, accepting or cancelling it. The
// down state and radio groups of a speed button are kept, though the strips only push.
#pragma once

#include "components/dropdowns/ButtonAppearance.h"
#include "framework/ui/Buttons.h"
#include "framework/ui/Controls.h"
#include "framework/ui/ModalResults.h"

class TAdvCustomDropDown;
class TCustomImageList;
class TTimer;

namespace advdropdown {
enum TAdvButtonStyle { tasButton, tasCheck };
enum TAdvButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
}  // namespace advdropdown

class TAdvButton : public TCustomControl {
public:
    // 22 x 23, font "Tahoma" through ParentFont, no hint, double buffered.
    explicit TAdvButton(TComponent* AOwner);
    ~TAdvButton() override;

    // Radio group; 0: none.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // A grouped button may be released by a second click.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    advdropdown::TAdvButtonStyle Style() const { return FStyle; }
    void SetStyle(advdropdown::TAdvButtonStyle Value) { FStyle = Value; }
    advdropdown::TAdvButtonState State() const;
    bool MouseInControl() const { return FMouseInControl; }
    // The colours; without them the button shows only its parent's background. Not owned.
    TAdvButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TAdvButtonAppearance* Value) { FAppearance = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }  // negative: no image
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // The drop-down whose popup the modal result may close.
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvCustomDropDown* Value) { FAdvDropDown = Value; }
    // The 1 ms timer that catches a mouse-leave that never came.
    TTimer* UnHotTimer() const { return FUnHotTimer; }

    // Sizes the button to its caption (in the appearance's font) and image, plus 8 by 4.
    void AdjustButtonSize();
    // Gives the parent form the modal result, closes the popup when the result says so, then
    // fires OnClick unless the click came from the keyboard.
    void Click() override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void DrawButton();
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);

private:
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    advdropdown::TAdvButtonStyle FStyle = advdropdown::tasButton;
    TButtonState FState = bsUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    TTimer* FUnHotTimer;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TAdvButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    TModalResult FModalResult = mrNone;
    TAdvCustomDropDown* FAdvDropDown = nullptr;

    void showPressed();
    void mouseEntered();
    void mouseLeft();
    void unHotTimerTick();
    void UpdateTracking();
    bool inside(int X, int Y) const;
};
