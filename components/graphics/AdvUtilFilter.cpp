#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

// A grid filters thousands of cells with one condition, so a condition is taken apart once into
// clauses, operators and operands already converted to numbers and dates, and kept per thread
// under the condition text, the case flag and the locale settings it was read with. Each cell
// text is then read in place (an ASCII text upper-cased as it is read, others copied once),
// converted at most once, and matched without building strings.

namespace {

constexpr int kMaxOperand = 255;

qsizetype nullTerminatedLength(const Char* P) {
    qsizetype N = 0;
    if (P)
        while (P[N] != u'\0') ++N;
    return N;
}

String fromNullTerminated(const Char* P) { return P ? String(P, nullTerminatedLength(P)) : String(); }

// The text up to its first #0, as a null-terminated text ends there.
QStringView untilNull(QStringView S) {
    const qsizetype End = S.indexOf(u'\0');
    return End < 0 ? S : S.left(End);
}

// 0-based index of the first Ch at or after From with an even number of double quotes between
// From and it; -1 when none.
qsizetype indexOutsideQuotes(QStringView S, Char Ch, qsizetype From = 0) {
    bool Quoted = false;
    for (qsizetype I = From; I < S.size(); ++I) {
        if (S[I] == Ch && !Quoted) return I;
        if (S[I] == u'"') Quoted = !Quoted;
    }
    return -1;
}


// ---- Numbers ----

// The conversion proper, for the texts the quick reading below leaves to it.
bool convertNumber(const String& S, Extended& Value) {
    const String Plain = PlainNumberText(S);
    if (Plain.isEmpty() || Trim(Plain).size() != Plain.size()) return false;
    // Only the decimal separator matters to the conversion.
    static const TFormatSettings Invariant = [] {
        TFormatSettings FS = TFormatSettings::Default();
        FS.DecimalSeparator = u'.';
        return FS;
    }();
    return TryStrToFloat(Plain, Value, Invariant) && std::isfinite(Value);
}

// Mantissa / 10^FractionDigits, signed: both exact in Extended for at most 19 digits, so the
// one division rounds as the full conversion does.
Extended exactDecimal(std::uint64_t Mantissa, int FractionDigits, bool Negative) {
    static constexpr Extended kPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                           1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
    static_assert(std::numeric_limits<Extended>::digits >= 64, "a 19-digit mantissa must be exact");
    // Below 2^63 the conversion is a plain signed load; whole numbers need no division.
    const Extended Digits64 = Mantissa < (std::uint64_t(1) << 63)
                                  ? static_cast<Extended>(static_cast<std::int64_t>(Mantissa))
                                  : static_cast<Extended>(Mantissa);
    const Extended Magnitude = FractionDigits == 0 ? Digits64 : Digits64 / kPowers[FractionDigits];
    return Negative ? -Magnitude : Magnitude;
}

// S as a number: the locale thousand separators dropped, its decimal separator read as ".", then
// the whole text a finite decimal number (sign, digits, ".", digits, exponent). One pass checks
// the form and gathers the digits; a mantissa of at most 19 digits without exponent is exact in
// Extended and so is its power of ten, so one division rounds as the full conversion does.
// Longer texts and exponents go to the full conversion.
bool readNumber(QStringView S, Char Thousand, Char Decimal, Extended& Value) {
    enum { Start, Whole, Fraction, ExponentMark, ExponentSign, ExponentDigits } State = Start;
    bool Negative = false, Point = false, Exact = true;
    int Digits = 0, Significant = 0, FractionDigits = 0;
    std::uint64_t Mantissa = 0;
    for (const Char Ch : S) {
        if (Ch == Thousand) continue;
        const char16_t C = Ch == Decimal ? u'.' : Ch.unicode();
        const bool IsDigit = C >= u'0' && C <= u'9';
        switch (State) {
            case Start:
                State = Whole;
                if (C == u'-' || C == u'+') {
                    Negative = C == u'-';
                    continue;
                }
                [[fallthrough]];
            case Whole:
            case Fraction:
                if (IsDigit) {
                    ++Digits;
                    if (Point) ++FractionDigits;
                    if (Mantissa != 0 || C != u'0') {
                        if (++Significant > 19)
                            Exact = false;
                        else
                            Mantissa = Mantissa * 10 + (C - u'0');
                    }
                } else if (C == u'.' && !Point) {
                    Point = true;
                    State = Fraction;
                } else if ((C == u'e' || C == u'E') && Digits > 0) {
                    State = ExponentMark;
                } else {
                    return false;
                }
                break;
            case ExponentMark:
                if (C == u'-' || C == u'+') {
                    State = ExponentSign;
                    break;
                }
                [[fallthrough]];
            case ExponentSign:
            case ExponentDigits:
                if (!IsDigit) return false;
                State = ExponentDigits;
                break;
        }
    }
    if (Digits == 0 || State == ExponentMark || State == ExponentSign) return false;
    if (State == ExponentDigits || !Exact || FractionDigits > 19) return convertNumber(S.toString(), Value);
    Value = exactDecimal(Mantissa, FractionDigits, Negative);
    return true;
}

// ---- The value one condition is matched against ----

// How a clause sees the units of a value: as they are, or upper-cased as AnsiUpperCase maps
// ASCII text (letters only). Comparisons and wildcards read through one of these, so an ASCII
// value is never copied to be upper-cased.
struct TSameUnits {
    static char16_t Map(char16_t C) { return C; }
};
struct TAsciiUpper {
    static char16_t Map(char16_t C) { return static_cast<char16_t>(C - u'a') < 26 ? C - (u'a' - u'A') : C; }
};

// The value as the clauses see it: up to its first #0 and, without case, upper-cased as
// AnsiUpperCase does; its number and date read once, when a comparison first asks.
class TValue {
public:
    TValue(const String& Value, bool Upper) : FOriginal(Value), FEmpty(Value.isEmpty()) {
        const char16_t* P = reinterpret_cast<const char16_t*>(Value.constData());
        const qsizetype N = Value.size();
        // Where the text ends and whether it is ASCII, four units at a time.
        constexpr std::uint64_t kOnes = 0x0001000100010001, kHighs = 0x8000800080008000;
        qsizetype End = 0;
        std::uint64_t Units = 0;
        for (std::uint64_t Four; End + 4 <= N; End += 4) {
            std::memcpy(&Four, P + End, sizeof Four);
            if ((Four - kOnes) & ~Four & kHighs) break;  // a #0 among them
            Units |= Four;
        }
        for (; End < N && P[End] != u'\0'; ++End) Units |= P[End];
        FRaw = QStringView(P, End);
        FWhole = End == N;
        if (!Upper) return;
        if ((Units & 0xFF80FF80FF80FF80) == 0) {
            FView = TView::AsciiUpper;
            return;
        }
        // Beyond ASCII the general mapping runs once, on a copy.
        copyUpper();
    }
    TValue(const TValue&) = delete;
    TValue& operator=(const TValue&) = delete;

