// The downloader end to end over loopback HTTPS: a Quillory link added in the main window is read,
// listed, downloaded, converted by the stand-in converter and named; and the faults on the way.
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
#include "framework/ui/Dialogs.h"
#include "framework/ui/Forms.h"
#include "tests/app/DownloaderFixture.h"
#include "tests/support/HttpsTestServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace {

const std::string MediaBody = [] {
    std::string Body(300 * 1024, '\0');
    for (size_t i = 0; i < Body.size(); ++i) Body[i] = char('a' + i % 26);
    return Body;
}();

std::string page(const std::string& MediaPath, bool WithHQ = true) {
    std::string Page =
        "<html><head><title>\n Clip: one </title></head><body>"
        "<script>{\"i18n_reaction_count\":\"1.2K\",\"i18n_comment_count\":\"34\",\"playable_url\":\"https:\\/\\/"
        "www.quillory.com\\/media\\/" +
        MediaPath + "\"";
    if (WithHQ) Page += ",\"playable_url_quality_hd\":\"https:\\/\\/www.quillory.com\\/media\\/hq.flv\"";
    return Page + "}</script></body></html>";
}

class DownloaderTest : public DownloaderFixture {
protected:
    void SetUp() override {
        DownloaderFixture::SetUp();
        FPage = page("clip.flv?a\\u00253D1");
    }
    void AddRoutes(httplib::Server& S) override {
        S.Get("/video/missing.php", [](const httplib::Request&, httplib::Response& Res) { Res.status = 404; });
        S.Get("/media/clip.flv",
              [](const httplib::Request&, httplib::Response& Res) { Res.set_content(MediaBody, "video/x-flv"); });
        S.Get("/media/hq.flv", [this](const httplib::Request&, httplib::Response& Res) {
            Res.set_content_provider(12345678, "video/x-flv", [this](size_t, size_t Length, httplib::DataSink& Sink) {
                const std::string Block(std::min<size_t>(Length, 64 * 1024), 'h');
                FHQServed += Block.size();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                return Sink.write(Block.data(), Block.size());
            });
        });
        S.Get("/media/cut.flv", [](const httplib::Request&, httplib::Response& Res) {
            Res.set_content_provider(MediaBody.size(), "video/x-flv",
                                     [](size_t Offset, size_t, httplib::DataSink& Sink) {
                                         if (Offset >= 100 * 1024) return false;  // drops the connection
                                         return Sink.write(MediaBody.data() + Offset, 100 * 1024);
                                     });
        });
        S.Get("/media/stall.flv", [this](const httplib::Request&, httplib::Response& Res) {
            Res.set_content_provider(MediaBody.size(), "video/x-flv",
                                     [this](size_t Offset, size_t, httplib::DataSink& Sink) {
                                         if (Offset == 0) {
                                             FStallReached = true;
                                             return Sink.write(MediaBody.data(), 1000);
                                         }
                                         while (!FServer.Stopping() && !FReleaseStall)
                                             std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                         return false;
                                     });
        });
        S.Get("/media/ftp.flv", [](const httplib::Request&, httplib::Response& Res) {
            Res.set_redirect("ftp://www.quillory.com/media/clip.flv");
        });
    }
    void ReleaseRoutes() override { FReleaseStall = true; }
    void WorkersStopped() override { drain(200); }

    String fileText(const String& Name) const { return String::fromLatin1(contentOf(FFolder.File(Name))); }
    String progress(int Row = 0) const { return _mainForm->RowText(Row, 2); }

    std::atomic<size_t> FHQServed{0};
    std::atomic<bool> FStallReached{false};
    std::atomic<bool> FReleaseStall{false};
};

