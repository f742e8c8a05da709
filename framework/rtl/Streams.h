// Streams: the abstract TStream, memory, bytes, string, handle and file streams. Positions are 64-bit.
#pragma once

#include "framework/rtl/Component.h"

#include <vector>

using TBytes = std::vector<Byte>;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File open modes: one access mode or fmCreate, combined with one share mode. Share modes are
// accepted for compatibility and have no effect here.
enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TStream : public TObject {
public:
    // Read and Write move what they can and return the byte count; they never raise for a short count.
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    // Returns the new position; raises EStreamError for a position before the start.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    Int64 Position() const { return GetPosition(); }
    void SetPosition(Int64 Value) { Seek(Value, soBeginning); }
    Int64 Size() const { return GetSize(); }
    virtual void SetSize(Int64 NewSize) = 0;

    // Raise EReadError "Stream read error" / EWriteError "Stream write error" on a short count.
    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);
    // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its start.
    Int64 CopyFrom(TStream* Source, Int64 Count);

    // Text helpers: UTF-8 bytes without a terminator or length prefix.
    void WriteString(const String& S);
    String ReadString(Int64 ByteCount);
    // The bytes from the position to the end.
    TBytes ReadToEnd();

protected:
    virtual Int64 GetPosition() const;
    virtual Int64 GetSize() const;
};

// A stream held in memory; TMemoryStream, TBytesStream and TStringStream share it.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;

    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    // Raises EFOpenError when the file cannot be read.
    void LoadFromFile(const String& FileName);
    // Writes a temporary file and renames it over FileName, so a failed save keeps the old file.
    void SaveToFile(const String& FileName) const;

protected:
    Int64 GetPosition() const override { return FPosition; }
    Int64 GetSize() const override { return static_cast<Int64>(FData.size()); }
    TBytes FData;
    Int64 FPosition = 0;
};

class TBytesStream : public TMemoryStream {
public:
    explicit TBytesStream(const TBytes& ABytes = {});
    // Exactly Size bytes.
    const TBytes& Bytes() const { return FData; }
};

// Text held as UTF-8 bytes.
class TStringStream : public TBytesStream {
public:
    explicit TStringStream(const String& AString = String());
    // The whole content decoded, wherever the position is.
    String DataString() const;
};

// A stream over an operating-system file descriptor it does not own.
class THandleStream : public TStream {
public:
    explicit THandleStream(int AHandle) : FHandle(AHandle) {}

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // Raises EStreamError when the file cannot be resized.
    void SetSize(Int64 NewSize) override;
    int Handle() const { return FHandle; }

protected:
    Int64 GetSize() const override;
    int FHandle = -1;
};

class TFileStream : public THandleStream {
public:
    // Raises EFCreateError (fmCreate) or EFOpenError with the system's reason; a folder is refused.
    TFileStream(const String& AFileName, Word Mode);
    ~TFileStream() override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
};

// Writes Size bytes to a temporary file beside FileName, flushes it and renames it over FileName.
// Raises EFCreateError or EWriteError and leaves any previous file untouched when anything fails.
void SaveFileAtomically(const String& FileName, const void* Data, Int64 Size);
