#include "framework/rtl/DateUtils.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

// d.m.y with "." between, "," decimal and "." thousands.
TFormatSettings germanDates() {
    TFormatSettings F = TFormatSettings::Default();
    F.DecimalSeparator = u',';
    F.ThousandSeparator = u'.';
    F.DateSeparator = u'.';
    F.ShortDateFormat = S("dd/mm/yyyy");
    F.LongTimeFormat = S("hh:nn:ss");
    return F;
}

// m/d/y with "/" between, "." decimal, "," thousands, a 12-hour clock.
TFormatSettings usDates() {
    TFormatSettings F = TFormatSettings::Default();
    F.DateSeparator = u'/';
    F.ShortDateFormat = S("m/d/yyyy");
    F.LongTimeFormat = S("h:nn:ss ampm");
    return F;
}

TDateTime at(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word Sec = 0, Word MS = 0) {
    return EncodeDate(Y, M, D) + EncodeTime(H, N, Sec, MS);
}

TEST(DateUtils, EncodeDateCountsFromThe30thOfDecember1899) {
    struct Case {
        Word Y, M, D;
        int Serial;
    };
    const Case Cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},   {1900, 1, 1, 2},    {1900, 3, 1, 61},
        {2000, 2, 29, 36585}, {2024, 1, 1, 45292}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Serial);
        EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Serial);
        Word Y, M, D;
        DecodeDate(C.Serial, Y, M, D);
        EXPECT_EQ(std::tuple(Y, M, D), std::tuple(C.Y, C.M, C.D));
    }
}

TEST(DateUtils, EncodeRejectsImpossibleValues) {
    struct Case {
        Word Y, M, D;
    };
    const Case Dates[] = {{2001, 2, 29}, {1900, 2, 29}, {0, 1, 1},    {10000, 1, 1},
                          {2000, 13, 1}, {2000, 0, 1},  {2000, 1, 0}, {2000, 4, 31}};
    for (const Case& C : Dates) {
        SCOPED_TRACE(std::to_string(C.Y) + "-" + std::to_string(C.M) + "-" + std::to_string(C.D));
        TDateTime V = 123;
        EXPECT_FALSE(TryEncodeDate(C.Y, C.M, C.D, V));
        EXPECT_EQ(V, 123);
        EXPECT_THROW(EncodeDate(C.Y, C.M, C.D), EConvertError);
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("Invalid argument to time encode"));
    }
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateUtils, DecodeSplitsNegativeValuesAsThePlatform) {
    Word Y, M, D, H, N, Sec, MS;
    // Before day 0 the fraction's magnitude is still the time of day.
    DecodeDate(-1.25, Y, M, D);
    DecodeTime(-1.25, H, N, Sec, MS);
    EXPECT_EQ(std::tuple(Y, M, D, H, N), std::tuple(1899, 12, 29, 6, 0));
    DecodeTime(at(2024, 3, 5, 23, 59, 59, 999), H, N, Sec, MS);
    EXPECT_EQ(std::tuple(H, N, Sec, MS), std::tuple(23, 59, 59, 999));
    DecodeTime(EncodeTime(10, 20, 30, 1), H, N, Sec, MS);
    EXPECT_EQ(std::tuple(H, N, Sec, MS), std::tuple(10, 20, 30, 1));
}

