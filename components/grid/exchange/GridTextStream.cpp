#include "components/grid/exchange/GridTextStream.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <bit>

static_assert(std::endian::native == std::endian::little, "the stream's code units are written as they lie in memory");

namespace {

// Reads lines of UTF-16LE code units through a buffer and counts the bytes they take, so the
// stream can be put back at the start of any line.
class TLineReader {
public:
    explicit TLineReader(TStream* Stream) : FStream(Stream) {}

    // Bytes taken from the stream since the reader began.
    Int64 Consumed() const { return FConsumed; }

    // A line up to the first CR (the code unit after the CR, the LF, is taken too) or to the end.
    // False at the end of the stream. Cut: the stream ended inside a code unit of the line.
    bool ReadLine(String& Line, bool& Cut) {
        Line.clear();
        Cut = false;
        refill();
        if (ahead() == 0) return false;
        for (int Unit = nextUnit(Cut); Unit >= 0; Unit = nextUnit(Cut)) {
            if (Unit == u'\r') {
                nextUnit(Cut);
                break;
            }
            Line += QChar(static_cast<char16_t>(Unit));
        }
        return true;
    }

private:
    static constexpr Int64 kChunk = 64 * 1024;

    TStream* FStream;
    std::vector<Byte> FBuffer;
    size_t FNext = 0;
    Int64 FConsumed = 0;
    bool FAtEnd = false;

    size_t ahead() const { return FBuffer.size() - FNext; }

    // Makes a whole code unit lie ahead when the stream still has one; a stream may hand out
    // fewer bytes than asked, an odd count included.
    void refill() {
        while (ahead() < 2 && !FAtEnd) {
            FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(FNext));
            FNext = 0;
            const size_t Kept = FBuffer.size();
            FBuffer.resize(Kept + kChunk);
            const Int64 Got = std::max<Int64>(0, FStream->Read(FBuffer.data() + Kept, kChunk));
            FBuffer.resize(Kept + static_cast<size_t>(Got));
            FAtEnd = Got == 0;
        }
    }

    // The next code unit, or -1 at the end; a last odd byte is taken and sets Cut.
    int nextUnit(bool& Cut) {
        refill();
        if (ahead() == 1) {
            Cut = true;
            ++FNext;
            ++FConsumed;
        }
        if (ahead() < 2) return -1;
        const int Unit = FBuffer[FNext] | (FBuffer[FNext + 1] << 8);
        FNext += 2;
        FConsumed += 2;
        return Unit;
    }
};

[[noreturn]] void raiseBadStream(int LineNumber, const String& Reason) {
    throw EConvertError(QStringLiteral("Invalid grid stream, line %1: %2").arg(LineNumber).arg(Reason));
}

enum class TNumber { Valid, TooLarge, NotANumber };

// The platform's integer syntax, in 64 bits. Decimal digits too many for that still make a
// number, one beyond every bound.
TNumber readNumber(const String& Field, Int64& Value) {
    if (TryStrToInt64(Field, Value)) return TNumber::Valid;
    qsizetype I = 0;
    while (I < Field.size() && (Field[I] == u' ' || Field[I] == u'\t')) ++I;
    if (I < Field.size() && (Field[I] == u'-' || Field[I] == u'+')) ++I;
    if (I == Field.size()) return TNumber::NotANumber;
    for (; I < Field.size(); ++I)
        if (Field[I] < u'0' || Field[I] > u'9') return TNumber::NotANumber;
    return TNumber::TooLarge;
}

// A number of a header or width line: anything but a number within [Low, High] is an error.
Int64 boundedNumber(const String& Field, const char* What, Int64 Low, Int64 High, int LineNumber) {
    Int64 Value = 0;
    const TNumber Kind = readNumber(Field, Value);
    if (Kind == TNumber::NotANumber)
        raiseBadStream(LineNumber, QStringLiteral("'%1' is not a valid %2").arg(Field, QLatin1String(What)));
    if (Kind == TNumber::TooLarge || Value < Low || Value > High)
        raiseBadStream(
            LineNumber,
            QStringLiteral("%1 %2 is out of range (%3 to %4)").arg(QLatin1String(What), Field).arg(Low).arg(High));
    return Value;
}

class TGridStreamParser {
public:
    TGridStreamParser(TStream* Stream, const TGridStreamTarget& Target)
        : FReader(Stream), FTarget(Target), FContent{false, Target.ColCount, Target.RowCount, {}, {}} {}

    // Parses up to the first line that is not the grid's; returns the bytes the grid's lines take.
    Int64 Parse() {
        if (!nextLine()) return 0;
        if (FCut) raiseCut();
        if (!FLine.isEmpty()) readHeader();
        for (;;) {
            const Int64 LineStart = FReader.Consumed();
            if (!nextLine()) return LineStart;
            if (FLine.startsWith(QLatin1String("cw"))) {
                if (FCut) raiseCut();
                readWidth();
            } else if (!readCell()) {
                return LineStart;
            }
        }
    }

    TGridStreamContent& Content() { return FContent; }

private:
    TLineReader FReader;
    TGridStreamTarget FTarget;
    TGridStreamContent FContent;
    String FLine;
    bool FCut = false;
    int FLineNumber = 0;

