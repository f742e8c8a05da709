// TScrollBox: a container whose content may be larger than it is. Its scroll bars (child
// scroll-bar controls at its right and bottom edge, outside its client area) show while the
// content passes the client area on their side; scrolling moves the content controls.
#pragma once

#include "framework/ui/StdCtrls.h"

class TScrollBox;

// One side's bar: the range is the content's extent on that side (with the scrolled-away part).
class TControlScrollBar {
public:
    TControlScrollBar(TScrollBox* Control, TScrollBarKind Kind);

    TScrollBarKind Kind() const { return FKind; }
    // Kept within 0 .. Range - the client extent; a change scrolls the content.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int Range() const { return FRange; }
    // Room kept beyond the content when a control is scrolled into view.
    int Margin() const { return FMargin; }  // default 0
    void SetMargin(int Value) { FMargin = Value; }
    // False: the bar never shows.
    bool Visible() const { return FVisible; }  // default true
    void SetVisible(bool Value);
    // The content follows the thumb while it is dragged.
    bool Tracking() const { return FTracking; }  // default false
    void SetTracking(bool Value) { FTracking = Value; }
    // Whether the bar is shown now.
    bool IsScrollBarVisible() const { return FShown; }
    // The scroll-bar control itself.
    TScrollBar* Bar() const { return FBar; }

private:
    friend class TScrollBox;
    TScrollBox* FControl;
    TScrollBarKind FKind;
    int FPosition = 0;
    int FRange = 0;
    int FMargin = 0;
    bool FVisible = true;
    bool FTracking = false;
    bool FShown = false;
    TScrollBar* FBar = nullptr;

    int clientExtent() const;
};

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    ~TScrollBox() override;

    // Shows the bars the content needs.
    bool AutoScroll() const { return FAutoScroll; }  // default true
    void SetAutoScroll(bool Value);
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }

    // Moves the content controls by DX, DY (the bars' positions are the caller's).
    void ScrollBy(int DX, int DY);

protected:
    // Less the bars that show.
    TRect GetClientRect() const override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    bool FAutoScroll = true;
    bool FUpdating = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;

    friend class TControlScrollBar;
    bool isBar(TControl* C) const;
    void updateScrollBars();
    void barScrolled(TControlScrollBar* Which, TScrollCode Code, int Pos);
};
