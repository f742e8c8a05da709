#include "components/graphics/AdvUtilText.h"

#include "framework/rtl/Character.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/ShlwApi.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr Char CR = u'\r';
constexpr Char LF = u'\n';

// Looks among the modules already mapped; it never maps one itself.
TStrCmpLogicalW lookUpLogicalCompare() {
    HMODULE Module = GetModuleHandle(QStringLiteral("shlwapi.dll"));
    return Module ? GetProcAddressAs<TStrCmpLogicalW>(Module, "StrCmpLogicalW") : nullptr;
}

std::atomic<TStrCmpLogicalW>& logicalCompare() {
    static std::atomic<TStrCmpLogicalW> Bound{[] {
        ImportShlwApi();  // the program's own import, as on the platform
        return lookUpLogicalCompare();
    }()};
    return Bound;
}

// Binds at start-up rather than at the first comparison.
const bool kStartedUp = (logicalCompare(), true);

qsizetype nullTerminatedLength(const Char* P) {
    qsizetype N = 0;
    if (P)
        while (P[N] != u'\0') ++N;
    return N;
}

String fromNullTerminated(const Char* P) { return P ? String(P, nullTerminatedLength(P)) : String(); }

Char at(const String& S, int Index) { return Index >= 1 && Index <= S.size() ? S[Index - 1] : Char(u'\0'); }

// Digits only: no sign, no blanks, fits an int.
bool tryWholeDecimal(QStringView S, int& Value) {
    if (S.isEmpty() || S.size() > 9) return false;
    int V = 0;
    for (Char C : S) {
        if (C < u'0' || C > u'9') return false;
        V = V * 10 + (C.unicode() - u'0');
    }
    Value = V;
    return true;
}

bool isNumberStartChar(Char C, const TFormatSettings& FS) {
    return IsNumberChar(C) || C == FS.ThousandSeparator || C == FS.DecimalSeparator || C == u'e' || C == u'E';
}

// Where a number may begin in a display text. No "e" or "E": "EUR 12" would give "E".
bool startsNumber(Char C, const TFormatSettings& FS) {
    return IsNumberChar(C) || C == FS.ThousandSeparator || C == FS.DecimalSeparator;
}

TDateTime encodeDateChecked(int Year, int Month, int Day) {
    if (Year < 0 || Year > 0xFFFF || Month < 0 || Month > 0xFFFF || Day < 0 || Day > 0xFFFF)
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return EncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day));
}

TDateTime parseDateParts(const String& S, bool MonthFirst) {
    Char Sep;
    if (S.contains(u'/'))
        Sep = u'/';
    else if (S.contains(u'.'))
        Sep = u'.';
    else if (S.contains(u'-'))
        Sep = u'-';
    else
        return 0;
    const int P1 = CharPos(Sep, S);
    const int P2 = PosEx(String(Sep), S, P1 + 1);
    if (P2 == 0) return 0;
    const String YearText = Copy(S, P2 + 1, S.size());
    int A, B, Year;
    if (!tryWholeDecimal(Copy(S, 1, P1 - 1), A) || !tryWholeDecimal(Copy(S, P1 + 1, P2 - P1 - 1), B) ||
        !tryWholeDecimal(YearText, Year))
        return 0;
    if (YearText.size() <= 2) Year += Year <= 25 ? 2000 : 1900;
    return MonthFirst ? encodeDateChecked(Year, A, B) : encodeDateChecked(Year, B, A);
}

// On the platform a date before day 0 carries its time of day as a negative fraction.
TDateTime combineDateTime(TDateTime Date, TDateTime Time) { return Date < 0 ? Date - Time : Date + Time; }

