#include "framework/rtl/Clock.h"
#include "framework/rtl/Threads.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDateTime>

#include <chrono>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double kMsPerDay = 86400000.0;

// Records which timer fired at which tick.
struct FireLog {
    std::vector<std::pair<UInt64, char>> Fired;
    std::function<void()> Recorder(char Name) {
        return [this, Name] { Fired.emplace_back(GetTickCount64(), Name); };
    }
};

using Firings = std::vector<std::pair<UInt64, char>>;

TEST(Clock, FakeClockFiresDueTimersInTimeOrderAsOftenAsDue) {
    FakeClock Clock(FakeClock::DefaultStart, 1000);
    FireLog Log;
    ScheduleClockTimer(30, Log.Recorder('A'));
    ScheduleClockTimer(50, Log.Recorder('B'));
    Clock.Advance(29);
    EXPECT_TRUE(Log.Fired.empty());
    Clock.Advance(121);
    // At 1150 both are due: the one scheduled first fires first.
    EXPECT_EQ(
        Log.Fired,
        (Firings{
            {1030, 'A'}, {1050, 'B'}, {1060, 'A'}, {1090, 'A'}, {1100, 'B'}, {1120, 'A'}, {1150, 'A'}, {1150, 'B'}}));
    EXPECT_EQ(GetTickCount64(), 1150u);
    EXPECT_EQ(GetTickCount(), 1150u);
}

TEST(Clock, CallbacksMayCancelRescheduleAndAddTimers) {
    FakeClock Clock(FakeClock::DefaultStart, 0);
    FireLog Log;
    int SelfCancelling = 0;
    int Fired = 0;
    SelfCancelling = ScheduleClockTimer(10, [&] {
        Log.Fired.emplace_back(GetTickCount64(), 'S');
        CancelClockTimer(SelfCancelling);
        CancelClockTimer(SelfCancelling);  // twice is harmless
    });
    const int Slow = ScheduleClockTimer(100, Log.Recorder('X'));
    ScheduleClockTimer(25, [&] {
        if (++Fired == 1) {
            SetClockTimerInterval(Slow, 15);  // restarts from now: next at 40
            ScheduleClockTimer(20, Log.Recorder('N'));
        }
    });
    EXPECT_EQ(Clock.TimerCount(), 3);
    Clock.Advance(60);
    EXPECT_EQ(Log.Fired, (Firings{{10, 'S'}, {40, 'X'}, {45, 'N'}, {55, 'X'}}));
    EXPECT_EQ(Clock.TimerCount(), 3);
    CancelClockTimer(12345);  // unknown ids are ignored
}

TEST(Clock, TickCountWrapsAndNowFollowsTheFakeClock) {
    const UInt64 Start = 0xFFFFFFFFull - 5;
    FakeClock Clock(FakeClock::DefaultStart, Start);
    EXPECT_EQ(Now(), FakeClock::DefaultStart);
    EXPECT_EQ(Date(), 45292.0);
    EXPECT_DOUBLE_EQ(Time(), 0.5);
    Clock.Advance(10);
    EXPECT_EQ(GetTickCount(), 4u);
    EXPECT_EQ(GetTickCount64(), 0x100000004ull);
    // Unsigned subtraction of two 32-bit counts survives the wrap.
    EXPECT_EQ(GetTickCount() - static_cast<DWORD>(Start), 10u);
    Clock.Advance(12 * 3600 * 1000);
    EXPECT_DOUBLE_EQ(Now(), FakeClock::DefaultStart + 0.5 + 10 / kMsPerDay);
    EXPECT_EQ(Date(), 45293.0);
    Clock.SetNow(45300.25);
    EXPECT_EQ(GetTickCount(), 4u + 12 * 3600 * 1000);
    Clock.Advance(1000);
    EXPECT_DOUBLE_EQ(Now(), 45300.25 + 1000 / kMsPerDay);
}

TEST(Clock, SleepOnTheWindowThreadMovesFakeTimeWithoutFiring) {
    FakeClock Clock(FakeClock::DefaultStart, 0);
    FireLog Log;
    ScheduleClockTimer(30, Log.Recorder('A'));
    Sleep(100);
    EXPECT_EQ(GetTickCount64(), 100u);
    EXPECT_TRUE(Log.Fired.empty());
    // The overdue firings happen on the next Advance, at the current time.
    Clock.Advance(0);
    EXPECT_EQ(Log.Fired, (Firings{{100, 'A'}, {100, 'A'}, {100, 'A'}}));
    Clock.Advance(20);
    EXPECT_EQ(Log.Fired.size(), 4u);
    EXPECT_EQ(Log.Fired.back().first, 120u);
}

TEST(Clock, OnlyOneFakeClockAndItsTimersGoWithIt) {
    auto Clock = std::make_unique<FakeClock>();
    EXPECT_THROW(FakeClock Second, EInvalidOperation);
    int Fired = 0;
    const int Id = ScheduleClockTimer(10, [&] { ++Fired; });
    Clock.reset();
    CancelClockTimer(Id);  // already gone with its clock
    FakeClock Next;
    EXPECT_EQ(Next.TimerCount(), 0);
    Next.Advance(100);
    EXPECT_EQ(Fired, 0);
}

TEST(Clock, ExceptionInATimerGoesToTheApplicationHandler) {
    FakeClock Clock;
    std::vector<String> Shown;
    const TExceptionHandler Previous = ApplicationHandleException;
    ApplicationHandleException = [&](TObject*) {
        try {
            throw;
        } catch (const Exception& E) {
            Shown.push_back(E.Message());
        }
    };
    int Good = 0;
    ScheduleClockTimer(10, [] { throw EConvertError("bad tick"); });
    ScheduleClockTimer(10, [&] { ++Good; });
    Clock.Advance(20);
    ApplicationHandleException = Previous;
    EXPECT_EQ(Shown, (std::vector<String>{"bad tick", "bad tick"}));
    EXPECT_EQ(Good, 2);
}

TEST(Clock, TimersBelongToTheWindowThread) {
    String Message;
    std::thread Worker([&] {
        try {
            ScheduleClockTimer(10, [] {});
        } catch (const EThread& E) {
            Message = E.Message();
        }
    });
    Worker.join();
    EXPECT_EQ(Message, "Clock timers can only be used on the window thread");
    EXPECT_THROW(ScheduleClockTimer(10, nullptr), EArgumentException);
}

TEST(Clock, RealTimersFireFromTheEventLoop) {
    std::vector<int> Fired;
    int Repeating = 0;
    Repeating = ScheduleClockTimer(1, [&] {
        Fired.push_back(1);
        if (Fired.size() == 3) CancelClockTimer(Repeating);
    });
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Fired.size() < 3 && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(Fired.size(), 3u);
    QCoreApplication::processEvents();
    EXPECT_EQ(Fired.size(), 3u);  // cancelled from its own callback
}

TEST(Clock, RealNowIsLocalTimeInDays) {
    const QDateTime Before = QDateTime::currentDateTime();
    const TDateTime Value = Now();
    const double Expected =
        QDate(1899, 12, 30).daysTo(Before.date()) + Before.time().msecsSinceStartOfDay() / kMsPerDay;
    EXPECT_NEAR(Value, Expected, 60000 / kMsPerDay);
    EXPECT_EQ(Date(), std::floor(Date()));
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
    const UInt64 First = GetTickCount64();
    EXPECT_GE(GetTickCount64(), First);
}

}  // namespace
