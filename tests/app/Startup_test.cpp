#include "app/Startup.h"

#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "components/graphics/AdvGDIP.h"
#include "components/graphics/BtnXPVS.h"
#include "components/graphics/StartupRegistrations.h"
#include "framework/rtl/Math.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Forms.h"
#include "tests/app/ProgramTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { FPreviousMask = StartProgramWindows(); }
    void TearDown() override { FreeProgramWindows(FPreviousMask); }
    TArithmeticExceptionMask FPreviousMask;
};

TEST_F(StartupTest, CreatesTheFourWindowsInOrderWithTheirLayout) {
    EXPECT_EQ(Application->Title(), QStringLiteral("Quillory Video Downloader"));
    EXPECT_EQ(GetExceptionMask(), exAllArithmeticExceptions);
    // The library's units ran their start-up before main().
    EXPECT_TRUE(GdiplusStarted());
    EXPECT_TRUE(BtnXPVS.Loaded());
    EXPECT_GE(CF_GDIPFILL, 0xC000u);
    ASSERT_NE(_mainForm, nullptr);
    EXPECT_EQ(Application->MainForm(), _mainForm);

    struct Expected {
        TCustomForm* Form;
        int ClientWidth, ClientHeight;
        TFormBorderStyle Border;
        const char* Caption;
    };
    const Expected Cases[] = {
        {_mainForm, 613, 557, bsSingle, "Quillory Video Downloader"},
        {_proxyForm, 248, 136, bsSizeable, "_proxyForm"},
        {_waitForm, 325, 79, bsNone, nullptr},
        {_InfoForm, 521, 152, bsDialog, "Info"},
    };
    int LastIndex = -1;
    for (const Expected& C : Cases) {
        ASSERT_NE(C.Form, nullptr);
        SCOPED_TRACE(C.Form->Name().toStdString());
        EXPECT_EQ(C.Form->ClientWidth(), C.ClientWidth);
        EXPECT_EQ(C.Form->ClientHeight(), C.ClientHeight);
        EXPECT_EQ(C.Form->BorderStyle(), C.Border);
        if (C.Caption) {
            EXPECT_EQ(C.Form->Caption(), QString::fromLatin1(C.Caption));
        }
        EXPECT_EQ(C.Form->Owner(), Application);
        EXPECT_GT(C.Form->ComponentIndex(), LastIndex);  // created in this order
        LastIndex = C.Form->ComponentIndex();
    }
    EXPECT_EQ(_mainForm->Color(), MainFormColor);  // given by FormCreate
    EXPECT_EQ(_mainForm->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    EXPECT_EQ(_mainForm->Position(), poScreenCenter);
    EXPECT_EQ(_proxyForm->Color(), clBtnFace);
    EXPECT_EQ(_waitForm->Color(), clSilver);
    EXPECT_EQ(_waitForm->Position(), poOwnerFormCenter);
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheLoop) {
    bool Closed = false;
    _mainForm->OnClose = [&](TObject*, TCloseAction&) { Closed = true; };
    TThread::Queue(nullptr, [] { _mainForm->Close(); });
    Application->Run();
    EXPECT_TRUE(Closed);
    EXPECT_TRUE(Application->Terminated());
}

TEST(DisplayCheck, SaysWhyThereIsNoDisplay) {
    struct Case {
        const char* Platform;
        const char* Display;
        bool Available;
    };
    const Case Cases[] = {
        {"offscreen", nullptr, true}, {nullptr, nullptr, false}, {nullptr, ":4711", false},  // no such X server
    };
    const char* SavedPlatform = std::getenv("QT_QPA_PLATFORM");
    const std::string Platform = SavedPlatform ? SavedPlatform : "";
    const char* SavedWayland = std::getenv("WAYLAND_DISPLAY");
    const std::string Wayland = SavedWayland ? SavedWayland : "";
    const char* SavedDisplay = std::getenv("DISPLAY");
    const std::string Display = SavedDisplay ? SavedDisplay : "";
    unsetenv("WAYLAND_DISPLAY");
    for (const Case& C : Cases) {
        C.Platform ? setenv("QT_QPA_PLATFORM", C.Platform, 1) : unsetenv("QT_QPA_PLATFORM");
        C.Display ? setenv("DISPLAY", C.Display, 1) : unsetenv("DISPLAY");
        String Reason;
        EXPECT_EQ(DisplayAvailable(Reason), C.Available) << (C.Display ? C.Display : "(none)");
        EXPECT_EQ(Reason.isEmpty(), C.Available);
        if (!C.Available) {
            EXPECT_TRUE(Reason.startsWith(QStringLiteral("no display available")));
        }
    }
    SavedPlatform ? setenv("QT_QPA_PLATFORM", Platform.c_str(), 1) : unsetenv("QT_QPA_PLATFORM");
    SavedWayland ? setenv("WAYLAND_DISPLAY", Wayland.c_str(), 1) : unsetenv("WAYLAND_DISPLAY");
    SavedDisplay ? setenv("DISPLAY", Display.c_str(), 1) : unsetenv("DISPLAY");
}

}  // namespace
