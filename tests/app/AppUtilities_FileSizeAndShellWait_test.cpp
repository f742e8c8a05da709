// FileSize (64-bit, 0 when missing) and ShellExecuteAndWait: it waits for the program the shell
// started, keeps the window thread's messages flowing meanwhile, and returns at once when the
// shell hands the file to no new program or fails.
#include "app/_mainUnit.h"
#include "framework/os/Processes.h"
#include "framework/os/ShellAPI.h"
#include "framework/ui/Timer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

TEST(FileSize, SizesOfFilesAndMissingNames) {
    TempFolder Folder;
    const struct {
        const char* Name;
        std::int64_t Size;  // -1: not created
    } Cases[] = {
        {"missing.flv", -1},
        {"empty.flv", 0},
        {"small.flv", 5000},
        {"beyond four GiB.flv", std::int64_t(5) * 1024 * 1024 * 1024},  // sparse
    };
    for (const auto& C : Cases) {
        const String Path = Folder.File(QString::fromLatin1(C.Name));
        if (C.Size >= 0) {
            QFile F(Path);
            ASSERT_TRUE(F.open(QIODevice::WriteOnly));
            ASSERT_TRUE(F.resize(C.Size));
        }
        EXPECT_EQ(T_mainForm::FileSize(Path), std::max<std::int64_t>(C.Size, 0)) << C.Name;
    }
}

TEST(ShellExecuteAndWait, WaitsForTheStartedProgramWhileMessagesFlow) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    Shell.ProcessAnswer =
        std::make_shared<TChildProcess>(QStringLiteral("sleep"), std::vector<String>{QStringLiteral("1.2")}, String(),
                                        std::vector<String>{}, TStdErrTarget::Null);
    int Ticks = 0;
    TTimer Timer(nullptr);
    Timer.SetInterval(20);
    Timer.OnTimer = [&Ticks](TObject*) { ++Ticks; };
    Timer.SetEnabled(true);

    ShellExecuteAndWait(QStringLiteral("/tmp/videos\\clip.flv"), String(), SW_SHOWNORMAL);

    EXPECT_FALSE(Shell.ProcessAnswer->Running()) << "returned before the program ended";
    EXPECT_GT(Ticks, 0) << "no window messages were processed while waiting";
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Shell.Last().Kind, TShellRequest::skOpen);
    EXPECT_EQ(Shell.Last().File, QStringLiteral("/tmp/videos/clip.flv"));
    EXPECT_TRUE(Shell.Last().Parameters.isEmpty());
    EXPECT_EQ(Shell.Last().ShowCmd, SW_SHOWNORMAL);
}

TEST(ShellExecuteAndWait, ReturnsAtOnceWithoutAProcess) {
    const struct {
        const char* Name;
        int Result;
    } Cases[] = {{"handed to a running program", SE_ERR_SUCCESS}, {"file not found", SE_ERR_FNF}};
    for (const auto& C : Cases) {
        TRecordingShellService Shell;
        TShellServiceGuard Guard(&Shell);
        Shell.Result = C.Result;
        // A process the shell did not report must not be waited on.
        ShellExecuteAndWait(QStringLiteral("/tmp/videos/clip.flv"), String(), SW_SHOWNORMAL);
        EXPECT_EQ(Shell.Count(), 1) << C.Name;
    }
}

}  // namespace
