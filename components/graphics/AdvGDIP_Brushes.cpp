// Pens and the brush family of the object layer.
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"

// Each brush kind is a GpBrush to the flat API; these name the kind a call expects.
template <class T>
static T* as(GpBrush* Brush) {
    return reinterpret_cast<T*>(Brush);
}

// ---------------------------------------------------------------------------------------------
// TGPBrush

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}

TGPBrush::TGPBrush(GpBrush* NativeBrush, GpStatus S) : nativeBrush(NativeBrush), lastResult(S) {}

TGPBrush::~TGPBrush() { GdipDeleteBrush(nativeBrush); }

GpStatus TGPBrush::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

// ---------------------------------------------------------------------------------------------
// TGPSolidBrush, TGPHatchBrush

TGPSolidBrush::TGPSolidBrush(ARGB Color) : TGPBrush(nullptr, Ok) {
    GpSolidFill* Brush = nullptr;
    lastResult = GdipCreateSolidFill(Color, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPSolidBrush::TGPSolidBrush() : TGPBrush(nullptr, Ok) {}

TGPHatchBrush::TGPHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor) : TGPBrush(nullptr, Ok) {
    GpHatch* Brush = nullptr;
    lastResult = GdipCreateHatchBrush(Style, ForeColor, BackColor, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPHatchBrush::TGPHatchBrush() : TGPBrush(nullptr, Ok) {}

HatchStyle TGPHatchBrush::GetHatchStyle() {
    HatchStyle Style = HatchStyleHorizontal;
    SetStatus(GdipGetHatchStyle(as<GpHatch>(nativeBrush), &Style));
    return Style;
}

GpStatus TGPHatchBrush::GetForegroundColor(ARGB& Color) {
    return SetStatus(GdipGetHatchForegroundColor(as<GpHatch>(nativeBrush), &Color));
}

GpStatus TGPHatchBrush::GetBackgroundColor(ARGB& Color) {
    return SetStatus(GdipGetHatchBackgroundColor(as<GpHatch>(nativeBrush), &Color));
}

// ---------------------------------------------------------------------------------------------
// TGPTextureBrush: the image must not be nil.

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode) : TGPBrush(nullptr, Ok) {
    GpTexture* Brush = nullptr;
    lastResult = GdipCreateTexture(Image ? Image->nativeImage : nullptr, Mode, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRectF& DstRect)
    : TGPTextureBrush(Image, Mode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, float DstX, float DstY, float DstWidth,
                                 float DstHeight)
    : TGPBrush(nullptr, Ok) {
    GpTexture* Brush = nullptr;
    lastResult =
        GdipCreateTexture2(Image ? Image->nativeImage : nullptr, Mode, DstX, DstY, DstWidth, DstHeight, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRect& DstRect)
    : TGPTextureBrush(Image, Mode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, int DstX, int DstY, int DstWidth, int DstHeight)
    : TGPBrush(nullptr, Ok) {
    GpTexture* Brush = nullptr;
    lastResult =
        GdipCreateTexture2I(Image ? Image->nativeImage : nullptr, Mode, DstX, DstY, DstWidth, DstHeight, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, const TGPRectF& DstRect, TGPImageAttributes* ImageAttributes)
    : TGPBrush(nullptr, Ok) {
    GpTexture* Brush = nullptr;
    lastResult = GdipCreateTextureIA(Image ? Image->nativeImage : nullptr,
                                     ImageAttributes ? ImageAttributes->nativeImageAttr : nullptr, DstRect.X, DstRect.Y,
                                     DstRect.Width, DstRect.Height, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, const TGPRect& DstRect, TGPImageAttributes* ImageAttributes)
    : TGPBrush(nullptr, Ok) {
    GpTexture* Brush = nullptr;
    lastResult = GdipCreateTextureIAI(Image ? Image->nativeImage : nullptr,
                                      ImageAttributes ? ImageAttributes->nativeImageAttr : nullptr, DstRect.X,
                                      DstRect.Y, DstRect.Width, DstRect.Height, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPTextureBrush::TGPTextureBrush() : TGPBrush(nullptr, Ok) {}

GpStatus TGPTextureBrush::ResetTransform() { return SetStatus(GdipResetTextureTransform(as<GpTexture>(nativeBrush))); }

GpStatus TGPTextureBrush::TranslateTransform(float DX, float DY, MatrixOrder Order) {
    return SetStatus(GdipTranslateTextureTransform(as<GpTexture>(nativeBrush), DX, DY, Order));
}

GpStatus TGPTextureBrush::ScaleTransform(float SX, float SY, MatrixOrder Order) {
    return SetStatus(GdipScaleTextureTransform(as<GpTexture>(nativeBrush), SX, SY, Order));
}

GpStatus TGPTextureBrush::RotateTransform(float Angle, MatrixOrder Order) {
    return SetStatus(GdipRotateTextureTransform(as<GpTexture>(nativeBrush), Angle, Order));
}

GpStatus TGPTextureBrush::SetWrapMode(WrapMode Mode) {
    return SetStatus(GdipSetTextureWrapMode(as<GpTexture>(nativeBrush), Mode));
}

WrapMode TGPTextureBrush::GetWrapMode() {
    WrapMode Mode = WrapModeTile;
    SetStatus(GdipGetTextureWrapMode(as<GpTexture>(nativeBrush), &Mode));
    return Mode;
}

TGPImage* TGPTextureBrush::GetImage() {
    GpImage* Image = nullptr;
    SetStatus(GdipGetTextureImage(as<GpTexture>(nativeBrush), &Image));
    return new TGPImage(Image, lastResult);
}

// ---------------------------------------------------------------------------------------------
// TGPLinearGradientBrush: the gradient repeats (WrapModeTile) beyond its own rectangle.

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, ARGB Color1,
                                               ARGB Color2)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult = GdipCreateLineBrush(&Point1, &Point2, Color1, Color2, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, ARGB Color1, ARGB Color2)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult = GdipCreateLineBrushI(&Point1, &Point2, Color1, Color2, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult = GdipCreateLineBrushFromRect(&Rect, Color1, Color2, Mode, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult = GdipCreateLineBrushFromRectI(&Rect, Color1, Color2, Mode, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, float Angle,
                                               bool IsAngleScalable)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult =
        GdipCreateLineBrushFromRectWithAngle(&Rect, Color1, Color2, Angle, IsAngleScalable, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, float Angle,
                                               bool IsAngleScalable)
    : TGPBrush(nullptr, Ok) {
    GpLineGradient* Brush = nullptr;
    lastResult =
        GdipCreateLineBrushFromRectWithAngleI(&Rect, Color1, Color2, Angle, IsAngleScalable, WrapModeTile, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush() = default;

GpStatus TGPLinearGradientBrush::SetGammaCorrection(bool UseGammaCorrection) {
    return SetStatus(GdipSetLineGammaCorrection(as<GpLineGradient>(nativeBrush), UseGammaCorrection));
}

GpStatus TGPLinearGradientBrush::SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions,
                                                        int Count) {
    if (Count <= 0) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetLinePresetBlend(as<GpLineGradient>(nativeBrush), PresetColors, BlendPositions, Count));
}

// ---------------------------------------------------------------------------------------------
// TGPPathGradientBrush

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* Path) : TGPBrush(nullptr, Ok) {
    GpPathGradient* Brush = nullptr;
    lastResult = GdipCreatePathGradientFromPath(Path ? Path->nativePath : nullptr, &Brush);
    nativeBrush = reinterpret_cast<GpBrush*>(Brush);
}

GpStatus TGPPathGradientBrush::SetCenterColor(ARGB Color) {
    SetStatus(GdipSetPathGradientCenterColor(as<GpPathGradient>(nativeBrush), Color));
    return lastResult;
}

GpStatus TGPPathGradientBrush::GetCenterColor(ARGB& Color) {
    SetStatus(GdipGetPathGradientCenterColor(as<GpPathGradient>(nativeBrush), &Color));
    return lastResult;
}

GpStatus TGPPathGradientBrush::SetCenterPoint(const TGPPointF& Point) {
    return SetStatus(GdipSetPathGradientCenterPoint(as<GpPathGradient>(nativeBrush), &Point));
}

GpStatus TGPPathGradientBrush::SetCenterPoint(const TGPPoint& Point) {
    return SetStatus(GdipSetPathGradientCenterPointI(as<GpPathGradient>(nativeBrush), &Point));
}

GpStatus TGPPathGradientBrush::GetCenterPoint(TGPPointF& Point) {
    return SetStatus(GdipGetPathGradientCenterPoint(as<GpPathGradient>(nativeBrush), &Point));
}

GpStatus TGPPathGradientBrush::GetCenterPoint(TGPPoint& Point) {
    return SetStatus(GdipGetPathGradientCenterPointI(as<GpPathGradient>(nativeBrush), &Point));
}

int TGPPathGradientBrush::GetPointCount() {
    INT Count = 0;
    if (SetStatus(GdipGetPathGradientPointCount(as<GpPathGradient>(nativeBrush), &Count)) != Ok) return 0;
    return Count;
}

GpStatus TGPPathGradientBrush::SetSurroundColors(const ARGB* Colors, int& Count) {
    if (!Colors) return SetStatus(InvalidParameter);
    const int PointCount = GetPointCount();
    if (PointCount < Count || PointCount <= 0) return SetStatus(InvalidParameter);
    INT Taken = Count;
    const GpStatus S =
        SetStatus(GdipSetPathGradientSurroundColorsWithCount(as<GpPathGradient>(nativeBrush), Colors, &Taken));
    if (S == Ok) Count = Taken;
    return S;
}

GpStatus TGPPathGradientBrush::GetSurroundColors(ARGB* Colors, int& Count) {
    if (!Colors) return SetStatus(InvalidParameter);
    INT Needed = 0;
    const GpStatus S = SetStatus(GdipGetPathGradientSurroundColorCount(as<GpPathGradient>(nativeBrush), &Needed));
    if (S != Ok) return S;
    if (Count < Needed || Needed <= 0) return SetStatus(InsufficientBuffer);
    INT Written = Count;
    const GpStatus R =
        SetStatus(GdipGetPathGradientSurroundColorsWithCount(as<GpPathGradient>(nativeBrush), Colors, &Written));
    if (R == Ok) Count = Written;
    return R;
}

GpStatus TGPPathGradientBrush::SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions,
                                                      int Count) {
    if (Count <= 0 || !PresetColors) return SetStatus(InvalidParameter);
    return SetStatus(
        GdipSetPathGradientPresetBlend(as<GpPathGradient>(nativeBrush), PresetColors, BlendPositions, Count));
}

GpStatus TGPPathGradientBrush::SetGammaCorrection(bool UseGammaCorrection) {
    return SetStatus(GdipSetPathGradientGammaCorrection(as<GpPathGradient>(nativeBrush), UseGammaCorrection));
}

GpStatus TGPPathGradientBrush::SetWrapMode(WrapMode Mode) {
    return SetStatus(GdipSetPathGradientWrapMode(as<GpPathGradient>(nativeBrush), Mode));
}

// ---------------------------------------------------------------------------------------------
// TGPPen

TGPPen::TGPPen(ARGB Color, float Width) { lastResult = GdipCreatePen1(Color, Width, UnitWorld, &nativePen); }

TGPPen::TGPPen(TGPBrush* Brush, float Width) {
    lastResult = GdipCreatePen2(Brush ? Brush->nativeBrush : nullptr, Width, UnitWorld, &nativePen);
}

TGPPen::~TGPPen() { GdipDeletePen(nativePen); }

GpStatus TGPPen::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPPen::SetBrush(TGPBrush* Brush) {
    return SetStatus(GdipSetPenBrushFill(nativePen, Brush ? Brush->nativeBrush : nullptr));
}

TGPBrush* TGPPen::GetBrush() {
    TGPBrush* Brush = nullptr;
    switch (GetPenType()) {
        case PenTypeSolidColor:
            Brush = new TGPSolidBrush();
            break;
        case PenTypeHatchFill:
            Brush = new TGPHatchBrush();
            break;
        case PenTypeTextureFill:
            Brush = new TGPTextureBrush();
            break;
        case PenTypePathGradient:
            Brush = new TGPBrush();
            break;
        case PenTypeLinearGradient:
            Brush = new TGPLinearGradientBrush();
            break;
        default:
            return nullptr;
    }
    GpBrush* Native = nullptr;
    SetStatus(GdipGetPenBrushFill(nativePen, &Native));
    Brush->SetNativeBrush(Native);
    return Brush;
}

GpStatus TGPPen::SetDashStyle(DashStyle Style) { return SetStatus(GdipSetPenDashStyle(nativePen, Style)); }

DashStyle TGPPen::GetDashStyle() {
    DashStyle Style = DashStyleSolid;
    SetStatus(GdipGetPenDashStyle(nativePen, &Style));
    return Style;
}

GpStatus TGPPen::SetEndCap(int EndCap) { return SetStatus(GdipSetPenEndCap(nativePen, static_cast<LineCap>(EndCap))); }

int TGPPen::GetPenType() {
    PenType Type = PenTypeUnknown;
    if (SetStatus(GdipGetPenFillType(nativePen, &Type)) != Ok) return PenTypeUnknown;
    return Type;
}
