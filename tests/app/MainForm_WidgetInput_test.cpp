// The main window driven as a user drives it, through the real widgets over loopback HTTPS: keys
// typed into the link box, pastes, clicks on the buttons; the size column of a large media file;
// the folder a download goes to; the focus marks Tab shows; the web buttons without an opener.
#include "app/Entries.h"
#include "app/_mainUnit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Clipbrd.h"
#include "tests/app/DownloaderFixture.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

const std::string MediaBody(64 * 1024, 'v');
constexpr size_t LargeMediaSize = 100 * 1024 * 1024;  // announced only: the probe reads no body

std::string page(const std::string& MediaPath) {
    return "<html><head><title>Clip one</title></head><body><script>{\"playable_url\":\"https:\\/\\/"
           "www.quillory.com\\/media\\/" +
           MediaPath + "\"}</script></body></html>";
}

class MainFormInputTest : public DownloaderFixture {
protected:
    void SetUp() override {
        DownloaderFixture::SetUp();
        FPage = page("clip.flv");
        _mainForm->Show();
        ASSERT_TRUE(waitUntil([] { return _mainForm->Active(); }));
        FWindow = ShownWindowOf(_mainForm);
        ASSERT_NE(FWindow, nullptr);
        FLinkBox = QtEditorOf(_mainForm->LinkAdvLUEdit);
        ASSERT_NE(FLinkBox, nullptr);
    }
    void AddRoutes(httplib::Server& S) override {
        S.Get("/media/clip.flv",
              [](const httplib::Request&, httplib::Response& Res) { Res.set_content(MediaBody, "video/x-flv"); });
        S.Get("/media/large.flv", [](const httplib::Request&, httplib::Response& Res) {
            Res.set_content_provider(LargeMediaSize, "video/x-flv", [](size_t, size_t Length, httplib::DataSink& Sink) {
                const std::string Block(std::min<size_t>(Length, 64 * 1024), 'l');
                return Sink.write(Block.data(), Block.size());
            });
        });
    }

    void click(TControl* Control) { ClickControl(FWindow, Control); }
    // Clicks into the link box (which clears its prompt) and types Text.
    void typeLink(const String& Text) {
        click(_mainForm->LinkAdvLUEdit);
        ASSERT_TRUE(_mainForm->LinkAdvLUEdit->Focused());
        ASSERT_TRUE(_mainForm->LinkAdvLUEdit->Text().isEmpty());
        QTest::keyClicks(FLinkBox, Text);
        ASSERT_EQ(_mainForm->LinkAdvLUEdit->Text(), Text);
    }
    void pressEnter() { PressEnterLikeAHand(FLinkBox); }
    int requestsFor(const std::string& Path) const {
        int Count = 0;
        for (const auto& R : FServer.Requests()) Count += R.Target.rfind(Path, 0) == 0;
        return Count;
    }

    QWindow* FWindow = nullptr;
    QLineEdit* FLinkBox = nullptr;
};

TEST_F(MainFormInputTest, EnterInTheLinkBoxAddsOnce) {
    typeLink(PageLink);
    pressEnter();
    EXPECT_EQ(FDialogs.Count(), 0) << (FDialogs.Count() ? FDialogs.Last().Text.toStdString() : "");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(_mainForm->MainListView->Items()->Count(), 1);
    EXPECT_EQ(requestsFor("/video/video.php"), 1);
    EXPECT_EQ(_mainForm->RowText(0, 0), QStringLiteral("Clip one"));
}

TEST_F(MainFormInputTest, LargeMediaIsMeasuredWithoutAnError) {
    FPage = page("large.flv");
    const FormatSettingsScope Locale;
    FormatSettings.DecimalSeparator = u'.';
    typeLink(PageLink);
    click(_mainForm->AddAdvToolButton);
    ASSERT_TRUE(waitUntil([] { return _mainForm->MainListView->Items()->Count() == 1; }));
    EXPECT_EQ(FDialogs.Count(), 0) << (FDialogs.Count() ? FDialogs.Last().Text.toStdString() : "");
    EXPECT_EQ(entries[0].size, Int64(LargeMediaSize));
    EXPECT_EQ(_mainForm->RowText(0, 1), QStringLiteral("104.86 Mb"));
}

