// Framework-internal: what the flat API's handles hold, and the helpers its units share.
#pragma once

#include "framework/gdiplus/GdiPlusFlat.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <memory>
#include <new>
#include <vector>

// Runs Body, turning anything thrown into a status: the flat API never raises.
template <class F>
Status gdipGuarded(F&& Body) {
    try {
        return Body();
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    } catch (...) {
        return GenericError;
    }
}

inline QColor qColorOfARGB(ARGB C) { return QColor::fromRgba(static_cast<QRgb>(C)); }
inline QPointF qPointOf(const GpPointF& P) { return {P.X, P.Y}; }
inline QRectF qRectOf(const GpRectF& R) { return {R.X, R.Y, R.Width, R.Height}; }
inline GpRectF gpRectOf(const QRectF& R) {
    return {static_cast<REAL>(R.x()), static_cast<REAL>(R.y()), static_cast<REAL>(R.width()),
            static_cast<REAL>(R.height())};
}
std::vector<GpPointF> gpPointsOf(const GpPoint* Points, INT Count);

// Composes Op with Matrix: Prepend applies Op first, Append applies it last.
void composeTransform(QTransform& Matrix, const QTransform& Op, MatrixOrder Order);
// Pixels per unit at 96 dpi (UnitWorld and UnitPixel: 1).
double pixelsPerUnit(Unit U);

struct GpMatrix {
    QTransform M;
};

struct GpPath {
    std::vector<QPointF> Points;
    std::vector<BYTE> Types;
    FillMode Mode = FillModeAlternate;
    bool StartNew = true;  // the next point opens a figure
    // The Qt path qPathOf last made; whatever changes Points, Types or Mode calls Changed().
    mutable QPainterPath Cache;
    mutable bool Cached = false;
    void Changed() { Cached = false; }
};
// The path as a Qt path, made once per change of the path.
QPainterPath qPathOf(const GpPath& Path);
void appendQPath(GpPath& Path, const QPainterPath& Source);

struct GpRegion {
    bool Infinite = false;
    QPainterPath Path;  // the region when not infinite
};
QPainterPath qPathOf(const GpRegion& Region);

// Every image the flat API makes is an ImageData (metafiles included: they have no frames).
struct ImageData : GpBitmap {
    ImageType Type = ImageTypeBitmap;
    GUID RawFormat = ImageFormatMemoryBMP;
    PixelFormat Format = PixelFormat32bppARGB;
    GUID FrameDimension = FrameDimensionPage;
    std::vector<QImage> Frames;  // one at least for a bitmap; none for a metafile
    int ActiveFrame = 0;
    QImage& Image() { return Frames[ActiveFrame]; }
    bool IsBitmap() const { return Type == ImageTypeBitmap && !Frames.empty(); }
};
inline ImageData* data(GpImage* Image) { return static_cast<ImageData*>(Image); }

struct SolidFillData : GpSolidFill {
    ARGB Color = 0;
};
struct HatchData : GpHatch {
    HatchStyle Style = HatchStyleHorizontal;
    ARGB Fore = 0, Back = 0;
};
struct TextureData : GpTexture {
    QImage Image;  // ARGB32, the attributes already applied
    PixelFormat Format = PixelFormat32bppARGB;
    WrapMode Wrap = WrapModeTile;
    QTransform Transform;
};
struct LineGradientData : GpLineGradient {
    QPointF Start, End;  // in gradient space
    QTransform ToWorld;  // gradient space to world
    GpRectF Rect;        // the brush rectangle in world units
    ARGB Colors[2] = {0, 0};
    WrapMode Wrap = WrapModeTile;
    BOOL Gamma = 0;
    std::vector<std::pair<REAL, ARGB>> Preset;
};
struct PathGradientData : GpPathGradient {
    GpPath Boundary;
    ARGB Center = 0xFF000000;
    QPointF CenterPoint;
    std::vector<ARGB> Surround;  // one per boundary point
    int SurroundGiven = 1;       // how many colours were set (the rest repeat the last)
    WrapMode Wrap = WrapModeClamp;
    BOOL Gamma = 0;
    std::vector<std::pair<REAL, ARGB>> Preset;  // boundary 0 .. centre 1
};
inline SolidFillData* data(GpSolidFill* B) { return static_cast<SolidFillData*>(B); }
inline HatchData* data(GpHatch* B) { return static_cast<HatchData*>(B); }
inline TextureData* data(GpTexture* B) { return static_cast<TextureData*>(B); }
inline LineGradientData* data(GpLineGradient* B) { return static_cast<LineGradientData*>(B); }
inline PathGradientData* data(GpPathGradient* B) { return static_cast<PathGradientData*>(B); }
BrushType brushKind(const GpBrush& Brush);
GpBrush* cloneBrush(const GpBrush& Brush);

// The Qt brush for a brush in world units; path gradients give their centre colour (the fill
// routines draw them with fillPathGradient instead).
QBrush qBrushOf(const GpBrush& Brush);
// Fills Shape (world units) with a path gradient; Painter carries the world-to-device transform.
void fillPathGradient(QPainter& Painter, const QPainterPath& Shape, const PathGradientData& Brush);

