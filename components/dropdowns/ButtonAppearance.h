// The colours and font that every button of a drop-down popup's header and footer paints with.
// The drop-down edit owns one (ButtonAppearance); the component styles fill it.
#pragma once

#include "components/dropdowns/AdvDropDownDraw.h"
#include "framework/rtl/Component.h"
#include "framework/ui/Graphics.h"

#include <memory>

// Every colour and Gradient writer tells OnChange (Sender: the appearance) when the value
// changes; Font copies the font silently.
class TAdvButtonAppearance : public TPersistent {
public:
    TAdvButtonAppearance();
    ~TAdvButtonAppearance() override;

    TColor BorderColor() const { return FBorderColor; }  // default clNone
    void SetBorderColor(TColor Value);
    TColor BorderColorHot() const { return FBorderColorHot; }  // default 0x808080
    void SetBorderColorHot(TColor Value);
    TColor BorderColorDown() const { return FBorderColorDown; }  // default 0x800000
    void SetBorderColorDown(TColor Value);
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }  // default 0x808080
    void SetBorderColorDisabled(TColor Value);
    TColor BorderColorChecked() const { return FBorderColorChecked; }  // default 0xFF0000
    void SetBorderColorChecked(TColor Value);
    TColor Color() const { return FColor; }  // default clNone
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }  // default clNone
    void SetColorTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }  // default 0xF5D8CA
    void SetColorDown(TColor Value);
    TColor ColorDownTo() const { return FColorDownTo; }  // default 0xF9BDA0
    void SetColorDownTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }  // default 0xF5F0E1
    void SetColorHot(TColor Value);
    TColor ColorHotTo() const { return FColorHotTo; }  // default 0xF9D2B2
    void SetColorHotTo(TColor Value);
    // The hot colours darkened by 10% in red and green.
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor ColorDisabled() const { return FColorDisabled; }  // default 0xF2F2F2
    void SetColorDisabled(TColor Value);
    TColor ColorDisabledTo() const { return FColorDisabledTo; }  // default clNone
    void SetColorDisabledTo(TColor Value);
    advdropdown::TGradientDirection Gradient() const { return FGradient; }  // default gdVertical
    void SetGradient(advdropdown::TGradientDirection Value);
    TFont* Font() const { return FFont.get(); }  // "Tahoma"
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

    // From another button appearance: every colour and the gradient through their writers (the
    // font stays); any other source raises the conversion error.
    void Assign(TPersistent* Source) override;

private:
    TColor FBorderColor = clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked;
    advdropdown::TGradientDirection FGradient = advdropdown::gdVertical;
    std::unique_ptr<TFont> FFont;

    void setColor(TColor& Field, TColor Value);
};
