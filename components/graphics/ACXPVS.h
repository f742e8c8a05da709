// Theme functions of the combo box, bound when the program starts (see ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader ACXPVS;
