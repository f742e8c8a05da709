#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"
#include "tests/support/ReferencePatternMatcher.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }

constexpr int kBoth = -1;

TEST(AdvUtilFilter, ConditionTable) {
    struct Case {
        const char* Condition;
        const char* Value;
        bool CaseSensitive;
        bool Expected;
        int Locale;  // kBoth, or the one locale the case needs
    };
    const Case Cases[] = {
        // Empty and "=" conditions.
        {"", "", false, true, kBoth},
        {"", "a", false, false, kBoth},
        {"\"\"", "", false, true, kBoth},
        {"\"\"", "x", false, false, kBoth},
        {"=abc", "abc", true, true, kBoth},
        {"=", "", true, true, kBoth},
        // Case.
        {"abc", "ABC", false, true, kBoth},
        {"abc", "ABC", true, false, kBoth},
        {"straße", "STRASSE", false, false, kBoth},
        // Operators, strictly left to right.
        {"a*|b*", "bob", false, true, kBoth},
        {"a*&b*", "bob", false, false, kBoth},
        {"a;b", "b", false, true, kBoth},
        {"a|b&c", "a", false, false, kBoth},
        {"a|b&c", "c", false, false, kBoth},
        {"c|a&a*", "a", false, true, kBoth},
        // Groups.
        {"(a|b)&c*", "a", false, false, kBoth},
        {"(a|b)&c*", "cat", false, false, kBoth},
        {"(a|b)", "b", false, true, kBoth},
        {"x&(a|b)", "x", false, false, kBoth},
        {"x&(a|b)", "a", false, false, kBoth},
        {"((a|b))|c", "b", false, true, kBoth},
        {"a(b", "a", false, true, kBoth},  // the text after an inner "(" is dropped
        // A "(" never closed takes the rest as its group.
        {"(a|b", "b", false, true, kBoth},
        {"(a|b", "c", false, false, kBoth},
        {"((((", "", false, true, kBoth},
        {"(", "x", false, false, kBoth},
        // Comparisons.
        {">5", "10", false, true, kBoth},
        {">5", "3", false, false, kBoth},
        {">=5", "5", false, true, kBoth},
        {"<=5", "6", false, false, kBoth},
        {"<5", "-2", false, true, kBoth},
        {">abc", "abd", false, true, kBoth},
        {">abc", "abb", false, false, kBoth},
        {"> 5", "6", false, true, kBoth},
        {">5&<10", "7", false, true, kBoth},
        {">5&<10", "12", false, false, kBoth},
        {"<5^>10", "2", false, true, kBoth},
        {"<5^>10", "12", false, true, kBoth},
        {"<5^>10", "7", false, false, kBoth},
        {">1,5", "2", false, true, 0},
        {">1,5", "1,2", false, false, 0},
        {">1.5", "1.7", false, true, 1},
        {">1.000", "999", false, false, 0},  // one thousand
        {">1.000", "999", false, true, 1},   // one
        {">\"5\"", "6", false, true, kBoth},
        // Dates by value, in the locale's order.
        {">01/02/2020", "03/01/2020", false, false, 0},  // 3 January is before 1 February
        {">01/02/2020", "03/01/2020", false, true, 1},   // 1 March is after 2 January
        {"<\"01/02/2020 12:00\"", "01/02/2020 11:59", false, true, kBoth},
        {"<\"01/02/2020 12:00\"", "01/02/2020 12:01", false, false, kBoth},
        // Negation.
        {"!abc", "abd", false, true, kBoth},
        {"!abc", "abc", false, false, kBoth},
        {"!a*", "bcd", false, true, kBoth},
        {"!a*", "abc", false, false, kBoth},
        {"\"!a\"", "!a", false, true, kBoth},
        // A lone "-" is no number: compared as text it sorts before "-1".
        {">-1", "-", false, false, kBoth},
        // Wildcards.
        {"?b", "ab", false, true, kBoth},
        {"?b", "b", false, false, kBoth},
        {"*", "", false, true, kBoth},
        {"*", "anything", false, true, kBoth},
        {"a**c", "abbc", false, true, kBoth},
        {"*a*b", "xaxbxb", false, true, kBoth},
        {"*a*b", "xaxbx", false, false, kBoth},
        // Spaces and double quotes.
        {"a b", "ab", false, true, kBoth},
        {" ab ", "ab", false, true, kBoth},
        {"\"a b\"", "a b", false, true, kBoth},
        {"\"a b\"", "ab", false, false, kBoth},
        {"\"a|b\"", "a|b", false, true, kBoth},
        {"x\"\"y", "x\"y", false, true, kBoth},
        {"\"a*\"", "abc", false, true, kBoth},  // quotes do not protect "*"
    };
    for (int L = 0; L < 2; ++L) {
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        for (const Case& C : Cases) {
            if (C.Locale != kBoth && C.Locale != L) continue;
            EXPECT_EQ(MatchFilterCondition(S(C.Condition), S(C.Value), C.CaseSensitive), C.Expected)
                << "condition '" << C.Condition << "' value '" << C.Value << "' locale " << L;
        }
    }
}

