// TCustomButtonControl: what the owner-drawn check and radio controls share. Focus and hover are
// tracked for the look; the mouse and Space show the control pressed and activate it on release
// (a release over the control, with the press begun there); the caption's accelerator activates
// it; Enter can move on as Tab does; a transparent control leaves the background to its painting.
// The subclasses paint and say what activating does and what a change of look repaints.
#pragma once

#include "framework/ui/Controls.h"

#include <memory>

class TCustomButtonControl : public TCustomControl {
public:
    // The caption; the accelerator is looked up in it.
    String Caption() const { return FCaption; }
    // The control shown pressed; the mouse and Space set it, writing it only stores it.
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool Transparent() const { return FTransparent; }
    // Keep the parent's background in a bitmap between paints (the name is spelled so).
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }

protected:
    // 98 x 20.
    explicit TCustomButtonControl(TComponent* AOwner);

    // What Space, a release over the control and (unless overridden) the accelerator do.
    virtual void activate() = 0;
    virtual void activateByAccelerator() { activate(); }
    // Whether a release over the control activates it.
    virtual bool activateOnRelease() const { return true; }
    // Repaints what the pressed look changed.
    virtual void pressedChanged() { Invalidate(); }
    // Repaints what the hover changed.
    virtual void hotChanged() { Invalidate(); }

    // Edges included, so a release where the control still shows pressed also activates.
    bool pressInside(int X, int Y) const { return X >= 0 && X <= Width() && Y >= 0 && Y <= Height(); }
    // While the mouse is captured, the pressed look follows the pointer in and out.
    void trackPress(int X, int Y);

    void Dispatch(TMessage& Message) override;
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

    String FCaption;
    bool FDown = false;
    bool FFocused = false;
    bool FHot = false;
    bool FMouseDown = false;  // a press began on the control
    bool FReturnIsTab = false;
    bool FIsWinXP = false;  // the system has visual styles
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};
