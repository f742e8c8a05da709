// The argument types of the GDI+ flat API: opaque handles, the Status values, the published
// enumerations and constants, the plain records, image-format and encoder ids, and the COM-style
// stream the image calls read and write. No Qt type appears here.
#pragma once

#include "framework/rtl/ResultCodes.h"

#include "framework/rtl/Component.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/WinTypes.h"

#include <atomic>
#include <cstdint>

// ---------------------------------------------------------------------------------------------
// Scalars

using INT = std::int32_t;
using UINT32 = std::uint32_t;
using ULONG = std::uint32_t;
using INT16 = std::int16_t;
using UINT16 = std::uint16_t;
using LANGID = std::uint16_t;
using BYTE = std::uint8_t;
using REAL = float;
using ARGB = std::uint32_t;
using PROPID = std::uint32_t;
using GraphicsState = UINT;
using GraphicsContainer = UINT;
// Text arguments are UTF-16: u"..." literals, or WideText(S) for a String.
using WCHAR = char16_t;
inline const WCHAR* WideText(const String& S) { return reinterpret_cast<const WCHAR*>(S.utf16()); }

inline constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);
inline constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070u);

// ---------------------------------------------------------------------------------------------
// Status: the result of every flat call, in the published order.

enum Status : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
// For members named Status (a class may not use Status as both a type and a member name).
using GpStatus = Status;

// ---------------------------------------------------------------------------------------------
// Opaque handles: each names one object the flat API made; free it with its Gdip...Delete call.

struct GpGraphics;
struct GpPen;
struct GpPath;
struct GpRegion;
struct GpMatrix;
struct GpImageAttributes;
struct GpStringFormat;
struct GpFontFamily;
struct GpFont;
struct GpFontCollection;
struct GpCustomLineCap;
struct GpCachedBitmap;

// Brush and image handles convert to their base kind, as the flat calls expect.
struct GpBrush {
    virtual ~GpBrush() = default;

protected:
    GpBrush() = default;
    GpBrush(const GpBrush&) = default;
};
struct GpSolidFill : GpBrush {};
struct GpHatch : GpBrush {};
struct GpTexture : GpBrush {};
struct GpLineGradient : GpBrush {};
struct GpPathGradient : GpBrush {};

struct GpImage {
    virtual ~GpImage() = default;

protected:
    GpImage() = default;
    GpImage(const GpImage&) = default;
};
struct GpBitmap : GpImage {};

// ---------------------------------------------------------------------------------------------
// Records

struct GpPointF {
    REAL X = 0;
    REAL Y = 0;
};
struct GpPoint {
    INT X = 0;
    INT Y = 0;
};
struct GpSizeF {
    REAL Width = 0;
    REAL Height = 0;
};
struct GpSize {
    INT Width = 0;
    INT Height = 0;
};
struct GpRectF {
    REAL X = 0;
    REAL Y = 0;
    REAL Width = 0;
    REAL Height = 0;
};
struct GpRect {
    INT X = 0;
    INT Y = 0;
    INT Width = 0;
    INT Height = 0;
};

// 5 x 5 matrix applied to a row vector (r, g, b, a, 1) of components in 0 .. 1.
struct ColorMatrix {
    REAL m[5][5];
};

struct ColorMap {
    ARGB oldColor;
    ARGB newColor;
};

enum PaletteFlags : int {
    PaletteFlagsHasAlpha = 0x0001,
    PaletteFlagsGrayScale = 0x0002,
    PaletteFlagsHalftone = 0x0004
};

// Entries is declared with one element; callers allocate room for Count of them.
struct ColorPalette {
    UINT Flags;
    UINT Count;
    ARGB Entries[1];
};

struct GUID {
    DWORD Data1;
    Word Data2;
    Word Data3;
    Byte Data4[8];
};
using CLSID = GUID;
inline constexpr bool operator==(const GUID& A, const GUID& B) {
    if (A.Data1 != B.Data1 || A.Data2 != B.Data2 || A.Data3 != B.Data3) return false;
    for (int I = 0; I < 8; ++I)
        if (A.Data4[I] != B.Data4[I]) return false;
    return true;
}

enum EncoderParameterValueType : int {
    EncoderParameterValueTypeByte = 1,
    EncoderParameterValueTypeASCII = 2,
    EncoderParameterValueTypeShort = 3,
    EncoderParameterValueTypeLong = 4,
    EncoderParameterValueTypeRational = 5,
    EncoderParameterValueTypeLongRange = 6,
    EncoderParameterValueTypeUndefined = 7,
    EncoderParameterValueTypeRationalRange = 8,
};

