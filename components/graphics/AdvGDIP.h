// The GDI+ object layer: one wrapper class per GDI+ object kind over the flat API, the records
// and helpers that build GDI+ arguments from the framework's colours and rectangles, and the
// start-up and shut-down of GDI+ for the process.
//
// Every wrapper owns one native object and frees it with the matching flat call. Nothing raises:
// each operation returns the flat call's Status and the wrapper keeps the last failure in its
// status field (lastResult) until GetLastStatus reads it. A wrapper whose creation failed keeps a
// nil native handle and that status; later calls pass the nil handle on and fail in turn.
// Wrappers are freed with Free (or delete); their memory comes from GDI+'s heap.
#pragma once

#include "framework/gdiplus/GdiPlusTypes.h"
#include "framework/ui/Graphics.h"

#include <cstddef>

// ---------------------------------------------------------------------------------------------
// Records and helpers

using TGPPointF = GpPointF;
using TGPPoint = GpPoint;
using TGPRectF = GpRectF;
using TGPRect = GpRect;

// The controls' choice of text smoothing: GDI text, or GDI+ text with the ClearType
// (TextRenderingHintClearTypeGridFit) or the anti-alias (TextRenderingHintAntiAlias) hint.
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };

enum TGPImageFormat { ifUndefined, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon };

// m11, m12, m21, m22, dx, dy
using TMatrixArray = REAL[6];

// The colour resolved to RGB (system colours through the palette), alpha 255.
ARGB ColorToARGB(TColor Color);
// Whether the unit's start-up has started GDI+ for the process (it runs before main()).
bool GdiplusStarted();
TGPPoint MakeGPPoint(int X, int Y);
TGPPointF MakeGPPointF(float X, float Y);
TGPRectF MakeGPRectF(float X, float Y, float Width, float Height);
TGPRect MakeGPRect(int X, int Y, int Width, int Height);
// Rounds as the platform does (halves to the even neighbour) without raising: a value that is
// not finite gives 0, one beyond the integer range the nearest end.
int GPRound(double Value);
constexpr ARGB ComposeARGB(Byte Alpha, Byte Red, Byte Green, Byte Blue) {
    return (ARGB(Alpha) << 24) | (ARGB(Red) << 16) | (ARGB(Green) << 8) | ARGB(Blue);
}
constexpr ARGB ComposeRGB(Byte Red, Byte Green, Byte Blue) { return ComposeARGB(255, Red, Green, Blue); }
constexpr Byte ARGBAlpha(ARGB Color) { return Byte(Color >> 24); }
constexpr Byte ARGBRed(ARGB Color) { return Byte(Color >> 16); }
constexpr Byte ARGBGreen(ARGB Color) { return Byte(Color >> 8); }
constexpr Byte ARGBBlue(ARGB Color) { return Byte(Color); }

// ---------------------------------------------------------------------------------------------
// Root class

class TGdiplusBase : public TObject {
public:
    // Instances live in GDI+'s heap; an allocation before the unit started GDI+ starts it.
    static void* operator new(std::size_t Size);
    static void operator delete(void* Memory);
};

class TGPImage;
class TGPBitmap;
class TGPMatrix;
class TGPGraphicsPath;
class TGPRegion;
class TGPImageAttributes;
class TGPBrush;
class TGPPen;
class TGPFont;
class TGPFontFamily;
class TGPFontCollection;
class TGPStringFormat;

// ---------------------------------------------------------------------------------------------
// Graphics

class TGPGraphics : public TGdiplusBase {
public:
    explicit TGPGraphics(HDC DC);
    // A nil image gives a wrapper without native graphics and status Ok.
    explicit TGPGraphics(TGPImage* Image);
    ~TGPGraphics() override;
    static TGPGraphics* FromImage(TGPImage* Image);

    void Flush(FlushIntention Intention = FlushIntentionFlush);
    GpStatus Clear(ARGB Color);
    HDC GetHDC();
    void ReleaseHDC(HDC DC);

