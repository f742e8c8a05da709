// TVidIvezadOrir grouping: grouping and ungrouping on a column, sub-groups, and the merging of
// header and summary rows.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/Forms.h"

namespace {

// The first data row always starts a group: no cell holds this text.
const String kNoValue = QStringLiteral(u"\u044F\u044E");

// Restores the grid's grouping flag and painting at the end of a scope, also on an exception.
class TGroupingScope {
public:
    TGroupingScope(TVidIvezadOrir& Grid, bool& Flag) : FGrid(Grid), FFlag(Flag) {
        FGrid.BeginUpdate();
        FFlag = true;
    }
    ~TGroupingScope() {
        FFlag = false;
        FGrid.EndUpdate();
    }
    TGroupingScope(const TGroupingScope&) = delete;
    TGroupingScope& operator=(const TGroupingScope&) = delete;

private:
    TVidIvezadOrir& FGrid;
    bool& FFlag;
};

}  // namespace

TVidIvezadOrir& TVidIvezadOrirGrouping::grid() { return static_cast<TVidIvezadOrir&>(*this); }

void TVidIvezadOrirGrouping::SetGroupColumn(int Value) {
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

// ---------------------------------------------------------------------------------------------
// Helpers

TVidIvezadOrirGrouping::TGroupedColumn TVidIvezadOrirGrouping::saveColumn(int Colindex, bool Displayed) {
    TVidIvezadOrir& g = grid();
    TGroupedColumn Saved;
    Saved.Column = Colindex;
    Saved.Width = g.GetAllColWidths(Colindex);
    const auto text = [&](int Row) { return Displayed ? g.GetCellEx(Colindex, Row) : g.GetGridCell(Colindex, Row); };
    if (g.FixedRows() > 0) Saved.Caption = text(0);
    if (g.FixedFooters() > 0) Saved.Footer = text(g.RowCount() - 1);
    return Saved;
}

// Each colour only when set; Converted: system colours resolved first.
void TVidIvezadOrirGrouping::colourRow(int Row, TColor Color, TColor ColorTo, TColor TextColor, bool Converted) {
    TVidIvezadOrir& g = grid();
    const auto as = [Converted](TColor C) { return Converted ? ColorToRGB(C) : C; };
    if (Color != clNone) g.SetRowColor(Row, as(Color));
    if (ColorTo != clNone) g.SetRowColorTo(Row, as(ColorTo));
    if (TextColor != clNone) g.SetRowFontColor(Row, as(TextColor));
}

void TVidIvezadOrirGrouping::resetRowColours(int Row, TColor Color, TColor ColorTo) {
    TVidIvezadOrir& g = grid();
    if (Color != clNone) g.SetRowColor(Row, clNone);
    if (ColorTo != clNone) g.SetRowColorTo(Row, clNone);
}

void TVidIvezadOrirGrouping::mergeAndColourCell(int ACol, int Row, TColor Color, TColor ColorTo, TColor TextColor,
                                                bool Converted) {
    TVidIvezadOrir& g = grid();
    g.MergeCells(ACol, Row, g.ColCount() - ACol, 1);
    const auto as = [Converted](TColor C) { return Converted ? ColorToRGB(C) : C; };
    if (Color != clNone) g.SetColors(ACol, Row, as(Color));
    if (ColorTo != clNone) g.SetColorsTo(ACol, Row, as(ColorTo));
    if (TextColor != clNone) g.SetFontColors(ACol, Row, as(TextColor));
}

void TVidIvezadOrirGrouping::insertSummaryRow(int Row, bool Converted) {
    TVidIvezadOrir& g = grid();
    TGrouping* Gr = g.Grouping();
    g.InsertRows(Row, 1, true);
    g.MarkSummaryRow(Row);
    if (!(Gr->MergeSummary() && Gr->Summary()))
        colourRow(Row, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor(), Converted);
}

void TVidIvezadOrirGrouping::setNodeColumn(int Row, int Colindex) {
    TVidIvezadOrir& g = grid();
    if (TCellGraphic* G = g.GetCellGraphic(g.CellNode()->NodeColumn(), Row)) G->SetCellVar(Colindex);
}

int TVidIvezadOrirGrouping::nodeColumnOf(int Row) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = g.GetCellGraphic(g.CellNode()->NodeColumn(), Row);
    if (!G) return -1;
    const Variant& V = G->CellVar();
    return V.VarType() == varInteger ? V.AsInteger() : -1;
}

