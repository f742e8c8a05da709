// The undo/redo component a grid links to (TBaseGrid::UndoRedo): it records the grid's cell
// changes in sequences. Linking sets its grid; either side forgets the other when it is freed.
#pragma once

#include "framework/rtl/Component.h"

class TBaseGrid;

class TZirOdadUndoRedo : public TComponent {
public:
    explicit TZirOdadUndoRedo(TComponent* AOwner) : TComponent(AOwner) {}

    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TBaseGrid* FGrid = nullptr;
};
