#include "framework/ui/ActnList.h"

#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

TEST(ActionTest, LinkedPropertiesFollowOnlyWhileTheyMatch) {
    TForm Form(nullptr);
    auto* A = new TAction(&Form);
    A->SetCaption(QStringLiteral("Go"));
    A->SetHint(QStringLiteral("Start it"));
    auto* P = new TPanel(&Form);
    P->SetParent(&Form);
    P->SetAction(A);
    EXPECT_EQ(P->Caption(), QStringLiteral("Go"));
    EXPECT_EQ(P->Hint(), QStringLiteral("Start it"));
    A->SetEnabled(false);
    EXPECT_FALSE(P->Enabled());
    A->SetVisible(false);
    EXPECT_FALSE(P->Visible());
    A->SetCaption(QStringLiteral("Run"));
    EXPECT_EQ(P->Caption(), QStringLiteral("Run"));
    EXPECT_EQ(A->ClientCount(), 1);
    P->Free();
    EXPECT_EQ(A->ClientCount(), 0) << "a freed control unlinks";
}

TEST(ActionTest, ClickExecutesUnlessOnClickIsAssigned) {
    TForm Form(nullptr);
    auto* List = new TActionList(&Form);
    auto* A = new TAction(&Form);
    A->SetActionList(List);
    std::vector<std::string> Events;
    A->OnExecute = [&](TObject*) { Events.push_back("execute"); };
    auto* P = new TPanel(&Form);
    P->SetAction(A);
    P->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(2, 2));
    P->Perform(WM_LBUTTONUP, 0, PointToLParam(2, 2));
    P->OnClick = [&](TObject*) { Events.push_back("click"); };
    P->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(2, 2));
    P->Perform(WM_LBUTTONUP, 0, PointToLParam(2, 2));
    EXPECT_EQ(Events, (std::vector<std::string>{"execute", "click"}));
    List->OnExecute = [&](TBasicAction*, bool& Handled) {
        Events.push_back("list");
        Handled = true;
    };
    A->Execute();
    EXPECT_EQ(Events.back(), "list");
    delete A;
    EXPECT_EQ(P->Action(), nullptr);
    EXPECT_EQ(List->ActionCount(), 0);
}

TEST(ActionTest, CheckedGroupIsExclusiveInItsList) {
    TForm Form(nullptr);
    auto* List = new TActionList(&Form);
    TAction* Acts[3];
    for (auto*& A : Acts) {
        A = new TAction(&Form);
        A->SetActionList(List);
        A->SetGroupIndex(1);
    }
    Acts[2]->SetGroupIndex(2);
    Acts[0]->SetChecked(true);
    Acts[2]->SetChecked(true);
    Acts[1]->SetChecked(true);
    EXPECT_FALSE(Acts[0]->Checked());
    EXPECT_TRUE(Acts[1]->Checked());
    EXPECT_TRUE(Acts[2]->Checked());
    EXPECT_EQ(Acts[1]->Index(), 1);
}

TEST(ControlUnderPointTest, FindsGraphicAndWindowedControls) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 200, 150);
    auto* Panel = new TPanel(&Form);
    Panel->SetParent(&Form);
    Panel->SetBounds(10, 10, 120, 80);
    auto* Shape = new TImage(&Form);
    Shape->SetParent(Panel);
    Shape->SetBounds(20, 20, 30, 30);
    Form.Show();
    const TPoint OnShape = Panel->ClientToScreen(Point(25, 25));
    const TPoint OnPanel = Panel->ClientToScreen(Point(80, 60));
    EXPECT_EQ(FindDragTarget(OnShape, false), Shape);
    EXPECT_EQ(FindVCLWindow(OnShape), Panel);
    EXPECT_EQ(FindDragTarget(OnPanel, false), Panel);
    EXPECT_EQ(FindDragTarget(Form.ClientToScreen(Point(180, 140)), false), &Form);
    Shape->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(OnShape, false), Panel);
    EXPECT_EQ(FindDragTarget(OnShape, true), Shape);
    EXPECT_EQ(FindDragTarget(Point(-5000, -5000), true), nullptr);

    Mouse->SetCursorPos(Point(7, 9));
    EXPECT_EQ(Mouse->CursorPos(), Point(7, 9));
    Mouse->ResetCursorPos();
}

TEST(AcceleratorTest, IsAccelRules) {
    const struct {
        const char* Caption;
        char16_t Key;
        bool Expected;
    } Cases[] = {
        {"&Add", u'a', true},   {"&Add", u'A', true}, {"&Add", u'd', false}, {"A&&dd", u'd', false},
        {"&&A&dd", u'd', true}, {"Add", u'a', false}, {"Add&", u'a', false}, {"", u'a', false},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(IsAccel(C.Key, QString::fromUtf8(C.Caption)), C.Expected) << C.Caption << " " << char(C.Key);
}

}  // namespace
