// The cell graphic record on the grid: kinds, creation, replacement and removal.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"

namespace {

// Only a graphic of the grid's own class is the grid's to free; a subclass is the caller's.
bool gridOwns(const TObject* G) { return G && G->ClassName() == QLatin1String("TCellGraphic"); }

}  // namespace

TVidIvezadOrir& TVidIvezadOrirGraphics::grid() { return static_cast<TVidIvezadOrir&>(*this); }

TCellType TVidIvezadOrirGraphics::GetCellType(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return ctEmpty;
    TObject* G = grid().GetGraphicObjectEx(ACol, ARow);
    if (G && !dynamic_cast<TCellGraphic*>(G)) return ctEmpty;
    if (ACol == 0 && grid().MouseActions()->HotmailRowSelect()) return ctRowCheckBox;
    return G ? static_cast<TCellGraphic*>(G)->CellType() : ctEmpty;
}

bool TVidIvezadOrirGraphics::GetCellEmpty(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return true;
    auto* G = dynamic_cast<TCellGraphic*>(grid().GetGraphicObjectEx(ACol, ARow));
    return !G || (G->CellType() == ctNone && G->CellComment().isEmpty());
}

TCellGraphic* TVidIvezadOrirGraphics::GetCellGraphic(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    TObject* Own = ACol >= 0 && ARow >= 0 ? g.GetGraphicObjectEx(ACol, ARow) : nullptr;
    if (Own && !dynamic_cast<TCellGraphic*>(Own)) return nullptr;
    if (ACol == 0 && g.MouseActions()->HotmailRowSelect()) {
        TCellGraphic* Shared = g.FCellGraphic.get();
        Shared->SetCellType(ctRowCheckBox);
        Shared->SetCellTransparent(g.ControlLook()->ControlStyle() == zirodad::csFlat);
        const int Normal = g.RowCount() - g.FixedRows();
        if (ARow == 0) {
            const int Selected = g.RowSelectCount();
            Shared->SetCellAngle(Selected > 0 && Selected < Normal ? 1 : 0);
            Shared->SetCellBoolean(Selected >= Normal);
        } else {
            Shared->SetCellAngle(0);
            Shared->SetCellBoolean(g.GetRowSelect(g.RealRowIndex(ARow)));
        }
        return Shared;
    }
    return static_cast<TCellGraphic*>(Own);
}

TCellGraphic* TVidIvezadOrirGraphics::CreateCellGraphic(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    // The old graphic is the cell's own: never the shared row check box column 0 may answer.
    TObject* Old = g.GetGraphicObjectEx(ACol, ARow);
    auto* New = new TCellGraphic;
    // SetGraphicObjectEx keeps an empty text empty around the store.
    g.SetGraphicObjectEx(ACol, ARow, New);
    if (gridOwns(Old)) Old->Free();
    if (g.NumHiddenColumns() > 0) {
        const int Displ = g.RealToDisplCol(ACol);
        if (Displ != ACol) g.RepaintCell(Displ, ARow);
    }
    return New;
}

bool TVidIvezadOrirGraphics::FreeCellGraphic(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (ACol < 0 || ARow < 0) return false;
    TObject* Own = g.GetGraphicObjectEx(ACol, ARow);
    if (!dynamic_cast<TCellGraphic*>(Own)) return false;
    g.SetGraphicObjectEx(ACol, ARow, nullptr);
    if (gridOwns(Own)) Own->Free();
    if (!g.ComponentState().Contains(csDestroying)) g.RepaintCell(ACol, ARow);
    return true;
}

bool TVidIvezadOrirGraphics::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType) {
    return GetCellType(ACol, ARow) == AType && FreeCellGraphic(ACol, ARow);
}

bool TVidIvezadOrirGraphics::HasCellTypeIn(int ACol, int ARow, std::initializer_list<TCellType> Kinds) {
    if (ACol < 0 || ARow < 0) return false;
    const TPoint B = grid().BaseCell(ACol, ARow);
    const TCellType Kind = GetCellType(B.X, B.Y);
    for (TCellType K : Kinds)
        if (K == Kind) return true;
    return false;
}

bool TVidIvezadOrirGraphics::IsSortRow(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (g.IsMergedCell(ACol, ARow)) ARow += g.CellSpan(ACol, ARow).Y;
    return ARow == g.SortSettings()->Row() && g.SortSettings()->Show() && g.RowCount() > g.FixedRows() + 1;
}
