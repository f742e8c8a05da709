#include "components/grid/ZirOdadUndoRedo.h"

#include "components/grid/BaseGrid.h"

void TZirOdadUndoRedo::SetGrid(TBaseGrid* Value) {
    if (Value == FGrid) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (FGrid) FGrid->FreeNotification(this);
}

void TZirOdadUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}
