// The advance to the next cell after Enter or Tab, and the grid's key presses.
#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/StrUtils.h"

int TVidIvezadOrirSelection::firstTabCol() {
    TVidIvezadOrir& g = grid();
    return g.FixedCols() == 0 && g.HasNodes() ? 1 : g.FixedCols();
}

int TVidIvezadOrirSelection::lastNormalRow() { return grid().RowCount() - grid().FixedFooters() - 1; }
int TVidIvezadOrirSelection::lastNormalCol() { return grid().ColCount() - grid().FixedRightCols() - 1; }

int TVidIvezadOrirSelection::nextVisibleCol(int ACol, bool Forward) {
    TVidIvezadOrir& g = grid();
    const int First = g.FixedCols(), Last = lastNormalCol();
    ACol = std::clamp(ACol, First, std::max(First, Last));
    const int Start = ACol;
    while (g.ColWidths(ACol) <= 0 || g.IsMergedNonBaseCell(g.DisplToRealCol(ACol), g.Row())) {
        ACol += Forward ? 1 : -1;
        if (ACol > Last || ACol < First) return Start;
    }
    return ACol;
}

bool TVidIvezadOrirSelection::isEditable(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    if (!g.Options().Contains(goEditing)) return false;
    bool CanEdit = true;
    g.CheckCanEdit(ACol, ARow, CanEdit);
    return CanEdit;
}

TPoint TVidIvezadOrirSelection::findNextEditCell(int ACol, int ARow) {
    TVidIvezadOrir& g = grid();
    const bool ByRows =
        g.Navigation()->AdvanceDirection() == adLeftRight || g.Navigation()->AdvanceDirection() == adLeftRightInRow;
    int c = ACol, r = ARow;
    for (;;) {
        if (ByRows) {
            if (++c > lastNormalCol()) {
                c = firstTabCol();
                if (++r > lastNormalRow()) return Point(-1, -1);
            }
        } else if (++r > lastNormalRow()) {
            r = g.FixedRows();
            if (++c > lastNormalCol()) return Point(-1, -1);
        }
        if (isEditable(g.DisplToRealCol(c), r)) return Point(c, r);
    }
}

void TVidIvezadOrirSelection::CanAddRow(bool& Allow) {
    if (OnCanAddRow) FireEvent(OnCanAddRow, &grid(), Allow);
}

void TVidIvezadOrirSelection::CanAddCol(bool& Allow) {
    if (OnCanAddCol) FireEvent(OnCanAddCol, &grid(), Allow);
}

void TVidIvezadOrirSelection::CanInsertRow(int ARow, bool& CanInsert) {
    if (OnCanInsertRow) FireEvent(OnCanInsertRow, &grid(), ARow, CanInsert);
}

void TVidIvezadOrirSelection::RestoreCellCache() {
    TVidIvezadOrir& g = grid();
    g.SetCellEx(g.RealCol(), g.Row(), g.FState->CellCache);
}

// Adds a row below the last normal row when allowed; true when the advance goes on into it.
bool TVidIvezadOrirSelection::addRowAtEnd(int ARow) {
    TVidIvezadOrir& g = grid();
    bool Allow = true;
    CanAddRow(Allow);
    if (!Allow) return false;
    g.AddRow();
    if (OnAutoAddRow) FireEvent(OnAutoAddRow, &g, g.RowCount() - g.FixedFooters() - 1);
    (void)ARow;
    return true;
}

