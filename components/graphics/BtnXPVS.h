// Theme functions of the HTML check box and radio button, bound when the program starts (see ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader BtnXPVS;
