#include "components/controls/AdvProgressBar.h"

#include "framework/rtl/Clock.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor kBack = 0xF0F0F0;
constexpr TColor kBorder = 0x404040;
constexpr TColor kLevel[4] = {0x00A000, 0x00A0A0, 0x0060C0, 0x0000C0};
constexpr TColor kLevelTo[4] = {0x80F080, 0x80F0F0, 0x80B0F0, 0x8080F0};

// Solid colours, no text: every pixel of the bar says which level drew it.
TGaugeSettings plainSettings(int Percent) {
    TGaugeSettings S;
    S.Level0Color = kLevel[0], S.Level0ColorTo = kLevelTo[0];
    S.Level1Color = kLevel[1], S.Level1ColorTo = kLevelTo[1];
    S.Level2Color = kLevel[2], S.Level2ColorTo = kLevelTo[2];
    S.Level3Color = kLevel[3], S.Level3ColorTo = kLevelTo[3];
    S.Level1Perc = 70;
    S.Level2Perc = 90;
    S.BorderColor = kBorder;
    S.ShowBorder = true;
    S.Steps = 8;
    S.Position = Percent;
    S.Value = Percent;
    S.Max = 100;
    S.BackgroundColor = kBack;
    return S;
}

// The columns of row Y painted in Color, as "from-to" runs (end exclusive).
std::string runsOf(Paper& P, int Y, int Width, TColor Color) {
    std::string Out;
    int Start = -1;
    for (int X = 0; X <= Width; ++X) {
        const bool In = X < Width && P.At(X, Y) == Color;
        if (In && Start < 0) Start = X;
        if (!In && Start >= 0) {
            Out += (Out.empty() ? "" : " ") + std::to_string(Start) + "-" + std::to_string(X);
            Start = -1;
        }
    }
    return Out;
}

std::string rowsOf(Paper& P, int X, int Height, TColor Color) {
    std::string Out;
    int Start = -1;
    for (int Y = 0; Y <= Height; ++Y) {
        const bool In = Y < Height && P.At(X, Y) == Color;
        if (In && Start < 0) Start = Y;
        if (!In && Start >= 0) {
            Out += (Out.empty() ? "" : " ") + std::to_string(Start) + "-" + std::to_string(Y);
            Start = -1;
        }
    }
    return Out;
}

