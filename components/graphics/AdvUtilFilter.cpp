#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kMaxOperand = 255;

qsizetype nullTerminatedLength(const Char* P) {
    qsizetype N = 0;
    if (P)
        while (P[N] != u'\0') ++N;
    return N;
}

String fromNullTerminated(const Char* P) { return P ? String(P, nullTerminatedLength(P)) : String(); }

// 0-based index of the first Ch at or after From with an even number of double quotes between
// From and it; -1 when none.
qsizetype indexOutsideQuotes(const String& S, Char Ch, qsizetype From = 0) {
    bool Quoted = false;
    for (qsizetype I = From; I < S.size(); ++I) {
        if (S[I] == Ch && !Quoted) return I;
        if (S[I] == u'"') Quoted = !Quoted;
    }
    return -1;
}

// ---- Comparisons ----

enum class TCompare { Greater, Less };

struct TComparison {
    bool Present = false;
    bool Result = false;
};

// The operand after the mark at index Mark: spaces skipped, up to a space, "&" or "|" outside
// double quotes, one enclosing double quote dropped at each end.
String operandAfter(const String& P, qsizetype Mark, bool& OrEqual) {
    qsizetype I = Mark + 1;
    OrEqual = I < P.size() && P[I] == u'=';
    if (OrEqual) ++I;
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
    String O = P.mid(I, End - I);
    if (O.startsWith(u'"')) O.remove(0, 1);
    if (O.endsWith(u'"')) O.chop(1);
    return O.left(kMaxOperand);
}

bool tryNumber(const String& S, Extended& Value) {
    const String Plain = PlainNumberText(S);
    if (Plain.isEmpty() || Trim(Plain).size() != Plain.size()) return false;
    TFormatSettings Invariant = FormatSettings;
    Invariant.DecimalSeparator = u'.';
    return TryStrToFloat(Plain, Value, Invariant) && std::isfinite(Value);
}

template <class T>
bool holds(T V, T O, TCompare Op, bool OrEqual) {
    if (OrEqual && V == O) return true;
    return Op == TCompare::Greater ? V > O : V < O;
}

bool compareValue(const String& V, const String& O, TCompare Op, bool OrEqual) {
    Extended NV = 0, NO = 0;
    TDateTime DV = 0, DO = 0;
    const bool DateV = ParseLocaleDateTime(V, DV);
    const bool DateO = ParseLocaleDateTime(O, DO);
    const bool NumV = !DateV && tryNumber(V, NV);
    const bool NumO = !DateO && tryNumber(O, NO);
    if (NumV && NumO) return holds(NV, NO, Op, OrEqual);
    if (DateV && DateO) return holds(DV, DO, Op, OrEqual);
    return holds(CompareStr(V.left(kMaxOperand), O.left(kMaxOperand)), 0, Op, OrEqual);
}

TComparison comparisonOf(const String& P, const String& V, Char Mark, TCompare Op) {
    const qsizetype At = indexOutsideQuotes(P, Mark);
    if (At < 0) return {};
    bool OrEqual = false;
    const String O = operandAfter(P, At, OrEqual);
    return {true, compareValue(V, O, Op, OrEqual)};
}

// ---- Wildcards ----

// The pattern in levels: the text before the first "*" run, then the text after each run. A
// level matches the value from a start position by walking it; reaching a "*" hands the rest of
// the value to the next level, which may take any ending of it. The next level's answers for
// every start are computed once, so no ending is tried twice.
class TWildcardMatcher {
public:
    TWildcardMatcher(const String& Pattern, const String& Value) : FPattern(Pattern), FValue(Value) {
        for (qsizetype I = 0; I < FPattern.size();) {
            if (FPattern[I] != u'*') {
                ++I;
                continue;
            }
            while (I < FPattern.size() && FPattern[I] == u'*') ++I;
            FLevelStarts.push_back(I);
        }
    }

