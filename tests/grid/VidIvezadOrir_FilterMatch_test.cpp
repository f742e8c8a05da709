// Whether a row passes the grid's filter items: the texts each item reads, prefix, suffix and
// literal rules, whole-row tests and how the items combine.
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/ui/ImgList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Column 3's calculated text is "calc:" and its display text; column 2's cannot be read.
class TCalcGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::TVidIvezadOrir;
    void GetCellValueText(int ACol, int ARow, String& Value) override {
        if (ACol == 2) throw Exception(QStringLiteral("no value"));
        TVidIvezadOrir::GetCellValueText(ACol, ARow, Value);
        Value = QStringLiteral("calc:") + Value;
    }
};

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TCalcGrid, TFree>;

struct TItem {
    int Column;
    const char* Condition;
    TFilterOperation Operation = foNONE;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
    const char* Prefix = "";
    const char* Suffix = "";
    bool Enabled = true;
    bool RemoveAccented = false;
    bool CaseSensitive = true;
};

struct TCase {
    const char* Name;
    std::vector<String> Row;  // cells 0..3 of row 1
    std::vector<TItem> Items;
    bool Expected;
    bool NarrowDownFromStart = false;
    std::vector<int> Ignore = {};
    int HiddenColumn = -1;
};

String s(const char* Text) { return String::fromUtf8(Text); }

// On a TCalcGrid, or (Plain) on the grid class itself, whose plain cells take a quicker route.
bool runCase(const TCase& C, bool Plain) {
    std::unique_ptr<TVidIvezadOrir, TFree> G(Plain ? new TVidIvezadOrir(nullptr) : new TCalcGrid(nullptr));
    G->SetColCount(4);
    G->SetRowCount(2);
    for (int i = 0; i < static_cast<int>(C.Row.size()); ++i) G->SetGridCell(i, 1, C.Row[static_cast<size_t>(i)]);
    for (const TItem& I : C.Items) {
        TFilterData* F = G->Filter()->Add();
        F->SetColumn(I.Column);
        F->SetCondition(s(I.Condition));
        F->SetOperation(I.Operation);
        F->SetData(I.Data);
        F->SetMethod(I.Method);
        F->SetPrefix(s(I.Prefix));
        F->SetSuffix(s(I.Suffix));
        F->SetEnabled(I.Enabled);
        F->SetRemoveAccented(I.RemoveAccented);
        F->SetCaseSensitive(I.CaseSensitive);
    }
    G->SetNarrowDownFromStart(C.NarrowDownFromStart);
    for (int Col : C.Ignore) G->IgnoreColumns()->Add(Col);
    if (C.HiddenColumn >= 0) G->HideColumn(C.HiddenColumn);
    return G->MatchFilter(1);
}

const String kApple = QStringLiteral("apple");