    bool Empty() const { return FEmpty; }

    // Calls Fn(text, map): the text and how its units read.
    template <class F>
    [[gnu::always_inline]] decltype(auto) WithText(F&& Fn) const {
        if (FView == TView::AsciiUpper) return Fn(FRaw, TAsciiUpper{});
        return Fn(FView == TView::Copy ? FCopy : FRaw, TSameUnits{});
    }

    // The text as it reads, made into one piece of memory when it is read through a map.
    QStringView Text() {
        if (FView == TView::AsciiUpper) copyUpper();
        return FView == TView::Copy ? FCopy : FRaw;
    }

    bool Date(TDateTime& Value) {
        if (FDateState < 0) {
            FDateState = 0;
            // Without a date separator it cannot be a date; spares the copy.
            if (FRaw.contains(FormatSettings.DateSeparator)) {
                const QStringView T = Text();
                const String S = FWhole && T.data() == FOriginal.constData() ? FOriginal : T.toString();
                FDateState = ParseLocaleDateTime(S, FDate) ? 1 : 0;
            }
        }
        Value = FDate;
        return FDateState == 1;
    }

    // A text that reads as a date is not a number.
    bool Number(Extended& Value) {
        if (FNumberState < 0) readNumberOnce();
        Value = FNumber;
        return FNumberState == 1;
    }

private:
    [[gnu::noinline]] void readNumberOnce() {
        const TFormatSettings& FS = FormatSettings;
        FNumberState = WithText([&](QStringView T, auto Map) { return quickNumber(T, Map, FS); });
        if (FNumberState < 0) {
            TDateTime Unused;
            FNumberState =
                !Date(Unused) && readNumber(Text(), FS.ThousandSeparator, FS.DecimalSeparator, FNumber) ? 1 : 0;
        }
    }

