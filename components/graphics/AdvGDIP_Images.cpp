// Images, bitmaps and image attributes of the object layer.
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"

static const WCHAR* wideOf(const String& Text) { return reinterpret_cast<const WCHAR*>(Text.utf16()); }

// ---------------------------------------------------------------------------------------------
// TGPImage

TGPImage::TGPImage(const String& FileName, bool UseEmbeddedColorManagement) {
    lastResult = UseEmbeddedColorManagement ? GdipLoadImageFromFileICM(wideOf(FileName), &nativeImage)
                                            : GdipLoadImageFromFile(wideOf(FileName), &nativeImage);
}

TGPImage::TGPImage(IStream* Stream, bool UseEmbeddedColorManagement) {
    lastResult = UseEmbeddedColorManagement ? GdipLoadImageFromStreamICM(Stream, &nativeImage)
                                            : GdipLoadImageFromStream(Stream, &nativeImage);
}

TGPImage::TGPImage(GpImage* NativeImage, GpStatus S) : nativeImage(NativeImage), lastResult(S) {}

TGPImage::~TGPImage() { GdipDisposeImage(nativeImage); }

GpStatus TGPImage::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

struct TImageFormatRow {
    const GUID* Raw;
    TGPImageFormat Format;
};
static constexpr TImageFormatRow ImageFormats[] = {
    {&ImageFormatMemoryBMP, ifMemoryBMP},
    {&ImageFormatBMP, ifBMP},
    {&ImageFormatEMF, ifEMF},
    {&ImageFormatWMF, ifWMF},
    {&ImageFormatJPEG, ifJPEG},
    {&ImageFormatPNG, ifPNG},
    {&ImageFormatGIF, ifGIF},
    {&ImageFormatTIFF, ifTIFF},
    {&ImageFormatEXIF, ifEXIF},
    {&ImageFormatIcon, ifIcon},
};

TGPImageFormat TGPImage::GetFormat() {
    // The read's status is not kept.
    GUID Raw{};
    if (GdipGetImageRawFormat(nativeImage, &Raw) != Ok) return ifUndefined;
    for (const TImageFormatRow& Row : ImageFormats)
        if (*Row.Raw == Raw) return Row.Format;
    return ifUndefined;
}

UINT TGPImage::GetWidth() {
    UINT Width = 0;
    if (SetStatus(GdipGetImageWidth(nativeImage, &Width)) != Ok) return 0;
    return Width;
}

UINT TGPImage::GetHeight() {
    UINT Height = 0;
    if (SetStatus(GdipGetImageHeight(nativeImage, &Height)) != Ok) return 0;
    return Height;
}

PixelFormat TGPImage::GetPixelFormat() {
    PixelFormat Format = PixelFormatUndefined;
    if (SetStatus(GdipGetImagePixelFormat(nativeImage, &Format)) != Ok) return PixelFormatUndefined;
    return Format;
}

int TGPImage::GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }

bool TGPImage::HasPalette() { return (GetPixelFormat() & PixelFormatIndexed) != 0; }

bool TGPImage::HasAlphaChannel() { return (GetPixelFormat() & PixelFormatAlpha) != 0; }

TGPImage* TGPImage::GetThumbnailImage(UINT ThumbWidth, UINT ThumbHeight, GetThumbnailImageAbort Callback,
                                      void* CallbackData) {
    GpImage* Thumb = nullptr;
    SetStatus(GdipGetImageThumbnail(nativeImage, ThumbWidth, ThumbHeight, &Thumb, Callback, CallbackData));
    return new TGPImage(Thumb, lastResult);
}

GpStatus TGPImage::RotateFlip(RotateFlipType Type) { return SetStatus(GdipImageRotateFlip(nativeImage, Type)); }

UINT TGPImage::GetFrameCount(const GUID& DimensionID) {
    UINT Count = 0;
    SetStatus(GdipImageGetFrameCount(nativeImage, &DimensionID, &Count));
    return Count;
}

GpStatus TGPImage::SelectActiveFrame(const GUID& DimensionID, UINT FrameIndex) {
    return SetStatus(GdipImageSelectActiveFrame(nativeImage, &DimensionID, FrameIndex));
}

GpStatus TGPImage::Save(const String& FileName, const CLSID& ClsidEncoder, const EncoderParameters* Params) {
    return SetStatus(GdipSaveImageToFile(nativeImage, wideOf(FileName), &ClsidEncoder, Params));
}

GpStatus TGPImage::Save(IStream* Stream, const CLSID& ClsidEncoder, const EncoderParameters* Params) {
    return SetStatus(GdipSaveImageToStream(nativeImage, Stream, &ClsidEncoder, Params));
}

GpStatus TGPImage::SaveAdd(TGPImage* NewImage, const EncoderParameters* Params) {
    if (!NewImage) return SetStatus(InvalidParameter);
    return SetStatus(GdipSaveAddImage(nativeImage, NewImage->nativeImage, Params));
}

// ---------------------------------------------------------------------------------------------
// TGPBitmap: a GpBitmap is a GpImage to the flat API.

static GpImage* imageOf(GpBitmap* Bitmap) { return reinterpret_cast<GpImage*>(Bitmap); }

GpBitmap* TGPBitmap::nativeBitmap() const { return reinterpret_cast<GpBitmap*>(nativeImage); }

TGPBitmap::TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement) {
    GpBitmap* Bitmap = nullptr;
    lastResult = UseEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(Stream, &Bitmap)
                                            : GdipCreateBitmapFromStream(Stream, &Bitmap);
    nativeImage = imageOf(Bitmap);
}

TGPBitmap::TGPBitmap(int Width, int Height, PixelFormat Format) {
    GpBitmap* Bitmap = nullptr;
    lastResult = GdipCreateBitmapFromScan0(Width, Height, 0, Format, nullptr, &Bitmap);
    nativeImage = imageOf(Bitmap);
}

