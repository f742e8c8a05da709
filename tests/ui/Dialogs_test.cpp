#include "framework/ui/Dialogs.h"

#include "framework/rtl/Threads.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    TRecordingDialogService Recorder;
    TDialogServiceGuard Guard{&Recorder};
};

std::vector<TMsgDlgBtn> buttonsOf(TMsgDlgButtons Set) {
    std::vector<TMsgDlgBtn> Result;
    for (int B = mbYes; B <= mbClose; ++B)
        if (Set.Contains(TMsgDlgBtn(B))) Result.push_back(TMsgDlgBtn(B));
    return Result;
}

// Runs the window thread's events until Done or a generous bound, so a fault fails instead of hanging.
template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

}  // namespace

TEST_F(DialogsTest, MessageBoxFlagsBecomeButtonsIconAndDefault) {
    struct Case {
        const char* Name;
        UINT Flags;
        TMsgDlgButtons Buttons;
        TMsgDlgBtn Default;
        TMsgDlgType Type;
    };
    const Case Cases[] = {
        {"ok", MB_OK, {mbOK}, mbOK, mtCustom},
        {"ok cancel, stop", MB_OKCANCEL | MB_ICONSTOP, {mbOK, mbCancel}, mbOK, mtError},
        {"abort retry ignore, second",
         MB_ABORTRETRYIGNORE | MB_DEFBUTTON2,
         {mbAbort, mbRetry, mbIgnore},
         mbRetry,
         mtCustom},
        {"yes no cancel, third, question",
         MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION,
         {mbYes, mbNo, mbCancel},
         mbCancel,
         mtConfirmation},
        {"yes no, warning", MB_YESNO | MB_ICONWARNING, {mbYes, mbNo}, mbYes, mtWarning},
        {"retry cancel, third of two falls back",
         MB_RETRYCANCEL | MB_DEFBUTTON3 | MB_ICONINFORMATION,
         {mbCancel, mbRetry},
         mbRetry,
         mtInformation},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Recorder.Clear();
        Recorder.QueueAnswer(IDCANCEL);
        EXPECT_EQ(MessageBox(nullptr, "Body", "Title", C.Flags | MB_TOPMOST), IDCANCEL);
        ASSERT_EQ(Recorder.Count(), 1);
        const TDialogRequest R = Recorder.Last();
        EXPECT_EQ(R.Kind, TDialogKind::MessageBox);
        EXPECT_EQ(R.Text, "Body");
        EXPECT_EQ(R.Caption, "Title");
        EXPECT_EQ(buttonsOf(R.Buttons), buttonsOf(C.Buttons));
        EXPECT_EQ(R.DefaultButton, C.Default);
        EXPECT_EQ(R.DlgType, C.Type);
        EXPECT_TRUE(R.Flags & MB_TOPMOST);
    }
}