TEST_F(DownloaderTest, PageReadListsTheEntryWithItsSizesAndSendsBrowserHeaders) {
    add(QStringLiteral("http://www.quillory.com/video/video.php?v=12345678901234567"));
    ASSERT_EQ(entries.size(), 1u) << dialogTexts();
    const TItem& Item = entries[0];
    EXPECT_EQ(Item.title, QStringLiteral("Clip one"));
    EXPECT_EQ(Item.filename, QStringLiteral("Clip one"));
    EXPECT_EQ(Item.views, QStringLiteral("1.2K"));
    EXPECT_EQ(Item.favorited, QStringLiteral("34"));
    EXPECT_EQ(Item.url, QStringLiteral("https://www.quillory.com/media/clip.flv?a=1"));
    EXPECT_EQ(Item.url_hq, QStringLiteral("https://www.quillory.com/media/hq.flv"));
    EXPECT_EQ(Item.size, Int64(MediaBody.size()));
    EXPECT_EQ(Item.size_hq, 12345678);
    EXPECT_LT(FHQServed.load(), size_t(12345678)) << "the probe read the whole body";
    EXPECT_EQ(Item.status, esReady);
    EXPECT_EQ(_mainForm->RowText(0, 0), QStringLiteral("Clip one"));
    EXPECT_EQ(_mainForm->RowText(0, 1), T_mainForm::FmtFileSize(Int64(MediaBody.size())));
    EXPECT_EQ(progress(), QStringLiteral("0%"));
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();

    const auto Seen = FServer.Requests();
    ASSERT_EQ(Seen.size(), 3u);
    EXPECT_EQ(Seen[0].Target, "/video/video.php?v=12345678901234567");  // http:// became https://
    EXPECT_EQ(Seen[0].Header("User-Agent"), QString::fromUtf16(PageUserAgent).toStdString());
    EXPECT_EQ(Seen[0].Header("Accept"), QString::fromUtf16(PageAccept).toStdString());
    EXPECT_EQ(Seen[0].Header("Accept-Language"), "en-US,en;q=0.5");
    EXPECT_EQ(Seen[1].Target, "/media/clip.flv?a=1");
    EXPECT_EQ(Seen[1].Header("User-Agent"), QString::fromUtf16(ProbeUserAgent).toStdString());
    EXPECT_EQ(Seen[2].Target, "/media/hq.flv");
    EXPECT_EQ(Seen[2].Header("User-Agent"), QString::fromUtf16(ProbeUserAgentHQ).toStdString());

    FServer.ClearRequests();
    startAndWait();
    const auto Download = FServer.Requests();
    ASSERT_EQ(Download.size(), 1u);
    EXPECT_EQ(Download[0].Target, "/media/clip.flv?a=1");
    EXPECT_EQ(Download[0].Header("User-Agent"), QString::fromUtf16(DownloadUserAgent).toStdString());
}

TEST_F(DownloaderTest, EveryFormatEndsDownloadedConvertedAndNamed) {
    installConverter();
    for (int Format = 0; Format < FormatConversionCount; ++Format) {
        SCOPED_TRACE(Format);
        const String Sub = FFolder.File(QStringLiteral("f%1").arg(Format));
        ASSERT_TRUE(ForceDirectories(Sub));
        _mainForm->SaveAdvDirectoryEdit->SetText(Sub);
        _mainForm->AviAdvComboBox->SetItemIndex(Format);
        add(PageLink + QStringLiteral("&f=%1").arg(Format));
        const int Row = int(entries.size()) - 1;
        ASSERT_EQ(entries[Row].format, Format);
        startAndWait(Row);

        const TFormatConversion& Conversion = FormatConversionOf(Format);
        const String Expected = QStringLiteral("Clip one") + String::fromUtf16(Conversion.Extension);
        EXPECT_EQ(entries[Row].status, esDone);
        EXPECT_EQ(entries[Row].filename, Expected);
        EXPECT_EQ(progress(Row), QStringLiteral("100%"));
        std::set<String> Files{QStringLiteral("Clip one.flv")};
        Files.insert(Expected);
        const QStringList Names = QDir(Sub).entryList(QDir::Files);
        EXPECT_EQ(std::set<String>(Names.begin(), Names.end()), Files);
        QFile Out(Sub + QStringLiteral("/") + Expected);
        ASSERT_TRUE(Out.open(QIODevice::ReadOnly));
        EXPECT_EQ(Out.readAll().toStdString(), MediaBody);
    }
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
}

TEST_F(DownloaderTest, NamesTakenAreNeverOverwritten) {
    installConverter();
    _mainForm->AviAdvComboBox->SetItemIndex(1);
    for (const char* Name : {"Clip one.avi", "Clip one.flv"}) {
        QFile Old(FFolder.File(QString::fromLatin1(Name)));
        ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
        Old.write("old");
    }
    add();
    startAndWait();
    const String Name = entries[0].filename;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Clip one_[A-Z][a-z][A-Za-z]\\.avi$")).match(Name).hasMatch())
        << Name.toStdString();
    EXPECT_EQ(fileText(QStringLiteral("Clip one.avi")), QStringLiteral("old"));
    EXPECT_EQ(fileText(QStringLiteral("Clip one.flv")), QStringLiteral("old"));
    EXPECT_EQ(fileText(Name).size(), qsizetype(MediaBody.size()));
    EXPECT_EQ(folderFiles().size(), 4u);
}

