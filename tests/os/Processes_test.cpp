#include "framework/os/Processes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <thread>

#include "tests/support/TestSupport.h"

namespace {

String converter() { return ToolsFolder() + QStringLiteral("/vidmorf"); }

void writeFile(const String& Path, const QByteArray& Data) {
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Data);
}

QByteArray readFile(const String& Path) {
    QFile F(Path);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// Every read of the child's standard error, as the converter runner sees them.
std::vector<std::string> readAll(TChildProcess& Child) {
    std::vector<std::string> Reads;
    char Buffer[4096];
    for (int N; (N = Child.ReadStdErr(Buffer, sizeof Buffer)) > 0;) Reads.emplace_back(Buffer, static_cast<size_t>(N));
    return Reads;
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(converter()))
            GTEST_SKIP() << "the stand-in converter is not built: " << converter().toStdString();
        // Folder names with blanks and quotes reach the child unchanged: no command interpreter.
        ASSERT_TRUE(QDir().mkpath(Tmp.File(QStringLiteral("my \"odd\" folder; $HOME"))));
        Source = Tmp.File(QStringLiteral("my \"odd\" folder; $HOME/abcdefgh.flv"));
        writeFile(Source, QByteArray("FLV data", 8));
    }
    std::vector<String> aviArguments() const {
        return {QStringLiteral("-i"),         Source,
                QStringLiteral("-sameq"),     QStringLiteral("-vcodec"),
                QStringLiteral("mpeg4"),      QStringLiteral("-acodec"),
                QStringLiteral("libmp3lame"), QStringLiteral("-f"),
                QStringLiteral("avi"),        QStringLiteral("-y"),
                Source + QStringLiteral("_")};
    }
    TempFolder Tmp;
    String Source;
};

TEST_F(ProcessTest, ConverterReportsOnStandardErrorAndWritesItsOutput) {
    const String Log = Tmp.File(QStringLiteral("args.txt"));
    TChildProcess Child(converter(), aviArguments(), String(),
                        {QStringLiteral("VIDMORF_ARGS_LOG=") + Log, QStringLiteral("VIDMORF_OVERSHOOT=1")});
    const std::vector<std::string> Reads = readAll(Child);
    ASSERT_TRUE(Child.WaitFor(10000));
    EXPECT_EQ(Child.ExitCode(), 0);

    ASSERT_FALSE(Reads.empty());
    EXPECT_NE(Reads.front().find("Duration: 00:00:10.00,"), std::string::npos);
    // One report per read, so a reader that examines each read alone sees them all.
    std::vector<std::string> Times;
    for (const std::string& R : Reads)
        if (const size_t At = R.find("time="); At != std::string::npos) Times.push_back(R.substr(At + 5, 11));
    EXPECT_EQ(Times, (std::vector<std::string>{"00:00:02.00", "00:00:04.00", "00:00:06.00", "00:00:08.00",
                                               "00:00:10.00", "00:00:15.00"}));  // the last one beyond the duration

    EXPECT_EQ(readFile(Source + QStringLiteral("_")), QByteArray("FLV data", 8));
    QStringList Expected;
    for (const String& A : aviArguments()) Expected << A;
    EXPECT_EQ(QString::fromLocal8Bit(readFile(Log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts), Expected);
}

TEST_F(ProcessTest, FailingConverterEndsWithExitCodeOne) {
    struct Case {
        const char* Env;
        bool SaysSomething;
    };
    for (const Case& C : {Case{"VIDMORF_FAIL=1", true}, Case{"VIDMORF_FAIL=silent", false}}) {
        SCOPED_TRACE(C.Env);
        QFile::remove(Source + QStringLiteral("_"));
        TChildProcess Child(converter(), aviArguments(), String(), {QString::fromLatin1(C.Env)});
        const std::vector<std::string> Reads = readAll(Child);
        ASSERT_TRUE(Child.WaitFor(10000));
        EXPECT_EQ(Child.ExitCode(), 1);
        EXPECT_EQ(!Reads.empty(), C.SaysSomething);
        EXPECT_FALSE(QFile::exists(Source + QStringLiteral("_")));
    }
    // Refused options and a missing input fail too.
    TChildProcess Bad(converter(), {QStringLiteral("-i"), Tmp.File(QStringLiteral("none.flv")), QStringLiteral("-y"),
                                    Tmp.File(QStringLiteral("out"))});
    readAll(Bad);
    ASSERT_TRUE(Bad.WaitFor(10000));
    EXPECT_EQ(Bad.ExitCode(), 1);
}

TEST_F(ProcessTest, KillEndsAStalledChildAndWakesABlockedRead) {
    TChildProcess Child(converter(), aviArguments(), String(), {QStringLiteral("VIDMORF_STALL=1")});
    char Buffer[4096];
    std::string Seen;
    while (Seen.find("time=") == std::string::npos) {
        const int N = Child.ReadStdErr(Buffer, sizeof Buffer);
        ASSERT_GT(N, 0);
        Seen.append(Buffer, static_cast<size_t>(N));
    }
    EXPECT_FALSE(Child.WaitFor(50));
    EXPECT_TRUE(Child.Running());
    std::thread Killer([&] { Child.Kill(); });
    EXPECT_EQ(Child.ReadStdErr(Buffer, sizeof Buffer), 0);  // the read returns once the child is gone
    Killer.join();
    ASSERT_TRUE(Child.WaitFor(10000));
    EXPECT_EQ(Child.ExitCode(), 128 + 9);
    Child.Kill();  // after the reap: nothing to signal
}

TEST(Process, StartFailureRaisesAndHandlesWait) {
    EXPECT_THROW(TChildProcess(QStringLiteral("/nonexistent/program"), {}), EOSError);
    EXPECT_THROW(TChildProcess(QStringLiteral("no-such-program-on-the-path-qvd"), {}), EOSError);
    EXPECT_EQ(WaitForSingleObject(nullptr, 500), WAIT_FAILED);

    auto Sleeper = std::make_shared<TChildProcess>(QStringLiteral("sleep"), std::vector<String>{QStringLiteral("5")});
    EXPECT_EQ(WaitForSingleObject(Sleeper, 20), WAIT_TIMEOUT);
    Sleeper->Kill();
    EXPECT_EQ(WaitForSingleObject(Sleeper, INFINITE), WAIT_OBJECT_0);

    // The child's standard input and output are the null device, and it starts where it is told.
    TempFolder Tmp;
    TChildProcess Pwd(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("pwd >&2; cat; echo out")},
                      Tmp.Path());
    char Buffer[4096];
    const int N = Pwd.ReadStdErr(Buffer, sizeof Buffer);
    ASSERT_GT(N, 0);
    EXPECT_EQ(QDir(QString::fromLocal8Bit(Buffer, N).trimmed()).canonicalPath(), QDir(Tmp.Path()).canonicalPath());
    EXPECT_EQ(Pwd.ReadStdErr(Buffer, sizeof Buffer), 0);
    ASSERT_TRUE(Pwd.WaitFor(10000));
    EXPECT_EQ(Pwd.ExitCode(), 0);
}

}  // namespace
