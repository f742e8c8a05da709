// The drop-down unit's small drawing and measuring routines: gradients, colour blending and
// darkening, button faces, transparent bitmaps, text measuring and shortening, markup captions and
// the screen's scale factor. The popup, its header, footer and buttons, the item selector, the
// pickers and the grid call them; they keep no state.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "framework/ui/Graphics.h"

class TCustomImageList;

// Steps bands (0 counts as 1) from FromColor to ToColor across R, neighbouring bands overlapping
// by one pixel; system colours are resolved first.
void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps);
// Percent of Color1 and the rest of Color2, per channel, halves rounded to even; 100 or more gives
// Color1, 0 or less Color2.
TColor BlendColor(TColor Color1, TColor Color2, int Percent);
// Per channel: 0 becomes max(P, 0); any other value is scaled by min(P + 100, 100) / 100.
TColor DarkenColor(TColor Color, int PercentR, int PercentG, int PercentB);
// An 80-step gradient (or a solid fill of Color when ColorTo is clNone), then a frame of
// BorderWidth in BorderColor unless clNone. Nothing without a canvas.
void DrawButtonBackground(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                          int BorderWidth, advdropdown::TGradientDirection Direction);
// The image at 4 pixels from the left, vertically centred, then the caption on one line with an
// end ellipsis after it (centred when there is no image). Nothing without a canvas.
void DrawButtonContent(TCanvas* Canvas, TRect R, const String& Caption, TCustomImageList* Images, int ImageIndex);
// Copies Bitmap into R with the colour of its top-left pixel replaced by Color.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R);
// The size of Text on one line with the canvas's font; 0 x 0 for an empty text.
TSize GetTextSize(TCanvas* Canvas, const String& Text);
// Text cut from its end (with "..." when AddEllipsis) until it is narrower than MaxWidth; the
// whole text when it fits or never does.
void ShortenText(TCanvas* Canvas, const String& Text, int MaxWidth, String& Result, bool AddEllipsis);
// Lays out markup Text in R with the grid's renderer, drawing it when Draw is set, and gives its
// size; 0 x 0 and nothing drawn for an empty text.
void DrawMarkupCaption(TCanvas* Canvas, const String& Text, const TRect& R, TCustomImageList* Images, bool Draw,
                       HWND Handle, TSize& Size);
// 1 at 96 pixels per inch, else how much taller a 9-point "0" is on the screen than at 96.
double GetDPIScale();
// The height of "0" in a Size-point font at PixelsPerInch.
int GetFontTextHeight(int PixelsPerInch, int Size);