bool TVidIvezadOrirSelection::stepCell(int& ACol, int& ARow, bool Forward) {
    TVidIvezadOrir& g = grid();
    TNavigation* Nav = g.Navigation();
    const TAdvanceDirection Dir = Nav->AdvanceDirection();
    const TPoint Span = g.CellSpan(g.DisplToRealCol(ACol), ARow);
    if (!Forward) {
        if (Dir == adLeftRight) {
            if (ACol > firstTabCol()) {
                --ACol;
            } else {
                ARow = ARow > g.FixedRows() ? ARow - 1 : lastNormalRow();
                ACol = lastNormalCol();
            }
        } else if (Dir == adTopBottom) {
            if (ARow > g.FixedRows()) {
                --ARow;
            } else {
                ACol = ACol > firstTabCol() ? ACol - 1 : lastNormalCol();
                ARow = lastNormalRow();
            }
        }
        return true;
    }
    if (Dir == adLeftRight || Dir == adLeftRightInRow) {
        const int ShownRight = g.FixedRightCols();
        if (ACol + Span.X < g.ColCount() - ShownRight - 1) {
            ACol += Span.X + 1;
        } else if (Dir == adLeftRightInRow) {
            if (!Nav->AdvanceOnEnterLoop()) return false;
            ACol = firstTabCol();
        } else if (ARow + 1 == g.RowCount() - g.FixedFooters()) {
            if (Nav->AdvanceInsert()) {
                const bool Added = addRowAtEnd(ARow);
                ACol = firstTabCol();
                if (Added) {
                    ++ARow;
                    bool AnyEditable = false;
                    for (int c = g.FixedCols(); c < g.ColCount() && !AnyEditable; ++c)
                        AnyEditable = isEditable(g.DisplToRealCol(c), ARow);
                    if (!AnyEditable) return false;
                }
            } else {
                if (!Nav->AdvanceOnEnterLoop()) return false;
                ARow = g.FixedRows();
                ACol = firstTabCol();
            }
        } else {
            ++ARow;
            ACol = firstTabCol();
        }
    }
    if (Dir == adTopBottom || Dir == adTopBottomInCol) {
        const bool LastRow = ARow + 1 >= g.RowCount() - g.FixedFooters();
        if (!LastRow) {
            ++ARow;
        } else if (Dir == adTopBottomInCol) {
            if (Nav->AdvanceInsert()) {
                if (addRowAtEnd(ARow)) ++ARow;
            } else {
                if (!Nav->AdvanceOnEnterLoop()) return false;
                ARow = g.FixedRows();
            }
        } else if (ACol + 1 == g.ColCount() - g.FixedRightCols()) {
            if (Nav->AdvanceInsert()) {
                bool Allow = true;
                CanAddCol(Allow);
                if (Allow) {
                    g.SetColCount(g.ColCount() + 1);
                    ACol += Span.X + 1;
                    ARow = g.FixedRows();
                    if (OnAutoInsertCol) FireEvent(OnAutoInsertCol, &g, g.ColCount() - g.FixedRightCols() - 1);
                }
            } else {
                if (!Nav->AdvanceOnEnterLoop()) return false;
                ARow = g.FixedRows();
                ACol = firstTabCol();
            }
        } else {
            ARow = g.FixedRows();
            ACol = ACol + 1 < g.ColCount() ? ACol + 1 : firstTabCol();
            g.Invalidate();
        }
    }
    return true;
}

void TVidIvezadOrirSelection::AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Recursive,
                                          bool Activate) {
    TVidIvezadOrir& g = grid();
    TNavigation* Nav = g.Navigation();
    if (!Nav->AdvanceOnEnter() && !Force) return;
    if (g.MouseActions()->RangeSelectAndEdit()) {
        TGridOptions Options = g.Options();
        g.SetOptions(Options.Include(goEditing));
    }
    TVidIvezadOrirState& S = *g.FState;
    if (!Recursive) {
        S.AECol = ACol;
        S.AERow = ARow;
    } else if (ACol == S.AECol && ARow == S.AERow) {
        return;
    }
    int OldCol = ACol, OldRow = ARow;
    // Read-only cells are passed in this loop, not by a call per cell; a known editable cell
    // ahead saves searching for one at every step.
    TPoint KnownEditable(-1, -1);
    for (;;) {
        OldCol = ACol;
        OldRow = ARow;
        FStartEditChar = u'\0';
        if (!stepCell(ACol, ARow, Forward)) return;
        ACol = nextVisibleCol(ACol, Forward);
        const int RealCol = g.DisplToRealCol(ACol);
        bool CanEdit = !(ACol < g.FixedCols() || ARow < g.FixedRows());
        g.CheckCanEdit(RealCol, ARow, CanEdit);
        if (CanEdit) {
            bool Allow = true;
            if (OnAutoAdvance) FireEvent(OnAutoAdvance, &g, S.AERow, S.AECol, ARow, ACol, Allow);
            if (Allow && OnCellChanging) FireEvent(OnCellChanging, &g, S.AERow, S.AECol, ARow, ACol, Allow);
            FDisableChange = true;
            if (Allow) {
                g.SetCol(ACol);
                g.SetRow(ARow);
            } else {
                g.SelectCell(OldCol, OldRow);
            }
            FDisableChange = false;
            break;
        }
        if (!Nav->AdvanceOnEnterLoop() && KnownEditable != Point(ACol, ARow)) {
            if (KnownEditable.X < 0 || (ACol == KnownEditable.X && ARow == KnownEditable.Y)) {
                KnownEditable = findNextEditCell(ACol, ARow);
                if (KnownEditable.X < 0) return;
            }
        }
        if (!Nav->AdvanceSkipReadOnlyCells()) {
            g.SetCol(ACol);
            g.SetRow(ARow);
            break;
        }
        // Back where the advance began: every other cell is read-only.
        if (ACol == S.AECol && ARow == S.AERow) return;
    }
    if (!Activate) return;
    activateCell(ACol, ARow, OldCol, OldRow, AutoEdit);
}

