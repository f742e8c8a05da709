#include "components/grid/GridFocusWindow.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 0, 0);
    SetColor(clRed);
    SetVisible(false);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

// ---------------------------------------------------------------------------------------------
// TGridAlphaMask

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::Assign(TPersistent* Source) {
    if (auto* Other = dynamic_cast<TGridAlphaMask*>(Source)) {
        FOpacity = Other->FOpacity;
        // Only where both have pixels: a smaller source leaves the rest of this mask as it was.
        const int Rows = std::min(Height(), Other->Height());
        const int Bytes = 4 * std::min(Width(), Other->Width());
        for (int Y = 0; Y < Rows && Bytes > 0; ++Y) std::memcpy(ScanLine(Y), Other->ScanLine(Y), size_t(Bytes));
    } else {
        TBitmap::Assign(Source);
    }
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color) {
    (void)Color;
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit || !Mask || Mask->PixelFormat() != pf24bit) return;
    SetPixelFormat(pf32bit);
    SetSize(Bitmap->Width(), Bitmap->Height());
    const int MaskRows = Mask->Height();
    const int MaskCols = Mask->Width();
    for (int Y = 0; Y < Height(); ++Y) {
        auto* Out = static_cast<Byte*>(ScanLine(Y));
        const auto* In = static_cast<const Byte*>(Bitmap->ScanLine(Y));
        const auto* M = Y < MaskRows ? static_cast<const Byte*>(Mask->ScanLine(Y)) : nullptr;
        for (int X = 0; X < Width(); ++X) {
            // 24-bit pixels are B, G, R: the red byte is the third.
            const Byte Alpha = M && X < MaskCols ? M[3 * X + 2] : 0;
            for (int C = 0; C < 3; ++C) Out[4 * X + C] = Byte(Round(Alpha / 255.0 * In[3 * X + C]));
            Out[4 * X + 3] = Alpha;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The mask and its blur

void DrawRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Radius) {
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    C->FillRect(Rect(0, 0, Width, Height));
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetWidth(std::max(1, PenWidth));
    // A ring with a pen, a filled shape without one.
    C->Brush()->SetColor(PenWidth >= 1 ? clBlack : clWhite);
    const int Inset = 2 + PenWidth / 2;
    C->RoundRect(Inset, Inset, Width - Inset, Height - Inset, Corner, Corner);
    C->Pen()->SetWidth(1);
    if (Radius > 0) BlurBitmap(Bitmap, Radius);
}

TBlurKernel MakeBlurKernel(double Radius) {
    // Half a grey level of the largest value (255) at a data step of 1.
    constexpr float kCutOff = 1.0f / 510.0f;
    TBlurKernel K;
    float Sum = 0;
    for (int J = -10; J <= 10; ++J) {
        K.Weights[J + 10] = float(std::exp(-(J / Radius) * (J / Radius) / 2));
        Sum += K.Weights[J + 10];
    }
    for (float& W : K.Weights) W /= Sum;
    int Size = 10;
    float Tail = 0;
    while (Tail < kCutOff && Size > 1) {
        Tail += 2 * K.Weights[Size + 10];
        --Size;
    }
    K.Size = Byte(Size);
    Sum = 0;
    for (int J = -Size; J <= Size; ++J) Sum += K.Weights[J + 10];
    for (int J = -Size; J <= Size; ++J) K.Weights[J + 10] /= Sum;
    return K;
}

namespace {

struct TRGB {
    Byte B, G, R;
};
static_assert(sizeof(TRGB) == 3);

Byte clampByte(float S) {
    if (S < 0) return 0;
    if (S >= 255) return 255;
    return Byte(S);  // truncated
}

// Blurs Line (N pixels) through Work; edge pixels repeat beyond the ends.
void blurLine(const TBlurKernel& K, TRGB* Line, TRGB* Work, int N) {
    for (int J = 0; J < N; ++J) {
        float B = 0, G = 0, R = 0;
        for (int Tap = -K.Size; Tap <= K.Size; ++Tap) {
            const TRGB& P = Line[std::clamp(J - Tap, 0, N - 1)];
            const float W = K.Weight(Tap);
            B += W * P.B;
            G += W * P.G;
            R += W * P.R;
        }
        Work[J] = {clampByte(B), clampByte(G), clampByte(R)};
    }
    std::copy(Work, Work + N, Line);
}

// Rows and columns beyond this distance from both edges copy line 15.
constexpr int kEdgeBand = 20;
constexpr int kCopiedLine = 15;

bool isCopied(int Index, int Count) { return Index > kEdgeBand && Index < Count - kEdgeBand; }

}  // namespace

void BlurBitmap(TBitmap* Bitmap, double Radius) {
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit)
        throw Exception(QStringLiteral("Blur only works for 24-bit bitmaps"));
    const TBlurKernel K = MakeBlurKernel(Radius);
    const int W = Bitmap->Width();
    const int H = Bitmap->Height();
    if (W <= 0 || H <= 0) return;
    std::vector<TRGB*> Rows(size_t(H), nullptr);
    for (int Y = 0; Y < H; ++Y) Rows[size_t(Y)] = static_cast<TRGB*>(Bitmap->ScanLine(Y));
    std::vector<TRGB> Work(static_cast<size_t>(std::max(W, H)));
    for (int Y = 0; Y < H; ++Y) {
        if (isCopied(Y, H))
            std::copy(Rows[kCopiedLine], Rows[kCopiedLine] + W, Rows[size_t(Y)]);
        else
            blurLine(K, Rows[size_t(Y)], Work.data(), W);
    }
    std::vector<TRGB> Column(static_cast<size_t>(H));
    for (int X = 0; X < W; ++X) {
        if (isCopied(X, W)) {
            for (int Y = 0; Y < H; ++Y) Rows[size_t(Y)][X] = Rows[size_t(Y)][kCopiedLine];
            continue;
        }
        for (int Y = 0; Y < H; ++Y) Column[size_t(Y)] = Rows[size_t(Y)][X];
        blurLine(K, Column.data(), Work.data(), H);
        for (int Y = 0; Y < H; ++Y) Rows[size_t(Y)][X] = Column[size_t(Y)];
    }
}

