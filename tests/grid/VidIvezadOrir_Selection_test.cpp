// Selection by code: the disjunct row and column events with vetoes and the order of selected
// rows, ranges cut at the grid's end, modified and disabled rows, the advance after Enter over
// directions, read-only cells and added rows, and the grid's key presses.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

// The grid's key handling, reachable from the tests.
class TKeyGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::KeyPress;
    using TVidIvezadOrir::TVidIvezadOrir;
};

TGridPtr newGrid(int Cols = 5, int Rows = 10) {
    TGridPtr G(new TKeyGrid(nullptr));
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    return G;
}

std::vector<int> selectedRows(TVidIvezadOrir* G) {
    std::vector<int> Rows;
    for (int i = 0; i < G->SelectedRows()->Count(); ++i) Rows.push_back(G->SelectedRows()->GetInteger(i));
    return Rows;
}

TEST(RowSelection, EventsVetoesAndTheOrderOfSelection) {
    auto G = newGrid();
    G->MouseActions()->SetDisjunctRowSelect(true);
    std::vector<String> Log;
    bool Allow = true;
    G->OnRowDisjunctSelect = [&](TObject*, int r, bool s, bool& A) {
        Log.push_back(QStringLiteral("ask %1 %2").arg(r).arg(s));
        A = Allow;
    };
    G->OnRowDisjunctSelected = [&](TObject*, int r) { Log.push_back(QStringLiteral("done %1").arg(r)); };
    G->SetRowSelect(5, true);
    G->SetRowSelect(5, true);  // nothing changes: nothing fires
    G->SetRowSelect(2, true);
    G->SetRowSelect(5, false);
    EXPECT_EQ(Log,
              (std::vector<String>{QStringLiteral("ask 5 1"), QStringLiteral("done 5"), QStringLiteral("ask 2 1"),
                                   QStringLiteral("done 2"), QStringLiteral("ask 5 0"), QStringLiteral("done 5")}));
    Allow = false;
    Log.clear();
    G->SetRowSelect(7, true);
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("ask 7 1")})) << "a veto fires no selected event";
    EXPECT_FALSE(G->GetRowSelect(7));
    Allow = true;
    G->SetRowSelect(9, true);
    G->SetRowSelect(3, true);
    EXPECT_EQ(selectedRows(G.get()), (std::vector<int>{2, 9, 3}));
    EXPECT_EQ(G->RowSelectCount(), 3);
    G->ClearRowSelect();
    EXPECT_EQ(G->RowSelectCount(), 0);
    EXPECT_TRUE(selectedRows(G.get()).empty());
}

TEST(RowSelection, RangesErrorsAndTheSelectionChangedReport) {
    auto G = newGrid();
    G->MouseActions()->SetDisjunctRowSelect(true);
    G->SelectRows(8, 5);
    std::set<int> Rows;
    for (int r = 0; r < 10; ++r)
        if (G->GetRowSelect(r)) Rows.insert(r);
    EXPECT_EQ(Rows, (std::set<int>{8, 9}));
    G->UnSelectRows(9, 3);
    EXPECT_FALSE(G->GetRowSelect(9));
    for (bool Persistent : {false, true}) {
        G->MouseActions()->SetRowSelectPersistent(Persistent);
        try {
            G->GetRowSelect(-1);
            ADD_FAILURE() << "no error";
        } catch (const EZirOdadError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Invalid row -1 accessed"));
        }
    }
    G->MouseActions()->SetRowSelectPersistent(false);
    G->HideRows(2, 3);
    EXPECT_FALSE(G->GetRowSelect(G->RowCount() + 1)) << "hidden rows count";
    EXPECT_THROW(G->GetRowSelect(10), EZirOdadError);
    EXPECT_THROW(G->SetRowSelect(-1, true), EZirOdadError);
    std::vector<int> Reports;
    G->OnSelectionChanged = [&](TObject*, int, int Top, int, int) { Reports.push_back(Top); };
    G->SetRow(4);
    G->SetRowSelect(4, true);
    G->SetRowSelect(5, true);
    EXPECT_EQ(Reports, (std::vector<int>{4})) << "only the current row reports";
    G->MouseActions()->SetDisjunctRowSelect(false);
    G->SetSelection(TGridRect{1, 3, 2, 5});
    EXPECT_TRUE(G->GetRowSelect(4));
    EXPECT_FALSE(G->GetRowSelect(6));
}

