#include "framework/rtl/DateUtils.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Days from 1 Jan 0001 to 1 Jan of Year.
constexpr int daysBeforeYear(int Year) {
    const int I = Year - 1;
    return I * 365 + I / 4 - I / 100 + I / 400;
}
static_assert(daysBeforeYear(1899) + 364 == DateDelta, "30 Dec 1899 is day 364 of 1899");

constexpr Word kMonthDays[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// A TDateTime split into a day number (1 = 1 Jan 0001) and milliseconds into that day.
struct TStamp {
    int Day = 0;
    int MSec = 0;
};

TStamp toStamp(TDateTime Value) {
    // Far beyond year 9999: no valid date, and the product below would overflow.
    if (!(std::fabs(Value) < 1e7)) return {};
    const long long Ms = std::llround(Value * MSecsPerDay);
    return {DateDelta + static_cast<int>(Ms / MSecsPerDay), static_cast<int>(std::llabs(Ms) % MSecsPerDay)};
}

// The date part carries the sign; the time is always added away from zero.
TDateTime combine(TDateTime DatePart, TDateTime TimePart) {
    return DatePart >= 0 ? DatePart + TimePart : DatePart - TimePart;
}

void decodeDay(int Day, Word& Year, Word& Month, Word& DayOfMonth) {
    Year = Month = DayOfMonth = 0;
    if (Day <= 0) return;
    int T = Day - 1;
    const int Y400 = T / 146097;
    T %= 146097;
    int Y100 = T / 36524;
    T %= 36524;
    if (Y100 == 4) {  // the last day of a 400-year cycle
        Y100 = 3;
        T += 36524;
    }
    const int Y4 = T / 1461;
    T %= 1461;
    int Y1 = T / 365;
    T %= 365;
    if (Y1 == 4) {  // the last day of a leap year
        Y1 = 3;
        T += 365;
    }
    Year = static_cast<Word>(Y400 * 400 + Y100 * 100 + Y4 * 4 + Y1 + 1);
    const auto& Table = kMonthDays[IsLeapYear(Year) ? 1 : 0];
    Month = 1;
    while (T >= Table[Month]) T -= Table[Month++];
    DayOfMonth = static_cast<Word>(T + 1);
}

Word currentYear() {
    Word Y, M, D;
    DecodeDate(Date(), Y, M, D);
    return Y;
}

char16_t asciiUpper(QChar C) {
    const char16_t U = C.unicode();
    return U >= u'a' && U <= u'z' ? U - (u'a' - u'A') : U;
}

// Reads the parts of a date or time text.
class TScanner {
public:
    explicit TScanner(const String& S) : FS(S) {}

    void SkipBlanks() {
        while (FPos < FS.size() && FS[FPos].unicode() <= 0x20) ++FPos;
    }
    bool AtEnd() {
        SkipBlanks();
        return FPos >= FS.size();
    }
    bool Number(int& Value, int& Length) {
        SkipBlanks();
        const qsizetype Start = FPos;
        int V = 0;
        while (FPos < FS.size() && FS[FPos] >= u'0' && FS[FPos] <= u'9' && FPos - Start < 9)
            V = V * 10 + (FS[FPos++].unicode() - u'0');
        Length = static_cast<int>(FPos - Start);
        if (Length == 0) return false;
        Value = V;
        return true;
    }
    bool Char_(QChar C) {
        SkipBlanks();
        if (FPos < FS.size() && FS[FPos] == C) {
            ++FPos;
            return true;
        }
        return false;
    }
    bool Text(const String& T) {
        SkipBlanks();
        if (T.isEmpty() || QStringView(FS).mid(FPos, T.size()).compare(T, Qt::CaseInsensitive) != 0) return false;
        FPos += T.size();
        return true;
    }
    qsizetype Position() const { return FPos; }
    void SetPosition(qsizetype Value) { FPos = Value; }

private:
    const String& FS;
    qsizetype FPos = 0;
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder dateOrder(const String& ShortDateFormat) {
    for (QChar C : ShortDateFormat) {
        switch (asciiUpper(C)) {
            case u'D':
                return doDMY;
            case u'M':
                return doMDY;
            case u'Y':
                return doYMD;
            default:
                break;
        }
    }
    return doMDY;
}

bool scanDate(TScanner& Sc, TDateTime& Value, const TFormatSettings& FS) {
    int N1, N2, N3 = 0, L1, L2, L3 = 0;
    if (!Sc.Number(N1, L1) || !Sc.Char_(FS.DateSeparator) || !Sc.Number(N2, L2)) return false;
    const qsizetype AfterTwo = Sc.Position();
    const bool Three = Sc.Char_(FS.DateSeparator) && Sc.Number(N3, L3);
    if (!Three) Sc.SetPosition(AfterTwo);
    int Y, M, D, YearLength = 4;
    TDateOrder Order = dateOrder(FS.ShortDateFormat);
    if (Three) {
        if (L1 > 2) Order = doYMD;  // "2024/05/06" reads the same under any order
        switch (Order) {
            case doMDY:
                M = N1, D = N2, Y = N3, YearLength = L3;
                break;
            case doDMY:
                D = N1, M = N2, Y = N3, YearLength = L3;
                break;
            case doYMD:
                Y = N1, M = N2, D = N3, YearLength = L1;
                break;
        }
    } else {
        Y = currentYear();
        if (Order == doDMY)
            D = N1, M = N2;
        else
            M = N1, D = N2;
    }
    if (YearLength <= 2) {
        const int Window = FS.TwoDigitYearCenturyWindow;
        const int Base = currentYear() - Window;
        Y += Base / 100 * 100;
        if (Window > 0 && Y < Base) Y += 100;
    }
    if (Y > 9999 || M > 12 || D > 31) return false;
    return TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Value);
}

// 0 none, 1 AM, 2 PM.
int scanAmPm(TScanner& Sc, const TFormatSettings& FS) {
    if (Sc.Text(FS.TimeAMString) || Sc.Text(QStringLiteral("AM"))) return 1;
    if (Sc.Text(FS.TimePMString) || Sc.Text(QStringLiteral("PM"))) return 2;
    return 0;
}

bool scanTime(TScanner& Sc, TDateTime& Value, const TFormatSettings& FS) {
    int AmPm = scanAmPm(Sc, FS);
    int H, N, S = 0, MS = 0, L;
    if (!Sc.Number(H, L) || !Sc.Char_(FS.TimeSeparator) || !Sc.Number(N, L)) return false;
    if (Sc.Char_(FS.TimeSeparator)) {
        if (!Sc.Number(S, L)) return false;
        if (Sc.Char_(u'.') || Sc.Char_(FS.DecimalSeparator))
            if (!Sc.Number(MS, L)) return false;
    }
    if (AmPm == 0) AmPm = scanAmPm(Sc, FS);
    if (AmPm != 0) {
        if (H > 12) return false;
        if (H == 12) H = 0;
        if (AmPm == 2) H += 12;
    }
    if (H > 23 || N > 59 || S > 59 || MS > 999) return false;
    return TryEncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(S), static_cast<Word>(MS),
                         Value);
}

