// The grid text stream (its form in exchange/GridTextStream.h). A load reproduces what the save
// wrote.
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/exchange/GridTextStream.h"
#include "components/grid/model/GridExportSettings.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"

#include <algorithm>
#include <memory>

int TVidIvezadOrir::SaveStartCol() const { return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols(); }
int TVidIvezadOrir::SaveStartRow() const { return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows(); }
int TVidIvezadOrir::SaveEndCol() const {
    return ColCount() - 1 - (SaveFixedCells() || SaveFixedCols() ? 0 : FixedRightCols());
}
int TVidIvezadOrir::SaveEndRow() const {
    return RowCount() - 1 - (SaveFixedCells() || SaveFixedRows() ? 0 : FixedFooters());
}

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
    // Fixed cells at both ends may leave no savable area: that is 0 wide, never less.
    WriteGridStreamHeader(Stream, std::max(0, SaveColCount()), std::max(0, SaveRowCount()));
    for (int C = 0; C < ColCount(); ++C) WriteGridStreamWidth(Stream, C, ColWidths(C));
    for (int R = StartRow; R <= SaveEndRow(); ++R) {
        for (int C = StartCol; C <= SaveEndCol(); ++C) {
            const String Text = SaveCell(C, R);
            if (!Text.isEmpty()) WriteGridStreamCell(Stream, C - StartCol, R - StartRow, EncodeLineBreaks(Text));
        }
    }
}

// Reads from the stream's position; a line that is neither a width nor a cell line ends the
// reading and is left in the stream for the caller. The whole stream is checked before the grid
// changes, so a bad one raises and leaves the grid as it was.
void TVidIvezadOrir::LoadFromStream(TStream* Stream) {
    const TGridStreamContent Content =
        ReadGridTextStream(Stream, {SaveStartCol(), SaveStartRow(), ColCount(), RowCount()});
    if (Content.HasHeader) {
        SetColCount(Content.ColCount);
        SetRowCount(Content.RowCount);
    }
    BeginUpdate();
    try {
        for (const TGridStreamWidth& W : Content.Widths) SetColWidths(W.Col, W.Width);
        for (const TGridStreamCell& C : Content.Cells)
            LoadCell(C.Col, C.Row, DecodeLineBreaks(C.Text, Multilinecells()));
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
