// The 138 named web colours ("clWebSnow" ... "clWebWhite") and the name of a colour among them.
#pragma once

#include "framework/ui/Graphics.h"

struct TWebColor {
    const char* Name;  // "clWeb..."
    TColor Value;      // $00BBGGRR
};

// The table, in its fixed order; where two names share a value the first is the colour's name.
const TWebColor* WebColors();
int WebColorCount();
// The name of the colour (resolved to RGB) when it is a named web colour, else "#RRGGBB".
String ColorToWebColorName(TColor Color);
