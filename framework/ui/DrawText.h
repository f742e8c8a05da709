// Text output with the platform's rules: DrawText/DrawTextEx with their DT_ flags, TextOut and
// ExtTextOut, text metrics and extents. Measuring and drawing share one layout, so a rectangle
// measured with DT_CALCRECT is exactly the one the same call draws into.
//
// Lines break at CR, LF or CR LF (unless DT_SINGLELINE); with DT_WORDBREAK also at blanks,
// dropping the blanks at the break; a word wider than the line stands alone on its line and
// is split between characters only with DT_EDITCONTROL. Ellipses (DT_END_ELLIPSIS,
// DT_WORD_ELLIPSIS: "..." at the end; DT_PATH_ELLIPSIS: in the folder part) shorten each line
// that is too wide; with DT_WORDBREAK and DT_END_ELLIPSIS the last whole line that fits the
// rectangle's height ends in "..." when more text follows, and DT_EDITCONTROL drops a partly
// visible last line. DT_PREFIXONLY draws only the underlines; DT_INTERNAL and
// DT_NOFULLWIDTHCHARBREAK change nothing here.
// "&" underlines the next character and "&&" is one "&", unless DT_NOPREFIX. Tabs (with
// DT_EXPANDTABS) advance to the next multiple of 8 average character widths (DT_TABSTOP: the
// high byte of Format holds the number of characters). In opaque background mode the text's
// cells are filled with the context's background colour first. The font's escapement turns
// the whole block about the rectangle's top-left corner. Without DT_EXPANDTABS a tab takes
// no room and draws nothing.
#pragma once

#include "framework/ui/GdiObjects.h"

inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_TABSTOP = 0x00000080;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_EXTERNALLEADING = 0x00000200;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_INTERNAL = 0x00001000;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;
inline constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;      // tab stops every iTabLength average character widths (0: 8)
    int iLeftMargin = 0;     // pixels
    int iRightMargin = 0;    // pixels
    UINT uiLengthDrawn = 0;  // out: characters processed, line ends included
};
using TDrawTextParams = DRAWTEXTPARAMS;

// Draws (or with DT_CALCRECT measures) the first Count characters of Text (-1: all) in Rect.
// Returns the height of the text (with DT_SINGLELINE and DT_VCENTER or DT_BOTTOM: the offset
// from Rect's top to the text's bottom), 0 when DC or Params is not valid. DT_CALCRECT draws
// nothing and sets Rect's right to its left + the widest line (margins included; wrapping
// uses Rect's width) and its bottom to its top + the text's height. Ellipses apply when
// measuring too, so a shortened text measures at most the rectangle's width. Text is
// clipped to Rect unless DT_NOCLIP. An empty text is one empty line.
int DrawText(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format);
int DrawTextEx(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params);
// As above; with DT_MODIFYSTRING and an ellipsis, Text becomes the text as drawn.
int DrawText(HDC DC, String& Text, int Count, TRect& Rect, UINT Format);
int DrawTextEx(HDC DC, String& Text, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params);
inline int DrawTextW(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format) {
    return DrawText(DC, Text, Count, Rect, Format);
}
inline int DrawTextExW(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params) {
    return DrawTextEx(DC, Text, Count, Rect, Format, Params);
}

struct TEXTMETRICW {
    LONG tmHeight = 0;  // ascent + descent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;  // tmHeight - the character height (em)
    LONG tmExternalLeading = 0;  // space the face asks for between lines
    LONG tmAveCharWidth = 0;     // width of "x"
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    WCHAR tmFirstChar = 0x20;
    WCHAR tmLastChar = 0xFFFC;
    WCHAR tmDefaultChar = 0x1F;
    WCHAR tmBreakChar = 0x20;
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;  // bit 0 set for a variable-pitch face, as the platform has it
    Byte tmCharSet = DEFAULT_CHARSET;
};
using TEXTMETRIC = TEXTMETRICW;
using TTextMetric = TEXTMETRICW;

BOOL GetTextMetrics(HDC DC, TEXTMETRICW* Metrics);
inline BOOL GetTextMetricsW(HDC DC, TEXTMETRICW* Metrics) { return GetTextMetrics(DC, Metrics); }
// Width and cell height of the first Count characters (-1: all), as TextOut draws them.
BOOL GetTextExtentPoint32(HDC DC, const String& Text, int Count, TSize* Size);
inline BOOL GetTextExtentPoint32W(HDC DC, const String& Text, int Count, TSize* Size) {
    return GetTextExtentPoint32(DC, Text, Count, Size);
}

// Text alignment of TextOut/ExtTextOut: which point of the text (X, Y) names.
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;
UINT SetTextAlign(HDC DC, UINT Align);
UINT GetTextAlign(HDC DC);

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
inline constexpr UINT ETO_RTLREADING = 0x0080;

// One line of text at (X, Y), no prefix or tab handling. Opaque background mode fills the
// text's cell; ETO_OPAQUE fills Rect instead; ETO_CLIPPED clips to Rect. Dx, when given, holds
// the advance of each character.
BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const String& Text, int Count, const int* Dx);
inline BOOL ExtTextOutW(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const String& Text, int Count,
                        const int* Dx) {
    return ExtTextOut(DC, X, Y, Options, Rect, Text, Count, Dx);
}
BOOL TextOut(HDC DC, int X, int Y, const String& Text, int Count);
inline BOOL TextOutW(HDC DC, int X, int Y, const String& Text, int Count) { return TextOut(DC, X, Y, Text, Count); }