TEST(ColumnSelection, EventsAndErrors) {
    auto G = newGrid();
    G->MouseActions()->SetDisjunctColSelect(true);
    std::vector<String> Log;
    G->OnRowDisjunctSelect = [&](TObject*, int, bool, bool&) { Log.push_back(QStringLiteral("row")); };
    G->OnColDisjunctSelect = [&](TObject*, int c, bool, bool&) { Log.push_back(QStringLiteral("ask %1").arg(c)); };
    G->OnColDisjunctSelected = [&](TObject*, int c) { Log.push_back(QStringLiteral("done %1").arg(c)); };
    G->SetColSelect(3, true);
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("ask 3"), QStringLiteral("done 3")}));
    EXPECT_TRUE(G->GetColSelect(3));
    G->SelectCols(1, 9);
    EXPECT_EQ(G->ColSelectCount(), 4);
    G->ClearColSelect();
    EXPECT_EQ(G->ColSelectCount(), 0);
    for (int Bad : {-1, 5}) {
        try {
            G->SetColSelect(Bad, true);
            ADD_FAILURE();
        } catch (const EZirOdadError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Invalid column accessed"));
        }
    }
    EXPECT_THROW(G->GetColSelect(5), EZirOdadError);
}

TEST(RowFlags, ModifiedAndDisabledRowsRefuseRowsOutsideTheGrid) {
    auto G = newGrid();
    G->SetRowModified(3, true);
    G->SetRowModified(-1, true);
    G->SetRowModified(1000000, true);
    EXPECT_EQ(G->ModifiedRowCount(), 1);
    EXPECT_TRUE(G->GetRowModified(3));
    EXPECT_FALSE(G->GetRowModified(50));
    G->SetRowEnabled(-2, false);
    G->SetRowEnabled(1000000, false);
    EXPECT_TRUE(G->GetRowEnabled(-2));
    G->SetRow(1);
    G->SetRowEnabled(2, false);
    G->SetRowEnabled(1, false);
    EXPECT_EQ(G->Row(), 3) << "the first other enabled row";
    EXPECT_FALSE(G->GetRowEnabled(1));
    G->SetRowEnabled(1, true);
    EXPECT_TRUE(G->GetRowEnabled(1));
}

