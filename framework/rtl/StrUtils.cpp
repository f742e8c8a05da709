#include "framework/rtl/StrUtils.h"

#include <algorithm>

namespace {

char16_t asciiUpper(char16_t C) { return C >= u'a' && C <= u'z' ? C - (u'a' - u'A') : C; }
char16_t asciiLower(char16_t C) { return C >= u'A' && C <= u'Z' ? C + (u'a' - u'A') : C; }

// Maps letters one UTF-16 unit to one (a surrogate pair to a pair), so the length never changes,
// unlike QString::toUpper which turns "ß" into "SS".
template <class Map>
String mapUnits(const String& S, Map MapCodePoint) {
    String R = S;
    QChar* P = R.data();
    const qsizetype N = R.size();
    for (qsizetype I = 0; I < N; ++I) {
        if (P[I].isHighSurrogate() && I + 1 < N && P[I + 1].isLowSurrogate()) {
            const char32_t Mapped = MapCodePoint(QChar::surrogateToUcs4(P[I], P[I + 1]));
            if (QChar::requiresSurrogates(Mapped)) {
                P[I] = QChar(QChar::highSurrogate(Mapped));
                P[I + 1] = QChar(QChar::lowSurrogate(Mapped));
            }
            ++I;
        } else if (!P[I].isSurrogate()) {
            const char32_t Mapped = MapCodePoint(P[I].unicode());
            if (!QChar::requiresSurrogates(Mapped)) P[I] = QChar(static_cast<char16_t>(Mapped));
        }
    }
    return R;
}

int sign(int V) { return (V > 0) - (V < 0); }

}  // namespace

int Pos(const String& SubStr, const String& S) { return PosEx(SubStr, S, 1); }

int PosEx(const String& SubStr, const String& S, int Offset) {
    if (SubStr.isEmpty() || Offset < 1 || Offset > S.size()) return 0;
    return static_cast<int>(S.indexOf(SubStr, Offset - 1)) + 1;
}

int AnsiPos(const String& SubStr, const String& S) { return Pos(SubStr, S); }

String Copy(const String& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > S.size()) return String();
    return S.mid(Index - 1, Count);
}

void Delete(String& S, int Index, int Count) {
    if (Index < 1 || Index > S.size() || Count <= 0) return;
    S.remove(Index - 1, Count);
}

void Insert(const String& Source, String& S, int Index) {
    const qsizetype At = std::clamp<qsizetype>(Index, 1, S.size() + 1) - 1;
    S.insert(At, Source);
}

String TrimLeft(const String& S) {
    qsizetype I = 0;
    while (I < S.size() && S[I].unicode() <= 0x20) ++I;
    return S.mid(I);
}

String TrimRight(const String& S) {
    qsizetype N = S.size();
    while (N > 0 && S[N - 1].unicode() <= 0x20) --N;
    return S.left(N);
}

// A text with nothing to trim is shared, not copied: the grid's filter trims every cell it tests.
String Trim(const String& S) {
    qsizetype First = 0, End = S.size();
    while (First < End && S[First].unicode() <= 0x20) ++First;
    while (End > First && S[End - 1].unicode() <= 0x20) --End;
    return First == 0 && End == S.size() ? S : S.mid(First, End - First);
}

String UpperCase(const String& S) {
    String R = S;
    for (QChar& C : R) C = QChar(asciiUpper(C.unicode()));
    return R;
}

String LowerCase(const String& S) {
    String R = S;
    for (QChar& C : R) C = QChar(asciiLower(C.unicode()));
    return R;
}

String AnsiUpperCase(const String& S) {
    return mapUnits(S, [](char32_t C) { return QChar::toUpper(C); });
}

String AnsiLowerCase(const String& S) {
    return mapUnits(S, [](char32_t C) { return QChar::toLower(C); });
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags) {
    if (OldPattern.isEmpty()) return S;
    const bool IgnoreCase = Flags.Contains(rfIgnoreCase);
    // Case maps keep lengths, so positions found in the mapped text hold in S.
    const String Hay = IgnoreCase ? AnsiUpperCase(S) : S;
    const String Needle = IgnoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
    String R;
    qsizetype From = 0;
    while (true) {
        const qsizetype At = Hay.indexOf(Needle, From);
        if (At < 0) break;
        R += QStringView(S).mid(From, At - From);
        R += NewPattern;
        From = At + Needle.size();
        if (!Flags.Contains(rfReplaceAll)) break;
    }
    R += QStringView(S).mid(From);
    return R;
}

int CompareStr(const String& S1, const String& S2) {
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I)
        if (S1[I] != S2[I]) return int(S1[I].unicode()) - int(S2[I].unicode());
    return sign(static_cast<int>(S1.size() - S2.size()));
}

int CompareText(const String& S1, const String& S2) {
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I) {
        const int A = asciiUpper(S1[I].unicode());
        const int B = asciiUpper(S2[I].unicode());
        if (A != B) return A - B;
    }
    return sign(static_cast<int>(S1.size() - S2.size()));
}

bool SameStr(const String& S1, const String& S2) { return S1 == S2; }
bool SameText(const String& S1, const String& S2) { return CompareText(S1, S2) == 0; }

