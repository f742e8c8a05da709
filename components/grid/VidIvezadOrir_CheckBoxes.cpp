// Cell check boxes: adding and removing, their states, the toggle and the hit rectangle.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/ZirOdadUndoRedo.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"

namespace {

bool isCheckKind(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctTriStateCheckBox;
}
bool isTextKind(TCellType T) { return T == ctDataCheckBox || T == ctVirtCheckBox; }
int roundInt(double X) { return static_cast<int>(Round(X)); }

}  // namespace

TVidIvezadOrir& TVidIvezadOrirControls::grid() { return static_cast<TVidIvezadOrir&>(*this); }

void TVidIvezadOrirControls::checkCell(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (ACol < 0 || ARow < 0 || ACol >= g.ColCount() + g.NumHiddenColumns() || ARow >= g.RowCount() + g.NumHiddenRows())
        throw Exception(QStringLiteral("Invalid cell"));
}

TCellVAlign TVidIvezadOrirControls::newControlVAlign() {
    switch (grid().VAlignment()) {
        case basegrid::vtaCenter:
            return vaCenter;
        case basegrid::vtaBottom:
            return vaBottom;
        default:
            return vaTop;
    }
}

TCellGraphic* TVidIvezadOrirControls::realRowGraphic(int ACol, int ARealRow) {
    auto* P = dynamic_cast<TCellProperties*>(grid().GetRealObject(ACol, ARealRow));
    return P ? dynamic_cast<TCellGraphic*>(P->GraphicObject()) : nullptr;
}

String TVidIvezadOrirControls::checkText(int ACol, int ARow, bool State) {
    String Value;
    if (State)
        grid().GetCheckTrue(ACol, ARow, Value);
    else
        grid().GetCheckFalse(ACol, ARow, Value);
    return Value;
}

bool TVidIvezadOrirControls::mayEdit(int ACol, int ARow, bool CheckEditable, bool AlwaysActive) {
    if (!CheckEditable || AlwaysActive) return true;
    bool Allow = true;
    grid().CheckCanEdit(ACol, ARow, Allow);
    return Allow;
}

int TVidIvezadOrirControls::firstCheckRow() { return grid().MouseActions()->CheckAllCheck() ? 0 : grid().FixedRows(); }

void TVidIvezadOrirControls::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
    checkCell(ACol, ARow);
    TVidIvezadOrir& g = grid();
    g.CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, newControlVAlign());
    if (!Data) return;
    const String Text = g.GetCellEx(ACol, ARow);
    if (Text != checkText(ACol, ARow, true) && Text != checkText(ACol, ARow, false))
        g.SetCellEx(ACol, ARow, checkText(ACol, ARow, State));
}

void TVidIvezadOrirControls::AddCheckBox(int ACol, int ARow, TCheckBoxState State) {
    checkCell(ACol, ARow);
    grid().CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, newControlVAlign());
}

void TVidIvezadOrirControls::RemoveCheckBox(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    const TCellType Kind = g.GetCellType(ACol, ARow);
    if (Kind != ctCheckBox && Kind != ctDataCheckBox && Kind != ctTriStateCheckBox) return;
    // The balloon strings go with the graphic.
    g.FreeCellGraphic(ACol, ARow);
    g.RepaintCell(ACol, ARow);
}

bool TVidIvezadOrirControls::IsCheckBoxColumn(int ACol) {
    TVidIvezadOrir& g = grid();
    const int f = g.FixedRows();
    return g.HasDataCheckBox(ACol, f) && g.RowCount() > f + 1 && g.HasDataCheckBox(ACol, f + 1);
}

