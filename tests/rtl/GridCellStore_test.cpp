#include "framework/rtl/GridCellStore.h"

#include <gtest/gtest.h>

namespace {

// Column c of row r holds "c,r"; rows and columns are read back as such labels.
void fill(TGridCellStore& S, int Cols, int Rows) {
    for (int R = 0; R < Rows; ++R)
        for (int C = 0; C < Cols; ++C) S.SetText(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
}

String rowText(const TGridCellStore& S, int Row, int Cols) {
    QStringList Parts;
    for (int C = 0; C < Cols; ++C) Parts << S.Text(C, Row);
    return Parts.join(u'|');
}

String colText(const TGridCellStore& S, int Col, int Rows) {
    QStringList Parts;
    for (int R = 0; R < Rows; ++R) Parts << S.Text(Col, R);
    return Parts.join(u'|');
}

}  // namespace

TEST(GridCellStore, UnwrittenCellsCostNothingAndReadEmpty) {
    TGridCellStore S;
    EXPECT_EQ(S.Text(19, 999999), String());
    EXPECT_EQ(S.Object(19, 999999), nullptr);
    // Clearing cells that were never written, even far out, allocates nothing.
    S.SetText(19, 999999, String());
    S.SetObject(19, 999999, nullptr);
    EXPECT_EQ(S.MemoryUsed(), 0u);
    EXPECT_EQ(S.RowExtent(), 0);
    // Negative coordinates are ignored on writes and read as empty.
    S.SetText(-1, 0, QStringLiteral("x"));
    S.SetText(0, -1, QStringLiteral("x"));
    EXPECT_EQ(S.MemoryUsed(), 0u);
    EXPECT_EQ(S.Text(-1, -1), String());
}

TEST(GridCellStore, OneCellFarOutCostsASmallRecordPerRowAboveIt) {
    TGridCellStore S;
    S.SetText(19, 999999, QStringLiteral("last"));
    EXPECT_EQ(S.Text(19, 999999), QStringLiteral("last"));
    EXPECT_EQ(S.RowExtent(), 1000000);
    EXPECT_EQ(S.ColExtent(), 20);
    // A million empty row records and one row of twenty texts: well under 64 MiB.
    EXPECT_LT(S.MemoryUsed(), 40u * 1024 * 1024);
}

TEST(GridCellStore, ObjectsAreKeptApartFromTextsAndNotOwned) {
    TGridCellStore S;
    TObject Obj;
    S.SetObject(2, 3, &Obj);
    EXPECT_EQ(S.Object(2, 3), &Obj);
    EXPECT_EQ(S.Text(2, 3), String());
    EXPECT_TRUE(S.RowHasCells(3));
    S.SetObject(2, 3, nullptr);
    EXPECT_FALSE(S.RowHasCells(3));
    S.SetObject(0, 0, &Obj);
    S.Clear();  // must not free Obj
    EXPECT_EQ(S.Object(0, 0), nullptr);
}

TEST(GridCellStore, RowOperationsMoveWholeRows) {
    struct Case {
        const char* Name;
        void (*Op)(TGridCellStore&);
        int Row;
        const char* Expected;
    };
    const Case Cases[] = {
        {"insert shifts down", [](TGridCellStore& S) { S.InsertRows(1, 2); }, 3, "0,1|1,1|2,1"},
        {"inserted rows are empty", [](TGridCellStore& S) { S.InsertRows(1, 2); }, 2, "||"},
        {"delete shifts up", [](TGridCellStore& S) { S.DeleteRows(0, 2); }, 0, "0,2|1,2|2,2"},
        {"move down", [](TGridCellStore& S) { S.MoveRow(0, 2); }, 2, "0,0|1,0|2,0"},
        {"move down shifts between", [](TGridCellStore& S) { S.MoveRow(0, 2); }, 0, "0,1|1,1|2,1"},
        {"move up", [](TGridCellStore& S) { S.MoveRow(3, 1); }, 1, "0,3|1,3|2,3"},
        {"move beyond the written rows", [](TGridCellStore& S) { S.MoveRow(1, 10); }, 10, "0,1|1,1|2,1"},
        {"exchange", [](TGridCellStore& S) { S.ExchangeRows(0, 3); }, 0, "0,3|1,3|2,3"},
        {"insert past the end does nothing", [](TGridCellStore& S) { S.InsertRows(50, 3); }, 3, "0,3|1,3|2,3"},
    };
    for (const Case& C : Cases) {
        TGridCellStore S;
        fill(S, 3, 4);
        C.Op(S);
        EXPECT_EQ(rowText(S, C.Row, 3), QString::fromLatin1(C.Expected)) << C.Name;
    }
}

TEST(GridCellStore, ColumnOperationsMoveCellsInEveryRow) {
    struct Case {
        const char* Name;
        void (*Op)(TGridCellStore&);
        int Col;
        const char* Expected;
    };
    const Case Cases[] = {
        {"insert shifts right", [](TGridCellStore& S) { S.InsertCols(0, 1); }, 1, "0,0|0,1|0,2"},
        {"delete shifts left", [](TGridCellStore& S) { S.DeleteCols(1, 1); }, 1, "2,0|2,1|2,2"},
        {"move right", [](TGridCellStore& S) { S.MoveCol(0, 2); }, 2, "0,0|0,1|0,2"},
        {"move left", [](TGridCellStore& S) { S.MoveCol(3, 0); }, 0, "3,0|3,1|3,2"},
        {"exchange", [](TGridCellStore& S) { S.ExchangeCols(1, 3); }, 1, "3,0|3,1|3,2"},
    };
    for (const Case& C : Cases) {
        TGridCellStore S;
        fill(S, 4, 3);
        C.Op(S);
        EXPECT_EQ(colText(S, C.Col, 3), QString::fromLatin1(C.Expected)) << C.Name;
    }
}

TEST(GridCellStore, ObjectsMoveWithTheirCells) {
    TGridCellStore S;
    TObject A, B;
    S.SetText(0, 0, QStringLiteral("a"));
    S.SetObject(0, 0, &A);
    S.SetObject(1, 1, &B);
    S.MoveCol(0, 1);
    EXPECT_EQ(S.Object(1, 0), &A);
    EXPECT_EQ(S.Text(1, 0), QStringLiteral("a"));
    S.MoveRow(1, 0);
    EXPECT_EQ(S.Object(0, 0), &B);  // column 1 moved to 0 before, then row 1 went up
    EXPECT_EQ(S.Object(1, 1), &A);
}
