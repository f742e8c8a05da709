#include "components/graphics/AdvUtilText.h"

#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/StringList.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }
std::string U(const String& Text) { return Text.toStdString(); }

// Runs Body once per locale, with the program-wide settings switched.
template <class F>
void forEachLocale(F Body) {
    for (int L = 0; L < 2; ++L) {
        SCOPED_TRACE(L == 0 ? "thousands '.', decimals ','" : "thousands ',', decimals '.'");
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        Body(L);
    }
}

TEST(AdvUtilText, ExtractNumberTextPerLocale) {
    struct Case {
        const char* Text;
        const char* Expected[2];
    };
    const Case Cases[] = {
        {"(1.234,50)", {"-1234.50", "-1.23450"}},
        {"  $ -12,5 ", {"-12.5", "-125"}},
        {"EUR 12", {"12", "12"}},
        {"1.234.567", {"1234567", "1.234.567"}},
        {"12 kg", {"12", "12"}},
        {"1e3", {"1e3", "1e3"}},
        {"-", {"-", "-"}},
        {"abc", {"", ""}},
        {"", {"", ""}},
    };
    forEachLocale([&](int L) {
        for (const Case& C : Cases) EXPECT_EQ(U(ExtractNumberText(S(C.Text))), C.Expected[L]) << C.Text;
    });
}

TEST(AdvUtilText, ClassifyNumberTextPerLocale) {
    struct Case {
        const char* Text;
        int Expected[2];
    };
    const Case Cases[] = {
        {"1.000", {ntDecimal, ntDecimal}},
        {"1.000.000", {ntDecimal, ntNotANumber}},
        {"1,000,000", {ntNotANumber, ntDecimal}},
        {"1.5e3", {ntNotANumber, ntExponent}},
        {"1.5.2", {ntNotANumber, ntNotANumber}},
        {"-5", {ntInteger, ntInteger}},
        {"12", {ntInteger, ntInteger}},
        {"1e-5", {ntExponent, ntExponent}},
        {"-1e-5", {ntExponent, ntExponent}},
        {"1e5e3", {ntNotANumber, ntNotANumber}},
        {"e5", {ntNotANumber, ntNotANumber}},
        {"5e", {ntNotANumber, ntNotANumber}},
        {"--5", {ntNotANumber, ntNotANumber}},
        {"", {ntNotANumber, ntNotANumber}},
        {"12:30", {ntTime, ntTime}},
        {"1/2/2020", {ntDate, ntDate}},
        {"1//2", {ntNotANumber, ntNotANumber}},
        {"1/2/3/4", {ntNotANumber, ntNotANumber}},
        {"abc", {ntNotANumber, ntNotANumber}},
    };
    forEachLocale([&](int L) {
        for (const Case& C : Cases) EXPECT_EQ(ClassifyNumberText(S(C.Text)), C.Expected[L]) << C.Text;
    });
}

TEST(AdvUtilText, NumberTextConversionsFollowTheLocale) {
    struct Case {
        const char* Text;
        const char* Invariant[2];
        const char* Local[2];
    };
    const Case Cases[] = {
        {"1.234,5", {"1234.5", "1.2345"}, {"1,234,5", "1.234,5"}},
        {"12", {"12", "12"}, {"12", "12"}},
        {"1.5", {"15", "1.5"}, {"1,5", "1.5"}},
        {"abc.d", {"abc.d", "abc.d"}, {"abc.d", "abc.d"}},
    };
    forEachLocale([&](int L) {
        for (const Case& C : Cases) {
            EXPECT_EQ(U(NumberTextToInvariant(S(C.Text))), C.Invariant[L]) << C.Text;
            EXPECT_EQ(U(NumberTextToLocal(S(C.Text))), C.Local[L]) << C.Text;
        }
        const String Grouped = L == 0 ? S("1.234,5") : S("1,234.5");
        EXPECT_EQ(U(PlainNumberText(Grouped)), "1234.5");
        EXPECT_EQ(U(PlainNumberText(static_cast<const Char*>(nullptr))), "");
        EXPECT_TRUE(IsNumericEditChar(L == 0 ? u',' : u'.'));
        EXPECT_FALSE(IsNumericEditChar(u'x'));
    });
}

