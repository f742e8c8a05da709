// Ending the program: the workers still running when the message loop ends are stopped, and
// every window still exists when they are asked to stop.
#include "app/Entries.h"
#include "app/Startup.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
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

// Closing the window runs the close handlers; Exit ends the loop without them. Either way the
// workers stop while every window exists.
TEST(ProgramClosing, StopsRunningWorkersWhileTheWindowsExist) {
    const struct {
        const char* Name;
        bool ByExit;
    } Cases[] = {{"window closed", false}, {"Exit button", true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        FakeClock Clock;
        TRecordingShellService Shell;
        TShellServiceGuard ShellGuard(&Shell);
        int Argc = 1;
        const TArithmeticExceptionMask PreviousMask = GetExceptionMask();
        std::atomic<int> WindowsAtStop{-1};
        UInt64 Waited = 0;
        const bool ByExit = C.ByExit;
        TThread::Queue(nullptr, [&WindowsAtStop, &Waited, ByExit] {
            auto* Worker = new TWindowWatcher(&WindowsAtStop);
            Worker->SetFreeOnTerminate(true);
            Worker->Start();
            TThread::Queue(nullptr, [&Waited, ByExit] {
                const UInt64 Before = GetTickCount64();
                if (ByExit)
                    FireEvent(_mainForm->ExitAdvToolButton->OnClick, _mainForm->ExitAdvToolButton);
                else
                    _mainForm->Close();
                Waited = GetTickCount64() - Before;
            });
        });

        EXPECT_EQ(RunQuilloryVideoDownloader(Argc, ProgramTestArgv()), 0);

        EXPECT_EQ(LiveWorkerCount(), 0) << "a worker outlived the message loop";
        EXPECT_EQ(WindowsAtStop.load(), 4);
        // Exit waits a second and opens nothing; closing hides, waits five and opens the maker's page.
        EXPECT_EQ(Waited, ByExit ? 1000u : 5000u);
        EXPECT_EQ(Shell.Count(), ByExit ? 0 : 1);

        StopAllWorkers();
        FreeProgramWindows(PreviousMask);
    }
}

}  // namespace
