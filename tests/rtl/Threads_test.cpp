#include "framework/rtl/Threads.h"
#include "framework/rtl/SyncObjs.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <sys/resource.h>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace {

// A thread whose Execute is given by the test.
class TTestThread : public TThread {
public:
    using Body = std::function<void(TTestThread&)>;
    TTestThread(bool CreateSuspended, Body AExecute, std::atomic<int>* Destroyed = nullptr)
        : TThread(CreateSuspended), FBody(std::move(AExecute)), FDestroyed(Destroyed) {}
    ~TTestThread() override {
        BeforeDestruction();
        if (FDestroyed) ++*FDestroyed;
    }
    void SetResult(int Value) { SetReturnValue(Value); }

protected:
    void Execute() override { FBody(*this); }

private:
    Body FBody;
    std::atomic<int>* FDestroyed;
};

// Pumps the window thread's Qt event loop until Done holds; the limit only stops a broken test.
template <class Pred>
bool pumpEventsUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > Limit) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

TEST(Threads, SynchronizeAndQueueRunOnTheWindowThreadFromTheEventLoop) {
    std::atomic<TThreadID> SyncRanOn{0}, QueueRanOn{0}, WorkerId{0};
    std::atomic<bool> SyncReturned{false};
    auto* T = new TTestThread(true, [&](TTestThread& Self) {
        WorkerId = GetCurrentThreadId();
        Self.Synchronize([&] { SyncRanOn = GetCurrentThreadId(); });
        SyncReturned = SyncRanOn != 0;  // Synchronize waited for the method
        TThread::Queue(nullptr, [&] { QueueRanOn = GetCurrentThreadId(); });
    });
    T->Start();
    // Only the Qt event loop runs here: the hand-over must reach it by itself.
    ASSERT_TRUE(pumpEventsUntil([&] { return T->Finished() && QueueRanOn != 0; }));
    EXPECT_EQ(T->WaitFor(), 0);
    EXPECT_TRUE(SyncReturned);
    EXPECT_EQ(SyncRanOn, MainThreadID());
    EXPECT_EQ(QueueRanOn, MainThreadID());
    EXPECT_EQ(WorkerId, T->ThreadID());
    EXPECT_NE(T->ThreadID(), MainThreadID());
    T->Free();
}

