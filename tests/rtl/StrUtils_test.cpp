#include "framework/rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

TEST(StrUtils, PosAndPosExAreOneBasedAndZeroWhenAbsent) {
    struct Case {
        const char* Sub;
        const char* Text;
        int Offset;
        int Expected;
    };
    const Case Cases[] = {
        {"b", "abcb", 1, 2}, {"b", "abcb", 3, 4}, {"b", "abcb", 4, 4},   {"a", "abc", 1, 1},  {"x", "abc", 1, 0},
        {"", "abc", 1, 0},   {"", "", 1, 0},      {"abcd", "abc", 1, 0}, {"b", "abcb", 0, 0}, {"b", "abcb", -3, 0},
        {"b", "abcb", 5, 0}, {"c", "abc", 3, 3},  {"ß", "Maße", 1, 3},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Sub) + " in " + C.Text + " from " + std::to_string(C.Offset));
        EXPECT_EQ(PosEx(S(C.Sub), S(C.Text), C.Offset), C.Expected);
        if (C.Offset == 1) {
            EXPECT_EQ(Pos(S(C.Sub), S(C.Text)), C.Expected);
        }
    }
}

TEST(StrUtils, CopyDeleteInsertClampTheirArguments) {
    struct CopyCase {
        int Index, Count;
        const char* Expected;
    };
    const CopyCase Copies[] = {
        {1, 2, "ab"}, {2, 100, "bcde"}, {0, 2, "ab"}, {-5, 1, "a"}, {5, 1, "e"},
        {6, 1, ""},   {2, 0, ""},       {2, -1, ""},  {100, 5, ""},
    };
    for (const CopyCase& C : Copies) {
        SCOPED_TRACE("Copy " + std::to_string(C.Index) + "," + std::to_string(C.Count));
        EXPECT_EQ(Copy(S("abcde"), C.Index, C.Count), S(C.Expected));
    }

    struct DeleteCase {
        int Index, Count;
        const char* Expected;
    };
    const DeleteCase Deletes[] = {
        {2, 2, "ade"},   {1, 1, "bcde"},  {4, 100, "abc"},  {0, 2, "abcde"},
        {6, 1, "abcde"}, {2, 0, "abcde"}, {2, -3, "abcde"},
    };
    for (const DeleteCase& C : Deletes) {
        SCOPED_TRACE("Delete " + std::to_string(C.Index) + "," + std::to_string(C.Count));
        String T = S("abcde");
        Delete(T, C.Index, C.Count);
        EXPECT_EQ(T, S(C.Expected));
    }

    struct InsertCase {
        int Index;
        const char* Expected;
    };
    const InsertCase Inserts[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"}, {99, "abcXY"}};
    for (const InsertCase& C : Inserts) {
        SCOPED_TRACE("Insert at " + std::to_string(C.Index));
        String T = S("abc");
        Insert(S("XY"), T, C.Index);
        EXPECT_EQ(T, S(C.Expected));
    }
}

TEST(StrUtils, CaseMapsKeepTheLength) {
    const String Text = S("straße größe ǆ");
    const String Upper = AnsiUpperCase(Text);
    EXPECT_EQ(Upper.size(), Text.size());
    EXPECT_EQ(Upper, S("STRAßE GRÖßE Ǆ"));
    // Positions found in the mapped text still point at the same letters.
    EXPECT_EQ(Pos(S("E G"), Upper), Pos(S("e g"), Text));
    EXPECT_EQ(AnsiLowerCase(S("ÄÖÜ ABC")), S("äöü abc"));
    // A letter outside the basic plane maps as one pair.
    EXPECT_EQ(AnsiUpperCase(S("𐐨x")), S("𐐀X"));

    EXPECT_EQ(UpperCase(S("abc äöü")), S("ABC äöü"));
    EXPECT_EQ(LowerCase(S("ABC ÄÖÜ")), S("abc ÄÖÜ"));
}

TEST(StrUtils, StringReplaceNeverRescansItsOutput) {
    struct Case {
        const char* Text;
        const char* Old;
        const char* New;
        TReplaceFlags Flags;
        const char* Expected;
    };
    const Case Cases[] = {
        {"aaaa", "aa", "a", {rfReplaceAll}, "aa"},
        {"aa", "a", "aa", {rfReplaceAll}, "aaaa"},
        {"a.b.c", ".", "..", {rfReplaceAll}, "a..b..c"},
        {"a.b.c", ".", "-", {}, "a-b.c"},
        {"Hello HELLO hello", "hello", "x", {rfReplaceAll, rfIgnoreCase}, "x x x"},
        {"Hello HELLO hello", "hello", "x", {rfReplaceAll}, "Hello HELLO x"},
        {"Hello HELLO", "hello", "x", {rfIgnoreCase}, "x HELLO"},
        {"Maße MASSE maße", "MASSE", "x", {rfReplaceAll, rfIgnoreCase}, "Maße x maße"},
        {"ßa ßA", "ßA", "_", {rfReplaceAll, rfIgnoreCase}, "_ _"},
        {"abc", "", "x", {rfReplaceAll}, "abc"},
        {"abc", "abcd", "x", {rfReplaceAll}, "abc"},
        {"", "a", "x", {rfReplaceAll}, ""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Text) + " / " + C.Old);
        EXPECT_EQ(StringReplace(S(C.Text), S(C.Old), S(C.New), C.Flags), S(C.Expected));
    }
}