[[noreturn]] void raiseNotValid(const String& S, const char* What) {
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(S, QLatin1String(What)));
}

}  // namespace

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word DaysInAMonth(Word Year, Word Month) {
    if (Month < 1 || Month > 12) return 0;
    return kMonthDays[IsLeapYear(Year) ? 1 : 0][Month];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
    int DayOfYear = Day;
    for (int M = 1; M < Month; ++M) DayOfYear += DaysInAMonth(Year, static_cast<Word>(M));
    Value = daysBeforeYear(Year) + DayOfYear - DateDelta;
    return true;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value) {
    if (Hour >= HoursPerDay || Min >= MinsPerHour || Sec >= SecsPerMin || MSec >= MSecsPerSec) return false;
    Value = ((Hour * MinsPerHour + Min) * SecsPerMin * MSecsPerSec + Sec * MSecsPerSec + MSec) / double(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
    TDateTime V;
    if (!TryEncodeDate(Year, Month, Day, V)) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return V;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    TDateTime V;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, V)) throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return V;
}

void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day) {
    decodeDay(toStamp(Value).Day, Year, Month, Day);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    int Ms = toStamp(Value).MSec;
    MSec = static_cast<Word>(Ms % MSecsPerSec);
    Ms /= MSecsPerSec;
    Sec = static_cast<Word>(Ms % SecsPerMin);
    Ms /= SecsPerMin;
    Min = static_cast<Word>(Ms % MinsPerHour);
    Hour = static_cast<Word>(Ms / MinsPerHour);
}

