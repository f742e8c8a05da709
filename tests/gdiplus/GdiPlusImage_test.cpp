// Image decoding, pixels, rotate-flip, saving; font families and text measuring.
#include "framework/gdiplus/GdiPlusFlat.h"
#include "framework/rtl/Streams.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QImage>

namespace {

class Gdip : public ::testing::Test {
protected:
    void SetUp() override {
        GdiplusStartupInput Input;
        ASSERT_EQ(GdiplusStartup(&Token, &Input, &Output), Ok);
    }
    void TearDown() override { GdiplusShutdown(Token); }

    NativeUInt Token = 0;
    GdiplusStartupOutput Output;
};

QByteArray encoded(const QImage& Image, const char* Format) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Image.save(&Buffer, Format);
    return Bytes;
}

// Decodes Bytes through a stream over a memory stream.
Status load(const QByteArray& Bytes, GpImage** Image) {
    auto* Memory = new TMemoryStream;
    Memory->WriteBuffer(Bytes.constData(), Bytes.size());
    Memory->SetPosition(0);
    auto* Stream = new TStreamAdapter(Memory, soOwned);
    const Status S = GdipLoadImageFromStream(Stream, Image);
    Stream->Release();
    return S;
}

QImage fixture(QImage::Format Format) {
    QImage Image(4, 3, Format);
    Image.fill(QColor(255, 0, 0));
    Image.setPixelColor(3, 2, QColor(0, 0, 255));
    return Image;
}

}  // namespace

TEST_F(Gdip, DecodesTheRasterFormatsWithTheirRawFormatAndPixels) {
    struct Case {
        const char* Format;
        QImage::Format Pixels;
        GUID Raw;
        PixelFormat Expected;
        bool Exact;
    };
    const Case Cases[] = {
        {"png", QImage::Format_ARGB32, ImageFormatPNG, PixelFormat32bppARGB, true},
        {"png", QImage::Format_RGB32, ImageFormatPNG, PixelFormat24bppRGB, true},
        {"bmp", QImage::Format_RGB32, ImageFormatBMP, PixelFormat24bppRGB, true},
        {"jpeg", QImage::Format_RGB32, ImageFormatJPEG, PixelFormat24bppRGB, false},
        {"ico", QImage::Format_ARGB32, ImageFormatIcon, PixelFormat32bppARGB, true},
        {"tiff", QImage::Format_ARGB32, ImageFormatTIFF, PixelFormat32bppARGB, true},
    };
    for (const Case& C : Cases) {
        GpImage* Image = nullptr;
        ASSERT_EQ(load(encoded(fixture(C.Pixels), C.Format), &Image), Ok) << C.Format;
        GUID Raw;
        UINT W = 0, H = 0;
        PixelFormat F = 0;
        GdipGetImageRawFormat(Image, &Raw);
        GdipGetImageWidth(Image, &W);
        GdipGetImageHeight(Image, &H);
        GdipGetImagePixelFormat(Image, &F);
        EXPECT_TRUE(Raw == C.Raw) << C.Format;
        EXPECT_EQ(W, 4u);
        EXPECT_EQ(H, 3u);
        EXPECT_EQ(F, C.Expected) << C.Format;
        ARGB P = 0;
        ASSERT_EQ(GdipBitmapGetPixel(static_cast<GpBitmap*>(Image), 0, 0, &P), Ok);
        if (C.Exact) {
            EXPECT_EQ(P, 0xFFFF0000u) << C.Format;
        }
        GdipDisposeImage(Image);
    }
}

