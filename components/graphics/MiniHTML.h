// MiniHTML, layout half: DrawMarkupText lays a markup text (MiniHTML_Markup.h) out in lines
// inside a rectangle of a canvas, draws it, measures it and tells whether a point lies on an
// anchor. Every line is taken twice: a measuring pass decides what fits and how big the line is,
// then a second pass draws exactly that markup at the line's aligned place (or, in hit-test
// mode, lays it out again without drawing). Nothing is kept between calls but the pictures a
// call adds to the caller's picture cache.
#pragma once

#include "components/graphics/MiniHTML_Markup.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

// What one DrawMarkupText call is asked to do; the defaults lay the text out, draw it and test no
// point. The same request serves the grid's variant (AsgHTMLE.h), which reads the fields marked
// "grid" and ignores LineSpacing and the Highlight fields (it has unit-wide highlight colours).
struct TMarkupRequest {
    TCanvas* Canvas = nullptr;  // its font starts the text, its brush colour is the background
    String Text = {};
    TRect DrawRect = {};
    TCustomImageList* Images = nullptr;  // for "IDX:" sources
    int HitX = -1;
    int HitY = -1;
    int FocusIndex = -1;  // anchor with a focus rectangle, from 0; -1 none
    int HoverIndex = -1;  // hovered anchor, from 1; -1 none
    int ShadowOffset = 0;
    bool HitTestOnly = false;  // the second pass lays out again without drawing
    bool MeasureOnly = false;  // only the measuring pass, over the whole text
    bool StretchImages = false;
    bool IgnoreColors = false;
    bool BlinkVisible = true;
    bool HoverOnly = false;  // only the hovered anchor is underlined and hover-coloured
    bool WordWrap = true;    // off: one line up to each line break, cut with an ellipsis
    double ImageScale = 1.0;
    TColor AnchorColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Container = nullptr;
    int LineSpacing = 0;
    TBiDiMode BiDiMode = bdLeftToRight;
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    TFontStyles HighlightStyle = {};
    // Grid: the mouse button is down on the control PressedControlID.
    bool PressedDown = false;
    String PressedControlID = {};
    // Grid, hit-test mode: a control to locate wherever the point is.
    String ControlID = {};
    // Grid: the window whose theme data the embedded controls are drawn with.
    HWND ThemeWindow = nullptr;
};

// What the call tells. AnchorHref and HitAnchorRect are written only when an anchor is found at
// the point, so they keep what the caller put in.
struct TMarkupResult {
    // The point lies on an anchor (grid: or a control). Reliable for text anchors only with
    // HitTestOnly: a painting call tests text anchors in its measuring passes, so there only
    // anchor images (and controls) make it true; the other outputs are filled either way.
    bool OnAnchor = false;
    String AnchorHref;   // grid: "ctrl" when the point is on a control
    String PlainText;    // the text runs, a carriage return for each BR
    String AnchorTitle;  // standard engine: the focused anchor's HREF while drawing
    String FocusHref;    // grid: the focused anchor's HREF
    int MeasuredWidth = 0;
    int MeasuredHeight = 0;
    int AnchorCount = 0;
    int HitAnchor = -1;  // from 1
    TRect HitAnchorRect;
    // Grid: the control at the point (ControlRect empty when none).
    TRect ControlRect;
    String ControlID, ControlValue, ControlType;
};

// Lays Request.Text out in lines inside DrawRect, draws it, measures it and hit-tests the point.
// The canvas's font and brush come back as they were given, but for the font colour that the last
// A or FONT COLOR tag copied into the base font. Raises nothing: a bad picture, index or number
// draws nothing and takes no room.
bool DrawMarkupText(const TMarkupRequest& Request, TMarkupResult& Result);
inline TMarkupResult DrawMarkupText(const TMarkupRequest& Request) {
    TMarkupResult Result;
    DrawMarkupText(Request, Result);
    return Result;
}

// The same call with its arguments in a row.
bool DrawMarkupText(TCanvas* Canvas, const String& Text, const TRect& DrawRect, TCustomImageList* Images, int HitX,
                    int HitY, int FocusIndex, int HoverIndex, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                    bool StretchImages, bool IgnoreColors, bool BlinkVisible, bool HoverOnly, bool WordWrap,
                    double ImageScale, TColor AnchorColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                    String& AnchorHref, String& PlainText, String& AnchorTitle, int& MeasuredWidth, int& MeasuredHeight,
                    int& AnchorCount, int& HitAnchor, TRect& HitAnchorRect, THTMLPictureCache* PictureCache,
                    TPictureContainer* Container, int LineSpacing, TBiDiMode BiDiMode, TColor HighlightColor,
                    TColor HighlightTextColor, TFontStyles HighlightStyle);

// ---- Drawing routines of the renderer ----

// Copies the bitmap onto the canvas, stretched into Rect (straight copy, no transparency).
void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap);
// True for an existing folder.
bool IsDirectory(const String& Path);
// A shell icon: Source is an index into the desktop's file-icon list or a path (existing or
// not) whose type gives the icon. Size is the list's icon size. With Draw, the icon is drawn at
// (X, Y), in its own size or, with Stretch, scaled by Scale.
void DrawShellIcon(TCanvas* Canvas, int X, int Y, const String& Source, bool Large, bool Draw, bool Stretch,
                   double Scale, TSize& Size);
// Fills Rect with Bands bands (0 counts as 1) from FromColor to ToColor, left to right when
// Horizontal, else top to bottom; a BorderColor other than clNone outlines Rect.
void FillGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect, int Bands,
                       TColor BorderColor);
// Right-to-left adjustments of DrawText flags; they apply only on a system with a Middle-East
// locale, which this platform never reports, so Flags come back unchanged.
UINT BidiTextFlags(UINT Flags, TBiDiMode BiDiMode);
