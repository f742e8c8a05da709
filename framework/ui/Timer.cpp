#include "framework/ui/Timer.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/Threads.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { restartTimer(); }

TTimer::~TTimer() { stopTimer(); }

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    restartTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    restartTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::restartTimer() {
    stopTimer();
    if (FEnabled && FInterval > 0) FTimerId = ScheduleClockTimer(FInterval, [this] { tick(); });
}

void TTimer::stopTimer() noexcept {
    if (FTimerId == 0) return;
    const int Id = FTimerId;
    FTimerId = 0;
    try {
        CancelClockTimer(Id);
    } catch (...) {
        // Freed off the window thread: the clock refuses, and a destructor must not throw.
        HandleDispatchedException(nullptr);
    }
}

// An exception from the handler stops here, shown by the application, so the timer goes on.
void TTimer::tick() {
    TWeak<TTimer> Self(this);
    try {
        Timer();
    } catch (...) {
        HandleDispatchedException(Self.get());
    }
}
