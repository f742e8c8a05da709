#include "components/graphics/GDIPicture.h"
#include "components/graphics/AdvHintInfo.h"
#include "components/graphics/AdvImage.h"
#include "tests/graphics/PictureFixtures.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TBytes padded(std::initializer_list<Byte> Head, std::size_t Size = 64) {
    TBytes B(Head);
    B.resize(Size, 0);
    return B;
}

TBytes emfBytes() {
    TBytes B = padded({1, 0, 0, 0}, 88);
    std::memcpy(B.data() + 40, " EMF", 4);
    return B;
}

TEST(SniffPictureFormat, TellsTheFormatFromTheFirstBytes) {
    const TBytes Png = PngBytes(4, 4, clRed);
    ASSERT_GE(Png.size(), 44u);
    struct Case {
        const char* Name;
        TBytes Bytes;
        TPictureFormat Expected;
    };
    const Case Cases[] = {
        {"PNG, 43 bytes", TBytes(Png.begin(), Png.begin() + 43), pfNone},
        {"PNG, 44 bytes", TBytes(Png.begin(), Png.begin() + 44), pfPNG},
        {"BMP", padded({'B', 'M'}), pfBMP},
        {"JPEG", padded({0xFF, 0xD8, 0xFF}), pfJPG},
        {"TIFF big-endian", padded({'M', 'M', 0x00, 0x2A}), pfTiff},
        {"TIFF little-endian", padded({'I', 'I', 0x2A, 0x00}), pfTiff},
        {"II not TIFF", padded({'I', 'I', 0x2B, 0x00}), pfNone},
        {"MM not TIFF", padded({'M', 'M', 0x2A, 0x00}), pfNone},
        {"placeable metafile", padded({0xD7, 0xCD, 0xC6, 0x9A}), pfMetaFile},
        {"EMF", emfBytes(), pfMetaFile},
        {"record 1 without EMF", padded({1, 0, 0, 0}), pfNone},
        {"GIF", padded({'G', 'I', 'F', '8', '9', 'a'}), pfGIF},
        {"ICO", padded({0, 0, 1, 0}), pfICO},
        {"CUR", padded({0, 0, 2, 0}), pfNone},
        {"zeros", padded({}), pfNone},
    };
    for (const Case& C : Cases) EXPECT_EQ(SniffPictureFormat(C.Bytes.data(), C.Bytes.size()), C.Expected) << C.Name;
    EXPECT_EQ(SniffPictureFormat(nullptr, 100), pfNone);
}

TEST(GDIPPicture, KeepsTheBytesAndMeasuresThem) {
    const TBytes Png = PngBytes(6, 4, clRed);
    TGDIPPicture Picture;
    int Changes = 0;
    Picture.OnChange = [&](TObject*) { ++Changes; };
    TBytesStream In(Png);
    Picture.LoadFromStream(&In);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Picture.Width(), 6);
    EXPECT_EQ(Picture.Height(), 4);
    EXPECT_EQ(Picture.PictureFormat(), pfPNG);
    TBytesStream Out;
    Picture.SaveToStream(&Out);
    EXPECT_EQ(Out.Bytes(), Png);

    TGDIPPicture FromForm;
    TBytesStream Form(Png);
    FromForm.ReadData(&Form);
    EXPECT_FALSE(FromForm.Empty());
    EXPECT_EQ(FromForm.Width(), 0) << "not measured until asked";
    EXPECT_TRUE(FromForm.GetImageSizes());
    EXPECT_EQ(FromForm.Width(), 6);

    TBytesStream Junk(TBytes(60, 9));
    Picture.LoadFromStream(&Junk);
    EXPECT_EQ(Picture.Width(), 6) << "undecodable bytes keep the old size";
    EXPECT_FALSE(Picture.GetImageSizes());
    EXPECT_EQ(Picture.PictureFormat(), pfNone);
}