    bool Match() {
        const qsizetype N = FValue.size();
        std::vector<char> NextAny;  // NextAny[k]: some start >= k of the next level matches
        for (auto L = FLevelStarts.rbegin(); L != FLevelStarts.rend(); ++L) {
            std::vector<char> Any(static_cast<size_t>(N) + 2, 0);
            for (qsizetype S = N; S >= 0; --S)
                Any[static_cast<size_t>(S)] = Any[static_cast<size_t>(S) + 1] || matchLevel(*L, S, NextAny);
            NextAny = std::move(Any);
        }
        return matchLevel(0, 0, NextAny);
    }

private:
    const String& FPattern;
    const String& FValue;
    std::vector<qsizetype> FLevelStarts;

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
    return static_cast<int>(indexOutsideQuotes(fromNullTerminated(S), Ch)) + 1;
}

bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive) {
    static const TCharSet kOperators = {u'(', u';', u'^', u'&', u'|'};
    String C = RemoveSpacesOutsideQuotes(Trim(Condition));
    if (C.startsWith(u'=')) C.remove(0, 1);
    bool Result = true;
    Char Pending = u'\0';
    auto fold = [&Result, &Pending](bool Outcome) {
        switch (Pending.unicode()) {
            case u'\0':
                Result = Outcome;
                break;
            case u'&':
                Result = Result && Outcome;
                break;
            case u'(':
                break;  // the empty piece after a group, or text after a "(" inside a clause
            default:
                Result = Result || Outcome;
                break;
        }
    };
    Char Op;
    for (int P; (P = FindFilterOperator(C, kOperators, Op)) > 0;) {
        if (C.startsWith(u'(')) {
            // A "(" never closed takes the rest of the condition as its group.
            int E = FindClosingParenthesis(C);
            if (E == 0) E = static_cast<int>(C.size()) + 1;
            fold(MatchFilterCondition(C.mid(1, E - 2), Value, CaseSensitive));
            C.remove(0, E);
        } else {
            fold(MatchFilterClause(C.left(P - 1), Value, CaseSensitive));
            C.remove(0, P);
        }
        Pending = Op;
    }
    fold(MatchFilterClause(C, Value, CaseSensitive));
    return Result;
}

bool MatchFilterClause(const String& Clause, const String& Value, bool CaseSensitive) {
    if (Clause == u"\"\"") return Value.isEmpty();
    if (CaseSensitive) return MatchPattern(Clause, Value);
    return MatchPattern(AnsiUpperCase(Clause), AnsiUpperCase(Value));
}

bool MatchPattern(const Char* Pattern, const Char* Value) {
    return MatchPattern(fromNullTerminated(Pattern), fromNullTerminated(Value));
}

bool MatchPattern(const String& Pattern, const String& Value) {
    // Both sides end at a #0, as null-terminated texts do.
    const String P = Pattern.left(Pattern.indexOf(u'\0'));
    const String V = Value.left(Value.indexOf(u'\0'));
    TComparison Greater = comparisonOf(P, V, u'>', TCompare::Greater);
    TComparison Less = comparisonOf(P, V, u'<', TCompare::Less);
    if (indexOutsideQuotes(P, u'!') >= 0) {
        // A negated clause counts a missing comparison as passed.
        if (!Greater.Present) Greater = {true, true};
        if (!Less.Present) Less = {true, true};
    }
    const auto passed = [](const TComparison& T) { return !T.Present || T.Result; };
    if (indexOutsideQuotes(P, u'^') >= 0 && (Greater.Present || Less.Present)) return passed(Greater) || passed(Less);
    if (indexOutsideQuotes(P, u'&') >= 0 && Greater.Present && Less.Present) return Greater.Result && Less.Result;
    if (indexOutsideQuotes(P, u'>') >= 0 && Greater.Result) return true;
    if (indexOutsideQuotes(P, u'<') >= 0 && Less.Result) return true;
    return TWildcardMatcher(P, V).Match();
}
