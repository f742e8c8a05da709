// Logical fonts, pens and brushes as handles: CreateFontIndirect, GetObject, SelectObject and
// DeleteObject; regions with SelectClipRgn. A device context holds the selected objects as values, so deleting a handle
// never leaves a context drawing with freed data; SelectObject returns a handle to what was
// selected before, which selecting again restores.
#pragma once

#include "framework/ui/Graphics.h"

#include <cstdint>

using LONG = std::int32_t;
using WCHAR = char16_t;

inline constexpr int LF_FACESIZE = 32;

// Weights
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_EXTRALIGHT = 200;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_EXTRABOLD = 800;
inline constexpr LONG FW_HEAVY = 900;

// Output and clip precision (accepted, not used)
inline constexpr Byte OUT_DEFAULT_PRECIS = 0;
inline constexpr Byte OUT_TT_PRECIS = 4;
inline constexpr Byte OUT_TT_ONLY_PRECIS = 7;
inline constexpr Byte CLIP_DEFAULT_PRECIS = 0;

// Quality
inline constexpr Byte DEFAULT_QUALITY = 0;
inline constexpr Byte DRAFT_QUALITY = 1;
inline constexpr Byte PROOF_QUALITY = 2;
inline constexpr Byte NONANTIALIASED_QUALITY = 3;
inline constexpr Byte ANTIALIASED_QUALITY = 4;
inline constexpr Byte CLEARTYPE_QUALITY = 5;
inline constexpr Byte CLEARTYPE_NATURAL_QUALITY = 6;

// Pitch (low bits of lfPitchAndFamily) and family
inline constexpr Byte DEFAULT_PITCH = 0;
inline constexpr Byte FIXED_PITCH = 1;
inline constexpr Byte VARIABLE_PITCH = 2;
inline constexpr Byte FF_DONTCARE = 0x00;
inline constexpr Byte FF_ROMAN = 0x10;
inline constexpr Byte FF_SWISS = 0x20;
inline constexpr Byte FF_MODERN = 0x30;

// A logical font. Negative lfHeight: character height in pixels; positive: cell height;
// 0: the default size. lfEscapement: tenths of a degree anticlockwise, the angle text runs at.
struct LOGFONTW {
    LONG lfHeight = 0;
    LONG lfWidth = 0;  // average character width; 0 keeps the face's own proportions
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_DONTCARE;
    Byte lfItalic = 0;
    Byte lfUnderline = 0;
    Byte lfStrikeOut = 0;
    Byte lfCharSet = DEFAULT_CHARSET;
    Byte lfOutPrecision = OUT_DEFAULT_PRECIS;
    Byte lfClipPrecision = CLIP_DEFAULT_PRECIS;
    Byte lfQuality = DEFAULT_QUALITY;
    Byte lfPitchAndFamily = DEFAULT_PITCH;
    WCHAR lfFaceName[LF_FACESIZE] = {};  // zero-terminated
};
using LOGFONT = LOGFONTW;
using TLogFont = LOGFONTW;

// The face name as a String, and setting it (cut to LF_FACESIZE - 1 characters).
String LogFontFaceName(const LOGFONTW& LogFont);
void SetLogFontFaceName(LOGFONTW& LogFont, const String& Face);

// The logical font a TFont describes (escapement and orientation from its Orientation), and back.
LOGFONTW LogFontOf(const TFont& Font);
void AssignLogFont(TFont& Font, const LOGFONTW& LogFont);

// nullptr when LogFont is nullptr. Free with DeleteObject.
HFONT CreateFontIndirect(const LOGFONTW* LogFont);
inline HFONT CreateFontIndirectW(const LOGFONTW* LogFont) { return CreateFontIndirect(LogFont); }

// Pen styles
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

// Free with DeleteObject.
HPEN CreatePen(int Style, int Width, COLORREF Color);
HBRUSH CreateSolidBrush(COLORREF Color);
// A brush that paints nothing (the hollow brush).
HBRUSH CreateHollowBrush();

// Copies the font's record into Buffer; returns the bytes written, 0 for a bad handle or a
// buffer smaller than a LOGFONTW. With Buffer nullptr returns the size needed.
int GetObject(HFONT Font, int Size, LOGFONTW* Buffer);
inline int GetObjectW(HFONT Font, int Size, LOGFONTW* Buffer) { return GetObject(Font, Size, Buffer); }

// Selects the object into the context and returns a handle to the one it replaces (nullptr
// when DC or the object is not valid). The returned handle stays valid until the context is
// deleted or it is passed to DeleteObject.
HFONT SelectObject(HDC DC, HFONT Font);
HPEN SelectObject(HDC DC, HPEN Pen);
HBRUSH SelectObject(HDC DC, HBRUSH Brush);

// Frees the handle; 0 for a handle that is not (or no longer) valid.
BOOL DeleteObject(HFONT Font);
BOOL DeleteObject(HPEN Pen);
BOOL DeleteObject(HBRUSH Brush);

// The font selected into the context.
HFONT GetCurrentFont(HDC DC);

// ---------------------------------------------------------------------------------------------
// Regions: sets of pixels. A clip region is in device units: the context's origins do not move
// it. Rectangles exclude their right and bottom edges; reversed corners are swapped.

// CombineRgn modes
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;
// Polygon fill modes
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

// Free each with DeleteObject.
HRGN CreateRectRgn(int X1, int Y1, int X2, int Y2);
HRGN CreateRectRgnIndirect(const TRect& Rect);
// A rectangle whose corners are quarters of a CornerWidth x CornerHeight ellipse.
HRGN CreateRoundRectRgn(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight);
// The ellipse inscribed in the rectangle.
HRGN CreateEllipticRgn(int X1, int Y1, int X2, int Y2);
HRGN CreateEllipticRgnIndirect(const TRect& Rect);
// nullptr for fewer than three points.
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);

// Dest := Src1 combined with Src2 (RGN_COPY: Src1 alone); Dest may be one of the sources.
// Returns the kind of the result (NULLREGION, SIMPLEREGION, COMPLEXREGION), RGN_ERROR for a bad
// handle or mode.
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
BOOL PtInRegion(HRGN Rgn, int X, int Y);
// The smallest rectangle holding the region; returns the region's kind.
int GetRgnBox(HRGN Rgn, TRect* Rect);
// A copy of the region becomes the context's clip; nullptr removes the clip. Returns the kind of
// the new clip, RGN_ERROR for a bad context or region.
int SelectClipRgn(HDC DC, HRGN Rgn);
BOOL DeleteObject(HRGN Rgn);
