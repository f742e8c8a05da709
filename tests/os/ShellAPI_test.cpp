#include "framework/os/ShellAPI.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <chrono>

#include "tests/support/TestSupport.h"

namespace {

TEST(ShellExecute, CallsMapToOpenAndShowRequests) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    struct Case {
        const char* Verb;
        const char* File;
        const char* Parameters;
        TShellRequest::TKind Kind;
        const char* Target;
    };
    const Case Cases[] = {
        {"open", "explorer.exe", " /select, \"/videos/My Title.flv\"", TShellRequest::skShowInFileManager,
         "/videos/My Title.flv"},
        {"open", "C:\\Windows\\EXPLORER.EXE", "/select,\\videos\\\\a.avi", TShellRequest::skShowInFileManager,
         "/videos/a.avi"},
        {"open", "explorer.exe", "\"/videos\"", TShellRequest::skOpen, "/videos"},
        {"open", "/videos//a.flv", "", TShellRequest::skOpen, "/videos/a.flv"},
        {"", "https://example.com/a?b=c", "", TShellRequest::skOpen, "https://example.com/a?b=c"},
        {"explore", "/videos", "", TShellRequest::skOpen, "/videos"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.File);
        EXPECT_GT(ShellExecute(nullptr, QString::fromLatin1(C.Verb), QString::fromLatin1(C.File),
                               QString::fromLatin1(C.Parameters), String(), SW_SHOWNORMAL),
                  32);
        EXPECT_EQ(Shell.Last().Kind, C.Kind);
        EXPECT_EQ(Shell.Last().File, QString::fromLatin1(C.Target));
    }
    EXPECT_EQ(ShellExecute(nullptr, QStringLiteral("print"), QStringLiteral("/a.txt"), String(), String(), SW_SHOW),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Shell.Count(), 6);

    Shell.Result = SE_ERR_FNF;
    EXPECT_EQ(ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("/missing"), String(), String(), SW_SHOW),
              SE_ERR_FNF);
}

