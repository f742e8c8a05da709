// The published Version of every component of the library.
#pragma once

#include "framework/rtl/Types.h"

// "3.4.1.1" for $03040101: the number's four bytes, the high one first, joined by ".".
String VersionText(int VersionNr);
