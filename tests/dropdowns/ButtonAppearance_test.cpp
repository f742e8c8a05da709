// The popup buttons' appearance and the item selector's settings.
#include "components/dropdowns/ButtonAppearance.h"
#include "components/dropdowns/ItemAppearance.h"
#include "framework/rtl/Exceptions.h"
#include "framework/ui/Picture.h"

#include <gtest/gtest.h>

using namespace advdropdown;

namespace {

TEST(ButtonAppearanceTest, DefaultsAndTheCheckedColoursDarkenedFromHot) {
    TAdvButtonAppearance A;
    EXPECT_EQ(A.Color(), clNone);
    EXPECT_EQ(A.BorderColorHot(), TColor(0x808080));
    EXPECT_EQ(A.BorderColorDown(), TColor(0x800000));
    EXPECT_EQ(A.BorderColorChecked(), TColor(0xFF0000));
    EXPECT_EQ(A.ColorHot(), TColor(0xF5F0E1));
    EXPECT_EQ(A.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(A.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(A.ColorDisabled(), TColor(0xF2F2F2));
    EXPECT_EQ(A.Gradient(), gdVertical);
    EXPECT_EQ(A.Font()->Name(), QStringLiteral("Tahoma"));
}

TEST(ButtonAppearanceTest, WritersTellChangesAndAssignGoesThroughThem) {
    TAdvButtonAppearance A, Source;
    int Notes = 0;
    A.OnChange = [&](TObject* S) {
        EXPECT_EQ(S, &A);
        ++Notes;
    };
    A.SetColor(clRed);
    A.SetColor(clRed);
    A.SetGradient(gdHorizontal);
    EXPECT_EQ(Notes, 2);
    A.Font()->SetSize(20);
    A.SetFont(Source.Font());  // copied silently
    EXPECT_EQ(Notes, 2);
    Notes = 0;
    Source.SetColorTo(0x000010);
    Source.SetBorderColorDisabled(0x000020);
    Source.Font()->SetSize(14);
    A.Assign(&Source);
    EXPECT_EQ(A.Color(), clNone);
    EXPECT_EQ(A.ColorTo(), TColor(0x000010));
    EXPECT_EQ(A.BorderColorDisabled(), TColor(0x000020));
    EXPECT_EQ(A.Gradient(), gdVertical);
    EXPECT_EQ(Notes, 4);  // Color, ColorTo, BorderColorDisabled, Gradient
    EXPECT_NE(A.Font()->Size(), 14);
    TItemAppearance Other(nullptr);
    EXPECT_THROW(A.Assign(&Other), EConvertError);
}

TEST(ItemAppearanceTest, PalettesLoadTwelveColours) {
    TItemAppearance I(nullptr);
    EXPECT_EQ(I.ColorStyle(), scOffice2007);
    EXPECT_EQ(I.ColorSelectedTo(), TColor(0x04B9F4));
    EXPECT_EQ(I.ColorSelectedText(), clBlack);
    EXPECT_EQ(I.BorderColorHot(), clNone);
    EXPECT_EQ(I.Font()->Name(), QStringLiteral("Tahoma"));
    I.SetColorStyle(scWindowsVista);
    EXPECT_EQ(I.ColorHot(), TColor(0xFDF8F1));
    EXPECT_EQ(I.ColorMirrorHot(), clNone);
    EXPECT_EQ(I.EdgeColor(), TColor(0xFCEDCB));
    I.SetColorHot(clRed);
    I.SetColorStyle(scWindowsVista);  // the same style: nothing reloads
    EXPECT_EQ(I.ColorHot(), clRed);
    I.SetColorStyle(scCustom);
    EXPECT_EQ(I.ColorHot(), clRed);
    I.SetColorStyle(scWindows7);
    EXPECT_EQ(I.BorderColor(), TColor(0xCEA27D));

    // Assign copies the colours, then a different named palette reloads over them.
    TItemAppearance Source(nullptr), Target(nullptr);
    Source.SetColorHot(clLime);
    Source.SetColorHotText(clBlue);
    Source.SetBorderColorSelected(clYellow);
    Target.Assign(&Source);  // both scOffice2007: the copied colour stays
    EXPECT_EQ(Target.ColorHot(), clLime);
    EXPECT_EQ(Target.ColorHotText(), clBlue);
    EXPECT_EQ(Target.BorderColorSelected(), clYellow);
    Source.SetColorStyle(scCustom);
    Source.SetColorStyle(scWindows7);
    Source.SetColorHot(clLime);
    Target.Assign(&Source);  // scWindows7 differs from Target's: its palette wins
    EXPECT_EQ(Target.ColorHot(), TColor(0xFCEBDC));
    EXPECT_EQ(Target.ColorStyle(), scWindows7);
}

TEST(ItemAppearanceTest, SelectorItemsTellTheirChanges) {
    TSelectorItems Items(nullptr);
    int Notes = 0;
    Items.OnChange = [&](TObject* S) {
        EXPECT_EQ(S, &Items);
        ++Notes;
    };
    TSelectorItem* A = Items.Add();
    EXPECT_EQ(Notes, 0);
    EXPECT_EQ(A->ImageIndex(), -1);
    EXPECT_EQ(A->Color(), clNone);
    EXPECT_TRUE(A->Enabled());
    A->SetCaption(QStringLiteral("Apple"));
    A->SetColor(clRed);
    A->SetImageIndex(1);
    A->SetImageIndex(1);
    A->SetHint(QStringLiteral("silent"));
    EXPECT_EQ(Notes, 3);
    TSelectorItems Other(nullptr);
    TSelectorItem* B = Other.Add();
    B->SetCaption(QStringLiteral("Berry"));
    B->SetHint(QStringLiteral("tip"));
    TBitmap Square(4, 4);
    TPicture Pic;
    Pic.SetBitmap(&Square);
    B->SetImage(&Pic);
    A->Assign(B);
    EXPECT_EQ(A->Caption(), QStringLiteral("Berry"));
    EXPECT_EQ(A->Hint(), QStringLiteral("tip"));
    EXPECT_EQ(A->Color(), clNone);
    EXPECT_EQ(A->Image()->Width(), 4);
    EXPECT_EQ(Notes, 6);  // caption, colour, image index through their writers
    Items.Assign(&Other);
    EXPECT_EQ(Items.Items(0)->Caption(), QStringLiteral("Berry"));
}

}  // namespace
