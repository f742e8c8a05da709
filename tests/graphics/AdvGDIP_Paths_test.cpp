// The GDI+ object layer's matrices, paths, regions, images and bitmaps.
#include "components/graphics/AdvGDIP.h"

#include "framework/rtl/Streams.h"
#include "tests/graphics/AdvGDIPTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace {

void expectPoint(const TGPPointF& P, float X, float Y, const char* What) {
    EXPECT_NEAR(P.X, X, 1e-3) << What;
    EXPECT_NEAR(P.Y, Y, 1e-3) << What;
}

TGPPointF transformed(TGPMatrix& M, float X, float Y) {
    TGPPointF P = MakeGPPointF(X, Y);
    M.TransformPoints(&P, 1);
    return P;
}

// The bytes of a small image in the given format, made by Qt.
TBytes imageBytes(const char* Format, QImage::Format PixelFormat = QImage::Format_ARGB32) {
    QImage Image(6, 4, PixelFormat);
    Image.fill(QColor(10, 20, 30));
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    Image.save(&Buffer, Format);
    return TBytes(Data.begin(), Data.end());
}

// An IStream over bytes, released when the test ends.
struct TByteSource {
    TBytesStream Bytes;
    TStreamAdapter* Stream;
    explicit TByteSource(const TBytes& Data) : Bytes(Data), Stream(new TStreamAdapter(&Bytes)) {}
    ~TByteSource() { Stream->Release(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Matrices

TEST(AdvGDIPMatrix, ResetMakesTheIdentity) {
    TGPMatrix M(2, 1, -1, 3, 15, -7);
    EXPECT_FALSE(M.IsIdentity());
    EXPECT_EQ(M.OffsetX(), 15);
    EXPECT_EQ(M.OffsetY(), -7);
    ASSERT_EQ(M.Reset(), Ok);
    EXPECT_TRUE(M.IsIdentity());
    EXPECT_EQ(M.OffsetX(), 0);
    EXPECT_EQ(M.OffsetY(), 0);
}

TEST(AdvGDIPMatrix, RotateAtKeepsItsCentreInBothOrders) {
    for (MatrixOrder Order : {MatrixOrderPrepend, MatrixOrderAppend}) {
        TGPMatrix M;
        ASSERT_EQ(M.RotateAt(90, MakeGPPointF(10, 10), Order), Ok);
        expectPoint(transformed(M, 10, 10), 10, 10, "centre");
        expectPoint(transformed(M, 20, 10), 10, 20, "a quarter turn clockwise on screen");
    }
    // On a matrix that already moves points, the orders place the turn before or after the move.
    TGPMatrix Pre(1, 0, 0, 1, 5, 0), Post(1, 0, 0, 1, 5, 0);
    Pre.RotateAt(90, MakeGPPointF(10, 10), MatrixOrderPrepend);  // turn, then move
    Post.RotateAt(90, MakeGPPointF(10, 10), MatrixOrderAppend);  // move, then turn
    expectPoint(transformed(Pre, 10, 10), 15, 10, "prepend");
    expectPoint(transformed(Post, 5, 10), 10, 10, "append");
}

TEST(AdvGDIPMatrix, AppendAndPrependDiffer) {
    struct Case {
        MatrixOrder Order;
        float X, Y;
    };
    // A translation by (10, 0) with a scale by 2 added: prepend scales first, append last.
    const Case Cases[] = {{MatrixOrderPrepend, 12, 2}, {MatrixOrderAppend, 22, 2}};
    for (const Case& C : Cases) {
        TGPMatrix M(1, 0, 0, 1, 10, 0);
        ASSERT_EQ(M.Scale(2, 2, C.Order), Ok);
        expectPoint(transformed(M, 1, 1), C.X, C.Y, C.Order == MatrixOrderPrepend ? "prepend" : "append");

        TGPMatrix Scale(2, 0, 0, 2, 0, 0), N(1, 0, 0, 1, 10, 0);
        ASSERT_EQ(N.Multiply(&Scale, C.Order), Ok);
        expectPoint(transformed(N, 1, 1), C.X, C.Y, "multiply");
    }
}

TEST(AdvGDIPMatrix, InvertRoundTrips) {
    TGPMatrix M(2, 0.5f, -1, 3, 15, -7);
    ASSERT_TRUE(M.IsInvertible());
    const TGPPointF There = transformed(M, 4, -9);
    ASSERT_EQ(M.Invert(), Ok);
    expectPoint(transformed(M, There.X, There.Y), 4, -9, "round trip");

    TGPPointF Vector = MakeGPPointF(1, 0);
    TGPMatrix Move(1, 0, 0, 1, 50, 50);
    Move.TransformVectors(&Vector, 1);
    expectPoint(Vector, 1, 0, "vectors ignore the offset");

    TGPMatrix Singular(1, 2, 2, 4, 0, 0);
    EXPECT_FALSE(Singular.IsInvertible());
    EXPECT_EQ(Singular.Invert(), InvalidParameter);
    EXPECT_EQ(Singular.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(Singular.GetLastStatus(), Ok);
}

TEST(AdvGDIPMatrix, CloneDecidesOnItsOwnCall) {
    // An earlier failure kept in the status field does not refuse (or strand) a good copy.
    TGPMatrix M(2, 0, 0, 2, 3, 4);
    EXPECT_EQ(M.TransformPoints(static_cast<TGPPointF*>(nullptr), 1), InvalidParameter);
    std::unique_ptr<TGPMatrix> Copy(M.Clone());
    ASSERT_NE(Copy, nullptr);
    EXPECT_NE(NativeOf(Copy.get()), NativeOf(&M));
    TMatrixArray E = {};
    ASSERT_EQ(Copy->GetElements(E), Ok);
    EXPECT_EQ(E[0], 2);
    EXPECT_EQ(E[4], 3);
    EXPECT_EQ(E[5], 4);
    Copy->Translate(100, 0);
    EXPECT_EQ(M.OffsetX(), 3);  // a copy, not a second name

    // A failing clone gives nil and records the failure.
    TGPMatrix Broken(static_cast<GpMatrix*>(nullptr));
    EXPECT_EQ(Broken.Clone(), nullptr);
    EXPECT_EQ(Broken.GetLastStatus(), InvalidParameter);
}

TEST(AdvGDIPMatrix, RectangleOntoParallelogram) {
    const TGPPointF Plg[3] = {MakeGPPointF(10, 10), MakeGPPointF(30, 10), MakeGPPointF(10, 50)};
    TGPMatrix M(MakeGPRectF(0, 0, 10, 20), Plg);
    ASSERT_EQ(M.GetLastStatus(), Ok);
    expectPoint(transformed(M, 0, 0), 10, 10, "top-left");
    expectPoint(transformed(M, 10, 20), 30, 50, "bottom-right");
}

// ---------------------------------------------------------------------------------------------
// Paths and regions

TEST(AdvGDIPPath, PointsTypesAndBounds) {
    TGPGraphicsPath Path;
    Path.AddLine(0, 0, 10, 0);
    Path.AddLine(10, 0, 10, 10);  // joined to the figure
    Path.CloseFigure();
    ASSERT_EQ(Path.GetPointCount(), 3);
    TGPPointF Points[3];
    BYTE Types[3] = {};
    ASSERT_EQ(Path.GetPathPoints(Points, 3), Ok);
    ASSERT_EQ(Path.GetPathTypes(Types, 3), Ok);
    expectPoint(Points[2], 10, 10, "last point");
    EXPECT_EQ(Types[0], PathPointTypeStart);
    EXPECT_EQ(Types[1], PathPointTypeLine);
    EXPECT_EQ(Types[2], PathPointTypeLine | PathPointTypeCloseSubpath);

    TGPRectF Bounds;
    ASSERT_EQ(Path.GetBounds(Bounds), Ok);
    EXPECT_EQ(Bounds.Width, 10);
    TGPMatrix Double(2, 0, 0, 2, 0, 0);
    ASSERT_EQ(Path.GetBounds(Bounds, &Double), Ok);
    EXPECT_EQ(Bounds.Width, 20);

    Path.Reset();
    EXPECT_EQ(Path.GetPointCount(), 0);

    TGPGraphicsPath Copy(Points, Types, 3);
    EXPECT_EQ(Copy.GetPointCount(), 3);
    TGPGraphicsPath Broken(static_cast<GpPath*>(nullptr));
    EXPECT_EQ(Broken.GetPointCount(), 0);  // 0 when the call fails
}

TEST(AdvGDIPPath, RegionUnionAndExcludeClipDrawing) {
    TGPSurface S(30, 10);
    TGPRegion Region(MakeGPRectF(0, 0, 10, 10));
    TGPRegion Right(MakeGPRectF(20, 0, 10, 10));
    ASSERT_EQ(Region.Union(&Right), Ok);
    TGPGraphicsPath Hole;
    Hole.AddRectangle(MakeGPRectF(0, 0, 5, 10));
    ASSERT_EQ(Region.Exclude(&Hole), Ok);
    ASSERT_EQ(S.Graphics->SetClip(&Region), Ok);
    TGPSolidBrush Brush(0xFF000000);
    S.Graphics->FillRectangle(&Brush, 0, 0, 30, 10);
    EXPECT_EQ(S.Pixel(2, 5), 0xFFFFFFFFu);
    EXPECT_EQ(S.Pixel(7, 5), 0xFF000000u);
    EXPECT_EQ(S.Pixel(15, 5), 0xFFFFFFFFu);
    EXPECT_EQ(S.Pixel(25, 5), 0xFF000000u);
}

// ---------------------------------------------------------------------------------------------
// Images and bitmaps

TEST(AdvGDIPImage, FormatOfDecodedStreams) {
    struct Case {
        const char* QtFormat;
        TGPImageFormat Format;
    };
    const Case Cases[] = {{"PNG", ifPNG}, {"BMP", ifBMP}, {"JPG", ifJPEG}};
    for (const Case& C : Cases) {
        TByteSource Source(imageBytes(C.QtFormat));
        TGPImage Image(Source.Stream);
        EXPECT_EQ(LastResultOf(&Image), Ok) << C.QtFormat;
        EXPECT_EQ(Image.GetFormat(), C.Format) << C.QtFormat;
        EXPECT_EQ(Image.Width(), 6);
        EXPECT_EQ(Image.Height(), 4);
    }
    TByteSource Garbage(TBytes(64, 0x5A));
    TGPImage Undecodable(Garbage.Stream);
    EXPECT_EQ(Undecodable.GetFormat(), ifUndefined);
    EXPECT_EQ(Undecodable.GetWidth(), 0u);
}

TEST(AdvGDIPImage, PixelFormatBits) {
    struct Case {
        PixelFormat Format;
        int Depth;
        bool Alpha;
        bool Palette;
    };
    const Case Cases[] = {
        {PixelFormat32bppARGB, 32, true, false},
        {PixelFormat32bppRGB, 32, false, false},
        {PixelFormat24bppRGB, 24, false, false},
        {PixelFormat8bppIndexed, 8, false, true},
    };
    for (const Case& C : Cases) {
        TGPBitmap Bitmap(8, 8, C.Format);
        ASSERT_EQ(LastResultOf(&Bitmap), Ok) << std::hex << C.Format;
        EXPECT_EQ(Bitmap.GetPixelFormat(), C.Format);
        EXPECT_EQ(Bitmap.GetPixelDepth(), C.Depth);
        EXPECT_EQ(Bitmap.HasAlphaChannel(), C.Alpha);
        EXPECT_EQ(Bitmap.HasPalette(), C.Palette);
    }
    TGPImage Broken(static_cast<GpImage*>(nullptr), Ok);
    EXPECT_EQ(Broken.GetPixelDepth(), 0);
    EXPECT_FALSE(Broken.HasAlphaChannel());
}

TEST(AdvGDIPImage, BitmapPixelsRotateFlipAndSaveRoundTrip) {
    TGPBitmap Bitmap(3, 2);
    ASSERT_EQ(Bitmap.SetPixel(0, 0, 0xFFFF0000), Ok);
    ASSERT_EQ(Bitmap.RotateFlip(Rotate90FlipNone), Ok);
    EXPECT_EQ(Bitmap.Width(), 2);
    EXPECT_EQ(Bitmap.Height(), 3);
    ARGB Corner = 0;
    ASSERT_EQ(Bitmap.GetPixel(1, 0, Corner), Ok);  // top-left turned to top-right
    EXPECT_EQ(Corner, 0xFFFF0000u);
    EXPECT_NE(Bitmap.GetPixel(5, 5, Corner), Ok);

    TBytesStream Saved;
    auto* Out = new TStreamAdapter(&Saved);
    ASSERT_EQ(Bitmap.Save(Out, EncoderClsidPNG), Ok);
    Out->Release();
    Saved.SetPosition(0);
    TByteSource Source(Saved.Bytes());
    std::unique_ptr<TGPBitmap> Loaded(TGPBitmap::FromStream(Source.Stream));
    EXPECT_EQ(Loaded->GetFormat(), ifPNG);
    ARGB Back = 0;
    ASSERT_EQ(Loaded->GetPixel(1, 0, Back), Ok);
    EXPECT_EQ(Back, 0xFFFF0000u);

    // The thumbnail carries this image's status: the failed GetPixel above.
    std::unique_ptr<TGPImage> Thumb(Bitmap.GetThumbnailImage(1, 1));
    EXPECT_EQ(LastResultOf(Thumb.get()), InvalidParameter);
    EXPECT_EQ(Thumb->Width(), 1);
}

TEST(AdvGDIPImage, TextureBrushTilesItsImage) {
    TGPBitmap Tile(2, 2);
    Tile.SetPixel(0, 0, 0xFFFF0000);
    Tile.SetPixel(1, 0, 0xFF0000FF);
    Tile.SetPixel(0, 1, 0xFF0000FF);
    Tile.SetPixel(1, 1, 0xFFFF0000);
    TGPTextureBrush Brush(&Tile, WrapModeTile);
    EXPECT_EQ(Brush.GetWrapMode(), WrapModeTile);
    TGPSurface S(6, 6);
    ASSERT_EQ(S.Graphics->FillRectangle(&Brush, 0, 0, 6, 6), Ok);
    EXPECT_EQ(S.Pixel(4, 4), 0xFFFF0000u);
    EXPECT_EQ(S.Pixel(5, 4), 0xFF0000FFu);
    std::unique_ptr<TGPImage> Image(Brush.GetImage());
    EXPECT_EQ(Image->Width(), 2);
}
