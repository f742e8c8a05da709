// Synchronisation objects: events that threads wait on, and critical sections.
#pragma once

#include "framework/rtl/Component.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

constexpr DWORD INFINITE = 0xFFFFFFFF;

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TSynchroObject : public TObject {
public:
    virtual void Acquire() {}
    virtual void Release() {}
};

// A manual-reset event stays signalled until ResetEvent and releases every waiter; an auto-reset
// event releases one waiter and resets itself. Events created with the same non-empty Name in
// this program share one state.
class TEvent : public TSynchroObject {
public:
    explicit TEvent(bool ManualReset = true, bool InitialState = false, const String& Name = String());
    ~TEvent() override;

    void SetEvent();
    void ResetEvent();
    // Timeout in milliseconds, INFINITE to wait for ever.
    TWaitResult WaitFor(DWORD Timeout = INFINITE);
    // Acquire waits for the event; Release signals it.
    void Acquire() override;
    void Release() override;

    // Waits until one (WaitAll = false) or all of Events are signalled; auto-reset events that
    // release the wait are reset, all at once when WaitAll. SignaledIndex receives the index of the
    // event that released the wait (the first one when WaitAll), or -1 on timeout.
    // EArgumentException for an empty list or a null event.
    static TWaitResult WaitForMultiple(const std::vector<TEvent*>& Events, bool WaitAll = false,
                                       DWORD Timeout = INFINITE, int* SignaledIndex = nullptr);

private:
    std::shared_ptr<struct TEventState> FState;
};

// A manual-reset event, initially not signalled.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

// A lock that the thread holding it may enter again (each Enter needs its Leave).
class TCriticalSection : public TSynchroObject {
public:
    void Acquire() override;
    void Release() override;
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    // Enters when no other thread holds the section; returns whether it did.
    bool TryEnter();

private:
    std::recursive_mutex FMutex;
    std::atomic<DWORD> FOwner{0};
    int FDepth = 0;
};
