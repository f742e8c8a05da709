#include "components/graphics/HTMLPicture.h"
#include "framework/rtl/Clock.h"
#include "framework/ui/Timer.h"
#include "tests/graphics/PictureFixtures.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

void load(THTMLPicture& Picture, const TBytes& Bytes) {
    TBytesStream In(Bytes);
    Picture.LoadFromStream(&In);
}

TEST(HTMLPicture, ScansTheFramesOfAGif) {
    THTMLPicture Picture;
    int Changes = 0;
    Picture.OnChange = [&](TObject*) { ++Changes; };
    load(Picture, ThreeFrameGif());
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Picture.IsGIF());
    EXPECT_EQ(Picture.FrameCount(), 3);
    EXPECT_EQ(Picture.Width(), 8);
    EXPECT_EQ(Picture.Height(), 6);
    EXPECT_EQ(Picture.AnimMaxX(), 8);
    EXPECT_EQ(Picture.AnimMaxY(), 6);

    const int Delays[] = {10, 20, 30, -1, -1};
    for (int I = 1; I <= 5; ++I) EXPECT_EQ(Picture.GetFrameTime(I), Delays[I - 1]) << "frame " << I;
    Picture.GetFrameTime(2);
    EXPECT_TRUE(Picture.FrameTransp());
    EXPECT_EQ(Picture.FrameDisposal(), 1);
    Picture.GetFrameTime(3);
    EXPECT_FALSE(Picture.FrameTransp());
    EXPECT_EQ(Picture.FrameDisposal(), 2);

    int FrameChanges = 0;
    Picture.OnFrameChange = [&](TObject*) { ++FrameChanges; };
    Picture.SetFrame(2);
    EXPECT_EQ(FrameChanges, 1);
    EXPECT_EQ(Picture.FrameXPos(), 1);
    EXPECT_EQ(Picture.FrameYPos(), 2);
    EXPECT_EQ(Picture.FrameXSize(), 3);
    EXPECT_EQ(Picture.FrameYSize(), 2);

    Picture.SetFrame(1);
    Picture.FramePrev();
    EXPECT_EQ(Picture.Frame(), 3);
    Picture.FrameNext();
    EXPECT_EQ(Picture.Frame(), 1);

    THTMLPicture Png;
    load(Png, PngBytes(4, 4, clRed));
    EXPECT_FALSE(Png.IsGIF());
    EXPECT_EQ(Png.FrameCount(), -1);
    EXPECT_EQ(Png.GetFrameTime(1), -1);
    EXPECT_EQ(Png.Width(), 4);
}

TEST(HTMLPicture, StepsWithTheFrameDelaysAndWraps) {
    THTMLPicture Picture;
    load(Picture, ThreeFrameGif());
    struct Tick {
        bool Changed;
        int Frame;
    };
    const Tick Ticks[] = {{false, 1}, {false, 1}, {true, 2}, {false, 2}, {true, 3}, {false, 3}, {false, 3}, {true, 1}};
    int N = 0;
    for (const Tick& T : Ticks) {
        ++N;
        EXPECT_EQ(Picture.Step(), T.Changed) << "tick " << N;
        EXPECT_EQ(Picture.Frame(), T.Frame) << "tick " << N;
    }

    THTMLPicture Single;
    load(Single, BuildGif(2, 2, {{0, 0, 2, 2, 10, 0, 1}}));
    THTMLPicture Png;
    load(Png, PngBytes(2, 2, clRed));
    THTMLPicture Empty;
    for (int I = 0; I < 20; ++I) {
        EXPECT_FALSE(Single.Step());
        EXPECT_FALSE(Png.Step());
        EXPECT_FALSE(Empty.Step());
    }
}

TEST(HTMLPicture, AnimatesOnATimerThroughTheCache) {
    FakeClock Clock;
    THTMLPictureCache Cache;
    load(*Cache.AddPicture(), ThreeFrameGif());
    load(*Cache.AddPicture(), PngBytes(2, 2, clRed));
    int Changed = 0;
    TTimer Timer(nullptr);
    Timer.SetInterval(100);
    Timer.OnTimer = [&](TObject*) {
        if (Cache.Animate()) ++Changed;
    };
    Clock.Advance(800);
    EXPECT_EQ(Changed, 3);
    EXPECT_EQ(Cache.Picture(0)->Frame(), 1);
    Clock.Advance(200);
    EXPECT_EQ(Cache.Picture(0)->Frame(), 2);
}

