#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <thread>
#include <vector>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

// "," decimal, "." thousands, euro after the number.
TFormatSettings germanNumbers() {
    TFormatSettings F = TFormatSettings::Default();
    F.DecimalSeparator = u',';
    F.ThousandSeparator = u'.';
    F.CurrencyString = S("€");
    F.CurrencyFormat = 3;
    F.NegCurrFormat = 8;
    return F;
}

TEST(SysUtils, RoundTakesHalvesToTheEvenNeighbour) {
    struct Case {
        Extended Value;
        Int64 Expected;
    };
    const Case Cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {0.0, 0},
        {1e15 + 0.5, 1000000000000000},
        {4503599627370497.0, 4503599627370497},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(static_cast<double>(C.Value));
        EXPECT_EQ(Round(C.Value), C.Expected);
    }
    EXPECT_THROW(Round(std::nan("")), EInvalidOp);
    EXPECT_THROW(Round(1e19), EInvalidOp);
    EXPECT_THROW(Round(-HUGE_VAL), EInvalidOp);
}

TEST(SysUtils, TruncIntAndFracWorkTowardZero) {
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Int(-2.75), -2.0);
    EXPECT_EQ(Frac(-2.75), -0.75);
    EXPECT_EQ(Frac(3.25), 0.25);
    EXPECT_THROW(Trunc(HUGE_VAL), EInvalidOp);
}

TEST(SysUtils, MulDivRoundsHalvesAwayFromZeroOver64Bits) {
    struct Case {
        int A, B, C, Expected;
    };
    const Case Cases[] = {
        {10, 3, 4, 8},
        {-10, 3, 4, -8},
        {10, -3, 4, -8},
        {10, 3, -4, -8},
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {7, 1, 3, 2},
        {INT32_MAX, 2, 2, INT32_MAX},
        {1, 1, 0, -1},
        {INT32_MAX, INT32_MAX, 1, -1},
        {100000, 100000, 100000, 100000},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::to_string(C.A) + "*" + std::to_string(C.B) + "/" + std::to_string(C.C));
        EXPECT_EQ(MulDiv(C.A, C.B, C.C), C.Expected);
    }
}

TEST(SysUtils, StrToIntReadsDecimalAndHexadecimal) {
    struct Case {
        const char* Text;
        int Expected;
    };
    const Case Good[] = {
        {"42", 42},
        {"  42", 42},
        {"-42", -42},
        {"+7", 7},
        {"$1F", 31},
        {"$1f", 31},
        {"0x1F", 31},
        {"0X10", 16},
        {"x10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"007", 7},
    };
    for (const Case& C : Good) {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(StrToInt(S(C.Text)), C.Expected);
    }
    const char* Bad[] = {"",    " ", "42 ", "4 2", "2147483648", "-2147483649", "$100000000",
                         "abc", "$", "0x",  "1.5", "--1",        "$G",          "١٢"};
    for (const char* Text : Bad) {
        SCOPED_TRACE(Text);
        EXPECT_THROW(StrToInt(S(Text)), EConvertError);
        int Value = 99;
        EXPECT_FALSE(TryStrToInt(S(Text), Value));
        EXPECT_EQ(Value, 99);
        EXPECT_EQ(StrToIntDef(S(Text), -5), -5);
    }
    try {
        StrToInt(S("12a"));
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("'12a' is not a valid integer value"));
    }
}

TEST(SysUtils, StrToInt64CoversTheWholeRange) {
    EXPECT_EQ(StrToInt64(S("9223372036854775807")), std::numeric_limits<Int64>::max());
    EXPECT_EQ(StrToInt64(S("-9223372036854775808")), std::numeric_limits<Int64>::min());
    EXPECT_EQ(StrToInt64(S("$FFFFFFFFFFFFFFFF")), -1);
    EXPECT_EQ(StrToInt64(S("$FFFFFFFF")), 0xFFFFFFFFll);
    EXPECT_THROW(StrToInt64(S("9223372036854775808")), EConvertError);
    EXPECT_THROW(StrToInt64(S("$10000000000000000")), EConvertError);
    EXPECT_EQ(StrToInt64Def(S("x"), 3), 3);
    EXPECT_EQ(IntToStr(Int64(-9000000000)), S("-9000000000"));
    EXPECT_EQ(IntToStr(-7), S("-7"));
    EXPECT_EQ(IntToStr(std::numeric_limits<UInt64>::max()), S("18446744073709551615"));
}

