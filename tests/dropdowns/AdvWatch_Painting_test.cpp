#include "tests/dropdowns/WatchFixture.h"

#include "framework/ui/Picture.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

constexpr TColor kFace = 0x00C000;
constexpr TColor kBorder = 0x0000FF;
constexpr TColor kHour = 0xFF0000;
constexpr TColor kMinute = 0x00C0C0;

bool near(TColor A, TColor B, int Tolerance = 40) {
    for (int Shift = 0; Shift < 24; Shift += 8)
        if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > Tolerance) return false;
    return true;
}

int darkPixels(TBitmap* B, const TRect& Area) {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
        for (int X = Area.Left; X < Area.Right; ++X) {
            const TColor C = B->Canvas()->Pixels(X, Y);
            N += (C & 0xFF) < 100 && ((C >> 8) & 0xFF) < 100 && ((C >> 16) & 0xFF) < 100;
        }
    return N;
}

// A square around a point.
TRect around(double X, double Y, int Half = 4) {
    const int CX = int(std::lround(X)), CY = int(std::lround(Y));
    return Rect(CX - Half, CY - Half, CX + Half + 1, CY + Half + 1);
}

class WatchPaintingTest : public WatchFixture {
protected:
    void SetUp() override {
        WatchFixture::SetUp();
        TWatchAppearance* A = Watch->Appearance();
        A->SetBackgroundColor(kFace);
        A->SetBorderColor(kBorder);
        A->SetHourPointer(kHour);
        A->SetMinutePointer(kMinute);
        A->SetCenterPointSize(0);
        Watch->SetAnimation(false);
        setTime(3, 0);  // hour pointer to the right, minute pointer up
    }
};

TEST_F(WatchPaintingTest, FaceBorderAndPointers) {
    Watch->Appearance()->SetTickMarks(tmNone);
    auto B = render();
    TCanvas* C = B->Canvas();
    // Centre (90, 90), radius 80, border 4 wide.
    EXPECT_TRUE(near(C->Pixels(84, 96), kFace)) << std::hex << C->Pixels(84, 96);
    EXPECT_TRUE(near(C->Pixels(10, 90), kBorder));
    EXPECT_TRUE(near(C->Pixels(90, 170), kBorder));
    EXPECT_TRUE(near(C->Pixels(16, 90), kFace));
    EXPECT_TRUE(near(C->Pixels(4, 90), clWhite)) << "the margin keeps the window's colour";
    EXPECT_TRUE(near(C->Pixels(2, 2), clWhite));
    // The hour pointer runs right to 0.5 r, with its tail 0.1 r behind the centre.
    EXPECT_TRUE(near(C->Pixels(120, 90), kHour));
    EXPECT_TRUE(near(C->Pixels(84, 90), kHour));
    EXPECT_FALSE(near(C->Pixels(136, 90), kHour));
    // The minute pointer runs up to 0.7 r.
    EXPECT_TRUE(near(C->Pixels(90, 40), kMinute));
    EXPECT_FALSE(near(C->Pixels(90, 28), kMinute));
}

TEST_F(WatchPaintingTest, PointersFollowTheTime) {
    setTime(9, 30);
    auto B = render();
    TCanvas* C = B->Canvas();
    // 9:30: the hour pointer at 285 degrees, the minute pointer down.
    const double A = 285 * M_PI / 180;
    EXPECT_TRUE(
        near(C->Pixels(int(std::lround(90 + std::sin(A) * 30)), int(std::lround(90 - std::cos(A) * 30))), kHour));
    EXPECT_TRUE(near(C->Pixels(90, 140), kMinute));
    EXPECT_FALSE(near(C->Pixels(90, 40), kMinute));
}

TEST_F(WatchPaintingTest, ShadowFallsBelowThePointer) {
    Watch->Appearance()->SetTickMarks(tmNone);
    auto B = render();
    TCanvas* C = B->Canvas();
    // The hour shadow: moved 1 left and 3 down, translucent near-black over the face.
    const TColor Shadow = C->Pixels(110, 94);
    EXPECT_FALSE(near(Shadow, kFace, 20)) << std::hex << Shadow;
    EXPECT_GT((Shadow >> 8) & 0xFF, 60u) << "translucent, not black";
    EXPECT_TRUE(near(C->Pixels(110, 99), kFace));
    EXPECT_TRUE(near(C->Pixels(110, 85), kFace)) << "nothing above the pointer";
    // No shadow colour, no shadow.
    Watch->Appearance()->SetHourPointerShadow(clNone);
    B = render();
    EXPECT_TRUE(near(B->Canvas()->Pixels(110, 94), kFace));
}

