// Frame3D, TCustomPanel and TImage.
#include "framework/ui/ExtCtrls.h"

#include <algorithm>

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    TPen* Pen = Canvas->Pen();
    const TColor SavedColor = Pen->Color();
    Pen->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    for (int I = 0; I < Width; ++I) {
        Pen->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        Pen->SetColor(BottomColor);
        Canvas->Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        ++Rect.Left;
        ++Rect.Top;
        --Rect.Right;
        --Rect.Bottom;
    }
    ++Rect.Bottom;
    ++Rect.Right;
    Pen->SetColor(SavedColor);
}

// ---------------------------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csSetCaption});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

int TCustomPanel::frameSize() const {
    int Size = FBorderStyle == bsSingle ? 1 : 0;
    if (FBevelOuter != bvNone) Size += FBevelWidth;
    if (FBevelInner != bvNone) Size += FBevelWidth;
    return Size;
}

void TCustomPanel::framesChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    framesChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    framesChanged();
}

void TCustomPanel::SetBevelWidth(int Value) {
    Value = std::max(1, Value);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    framesChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    framesChanged();
}

void TCustomPanel::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    const int F = frameSize();
    Rect = ::Rect(Rect.Left + F, Rect.Top + F, Rect.Right - F, Rect.Bottom - F);
}

void TCustomPanel::Paint() {
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(R);
    if (FBorderStyle == bsSingle) Frame3D(C, R, clWindowFrame, clWindowFrame, 1);
    auto DrawBevel = [&](TPanelBevel Bevel) {
        if (Bevel == bvNone) return;
        if (Bevel == bvSpace) {
            Frame3D(C, R, Color(), Color(), FBevelWidth);
            return;
        }
        const bool Raised = Bevel == bvRaised;
        Frame3D(C, R, Raised ? clBtnHighlight : clBtnShadow, Raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    DrawBevel(FBevelOuter);
    R = Rect(R.Left + BorderWidth(), R.Top + BorderWidth(), R.Right - BorderWidth(), R.Bottom - BorderWidth());
    DrawBevel(FBevelInner);
    if (!FShowCaption || Caption().isEmpty()) return;
    C->SetFont(Font());
    C->Brush()->SetStyle(bsClear);
    DrawLabelText(C, Caption(), R, FAlignment, tlCenter, false, true);
    C->Brush()->SetStyle(bsSolid);
}

void TCustomPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TCustomPanel::CMTextChanged(TMessage& Message) { Invalidate(); }

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FPicture->OnChange = [this](TObject*) { pictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::pictureChanged() {
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (TGraphic* G = FPicture->Graphic()) G->SetTransparent(FTransparent);
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value) {
    if (FProportional == Value) return;
    FProportional = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    pictureChanged();
}

void TImage::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    pictureChanged();
}

TRect TImage::DestRect() const {
    int W = FPicture->Width();
    int H = FPicture->Height();
    const int CW = ClientWidth();
    const int CH = ClientHeight();
    if (W <= 0 || H <= 0) return Rect(0, 0, 0, 0);
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional) {
            // Fit inside the client area, keeping the shape.
            if (static_cast<Int64>(CW) * H < static_cast<Int64>(CH) * W) {
                H = static_cast<int>(static_cast<Int64>(H) * CW / W);
                W = CW;
            } else {
                W = static_cast<int>(static_cast<Int64>(W) * CH / H);
                H = CH;
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    if (FCenter) return Bounds((CW - W) / 2, (CH - H) / 2, W, H);
    return Bounds(0, 0, W, H);
}

void TImage::Paint() {
    TCanvas* C = Canvas();
    if (TGraphic* G = FPicture->Graphic(); G && !G->Empty()) C->StretchDraw(DestRect(), G);
}
