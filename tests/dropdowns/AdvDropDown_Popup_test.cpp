// Opening, placing and closing the popup: the order of events, what keeps it closed, its place on
// the test displays, its size, and the keys, clicks and deactivations that open and close it.
#include "tests/dropdowns/DropDownFixture.h"

#include "framework/ui/StdCtrls.h"

namespace {

class DropDownPopupTest : public DropDownFixture {
protected:
    std::vector<std::string> Log;

    void spy() {
        Edit->Log = &Log;
        Edit->OnBeforeDropDown = [this](TObject*) { Log.push_back("OnBeforeDropDown"); };
        Edit->OnDropDown = [this](TObject*, bool& Accept) {
            Log.push_back(Accept ? "OnDropDown(accept)" : "OnDropDown");
        };
        Edit->OnBeforeDropUp = [this](TObject*) { Log.push_back("OnBeforeDropUp"); };
        Edit->OnDropUp = [this](TObject*, bool Cancelled) {
            Log.push_back(Cancelled ? "OnDropUp(cancelled)" : "OnDropUp(kept)");
        };
    }
    // The edit's form placed so that the edit's top-left corner is at (X, Y) on the screen.
    void editAt(int X, int Y) { Form->SetBounds(X - 10, Y - 10, 400, 300); }
    TRect popupRect() const { return Edit->Popup()->BoundsRect(); }
    void clickButton() {
        TControl* B = Edit->Button()->Button();
        B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
        B->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
    }
};

TEST_F(DropDownPopupTest, EventsComeInOrder) {
    spy();
    Edit->ShowDropDown();
    ASSERT_TRUE(open());
    Log.push_back("shown");
    EXPECT_TRUE(Edit->DroppedDown());
    Edit->HideDropDown(true);
    EXPECT_FALSE(Edit->DroppedDown());
    const std::vector<std::string> Expected = {
        "OnBeforeDropDown", "OnDropDown(accept)", "shown", "OnBeforeDropUp", "hidden",
        "AfterClosePopup",  "OnDropUp(cancelled)"};
    EXPECT_EQ(Log, Expected);
    // Closing a closed popup tells nothing.
    Log.clear();
    Edit->HideDropDown(false);
    EXPECT_TRUE(Log.empty());
}

TEST_F(DropDownPopupTest, ARefusedOpeningLeavesItClosedAndTheTextAlone) {
    spy();
    Edit->SetText(QStringLiteral("kept"));
    Edit->OnDropDown = [this](TObject*, bool& Accept) {
        Log.push_back("OnDropDown");
        Accept = false;
    };
    Edit->ShowDropDown();
    EXPECT_FALSE(open());
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"OnBeforeDropDown", "OnDropDown"}));
    EXPECT_EQ(Edit->Text(), QStringLiteral("kept"));
    // The refusal leaves no busy state behind.
    Edit->OnDropDown = nullptr;
    Edit->ShowDropDown();
    EXPECT_TRUE(open());
}