TEST(GridFilterMatch, Table) {
    const TCase Cases[] = {
        // Each operation of a first item against the initial true, with a match and without.
        {"short, match", {"", kApple}, {{1, "apple", foSHORT}}, true},
        {"short, no match", {"", kApple}, {{1, "pear", foSHORT}}, false},
        {"none, match", {"", kApple}, {{1, "apple", foNONE}}, true},
        {"none, no match", {"", kApple}, {{1, "pear", foNONE}}, false},
        {"and, match", {"", kApple}, {{1, "apple", foAND}}, true},
        {"and, no match", {"", kApple}, {{1, "pear", foAND}}, false},
        {"xor negates a match", {"", kApple}, {{1, "apple", foXOR}}, false},
        {"xor negates no match", {"", kApple}, {{1, "pear", foXOR}}, true},
        {"a first or is always true", {"", kApple}, {{1, "pear", foOR}}, true},
        {"or, match", {"", kApple}, {{1, "apple", foOR}}, true},
        // Combinations.
        {"none false, or true", {"", kApple, "b"}, {{1, "pear"}, {2, "b", foOR}}, true},
        {"none true, and false", {"", kApple, "b"}, {{1, "apple"}, {2, "c", foAND}}, false},
        {"short failure skips a later or", {"", kApple, "b"}, {{1, "pear", foSHORT}, {2, "b", foOR}}, false},
        {"short success goes on", {"", kApple, "b"}, {{1, "apple", foSHORT}, {2, "c", foAND}}, false},
        {"xor of two matches", {"", kApple, "b"}, {{1, "apple"}, {2, "b", foXOR}}, false},
        {"no enabled item", {"", kApple}, {{1, "pear", foNONE, fcVirtual, fmExpression, "", "", false}}, true},
        {"a disabled item is skipped",
         {"", kApple},
         {{1, "apple"}, {1, "pear", foAND, fcVirtual, fmExpression, "", "", false}},
         true},
        // Reading, trimming and matching one value.
        {"an empty condition matches", {"", "anything"}, {{1, ""}}, true},
        {"the value is trimmed", {"", " \tapple \r\n"}, {{1, "apple"}}, true},
        {"expression with a wildcard", {"", kApple}, {{1, "ap*"}}, true},
        {"expression without case",
         {"", kApple},
         {{1, "APPLE", foNONE, fcVirtual, fmExpression, "", "", true, false, false}},
         true},
        {"expression with case", {"", kApple}, {{1, "APPLE"}}, false},
        {"literal equal", {"", kApple}, {{1, "apple", foNONE, fcVirtual, fmLiteral}}, true},
        {"literal keeps case", {"", kApple}, {{1, "Apple", foNONE, fcVirtual, fmLiteral}}, false},
        {"literal is no pattern", {"", kApple}, {{1, "ap*", foNONE, fcVirtual, fmLiteral}}, false},
        {"literal \"\" matches blank", {"", "  "}, {{1, "\"\"", foNONE, fcVirtual, fmLiteral}}, true},
        {"literal \"\" rejects text", {"", "x"}, {{1, "\"\"", foNONE, fcVirtual, fmLiteral}}, false},
        {"prefix removed", {"", "EUR 12"}, {{1, "12", foNONE, fcVirtual, fmLiteral, "EUR "}}, true},
        {"value without the prefix unchanged",
         {"", "USD 12"},
         {{1, "12", foNONE, fcVirtual, fmLiteral, "EUR "}},
         false},
        {"suffix removed", {"", "5 kg"}, {{1, "5", foNONE, fcVirtual, fmLiteral, "", " kg"}}, true},
        {"prefix and suffix", {"", "EUR 5 net"}, {{1, "5", foNONE, fcVirtual, fmLiteral, "EUR ", " net"}}, true},
        {"accents removed from both",
         {"", s("caf\u00e9")},
         {{1, "cafe", foNONE, fcVirtual, fmLiteral, "", "", true, true}},
         true},
        {"accents kept", {"", s("caf\u00e9")}, {{1, "cafe", foNONE, fcVirtual, fmLiteral}}, false},
        {"wide text decoded",
         {"", EncodeWideText(QStringLiteral("wide"))},
         {{1, "wide", foNONE, fcVirtual, fmLiteral}},
         true},
        {"markup stripped from the display text",
         {"", "<b>bold</b>"},
         {{1, "bold", foNONE, fcVirtual, fmLiteral}},
         true},
        {"stored text keeps markup", {"", "<b>bold</b>"}, {{1, "bold", foNONE, fcNormal, fmLiteral}}, false},
        {"stripped text", {"", "<i>x</i>"}, {{1, "x", foNONE, fcStripHTML, fmLiteral}}, true},
        {"calculated text", {"", "", "", "7"}, {{3, "calc:7", foNONE, fcCalculated, fmLiteral}}, true},
        // An item that raises does not match; the items after it still run.
        {"a raising item does not match", {"", kApple}, {{2, "", foNONE, fcCalculated}}, false},
        {"a raising item, then or", {"", kApple}, {{2, "", foNONE, fcCalculated}, {1, "apple", foOR}}, true},
        // Whole rows.
        {"row contains, any case", {"Alpha", "beta", "Gamma"}, {{-1, "ETA", foNONE, fcRow}}, true},
        {"row from start: first cell", {"Alpha", "beta", "Gamma"}, {{-1, "alp", foNONE, fcRow}}, true, true},
        {"row from start: second cell, other case",
         {"Alpha", "beta", "Gamma"},
         {{-1, "BET", foNONE, fcRow}},
         true,
         true},
        {"row from start: inside a cell", {"Alpha", "beta", "Gamma"}, {{-1, "eta", foNONE, fcRow}}, false, true},
        {"row ignoring a column", {"Alpha", "beta", "Gamma"}, {{-1, "beta", foNONE, fcRow}}, false, false, {1}},
        {"row ignoring a column, from start",
         {"Alpha", "beta", "Gamma"},
         {{-1, "gam", foNONE, fcRow}},
         true,
         true,
         {1}},
        {"row ignoring a column: first cell",
         {"Alpha", "beta", "Gamma"},
         {{-1, "alp", foNONE, fcRow}},
         true,
         true,
         {1}},
        {"row ignoring a column: inside", {"Alpha", "beta", "Gamma"}, {{-1, "lpha", foNONE, fcRow}}, false, true, {1}},
        {"row leaves a hidden column out",
         {"Alpha", "beta", "Gamma"},
         {{-1, "gamma", foNONE, fcRow}},
         false,
         false,
         {},
         2},
        {"row with a hidden column: the next one",
         {"Alpha", "beta", "Gamma", "Delta"},
         {{-1, "DEL", foNONE, fcRow}},
         true,
         true,
         {},
         2},
    };
    for (const TCase& C : Cases) {
        EXPECT_EQ(runCase(C, false), C.Expected) << C.Name;
        const bool Calculated =
            std::any_of(C.Items.begin(), C.Items.end(), [](const TItem& I) { return I.Data == fcCalculated; });
        if (!Calculated) {
            EXPECT_EQ(runCase(C, true), C.Expected) << C.Name << " (plain grid)";
        }
    }
}

