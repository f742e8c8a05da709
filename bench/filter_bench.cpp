// MatchFilterCondition over one million generated cell texts with a typical condition, against a
// hand-written loop that makes the same comparisons; prints the ratio of the two times.
#include "components/graphics/AdvUtilFilter.h"

#include "bench/BenchSupport.h"
#include "bench/FilterValues.h"
#include "framework/rtl/FormatSettings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const String& kCondition = kFilterBenchCondition;
constexpr int kValueCount = 1000000;

const std::vector<String>& values() {
    static const std::vector<String> Values = GenerateFilterValues(kValueCount);
    return Values;
}

// The whole text as a number: an optional "-", digits with "," between groups, an optional
// "." and more digits.
bool parseNumber(const String& S, double& Value) {
    qsizetype I = 0;
    const bool Negative = I < S.size() && S[I] == u'-';
    if (Negative) ++I;
    double Whole = 0, Scale = 0;
    bool Digits = false;
    for (; I < S.size(); ++I) {
        const char16_t C = S[I].unicode();
        if (C >= u'0' && C <= u'9') {
            Whole = Whole * 10 + (C - u'0');
            Scale *= 10;
            Digits = true;
        } else if (C == u'.' && Scale == 0) {
            Scale = 1;
        } else if (C != u',') {
            return false;
        }
    }
    if (!Digits) return false;
    Value = (Negative ? -Whole : Whole) / (Scale == 0 ? 1 : Scale);
    return true;
}

char16_t upper(QChar C) { return C.toUpper().unicode(); }

// Code-unit comparison of S upper-cased with the ASCII text T.
int compareUpper(const String& S, const char16_t* T) {
    qsizetype I = 0;
    for (; I < S.size() && T[I] != u'\0'; ++I)
        if (const char16_t C = upper(S[I]); C != T[I]) return C < T[I] ? -1 : 1;
    if (I == S.size()) return T[I] == u'\0' ? 0 : -1;
    return 1;
}

// ">10&<100|a*b?c" without case, written out: a number between 10 and 100, or a text between
// "10" and "100", or a text that starts with "a" and ends with "b", any character, "c".
bool handWritten(const String& V) {
    double Number = 0;
    if (parseNumber(V, Number) ? Number > 10 && Number < 100
                               : compareUpper(V, u"10") > 0 && compareUpper(V, u"100") < 0)
        return true;
    const qsizetype N = V.size();
    return N >= 4 && upper(V[0]) == u'A' && upper(V[N - 3]) == u'B' && upper(V[N - 1]) == u'C';
}

void BM_MatchFilterCondition(benchmark::State& State) {
    const FormatSettingsScope Scope(TFormatSettings::Default());
    for (auto _ : State) {
        int Matches = 0;
        for (const String& V : values()) Matches += MatchFilterCondition(kCondition, V, false);
        benchmark::DoNotOptimize(Matches);
    }
    State.SetItemsProcessed(State.iterations() * kValueCount);
}
BENCHMARK(BM_MatchFilterCondition)->Unit(benchmark::kMillisecond);

void BM_HandWritten(benchmark::State& State) {
    for (auto _ : State) {
        int Matches = 0;
        for (const String& V : values()) Matches += handWritten(V);
        benchmark::DoNotOptimize(Matches);
    }
    State.SetItemsProcessed(State.iterations() * kValueCount);
}
BENCHMARK(BM_HandWritten)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Both sides must agree on every value, or the ratio compares different work.
    {
        const FormatSettingsScope Scope(TFormatSettings::Default());
        int Matched = 0;
        for (const String& V : values()) {
            const bool A = MatchFilterCondition(kCondition, V, false), B = handWritten(V);
            if (A != B) {
                std::fprintf(stderr, "filter_bench: the two loops disagree on '%s'\n", V.toUtf8().constData());
                return 1;
            }
            Matched += A;
        }
        std::printf("%d of %d values match %s\n", Matched, kValueCount, kCondition.toUtf8().constData());
    }
    TRatioReporter Reporter(TBenchTime::Cpu);
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double Ratio = Reporter.Ratio("BM_MatchFilterCondition", "BM_HandWritten"); Ratio > 0)
        std::printf("MatchFilterCondition / hand-written loop: %.1f (goal 3 or less)\n", Ratio);
    return 0;
}
