// TCustomDateTimePicker: the flat and metro painting over the platform picker, auto-tab and the
// grid's tab handling.
#include "components/dropdowns/AdvDateTimePicker.h"

#include "components/graphics/AdvXPVS.h"
#include "components/graphics/TesselStyle.h"
#include "framework/rtl/DateUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"

namespace advdatetimepicker {
UINT DTPShiftFocusMessage = 0;
}
using advdatetimepicker::DTPShiftFocusMessage;

namespace {

int UnitInitCount = 0;

// The unit registers its message when the program starts.
struct TUnitLifetime {
    TUnitLifetime() { InitializeAdvDateTimePickerUnit(); }
} UnitLifetime;

constexpr TColor kThemedOutline = 0xB99D7F;

void polyline(TCanvas& C, std::initializer_list<TPoint> Points) {
    auto It = Points.begin();
    C.MoveTo(It->X, It->Y);
    for (++It; It != Points.end(); ++It) C.LineTo(It->X, It->Y);
}

void frame(HDC DC, const TRect& R, TColor Color) {
    TCanvas C;
    C.SetHandle(DC);
    C.Brush()->SetColor(Color);
    C.FrameRect(R);
    C.SetHandle(nullptr);
}

}  // namespace

void InitializeAdvDateTimePickerUnit() {
    if (UnitInitCount++ > 0) return;
    DTPShiftFocusMessage = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
}

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner)
    : TDateTimePicker(AOwner),
      FIsThemed(PlatformFacts().ComCtlMajorVersion > 5),
      FIsWinXP(IsWinXPOrLater()),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2) {
    SetDoubleBuffered(true);
    SetCtl3D(false);
}

void TCustomDateTimePicker::SetMetroStyle(bool Value) {
    if (FMetroStyle == Value) return;
    FMetroStyle = Value;
    Invalidate();
}

void TCustomDateTimePicker::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
}

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Invalidate();
}

void TCustomDateTimePicker::SetAutoTab(bool Value) { FAutoTab = Value; }

void TCustomDateTimePicker::SetAutoTabToNext(bool Value) { FAutoTabToNext = Value; }

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomDateTimePicker::WndProc(TMessage& Message) {
    if (DTPShiftFocusMessage && Message.Msg == DTPShiftFocusMessage) {
        DoAutoTab();
        return;
    }
    // A click on the first field (beside the check box) makes it the active one.
    if (Message.Msg == WM_SETFOCUS && FAutoTab && HandleAllocated())
        PostMessage(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(ShowCheckbox() ? 24 : 2, 2));
    TDateTimePicker::WndProc(Message);
}

void TCustomDateTimePicker::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
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
        case CM_CTL3DCHANGED:
            TDateTimePicker::Dispatch(Message);
            Invalidate();
            break;
        default:
            TDateTimePicker::Dispatch(Message);
            break;
    }
}

void TCustomDateTimePicker::WMGetDlgCode(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    if (!FGridTabhandling) return;
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    // In a grid, Tab on the time part and Shift+Tab on the date part stay in the editor.
    if ((FIsTimePicker && !Shift) || (Shift && !FIsTimePicker)) Message.Result |= DLGC_WANTTAB;
}

void TCustomDateTimePicker::CMEnter(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    if (ComponentState().Contains(csDesigning)) return;
    FHasFocus = true;
    Invalidate();
}

void TCustomDateTimePicker::CMExit(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    if (ComponentState().Contains(csDesigning)) return;
    FHasFocus = false;
    Invalidate();
}

void TCustomDateTimePicker::CMMouseEnter(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    if (!Enabled() || FMouseInControl) return;
    FMouseInControl = true;
    if (FIsWinXP) Invalidate();
}

void TCustomDateTimePicker::CMMouseLeave(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    if (!Enabled() || !FMouseInControl) return;
    FMouseInControl = false;
    FButtonHover = false;
    if (FIsWinXP) Invalidate();
}

void TCustomDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool Hover = Width() - FButtonWidth < X && X < Width();
    if (Hover == FButtonHover) return;
    FButtonHover = Hover;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Auto-tab

void TCustomDateTimePicker::KeyPress(Char& Key) {
    if (!(FAutoTab && Key >= u'0' && Key <= u'9')) {
        TDateTimePicker::KeyPress(Key);
        return;
    }
    if (TDateTimePicker::Kind() == dtkTime) DecodeTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
    TDateTimePicker::KeyPress(Key);
    // Checked once the control has taken the digit.
    if (HandleAllocated()) PostMessage(Handle(), DTPShiftFocusMessage, 0, 0);
}

void TCustomDateTimePicker::postRight() {
    if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::FocusNextControl() {
    if (!Visible()) return;
    if (TCustomForm* Form = GetParentForm(this)) Form->Perform(WM_NEXTDLGCTL, 0, 0);
}

void TCustomDateTimePicker::DoAutoTab() {
    Word H, M, S, MS;
    DecodeTime(TDateTimePicker::DateTime(), H, M, S, MS);
    if (H == Fh && M == Fm && S == Fs) return;
    if (H == Fh && M == Fm && FAutoTabToNext)
        FocusNextControl();
    else
        postRight();
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TCustomDateTimePicker::ThemeActive() const {
    return FIsThemed && AdvXPVS.IsThemeActive && AdvXPVS.IsThemeActive();
}

bool TCustomDateTimePicker::IsHot() const {
    if (ComponentState().Contains(csDesigning)) return Enabled();
    return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

bool TCustomDateTimePicker::mouseButtonDown() const {
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

TColor TCustomDateTimePicker::flatPenColor() const {
    if (FBorderStyle == bsNone && Parent()) return Parent()->Color();
    return FIsThemed ? kThemedOutline : FBorderColor;
}

void TCustomDateTimePicker::WMNCPaint(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (DC) {
        DrawFlatBorder(DC);
        const bool Disabled = !Enabled() && ThemeActive();
        if (Disabled || (FFocusBorderColor != clNone && Focused()) || FBorderColor != clNone) DrawBorders(DC);
    }
    Message.Result = 0;
}

void TCustomDateTimePicker::DrawFlatBorder(HDC DC) {
    if (Ctl3D()) return;
    const int W = Width(), H = Height();
    TCanvas C;
    C.SetHandle(DC);
    C.Pen()->SetColor(flatPenColor());
    polyline(C, {Point(0, H), Point(0, 0), Point(W - 1, 0), Point(W - 1, H - 1), Point(0, H - 1)});
    if (Parent()) {
        if (FBorderStyle == bsSingle) C.Pen()->SetColor(Parent()->Color());
        polyline(C, {Point(1, H - 2), Point(1, 1), Point(W - 1, 1)});
    }
    C.SetHandle(nullptr);
}

void TCustomDateTimePicker::WMPaint(TMessage& Message) {
    TDateTimePicker::Dispatch(Message);
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC || !((!Ctl3D() || UseMetroPainting()) && IsVistaOrLater())) return;
    const int CW = ClientWidth(), CH = ClientHeight();
    TCanvas C;
    C.SetHandle(DC);
    if (UseMetroPainting() && TDateTimePicker::Kind() == dtkDate) {
        if (IsComCtl6OrLater()) {
            C.Brush()->SetColor(Color());
            C.FillRect(ThemeActive() ? Rect(CW - FButtonWidth - 4, 1, CW, CH)
                                     : Rect(CW - FButtonWidth - 2, 4, CW - 2, CH - 4));
        }
        DrawDropButton(DC);
    }
    if (!Ctl3D()) {
        const int W = Width(), H = Height();
        C.Pen()->SetColor(flatPenColor());
        polyline(C, {Point(0, H), Point(0, 0), Point(W - 1, 0), Point(W - 1, H - 1), Point(0, H - 1)});
        if (!ThemeActive())
            polyline(C, {Point(1, H), Point(1, 1), Point(W - 2, 1), Point(W - 2, H - 2), Point(0, H - 2)});
    }
    C.SetHandle(nullptr);
    DrawBorders(DC);
}

void TCustomDateTimePicker::DrawDropButton(HDC DC) {
    const int CW = ClientWidth();
    TRect R = Rect(CW - FButtonWidth + 2 + 1, 1, Width() - 1, Height() - 1);
    const bool Down = mouseButtonDown();
    if (FButtonColor != clNone) {
        TCanvas C;
        C.SetHandle(DC);
        C.Brush()->SetColor(FButtonHover ? (Down ? FButtonColorDown : FButtonColorHot) : FButtonColor);
        C.FillRect(Rect(R.Left + 2, R.Top, R.Right, R.Bottom));
        C.Pen()->SetColor(FButtonBorderColor);
        C.MoveTo(R.Left, R.Top);
        C.LineTo(R.Left, R.Bottom);
        const TColor Arrow = Down && FButtonHover ? FButtonTextColorDown : FButtonTextColor;
        C.Pen()->SetColor(Arrow);
        C.Brush()->SetColor(Arrow);
        C.Polygon({Point(R.Left + 5, R.Top + 7), Point(R.Left + 11, R.Top + 7), Point(R.Left + 8, R.Top + 10)});
        C.SetHandle(nullptr);
    } else if (ThemeActive()) {
        if (AdvXPVS.OpenThemeData && AdvXPVS.DrawThemeBackground && AdvXPVS.CloseThemeData) {
            int State = CBXS_HOT;
            if (!Enabled())
                State = CBXS_DISABLED;
            else if (Down && DroppedDown())
                State = CBXS_PRESSED;
            else if (Down || !FButtonHover || DroppedDown())
                State = CBXS_NORMAL;
            HTHEME Theme = AdvXPVS.OpenThemeData(HandleAllocated() ? Handle() : nullptr, u"combobox");
            if (Theme) {
                AdvXPVS.DrawThemeBackground(Theme, DC, CP_DROPDOWNBUTTON, State, &R, nullptr);
                AdvXPVS.CloseThemeData(Theme);
            }
        }
    } else {
        DrawFrameControl(DC, &R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
    }
    // The borders drawn after it leave the button alone.
    ExcludeClipRect(DC, CW - FButtonWidth - 4, 0, Width(), Height());
}

void TCustomDateTimePicker::DrawBorders(HDC DC) {
    if (!UseMetroPainting()) return;
    if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    DrawFrame(DC);
    if (!FIsWinXP || !ThemeActive()) DrawButtonFrame(DC);
}

void TCustomDateTimePicker::DrawFrame(HDC DC) {
    const TRect R = Rect(0, 0, Width(), Height());
    if (!Enabled() && FIsThemed) {
        frame(DC, R, kThemedOutline);
    } else if (FHasFocus && FFocusBorderColor != clNone) {
        frame(DC, R, FFocusBorderColor);
    } else if (FBorderColor != clNone) {
        frame(DC, R, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        return;
    } else {
        const TColor ParentColor = Parent() ? Parent()->Color() : Color();
        frame(DC, R, ParentColor);
        frame(DC, Rect(1, 1, Width() - 1 - FButtonWidth, Height() - 1), ParentColor);
        frame(DC, Rect(2, 2, Width() - 2 - FButtonWidth, Height() - 2), Color());
    }
}

void TCustomDateTimePicker::DrawButtonFrame(HDC DC) {
    const int CW = ClientWidth();
    TRect R = Rect(CW - FButtonWidth - 2 + 2, 2, Width() - 2, Height() - 2);
    if (IsHot()) {
        DrawEdge(DC, &R, DroppedDown() ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    } else {
        TCanvas C;
        C.SetHandle(DC);
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(Rect(R.Left, R.Top + 1, R.Right - 1, R.Bottom - 1));
        C.SetHandle(nullptr);
    }
}
