// Tree nodes: making and removing them, their fields, expanding and contracting through the
// hidden-row store, the parent walk, the glyph hit test and rows inserted into and removed from
// trees.
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>
#include <vector>

namespace {

TGridItem* itemAt(const TCollection* Store, int Index) { return static_cast<TGridItem*>(Store->Items(Index)); }

// Ends a BeginUpdate when the scope is left, also by an exception.
class TUpdateScope {
public:
    TUpdateScope(TVidIvezadOrir& Grid, bool Active) : FGrid(Grid), FActive(Active) {
        if (FActive) FGrid.BeginUpdate();
    }
    ~TUpdateScope() {
        if (FActive) FGrid.EndUpdate();
    }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TVidIvezadOrir& FGrid;
    bool FActive;
};

}  // namespace

TVidIvezadOrir& TVidIvezadOrirNodes::grid() { return static_cast<TVidIvezadOrir&>(*this); }

// ---------------------------------------------------------------------------------------------
// Helpers

TCellGraphic* TVidIvezadOrirNodes::nodeAt(int ARow) {
    TVidIvezadOrir& g = grid();
    if (ARow < 0) return nullptr;
    TCellGraphic* G = g.GetCellGraphic(g.FCellNode->NodeColumn(), ARow);
    return G && G->CellType() == ctNode ? G : nullptr;
}

int TVidIvezadOrirNodes::nodeColumnLevel(int ARow) {
    TVidIvezadOrir& g = grid();
    const int c = g.FCellNode->NodeColumn();
    return g.HasCellProperties(c, ARow) ? g.GetCellProperties(c, ARow)->NodeLevel() : 0;
}

// Rows outside the grid have no level to change.
void TVidIvezadOrirNodes::changeLevels(int FromRow, int ToRow, int Delta) {
    TVidIvezadOrir& g = grid();
    const int c = g.FCellNode->NodeColumn();
    for (int r = std::max(0, FromRow); r <= ToRow && r < g.RowCount(); ++r) {
        TCellProperties* P = g.GetCellProperties(c, r);
        P->SetNodeLevel(P->NodeLevel() + Delta);
    }
}

int TVidIvezadOrirNodes::nextNodeRow(int ARow) {
    TVidIvezadOrir& g = grid();
    for (int r = ARow + 1; r < g.RowCount(); ++r)
        if (nodeAt(r)) return r;
    return g.RowCount();
}

// The display row after a node's span: its span, or up to the next node row when the span is
// below 1.
int TVidIvezadOrirNodes::spanEnd(int ARow, const TCellGraphic* Node) {
    return Node->CellIndex() >= 1 ? ARow + Node->CellIndex() : nextNodeRow(ARow);
}

void TVidIvezadOrirNodes::setMergeCollaps(int ARow, bool Value) {
    TVidIvezadOrir& g = grid();
    for (int c = 0; c < g.TotalColCount(); ++c)
        if (g.HasCellProperties(c, ARow)) g.GetCellProperties(c, ARow)->SetMergeCollaps(Value);
}

// ---------------------------------------------------------------------------------------------
// Making and removing nodes

void TVidIvezadOrirNodes::AddNode(int ARow, int Span) {
    TVidIvezadOrir& g = grid();
    if (Span < 1) return;
    const int a = g.RealToDisplRow(ARow);
    const int c = g.FCellNode->NodeColumn();
    TCellGraphic* G = g.CreateCellGraphic(c, a);
    G->SetCellType(ctNode);
    G->SetCellBoolean(false);
    G->SetCellIndex(Span);
    G->SetCellErrFrom(0);
    G->SetCellAngle(a);
    G->SetCellHAlign(haBeforeText);
    G->SetCellVAlign(vaCenter);
    G->SetCellVar(Variant(-1));
    changeLevels(a, a + Span - 1, 1);
    if (!g.HasNodes()) g.RepaintCol(g.RealToDisplCol(c));
    ++g.FState->NodeCount;
    if (g.Col() == 0 && g.ColCount() > 1) g.SetCol(1);
}