void TVidIvezadOrirSelection::activateCell(int ACol, int ARow, int OldCol, int OldRow, bool AutoEdit) {
    TVidIvezadOrir& g = grid();
    const int RealCol = g.DisplToRealCol(ACol);
    if (TControl* Placed = g.GetCellControls(RealCol, ARow)) {
        if (auto* Windowed = dynamic_cast<TWinControl*>(Placed); Windowed && Windowed->CanFocus()) {
            Windowed->SetFocus();
            g.SetCol(OldCol);
            g.SetRow(OldRow);
            return;
        }
    }
    const bool ControlCell = g.IsControlCell(RealCol, ARow);
    if ((AutoEdit && g.Navigation()->AdvanceAutoEdit()) || ControlCell) {
        if (!isEditable(RealCol, ARow)) return;
        g.ShowInplaceEdit();
        if (ControlCell) {
            FDisableChange = true;
            g.SelectCell(OldCol, OldRow);
            g.SelectCell(ACol, ARow);
            if (!g.IsControlCell(g.DisplToRealCol(OldCol), OldRow)) {
                // The mouse handling acts on the control as for a click near the cell's corner.
                const TRect R = g.CellRect(ACol, ARow);
                g.MouseDown(mbLeft, TShiftState{}, R.Left + 2, R.Top + 2);
                g.MouseUp(mbLeft, TShiftState{}, R.Left + 2, R.Top + 2);
                if (g.Navigation()->AdvanceDirection() != adLeftRight) g.HideInplaceEdit();
            }
            FDisableChange = false;
        }
        bool Allow = true;
        if (OnCellChanging) FireEvent(OnCellChanging, &g, OldRow, OldCol, g.Row(), g.Col(), Allow);
        TEditorType Editor = g.DefaultEditor();
        if (g.OnGetEditorType) FireEvent(g.OnGetEditorType, &g, g.DisplToRealCol(OldCol), OldRow, Editor);
        switch (Editor) {
            case edNormal:
            case edNumeric:
            case edPositiveNumeric:
            case edFloat:
            case edCapital:
            case edMixedCase:
            case edPassword:
            case edLowerCase:
            case edUpperCase:
            case edValidChars:
            case edPositiveFloat:
                break;
            default:
                g.HideInplaceEdit();
                break;
        }
    }
    if (g.MouseActions()->DisjunctRowSelect()) {
        ClearDisjunctRowSelect();
        SetRowSelect(g.Row(), true);
    }
}

int TVidIvezadOrirSelection::searchSortColumn(const String& S) {
    TVidIvezadOrir& g = grid();
    const int Column = g.SortSettings()->Column();
    if (Column < 0) return -1;
    for (int r = g.FixedRows(); r <= lastNormalRow(); ++r)
        if (AnsiUpperCase(AsgHTMLE::StripMarkupTags(g.GetCellEx(Column, r))).startsWith(S)) return r;
    return -1;
}

bool TVidIvezadOrirSelection::SelectionKeyPress(Char& Key) {
    TVidIvezadOrir& g = grid();
    TNavigation* Nav = g.Navigation();
    const auto firePress = [&] {
        if (g.OnKeyPress) FireEvent(g.OnKeyPress, &g, Key);
    };
    if (Key == u'\x1B') {
        if (g.Options().Contains(goEditing) && g.EditActive()) RestoreCellCache();
        firePress();
        return false;
    }
    const int RealCol = g.DisplToRealCol(g.Col());
    if (Key == u'\r') {
        const bool Editing = g.EditActive();
        if (!Editing && !Nav->AdvanceOnEnter() && !isEditable(RealCol, g.Row())) {
            firePress();
            Key = u'\0';
            return false;
        }
        if (g.RowCount() == g.FState->FixedRowsMin && Nav->AdvanceOnEnter()) {
            firePress();
            if (Nav->AdvanceInsert()) {
                g.SetRowCount(g.RowCount() + 1);
                g.ClearRows(g.RowCount() - 1, 1);
            }
            return false;
        }
        const bool ControlCell = g.IsControlCell(RealCol, g.Row());
        if (!g.Focused() || ControlCell) {
            if (!g.Focused() && g.CanFocus()) g.SetFocus();
            const bool Shift = GetKeyState(VK_SHIFT) < 0;
            AdvanceEdit(g.Col(), g.Row(), false, false, !Shift, false, Editing);
            if (Nav->AdvanceOnEnter() && !Nav->AdvanceAutoEdit()) {
                firePress();
                Key = u'\0';
                return false;
            }
            if (g.IsControlCell(g.DisplToRealCol(g.Col()), g.Row())) {
                firePress();
                if (Nav->AdvanceOnEnter()) g.ShowInplaceEdit();
                return false;
            }
        }
    }
    if (!g.Options().Contains(goEditing) && Nav->AutoGotoWhenSorted()) {
        if (Nav->AutoGotoIncremental()) {
            if (Key == u'\b')
                FSearchInc.chop(1);
            else
                FSearchInc += Key;
            FSearchTics = 0;
        } else {
            FSearchInc = QString(Key);
        }
        const int Found = searchSortColumn(AnsiUpperCase(FSearchInc));
        if (Found < 0)
            FSearchInc.clear();
        else
            g.SetRow(Found);
    }
    return true;
}

void TVidIvezadOrir::KeyPress(Char& Key) {
    if (SelectionKeyPress(Key)) TBaseGrid::KeyPress(Key);
}
