#include "components/controls/AdvPanel.h"

#include "framework/ui/Forms.h"

#include <gtest/gtest.h>
#include <functional>
#include <set>

namespace {

// A panel without bevels, painted into a bitmap through PaintTo.
class AdvPanelPaintingTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvPanel* Panel = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 400, 300);
        Panel = new TAdvPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(0, 0, 200, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clWhite);
    }

    std::unique_ptr<TBitmap> render() {
        auto B = std::make_unique<TBitmap>(Panel->Width(), Panel->Height());
        Panel->PaintTo(B->Canvas(), 0, 0);
        return B;
    }

    static int count(TBitmap* B, const TRect& Area, const std::function<bool(TColor)>& Match) {
        int N = 0;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) N += Match(B->Canvas()->Pixels(X, Y));
        return N;
    }
};

TEST(BlendPanelColor, MixesByPercentAndLeavesTheFirstColourAtAHundred) {
    struct Case {
        TColor A, B;
        int Percent;
        TColor Expected;
    };
    const Case Cases[] = {
        {clRed, clBlue, 50, 0x800080},  // 127.5 rounds to the even 128
        {clRed, clBlue, 0, clBlue},
        {clWhite, clBlack, 20, 0x333333},
        {clBtnFace, clBlack, 100, clBtnFace},  // not converted
    };
    for (const Case& C : Cases) EXPECT_EQ(BlendPanelColor(C.A, C.B, C.Percent), C.Expected) << C.Percent;
}

TEST_F(AdvPanelPaintingTest, HorizontalGradientRunsFromColorToColorToInOneBandPerPixel) {
    Panel->SetWidth(128);
    Panel->SetColorTo(clBlack);
    Panel->SetGradientDirection(advpanel::gdHorizontal);
    auto B = render();
    std::set<TColor> Row;
    for (int X = 0; X < 128; ++X) Row.insert(B->Canvas()->Pixels(X, 50));
    EXPECT_EQ(Row.size(), 128u);
    EXPECT_EQ(B->Canvas()->Pixels(0, 50), clWhite);
    EXPECT_EQ(B->Canvas()->Pixels(127, 50), 0x020202);
    EXPECT_EQ(B->Canvas()->Pixels(64, 0), B->Canvas()->Pixels(64, 99)) << "columns are solid";
}

TEST_F(AdvPanelPaintingTest, BackgroundKinds) {
    struct Case {
        const char* Name;
        TColor ColorTo, Mirror, MirrorTo;
        TColor Top, Bottom;
    };
    const Case Cases[] = {
        {"a mirror needs ColorTo: solid", clNone, clRed, clRed, clWhite, clWhite},
        {"mirror halves", clWhite, clRed, clRed, clWhite, clRed},
    };
    for (const Case& C : Cases) {
        Panel->SetColorTo(C.ColorTo);
        Panel->SetColorMirror(C.Mirror);
        Panel->SetColorMirrorTo(C.MirrorTo);
        auto B = render();
        EXPECT_EQ(B->Canvas()->Pixels(100, 10), C.Top) << C.Name;
        EXPECT_EQ(B->Canvas()->Pixels(100, 90), C.Bottom) << C.Name;
    }
}

TEST_F(AdvPanelPaintingTest, BorderAndTwoToneShadow) {
    Panel->SetBorderWidth(1);
    Panel->SetBorderColor(clBlack);
    Panel->SetBorderShadow(true);
    auto B = render();
    EXPECT_EQ(B->Canvas()->Pixels(0, 50), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(197, 50), clBlack) << "the border leaves 2 pixels for the shadow";
    EXPECT_EQ(B->Canvas()->Pixels(198, 50), BlendPanelColor(clBlack, clBtnFace, 50));
    EXPECT_EQ(B->Canvas()->Pixels(199, 50), BlendPanelColor(clBlack, clBtnFace, 20));
    EXPECT_EQ(B->Canvas()->Pixels(100, 98), BlendPanelColor(clBlack, clBtnFace, 50));
}

TEST_F(AdvPanelPaintingTest, CaptionBandButtonsAndCollapsedColour) {
    Panel->Caption()->SetVisible(true);
    Panel->Caption()->SetColor(clNavy);
    Panel->Caption()->SetCloseColor(clTeal);
    Panel->Caption()->SetCloseButton(true);
    Panel->Caption()->SetCloseButtonColor(clRed);
    Panel->Caption()->SetMinMaxButton(true);
    Panel->Caption()->SetMinMaxButtonColor(clYellow);
    auto B = render();
    EXPECT_EQ(B->Canvas()->Pixels(50, 10), clNavy);
    // The cross from (R-10, T+4) to (R-4, T+10), R = 200: its middle and its ends.
    EXPECT_EQ(B->Canvas()->Pixels(193, 7), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(190, 4), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(195, 9), clRed);
    // The triangle left of it points up while expanded: narrow at the top.
    const auto yellowIn = [&](TBitmap* Bmp, int Y) {
        return count(Bmp, Rect(170, Y, 190, Y + 1), [](TColor C) { return C == clYellow; });
    };
    EXPECT_LT(yellowIn(B.get(), 5), yellowIn(B.get(), 8));

    Panel->SetCollaps(true);
    B = render();
    EXPECT_EQ(B->Canvas()->Pixels(50, 10), clTeal) << "a flat caption takes CloseColor while collapsed";
    EXPECT_GT(yellowIn(B.get(), 5), yellowIn(B.get(), 8)) << "collapsed, the triangle points down";

    Panel->SetCollaps(false);
    Panel->Caption()->SetColorTo(clBlue);
    Panel->SetCollaps(true);
    B = render();
    EXPECT_NE(B->Canvas()->Pixels(50, 10), clTeal) << "a gradient caption keeps its colours";
}

