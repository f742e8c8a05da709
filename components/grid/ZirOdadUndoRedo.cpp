#include "components/grid/ZirOdadUndoRedo.h"

#include "components/grid/BaseGrid.h"

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

void TZirOdadUndoRedo::trimOldest() {
    // The oldest unit: one change, a stray marker, or a closed sequence with its markers.
    int Last = 0;
    if (item(0)->SequenceStart()) {
        Last = 1;
        while (Last < FItems->Count() && !item(Last)->SequenceStop()) ++Last;
        if (Last >= FItems->Count()) return;  // the sequence being recorded stays whole
    }
    for (int i = Last; i >= 0; --i) FItems->Delete(i);
    FLevel = std::max(0, FLevel - (Last + 1));
}

void TZirOdadUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {
    while (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) {
        const int Before = FItems->Count();
        trimOldest();
        if (FItems->Count() == Before) break;
    }
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
    const int i = FLevel;
    FLevel = i + 1;
    const TUndoRedoItem* First = item(i);
    if (First->SequenceStart()) {
        ++FLevel;
        while (FGrid && FLevel <= FItems->Count() && !item(FLevel - 1)->SequenceStop()) {
            const TUndoRedoItem* Item = item(FLevel - 1);
            if (!Item->IsMarker()) apply(Item, Item->Value(), OnRedo, false);
            ++FLevel;
        }
        FLevel = std::min(FLevel, FItems->Count());
        if (FGrid) FGrid->Invalidate();
        return;
    }
    // A stray closing marker redoes nothing.
    if (First->IsMarker()) return;
    apply(First, First->Value(), OnRedo, false);
    if (FGrid) FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
}
