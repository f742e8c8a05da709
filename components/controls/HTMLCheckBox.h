// THTMLCheckBox: a windowed check box whose caption is mini-HTML markup (drawn, measured and
// hit-tested by DrawMarkupText). Its glyph comes in six styles (classic and flat frame controls,
// a hand-drawn 3-D box, bitmap glyphs, the visual style or its bitmap stand-ins); a disabled
// caption is drawn engraved; the parent's background can show through, optionally cached.
// A caption hyperlink of a focused box is followed on press ("://" and "mailto:" through the
// shell, others through OnAnchorClick); the release still toggles the box.
//
// The unit routines (glyph scaling, the theme test), the htmlbutton helpers and TCustomHTMLButton
// are shared with THTMLRadioButton (HTMLRadioButton.h).
#pragma once

#include "components/controls/ButtonControl.h"
#include "components/controls/ControlScaling.h"
#include "components/controls/HTMLControlTypes.h"
#include "framework/ui/Controls.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

// Glyph styles.
enum TButtonType { btClassic, btCorvane, btFlat, btTessel, btWinXP, btTheme };
// The glyph's side: taLeftJustify or taRightJustify (taCenter is ignored).
using TLeftRight = TAlignment;

// The file version's most significant double word (major in the high word), -1 when unknown.
int GetFileVersionMS(const String& FileName);
// A version with visual styles, a style active and common controls 6 or later.
bool IsThemedXP();

// ---------------------------------------------------------------------------------------------
// Shared by the check box and the radio button.

namespace htmlbutton {

// Opens a hyperlink ("://" or "mailto:", never a command) with the verb "open"; false (and
// nothing opened) for any other anchor.
bool OpenShellLink(const String& Anchor);

// What the caption of either control is drawn with.
struct CaptionStyle {
    TCustomImageList* Images = nullptr;
    THTMLPictureCache* Cache = nullptr;
    TPictureContainer* Container = nullptr;
    TColor URLColor = clBlue;
    TColor ShadowColor = clGray;
    int ShadowOffset = 1;
    bool WordWrap = true;
    TColor DisabledColor = clGray;
    bool DisabledShadow = true;
};
// Draws Caption in R (engraved when not Enabled); returns the text's size.
TSize DrawCaption(TCanvas* Canvas, TFont* Font, const String& Caption, const TRect& R, const CaptionStyle& Style,
                  bool Enabled);
// The reference of the anchor at (X, Y) when Caption is drawn in R, empty when none.
String AnchorAt(TFont* Font, const String& Caption, const TRect& R, const CaptionStyle& Style, int X, int Y);

// The parent's look under Control, drawn on DC in Control's client coordinates.
void DrawParentBackground(TControl* Control, HDC DC);
// The transparent control's background: the parent's, from Cache when Caching (built when not
// CacheValid), else painted straight on Canvas.
void PaintTransparentBackground(TControl* Control, TCanvas* Canvas, bool Caching, std::unique_ptr<TBitmap>& Cache,
                                bool& CacheValid);

// Loads a glyph bitmap resource ("HTMBCHK01"...) drawn transparently (its bottom-left pixel's
// colour); false, with Bitmap left empty, when the resource is missing or unreadable.
bool LoadGlyphBitmap(TBitmap& Bitmap, const char* ResName);
// Draws the visual style's button part through the check box family's theme functions;
// false when they are not bound.
bool DrawThemedButton(TWinControl* Control, HDC DC, int Part, int State, const TRect& R);
// The theme functions answer and say a style is active.
bool ThemeActive();
// The system version is one with visual styles.
bool SystemHasVisualStyles();

}  // namespace htmlbutton

// What the check box and the radio button share: the caption and its anchors, the glyph styles,
// the transparent background and scaling, over TCustomButtonControl's focus, press, keys and
// hover. The glyph and the click rule are theirs.
class TCustomHTMLButton : public TCustomButtonControl {
public:
    explicit TCustomHTMLButton(TComponent* AOwner);
    ~TCustomHTMLButton() override;

