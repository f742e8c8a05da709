// Two locales that swap the number separators and the date order, for the text and filter
// routines that read the program-wide settings.
#pragma once

#include "framework/rtl/FormatSettings.h"

// Locale 0: "." groups thousands, "," marks decimals, days come first.
// Locale 1: the reverse, months first.
inline TFormatSettings TwoLocalesSettings(int Index) {
    TFormatSettings FS = TFormatSettings::Default();
    FS.ThousandSeparator = Index == 0 ? u'.' : u',';
    FS.DecimalSeparator = Index == 0 ? u',' : u'.';
    FS.DateSeparator = u'/';
    FS.TimeSeparator = u':';
    FS.ShortDateFormat = Index == 0 ? QStringLiteral("dd/mm/yyyy") : QStringLiteral("mm/dd/yyyy");
    return FS;
}

// Days first with "/" and 24-hour times with ":" while the object lives; the former settings
// come back after.
class TDayFirstFormats {
public:
    TDayFirstFormats() : FSaved(FormatSettings) {
        FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        FormatSettings.DateSeparator = u'/';
        FormatSettings.LongTimeFormat = QStringLiteral("hh:nn:ss");
        FormatSettings.TimeSeparator = u':';
    }
    ~TDayFirstFormats() { FormatSettings = FSaved; }
    TDayFirstFormats(const TDayFirstFormats&) = delete;
    TDayFirstFormats& operator=(const TDayFirstFormats&) = delete;

private:
    TFormatSettings FSaved;
};
