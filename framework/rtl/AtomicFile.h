// Whole-file replacement that never leaves half a file: settings, registry and saved lists use it.
#pragma once

#include "framework/rtl/Types.h"

#include <cstddef>
#include <functional>

// Writes Data to a temporary file beside FileName, flushes it to disk and renames it over
// FileName, so readers see the old file or the new one, never a part. Raises EOSError (whose
// message names the file and the system's reason) and leaves FileName alone on failure; a
// read-only target is refused rather than replaced. NewFileMode applies to a new file; an
// existing file keeps its own permissions.
void WriteFileAtomically(const String& FileName, const void* Data, std::size_t Size, unsigned NewFileMode = 0666);

// For tests: called after the temporary file is complete and before the rename; whatever it
// throws abandons the write (the temporary file is removed). An empty function clears it.
void SetBeforeReplaceHook(std::function<void(const String& TempFileName)> Hook);
