// Dates and times as TDateTime: days since 30 Dec 1899 (day 0), the fraction is the time of day.
// A negative value counts days before day 0 and its fraction's magnitude is still the time
// (-1.25 is 29 Dec 1899, 06:00). Text forms follow the program-wide FormatSettings by default.
#pragma once

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Types.h"

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerHour = 60;
inline constexpr int SecsPerMin = 60;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int MinsPerDay = HoursPerDay * MinsPerHour;
inline constexpr int SecsPerDay = MinsPerDay * SecsPerMin;
inline constexpr int MSecsPerDay = SecsPerDay * MSecsPerSec;
// Day number of 30 Dec 1899 counting 1 Jan 0001 as day 1.
inline constexpr int DateDelta = 693594;

// Bad values raise EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value);
// Values before 1 Jan 0001 decode as 0/0/0.
void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime Value);
bool IsLeapYear(Word Year);
// 0 for a month outside 1..12.
Word DaysInAMonth(Word Year, Word Month);
// Same day and time NumberOfMonths later (or earlier), the day clamped to the month's end.
TDateTime IncMonth(TDateTime Value, int NumberOfMonths = 1);
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);

// Dates are read in the order of ShortDateFormat (d/m/y, m/d/y or y/m/d) with DateSeparator;
// a missing year is the current one, a year of one or two digits takes the century that puts it
// within TwoDigitYearCenturyWindow years before the current year. Times are hours and minutes,
// optional seconds and milliseconds (after "." or the decimal separator), with AM/PM before or
// after. Failures raise EConvertError "'S' is not a valid date" (time, date and time).
TDateTime StrToDate(const String& S, const TFormatSettings& AFormatSettings = FormatSettings);
TDateTime StrToTime(const String& S, const TFormatSettings& AFormatSettings = FormatSettings);
TDateTime StrToDateTime(const String& S, const TFormatSettings& AFormatSettings = FormatSettings);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& AFormatSettings = FormatSettings);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& AFormatSettings = FormatSettings);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& AFormatSettings = FormatSettings);
TDateTime StrToDateDef(const String& S, TDateTime Default, const TFormatSettings& AFormatSettings = FormatSettings);
TDateTime StrToTimeDef(const String& S, TDateTime Default, const TFormatSettings& AFormatSettings = FormatSettings);
TDateTime StrToDateTimeDef(const String& S, TDateTime Default, const TFormatSettings& AFormatSettings = FormatSettings);

// ShortDateFormat; LongTimeFormat; both, the time left out at midnight.
String DateToStr(TDateTime Value, const TFormatSettings& AFormatSettings = FormatSettings);
String TimeToStr(TDateTime Value, const TFormatSettings& AFormatSettings = FormatSettings);
String DateTimeToStr(TDateTime Value, const TFormatSettings& AFormatSettings = FormatSettings);

// Codes (any case): c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm, "/" and ":" for the separators, "..." and '...' literals. "m"/"mm" right after
// "h"/"hh" means minutes; "h" counts 1..12 when an am/pm code follows.
String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& AFormatSettings = FormatSettings);
