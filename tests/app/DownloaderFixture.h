// The started program with its page reader and downloads pointed at a stand-in site over loopback
// HTTPS: downloads go to a fresh folder, dialogs are recorded, and "/video/video.php" serves
// FPage. A derived fixture adds the site's other routes.
#pragma once

#include "app/Converter.h"
#include "app/Entries.h"
#include "framework/rtl/Registry.h"
#include "framework/ui/Dialogs.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/HttpsTestServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <thread>

class DownloaderFixture : public ::testing::Test {
protected:
    static inline const String PageLink =
        QStringLiteral("https://www.quillory.com/video/video.php?v=12345678901234567");

    void SetUp() override {
        FPreviousMask = StartProgramWindows();
        entries.clear();
        FGuard = std::make_unique<TDialogServiceGuard>(&FDialogs);
        FServer.Server().Get("/video/video.php", [this](const httplib::Request&, httplib::Response& Res) {
            // Held back while FHoldPage is set, as a slow site would.
            while (FHoldPage && !FServer.Stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Res.set_content(FPage, "text/html; charset=utf-8");
        });
        AddRoutes(FServer.Server());
        FServer.Start();
        FInstall = std::make_unique<THttpsTestServer::TGlobalInstall>(FServer);
        // As a user's earlier choice: the folder box shows it again at every activation.
        storeSaveFolder(FFolder.Path());
        _mainForm->SaveAdvDirectoryEdit->SetText(FFolder.Path());
        _mainForm->AutoCheckBox->SetChecked(false);
    }

    void TearDown() override {
        FHoldPage = false;
        ReleaseRoutes();
        EXPECT_TRUE(StopAllWorkers(20000));
        WorkersStopped();
        FreeProgramWindows(FPreviousMask);
        entries.clear();
        removeConverter();
        FInstall.reset();
        FServer.Stop();
        TRegistry Reg;
        Reg.DeleteKey(SettingsKey);
    }

    // The site's routes besides the page; the server is not started yet.
    virtual void AddRoutes(httplib::Server& Server) = 0;
    // Lets routes that hold their answer back return; the first step of tear-down.
    virtual void ReleaseRoutes() {}
    // After the workers are stopped, before the windows are freed.
    virtual void WorkersStopped() {}

    static void drain(int Milliseconds) { DrainWindowThread(Milliseconds); }
    template <typename F>
    static bool waitUntil(F Done, int Milliseconds = 20000) {
        return WaitOnWindowThread(Done, Milliseconds);
    }

    static void storeSaveFolder(const String& Folder) {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(SettingsKey, true));
        Reg.WriteString(QStringLiteral("path"), Folder);
    }

    // Puts the stand-in converter where the program looks for it.
    static void installConverter() {
        const String Source = ToolsFolder() + QStringLiteral("/vidmorf");
        QFile::remove(ConverterPath());
        ASSERT_TRUE(QFile::copy(Source, ConverterPath()));
        QFile(ConverterPath()).setPermissions(QFile::permissions(Source));
    }
    static void removeConverter() { QFile::remove(ConverterPath()); }

    // Adds Link through the main window's link box and add button.
    void add(const String& Link = PageLink) {
        _mainForm->LinkAdvLUEdit->SetText(Link);
        _mainForm->AddAdvToolButtonClick(_mainForm->AddAdvToolButton);
    }
    // Starts row Row's download and waits until its thread has ended.
    void startAndWait(int Row = 0) {
        _mainForm->MainListView->SetItemIndex(Row);
        _mainForm->StartAdvToolButtonClick(_mainForm->StartAdvToolButton);
        ASSERT_TRUE(waitUntil([&] { return entries[Row].thread == nullptr && LiveWorkerCount() == 0; }));
    }

    // Every box shown so far, for a failure's message.
    std::string dialogTexts() const {
        std::string Texts;
        for (int i = 0; i < FDialogs.Count(); ++i) Texts += "\n  box: " + FDialogs.Request(i).Text.toStdString();
        return Texts;
    }

    static std::set<String> filesIn(const String& Folder) {
        const QStringList Names = QDir(Folder).entryList(QDir::Files);
        return std::set<String>(Names.begin(), Names.end());
    }
    std::set<String> folderFiles() const { return filesIn(FFolder.Path()); }
    static QByteArray contentOf(const String& Path) {
        QFile F(Path);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }

    TArithmeticExceptionMask FPreviousMask;
    TRecordingDialogService FDialogs;
    std::unique_ptr<TDialogServiceGuard> FGuard;
    THttpsTestServer FServer;
    std::unique_ptr<THttpsTestServer::TGlobalInstall> FInstall;
    TempFolder FFolder;
    std::string FPage;
    std::atomic<bool> FHoldPage{false};
};
