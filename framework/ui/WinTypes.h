// Opaque handles of the window layer. Each names one framework object; code outside the
// framework only passes them around.
#pragma once

#include "framework/rtl/Types.h"

using HWND = struct TWindowHandle*;  // a windowed control's window
using HDC = struct TDeviceContext*;  // a drawing surface: a window being painted, a memory bitmap
using HBITMAP = struct TBitmapHandle*;
using HFONT = struct TFontHandle*;
using HPEN = struct TPenHandle*;
using HBRUSH = struct TBrushHandle*;
using HRGN = struct TRegionHandle*;
using HICON = struct TIconHandle*;
using HMENU = struct TMenuHandle*;
using HINSTANCE = struct TInstanceHandle*;
using HMODULE = HINSTANCE;
using THandle = NativeUInt;
using LONG = std::int32_t;
