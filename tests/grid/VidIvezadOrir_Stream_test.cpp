// The grid text stream: a save loads back as it was, the reading stops at the caller's own lines,
// and a bad stream is refused whole, leaving the grid and the stream's position as they were.
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/Streams.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void writeText(TStream& Stream, const String& Text) { Stream.WriteBuffer(Text.utf16(), Int64(Text.size()) * 2); }

// What a load may change: the counts, every column's width and every cell's stored text.
struct TLoadedState {
    int ColCount = 0;
    int RowCount = 0;
    std::vector<int> Widths;
    std::vector<String> Cells;
    friend bool operator==(const TLoadedState&, const TLoadedState&) = default;
    friend void PrintTo(const TLoadedState& S, std::ostream* Out) {
        *Out << S.ColCount << " x " << S.RowCount << ", widths";
        for (const int W : S.Widths) *Out << ' ' << W;
        *Out << ", cells";
        for (const String& T : S.Cells) *Out << " '" << T.toStdString() << "'";
    }
};

TLoadedState stateOf(TVidIvezadOrir* G) {
    TLoadedState S{G->ColCount(), G->RowCount(), {}, {}};
    for (int C = 0; C < G->ColCount(); ++C) S.Widths.push_back(G->ColWidths(C));
    for (int R = 0; R < G->RowCount(); ++R)
        for (int C = 0; C < G->ColCount(); ++C) S.Cells.push_back(G->GetCellEx(C, R));
    return S;
}

TGridPtr filledGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    G->SetColWidths(1, 77);
    G->SetColWidths(4, 31);
    G->SetCellEx(0, 0, QStringLiteral("corner"));
    G->SetCellEx(2, 3, QStringLiteral("middle"));
    G->SetCellEx(4, 5, QStringLiteral("last"));
    return G;
}

}  // namespace

TEST(GridTextStream, SaveLoadsBackAndStopsAtTheCallersLine) {
    auto S = filledGrid();
    S->SetColWidths(2, 120);
    S->SetCellEx(3, 5, QStringLiteral("a,b"));
    S->SetCellEx(1, 2, QStringLiteral("two\r\nlines"));
    TMemoryStream Stream;
    S->SaveToStream(&Stream);
    // Something of the caller's follows the grid's lines.
    const String Tail = QStringLiteral("tail\r\n");
    writeText(Stream, Tail);
    Stream.SetPosition(0);
    TGridPtr D(new TVidIvezadOrir(nullptr));
    D->SetMultilinecells(true);
    D->LoadFromStream(&Stream);
    EXPECT_EQ(stateOf(D.get()), stateOf(S.get()));
    EXPECT_EQ(D->GetCellEx(1, 2), QStringLiteral("two\r\nlines"));
    EXPECT_EQ(Stream.Size() - Stream.Position(), Tail.size() * 2);
}

TEST(GridTextStream, CoordinatesAreRelativeToTheSavableArea) {
    auto S = filledGrid();
    S->SetFixedCols(1);
    S->SetFixedRows(2);
    S->SetSaveFixedCells(false);
    TMemoryStream Stream;
    S->SaveToStream(&Stream);
    Stream.SetPosition(0);
    // A grid with other fixed cells puts the same area at its own origin.
    TGridPtr D(new TVidIvezadOrir(nullptr));
    D->SetFixedCols(2);
    D->SetFixedRows(1);
    D->SetSaveFixedCells(false);
    D->LoadFromStream(&Stream);
    EXPECT_EQ(D->ColCount(), 6);
    EXPECT_EQ(D->RowCount(), 5);
    EXPECT_EQ(D->GetCellEx(3, 2), QStringLiteral("middle"));
    EXPECT_EQ(D->GetCellEx(5, 4), QStringLiteral("last"));
    EXPECT_EQ(D->GetCellEx(0, 0), String());
    EXPECT_EQ(D->ColWidths(1), 77);
}

