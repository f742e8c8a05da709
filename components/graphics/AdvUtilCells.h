// Cell shapes and cell progress bars of the shared utility unit: the grid draws small shapes,
// multi-level bars, two-colour bars with text and progress pies inside its cells. Pen, brush and
// font of the canvas are left as the routines end.
#pragma once

#include "framework/ui/Graphics.h"

enum TCellShape {
    csRectangle,
    csCircle,
    csTriangleLeft,
    csTriangleRight,
    csTriangleUp,
    csTriangleDown,
    csDiamond,
    csLineVert,
    csLineHorz,
    csRoundRect,
    csEllips,
    csSquare,
    csRoundSquare,
    csStar,
    csArrowUp,
    csArrowDown,
    csArrowLeft,
    csArrowRight,
    csHalfStar
};

enum TGaugeOrientation { goHorizontal, goVertical };

// The look of a multi-level bar (the grid fills it from its progress appearance): zeros,
// false and no font until set.
struct TProgressLook {
    TColor Level0Color{};
    TColor Level0ColorTo{};
    TColor Level1Color{};
    TColor Level1ColorTo{};
    TColor Level2Color{};
    TColor Level2ColorTo{};
    TColor Level3Color{};
    TColor Level3ColorTo{};
    int Level1Perc{};
    int Level2Perc{};
    TColor BorderColor{};
    bool ShowBorder{};
    bool Stacked{};
    bool ShowPercentage{};
    TFont* Font{};  // not owned; nullptr keeps the canvas's font
    TColor FontColor{};
    bool CompletionSmooth{};
    bool ShowGradient{};
    int Steps{};
    int Position{};  // not read by DrawCellProgress
    TColor BackgroundColor{};
    TGaugeOrientation Orientation{};
};

// One level's colour pair: Color along the bar's centre line, ColorTo at its edges.
struct TLevelColors {
    TColor Color;
    TColor ColorTo;
};

// The pair of the level Percent has reached: level 0 below Level1Perc, level 1 below Level2Perc,
// level 3 from 100 on, else level 2. The thresholds are passed so a caller can move them.
TLevelColors ProgressLevelColors(const TProgressLook& Look, int Percent, int Level1Perc, int Level2Perc);
// Fills one half of a bar part with a gradient from From to To across its thickness.
using TProgressBandFill = void (*)(TCanvas* Canvas, const TRect& Half, TColor From, TColor To, int Steps,
                                   bool Vertical);
// A segment or block of a multi-level bar: with ShowGradient a gradient mirrored at the centre
// line of the thickness (Bands fills each half; nullptr: DrawGradient's bands), else Color solid.
void FillProgressPart(TCanvas* Canvas, const TRect& R, TLevelColors Colors, const TProgressLook& Look, bool Vertical,
                      TProgressBandFill Bands = nullptr);
// Text centred in R with the canvas's font, reading upwards when Vertical.
void DrawProgressText(TCanvas* Canvas, const TRect& R, const String& Text, bool Vertical);

// Shape in the box (X, Y, X + Width, Y + Height); circles and squares take the smaller side.
void DrawCellShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor BrushColor,
                   TColor PenColor);
// The multi-level bar at Position percent (the bar stops at the frame beyond 100).
void DrawCellProgress(TCanvas* Canvas, const TRect& R, int Position, TProgressLook Look);
// A bar in Color with TextColor text up to the value, RestColor with RestTextColor after it.
// Format (empty: "P%") is applied to the rounded value when it asks for an integer ("d", or
// "u" after "%", "*", "." or a digit), else to Value. With Max equal to Min no bar is drawn.
void DrawClassicProgress(TCanvas* Canvas, const TRect& R, TColor Color, TColor TextColor, TColor RestColor,
                         TColor RestTextColor, double Value, int MarginX, int MarginY, int Min, int Max,
                         const String& Format, TColor BorderColor, bool Printing);
// A grey circle with the sector from twelve o'clock clockwise to Percent filled in Color.
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool Printing);
