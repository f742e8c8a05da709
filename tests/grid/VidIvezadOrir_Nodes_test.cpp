// Tree nodes: levels and parents of a nested tree, contracting and expanding inner and outer
// nodes with the rows coming back whole, ExpandOne, ContractAll and ExpandAll, the glyph hit
// test per node type and direction, the locked node column, rows inserted into and removed from
// trees, the group count, the grouped check boxes and the painted glyphs.
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// A grid whose grouping column can be set without grouping it.
class TTreeGrid : public TVidIvezadOrir {
public:
    TTreeGrid() : TVidIvezadOrir(nullptr) {}
    void SetGrouped(int ACol) { FGroupColumn = ACol; }
};

using TTreePtr = std::unique_ptr<TTreeGrid, TFree>;

// 3 columns, 12 rows (one fixed); column 1 reads "r<real row>", row r is 20 + r pixels high.
TTreePtr newGrid(int Rows = 12) {
    TTreePtr G(new TTreeGrid);
    G->SetColCount(3);
    G->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r) {
        G->SetCells(1, r, QStringLiteral("r%1").arg(r));
        G->SetRowHeights(r, 20 + r);
    }
    return G;
}

// What each displayed row shows and holds: its text, height and node-column properties object.
struct TRowShot {
    String Text;
    int Height;
    const TCellProperties* Props;
    bool operator==(const TRowShot&) const = default;
};

std::vector<TRowShot> snapshot(TVidIvezadOrir& G) {
    std::vector<TRowShot> Rows;
    for (int r = 0; r < G.RowCount(); ++r)
        Rows.push_back(
            {G.Cells(1, r), G.RowHeights(r), G.HasCellProperties(0, r) ? G.GetCellProperties(0, r) : nullptr});
    return Rows;
}

std::vector<String> texts(TVidIvezadOrir& G) {
    std::vector<String> T;
    for (int r = 0; r < G.RowCount(); ++r) T.push_back(G.Cells(1, r));
    return T;
}

std::vector<String> rowsNamed(std::initializer_list<int> Rows) {
    std::vector<String> T;
    for (int r : Rows) T.push_back(r < 0 ? String() : QStringLiteral("r%1").arg(r));
    return T;
}

int levelOf(TVidIvezadOrir& G, int Row) {
    return G.HasCellProperties(0, Row) ? G.GetCellProperties(0, Row)->NodeLevel() : 0;
}

// Node 5 spanning 5..7 with node 6 spanning 6..7 nested in it.
TTreePtr nestedTree() {
    auto G = newGrid();
    G->AddNode(5, 3);
    G->AddNode(6, 2);
    return G;
}

TEST(TreeNodes, NestedNodesRaiseLevelsAndFindTheirParents) {
    auto G = nestedTree();
    struct Case {
        int Row, Level, NodeLevel, Span, Parent;
    };
    const Case Cases[] = {
        {4, 0, -1, -1, -1},                                         // above the tree
        {5, 1, 1, 3, 5},                                            // a top-level node is its own parent
        {6, 2, 2, 2, 5},    {7, 2, -1, -1, 6}, {8, 0, -1, -1, -1},  // below the tree
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(levelOf(*G, C.Row), C.Level) << C.Row;
        EXPECT_EQ(G->GetNodeLevel(C.Row), C.NodeLevel) << C.Row;
        EXPECT_EQ(G->GetNodeSpan(C.Row), C.Span) << C.Row;
        EXPECT_EQ(G->GetParentRow(C.Row), C.Parent) << C.Row;
    }
    EXPECT_TRUE(G->HasNodes());
    EXPECT_EQ(G->GetCellIndent(6), 24);
    const TCellGraphic* Node = G->GetCellGraphic(0, 6);
    EXPECT_EQ(Node->CellHAlign(), haBeforeText);
    EXPECT_EQ(Node->CellVAlign(), vaCenter);
    EXPECT_EQ(Node->CellAngle(), 6);
    EXPECT_EQ(Node->CellVar().AsInteger(), -1);
    // A span below 1 makes no node; without nodes no row has a parent.
    auto Plain = newGrid();
    Plain->AddNode(3, 0);
    EXPECT_FALSE(Plain->IsNode(3));
    EXPECT_FALSE(Plain->HasNodes());
    EXPECT_EQ(Plain->GetParentRow(3), -1);
}

