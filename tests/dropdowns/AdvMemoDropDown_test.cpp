// The memo drop-down: the lines it keeps and what the edit shows of them, typing on either side,
// Tab in the memo, keeping changes on deactivation and opening on entry.
#include "components/dropdowns/AdvMemoDropDown.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/StdCtrls.h"
#include "tests/dropdowns/DropDownFixture.h"

namespace {

class TTestMemoDropDown : public TAdvMemoDropDown {
public:
    using TAdvMemoDropDown::TAdvMemoDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class MemoDropDownTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        M = new TTestMemoDropDown(Form.get());
        M->SetParent(Form.get());
        M->SetBounds(10, 40, 120, 21);
        Form->HandleNeeded();
    }
    void lines(const char* Text) {
        TStringList L;
        L.SetText(QString::fromUtf8(Text));
        M->SetMemoText(&L);
    }
    TTestMemoDropDown* M = nullptr;
};

TEST_F(MemoDropDownTest, TheEditShowsTheFirstLine) {
    lines("line1\nline2");
    EXPECT_EQ(M->Text(), QStringLiteral("line1"));  // typing allowed: the line itself
    M->SetEditorEnabled(false);
    lines("line1\nline2");
    EXPECT_EQ(M->Text(), QStringLiteral("line1..."));
    lines("a first line far too long to fit into an edit of this width");
    EXPECT_TRUE(M->Text().endsWith(QStringLiteral("...")));
    EXPECT_LT(M->Text().size(), 40);
    lines("");
    EXPECT_EQ(M->Text(), String());
}

TEST_F(MemoDropDownTest, TypingOnEitherSideUpdatesTheOther) {
    lines("one\ntwo\nthree");
    M->ShowDropDown();
    ASSERT_TRUE(M->DroppedDown());
    int Changes = 0;
    M->OnMemoChange = [&](TObject*) { ++Changes; };
    M->Memo()->Lines()->SetText(QStringLiteral("first\nsecond"));
    EXPECT_EQ(M->Text(), QStringLiteral("first"));  // at once, while open
    EXPECT_GE(Changes, 1);
    M->HideDropDown(false);
    // Typing in the edit replaces the first line and keeps the others.
    M->SetText(QStringLiteral("new"));
    EXPECT_EQ(M->MemoText()->Count(), 2);
    EXPECT_EQ(M->MemoText()->Strings(0), QStringLiteral("new"));
    EXPECT_EQ(M->MemoText()->Strings(1), QStringLiteral("second"));
}

TEST_F(MemoDropDownTest, TabInTheMemoClosesAndDeactivationKeeps) {
    lines("x");
    M->ShowDropDown();
    Word Tab = VK_TAB;
    M->Memo()->OnKeyDown(M->Memo(), Tab, {});
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_EQ(Tab, 0);
    EXPECT_EQ(M->SelLength(), M->Text().size());
    M->ShowDropDown();
    EXPECT_FALSE(M->Popup()->CancelOnDeActivate());
    // Other keys stay in the memo.
    Word Key = 'Q';
    M->Memo()->OnKeyDown(M->Memo(), Key, {});
    EXPECT_TRUE(M->DroppedDown());
    Word Esc = VK_ESCAPE;
    M->Memo()->OnKeyDown(M->Memo(), Esc, {});
    EXPECT_FALSE(M->DroppedDown());
}

TEST_F(MemoDropDownTest, AutoDropOpensOnEntryAndClosingDoesNotReopen) {
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetTop(100);
    M->SetAutoDrop(true);
    Form->Show();
    ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
    Other->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Other->Focused(); }));
    M->SetFocus();
    EXPECT_TRUE(pumpUntil([&] { return M->DroppedDown(); }));
    M->HideDropDown(false);  // the edit takes the focus back without opening again
    for (int I = 0; I < 10; ++I) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_TRUE(M->AutoDrop());
}

}  // namespace