int AnsiCompareText(const String& S1, const String& S2) { return sign(QString::compare(S1, S2, Qt::CaseInsensitive)); }

int AnsiCompareStr(const String& S1, const String& S2) {
    if (const int R = AnsiCompareText(S1, S2)) return R;
    // Equal but for case: the first difference decides, lower case first.
    for (qsizetype I = 0; I < S1.size(); ++I)
        if (S1[I] != S2[I]) return S1[I].isLower() ? -1 : 1;
    return 0;
}

bool AnsiSameStr(const String& S1, const String& S2) { return S1 == S2; }
bool AnsiSameText(const String& S1, const String& S2) { return AnsiCompareText(S1, S2) == 0; }

String AnsiQuotedStr(const String& S, Char Quote) {
    String R = S;
    R.replace(Quote, String(2, Quote));
    return Quote + R + Quote;
}

String QuotedStr(const String& S) { return AnsiQuotedStr(S, u'\''); }

String AnsiDequotedStr(const String& S, Char Quote) {
    if (S.isEmpty() || S[0] != Quote) return S;
    String R;
    for (qsizetype I = 1; I < S.size(); ++I) {
        if (S[I] != Quote) {
            R += S[I];
        } else if (I + 1 < S.size() && S[I + 1] == Quote) {
            R += Quote;
            ++I;
        } else {
            return R;
        }
    }
    return S;  // no closing quote
}

String StringOfChar(Char Ch, int Count) { return Count > 0 ? String(Count, Ch) : String(); }
String DupeString(const String& S, int Count) { return Count > 0 ? S.repeated(Count) : String(); }
String LeftStr(const String& S, int Count) { return Count > 0 ? S.left(Count) : String(); }
String RightStr(const String& S, int Count) { return Count > 0 ? S.right(Count) : String(); }

String IntToHex(UInt64 Value, int Digits) {
    return String::number(Value, 16).toUpper().rightJustified(std::clamp(Digits, 0, 64), u'0');
}

String IntToHex(int Value, int Digits) { return IntToHex(UInt64(static_cast<std::uint32_t>(Value)), Digits); }
String IntToHex(Int64 Value, int Digits) { return IntToHex(static_cast<UInt64>(Value), Digits); }

bool ContainsText(const String& AText, const String& ASubText) {
    return Pos(AnsiUpperCase(ASubText), AnsiUpperCase(AText)) > 0;
}

bool ContainsStr(const String& AText, const String& ASubText) { return Pos(ASubText, AText) > 0; }

bool StartsText(const String& ASubText, const String& AText) {
    return AText.size() >= ASubText.size() && AnsiSameText(AText.left(ASubText.size()), ASubText);
}

bool EndsText(const String& ASubText, const String& AText) {
    return AText.size() >= ASubText.size() && AnsiSameText(AText.right(ASubText.size()), ASubText);
}

bool StartsStr(const String& ASubText, const String& AText) { return AText.startsWith(ASubText); }
bool EndsStr(const String& ASubText, const String& AText) { return AText.endsWith(ASubText); }

namespace {

bool isAsciiDigit(QChar C) { return C >= u'0' && C <= u'9'; }

// Compares the digit runs A[0..LenA) and B[0..LenB) by value, ignoring leading zeros.
int compareDigitRuns(const QChar* A, qsizetype LenA, const QChar* B, qsizetype LenB) {
    while (LenA > 1 && *A == u'0') ++A, --LenA;
    while (LenB > 1 && *B == u'0') ++B, --LenB;
    if (LenA != LenB) return LenA < LenB ? -1 : 1;
    for (qsizetype I = 0; I < LenA; ++I)
        if (A[I] != B[I]) return A[I] < B[I] ? -1 : 1;
    return 0;
}

int compareLogical(const QChar* A, qsizetype NA, const QChar* B, qsizetype NB) {
    qsizetype I = 0, J = 0;
    while (I < NA && J < NB) {
        if (isAsciiDigit(A[I]) && isAsciiDigit(B[J])) {
            qsizetype EI = I, EJ = J;
            while (EI < NA && isAsciiDigit(A[EI])) ++EI;
            while (EJ < NB && isAsciiDigit(B[EJ])) ++EJ;
            if (const int R = compareDigitRuns(A + I, EI - I, B + J, EJ - J)) return R;
            I = EI;
            J = EJ;
            continue;
        }
        const char32_t CA = QChar::toCaseFolded(char32_t(A[I].unicode()));
        const char32_t CB = QChar::toCaseFolded(char32_t(B[J].unicode()));
        if (CA != CB) return CA < CB ? -1 : 1;
        ++I;
        ++J;
    }
    return (I < NA) - (J < NB);
}

qsizetype nullTerminatedLength(const Char* P) {
    qsizetype N = 0;
    if (P)
        while (P[N] != u'\0') ++N;
    return N;
}

}  // namespace

int CompareStrLogical(const String& S1, const String& S2) {
    return compareLogical(S1.constData(), S1.size(), S2.constData(), S2.size());
}

int StrCmpLogicalW(const Char* psz1, const Char* psz2) {
    return compareLogical(psz1, nullTerminatedLength(psz1), psz2, nullTerminatedLength(psz2));
}
