// ParseLocaleDateTime in every field order the short date format can give, with the date and
// time separators it names, read at each call.
#include "components/graphics/AdvUtilText.h"

#include "framework/rtl/DateUtils.h"
#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

TEST(AdvUtilText, ParseLocaleDateTimeInEachFieldOrder) {
    struct Case {
        const char* Format;
        Char DateSeparator, TimeSeparator;
        const char* Text;
        bool Ok;
        int Y, M, D, H, N, Sec;  // checked when Ok
    };
    const Case Cases[] = {
        {"yyyy/mm/dd", u'/', u':', "2021/06/05", true, 2021, 6, 5, 0, 0, 0},
        {"yyyy/mm/dd", u'/', u':', "2021/06/05 7:08:09", true, 2021, 6, 5, 7, 8, 9},
        {"yyyy/dd/mm", u'/', u':', "2021/05/06", true, 2021, 6, 5, 0, 0, 0},
        {"mm/yyyy/dd", u'/', u':', "06/2021/05", true, 2021, 6, 5, 0, 0, 0},
        {"yyyy/mm/dd", u'/', u':', "2021/13/05", false, 0, 0, 0, 0, 0, 0},
        {"yyyy/mm/dd", u'/', u':', "2021/02/32", false, 0, 0, 0, 0, 0, 0},
        {"dd.mm.yyyy", u'.', u':', "05.06.2021 23:59", true, 2021, 6, 5, 23, 59, 0},
        {"dd.mm.yyyy", u'.', u':', "05/06/2021", false, 0, 0, 0, 0, 0, 0},
        {"dd-mm-yyyy", u'-', u'.', "05-06-2021 12.30", true, 2021, 6, 5, 12, 30, 0},
        {"dd-mm-yyyy", u'-', u'.', "05-06-2021 12:30", false, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& C : Cases) {
        TFormatSettings FS = TFormatSettings::Default();
        FS.ShortDateFormat = S(C.Format);
        FS.DateSeparator = C.DateSeparator;
        FS.TimeSeparator = C.TimeSeparator;
        FormatSettingsScope Scope(FS);
        TDateTime Value = -1;
        EXPECT_EQ(ParseLocaleDateTime(S(C.Text), Value), C.Ok) << C.Format << " " << C.Text;
        if (C.Ok) {
            EXPECT_DOUBLE_EQ(Value, EncodeDate(C.Y, C.M, C.D) + EncodeTime(C.H, C.N, C.Sec, 0))
                << C.Format << " " << C.Text;
        }
        EXPECT_EQ(LooksLikeDate(S(C.Text)), QString(S(C.Text)).count(C.DateSeparator) >= 2) << C.Text;
    }
}

}  // namespace