void TVidIvezadOrirNodes::RemoveNode(int ARow) {
    TVidIvezadOrir& g = grid();
    ExpandNodeRows(ARow);
    const int d = g.DisplRowIndex(ARow);
    if (TCellGraphic* Node = nodeAt(d)) changeLevels(d, spanEnd(d, Node) - 1, -1);
    g.RemoveCellGraphicOfType(g.FCellNode->NodeColumn(), d, ctNode);
    if (g.FState->NodeCount > 0) --g.FState->NodeCount;
    g.Invalidate();
}

void TVidIvezadOrirNodes::RemoveAllNodes() {
    TVidIvezadOrir& g = grid();
    for (int r = 0; r < g.RowCount(); ++r) {
        if (!nodeAt(r)) continue;
        ExpandNode(g.RealRowIndex(r));
        if (TCellGraphic* Node = nodeAt(r)) changeLevels(r, spanEnd(r, Node) - 1, -1);
        g.RemoveCellGraphicOfType(g.FCellNode->NodeColumn(), r, ctNode);
        if (g.FState->NodeCount > 0) --g.FState->NodeCount;
    }
    g.Invalidate();
}

void TVidIvezadOrirNodes::MarkSummaryRow(int ARow) {
    TVidIvezadOrir& g = grid();
    g.CreateCellGraphic(0, g.RealToDisplRow(ARow))->SetCellType(ctSummary);
}

bool TVidIvezadOrir::IsNode(int ARow) { return ARow >= 0 && GetCellType(FCellNode->NodeColumn(), ARow) == ctNode; }

bool TVidIvezadOrir::IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }

bool TVidIvezadOrir::HasNodes() { return FState->NodeCount > 0; }

