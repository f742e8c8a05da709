// The popup's push buttons: modal results that close the popup, the colour each state paints
// with, their size, the down state in groups and the hot look that a missed mouse-leave clears.
#include "components/dropdowns/AdvButton.h"
#include "components/dropdowns/AdvHeaderFooter.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Timer.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

using AdvButtonTest = DropDownFixture;

TEST_F(AdvButtonTest, ModalResultsCloseAcceptOrCancel) {
    struct TOutcome {
        bool Closes, Cancels;
    };
    // Modal results 0 to 14: None, OK, Cancel, Abort, Retry, Ignore, Yes, No, Close, Help,
    // Try Again, Continue, All, No to All, Yes to All.
    const TOutcome Expected[15] = {{false, false}, {true, false},  {true, true},  {true, true},   {false, false},
                                   {true, true},   {true, false},  {true, true},  {false, false}, {false, false},
                                   {false, false}, {false, false}, {true, false}, {true, true},   {true, false}};
    Edit->DropDownFooter()->Buttons()->Add()->SetCaption(QStringLiteral("Go"));
    int FooterEvents = 0, DropUps = 0;
    bool Cancelled = false, OpenAtEvent = false;
    Edit->OnDropDownFooterButtonClick = [&](TObject*, int) {
        ++FooterEvents;
        OpenAtEvent = open();
    };
    Edit->OnDropUp = [&](TObject*, bool C) {
        ++DropUps;
        Cancelled = C;
    };
    for (int R = 0; R <= 14; ++R) {
        for (bool ByKey : {false, true}) {
            SCOPED_TRACE(testing::Message() << "modal result " << R << (ByKey ? " by Enter" : " by mouse"));
            Edit->DropDownFooter()->Buttons()->Items(0)->SetModalResult(R);
            Edit->ShowDropDown();
            TAdvButton* B = Edit->Popup()->Footer()->ButtonControl(0);
            FooterEvents = DropUps = 0;
            if (ByKey) {
                B->Perform(WM_KEYDOWN, VK_RETURN, 0);
            } else {
                B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 3));
                B->Perform(WM_LBUTTONUP, 0, PointToLParam(3, 3));
            }
            EXPECT_EQ(Edit->Popup()->ModalResult(), R);
            EXPECT_EQ(open(), !Expected[R].Closes);
            EXPECT_EQ(DropUps, Expected[R].Closes ? 1 : 0);
            if (Expected[R].Closes) {
                EXPECT_EQ(Cancelled, Expected[R].Cancels);
            }
            // The keyboard's click raises no button event; the mouse's comes after the close.
            EXPECT_EQ(FooterEvents, ByKey ? 0 : 1);
            if (!ByKey) {
                EXPECT_EQ(OpenAtEvent, !Expected[R].Closes);
            }
            Edit->HideDropDown(false);
        }
    }
}

TEST_F(AdvButtonTest, EachStateFillsWithOneColour) {
    TAdvButtonAppearance* A = Edit->ButtonAppearance();
    A->SetColor(0x000001);
    A->SetColorTo(clNone);
    A->SetColorHot(0x000002);
    A->SetColorHotTo(0x0000FF);  // the "To" colours of these states take no part
    A->SetColorDown(0x000003);
    A->SetColorChecked(0x000004);
    A->SetColorDisabled(0x000005);
    A->SetColorDisabledTo(clNone);
    Form->Show();
    auto* B = new TAdvButton(Form.get());
    B->SetParent(Form.get());
    B->SetBounds(20, 60, 40, 20);
    B->SetAppearance(A);
    const auto centre = [&] {
        B->Invalidate();
        TBitmap Bmp(B->Width(), B->Height());
        B->PaintTo(Bmp.Canvas(), 0, 0);
        return Bmp.Canvas()->Pixels(20, 10);
    };
    EXPECT_EQ(centre(), TColor(0x000001));
    B->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(centre(), TColor(0x000002));
    B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 3));
    EXPECT_EQ(centre(), TColor(0x000003));  // pressed wins over hot
    B->SetEnabled(false);
    EXPECT_EQ(centre(), TColor(0x000005));  // disabled wins over all
    B->SetEnabled(true);
    B->Perform(WM_LBUTTONUP, 0, PointToLParam(3, 3));
    B->Perform(CM_MOUSELEAVE, 0, 0);
    B->SetGroupIndex(1);
    B->SetDown(true);
    EXPECT_EQ(centre(), TColor(0x000004));
    B->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(centre(), TColor(0x000004));  // down wins over hot
    // Without an appearance only the parent's background shows.
    Form->SetColor(clLime);
    B->SetAppearance(nullptr);
    EXPECT_EQ(centre(), clLime);
}

