// The colour box selector: boxes in columns, a gap after a row holding a stand-alone box, shade
// groups touching vertically; hot and selected boxes framed, the others bordered by position.
#include "components/dropdowns/AdvColorPanels.h"

#include "framework/ui/WindowFunctions.h"

#include <algorithm>

using namespace advdropdown;
using namespace advcolorselector;

namespace {

struct TDefaultBoxRow {
    TItemPos Pos;
    TColor Colors[10];
};
constexpr TDefaultBoxRow kDefaultBoxes[6] = {
    {ipStandAlone,
     {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {ipMiddle, {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {ipMiddle, {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {ipMiddle, {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {ipBottom, {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
};

}  // namespace

TColorBoxItem::TColorBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TColorBoxItem::SetColor(TColor Value) {
    FColor = Value;
    if (auto* Items = dynamic_cast<TColorBoxItems*>(Collection()); Items && Items->OnChange)
        FireEvent(Items->OnChange, Items);
}

void TColorBoxItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TColorBoxItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FColor = S->FColor;
    FEnabled = S->FEnabled;
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TCollection(CollectionItemClass<TColorBoxItem>()), FMyOwner(AOwner) {}

void TColorBoxAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TColorBoxAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FBorderColor = S->FBorderColor;
    FOuterBorderColorHot = S->FOuterBorderColorHot;
    FInnerBorderColorHot = S->FInnerBorderColorHot;
    FOuterBorderColorSelected = S->FOuterBorderColorSelected;
    FInnerBorderColorSelected = S->FInnerBorderColorSelected;
}

void TColorBoxAppearance::Reset() {
    TColorBoxAppearance Defaults;
    Assign(&Defaults);
}

// ---------------------------------------------------------------------------------------------
// The selector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TAdvCustomColorSelectorPanel(AOwner),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this)) {
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetColumns(int Value) {
    if (FColumns == Value) return;
    FColumns = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColumnGap(int Value) {
    if (FColumnGap == Value) return;
    FColumnGap = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColorBoxWidth(int Value) {
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColorBoxHeight(int Value) {
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value) {
    if (FItemColorStyle == Value) return;
    FItemColorStyle = Value;
    if (Value == scOffice2007 || Value == scWindowsVista || Value == scWindows7) FColorBoxAppearance->Reset();
}

void TCustomColorSelector::AddDefaultBoxes() {
    FItems->Clear();
    for (const TDefaultBoxRow& Row : kDefaultBoxes)
        for (TColor C : Row.Colors) {
            TColorBoxItem* Item = FItems->Add();
            Item->SetColor(C);
            Item->SetColorBoxPos(Row.Pos);
        }
}

void TCustomColorSelector::GetItemArea(TRect& R) {
    R = ClientRect();
    R.Left += FOffSetX;
    R.Top += FOffSetY;
    R.Right -= FOffSetX;
    R.Bottom -= FOffSetY;
}

void TCustomColorSelector::GetColorBoxSize(int& W, int& H) {
    W = FColorBoxWidth;
    H = FColorBoxHeight;
}

void TCustomColorSelector::UpdateLayout() {
    if (FItems->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TRect A;
    GetItemArea(A);
    int W = 0, H = 0;
    GetColorBoxSize(W, H);
    int X = A.Left, Y = A.Top, Column = 0, Widest = 0;
    bool RowGap = false;
    const int Last = FItems->Count() - 1;
    for (int I = 0; I <= Last; ++I) {
        TColorBoxItem* Item = FItems->Items(I);
        Item->SetItemRect(Rect(X, Y, X + W, Y + H));
        ++Column;
        if (I == Last) break;
        // A row holding a stand-alone box is followed by a gap.
        if (Item->ColorBoxPos() == ipStandAlone) RowGap = true;
        if (Column < FColumns) {
            X += W + FColumnGap;
            continue;
        }
        if (RowGap) {
            Y += FColumnGap;
            RowGap = false;
        }
        Y += H;
        Widest = std::max(Widest, X);
        X = A.Left;
        Column = 0;
    }
    SetBounds(Left(), Top(), std::max(X, Widest) + W + A.Left + 1, Y + H + A.Top);
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const {
    for (int I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->ItemRect().Contains(Point(X, Y))) return I;
    return -1;
}

void TCustomColorSelector::InvalidateItem(int Index) {
    if (!validIndex(Index) || !HandleAllocated()) return;
    const TRect R = FItems->Items(Index)->ItemRect();
    InvalidateRect(Handle(), &R, true);
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* C) {
    if (!validIndex(Index) || !C) return;
    const TColorBoxItem* Item = FItems->Items(Index);
    const TRect R = Item->ItemRect();
    C->Brush()->SetStyle(bsSolid);
    if (Item->Color() != clNone) {
        C->Pen()->SetColor(Item->Color());
        C->Brush()->SetColor(Item->Color());
        C->Rectangle(R);
    }
    const TColorBoxAppearance* A = FColorBoxAppearance.get();
    TColor Outer = clNone, Inner = clNone;
    const bool Selected = Index == FItemIndex, Hot = Index == FItemHot;
    if (Selected) {
        Outer = A->OuterBorderColorSelected();
        Inner = A->InnerBorderColorSelected();
    } else if (Hot) {
        Outer = A->OuterBorderColorHot();
        Inner = A->InnerBorderColorHot();
    }
    if (Selected || Hot) {
        C->Brush()->SetStyle(bsClear);
        if (Outer != clNone) {
            C->Pen()->SetColor(Outer);
            C->Rectangle(R);
        }
        if (Inner != clNone) {
            C->Pen()->SetColor(Inner);
            C->Rectangle(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        }
        C->Brush()->SetStyle(bsSolid);
        return;
    }
    C->Pen()->SetColor(A->BorderColor());
    auto line = [C](int X1, int Y1, int X2, int Y2) {
        C->MoveTo(X1, Y1);
        C->LineTo(X2, Y2);
    };
    const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
    switch (Item->ColorBoxPos()) {
        case ipStandAlone:
            line(L, T, Rt, T);
            line(Rt, T, Rt, B);
            line(Rt, B, L, B);
            line(L, B, L, T);
            break;
        case ipTop:
            line(L, B + 1, L, T);
            line(L, T, Rt, T);
            line(Rt, T, Rt, B + 1);
            break;
        case ipMiddle:
            line(L, T, L, B + 1);
            line(Rt, T, Rt, B + 1);
            break;
        case ipBottom:
            line(L, T, L, B);
            line(L, B, Rt, B);
            line(Rt, T, Rt, B + 1);
            break;
    }
}

void TCustomColorSelector::Paint() {
    TAdvCustomColorSelectorPanel::Paint();
    for (int I = 0; I < FItems->Count(); ++I) DrawItem(I, Canvas());
}

void TCustomColorSelector::SetItemIndex(int Index) {
    if (Index >= FItems->Count() || disabledItem(Index)) return;
    if (FItemIndex >= 0 && FItemIndex != Index) InvalidateItem(FItemIndex);
    FItemIndex = Index;
    if (Index < 0) return;
    FSelectedColor = FItems->Items(Index)->Color();
    DrawItem(Index, Canvas());
    if (OnItemSelect) FireEvent(OnItemSelect, this);
}

void TCustomColorSelector::SetItemHot(int Index) {
    if (Index >= FItems->Count() || disabledItem(Index)) return;
    if (FItemHot >= 0 && FItemHot != Index) {
        const int Old = FItemHot;
        FItemHot = -1;
        InvalidateItem(Old);
    }
    FItemHot = Index;
    if (Index >= 0) DrawItem(Index, Canvas());
}

void TCustomColorSelector::SetSelectedColor(TColor Value) {
    if (FSelectedColor == Value) return;
    FSelectedColor = Value;
    int Found = -1;
    if (Value != clNone)
        for (int I = 0; I < FItems->Count() && Found < 0; ++I)
            if (FItems->Items(I)->Color() == Value) Found = I;
    if (Found >= 0) {
        SetItemIndex(Found);
        return;
    }
    if (FItemIndex >= 0) InvalidateItem(FItemIndex);
    FItemIndex = -1;
}

void TCustomColorSelector::SelectFirst() {
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast() {
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext() {
    if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious() {
    if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext() {
    if (FItemHot + 1 < FItems->Count()) SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious() {
    if (FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleNavigationKey(Word Key, bool EditorEnabled, bool DroppedDown) {
    if (!Enabled()) return;
    switch (Key) {
        case VK_PRIOR:
        case VK_HOME:
            SelectFirst();
            break;
        case VK_NEXT:
        case VK_END:
            SelectLast();
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (EditorEnabled && !DroppedDown) break;
            if (Key == VK_LEFT)
                SelectPrevious();
            else
                SelectNext();
            break;
        case VK_UP:
        case VK_DOWN: {
            if (!DroppedDown) {
                if (Key == VK_UP)
                    SelectPrevious();
                else
                    SelectNext();
                break;
            }
            const int Target = FItemIndex < 0 ? 0 : FItemIndex + (Key == VK_UP ? -FColumns : FColumns);
            if (Target >= 0 && Target < FItems->Count()) SetItemIndex(Target);
            break;
        }
        default:
            break;
    }
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    if (!Self) return;
    const int Index = ItemAtPos(X, Y);
    SetItemHot(disabledItem(Index) ? -1 : Index);
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    const int Index = ItemAtPos(X, Y);
    if (validIndex(Index) && !disabledItem(Index)) SetItemIndex(Index);
}

void TCustomColorSelector::Dispatch(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::Dispatch(Message);
    if (Self && Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}