TEST(GDIPPicture, RotatesAboutTheImagesOwnCentre) {
    // 100 x 50: red left half, blue right half.
    auto Source = SolidBitmap(100, 50, clRed);
    Source->Canvas()->Brush()->SetColor(clBlue);
    Source->Canvas()->FillRect(Rect(50, 0, 100, 50));
    TGDIPPicture Picture;
    TBytesStream In(PngBytesOf(Source.get()));
    Picture.LoadFromStream(&In);

    auto Plain = SolidBitmap(100, 100, clWhite);
    Picture.Draw(Plain->Canvas(), Rect(0, 0, 100, 50));
    EXPECT_EQ(Plain->Canvas()->Pixels(10, 25), clRed);
    EXPECT_EQ(Plain->Canvas()->Pixels(90, 25), clBlue);

    Picture.SetAngle(90);
    auto Turned = SolidBitmap(100, 100, clWhite);
    Picture.Draw(Turned->Canvas(), Rect(0, 0, 100, 50));
    EXPECT_EQ(Turned->Canvas()->Pixels(50, 10), clRed) << "the left half turned up";
    EXPECT_EQ(Turned->Canvas()->Pixels(50, 60), clBlue) << "the right half turned down";
    EXPECT_EQ(Turned->Canvas()->Pixels(90, 25), clWhite) << "nothing beyond the turned image";
    EXPECT_EQ(Turned->Canvas()->Pixels(10, 25), clWhite);
}

