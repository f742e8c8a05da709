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

TRect inflated(const TRect& R, int D) { return Rect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAdvToolButtonActionLink

TAdvToolButtonActionLink::TAdvToolButtonActionLink(TControl* AClient) : TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TAdvToolButtonActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FClient = dynamic_cast<TAdvToolButton*>(AClient);
}

bool TAdvToolButtonActionLink::IsCaptionLinked() const { return TControlActionLink::IsCaptionLinked(); }

bool TAdvToolButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && FClient && FClient->GroupIndex() != 0 && FClient->AllowAllUp() &&
           customAction()->Checked() == FClient->Down();
}

bool TAdvToolButtonActionLink::IsGroupIndexLinked() const {
    return FClient && customAction() && customAction()->GroupIndex() == FClient->GroupIndex();
}

bool TAdvToolButtonActionLink::IsImageIndexLinked() const {
    return TControlActionLink::IsImageIndexLinked() && customAction()->ImageIndex() == FImageIndex;
}

void TAdvToolButtonActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TAdvToolButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TAdvToolButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

void TAdvToolButtonActionLink::SetImageIndex(int Value) {
    if (!IsImageIndexLinked()) return;
    FImageIndex = Value;
    // The button draws its own ImageIndex, so the linked image goes there too.
    FClient->SetImageIndex(Value);
    FClient->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TAdvToolButton: properties

TAdvToolButton::TAdvToolButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject* Sender) { glyphChanged(Sender); };
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

TAdvToolButton::~TAdvToolButton() { FGlyph->OnChange = nullptr; }

String TAdvToolButton::Version() const { return VersionText(GetVersionNr()); }

void TAdvToolButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TAdvToolButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TAdvToolButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value && !designing()) ThemeAdapt();
}

void TAdvToolButton::SetBorderColor(TColor Value) {
    FBorderColor = Value;
    Invalidate();
}

void TAdvToolButton::SetColorTo(TColor Value) {
    FColorTo = Value;
    Invalidate();
}

void TAdvToolButton::SetColorChecked(TColor Value) {
    FColorChecked = Value;
    Invalidate();
}

void TAdvToolButton::SetColorCheckedTo(TColor Value) {
    FColorCheckedTo = Value;
    Invalidate();
}

void TAdvToolButton::SetDropDownButton(bool Value) {
    FDropDownButton = Value;
    Invalidate();
}

void TAdvToolButton::SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }

void TAdvToolButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TAdvToolButton::SetGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetSize(0, 0);
}

void TAdvToolButton::SetGlyphHot(TBitmap* Value) {
    FGlyphHot->Assign(Value);
    FGlyphHot->SetTransparent(true);
}

void TAdvToolButton::SetGlyphDown(TBitmap* Value) {
    FGlyphDown->Assign(Value);
    FGlyphDown->SetTransparent(true);
}

void TAdvToolButton::SetGlyphDisabled(TBitmap* Value) {
    FGlyphDisabled->Assign(Value);
    FGlyphDisabled->SetTransparent(true);
    FGlyphDisabledAuto = false;
}

void TAdvToolButton::glyphChanged(TObject*) {
    static thread_local bool Busy = false;
    if (Busy) return;
    Busy = true;
    FGlyph->SetTransparent(true);
    // A new glyph brings its own disabled copy and shadow, unless one was assigned explicitly.
    if (FGlyphDisabledAuto || FGlyphDisabled->Empty()) makeDisabledGlyph();
    if (FShaded && !ComponentState().Contains(csLoading)) GenerateShade();
    Busy = false;
    Invalidate();
}

void TAdvToolButton::makeDisabledGlyph() {
    MakeDisabledGlyph(FGlyphDisabled.get(), FGlyph.get(), TGreyMean::Truncated);
    FGlyphDisabledAuto = !FGlyph->Empty();
}

void TAdvToolButton::GenerateShade() { MakeGlyphShade(FGlyphShade.get(), FGlyph.get()); }

void TAdvToolButton::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TAdvToolButton::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}

void TAdvToolButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TAdvToolButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TAdvToolButton::SetRounded(bool Value) {
    FRounded = Value;
    Invalidate();
}

void TAdvToolButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading)) GenerateShade();
}