bool parseTimeText(QStringView T, Char TS, TDateTime& Time) {
    const qsizetype P1 = T.indexOf(TS);
    int Hour, Min, Sec = 0;
    if (!tryWholeDecimal(T.left(P1), Hour) || Hour > 23) return false;
    const qsizetype P2 = T.indexOf(TS, P1 + 1);
    if (P2 >= 0) {
        if (!tryWholeDecimal(T.mid(P1 + 1, P2 - P1 - 1), Min) || !tryWholeDecimal(T.mid(P2 + 1), Sec) || Sec > 60)
            return false;
    } else if (!tryWholeDecimal(T.mid(P1 + 1), Min)) {
        return false;
    }
    if (Min > 59) return false;
    return TryEncodeTime(static_cast<Word>(Hour), static_cast<Word>(Min), static_cast<Word>(Sec), 0, Time);
}

QStringView trimmed(QStringView S) {
    qsizetype B = 0, E = S.size();
    while (B < E && S[B].unicode() <= 0x20) ++B;
    while (E > B && S[E - 1].unicode() <= 0x20) --E;
    return S.mid(B, E - B);
}

// 0-based index of the first character of S whose upper case (as AnsiUpperCase maps it) is
// Letter, -1 when none; spares the upper-cased copy.
int upperLetterPos(const String& S, char16_t Letter) {
    for (qsizetype I = 0; I < S.size(); ++I) {
        const Char C = S[I];
        if (C.isSurrogate()) continue;  // a pair never maps to a Latin letter
        const char32_t U = QChar::toUpper(static_cast<char32_t>(C.unicode()));
        if (U == Letter) return static_cast<int>(I);
    }
    return -1;
}

}  // namespace

// ---- Comparison, limits and colour ----

int NaturalCompare(const Char* S1, const Char* S2) {
    if (TStrCmpLogicalW Compare = logicalCompare().load()) return Compare(S1, S2);
    return CompareStr(fromNullTerminated(S1), fromNullTerminated(S2));
}

int NaturalCompare(const String& S1, const String& S2) { return NaturalCompare(S1.constData(), S2.constData()); }

TStrCmpLogicalW BoundLogicalCompare() { return logicalCompare().load(); }

TStrCmpLogicalW SetBoundLogicalCompare(TStrCmpLogicalW Compare) { return logicalCompare().exchange(Compare); }

int LimitValue(int Value, int Min, int Max) {
    int R = Value;
    if (Value < Min) R = Min;
    if (Value > Max) R = Max;
    return R;
}

int ApplyLimits(int Value, int Min, int Max) {
    if (Min == Max) return Value;
    int R = Value;
    if (Min > 0 && Value < Min) R = Min;
    if (Max > 0 && Value > Max) R = Max;
    return R;
}

int MaxOf(int A, int B) { return A > B ? A : B; }
int MinOf(int A, int B) { return A < B ? A : B; }

TColor HalveColor(TColor Color) {
    const TColor C = ColorToRGB(Color);
    return RGB(GetRValue(C) >> 1, GetGValue(C) >> 1, GetBValue(C) >> 1);
}

TColor BrightenColor(TColor Color, int Percent) {
    const TColor C = ColorToRGB(Color);
    auto channel = [Percent](int V) {
        return static_cast<int>(std::clamp<Int64>(Round(V + V * static_cast<Extended>(Percent) / 100), 0, 255));
    };
    return RGB(channel(GetRValue(C)), channel(GetGValue(C)), channel(GetBValue(C)));
}

bool CellInGridRect(const TRect& GridRect, int Col, int Row) {
    return GridRect.Left <= Col && Col <= GridRect.Right && GridRect.Top <= Row && Row <= GridRect.Bottom;
}

// ---- Positions and counting ----

int FindPos(const String& SubStr, const String& S, int& Position) {
    Position = Pos(SubStr, S);
    return Position;
}

int PosInUpper(const String& SubStr, const String& S) { return Pos(SubStr, AnsiUpperCase(S)); }

int CharPos(Char Ch, const String& S) { return static_cast<int>(S.indexOf(Ch)) + 1; }