TEST(GridTextStream, ToleratedLines) {
    const struct {
        const char* Name;
        const char* Text;
        TLoadedState Want;
    } Cases[] = {
        // A width for a column the grid does not have is dropped.
        {"width beyond the columns", "2,1\r\ncw 0,40\r\ncw 7,50\r\n1,0,x\r\n", {2, 1, {40, 64}, {"", "x"}}},
        // Without a header the grid keeps its counts and the cells must fit them.
        {"no header", "\r\n1,1,x\r\n", {2, 2, {64, 64}, {"", "", "", "x"}}},
        // A line that is not the grid's ends the reading without an error.
        {"caller's line", "2,1\r\n1,0,x\r\nname,value\r\n-1,0,y\r\n", {2, 1, {64, 64}, {"", "x"}}},
        {"empty stream", "", {2, 2, {64, 64}, {"", "", "", ""}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TGridPtr G(new TVidIvezadOrir(nullptr));
        G->SetColCount(2);
        G->SetRowCount(2);
        TMemoryStream Stream;
        writeText(Stream, QString::fromLatin1(C.Text));
        Stream.SetPosition(0);
        G->LoadFromStream(&Stream);
        EXPECT_EQ(stateOf(G.get()), C.Want);
    }
}

TEST(GridTextStream, BadStreamIsRefusedWholeAndChangesNothing) {
    // Each stream first has good lines, so a load that applied as it read would show.
    const String Good = QStringLiteral("3,4\r\ncw 0,99\r\n0,0,new\r\n");
    const struct {
        const char* Name;
        String Text;
    } Cases[] = {
        {"huge row count", QStringLiteral("3,2000000000\r\n0,0,new\r\n")},
        {"huge column count", QStringLiteral("2000000,3\r\n0,0,new\r\n")},
        {"counts beyond the cell limit", QStringLiteral("60000,1000\r\n0,0,new\r\n")},
        {"negative count", QStringLiteral("-3,4\r\n")},
        {"non-numeric count", QStringLiteral("3,four\r\n0,0,new\r\n")},
        {"header without rows", QStringLiteral("3\r\n0,0,new\r\n")},
        {"header with a third field", QStringLiteral("3,4,5\r\n")},
        {"negative column", Good + QStringLiteral("-1,0,x\r\n")},
        {"negative row", Good + QStringLiteral("0,-1,x\r\n")},
        {"column outside the header", Good + QStringLiteral("3,0,x\r\n")},
        {"row outside the header", Good + QStringLiteral("0,4,x\r\n")},
        {"coordinate beyond 64 bits", Good + QStringLiteral("0,99999999999999999999999,x\r\n")},
        {"width line without width", Good + QStringLiteral("cw 1\r\n")},
        {"width line with empty width", Good + QStringLiteral("cw 1,\r\n")},
        {"non-numeric column index", Good + QStringLiteral("cw x,40\r\n")},
        {"negative width", Good + QStringLiteral("cw 1,-5\r\n")},
        {"width beyond the pixel limit", Good + QStringLiteral("cw 1,32768\r\n")},
        {"width beyond 32 bits", Good + QStringLiteral("cw 1,4294967336\r\n")},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto G = filledGrid();
        const TLoadedState Before = stateOf(G.get());
        TMemoryStream Stream;
        writeText(Stream, QStringLiteral("before"));
        const Int64 Start = Stream.Position();
        writeText(Stream, C.Text);
        Stream.SetPosition(Start);
        EXPECT_THROW(G->LoadFromStream(&Stream), EConvertError);
        EXPECT_EQ(stateOf(G.get()), Before);
        EXPECT_EQ(Stream.Position(), Start);
    }
}

TEST(GridTextStream, StreamEndingInsideACharacterIsRefused) {
    auto G = filledGrid();
    const TLoadedState Before = stateOf(G.get());
    TMemoryStream Stream;
    writeText(Stream, QStringLiteral("3,4\r\n0,0,new\r\n1,1,cut"));
    const Byte Half = 'x';
    Stream.WriteBuffer(&Half, 1);
    Stream.SetPosition(0);
    EXPECT_THROW(G->LoadFromStream(&Stream), EConvertError);
    EXPECT_EQ(stateOf(G.get()), Before);
    EXPECT_EQ(Stream.Position(), 0);
}

TEST(GridTextStream, LimitsAreInclusive) {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    TMemoryStream Stream;
    writeText(Stream, QStringLiteral("2,1\r\ncw 1,32767\r\n"));
    Stream.SetPosition(0);
    G->LoadFromStream(&Stream);
    EXPECT_EQ(G->ColWidths(1), 32767);
}
