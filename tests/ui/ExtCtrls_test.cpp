#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> render(TWinControl* Control) {
    auto B = std::make_unique<TBitmap>(Control->Width(), Control->Height());
    Control->PaintTo(B->Canvas(), 0, 0);
    return B;
}

TEST(Panel, BevelColoursAtTheEdgesAndChildrenInside) {
    struct Case {
        TPanelBevel Outer;
        TColor TopLeft;
        TColor BottomRight;
    };
    const Case Cases[] = {
        {bvRaised, clBtnHighlight, clBtnShadow},
        {bvLowered, clBtnShadow, clBtnHighlight},
        {bvNone, clBtnFace, clBtnFace},
    };
    for (const Case& C : Cases) {
        TPanel Panel(nullptr);
        Panel.SetBounds(0, 0, 100, 60);
        Panel.SetBevelOuter(C.Outer);
        auto B = render(&Panel);
        EXPECT_EQ(B->Canvas()->Pixels(50, 0), ColorToRGB(C.TopLeft)) << C.Outer;
        EXPECT_EQ(B->Canvas()->Pixels(0, 30), ColorToRGB(C.TopLeft)) << C.Outer;
        EXPECT_EQ(B->Canvas()->Pixels(50, 59), ColorToRGB(C.BottomRight)) << C.Outer;
        EXPECT_EQ(B->Canvas()->Pixels(99, 30), ColorToRGB(C.BottomRight)) << C.Outer;
        EXPECT_EQ(B->Canvas()->Pixels(5, 5), ColorToRGB(clBtnFace)) << C.Outer;
    }

    TPanel Panel(nullptr);
    Panel.SetBounds(0, 0, 100, 60);
    Panel.SetBevelInner(bvLowered);
    Panel.SetBevelWidth(2);
    auto* Child = new TPanel(&Panel);
    Child->SetParent(&Panel);
    Child->SetBevelOuter(bvNone);
    Child->SetColor(clRed);
    Child->SetAlign(alClient);
    EXPECT_EQ(Child->BoundsRect(), Rect(4, 4, 96, 56)) << "the bevels stay free";
    auto B = render(&Panel);
    EXPECT_EQ(B->Canvas()->Pixels(50, 30), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(2, 30), ColorToRGB(clBtnShadow)) << "inner lowered bevel";
}

TEST(Image, ShowsAndStretchesABitmap) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 100, 100);
    Form.SetColor(clWhite);
    auto* Image = new TImage(&Form);
    Image->SetParent(&Form);
    Image->SetBounds(0, 0, 40, 40);
    TBitmap Source(10, 10);
    Source.Canvas()->Brush()->SetColor(clBlue);
    Source.Canvas()->FillRect(Rect(0, 0, 10, 10));
    Image->Picture()->SetGraphic(&Source);

    auto B = render(&Form);
    EXPECT_EQ(B->Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(B->Canvas()->Pixels(20, 20), clWhite) << "unstretched: the picture's own size";

    Image->SetStretch(true);
    B = render(&Form);
    EXPECT_EQ(B->Canvas()->Pixels(35, 35), clBlue);

    Image->SetCenter(true);
    Image->SetProportional(true);
    Image->SetBounds(0, 0, 80, 40);
    EXPECT_EQ(Image->DestRect(), Rect(20, 0, 60, 40));
}

TEST(Picture, LoadsFilesAndKeepsThePictureOnFailure) {
    TempFolder Folder;
    TBitmap Source(3, 2);
    Source.SaveToFile(Folder.File(QStringLiteral("a.png")));
    TPicture Picture;
    int Changes = 0;
    Picture.OnChange = [&](TObject*) { ++Changes; };
    Picture.LoadFromFile(Folder.File(QStringLiteral("a.png")));
    EXPECT_EQ(Picture.Width(), 3);
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(Picture.LoadFromFile(Folder.File(QStringLiteral("missing.png"))), EFOpenError);
    EXPECT_EQ(Picture.Height(), 2);
    EXPECT_EQ(Picture.Bitmap()->Width(), 3);
}

}  // namespace
