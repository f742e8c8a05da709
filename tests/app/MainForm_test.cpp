// The main window: members at their places, link intake with its messages, the list's actions
// and the rule that enables the action buttons and their popup twins.
#include "app/Entries.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
#include "framework/ui/Dialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const String NoVideo = QStringLiteral("No video to download or link already in list");
const String QuilloryLink = QStringLiteral("https://www.quillory.com/video/video.php?v=10150346484880453");

// What the stand-in page reader writes into its entry.
struct PageResult {
    String Title = QStringLiteral("A title");
    std::int64_t Size = 2048;
};

// A page reader that writes a fixed result into its own entry, found by key, then ends the wait.
class FakeGrabThread : public TThread {
public:
    FakeGrabThread(TEntryKey Key, PageResult Result) : TThread(true), FKey(Key), FResult(std::move(Result)) {}
    ~FakeGrabThread() override {
        BeforeDestruction();
        UnregisterWorker(this);
    }

protected:
    void Execute() override {
        Synchronize([this] {
            if (TItem* Item = EntryOfKey(FKey)) {
                Item->title = FResult.Title;
                Item->size = FResult.Size;
                Item->url = QStringLiteral("https://media.quillory.com/v.mp4");
            }
            grab_done = true;
        });
    }

private:
    TEntryKey FKey;
    PageResult FResult;
};

