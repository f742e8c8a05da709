// Scaling designed sizes to the screen's pixels per inch, as the controls measure it.
#pragma once

#include "framework/rtl/Types.h"

class TFont;

// The height of "0" in the face FaceName at PointSize points and PixelsPerInch.
int FontHeightAtDPI(int PixelsPerInch, int PointSize, const String& FaceName = QStringLiteral("MS Sans Serif"));
// 1.0 at 96 pixels per inch on the screen, else the ratio of the 9-point heights of "0".
double DPIScaleFactor(const String& FaceName = QStringLiteral("MS Sans Serif"));
// The height of a line of Font's text (its tmHeight).
int TextMetricHeight(TFont* Font);
// The lowest height of an edit that shows Font: its tmHeight and a quarter of the smaller of that
// and the system font's.
int EditMinHeight(TFont* Font);
