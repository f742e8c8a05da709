#include "tests/dropdowns/WatchFixture.h"

#include "framework/rtl/Exceptions.h"
#include "framework/ui/Cursors.h"

#include <string>
#include <vector>

namespace {

using WatchTest = WatchFixture;

TEST_F(WatchTest, NewWatch) {
    EXPECT_EQ(Watch->Width(), 180);
    EXPECT_EQ(Watch->Height(), 180);
    EXPECT_EQ(Watch->Version(), "1.1.2.0");
    Watch->SetVersion("9.9.9.9");
    EXPECT_EQ(Watch->Version(), "1.1.2.0");
    EXPECT_EQ(Watch->Style(), wsClassic);
    EXPECT_TRUE(Watch->AM());
    EXPECT_FALSE(Watch->WatchTimer()->Enabled());
    EXPECT_FALSE(Watch->AnimationTimer()->Enabled());
    EXPECT_EQ(Watch->AnimationTimer()->Interval(), 1u);
    EXPECT_EQ(Watch->WatchTimer()->Interval(), 100u);
}

TEST_F(WatchTest, DialogCodeFollowsTabStop) {
    EXPECT_EQ(Watch->Perform(WM_GETDLGCODE, 0, 0), 0);
    Watch->SetTabStop(true);
    EXPECT_EQ(Watch->Perform(WM_GETDLGCODE, 0, 0), 5);
}

TEST_F(WatchTest, PointsMapToMinutes) {
    // Centre (90, 90) of a 180 x 180 watch.
    const struct {
        int X, Y, Minute;
    } Cases[] = {
        {90, 20, 0},  {160, 90, 15},  {90, 160, 30}, {20, 90, 45},  // the four directions
        {140, 40, 7}, {140, 140, 23}, {40, 140, 37}, {40, 40, 53},  // diagonals: 45 deg / 6 = 7.5 rounds to 8
        {80, 40, 58}, {88, 40, 0},                                  // just left of 12
    };
    for (const auto& C : Cases) EXPECT_EQ(Watch->XYToMinute(C.X, C.Y), C.Minute) << C.X << "," << C.Y;
}

TEST_F(WatchTest, ClicksSetHourMinuteOrHalf) {
    Watch->SetAnimation(false);
    const TRect Box = Watch->GetAMPMRect();
    const struct {
        const char* Name;
        int StartH, StartM, X, Y, H, M;
    } Cases[] = {
        {"up sets hour 0 in the AM half", 5, 10, 90, 30, 0, 10},
        {"right sets hour 3", 5, 10, 150, 90, 3, 10},
        {"down sets hour 6", 5, 10, 90, 165, 6, 10},
        {"left sets hour 9", 5, 10, 30, 90, 9, 10},
        {"just left of 12 in the AM half is 0", 5, 10, 80, 40, 0, 10},
        {"just left of 12 in the PM half is 12", 17, 10, 80, 40, 12, 10},
        {"right in the PM half is 15", 17, 10, 150, 90, 15, 10},
        {"a corner sets the minute", 5, 10, 2, 2, 5, 53},
        {"the margin sets the minute", 5, 10, 5, 90, 5, 45},
        {"the AM/PM box adds 12 hours", 5, 10, Box.Left + 2, Box.Top + 2, 17, 10},
        {"and takes them away", 17, 10, Box.Left + 2, Box.Top + 2, 5, 10},
    };
    for (const auto& C : Cases) {
        setTime(C.StartH, C.StartM);
        Changes = 0;
        click(C.X, C.Y);
        EXPECT_EQ(hm(), std::make_pair(C.H, C.M)) << C.Name;
        EXPECT_EQ(Changes, 1) << C.Name;
        EXPECT_EQ(Watch->AM(), C.H < 12) << C.Name;
    }
}

TEST_F(WatchTest, ReadOnlyAndLiveClockBlockClicksAndKeys) {
    Watch->SetAnimation(false);
    setTime(5, 10);
    Watch->SetReadOnly(true);
    click(150, 90);
    click(2, 2);
    EXPECT_EQ(hm(), std::make_pair(5, 10));
    Watch->SetReadOnly(false);
    Watch->Settings()->SetAuto(true);
    const TDateTime Stored = Watch->Time();
    click(150, 90);
    Watch->HandleKey(VK_RIGHT);
    EXPECT_EQ(Watch->Time(), Stored);
    EXPECT_EQ(Changes, 0);
}

TEST_F(WatchTest, SizeDecidesTheFace) {
    Watch->SetAnimation(false);
    setTime(5, 10);
    // Size 0: a 10-pixel margin, so (5, 90) lies outside the face and sets the minute.
    click(5, 90);
    EXPECT_EQ(hm(), std::make_pair(5, 45));
    // A side larger than the control is clamped to it: (5, 90) is now inside and sets the hour.
    Watch->Appearance()->SetSize(1000);
    click(5, 90);
    EXPECT_EQ(hm(), std::make_pair(9, 45));
    // A small face: the same point lies outside it again.
    Watch->Appearance()->SetSize(100);
    click(35, 90);
    EXPECT_EQ(hm(), std::make_pair(9, 45)) << "minute 45 again, no change";
    click(145, 90);
    EXPECT_EQ(hm(), std::make_pair(9, 15));
}

TEST_F(WatchTest, Keys) {
    Watch->SetAnimation(false);
    const struct {
        const char* Name;
        int StartH, StartM;
        Word Key;
        int H, M;
    } Cases[] = {
        {"A from the PM half", 15, 20, 'A', 3, 20},
        {"A in the AM half does nothing", 3, 20, 'A', 3, 20},
        {"P from the AM half", 3, 20, 'P', 15, 20},
        {"P in the PM half does nothing", 15, 20, 'P', 15, 20},
        {"Page Up", 3, 20, VK_PRIOR, 4, 20},
        {"Page Up wraps at 23", 23, 20, VK_PRIOR, 0, 20},
        {"Page Down", 3, 20, VK_NEXT, 2, 20},
        {"Page Down wraps at 0", 0, 20, VK_NEXT, 23, 20},
        {"Home", 3, 20, VK_HOME, 12, 20},
        {"End from minute 20 stays in the hour", 3, 20, VK_END, 3, 0},
        {"End from minute 45 goes to the next hour", 3, 45, VK_END, 4, 0},
        {"Right", 3, 20, VK_RIGHT, 3, 21},
        {"Right at 59 goes to the next hour", 3, 59, VK_RIGHT, 4, 0},
        {"Right at 23:59 goes to 0:00", 23, 59, VK_RIGHT, 0, 0},
        {"Left", 3, 20, VK_LEFT, 3, 19},
        {"Left at 0 goes to the previous hour", 3, 0, VK_LEFT, 2, 59},
        {"Left at 0:00 goes to 23:59", 0, 0, VK_LEFT, 23, 59},
        {"other keys do nothing", 3, 20, VK_UP, 3, 20},
    };
    for (const auto& C : Cases) {
        setTime(C.StartH, C.StartM);
        Watch->HandleKey(C.Key);
        EXPECT_EQ(hm(), std::make_pair(C.H, C.M)) << C.Name;
    }
}

TEST_F(WatchTest, MinuteZeroFromTheSecondHalfIsTheNextHour) {
    Watch->SetAnimation(false);
    setTime(23, 45);
    Watch->SetMinute(0);
    EXPECT_EQ(hm(), std::make_pair(0, 0));
    setTime(10, 20);
    Watch->SetMinute(0);
    EXPECT_EQ(hm(), std::make_pair(10, 0));
}

TEST_F(WatchTest, InvalidMinuteRaisesAndKeepsTheTime) {
    setTime(10, 20);
    try {
        Watch->SetMinute(60);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Invalid time");
    }
    EXPECT_EQ(hm(), std::make_pair(10, 20));
    Watch->SetAnimation(false);
    EXPECT_THROW(Watch->SetHour(24), EConvertError);
    EXPECT_EQ(hm(), std::make_pair(10, 20));
}

TEST_F(WatchTest, DirectChangesFireOnceEach) {
    Watch->SetAnimation(false);
    setTime(3, 20);
    EXPECT_EQ(Changes, 0) << "Time writes fire nothing";
    Watch->SetHour(5);
    Watch->SetMinute(40);
    Watch->HandleKey(VK_HOME);
    EXPECT_EQ(Changes, 3);
    Watch->SetHour(12);
    EXPECT_EQ(Changes, 3) << "no change, no event";
}

TEST_F(WatchTest, AnimationStepsTowardTheTargetAndFiresOnceThere) {
    setTime(1, 0);
    std::vector<int> Hours;
    Watch->OnChange = [&](TObject*) { ++Changes; };
    Watch->SetHour(11);
    EXPECT_EQ(hm().first, 1) << "nothing moves before the first tick";
    EXPECT_TRUE(Watch->AnimationTimer()->Enabled());
    while (Watch->AnimationTimer()->Enabled() && Hours.size() < 50) {
        Clock->Advance(1);
        Hours.push_back(hm().first);
    }
    // 1/10 of the remaining distance, at least one hour per step; the last tick ends it.
    EXPECT_EQ(Hours, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11}));
    EXPECT_EQ(Changes, 1);

    // A wide move slows down near its target.
    Changes = 0;
    Watch->SetAnimationFactor(2);
    Watch->SetMinute(40);
    std::vector<int> Minutes;
    while (Watch->AnimationTimer()->Enabled() && Minutes.size() < 50) {
        Clock->Advance(1);
        Minutes.push_back(hm().second);
    }
    EXPECT_EQ(Minutes, (std::vector<int>{20, 30, 35, 37, 39, 40, 40}));
    EXPECT_EQ(Changes, 1);
}

