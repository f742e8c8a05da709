// TAdvCheckBox: the grid's own owner-drawn check box (the search panel's "match case"): a themed
// box when visual styles are on, a classic one otherwise, a plain one-line caption beside it (an
// end ellipsis when asked), the box on either side and at the top, middle or bottom, a read-only
// mode that stops every toggle by the user, and a transparent look that shows the parent's
// background, optionally cached until the control moves.
#pragma once

#include "components/controls/HTMLCheckBox.h"
#include "framework/ui/Controls.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TAdvCheckBox : public TCustomControl {
public:
    // 98 x 20, the class name as caption; OnClick comes only from the box's own toggles.
    explicit TAdvCheckBox(TComponent* AOwner);
    ~TAdvCheckBox() override;

    // taLeftJustify: the box left of the caption; taRightJustify: the box at the right edge.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }  // default tlTop
    void SetButtonVertAlign(TTextLayout Value);
    // Kept in step with the window text.
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // Writing works in ReadOnly too.
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    // Mouse, Space and the accelerator leave the state alone.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // Enter moves on as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    TCheckBoxState State() const { return FState; }  // default cbUnchecked
    void SetState(TCheckBoxState Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Keep the parent's background between paints (the name is spelled so).
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
    // The box shown pressed; the mouse and Space set it.
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }

    // Unless ReadOnly: checked becomes unchecked, anything else checked.
    virtual void Toggle();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Where the box is drawn now, themed or classic.
    TRect BoxRect() const;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

    void WMEraseBkgnd(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

private:
    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    bool FEllipsis = false;
    String FCaption;
    bool FIsWinXP = false;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;

    bool themed() const;
    int themeState() const;
    TRect captionRect() const;
    void paintCaption(TCanvas* C, const TRect& R);
    // The 20 pixels of the box's side; the part a state change repaints.
    void invalidateBoxStrip();
};