    static constexpr qsizetype kInline = 64;
    enum class TView : unsigned char { Raw, AsciiUpper, Copy };

    // What Date and readNumber together give for the texts one plain pass can settle: a text
    // that starts with a letter (never a number, whether a date or not), or a "-", digits,
    // thousand separators and one decimal point without the date separator. 1 a number (in
    // FNumber), 0 none, -1 undecided: signs, exponents, long mantissas and possible dates are
    // left to the full reading.
    template <class Map>
    int quickNumber(QStringView T, Map, const TFormatSettings& FS) {
        const qsizetype End = T.size();
        if (End == 0) return 0;
        const char16_t Thousand = FS.ThousandSeparator.unicode(), Decimal = FS.DecimalSeparator.unicode(),
                       DateSeparator = FS.DateSeparator.unicode();
        const char16_t First = Map::Map(T[0].unicode());
        if (static_cast<char16_t>((First | 0x20) - u'a') < 26 && First != Thousand && First != Decimal) return 0;
        const auto isSpecial = [](char16_t C) {
            return C == u'-' || C == u'+' || C == u'e' || C == u'E' || static_cast<char16_t>(C - u'0') < 10;
        };
        if (isSpecial(Thousand) || isSpecial(Decimal)) return -1;
        const bool Negative = First == u'-';
        if (static_cast<char16_t>(DateSeparator - u'0') < 10 || (Negative && DateSeparator == u'-')) return -1;
        // Most cells hold a plain whole number; the map leaves digits alone.
        if (End - Negative <= 18) {
            qsizetype I = Negative;
            std::int64_t Whole = 0;
            for (unsigned Digit; I < End && (Digit = static_cast<unsigned>(T[I].unicode()) - u'0') < 10; ++I)
                Whole = Whole * 10 + Digit;
            if (I == End && End > Negative) {
                FNumber = Negative ? -static_cast<Extended>(Whole) : static_cast<Extended>(Whole);
                return 1;
            }
        }
        bool Point = false;
        int Digits = 0, Significant = 0, FractionDigits = 0;
        std::uint64_t Mantissa = 0;
        for (qsizetype I = Negative; I < End; ++I) {
            const char16_t C = Map::Map(T[I].unicode());
            const unsigned Digit = static_cast<unsigned>(C) - u'0';
            if (Digit < 10) {
                ++Digits;
                if (Point) ++FractionDigits;
                if (Mantissa != 0 || Digit != 0) {
                    if (++Significant > 19) return -1;
                    Mantissa = Mantissa * 10 + Digit;
                }
            } else if (C == DateSeparator) {
                return -1;
            } else if (C == Thousand) {
                continue;
            } else if ((C == Decimal || C == u'.') && !Point) {
                Point = true;
            } else {
                return -1;
            }
        }
        if (Digits == 0 || FractionDigits > 19) return -1;
        FNumber = exactDecimal(Mantissa, FractionDigits, Negative);
        return 1;
    }

    // The upper-cased text into the inline buffer or, when long, onto the heap.
    void copyUpper() {
        const qsizetype N = FRaw.size();
        char16_t* D = FInline;
        if (N > kInline) {
            FLong = std::make_unique<char16_t[]>(static_cast<size_t>(N));
            D = FLong.get();
        }
        const char16_t* P = reinterpret_cast<const char16_t*>(FRaw.data());
        qsizetype FirstWide = -1;
        for (qsizetype I = 0; I < N; ++I) {
            const char16_t C = P[I];
            D[I] = TAsciiUpper::Map(C);
            if (C >= 0x80 && FirstWide < 0) FirstWide = I;
        }
        // Only a text beyond ASCII needs the general mapping.
        if (FirstWide >= 0) upperCase(D, FirstWide, N);
        FCopy = QStringView(D, N);
        FView = TView::Copy;
    }

