// Every test program runs inside one application object on the offscreen platform, so
// windows, fonts, timers and the window thread's queue work without a screen.
#include "framework/rtl/Registry.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

namespace {

// Every test starts with an empty registry of its own, so that settings one test stores never
// reach another.
class TRegistryPerTest : public ::testing::EmptyTestEventListener {
public:
    explicit TRegistryPerTest(const QString& Home) : FHome(Home) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        FFolder = FHome + QStringLiteral("/registry-%1").arg(++FCount);
        QDir().mkpath(FFolder);
        SetRegistryFolder(FFolder);
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        SetRegistryFolder(QString());
        QDir(FFolder).removeRecursively();
    }

private:
    QString FHome;
    QString FFolder;
    int FCount = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Keep the user's real configuration out of reach of every test.
    const QString Home = QDir::tempPath() + QStringLiteral("/qvd-test-home-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(Home);
    setenv("XDG_CONFIG_HOME", (Home + QStringLiteral("/config")).toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (Home + QStringLiteral("/data")).toLocal8Bit().constData(), 1);
    // And the user's own folders: a documents folder found by a test is inside this home.
    setenv("HOME", Home.toLocal8Bit().constData(), 1);
    QApplication App(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TRegistryPerTest(Home));
    const int Result = RUN_ALL_TESTS();
    QDir(Home).removeRecursively();
    return Result;
}
