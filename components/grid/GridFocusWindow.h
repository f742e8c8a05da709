// The glowing frame around an edited cell: a disabled, topmost popup window whose pixels come from
// a premultiplied-alpha image. The image is a blurred white rounded ring (DrawRoundRectMask,
// BlurBitmap) turned into the alpha of a frame-coloured bitmap (TGridAlphaMask::MergeMask).
#pragma once

#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

// Never takes input or focus, has no task-bar entry; what it shows is its layered image.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
};

// A 32-bit bitmap of premultiplied B, G, R, A pixels.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();

    // The constant alpha over the whole image when it is shown.
    Byte Opacity() const { return FOpacity; }  // default 255
    void SetOpacity(Byte Value) { FOpacity = Value; }

    // From another mask: its Opacity and its pixels, row by row, where the two overlap (this
    // mask keeps its size). From any other graphic: the bitmap's assignment. Ends 32-bit.
    void Assign(TPersistent* Source) override;
    // Takes Bitmap's size; each pixel's alpha is the red byte of Mask's pixel there (0 where
    // Mask does not reach) and its colour Bitmap's, multiplied by alpha / 255. Does nothing
    // unless Bitmap and Mask are 24-bit. Color has no effect.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

private:
    Byte FOpacity = 255;
};

// Bitmap becomes a 24-bit Width x Height picture: black, with a white rounded rectangle inset by
// 2 + PenWidth div 2 (a PenWidth-wide ring, or a filled shape for PenWidth < 1) whose corners
// are Corner x Corner ellipses, blurred with Radius when Radius > 0.
void DrawRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Radius);

// A Gaussian blur of the given radius; raises "Blur only works for 24-bit bitmaps" for any other
// bitmap, which it leaves alone. Rows and columns further than 20 pixels from both edges become
// copies of row or column 15: the rounded rectangles it blurs are uniform along their sides.
void BlurBitmap(TBitmap* Bitmap, double Radius);

// The blur's weights: Weights[Size + k] for k = -Size .. Size, summing to 1.
struct TBlurKernel {
    Byte Size = 0;
    float Weights[21] = {};
    float Weight(int K) const { return Weights[K + 10]; }
};
// The kernel of a radius, its tails below half a grey level cut off.
TBlurKernel MakeBlurKernel(double Radius);

// Steps of the frame around a CellWidth x CellHeight cell: the window, hidden, becomes
// (CellWidth + 9) x (CellHeight + 9), shows the glow at opacity 230 and keeps only the ring
// around the cell, which lies at (4, 4) inside it. The caller places and shows it.
void BuildFocusFrame(TGridFocusWindow* Window, int CellWidth, int CellHeight);
// The colour of the glow (red 151, green 211, blue 253).
inline constexpr TColor kFocusFrameColor = 0xFDD397;