TEST(TreeNodes, AddingMovesTheCurrentCellOffTheNodeColumn) {
    auto G = newGrid();
    G->SetFixedCols(0);
    G->SetCol(0);
    G->AddNode(2, 2);
    EXPECT_EQ(G->Col(), 1);
}

TEST(TreeNodes, SpanTypesTellTheTreeLinesWhereAChildEnds) {
    auto G = newGrid();
    G->AddNode(2, 3);  // children 3, 4
    G->AddNode(6, 2);  // child 7
    EXPECT_EQ(G->GetNodeSpanType(2), 0);
    EXPECT_EQ(G->GetNodeSpanType(3), 2);   // another child follows
    EXPECT_EQ(G->GetNodeSpanType(4), 1);   // row 5 is outside any node
    EXPECT_EQ(G->GetNodeSpanType(11), 1);  // the last row
}

TEST(TreeNodes, ContractAndExpandBringTheSameRowsBack) {
    auto G = nestedTree();
    const auto Before = snapshot(*G);
    G->ContractNode(5);
    EXPECT_TRUE(G->GetNodeState(5));
    EXPECT_TRUE(G->GetCellProperties(0, 5)->MergeCollaps());
    EXPECT_EQ(G->RowCount(), 10);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 8, 9, 10, 11}));
    EXPECT_TRUE(G->IsHiddenRow(6));
    EXPECT_TRUE(G->IsHiddenRow(7));
    G->ContractNode(5);  // already contracted: nothing
    EXPECT_EQ(G->RowCount(), 10);
    G->ExpandNode(5);
    EXPECT_FALSE(G->GetNodeState(5));
    EXPECT_FALSE(G->GetCellProperties(0, 5)->MergeCollaps());
    EXPECT_EQ(snapshot(*G), Before);
    G->ExpandNode(5);  // already expanded: nothing
    EXPECT_EQ(snapshot(*G), Before);
}

TEST(TreeNodes, AnInnerContractedNodeComesBackExpandedWithTheOuterOne) {
    auto G = nestedTree();
    const auto Before = snapshot(*G);
    G->ContractNode(6);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11}));
    G->ContractNode(5);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 8, 9, 10, 11}));
    EXPECT_EQ(G->NumHiddenRows(), 2);
    G->ExpandNode(5);
    EXPECT_FALSE(G->GetNodeState(6));
    EXPECT_EQ(snapshot(*G), Before);
    // Expanding the inner node alone shows its row again.
    G->ContractNode(6);
    G->SetNodeState(6, false);
    EXPECT_EQ(snapshot(*G), Before);
    G->SetNodeState(5, true);
    EXPECT_TRUE(G->GetNodeState(5));
}

// Nodes at 2 (2..4) and 6 (6..9) holding node 7 (7..8).
TTreePtr threeNodes() {
    auto G = newGrid();
    G->AddNode(2, 3);
    G->AddNode(6, 4);
    G->AddNode(7, 2);
    return G;
}

TEST(TreeNodes, ExpandOneContractsTheOthersButNotTheAncestors) {
    auto G = threeNodes();
    G->CellNode()->SetExpandOne(true);
    G->ContractNode(2);
    G->ExpandNode(2);
    // Node 6 was contracted for node 2; node 7 inside it went with it, expanded.
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, 10, 11}));
    EXPECT_TRUE(G->GetNodeState(6));
    // Expanding node 6 contracts node 2 again.
    G->ExpandNode(6);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 5, 6, 7, 8, 9, 10, 11}));
    // Expanding the inner node 7 leaves its parent 6 expanded.
    G->ContractNode(7);
    G->ExpandNode(7);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(G->GetNodeState(4));  // node 6, displayed at 4
    EXPECT_FALSE(G->GetNodeState(5));  // node 7
    EXPECT_TRUE(G->GetNodeState(2));
}

