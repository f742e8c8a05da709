// Colour tones: the five colour sets a styler hands to a control. (The rest of the styler unit,
// the styles and interfaces, joins this header later.)
#pragma once

#include "framework/ui/Graphics.h"

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};