bool TVidIvezadOrirControls::IsDataGraphicCell(int ACol, int ARow) {
    return grid().HasCellTypeIn(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TVidIvezadOrirControls::IsControlCell(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (g.HasCellTypeIn(
            ACol, ARow,
            {ctCheckBox, ctDataCheckBox, ctRadio, ctVirtCheckBox, ctRowCheckBox, ctRadioButton, ctTriStateCheckBox}))
        return true;
    return !g.Navigation()->AllowEditButtonCells() && g.HasButton(ACol, ARow);
}

void TVidIvezadOrirControls::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox) {
    TVidIvezadOrir& g = grid();
    for (int r = firstCheckRow(); r <= g.RowCount() - g.FixedFooters() - 1; ++r) {
        if (g.IsSummary(r)) continue;
        if (g.IsNode(r))
            AddCheckBox(ACol, r, DefaultState ? cbChecked : cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TVidIvezadOrirControls::RemoveCheckBoxColumn(int ACol) {
    TVidIvezadOrir& g = grid();
    for (int r = firstCheckRow(); r < g.RowCount(); ++r)
        if (g.HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TVidIvezadOrirControls::GetCheckBoxState(int ACol, int ARow, bool& State) {
    TVidIvezadOrir& g = grid();
    const bool Hotmail = ACol == 0 && g.MouseActions()->HotmailRowSelect();
    if (g.NumHiddenRows() == 0) {
        const TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
        if (!G) return false;
        switch (G->CellType()) {
            case ctCheckBox:
                State = G->CellBoolean();
                return true;
            case ctDataCheckBox:
            case ctVirtCheckBox:
                State = g.GetCellEx(ACol, ARow) == checkText(ACol, ARow, true);
                return true;
            case ctRowCheckBox:
                if (ACol != 0) return false;
                State = g.GetRowSelect(ARow);
                return true;
            default:
                return false;
        }
    }
    if (Hotmail) {
        State = g.GetRowSelect(ARow);
        return true;
    }
    if (const TCellGraphic* G = realRowGraphic(ACol, ARow)) {
        switch (G->CellType()) {
            case ctCheckBox:
                State = G->CellBoolean();
                return true;
            case ctDataCheckBox:
            case ctVirtCheckBox:
            case ctTriStateCheckBox:
                State = g.GetCellsEx(ACol, ARow) == checkText(ACol, ARow, true);
                return true;
            case ctRowCheckBox:
                if (ACol != 0) break;
                State = g.GetRowSelect(ARow);
                return true;
            default:
                break;
        }
    }
    const TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G) return false;
    if (G->CellType() == ctRowCheckBox && ACol == 0) {
        State = g.GetRowSelect(ARow);
        return true;
    }
    if (isTextKind(G->CellType())) {
        State = g.GetCellEx(ACol, ARow) == checkText(ACol, ARow, true);
        return true;
    }
    return false;
}

bool TVidIvezadOrirControls::IsChecked(int ACol, int ARow) {
    bool State = false;
    GetCheckBoxState(ACol, ARow, State);
    return State;
}

bool TVidIvezadOrirControls::SetCheckBoxState(int ACol, int ARow, bool State) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = realRowGraphic(ACol, ARow);
    if (!G || (ACol == 0 && g.MouseActions()->HotmailRowSelect())) G = g.GetCellGraphic(ACol, ARow);
    if (!G) return false;
    switch (G->CellType()) {
        case ctCheckBox:
            G->SetCellBoolean(State);
            g.RepaintCell(ACol, g.DisplRowIndex(ARow));
            return true;
        case ctTriStateCheckBox:
            G->SetCellCheckBoxState(State ? cbChecked : cbUnchecked);
            g.RepaintCell(ACol, g.DisplRowIndex(ARow));
            return true;
        case ctDataCheckBox:
        case ctVirtCheckBox:
            g.SetCellsEx(ACol, ARow, checkText(ACol, ARow, State));
            return true;
        case ctRowCheckBox:
            if (ACol != 0) return false;
            g.SetRowSelect(ARow, State);
            return true;
        default:
            return false;
    }
}

bool TVidIvezadOrirControls::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = realRowGraphic(ACol, ARow);
    if (!G) G = g.GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctTriStateCheckBox) return false;
    G->SetCellCheckBoxState(State);
    g.RepaintCell(ACol, g.DisplRowIndex(ARow));
    return true;
}

bool TVidIvezadOrirControls::SetCheckState(int ACol, int ARow, bool State) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = nullptr;
    if (g.NumHiddenRows() > 0) G = realRowGraphic(ACol, g.RealRowIndex(ARow));
    if (!G) G = g.GetCellGraphic(ACol, ARow);
    if (!G) return false;
    switch (G->CellType()) {
        case ctCheckBox:
            if (G->CellBoolean() != State) {
                G->SetCellBoolean(State);
                CheckBoxChange(ACol, ARow, State);
                g.RepaintCell(ACol, ARow);
            }
            return true;
        case ctTriStateCheckBox:
            G->SetCellCheckBoxState(State ? cbChecked : cbUnchecked);
            g.RepaintCell(ACol, ARow);
            return false;
        case ctDataCheckBox:
        case ctVirtCheckBox: {
            const bool Was = g.GetCellEx(ACol, ARow) == checkText(ACol, ARow, true);
            g.SetCellEx(ACol, ARow, checkText(ACol, ARow, State));
            if (Was != State) CheckBoxChange(ACol, ARow, State);
            return true;
        }
        case ctRowCheckBox:
            if (ACol != 0) return false;
            if (g.GetRowSelect(ARow) != State) {
                g.SetRowSelect(ARow, State);
                CheckBoxChange(ACol, ARow, State);
            }
            return true;
        default:
            return false;
    }
}

void TVidIvezadOrirControls::CheckAll(int ACol) {
    TVidIvezadOrir& g = grid();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) SetCheckState(ACol, r, true);
    if (g.NumHiddenColumns() > 0) g.RepaintCol(g.RealToDisplCol(ACol));
}

