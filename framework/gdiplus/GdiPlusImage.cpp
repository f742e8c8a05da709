// Images and bitmaps: decoding, pixels, rotate-flip, saving; image attributes.
#include "framework/gdiplus/GdiPlusPrivate.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

enum class TSniffed { Unknown, Bmp, Gif, Jpeg, Png, Icon, Tiff, Emf, Wmf };

TSniffed sniff(const QByteArray& D) {
    auto At = [&](int I) { return I < D.size() ? static_cast<unsigned char>(D[I]) : 0x100u; };
    if (D.startsWith("BM")) return TSniffed::Bmp;
    if (D.startsWith("GIF87a") || D.startsWith("GIF89a")) return TSniffed::Gif;
    if (At(0) == 0xFF && At(1) == 0xD8 && At(2) == 0xFF) return TSniffed::Jpeg;
    if (D.startsWith("\x89PNG\r\n\x1a\n")) return TSniffed::Png;
    if (At(0) == 0 && At(1) == 0 && At(2) == 1 && At(3) == 0) return TSniffed::Icon;
    if (D.startsWith(QByteArray("II*\0", 4)) || D.startsWith(QByteArray("MM\0*", 4))) return TSniffed::Tiff;
    if (At(0) == 1 && At(1) == 0 && At(2) == 0 && At(3) == 0 && D.mid(40, 4) == " EMF") return TSniffed::Emf;
    if (D.startsWith("\xD7\xCD\xC6\x9A") || ((At(0) == 1 || At(0) == 2) && At(1) == 0 && At(2) == 9 && At(3) == 0))
        return TSniffed::Wmf;
    return TSniffed::Unknown;
}

// The pixel format a decoded frame reports.
PixelFormat formatOf(const QImage& Image) {
    switch (Image.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            return PixelFormat1bppIndexed;
        case QImage::Format_Indexed8:
            return PixelFormat8bppIndexed;
        case QImage::Format_RGB16:
            return PixelFormat16bppRGB565;
        case QImage::Format_RGB555:
            return PixelFormat16bppRGB555;
        default:
            return Image.hasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    }
}