TEST(AdvUtilText, NumberCharactersIncludeOtherScriptsAboveAscii) {
    EXPECT_TRUE(IsNumberChar(u'7'));
    EXPECT_TRUE(IsNumberChar(u'\u00B2'));  // superscript two
    EXPECT_TRUE(IsNumberChar(u'\u0663'));  // Arabic-Indic three
    EXPECT_TRUE(IsNumeral(u'\u216B'));     // Roman numeral twelve
    EXPECT_FALSE(IsNumberChar(u'a'));
    EXPECT_FALSE(IsNumberChar(u'\u00E9'));
}

TEST(AdvUtilText, ClassifyCellText) {
    struct Case {
        String Text;
        bool HTML;
        int Expected;
    };
    const String WideFormula = S("|\\") + Char(u'\0') + u'=' + Char(u'\0') + u'A';
    const String WideText = S("|\\") + Char(u'\0') + u'a';
    const Case Cases[] = {
        {S("=A1"), false, ctFormula},
        {WideFormula, false, ctFormula},
        {WideText, false, ctWideEncoded},
        {S("{\\rtf1 x}"), false, ctRTF},
        {S("<b>x</b>"), true, ctHTML},
        {S("<b>x</b>"), false, ctPlain},
        {S("a<img src=x>"), true, ctHTML},
        {S("<Br>"), true, ctHTML},
        {S("a<co"), true, ctHTML},
        {S("a < b"), true, ctPlain},
        {S("see http://x"), true, ctHyperlink},
        {S("mailto:a@b"), false, ctHyperlink},
        {S("plain"), false, ctPlain},
        {S(""), true, ctPlain},
    };
    forEachLocale([&](int) {
        for (const Case& C : Cases) EXPECT_EQ(ClassifyCellText(C.Text, C.HTML), C.Expected) << U(C.Text);
    });
}

TEST(AdvUtilText, CapitaliseNames) {
    const std::pair<const char*, const char*> Cases[] = {
        {"john mcdonald iii", "John McDonald III"},
        {"o'neil-smith", "O'Neil-Smith"},
        {"USA", "Usa"},
        {"mcbride", "McBride"},
        {"anne mcx mcy", "Anne McX Mcy"},  // only the first " Mc" is followed by a capital
        {"louis ii", "Louis II"},
        {"henry viii", "Henry Viii"},
        {"st. john,jr", "St. John,Jr"},
        {"", ""},
    };
    forEachLocale([&](int) {
        for (const auto& [In, Out] : Cases) EXPECT_EQ(U(CapitaliseNames(S(In))), Out) << In;
    });
}

TEST(AdvUtilText, DateParsersUseTheCenturyRule) {
    struct Case {
        bool DMY;
        const char* Text;
        int Y, M, D;  // Y = 0: the result is 0
    };
    const Case Cases[] = {
        {true, "31.12.99", 1999, 12, 31}, {true, "1.1.24", 2024, 1, 1},     {true, "1-1-25", 2025, 1, 1},
        {true, "1-1-26", 1926, 1, 1},     {true, "05/06/2021", 2021, 6, 5}, {false, "12/31/00", 2000, 12, 31},
        {false, "2.29.24", 2024, 2, 29},  {false, "12-31", 0, 0, 0},        {false, "a/1/2", 0, 0, 0},
        {false, "1/2/ 3", 0, 0, 0},       {false, "123", 0, 0, 0},
    };
    forEachLocale([&](int) {
        for (const Case& C : Cases) {
            const TDateTime Got = C.DMY ? ParseDateDMY(S(C.Text)) : ParseDateMDY(S(C.Text));
            EXPECT_EQ(Got, C.Y ? EncodeDate(C.Y, C.M, C.D) : 0) << C.Text;
        }
        EXPECT_THROW(ParseDateMDY(S("13/1/20")), EConvertError);
        EXPECT_THROW(ParseDateDMY(S("31/02/20")), EConvertError);
    });
}

