// THintWindow: the small window that shows a control's hint. It is top-level, borderless,
// topmost and never activated, so the active form keeps the focus while a hint shows. The
// application (Forms.h) makes one through its HintWindowClass, sizes it with CalcHintRect and
// shows it with ActivateHint; a replacement class overrides those two.
#pragma once

#include "framework/ui/Controls.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // The rectangle, at (0, 0), that AHint needs: the text wrapped at MaxWidth (the frame and
    // margins included), with the window's font.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Shows AHint in Rect (screen coordinates) on top of every window, without activating.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    // As ActivateHint, with the data CalcHintRect was given; the base class ignores it.
    virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
    // Hides the window and destroys it; the next ActivateHint makes a new one.
    virtual void ReleaseHandle();
    // Shows the window at Rect (screen coordinates) on top of every window, without activating
    // it, as it is (no text).
    void ShowNoActivate(const TRect& Rect);

protected:
    // A popup that takes the pointer, where a hint lets it through; set before the window is
    // made. A window answering WM_NCHITTEST with HTBOTTOMRIGHT is sized by dragging there.
    void SetTakesInput(bool Value) { FTakesInput = Value; }
    void CreateWnd() override;
    void Paint() override;

private:
    bool FTakesInput = false;
};

// Input that hides the hint at once, before the control it goes to handles it: button presses
// and key presses.
bool IsHintCancellingMessage(UINT Msg);

// Makes the application's hint window (owned by AOwner); see TApplication::SetHintWindowClass.
THintWindow* DefaultHintWindowClass(TComponent* AOwner);
