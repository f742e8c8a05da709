// A stand-in for the video converter: takes the converter's options, reports a duration and a
// series of "time=" positions on standard error, and writes its output file as a copy of the input.
//
//   vidmorf -i INPUT [-sameq] [-vcodec C] [-acodec C] [-f FORMAT] [-r RATE] [-aspect A] [-y] OUTPUT
//
// Tests steer it through the environment:
//   VIDMORF_DURATION   the reported duration (default "00:00:10.00"; "N/A" is allowed)
//   VIDMORF_TIMES      comma-separated "time=" values (default: five steps up to the duration)
//   VIDMORF_OVERSHOOT  "1": a last report beyond the duration (over 100%)
//   VIDMORF_DELAY_MS   pause before each report (default 20, so each report is a read of its own)
//   VIDMORF_STALL      "1": stop reporting after the first report and wait to be killed
//   VIDMORF_FAIL       "1": report an error and exit 1 without output; "silent": exit 1 saying nothing
//   VIDMORF_NO_OUTPUT  "1": exit 0 without writing the output file
//   VIDMORF_ARGS_LOG   a file that receives the arguments, one a line
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string env(const char* Name, const std::string& Default = std::string()) {
    const char* Value = std::getenv(Name);
    return Value ? std::string(Value) : Default;
}

// One write per report, so that a reader sees each report whole.
void report(const std::string& Text) {
    size_t Done = 0;
    while (Done < Text.size()) {
        const ssize_t N = write(2, Text.data() + Done, Text.size() - Done);
        if (N <= 0) return;
        Done += static_cast<size_t>(N);
    }
}

int fail(const std::string& Message) {
    report(Message + "\n");
    return 1;
}

void pauseBeforeReport() {
    const int Delay = std::atoi(env("VIDMORF_DELAY_MS", "20").c_str());
    if (Delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(Delay));
}

// "HH:MM:SS.ss" to seconds; negative when it is not a time.
double secondsOf(const std::string& Text) {
    int H = 0, M = 0;
    double S = 0;
    if (std::sscanf(Text.c_str(), "%d:%d:%lf", &H, &M, &S) != 3) return -1;
    return H * 3600.0 + M * 60.0 + S;
}

std::string timeText(double Seconds) {
    const int Whole = static_cast<int>(Seconds);
    const int Hundredths = static_cast<int>((Seconds - Whole) * 100 + 0.5);
    char Buffer[32];
    std::snprintf(Buffer, sizeof Buffer, "%02d:%02d:%02d.%02d", Whole / 3600, Whole / 60 % 60, Whole % 60,
                  Hundredths % 100);
    return Buffer;
}

std::vector<std::string> reportTimes(const std::string& Duration) {
    std::vector<std::string> Times;
    const std::string Listed = env("VIDMORF_TIMES");
    if (!Listed.empty()) {
        std::stringstream Stream(Listed);
        for (std::string Item; std::getline(Stream, Item, ',');) Times.push_back(Item);
        return Times;
    }
    const double Total = secondsOf(Duration) > 0 ? secondsOf(Duration) : 10.0;
    for (int Step = 1; Step <= 5; ++Step) Times.push_back(timeText(Total * Step / 5));
    if (env("VIDMORF_OVERSHOOT") == "1") Times.push_back(timeText(Total * 1.5));
    return Times;
}

bool copyFile(const std::string& From, const std::string& To) {
    std::ifstream In(From, std::ios::binary);
    std::ofstream Out(To, std::ios::binary | std::ios::trunc);
    if (!In || !Out) return false;
    Out << In.rdbuf();
    return static_cast<bool>(Out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string ArgsLog = env("VIDMORF_ARGS_LOG");
    if (!ArgsLog.empty()) {
        std::ofstream Log(ArgsLog, std::ios::trunc);
        for (int I = 1; I < argc; ++I) Log << argv[I] << '\n';
    }
    const std::string Failure = env("VIDMORF_FAIL");
    if (Failure == "silent") return 1;

    static const std::set<std::string> WithValue = {"-i", "-vcodec", "-acodec", "-f", "-r", "-aspect"};
    std::string Input, Output, Format = "avi";
    bool Overwrite = false;
    for (int I = 1; I < argc; ++I) {
        const std::string Arg = argv[I];
        if (WithValue.count(Arg)) {
            if (I + 1 >= argc) return fail("Option " + Arg + " needs a value");
            const std::string Value = argv[++I];
            if (Arg == "-i") Input = Value;
            if (Arg == "-f") Format = Value;
        } else if (Arg == "-y") {
            Overwrite = true;
        } else if (Arg == "-sameq") {
        } else if (!Arg.empty() && Arg[0] == '-') {
            return fail("Unrecognized option '" + Arg.substr(1) + "'");
        } else if (Output.empty()) {
            Output = Arg;
        } else {
            return fail("More than one output file given: '" + Output + "' and '" + Arg + "'");
        }
    }
    if (Input.empty()) return fail("No input file given (-i)");
    if (Output.empty()) return fail("At least one output file must be specified");
    if (access(Input.c_str(), R_OK) != 0) return fail(Input + ": No such file or directory");
    if (!Overwrite && access(Output.c_str(), F_OK) == 0) return fail("File '" + Output + "' already exists. Exiting.");

    const std::string Duration = env("VIDMORF_DURATION", "00:00:10.00");
    report("vidmorf 1.0, a stand-in converter\nInput #0, flv, from '" + Input + "':\n  Duration: " + Duration +
           ", start: 0.000000, bitrate: 512 kb/s\n    Stream #0.0: Video: flv, yuv420p, 320x240, 25 tbr\n");
    if (Failure == "1") return fail(Input + ": Invalid data found when processing input");
    report("Output #0, " + Format + ", to '" + Output + "':\n");

    const std::vector<std::string> Times = reportTimes(Duration);
    int Frame = 0;
    for (size_t I = 0; I < Times.size(); ++I) {
        pauseBeforeReport();
        Frame += 25;
        char Line[160];
        std::snprintf(Line, sizeof Line, "frame=%5d fps= 25 q=2.0 size=%8dkB time=%s bitrate= 512.0kbits/s\n", Frame,
                      Frame * 2, Times[I].c_str());
        report(Line);
        if (env("VIDMORF_STALL") == "1")
            for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    if (env("VIDMORF_NO_OUTPUT") != "1" && !copyFile(Input, Output))
        return fail(Output + ": cannot write the output file");
    report("video:100kB audio:20kB global headers:0kB muxing overhead 1.0%\n");
    return 0;
}
