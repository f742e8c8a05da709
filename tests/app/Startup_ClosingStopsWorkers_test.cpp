// Closing the program: the workers still running when the message loop ends are stopped, and
// every window still exists when they are asked to stop.
#include "app/Entries.h"
#include "app/Startup.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "framework/rtl/Math.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Forms.h"
#include "tests/app/ProgramTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A worker that runs until asked to stop and notes whether the windows were there then.
class TWindowWatcher : public TThread {
public:
    explicit TWindowWatcher(std::atomic<int>* WindowsAtStop) : TThread(true), FWindowsAtStop(WindowsAtStop) {
        RegisterWorker(this);
    }
    ~TWindowWatcher() override {
        BeforeDestruction();
        UnregisterWorker(this);
    }

protected:
    void Execute() override {
        while (!Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    void TerminatedSet() override {
        *FWindowsAtStop =
            (_mainForm != nullptr) + (_waitForm != nullptr) + (_proxyForm != nullptr) + (_InfoForm != nullptr);
    }

private:
    std::atomic<int>* FWindowsAtStop;
};

TEST(ProgramClosing, StopsRunningWorkersWhileTheWindowsExist) {
    int Argc = 1;
    const TArithmeticExceptionMask PreviousMask = GetExceptionMask();
    std::atomic<int> WindowsAtStop{-1};
    TThread::Queue(nullptr, [&WindowsAtStop] {
        auto* Worker = new TWindowWatcher(&WindowsAtStop);
        Worker->SetFreeOnTerminate(true);
        Worker->Start();
        TThread::Queue(nullptr, [] { _mainForm->Close(); });
    });

    RunQuilloryVideoDownloader(Argc, ProgramTestArgv());

    EXPECT_EQ(LiveWorkerCount(), 0) << "a worker outlived the message loop";
    EXPECT_EQ(WindowsAtStop.load(), 4);

    StopAllWorkers();
    FreeProgramWindows(PreviousMask);
}

}  // namespace
