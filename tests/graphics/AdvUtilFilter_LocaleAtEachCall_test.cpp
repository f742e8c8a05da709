// The matcher reads the locale separators and the short date format at each call: the same
// condition answers differently as soon as one setting changes, and back again. Case folding
// beyond ASCII, long values and values that end at a #0.
#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

TFormatSettings baseSettings() {
    TFormatSettings FS = TFormatSettings::Default();
    FS.ThousandSeparator = u'\'';
    FS.DecimalSeparator = u'.';
    FS.DateSeparator = u'/';
    FS.TimeSeparator = u':';
    FS.ShortDateFormat = S("dd/mm/yyyy");
    return FS;
}

TEST(AdvUtilFilter, OneChangedSettingChangesTheNextAnswer) {
    struct Case {
        const char* Name;
        void (*Change)(TFormatSettings&);
        const char* Condition;
        const char* Value;
        bool Before, After;
    };
    const Case Cases[] = {
        {"thousand separator", [](TFormatSettings& FS) { FS.ThousandSeparator = u','; }, ">1,000", "999", true, false},
        {"decimal separator", [](TFormatSettings& FS) { FS.DecimalSeparator = u','; }, ">1,5", "1,50", true, false},
        {"short date format", [](TFormatSettings& FS) { FS.ShortDateFormat = S("mm/dd/yyyy"); }, ">01/02/2020",
         "03/01/2020", false, true},
        {"date separator",
         [](TFormatSettings& FS) {
             FS.DateSeparator = u'-';
             FS.ShortDateFormat = S("dd-mm-yyyy");
         },
         ">02-01-2020", "10-01-2019", true, false},
        {"time separator", [](TFormatSettings& FS) { FS.TimeSeparator = u'.'; }, "<\"01/02/2020 12.00\"",
         "01/02/2020 9.30", false, true},
    };
    for (const Case& C : Cases) {
        const String Condition = S(C.Condition), Value = S(C.Value);
        TFormatSettings Changed = baseSettings();
        C.Change(Changed);
        for (int Round = 0; Round < 2; ++Round) {
            {
                FormatSettingsScope Scope(baseSettings());
                EXPECT_EQ(MatchFilterCondition(Condition, Value, false), C.Before) << C.Name << " round " << Round;
                EXPECT_EQ(MatchFilterClause(Condition, Value, true), C.Before) << C.Name << " round " << Round;
            }
            {
                FormatSettingsScope Scope(Changed);
                EXPECT_EQ(MatchFilterCondition(Condition, Value, false), C.After) << C.Name << " round " << Round;
                EXPECT_EQ(MatchFilterClause(Condition, Value, true), C.After) << C.Name << " round " << Round;
            }
        }
    }
}

TEST(AdvUtilFilter, CaseFoldingBeyondAsciiLongValuesAndTheEndAtZero) {
    FormatSettingsScope Scope(baseSettings());
    const String LongX = S("x").repeated(100);
    struct Case {
        String Condition, Value;
        bool CaseSensitive, Expected;
    };
    const Case Cases[] = {
        {S("é*"), S("ÉCOLE"), false, true},
        {S("É*"), S("école"), false, true},
        {S("é*"), S("ÉCOLE"), true, false},
        {S("*É"), LongX + S("é"), false, true},
        {S("X*"), LongX, false, true},
        {S("x*"), LongX, true, true},
        {S("X*"), LongX, true, false},
        {S("*Ω?"), LongX + S("ωa"), false, true},
        {S("!*É"), LongX + S("é"), false, false},
        // A letter beyond ASCII anywhere in the value, not only first or last.
        {S("XÉYZW"), S("xéyzw"), false, true},
        {S("ABCÉ?"), S("abcéz"), false, true},
        {S(">") + LongX, LongX + S("y"), false, true},
        // A value is read up to its first #0, as a null-terminated text.
        {S("ab"), S("ab") + Char(u'\0') + S("cd"), true, true},
        {S("ab*d"), S("ab") + Char(u'\0') + S("cd"), true, false},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(MatchFilterCondition(C.Condition, C.Value, C.CaseSensitive), C.Expected)
            << C.Condition.toStdString() << " / " << C.Value.left(20).toStdString() << " case " << C.CaseSensitive;
}

}  // namespace
