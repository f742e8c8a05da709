#pragma once

#include "framework/ui/Graphics.h"

// The small down arrow the hot speed buttons of the edits draw, filled in one colour.
void FillDropArrow(TCanvas* C, TColor Color);
