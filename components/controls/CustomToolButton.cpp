#include "components/controls/CustomToolButton.h"
#include "components/controls/AdvToolButton.h"
#include "components/controls/ButtonGroup.h"

#include "framework/ui/Menus.h"

// ---------------------------------------------------------------------------------------------
// TCustomToolButtonActionLink

TCustomToolButtonActionLink::TCustomToolButtonActionLink(TControl* AClient) : TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TCustomToolButtonActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FClient = dynamic_cast<TCustomToolButton*>(AClient);
}

bool TCustomToolButtonActionLink::IsCaptionLinked() const { return TControlActionLink::IsCaptionLinked(); }

bool TCustomToolButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && FClient && FClient->GroupIndex() != 0 && FClient->AllowAllUp() &&
           customAction()->Checked() == FClient->Down();
}

bool TCustomToolButtonActionLink::IsGroupIndexLinked() const {
    return FClient && customAction() && customAction()->GroupIndex() == FClient->GroupIndex();
}

void TCustomToolButtonActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TCustomToolButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TCustomToolButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

// ---------------------------------------------------------------------------------------------
// Properties

TCustomToolButton::TCustomToolButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
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

TCustomToolButton::~TCustomToolButton() { FGlyph->OnChange = nullptr; }

void TCustomToolButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    BroadcastButtonPressed(this, FGroupIndex);
}

void TCustomToolButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    BroadcastButtonPressed(this, FGroupIndex);
}

void TCustomToolButton::SetBorderColor(TColor Value) {
    FBorderColor = Value;
    Invalidate();
}

void TCustomToolButton::SetColorTo(TColor Value) {
    FColorTo = Value;
    Invalidate();
}

void TCustomToolButton::SetColorChecked(TColor Value) {
    FColorChecked = Value;
    Invalidate();
}

void TCustomToolButton::SetColorCheckedTo(TColor Value) {
    FColorCheckedTo = Value;
    Invalidate();
}

void TCustomToolButton::SetDropDownButton(bool Value) {
    FDropDownButton = Value;
    Invalidate();
}

void TCustomToolButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TCustomToolButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomToolButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TCustomToolButton::SetRounded(bool Value) {
    FRounded = Value;
    Invalidate();
}

void TCustomToolButton::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TCustomToolButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TCustomToolButton::SetStyle(TAdvToolButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TCustomToolButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading)) GenerateShade();
}

void TCustomToolButton::SetGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetSize(0, 0);
}

void TCustomToolButton::SetGlyphHot(TBitmap* Value) {
    FGlyphHot->Assign(Value);
    FGlyphHot->SetTransparent(true);
}

void TCustomToolButton::SetGlyphDown(TBitmap* Value) {
    FGlyphDown->Assign(Value);
    FGlyphDown->SetTransparent(true);
}

void TCustomToolButton::SetGlyphDisabled(TBitmap* Value) {
    FGlyphDisabled->Assign(Value);
    FGlyphDisabled->SetTransparent(true);
    FGlyphDisabledAuto = false;
}

// A grey copy made from an earlier glyph is made anew, so the disabled look never shows an old
// picture; so is the shade.
void TCustomToolButton::glyphChanged() {
    static thread_local bool Busy = false;
    if (Busy) return;
    Busy = true;
    FGlyph->SetTransparent(true);
    if (FGlyphDisabledAuto || FGlyphDisabled->Empty()) {
        MakeDisabledGlyph(FGlyphDisabled.get(), FGlyph.get(), disabledGreyMean());
        FGlyphDisabledAuto = !FGlyph->Empty();
    }
    if (FShaded && !ComponentState().Contains(csLoading)) GenerateShade();
    Busy = false;
    Invalidate();
}

void TCustomToolButton::GenerateShade() { MakeGlyphShade(FGlyphShade.get(), FGlyph.get()); }