// Frames are kept as 32-bit pixels, palettes as 8-bit indexes.
QImage storedFrame(const QImage& Image) {
    if (Image.format() == QImage::Format_Indexed8 || Image.format() == QImage::Format_Mono ||
        Image.format() == QImage::Format_MonoLSB)
        return Image.convertToFormat(QImage::Format_Indexed8);
    return Image.convertToFormat(Image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

Status decode(const QByteArray& Data, GpImage** Image, bool AsBitmap) {
    const TSniffed Kind = sniff(Data);
    if (Kind == TSniffed::Emf || Kind == TSniffed::Wmf) {
        if (AsBitmap) return UnknownImageFormat;
        // No metafile player here: an empty metafile image that draws nothing.
        auto* M = new ImageData;
        M->Type = ImageTypeMetafile;
        M->RawFormat = Kind == TSniffed::Emf ? ImageFormatEMF : ImageFormatWMF;
        M->Format = PixelFormat32bppRGB;
        *Image = M;
        return Ok;
    }
    static const struct {
        TSniffed Kind;
        const char* Format;
        GUID Raw;
    } kDecoders[] = {
        {TSniffed::Bmp, "bmp", ImageFormatBMP},    {TSniffed::Gif, "gif", ImageFormatGIF},
        {TSniffed::Jpeg, "jpeg", ImageFormatJPEG}, {TSniffed::Png, "png", ImageFormatPNG},
        {TSniffed::Icon, "ico", ImageFormatIcon},  {TSniffed::Tiff, "tiff", ImageFormatTIFF},
    };
    for (const auto& D : kDecoders) {
        if (D.Kind != Kind) continue;
        QByteArray Bytes = Data;
        QBuffer Buffer(&Bytes);
        Buffer.open(QIODevice::ReadOnly);
        QImageReader Reader(&Buffer, D.Format);
        if (!Reader.canRead()) return UnknownImageFormat;
        auto B = std::make_unique<ImageData>();
        B->RawFormat = D.Raw;
        B->FrameDimension = Kind == TSniffed::Gif ? FrameDimensionTime : FrameDimensionPage;
        const bool AllFrames = Kind == TSniffed::Gif;
        do {
            QImage Frame = Reader.read();
            if (Frame.isNull()) break;
            if (B->Frames.empty()) B->Format = Kind == TSniffed::Gif ? PixelFormat8bppIndexed : formatOf(Frame);
            B->Frames.push_back(Kind == TSniffed::Gif ? Frame.convertToFormat(QImage::Format_ARGB32)
                                                      : storedFrame(Frame));
        } while (AllFrames && Reader.canRead());
        if (B->Frames.empty()) return UnknownImageFormat;
        *Image = B.release();
        return Ok;
    }
    return UnknownImageFormat;
}

Status readStream(IStream* Stream, QByteArray& Data) {
    char Chunk[65536];
    for (;;) {
        ULONG Got = 0;
        const HRESULT R = Stream->Read(Chunk, sizeof(Chunk), &Got);
        if (R < 0) return Win32Error;
        Data.append(Chunk, static_cast<qsizetype>(Got));
        if (Got < sizeof(Chunk)) return Ok;
    }
}

Status loadFile(const WCHAR* FileName, GpImage** Image, bool AsBitmap) {
    if (!Image) return InvalidParameter;
    *Image = nullptr;
    if (!FileName) return InvalidParameter;
    return gdipGuarded([&] {
        QFile File(QString::fromUtf16(FileName));
        if (!File.exists()) return FileNotFound;
        if (!File.open(QIODevice::ReadOnly)) return AccessDenied;
        return decode(File.readAll(), Image, AsBitmap);
    });
}

Status loadStream(IStream* Stream, GpImage** Image, bool AsBitmap) {
    if (!Image) return InvalidParameter;
    *Image = nullptr;
    if (!Stream) return InvalidParameter;
    return gdipGuarded([&] {
        QByteArray Data;
        const Status S = readStream(Stream, Data);
        if (S != Ok) return S;
        return decode(Data, Image, AsBitmap);
    });
}

struct EncoderRow {
    const CLSID* Clsid;
    const GUID* Format;
    const char* QtFormat;  // nullptr: no encoder on this platform
    const char16_t* Name;
    const char16_t* Extensions;
    const char16_t* Mime;
};

const EncoderRow kEncoders[] = {
    {&EncoderClsidBMP, &ImageFormatBMP, "bmp", u"Built-in BMP Codec", u"*.BMP;*.DIB;*.RLE", u"image/bmp"},
    {&EncoderClsidJPEG, &ImageFormatJPEG, "jpeg", u"Built-in JPEG Codec", u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg"},
    {&EncoderClsidGIF, &ImageFormatGIF, nullptr, u"Built-in GIF Codec", u"*.GIF", u"image/gif"},
    {&EncoderClsidTIFF, &ImageFormatTIFF, "tiff", u"Built-in TIFF Codec", u"*.TIF;*.TIFF", u"image/tiff"},
    {&EncoderClsidPNG, &ImageFormatPNG, "png", u"Built-in PNG Codec", u"*.PNG", u"image/png"},
};

// Encodes the active frame; FileNotFound for an unknown encoder, as on the platform.
Status encode(ImageData* Image, const CLSID* Clsid, const EncoderParameters* Params, QByteArray& Out) {
    if (!Image->IsBitmap()) return NotImplemented;
    const EncoderRow* Row = nullptr;
    for (const auto& E : kEncoders)
        if (*E.Clsid == *Clsid) Row = &E;
    if (!Row) return FileNotFound;
    if (!Row->QtFormat) return NotImplemented;
    int Quality = -1;
    if (Params)
        for (UINT I = 0; I < Params->Count; ++I) {
            const EncoderParameter& P = Params->Parameter[I];
            if (P.Guid == EncoderQuality && P.NumberOfValues >= 1 && P.Value) {
                if (P.Type != EncoderParameterValueTypeLong) return InvalidParameter;
                Quality = static_cast<int>(std::min<ULONG>(*static_cast<const ULONG*>(P.Value), 100));
            }
        }
    QBuffer Buffer(&Out);
    Buffer.open(QIODevice::WriteOnly);
    QImageWriter Writer(&Buffer, Row->QtFormat);
    if (Quality >= 0) Writer.setQuality(Quality);
    return Writer.write(Image->Image()) ? Ok : Win32Error;
}

ARGB clampChannel(double V) { return static_cast<ARGB>(std::clamp(std::lround(V * 255.0), 0L, 255L)); }

ARGB applyMatrix(ARGB C, const ColorMatrix& M) {
    const double In[5] = {((C >> 16) & 0xFF) / 255.0, ((C >> 8) & 0xFF) / 255.0, (C & 0xFF) / 255.0,
                          ((C >> 24) & 0xFF) / 255.0, 1.0};
    double Out[4];
    for (int J = 0; J < 4; ++J) {
        Out[J] = 0;
        for (int I = 0; I < 5; ++I) Out[J] += In[I] * M.m[I][J];
    }
    return (clampChannel(Out[3]) << 24) | (clampChannel(Out[0]) << 16) | (clampChannel(Out[1]) << 8) |
           clampChannel(Out[2]);
}

GpImageAttributes::Adjust* adjustFor(GpImageAttributes* A, ColorAdjustType Type) {
    if (!A || Type < ColorAdjustTypeDefault || Type >= ColorAdjustTypeCount) return nullptr;
    A->Types[Type].Specified = true;
    return &A->Types[Type];
}

}  // namespace

ARGB adjustColor(ARGB C, const GpImageAttributes::Adjust& A) {
    if (A.NoOp) return C;
    if (A.RemapOn)
        for (const ColorMap& M : A.Remap)
            if (M.oldColor == C) {
                C = M.newColor;
                break;
            }
    if (A.KeyOn) {
        bool Inside = true;
        for (int Shift : {16, 8, 0}) {
            const ARGB V = (C >> Shift) & 0xFF;
            Inside = Inside && V >= ((A.KeyLow >> Shift) & 0xFF) && V <= ((A.KeyHigh >> Shift) & 0xFF);
        }
        if (Inside) return 0;
    }
    if (A.MatrixOn) {
        const bool Gray = ((C >> 16) & 0xFF) == ((C >> 8) & 0xFF) && ((C >> 8) & 0xFF) == (C & 0xFF);
        if (!(Gray && A.MatrixFlags == ColorMatrixFlagsSkipGrays))
            C = applyMatrix(C, Gray && A.MatrixFlags == ColorMatrixFlagsAltGray && A.GrayOn ? A.Gray : A.Matrix);
    }
    if (A.GammaOn && A.Gamma > 0) {
        ARGB R = C & 0xFF000000u;
        for (int Shift : {16, 8, 0}) R |= clampChannel(std::pow(((C >> Shift) & 0xFF) / 255.0, A.Gamma)) << Shift;
        C = R;
    }
    if (A.ThresholdOn) {
        ARGB R = C & 0xFF000000u;
        for (int Shift : {16, 8, 0})
            if (((C >> Shift) & 0xFF) / 255.0 > A.Threshold) R |= 0xFFu << Shift;
        C = R;
    }
    return C;
}

QImage adjustedImage(const QImage& Source, const GpImageAttributes* Attributes, ColorAdjustType Type) {
    QImage Result = Source.convertToFormat(QImage::Format_ARGB32);
    if (!Attributes) return Result;
    const GpImageAttributes::Adjust& A = Attributes->For(Type);
    for (int Y = 0; Y < Result.height(); ++Y) {
        auto* Row = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < Result.width(); ++X) Row[X] = adjustColor(Row[X], A);
    }
    return Result;
}

// ---------------------------------------------------------------------------------------------
// Images

Status GdipLoadImageFromFile(const WCHAR* FileName, GpImage** Image) { return loadFile(FileName, Image, false); }
Status GdipLoadImageFromFileICM(const WCHAR* FileName, GpImage** Image) { return loadFile(FileName, Image, false); }
Status GdipLoadImageFromStream(IStream* Stream, GpImage** Image) { return loadStream(Stream, Image, false); }
Status GdipLoadImageFromStreamICM(IStream* Stream, GpImage** Image) { return loadStream(Stream, Image, false); }

Status GdipCloneImage(GpImage* Image, GpImage** CloneImage) {
    if (!Image || !CloneImage) return InvalidParameter;
    return gdipGuarded([&] {
        ImageData* Copy = new ImageData;
        Copy->Type = data(Image)->Type;
        Copy->RawFormat = data(Image)->RawFormat;
        Copy->Format = data(Image)->Format;
        Copy->FrameDimension = data(Image)->FrameDimension;
        Copy->Frames = data(Image)->Frames;
        Copy->ActiveFrame = data(Image)->ActiveFrame;
        for (QImage& F : Copy->Frames) F.detach();  // a clone owns its pixels
        *CloneImage = Copy;
        return Ok;
    });
}

Status GdipDisposeImage(GpImage* Image) {
    if (!Image) return InvalidParameter;
    delete Image;
    return Ok;
}

Status GdipGetImageType(GpImage* Image, ImageType* Type) {
    if (!Image || !Type) return InvalidParameter;
    *Type = data(Image)->Type;
    return Ok;
}

Status GdipGetImageRawFormat(GpImage* Image, GUID* Format) {
    if (!Image || !Format) return InvalidParameter;
    *Format = data(Image)->RawFormat;
    return Ok;
}

Status GdipGetImageWidth(GpImage* Image, UINT* Width) {
    if (!Image || !Width) return InvalidParameter;
    *Width = data(Image)->IsBitmap() ? static_cast<UINT>(data(Image)->Image().width()) : 0;
    return Ok;
}

Status GdipGetImageHeight(GpImage* Image, UINT* Height) {
    if (!Image || !Height) return InvalidParameter;
    *Height = data(Image)->IsBitmap() ? static_cast<UINT>(data(Image)->Image().height()) : 0;
    return Ok;
}

Status GdipGetImageDimension(GpImage* Image, REAL* Width, REAL* Height) {
    if (!Image || !Width || !Height) return InvalidParameter;
    *Width = data(Image)->IsBitmap() ? static_cast<REAL>(data(Image)->Image().width()) : 0;
    *Height = data(Image)->IsBitmap() ? static_cast<REAL>(data(Image)->Image().height()) : 0;
    return Ok;
}

Status GdipGetImagePixelFormat(GpImage* Image, PixelFormat* Format) {
    if (!Image || !Format) return InvalidParameter;
    *Format = data(Image)->Format;
    return Ok;
}

Status GdipGetImageThumbnail(GpImage* Image, UINT ThumbWidth, UINT ThumbHeight, GpImage** ThumbImage,
                             GetThumbnailImageAbort Callback, void* CallbackData) {
    if (!Image || !ThumbImage) return InvalidParameter;
    *ThumbImage = nullptr;
    if (!data(Image)->IsBitmap()) return OutOfMemory;
    if (Callback && Callback(CallbackData)) return Aborted;
    return gdipGuarded([&] {
        const int W = ThumbWidth ? static_cast<int>(ThumbWidth) : 120,
                  H = ThumbHeight ? static_cast<int>(ThumbHeight) : 120;
        auto* B = new ImageData;
        B->Frames.push_back(data(Image)
                                ->Image()
                                .convertToFormat(QImage::Format_ARGB32)
                                .scaled(W, H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        B->Format = PixelFormat32bppARGB;
        *ThumbImage = B;
        return Ok;
    });
}

Status GdipImageRotateFlip(GpImage* Image, RotateFlipType Type) {
    if (!Image || Type < RotateNoneFlipNone || Type > Rotate270FlipX) return InvalidParameter;
    if (!data(Image)->IsBitmap()) return Ok;
    return gdipGuarded([&] {
        static constexpr int kAngles[] = {0, 90, 180, 270};
        for (QImage& Frame : data(Image)->Frames) {
            QImage R = Frame;
            if (kAngles[Type & 3]) R = R.transformed(QTransform().rotate(kAngles[Type & 3]));
            if (Type >= RotateNoneFlipX) R = R.mirrored(true, false);  // rotate first, then flip
            Frame = R.convertToFormat(Frame.format());
        }
        return Ok;
    });
}

Status GdipImageGetFrameDimensionsCount(GpImage* Image, UINT* Count) {
    if (!Image || !Count) return InvalidParameter;
    *Count = 1;
    return Ok;
}

Status GdipImageGetFrameDimensionsList(GpImage* Image, GUID* DimensionIDs, UINT Count) {
    if (!Image || !DimensionIDs || Count < 1) return InvalidParameter;
    DimensionIDs[0] = data(Image)->FrameDimension;
    return Ok;
}

Status GdipImageGetFrameCount(GpImage* Image, const GUID* DimensionID, UINT* Count) {
    if (!Image || !DimensionID || !Count) return InvalidParameter;
    if (!(*DimensionID == data(Image)->FrameDimension)) return InvalidParameter;
    *Count = static_cast<UINT>(std::max<size_t>(1, data(Image)->Frames.size()));
    return Ok;
}

Status GdipImageSelectActiveFrame(GpImage* Image, const GUID* DimensionID, UINT FrameIndex) {
    if (!Image || !DimensionID || !(*DimensionID == data(Image)->FrameDimension)) return InvalidParameter;
    if (FrameIndex >= data(Image)->Frames.size()) return InvalidParameter;
    data(Image)->ActiveFrame = static_cast<int>(FrameIndex);
    return Ok;
}

Status GdipGetImageEncodersSize(UINT* NumEncoders, UINT* Size) {
    if (!NumEncoders || !Size) return InvalidParameter;
    *NumEncoders = static_cast<UINT>(std::size(kEncoders));
    *Size = static_cast<UINT>(sizeof(ImageCodecInfo) * std::size(kEncoders));
    return Ok;
}

Status GdipGetImageEncoders(UINT NumEncoders, UINT Size, ImageCodecInfo* Encoders) {
    if (!Encoders || NumEncoders != std::size(kEncoders) || Size < sizeof(ImageCodecInfo) * std::size(kEncoders))
        return InvalidParameter;
    for (size_t I = 0; I < std::size(kEncoders); ++I) {
        const EncoderRow& R = kEncoders[I];
        ImageCodecInfo& C = Encoders[I];
        std::memset(&C, 0, sizeof(C));
        C.Clsid = *R.Clsid;
        C.FormatID = *R.Format;
        C.CodecName = R.Name;
        C.FilenameExtension = R.Extensions;
        C.MimeType = R.Mime;
        C.Version = 1;
    }
    return Ok;
}

Status GdipSaveImageToFile(GpImage* Image, const WCHAR* FileName, const CLSID* ClsidEncoder,
                           const EncoderParameters* Params) {
    if (!Image || !FileName || !ClsidEncoder) return InvalidParameter;
    return gdipGuarded([&] {
        QByteArray Data;
        const Status S = encode(data(Image), ClsidEncoder, Params, Data);
        if (S != Ok) return S;
        // Written whole or not at all.
        QSaveFile File(QString::fromUtf16(FileName));
        if (!File.open(QIODevice::WriteOnly)) return AccessDenied;
        if (File.write(Data) != Data.size() || !File.commit()) return Win32Error;
        return Ok;
    });
}

Status GdipSaveImageToStream(GpImage* Image, IStream* Stream, const CLSID* ClsidEncoder,
                             const EncoderParameters* Params) {
    if (!Image || !Stream || !ClsidEncoder) return InvalidParameter;
    return gdipGuarded([&] {
        QByteArray Data;
        const Status S = encode(data(Image), ClsidEncoder, Params, Data);
        if (S != Ok) return S;
        ULONG Written = 0;
        const HRESULT R = Stream->Write(Data.constData(), static_cast<ULONG>(Data.size()), &Written);
        return R < 0 || Written != static_cast<ULONG>(Data.size()) ? Win32Error : Ok;
    });
}

Status GdipSaveAddImage(GpImage* Image, GpImage* NewImage, const EncoderParameters* Params) {
    if (!Image || !NewImage) return InvalidParameter;
    return NotImplemented;
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

Status GdipCreateBitmapFromFile(const WCHAR* FileName, GpBitmap** Bitmap) {
    if (!Bitmap) return InvalidParameter;
    GpImage* Image = nullptr;
    const Status S = loadFile(FileName, &Image, true);
    *Bitmap = static_cast<GpBitmap*>(Image);
    return S;
}
Status GdipCreateBitmapFromFileICM(const WCHAR* FileName, GpBitmap** Bitmap) {
    return GdipCreateBitmapFromFile(FileName, Bitmap);
}
Status GdipCreateBitmapFromStream(IStream* Stream, GpBitmap** Bitmap) {
    if (!Bitmap) return InvalidParameter;
    GpImage* Image = nullptr;
    const Status S = loadStream(Stream, &Image, true);
    *Bitmap = static_cast<GpBitmap*>(Image);
    return S;
}
Status GdipCreateBitmapFromStreamICM(IStream* Stream, GpBitmap** Bitmap) {
    return GdipCreateBitmapFromStream(Stream, Bitmap);
}

Status GdipCreateBitmapFromScan0(INT Width, INT Height, INT Stride, PixelFormat Format, BYTE* Scan0,
                                 GpBitmap** Bitmap) {
    if (!Bitmap) return InvalidParameter;
    *Bitmap = nullptr;
    static const struct {
        PixelFormat Format;
        QImage::Format Source;  // the layout of Scan0 rows
        QImage::Format Stored;
    } kFormats[] = {
        {PixelFormat16bppRGB555, QImage::Format_RGB555, QImage::Format_RGB32},
        {PixelFormat16bppRGB565, QImage::Format_RGB16, QImage::Format_RGB32},
        {PixelFormat24bppRGB, QImage::Format_BGR888, QImage::Format_RGB32},
        {PixelFormat32bppRGB, QImage::Format_RGB32, QImage::Format_RGB32},
        {PixelFormat32bppARGB, QImage::Format_ARGB32, QImage::Format_ARGB32},
        {PixelFormat32bppPARGB, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied},
        {PixelFormat8bppIndexed, QImage::Format_Indexed8, QImage::Format_Indexed8},
    };
    if (Width <= 0 || Height <= 0) return InvalidParameter;
    const auto* Row =
        std::find_if(std::begin(kFormats), std::end(kFormats), [&](const auto& R) { return R.Format == Format; });
    if (Row == std::end(kFormats)) return InvalidParameter;
    const qint64 MinStride = (static_cast<qint64>(Width) * GetPixelFormatSize(Format) + 7) / 8;
    if (Scan0 && (Stride == 0 || std::abs(static_cast<qint64>(Stride)) < MinStride)) return InvalidParameter;
    return gdipGuarded([&] {
        QImage Image(Width, Height, Row->Stored);
        if (Image.isNull()) return OutOfMemory;
        Image.fill(0);
        if (Scan0) {
            const QImage Source(Scan0, Width, Height, Stride, Row->Source);
            Image = Source.convertToFormat(Row->Stored);
        }
        if (Row->Stored == QImage::Format_Indexed8) {
            QList<QRgb> Gray(256);
            for (int I = 0; I < 256; ++I) Gray[I] = qRgb(I, I, I);
            Image.setColorTable(Gray);
        }
        auto* B = new ImageData;
        B->Frames.push_back(Image);
        B->Format = Format;
        *Bitmap = B;
        return Ok;
    });
}

Status GdipCreateHBITMAPFromBitmap(GpBitmap* Bitmap, HBITMAP* HBitmap, ARGB Background) {
    if (!Bitmap || !HBitmap) return InvalidParameter;
    *HBitmap = nullptr;
    return NotImplemented;
}

Status GdipBitmapGetPixel(GpBitmap* Bitmap, INT X, INT Y, ARGB* Color) {
    if (!Bitmap || !Color || !data(Bitmap)->IsBitmap()) return InvalidParameter;
    const QImage& Image = data(Bitmap)->Image();
    if (X < 0 || Y < 0 || X >= Image.width() || Y >= Image.height()) return InvalidParameter;
    *Color = static_cast<ARGB>(Image.pixelColor(X, Y).rgba());
    return Ok;
}

Status GdipBitmapSetPixel(GpBitmap* Bitmap, INT X, INT Y, ARGB Color) {
    if (!Bitmap || !data(Bitmap)->IsBitmap() || IsIndexedPixelFormat(data(Bitmap)->Format)) return InvalidParameter;
    QImage& Image = data(Bitmap)->Image();
    if (X < 0 || Y < 0 || X >= Image.width() || Y >= Image.height()) return InvalidParameter;
    Image.setPixelColor(X, Y, qColorOfARGB(Color));
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Image attributes

Status GdipCreateImageAttributes(GpImageAttributes** ImageAttr) {
    if (!ImageAttr) return InvalidParameter;
    return gdipGuarded([&] {
        *ImageAttr = new GpImageAttributes;
        return Ok;
    });
}

Status GdipCloneImageAttributes(const GpImageAttributes* ImageAttr, GpImageAttributes** CloneImageAttr) {
    if (!ImageAttr || !CloneImageAttr) return InvalidParameter;
    return gdipGuarded([&] {
        *CloneImageAttr = new GpImageAttributes(*ImageAttr);
        return Ok;
    });
}

Status GdipDisposeImageAttributes(GpImageAttributes* ImageAttr) {
    if (!ImageAttr) return InvalidParameter;
    delete ImageAttr;
    return Ok;
}

Status GdipSetImageAttributesToIdentity(GpImageAttributes* ImageAttr, ColorAdjustType Type) {
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->MatrixOn = false;
    A->GrayOn = false;
    return Ok;
}

Status GdipResetImageAttributes(GpImageAttributes* ImageAttr, ColorAdjustType Type) {
    if (!adjustFor(ImageAttr, Type)) return InvalidParameter;
    ImageAttr->Types[Type] = GpImageAttributes::Adjust{};
    return Ok;
}

Status GdipSetImageAttributesColorMatrix(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                         const ColorMatrix* ColourMatrix, const ColorMatrix* GrayMatrix,
                                         ColorMatrixFlags Flags) {
    if (EnableFlag && (!ColourMatrix || (Flags == ColorMatrixFlagsAltGray && !GrayMatrix))) return InvalidParameter;
    if (Flags < ColorMatrixFlagsDefault || Flags > ColorMatrixFlagsAltGray) return InvalidParameter;
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->MatrixOn = EnableFlag != 0;
    if (EnableFlag) {
        A->Matrix = *ColourMatrix;
        A->GrayOn = GrayMatrix != nullptr;
        if (GrayMatrix) A->Gray = *GrayMatrix;
        A->MatrixFlags = Flags;
    }
    return Ok;
}

Status GdipSetImageAttributesThreshold(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                       REAL Threshold) {
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->ThresholdOn = EnableFlag != 0;
    A->Threshold = Threshold;
    return Ok;
}

Status GdipSetImageAttributesGamma(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag, REAL Gamma) {
    if (EnableFlag && !(Gamma > 0)) return InvalidParameter;
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->GammaOn = EnableFlag != 0;
    A->Gamma = Gamma;
    return Ok;
}

Status GdipSetImageAttributesNoOp(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag) {
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->NoOp = EnableFlag != 0;
    return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                       ARGB ColorLow, ARGB ColorHigh) {
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    A->KeyOn = EnableFlag != 0;
    A->KeyLow = ColorLow;
    A->KeyHigh = ColorHigh;
    return Ok;
}

Status GdipSetImageAttributesOutputChannel(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                           ColorChannelFlags ChannelFlags) {
    if (!ImageAttr || Type < ColorAdjustTypeDefault || Type >= ColorAdjustTypeCount) return InvalidParameter;
    // Colour separation into CMYK channels is not offered here.
    return EnableFlag ? NotImplemented : Ok;
}

Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* ImageAttr, ColorAdjustType Type,
                                                       BOOL EnableFlag, const WCHAR* ColorProfileFilename) {
    if (!ImageAttr || Type < ColorAdjustTypeDefault || Type >= ColorAdjustTypeCount) return InvalidParameter;
    return EnableFlag ? NotImplemented : Ok;
}

Status GdipSetImageAttributesRemapTable(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                        UINT MapSize, const ColorMap* Map) {
    if (EnableFlag && (!Map || MapSize == 0)) return InvalidParameter;
    auto* A = adjustFor(ImageAttr, Type);
    if (!A) return InvalidParameter;
    return gdipGuarded([&] {
        A->RemapOn = EnableFlag != 0;
        A->Remap.assign(EnableFlag ? Map : nullptr, EnableFlag ? Map + MapSize : nullptr);
        return Ok;
    });
}

Status GdipSetImageAttributesWrapMode(GpImageAttributes* ImageAttr, WrapMode Wrap, ARGB Argb, BOOL Clamp) {
    if (!ImageAttr || Wrap < WrapModeTile || Wrap > WrapModeClamp) return InvalidParameter;
    ImageAttr->Wrap = Wrap;
    ImageAttr->WrapColor = Argb;
    ImageAttr->Clamp = Clamp;
    return Ok;
}

Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* ImageAttr, ColorPalette* Palette,
                                             ColorAdjustType Type) {
    if (!ImageAttr || !Palette || Palette->Count == 0 || Type < ColorAdjustTypeDefault || Type >= ColorAdjustTypeCount)
        return InvalidParameter;
    const GpImageAttributes::Adjust& A = ImageAttr->For(Type);
    for (UINT I = 0; I < Palette->Count; ++I) Palette->Entries[I] = adjustColor(Palette->Entries[I], A);
    return Ok;
}