    GpStatus SetTransform(TGPMatrix* Matrix);
    GpStatus ResetTransform();
    GpStatus MultiplyTransform(TGPMatrix* Matrix, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus TranslateTransform(float DX, float DY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus ScaleTransform(float SX, float SY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus RotateTransform(float Angle, MatrixOrder Order = MatrixOrderPrepend);

    GpStatus SetSmoothingMode(int Mode);
    // -1 when the call fails.
    int GetSmoothingMode();
    GpStatus SetTextRenderingHint(TextRenderingHint Hint);
    TextRenderingHint GetTextRenderingHint();
    GpStatus SetCompositingQuality(int Quality);
    int GetCompositingQuality();

    GpStatus DrawLine(TGPPen* Pen, float X1, float Y1, float X2, float Y2);
    GpStatus DrawRectangle(TGPPen* Pen, const TGPRectF& Rect);
    GpStatus DrawRectangle(TGPPen* Pen, float X, float Y, float Width, float Height);
    GpStatus DrawEllipse(TGPPen* Pen, const TGPRectF& Rect);
    GpStatus DrawEllipse(TGPPen* Pen, float X, float Y, float Width, float Height);
    GpStatus DrawEllipse(TGPPen* Pen, const TGPRect& Rect);
    GpStatus DrawEllipse(TGPPen* Pen, int X, int Y, int Width, int Height);
    GpStatus DrawArc(TGPPen* Pen, const TGPRectF& Rect, float StartAngle, float SweepAngle);
    GpStatus DrawArc(TGPPen* Pen, float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    GpStatus DrawBezier(TGPPen* Pen, const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3,
                        const TGPPointF& Pt4);
    GpStatus DrawBezier(TGPPen* Pen, float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4);
    GpStatus DrawBeziers(TGPPen* Pen, const TGPPointF* Points, int Count);
    // Pen and path may be nil (passed on as no object).
    GpStatus DrawPath(TGPPen* Pen, TGPGraphicsPath* Path);

    GpStatus FillRectangle(TGPBrush* Brush, const TGPRectF& Rect);
    GpStatus FillRectangle(TGPBrush* Brush, float X, float Y, float Width, float Height);
    GpStatus FillEllipse(TGPBrush* Brush, const TGPRectF& Rect);
    GpStatus FillEllipse(TGPBrush* Brush, float X, float Y, float Width, float Height);
    GpStatus FillEllipse(TGPBrush* Brush, const TGPRect& Rect);
    GpStatus FillEllipse(TGPBrush* Brush, int X, int Y, int Width, int Height);
    GpStatus FillPolygon(TGPBrush* Brush, const TGPPointF* Points, int Count, FillMode Mode = FillModeAlternate);
    GpStatus FillPolygon(TGPBrush* Brush, const TGPPoint* Points, int Count, FillMode Mode = FillModeAlternate);
    GpStatus FillPath(TGPBrush* Brush, TGPGraphicsPath* Path);

    GpStatus SetClip(TGPRegion* Region, CombineMode Mode = CombineModeReplace);
    GpStatus SetClip(TGPGraphicsPath* Path, CombineMode Mode = CombineModeReplace);
    GpStatus ExcludeClip(const TGPRectF& Rect);
    GpStatus ExcludeClip(TGPRegion* Region);
    GpStatus ResetClip();

    // Images may be nil (passed on as no object).
    GpStatus DrawImage(TGPImage* Image, int X, int Y);
    GpStatus DrawImage(TGPImage* Image, const TGPRectF& Rect);
    GpStatus DrawImage(TGPImage* Image, float X, float Y, float Width, float Height);
    GpStatus DrawImage(TGPImage* Image, const TGPRectF& DestRect, float SrcX, float SrcY, float SrcWidth,
                       float SrcHeight, Unit_ SrcUnit, TGPImageAttributes* ImageAttributes = nullptr,
                       DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    GpStatus DrawImageRect(TGPImage* Image, int X, int Y, int W, int H);
    // Each field is rounded to an integer first.
    GpStatus DrawImageRect(TGPImage* Image, const TGPRectF& Rect);

    // Length is passed through; font, format may be nil.
    GpStatus MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                           TGPStringFormat* StringFormat, TGPRectF& BoundingBox, int* CodepointsFitted = nullptr,
                           int* LinesFilled = nullptr);
    GpStatus MeasureString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                           TGPStringFormat* StringFormat, TGPRectF& BoundingBox);
    GpStatus MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                           TGPRectF& BoundingBox);
    // The whole text is drawn: Length is not consulted. Font, format and brush may be nil.
    GpStatus DrawString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                        TGPStringFormat* StringFormat, TGPBrush* Brush);
    GpStatus DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                        TGPStringFormat* StringFormat, TGPBrush* Brush);
    GpStatus DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin, TGPBrush* Brush);

    // Text helpers. Style takes the DrawText flags, of which only DT_CALCRECT is read; BkColor
    // clNone means no background. Returns the height of Rect after measuring.
    int DrawText(const String& Text, int Len, TRect& Rect, TFont* Font, UINT Style, TColor BkColor = clNone);
    int TextWidth(const String& Text, TFont* Font);
    int TextHeight(const String& Text, TFont* Font);
    // The font's face, or "Arial" when that face is not installed; the caller owns the result.
    TGPFont* MakeFont(TFont* AFont);

    // Returns the last failure and resets it to Ok.
    GpStatus GetLastStatus();

