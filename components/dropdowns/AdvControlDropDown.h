// TAdvControlDropDown: a drop-down edit whose popup shows any control the user assigns.
#pragma once

#include "components/dropdowns/AdvDropDown.h"

class TAdvControlDropDown : public TAdvDropDown {
public:
    using TAdvDropDown::TAdvDropDown;

    // The control the popup shows from the next opening; the old one is hidden and unaligned.
    TControl* Control() const { return FControl; }
    using TAdvCustomDropDown::SetControl;

protected:
    // A control assigned in the stored form is placed in the popup.
    void Loaded() override;
};