TEST(HTMLPicture, LoadsFromAddresses) {
    const TBytes Logo = PngBytes(5, 3, clBlue);
    RegisterResource(RT_RCDATA, QStringLiteral("LOGO"), Logo.data(), Logo.size());
    THTMLPicture FromRes;
    FromRes.LoadFromURL(QStringLiteral("res://LOGO"));
    EXPECT_EQ(FromRes.ID(), QStringLiteral("res://LOGO"));
    EXPECT_FALSE(FromRes.Empty());
    EXPECT_EQ(FromRes.Width(), 5);
    UnregisterResource(RT_RCDATA, QStringLiteral("LOGO"));

    THTMLPicture Missing;
    Missing.LoadFromURL(QStringLiteral("RES://NOSUCH"));
    EXPECT_TRUE(Missing.Empty());
    EXPECT_THROW(Missing.LoadFromResourceID(HInstance, 9999), EResNotFound);

    TempFolder Folder;
    const String File = Folder.File(QStringLiteral("a.png"));
    SaveFileAtomically(File, Logo.data(), static_cast<Int64>(Logo.size()));
    THTMLPicture FromFile;
    FromFile.LoadFromURL(QStringLiteral("File://") + File);
    EXPECT_EQ(FromFile.Height(), 3);
    THTMLPicture NoFile;
    NoFile.LoadFromURL(QStringLiteral("FILE://") + Folder.File(QStringLiteral("none.png")));
    EXPECT_TRUE(NoFile.Empty()) << "a failed file load is swallowed";

    THTMLPicture Sync;
    Sync.SetAsynch(false);
    Sync.LoadFromURL(QStringLiteral("http://example.com/a.png"));
    EXPECT_EQ(Sync.ID(), QStringLiteral("http://example.com/a.png"));
    EXPECT_EQ(Sync.URL(), QStringLiteral("http://example.com/a.png"));
    EXPECT_TRUE(Sync.Empty());
    THTMLPicture Async;
    Async.LoadFromURL(QStringLiteral("http://example.com/a.png"));
    EXPECT_TRUE(Async.Busy());
    EXPECT_TRUE(Async.ID().isEmpty());
    Async.LoadFromURL(QStringLiteral("http://example.com/b.png"));
    EXPECT_EQ(Async.URL(), QStringLiteral("http://example.com/a.png")) << "busy: nothing happens";
}

TEST(HTMLPicture, AssignCopiesBytesAndSettings) {
    THTMLPicture Source;
    load(Source, ThreeFrameGif());
    Source.SetStretch(true);
    Source.SetID(QStringLiteral("FILE://x.gif"));
    THTMLPicture Copy;
    Copy.Assign(&Source);
    EXPECT_TRUE(Copy.Stretch());
    EXPECT_EQ(Copy.ID(), QStringLiteral("FILE://x.gif"));
    EXPECT_EQ(Copy.FrameCount(), 3);
    TBytesStream A, B;
    Source.SaveToStream(&A);
    Copy.SaveToStream(&B);
    EXPECT_EQ(A.Bytes(), B.Bytes());

    TPngImage Png;
    TBytesStream In(PngBytes(7, 2, clRed));
    Png.LoadFromStream(&In);
    Copy.Assign(&Png);
    EXPECT_EQ(Copy.Width(), 7);
    EXPECT_FALSE(Copy.IsGIF());
    Copy.Assign(nullptr);
    EXPECT_TRUE(Copy.Empty());

    THTMLPicture Junk;
    TBytesStream Bad(TBytes(50, 7));
    Junk.LoadFromStream(&Bad);
    EXPECT_FALSE(Junk.Empty());
    EXPECT_EQ(Junk.Width(), 0) << "undecodable bytes have no size";
}

TEST(HTMLPicture, DrawsBitmapsWithTheirBottomLeftColourTransparent) {
    auto Source = SolidBitmap(4, 4, clLime);
    Source->Canvas()->SetPixels(2, 1, clRed);
    THTMLPicture Picture;
    load(Picture, BmpBytesOf(Source.get()));
    auto Target = SolidBitmap(8, 8, clWhite);
    Picture.Draw(Target->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(Target->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(Target->Canvas()->Pixels(2, 1), clRed);

    THTMLPicture Png;
    load(Png, PngBytes(4, 4, clBlue));
    Png.Draw(Target->Canvas(), Rect(4, 4, 8, 8));
    EXPECT_EQ(Target->Canvas()->Pixels(5, 5), clBlue);
}

TEST(HTMLPictureCache, FindsByExactIDAndOwnsItsPictures) {
    THTMLPictureCache Cache;
    THTMLPicture* A = Cache.AddPicture();
    A->SetID(QStringLiteral("FILE://a.png"));
    THTMLPicture* B = Cache.AddPicture();
    B->SetID(QStringLiteral("FILE://a.png"));
    EXPECT_EQ(Cache.FindPicture(QStringLiteral("FILE://a.png")), A) << "the first wins";
    EXPECT_EQ(Cache.FindPicture(QStringLiteral("file://a.png")), nullptr) << "letter case counts";
    Cache.ClearPictures();
    EXPECT_EQ(Cache.Count(), 0);
    EXPECT_FALSE(Cache.Animate());
}

}  // namespace