// ---------------------------------------------------------------------------------------------
// Group

void TVidIvezadOrirGrouping::Group(int Colindex) {
    TVidIvezadOrir& g = grid();
    // Column 0 holds the node glyphs: grouped on, it could never be given back.
    if (Colindex < g.FixedCols() || Colindex < 1) return;
    if (FGroupColumn != -1) UnGroup();
    if (g.RowCount() - g.FixedRows() <= 0) return;
    TGrouping* Gr = g.Grouping();
    const int BottomRows = g.FloatingFooter()->Visible() && g.FloatingFooter()->FooterStyle() == fsFixedLastRow ? 2 : 1;
    {
        const TGroupingScope Scope(g, FIsGrouping);
        FGroupColumn = Colindex;
        const TGroupedColumn Saved = saveColumn(Colindex, false);
        FGroupWidth = Saved.Width;
        FGroupCaption = Saved.Caption;
        FGroupFooter = Saved.Footer;
        if (g.SortSettings()->AutoSortForGrouping()) {
            g.SortSettings()->SetColumn(Colindex);
            g.QSort();
        }
        int Row = g.FixedRows(), Header = -1;
        scanGroups(Colindex, Row, Header);
        if (Header == -1) {
            g.AddNode(g.FixedRows(), Row - 1);
        } else {
            if (Header > g.FixedRows() && Gr->Summary()) {
                insertSummaryRow(Header, true);
                ++Row;
                ++Header;
            }
            g.AddNode(Header, Row - Header);
            if (!Gr->MergeHeader())
                colourRow(Header, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor(), false);
        }
        if (Gr->Summary()) insertSummaryRow(Row, false);
        g.RemoveCols(Colindex, 1);
        if (Gr->MergeHeader() || (Gr->MergeSummary() && Gr->Summary())) mergeAfterGrouping(BottomRows);
        if (g.CellNode()->ExpandOne()) {
            for (int r = g.FixedRows(); r < g.RowCount(); ++r)
                if (g.IsNode(r)) {
                    g.ExpandNode(g.DisplToRealRow(r));
                    break;
                }
        }
        if (g.Col() >= g.ColCount() || g.Row() >= g.RowCount() || g.Col() < 0 || g.Row() < 0)
            g.FocusCell(g.FixedCols(), g.FixedRows());
        g.SetRow(g.FixedRows());
    }
    if (g.SearchFooter()->Visible() && g.SearchPanel()) {
        TSearchPanel* P = g.SearchPanel();
        P->SetWidth(P->Width() + 1);
        P->SetWidth(P->Width() - 1);
    }
}

// Inserts a header row before each run of equal values and makes the previous run a node, with
// the summary of the group before it inserted once the next group is known.
void TVidIvezadOrirGrouping::scanGroups(int Colindex, int& Row, int& Header) {
    TVidIvezadOrir& g = grid();
    TGrouping* Gr = g.Grouping();
    const int HeaderCol = Colindex == 1 ? 2 : 1;
    String Prev = kNoValue;
    while (Row <= g.RowCount() - g.FixedFooters() - 1) {
        // Keeps the window alive; user input waits, so no sort, edit or ungroup runs meanwhile.
        Application->ProcessMessagesWithoutInput();
        const String Cur = g.GetGridCell(Colindex, Row);
        if (Cur != Prev) {
            if (Header != -1) {
                if (Header > g.FixedRows() && Gr->Summary()) {
                    insertSummaryRow(Header, true);
                    g.AddNode(Header + 1, Row - Header);
                    ++Row;
                } else {
                    g.AddNode(Header, Row - Header);
                }
            }
            g.InsertRows(Row, 1, true);
            g.SetGridCell(HeaderCol, Row, Cur);
            if (!Gr->MergeHeader()) colourRow(Row, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor(), true);
            Header = Row;
            ++Row;
        }
        if (Row < g.RowCount() - 1) Prev = g.GetGridCell(Colindex, Row);
        ++Row;
    }
}

