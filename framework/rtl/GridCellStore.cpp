#include "framework/rtl/GridCellStore.h"

#include <algorithm>
#include <iterator>

namespace {

const String EmptyText;

// Moves the element at From to To in V, shifting those between, growing V to hold both places.
template <class T>
void moveElement(std::vector<T>& V, size_t From, size_t To) {
    const size_t Needed = std::max(From, To) + 1;
    if (V.size() < Needed) V.resize(Needed);
    if (From < To)
        std::rotate(V.begin() + From, V.begin() + From + 1, V.begin() + To + 1);
    else if (From > To)
        std::rotate(V.begin() + To, V.begin() + From, V.begin() + From + 1);
}

template <class T>
void insertElements(std::vector<T>& V, size_t Index, size_t Count) {
    if (Index >= V.size()) return;  // nothing at or after Index moves
    std::vector<T> Filler(Count);
    V.insert(V.begin() + Index, std::make_move_iterator(Filler.begin()), std::make_move_iterator(Filler.end()));
}

template <class T>
void deleteElements(std::vector<T>& V, size_t Index, size_t Count) {
    if (Index >= V.size()) return;
    const size_t End = std::min(V.size(), Index + Count);
    V.erase(V.begin() + Index, V.begin() + End);
}

template <class T>
void exchangeElements(std::vector<T>& V, size_t A, size_t B) {
    const size_t Needed = std::max(A, B) + 1;
    if (V.size() < Needed) V.resize(Needed);
    std::swap(V[A], V[B]);
}

}  // namespace

TGridCellStore::TGridCellStore() = default;
TGridCellStore::~TGridCellStore() = default;

TGridCellStore::TRowCells* TGridCellStore::rowFor(int Row) {
    if (Row >= static_cast<int>(FRows.size())) FRows.resize(static_cast<size_t>(Row) + 1);
    return &FRows[static_cast<size_t>(Row)];
}

const String& TGridCellStore::emptyText() { return EmptyText; }

void TGridCellStore::setTextGrowing(int Col, int Row, const String& Value) {
    if (Col < 0 || Row < 0) return;
    // Clearing a cell that holds nothing must not allocate.
    if (Value.isEmpty()) return;
    TRowCells* R = rowFor(Row);
    // Rows of a grid are mostly alike: a row growing takes the width of the widest row at once
    // instead of growing a column at a time.
    FWidestRow = std::max(FWidestRow, static_cast<size_t>(Col) + 1);
    if (R->Texts.capacity() < FWidestRow) R->Texts.reserve(FWidestRow);
    R->Texts.resize(FWidestRow);
    R->Texts[static_cast<size_t>(Col)] = Value;
}

void TGridCellStore::SetObject(int Col, int Row, TObject* Value) {
    if (Col < 0 || Row < 0) return;
    if (!Value) {
        const TRowCells* Existing = rowAt(Row);
        if (!Existing || !Existing->Objects || Col >= static_cast<int>(Existing->Objects->size())) return;
    }
    TRowCells* R = rowFor(Row);
    if (!R->Objects) R->Objects = std::make_unique<std::vector<TObject*>>();
    if (Col >= static_cast<int>(R->Objects->size())) R->Objects->resize(static_cast<size_t>(Col) + 1, nullptr);
    (*R->Objects)[static_cast<size_t>(Col)] = Value;
}

int TGridCellStore::ColExtent() const {
    size_t Extent = 0;
    for (const TRowCells& R : FRows) {
        Extent = std::max(Extent, R.Texts.size());
        if (R.Objects) Extent = std::max(Extent, R.Objects->size());
    }
    return static_cast<int>(Extent);
}

bool TGridCellStore::RowHasCells(int Row) const {
    const TRowCells* R = rowAt(Row);
    if (!R) return false;
    for (const String& S : R->Texts)
        if (!S.isEmpty()) return true;
    if (R->Objects)
        for (TObject* O : *R->Objects)
            if (O) return true;
    return false;
}

