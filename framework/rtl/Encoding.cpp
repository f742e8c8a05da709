#include "framework/rtl/Encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace {

TBytes toBytes(const QByteArray& A) { return TBytes(A.begin(), A.end()); }
QByteArray toArray(const TBytes& B) { return QByteArray(reinterpret_cast<const char*>(B.data()), qsizetype(B.size())); }

// Through Qt's converters: UTF-8 and the two UTF-16 byte orders.
class TQtEncoding : public TEncoding {
public:
    TQtEncoding(QStringConverter::Encoding E, int Page, const char* Name, TBytes Preamble)
        : FEncoding(E), FCodePage(Page), FName(QString::fromLatin1(Name)), FPreamble(std::move(Preamble)) {}
    int CodePage() const override { return FCodePage; }
    String EncodingName() const override { return FName; }
    TBytes GetBytes(const String& S) const override {
        QStringEncoder Encoder(FEncoding, QStringConverter::Flag::Stateless);
        return toBytes(Encoder.encode(S));
    }
    String GetString(const TBytes& Bytes) const override {
        QStringDecoder Decoder(FEncoding, QStringConverter::Flag::Stateless);
        return Decoder.decode(toArray(Bytes));
    }
    TBytes GetPreamble() const override { return FPreamble; }

private:
    QStringConverter::Encoding FEncoding;
    int FCodePage;
    String FName;
    TBytes FPreamble;
};

// The characters Windows-1252 puts at 0x80..0x9F (0 where it has none).
constexpr std::array<char16_t, 32> kCp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// One byte per character: ASCII (to 127) or Windows-1252.
class TSingleByteEncoding : public TEncoding {
public:
    explicit TSingleByteEncoding(bool Ansi) : FAnsi(Ansi) {}
    int CodePage() const override { return FAnsi ? 1252 : 20127; }
    String EncodingName() const override {
        return FAnsi ? QStringLiteral("Western European (Windows)") : QStringLiteral("US-ASCII");
    }
    TBytes GetBytes(const String& S) const override {
        TBytes B;
        B.reserve(size_t(S.size()));
        for (const QChar Ch : S) B.push_back(byteOf(Ch.unicode()));
        return B;
    }
    String GetString(const TBytes& Bytes) const override {
        String S;
        S.reserve(qsizetype(Bytes.size()));
        for (Byte B : Bytes) S += QChar(charOf(B));
        return S;
    }
    TBytes GetPreamble() const override { return {}; }

private:
    bool FAnsi;

    Byte byteOf(char16_t C) const {
        if (C < 0x80) return Byte(C);
        if (!FAnsi) return Byte('?');
        if (C >= 0xA0 && C <= 0xFF) return Byte(C);
        const auto It = std::find(kCp1252High.begin(), kCp1252High.end(), C);
        return It != kCp1252High.end() && C != 0 ? Byte(0x80 + (It - kCp1252High.begin())) : Byte('?');
    }
    char16_t charOf(Byte B) const {
        if (B < 0x80) return B;
        if (!FAnsi) return u'?';
        if (B >= 0xA0) return B;
        const char16_t C = kCp1252High[B - 0x80];
        return C ? C : char16_t(B);  // the five unassigned bytes map to the control characters
    }
};

bool startsWith(const TBytes& Buffer, const TBytes& Prefix) {
    return !Prefix.empty() && Buffer.size() >= Prefix.size() &&
           std::equal(Prefix.begin(), Prefix.end(), Buffer.begin());
}

}  // namespace

TEncoding* TEncoding::UTF8() {
    static TQtEncoding E(QStringConverter::Utf8, 65001, "Unicode (UTF-8)", {0xEF, 0xBB, 0xBF});
    return &E;
}

TEncoding* TEncoding::Unicode() {
    static TQtEncoding E(QStringConverter::Utf16LE, 1200, "Unicode", {0xFF, 0xFE});
    return &E;
}

TEncoding* TEncoding::BigEndianUnicode() {
    static TQtEncoding E(QStringConverter::Utf16BE, 1201, "Unicode (Big-Endian)", {0xFE, 0xFF});
    return &E;
}

TEncoding* TEncoding::ASCII() {
    static TSingleByteEncoding E(false);
    return &E;
}

TEncoding* TEncoding::ANSI() {
    static TSingleByteEncoding E(true);
    return &E;
}

TEncoding* TEncoding::GetEncoding(int CodePage) {
    for (TEncoding* E : {UTF8(), Unicode(), BigEndianUnicode(), ASCII(), ANSI()})
        if (E->CodePage() == CodePage) return E;
    return nullptr;
}

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding) {
    return AEncoding && GetEncoding(AEncoding->CodePage()) == AEncoding;
}

int TEncoding::GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding) {
    if (AEncoding) {
        const TBytes Preamble = AEncoding->GetPreamble();
        return startsWith(Buffer, Preamble) ? int(Preamble.size()) : 0;
    }
    for (TEncoding* E : {UTF8(), Unicode(), BigEndianUnicode()}) {
        if (startsWith(Buffer, E->GetPreamble())) {
            AEncoding = E;
            return int(E->GetPreamble().size());
        }
    }
    AEncoding = Default();
    return 0;
}

String TEncoding::GetString(const TBytes& Bytes, int ByteIndex, int ByteCount) const {
    const int Size = int(Bytes.size());
    ByteIndex = std::clamp(ByteIndex, 0, Size);
    ByteCount = std::clamp(ByteCount, 0, Size - ByteIndex);
    return GetString(TBytes(Bytes.begin() + ByteIndex, Bytes.begin() + ByteIndex + ByteCount));
}
