#include "components/dropdowns/ButtonAppearance.h"

using namespace advdropdown;

TAdvButtonAppearance::TAdvButtonAppearance()
    : FColorCheckedTo(DarkenColor(0xF9D2B2, -10, -10, 0)),
      FColorChecked(DarkenColor(0xF5F0E1, -10, -10, 0)),
      FFont(std::make_unique<TFont>()) {
    FFont->SetName(QStringLiteral("Tahoma"));
}

TAdvButtonAppearance::~TAdvButtonAppearance() = default;

void TAdvButtonAppearance::setColor(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) FireEvent(OnChange, this);
}

void TAdvButtonAppearance::SetBorderColor(TColor Value) { setColor(FBorderColor, Value); }
void TAdvButtonAppearance::SetBorderColorHot(TColor Value) { setColor(FBorderColorHot, Value); }
void TAdvButtonAppearance::SetBorderColorDown(TColor Value) { setColor(FBorderColorDown, Value); }
void TAdvButtonAppearance::SetBorderColorDisabled(TColor Value) { setColor(FBorderColorDisabled, Value); }
void TAdvButtonAppearance::SetBorderColorChecked(TColor Value) { setColor(FBorderColorChecked, Value); }
void TAdvButtonAppearance::SetColor(TColor Value) { setColor(FColor, Value); }
void TAdvButtonAppearance::SetColorTo(TColor Value) { setColor(FColorTo, Value); }
void TAdvButtonAppearance::SetColorDown(TColor Value) { setColor(FColorDown, Value); }
void TAdvButtonAppearance::SetColorDownTo(TColor Value) { setColor(FColorDownTo, Value); }
void TAdvButtonAppearance::SetColorHot(TColor Value) { setColor(FColorHot, Value); }
void TAdvButtonAppearance::SetColorHotTo(TColor Value) { setColor(FColorHotTo, Value); }
void TAdvButtonAppearance::SetColorChecked(TColor Value) { setColor(FColorChecked, Value); }
void TAdvButtonAppearance::SetColorCheckedTo(TColor Value) { setColor(FColorCheckedTo, Value); }
void TAdvButtonAppearance::SetColorDisabled(TColor Value) { setColor(FColorDisabled, Value); }
void TAdvButtonAppearance::SetColorDisabledTo(TColor Value) { setColor(FColorDisabledTo, Value); }

void TAdvButtonAppearance::SetGradient(TGradientDirection Value) {
    if (FGradient == Value) return;
    FGradient = Value;
    if (OnChange) FireEvent(OnChange, this);
}

void TAdvButtonAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TAdvButtonAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(S->FColor);
    SetColorTo(S->FColorTo);
    SetColorHot(S->FColorHot);
    SetColorHotTo(S->FColorHotTo);
    SetColorDown(S->FColorDown);
    SetColorDownTo(S->FColorDownTo);
    SetColorChecked(S->FColorChecked);
    SetColorCheckedTo(S->FColorCheckedTo);
    SetColorDisabled(S->FColorDisabled);
    SetColorDisabledTo(S->FColorDisabledTo);
    SetBorderColor(S->FBorderColor);
    SetBorderColorHot(S->FBorderColorHot);
    SetBorderColorDown(S->FBorderColorDown);
    SetBorderColorChecked(S->FBorderColorChecked);
    SetBorderColorDisabled(S->FBorderColorDisabled);
    SetGradient(S->FGradient);
}
