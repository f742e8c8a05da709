// Basic types shared by the whole framework: text, integers, points and rectangles, sets.
#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

using String = QString;
using Char = QChar;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;
using Extended = long double;
using TDateTime = double;

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle excludes its right and bottom edge, as on the platform.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return {X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return {Left, Top, Left + Width, Top + Height}; }
inline bool PtInRect(const TRect& R, const TPoint& P) { return R.Contains(P); }
// R grown by D on every side (shrunk for a negative D).
inline TRect InflatedRect(const TRect& R, int D) { return {R.Left - D, R.Top - D, R.Right + D, R.Bottom + D}; }
// R moved by DX, DY.
inline TRect MovedRect(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

// A set of enumeration members, the platform's "set of" type (up to 64 members).
template <class E>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Members) {
        for (E M : Members) FBits |= bit(M);
    }
    constexpr bool Contains(E M) const { return (FBits & bit(M)) != 0; }
    constexpr TSet& Include(E M) {
        FBits |= bit(M);
        return *this;
    }
    constexpr TSet& Exclude(E M) {
        FBits &= ~bit(M);
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint64_t Bits() const { return FBits; }
    constexpr TSet operator+(TSet O) const { return fromBits(FBits | O.FBits); }
    constexpr TSet operator-(TSet O) const { return fromBits(FBits & ~O.FBits); }
    constexpr TSet operator*(TSet O) const { return fromBits(FBits & O.FBits); }
    friend constexpr bool operator==(TSet A, TSet B) { return A.FBits == B.FBits; }
    static constexpr TSet fromBits(std::uint64_t B) {
        TSet S;
        S.FBits = B;
        return S;
    }

private:
    static constexpr std::uint64_t bit(E M) { return std::uint64_t(1) << static_cast<unsigned>(M); }
    std::uint64_t FBits = 0;
};
