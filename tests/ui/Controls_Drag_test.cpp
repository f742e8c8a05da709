// The in-process drag: enter, move and leave over targets, the drop on one that accepts, the
// source told last; Escape cancels; a threshold holds a pending drag back.
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class DragTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TPanel* Source = nullptr;
    TPanel* Target = nullptr;
    std::vector<std::string> Log;
    bool Accept = true;

    void SetUp() override {
        Form->SetBounds(100, 100, 400, 200);
        Source = new TPanel(Form.get());
        Source->SetParent(Form.get());
        Source->SetBounds(0, 0, 100, 100);
        Target = new TPanel(Form.get());
        Target->SetParent(Form.get());
        Target->SetBounds(200, 0, 100, 100);
        const char* States[] = {"enter", "leave", "move"};
        Target->OnDragOver = [this, States](TObject*, TObject* Src, int X, int Y, TDragState State, bool& A) {
            Log.push_back(std::string(States[State]) + (Src == Source ? " source" : " other") + " " +
                          std::to_string(X) + "," + std::to_string(Y));
            A = Accept;
        };
        Target->OnDragDrop = [this](TObject*, TObject*, int X, int Y) {
            Log.push_back("drop " + std::to_string(X) + "," + std::to_string(Y));
        };
        Source->OnEndDrag = [this](TObject*, TObject* T, int, int) {
            Log.push_back(T == Target ? "end on target" : "end nowhere");
        };
        Form->Show();
        Mouse->SetCursorPos(Source->ClientToScreen(Point(10, 10)));
    }
    void TearDown() override { Mouse->ResetCursorPos(); }
    // The source holds the mouse: its moves carry source-client coordinates.
    void moveTo(TControl* Over, int X, int Y) {
        const TPoint P = Source->ScreenToClient(Over->ClientToScreen(Point(X, Y)));
        Mouse->SetCursorPos(Over->ClientToScreen(Point(X, Y)));
        Source->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(P.X, P.Y));
    }
};

TEST_F(DragTest, EnterMoveDropAndTheSourceToldLast) {
    Source->BeginDrag(true);
    EXPECT_TRUE(Source->Dragging());
    moveTo(Target, 5, 6);
    moveTo(Target, 7, 8);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    Source->Perform(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter source 5,6", "move source 7,8", "drop 7,8", "end on target"}));
}

TEST_F(DragTest, ARefusingTargetGetsNoDropAndLeavingIsHeard) {
    Accept = false;
    Source->BeginDrag(true);
    moveTo(Target, 5, 6);
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    moveTo(Source, 50, 50);
    Source->Perform(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter source 5,6", "leave source -150,50", "end nowhere"}));
}

TEST_F(DragTest, EscapeAndEndDragCancel) {
    Source->BeginDrag(true);
    moveTo(Target, 5, 6);
    Source->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter source 5,6", "leave source 5,6", "end nowhere"}));
    Log.clear();
    Mouse->SetCursorPos(Source->ClientToScreen(Point(10, 10)));
    Source->BeginDrag(true);
    moveTo(Target, 5, 6);
    Source->EndDrag(true);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter source 5,6", "drop 5,6", "end on target"}));
}

TEST_F(DragTest, APendingDragStartsBeyondItsThresholdAndAutomaticModeBeginsOne) {
    Source->BeginDrag(false, 10);
    moveTo(Source, 14, 14);
    EXPECT_FALSE(Source->Dragging()) << "4 pixels: still pending";
    moveTo(Source, 25, 10);
    EXPECT_TRUE(Source->Dragging());
    Source->EndDrag(false);

    Source->SetDragMode(dmAutomatic);
    Mouse->SetCursorPos(Source->ClientToScreen(Point(10, 10)));
    Source->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(10, 10));
    moveTo(Target, 1, 2);
    EXPECT_TRUE(Source->Dragging());
    Source->Perform(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Log.back(), "end on target");
}

}  // namespace