TEST_F(DownloaderTest, MissingConverterKeepsTheDownloadAndSaysSo) {
    _mainForm->AviAdvComboBox->SetItemIndex(2);
    add();
    startAndWait();
    EXPECT_EQ(entries[0].status, esDone);
    EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one.flv"));
    EXPECT_EQ(folderFiles(), std::set<String>{QStringLiteral("Clip one.flv")});
    ASSERT_EQ(FDialogs.Count(), 1);
    EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
    EXPECT_EQ(FDialogs.Last().Text, QStringLiteral("vidmorf.exe was not found. Conversion aborted."));
}

TEST_F(DownloaderTest, FailedConverterLeavesTheFlvNamedAndDone) {
    installConverter();
    _mainForm->AviAdvComboBox->SetItemIndex(3);
    add();
    const std::pair<const char*, const char*> Faults[] = {
        {"VIDMORF_FAIL", "1"}, {"VIDMORF_FAIL", "silent"}, {"VIDMORF_NO_OUTPUT", "1"}};
    for (const auto& [Name, Value] : Faults) {
        SCOPED_TRACE(Name);
        for (const char* Other : {"VIDMORF_FAIL", "VIDMORF_NO_OUTPUT"}) unsetenv(Other);
        setenv(Name, Value, 1);
        entries[0].status = esReady;
        entries[0].filename = entries[0].title;
        for (const String& F : folderFiles()) QFile::remove(FFolder.File(F));
        FDialogs.Clear();
        startAndWait();
        EXPECT_EQ(entries[0].status, esDone);
        EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one.flv"));
        EXPECT_EQ(folderFiles(), std::set<String>{QStringLiteral("Clip one.flv")});
        ASSERT_EQ(FDialogs.Count(), 1);
        EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
    }
    for (const char* Name : {"VIDMORF_FAIL", "VIDMORF_NO_OUTPUT"}) unsetenv(Name);
}

// The converter's reports show as the row's progress (over 100% too); Stop kills a converter that
// writes nothing more, and no file is left.
TEST_F(DownloaderTest, ConverterProgressAndStopKillsIt) {
    installConverter();
    _mainForm->AviAdvComboBox->SetItemIndex(1);
    add();
    const std::pair<const char*, const char*> Cases[] = {{"00:00:05.00", "50%"}, {"00:00:15.00", "150%"}};
    for (const auto& Case : Cases) {
        const char *Time = Case.first, *Percent = Case.second;
        SCOPED_TRACE(Percent);
        FDialogs.Clear();
        setenv("VIDMORF_STALL", "1", 1);
        setenv("VIDMORF_TIMES", Time, 1);
        _mainForm->MainListView->SetItemIndex(0);
        _mainForm->StartAdvToolButtonClick(_mainForm->StartAdvToolButton);
        const bool Shown = waitUntil([&] { return progress() == QString::fromLatin1(Percent); });
        unsetenv("VIDMORF_STALL");
        unsetenv("VIDMORF_TIMES");
        EXPECT_TRUE(Shown) << progress().toStdString();
        _mainForm->StopAdvToolButtonClick(_mainForm->StopAdvToolButton);
        ASSERT_TRUE(waitUntil([&] { return entries[0].thread == nullptr && LiveWorkerCount() == 0; }, 5000));
        EXPECT_EQ(entries[0].status, esReady);
        EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one"));
        EXPECT_EQ(progress(), QStringLiteral("0%"));
        EXPECT_TRUE(folderFiles().empty());
        EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    }
}

