// Starting and closing the downloader's windows in a test as its main() does, and running the
// window thread's handed-over work while a test waits.
#pragma once

#include "app/Startup.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "framework/rtl/Math.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Forms.h"
#include "tests/support/ShownWindows.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <chrono>

// The command line the tests give the program (its name only); Argc goes with it as 1.
inline char** ProgramTestArgv() {
    static char Name[] = "quillory-video-downloader";
    static char* Argv[] = {Name, nullptr};
    return Argv;
}

// Creates the program's windows; returns the exception mask to give back to
// FreeProgramWindows, since the program sets its own.
inline TArithmeticExceptionMask StartProgramWindows() {
    int Argc = 1;
    const TArithmeticExceptionMask PreviousMask = GetExceptionMask();
    StartApplication(Argc, ProgramTestArgv());
    return PreviousMask;
}

// Frees whichever of the four windows exist and leaves the application as a fresh test needs it.
inline void FreeProgramWindows(TArithmeticExceptionMask PreviousMask) {
    for (TCustomForm* Form : {static_cast<TCustomForm*>(_InfoForm), static_cast<TCustomForm*>(_waitForm),
                              static_cast<TCustomForm*>(_proxyForm), static_cast<TCustomForm*>(_mainForm)})
        if (Form) Form->Free();
    _mainForm = nullptr;
    _proxyForm = nullptr;
    _waitForm = nullptr;
    _InfoForm = nullptr;
    Application->setMainForm(nullptr);
    Application->ResetTerminated();
    SetExceptionMask(PreviousMask);
}

// Runs the window thread's handed-over work for a while.
inline void DrainWindowThread(int Milliseconds) {
    const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
    while (std::chrono::steady_clock::now() < End) {
        CheckSynchronize(10);
        Application->ProcessMessages();
    }
}

// Waits (running the window thread's work) until Done holds; false after the time limit.
template <typename F>
bool WaitOnWindowThread(F Done, int Milliseconds = 20000) {
    const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
    while (!Done()) {
        if (std::chrono::steady_clock::now() >= End) return false;
        CheckSynchronize(10);
        Application->ProcessMessages();
    }
    return true;
}

// ---- a user's mouse and keys on the shown windows ----

// The window of a shown form, as the window system knows it; nullptr while it is not shown.
inline QWindow* ShownWindowOf(TCustomForm* Form) {
    QWidget* W = ShownWindowTitled(Form->Caption());
    return W ? W->windowHandle() : nullptr;
}

// The Qt editor behind an edit control: the one at the control's place on the screen.
inline QLineEdit* QtEditorOf(TControl* Edit) {
    const TPoint At = Edit->ClientToScreen(Point(0, 0));
    for (QWidget* W : QApplication::topLevelWidgets())
        for (QLineEdit* L : W->findChildren<QLineEdit*>())
            if (L->isVisible() && L->mapToGlobal(QPoint(0, 0)) == QPoint(At.X, At.Y)) return L;
    return nullptr;
}

// A left click in the middle of a control, sent to its window as the window system does.
inline void ClickControl(QWindow* Window, TControl* Control) {
    const TPoint Center = Control->ClientToScreen(Point(Control->Width() / 2, Control->Height() / 2));
    QTest::mouseClick(Window, Qt::LeftButton, Qt::NoModifier, Window->mapFromGlobal(QPoint(Center.X, Center.Y)));
}

// Enter as a hand presses it: the key goes up about 120 ms after it went down, to whatever has
// the focus then (Add is still waiting for the page).
inline void PressEnterLikeAHand(QLineEdit* Editor) {
    const QPointer<QLineEdit> Target(Editor);
    QTimer::singleShot(120, [Target] {
        QWidget* Focus = QApplication::focusWidget();
        if (!Focus) Focus = Target.data();
        if (Focus) QTest::keyRelease(Focus, Qt::Key_Return);
    });
    QTest::keyPress(Editor, Qt::Key_Return);
    DrainWindowThread(300);
}
