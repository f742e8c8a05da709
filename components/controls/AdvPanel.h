// TAdvPanel: a container with a caption bar along its top, left or right edge that collapses the
// panel to the bar and expands it again (animated in steps), mini-HTML text in its body with
// hyperlinks and hover colours, an optional status bar along the opposite edge, a solid, gradient
// or two-part "mirror" background, a picture, a coloured border with a drop shadow, moving by the
// caption and sizing by the edges inside its parent, and storage of its position and collapse
// state in an INI file or the registry. A TAdvPanelStyler gives many panels one look; a
// TAdvPanelGroup stacks panels and follows their collapsing.
//
// The members are split by concern: AdvPanel.cpp (properties, life cycle, collapse, sizing,
// settings, storage), AdvPanel_Paint.cpp, AdvPanel_Shading.cpp (the caption effects) and
// AdvPanel_Mouse.cpp (buttons, anchors, hints, moving and sizing).
#pragma once

#include "components/controls/AdvPanelSettings.h"
#include "components/controls/HTMLControlTypes.h"
#include "components/graphics/AdvHintInfo.h"
#include "components/graphics/MiniHTML.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/ExtCtrls.h"

#include <memory>
#include <vector>

class TAdvImage;
class TAdvPanelSettings;
class TAdvPanelStyler;
class TChangeLink;
class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

namespace advpanel {
// The menus' background position has more members.
enum TBackGroundPosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpTiled, bpStretched, bpCenter };
}  // namespace advpanel

// The markup controls' vertical alignment: tvaTop, tvaCenter, tvaBottom.
using TTextVAlignment = TVAlignment;
// (Sender, Anchor).
using TAnchorEvent = TAnchorClick;
// Called after painting with the canvas painted on and the client rectangle.
using TPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

// Col1 unchanged at 100 (a system colour stays one); otherwise each RGB channel is
// Percent/100 of Col1's plus the rest of Col2's, rounded half to even.
TColor BlendPanelColor(TColor Col1, TColor Col2, int Percent);
// Steps bands (0 counts as 1) from FromColor at the left (top) towards ToColor; each band is drawn
// one pixel wider than its share, so neighbours overlap.
void DrawPanelGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps);
// With Fill, Color and ColorMirror set: Rect split at its middle across the gradient
// (gdHorizontal: left and right halves with horizontal bands), 32 bands from Color to ColorTo in
// the first half and from ColorMirror to ColorMirrorTo in the second; then a frame in BorderColor
// unless it is clNone.
void DrawPanelMirrorGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                             TColor ColorMirrorTo, advpanel::TGradientDirection Direction, TColor BorderColor,
                             bool Fill);

class TCustomAdvPanel : public TCustomPanel, public ITesselOfficeHint, public ITesselTones, public IAutoSizeOwner {
public:
    explicit TCustomAdvPanel(TComponent* AOwner);
    ~TCustomAdvPanel() override;

