// AdvUtil, exchange part: the encodings the grid uses to write and read cells as CSV and other
// delimited text, to put HTML on the clipboard, to keep multi-line and wide texts in single-line
// and single-byte places, and to turn an address in a text into a link. Line breaks are CR LF.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/Graphics.h"

// ---- Line breaks and CSV ----

// CR LF -> #11, then the whole text in double quotes (inner quotes are left as they are).
void QuoteCsvField(String& S);
// #11 -> CR LF.
void VTToCRLF(String& S);
// CR LF -> LF; lone CRs stay.
void RemoveCRFromCRLF(String& S);
// CR -> "~", LF dropped.
void LineBreaksToTilde(String& S);
// "~" -> CR LF; a text that is exactly "^" becomes empty.
void TildeToLineBreaks(String& S);
// CR -> backslash "n", LF dropped; the inverse gives a lone CR for each.
String EscapeLineBreaks(const String& S);
String UnescapeLineBreaks(const String& S);
// CR -> "<br>" (LFs stay).
String LineBreaksToHtml(const String& S);
// A text with a CR: CR -> #9, LF -> #8, #0 -> #1; anything else unchanged.
String EncodeLineBreaks(const String& S);
// A text with a #8: the inverse; without MultiLine only the first line. Anything else unchanged.
String DecodeLineBreaks(const String& S, bool MultiLine);
// The OEM code-page steps of the CSV writer and reader: texts stay as they are.
void ConvertToOem(String& S);
void ConvertFromOem(String& S);

// ---- Wide text in single-byte storage ----

// "|\" then each character as its high byte and its low byte.
String EncodeWideText(const String& WS);
// The inverse for a text starting with "|\" (an odd last character ignored); S itself otherwise.
String DecodeWideText(const String& S);

// ---- HTML ----

// "RRGGBB" of the colour's low 24 bits, upper case; system colours are not resolved.
String ColorToHtmlHex(TColor Color);
// Wraps the fragment in the clipboard's HTML format: a header with the document and fragment
// offsets, counted in characters (equal to bytes when every character fits one byte).
void BuildClipboardHtml(String& S);
// Links the first address starting with Prefix (upper case) in Text, after "<" and ">" are
// escaped. False, Dest untouched, when Prefix does not occur.
bool LinkifyText(const String& Text, const String& Prefix, String& Dest);