TEST_F(DropDownPopupTest, NothingOpensWhenDisabledReadOnlyBusyOrDeactivating) {
    const struct {
        const char* Name;
        void (*Prepare)(TTestDropDown*);
    } Cases[] = {
        {"disabled", [](TTestDropDown* E) { E->SetEnabled(false); }},
        {"read-only", [](TTestDropDown* E) { E->SetReadOnly(true); }},
        {"deactivating", [](TTestDropDown* E) { E->Popup()->SetIsDeactivating(true); }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        C.Prepare(Edit);
        Edit->ShowDropDown();
        key(VK_F4);
        altKey(VK_DOWN);
        EXPECT_FALSE(open());
        Edit->SetEnabled(true);
        Edit->SetReadOnly(false);
        Edit->Popup()->SetIsDeactivating(false);
    }
    // Busy: an opening started from inside an opening does nothing.
    int Openings = 0;
    Edit->OnBeforeDropDown = [&](TObject*) {
        ++Openings;
        Edit->ShowDropDown();
    };
    Edit->ShowDropDown();
    EXPECT_EQ(Openings, 1);
    EXPECT_TRUE(open());
}

TEST_F(DropDownPopupTest, AHandlerThatRaisesLeavesNoBusyStateBehind) {
    Edit->OnBeforeDropDown = [](TObject*) { throw Exception(QStringLiteral("picker failed")); };
    EXPECT_THROW(Edit->ShowDropDown(), Exception);
    Edit->OnBeforeDropDown = nullptr;
    Edit->ShowDropDown();
    EXPECT_TRUE(open());
}

TEST_F(DropDownPopupTest, PlacedBelowAboveAndInsideTheWorkArea) {
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->SetDropDownHeight(100);
    const struct {
        const char* Name;
        advdropdown::TDropPosition Position;
        TPoint EditAt;
        TRect Expected;
    } Cases[] = {
        {"down", advdropdown::dpDown, {110, 110}, {110, 130, 310, 230}},
        {"up", advdropdown::dpUp, {110, 110}, {110, 10, 310, 110}},
        {"auto, room below", advdropdown::dpAuto, {110, 110}, {110, 130, 310, 230}},
        // The edit's bottom (640) plus 100 passes the work area (738, not the screen's 768).
        {"auto, no room below", advdropdown::dpAuto, {110, 620}, {110, 520, 310, 620}},
        {"auto, just fits", advdropdown::dpAuto, {110, 618}, {110, 638, 310, 738}},
        {"past the right edge", advdropdown::dpDown, {900, 110}, {824, 130, 1024, 230}},
        // On the display left of the primary one the right edge is corrected too.
        {"left display, past its right edge", advdropdown::dpDown, {-150, 110}, {-200, 130, 0, 230}},
        {"left display, inside", advdropdown::dpDown, {-500, 110}, {-500, 130, -300, 230}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        editAt(C.EditAt.X, C.EditAt.Y);
        Edit->SetDropPosition(C.Position);
        Edit->ShowDropDown();
        ASSERT_TRUE(open());
        EXPECT_EQ(popupRect(), C.Expected);
        Edit->HideDropDown(false);
    }
}

TEST_F(DropDownPopupTest, ThePickersHeightDecidesTheDirection) {
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->SetDropDownHeight(100);
    editAt(110, 500);
    Edit->AdjustTo = 300;  // 520 + 300 passes 738
    Edit->ShowDropDown();
    EXPECT_EQ(popupRect(), Rect(110, 200, 310, 500));
}

TEST_F(DropDownPopupTest, TheUsersSizeIsKeptUntilTheSizeIsWritten) {
    Edit->SetDropDownWidth(150);
    Edit->SetDropDownHeight(120);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 150);
    Edit->Popup()->SetBounds(Edit->Popup()->Left(), Edit->Popup()->Top(), 230, 160);
    Edit->HideDropDown(false);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 230);
    EXPECT_EQ(Edit->Popup()->Height(), 160);
    EXPECT_EQ(Edit->DropDownSize().cx, 230);
    Edit->HideDropDown(false);
    Edit->SetDropDownWidth(150);  // unchanged: the user's size stays
    Edit->SetDropDownHeight(-5);  // ignored
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 230);
    Edit->HideDropDown(false);
    Edit->SetDropDownWidth(140);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 140);
    EXPECT_EQ(Edit->Popup()->Height(), 160);  // the height is still the user's
    Edit->HideDropDown(false);
    Edit->SetDropDownHeight(90);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Height(), 90);
}

TEST_F(DropDownPopupTest, TheDropDownPositionEventHasTheLastWord) {
    Edit->OnGetDropDownPos = [](TObject*, TPoint& P) { P = Point(-3000, 5000); };
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Left(), -3000);
    EXPECT_EQ(Edit->Popup()->Top(), 5000);
}

