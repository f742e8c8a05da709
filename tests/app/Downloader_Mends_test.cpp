// The downloader's mended behaviour over loopback HTTPS: a temporary name already taken is drawn
// again, the converter gets folder names with blanks and quotes unchanged, a page over 64 MiB is
// a failed page request, a page without the high-quality key gives one probe, and a page reader
// whose entry was removed writes into no other entry.
#include "app/Converter.h"
#include "app/Entries.h"
#include "app/Startup.h"
#include "app/_downloadUnit.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_preview_QuilloryUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Math.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Forms.h"
#include "tests/app/DownloaderFixture.h"
#include "tests/support/HttpsTestServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace {

const std::string MediaBody(200 * 1024, 'm');

std::string page(bool WithHQ) {
    std::string Page =
        "<html><head><title>Clip one</title></head><body><script>{\"playable_url\":\"https:\\/\\/"
        "www.quillory.com\\/media\\/clip.flv\"";
    if (WithHQ) Page += ",\"playable_url_quality_hd\":\"https:\\/\\/www.quillory.com\\/media\\/clip.flv\"";
    return Page + "}</script></body></html>";
}

class DownloaderMendsTest : public DownloaderFixture {
protected:
    void SetUp() override {
        DownloaderFixture::SetUp();
        FPage = page(false);
    }
    void TearDown() override {
        DownloaderFixture::TearDown();
        unsetenv("VIDMORF_ARGS_LOG");
    }
    void AddRoutes(httplib::Server& S) override {
        S.Get("/video/slow.php", [this](const httplib::Request&, httplib::Response& Res) {
            FSlowReached = true;
            while (!FReleaseSlow && !FServer.Stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Res.set_content(page(false), "text/html; charset=utf-8");
        });
        S.Get("/video/huge.php", [](const httplib::Request&, httplib::Response& Res) {
            Res.set_content_provider(64 * 1024 * 1024 + 1, "text/html",
                                     [](size_t, size_t Length, httplib::DataSink& Sink) {
                                         const std::string Block(std::min<size_t>(Length, 64 * 1024), 'p');
                                         return Sink.write(Block.data(), Block.size());
                                     });
        });
        S.Get("/media/clip.flv",
              [](const httplib::Request&, httplib::Response& Res) { Res.set_content(MediaBody, "video/x-flv"); });
    }
    void ReleaseRoutes() override { FReleaseSlow = true; }

    std::atomic<bool> FSlowReached{false};
    std::atomic<bool> FReleaseSlow{false};
};

// The generator is process-wide: replaying its state replays the thread's first name draw.
TEST_F(DownloaderMendsTest, TemporaryNameAlreadyTakenIsDrawnAgain) {
    add();
    ASSERT_EQ(entries.size(), 1u) << dialogTexts();
    T_mainForm::RandomString(QStringLiteral("2"));  // the generator is seeded by now
    const std::uint32_t Seed = RandSeed();
    const String Taken = T_mainForm::RandomString(QStringLiteral("22222222")) + QStringLiteral(".flv");
    SetRandSeed(Seed);
    {
        QFile Other(FFolder.File(Taken));
        ASSERT_TRUE(Other.open(QIODevice::WriteOnly));
        Other.write("another download's file");
    }
    startAndWait();
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    EXPECT_EQ(entries[0].status, esDone);
    EXPECT_NE(entries[0].filenamet.toStdString(), Taken.toStdString());
    EXPECT_EQ(contentOf(FFolder.File(Taken)), QByteArray("another download's file"));
    EXPECT_EQ(contentOf(FFolder.File(QStringLiteral("Clip one.flv"))).toStdString(), MediaBody);
    EXPECT_EQ(filesIn(FFolder.Path()), (std::set<String>{Taken, QStringLiteral("Clip one.flv")}));
}

// Two downloads of the same title started together: each its own temporary file, both complete,
// the second final name drawn free.
TEST_F(DownloaderMendsTest, TwoDownloadsStartedTogetherKeepTheirOwnFiles) {
    add(PageLink);
    add(PageLink + QStringLiteral("&second"));
    ASSERT_EQ(entries.size(), 2u) << dialogTexts();
    for (int Row : {0, 1}) {
        _mainForm->MainListView->SetItemIndex(Row);
        _mainForm->StartAdvToolButtonClick(_mainForm->StartAdvToolButton);
    }
    ASSERT_TRUE(waitUntil(
        [] { return entries[0].thread == nullptr && entries[1].thread == nullptr && LiveWorkerCount() == 0; }));
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    std::set<String> Names;
    for (const TItem& Item : entries) {
        EXPECT_EQ(Item.status, esDone);
        EXPECT_EQ(_mainForm->RowText(Item.id, 2), QStringLiteral("100%"));
        EXPECT_EQ(contentOf(FFolder.File(Item.filename)).toStdString(), MediaBody) << Item.filename.toStdString();
        Names.insert(Item.filename);
    }
    EXPECT_NE(entries[0].filenamet.toStdString(), entries[1].filenamet.toStdString());
    EXPECT_EQ(Names.size(), 2u);
    EXPECT_EQ(filesIn(FFolder.Path()), Names);
}

TEST_F(DownloaderMendsTest, ConverterGetsFolderNamesWithBlanksAndQuotesUnchanged) {
    installConverter();
    const String Folder = FFolder.File(QStringLiteral("My \"best\" videos; $(echo x) & more"));
    ASSERT_TRUE(ForceDirectories(Folder));
    const String ArgsLog = FFolder.File(QStringLiteral("args.txt"));
    setenv("VIDMORF_ARGS_LOG", ArgsLog.toLocal8Bit().constData(), 1);
    _mainForm->SaveAdvDirectoryEdit->SetText(Folder);
    _mainForm->AviAdvComboBox->SetItemIndex(1);
    add();
    startAndWait();
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    EXPECT_EQ(entries[0].status, esDone);
    EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one.avi"));
    EXPECT_EQ(filesIn(Folder), (std::set<String>{QStringLiteral("Clip one.avi"), QStringLiteral("Clip one.flv")}));
    EXPECT_EQ(contentOf(Folder + QStringLiteral("/Clip one.avi")).toStdString(), MediaBody);

    const String Source = Folder + QStringLiteral("/") + entries[0].filenamet;
    const QStringList Expected = {QStringLiteral("-i"),         Source,
                                  QStringLiteral("-sameq"),     QStringLiteral("-vcodec"),
                                  QStringLiteral("mpeg4"),      QStringLiteral("-acodec"),
                                  QStringLiteral("libmp3lame"), QStringLiteral("-f"),
                                  QStringLiteral("avi"),        QStringLiteral("-y"),
                                  Source + QStringLiteral("_")};
    QStringList Seen = QString::fromLocal8Bit(contentOf(ArgsLog)).split(QLatin1Char('\n'));
    if (!Seen.isEmpty() && Seen.last().isEmpty()) Seen.removeLast();
    EXPECT_EQ(Seen.join(QLatin1Char('\n')).toStdString(), Expected.join(QLatin1Char('\n')).toStdString());
}

// A converter that cannot be started at all fails like one that exits with an error.
TEST_F(DownloaderMendsTest, ConverterThatCannotStartKeepsTheFlv) {
    {
        QFile NotAProgram(ConverterPath());
        ASSERT_TRUE(NotAProgram.open(QIODevice::WriteOnly));
        NotAProgram.write("not a program");
        NotAProgram.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    _mainForm->AviAdvComboBox->SetItemIndex(2);
    add();
    startAndWait();
    EXPECT_EQ(entries[0].status, esDone);
    EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one.flv"));
    EXPECT_EQ(_mainForm->RowText(0, 2), QStringLiteral("100%"));
    EXPECT_EQ(filesIn(FFolder.Path()), std::set<String>{QStringLiteral("Clip one.flv")});
    EXPECT_EQ(contentOf(FFolder.File(QStringLiteral("Clip one.flv"))).toStdString(), MediaBody);
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
    EXPECT_TRUE(FDialogs.Last().Text.contains(QStringLiteral("vidmorf.exe"))) << FDialogs.Last().Text.toStdString();
}

TEST_F(DownloaderMendsTest, PageOver64MiBIsAFailedPageRequest) {
    add(QStringLiteral("https://www.quillory.com/video/huge.php"));
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
    EXPECT_EQ(FDialogs.Last().Text, QStringLiteral("Error getting flv URL\r\nError6"));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(_mainForm->MainListView->Items()->Count(), 0);
}

TEST_F(DownloaderMendsTest, HighQualityKeyDecidesTheSecondProbe) {
    for (bool WithHQ : {false, true}) {
        SCOPED_TRACE(WithHQ);
        entries.clear();
        _mainForm->ClearList();
        FServer.ClearRequests();
        FPage = page(WithHQ);
        add();
        ASSERT_EQ(entries.size(), 1u) << dialogTexts();
        EXPECT_EQ(entries[0].size, Int64(MediaBody.size()));
        EXPECT_EQ(entries[0].url_hq.isEmpty(), !WithHQ);
        EXPECT_EQ(entries[0].size_hq, WithHQ ? Int64(MediaBody.size()) : 0);
        EXPECT_EQ(FServer.Requests().size(), WithHQ ? 3u : 2u);
        EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    }
}

// Another entry becomes the last one while the reader waits for its page; the reader's entry is
// removed. The reader writes nothing, neither into the removed entry's place nor the newest.
TEST_F(DownloaderMendsTest, ReaderOfARemovedEntryWritesIntoNoOtherEntry) {
    const int Own = AppendEntry(QuillorySiteId, QStringLiteral("https://www.quillory.com/video/slow.php"));
    auto* Reader = new TQuilloryGrabThread(entries[Own].key);
    Reader->SetFreeOnTerminate(true);
    Reader->Start();
    ASSERT_TRUE(waitUntil([&] { return FSlowReached.load(); }));
    RemoveEntryAt(Own);
    AppendEntry(QuillorySiteId, PageLink);
    FReleaseSlow = true;
    ASSERT_TRUE(waitUntil([] { return LiveWorkerCount() == 0; }));
    ASSERT_EQ(entries.size(), 1u) << dialogTexts();
    EXPECT_EQ(entries[0].link, PageLink);
    EXPECT_TRUE(entries[0].title.isEmpty());
    EXPECT_TRUE(entries[0].url.isEmpty());
    EXPECT_EQ(entries[0].size, 0);
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
}

}  // namespace
