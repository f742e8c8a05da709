// The image picker: selecting by ImageIndex, filling from an image list and a folder, the keys and
// the wheel in the open grid, a cancelled popup, and the selected image drawn in the edit.
#include "components/dropdowns/AdvImagePickerDropDown.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "tests/dropdowns/DropDownFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace advdropdown;

namespace {

class TTestImagePicker : public TAdvImagePickerDropDown {
public:
    using TAdvImagePickerDropDown::TAdvImagePickerDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
    TRect EditRect() const { return GetEditRect(); }
};

class ImagePickerTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        P = new TTestImagePicker(Form.get());
        P->SetParent(Form.get());
        P->SetBounds(10, 40, 120, 24);
        P->OnChange = [this](TObject*) { Log.push_back("change"); };
        P->OnSelect = [this](TObject*) { Log.push_back("select"); };
        Form->HandleNeeded();
    }
    // Count images of 16 x 16, image I filled with colour 0x10 * (I + 1) in red.
    void images(int Count) {
        Images.SetWidth(16);
        Images.SetHeight(16);
        for (int I = 0; I < Count; ++I) {
            TBitmap B(16, 16);
            B.Canvas()->Brush()->SetColor(static_cast<TColor>(0x10 * (I + 1)));
            B.Canvas()->FillRect(Rect(0, 0, 16, 16));
            Images.AddMasked(&B, clNone);
        }
        P->SetImages(&Images);
        P->AddImagesFromImageList();
    }
    int selects() const { return static_cast<int>(std::count(Log.begin(), Log.end(), "select")); }

    TImageList Images{nullptr};
    TTestImagePicker* P = nullptr;
    std::vector<std::string> Log;
};

TEST_F(ImagePickerTest, ImageIndexSelectsTheFirstItemWithIt) {
    P->AddImagesFromImageList();  // no image list: nothing
    EXPECT_EQ(P->Items()->Count(), 0);
    images(3);
    ASSERT_EQ(P->Items()->Count(), 3);
    EXPECT_EQ(P->Items()->Items(2)->ImageIndex(), 2);
    EXPECT_EQ(P->ImageIndex(), -1);
    P->SetImageIndex(2);
    EXPECT_EQ(P->ItemIndex(), 2);
    EXPECT_EQ(P->ImageIndex(), 2);
    Log.clear();
    // An index no item has clears the selection: OnChange, then OnSelect.
    P->SetImageIndex(7);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(Log, (std::vector<std::string>{"change", "select"}));
    Log.clear();
    P->SetImageIndex(7);
    EXPECT_TRUE(Log.empty());
    // Negative indexes are kept; past the items nothing happens.
    P->SetItemIndex(-5);
    EXPECT_EQ(P->ItemIndex(), -5);
    EXPECT_EQ(P->ImageIndex(), -1);
    P->SetItemIndex(3);
    EXPECT_EQ(P->ItemIndex(), -5);
}

TEST_F(ImagePickerTest, AFolderGivesAnItemPerFileAndSkipsFolders) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    QImage Png(8, 6, QImage::Format_RGB32);
    Png.fill(Qt::red);
    ASSERT_TRUE(Png.save(Dir.filePath(QStringLiteral("a.png"))));
    QFile Text(Dir.filePath(QStringLiteral("b.txt")));
    ASSERT_TRUE(Text.open(QIODevice::WriteOnly));
    Text.write("not a picture");
    Text.close();
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("c.png")));
    P->AddImagesFromFolder(Dir.path() + QStringLiteral("/*.*"), true);
    ASSERT_EQ(P->Items()->Count(), 2);
    EXPECT_EQ(P->Items()->Items(0)->Caption(), QStringLiteral("a.png"));
    EXPECT_EQ(P->Items()->Items(0)->Image()->Width(), 8);
    EXPECT_EQ(P->Items()->Items(0)->Image()->Height(), 6);
    EXPECT_EQ(P->Items()->Items(1)->Caption(), String());
    EXPECT_EQ(P->Items()->Items(1)->Image()->Graphic(), nullptr);
    // The mask chooses; without captions asked for, none is given.
    P->Items()->Clear();
    P->AddImagesFromFolder(Dir.path() + QStringLiteral("/*.png"), false);
    ASSERT_EQ(P->Items()->Count(), 1);
    EXPECT_EQ(P->Items()->Items(0)->Caption(), String());
    EXPECT_EQ(P->Items()->Items(0)->Image()->Width(), 8);
    P->AddImagesFromFolder(Dir.path() + QStringLiteral("/missing/*.*"), true);
    EXPECT_EQ(P->Items()->Count(), 1);
}

