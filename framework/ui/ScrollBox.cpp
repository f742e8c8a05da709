#include "framework/ui/ScrollBox.h"

#include "framework/ui/PlatformFacts.h"

#include <algorithm>

TControlScrollBar::TControlScrollBar(TScrollBox* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}

int TControlScrollBar::clientExtent() const {
    const TRect R = FControl->ClientRect();
    return FKind == sbVertical ? R.Height() : R.Width();
}

void TControlScrollBar::SetPosition(int Value) {
    Value = std::clamp(Value, 0, std::max(0, FRange - clientExtent()));
    if (Value == FPosition) return;
    const int Delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbVertical)
        FControl->ScrollBy(0, Delta);
    else
        FControl->ScrollBy(Delta, 0);
    if (FBar) FBar->SetPosition(Value);
}

void TControlScrollBar::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    FControl->updateScrollBars();
}

TScrollBox::TScrollBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {
    for (TControlScrollBar* S : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
        auto* Bar = new TScrollBar(this);
        Bar->SetKind(S->FKind);
        Bar->SetVisible(false);
        Bar->SetParent(this);
        Bar->OnScroll = [this, S](TObject*, TScrollCode Code, int& Pos) { barScrolled(S, Code, Pos); };
        S->FBar = Bar;
    }
    SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetAutoScroll(bool Value) {
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    updateScrollBars();
}

bool TScrollBox::isBar(TControl* C) const { return C == FHorzScrollBar->FBar || C == FVertScrollBar->FBar; }

TRect TScrollBox::GetClientRect() const {
    TRect R = TWinControl::GetClientRect();
    if (FVertScrollBar && FVertScrollBar->FShown) R.Right = std::max(R.Left, R.Right - GetSystemMetrics(SM_CXVSCROLL));
    if (FHorzScrollBar && FHorzScrollBar->FShown) R.Bottom = std::max(R.Top, R.Bottom - GetSystemMetrics(SM_CYHSCROLL));
    return R;
}

void TScrollBox::ScrollBy(int DX, int DY) {
    if (DX == 0 && DY == 0) return;
    const bool Was = FUpdating;
    FUpdating = true;
    DisableAlign();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!isBar(C)) C->SetBounds(C->Left() + DX, C->Top() + DY, C->Width(), C->Height());
    }
    EnableAlign();
    FUpdating = Was;
    Invalidate();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    updateScrollBars();
}

void TScrollBox::updateScrollBars() {
    if (FUpdating || ComponentState().Contains(csDestroying) || !FHorzScrollBar || !FVertScrollBar ||
        !FHorzScrollBar->FBar || !FVertScrollBar->FBar)
        return;
    FUpdating = true;
    int Right = 0, Bottom = 0;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (isBar(C) || !C->Visible()) continue;
        Right = std::max(Right, C->Left() + C->Width() + FHorzScrollBar->FPosition);
        Bottom = std::max(Bottom, C->Top() + C->Height() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = Right;
    FVertScrollBar->FRange = Bottom;
    // A bar that shows takes room from the other side, which may then need its bar too.
    const int BarW = GetSystemMetrics(SM_CXVSCROLL), BarH = GetSystemMetrics(SM_CYHSCROLL);
    bool ShowV = false, ShowH = false;
    for (int Pass = 0; Pass < 2; ++Pass) {
        ShowV = FAutoScroll && FVertScrollBar->FVisible && Bottom > Height() - (ShowH ? BarH : 0);
        ShowH = FAutoScroll && FHorzScrollBar->FVisible && Right > Width() - (ShowV ? BarW : 0);
    }
    FVertScrollBar->FShown = ShowV;
    FHorzScrollBar->FShown = ShowH;
    const TRect Client = ClientRect();
    FUpdating = false;
    // Positions beyond what the content now needs scroll back.
    for (TControlScrollBar* S : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
        const int Extent = S->FKind == sbVertical ? Client.Height() : Client.Width();
        if (!S->FShown) S->SetPosition(0);
        S->SetPosition(std::min(S->FPosition, std::max(0, S->FRange - Extent)));
    }
    FUpdating = true;
    TScrollBar* V = FVertScrollBar->FBar;
    TScrollBar* H = FHorzScrollBar->FBar;
    V->SetBounds(Client.Right, 0, BarW, Client.Height());
    H->SetBounds(0, Client.Bottom, Client.Width(), BarH);
    for (TControlScrollBar* S : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
        const int Extent = S->FKind == sbVertical ? Client.Height() : Client.Width();
        S->FBar->SetPageSize(std::max(1, Extent));
        S->FBar->SetParams(S->FPosition, 0, std::max(0, S->FRange - 1));
        S->FBar->SetSmallChange(8);
        S->FBar->SetLargeChange(std::max(1, Extent));
        S->FBar->SetVisible(S->FShown);
    }
    FUpdating = false;
}

void TScrollBox::barScrolled(TControlScrollBar* Which, TScrollCode Code, int Pos) {
    if (Code == scTrack && !Which->FTracking) return;
    if (Code == scEndScroll) return;
    Which->SetPosition(Pos);
}

void TScrollBox::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    for (TControlScrollBar* S : {FHorzScrollBar.get(), FVertScrollBar.get()})
        if (S && S->FBar == AComponent) S->FBar = nullptr;
}

void TScrollBox::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE) updateScrollBars();
}
