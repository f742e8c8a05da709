#include "framework/rtl/AtomicFile.h"

#include "framework/rtl/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

std::mutex& hookMutex() {
    static std::mutex M;
    return M;
}

std::function<void(const String&)>& beforeReplaceHook() {
    static std::function<void(const String&)> Hook;
    return Hook;
}

[[noreturn]] void raiseWriteError(const String& FileName, int Code) {
    throw EOSError(
        QStringLiteral("Cannot write the file \"%1\". %2").arg(FileName, QString::fromLocal8Bit(std::strerror(Code))),
        Code);
}

// Closes a descriptor on every path out.
struct FdGuard {
    int Fd = -1;
    ~FdGuard() {
        if (Fd >= 0) ::close(Fd);
    }
};

}  // namespace

void SetBeforeReplaceHook(std::function<void(const String&)> Hook) {
    std::lock_guard<std::mutex> Lock(hookMutex());
    beforeReplaceHook() = std::move(Hook);
}

void WriteFileAtomically(const String& FileName, const void* Data, std::size_t Size, unsigned NewFileMode) {
    static std::atomic<unsigned> Counter{0};
    const QByteArray Target = QFile::encodeName(FileName);
    struct stat Old {};
    const bool HadOld = ::stat(Target.constData(), &Old) == 0;
    if (HadOld && S_ISDIR(Old.st_mode)) raiseWriteError(FileName, EISDIR);
    // The rename would replace a read-only file behind its owner's back.
    if (HadOld && ::access(Target.constData(), W_OK) != 0) raiseWriteError(FileName, errno);

    String TempName;
    FdGuard Out;
    for (int Attempt = 0; Out.Fd < 0 && Attempt < 100; ++Attempt) {
        TempName = FileName + QStringLiteral(".tmp-%1-%2").arg(::getpid()).arg(++Counter);
        Out.Fd = ::open(QFile::encodeName(TempName).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
        if (Out.Fd < 0 && errno != EEXIST) raiseWriteError(FileName, errno);
    }
    if (Out.Fd < 0) raiseWriteError(FileName, EEXIST);
    const QByteArray Temp = QFile::encodeName(TempName);
    auto abandon = [&](int Code) {
        ::unlink(Temp.constData());
        raiseWriteError(FileName, Code);
    };
    if (HadOld && ::fchmod(Out.Fd, Old.st_mode & 07777) != 0) abandon(errno);
    const char* Bytes = static_cast<const char*>(Data);
    std::size_t Done = 0;
    while (Done < Size) {
        const ssize_t N = ::write(Out.Fd, Bytes + Done, Size - Done);
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) abandon(N < 0 ? errno : ENOSPC);
        Done += std::size_t(N);
    }
    if (::fsync(Out.Fd) != 0) abandon(errno);
    const int Fd = Out.Fd;
    Out.Fd = -1;
    if (::close(Fd) != 0) abandon(errno);

    std::function<void(const String&)> Hook;
    {
        std::lock_guard<std::mutex> Lock(hookMutex());
        Hook = beforeReplaceHook();
    }
    if (Hook) {
        try {
            Hook(TempName);
        } catch (...) {
            ::unlink(Temp.constData());
            throw;
        }
    }
    if (::rename(Temp.constData(), Target.constData()) != 0) abandon(errno);
    // The rename itself must reach the disk too, or a crash could bring back the old file.
    const QByteArray Folder = QFile::encodeName(QFileInfo(FileName).absolutePath());
    FdGuard Dir{::open(Folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (Dir.Fd >= 0) ::fsync(Dir.Fd);
}
