// Shared by the tests of the GDI+ object layer: an image to draw on, pixel probes, and read
// access to the wrappers' protected fields.
#pragma once

#include "components/graphics/AdvGDIP.h"

#include <cstdlib>
#include <memory>

// A 32-bit ARGB bitmap with graphics on it, cleared to Background.
struct TGPSurface {
    std::unique_ptr<TGPBitmap> Bitmap;
    std::unique_ptr<TGPGraphics> Graphics;

    TGPSurface(int Width, int Height, ARGB Background = 0xFFFFFFFF)
        : Bitmap(new TGPBitmap(Width, Height, PixelFormat32bppARGB)), Graphics(TGPGraphics::FromImage(Bitmap.get())) {
        Graphics->Clear(Background);
    }
    ARGB Pixel(int X, int Y) const {
        ARGB Color = 0;
        Bitmap->GetPixel(X, Y, Color);
        return Color;
    }
};

// Every channel within Tolerance.
inline bool ColorNear(ARGB A, ARGB B, int Tolerance) {
    for (int Shift = 0; Shift < 32; Shift += 8)
        if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > Tolerance) return false;
    return true;
}

// The protected fields, read through derived classes that make them public.
struct TGPBrushAccess : TGPBrush {
    using TGPBrush::lastResult;
    using TGPBrush::nativeBrush;
};
struct TGPImageAccess : TGPImage {
    using TGPImage::lastResult;
    using TGPImage::nativeImage;
};
struct TGPFontAccess : TGPFont {
    using TGPFont::nativeFont;
};
struct TGPMatrixAccess : TGPMatrix {
    using TGPMatrix::nativeMatrix;
};

inline GpStatus LastResultOf(TGPBrush* Brush) { return Brush->*(&TGPBrushAccess::lastResult); }
inline GpBrush* NativeOf(TGPBrush* Brush) { return Brush->*(&TGPBrushAccess::nativeBrush); }
inline GpStatus LastResultOf(TGPImage* Image) { return Image->*(&TGPImageAccess::lastResult); }
inline GpFont* NativeOf(TGPFont* Font) { return Font->*(&TGPFontAccess::nativeFont); }
inline GpMatrix* NativeOf(TGPMatrix* Matrix) { return Matrix->*(&TGPMatrixAccess::nativeMatrix); }

// The colour matrix that leaves every channel as it is.
inline ColorMatrix IdentityColorMatrix() {
    ColorMatrix M{};
    for (int I = 0; I < 5; ++I) M.m[I][I] = 1;
    return M;
}
