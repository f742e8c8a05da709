#include "app/Startup.h"

#include "app/Converter.h"
#include "app/Entries.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "components/graphics/AdvGDIP.h"
#include "components/graphics/BtnXPVS.h"
#include "components/graphics/StartupRegistrations.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/Math.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Forms.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/HttpsTestServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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
    FakeClock Clock;  // closing waits five seconds
    bool Closed = false;
    _mainForm->OnClose = [&](TObject*, TCloseAction&) { Closed = true; };
    TThread::Queue(nullptr, [] { _mainForm->Close(); });
    Application->Run();
    EXPECT_TRUE(Closed);
    EXPECT_TRUE(Application->Terminated());
}

// Sets an environment variable for as long as it lives.
class TEnvironmentScope {
public:
    TEnvironmentScope(const char* Name, const String& Value)
        : FName(Name), FOld(qgetenv(Name)), FHad(qEnvironmentVariableIsSet(Name)) {
        qputenv(Name, Value.toLocal8Bit());
    }
    ~TEnvironmentScope() { FHad ? qputenv(FName, FOld) : qunsetenv(FName); }
    TEnvironmentScope(const TEnvironmentScope&) = delete;
    TEnvironmentScope& operator=(const TEnvironmentScope&) = delete;

private:
    const char* FName;
    QByteArray FOld;
    bool FHad;
};

// The program as a new user first meets it: no settings yet, a documents folder, a Quillory page
// (over loopback HTTPS, trusted through the client's own authority setting) pasted and entered.
TEST(FreshStart, SavesIntoTheDocumentsFolder) {
    TempFolder Home;
    const String Documents = Home.File(QStringLiteral("Documents"));
    ASSERT_TRUE(QDir().mkpath(Documents));
    const TEnvironmentScope HomeScope("HOME", Home.Path());
    const TEnvironmentScope ConfigScope("XDG_CONFIG_HOME", Home.File(QStringLiteral(".config")));
    QFile::remove(ConverterPath());

    const std::string Media(100 * 1024, 'q');
    THttpsTestServer Server;
    Server.Server().Get("/video/video.php", [](const httplib::Request&, httplib::Response& Res) {
        Res.set_content(
            "<html><title>First clip</title><script>{\"playable_url\":\"https:\\/\\/"
            "www.quillory.com\\/media\\/first.flv\"}</script></html>",
            "text/html; charset=utf-8");
    });
    Server.Server().Get("/media/first.flv", [&](const httplib::Request&, httplib::Response& Res) {
        Res.set_content(Media, "video/x-flv");
    });
    Server.Start();
    const THttpsTestServer::TGlobalInstall Install(Server);
    TRecordingDialogService Dialogs;
    const TDialogServiceGuard DialogGuard(&Dialogs);
    entries.clear();

    const TArithmeticExceptionMask PreviousMask = StartProgramWindows();
    bool Ran = false;
    TThread::Queue(nullptr, [&] {
        Ran = true;
        // Closing waits five seconds and opens the maker's page.
        const auto Finish = [] {
            FakeClock Clock;
            TRecordingShellService Shell;
            const TShellServiceGuard ShellGuard(&Shell);
            _mainForm->Close();
        };
        if (!WaitOnWindowThread([] { return _mainForm->Active(); })) return Finish();
        EXPECT_EQ(_mainForm->SaveAdvDirectoryEdit->Text(), Documents);
        QWindow* Window = ShownWindowOf(_mainForm);
        QLineEdit* LinkBox = QtEditorOf(_mainForm->LinkAdvLUEdit);
        if (!Window || !LinkBox) {
            ADD_FAILURE() << "the main window or its link box is not shown";
            return Finish();
        }
        ClickControl(Window, _mainForm->LinkAdvLUEdit);
        QTest::keyClicks(LinkBox, QStringLiteral("https://www.quillory.com/video/video.php?v=12345678901234567"));
        PressEnterLikeAHand(LinkBox);
        if (!WaitOnWindowThread([] { return _mainForm->MainListView->Items()->Count() == 1; })) {
            ADD_FAILURE() << "the link was not listed";
            return Finish();
        }
        ClickControl(Window, _mainForm->StartAdvToolButton);
        EXPECT_TRUE(WaitOnWindowThread([] { return entries[0].status == esDone && LiveWorkerCount() == 0; }));
        Finish();
    });
    Application->Run();
    EXPECT_TRUE(Ran);
    EXPECT_TRUE(StopAllWorkers(20000));
    FreeProgramWindows(PreviousMask);
    entries.clear();

    EXPECT_EQ(Dialogs.Count(), 0) << (Dialogs.Count() ? Dialogs.Last().Text.toStdString() : "");
    QFile Saved(Documents + QStringLiteral("/First clip.flv"));
    ASSERT_TRUE(Saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(Saved.readAll().toStdString(), Media);
    EXPECT_EQ(QDir(Documents).entryList(QDir::Files), QStringList{QStringLiteral("First clip.flv")});
    Server.Stop();
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
