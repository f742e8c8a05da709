#include "components/controls/AdvPanelGroup.h"

#include "components/controls/AdvPanelStyler.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/IniFiles.h"
#include "framework/ui/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <string>
#include <vector>

namespace {

// A 300 x 400 vertical group without a caption; members are made by hand (A, B, C: 300 wide,
// heights 60, 80, 100, stacked by their Top) or by the group.
class AdvPanelGroupTest : public ::testing::Test {
protected:
    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvPanelGroup* Group = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 500, 600);
        Group = new TAdvPanelGroup(Form.get());
        Group->SetParent(Form.get());
        Group->SetBounds(0, 0, 300, 400);
    }

    TAdvPanel* member(const char* Name, int Top, int Height) {
        auto* P = new TAdvPanel(Group);
        P->SetName(QString::fromLatin1(Name));
        P->SetParent(Group);
        P->SetTop(Top);
        P->SetHeight(Height);
        return P;
    }
    // The members' names from the top down.
    std::string shown() const {
        std::vector<TCustomAdvPanel*> List;
        for (int I = 0; I < Group->PanelCount(); ++I) List.push_back(Group->Panels(I));
        std::stable_sort(List.begin(), List.end(), [](auto* A, auto* B) { return A->Top() < B->Top(); });
        std::string S;
        for (auto* P : List) S += P->Name().toStdString();
        return S;
    }
    std::string listed() const {
        std::string S;
        for (int I = 0; I < Group->PanelCount(); ++I)
            S += Group->Panels(I)->Name().toStdString() + std::to_string(Group->Panels(I)->Index());
        return S;
    }
};

TEST_F(AdvPanelGroupTest, StacksMembersInRowsThatAdvanceByTheirTallestMember) {
    TAdvPanel* A = member("A", 0, 100);
    TAdvPanel* B = member("B", 10, 50);
    TAdvPanel* C = member("C", 20, 70);
    Group->InitPanels();
    Group->SetColumns(2);
    EXPECT_EQ(A->Top(), 8);
    EXPECT_EQ(B->Top(), 8) << "a row shares one Top";
    EXPECT_EQ(A->Left(), 8);
    EXPECT_EQ(B->Left(), (300 - 8) / 2 + 8);
    EXPECT_EQ(A->Width(), (300 - 3 * 8) / 2);
    EXPECT_EQ(C->Top(), 8 + 100 + 8) << "the taller first member is not overlapped";
    EXPECT_EQ(C->Left(), 8);
    EXPECT_EQ(Group->TotalPanelHeight(), 8 + 100 + 8 + 70 + 8);
}

TEST_F(AdvPanelGroupTest, AHiddenMemberKeepsItsSlotButTakesNoRoom) {
    TAdvPanel* A = member("A", 0, 60);
    TAdvPanel* B = member("B", 10, 80);
    TAdvPanel* C = member("C", 20, 100);
    Group->InitPanels();
    B->SetVisible(false);
    Group->UpdateGroup();
    EXPECT_EQ(A->Top(), 8);
    EXPECT_EQ(C->Top(), 8 + 60 + 8);
    EXPECT_EQ(B->Top(), C->Top());
    EXPECT_EQ(B->Width(), A->Width());
    EXPECT_EQ(Group->TotalPanelHeight(), 8 + 60 + 8 + 100 + 8);
}

TEST_F(AdvPanelGroupTest, MembersBeyondTheHeightBringA16PixelScrollBar) {
    member("A", 0, 200);
    member("B", 10, 200);
    member("C", 20, 200);
    Group->InitPanels();
    Group->UpdateGroup();
    TScrollBar* Bar = Group->ScrollBar();
    ASSERT_TRUE(Bar->Visible());
    EXPECT_EQ(Bar->Width(), 16);
    EXPECT_EQ(Bar->Left() + Bar->Width(), Group->ClientWidth() - 1) << "along the right, inside the bevel";
    EXPECT_EQ(Group->Panels(0)->Width(), 300 - 2 * 8 - 16);
    EXPECT_EQ(Bar->Max(), Group->TotalPanelHeight());
    EXPECT_EQ(Bar->PageSize(), 400);

    // Tracking the thumb moves nothing; letting go moves the members, at most to Max - PageSize.
    TCustomAdvPanel* A = Group->Panels(0);
    Bar->Perform(CN_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 150), 0);
    EXPECT_EQ(A->Top(), 8);
    Bar->Perform(CN_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 400), 0);
    Bar->Perform(CN_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(Bar->Position(), Bar->Max() - Bar->PageSize());
    EXPECT_EQ(A->Top(), 8 - Bar->Position());

    Group->SetScrollPosition(0);
    EXPECT_EQ(A->Top(), 8);
}