// Page faults: the reader's boxes, and an entry only when the page gave a title.
TEST_F(DownloaderTest, PageFaults) {
    struct Case {
        const char* Name;
        String Link;
        std::string Page;
        bool UnknownAuthority;
        const char* Box;  // prefix of the one box shown
        size_t Entries;
    };
    const Case Cases[] = {
        {"404", QStringLiteral("https://www.quillory.com/video/missing.php"), page("clip.flv"), false,
         "Error getting flv URL\r\nError6", 0},
        {"no media address", PageLink, "<title>Clip</title>nothing here", false, "Error getting flv URL\r\nError6", 1},
        {"unknown certificate", PageLink, page("clip.flv"), true, "Error getting flv URL\r\nError6", 0},
        {"redirect to ftp", PageLink, page("ftp.flv", false), false, "", 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        // The previous reader's own end (its OnTerminate) must have run before the next Add.
        drain(200);
        entries.clear();
        _mainForm->ClearList();
        FDialogs.Clear();
        FPage = C.Page;
        if (C.UnknownAuthority)
            TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(FServer.UnrelatedCaFile());
        add(C.Link);
        if (C.UnknownAuthority) TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(FServer.CaFile());
        ASSERT_EQ(FDialogs.Count(), 1);
        EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
        EXPECT_TRUE(FDialogs.Last().Text.startsWith(QString::fromLatin1(C.Box))) << FDialogs.Last().Text.toStdString();
        if (String(C.Name) == QStringLiteral("redirect to ftp")) {
            EXPECT_TRUE(FDialogs.Last().Text.endsWith(QStringLiteral("\r\nError3")));
        }
        EXPECT_EQ(entries.size(), C.Entries);
        EXPECT_TRUE(grab_done);
        EXPECT_EQ(grab_thread, nullptr);
    }
}

// Download faults: an "Error" box with the failure, the entry ready again, no file left behind.
TEST_F(DownloaderTest, DownloadFaultsLeaveTheEntryReadyAndNoFile) {
    struct Case {
        const char* Name;
        std::string MediaPath;
        bool UnknownAuthority;
        bool UnwritableFolder;
    };
    const Case Cases[] = {
        {"body cut off midway", "cut.flv", false, false}, {"certificate unknown", "clip.flv", true, false},
        {"redirect to ftp", "ftp.flv", false, false},     {"no media address", "", false, false},
        {"folder not writable", "clip.flv", false, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        entries.clear();
        _mainForm->ClearList();
        FPage = C.MediaPath.empty() ? std::string("<title>Clip one</title>") : page(C.MediaPath, false);
        add();
        ASSERT_EQ(entries.size(), 1u) << dialogTexts();
        FDialogs.Clear();
        if (C.UnknownAuthority)
            TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(FServer.UnrelatedCaFile());
        if (C.UnwritableFolder) entries[0].saveto = FFolder.File(QStringLiteral("Clip one.flv/sub"));
        QFile(FFolder.File(QStringLiteral("Clip one.flv"))).open(QIODevice::WriteOnly);
        startAndWait();
        TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(FServer.CaFile());
        EXPECT_EQ(entries[0].status, esReady);
        EXPECT_EQ(entries[0].filename, QStringLiteral("Clip one"));
        EXPECT_EQ(progress(), QStringLiteral("0%"));
        EXPECT_EQ(folderFiles(), std::set<String>{QStringLiteral("Clip one.flv")});
        ASSERT_EQ(FDialogs.Count(), 1);
        EXPECT_EQ(FDialogs.Last().Caption, QStringLiteral("Error"));
        EXPECT_FALSE(FDialogs.Last().Text.isEmpty());
        QFile::remove(FFolder.File(QStringLiteral("Clip one.flv")));
    }
}

TEST_F(DownloaderTest, StopEndsAStalledTransferAtOnce) {
    FPage = page("stall.flv", false);
    add();
    _mainForm->MainListView->SetItemIndex(0);
    _mainForm->StartAdvToolButtonClick(_mainForm->StartAdvToolButton);
    ASSERT_TRUE(waitUntil([&] { return FStallReached.load(); }));
    drain(100);
    const auto Stopped = std::chrono::steady_clock::now();
    _mainForm->StopAdvToolButtonClick(_mainForm->StopAdvToolButton);
    ASSERT_TRUE(waitUntil([&] { return entries[0].thread == nullptr && LiveWorkerCount() == 0; }, 5000));
    EXPECT_LT(std::chrono::steady_clock::now() - Stopped, std::chrono::seconds(2));
    EXPECT_EQ(entries[0].status, esReady);
    EXPECT_EQ(progress(), QStringLiteral("0%"));
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_EQ(FDialogs.Count(), 0) << dialogTexts();
    // Start is offered again and downloads afresh.
    FPage = page("clip.flv", false);
    entries[0].url = QStringLiteral("https://www.quillory.com/media/clip.flv");
    startAndWait();
    EXPECT_EQ(entries[0].status, esDone);
    EXPECT_EQ(folderFiles(), std::set<String>{QStringLiteral("Clip one.flv")});
}

TEST_F(DownloaderTest, ThreadOfARemovedEntryWritesNothing) {
    FPage = page("stall.flv", false);
    add();
    _mainForm->MainListView->SetItemIndex(0);
    _mainForm->StartAdvToolButtonClick(_mainForm->StartAdvToolButton);
    ASSERT_TRUE(waitUntil([&] { return FStallReached.load(); }));
    _mainForm->StopAdvToolButtonClick(_mainForm->StopAdvToolButton);
    RemoveEntryAt(0);
    ASSERT_TRUE(waitUntil([&] { return LiveWorkerCount() == 0; }, 5000));
    EXPECT_TRUE(entries.empty());
    EXPECT_TRUE(folderFiles().empty());
}

}  // namespace
