#include "components/grid/model/GridLists.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> items(const TIntList& L) {
    std::vector<int> V;
    for (int I = 0; I < L.Count(); ++I) V.push_back(L.GetInteger(I));
    return V;
}

// Fills without firing: positional inserts at the end.
void fill(TIntList& L, const std::vector<int>& Values) {
    for (int V : Values) L.Insert(L.Count(), V);
}

struct ChangeSpy {
    std::vector<TPoint> Cells;
    void attach(TIntList& L) {
        L.OnChange = [this](TObject*, int C, int R) { Cells.push_back({C, R}); };
    }
};

}  // namespace

TEST(IntList, ChangesThroughReplaceAppendAndDeleteFireWithTheBoundCell) {
    TIntList L(4, 7);
    ChangeSpy Spy;
    Spy.attach(L);
    L.Add(10);
    L.Add(-3);
    L.SetInteger(0, 11);
    L.Insert(1, 5);  // positional insert: no event
    L.Delete(2);
    L.DeleteValue(99);  // not there: nothing
    L.DeleteValue(11);
    EXPECT_EQ(items(L), std::vector<int>{5});
    EXPECT_EQ(Spy.Cells.size(), 5u);
    for (const TPoint& P : Spy.Cells) EXPECT_EQ(P, Point(4, 7));
    L.Clear();
    EXPECT_EQ(Spy.Cells.size(), 5u);
}

TEST(IntList, SerialNumbersGrowPerList) {
    TIntList A(0, 0), B(0, 0);
    EXPECT_EQ(B.Tag(), A.Tag() + 1);
}

TEST(IntList, IndexOutsideTheListRaisesAndChangesNothing) {
    TIntList L(0, 0);
    L.Add(1);
    EXPECT_THROW(L.GetInteger(1), EListError);
    EXPECT_THROW(L.SetInteger(-1, 3), EListError);
    EXPECT_THROW(L.Delete(5), EListError);
    EXPECT_EQ(items(L), std::vector<int>{1});
}

TEST(IntList, SortedSearchAndInsert) {
    struct Case {
        std::vector<int> List;
        int Value;
        int PosOf, IndexOf;
    };
    const Case Cases[] = {
        {{}, 4, 0, -1},        {{1, 5, 9}, 10, 3, -1}, {{1, 5, 9}, 0, 0, -1},      {{1, 5, 9}, 5, 1, 1},
        {{1, 5, 9}, 6, 2, -1}, {{7}, 7, 0, 0},         {{1, 3, 3, 3, 8}, 3, 2, 2},
    };
    for (const Case& C : Cases) {
        TIntList L(0, 0);
        fill(L, C.List);
        EXPECT_EQ(L.SortedPosOf(C.Value), C.PosOf) << C.Value;
        EXPECT_EQ(L.SortedIndexOf(C.Value), C.IndexOf) << C.Value;
    }
}

TEST(IntList, SortedInsertGoesBeforeTheEqualItemAndFiresOnlyIntoAnEmptyList) {
    TIntList L(0, 0);
    fill(L, {1, 5, 9});
    ChangeSpy Spy;
    Spy.attach(L);
    L.Insert(5);
    EXPECT_EQ(items(L), (std::vector<int>{1, 5, 5, 9}));
    EXPECT_TRUE(Spy.Cells.empty());
    TIntList Empty(0, 0);
    ChangeSpy EmptySpy;
    EmptySpy.attach(Empty);
    Empty.Insert(5);
    EXPECT_EQ(EmptySpy.Cells.size(), 1u);
    EXPECT_TRUE(L.HasValue(9));
    EXPECT_FALSE(L.HasValue(2));
}

TEST(IntList, StrValueReadsAndWritesCommaText) {
    TIntList L(0, 0);
    ChangeSpy Spy;
    Spy.attach(L);
    L.SetStrValue(QStringLiteral("4, 5,6"));
    EXPECT_EQ(items(L), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Spy.Cells.size(), 3u);
    EXPECT_EQ(L.StrValue(), QStringLiteral("4,5,6"));
    L.SetStrValue(QStringLiteral("3,-1,12"));
    EXPECT_EQ(L.StrValue(), QStringLiteral("3,-1,12"));
    L.SetStrValue(String());
    EXPECT_EQ(L.StrValue(), String());
    // A bad item raises; those before it stay.
    EXPECT_THROW(L.SetStrValue(QStringLiteral("1,x,3")), EConvertError);
    EXPECT_EQ(items(L), std::vector<int>{1});
}

