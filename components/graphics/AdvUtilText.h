// AdvUtil, text part: the stateless text, number, date and position routines the grid and the
// drop-down controls share. Positions are 1-based, 0 = not found. The locale separators and the
// short date format are read from the program-wide FormatSettings at each call.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/Graphics.h"

#include <vector>

class TStrings;

// The operator list of FindFilterOperator.
using TCharSet = std::vector<Char>;

// ---- Comparison, limits and colour ----

// The system's logical comparison when the unit found it at start-up, else the ordinal one.
// nullptr reads as an empty text.
int NaturalCompare(const Char* S1, const Char* S2);
int NaturalCompare(const String& S1, const String& S2);

using TStrCmpLogicalW = int (*)(const Char*, const Char*);
// What the start-up lookup bound ("StrCmpLogicalW" of an already loaded "shlwapi.dll"), or nullptr.
TStrCmpLogicalW BoundLogicalCompare();
// Replaces the bound comparison and returns the previous one; for tests of the fallback.
TStrCmpLogicalW SetBoundLogicalCompare(TStrCmpLogicalW Compare);

// Min below, Max above; when Min > Max, Max wins.
int LimitValue(int Value, int Min, int Max);
// Value when Min = Max; a limit of 0 or less does not apply; Max wins over Min.
int ApplyLimits(int Value, int Min, int Max);
int MaxOf(int A, int B);
int MinOf(int A, int B);
// Each channel of the RGB colour shifted right by one.
TColor HalveColor(TColor Color);
// Each channel + channel * Percent / 100, rounded, kept within 0..255.
TColor BrightenColor(TColor Color, int Percent);
// GridRect holds column and row numbers (Left, Top, Right, Bottom), both ends included.
bool CellInGridRect(const TRect& GridRect, int Col, int Row);

// ---- Positions and counting ----

int FindPos(const String& SubStr, const String& S, int& Position);
// SubStr must already be upper case.
int PosInUpper(const String& SubStr, const String& S);
int CharPos(Char Ch, const String& S);
// Position is written only when Ch is found.
int FindCharPos(Char Ch, const String& S, int& Position);
int WidePos(const String& SubStr, const String& S);
int CountChar(Char Ch, const String& S);
// The middle argument plays no part.
int CountCharOccurrences(Char Ch, int Unused, const String& S);
// Ch outside stretches quoted with ' or "; a text ending inside a stretch counts all of its Ch.
int CountCharOutsideQuotes(Char Ch, const String& S);
// The quote closing a quoted text that S continues: runs of Q of even length are escaped quotes;
// the last character of the first odd run, or a Q that ends S. 0 when none.
int FindClosingQuote(Char Q, const String& S, int& Position);
// 1 when not MultiLine; else 1 + the line breaks (CR, with its LF when one follows) followed by text.
int LineCount(const String& S, bool MultiLine);
// The text before the first CR. With KeepRest and a CR found, S keeps what follows it (without its
// LF); otherwise S becomes empty.
String ExtractFirstLine(String& S, bool KeepRest);
// The first of the lines of S with the largest text width in Canvas's font. Every line is
// measured; an empty line has width 0 and does not end the search.
String WidestLine(TCanvas* Canvas, const String& S);

// ---- Editing and conversion ----

// Adds (without clearing) each piece before a Delimiter, then the rest, possibly empty.
void SplitToList(const String& Delimiter, const String& S, TStrings* List);
String JoinListItems(TStrings* List);
// The text before the first Delimiter, removed from S with the Delimiter; "" and S unchanged
// when S holds none.
String CutFirstField(String& S, const String& Delimiter);
String DoubleQuoteChars(const String& S);
// Each doubled Ch becomes one ("aaa" -> "aa").
String UndoubleChar(Char Ch, const String& S);
void FillWithChar(String& S, Char Ch);
String RemoveCR(const String& S);
String CRToLF(const String& S);
// Accents dropped, characters above 255 removed; any length.
String RemoveDiacritics(const String& S);
// "john mcdonald iii" -> "John McDonald III".
String CapitaliseNames(const String& S);
// Contains "://" or "mailto:" (case matters).
bool IsHyperlink(const String& S);
// Drops everything up to the first "://", or else up to "mailto:".
void StripURLScheme(String& S);
// "R<row>C<column>", letters in any case; Cell.X is the column, Cell.Y the row. Cell is untouched
// when S is malformed.
bool ParseRCReference(const String& S, TPoint& Cell);

// ---- Number texts ----

// 0-9, and above 127 every decimal digit, letter number and other number.
bool IsNumberChar(Char Ch);
bool IsNumeral(Char Ch);
// A number character, the locale separators, Backspace, Tab, Enter, Esc or "-".
bool IsNumericEditChar(Char Ch);
// '(1.234,50)' with "." thousands and "," decimals -> '-1234.50'; 'EUR 12' -> '12'.
String ExtractNumberText(const String& S);

enum : int {
    ntInteger = 0,
    ntDecimal = 1,
    ntNotANumber = 2,
    ntDate = 3,
    ntTime = 4,
    ntExponent = 5,
};
int ClassifyNumberText(const String& S);

enum : int {
    ctPlain = 0,
    ctHTML = 1,
    ctRTF = 2,
    ctFormula = 3,
    ctHyperlink = 4,
    ctWideEncoded = 5,
};
int ClassifyCellText(const String& S, bool HTML);

// A number text (kind 0 or 1) with the locale separators made invariant ("." decimal, no
// thousands) or back; any other text unchanged.
String NumberTextToInvariant(const String& S);
String NumberTextToLocal(const String& S);
// No kind check: thousands removed, the decimal separator made ".". nullptr reads as "".
String PlainNumberText(const Char* S);
String PlainNumberText(const String& S);

// ---- Dates ----

bool LooksLikeDate(const String& S);
// "m/d/y" (or with "." or "-"); a two-digit year 0..25 is 2000..2025, else 1900 + year; a year
// written with more digits is taken as written. 0 when malformed; EConvertError for an impossible
// date.
TDateTime ParseDateMDY(const String& S);
TDateTime ParseDateDMY(const String& S);
// Date (in the order of the short date format) and optional time "h:m" or "h:m:s".
bool ParseLocaleDateTime(const String& S, TDateTime& Value);
// Exactly one of Years, Months, Days set: that step (years and months keep the day, clamped to the
// month's end, and drop the time of day); otherwise Date + Offset. EConvertError past year 9999.
TDateTime AddToDate(Word Years, Word Months, Word Days, TDateTime Date, TDateTime Offset);
