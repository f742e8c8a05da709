// TAdvEditBtn: the button's container and painting, the layout of edit and button, and the keys
// and clipboard of an edit that may refuse typing.
#include "components/controls/AdvEdBtn.h"

#include "components/controls/ControlScaling.h"
#include "components/controls/DropArrow.h"
#include "components/graphics/AEBXPVS.h"
#include "components/graphics/TesselStyle.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"

using namespace advedbtn;

namespace {

// The unit's start-up: the button's class for the form reader.
struct TAdvEdBtnUnit {
    TAdvEdBtnUnit() {
        try {
            RegisterClass<TEditButton>();
        } catch (const EFilerError&) {
        }
    }
} AdvEdBtnUnit;

bool themeActive() { return AEBXPVS.IsThemeActive && AEBXPVS.IsThemeActive(); }

void drawThemePart(TControl* Owner, HDC DC, const char16_t* ClassName, int State, const TRect& R) {
    if (!Owner || !AEBXPVS.OpenThemeData || !AEBXPVS.DrawThemeBackground || !AEBXPVS.CloseThemeData) return;
    auto* Window = dynamic_cast<TWinControl*>(Owner);
    if (!Window || !Window->HandleAllocated()) return;
    HTHEME Theme = AEBXPVS.OpenThemeData(Window->Handle(), ClassName);
    if (!Theme) return;
    AEBXPVS.DrawThemeBackground(Theme, DC, 1, State, &R, nullptr);
    AEBXPVS.CloseThemeData(Theme);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAdvSpeedButton

TAdvSpeedButton::TAdvSpeedButton(TComponent* AOwner)
    : THotSpeedButton(AOwner), FIsWinXP(PlatformFacts().ComCtlMajorVersion > 5) {}

void TAdvSpeedButton::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TAdvSpeedButton::SetFocused(bool Value) {
    if (FFocused == Value) return;
    FFocused = Value;
    Invalidate();
}

TEditButton* TAdvSpeedButton::container() const { return dynamic_cast<TEditButton*>(Owner()); }

TAdvEditBtn* TAdvSpeedButton::owningEdit() const {
    TEditButton* C = container();
    return C ? dynamic_cast<TAdvEditBtn*>(C->Owner()) : nullptr;
}

bool TAdvSpeedButton::isDown() const { return (State() == bsDown || State() == bsExclusive) && !FUp; }

bool TAdvSpeedButton::isDisabled() const {
    const TAdvEditBtn* E = owningEdit();
    return E ? !E->Enabled() || E->ReadOnly() : !Enabled();
}

int TAdvSpeedButton::themeState() const { return isDisabled() ? 4 : isDown() ? 3 : Hot() ? 2 : 1; }

void TAdvSpeedButton::Paint() {
    const TAdvEditBtn* E = owningEdit();
    if (E && E->ButtonStyle() == bsDropDown)
        PaintDropDown();
    else
        PaintButton();
}

void TAdvSpeedButton::paintCustomFace(const TRect& R) {
    TEditButton* Box = container();
    TCanvas* C = Canvas();
    TColor Face = Box->ButtonColor();
    if (Hot() && Box->ButtonColorHot() != clNone) Face = Box->ButtonColorHot();
    if (isDown() && Box->ButtonColorDown() != clNone) Face = Box->ButtonColorDown();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Face);
    C->FillRect(R);
    const TAdvEditBtn* E = owningEdit();
    if (E && E->BorderColor() != clNone) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(E->BorderColor());
        C->MoveTo(R.Left, R.Top);
        C->LineTo(R.Left, R.Bottom);
    }
}