TEST(TreeNodes, ContractAllAndExpandAll) {
    auto G = threeNodes();
    const auto Before = snapshot(*G);
    G->ContractAll();
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 5, 6, 10, 11}));
    EXPECT_TRUE(G->GetNodeState(2));
    EXPECT_TRUE(G->GetNodeState(4));
    // All contracted: nothing happens, not even another narrow-down level.
    const int Level = G->FilterLevel();
    G->ContractAll();
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 5, 6, 10, 11}));
    EXPECT_EQ(G->FilterLevel(), Level);
    EXPECT_EQ(G->NumHiddenRows(), 5);
    // A single node opens on its own.
    G->ExpandNode(6);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 5, 6, 7, 8, 9, 10, 11}));
    G->ExpandAll();
    EXPECT_EQ(snapshot(*G), Before);
    for (int r : {2, 6, 7}) EXPECT_FALSE(G->GetNodeState(r)) << r;
}

TEST(TreeNodes, ExpandAllBringsBackRowsHiddenOtherwiseToo) {
    auto G = threeNodes();
    const auto Before = snapshot(*G);
    G->ContractNode(7);
    G->HideRow(10);
    G->ExpandAll();
    EXPECT_EQ(snapshot(*G), Before);
    EXPECT_EQ(G->NumHiddenRows(), 0);
}

TEST(TreeNodes, ContractAllTakesASpanBelowOneUpToTheNextNode) {
    auto G = threeNodes();
    G->SetNodeSpan(2, 0);  // reaches 3..5, up to node 6
    G->ContractAll();      // must come back: the walk always moves on
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 6, 10, 11}));
    G->ExpandAll();
    EXPECT_EQ(G->RowCount(), 12);
}

TEST(TreeNodes, TheGlyphIsHitPerNodeTypeLeftToRightAndRightToLeft) {
    auto G = nestedTree();
    G->SetBounds(0, 0, 300, 400);  // every row fits: no bar
    TBitmap Glyph(20, 10);
    struct Case {
        TNodeType Type;
        bool WithGlyph;
        int Level1From, Level1To;  // the open interval of d = X - L at level 1
    };
    const Case Cases[] = {
        {cnFlat, false, 4, 16}, {cn3D, false, 0, 18},   {cnGlyph, false, 0, 12},
        {cnGlyph, true, 2, 22}, {cnLeaf, false, 2, 20}, {cnXP, false, 4, 16},
    };
    const int L = G->CellRect(0, 0).Left;
    for (const Case& C : Cases) {
        G->CellNode()->SetNodeType(C.Type);
        TBitmap Empty;
        G->CellNode()->SetExpandGlyph(C.WithGlyph ? &Glyph : &Empty);
        const int A = C.Level1To - 12;  // right margin
        for (int Row : {5, 6}) {
            const int Shift = Row == 6 ? 12 : 0;  // one level deeper
            EXPECT_FALSE(G->IsOnNodeGlyph(Row, L + C.Level1From + Shift)) << C.Type << " " << Row;
            EXPECT_TRUE(G->IsOnNodeGlyph(Row, L + C.Level1From + Shift + 1)) << C.Type << " " << Row;
            EXPECT_TRUE(G->IsOnNodeGlyph(Row, L + C.Level1To + Shift - 1)) << C.Type << " " << Row;
            EXPECT_FALSE(G->IsOnNodeGlyph(Row, L + C.Level1To + Shift)) << C.Type << " " << Row;
        }
        // Right to left: Width - 2 - lv * I - A <= X - L < Width - (lv - 1) * I.
        G->SetBiDiMode(bdRightToLeft);
        const int W = G->Width();
        EXPECT_FALSE(G->IsOnNodeGlyph(5, L + W - 2 - 12 - A - 1)) << C.Type;
        EXPECT_TRUE(G->IsOnNodeGlyph(5, L + W - 2 - 12 - A)) << C.Type;
        EXPECT_TRUE(G->IsOnNodeGlyph(5, L + W - 1)) << C.Type;
        EXPECT_FALSE(G->IsOnNodeGlyph(5, L + W)) << C.Type;
        EXPECT_TRUE(G->IsOnNodeGlyph(6, L + W - 12 - 1)) << C.Type;
        EXPECT_FALSE(G->IsOnNodeGlyph(6, L + W - 12)) << C.Type;
        G->SetBiDiMode(bdLeftToRight);
    }
    // Right to left with rows out of view the bar's width counts in.
    G->SetBounds(0, 0, 300, 100);
    G->SetBiDiMode(bdRightToLeft);
    G->CellNode()->SetNodeType(cnFlat);
    const int Bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_TRUE(G->IsOnNodeGlyph(5, L + 300 - 1 - Bar));
    EXPECT_FALSE(G->IsOnNodeGlyph(5, L + 300 - Bar));
    // Without a precise click any x hits.
    G->MouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(G->IsOnNodeGlyph(5, -1000));
    EXPECT_TRUE(G->IsOnNodeGlyph(3, 5));
}