TEST_F(DropDownPopupTest, AnEmptyPopupIsAtLeast80By50) {
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->SetWidth(60);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 80);
    EXPECT_EQ(Edit->Popup()->Height(), 50);
    Edit->HideDropDown(false);
    // Header and footer count into the height; the control gives its size.
    Edit->DropDownHeader()->SetVisible(true);
    Edit->DropDownFooter()->SetVisible(true);
    Edit->SetWidth(200);
    auto* Memo = new TMemo(Edit);
    Memo->SetBounds(0, 0, 260, 100);
    Edit->SetControl(Memo);
    Edit->ResetDropDownSize();
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), 260);
    EXPECT_EQ(Edit->Popup()->Height(), 2 + 22 + 22 + 100);
    EXPECT_EQ(Memo->Parent(), Edit->Popup());
    EXPECT_EQ(Memo->Align(), alClient);
}

TEST_F(DropDownPopupTest, KeysOpenCloseKeepAndRestore) {
    Edit->SetText(QStringLiteral("first"));
    altKey(VK_DOWN);
    EXPECT_TRUE(open());
    altKey(VK_DOWN);
    EXPECT_FALSE(open());
    key(VK_F4);
    EXPECT_TRUE(open());
    key(VK_F4);
    EXPECT_FALSE(open());
    // Enter keeps what was written while open; Esc puts back what SetText wrote last.
    key(VK_F4);
    Edit->SetRawText(QStringLiteral("picked"));
    key(VK_RETURN);
    EXPECT_FALSE(open());
    EXPECT_EQ(Edit->Text(), QStringLiteral("picked"));
    key(VK_F4);
    Edit->SetRawText(QStringLiteral("other"));
    key(VK_ESCAPE);
    EXPECT_FALSE(open());
    EXPECT_EQ(Edit->Text(), QStringLiteral("first"));
    // Keys that reach the popup are passed to the edit.
    key(VK_F4);
    Word Esc = VK_ESCAPE;
    Edit->Popup()->OnKeyDown(Edit->Popup(), Esc, {});
    EXPECT_FALSE(open());
}

TEST_F(DropDownPopupTest, DeactivationClosesRestoringUnlessThePickerSaysOtherwise) {
    Form->Show();
    ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
    for (bool Cancel : {true, false}) {
        SCOPED_TRACE(Cancel);
        Edit->SetText(QStringLiteral("first"));
        Edit->ShowDropDown();
        ASSERT_TRUE(pumpUntil([&] { return Edit->Popup()->Active(); }));
        Edit->Popup()->SetCancelOnDeActivate(Cancel);
        Edit->SetRawText(QStringLiteral("picked"));
        Form->SetFocus();
        ASSERT_TRUE(pumpUntil([&] { return !open(); }));
        EXPECT_EQ(Edit->Text(), Cancel ? QStringLiteral("first") : QStringLiteral("picked"));
        EXPECT_FALSE(Edit->Popup()->IsDeactivating());
    }
    // A window the popup owns may take activation without closing it.
    Edit->ShowDropDown();
    auto* Dialog = new TForm(nullptr);
    Edit->Popup()->Perform(WM_ACTIVATE, WA_INACTIVE, 0);  // nothing named: closes
    EXPECT_FALSE(open());
    Edit->ShowDropDown();
    class TOwned : public TForm {
    public:
        TOwned(TWinControl* Owner) : TForm(nullptr), FOwnerWindow(Owner) {}

    protected:
        void CreateParams(TCreateParams& Params) override {
            TForm::CreateParams(Params);
            Params.WndParent = FOwnerWindow->Handle();
        }
        TWinControl* FOwnerWindow;
    };
    auto* Owned = new TOwned(Edit->Popup());
    Owned->HandleNeeded();
    Edit->Popup()->Perform(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(Owned->Handle()));
    EXPECT_TRUE(open());
    EXPECT_FALSE(Edit->Popup()->IsDeactivating());  // ended without closing: opening works again later
    Edit->Popup()->Perform(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(Dialog->Handle()));
    EXPECT_FALSE(open());
    delete Owned;
    delete Dialog;
}