    // ---- Caption, status bar and the owned settings (writers assign into the owned objects)
    TPanelCaption* Caption() const { return FCaption.get(); }
    void SetCaption(TPanelCaption* Value) { FCaption->Assign(Value); }
    TPanelStatusBar* StatusBar() const { return FStatusBar.get(); }
    void SetStatusBar(TPanelStatusBar* Value) { FStatusBar->Assign(Value); }
    TPanelPosition* Position() const { return FPosition.get(); }
    void SetPosition(TPanelPosition* Value) { FPosition->Assign(Value); }
    TAutoSize* AutoSize() const { return FAutoSize.get(); }
    // Ignored while the form is loading.
    void SetAutoSize(TAutoSize* Value);
    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }

    // ---- Body
    // Mini-HTML; a change repaints and sizes the panel to it (AutoSize).
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    // Text without its tags.
    String RawText() const;
    TAdvImage* Background() const { return FImage.get(); }
    void SetBackground(TAdvImage* Value);
    advpanel::TBackGroundPosition BackgroundPosition() const { return FBackgroundPosition; }
    void SetBackgroundPosition(advpanel::TBackGroundPosition Value);
    TColor ColorTo() const { return FColorTo; }  // clNone (default): solid Color
    void SetColorTo(TColor Value);
    // The second half of a two-part background (needs ColorTo too); clNone: none.
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor Value);
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor Value);
    advpanel::TGradientDirection GradientDirection() const { return FGradientDirection; }  // default gdVertical
    void SetGradientDirection(advpanel::TGradientDirection Value);
    TColor BorderColor() const { return FBorderColor; }  // default clBlack; clNone: no coloured border
    void SetBorderColor(TColor Value);
    // A two-pixel shadow at the right and bottom.
    bool BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(bool Value);
    bool Buffered() const { return FBuffered; }  // default true; off, the body text is clipped to the body
    void SetBuffered(bool Value) { FBuffered = Value; }
    TTextVAlignment TextVAlign() const { return FTextVAlign; }
    void SetTextVAlign(TTextVAlignment Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    int TopIndent() const { return FTopIndent; }
    void SetTopIndent(int Value);
    int BottomIndent() const { return FBottomIndent; }
    void SetBottomIndent(int Value);
    int LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(int Value);
    // Cut lines with an ellipsis instead of wrapping them.
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    TColor ShadowColor() const { return FShadowColor; }  // default clGray: <SHAD> text shadows
    void SetShadowColor(TColor Value);
    int ShadowOffset() const { return FShadowOffset; }  // default 2
    void SetShadowOffset(int Value);
    bool Hover() const { return FHover; }  // hyperlinks change colour under the pointer
    void SetHover(bool Value) { FHover = Value; }
    TColor HoverColor() const { return FHoverColor; }
    void SetHoverColor(TColor Value) { FHoverColor = Value; }
    TColor HoverFontColor() const { return FHoverFontColor; }
    void SetHoverFontColor(TColor Value) { FHoverFontColor = Value; }
    // The anchor under the pointer is the hint.
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    // Dropped when the list or the container is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);

    // ---- Collapsing
    // Collapsed to the caption bar; the writer runs the animation (below).
    bool Collaps() const { return FCollaps; }
    void SetCollaps(bool Value);
    // Body colour while collapsed (with CollapsSteps > 0); clNone keeps the colour.
    TColor CollapsColor() const { return FCollapsColor; }  // default clGray
    void SetCollapsColor(TColor Value) { FCollapsColor = Value; }
    int CollapsDelay() const { return FCollapsDelay; }  // default 20 ms slept after each step
    void SetCollapsDelay(int Value) { FCollapsDelay = Value; }
    int CollapsSteps() const { return FCollapsSteps; }  // default 0: no animation
    void SetCollapsSteps(int Value) { FCollapsSteps = Value; }
    bool AutoHideChildren() const { return FAutoHideChildren; }  // default true
    void SetAutoHideChildren(bool Value) { FAutoHideChildren = Value; }
    // The expanded extent: the height with a top caption, the width with a side caption.
    int FullHeight() const { return FFullHeight; }
    void SetFullHeight(int Value) { FFullHeight = Value; }

    // ---- Moving and sizing by the mouse
    bool CanMove() const { return FCanMove; }  // the caption drags the panel
    void SetCanMove(bool Value) { FCanMove = Value; }
    bool CanSize() const { return FCanSize; }  // the edges size the panel
    void SetCanSize(bool Value);
    bool FixedTop() const { return FFixedTop; }
    void SetFixedTop(bool Value) { FFixedTop = Value; }
    bool FixedLeft() const { return FFixedLeft; }
    void SetFixedLeft(bool Value) { FFixedLeft = Value; }
    bool FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(bool Value) { FFixedHeight = Value; }
    bool FixedWidth() const { return FFixedWidth; }
    void SetFixedWidth(bool Value) { FFixedWidth = Value; }
    bool ShowSizeMoveGrip() const { return FShowSizeMoveGrip; }  // default true
    void SetShowSizeMoveGrip(bool Value) { FShowSizeMoveGrip = Value; }
    // Stored and copied only.
    bool ShowMoveCursor() const { return FShowMoveCursor; }
    void SetShowMoveCursor(bool Value) { FShowMoveCursor = Value; }
    // The close button frees the panel (once its OnClose handler has returned).
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool Value) { FFreeOnClose = Value; }

    // ---- Others
    TAdvPanelStyler* Styler() const { return FStyler; }
    // Takes the styler's settings at once (not while loading); dropped when the styler is freed.
    virtual void SetStyler(TAdvPanelStyler* Value);
    // No background erasing and no immediate paint on resize.
    bool OptimizePaint() const { return FOptimizePaint; }
    void SetOptimizePaint(bool Value) { FOptimizePaint = Value; }
    // Order key inside a TAdvPanelGroup.
    int Index() const { return FIndex; }
    void SetIndex(int Value) { FIndex = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    String Version() const;
    void SetVersion(const String&) {}
    virtual int GetVersionNr() const { return 0x02050401; }
    // Remembers the cursor as the one to restore after hyperlinks, then sets it.
    void SetCursor(TCursor Value);
    // The caption's thickness in pixels (Caption.Height at the screen's resolution); 0 until the
    // window exists or the caption changes.
    int CaptionHeight() const { return FCapHeight; }
    bool IsCollapsing() const { return FIsCollapsing; }

    TNotifyEvent OnCaptionClick;
    TNotifyEvent OnCaptionDBlClick;
    TAnchorEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;  // the anchor text is empty
    TAnchorHintEvent OnAnchorHint;
    TNotifyEvent OnClose;
    TNotifyEvent OnMinimize;  // a collapse begins (also when it is then refused)
    TNotifyEvent OnMaximize;  // an expand begins
    TNotifyEvent OnEndCollapsExpand;
    TNotifyEvent OnEndMoveSize;
    TPaintEvent OnPaint;

    // ---- Operations
    // Redraw off; EndUpdate turns it on and repaints at once.
    void BeginUpdate();
    void EndUpdate();
    // Tells a TAdvPanelGroup parent that this panel changed.
    void Synchronize();
    // Store and restore position, size and collapse state in Position's INI file or registry
    // key; nothing without a key or a section. Store errors propagate.
    void SavePosition();
    void LoadPosition();
    // ApplySettings, then Height, Width and Hint.
    void AssignSettings(TAdvPanelSettings* Settings);
    virtual void ApplySettings(TAdvPanelSettings* Settings);
    // The body text's size, laid out in the client area less the borders.
    TSize GetHTMLSize();
    // Copies another panel (EInvalidCast otherwise); not its width, collapse state, indents or styler.
    void Assign(TPersistent* Source) override;
    void SetColorTones(const TColorTones& ATones) override;
    void GetOfficeHint(TPoint PT, TAdvHintInfo*& HintInfo) override;
    void DoAutoSize() override;
    // The anchor under a client point (empty when none) and its rectangle.
    String AnchorAt(int X, int Y, TRect& AnchorRect);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The panel's own size writers: an expanded panel remembers the height (caption at the top)
    // or the width (caption at a side) as its FullHeight.
    void SetHeight(int Value);
    void SetWidth(int Value);
    // Rebuilds the caption shading bitmap.
    virtual void ShadeHeader();

protected:
    // After a collapse or expand and after the caption was shown or hidden; a group re-arranges.
    virtual void DoStateChanged() {}
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void ChangeScale(int M, int D) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    // Paints the rectangle of a hovered link again.
    void RepaintRect(const TRect& R);
    // Paints the caption band CR with the shading, a themed caption or the caption picture.
    void DrawShadedCaption(TCanvas* ACanvas, const TRect& CR);
    // The caption shading ShadeHeader made last.
    TBitmap* ShadedHeader() const { return FShadedHeader.get(); }

    void WMNCHitTest(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMSizing(TMessage& Message);
    void WMMoving(TMessage& Message);
    void WMEnterSizeMove(TMessage& Message);
    void WMExitSizeMove(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void CMHintShow(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMRelease(TMessage& Message);

private:
    struct TMoveSize;  // an interactive move or size in progress

    String FText;
    std::unique_ptr<TAdvImage> FImage;
    advpanel::TBackGroundPosition FBackgroundPosition = advpanel::bpTopLeft;
    std::unique_ptr<TPanelCaption> FCaption;
    TCustomImageList* FImages = nullptr;
    TColor FURLColor = clBlue;
    TColor FOldColor;
    bool FCollaps = false;
    int FFullHeight = 0;
    String FAnchor;
    int FHoverHyperLink = -1;
    int FOldHoverHyperLink = -1;
    int FCaptionHoverHyperLink = -1;
    TRect FCurrHoverRect{};
    TRect FCaptionCurrHoverRect{};
    bool FAnchorHint = false;
    bool FHover = false;
    TColor FHoverColor = clNone;
    TColor FHoverFontColor = clNone;
    int FShadowOffset = 2;
    TColor FShadowColor = clGray;
    bool FCanSize = false;
    bool FCanMove = false;
    bool FShowSizeMoveGrip = true;
    TTextVAlignment FTextVAlign = tvaTop;
    std::unique_ptr<TPanelPosition> FPosition;
    bool FFixedHeight = false;
    bool FFixedLeft = false;
    bool FFixedWidth = false;
    bool FFixedTop = false;
    TPoint FTopLeft;
    TPoint FWidthHeight;
    TCursor FOldCursor = crDefault;
    bool FInMove = false;
    TPictureContainer* FContainer = nullptr;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    bool FShowMoveCursor = false;
    std::unique_ptr<TBitmap> FShadedHeader;
    bool FIsWinXP = false;
    bool FFreeOnClose = false;
    bool FIsCollapsing = false;
    int FCollapsDelay = 20;
    int FCollapsSteps = 0;
    TColor FCollapsColor = clGray;
    std::unique_ptr<TAutoSize> FAutoSize;
    bool FAutoHideChildren = true;
    TColor FColorTo = clNone;
    TColor FBorderColor = clBlack;
    int FIndex = 0;
    bool FBuffered = true;
    bool FBorderShadow = false;
    int FIndent = 0;
    int FTopIndent = 0;
    int FBottomIndent = 0;
    int FLineSpacing = 0;
    bool FEllipsis = false;
    TAdvPanelStyler* FStyler = nullptr;
    int FOldWidth = -1;
    int FOldHeight = -1;
    advpanel::TGradientDirection FGradientDirection = advpanel::gdVertical;
    bool FHoverCloseBtn = false;
    bool FHoverMinMaxBtn = false;
    std::unique_ptr<TPanelStatusBar> FStatusBar;
    TColor FColorMirror = clNone;
    TColor FColorMirrorTo = clNone;
    bool FOptimizePaint = false;
    std::vector<TWeak<TControl>> FHideList;  // children hidden before the collapse
    int FOldLeft = -1;
    int FImageIndex = -1;
    std::unique_ptr<TAdvHintInfo> FOfficeHint;
    int FPrevY = 0;
    double FDPIScale = 1.0;
    int FCapHeight = 0;
    std::unique_ptr<TChangeLink> FImagesLink;
    std::unique_ptr<TMoveSize> FMoveSize;
    // The close button asked for the panel to be freed while a collapse was running.
    bool FFreePending = false;
    // Dropped on a form being designed (not read from one).
    bool FDesignTime = false;
    // A hit test is running the mouse-move handling for the caption's drag area.
    bool FHitTesting = false;

    // AdvPanel.cpp
    bool loading() const;
    bool designing() const;
    int statusBarExtent() const;
    void captionChanged();
    void captionFontChanged();
    void placeInDesignedGroup();
    void computeCapHeight();
    void hideChildren();
    void showChildren();
    void collapse(int Extra);
    void expand();
    bool animationStep(const TWeak<TCustomAdvPanel>& Self);
    TCustomIniFile* openPositionStore() const;
    // AdvPanel_Paint.cpp
    void paintBackground(TCanvas* ACanvas, TRect& R);
    void paintBevels(TCanvas* ACanvas, TRect& R, TColor Highlight, TColor Shadow);
    TRect bodyRect() const;
    void paintBackgroundPicture(TCanvas* ACanvas, const TRect& R);
    void paintBodyText(TCanvas* ACanvas, TRect R, TColor TextColor);
    void paintCaption(TCanvas* ACanvas);
    void paintCloseButton(TCanvas* ACanvas, TRect& R);
    void paintMinMaxButton(TCanvas* ACanvas, const TRect& R);
    void paintCaptionText(TCanvas* ACanvas, TRect R);
    void paintStatusBar(TCanvas* ACanvas);
    void paintSizeGrip(TCanvas* ACanvas);
    // The renderer's arguments with the panel's pictures, images, colours and spacing; the point
    // at (0, 0), no word wrap.
    TMarkupRequest markupRequest(TCanvas* ACanvas, const String& S, const TRect& R) const;
    // Looking up the anchor at a point: fixed hover and shadow colours, no hover style.
    TMarkupRequest anchorLookupRequest(TCanvas* ACanvas, const String& S, const TRect& R, int X, int Y) const;
    // The body text's height laid out in R (hit-test mode).
    int measureBodyText(TCanvas* ACanvas, const TRect& R);
    // AdvPanel_Mouse.cpp
    int buttonSize(bool ForMoveSize) const;
    TRect closeButtonRect(int W) const;
    TRect minMaxButtonRect(int W) const;
    TRect captionArea(int W) const;
    TRect doubleClickCaptionArea() const;
    bool inCaptionBand(int X, int Y) const;
    void closeByButton();
    void updateHotButtons(int X, int Y);
    void bodyHover(int X, int Y, const String& Anchor, const TRect& AnchorRect);
    void captionHover(int X, int Y, const String& Anchor, const TRect& AnchorRect);
    void enterAnchor(const String& Anchor, const TRect& AnchorRect);
    void clearBodyHover();
    void clearCaptionHover();
    int hitTestCode(int X, int Y);
    void beginMoveSize(int HitCode, int X, int Y);
    void trackMoveSize(int X, int Y);
    void endMoveSize();
};

class TAdvPanel : public TCustomAdvPanel {
public:
    using TCustomAdvPanel::TCustomAdvPanel;
};
