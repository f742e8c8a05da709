// Fuzz target for the filter matcher. An input is UTF-8 text: the condition, a line break, the
// value (no line break: the whole input is the condition and the value is empty). Each input is
// matched under two locales that swap the decimal and thousand separators and the date order,
// with both case flags, through every entry point. Besides memory faults, hangs and undefined
// behaviour, it stops on answers that disagree with each other or with a plain recursive
// matcher on short patterns.
#include "components/graphics/AdvUtilFilter.h"

#include "framework/rtl/FormatSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TFormatSettings localeSettings(int Index) {
    TFormatSettings FS = TFormatSettings::Default();
    FS.ThousandSeparator = Index == 0 ? u'.' : u',';
    FS.DecimalSeparator = Index == 0 ? u',' : u'.';
    FS.DateSeparator = u'/';
    FS.TimeSeparator = u':';
    FS.ShortDateFormat = Index == 0 ? QStringLiteral("dd/mm/yyyy") : QStringLiteral("mm/dd/yyyy");
    return FS;
}

[[noreturn]] void fail(const char* What, const String& Condition, const String& Value) {
    std::fprintf(stderr, "filter_fuzz: %s\n  condition '%s'\n  value '%s'\n", What, Condition.toUtf8().constData(),
                 Value.toUtf8().constData());
    std::abort();
}

// Step C as the rules read: every ending of the value is tried for each "*", so only for short
// texts with few "*".
bool referenceMatch(const std::u16string& P, size_t I, const std::u16string& V, size_t J) {
    const bool BangIsChar = I < P.size() && P[I] == u'"';
    bool Negated = false, Literal = false, Result = false;
    while (true) {
        if (I == P.size()) {
            Result = J == V.size();
            break;
        }
        const char16_t C = P[I];
        if (C == u'"') {
            if (!Literal) {
                Literal = true;
                ++I;
                continue;
            }
            if (J < V.size() && V[J] == u'"') {
                ++I, ++J;
                continue;
            }
            break;
        }
        Literal = false;
        if (C == u'!' && !BangIsChar) {
            Negated = true;
            ++I;
            continue;
        }
        if (C == u'*') {
            while (I < P.size() && P[I] == u'*') ++I;
            for (size_t K = V.size() + 1; K-- > J;)
                if (referenceMatch(P, I, V, K)) {
                    Result = true;
                    break;
                }
            break;
        }
        if (J < V.size() && (C == u'?' || V[J] == C)) {
            ++I, ++J;
            continue;
        }
        break;
    }
    return Negated ? !Result : Result;
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
        FormatSettingsScope Scope(localeSettings(L));
        checkOnce(Condition, Value);
    }
    return 0;
}
