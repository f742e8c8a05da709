// The settings objects a panel owns and publishes: its caption bar, its status bar, where its
// position is stored, and how it sizes itself to its text. They hold values and tell their owner
// about changes through events the owner assigns when it creates them; the panel repaints,
// re-aligns and rebuilds the caption shading in answer.
#pragma once

#include "components/graphics/AdvHintInfo.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

#include <memory>

// The panel unit's enumerations whose names other units also declare, with other members
// (the menus' gradient direction, the cell shapes' csRectangle).
namespace advpanel {
enum TGradientDirection { gdVertical, gdHorizontal };
enum TCaptionShape { csRectangle, csRounded, csSemiRounded };
}  // namespace advpanel

enum TCaptionPosition { cpTop, cpLeft, cpRight };
// Where the caption buttons sit: at the end (right or bottom) or at the start (left or top).
enum TCaptionButtonPosition { cbpRight, cbpLeft };
enum TShadeType {
    stNormal,
    stNoise,
    stDiagShade,
    stHShade,
    stVShade,
    stHBump,
    stVBump,
    stSoftBump,
    stHardBump,
    stLMetal,
    stRMetal,
    stIRadial,
    stORadial,
    stHShadeInv,
    stVShadeInv,
    stXPCaption,
    stBitmap,
    stBitmapRStretch,
    stBitmapLStretch
};
enum TPanelPositionLocation { clRegistry, clInifile };

// The caption bar. Writers that change the look of the shading fire OnShadeChange and then
// OnChange; the others fire what their comment says. A writer given the current value fires
// nothing, except SetShadeLight.
class TPanelCaption : public TPersistent {
public:
    TPanelCaption();
    ~TPanelCaption() override;

    // Shading: OnShadeChange, then OnChange.
    advpanel::TCaptionShape Shape() const { return FShape; }  // default csRectangle
    void SetShape(advpanel::TCaptionShape Value);
    TColor Color() const { return FColor; }  // default clHighlight; gradient start
    void SetColor(TColor Value);
    // No 3-D edge around a shaded rectangular caption.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Picture of the bitmap shade types; the writer copies it.
    TBitmap* Background() const { return FBackground.get(); }
    void SetBackground(TBitmap* Value);
    Byte ShadeGrain() const { return FShadeGrain; }  // default 32: noise amplitude
    void SetShadeGrain(Byte Value);
    // Default 200; values below 200 become 200. Always notifies, so it can force a new shading.
    int ShadeLight() const { return FShadeLight; }
    void SetShadeLight(int Value);
    TShadeType ShadeType() const { return FShadeType; }  // default stNormal
    void SetShadeType(TShadeType Value);

    // OnChange, then OnStateChange.
    bool Visible() const { return FVisible; }  // default false
    void SetVisible(bool Value);
    // Copies the font (colour clHighlightText at creation). A change fires OnFontChange, then
    // OnChange; a change made to Font() in place fires OnFontChange only.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    // OnPositionChange only: the panel re-sizes and re-shades itself.
    TCaptionPosition Position() const { return FPosition; }  // default cpTop
    void SetPosition(TCaptionPosition Value);

    // OnChange.
    const String& Text() const { return FText; }  // mini-HTML
    void SetText(const String& Value);
    int Height() const { return FHeight; }  // default 20: thickness before scaling
    void SetHeight(int Value);
    int Indent() const { return FIndent; }  // text offset along the caption
    void SetIndent(int Value);
    int TopIndent() const { return FTop; }  // text offset across the caption
    void SetTopIndent(int Value);
    TColor ColorTo() const { return FColorTo; }  // default clNone: flat
    void SetColorTo(TColor Value);
    TColor CloseColor() const { return FCloseColor; }  // default clBtnFace: flat fill while collapsed
    void SetCloseColor(TColor Value);
    bool CloseButton() const { return FCloseButton; }
    void SetCloseButton(bool Value);
    TColor CloseButtonColor() const { return FCloseButtonColor; }  // default clWhite
    void SetCloseButtonColor(TColor Value);
    // Close button pictures in the collapsed and the expanded state; the writers copy them.
    TBitmap* CloseMinGlyph() const { return FCloseMinGlyph.get(); }
    void SetCloseMinGlyph(TBitmap* Value);
    TBitmap* CloseMaxGlyph() const { return FCloseMaxGlyph.get(); }
    void SetCloseMaxGlyph(TBitmap* Value);
    bool MinMaxButton() const { return FMinMaxButton; }
    void SetMinMaxButton(bool Value);
    TColor MinMaxButtonColor() const { return FMinMaxButtonColor; }  // default clWhite
    void SetMinMaxButtonColor(TColor Value);
    advpanel::TGradientDirection GradientDirection() const { return FGradientDirection; }  // default gdHorizontal
    void SetGradientDirection(advpanel::TGradientDirection Value);
    // Moving the buttons moves where the panel paints them, so it repaints.
    TCaptionButtonPosition ButtonPosition() const { return FbuttonPosition; }  // default cbpRight
    void SetButtonPosition(TCaptionButtonPosition Value);