void TAdvSpeedButton::PaintButton() {
    TEditButton* Box = container();
    const TAdvEditBtn* E = owningEdit();
    TCanvas* C = Canvas();
    const TRect Client = GetClientRect();
    const bool Custom = Box && Box->ButtonColor() != clNone;
    const bool Down = isDown();
    if (!Custom && FIsWinXP && themeActive()) {
        C->FillRect(Client);
        const TRect R = Rect(Client.Left - 1, Client.Top - 1, Client.Right + 1, Client.Bottom + 1);
        drawThemePart(Parent(), C->Handle(), u"button", themeState(), R);
    } else if (!Custom) {
        if (!Flat()) {
            // The platform's button paints its glyph and caption itself.
            TSpeedButton::Paint();
            return;
        }
        C->FillRect(Client);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(Client);
        TRect Edge = Rect(Client.Left, Client.Top, Client.Right + 1, Client.Bottom + 1);
        DrawEdge(C->Handle(), &Edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Down ? BF_FLAT : 0));
    } else {
        paintCustomFace(Client);
    }

    const std::unique_ptr<TBitmap> G = StateGlyph();
    const String Text = Caption();
    int GX = Client.Left + 1;
    if (G && !G->Empty()) {
        int GY = Client.Top + 1;
        if (!Text.isEmpty())
            GX = Client.Left + 2;
        else if (G->Width() < Client.Width())
            GX = Client.Left + 1 + (Client.Width() - G->Width()) / 2;
        if (G->Height() < Client.Height()) GY = Client.Top + 1 + (Client.Height() - G->Height()) / 2;
        if (Down) GX += 1, GY += 1;
        G->SetTransparent(true);
        C->Draw(GX, GY, G.get());
    }
    if (Text.isEmpty()) return;
    if (E) C->Font()->Assign(E->Font());
    TColor Color = Custom && Box->ButtonTextColor() != clNone ? Box->ButtonTextColor() : C->Font()->Color();
    if (isDisabled()) Color = clGray;
    if (Hot() && Box && Box->ButtonTextColorHot() != clNone) Color = Box->ButtonTextColorHot();
    if (Down && Box && Box->ButtonTextColorDown() != clNone) Color = Box->ButtonTextColorDown();
    C->Font()->SetColor(Color);
    TRect R = Custom ? Rect(Client.Left + 2, Client.Top, Client.Right, Client.Bottom)
                     : Rect(Client.Left + 3, Client.Top + 1, Client.Right - 3, Client.Bottom - 1);
    if (!G || G->Empty()) {
        if (!Custom) R = Rect(R.Left + 3, R.Top + 1, R.Right - 3, R.Bottom - 1);
        if (Down) R = MovedRect(R, 1, 1);
    } else {
        R.Left = GX + G->Width() + 2;
        R.Top -= 1;
    }
    C->Brush()->SetStyle(bsClear);
    DrawText(C->Handle(), Text, -1, R, DT_CENTER);
}

void TAdvSpeedButton::PaintDropDown() {
    TEditButton* Box = container();
    TCanvas* C = Canvas();
    const TRect Client = GetClientRect();
    if (Box && Box->ButtonColor() != clNone) {
        paintCustomFace(Client);
        TColor Arrow = Box->ButtonTextColor();
        if (Hot() && Box->ButtonTextColorHot() != clNone) Arrow = Box->ButtonTextColorHot();
        if (isDown() && Box->ButtonTextColorDown() != clNone) Arrow = Box->ButtonTextColorDown();
        FillDropArrow(C, Arrow == clNone ? clBlack : Arrow);
        return;
    }
    if (FIsWinXP && themeActive()) {
        TRect R = Client;
        if (IsVistaOrLater())
            R = Rect(R.Left + 1, R.Top, R.Right + 1, R.Bottom);
        else
            R = Rect(R.Left - 1 + 2, R.Top - 1, R.Right + 1, R.Bottom + 1);
        drawThemePart(Parent(), C->Handle(), u"combobox", themeState(), R);
        return;
    }
    TSpeedButton::Paint();
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(clBtnFace);
    C->MoveTo(Width() - 2, 0);
    C->LineTo(0, 0);
    C->LineTo(0, Height() - 1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(Width() - 3, 1);
    C->LineTo(1, 1);
    C->LineTo(1, Height() - 2);
    if (Glyph()->Empty()) FillDropArrow(C, clBlack);
}

// ---------------------------------------------------------------------------------------------
// TEditButton

TEditButton::TEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle Style = ControlStyle();
    Style.Exclude(csAcceptsControls);
    Style.Exclude(csSetCaption);
    Style.Include(csOpaque);
    SetControlStyle(Style);
    SetTabStop(false);
    CreateButton();
    FBWidth = 16;
    SetBounds(Left(), Top(), 16, 25);
}

void TEditButton::CreateButton() {
    FButton = new TAdvSpeedButton(this);
    FButton->SetParent(this);
    FButton->SetCaption(String());
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseDown(Button, Shift, X, Y);
    };
    FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseUp(Button, Shift, X, Y);
    };
}

void TEditButton::repaintButton() {
    if (FButton) FButton->Invalidate();
}

void TEditButton::SetButtonColor(TColor Value) {
    FButtonColor = Value;
    repaintButton();
}
void TEditButton::SetButtonColorHot(TColor Value) {
    FButtonColorHot = Value;
    repaintButton();
}
void TEditButton::SetButtonColorDown(TColor Value) {
    FButtonColorDown = Value;
    repaintButton();
}
void TEditButton::SetButtonBorderColor(TColor Value) {
    FButtonBorderColor = Value;
    repaintButton();
}
void TEditButton::SetButtonTextColor(TColor Value) {
    FButtonTextColor = Value;
    repaintButton();
}
void TEditButton::SetButtonTextColorHot(TColor Value) {
    FButtonTextColorHot = Value;
    repaintButton();
}
void TEditButton::SetButtonTextColorDown(TColor Value) {
    FButtonTextColorDown = Value;
    repaintButton();
}

