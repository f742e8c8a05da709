#pragma once

#include "framework/ui/Buttons.h"

// A speed button that knows whether the pointer is over it and repaints when that changes.
class THotSpeedButton : public TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;
    // The pointer is over the button.
    bool Hot() const { return FHot; }

protected:
    void Dispatch(TMessage& Message) override;

private:
    void trackPointer(TMessage& Message, bool Over);
    bool FHot = false;
};
