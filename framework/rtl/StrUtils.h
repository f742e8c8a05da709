// String routines with the platform's rules: 1-based positions (0 = not found), clamping
// copies, case maps that never change a text's length.
#pragma once

#include "framework/rtl/Types.h"

#include <concepts>

// Position of the first SubStr in S, 1-based; 0 when absent or when SubStr is empty.
int Pos(const String& SubStr, const String& S);
// As Pos, searching from Offset (1-based); an Offset below 1 or past the end gives 0.
int PosEx(const String& SubStr, const String& S, int Offset = 1);
int AnsiPos(const String& SubStr, const String& S);
// Count characters from Index (1-based); Index < 1 counts as 1, past the end or Count <= 0 gives "".
String Copy(const String& S, int Index, int Count);
// Removes Count characters from Index; an Index outside the text or Count <= 0 changes nothing.
void Delete(String& S, int Index, int Count);
// Inserts Source before Index; Index < 1 inserts at the start, past the end appends.
void Insert(const String& Source, String& S, int Index);

// Drop every character <= U+0020 (controls included), not only spaces.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);

// ASCII letters only.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Every letter, one UTF-16 unit to one: "ß" stays "ß", so positions stay valid.
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// Replaces the first (or every) OldPattern; the inserted text is never searched again.
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags = {});

// Ordinal comparisons; the result is < 0, 0 or > 0.
int CompareStr(const String& S1, const String& S2);
// Ignores the case of ASCII letters only.
int CompareText(const String& S1, const String& S2);
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Whole Unicode: case-insensitive; AnsiCompareStr orders a lower-case letter before its capital.
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);

// 'it''s' style quoting.
String QuotedStr(const String& S);
String AnsiQuotedStr(const String& S, Char Quote);
// The text between the quotes with doubled quotes made single; S itself when it is not quoted.
String AnsiDequotedStr(const String& S, Char Quote);

String StringOfChar(Char Ch, int Count);
String DupeString(const String& S, int Count);
String LeftStr(const String& S, int Count);
String RightStr(const String& S, int Count);

// Upper-case hexadecimal, at least Digits long; negative values in two's complement of their width.
String IntToHex(int Value, int Digits);
String IntToHex(Int64 Value, int Digits);
String IntToHex(UInt64 Value, int Digits);
template <std::integral T>
String IntToHex(T Value, int Digits) {
    if constexpr (std::is_signed_v<T>)
        return sizeof(T) <= sizeof(int) ? IntToHex(static_cast<int>(Value), Digits)
                                        : IntToHex(static_cast<Int64>(Value), Digits);
    else
        return IntToHex(static_cast<UInt64>(Value), Digits);
}

// Case-insensitive over all of Unicode; an empty sub-text is never contained (as Pos).
bool ContainsText(const String& AText, const String& ASubText);
bool ContainsStr(const String& AText, const String& ASubText);
bool StartsText(const String& ASubText, const String& AText);
bool EndsText(const String& ASubText, const String& AText);
bool StartsStr(const String& ASubText, const String& AText);
bool EndsStr(const String& ASubText, const String& AText);

// Natural ("logical") order, as file managers sort names: runs of decimal digits compare by
// their value ("file9" < "file10"), everything else ignoring case. Texts that differ only in
// letter case or in leading zeros compare equal.
int CompareStrLogical(const String& S1, const String& S2);
// The same on null-terminated texts (nullptr reads as ""), under the platform's name; the
// utilities look it up by that name at start-up.
int StrCmpLogicalW(const Char* psz1, const Char* psz2);
