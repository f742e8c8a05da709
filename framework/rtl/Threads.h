// Worker threads and the hand-over of work to the window thread (the thread that created the
// application object). Workers never touch a control: they pass work to the window thread with
// Synchronize (waits for it) or Queue (does not wait).
#pragma once

#include "framework/rtl/Clock.h"
#include "framework/rtl/Component.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using TThreadID = DWORD;
using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The system's id of the calling thread.
TThreadID GetCurrentThreadId();
// The id of the window thread.
TThreadID MainThreadID();
bool IsWindowThread();

// Runs the pending synchronized and queued methods on the window thread; waits up to Timeout ms
// for work to arrive when none is pending. Returns whether any method ran. The application's
// event loop calls it by itself whenever work is handed over. Raises EThread on another thread.
bool CheckSynchronize(int Timeout = 0);

// Called inside a catch block where an exception must stop (a queued method, a timer callback):
// the application sets this to show the exception; until then it is written to standard error.
using TExceptionHandler = std::function<void(TObject* Sender)>;
extern TExceptionHandler ApplicationHandleException;
// Passes the exception being handled to ApplicationHandleException; never throws.
void HandleDispatchedException(TObject* Sender = nullptr);

class TThread : public TObject {
public:
    // A thread created with CreateSuspended = false starts once its constructor chain is done:
    // when the creating thread next calls Start, WaitFor, Synchronize, Queue, Sleep or
    // CheckSynchronize, when the creating TThread's Execute returns, or (created on the window
    // thread) at the next turn of the event loop.
    explicit TThread(bool CreateSuspended);
    // A running thread that is not FreeOnTerminate is terminated and waited for. Free() waits while
    // the derived object is still whole; a derived destructor that frees what Execute uses calls
    // BeforeDestruction() first so that delete is safe as well.
    ~TThread() override;
    void BeforeDestruction() override;

    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    TThreadPriority Priority() const { return FPriority; }
    // Applied as far as the system allows without privileges (lower priorities always); never fails.
    void SetPriority(TThreadPriority Value);
    bool Suspended() const { return FSuspended; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    TThreadID ThreadID() const { return FThreadID; }
    int ReturnValue() const { return FReturnValue; }
    // The exception that escaped Execute, kept here instead of ending the program; nullptr if none.
    // Exceptions that are not an Exception are kept as one with their message.
    const Exception* FatalException() const { return FFatalException; }

    // Runs on the window thread after Execute, through Synchronize.
    TNotifyEvent OnTerminate;

    // Starts a suspended thread; EThread when it is running or finished. Resume does the same.
    void Start();
    void Resume();
    // Only sets Terminated; Execute is expected to check it.
    void Terminate();
    // Waits for the thread to end and returns ReturnValue. On the window thread it keeps running
    // synchronized work meanwhile. EThread for a FreeOnTerminate or never started thread.
    int WaitFor();

    // Runs Method on the window thread and waits for it; on the window thread it runs at once.
    // An exception raised by Method is raised again in the calling thread.
    void Synchronize(const TThreadMethod& Method);
    static void Synchronize(TThread* Thread, const TThreadMethod& Method);
    // Runs Method later on the window thread without waiting (also when called there: after the
    // current handler). Exceptions go to ApplicationHandleException.
    void Queue(const TThreadMethod& Method);
    static void Queue(TThread* Thread, const TThreadMethod& Method);
    // Drops the queued methods that Thread queued and that have not run yet.
    static void RemoveQueuedEvents(TThread* Thread);

    // The TThread running the calling code; nullptr on the window thread and foreign threads.
    static TThread* CurrentThread();

protected:
    virtual void Execute() = 0;
    // Runs OnTerminate through Synchronize.
    virtual void DoTerminate();
    // Called by Terminate, on the thread that called it: a place to wake a waiting Execute.
    virtual void TerminatedSet() {}
    void SetReturnValue(int Value) { FReturnValue = Value; }

private:
    friend struct ThreadRunner;
    // Starts the threads created with CreateSuspended = false by the calling thread.
    friend void qvdStartPendingThreadsOfCaller();
    void run();
    bool startNow();
    bool takeOutOfAutoStart();
    void waitUntilFinished();
    void keepFatalException();

    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<TThreadPriority> FPriority{tpNormal};
    std::atomic<bool> FSuspended{true};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<TThreadID> FThreadID{0};
    std::atomic<int> FReturnValue{0};
    std::exception_ptr FFatalExceptionPtr;
    const Exception* FFatalException = nullptr;

    enum class Gate { Waiting, Run, Cancel };
    std::mutex FLock;
    std::condition_variable FChanged;
    Gate FGate = Gate::Waiting;
    bool FStartPending = false;
    std::thread FThread;
};
