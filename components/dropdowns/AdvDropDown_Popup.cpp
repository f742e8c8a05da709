// TAdvCustomDropDown: opening, placing, sizing and closing the popup, and what the popup and its
// control pass back to the edit.
#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvHeaderFooter.h"
#include "framework/rtl/Clock.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

namespace {

// The drop button waits this long after a deactivation closed the popup, so the click that
// closed it does not open it again.
constexpr DWORD kReopenGuardMs = 250;

}  // namespace

void TAdvCustomDropDown::BeforeDropDown() {
    if (OnBeforeDropDown) FireEvent(OnBeforeDropDown, this);
}

void TAdvCustomDropDown::FocusDropDownControl() {
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

TPoint TAdvCustomDropDown::popupAnchor() const {
    if (TWinControl* P = Parent()) return P->ClientToScreen(TPoint{Left(), Top()});
    return ClientOrigin();
}

void TAdvCustomDropDown::SizeDropDownForm() {
    if (!FDropDownForm) return;
    int W = Width();
    if (FDropDownWidth > 0)
        W = FDropDownWidth;
    else if (FControl && FControl->Visible())
        W = FControl->Width();
    int H = 2 * FDropDownBorderWidth;
    if (FDropDownHeight > 0) {
        H = FDropDownHeight;
    } else {
        if (FDropDownHeader->Visible()) H += FDropDownHeader->Height();
        if (FDropDownFooter->Visible()) H += FDropDownFooter->Height();
        if (FControl && FControl->Visible()) H += FControl->Height();
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), W, H);
}

void TAdvCustomDropDown::PlaceDropDownControl() {
    if (!FDropDownForm || !FControl || !FDropDownHeader) return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
    FControl->SetVisible(true);
}

void TAdvCustomDropDown::connectControlKeys() {
    auto* Win = dynamic_cast<TWinControl*>(FControl);
    if (!Win) return;
    Win->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    Win->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    Win->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
}

// Where the popup goes: below the edit when its bottom plus the popup's height fits the work area
// of the edit's display (always with dpDown), else above it ending on its top; moved left to end
// at the work area's right edge when it would pass it.
TPoint TAdvCustomDropDown::placePopup(const TPoint& Anchor, int PopupHeight) const {
    TRect WorkArea = Screen->WorkAreaRect();
    if (TMonitor* M = Screen->MonitorFromPoint(Anchor, mdNull)) WorkArea = M->WorkareaRect();
    const int Below = Anchor.Y + Height() - 1;
    const int Above = Anchor.Y - PopupHeight;
    TPoint P{Anchor.X, Below};
    if (FDropPosition == dpUp || (FDropPosition == dpAuto && Below + PopupHeight > WorkArea.Bottom)) P.Y = Above;
    const int W = FDropDownForm->Width();
    if (P.X + W > WorkArea.Right && P.X < WorkArea.Right) P.X = WorkArea.Right - W;
    return P;
}