// The advance over a 4 x 4 grid of normal cells (columns and rows 1..4).
TEST(AdvanceEdit, DirectionsFlagsAndReadOnlyCells) {
    struct Case {
        const char* Name;
        TAdvanceDirection Dir;
        bool Insert, Loop, Skip, Forward;
        std::set<std::pair<int, int>> ReadOnly;
        TPoint Start, End;
        int RowsAfter;
        int RowEvents;
    } Cases[] = {
        {"right", adLeftRight, false, false, false, true, {}, {1, 1}, {2, 1}, 5, 0},
        {"wrap to next row", adLeftRight, false, false, false, true, {}, {4, 1}, {1, 2}, 5, 0},
        {"last cell, loop", adLeftRight, false, true, false, true, {}, {4, 4}, {1, 1}, 5, 0},
        {"last cell, insert", adLeftRight, true, false, false, true, {}, {4, 4}, {1, 5}, 6, 1},
        {"last cell, nothing", adLeftRight, false, false, false, true, {}, {4, 4}, {4, 4}, 5, 0},
        {"in row wraps with loop", adLeftRightInRow, false, true, false, true, {}, {4, 2}, {1, 2}, 5, 0},
        {"down", adTopBottom, false, false, false, true, {}, {2, 2}, {2, 3}, 5, 0},
        {"down wraps to next column", adTopBottom, false, false, false, true, {}, {2, 4}, {3, 1}, 5, 0},
        {"in column, insert", adTopBottomInCol, true, false, false, true, {}, {2, 4}, {2, 5}, 6, 1},
        {"skip read-only", adLeftRight, false, false, true, true, {{2, 1}, {3, 1}}, {1, 1}, {4, 1}, 5, 0},
        {"stop on read-only", adLeftRight, false, false, false, true, {{2, 1}}, {1, 1}, {2, 1}, 5, 0},
        {"back", adLeftRight, false, false, false, false, {}, {1, 2}, {4, 1}, 5, 0},
    };
    for (const Case& C : Cases) {
        auto G = newGrid(5, 5);
        G->SetOptions(G->Options().Include(goEditing));
        TNavigation* Nav = G->Navigation();
        Nav->SetAdvanceOnEnter(true);
        Nav->SetAdvanceDirection(C.Dir);
        Nav->SetAdvanceInsert(C.Insert);
        Nav->SetAdvanceOnEnterLoop(C.Loop);
        Nav->SetAdvanceSkipReadOnlyCells(C.Skip);
        G->OnCanEditCell = [&](TObject*, int r, int c, bool& CanEdit) { CanEdit = !C.ReadOnly.count({c, r}); };
        int RowEvents = 0;
        G->OnAutoAddRow = [&](TObject*, int) { ++RowEvents; };
        G->SetCol(C.Start.X);
        G->SetRow(C.Start.Y);
        G->AdvanceEdit(C.Start.X, C.Start.Y, false, false, C.Forward, false, false);
        EXPECT_EQ(Point(G->Col(), G->Row()), C.End) << C.Name;
        EXPECT_EQ(G->RowCount(), C.RowsAfter) << C.Name;
        EXPECT_EQ(RowEvents, C.RowEvents) << C.Name;
    }
}

TEST(AdvanceEdit, VetoesAndARefusedRow) {
    auto G = newGrid(5, 5);
    G->SetOptions(G->Options().Include(goEditing));
    G->Navigation()->SetAdvanceOnEnter(true);
    G->Navigation()->SetAdvanceInsert(true);
    G->OnCanAddRow = [](TObject*, bool& Can) { Can = false; };
    G->SetCol(4);
    G->SetRow(4);
    G->AdvanceEdit(4, 4, false, false, true, false, false);
    EXPECT_EQ(G->RowCount(), 5) << "OnCanAddRow refused";
    std::vector<String> Log;
    G->OnAutoAdvance = [&](TObject*, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow) {
        Log.push_back(QStringLiteral("%1,%2>%3,%4").arg(OldCol).arg(OldRow).arg(NewCol).arg(NewRow));
        Allow = NewCol != 3;
    };
    G->SetCol(1);
    G->SetRow(1);
    G->AdvanceEdit(1, 1, false, false, true, false, false);
    EXPECT_EQ(Point(G->Col(), G->Row()), Point(2, 1));
    G->AdvanceEdit(2, 1, false, false, true, false, false);
    EXPECT_EQ(Point(G->Col(), G->Row()), Point(2, 1)) << "vetoed";
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("1,1>2,1"), QStringLiteral("2,1>3,1")}));
    G->Navigation()->SetAdvanceOnEnter(false);
    G->AdvanceEdit(1, 1, false, false, true, false, false);
    EXPECT_EQ(Log.size(), 2u) << "nothing without AdvanceOnEnter or Force";
}

TEST(AdvanceEdit, ALongRunOfReadOnlyCellsIsPassedInALoop) {
    constexpr int Run = 100000;
    auto G = newGrid(3, Run + 4);
    G->SetOptions(G->Options().Include(goEditing));
    TNavigation* Nav = G->Navigation();
    Nav->SetAdvanceOnEnter(true);
    Nav->SetAdvanceDirection(adTopBottomInCol);
    Nav->SetAdvanceSkipReadOnlyCells(true);
    G->OnCanEditCell = [](TObject*, int r, int, bool& CanEdit) { CanEdit = r == 1 || r > Run + 1; };
    G->AdvanceEdit(1, 1, false, false, true, false, false);
    EXPECT_EQ(G->Row(), Run + 2);
    // Every other cell read-only: the walk ends where it began.
    G->OnCanEditCell = [](TObject*, int r, int c, bool& CanEdit) { CanEdit = false; };
    Nav->SetAdvanceOnEnterLoop(true);
    G->SetRow(5);
    G->AdvanceEdit(1, 5, false, false, true, false, false);
    EXPECT_EQ(G->Row(), 5);
}