TEST_F(MainFormInputTest, ALinkTheBoxCannotHoldIsNeverFetched) {
    const String Long = PageLink + QStringLiteral("&pad=") + String(LinkBoxMaxLength, u'a');
    Clipboard()->SetAsText(Long);
    click(_mainForm->LinkAdvLUEdit);
    struct Case {
        const char* Name;
        std::function<void()> Paste;
    };
    const Case Pastes[] = {
        {"Ctrl+V", [this] { QTest::keyClick(FLinkBox, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [this] { QTest::keyClick(FLinkBox, Qt::Key_Insert, Qt::ShiftModifier); }},
    };
    for (const Case& C : Pastes) {
        SCOPED_TRACE(C.Name);
        FDialogs.Clear();
        C.Paste();
        ASSERT_EQ(FDialogs.Count(), 1);
        EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
        EXPECT_TRUE(FDialogs.Last().Text.startsWith(QStringLiteral("The link is too long")));
        EXPECT_TRUE(_mainForm->LinkAdvLUEdit->Text().isEmpty()) << "nothing pasted";
    }

    // The editor's own paste (its menu) cuts the text at the box's limit: Add refuses it.
    FDialogs.Clear();
    FLinkBox->paste();
    ASSERT_EQ(_mainForm->LinkAdvLUEdit->Text().length(), LinkBoxMaxLength);
    pressEnter();
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_TRUE(FDialogs.Last().Text.startsWith(QStringLiteral("The link is too long")));
    EXPECT_TRUE(entries.empty());
    EXPECT_TRUE(FServer.Requests().empty());

    // One character less fits whole.
    FDialogs.Clear();
    Clipboard()->SetAsText(Long.left(LinkBoxMaxLength - 1));
    _mainForm->LinkAdvLUEdit->SetText(String());
    QTest::keyClick(FLinkBox, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(_mainForm->LinkAdvLUEdit->Text(), Long.left(LinkBoxMaxLength - 1));
    EXPECT_EQ(FDialogs.Count(), 0);
}

TEST_F(MainFormInputTest, AnEmptyOrMissingFolderIsNeverJoinedIntoTheRoot) {
    // An empty box (its change handler would undo a folder that does not exist, so it is left
    // out here): the entry takes the documents folder.
    const TNotifyEvent Undoing = _mainForm->SaveAdvDirectoryEdit->OnChange;
    _mainForm->SaveAdvDirectoryEdit->OnChange = nullptr;
    _mainForm->SaveAdvDirectoryEdit->SetText(String());
    _mainForm->SaveAdvDirectoryEdit->OnChange = Undoing;
    typeLink(PageLink);
    pressEnter();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].saveto, GetMyDocumentsFolder());

    // A folder gone since: Start says so and fetches nothing.
    const String Gone = FFolder.File(QStringLiteral("gone"));
    entries[0].saveto = Gone;
    click(_mainForm->StartAdvToolButton);
    ASSERT_TRUE(waitUntil([] { return entries[0].thread == nullptr && LiveWorkerCount() == 0; }));
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_EQ(FDialogs.Last().Text,
              QStringLiteral("The save folder \"%1\" does not exist. Nothing was downloaded.").arg(Gone));
    EXPECT_EQ(entries[0].status, esReady);
    EXPECT_EQ(requestsFor("/media/"), 1) << "the size probe only";
    EXPECT_FALSE(DirectoryExists(Gone));

    // No folder at all (an entry from elsewhere): the same.
    FDialogs.Clear();
    entries[0].saveto.clear();
    click(_mainForm->StartAdvToolButton);
    ASSERT_TRUE(waitUntil([] { return entries[0].thread == nullptr && LiveWorkerCount() == 0; }));
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_EQ(FDialogs.Last().Text, QStringLiteral("No save folder is set. Nothing was downloaded."));
    EXPECT_EQ(requestsFor("/media/"), 1);
}

// The longest run of pixels along a row (Horizontal) or a column that alternate between two
// colours: the ink of a dotted focus rectangle, which text and frames do not make.
int longestDottedRun(const QImage& Image, bool Horizontal) {
    const int Lines = Horizontal ? Image.height() : Image.width();
    const int Length = Horizontal ? Image.width() : Image.height();
    auto At = [&](int Line, int I) { return Horizontal ? Image.pixel(I, Line) : Image.pixel(Line, I); };
    int Best = 0;
    for (int Line = 0; Line < Lines; ++Line)
        for (int I = 2, Run = 0; I < Length; ++I) {
            const bool Alternates = At(Line, I) == At(Line, I - 2) && At(Line, I) != At(Line, I - 1);
            Run = Alternates ? (Run ? Run + 1 : 3) : 0;
            Best = std::max(Best, Run);
        }
    return Best;
}

bool showsFocusRectangle(const QImage& Image) {
    return longestDottedRun(Image, true) >= 12 && longestDottedRun(Image, false) >= 6;
}

// Tab goes round the window; after each Tab the focused control, and no other, shows its mark.
TEST_F(MainFormInputTest, EachTabMarksTheFocusedControlAlone) {
    QWidget* Window = ShownWindowTitled(_mainForm->Caption());
    ASSERT_NE(Window, nullptr);
    TWinControl* const Marking[] = {_mainForm->AutoCheckBox, _mainForm->DownloadAdvComboBox, _mainForm->AviAdvComboBox,
                                    _mainForm->HQCheckBox};
    TWinControl* const Others[] = {_mainForm->LinkAdvLUEdit, _mainForm->ExampleMemo, _mainForm->SaveAdvDirectoryEdit,
                                   _mainForm->MainListView};
    auto Part = [&](const QImage& Shot, TControl* C) {
        const TPoint At = C->ClientToScreen(Point(0, 0));
        const QPoint Local = Window->mapFromGlobal(QPoint(At.X, At.Y));
        return Shot.copy(Local.x(), Local.y(), C->Width(), C->Height());
    };
    std::set<TWinControl*> MarkedOnce;
    // The eight stops twice over: a mark once shown must also go.
    for (int Stop = 0; Stop < 16; ++Stop) {
        QWidget* Focus = QApplication::focusWidget();
        ASSERT_NE(Focus, nullptr);
        QTest::keyClick(Focus, Qt::Key_Tab);
        drain(20);
        const QImage Shot = Window->grab().toImage();
        TWinControl* Active = _mainForm->ActiveControl();
        ASSERT_NE(Active, nullptr);
        SCOPED_TRACE("Tab " + std::to_string(Stop + 1) + " onto " + Active->Name().toStdString());
        for (TWinControl* C : Marking) {
            const bool Marked = showsFocusRectangle(Part(Shot, C));
            EXPECT_EQ(Marked, C->Focused()) << C->Name().toStdString();
            if (Marked && C->Focused()) MarkedOnce.insert(C);
        }
        for (TWinControl* C : Others) EXPECT_FALSE(showsFocusRectangle(Part(Shot, C))) << C->Name().toStdString();
    }
    EXPECT_EQ(MarkedOnce.size(), std::size(Marking)) << "every box was reached by Tab and marked";
}

// The right panel's web buttons open their page with the desktop's opener; when there is none or
// it fails, a box names the address to open by hand.
TEST_F(MainFormInputTest, AWebButtonWithoutAWorkingOpenerNamesItsAddress) {
    TempFolder Bin;
    const String Opened = Bin.File(QStringLiteral("opened"));
    auto WriteOpener = [&](int ExitCode) {
        QFile F(Bin.File(QStringLiteral("xdg-open")));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit %2\n").arg(Opened).arg(ExitCode).toLocal8Bit());
        F.close();
        F.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const QByteArray OldPath = qgetenv("PATH");
    qputenv("PATH", Bin.Path().toLocal8Bit());
    struct Restore {
        QByteArray Path;
        ~Restore() { qputenv("PATH", Path); }
    } RestorePath{OldPath};

    const String Faq = MakerHost + QStringLiteral("/quillory/faq.html");
    struct Case {
        const char* Name;
        int OpenerExit;  // -1: no opener on PATH
        bool BoxShown;
    };
    const Case Cases[] = {{"no opener", -1, true}, {"the opener fails", 3, true}, {"the opener opens it", 0, false}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        if (C.OpenerExit >= 0) WriteOpener(C.OpenerExit);
        FDialogs.Clear();
        click(_mainForm->HelpAdvToolButton);
        drain(50);
        ASSERT_EQ(FDialogs.Count(), C.BoxShown ? 1 : 0) << dialogTexts();
        if (C.BoxShown) {
            EXPECT_TRUE(FDialogs.Last().Text.contains(Faq)) << FDialogs.Last().Text.toStdString();
        }
        if (C.OpenerExit >= 0) {
            EXPECT_TRUE(contentOf(Opened).contains(Faq.toUtf8())) << "the opener was asked";
        }
    }

    // The mail button names the address to write to.
    QFile::remove(Bin.File(QStringLiteral("xdg-open")));
    FDialogs.Clear();
    click(_mainForm->SupportAdvToolButton);
    drain(50);
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_TRUE(FDialogs.Last().Text.contains(SupportAddress.mid(7))) << FDialogs.Last().Text.toStdString();
}

}  // namespace
