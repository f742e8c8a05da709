#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TComboBox* Box = nullptr;
    std::vector<std::string> Events;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        Box = new TComboBox(Form.get());
        Box->SetParent(Form.get());
        for (const char* S : {"Auto", "Quillory", "YouTube"}) Box->Items()->Add(QString::fromLatin1(S));
        Box->OnClick = [this](TObject*) { Events.push_back("click " + Box->Text().toStdString()); };
        Box->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Box->ItemIndex())); };
    }
};

TEST_F(ComboBoxTest, ItemIndexAndTextPerStyle) {
    for (bool WithWindow : {false, true}) {
        SCOPED_TRACE(WithWindow ? "with window" : "without window");
        if (WithWindow) Box->HandleNeeded();
        Box->SetStyle(csDropDownList);
        const struct {
            int Set;
            int Index;
            const char* Text;
        } Cases[] = {{1, 1, "Quillory"}, {7, -1, ""}, {-3, -1, ""}, {2, 2, "YouTube"}};
        for (const auto& C : Cases) {
            Box->SetItemIndex(C.Set);
            EXPECT_EQ(Box->ItemIndex(), C.Index) << C.Set;
            EXPECT_EQ(Box->Text(), QString::fromLatin1(C.Text)) << C.Set;
        }
        // A list box shows only its items' texts.
        Box->SetText(QStringLiteral("Nope"));
        EXPECT_EQ(Box->Text(), QStringLiteral("YouTube"));
        Box->SetText(QStringLiteral("Auto"));
        EXPECT_EQ(Box->ItemIndex(), 0);

        Box->SetStyle(csDropDown);
        Box->SetText(QStringLiteral("typed"));
        EXPECT_EQ(Box->Text(), QStringLiteral("typed"));
        EXPECT_EQ(Box->ItemIndex(), -1);
        Box->SetText(QStringLiteral("Quillory"));
        EXPECT_EQ(Box->ItemIndex(), 1);
        EXPECT_TRUE(Events.empty()) << "writes from code fire nothing";
    }
}

TEST_F(ComboBoxTest, UserPickFiresClickThenChange) {
    Box->SetStyle(csDropDownList);
    Box->HandleNeeded();
    Box->SelectItem(1);
    Box->SelectItem(9);  // out of range: nothing
    EXPECT_EQ(Events, (std::vector<std::string>{"click Quillory", "change 1"}));
}

TEST_F(ComboBoxTest, HandlerMayFreeTheBox) {
    TComboBox** Ref = &Box;
    Box->OnClick = [Ref](TObject* Sender) {
        // Freeing the box frees this handler too: keep what is needed on the stack first.
        TComboBox** Target = Ref;
        Sender->Free();
        *Target = nullptr;
    };
    Box->SelectItem(0);
    EXPECT_EQ(Box, nullptr);
}

TEST_F(ComboBoxTest, ItemChangesKeepIndexValid) {
    Box->SetStyle(csDropDownList);
    Box->SetItemIndex(2);
    Box->Items()->Delete(2);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), String());
    Box->SetItemIndex(1);
    Box->HandleNeeded();
    Box->Items()->Add(QStringLiteral("Vimeo"));
    EXPECT_EQ(Box->ItemIndex(), 1);
    Box->Clear();
    EXPECT_EQ(Box->Items()->Count(), 0);
    EXPECT_EQ(Box->ItemIndex(), -1);
    // State survives a new window.
    Box->Items()->Add(QStringLiteral("A"));
    Box->Items()->Add(QStringLiteral("B"));
    Box->SetItemIndex(1);
    Box->SetDropDownCount(20);
    Box->RecreateWnd();
    EXPECT_EQ(Box->Text(), QStringLiteral("B"));
    EXPECT_EQ(Box->DropDownCount(), 20);
}

}  // namespace
