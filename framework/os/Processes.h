// Child processes: a program started with an argument list (never through a command
// interpreter), its standard error on a pipe, standard input and output on the null device.
//
// Reads block until the child writes or closes its standard error; Kill (SIGKILL) may come from
// another thread and makes a blocked read return. The child is reaped by WaitFor or, at the
// latest, by the destructor, which kills a child still running.
#pragma once

#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Types.h"

#include <memory>
#include <vector>

// Where the child's standard error goes.
enum class TStdErrTarget { Pipe, Null, Inherit };

class TChildProcess {
public:
    // Starts Program (a path, or a name looked up on PATH) with Arguments (not counting the
    // program itself), in WorkingDirectory (empty: the current one), inheriting the environment
    // plus Environment's "NAME=value" entries. Raises EOSError with the reason when it cannot start.
    TChildProcess(const String& Program, const std::vector<String>& Arguments,
                  const String& WorkingDirectory = String(), const std::vector<String>& Environment = {},
                  TStdErrTarget StdErr = TStdErrTarget::Pipe);
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    int ProcessId() const { return FPid; }

    // Reads up to Count bytes of the child's standard error, blocking until some arrive.
    // Returns the byte count, 0 once the child has closed its standard error (or the pipe was
    // closed), -1 on a read error.
    int ReadStdErr(void* Buffer, int Count);
    // Closes this side of the pipe early (a reader blocked in ReadStdErr is not woken by it;
    // use Kill for that).
    void CloseStdErr();

    // Waits up to Timeout ms (-1: without limit) for the child to end and reaps it.
    // True when it has ended.
    bool WaitFor(int Timeout = -1);
    bool Running();
    // The exit status once ended: the exit code, or 128 + the signal number for a killed child.
    int ExitCode() const { return FExitCode; }
    // Ends the child with SIGKILL; nothing when it has already been reaped.
    void Kill();

private:
    struct TState;
    std::unique_ptr<TState> FState;
    int FPid = -1;
    int FExitCode = -1;
};

// Result of WaitForSingleObject.
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// A handle to a started process; empty when there is none to wait on.
using TProcessHandle = std::shared_ptr<TChildProcess>;

// Waits for the process to end: WAIT_OBJECT_0 when it has, WAIT_TIMEOUT, or WAIT_FAILED for an
// empty handle (the caller's "no process" case).
DWORD WaitForSingleObject(const TProcessHandle& Process, DWORD Milliseconds);