// Shows "pear" in cell 1,1 through its own display text.
class TShownGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::TVidIvezadOrir;

protected:
    void GetDisplText(int ACol, int ARow, String& Value) override {
        TVidIvezadOrir::GetDisplText(ACol, ARow, Value);
        if (ACol == 1 && ARow == 1) Value = QStringLiteral("pear");
    }
};

// A plain cell's stored text goes to the evaluator as it is; whatever makes a cell show another
// text (hooks, a merged base cell, a group count, a descendant) must still be what is tested.
// Rows 1 and 2 hold "apple" in column 1; column 2 holds "x" and "apple".
TEST(GridFilterMatch, ShownTextsOfHookedCellsBesidePlainOnes) {
    struct THookCase {
        const char* Name;
        std::function<void(TVidIvezadOrir&)> Setup;
        int Column;
        bool Row1, Row2;
        TFilterCells Data = fcVirtual;
        bool Descendant = false;
    };
    const auto Pear = [](TObject*, int ACol, int ARow, String& Value) {
        if (ACol == 1 && ARow == 1) Value = QStringLiteral("pear");
    };
    const THookCase Cases[] = {
        {"plain cells", [](TVidIvezadOrir&) {}, 1, true, true},
        {"plain cells, column 2", [](TVidIvezadOrir&) {}, 2, false, true},
        {"display-text hook", [&](TVidIvezadOrir& G) { G.OnGetDisplText = Pear; }, 1, false, true},
        {"wide display-text hook", [&](TVidIvezadOrir& G) { G.OnGetDisplWideText = Pear; }, 1, false, true},
        {"stored text passes no hook", [&](TVidIvezadOrir& G) { G.OnGetDisplText = Pear; }, 1, true, true, fcNormal},
        {"a merged cell reads its base cell", [](TVidIvezadOrir& G) { G.MergeCells(1, 1, 2, 1); }, 2, true, true},
        {"a node row shows its group count",
         [](TVidIvezadOrir& G) {
             G.AddNode(1, 2);
             G.Grouping()->SetShowGroupCount(true);
         },
         1, false, true},
        {"a descendant's display text", [](TVidIvezadOrir&) {}, 1, false, true, fcVirtual, true},
    };
    for (const THookCase& C : Cases) {
        std::unique_ptr<TVidIvezadOrir, TFree> G(C.Descendant ? new TShownGrid(nullptr) : new TVidIvezadOrir(nullptr));
        G->SetColCount(3);
        G->SetRowCount(3);
        G->SetGridCell(1, 1, kApple);
        G->SetGridCell(1, 2, kApple);
        G->SetGridCell(2, 1, QStringLiteral("x"));
        G->SetGridCell(2, 2, kApple);
        C.Setup(*G);
        TFilterData* F = G->Filter()->Add();
        F->SetColumn(C.Column);
        F->SetCondition(kApple);
        F->SetData(C.Data);
        EXPECT_EQ(G->MatchFilter(1), C.Row1) << C.Name;
        EXPECT_EQ(G->MatchFilter(2), C.Row2) << C.Name;
    }
}

