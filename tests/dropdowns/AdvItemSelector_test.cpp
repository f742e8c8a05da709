// The item selector: cell sizes and the grid layout, lookup by caption, hot and selected items
// (never a disabled one), what a cell shows and how hot and selected cells are painted, and
// scrolling an item into view.
#include "components/dropdowns/AdvItemSelector.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

class ItemSelectorTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        S = new TAdvCustomItemSelector(Form.get());
        S->SetParent(Form.get());
        S->SetBounds(0, 0, 200, 100);
    }
    void add(const char* Caption, int Count = 1) {
        for (int I = 0; I < Count; ++I) S->Items()->Add()->SetCaption(QString::fromUtf8(Caption));
    }
    void fixedCells(int W, int H) {
        S->OnItemSize = [W, H](TObject*, TSize& Size) { Size = TSize{W, H}; };
    }
    // The pointer put over the panel's point, then the move reported.
    void move(int X, int Y) {
        TCustomItemSelector* P = S->SelectorPanel();
        Mouse->SetCursorPos(P->ClientToScreen(Point(X, Y)));
        P->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y));
    }
    TRect cell(int Index) const {
        TRect R;
        S->SelectorPanel()->GetItemRect(Index, R);
        return R;
    }
    std::unique_ptr<TBitmap> render() {
        TCustomItemSelector* P = S->SelectorPanel();
        P->Invalidate();
        auto B = std::make_unique<TBitmap>(P->Width(), P->Height());
        P->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
    TAdvCustomItemSelector* S = nullptr;
};

TEST_F(ItemSelectorTest, TheGridLaysCellsOutInColumns) {
    S->UpdateSelectorPanel();
    EXPECT_EQ(S->GetSelectorPanelSize().cx, 100);  // no items
    EXPECT_EQ(S->GetSelectorPanelSize().cy, 50);
    EXPECT_EQ(S->GetVisibleItemCount(), 0);
    fixedCells(30, 20);
    S->SetColumns(3);
    add("x", 7);
    S->UpdateSelectorPanel();
    const int Xs[] = {2, 32, 62, 2, 32, 62, 2}, Ys[] = {2, 2, 2, 22, 22, 22, 42};
    for (int I = 0; I < 7; ++I) EXPECT_EQ(cell(I), Rect(Xs[I], Ys[I], Xs[I] + 30, Ys[I] + 20)) << I;
    EXPECT_EQ(S->SelectorPanel()->Width(), 94);
    EXPECT_EQ(S->SelectorPanel()->Height(), 64);
    EXPECT_EQ(cell(7), Rect(-1, -1, -1, -1));
    EXPECT_EQ(S->SelectorPanel()->ItemAtPos(32, 22), 4);
    EXPECT_EQ(S->SelectorPanel()->ItemAtPos(62, 42), -1);  // right of the last cell
    for (int Bad : {0, -2}) {
        S->SetColumns(Bad);
        EXPECT_EQ(S->Columns(), 3);
    }
    EXPECT_EQ(S->GetVisibleItemCount(), 100 / 20 * 3);
    // A cell without height fits no item.
    fixedCells(30, 0);
    S->UpdateSelectorPanel();
    EXPECT_EQ(S->GetVisibleItemCount(), 0);
}

TEST_F(ItemSelectorTest, CellSizeFollowsContentCaptionAndLayout) {
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    S->SetImages(&Images);
    add("Caption");
    S->Items()->Items(0)->SetImageIndex(0);
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(S->ItemAppearance()->Font());
    TSize Text;
    DrawMarkupCaption(Measure.Canvas(), QStringLiteral("Caption"), Rect(0, 0, 1000, 500), &Images, false, nullptr,
                      Text);
    const int D = Text.cx + 4, C = Text.cy;
    const struct {
        TItemLayout Layout;
        int W, H;
    } Cases[] = {
        {ilCaptionLeft, 8 + 16 + 4 + D, std::max(16, C) + 8},
        {ilCaptionRight, 8 + 16 + 4 + D, std::max(16, C) + 8},
        {ilCaptionTop, std::max(16, D) + 8, 8 + 16 + 4 + C},
        {ilCaptionBottom, std::max(16, D) + 8, 8 + 16 + 4 + C},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Layout);
        S->SetItemLayout(Case.Layout);
        TSize Size{0, 0};
        S->SelectorPanel()->GetItemSize(Size);
        EXPECT_EQ(Size.cx, Case.W);
        EXPECT_EQ(Size.cy, Case.H);
    }
    // A colour box without captions: its size and the margins only.
    S->Items()->Items(0)->SetCaption(String());
    S->SetSelectorType(stColor);
    TSize Size{0, 0};
    S->SelectorPanel()->GetItemSize(Size);
    EXPECT_EQ(Size.cx, 14 + 8);
    EXPECT_EQ(Size.cy, 14 + 8);
}

