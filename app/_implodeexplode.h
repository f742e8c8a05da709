// Splitting a text at a separator.
#pragma once

#include "framework/rtl/Types.h"

#include <vector>

using TDynStringArray = std::vector<String>;

// The pieces of Text between occurrences of Separator. An empty text or a negative limit gives
// none; an empty separator gives the whole text. A limit of n >= 1 gives at most n pieces, the
// last holding the rest; consecutive separators give empty pieces, a trailing one none.
TDynStringArray explode(const String& Separator, const String& Text, int Limit = 0);
