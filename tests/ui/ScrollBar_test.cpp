#include "framework/rtl/Clock.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>
#include <QImage>
#include <string>
#include <vector>

QImage* ControlBackingImage(TControl* Control);

namespace {

// Reaches the parts' geometry.
class TProbedScrollBar : public TScrollBar {
public:
    using TScrollBar::ThumbRect;
    using TScrollBar::TScrollBar;
};

const char* const kCodeNames[] = {"LineUp", "LineDown", "PageUp", "PageDown", "Position",
                                  "Track",  "Top",      "Bottom", "EndScroll"};

class ScrollBarTest : public ::testing::Test {
protected:
    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TProbedScrollBar* Bar = nullptr;
    std::vector<std::string> Events;  // "Code pos" per OnScroll, "change pos" per OnChange

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 300);
        Bar = new TProbedScrollBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetBounds(0, 0, 17, 217);  // arrows 17 px, a 183-px track
        Bar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) {
            Events.push_back(std::string(kCodeNames[Code]) + " " + std::to_string(Pos));
        };
        Bar->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Bar->Position())); };
    }

    void press(int Y) { Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(8, Y)); }
    void move(int Y) { Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(8, Y)); }
    void release(int Y) { Bar->Perform(WM_LBUTTONUP, 0, PointToLParam(8, Y)); }
};

TEST_F(ScrollBarTest, KeepsThePositionInRangeAndRefusesAReversedRange) {
    Bar->SetKind(sbHorizontal);
    EXPECT_EQ(Bar->Width(), 217) << "turning the bar swaps its sides";
    EXPECT_EQ(Bar->Height(), 17);
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 100);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->Position(), 0);
    Bar->SetParams(30, 40, 60);
    EXPECT_EQ(Bar->Position(), 40);
    Bar->SetMax(50);
    EXPECT_THROW(Bar->SetMin(51), EInvalidOperation);
    EXPECT_EQ(Bar->Min(), 40);
    EXPECT_EQ(Events, (std::vector<std::string>{"change 100", "change 0", "change 40"}));
}

TEST_F(ScrollBarTest, ScrollMessagesStepThroughOnScrollIntoPosition) {
    Bar->SetParams(50, 0, 100);
    Bar->SetSmallChange(2);
    Bar->SetLargeChange(20);
    struct Case {
        int Code;
        int ThumbPos;
        int Expected;
    };
    const Case Cases[] = {
        {SB_LINEDOWN, 0, 52},  {SB_LINEUP, 0, 50}, {SB_PAGEDOWN, 0, 70},  {SB_PAGEDOWN, 0, 90},
        {SB_PAGEDOWN, 0, 100}, {SB_PAGEUP, 0, 80}, {SB_THUMBTRACK, 7, 7}, {SB_THUMBPOSITION, 9, 9},
        {SB_BOTTOM, 0, 100},   {SB_TOP, 0, 0},     {SB_ENDSCROLL, 0, 0},
    };
    for (const Case& C : Cases) {
        Bar->Perform(C.Code % 2 ? CN_VSCROLL : WM_VSCROLL, MAKEWPARAM(Word(C.Code), Word(C.ThumbPos)), 0);
        EXPECT_EQ(Bar->Position(), C.Expected) << kCodeNames[C.Code];
    }
    // The handler decides where the step lands.
    Bar->OnScroll = [](TObject*, TScrollCode, int& Pos) { Pos = 33; };
    Bar->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Bar->Position(), 33);
}

TEST_F(ScrollBarTest, HeldArrowsAndTrackRepeatAndEveryGestureEndsInEndScroll) {
    Bar->SetParams(0, 0, 100);
    Bar->SetLargeChange(10);
    Bar->SetPageSize(10);
    press(210);  // the lower arrow
    Clock.Advance(399);
    EXPECT_EQ(Bar->Position(), 1);
    Clock.Advance(1);
    Clock.Advance(50);
    EXPECT_EQ(Bar->Position(), 3) << "repeats after 400 ms, then every 50 ms";
    release(210);
    Clock.Advance(500);
    EXPECT_EQ(Events.back(), "EndScroll 3");
    EXPECT_EQ(Bar->Position(), 3);

    Events.clear();
    press(190);  // the track below the thumb
    release(190);
    EXPECT_EQ(Events, (std::vector<std::string>{"PageDown 13", "change 13", "EndScroll 13"}));
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndEndsWithPositionThenEndScroll) {
    Bar->SetParams(0, 0, 100);
    Bar->SetPageSize(10);
    const TRect Thumb = Bar->ThumbRect();
    EXPECT_EQ(Thumb.Top, 17);
    EXPECT_EQ(Thumb.Height(), 18) << "183 px of track x 10 / 101";
    press(20);
    move(20 + 82);  // half of the 165-px room
    EXPECT_EQ(Bar->TrackPos(), 45);
    move(400);  // beyond the end: the last position a full page can start at
    EXPECT_EQ(Bar->TrackPos(), 91);
    release(400);
    EXPECT_EQ(Events, (std::vector<std::string>{"Track 45", "change 45", "Track 91", "change 91", "Position 91",
                                                "EndScroll 91"}));
    EXPECT_EQ(Bar->ThumbRect().Bottom, 200) << "the thumb rests at the track's end";
}

TEST_F(ScrollBarTest, PaintsArrowsTrackAndThumb) {
    Bar->SetParams(0, 0, 100);
    Bar->SetPageSize(50);
    Form->Show();
    Bar->Repaint();
    const QImage Image = ControlBackingImage(Bar)->copy();
    const auto at = [&](int X, int Y) {
        const QRgb P = Image.pixel(X, Y);
        return RGB(qRed(P), qGreen(P), qBlue(P));
    };
    EXPECT_EQ(at(8, 30), ColorToRGB(clBtnFace)) << "the thumb's face near the top";
    EXPECT_EQ(at(8, 180), ColorToRGB(clScrollBar)) << "the track below it";
}

// A user's step is the parent's to handle first: reflected back, the bar moves; kept, it does not.
class TStepKeepingForm : public TForm {
public:
    using TForm::TForm;
    bool Keep = false;
    int Seen = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_VSCROLL && Message.LParam) {
            ++Seen;
            if (Keep) return;
        }
        TForm::Dispatch(Message);
    }
};

TEST(ScrollBarParent, UserStepsGoThroughTheParent) {
    TStepKeepingForm Form(nullptr);
    auto* Bar = new TScrollBar(&Form);
    Bar->SetParent(&Form);
    Bar->SetKind(sbVertical);
    Bar->SetBounds(0, 0, 17, 217);
    Bar->HandleNeeded();
    Bar->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_EQ(Form.Seen, 2) << "the step and its end";
    Form.Keep = true;
    Bar->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_EQ(Form.Seen, 4);
}

}  // namespace
