#include "components/grid/GridControls.h"

void TAdvInplaceEdit::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetAlign(alBottom);
    SetHeight(0);
    SetBorderWidth(0);
    SetBevelOuter(bvNone);
    SetCaption(String());
}

TSearchPanel::TSearchPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetDoubleBuffered(true);
    SetHeight(0);
    SetBorderWidth(0);
    SetCaption(String());
}

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction) : TCustomForm(AOwner), FDirection(Direction) {
    SetBorderStyle(bsNone);
    SetNoActivate(true);
    SetBounds(0, 0, 9, 9);
}

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomForm(AOwner) {
    SetBorderStyle(bsNone);
    SetNoActivate(true);
}

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner) { SetNoActivate(true); }

// ---------------------------------------------------------------------------------------------
// TControlList

String TVidIvezadOrirCheck::Correct(int, int, const String& S) { return S; }
String TVidIvezadOrirCheck::MarkError(int, int, const String& S) { return S; }

TControlList::~TControlList() {
    while (Count() > 0) RemoveControl(0);
}

void TControlList::AddControl(int X, int Y, TControl* AObject) { Add(new TControlItem(X, Y, AObject)); }

int TControlList::ControlIndex(int X, int Y) const {
    for (int I = 0; I < Count(); ++I) {
        const TControlItem* Item = GetControl(I);
        if (Item->X() == X && Item->Y() == Y) return I;
    }
    return -1;
}

void TControlList::RemoveControl(int i) {
    TControlItem* Item = GetControl(i);
    Delete(i);
    delete Item;
}

bool TControlList::HasHandle(HWND Handle) const {
    for (int I = 0; I < Count(); ++I)
        if (auto* W = dynamic_cast<TWinControl*>(GetControl(I)->Control()); W && W->Handle() == Handle) return true;
    return false;
}