TEST(DateUtils, CalendarHelpers) {
    EXPECT_EQ(DayOfWeek(0), 7);                       // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);  // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3) + 0.9), 1);
    EXPECT_EQ(DayOfWeek(-1.5), 6);
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
    EXPECT_EQ(DateOf(at(2024, 3, 5, 12)), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(TimeOf(at(2024, 3, 5, 12)), 0.5);
}

TEST(DateUtils, IncMonthClampsTheDayAndKeepsTheTime) {
    struct Case {
        TDateTime From;
        int Months;
        TDateTime Expected;
    };
    const Case Cases[] = {
        {at(2024, 1, 31, 10), 1, at(2024, 2, 29, 10)}, {at(2024, 3, 31), -1, at(2024, 2, 29)},
        {at(2023, 12, 15), 1, at(2024, 1, 15)},        {at(2024, 1, 15, 6), -13, at(2022, 12, 15, 6)},
        {at(2024, 5, 31), 0, at(2024, 5, 31)},         {at(2023, 1, 31), 25, at(2025, 2, 28)},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(static_cast<double>(C.From));
        EXPECT_NEAR(IncMonth(C.From, C.Months), C.Expected, 1e-9);
    }
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(DateUtils, ParsesDatesUnderDayMonthYearWithCommaDecimal) {
    FakeClock Clock;  // 2024: two-digit years fall in 1974..2073
    FormatSettingsScope Scope(germanDates());
    struct Case {
        const char* Text;
        TDateTime Expected;
    };
    const Case Cases[] = {
        {"06.05.2024", at(2024, 5, 6)}, {" 6.5.2024 ", at(2024, 5, 6)}, {"6. 5. 2024", at(2024, 5, 6)},
        {"6.5.24", at(2024, 5, 6)},     {"6.5.74", at(1974, 5, 6)},     {"6.5.73", at(2073, 5, 6)},
        {"6.5", at(2024, 5, 6)},        {"2024.05.06", at(2024, 5, 6)}, {"29.02.2024", at(2024, 2, 29)},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(StrToDate(S(C.Text)), C.Expected);
    }
    EXPECT_NEAR(StrToDateTime(S("06.05.2024 14:30:15")), at(2024, 5, 6, 14, 30, 15), 1e-9);
    EXPECT_NEAR(StrToTime(S("14:30:15,250")), EncodeTime(14, 30, 15, 250), 1e-9);
    EXPECT_NEAR(StrToTime(S("14:30:15.250")), EncodeTime(14, 30, 15, 250), 1e-9);
    EXPECT_NEAR(StrToDateTime(S("14:30")), EncodeTime(14, 30, 0, 0), 1e-9);
    // The same text under the other order.
    EXPECT_NE(StrToDate(S("06.05.2024"),
                        [] {
                            TFormatSettings F = germanDates();
                            F.ShortDateFormat = S("mm/dd/yyyy");
                            return F;
                        }()),
              at(2024, 5, 6));
}

TEST(DateUtils, ParsesDatesUnderMonthDayYearWithTwelveHourTimes) {
    FakeClock Clock;
    FormatSettingsScope Scope(usDates());
    EXPECT_EQ(StrToDate(S("5/6/2024")), at(2024, 5, 6));
    EXPECT_EQ(StrToDate(S("12/31/99")), at(1999, 12, 31));
    EXPECT_EQ(StrToDate(S("5/6")), at(2024, 5, 6));
    struct Case {
        const char* Text;
        TDateTime Expected;
    };
    const Case Times[] = {
        {"2:30 PM", EncodeTime(14, 30, 0, 0)},
        {"2:30pm", EncodeTime(14, 30, 0, 0)},
        {"12:00 AM", EncodeTime(0, 0, 0, 0)},
        {"12:15 PM", EncodeTime(12, 15, 0, 0)},
        {"PM 1:05", EncodeTime(13, 5, 0, 0)},
        {"23:59:59.999", EncodeTime(23, 59, 59, 999)},
        {"0:00", 0},
    };
    for (const Case& C : Times) {
        SCOPED_TRACE(C.Text);
        EXPECT_NEAR(StrToTime(S(C.Text)), C.Expected, 1e-9);
    }
    EXPECT_NEAR(StrToDateTime(S("5/6/2024 2:30:10 PM")), at(2024, 5, 6, 14, 30, 10), 1e-9);
}

TEST(DateUtils, RejectsWhatIsNotADateOrTime) {
    FakeClock Clock;
    FormatSettingsScope Scope(germanDates());
    const char* BadDates[] = {"",         "32.01.2024", "29.02.2023", "1.13.2024", "1.2.3.4", "06.05.2024x",
                              "6/5/2024", "6.",         "a.b.c",      "6.5.99999", "0.0.0"};
    for (const char* Text : BadDates) {
        SCOPED_TRACE(Text);
        TDateTime V = 5;
        EXPECT_FALSE(TryStrToDate(S(Text), V));
        EXPECT_EQ(V, 5);
        EXPECT_THROW(StrToDate(S(Text)), EConvertError);
        EXPECT_EQ(StrToDateDef(S(Text), 9), 9);
    }
    const char* BadTimes[] = {"", "25:00", "10", "10:60", "10:00:61", "13:00 PM", "10:00 XM", "10:00:00,1000"};
    for (const char* Text : BadTimes) {
        SCOPED_TRACE(Text);
        EXPECT_THROW(StrToTime(S(Text)), EConvertError);
        EXPECT_EQ(StrToTimeDef(S(Text), 0.25), 0.25);
    }
    EXPECT_THROW(StrToDateTime(S("06.05.2024 25:00")), EConvertError);
    try {
        StrToDateTime(S("soon"));
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("'soon' is not a valid date and time"));
    }
    try {
        StrToDate(S("x"));
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("'x' is not a valid date"));
    }
}