TEST(AdvUtilFilter, ComparisonsCombineInsideOneClause) {
    FormatSettingsScope Scope(TwoLocalesSettings(1));
    EXPECT_TRUE(MatchFilterClause(S(">5&<10"), S("7"), true));
    EXPECT_FALSE(MatchFilterClause(S(">5&<10"), S("12"), true));
    EXPECT_TRUE(MatchPattern(S("<5^>10"), S("12")));
    EXPECT_FALSE(MatchPattern(S("<5^>10"), S("7")));
    // A negated clause counts a missing comparison as passed, so "^" always holds.
    EXPECT_TRUE(MatchPattern(S("!x^>10"), S("3")));
    EXPECT_FALSE(MatchPattern(S(">5&!x"), S("3")));
    EXPECT_TRUE(MatchPattern(S(">5&!x"), S("7")));
    EXPECT_FALSE(MatchPattern(static_cast<const Char*>(nullptr), S("a").constData()));
    EXPECT_TRUE(MatchPattern(static_cast<const Char*>(nullptr), static_cast<const Char*>(nullptr)));
}

TEST(AdvUtilFilter, ALocaleChangeIsSeenByTheSameCondition) {
    // One string object, so a kept parse would be found by identity; the separators decide.
    const String Condition = S(">1.000|x");
    const String Value = S("999");
    bool Results[3];
    for (int Round = 0; Round < 3; ++Round) {
        FormatSettingsScope Scope(TwoLocalesSettings(Round % 2));
        Results[Round] = MatchFilterCondition(Condition, Value, false);
    }
    EXPECT_FALSE(Results[0]);  // one thousand
    EXPECT_TRUE(Results[1]);   // one
    EXPECT_FALSE(Results[2]);
}

TEST(AdvUtilFilter, ConditionHelpers) {
    EXPECT_EQ(RemoveSpacesOutsideQuotes(S(" a \" b c \" d ")), S("a\" b c \"d"));
    Char Op = u'?';
    const TCharSet Ops = {u'(', u';', u'^', u'&', u'|'};
    EXPECT_EQ(FindFilterOperator(S("\"a|b\"&c"), Ops, Op), 6);
    EXPECT_EQ(Op, u'&');
    Op = u'?';
    EXPECT_EQ(FindFilterOperator(S("\"a|b\""), Ops, Op), 0);
    EXPECT_EQ(Op, u'?');
    EXPECT_EQ(FindClosingParenthesis(S("(a(b)c)d")), 7);
    EXPECT_EQ(FindClosingParenthesis(S("(a(b)c")), 0);
    EXPECT_EQ(FindClosingParenthesis(S("a)")), 0);
    EXPECT_EQ(FindCharOutsideQuotes(u'>', S("\">\">").constData()), 4);
    EXPECT_EQ(FindCharOutsideQuotes(u'>', nullptr), 0);
}

TEST(AdvUtilFilter, WildcardsAgreeWithTheRecursiveRules) {
    std::mt19937 Rng(7);
    const char16_t PatternChars[] = u"ab*?\"!";
    const char16_t ValueChars[] = u"ab\"!";
    for (int N = 0; N < 20000; ++N) {
        std::u16string P, V;
        for (int K = Rng() % 8; K > 0; --K) P += PatternChars[Rng() % 6];
        for (int K = Rng() % 7; K > 0; --K) V += ValueChars[Rng() % 4];
        // Keep to step C: no comparison or operator marks.
        const String Pattern = String::fromStdU16String(P), Value = String::fromStdU16String(V);
        ASSERT_EQ(MatchPattern(Pattern, Value), referenceMatch(P, 0, V, 0))
            << "pattern '" << Pattern.toStdString() << "' value '" << Value.toStdString() << "'";
        // Without case, a value in mixed case matches as its upper-case form does.
        if (P == u"\"\"") continue;  // two double quotes ask for the empty value
        std::u16string UpperP = P, UpperV = V, MixedV = V;
        for (char16_t& C : UpperP) C = C >= u'a' && C <= u'z' ? C - 32 : C;
        for (char16_t& C : UpperV) C = C >= u'a' && C <= u'z' ? C - 32 : C;
        for (char16_t& C : MixedV)
            if (Rng() % 2 && C >= u'a' && C <= u'z') C -= 32;
        ASSERT_EQ(MatchFilterClause(Pattern, String::fromStdU16String(MixedV), false),
                  referenceMatch(UpperP, 0, UpperV, 0))
            << "pattern '" << Pattern.toStdString() << "' value '" << String::fromStdU16String(MixedV).toStdString()
            << "' without case";
    }
}

TEST(AdvUtilFilter, ManyStarsAgainstALongValueAnswerAtOnce) {
    // With backtracking this would try about 4000^20 ways before failing.
    const String Value = S("a").repeated(4000);
    const String Pattern = S("*a").repeated(20) + S("b");
    EXPECT_FALSE(MatchFilterCondition(Pattern, Value, false));
    EXPECT_TRUE(MatchFilterCondition(Pattern.left(Pattern.size() - 1), Value, false));
    EXPECT_TRUE(MatchFilterCondition(S("!") + Pattern, Value, true));
}

}  // namespace
