#include "framework/rtl/Threads.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <vector>

TExceptionHandler ApplicationHandleException;

namespace {

// Taken when the program starts, on the thread that runs main and creates the application.
const TThreadID kMainThreadID = GetCurrentThreadId();

thread_local TThread* tCurrentThread = nullptr;

// Work handed to the window thread; Sync is set while a worker waits for the result.
struct SyncRequest {
    bool Done = false;
    std::exception_ptr Error;
};

struct PendingMethod {
    TThread* Thread;
    TThreadMethod Method;
    SyncRequest* Sync;
};

// One lock and one condition for the hand-over: the window thread waits on it for work or for a
// thread to finish, workers wait on it for their synchronized method.
std::mutex gSyncLock;
std::condition_variable gSyncChanged;
std::deque<PendingMethod> gPending;
std::atomic<bool> gWakePosted{false};

// Threads created with CreateSuspended = false, started at their creator's next safe point.
struct AutoStart {
    TThread* Thread;
    TThreadID Creator;
};
std::mutex gAutoStartLock;
std::vector<AutoStart> gAutoStart;

// Asks the application's event loop to run the pending work; one wake-up at a time is enough.
void postWake() {
    QCoreApplication* App = QCoreApplication::instance();
    if (!App || gWakePosted.exchange(true)) return;
    QMetaObject::invokeMethod(
        App,
        [] {
            gWakePosted = false;
            try {
                CheckSynchronize(0);
            } catch (...) {
                HandleDispatchedException();
            }
        },
        Qt::QueuedConnection);
}

void pushPending(PendingMethod Item) {
    {
        std::lock_guard<std::mutex> L(gSyncLock);
        gPending.push_back(std::move(Item));
    }
    gSyncChanged.notify_all();
    postWake();
}

int niceValue(TThreadPriority Priority) {
    static constexpr int kNice[] = {
        /* tpIdle */ 19,   /* tpLowest */ 10,   /* tpLower */ 5,          /* tpNormal */ 0,
        /* tpHigher */ -5, /* tpHighest */ -10, /* tpTimeCritical */ -15,
    };
    static_assert(std::size(kNice) == tpTimeCritical + 1);
    return kNice[Priority];
}

// Raising a thread above normal needs privileges; without them the call fails and the thread
// keeps its current priority, which is all the platform promises here.
void applyPriority(TThreadID Id, TThreadPriority Priority) {
    if (Id) (void)setpriority(PRIO_PROCESS, static_cast<id_t>(Id), niceValue(Priority));
}

}  // namespace

// Reaches the private parts of TThread from the thread's own entry point and the start list.
struct ThreadRunner {
    static void main(TThread* Self) {
        tCurrentThread = Self;
        {
            std::unique_lock<std::mutex> L(Self->FLock);
            Self->FThreadID = GetCurrentThreadId();
            Self->FChanged.notify_all();
            Self->FChanged.wait(L, [&] { return Self->FGate != TThread::Gate::Waiting; });
            if (Self->FGate == TThread::Gate::Cancel) return;
        }
        Self->run();
    }
};

void qvdStartPendingThreadsOfCaller() {
    const TThreadID Caller = GetCurrentThreadId();
    std::lock_guard<std::mutex> L(gAutoStartLock);
    if (gAutoStart.empty()) return;
    // Started under the lock, so a destructor running elsewhere cannot free one meanwhile.
    for (const AutoStart& A : gAutoStart)
        if (A.Creator == Caller) {
            A.Thread->FStartPending = false;
            A.Thread->startNow();
        }
    gAutoStart.erase(
        std::remove_if(gAutoStart.begin(), gAutoStart.end(), [&](const AutoStart& A) { return A.Creator == Caller; }),
        gAutoStart.end());
}

TThreadID GetCurrentThreadId() {
    thread_local const TThreadID Id = static_cast<TThreadID>(::gettid());
    return Id;
}

TThreadID MainThreadID() { return kMainThreadID; }

