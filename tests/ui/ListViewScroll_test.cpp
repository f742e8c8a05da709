// The list view's vertical scrolling: rows beyond its height are reached by the wheel, the scroll
// bar and the keys, and a selected row is scrolled into view.
#include "framework/ui/ComCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class ListViewScrollTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TListView* LV = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 300);
        LV = new TListView(Form.get());
        LV->SetParent(Form.get());
        LV->SetViewStyle(vsReport);
        LV->SetRowSelect(true);
        LV->Columns()->Add()->SetCaption(QStringLiteral("Video"));
        LV->Columns()->Items(0)->SetWidth(150);
        LV->SetBounds(0, 0, 200, LV->HeaderHeight() + 5 * LV->RowHeight());
        for (int i = 0; i < 20; ++i) LV->Items()->Add()->SetCaption(QStringLiteral("row %1").arg(i));
    }
    void wheel(int Delta) { LV->Perform(WM_MOUSEWHEEL, WPARAM(Word(Delta)) << 16, PointToLParam(10, 10)); }
};

TEST_F(ListViewScrollTest, WheelScrollsAndStopsAtTheEnds) {
    ASSERT_EQ(LV->VisibleRowCount(), 5);
    EXPECT_TRUE(LV->VertScrollBarVisible());
    const struct {
        int Delta;
        int Top;
    } Steps[] = {{-120, 3}, {-240, 9}, {-1200, 15}, {120, 12}, {1200, 0}};
    for (const auto& S : Steps) {
        wheel(S.Delta);
        EXPECT_EQ(LV->TopIndex(), S.Top) << S.Delta;
    }
}

TEST_F(ListViewScrollTest, RowsAreHitAndPlacedBelowTheTopRow) {
    LV->SetTopIndex(10);
    const TRect R = LV->ItemRect(10);
    EXPECT_EQ(R.Top, LV->HeaderHeight());
    EXPECT_EQ(LV->GetItemAt(10, R.Top + 1), LV->Items()->Item(10));
    EXPECT_EQ(LV->GetItemAt(10, LV->HeaderHeight() + LV->RowHeight() + 1), LV->Items()->Item(11));
    // A click on a row selects that row, not the one at the same height unscrolled.
    LV->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(10, R.Top + 1));
    LV->Perform(WM_LBUTTONUP, 0, PointToLParam(10, R.Top + 1));
    EXPECT_EQ(LV->ItemIndex(), 10);
}

TEST_F(ListViewScrollTest, SelectionAndKeysScrollTheRowIntoView) {
    LV->SetItemIndex(12);
    EXPECT_EQ(LV->TopIndex(), 8);
    LV->SetItemIndex(2);
    EXPECT_EQ(LV->TopIndex(), 2);
    Word Key = VK_END;
    LV->Perform(WM_KEYDOWN, Key, 0);
    EXPECT_EQ(LV->ItemIndex(), 19);
    EXPECT_EQ(LV->TopIndex(), 15);
}

TEST_F(ListViewScrollTest, ScrollBarPagesAndDisappearsWhenRowsFit) {
    const TRect Bar = LV->VertScrollBarRect();
    ASSERT_GT(Bar.Width(), 0);
    const TRect Thumb = LV->VertScrollThumbRect();
    EXPECT_EQ(Thumb.Top, Bar.Top);
    LV->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Bar.Left + 2, Bar.Bottom - 2));
    LV->Perform(WM_LBUTTONUP, 0, PointToLParam(Bar.Left + 2, Bar.Bottom - 2));
    EXPECT_EQ(LV->TopIndex(), 5);
    EXPECT_GT(LV->VertScrollThumbRect().Top, Thumb.Top);
    EXPECT_EQ(LV->ItemIndex(), -1) << "a click on the bar selects nothing";

    // Removing rows pulls the list back so that no empty space is scrolled in.
    while (LV->Items()->Count() > 7) LV->Items()->Delete(LV->Items()->Count() - 1);
    auto B = std::make_unique<TBitmap>(LV->Width(), LV->Height());
    LV->PaintTo(B->Canvas(), 0, 0);
    EXPECT_EQ(LV->TopIndex(), 2);
    while (LV->Items()->Count() > 5) LV->Items()->Delete(LV->Items()->Count() - 1);
    EXPECT_FALSE(LV->VertScrollBarVisible());
    LV->SetTopIndex(3);
    EXPECT_EQ(LV->TopIndex(), 0);
}

}  // namespace
