// The colour cube and the colour spectrum panels, and the spectrum picture and pointer cursor the
// program carries for them.
#include "components/dropdowns/AdvColorPanels.h"

#include "framework/rtl/Resources.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// ---- Resources ----

constexpr int kSpectrumSize = 128;
constexpr TCursor kPointerCursor = 54;

// Lightness 1 (white) in the top row, 0.5 (the pure hue) in the middle, 0 (black) at the bottom;
// the hue from red at the left edge round to red at the right edge.
TColor spectrumColor(int X, int Y) {
    const double H = 6.0 * X / (kSpectrumSize - 1);  // sextants
    const double L = 1.0 - double(Y) / (kSpectrumSize - 1);
    const double C = (1 - std::fabs(2 * L - 1));
    const double Part = C * (1 - std::fabs(std::fmod(H, 2.0) - 1));
    double R = 0, G = 0, B = 0;
    switch (std::min(5, static_cast<int>(H))) {
        case 0:
            R = C, G = Part;
            break;
        case 1:
            R = Part, G = C;
            break;
        case 2:
            G = C, B = Part;
            break;
        case 3:
            G = Part, B = C;
            break;
        case 4:
            R = Part, B = C;
            break;
        default:
            R = C, B = Part;
            break;
    }
    const double M = L - C / 2;
    auto byte = [M](double V) { return static_cast<Byte>(std::clamp(std::lround((V + M) * 255), 0L, 255L)); };
    return RGB(byte(R), byte(G), byte(B));
}

std::vector<Byte> streamBytes(TBitmap& B) {
    TMemoryStream S;
    B.SaveToStream(&S);
    const auto* Data = static_cast<const Byte*>(S.Memory());
    return std::vector<Byte>(Data, Data + S.Size());
}

bool registerColorResources() {
    TBitmap Spectrum(kSpectrumSize, kSpectrumSize);
    Spectrum.SetPixelFormat(pf24bit);
    for (int Y = 0; Y < kSpectrumSize; ++Y)
        for (int X = 0; X < kSpectrumSize; ++X) Spectrum.Canvas()->SetPixels(X, Y, spectrumColor(X, Y));
    const std::vector<Byte> Picture = streamBytes(Spectrum);
    RegisterResource(RT_BITMAP, QStringLiteral("TESSEL_SPECTRUM"), Picture.data(), Picture.size());

    // A small cross with a hollow centre, its hot spot in the middle.
    TBitmap Pointer(32, 32);
    TCanvas* C = Pointer.Canvas();
    C->Brush()->SetColor(clFuchsia);
    C->FillRect(Rect(0, 0, 32, 32));
    C->Brush()->SetColor(clBlack);
    for (const TRect& R : {Rect(15, 4, 17, 13), Rect(15, 19, 17, 28), Rect(4, 15, 13, 17), Rect(19, 15, 28, 17)})
        C->FillRect(R);
    std::vector<Byte> Bytes{16, 0, 16, 0};
    const std::vector<Byte> Shape = streamBytes(Pointer);
    Bytes.insert(Bytes.end(), Shape.begin(), Shape.end());
    RegisterResource(RT_CURSOR, QStringLiteral("TESSEL_POINTER"), Bytes.data(), Bytes.size());
    return true;
}

// Registered where the spectrum panel is linked in.
[[maybe_unused]] const bool ColorResourcesRegistered = registerColorResources();

// ---- The cube ----

// The honeycomb's rows, top to bottom, each row's colours left to right.
constexpr int kCubeRows = 13;
constexpr TColor kCubeColors[127] = {
    /* 1 */ 0x663300,  0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    /* 2 */ 0x666600,  0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    /* 3 */ 0x808000,  0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    /* 4 */ 0x669933,  0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    /* 5 */ 0x339933,  0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099,
    /* 6 */ 0x006600,  0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC,          0xCC0099,
    /* 7 */ 0x003300,  0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF,          0xCC00CC, 0x660066,
    /* 8 */ 0x006633,  0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC,          0x800080,
    /* 9 */ 0x003333,  0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,
    /* 10 */ 0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    /* 11 */ 0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    /* 12 */ 0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    /* 13 */ 0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

void drawHexagon(TCanvas* C, int X, int Y, int W, int H) {
    C->Polygon({Point(X - W, Y - H), Point(X, Y - 2 * H), Point(X + W, Y - H), Point(X + W, Y + H), Point(X, Y + 2 * H),
                Point(X - W, Y + H)});
}

}  // namespace

