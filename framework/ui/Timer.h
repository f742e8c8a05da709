// TTimer: calls OnTimer on the window thread every Interval milliseconds while enabled.
#pragma once

#include "framework/rtl/Component.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    // Default true. Enabling a running timer keeps its phase; disabling stops it.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds, default 1000; 0 stops the timer. A new value restarts the count.
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    // The timer counts while Enabled and Interval > 0; a tick with no handler does nothing.
    // The handler may free the timer.
    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    bool FEnabled = true;
    Cardinal FInterval = 1000;
    int FTimerId = 0;  // the clock timer while counting, else 0

    void restartTimer();
    void stopTimer() noexcept;
    void tick();
};