TEST(StrUtils, TrimDropsEveryControlCharacter) {
    const String Text = S("\t\r\n \x01x y\x1f \x7f");
    EXPECT_EQ(Trim(Text), S("x y\x1f \x7f"));
    EXPECT_EQ(TrimLeft(S(" \x02 a ")), S("a "));
    EXPECT_EQ(TrimRight(S(" a \x1f")), S(" a"));
    EXPECT_EQ(Trim(S(" \t ")), String());
    EXPECT_EQ(Trim(S("\u00A0a\u00A0")), S("\u00A0a\u00A0"));  // above U+0020: kept
}

TEST(StrUtils, ComparisonsFollowTheirCaseRules) {
    struct Case {
        const char* A;
        const char* B;
        int Str, Text, AnsiStr, AnsiText;  // signs
    };
    const Case Cases[] = {
        {"abc", "abc", 0, 0, 0, 0},    {"abc", "ABC", 1, 0, -1, 0}, {"a", "B", 1, -1, -1, -1},
        {"ab", "abc", -1, -1, -1, -1}, {"", "a", -1, -1, -1, -1},   {"äb", "ÄB", 1, 1, -1, 0},
        {"_", "a", -1, 1, -1, -1},
    };
    auto sign = [](int V) { return (V > 0) - (V < 0); };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.A) + " vs " + C.B);
        EXPECT_EQ(sign(CompareStr(S(C.A), S(C.B))), C.Str);
        EXPECT_EQ(sign(CompareText(S(C.A), S(C.B))), C.Text);
        EXPECT_EQ(sign(AnsiCompareStr(S(C.A), S(C.B))), C.AnsiStr);
        EXPECT_EQ(sign(AnsiCompareText(S(C.A), S(C.B))), C.AnsiText);
        EXPECT_EQ(sign(CompareText(S(C.B), S(C.A))), -C.Text);
        EXPECT_EQ(SameText(S(C.A), S(C.B)), C.Text == 0);
        EXPECT_EQ(AnsiSameText(S(C.A), S(C.B)), C.AnsiText == 0);
    }
}

TEST(StrUtils, QuotingRoundTrips) {
    EXPECT_EQ(QuotedStr(S("it's")), S("'it''s'"));
    EXPECT_EQ(QuotedStr(String()), S("''"));
    EXPECT_EQ(AnsiQuotedStr(S("say \"hi\""), u'"'), S("\"say \"\"hi\"\"\""));
    struct Case {
        const char* Text;
        const char* Expected;
    };
    const Case Cases[] = {
        {"'it''s'", "it's"}, {"''", ""}, {"'a'b", "a"}, {"abc", "abc"}, {"'open", "'open"}, {"", ""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(AnsiDequotedStr(S(C.Text), u'\''), S(C.Expected));
    }
    EXPECT_EQ(AnsiDequotedStr(AnsiQuotedStr(S("x\"y"), u'"'), u'"'), S("x\"y"));
}

TEST(StrUtils, BuildersAndSidesClampCounts) {
    EXPECT_EQ(StringOfChar(u'-', 3), S("---"));
    EXPECT_EQ(StringOfChar(u'-', -1), String());
    EXPECT_EQ(DupeString(S("ab"), 3), S("ababab"));
    EXPECT_EQ(DupeString(S("ab"), 0), String());
    EXPECT_EQ(LeftStr(S("abc"), 2), S("ab"));
    EXPECT_EQ(LeftStr(S("abc"), 9), S("abc"));
    EXPECT_EQ(LeftStr(S("abc"), -1), String());
    EXPECT_EQ(RightStr(S("abc"), 2), S("bc"));
    EXPECT_EQ(RightStr(S("abc"), -2), String());
}

TEST(StrUtils, IntToHexPadsAndUsesTheValuesWidth) {
    EXPECT_EQ(IntToHex(255, 4), S("00FF"));
    EXPECT_EQ(IntToHex(0x1234, 2), S("1234"));
    EXPECT_EQ(IntToHex(0, 0), S("0"));
    EXPECT_EQ(IntToHex(-1, 2), S("FFFFFFFF"));
    EXPECT_EQ(IntToHex(Int64(-1), 2), S("FFFFFFFFFFFFFFFF"));
    EXPECT_EQ(IntToHex(0xABCDu, 8), S("0000ABCD"));
    EXPECT_EQ(IntToHex(static_cast<long long>(-2), 1), S("FFFFFFFFFFFFFFFE"));
    EXPECT_EQ(IntToHex(static_cast<short>(-1), 1), S("FFFFFFFF"));
}

TEST(StrUtils, TextTestsIgnoreCaseStrTestsDoNot) {
    EXPECT_TRUE(ContainsText(S("Hello World"), S("WORLD")));
    EXPECT_FALSE(ContainsText(S("Hello"), String()));
    EXPECT_FALSE(ContainsStr(S("Hello World"), S("WORLD")));
    EXPECT_TRUE(StartsText(S("HE"), S("hello")));
    EXPECT_TRUE(StartsText(String(), S("hello")));
    EXPECT_FALSE(StartsText(S("hello!"), S("hello")));
    EXPECT_TRUE(EndsText(S("LO"), S("hello")));
    EXPECT_TRUE(StartsStr(S("he"), S("hello")));
    EXPECT_FALSE(StartsStr(S("HE"), S("hello")));
    EXPECT_TRUE(EndsStr(S("lo"), S("hello")));
    EXPECT_FALSE(EndsStr(S("LO"), S("hello")));
    EXPECT_EQ(AnsiPos(S("ö"), S("Größe")), 3);
}

}  // namespace