TEST_F(WatchPaintingTest, AMPMBox) {
    Watch->Appearance()->SetAMPMColor(0xFFFF00);
    Watch->Appearance()->SetAMPMBorderColor(0x800080);
    Watch->Invalidate();  // the box's colours are plain stores
    auto B = render();
    const TRect Box = Watch->GetAMPMRect();
    ASSERT_GT(Box.Width(), 20);
    EXPECT_GT(Box.Top, 90);
    EXPECT_TRUE(near(B->Canvas()->Pixels(Box.Left + 2, Box.Top + Box.Height() / 2), 0xFFFF00));
    EXPECT_TRUE(near(B->Canvas()->Pixels(Box.Left, Box.Top + Box.Height() / 2), 0x800080));
    EXPECT_GT(darkPixels(B.get(), Box), 10) << "the AM text";

    Watch->SetShowAMPM(false);
    EXPECT_EQ(Watch->GetAMPMRect(), Rect(-1, -1, -1, -1));
    B = render();
    EXPECT_TRUE(near(B->Canvas()->Pixels(Box.Left + 2, Box.Top + Box.Height() / 2), kFace));
}

TEST_F(WatchPaintingTest, TickMarksAndNumbers) {
    // The numbers sit on a circle of 61 pixels; the hour ticks between 70 and 78.
    auto numberAt = [](int I) { return around(90 + std::sin(I * M_PI / 6) * 61, 90 - std::cos(I * M_PI / 6) * 61); };
    auto tickAt = [](int I) { return around(90 + std::sin(I * M_PI / 6) * 73, 90 - std::cos(I * M_PI / 6) * 73, 2); };
    Watch->Appearance()->SetTickMarks(tmQuartHours);
    auto B = render();
    EXPECT_GT(darkPixels(B.get(), numberAt(3)), 3);
    EXPECT_GT(darkPixels(B.get(), numberAt(9)), 3);
    EXPECT_EQ(darkPixels(B.get(), numberAt(1)), 0);
    EXPECT_EQ(darkPixels(B.get(), numberAt(5)), 0);
    EXPECT_GT(darkPixels(B.get(), tickAt(6)), 0);
    EXPECT_EQ(darkPixels(B.get(), tickAt(1)), 0);

    Watch->Appearance()->SetTickMarks(tmNone);
    B = render();
    EXPECT_GT(darkPixels(B.get(), numberAt(1)), 3);
    EXPECT_GT(darkPixels(B.get(), numberAt(5)), 3);
    EXPECT_EQ(darkPixels(B.get(), tickAt(6)), 0);
    EXPECT_EQ(darkPixels(B.get(), tickAt(1)), 0);

    Watch->Appearance()->SetTickMarks(tmAll);
    B = render();
    EXPECT_GT(darkPixels(B.get(), tickAt(1)), 0);

    Watch->SetShowNumbers(false);
    B = render();
    EXPECT_EQ(darkPixels(B.get(), numberAt(5)), 0);
}

TEST_F(WatchPaintingTest, TimeChangesRedrawOnlyThePointers) {
    Form->Show();
    render();
    setTime(6, 15);
    // The new frame went straight to the window: the backing image shows it without a paint.
    auto B = render();
    EXPECT_TRUE(near(B->Canvas()->Pixels(130, 90), kMinute));
    EXPECT_TRUE(near(B->Canvas()->Pixels(87, 115), kHour));
    EXPECT_FALSE(near(B->Canvas()->Pixels(120, 90), kHour)) << "the old hour pointer is gone";
}

