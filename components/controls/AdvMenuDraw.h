// Drawing primitives of the owner-drawn menus: rectangle and colour helpers, the rotated font of
// the side-bar caption, two-colour gradient painters (plain fill, a section of a larger gradient,
// a framed box, a two-part mirror box, a separator or splitter line) and the renderer of a menu
// background. All are stateless; clNone is never painted.
#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/ui/GdiObjects.h"
#include "framework/ui/Graphics.h"

class TBackground;

// Raised by the indexed colour accessors of the menu appearance objects.
QVD_DECLARE_EXCEPTION(EInvalidPropertyIndex, Exception);

// The menu unit's enumerations; other units declare types of the same names with other members.
namespace advmenu {
// gdVertical: the colour changes from top to bottom; gdHorizontal: from left to right.
enum TGradientDirection { gdVertical, gdHorizontal };
// Which end of a separator or splitter line fades (see MenuGradientLine).
enum TGradientType { gtLeft, gtRight, gtBoth };
}  // namespace advmenu

int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
// Makes R a W x H rectangle on its old centre.
void CenterRectSize(TRect& R, int W, int H);
// (0, 0, Width, Height) of the graphic; the empty rectangle for nullptr.
TRect GraphicBounds(TGraphic* Graphic);
// The colour's bytes after resolving a system colour.
void SplitColor(TColor Color, Byte& Red, Byte& Green, Byte& Blue);
TColor MakeRGBA(Byte Red, Byte Green, Byte Blue, Byte Alpha);
int IntMin(int A, int B);
int IntMax(int A, int B);
// A logical font like Font with its text running at Angle degrees anticlockwise; the caller
// selects it and frees it with DeleteObject.
HFONT CreateRotatedFont(TFont* Font, int Angle);

// Color to ColorTo over R (ColorTo clNone: solid Color). With a bitmap the pixels are written
// into the bitmap (made 32 bits per pixel, the rectangle clipped to it) instead of the canvas.
// The last row or column carries (n - 1)/n of the colour difference, not ColorTo itself.
void MenuGradientFill(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, advmenu::TGradientDirection Direction,
                      TColor Color, TColor ColorTo);
// The part of a gradient over FullRect that lies in ClipRect, so neighbouring items continue one
// gradient.
void MenuGradientSection(TBitmap* Bitmap, TCanvas* Canvas, const TRect& FullRect, const TRect& ClipRect, TColor Color,
                         TColor ColorTo, advmenu::TGradientDirection Direction);
// A gradient (when Fill and Color is not clNone) framed in BorderColor (unless clNone).
void MenuGradientBox(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, bool Fill, TColor BorderColor,
                     advmenu::TGradientDirection Direction, TColor Color, TColor ColorTo);
// As MenuGradientBox; with ColorMirror set, the lower half gets ColorMirror to ColorMirrorTo.
void MenuMirrorGradientBox(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, bool Fill, TColor BorderColor,
                           advmenu::TGradientDirection Direction, TColor Color, TColor ColorTo, TColor ColorMirror,
                           TColor ColorMirrorTo);
// A separator (gdHorizontal) or splitter (gdVertical) line inset by Margin at both ends, fading
// over GradientWidth at the end(s) GradientType names; GradientWidth 0 gives a solid bar.
void MenuGradientLine(TBitmap* Bitmap, TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo,
                      advmenu::TGradientDirection Direction, advmenu::TGradientType GradientType, int GradientWidth,
                      int Margin);
// The background's gradient and picture, inside its margins, through its work bitmap.
void DrawMenuBackground(TCanvas* Canvas, const TRect& R, TBackground* Background, bool AllowGradient);
