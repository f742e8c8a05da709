// The drop button: its container (width, enabled state, the click on release) and the painted
// button inside it.
#include "components/controls/DropArrow.h"
#include "components/dropdowns/AdvDropDown.h"
#include "components/graphics/AdvXPVS.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

namespace {

// Whether the bound theme library says a visual style is active.
bool themeActive() { return AdvXPVS.IsThemeActive && AdvXPVS.IsThemeActive(); }

void drawThemePart(HWND Window, HDC DC, const char16_t* ClassName, int Part, int State, const TRect& R) {
    if (!AdvXPVS.OpenThemeData || !AdvXPVS.DrawThemeBackground || !AdvXPVS.CloseThemeData) return;
    HTHEME Theme = AdvXPVS.OpenThemeData(Window, ClassName);
    if (!Theme) return;
    AdvXPVS.DrawThemeBackground(Theme, DC, Part, State, &R, nullptr);
    AdvXPVS.CloseThemeData(Theme);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAdvDropDownSpeedButton

TAdvDropDownSpeedButton::TAdvDropDownSpeedButton(TComponent* AOwner)
    : THotSpeedButton(AOwner), FIsWinXP(PlatformFacts().ComCtlMajorVersion > 5) {}

void TAdvDropDownSpeedButton::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TAdvDropDownSpeedButton::SetFocused(bool Value) {
    if (FFocused == Value) return;
    FFocused = Value;
    Invalidate();
}

void TAdvDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
    FButtonStyle = Value;
    Invalidate();
}

void TAdvDropDownSpeedButton::Paint() {
    if (FButtonStyle == bsDropDown)
        paintDropDown();
    else
        paintButton();
}

void TAdvDropDownSpeedButton::paintDropDown() {
    auto* Container = dynamic_cast<TDropDownEditButton*>(Owner());
    auto* Edit = Container ? dynamic_cast<TAdvCustomDropDown*>(Container->Owner()) : nullptr;
    TCanvas* C = Canvas();
    const TRect R = GetClientRect();
    if (Container && Container->ButtonColor() != clNone) {
        TColor Face = Container->ButtonColor();
        TColor Arrow = Container->ButtonTextColor();
        if (Hot()) Face = Container->ButtonColorHot(), Arrow = Container->ButtonTextColorHot();
        if (pressed()) Face = Container->ButtonColorDown(), Arrow = Container->ButtonTextColorDown();
        C->Pen()->SetColor(Face);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Face);
        C->Rectangle(R);
        // No colour: no separator, and the arrow in the edit's text colour.
        const TColor Separator = Edit ? Edit->BorderColor() : clNone;
        if (Separator != clNone) {
            C->Pen()->SetColor(Separator);
            C->MoveTo(0, R.Top);
            C->LineTo(0, R.Bottom);
        }
        if (Arrow == clNone) Arrow = Edit ? Edit->Font()->Color() : clWindowText;
        FillDropArrow(C, Arrow);
        return;
    }
    if (!Glyph()->Empty()) {
        C->Pen()->SetColor(0x808080);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->Rectangle(R);
        TBitmap Keyed;
        Keyed.Assign(Glyph());
        Keyed.SetTransparent(true);
        const int X = Keyed.Width() < Width() ? (Width() - Keyed.Width()) / 2 : 0;
        const int Y = Keyed.Height() < Height() ? (Height() - Keyed.Height()) / 2 : 0;
        C->Draw(X, Y, &Keyed);
        return;
    }
    const bool On = (!Container || Container->Enabled()) && (!Edit || (Edit->Enabled() && !Edit->ReadOnly()));
    if (FIsWinXP && themeActive() && Container && Container->HandleAllocated()) {
        TRect T = R;
        if (IsVistaOrLater()) {
            T.Left += 1;
        } else {
            T = Rect(T.Left - 1 + 2, T.Top - 1, T.Right + 1, T.Bottom + 1);
        }
        const int State = !On ? CBXS_DISABLED : pressed() ? CBXS_PRESSED : Hot() ? CBXS_HOT : CBXS_NORMAL;
        drawThemePart(Container->Handle(), C->Handle(), u"combobox", CP_DROPDOWNBUTTON, State, T);
        return;
    }
    TSpeedButton::Paint();
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(clBtnFace);
    C->MoveTo(Width() - 2, 0);
    C->LineTo(0, 0);
    C->LineTo(0, Height() - 1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(Width() - 3, 1);
    C->LineTo(1, 1);
    C->LineTo(1, Height() - 2);
    FillDropArrow(C, clBlack);
}

void TAdvDropDownSpeedButton::paintButton() {
    auto* Container = dynamic_cast<TDropDownEditButton*>(Owner());
    auto* Edit = Container ? dynamic_cast<TAdvCustomDropDown*>(Container->Owner()) : nullptr;
    TCanvas* C = Canvas();
    if (Edit) C->Font()->Assign(Edit->Font());
    const TRect Client = GetClientRect();
    const bool Down = pressed();
    const int Shift = Down ? 1 : 0;
    const String Text = Caption();
    TBitmap* G = Glyph();
    if (FIsWinXP && themeActive() && Container && Container->HandleAllocated()) {
        C->FillRect(BoundsRect());
        const int State = !Enabled() ? PBS_DISABLED : Down ? PBS_PRESSED : Hot() ? PBS_HOT : PBS_NORMAL;
        drawThemePart(Container->Handle(), C->Handle(), u"button", BP_PUSHBUTTON, State,
                      Rect(0, 0, Width() + 1, Height() + 1));
        const TRect Inner = Rect(Client.Left + 2, Client.Top + 2, Client.Right - 2, Client.Bottom - 2);
        int GX = Inner.Left;
        if (!G->Empty()) {
            TBitmap Keyed;
            Keyed.Assign(G);
            Keyed.SetTransparent(true);
            if (Text.isEmpty() && G->Width() < Inner.Width()) GX = Inner.Left + (Inner.Width() - G->Width()) / 2;
            int GY = Inner.Top;
            if (G->Height() < Inner.Height()) GY = Inner.Top + (Inner.Height() - G->Height()) / 2;
            C->Draw(GX + Shift, GY + Shift, &Keyed);
        }
        if (Text.isEmpty()) return;
        C->Brush()->SetStyle(bsClear);
        if (G->Empty()) {
            TRect T = Rect(Client.Left + 3 + Shift, Client.Top + 1 + Shift, Client.Right - 3 + Shift,
                           Client.Bottom - 1 + Shift);
            DrawText(C->Handle(), Text, -1, T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            TRect T = Rect(GX + G->Width() + 2, Client.Top - 1, Client.Right, Client.Bottom - 1);
            DrawText(C->Handle(), Text, -1, T, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
        return;
    }
    if (!Flat()) {
        TSpeedButton::Paint();
        return;
    }
    C->FillRect(BoundsRect());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Client);
    TRect Edge = Rect(Client.Left, Client.Top, Client.Right + 1, Client.Bottom + 1);
    DrawEdge(C->Handle(), &Edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Down ? BF_FLAT : 0));
    if (!G->Empty()) {
        const TRect Inner =
            Rect(Client.Left + 3 + Shift, Client.Top + 3 + Shift, Client.Right - 3 + Shift, Client.Bottom - 3 + Shift);
        DrawTransparentBitmap(C, G, clBtnFace, Inner);
    }
    if (Text.isEmpty()) return;
    C->Brush()->SetStyle(bsClear);
    TRect T =
        Rect(Client.Left + 3 + Shift, Client.Top + 1 + Shift, Client.Right - 3 + Shift, Client.Bottom - 1 + Shift);
    DrawText(C->Handle(), Text, -1, T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle Style = ControlStyle();
    Style.Exclude(csAcceptsControls);
    Style.Exclude(csSetCaption);
    Style.Include(csOpaque);
    SetControlStyle(Style);
    FButton = new TAdvDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        ButtonMouseUp(Sender, Button, Shift, X, Y);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(String());
    FButton->SetButtonStyle(bsDropDown);
    FButton->SetGlyph(nullptr);
    FBWidth = 16;
    SetBounds(Left(), Top(), 16, 25);
}

void TDropDownEditButton::SetButtonWidth(int Value) {
    if (FBWidth == Value) return;
    FBWidth = Value;
    SetBounds(Left(), Top(), Value, Height());
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TDropDownEditButton::AdjustWinSize(int& W, int& H) {
    if (ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning)) return;
    W = FBWidth;
    if (FButton) FButton->SetBounds(0, 0, FBWidth, H);
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AdjustWinSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDropDownEditButton::Loaded() {
    TWinControl::Loaded();
    int W = Width();
    int H = Height();
    AdjustWinSize(W, H);
    if (W != Width() || H != Height()) TWinControl::SetBounds(Left(), Top(), W, H);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FButton) FButton = nullptr;
}

void TDropDownEditButton::Dispatch(TMessage& Message) {
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

void TDropDownEditButton::WMSize(TMessage& Message) {
    const TWeak<TDropDownEditButton> Alive(this);
    TWinControl::Dispatch(Message);
    if (!Alive) return;
    int W = Width();
    int H = Height();
    AdjustWinSize(W, H);
    if (W != Width() || H != Height()) TWinControl::SetBounds(Left(), Top(), W, H);
    Message.Result = 0;
}

void TDropDownEditButton::CMEnabledChanged(TMessage& Message) {
    const TWeak<TDropDownEditButton> Alive(this);
    TWinControl::Dispatch(Message);
    if (!Alive || ComponentState().Contains(csDesigning) || !FButton) return;
    FButton->SetEnabled(Enabled());
}

void TDropDownEditButton::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
    // The popup opens on the release, not on the press.
    if (Button == mbLeft && OnClick && Sender == FButton) FireEvent(OnClick, this);
}
