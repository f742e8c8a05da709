#include "app/Converter.h"

#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ConverterCommand, CommandLinesPerFormatAsText) {
    const String Program = QStringLiteral("C:\\Prog\\vidmorf.exe");
    const String Src = QStringLiteral("D:\\Videos\\abcdefgh.flv");
    struct Case {
        TConverterLine Line;
        const char* Expected;
    };
    const Case Cases[] = {
        {cvAvi,
         "C:\\Prog\\vidmorf.exe -i \"D:\\Videos\\abcdefgh.flv\" -sameq -vcodec mpeg4  -acodec libmp3lame -f avi -y "
         "\"D:\\Videos\\abcdefgh.flv_\""},
        {cvMpeg,
         "C:\\Prog\\vidmorf.exe -i \"D:\\Videos\\abcdefgh.flv\" -sameq -vcodec mpeg1video -r 29.97  -acodec mp2 -f "
         "mpeg -y \"D:\\Videos\\abcdefgh.flv_\""},
        {cvWmv,
         "C:\\Prog\\vidmorf.exe -i \"D:\\Videos\\abcdefgh.flv\" -f asf -sameq -vcodec wmv2 -acodec wmav2 -y "
         "\"D:\\Videos\\abcdefgh.flv_\""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Expected);
        const TConverterCommand Command = ConverterCommand(C.Line, Program, Src);
        EXPECT_EQ(Command.CommandLine, QString::fromUtf8(C.Expected));
        EXPECT_EQ(Command.Program, Program);
    }
    EXPECT_TRUE(ConverterCommand(cvNone, Program, Src).Program.isEmpty());
}

TEST(ConverterCommand, ArgumentsKeepBlanksAndQuotesOfFolderNames) {
    const String Src = QStringLiteral("/home/u/My \"best\" videos/abcdefgh.flv");
    const TConverterCommand Command = ConverterCommand(cvMpeg, QStringLiteral("/opt/q/vidmorf.exe"), Src);
    const std::vector<String> Expected = {"-i",      Src,   "-sameq", "-vcodec", "mpeg1video", "-r",     "29.97",
                                          "-acodec", "mp2", "-f",     "mpeg",    "-y",         Src + "_"};
    EXPECT_EQ(Command.Arguments, Expected);
}

TEST(ConverterCommand, FormatsEndWithTheirExtension) {
    struct Case {
        int Format;
        TConverterLine Line;
        const char* Extension;
    };
    const Case Cases[] = {{0, cvNone, ".flv"}, {1, cvAvi, ".avi"},   {2, cvMpeg, ".mpeg"}, {3, cvWmv, ".wmv"},
                          {4, cvNone, ".flv"}, {10, cvNone, ".flv"}, {11, cvNone, ".flv"}, {-1, cvNone, ".flv"}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Format);
        EXPECT_EQ(FormatConversionOf(C.Format).Line, C.Line);
        EXPECT_EQ(String::fromUtf16(FormatConversionOf(C.Format).Extension), QString::fromUtf8(C.Extension));
    }
}

TEST(ConverterReports, DurationAndTimeValues) {
    struct Case {
        const char* Value;
        Cardinal Duration;
    };
    const Case Durations[] = {
        {" 00:01:23.45", 83},
        {"00:00:10.00", 10},
        {"01:00:00.50", 3600},  // half to even
        {"00:00:01.50", 2},
        {" N/A", 0},
        {"00:10", 0},  // fewer than three parts
        {"", 0},
        {"aa:bb:cc", 0},
        {"-01:00:00.00", 0},
    };
    for (const Case& C : Durations) {
        SCOPED_TRACE(C.Value);
        EXPECT_EQ(ParseConverterDuration(QString::fromUtf8(C.Value)), C.Duration);
    }
    const Case Times[] = {
        {"00:00:41.50 bitrate=", 41}, {"00:00:05", 5}, {"00:01:05", 65}, {"N/A bitrate", 0}, {"", 0}, {"xx", 0},
    };
    for (const Case& C : Times) {
        SCOPED_TRACE(C.Value);
        EXPECT_EQ(ParseConverterTime(QString::fromUtf8(C.Value)), C.Duration);
    }
}

TEST(ConverterReports, DurationIgnoresTheLocaleDecimalSeparator) {
    TFormatSettings German = TFormatSettings::Default();
    German.DecimalSeparator = u',';
    German.ThousandSeparator = u'.';
    FormatSettingsScope Scope(German);
    EXPECT_EQ(ParseConverterDuration(QStringLiteral(" 00:01:23.45")), 83u);
}

// Chunks as the converter writes them, one read each, and the progress after each.
TEST(ConverterReports, ProgressOverSuccessiveReads) {
    struct Case {
        const char* Name;
        std::vector<const char*> Chunks;
        std::vector<int> Percents;  // -1: nothing shown after that read
    };
    const Case Cases[] = {
        {"typical",
         {"  Duration: 00:01:23.45, start: 0.000000, bitrate: 300 kb/s\n",
          "frame= 10 time=00:00:41.50 bitrate=", "frame= 20 time=00:01:23.00 bitrate="},
         {-1, 49, 100}},
        {"half", {"Duration: 00:00:10.00, start", "time=00:00:05.00"}, {-1, 50}},
        {"over a hundred", {"Duration: 00:00:10.00, x", "time=00:00:15.00"}, {-1, 150}},
        {"duration N/A", {"Duration: N/A, start", "time=00:00:05.00", "time=00:00:09.00"}, {-1, -1, -1}},
        {"no comma after the duration", {"Duration: 00:00:10.00", "time=00:00:05.00"}, {-1, -1}},
        {"both in one read", {"Duration: 00:00:20.00, s\nframe=1 time=00:00:05.00"}, {25}},
        {"time before duration", {"time=00:00:05.00", "Duration: 00:00:10.00, s"}, {-1, 50}},
        {"broken time resets", {"Duration: 00:00:10.00, s", "time=00:00:05.00", "time=N/A"}, {-1, 50, -1}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TConverterProgress Progress;
        ASSERT_EQ(C.Chunks.size(), C.Percents.size());
        for (size_t i = 0; i < C.Chunks.size(); ++i) {
            const bool Shown = Progress.Examine(QString::fromLatin1(C.Chunks[i]));
            EXPECT_EQ(Shown, C.Percents[i] >= 0) << i;
            if (Shown) {
                EXPECT_EQ(int(Progress.Percent()), C.Percents[i]) << i;
            }
        }
    }
}

}  // namespace