TEST_F(DropDownPopupTest, TheButtonOpensOnReleaseAndNotRightAfterADeactivation) {
    TControl* B = Edit->Button()->Button();
    B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    EXPECT_FALSE(open());  // not on the press
    B->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
    EXPECT_TRUE(open());
    // The click that deactivates the popup closes it; its release does not open it again.
    Edit->Popup()->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(open());
    Clock.Advance(200);
    clickButton();
    EXPECT_FALSE(open());
    Clock.Advance(60);
    clickButton();
    EXPECT_TRUE(open());
    // The right button opens nothing.
    Edit->HideDropDown(false);
    Clock.Advance(300);
    B->Perform(WM_RBUTTONDOWN, MK_RBUTTON, PointToLParam(5, 5));
    B->Perform(WM_RBUTTONUP, 0, PointToLParam(5, 5));
    EXPECT_FALSE(open());
}

TEST_F(DropDownPopupTest, WithoutTypingOnlyTheDropKeysWorkAndAClickOpens) {
    Edit->SetText(QStringLiteral("abc"));
    Edit->SetEditorEnabled(false);
    Edit->SetSelStart(3);
    chars(QStringLiteral("xyz"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("abc"));
    const struct {
        Word Key;
        bool Passed;
    } Keys[] = {{VK_TAB, true},     {VK_RETURN, true}, {VK_ESCAPE, true}, {VK_LEFT, false},
                {VK_DELETE, false}, {'A', false},      {VK_HOME, false}};
    for (const auto& K : Keys) {
        TMessage M{WM_KEYDOWN, K.Key, 0, 0};
        Edit->SendMessageTo(M);
        EXPECT_EQ(M.WParam != 0, K.Passed) << K.Key;
    }
    EXPECT_EQ(Edit->Text(), QStringLiteral("abc"));
    key(VK_F4);
    EXPECT_TRUE(open());
    key(VK_ESCAPE);
    EXPECT_FALSE(open());
    Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(20, 5));
    Edit->Perform(WM_LBUTTONUP, 0, PointToLParam(20, 5));
    EXPECT_TRUE(open());
}

TEST_F(DropDownPopupTest, EscapeIsTheEditsWhileOpen) {
    Form->SetKeyPreview(false);
    Edit->SetCanUndo(false);
    EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
    // With undo, Esc selects the value and clears the modified state instead.
    Edit->HideDropDown(false);
    Edit->SetCanUndo(true);
    Edit->SetText(QStringLiteral("value"));
    Edit->SetSelStart(2);
    Edit->SetModified(true);
    EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);
    EXPECT_EQ(Edit->SelLength(), 5);
    EXPECT_FALSE(Edit->Modified());
}

TEST_F(DropDownPopupTest, TheWheelSelectsInsideTheEditOrWhileOpen) {
    Form->HandleNeeded();
    const TPoint Inside = Edit->ClientToScreen(Point(20, 5));
    const TPoint Outside = Edit->ClientToScreen(Point(20, 50));
    auto wheel = [&](int Delta, TPoint At) {
        Edit->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(Delta))), PointToLParam(At.X, At.Y));
    };
    wheel(-120, Inside);
    wheel(120, Inside);
    wheel(-120, Outside);
    EXPECT_EQ(Edit->NextCount, 1);
    EXPECT_EQ(Edit->PreviousCount, 1);
    Edit->ShowDropDown();
    wheel(-120, Outside);
    EXPECT_EQ(Edit->NextCount, 2);
    // Over the popup, wherever the pointer is.
    Edit->Popup()->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(120)), PointToLParam(-500, -500));
    EXPECT_EQ(Edit->PreviousCount, 2);
}