TEST_F(AdvPanelGroupTest, AHorizontalGroupLinesItsMembersUpByTheirLeft) {
    TAdvPanel* A = member("A", 0, 50);
    TAdvPanel* B = member("B", 0, 50);
    TAdvPanel* C = member("C", 0, 50);
    // Child order C, A, B would not do: the row follows Left.
    C->SetBounds(20, 0, 100, 50);
    A->SetBounds(0, 0, 100, 50);
    B->SetBounds(10, 0, 150, 50);
    Group->InitPanels();
    Group->SetColumns(0);  // ignored
    EXPECT_EQ(Group->Columns(), 1);
    Group->SetGroupStyle(gsHorizontal);
    TScrollBar* Bar = Group->ScrollBar();
    ASSERT_TRUE(Bar->Visible()) << "8 + 108 + 158 + 108 pixels in 300";
    EXPECT_EQ(Bar->Kind(), sbHorizontal);
    EXPECT_EQ(Bar->Height(), 16);
    EXPECT_EQ(Bar->Align(), alBottom);
    EXPECT_EQ(A->Left(), 8);
    EXPECT_EQ(B->Left(), 116);
    EXPECT_EQ(C->Left(), 274);
    for (TAdvPanel* P : {A, B, C}) {
        EXPECT_EQ(P->Top(), 8);
        EXPECT_EQ(P->Height(), 400 - 2 * 8 - 16) << "above the scroll bar";
    }

    B->SetVisible(false);
    Group->UpdateGroup();
    EXPECT_FALSE(Bar->Visible());
    EXPECT_EQ(B->Left(), 116) << "a hidden member keeps its place and takes no room";
    EXPECT_EQ(C->Left(), 116);
    EXPECT_EQ(C->Height(), 400 - 2 * 8);
}

TEST_F(AdvPanelGroupTest, TheWheelScrollsByTwiceTheSmallChange) {
    member("A", 0, 300);
    member("B", 10, 300);
    Group->InitPanels();
    Group->UpdateGroup();
    TCustomAdvPanel* A = Group->Panels(0);
    const auto wheel = [this](int Delta) {
        Group->Perform(CM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(Delta))), 0);
    };
    wheel(-120);
    EXPECT_EQ(A->Top(), 8 - 4);
    Group->SetMouseWheelDelta(10);
    wheel(-120);
    EXPECT_EQ(A->Top(), 8 - 24);
    wheel(120);
    EXPECT_EQ(A->Top(), 8 - 4);
}

TEST_F(AdvPanelGroupTest, ListOperations) {
    member("A", 0, 50);
    member("B", 10, 50);
    Group->InitPanels();
    EXPECT_EQ(listed(), "A0B1");
    TCustomAdvPanel* C = Group->AppendPanel();
    C->SetName(QStringLiteral("C"));
    EXPECT_EQ(listed(), "C3A2B1");
    EXPECT_EQ(shown(), "BAC");

    Group->MovePanel(0, 2);  // the top one to the bottom
    EXPECT_EQ(shown(), "ACB");
    TCustomAdvPanel* D = Group->InsertPanel(1);
    D->SetName(QStringLiteral("D"));
    EXPECT_EQ(listed(), "B0D1C2A3");
    EXPECT_EQ(shown().front(), 'D') << "a new panel starts at the top";

    const std::string Before = listed();
    Group->RemovePanel(-1);
    Group->RemovePanel(Group->PanelCount());
    EXPECT_EQ(listed(), Before);
    Group->RemovePanel(1);
    EXPECT_EQ(Group->PanelCount(), 3);
    try {
        Group->GetPanel(3);
        ADD_FAILURE() << "no error";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (3)"));
    }
    EXPECT_THROW(Group->InsertPanel(9), EListError);
    EXPECT_EQ(Group->PanelCount(), 3) << "a refused insert makes no panel";
}

TEST_F(AdvPanelGroupTest, NewMembersStartFromTheDefaultPanel) {
    Group->DefaultPanel()->SetColor(clRed);
    Group->DefaultPanel()->SetHeight(77);
    Group->DefaultPanel()->Caption()->SetVisible(true);
    Group->DefaultPanel()->Caption()->SetCloseButton(true);
    TCustomAdvPanel* P = Group->AddPanel();
    EXPECT_EQ(P->Color(), clRed);
    EXPECT_EQ(P->Height(), 77);
    EXPECT_TRUE(P->Caption()->Visible());
    EXPECT_TRUE(P->Caption()->CloseButton());
    EXPECT_EQ(P->Owner(), Group);
    EXPECT_EQ(P->Index(), 0);
}

