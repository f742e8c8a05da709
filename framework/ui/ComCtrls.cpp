// TListColumn(s), TListItem(s) and TCustomListView in report style.
#include "framework/ui/ComCtrls.h"

#include "framework/ui/ExtCtrls.h"

#include <algorithm>

namespace {

constexpr int kCellMargin = 2;  // text inset inside a cell
constexpr int kImageGap = 2;    // between a small image and the caption

}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TListColumn::SetWidth(int Value) {
    Value = std::max(0, Value);
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TListColumn::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    Changed(false);
}

void TListColumn::Assign(TPersistent* Source) {
    if (auto* C = dynamic_cast<TListColumn*>(Source)) {
        FCaption = C->FCaption;
        FWidth = C->FWidth;
        FAlignment = C->FAlignment;
        FAutoSize = C->FAutoSize;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

String TListColumn::GetDisplayName() const { return FCaption.isEmpty() ? TCollectionItem::GetDisplayName() : FCaption; }

TListColumns::TListColumns(TCustomListView* AOwner) : TCollection(CollectionItemClass<TListColumn>()), FOwner(AOwner) {}

TPersistent* TListColumns::GetOwner() const { return FOwner; }

void TListColumns::Update(TCollectionItem*) {
    if (FOwner) FOwner->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Items

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(std::make_unique<TStringList>()) {
    FSubItems->OnChange = [this](TObject*) {
        if (TCustomListView* LV = ListView()) LV->itemChanged(this, ctText);
    };
}

TListItem::~TListItem() { FSubItems->OnChange = nullptr; }

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(const_cast<TListItem*>(this)) : -1; }

TCustomListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TListItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    if (TCustomListView* LV = ListView()) LV->itemChanged(this, ctText);
}

void TListItem::SetSelected(bool Value) {
    if (FSelected == Value) return;
    TCustomListView* LV = ListView();
    // Without MultiSelect, selecting one item clears the others first.
    if (Value && LV && !LV->MultiSelect()) {
        LV->selectOnly(this);
        return;
    }
    FSelected = Value;
    if (LV) LV->selectionChanged(this, Value);
}

void TListItem::SetFocused(bool Value) {
    if (FFocused == Value) return;
    TCustomListView* LV = ListView();
    if (Value && LV)
        for (TListItem* Other : FOwner->FItems)
            if (Other != this && Other->FFocused) Other->SetFocused(false);
    FFocused = Value;
    if (LV) LV->itemChanged(this, ctState);
}

void TListItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (TCustomListView* LV = ListView()) LV->itemChanged(this, ctImage);
}

void TListItem::Delete() {
    if (FOwner) FOwner->Delete(Index());
}

void TListItem::Assign(TPersistent* Source) {
    if (auto* I = dynamic_cast<TListItem*>(Source)) {
        SetCaption(I->FCaption);
        FSubItems->Assign(I->FSubItems.get());
        SetImageIndex(I->FImageIndex);
        FData = I->FData;
        return;
    }
    TPersistent::Assign(Source);
}

TListItems::TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}

TListItems::~TListItems() {
    for (TListItem* I : FItems) delete I;
}

TListItem* TListItems::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[size_t(Index)];
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
    if (Index < 0 || Index > Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    auto* Item = new TListItem(this);
    FItems.insert(FItems.begin() + Index, Item);
    if (FOwner && FUpdateCount == 0) FOwner->Invalidate();
    return Item;
}

void TListItems::Delete(int Index) {
    TListItem* Item = this->Item(Index);
    const TWeak<TCustomListView> LV(FOwner);
    if (FOwner && FOwner->OnDeletion) FOwner->OnDeletion(FOwner, Item);
    if (FOwner && !LV) return;
    FItems.erase(std::find(FItems.begin(), FItems.end(), Item));
    Item->FOwner = nullptr;
    delete Item;
    if (FOwner && FUpdateCount == 0) FOwner->Invalidate();
}

void TListItems::Clear() {
    BeginUpdate();
    while (!FItems.empty()) Delete(Count() - 1);
    EndUpdate();
}

int TListItems::IndexOf(TListItem* Value) const {
    auto It = std::find(FItems.begin(), FItems.end(), Value);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FOwner) FOwner->Invalidate();
}

void TListItems::Assign(TPersistent* Source) {
    if (auto* Other = dynamic_cast<TListItems*>(Source)) {
        BeginUpdate();
        Clear();
        for (TListItem* I : Other->FItems) Add()->Assign(I);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TCustomListView: properties

TCustomListView::TCustomListView(TComponent* AOwner)
    : TCustomControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FImageChangeLink(std::make_unique<TChangeLink>()) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
    FImageChangeLink->OnChange = [this](TObject*) { Invalidate(); };
}

TCustomListView::~TCustomListView() {
    SetSmallImages(nullptr);
    FItems->FOwner = nullptr;
}

void TCustomListView::BeforeDestruction() {
    SetSmallImages(nullptr);
    TCustomControl::BeforeDestruction();
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    if (FViewStyle == Value) return;
    FViewStyle = Value;
    Invalidate();
}

void TCustomListView::SetRowSelect(bool Value) {
    if (FRowSelect == Value) return;
    FRowSelect = Value;
    Invalidate();
}

void TCustomListView::SetGridLines(bool Value) {
    if (FGridLines == Value) return;
    FGridLines = Value;
    Invalidate();
}

void TCustomListView::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomListView::SetMultiSelect(bool Value) {
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    if (!Value)
        if (TListItem* First = Selected()) selectOnly(First);
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
    if (FShowColumnHeaders == Value) return;
    FShowColumnHeaders = Value;
    Invalidate();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
    if (FSmallImages == Value) return;
    if (FSmallImages) {
        FSmallImages->UnRegisterChanges(FImageChangeLink.get());
        FSmallImages->RemoveFreeNotification(this);
    }
    FSmallImages = Value;
    if (FSmallImages) {
        FSmallImages->RegisterChanges(FImageChangeLink.get());
        FSmallImages->FreeNotification(this);
    }
    Invalidate();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSmallImages) {
        FSmallImages = nullptr;
        Invalidate();
    }
}

int TCustomListView::ItemIndex() const {
    TListItem* S = Selected();
    return S ? S->Index() : -1;
}

void TCustomListView::SetItemIndex(int Value) {
    if (Value < 0) {
        ClearSelection();
        return;
    }
    SetSelected(FItems->Item(Value));
}

// ---------------------------------------------------------------------------------------------
// Vertical scrolling

namespace {
constexpr int kScrollBarWidth = 16;
constexpr int kWheelRows = 3;  // rows per wheel notch, as the system's default
}  // namespace

int TCustomListView::VisibleRowCount() const {
    return std::max(1, (ClientHeight() - HeaderHeight()) / std::max(1, RowHeight()));
}

int TCustomListView::maxTopIndex() const { return std::max(0, FItems->Count() - VisibleRowCount()); }

void TCustomListView::SetTopIndex(int Value) {
    Value = std::clamp(Value, 0, maxTopIndex());
    if (FTopIndex == Value) return;
    FTopIndex = Value;
    Invalidate();
}

bool TCustomListView::VertScrollBarVisible() const { return FItems->Count() > VisibleRowCount(); }

TRect TCustomListView::VertScrollBarRect() const {
    if (!VertScrollBarVisible()) return Rect(0, 0, 0, 0);
    return Rect(ClientWidth() - kScrollBarWidth, HeaderHeight(), ClientWidth(), ClientHeight());
}

TRect TCustomListView::VertScrollThumbRect() const {
    const TRect Bar = VertScrollBarRect();
    if (Bar.Height() <= 0) return Bar;
    const int Count = FItems->Count();
    const int Thumb = std::max(8, Bar.Height() * VisibleRowCount() / Count);
    const int Travel = Bar.Height() - Thumb;
    const int Max = maxTopIndex();
    const int Top = Bar.Top + (Max > 0 ? Travel * FTopIndex / Max : 0);
    return Rect(Bar.Left, Top, Bar.Right, Top + Thumb);
}

void TCustomListView::MakeVisible(int Index) {
    if (Index < 0 || Index >= FItems->Count()) return;
    if (Index < FTopIndex)
        SetTopIndex(Index);
    else if (Index >= FTopIndex + VisibleRowCount())
        SetTopIndex(Index - VisibleRowCount() + 1);
}

bool TCustomListView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    const int Notches = WheelDelta / 120 != 0 ? WheelDelta / 120 : (WheelDelta > 0 ? 1 : -1);
    SetTopIndex(FTopIndex - Notches * kWheelRows);
    return true;
}

void TCustomListView::paintVertScrollBar() {
    if (!VertScrollBarVisible()) return;
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clScrollBar);
    C->FillRect(VertScrollBarRect());
    TRect Thumb = VertScrollThumbRect();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Thumb);
    Frame3D(C, Thumb, clBtnHighlight, clBtnShadow, 1);
}

TListItem* TCustomListView::Selected() const {
    for (TListItem* I : FItems->FItems)
        if (I->FSelected) return I;
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
    if (!Value) {
        ClearSelection();
        return;
    }
    const TWeak<TCustomListView> Self(this);
    selectOnly(Value);
    if (Self && Value->ListView() == this) {
        Value->SetFocused(true);
        MakeVisible(Value->Index());
    }
}

TListItem* TCustomListView::ItemFocused() const {
    for (TListItem* I : FItems->FItems)
        if (I->FFocused) return I;
    return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value) {
    if (Value)
        Value->SetFocused(true);
    else if (TListItem* F = ItemFocused())
        F->SetFocused(false);
}

int TCustomListView::SelCount() const {
    return static_cast<int>(
        std::count_if(FItems->FItems.begin(), FItems->FItems.end(), [](TListItem* I) { return I->FSelected; }));
}

void TCustomListView::selectOnly(TListItem* Item) {
    const TWeak<TCustomListView> Self(this);
    // Deselections are reported before the new selection, as the platform does.
    const std::vector<TListItem*> Items = FItems->FItems;
    for (TListItem* I : Items) {
        if (!Self) return;
        if (I != Item && FItems->IndexOf(I) >= 0 && I->FSelected) {
            I->FSelected = false;
            selectionChanged(I, false);
        }
    }
    if (!Self || !Item || Item->FSelected || FItems->IndexOf(Item) < 0) return;
    Item->FSelected = true;
    selectionChanged(Item, true);
}

void TCustomListView::ClearSelection() { selectOnly(nullptr); }

void TCustomListView::SelectAll() {
    if (!FMultiSelect) return;
    const TWeak<TCustomListView> Self(this);
    const std::vector<TListItem*> Items = FItems->FItems;
    for (TListItem* I : Items) {
        if (!Self) return;
        if (FItems->IndexOf(I) >= 0) I->SetSelected(true);
    }
}

void TCustomListView::itemChanged(TListItem* Item, TItemChange AChange) {
    if (FItems->FUpdateCount == 0) Invalidate();
    Change(Item, AChange);
}

void TCustomListView::selectionChanged(TListItem* Item, bool IsSelected) {
    const TWeak<TCustomListView> Self(this);
    itemChanged(Item, ctState);
    if (Self) DoSelectItem(Item, IsSelected);
}

void TCustomListView::Change(TListItem* Item, TItemChange AChange) {
    if (OnChange) OnChange(this, Item, AChange);
}

void TCustomListView::DoSelectItem(TListItem* Item, bool IsSelected) {
    if (OnSelectItem) OnSelectItem(this, Item, IsSelected);
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

int TCustomListView::HeaderHeight() const {
    if (!FShowColumnHeaders || FColumns->Count() == 0) return 0;
    return RowHeight() + 2;
}

int TCustomListView::RowHeight() const {
    TCanvas* C = Canvas();
    C->SetFont(Font());
    int H = C->TextHeight(QStringLiteral("Wg")) + 2;
    if (FSmallImages) H = std::max(H, FSmallImages->Height() + 1);
    return H;
}

std::vector<int> TCustomListView::columnWidths() const {
    std::vector<int> W;
    if (FColumns->Count() == 0) {
        W.push_back(ClientWidth());
        return W;
    }
    int Fixed = 0;
    int AutoCount = 0;
    const int Available = ClientWidth() - (VertScrollBarVisible() ? kScrollBarWidth : 0);
    for (int I = 0; I < FColumns->Count(); ++I) {
        TListColumn* Col = FColumns->Items(I);
        W.push_back(Col->Width());
        if (Col->AutoSize())
            ++AutoCount;
        else
            Fixed += Col->Width();
    }
    if (AutoCount > 0) {
        const int Each = std::max(0, (Available - Fixed) / AutoCount);
        for (int I = 0; I < FColumns->Count(); ++I)
            if (FColumns->Items(I)->AutoSize()) W[size_t(I)] = Each;
    }
    return W;
}

TRect TCustomListView::ItemRect(int Index) const {
    if (Index < 0 || Index >= FItems->Count()) return Rect(0, 0, 0, 0);
    const int H = RowHeight();
    int Width = 0;
    for (int W : columnWidths()) Width += W;
    return Bounds(0, HeaderHeight() + (Index - FTopIndex) * H, Width, H);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) const {
    const int Top = HeaderHeight();
    if (Y < Top) return nullptr;
    if (VertScrollBarVisible() && X >= VertScrollBarRect().Left) return nullptr;
    const int Index = FTopIndex + (Y - Top) / RowHeight();
    if (Index >= FItems->Count()) return nullptr;
    const TRect R = ItemRect(Index);
    // Outside RowSelect only the first column picks the item.
    const int Right = FRowSelect ? R.Right : columnWidths().front();
    return X >= 0 && X < Right ? FItems->Item(Index) : nullptr;
}

void TCustomListView::paintHeader(const std::vector<int>& Widths) {
    TCanvas* C = Canvas();
    const int H = HeaderHeight();
    if (H == 0) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, ClientWidth(), H));
    int X = 0;
    for (size_t I = 0; I < Widths.size(); ++I) {
        TRect Cell = Rect(X, 0, X + Widths[I], H);
        TListColumn* Col = FColumns->Items(static_cast<int>(I));
        C->Brush()->SetStyle(bsClear);
        C->Font()->SetColor(clBtnText);
        DrawLabelText(C, Col->Caption(), Rect(Cell.Left + kCellMargin + 2, 0, Cell.Right - kCellMargin, H),
                      Col->Alignment(), tlCenter, false, false);
        C->Pen()->SetColor(clBtnShadow);
        C->MoveTo(Cell.Right - 1, 2);
        C->LineTo(Cell.Right - 1, H - 2);
        X = Cell.Right;
    }
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(0, H - 1);
    C->LineTo(ClientWidth(), H - 1);
}

void TCustomListView::paintRow(int Index, const std::vector<int>& Widths) {
    TCanvas* C = Canvas();
    TListItem* Item = FItems->Item(Index);
    const TRect Row = ItemRect(Index);
    const bool ShowSel = Item->FSelected && (!FHideSelection || Focused());
    int X = 0;
    for (size_t Col = 0; Col < Widths.size(); ++Col) {
        TRect Cell = Rect(X, Row.Top, X + Widths[Col], Row.Bottom);
        X = Cell.Right;
        String Text =
            Col == 0 ? Item->FCaption
                     : (int(Col) - 1 < Item->FSubItems->Count() ? Item->FSubItems->Strings(int(Col) - 1) : String());
        int TextLeft = Cell.Left + kCellMargin;
        if (Col == 0 && FSmallImages) {
            if (Item->FImageIndex >= 0)
                FSmallImages->Draw(C, Cell.Left + kCellMargin, Cell.Top + (Cell.Height() - FSmallImages->Height()) / 2,
                                   Item->FImageIndex, Enabled());
            TextLeft += FSmallImages->Width() + kImageGap;
        }
        const bool Highlight = ShowSel && (FRowSelect || Col == 0);
        if (Highlight) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clHighlight);
            const int Left = Col == 0 && FSmallImages ? TextLeft - 1 : Cell.Left;
            C->FillRect(Rect(Left, Cell.Top, Cell.Right, Cell.Bottom));
        }
        C->Brush()->SetStyle(bsClear);
        C->Font()->SetColor(Highlight ? clHighlightText : Font()->Color());
        const TAlignment Align =
            Col < size_t(FColumns->Count()) ? FColumns->Items(int(Col))->Alignment() : taLeftJustify;
        DrawLabelText(C, Text, Rect(TextLeft, Cell.Top, Cell.Right - kCellMargin, Cell.Bottom), Align, tlCenter, false,
                      false);
    }
    if (Item->FFocused && Focused()) C->DrawFocusRect(FRowSelect ? Row : Rect(0, Row.Top, Widths.front(), Row.Bottom));
}

void TCustomListView::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    C->SetFont(Font());
    const std::vector<int> Widths = columnWidths();
    const int Top = HeaderHeight();
    const int H = RowHeight();
    // Rows may have gone since the list last scrolled.
    FTopIndex = std::clamp(FTopIndex, 0, maxTopIndex());
    for (int I = FTopIndex; I < FItems->Count(); ++I) {
        if (Top + (I - FTopIndex) * H >= ClientHeight()) break;
        C->SetFont(Font());
        paintRow(I, Widths);
    }
    if (FGridLines) {
        // Lines below every row slot and right of every column, over the whole client area.
        C->Pen()->SetColor(clBtnFace);
        for (int Y = Top + H - 1; Y < ClientHeight(); Y += H) {
            C->MoveTo(0, Y);
            C->LineTo(ClientWidth(), Y);
        }
        int X = 0;
        for (int W : Widths) {
            X += W;
            C->MoveTo(X - 1, Top);
            C->LineTo(X - 1, ClientHeight());
        }
    }
    paintVertScrollBar();
    C->SetFont(Font());
    paintHeader(Widths);
}

// ---------------------------------------------------------------------------------------------
// Input

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomListView> Self(this);
    if (CanFocus() && !Focused()) {
        try {
            SetFocus();
        } catch (const EInvalidOperation&) {
            // Not on a shown form: the click still selects.
        }
    }
    if (!Self) return;
    if (Y < HeaderHeight()) {
        if (!FColumnClick || Button != mbLeft) return;
        int Right = 0;
        const std::vector<int> Widths = columnWidths();
        for (size_t I = 0; I < Widths.size(); ++I) {
            Right += Widths[I];
            if (X < Right) {
                if (OnColumnClick) {
                    const auto Handler = OnColumnClick;  // survives a handler that frees the list
                    Handler(this, FColumns->Items(static_cast<int>(I)));
                }
                break;
            }
        }
        if (Self) TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (VertScrollBarVisible() && X >= VertScrollBarRect().Left) {
        // A click beside the thumb turns a page; on the thumb it does nothing.
        const TRect Thumb = VertScrollThumbRect();
        if (Y < Thumb.Top)
            SetTopIndex(FTopIndex - VisibleRowCount());
        else if (Y >= Thumb.Bottom)
            SetTopIndex(FTopIndex + VisibleRowCount());
        if (Self) TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (TListItem* Item = GetItemAt(X, Y)) {
        if (FMultiSelect && Shift.Contains(ssCtrl)) {
            Item->SetSelected(!Item->Selected());
        } else {
            selectOnly(Item);
        }
        if (Self && FItems->IndexOf(Item) >= 0) Item->SetFocused(true);
    } else if (!FMultiSelect || !Shift.Contains(ssCtrl)) {
        ClearSelection();
    }
    if (Self) TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListView::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TCustomListView> Self(this);
    TCustomControl::KeyDown(Key, Shift);
    if (!Self || FItems->Count() == 0) return;
    TListItem* F = ItemFocused();
    int Index = F ? F->Index() : -1;
    switch (Key) {
        case VK_UP:
            Index = std::max(0, Index - 1);
            break;
        case VK_DOWN:
            Index = std::min(FItems->Count() - 1, Index + 1);
            break;
        case VK_HOME:
            Index = 0;
            break;
        case VK_END:
            Index = FItems->Count() - 1;
            break;
        default:
            return;
    }
    SetSelected(FItems->Item(Index));
}

void TCustomListView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TCustomListView::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }
