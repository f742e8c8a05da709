// Grouping on a column and back, sub-groups, the group aggregates and the fixed footer row's
// calculations, the column aggregates over cells without a number, and input held back while a
// grid groups.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/model/CellProperties.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using TRows = std::vector<std::vector<String>>;

// Rows 1..5: a name, the group value, a number, a second value for sub-groups.
TGridPtr newGrid(std::initializer_list<const char*> Groups = {"A", "A", "B", "C", "C"}) {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(1 + static_cast<int>(Groups.size()));
    G->SetCells(1, 0, QStringLiteral("Name"));
    G->SetCells(2, 0, QStringLiteral("Group"));
    G->SetCells(3, 0, QStringLiteral("Number"));
    G->SetCells(4, 0, QStringLiteral("Sub"));
    G->SetColWidths(2, 77);
    int R = 1;
    const char* Subs[] = {"x", "x", "y", "z", "z", "z"};
    const int Numbers[] = {1, 3, 5, 2, 4, 6};
    for (const char* V : Groups) {
        G->SetCells(1, R, QStringLiteral("r%1").arg(R));
        G->SetCells(2, R, QString::fromLatin1(V));
        G->SetCells(3, R, QString::number(Numbers[R - 1]));
        G->SetCells(4, R, QString::fromLatin1(Subs[R - 1]));
        ++R;
    }
    return G;
}

TRows texts(TVidIvezadOrir* G) {
    TRows Out;
    for (int r = 0; r < G->RowCount(); ++r) {
        Out.emplace_back();
        for (int c = 0; c < G->ColCount(); ++c) Out.back().push_back(G->Cells(c, r));
    }
    return Out;
}

// One line per row: "H <text> <span>" for a header, "S" for a summary, the name for data.
std::vector<std::string> layout(TVidIvezadOrir* G) {
    std::vector<std::string> Out;
    for (int r = G->FixedRows(); r < G->RowCount(); ++r) {
        if (G->IsNode(r))
            Out.push_back("H " + G->Cells(1, r).toStdString() + " " + std::to_string(G->GetNodeSpan(r)));
        else if (G->IsSummary(r))
            Out.push_back("S");
        else
            Out.push_back(G->Cells(1, r).toStdString());
    }
    return Out;
}

using TLayout = std::vector<std::string>;

TEST(GridGrouping, GroupsUnderHeadersWithAndWithoutSummaries) {
    auto G = newGrid();
    G->Group(2);
    EXPECT_EQ(G->GroupColumn(), 2);
    EXPECT_EQ(G->ColCount(), 4);
    EXPECT_EQ(layout(G.get()), (TLayout{"H A 3", "r1", "r2", "H B 2", "r3", "H C 3", "r4", "r5"}));
    // The grouping column is gone: the number moved into column 2.
    EXPECT_EQ(G->Cells(2, 2), QStringLiteral("1"));
    EXPECT_EQ(G->Cells(2, 0), QStringLiteral("Number"));

    auto S = newGrid();
    S->Grouping()->SetSummary(true);
    S->Group(2);
    EXPECT_EQ(layout(S.get()), (TLayout{"H A 3", "r1", "r2", "S", "H B 2", "r3", "S", "H C 3", "r4", "r5", "S"}));

    // On column 1 the header texts go into column 2, which becomes column 1.
    auto One = newGrid();
    One->Group(1);
    EXPECT_TRUE(One->IsNode(1));
    EXPECT_EQ(One->Cells(1, 1), QStringLiteral("r1"));  // the header shows the name column's value
    EXPECT_EQ(One->Cells(1, 2), QStringLiteral("A"));   // the data row's group value, now column 1
    EXPECT_EQ(One->Cells(2, 2), QStringLiteral("1"));
}

TEST(GridGrouping, UngroupingRestoresTextsColumnWidthAndCaption) {
    for (const bool Summary : {false, true}) {
        SCOPED_TRACE(Summary ? "with summaries" : "without summaries");
        auto G = newGrid();
        G->Grouping()->SetSummary(Summary);
        const TRows Before = texts(G.get());
        G->Group(2);
        G->ContractNode(1);
        EXPECT_EQ(layout(G.get()).front(), "H A 3");
        EXPECT_NE(layout(G.get())[1], "r1");
        G->ExpandNode(1);
        G->ContractNode(G->IsSummary(4) ? 5 : 4);
        G->UnGroup();
        EXPECT_EQ(G->GroupColumn(), -1);
        EXPECT_EQ(texts(G.get()), Before);
        EXPECT_EQ(G->ColWidths(2), 77);
        for (int r = 0; r < G->RowCount(); ++r) EXPECT_FALSE(G->IsNode(r) || G->IsSummary(r)) << r;
    }
}