    // Silent: the panel reads these when it next paints or handles the mouse.
    // Collapse/expand button pictures in the expanded and the collapsed state; copied.
    TBitmap* MinGlyph() const { return FMinGlyph.get(); }
    void SetMinGlyph(TBitmap* Value);
    TBitmap* MaxGlyph() const { return FMaxGlyph.get(); }
    void SetMaxGlyph(TBitmap* Value);
    // A click anywhere on the caption toggles the collapse.
    bool MinMaxCaption() const { return FMinMaxCaption; }
    void SetMinMaxCaption(bool Value) { FMinMaxCaption = Value; }
    // clNone (default): no hover tracking for that button.
    TColor CloseButtonHoverColor() const { return FCloseButtonHoverColor; }
    void SetCloseButtonHoverColor(TColor Value) { FCloseButtonHoverColor = Value; }
    TColor MinMaxButtonHoverColor() const { return FMinMaxButtonHoverColor; }
    void SetMinMaxButtonHoverColor(TColor Value) { FMinMaxButtonHoverColor = Value; }
    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(TAdvHintInfo* Value);

    // For the owner only, assigned when it creates the caption. Sender is the caption.
    TNotifyEvent OnChange;
    TNotifyEvent OnShadeChange;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnPositionChange;
    TNotifyEvent OnFontChange;

    // Copies the look: colours, pictures, font, sizes and shading, not Text, Visible, Position,
    // TopIndent, MinMaxCaption or OfficeHint. Then fires OnFontChange (when the font changed),
    // OnShadeChange and OnChange once each. Raises EInvalidCast unless Source is a TPanelCaption.
    void Assign(TPersistent* Source) override;

private:
    int FHeight = 20;
    String FText;
    TColor FColor = clHighlight;
    std::unique_ptr<TFont> FFont;
    bool FVisible = false;
    bool FCloseButton = false;
    bool FMinMaxButton = false;
    TColor FMinMaxButtonColor = clWhite;
    TColor FCloseButtonColor = clWhite;
    std::unique_ptr<TBitmap> FMinGlyph;
    std::unique_ptr<TBitmap> FCloseMinGlyph;
    std::unique_ptr<TBitmap> FCloseMaxGlyph;
    std::unique_ptr<TBitmap> FMaxGlyph;
    TColor FCloseColor = clBtnFace;
    int FShadeLight = 200;
    Byte FShadeGrain = 32;
    TShadeType FShadeType = stNormal;
    advpanel::TCaptionShape FShape = advpanel::csRectangle;
    bool FFlat = false;
    std::unique_ptr<TBitmap> FBackground;
    int FIndent = 0;
    int FTop = 0;
    TCaptionButtonPosition FbuttonPosition = cbpRight;
    TColor FColorTo = clNone;
    TCaptionPosition FPosition = cpTop;
    bool FMinMaxCaption = false;
    TColor FCloseButtonHoverColor = clNone;
    TColor FMinMaxButtonHoverColor = clNone;
    advpanel::TGradientDirection FGradientDirection = advpanel::gdHorizontal;
    std::unique_ptr<TAdvHintInfo> FOfficeHint;
    // While the caption copies a whole font it reports the change itself, once.
    bool FCopyingFont = false;
    bool FFontCopied = false;