TEST(ShellExecute, ExReturnsTheProcessToWaitOnOnlyWhenAsked) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    SHELLEXECUTEINFO Info;
    Info.lpFile = QStringLiteral("/videos/a.flv");
    ASSERT_TRUE(ShellExecuteEx(&Info));
    EXPECT_EQ(WaitForSingleObject(Info.hProcess, 500), WAIT_FAILED);  // no process: the caller returns at once

    Shell.ProcessAnswer = std::make_shared<TChildProcess>(QStringLiteral("true"), std::vector<String>{});
    ASSERT_TRUE(ShellExecuteEx(&Info));
    EXPECT_EQ(Info.hProcess, nullptr);  // not asked for
    Info.fMask = SEE_MASK_NOCLOSEPROCESS;
    ASSERT_TRUE(ShellExecuteEx(&Info));
    EXPECT_EQ(WaitForSingleObject(Info.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(Info.hInstApp, SE_ERR_SUCCESS);
}

// The desktop's service starts the opener with the target as its only argument.
TEST(DesktopShellService, StartsTheOpenerWithoutACommandInterpreter) {
    TempFolder Tmp;
    const String Log = Tmp.File(QStringLiteral("opened.txt"));
    const String Opener = Tmp.File(QStringLiteral("fake-opener"));
    {
        QFile F(Opener);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '%1'; done\n")
                    .arg(Log)
                    .toLocal8Bit());
        F.close();
        F.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const String Video = Tmp.File(QStringLiteral("a \"b\" $(c).flv"));
    QFile(Video).open(QIODevice::WriteOnly);

    TDesktopShellService Desktop(Opener, QStringLiteral("no-such-dbus-caller-qvd"));
    TShellServiceGuard Guard(&Desktop);
    SHELLEXECUTEINFO Info;
    Info.fMask = SEE_MASK_NOCLOSEPROCESS;
    Info.lpFile = Video;
    ASSERT_TRUE(ShellExecuteEx(&Info));
    ASSERT_EQ(WaitForSingleObject(Info.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(ShowFileInFileManager(Video));  // no D-Bus caller: its folder is opened
    EXPECT_GT(ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("https://example.com/x y"), String(),
                           String(), SW_SHOWDEFAULT),
              32);
    // The last two openers were not waited for; give them time to write.
    for (int I = 0; I < 500; ++I) {
        QFile F(Log);
        if (F.open(QIODevice::ReadOnly) && F.readAll().count('\n') >= 3) break;
        QThread::msleep(10);
    }
    QFile F(Log);
    ASSERT_TRUE(F.open(QIODevice::ReadOnly));
    QStringList Lines = QString::fromLocal8Bit(F.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(Lines.size(), 3);
    EXPECT_EQ(Lines[0], Video);
    Lines.removeFirst();
    Lines.sort();
    QStringList Expected{QStringLiteral("https://example.com/x y"), QDir(Tmp.Path()).absolutePath()};
    Expected.sort();
    EXPECT_EQ(Lines, Expected);

    EXPECT_EQ(ShellExecute(nullptr, QStringLiteral("open"), Tmp.File(QStringLiteral("missing.flv")), String(), String(),
                           SW_SHOW),
              SE_ERR_FNF);
    TDesktopShellService NoOpener(QStringLiteral("no-such-opener-qvd"));
    TShellServiceGuard Guard2(&NoOpener);
    EXPECT_EQ(ShellExecute(nullptr, QStringLiteral("open"), Video, String(), String(), SW_SHOW), SE_ERR_NOASSOC);
}

// An opener's failure is the call's failure; one still running (it runs the program it handed
// the target to) counts as success and is not waited out.
TEST(DesktopShellService, ReportsWhatTheOpenerSays) {
    TempFolder Tmp;
    struct Case {
        const char* Name;
        const char* Body;  // the opener's script after "#!/bin/sh"; empty: no opener there
        int Result;
    };
    const Case Cases[] = {
        {"opened", "exit 0", SE_ERR_SUCCESS},
        {"nothing opens it", "exit 3", SE_ERR_NOASSOC},
        {"the opener's action failed", "exit 4", SE_ERR_NOASSOC},
        {"no such file", "exit 2", SE_ERR_FNF},
        {"killed", "kill -9 $$", SE_ERR_NOASSOC},
        {"runs the browser in the foreground", "sleep 3", SE_ERR_SUCCESS},
        {"no opener", "", SE_ERR_NOASSOC},
    };
    int Index = 0;
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        const String Opener = Tmp.File(QStringLiteral("opener-%1").arg(Index++));
        if (*C.Body) {
            QFile F(Opener);
            ASSERT_TRUE(F.open(QIODevice::WriteOnly));
            F.write(QByteArray("#!/bin/sh\n") + C.Body + "\n");
            F.close();
            F.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        TDesktopShellService Desktop(Opener, QStringLiteral("no-such-dbus-caller-qvd"), 300);
        TShellServiceGuard Guard(&Desktop);
        const auto Start = std::chrono::steady_clock::now();
        EXPECT_EQ(ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("https://example.com/faq.html"),
                               String(), String(), SW_SHOWDEFAULT),
                  C.Result);
        EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(2)) << "the opener was waited out";
    }
}

TEST(ShellFolders, DocumentsFolderIsTheDesktopsElseHome) {
    TempFolder Tmp;
    const QByteArray OldHome = qgetenv("HOME");
    const QByteArray OldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", Tmp.Path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Tmp.File(QStringLiteral(".config")).toLocal8Bit());
    EXPECT_EQ(GetMyDocumentsFolder(), QDir::cleanPath(Tmp.Path()));
    ASSERT_TRUE(QDir().mkpath(Tmp.File(QStringLiteral("Documents"))));
    EXPECT_EQ(GetMyDocumentsFolder(), Tmp.File(QStringLiteral("Documents")));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), Tmp.File(QStringLiteral("Documents")));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PROFILE), QDir::cleanPath(Tmp.Path()));
    EXPECT_EQ(GetSpecialFolderPath(0x7777), String());
    qputenv("HOME", OldHome);
    qputenv("XDG_CONFIG_HOME", OldConfig);
}

TEST(ShellFolders, SelectDirectoryGoesThroughTheService) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    String Dir = QStringLiteral("/start");
    EXPECT_FALSE(SelectDirectory(QStringLiteral("Pick"), String(), Dir));
    EXPECT_EQ(Dir, QStringLiteral("/start"));
    Shell.FolderAnswer = QStringLiteral("/chosen");
    EXPECT_TRUE(SelectDirectory(QStringLiteral("Pick"), String(), Dir));
    EXPECT_EQ(Dir, QStringLiteral("/chosen"));
}

}  // namespace