TEST(AdvUtilText, ParseLocaleDateTimeReadsTheShortDateOrder) {
    struct Case {
        const char* Text;
        bool Ok[2];
        TDateTime Value[2];  // checked when Ok (or for a date without a readable time)
    };
    const TDateTime Jun5 = EncodeDate(2021, 6, 5), May6 = EncodeDate(2021, 5, 6);
    const Case Cases[] = {
        {"05/06/2021 12:30", {true, true}, {Jun5 + EncodeTime(12, 30, 0, 0), May6 + EncodeTime(12, 30, 0, 0)}},
        {"05/06/2021", {true, true}, {Jun5, May6}},
        {" 05/06/2021 ", {false, false}, {}},
        {"13/01/2020", {true, false}, {EncodeDate(2020, 1, 13), 0}},
        {"31/12/2020 23:59:59", {true, false}, {EncodeDate(2020, 12, 31) + EncodeTime(23, 59, 59, 0), 0}},
        {"05/06/2021 12", {false, false}, {Jun5, May6}},
        {"01/02/2020 24:00", {false, false}, {}},
        {"01/02/2020 12:60", {false, false}, {}},
        {"01/02/2020 12:30:60", {false, false}, {}},
        {"1/2", {false, false}, {}},
        {"x/2/2020", {false, false}, {}},
        {"01/02/0", {false, false}, {}},
        {"30/02/2020", {false, false}, {}},
    };
    forEachLocale([&](int L) {
        for (const Case& C : Cases) {
            TDateTime Value = -12345;
            EXPECT_EQ(ParseLocaleDateTime(S(C.Text), Value), C.Ok[L]) << C.Text;
            if (C.Value[L] != 0) {
                EXPECT_DOUBLE_EQ(Value, C.Value[L]) << C.Text;
            }
        }
    });
}

TEST(AdvUtilText, LooksLikeDateNeedsTwoSeparatedSeparators) {
    forEachLocale([&](int) {
        EXPECT_TRUE(LooksLikeDate(S("1/2/3")));
        EXPECT_FALSE(LooksLikeDate(S("/1/2")));
        EXPECT_FALSE(LooksLikeDate(S("1//2")));
        EXPECT_FALSE(LooksLikeDate(S("1/2")));
    });
}

TEST(AdvUtilText, AddToDateStepsAndMonthWrap) {
    struct Case {
        Word Y, M, D;
        TDateTime Date, Offset, Expected;
    };
    const TDateTime Base = EncodeDate(2021, 3, 10);
    const Case Cases[] = {
        {0, 1, 0, EncodeDate(2021, 12, 31), 0, EncodeDate(2022, 1, 31)},
        {0, 1, 0, EncodeDate(2021, 11, 30) + 0.5, 0, EncodeDate(2021, 12, 30)},
        {0, 1, 0, EncodeDate(2021, 1, 31), 0, EncodeDate(2021, 2, 28)},
        {0, 13, 0, EncodeDate(2021, 5, 10), 0, EncodeDate(2022, 6, 10)},
        {1, 0, 0, EncodeDate(2020, 2, 29) + 0.25, 0, EncodeDate(2021, 2, 28)},
        {0, 0, 3, Base + 0.25, 9, Base + 3.25},
        {0, 0, 0, Base, 0.5, Base + 0.5},
        {1, 1, 0, Base, 2, Base + 2},
    };
    forEachLocale([&](int) {
        for (const Case& C : Cases) EXPECT_DOUBLE_EQ(AddToDate(C.Y, C.M, C.D, C.Date, C.Offset), C.Expected);
        EXPECT_THROW(AddToDate(1, 0, 0, EncodeDate(9999, 1, 1), 0), EConvertError);
    });
}

TEST(AdvUtilText, NaturalCompareUsesTheBoundLogicalComparison) {
    ASSERT_EQ(BoundLogicalCompare(), &StrCmpLogicalW);
    forEachLocale([&](int) {
        EXPECT_LT(NaturalCompare(S("file9"), S("file10")), 0);
        EXPECT_EQ(NaturalCompare(S("File10"), S("file10")), 0);
        EXPECT_GT(NaturalCompare(S("b2"), S("a10")), 0);
        EXPECT_EQ(NaturalCompare(static_cast<const Char*>(nullptr), static_cast<const Char*>(nullptr)), 0);
    });
    const TStrCmpLogicalW Saved = SetBoundLogicalCompare(nullptr);
    EXPECT_GT(NaturalCompare(S("file9"), S("file10")), 0);
    EXPECT_LT(NaturalCompare(S("File10"), S("file10")), 0);
    SetBoundLogicalCompare(Saved);
}

