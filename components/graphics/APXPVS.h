// Theme functions of the panel, bound when the program starts (see ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader APXPVS;