// ---------------------------------------------------------------------------------------------
// The frame

void BuildFocusFrame(TGridFocusWindow* Window, int CellWidth, int CellHeight) {
    const int W = CellWidth + 9;
    const int H = CellHeight + 9;
    Window->Hide();
    Window->SetBounds(Window->Left(), Window->Top(), W, H);
    TBitmap Mask;
    DrawRoundRectMask(&Mask, W, H, 4, 5, 3.0);
    TBitmap Colour;
    Colour.SetPixelFormat(pf24bit);
    Colour.SetSize(W, H);
    Colour.Canvas()->Brush()->SetColor(kFocusFrameColor);
    Colour.Canvas()->FillRect(Rect(0, 0, W, H));
    TGridAlphaMask Alpha;
    Alpha.MergeMask(&Mask, &Colour, clNone);
    Alpha.SetOpacity(230);

    HWND Wnd = Window->Handle();
    BLENDFUNCTION Blend;
    Blend.SourceConstantAlpha = Alpha.Opacity();
    Blend.AlphaFormat = AC_SRC_ALPHA;
    const TSize Size{W, H};
    const TPoint From{0, 0};
    UpdateLayeredWindow(Wnd, nullptr, nullptr, &Size, Alpha.Canvas()->Handle(), &From, 0, &Blend, ULW_ALPHA);
    // The cell itself stays uncovered.
    HRGN Frame = CreateRectRgn(0, 0, W, H);
    HRGN Cell = CreateRectRgn(4, 4, 4 + CellWidth, 4 + CellHeight);
    CombineRgn(Frame, Frame, Cell, RGN_DIFF);
    DeleteObject(Cell);
    SetWindowRgn(Wnd, Frame, 1);
}