    // One UTF-16 unit to one, a surrogate pair to a pair: the length never changes.
    static char16_t upperUnit(char16_t C) {
        if (C < 0x80) return TAsciiUpper::Map(C);
        const char32_t Mapped = QChar::toUpper(static_cast<char32_t>(C));
        return QChar::requiresSurrogates(Mapped) ? C : static_cast<char16_t>(Mapped);
    }

    // P[From..N) upper-cased in place as AnsiUpperCase maps it; P[From] is no low surrogate
    // of a pair that starts before From.
    static void upperCase(char16_t* P, qsizetype From, qsizetype N) {
        for (qsizetype I = From; I < N; ++I) {
            if (QChar::isHighSurrogate(P[I]) && I + 1 < N && QChar::isLowSurrogate(P[I + 1])) {
                const char32_t Mapped = QChar::toUpper(QChar::surrogateToUcs4(P[I], P[I + 1]));
                if (QChar::requiresSurrogates(Mapped)) {
                    P[I] = QChar::highSurrogate(Mapped);
                    P[I + 1] = QChar::lowSurrogate(Mapped);
                }
                ++I;
            } else if (!QChar::isSurrogate(P[I])) {
                P[I] = upperUnit(P[I]);
            }
        }
    }

    const String& FOriginal;
    bool FEmpty;
    bool FWhole;
    TView FView = TView::Raw;
    QStringView FRaw;   // up to the first #0
    QStringView FCopy;  // the upper-cased copy
    int FDateState = -1, FNumberState = -1;
    TDateTime FDate = 0;
    Extended FNumber = 0;
    char16_t FInline[kInline];
    std::unique_ptr<char16_t[]> FLong;
};

// ---- Comparisons ----

enum class TCompare { Greater, Less };

// The operand of ">", ">=", "<" or "<=", read when the clause is compiled.
struct TOperand {
    bool Present = false;
    bool OrEqual = false;
    String Text;  // at most kMaxOperand characters
    bool IsNumber = false;
    bool IsDate = false;
    Extended Number = 0;
    TDateTime Date = 0;
};

// The operand after the mark at index Mark: spaces skipped, up to a space, "&" or "|" outside
// double quotes, one enclosing double quote dropped at each end.
TOperand operandAfter(QStringView P, qsizetype Mark) {
    TOperand O;
    O.Present = true;
    qsizetype I = Mark + 1;
    O.OrEqual = I < P.size() && P[I] == u'=';
    if (O.OrEqual) ++I;
    while (I < P.size() && P[I] == u' ') ++I;
    qsizetype End = P.size();
    bool Quoted = false;
    for (qsizetype J = I; J < P.size(); ++J) {
        const Char C = P[J];
        if (!Quoted && (C == u' ' || C == u'&' || C == u'|')) {
            End = J;
            break;
        }
        if (C == u'"') Quoted = !Quoted;
    }
    QStringView Text = P.mid(I, End - I);
    if (Text.startsWith(u'"')) Text = Text.mid(1);
    if (Text.endsWith(u'"')) Text.chop(1);
    O.Text = Text.left(kMaxOperand).toString();
    O.IsDate = ParseLocaleDateTime(O.Text, O.Date);
    const TFormatSettings& FS = FormatSettings;
    O.IsNumber = !O.IsDate && readNumber(O.Text, FS.ThousandSeparator, FS.DecimalSeparator, O.Number);
    return O;
}

template <class T>
bool holds(T V, T O, TCompare Op, bool OrEqual) {
    if (OrEqual && V == O) return true;
    return Op == TCompare::Greater ? V > O : V < O;
}

// Ordinal comparison of A, read through Map, with B; only the sign counts.
template <class Map>
int compareUnits(QStringView A, Map, QStringView B) {
    const qsizetype N = std::min(A.size(), B.size());
    for (qsizetype I = 0; I < N; ++I)
        if (const char16_t C = Map::Map(A[I].unicode()); C != B[I]) return C < B[I].unicode() ? -1 : 1;
    return (A.size() > B.size()) - (A.size() < B.size());
}

// Numbers when both are numbers, else dates when both are dates, else text.
[[gnu::always_inline]] inline bool compareValue(TValue& V, const TOperand& O, TCompare Op) {
    if (O.IsNumber) {
        Extended N;
        if (V.Number(N)) return holds(N, O.Number, Op, O.OrEqual);
    } else if (O.IsDate) {
        TDateTime D;
        if (V.Date(D)) return holds(D, O.Date, Op, O.OrEqual);
    }
    return holds(V.WithText([&](QStringView T, auto Map) { return compareUnits(T.left(kMaxOperand), Map, O.Text); }),
                 0, Op, O.OrEqual);
}

// ---- Wildcards ----

// A piece of a pattern between "*" runs: P[Start, Start + Length).
struct TSegment {
    qsizetype Start, Length;
};

// Whether the segment matches V at At, "?" taking any unit.
template <class Map>
bool segmentAt(QStringView P, TSegment S, QStringView V, qsizetype At, Map) {
    for (qsizetype K = 0; K < S.Length; ++K)
        if (const char16_t C = P[S.Start + K].unicode(); C != u'?' && C != Map::Map(V[At + K].unicode())) return false;
    return true;
}

// "*" and "?" only. The first piece is anchored at the start and the last at the end; as a
// "*" takes any text, each piece between them may take the first place it fits, so no
// place is ever tried twice for one piece.
template <class Map>
bool matchPlainWildcards(QStringView P, const std::vector<TSegment>& Segments, QStringView V, Map M) {
    const TSegment First = Segments.front(), Last = Segments.back();
    if (Segments.size() == 1) return V.size() == First.Length && segmentAt(P, First, V, 0, M);
    qsizetype From = First.Length, Until = V.size() - Last.Length;
    if (Until < From || !segmentAt(P, First, V, 0, M) || !segmentAt(P, Last, V, Until, M)) return false;
    for (size_t K = 1; K + 1 < Segments.size(); ++K) {
        const TSegment S = Segments[K];
        while (From + S.Length <= Until && !segmentAt(P, S, V, From, M)) ++From;
        if (From + S.Length > Until) return false;
        From += S.Length;
    }
    return true;
}

// With "!" or double quotes: the pattern in levels, the text before the first "*" run, then the
// text after each run. A level matches the value from a start position by walking it; reaching
// a "*" hands the rest of the value to the next level, which may take any ending of it. The next
// level's answers for every start are computed once, so no ending is tried twice.
class TWildcardMatcher {
public:
    TWildcardMatcher(QStringView Pattern, const std::vector<qsizetype>& LevelStarts, QStringView Value)
        : FPattern(Pattern), FLevelStarts(LevelStarts), FValue(Value) {}

