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