bool IsWindowThread() { return GetCurrentThreadId() == kMainThreadID; }

void HandleDispatchedException(TObject* Sender) {
    if (!std::current_exception()) return;
    try {
        if (ApplicationHandleException) {
            ApplicationHandleException(Sender);
            return;
        }
    } catch (...) {
        // The handler itself failed: fall back to standard error below.
    }
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& E) {
        std::fprintf(stderr, "Unhandled exception: %s\n", E.what());
    } catch (const std::exception& E) {
        std::fprintf(stderr, "Unhandled exception: %s\n", E.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception of unknown type\n");
    }
}

bool CheckSynchronize(int Timeout) {
    if (!IsWindowThread())
        throw EThread(QStringLiteral("CheckSynchronize called from a thread other than the window thread"));
    qvdStartPendingThreadsOfCaller();
    std::unique_lock<std::mutex> L(gSyncLock);
    if (gPending.empty() && Timeout > 0)
        gSyncChanged.wait_for(L, std::chrono::milliseconds(Timeout), [] { return !gPending.empty(); });
    // Only what is pending now: a method that queues more leaves it for the next turn of the loop.
    std::size_t Count = gPending.size();
    bool Ran = false;
    while (Count-- > 0 && !gPending.empty()) {
        PendingMethod Item = std::move(gPending.front());
        gPending.pop_front();
        L.unlock();
        std::exception_ptr Error;
        try {
            Item.Method();
        } catch (...) {
            if (Item.Sync)
                Error = std::current_exception();
            else
                HandleDispatchedException(Item.Thread);
        }
        Ran = true;
        L.lock();
        if (Item.Sync) {
            Item.Sync->Error = Error;
            Item.Sync->Done = true;
            gSyncChanged.notify_all();
        }
    }
    return Ran;
}

TThread::TThread(bool CreateSuspended) {
    FSuspended = CreateSuspended;
    FThread = std::thread(&ThreadRunner::main, this);
    {
        // ThreadID is known from the start, as for a thread created suspended by the system.
        std::unique_lock<std::mutex> L(FLock);
        FChanged.wait(L, [&] { return FThreadID != 0; });
    }
    if (!CreateSuspended) {
        // Execute must not run before the derived constructors are done: start at the creator's
        // next safe point.
        {
            std::lock_guard<std::mutex> L(gAutoStartLock);
            FStartPending = true;
            gAutoStart.push_back({this, GetCurrentThreadId()});
        }
        if (IsWindowThread()) postWake();
    }
}

TThread::~TThread() {
    BeforeDestruction();
    if (FThread.joinable()) {
        if (FThread.get_id() == std::this_thread::get_id())
            FThread.detach();
        else
            FThread.join();
    }
}

void TThread::BeforeDestruction() {
    takeOutOfAutoStart();
    if (tCurrentThread != this) {
        bool Started;
        {
            std::lock_guard<std::mutex> L(FLock);
            if (FGate == Gate::Waiting) FGate = Gate::Cancel;
            Started = FGate == Gate::Run;
        }
        FChanged.notify_all();
        if (Started && !FFinished) {
            Terminate();
            waitUntilFinished();
        }
    }
    RemoveQueuedEvents(this);
}

void TThread::SetPriority(TThreadPriority Value) {
    FPriority = Value;
    if (!FFinished) applyPriority(FThreadID, Value);
}

void TThread::Start() {
    takeOutOfAutoStart();
    if (!startNow()) throw EThread(QStringLiteral("Cannot call Start on a running or finished thread"));
    qvdStartPendingThreadsOfCaller();
}

bool TThread::takeOutOfAutoStart() {
    std::lock_guard<std::mutex> L(gAutoStartLock);
    if (!FStartPending) return false;
    FStartPending = false;
    gAutoStart.erase(
        std::remove_if(gAutoStart.begin(), gAutoStart.end(), [&](const AutoStart& A) { return A.Thread == this; }),
        gAutoStart.end());
    return true;
}

