// Selection by code of TVidIvezadOrir: the disjunct row and column selections beside the
// rectangular one, each change vetoable and reported, the modified and disabled rows, focus and
// the advance to the next cell. TVidIvezadOrir inherits this class.
#pragma once

#include "framework/rtl/Component.h"

class TVidIvezadOrir;

using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TColDisjunctSelectEvent = std::function<void(TObject* Sender, int ACol, bool AState, bool& Allow)>;
using TColDisjunctSelectedEvent = std::function<void(TObject* Sender, int ACol)>;
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;

class TVidIvezadOrirSelection {
public:
    virtual ~TVidIvezadOrirSelection() = default;

    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TColDisjunctSelectEvent OnColDisjunctSelect;
    TColDisjunctSelectedEvent OnColDisjunctSelected;
    TSelectionChangedEvent OnSelectionChanged;

    // Raises "Invalid row <n> accessed" outside all rows (a negative row also with
    // RowSelectPersistent). Disjunct: the row's entry; else whether the rectangle covers it.
    bool GetRowSelect(int ARow);
    // Raises "Invalid row accessed" outside all rows; a change may be vetoed by
    // OnRowDisjunctSelect and is reported by OnRowDisjunctSelected.
    void SetRowSelect(int ARow, bool Value);
    int RowSelectCount();
    // Whether the last SetRowSelect changed its entry.
    bool RowSelMod() const { return FRowSelMod; }

private:
    TVidIvezadOrir& grid();
    bool FRowSelMod = false;
};