void TAdvCustomDropDown::OpenPopup() {
    if (designing() || !FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
    if (FDropDownForm->IsDeactivating() || FDoShowBusy) return;
    FDoShowBusy = true;
    // Cleared on every way out, a handler's exception included.
    const TWeak<TAdvCustomDropDown> Self(this);
    struct TBusyGuard {
        const TWeak<TAdvCustomDropDown>& Edit;
        ~TBusyGuard() {
            if (Edit) Edit->FDoShowBusy = false;
        }
    } Busy{Self};

    BeforeDropDown();
    if (!Self || !FDropDownForm) return;
    TDropDownForm* Form = FDropDownForm;
    Form->SetShadow(FDropDownShadow);
    Form->InitializeAndUpdate();
    const HWND FormWnd = Form->Handle();
    const DWORD ClassStyle = GetClassLong(FormWnd, GCL_STYLE);
    SetClassLong(FormWnd, GCL_STYLE,
                 static_cast<LONG>(Form->Shadow() ? ClassStyle | CS_DROPSHADOW : ClassStyle & ~CS_DROPSHADOW));

    Form->SetBounds(Left(), Top(), Form->Width(), Form->Height());
    SizeDropDownForm();
    PlaceDropDownControl();
    Form->Constraints()->SetMinWidth(80);
    Form->Constraints()->SetMinHeight(50);
    connectControlKeys();

    const TPoint Anchor = popupAnchor();
    // A first place, as the whole screen's height sees it; the final one follows below.
    const bool FitsBelow = GetSystemMetrics(SM_CYSCREEN) > Anchor.Y + Form->Height();
    const bool Down = FDropPosition == dpDown || (FDropPosition == dpAuto && FitsBelow);
    Form->SetBounds(Anchor.X, Down ? Anchor.Y + Height() - 1 : Anchor.Y - Form->Height(), Form->Width(),
                    Form->Height());

    bool Accept = true;
    if (OnDropDown) FireEvent(OnDropDown, this, Accept);
    if (!Self || !Accept || !FDropDownForm) return;

    // The size the user gave the popup last time, and the picker's height, before placing it.
    int W = FUserDropDownWidth != -1 ? FUserDropDownWidth : Form->Width();
    int H = FUserDropDownHeight != -1 ? FUserDropDownHeight : Form->Height();
    Form->SetBounds(Form->Left(), Form->Top(), W, H);
    W = Form->Width();
    H = Form->Height();
    AdjustDropDownHeight(H);
    if (!Self) return;
    TPoint P = placePopup(Anchor, H);
    if (OnGetDropDownPos) FireEvent(OnGetDropDownPos, this, P);
    if (!Self || !FDropDownForm) return;

    Form->SetBounds(P.X, P.Y, W, H);
    Form->Show();
    if (!Self || !FDropDownForm) return;
    if (FDropDownShadow && FForceShadow) {
        // Shown once more so that the window system draws the shadow.
        Form->Hide();
        Form->SetBounds(P.X, P.Y, 1, 1);
        Form->Show();
        if (!Self || !FDropDownForm) return;
    }
    FDroppedDown = true;
    SetWindowPos(Form->Handle(), HWND_TOPMOST, P.X, P.Y, W, H, 0);
    if (!Self) return;
    if (auto* Win = dynamic_cast<TWinControl*>(FControl); Win && Win->CanFocus()) {
        Win->SetFocus();
        if (!Self) return;
    }
    FocusDropDownControl();
}

void TAdvCustomDropDown::ClosePopup(bool Cancelled) {
    if (designing() || !FDropDownForm || !FDropDownForm->Visible()) return;
    const TWeak<TAdvCustomDropDown> Self(this);
    if (OnBeforeDropUp) FireEvent(OnBeforeDropUp, this);
    if (!Self || !FDropDownForm) return;
    FUserDropDownWidth = FDropDownForm->Width();
    FUserDropDownHeight = FDropDownForm->Height();
    // The popup's hide event runs AfterClosePopup.
    FDropDownForm->Hide();
    if (!Self) return;
    // A close ends any deactivation in progress, or the popup would never open again.
    if (FDropDownForm) FDropDownForm->SetIsDeactivating(false);
    if (Application) Application->CancelHint();
    if (Cancelled) SetText(FOldText);
    if (Self && OnDropUp) FireEvent(OnDropUp, this, Cancelled);
}

void TAdvCustomDropDown::AfterClosePopup() {
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !ComponentState().Contains(csDestroying)) SetFocus();
}

void TAdvCustomDropDown::DropButtonClick(TObject*) {
    if (designing() || !FDropDownForm || FDropDownForm->Visible()) return;
    // Unsigned: the difference stays right when the tick count wraps.
    const DWORD Since = GetTickCount() - FDropDownForm->DeActivateTime();
    if (Since > kReopenGuardMs) OpenPopup();
}

// ---------------------------------------------------------------------------------------------
// What the popup and its control pass on

void TAdvCustomDropDown::PopupWheelDown(TShiftState, TPoint, bool&) { DoSelectNext(); }

void TAdvCustomDropDown::PopupWheelUp(TShiftState, TPoint, bool&) { DoSelectPrevious(); }

void TAdvCustomDropDown::PopupKeyPress(Char& Key) { Perform(WM_CHAR, Key.unicode(), 0); }

void TAdvCustomDropDown::PopupKeyDown(Word& Key, TShiftState) { Perform(WM_KEYDOWN, Key, 0); }

void TAdvCustomDropDown::PopupKeyUp(Word& Key, TShiftState) { Perform(WM_KEYUP, Key, 0); }

void TAdvCustomDropDown::ControlKeyDown(Word& Key, TShiftState) { Perform(WM_KEYDOWN, Key, 0); }

void TAdvCustomDropDown::ControlKeyUp(Word& Key, TShiftState) { Perform(WM_KEYUP, Key, 0); }

void TAdvCustomDropDown::ControlKeyPress(Char& Key) { Perform(WM_CHAR, Key.unicode(), 0); }

bool TAdvCustomDropDown::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const TWeak<TAdvCustomDropDown> Self(this);
    const bool Result = TCustomMaskEdit::DoMouseWheelDown(Shift, MousePos);
    if (!Self) return Result;
    const TPoint P = ScreenToClient(MousePos);
    if (FDroppedDown || PtInRect(ClientRect(), P)) DoSelectNext();
    return Result;
}

bool TAdvCustomDropDown::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const TWeak<TAdvCustomDropDown> Self(this);
    const bool Result = TCustomMaskEdit::DoMouseWheelUp(Shift, MousePos);
    if (!Self) return Result;
    const TPoint P = ScreenToClient(MousePos);
    if (FDroppedDown || PtInRect(ClientRect(), P)) DoSelectPrevious();
    return Result;
}
