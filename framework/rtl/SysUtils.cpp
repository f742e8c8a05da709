// Integers to text and back, rounding, MulDiv and the random generator.
#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Exceptions.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace {

int digitValue(QChar C, int Base) {
    const char16_t U = C.unicode();
    if (U >= u'0' && U <= u'9') return U - u'0';
    if (Base == 16 && U >= u'a' && U <= u'f') return U - u'a' + 10;
    if (Base == 16 && U >= u'A' && U <= u'F') return U - u'A' + 10;
    return -1;
}

// Reads the platform's integer syntax. A hexadecimal literal may fill every bit of the
// result (so "$FFFFFFFF" is -1 for 32 bits); a decimal one must fit the signed range.
bool parseInteger(const String& S, bool Wide, Int64& Out) {
    const qsizetype N = S.size();
    qsizetype I = 0;
    while (I < N && (S[I] == u' ' || S[I] == u'\t')) ++I;
    bool Negative = false;
    if (I < N && (S[I] == u'-' || S[I] == u'+')) Negative = S[I++] == u'-';
    int Base = 10;
    if (I < N && (S[I] == u'$' || S[I] == u'x' || S[I] == u'X')) {
        Base = 16;
        ++I;
    } else if (I + 1 < N && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
        Base = 16;
        I += 2;
    }
    if (I >= N) return false;
    UInt64 Limit;
    if (Base == 16)
        Limit = Wide ? std::numeric_limits<UInt64>::max() : 0xFFFFFFFFull;
    else
        Limit = (Wide ? UInt64(std::numeric_limits<Int64>::max()) : UInt64(INT32_MAX)) + (Negative ? 1 : 0);
    UInt64 V = 0;
    for (; I < N; ++I) {
        const int D = digitValue(S[I], Base);
        if (D < 0 || V > (Limit - D) / Base) return false;
        V = V * Base + D;
    }
    if (Negative) V = 0 - V;
    // Two's complement wrap-around, well defined since C++20.
    Out = Wide ? static_cast<Int64>(V) : static_cast<Int64>(static_cast<std::int32_t>(static_cast<std::uint32_t>(V)));
    return true;
}

[[noreturn]] void raiseNotInteger(const String& S) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

[[noreturn]] void raiseInvalidOp() { throw EInvalidOp(QStringLiteral("Invalid floating point operation")); }

// 2^63 exactly: the first value Int64 cannot hold.
constexpr Extended kInt64Bound = 9223372036854775808.0L;

Int64 checkedInt64(Extended Whole) {
    if (!(Whole >= -kInt64Bound && Whole < kInt64Bound)) raiseInvalidOp();
    // Whole is a whole number, so rounding it changes nothing; a cast would switch the
    // floating-point unit to truncation and back, which costs more than the rest together.
    return std::llrint(Whole);
}

std::mutex gRandomLock;
std::uint32_t gRandSeed = 0;

// A linear congruential step; callers take the high bits, which are the well-mixed ones.
std::uint32_t nextRandom() {
    std::lock_guard<std::mutex> Lock(gRandomLock);
    gRandSeed = gRandSeed * 1664525u + 1013904223u;
    return gRandSeed;
}

}  // namespace

String IntToStr(int Value) { return String::number(Value); }
String IntToStr(Int64 Value) { return String::number(Value); }
String UIntToStr(UInt64 Value) { return String::number(Value); }

bool TryStrToInt64(const String& S, Int64& Value) { return parseInteger(S, true, Value); }

bool TryStrToInt(const String& S, int& Value) {
    Int64 V;
    if (!parseInteger(S, false, V)) return false;
    Value = static_cast<int>(V);
    return true;
}

int StrToInt(const String& S) {
    int V;
    if (!TryStrToInt(S, V)) raiseNotInteger(S);
    return V;
}

Int64 StrToInt64(const String& S) {
    Int64 V;
    if (!TryStrToInt64(S, V)) raiseNotInteger(S);
    return V;
}

int StrToIntDef(const String& S, int Default) {
    TryStrToInt(S, Default);
    return Default;
}

Int64 StrToInt64Def(const String& S, Int64 Default) {
    TryStrToInt64(S, Default);
    return Default;
}

// Below 2^51 a double's rounding to the nearest whole number is one addition and one
// subtraction of 1.5 x 2^52; painting loops round and truncate several times per band and pixel,
// where the extended precision's own instructions cost a third of their time.
constexpr double kRoundShift = 6755399441055744.0;
constexpr double kFastLimit = 2251799813685248.0;

Int64 Round(Extended X) {
    // The floating-point unit's own rounding, as the platform's Round: to the nearest whole
    // number, halves to the even one (the program never changes the rounding mode).
    if (const double D = static_cast<double>(X); D == X && std::fabs(D) < kFastLimit) {
        volatile double Shifted = D + kRoundShift;  // kept in a double, never in a wider register
        return static_cast<Int64>(Shifted - kRoundShift);
    }
    if (!std::isfinite(X)) raiseInvalidOp();
    return checkedInt64(std::rint(X));
}

Int64 Trunc(Extended X) {
    if (const double D = static_cast<double>(X); D == X && std::fabs(D) < kFastLimit) return static_cast<Int64>(D);
    if (!std::isfinite(X)) raiseInvalidOp();
    return checkedInt64(std::trunc(X));
}

Extended Int(Extended X) { return std::trunc(X); }

Extended Frac(Extended X) { return X - std::trunc(X); }

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const Int64 Product = Int64(Number) * Numerator;
    Int64 Quotient = Product / Denominator;
    const Int64 Remainder = Product % Denominator;
    if (2 * std::llabs(Remainder) >= std::llabs(Int64(Denominator)))
        Quotient += (Product < 0) != (Denominator < 0) ? -1 : 1;
    if (Quotient < INT32_MIN || Quotient > INT32_MAX) return -1;
    return static_cast<int>(Quotient);
}

int Random(int Range) {
    if (Range <= 0) return 0;
    return static_cast<int>((UInt64(nextRandom()) * UInt64(Range)) >> 32);
}

double Random() { return nextRandom() / 4294967296.0; }

void Randomize() {
    const auto Ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    SetRandSeed(static_cast<std::uint32_t>(Ticks ^ (Ticks >> 32)));
}

std::uint32_t RandSeed() {
    std::lock_guard<std::mutex> Lock(gRandomLock);
    return gRandSeed;
}

void SetRandSeed(std::uint32_t Value) {
    std::lock_guard<std::mutex> Lock(gRandomLock);
    gRandSeed = Value;
}