void TGridCellStore::InsertRows(int Index, int Count) {
    if (Index < 0 || Count <= 0) return;
    insertElements(FRows, static_cast<size_t>(Index), static_cast<size_t>(Count));
}

void TGridCellStore::DeleteRows(int Index, int Count) {
    if (Index < 0 || Count <= 0) return;
    deleteElements(FRows, static_cast<size_t>(Index), static_cast<size_t>(Count));
}

void TGridCellStore::DeleteRowList(const std::vector<int>& Rows) {
    size_t Write = 0, Next = 0;
    for (size_t Read = 0; Read < FRows.size(); ++Read) {
        if (Next < Rows.size() && Rows[Next] == static_cast<int>(Read)) {
            ++Next;
            continue;
        }
        if (Write != Read) FRows[Write] = std::move(FRows[Read]);
        ++Write;
    }
    FRows.resize(Write);
}

void TGridCellStore::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex == ToIndex) return;
    if (FromIndex >= RowExtent() && ToIndex >= RowExtent()) return;  // both empty: nothing moves
    moveElement(FRows, static_cast<size_t>(FromIndex), static_cast<size_t>(ToIndex));
}

void TGridCellStore::ExchangeRows(int Index1, int Index2) {
    if (Index1 < 0 || Index2 < 0 || Index1 == Index2) return;
    if (Index1 >= RowExtent() && Index2 >= RowExtent()) return;
    exchangeElements(FRows, static_cast<size_t>(Index1), static_cast<size_t>(Index2));
}

void TGridCellStore::InsertCols(int Index, int Count) {
    if (Index < 0 || Count <= 0) return;
    for (TRowCells& Row : FRows) {
        TRowCells* R = &Row;
        insertElements(R->Texts, static_cast<size_t>(Index), static_cast<size_t>(Count));
        if (R->Objects) insertElements(*R->Objects, static_cast<size_t>(Index), static_cast<size_t>(Count));
    }
}

void TGridCellStore::DeleteCols(int Index, int Count) {
    if (Index < 0 || Count <= 0) return;
    for (TRowCells& Row : FRows) {
        TRowCells* R = &Row;
        deleteElements(R->Texts, static_cast<size_t>(Index), static_cast<size_t>(Count));
        if (R->Objects) deleteElements(*R->Objects, static_cast<size_t>(Index), static_cast<size_t>(Count));
    }
}

void TGridCellStore::MoveCol(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex == ToIndex) return;
    const size_t Lowest = static_cast<size_t>(std::min(FromIndex, ToIndex));
    for (TRowCells& Row : FRows) {
        TRowCells* R = &Row;
        // A row whose cells all lie before both places keeps them.
        if (R->Texts.size() > Lowest)
            moveElement(R->Texts, static_cast<size_t>(FromIndex), static_cast<size_t>(ToIndex));
        if (R->Objects && R->Objects->size() > Lowest)
            moveElement(*R->Objects, static_cast<size_t>(FromIndex), static_cast<size_t>(ToIndex));
    }
}

void TGridCellStore::ExchangeCols(int Index1, int Index2) {
    if (Index1 < 0 || Index2 < 0 || Index1 == Index2) return;
    const size_t Lowest = static_cast<size_t>(std::min(Index1, Index2));
    for (TRowCells& Row : FRows) {
        TRowCells* R = &Row;
        if (R->Texts.size() > Lowest)
            exchangeElements(R->Texts, static_cast<size_t>(Index1), static_cast<size_t>(Index2));
        if (R->Objects && R->Objects->size() > Lowest)
            exchangeElements(*R->Objects, static_cast<size_t>(Index1), static_cast<size_t>(Index2));
    }
}

void TGridCellStore::Clear() {
    FRows.clear();
    FWidestRow = 0;
}

size_t TGridCellStore::MemoryUsed() const {
    size_t Bytes = FRows.capacity() * sizeof(TRowCells);
    for (const TRowCells& R : FRows) {
        Bytes += R.Texts.capacity() * sizeof(String);
        if (R.Objects) Bytes += sizeof(*R.Objects) + R.Objects->capacity() * sizeof(TObject*);
    }
    return Bytes;
}
