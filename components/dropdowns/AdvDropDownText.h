// The drop-down unit's text routines: how a typed text reads as a number, thousand separators,
// hexadecimal values, range separators and case matching. The locale's separators are read at
// every call.
#pragma once

#include "framework/rtl/Types.h"

// 0 an integer (digits and "-"), 1 a decimal number (digits, "-", ",", "." and the locale's
// separators, thousand separators at least three apart and not first), 5 hexadecimal digits but
// no integer, 2 anything else: also more than one "-" or decimal separator, and the empty text.
int ClassifyNumber(const String& S);
// S without the locale's thousand separators.
String RemoveThousandSeparators(const String& S);
// "0"-"9", "A"-"F" and "a"-"f" as 0-15; any other character 0. The edit's value unit defines it,
// once for both units.
int HexDigitValue(Char C);
// The digit values times powers of 16 from the right (others count as 0); wraps past 32 bits.
int HexToInt(const String& S);
// ",", "-" and ";" separate the parts of a range text ("1-3,5").
bool IsRangeSeparator(Char C);
// Text itself when MatchCase, else upper-cased with the locale's mapping.
String ApplyMatchCase(const String& Text, bool MatchCase);