void TEditButton::SetButtonWidth(int Value) {
    if (FBWidth == Value) return;
    FBWidth = Value;
    SetBounds(Left(), Top(), Value, Height());
}

void TEditButton::AdjustWinSize(int& W, int& H) {
    if (ComponentState().Contains(csLoading)) return;
    W = FBWidth;
    if (FButton) FButton->SetBounds(0, 0, FBWidth, H);
}

void TEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AdjustWinSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TEditButton::Loaded() {
    TWinControl::Loaded();
    int W = Width();
    int H = Height();
    AdjustWinSize(W, H);
    if (W != Width()) TWinControl::SetBounds(Left(), Top(), W, H);
}

void TEditButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SIZE:
            WMSize(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

void TEditButton::WMSize(TMessage& Message) {
    const TWeak<TEditButton> Alive(this);
    TWinControl::Dispatch(Message);
    if (!Alive) return;
    int W = Width();
    int H = Height();
    AdjustWinSize(W, H);
    if (W != Width()) TWinControl::SetBounds(Left(), Top(), W, H);
}

void TEditButton::CMEnabledChanged(TMessage& Message) {
    const TWeak<TEditButton> Alive(this);
    TWinControl::Dispatch(Message);
    if (Alive && FButton) FButton->SetEnabled(Enabled());
}

void TEditButton::BtnMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) FireEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TEditButton::BtnMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft) return;
    const TWeak<TEditButton> Alive(this);
    if (OnClick) FireEvent(OnClick, this);
    if (!Alive) return;
    if (OnMouseUp) FireEvent(OnMouseUp, this, Button, Shift, X, Y);
    if (!Alive) return;
    // The focus goes back to the edit the button belongs to.
    TWinControl* Target = FFocusControl;
    if (Target && Target->TabStop() && Target->CanFocus() && !Target->Focused())
        Target->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

// ---------------------------------------------------------------------------------------------
// TAdvEditBtn

TAdvEditBtn::TAdvEditBtn(TComponent* AOwner) : TAdvEdit(AOwner) {
    FButton = new TEditButton(this);
    FButton->SetParent(this);
    FButton->SetButtonWidth(17);
    FButton->SetBounds(0, 0, 17, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject*) { DoClickBtn(); };
    FButton->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { BtnMouseDown(); };
    FButton->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { BtnMouseUp(); };
    SetText(String());
    TControlStyle Style = ControlStyle();
    Style.Exclude(csSetCaption);
    SetControlStyle(Style);
    FIndentR = 18;
    FIndentL = 0;
}

void TAdvEditBtn::DoClickBtn() {
    if (OnClickBtn) FireEvent(OnClickBtn, this);
}

void TAdvEditBtn::CreateWnd() {
    TAdvEdit::CreateWnd();
    SetEditRect();
    ResizeControl();
}

void TAdvEditBtn::Loaded() {
    TAdvEdit::Loaded();
    SetEditRect();
    ResizeControl();
    enableButton();
    if (!Glyph()->Empty()) Glyph()->SetTransparentMode(tmAuto);
}

int TAdvEditBtn::GetMinHeight() { return EditMinHeight(Font()); }

void TAdvEditBtn::ResizeControl() {
    const int MinHeight = GetMinHeight();
    if (Height() < MinHeight) {
        SetHeight(MinHeight);
        return;
    }
    if (FButton) {
        // The edit paints its border inside its bounds: what the platform places in the client
        // area (inside the border) moves in by the border's width.
        const int B = BorderSize();
        const int BW = ButtonWidth();
        if (Ctl3D()) {
            const int A = FFlat ? 3 : BorderStyle() != bsNone ? 4 : 1;
            FButton->SetBounds(Width() - BW - A + B, (FFlat ? 2 : 0) + B, BW, Height() - A);
        } else {
            FButton->SetBounds(Width() - BW - 2 + B, 1 + B, BW, Height() - 2 - 2 * B);
        }
    }
    SetEditRect();
}

void TAdvEditBtn::SetEditRect() {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    const int B = BorderSize();
    const int ClientWidth = Width() - 2 * B;
    const int ClientHeight = Height() - 2 * B;
    const int Room = FButton && FButton->Visible() ? ButtonWidth() + 2 : 0;
    TRect R = Rect(Ctl3D() ? 0 : 2, 0, ClientWidth - Room - FUnitSize - 1, ClientHeight + 1);
    R = Rect(R.Left + B, R.Top + B, R.Right + B, std::min(R.Bottom + B, Height()));
    applyEditRect(R);
    Invalidate();
}

void TAdvEditBtn::enableButton() {
    if (FButton) FButton->SetEnabled(Enabled() && !ReadOnly());
}