protected:
    GpGraphics* nativeGraphics = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
};

// ---------------------------------------------------------------------------------------------
// Pens and brushes

class TGPBrush : public TGdiplusBase {
public:
    // No native brush; status NotImplemented.
    TGPBrush();
    // Adopts both.
    TGPBrush(GpBrush* NativeBrush, GpStatus S);
    ~TGPBrush() override;

protected:
    GpBrush* nativeBrush = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    void SetNativeBrush(GpBrush* NativeBrush) { nativeBrush = NativeBrush; }
    friend class TGPGraphics;
    friend class TGPPen;
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB Color);
    // Empty wrapper (nil native, status Ok), filled by TGPPen::GetBrush.
    TGPSolidBrush();
};

class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor = ComposeARGB(255, 0, 0, 0));
    TGPHatchBrush();

    HatchStyle GetHatchStyle();
    GpStatus GetForegroundColor(ARGB& Color);
    GpStatus GetBackgroundColor(ARGB& Color);
};

class TGPTextureBrush : public TGPBrush {
public:
    TGPTextureBrush(TGPImage* Image, WrapMode Mode = WrapModeTile);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRectF& DstRect);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, float DstX, float DstY, float DstWidth, float DstHeight);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRect& DstRect);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, int DstX, int DstY, int DstWidth, int DstHeight);
    TGPTextureBrush(TGPImage* Image, const TGPRectF& DstRect, TGPImageAttributes* ImageAttributes = nullptr);
    TGPTextureBrush(TGPImage* Image, const TGPRect& DstRect, TGPImageAttributes* ImageAttributes = nullptr);
    TGPTextureBrush();

    GpStatus ResetTransform();
    GpStatus TranslateTransform(float DX, float DY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus ScaleTransform(float SX, float SY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus RotateTransform(float Angle, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus SetWrapMode(WrapMode Mode);
    WrapMode GetWrapMode();
    // A new image around the brush's image, with the brush's status; the caller owns it.
    TGPImage* GetImage();
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, ARGB Color1, ARGB Color2);
    TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, ARGB Color1, ARGB Color2);
    TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, float Angle, bool IsAngleScalable = false);
    TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, float Angle, bool IsAngleScalable = false);
    // Like TGPBrush(): no native brush, status NotImplemented.
    TGPLinearGradientBrush();

    GpStatus SetGammaCorrection(bool UseGammaCorrection);
    // A count of 0 or less gives InvalidParameter without a call.
    GpStatus SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count);
};

class TGPPathGradientBrush : public TGPBrush {
public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* Path);

    GpStatus SetCenterColor(ARGB Color);
    GpStatus GetCenterColor(ARGB& Color);
    GpStatus SetCenterPoint(const TGPPointF& Point);
    GpStatus SetCenterPoint(const TGPPoint& Point);
    GpStatus GetCenterPoint(TGPPointF& Point);
    GpStatus GetCenterPoint(TGPPoint& Point);
    int GetPointCount();
    // Count in: the colours given; out: the colours GDI+ took.
    GpStatus SetSurroundColors(const ARGB* Colors, int& Count);
    // Count in: the room in Colors; out: the colours returned.
    GpStatus GetSurroundColors(ARGB* Colors, int& Count);
    GpStatus SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count);
    GpStatus SetGammaCorrection(bool UseGammaCorrection);
    GpStatus SetWrapMode(WrapMode Mode);
};

