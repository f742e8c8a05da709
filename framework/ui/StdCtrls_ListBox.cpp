// TCustomListBox: rows painted by the library, owner-drawn on request, with a vertical scroll bar.
#include "framework/rtl/StringList.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

#include <algorithm>

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    FItems->SetDuplicates(dupAccept);
    FItems->OnChange = [this](TObject*) { itemsChanged(); };
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetTabStop(false);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->OnChange = [this](TObject*) { SetTopIndex(FScrollBar->Position()); };
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() const { return FItems.get(); }

void TCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

int TCustomListBox::Count() const { return FItems->Count(); }

bool TCustomListBox::Sorted() const { return FItems->Sorted(); }

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomListBox::SetItemIndex(int Value) {
    if (Value < -1 || Value >= Count()) Value = -1;
    if (FItemIndex == Value) return;
    FItemIndex = Value;
    if (Value >= 0) {
        const int Rows = std::max(1, VisibleRows());
        if (Value < FTopIndex) SetTopIndex(Value);
        if (Value >= FTopIndex + Rows) SetTopIndex(Value - Rows + 1);
    }
    Invalidate();
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || FItemHeight == Value) return;
    FItemHeight = Value;
    updateScrollBar();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TCustomListBox::SetTopIndex(int Value) {
    Value = std::clamp(Value, 0, std::max(0, Count() - VisibleRows()));
    if (FTopIndex == Value) return;
    FTopIndex = Value;
    if (FScrollBar->Position() != Value) FScrollBar->SetPosition(Value);
    Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value == bsNone ? bsNone : bsSingle;
    updateScrollBar();
    Invalidate();
}

void TCustomListBox::SetCtl3D(bool Value) {
    FCtl3D = Value;
    updateScrollBar();
    Invalidate();
}

int TCustomListBox::borderSize() const {
    if (FBorderStyle == bsNone) return 0;
    return FCtl3D ? 2 : 1;
}

TRect TCustomListBox::rowsRect() const {
    const int B = borderSize();
    TRect R = Rect(B, B, Width() - B, Height() - B);
    if (FScrollBar->Visible()) R.Right -= FScrollBar->Width();
    return R;
}

int TCustomListBox::VisibleRows() const {
    const int B = borderSize();
    return std::max(0, (Height() - 2 * B) / FItemHeight);
}

TRect TCustomListBox::ItemRect(int Index) const {
    const int Row = Index - FTopIndex;
    if (Index < 0 || Index >= Count() || Row < 0 || Row >= VisibleRows() + 1) return TRect{};
    const TRect R = rowsRect();
    return Rect(R.Left, R.Top + Row * FItemHeight, R.Right, R.Top + (Row + 1) * FItemHeight);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
    const TRect R = rowsRect();
    const int Index = FTopIndex + (Pos.Y - R.Top) / FItemHeight - (Pos.Y < R.Top ? 1 : 0);
    if (Index >= 0 && Index < Count() && R.Contains(Pos)) return Index;
    if (Existing) return -1;
    return std::clamp(Index, 0, std::max(0, Count() - 1));
}

void TCustomListBox::itemsChanged() {
    if (FItemIndex >= Count()) FItemIndex = -1;
    updateScrollBar();
    Invalidate();
}

void TCustomListBox::updateScrollBar() {
    if (!FScrollBar) return;
    const int B = borderSize();
    const int Rows = VisibleRows();
    const bool Needed = Count() > Rows && Rows > 0;
    const int Size = GetSystemMetrics(SM_CXVSCROLL);
    FScrollBar->SetBounds(Width() - B - Size, B, Size, std::max(0, Height() - 2 * B));
    if (Needed) {
        FScrollBar->SetParams(std::min(FTopIndex, Count() - Rows), 0, Count() - 1);
        FScrollBar->SetPageSize(Rows);
        FScrollBar->SetLargeChange(Rows);
    }
    FScrollBar->SetVisible(Needed);
    if (!Needed) FTopIndex = 0;
}

void TCustomListBox::Resize() {
    updateScrollBar();
    SetTopIndex(FTopIndex);
    TCustomControl::Resize();
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (FStyle != lbStandard && OnDrawItem) {
        FireEvent(OnDrawItem, this, Index, Rect, State);
        return;
    }
    TCanvas* C = Canvas();
    const bool Selected = State.Contains(odSelected);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Selected ? clHighlight : Color());
    C->FillRect(Rect);
    C->Font()->Assign(Font());
    C->Font()->SetColor(Selected ? clHighlightText : Font()->Color());
    C->Brush()->SetStyle(bsClear);
    C->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    const int Last = std::min(Count(), FTopIndex + VisibleRows() + 1);
    for (int I = FTopIndex; I < Last; ++I) {
        TOwnerDrawState State;
        if (I == FItemIndex) State.Include(odSelected);
        if (I == FItemIndex && Focused()) State.Include(odFocused);
        if (!Enabled()) State.Include(odDisabled);
        const TRect Row = ItemRect(I);
        if (!Row.IsEmpty()) DrawItem(I, Row, State);
    }
    if (FBorderStyle == bsNone) return;
    TRect R = ClientRect();
    if (FCtl3D) {
        DrawEdge(C->Handle(), &R, EDGE_SUNKEN, BF_RECT);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clWindowFrame);
        C->FrameRect(R);
    }
}

void TCustomListBox::selectByUser(int Index) {
    if (Index < 0 || Index >= Count() || Index == FItemIndex) return;
    SetItemIndex(Index);
    Click();
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomListBox> Self(this);
    if (Button == mbLeft) {
        if (CanFocus() && !Focused() && HandleAllocated()) SetFocus();
        if (!Self) return;
        selectByUser(ItemAtPos(Point(X, Y), true));
        if (!Self) return;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TCustomListBox> Self(this);
    TCustomControl::KeyDown(Key, Shift);
    if (!Self || Key == 0 || Count() == 0) return;
    const int Page = std::max(1, VisibleRows() - 1);
    const int I = FItemIndex;
    int Next = I;
    switch (Key) {
        case VK_UP:
            Next = std::max(0, I - 1);
            break;
        case VK_DOWN:
            Next = std::min(Count() - 1, I + 1);
            break;
        case VK_PRIOR:
            Next = std::max(0, I - Page);
            break;
        case VK_NEXT:
            Next = std::min(Count() - 1, I + Page);
            break;
        case VK_HOME:
            Next = 0;
            break;
        case VK_END:
            Next = Count() - 1;
            break;
        default:
            return;
    }
    selectByUser(Next);
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SetTopIndex(FTopIndex - WheelDelta / 120 * 3);
    return true;
}

void TCustomListBox::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        WMGetDlgCode(Message);
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomListBox::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }
