// The in-place editor, TDrawGrid's events and TStringGrid's cells and row and column lists.
#include "framework/ui/Grids.h"

// ---------------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetParentColor(false);
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    TControl::SetVisible(false);
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::setGrid(TCustomGrid* Value) { FGrid = Value; }

void TInplaceEdit::Move(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    BoundsChanged();
    if (!TControl::Visible()) TControl::SetVisible(true);
    TCustomGrid* G = Grid();
    if (G && G->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::UpdateContents() {
    TCustomGrid* G = Grid();
    if (!G) return;
    FUpdating = true;
    SetText(G->GetEditText(G->Col(), G->Row()));
    SetMaxLength(G->GetEditLimit());
    FEditMask = G->GetEditMask(G->Col(), G->Row());
    FUpdating = false;
}

void TInplaceEdit::Hide() { TControl::SetVisible(false); }

void TInplaceEdit::SetFocus() {
    if (CanFocus()) TCustomEdit::SetFocus();
}

void TInplaceEdit::Deselect() { SetSelLength(0); }

void TInplaceEdit::Change() {
    const TWeak<TInplaceEdit> Self(this);
    TCustomEdit::Change();
    if (!Self || FUpdating) return;
    if (TCustomGrid* G = Grid()) G->SetEditText(G->Col(), G->Row(), Text());
}

void TInplaceEdit::sendToParent(Word& Key, TShiftState Shift) {
    if (TCustomGrid* G = Grid()) G->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    const int Len = Text().length();
    const bool NoSelection = SelLength() == 0;
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE:
            sendToParent(Key, Shift);
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) sendToParent(Key, Shift);
            break;
        // Arrows leave the editor at its ends.
        case VK_LEFT:
            if (NoSelection && SelStart() == 0) sendToParent(Key, Shift);
            break;
        case VK_RIGHT:
            if (NoSelection && SelStart() >= Len) sendToParent(Key, Shift);
            break;
        case VK_DELETE:
            if (TCustomGrid* G = Grid(); G && !G->CanEditModify()) Key = 0;
            break;
        default:
            break;
    }
    if (Key != 0) TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(Char& Key) {
    TCustomGrid* G = Grid();
    if (G) {
        const TWeak<TInplaceEdit> Self(this);
        G->KeyPress(Key);
        if (!Self) return;
        G = Grid();
    }
    if (G && Key.unicode() >= 32 && !G->CanEditAcceptKey(Key)) Key = u'\0';
    if (Key == u'\t' || Key == u'\x1b' || Key == u'\r') Key = u'\0';
    if (G && Key != u'\0' && !G->CanEditModify()) Key = u'\0';
    if (Key != u'\0') TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (TCustomGrid* G = Grid(); G && G->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::WMKillFocus(TMessage& Message) { TCustomEdit::Dispatch(Message); }

void TInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        default:
            TCustomEdit::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// TDrawGrid

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

String TDrawGrid::GetEditMask(int ACol, int ARow) {
    String Result;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Result);
    return Result;
}

String TDrawGrid::GetEditText(int ACol, int ARow) {
    String Result;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, Result);
    return Result;
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
    bool Result = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, Result);
    return Result;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TDrawGrid::TopLeftChanged() {
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TDrawGrid::FixedCellClick(int ACol, int ARow) {
    if (OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
}

// ---------------------------------------------------------------------------------------------
// A row or a column of a string grid as a list of lines.

class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid* Grid, int Index, bool IsRow) : FGrid(Grid), FIndex(Index), FIsRow(IsRow) {}

    void Put(int Index, const String& S) override {
        checkIndex(Index);
        if (FIsRow)
            FGrid->SetCells(Index, FIndex, S);
        else
            FGrid->SetCells(FIndex, Index, S);
    }
    void PutObject(int Index, TObject* AObject) override {
        checkIndex(Index);
        if (FIsRow)
            FGrid->SetObjects(Index, FIndex, AObject);
        else
            FGrid->SetObjects(FIndex, Index, AObject);
    }
    // The list's length is the grid's: lines are written in place, never added or removed.
    int Add(const String& S) override {
        const int Index = firstEmpty();
        Put(Index, S);
        return Index;
    }
    int AddObject(const String& S, TObject* AObject) override {
        const int Index = Add(S);
        PutObject(Index, AObject);
        return Index;
    }
    void Clear() override {
        for (int I = 0; I < GetCount(); ++I) {
            Put(I, String());
            PutObject(I, nullptr);
        }
    }
    void Delete(int Index) override {
        throw EInvalidGridOperation(QStringLiteral("Grid rows and columns cannot be deleted through their list"));
    }
    void Insert(int Index, const String& S) override {
        throw EInvalidGridOperation(QStringLiteral("Grid rows and columns cannot grow through their list"));
    }

protected:
    String Get(int Index) const override {
        checkIndex(Index);
        return FIsRow ? FGrid->Cells(Index, FIndex) : FGrid->Cells(FIndex, Index);
    }
    int GetCount() const override { return FIsRow ? FGrid->ColCount() : FGrid->RowCount(); }
    TObject* GetObject(int Index) const override {
        checkIndex(Index);
        return FIsRow ? FGrid->Objects(Index, FIndex) : FGrid->Objects(FIndex, Index);
    }

private:
    TStringGrid* FGrid;
    int FIndex;
    bool FIsRow;

    void checkIndex(int Index) const {
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    }
    int firstEmpty() const {
        for (int I = 0; I < GetCount(); ++I)
            if (Get(I).isEmpty() && !GetObject(I)) return I;
        throw EInvalidGridOperation(QStringLiteral("Grid row or column is full"));
    }
};

// ---------------------------------------------------------------------------------------------
// TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
    FCells.SetText(ACol, ARow, Value);
    InvalidateCell(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) { FCells.SetObject(ACol, ARow, Value); }

TStringGridStrings* TStringGrid::listFor(std::vector<std::unique_ptr<TStringGridStrings>>& Lists, int Index,
                                         bool IsRow) {
    if (Index < 0 || Index >= (IsRow ? RowCount() : ColCount()))
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (Lists.size() <= static_cast<size_t>(Index)) Lists.resize(static_cast<size_t>(Index) + 1);
    auto& Slot = Lists[static_cast<size_t>(Index)];
    if (!Slot) Slot = std::make_unique<TStringGridStrings>(this, Index, IsRow);
    return Slot.get();
}

TStrings* TStringGrid::Rows(int Index) { return listFor(FRowLists, Index, true); }
TStrings* TStringGrid::Cols(int Index) { return listFor(FColLists, Index, false); }

namespace {

// Writes Value's lines into the list in place; the lines beyond Value's are emptied.
void copyLines(TStrings* Target, TStrings* Value) {
    for (int I = 0; I < Target->Count(); ++I) {
        const bool Has = Value && I < Value->Count();
        Target->Put(I, Has ? Value->Strings(I) : String());
        Target->PutObject(I, Has ? Value->Objects(I) : nullptr);
    }
}

}  // namespace

void TStringGrid::SetRows(int Index, TStrings* Value) { copyLines(Rows(Index), Value); }
void TStringGrid::SetCols(int Index, TStrings* Value) { copyLines(Cols(Index), Value); }

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing()) {
        TCanvas* C = Canvas();
        C->Brush()->SetStyle(bsClear);
        C->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
        C->Brush()->SetStyle(bsSolid);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
    String Result = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, Result);
    return Result;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::InsertGridRows(int Index, int Count) {
    if (Count <= 0) return;
    FCells.InsertRows(std::clamp(Index, 0, RowCount()), Count);
    TDrawGrid::InsertGridRows(Index, Count);
}

void TStringGrid::DeleteGridRows(int Index, int Count) {
    Count = std::min({Count, RowCount() - Index, RowCount() - 1});
    if (Count <= 0 || Index < 0) return;
    FCells.DeleteRows(Index, Count);
    TDrawGrid::DeleteGridRows(Index, Count);
}

void TStringGrid::DeleteGridRowList(const std::vector<int>& Rows) {
    std::vector<int> Valid;
    for (int R : Rows)
        if (R >= 0 && R < RowCount()) Valid.push_back(R);
    if (Valid.empty() || static_cast<int>(Valid.size()) >= RowCount()) return;
    FCells.DeleteRowList(Valid);
    TDrawGrid::DeleteGridRowList(Valid);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    FCells.MoveCol(FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
    FCells.MoveRow(FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}