int TVidIvezadOrir::GetCellIndent(int ARow) {
    const int c = FCellNode->NodeColumn();
    if (!HasNodes() || ARow < 0 || !HasCellProperties(c, ARow)) return 0;
    return GetCellProperties(c, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

bool TVidIvezadOrir::CellNodeOwnerHasNodes() { return HasNodes(); }
void TVidIvezadOrir::CellNodeChanged() { Invalidate(); }

// ---------------------------------------------------------------------------------------------
// Fields

bool TVidIvezadOrirNodes::GetNodeState(int ARow) {
    const TCellGraphic* Node = nodeAt(ARow);
    return Node && Node->CellBoolean();
}

void TVidIvezadOrirNodes::SetNodeState(int ARow, bool Value) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* Node = nodeAt(ARow);
    if (!Node || Node->CellBoolean() == Value) return;
    if (Value)
        ContractNode(g.DisplToRealRow(ARow));
    else
        ExpandNode(g.DisplToRealRow(ARow));
}

int TVidIvezadOrirNodes::GetNodeLevel(int ARow) { return nodeAt(ARow) ? nodeColumnLevel(ARow) : -1; }

int TVidIvezadOrirNodes::GetNodeSpan(int ARow) {
    const TCellGraphic* Node = nodeAt(ARow);
    return Node ? Node->CellIndex() : -1;
}

void TVidIvezadOrirNodes::SetNodeSpan(int ARow, int Span) {
    if (TCellGraphic* Node = nodeAt(ARow)) Node->SetCellIndex(Span);
}

void TVidIvezadOrirNodes::UpdateNodeSpan(int ARow, int Delta) {
    if (TCellGraphic* Node = nodeAt(ARow)) Node->SetCellIndex(Node->CellIndex() + Delta);
}

int TVidIvezadOrirNodes::GetSubNodeCount(int ARow) {
    const TCellGraphic* Node = nodeAt(ARow);
    return Node ? Node->CellErrFrom() : 0;
}

void TVidIvezadOrirNodes::UpdateSubNodeCount(int ARow, int Delta) {
    if (TCellGraphic* Node = nodeAt(ARow)) Node->SetCellErrFrom(Node->CellErrFrom() + Delta);
}

int TVidIvezadOrirNodes::GetNodeSpanType(int ARow) {
    TVidIvezadOrir& g = grid();
    if (nodeAt(ARow)) return 0;
    if (ARow >= g.RowCount() - g.FixedFooters() - 1) return 1;
    const int c = g.FCellNode->NodeColumn();
    if (g.HasCellProperties(c, ARow + 1) && nodeColumnLevel(ARow + 1) >= nodeColumnLevel(ARow)) return 2;
    return 1;
}

int TVidIvezadOrirNodes::GetParentRow(int ARow) {
    TVidIvezadOrir& g = grid();
    if (!g.HasNodes()) return -1;
    int Level0 = 65535;
    int Fallback = -1;
    if (nodeAt(ARow)) {
        Level0 = nodeColumnLevel(ARow);
        Fallback = ARow;
    }
    int Hidden = 0;
    for (int r = ARow; r >= g.FixedRows(); --r) {
        const TCellGraphic* Node = nodeAt(r);
        if (!Node || nodeColumnLevel(r) >= Level0) continue;
        const int s = Node->CellIndex();
        if (Node->CellBoolean()) Hidden += s - 1;
        if (ARow < r + s - Hidden) return r;
    }
    return Fallback;
}

void TVidIvezadOrirNodes::AppendGroupCount(int ACol, int ARow, String& Value) {
    TVidIvezadOrir& g = grid();
    if (!g.Grouping()->ShowGroupCount() || ACol != 1) return;
    const TCellGraphic* Node = nodeAt(ARow);
    if (!Node) return;
    const int n = Node->CellIndex() - 1 - Node->CellErrFrom();
    const String& Fmt = g.Grouping()->GroupCountFormat();
    Value += Fmt.isEmpty() ? QStringLiteral(" (%1)").arg(n) : Format(Fmt, {n});
}

// ---------------------------------------------------------------------------------------------
// Expanding and contracting

void TVidIvezadOrirNodes::ExpandNode(int ARow) {
    TVidIvezadOrir& g = grid();
    if (g.FCellNode->ExpandOne()) {
        // The ancestors stay expanded: contracting one would hide the node being expanded.
        std::vector<int> Ancestors;
        for (int p = GetParentRow(g.RealToDisplRow(ARow)), Last = -1; p != -1 && p != Last;
             Last = p, p = GetParentRow(p))
            Ancestors.push_back(g.RealRowIndex(p));
        for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
            const TCellGraphic* Node = nodeAt(r);
            if (!Node || Node->CellBoolean()) continue;
            const int Real = g.RealRowIndex(r);
            if (std::find(Ancestors.begin(), Ancestors.end(), Real) == Ancestors.end()) ContractNode(Real);
        }
    }
    ExpandNodeRows(ARow);
}

void TVidIvezadOrirNodes::ExpandNodeRows(int ARow) {
    TVidIvezadOrir& g = grid();
    const int b = g.RealToDisplRow(ARow);
    TCellGraphic* Node = nodeAt(b);
    if (!Node || !Node->CellBoolean()) return;
    Node->SetCellBoolean(false);
    setMergeCollaps(b, false);
    const int e = Node->CellIndex() >= 1 ? b + 1 : nextNodeRow(b);

    const int Top = g.TopRow();
    const int Current = g.Row();
    TMouseActions* Mouse = g.MouseActions();
    const bool Disjunct = Mouse->DisjunctRowSelectDirect();
    Mouse->SetDisjunctRowSelectDirect(false);
    const bool RowSelect = g.Options().Contains(goRowSelect);
    if (RowSelect) g.SetOptions(g.Options() - TGridOptions{goRowSelect});
    {
        struct TRestore {
            TMouseActions* Mouse;
            bool Disjunct;
            ~TRestore() { Mouse->SetDisjunctRowSelectDirect(Disjunct); }
        } Restore{Mouse, Disjunct};
        const TUpdateScope Update(g, g.CellControlCount() == 0);
        g.UnHideRows(g.DisplToRealRow(b) + 1, g.DisplToRealRow(e) - 1);
        if (RowSelect) {
            g.SetOptions(g.Options() + TGridOptions{goRowSelect});
            if (Current < g.RowCount()) g.SetRow(Current);
            if (Top >= g.FixedRows() && Top < g.RowCount()) g.SetTopRow(Top);
        }
    }
    g.CalcFooter(-1);
}