TEST_F(DropDownPopupTest, ClicksKeepTheCaretOffPrefixAndSuffix) {
    Edit->SetPrefix(QStringLiteral("ID-"));
    Edit->SetSuffix(QStringLiteral(" kg"));
    Edit->SetRawText(QStringLiteral("ID-42 kg"));
    Form->Show();
    ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
    Edit->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Edit->Focused(); }));
    // Where the editor put the caret or selection when the button goes up.
    auto releaseWith = [&](int Start, int Length) {
        Edit->SetSelStart(Start);
        Edit->SetSelLength(Length);
        Edit->Perform(WM_LBUTTONUP, 0, PointToLParam(0, 8));
    };
    // A caret in the prefix selects the value; one in the suffix goes to the value's end.
    releaseWith(1, 0);
    EXPECT_EQ(Edit->SelStart(), 3);
    EXPECT_EQ(Edit->SelLength(), 2);
    releaseWith(7, 0);
    EXPECT_EQ(Edit->SelStart(), 5);
    EXPECT_EQ(Edit->SelLength(), 0);
    releaseWith(4, 3);  // a selection into the suffix stops at the value's end
    EXPECT_EQ(Edit->SelStart(), 4);
    EXPECT_EQ(Edit->SelLength(), 1);
    // A press inside the selection keeps it until the release places the caret.
    Edit->SetSelStart(3);
    Edit->SetSelLength(2);
    const int X = LOWORD(static_cast<std::uintptr_t>(Edit->Perform(EM_POSFROMCHAR, 4, 0)));
    Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X + 1, 8));
    EXPECT_EQ(Edit->SelLength(), 2);
    Edit->Perform(WM_LBUTTONUP, 0, PointToLParam(X + 1, 8));
    EXPECT_EQ(Edit->SelLength(), 0);
    EXPECT_EQ(Edit->SelStart(), 4);
}

TEST_F(DropDownPopupTest, EnterMovesOnLikeTabWhenAsked) {
    auto* Next = new TEdit(Form.get());
    Next->SetParent(Form.get());
    Next->SetTop(60);
    Form->Show();
    ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
    Edit->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Edit->Focused(); }));
    Edit->SetReturnIsTab(true);
    key(VK_RETURN);
    EXPECT_TRUE(pumpUntil([&] { return Next->Focused(); }));
}

TEST_F(DropDownPopupTest, ASizeablePopupAnswersItsCornerAndTellsTheEdit) {
    Edit->ShowDropDown();
    TDropDownForm* P = Edit->Popup();
    const TPoint Corner = P->ClientToScreen(Point(P->Width() - 5, P->Height() - 5));
    EXPECT_EQ(P->Perform(WM_NCHITTEST, 0, PointToLParam(Corner.X, Corner.Y)), HTNOWHERE);
    P->SetSizeable(true);
    EXPECT_EQ(P->Perform(WM_NCHITTEST, 0, PointToLParam(Corner.X, Corner.Y)), HTBOTTOMRIGHT);
    const TPoint Inside = P->ClientToScreen(Point(5, 5));
    EXPECT_EQ(P->Perform(WM_NCHITTEST, 0, PointToLParam(Inside.X, Inside.Y)), HTNOWHERE);
    EXPECT_EQ(P->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    int Sizings = 0;
    P->OnSizing = [&](TObject*) { ++Sizings; };
    const int W = P->Width();
    P->Perform(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, PointToLParam(Corner.X, Corner.Y));
    P->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(P->Width() - 5 + 40, P->Height() - 5));
    P->Perform(WM_LBUTTONUP, 0, PointToLParam(P->Width() - 5, P->Height() - 5));
    EXPECT_EQ(P->Width(), W + 40);
    EXPECT_GE(Sizings, 1);
    Edit->HideDropDown(false);
    Edit->ShowDropDown();
    EXPECT_EQ(Edit->Popup()->Width(), W + 40);  // the user's size is kept
}

}  // namespace
