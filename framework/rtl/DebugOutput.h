// Debug output: lines meant for an attached debugger. Here the "debugger" is whoever set the sink;
// without one the lines are dropped, as the platform drops them when no debugger listens.
#pragma once

#include "framework/rtl/Types.h"

#include <functional>

void OutputDebugString(const String& Line);
// The sink (empty: none); returns the one it replaces.
std::function<void(const String&)> SetDebugOutputSink(std::function<void(const String&)> Sink);