TEST(DateUtils, FormatDateTimeCodes) {
    FormatSettingsScope Scope(TFormatSettings::Default());
    const TDateTime V = at(2024, 3, 5, 14, 7, 9, 45);
    struct Case {
        const char* Format;
        const char* Expected;
    };
    const Case Cases[] = {
        {"yyyy-mm-dd", "2024-03-05"},
        {"d/m/yy", "5/3/24"},
        {"YYYY MM DD", "2024 03 05"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"h:n:s.z", "14:7:9.45"},
        {"h:mm", "14:07"},
        {"hh mm", "14 07"},
        {"hh:nn dd/mm", "14:07 05/03"},
        {"hh:mm am/pm", "02:07 pm"},
        {"h AM/PM", "2 PM"},
        {"h a/p", "2 p"},
        {"h ampm", "2 PM"},
        {"ddd dddd", "Tue Tuesday"},
        {"mmm mmmm", "Mar March"},
        {"\"day\" d", "day 5"},
        {"'mm' mm", "mm 03"},
        {"c", "03/05/2024 14:07:09"},
        {"ddddd", "03/05/2024"},
        {"dddddd", "Tuesday, March 5, 2024"},
        {"t|tt", "14:07|14:07:09"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Format);
        EXPECT_EQ(FormatDateTime(S(C.Format), V), S(C.Expected));
    }
    EXPECT_EQ(FormatDateTime(S("h:nn am/pm"), at(2024, 3, 5, 0, 5)), S("12:05 am"));
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), S("03/05/2024"));  // midnight: no time
    // A picture that names itself stops instead of recursing forever.
    FormatSettings.ShortDateFormat = S("ddddd c");
    EXPECT_TRUE(FormatDateTime(S("c"), V).contains(S("14:07:09")));
    FormatSettings.ShortDateFormat = S("dd/mm/yyyy");
    FormatSettings.DateSeparator = u'.';
    FormatSettings.TimeSeparator = u'-';
    EXPECT_EQ(FormatDateTime(S("dd/mm/yyyy hh:nn"), V), S("05.03.2024 14-07"));
}

TEST(DateUtils, TextRoundTripsUnderBothLocales) {
    FakeClock Clock;
    const TDateTime Values[] = {at(2024, 3, 5, 14, 7, 9), at(1999, 12, 31, 23, 59, 59), at(2030, 1, 1),
                                at(2024, 2, 29, 0, 0, 1)};
    for (const TFormatSettings& F : {germanDates(), usDates()}) {
        FormatSettingsScope Scope(F);
        for (TDateTime V : Values) {
            SCOPED_TRACE(DateTimeToStr(V).toStdString());
            EXPECT_NEAR(StrToDateTime(DateTimeToStr(V)), V, 1e-9);
            EXPECT_EQ(StrToDate(DateToStr(V)), std::floor(V));
        }
    }
}

TEST(FormatSettings, LocalesTranslateIntoThePlatformsPictures) {
    const TFormatSettings De = TFormatSettings::Create(S("de_DE"));
    EXPECT_EQ(De.DecimalSeparator, u',');
    EXPECT_EQ(De.ThousandSeparator, u'.');
    EXPECT_EQ(De.DateSeparator, u'.');
    EXPECT_EQ(De.ShortDateFormat, S("dd/MM/yy").replace(u'M', u'm'));
    EXPECT_TRUE(De.LongTimeFormat.startsWith(S("hh:nn:ss"))) << De.LongTimeFormat.toStdString();
    EXPECT_EQ(De.LongMonthNames[3], S("März"));
    EXPECT_EQ(De.ShortDayNames[1].left(2), S("So"));

    const TFormatSettings Us = TFormatSettings::Create(S("en_US"));
    EXPECT_EQ(Us.DecimalSeparator, u'.');
    EXPECT_EQ(Us.DateSeparator, u'/');
    EXPECT_TRUE(Us.ShortDateFormat.startsWith(S("m/d/"))) << Us.ShortDateFormat.toStdString();
    EXPECT_TRUE(Us.ShortTimeFormat.contains(S("ampm"))) << Us.ShortTimeFormat.toStdString();
    EXPECT_EQ(Us.LongDayNames[1], S("Sunday"));
    EXPECT_EQ(Us.CurrencyString, S("$"));

    // Pictures made from a locale read back what they write.
    FakeClock Clock;
    for (const TFormatSettings& F : {De, Us}) {
        const TDateTime V = at(2024, 11, 23, 9, 41, 5);
        EXPECT_NEAR(StrToDateTime(DateTimeToStr(V, F), F), V, 1e-9) << DateTimeToStr(V, F).toStdString();
    }
}

TEST(FormatSettings, ScopeRestoresTheProgramWideSettings) {
    const TFormatSettings Before = FormatSettings;
    {
        FormatSettingsScope Scope(germanDates());
        EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
        FormatSettings.ShortDateFormat = S("yyyy");
    }
    EXPECT_EQ(FormatSettings.DecimalSeparator, Before.DecimalSeparator);
    EXPECT_EQ(FormatSettings.ShortDateFormat, Before.ShortDateFormat);
}

}  // namespace
