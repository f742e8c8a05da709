// FormatDateTime and the routines built on it. Its codes are the platform's, not Qt's.
#include "framework/rtl/DateUtils.h"

namespace {

// The nested pictures (c, ddddd, t, ...) may name each other; this bounds the recursion.
constexpr int kMaxNesting = 3;

struct TParts {
    Word Year, Month, Day, Hour, Min, Sec, MSec;
    int WeekDay;
};

char16_t asciiUpper(QChar C) {
    const char16_t U = C.unicode();
    return U >= u'a' && U <= u'z' ? U - (u'a' - u'A') : U;
}

bool startsAt(const String& F, qsizetype I, QLatin1String Code) {
    return QStringView(F).mid(I, Code.size()).compare(Code, Qt::CaseInsensitive) == 0;
}

// An am/pm code after From makes "h" count 1..12.
bool twelveHourAfter(const String& F, qsizetype From) {
    for (qsizetype I = From; I < F.size(); ++I) {
        const QChar C = F[I];
        if (C == u'"' || C == u'\'') {
            const qsizetype End = F.indexOf(C, I + 1);
            if (End < 0) return false;
            I = End;
        } else if (startsAt(F, I, QLatin1String("am/pm")) || startsAt(F, I, QLatin1String("a/p")) ||
                   startsAt(F, I, QLatin1String("ampm"))) {
            return true;
        }
    }
    return false;
}

String number(int Value, int Width) { return String::number(Value).rightJustified(Width, u'0'); }

class TDateFormatter {
public:
    TDateFormatter(const TParts& P, const TFormatSettings& FS) : FP(P), FFS(FS) {}

    void Append(String& Out, const String& F, int Depth) const {
        if (Depth >= kMaxNesting) return;
        bool AfterHour = false;
        qsizetype I = 0;
        const qsizetype N = F.size();
        while (I < N) {
            const QChar C = F[I];
            const char16_t U = asciiUpper(C);
            qsizetype Run = 1;
            while (I + Run < N && asciiUpper(F[I + Run]) == U) ++Run;
            const int Count = static_cast<int>(std::min<qsizetype>(Run, 8));
            bool WasHour = false;
            switch (U) {
                case u'"':
                case u'\'': {
                    const qsizetype End = F.indexOf(C, I + 1);
                    Out += F.mid(I + 1, (End < 0 ? N : End) - I - 1);
                    I = End < 0 ? N : End + 1;
                    continue;
                }
                case u'C':
                    Append(Out, FFS.ShortDateFormat, Depth + 1);
                    if (FP.Hour || FP.Min || FP.Sec || FP.MSec) {
                        Out += u' ';
                        Append(Out, FFS.LongTimeFormat, Depth + 1);
                    }
                    break;
                case u'D':
                    appendDay(Out, Count, Depth);
                    break;
                case u'M':
                    if (AfterHour && Count <= 2)
                        Out += number(FP.Min, Count);
                    else if (Count <= 2)
                        Out += number(FP.Month, Count);
                    else
                        Out += Count == 3 ? FFS.ShortMonthNames[FP.Month] : FFS.LongMonthNames[FP.Month];
                    break;
                case u'Y':
                    Out += Count <= 2 ? number(FP.Year % 100, 2) : number(FP.Year, 4);
                    break;
                case u'H': {
                    int H = FP.Hour;
                    if (twelveHourAfter(F, I + Run)) H = H % 12 == 0 ? 12 : H % 12;
                    Out += number(H, std::min(Count, 2));
                    WasHour = true;
                    break;
                }
                case u'N':
                    Out += number(FP.Min, std::min(Count, 2));
                    break;
                case u'S':
                    Out += number(FP.Sec, std::min(Count, 2));
                    break;
                case u'Z':
                    Out += number(FP.MSec, Count >= 3 ? 3 : 1);
                    break;
                case u'T':
                    Append(Out, Count == 1 ? FFS.ShortTimeFormat : FFS.LongTimeFormat, Depth + 1);
                    break;
                case u'A': {
                    const qsizetype Len = appendAmPm(Out, F, I);
                    if (Len == 0) {
                        Out += C;  // a plain letter
                        ++I;
                        continue;
                    }
                    Run = Len;
                    break;
                }
                case u'/':
                case u':':
                    // Separators do not end "h:mm": the minutes still follow the hour.
                    Out += QString(Count, U == u'/' ? FFS.DateSeparator : FFS.TimeSeparator);
                    I += Run;
                    continue;
                default:
                    Out += F.mid(I, Run);
                    I += Run;
                    continue;
            }
            AfterHour = WasHour;
            I += Run;
        }
    }

private:
    const TParts& FP;
    const TFormatSettings& FFS;

    void appendDay(String& Out, int Count, int Depth) const {
        switch (Count) {
            case 1:
            case 2:
                Out += number(FP.Day, Count);
                break;
            case 3:
                Out += FFS.ShortDayNames[FP.WeekDay];
                break;
            case 4:
                Out += FFS.LongDayNames[FP.WeekDay];
                break;
            case 5:
                Append(Out, FFS.ShortDateFormat, Depth + 1);
                break;
            default:
                Append(Out, FFS.LongDateFormat, Depth + 1);
                break;
        }
    }

    // Writes the half-day marker for the code at I; returns the code's length, 0 if none.
    qsizetype appendAmPm(String& Out, const String& F, qsizetype I) const {
        const bool Pm = FP.Hour >= 12;
        if (startsAt(F, I, QLatin1String("am/pm"))) {
            Out += F.mid(Pm ? I + 3 : I, 2);  // as written: "AM/PM" gives "PM", "am/pm" gives "pm"
            return 5;
        }
        if (startsAt(F, I, QLatin1String("a/p"))) {
            Out += F[Pm ? I + 2 : I];
            return 3;
        }
        if (startsAt(F, I, QLatin1String("ampm"))) {
            Out += Pm ? FFS.TimePMString : FFS.TimeAMString;
            return 4;
        }
        return 0;
    }
};

}  // namespace

String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& FS) {
    TParts P{};
    DecodeDate(Value, P.Year, P.Month, P.Day);
    DecodeTime(Value, P.Hour, P.Min, P.Sec, P.MSec);
    P.WeekDay = DayOfWeek(Value);
    // Before 1 Jan 0001 there is no calendar date; keep the name tables in range.
    if (P.Month == 0) P.Month = 1;
    String Out;
    TDateFormatter(P, FS).Append(Out, Format, 0);
    return Out;
}

String DateToStr(TDateTime Value, const TFormatSettings& FS) {
    return FormatDateTime(QStringLiteral("ddddd"), Value, FS);
}

String TimeToStr(TDateTime Value, const TFormatSettings& FS) { return FormatDateTime(QStringLiteral("tt"), Value, FS); }

String DateTimeToStr(TDateTime Value, const TFormatSettings& FS) {
    return FormatDateTime(QStringLiteral("c"), Value, FS);
}