TEST(GridGrouping, GroupColumnWritesAndColumnZero) {
    auto G = newGrid();
    const TRows Before = texts(G.get());
    G->SetGroupColumn(0);
    EXPECT_EQ(texts(G.get()), Before);
    EXPECT_EQ(G->GroupColumn(), -1);
    // Column 0 holds the node glyphs: not even a grid without fixed columns groups on it.
    G->SetFixedCols(0);
    G->Group(0);
    EXPECT_EQ(texts(G.get()), Before);
    G->SetGroupColumn(2);
    EXPECT_EQ(G->GroupColumn(), 2);
    G->SetGroupColumn(-1);
    EXPECT_EQ(texts(G.get()), Before);
    // Grouping a grouped grid ungroups it first.
    G->Group(2);
    G->Group(4);
    EXPECT_EQ(G->GroupColumn(), 4);
    G->UnGroup();
    EXPECT_EQ(texts(G.get()), Before);
}

TEST(GridGrouping, GroupCalcMethods) {
    // Groups A (1, 3), B (5), C (2, 4); the number is column 2 once grouped.
    const struct {
        int Method;
        const char* A;
        const char* B;
        const char* C;
    } Cases[] = {
        {1, "4", "5", "6"}, {2, "2", "5", "3"},       {3, "1", "5", "2"}, {4, "3", "5", "4"},
        {5, "2", "1", "2"}, {6, "203", "606", "910"}, {7, "2", "1", "2"}, {8, "1", "0", "1"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Method);
        auto G = newGrid();
        G->SetFloatFormat(QStringLiteral("%g"));
        G->Grouping()->SetSummary(true);
        G->OnGroupCalc = [](TObject*, int, int FromRow, int ToRow, double& Res) { Res = FromRow * 100 + ToRow; };
        G->Group(2);
        G->GroupCalc(2, C.Method);
        EXPECT_EQ(G->Cells(2, 4), QString::fromLatin1(C.A));
        EXPECT_EQ(G->Cells(2, 7), QString::fromLatin1(C.B));
        EXPECT_EQ(G->Cells(2, 11), QString::fromLatin1(C.C));
    }
    // A contracted group is left out; without summary rows the header row gets the result.
    auto G = newGrid();
    G->Group(2);
    G->ContractNode(4);  // B
    G->GroupCount(2);
    EXPECT_EQ(layout(G.get()), (TLayout{"H A 3", "r1", "r2", "H B 2", "H C 3", "r4", "r5"}));
    EXPECT_EQ(G->Cells(2, 1), QStringLiteral("2"));
    EXPECT_EQ(G->Cells(2, 4), QString());
    EXPECT_EQ(G->Cells(2, 5), QStringLiteral("2"));
    EXPECT_EQ(G->Cells(2, 6), QStringLiteral("2"));  // data rows keep their numbers
}

TEST(GridGrouping, SummaryTurnedOnAfterGroupingLeavesDataRowsAlone) {
    auto G = newGrid();
    G->Group(2);
    G->Grouping()->SetSummary(true);
    G->GroupCount(2);
    // No summary row exists: each count goes into its own header, not into the row after the span.
    EXPECT_EQ(layout(G.get()), (TLayout{"H A 3", "r1", "r2", "H B 2", "r3", "H C 3", "r4", "r5"}));
    EXPECT_EQ(G->Cells(2, 1), QStringLiteral("2"));
    EXPECT_EQ(G->Cells(2, 4), QStringLiteral("1"));
    EXPECT_EQ(G->Cells(2, 6), QStringLiteral("2"));
    EXPECT_EQ(G->Cells(2, 5), QStringLiteral("5"));
    const TRows Grouped = texts(G.get());
    G->UnGroup();
    auto Fresh = newGrid();
    EXPECT_EQ(G->RowCount(), Fresh->RowCount());
    for (int r = 1; r < G->RowCount(); ++r) EXPECT_EQ(G->Cells(1, r), Fresh->Cells(1, r)) << r;
}