void TVidIvezadOrirNodes::ContractNode(int ARow) {
    TVidIvezadOrir& g = grid();
    g.HideInplaceEdit();
    const TFlagScope Forced(g.FState->ForceSel);
    const int a = g.RealToDisplRow(ARow);
    TCellGraphic* Node = nodeAt(a);
    if (!Node || Node->CellBoolean()) return;
    Node->SetCellBoolean(true);
    setMergeCollaps(a, true);
    int e = spanEnd(a, Node);
    const int b = a + 1;
    int r = b;
    while (r < e) {
        TCellGraphic* Inner = nodeAt(r);
        if (!Inner || !Inner->CellBoolean()) {
            ++r;
            continue;
        }
        // An inner contracted node is expanded and leaves with its rows; its children are
        // hidden already, so the end comes closer by them too.
        Inner->SetCellBoolean(false);
        if (TControl* C = g.GetCellControls(1, r + 1)) C->SetVisible(false);
        const int Span = Inner->CellIndex();
        g.HideRows(g.DisplToRealRow(b), g.DisplToRealRow(r));
        e = e + b - Span - r;
        r = b;
    }
    g.HideRows(g.DisplToRealRow(b), g.DisplToRealRow(e - 1));
    g.CalcFooter(-1);
}

// Every hidden row back at its real index in one pass from the bottom: each target row takes
// the hidden row that belongs there, else the next shown row from above.
void TVidIvezadOrirNodes::restoreAllHiddenRows() {
    TVidIvezadOrir& g = grid();
    TCollection* Store = g.FGridItems.get();
    const int k = Store->Count();
    if (k > 0) {
        if (g.Row() >= g.RowCount()) g.FocusCell(g.FixedCols(), g.FixedRows(), true);
        std::vector<TGridItem*> Items;
        Items.reserve(static_cast<size_t>(k));
        for (int i = 0; i < k; ++i) Items.push_back(itemAt(Store, i));
        std::stable_sort(Items.begin(), Items.end(), [](TGridItem* A, TGridItem* B) { return A->Idx() < B->Idx(); });
        const bool FooterShown = g.FloatingFooter()->Visible();
        const int OldCount = g.RowCount();
        {
            const TFlagScope Blocking(g.FState->BlockFilterUpdate);
            g.InsertGridRows(g.RowCount(), k);
        }
        const int Foot = FooterShown ? 1 : 0;
        int s = OldCount - 1 - Foot;
        int i = k - 1;
        TGridCellStore& Cells = g.CellStore();
        for (int t = g.RowCount() - 1 - Foot; t >= 0; --t) {
            if (i >= 0 && (Items[static_cast<size_t>(i)]->Idx() >= t || s < 0)) {
                g.copyItemToRow(Items[static_cast<size_t>(i)], t);
                --i;
            } else if (s >= 0 && s < t) {
                Cells.ExchangeRows(s, t);
                const int H = g.RowHeights(s);
                g.SetRowHeights(s, g.RowHeights(t));
                g.SetRowHeights(t, H);
                --s;
            } else {
                --s;
            }
        }
        if (FooterShown && OldCount - 1 != g.RowCount() - 1) Cells.ExchangeRows(OldCount - 1, g.RowCount() - 1);
        Store->Clear();
        g.afterRowCountChanged();
        g.FreeHiddenRowLookup();
    }
    g.CellControlsUpdate(false);
}

void TVidIvezadOrirNodes::relayoutSearchFooter() {
    TVidIvezadOrir& g = grid();
    if (g.SearchFooter()->Visible()) g.SetBounds(g.Left(), g.Top(), g.Width(), g.Height());
}

void TVidIvezadOrirNodes::ExpandAll() {
    TVidIvezadOrir& g = grid();
    restoreAllHiddenRows();
    {
        const TUpdateScope Update(g, true);
        for (int r = g.FixedRows(); r < g.TotalRowCount(); ++r)
            if (TCellGraphic* Node = nodeAt(r)) Node->SetCellBoolean(false);
    }
    relayoutSearchFooter();
    g.CalcFooter(-1);
}

void TVidIvezadOrirNodes::ContractAll() {
    TVidIvezadOrir& g = grid();
    bool AnyExpanded = false;
    for (int r = g.FixedRows(); r < g.RowCount() && !AnyExpanded; ++r)
        if (const TCellGraphic* Node = nodeAt(r)) AnyExpanded = !Node->CellBoolean();
    if (!AnyExpanded) return;
    {
        const TUpdateScope Update(g, true);
        ExpandAll();
        TIntList Rows(-1, -1);
        int r = g.FixedRows();
        while (r < g.RowCount()) {
            TCellGraphic* Node = nodeAt(r);
            if (!Node) {
                ++r;
                continue;
            }
            Node->SetCellBoolean(true);
            // A span below 1 reaches up to the next node row; the walk always moves on.
            const int End = std::max(r + 1, spanEnd(r, Node));
            for (int Child = r + 1; Child < End && Child < g.RowCount(); ++Child) Rows.Add(Child);
            r = End;
        }
        g.HideRowList(&Rows);
    }
    g.CellControlsUpdate(false);
    relayoutSearchFooter();
    g.CalcFooter(-1);
}

// ---------------------------------------------------------------------------------------------
// The glyph hit test

namespace {

// Right (A) and left (B) margins of the glyph per node type.
struct TGlyphMargins {
    int A, B;
};
constexpr TGlyphMargins kGlyphMargins[] = {
    /* cnFlat  */ {4, 4},
    /* cn3D    */ {6, 0},
    /* cnGlyph */ {0, 0},  // from the expand glyph
    /* cnLeaf  */ {8, 2},
    /* cnXP    */ {4, 4},
};
static_assert(std::size(kGlyphMargins) == cnXP + 1);

}  // namespace

bool TVidIvezadOrirNodes::IsOnNodeGlyph(int ARow, int X) {
    TVidIvezadOrir& g = grid();
    if (!g.MouseActions()->PreciseNodeClick()) return true;
    const TCellNode* N = g.FCellNode.get();
    const int L = g.CellRect(g.RealToDisplCol(N->NodeColumn()), 0).Left;
    const int lv = GetNodeLevel(ARow);
    const int I = N->NodeIndent();
    TGlyphMargins M = kGlyphMargins[N->NodeType()];
    if (N->NodeType() == cnGlyph && !N->ExpandGlyph()->Empty()) M = {N->ExpandGlyph()->Width() / 2, 2};
    if (g.BiDiMode() != bdRightToLeft) {
        const int d = X - L;
        return M.B + (lv - 1) * I < d && d < M.A + lv * I;
    }
    int e = X - L;
    if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) e += GetSystemMetrics(SM_CXVSCROLL);
    return g.Width() - 2 - lv * I - M.A <= e && e < g.Width() - (lv - 1) * I;
}

// ---------------------------------------------------------------------------------------------
// Rows in trees

// The ancestors of a node that gained a row grow with it, up to the top level.
void TVidIvezadOrirNodes::growAncestors(int Parent, int Level) {
    TVidIvezadOrir& g = grid();
    int a = Parent;
    int l = Level;
    while (l > 1 && a != -1 && a >= g.FixedRows()) {
        a = GetParentRow(a - 1);
        if (a == -1) break;
        const int al = nodeColumnLevel(a);
        if (al < l) {
            UpdateNodeSpan(a, 1);
            UpdateSubNodeCount(a, 1);
            ExpandNode(g.RealRowIndex(a));
            l = al;
        }
    }
}

