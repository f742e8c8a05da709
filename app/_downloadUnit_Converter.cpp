// The download thread's converter run: the child's standard error turned into the row's progress.
#include "app/_downloadUnit.h"

#include "framework/os/Processes.h"
#include "framework/rtl/Exceptions.h"

#include <climits>
#include <memory>

TDownloadThread::TConversion TDownloadThread::RunConverter(const TConverterCommand& Command, String& Failure) {
    std::unique_ptr<TChildProcess> Child;
    try {
        Child = std::make_unique<TChildProcess>(Command.Program, Command.Arguments);
    } catch (const Exception& E) {
        Failure = QStringLiteral("vidmorf.exe could not be started: %1 Conversion aborted.").arg(E.Message());
        return cnFailed;
    }
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FConverter = Child.get();
    }
    // A stop that came before FConverter was set; one after it kills the child from TerminatedSet,
    // which also ends a read waiting on a converter that writes nothing.
    if (Terminated()) Child->Kill();

    TConverterProgress Progress;
    char Buffer[4096];
    for (;;) {
        const int Count = Child->ReadStdErr(Buffer, int(sizeof Buffer));
        if (Count <= 0) break;
        // The converter writes single-byte text; each read is examined alone.
        if (Progress.Examine(String::fromLatin1(Buffer, Count)))
            showProgress(int(std::min<UInt64>(Progress.Percent(), INT_MAX)));
        if (Terminated()) {
            Child->Kill();
            break;
        }
    }
    Child->WaitFor(-1);
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FConverter = nullptr;
    }
    if (Terminated()) {
        showProgress(0);
        return cnStopped;
    }
    if (Child->ExitCode() != 0) {
        Failure = QStringLiteral("vidmorf.exe failed with exit status %1. Conversion aborted.").arg(Child->ExitCode());
        return cnFailed;
    }
    return cnDone;
}