TEST(GDIPPicture, BitmapsDrawWithTheirBottomLeftColourTransparentUnlessAsked) {
    auto Source = SolidBitmap(4, 4, clLime);
    Source->Canvas()->SetPixels(2, 1, clRed);
    TGDIPPicture Picture;
    TBytesStream In(BmpBytesOf(Source.get()));
    Picture.LoadFromStream(&In);
    EXPECT_EQ(Picture.PictureFormat(), pfBMP);
    auto Target = SolidBitmap(4, 4, clWhite);
    Picture.Draw(Target->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(Target->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(Target->Canvas()->Pixels(2, 1), clRed);
    Picture.SetTransparentBitmap(false);
    Picture.Draw(Target->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(Target->Canvas()->Pixels(0, 0), clLime);
}

TEST(GDIPPicture, AssignAndLoadingFromFilesAndAddresses) {
    std::vector<String> Events;
    TGDIPPicture Picture;
    Picture.OnChange = [&](TObject*) { Events.push_back(QStringLiteral("change")); };
    Picture.OnClear = [&](TObject*) { Events.push_back(QStringLiteral("clear")); };

    auto Bitmap = SolidBitmap(3, 5, clRed);
    Picture.Assign(Bitmap.get());
    EXPECT_EQ(Picture.Width(), 3);
    EXPECT_EQ(Picture.PictureFormat(), pfBMP);
    Events.clear();
    Picture.Assign(nullptr);
    EXPECT_TRUE(Picture.Empty());
    EXPECT_EQ(Events, (std::vector<String>{"change", "clear"}));

    TPicture Holder;
    TBytesStream Png(PngBytes(7, 2, clRed));
    Holder.LoadFromStream(&Png);
    Picture.Assign(&Holder);
    EXPECT_EQ(Picture.Width(), 7);
    EXPECT_EQ(Picture.PictureFormat(), pfPNG);
    TStringList NotAPicture;
    Picture.Assign(&NotAPicture);
    EXPECT_TRUE(Picture.Empty());
    EXPECT_EQ(Picture.PictureFormat(), pfPNG) << "the bytes stay";

    TempFolder Folder;
    const String File = Folder.File(QStringLiteral("p.png"));
    const TBytes Bytes = PngBytes(9, 9, clRed);
    SaveFileAtomically(File, Bytes.data(), static_cast<Int64>(Bytes.size()));
    Events.clear();
    TGDIPPicture Loaded;
    Loaded.OnClear = [&](TObject*) { Events.push_back(QStringLiteral("clear")); };
    Loaded.LoadFromURL(QStringLiteral("file://") + File);
    EXPECT_EQ(Loaded.Width(), 9);
    EXPECT_EQ(Loaded.GetFileName(), File);
    EXPECT_EQ(Events, (std::vector<String>{"clear"}));
    Loaded.LoadFromFile(Folder.File(QStringLiteral("missing.png")));
    EXPECT_TRUE(Loaded.Empty()) << "a failed file load is swallowed";

    RegisterResource(RT_RCDATA, QStringLiteral("GDIPTEST"), Bytes.data(), Bytes.size());
    TGDIPPicture FromRes;
    FromRes.LoadFromURL(QStringLiteral("Res://gdiptest"));
    EXPECT_EQ(FromRes.Height(), 9);
    UnregisterResource(RT_RCDATA, QStringLiteral("GDIPTEST"));
    TGDIPPicture None;
    None.LoadFromURL(QStringLiteral("http://example.com/x.png"));
    None.LoadFromResourceName(HInstance, QStringLiteral("GDIPTEST"));
    EXPECT_TRUE(None.Empty());
    EXPECT_THROW(None.LoadFromResourceID(HInstance, 31337), EResNotFound);
}

TEST(AdvImage, SizesInHimetricAndRefusesMetafiles) {
    TAdvImage Image;
    TBytesStream In(PngBytes(96, 48, clBlue));
    Image.LoadFromStream(&In);
    EXPECT_EQ(Image.HimetricSize(), (TSize{2540, 1270}));
    EXPECT_EQ(Image.Width(), 96);
    EXPECT_EQ(Image.Height(), 48);
    auto Target = SolidBitmap(20, 20, clWhite);
    Image.Draw(Target->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(Target->Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(Target->Canvas()->Pixels(15, 15), clWhite);

    for (const TBytes& Bad : {emfBytes(), TBytes(60, 3)}) {
        TAdvImage Refused;
        TBytesStream Stream(Bad);
        try {
            Refused.LoadFromStream(&Stream);
            FAIL() << "no exception";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Could not load image. Invalid format"));
        }
        EXPECT_EQ(Refused.Width(), 0);
        TBytesStream Saved;
        Refused.SaveToStream(&Saved);
        EXPECT_EQ(Saved.Bytes(), Bad) << "the bytes are kept for saving";
    }

    TempFolder Folder;
    const String File = Folder.File(QStringLiteral("m.emf"));
    const TBytes Emf = emfBytes();
    SaveFileAtomically(File, Emf.data(), static_cast<Int64>(Emf.size()));
    TAdvImage FromFile;
    FromFile.LoadFromFile(File);
    EXPECT_TRUE(FromFile.Empty()) << "a file failure gives an empty image";

    TAdvImage Copy;
    Copy.Assign(&Image);
    EXPECT_EQ(Copy.Width(), 96);
    TAdvImage EmptySource;
    Copy.Assign(&EmptySource);
    EXPECT_TRUE(Copy.Empty());
    EXPECT_EQ(Copy.Width(), 0);
}

TEST(AdvHintInfo, CopiesOnlyFromItsOwnClassAndIgnoresThePictureForEmptiness) {
    TAdvHintInfo Hint;
    TBytesStream Png(PngBytes(4, 4, clRed));
    Hint.Picture()->LoadFromStream(&Png);
    EXPECT_TRUE(Hint.IsEmpty()) << "a picture alone is empty";
    Hint.Notes()->Add(QStringLiteral("line"));
    EXPECT_FALSE(Hint.IsEmpty());
    Hint.SetTitle(QStringLiteral("Title"));
    Hint.SetShowHelp(true);
    Hint.SetWideTitle(QStringLiteral("Wide"));
    Hint.SetWideNotes(QStringLiteral("Notes"));

    TAdvHintInfo Copy;
    Copy.Assign(&Hint);
    EXPECT_EQ(Copy.Title(), QStringLiteral("Title"));
    EXPECT_EQ(Copy.Notes()->Text(), Hint.Notes()->Text());
    EXPECT_TRUE(Copy.ShowHelp());
    EXPECT_EQ(Copy.WideTitle(), QStringLiteral("Wide"));
    EXPECT_EQ(Copy.WideNotes(), QStringLiteral("Notes"));
    EXPECT_EQ(Copy.Picture()->Width(), 4);

    TStringList Lines;
    Lines.Add(QStringLiteral("other"));
    Copy.Assign(&Lines);
    EXPECT_EQ(Copy.Title(), QStringLiteral("Title")) << "other sources are ignored";
    EXPECT_EQ(Copy.Notes()->Count(), 1);
}

}  // namespace
