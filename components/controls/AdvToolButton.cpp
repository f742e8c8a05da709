#include "components/controls/AdvToolButton.h"
#include "components/graphics/ComponentVersion.h"

#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"

namespace {

constexpr int kDropDownWidth = ToolButtonDropDownWidth;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAdvToolButtonActionLink

bool TAdvToolButtonActionLink::IsImageIndexLinked() const {
    return TControlActionLink::IsImageIndexLinked() && customAction()->ImageIndex() == FImageIndex;
}

void TAdvToolButtonActionLink::SetImageIndex(int Value) {
    if (!IsImageIndexLinked()) return;
    FImageIndex = Value;
    // The button draws its own ImageIndex, so the linked image goes there too.
    if (auto* Button = dynamic_cast<TAdvToolButton*>(FClient)) {
        Button->SetImageIndex(Value);
        Button->Invalidate();
    }
}

// ---------------------------------------------------------------------------------------------
// TAdvToolButton: properties

TAdvToolButton::TAdvToolButton(TComponent* AOwner) : TCustomToolButton(AOwner) {}

String TAdvToolButton::Version() const { return VersionText(GetVersionNr()); }

void TAdvToolButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value && !designing()) ThemeAdapt();
}

void TAdvToolButton::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TAdvToolButton::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}

bool TAdvToolButton::lookOf(int Value, ToolButtonLook& L) const {
    if (Value < 0 || Value >= ToolButtonLookCount) return false;
    L = ToolButtonLooks(Value);
    return true;
}

void TAdvToolButton::SetComponentStyle(TTesselStyle AStyle) {
    FTesselStyle = AStyle;
    const int L = ToolButtonLookOfStyle(AStyle);
    if (L >= 0) SetLook(L);
}

bool TAdvToolButton::isGroupPeer(const TCustomToolButton* Other) const {
    return dynamic_cast<const TAdvToolButton*>(Other) != nullptr;
}

bool TAdvToolButton::pressOpensMenu(int X) const {
    return (FDropDownButton && X > ClientWidth() - kDropDownWidth) || (FDropDownButton && !FDropDownSplit) ||
           (!FDropDownButton && FDropDownMenu);
}

// ---------------------------------------------------------------------------------------------
// Streaming, actions

void TAdvToolButton::DefineProperties(TFiler* Filer) {
    TCustomToolButton::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("TesselStyle"),
        [this](TReader* Reader) {
            const int V = Reader->ReadInteger();
            if (V < 0 || V > tsOffice2016Black)
                throw EReadError(QStringLiteral("Invalid property value: TesselStyle %1").arg(V));
            FTesselStyle = static_cast<TTesselStyle>(V);  // the colours come from their own properties
        },
        [this](TWriter* Writer) { Writer->WriteInteger(static_cast<int>(FTesselStyle)); }, true);
}

void TAdvToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TCustomToolButton::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A) return;
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(A->GroupIndex());
    if (auto* Link = dynamic_cast<TAdvToolButtonActionLink*>(ActionLink())) Link->FImageIndex = A->ImageIndex();
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(A->ImageIndex());
    if (!CheckDefaults || !FDown) SetDown(A->Checked());
}