// A download that runs until it is asked to stop.
class FakeDownloadThread : public TThread {
public:
    explicit FakeDownloadThread(std::atomic<int>* Running) : TThread(true), FRunning(Running) { ++*FRunning; }
    ~FakeDownloadThread() override {
        BeforeDestruction();
        --*FRunning;
        UnregisterWorker(this);
    }

protected:
    void Execute() override {
        while (!Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

private:
    std::atomic<int>* FRunning;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        entries.clear();
        FSavedGrab = GrabThreadFactory;
        FSavedDownload = DownloadThreadFactory;
        GrabThreadFactory = [this](TEntryKey Key) -> TThread* { return new FakeGrabThread(Key, FPage); };
        DownloadThreadFactory = [this](TEntryKey) -> TThread* { return new FakeDownloadThread(&FRunning); };
        _waitForm = new T_waitForm(nullptr);
        _waitForm->AfterConstruction();
        Form = new T_mainForm(nullptr);
        Form->AfterConstruction();
        Form->SaveAdvDirectoryEdit->SetText(FVideos.Path());
    }
    void TearDown() override {
        Form->Free();
        _waitForm->Free();
        _waitForm = nullptr;
        EXPECT_EQ(LiveWorkerCount(), 0);
        EXPECT_EQ(FRunning.load(), 0);
        entries.clear();
        GrabThreadFactory = FSavedGrab;
        DownloadThreadFactory = FSavedDownload;
    }

    void add(const String& Link) {
        Form->LinkAdvLUEdit->SetText(Link);
        Form->AddAdvToolButtonClick(Form->AddAdvToolButton);
    }
    std::vector<String> messages() const {
        std::vector<String> Texts;
        for (int i = 0; i < Dialogs.Count(); ++i) Texts.push_back(Dialogs.Request(i).Text);
        return Texts;
    }
    // Start, Stop, Remove, Play, Browse as a string of 0/1, buttons and twins checked to agree.
    std::string buttons() const {
        const std::pair<TAdvToolButton*, TMenuItem*> Pairs[] = {{Form->StartAdvToolButton, Form->StartDownload1},
                                                                {Form->StopAdvToolButton, Form->StopDownload1},
                                                                {Form->RemoveAdvToolButton, Form->RemoveEntry1},
                                                                {Form->PlayAdvToolButton, Form->PlayVideo1},
                                                                {Form->OpenAdvToolButton, Form->OpenVideo1}};
        std::string S;
        for (const auto& [Button, Item] : Pairs) {
            EXPECT_EQ(Button->Enabled(), Item->Enabled()) << Item->Caption().toStdString();
            S += Button->Enabled() ? '1' : '0';
        }
        return S;
    }
    void waitUntilThreadsEnd() {
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (LiveWorkerCount() > 0 && std::chrono::steady_clock::now() < Deadline) CheckSynchronize(10);
        ASSERT_EQ(LiveWorkerCount(), 0);
    }

    TempFolder FVideos;  // the folder box takes only folders that exist
    T_mainForm* Form = nullptr;
    TRecordingDialogService Dialogs;
    TDialogServiceGuard Guard{&Dialogs};
    PageResult FPage;
    std::atomic<int> FRunning{0};
    TWorkerFactory FSavedGrab, FSavedDownload;
};

TEST_F(MainFormTest, MembersAtTheirPlaces) {
    EXPECT_EQ(Form->ClientWidth(), 613);
    EXPECT_EQ(Form->ClientHeight(), 557);
    EXPECT_EQ(Form->Color(), MainFormColor);
    const struct {
        TControl* Control;
        TWinControl* Parent;
        int Left, Top, Width, Height;
        const char* Caption;
    } Places[] = {
        {Form->TopAdvPanel, Form->AdvPanel1, 9, 8, 510, 75, nullptr},
        {Form->LinkAdvLUEdit, Form->TopAdvPanel, 36, 29, 350, 19, "  Copy web page address (URL) here"},
        {Form->AddAdvToolButton, Form->TopAdvPanel, 391, 29, 110, 19, "Add"},
        {Form->AutoCheckBox, Form->TopAdvPanel, 347, 10, 154, 17, "Enable autostart downloads"},
        {Form->ExampleMemo, Form->TopAdvPanel, 54, 50, 447, 13, nullptr},
        {Form->SecondAdvPanel, Form->AdvPanel1, 8, 89, 510, 86, nullptr},
        {Form->SaveAdvDirectoryEdit, Form->SecondAdvPanel, 90, 12, 411, 19, nullptr},
        {Form->DownloadAdvComboBox, Form->SecondAdvPanel, 112, 37, 128, 21, nullptr},
        {Form->AviAdvComboBox, Form->SecondAdvPanel, 325, 37, 176, 21, nullptr},
        {Form->HQCheckBox, Form->SecondAdvPanel, 10, 64, 182, 17, "Download in high ( or HD ) quality  "},
        {Form->BottomAdvPanel, Form->AdvPanel1, 8, 181, 510, 368, nullptr},
        {Form->StartAdvToolButton, Form->BottomAdvPanel, 10, 10, 55, 55, "Start"},
        {Form->StopAdvToolButton, Form->BottomAdvPanel, 69, 10, 55, 55, "Stop"},
        {Form->RemoveAdvToolButton, Form->BottomAdvPanel, 128, 10, 55, 55, "Remove"},
        {Form->PlayAdvToolButton, Form->BottomAdvPanel, 385, 10, 55, 55, "Play"},
        {Form->OpenAdvToolButton, Form->BottomAdvPanel, 446, 10, 55, 55, "Browse"},
        {Form->MainListView, Form->BottomAdvPanel, 13, 78, 488, 275, nullptr},
        {Form->RightAdvPanel, Form->AdvPanel1, 525, 8, 80, 541, nullptr},
        {Form->HomepageAdvToolButton, Form->RightAdvPanel, 13, 13, 55, 55, "Home"},
        {Form->UpdateAdvToolButton, Form->RightAdvPanel, 13, 77, 55, 55, "Update"},
        {Form->SupportAdvToolButton, Form->RightAdvPanel, 13, 140, 55, 55, "Support"},
        {Form->HelpAdvToolButton, Form->RightAdvPanel, 13, 204, 55, 55, "Help"},
        {Form->ExitAdvToolButton, Form->RightAdvPanel, 13, 265, 55, 55, "Exit"},
    };
    for (const auto& P : Places) {
        SCOPED_TRACE(P.Control->Name().toStdString());
        EXPECT_EQ(P.Control->Parent(), P.Parent);
        EXPECT_EQ(P.Control->BoundsRect(), Rect(P.Left, P.Top, P.Left + P.Width, P.Top + P.Height));
        if (P.Caption) {
            EXPECT_EQ(P.Control->Caption(), QString::fromLatin1(P.Caption));
        }
    }
    const char* Columns[] = {"Video", "Size", "Progress"};
    ASSERT_EQ(Form->MainListView->Columns()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Form->MainListView->Columns()->Items(i)->Caption(), QString::fromLatin1(Columns[i]));
    EXPECT_EQ(Form->MainListView->Columns()->Items(0)->Width(), 335);
    EXPECT_EQ(Form->AviAdvComboBox->Items()->Count(), 11);
    EXPECT_EQ(Form->AviAdvComboBox->Text(), QStringLiteral("FLV for WEB (not converted)"));
    EXPECT_EQ(Form->DownloadAdvComboBox->Items()->Count(), 41);
    EXPECT_EQ(Form->DownloadAdvComboBox->Text(), QStringLiteral("Auto"));
    EXPECT_EQ(Form->ExampleMemo->Text(), ExampleLink);
    EXPECT_EQ(Form->AdvPopupMenu->Items()->Count(), 6);
    EXPECT_EQ(buttons(), "00000");
}

// The popup twins' pictures as the menu paints them: grey while the twin is disabled, in colour
// while it is enabled ("Video Info" always is).
TEST_F(MainFormTest, DisabledPopupItemsShowGreyPictures) {
    const int Column = Form->AdvMenuOfficeStyler->IconBar()->Size();
    constexpr int W = 200, H = 24;
    for (int i = 0; i < 6; ++i) {
        TMenuItem* Item = Form->AdvPopupMenu->Items()->Items(i);
        SCOPED_TRACE(Item->Caption().toStdString());
        TBitmap Row(W, H);
        TOwnerDrawState State;
        if (!Item->Enabled()) State.Include(odDisabled);
        Item->AdvancedDrawItem(Row.Canvas(), Rect(0, 0, W, H), State);
        // The picture's pixels: those unlike the icon column's own colour in the row's top line.
        int Picture = 0, Coloured = 0;
        for (int Y = 1; Y < H; ++Y)
            for (int X = 0; X < Column; ++X) {
                const TColor P = Row.Canvas()->Pixels(X, Y), Back = Row.Canvas()->Pixels(X, 0);
                if (std::abs(GetRValue(P) - GetRValue(Back)) + std::abs(GetGValue(P) - GetGValue(Back)) +
                        std::abs(GetBValue(P) - GetBValue(Back)) <
                    24)
                    continue;
                ++Picture;
                const int Hi = std::max({GetRValue(P), GetGValue(P), GetBValue(P)});
                const int Lo = std::min({GetRValue(P), GetGValue(P), GetBValue(P)});
                if (Hi - Lo > 40) ++Coloured;
            }
        EXPECT_GT(Picture, 10);
        if (Item->Enabled())
            EXPECT_GT(Coloured, 10);
        else
            EXPECT_EQ(Coloured, 0);
    }
}

TEST_F(MainFormTest, AcceptedLinkIsListedSelectedAndReady) {
    FPage.Title = QStringLiteral("  My: \"best\" clip - part*1/2? YouTube  ");
    FPage.Size = 1000000;
    Form->AviAdvComboBox->SetItemIndex(2);
    add(QStringLiteral("  HTTPS://WWW.QUILLORY.COM/VIDEO/VIDEO.PHP?V=1  "));
    EXPECT_EQ(Dialogs.Count(), 0);
    EXPECT_EQ(Form->LinkAdvLUEdit->Text(), QStringLiteral("HTTPS://WWW.QUILLORY.COM/VIDEO/VIDEO.PHP?V=1"));
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_EQ(Form->MainListView->Items()->Count(), 1);
    const TItem& Item = entries[0];
    EXPECT_EQ(Item.title, QStringLiteral("My best clip  part12"));
    EXPECT_EQ(Item.filename, Item.title);
    EXPECT_EQ(Item.server, QuillorySiteId);
    EXPECT_EQ(Item.status, esReady);
    EXPECT_EQ(Item.format, 2);
    EXPECT_EQ(Item.saveto, FVideos.Path());
    EXPECT_EQ(Form->RowText(0, 0), Item.title);
    EXPECT_EQ(Form->RowText(0, 2), QStringLiteral("0%"));
    EXPECT_EQ(Form->MainListView->ItemIndex(), 0);
    EXPECT_EQ(buttons(), "10100");
    waitUntilThreadsEnd();
}

TEST_F(MainFormTest, RefusedLinksShowTheirMessagesAndLeaveTheListAlone) {
    add(QuilloryLink);
    waitUntilThreadsEnd();
    const String Invalid = QStringLiteral("Invalid link. Example: ") + ExampleLink;
    const struct {
        const char* Name;
        String Link;
        std::vector<String> Messages;
    } Cases[] = {
        {"QuilloryWithoutVideo", QStringLiteral("https://www.quillory.com/photo.php?x=1"), {Invalid, NoVideo}},
        {"NoSite", QStringLiteral("https://example.org/clip"), {NoVideo}},
        {"EmptyBox", QString(), {NoVideo}},
        {"Duplicate", QuilloryLink, {NoVideo}},
        {"OtherSite", QStringLiteral("https://www.youtube.com/watch?v=abc"), {NoVideo}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Dialogs.Clear();
        add(C.Link);
        EXPECT_EQ(messages(), C.Messages);
        for (int i = 0; i < Dialogs.Count(); ++i) {
            EXPECT_EQ(Dialogs.Request(i).DlgType, mtError);
            EXPECT_EQ(Dialogs.Request(i).Buttons, TMsgDlgButtons{mbOK});
        }
        EXPECT_EQ(entries.size(), 1u);
        EXPECT_EQ(Form->MainListView->Items()->Count(), 1);
        EXPECT_EQ(entries[0].link, QuilloryLink);
    }
}

TEST_F(MainFormTest, PageWithoutTitleRemovesItsEntrySilently) {
    FPage.Title.clear();
    add(QuilloryLink);
    EXPECT_EQ(Dialogs.Count(), 0);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(Form->MainListView->Items()->Count(), 0);
    waitUntilThreadsEnd();
}

TEST_F(MainFormTest, EnterInTheLinkBoxAdds) {
    Form->LinkAdvLUEdit->SetText(QuilloryLink);
    Word Key = VK_RETURN;
    Form->LinkAdvLUEdit->OnKeyDown(Form->LinkAdvLUEdit, Key, {});
    EXPECT_EQ(Form->MainListView->Items()->Count(), 1);
    waitUntilThreadsEnd();
}

TEST_F(MainFormTest, ButtonsFollowTheSelectedEntrysState) {
    add(QuilloryLink);
    waitUntilThreadsEnd();
    const struct {
        int Status;
        bool Titled;
        const char* Expected;
    } Cases[] = {
        {esReady, true, "10100"},   {esDownloading, true, "01000"}, {esDone, true, "00111"},
        {esCreated, true, "00100"}, {esReady, false, "00000"},
    };
    for (const auto& C : Cases) {
        entries[0].status = C.Status;
        entries[0].title = C.Titled ? QStringLiteral("t") : String();
        Form->enable_buttons();
        EXPECT_EQ(buttons(), C.Expected) << "status " << C.Status << " titled " << C.Titled;
    }
    Form->MainListView->SetItemIndex(-1);
    EXPECT_EQ(buttons(), "00000");
}

TEST_F(MainFormTest, RemoveKeepsLaterRowsWithTheirEntries) {
    for (int i = 0; i < 3; ++i) {
        FPage.Title = QStringLiteral("Title %1").arg(i);
        FPage.Size = 1024 * (i + 1);
        add(QuilloryLink + String::number(i));
    }
    waitUntilThreadsEnd();
    Form->SetRowText(2, 2, QStringLiteral("100%"));
    entries[2].status = esDone;
    Form->MainListView->SetItemIndex(1);
    Form->RemoveAdvToolButtonClick(nullptr);
    ASSERT_EQ(entries.size(), 2u);
    ASSERT_EQ(Form->MainListView->Items()->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].id, i);
        EXPECT_EQ(Form->RowText(i, 0), entries[i].title);
        EXPECT_EQ(Form->RowText(i, 1), T_mainForm::FmtFileSize(entries[i].size));
    }
    EXPECT_EQ(entries[1].title, QStringLiteral("Title 2"));
    EXPECT_EQ(Form->RowText(1, 2), QStringLiteral("100%"));
    // The entry that followed is the selected one now.
    EXPECT_EQ(Form->MainListView->ItemIndex(), 1);
    EXPECT_EQ(buttons(), "00111");