TEST_F(WatchTest, AnimatedMinuteZeroFromTheSecondHalfPassesIntoTheNextHour) {
    setTime(7, 50);
    Watch->SetMinute(0);
    runAnimation();
    EXPECT_EQ(hm(), std::make_pair(8, 0));
    EXPECT_EQ(Changes, 1);
}

TEST_F(WatchTest, AnimationWaitsWhileSwitchedOff) {
    setTime(1, 0);
    Watch->SetHour(3);
    Watch->SetAnimation(false);
    Clock->Advance(5);
    EXPECT_EQ(hm().first, 1);
    EXPECT_TRUE(Watch->AnimationTimer()->Enabled());
    Watch->SetAnimation(true);
    runAnimation();
    EXPECT_EQ(hm().first, 3);
}

TEST_F(WatchTest, LiveClockFollowsTheClockWithItsOffset) {
    Clock->SetNow(EncodeDate(2024, 1, 1) + EncodeTime(11, 0, 0, 0));
    Watch->Settings()->SetTimeOffset(90);
    Watch->Settings()->SetAuto(true);
    EXPECT_TRUE(Watch->WatchTimer()->Enabled());
    EXPECT_DOUBLE_EQ(Watch->Time(), EncodeDate(2024, 1, 1) + EncodeTime(11, 0, 0, 0)) << "Time is Now, no offset";
    render();
    EXPECT_FALSE(Watch->AM()) << "11:00 + 90 minutes is in the PM half";
    Clock->SetNow(EncodeDate(2024, 1, 1) + EncodeTime(9, 0, 0, 0));
    Clock->Advance(99);
    EXPECT_FALSE(Watch->AM());
    Clock->Advance(1);
    EXPECT_TRUE(Watch->AM()) << "9:00 + 90 minutes, at the next 100 ms tick";
    Watch->Settings()->SetAuto(false);
    EXPECT_FALSE(Watch->WatchTimer()->Enabled());
}

