// A GIF decodes with all its frames on the time dimension; other images have one page.
#include "framework/gdiplus/GdiPlusFlat.h"
#include "framework/rtl/Streams.h"
#include "tests/support/GifBuilder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace {

class GifFrames : public ::testing::Test {
protected:
    void SetUp() override {
        GdiplusStartupInput Input;
        ASSERT_EQ(GdiplusStartup(&Token, &Input, &Output), Ok);
    }
    void TearDown() override {
        if (Image) GdipDisposeImage(Image);
        GdiplusShutdown(Token);
    }
    Status load(const std::vector<std::uint8_t>& Bytes) {
        auto* Memory = new TMemoryStream;
        Memory->WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
        Memory->SetPosition(0);
        auto* Stream = new TStreamAdapter(Memory, soOwned);
        const Status S = GdipLoadImageFromStream(Stream, &Image);
        Stream->Release();
        return S;
    }
    ARGB pixel(int X, int Y) {
        ARGB C = 0;
        EXPECT_EQ(GdipBitmapGetPixel(static_cast<GpBitmap*>(Image), X, Y, &C), Ok);
        return C;
    }

    NativeUInt Token = 0;
    GdiplusStartupOutput Output;
    GpImage* Image = nullptr;
};

constexpr ARGB kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

}  // namespace

TEST_F(GifFrames, EveryFrameIsDecodedAndTheSelectedOneIsRead) {
    // Black, white, black: each frame covers the whole 4 x 3 screen.
    ASSERT_EQ(load(BuildGif(4, 3, {{0, 0, 4, 3, 10, 0, 0}, {0, 0, 4, 3, 20, 0, 1}, {0, 0, 4, 3, 30, 0, 0}})), Ok);
    GUID Raw;
    GdipGetImageRawFormat(Image, &Raw);
    EXPECT_TRUE(Raw == ImageFormatGIF);

    UINT Dimensions = 0;
    ASSERT_EQ(GdipImageGetFrameDimensionsCount(Image, &Dimensions), Ok);
    ASSERT_EQ(Dimensions, 1u);
    GUID Dimension;
    ASSERT_EQ(GdipImageGetFrameDimensionsList(Image, &Dimension, 1), Ok);
    EXPECT_TRUE(Dimension == FrameDimensionTime);
    UINT Count = 0;
    ASSERT_EQ(GdipImageGetFrameCount(Image, &FrameDimensionTime, &Count), Ok);
    EXPECT_EQ(Count, 3u);
    EXPECT_EQ(GdipImageGetFrameCount(Image, &FrameDimensionPage, &Count), InvalidParameter);

    EXPECT_EQ(pixel(0, 0), kBlack) << "the first frame is active after loading";
    struct Case {
        UINT Frame;
        ARGB Color;
    };
    const Case Cases[] = {{1, kWhite}, {2, kBlack}, {1, kWhite}, {0, kBlack}};
    for (const Case& C : Cases) {
        ASSERT_EQ(GdipImageSelectActiveFrame(Image, &FrameDimensionTime, C.Frame), Ok) << C.Frame;
        EXPECT_EQ(pixel(3, 2), C.Color) << "frame " << C.Frame;
    }
    ASSERT_EQ(GdipImageSelectActiveFrame(Image, &FrameDimensionTime, 1), Ok);
    EXPECT_EQ(GdipImageSelectActiveFrame(Image, &FrameDimensionTime, 3), InvalidParameter);
    EXPECT_EQ(GdipImageSelectActiveFrame(Image, &FrameDimensionPage, 0), InvalidParameter);
    EXPECT_EQ(pixel(0, 0), kWhite) << "a refused selection keeps the active frame";

    // A drawn GIF shows its active frame.
    GpBitmap* Target = nullptr;
    GpGraphics* G = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 3, 0, PixelFormat32bppARGB, nullptr, &Target), Ok);
    GdipGetImageGraphicsContext(Target, &G);
    GdipGraphicsClear(G, 0xFFFF0000u);
    ASSERT_EQ(GdipDrawImageI(G, Image, 0, 0), Ok);
    ARGB Drawn = 0;
    GdipBitmapGetPixel(Target, 2, 1, &Drawn);
    EXPECT_EQ(Drawn, kWhite);
    GdipDeleteGraphics(G);
    GdipDisposeImage(Target);
}

TEST_F(GifFrames, OtherImagesHaveOnePage) {
    QImage Png(3, 3, QImage::Format_ARGB32);
    Png.fill(Qt::red);
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Png.save(&Buffer, "png");
    ASSERT_EQ(load(std::vector<std::uint8_t>(Bytes.begin(), Bytes.end())), Ok);
    GUID Dimension;
    ASSERT_EQ(GdipImageGetFrameDimensionsList(Image, &Dimension, 1), Ok);
    EXPECT_TRUE(Dimension == FrameDimensionPage);
    UINT Count = 0;
    ASSERT_EQ(GdipImageGetFrameCount(Image, &FrameDimensionPage, &Count), Ok);
    EXPECT_EQ(Count, 1u);
    EXPECT_EQ(GdipImageSelectActiveFrame(Image, &FrameDimensionPage, 1), InvalidParameter);
}