class TGPPen : public TGdiplusBase {
public:
    TGPPen(ARGB Color, float Width = 1.0f);
    TGPPen(TGPBrush* Brush, float Width = 1.0f);
    ~TGPPen() override;

    GpStatus SetBrush(TGPBrush* Brush);
    // A new wrapper of the pen's fill kind around a copy of its brush (nil for an unknown kind);
    // the caller owns it.
    TGPBrush* GetBrush();
    GpStatus SetDashStyle(DashStyle Style);
    DashStyle GetDashStyle();
    GpStatus SetEndCap(int EndCap);
    // 0 solid colour, 1 hatch, 2 texture, 3 path gradient, 4 linear gradient; -1 on failure.
    int GetPenType();

protected:
    GpPen* nativePen = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPGraphicsPath;
};

// ---------------------------------------------------------------------------------------------
// Text: string format, font family, font, font collection

class TGPStringFormat : public TGdiplusBase {
public:
    explicit TGPStringFormat(int FormatFlags = 0, LANGID Language = 0);
    // A copy of Format (nil allowed: GDI+ decides).
    explicit TGPStringFormat(TGPStringFormat* Format);
    TGPStringFormat(GpStringFormat* NativeFormat, GpStatus S);
    ~TGPStringFormat() override;

    GpStatus SetAlignment(StringAlignment Align);
    StringAlignment GetAlignment();
    GpStatus SetLineAlignment(StringAlignment Align);
    StringAlignment GetLineAlignment();
    GpStatus SetFormatFlags(int Flags);
    int GetFormatFlags();
    GpStatus SetTrimming(StringTrimming Trimming);
    StringTrimming GetTrimming();
    GpStatus SetHotkeyPrefix(HotkeyPrefix Prefix);
    HotkeyPrefix GetHotkeyPrefix();

protected:
    GpStringFormat* nativeFormat = nullptr;
    GpStatus lastError = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPGraphicsPath;
};

// Wraps no collection: the installed fonts.
class TGPFontCollection : public TGdiplusBase {
public:
    TGPFontCollection() = default;

protected:
    GpFontCollection* nativeFontCollection = nullptr;
    GpStatus lastResult = Ok;
    friend class TGPFontFamily;
};

class TGPFontFamily : public TGdiplusBase {
public:
    // A family that is not installed leaves FontFamilyNotFound.
    explicit TGPFontFamily(const String& Name, TGPFontCollection* FontCollection = nullptr);
    TGPFontFamily(GpFontFamily* NativeFamily, GpStatus S);
    ~TGPFontFamily() override;

    // Shared wrappers made on first use and kept for the process.
    static TGPFontFamily* GenericSansSerif();
    static TGPFontFamily* GenericSerif();
    static TGPFontFamily* GenericMonospace();

    GpStatus Status() const { return lastResult; }

protected:
    GpFontFamily* nativeFamily = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPFont;
    friend class TGPGraphicsPath;
};

class TGPFont : public TGdiplusBase {
public:
    // Family may be nil (passed on as no object). Style is the GDI+ FontStyle bits.
    TGPFont(TGPFontFamily* Family, float EmSize, int Style = FontStyleRegular, Unit_ U = UnitPoint);
    // The family by name; when GDI+ refuses the font, the generic sans-serif family.
    TGPFont(const String& FamilyName, float EmSize, TFontStyles Style = {}, Unit_ U = UnitPoint,
            TGPFontCollection* FontCollection = nullptr);
    TGPFont(GpFont* NativeFont, GpStatus S);
    ~TGPFont() override;

    GpStatus Status() const { return lastResult; }

protected:
    GpFont* nativeFont = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
};

