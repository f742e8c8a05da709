// Column stretching, the reactions after the user sized a column or a row, notifiers, the combo
// editor's items and the highlight colours every grid shares.
#include "components/graphics/AsgHTMLE.h"
#include "components/graphics/PictureContainer.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class GridStretchTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    void SetUp() override {
        Form->SetBounds(0, 0, 700, 500);
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetColCount(4);
        Grid->SetRowCount(3);
        Grid->SetColWidths(0, 30);
        Form->HandleNeeded();
    }
};

TEST_F(GridStretchTest, StretchingAllSharesTheWidthExactly) {
    Grid->SetBounds(0, 0, Grid->Width() - Grid->ClientWidth() + 332, 200);
    ASSERT_EQ(Grid->ClientWidth() - Grid->ColWidths(0), 302);
    Grid->StretchColumns();
    EXPECT_EQ(Grid->ColWidths(1), 101);
    EXPECT_EQ(Grid->ColWidths(2), 101);
    EXPECT_EQ(Grid->ColWidths(3), 100);
    EXPECT_EQ(Grid->ColWidths(0), 30) << "the fixed column keeps its width";
}

TEST_F(GridStretchTest, FixedRightColumnsAreKeptOut) {
    Grid->SetFixedRightCols(1);
    Grid->SetColWidths(3, 55);
    Grid->StretchColumns();
    EXPECT_EQ(Grid->ColWidths(3), 55);
    const int Rest = Grid->ClientWidth() - 30 - 55;
    EXPECT_EQ(Grid->ColWidths(1) + Grid->ColWidths(2), Rest);
}

TEST_F(GridStretchTest, OneColumnOrTheLastOneOrNone) {
    Grid->ColumnSize()->SetStretch(true);
    Grid->StretchColumn(-1, -1);
    int Sum = 0;
    for (int c = 0; c < Grid->ColCount(); ++c) Sum += Grid->ColWidths(c);
    EXPECT_EQ(Sum, Grid->ClientWidth()) << "the last column takes what is left";
    EXPECT_THROW(Grid->StretchColumn(4, -1), EZirOdadError);
    EXPECT_THROW(Grid->StretchColumn(-2, -1), EZirOdadError) << "mended: below -1 as well";
    Grid->StretchColumn(3, 10);  // narrower than the others: the width never goes negative
    EXPECT_GE(Grid->ColWidths(3), 0);
}

TEST_F(GridStretchTest, SizingOneColumnScalesTheOthersWithAllColumnSize) {
    Grid->MouseActions()->SetAllColumnSize(true);
    for (int c = 1; c < 4; ++c) Grid->SetColWidths(c, 50);
    std::vector<int> Ended;
    Grid->OnEndColumnSize = [&](TObject*, int ACol) { Ended.push_back(ACol); };
    Grid->UserSized(true, 2, 50);
    Grid->SetColWidths(2, 100);
    EXPECT_EQ(Grid->ColWidths(1), 100);
    EXPECT_EQ(Grid->ColWidths(3), 100);
    EXPECT_EQ(Grid->ColWidths(0), 30);
    EXPECT_EQ(Ended, std::vector<int>{2});
    // A handler that changes the width sets it, and no second end event follows.
    Grid->MouseActions()->SetAllColumnSize(false);
    Grid->OnUpdateColumnSize = [](TObject*, int, int& W) { W = 77; };
    Grid->UserSized(true, 1, 100);
    Grid->SetColWidths(1, 90);
    EXPECT_EQ(Grid->ColWidths(1), 77);
    EXPECT_EQ(Ended, (std::vector<int>{2, 1}));
}

TEST_F(GridStretchTest, SizingOneRowScalesTheOthersButNotTheFixedOnes) {
    Grid->SetRowCount(5);
    Grid->MouseActions()->SetAllRowSize(true);
    Grid->SetRowHeights(0, 30);
    Grid->UserSized(false, 2, 22);
    Grid->SetRowHeights(2, 44);
    EXPECT_EQ(Grid->RowHeights(0), 30);
    EXPECT_EQ(Grid->RowHeights(1), 44);
    EXPECT_EQ(Grid->RowHeights(4), 44);
    EXPECT_EQ(Grid->DefaultRowHeight(), 44);
}

TEST(GridSetters, HighlightColoursAreSharedByEveryGrid) {
    struct TFree {
        void operator()(TObject* O) const { O->Free(); }
    };
    std::unique_ptr<TVidIvezadOrir, TFree> A(new TVidIvezadOrir(nullptr)), B(new TVidIvezadOrir(nullptr));
    A->SetHighlightColor(clRed);
    B->SetHighlightColor(clLime);
    EXPECT_EQ(AsgHTMLE::MarkupHighlightColor(), clLime);
    A->SetHighlightColor(clBlue);
    EXPECT_EQ(AsgHTMLE::MarkupHighlightColor(), clBlue) << "the last one set wins";
    A->SetHTMLKeepLineBreak(false);
    EXPECT_FALSE(AsgHTMLE::MarkupKeepLineBreaks());
    B->SetHTMLKeepLineBreak(true);
    EXPECT_TRUE(AsgHTMLE::MarkupKeepLineBreaks());
}

TEST(GridSetters, NotifiersAndComboItems) {
    struct TFree {
        void operator()(TObject* O) const { O->Free(); }
    };
    std::unique_ptr<TVidIvezadOrir, TFree> G(new TVidIvezadOrir(nullptr));
    TGridChangeNotifier N(nullptr);
    G->RegisterNotifier(&N);
    G->RegisterNotifier(&N);
    EXPECT_EQ(G->NotifierCount(), 1);
    G->UnRegisterNotifier(&N);
    G->UnRegisterNotifier(&N);
    EXPECT_EQ(G->NotifierCount(), 0);
    G->AddComboString(QStringLiteral("one"));
    G->AddComboString(QStringLiteral("two"));
    EXPECT_FALSE(G->RemoveComboString(QStringLiteral("three")));
    EXPECT_EQ(G->GetComboCount(), 2);
    G->SetComboIndex(1, 1, 1);
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("two"));
    EXPECT_EQ(G->GetComboIndex(1, 1), 1);
    EXPECT_THROW(G->SetComboIndex(1, 1, 5), EListError);
}

TEST(GridSetters, LinkedComponentsAreForgottenWhenTheyGo) {
    TForm Form(nullptr);
    auto* G = new TVidIvezadOrir(&Form);
    auto* Checker = new TVidIvezadOrirCheck(&Form);
    auto* Images = new TCustomImageList(&Form);
    auto* Pictures = new TPictureContainer(&Form);
    auto* Other = new TVidIvezadOrir(&Form);
    G->SetCellChecker(Checker);
    EXPECT_EQ(Checker->Grid(), G) << "linking tells the checker its grid";
    EXPECT_EQ(Checker->Correct(1, 1, QStringLiteral("teh")), QStringLiteral("teh"));
    G->SetGridImages(Images);
    G->SetPictureContainer(Pictures);
    G->SyncGrid()->SetGrid(Other);
    Checker->Free();
    Images->Free();
    Pictures->Free();
    EXPECT_EQ(G->CellChecker(), nullptr);
    EXPECT_EQ(G->GridImages(), nullptr);
    EXPECT_EQ(G->PictureContainer(), nullptr);
    Other->Free();
    EXPECT_EQ(G->SyncGrid()->Grid(), nullptr);
}

}  // namespace
