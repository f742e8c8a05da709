// Fuzz target for the grid text stream reader. An input is the stream's bytes, read for two grids:
// one saving from its first cell and one whose savable area starts inside it. Besides memory
// faults, hangs and undefined behaviour it stops when the reader raises anything but its own
// error, leaves the stream elsewhere than its start after an error, hands out an index outside the
// counts or a width or count beyond the bounds, or when what it read, written back before the
// caller's rest of the stream, does not read back the same and stop at the same place.
#include "components/grid/exchange/GridTextStream.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fail(const char* What) {
    std::fprintf(stderr, "gridstream_fuzz: %s\n", What);
    std::abort();
}

struct TRead {
    TGridStreamContent Content;
    Int64 End = 0;  // where the reader left the stream
};

// Reads the stream from Start; nothing when the reader refuses it.
std::optional<TRead> read(TMemoryStream& Stream, Int64 Start, const TGridStreamTarget& Target) {
    Stream.SetPosition(Start);
    try {
        TGridStreamContent Content = ReadGridTextStream(&Stream, Target);
        return TRead{std::move(Content), Stream.Position()};
    } catch (const EConvertError&) {
        if (Stream.Position() != Start) fail("a refused stream was not put back");
        return std::nullopt;
    }
}

void checkBounds(const TRead& R, const TGridStreamTarget& Target, Int64 Start, Int64 Size) {
    const TGridStreamContent& C = R.Content;
    if (R.End < Start || R.End > Size || (R.End - Start) % 2 != 0) fail("the stream was left off a line start");
    if (C.HasHeader) {
        if (C.ColCount < Target.StartCol || C.ColCount > kGridStreamMaxCols || C.RowCount < Target.StartRow ||
            C.RowCount > kGridStreamMaxRows ||
            Int64(std::max(C.ColCount, 1)) * std::max(C.RowCount, 1) > kGridStreamMaxCells)
            fail("a count beyond the bounds");
    } else if (C.ColCount != Target.ColCount || C.RowCount != Target.RowCount) {
        fail("a stream without a header changed the counts");
    }
    for (const TGridStreamWidth& W : C.Widths)
        if (W.Col < 0 || W.Col >= C.ColCount || W.Width < 0 || W.Width > kGridStreamMaxColWidth)
            fail("a width line outside the columns or the pixel range");
    for (const TGridStreamCell& Cell : C.Cells) {
        if (Cell.Col < Target.StartCol || Cell.Col >= C.ColCount || Cell.Row < Target.StartRow ||
            Cell.Row >= C.RowCount)
            fail("a cell outside the counts");
        if (Cell.Text.contains(u'\r')) fail("a cell text holding a CR");
    }
}

// Writes what was read, then the caller's rest of the input; reading that back must give the same.
void checkRewrite(const TRead& R, const TGridStreamTarget& Target, const std::uint8_t* Rest, Int64 RestSize) {
    TMemoryStream Out;
    const TGridStreamContent& C = R.Content;
    if (C.HasHeader)
        WriteGridStreamHeader(&Out, C.ColCount - Target.StartCol, C.RowCount - Target.StartRow);
    else
        Out.WriteBuffer(u"\r\n", 4);
    for (const TGridStreamWidth& W : C.Widths) WriteGridStreamWidth(&Out, W.Col, W.Width);
    for (const TGridStreamCell& Cell : C.Cells)
        WriteGridStreamCell(&Out, Cell.Col - Target.StartCol, Cell.Row - Target.StartRow, Cell.Text);
    const Int64 GridBytes = Out.Size();
    if (RestSize > 0) Out.WriteBuffer(Rest, RestSize);
    const std::optional<TRead> Again = read(Out, 0, Target);
    if (!Again) fail("a written stream was refused");
    if (!(Again->Content == C)) fail("a written stream read back otherwise");
    if (Again->End != GridBytes) fail("a written stream did not stop at the caller's rest");
}

void check(TMemoryStream& Stream, Int64 Start, const TGridStreamTarget& Target, const std::uint8_t* Data) {
    const std::optional<TRead> R = read(Stream, Start, Target);
    if (!R) return;
    checkBounds(*R, Target, Start, Stream.Size());
    checkRewrite(*R, Target, Data + (R->End - Start), Stream.Size() - R->End);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    // The grid's stream may follow something of the caller's: start one byte in.
    TMemoryStream Stream;
    const Byte Before = 0x5A;
    Stream.WriteBuffer(&Before, 1);
    if (Size > 0) Stream.WriteBuffer(Data, static_cast<Int64>(Size));
    check(Stream, 1, {0, 0, 5, 10}, Data);
    check(Stream, 1, {2, 1, 7, 3}, Data);
    return 0;
}
