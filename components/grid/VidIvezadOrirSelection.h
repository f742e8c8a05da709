// Selection by code of TVidIvezadOrir: the disjunct row and column selections beside the
// rectangular one, each change vetoable and reported, the modified and disabled rows, focus and
// the advance to the next cell after Enter or Tab. TVidIvezadOrir inherits this class.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Grids.h"

class TVidIvezadOrir;

using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TColDisjunctSelectEvent = std::function<void(TObject* Sender, int ACol, bool AState, bool& Allow)>;
using TColDisjunctSelectedEvent = std::function<void(TObject* Sender, int ACol)>;
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanAddRowColEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;

class TVidIvezadOrirSelection {
public:
    virtual ~TVidIvezadOrirSelection() = default;

    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TColDisjunctSelectEvent OnColDisjunctSelect;
    TColDisjunctSelectedEvent OnColDisjunctSelected;
    TSelectionChangedEvent OnSelectionChanged;
    TAutoAdvanceEvent OnAutoAdvance;
    TCellChangingEvent OnCellChanging;
    TAutoAddRowEvent OnAutoAddRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TCanAddRowColEvent OnCanAddRow;
    TCanAddRowColEvent OnCanAddCol;
    TCanInsertRowEvent OnCanInsertRow;

    // ---- Rows. Raises "Invalid row <n> accessed" outside all rows (a negative row also with
    // RowSelectPersistent). Disjunct: the row's entry; else whether the rectangle covers it.
    bool GetRowSelect(int ARow);
    // Raises "Invalid row accessed" outside all rows; a change may be vetoed by
    // OnRowDisjunctSelect and is reported by OnRowDisjunctSelected.
    void SetRowSelect(int ARow, bool Value);
    int RowSelectCount();
    // Whether the last SetRowSelect changed its entry.
    bool RowSelMod() const { return FRowSelMod; }
    // The selected rows in the order they were selected.
    TIntList* SelectedRows();
    // RCount is cut at the last row.
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void ClearDisjunctRowSelect();
    void ClearRowSelect();
    // Keeps the disjunct rows in step with the rectangle; true when an entry changed.
    bool SelectionToRowSelect(bool All);

    // ---- Columns. Raise "Invalid column accessed" outside the columns.
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    int ColSelectCount();
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void ClearColSelect();
    void SelectionToColSelect(bool All);

    // ---- Range and focus.
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void FocusCell(int ACol, int ARow);
    void FocusCellMove(int ACol, int ARow);

    // ---- Modified and disabled rows; negative rows and rows beyond all rows are refused.
    int ModifiedRowCount();
    bool GetRowModified(int ARow);
    // ARow a real row.
    void SetRowModified(int ARow, bool Value);
    bool GetRowEnabled(int ARow);
    // Disabling the current row moves it to the first other enabled row.
    void SetRowEnabled(int ARow, bool Value);

    // ---- Advance. Moves from (ACol, ARow) to the next cell in Navigation's direction, adding
    // a row or column at the end where allowed; read-only cells are skipped when asked, and the
    // walk stops once it comes back to where it started.
    void AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Recursive, bool Activate);
    virtual void CanAddRow(bool& Allow);
    virtual void CanAddCol(bool& Allow);
    virtual void CanInsertRow(int ARow, bool& CanInsert);
    // On Escape the text the cell had when editing began goes back.
    virtual void RestoreCellCache();
    // The incremental go-to search of a sorted grid, as typed so far.
    const String& SearchInc() const { return FSearchInc; }
    int SearchTics() const { return FSearchTics; }

protected:
    // The grid's key handling: Escape, the four Enter cases and the incremental go-to search;
    // false when the key was taken (the inherited handling is then skipped).
    bool SelectionKeyPress(Char& Key);

private:
    TVidIvezadOrir& grid();
    bool FRowSelMod = false;
    bool FSelChange = false;
    TGridRect FDisSelection{-1, -1, -1, -1};
    bool FDisableChange = false;
    Char FStartEditChar = u'\0';
    String FSearchInc;
    int FSearchTics = 0;

    int firstTabCol();
    int lastNormalRow();
    int lastNormalCol();
    int nextVisibleCol(int ACol, bool Forward);
    bool isEditable(int ACol, int ARow);
    TPoint findNextEditCell(int ACol, int ARow);
    bool addRowAtEnd(int ARow);
    // Steps (ACol, ARow) to the next cell; false when the advance stops there.
    bool stepCell(int& ACol, int& ARow, bool Forward);
    void activateCell(int ACol, int ARow, int OldCol, int OldRow, bool AutoEdit);
    int searchSortColumn(const String& S);
};
