// MiniHTML, text utilities: plain text out of markup, finding text in it, and marking or unmarking
// the occurrences of a search text with a tag pair (the labels mark found text with HI). Stateless;
// positions are 1-based, 0 = not found; case-insensitive tag matching folds ASCII letters only.
#pragma once

#include "framework/rtl/Types.h"

// The plain text: "<BR>" and "<HR>" (any case) become CR LF, hidden "<z>…</z>" and "<Z>…</Z>"
// sections go (one without its closer stays as text), then every tag "<" … ">". A "<" without a
// ">" after it stays, with the rest of the text.
String StripMarkupTags(const String& Text);
// Text without its tags; stops at the first "<" that no later ">" closes (or whose first ">"
// comes before it) and keeps the rest as it is.
String RemoveAllTags(const String& Text);
// The position in Text just after its (N - 1)-th visible character, before any tag that follows
// it; Length + 1 when the text ends with N - 1 visible characters, 0 when it has fewer. Tags,
// "<" through ">", are invisible.
int VisibleToStringPos(const String& Text, int N);
// Position of the first Search in S after its first From characters; case-insensitive search
// upper-cases both with the locale's rules (one character to one). Also stored in Position.
int FindTextFrom(const String& Search, const String& S, int From, bool CaseSensitive, int& Position);
// Every occurrence of Search in the visible text wrapped in "<Tag>" … "</Tag>". Entities count as
// the characters they are written with. An empty Search changes nothing.
String HighlightMarkupText(const String& Text, const String& Search, const String& Tag, bool CaseSensitive);
// Text without any "<Tag>" or "</Tag>" in any case.
String UnhighlightMarkupText(const String& Text, const String& Tag);

namespace minihtml_detail {
// StripMarkupTags with or without the hidden-section step; the grid's set strips without it.
String stripTags(const String& Text, bool RemoveHidden);
}  // namespace minihtml_detail
