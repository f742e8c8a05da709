// Input of a control that wraps a Qt widget: each key becomes its messages once,
// also when the Qt widget leaves the event and Qt passes it up to the control's own window.
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <map>

namespace {

class HostedInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetCaption(QStringLiteral("HostedInputTest"));
        Form->SetBounds(0, 0, 300, 200);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 150, 21);
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
        Edit->SetFocus();
        QWidget* Window = ShownWindowTitled(Form->Caption());
        ASSERT_NE(Window, nullptr);
        Editor = Window->findChild<QLineEdit*>();
        ASSERT_NE(Editor, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Editor->hasFocus(); }));
        Hook = AddWindowProcHook([this](TControl* Target, TMessage& M) {
            if (M.Msg == WM_KEYDOWN || M.Msg == WM_CHAR || M.Msg == WM_KEYUP)
                ++Seen[{Target == Edit ? "edit" : Target == Form ? "form" : "other", M.Msg}];
            return false;
        });
    }
    void TearDown() override {
        RemoveWindowProcHook(Hook);
        Form->Free();
    }

    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    QLineEdit* Editor = nullptr;
    int Hook = 0;
    std::map<std::pair<std::string, UINT>, int> Seen;
};

TEST_F(HostedInputTest, KeysTheEditorLeavesAreSentOnce) {
    struct Case {
        const char* Name;
        Qt::Key Key;
        bool Char;  // a character phase follows the key-down
    };
    // The line editor ignores all three after seeing them.
    const Case Cases[] = {{"Enter", Qt::Key_Return, true}, {"Escape", Qt::Key_Escape, true}, {"F5", Qt::Key_F5, false}};
    int KeyDowns = 0, KeyUps = 0;
    Edit->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++KeyDowns; };
    Edit->OnKeyUp = [&](TObject*, Word&, TShiftState) { ++KeyUps; };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Seen.clear();
        KeyDowns = KeyUps = 0;
        QTest::keyClick(Editor, C.Key);
        EXPECT_EQ(KeyDowns, 1);
        EXPECT_EQ(KeyUps, 1);
        const std::map<std::pair<std::string, UINT>, int> Expected =
            C.Char ? std::map<std::pair<std::string, UINT>, int>{{{"edit", WM_KEYDOWN}, 1},
                                                                 {{"edit", WM_CHAR}, 1},
                                                                 {{"edit", WM_KEYUP}, 1}}
                   : std::map<std::pair<std::string, UINT>, int>{{{"edit", WM_KEYDOWN}, 1}, {{"edit", WM_KEYUP}, 1}};
        EXPECT_EQ(Seen, Expected);
    }
    // Keys the editor takes still type.
    QTest::keyClicks(Editor, QStringLiteral("ab"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("ab"));
}

}  // namespace