TEST(Threads, QueueFromTheWindowThreadRunsLaterAndInOrder) {
    std::vector<int> Ran;
    TThread::Queue(nullptr, [&] { Ran.push_back(1); });
    TThread::Queue(nullptr, [&] {
        Ran.push_back(2);
        TThread::Queue(nullptr, [&] { Ran.push_back(4); });  // after the current turn
    });
    TThread::Queue(nullptr, [&] { Ran.push_back(3); });
    EXPECT_TRUE(Ran.empty());
    TThread::Synchronize(nullptr, [&] { Ran.push_back(0); });  // at once on the window thread
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(Ran, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(Ran, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(CheckSynchronize());
}

TEST(Threads, WaitForKeepsSynchronizedWorkRunningAndReturnsReturnValue) {
    std::atomic<int> Steps{0};
    std::atomic<TThreadID> OnTerminateRanOn{0};
    auto* T = new TTestThread(true, [&](TTestThread& Self) {
        for (int I = 0; I < 5; ++I) Self.Synchronize([&] { ++Steps; });
        Self.SetResult(42);
    });
    T->OnTerminate = [&](TObject* Sender) {
        EXPECT_EQ(Sender, T);
        OnTerminateRanOn = GetCurrentThreadId();
    };
    T->Start();
    EXPECT_EQ(T->WaitFor(), 42);
    EXPECT_EQ(Steps, 5);
    EXPECT_EQ(OnTerminateRanOn, MainThreadID());
    EXPECT_EQ(T->ReturnValue(), 42);
    EXPECT_TRUE(T->Finished());
    EXPECT_EQ(T->FatalException(), nullptr);
    T->Free();
}

TEST(Threads, ExecuteSeesTerminateAndFreeStopsARunningThread) {
    TSimpleEvent Running;
    std::atomic<int> Destroyed{0};
    std::atomic<int> Loops{0};
    auto* T = new TTestThread(
        false,
        [&](TTestThread& Self) {
            Running.SetEvent();
            while (!Self.Terminated()) {
                ++Loops;
                std::this_thread::yield();
            }
            Self.SetResult(7);
        },
        &Destroyed);
    EXPECT_FALSE(T->Suspended());
    ASSERT_TRUE(pumpEventsUntil([&] { return Running.WaitFor(0) == wrSignaled; }));
    EXPECT_FALSE(T->Terminated());
    T->Terminate();
    EXPECT_TRUE(T->Terminated());
    EXPECT_EQ(T->WaitFor(), 7);

    // Freeing a running thread terminates it and waits for Execute to return.
    auto* Endless = new TTestThread(
        true,
        [&](TTestThread& Self) {
            while (!Self.Terminated()) std::this_thread::yield();
        },
        &Destroyed);
    Endless->Start();
    Endless->Free();
    T->Free();
    EXPECT_EQ(Destroyed, 2);
}

TEST(Threads, FreeOnTerminateThreadFreesItselfAfterOnTerminate) {
    std::atomic<int> Destroyed{0};
    std::vector<String> Order;
    auto* T = new TTestThread(
        true, [&](TTestThread& Self) { Self.Queue([&] { Order.push_back("queued"); }); }, &Destroyed);
    T->SetFreeOnTerminate(true);
    T->OnTerminate = [&](TObject*) { Order.push_back("terminate"); };
    try {
        T->WaitFor();
        ADD_FAILURE() << "WaitFor on a FreeOnTerminate thread must raise";
    } catch (const EThread& E) {
        EXPECT_EQ(E.Message(), "Cannot call WaitFor on a thread with FreeOnTerminate");
    }
    T->Start();
    ASSERT_TRUE(pumpEventsUntil([&] { return Destroyed == 1; }));
    EXPECT_EQ(Order, (std::vector<String>{"queued", "terminate"}));
}

TEST(Threads, ExceptionEscapingExecuteIsKeptNotPropagated) {
    struct Case {
        const char* Name;
        std::function<void()> Raise;
        const char* Message;
        bool IsConvertError;
    };
    const Case Cases[] = {
        {"framework exception", [] { throw EConvertError("'x' is not a valid integer value"); },
         "'x' is not a valid integer value", true},
        {"standard exception", [] { throw std::runtime_error("disk full"); }, "disk full", false},
        {"anything else", [] { throw 3; }, "Unknown exception in thread", false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* T = new TTestThread(true, [&](TTestThread& Self) {
            Self.SetResult(5);
            C.Raise();
        });
        T->Start();
        EXPECT_EQ(T->WaitFor(), 5);
        ASSERT_NE(T->FatalException(), nullptr);
        EXPECT_EQ(T->FatalException()->Message(), C.Message);
        EXPECT_EQ(dynamic_cast<const EConvertError*>(T->FatalException()) != nullptr, C.IsConvertError);
        T->Free();
    }
}

TEST(Threads, ExceptionInSynchronizedMethodReachesTheWorker) {
    String Caught;
    auto* T = new TTestThread(true, [&](TTestThread& Self) {
        try {
            Self.Synchronize([] { throw EInvalidOperation("no parent window"); });
        } catch (const EInvalidOperation& E) {
            Caught = E.Message();
        }
    });
    T->Start();
    T->WaitFor();
    EXPECT_EQ(Caught, "no parent window");
    EXPECT_EQ(T->FatalException(), nullptr);
    T->Free();
}

TEST(Threads, SuspendedCreationStartAndMisuse) {
    std::atomic<bool> Ran{false};
    auto* T = new TTestThread(true, [&](TTestThread&) { Ran = true; });
    EXPECT_TRUE(T->Suspended());
    EXPECT_NE(T->ThreadID(), 0u);
    EXPECT_NE(T->ThreadID(), MainThreadID());
    EXPECT_THROW(T->WaitFor(), EThread);  // never started: it would wait for ever
    CheckSynchronize();
    EXPECT_FALSE(Ran);
    T->Resume();
    EXPECT_FALSE(T->Suspended());
    EXPECT_THROW(T->Start(), EThread);
    T->WaitFor();
    EXPECT_TRUE(Ran);
    EXPECT_THROW(T->Start(), EThread);
    T->Free();

    // A thread never started is freed without running Execute.
    auto* Never = new TTestThread(true, [&](TTestThread&) { ADD_FAILURE() << "Execute ran"; });
    Never->Free();
}

// Execute reads a field the derived constructor sets after the base constructor returned.
class TLateField : public TThread {
public:
    explicit TLateField(int Value) : TThread(false) { FValue = Value; }
    int Seen = 0;

protected:
    void Execute() override { Seen = FValue; }

private:
    int FValue = 0;
};

TEST(Threads, NotSuspendedThreadStartsOnlyAfterItsConstructors) {
    auto* ByWaitFor = new TLateField(11);
    EXPECT_EQ(ByWaitFor->WaitFor(), 0);
    EXPECT_EQ(ByWaitFor->Seen, 11);
    ByWaitFor->Free();

    auto* ByEventLoop = new TLateField(12);
    ASSERT_TRUE(pumpEventsUntil([&] { return ByEventLoop->Finished(); }));
    EXPECT_EQ(ByEventLoop->Seen, 12);
    ByEventLoop->Free();

    // Created by a worker: starts when that worker reaches its next safe point (here its end).
    TLateField* Inner = nullptr;
    auto* Outer = new TTestThread(true, [&](TTestThread&) { Inner = new TLateField(13); });
    Outer->Start();
    Outer->WaitFor();
    ASSERT_NE(Inner, nullptr);
    Inner->WaitFor();
    EXPECT_EQ(Inner->Seen, 13);
    Inner->Free();
    Outer->Free();
}

TEST(Threads, RemoveQueuedEventsDropsOnlyThatThreadsQueue) {
    std::vector<String> Ran;
    auto* T = new TTestThread(true, [&](TTestThread& Self) {
        Self.Queue([&] { Ran.push_back("mine"); });
        TThread::Queue(nullptr, [&] { Ran.push_back("anonymous"); });
    });
    T->Start();
    // Wait without pumping so that the queued methods stay pending.
    while (!T->Finished()) std::this_thread::yield();
    TThread::RemoveQueuedEvents(T);
    CheckSynchronize();
    EXPECT_EQ(Ran, (std::vector<String>{"anonymous"}));
    T->Free();
}

TEST(Threads, CheckSynchronizeBelongsToTheWindowThread) {
    String Message;
    std::atomic<bool> IsWindow{true};
    auto* T = new TTestThread(true, [&](TTestThread&) {
        IsWindow = IsWindowThread();
        EXPECT_NE(TThread::CurrentThread(), nullptr);
        try {
            CheckSynchronize();
        } catch (const EThread& E) {
            Message = E.Message();
        }
    });
    T->Start();
    T->WaitFor();
    EXPECT_FALSE(IsWindow);
    EXPECT_TRUE(IsWindowThread());
    EXPECT_EQ(TThread::CurrentThread(), nullptr);
    EXPECT_EQ(Message, "CheckSynchronize called from a thread other than the window thread");
    T->Free();
}

TEST(Threads, LowerPriorityReachesTheSystem) {
    TSimpleEvent Go;
    auto* T = new TTestThread(true, [&](TTestThread&) { Go.WaitFor(); });
    T->SetPriority(tpLowest);
    T->Start();
    errno = 0;
    EXPECT_EQ(getpriority(PRIO_PROCESS, T->ThreadID()), 10);
    T->SetPriority(tpIdle);
    EXPECT_EQ(getpriority(PRIO_PROCESS, T->ThreadID()), 19);
    T->SetPriority(tpTimeCritical);  // may be refused by the system: must not fail
    EXPECT_EQ(T->Priority(), tpTimeCritical);
    Go.SetEvent();
    T->WaitFor();
    T->Free();
}

}  // namespace
