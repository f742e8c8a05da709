// AsgHTMLE, text utilities: the grid's own set of the markup text routines. Besides plain text
// and highlighting it converts between plain text and markup by entity coding, so a found word
// in a plain cell can be marked without the cell's "<" and "&" being read as markup. The names
// match the renderer's set (MiniHTML_Utils.h) and live in the unit's namespace.
#pragma once

#include "framework/rtl/Types.h"

namespace AsgHTMLE {

// As the renderer's StripMarkupTags, without removing hidden sections.
String StripMarkupTags(const String& Text);
// As the renderer's RemoveAllTags.
String RemoveAllTags(const String& Text);
// Marks Search in Text with "<TAG>" … "</TAG>" (Tag upper-cased), after removing any such marks.
// A text without "</" is plain: it comes back entity-encoded around the marks (unchanged when
// nothing is found). In markup an entity counts as one character and a closing FONT inside an
// occurrence is followed by "</TAG><TAG>". WholeText marks the whole text only when it equals
// Search. An empty Search marks nothing.
String HighlightMarkupText(const String& Text, const String& Search, const String& Tag, bool CaseSensitive,
                           bool WholeText);
// Removes the marks; a text that held "</" only in them is decoded back to plain text.
String UnhighlightMarkupText(const String& Text, const String& Tag);
// "&lt;", "&gt;", "&amp;", "&quot;" and, with Letters, the 51 letter entities, in one pass that
// never reads its own output. An entity spelled exactly gives its own character; another spelling
// ("&LT;") is replaced only when the exact spelling of a same-named entity occurs at or after it.
String DecodeHtmlEntities(const String& Text, bool Letters);
// Only the 51 letter entities, read as DecodeHtmlEntities reads them.
String ReplaceLetterEntities(const String& Text);
// "&", double quote, "<", ">" and, with Letters, the table's letters as entities.
String EncodeHtmlEntities(const String& Text, bool Letters);
// Every space as "&nbsp;".
String SpacesToNbsp(const String& Text);

}  // namespace AsgHTMLE
