// MiniHTML, markup half: how the renderer reads its tagged text. Tag recognition, attribute
// values, numbers, colours and the two entity stages. No drawing here; the layout engine
// (MiniHTML.h) calls these while it walks a line. Positions are 1-based, 0 = not found; every
// routine takes any text, short or malformed, without reading outside it.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/Graphics.h"

#include <span>

// ---- Reader routines ----

struct TMarkupColorName {
    const char* Name;  // lower case, with the "cl" prefix
    TColor Color;
};
// The 40-name colour table.
std::span<const TMarkupColorName> MarkupColorNames();
// Colour of a lower-case name of the 40-name table; black (0) for any other name.
TColor ParseColorName(const String& Name);
// "#RRGGBB" (upper-case digits) as red + green * 256 + blue * 65536; missing pairs read as 0.
TColor ParseHexColor(const String& Text);
// 16 * d1 + d2 of the first two characters (c - 55 from "A" on, c - 48 below); 0 when shorter.
int HexByteValue(const String& Text);
// The number a Val scan reads up to the first character it cannot take: blanks, sign, decimal
// digits, or hexadecimal after "$", "x", "X" or "0x". 0 when no digit was read. Decimal values
// saturate at the Integer range; hexadecimal ones keep their low 32 bits.
int ValInteger(const String& Text);
// The whole text must be a number (as Val without an error position); Value untouched otherwise.
bool TryValInteger(const String& Text, int& Value);
// Both texts upper-cased (ASCII letters only).
int PosIgnoreCase(const String& SubStr, const String& S);
// Case-sensitive; the result is also stored in Position.
int PosOut(const String& SubStr, const String& S, int& Position);
// The first occurrence found by PosIgnoreCase; true when one was replaced.
bool ReplaceFirstIgnoreCase(const String& Find, const String& ReplaceWith, String& S);
// "<#name>" becomes the text "#name": each "<#" loses its "<" and the first ">" after it.
String UnwrapHashTags(const String& S);
// Line feeds dropped; carriage returns become "<BR>" when Flag, else dropped.
String LineBreaksToBR(const String& S, bool Flag);

// ---- Entities ----

// Whole-text stage, before layout: "&amp;" (any letter case) becomes "&&", "&quot;" a double quote,
// and "&sect;", "&permil;", "&reg;", "&copy;", "&para;", "&trade;", "&euro;" their signs, until
// none is left (an "&amp;" that uncovers another entity lets that one be replaced too).
String ReplaceTextEntities(const String& Text);
// Per-run stage, just before a run is measured or drawn: "&nbsp;", then "&lt;", then "&gt;". Each
// is replaced only while the run holds it in lower case, but at its first occurrence in any case.
String ReplaceRunEntities(const String& Run);
// A text holding " & " is drawn without "&" prefix processing.
bool MarkupDisablesPrefix(const String& Text);

// ---- Tags ----

// What a tag does, opening or closing. For closing tags: Blink stands for every "</B…" other
// than "</B>" (font colour back to the base colour), Subscript ends sub- and superscript, Offset
// is exactly "</O>" and OrderedList any other "</O…", Underline is exactly "</U>" and
// UnorderedList any other "</U…", Strike is "</ST…" or any other "</S…" not listed.
enum class TMarkupTagKind {
    Dropped,  // the remaining text is "<" plus at most one character: it is dropped
    Unknown,  // no effect; removed through its ">"
    Anchor,
    Bold,
    LineBreak,
    Blink,
    Body,
    Error,
    Font,
    Highlight,
    HorzRule,
    Italic,
    Indent,
    Image,
    ListItem,
    OrderedList,
    Offset,
    Paragraph,
    Rotate,
    Strike,
    Shadow,
    Span,
    Subscript,
    Superscript,
    Underline,
    UnorderedList,
    Hidden,
    Control,  // "<C…": an embedded control; only the grid's variant draws it
};

struct TMarkupTag {
    TMarkupTagKind Kind = TMarkupTagKind::Dropped;
    bool Closing = false;
    // 1-based position of the first ">" in the remaining text; 0 when it holds none, and then the
    // whole remaining text goes with the tag.
    int EndPos = 0;
    // "<" through ">" (the whole remaining text when there is no ">").
    String Text;
    bool HasEnd() const { return EndPos > 0; }
    // Characters the tag takes from the remaining text.
    int Length() const { return HasEnd() ? EndPos : static_cast<int>(Text.size()); }
};

// Reads the tag at the start of Rest, which begins with "<".
TMarkupTag ScanMarkupTag(const String& Rest);

// ---- Attributes ----

// The attribute part of an opening tag: from the tag's fixed character on (counted from "<": the
// 3rd for A, IMG, IND, LI, OF, P and R tags, the 4th for HR, the 6th for BODY, FONT and SPAN), up
// to before ">". Written with their full names, these start at the blank after the name.
String MarkupAttributeText(const TMarkupTag& Tag);
// Whether Name (upper case) occurs anywhere in the upper-cased attribute text.
bool HasMarkupAttribute(const String& AttrText, const String& Name);
// The value of Name (upper case): between the first double quote after its first occurrence and
// the next double quote; "" without them. Upper case unless KeepCase.
String MarkupAttribute(const String& AttrText, const String& Name, bool KeepCase = false);
// The single-letter attributes "x" (IND, OF) and "a" (R): the first such letter in either case,
// its value between the first pair of double quotes after it.
String MarkupLetterAttribute(const String& AttrText, Char Letter);
// A colour value: "#RRGGBB" in either case, else a colour name in either case. False (Color
// untouched) when Value is empty, so the attribute's default applies.
bool ParseMarkupColor(const String& Value, TColor& Color);

// FONT SIZE steps: 1..5 add 1, 2, 4, 6, 8 points to BaseSize; any other N is the size itself.
int FontSizeStep(int BaseSize, int N);
// The grid's FONT SIZE steps are absolute: 1..5 give 8, 10, 12, 14, 16 points; any other N is the size.
int AbsoluteFontSizeStep(int N);
// FONT STYLE: a value holding "FONT-SIZE:" and then "PT" gives the points between its first 10
// characters and "PT". False otherwise.
bool ReadFontStyleSize(const String& StyleValue, int& Size);
// SPAN STYLE: "BACKGROUND-COLOR:" with "#RRGGBB" right after its first 17 characters.
bool ReadSpanBackground(const String& StyleValue, TColor& Color);
// P ALIGN (0 left, 1 right, 2 centre): RIGHT, then LEFT, then CENTER, the last match wins;
// Current when none matches.
int ParseParagraphAlign(const String& Value, int Current);

// ---- Image sources ----

enum class TImageSourceKind {
    None,        // matches no form (a drive-letter path, "IDX:" without an image...)
    ImageList,   // "IDX:n"
    SmallShell,  // "SSYS:x"
    LargeShell,  // "LSYS:x"
    Container,   // a name without ":"
    Url,         // holds "://"
};

struct TImageSource {
    TImageSourceKind Kind = TImageSourceKind::None;
    int Index = 0;  // ImageList: ValInteger of what follows "IDX:"
    String Value;   // shell source after its prefix, container name or URL, as written
};

TImageSource ParseImageSource(const String& Src);