TEST_F(Gdip, UnknownDataIsUnknownFormatAndMetafilesLoadEmpty) {
    GpImage* Image = reinterpret_cast<GpImage*>(1);
    EXPECT_EQ(load(QByteArray("not an image at all"), &Image), UnknownImageFormat);
    EXPECT_EQ(Image, nullptr);
    EXPECT_EQ(load(QByteArray(), &Image), UnknownImageFormat);

    QByteArray Emf(88, '\0');
    Emf[0] = 1;
    Emf.replace(40, 4, " EMF");
    ASSERT_EQ(load(Emf, &Image), Ok);
    GUID Raw;
    ImageType Type;
    UINT W = 1;
    GdipGetImageRawFormat(Image, &Raw);
    GdipGetImageType(Image, &Type);
    GdipGetImageWidth(Image, &W);
    EXPECT_TRUE(Raw == ImageFormatEMF);
    EXPECT_EQ(Type, ImageTypeMetafile);
    EXPECT_EQ(W, 0u);
    // Drawing it draws nothing and succeeds.
    GpBitmap* Target = nullptr;
    GpGraphics* G = nullptr;
    GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &Target);
    GdipGetImageGraphicsContext(Target, &G);
    EXPECT_EQ(GdipDrawImageI(G, Image, 0, 0), Ok);
    ARGB P = 1;
    GdipBitmapGetPixel(Target, 0, 0, &P);
    EXPECT_EQ(P, 0u);
    GpBitmap* AsBitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromFile(u"/no/such/file.png", &AsBitmap), FileNotFound);
    GdipDeleteGraphics(G);
    GdipDisposeImage(Target);
    GdipDisposeImage(Image);
}

TEST_F(Gdip, RotateFlipTurnsTheImageAndItsPixels) {
    GpBitmap* B = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(100, 50, 0, PixelFormat32bppARGB, nullptr, &B), Ok);
    GdipBitmapSetPixel(B, 0, 0, 0xFFFF0000u);  // top-left
    ASSERT_EQ(GdipImageRotateFlip(B, Rotate90FlipNone), Ok);
    UINT W = 0, H = 0;
    GdipGetImageWidth(B, &W);
    GdipGetImageHeight(B, &H);
    EXPECT_EQ(W, 50u);
    EXPECT_EQ(H, 100u);
    ARGB P = 0;
    GdipBitmapGetPixel(B, 49, 0, &P);  // clockwise: top-left goes to top-right
    EXPECT_EQ(P, 0xFFFF0000u);
    ASSERT_EQ(GdipImageRotateFlip(B, Rotate270FlipX), Ok);  // back and mirrored
    GdipBitmapGetPixel(B, 99, 0, &P);
    EXPECT_EQ(P, 0xFFFF0000u);
    EXPECT_EQ(GdipBitmapGetPixel(B, 100, 0, &P), InvalidParameter);
    PixelFormat F = 0;
    GdipGetImagePixelFormat(B, &F);
    EXPECT_EQ(GetPixelFormatSize(F), 32u);
    EXPECT_TRUE(IsAlphaPixelFormat(F));
    GdipDisposeImage(B);
}

TEST_F(Gdip, SavesByEncoderIdAndRefusesWhatItCannotWrite) {
    TempFolder Folder;
    GpBitmap* B = nullptr;
    GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppARGB, nullptr, &B);
    GdipBitmapSetPixel(B, 1, 1, 0xFF00FF00u);
    const struct {
        const char* Name;
        const CLSID* Encoder;
        const GUID* Format;
    } Written[] = {{"out.png", &EncoderClsidPNG, &ImageFormatPNG}, {"out.tif", &EncoderClsidTIFF, &ImageFormatTIFF}};
    for (const auto& W : Written) {
        const String File = Folder.File(QString::fromLatin1(W.Name));
        ASSERT_EQ(GdipSaveImageToFile(B, WideText(File), W.Encoder, nullptr), Ok) << W.Name;
        GpImage* Back = nullptr;
        ASSERT_EQ(GdipLoadImageFromFile(WideText(File), &Back), Ok) << W.Name;
        GUID Format{};
        GdipGetImageRawFormat(Back, &Format);
        EXPECT_TRUE(Format == *W.Format) << W.Name;
        ARGB P = 0;
        GdipBitmapGetPixel(static_cast<GpBitmap*>(Back), 1, 1, &P);
        EXPECT_EQ(P, 0xFF00FF00u) << W.Name;
        GdipDisposeImage(Back);
    }

    const String Gif = Folder.File(QStringLiteral("out.gif"));
    EXPECT_EQ(GdipSaveImageToFile(B, WideText(Gif), &EncoderClsidGIF, nullptr), NotImplemented);
    const CLSID Unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(GdipSaveImageToFile(B, WideText(Gif), &Unknown, nullptr), FileNotFound);
    EXPECT_FALSE(QFile::exists(Gif));  // nothing half-written
    EXPECT_EQ(GdipSaveAddImage(B, B, nullptr), NotImplemented);

    UINT Count = 0, Size = 0;
    GdipGetImageEncodersSize(&Count, &Size);
    std::vector<ImageCodecInfo> Codecs(Count);
    ASSERT_EQ(GdipGetImageEncoders(Count, Size, Codecs.data()), Ok);
    EXPECT_TRUE(Codecs.back().Clsid == EncoderClsidPNG);
    EXPECT_EQ(QString::fromUtf16(Codecs.back().MimeType), QStringLiteral("image/png"));
    GdipDisposeImage(B);
}

