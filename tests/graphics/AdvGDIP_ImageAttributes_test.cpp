// Image attributes of the object layer applied while drawing: threshold, gamma, remap tables,
// no-op, the per-kind settings, clones; and gradient colour presets.
#include "components/graphics/AdvGDIP.h"

#include "tests/graphics/AdvGDIPTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr ARGB Red = 0xFFFF0000;
constexpr ARGB Blue = 0xFF0000FF;
constexpr ARGB Lime = 0xFF00FF00;
constexpr ARGB White = 0xFFFFFFFF;

// A 4 x 4 bitmap of Color drawn at the origin of a white surface, through Attributes.
ARGB drawnThrough(ARGB Color, TGPImageAttributes* Attributes) {
    TGPBitmap Source(4, 4, PixelFormat32bppARGB);
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X) Source.SetPixel(X, Y, Color);
    TGPSurface S(8, 8);
    EXPECT_EQ(S.Graphics->DrawImage(&Source, MakeGPRectF(0, 0, 4, 4), 0, 0, 4, 4, UnitPixel, Attributes), Ok);
    EXPECT_EQ(S.Pixel(6, 6), White) << "nothing outside the destination";
    return S.Pixel(2, 2);
}

}  // namespace

TEST(AdvGDIPImageAttributes, EachAdjustmentChangesTheDrawnColours) {
    struct Case {
        const char* Name;
        std::function<GpStatus(TGPImageAttributes&)> Set;
        ARGB Source, Expected;
    };
    const ColorMap RedToLime[1] = {{Red, Lime}};
    const Case Cases[] = {
        {"threshold: channels above it go full, the others out",
         [](TGPImageAttributes& A) { return A.SetThreshold(0.5f); }, 0xFF907060, 0xFFFF0000},
        {"threshold keeps alpha", [](TGPImageAttributes& A) { return A.SetThreshold(0.5f); }, 0xFFA0A0A0, White},
        {"gamma 1 changes nothing", [](TGPImageAttributes& A) { return A.SetGamma(1.0f); }, 0xFF406080, 0xFF406080},
        {"gamma leaves black", [](TGPImageAttributes& A) { return A.SetGamma(2.2f); }, 0xFF000000, 0xFF000000},
        {"gamma leaves white", [](TGPImageAttributes& A) { return A.SetGamma(2.2f); }, White, White},
        {"remap: the old colour becomes the new one",
         [&](TGPImageAttributes& A) { return A.SetRemapTable(1, RedToLime); }, Red, Lime},
        {"remap: other colours stay", [&](TGPImageAttributes& A) { return A.SetRemapTable(1, RedToLime); }, Blue, Blue},
        {"brush remap leaves bitmaps alone", [&](TGPImageAttributes& A) { return A.SetBrushRemapTable(1, RedToLime); },
         Red, Red},
        {"bitmap settings replace the default ones",
         [&](TGPImageAttributes& A) {
             A.SetRemapTable(1, RedToLime);
             return A.SetThreshold(0.5f, ColorAdjustTypeBitmap);
         },
         Red, Red},
        {"no-op switches the kind's adjustments off",
         [&](TGPImageAttributes& A) {
             A.SetRemapTable(1, RedToLime);
             return A.SetNoOp();
         },
         Red, Red},
        {"no-op cleared: they apply again",
         [&](TGPImageAttributes& A) {
             A.SetRemapTable(1, RedToLime);
             A.SetNoOp();
             return A.ClearNoOp();
         },
         Red, Lime},
        {"cleared remap",
         [&](TGPImageAttributes& A) {
             A.SetRemapTable(1, RedToLime);
             return A.ClearRemapTable();
         },
         Red, Red},
    };
    for (const Case& C : Cases) {
        TGPImageAttributes A;
        ASSERT_EQ(C.Set(A), Ok) << C.Name;
        EXPECT_EQ(drawnThrough(C.Source, &A), C.Expected) << C.Name << ": " << std::hex << drawnThrough(C.Source, &A);
    }

    // Gamma other than 1 moves a mid-tone, the same way on every channel.
    TGPImageAttributes Gamma;
    ASSERT_EQ(Gamma.SetGamma(2.0f), Ok);
    const ARGB Grey = drawnThrough(0xFF808080, &Gamma);
    EXPECT_NE(Grey, 0xFF808080u);
    EXPECT_EQ(ARGBRed(Grey), ARGBGreen(Grey));
    EXPECT_EQ(ARGBGreen(Grey), ARGBBlue(Grey));
    EXPECT_EQ(Grey >> 24, 0xFFu);
}