// A repaint that finds the same face and time shows the frame drawn before; every change of what
// lies under the watch, of the face (even one made without an event) or of the pointers shows.
TEST_F(WatchPaintingTest, RepaintsShowWhatChanged) {
    Form->Show();
    auto First = render();
    auto Again = render();
    bool Same = true;
    for (int Y = 0; Y < First->Height() && Same; ++Y)
        Same = std::memcmp(First->ScanLine(Y), Again->ScanLine(Y), size_t(First->Width()) * 4) == 0;
    EXPECT_TRUE(Same) << "the same pixels again";

    const TRect Box = Watch->GetAMPMRect();
    const struct {
        const char* Name;
        std::function<void()> Change;
        int X, Y;
        TColor Expected;
    } Cases[] = {
        {"the window under the margin", [&] { Watch->SetColor(clYellow); }, 2, 2, clYellow},
        {"the face's colour", [&] { Watch->Appearance()->SetBackgroundColor(0x808000); }, 84, 96, 0x808000},
        {"the box's fill, stored without an event",
         [&] {
             Watch->Appearance()->SetAMPMColor(0xFFFF00);
             Watch->Invalidate();
         },
         Box.Left + 2, Box.Top + Box.Height() / 2, 0xFFFF00},
        {"the hour pointer's colour", [&] { Watch->Appearance()->SetHourPointer(0xFF00FF); }, 120, 90, 0xFF00FF},
        {"the time", [&] { setTime(3, 15); }, 130, 90, kMinute},
        {"the face's colour back", [&] { Watch->Appearance()->SetBackgroundColor(kFace); }, 84, 96, kFace},
    };
    for (const auto& C : Cases) {
        C.Change();
        auto B = render();
        EXPECT_TRUE(near(B->Canvas()->Pixels(C.X, C.Y), C.Expected))
            << C.Name << ": " << std::hex << B->Canvas()->Pixels(C.X, C.Y);
    }
}

// A paint at a new time keeps the face it drew before, and shows the pixels a watch painting
// that time afresh shows.
TEST_F(WatchPaintingTest, ThePaintOverAKeptFaceIsTheFreshPaint) {
    Form->Show();
    render();
    setTime(7, 40);
    Watch->Invalidate();
    auto Kept = render();
    auto* Other = new TTestWatch(Form.get());
    Other->SetParent(Form.get());
    Other->SetLeft(Watch->Left() + Watch->Width());
    Other->Appearance()->Assign(Watch->Appearance());
    Other->SetAnimation(false);
    Other->SetTime(Watch->Time());
    auto Fresh = std::make_unique<TBitmap>(Other->Width(), Other->Height());
    Other->PaintTo(Fresh->Canvas(), 0, 0);
    ASSERT_EQ(Kept->Width(), Fresh->Width());
    int Different = 0;
    for (int Y = 0; Y < Kept->Height(); ++Y)
        for (int X = 0; X < Kept->Width(); ++X)
            Different += Kept->Canvas()->Pixels(X, Y) != Fresh->Canvas()->Pixels(X, Y);
    EXPECT_EQ(Different, 0);
}

TEST_F(WatchPaintingTest, LiveClockSecondPointerMovesWithTheClock) {
    Form->Show();
    Clock->SetNow(EncodeDate(2024, 1, 1) + EncodeTime(10, 0, 15, 0));
    Watch->Settings()->SetAuto(true);
    auto B = render();
    // Red, from 0.2 r behind the centre to 0.9 r: at 15 seconds to the right.
    EXPECT_TRUE(near(B->Canvas()->Pixels(150, 90), 0x0000FF)) << std::hex << B->Canvas()->Pixels(150, 90);
    Clock->Advance(15000);
    B = render();
    EXPECT_TRUE(near(B->Canvas()->Pixels(90, 150), 0x0000FF)) << "at 30 seconds down";
    EXPECT_FALSE(near(B->Canvas()->Pixels(150, 90), 0x0000FF));
}

}  // namespace

namespace {

// A picture replaces the face: stretched over the control with its top-left colour keyed out.
TEST_F(WatchPaintingTest, PictureFace) {
    TBitmap Picture(2, 2);
    Picture.Canvas()->Brush()->SetColor(0xFF0000);
    Picture.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Picture.Canvas()->SetPixels(0, 0, 0x0000FF);
    Watch->Appearance()->Picture()->SetGraphic(&Picture);
    Watch->Appearance()->SetTickMarks(tmNone);
    Watch->SetShowNumbers(false);
    auto B = render();
    EXPECT_TRUE(near(B->Canvas()->Pixels(150, 150), 0xFF0000)) << std::hex << B->Canvas()->Pixels(150, 150);
    EXPECT_TRUE(near(B->Canvas()->Pixels(20, 20), clWhite)) << "the keyed colour shows the window";
    EXPECT_FALSE(near(B->Canvas()->Pixels(150, 150), kFace)) << "no face fill under a picture";
}

}  // namespace
