// Undo and redo of cell changes: the level limit, recording after an undo, sequences undone and
// redone whole, the event's texts, an unlinked component, and what the limit leaves of sequences.
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

// At MaxLevel each new change frees the oldest record, marker or change, once; the records left
// undo and redo only their own cells, a sequence cut at its start as what is left of it.
TEST_F(TUndoFixture, MaxLevelFreesTheOldestRecord) {
    std::vector<String> Written;
    const auto record = [&](TObject*, TBaseGrid*, int c, int r, const String&, const String& New) {
        Written.push_back(QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(New));
    };
    Undo->OnUndo = record;
    Undo->OnRedo = record;
    Undo->SetMaxLevel(3);
    Undo->StartSequence();
    change(1, 1, QStringLiteral("x"));
    change(2, 2, QStringLiteral("y"));
    Undo->StopSequence();
    ASSERT_EQ(Undo->Items()->Count(), 4);
    change(3, 3, QStringLiteral("z"));  // the start marker goes
    EXPECT_EQ(Undo->Items()->Count(), 4);
    EXPECT_EQ(Undo->Level(), 4);
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(Written, (std::vector<String>{QStringLiteral("3,3:"), QStringLiteral("2,2:"), QStringLiteral("1,1:")}));
    EXPECT_EQ(Undo->Level(), 0);
    Written.clear();
    Undo->Redo();
    EXPECT_EQ(Written, (std::vector<String>{QStringLiteral("1,1:x"), QStringLiteral("2,2:y")})) << "redone as undone";
    EXPECT_EQ(Undo->Level(), 3);
    Undo->Redo();
    EXPECT_EQ(cell(3, 3), QStringLiteral("z"));
    EXPECT_EQ(Undo->Level(), 4);
    // Two more changes leave the stop marker first: it undoes and redoes nothing.
    change(4, 4, QStringLiteral("v"));
    change(4, 5, QStringLiteral("w"));
    ASSERT_EQ(Undo->Items()->Count(), 4);
    ASSERT_TRUE(Undo->Items()->Items(0)->SequenceStop());
    Written.clear();
    for (int i = 0; i < 4; ++i) Undo->Undo();
    EXPECT_EQ(Written, (std::vector<String>{QStringLiteral("4,5:"), QStringLiteral("4,4:"), QStringLiteral("3,3:")}));
    EXPECT_EQ(Undo->Level(), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("x")) << "its record is gone";
    Written.clear();
    for (int i = 0; i < 5; ++i) Undo->Redo();
    EXPECT_EQ(Written,
              (std::vector<String>{QStringLiteral("3,3:z"), QStringLiteral("4,4:v"), QStringLiteral("4,5:w")}));
    EXPECT_EQ(Undo->Level(), 4);
}

// A paste longer than MaxLevel loses its oldest cells while it is recorded; what is left undoes
// and redoes whole, and no marker's cell (-1, -1) is ever written.
TEST_F(TUndoFixture, ASequenceLongerThanTheLimit) {
    std::vector<String> Written;
    const auto record = [&](TObject*, TBaseGrid*, int c, int r, const String&, const String& New) {
        Written.push_back(QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(New));
    };
    Undo->OnUndo = record;
    Undo->OnRedo = record;
    Undo->SetMaxLevel(2);
    Undo->StartSequence();
    for (int r = 1; r <= 4; ++r) change(1, r, QStringLiteral("p%1").arg(r));
    Undo->StopSequence();
    EXPECT_EQ(Undo->Items()->Count(), 3);
    Undo->Undo();
    EXPECT_EQ(Written, (std::vector<String>{QStringLiteral("1,4:"), QStringLiteral("1,3:")}));
    EXPECT_EQ(cell(1, 2), QStringLiteral("p2")) << "its record is gone";
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 0) << "never below 0";
    Written.clear();
    Undo->Redo();
    EXPECT_EQ(Written, (std::vector<String>{QStringLiteral("1,3:p3"), QStringLiteral("1,4:p4")}));
    EXPECT_EQ(Undo->Level(), 3);
    Undo->Redo();
    EXPECT_EQ(Written.size(), 2u);
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
    Undo->Redo();
    EXPECT_EQ(Undo->Level(), 1);
    EXPECT_EQ(Written.size(), 2u);
}

}  // namespace