TAdvColorCubePanel::TAdvColorCubePanel(TComponent* AOwner) : TAdvCustomColorSelectorPanel(AOwner) {
    InitCubeCells();
    SetShowHint(true);
}

void TAdvColorCubePanel::InitCubeCells() {
    int N = 0;
    for (int J = 1; J <= kCubeRows; ++J) {
        const int Count = J <= 7 ? J + 6 : 20 - J;
        const int FirstX = J <= 7 ? 55 - 6 * (J - 1) : 19 + 6 * (J - 7);
        for (int K = 0; K < Count; ++K) {
            ++N;
            FCubeCells[N] = TCubeCell{FirstX + K * 2 * FCubeSize.X, 20 + 10 * (J - 1), kCubeColors[N - 1]};
        }
    }
}

TColor TAdvColorCubePanel::CubeCellColor(int Index) const {
    return Index >= 1 && Index <= 127 ? FCubeCells[Index].Color : clNone;
}

void TAdvColorCubePanel::SetCubeCellColor(int Index, TColor Value) {
    if (Index >= 1 && Index <= 127) FCubeCells[Index].Color = Value;
}

TPoint TAdvColorCubePanel::CubeCellCentre(int Index) const {
    return Index >= 1 && Index <= 127 ? Point(FCubeCells[Index].X, FCubeCells[Index].Y) : Point(-1, -1);
}

void TAdvColorCubePanel::SetShowRGBHint(bool Value) {
    FShowRGBHint = Value;
    SetShowHint(Value);
}

void TAdvColorCubePanel::SetSelectedColor(TColor Value) {
    FSelectedColor = Value;
    FSelectedIndex = -1;
    for (int I = 1; I <= 127; ++I)
        if (FCubeCells[I].Color == Value) {
            FSelectedIndex = I;
            break;
        }
}

int TAdvColorCubePanel::CubeCellAtPos(int X, int Y) const {
    const int Reach = FCubeSize.X * FCubeSize.X;
    for (int I = 1; I <= 127; ++I) {
        const int DX = X - FCubeCells[I].X, DY = Y - FCubeCells[I].Y;
        if (DX * DX + DY * DY <= Reach) return I;
    }
    return -1;
}

void TAdvColorCubePanel::DrawCubeCell(int Index, TCanvas* C) {
    if (Index < 1 || Index > 127) return;
    const TCubeCell& Cell = FCubeCells[Index];
    C->Pen()->SetColor(Cell.Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Cell.Color);
    drawHexagon(C, Cell.X, Cell.Y, FCubeSize.X, FCubeSize.Y);
    auto outline = [&](TColor Outer) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(Outer);
        drawHexagon(C, Cell.X, Cell.Y, 5, 3);
        C->Pen()->SetColor(clWhite);
        drawHexagon(C, Cell.X, Cell.Y, 4, 2);
        C->Brush()->SetStyle(bsSolid);
    };
    if (Index == FHotIndex) outline(0x0000FF);
    if (Index == FSelectedIndex) outline(0x000000);
}

void TAdvColorCubePanel::Paint() {
    TAdvCustomColorSelectorPanel::Paint();
    for (int I = 1; I <= 127; ++I) DrawCubeCell(I, Canvas());
}

void TAdvColorCubePanel::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    if (!Self) return;
    const int Index = CubeCellAtPos(X, Y);
    if (Index < 0) {
        // Off the honeycomb the last cell stays outlined; only its hint goes.
        if (FShowRGBHint) SetHint(String());
        return;
    }
    if (Index == FHotIndex) return;
    const int Old = FHotIndex;
    FHotIndex = Index;
    DrawCubeCell(Old, Canvas());
    DrawCubeCell(Index, Canvas());
    if (FShowRGBHint) {
        const TColor C = FCubeCells[Index].Color;
        SetHint(Format(QStringLiteral("Red: %d,  Green: %d,  Blue: %d"),
                       {int(GetRValue(C)), int(GetGValue(C)), int(GetBValue(C))}));
        if (Application) Application->CancelHint();
    }
}

void TAdvColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    const int Index = CubeCellAtPos(X, Y);
    if (Index < 0) return;
    const int Old = FSelectedIndex;
    FSelectedIndex = -1;
    DrawCubeCell(Old, Canvas());
    FSelectedColor = FCubeCells[Index].Color;
    FSelectedIndex = Index;
    DrawCubeCell(Index, Canvas());
    if (OnSelect) FireEvent(OnSelect, this);
}

void TAdvColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (Self && OnShouldHide) FireEvent(OnShouldHide, this);
}

// ---------------------------------------------------------------------------------------------
// Spectrum

TAdvColorSpectrumPanel::TAdvColorSpectrumPanel(TComponent* AOwner) : TAdvCustomColorSelectorPanel(AOwner) {
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, kSpectrumSize, kSpectrumSize);
    FSpectrumImage->Picture()->Bitmap()->LoadFromResourceName(HInstance, QStringLiteral("TESSEL_SPECTRUM"));
    Screen->SetCursors(kPointerCursor, LoadCursor(HInstance, QStringLiteral("TESSEL_POINTER")));
    FSpectrumImage->SetCursor(kPointerCursor);
    FSpectrumImage->OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) {
        ImageMouseMove(Sender, Shift, X, Y);
    };
    FSpectrumImage->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        ImageMouseDown(Sender, Button, Shift, X, Y);
    };
    FSpectrumImage->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        ImageMouseUp(Sender, Button, Shift, X, Y);
    };
    LayoutSpectrum();
}

void TAdvColorSpectrumPanel::LayoutSpectrum() {
    SetBounds(Left(), Top(), 150, 174);
    TImage* I = FSpectrumImage;
    I->SetBounds((Width() - I->Width()) / 2, 10, I->Width(), I->Height());
    const int Bottom = I->Top() + I->Height();
    FSelectedRect = Rect(I->Left() - 1, Bottom + 8, I->Left() + I->Width() / 2 - 2, Bottom + 28);
    FHotRect = Rect(FSelectedRect.Right + 4, Bottom + 8, I->Left() + I->Width() + 1, Bottom + 28);
    FHotColor = clNone;
    Invalidate();
}

void TAdvColorSpectrumPanel::drawSwatch(TCanvas* C, const TRect& R, TColor Color) {
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(0x808080);
    C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Pen()->SetColor(clWhite);
    if (Color == clNone) C->Brush()->SetStyle(bsClear);
    C->Rectangle(R);
    C->Brush()->SetStyle(bsSolid);
}

void TAdvColorSpectrumPanel::Paint() {
    TAdvCustomColorSelectorPanel::Paint();
    TCanvas* C = Canvas();
    const TRect I = FSpectrumImage->BoundsRect();
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(clWhite);
    C->Rectangle(I.Left - 1, I.Top - 1, I.Right + 1, I.Bottom + 1);
    C->Pen()->SetColor(0x808080);
    C->Rectangle(I.Left - 2, I.Top - 2, I.Right + 2, I.Bottom + 2);
    C->Brush()->SetStyle(bsSolid);
    drawSwatch(C, FSelectedRect, FSelectedColor);
    drawSwatch(C, FHotRect, FHotColor);
}

void TAdvColorSpectrumPanel::ImageMouseMove(TObject*, TShiftState, int X, int Y) {
    // The picture under the pointer; the panel's own image never holds the child's pixels.
    FHotColor = FSpectrumImage->Picture()->Bitmap()->Canvas()->Pixels(X, Y);
    drawSwatch(Canvas(), FHotRect, FHotColor);
}

void TAdvColorSpectrumPanel::ImageMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    FSelectedColor = FHotColor;
    drawSwatch(Canvas(), FSelectedRect, FSelectedColor);
    if (OnSelect) FireEvent(OnSelect, this);
}

void TAdvColorSpectrumPanel::ImageMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (OnShouldHide) FireEvent(OnShouldHide, this);
}
