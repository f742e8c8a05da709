// Fuzz target for the filter matcher. An input is UTF-8 text: the condition, a line break, the
// value (no line break: the whole input is the condition and the value is empty). Each input is
// matched under two locales that swap the decimal and thousand separators and the date order,
// with both case flags, through every entry point. Besides memory faults, hangs and undefined
// behaviour, it stops on answers that disagree with each other or with a plain recursive
// matcher on short patterns.
#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"
#include "tests/support/ReferencePatternMatcher.h"
#include "tests/support/TwoLocales.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fail(const char* What, const String& Condition, const String& Value) {
    std::fprintf(stderr, "filter_fuzz: %s\n  condition '%s'\n  value '%s'\n", What, Condition.toUtf8().constData(),
                 Value.toUtf8().constData());
    std::abort();
}

// A pattern without comparison or combination marks goes straight to the wildcard match.
bool comparableWithReference(const String& Pattern, const String& Value) {
    if (Pattern.size() > 16 || Value.size() > 12 || Pattern.contains(u'\0') || Value.contains(u'\0')) return false;
    int StarRuns = 0;
    for (qsizetype I = 0; I < Pattern.size(); ++I) {
        const Char C = Pattern[I];
        if (C == u'>' || C == u'<' || C == u'&' || C == u'^') return false;
        if (C == u'*' && (I == 0 || Pattern[I - 1] != u'*')) ++StarRuns;
    }
    return StarRuns <= 4;
}

void checkOnce(const String& Condition, const String& Value) {
    MatchFilterCondition(Condition, Value, false);
    MatchFilterCondition(Condition, Value, true);
    MatchFilterClause(Condition, Value, false);

    // QString's data is null-terminated, so both overloads see the same texts.
    const bool ByString = MatchPattern(Condition, Value);
    if (MatchPattern(Condition.constData(), Value.constData()) != ByString)
        fail("MatchPattern differs between its two overloads", Condition, Value);
    if (comparableWithReference(Condition, Value) &&
        referenceMatch(Condition.toStdU16String(), 0, Value.toStdU16String(), 0) != ByString)
        fail("MatchPattern differs from the recursive wildcard rules", Condition, Value);

    // "=" in front of a condition that has no blank edges changes nothing.
    if (!Condition.startsWith(u'=') && !Condition.isEmpty() && Condition.front() > u' ' &&
        MatchFilterCondition(u'=' + Condition, Value, true) != MatchFilterCondition(Condition, Value, true))
        fail("a leading \"=\" changed the result", Condition, Value);

    Char Op = u'\0';
    FindFilterOperator(Condition, {u'(', u';', u'^', u'&', u'|'}, Op);
    FindClosingParenthesis(Condition);
    FindCharOutsideQuotes(u'>', Condition.constData());
    RemoveSpacesOutsideQuotes(Condition);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QByteArray Input(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    const qsizetype Break = Input.indexOf('\n');
    const String Condition = String::fromUtf8(Break < 0 ? Input : Input.left(Break));
    const String Value = Break < 0 ? String() : String::fromUtf8(Input.mid(Break + 1));
    for (int L = 0; L < 2; ++L) {
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        checkOnce(Condition, Value);
    }
    return 0;
}
