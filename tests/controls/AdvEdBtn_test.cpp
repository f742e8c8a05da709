// The edit with a button and the folder edit: layout, an edit that takes no typing, the
// password shown while the button is held, browsing for a folder and checking the text.
#include "components/controls/AdvDirectoryEdit.h"
#include "components/controls/AdvLUEdit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Files.h"
#include "framework/ui/Clipbrd.h"
#include "tests/controls/EditFixture.h"
#include "tests/controls/HeldKeys.h"

namespace {

class AdvEditBtnTest : public EditFixture {
protected:
    static void press(TAdvEditBtn* E) {
        E->Button()->Button()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(4, 4));
    }
    static void release(TAdvEditBtn* E) { E->Button()->Button()->Perform(WM_LBUTTONUP, 0, PointToLParam(4, 4)); }
    static TRect formatRect(TCustomEdit* E) {
        TRect R;
        E->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
        return R;
    }
};

TEST_F(AdvEditBtnTest, ALowEditGrowsToTheFontAndTheTextEndsBeforeTheButton) {
    auto* E = newEdit<TAdvEditBtn>();
    E->SetAutoSize(false);
    E->Font()->SetSize(8);
    const int Min = E->GetMinHeight();
    ASSERT_GT(Min, 14);
    E->SetHeight(14);
    EXPECT_EQ(E->Height(), Min);

    E->SetButtonWidth(24);
    E->SetHeight(30);
    TEditButton* B = E->Button();
    EXPECT_EQ(B->Width(), 24);
    EXPECT_EQ(B->Button()->Width(), 24);
    // Inside the 2-pixel border: the text stops 24 + 3 pixels before the edge, and a pixel
    // more, which the edit keeps off every side of the rectangle inside a sunken border.
    EXPECT_EQ(formatRect(E).Right, E->Width() - 2 - 27 - 1);
    EXPECT_EQ(B->Left() + B->Width(), E->Width() - 2);
    EXPECT_EQ(B->Height(), E->Height() - 4);
    EXPECT_EQ(E->Version(), QStringLiteral("1.3.6.0"));
}

TEST_F(AdvEditBtnTest, WithoutTheEditorOnlyCopyF4AndTheButtonWork) {
    auto* E = newEdit<TAdvEditBtn>();
    E->SetText(QStringLiteral("kept"));
    E->SetEditorEnabled(false);
    int Clicks = 0;
    E->OnClickBtn = [&](TObject*) { ++Clicks; };

    caret(E, 4, 4);
    type(E, QStringLiteral("xy\b"));
    key(E, VK_DELETE);
    caret(E, 0, 4);
    Clipboard()->SetAsText(QStringLiteral("pasted"));
    E->Perform(WM_PASTE, 0, 0);
    E->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(window(E), QStringLiteral("kept"));

    Clipboard()->SetAsText(QString());
    {
        HeldKeys Ctrl{VK_CONTROL};
        E->Perform(WM_CHAR, 3, 0);
    }
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("kept"));

    key(E, VK_F4);
    EXPECT_EQ(Clicks, 1);
    E->Perform(WM_SYSKEYDOWN, VK_F4, LPARAM(1) << 29);
    EXPECT_EQ(Clicks, 1) << "Alt+F4 belongs to the window";
    press(E);
    release(E);
    EXPECT_EQ(Clicks, 2);

    E->SetEditorEnabled(true);
    E->SetReadOnly(true);
    EXPECT_FALSE(E->Button()->Enabled()) << "a read-only edit's button is off";
    E->SetReadOnly(false);
    EXPECT_TRUE(E->Button()->Enabled());
    caret(E, 4, 4);
    type(E, QStringLiteral("s"));
    EXPECT_EQ(window(E), QStringLiteral("kepts"));
}

TEST_F(AdvEditBtnTest, APasswordShowsWhileTheButtonIsHeld) {
    auto* E = newEdit<TAdvEditBtn>();
    E->SetEditType(etPassword);
    E->SetText(QStringLiteral("secret"));
    E->SetShowPassOnClick(true);
    std::vector<TAdvEditType> Seen;
    E->OnBtnMouseDown = [&](TObject*) { Seen.push_back(E->EditType()); };
    E->OnBtnMouseUp = [&](TObject*) { Seen.push_back(E->EditType()); };
    EXPECT_EQ(E->PasswordChar(), u'*');
    press(E);
    EXPECT_TRUE(E->PasswordChar().isNull());
    release(E);
    EXPECT_EQ(E->PasswordChar(), u'*');
    EXPECT_EQ(window(E), QStringLiteral("secret"));
    EXPECT_EQ(Seen, (std::vector<TAdvEditType>{etString, etPassword})) << "the events come after the switch";
}

class AdvDirectoryEditTest : public AdvEditBtnTest {
protected:
    void SetUp() override {
        AdvEditBtnTest::SetUp();
        Edit = newEdit<TAdvDirectoryEdit>();
        Edit->OnDialogClose = [this](TObject*, String& Dir, bool OK) {
            Closed.push_back({Dir, OK});
            (void)this;
        };
        Screen->SetWorkAreaRect(Rect(0, 0, 1000, 700));
    }
    void TearDown() override { Screen->SetWorkAreaRect(TRect()); }

    TRecordingShellService Shell;
    TShellServiceGuard Guard{&Shell};
    TAdvDirectoryEdit* Edit = nullptr;
    std::vector<std::pair<String, bool>> Closed;
};

