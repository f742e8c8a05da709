// The grid text stream: a header line "C,R", a width line "cw I,W" per grid column and a line
// "c,r,text" per non-empty cell, each line UTF-16LE code units ended by CR LF, without a byte-order
// mark. Header counts and cell coordinates are relative to the first row and column of the
// savable area; width lines name grid columns. Cell texts carry their line breaks encoded, so a
// text never holds a CR.
//
// The reader parses and checks the whole stream before the grid changes: a load applies all of it
// or nothing.
#pragma once

#include "framework/rtl/Types.h"

#include <cstdint>
#include <vector>

class TStream;

// What a stream may ask of a grid. Far beyond any grid a person works with, yet a header cannot
// make a load allocate gigabytes: the cell store keeps a string per column of every written row,
// so the two counts together are bounded, not only each alone.
constexpr int kGridStreamMaxCols = 65536;
constexpr int kGridStreamMaxRows = 10'000'000;
constexpr Int64 kGridStreamMaxCells = 10'000'000;
constexpr int kGridStreamMaxColWidth = 32767;
// The widths of all columns added up stay an int, as the grid's layout sums them.
static_assert(Int64(kGridStreamMaxCols) * kGridStreamMaxColWidth <= INT32_MAX);

struct TGridStreamWidth {
    int Col = 0;
    int Width = 0;
    friend bool operator==(const TGridStreamWidth&, const TGridStreamWidth&) = default;
};

// Text as stored in the stream, line breaks still encoded.
struct TGridStreamCell {
    int Col = 0;
    int Row = 0;
    String Text;
    friend bool operator==(const TGridStreamCell&, const TGridStreamCell&) = default;
};

// The grid a stream is read for: where its relative coordinates start, and the counts that hold
// when the stream has no header.
struct TGridStreamTarget {
    int StartCol = 0;
    int StartRow = 0;
    int ColCount = 0;
    int RowCount = 0;
};

// A parsed stream in grid coordinates, every index inside the counts.
struct TGridStreamContent {
    bool HasHeader = false;  // without one, the counts are the target's
    int ColCount = 0;
    int RowCount = 0;
    std::vector<TGridStreamWidth> Widths;  // in stream order; lines for columns beyond the count dropped
    std::vector<TGridStreamCell> Cells;    // in stream order; a later line for a cell wins
    friend bool operator==(const TGridStreamContent&, const TGridStreamContent&) = default;
};

// Reads the stream from its position up to the first line that is neither a width nor a cell line
// (that line belongs to the caller) and leaves the stream there. A bad stream (a number that is
// not one, a count, coordinate or width out of bounds, a stream ending inside a character) raises
// EConvertError "Invalid grid stream, line N: ..." and puts the stream back where it was.
TGridStreamContent ReadGridTextStream(TStream* Stream, const TGridStreamTarget& Target);

// The writer's lines; Text must hold no CR.
void WriteGridStreamHeader(TStream* Stream, int ColCount, int RowCount);
void WriteGridStreamWidth(TStream* Stream, int Col, int Width);
void WriteGridStreamCell(TStream* Stream, int Col, int Row, const String& Text);
