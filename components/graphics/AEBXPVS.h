// Theme functions of the edit with a button, bound when the program starts (see ThemeLoader.h).
#pragma once

#include "components/graphics/ThemeLoader.h"

extern TThemeLoader AEBXPVS;
