// Theme functions of the toolbar, bound when the program starts (see ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader AdvTBXPVS;