    Form->RemoveAdvToolButtonClick(nullptr);
    EXPECT_EQ(Form->MainListView->ItemIndex(), -1);
    EXPECT_EQ(buttons(), "00000");
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(MainFormTest, StartStopAndRestartOnlyAfterTheThreadHasEnded) {
    add(QuilloryLink);
    waitUntilThreadsEnd();
    Form->StartAdvToolButtonClick(nullptr);
    EXPECT_EQ(entries[0].status, esDownloading);
    EXPECT_NE(entries[0].thread, nullptr);
    EXPECT_NE(entries[0].thread_id, 0u);
    EXPECT_EQ(RowIndexOfThread(entries[0].thread_id), 0);
    EXPECT_EQ(buttons(), "01000");
    // A second Start does not give the entry a second thread.
    Form->StartAdvToolButtonClick(nullptr);
    EXPECT_EQ(FRunning.load(), 1);

    Form->StopAdvToolButtonClick(nullptr);
    EXPECT_EQ(entries[0].status, esReady);
    // Its thread is still ending: Start is not offered yet, Remove is.
    if (entries[0].thread) {
        EXPECT_EQ(buttons(), "00100");
    }
    Form->StartAdvToolButtonClick(nullptr);
    waitUntilThreadsEnd();
    EXPECT_EQ(entries[0].thread, nullptr);
    EXPECT_EQ(buttons(), "10100");
    // Stop on an entry without a live thread touches nothing.
    entries[0].status = esDownloading;
    Form->StopAdvToolButtonClick(nullptr);
    EXPECT_EQ(entries[0].status, esDownloading);
    entries[0].status = esReady;
}

TEST_F(MainFormTest, AutostartStartsTheAcceptedEntry) {
    Form->AutoCheckBox->SetChecked(true);
    add(QuilloryLink);
    EXPECT_EQ(entries[0].status, esDownloading);
    EXPECT_EQ(buttons(), "01000");
    Form->StopAdvToolButtonClick(nullptr);
    waitUntilThreadsEnd();
}

TEST_F(MainFormTest, ClosingStopsRunningDownloadsFirst) {
    add(QuilloryLink);
    Form->StartAdvToolButtonClick(nullptr);
    ASSERT_EQ(FRunning.load(), 1);
    EXPECT_TRUE(StopAllWorkers(10000));
    EXPECT_EQ(LiveWorkerCount(), 0);
}

TEST_F(MainFormTest, ShellActionsOpenTheRightTargets) {
    TRecordingShellService Shell;
    TShellServiceGuard ShellGuard(&Shell);
    add(QuilloryLink);
    waitUntilThreadsEnd();
    entries[0].status = esDone;
    entries[0].saveto = QStringLiteral("/tmp/videos\\");
    entries[0].filename = QStringLiteral("clip.flv");
    Form->enable_buttons();

    Form->OpenAdvToolButtonClick(nullptr);
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Shell.Last().Kind, TShellRequest::skShowInFileManager);
    EXPECT_TRUE(Shell.Last().File.endsWith(QStringLiteral("clip.flv")));

