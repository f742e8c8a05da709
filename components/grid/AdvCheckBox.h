// TAdvCheckBox: the grid's own owner-drawn check box (the search panel's "match case"): a themed
// box when visual styles are on, a classic one otherwise, a plain one-line caption beside it (an
// end ellipsis when asked), the box on either side and at the top, middle or bottom, a read-only
// mode that stops every toggle by the user, and a transparent look that shows the parent's
// background, optionally cached until the control moves.
#pragma once

#include "components/controls/ButtonControl.h"
#include "components/controls/HTMLCheckBox.h"
#include "framework/ui/StdCtrls.h"

class TAdvCheckBox : public TCustomButtonControl {
public:
    // 98 x 20, the class name as caption; OnClick comes only from the box's own toggles.
    explicit TAdvCheckBox(TComponent* AOwner);
    ~TAdvCheckBox() override;

    // taLeftJustify: the box left of the caption; taRightJustify: the box at the right edge.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }  // default tlTop
    void SetButtonVertAlign(TTextLayout Value);
    // Caption, kept in step with the window text.
    void SetCaption(const String& Value);
    // Writing works in ReadOnly too.
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    // Mouse, Space and the accelerator leave the state alone.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCheckBoxState State() const { return FState; }  // default cbUnchecked
    void SetState(TCheckBoxState Value);
    // Transparent: the parent's background shows.
    void SetTransparent(bool Value);

    // Unless ReadOnly: checked becomes unchecked, anything else checked.
    virtual void Toggle();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Where the box is drawn now, themed or classic.
    TRect BoxRect() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Toggle, then OnClick; the accelerator only toggles.
    void activate() override;
    void activateByAccelerator() override { Toggle(); }
    bool activateOnRelease() const override { return FFocused; }
    void pressedChanged() override { invalidateBoxStrip(); }
    void hotChanged() override { invalidateBoxStrip(); }

private:
    TCheckBoxState FState = cbUnchecked;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    bool FEllipsis = false;
    bool FReadOnly = false;

    bool themed() const;
    int themeState() const;
    TRect captionRect() const;
    void paintCaption(TCanvas* C, const TRect& R);
    // The 20 pixels of the box's side; the part a state change repaints.
    void invalidateBoxStrip();
};