int FindCharPos(Char Ch, const String& S, int& Position) {
    const int P = CharPos(Ch, S);
    if (P > 0) Position = P;
    return P;
}

int WidePos(const String& SubStr, const String& S) { return Pos(SubStr, S); }

int CountChar(Char Ch, const String& S) { return static_cast<int>(S.count(Ch)); }

int CountCharOccurrences(Char Ch, int, const String& S) { return CountChar(Ch, S); }

int CountCharOutsideQuotes(Char Ch, const String& S) {
    int Outside = 0;
    Char Open = u'\0';
    for (Char C : S) {
        if (Open != u'\0') {
            if (C == Open) Open = u'\0';
        } else if (C == u'\'' || C == u'"') {
            Open = C;
        } else if (C == Ch) {
            ++Outside;
        }
    }
    // An unclosed stretch means the quotes were not quotes after all.
    return Open != u'\0' ? CountChar(Ch, S) : Outside;
}

int FindClosingQuote(Char Q, const String& S, int& Position) {
    const int N = static_cast<int>(S.size());
    Position = 0;
    for (int I = 1; I <= N;) {
        if (S[I - 1] != Q) {
            ++I;
            continue;
        }
        int Run = 1;
        while (I + Run <= N && S[I + Run - 1] == Q) ++Run;
        const int Last = I + Run - 1;
        if (Last == N || Run % 2 == 1) {
            Position = Last;
            break;
        }
        I = Last + 1;
    }
    return Position;
}

int LineCount(const String& S, bool MultiLine) {
    if (!MultiLine) return 1;
    int Count = 1;
    const qsizetype N = S.size();
    for (qsizetype I = 0; I < N; ++I) {
        if (S[I] != CR) continue;
        qsizetype Next = I + 1;
        if (Next < N && S[Next] == LF) ++Next;
        if (Next < N) ++Count;
    }
    return Count;
}

String ExtractFirstLine(String& S, bool KeepRest) {
    const int P = CharPos(CR, S);
    if (P == 0) {
        String Line = S;
        S.clear();
        return Line;
    }
    String Line = S.left(P - 1);
    if (KeepRest) {
        S.remove(0, P);
        if (S.startsWith(LF)) S.remove(0, 1);
    } else {
        S.clear();
    }
    return Line;
}

String WidestLine(TCanvas* Canvas, const String& S) {
    String Rest = S;
    String Widest;
    int WidestWidth = -1;
    while (!Rest.isEmpty()) {
        const String Line = ExtractFirstLine(Rest, true);
        const int Width = Line.isEmpty() ? 0 : Canvas->TextWidth(Line);
        if (Width > WidestWidth) {
            Widest = Line;
            WidestWidth = Width;
        }
    }
    return Widest;
}

// ---- Editing and conversion ----

void SplitToList(const String& Delimiter, const String& S, TStrings* List) {
    if (!List) return;
    if (Delimiter.isEmpty()) {
        List->Add(S);
        return;
    }
    qsizetype From = 0;
    for (qsizetype At; (At = S.indexOf(Delimiter, From)) >= 0; From = At + Delimiter.size())
        List->Add(S.mid(From, At - From));
    List->Add(S.mid(From));
}

String JoinListItems(TStrings* List) {
    String R;
    if (List)
        for (int I = 0; I < List->Count(); ++I) R += List->Strings(I);
    return R;
}

String CutFirstField(String& S, const String& Delimiter) {
    const int P = Pos(Delimiter, S);
    if (P == 0) return String();
    String Field = S.left(P - 1);
    S.remove(0, P - 1 + Delimiter.size());
    return Field;
}

String DoubleQuoteChars(const String& S) {
    String R = S;
    return R.replace(u'"', QStringLiteral("\"\""));
}

String UndoubleChar(Char Ch, const String& S) {
    if (!S.contains(Ch)) return S;
    String R;
    R.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        R += S[I];
        if (S[I] == Ch && I + 1 < S.size() && S[I + 1] == Ch) ++I;
    }
    return R;
}

