#include "framework/ui/Picture.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "tests/support/GifBuilder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

std::unique_ptr<TBitmap> solidBitmap(int W, int H, TColor Color) {
    auto B = std::make_unique<TBitmap>(W, H);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    return B;
}

// Bytes of Graphic's own file format, made from a solid bitmap.
template <class G>
TBytes encoded(int W, int H, TColor Color) {
    auto B = solidBitmap(W, H, Color);
    G Graphic;
    Graphic.Assign(B.get());
    TBytesStream Out;
    Graphic.SaveToStream(&Out);
    return Out.Bytes();
}

TBytes gifBytes() { return BuildGif(4, 3, {{0, 0, 4, 3, 10, 0, 1}}); }

TEST(CodecGraphic, SavesExactlyTheBytesItLoadedAndRefusesBadOnes) {
    const TBytes Png = encoded<TPngImage>(5, 4, clRed);
    ASSERT_GT(Png.size(), 8u);
    TPngImage Image;
    TBytesStream In(Png);
    Image.LoadFromStream(&In);
    EXPECT_EQ(Image.Width(), 5);
    EXPECT_EQ(Image.Height(), 4);
    TBytesStream Out;
    Image.SaveToStream(&Out);
    EXPECT_EQ(Out.Bytes(), Png);

    int Changes = 0;
    Image.OnChange = [&](TObject*) { ++Changes; };
    TBytesStream Bad(TBytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    EXPECT_THROW(Image.LoadFromStream(&Bad), EInvalidGraphic);
    EXPECT_EQ(Image.Width(), 5) << "the old picture stays";
    EXPECT_EQ(Changes, 0);

    TGIFImage Gif;
    EXPECT_THROW(Gif.Assign(solidBitmap(2, 2, clRed).get()); TBytesStream S;
                 Gif.SaveToStream(&S), EInvalidGraphicOperation)
        << "GIF cannot be encoded";
}

TEST(CodecGraphic, EachClassReadsItsFormat) {
    struct Case {
        const char* Name;
        TBytes Bytes;
        std::unique_ptr<TGraphic> Graphic;
        int Width;
    };
    Case Cases[] = {
        {"png", encoded<TPngImage>(3, 2, clBlue), std::make_unique<TPngImage>(), 3},
        {"jpeg", encoded<TJPEGImage>(8, 8, clBlue), std::make_unique<TJPEGImage>(), 8},
        {"icon", encoded<TIcon>(16, 16, clBlue), std::make_unique<TIcon>(), 16},
        {"gif", gifBytes(), std::make_unique<TGIFImage>(), 4},
    };
    for (Case& C : Cases) {
        TBytesStream In(C.Bytes);
        C.Graphic->LoadFromStream(&In);
        EXPECT_EQ(C.Graphic->Width(), C.Width) << C.Name;
        EXPECT_FALSE(C.Graphic->Empty()) << C.Name;
    }
}

TEST(CodecGraphic, DrawsWithAlphaAndKeepsATransparentBitmapsKey) {
    // A transparent bitmap's bottom-left colour becomes see-through in a PNG made from it.
    auto Source = solidBitmap(4, 4, clRed);
    Source->Canvas()->SetPixels(1, 1, clLime);
    Source->SetTransparent(true);
    TPngImage Png;
    Png.Assign(Source.get());

    auto Target = solidBitmap(8, 8, clWhite);
    Target->Canvas()->StretchDraw(Rect(0, 0, 8, 8), &Png);
    EXPECT_EQ(Target->Canvas()->Pixels(0, 0), clWhite) << "key colour shows the background";
    EXPECT_EQ(Target->Canvas()->Pixels(2, 2), clLime) << "the rest is drawn, stretched";
}

TEST(Picture, PicksTheClassByExtensionAndByContent) {
    TempFolder Folder;
    struct Case {
        const char* File;
        TBytes Bytes;
        const std::type_info& Class;
    };
    auto Bmp = solidBitmap(3, 3, clRed);
    TBytesStream BmpBytes;
    Bmp->SaveToStream(&BmpBytes);
    const Case Cases[] = {
        {"a.BMP", BmpBytes.Bytes(), typeid(TBitmap)},
        {"a.png", encoded<TPngImage>(3, 3, clRed), typeid(TPngImage)},
        {"a.jpg", encoded<TJPEGImage>(3, 3, clRed), typeid(TJPEGImage)},
        {"a.jpeg", encoded<TJPEGImage>(3, 3, clRed), typeid(TJPEGImage)},
        {"a.ico", encoded<TIcon>(3, 3, clRed), typeid(TIcon)},
        {"a.gif", gifBytes(), typeid(TGIFImage)},
    };
    for (const Case& C : Cases) {
        const String Name = Folder.File(QString::fromLatin1(C.File));
        SaveFileAtomically(Name, C.Bytes.data(), static_cast<Int64>(C.Bytes.size()));
        TPicture ByName;
        ByName.LoadFromFile(Name);
        ASSERT_NE(ByName.Graphic(), nullptr) << C.File;
        const TGraphic& Named = *ByName.Graphic();
        EXPECT_EQ(typeid(Named), C.Class) << C.File;
        TPicture ByContent;
        TBytesStream In(C.Bytes);
        ByContent.LoadFromStream(&In);
        const TGraphic& Read = *ByContent.Graphic();
        EXPECT_EQ(typeid(Read), C.Class) << C.File;
        TPicture Copy;
        Copy.Assign(&ByContent);
        const TGraphic& Copied = *Copy.Graphic();
        EXPECT_EQ(typeid(Copied), C.Class) << "a copy keeps the class: " << C.File;
    }

    TPicture Picture;
    const String Odd = Folder.File(QStringLiteral("a.xyz"));
    SaveFileAtomically(Odd, "abc", 3);
    try {
        Picture.LoadFromFile(Odd);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Unknown picture file extension (.xyz)"));
    }
    TBytesStream Junk(TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_THROW(Picture.LoadFromStream(&Junk), EInvalidGraphic);
    EXPECT_EQ(Picture.Graphic(), nullptr);
}

TEST(Picture, RegistryCanBeExtendedAndConvertsToBitmapAndIcon) {
    EXPECT_EQ(TPicture::GraphicClassOfExtension(QStringLiteral(".PNG")), &CreateGraphic<TPngImage>);
    TPicture::RegisterFileFormat(QStringLiteral("pngx"), QStringLiteral("Test"), &CreateGraphic<TPngImage>);
    EXPECT_EQ(TPicture::GraphicClassOfExtension(QStringLiteral("pngx")), &CreateGraphic<TPngImage>);
    EXPECT_TRUE(TPicture::GraphicFilter().contains(QStringLiteral("Test (*.pngx)|*.pngx")));
    TPicture::UnregisterGraphicClass(&CreateGraphic<TPngImage>);
    EXPECT_EQ(TPicture::GraphicClassOfExtension(QStringLiteral("png")), nullptr);
    TPicture::RegisterFileFormat(QStringLiteral("png"), QStringLiteral("Portable Network Graphics"),
                                 &CreateGraphic<TPngImage>);

    TPicture Picture;
    TBytesStream In(encoded<TPngImage>(6, 5, clBlue));
    Picture.LoadFromStream(&In);
    EXPECT_EQ(Picture.Bitmap()->Width(), 6);
    EXPECT_EQ(Picture.Bitmap()->Canvas()->Pixels(2, 2), clBlue);
    EXPECT_EQ(Picture.Icon()->Height(), 5);
}

TEST(Bitmap, LoadsFromResourcesWithOrWithoutAFileHeader) {
    auto Source = solidBitmap(3, 2, clGreen);
    TBytesStream File;
    Source->SaveToStream(&File);
    const TBytes& Bytes = File.Bytes();
    RegisterResource(RT_BITMAP, QStringLiteral("TESTBMPFILE"), Bytes.data(), Bytes.size());
    RegisterResource(RT_BITMAP, QStringLiteral("TESTBMPDIB"), Bytes.data() + 14, Bytes.size() - 14);
    for (const char* Name : {"testbmpfile", "TestBmpDib"}) {
        TBitmap B;
        B.LoadFromResourceName(HInstance, QString::fromLatin1(Name));
        EXPECT_EQ(B.Width(), 3) << Name;
        EXPECT_EQ(B.Canvas()->Pixels(1, 1), clGreen) << Name;
    }
    TBitmap B;
    EXPECT_THROW(B.LoadFromResourceName(HInstance, QStringLiteral("NOSUCHBITMAP")), EResNotFound);
    UnregisterResource(RT_BITMAP, QStringLiteral("TESTBMPFILE"));
    UnregisterResource(RT_BITMAP, QStringLiteral("TESTBMPDIB"));
}

TEST(Image, ShowsAPngOverItsParent) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 50, 50);
    Form.SetColor(clWhite);
    auto* Image = new TImage(&Form);
    Image->SetParent(&Form);
    Image->SetBounds(0, 0, 20, 20);
    TBytesStream In(encoded<TPngImage>(10, 10, clBlue));
    Image->Picture()->LoadFromStream(&In);
    auto B = std::make_unique<TBitmap>(50, 50);
    Form.PaintTo(B->Canvas(), 0, 0);
    EXPECT_EQ(B->Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(15, 15), clWhite);
}

}  // namespace