    bool Match() {
        const size_t N = static_cast<size_t>(FValue.size());
        std::vector<char> NextAny, Any;  // NextAny[k]: some start >= k of the next level matches
        for (auto L = FLevelStarts.rbegin(); L != FLevelStarts.rend(); ++L) {
            Any.assign(N + 2, 0);
            for (size_t S = N + 1; S-- > 0;) Any[S] = Any[S + 1] || matchLevel(*L, static_cast<qsizetype>(S), NextAny);
            std::swap(NextAny, Any);
        }
        return matchLevel(0, 0, NextAny);
    }

private:
    QStringView FPattern;
    const std::vector<qsizetype>& FLevelStarts;
    QStringView FValue;

    bool matchLevel(qsizetype Start, qsizetype At, const std::vector<char>& NextAny) const {
        // "!" is an ordinary character in a pattern that starts with a double quote.
        const bool BangIsChar = Start < FPattern.size() && FPattern[Start] == u'"';
        bool Negated = false, Literal = false, Base = false;
        qsizetype I = Start, J = At;
        while (true) {
            if (I == FPattern.size()) {
                Base = J == FValue.size();
                break;
            }
            const Char C = FPattern[I];
            if (C == u'"') {
                if (!Literal) {
                    Literal = true;
                    ++I;
                    continue;
                }
                if (J < FValue.size() && FValue[J] == u'"') {
                    ++I, ++J;
                    continue;
                }
                break;
            }
            Literal = false;
            if (C == u'!' && !BangIsChar) {
                Negated = true;
                ++I;
                continue;
            }
            if (C == u'*') {
                Base = NextAny[static_cast<size_t>(J)];
                break;
            }
            if (J < FValue.size() && (C == u'?' || FValue[J] == C)) {
                ++I, ++J;
                continue;
            }
            break;
        }
        return Negated ? !Base : Base;
    }
};

// ---- Clauses ----

// How the comparisons of a clause decide it, settled when the clause is compiled.
enum class TRule : unsigned char {
    EmptyOnly,  // "" (two double quotes): the empty value only
    Either,     // "^": a comparison that holds is enough
    Both,       // "&": both comparisons must hold
    Single,     // a comparison that holds decides, else the pattern
};

// Where the pattern is tried.
enum class TPatternKind : unsigned char {
    Exact,  // no "!", double quote, "*" or "?": the value must equal the pattern
    Plain,  // "*" and "?" only
    Levels  // with "!" or double quotes
};

struct TClause {
    TRule Rule = TRule::Single;
    TPatternKind Kind = TPatternKind::Exact;
    String Pattern;  // up to its first #0, upper-cased when case does not count
    TOperand Greater, Less;
    std::vector<qsizetype> LevelStarts;  // where the text after each "*" run starts
    std::vector<TSegment> Segments;      // the pieces between "*" runs, for plain wildcards
};

TClause compileClause(const String& Clause, bool Upper, bool EmptyRule) {
    TClause C;
    if (EmptyRule && Clause == u"\"\"") {
        C.Rule = TRule::EmptyOnly;
        return C;
    }
    C.Pattern = untilNull(Upper ? AnsiUpperCase(Clause) : Clause).toString();
    const QStringView P(C.Pattern);
    if (const qsizetype At = indexOutsideQuotes(P, u'>'); At >= 0) C.Greater = operandAfter(P, At);
    if (const qsizetype At = indexOutsideQuotes(P, u'<'); At >= 0) C.Less = operandAfter(P, At);
    // A negated clause counts a missing comparison as present and passed.
    const bool Negated = indexOutsideQuotes(P, u'!') >= 0;
    const bool HasGreater = C.Greater.Present || Negated, HasLess = C.Less.Present || Negated;
    if (indexOutsideQuotes(P, u'^') >= 0 && (HasGreater || HasLess))
        C.Rule = TRule::Either;
    else if (indexOutsideQuotes(P, u'&') >= 0 && HasGreater && HasLess)
        C.Rule = TRule::Both;
    if (P.contains(u'!') || P.contains(u'"'))
        C.Kind = TPatternKind::Levels;
    else if (P.contains(u'*') || P.contains(u'?'))
        C.Kind = TPatternKind::Plain;
    for (qsizetype I = 0; I < P.size();) {
        if (P[I] != u'*') {
            ++I;
            continue;
        }
        while (I < P.size() && P[I] == u'*') ++I;
        C.LevelStarts.push_back(I);
    }
    if (C.Kind == TPatternKind::Plain) {
        qsizetype Start = 0;
        for (const qsizetype Next : C.LevelStarts) {
            qsizetype End = Next;
            while (End > Start && P[End - 1] == u'*') --End;
            C.Segments.push_back({Start, End - Start});
            Start = Next;
        }
        C.Segments.push_back({Start, P.size() - Start});
    }
    return C;
}

[[gnu::always_inline]] inline bool matchClause(const TClause& C, TValue& V) {
    // Each comparison is made at most once, and only when the rule asks for it; a missing one
    // counts as passed.
    const auto greaterPassed = [&] { return !C.Greater.Present || compareValue(V, C.Greater, TCompare::Greater); };
    const auto lessPassed = [&] { return !C.Less.Present || compareValue(V, C.Less, TCompare::Less); };
    switch (C.Rule) {
        case TRule::EmptyOnly:
            return V.Empty();
        case TRule::Either:
            return greaterPassed() || lessPassed();
        case TRule::Both:
            return greaterPassed() && lessPassed();
        case TRule::Single:
            break;
    }
    if (C.Greater.Present && compareValue(V, C.Greater, TCompare::Greater)) return true;
    if (C.Less.Present && compareValue(V, C.Less, TCompare::Less)) return true;
    switch (C.Kind) {
        case TPatternKind::Exact:
            return V.WithText([&](QStringView T, auto Map) {
                return T.size() == C.Pattern.size() && compareUnits(T, Map, C.Pattern) == 0;
            });
        case TPatternKind::Plain:
            return V.WithText([&](QStringView T, auto Map) { return matchPlainWildcards(C.Pattern, C.Segments, T, Map); });
        case TPatternKind::Levels:
            break;
    }
    return TWildcardMatcher(C.Pattern, C.LevelStarts, V.Text()).Match();
}

// ---- Conditions ----

// One piece of a condition and the operator that folds its outcome into the running result.
struct TStep {
    Char Operator;  // #0 for the first piece, "&", or one of the OR operators
    bool IsGroup;
    int Index;  // into TProgram::Groups or TProgram::Clauses
};

struct TProgram {
    std::vector<std::vector<TStep>> Groups;  // Groups[0] is the whole condition
    std::vector<TClause> Clauses;
};

int compileCondition(TProgram& Program, const String& Condition, bool CaseSensitive) {
    static const TCharSet kOperators = {u'(', u';', u'^', u'&', u'|'};
    const int Group = static_cast<int>(Program.Groups.size());
    Program.Groups.emplace_back();
    String C = RemoveSpacesOutsideQuotes(Trim(Condition));
    if (C.startsWith(u'=')) C.remove(0, 1);
    Char Pending = u'\0';
    // After "(" the outcome is dropped: it is the empty piece between a group's ")" and the
    // operator after it, or the text after a "(" inside a clause.
    const auto addClause = [&](const String& Clause) {
        if (Pending == u'(') return;
        Program.Clauses.push_back(compileClause(Clause, !CaseSensitive, true));
        Program.Groups[Group].push_back({Pending, false, static_cast<int>(Program.Clauses.size()) - 1});
    };
    Char Op;
    for (int P; (P = FindFilterOperator(C, kOperators, Op)) > 0;) {
        if (C.startsWith(u'(')) {
            // A "(" never closed takes the rest of the condition as its group.
            int E = FindClosingParenthesis(C);
            if (E == 0) E = static_cast<int>(C.size()) + 1;
            if (Pending != u'(') {
                const int Inner = compileCondition(Program, C.mid(1, E - 2), CaseSensitive);
                Program.Groups[Group].push_back({Pending, true, Inner});
            }
            C.remove(0, E);
        } else {
            addClause(C.left(P - 1));
            C.remove(0, P);
        }
        Pending = Op;
    }
    addClause(C);
    return Group;
}

// Strictly left to right, no precedence; a piece whose outcome cannot change the result is
// skipped.
bool runGroup(const TProgram& Program, int Group, TValue& V) {
    bool Result = true;
    for (const TStep& S : Program.Groups[static_cast<size_t>(Group)]) {
        // "&" after false and an OR after true keep the result.
        if (S.Operator != u'\0' && Result == (S.Operator != u'&')) continue;
        Result =
            S.IsGroup ? runGroup(Program, S.Index, V) : matchClause(Program.Clauses[static_cast<size_t>(S.Index)], V);
    }
    return Result;
}

// The four separators in one word, so the cache check compares them at once.
std::uint64_t separatorKey(const TFormatSettings& FS) {
    return std::uint64_t(FS.DecimalSeparator.unicode()) | std::uint64_t(FS.ThousandSeparator.unicode()) << 16 |
           std::uint64_t(FS.DateSeparator.unicode()) << 32 | std::uint64_t(FS.TimeSeparator.unicode()) << 48;
}

// The compiled conditions of this thread, the last used first. The locale settings are part of
// the key: an operand read under other separators or another date order would be stale.
struct TCacheEntry {
    String Condition;
    bool CaseSensitive;
    std::uint64_t Separators;
    String ShortDateFormat;
    std::unique_ptr<const TProgram> Program;