TEST(GridFilterMatch, CustomFilterHasTheLastWord) {
    TGridPtr G(new TCalcGrid(nullptr));
    G->SetRowCount(3);
    G->SetGridCell(1, 1, kApple);
    TFilterData* F = G->Filter()->Add();
    F->SetColumn(1);
    F->SetCondition(QStringLiteral("pear"));
    F->SetOperation(foSHORT);
    TFilterData* Later = G->Filter()->Add();
    Later->SetColumn(1);
    Later->SetCondition(kApple);
    Later->SetOperation(foOR);
    std::vector<std::pair<int, bool>> Calls;
    G->OnCustomFilter = [&](TObject* Sender, int ARow, bool& AcceptRow) {
        EXPECT_EQ(Sender, G.get());
        Calls.emplace_back(ARow, AcceptRow);
        AcceptRow = true;
    };
    // The short item rejects (the later or is skipped); the event is still asked and accepts.
    EXPECT_TRUE(G->MatchFilter(1));
    EXPECT_EQ(Calls, (std::vector<std::pair<int, bool>>{{1, false}}));
    // And it may reject a row the items accept.
    G->OnCustomFilter = [](TObject*, int, bool& AcceptRow) { AcceptRow = false; };
    F->SetEnabled(false);
    EXPECT_FALSE(G->MatchFilter(1));
}

TEST(GridFilterMatch, ImageColumnReadsItsImageIndex) {
    TGridPtr G(new TCalcGrid(nullptr));
    G->SetRowCount(3);
    G->OnGetFormat = [](TObject*, int ACol, TSortStyle& AStyle, String&, String&) {
        if (ACol == 1) AStyle = ssImages;
    };
    TFilterData* F = G->Filter()->Add();
    F->SetColumn(1);
    F->SetMethod(fmLiteral);
    F->SetCondition(QStringLiteral("-1"));
    // An empty cell without a picture reads "-1"; a cell with text reads its text.
    EXPECT_TRUE(G->MatchFilter(1));
    G->SetGridCell(1, 2, QStringLiteral("x"));
    EXPECT_FALSE(G->MatchFilter(2));
    // An image without the picture list is no image.
    TCellGraphic* Graphic = G->CreateCellGraphic(1, 1);
    Graphic->SetCellType(ctImageList);
    Graphic->SetCellIndex(3);
    EXPECT_TRUE(G->MatchFilter(1));
    // With the picture list, the image the grid reports.
    TCustomImageList Images(nullptr, 16, 16);
    G->SetGridImages(&Images);
    G->AddImageIdx(1, 1, 3, haLeft, vaTop);
    EXPECT_FALSE(G->MatchFilter(1));
    F->SetCondition(QStringLiteral("3"));
    EXPECT_TRUE(G->MatchFilter(1));
    // Another column's format is not ssImages: its empty cell stays empty.
    F->SetColumn(2);
    F->SetCondition(QStringLiteral("\"\""));
    EXPECT_TRUE(G->MatchFilter(1));
    G->SetGridImages(nullptr);
}

}  // namespace