void TVidIvezadOrirControls::UnCheckAll(int ACol) {
    TVidIvezadOrir& g = grid();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) SetCheckState(ACol, r, false);
}

void TVidIvezadOrirControls::CheckBoxChange(int ACol, int ARow, bool State) {
    if (OnCheckBoxChange) FireEvent(OnCheckBoxChange, &grid(), ACol, ARow, State);
}

bool TVidIvezadOrirControls::ToggleCellCheckBox(int ACol, int ARow, bool CheckEditable) {
    TVidIvezadOrir& g = grid();
    TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G) return false;
    const TCellType Kind = G->CellType();
    // The state shown now, whatever the kind keeps it in.
    bool Before = G->CellBoolean();
    if (isTextKind(Kind) || Kind == ctRowCheckBox)
        Before = g.GetCellEx(ACol, ARow) == checkText(ACol, ARow, true);
    else if (Kind == ctTriStateCheckBox)
        Before = G->CellCheckBoxState() == cbChecked;
    bool Allow = true;
    if (g.OnCheckBoxCanToggle) {
        TWeak<TVidIvezadOrir> Alive(&g);
        FireEvent(g.OnCheckBoxCanToggle, &g, ACol, ARow, Before, Allow);
        if (!Alive) return false;
    }
    if (!Allow || !isCheckKind(Kind)) return false;
    if (!mayEdit(ACol, ARow, CheckEditable, g.ControlLook()->CheckAlwaysActive())) return false;
    bool NewState = false;
    bool After = false;
    if (Kind == ctCheckBox) {
        G->SetCellBoolean(!G->CellBoolean());
        NewState = After = G->CellBoolean();
    } else if (Kind == ctTriStateCheckBox) {
        TCheckBoxState S = G->CellCheckBoxState();
        if (g.IsNode(ARow))
            S = S == cbChecked ? cbUnchecked : cbChecked;
        else if (S == cbUnchecked)
            S = g.Navigation()->ToggleTriStateCheck() == tsAllStates ? cbGrayed : cbChecked;
        else
            S = S == cbChecked ? cbUnchecked : cbChecked;
        G->SetCellCheckBoxState(S);
        After = S == cbChecked;
        if (g.IsNode(ARow)) NewState = After;
    } else {
        NewState = After = !Before;
        g.SetCellEx(ACol, ARow, checkText(ACol, ARow, After));
    }
    g.RepaintCell(g.RealToDisplCol(ACol), ARow);
    TWeak<TVidIvezadOrir> Alive(&g);
    CheckBoxChange(ACol, ARow, NewState);
    if (!Alive) return true;
    if (g.Grouping()->AutoCheckGroup() && g.GroupColumn() != -1 && ARow >= g.FixedRows())
        checkGroup(ACol, ARow, NewState);
    // Undoing puts back the state before the toggle through SetCheckBoxText.
    if (TZirOdadUndoRedo* Undo = g.UndoRedo())
        Undo->RegisterChange(ACol, ARow, checkText(ACol, ARow, Before), checkText(ACol, ARow, After));
    return true;
}