TEST_F(WatchTest, SettingsAssignCopiesAutoThroughItsWriter) {
    TWatchSettings Source;
    Source.SetAuto(true);
    Source.SetTimeOffset(30);
    Source.SetSecond(false);
    int Fired = 0;
    TWatchSettings Target;
    Target.OnChange = [&](TObject*) { ++Fired; };
    Target.Assign(&Source);
    EXPECT_TRUE(Target.Auto());
    EXPECT_EQ(Target.TimeOffset(), 30);
    EXPECT_FALSE(Target.Second());
    EXPECT_EQ(Fired, 1);
}

// The roll takes one frame per pixel of the box's inner height, 10 ms each on the fake clock;
// a stored time or a box without fill switches the half without it.
TEST_F(WatchTest, TheAMPMBoxRolls) {
    setTime(5, 0);
    render();
    const TRect Box = Watch->GetAMPMRect();
    const int Frames = Box.Height() - 2;
    ASSERT_GT(Frames, 5);
    DWORD Before = GetTickCount();
    click(Box.Left + 2, Box.Top + 2);
    EXPECT_EQ(GetTickCount() - Before, DWORD(Frames * 10));
    EXPECT_FALSE(Watch->AM());
    EXPECT_EQ(hm().first, 17);

    Before = GetTickCount();
    setTime(4, 0);
    EXPECT_TRUE(Watch->AM());
    EXPECT_EQ(GetTickCount() - Before, 0u) << "a stored time does not roll";

    Watch->Appearance()->SetAMPMColor(clNone);
    render();
    Before = GetTickCount();
    click(Box.Left + 2, Box.Top + 2);
    EXPECT_FALSE(Watch->AM());
    EXPECT_EQ(GetTickCount() - Before, 0u);
}

}  // namespace

namespace {

TEST_F(WatchTest, HandCursorOverTheAMPMBox) {
    const TRect Box = Watch->GetAMPMRect();
    auto cursorAt = [this](int X, int Y) {
        Mouse->SetCursorPos(Watch->ClientToScreen(Point(X, Y)));
        Watch->Perform(WM_SETCURSOR, 0, MAKELONG(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(Box.Left + 2, Box.Top + 2), StockCursor(crHandPoint));
    EXPECT_EQ(cursorAt(90, 40), StockCursor(crDefault));
    Mouse->ResetCursorPos();
}

}  // namespace
