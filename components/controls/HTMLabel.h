// THTMLabel: a windowless label whose text is mini-HTML markup (fonts, colours, images, anchors),
// drawn, measured and hit-tested by DrawMarkupText. Over an anchor the pointer becomes a hand; a
// click fires OnAnchorClick and opens "://" and "mailto:" anchors with the shell; the anchor or the
// whole text can be the hint. Optional solid or gradient background or gradient line, bevels and
// a border, vertical alignment, and sizing to the text (AutoSizing; the framework's AutoSize is
// off and the inherited caption stays empty).
#pragma once

#include "components/controls/HTMLControlTypes.h"
#include "components/graphics/MiniHTML.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TChangeLink;
class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

enum TGradientType { gtFullHorizontal, gtFullVertical, gtBottomLine, gtCenterLine, gtTopLine };

class THTMLabel : public TCustomLabel {
public:
    explicit THTMLabel(TComponent* AOwner);
    ~THTMLabel() override;

    // The design-time sample text follows the name until it is edited.
    void SetName(const String& NewName) override;

    TColor ColorTo() const { return FColorTo; }  // clNone: solid background
    void SetColorTo(TColor Value);
    // The anchor under the pointer becomes the hint (OnAnchorHint may change it).
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    // Size to the text while painting; takes the place of the framework's AutoSize.
    bool AutoSizing() const { return FAutoSizing; }
    void SetAutoSizing(bool Value);
    TAutoSizeType AutoSizeType() const { return FAutoSizeType; }  // default asVertical
    void SetAutoSizeType(TAutoSizeType Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }  // default 1; below 1 ignored
    void SetBevelWidth(int Value);
    // Width of the frame in Color and of the single border; negative values are ignored.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // bsNone or bsSingle
    void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }  // default clBlack
    void SetBorderColor(TColor Value);
    // No word wrap; lines that do not fit end in an ellipsis.
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    TGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TGradientType Value);
    bool HintShowFull() const { return FHintShowFull; }
    void SetHintShowFull(bool Value) { FHintShowFull = Value; }
    bool Hover() const { return FHover; }
    void SetHover(bool Value) { FHover = Value; }
    TColor HoverColor() const { return FHoverColor; }  // clNone: unchanged
    void SetHoverColor(TColor Value) { FHoverColor = Value; }
    TColor HoverFontColor() const { return FHoverFontColor; }  // clNone: unchanged
    void SetHoverFontColor(TColor Value) { FHoverFontColor = Value; }
    // The full-text hint keeps its markup.
    bool HTMLHint() const { return FHTMLHint; }
    void SetHTMLHint(bool Value) { FHTMLHint = Value; }
    // The markup. Assigning a list joins its lines into one, dropping the line breaks.
    TStringList* HTMLText() const { return FHTMLText.get(); }
    void SetHTMLText(TStrings* Value);
    // Dropped when the list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Height of the gradient line of the line types; negative values are ignored.
    int LineWidth() const { return FLineWidth; }  // default 2
    void SetLineWidth(int Value);
    // Extra pixels between lines.
    int LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(int Value);
    // Dropped when the container is freed.
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor ShadowColor() const { return FShadowColor; }  // default clGray
    void SetShadowColor(TColor Value);
    int ShadowOffset() const { return FShadowOffset; }  // default 2
    void SetShadowOffset(int Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    String Version() const;
    void SetVersion(const String&) {}

    // (Sender, Anchor): the anchor's title when it has one, else its reference.
    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    // Anchor is always empty.
    TAnchorClick OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    // After AutoSizing changed the size while painting.
    TNewSizeEvent OnNewSize;

    // The text laid out in 4096 x 4096.
    TSize HTMLSize() { return GetHTMLSize(); }
    TSize GetHTMLSize();
    // The text's size when lines wrap at AMaxWidth.
    TSize GetSizeWithMaxWidth(int AMaxWidth);
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    // The display text without its markup (hides the inherited, always empty, text).
    String Text() const;
    virtual int GetVersionNr() const { return 0x01090206; }
    // The markup that is drawn: the lines joined, directly between ">" and "<", else by a blank.
    virtual String GetDisplayText() const;
    // Draws the display text on any canvas, for printing.
    void HTMLPrint(TCanvas* ACanvas, const TRect& R);
    void Doit() { Paint(); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void HilightText(const String& HiText, bool DoCase);
    void UnHilightText();
    void MarkText(const String& HiText, bool DoCase);
    void UnMarkText();
    // The anchor at (X, Y) (title, else reference; empty when none) and its rectangle
    // ((-1, -1, -1, -1) when none); stores the anchor's index as the hovered one.
    String IsAnchor(int X, int Y, TRect& AnchorRect);

protected:
    void Loaded() override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    virtual void AnchorClick(const String& Anchor);
    virtual void HTMLChanged();
    // Every renderer call of the label: adds the label's word wrap, pictures and line spacing and
    // stores the measured size in FXSize and FYSize. Returns whether the point lies on an anchor.
    virtual bool HTMLPaint(TMarkupRequest Request, TMarkupResult& Result);
    // The same with the arguments in a row; FocusLink is ignored.
    bool HTMLPaint(TCanvas* ACanvas, const String& S, const TRect& R, TCustomImageList* AImages, int XPos, int YPos,
                   int FocusLink, int HoverLink, int AShadowOffset, bool CheckHotSpot, bool CheckHeight, bool Stretch,
                   bool FixedColors, bool Blink, bool HoverStyle, double ResFactor, TColor AURLColor,
                   TColor AHoverColor, TColor AHoverFontColor, TColor AShadowColor, String& AnchorVal, String& StripVal,
                   String& FocusAnchor, int& XSize, int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect);

    void CMHintShow(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMDialogChar(TMessage& Message);

private:
    String FAnchor;
    bool FAutoSizing = false;
    TAutoSizeType FAutoSizeType = asVertical;
    std::unique_ptr<TStringList> FHTMLText;
    bool FAnchorHint = false;
    TComponentLink<TCustomImageList> FImages{[this] { Invalidate(); }};
    std::unique_ptr<THTMLPictureCache> FImageCache;
    int FUpdateCount = 0;
    TColor FURLColor = clBlue;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    int FShadowOffset = 2;
    TColor FShadowColor = clGray;
    bool FHover = false;
    int FHoverHyperLink = -1;
    int FOldHoverHyperLink = -1;
    TColor FHoverColor = clNone;
    TColor FHoverFontColor = clNone;
    TVAlignment FVAlignment = tvaTop;
    bool FEllipsis = false;
    TRect FCurrHoverRect{-1, -1, -1, -1};
    TComponentLink<TPictureContainer> FContainer{[this] { Invalidate(); }};
    TGradientType FGradientType = gtFullHorizontal;
    TColor FBorderColor = clBlack;
    int FLineWidth = 2;
    int FLineSpacing = 0;
    bool FHTMLHint = false;
    bool FHintShowFull = false;
    std::unique_ptr<TChangeLink> FILChangeLink;
    int FXSize = 0;
    int FYSize = 0;
    TColor FColorTo = clNone;

    void InvalidateAnchorRect(const TRect& R);
    void htmlTextChanged(TObject* Sender);
    void imagesChanged(TObject* Sender);
    bool designing() const;
    bool singleBorder() const;
    bool autoSizesVertically() const;
    bool autoSizesHorizontally() const;
    TVAlignment effectiveVAlignment() const;
    TRect textArea() const;
    int measureText(TCanvas* ACanvas, const TRect& R, int XPos, int YPos, int HoverLink);
    TMarkupRequest labelRequest(TCanvas* ACanvas, const TRect& R, int XPos, int YPos);
    void placeVertically(TRect& R, TVAlignment VA, int TextHeight) const;
    void paintBackground(TCanvas* ACanvas, const TRect& R, int Steps);
    void paintFrames(TCanvas* ACanvas, TRect R);
};