void TVidIvezadOrirGrouping::mergeAfterGrouping(int BottomRows) {
    TVidIvezadOrir& g = grid();
    TGrouping* Gr = g.Grouping();
    const bool MergeSummaries = Gr->MergeSummary() && Gr->Summary();
    for (int c = g.FixedRows(); c <= g.RowCount() - 1; ++c) {
        if (g.IsNode(c) && Gr->MergeHeader())
            mergeAndColourCell(1, c, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor(), true);
        if ((g.IsNode(c + 1) || c == g.RowCount() - BottomRows) && MergeSummaries && g.IsSummary(c))
            mergeAndColourCell(1, c, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor(), false);
    }
}

// ---------------------------------------------------------------------------------------------
// UnGroup

// A header or summary row leaves the grid: its merge split or its colours reset, then cleared.
void TVidIvezadOrirGrouping::removeGroupRow(int Row, bool Merged, TColor Color, TColor ColorTo) {
    TVidIvezadOrir& g = grid();
    if (Merged)
        g.SplitRowCells(Row);
    else
        resetRowColours(Row, Color, ColorTo);
    g.ClearRect(0, Row, g.ColCount() - 1, Row);
    g.RemoveRowRange(Row, 1, false);
}

void TVidIvezadOrirGrouping::UnGroup() {
    TVidIvezadOrir& g = grid();
    if (FGroupColumn <= 0) return;
    // Sub-groups sit inside the groups: they go first, newest first.
    while (!FSubGroups.empty()) SubUnGroup(FSubGroups.back().Column);
    TGrouping* Gr = g.Grouping();
    TCellNode* Nodes = g.CellNode();
    const bool ExpandOne = Nodes->ExpandOne();
    Nodes->SetExpandOne(false);
    g.ExpandAll();
    g.InsertCols(FGroupColumn, 1);
    g.SetAllColWidths(FGroupColumn, FGroupWidth);
    if (g.FixedRows() > 0) g.SetGridCell(FGroupColumn, 0, FGroupCaption);
    if (g.FixedFooters() > 0) g.SetGridCell(FGroupColumn, g.RowCount() - 1, FGroupFooter);
    {
        const TFlagScope Grouping(FIsGrouping);
        const int HeaderCol = FGroupColumn == 1 ? 2 : 1;
        String Value;
        int Row = g.FixedRows();
        while (Row <= g.RowCount() - g.FixedFooters() - 1) {
            if (!g.IsNode(Row)) {
                g.SetGridCell(FGroupColumn, Row, Value);
                ++Row;
                continue;
            }
            // Only a row marked as summary is one: Summary may have changed since grouping.
            const int S = Row + g.GetNodeSpan(Row);
            if (g.IsSummary(S)) removeGroupRow(S, Gr->MergeSummary(), Gr->SummaryColor(), Gr->SummaryColorTo());
            Value = g.GetGridCell(HeaderCol, Row);
            g.RemoveNode(Row);
            g.FreeCellProperties(0, Row, 0, Row);
            removeGroupRow(Row, Gr->MergeHeader(), Gr->HeaderColor(), Gr->HeaderColorTo());
        }
    }
    FGroupColumn = -1;
    Nodes->SetExpandOne(ExpandOne);
    g.Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Sub-groups

void TVidIvezadOrirGrouping::SubGroup(int Colindex) {
    TVidIvezadOrir& g = grid();
    if (Colindex < g.FixedCols() || FGroupColumn == -1) return;
    TGrouping* Gr = g.Grouping();
    g.BeginUpdate();
    struct TEnd {
        TVidIvezadOrir& G;
        ~TEnd() { G.EndUpdate(); }
    } End{g};
    FSubGroups.push_back(saveColumn(Colindex, true));
    const int SubCol = Colindex + 1;
    const auto plain = [&g](int Row) { return !g.IsNode(Row) && !g.IsSummary(Row); };
    const auto closeSub = [&](int Sub, int Row) {
        g.AddNode(g.DisplToRealRow(Sub), Row - Sub);
        setNodeColumn(Sub, Colindex);
    };
    const auto lookSubHeader = [&](int Row, bool Converted) {
        if (Gr->MergeHeader())
            mergeAndColourCell(SubCol, Row, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor(), Converted);
        else
            colourRow(Row, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor(), Converted);
    };
    String Prev = kNoValue;
    int Row = g.FixedRows() + 1, Sub = -1;
    while (Row < g.RowCount() - g.FixedFooters()) {
        const String Cur = g.GetCellEx(Colindex, Row);
        if (Cur != Prev || !plain(Row)) {
            if (Sub != -1 && plain(Sub)) closeSub(Sub, Row);
            if (plain(Row)) {
                g.InsertChildRow(g.DisplToRealRow(Row), 0);
                g.SetCellEx(SubCol, Row, Cur);
                lookSubHeader(Row, true);
            }
            Sub = Row;
            ++Row;
        }
        if (Row < g.RowCount() && plain(Row - 1)) {
            Prev = g.GetCellEx(Colindex, Row);
            g.SetCellEx(Colindex, Row, String());
            ++Row;
        } else {
            Prev = kNoValue;
        }
    }
    if (Sub != -1 && g.IsSummary(Sub)) {
        g.SetRow(g.FixedRows());
        return;
    }
    if (Sub == -1) {
        g.InsertChildRow(g.DisplToRealRow(Row), 0);
        g.AddNode(g.DisplToRealRow(Row), 2);
        g.SetCellEx(SubCol, Row, g.GetCellEx(Colindex, Row + 1));
        g.SetCellEx(Colindex, Row + 1, String());
    } else if (plain(Sub)) {
        closeSub(Sub, Row);
        lookSubHeader(Sub, false);
    }
    if (Row <= g.RowCount() - 1 && plain(Row - 1)) {
        g.SetCellEx(Colindex, Row, String());
        ++Row;
    }
    if (Gr->Summary()) {
        g.InsertRows(Row, 1, true);
        g.MarkSummaryRow(g.DisplToRealRow(Row));
        if (Gr->MergeSummary())
            mergeAndColourCell(SubCol, Row, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor(), false);
        else
            colourRow(Row, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor(), false);
    }
    g.SetRow(g.FixedRows());
}

void TVidIvezadOrirGrouping::SubUnGroup(int Colindex) {
    TVidIvezadOrir& g = grid();
    for (auto It = FSubGroups.begin(); It != FSubGroups.end(); ++It)
        if (It->Column == Colindex) {
            FSubGroups.erase(It);
            break;
        }
    TGrouping* Gr = g.Grouping();
    g.ExpandAll();
    String Value;
    int Row = g.FixedRows();
    while (Row <= g.RowCount() - g.FixedFooters() - 1) {
        if (g.IsNode(Row) && nodeColumnOf(Row) == Colindex) {
            Value = g.GetGridCell(Colindex + 1, Row);
            g.RemoveNode(g.DisplToRealRow(Row));
            if (Gr->MergeHeader())
                g.SplitCells(Colindex + 1, Row);
            else
                resetRowColours(Row, Gr->HeaderColor(), Gr->HeaderColorTo());
            g.RemoveChildRow(g.DisplToRealRow(Row));
            continue;
        }
        if (!g.IsNode(Row) && !g.IsSummary(Row)) g.SetCellEx(Colindex, Row, Value);
        ++Row;
    }
}

// ---------------------------------------------------------------------------------------------
// Merging header and summary rows

void TVidIvezadOrirGrouping::MergeGroupRows() {
    TVidIvezadOrir& g = grid();
    TGrouping* Gr = g.Grouping();
    for (int r = g.FixedRows(); r <= g.RowCount() - 1; ++r)
        if ((g.IsNode(r) && Gr->MergeHeader()) || (g.IsSummary(r) && Gr->MergeSummary()))
            g.MergeCells(g.FixedCols(), r, g.ColCount() - g.FixedCols(), 1);
}

void TVidIvezadOrirGrouping::SplitRowCells(int RowIndex) {
    TVidIvezadOrir& g = grid();
    for (int c = 0; c < g.TotalColCount(); ++c)
        if (g.IsMergedCell(c, RowIndex)) g.SplitCells(c, RowIndex);
}

void TVidIvezadOrirGrouping::SplitGroupRows() {
    TVidIvezadOrir& g = grid();
    TGrouping* Gr = g.Grouping();
    for (int r = g.FixedRows(); r <= g.RowCount() - 1; ++r)
        if ((g.IsNode(r) && Gr->MergeHeader()) || (g.IsSummary(r) && Gr->MergeSummary())) g.SplitRowCells(r);
}
