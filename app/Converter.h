// The converter program: what each output format asks of it, its command lines and its progress
// reports. Window-free; the download thread runs the converter (TDownloadThread::RunConverter).
#pragma once

#include "framework/rtl/Types.h"

#include <vector>

// The converter run of an output format.
enum TConverterLine { cvNone, cvAvi, cvMpeg, cvWmv };

struct TFormatConversion {
    TConverterLine Line;
    const char16_t* Extension;  // what the finished entry's filename gains
};

// Indexed by the format box's item index. Formats without a converter line end as a plain download.
inline constexpr int FormatConversionCount = 11;
inline constexpr TFormatConversion FormatConversions[FormatConversionCount] = {
    /* 0 FLV for WEB */ {cvNone, u".flv"},
    /* 1 AVI         */ {cvAvi, u".avi"},
    /* 2 MPEG        */ {cvMpeg, u".mpeg"},
    /* 3 WMV         */ {cvWmv, u".wmv"},
    /* 4 MP4 Ipod    */ {cvNone, u".flv"},
    /* 5 MOV Mac     */ {cvNone, u".flv"},
    /* 6 MP4 PSP     */ {cvNone, u".flv"},
    /* 7 3GP         */ {cvNone, u".flv"},
    /* 8 3G2         */ {cvNone, u".flv"},
    /* 9 MP3         */ {cvNone, u".flv"},
    /* 10 WAV        */ {cvNone, u".flv"},
};

// The format's row; an index out of range is treated as format 0.
const TFormatConversion& FormatConversionOf(int Format);

// The converter's file name, looked for in the program's own folder.
inline constexpr const char16_t* ConverterFileName = u"vidmorf.exe";
String ConverterPath();

// One converter run. CommandLine is the logical form, as a reader of the command would see it;
// the program is started with Program and Arguments, never through a command interpreter, so
// blanks and quotes in folder names reach it unchanged.
struct TConverterCommand {
    String Program;
    std::vector<String> Arguments;
    String CommandLine;
};

// The command converting Source into Source + "_" for Line; an empty command for cvNone.
TConverterCommand ConverterCommand(TConverterLine Line, const String& ConverterProgram, const String& Source);

// The converter's reports on standard error, read a chunk at a time. Each chunk is examined alone:
// a report split across two reads is not joined. Both counts are whole seconds.
struct TConverterProgress {
    Cardinal duration = 0;
    Cardinal elapsed = 0;

    // Takes the "Duration:" and "time=" reports of Chunk; a report that does not parse sets its
    // count to 0. Returns whether a percentage can be shown now (both counts above 0).
    bool Examine(const String& Chunk);
    // (elapsed * 100) div duration; not capped at 100.
    UInt64 Percent() const;
};

// The seconds of a "Duration:" value such as "00:01:23.45" (hours, minutes, seconds with "." as
// the decimal separator whatever the locale), rounded halves to even; 0 when it does not parse.
Cardinal ParseConverterDuration(const String& Value);
// The seconds of a "time=" value (its first eight characters), rounded halves to even; 0 when
// it does not parse.
Cardinal ParseConverterTime(const String& Value);