TEST_F(AdvButtonTest, SizedToCaptionAndImage) {
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    TBitmap Bmp(16, 16);
    Images.Add(&Bmp, nullptr);
    auto* B = new TAdvButton(Form.get());
    B->SetParent(Form.get());
    B->SetAppearance(Edit->ButtonAppearance());
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Edit->ButtonAppearance()->Font());
    const struct {
        const char* Caption;
        int ImageIndex;
    } Cases[] = {{"A wide caption here", 0}, {"i", 0}, {"i", -1}, {"", -1}};
    B->SetImages(&Images);
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Caption);
        const String Caption = QString::fromLatin1(C.Caption);
        B->SetCaption(Caption);
        B->SetImageIndex(C.ImageIndex);
        B->AdjustButtonSize();
        TSize Text = GetTextSize(Measure.Canvas(), Caption);
        if (C.ImageIndex >= 0) Text = TSize{std::max(Text.cx, 16), std::max(Text.cy, 16)};
        EXPECT_EQ(B->Width(), Text.cx + 8);
        EXPECT_EQ(B->Height(), Text.cy + 4);
    }
    B->SetCaption(QStringLiteral("i"));
    B->SetImageIndex(0);
    B->AdjustButtonSize();
    EXPECT_EQ(B->Width(), 24);  // the image decides: 16 + 8
}

TEST_F(AdvButtonTest, DownStateAndGroups) {
    auto make = [&](int Group, TAdvButtonStyle Style) {
        auto* B = new TAdvButton(Form.get());
        B->SetParent(Form.get());
        B->SetGroupIndex(Group);
        B->SetStyle(Style);
        return B;
    };
    TAdvButton* Push = make(0, tasButton);
    Push->SetDown(true);
    EXPECT_FALSE(Push->Down());  // a push button without a group never stays down
    TAdvButton* Check = make(0, tasCheck);
    Check->SetDown(true);
    EXPECT_TRUE(Check->Down());
    EXPECT_EQ(Check->State(), absDown);
    Check->SetDown(false);
    EXPECT_EQ(Check->State(), absUp);

    TAdvButton* A = make(1, tasButton);
    TAdvButton* B = make(1, tasButton);
    TAdvButton* Other = make(2, tasButton);
    Other->SetDown(true);
    const struct {
        const char* Step;
        TAdvButton* Target;
        bool Value, AllowAllUp, ADown, BDown;
    } Steps[] = {
        {"A down", A, true, false, true, false},
        {"B down takes over", B, true, false, false, true},
        {"B cannot go up", B, false, false, false, true},
        {"B up when all may be up", B, false, true, false, false},
    };
    for (const auto& S : Steps) {
        SCOPED_TRACE(S.Step);
        A->SetAllowAllUp(S.AllowAllUp);
        B->SetAllowAllUp(S.AllowAllUp);
        S.Target->SetDown(S.Value);
        EXPECT_EQ(A->Down(), S.ADown);
        EXPECT_EQ(B->Down(), S.BDown);
        EXPECT_TRUE(Other->Down());  // another group is left alone
    }
    EXPECT_EQ(A->State(), absUp);
    B->SetDown(true);
    EXPECT_EQ(B->State(), absExclusive);
}

TEST_F(AdvButtonTest, TheHotLookEndsWhenThePointerIsGoneWithoutALeave) {
    Form->Show();
    auto* B = new TAdvButton(Form.get());
    B->SetParent(Form.get());
    B->SetBounds(20, 60, 40, 20);
    Mouse->SetCursorPos(B->ClientToScreen(Point(5, 5)));
    B->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_TRUE(B->MouseInControl());
    EXPECT_TRUE(B->UnHotTimer()->Enabled());
    EXPECT_EQ(B->UnHotTimer()->Interval(), 1u);
    Clock.Advance(1);
    EXPECT_TRUE(B->MouseInControl());  // still over it
    Mouse->SetCursorPos(B->ClientToScreen(Point(100, 5)));
    Clock.Advance(1);
    EXPECT_FALSE(B->MouseInControl());
    EXPECT_FALSE(B->UnHotTimer()->Enabled());
}

}  // namespace
