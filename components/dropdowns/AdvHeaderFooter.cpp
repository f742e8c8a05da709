#include "components/dropdowns/AdvHeaderFooter.h"

#include "components/dropdowns/AdvButton.h"
#include "components/dropdowns/AdvDropDown.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

#include <algorithm>
#include <type_traits>

template <class TAppearance, class TButtons>
TDropDownStrip<TAppearance, TButtons>::TDropDownStrip(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TAppearance>(AOwner)),
      FButtonList(std::make_unique<TDbgList>()) {
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    SetBorderWidth(0);
    SetDoubleBuffered(true);
}

template <class TAppearance, class TButtons>
TDropDownStrip<TAppearance, TButtons>::~TDropDownStrip() {
    FAppearance->OnChange = nullptr;
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

template <class TAppearance, class TButtons>
TButtons* TDropDownStrip<TAppearance, TButtons>::Buttons() const {
    return FAdvDropDown ? EditAppearance(FAdvDropDown)->Buttons() : nullptr;
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::SetAdvDropDown(TAdvCustomDropDown* ADropDown) {
    FAdvDropDown = ADropDown;
    if (!ADropDown) {
        SetImages(nullptr);
        return;
    }
    SetImages(ADropDown->Images());
    FAppearance->Assign(EditAppearance(ADropDown));
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::InitButtons() {
    if (FAdvDropDown) CreateButtons();
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::AppearanceChanged(TObject*) {
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (FButtonList) FButtonList->Remove(AComponent);
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::Resize() {
    TCustomControl::Resize();
    ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------
// Buttons

template <class TAppearance, class TButtons>
TRect TDropDownStrip<TAppearance, TButtons>::GetButtonRect() const {
    constexpr int BottomMargin = std::is_same_v<TAppearance, TFooterAppearance> ? 2 : 3;
    const TRect C = ClientRect();
    return Rect(C.Left + 2, C.Top + 2, C.Right - 2 - GripRoom(), C.Bottom - BottomMargin);
}

template <class TAppearance, class TButtons>
TRect TDropDownStrip<TAppearance, TButtons>::GetCaptionRect() const {
    if (FButtonList->Count() == 0) return Rect(-1, -1, -1, -1);
    TRect R = GetButtonRect();
    R.Right = ButtonControl(FButtonList->Count() - 1)->Left() - 2;
    return R;
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::RemoveButtons() {
    for (int I = FButtonList->Count() - 1; I >= 0; --I) {
        TAdvButton* B = ButtonControl(I);
        FButtonList->Delete(I);
        B->Free();
    }
    FButtonList->Clear();
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::CreateButtons() {
    TButtons* Items = Buttons();
    if (!Items || !FAdvDropDown) return;
    RemoveButtons();
    for (int I = 0; I < Items->Count(); ++I) {
        auto* Item = Items->Items(I);
        auto* B = new TAdvButton(this);
        B->SetParent(this);
        B->SetAppearance(FAdvDropDown->ButtonAppearance());
        B->SetCaption(Item->Caption());
        B->SetImages(FImages);
        B->SetImageIndex(Item->ImageIndex());
        B->SetEnabled(Item->Enabled());
        PrepareButton(B, I);
        B->AdjustButtonSize();
        if (Item->Width() > 0) B->SetWidth(Item->Width());
        if (Item->Height() > 0) B->SetHeight(Item->Height());
        B->SetHeight(std::min(B->Height(), GetButtonAreaHeight()));
        B->SetTag(I);
        B->OnClick = [this](TObject* Sender) { ButtonClicked(static_cast<TComponent*>(Sender)->Tag()); };
        FButtonList->Add(B);
    }
    ArrangeButtons();
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::ArrangeButtons() {
    const TRect R = GetButtonRect();
    const bool RightToLeft = FAppearance->ButtonAlignment() == advdropdown::baRight;
    int X = RightToLeft ? R.Right : R.Left;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        TAdvButton* B = ButtonControl(I);
        const int Top = std::max(R.Top, (R.Bottom - B->Height()) / 2);
        if (RightToLeft) X -= B->Width();
        B->SetBounds(X, Top, B->Width(), B->Height());
        if (!RightToLeft) X += B->Width();
    }
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::UpdateButtons() {
    TButtons* Items = Buttons();
    if (!Items || !FAdvDropDown) return;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        TAdvButton* B = ButtonControl(I);
        B->SetAppearance(FAdvDropDown->ButtonAppearance());
        B->SetImages(FImages);
        if (I < Items->Count()) {
            B->SetCaption(Items->Items(I)->Caption());
            B->SetImageIndex(Items->Items(I)->ImageIndex());
            B->SetEnabled(Items->Items(I)->Enabled());
        }
    }
    ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------
// Painting

template <class TAppearance, class TButtons>
bool TDropDownStrip<TAppearance, TButtons>::PaintStrip(bool AtBottom) {
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    if (OnDrawBackGround) {
        const auto Handler = OnDrawBackGround;
        Handler(this, C, Client);
        return false;
    }
    const TAppearance& A = *FAppearance;
    if (A.ColorTo() != clNone) {
        FillGradient(C, A.Color(), A.ColorTo(), A.GradientDirection() == advdropdown::gdHorizontal, Client, 80);
    } else if (A.Color() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(A.Color());
        C->FillRect(Client);
    }
    const int BW = A.BorderWidth();
    if (A.BorderColor() != clNone && BW > 0) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(BW);
        C->Pen()->SetColor(A.BorderColor());
        // Where the popup draws no frame of its own, the strip closes its three outer sides.
        const bool Framed =
            FAdvDropDown && FAdvDropDown->DropDownBorderWidth() > 0 && FAdvDropDown->DropDownBorderColor() != clNone;
        if (AtBottom) {
            C->MoveTo(Client.Left, Client.Top);
            C->LineTo(Client.Right, Client.Top);
            if (!Framed) {
                C->MoveTo(Client.Left, Client.Top);
                C->LineTo(Client.Left, Client.Bottom);
                C->LineTo(Client.Right, Client.Bottom);
                C->LineTo(Client.Right, Client.Top);
            }
        } else {
            C->MoveTo(Client.Left, Client.Bottom - 1);
            C->LineTo(Client.Right, Client.Bottom - 1);
            if (!Framed) {
                C->MoveTo(Client.Left, Client.Bottom - 1);
                C->LineTo(Client.Left, Client.Top);
                C->LineTo(Client.Right, Client.Top);
                C->LineTo(Client.Right, Client.Bottom - 1);
            }
        }
        C->Pen()->SetWidth(1);
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(BlendColor(A.BorderColor(), clWhite, 20));
        TRect Light = Client;
        if (AtBottom)
            Light.Top += BW;
        else
            Light.Bottom -= BW;
        C->Rectangle(Light);
    }
    TRect R = Client;
    R.Left += BW;
    R.Top += BW;
    R.Right -= BW;
    R.Bottom -= BW;
    if (A.ImageIndex() >= 0 && FImages) {
        FImages->Draw(C, R.Left + 4, R.Top + (R.Height() - FImages->Height()) / 2, A.ImageIndex(), true);
        R.Left += FImages->Width() + 8;
    }
    String Caption = A.Caption();
    if (OnGetText) {
        const auto Handler = OnGetText;
        Handler(this, Caption);
    }
    if (Caption.isEmpty()) return true;
    if (FButtonList->Count() > 0) R.Right = GetCaptionRect().Right;
    C->Font()->Assign(A.Font());
    TSize Size;
    DrawMarkupCaption(C, Caption, R, FImages, false, Handle(), Size);
    if (Size.cy < R.Height()) R.Top += (R.Height() - Size.cy) / 2;
    DrawMarkupCaption(C, Caption, R, FImages, true, Handle(), Size);
    return true;
}

template class TDropDownStrip<THeaderAppearance, THeaderButtons>;
template class TDropDownStrip<TFooterAppearance, TFooterButtons>;

// ---------------------------------------------------------------------------------------------
// Header

TAdvHeader::TAdvHeader(TComponent* AOwner) : TDropDownStrip(AOwner) {
    Appearance()->OnButtonsChanged = [](TObject*) {};
    TControlStyle Style = ControlStyle();
    Style.Include(csAcceptsControls);
    Style.Include(csClickEvents);
    Style.Include(csDoubleClicks);
    SetControlStyle(Style);
}

THeaderAppearance* TAdvHeader::EditAppearance(TAdvCustomDropDown* ADropDown) const {
    return ADropDown->DropDownHeader();
}

void TAdvHeader::ArrangeButtons() {
    if (ButtonList()->Count() == 0) return;
    TDropDownStrip::ArrangeButtons();
}

void TAdvHeader::ButtonClicked(int Index) {
    TAdvCustomDropDown* Edit = AdvDropDown();
    if (Edit && Edit->OnDropDownHeaderButtonClick) {
        const auto Handler = Edit->OnDropDownHeaderButtonClick;
        Handler(Edit, Index);
    }
}

void TAdvHeader::Paint() { PaintStrip(false); }

// ---------------------------------------------------------------------------------------------
// Footer

TAdvFooter::TAdvFooter(TComponent* AOwner) : TDropDownStrip(AOwner) {
    TControlStyle Style = ControlStyle();
    Style.Include(csAcceptsControls);
    Style.Include(csClickEvents);
    Style.Include(csDoubleClicks);
    Style.Include(csCaptureMouse);
    SetControlStyle(Style);
}

TFooterAppearance* TAdvFooter::EditAppearance(TAdvCustomDropDown* ADropDown) const {
    return ADropDown->DropDownFooter();
}

void TAdvFooter::ButtonClicked(int Index) {
    TAdvCustomDropDown* Edit = AdvDropDown();
    if (Edit && Edit->OnDropDownFooterButtonClick) {
        const auto Handler = Edit->OnDropDownFooterButtonClick;
        Handler(Edit, Index);
    }
}

void TAdvFooter::PrepareButton(TAdvButton* Button, int Index) {
    Button->SetAdvDropDown(AdvDropDown());
    Button->SetModalResult(Buttons()->Items(Index)->ModalResult());
}

bool TAdvFooter::SizeGripVisible() const {
    return Appearance()->SizeGrip() && AdvDropDown() && AdvDropDown()->DropDownSizeable();
}

void TAdvFooter::Paint() {
    if (!PaintStrip(true)) return;
    if (SizeGripVisible()) {
        const TRect C = ClientRect();
        DrawSizeGrip(C.Right - Appearance()->BorderWidth() - 16, C.Bottom);
    }
}

void TAdvFooter::DrawSizeGrip(int L, int B) {
    static constexpr TPoint Dots[] = {{4, -5}, {8, -5}, {12, -5}, {8, -9}, {12, -9}, {12, -13}};
    TCanvas* C = Canvas();
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsSolid);
    const auto dot = [&](int X, int Y, TColor Color) {
        C->Pen()->SetColor(Color);
        C->Brush()->SetColor(Color);
        C->Rectangle(X, Y, X + 2, Y + 2);
    };
    for (const TPoint& D : Dots) {
        dot(L + D.X + 1, B + D.Y + 1, clWhite);
        dot(L + D.X, B + D.Y, Appearance()->BorderColor());
    }
}

bool TAdvFooter::inGrip(int X, int Y) const {
    return SizeGripVisible() && Parent() && X > Width() - 12 && Y > Height() - 15;
}

void TAdvFooter::restoreCursor() {
    if (Screen->Cursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TAdvFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TDropDownStrip::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !inGrip(X, Y)) return;
    ReleaseCapture();
    const TPoint P = ClientToScreen(Point(X, Y));
    Parent()->Perform(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, PointToLParam(P.X, P.Y));
}

void TAdvFooter::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TDropDownStrip::MouseMove(Shift, X, Y);
    if (!Self) return;
    const TCursor Wanted = inGrip(X, Y) ? crSizeNWSE : FOldCursor;
    if (Screen->Cursor() != Wanted) Screen->SetCursor(Wanted);
}

void TAdvFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TDropDownStrip::MouseUp(Button, Shift, X, Y);
    if (Self) restoreCursor();
}

void TAdvFooter::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            TDropDownStrip::Dispatch(Message);
            if (Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
            break;
        case CM_MOUSELEAVE:
            TDropDownStrip::Dispatch(Message);
            restoreCursor();
            break;
        default:
            TDropDownStrip::Dispatch(Message);
    }
}
