// GIF frame scanning on the stored bytes: only a control extension directly followed by an image
// descriptor starts a frame, and a cut-off file is scanned without reading past its end.
#include "components/graphics/HTMLPicture.h"
#include "tests/graphics/PictureFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void load(THTMLPicture& Picture, const TBytes& Bytes) {
    TBytesStream In(Bytes);
    Picture.LoadFromStream(&In);
}

// Position of the last graphic control extension.
std::size_t lastControlExtension(const TBytes& Bytes) {
    const Byte Marker[3] = {0x21, 0xF9, 4};
    auto It = std::find_end(Bytes.begin(), Bytes.end(), std::begin(Marker), std::end(Marker));
    return static_cast<std::size_t>(It - Bytes.begin());
}

}  // namespace

TEST(HTMLPictureFrameScan, ControlExtensionWithoutImageIsNoFrame) {
    TBytes Gif = ThreeFrameGif();
    // After the header and the two-colour table: a control extension (delay 50) followed by a
    // comment, not by an image.
    const TBytes Stray = {0x21, 0xF9, 4, 0, 50, 0, 0, 0, 0x21, 0xFE, 1, 'x', 0};
    Gif.insert(Gif.begin() + 19, Stray.begin(), Stray.end());
    THTMLPicture Picture;
    load(Picture, Gif);
    EXPECT_EQ(Picture.FrameCount(), 3);
    EXPECT_EQ(Picture.GetFrameTime(1), 10);
    EXPECT_EQ(Picture.GetFrameTime(3), 30);
}

TEST(HTMLPictureFrameScan, CutOffFileIsScannedWithinItsBytes) {
    const TBytes Gif = ThreeFrameGif();
    const std::size_t Last = lastControlExtension(Gif);
    struct Case {
        std::size_t Length;  // bytes kept from the last control extension on
        int Frames;
        Word Left, Top;
    };
    const Case Cases[] = {
        {9, 2, 0, 0},   // the image separator is the last byte: no room for a descriptor
        {10, 3, 0, 0},  // a frame whose descriptor is cut off reads as zero
        {12, 3, 4, 0},  // left complete, top cut off
        {17, 3, 4, 1},  // the whole descriptor
    };
    for (const Case& C : Cases) {
        const TBytes Cut(Gif.begin(), Gif.begin() + static_cast<std::ptrdiff_t>(Last + C.Length));
        THTMLPicture Picture;
        load(Picture, Cut);
        ASSERT_EQ(Picture.FrameCount(), C.Frames) << C.Length;
        if (C.Frames < 3) continue;
        Picture.SetFrame(3);
        EXPECT_EQ(Picture.FrameXPos(), C.Left) << C.Length;
        EXPECT_EQ(Picture.FrameYPos(), C.Top) << C.Length;
        EXPECT_EQ(Picture.GetFrameTime(3), 30);
    }
}
