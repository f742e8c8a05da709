#include "components/grid/ZirOdadButton.h"

#include "components/graphics/AdvXPVS.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Menus.h"
#include "framework/ui/UxTheme.h"

namespace {

constexpr TBandHeight kBands = TBandHeight::Rounded;

TRect inflated(const TRect& R, int D) { return Rect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

// A raised button in the visual style's push button, when the style can draw it.
bool drawThemedButton(TControl* Parent, HDC DC, int State, const TRect& R) {
    if (!AdvXPVS.IsThemeActive || !AdvXPVS.IsThemeActive() || !AdvXPVS.OpenThemeData || !AdvXPVS.DrawThemeBackground ||
        !AdvXPVS.CloseThemeData)
        return false;
    auto* Window = dynamic_cast<TWinControl*>(Parent);
    HTHEME Theme = AdvXPVS.OpenThemeData(Window ? Window->Handle() : nullptr, u"button");
    if (!Theme) return false;
    AdvXPVS.DrawThemeBackground(Theme, DC, BP_PUSHBUTTON, State, &R, nullptr);
    AdvXPVS.CloseThemeData(Theme);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TZirOdadButtonActionLink

TZirOdadButtonActionLink::TZirOdadButtonActionLink(TControl* AClient) : TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TZirOdadButtonActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FClient = dynamic_cast<TZirOdadButton*>(AClient);
}

bool TZirOdadButtonActionLink::IsCaptionLinked() const { return TControlActionLink::IsCaptionLinked(); }

bool TZirOdadButtonActionLink::IsCheckedLinked() const {
    return TActionLink::IsCheckedLinked() && FClient && FClient->GroupIndex() != 0 && FClient->AllowAllUp() &&
           customAction()->Checked() == FClient->Down();
}

bool TZirOdadButtonActionLink::IsGroupIndexLinked() const {
    return FClient && customAction() && customAction()->GroupIndex() == FClient->GroupIndex();
}

void TZirOdadButtonActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TZirOdadButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TZirOdadButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

// ---------------------------------------------------------------------------------------------
// Properties

TZirOdadButton::TZirOdadButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FIsComCtl6(IsComCtl6OrLater()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject*) { glyphChanged(); };
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

TZirOdadButton::~TZirOdadButton() { FGlyph->OnChange = nullptr; }

void TZirOdadButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TZirOdadButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TZirOdadButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value) ThemeAdapt();
}

void TZirOdadButton::SetBorderColor(TColor Value) {
    FBorderColor = Value;
    Invalidate();
}

void TZirOdadButton::SetColorTo(TColor Value) {
    FColorTo = Value;
    Invalidate();
}

void TZirOdadButton::SetColorChecked(TColor Value) {
    FColorChecked = Value;
    Invalidate();
}

void TZirOdadButton::SetColorCheckedTo(TColor Value) {
    FColorCheckedTo = Value;
    Invalidate();
}

void TZirOdadButton::SetDropDownButton(bool Value) {
    FDropDownButton = Value;
    Invalidate();
}

void TZirOdadButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TZirOdadButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TZirOdadButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TZirOdadButton::SetRounded(bool Value) {
    FRounded = Value;
    Invalidate();
}

void TZirOdadButton::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TZirOdadButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TZirOdadButton::SetStyle(TZirOdadButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TZirOdadButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading)) MakeGlyphShade(FGlyphShade.get(), FGlyph.get());
}

void TZirOdadButton::SetGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetSize(0, 0);
}

void TZirOdadButton::SetGlyphHot(TBitmap* Value) {
    FGlyphHot->Assign(Value);
    FGlyphHot->SetTransparent(true);
}

void TZirOdadButton::SetGlyphDown(TBitmap* Value) {
    FGlyphDown->Assign(Value);
    FGlyphDown->SetTransparent(true);
}

void TZirOdadButton::SetGlyphDisabled(TBitmap* Value) {
    FGlyphDisabled->Assign(Value);
    FGlyphDisabled->SetTransparent(true);
    FGlyphDisabledAuto = false;
}

