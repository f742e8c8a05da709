// Image bytes for the picture tests, made with the framework's own encoders.
#pragma once

#include "framework/ui/Picture.h"
#include "tests/support/GifBuilder.h"

#include <memory>

inline std::unique_ptr<TBitmap> SolidBitmap(int W, int H, TColor Color) {
    auto B = std::make_unique<TBitmap>(W, H);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    return B;
}

inline TBytes PngBytesOf(TBitmap* Bitmap) {
    TPngImage Png;
    Png.Assign(Bitmap);
    TBytesStream Out;
    Png.SaveToStream(&Out);
    return Out.Bytes();
}

inline TBytes PngBytes(int W, int H, TColor Color) { return PngBytesOf(SolidBitmap(W, H, Color).get()); }

inline TBytes BmpBytesOf(TBitmap* Bitmap) {
    TBytesStream Out;
    Bitmap->SaveToStream(&Out);
    return Out.Bytes();
}

// Three frames at different places with delays of 10, 20 and 30 hundredths.
inline TBytes ThreeFrameGif() {
    return BuildGif(8, 6, {{0, 0, 8, 6, 10, 0x00, 0}, {1, 2, 3, 2, 20, 0x05, 1}, {4, 1, 2, 3, 30, 0x08, 0}});
}