TEST(TreeNodes, TheNodeColumnIsLockedWhileTheGridHasNodes) {
    auto G = newGrid();
    G->CellNode()->SetNodeColumn(2);
    EXPECT_EQ(G->CellNode()->NodeColumn(), 2);
    G->CellNode()->SetNodeColumn(0);
    G->AddNode(3, 2);
    try {
        G->CellNode()->SetNodeColumn(1);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot change node column when grid has nodes"));
    }
    EXPECT_EQ(G->CellNode()->NodeColumn(), 0);
    G->CellNode()->SetNodeColumn(0);  // the same value passes
    G->RemoveNode(3);
    EXPECT_FALSE(G->HasNodes());
    G->CellNode()->SetNodeColumn(1);
    EXPECT_EQ(G->CellNode()->NodeColumn(), 1);
}

TEST(TreeNodes, RemovingNodesExpandsThemAndLowersTheLevels) {
    auto G = nestedTree();
    G->ContractNode(5);
    G->RemoveNode(5);
    EXPECT_EQ(G->RowCount(), 12);
    EXPECT_FALSE(G->IsNode(5));
    for (int r : {5, 6, 7}) EXPECT_EQ(levelOf(*G, r), r == 5 ? 0 : 1) << r;
    EXPECT_TRUE(G->HasNodes());
    auto T = threeNodes();
    T->ContractAll();
    T->RemoveAllNodes();
    EXPECT_EQ(T->RowCount(), 12);
    EXPECT_FALSE(T->HasNodes());
    for (int r = 0; r < 12; ++r) {
        EXPECT_FALSE(T->IsNode(r)) << r;
        EXPECT_EQ(levelOf(*T, r), 0) << r;
    }
}

TEST(TreeNodes, ChildRowsAdjustTheSpansUpTheAncestors) {
    auto G = nestedTree();
    G->InsertChildRow(7, 1);  // after row 7, into node 6 and so node 5
    EXPECT_EQ(G->RowCount(), 13);
    EXPECT_EQ(G->GetNodeSpan(6), 3);
    EXPECT_EQ(G->GetNodeSpan(5), 4);
    EXPECT_EQ(G->GetSubNodeCount(6), 1);
    EXPECT_EQ(G->GetSubNodeCount(5), 1);
    EXPECT_EQ(levelOf(*G, 8), 2);
    EXPECT_EQ(G->GetParentRow(8), 6);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, -1, 8, 9, 10, 11}));
    G->RemoveChildRow(8);
    EXPECT_EQ(G->GetNodeSpan(6), 2);
    EXPECT_EQ(G->GetNodeSpan(5), 3);
    EXPECT_EQ(G->GetSubNodeCount(6), 0);
    EXPECT_EQ(G->GetSubNodeCount(5), 0);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    // The new row under a node row takes over the node row's texts.
    G->InsertChildRow(6, 0);
    EXPECT_EQ(G->Cells(1, 6), String());
    EXPECT_EQ(G->Cells(1, 7), QStringLiteral("r6"));
    EXPECT_TRUE(G->IsNode(6));
    EXPECT_EQ(G->GetNodeSpan(6), 3);
}