TEST(SysUtils, StrToFloatUsesTheCurrentDecimalSeparator) {
    FormatSettingsScope Scope(germanNumbers());
    struct Case {
        const char* Text;
        double Expected;
    };
    const Case Good[] = {
        {"1,5", 1.5}, {" 2,5E3 ", 2500}, {"-,5", -0.5}, {"3,", 3}, {"+1e-2", 0.01}, {"1e-400", 0}, {"0", 0},
    };
    for (const Case& C : Good) {
        SCOPED_TRACE(C.Text);
        EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(S(C.Text))), C.Expected);
    }
    const char* Bad[] = {"", "1.5", "1,5,", "e5", "1e", "1e+", ",", "1 000", "1e5000", "1,5x", "- 1"};
    for (const char* Text : Bad) {
        SCOPED_TRACE(Text);
        EXPECT_THROW(StrToFloat(S(Text)), EConvertError);
        double Value = 7;
        EXPECT_FALSE(TryStrToFloat(S(Text), Value));
        EXPECT_EQ(Value, 7);
    }
    EXPECT_TRUE(std::isinf(StrToFloat(S("-INF"))));
    EXPECT_TRUE(std::isnan(StrToFloat(S("nan"))));
    EXPECT_EQ(StrToFloatDef(S("?"), 2.5), 2.5);
    // An explicit settings record wins over the program-wide one.
    EXPECT_EQ(StrToFloat(S("1.5"), TFormatSettings::Default()), 1.5);
    try {
        StrToFloat(S("x"));
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("'x' is not a valid floating point value"));
    }
}