// A grey copy made from an earlier glyph is made anew, so the disabled look never shows an old
// picture; so is the shade.
void TZirOdadButton::glyphChanged() {
    static thread_local bool Busy = false;
    if (Busy) return;
    Busy = true;
    FGlyph->SetTransparent(true);
    if (FGlyphDisabledAuto || FGlyphDisabled->Empty()) {
        MakeDisabledGlyph(FGlyphDisabled.get(), FGlyph.get(), TGreyMean::Rounded);
        FGlyphDisabledAuto = !FGlyph->Empty();
    }
    if (FShaded && !ComponentState().Contains(csLoading)) MakeGlyphShade(FGlyphShade.get(), FGlyph.get());
    Busy = false;
    Invalidate();
}

void TZirOdadButton::SetLook(int Value) {
    if (Value < 0 || Value > 6) return;
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
    FBorderColor = clNone;
    FBorderHotColor = L.BorderHotColor;
    FBorderDownColor = L.BorderDownColor;
    FRounded = Value == 0;
    FLook = Value;
    Invalidate();
}

void TZirOdadButton::Loaded() {
    TGraphicControl::Loaded();
    if (FShaded) MakeGlyphShade(FGlyphShade.get(), FGlyph.get());
    if (FAutoThemeAdapt) ThemeAdapt();
}

// ---------------------------------------------------------------------------------------------
// Down state and groups

void TZirOdadButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp)) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TZirOdadButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage Msg{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(Msg);
}

void TZirOdadButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex) return;
    auto* Sender = dynamic_cast<TZirOdadButton*>(reinterpret_cast<TControl*>(Message.LParam));
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

void TZirOdadButton::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) ThemeAdapt();
    TGraphicControl::WndProc(Message);
}

void TZirOdadButton::Dispatch(TMessage& Message) {
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
        case CM_TEXTCHANGED:
        case CM_SYSCOLORCHANGE:
            TGraphicControl::Dispatch(Message);
            Invalidate();
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

void TZirOdadButton::WMLButtonDblClk(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TGraphicControl::Dispatch(Message);
    if (Self && FDown) DblClick();
}

void TZirOdadButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    UpdateTracking();
    Repaint();
}

void TZirOdadButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        Message.Result = 1;
        Click();
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TZirOdadButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseEnter
    if (Message.LParam != 0) return;
    if (!FMouseInControl && Enabled() && DragMode() != dmAutomatic && !GetCaptureControl()) {
        FMouseInControl = true;
        Repaint();
    }
}

void TZirOdadButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseLeave
    if (Message.LParam != 0) return;
    if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        Repaint();
    }
}

void TZirOdadButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    const bool Under = FindDragTarget(Mouse->CursorPos(), true) == this;
    if (Under == FMouseInControl) return;
    Perform(Under ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TZirOdadButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !Enabled()) return;
    if (FDropDownButton && X > ClientWidth() - ToolButtonDropDownWidth) {
        FState = bsUp;
        if (OnDropDown) OnDropDown(this);
        if (Self && FDropDownMenu) {
            const TPoint P = Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height()))
                                      : ClientToScreen(Point(0, Height()));
            FDropDownMenu->Popup(P.X, P.Y);
        }
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

void TZirOdadButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TButtonState NewState = FDown ? bsExclusive : (inside(X, Y) ? bsDown : bsUp);
        if (FStyle == tasCheck && FDown) NewState = bsDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TZirOdadButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || !FDragging) return;
    FDragging = false;
    const bool Inside = inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A check button toggles only on a click: releasing outside cancels the press.
        if (FStyle == tasCheck && Inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (Inside && !FDown) Invalidate();
        Invalidate();
    } else if (Inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else if (FDown) {
        FState = bsExclusive;
        Repaint();
    }
    if (Inside) Click();
    if (Self) UpdateTracking();
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TZirOdadButton::hot() const { return FMouseInControl && Enabled() && !designing(); }

void TZirOdadButton::paintFlatFace(TRect& R) {
    TCanvas* C = Canvas();
    if (FBorderDownColor == clNone || FRounded) R = inflated(R, -1);
    if (!hot()) {
        if (FStyle == tasCheck && FDown) {
            FillToolButtonState(C, FColorChecked, FColorCheckedTo, FBorderDownColor, R, kBands);
        } else {
            const TColor Outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
            FillToolButtonState(C, Color(), FColorTo, FColorTo == clNone ? clNone : Outline, R, kBands);
        }
        if (FBorderColor != clNone) {
            if (FRounded) {
                DrawToolButtonRoundFrame(C, FBorderColor, inflated(R, 1));
            } else {
                C->Brush()->SetStyle(bsClear);
                C->Pen()->SetColor(FBorderColor);
                C->Rectangle(R);
            }
        }
    } else {
        const bool Checked = FStyle == tasCheck && FDown && !FDragging;
        TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
        if (Checked) {
            From = FColorChecked;
            To = FColorCheckedTo;
            Border = FBorderDownColor;
        } else if (FState == bsDown) {
            From = FColorDown;
            To = FColorDownTo;
            Border = FBorderDownColor;
        }
        FillToolButtonState(C, From, To, FRounded ? clNone : Border, R, kBands);
        if (FRounded) DrawToolButtonRoundFrame(C, Border, inflated(R, 1));
        if (FDropDownButton) {
            C->Pen()->SetColor(Border);
            C->MoveTo(R.Right - ToolButtonDropDownWidth, R.Top);
            C->LineTo(R.Right - ToolButtonDropDownWidth, R.Bottom);
        }
    }
    R = inflated(R, -1);
}

void TZirOdadButton::paintRaisedFace(TRect& R) {
    const bool Pressed = FState == bsDown || FState == bsExclusive;
    if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6) {
        const int ThemeState = Pressed ? PBS_PRESSED : (FMouseInControl ? PBS_HOT : PBS_NORMAL);
        if (drawThemedButton(Parent(), Canvas()->Handle(), ThemeState, R)) return;
    }
    DrawFrameControl(Canvas()->Handle(), &R, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? DFCS_PUSHED : 0u));
}

