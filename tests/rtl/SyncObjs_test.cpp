#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(SyncObjs, ManualResetStaysSignaledAutoResetIsConsumed) {
    TEvent Manual(true, false);
    EXPECT_EQ(Manual.WaitFor(0), wrTimeout);
    Manual.SetEvent();
    EXPECT_EQ(Manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(Manual.WaitFor(0), wrSignaled);
    Manual.ResetEvent();
    EXPECT_EQ(Manual.WaitFor(0), wrTimeout);

    TEvent Auto(false, true);
    EXPECT_EQ(Auto.WaitFor(0), wrSignaled);
    EXPECT_EQ(Auto.WaitFor(0), wrTimeout);
    Auto.SetEvent();
    Auto.SetEvent();  // does not count
    EXPECT_EQ(Auto.WaitFor(INFINITE), wrSignaled);
    EXPECT_EQ(Auto.WaitFor(1), wrTimeout);

    TSimpleEvent Simple;
    EXPECT_EQ(Simple.WaitFor(0), wrTimeout);
}

TEST(SyncObjs, AutoResetReleasesOneWaiterPerSetManualReleasesAll) {
    TEvent Auto(false, false);
    std::atomic<int> Woken{0};
    std::vector<std::thread> Waiters;
    for (int I = 0; I < 2; ++I)
        Waiters.emplace_back([&] {
            EXPECT_EQ(Auto.WaitFor(INFINITE), wrSignaled);
            ++Woken;
        });
    Auto.SetEvent();
    while (Woken < 1) std::this_thread::yield();
    Auto.SetEvent();
    for (auto& W : Waiters) W.join();
    EXPECT_EQ(Woken, 2);
    // Had the first SetEvent released both, the second would still be pending.
    EXPECT_EQ(Auto.WaitFor(0), wrTimeout);

    TEvent Manual(true, false);
    std::vector<std::thread> All;
    for (int I = 0; I < 3; ++I) All.emplace_back([&] { EXPECT_EQ(Manual.WaitFor(INFINITE), wrSignaled); });
    Manual.SetEvent();
    for (auto& W : All) W.join();
    EXPECT_EQ(Manual.WaitFor(0), wrSignaled);
}

TEST(SyncObjs, WaitForMultipleReportsWhichEventReleasedTheWait) {
    struct Case {
        const char* Name;
        bool SetChange, SetStop, WaitAll;
        TWaitResult Result;
        int Index;
        bool ChangeLeftSignaled;
    };
    const Case Cases[] = {
        {"nothing set", false, false, false, wrTimeout, -1, false},
        {"change only", true, false, false, wrSignaled, 0, false},
        {"stop only", false, true, false, wrSignaled, 1, false},
        {"both: the first in the list wins", true, true, false, wrSignaled, 0, false},
        {"wait all, one set", true, false, true, wrTimeout, -1, true},
        {"wait all, both set", true, true, true, wrSignaled, 0, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TEvent Change(false, C.SetChange);  // auto reset: consumed by the wait it releases
        TEvent Stop(true, C.SetStop);
        int Index = 99;
        EXPECT_EQ(TEvent::WaitForMultiple({&Change, &Stop}, C.WaitAll, 0, &Index), C.Result);
        EXPECT_EQ(Index, C.Index);
        EXPECT_EQ(Change.WaitFor(0) == wrSignaled, C.ChangeLeftSignaled);
        EXPECT_EQ(Stop.WaitFor(0) == wrSignaled, C.SetStop);  // manual reset stays
    }
    EXPECT_THROW(TEvent::WaitForMultiple({}, false, 0), EArgumentException);
    TEvent One;
    EXPECT_THROW(TEvent::WaitForMultiple({&One, nullptr}, false, 0), EArgumentException);
}

TEST(SyncObjs, WatcherThreadWaitsForChangeOrStop) {
    TEvent Change(false, false);
    TEvent Stop(true, false);
    TEvent Seen(false, false);
    std::atomic<int> Changes{0};
    std::thread Watcher([&] {
        for (;;) {
            int Index = -1;
            ASSERT_EQ(TEvent::WaitForMultiple({&Change, &Stop}, false, INFINITE, &Index), wrSignaled);
            if (Index == 1) return;
            ++Changes;
            Seen.SetEvent();
        }
    });
    for (int I = 1; I <= 3; ++I) {
        Change.SetEvent();
        ASSERT_EQ(Seen.WaitFor(INFINITE), wrSignaled);
        EXPECT_EQ(Changes, I);
    }
    Stop.SetEvent();
    Watcher.join();
    EXPECT_EQ(Changes, 3);
}

TEST(SyncObjs, EventsWithTheSameNameShareTheirState) {
    TEvent First(true, false, "qvd-test-shared");
    TEvent Second(true, false, "qvd-test-shared");
    TEvent Other(true, false, "qvd-test-other");
    First.SetEvent();
    EXPECT_EQ(Second.WaitFor(0), wrSignaled);
    EXPECT_EQ(Other.WaitFor(0), wrTimeout);
}

TEST(SyncObjs, CriticalSectionIsRecursiveAndExclusive) {
    TCriticalSection Lock;
    Lock.Enter();
    EXPECT_TRUE(Lock.TryEnter());  // the holder may enter again
    bool OtherGotIt = true;
    std::thread([&] { OtherGotIt = Lock.TryEnter(); }).join();
    EXPECT_FALSE(OtherGotIt);
    String Message;
    std::thread([&] {
        try {
            Lock.Leave();
        } catch (const EInvalidOperation& E) {
            Message = E.Message();
        }
    }).join();
    EXPECT_EQ(Message, "Critical section released by a thread that does not hold it");
    Lock.Leave();
    std::thread([&] { OtherGotIt = Lock.TryEnter(); }).join();
    EXPECT_FALSE(OtherGotIt);  // still held once
    Lock.Release();
    std::thread([&] {
        OtherGotIt = Lock.TryEnter();
        if (OtherGotIt) Lock.Leave();
    }).join();
    EXPECT_TRUE(OtherGotIt);

    // Unsynchronised read-modify-write under the lock loses no update.
    int Counter = 0;
    std::vector<std::thread> Workers;
    for (int T = 0; T < 4; ++T)
        Workers.emplace_back([&] {
            for (int I = 0; I < 10000; ++I) {
                Lock.Acquire();
                Counter = Counter + 1;
                Lock.Release();
            }
        });
    for (auto& W : Workers) W.join();
    EXPECT_EQ(Counter, 40000);
}

}  // namespace