TEST(TreeNodes, ChildRowsKeepTheHiddenRowsOfEarlierNodesInPlace) {
    auto G = newGrid();
    G->AddNode(2, 6);  // 2..7
    G->AddNode(3, 2);  // 3..4, contracted below
    G->ContractNode(3);
    G->InsertChildRow(6, 1);  // after row 6, into node 2
    G->ExpandNode(3);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, -1, 7, 8, 9, 10, 11}));
    // A removed child lets the hidden rows after it move up, those before it stay.
    G->ContractNode(3);
    G->HideRow(10);  // "r9"
    G->RemoveChildRow(5);
    G->ExpandAll();
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 6, -1, 7, 8, 9, 10, 11}));
}

TEST(TreeNodes, NormalRowsKeepTheHiddenRowsInPlace) {
    auto G = nestedTree();
    G->ContractNode(6);
    G->InsertNormalRow(2);
    EXPECT_EQ(G->GetNodeSpan(7), 2);
    G->ExpandNode(7);  // node 6, one row down
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, -1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    G->RemoveNormalRow(2);
    EXPECT_EQ(texts(*G), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(TreeNodes, NodeRowsShowTheirGroupCountInColumnOne) {
    auto G = newGrid();
    G->AddNode(2, 5);  // 2..6
    G->AddNode(3, 2);
    G->UpdateSubNodeCount(2, 1);
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("r2"));  // off by default
    G->Grouping()->SetShowGroupCount(true);
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("r2 (3)"));  // 5 - 1 - 1
    EXPECT_EQ(G->GetCellEx(1, 3), QStringLiteral("r3 (1)"));
    EXPECT_EQ(G->GetCellEx(2, 2), String());              // column 1 only
    EXPECT_EQ(G->GetCellEx(1, 4), QStringLiteral("r4"));  // no node
    G->Grouping()->SetGroupCountFormat(QStringLiteral(" - %d items"));
    EXPECT_EQ(G->GetCellEx(1, 2), QStringLiteral("r2 - 3 items"));
}

// Node 2 over three children 3..5 with a check-box column 2 on a grouped grid.
TTreePtr checkTree() {
    auto G = newGrid();
    G->AddNode(2, 4);
    G->AddCheckBoxColumn(2);
    G->Grouping()->SetAutoCheckGroup(true);
    G->SetGrouped(1);
    return G;
}

TCheckBoxState nodeBox(TVidIvezadOrir& G, int Row) { return G.GetCellGraphic(2, Row)->CellCheckBoxState(); }

TEST(TreeNodes, GroupedCheckBoxesFollowTheirNodeAndBack) {
    auto G = checkTree();
    EXPECT_EQ(G->GetCellType(2, 2), ctTriStateCheckBox);
    G->ToggleCheckBox(2, 3);
    G->ToggleCheckBox(2, 4);
    EXPECT_EQ(nodeBox(*G, 2), cbGrayed);  // 2 of 3
    G->ToggleCheckBox(2, 5);
    EXPECT_EQ(nodeBox(*G, 2), cbChecked);  // 3 of 3
    G->ToggleCheckBox(2, 4);
    EXPECT_EQ(nodeBox(*G, 2), cbGrayed);
    // The node's box sets every child's.
    G->ToggleCheckBox(2, 2);  // grayed -> checked
    for (int r : {3, 4, 5}) EXPECT_TRUE(G->IsChecked(2, r)) << r;
    G->ToggleCheckBox(2, 2);
    for (int r : {3, 4, 5}) EXPECT_FALSE(G->IsChecked(2, r)) << r;
    EXPECT_FALSE(G->IsChecked(2, 6));  // outside the node
    // A contracted node sets its hidden children.
    G->ContractNode(2);
    G->ToggleCheckBox(2, 2);
    for (int r : {3, 4, 5}) {
        bool State = false;
        EXPECT_TRUE(G->GetCheckBoxState(2, r, State)) << r;
        EXPECT_TRUE(State) << r;
    }
    G->ExpandNode(2);
    for (int r : {3, 4, 5}) EXPECT_TRUE(G->IsChecked(2, r)) << r;
}

