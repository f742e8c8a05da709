// The cells of a string grid: a text and an object pointer per cell, stored sparsely. A cell never
// written costs nothing, a row costs 32 bytes once any row below it was written, and a written
// row holds only the columns up to its last written one (objects only once one was set). Cells
// are kept whatever the grid's visible counts: lowering a count and raising it again finds them.
// No window, no Qt GUI: plain data shared by the grid and its models.
#pragma once

#include "framework/rtl/Component.h"

#include <memory>
#include <vector>

class TGridCellStore {
public:
    TGridCellStore();
    ~TGridCellStore();
    TGridCellStore(const TGridCellStore&) = delete;
    TGridCellStore& operator=(const TGridCellStore&) = delete;

    // Empty text and nullptr for cells never written or outside the store (negative included).
    const String& Text(int Col, int Row) const {
        const TRowCells* R = rowAt(Row);
        if (!R || Col < 0 || Col >= static_cast<int>(R->Texts.size())) return emptyText();
        return R->Texts[static_cast<size_t>(Col)];
    }
    TObject* Object(int Col, int Row) const {
        const TRowCells* R = rowAt(Row);
        if (!R || !R->Objects || Col < 0 || Col >= static_cast<int>(R->Objects->size())) return nullptr;
        return (*R->Objects)[static_cast<size_t>(Col)];
    }
    // Negative coordinates are ignored. Writing an empty text or nullptr into a cell never
    // written allocates nothing.
    void SetText(int Col, int Row, const String& Value) {
        // A cell of a row that has room is written in place.
        if (TRowCells* R = rowAt(Row); R && Col >= 0 && Col < static_cast<int>(R->Texts.size()))
            R->Texts[static_cast<size_t>(Col)] = Value;
        else
            setTextGrowing(Col, Row, Value);
    }
    void SetObject(int Col, int Row, TObject* Value);

    // One past the highest row and column the store keeps cells for: a written row has room for
    // as many columns as the widest row written (a cell emptied again still counts until its row
    // or column is deleted or the store cleared).
    int RowExtent() const { return static_cast<int>(FRows.size()); }
    int ColExtent() const;
    // True when any cell of the row or column holds a text or an object.
    bool RowHasCells(int Row) const;

    // Row and column structure: the cells move with their rows and columns. Insert shifts the
    // cells at Index and after by Count; Delete drops Count rows or columns from Index on and
    // shifts the rest back; Move takes one from FromIndex to ToIndex, shifting those between.
    void InsertRows(int Index, int Count);
    void DeleteRows(int Index, int Count);
    // Drops the listed rows (ascending, distinct) in one pass; the rest close up in order.
    void DeleteRowList(const std::vector<int>& Rows);
    void MoveRow(int FromIndex, int ToIndex);
    void ExchangeRows(int Index1, int Index2);
    void InsertCols(int Index, int Count);
    void DeleteCols(int Index, int Count);
    void MoveCol(int FromIndex, int ToIndex);
    void ExchangeCols(int Index1, int Index2);
    // Empties every cell; objects are not freed (the store never owns them).
    void Clear();
    // Bytes the store holds beyond its own object, strings' character data excluded.
    size_t MemoryUsed() const;

private:
    struct TRowCells {
        std::vector<String> Texts;
        std::unique_ptr<std::vector<TObject*>> Objects;  // only once a row's object was set
    };
    // Rows by value: a written row costs one allocation (its texts), not two.
    std::vector<TRowCells> FRows;
    size_t FWidestRow = 0;  // the most texts a row was given room for

    TRowCells* rowFor(int Row);
    const TRowCells* rowAt(int Row) const {
        return Row >= 0 && Row < static_cast<int>(FRows.size()) ? &FRows[static_cast<size_t>(Row)] : nullptr;
    }
    TRowCells* rowAt(int Row) {
        return Row >= 0 && Row < static_cast<int>(FRows.size()) ? &FRows[static_cast<size_t>(Row)] : nullptr;
    }
    void setTextGrowing(int Col, int Row, const String& Value);
    static const String& emptyText();
};
