// Start-up: the program's start-up until its main window is shown and painted, against a minimal
// Qt program showing a 613 x 557 window, both as fresh processes in the same run, offscreen.
// The benchmark starts itself as either child ("--child=program" or "--child=qt"); each child ends
// at its window's first paint.
// Goal: ratio 1.5 or less.
#include "app/Startup.h"
#include "app/_mainUnit.h"
#include "bench/BenchSupport.h"
#include "framework/ui/Forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QProcess>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Ends the process once the shown window has been painted: at the first paint event the rest of
// that painting pass still runs, then the queued quit ends the loop.
class TFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint && !FSeen) {
            FSeen = true;
            // exit, not quit: quit closes the windows first, and the main window's close
            // handlers wait five seconds and open a page, which is no part of starting up.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    bool FSeen = false;
};

class TPlainWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0x64, 0xAC, 0xD3)); }
};

int runPlainQt(int argc, char** argv) {
    QApplication App(argc, argv);
    TPlainWindow Window;
    Window.resize(613, 557);
    TFirstPaint Watch;
    App.installEventFilter(&Watch);
    Window.show();
    return App.exec();
}

int runProgram(int argc, char** argv) {
    int Argc = 1;
    StartApplication(Argc, argv);
    TFirstPaint Watch;
    qApp->installEventFilter(&Watch);
    _mainForm->Show();
    const int Code = QCoreApplication::exec();
    (void)argc;
    return Code;
}

void startChild(benchmark::State& State, const char* Mode) {
    const QString Self = QCoreApplication::applicationFilePath();
    for (auto _ : State) {
        QProcess Child;
        Child.setProgram(Self);
        Child.setArguments({QStringLiteral("--child=") + QString::fromLatin1(Mode)});
        Child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A sanitizer build would report what a process ending at once leaves allocated.
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        Environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        Child.setProcessEnvironment(Environment);
        Child.start();
        if (!Child.waitForFinished(60000) || Child.exitCode() != 0) {
            State.SkipWithError("the child did not show its window");
            return;
        }
    }
}

void BM_ProgramStartup(benchmark::State& State) { startChild(State, "program"); }
void BM_PlainQtWindow(benchmark::State& State) { startChild(State, "qt"); }
BENCHMARK(BM_ProgramStartup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainQtWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::strcmp(argv[1], "--child=program") == 0) return runProgram(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--child=qt") == 0) return runPlainQt(argc, argv);
    QCoreApplication App(argc, argv);
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter, 5)) return 1;
    if (const double Ratio = Reporter.Ratio("BM_ProgramStartup", "BM_PlainQtWindow"); Ratio > 0)
        std::printf("ratio start-up: %.3f (goal: 1.5 or less)\n", Ratio);
    return 0;
}
