// The popup's header and footer strips: where their buttons go, how high they may be, the
// caption's room, the size grip (its dots and its corner) and owner drawing.
#include "components/dropdowns/AdvHeaderFooter.h"
#include "components/dropdowns/AdvButton.h"
#include "framework/ui/StdCtrls.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

class StripTest : public DropDownFixture {
protected:
    void addButtons(int Count, bool Header) {
        for (int I = 0; I < Count; ++I) {
            THeaderButton* B = Header ? static_cast<THeaderButton*>(Edit->DropDownHeader()->Buttons()->Add())
                                      : Edit->DropDownFooter()->Buttons()->Add();
            B->SetCaption(QStringLiteral("B%1").arg(I));
        }
    }
    TAdvHeader* header() const { return Edit->Popup()->Header(); }
    TAdvFooter* footer() const { return Edit->Popup()->Footer(); }
    static std::unique_ptr<TBitmap> render(TWinControl* C) {
        C->Invalidate();
        auto B = std::make_unique<TBitmap>(C->Width(), C->Height());
        C->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(StripTest, ButtonsLineUpOnTheirSideAndLeaveTheCaptionItsRoom) {
    addButtons(3, true);
    for (TButtonAlignment Side : {baRight, baLeft}) {
        SCOPED_TRACE(Side);
        Edit->DropDownHeader()->SetButtonAlignment(Side);
        Edit->ShowDropDown();
        TAdvHeader* H = header();
        ASSERT_EQ(H->ButtonList()->Count(), 3);
        const TRect Area = H->GetButtonRect();
        EXPECT_EQ(Area, Rect(2, 2, H->Width() - 2, 22 - 3));
        TAdvButton* First = H->ButtonControl(0);
        TAdvButton* Last = H->ButtonControl(2);
        if (Side == baRight) {
            EXPECT_EQ(First->BoundsRect().Right, Area.Right);  // item 0 is the rightmost
            EXPECT_EQ(H->ButtonControl(1)->BoundsRect().Right, First->Left());
            EXPECT_EQ(Last->BoundsRect().Right, H->ButtonControl(1)->Left());
        } else {
            EXPECT_EQ(First->Left(), Area.Left);
            EXPECT_EQ(H->ButtonControl(1)->Left(), First->BoundsRect().Right);
        }
        // The caption ends 2 pixels left of the last button of the list, whichever side it is on.
        EXPECT_EQ(H->GetCaptionRect().Right, Last->Left() - 2);
        EXPECT_EQ(First->Caption(), QStringLiteral("B0"));
        EXPECT_EQ(First->Tag(), 0);
        Edit->HideDropDown(false);
    }
    Edit->DropDownHeader()->Buttons()->Clear();
    Edit->ShowDropDown();
    EXPECT_EQ(header()->GetCaptionRect(), Rect(-1, -1, -1, -1));
}

TEST_F(StripTest, AButtonIsNoHigherThanItsStripAllows) {
    addButtons(1, true);
    addButtons(1, false);
    Edit->DropDownHeader()->Buttons()->Items(0)->SetHeight(40);
    Edit->DropDownFooter()->Buttons()->Items(0)->SetHeight(40);
    Edit->DropDownFooter()->Buttons()->Items(0)->SetWidth(33);
    Edit->ShowDropDown();
    EXPECT_EQ(header()->GetButtonAreaHeight(), 17);  // 22 - 2 - 3
    EXPECT_EQ(header()->ButtonControl(0)->Height(), 17);
    EXPECT_EQ(footer()->GetButtonAreaHeight(), 18);  // 22 - 2 - 2
    EXPECT_EQ(footer()->ButtonControl(0)->Height(), 18);
    EXPECT_EQ(footer()->ButtonControl(0)->Width(), 33);
    // The footer keeps 12 pixels for its grip while the popup may be sized.
    EXPECT_EQ(footer()->GetButtonRect().Right, footer()->Width() - 2 - 12);
    Edit->HideDropDown(false);
    Edit->SetDropDownSizeable(false);
    Edit->ShowDropDown();
    EXPECT_EQ(footer()->GetButtonRect().Right, footer()->Width() - 2);
}

TEST_F(StripTest, TheGripSizesThePopupFromItsCornerOnlyWhenSizeable) {
    const struct {
        const char* Name;
        bool Sizeable;
        int FromRight;  // where the press lands, from the footer's right edge
        int Grown;
    } Cases[] = {
        {"in the corner", true, 5, 40},
        {"left of the corner", true, 13, 0},
        {"not sizeable", false, 5, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Edit->SetDropDownSizeable(C.Sizeable);
        Edit->ResetDropDownSize();
        Edit->ShowDropDown();
        TAdvFooter* F = footer();
        const int W = Edit->Popup()->Width();
        const int X = F->Width() - C.FromRight, Y = F->Height() - 5;
        F->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        // A sizing popup holds the mouse capture, so the moves reach it.
        const TPoint To = Edit->Popup()->ScreenToClient(F->ClientToScreen(Point(X + 40, Y)));
        Edit->Popup()->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(To.X, To.Y));
        Edit->Popup()->Perform(WM_LBUTTONUP, 0, PointToLParam(To.X, To.Y));
        EXPECT_EQ(Edit->Popup()->Width(), W + C.Grown);
        Edit->HideDropDown(false);
    }
}

TEST_F(StripTest, TheGripsDotsHaveAWhiteEdge) {
    Edit->DropDownFooter()->SetBorderColor(clBlack);
    Edit->ShowDropDown();
    auto B = render(footer());
    const int L = footer()->Width() - 1 - 16, Bottom = footer()->Height();
    for (const TPoint D : {Point(4, -5), Point(8, -5), Point(12, -5), Point(8, -9), Point(12, -9), Point(12, -13)}) {
        SCOPED_TRACE(testing::Message() << D.X << "," << D.Y);
        EXPECT_EQ(B->Canvas()->Pixels(L + D.X, Bottom + D.Y), clBlack);
        EXPECT_EQ(B->Canvas()->Pixels(L + D.X + 1, Bottom + D.Y + 1), clBlack);
        EXPECT_EQ(B->Canvas()->Pixels(L + D.X + 2, Bottom + D.Y + 2), clWhite);
    }
    Edit->HideDropDown(false);
    Edit->SetDropDownSizeable(false);
    Edit->ShowDropDown();
    B = render(footer());
    EXPECT_NE(B->Canvas()->Pixels(L + 4, Bottom - 5), clBlack);
}

TEST_F(StripTest, BackgroundBorderAndCaption) {
    THeaderAppearance* A = Edit->DropDownHeader();
    A->SetColor(clYellow);
    A->SetColorTo(clNone);
    A->SetBorderColor(clBlack);
    A->SetCaption(QStringLiteral("<b>Pick</b>"));
    Edit->SetDropDownBorderColor(clNone);  // the popup draws no frame: the strip closes its sides
    Edit->ShowDropDown();
    auto B = render(header());
    const int W = header()->Width();
    // The line along the bottom; the light outline (20% of the border colour on white) over
    // the other sides, which a one-pixel border leaves to it.
    EXPECT_EQ(B->Canvas()->Pixels(W / 2, 21), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(0, 10), TColor(0xCCCCCC));
    EXPECT_EQ(B->Canvas()->Pixels(W / 2, 0), TColor(0xCCCCCC));
    EXPECT_EQ(B->Canvas()->Pixels(W - 1, 10), TColor(0xCCCCCC));
    EXPECT_EQ(B->Canvas()->Pixels(1, 10), clYellow);
    int Dark = 0;
    for (int Y = 3; Y < 19; ++Y)
        for (int X = 2; X < 60; ++X) Dark += (B->Canvas()->Pixels(X, Y) & 0xFFFFFF) < 0x404040;
    EXPECT_GT(Dark, 10);  // the caption
    Edit->HideDropDown(false);
    // With the popup's own frame the strip draws only its bottom line; a vertical gradient.
    Edit->SetDropDownBorderColor(clBlue);
    A->SetColor(clWhite);
    A->SetColorTo(clBlack);
    A->SetCaption(String());
    int Measured = 0;
    Edit->OnGetHeaderText = [&](TObject*, String& Text) {
        ++Measured;
        EXPECT_TRUE(Text.isEmpty());
    };
    Edit->ShowDropDown();
    B = render(header());
    EXPECT_EQ(Measured, 1);
    EXPECT_GT(B->Canvas()->Pixels(W / 2, 2) & 0xFF, B->Canvas()->Pixels(W / 2, 18) & 0xFF);
    EXPECT_EQ(B->Canvas()->Pixels(W / 2, 5), B->Canvas()->Pixels(W / 3, 5));
}

TEST_F(StripTest, OwnerDrawingLeavesOnlyTheButtons) {
    addButtons(1, false);
    TRect Given;
    Edit->OnDrawFooter = [&](TObject* Sender, TCanvas* C, const TRect& R) {
        Given = R;
        C->Brush()->SetColor(clLime);
        C->FillRect(R);
    };
    Edit->DropDownFooter()->SetCaption(QStringLiteral("Footer"));
    Edit->ShowDropDown();
    auto B = render(footer());
    EXPECT_EQ(Given, footer()->ClientRect());
    int Other = 0;
    for (int Y = 0; Y < footer()->Height(); ++Y)
        for (int X = 0; X < footer()->ButtonControl(0)->Left(); ++X) Other += B->Canvas()->Pixels(X, Y) != clLime;
    EXPECT_EQ(Other, 0);  // no border, caption or image
    EXPECT_EQ(B->Canvas()->Pixels(footer()->Width() - 2, footer()->Height() - 4), clLime);  // no grip
    const TRect Btn = footer()->ButtonControl(0)->BoundsRect();
    EXPECT_NE(B->Canvas()->Pixels(Btn.Left + 2, Btn.Top + Btn.Height() / 2), clLime);
}

TEST_F(StripTest, ButtonClicksReachTheEditWithTheirIndex) {
    addButtons(2, true);
    addButtons(2, false);
    std::vector<std::pair<char, int>> Clicks;
    Edit->OnDropDownHeaderButtonClick = [&](TObject* S, int I) {
        EXPECT_EQ(S, Edit);
        Clicks.push_back({'h', I});
    };
    Edit->OnDropDownFooterButtonClick = [&](TObject*, int I) { Clicks.push_back({'f', I}); };
    Edit->ShowDropDown();
    header()->ButtonControl(1)->Click();
    footer()->ButtonControl(0)->Click();
    EXPECT_EQ(Clicks, (std::vector<std::pair<char, int>>{{'h', 1}, {'f', 0}}));
    EXPECT_TRUE(open());  // modal result none keeps it open
    // Buttons are rebuilt at every opening from the items.
    Edit->HideDropDown(false);
    Edit->DropDownFooter()->Buttons()->Items(1)->SetEnabled(false);
    Edit->ShowDropDown();
    EXPECT_EQ(footer()->ButtonList()->Count(), 2);
    EXPECT_FALSE(footer()->ButtonControl(1)->Enabled());
    EXPECT_EQ(footer()->ButtonControl(1)->AdvDropDown(), Edit);
    EXPECT_EQ(header()->ButtonControl(1)->AdvDropDown(), nullptr);
}

}  // namespace