    bool Matches(const String& C, bool CS, const TFormatSettings& FS) const {
        // The condition first: it differs most often, and by length or data pointer at once.
        return sameText(C, Condition) && CS == CaseSensitive && separatorKey(FS) == Separators &&
               sameText(FS.ShortDateFormat, ShortDateFormat);
    }

    // A caller passes the same string again and again: shared data needs no comparison.
    static bool sameText(const String& A, const String& B) {
        return A.size() == B.size() && (A.constData() == B.constData() || A == B);
    }
};

constexpr size_t kCacheSize = 32;

// The entry used last, checked before anything else; a plain pointer needs no per-access set-up.
thread_local const TCacheEntry* tLastEntry = nullptr;

struct TCache {
    std::vector<TCacheEntry> Entries;
    ~TCache() { tLastEntry = nullptr; }
};

const TProgram& programFor(const String& Condition, bool CaseSensitive) {
    const TFormatSettings& FS = FormatSettings;
    if (tLastEntry && tLastEntry->Matches(Condition, CaseSensitive, FS)) return *tLastEntry->Program;
    thread_local TCache Cache;
    std::vector<TCacheEntry>& Entries = Cache.Entries;
    for (size_t I = 0; I < Entries.size(); ++I)
        if (Entries[I].Matches(Condition, CaseSensitive, FS)) {
            if (I > 0)
                std::rotate(Entries.begin(), Entries.begin() + static_cast<std::ptrdiff_t>(I),
                            Entries.begin() + static_cast<std::ptrdiff_t>(I) + 1);
            tLastEntry = &Entries.front();
            return *Entries.front().Program;
        }
    auto Program = std::make_unique<TProgram>();
    compileCondition(*Program, Condition, CaseSensitive);
    if (Entries.size() == kCacheSize) Entries.pop_back();
    Entries.insert(Entries.begin(),
                   TCacheEntry{Condition, CaseSensitive, separatorKey(FS), FS.ShortDateFormat, std::move(Program)});
    tLastEntry = &Entries.front();
    return *Entries.front().Program;
}

}  // namespace

