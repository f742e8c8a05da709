#include "framework/ui/ComCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class ListViewTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TListView* LV = nullptr;
    std::vector<String> Log;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        LV = new TListView(Form.get());
        LV->SetParent(Form.get());
        LV->SetBounds(0, 0, 200, 120);
        LV->SetViewStyle(vsReport);
        for (const char* Caption : {"Name", "Size"}) {
            TListColumn* Col = LV->Columns()->Add();
            Col->SetCaption(QString::fromLatin1(Caption));
            Col->SetWidth(80);
        }
        for (int I = 0; I < 3; ++I) {
            TListItem* Item = LV->Items()->Add();
            Item->SetCaption(QStringLiteral("file%1").arg(I));
            Item->SubItems()->Add(QStringLiteral("%1 KB").arg(I * 10));
        }
        LV->OnChange = [this](TObject*, TListItem* Item, TItemChange C) {
            Log.push_back(QStringLiteral("change %1 %2").arg(Item->Index()).arg(C));
        };
        LV->OnSelectItem = [this](TObject*, TListItem* Item, bool Selected) {
            Log.push_back(QStringLiteral("select %1 %2").arg(Item->Index()).arg(Selected));
        };
    }

    void clickRow(int Index, int X = 10) {
        const TRect R = LV->ItemRect(Index);
        const int Y = R.Top + R.Height() / 2;
        LV->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        LV->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y));
    }

    std::unique_ptr<TBitmap> render() {
        auto B = std::make_unique<TBitmap>(LV->Width(), LV->Height());
        LV->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(ListViewTest, ClickSelectsAndReportsTheChangeInOrder) {
    clickRow(1);
    EXPECT_EQ(LV->ItemIndex(), 1);
    EXPECT_EQ(LV->Selected(), LV->Items()->Item(1));
    EXPECT_TRUE(LV->Items()->Item(1)->Focused());
    clickRow(2);
    const std::vector<String> Expected = {
        QStringLiteral("change 1 2"), QStringLiteral("select 1 1"), QStringLiteral("change 1 2"),
        QStringLiteral("change 1 2"), QStringLiteral("select 1 0"), QStringLiteral("change 2 2"),
        QStringLiteral("select 2 1"), QStringLiteral("change 1 2"), QStringLiteral("change 2 2"),
    };
    EXPECT_EQ(Log, Expected);

    Log.clear();
    clickRow(0, 120);  // the sub-item column picks nothing without RowSelect
    EXPECT_EQ(LV->ItemIndex(), -1);
    LV->SetRowSelect(true);
    clickRow(0, 120);
    EXPECT_EQ(LV->ItemIndex(), 0);

    LV->SetItemIndex(-1);
    EXPECT_EQ(LV->Selected(), nullptr);
    EXPECT_THROW(LV->SetItemIndex(7), EListError);
}

TEST_F(ListViewTest, CodeChangesToCaptionAndSubItemsFireOnChange) {
    LV->Items()->Item(0)->SetCaption(QStringLiteral("renamed"));
    LV->Items()->Item(2)->SubItems()->Put(0, QStringLiteral("99 KB"));
    LV->Items()->Item(2)->SetImageIndex(3);
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("change 0 0"), QStringLiteral("change 2 0"),
                                        QStringLiteral("change 2 1")}));
    LV->Items()->Item(1)->Delete();
    EXPECT_EQ(LV->Items()->Count(), 2);
    EXPECT_EQ(LV->Items()->Item(1)->Caption(), QStringLiteral("file2"));
}

TEST_F(ListViewTest, PaintsRowsSelectionAndGridLines) {
    LV->SetColor(clWhite);
    LV->SetHideSelection(false);
    LV->SetRowSelect(true);
    LV->SetItemIndex(1);
    auto B = render();
    const TRect Row1 = LV->ItemRect(1);
    EXPECT_EQ(B->Canvas()->Pixels(150, Row1.Top + 1), ColorToRGB(clHighlight)) << "row selection spans the sub-items";
    EXPECT_EQ(B->Canvas()->Pixels(2, 2), ColorToRGB(clBtnFace)) << "header";
    const int BelowRows = LV->ItemRect(2).Bottom + 5;
    EXPECT_EQ(B->Canvas()->Pixels(40, BelowRows), clWhite);

    // Sub-item text is drawn in its column.
    bool Ink = false;
    const TRect Row0 = LV->ItemRect(0);
    for (int X = 82; X < 160; ++X)
        for (int Y = Row0.Top; Y < Row0.Bottom; ++Y) Ink |= B->Canvas()->Pixels(X, Y) != clWhite;
    EXPECT_TRUE(Ink);

    LV->SetGridLines(true);
    B = render();
    EXPECT_EQ(B->Canvas()->Pixels(79, BelowRows), ColorToRGB(clBtnFace)) << "column line";
    EXPECT_EQ(B->Canvas()->Pixels(40, Row0.Bottom - 1), ColorToRGB(clBtnFace)) << "row line";
}

TEST_F(ListViewTest, SmallImagesAreDroppedWhenFreed) {
    auto* Images = new TImageList(nullptr);
    LV->SetSmallImages(Images);
    EXPECT_EQ(LV->SmallImages(), Images);
    Images->Free();
    EXPECT_EQ(LV->SmallImages(), nullptr);
    render();
}

}  // namespace
