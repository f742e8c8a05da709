// Drawing the GDI+ pictures: a bitmap's key is its bottom-left pixel, metafiles draw nothing,
// and a picture draws through a caller's graphics at its own size or stretched.
#include "components/graphics/AdvImage.h"
#include "components/graphics/GDIPicture.h"
#include "components/graphics/HTMLPicture.h"
#include "tests/graphics/AdvGDIPTestSupport.h"
#include "tests/graphics/PictureFixtures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Blue with a lime bottom row: only the bottom-left pixel names lime as the key.
TBytes bottomKeyedBmp() {
    auto Source = SolidBitmap(4, 4, clBlue);
    for (int X = 0; X < 4; ++X) Source->Canvas()->SetPixels(X, 3, clLime);
    return BmpBytesOf(Source.get());
}

TBytes emfBytes() {
    TBytes B(88, 0);
    B[0] = 1;
    std::memcpy(B.data() + 40, " EMF", 4);
    return B;
}

template <class TPic>
void load(TPic& Picture, const TBytes& Bytes) {
    TBytesStream In(Bytes);
    Picture.LoadFromStream(&In);
}

}  // namespace

TEST(GDIPictureDrawing, BitmapKeyIsTheBottomLeftPixel) {
    TGDIPPicture Gdip;
    load(Gdip, bottomKeyedBmp());
    THTMLPicture Html;
    load(Html, bottomKeyedBmp());
    for (TGraphic* Picture : std::initializer_list<TGraphic*>{&Gdip, &Html}) {
        auto Target = SolidBitmap(4, 4, clWhite);
        Picture->Draw(Target->Canvas(), Rect(0, 0, 4, 4));
        EXPECT_EQ(Target->Canvas()->Pixels(0, 0), clBlue) << "the top-left colour is drawn";
        EXPECT_EQ(Target->Canvas()->Pixels(2, 1), clBlue);
        EXPECT_EQ(Target->Canvas()->Pixels(0, 3), clWhite) << "the bottom-left colour is the key";
        EXPECT_EQ(Target->Canvas()->Pixels(3, 3), clWhite);
    }
}

TEST(GDIPictureDrawing, MetafilesAreRecognisedButDrawNothing) {
    TGDIPPicture Gdip;
    load(Gdip, emfBytes());
    EXPECT_EQ(Gdip.PictureFormat(), pfMetaFile);
    EXPECT_FALSE(Gdip.Empty());
    EXPECT_EQ(Gdip.Width(), 0);
    THTMLPicture Html;
    load(Html, emfBytes());
    EXPECT_EQ(Html.Width(), 0);
    for (TGraphic* Picture : std::initializer_list<TGraphic*>{&Gdip, &Html}) {
        auto Target = SolidBitmap(8, 8, clWhite);
        EXPECT_NO_THROW(Picture->Draw(Target->Canvas(), Rect(0, 0, 8, 8)));
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X) ASSERT_EQ(Target->Canvas()->Pixels(X, Y), clWhite) << X << "," << Y;
    }
    TBytesStream Saved;
    Gdip.SaveToStream(&Saved);
    EXPECT_EQ(Saved.Bytes(), emfBytes()) << "the bytes are kept for saving";
}

TEST(GDIPictureDrawing, DrawsThroughAGivenGraphicsAtItsSizeOrStretched) {
    TGDIPPicture Picture;
    load(Picture, PngBytes(3, 2, clRed));
    constexpr ARGB Red = 0xFFFF0000, White = 0xFFFFFFFF;

    TGPSurface Natural(10, 10);
    Picture.DrawImage(Natural.Graphics.get(), 4, 5);
    EXPECT_EQ(Natural.Pixel(4, 5), Red);
    EXPECT_EQ(Natural.Pixel(6, 6), Red);
    EXPECT_EQ(Natural.Pixel(7, 5), White) << "three wide";
    EXPECT_EQ(Natural.Pixel(4, 7), White) << "two high";
    EXPECT_EQ(Natural.Pixel(3, 5), White);

    TGPSurface Stretched(10, 10);
    Picture.DrawImageRect(Stretched.Graphics.get(), 1, 1, 8, 6);
    EXPECT_EQ(Stretched.Pixel(1, 1), Red);
    EXPECT_EQ(Stretched.Pixel(8, 6), Red);
    EXPECT_EQ(Stretched.Pixel(9, 7), White);
    EXPECT_EQ(Stretched.Pixel(0, 0), White);

    TGDIPPicture Empty;
    TGPSurface Untouched(4, 4);
    Empty.DrawImage(Untouched.Graphics.get(), 0, 0);
    Empty.DrawImageRect(Untouched.Graphics.get(), 0, 0, 4, 4);
    EXPECT_EQ(Untouched.Pixel(1, 1), White);
    EXPECT_EQ(Untouched.Graphics->GetLastStatus(), Ok) << "an empty picture makes no call";
}

TEST(GDIPictureDrawing, AdvImageDrawsUprightIntoTheRectangle) {
    // Red top half, blue bottom half: the picture is not turned upside down.
    auto Source = SolidBitmap(10, 10, clRed);
    Source->Canvas()->Brush()->SetColor(clBlue);
    Source->Canvas()->FillRect(Rect(0, 5, 10, 10));
    TAdvImage Image;
    TBytesStream In(PngBytesOf(Source.get()));
    Image.LoadFromStream(&In);
    auto Target = SolidBitmap(30, 30, clWhite);
    Image.Draw(Target->Canvas(), Rect(5, 5, 25, 25));
    EXPECT_EQ(Target->Canvas()->Pixels(15, 7), clRed);
    EXPECT_EQ(Target->Canvas()->Pixels(15, 22), clBlue);
    EXPECT_EQ(Target->Canvas()->Pixels(15, 27), clWhite);
    EXPECT_EQ(Target->Canvas()->Pixels(2, 15), clWhite);
}
