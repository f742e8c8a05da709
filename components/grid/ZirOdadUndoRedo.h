// The undo/redo component a grid links to (TBaseGrid::UndoRedo): it records the grid's cell
// changes, single or in sequences bracketed by markers, and reverts or re-applies them. Linking
// sets its grid; either side forgets the other when it is freed. Unlinked, every call does nothing.
#pragma once

#include "framework/rtl/Collection.h"
#include "framework/rtl/Component.h"

class TBaseGrid;

// One change (the cell's real column and row, its text before and after) or a sequence marker
// (column and row -1).
class TUndoRedoItem : public TCollectionItem {
public:
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    int Col() const { return FCol; }
    void SetCol(int Value) { FCol = Value; }
    const String& Value() const { return FValue; }
    void SetValue(const String& Value) { FValue = Value; }
    const String& OrigValue() const { return FOrigValue; }
    void SetOrigValue(const String& Value) { FOrigValue = Value; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool Value) { FSequenceStart = Value; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool Value) { FSequenceStop = Value; }
    bool IsMarker() const { return FSequenceStart || FSequenceStop; }

private:
    int FRow = 0;
    int FCol = 0;
    String FValue;
    String FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection() : TCollection(CollectionItemClass<TUndoRedoItem>()) {}
    TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
};

// Fired before a cell is written: OrigValue the cell's text now, NewValue the text it gets.
using TZirOdadUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const String& OrigValue, const String& NewValue)>;

class TZirOdadUndoRedo : public TComponent {
public:
    explicit TZirOdadUndoRedo(TComponent* AOwner);
    ~TZirOdadUndoRedo() override;

    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);
    // At this many records (0: no limit) each new change frees the oldest record first, a
    // sequence's marker or change alike; sequence markers are never trimmed when added.
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; }
    // Records 0 .. Level - 1 can be undone, Level .. Count - 1 redone; never below 0.
    int Level() const { return FLevel; }
    TUndoRedoCollection* Items() const { return FItems.get(); }

    TZirOdadUndoRedoEvent OnUndo;
    TZirOdadUndoRedoEvent OnRedo;

    virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    // A sequence is undone and redone whole, newest change first on undo; so is what trimming
    // left of one.
    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;

    TUndoRedoItem* item(int Index) const { return FItems->Items(Index); }
    TUndoRedoItem* append();
    int cutSequenceStop() const;
    // Fires the event and writes Text into the record's cell, then makes it current.
    void apply(const TUndoRedoItem* Item, const String& Text, const TZirOdadUndoRedoEvent& Event, bool CheckBoxPath);
};