TEST(AdvUtilText, QuoteCountingHelpers) {
    struct CountCase {
        const char* Text;
        int Expected;
    };
    const CountCase Counts[] = {
        {"a,b", 1}, {"\"a,b\",c", 1}, {"'a,b',c,d", 2}, {"\"a,b,c", 2}, {"a,'b,c'\"d,e", 3}, {"'x\"y,z'", 0}, {"", 0},
    };
    struct QuoteCase {
        const char* Text;
        int Expected;
    };
    const QuoteCase Quotes[] = {
        {"abc\"", 4}, {"abc", 0}, {"ab\"\"c\"x", 6}, {"a\"\"\"b", 4}, {"ab\"\"", 4}, {"\"\"x", 0}, {"\"", 1}, {"", 0},
    };
    forEachLocale([&](int) {
        for (const CountCase& C : Counts) EXPECT_EQ(CountCharOutsideQuotes(u',', S(C.Text)), C.Expected) << C.Text;
        for (const QuoteCase& C : Quotes) {
            int Position = -1;
            EXPECT_EQ(FindClosingQuote(u'"', S(C.Text), Position), C.Expected) << C.Text;
            EXPECT_EQ(Position, C.Expected) << C.Text;
        }
        EXPECT_EQ(CountChar(u'a', S("banana")), 3);
        EXPECT_EQ(CountCharOccurrences(u'a', 99, S("banana")), 3);
    });
}

TEST(AdvUtilText, SplitToListKeepsEmptyPiecesAndDoesNotClear) {
    struct Case {
        const char* Delimiter;
        const char* Text;
        std::vector<std::string> Items;
    };
    const Case Cases[] = {
        {";", "a;;b;", {"a", "", "b", ""}},
        {";", "", {""}},
        {"::", "a::b:c", {"a", "b:c"}},
        {";", "abc", {"abc"}},
    };
    forEachLocale([&](int) {
        for (const Case& C : Cases) {
            auto List = std::make_unique<TStringList>();
            List->Add(S("kept"));
            SplitToList(S(C.Delimiter), S(C.Text), List.get());
            std::vector<std::string> Got;
            for (int I = 1; I < List->Count(); ++I) Got.push_back(U(List->Strings(I)));
            EXPECT_EQ(U(List->Strings(0)), "kept");
            EXPECT_EQ(Got, C.Items) << C.Text;
            List->Delete(0);
            EXPECT_EQ(U(JoinListItems(List.get())), U(S(C.Text).remove(S(C.Delimiter))));
        }
    });
}

TEST(AdvUtilText, WidestLineMeasuresEveryLine) {
    TBitmap Bitmap;
    Bitmap.SetSize(10, 10);
    TCanvas* Canvas = Bitmap.Canvas();
    struct Case {
        String Text;
        const char* Widest;
    };
    const Case Cases[] = {
        {S("ab\rabcd\rabc"), "abcd"},
        {S("ab\r\rwide line"), "wide line"},  // an empty line does not end the search
        {S("same\r\nsame"), "same"},
        {S(""), ""},
        {S("\r\r"), ""},
    };
    for (const Case& C : Cases) EXPECT_EQ(U(WidestLine(Canvas, C.Text)), C.Widest) << U(C.Text);
}

TEST(AdvUtilText, LinesAndFields) {
    const String CRLF = S("\r\n");
    struct LineCase {
        String Text;
        int Lines;
        const char* First;
        String Rest;  // S after ExtractFirstLine with KeepRest
    };
    const LineCase Lines[] = {
        {S("a") + CRLF + S("b") + CRLF, 2, "a", S("b") + CRLF},
        {S("a") + CRLF + S("b"), 2, "a", S("b")},
        {S("a\rb"), 2, "a", S("b")},
        {CRLF + CRLF, 2, "", CRLF},
        {S("abc"), 1, "abc", S("")},
        {S(""), 1, "", S("")},
    };
    for (const LineCase& C : Lines) {
        EXPECT_EQ(LineCount(C.Text, true), C.Lines) << U(C.Text);
        EXPECT_EQ(LineCount(C.Text, false), 1);
        String Keep = C.Text, Drop = C.Text;
        EXPECT_EQ(U(ExtractFirstLine(Keep, true)), C.First);
        EXPECT_EQ(Keep, C.Rest);
        EXPECT_EQ(U(ExtractFirstLine(Drop, false)), C.First);
        EXPECT_TRUE(Drop.isEmpty());
    }
    String Field = S("abc");
    EXPECT_EQ(U(CutFirstField(Field, S(";"))), "");
    EXPECT_EQ(U(Field), "abc");
    Field = S("a;b;c");
    EXPECT_EQ(U(CutFirstField(Field, S(";"))), "a");
    EXPECT_EQ(U(Field), "b;c");
}

