// Drawing utilities of the shared utility unit: gradients, the mirrored-gradient background,
// the glossy selection frame, drop-down, push and spin buttons in four looks, the error
// underline, the range indicator, small shapes, transparent bitmaps, colour interpolation and
// the late-bound layered-window calls.
//
// Every routine sets the canvas's pen and brush as it needs and leaves them so. Rectangles
// exclude their right and bottom edges. clNone means "no colour" as the routines say.
#pragma once

#include "components/graphics/TesselStyle.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/LayeredWindows.h"

class TWinControl;

// Button states and looks of DrawComboButton, DrawPushButton and DrawSpinButtons.
inline constexpr int bsNormalState = 0;
inline constexpr int bsHotState = 1;
inline constexpr int bsDownState = 2;
inline constexpr int bsDisabledState = 3;
inline constexpr int bsThemeLook = 0;    // the visual style (classic look when no style is active)
inline constexpr int bsClassicLook = 1;  // classic frame controls
inline constexpr int bsFlatLook = 2;     // flat frame controls
inline constexpr int bsColorLook = 3;    // the colours of the TColorTones

// Steps + 1 bands from FromColor to ToColor, left to right (Horizontal) or top to bottom.
// With one colour clNone the rectangle is filled with the other.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal);
// One gradient, or two split at the middle (Vertical: at half height), and a border.
void FillMirrorGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                        TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SidesOnly, bool Fill);
// The colour at Offset of the range; FromColor unchanged when ToColor is clNone. A range of
// zero length answers FromColor resolved.
TColor InterpolateColor(TColor FromColor, TColor ToColor, int RangeStart, int RangeEnd, int Offset);
// The selection frame with one-pixel rounded ends: Position 0 both ends, 1 the left end only,
// 2 the right end only, 3 neither.
void DrawGlossyFrame(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                     TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor, TColor InnerCornerColor,
                     TColor CornerColor, const TRect& R, int Position);
void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones,
                     double Scale);
void DrawPushButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones,
                    bool ShowPrefix, const String& Caption);
void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones);
// A red zig-zag under characters ErrorFrom (0-based) .. ErrorFrom + ErrorLength - 1 of Text as a
// single-line edit on Parent at R would show it (Parent's font; the canvas's font without Parent).
void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const String& Text, const TRect& R, int OffsetY,
                        int ErrorFrom, int ErrorLength);
// A bar from the centre of R to the right (Value >= 0) or left; a Range of 0 or less draws no
// bar (the value is still written with ShowValue).
void DrawRangeIndicator(TCanvas* Canvas, const TRect& R, int Value, int Range, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor);
void DrawSmallTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);
// Bitmap at R's top-left at its own size, its top-left pixel's colour shown as BackgroundColor.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
// The program's bitmap resource ResourceName through DrawBitmapTransparent; raises
// EResNotFound when there is no such resource.
void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResourceName);
// Look the call up in "USER32.DLL" at every call; true when the module or the call is missing.
BOOL CallUpdateLayeredWindow(HWND Wnd, HDC DestDC, const TPoint* DestPoint, const TSize* Size, HDC SourceDC,
                             const TPoint* SourcePoint, COLORREF Key, const BLENDFUNCTION* Blend, DWORD Flags);
BOOL CallSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags);