TEST(GridGrouping, SubGroupsRoundTrip) {
    auto G = newGrid({"A", "A", "A", "B", "B"});
    const TRows Before = texts(G.get());
    G->Group(2);
    const TRows Grouped = texts(G.get());
    // Sub on the former column 4, now 3: headers in column 4.
    G->SubGroup(3);
    EXPECT_EQ(G->GroupColumn(), 2);
    std::vector<std::string> Subs;
    for (int r = 1; r < G->RowCount(); ++r)
        if (G->IsNode(r) && G->GetNodeLevel(r) == 2) Subs.push_back(G->Cells(4, r).toStdString());
    EXPECT_EQ(Subs, (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(G->GetNodeSpan(1), 6);  // A's header, its two sub-headers and three rows
    G->SubUnGroup(3);
    EXPECT_EQ(texts(G.get()), Grouped);
    // Ungrouping a grid with sub-groups takes them out first and keeps the top level's column.
    G->SubGroup(3);
    G->UnGroup();
    EXPECT_EQ(texts(G.get()), Before);
    EXPECT_EQ(G->ColWidths(2), 77);
}

TEST(GridGrouping, FooterCalculationsPerType) {
    const struct {
        TColumnCalcType Type;
        const char* Shown;
        const char* WithHidden;
    } Cases[] = {
        {acSUM, "8", "10"},
        {acAVG, "2.66667", "2.5"},
        {acMIN, "1", "1"},
        {acMAX, "4", "4"},
        {acCOUNT, "3", "4"},
        {acDISTINCT, "3", "4"},
        {acSTDDEV, "1.24722", "1.11803"},
        {acCUSTOM, "custom 1,4", "custom 1,5"},
        {acSPREAD, "kept", "kept"},
        {acNONE, "kept", "kept"},
    };
    for (const bool Hidden : {false, true}) {
        for (const auto& C : Cases) {
            SCOPED_TRACE(testing::Message() << C.Type << (Hidden ? " hidden counted" : ""));
            TGridPtr G(new TVidIvezadOrir(nullptr));
            G->SetRowCount(6);
            for (int r = 1; r <= 4; ++r) G->SetCells(1, r, QString::number(r));
            G->FloatingFooter()->SetVisible(true);
            G->FloatingFooter()->SetCalculateHiddenRows(Hidden);
            G->OnCalcFooter = [](TObject*, int ACol, int ARow, String& Value) {
                Value = QStringLiteral("custom %1,%2").arg(ACol).arg(ARow);
            };
            G->HideRow(2);
            G->SetCells(1, G->RowCount() - 1, QStringLiteral("kept"));
            G->GetCellProperties(1, G->RowCount() - 1)->SetCalcType(C.Type);
            G->CalcFooter(-1);
            // Written through the default float format, two decimals.
            const String Want = QString::fromLatin1(Hidden ? C.WithHidden : C.Shown);
            const String Got = G->Cells(1, G->RowCount() - 1);
            bool Number = false;
            const double W = Want.toDouble(&Number);
            if (Number)
                EXPECT_NEAR(Got.toDouble(), W, 0.005) << Got.toStdString();
            else
                EXPECT_EQ(Got, Want);
        }
    }
}

// Over rows 1..3 of column 1. Sums and averages skip a cell without a number; minimum and maximum
// skip it too but start from the first row, which must hold one; the standard deviation reads
// every row. NaN stands for "Cell does not contain a float value".
TEST(GridGrouping, ColumnAggregatesOverCellsWithoutANumber) {
    const double Raises = std::nan("");
    const struct {
        const char* Name;
        const char* Texts[3];
        double Sum, Avg, Min, Max, StdDev;
    } Cases[] = {
        {"a text among numbers", {"1", "abc", "3"}, 4, 4.0 / 3, 1, 3, Raises},
        {"a text first", {"abc", "2", "3"}, 5, 5.0 / 3, Raises, Raises, Raises},
        {"empty and minus read 0", {"5", "", "-"}, 5, 5.0 / 3, 0, 5, std::sqrt(50.0 / 9)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TGridPtr G(new TVidIvezadOrir(nullptr));
        G->SetRowCount(4);
        for (int r = 1; r <= 3; ++r) G->SetCells(1, r, QString::fromLatin1(C.Texts[r - 1]));
        const auto expectValue = [&](const char* What, double Want, const std::function<double()>& Read) {
            try {
                const double Got = Read();
                if (std::isnan(Want)) {
                    ADD_FAILURE() << What << " gave " << Got;
                } else {
                    EXPECT_NEAR(Got, Want, 1e-9) << What;
                }
            } catch (const EZirOdadError& E) {
                EXPECT_TRUE(std::isnan(Want)) << What << " raised";
                EXPECT_EQ(E.Message(), QStringLiteral("Cell does not contain a float value")) << What;
            }
        };
        expectValue("sum", C.Sum, [&] { return G->ColumnSum(1, -1, -1); });
        expectValue("average", C.Avg, [&] { return G->ColumnAvg(1, -1, -1); });
        expectValue("minimum", C.Min, [&] { return G->ColumnMin(1, -1, -1); });
        expectValue("maximum", C.Max, [&] { return G->ColumnMax(1, -1, -1); });
        expectValue("standard deviation", C.StdDev, [&] { return G->ColumnStdDev(1, -1, -1); });
    }
}

TEST(GridGrouping, AKeySentDuringGroupWaitsForItsEnd) {
    std::unique_ptr<TForm> Form(new TForm(nullptr));
    auto* G = new TVidIvezadOrir(Form.get());
    G->SetParent(Form.get());
    G->SetRowCount(200);
    for (int r = 1; r < 200; ++r) G->SetCells(2, r, QString::number(r / 10));
    Form->Show();
    std::vector<std::string> Seen;
    G->OnKeyDown = [&](TObject*, Word&, TShiftState) {
        Seen.push_back(std::string(G->IsGrouping() ? "during" : "after") + " " + std::to_string(G->RowCount()));
    };
    QCoreApplication::postEvent(ControlWidgetOf(G),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    G->Group(2);
    EXPECT_TRUE(Seen.empty());
    for (int I = 0; I < 5 && Seen.empty(); ++I) Application->ProcessMessages();
    EXPECT_EQ(Seen, std::vector<std::string>{"after " + std::to_string(G->RowCount())});
}

}  // namespace
