// Unicode character properties and text folding: the general category of a UTF-16 unit, the
// usual Is... tests built on it, and FoldString's mapping between composed and decomposed forms.
#pragma once

#include "framework/rtl/Types.h"

enum TUnicodeCategory {
    ucControl,
    ucFormat,
    ucUnassigned,
    ucPrivateUse,
    ucSurrogate,
    ucLowercaseLetter,
    ucModifierLetter,
    ucOtherLetter,
    ucTitlecaseLetter,
    ucUppercaseLetter,
    ucCombiningMark,
    ucEnclosingMark,
    ucNonSpacingMark,
    ucDecimalNumber,
    ucLetterNumber,
    ucOtherNumber,
    ucConnectPunctuation,
    ucDashPunctuation,
    ucClosePunctuation,
    ucFinalPunctuation,
    ucInitialPunctuation,
    ucOtherPunctuation,
    ucOpenPunctuation,
    ucCurrencySymbol,
    ucModifierSymbol,
    ucMathSymbol,
    ucOtherSymbol,
    ucLineSeparator,
    ucParagraphSeparator,
    ucSpaceSeparator,
};

// The category of one UTF-16 unit; a lone half of a surrogate pair is ucSurrogate.
TUnicodeCategory GetUnicodeCategory(Char C);
// The category of the character at Index (1-based); a surrogate pair there counts as one character.
TUnicodeCategory GetUnicodeCategory(const String& S, int Index);

bool IsLetter(Char C);
// Decimal digits of any script (category Nd).
bool IsDigit(Char C);
// Decimal digits, letter numbers and other numbers (Nd, Nl, No): "²", "½", "Ⅻ".
bool IsNumber(Char C);
bool IsLetterOrDigit(Char C);
bool IsUpper(Char C);
bool IsLower(Char C);
bool IsPunctuation(Char C);
bool IsSymbol(Char C);
bool IsSeparator(Char C);
bool IsControl(Char C);
// Separators and the control characters TAB, LF, VT, FF, CR, U+0085.
bool IsWhiteSpace(Char C);

// One unit to one unit (a character whose case form needs two units stays as it is).
Char ToUpper(Char C);
Char ToLower(Char C);

// FoldString's mapping flags.
inline constexpr DWORD MAP_FOLDCZONE = 0x00000010;
inline constexpr DWORD MAP_PRECOMPOSED = 0x00000020;
inline constexpr DWORD MAP_COMPOSITE = 0x00000040;
inline constexpr DWORD MAP_FOLDDIGITS = 0x00000080;

// MAP_COMPOSITE splits every accented character into its base and combining marks (canonical
// decomposition, "é" -> "e" + U+0301); MAP_PRECOMPOSED joins them again; MAP_FOLDDIGITS turns
// decimal digits of any script into "0".."9"; MAP_FOLDCZONE maps compatibility characters to their
// ordinary forms ("ﬁ" -> "fi", full-width "Ａ" -> "A"). Flags may be combined, except
// MAP_COMPOSITE with MAP_PRECOMPOSED; that pair, no flag or an unknown flag raise
// EArgumentException. The result may be longer or shorter than S.
String FoldString(const String& S, DWORD MapFlags);