// ---------------------------------------------------------------------------------------------
// Paths, regions, matrices

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode Mode = FillModeAlternate);
    TGPGraphicsPath(const TGPPointF* Points, const BYTE* Types, int Count, FillMode Mode = FillModeAlternate);
    // Adopts it, status Ok.
    explicit TGPGraphicsPath(GpPath* NativePath);
    ~TGPGraphicsPath() override;

    GpStatus Reset();
    GpStatus CloseFigure();
    GpStatus AddLine(const TGPPointF& Pt1, const TGPPointF& Pt2);
    GpStatus AddLine(float X1, float Y1, float X2, float Y2);
    GpStatus AddLines(const TGPPoint* Points, int Count);
    GpStatus AddRectangle(const TGPRectF& Rect);
    GpStatus AddRectangle(const TGPRect& Rect);
    GpStatus AddArc(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    GpStatus AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    GpStatus AddPie(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    GpStatus AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    GpStatus AddEllipse(const TGPRectF& Rect);
    GpStatus AddEllipse(float X, float Y, float Width, float Height);
    GpStatus AddPolygon(const TGPPointF* Points, int Count);
    GpStatus AddPolygon(const TGPPoint* Points, int Count);
    GpStatus AddCurve(const TGPPointF* Points, int Count);
    GpStatus AddCurve(const TGPPoint* Points, int Count);
    GpStatus AddCurve(const TGPPoint* Points, int Count, float Tension);
    GpStatus AddBezier(const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3, const TGPPoint& Pt4);
    GpStatus AddBezier(const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3, const TGPPointF& Pt4);
    GpStatus AddBezier(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4);
    // Family and format may be nil.
    GpStatus AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                       const TGPPointF& Origin, TGPStringFormat* Format);
    GpStatus AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                       const TGPRectF& LayoutRect, TGPStringFormat* Format);
    // 0 when the call fails.
    int GetPointCount();
    GpStatus GetPathPoints(TGPPointF* Points, int Count);
    GpStatus GetPathTypes(BYTE* Types, int Count);
    // Matrix and pen may be nil.
    GpStatus GetBounds(TGPRectF& Bounds, TGPMatrix* Matrix = nullptr, TGPPen* Pen = nullptr);

protected:
    GpPath* nativePath = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPRegion;
    friend class TGPPathGradientBrush;
};

class TGPRegion : public TGdiplusBase {
public:
    explicit TGPRegion(const TGPRectF& Rect);
    explicit TGPRegion(TGPGraphicsPath* Path);
    ~TGPRegion() override;

    GpStatus Exclude(TGPGraphicsPath* Path);
    GpStatus Union(TGPRegion* Region);

protected:
    GpRegion* nativeRegion = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
};

class TGPMatrix : public TGdiplusBase {
public:
    TGPMatrix();
    TGPMatrix(float M11, float M12, float M21, float M22, float DX, float DY);
    // Maps Rect onto the parallelogram of DstPlg's three points (top-left, top-right, bottom-left).
    TGPMatrix(const TGPRectF& Rect, const TGPPointF* DstPlg);
    TGPMatrix(const TGPRect& Rect, const TGPPoint* DstPlg);
    // Adopts it, status Ok.
    explicit TGPMatrix(GpMatrix* NativeMatrix);
    ~TGPMatrix() override;