TEST_F(AdvPanelPaintingTest, GlyphButtonsFollowTheStateAndKeyOutTheirCornerColour) {
    // 12 x 12, a 6 x 6 square of its colour on fuchsia, the colour the bottom-left pixel keys out.
    const auto glyph = [](TColor Color) {
        auto G = std::make_unique<TBitmap>(12, 12);
        G->Canvas()->Brush()->SetColor(clFuchsia);
        G->Canvas()->FillRect(Rect(0, 0, 12, 12));
        G->Canvas()->Brush()->SetColor(Color);
        G->Canvas()->FillRect(Rect(3, 3, 9, 9));
        return G;
    };
    const auto CloseExpanded = glyph(clRed), CloseCollapsed = glyph(clLime);
    const auto Collapse = glyph(clAqua), Expand = glyph(clYellow);
    TPanelCaption* C = Panel->Caption();
    C->SetVisible(true);
    C->SetColor(clNavy);
    C->SetCloseButton(true);
    C->SetMinMaxButton(true);
    C->SetCloseMaxGlyph(CloseExpanded.get());
    C->SetCloseMinGlyph(CloseCollapsed.get());
    C->SetMinGlyph(Collapse.get());
    C->SetMaxGlyph(Expand.get());
    // The close glyph at (R - 12, T + 2), the other one left of it.
    auto B = render();
    EXPECT_EQ(B->Canvas()->Pixels(193, 7), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(181, 7), clAqua);
    EXPECT_EQ(B->Canvas()->Pixels(189, 3), clNavy) << "the glyph's fuchsia is see-through";
    Panel->SetCollaps(true);
    B = render();
    EXPECT_EQ(B->Canvas()->Pixels(193, 7), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(181, 7), clYellow);
    EXPECT_EQ(B->Canvas()->Pixels(189, 3), ColorToRGB(C->CloseColor()));
}

TEST_F(AdvPanelPaintingTest, ALeftCaptionReservesRoomForBothButtonsAboveItsText) {
    Panel->SetHeight(300);
    Panel->Caption()->SetVisible(true);
    Panel->Caption()->SetPosition(cpLeft);
    Panel->Caption()->SetCloseButton(true);
    Panel->Caption()->SetMinMaxButton(true);
    Panel->Caption()->Font()->SetColor(clLime);
    Panel->Caption()->SetText(QStringLiteral("A caption long enough to run up past where the buttons sit in the bar"));
    auto B = render();
    const auto lime = [](TColor C) { return (C & 0x00FF00) > 0x008000 && (C & 0xFF) < 0x80 && (C >> 16) < 0x80; };
    // The close button takes 12 pixels and both buttons 20 more each.
    EXPECT_EQ(count(B.get(), Rect(0, 0, 20, 52), lime), 0);
    EXPECT_GT(count(B.get(), Rect(0, 52, 20, 300), lime), 20);
}

TEST_F(AdvPanelPaintingTest, SizeGripOnlyWhileExpandedAndSizable) {
    Panel->Caption()->SetVisible(true);
    Panel->Caption()->SetColor(clNavy);
    const auto greys = [this](TBitmap* B) {
        return count(B, Rect(Panel->Width() - 17, Panel->Height() - 17, Panel->Width(), Panel->Height()),
                     [](TColor C) { return C == clGray; });
    };
    EXPECT_EQ(greys(render().get()), 0) << "not sizable";
    Panel->SetCanSize(true);
    EXPECT_GT(greys(render().get()), 10);
    Panel->SetCollaps(true);
    EXPECT_EQ(greys(render().get()), 0);
}

TEST_F(AdvPanelPaintingTest, OnPaintComesLastOnTheBufferedCanvas) {
    Panel->Caption()->SetVisible(true);
    Panel->StatusBar()->SetVisible(true);
    TRect Seen{};
    Panel->OnPaint = [&](TObject*, TCanvas* C, const TRect& R) {
        Seen = R;
        C->SetPixels(0, 0, clFuchsia);
        C->SetPixels(199, 99, clFuchsia);
    };
    auto B = render();
    EXPECT_EQ(Seen.Right, 200);
    EXPECT_EQ(Seen.Bottom, 100);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clFuchsia);
    EXPECT_EQ(B->Canvas()->Pixels(199, 99), clFuchsia);
}

}  // namespace
