#include "framework/rtl/Character.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

TEST(Character, CategoriesAndTests) {
    struct Case {
        char16_t C;
        TUnicodeCategory Category;
        bool Letter, Digit, Number;
    };
    const Case Cases[] = {
        {u'a', ucLowercaseLetter, true, false, false},  {u'Z', ucUppercaseLetter, true, false, false},
        {u'7', ucDecimalNumber, false, true, true},     {u'\u0663', ucDecimalNumber, false, true, true},
        {u'\u00BD', ucOtherNumber, false, false, true}, {u'\u216B', ucLetterNumber, false, false, true},
        {u' ', ucSpaceSeparator, false, false, false},  {u'\u0301', ucNonSpacingMark, false, false, false},
        {u'\t', ucControl, false, false, false},        {u'\u20AC', ucCurrencySymbol, false, false, false},
        {u'-', ucDashPunctuation, false, false, false}, {char16_t(0xD83D), ucSurrogate, false, false, false},
        {u'\u5B57', ucOtherLetter, true, false, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(int(C.C));
        EXPECT_EQ(GetUnicodeCategory(Char(C.C)), C.Category);
        EXPECT_EQ(IsLetter(Char(C.C)), C.Letter);
        EXPECT_EQ(IsDigit(Char(C.C)), C.Digit);
        EXPECT_EQ(IsNumber(Char(C.C)), C.Number);
    }
    EXPECT_EQ(GetUnicodeCategory(S("x\U0001D400"), 2), ucUppercaseLetter);  // a pair is one character
    EXPECT_THROW(GetUnicodeCategory(S("x"), 2), EArgumentOutOfRangeException);
    EXPECT_TRUE(IsWhiteSpace(Char(u'\n')));
    EXPECT_FALSE(IsWhiteSpace(Char(u'x')));
    EXPECT_EQ(ToUpper(Char(u'\u00DF')), Char(u'\u00DF'));  // one unit to one
    EXPECT_EQ(ToUpper(Char(u'\u00E9')), Char(u'\u00C9'));
}

TEST(Character, FoldStringComposesAndDecomposes) {
    const String Composed = S("Café Ångström");
    const String Decomposed = FoldString(Composed, MAP_COMPOSITE);
    EXPECT_EQ(Decomposed, S("Cafe\u0301 A\u030Angstro\u0308m"));
    EXPECT_EQ(FoldString(Decomposed, MAP_PRECOMPOSED), Composed);
    EXPECT_EQ(FoldString(S("\u0663\u0664x"), MAP_FOLDDIGITS), S("34x"));
    EXPECT_EQ(FoldString(S("\uFB01\uFF21"), MAP_FOLDCZONE), S("fiA"));
    EXPECT_THROW(FoldString(Composed, MAP_COMPOSITE | MAP_PRECOMPOSED), EArgumentException);
    EXPECT_THROW(FoldString(Composed, 0), EArgumentException);
    EXPECT_THROW(FoldString(Composed, 0x1000), EArgumentException);
}

TEST(Character, LogicalComparisonOrdersNumbersByValue) {
    struct Case {
        const char* A;
        const char* B;
        int Sign;
    };
    const Case Cases[] = {
        {"file9", "file10", -1}, {"File10", "file10", 0},
        {"a01", "a1", 0},        {"x2y", "x10", -1},
        {"", "a", -1},           {"abc", "ab", 1},
        {"10", "9", 1},          {"1a", "1", 1},
        {"a 2", "a 10", -1},     {"123456789012345678901234567890", "99", 1},
        {"b", "A", 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.A) + " vs " + C.B);
        const int R = CompareStrLogical(S(C.A), S(C.B));
        EXPECT_EQ((R > 0) - (R < 0), C.Sign);
        const int Back = CompareStrLogical(S(C.B), S(C.A));
        EXPECT_EQ((Back > 0) - (Back < 0), -C.Sign);
        const int W = StrCmpLogicalW(S(C.A).constData(), S(C.B).constData());
        EXPECT_EQ((W > 0) - (W < 0), C.Sign);
    }
    EXPECT_EQ(StrCmpLogicalW(nullptr, S("").constData()), 0);
}

}  // namespace
