#include "app/Converter.h"

#include "app/Entries.h"
#include "app/_implodeexplode.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <cmath>
#include <limits>

namespace {

// The options between the input and the output file, exactly as the command line shows them
// (the doubled blanks included).
struct TConverterOptions {
    TConverterLine Line;
    const char16_t* Options;
};
constexpr TConverterOptions kConverterOptions[] = {
    {cvAvi, u" -sameq -vcodec mpeg4  -acodec libmp3lame -f avi -y "},
    {cvMpeg, u" -sameq -vcodec mpeg1video -r 29.97  -acodec mp2 -f mpeg -y "},
    {cvWmv, u" -f asf -sameq -vcodec wmv2 -acodec wmav2 -y "},
};

const char16_t* optionsOf(TConverterLine Line) {
    for (const TConverterOptions& Row : kConverterOptions)
        if (Row.Line == Line) return Row.Options;
    return nullptr;
}

String quoted(const String& S) { return QStringLiteral("\"") + S + QStringLiteral("\""); }

// A whole number of seconds from a non-negative value, halves to even; false when out of range.
bool toSeconds(Extended Value, Cardinal& Seconds) {
    if (!std::isfinite(static_cast<double>(Value)) || Value < 0) return false;
    const Int64 Rounded = Round(Value);
    if (Rounded > Int64(std::numeric_limits<Cardinal>::max())) return false;
    Seconds = Cardinal(Rounded);
    return true;
}

}  // namespace

const TFormatConversion& FormatConversionOf(int Format) {
    return (Format >= 0 && Format < FormatConversionCount) ? FormatConversions[Format] : FormatConversions[0];
}

String ConverterPath() { return ProgramFolder() + String::fromUtf16(ConverterFileName); }

TConverterCommand ConverterCommand(TConverterLine Line, const String& ConverterProgram, const String& Source) {
    TConverterCommand Command;
    const char16_t* Options = optionsOf(Line);
    if (!Options) return Command;
    const String Output = Source + QStringLiteral("_");
    const String OptionText = String::fromUtf16(Options);
    Command.Program = ConverterProgram;
    Command.CommandLine = ConverterProgram + QStringLiteral(" -i ") + quoted(Source) + OptionText + quoted(Output);
    Command.Arguments = {QStringLiteral("-i"), Source};
    for (const String& Option : explode(QStringLiteral(" "), OptionText))
        if (!Option.isEmpty()) Command.Arguments.push_back(Option);
    Command.Arguments.push_back(Output);
    return Command;
}

Cardinal ParseConverterDuration(const String& Value) {
    const TDynStringArray Parts = explode(QStringLiteral(":"), Value, 0);
    if (Parts.size() < 3) return 0;
    // The converter writes "." whatever the user's locale.
    const TFormatSettings Dot = TFormatSettings::Default();
    Extended Hours = 0, Minutes = 0, Seconds = 0;
    if (!TryStrToFloat(Trim(Parts[0]), Hours, Dot) || !TryStrToFloat(Trim(Parts[1]), Minutes, Dot) ||
        !TryStrToFloat(Trim(Parts[2]), Seconds, Dot))
        return 0;
    Cardinal Result = 0;
    return toSeconds(Hours * 3600 + Minutes * 60 + Seconds, Result) ? Result : 0;
}

Cardinal ParseConverterTime(const String& Value) {
    try {
        Cardinal Result = 0;
        return toSeconds(EntryText.TimeToSec(Copy(Value, 1, 8)), Result) ? Result : 0;
    } catch (const Exception&) {
        return 0;
    }
}

bool TConverterProgress::Examine(const String& Chunk) {
    const int p = Pos(QStringLiteral("Duration:"), Chunk);
    if (p > 0) {
        const int Comma = PosEx(QStringLiteral(","), Chunk, p + 10);
        duration = Comma > 0 ? ParseConverterDuration(Copy(Chunk, p + 10, Comma - (p + 10))) : 0;
    }
    const int q = Pos(QStringLiteral("time="), Chunk);
    if (q > 0) elapsed = ParseConverterTime(Copy(Chunk, q + 5, 8));
    return duration > 0 && elapsed > 0;
}

UInt64 TConverterProgress::Percent() const {
    if (duration == 0) return 0;
    return (UInt64(elapsed) * 100) / duration;
}