TEST(AdvProgressBarTest, DefaultsOfANewBar) {
    auto* Bar = new TAdvProgressBar(nullptr);
    const struct {
        const char* Name;
        Int64 Actual, Expected;
    } Cases[] = {
        {"Level0Color", Bar->Level0Color(), 0x00FF00},
        {"Level0ColorTo", Bar->Level0ColorTo(), 0xE1FFE1},
        {"Level1Color", Bar->Level1Color(), 0x00FFFF},
        {"Level1ColorTo", Bar->Level1ColorTo(), 0xCAFFFF},
        {"Level2Color", Bar->Level2Color(), 0x53A9FF},
        {"Level2ColorTo", Bar->Level2ColorTo(), 0xA8D3FF},
        {"Level3Color", Bar->Level3Color(), 0x0000FF},
        {"Level3ColorTo", Bar->Level3ColorTo(), 0xCACAFF},
        {"Level1Perc", Bar->Level1Perc(), 70},
        {"Level2Perc", Bar->Level2Perc(), 90},
        {"Level0BkColor", Bar->Level0BkColor(), clNone},
        {"Level1BkColor", Bar->Level1BkColor(), clNone},
        {"Level2BkColor", Bar->Level2BkColor(), clNone},
        {"BorderColor", Bar->BorderColor(), 0x808080},
        {"ShowBorder", Bar->ShowBorder(), true},
        {"Stacked", Bar->Stacked(), false},
        {"ShowPercentage", Bar->ShowPercentage(), true},
        {"ShowPosition", Bar->ShowPosition(), true},
        {"CompletionSmooth", Bar->CompletionSmooth(), false},
        {"ShowGradient", Bar->ShowGradient(), true},
        {"Steps", Bar->Steps(), 8},
        {"BackgroundColor", Bar->BackgroundColor(), 0xFFFFFF},
        {"Orientation", Bar->Orientation(), goHorizontal},
        {"Position", Bar->Position(), 50},
        {"Min", Bar->Min(), 0},
        {"Max", Bar->Max(), 100},
        {"Rounded", Bar->Rounded(), true},
        {"Animated", Bar->Animated(), false},
        {"Infinite", Bar->Infinite(), false},
        {"InfiniteInterval", Bar->InfiniteInterval(), 50},
        {"Width", Bar->Width(), 128},
        {"Height", Bar->Height(), 18},
        {"Font size", Bar->Font()->Size(), 10},
        {"GetVersionNr", Bar->GetVersionNr(), 16908545},
    };
    for (const auto& C : Cases) EXPECT_EQ(C.Actual, C.Expected) << C.Name;
    EXPECT_EQ(Bar->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_TRUE(Bar->Format().isEmpty());
    Bar->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(Bar->Version(), QStringLiteral("1.2.1.1"));
    Bar->Free();
}

TEST(AdvProgressBarTest, PercentageOfThePositionInTheRange) {
    const struct {
        int Min, Max, Position, Percent;
    } Cases[] = {
        {0, 100, 50, 50},  {0, 200, 101, 50},  // 50.5 goes to the even neighbour
        {0, 200, 103, 52}, {-50, 50, 0, 50},  {0, 10000, 99, 1}, {0, 10000, 49, 0}, {1000, 1003, 1001, 33},
    };
    for (const auto& C : Cases) {
        auto* Bar = new TAdvProgressBar(nullptr);
        Bar->SetMin(C.Min);
        Bar->SetMax(C.Max);
        Bar->SetPosition(C.Position);
        EXPECT_EQ(Bar->Percentage(), C.Percent) << C.Min << ".." << C.Max << " at " << C.Position;
        Bar->Free();
    }
    auto* Empty = new TAdvProgressBar(nullptr);
    Empty->SetMax(0);  // Min = Max: no scale, no division
    EXPECT_EQ(Empty->Percentage(), 0);
    Empty->Free();
}

class AdvProgressBarControlTest : public PanelFixture {
protected:
    AdvProgressBarControlTest() : PanelFixture(240, TTestPointer::FarAway) {}

    // Counts the paints the bar does of itself.
    class CountingBar : public TAdvProgressBar {
    public:
        using TAdvProgressBar::TAdvProgressBar;
        int Paints = 0;

    protected:
        void Paint() override {
            ++Paints;
            TAdvProgressBar::Paint();
        }
    };

    CountingBar* bar(int Width = 128, int Height = 18) {
        auto* B = new CountingBar(Form.get());
        B->SetParent(Panel);
        B->SetBounds(0, 0, Width, Height);
        return B;
    }
};

TEST_F(AdvProgressBarControlTest, PositionIsClampedAndPaintsAtOncePerPercentOrBlock) {
    const struct {
        const char* Name;
        int Min, Max, Start;
        std::vector<int> Moves;
        int Stored, MaxPaints, MinPaints;
    } Cases[] = {
        {"above Max is clamped without painting", 0, 100, 50, {150}, 100, 0, 0},
        {"below Min is clamped without painting", 10, 100, 50, {-5}, 10, 0, 0},
        {"a small range paints every step", 0, 100, 0, {1, 2, 3, 4, 5}, 5, 5, 5},
        {"a large range paints at most once per percent", 0, 10000, 1, {2, 3, 10, 40, 50, 60, 98, 99}, 99, 1, 1},
        {"a new block of MaxIncrement paints", 0, 10000, 1, {100}, 100, 1, 1},
        {"no increment (span under 100) paints every step", 0, 50, 0, {1, 2}, 2, 2, 2},
        {"Min = Max paints", 7, 7, 7, {7}, 7, 1, 1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        CountingBar* B = bar();
        B->SetMin(C.Min);
        B->SetMax(C.Max);
        B->SetPosition(C.Start);
        B->Update();  // what the setup invalidated is painted now, not counted below
        B->Paints = 0;
        for (int Move : C.Moves) B->SetPosition(Move);
        EXPECT_EQ(B->Position(), C.Stored);
        EXPECT_LE(B->Paints, C.MaxPaints);
        EXPECT_GE(B->Paints, C.MinPaints);
        B->Free();
    }
}

TEST_F(AdvProgressBarControlTest, RoundedCornersShowTheParentAndSquareOnesAreDrawn) {
    Panel->SetColor(0x123456);
    CountingBar* B = bar(100, 20);
    B->SetShowPosition(false);
    auto Img = render();
    EXPECT_EQ(Img->Canvas()->Pixels(0, 0), TColor(0x123456)) << "the keyed corner is transparent";
    EXPECT_EQ(Img->Canvas()->Pixels(99, 19), TColor(0x123456));
    EXPECT_EQ(Img->Canvas()->Pixels(50, 0), TColor(0x808080)) << "the outline";
    EXPECT_EQ(Img->Canvas()->Pixels(50, 10), TColor(0xFFFFFF)) << "the empty bar";

    B->SetRounded(false);
    Img = render();
    EXPECT_EQ(Img->Canvas()->Pixels(0, 0), TColor(0x808080));
    EXPECT_EQ(Img->Canvas()->Pixels(99, 19), TColor(0x808080));
    EXPECT_EQ(B->Perform(WM_ERASEBKGND, 0, 0), 0);
}

TEST_F(AdvProgressBarControlTest, EmptyRangeAndShrunkenRangeStayInsideTheOutline) {
    CountingBar* B = bar(100, 20);
    B->SetRounded(false);
    B->SetShowPosition(false);
    B->SetShowGradient(false);
    B->SetCompletionSmooth(true);
    B->SetMax(0);  // Min = Max with the position left at 50: an empty bar
    auto Img = render();
    EXPECT_EQ(BoundsOf(Img.get(), Rect(1, 1, 99, 19), [](TColor C) { return C != 0xFFFFFF; }), Rect(0, 0, 0, 0));

    // Max lowered under the position (200 %): the bar ends at the inner edge, the outline stays.
    B->SetMax(100);
    B->SetPosition(100);
    B->SetMax(50);
    Img = render();
    EXPECT_EQ(Img->Canvas()->Pixels(97, 10), TColor(0x0000FF)) << "full bar in level-3 colour";
    EXPECT_EQ(Img->Canvas()->Pixels(98, 10), TColor(0xFFFFFF));
    EXPECT_EQ(Img->Canvas()->Pixels(99, 10), TColor(0x808080));
}

TEST_F(AdvProgressBarControlTest, InfiniteWindowBouncesOnTheTimer) {
    FakeClock Clock;
    CountingBar* B = bar(104, 18);
    B->SetInfinite(true);
    B->SetAnimated(true);
    std::vector<int> Seen;
    for (int Tick = 1; Tick <= 28; ++Tick) {
        Clock.Advance(50);
        Seen.push_back(B->InfinitePos());
    }
    EXPECT_EQ(Seen[0], 0) << "the first tick turns up from 0";
    EXPECT_EQ(Seen[1], 4);
    EXPECT_EQ(Seen[24], 96);
    EXPECT_EQ(Seen[25], 100) << "the 26th tick reaches the end";
    EXPECT_EQ(Seen[26], 96);
    EXPECT_EQ(Seen[27], 92);
    EXPECT_GE(B->Paints, 28);

    B->SetInfiniteInterval(200);  // the period only
    Clock.Advance(150);
    EXPECT_EQ(B->InfinitePos(), 92);
    Clock.Advance(50);
    EXPECT_EQ(B->InfinitePos(), 88);

    B->SetAnimated(false);
    Clock.Advance(1000);
    EXPECT_EQ(B->InfinitePos(), 88) << "stopped";
    B->SetAnimated(true);
    B->SetInfinite(false);
    Clock.Advance(1000);
    EXPECT_EQ(B->InfinitePos(), 0) << "clearing Infinite stops it and resets the window";
    B->SetInfinite(true);
    Clock.Advance(600);  // three ticks of 200 ms from the start: 0 (turning up), 4, 8
    EXPECT_EQ(B->InfinitePos(), 8);
}

// ---- The painter ----

TEST(DrawProgressBarTest, LevelColourFollowsTheThresholds) {
    const struct {
        const char* Name;
        int Percent;
        bool Stacked, Infinite;
        TColor Expected;
    } Cases[] = {
        {"69 is level 0", 69, false, false, kLevel[0]},
        {"70 is level 1", 70, false, false, kLevel[1]},
        {"89 is level 1", 89, false, false, kLevel[1]},
        {"90 is level 2", 90, false, false, kLevel[2]},
        {"99 is level 2", 99, false, false, kLevel[2]},
        {"100 is level 3", 100, false, false, kLevel[3]},
        {"infinite is level 0", 100, false, true, kLevel[0]},
        {"infinite stacked is level 0", 100, true, true, kLevel[0]},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Paper P(102, 18);
        TGaugeSettings S = plainSettings(C.Percent);
        S.Stacked = C.Stacked;
        S.Infinite = C.Infinite;
        S.InfinitePos = 0;
        DrawProgressBar(P.Canvas(), Rect(0, 0, 102, 18), S);
        EXPECT_EQ(P.At(4, 8), C.Expected);
    }
}

TEST(DrawProgressBarTest, StackedSegmentsUseLevelTwoForTheThird) {
    const struct {
        const char* Name;
        int Percent;
        const char *Level0, *Level1, *Level2;
    } Cases[] = {
        {"95 %: 70, 20 and 5", 95, "1-71", "71-91", "91-96"},
        {"100 %: the third fills the rest", 100, "1-71", "71-91", "91-101"},
        {"50 %: one segment", 50, "1-51", "", ""},
        {"0 %: nothing", 0, "", "", ""},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Paper P(102, 18);
        TGaugeSettings S = plainSettings(C.Percent);
        S.Stacked = true;
        DrawProgressBar(P.Canvas(), Rect(0, 0, 102, 18), S);
        EXPECT_EQ(runsOf(P, 8, 102, kLevel[0]), C.Level0);
        EXPECT_EQ(runsOf(P, 8, 102, kLevel[1]), C.Level1);
        EXPECT_EQ(runsOf(P, 8, 102, kLevel[2]), C.Level2);
        EXPECT_EQ(P.Count(kLevel[3]), 0);
    }

    // Vertical: the first segment from B - length + 1 to B - 2, the others stacked above it.
    Paper P(18, 102);
    TGaugeSettings S = plainSettings(95);
    S.Stacked = true;
    S.Orientation = goVertical;
    DrawProgressBar(P.Canvas(), Rect(0, 0, 18, 102), S);
    EXPECT_EQ(rowsOf(P, 8, 102, kLevel[0]), "33-100");
    EXPECT_EQ(rowsOf(P, 8, 102, kLevel[1]), "13-33");
    EXPECT_EQ(rowsOf(P, 8, 102, kLevel[2]), "7-12");
}

TEST(DrawProgressBarTest, BlocksAndSmoothBarAreInsetTwoPixels) {
    const struct {
        const char* Name;
        int Percent;
        bool Smooth;
        const char* Columns;
    } Cases[] = {
        {"23 px: two blocks and a last of 3", 23, false, "2-9 11-18 20-23"},
        {"20 px: a remainder of 2 adds nothing", 20, false, "2-9 11-18"},
        {"9 px: one short block", 9, false, "2-10"},
        {"1 px: nothing", 1, false, ""},
        {"smooth 50 %", 50, true, "2-50"},
        {"smooth 100 %", 100, true, "2-100"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Paper P(102, 18);
        TGaugeSettings S = plainSettings(C.Percent);
        S.CompletionSmooth = C.Smooth;
        DrawProgressBar(P.Canvas(), Rect(0, 0, 102, 18), S);
        EXPECT_EQ(runsOf(P, 8, 102, kLevel[0]) + runsOf(P, 8, 102, kLevel[3]), C.Columns);
        EXPECT_EQ(P.At(4, 1), kBack) << "two pixels from the outline";
        EXPECT_EQ(P.At(4, 16), kBack);
    }

    // Vertical smooth bar: (L + 2, B - length, R - 2, B - 2).
    Paper V(18, 102);
    TGaugeSettings S = plainSettings(50);
    S.CompletionSmooth = true;
    S.Orientation = goVertical;
    DrawProgressBar(V.Canvas(), Rect(0, 0, 18, 102), S);
    EXPECT_EQ(rowsOf(V, 8, 102, kLevel[0]), "52-100");
    EXPECT_EQ(runsOf(V, 60, 18, kLevel[0]), "2-16");
}

TEST(DrawProgressBarTest, GradientHasExactlyStepsBandsMirroredAcrossTheBar) {
    // Smooth bar rows 2..20: halves 2..11 (ColorTo -> Color) and 11..20 (Color -> ColorTo).
    const TColor Mid = 0x40C840;  // halfway between 0x00A000 and 0x80F080
    const struct {
        int Steps;
        std::vector<std::pair<int, TColor>> Rows;
    } Cases[] = {
        {2, {{2, kLevelTo[0]}, {5, kLevelTo[0]}, {6, Mid}, {10, Mid}, {11, kLevel[0]}, {15, Mid}, {19, Mid}}},
        {0, {{2, kLevelTo[0]}, {10, kLevelTo[0]}, {11, kLevel[0]}, {19, kLevel[0]}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Steps);
        Paper P(40, 22);
        TGaugeSettings S = plainSettings(50);
        S.CompletionSmooth = true;
        S.ShowGradient = true;
        S.Steps = C.Steps;
        DrawProgressBar(P.Canvas(), Rect(0, 0, 40, 22), S);
        for (const auto& [Row, Colour] : C.Rows) EXPECT_EQ(P.At(10, Row), Colour) << "row " << Row;
        EXPECT_EQ(P.At(10, 20), kBack) << "bands stay inside the bar";
    }
}

TEST(DrawProgressBarTest, LevelZonesBehindTheBar) {
    Paper P(102, 18);
    TGaugeSettings S = plainSettings(0);
    S.Level0BkColor = 0xAA0000;
    S.Level2BkColor = 0x0000AA;
    DrawProgressBar(P.Canvas(), Rect(0, 0, 102, 18), S);
    EXPECT_EQ(runsOf(P, 1, 102, 0xAA0000), "2-70");
    EXPECT_EQ(runsOf(P, 1, 102, 0x0000AA), "90-100");
    EXPECT_EQ(P.At(80, 8), kBack) << "the level-1 zone is clNone";

    Paper V(18, 102);
    S.Orientation = goVertical;
    DrawProgressBar(V.Canvas(), Rect(0, 0, 18, 102), S);
    EXPECT_EQ(rowsOf(V, 8, 102, 0xAA0000), "33-100");
    EXPECT_EQ(rowsOf(V, 8, 102, 0x0000AA), "2-12");

    // Thresholds out of order: no zone drawn backwards over the others.
    Paper Q(102, 18);
    S = plainSettings(0);
    S.Level1Perc = 90;
    S.Level2Perc = 70;
    S.Level1BkColor = 0x00AA00;
    DrawProgressBar(Q.Canvas(), Rect(0, 0, 102, 18), S);
    EXPECT_EQ(Q.Count(0x00AA00), 0);
}

TEST(DrawProgressBarTest, InfiniteWindowLeavesTenBeforeAndTwelveAfterThePoint) {
    const struct {
        int Pos;
        const char* Columns;
    } Cases[] = {{50, "40-62"}, {0, "2-12"}, {100, "90-102"}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Pos);
        Paper P(104, 18);  // window extent 100
        TGaugeSettings S = plainSettings(30);
        S.CompletionSmooth = true;
        S.Infinite = true;
        S.InfinitePos = C.Pos;
        DrawProgressBar(P.Canvas(), Rect(0, 0, 104, 18), S);
        EXPECT_EQ(runsOf(P, 8, 104, kLevel[0]), C.Columns);
    }
}

TEST(DrawProgressBarTest, TextIsThePercentThePositionOrTheFormat) {
    const struct {
        const char* Name;
        String Format;
        bool ShowPercentage;
        int Percent, Value, Max;
        String Expected;
    } Cases[] = {
        {"percentage", String(), true, 30, 3, 10, QStringLiteral("30%")},
        {"position", String(), false, 30, 3, 10, QStringLiteral("3")},
        {"format of position and Max", QStringLiteral("%d of %d"), true, 30, 3, 10, QStringLiteral("3 of 10")},
        {"an unusable format falls back", QStringLiteral("%s"), true, 30, 3, 10, QStringLiteral("30%")},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFont Font;
        Font.SetName(QStringLiteral("Verdana"));
        Font.SetSize(10);
        TGaugeSettings S = plainSettings(C.Percent);
        S.Font = &Font;
        S.ShowPercentage = C.ShowPercentage;
        S.Value = C.Value;
        S.Max = C.Max;
        S.Format = C.Format;
        Paper Drawn(120, 24), Expected(120, 24);
        S.ShowPosition = true;
        DrawProgressBar(Drawn.Canvas(), Rect(0, 0, 120, 24), S);
        S.ShowPosition = false;
        DrawProgressBar(Expected.Canvas(), Rect(0, 0, 120, 24), S);
        TCanvas* E = Expected.Canvas();
        E->SetFont(&Font);
        E->Brush()->SetStyle(bsClear);
        const TSize Size = E->TextExtent(C.Expected);
        E->TextOut(60 - Size.cx / 2, 12 - Size.cy / 2, C.Expected);
        std::string Where;
        EXPECT_EQ(Drawn.Differences(Expected, Where), 0) << Where;
    }
}

TEST(DrawProgressBarTest, RoundedFillsTheCornersWithTheKeyColour) {
    Paper P(60, 20);
    TGaugeSettings S = plainSettings(0);
    S.Rounded = true;
    DrawProgressBar(P.Canvas(), Rect(0, 0, 60, 20), S);
    EXPECT_EQ(P.At(0, 0), TColor(0xFF00FF));
    EXPECT_EQ(P.At(59, 19), TColor(0xFF00FF));
    EXPECT_EQ(P.At(30, 0), kBorder);
    EXPECT_EQ(P.At(30, 10), kBack);
}

}  // namespace
