// TAdvToolButton: a windowless tool-bar button that paints itself. Solid or gradient fills per
// state (normal, hot, down, checked), optional borders and rounded corners, a glyph (bitmap or
// image-list image) beside, above or below the caption, a grey shadow under the glyph while hot,
// and an optional drop-down arrow area with a popup menu. Plain push button, member of a group in
// which at most one button is down, or a check button. Twenty-five looks by number, by
// TTesselStyle or from the Windows XP colour scheme.
#pragma once

#include "components/graphics/TesselStyle.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Buttons.h"
#include "framework/ui/Controls.h"

#include <memory>

class TBitmap;
class TCustomImageList;
class TPopupMenu;

// TButtonLayout and TButtonState are the speed button's (framework/ui/Buttons.h).
enum TAdvToolButtonStyle { tasButton, tasCheck };

// One predefined colour set; clNone where a colour is absent.
struct ToolButtonLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo;
    TColor BorderColor, BorderHotColor, BorderDownColor;
    bool Rounded;
};
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

// How a disabled glyph's grey averages the three channels: truncated or rounded.
enum class TGreyMean { Truncated, Rounded };
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

class TAdvToolButton;

class TAdvToolButtonActionLink : public TControlActionLink {
public:
    explicit TAdvToolButtonActionLink(TControl* AClient);
    static TControlActionLink* Create(TControl* AClient) { return new TAdvToolButtonActionLink(AClient); }

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    bool IsImageIndexLinked() const override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;
    void SetImageIndex(int Value) override;
    int ImageIndex() const { return FImageIndex; }

protected:
    void AssignClient(TObject* AClient) override;

private:
    friend class TAdvToolButton;
    int FImageIndex = -1;
    TAdvToolButton* FClient = nullptr;
};

class TAdvToolButton : public TGraphicControl, public ITesselStyle {
public:
    explicit TAdvToolButton(TComponent* AOwner);
    ~TAdvToolButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
    // Color is the control's own (default clBtnFace).
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    // Dropped when the menu is freed.
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool DropDownSplit() const { return FDropDownSplit; }  // default true
    void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
    bool Flat() const { return FFlat; }  // default true
    void SetFlat(bool Value);
    // Copies the bitmap; rebuilds the automatic disabled glyph and the shadow.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* Value);
    // An assigned disabled glyph is kept when Glyph changes; an empty one is made from Glyph.
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* Value);
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }  // default -1 (centred); below -1 ignored
    void SetMargin(int Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool Shaded() const { return FShaded; }  // default true
    void SetShaded(bool Value);
    bool ShowCaption() const { return FShowCaption; }  // default true
    void SetShowCaption(bool Value);
    int Spacing() const { return FSpacing; }  // default 4, -1 computed
    void SetSpacing(int Value);
    TAdvToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TAdvToolButtonStyle Value);
    String Version() const;
    void SetVersion(const String&) {}
    // Applies look 0..24 and remembers it; other numbers change nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);

    TNotifyEvent OnDropDown;

    void SetComponentStyle(TTesselStyle AStyle) override;
    TTesselStyle GetComponentStyle() const { return FTesselStyle; }
    void ShowDropDownMenu();
    int GetVersionNr() const { return 0x01060200; }
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    // The glyph and caption positions in Client, d being the press offset.
    TToolButtonLayout CalcButtonLayout(const TRect& Client, int Offset);

protected:
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLinkClass GetActionLinkClass() const override { return &TAdvToolButtonActionLink::Create; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void WMLButtonDblClk(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

private:
    friend class TAdvToolButtonActionLink;
    TTesselStyle FTesselStyle = tsOffice2003Blue;
    int FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = clGray;
    TColor FColorCheckedTo = clNone;
    TAdvToolButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FDropDownSplit = true;
    bool FAutoThemeAdapt = false;
    TComponentLink<TPopupMenu> FDropDownMenu;
    bool FShowCaption = true;
    // Dropped when freed: a freed image list must not be drawn.
    TComponentLink<TCustomImageList> FImages{[this] { Invalidate(); }};
    int FImageIndex = -1;
    TButtonState FState = bsUp;
    bool FGlyphDisabledAuto = false;  // the disabled glyph was made from Glyph

    void UpdateExclusive();
    void UpdateTracking();
    void ThemeAdapt();
    void GenerateShade();
    void DrawGlyph(const TPoint& Pos, TButtonState AState);
    void DrawButtonText(const TRect& TextBounds, TButtonState AState);
    void glyphChanged(TObject* Sender);
    void makeDisabledGlyph();
    TCustomImageList* drawingImages() const;
    bool designing() const { return ComponentState().Contains(csDesigning); }
};

// The Windows XP colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic", else 0.
int GetXPColorScheme();
// The look that follows the colour scheme: 2, 3 or 4 for schemes 1 to 3, else 1.
int XPColorSchemeLook();
