// The framework's stand-in for the shell's light-weight utility library ("shlwapi.dll").
#pragma once

#include "framework/ui/Modules.h"

// Its entry points by name: "StrCmpLogicalW" (framework/rtl/StrUtils.h).
TModuleExports ShlwApiExports();

// Maps the library into the process once, as a program's import of it does before its own code
// runs, and keeps it mapped; later calls return the same handle. Code that only wants to use the
// library when something else mapped it looks it up with GetModuleHandle.
HMODULE ImportShlwApi();
