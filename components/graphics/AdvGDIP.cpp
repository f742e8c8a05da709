// The object layer's root: GDI+ start-up and shut-down, allocation, the helpers, and TGPGraphics
// (its text operations are in AdvGDIP_Text.cpp).
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

// ---------------------------------------------------------------------------------------------
// Unit state: start-up input and output, tokens, the initialisation counter.

static GdiplusStartupInput StartupInput;
static GdiplusStartupOutput StartupOutput;
static NativeUInt GdiplusStartupToken = 0;
static NativeUInt NotificationHookToken = 0;
static int GdiplusInitCount = 0;

// This platform stands in for a system of version 6 or later: GDI+ needs no notification hook.
static bool IsOSVersion6OrLater() { return true; }

static void fillStartupInput() {
    StartupInput.GdiplusVersion = 1;
    StartupInput.DebugEventCallback = nullptr;
    StartupInput.SuppressBackgroundThread = 1;
    StartupInput.SuppressExternalCodecs = 0;
    StartupOutput.NotificationHook = nullptr;
    StartupOutput.NotificationUnhook = nullptr;
}

static void startGdiplus() {
    fillStartupInput();
    GdiplusStartup(&GdiplusStartupToken, &StartupInput, &StartupOutput);
    if (!IsOSVersion6OrLater() && StartupOutput.NotificationHook)
        StartupOutput.NotificationHook(&NotificationHookToken);
}

// The unit's initialisation and finalisation: GDI+ is started before the program's main block and
// shut down once, after it.
struct TGdiplusUnit {
    TGdiplusUnit() {
        if (GdiplusInitCount++ == 0) startGdiplus();
    }
    ~TGdiplusUnit() {
        if (--GdiplusInitCount != 0) return;
        if (!IsOSVersion6OrLater() && StartupOutput.NotificationUnhook)
            StartupOutput.NotificationUnhook(NotificationHookToken);
        GdiplusShutdown(GdiplusStartupToken);
    }
};
static TGdiplusUnit GdiplusUnit;

bool GdiplusStarted() { return GdiplusInitCount > 0; }

// ---------------------------------------------------------------------------------------------
// Allocation

void* TGdiplusBase::operator new(std::size_t Size) {
    void* Memory = GdipAlloc(Size);
    if (!Memory) {
        // A wrapper made before the unit's start-up (another unit's static initialisation).
        fillStartupInput();
        GdiplusStartup(&GdiplusStartupToken, &StartupInput, &StartupOutput);
        Memory = GdipAlloc(Size);
    }
    if (!Memory) throw std::bad_alloc();
    std::memset(Memory, 0, Size);
    return Memory;
}

void TGdiplusBase::operator delete(void* Memory) { GdipFree(Memory); }

// ---------------------------------------------------------------------------------------------
// Helpers

ARGB ColorToARGB(TColor Color) {
    const TColor Rgb = ColorToRGB(Color);
    return ComposeARGB(255, GetRValue(Rgb), GetGValue(Rgb), GetBValue(Rgb));
}

int GPRound(double Value) {
    if (!std::isfinite(Value)) return 0;
    constexpr double Lo = std::numeric_limits<int>::min(), Hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(std::clamp(Value, Lo, Hi)));
}

TGPPoint MakeGPPoint(int X, int Y) { return {X, Y}; }
TGPPointF MakeGPPointF(float X, float Y) { return {X, Y}; }
TGPRectF MakeGPRectF(float X, float Y, float Width, float Height) { return {X, Y, Width, Height}; }
TGPRect MakeGPRect(int X, int Y, int Width, int Height) { return {X, Y, Width, Height}; }

// ---------------------------------------------------------------------------------------------
// TGPGraphics

TGPGraphics::TGPGraphics(HDC DC) { lastResult = GdipCreateFromHDC(DC, &nativeGraphics); }

TGPGraphics::TGPGraphics(TGPImage* Image) {
    if (Image) lastResult = GdipGetImageGraphicsContext(Image->nativeImage, &nativeGraphics);
}

TGPGraphics::~TGPGraphics() { GdipDeleteGraphics(nativeGraphics); }

TGPGraphics* TGPGraphics::FromImage(TGPImage* Image) { return new TGPGraphics(Image); }

GpStatus TGPGraphics::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPGraphics::GetLastStatus() {
    const GpStatus S = lastResult;
    lastResult = Ok;
    return S;
}

void TGPGraphics::Flush(FlushIntention Intention) { GdipFlush(nativeGraphics, Intention); }

GpStatus TGPGraphics::Clear(ARGB Color) { return SetStatus(GdipGraphicsClear(nativeGraphics, Color)); }

HDC TGPGraphics::GetHDC() {
    HDC DC = nullptr;
    SetStatus(GdipGetDC(nativeGraphics, &DC));
    return DC;
}

void TGPGraphics::ReleaseHDC(HDC DC) { SetStatus(GdipReleaseDC(nativeGraphics, DC)); }