void FillWithChar(String& S, Char Ch) { S.fill(Ch); }

String RemoveCR(const String& S) {
    String R = S;
    return R.remove(CR);
}

String CRToLF(const String& S) {
    String R = S;
    return R.replace(CR, LF);
}

String RemoveDiacritics(const String& S) {
    if (S.isEmpty()) return S;
    const String Folded = FoldString(S, MAP_COMPOSITE);
    String R;
    R.reserve(Folded.size());
    for (Char C : Folded)
        if (C.unicode() < 256) R += C;
    return R;
}

String CapitaliseNames(const String& S) {
    String R = S;
    const int N = static_cast<int>(R.size());
    bool CapitalNext = true;
    for (int I = 1; I <= N; ++I) {
        const Char C = R[I - 1];
        if (C == u' ' || C == u'\'' || C == u',' || C == u'-' || C == u'.') {
            CapitalNext = true;
        } else if (CapitalNext) {
            R[I - 1] = ToUpper(C);
            CapitalNext = false;
        } else {
            R[I - 1] = ToLower(C);
        }
        if (I == 2 && R.left(2) == u"Mc") CapitalNext = true;
        if (I > 2 && Pos(QStringLiteral(" Mc"), R) == I - 2) CapitalNext = true;
        // Roman numerals I, II and III closing a name stay capitals.
        if (I > N - 3 && (Copy(R, I - 1, 2) == u" I" || Copy(R, I - 2, 3) == u" II")) CapitalNext = true;
    }
    return R;
}

bool IsHyperlink(const String& S) { return S.contains(u"://") || S.contains(u"mailto:"); }

void StripURLScheme(String& S) {
    int P = Pos(QStringLiteral("://"), S);
    if (P > 0) {
        S.remove(0, P + 2);
        return;
    }
    P = Pos(QStringLiteral("mailto:"), S);
    if (P > 0) S.remove(0, P + 6);
}

bool ParseRCReference(const String& S, TPoint& Cell) {
    if (S.size() < 4 || ToUpper(S[0]) != u'R') return false;
    const int C = static_cast<int>(S.indexOf(u'C', 1, Qt::CaseInsensitive)) + 1;
    int Row, Col;
    if (C < 3 || !tryWholeDecimal(Copy(S, 2, C - 2), Row) || !tryWholeDecimal(Copy(S, C + 1, S.size()), Col))
        return false;
    Cell = {Col, Row};
    return true;
}

// ---- Number texts ----

bool IsNumberChar(Char Ch) {
    if (Ch.unicode() <= 127) return Ch >= u'0' && Ch <= u'9';
    return IsNumber(Ch);
}

bool IsNumeral(Char Ch) { return IsNumberChar(Ch); }

bool IsNumericEditChar(Char Ch) {
    const TFormatSettings& FS = FormatSettings;
    const char16_t U = Ch.unicode();
    return IsNumberChar(Ch) || Ch == FS.ThousandSeparator || Ch == FS.DecimalSeparator || U == 8 || U == 9 || U == 13 ||
           U == 27 || U == u'-';
}

String ExtractNumberText(const String& Text) {
    if (Text.isEmpty()) return String();
    const TFormatSettings& FS = FormatSettings;
    String S = Trim(Text);
    bool Negative = S.startsWith(u'(') && S.endsWith(u')');
    while (S.size() >= 2 && !startsNumber(S[0], FS)) {
        if (S[0] == u'-') Negative = true;
        S.remove(0, 1);
    }
    String R;
    for (Char C : S) {
        if (C == FS.ThousandSeparator) continue;
        if (C == FS.DecimalSeparator)
            R += u'.';
        else if (IsNumberChar(C) || C == u'+' || C == u'-' || C == u'.' || C == u'e' || C == u'E')
            R += C;
        else
            break;
    }
    return Negative ? u'-' + R : R;
}

