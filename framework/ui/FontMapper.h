// Framework-internal: maps the platform's font faces to installed families and builds the
// QFont a TFont draws with, at 96 pixels per inch, so text measures the same on every machine.
#pragma once

#include "framework/ui/Graphics.h"

#include <QFont>

// The installed family that stands in for Face; Face itself when the table does not know it.
String SubstituteFontFace(const String& Face);
// The QFont for a font record: pixel size set explicitly, fixed hinting, no kerning.
QFont QFontOf(const String& Name, int Height, TFontStyles Style, TFontQuality Quality, int PixelsPerInch = 96);
QFont QFontOf(const TFont& Font);
// Width of Text and the cell height of Font, the way text output measures it.
TSize FontTextExtent(const QFont& Font, const String& Text);
// Distance from the top of the text cell to the baseline.
int FontAscent(const QFont& Font);
