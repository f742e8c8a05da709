// The program's time source: tick counts, the local date and time, sleeping and timers.
// Everything that waits or asks for the time goes through here, so a test can install a
// FakeClock and move time by hand instead of waiting.
#pragma once

#include "framework/rtl/Types.h"

#include <functional>

// Milliseconds since the system started; the 32-bit count wraps after about 49.7 days.
DWORD GetTickCount();
UInt64 GetTickCount64();

// Local date and time as days since 30 Dec 1899; Date() is the whole day, Time() the fraction.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Waits Milliseconds. With a FakeClock installed, a Sleep on the window thread moves the fake
// time forward instead (without firing timers: they fire on the next Advance, as a sleeping
// thread dispatches nothing either); other threads still sleep for real.
void Sleep(DWORD Milliseconds);

// Repeating timers on the window thread, the base of TTimer, SetTimer and the caret blink.
// OnFire runs on the window thread every IntervalMs (at least 1 ms) until the timer is cancelled;
// the callback may cancel or reschedule any timer, its own included. Ids are never reused;
// cancelling an unknown or already cancelled id does nothing. Call these on the window thread
// (EThread otherwise). A timer scheduled while a FakeClock is installed belongs to that clock
// and is dropped with it.
int ScheduleClockTimer(unsigned IntervalMs, std::function<void()> OnFire);
void CancelClockTimer(int TimerId);
// Restarts the timer: it next fires IntervalMs from now.
void SetClockTimerInterval(int TimerId, unsigned IntervalMs);

// A clock for tests: installed while it exists (one at a time), it never moves by itself.
// Advance moves time forward and fires due timers in time order (timers due at the same moment
// in the order they were scheduled), each as often as it became due.
class FakeClock {
public:
    // 1 Jan 2024 12:00 local time.
    static constexpr TDateTime DefaultStart = 45292.5;

    explicit FakeClock(TDateTime StartNow = DefaultStart, UInt64 StartTicks = 1000000);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void Advance(UInt64 Milliseconds);
    // Sets the wall clock without moving the tick count or firing timers (a user changing the
    // system time).
    void SetNow(TDateTime Value);
    // Timers of this clock not yet cancelled.
    int TimerCount() const;
};
