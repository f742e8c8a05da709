#include "framework/rtl/Streams.h"

#include "framework/rtl/AtomicFile.h"

#include "framework/rtl/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

QByteArray encodedName(const String& FileName) { return QFile::encodeName(NormalizePathDelimiters(FileName)); }

String systemReason(int Code) { return QString::fromLocal8Bit(std::strerror(Code)); }

[[noreturn]] void raiseSeekError(Int64 Offset) {
    throw EStreamError(QStringLiteral("Invalid stream position (%1)").arg(Offset));
}

}  // namespace

// --- TStream ---------------------------------------------------------------------------------

Int64 TStream::GetPosition() const { return const_cast<TStream*>(this)->Seek(0, soCurrent); }

Int64 TStream::GetSize() const {
    auto* Self = const_cast<TStream*>(this);
    const Int64 Pos = Self->Seek(0, soCurrent);
    const Int64 Result = Self->Seek(0, soEnd);
    Self->Seek(Pos, soBeginning);
    return Result;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
    if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
    if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError(QStringLiteral("Stream write error"));
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    constexpr Int64 ChunkSize = 64 * 1024;
    std::vector<Byte> Chunk(static_cast<size_t>(std::min(Count, ChunkSize)));
    const Int64 Result = Count;
    while (Count > 0) {
        const Int64 N = std::min(Count, ChunkSize);
        Source->ReadBuffer(Chunk.data(), N);
        WriteBuffer(Chunk.data(), N);
        Count -= N;
    }
    return Result;
}

void TStream::WriteString(const String& S) {
    const QByteArray Bytes = S.toUtf8();
    WriteBuffer(Bytes.constData(), Bytes.size());
}

String TStream::ReadString(Int64 ByteCount) {
    QByteArray Bytes(static_cast<qsizetype>(ByteCount), Qt::Uninitialized);
    ReadBuffer(Bytes.data(), ByteCount);
    return QString::fromUtf8(Bytes);
}

TBytes TStream::ReadToEnd() {
    TBytes Result;
    Byte Chunk[64 * 1024];
    for (;;) {
        const Int64 N = Read(Chunk, sizeof Chunk);
        if (N <= 0) break;
        Result.insert(Result.end(), Chunk, Chunk + N);
    }
    return Result;
}

// --- TMemoryStream ---------------------------------------------------------------------------

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
    const Int64 Available = GetSize() - FPosition;
    const Int64 N = std::min(Count, Available);
    if (N <= 0) return 0;
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
    if (Count <= 0) return 0;
    // Writing past the end extends the stream; a gap left by a seek reads as zeros.
    if (FPosition + Count > GetSize()) FData.resize(static_cast<size_t>(FPosition + Count), 0);
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    const Int64 Base = Origin == soBeginning ? 0 : (Origin == soCurrent ? FPosition : GetSize());
    if (Base + Offset < 0) raiseSeekError(Base + Offset);
    FPosition = Base + Offset;
    return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
    if (NewSize < 0) throw EStreamError(QStringLiteral("Invalid stream size (%1)").arg(NewSize));
    FData.resize(static_cast<size_t>(NewSize), 0);
    FPosition = std::min(FPosition, NewSize);
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    TBytes Bytes = Stream->ReadToEnd();
    FData.swap(Bytes);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) const { Stream->WriteBuffer(FData.data(), GetSize()); }

void TMemoryStream::LoadFromFile(const String& FileName) {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream);
}

void TMemoryStream::SaveToFile(const String& FileName) const { SaveFileAtomically(FileName, FData.data(), GetSize()); }

TBytesStream::TBytesStream(const TBytes& ABytes) { FData = ABytes; }

TStringStream::TStringStream(const String& AString) {
    const QByteArray Bytes = AString.toUtf8();
    FData.assign(Bytes.begin(), Bytes.end());
}

String TStringStream::DataString() const {
    return QString::fromUtf8(reinterpret_cast<const char*>(FData.data()), static_cast<qsizetype>(FData.size()));
}

// --- THandleStream, TFileStream --------------------------------------------------------------

Int64 THandleStream::Read(void* Buffer, Int64 Count) {
    Int64 Done = 0;
    auto* Out = static_cast<char*>(Buffer);
    while (Done < Count) {
        const ssize_t N = ::read(FHandle, Out + Done, static_cast<size_t>(Count - Done));
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) break;
        Done += N;
    }
    return Done;
}

Int64 THandleStream::Write(const void* Buffer, Int64 Count) {
    Int64 Done = 0;
    const auto* In = static_cast<const char*>(Buffer);
    while (Done < Count) {
        const ssize_t N = ::write(FHandle, In + Done, static_cast<size_t>(Count - Done));
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) break;
        Done += N;
    }
    return Done;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    const int Whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
    const off_t Result = ::lseek(FHandle, static_cast<off_t>(Offset), Whence);
    if (Result < 0) raiseSeekError(Offset);
    return Result;
}

void THandleStream::SetSize(Int64 NewSize) {
    if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError(QStringLiteral("Cannot resize the stream to %1 bytes. %2")
                               .arg(NewSize)
                               .arg(systemReason(NewSize < 0 ? EINVAL : errno)));
    if (Position() > NewSize) SetPosition(NewSize);
}

Int64 THandleStream::GetSize() const {
    struct stat St {};
    return ::fstat(FHandle, &St) == 0 ? static_cast<Int64>(St.st_size) : -1;
}

TFileStream::TFileStream(const String& AFileName, Word Mode) : THandleStream(-1), FFileName(AFileName) {
    const QByteArray Name = encodedName(AFileName);
    const bool Create = (Mode & fmCreate) == fmCreate;
    int Flags = O_CLOEXEC;
    if (Create)
        Flags |= O_RDWR | O_CREAT | O_TRUNC;
    else
        Flags |= (Mode & 3) == fmOpenWrite ? O_WRONLY : ((Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY);
    int Error = 0;
    FHandle = ::open(Name.constData(), Flags, 0666);
    if (FHandle < 0) {
        Error = errno;
    } else {
        struct stat St {};
        if (::fstat(FHandle, &St) == 0 && S_ISDIR(St.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            Error = EISDIR;
        }
    }
    if (FHandle >= 0) return;
    const String Reason = systemReason(Error);
    if (Create) throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, Reason));
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, Reason));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

// --- Atomic save -----------------------------------------------------------------------------

void SaveFileAtomically(const String& FileName, const void* Data, Int64 Size) {
    if (Size < 0) throw EWriteError(QStringLiteral("Stream write error"));
    try {
        WriteFileAtomically(NormalizePathDelimiters(FileName), Data, std::size_t(Size));
    } catch (const EOSError& E) {
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, systemReason(E.ErrorCode)));
    }
}
