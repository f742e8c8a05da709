#include "framework/ui/Timer.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/Threads.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

class TimerTest : public ::testing::Test {
protected:
    FakeClock Clock;
    TComponent Owner{nullptr};
    TTimer* Timer = new TTimer(&Owner);
    int Fired = 0;

    void SetUp() override {
        Timer->SetInterval(100);
        Timer->OnTimer = [this](TObject* Sender) {
            EXPECT_EQ(Sender, Timer);
            ++Fired;
        };
    }
};

}  // namespace

TEST_F(TimerTest, FiresOnEachIntervalOfTheFakeClock) {
    Clock.Advance(99);
    EXPECT_EQ(Fired, 0);
    Clock.Advance(1);
    EXPECT_EQ(Fired, 1);
    Clock.Advance(250);
    EXPECT_EQ(Fired, 3);
}

TEST_F(TimerTest, DefaultsAreEnabledAndOneSecond) {
    TTimer Fresh(nullptr);
    EXPECT_TRUE(Fresh.Enabled());
    EXPECT_EQ(Fresh.Interval(), 1000u);
    Clock.Advance(1000);  // no handler: a tick does nothing
    EXPECT_EQ(Clock.TimerCount(), 2);
}

// Each case runs the timer 60 ms into its 100 ms period, changes it, and counts the ticks in
// the next span.
TEST_F(TimerTest, ChangesKeepOrRestartThePhase) {
    struct Case {
        const char* Name;
        std::function<void(TTimer&)> Change;
        UInt64 Span;
        int Fires;
    };
    const Case Cases[] = {
        {"enabling a running timer keeps its phase", [](TTimer& T) { T.SetEnabled(true); }, 40, 1},
        {"the same interval keeps the phase", [](TTimer& T) { T.SetInterval(100); }, 40, 1},
        {"a new interval restarts the count", [](TTimer& T) { T.SetInterval(50); }, 49, 0},
        {"a new interval fires after its span", [](TTimer& T) { T.SetInterval(50); }, 50, 1},
        {"off and on again restarts",
         [](TTimer& T) {
             T.SetEnabled(false);
             T.SetEnabled(true);
         },
         99, 0},
        {"disabled stops", [](TTimer& T) { T.SetEnabled(false); }, 1000, 0},
        {"interval 0 stops", [](TTimer& T) { T.SetInterval(0); }, 1000, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Timer->SetEnabled(false);
        Timer->SetInterval(100);
        Timer->SetEnabled(true);
        Clock.Advance(60);
        Fired = 0;
        C.Change(*Timer);
        Clock.Advance(C.Span);
        EXPECT_EQ(Fired, C.Fires);
    }
    EXPECT_EQ(Clock.TimerCount(), 0);  // the last case left it stopped
    Timer->SetInterval(100);
    Clock.Advance(100);
    EXPECT_EQ(Fired, 1);
}

TEST_F(TimerTest, HandlerMayFreeTheTimer) {
    Timer->OnTimer = [this](TObject*) {
        ++Fired;
        FreeAndNil(Timer);
    };
    Clock.Advance(500);
    EXPECT_EQ(Fired, 1);
    EXPECT_EQ(Owner.ComponentCount(), 0);
    EXPECT_EQ(Clock.TimerCount(), 0);
}

TEST_F(TimerTest, FreeingTheOwnerStopsTheTimer) {
    {
        TComponent Form(nullptr);
        TTimer* Owned = new TTimer(&Form);
        Owned->OnTimer = [this](TObject*) { ++Fired; };
        Clock.Advance(50);
    }
    Clock.Advance(2000);
    EXPECT_EQ(Fired, 20);  // only the fixture's timer
}

TEST_F(TimerTest, AnExceptionInTheHandlerIsShownAndTheTimerGoesOn) {
    TExceptionHandler Saved = ApplicationHandleException;
    std::vector<TObject*> Senders;
    ApplicationHandleException = [&](TObject* Sender) { Senders.push_back(Sender); };
    Timer->OnTimer = [this](TObject*) {
        ++Fired;
        throw EConvertError("bad tick");
    };
    Clock.Advance(200);
    ApplicationHandleException = Saved;
    EXPECT_EQ(Fired, 2);
    EXPECT_EQ(Senders, (std::vector<TObject*>{Timer, Timer}));
}
