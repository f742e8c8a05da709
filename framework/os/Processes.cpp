// Child processes on posix_spawn: no command interpreter ever sees the arguments.
#include "framework/os/Processes.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

extern char** environ;

struct TChildProcess::TState {
    std::mutex Lock;  // guards Reaped against Kill racing with the reap
    bool Reaped = false;
    int ReadFd = -1;
};

namespace {

[[noreturn]] void raiseStartError(const String& Program, int Code) {
    throw EOSError(QStringLiteral("Cannot start \"%1\": %2").arg(Program, QString::fromLocal8Bit(std::strerror(Code))),
                   Code);
}

// The parent's environment with Extra's entries replacing those of the same name.
std::vector<std::string> childEnvironment(const std::vector<String>& Extra) {
    std::vector<std::string> Result;
    for (char** E = environ; E && *E; ++E) Result.emplace_back(*E);
    for (const String& Entry : Extra) {
        const std::string Text = Entry.toLocal8Bit().toStdString();
        const std::string Name = Text.substr(0, Text.find('=') + 1);
        std::erase_if(Result, [&](const std::string& S) { return S.rfind(Name, 0) == 0; });
        Result.push_back(Text);
    }
    return Result;
}

int exitCodeOf(int Status) {
    if (WIFEXITED(Status)) return WEXITSTATUS(Status);
    if (WIFSIGNALED(Status)) return 128 + WTERMSIG(Status);
    return -1;
}

}  // namespace

TChildProcess::TChildProcess(const String& Program, const std::vector<String>& Arguments,
                             const String& WorkingDirectory, const std::vector<String>& Environment,
                             TStdErrTarget StdErr)
    : FState(std::make_unique<TState>()) {
    int Pipe[2] = {-1, -1};
    if (StdErr == TStdErrTarget::Pipe && pipe2(Pipe, O_CLOEXEC) != 0) raiseStartError(Program, errno);

    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
    if (StdErr == TStdErrTarget::Pipe) posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 2);
    if (StdErr == TStdErrTarget::Null) posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string Folder = WorkingDirectory.toLocal8Bit().toStdString();
    if (!Folder.empty()) posix_spawn_file_actions_addchdir_np(&Actions, Folder.c_str());

    // The child starts with no blocked signals and SIGPIPE at its default, whatever this thread has.
    posix_spawnattr_t Attr;
    posix_spawnattr_init(&Attr);
    sigset_t Empty, Defaults;
    sigemptyset(&Empty);
    sigemptyset(&Defaults);
    sigaddset(&Defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&Attr, &Empty);
    posix_spawnattr_setsigdefault(&Attr, &Defaults);
    posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> Args;
    Args.push_back(Program.toLocal8Bit().toStdString());
    for (const String& A : Arguments) Args.push_back(A.toLocal8Bit().toStdString());
    std::vector<char*> Argv;
    for (std::string& A : Args) Argv.push_back(A.data());
    Argv.push_back(nullptr);
    std::vector<std::string> Env = childEnvironment(Environment);
    std::vector<char*> Envp;
    for (std::string& E : Env) Envp.push_back(E.data());
    Envp.push_back(nullptr);

    pid_t Pid = -1;
    const int Error = posix_spawnp(&Pid, Argv[0], &Actions, &Attr, Argv.data(), Envp.data());
    posix_spawn_file_actions_destroy(&Actions);
    posix_spawnattr_destroy(&Attr);
    if (Pipe[1] >= 0) close(Pipe[1]);
    if (Error != 0) {
        if (Pipe[0] >= 0) close(Pipe[0]);
        raiseStartError(Program, Error);
    }
    FPid = Pid;
    FState->ReadFd = Pipe[0];
}

TChildProcess::~TChildProcess() {
    if (!WaitFor(0)) {
        Kill();
        WaitFor(-1);
    }
    CloseStdErr();
}

int TChildProcess::ReadStdErr(void* Buffer, int Count) {
    const int Fd = FState->ReadFd;
    if (Fd < 0) return 0;
    for (;;) {
        const ssize_t N = read(Fd, Buffer, static_cast<size_t>(Count));
        if (N >= 0) return static_cast<int>(N);
        if (errno != EINTR) return -1;
    }
}

void TChildProcess::CloseStdErr() {
    if (FState->ReadFd >= 0) close(FState->ReadFd);
    FState->ReadFd = -1;
}

bool TChildProcess::WaitFor(int Timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point Deadline = Clock::now() + std::chrono::milliseconds(Timeout < 0 ? 0 : Timeout);
    for (;;) {
        {
            std::lock_guard<std::mutex> Guard(FState->Lock);
            if (FState->Reaped) return true;
        }
        // Wait without reaping, so that Kill never signals a process id the system gave away again.
        siginfo_t Info{};
        const int Options = WEXITED | WNOWAIT | (Timeout < 0 ? 0 : WNOHANG);
        if (waitid(P_PID, static_cast<id_t>(FPid), &Info, Options) != 0) {
            if (errno == EINTR) continue;
            std::lock_guard<std::mutex> Guard(FState->Lock);
            FState->Reaped = true;  // not our child any more (reaped elsewhere)
            return true;
        }
        if (Info.si_pid == FPid) {
            std::lock_guard<std::mutex> Guard(FState->Lock);
            int Status = 0;
            if (!FState->Reaped && waitpid(FPid, &Status, WNOHANG) == FPid) FExitCode = exitCodeOf(Status);
            FState->Reaped = true;
            return true;
        }
        if (Clock::now() >= Deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool TChildProcess::Running() { return !WaitFor(0); }

void TChildProcess::Kill() {
    std::lock_guard<std::mutex> Guard(FState->Lock);
    if (!FState->Reaped && FPid > 0) kill(FPid, SIGKILL);
}

DWORD WaitForSingleObject(const TProcessHandle& Process, DWORD Milliseconds) {
    if (!Process) return WAIT_FAILED;
    const int Timeout = Milliseconds == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(Milliseconds, 0x7FFFFFFF));
    return Process->WaitFor(Timeout) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