    TLeftRight Alignment() const { return FAlignment; }  // default taLeftJustify
    void SetAlignment(TLeftRight Value);
    TButtonType ButtonType() const { return FButtonType; }  // default btClassic
    void SetButtonType(TButtonType Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }  // default tlTop
    void SetButtonVertAlign(TTextLayout Value);
    // The markup (Caption); the class name at creation. Kept in step with the window text.
    void SetCaption(const String& Value);
    TColor CheckColor() const { return FCheckColor; }  // default clBlack
    void SetCheckColor(TColor Value);
    TColor DisabledColor() const { return FDisabledColor; }  // default clGray
    void SetDisabledColor(TColor Value);
    // A white copy one pixel down and right under the disabled caption.
    bool DisabledShadow() const { return FDisabledShadow; }  // default true
    void SetDisabledShadow(bool Value);
    // No word wrap; lines that do not fit end in an ellipsis.
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    // Dropped when the list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Dropped when the container is freed.
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor ShadowColor() const { return FShadowColor; }  // default clGray
    void SetShadowColor(TColor Value);
    int ShadowOffset() const { return FShadowOffset; }  // default 1
    void SetShadowOffset(int Value);
    // The parent's background is painted first (Transparent); drops the cached one and paints
    // at once.
    void SetTransparent(bool Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    // "1.6.2.0"; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    // (Sender, Anchor): the anchor's reference.
    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    // Anchor is always empty.
    TAnchorClick OnAnchorExit;

    virtual int GetVersionNr() const { return 0x01060200; }
    // The anchor's reference under (X, Y) of the client area, empty when none.
    String IsAnchor(int X, int Y);
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // The glyph as it is drawn now; Indent is the caption's distance from the glyph's side.
    struct GlyphPlace {
        enum TKind { gkFrame, gkCorvane, gkBitmap, gkTheme };
        TKind Kind = gkFrame;
        TRect R;
        UINT FrameState = 0;
        int ThemePart = 0;
        int ThemeState = 0;
        std::unique_ptr<TBitmap> Bitmap;
        int Indent = 0;
    };
    virtual GlyphPlace placeGlyph() = 0;
    virtual void paintCorvane(TCanvas* C, const TRect& R) = 0;
    // Whether hovering changes the look.
    virtual bool hotTracks() const { return themeButtons(); }
    void hotChanged() override {
        if (hotTracks()) Invalidate();
    }

    // The glyph style as drawn: btTheme falls back to btClassic without a themed library.
    TButtonType drawnType() const;
    bool themed() const;
    bool themeButtons() const { return FButtonType == btWinXP || FButtonType == btTheme; }
    // The glyph's top for the three vertical alignments.
    int glyphTop(int AtTop, int AtCenter, int AtBottom) const;
    // A square glyph of Size at Top, at LeftOnRight or LeftOnLeft by the alignment.
    TRect glyphRect(int Size, int Top, int LeftOnRight, int LeftOnLeft = 0) const;
    // A bitmap glyph TopGap from the top or BottomGap from the bottom, RightGap from the right.
    void placeBitmapGlyph(GlyphPlace& G, const char* Name, int TopGap, int BottomGap, int RightGap, int Indent);

    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    void CMTextChanged(TMessage& Message);

    TColor FCheckColor = clBlack;
    TButtonType FButtonType = btClassic;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    double FScaleFactor = 1.0;

private:
    TComponentLink<TCustomImageList> FImages{[this] { Invalidate(); }};
    String FAnchor;
    TColor FURLColor = clBlue;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    bool FEllipsis = false;
    TComponentLink<TPictureContainer> FContainer{[this] { Invalidate(); }};
    int FShadowOffset = 1;
    TColor FShadowColor = clGray;
    TCursor FOldCursor = crDefault;
    TColor FDisabledColor = clGray;
    bool FDisabledShadow = true;

    TRect captionRect(int Indent) const;
    void paintGlyph(TCanvas* C, const GlyphPlace& G);
    htmlbutton::CaptionStyle captionStyle() const;
};

class TCustomHTMLCheckBox : public TCustomHTMLButton {
public:
    explicit TCustomHTMLCheckBox(TComponent* AOwner);

    // Paints at once.
    void SetCheckColor(TColor Value);
    // Clicks, Space and the accelerator leave the state alone (OnClick still fires).
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCheckBoxState State() const { return FState; }  // default cbUnchecked
    void SetState(TCheckBoxState Value);

    // Unless ReadOnly: checked becomes unchecked, anything else checked.
    virtual void Toggle();

protected:
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);

    GlyphPlace placeGlyph() override;
    void paintCorvane(TCanvas* C, const TRect& R) override;
    void activate() override;
    bool activateOnRelease() const override { return FFocused; }

private:
    TCheckBoxState FState = cbUnchecked;
    bool FReadOnly = false;

    void invalidateGlyphColumn();
};

class THTMLCheckBox : public TCustomHTMLCheckBox {
public:
    explicit THTMLCheckBox(TComponent* AOwner);

    // True exactly when State is cbChecked; writing sets cbChecked or cbUnchecked.
    using TCustomHTMLCheckBox::Checked;
    using TCustomHTMLCheckBox::SetChecked;
};
