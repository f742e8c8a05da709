// Typed cell access of TVidIvezadOrir: cells stored as text read and written as integers,
// floats, dates and times; the values of form controls in cell markup; column and row headers;
// formats of cell rectangles; highlighting and marking of search text; the cell checker pass;
// the test fills and a column's distinct values. TVidIvezadOrir inherits this class.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Types.h"
#include "framework/ui/Graphics.h"

#include <vector>

class TVidIvezadOrir;
class TIntList;
class TStrings;
class TCustomImageList;
#include "framework/ui/Grids.h"

using TFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;

class TVidIvezadOrirTyped {
public:
    virtual ~TVidIvezadOrirTyped() = default;

    TFloatFormatEvent OnGetFloatFormat;
    // Per real column: the printed width and left offset, filled by printing.
    std::vector<int> MaxWidths;
    std::vector<int> Indents;

    // ---- Typed values. Raise "Cell does not contain integer value" / "... a float value".
    void SetInts(int ACol, int ARow, int Value);
    // Markup-free and trimmed; empty or "-" is 0; a number with separators is rounded, halves
    // to even ("1,234" and, with a decimal comma, "2,5" read too).
    int GetInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    int GetAllInts(int ACol, int ARow);
    // Through FloatFormat.
    void SetFloats(int ACol, int ARow, double Value);
    // The display text reduced to its number: signs, parentheses and currency handled.
    double GetFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    double GetAllFloats(int ACol, int ARow);
    // A date <= 0 empties the cell unless ShowNullDates.
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime GetDates(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    TDateTime GetTimes(int ACol, int ARow);
    virtual void GetFloatFormat(int ACol, int ARow, String& Fmt);
    virtual void GetFilterCheckTrue(int ACol, String& Value);
    virtual void GetFilterCheckFalse(int ACol, String& Value);
    virtual bool HasCustomAlignment() { return false; }
    virtual TCustomImageList* GetCellImageList(int ACol, int ARow);

    // ---- Cell images: the index list of a multi-image cell; an image index, or a stable
    // positive number for a held bitmap or icon; -1 otherwise.
    TIntList* GetCellImages(int ACol, int ARow);
    int GetCellImageIdx(int ACol, int ARow);

    // ---- Form controls in cell markup.
    String GetCtrlVal(int ACol, int ARow, const String& ID);
    void SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value);

    // ---- Printing widths; raise "Columns is not in valid range" outside the real columns.
    int GetPrintColWidth(int ACol);
    int GetPrintColOffset(int ACol);

    // ---- Lookup items and headers ("\n" in a header is a line break).
    void SetLookupItems(TStrings* Value);
    void SetColumnHeaders(TStrings* Value);
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    void SetRowHeaders(TStrings* Value);
    void ClearRowHeaders();
    void ShowRowHeaders();
    void SetFixedFont(TFont* Value);
    virtual void ColumnHeadersChanged() {}

    // ---- Formats of a cell rectangle; an empty rectangle changes nothing and tests true.
    void SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet);
    bool IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle);
    void SetCellColor(const TGridRect& GridRect, TColor AColor);
    void SetCellTextColor(const TGridRect& GridRect, TColor AColor);
    void SetCellFontName(const TGridRect& GridRect, const String& AFontName);
    void SetCellFontSize(const TGridRect& GridRect, int AFontSize);
    void SetAlignment(const TGridRect& GridRect, TAlignment AAlignment);
    bool IsAlignment(const TGridRect& GridRect, TAlignment AAlignment);

    // ---- Highlighting ("hi") and marking ("e") of text inside cells.
    String HilightText(bool DoCase, const String& S, const String& Text);
    String UnHilightText(const String& S);
    String MarkText(bool DoCase, const String& S, const String& Text);
    String UnMarkText(const String& S);
    void HilightInCell(bool DoCase, int Col, int Row, const String& HiText, bool FullText = false);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText, bool FullText = false);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText, bool FullText = false);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText = false);
    void MarkInCell(bool DoCase, int Col, int Row, const String& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);

    // ---- The cell checker pass; true at once without a checker.
    bool CheckCell(int Col, int Row);
    // Stops when the checker's dialog was cancelled.
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);

    // ---- Fills, row by row, then RecalcFooter.
    void TextFill(bool DoFixed, const String& Txt);
    void FormatFill(bool DoFixed, const String& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    virtual void RecalcFooter() {}

    // A new sorted list of the column's distinct values, hidden rows included; the caller owns it.
    TStrings* DistinctValues(int ACol, bool CaseSensitive);

private:
    TVidIvezadOrir& grid();
    void highlightInRange(const String& HiText, const String& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                          int ToRow, bool FullText);
    void unhighlightInRange(const String& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
    String rangeText(int c, int r);
    template <class F>
    void forEachFillCell(bool DoFixed, F Fill);
    template <class F>
    void forEachRectCell(const TGridRect& R, F Visit);
    int firstRow(bool DoFixed);
    int lastRow(bool DoFixed);
    int firstCol(bool DoFixed);
    int lastCol(bool DoFixed);
};
