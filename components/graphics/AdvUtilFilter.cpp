#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// A grid filters thousands of cells with one condition, so a condition is taken apart once into
// clauses, operators and operands already converted to numbers and dates, and kept per thread
// under the condition text, the case flag and the locale settings it was read with. Each cell
// text is then upper-cased and converted at most once, and matched without building strings.

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

// Ordinal comparison; only the sign counts.
int compareUnits(QStringView A, QStringView B) {
    const qsizetype N = std::min(A.size(), B.size());
    for (qsizetype I = 0; I < N; ++I)
        if (A[I] != B[I]) return A[I].unicode() < B[I].unicode() ? -1 : 1;
    return (A.size() > B.size()) - (A.size() < B.size());
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

// S as a number: the locale thousand separators dropped, its decimal separator read as ".", then
// the whole text a finite decimal number (sign, digits, ".", digits, exponent). One pass checks
// the form and gathers the digits; a mantissa of at most 19 digits without exponent is exact in
// Extended and so is its power of ten, so one division rounds as the full conversion does.
// Longer texts and exponents go to the full conversion.
bool readNumber(QStringView S, Char Thousand, Char Decimal, Extended& Value) {
    static constexpr Extended kPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                           1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
    static_assert(std::numeric_limits<Extended>::digits >= 64, "a 19-digit mantissa must be exact");
    // Most cells hold a plain whole number: an optional "-" and a few digits.
    {
        const qsizetype N = S.size();
        qsizetype I = N > 0 && S[0] == u'-' && Thousand != u'-' && Decimal != u'-' ? 1 : 0;
        if (N - I > 0 && N - I <= 18) {
            std::int64_t Whole = 0;
            for (; I < N; ++I) {
                const char16_t C = S[I].unicode();
                if (C < u'0' || C > u'9' || C == Thousand || C == Decimal) break;
                Whole = Whole * 10 + (C - u'0');
            }
            if (I == N) {
                Value = S[0] == u'-' ? -static_cast<Extended>(Whole) : static_cast<Extended>(Whole);
                return true;
            }
        }
    }
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
    // Below 2^63 the conversion is a plain signed load; whole numbers need no division.
    const Extended Digits64 = Mantissa < (std::uint64_t(1) << 63)
                                  ? static_cast<Extended>(static_cast<std::int64_t>(Mantissa))
                                  : static_cast<Extended>(Mantissa);
    const Extended Magnitude = FractionDigits == 0 ? Digits64 : Digits64 / kPowers[FractionDigits];
    Value = Negative ? -Magnitude : Magnitude;
    return true;
}

// ---- The value one condition is matched against ----

// The value as the clauses see it: up to its first #0 and, without case, upper-cased as
// AnsiUpperCase does; its number and date read once, when a comparison first asks.
class TValue {
public:
    TValue(const String& Value, bool Upper) : FOriginal(Value), FEmpty(Value.isEmpty()) {
        const TFormatSettings& FS = FormatSettings;
        FThousand = FS.ThousandSeparator;
        FDecimal = FS.DecimalSeparator;
        const char16_t DateSeparator = FS.DateSeparator.unicode();
        // One pass: where the text ends, whether it holds a date separator, and, without case,
        // the upper-cased copy of a short text.
        const char16_t* P = reinterpret_cast<const char16_t*>(Value.constData());
        const qsizetype N = Value.size();
        qsizetype End = 0;
        // Most cells hold a plain whole number: "-" and digits are read in the same pass, unless
        // the locale uses one of them as a separator.
        const auto isPlain = [](char16_t C) { return C == u'-' || static_cast<char16_t>(C - u'0') < 10; };
        bool PlainWhole = !isPlain(FThousand.unicode()) && !isPlain(FDecimal.unicode());
        bool HasDateSeparator = false, NeedsUpper = false;
        std::uint64_t Whole = 0;
        for (; End < N; ++End) {
            const char16_t C = P[End];
            if (C == u'\0') break;
            HasDateSeparator |= C == DateSeparator;
            NeedsUpper |= static_cast<char16_t>(C - u'a') < 26 || C >= 0x80;
            const unsigned Digit = static_cast<unsigned>(C) - u'0';
            if (Digit < 10)
                Whole = Whole * 10 + Digit;
            else
                PlainWhole &= End == 0 && C == u'-';
        }
        FHasDateSeparator = HasDateSeparator;
        FText = QStringView(P, End);
        FWhole = End == N;
        presetNumber(P, End, PlainWhole, Whole);
        // Numbers and upper-case words are used as they are.
        if (!Upper || !NeedsUpper) return;
        if (N > kInline) {
            FLong.assign(P, static_cast<size_t>(End));
            upperCase(FLong.data(), 0, End);
            FText = QStringView(FLong.data(), End);
            return;
        }
        qsizetype FirstWide = -1;
        for (qsizetype I = 0; I < End; ++I) {
            const char16_t C = P[I];
            FInline[I] = static_cast<char16_t>(C - u'a') < 26 ? C - (u'a' - u'A') : C;
            if (C >= 0x80 && FirstWide < 0) FirstWide = I;
        }
        FText = QStringView(FInline, End);
        // Only a text beyond ASCII needs the general mapping.
        if (FirstWide >= 0) upperCase(FInline, FirstWide, End);
    }
    TValue(const TValue&) = delete;
    TValue& operator=(const TValue&) = delete;

    bool Empty() const { return FEmpty; }
    QStringView Text() const { return FText; }

    bool Date(TDateTime& Value) {
        if (FDateState < 0) {
            FDateState = 0;
            // Without a date separator it cannot be a date; spares the copy.
            if (FHasDateSeparator) {
                const String Text = FWhole && FText.data() == FOriginal.constData() ? FOriginal : FText.toString();
                FDateState = ParseLocaleDateTime(Text, FDate) ? 1 : 0;
            }
        }
        Value = FDate;
        return FDateState == 1;
    }

    // A text that reads as a date is not a number.
    bool Number(Extended& Value) {
        if (FNumberState < 0) {
            TDateTime Unused;
            FNumberState = !Date(Unused) && readNumber(FText, FThousand, FDecimal, FNumber) ? 1 : 0;
        }
        Value = FNumber;
        return FNumberState == 1;
    }

private:
    static constexpr qsizetype kInline = 64;

    // What readNumber would give for the texts the pass above can settle: a "-" and 1 to 18
    // digits, or a text that starts with a letter (never a number, whether a date or not).
    void presetNumber(const char16_t* P, qsizetype End, bool PlainWhole, std::uint64_t Whole) {
        const bool Negative = End > 0 && P[0] == u'-';
        const qsizetype Digits = End - Negative;
        if (PlainWhole && Digits > 0 && Digits <= 18 && !FHasDateSeparator) {
            const Extended Magnitude = static_cast<Extended>(static_cast<std::int64_t>(Whole));
            FNumber = Negative ? -Magnitude : Magnitude;
            FNumberState = 1;
            return;
        }
        if (End == 0) {
            FNumberState = 0;
            return;
        }
        const char16_t First = P[0];
        if (static_cast<char16_t>((First | 0x20) - u'a') < 26 && First != FThousand.unicode() &&
            First != FDecimal.unicode()) {
            FNumberState = 0;
            return;
        }
        if (!FHasDateSeparator) presetDecimal(P, End);
    }

    // A "-", digits, thousand separators and one decimal point, read as readNumber reads them;
    // false leaves anything else (signs, exponents, long mantissas) to readNumber.
    bool presetDecimal(const char16_t* P, qsizetype End) {
        const char16_t Thousand = FThousand.unicode(), Decimal = FDecimal.unicode();
        const auto isSpecial = [](char16_t C) {
            return C == u'-' || C == u'+' || C == u'e' || C == u'E' || static_cast<char16_t>(C - u'0') < 10;
        };
        if (isSpecial(Thousand) || isSpecial(Decimal)) return false;
        const bool Negative = P[0] == u'-';
        bool Point = false;
        int Digits = 0, Significant = 0, FractionDigits = 0;
        std::uint64_t Mantissa = 0;
        for (qsizetype I = Negative; I < End; ++I) {
            const char16_t C = P[I];
            const unsigned Digit = static_cast<unsigned>(C) - u'0';
            if (Digit < 10) {
                ++Digits;
                if (Point) ++FractionDigits;
                if (Mantissa != 0 || Digit != 0) {
                    if (++Significant > 19) return false;
                    Mantissa = Mantissa * 10 + Digit;
                }
            } else if (C == Thousand) {
                continue;
            } else if ((C == Decimal || C == u'.') && !Point) {
                Point = true;
            } else {
                return false;
            }
        }
        if (Digits == 0 || FractionDigits > 19) return false;
        static constexpr Extended kPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                               1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
        const Extended Digits64 = Mantissa < (std::uint64_t(1) << 63)
                                      ? static_cast<Extended>(static_cast<std::int64_t>(Mantissa))
                                      : static_cast<Extended>(Mantissa);
        const Extended Magnitude = FractionDigits == 0 ? Digits64 : Digits64 / kPowers[FractionDigits];
        FNumber = Negative ? -Magnitude : Magnitude;
        FNumberState = 1;
        return true;
    }

    const String& FOriginal;
    bool FEmpty;
    bool FWhole = true;
    bool FHasDateSeparator = false;
    QStringView FText;
    Char FThousand, FDecimal;
    char16_t FInline[kInline];  // the upper-cased text when it is short
    std::u16string FLong;
    int FDateState = -1, FNumberState = -1;
    TDateTime FDate = 0;
    Extended FNumber = 0;

    // One UTF-16 unit to one, a surrogate pair to a pair: the length never changes.
    static char16_t upperUnit(char16_t C) {
        if (C < 0x80) return C >= u'a' && C <= u'z' ? C - (u'a' - u'A') : C;
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

// Numbers when both are numbers, else dates when both are dates, else text.
[[gnu::always_inline]] inline bool compareValue(TValue& V, const TOperand& O, TCompare Op) {
    if (O.IsNumber) {
        Extended N;
        if (V.Number(N)) return holds(N, O.Number, Op, O.OrEqual);
    } else if (O.IsDate) {
        TDateTime D;
        if (V.Date(D)) return holds(D, O.Date, Op, O.OrEqual);
    }
    return holds(compareUnits(V.Text().left(kMaxOperand), O.Text), 0, Op, O.OrEqual);
}

// ---- Wildcards ----

// "*" and "?" only: the usual match that retries from the last "*", linear for most texts.
bool matchPlainWildcards(QStringView P, QStringView V) {
    qsizetype I = 0, J = 0, StarI = -1, StarJ = 0;
    while (J < V.size()) {
        if (I < P.size() && P[I] == u'*') {
            StarI = ++I;
            StarJ = J;
        } else if (I < P.size() && (P[I] == u'?' || P[I] == V[J])) {
            ++I, ++J;
        } else if (StarI >= 0) {
            I = StarI;
            J = ++StarJ;
        } else {
            return false;
        }
    }
    while (I < P.size() && P[I] == u'*') ++I;
    return I == P.size();
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

struct TClause {
    bool EmptyOnly = false;  // "" (two double quotes): the empty value only
    String Pattern;          // up to its first #0, upper-cased when case does not count
    TOperand Greater, Less;
    bool Negated = false, Caret = false, Ampersand = false;
    bool PlainWildcards = true;          // no "!" and no double quote
    bool ExactText = false;              // nor "*" or "?": the value must equal the pattern
    std::vector<qsizetype> LevelStarts;  // where the text after each "*" run starts
};

TClause compileClause(const String& Clause, bool Upper, bool EmptyRule) {
    TClause C;
    if (EmptyRule && Clause == u"\"\"") {
        C.EmptyOnly = true;
        return C;
    }
    C.Pattern = untilNull(Upper ? AnsiUpperCase(Clause) : Clause).toString();
    const QStringView P(C.Pattern);
    if (const qsizetype At = indexOutsideQuotes(P, u'>'); At >= 0) C.Greater = operandAfter(P, At);
    if (const qsizetype At = indexOutsideQuotes(P, u'<'); At >= 0) C.Less = operandAfter(P, At);
    C.Negated = indexOutsideQuotes(P, u'!') >= 0;
    C.Caret = indexOutsideQuotes(P, u'^') >= 0;
    C.Ampersand = indexOutsideQuotes(P, u'&') >= 0;
    C.PlainWildcards = !P.contains(u'!') && !P.contains(u'"');
    C.ExactText = C.PlainWildcards && !P.contains(u'*') && !P.contains(u'?');
    for (qsizetype I = 0; I < P.size();) {
        if (P[I] != u'*') {
            ++I;
            continue;
        }
        while (I < P.size() && P[I] == u'*') ++I;
        C.LevelStarts.push_back(I);
    }
    return C;
}

[[gnu::always_inline]] inline bool matchClause(const TClause& C, TValue& V) {
    if (C.EmptyOnly) return V.Empty();
    // Each comparison is made at most once, and only when a rule below asks for it.
    int GreaterResult = -1, LessResult = -1;
    const auto greater = [&] {
        if (GreaterResult < 0) GreaterResult = compareValue(V, C.Greater, TCompare::Greater);
        return GreaterResult == 1;
    };
    const auto less = [&] {
        if (LessResult < 0) LessResult = compareValue(V, C.Less, TCompare::Less);
        return LessResult == 1;
    };
    // A negated clause counts a missing comparison as present and passed.
    const bool HasGreater = C.Greater.Present || C.Negated, HasLess = C.Less.Present || C.Negated;
    const auto greaterPassed = [&] { return !C.Greater.Present || greater(); };
    const auto lessPassed = [&] { return !C.Less.Present || less(); };
    if (C.Caret && (HasGreater || HasLess)) return greaterPassed() || lessPassed();
    if (C.Ampersand && HasGreater && HasLess) return greaterPassed() && lessPassed();
    if (C.Greater.Present && greater()) return true;
    if (C.Less.Present && less()) return true;
    if (C.ExactText) return V.Text() == QStringView(C.Pattern);
    if (C.PlainWildcards) return matchPlainWildcards(C.Pattern, V.Text());
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

// The compiled conditions of this thread, the last used first. The locale settings are part of
// the key: an operand read under other separators or another date order would be stale.
struct TCacheEntry {
    String Condition;
    bool CaseSensitive;
    Char Decimal, Thousand, DateSeparator, TimeSeparator;
    String ShortDateFormat;
    std::unique_ptr<const TProgram> Program;

    bool Matches(const String& C, bool CS, const TFormatSettings& FS) const {
        // The condition first: it differs most often, and by length or data pointer at once.
        return sameText(C, Condition) && CS == CaseSensitive && FS.DecimalSeparator == Decimal &&
               FS.ThousandSeparator == Thousand && FS.DateSeparator == DateSeparator &&
               FS.TimeSeparator == TimeSeparator && sameText(FS.ShortDateFormat, ShortDateFormat);
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
                   TCacheEntry{Condition, CaseSensitive, FS.DecimalSeparator, FS.ThousandSeparator, FS.DateSeparator,
                               FS.TimeSeparator, FS.ShortDateFormat, std::move(Program)});
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
