// Theme functions of the shared utilities, the grid and the drop-down controls, bound when the program starts (see
// ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader AdvXPVS;
