// Format: the platform's directives, parsed here; user patterns never reach printf.
#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstdlib>

namespace {

class TFormatter {
public:
    TFormatter(const String& Fmt, const TVarRec* Args, std::size_t Count, const TFormatSettings& FS)
        : FFmt(Fmt), FArgs(Args), FCount(Count), FFS(FS) {}

    String Run() {
        const qsizetype N = FFmt.size();
        while (FPos < N) {
            const QChar C = FFmt[FPos++];
            if (C != u'%') {
                FOut += C;
                continue;
            }
            if (FPos >= N) fail();
            if (FFmt[FPos] == u'%') {
                FOut += u'%';
                ++FPos;
                continue;
            }
            directive();
        }
        return FOut;
    }

private:
    const String& FFmt;
    const TVarRec* FArgs;
    std::size_t FCount;
    const TFormatSettings& FFS;
    qsizetype FPos = 0;
    std::size_t FNext = 0;
    String FOut;

    [[noreturn]] void fail() const {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(FFmt));
    }

    const TVarRec& nextArg() {
        if (FNext >= FCount) fail();
        return FArgs[FNext++];
    }

    // Digits or "*" (taken from the arguments); false when neither is there.
    bool readNumber(int& Value) {
        if (FPos < FFmt.size() && FFmt[FPos] == u'*') {
            ++FPos;
            const TVarRec& A = nextArg();
            if (!A.IsInteger() || A.AsInt64() < -1000000 || A.AsInt64() > 1000000) fail();
            Value = static_cast<int>(A.AsInt64());
            return true;
        }
        bool Any = false;
        Int64 V = 0;
        for (; FPos < FFmt.size() && FFmt[FPos] >= u'0' && FFmt[FPos] <= u'9'; ++FPos) {
            V = V * 10 + (FFmt[FPos].unicode() - u'0');
            if (V > 1000000) fail();
            Any = true;
        }
        if (Any) Value = static_cast<int>(V);
        return Any;
    }

    // "%" [index ":"] ["-"] [width] ["." prec] type
    void directive() {
        bool Left = false;
        int Width = 0, Prec = -1, Number = 0;
        bool HaveWidth = false;
        if (readNumber(Number)) {
            if (FPos < FFmt.size() && FFmt[FPos] == u':') {
                if (Number < 0) fail();
                FNext = static_cast<std::size_t>(Number);
                ++FPos;
            } else {
                Width = Number;
                HaveWidth = true;
            }
        }
        if (!HaveWidth) {
            if (FPos < FFmt.size() && FFmt[FPos] == u'-') {
                Left = true;
                ++FPos;
            }
            readNumber(Width);
        }
        if (FPos < FFmt.size() && FFmt[FPos] == u'.') {
            ++FPos;
            if (!readNumber(Prec)) fail();
        }
        if (FPos >= FFmt.size()) fail();
        const char16_t Type = FFmt[FPos++].unicode();
        const String Text = convert(Type, nextArg(), Prec);
        if (Width < 0) {
            Left = true;
            Width = -Width;
        }
        FOut += Left ? Text.leftJustified(Width, u' ') : Text.rightJustified(Width, u' ');
    }

    // Magnitude and sign of an integer argument; a 32-bit one reads as unsigned in 32 bits.
    static UInt64 unsignedBits(const TVarRec& A) {
        return A.Kind() == TVarRec::vtInteger ? UInt64(static_cast<std::uint32_t>(A.AsInt64()))
                                              : static_cast<UInt64>(A.AsInt64());
    }

    static String zeroPadded(String Digits, int Prec) { return Digits.rightJustified(std::max(Prec, 0), u'0'); }

    Extended floatArg(const TVarRec& A) const {
        if (A.Kind() != TVarRec::vtExtended) fail();
        return A.AsExtended();
    }

    String convert(char16_t Type, const TVarRec& A, int Prec) const {
        switch (Type) {
            case u'd':
            case u'D': {
                if (!A.IsInteger()) fail();
                if (A.Kind() == TVarRec::vtUInt64) return zeroPadded(String::number(unsignedBits(A)), Prec);
                const Int64 V = A.AsInt64();
                const UInt64 Magnitude = V < 0 ? 0 - static_cast<UInt64>(V) : static_cast<UInt64>(V);
                const String Digits = zeroPadded(String::number(Magnitude), Prec);
                return V < 0 ? u'-' + Digits : Digits;
            }
            case u'u':
            case u'U':
                if (!A.IsInteger()) fail();
                return zeroPadded(String::number(unsignedBits(A)), Prec);
            case u'x':
            case u'X':
                if (!A.IsInteger()) fail();
                return zeroPadded(String::number(unsignedBits(A), 16).toUpper(), Prec);
            case u'e':
            case u'E':
                return FloatToStrF(floatArg(A), ffExponent, Prec < 0 ? 15 : Prec, 3, FFS);
            case u'f':
            case u'F':
                return FloatToStrF(floatArg(A), ffFixed, 18, Prec < 0 ? 2 : Prec, FFS);
            case u'g':
            case u'G':
                return FloatToStrF(floatArg(A), ffGeneral, Prec < 0 ? 15 : Prec, 0, FFS);
            case u'n':
            case u'N':
                return FloatToStrF(floatArg(A), ffNumber, 18, Prec < 0 ? 2 : Prec, FFS);
            case u'm':
            case u'M':
                return FloatToStrF(floatArg(A), ffCurrency, 18, Prec < 0 ? FFS.CurrencyDecimals : Prec, FFS);
            case u's':
            case u'S': {
                String S;
                if (A.Kind() == TVarRec::vtString)
                    S = A.AsString();
                else if (A.Kind() == TVarRec::vtChar)
                    S = String(A.AsChar());
                else
                    fail();
                return Prec >= 0 ? S.left(Prec) : S;
            }
            case u'p':
            case u'P':
                if (A.Kind() != TVarRec::vtPointer) fail();
                return String::number(reinterpret_cast<quintptr>(A.AsPointer()), 16)
                    .toUpper()
                    .rightJustified(2 * sizeof(void*), u'0');
            default:
                fail();
        }
    }
};

}  // namespace

String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS) {
    return TFormatter(Fmt, Args.begin(), Args.size(), FS).Run();
}

String Format(const String& Fmt, const std::vector<TVarRec>& Args, const TFormatSettings& FS) {
    return TFormatter(Fmt, Args.data(), Args.size(), FS).Run();
}
