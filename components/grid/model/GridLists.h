// The grid's small lists: TIntList (32-bit integers that report their changes, optionally bound to
// a cell), TSortIndexList (sort keys: a column and a direction each, with a compact text form)
// and TFileStringList (a string list read and written line by line by the text file readers and
// writers). Plain data, no window.
#pragma once

#include "framework/rtl/List.h"
#include "framework/rtl/StringList.h"

#include <functional>

// (Sender, ACol, ARow): the list and the cell it is bound to.
using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A serial number for every TIntList made; the unit's start-up sets it to 0.
extern int IntListSerial;

class TIntList : public TList {
public:
    // Binds the list to the cell (Col, Row) (-1 or 0 for lists of no cell); takes the next serial.
    TIntList(int Col, int Row);

    // The items in order as decimal integers joined by "," ("" when empty). Writing clears the
    // list (no event), splits the text by the comma-text rules and appends each item with Add,
    // raising EConvertError at the first item that is not an integer (those before it stay).
    String StrValue() const;
    void SetStrValue(const String& Value);
    // Fired after SetInteger, Add, Delete, a DeleteValue that deleted, and a sorted Insert into an
    // empty list, with the bound cell.
    TImageChangeEvent OnChange;

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    int Tag() const { return FTag; }

    // Raise EListError for an index outside 0 .. Count - 1.
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    int Items(int Index) const { return GetInteger(Index); }
    int operator[](int Index) const { return GetInteger(Index); }
    void Add(int Value);
    void Delete(int Index);
    // Inserts at Index without an event.
    void Insert(int Index, int Value);
    // Inserts at the sorted place of an ascending list, before an equal item; no event unless
    // the list was empty (then it is an Add).
    void Insert(int Value);
    // Where Value would be inserted in an ascending list.
    int SortedPosOf(int Value) const;
    // The place of an item equal to Value in an ascending list, -1 when none.
    int SortedIndexOf(int Value) const;
    bool HasValue(int Value) const;
    // Deletes the first item equal to Value; nothing (and no event) when there is none.
    void DeleteValue(int Value);

protected:
    void changed();

private:
    int FCol;
    int FRow;
    int FTag;

    // The binary search's last middle and whether it stopped on an equal item.
    int searchMiddle(int Value, bool& Found) const;
};

// Sort keys: bits 0..30 hold a real column, bit 31 is set for descending order.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(-1, -1) {}

    int SortColumns(int Index) const { return GetSortColumns(Index); }
    void SetSortColumns(int Index, int Value);
    // True for ascending.
    bool SortDirections(int Index) const { return GetSortDirections(Index); }
    void SetSortDirections(int Index, bool Value);
    int GetSortColumns(int Index) const;
    bool GetSortDirections(int Index) const;

    // Appends a key (fires OnChange).
    void AddIndex(int ColumnIndex, bool Ascending);
    // The first key of the column, -1 when none.
    int FindIndex(int ColumnIndex) const;
    // Flips the direction of the column's first key; nothing when it has none.
    void ToggleIndex(int ColumnIndex);

    // "u" or "d" and the column's low 16 bits per key, joined by ";". Loading never fails:
    // pieces shorter than two characters are skipped, numbers are read leniently, and only a
    // lower-case "u" is ascending.
    String SaveToString() const;
    void LoadFromString(const String& S);
};

// A string list read with a line cursor and written in pieces.
class TFileStringList : public TStringList {
public:
    void Reset();
    bool Eof() const { return fp >= Count(); }
    // The line at the cursor, then the cursor moves on; at Eof raises EListError.
    void ReadLn(String& S);
    // Text for the current line, ended by WriteLn.
    void Write(const String& S) { cache += S; }
    void WriteLn(const String& S);

private:
    int fp = 0;
    String cache;
};