TEST_F(AdvPanelGroupTest, AMembersAnimatedCollapseMovesThoseBelowStepByStep) {
    TAdvPanel* A = member("A", 0, 200);
    TAdvPanel* B = member("B", 10, 60);
    Group->InitPanels();
    Group->UpdateGroup();
    A->Caption()->SetVisible(true);
    A->SetCollapsSteps(5);
    std::vector<int> Tops;
    Group->OnArrangedControls = [&](TObject*) {
        if (Tops.empty() || Tops.back() != B->Top()) Tops.push_back(B->Top());
    };
    A->SetCollaps(true);
    ASSERT_EQ(Tops.size(), 6u) << "five steps and the end";
    EXPECT_EQ(Tops.back(), 8 + 18 + 8);

    // Inside BeginUpdate the steps do not arrange; the end does, once.
    Tops.clear();
    Group->OpenAllPanels();
    EXPECT_EQ(Tops.size(), 1u);
    EXPECT_EQ(B->Top(), 8 + 200 + 8);
}

TEST_F(AdvPanelGroupTest, AnArrangementThatFailsLeavesTheGroupUsable) {
    TAdvPanel* A = member("A", 0, 60);
    TAdvPanel* B = member("B", 10, 60);
    Group->InitPanels();
    bool Throw = false;
    A->OnResize = [&](TObject*) {
        if (Throw) throw Exception(QStringLiteral("boom"));
    };
    Group->SetHorzPadding(20);
    Throw = true;
    EXPECT_THROW(Group->SetHorzPadding(10), Exception) << "every member is re-sized";
    EXPECT_FALSE(Group->IsArranging());
    Throw = false;
    Group->SetVertPadding(30);
    EXPECT_EQ(A->Top(), 30);
    EXPECT_EQ(B->Top(), 30 + 60 + 30);
}

TEST_F(AdvPanelGroupTest, PositionsAreStoredInOneSectionPerMember) {
    TempFolder Folder;
    const String Ini = Folder.File(QStringLiteral("group.ini"));
    TAdvPanel* A = member("PanelA", 0, 60);
    member("PanelB", 10, 70);
    Group->InitPanels();
    A->Position()->SetSection(QStringLiteral("Own"));
    Group->Position()->SetLocation(clInifile);
    Group->Position()->SetKey(Ini);
    Group->SavePanelPositions();
    TIniFile File(Ini);
    EXPECT_EQ(File.ReadInteger(QStringLiteral("PanelA"), QStringLiteral("Height"), 0), 60);
    EXPECT_EQ(File.ReadInteger(QStringLiteral("PanelB"), QStringLiteral("Height"), 0), 70);
    EXPECT_EQ(A->Position()->Section(), QStringLiteral("Own")) << "the member's own settings come back";

    File.WriteInteger(QStringLiteral("PanelA"), QStringLiteral("Height"), 90);
    Group->LoadPanelPositions();
    EXPECT_EQ(A->Height(), 90);
}

TEST_F(AdvPanelGroupTest, APanelDroppedIntoADesignedGroupTakesItsPlace) {
    Form->SetDesigning(true);
    Group->SetVertPadding(20);
    struct Case {
        TGroupStyle Style;
        TRect Dropped, Placed;
    };
    const Case Cases[] = {
        {gsVertical, Rect(30, 2, 80, 52), Rect(8, 20, 292, 70)},
        {gsHorizontal, Rect(2, 30, 52, 80), Rect(8, 20, 58, 404)},
    };
    for (const Case& C : Cases) {
        Group->SetGroupStyle(C.Style);
        // Held back, the group does not arrange: the place is the dropped panel's own doing.
        Group->BeginUpdate();
        auto* P = new TAdvPanel(Group);
        P->SetBounds(C.Dropped.Left, C.Dropped.Top, C.Dropped.Width(), C.Dropped.Height());
        P->SetParent(Group);
        P->HandleNeeded();
        EXPECT_EQ(Rect(P->Left(), P->Top(), P->Left() + P->Width(), P->Top() + P->Height()), C.Placed) << C.Style;
        Group->EndUpdate();
    }
}

TEST_F(AdvPanelGroupTest, AMemberFreedByItsCloseButtonLeavesTheList) {
    TCustomAdvPanel* P = Group->AddPanel();
    Group->AddPanel();
    P->Caption()->SetVisible(true);
    P->Caption()->SetCloseButton(true);
    P->SetFreeOnClose(true);
    P->Perform(WM_LBUTTONUP, 0, PointToLParam(P->Width() - 8, 6));
    Application->ProcessMessages();
    EXPECT_EQ(Group->PanelCount(), 1);
}

}  // namespace
