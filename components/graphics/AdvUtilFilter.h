// AdvUtil, filter part: matches one cell text against a condition typed by the user.
//
// A condition is clauses joined by "&" (and), "|", ";" or "^" (or), applied strictly from left
// to right, with parenthesised groups. A clause compares (">", ">=", "<", "<=", combined with "&"
// or "^"), negates ("!") or is a wildcard pattern ("*", "?", double quotes for literal text).
// Numbers and dates compare by value, with the locale separators. "Outside double quotes" means
// after an even number of double-quote characters.
#pragma once

#include "components/graphics/AdvUtilText.h"

bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive);
// One clause; "" (two double quotes) matches the empty value only. Without CaseSensitive both
// sides are upper-cased first.
bool MatchFilterClause(const String& Clause, const String& Value, bool CaseSensitive);
// One clause, case compared exactly. nullptr reads as "". Time grows with the product of the two
// lengths, whatever the number of "*".
bool MatchPattern(const Char* Pattern, const Char* Value);
bool MatchPattern(const String& Pattern, const String& Value);

// S without the spaces that lie outside double quotes.
String RemoveSpacesOutsideQuotes(const String& S);
// The first character of S outside double quotes that is one of Operators: its position, with
// the character in Op; 0 (Op untouched) when there is none.
int FindFilterOperator(const String& S, const TCharSet& Operators, Char& Op);
// S starts with "(": the position of the ")" that closes it (quotes not considered); 0 when S
// does not start with "(" or the "(" is never closed.
int FindClosingParenthesis(const String& S);
// The first Ch in the null-terminated S outside double quotes; 0 when none.
int FindCharOutsideQuotes(Char Ch, const Char* S);