TEST_F(AdvDirectoryEditTest, BrowsingStartsAtTheFieldsFolderAndCancellingKeepsTheText) {
    EXPECT_EQ(Edit->ButtonWidth(), 18);
    Edit->ClickButton();
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Shell.Last().Directory, GetCurrentDir()) << "an empty field starts at the current folder";
    EXPECT_EQ(Shell.Last().Parameters, QStringLiteral("Select Directory"));
    EXPECT_EQ(Edit->Text(), QString());
    ASSERT_EQ(Closed.size(), 1u);
    EXPECT_FALSE(Closed[0].second);

    const String Temp = GetCurrentDir();
    Edit->SetText(Temp + QStringLiteral("/"));
    Shell.FolderAnswer = QStringLiteral("/tmp");
    Edit->SetModified(false);
    Edit->Perform(WM_KEYDOWN, VK_F4, 0);
    EXPECT_EQ(Shell.Last().Directory, Temp + QStringLiteral("/"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("/tmp"));
    EXPECT_TRUE(Edit->Modified());
    ASSERT_EQ(Closed.size(), 2u);
    EXPECT_EQ(Closed[1], std::make_pair(QStringLiteral("/tmp"), true));
}

TEST_F(AdvDirectoryEditTest, TheDialogOpensUnderTheFieldInsideTheWorkArea) {
    Shell.DialogSize = TSize{400, 320};
    const TPoint Under = Edit->ClientToScreen(Point(0, Edit->Height()));
    Edit->ClickButton();
    EXPECT_EQ(Shell.LastPlacement, Under);

    // Near the bottom-right corner: left of the field, 64 pixels above the work area's bottom.
    Screen->SetWorkAreaRect(Rect(0, 0, Under.X + 100, Under.Y + 50));
    Edit->ClickButton();
    EXPECT_EQ(Shell.LastPlacement, Point(Under.X - 400, Under.Y + 50 - 320 - 64));
}

TEST_F(AdvDirectoryEditTest, WithShowErrorAMissingFolderShowsTheErrorColours) {
    Edit->SetColor(clWhite);
    Edit->SetShowError(true);
    Edit->SetText(QStringLiteral("/no/such/folder/here"));
    EXPECT_TRUE(Edit->IsError());
    EXPECT_EQ(Edit->Color(), clRed);
    EXPECT_EQ(Edit->Font()->Color(), clWhite);
    EXPECT_FALSE(Edit->IsValidDirectory());
    Edit->SetText(GetCurrentDir());
    EXPECT_FALSE(Edit->IsError());
    EXPECT_EQ(Edit->Color(), clWhite);
    EXPECT_TRUE(Edit->IsValidDirectory());
    bool Fired = false;
    Edit->OnValueValidate = [&](TObject*, String, bool&) { Fired = true; };
    Edit->SetText(QStringLiteral("/no/such"));
    EXPECT_FALSE(Fired) << "the folder edit validates by the folder alone";
}

// The text of every edit kind keeps the same distance from a sunken border as a plain edit's
// (the folder edit's text touched the border).
TEST_F(AdvEditBtnTest, TheTextSitsAsFarInsideTheBorderAsAPlainEdits) {
    // The first column and row, from the inside of the 2-pixel border on, holding dark ink.
    auto FirstInk = [this](TCustomEdit* E) {
        auto B = render(E);
        TPoint Ink{-1, -1};
        for (int X = 2; X < 60 && Ink.X < 0; ++X)
            for (int Y = 2; Y < E->Height() - 2; ++Y)
                if (const TColor C = B->Canvas()->Pixels(X, Y); GetRValue(C) < 128 && GetGValue(C) < 128) {
                    Ink.X = X;
                    break;
                }
        for (int Y = 2; Y < E->Height() - 2 && Ink.Y < 0; ++Y)
            for (int X = 2; X < 60; ++X)
                if (const TColor C = B->Canvas()->Pixels(X, Y); GetRValue(C) < 128 && GetGValue(C) < 128) {
                    Ink.Y = Y;
                    break;
                }
        return Ink;
    };
    auto Prepare = [](TCustomEdit* E) {
        E->SetAutoSize(false);
        E->SetBounds(100, 50, 200, 19);
        E->SetColor(clWhite);
        E->SetText(QStringLiteral("|x"));
    };
    TEdit* Plain = newEdit<TEdit>();
    Prepare(Plain);
    const TPoint Expected = FirstInk(Plain);
    ASSERT_GT(Expected.X, 2) << "a plain edit's text keeps off the border";

    auto* Folder = newEdit<TAdvDirectoryEdit>();
    Folder->SetEditorEnabled(false);
    const struct {
        const char* Name;
        TCustomEdit* Edit;
    } Cases[] = {{"typed edit", newEdit<TAdvEdit>()},
                 {"button edit", newEdit<TAdvEditBtn>()},
                 {"folder edit without typing", Folder},
                 {"lookup edit", newEdit<TAdvLUEdit>()}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Prepare(C.Edit);
        const TPoint Ink = FirstInk(C.Edit);
        EXPECT_EQ(Ink.X, Expected.X) << "first column of ink";
        EXPECT_EQ(Ink.Y, Expected.Y) << "first row of ink";
    }
}

}  // namespace
