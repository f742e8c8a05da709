// Cell radio buttons, radio lists and push buttons.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/StringList.h"

void TVidIvezadOrirControls::AddRadioButton(int ACol, int ARow, bool State) {
    AddRadioButtonGroup(ACol, ARow, rgCol, State);
}

void TVidIvezadOrirControls::AddRadioButtonGroup(int ACol, int ARow, TRadioButtonGroup Group, bool State) {
    checkCell(ACol, ARow);
    grid().CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, newControlVAlign(), Group);
}

void TVidIvezadOrirControls::RemoveRadioButton(int ACol, int ARow) {
    if (grid().RemoveCellGraphicOfType(ACol, ARow, ctRadioButton)) grid().RepaintCell(ACol, ARow);
}

bool TVidIvezadOrirControls::HasRadioButton(int ACol, int ARow) {
    return grid().HasCellTypeIn(ACol, ARow, {ctRadioButton});
}

bool TVidIvezadOrirControls::HasRadioButtonGroup(int ACol, int ARow, TRadioButtonGroup Group) {
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint B = grid().BaseCell(ACol, ARow);
    return grid().GetCellGraphic(B.X, B.Y)->CellAngle() == Group;
}

bool TVidIvezadOrirControls::IsRadioButtonChecked(int ACol, int ARow) {
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint B = grid().BaseCell(ACol, ARow);
    return grid().GetCellGraphic(B.X, B.Y)->CellBoolean();
}

bool TVidIvezadOrirControls::SetRadioButtonState(int ACol, int ARow, bool State) {
    TVidIvezadOrir& g = grid();
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint B = g.BaseCell(ACol, ARow);
    TCellGraphic* G = g.GetCellGraphic(B.X, B.Y);
    if (G->CellBoolean() != State) {
        G->SetCellBoolean(State);
        g.RepaintCell(g.RealToDisplCol(ACol), ARow);
    }
    return true;
}

void TVidIvezadOrirControls::AddRadioButtonColumn(int ACol) {
    for (int r = grid().FixedRows(); r < grid().RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TVidIvezadOrirControls::AddRadioButtonGroupColumn(int ACol) {
    for (int r = grid().FixedRows(); r < grid().RowCount(); ++r) AddRadioButtonGroup(ACol, r, rgRow, false);
}

void TVidIvezadOrirControls::RemoveRadioButtonColumn(int ACol) {
    for (int r = grid().FixedRows(); r < grid().RowCount(); ++r)
        if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

void TVidIvezadOrirControls::SetRadioButtonColumnIndex(int ACol, int Index) {
    for (int r = grid().FixedRows(); r < grid().RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

void TVidIvezadOrirControls::SetRadioButtonRowIndex(int ARow, int Index) {
    for (int c = grid().FixedCols(); c < grid().ColCount(); ++c) SetRadioButtonState(c, ARow, c == Index);
}

int TVidIvezadOrirControls::GetRadioButtonColumnIndex(int ACol) {
    for (int r = grid().FixedRows(); r < grid().RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TVidIvezadOrirControls::ToggleCellRadioButton(int ACol, int ARow, bool CheckEditable) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadioButton) return false;
    if (!mayEdit(ACol, ARow, CheckEditable, g.ControlLook()->CheckAlwaysActive())) return false;
    if (G->CellBoolean()) return true;
    G->SetCellBoolean(true);
    g.RepaintCell(ACol, ARow);
    // Unchecks the run of radio buttons on both sides; a cell of another kind ends it.
    const auto uncheck = [&g](int c, int r) {
        TCellGraphic* Other = g.GetCellGraphic(c, r);
        if (!Other || Other->CellType() != ctRadioButton) return false;
        if (Other->CellBoolean()) {
            Other->SetCellBoolean(false);
            g.RepaintCell(c, r);
        }
        return true;
    };
    if (G->CellAngle() == rgCol) {
        for (int r = ARow + 1; r < g.RowCount() && uncheck(ACol, r); ++r) {
        }
        for (int r = ARow - 1; r >= 0 && uncheck(ACol, r); --r) {
        }
    } else if (G->CellAngle() == rgRow) {
        for (int c = ACol + 1; c < g.ColCount() && uncheck(c, ARow); ++c) {
        }
        for (int c = ACol - 1; c >= 0 && uncheck(c, ARow); --c) {
        }
    }
    return true;
}

void TVidIvezadOrirControls::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl) {
    TCellGraphic* G = grid().CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctRadio);
    G->SetCellAngle(sl ? sl->Count() : 0);
    G->SetCellBoolean(DirRadio != 0);
    G->SetCellIndex(IdxRadio);
    G->SetCellBitmap(sl);
}

TStrings* TVidIvezadOrirControls::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
    auto* List = new TStringList;
    AddRadio(ACol, ARow, DirRadio, IdxRadio, List);
    TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    G->SetCellCreated(true);
    G->SetCellAngle(0);
    return List;
}

void TVidIvezadOrirControls::RemoveRadio(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TVidIvezadOrirControls::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio) return false;
    IdxRadio = G->CellIndex();
    return true;
}

bool TVidIvezadOrirControls::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio) return false;
    G->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) g.SetCellEx(ACol, ARow, String());
    g.RepaintCell(ACol, ARow);
    return true;
}

TStrings* TVidIvezadOrirControls::GetRadioStrings(int ACol, int ARow) {
    if (!grid().IsRadio(ACol, ARow)) return nullptr;
    const TPoint B = grid().BaseCell(ACol, ARow);
    return grid().GetCellGraphic(B.X, B.Y)->Strings();
}

bool TVidIvezadOrirControls::CycleRadio(int ACol, int ARow, bool CheckEditable) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio) return false;
    if (!mayEdit(ACol, ARow, CheckEditable, g.ControlLook()->RadioAlwaysActive())) return false;
    const TStrings* Captions = G->Strings();
    // A list without captions has nowhere to go.
    if (!Captions || Captions->Count() == 0) return false;
    int Next = G->CellIndex() >= 0 ? G->CellIndex() + 1 : Captions->IndexOf(g.GetCellEx(ACol, ARow)) + 1;
    if (Next >= Captions->Count()) Next = 0;
    if (G->CellIndex() >= -1) G->SetCellIndex(Next);
    G->SetCellVar(Variant(Next));
    g.SetCellEx(ACol, ARow, Captions->Strings(Next));
    return false;
}

void TVidIvezadOrirControls::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                                       TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TVidIvezadOrirControls::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                          TCellHAlign hal, TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TVidIvezadOrirControls::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption,
                                                 TCellHAlign hal, TCellVAlign val) {
    return createOwned<TBitmap>(grid(), ACol, ARow, [&](TCellGraphic* G, TBitmap* Glyph) {
        G->SetBitButton(bw, bh, Caption, Glyph, hal, val);
    });
}

void TVidIvezadOrirControls::SetButtonText(int ACol, int ARow, const String& Caption) {
    TVidIvezadOrir& g = grid();
    if (TCellGraphic* G = g.GetCellGraphic(g.DisplToRealCol(ACol), ARow)) {
        G->SetCellText(Caption);
        g.RepaintCell(ACol, ARow);
    }
}

String TVidIvezadOrirControls::GetButtonText(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = g.GetCellGraphic(g.DisplToRealCol(ACol), ARow);
    return G ? G->CellText() : String();
}

void TVidIvezadOrirControls::PushButton(int ACol, int ARow, bool push) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = g.GetCellGraphic(g.DisplToRealCol(ACol), ARow);
    if (!G || G->CellType() == ctNode) return;
    G->SetCellBoolean(push);
    g.RepaintCell(ACol, ARow);
}

void TVidIvezadOrirControls::RemoveBitButton(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TVidIvezadOrirControls::RemoveButton(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctButton);
    grid().RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TVidIvezadOrirControls::RemoveAllButtons() {
    TVidIvezadOrir& g = grid();
    for (int c = 0; c < g.ColCount(); ++c)
        for (int r = 0; r < g.RowCount(); ++r)
            if (g.HasButton(c, r)) RemoveButton(c, r);
}

TRect TVidIvezadOrirControls::GetButtonRect(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = g.GetCellGraphic(g.DisplToRealCol(ACol), ARow);
    if (!G) return Rect(0, 0, 0, 0);
    const unsigned p = static_cast<unsigned>(Round(G->CellValue()));
    const unsigned Size = static_cast<unsigned>(G->CellIndex());
    const TRect R = g.CellRect(ACol, ARow);
    TRect B;
    B.Left = R.Left + static_cast<int>(p & 0xFFFFu);
    B.Top = R.Top + static_cast<int>(p >> 16);
    B.Right = B.Left + static_cast<int>(Size & 0xFFFFu);
    B.Bottom = B.Top + static_cast<int>(Size >> 16);
    if (G->CellVAlign() == vaFull) {
        B.Top = R.Top;
        B.Bottom = R.Bottom;
    }
    if (G->CellHAlign() == haFull) {
        B.Left = R.Left;
        B.Right = R.Right;
    }
    return B;
}