GpStatus TGPGraphics::SetTransform(TGPMatrix* Matrix) {
    return SetStatus(GdipSetWorldTransform(nativeGraphics, Matrix ? Matrix->nativeMatrix : nullptr));
}

GpStatus TGPGraphics::ResetTransform() { return SetStatus(GdipResetWorldTransform(nativeGraphics)); }

GpStatus TGPGraphics::MultiplyTransform(TGPMatrix* Matrix, MatrixOrder Order) {
    return SetStatus(GdipMultiplyWorldTransform(nativeGraphics, Matrix ? Matrix->nativeMatrix : nullptr, Order));
}

GpStatus TGPGraphics::TranslateTransform(float DX, float DY, MatrixOrder Order) {
    return SetStatus(GdipTranslateWorldTransform(nativeGraphics, DX, DY, Order));
}

GpStatus TGPGraphics::ScaleTransform(float SX, float SY, MatrixOrder Order) {
    return SetStatus(GdipScaleWorldTransform(nativeGraphics, SX, SY, Order));
}

GpStatus TGPGraphics::RotateTransform(float Angle, MatrixOrder Order) {
    return SetStatus(GdipRotateWorldTransform(nativeGraphics, Angle, Order));
}

GpStatus TGPGraphics::SetSmoothingMode(int Mode) {
    return SetStatus(GdipSetSmoothingMode(nativeGraphics, static_cast<SmoothingMode>(Mode)));
}

int TGPGraphics::GetSmoothingMode() {
    SmoothingMode Mode = SmoothingModeInvalid;
    if (SetStatus(GdipGetSmoothingMode(nativeGraphics, &Mode)) != Ok) return -1;
    return Mode;
}

GpStatus TGPGraphics::SetTextRenderingHint(TextRenderingHint Hint) {
    return SetStatus(GdipSetTextRenderingHint(nativeGraphics, Hint));
}

TextRenderingHint TGPGraphics::GetTextRenderingHint() {
    TextRenderingHint Hint = TextRenderingHintSystemDefault;
    SetStatus(GdipGetTextRenderingHint(nativeGraphics, &Hint));
    return Hint;
}

GpStatus TGPGraphics::SetCompositingQuality(int Quality) {
    return SetStatus(GdipSetCompositingQuality(nativeGraphics, static_cast<CompositingQuality>(Quality)));
}

int TGPGraphics::GetCompositingQuality() {
    CompositingQuality Quality = CompositingQualityInvalid;
    SetStatus(GdipGetCompositingQuality(nativeGraphics, &Quality));
    return Quality;
}

// Lines and outlines: the pen must not be nil.

GpStatus TGPGraphics::DrawLine(TGPPen* Pen, float X1, float Y1, float X2, float Y2) {
    return SetStatus(GdipDrawLine(nativeGraphics, Pen ? Pen->nativePen : nullptr, X1, Y1, X2, Y2));
}