TEST(TreeNodes, UngroupedOrSwitchedOffCheckBoxesStayApart) {
    for (bool Grouped : {false, true}) {
        auto G = checkTree();
        if (!Grouped) G->SetGrouped(-1);
        if (Grouped) G->Grouping()->SetAutoCheckGroup(false);
        G->ToggleCheckBox(2, 2);
        EXPECT_FALSE(G->IsChecked(2, 3));
        G->ToggleCheckBox(2, 3);
        EXPECT_EQ(nodeBox(*G, 2), cbChecked);  // left as the toggle made it
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

class TreePaintingTest : public ::testing::Test {
protected:
    TTreePtr Grid = newGrid();
    std::unique_ptr<TBitmap> Image;

    void SetUp() override {
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetBounds(0, 0, 240, 300);
        Grid->SetColWidths(0, 60);
        for (int r = 0; r < 12; ++r) Grid->SetRowHeights(r, 22);
        Grid->AddNode(2, 4);
        Grid->AddNode(3, 2);
        Grid->AddNode(7, 2);
        Grid->ContractNode(7);
    }
    TColor pixel(int X, int Y) {
        if (!Image) {
            Image = std::make_unique<TBitmap>(240, 300);
            Grid->Invalidate();
            Grid->PaintTo(Image->Canvas(), 0, 0);
        }
        return Image->Canvas()->Pixels(X, Y);
    }
    void repaint() { Image.reset(); }
    // The node column's cell of a displayed row: its top and left.
    TPoint cell(int Row) {
        const TRect R = Grid->CellRect(0, Row);
        return Point(R.Left, R.Top);
    }
};

TEST_F(TreePaintingTest, FlatGlyphsShowMinusOrPlusAtTheirLevel) {
    Grid->CellNode()->SetNodeType(cnFlat);
    Grid->CellNode()->SetShowTree(false);
    for (auto [Row, Level, Contracted] : {std::tuple{2, 1, false}, {3, 2, false}, {7, 1, true}}) {
        const TPoint C = cell(Row);
        // The box starts half an indent before the level's indent, centred in the 20-pixel
        // content of the fixed cell.
        const int L = C.X + Level * 12 - 6;
        const int T = C.Y + 6;
        EXPECT_EQ(pixel(L, T), 0u) << Row;                                   // frame in NodeColor
        EXPECT_EQ(pixel(L + 1, T + 1), 0xC0C0C0u) << Row;                    // fill in Color
        EXPECT_EQ(pixel(L + 3, T + 4), 0u) << Row;                           // the minus
        EXPECT_EQ(pixel(L + 4, T + 2), Contracted ? 0u : 0xC0C0C0u) << Row;  // the plus stroke
    }
}

TEST_F(TreePaintingTest, TreeLinesJoinTheRowsInTreeColor) {
    Grid->CellNode()->SetNodeType(cnXP);
    Grid->CellNode()->SetTreeColor(clRed);
    // The last child of node 2 (row 5, level 1): its branch runs right from the level's line,
    // which comes down to it from above.
    const TPoint C = cell(5);
    const int X = C.X + 12 + 6 - 12 + 2;
    const int M = C.Y + 10;
    EXPECT_EQ(pixel(X + 8, M), ColorToRGB(clRed));
    EXPECT_EQ(pixel(X, C.Y + 3), ColorToRGB(clRed));
    EXPECT_NE(pixel(X, M + 5), ColorToRGB(clRed));  // nothing follows at this level
    // A row outside every node has none.
    EXPECT_NE(pixel(X + 8, cell(10).Y + 11), ColorToRGB(clRed));
    // A rendering to look at, when asked for.
    if (const char* Dir = std::getenv("QVD_RENDER_DIR")) {
        for (TNodeType Type : {cnFlat, cn3D, cnGlyph, cnLeaf, cnXP}) {
            Grid->CellNode()->SetNodeType(Type);
            repaint();
            pixel(0, 0);
            Image->SaveToFile(QString::fromLocal8Bit(Dir) + QStringLiteral("/tree_nodes_%1.png").arg(int(Type)));
        }
    }
}

}  // namespace
