#include "components/dropdowns/AdvControlDropDown.h"

void TAdvControlDropDown::Loaded() {
    TAdvDropDown::Loaded();
    if (!ComponentState().Contains(csDesigning)) PlaceDropDownControl();
}