void TAdvEditBtn::SetButtonWidth(int Value) {
    FButton->SetButtonWidth(Value);
    FIndentR = Value + 3;
    if (FButton->HandleAllocated()) ResizeControl();
}

void TAdvEditBtn::SetButtonHint(const String& Value) {
    if (FButtonHint == Value) return;
    FButtonHint = Value;
    FButton->SetHint(Value);
    if (!Value.isEmpty()) FButton->SetShowHint(true);
}

void TAdvEditBtn::SetButtonStyle(TButtonStyle Value) {
    FButtonStyle = Value;
    FButton->Button()->Invalidate();
}

void TAdvEditBtn::SetReadOnly(bool Value) {
    TCustomEdit::SetReadOnly(Value);
    enableButton();
}

void TAdvEditBtn::SetEnabled(bool Value) {
    TAdvEdit::SetEnabled(Value);
    enableButton();
}

void TAdvEditBtn::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    FButton->Button()->SetFlat(Value);
    TAdvEdit::SetFlat(Value);
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TAdvEditBtn::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    FButton->Button()->SetEtched(Value);
    Invalidate();
}

void TAdvEditBtn::UpdateButtonFocus() {
    if (!FFlat || !FButton) return;
    if (ComponentState().Contains(csDesigning)) {
        FButton->Button()->SetFocused(Enabled());
        return;
    }
    TCustomForm* Form = GetParentForm(this);
    FButton->Button()->SetFocused(FMouseInControl || (Form && Form->ActiveControl() == this));
}

void TAdvEditBtn::BtnMouseDown() {
    const TWeak<TAdvEditBtn> Self(this);
    if (FShowPassOnClick && EditType() == etPassword) {
        SetEditType(etString);
        FIsPass = true;
    }
    if (OnBtnMouseDown) FireEvent(OnBtnMouseDown, this);
}

void TAdvEditBtn::BtnMouseUp() {
    if (FIsPass) {
        FIsPass = false;
        SetEditType(etPassword);
    }
    if (OnBtnMouseUp) FireEvent(OnBtnMouseUp, this);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TAdvEditBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_CHAR:
            WMChar(Message);
            break;
        case WM_PASTE:
            WMPaste(Message);
            break;
        case WM_CUT:
            WMCut(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case CM_ENTER:
            CMEnter(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CN_COMMAND:
            CNCommand(Message);
            break;
        default:
            TAdvEdit::Dispatch(Message);
            break;
    }
}

void TAdvEditBtn::WMKeyDown(TMessage& Message) {
    if (!FEditorEnabled && Message.WParam == VK_DELETE) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    const bool CtrlReturn = Message.WParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (Self && CtrlReturn && HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_UP, 0);
}

void TAdvEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::KeyDown(Key, Shift);
    if (!Self) return;
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) DoClickBtn();
}

void TAdvEditBtn::WMChar(TMessage& Message) {
    if (!FEditorEnabled) {
        const auto Key = static_cast<char16_t>(Message.WParam);
        const bool Passes = Key == 13 || Key == 27 || (Key == 3 && EditType() != etPassword);
        if (!Passes) {
            Message.WParam = 0;
            Message.Result = 0;
            return;
        }
    }
    TAdvEdit::Dispatch(Message);
}

void TAdvEditBtn::WMPaste(TMessage& Message) {
    if (FEditorEnabled && !ReadOnly()) TAdvEdit::Dispatch(Message);
}

void TAdvEditBtn::WMCut(TMessage& Message) {
    if (FEditorEnabled && !ReadOnly()) TAdvEdit::Dispatch(Message);
}

void TAdvEditBtn::WMSize(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (Self && HandleAllocated()) ResizeControl();
}

void TAdvEditBtn::CMEnter(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (!Self) return;
    if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    UpdateButtonFocus();
}

void TAdvEditBtn::CMExit(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (Self) UpdateButtonFocus();
}

void TAdvEditBtn::DoEnter() {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::DoEnter();
    if (Self) SetEditRect();
}

void TAdvEditBtn::CMMouseEnter(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (!Self || !Enabled()) return;
    FMouseInControl = true;
    UpdateButtonFocus();
}

void TAdvEditBtn::CMMouseLeave(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (!Self || !Enabled()) return;
    FMouseInControl = false;
    UpdateButtonFocus();
}

void TAdvEditBtn::CMEnabledChanged(TMessage& Message) {
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (Self) enableButton();
}

void TAdvEditBtn::CNCommand(TMessage& Message) {
    const bool Changed = HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE;
    const TWeak<TAdvEditBtn> Self(this);
    TAdvEdit::Dispatch(Message);
    if (Self && Changed && EditType() == etPassword) {
        SetEditRect();
        ResizeControl();
    }
}