TCustomImageList* TAdvToolButton::drawingImages() const {
    if (auto* A = dynamic_cast<TContainedAction*>(Action()))
        if (A->ActionList() && A->ActionList()->Images()) return A->ActionList()->Images();
    return FImages;
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

TToolButtonLayout TAdvToolButton::CalcButtonLayout(const TRect& Client, int Offset) {
    TSize G{0, 0};
    TCustomImageList* Images = drawingImages();
    if (!FGlyph->Empty())
        G = {FGlyph->Width(), FGlyph->Height()};
    else if (Images && FImageIndex != -1)
        G = {Images->Width(), Images->Height()};
    TSize T{0, 0};
    if (FShowCaption) {
        TCanvas* C = Canvas();
        C->SetFont(Font());
        T = MeasureButtonCaption(C, Caption(), Client.Width(), UseRightToLeftReading());
    }
    return LayoutGlyphAndCaption(Client, Offset, FLayout, UseRightToLeftAlignment(), G, T, FMargin, FSpacing);
}

void TAdvToolButton::DrawGlyph(const TPoint& Pos, TButtonState AState) {
    TCanvas* C = Canvas();
    const bool Hot = hot();
    TBitmap* Bmp = nullptr;
    if (Hot)
        Bmp = (AState == bsDown || AState == bsExclusive || FDown) ? FGlyphDown.get() : FGlyphHot.get();
    else if (FDown)
        Bmp = FGlyphDown.get();
    if (!Bmp || Bmp->Empty()) Bmp = FGlyph.get();
    if (!Enabled()) Bmp = FGlyphDisabled->Empty() ? FGlyph.get() : FGlyphDisabled.get();
    if (Bmp->Empty()) {
        // Disabled image-list images take the list's disabled look on every system version.
        if (TCustomImageList* Images = drawingImages(); Images && FImageIndex >= 0)
            Images->Draw(C, Pos.X, Pos.Y, FImageIndex, Enabled());
        return;
    }
    if (Hot && FShaded && AState != bsDown && !FGlyphShade->Empty()) C->Draw(Pos.X + 2, Pos.Y + 2, FGlyphShade.get());
    C->Draw(Pos.X, Pos.Y, Bmp);
}

void TAdvToolButton::DrawButtonText(const TRect& TextBounds, TButtonState AState) {
    if (FShowCaption) DrawButtonCaption(Canvas(), Caption(), TextBounds, AState == bsDisabled, UseRightToLeftReading());
}

void TAdvToolButton::Paint() {
    TCanvas* C = preparePaint();
    TRect R = Rect(0, 0, Width(), Height());
    const bool Hot = hot();

    if (!FFlat) {
        UINT State = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (FState == bsDown || FState == bsExclusive) State |= DFCS_PUSHED;
        DrawFrameControl(C->Handle(), &R, DFC_BUTTON, State);
    } else {
        if (FBorderDownColor == clNone || FRounded) R = InflatedRect(R, -1);
        if (!Hot) {
            if (FStyle == tasCheck && FDown) {
                FillToolButtonState(C, FColorChecked, FColorCheckedTo, FBorderDownColor, R);
            } else {
                const TColor Outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
                if (FColorTo == clNone) {
                    C->Brush()->SetStyle(bsSolid);
                    C->Brush()->SetColor(Color());
                    C->Pen()->SetColor(Color());
                    C->Rectangle(R);
                } else {
                    DrawToolButtonGradient(C, Color(), FColorTo, Outline, 16, R, false);
                }
                if (FBorderColor != clNone) {
                    if (FRounded) {
                        R = InflatedRect(R, 1);
                        DrawToolButtonRoundFrame(C, FBorderColor, R);
                    } else {
                        C->Brush()->SetStyle(bsClear);
                        C->Pen()->SetColor(FBorderColor);
                        C->Rectangle(R);
                    }
                }
            }
        } else {
            TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
            if (FState == bsDown && !(FStyle == tasCheck && FDown && !FDragging)) {
                From = FColorDown;
                To = FColorDownTo;
                Border = FBorderDownColor;
            }
            if (FStyle == tasCheck && FDown && !FDragging) {
                From = FColorChecked;
                To = FColorCheckedTo;
                Border = FBorderDownColor;
            }
            FillToolButtonState(C, From, To, FRounded ? clNone : Border, R);
            const TColor Frame = FState == bsDown ? FBorderDownColor : FBorderHotColor;
            if (FRounded) {
                R = InflatedRect(R, 1);
                DrawToolButtonRoundFrame(C, Frame, R);
            }
            if (FDropDownButton && FDropDownSplit) {
                C->Pen()->SetColor(Frame);
                C->MoveTo(R.Right - kDropDownWidth, R.Top);
                C->LineTo(R.Right - kDropDownWidth, R.Bottom);
            }
        }
        R = InflatedRect(R, -1);
    }

    int D = 0;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !Hot)) {
            R = InflatedRect(R, 1);
            const TColor Outline = FDown ? FBorderDownColor : FBorderColor;
            if (FColorCheckedTo != clNone) {
                DrawToolButtonGradient(C, FColorChecked, FColorCheckedTo, Outline, 16, R, false);
            } else if (FRounded) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(FColorChecked);
                C->Pen()->SetColor(Outline == clNone ? FColorChecked : Outline);
                C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
            } else if (Outline == clNone) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(FColorChecked);
                C->FillRect(R);
            } else {
                FillToolButtonState(C, FColorChecked, clNone, Outline, R);
            }
        }
        if (!FFlat && !designing()) D = 1;
    } else if (FFlat && Hot && FShaded && !designing()) {
        D = -1;
    }

    if (FDropDownButton) DrawToolButtonDropTriangle(C, Font()->Color(), R);

    const TButtonState DrawState = (FDown && FGroupIndex != 0) ? bsDown : FState;
    TToolButtonLayout L = CalcButtonLayout(R, D);
    if (FFlat && Hot && FShaded && FState != bsDown && FState != bsExclusive && !designing())
        L.TextBounds = MovedRect(L.TextBounds, 1, 1);
    DrawGlyph(L.GlyphPos, DrawState);
    DrawButtonText(L.TextBounds, DrawState);

    if (designing() && (!FShowCaption || Caption().isEmpty()) && FImageIndex == -1 && FGlyph->Empty()) {
        C->Pen()->SetStyle(psDot);
        C->Pen()->SetColor(static_cast<TColor>(0xFF0000));
        C->Pen()->SetWidth(1);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(0, 0, Width() - 1, Height() - 1);
        C->Pen()->SetStyle(psSolid);
    }
}
