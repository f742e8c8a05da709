#include "components/graphics/PictureContainer.h"
#include "framework/ui/Controls.h"
#include "tests/graphics/PictureFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records its invalidations in a shared log.
class TSpyControl : public TGraphicControl {
public:
    TSpyControl(TComponent* AOwner, std::vector<String>* Log, const String& Id)
        : TGraphicControl(AOwner), FLog(Log), FId(Id) {}
    void Invalidate() override {
        FLog->push_back(FId);
        TGraphicControl::Invalidate();
    }

private:
    std::vector<String>* FLog;
    String FId;
};

TPictureItem* addItem(TPictureContainer& Container, const char* Name, const TBytes& Bytes) {
    TPictureItem* Item = Container.Items()->Add();
    Item->SetName(QString::fromLatin1(Name));
    TBytesStream In(Bytes);
    Item->Picture()->LoadFromStream(&In);
    return Item;
}

TEST(PictureContainer, FindsPicturesByNameIgnoringCase) {
    TPictureContainer Container(nullptr);
    TPictureItem* First = addItem(Container, "Logo", PngBytes(3, 3, clRed));
    addItem(Container, "LOGO", PngBytes(5, 5, clRed));
    addItem(Container, "Other", PngBytes(2, 2, clRed));
    for (const char* Asked : {"Logo", "LOGO", "logo"})
        EXPECT_EQ(Container.FindPicture(QString::fromLatin1(Asked)), First->Picture()) << Asked;
    EXPECT_EQ(Container.FindPicture(QStringLiteral("Missing")), nullptr);
    EXPECT_EQ(Container.Version(), QStringLiteral("2.0.0.0"));
    Container.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(Container.Version(), QStringLiteral("2.0.0.0"));
}

TEST(PictureContainer, FindBitmapFreesItsPreviousResult) {
    TPictureContainer Container(nullptr);
    addItem(Container, "Logo", PngBytes(3, 2, clBlue));
    TPicture* First = Container.FindBitmap(QStringLiteral("logo"));
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(First->Width(), 3);
    EXPECT_EQ(First->Bitmap()->Canvas()->Pixels(1, 1), clBlue);
    TWeak<TPicture> WeakFirst(First);
    TPicture* Second = Container.FindBitmap(QStringLiteral("LOGO"));
    ASSERT_NE(Second, nullptr);
    EXPECT_FALSE(WeakFirst) << "the previous result is freed";
    TWeak<TPicture> WeakSecond(Second);
    EXPECT_EQ(Container.FindBitmap(QStringLiteral("none")), nullptr);
    EXPECT_FALSE(WeakSecond) << "freed even when nothing is found";
}

TEST(PictureContainer, ChangedInvalidatesEveryRegisteredControlAndForgetsFreedOnes) {
    std::vector<String> Log;
    TPictureContainer Container(nullptr);
    auto* A = new TSpyControl(nullptr, &Log, QStringLiteral("A"));
    auto* B = new TSpyControl(nullptr, &Log, QStringLiteral("B"));
    Container.RegisterControl(A);
    Container.RegisterControl(B);
    Container.RegisterControl(A);
    Container.OnChange = [&](TObject*) { Log.push_back(QStringLiteral("OnChange")); };
    Container.Changed();
    EXPECT_EQ(Log, (std::vector<String>{"A", "B", "A", "OnChange"}));

    Log.clear();
    A->Free();  // every entry of A goes, so no dead control is invalidated
    Container.Changed();
    EXPECT_EQ(Log, (std::vector<String>{"B", "OnChange"}));
    B->Free();
}

TEST(PictureContainer, ItemsCopyAndAnimate) {
    TPictureContainer Container(nullptr);
    TPictureItem* Gif = addItem(Container, "Anim", ThreeFrameGif());
    Gif->SetTag(42);
    addItem(Container, "Still", PngBytes(2, 2, clRed));
    TPictureItem* Copy = Container.Items()->Add();
    Copy->Assign(Gif);
    EXPECT_EQ(Copy->Name(), QStringLiteral("Anim"));
    EXPECT_EQ(Copy->Tag(), 42);
    EXPECT_EQ(static_cast<THTMLPicture*>(Copy->Picture())->FrameCount(), 3);
    TPngImage NotAnItem;
    EXPECT_THROW(Copy->Assign(&NotAnItem), EConvertError);

    int Changes = 0;
    for (int Tick = 0; Tick < 8; ++Tick)
        if (Container.Items()->Animate()) ++Changes;
    EXPECT_EQ(Changes, 3);

    auto* Replacement = new TPictureCollection(&Container);
    Container.SetItems(Replacement);
    EXPECT_EQ(Container.Items(), Replacement);
    EXPECT_EQ(Container.FindPicture(QStringLiteral("Anim")), nullptr);
}

}  // namespace