// The glyph of the state: hot, down, disabled or normal, each only when it has a picture.
TBitmap* TZirOdadButton::drawnGlyph(TButtonState AState) const {
    const bool Pressed = AState == bsDown || AState == bsExclusive;
    if (hot() && AState != bsDown && !FGlyphHot->Empty()) return FGlyphHot.get();
    if (Pressed && !FGlyphDown->Empty()) return FGlyphDown.get();
    if (!Enabled() && !FGlyphDisabled->Empty()) return FGlyphDisabled.get();
    return FGlyph.get();
}

void TZirOdadButton::paintContent(const TRect& R, int Offset) {
    TCanvas* C = Canvas();
    const TButtonState DrawState = (FDown && FGroupIndex != 0) ? bsDown : FState;
    const bool HasCaption = FShowCaption && !Caption().isEmpty();
    TSize Glyph{0, 0};
    if (!FGlyph->Empty()) Glyph = {FGlyph->Width(), FGlyph->Height()};
    TSize Text{0, 0};
    if (FShowCaption) Text = MeasureButtonCaption(C, Caption(), R.Width(), UseRightToLeftReading());
    TToolButtonLayout L =
        LayoutGlyphAndCaption(R, Offset, FLayout, UseRightToLeftAlignment(), Glyph, Text, FMargin, FSpacing);
    // Without a caption the glyph is centred from the control's corner, by R's size alone.
    if (!HasCaption) L.GlyphPos = Point((R.Width() - Glyph.cx) / 2, (R.Height() - Glyph.cy) / 2);
    const bool Lifted = hot() && FShaded && DrawState != bsDown;
    if (Lifted && !FGlyphShade->Empty()) {
        const int D = HasCaption ? 2 : 0;
        C->Draw(L.GlyphPos.X + D, L.GlyphPos.Y + D, FGlyphShade.get());
    }
    if (TBitmap* Bmp = drawnGlyph(DrawState); !Bmp->Empty()) C->Draw(L.GlyphPos.X, L.GlyphPos.Y, Bmp);
    if (!FShowCaption) return;
    TRect TextBounds = L.TextBounds;
    if (Lifted && FFlat)
        TextBounds = Rect(TextBounds.Left + 1, TextBounds.Top + 1, TextBounds.Right + 1, TextBounds.Bottom + 1);
    DrawButtonCaption(C, Caption(), TextBounds, DrawState == bsDisabled, UseRightToLeftReading());
}

void TZirOdadButton::Paint() {
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
    if (FFlat)
        paintFlatFace(R);
    else
        paintRaisedFace(R);

    int Offset = 0;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !hot()))
            FillToolButtonState(C, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor,
                                inflated(R, 1), kBands);
        if (!FFlat && !designing()) Offset = 1;
    } else if (FFlat && hot() && FShaded) {
        Offset = -1;
    }
    if (FDropDownButton) DrawToolButtonDropTriangle(C, Font()->Color(), R);
    paintContent(R, Offset);
}