int ClassifyNumberText(const String& S) {
    if (S.isEmpty()) return ntNotANumber;
    const TFormatSettings& FS = FormatSettings;
    const int N = static_cast<int>(S.size());
    bool IsInt = true, IsDec = true, IsExp = true, HasE = false;
    bool IsDate = S.contains(FS.DateSeparator);
    bool IsTime = S.contains(FS.TimeSeparator);
    int DateSeps = 0, TimeSeps = 0, DecSeps = 0, Minus = 0;
    int LastThousand = 0, LastDate = 0, LastTime = 0;
    for (int I = 1; I <= N; ++I) {
        const Char C = S[I - 1];
        const bool Num = IsNumberChar(C);
        const bool IsE = C == u'e' || C == u'E';
        if (!Num && C != u'-') IsInt = false;
        if (IsE) {
            if (HasE) IsExp = false;
            HasE = true;
        }
        if (I > 1 && C == u'-') IsInt = IsDec = false;
        if (I == 1 && IsE) IsExp = false;
        if (I == 1 && !Num) IsDate = IsTime = false;
        if (I == N && (IsE || C == u'+' || C == u'-')) IsExp = false;
        if (!Num && C != u'-' && C != FS.ThousandSeparator && C != FS.DecimalSeparator) IsDec = false;
        if (!Num && C != FS.DateSeparator) IsDate = false;
        if (!Num && C != FS.TimeSeparator) IsTime = false;
        if (!(isNumberStartChar(C, FS) || C == u'+' || C == u'-') || C == FS.ThousandSeparator) IsExp = false;
        if (C == FS.ThousandSeparator) {
            if (LastThousand > 0 && I - LastThousand < 4) IsDec = false;
            LastThousand = I;
        }
        if (C == FS.DateSeparator) {
            if (++DateSeps == 3 || (LastDate > 0 && I == LastDate + 1)) IsDate = false;
            LastDate = I;
        }
        if (C == FS.TimeSeparator) {
            if (++TimeSeps == 3 || (LastTime > 0 && I == LastTime + 1)) IsTime = false;
            LastTime = I;
        }
        if (C == FS.DecimalSeparator) ++DecSeps;
        if (C == u'-') ++Minus;
    }
    int Kind = ntNotANumber;
    if (IsInt)
        Kind = ntInteger;
    else if (IsDec && !HasE)
        Kind = ntDecimal;
    if (IsExp && HasE) {
        Kind = ntExponent;
        if (Minus == 2) Minus = 1;  // the mantissa's sign and the exponent's
    }
    if (IsTime) return ntTime;
    if (IsDate && DateSeps == 2) return ntDate;
    if (Minus > 1 || DecSeps > 1) return ntNotANumber;
    return Kind;
}

int ClassifyCellText(const String& Text, bool HTML) {
    if (Text.isEmpty()) return ctPlain;
    const String S = Text + u' ';
    if (S[0] == u'=') return ctFormula;
    if (S.startsWith(u"|\\")) return S.size() > 4 && S[3] == u'=' && S[4] == u'\0' ? ctFormula : ctWideEncoded;
    if (S.startsWith(u"{\\")) return ctRTF;
    if (HTML) {
        for (qsizetype I = S.indexOf(u'<'); I >= 0; I = S.indexOf(u'<', I + 1)) {
            if (at(S, static_cast<int>(I) + 2) == u'/') return ctHTML;
            const String Next = S.mid(I + 1, 2).toUpper();
            if (Next == u"IM" || Next == u"IN" || Next == u"BR" || Next == u"CO") return ctHTML;
        }
    }
    return IsHyperlink(S) ? ctHyperlink : ctPlain;
}

String NumberTextToInvariant(const String& S) {
    const int Kind = ClassifyNumberText(S);
    if (Kind != ntInteger && Kind != ntDecimal) return S;
    return PlainNumberText(S);
}

