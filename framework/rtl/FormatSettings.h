// Locale settings every number and date routine reads: separators, date and time pictures, names.
#pragma once

#include "framework/rtl/Types.h"

#include <array>

struct TFormatSettings {
    Char DecimalSeparator = u'.';
    Char ThousandSeparator = u',';
    Char DateSeparator = u'/';
    Char TimeSeparator = u':';
    Char ListSeparator = u',';
    // Pictures in FormatDateTime's codes: "/" and ":" stand for the two separators above.
    String ShortDateFormat;
    String LongDateFormat;
    String ShortTimeFormat;
    String LongTimeFormat;
    String TimeAMString;
    String TimePMString;
    String CurrencyString;
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    Byte CurrencyFormat = 0;
    // 0..15, the platform's sixteen negative currency layouts, 0 = "($1)".
    Byte NegCurrFormat = 0;
    Byte CurrencyDecimals = 2;
    // 1-based as on the platform: [1] = January, day names [1] = Sunday; [0] is unused.
    std::array<String, 13> ShortMonthNames;
    std::array<String, 13> LongMonthNames;
    std::array<String, 8> ShortDayNames;
    std::array<String, 8> LongDayNames;
    // A two-digit year falls within this many years before the current year (0: current century).
    Word TwoDigitYearCenturyWindow = 50;

    // Fixed English settings independent of the machine: "." decimal, "mm/dd/yyyy", "hh:nn:ss".
    static TFormatSettings Default();
    // The user's locale, translated into the platform's pictures.
    static TFormatSettings Create();
    // A named locale ("de_DE", "en_US"); an unknown name gives the C locale's settings.
    static TFormatSettings Create(const String& LocaleName);
};

// Currency layouts: '$' stands for CurrencyString, '1' for the number.
inline constexpr const char16_t* kCurrencyLayouts[4] = {u"$1", u"1$", u"$ 1", u"1 $"};
inline constexpr const char16_t* kNegCurrencyLayouts[16] = {
    /* 0 */ u"($1)",  /* 1 */ u"-$1",   /* 2 */ u"$-1",    /* 3 */ u"$1-",
    /* 4 */ u"(1$)",  /* 5 */ u"-1$",   /* 6 */ u"1-$",    /* 7 */ u"1$-",
    /* 8 */ u"-1 $",  /* 9 */ u"-$ 1",  /* 10 */ u"1 $-",  /* 11 */ u"$ 1-",
    /* 12 */ u"$ -1", /* 13 */ u"1- $", /* 14 */ u"($ 1)", /* 15 */ u"(1 $)",
};

// The program-wide settings, read from the user's locale at start-up; routines read it at each call.
extern TFormatSettings FormatSettings;

// Restores the program-wide settings on destruction, so a test can change them freely.
class FormatSettingsScope {
public:
    FormatSettingsScope();
    explicit FormatSettingsScope(const TFormatSettings& Settings);
    ~FormatSettingsScope();
    FormatSettingsScope(const FormatSettingsScope&) = delete;
    FormatSettingsScope& operator=(const FormatSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};