String RemoveSpacesOutsideQuotes(const String& S) {
    String R;
    R.reserve(S.size());
    bool Quoted = false;
    for (Char C : S) {
        if (C == u'"') Quoted = !Quoted;
        if (C != u' ' || Quoted) R += C;
    }
    return R;
}

int FindFilterOperator(const String& S, const TCharSet& Operators, Char& Op) {
    bool Quoted = false;
    for (qsizetype I = 0; I < S.size(); ++I) {
        const Char C = S[I];
        if (C == u'"') {
            Quoted = !Quoted;
            continue;
        }
        if (Quoted) continue;
        for (Char O : Operators)
            if (C == O) {
                Op = C;
                return static_cast<int>(I) + 1;
            }
    }
    return 0;
}

int FindClosingParenthesis(const String& S) {
    if (!S.startsWith(u'(')) return 0;
    int Open = 0, Close = 0;
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'(') ++Open;
        if (S[I] == u')' && ++Close == Open) return static_cast<int>(I) + 1;
    }
    return 0;
}

int FindCharOutsideQuotes(Char Ch, const Char* S) {
    return static_cast<int>(indexOutsideQuotes(QStringView(S, nullTerminatedLength(S)), Ch)) + 1;
}

bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive) {
    const TProgram& Program = programFor(Condition, CaseSensitive);
    TValue V(Value, !CaseSensitive);
    return runGroup(Program, 0, V);
}

bool MatchFilterClause(const String& Clause, const String& Value, bool CaseSensitive) {
    const TClause C = compileClause(Clause, !CaseSensitive, true);
    TValue V(Value, !CaseSensitive);
    return matchClause(C, V);
}

bool MatchPattern(const Char* Pattern, const Char* Value) {
    return MatchPattern(fromNullTerminated(Pattern), fromNullTerminated(Value));
}

bool MatchPattern(const String& Pattern, const String& Value) {
    const TClause C = compileClause(Pattern, false, false);
    TValue V(Value, false);
    return matchClause(C, V);
}