void TAdvToolButton::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TAdvToolButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TAdvToolButton::SetStyle(TAdvToolButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TAdvToolButton::SetLook(int Value) {
    if (Value < 0 || Value >= ToolButtonLookCount) return;
    const ToolButtonLook& L = ToolButtonLooks(Value);
    SetFlat(true);
    SetColor(L.Color);
    FColorTo = L.ColorTo;
    FColorHot = L.ColorHot;
    FColorHotTo = L.ColorHotTo;
    FColorDown = L.ColorDown;
    FColorDownTo = L.ColorDownTo;
    FColorChecked = L.ColorChecked;
    FColorCheckedTo = L.ColorCheckedTo;
    FBorderColor = L.BorderColor;
    FBorderHotColor = L.BorderHotColor;
    FBorderDownColor = L.BorderDownColor;
    FRounded = L.Rounded;
    FLook = Value;
    Invalidate();
}

void TAdvToolButton::SetComponentStyle(TTesselStyle AStyle) {
    FTesselStyle = AStyle;
    const int L = ToolButtonLookOfStyle(AStyle);
    if (L >= 0) SetLook(L);
}

void TAdvToolButton::ThemeAdapt() { SetLook(XPColorSchemeLook()); }

void TAdvToolButton::ShowDropDownMenu() {
    if (!FDropDownMenu) return;
    const TPoint P =
        Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : ClientToScreen(Point(0, Height()));
    FDropDownMenu->Popup(P.X, P.Y);
}

// ---------------------------------------------------------------------------------------------
// Life cycle, streaming, actions

void TAdvToolButton::DefineProperties(TFiler* Filer) {
    TGraphicControl::DefineProperties(Filer);
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

void TAdvToolButton::Loaded() {
    TGraphicControl::Loaded();
    if (FShaded) GenerateShade();
    if (FAutoThemeAdapt) ThemeAdapt();
}

void TAdvToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
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
// Down state and groups

void TAdvToolButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Repaint();
    }
    if (Value) UpdateExclusive();
}

void TAdvToolButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage Msg{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(Msg);
}

void TAdvToolButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex) return;
    auto* Sender = dynamic_cast<TAdvToolButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (!Sender || Sender == this) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* A = dynamic_cast<TCustomAction*>(Action())) A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// ---------------------------------------------------------------------------------------------
// Messages and mouse

void TAdvToolButton::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) ThemeAdapt();
    TGraphicControl::WndProc(Message);
}

void TAdvToolButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_BUTTONPRESSED:
            CMButtonPressed(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_SYSCOLORCHANGE:
            CMSysColorChange(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
    }
}

void TAdvToolButton::WMLButtonDblClk(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TGraphicControl::Dispatch(Message);
    if (Self) DblClick();
}

void TAdvToolButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    UpdateTracking();
    Repaint();
}

void TAdvToolButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        Message.Result = 1;
        Click();
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TAdvToolButton::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMSysColorChange(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseEnter
    if (Message.LParam != 0) return;
    if (FFlat && !FMouseInControl && Enabled() && DragMode() != dmAutomatic && !GetCaptureControl()) {
        FMouseInControl = true;
        Repaint();
    }
}

void TAdvToolButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseLeave
    if (Message.LParam != 0) return;
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        Repaint();
    }
}

void TAdvToolButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    const TPoint P = Mouse->CursorPos();
    FMouseInControl = FindDragTarget(P, true) != this;
    // The handlers apply the change: leave clears a set flag, enter sets a clear one.
    Perform(FMouseInControl ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, 0);
}

void TAdvToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !Enabled()) return;
    const bool OpensMenu = (FDropDownButton && X > ClientWidth() - kDropDownWidth) ||
                           (FDropDownButton && !FDropDownSplit) || (!FDropDownButton && FDropDownMenu);
    if (OpensMenu) {
        FState = bsUp;
        FMouseInControl = false;
        Repaint();
        if (OnDropDown) OnDropDown(this);
        if (Self) ShowDropDownMenu();
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TAdvToolButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        TButtonState NewState = FDown ? bsExclusive : (Inside ? bsDown : bsUp);
        if (FStyle == tasCheck && FDown) NewState = bsDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TAdvToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || !FDragging) return;
    FDragging = false;
    const bool DoClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        // A check button toggles only on a click: releasing outside cancels the press.
        if (FStyle == tasCheck && DoClick) SetDown(!FDown);
        if (FStyle == tasCheck) FState = bsUp;
        if (DoClick) Invalidate();
        Invalidate();
    } else if (DoClick) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (DoClick) Click();
    if (Self) UpdateTracking();
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
    const bool Hot = FMouseInControl && Enabled() && !designing();
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
    TCanvas* C = Canvas();
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;
    C->SetFont(Font());
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    TRect R = Rect(0, 0, Width(), Height());
    const bool Hot = FMouseInControl && Enabled() && !designing();

    if (!FFlat) {
        UINT State = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (FState == bsDown || FState == bsExclusive) State |= DFCS_PUSHED;
        DrawFrameControl(C->Handle(), &R, DFC_BUTTON, State);
    } else {
        if (FBorderDownColor == clNone || FRounded) R = inflated(R, -1);
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
                        R = inflated(R, 1);
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
                R = inflated(R, 1);
                DrawToolButtonRoundFrame(C, Frame, R);
            }
            if (FDropDownButton && FDropDownSplit) {
                C->Pen()->SetColor(Frame);
                C->MoveTo(R.Right - kDropDownWidth, R.Top);
                C->LineTo(R.Right - kDropDownWidth, R.Bottom);
            }
        }
        R = inflated(R, -1);
    }

    int D = 0;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !Hot)) {
            R = inflated(R, 1);
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
        L.TextBounds =
            Rect(L.TextBounds.Left + 1, L.TextBounds.Top + 1, L.TextBounds.Right + 1, L.TextBounds.Bottom + 1);
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