struct EncoderParameter {
    GUID Guid;
    ULONG NumberOfValues;
    ULONG Type;  // EncoderParameterValueType
    void* Value;
};

// Parameter is declared with one element; callers allocate room for Count of them.
struct EncoderParameters {
    UINT Count;
    EncoderParameter Parameter[1];
};

// One row of GdipGetImageEncoders.
struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

// Raw formats (GdipGetImageRawFormat).
inline constexpr GUID ImageFormatUndefined = {
    0xb96b3ca9, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatMemoryBMP = {
    0xb96b3caa, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatBMP = {0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEMF = {0xb96b3cac, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatWMF = {0xb96b3cad, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatJPEG = {0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatPNG = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatGIF = {0xb96b3cb0, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatTIFF = {0xb96b3cb1, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEXIF = {0xb96b3cb2, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatIcon = {0xb96b3cb5, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// Encoder class ids (GdipSaveImageToFile / GdipSaveImageToStream).
inline constexpr CLSID EncoderClsidBMP = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID EncoderClsidJPEG = {
    0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID EncoderClsidGIF = {0x557cf402, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID EncoderClsidTIFF = {
    0x557cf405, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID EncoderClsidPNG = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// Encoder parameter ids: JPEG quality (one Long, 0 .. 100).
inline constexpr GUID EncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// Frame dimensions (GdipImageGetFrameCount, GdipImageSelectActiveFrame).
inline constexpr GUID FrameDimensionTime = {
    0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
inline constexpr GUID FrameDimensionPage = {
    0x7462dc86, 0x6180, 0x4c7e, {0x8e, 0x3f, 0xee, 0x73, 0x33, 0xa7, 0xa4, 0x83}};

// ---------------------------------------------------------------------------------------------
// Enumerations (published names and values)

enum FillMode : int { FillModeAlternate = 0, FillModeWinding = 1 };

enum Unit : int {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};
using Unit_ = Unit;
using GpUnit = Unit;

enum QualityMode : int { QualityModeInvalid = -1, QualityModeDefault = 0, QualityModeLow = 1, QualityModeHigh = 2 };

enum SmoothingMode : int {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
    SmoothingModeAntiAlias8x4 = 4,
    SmoothingModeAntiAlias8x8 = 5,
};

enum TextRenderingHint : int {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5,
};

enum CompositingMode : int { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

enum CompositingQuality : int {
    CompositingQualityInvalid = -1,
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4,
};

enum InterpolationMode : int {
    InterpolationModeInvalid = -1,
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7,
};

enum PixelOffsetMode : int {
    PixelOffsetModeInvalid = -1,
    PixelOffsetModeDefault = 0,
    PixelOffsetModeHighSpeed = 1,
    PixelOffsetModeHighQuality = 2,
    PixelOffsetModeNone = 3,
    PixelOffsetModeHalf = 4,
};

enum MatrixOrder : int { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

enum CombineMode : int {
    CombineModeReplace = 0,
    CombineModeIntersect = 1,
    CombineModeUnion = 2,
    CombineModeXor = 3,
    CombineModeExclude = 4,
    CombineModeComplement = 5,
};

enum WrapMode : int {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};

enum LinearGradientMode : int {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3,
};

enum HatchStyle : int {
    HatchStyleHorizontal = 0,
    HatchStyleVertical = 1,
    HatchStyleForwardDiagonal = 2,
    HatchStyleBackwardDiagonal = 3,
    HatchStyleCross = 4,
    HatchStyleDiagonalCross = 5,
    HatchStyle05Percent = 6,
    HatchStyle10Percent = 7,
    HatchStyle20Percent = 8,
    HatchStyle25Percent = 9,
    HatchStyle30Percent = 10,
    HatchStyle40Percent = 11,
    HatchStyle50Percent = 12,
    HatchStyle60Percent = 13,
    HatchStyle70Percent = 14,
    HatchStyle75Percent = 15,
    HatchStyle80Percent = 16,
    HatchStyle90Percent = 17,
    HatchStyleLightDownwardDiagonal = 18,
    HatchStyleLightUpwardDiagonal = 19,
    HatchStyleDarkDownwardDiagonal = 20,
    HatchStyleDarkUpwardDiagonal = 21,
    HatchStyleWideDownwardDiagonal = 22,
    HatchStyleWideUpwardDiagonal = 23,
    HatchStyleLightVertical = 24,
    HatchStyleLightHorizontal = 25,
    HatchStyleNarrowVertical = 26,
    HatchStyleNarrowHorizontal = 27,
    HatchStyleDarkVertical = 28,
    HatchStyleDarkHorizontal = 29,
    HatchStyleDashedDownwardDiagonal = 30,
    HatchStyleDashedUpwardDiagonal = 31,
    HatchStyleDashedHorizontal = 32,
    HatchStyleDashedVertical = 33,
    HatchStyleSmallConfetti = 34,
    HatchStyleLargeConfetti = 35,
    HatchStyleZigZag = 36,
    HatchStyleWave = 37,
    HatchStyleDiagonalBrick = 38,
    HatchStyleHorizontalBrick = 39,
    HatchStyleWeave = 40,
    HatchStylePlaid = 41,
    HatchStyleDivot = 42,
    HatchStyleDottedGrid = 43,
    HatchStyleDottedDiamond = 44,
    HatchStyleShingle = 45,
    HatchStyleTrellis = 46,
    HatchStyleSphere = 47,
    HatchStyleSmallGrid = 48,
    HatchStyleSmallCheckerBoard = 49,
    HatchStyleLargeCheckerBoard = 50,
    HatchStyleOutlinedDiamond = 51,
    HatchStyleSolidDiamond = 52,
    HatchStyleTotal = 53,
    HatchStyleLargeGrid = HatchStyleCross,
    HatchStyleMin = HatchStyleHorizontal,
    HatchStyleMax = HatchStyleTotal - 1,
};

enum DashStyle : int {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5,
};

enum DashCap : int { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };

enum LineCap : int {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xff,
    LineCapAnchorMask = 0xf0,
};

enum LineJoin : int { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };

enum PenAlignment : int { PenAlignmentCenter = 0, PenAlignmentInset = 1 };

enum PenType : int {
    PenTypeSolidColor = 0,
    PenTypeHatchFill = 1,
    PenTypeTextureFill = 2,
    PenTypePathGradient = 3,
    PenTypeLinearGradient = 4,
    PenTypeUnknown = -1,
};

enum BrushType : int {
    BrushTypeSolidColor = 0,
    BrushTypeHatchFill = 1,
    BrushTypeTextureFill = 2,
    BrushTypePathGradient = 3,
    BrushTypeLinearGradient = 4,
};

enum StringAlignment : int { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringFormatFlags : int {
    StringFormatFlagsDirectionRightToLeft = 0x00000001,
    StringFormatFlagsDirectionVertical = 0x00000002,
    StringFormatFlagsNoFitBlackBox = 0x00000004,
    StringFormatFlagsDisplayFormatControl = 0x00000020,
    StringFormatFlagsNoFontFallback = 0x00000400,
    StringFormatFlagsMeasureTrailingSpaces = 0x00000800,
    StringFormatFlagsNoWrap = 0x00001000,
    StringFormatFlagsLineLimit = 0x00002000,
    StringFormatFlagsNoClip = 0x00004000,
};

enum StringTrimming : int {
    StringTrimmingNone = 0,
    StringTrimmingCharacter = 1,
    StringTrimmingWord = 2,
    StringTrimmingEllipsisCharacter = 3,
    StringTrimmingEllipsisWord = 4,
    StringTrimmingEllipsisPath = 5,
};

enum StringDigitSubstitute : int {
    StringDigitSubstituteUser = 0,
    StringDigitSubstituteNone = 1,
    StringDigitSubstituteNational = 2,
    StringDigitSubstituteTraditional = 3,
};

enum HotkeyPrefix : int { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum FontStyle : int {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8,
};

enum FlushIntention : int { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum RotateFlipType : int {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone,
};

enum ColorAdjustType : int {
    ColorAdjustTypeDefault = 0,
    ColorAdjustTypeBitmap = 1,
    ColorAdjustTypeBrush = 2,
    ColorAdjustTypePen = 3,
    ColorAdjustTypeText = 4,
    ColorAdjustTypeCount = 5,
    ColorAdjustTypeAny = 6,
};

enum ColorMatrixFlags : int { ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1, ColorMatrixFlagsAltGray = 2 };

enum ColorChannelFlags : int {
    ColorChannelFlagsC = 0,
    ColorChannelFlagsM = 1,
    ColorChannelFlagsY = 2,
    ColorChannelFlagsK = 3,
    ColorChannelFlagsLast = 4,
};

enum ImageType : int { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };

enum PathPointType : int {
    PathPointTypeStart = 0x00,
    PathPointTypeLine = 0x01,
    PathPointTypeBezier = 0x03,
    PathPointTypePathTypeMask = 0x07,
    PathPointTypeDashMode = 0x10,
    PathPointTypePathMarker = 0x20,
    PathPointTypeCloseSubpath = 0x80,
    PathPointTypeBezier3 = 0x03,
};

// Pixel formats: bits 0-7 index, 8-15 bits per pixel, 16 and up the flags below.
using PixelFormat = INT;
inline constexpr PixelFormat PixelFormatIndexed = 0x00010000;
inline constexpr PixelFormat PixelFormatGDI = 0x00020000;
inline constexpr PixelFormat PixelFormatAlpha = 0x00040000;
inline constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
inline constexpr PixelFormat PixelFormatExtended = 0x00100000;
inline constexpr PixelFormat PixelFormatCanonical = 0x00200000;
inline constexpr PixelFormat PixelFormatUndefined = 0;
inline constexpr PixelFormat PixelFormatDontCare = 0;
inline constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
inline constexpr PixelFormat PixelFormat4bppIndexed = 0x00030402;
inline constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
inline constexpr PixelFormat PixelFormat16bppGrayScale = 0x00101004;
inline constexpr PixelFormat PixelFormat16bppRGB555 = 0x00021005;
inline constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
inline constexpr PixelFormat PixelFormat16bppARGB1555 = 0x00061007;
inline constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
inline constexpr PixelFormat PixelFormat48bppRGB = 0x0010300C;
inline constexpr PixelFormat PixelFormat64bppARGB = 0x0034400D;
inline constexpr PixelFormat PixelFormat64bppPARGB = 0x001A400E;
inline constexpr PixelFormat PixelFormatMax = 15;

inline constexpr UINT GetPixelFormatSize(PixelFormat Format) { return (static_cast<UINT>(Format) >> 8) & 0xff; }
inline constexpr bool IsIndexedPixelFormat(PixelFormat Format) { return (Format & PixelFormatIndexed) != 0; }
inline constexpr bool IsAlphaPixelFormat(PixelFormat Format) { return (Format & PixelFormatAlpha) != 0; }

// ---------------------------------------------------------------------------------------------
// Start-up

using DebugEventProc = void (*)(int Level, char* Message);
struct GdiplusStartupInput {
    UINT32 GdiplusVersion = 1;  // only 1 is supported
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = 0;
    BOOL SuppressExternalCodecs = 0;
};

using NotificationHookProc = Status (*)(NativeUInt* Token);
using NotificationUnhookProc = void (*)(NativeUInt Token);

// With SuppressBackgroundThread set the caller gets the hooks to call itself.
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

// Callback of the image drawing and thumbnail calls: returning true aborts.
using DrawImageAbort = BOOL (*)(void* CallbackData);
using GetThumbnailImageAbort = DrawImageAbort;

// ---------------------------------------------------------------------------------------------
// A COM-style stream: images load from it and save to it. Reference counted; Release frees it
// when the count falls to zero.

enum STREAM_SEEK : DWORD { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

class IStream : public IInterface {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // S_OK when Count bytes moved, S_FALSE for a short read; ReadCount may be null.
    virtual HRESULT Read(void* Buffer, ULONG Count, ULONG* ReadCount) = 0;
    virtual HRESULT Write(const void* Buffer, ULONG Count, ULONG* Written) = 0;
    virtual HRESULT Seek(Int64 Move, DWORD Origin, UInt64* NewPosition) = 0;
    virtual HRESULT SetSize(UInt64 NewSize) = 0;
    // The stream's size in bytes (the platform reports it through Stat).
    virtual HRESULT Stat(UInt64* Size) = 0;

protected:
    virtual ~IStream() = default;
};

enum TStreamOwnership : int { soReference, soOwned };

// An IStream over a framework stream, created with a count of one.
class TStreamAdapter : public IStream {
public:
    explicit TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
    TStream* Stream() const { return FStream; }

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Read(void* Buffer, ULONG Count, ULONG* ReadCount) override;
    HRESULT Write(const void* Buffer, ULONG Count, ULONG* Written) override;
    HRESULT Seek(Int64 Move, DWORD Origin, UInt64* NewPosition) override;
    HRESULT SetSize(UInt64 NewSize) override;
    HRESULT Stat(UInt64* Size) override;

protected:
    ~TStreamAdapter() override;

private:
    TStream* FStream;
    TStreamOwnership FOwnership;
    std::atomic<ULONG> FRefCount{1};
};