bool TThread::startNow() {
    {
        std::lock_guard<std::mutex> L(FLock);
        if (FGate != Gate::Waiting) return false;
        FGate = Gate::Run;
        FSuspended = false;
    }
    FChanged.notify_all();
    return true;
}

void TThread::Resume() { Start(); }

void TThread::Terminate() {
    FTerminated = true;
    TerminatedSet();
}

int TThread::WaitFor() {
    if (FFreeOnTerminate) throw EThread(QStringLiteral("Cannot call WaitFor on a thread with FreeOnTerminate"));
    if (tCurrentThread == this) throw EThread(QStringLiteral("A thread cannot wait for itself"));
    if (takeOutOfAutoStart()) startNow();
    qvdStartPendingThreadsOfCaller();
    {
        std::lock_guard<std::mutex> L(FLock);
        if (FGate != Gate::Run) throw EThread(QStringLiteral("Cannot call WaitFor on a thread that was never started"));
    }
    waitUntilFinished();
    return FReturnValue;
}

void TThread::waitUntilFinished() {
    if (IsWindowThread()) {
        // Keep running synchronized work, or a worker that synchronizes would wait for us forever.
        for (;;) {
            CheckSynchronize(0);
            std::unique_lock<std::mutex> L(gSyncLock);
            if (FFinished) return;
            gSyncChanged.wait(L, [&] { return FFinished || !gPending.empty(); });
            if (FFinished) return;
        }
    }
    std::unique_lock<std::mutex> L(gSyncLock);
    gSyncChanged.wait(L, [&] { return FFinished.load(); });
}

void TThread::run() {
    try {
        Execute();
    } catch (...) {
        keepFatalException();
    }
    try {
        qvdStartPendingThreadsOfCaller();
        DoTerminate();
    } catch (...) {
        if (!FFatalException) keepFatalException();
    }
    // Read before Finished is set: from then on a waiting thread may free this object.
    const bool FreeSelf = FFreeOnTerminate;
    {
        std::lock_guard<std::mutex> L(gSyncLock);
        FFinished = true;
    }
    gSyncChanged.notify_all();
    if (FreeSelf) Free();
}

void TThread::keepFatalException() {
    try {
        throw;
    } catch (const Exception&) {
        FFatalExceptionPtr = std::current_exception();
    } catch (const std::exception& E) {
        FFatalExceptionPtr = std::make_exception_ptr(Exception(QString::fromLocal8Bit(E.what())));
    } catch (...) {
        FFatalExceptionPtr = std::make_exception_ptr(Exception(QStringLiteral("Unknown exception in thread")));
    }
    // Rethrowing hands back the stored object itself, which lives as long as the pointer.
    try {
        std::rethrow_exception(FFatalExceptionPtr);
    } catch (const Exception& E) {
        FFatalException = &E;
    }
}

void TThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }

void TThread::Synchronize(TThread* Thread, const TThreadMethod& Method) {
    if (IsWindowThread()) {
        Method();
        return;
    }
    qvdStartPendingThreadsOfCaller();
    SyncRequest Request;
    pushPending({Thread, Method, &Request});
    std::unique_lock<std::mutex> L(gSyncLock);
    gSyncChanged.wait(L, [&] { return Request.Done; });
    if (Request.Error) std::rethrow_exception(Request.Error);
}

void TThread::Queue(const TThreadMethod& Method) { Queue(this, Method); }

void TThread::Queue(TThread* Thread, const TThreadMethod& Method) {
    qvdStartPendingThreadsOfCaller();
    pushPending({Thread, Method, nullptr});
}

void TThread::RemoveQueuedEvents(TThread* Thread) {
    std::lock_guard<std::mutex> L(gSyncLock);
    gPending.erase(std::remove_if(gPending.begin(), gPending.end(),
                                  [&](const PendingMethod& P) { return P.Thread == Thread && !P.Sync; }),
                   gPending.end());
}

TThread* TThread::CurrentThread() { return tCurrentThread; }