int DayOfWeek(TDateTime Value) {
    const int Day = toStamp(Value).Day;
    // Day 1 (1 Jan 0001) was a Monday.
    return ((Day % 7) + 7) % 7 + 1;
}

TDateTime DateOf(TDateTime Value) {
    const TStamp S = toStamp(Value);
    return S.Day - DateDelta;
}

TDateTime TimeOf(TDateTime Value) { return toStamp(Value).MSec / double(MSecsPerDay); }

TDateTime IncMonth(TDateTime Value, int NumberOfMonths) {
    Word Y, M, D;
    DecodeDate(Value, Y, M, D);
    const int Total = Y * 12 + (M - 1) + NumberOfMonths;
    const int NewYear = Total >= 0 ? Total / 12 : (Total - 11) / 12;
    const int NewMonth = Total - NewYear * 12 + 1;
    if (NewYear < 1 || NewYear > 9999) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    const Word Day = std::min(D, DaysInAMonth(static_cast<Word>(NewYear), static_cast<Word>(NewMonth)));
    return combine(EncodeDate(static_cast<Word>(NewYear), static_cast<Word>(NewMonth), Day), TimeOf(Value));
}

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS) {
    TScanner Sc(S);
    TDateTime D;
    if (!scanDate(Sc, D, FS) || !Sc.AtEnd()) return false;
    Value = D;
    return true;
}

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS) {
    TScanner Sc(S);
    TDateTime T;
    if (!scanTime(Sc, T, FS) || !Sc.AtEnd()) return false;
    Value = T;
    return true;
}

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS) {
    TScanner Sc(S);
    TDateTime D, T = 0;
    if (scanDate(Sc, D, FS)) {
        if (!Sc.AtEnd() && (!scanTime(Sc, T, FS) || !Sc.AtEnd())) return false;
        Value = combine(D, T);
        return true;
    }
    return TryStrToTime(S, Value, FS);
}

TDateTime StrToDate(const String& S, const TFormatSettings& FS) {
    TDateTime V;
    if (!TryStrToDate(S, V, FS)) raiseNotValid(S, "date");
    return V;
}

TDateTime StrToTime(const String& S, const TFormatSettings& FS) {
    TDateTime V;
    if (!TryStrToTime(S, V, FS)) raiseNotValid(S, "time");
    return V;
}

TDateTime StrToDateTime(const String& S, const TFormatSettings& FS) {
    TDateTime V;
    if (!TryStrToDateTime(S, V, FS)) raiseNotValid(S, "date and time");
    return V;
}

TDateTime StrToDateDef(const String& S, TDateTime Default, const TFormatSettings& FS) {
    TryStrToDate(S, Default, FS);
    return Default;
}

TDateTime StrToTimeDef(const String& S, TDateTime Default, const TFormatSettings& FS) {
    TryStrToTime(S, Default, FS);
    return Default;
}

TDateTime StrToDateTimeDef(const String& S, TDateTime Default, const TFormatSettings& FS) {
    TryStrToDateTime(S, Default, FS);
    return Default;
}