TEST_F(ImagePickerTest, UpAndDownMoveByARowInTheOpenGrid) {
    images(10);
    P->SetColumns(4);
    const struct {
        int From;
        Word Key;
        int To;
    } Cases[] = {
        {4, VK_UP, 0},  {4, VK_DOWN, 8},  {7, VK_DOWN, 7}, {1, VK_UP, 1},  {-1, VK_DOWN, 0},
        {-1, VK_UP, 0}, {4, VK_RIGHT, 5}, {4, VK_LEFT, 3}, {4, VK_END, 9}, {4, VK_HOME, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.From << " " << C.Key);
        P->SetItemIndex(C.From);
        P->ShowDropDown();
        ASSERT_TRUE(P->DroppedDown());
        EXPECT_EQ(P->ItemSelector()->Columns(), 4);
        P->Perform(WM_KEYDOWN, C.Key, 0);
        EXPECT_EQ(P->ItemIndex(), C.To);
        EXPECT_TRUE(P->DroppedDown());  // selecting by key keeps it open
        P->HideDropDown(false);
    }
    // Closed, the arrows step through the items.
    P->SetItemIndex(4);
    P->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(P->ItemIndex(), 5);
    EXPECT_FALSE(P->DroppedDown());
}

TEST_F(ImagePickerTest, TheWheelMovesTheHotCellAndEnterTakesIt) {
    images(6);
    P->SetColumns(3);
    P->SetItemIndex(0);
    P->ShowDropDown();
    ASSERT_TRUE(P->DroppedDown());
    Log.clear();
    const auto wheel = [&](int Delta) {
        P->Popup()->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(Delta))),
                            PointToLParam(-500, -500));
    };
    wheel(-120);
    wheel(-120);
    wheel(-120);
    wheel(120);
    EXPECT_EQ(P->ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(P->ItemIndex(), 0);  // the selection stays
    EXPECT_TRUE(Log.empty());
    P->Perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 1);
    EXPECT_EQ(selects(), 1);
    // Enter without a hot cell tells OnSelect once more.
    P->Perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(selects(), 2);
    // Closed, the wheel over the edit selects.
    const TPoint Inside = P->ClientToScreen(Point(20, 5));
    P->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(-120))), PointToLParam(Inside.X, Inside.Y));
    EXPECT_EQ(P->ItemIndex(), 2);
    EXPECT_FALSE(P->DroppedDown());
}

TEST_F(ImagePickerTest, EscapeRestoresTheOpeningSelection) {
    images(4);
    for (const int Start : {2, -1}) {
        SCOPED_TRACE(Start);
        P->SetItemIndex(Start);
        P->ShowDropDown();
        ASSERT_TRUE(P->DroppedDown());
        P->Perform(WM_KEYDOWN, VK_END, 0);
        EXPECT_EQ(P->ItemIndex(), 3);
        P->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(P->DroppedDown());
        EXPECT_EQ(P->ItemIndex(), Start);
    }
    // Closed, Escape leaves a selection made by the keys.
    P->Perform(WM_KEYDOWN, VK_HOME, 0);
    P->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(P->ItemIndex(), 0);
    // A click in the grid takes the cell and closes it.
    P->ShowDropDown();
    TRect R;
    P->ItemSelector()->SelectorPanel()->GetItemRect(1, R);
    P->ItemSelector()->SelectorPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(R.Left + 2, R.Top + 2));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 1);
}

TEST_F(ImagePickerTest, TheSelectedImageIsCentredInTheEdit) {
    images(2);
    P->SetColor(clWhite);
    const auto render = [&] {
        P->Invalidate();
        auto B = std::make_unique<TBitmap>(P->Width(), P->Height());
        P->PaintTo(B->Canvas(), 0, 0);
        return B;
    };
    P->SetItemIndex(1);
    auto B = render();
    const TRect R = P->EditRect();
    const int X = R.Left + (R.Width() - 16) / 2, Y = R.Top + (R.Height() - 16) / 2;
    const TColor Image = static_cast<TColor>(0x20);
    EXPECT_EQ(B->Canvas()->Pixels(X, Y), Image);
    EXPECT_EQ(B->Canvas()->Pixels(X + 15, Y + 15), Image);
    EXPECT_NE(B->Canvas()->Pixels(X - 1, Y + 8), Image);
    EXPECT_NE(B->Canvas()->Pixels(X + 16, Y + 8), Image);
    // A picture goes before the list image; nothing for a negative index.
    TBitmap Wide(30, 4);
    Wide.Canvas()->Brush()->SetColor(clBlue);
    Wide.Canvas()->FillRect(Rect(0, 0, 30, 4));
    P->Items()->Items(0)->Image()->SetGraphic(&Wide);
    P->SetItemIndex(0);
    B = render();
    const int PX = R.Left + (R.Width() - 30) / 2, PY = R.Top + (R.Height() - 4) / 2;
    EXPECT_EQ(B->Canvas()->Pixels(PX, PY), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(PX + 29, PY + 3), clBlue);
    EXPECT_NE(B->Canvas()->Pixels(PX + 30, PY + 3), clBlue);
    P->SetItemIndex(-5);
    B = render();
    EXPECT_NE(B->Canvas()->Pixels(PX, PY), clBlue);
    // Own drawing replaces it.
    int Calls = 0;
    P->OnDrawSelectedImage = [&](TObject*, TCanvas*, const TRect& Area) {
        EXPECT_EQ(Area, R);
        ++Calls;
    };
    render();
    EXPECT_GE(Calls, 1);
}

}  // namespace