TEST_F(ItemSelectorTest, LookupStartsAfterTheSelectionAndWrapsOnce) {
    add("Apple");
    add("<b>Banana</b>");
    add("Berry");
    S->UpdateSelectorPanel();
    int Selects = 0;
    S->OnItemSelect = [&](TObject* Sender) {
        EXPECT_EQ(Sender, S);
        ++Selects;
    };
    S->SetItemIndex(1);
    EXPECT_TRUE(S->LookupItem(QStringLiteral("B")));
    EXPECT_EQ(S->ItemIndex(), 2);
    EXPECT_TRUE(S->LookupItem(QStringLiteral("B")));
    EXPECT_EQ(S->ItemIndex(), 1);  // wrapped to Banana, its tags ignored
    EXPECT_FALSE(S->LookupItem(String()));
    EXPECT_FALSE(S->LookupItem(QStringLiteral("C")));
    EXPECT_EQ(S->ItemIndex(), 1);
    EXPECT_EQ(Selects, 3);
    S->SetItemIndex(1);  // the same index selects again
    EXPECT_EQ(Selects, 4);
    // An index the items no longer reach reads as none.
    S->SetItemIndex(3);
    EXPECT_EQ(S->ItemIndex(), -1);
    S->SelectNext();
    EXPECT_EQ(S->ItemIndex(), 0);
    S->SelectLast();
    S->SelectNext();
    EXPECT_EQ(S->ItemIndex(), 2);
    S->SelectFirst();
    S->SelectPrevious();
    EXPECT_EQ(S->ItemIndex(), 0);
}

TEST_F(ItemSelectorTest, DisabledItemsAreNeitherHotNorSelected) {
    fixedCells(30, 20);
    add("a", 3);
    S->Items()->Items(1)->SetEnabled(false);
    S->UpdateSelectorPanel();
    TCustomItemSelector* P = S->SelectorPanel();
    Form->Show();
    move(5, 5);
    EXPECT_EQ(S->ItemHot(), 0);
    move(5, 25);  // over the disabled item: none is hot
    EXPECT_EQ(S->ItemHot(), -1);
    P->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 25));
    P->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 25));
    EXPECT_EQ(S->ItemIndex(), -1);
    S->SetItemIndex(1);
    EXPECT_EQ(S->ItemIndex(), -1);
    P->Perform(WM_RBUTTONDOWN, MK_RBUTTON, PointToLParam(5, 45));  // any button selects
    EXPECT_EQ(S->ItemIndex(), 2);
    S->HotNext();
    EXPECT_EQ(S->ItemHot(), 0);
    S->HotNext();
    EXPECT_EQ(S->ItemHot(), 0);  // the next one is disabled
    P->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(S->ItemHot(), -1);
}

