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

// Returns true when (HitX, HitY) lies on an anchor. Reliable for text anchors only with
// HitTestOnly: a painting call tests text anchors in its measuring passes, so there only anchor
// images make the result true (HitAnchor, HitAnchorRect, AnchorHref and AnchorTitle are filled
// either way). FocusIndex counts anchors from 0 (-1 none), HoverIndex from 1 (-1 none).
// AnchorHref is written only when an anchor is found; the canvas's font and brush come back as
// they were given, but for the font colour that the last A or FONT COLOR tag copied into the
// base font. Raises nothing: a bad picture, index or number draws nothing and takes no room.
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
