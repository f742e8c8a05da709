#include "components/grid/ZirOdadUndoRedo.h"

#include "components/grid/BaseGrid.h"

#include <algorithm>

TZirOdadUndoRedo::TZirOdadUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

TZirOdadUndoRedo::~TZirOdadUndoRedo() = default;

void TZirOdadUndoRedo::SetGrid(TBaseGrid* Value) {
    if (Value == FGrid) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (FGrid) FGrid->FreeNotification(this);
}

void TZirOdadUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
    TComponent::Notification(AComponent, Operation);
}

bool TZirOdadUndoRedo::CanRedo() const { return FLevel < FItems->Count(); }

TUndoRedoItem* TZirOdadUndoRedo::append() { return static_cast<TUndoRedoItem*>(FItems->Add()); }

// The closing marker of a sequence whose opening marker was trimmed: the first marker of the
// list when it closes; -1 when there is none.
int TZirOdadUndoRedo::cutSequenceStop() const {
    for (int i = 0; i < FItems->Count(); ++i)
        if (item(i)->IsMarker()) return item(i)->SequenceStop() ? i : -1;
    return -1;
}

void TZirOdadUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {
    // One record goes per change, whatever it is: a trimmed opening marker leaves the rest of its
    // sequence, which undo and redo take as a whole up to its closing marker.
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* Item = append();
    Item->SetCol(ACol);
    Item->SetRow(ARow);
    Item->SetValue(NewValue);
    Item->SetOrigValue(OldValue);
    FLevel = FItems->Count();
}

void TZirOdadUndoRedo::StartSequence() {
    TUndoRedoItem* Item = append();
    Item->SetCol(-1);
    Item->SetRow(-1);
    Item->SetSequenceStart(true);
    FLevel = FItems->Count();
}

void TZirOdadUndoRedo::StopSequence() {
    TUndoRedoItem* Item = append();
    Item->SetCol(-1);
    Item->SetRow(-1);
    Item->SetSequenceStop(true);
    FLevel = FItems->Count();
}

void TZirOdadUndoRedo::Reset() {
    FItems->Clear();
    FLevel = 0;
}

void TZirOdadUndoRedo::apply(const TUndoRedoItem* Item, const String& Text, const TZirOdadUndoRedoEvent& Event,
                             bool CheckBoxPath) {
    const int c = Item->Col(), r = Item->Row();
    if (Event) FireEvent(Event, this, FGrid, c, r, FGrid->GetCellEx(c, r), Text);
    if (!FGrid) return;
    if (CheckBoxPath && FGrid->CellHasCheckBox(c, r))
        FGrid->SetCheckBoxText(c, r, Text);
    else
        FGrid->SetCellEx(c, r, Text);
    const int DisplCol = FGrid->DisplColIndex(c);
    if (DisplCol >= 0 && DisplCol < FGrid->ColCount()) FGrid->SetCol(DisplCol);
    if (r >= 0 && r < FGrid->RowCount()) FGrid->SetRow(r);
}

void TZirOdadUndoRedo::Undo() {
    if (!FGrid || FLevel <= 0 || FLevel > FItems->Count()) return;
    // An opening marker with nothing after it undoes nothing.
    while (FLevel > 0 && item(FLevel - 1)->SequenceStart()) --FLevel;
    if (FLevel == 0) return;
    if (item(FLevel - 1)->SequenceStop()) {
        --FLevel;
        while (FGrid && FLevel > 0 && !item(FLevel - 1)->SequenceStart()) {
            const TUndoRedoItem* Item = item(FLevel - 1);
            if (!Item->IsMarker()) apply(Item, Item->OrigValue(), OnUndo, false);
            --FLevel;
        }
        if (FLevel > 0) --FLevel;
        if (FGrid) FGrid->Invalidate();
        return;
    }
    const TUndoRedoItem* Item = item(FLevel - 1);
    apply(Item, Item->OrigValue(), OnUndo, true);
    if (FGrid) FGrid->RepaintCell(FGrid->Col(), Item->Row());
    FLevel = std::max(0, FLevel - 1);
}

void TZirOdadUndoRedo::Redo() {
    if (!FGrid || FLevel < 0 || FLevel >= FItems->Count()) return;
    const int CutStop = cutSequenceStop();
    // A closing marker left alone by trimming redoes nothing: step over it.
    if (FLevel == 0 && CutStop == 0) ++FLevel;
    if (FLevel >= FItems->Count()) return;
    const int i = FLevel;
    const TUndoRedoItem* First = item(i);
    if (First->SequenceStart() || i < CutStop) {
        // A sequence, or what trimming left of one: every change up to the closing marker.
        FLevel = First->SequenceStart() ? i + 1 : i;
        while (FGrid && FLevel < FItems->Count() && !item(FLevel)->SequenceStop()) {
            const TUndoRedoItem* Item = item(FLevel);
            if (!Item->IsMarker()) apply(Item, Item->Value(), OnRedo, false);
            ++FLevel;
        }
        FLevel = std::min(FLevel + 1, FItems->Count());
        if (FGrid) FGrid->Invalidate();
        return;
    }
    FLevel = i + 1;
    // A stray closing marker redoes nothing.
    if (First->IsMarker()) return;
    apply(First, First->Value(), OnRedo, false);
    if (FGrid) FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
}