TEST_F(ItemSelectorTest, CellsShowTheirStateAndContent) {
    fixedCells(40, 30);
    S->SetColumns(3);
    add("", 3);
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    TBitmap Blue(16, 16);
    Blue.Canvas()->Brush()->SetColor(clBlue);
    Blue.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images.Add(&Blue, nullptr);
    S->SetImages(&Images);
    // Item 2 has both a picture and a list image: the picture shows.
    TBitmap Red(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    TPicture Pic;
    Pic.SetBitmap(&Red);
    S->Items()->Items(2)->SetImage(&Pic);
    S->Items()->Items(2)->SetImageIndex(0);
    S->Items()->Items(1)->SetImageIndex(0);
    // Plain gradients in a one-pixel frame.
    TItemAppearance* A = S->ItemAppearance();
    A->SetBorderColorTop(clNone);
    A->SetBorderColor(clBlack);
    A->SetColorSelected(clYellow);
    A->SetColorSelectedTo(clYellow);
    A->SetColorHot(clLime);
    A->SetColorHotTo(clLime);
    S->UpdateSelectorPanel();
    S->SetItemIndex(0);
    S->SelectorPanel()->SetItemHot(1);
    auto B = render();
    EXPECT_EQ(B->Canvas()->Pixels(2, 2), clBlack);  // the frame
    EXPECT_EQ(B->Canvas()->Pixels(20, 3), clYellow);
    EXPECT_EQ(B->Canvas()->Pixels(42, 2), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(42 + 38, 4), clLime);
    // Caption on the right by default: the content sits at the cell's inner left, centred.
    EXPECT_EQ(B->Canvas()->Pixels(42 + 4 + 8, 2 + 15), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(82 + 4 + 8, 2 + 15), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(82 + 30, 2 + 15), ColorToRGB(S->SelectorPanel()->Color()));
    // The selected state wins over the hot state.
    S->SelectorPanel()->SetItemHot(0);
    B = render();
    EXPECT_EQ(B->Canvas()->Pixels(20, 3), clYellow);
}

TEST_F(ItemSelectorTest, ScrollingBringsAnItemIntoView) {
    fixedCells(50, 20);
    add("x", 20);  // 20 rows of 20 pixels in a 100 high box: 404 high
    S->UpdateSelectorPanel();
    ASSERT_TRUE(S->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(S->SelectorPanel()->Top(), 0);
    S->SetItemIndex(10);  // cell 202..222: scrolled down by 122
    EXPECT_EQ(S->VertScrollBar()->Position(), 122);
    EXPECT_EQ(S->SelectorPanel()->Top(), -122);
    S->VertScrollBar()->SetMargin(5);
    S->SetItemIndex(3);  // cell 62..82, less the margin: 57, which is 65 above the view
    EXPECT_EQ(S->VertScrollBar()->Position(), 57);
    S->SetItemIndex(4);  // in view: no scrolling
    EXPECT_EQ(S->VertScrollBar()->Position(), 57);
    // Thumb tracking moves the panel with the thumb.
    int Pos = 200;
    S->VertScrollBar()->Bar()->OnScroll(S->VertScrollBar()->Bar(), scTrack, Pos);
    EXPECT_EQ(S->SelectorPanel()->Top(), -200);
    EXPECT_EQ(S->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
}

// Only the cells in view are painted; scrolling paints the cells it brings into view.
TEST_F(ItemSelectorTest, ScrollingPaintsTheCellsItShows) {
    fixedCells(50, 20);
    add("", 20);
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    TBitmap Blue(16, 16);
    Blue.Canvas()->Brush()->SetColor(clBlue);
    Blue.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images.Add(&Blue, nullptr);
    S->SetImages(&Images);
    for (int I = 0; I < 20; ++I) S->Items()->Items(I)->SetImageIndex(0);
    S->UpdateSelectorPanel();
    TCustomItemSelector* P = S->SelectorPanel();
    // Row I's image: x 6 to 21, y 4 + 20 I to 19 + 20 I.
    const auto shows = [&](int Row) {
        TBitmap B(P->Width(), P->Height());
        P->PaintTo(B.Canvas(), 0, 0);  // as it looks now, without asking for a repaint
        return B.Canvas()->Pixels(14, 12 + 20 * Row) == clBlue;
    };
    EXPECT_TRUE(shows(0));
    EXPECT_TRUE(shows(3));
    S->VertScrollBar()->SetPosition(250);
    ASSERT_EQ(P->Top(), -250);
    EXPECT_TRUE(shows(15));
    EXPECT_TRUE(shows(12));
    // A taller box shows more rows.
    S->SetHeight(200);
    EXPECT_TRUE(shows(18));
}

TEST(ItemSelectorPanelTest, OnlyASelectorMayOwnThePanel) {
    TForm Form(nullptr);
    EXPECT_THROW(TCustomItemSelector P(&Form), Exception);
}

}  // namespace
