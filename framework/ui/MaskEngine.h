// The edit-mask engine of the masked edit: reads a mask, fits a text into it, tells which
// characters a position takes, and checks a text against it. No window here.
//
// A mask has up to three fields separated by ";": the pattern, whether the literals are kept in
// the text ("0": no; anything else, or no field: yes) and the character shown in an empty
// position (default "_"). In the pattern:
//   0 a digit          9 a digit or nothing       # a digit, "+", "-" or nothing
//   L a letter         l a letter or nothing      A a letter or digit   a the same or nothing
//   C any character    c any character or nothing
//   > upper-cases what follows, < lower-cases it, <> ends either; \ makes the next one literal
//   ! a text shorter than the positions fills the last ones (leading blanks) instead of the first
//   anything else is a literal, shown as it is (":" and "/" as the locale's time and date separators)
#pragma once

#include "framework/rtl/Types.h"

#include <vector>

enum class TMaskCharClass { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, AnyChar };
enum class TMaskCase { None, Upper, Lower };

// One position of the edit text.
struct TMaskSlot {
    TMaskCharClass Class = TMaskCharClass::Literal;
    bool Required = false;
    TMaskCase Case = TMaskCase::None;
    Char Literal;  // what a literal position shows
};

struct TEditMaskInfo {
    std::vector<TMaskSlot> Slots;
    bool SaveLiterals = true;
    Char Blank = u'_';
    bool LeadingBlanks = false;  // "!"
    bool Empty() const { return Slots.empty(); }
    int Length() const { return static_cast<int>(Slots.size()); }
    bool IsInput(int Position) const;
};

// Reads a mask; an empty mask gives no positions (the text is free).
TEditMaskInfo ParseEditMask(const String& Mask);

// Whether position Slot takes Ch, and the character it keeps (cased as the mask says).
bool MaskAcceptsChar(const TMaskSlot& Slot, Char Ch, Char& Stored);

// The edit text of Value: literals in place, Value's characters in the input positions (a blank
// or a character the position refuses leaves it empty). Value holds the literals when it is as
// long as the mask and has them in place (or when the mask saves them); otherwise it holds only
// the input characters, placed from the first or, with "!", up to the last position.
String FormatMaskText(const TEditMaskInfo& Mask, const String& Value);
// The text of an edit text: with the literals kept, the edit text with blanks for empty
// positions; without them, the input characters only, the empty positions at the blank side
// dropped.
String MaskedTextOf(const TEditMaskInfo& Mask, const String& EditText);
// True when every required position holds a character it takes and every other input position
// is empty or takes its character; ErrorPos is then -1, else the first bad position.
bool ValidateMaskText(const TEditMaskInfo& Mask, const String& EditText, int& ErrorPos);

// The first input position at or after Position (forward) or before it (backward); -1 when none.
int NextInputPosition(const TEditMaskInfo& Mask, int Position);
int PreviousInputPosition(const TEditMaskInfo& Mask, int Position);