TEST(AdvGDIPImageAttributes, BadSettingsAreRefusedAndRecorded) {
    TGPImageAttributes A;
    EXPECT_EQ(A.SetGamma(0), InvalidParameter);
    EXPECT_EQ(A.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(A.GetLastStatus(), Ok);
    EXPECT_EQ(A.SetRemapTable(0, nullptr), InvalidParameter);
    EXPECT_EQ(A.SetOutputChannel(ColorChannelFlagsC), NotImplemented);
    EXPECT_EQ(A.ClearOutputChannel(), Ok);
    EXPECT_EQ(A.SetOutputChannelColorProfile(QStringLiteral("profile.icc")), NotImplemented);
    EXPECT_EQ(A.GetLastStatus(), NotImplemented);
    // Nothing of the refused settings sticks: drawing is unchanged.
    EXPECT_EQ(drawnThrough(Red, &A), Red);
}

TEST(AdvGDIPImageAttributes, CloneCopiesTheSettingsAndStaysApart) {
    const ColorMap RedToLime[1] = {{Red, Lime}};
    TGPImageAttributes A;
    ASSERT_EQ(A.SetRemapTable(1, RedToLime), Ok);
    std::unique_ptr<TGPImageAttributes> Copy(A.Clone());
    ASSERT_NE(Copy, nullptr);
    EXPECT_EQ(Copy->GetLastStatus(), Ok);
    ASSERT_EQ(A.ClearRemapTable(), Ok);
    EXPECT_EQ(drawnThrough(Red, Copy.get()), Lime);
    EXPECT_EQ(drawnThrough(Red, &A), Red);

    ColorPalette Palette{0, 1, {Red}};
    ASSERT_EQ(Copy->GetAdjustedPalette(&Palette, ColorAdjustTypeBitmap), Ok);
    EXPECT_EQ(Palette.Entries[0], Lime);
}

TEST(AdvGDIPGradients, InterpolationColoursSetTheBlend) {
    // Red, lime, blue across a horizontal linear gradient.
    const ARGB Colors[3] = {Red, Lime, Blue};
    const float Positions[3] = {0, 0.5f, 1};
    TGPSurface S(101, 10);
    TGPLinearGradientBrush Linear(MakeGPRectF(0, 0, 101, 10), Red, Blue, LinearGradientModeHorizontal);
    ASSERT_EQ(Linear.SetInterpolationColors(Colors, Positions, 3), Ok);
    ASSERT_EQ(S.Graphics->FillRectangle(&Linear, 0, 0, 101, 10), Ok);
    EXPECT_TRUE(ColorNear(S.Pixel(0, 5), Red, 12)) << std::hex << S.Pixel(0, 5);
    EXPECT_TRUE(ColorNear(S.Pixel(50, 5), Lime, 12)) << std::hex << S.Pixel(50, 5);
    EXPECT_TRUE(ColorNear(S.Pixel(100, 5), Blue, 12)) << std::hex << S.Pixel(100, 5);
    EXPECT_TRUE(ColorNear(S.Pixel(25, 5), 0xFF808000, 16)) << std::hex << S.Pixel(25, 5);

    // A path gradient's presets run from the boundary (0) to the centre (1).
    TGPGraphicsPath Path;
    Path.AddRectangle(MakeGPRectF(0, 0, 100, 100));
    TGPPathGradientBrush Radial(&Path);
    const ARGB Outward[3] = {Blue, Lime, White};
    ASSERT_EQ(Radial.SetInterpolationColors(Outward, Positions, 3), Ok);
    TGPSurface R(100, 100, 0xFF000000);
    ASSERT_EQ(R.Graphics->FillPath(&Radial, &Path), Ok);
    EXPECT_TRUE(ColorNear(R.Pixel(50, 50), White, 16)) << std::hex << R.Pixel(50, 50);
    EXPECT_TRUE(ColorNear(R.Pixel(50, 25), Lime, 24)) << std::hex << R.Pixel(50, 25);
    EXPECT_TRUE(ColorNear(R.Pixel(50, 1), Blue, 24)) << std::hex << R.Pixel(50, 1);

    EXPECT_EQ(Radial.SetInterpolationColors(nullptr, Positions, 3), InvalidParameter);
    EXPECT_EQ(Radial.SetInterpolationColors(Outward, Positions, 0), InvalidParameter);
    EXPECT_EQ(LastResultOf(&Radial), InvalidParameter);
}