    bool nextLine() {
        ++FLineNumber;
        return FReader.ReadLine(FLine, FCut);
    }

    [[noreturn]] void raiseCut() const {
        raiseBadStream(FLineNumber, QStringLiteral("the stream ends inside a character"));
    }

    // "C,R": the counts of the savable area, which starts at the target's first saved row and column.
    void readHeader() {
        const qsizetype Comma = FLine.indexOf(u',');
        if (Comma < 0) raiseBadStream(FLineNumber, QStringLiteral("'%1' is not a header \"columns,rows\"").arg(FLine));
        const Int64 Cols = FTarget.StartCol + boundedNumber(FLine.left(Comma), "column count", 0,
                                                            kGridStreamMaxCols - FTarget.StartCol, FLineNumber);
        const Int64 Rows = FTarget.StartRow + boundedNumber(FLine.mid(Comma + 1), "row count", 0,
                                                            kGridStreamMaxRows - FTarget.StartRow, FLineNumber);
        if (std::max<Int64>(Cols, 1) * std::max<Int64>(Rows, 1) > kGridStreamMaxCells)
            raiseBadStream(
                FLineNumber,
                QStringLiteral("%1 columns by %2 rows exceed %3 cells").arg(Cols).arg(Rows).arg(kGridStreamMaxCells));
        FContent.HasHeader = true;
        FContent.ColCount = static_cast<int>(Cols);
        FContent.RowCount = static_cast<int>(Rows);
    }

    // "cw I,W" after three characters; a column the grid will not have keeps no width.
    void readWidth() {
        const String Rest = FLine.mid(3);
        const qsizetype Comma = Rest.indexOf(u',');
        if (Comma < 0) raiseBadStream(FLineNumber, QStringLiteral("'%1' has no width").arg(FLine));
        const Int64 Col = boundedNumber(Rest.left(Comma), "column index", INT32_MIN, INT32_MAX, FLineNumber);
        const Int64 Width = boundedNumber(Rest.mid(Comma + 1), "width", 0, kGridStreamMaxColWidth, FLineNumber);
        if (Col >= 0 && Col < FContent.ColCount)
            FContent.Widths.push_back({static_cast<int>(Col), static_cast<int>(Width)});
    }

    // "c,r,text" with two numbers; false for any other line, which is the caller's.
    bool readCell() {
        const qsizetype First = FLine.indexOf(u',');
        const qsizetype Second = First < 0 ? -1 : FLine.indexOf(u',', First + 1);
        if (Second < 0) return false;
        const String ColField = FLine.left(First);
        const String RowField = FLine.mid(First + 1, Second - First - 1);
        Int64 Col = 0, Row = 0;
        const TNumber ColKind = readNumber(ColField, Col);
        const TNumber RowKind = readNumber(RowField, Row);
        if (ColKind == TNumber::NotANumber || RowKind == TNumber::NotANumber) return false;
        if (FCut) raiseCut();
        const Int64 Cols = FContent.ColCount - Int64(FTarget.StartCol);
        const Int64 Rows = FContent.RowCount - Int64(FTarget.StartRow);
        if (ColKind == TNumber::TooLarge || RowKind == TNumber::TooLarge || Col < 0 || Row < 0 || Col >= Cols ||
            Row >= Rows)
            raiseBadStream(FLineNumber, QStringLiteral("cell %1,%2 lies outside the %3 columns and %4 rows")
                                            .arg(ColField, RowField)
                                            .arg(std::max<Int64>(Cols, 0))
                                            .arg(std::max<Int64>(Rows, 0)));
        FContent.Cells.push_back({static_cast<int>(Col + FTarget.StartCol), static_cast<int>(Row + FTarget.StartRow),
                                  FLine.mid(Second + 1)});
        return true;
    }
};

void writeLine(TStream* Stream, const String& Line) {
    const String Text = Line + QStringLiteral("\r\n");
    Stream->WriteBuffer(Text.utf16(), Int64(Text.size()) * 2);
}

}  // namespace

TGridStreamContent ReadGridTextStream(TStream* Stream, const TGridStreamTarget& Target) {
    const Int64 Start = Stream->Position();
    try {
        TGridStreamParser Parser(Stream, Target);
        const Int64 Taken = Parser.Parse();
        Stream->SetPosition(Start + Taken);
        return std::move(Parser.Content());
    } catch (...) {
        Stream->SetPosition(Start);
        throw;
    }
}

void WriteGridStreamHeader(TStream* Stream, int ColCount, int RowCount) {
    writeLine(Stream, QStringLiteral("%1,%2").arg(ColCount).arg(RowCount));
}

void WriteGridStreamWidth(TStream* Stream, int Col, int Width) {
    writeLine(Stream, QStringLiteral("cw %1,%2").arg(Col).arg(Width));
}

void WriteGridStreamCell(TStream* Stream, int Col, int Row, const String& Text) {
    writeLine(Stream, QStringLiteral("%1,%2,").arg(Col).arg(Row) + Text);
}
