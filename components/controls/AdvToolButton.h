// TAdvToolButton: a windowless tool-bar button that paints itself. Solid or gradient fills per
// state (normal, hot, down, checked), optional borders and rounded corners, a glyph (bitmap or
// image-list image) beside, above or below the caption, a grey shadow under the glyph while hot,
// and an optional drop-down arrow area with a popup menu. Plain push button, member of a group in
// which at most one button is down, or a check button. Twenty-five looks by number, by
// TTesselStyle or from the Windows XP colour scheme.
#pragma once

#include "components/controls/CustomToolButton.h"
#include "components/graphics/TesselStyle.h"

class TCustomImageList;

inline constexpr int ToolButtonLookCount = 25;
const ToolButtonLook& ToolButtonLooks(int Look);
// The look a TTesselStyle selects; -1 for tsCustom.
int ToolButtonLookOfStyle(TTesselStyle Style);

// How a gradient band's height is taken from the rectangle's size / steps: this button truncates
// it, the grid's glyph button rounds it (half to even).
enum class TBandHeight { Truncated, Rounded };

// Vertical (or left-to-right) bands from FromColor to ToColor, then an outline in BorderColor
// unless clNone. Steps of 0 count as 1; no band reaches past R.
void DrawToolButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Steps,
                            const TRect& R, bool Horizontal, TBandHeight Band = TBandHeight::Truncated);
// A state's fill: From outlined in Border (in From when Border is clNone) when To is clNone, else
// 16 vertical bands From..To outlined in Border.
void FillToolButtonState(TCanvas* Canvas, TColor From, TColor To, TColor Border, const TRect& R,
                         TBandHeight Band = TBandHeight::Truncated);
// An unfilled frame with 8 x 8 rounded corners.
void DrawToolButtonRoundFrame(TCanvas* Canvas, TColor Color, const TRect& R);
// The drop-down part's small downward triangle in Color at R's right edge; R loses the part's
// 12 pixels.
inline constexpr int ToolButtonDropDownWidth = 12;
void DrawToolButtonDropTriangle(TCanvas* Canvas, TColor Color, TRect& R);

// Disabled becomes Glyph with every pixel grey: mean div 2 + 96; empty for an empty glyph.
void MakeDisabledGlyph(TBitmap* Disabled, TBitmap* Glyph, TGreyMean Mean);
// Shade becomes Glyph's silhouette in clGray on Glyph's transparent colour; empty for an empty glyph.
void MakeGlyphShade(TBitmap* Shade, TBitmap* Glyph);

// Where CalcButtonLayout puts the glyph and the caption.
struct TToolButtonLayout {
    TPoint GlyphPos;
    TRect TextBounds;
};
// The glyph (size Glyph) and caption (size Text) placed in Client by Layout, Margin and Spacing
// (-1 computed), both moved by Offset; left and right swap for right-to-left reading.
TToolButtonLayout LayoutGlyphAndCaption(const TRect& Client, int Offset, TButtonLayout Layout, bool RightToLeft,
                                        TSize Glyph, TSize Text, int Margin, int Spacing);
// The size of Caption drawn on Canvas in its font; 0 x 0 when empty.
TSize MeasureButtonCaption(TCanvas* Canvas, const String& Caption, int Width, bool RightToLeft);
// Caption centred in R without a background; a disabled one engraved (clBtnHighlight one pixel
// right and down, then clBtnShadow in place).
void DrawButtonCaption(TCanvas* Canvas, const String& Caption, const TRect& R, bool Disabled, bool RightToLeft);

class TAdvToolButtonActionLink : public TCustomToolButtonActionLink {
public:
    explicit TAdvToolButtonActionLink(TControl* AClient) : TCustomToolButtonActionLink(AClient) {}
    static TControlActionLink* Create(TControl* AClient) { return new TAdvToolButtonActionLink(AClient); }

    bool IsImageIndexLinked() const override;
    void SetImageIndex(int Value) override;
    int ImageIndex() const { return FImageIndex; }

private:
    friend class TAdvToolButton;
    int FImageIndex = -1;
};

class TAdvToolButton : public TCustomToolButton, public ITesselStyle {
public:
    explicit TAdvToolButton(TComponent* AOwner);

    void SetAutoThemeAdapt(bool Value);
    bool DropDownSplit() const { return FDropDownSplit; }  // default true
    void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    String Version() const;
    void SetVersion(const String&) {}

    void SetComponentStyle(TTesselStyle AStyle) override;
    TTesselStyle GetComponentStyle() const { return FTesselStyle; }
    using TCustomToolButton::ShowDropDownMenu;
    int GetVersionNr() const { return 0x01060200; }
    // The glyph and caption positions in Client, d being the press offset.
    TToolButtonLayout CalcButtonLayout(const TRect& Client, int Offset);

protected:
    void DefineProperties(TFiler* Filer) override;
    void Paint() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLinkClass GetActionLinkClass() const override { return &TAdvToolButtonActionLink::Create; }

    // Looks 0..24 as the table has them.
    bool lookOf(int Value, ToolButtonLook& L) const override;
    TGreyMean disabledGreyMean() const override { return TGreyMean::Truncated; }
    bool isGroupPeer(const TCustomToolButton* Other) const override;
    // The arrow part, the whole button when not split, or any press when only a menu is set.
    bool pressOpensMenu(int X) const override;
    bool recheckHoverAfterPress() const override { return true; }
    bool raisedTurnsHot() const override { return false; }
    bool keepsHotWhilePressed() const override { return false; }
    bool dblClickOnlyWhenDown() const override { return false; }

private:
    TTesselStyle FTesselStyle = tsOffice2003Blue;
    bool FDropDownSplit = true;
    // Dropped when freed: a freed image list must not be drawn.
    TComponentLink<TCustomImageList> FImages{[this] { Invalidate(); }};
    int FImageIndex = -1;

    void DrawGlyph(const TPoint& Pos, TButtonState AState);
    void DrawButtonText(const TRect& TextBounds, TButtonState AState);
    TCustomImageList* drawingImages() const;
};

// The Windows XP colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic", else 0.
int GetXPColorScheme();
// The look that follows the colour scheme: 2, 3 or 4 for schemes 1 to 3, else 1.
int XPColorSchemeLook();
