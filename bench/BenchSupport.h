// The harness of the benchmarks that race one of our routines against a direct implementation
// in the same run: runs the benchmarks and gives the ratio of two of them.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Which time the ratio compares.
enum class TBenchTime { Real, Cpu };

// The console report, keeping each benchmark's time per iteration by function name.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(TBenchTime Time = TBenchTime::Real) : FTime(Time) {}

    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs) {
            const double Time = FTime == TBenchTime::Cpu ? R.GetAdjustedCPUTime() : R.GetAdjustedRealTime();
            if (R.run_type == Run::RT_Iteration && R.iterations > 0)
                FTimes[R.run_name.function_name] = Time;
            else if (R.run_type == Run::RT_Aggregate && R.aggregate_name == "median")
                FMedians[R.run_name.function_name] = Time;
        }
    }

    // Time of Ours over time of Theirs, the medians when the runs were repeated; 0 when either
    // did not run (filtered out on the command line).
    double Ratio(const std::string& Ours, const std::string& Theirs) const {
        const auto& Times = FMedians.count(Ours) && FMedians.count(Theirs) ? FMedians : FTimes;
        const auto A = Times.find(Ours), B = Times.find(Theirs);
        if (A == Times.end() || B == Times.end() || A->second <= 0 || B->second <= 0) return 0;
        return A->second / B->second;
    }

private:
    TBenchTime FTime;
    std::map<std::string, double> FTimes, FMedians;
};

// Runs the benchmarks the command line selects (all by default) through Reporter; false when the
// command line holds arguments neither Qt nor the benchmark library took.
inline bool RunBenchmarks(int& argc, char** argv, TRatioReporter& Reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
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