TEST(SysUtils, FloatToStrUsesFifteenDigitsAndTheGeneralForm) {
    FormatSettingsScope Scope(TFormatSettings::Default());
    struct Case {
        Extended Value;
        const char* Expected;
    };
    const Case Cases[] = {
        {0, "0"},
        {1.5, "1.5"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {1e20, "1E20"},
        {1e15, "1E15"},
        {1e14, "100000000000000"},
        {123456789012345678.0, "1.23456789012346E17"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {HUGE_VAL, "INF"},
        {-HUGE_VAL, "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Expected);
        EXPECT_EQ(FloatToStr(C.Value), S(C.Expected));
    }
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(FloatToStr(1.5), S("1,5"));  // read at every call
}

TEST(SysUtils, FloatToStrFFormats) {
    FormatSettingsScope Scope(germanNumbers());
    struct Case {
        Extended Value;
        TFloatFormat Format;
        int Precision, Digits;
        const char* Expected;
    };
    const Case Cases[] = {
        {1234.5678, ffFixed, 15, 2, "1234,57"},
        {1234.5678, ffFixed, 4, 2, "1235,00"},
        {0.125, ffFixed, 15, 2, "0,13"},
        {-0.001, ffFixed, 15, 2, "0,00"},
        {-1.5, ffFixed, 15, 0, "-2"},
        {1234567.891, ffNumber, 15, 2, "1.234.567,89"},
        {-999.999, ffNumber, 15, 2, "-1.000,00"},
        {1234.5, ffExponent, 4, 2, "1,235E+03"},
        {-0.00012, ffExponent, 3, 0, "-1,20E-4"},
        {0, ffExponent, 3, 2, "0,00E+00"},
        {1e20, ffGeneral, 15, 3, "1E020"},
        {1234.5, ffCurrency, 15, 2, "1.234,50 €"},
        {-1234.5, ffCurrency, 15, 2, "-1.234,50 €"},
        {1e20, ffFixed, 15, 2, "1,00000000000000E+20"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Expected);
        EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), S(C.Expected));
    }
}

TEST(SysUtils, FormatFloatPictures) {
    FormatSettingsScope Scope(TFormatSettings::Default());
    struct Case {
        const char* Picture;
        Extended Value;
        const char* Expected;
    };
    const Case Cases[] = {
        {"0.00", 3.14159, "3.14"},
        {"0.00", 0.125, "0.13"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", 999, "999"},
        {"#.##", 0.5, ".5"},
        {"0.##", 2.5, "2.5"},
        {"0.##", 2, "2"},
        {"0.0#", 2, "2.0"},
        {"000", 7, "007"},
        {"0", 12345, "12345"},
        {"00-00", 1234, "12-34"},
        {"'$'#,##0", 1234, "$1,234"},
        {"\"Total: \"0", -5, "-Total: 5"},
        {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
        {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50"},
        {"0.00;-0.00;'zero'", 0, "zero"},
        {"0.0;-0.0;'nil'", 0.04, "nil"},
        {"0.0;;'nil'", -3, "-3.0"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.00E-00", 0.00012, "1.20E-04"},
        {"0.0E-0", 12345, "1.2E4"},
        {"0.0e+000", -0.5, "-5.0e-001"},
        {"", 1.5, "1.5"},
        {"0 'a;b' 0", 12, "1 a;b 2"},
        {"0.00", HUGE_VAL, "INF"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Picture) + " with " + std::to_string(static_cast<double>(C.Value)));
        EXPECT_EQ(FormatFloat(S(C.Picture), C.Value), S(C.Expected));
    }
    FormatSettings = germanNumbers();
    EXPECT_EQ(FormatFloat(S("#,##0.00"), 1234.5), S("1.234,50"));
}

TEST(SysUtils, FormatDirectives) {
    FormatSettingsScope Scope(TFormatSettings::Default());
    int Local = 0;
    struct Case {
        const char* Pattern;
        std::vector<TVarRec> Args;
        const char* Expected;
    };
    const Case Cases[] = {
        {"%d", {42}, "42"},
        {"[%5d]", {42}, "[   42]"},
        {"[%-5d]", {42}, "[42   ]"},
        {"%.4d", {42}, "0042"},
        {"%.4d", {-42}, "-0042"},
        {"%d", {Int64(-9000000000)}, "-9000000000"},
        {"%d", {4000000000u}, "4000000000"},
        {"%u", {-1}, "4294967295"},
        {"%x", {255}, "FF"},
        {"%.4X", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {Int64(-1)}, "FFFFFFFFFFFFFFFF"},
        {"%s", {"abc"}, "abc"},
        {"%s", {S("größe")}, "größe"},
        {"%.2s|%s", {"abc", 'x'}, "ab|x"},
        {"[%6s]", {"ab"}, "[    ab]"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%0:s-%0:s-%s", {"x", "y"}, "x-x-y"},
        {"%*d|%-*d|", {4, 1, 3, 2}, "   1|2  |"},
        {"%.*f", {3, 3.14159}, "3.142"},
        {"%f", {2.5}, "2.50"},
        {"%.0f", {2.5}, "3"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.5}, "-5.00E-001"},
        {"%g", {0.5}, "0.5"},
        {"%g", {1e20}, "1E20"},
        {"%n", {1234567.5}, "1,234,567.50"},
        {"%m", {5.0}, "$5.00"},
        {"%m", {-5.0}, "-$5.00"},
        {"100%%", {}, "100%"},
        {"%d%%", {50}, "50%"},
        {"no directives", {1}, "no directives"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Pattern);
        EXPECT_EQ(Format(S(C.Pattern), C.Args), S(C.Expected));
    }
    EXPECT_EQ(Format(S("%p"), {reinterpret_cast<const void*>(0x1234)}).size(), int(2 * sizeof(void*)));
    EXPECT_TRUE(Format(S("%p"), {&Local}).endsWith(IntToHex(UInt64(reinterpret_cast<std::uintptr_t>(&Local)), 1)));
    EXPECT_EQ(Format(S("%.1f"), {1.25}, germanNumbers()), S("1,3"));
}

TEST(SysUtils, FormatRejectsBadPatternsAndArguments) {
    struct Case {
        const char* Pattern;
        std::vector<TVarRec> Args;
    };
    const Case Cases[] = {
        {"%d", {"x"}},  {"%s", {5}}, {"%f", {5}}, {"%d", {1.5}},     {"%d", {}},
        {"%d %d", {1}}, {"%", {}},   {"%q", {1}}, {"%.d", {1}},      {"%1:d", {1}},
        {"%d", {true}}, {"%5", {1}}, {"%p", {1}}, {"%*d", {"x", 1}}, {"%-", {1}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Pattern);
        EXPECT_THROW(Format(S(C.Pattern), C.Args), EConvertError);
    }
    try {
        Format(S("%d"), {S("x")});
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), S("Format '%d' invalid or incompatible with argument"));
    }
}

TEST(SysUtils, RandomRepeatsForASeedAndStaysInRange) {
    SetRandSeed(12345);
    std::vector<int> First;
    for (int I = 0; I < 50; ++I) First.push_back(Random(1000));
    SetRandSeed(12345);
    for (int I = 0; I < 50; ++I) EXPECT_EQ(Random(1000), First[I]);

    std::set<int> Seen;
    for (int I = 0; I < 1000; ++I) {
        const int R = Random(10);
        ASSERT_GE(R, 0);
        ASSERT_LT(R, 10);
        Seen.insert(R);
    }
    EXPECT_EQ(Seen.size(), 10u);
    for (int I = 0; I < 1000; ++I) {
        const double R = Random();
        ASSERT_GE(R, 0.0);
        ASSERT_LT(R, 1.0);
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}

TEST(SysUtils, RandomLosesNoStepAcrossThreads) {
    constexpr int Threads = 4, Draws = 2000;
    SetRandSeed(7);
    for (int I = 0; I < Threads * Draws; ++I) Random(100);
    const std::uint32_t Sequential = RandSeed();

    SetRandSeed(7);
    std::vector<std::thread> Workers;
    for (int T = 0; T < Threads; ++T)
        Workers.emplace_back([] {
            for (int I = 0; I < Draws; ++I) Random(100);
        });
    for (std::thread& W : Workers) W.join();
    EXPECT_EQ(RandSeed(), Sequential);
}

}  // namespace
