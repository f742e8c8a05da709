// The link box clears itself and turns black when it gets the focus; the list's size and progress
// columns; Remove with no row selected does nothing.
#include "app/Entries.h"
#include "app/_mainUnit.h"

#include <gtest/gtest.h>

namespace {

class MainFormDetailsTest : public ::testing::Test {
protected:
    void SetUp() override {
        entries.clear();
        Form = new T_mainForm(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override {
        Form->Free();
        entries.clear();
    }
    T_mainForm* Form = nullptr;
};

TEST_F(MainFormDetailsTest, LinkBoxClearsAndTurnsBlackOnFocus) {
    EXPECT_EQ(Form->LinkAdvLUEdit->Text(), LinkBoxPrompt);
    EXPECT_EQ(Form->LinkAdvLUEdit->Font()->Color(), clGray);
    Form->LinkAdvLUEdit->OnEnter(Form->LinkAdvLUEdit);
    EXPECT_TRUE(Form->LinkAdvLUEdit->Text().isEmpty());
    EXPECT_EQ(Form->LinkAdvLUEdit->Font()->Color(), clBlack);
    // Each time it gets the focus.
    Form->LinkAdvLUEdit->SetText(QStringLiteral("typed"));
    Form->LinkAdvLUEdit->OnEnter(Form->LinkAdvLUEdit);
    EXPECT_TRUE(Form->LinkAdvLUEdit->Text().isEmpty());
}

TEST_F(MainFormDetailsTest, SizeAndProgressColumns) {
    ASSERT_EQ(Form->MainListView->Columns()->Count(), 3);
    const struct {
        int Width;
        TAlignment Alignment;
    } Columns[] = {{335, taLeftJustify}, {70, taLeftJustify}, {70, taCenter}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Form->MainListView->Columns()->Items(i)->Width(), Columns[i].Width) << i;
        EXPECT_EQ(Form->MainListView->Columns()->Items(i)->Alignment(), Columns[i].Alignment) << i;
    }
}

TEST_F(MainFormDetailsTest, RemoveWithoutASelectedRowDoesNothing) {
    const int i = AppendEntry(QuillorySiteId, QStringLiteral("https://www.quillory.com/video/1"));
    entries[i].title = QStringLiteral("kept");
    entries[i].status = esReady;
    Form->AddListRow(entries[i]);
    Form->MainListView->SetItemIndex(-1);
    Form->RemoveAdvToolButtonClick(nullptr);
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(Form->MainListView->Items()->Count(), 1);
    EXPECT_EQ(Form->RowText(0, 0), QStringLiteral("kept"));
}

}  // namespace
