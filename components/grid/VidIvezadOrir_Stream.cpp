// The grid text stream: a header line "C,R", a width line "cw I,W" per column and a line
// "c,r,text" per non-empty cell of the savable area (coordinates relative to it), each line in
// UTF-16LE code units ended by CR LF. A load reproduces what the save wrote.
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridExportSettings.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"

#include <memory>

namespace {

void writeLine(TStream* Stream, const String& Line) {
    const String Text = Line + QStringLiteral("\r\n");
    Stream->WriteBuffer(Text.utf16(), Int64(Text.size()) * 2);
}

// A line up to the first CR; the LF after it is consumed. False at the end of the stream.
bool readLine(TStream* Stream, String& Line) {
    Line.clear();
    if (Stream->Position() >= Stream->Size()) return false;
    char16_t Unit = 0;
    while (Stream->Read(&Unit, 2) == 2) {
        if (Unit == u'\r') {
            Stream->Read(&Unit, 2);
            break;
        }
        Line += QChar(Unit);
    }
    return true;
}

}  // namespace

int TVidIvezadOrir::SaveStartCol() const { return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols(); }
int TVidIvezadOrir::SaveStartRow() const { return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows(); }
int TVidIvezadOrir::SaveEndCol() const { return ColCount() - 1 - (SaveFixedCells() ? 0 : FixedRightCols()); }
int TVidIvezadOrir::SaveEndRow() const { return RowCount() - 1 - (SaveFixedCells() ? 0 : FixedFooters()); }

String TVidIvezadOrir::SaveCell(int ACol, int ARow) {
    String Value;
    if (SaveMergedCells() || !IsMergedNonBaseCell(ACol, ARow))
        Value = SaveVirtCells() ? GetCellEx(ACol, ARow) : GetGridCell(ACol, ARow);
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, Value);
    return Value;
}

void TVidIvezadOrir::LoadCell(int ACol, int ARow, const String& Value) {
    String V = Value;
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, V);
    SetGridCell(ACol, ARow, V);
    InvalidateCell(ACol, ARow);
}

void TVidIvezadOrir::CellsChanged(const TRect& R) {
    if (OnCellsChanged) OnCellsChanged(this);
}

void TVidIvezadOrir::SaveToStream(TStream* Stream) {
    const int StartCol = SaveStartCol();
    const int StartRow = SaveStartRow();
    writeLine(Stream, QStringLiteral("%1,%2").arg(SaveColCount()).arg(SaveRowCount()));
    for (int C = 0; C < ColCount(); ++C) writeLine(Stream, QStringLiteral("cw %1,%2").arg(C).arg(ColWidths(C)));
    for (int R = StartRow; R <= SaveEndRow(); ++R) {
        for (int C = StartCol; C <= SaveEndCol(); ++C) {
            const String Text = SaveCell(C, R);
            if (Text.isEmpty()) continue;
            writeLine(Stream, QStringLiteral("%1,%2,").arg(C - StartCol).arg(R - StartRow) + EncodeLineBreaks(Text));
        }
    }
}

// Reads from the stream's position; a line that is neither a width nor a cell line ends the
// reading and is left in the stream for the caller.
void TVidIvezadOrir::LoadFromStream(TStream* Stream) {
    String Line;
    const Int64 First = Stream->Position();
    if (readLine(Stream, Line) && !Line.isEmpty()) {
        const int Comma = Line.indexOf(u',');
        if (Comma < 0) {
            Stream->SetPosition(First);
            throw EReadError(QStringLiteral("Invalid grid stream header \"%1\"").arg(Line));
        }
        const int C = StrToInt(Line.left(Comma));
        const int R = StrToInt(Line.mid(Comma + 1));
        SetColCount(C + SaveStartCol());
        SetRowCount(R + SaveStartRow());
    }
    BeginUpdate();
    try {
        for (;;) {
            const Int64 LineStart = Stream->Position();
            if (!readLine(Stream, Line)) break;
            if (Line.startsWith(QLatin1String("cw"))) {
                const String Rest = Line.mid(3);
                const int Comma = Rest.indexOf(u',');
                const int Index = StrToInt(Comma < 0 ? Rest : Rest.left(Comma));
                const int Width = Comma < 0 ? DefaultColWidth() : StrToInt(Rest.mid(Comma + 1));
                SetColWidths(Index, Width);
                continue;
            }
            const int First = Line.indexOf(u',');
            const int Second = First < 0 ? -1 : Line.indexOf(u',', First + 1);
            bool ColOk = false, RowOk = false;
            const int C = First < 0 ? 0 : Line.left(First).toInt(&ColOk);
            const int R = Second < 0 ? 0 : Line.mid(First + 1, Second - First - 1).toInt(&RowOk);
            if (!ColOk || !RowOk) {
                Stream->SetPosition(LineStart);
                break;
            }
            LoadCell(C + SaveStartCol(), R + SaveStartRow(), DecodeLineBreaks(Line.mid(Second + 1), Multilinecells()));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(Rect(0, 0, ColCount(), RowCount()));
}

// ---------------------------------------------------------------------------------------------
// Saved column widths

namespace {

// The registry key or the INI file the column widths live in.
std::unique_ptr<TCustomIniFile> columnSizeStore(const TColumnSize& Size) {
    if (Size.Location() == zirodad::clIniFile) return std::make_unique<TIniFile>(Size.Key());
    return std::make_unique<TRegistryIniFile>(Size.Key());
}

}  // namespace

void TVidIvezadOrir::SaveColSizes() {
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || ComponentState().Contains(csDesigning))
        return;
    const auto Store = columnSizeStore(*FColumnSize);
    for (int c = 0; c < ColCount(); ++c)
        Store->WriteInteger(FColumnSize->Section(), QStringLiteral("Col%1").arg(c), ColWidths(c));
}

void TVidIvezadOrir::LoadColSizes() {
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || ComponentState().Contains(csDesigning))
        return;
    const auto Store = columnSizeStore(*FColumnSize);
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, Store->ReadInteger(FColumnSize->Section(), QStringLiteral("Col%1").arg(c), ColWidths(c)));
}
