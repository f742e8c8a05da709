#include "components/grid/GridControls.h"

#include "framework/ui/WindowFunctions.h"

#include <algorithm>

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

// ---------------------------------------------------------------------------------------------
// The move arrows

namespace {

// One row per direction, in the order of TArrowDirection.
constexpr TPoint kArrowOutlines[4][7] = {
    /* arrUp    */ {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},
    /* arrDown  */ {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},
    /* arrLeft  */ {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},
    /* arrRight */ {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},
};

}  // namespace

const TPoint* ArrowOutline(TArrowDirection Direction) { return kArrowOutlines[Direction]; }

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction) : TCustomPanel(AOwner), Dir(Direction) {
    SetColor(clLime);
    SetVisible(false);
    if (auto* Parent = dynamic_cast<TWinControl*>(AOwner)) SetParent(Parent);
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
    TCustomPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TArrowWindow::CreateWnd() {
    TCustomPanel::CreateWnd();
    std::copy(kArrowOutlines[Dir], kArrowOutlines[Dir] + 7, Arrow);
    SetWindowRgn(Handle(), CreatePolygonRgn(Arrow, 7, WINDING), 1);
}

void TArrowWindow::Paint() {
    // The region gives the arrow its shape.
    Canvas()->Pen()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Rectangle(ClientRect());
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
