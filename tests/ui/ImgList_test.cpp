#include "framework/ui/ImgList.h"

#include <gtest/gtest.h>

namespace {

// A 16x16 red square with a one-pixel fuchsia border (the mask colour).
std::unique_ptr<TBitmap> redSquare(int Count = 1) {
    auto B = std::make_unique<TBitmap>(16 * Count, 16);
    B->Canvas()->Brush()->SetColor(clFuchsia);
    B->Canvas()->FillRect(Rect(0, 0, 16 * Count, 16));
    B->Canvas()->Brush()->SetColor(clRed);
    for (int I = 0; I < Count; ++I) B->Canvas()->FillRect(Rect(16 * I + 1, 1, 16 * I + 15, 15));
    return B;
}

std::unique_ptr<TBitmap> whiteTarget() {
    auto T = std::make_unique<TBitmap>(20, 20);
    T->Canvas()->Brush()->SetColor(clWhite);
    T->Canvas()->FillRect(Rect(0, 0, 20, 20));
    return T;
}

TEST(ImageList, AddSplitsWideImagesAndMasksTheKeyColour) {
    TImageList List(nullptr);
    auto Strip = redSquare(3);
    EXPECT_EQ(List.AddMasked(Strip.get(), clFuchsia), 0);
    EXPECT_EQ(List.Count(), 3);
    auto Target = whiteTarget();
    List.Draw(Target->Canvas(), 2, 2, 1);
    EXPECT_EQ(Target->Canvas()->Pixels(2, 2), clWhite) << "masked border shows the background";
    EXPECT_EQ(Target->Canvas()->Pixels(10, 10), clRed);

    EXPECT_THROW(List.Delete(3), EInvalidOperation);
    EXPECT_THROW(List.AddMasked(nullptr, clFuchsia), EInvalidOperation);
    List.Delete(0);
    EXPECT_EQ(List.Count(), 2);
    List.SetWidth(32);
    EXPECT_EQ(List.Count(), 0) << "a new size empties the list";
}

TEST(ImageList, DisabledDrawingHasNoOriginalColours) {
    TImageList List(nullptr);
    auto Square = redSquare();
    List.AddMasked(Square.get(), clFuchsia);

    auto Enabled = whiteTarget();
    List.Draw(Enabled->Canvas(), 0, 0, 0, true);
    auto Disabled = whiteTarget();
    List.Draw(Disabled->Canvas(), 0, 0, 0, false);

    bool SawRed = false;
    bool SawShadow = false;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 20; ++X) {
            const TColor C = Disabled->Canvas()->Pixels(X, Y);
            SawRed |= C == clRed;
            SawShadow |= C == ColorToRGB(clBtnShadow);
        }
    EXPECT_EQ(Enabled->Canvas()->Pixels(8, 8), clRed);
    EXPECT_FALSE(SawRed);
    EXPECT_TRUE(SawShadow);
    // The light copy shows one pixel beyond the shape's bottom-right edge.
    EXPECT_EQ(Disabled->Canvas()->Pixels(15, 15), ColorToRGB(clBtnHighlight));
}

TEST(ImageList, ChangeLinksHearChangesUntilEitherSideGoes) {
    auto List = std::make_unique<TImageList>(nullptr);
    int Calls = 0;
    auto Link = std::make_unique<TChangeLink>();
    Link->OnChange = [&](TObject*) { ++Calls; };
    List->RegisterChanges(Link.get());
    auto Square = redSquare();
    List->Add(Square.get(), nullptr);
    EXPECT_EQ(Calls, 1);
    List->BeginUpdate();
    List->Add(Square.get(), nullptr);
    List->Add(Square.get(), nullptr);
    List->EndUpdate();
    EXPECT_EQ(Calls, 2) << "one notice per update";

    List.reset();
    EXPECT_EQ(Link->Sender(), nullptr);
    Link.reset();  // must not touch the freed list
}

}  // namespace
