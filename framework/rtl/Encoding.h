// Text encodings: turning text into bytes and back in UTF-8, UTF-16 (both byte orders), ASCII
// and the platform's ANSI code page (Windows-1252), with each encoding's byte-order mark and its
// detection at the start of a buffer. The standard encodings are shared objects the program
// never frees.
#pragma once

#include "framework/rtl/Streams.h"
#include "framework/rtl/Types.h"

class TEncoding {
public:
    virtual ~TEncoding() = default;
    TEncoding(const TEncoding&) = delete;
    TEncoding& operator=(const TEncoding&) = delete;

    static TEncoding* UTF8();
    // UTF-16, little endian.
    static TEncoding* Unicode();
    static TEncoding* BigEndianUnicode();
    // Characters above 127 become "?".
    static TEncoding* ASCII();
    // Windows-1252; characters it lacks become "?".
    static TEncoding* ANSI();
    // The platform's default code page: ANSI.
    static TEncoding* Default() { return ANSI(); }
    // The standard encoding of a code page (65001, 1200, 1201, 20127, 1252), nullptr for others.
    static TEncoding* GetEncoding(int CodePage);
    static bool IsStandardEncoding(const TEncoding* AEncoding);
    // The encoding whose byte-order mark starts Buffer, and the mark's length. With AEncoding
    // already set only its own mark is looked for; with none found AEncoding becomes Default
    // (when it was null) and the result is 0.
    static int GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding);

    virtual int CodePage() const = 0;
    virtual String EncodingName() const = 0;
    virtual TBytes GetBytes(const String& S) const = 0;
    // Bytes that do not form a character decode to U+FFFD (ASCII and ANSI never fail).
    virtual String GetString(const TBytes& Bytes) const = 0;
    String GetString(const TBytes& Bytes, int ByteIndex, int ByteCount) const;
    // The byte-order mark written before text in this encoding (empty for ASCII and ANSI).
    virtual TBytes GetPreamble() const = 0;

protected:
    TEncoding() = default;
};
