// Undo and redo of cell changes: the level limit, recording after an undo, sequences undone and
// redone whole, the event's texts, an unlinked component, and a sequence longer than the limit.
#include "components/grid/ZirOdadUndoRedo.h"
#include "components/grid/VidIvezadOrir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};

struct TUndoFixture : ::testing::Test {
    std::unique_ptr<TVidIvezadOrir, TFree> Grid{new TVidIvezadOrir(nullptr)};
    std::unique_ptr<TZirOdadUndoRedo, TFree> Undo{new TZirOdadUndoRedo(nullptr)};
    void SetUp() override {
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetUndoRedo(Undo.get());
    }
    void TearDown() override { Grid->SetUndoRedo(nullptr); }
    // Writes the cell and records the change, as an edit does.
    void change(int c, int r, const String& Value) {
        Undo->RegisterChange(c, r, Grid->GetCellEx(c, r), Value);
        Grid->SetCellEx(c, r, Value);
    }
    String cell(int c, int r) { return Grid->GetCellEx(c, r); }
};

TEST_F(TUndoFixture, MaxLevelKeepsTheNewestChanges) {
    Undo->SetMaxLevel(2);
    change(1, 1, QStringLiteral("a"));
    change(1, 1, QStringLiteral("b"));
    change(1, 1, QStringLiteral("c"));
    EXPECT_EQ(Undo->Items()->Count(), 2);
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), QStringLiteral("a"));
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), QStringLiteral("a")) << "nothing older is kept";
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Redo();
    Undo->Redo();
    EXPECT_EQ(cell(1, 1), QStringLiteral("c"));
}

TEST_F(TUndoFixture, RecordingAfterAnUndoAppends) {
    change(1, 1, QStringLiteral("A"));
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), String());
    change(2, 2, QStringLiteral("B"));
    ASSERT_EQ(Undo->Items()->Count(), 2);
    EXPECT_EQ(Undo->Items()->Items(0)->Value(), QStringLiteral("A"));
    EXPECT_EQ(Undo->Items()->Items(1)->Value(), QStringLiteral("B"));
    EXPECT_EQ(Undo->Level(), 2);
    EXPECT_FALSE(Undo->CanRedo());
    Undo->Undo();
    EXPECT_EQ(cell(2, 2), String());
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), String()) << "A's old text again";
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(TUndoFixture, ASequenceIsUndoneAndRedoneWholeNewestFirst) {
    change(3, 3, QStringLiteral("before"));
    std::vector<String> Undone;
    Undo->OnUndo = [&](TObject*, TBaseGrid*, int c, int r, const String& Orig, const String& New) {
        Undone.push_back(QStringLiteral("%1,%2:%3>%4").arg(c).arg(r).arg(Orig, New));
    };
    Undo->StartSequence();
    change(1, 1, QStringLiteral("x"));
    change(2, 2, QStringLiteral("y"));
    Undo->StopSequence();
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), String());
    EXPECT_EQ(cell(2, 2), String());
    EXPECT_EQ(cell(3, 3), QStringLiteral("before"));
    EXPECT_EQ(Undone, (std::vector<String>{QStringLiteral("2,2:y>"), QStringLiteral("1,1:x>")}));
    EXPECT_EQ(Undo->Level(), 1) << "at the start marker's place";
    std::vector<String> Redone;
    Undo->OnRedo = [&](TObject*, TBaseGrid*, int c, int, const String& Orig, const String& New) {
        Redone.push_back(QStringLiteral("%1:%2>%3").arg(c).arg(Orig, New));
    };
    Undo->Redo();
    EXPECT_EQ(cell(1, 1), QStringLiteral("x"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("y"));
    EXPECT_EQ(Redone, (std::vector<String>{QStringLiteral("1:>x"), QStringLiteral("2:>y")}));
    EXPECT_EQ(Undo->Level(), 5);
    Undo->Redo();
    EXPECT_EQ(Undo->Level(), 5);
}

TEST_F(TUndoFixture, AnUnlinkedComponentIgnoresCalls) {
    change(1, 1, QStringLiteral("v"));
    Grid->SetUndoRedo(nullptr);
    Undo->SetGrid(nullptr);
    Undo->Undo();
    EXPECT_EQ(cell(1, 1), QStringLiteral("v"));
    EXPECT_EQ(Undo->Level(), 1);
    Undo->Reset();
    EXPECT_FALSE(Undo->CanUndo());
    Undo->Redo();
    EXPECT_EQ(Undo->Level(), 0);
    // The grid going away unlinks it too.
    auto* Other = new TVidIvezadOrir(nullptr);
    Other->SetUndoRedo(Undo.get());
    Other->Free();
    EXPECT_EQ(Undo->Grid(), nullptr);
}

TEST_F(TUndoFixture, ASequenceLongerThanTheLimitStaysWhole) {
    Undo->SetMaxLevel(2);
    Undo->StartSequence();
    for (int r = 1; r <= 4; ++r) change(1, r, QStringLiteral("p%1").arg(r));
    Undo->StopSequence();
    Undo->Undo();
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(cell(1, r), String()) << r;
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 0) << "never below 0";
    Undo->Redo();
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(cell(1, r), QStringLiteral("p%1").arg(r)) << r;
    EXPECT_EQ(cell(0, 0), String()) << "no cell (-1, -1) reached";
    change(2, 1, QStringLiteral("next"));  // the whole closed sequence goes
    EXPECT_EQ(Undo->Items()->Count(), 1);
    EXPECT_EQ(Undo->Level(), 1);
    // A stray marker never reaches the single-change path.
    Undo->Reset();
    Undo->StartSequence();
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Redo();
    EXPECT_EQ(Undo->Level(), 1);
    Undo->Reset();
    Undo->StopSequence();
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 0);
}

}  // namespace
