// The popup strips' settings: defaults, what each writer tells, the two copies and the strips'
// button list.
#include "components/dropdowns/HeaderAppearance.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace advdropdown;

namespace {

TEST(HeaderAppearanceTest, Defaults) {
    THeaderAppearance H(nullptr);
    TFooterAppearance F(nullptr);
    EXPECT_TRUE(H.Visible());
    EXPECT_EQ(H.Height(), 22);
    EXPECT_EQ(H.BorderWidth(), 1);
    EXPECT_EQ(H.ImageIndex(), -1);
    EXPECT_EQ(H.Color(), clSilver);
    EXPECT_EQ(H.ColorTo(), clWhite);
    EXPECT_EQ(H.BorderColor(), clBlack);
    EXPECT_EQ(H.GradientDirection(), gdVertical);
    EXPECT_EQ(H.ButtonAlignment(), baRight);
    EXPECT_EQ(H.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(H.Buttons()->Count(), 0);
    EXPECT_TRUE(F.SizeGrip());
    EXPECT_EQ(F.Height(), 22);
    EXPECT_EQ(F.Font()->Name(), TFont().Name());  // the platform's face
    THeaderButton* B = H.Buttons()->Add();
    EXPECT_EQ(B->ImageIndex(), -1);
    EXPECT_TRUE(B->Enabled());
    EXPECT_EQ(F.Buttons()->Add()->ModalResult(), mrNone);
}

TEST(HeaderAppearanceTest, OnlyVisibleAndSomeButtonPropertiesTell) {
    THeaderAppearance H(nullptr);
    TFooterAppearance F(nullptr);
    int Changes = 0, ButtonNotes = 0;
    H.OnChange = [&](TObject* S) {
        EXPECT_EQ(S, &H);
        ++Changes;
    };
    H.OnButtonsChanged = [&](TObject* S) {
        EXPECT_EQ(S, &H);
        ++ButtonNotes;
    };
    H.SetColor(clRed);
    H.SetHeight(30);
    H.SetCaption(QStringLiteral("<b>x</b>"));
    EXPECT_EQ(Changes, 0);
    H.SetVisible(false);
    H.SetVisible(false);
    EXPECT_EQ(Changes, 1);
    H.Buttons()->Add();
    H.Buttons()->Insert(0);
    EXPECT_EQ(ButtonNotes, 0);  // adding tells nothing
    const struct {
        const char* Name;
        std::function<void(THeaderButton*)> Write;
        bool Tells;
    } Writes[] = {
        {"Width", [](THeaderButton* B) { B->SetWidth(40); }, true},
        {"Caption", [](THeaderButton* B) { B->SetCaption(QStringLiteral("OK")); }, true},
        {"Enabled", [](THeaderButton* B) { B->SetEnabled(false); }, true},
        {"Height", [](THeaderButton* B) { B->SetHeight(40); }, false},
        {"ImageIndex", [](THeaderButton* B) { B->SetImageIndex(2); }, false},
        {"ModalResult", [](THeaderButton* B) { static_cast<TFooterButton*>(B)->SetModalResult(mrOk); }, false},
        {"Width unchanged", [](THeaderButton* B) { B->SetWidth(40); }, false},
    };
    int FooterNotes = 0;
    F.OnButtonsChanged = [&](TObject*) { ++FooterNotes; };
    TFooterButton* FB = F.Buttons()->Add();
    for (const auto& W : Writes) {
        SCOPED_TRACE(W.Name);
        const int Before = FooterNotes;
        W.Write(FB);
        EXPECT_EQ(FooterNotes - Before, W.Tells ? 1 : 0);
    }
    H.Buttons()->Items(0)->SetWidth(10);
    EXPECT_EQ(ButtonNotes, 1);
    H.Buttons()->Delete(0);
    EXPECT_EQ(ButtonNotes, 1);
}

TEST(HeaderAppearanceTest, AssignCopiesAllAndTellsOnlyAChangedVisible) {
    THeaderAppearance Source(nullptr), Target(nullptr);
    Source.SetColor(0x010101);
    Source.SetColorTo(clNone);
    Source.SetBorderColor(0x020202);
    Source.SetCaption(QStringLiteral("Title"));
    Source.Font()->SetSize(11);
    Source.SetImageIndex(3);
    Source.SetBorderWidth(2);
    Source.SetGradientDirection(gdHorizontal);
    Source.SetHeight(30);
    Source.SetButtonAlignment(baLeft);
    Source.Buttons()->Add()->SetCaption(QStringLiteral("One"));
    int Changes = 0;
    Target.OnChange = [&](TObject*) { ++Changes; };
    Target.Assign(&Source);
    EXPECT_EQ(Changes, 0);  // Visible stayed true
    EXPECT_EQ(Target.Color(), TColor(0x010101));
    EXPECT_EQ(Target.ColorTo(), clNone);
    EXPECT_EQ(Target.BorderColor(), TColor(0x020202));
    EXPECT_EQ(Target.Caption(), QStringLiteral("Title"));
    EXPECT_EQ(Target.Font()->Size(), 11);
    EXPECT_EQ(Target.ImageIndex(), 3);
    EXPECT_EQ(Target.BorderWidth(), 2);
    EXPECT_EQ(Target.GradientDirection(), gdHorizontal);
    EXPECT_EQ(Target.Height(), 30);
    EXPECT_EQ(Target.ButtonAlignment(), baLeft);
    ASSERT_EQ(Target.Buttons()->Count(), 1);
    EXPECT_EQ(Target.Buttons()->Items(0)->Caption(), QStringLiteral("One"));
    Source.SetVisible(false);
    Target.Assign(&Source);
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(Target.Visible());

    // The colours alone, silently; a footer into a header changes nothing.
    THeaderAppearance Colours(nullptr);
    int Silent = 0;
    Colours.OnChange = [&](TObject*) { ++Silent; };
    Colours.AssignColors(&Source);
    EXPECT_EQ(Colours.Color(), TColor(0x010101));
    EXPECT_EQ(Colours.Caption(), String());
    EXPECT_TRUE(Colours.Visible());
    EXPECT_EQ(Silent, 0);
    TFooterAppearance Footer(nullptr);
    Footer.SetColor(clLime);
    Colours.Assign(&Footer);
    Colours.AssignColors(&Footer);
    EXPECT_EQ(Colours.Color(), TColor(0x010101));
}

TEST(HeaderAppearanceTest, FooterCopiesItsGripAndModalResults) {
    TFooterAppearance Source(nullptr), Target(nullptr);
    Source.SetSizeGrip(false);
    TFooterButton* B = Source.Buttons()->Add();
    B->SetModalResult(mrCancel);
    B->SetHeight(17);
    Target.Assign(&Source);
    EXPECT_FALSE(Target.SizeGrip());
    ASSERT_EQ(Target.Buttons()->Count(), 1);
    EXPECT_EQ(Target.Buttons()->Items(0)->ModalResult(), mrCancel);
    EXPECT_EQ(Target.Buttons()->Items(0)->Height(), 17);
    // SetItem copies another item's properties.
    TFooterButtons Other(nullptr);
    Other.Add()->SetCaption(QStringLiteral("Set"));
    Target.Buttons()->SetItem(0, Other.Items(0));
    EXPECT_EQ(Target.Buttons()->Items(0)->Caption(), QStringLiteral("Set"));
    EXPECT_EQ(Target.Buttons()->Items(0)->ModalResult(), mrNone);
}

TEST(HeaderAppearanceTest, DebugListChecksItsIndexes) {
    TDbgList List;
    int A = 1, B = 2, C = 3;
    TList Source;
    Source.Add(&A);
    Source.Add(&B);
    List.Add(&C);
    List.AssignList(&Source);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.GetItemsEx(1), &B);
    List.SetItemsEx(0, &C);
    EXPECT_EQ(List.GetItemsEx(0), &C);
    const struct { int Index; } Bad[] = {{2}, {-1}, {100}};
    for (const auto& X : Bad) {
        try {
            List.GetItemsEx(X.Index);
            ADD_FAILURE() << X.Index;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Index out of bounds in list read access"));
        }
        try {
            List.SetItemsEx(X.Index, &A);
            ADD_FAILURE() << X.Index;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Index out of bounds in list write access"));
        }
    }
}

}  // namespace