// Hidden rows after real row After move by Delta.
void TVidIvezadOrirNodes::shiftHiddenRows(int After, int Delta) {
    TVidIvezadOrir& g = grid();
    for (int i = 0; i < g.FGridItems->Count(); ++i)
        if (TGridItem* It = itemAt(g.FGridItems.get(), i); It->Idx() > After) It->SetIdx(It->Idx() + Delta);
    g.FreeHiddenRowLookup();
}

void TVidIvezadOrirNodes::InsertChildRow(int ARow, int InsertAt) {
    TVidIvezadOrir& g = grid();
    const int d = g.DisplRowIndex(ARow);
    const bool OnNode = nodeAt(d) != nullptr;
    int N = OnNode ? d : GetParentRow(d);
    const int NReal = N != -1 ? g.RealRowIndex(N) : -1;
    int Level = 1;
    if (N != -1) {
        UpdateNodeSpan(N, 1);
        UpdateSubNodeCount(N, 1);
        ExpandNode(NReal);
        N = g.RealToDisplRow(NReal);
        Level = nodeColumnLevel(N);
    }
    growAncestors(N, Level);
    const int dNow = g.DisplRowIndex(ARow);
    const int At = OnNode && InsertAt == 0 ? dNow + 1 : dNow + InsertAt;
    // Hidden rows from the new row's real place on move down with it; those before it (the
    // children of a contracted node earlier in the span) stay.
    const int InsertReal = g.DisplToRealRow(At);
    if (OnNode && InsertAt == 0) {
        g.InsertRows(At, 1, true);
        for (int c = 0; c < g.TotalColCount(); ++c) {
            g.SetGridCell(c, At, g.GetGridCell(c, dNow));
            g.SetGridCell(c, dNow, String());
            if (c > 0) {
                g.CellStore().SetObject(c, At, g.CellStore().Object(c, dNow));
                g.CellStore().SetObject(c, dNow, nullptr);
            }
        }
    } else {
        g.InsertRows(At, 1, true);
    }
    if (N != -1) g.GetCellProperties(g.FCellNode->NodeColumn(), At)->SetNodeLevel(Level);
    shiftHiddenRows(InsertReal - 1, 1);
}

void TVidIvezadOrirNodes::RemoveChildRow(int ARow) {
    TVidIvezadOrir& g = grid();
    const int d = g.DisplRowIndex(ARow);
    const int Real = g.RealRowIndex(d);
    for (int i = 0; i < g.FControlList->Count(); ++i) {
        TControlItem* CI = g.FControlList->GetControl(i);
        if (CI->Y() >= Real) CI->SetY(CI->Y() - 1);
    }
    int N = GetParentRow(d);
    if (N != -1) {
        const int lvl = nodeColumnLevel(N);
        if (GetNodeSpan(N) > 1) {
            UpdateNodeSpan(N, -1);
            UpdateSubNodeCount(N, -1);
        }
        for (;;) {
            ExpandNode(g.RealRowIndex(N));
            if (nodeColumnLevel(N) <= 1) break;
            const int Next = GetParentRow(N);
            // A top-level node answers itself: the walk ends there.
            if (Next == -1 || Next == N || nodeColumnLevel(Next) >= lvl) break;
            N = Next;
            if (GetNodeSpan(N) > 1) {
                UpdateNodeSpan(N, -1);
                UpdateSubNodeCount(N, -1);
            }
        }
    }
    // The controls moved already; the hidden rows after the row move up with it.
    g.RemoveRowRange(g.DisplRowIndex(ARow), 1, false);
    shiftHiddenRows(Real, -1);
    --g.FState->MaxRowCount;
}

void TVidIvezadOrirNodes::InsertNormalRow(int ARow) {
    TVidIvezadOrir& g = grid();
    g.InsertRows(g.DisplRowIndex(ARow), 1, true);
    shiftHiddenRows(ARow, 1);
}

void TVidIvezadOrirNodes::RemoveNormalRow(int ARow) {
    TVidIvezadOrir& g = grid();
    g.RemoveRows(ARow, 1);
    --g.FState->MaxRowCount;
}