TEST(AdvUtilText, LimitsPositionsAndColours) {
    EXPECT_EQ(LimitValue(5, 10, 3), 3);
    EXPECT_EQ(LimitValue(5, 1, 3), 3);
    EXPECT_EQ(LimitValue(0, 1, 3), 1);
    EXPECT_EQ(ApplyLimits(5, 0, 3), 3);
    EXPECT_EQ(ApplyLimits(5, 7, 7), 5);
    EXPECT_EQ(ApplyLimits(2, 4, 0), 4);
    EXPECT_EQ(ApplyLimits(9, -1, -1), 9);
    EXPECT_TRUE(CellInGridRect(Rect(1, 2, 3, 4), 3, 4));
    EXPECT_FALSE(CellInGridRect(Rect(1, 2, 3, 4), 4, 4));

    int Position = -1;
    EXPECT_EQ(FindPos(S("lo"), S("hello"), Position), 4);
    EXPECT_EQ(Position, 4);
    EXPECT_EQ(PosInUpper(S("LO"), S("hello")), 4);
    Position = 7;
    EXPECT_EQ(FindCharPos(u'z', S("abc"), Position), 0);
    EXPECT_EQ(Position, 7);  // untouched when not found
    EXPECT_EQ(FindCharPos(u'c', S("abc"), Position), 3);
    EXPECT_EQ(Position, 3);

    EXPECT_EQ(HalveColor(RGB(200, 101, 0)), RGB(100, 50, 0));
    EXPECT_EQ(HalveColor(clWhite), RGB(127, 127, 127));
    EXPECT_EQ(BrightenColor(RGB(100, 200, 5), -10), RGB(90, 180, 4));  // 4.5 rounds to even
    EXPECT_EQ(BrightenColor(RGB(100, 200, 0), 50), RGB(150, 255, 0));  // kept at 255
    EXPECT_EQ(BrightenColor(RGB(100, 200, 0), -300), RGB(0, 0, 0));
}

TEST(AdvUtilText, TextEdits) {
    EXPECT_EQ(U(DoubleQuoteChars(S("a\"b\""))), "a\"\"b\"\"");
    EXPECT_EQ(U(UndoubleChar(u'a', S("baab aaa a"))), "bab aa a");
    EXPECT_EQ(U(UndoubleChar(u'x', S("abc"))), "abc");
    String Filled = S("abc");
    FillWithChar(Filled, u'*');
    EXPECT_EQ(U(Filled), "***");
    EXPECT_EQ(U(RemoveCR(S("a\r\nb\r"))), "a\nb");
    EXPECT_EQ(U(CRToLF(S("a\r\nb"))), "a\n\nb");

    EXPECT_TRUE(IsHyperlink(S("http://x")));
    EXPECT_TRUE(IsHyperlink(S("mailto:a")));
    EXPECT_FALSE(IsHyperlink(S("MAILTO:a")));
    const std::pair<const char*, const char*> Strips[] = {
        {"http://a/b", "a/b"}, {"mailto:me@x", "me@x"}, {"x mailto:y://z", "z"}, {"plain", "plain"}};
    for (const auto& [In, Out] : Strips) {
        String T = S(In);
        StripURLScheme(T);
        EXPECT_EQ(U(T), Out);
    }
}

TEST(AdvUtilText, RemoveDiacriticsKeepsLatin1BaseLettersAtAnyLength) {
    EXPECT_EQ(U(RemoveDiacritics(S("Café Ångström naïve"))), "Cafe Angstrom naive");
    EXPECT_EQ(U(RemoveDiacritics(S("日本x€ß"))), "xß");
    EXPECT_EQ(U(RemoveDiacritics(S(""))), "");
    // Far past 256 characters, the whole text comes back.
    const String Long = S("é").repeated(1000);
    EXPECT_EQ(RemoveDiacritics(Long), S("e").repeated(1000));
}

TEST(AdvUtilText, ParseRCReference) {
    struct Case {
        const char* Text;
        bool Ok;
        TPoint Cell;
    };
    const Case Cases[] = {
        {"R1C2", true, {2, 1}}, {"r10c3", true, {3, 10}}, {"R12C", false, {}},
        {"RC12", false, {}},    {"R1X2", false, {}},      {"R-1C2", false, {}},
        {"R1C", false, {}},     {"A1", false, {}},        {"R1C2x", false, {}},
    };
    for (const Case& C : Cases) {
        TPoint Cell{-7, -7};
        EXPECT_EQ(ParseRCReference(S(C.Text), Cell), C.Ok) << C.Text;
        EXPECT_EQ(Cell, (C.Ok ? C.Cell : TPoint{-7, -7})) << C.Text;
    }
}

}  // namespace
