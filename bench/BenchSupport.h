// The harness of the benchmarks that race one of our routines against a direct implementation
// in the same run: runs the benchmarks and gives the ratio of two of them.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Which time the ratio compares.
enum class TBenchTime { Real, Cpu };

// The console report, keeping each benchmark's times per iteration by function name, one per
// repetition.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(TBenchTime Time = TBenchTime::Real) : FTime(Time) {}

    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs)
            if (R.run_type == Run::RT_Iteration && R.iterations > 0)
                FTimes[R.run_name.function_name].push_back(FTime == TBenchTime::Cpu ? R.GetAdjustedCPUTime()
                                                                                    : R.GetAdjustedRealTime());
    }

    // Time of Ours over time of Theirs; 0 when either did not run (filtered out on the command
    // line). Repeated runs are paired by repetition, the two of a pair ran in the same round, close
    // in time, and the median of the pairs' ratios is taken, so a slow moment of the machine
    // weighs on one pair only.
    double Ratio(const std::string& Ours, const std::string& Theirs) const {
        const auto A = FTimes.find(Ours), B = FTimes.find(Theirs);
        if (A == FTimes.end() || B == FTimes.end() || A->second.size() != B->second.size()) return 0;
        std::vector<double> Ratios;
        for (size_t I = 0; I < A->second.size(); ++I) {
            if (A->second[I] <= 0 || B->second[I] <= 0) return 0;
            Ratios.push_back(A->second[I] / B->second[I]);
        }
        if (Ratios.empty()) return 0;
        std::sort(Ratios.begin(), Ratios.end());
        const size_t N = Ratios.size();
        return N % 2 ? Ratios[N / 2] : (Ratios[N / 2 - 1] + Ratios[N / 2]) / 2;
    }

private:
    TBenchTime FTime;
    std::map<std::string, std::vector<double>> FTimes;
};

// Runs the benchmarks the command line selects (all by default) through Reporter; false when the
// command line holds arguments neither Qt nor the benchmark library took. One run of each is at
// the mercy of whatever else the machine does at that moment, so by default each runs
// Repetitions times, interleaved, and the ratio compares medians; the command line may say
// otherwise.
inline bool RunBenchmarks(int argc, char** argv, TRatioReporter& Reporter, int Repetitions = 9) {
    std::vector<char*> Args(argv, argv + argc);
    std::string Count = "--benchmark_repetitions=" + std::to_string(Repetitions);
    char Interleave[] = "--benchmark_enable_random_interleaving=true";
    if (Repetitions > 1) Args.insert(Args.begin() + 1, {Count.data(), Interleave});
    int ArgCount = static_cast<int>(Args.size());
    benchmark::Initialize(&ArgCount, Args.data());
    if (benchmark::ReportUnrecognizedArguments(ArgCount, Args.data())) return false;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    return true;
}

// The whole main() of a benchmark racing Ours against Theirs on Qt's offscreen platform, TApp
// being the application class the painting needs; prints "ratio <Label>: <ratio> (goal: <Goal>)".
template <class TApp>
int RunRatioBenchmarks(int argc, char** argv, const char* Ours, const char* Theirs, const char* Label,
                       const char* Goal) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApp App(argc, argv);
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    if (const double Ratio = Reporter.Ratio(Ours, Theirs); Ratio > 0)
        std::printf("ratio %s: %.3f (goal: %s)\n", Label, Ratio, Goal);
    return 0;
}
