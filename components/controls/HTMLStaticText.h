// THTMLStaticText: a windowed static text whose text is mini-HTML markup. Beyond the HTML label it
// takes the keyboard focus and walks a focus frame over the hyperlinks with the arrow keys, opens
// the focused one with Enter or Space, reports right clicks on hyperlinks, blinks <BLINK> text,
// animates pictures and scrolls text taller than the control with two small arrow buttons (mini
// scroll). Every paint builds the whole look (frames, background, text) in an off-screen bitmap.
#pragma once

#include "components/controls/HTMLControlTypes.h"
#include "components/graphics/MiniHTML.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;
class TStringList;
class TStrings;

class THTMLStaticText : public TCustomStaticText {
public:
    explicit THTMLStaticText(TComponent* AOwner);
    ~THTMLStaticText() override;

    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    // Whether an arrow under the pointer scrolls on every tick without a held button.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    bool AutoSizing() const { return FAutoSizing; }
    void SetAutoSizing(bool Value);
    TAutoSizeType AutoSizeType() const { return FAutoSizeType; }  // default asVertical
    void SetAutoSizeType(TAutoSizeType Value) { FAutoSizeType = Value; }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }  // default 1
    void SetBevelWidth(int Value);
    // Width of the frame in Color and, with bsSingle, of the single border.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // bsNone or bsSingle
    void SetBorderStyle(TBorderStyle Value);
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value);
    // No word wrap; lines that do not fit end in an ellipsis.
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool Hover() const { return FHover; }
    void SetHover(bool Value);
    TColor HoverColor() const { return FHoverColor; }  // clNone: unchanged
    void SetHoverColor(TColor Value) { FHoverColor = Value; }
    TColor HoverFontColor() const { return FHoverFontColor; }  // clNone: unchanged
    void SetHoverFontColor(TColor Value) { FHoverFontColor = Value; }
    // The markup, one or more lines shown joined with nothing between them.
    TStrings* HTMLText() const;
    void SetHTMLText(TStrings* Value);
    // Dropped when the list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(int Value);
    // Switching on sets VAlignment to tvaTop; switching off returns VOffset to 0.
    bool MiniScroll() const { return FMiniScroll; }
    void SetMiniScroll(bool Value);
    // Dropped when the container is freed.
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor ShadowColor() const { return FShadowColor; }  // default clGray
    void SetShadowColor(TColor Value);
    int ShadowOffset() const { return FShadowOffset; }  // default 1
    void SetShadowOffset(int Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    // Anything but tvaTop switches mini scroll off.
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    // "1.4.1.0"; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    // Text width, and text height + 2, found by the last paint.
    int HTMLHeight() const { return FHTMLHeight; }
    int HTMLWidth() const { return FHTMLWidth; }
    // The display text without its markup.
    String Text() const;
    // Mini-scroll offset in pixels; written only while mini scroll is on, negative values give 0.
    int VOffset() const { return FVOffset; }
    void SetVOffset(int Value);

    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorRightClick;
    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;
    // Enter or Space with the focused anchor's reference (empty when none has the focus).
    TAnchorClick OnAnchorKeypress;
    TAnchorHintEvent OnAnchorHint;
    TOnNewSize OnNewSize;

    int GetVersionNr() const { return 0x01040100; }
    // Paints now, in full.
    void Doit();
    void BeginUpdate();
    void EndUpdate();
    // Wraps every occurrence of HiText in the text with <hi> (HilightText) or <e> (MarkText);
    // the Un... forms take those tags out again.
    void HilightText(const String& HiText, bool DoCase);
    void UnHilightText();
    void MarkText(const String& HiText, bool DoCase);
    void UnMarkText();

protected:
    void Loaded() override;
    // The timer lives with the window: started when it is made, stopped when it goes.
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(Char& Key) override;

    virtual String GetDisplayText() const;
    virtual void AnchorClick(const String& Anchor);
    virtual void AnchorRightClick(const String& Anchor);

    void WMPaint(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void CMHintShow(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMMouseEnter(TMessage& Message);

private:
    bool FBlinking = true;  // the blink phase: true = <BLINK> text visible
    String FAnchor;
    TRect FCurrHoverRect{-1, -1, -1, -1};
    bool FAutoSizing = false;
    std::unique_ptr<TStringList> FHTMLText;
    bool FAnchorHint = false;
    TComponentLink<TCustomImageList> FImages{[this] { Invalidate(); }};
    std::unique_ptr<THTMLPictureCache> FImageCache;
    bool FHover = false;
    TColor FHoverColor = clNone;
    TColor FHoverFontColor = clNone;
    TColor FShadowColor = clGray;
    int FShadowOffset = 1;
    int Fupdatecount = 0;
    int FTimerID = 0;
    TColor FURLColor = clBlue;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    int FFocusHyperLink = -1;  // 0-based
    int FHoverHyperLink = -1;  // 1-based
    int FOldHoverHyperlink = -1;
    String FFocusAnchor;
    int FNumHyperLinks = 0;
    bool FEnableBlink = false;
    TVAlignment FVAlignment = tvaTop;
    int FTimerCount = 0;
    TAutoSizeType FAutoSizeType = asVertical;
    bool FEllipsis = false;
    TComponentLink<TPictureContainer> FContainer{[this] { Invalidate(); }};
    int FVOffset = 0;
    bool FMiniScroll = false;
    bool FUpScroll = false;
    bool FDownScroll = false;
    bool FMouseDown = false;
    bool FAutoScroll = false;
    int FHTMLWidth = 0;
    int FHTMLHeight = 0;
    int FLineSpacing = 0;

    void PaintHTML();
    // The anchor at (X, Y) (its reference, empty when none) and its rectangle; keeps the 1-based
    // index in FHoverHyperLink.
    String IsAnchor(int X, int Y, TRect& AnchorRect);
    void htmlTextChanged();
    // Where the text goes: the client rectangle less the frames.
    TRect textRect() const;
    // The text's rectangle for a vertical alignment other than tvaTop, on Canvas.
    void alignVertically(TCanvas* Canvas, const String& Markup, TRect& R);
    TMarkupRequest markupRequest(TCanvas* Canvas, const String& Markup, const TRect& R) const;
    bool timerWanted() const { return FEnableBlink || FAutoScroll || FMiniScroll; }
    void startTimer();
    void stopTimer();
    void updateTimer();
    bool inArrowZone(int X, int Y, bool Up) const;
    void scrollByArrowAt(int X, int Y);
    void openWhenLink(const String& Anchor);
    TPoint pointerPos() const;
    bool loading() const { return ComponentState().Contains(csLoading); }
};