    Form->PlayAdvToolButtonClick(nullptr);
    ASSERT_EQ(Shell.Count(), 2);
    EXPECT_EQ(Shell.Last().Kind, TShellRequest::skOpen);
    EXPECT_TRUE(Shell.Last().File.endsWith(QStringLiteral("clip.flv")));
    EXPECT_FALSE(Shell.Last().File.contains(QStringLiteral("\\\\")));

    // Open Video opens the folder in the folder box, whatever the selected entry's folder.
    const TempFolder Elsewhere;
    Form->SaveAdvDirectoryEdit->SetText(Elsewhere.Path());
    Form->OpenLabelClick(nullptr);
    EXPECT_EQ(Shell.Last().File, Elsewhere.Path());
}

TEST_F(MainFormTest, WaitWindowStopEndsTheWait) {
    FakeClock Clock;
    grab_done = false;
    _waitForm->Show();
    _waitForm->Stop1AdvToolButtonClick(nullptr);
    EXPECT_TRUE(grab_done.load());
    EXPECT_TRUE(_waitForm->Stop1AdvToolButton->Enabled());
    EXPECT_FALSE(_waitForm->Visible());
    EXPECT_EQ(_waitForm->WaitStaticText->Caption(), QStringLiteral("Please Wait (up to 3 minutes) ..."));
}

}  // namespace