TEST_F(DialogsTest, RecorderAnswersQueueThenDefaultAnswerThenDefaultButton) {
    Recorder.QueueAnswer(IDNO);
    Recorder.QueueAnswer(IDCANCEL);
    EXPECT_EQ(MessageBox("Save?", "Editor", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(MessageBox("Save?", "Editor", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox("Save?", "Editor", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);  // Enter on the default
    Recorder.SetDefaultAnswer(IDYES);
    EXPECT_EQ(MessageBox("Save?", "Editor", MB_YESNOCANCEL | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(Recorder.Count(), 4);
    EXPECT_EQ(Recorder.Request(0).Text, "Save?");
    EXPECT_THROW(Recorder.Request(4), EListError);
    Recorder.Clear();
    EXPECT_THROW(Recorder.Last(), EListError);
}

TEST_F(DialogsTest, MessageDlgCaptionsButtonsDefaultsAndAnswers) {
    SetDialogApplicationTitle("Video Grabber");
    struct Case {
        const char* Name;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        const char* Caption;
        TMsgDlgBtn Default;
        TModalResult Answer;
    };
    const Case Cases[] = {
        {"warning yes no", mtWarning, mbYesNo, "Warning", mbYes, mrNo},
        {"error ok", mtError, TMsgDlgButtons{mbOK}, "Error", mbOK, mrOk},
        {"information ok cancel", mtInformation, mbOKCancel, "Information", mbOK, mrCancel},
        {"confirmation yes no cancel", mtConfirmation, mbYesNoCancel, "Confirm", mbYes, mrCancel},
        {"custom abort retry ignore", mtCustom, mbAbortRetryIgnore, "Video Grabber", mbRetry, mrIgnore},
        {"custom all and close", mtCustom, TMsgDlgButtons{mbClose, mbAll}, "Video Grabber", mbAll, mrClose},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Recorder.Clear();
        Recorder.QueueAnswer(C.Answer);
        EXPECT_EQ(MessageDlg("Go on?", C.Type, C.Buttons, 7), C.Answer);
        const TDialogRequest R = Recorder.Last();
        EXPECT_EQ(R.Kind, TDialogKind::MessageDlg);
        EXPECT_EQ(R.Text, "Go on?");
        EXPECT_EQ(R.Caption, C.Caption);
        EXPECT_EQ(R.DlgType, C.Type);
        EXPECT_EQ(R.Buttons, C.Buttons);
        EXPECT_EQ(R.DefaultButton, C.Default);
        EXPECT_EQ(R.HelpCtx, 7);
    }
    // An explicit default outside the set falls back to the usual one.
    MessageDlg("x", mtWarning, mbYesNo, 0, mbNo);
    EXPECT_EQ(Recorder.Last().DefaultButton, mbNo);
    MessageDlg("x", mtWarning, mbYesNo, 0, mbCancel);
    EXPECT_EQ(Recorder.Last().DefaultButton, mbYes);

    ShowMessage("Done");
    EXPECT_EQ(Recorder.Last().Caption, "Video Grabber");
    EXPECT_EQ(Recorder.Last().Buttons, TMsgDlgButtons{mbOK});
    SetDialogApplicationTitle(String());
}

TEST(DialogsButtons, EveryButtonHasTheModalResultOfItsName) {
    const std::pair<TMsgDlgBtn, TModalResult> Expected[] = {
        {mbYes, mrYes},     {mbNo, mrNo},         {mbOK, mrOk},   {mbCancel, mrCancel},   {mbAbort, mrAbort},
        {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll}, {mbYesToAll, mrYesToAll},
        {mbHelp, mrNone},   {mbClose, mrClose},
    };
    for (const auto& [Button, Result] : Expected) EXPECT_EQ(MsgDlgButtonResult(Button), Result) << Button;
    EXPECT_EQ(IDYES, mrYes);
    EXPECT_EQ(IDNO, 7);
}

TEST_F(DialogsTest, BadRequestsRaiseAndShowNothing) {
    EXPECT_THROW(MessageDlg("x", mtError, TMsgDlgButtons{}, 0), EArgumentException);
    EXPECT_THROW(MessageBox("x", "y", 6), EArgumentException);             // no such button group
    EXPECT_THROW(MessageBox("x", "y", MB_OK | 0x50), EArgumentException);  // no such icon
    EXPECT_EQ(Recorder.Count(), 0);
}

TEST(DialogsService, SetReturnsThePreviousAndNullRestoresTheDefault) {
    TDialogService* Default = DialogService();
    TRecordingDialogService A, B;
    EXPECT_EQ(SetDialogService(&A), Default);
    EXPECT_EQ(SetDialogService(&B), &A);
    EXPECT_EQ(SetDialogService(nullptr), &B);
    EXPECT_EQ(DialogService(), Default);
}

// A worker's message box opens on the window thread, whose loop keeps running while the box
// waits for its answer; only the worker is blocked.
TEST_F(DialogsTest, WorkerMessageBoxBlocksOnlyTheWorker) {
    Recorder.SetHoldAnswers(true);
    std::atomic<bool> Returned{false};
    std::atomic<int> Answer{0};
    bool Asked = false, AskedOnWindowThread = false, BlockedWhileTicking = true;
    int TicksWhileOpen = 0;
    Recorder.OnRequest = [&](const TDialogRequest&) {
        Asked = true;
        AskedOnWindowThread = IsWindowThread();
    };
    QTimer Ticker;
    Ticker.setInterval(1);
    QObject::connect(&Ticker, &QTimer::timeout, [&] {
        if (!Asked || TicksWhileOpen == 5) return;
        BlockedWhileTicking = BlockedWhileTicking && !Returned && Recorder.Waiting() == 1;
        if (++TicksWhileOpen == 5) Recorder.QueueAnswer(IDRETRY);
    });
    Ticker.start();
    std::thread Worker([&] {
        Answer = MessageBox("Disk full", "Saving", MB_RETRYCANCEL | MB_ICONERROR);
        Returned = true;
    });
    const bool Finished = pumpUntil([&] { return Returned.load(); });
    Worker.join();
    ASSERT_TRUE(Finished);
    EXPECT_TRUE(AskedOnWindowThread);
    EXPECT_EQ(TicksWhileOpen, 5);
    EXPECT_TRUE(BlockedWhileTicking);
    EXPECT_EQ(Answer, IDRETRY);
    EXPECT_EQ(Recorder.Last().Text, "Disk full");
    EXPECT_EQ(Recorder.Waiting(), 0);
}

TEST_F(DialogsTest, WorkerSeesTheServiceError) {
    TRecordingDialogService Failing;
    Failing.OnRequest = [](const TDialogRequest&) { throw EInvalidOperation("no screen"); };
    TDialogServiceGuard Use(&Failing);
    bool Raised = false;
    std::thread Worker([&] {
        try {
            MessageBox("x", "y", MB_OK);
        } catch (const EInvalidOperation&) {
            Raised = true;
        }
    });
    std::atomic<bool> Joined{false};
    std::thread Joiner([&] {
        Worker.join();
        Joined = true;
    });
    ASSERT_TRUE(pumpUntil([&] { return Joined.load(); }));
    Joiner.join();
    EXPECT_TRUE(Raised);
}

// The default service shows a real modal box; a timer on the window thread reads and answers it.
TEST(DialogsDefaultService, ShowsPlatformCaptionsAndReturnsTheClickedButton) {
    ASSERT_EQ(SetDialogService(nullptr), DialogService());
    struct Case {
        const char* Name;
        std::function<TModalResult()> Show;
        const char* Caption;
        std::vector<String> Buttons;
        const char* Default;
        bool TopMost;
        const char* Press;
        TModalResult Expected;
    };
    const Case Cases[] = {
        {"message dialog",
         [] { return MessageDlg("Keep it?", mtConfirmation, mbYesNoCancel, 0); },
         "Confirm",
         {"&Yes", "&No", "Cancel"},
         "&Yes",
         false,
         "No",
         mrNo},
        {"message box",
         [] { return TModalResult(MessageBox("Lost", "Net", MB_RETRYCANCEL | MB_DEFBUTTON2 | MB_TOPMOST)); },
         "Net",
         {"&Retry", "Cancel"},
         "Cancel",
         true,
         "&Retry",
         IDRETRY},
        {"to-all buttons",
         [] { return MessageDlg("Replace?", mtWarning, mbYesAllNoAllCancel, 0); },
         "Warning",
         {"&Yes", "&No", "Cancel", "N&o to All", "Yes to &All"},
         "&Yes",
         false,
         "Yes to All",
         mrYesToAll},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TOpenMessageBox Seen;
        bool Pressed = false;
        QTimer::singleShot(0, [&] {
            Seen = ActiveMessageBox();
            Pressed = PressMessageBoxButton(C.Press);
            if (!Pressed && Seen.Open) PressMessageBoxButton(Seen.Buttons.front());  // never leave it open
        });
        const TModalResult Result = C.Show();
        ASSERT_TRUE(Seen.Open);
        EXPECT_TRUE(Pressed);
        EXPECT_EQ(Seen.Caption, C.Caption);
        EXPECT_EQ(Seen.Buttons, C.Buttons);
        EXPECT_EQ(Seen.DefaultButton, C.Default);
        EXPECT_EQ(Seen.TopMost, C.TopMost);
        EXPECT_EQ(Result, C.Expected);
    }
    EXPECT_FALSE(ActiveMessageBox().Open);
    EXPECT_FALSE(PressMessageBoxButton("OK"));
}