    bool copyFont(TFont* Value);
    void fontChanged();
    void changed();
    void shadeChanged();
    template <class T>
    void setAndNotify(T& Field, const T& Value, void (TPanelCaption::*Notify)());
};

// The status bar along the edge opposite the caption. Every writer that changes a value fires
// OnChange, and so does any change of the font.
class TPanelStatusBar : public TPersistent {
public:
    TPanelStatusBar();
    ~TPanelStatusBar() override;

    // Index into the panel's images, drawn at the start; -1 (default): none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    const String& Text() const { return FText; }  // mini-HTML
    void SetText(const String& Value);
    TColor Color() const { return FColor; }  // default clBtnFace
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }  // default clNone: solid
    void SetColorTo(TColor Value);
    advpanel::TGradientDirection GradientDirection() const { return FGradientDirection; }  // default gdHorizontal
    void SetGradientDirection(advpanel::TGradientDirection Value);
    bool Visible() const { return FVisible; }  // default false
    void SetVisible(bool Value);
    int Height() const { return FHeight; }  // default 18: thickness
    void SetHeight(int Value);
    // Draws a one-pixel sunken edge.
    bool BevelInner() const { return FBevelInner; }
    void SetBevelInner(bool Value);
    // Copies the font (name "Tahoma" at creation).
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsNone
    void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }  // default clBlack
    void SetBorderColor(TColor Value);
    int TopIndent() const { return FTopIndent; }
    void SetTopIndent(int Value);

    // For the owner only, assigned when it creates the status bar. Sender is the status bar.
    TNotifyEvent OnChange;

    // Copies Color, ColorTo, GradientDirection, BorderStyle, BorderColor, Font and TopIndent (not
    // Visible, Height, Text, ImageIndex or BevelInner) and fires OnChange once when any changed.
    // A source of another class is ignored.
    void Assign(TPersistent* Source) override;

private:
    int FImageIndex = -1;
    String FText;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
    advpanel::TGradientDirection FGradientDirection = advpanel::gdHorizontal;
    bool FVisible = false;
    int FHeight = 18;
    bool FBevelInner = false;
    std::unique_ptr<TFont> FFont;
    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clBlack;
    int FTopIndent = 0;
    // While Assign copies, changes are gathered into one notification.
    bool FCopying = false;
    bool FCopyChanged = false;

    void changed();
    template <class T>
    void setAndNotify(T& Field, const T& Value);
};

// Where a panel stores its position, size and collapse state (the panel saves and loads).
class TPanelPosition : public TPersistent {
public:
    explicit TPanelPosition(TComponent* AOwner) : FOwner(AOwner) {}

    // Load when the form is loaded and save when the window is destroyed.
    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    // The INI file name or the registry key.
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }
    TPanelPositionLocation Location() const { return FLocation; }  // default clRegistry
    void SetLocation(TPanelPositionLocation Value) { FLocation = Value; }

    // Copies Key, Section, Save and Location; raises EInvalidCast unless Source is a TPanelPosition.
    void Assign(TPersistent* Source) override;

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    bool FSave = false;
    String FKey;
    String FSection;
    TPanelPositionLocation FLocation = clRegistry;
    TComponent* FOwner;
};

// Implemented by the owner of a TAutoSize: size yourself to your text now. The owner decides
// whether it can (it skips the sizing while its form is loading).
class IAutoSizeOwner : public IInterface {
public:
    virtual void DoAutoSize() = 0;

protected:
    ~IAutoSizeOwner() = default;
};

// Automatic sizing of a panel to its text.
class TAutoSize : public TPersistent {
public:
    explicit TAutoSize(TComponent* AOwner) : FOwner(AOwner) {}

    // Setting true sizes the owner at once (through IAutoSizeOwner), also when it was true.
    bool Enabled() const { return FEnabled; }  // default false
    void SetEnabled(bool Value);
    // Which extents follow the text.
    bool Height() const { return FHeight; }  // default true
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }  // default true
    void SetWidth(bool Value) { FWidth = Value; }

    // Copies Height and Width, then Enabled through its writer, so the sizing sees the new flags.
    // Another class raises the framework's assign error.
    void Assign(TPersistent* Source) override;

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
    bool FHeight = true;
    bool FWidth = true;
    bool FEnabled = false;
};