    // A new matrix around GDI+'s copy, or nil when that copy failed; the caller owns it.
    TGPMatrix* Clone();
    GpStatus GetElements(TMatrixArray& M);
    GpStatus SetElements(float M11, float M12, float M21, float M22, float DX, float DY);
    // 0 when the elements cannot be read.
    float OffsetX();
    float OffsetY();
    GpStatus Reset();
    GpStatus Multiply(TGPMatrix* Matrix, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus Translate(float OffsetX, float OffsetY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus Scale(float ScaleX, float ScaleY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus Rotate(float Angle, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus RotateAt(float Angle, const TGPPointF& Center, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus Shear(float ShearX, float ShearY, MatrixOrder Order = MatrixOrderPrepend);
    GpStatus Invert();
    GpStatus TransformPoints(TGPPointF* Points, int Count = 1);
    GpStatus TransformPoints(TGPPoint* Points, int Count = 1);
    GpStatus TransformVectors(TGPPointF* Points, int Count = 1);
    GpStatus TransformVectors(TGPPoint* Points, int Count = 1);
    // False when the call fails.
    bool IsInvertible();
    bool IsIdentity();
    GpStatus GetLastStatus();

protected:
    GpMatrix* nativeMatrix = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPGraphicsPath;
};

// ---------------------------------------------------------------------------------------------
// Images, bitmaps, image attributes

class TGPImage : public TGdiplusBase {
public:
    TGPImage(const String& FileName, bool UseEmbeddedColorManagement = false);
    TGPImage(IStream* Stream, bool UseEmbeddedColorManagement = false);
    // Adopts both.
    TGPImage(GpImage* NativeImage, GpStatus S);
    ~TGPImage() override;

    int Width() { return static_cast<int>(GetWidth()); }
    int Height() { return static_cast<int>(GetHeight()); }

    TGPImageFormat GetFormat();
    // Pixels; 0 when the call fails.
    UINT GetWidth();
    UINT GetHeight();
    PixelFormat GetPixelFormat();
    int GetPixelDepth();
    bool HasPalette();
    bool HasAlphaChannel();
    // A new image with this image's status; the caller owns it.
    TGPImage* GetThumbnailImage(UINT ThumbWidth, UINT ThumbHeight, GetThumbnailImageAbort Callback = nullptr,
                                void* CallbackData = nullptr);
    GpStatus RotateFlip(RotateFlipType Type);
    // Frames along a dimension (FrameDimensionTime for a GIF); 0 when the call fails.
    UINT GetFrameCount(const GUID& DimensionID);
    // Later drawing shows that frame (0-based), as it appears composed on the image's screen.
    GpStatus SelectActiveFrame(const GUID& DimensionID, UINT FrameIndex);
    GpStatus Save(const String& FileName, const CLSID& ClsidEncoder, const EncoderParameters* Params = nullptr);
    GpStatus Save(IStream* Stream, const CLSID& ClsidEncoder, const EncoderParameters* Params = nullptr);
    // A nil image gives InvalidParameter without a call.
    GpStatus SaveAdd(TGPImage* NewImage, const EncoderParameters* Params);

protected:
    GpImage* nativeImage = nullptr;
    GpStatus lastResult = Ok;
    GpStatus loadStatus = Ok;

    TGPImage() = default;
    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPTextureBrush;
};

class TGPBitmap : public TGPImage {
public:
    TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement = false);
    TGPBitmap(int Width, int Height, PixelFormat Format = PixelFormat32bppARGB);
    // Adopts it, status Ok.
    explicit TGPBitmap(GpBitmap* NativeBitmap);
    static TGPBitmap* FromStream(IStream* Stream, bool UseEmbeddedColorManagement = false);

    GpStatus GetHBITMAP(ARGB ColorBackground, HBITMAP& HbmReturn);
    GpStatus GetPixel(int X, int Y, ARGB& Color);
    GpStatus SetPixel(int X, int Y, ARGB Color);

private:
    GpBitmap* nativeBitmap() const;
};

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    TGPImageAttributes(GpImageAttributes* NativeAttributes, GpStatus S);
    ~TGPImageAttributes() override;

    // A new wrapper with this object's status; the caller owns it.
    TGPImageAttributes* Clone();
    GpStatus SetToIdentity(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus Reset(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetColorMatrix(const ColorMatrix& Matrix, ColorMatrixFlags Flags = ColorMatrixFlagsDefault,
                            ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearColorMatrix(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetColorMatrices(const ColorMatrix& Matrix, const ColorMatrix& GrayMatrix,
                              ColorMatrixFlags Flags = ColorMatrixFlagsDefault,
                              ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearColorMatrices(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetThreshold(float Threshold, ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearThreshold(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetGamma(float Gamma, ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearGamma(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetNoOp(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearNoOp(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetColorKey(ARGB ColorLow, ARGB ColorHigh, ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearColorKey(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetOutputChannel(ColorChannelFlags ChannelFlags, ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearOutputChannel(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetOutputChannelColorProfile(const String& ColorProfileFilename,
                                          ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearOutputChannelColorProfile(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetRemapTable(int MapSize, const ColorMap* Map, ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus ClearRemapTable(ColorAdjustType Type = ColorAdjustTypeDefault);
    GpStatus SetBrushRemapTable(int MapSize, const ColorMap* Map);
    GpStatus ClearBrushRemapTable();
    GpStatus SetWrapMode(WrapMode Wrap, ARGB Color = ComposeARGB(255, 0, 0, 0), bool Clamp = false);
    GpStatus GetAdjustedPalette(ColorPalette* Palette, ColorAdjustType Type);
    GpStatus GetLastStatus();

protected:
    GpImageAttributes* nativeImageAttr = nullptr;
    GpStatus lastResult = Ok;

    GpStatus SetStatus(GpStatus S);
    friend class TGPGraphics;
    friend class TGPTextureBrush;
};