// A node's box sets its children's; a child's box sets its node's tri-state box from all
// children: grayed when they differ.
void TVidIvezadOrirControls::checkGroup(int ACol, int ARow, bool NewState) {
    TVidIvezadOrir& g = grid();
    if (g.IsNode(ARow)) {
        const int n = g.GetNodeSpan(ARow) - 1;
        const bool Contracted = g.GetNodeState(ARow);
        const int Real = g.RealRowIndex(ARow);
        // A contracted node's children are hidden right behind its real row.
        for (int f = 1; f <= n; ++f) SetCheckBoxState(ACol, Contracted ? Real + f : g.RealRowIndex(ARow + f), NewState);
        return;
    }
    const int Parent = g.GetParentRow(ARow);
    if (Parent == -1) return;
    const int n = g.GetNodeSpan(Parent) - 1;
    bool First = false;
    GetCheckBoxState(ACol, g.RealRowIndex(Parent + 1), First);
    bool Differ = false;
    for (int f = 1; f <= n && !Differ; ++f) {
        bool State = false;
        GetCheckBoxState(ACol, g.RealRowIndex(Parent + f), State);
        Differ = State != First;
    }
    SetCheckBoxState(ACol, g.RealRowIndex(Parent), Differ ? cbGrayed : (First ? cbChecked : cbUnchecked));
}

bool TVidIvezadOrirControls::IsInCheckBox(int ACol, int ARow, int XPos, int YPos) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = g.GetCellGraphic(ACol, ARow);
    if (!G || (!isCheckKind(G->CellType()) && G->CellType() != ctRadioButton)) return false;
    if (!g.MouseActions()->PreciseCheckBoxCheck()) return true;
    const TRect R = g.CellRect(g.DisplColIndex(ACol), ARow);
    const double Scale = g.FState->DPIScale;
    const int CheckSize = g.ControlLook()->CheckSize();
    const int S = roundInt(CheckSize * Scale);
    const int m = roundInt(2 * Scale);
    basegrid::TVAlignment VAlign = basegrid::vtaCenter;  // under, above and full boxes sit centred
    if (G->CellVAlign() == vaTop) VAlign = basegrid::vtaTop;
    if (G->CellVAlign() == vaBottom) VAlign = basegrid::vtaBottom;
    TAlignment HAlign = g.HasCellProperties(ACol, ARow) ? g.GetAlignments(ACol, ARow) : g.DefaultAlignment();
    g.GetCellAlignment(ACol, ARow, HAlign, VAlign);
    int Top = R.Top + m;
    if (VAlign == basegrid::vtaCenter) Top = R.Top + (R.Bottom - R.Top - CheckSize) / 2;
    if (VAlign == basegrid::vtaBottom) Top = R.Bottom - m - CheckSize;
    int Left = R.Left + m;
    if (HAlign == taCenter) Left = R.Left + (R.Right - R.Left - S) / 2;
    if (HAlign == taRightJustify) {
        Left = R.Right - m - S;
        const String Text = g.GetCellEx(ACol, ARow);
        if (!Text.isEmpty()) {
            g.Canvas()->Font()->Assign(g.Font());
            Left -= g.Canvas()->TextWidth(Text);
        }
    }
    return XPos >= Left && XPos < Left + S && YPos >= Top && YPos < Top + S;
}

void TVidIvezadOrir::SetCheckBoxText(int ACol, int ARow, const String& Value) {
    String True;
    GetCheckTrue(ACol, ARow, True);
    SetCheckBoxState(ACol, ARow, Value == True);
}