TGPBitmap::TGPBitmap(GpBitmap* NativeBitmap) { nativeImage = imageOf(NativeBitmap); }

TGPBitmap* TGPBitmap::FromStream(IStream* Stream, bool UseEmbeddedColorManagement) {
    return new TGPBitmap(Stream, UseEmbeddedColorManagement);
}

GpStatus TGPBitmap::GetHBITMAP(ARGB ColorBackground, HBITMAP& HbmReturn) {
    return SetStatus(GdipCreateHBITMAPFromBitmap(nativeBitmap(), &HbmReturn, ColorBackground));
}

GpStatus TGPBitmap::GetPixel(int X, int Y, ARGB& Color) {
    return SetStatus(GdipBitmapGetPixel(nativeBitmap(), X, Y, &Color));
}

GpStatus TGPBitmap::SetPixel(int X, int Y, ARGB Color) {
    return SetStatus(GdipBitmapSetPixel(nativeBitmap(), X, Y, Color));
}

// ---------------------------------------------------------------------------------------------
// TGPImageAttributes

TGPImageAttributes::TGPImageAttributes() { lastResult = GdipCreateImageAttributes(&nativeImageAttr); }

TGPImageAttributes::TGPImageAttributes(GpImageAttributes* NativeAttributes, GpStatus S)
    : nativeImageAttr(NativeAttributes), lastResult(S) {}

TGPImageAttributes::~TGPImageAttributes() { GdipDisposeImageAttributes(nativeImageAttr); }

GpStatus TGPImageAttributes::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPImageAttributes::GetLastStatus() {
    const GpStatus S = lastResult;
    lastResult = Ok;
    return S;
}

TGPImageAttributes* TGPImageAttributes::Clone() {
    GpImageAttributes* Copy = nullptr;
    SetStatus(GdipCloneImageAttributes(nativeImageAttr, &Copy));
    return new TGPImageAttributes(Copy, lastResult);
}

GpStatus TGPImageAttributes::SetToIdentity(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesToIdentity(nativeImageAttr, Type));
}

GpStatus TGPImageAttributes::Reset(ColorAdjustType Type) {
    return SetStatus(GdipResetImageAttributes(nativeImageAttr, Type));
}

GpStatus TGPImageAttributes::SetColorMatrix(const ColorMatrix& Matrix, ColorMatrixFlags Flags, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, 1, &Matrix, nullptr, Flags));
}

GpStatus TGPImageAttributes::ClearColorMatrix(ColorAdjustType Type) {
    return SetStatus(
        GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, 0, nullptr, nullptr, ColorMatrixFlagsDefault));
}

GpStatus TGPImageAttributes::SetColorMatrices(const ColorMatrix& Matrix, const ColorMatrix& GrayMatrix,
                                              ColorMatrixFlags Flags, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, 1, &Matrix, &GrayMatrix, Flags));
}

GpStatus TGPImageAttributes::ClearColorMatrices(ColorAdjustType Type) {
    return SetStatus(
        GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, 0, nullptr, nullptr, ColorMatrixFlagsDefault));
}

GpStatus TGPImageAttributes::SetThreshold(float Threshold, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, Type, 1, Threshold));
}

GpStatus TGPImageAttributes::ClearThreshold(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, Type, 0, 0));
}

GpStatus TGPImageAttributes::SetGamma(float Gamma, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, Type, 1, Gamma));
}

GpStatus TGPImageAttributes::ClearGamma(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, Type, 0, 0));
}

GpStatus TGPImageAttributes::SetNoOp(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, Type, 1));
}

GpStatus TGPImageAttributes::ClearNoOp(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, Type, 0));
}

GpStatus TGPImageAttributes::SetColorKey(ARGB ColorLow, ARGB ColorHigh, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, Type, 1, ColorLow, ColorHigh));
}

GpStatus TGPImageAttributes::ClearColorKey(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, Type, 0, 0, 0));
}

GpStatus TGPImageAttributes::SetOutputChannel(ColorChannelFlags ChannelFlags, ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesOutputChannel(nativeImageAttr, Type, 1, ChannelFlags));
}

GpStatus TGPImageAttributes::ClearOutputChannel(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesOutputChannel(nativeImageAttr, Type, 0, ColorChannelFlagsLast));
}

GpStatus TGPImageAttributes::SetOutputChannelColorProfile(const String& ColorProfileFilename, ColorAdjustType Type) {
    return SetStatus(
        GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, Type, 1, wideOf(ColorProfileFilename)));
}

GpStatus TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, Type, 0, nullptr));
}

GpStatus TGPImageAttributes::SetRemapTable(int MapSize, const ColorMap* Map, ColorAdjustType Type) {
    if (MapSize < 0) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, Type, 1, static_cast<UINT>(MapSize), Map));
}

GpStatus TGPImageAttributes::ClearRemapTable(ColorAdjustType Type) {
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, Type, 0, 0, nullptr));
}

GpStatus TGPImageAttributes::SetBrushRemapTable(int MapSize, const ColorMap* Map) {
    return SetRemapTable(MapSize, Map, ColorAdjustTypeBrush);
}

GpStatus TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }

GpStatus TGPImageAttributes::SetWrapMode(WrapMode Wrap, ARGB Color, bool Clamp) {
    return SetStatus(GdipSetImageAttributesWrapMode(nativeImageAttr, Wrap, Color, Clamp));
}

GpStatus TGPImageAttributes::GetAdjustedPalette(ColorPalette* Palette, ColorAdjustType Type) {
    return SetStatus(GdipGetImageAttributesAdjustedPalette(nativeImageAttr, Palette, Type));
}
