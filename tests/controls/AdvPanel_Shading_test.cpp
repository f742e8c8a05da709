#include "components/controls/AdvPanel.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Gdi.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

// Reaches the shading bitmap.
class TShadedPanel : public TAdvPanel {
public:
    using TAdvPanel::ShadedHeader;
    using TAdvPanel::TAdvPanel;
};

class AdvPanelShadingTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TShadedPanel* Panel = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 400, 300);
        Panel = new TShadedPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clWhite);
        Panel->Caption()->SetVisible(true);
        Panel->Caption()->SetColor(clWhite);
    }

    // Brightness of a shading pixel (the caption colour is white: all channels alike).
    int L(int X, int Y) { return GetBValue(Panel->ShadedHeader()->Canvas()->Pixels(X, Y)); }

    std::unique_ptr<TBitmap> render() {
        auto B = std::make_unique<TBitmap>(Panel->Width(), Panel->Height());
        Panel->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(AdvPanelShadingTest, EffectsGiveTheirBrightnessValues) {
    struct Probe {
        int X, Y, Low, High;
    };
    struct Case {
        const char* Name;
        TShadeType Type;
        int Width, Height, Light;
        std::vector<Probe> Probes;
    };
    const Case Cases[] = {
        {"horizontal shade", stHShade, 100, 20, 200, {{0, 5, 77, 77}, {99, 5, 195, 195}, {50, 0, 137, 137}}},
        {"mirrored", stHShadeInv, 100, 20, 200, {{0, 5, 196, 196}, {99, 5, 78, 78}}},
        {"vertical shade", stVShade, 100, 20, 200, {{10, 0, 198, 198}, {10, 19, 142, 142}}},
        {"noise", stNoise, 100, 20, 200, {{0, 0, 121, 136}, {57, 11, 121, 136}, {99, 19, 121, 136}}},
        {"inner radial", stIRadial, 40, 40, 200, {{20, 20, 200, 200}, {0, 0, 102, 102}, {39, 39, 105, 105}}},
        {"outer radial", stORadial, 40, 40, 200, {{20, 20, 0, 0}, {0, 0, 98, 98}}},
        {"metal", stRMetal, 100, 20, 200, {{50, 10, 0, 200}}},
        {"light above 255 shades as 255", stHShade, 100, 20, 300, {{0, 5, 132, 132}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Panel->SetWidth(C.Width);
        Panel->Caption()->SetHeight(C.Height);
        Panel->Caption()->SetShadeLight(C.Light);
        Panel->Caption()->SetShadeType(C.Type);
        ASSERT_EQ(Panel->ShadedHeader()->Width(), C.Width);
        for (const Probe& P : C.Probes) {
            if (P.X >= C.Width) continue;
            const int V = L(P.X, P.Y);
            EXPECT_GE(V, P.Low) << P.X << "," << P.Y;
            EXPECT_LE(V, P.High) << P.X << "," << P.Y;
        }
    }
    EXPECT_EQ(Panel->Caption()->ShadeLight(), 300) << "stored as given";
}

TEST_F(AdvPanelShadingTest, NoiseStaysInItsRangeEverywhere) {
    Panel->SetWidth(100);
    Panel->Caption()->SetShadeType(stNoise);
    int Low = 255, High = 0;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 100; ++X) {
            Low = std::min(Low, L(X, Y));
            High = std::max(High, L(X, Y));
        }
    EXPECT_GE(Low, 121);
    EXPECT_LE(High, 136);
    EXPECT_LT(Low, High);
}

TEST_F(AdvPanelShadingTest, SmallOrEmptyBandsShadeWithoutFaults) {
    Panel->SetWidth(0);
    Panel->Caption()->SetShadeType(stHShade);
    EXPECT_EQ(Panel->ShadedHeader()->Width(), 100) << "a zero width works on 100 x 20";
    EXPECT_EQ(Panel->ShadedHeader()->Height(), 20);

    // A hard bump too small for its rounded ends keeps square ones.
    Panel->SetWidth(5);
    Panel->Caption()->SetHeight(1);
    Panel->Caption()->SetShadeType(stHardBump);
    EXPECT_EQ(Panel->ShadedHeader()->Width(), 5);
    EXPECT_LT(L(2, 0), 255) << "the band is shaded";
}

TEST_F(AdvPanelShadingTest, MetalLeavesTheProcessWideRandomNumbersAlone) {
    SetRandSeed(4711);
    const int Expected = Random(100000);
    SetRandSeed(4711);
    Panel->Caption()->SetShadeType(stLMetal);
    Panel->Caption()->SetShadeType(stNoise);
    EXPECT_EQ(Random(100000), Expected);
}

TEST_F(AdvPanelShadingTest, ShapesClipTheShadingToTheirOutline) {
    Panel->SetBounds(0, 0, 200, 60);
    Panel->Caption()->SetHeight(24);
    Panel->Caption()->SetColor(clRed);
    Panel->Caption()->SetShadeType(stVShade);
    Panel->Caption()->SetFlat(true);
    auto B = render();
    EXPECT_NE(B->Canvas()->Pixels(0, 0), clWhite) << "a flat rectangle is shaded to its corner";

    Panel->Caption()->SetShape(advpanel::csRounded);
    B = render();
    EXPECT_EQ(B->Canvas()->Pixels(1, 1), clWhite) << "the rounded corner is left unpainted";
    EXPECT_EQ(B->Canvas()->Pixels(198, 1), clWhite);
    EXPECT_NE(B->Canvas()->Pixels(100, 10), clWhite);

    Panel->Caption()->SetShape(advpanel::csSemiRounded);
    B = render();
    EXPECT_NE(B->Canvas()->Pixels(2, 2), clWhite) << "square on the left";
    EXPECT_EQ(B->Canvas()->Pixels(198, 1), clWhite) << "round on the right";
}

TEST_F(AdvPanelShadingTest, PictureCaptionsStretchTheirEdgesAndTheThemedOnePaintsPlain) {
    Panel->SetBounds(0, 0, 200, 60);
    Panel->Caption()->SetColor(clTeal);
    // 40 x 20: blue at the left, green at the right, red between.
    TBitmap Picture(40, 20);
    Picture.Canvas()->Brush()->SetColor(clRed);
    Picture.Canvas()->FillRect(Rect(0, 0, 40, 20));
    Picture.Canvas()->Brush()->SetColor(clBlue);
    Picture.Canvas()->FillRect(Rect(0, 0, 3, 20));
    Picture.Canvas()->Brush()->SetColor(clLime);
    Picture.Canvas()->FillRect(Rect(37, 0, 40, 20));
    Panel->Caption()->SetBackground(&Picture);
    struct Probe {
        int X;
        TColor Color;
    };
    struct Case {
        const char* Name;
        TShadeType Type;
        std::vector<Probe> Probes;
    };
    const Case Cases[] = {
        {"stretched", stBitmap, {{1, clBlue}, {100, clRed}, {198, clLime}}},
        {"right columns stretched", stBitmapRStretch, {{1, clBlue}, {20, clRed}, {150, clLime}}},
        {"left columns stretched", stBitmapLStretch, {{80, clBlue}, {180, clRed}, {199, clLime}}},
        {"themed caption paints plain", stXPCaption, {{1, clTeal}, {100, clTeal}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Panel->Caption()->SetShadeType(C.Type);
        auto B = render();
        for (const Probe& P : C.Probes) EXPECT_EQ(B->Canvas()->Pixels(P.X, 10), P.Color) << P.X;
    }
}

TEST_F(AdvPanelShadingTest, TheShadingLandsWhereACanvasWithAMovedOriginPutsTheCaption) {
    Panel->SetBounds(0, 0, 200, 60);
    Panel->Caption()->SetColor(clRed);
    Panel->Caption()->SetShadeType(stHShade);
    TBitmap B(400, 200);
    B.Canvas()->Brush()->SetColor(clBlue);
    B.Canvas()->FillRect(Rect(0, 0, 400, 200));
    const HDC DC = B.Canvas()->Handle();
    SetWindowOrgEx(DC, -100, -50, nullptr);
    Panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    SetWindowOrgEx(DC, 0, 0, nullptr);
    const TColor Shaded = B.Canvas()->Pixels(200, 60);
    EXPECT_EQ(Shaded & 0xFFFF00, 0u) << "a shade of the caption's red";
    EXPECT_NE(Shaded, clRed);
    EXPECT_EQ(B.Canvas()->Pixels(50, 10), clBlue) << "nothing outside the panel";
}

}  // namespace
