#include "framework/rtl/Streams.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MemoryStream, SeekFromEachOrigin) {
    struct Case {
        Int64 Start, Offset;
        TSeekOrigin Origin;
        Int64 Expected;
    };
    const Case Cases[] = {
        {5, 2, soBeginning, 2}, {5, 2, soCurrent, 7}, {5, -3, soCurrent, 2},
        {5, -1, soEnd, 9},      {5, 4, soEnd, 14},    {0, 0, soEnd, 10},
    };
    for (const Case& K : Cases) {
        TMemoryStream M;
        M.WriteBuffer("0123456789", 10);
        M.SetPosition(K.Start);
        EXPECT_EQ(M.Seek(K.Offset, K.Origin), K.Expected);
        EXPECT_EQ(M.Position(), K.Expected);
    }
    TMemoryStream M;
    M.WriteBuffer("abc", 3);
    EXPECT_THROW(M.Seek(-4, soEnd), EStreamError);
    EXPECT_EQ(M.Position(), 3) << "a refused seek keeps the position";
}

TEST(MemoryStream, ReadPastEndIsShortAndReadBufferRaises) {
    TMemoryStream M;
    M.WriteBuffer("abcdef", 6);
    M.SetPosition(4);
    char Buf[8] = {};
    EXPECT_EQ(M.Read(Buf, 8), 2);
    EXPECT_EQ(std::string(Buf, 2), "ef");
    EXPECT_EQ(M.Read(Buf, 8), 0);
    M.SetPosition(4);
    try {
        M.ReadBuffer(Buf, 3);
        ADD_FAILURE() << "ReadBuffer past the end did not raise";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Stream read error"));
    }
}

TEST(MemoryStream, WritingPastTheEndGrowsAndFillsTheGap) {
    TMemoryStream M;
    M.WriteBuffer("ab", 2);
    M.Seek(2, soEnd);
    M.WriteBuffer("z", 1);
    ASSERT_EQ(M.Size(), 5);
    EXPECT_EQ(std::memcmp(M.Memory(), "ab\0\0z", 5), 0);
    M.SetSize(1);
    EXPECT_EQ(M.Position(), 1) << "a shrink pulls the position back";
    M.Clear();
    EXPECT_EQ(M.Size(), 0);
    EXPECT_EQ(M.Position(), 0);
}

TEST(Streams, StringAndBytesStreams) {
    TStringStream S(QStringLiteral("héllo"));
    EXPECT_EQ(S.Size(), 6) << "UTF-8";
    S.Seek(0, soEnd);
    S.WriteString(QStringLiteral(" wörld"));
    EXPECT_EQ(S.DataString(), QStringLiteral("héllo wörld"));
    S.SetPosition(0);
    EXPECT_EQ(S.ReadString(6), QStringLiteral("héllo"));

    TBytesStream B(TBytes{1, 2, 3});
    B.SetPosition(3);
    const Byte More[] = {4, 5};
    B.WriteBuffer(More, 2);
    EXPECT_EQ(B.Bytes(), (TBytes{1, 2, 3, 4, 5})) << "exactly Size bytes";
}

TEST(Streams, CopyFromCountZeroCopiesEverything) {
    TStringStream Source(QStringLiteral("0123456789"));
    Source.SetPosition(7);
    TMemoryStream Dest;
    EXPECT_EQ(Dest.CopyFrom(&Source, 0), 10);
    EXPECT_EQ(Dest.Size(), 10);

    Source.SetPosition(2);
    TStringStream Part;
    EXPECT_EQ(Part.CopyFrom(&Source, 3), 3);
    EXPECT_EQ(Part.DataString(), QStringLiteral("234"));
    Source.SetPosition(8);
    EXPECT_THROW(Part.CopyFrom(&Source, 5), EReadError);
}

TEST(FileStream, CreateWriteReopenRead) {
    TempFolder Dir;
    const String Path = Dir.File(QStringLiteral("data.bin"));
    {
        TFileStream F(Path, fmCreate | fmShareExclusive);
        F.WriteString(QStringLiteral("hello file"));
        EXPECT_EQ(F.Size(), 10);
    }
    {
        TFileStream F(Path, fmOpenReadWrite | fmShareDenyWrite);
        F.Seek(-4, soEnd);
        F.WriteString(QStringLiteral("FILE"));
        F.SetSize(12);
    }
    TFileStream F(Path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(F.Size(), 12);
    EXPECT_EQ(F.ReadString(10), QStringLiteral("hello FILE"));
    EXPECT_THROW(F.ReadString(3), EReadError);
    try {
        F.WriteString(QStringLiteral("x"));
        ADD_FAILURE() << "writing to a stream opened for reading did not raise";
    } catch (const EWriteError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Stream write error"));
    }
}

TEST(FileStream, OpenFailuresNameTheFileAndTheReason) {
    TempFolder Dir;
    struct Case {
        const char* Name;
        String Path;
        Word Mode;
        bool CreateError;
        const char* Reason;
    };
    const Case Cases[] = {
        {"missing file", Dir.File("none.bin"), fmOpenRead, false, "No such file or directory"},
        {"a folder", Dir.Path(), fmOpenRead, false, "Is a directory"},
        {"missing folder", Dir.File("no/x.bin"), fmCreate, true, "No such file or directory"},
        {"create over a folder", Dir.Path(), fmCreate, true, "Is a directory"},
    };
    for (const Case& K : Cases) {
        try {
            TFileStream F(K.Path, K.Mode);
            ADD_FAILURE() << K.Name << " opened";
        } catch (const EStreamError& E) {
            const String Verb = K.CreateError ? QStringLiteral("create") : QStringLiteral("open");
            EXPECT_EQ(E.Message(), QStringLiteral("Cannot %1 file \"%2\". %3").arg(Verb, K.Path, K.Reason)) << K.Name;
            EXPECT_EQ(dynamic_cast<const EFCreateError*>(&E) != nullptr, K.CreateError) << K.Name;
            EXPECT_EQ(dynamic_cast<const EFOpenError*>(&E) != nullptr, !K.CreateError) << K.Name;
        }
    }
}

TEST(FileStream, PositionsBeyondFourGigabytes) {
    TempFolder Dir;
    const String Path = Dir.File(QStringLiteral("sparse.bin"));
    constexpr Int64 Big = Int64(5) << 30;
    {
        TFileStream F(Path, fmCreate);
        F.SetSize(Big);  // sparse: no real space used
        EXPECT_EQ(F.Seek(-4, soEnd), Big - 4);
        F.WriteString(QStringLiteral("tail"));
    }
    TFileStream F(Path, fmOpenRead);
    EXPECT_EQ(F.Size(), Big);
    F.SetPosition(Big - 4);
    EXPECT_EQ(F.ReadString(4), QStringLiteral("tail"));
}

TEST(MemoryStream, FileRoundTripAndAtomicReplace) {
    TempFolder Dir;
    const String Path = Dir.File(QStringLiteral("m.bin"));
    TMemoryStream M;
    M.WriteString(QStringLiteral("first"));
    M.SaveToFile(Path);
    TMemoryStream N;
    N.WriteString(QStringLiteral("second version"));
    N.SaveToFile(Path);
    TMemoryStream Back;
    Back.LoadFromFile(Path);
    EXPECT_EQ(Back.Size(), 14);
    EXPECT_EQ(Back.Position(), 0);
    EXPECT_EQ(std::memcmp(Back.Memory(), "second version", 14), 0);
    EXPECT_THROW(M.SaveToFile(Dir.Path()), EFCreateError) << "a folder is never replaced";
}

}  // namespace
