#include "framework/rtl/SyncObjs.h"

#include "framework/rtl/Threads.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <optional>

struct TEventState {
    bool ManualReset;
    bool Signaled;
    String Name;
};

namespace {

// Every event shares one lock and one condition, so a thread can wait on several events at once.
// Setting an event wakes all waiters; each checks its own events again.
std::mutex gEventLock;
std::condition_variable gEventChanged;
std::map<String, std::weak_ptr<TEventState>> gNamedEvents;

using Deadline = std::optional<std::chrono::steady_clock::time_point>;

Deadline deadlineAfter(DWORD Timeout) {
    if (Timeout == INFINITE) return std::nullopt;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeout);
}

// Waits on the shared condition until Ready() holds or the deadline passes; Ready runs under the lock.
template <class Pred>
bool waitUntil(std::unique_lock<std::mutex>& L, const Deadline& Until, Pred Ready) {
    if (!Until) {
        gEventChanged.wait(L, Ready);
        return true;
    }
    return gEventChanged.wait_until(L, *Until, Ready);
}

}  // namespace

TEvent::TEvent(bool ManualReset, bool InitialState, const String& Name) {
    std::lock_guard<std::mutex> L(gEventLock);
    if (!Name.isEmpty()) {
        auto It = gNamedEvents.find(Name);
        if (It != gNamedEvents.end()) FState = It->second.lock();
    }
    if (!FState) {
        FState = std::make_shared<TEventState>(TEventState{ManualReset, InitialState, Name});
        if (!Name.isEmpty()) gNamedEvents[Name] = FState;
    }
}

TEvent::~TEvent() {
    std::lock_guard<std::mutex> L(gEventLock);
    if (!FState->Name.isEmpty() && FState.use_count() == 1) gNamedEvents.erase(FState->Name);
    FState.reset();
}

void TEvent::SetEvent() {
    {
        std::lock_guard<std::mutex> L(gEventLock);
        FState->Signaled = true;
    }
    gEventChanged.notify_all();
}

void TEvent::ResetEvent() {
    std::lock_guard<std::mutex> L(gEventLock);
    FState->Signaled = false;
}

TWaitResult TEvent::WaitFor(DWORD Timeout) {
    int Index = -1;
    return WaitForMultiple({this}, false, Timeout, &Index);
}

void TEvent::Acquire() { WaitFor(INFINITE); }

void TEvent::Release() { SetEvent(); }

TWaitResult TEvent::WaitForMultiple(const std::vector<TEvent*>& Events, bool WaitAll, DWORD Timeout,
                                    int* SignaledIndex) {
    if (SignaledIndex) *SignaledIndex = -1;
    if (Events.empty()) throw EArgumentException(QStringLiteral("WaitForMultiple needs at least one event"));
    for (TEvent* E : Events)
        if (!E) throw EArgumentException(QStringLiteral("WaitForMultiple was given a null event"));

    int Found = -1;
    auto Ready = [&] {
        if (WaitAll) {
            for (TEvent* E : Events)
                if (!E->FState->Signaled) return false;
            Found = 0;
            return true;
        }
        for (std::size_t I = 0; I < Events.size(); ++I)
            if (Events[I]->FState->Signaled) {
                Found = static_cast<int>(I);
                return true;
            }
        return false;
    };

    std::unique_lock<std::mutex> L(gEventLock);
    if (!waitUntil(L, deadlineAfter(Timeout), Ready)) return wrTimeout;
    // Still under the lock: the auto-reset events that released this wait are consumed together,
    // so no other waiter can take one of them in between.
    if (WaitAll) {
        for (TEvent* E : Events)
            if (!E->FState->ManualReset) E->FState->Signaled = false;
    } else if (!Events[Found]->FState->ManualReset) {
        Events[Found]->FState->Signaled = false;
    }
    if (SignaledIndex) *SignaledIndex = Found;
    return wrSignaled;
}

void TCriticalSection::Acquire() {
    FMutex.lock();
    FOwner = GetCurrentThreadId();
    ++FDepth;
}

void TCriticalSection::Release() {
    if (FOwner != GetCurrentThreadId())
        throw EInvalidOperation(QStringLiteral("Critical section released by a thread that does not hold it"));
    if (--FDepth == 0) FOwner = 0;
    FMutex.unlock();
}

bool TCriticalSection::TryEnter() {
    if (!FMutex.try_lock()) return false;
    FOwner = GetCurrentThreadId();
    ++FDepth;
    return true;
}