String NumberTextToLocal(const String& S) {
    const Char Dec = FormatSettings.DecimalSeparator;
    const int Kind = ClassifyNumberText(S);
    if ((Kind != ntInteger && Kind != ntDecimal) || Dec == u'.') return S;
    String R = S;
    return R.replace(u'.', Dec);
}

String PlainNumberText(const String& S) {
    const TFormatSettings& FS = FormatSettings;
    String R;
    R.reserve(S.size());
    for (Char C : S) {
        if (C == FS.ThousandSeparator) continue;
        R += C == FS.DecimalSeparator ? Char(u'.') : C;
    }
    return R;
}

String PlainNumberText(const Char* S) { return PlainNumberText(fromNullTerminated(S)); }

// ---- Dates ----

bool LooksLikeDate(const String& S) {
    const String Sep(FormatSettings.DateSeparator);
    const int P = Pos(Sep, S);
    return P >= 2 && PosEx(Sep, S, P + 2) > 0;
}

TDateTime ParseDateMDY(const String& S) { return parseDateParts(S, true); }

TDateTime ParseDateDMY(const String& S) { return parseDateParts(S, false); }

bool ParseLocaleDateTime(const String& S, TDateTime& Value) {
    const TFormatSettings& FS = FormatSettings;
    const int D = upperLetterPos(FS.ShortDateFormat, u'D'), M = upperLetterPos(FS.ShortDateFormat, u'M'),
              Y = upperLetterPos(FS.ShortDateFormat, u'Y');
    if (D < 0 || M < 0 || Y < 0) return false;
    const QStringView Text(S);
    const qsizetype P1 = Text.indexOf(FS.DateSeparator);
    if (P1 < 0) return false;
    const qsizetype P2 = Text.indexOf(FS.DateSeparator, P1 + 1);
    if (P2 < 0) return false;
    QStringView Third = trimmed(Text.mid(P2 + 1));
    QStringView TimeText;
    if (const qsizetype Space = Third.indexOf(u' '); Space >= 0) {
        TimeText = Third.mid(Space + 1);
        Third = Third.left(Space);
    }
    int Parts[3];
    if (!tryWholeDecimal(Text.left(P1), Parts[0]) || !tryWholeDecimal(Text.mid(P1 + 1, P2 - P1 - 1), Parts[1]) ||
        !tryWholeDecimal(Third, Parts[2]))
        return false;
    // The rank of each letter among the three gives the part that holds its field.
    auto rank = [](int Self, int A, int B) { return (Self > A) + (Self > B); };
    const int Day = Parts[rank(D, M, Y)], Month = Parts[rank(M, D, Y)], Year = Parts[rank(Y, D, M)];
    if (Day > 31 || Month > 12) return false;
    TDateTime Date;
    if (!TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), Date)) return false;
    if (TimeText.isEmpty()) {
        Value = Date;
        return true;
    }
    if (!TimeText.contains(FS.TimeSeparator)) {
        Value = Date;
        return false;
    }
    TDateTime Time;
    if (!parseTimeText(TimeText, FS.TimeSeparator, Time)) return false;
    Value = combineDateTime(Date, Time);
    return true;
}

TDateTime AddToDate(Word Years, Word Months, Word Days, TDateTime Date, TDateTime Offset) {
    const int Set = (Years != 0) + (Months != 0) + (Days != 0);
    if (Set != 1) return Date + Offset;
    if (Days != 0) return Date + Days;
    Word Y, M, D;
    DecodeDate(Date, Y, M, D);
    int Year = Y + Years, Month = M + Months;
    // Any number of months: whole years move the year.
    Year += (Month - 1) / 12;
    Month = (Month - 1) % 12 + 1;
    if (Year > 9999) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    const int Day = std::min<int>(D, DaysInAMonth(static_cast<Word>(Year), static_cast<Word>(Month)));
    return encodeDateChecked(Year, Month, Day);
}
