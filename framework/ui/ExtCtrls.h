// Panels and images: TCustomPanel with its 3-D bevels, and TImage showing a TPicture.
#pragma once

#include "framework/ui/Picture.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;

// Draws Width rings inside Rect, TopColor on the top and left edges and BottomColor on the
// bottom and right ones, and shrinks Rect by Width on every side.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }  // default taCenter
    void SetAlignment(TAlignment Value);
    TPanelBevel BevelInner() const { return FBevelInner; }  // default bvNone
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }  // default bvRaised
    void SetBevelOuter(TPanelBevel Value);
    int BevelWidth() const { return FBevelWidth; }  // default 1
    void SetBevelWidth(int Value);
    // bsSingle adds a one-pixel frame outside the bevels.
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsNone
    void SetBorderStyle(TBorderStyle Value);
    bool ShowCaption() const { return FShowCaption; }  // default true
    void SetShowCaption(bool Value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void CMTextChanged(TMessage& Message);

private:
    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    bool FShowCaption = true;
    int frameSize() const;
    void framesChanged();
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

// ---------------------------------------------------------------------------------------------

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    // Fills the control (keeping the aspect ratio with Proportional).
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    // Shrinks a picture larger than the control to fit, keeping its aspect ratio (and grows it
    // too while Stretch is set).
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    // The picture's transparent colour shows the parent.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // The control takes the picture's size.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    void pictureChanged();
};