TEST(SortIndexList, KeysCarryColumnAndDirection) {
    TSortIndexList L;
    L.AddIndex(2, true);
    L.AddIndex(0, false);
    EXPECT_EQ(L.SortColumns(0), 2);
    EXPECT_TRUE(L.SortDirections(0));
    EXPECT_EQ(L.SortColumns(1), 0);
    EXPECT_FALSE(L.SortDirections(1));
    EXPECT_EQ(L.GetInteger(1), static_cast<int>(0x80000000u));
    L.SetSortColumns(1, 6);
    EXPECT_EQ(L.SortColumns(1), 6);
    EXPECT_FALSE(L.SortDirections(1));  // the direction stays
    L.SetSortDirections(1, true);
    EXPECT_TRUE(L.SortDirections(1));
    EXPECT_EQ(L.SaveToString(), QStringLiteral("u2;u6"));
}

TEST(SortIndexList, FindAndToggleWhateverTheDirection) {
    TSortIndexList L;
    L.AddIndex(3, false);
    L.AddIndex(5, true);
    ChangeSpy Spy;
    Spy.attach(L);
    EXPECT_EQ(L.FindIndex(3), 0);
    EXPECT_EQ(L.FindIndex(5), 1);
    EXPECT_EQ(L.FindIndex(4), -1);
    L.ToggleIndex(3);
    EXPECT_TRUE(L.SortDirections(0));
    L.ToggleIndex(3);
    EXPECT_FALSE(L.SortDirections(0));
    EXPECT_EQ(Spy.Cells.size(), 2u);
    L.ToggleIndex(9);
    EXPECT_EQ(Spy.Cells.size(), 2u);
}

TEST(SortIndexList, TextForms) {
    struct Case {
        const char* Text;
        const char* Saved;  // the list saved again
    };
    const Case Cases[] = {
        {"", ""},
        {"u2;d0", "u2;d0"},
        {"u3;x;d1;U7", "u3;d1;d7"},  // the short piece is skipped; "U" is not "u"
        {"u12abc", "u12"},           // the number read so far counts
        {"ux", "u0"},
        {"d$1F;u0x10", "d31;u16"},  // hexadecimal forms
        {"u 5;", "u5"},             // leading blanks
    };
    for (const Case& C : Cases) {
        TSortIndexList L;
        L.LoadFromString(QString::fromLatin1(C.Text));
        EXPECT_EQ(L.SaveToString(), QString::fromLatin1(C.Saved)) << C.Text;
    }
    TSortIndexList Wide;
    Wide.AddIndex(70000, true);
    EXPECT_EQ(Wide.SaveToString(), QStringLiteral("u4464"));
}

TEST(SortIndexList, LoadingFiresOncePerKey) {
    TSortIndexList L;
    L.AddIndex(9, true);
    ChangeSpy Spy;
    Spy.attach(L);
    L.LoadFromString(QStringLiteral("u3;x;d1;U7"));
    EXPECT_EQ(L.Count(), 3);
    EXPECT_EQ(Spy.Cells.size(), 3u);
    EXPECT_EQ(L.SortColumns(2), 7);
    EXPECT_FALSE(L.SortDirections(2));
}

TEST(FileStringList, WritesInPiecesAndReadsLineByLine) {
    TFileStringList L;
    L.Write(QStringLiteral("a"));
    L.WriteLn(QStringLiteral("b"));
    L.WriteLn(QStringLiteral("c"));
    L.Write(QStringLiteral("dangling"));  // never ended: not a line
    EXPECT_EQ(L.Count(), 2);
    L.Reset();
    String S;
    L.ReadLn(S);
    EXPECT_EQ(S, QStringLiteral("ab"));
    L.ReadLn(S);
    EXPECT_EQ(S, QStringLiteral("c"));
    EXPECT_TRUE(L.Eof());
    EXPECT_THROW(L.ReadLn(S), EListError);
    EXPECT_EQ(S, QStringLiteral("c"));
}
