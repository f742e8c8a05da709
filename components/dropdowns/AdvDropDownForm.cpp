// TDropDownForm: the popup window; its header and footer strips; activation, hit testing and
// sizing. The drop button is in AdvDropDownButton.cpp.
#include "components/dropdowns/AdvDropDownForm.h"

#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvHeaderFooter.h"
#include "framework/rtl/Clock.h"

using namespace advdropdown;

TDropDownForm::TDropDownForm(TComponent* AOwner, int) : TForm(AOwner) {
    FShadow = true;
    FIsDeactivating = false;
    FCancelOnDeActivate = true;
}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST;
    // Owned by the form that holds the edit: above it, and hidden with it.
    if (FAdvDropDown)
        if (TCustomForm* Form = GetParentForm(FAdvDropDown); Form && Form != this) Params.WndParent = Form->Handle();
}

void TDropDownForm::AdjustClientRect(TRect& Rect) {
    TForm::AdjustClientRect(Rect);
    if (!FAdvDropDown) return;
    const int B = FAdvDropDown->DropDownBorderWidth();
    Rect = ::Rect(Rect.Left + B, Rect.Top + B, Rect.Right - B, Rect.Bottom - B);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TDropDownForm::PaintWindow(HDC DC) {
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    paintBackground(&Canvas);
    Canvas.SetHandle(nullptr);
}

void TDropDownForm::Paint() {
    if (!HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    paintBackground(&Canvas);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

void TDropDownForm::paintBackground(TCanvas* Canvas) {
    if (!FAdvDropDown) return;
    const int B = FAdvDropDown->DropDownBorderWidth();
    const TRect Client = ClientRect();
    const TRect R = Rect(Client.Left + B, Client.Top + B, Client.Right - B, Client.Bottom - B);
    const TColor From = FAdvDropDown->DropDownColor();
    const TColor To = FAdvDropDown->DropDownColorTo();
    if (From != clNone && To != clNone) {
        FillGradient(Canvas, From, To, true, R, 80);
    } else if (From != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(From);
        Canvas->FillRect(R);
    }
    const TColor Border = FAdvDropDown->DropDownBorderColor();
    if (B <= 0 || Border == clNone) return;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(B);
    Canvas->Pen()->SetColor(Border);
    Canvas->Brush()->SetStyle(bsClear);
    // The canvas keeps a wide pen inside the rectangle (the platform centres it on a rectangle
    // moved in by half the width): either way the frame fills the border the content leaves.
    Canvas->Rectangle(Client);
}

// ---------------------------------------------------------------------------------------------
// Header and footer

void TDropDownForm::InitializeAndUpdate() {
    TAdvCustomDropDown* Edit = FAdvDropDown;
    if (!Edit) return;
    if (FHeader) {
        FHeader->SetAdvDropDown(Edit);
        FHeader->InitButtons();
        FHeader->SetVisible(Edit->DropDownHeader()->Visible());
    } else if (Edit->DropDownHeader()->Visible()) {
        FHeader = new TAdvHeader(this);
        FHeader->SetParent(this);
        FHeader->SetHeight(Edit->DropDownHeader()->Height());
        FHeader->SetAdvDropDown(Edit);
        FHeader->InitButtons();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = Edit->OnDrawHeader;
        FHeader->OnGetText = Edit->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->SetAdvDropDown(Edit);
        FFooter->InitButtons();
        FFooter->SetVisible(Edit->DropDownFooter()->Visible());
    } else if (Edit->DropDownFooter()->Visible()) {
        FFooter = new TAdvFooter(this);
        FFooter->SetParent(this);
        FFooter->SetHeight(Edit->DropDownFooter()->Height());
        FFooter->SetAdvDropDown(Edit);
        FFooter->InitButtons();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = Edit->OnDrawFooter;
        FFooter->OnGetText = Edit->OnGetFooterText;
    }
}

void TDropDownForm::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FHeader) FHeader = nullptr;
    if (AComponent == FFooter) FFooter = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TDropDownForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ACTIVATE:
            WMActivate(Message);
            break;
        case WM_NCHITTEST:
            WMNCHitTest(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_SIZING:
            WMSizing(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        default:
            TForm::Dispatch(Message);
            break;
    }
}

void TDropDownForm::WMActivate(TMessage& Message) {
    const TWeak<TDropDownForm> Alive(this);
    TForm::Dispatch(Message);
    if (!Alive || FBlockActivate) return;
    // Becoming active needs nothing more: the window holding the edit keeps its look by itself.
    if (LOWORD(Message.WParam) == WA_INACTIVE && Visible()) deactivated(reinterpret_cast<HWND>(Message.LParam));
}

void TDropDownForm::deactivated(HWND Activated) {
    FIsDeactivating = true;
    FDeActivate = GetTickCount();
    // A window of the popup's own (a dialog it owns) keeps it open.
    for (HWND W = GetParent(Activated); W; W = GetParent(W)) {
        if (FindControl(W) == this) {
            FIsDeactivating = false;
            return;
        }
    }
    const TWeak<TDropDownForm> Alive(this);
    if (FAdvDropDown)
        FAdvDropDown->ClosePopup(FCancelOnDeActivate);
    else
        Hide();
    if (Alive) FIsDeactivating = false;
}

void TDropDownForm::WMNCHitTest(TMessage& Message) {
    // No inherited handling: only the corner sizes the window; the children answer for
    // themselves.
    const TPoint P = ScreenToClient(LParamToPoint(Message.LParam));
    Message.Result = FSizeable && P.X > Width() - 10 && P.Y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
}

void TDropDownForm::WMSize(TMessage& Message) {
    const TWeak<TDropDownForm> Alive(this);
    TForm::Dispatch(Message);
    // A hidden popup is painted whole when it shows.
    if (Alive && Showing()) Paint();
}

void TDropDownForm::WMSizing(TMessage& Message) {
    const TWeak<TDropDownForm> Alive(this);
    DefaultHandler(Message);
    if (Alive && OnSizing) FireEvent(OnSizing, this);
}

void TDropDownForm::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS; }