TEST(AdvanceEdit, AControlCellIsClickedNearItsCorner) {
    auto G = newGrid(5, 5);
    G->SetOptions(G->Options().Include(goEditing));
    G->Navigation()->SetAdvanceOnEnter(true);
    G->AddCheckBox(2, 1, false, false);
    std::vector<TPoint> Presses;
    G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { Presses.push_back(Point(X, Y)); };
    G->AdvanceEdit(1, 1, false, false, true, false, true);
    const TRect R = G->CellRect(2, 1);
    ASSERT_EQ(Presses.size(), 1u);
    EXPECT_EQ(Presses[0], Point(R.Left + 2, R.Top + 2));
}

TEST(GridKeys, EscapeEnterAndIncrementalSearch) {
    auto G = newGrid(3, 6);
    std::vector<int> Pressed;
    G->OnKeyPress = [&](TObject*, Char& Key) { Pressed.push_back(Key.unicode()); };
    // Enter on a cell that cannot be edited, without AdvanceOnEnter, is swallowed.
    Char Key = u'\r';
    static_cast<TKeyGrid*>(G.get())->KeyPress(Key);
    EXPECT_EQ(Key, Char(u'\0'));
    EXPECT_EQ(Pressed, (std::vector<int>{13}));
    // A grid without normal rows gets one with AdvanceInsert.
    auto Empty = newGrid(3, 1);
    Empty->Navigation()->SetAdvanceOnEnter(true);
    Empty->Navigation()->SetAdvanceInsert(true);
    Key = u'\r';
    static_cast<TKeyGrid*>(Empty.get())->KeyPress(Key);
    EXPECT_EQ(Empty->RowCount(), 2);
    // Enter on a control cell advances.
    G->Navigation()->SetAdvanceOnEnter(true);
    G->SetOptions(G->Options().Include(goEditing));
    G->AddCheckBox(1, 1, false, false);
    G->SetCol(1);
    G->SetRow(1);
    Key = u'\r';
    static_cast<TKeyGrid*>(G.get())->KeyPress(Key);
    EXPECT_EQ(Point(G->Col(), G->Row()), Point(2, 1));
    // Escape puts back the text the cell had when editing began.
    G->SetCellEx(2, 1, QStringLiteral("typed"));
    G->SetEditActive(true);
    Key = u'\x1B';
    static_cast<TKeyGrid*>(G.get())->KeyPress(Key);
    EXPECT_EQ(G->GetCellEx(2, 1), String());
    G->SetEditActive(false);
    // Incremental go-to in a sorted column.
    auto S = newGrid(3, 6);
    const char* Names[] = {"beta", "alpha", "abacus", "abc", "gamma"};
    for (int r = 1; r < 6; ++r) S->SetCellEx(1, r, QString::fromUtf8(Names[r - 1]));
    S->SortSettings()->SetColumn(1);
    S->Navigation()->SetAutoGotoWhenSorted(true);
    S->Navigation()->SetAutoGotoIncremental(true);
    for (Char c : {Char(u'a'), Char(u'b'), Char(u'c')}) static_cast<TKeyGrid*>(S.get())->KeyPress(c);
    EXPECT_EQ(S->Row(), 4) << "\"ABC\"";
    Key = u'\b';
    static_cast<TKeyGrid*>(S.get())->KeyPress(Key);
    EXPECT_EQ(S->SearchInc(), QStringLiteral("ab"));
    EXPECT_EQ(S->Row(), 3) << "back to the first \"AB\"";
    Key = u'z';
    static_cast<TKeyGrid*>(S.get())->KeyPress(Key);
    EXPECT_EQ(S->SearchInc(), String()) << "no row: the search starts again";
}

}  // namespace