TEST_F(Gdip, FontFamiliesFollowTheFaceTableAndMissingOnesAreNotFound) {
    struct Case {
        const char16_t* Name;
        Status Expected;
    };
    const Case Cases[] = {
        {u"Arial", Ok},
        {u"Tahoma", Ok},
        {u"Courier New", Ok},
        {u"DejaVu Sans", Ok},
        {u"No Such Family Xyz", FontFamilyNotFound},
    };
    for (const Case& C : Cases) {
        GpFontFamily* Family = nullptr;
        EXPECT_EQ(GdipCreateFontFamilyFromName(C.Name, nullptr, &Family), C.Expected)
            << QString::fromUtf16(C.Name).toStdString();
        if (Family) {
            WCHAR Name[32];
            GdipGetFamilyName(Family, Name, 0);
            EXPECT_EQ(QString::fromUtf16(Name), QString::fromUtf16(C.Name));
            GdipDeleteFontFamily(Family);
        } else {
            EXPECT_NE(C.Expected, Ok);
        }
    }
    GpFont* Font = nullptr;
    EXPECT_EQ(GdipCreateFont(nullptr, 10, 0, UnitPoint, &Font), InvalidParameter);
}

TEST_F(Gdip, MeasureStringGrowsWithTheTextAndDrawStringInks) {
    GpBitmap* B = nullptr;
    GpGraphics* G = nullptr;
    GdipCreateBitmapFromScan0(200, 40, 0, PixelFormat32bppARGB, nullptr, &B);
    GdipGetImageGraphicsContext(B, &G);
    GdipGraphicsClear(G, 0xFFFFFFFFu);
    GpFontFamily* Family = nullptr;
    GdipCreateFontFamilyFromName(u"Arial", nullptr, &Family);
    GpFont* Font = nullptr;
    ASSERT_EQ(GdipCreateFont(Family, 12, FontStyleBold, UnitPoint, &Font), Ok);
    const GpRectF Layout{0, 0, 10000, 10000};
    auto width = [&](const char16_t* Text) {
        GpRectF Box;
        EXPECT_EQ(GdipMeasureString(G, Text, -1, Font, &Layout, nullptr, &Box, nullptr, nullptr), Ok);
        return Box.Width;
    };
    EXPECT_LT(width(u"ii"), width(u"WW"));
    EXPECT_FLOAT_EQ(width(u"ab "), width(u"ab"));  // a trailing space takes no room
    EXPECT_GT(width(u"abi"), width(u"ab"));
    const REAL Padding = width(u"");
    EXPECT_GT(Padding, 0);  // a sixth of the em on each side

    GpSolidFill* Black = nullptr;
    GdipCreateSolidFill(0xFF000000u, &Black);
    const GpRectF At{0, 0, 0, 0};
    ASSERT_EQ(GdipDrawString(G, u"Hello", -1, Font, &At, nullptr, Black), Ok);
    int Inked = 0;
    for (int Y = 0; Y < 40; ++Y)
        for (int X = 0; X < 100; ++X) {
            ARGB P = 0;
            GdipBitmapGetPixel(B, X, Y, &P);
            if ((P & 0xFF) < 128) ++Inked;
        }
    EXPECT_GT(Inked, 20);
    EXPECT_EQ(GdipDrawString(G, u"x", -1, nullptr, &At, nullptr, Black), InvalidParameter);
    GdipDeleteBrush(Black);
    GdipDeleteFont(Font);
    GdipDeleteFontFamily(Family);
    GdipDeleteGraphics(G);
    GdipDisposeImage(B);
}