struct GpPen {
    std::unique_ptr<GpBrush> Brush;
    REAL Width = 1;
    Unit PenUnit = UnitWorld;
    DashStyle Dash = DashStyleSolid;
    LineCap StartCap = LineCapFlat, EndCap = LineCapFlat;
    LineJoin Join = LineJoinMiter;
};
QPen qPenOf(const GpPen& Pen);

struct GpStringFormat {
    INT Flags = 0;
    LANGID Language = 0;
    StringAlignment Align = StringAlignmentNear;
    StringAlignment LineAlign = StringAlignmentNear;
    StringTrimming Trimming = StringTrimmingCharacter;
    INT Hotkey = HotkeyPrefixNone;
    bool Typographic = false;  // no padding around the text
    bool Shared = false;       // a generic format: deleting it does nothing
};

struct GpFontFamily {
    String Name;       // as asked for
    String Installed;  // the family drawn with
    bool Shared = false;
};

struct GpFont {
    GpFontFamily Family;
    REAL EmSize = 0;
    INT Style = 0;
    Unit FontUnit = UnitPoint;
    QFont Q;
};

struct GpFontCollection {};

struct GpImageAttributes {
    struct Adjust {
        bool Specified = false;
        bool NoOp = false;
        bool MatrixOn = false;
        ColorMatrix Matrix{};
        ColorMatrix Gray{};
        bool GrayOn = false;
        ColorMatrixFlags MatrixFlags = ColorMatrixFlagsDefault;
        bool ThresholdOn = false;
        REAL Threshold = 0;
        bool GammaOn = false;
        REAL Gamma = 1;
        bool KeyOn = false;
        ARGB KeyLow = 0, KeyHigh = 0;
        bool RemapOn = false;
        std::vector<ColorMap> Remap;
    };
    Adjust Types[ColorAdjustTypeCount];
    WrapMode Wrap = WrapModeClamp;
    ARGB WrapColor = 0;
    BOOL Clamp = 0;
    // The settings that apply to Type (its own once specified, else the default ones).
    const Adjust& For(ColorAdjustType Type) const {
        return Types[Type].Specified ? Types[Type] : Types[ColorAdjustTypeDefault];
    }
};
ARGB adjustColor(ARGB Color, const GpImageAttributes::Adjust& A);
// A copy of Source (ARGB32) with the attributes for Type applied.
QImage adjustedImage(const QImage& Source, const GpImageAttributes* Attributes, ColorAdjustType Type);

struct GpGraphics {
    HDC DC = nullptr;
    ImageData* Target = nullptr;
    QTransform World;
    SmoothingMode Smoothing = SmoothingModeDefault;
    TextRenderingHint TextHint = TextRenderingHintSystemDefault;
    CompositingQuality Quality = CompositingQualityDefault;
    CompositingMode Compositing = CompositingModeSourceOver;
    InterpolationMode Interpolation = InterpolationModeBilinear;
    PixelOffsetMode PixelOffset = PixelOffsetModeDefault;
    bool Clipped = false;
    QPainterPath Clip;  // device units of the surface (after the context's origin)
    HDC TempDC = nullptr;
    QSize SurfaceSize() const;
};

// An open painter on a graphics' surface for one call: the context's origin and clip, the
// graphics' clip, world transform and hints applied; restored when the scope ends.
class GraphicsPaint {
public:
    enum TKind { kShapes, kText, kImage };
    GraphicsPaint(GpGraphics* Graphics, TKind Kind);
    ~GraphicsPaint();
    GraphicsPaint(const GraphicsPaint&) = delete;
    GraphicsPaint& operator=(const GraphicsPaint&) = delete;
    QPainter* Painter() { return FPainter; }
    explicit operator bool() const { return FPainter != nullptr; }
    // Surface (after origin) to device of the painter.
    const QTransform& Base() const { return FBase; }

private:
    QPainter* FPainter = nullptr;
    std::unique_ptr<QPainter> FOwned;
    QTransform FBase;
    // Shapes on a device context's painter without a clip: only the transform, hints and
    // composition change, so those are put back instead of saving the whole painter state.
    bool FSaved = false;
    QTransform FOldTransform;
    QPainter::RenderHints FOldHints;
    QPainter::CompositionMode FOldComposition = QPainter::CompositionMode_SourceOver;
};

// Fills or strokes Shape (world units) on Graphics with Brush or Pen.
Status gdipFill(GpGraphics* Graphics, const GpBrush* Brush, const QPainterPath& Shape);
Status gdipStroke(GpGraphics* Graphics, const GpPen* Pen, const QPainterPath& Shape);

// Text layout shared by DrawString, MeasureString and AddPathString.
QFont qFontOf(const GpFont& Font, TextRenderingHint Hint);
struct TextLayout {
    QRectF Rect;  // where Qt lays the text out
    int Flags = 0;
    String Text;
    double Padding = 0;
};
TextLayout layoutText(const QFont& Font, const String& Text, const GpRectF& Layout, const GpStringFormat* Format);