void TCustomToolButton::SetLook(int Value) {
    ToolButtonLook L{};
    if (!lookOf(Value, L)) return;
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

void TCustomToolButton::ThemeAdapt() { SetLook(XPColorSchemeLook()); }

void TCustomToolButton::ShowDropDownMenu() {
    if (!FDropDownMenu) return;
    const TPoint P =
        Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : ClientToScreen(Point(0, Height()));
    FDropDownMenu->Popup(P.X, P.Y);
}

void TCustomToolButton::Loaded() {
    TGraphicControl::Loaded();
    if (FShaded) GenerateShade();
    if (FAutoThemeAdapt) ThemeAdapt();
}

// ---------------------------------------------------------------------------------------------
// Down state and groups

void TCustomToolButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    SetPushButtonDown(this, FGroupIndex, FAllowAllUp, Value, FDown, FState);
}

void TCustomToolButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex) return;
    auto* Sender = dynamic_cast<TCustomToolButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (!Sender || Sender == this || !isGroupPeer(Sender)) return;
    if (ReleaseForGroupPeer(Sender->FDown, FDown, FState)) {
        if (auto* A = dynamic_cast<TCustomAction*>(Action())) A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// ---------------------------------------------------------------------------------------------
// Messages and mouse

void TCustomToolButton::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) ThemeAdapt();
    TGraphicControl::WndProc(Message);
}

void TCustomToolButton::Dispatch(TMessage& Message) {
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

void TCustomToolButton::WMLButtonDblClk(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TGraphicControl::Dispatch(Message);
    if (Self && (FDown || !dblClickOnlyWhenDown())) DblClick();
}

void TCustomToolButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    UpdateTracking();
    Repaint();
}

void TCustomToolButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        Message.Result = 1;
        Click();
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TCustomToolButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseEnter
    if (Message.LParam != 0) return;
    if ((FFlat || raisedTurnsHot()) && !FMouseInControl && Enabled() && DragMode() != dmAutomatic &&
        !GetCaptureControl()) {
        FMouseInControl = true;
        Repaint();
    }
}

void TCustomToolButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseLeave
    if (Message.LParam != 0) return;
    if (FMouseInControl && Enabled() && !(FDragging && keepsHotWhilePressed())) {
        FMouseInControl = false;
        Repaint();
    }
}

void TCustomToolButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    const bool Under = FindDragTarget(Mouse->CursorPos(), true) == this;
    if (recheckHoverAfterPress())
        FMouseInControl = !Under;  // the handlers apply the change: leave clears it, enter sets it
    else if (Under == FMouseInControl)
        return;
    Perform(Under ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TCustomToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !Enabled()) return;
    if (pressOpensMenu(X)) {
        FState = bsUp;
        if (recheckHoverAfterPress()) {
            FMouseInControl = false;
            Repaint();
        }
        if (OnDropDown) OnDropDown(this);
        if (Self) ShowDropDownMenu();
        return;
    }
    ShowButtonPressed(this, FDown, FStyle == tasCheck, FState);
    FDragging = true;
}

void TCustomToolButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging)
        FollowHeldPress(this, FDown, inside(X, Y), FStyle == tasCheck, FState);
    else if (!FMouseInControl)
        UpdateTracking();
}

void TCustomToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || !FDragging) return;
    FDragging = false;
    const bool Inside = inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (recheckHoverAfterPress()) FMouseInControl = false;
        // A check button toggles only on a click: releasing outside cancels the press.
        if (FStyle == tasCheck && Inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        Invalidate();
    } else if (Inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        // Without a move in between the pressed look is still on: an up button goes back up.
        FState = FDown ? bsExclusive : bsUp;
        Repaint();
    }
    if (Inside) Click();
    if (Self) UpdateTracking();
}

// ---------------------------------------------------------------------------------------------
// Painting

TCanvas* TCustomToolButton::preparePaint() {
    SettlePaintState(Enabled(), FDown, FGroupIndex != 0, FStyle == tasCheck, FState, FDragging);
    TCanvas* C = Canvas();
    C->SetFont(Font());
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    return C;
}
