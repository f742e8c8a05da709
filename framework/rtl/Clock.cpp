#include "framework/rtl/Clock.h"

#include "framework/rtl/Threads.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTimerEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Defined in Threads.cpp: a sleeping thread is a point where threads it created may start.
void qvdStartPendingThreadsOfCaller();

namespace {

constexpr double kMsPerDay = 86400000.0;

using FireFn = std::shared_ptr<std::function<void()>>;

struct FakeTimer {
    int Id;
    unsigned Interval;
    UInt64 Due;
    FireFn OnFire;
};

struct FakeState {
    UInt64 Ticks = 0;
    UInt64 NowTicks = 0;  // the tick count at which NowBase was true
    TDateTime NowBase = 0;
    std::vector<FakeTimer> Timers;  // in scheduling order, which breaks ties between equal due times
};

// Guards the fake state; the timer tables themselves are touched only on the window thread.
std::mutex gFakeLock;
std::unique_ptr<FakeState> gFake;
int gLastTimerId = 0;

// Real timers: one QObject on the window thread dispatches every Qt timer event.
class TimerDispatcher : public QObject {
public:
    struct Entry {
        int QtId;
        FireFn OnFire;
    };
    std::map<int, Entry> Timers;  // by our id

    int startQtTimer(unsigned Interval) { return startTimer(std::chrono::milliseconds(Interval), Qt::PreciseTimer); }

protected:
    void timerEvent(QTimerEvent* Event) override {
        for (auto& [Id, E] : Timers) {
            if (E.QtId != Event->timerId()) continue;
            FireFn Fn = E.OnFire;  // the callback may cancel this timer
            try {
                (*Fn)();
            } catch (...) {
                HandleDispatchedException();
            }
            return;
        }
    }
};

TimerDispatcher* dispatcher() {
    static TimerDispatcher* Instance = new TimerDispatcher;
    return Instance;
}

void requireWindowThread() {
    if (!IsWindowThread()) throw EThread(QStringLiteral("Clock timers can only be used on the window thread"));
}

unsigned normalInterval(unsigned IntervalMs) { return std::max(IntervalMs, 1u); }

FakeTimer* findFakeTimer(int TimerId) {
    if (!gFake) return nullptr;
    for (auto& T : gFake->Timers)
        if (T.Id == TimerId) return &T;
    return nullptr;
}

UInt64 realTickCount64() {
    using namespace std::chrono;
    return static_cast<UInt64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TDateTime realNow() {
    const QDateTime Current = QDateTime::currentDateTime();
    const qint64 Days = QDate(1899, 12, 30).daysTo(Current.date());
    return static_cast<double>(Days) + Current.time().msecsSinceStartOfDay() / kMsPerDay;
}

}  // namespace

UInt64 GetTickCount64() {
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (gFake) return gFake->Ticks;
    }
    return realTickCount64();
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

TDateTime Now() {
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (gFake) return gFake->NowBase + static_cast<double>(gFake->Ticks - gFake->NowTicks) / kMsPerDay;
    }
    return realNow();
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() {
    const TDateTime Value = Now();
    return Value - std::floor(Value);
}

void Sleep(DWORD Milliseconds) {
    qvdStartPendingThreadsOfCaller();
    if (IsWindowThread()) {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (gFake) {
            gFake->Ticks += Milliseconds;
            return;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

int ScheduleClockTimer(unsigned IntervalMs, std::function<void()> OnFire) {
    requireWindowThread();
    if (!OnFire) throw EArgumentException(QStringLiteral("A clock timer needs a callback"));
    const unsigned Interval = normalInterval(IntervalMs);
    auto Fn = std::make_shared<std::function<void()>>(std::move(OnFire));
    const int Id = ++gLastTimerId;
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (gFake) {
            gFake->Timers.push_back({Id, Interval, gFake->Ticks + Interval, std::move(Fn)});
            return Id;
        }
    }
    TimerDispatcher* D = dispatcher();
    D->Timers[Id] = {D->startQtTimer(Interval), std::move(Fn)};
    return Id;
}

void CancelClockTimer(int TimerId) {
    requireWindowThread();
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (gFake) {
            auto& Timers = gFake->Timers;
            Timers.erase(
                std::remove_if(Timers.begin(), Timers.end(), [&](const FakeTimer& T) { return T.Id == TimerId; }),
                Timers.end());
        }
    }
    TimerDispatcher* D = dispatcher();
    const auto It = D->Timers.find(TimerId);
    if (It == D->Timers.end()) return;
    D->killTimer(It->second.QtId);
    D->Timers.erase(It);
}

void SetClockTimerInterval(int TimerId, unsigned IntervalMs) {
    requireWindowThread();
    const unsigned Interval = normalInterval(IntervalMs);
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        if (FakeTimer* T = findFakeTimer(TimerId)) {
            T->Interval = Interval;
            T->Due = gFake->Ticks + Interval;
            return;
        }
    }
    TimerDispatcher* D = dispatcher();
    const auto It = D->Timers.find(TimerId);
    if (It == D->Timers.end()) return;
    D->killTimer(It->second.QtId);
    It->second.QtId = D->startQtTimer(Interval);
}

FakeClock::FakeClock(TDateTime StartNow, UInt64 StartTicks) {
    std::lock_guard<std::mutex> L(gFakeLock);
    if (gFake) throw EInvalidOperation(QStringLiteral("A FakeClock is already installed"));
    gFake = std::make_unique<FakeState>();
    gFake->Ticks = StartTicks;
    gFake->NowTicks = StartTicks;
    gFake->NowBase = StartNow;
}

FakeClock::~FakeClock() {
    std::lock_guard<std::mutex> L(gFakeLock);
    gFake.reset();
}

void FakeClock::Advance(UInt64 Milliseconds) {
    requireWindowThread();
    UInt64 Target;
    {
        std::lock_guard<std::mutex> L(gFakeLock);
        Target = gFake->Ticks + Milliseconds;
    }
    for (;;) {
        FireFn Fn;
        {
            std::lock_guard<std::mutex> L(gFakeLock);
            if (!gFake) return;  // a callback freed the clock
            FakeTimer* Next = nullptr;
            for (auto& T : gFake->Timers)
                if (T.Due <= Target && (!Next || T.Due < Next->Due)) Next = &T;
            if (!Next) {
                gFake->Ticks = std::max(gFake->Ticks, Target);
                return;
            }
            // An overdue timer (time moved by Sleep) fires now; time never goes back.
            gFake->Ticks = std::max(gFake->Ticks, Next->Due);
            Next->Due += Next->Interval;
            Fn = Next->OnFire;
        }
        try {
            (*Fn)();
        } catch (...) {
            HandleDispatchedException();
        }
    }
}

void FakeClock::SetNow(TDateTime Value) {
    std::lock_guard<std::mutex> L(gFakeLock);
    gFake->NowBase = Value;
    gFake->NowTicks = gFake->Ticks;
}

int FakeClock::TimerCount() const {
    std::lock_guard<std::mutex> L(gFakeLock);
    return static_cast<int>(gFake->Timers.size());
}