GpStatus TGPGraphics::DrawRectangle(TGPPen* Pen, const TGPRectF& Rect) {
    return DrawRectangle(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::DrawRectangle(TGPPen* Pen, float X, float Y, float Width, float Height) {
    return SetStatus(GdipDrawRectangle(nativeGraphics, Pen ? Pen->nativePen : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::DrawEllipse(TGPPen* Pen, const TGPRectF& Rect) {
    return DrawEllipse(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::DrawEllipse(TGPPen* Pen, float X, float Y, float Width, float Height) {
    return SetStatus(GdipDrawEllipse(nativeGraphics, Pen ? Pen->nativePen : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::DrawEllipse(TGPPen* Pen, const TGPRect& Rect) {
    return DrawEllipse(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::DrawEllipse(TGPPen* Pen, int X, int Y, int Width, int Height) {
    return SetStatus(GdipDrawEllipseI(nativeGraphics, Pen ? Pen->nativePen : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::DrawArc(TGPPen* Pen, const TGPRectF& Rect, float StartAngle, float SweepAngle) {
    return DrawArc(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

GpStatus TGPGraphics::DrawArc(TGPPen* Pen, float X, float Y, float Width, float Height, float StartAngle,
                              float SweepAngle) {
    return SetStatus(
        GdipDrawArc(nativeGraphics, Pen ? Pen->nativePen : nullptr, X, Y, Width, Height, StartAngle, SweepAngle));
}

GpStatus TGPGraphics::DrawBezier(TGPPen* Pen, const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3,
                                 const TGPPointF& Pt4) {
    return DrawBezier(Pen, Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

GpStatus TGPGraphics::DrawBezier(TGPPen* Pen, float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4,
                                 float Y4) {
    return SetStatus(GdipDrawBezier(nativeGraphics, Pen ? Pen->nativePen : nullptr, X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}

GpStatus TGPGraphics::DrawBeziers(TGPPen* Pen, const TGPPointF* Points, int Count) {
    return SetStatus(GdipDrawBeziers(nativeGraphics, Pen ? Pen->nativePen : nullptr, Points, Count));
}

GpStatus TGPGraphics::DrawPath(TGPPen* Pen, TGPGraphicsPath* Path) {
    return SetStatus(GdipDrawPath(nativeGraphics, Pen ? Pen->nativePen : nullptr, Path ? Path->nativePath : nullptr));
}

// Fills: the brush (and path) must not be nil.

GpStatus TGPGraphics::FillRectangle(TGPBrush* Brush, const TGPRectF& Rect) {
    return FillRectangle(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::FillRectangle(TGPBrush* Brush, float X, float Y, float Width, float Height) {
    return SetStatus(GdipFillRectangle(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::FillEllipse(TGPBrush* Brush, const TGPRectF& Rect) {
    return FillEllipse(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::FillEllipse(TGPBrush* Brush, float X, float Y, float Width, float Height) {
    return SetStatus(GdipFillEllipse(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::FillEllipse(TGPBrush* Brush, const TGPRect& Rect) {
    return FillEllipse(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::FillEllipse(TGPBrush* Brush, int X, int Y, int Width, int Height) {
    return SetStatus(GdipFillEllipseI(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::FillPolygon(TGPBrush* Brush, const TGPPointF* Points, int Count, FillMode Mode) {
    return SetStatus(GdipFillPolygon(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, Points, Count, Mode));
}

GpStatus TGPGraphics::FillPolygon(TGPBrush* Brush, const TGPPoint* Points, int Count, FillMode Mode) {
    return SetStatus(GdipFillPolygonI(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, Points, Count, Mode));
}

GpStatus TGPGraphics::FillPath(TGPBrush* Brush, TGPGraphicsPath* Path) {
    return SetStatus(
        GdipFillPath(nativeGraphics, Brush ? Brush->nativeBrush : nullptr, Path ? Path->nativePath : nullptr));
}

// Clipping

GpStatus TGPGraphics::SetClip(TGPRegion* Region, CombineMode Mode) {
    return SetStatus(GdipSetClipRegion(nativeGraphics, Region ? Region->nativeRegion : nullptr, Mode));
}

GpStatus TGPGraphics::SetClip(TGPGraphicsPath* Path, CombineMode Mode) {
    return SetStatus(GdipSetClipPath(nativeGraphics, Path ? Path->nativePath : nullptr, Mode));
}

GpStatus TGPGraphics::ExcludeClip(const TGPRectF& Rect) {
    return SetStatus(GdipSetClipRect(nativeGraphics, Rect.X, Rect.Y, Rect.Width, Rect.Height, CombineModeExclude));
}

GpStatus TGPGraphics::ExcludeClip(TGPRegion* Region) {
    return SetStatus(GdipSetClipRegion(nativeGraphics, Region ? Region->nativeRegion : nullptr, CombineModeExclude));
}

GpStatus TGPGraphics::ResetClip() { return SetStatus(GdipResetClip(nativeGraphics)); }

// Images: a nil image is passed on as no object.

GpStatus TGPGraphics::DrawImage(TGPImage* Image, int X, int Y) {
    return SetStatus(GdipDrawImageI(nativeGraphics, Image ? Image->nativeImage : nullptr, X, Y));
}

GpStatus TGPGraphics::DrawImage(TGPImage* Image, const TGPRectF& Rect) {
    return DrawImage(Image, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphics::DrawImage(TGPImage* Image, float X, float Y, float Width, float Height) {
    return SetStatus(GdipDrawImageRect(nativeGraphics, Image ? Image->nativeImage : nullptr, X, Y, Width, Height));
}

GpStatus TGPGraphics::DrawImage(TGPImage* Image, const TGPRectF& DestRect, float SrcX, float SrcY, float SrcWidth,
                                float SrcHeight, Unit_ SrcUnit, TGPImageAttributes* ImageAttributes,
                                DrawImageAbort Callback, void* CallbackData) {
    return SetStatus(GdipDrawImageRectRect(nativeGraphics, Image ? Image->nativeImage : nullptr, DestRect.X, DestRect.Y,
                                           DestRect.Width, DestRect.Height, SrcX, SrcY, SrcWidth, SrcHeight, SrcUnit,
                                           ImageAttributes ? ImageAttributes->nativeImageAttr : nullptr, Callback,
                                           CallbackData));
}

GpStatus TGPGraphics::DrawImageRect(TGPImage* Image, int X, int Y, int W, int H) {
    return SetStatus(GdipDrawImageRect(nativeGraphics, Image ? Image->nativeImage : nullptr, static_cast<REAL>(X),
                                       static_cast<REAL>(Y), static_cast<REAL>(W), static_cast<REAL>(H)));
}

GpStatus TGPGraphics::DrawImageRect(TGPImage* Image, const TGPRectF& Rect) {
    return DrawImageRect(Image, GPRound(Rect.X), GPRound(Rect.Y), GPRound(Rect.Width), GPRound(Rect.Height));
}
