// The drop-down edit's defaults, writers with side effects, styles, copying and streaming.
#include "components/dropdowns/AdvHeaderFooter.h"
#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/StdCtrls.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

class TStyledDropDown : public TTestDropDown {
public:
    using TAdvCustomDropDown::SetSelectionColorStyle;
    using TTestDropDown::TTestDropDown;
};

using DropDownTest = DropDownFixture;

TEST_F(DropDownTest, Defaults) {
    EXPECT_EQ(Edit->Width(), 200);
    EXPECT_EQ(Edit->Height(), 21);
    EXPECT_EQ(Edit->DropDownButtonWidth(), 17);
    Form->HandleNeeded();
    EXPECT_EQ(Edit->Button()->Width(), 17);
    EXPECT_EQ(Edit->Button()->Left() + 17, Edit->Width() - 2);  // inside the edit's border
    EXPECT_EQ(Edit->DropDownColor(), TColor(0xF3E5DA));
    EXPECT_EQ(Edit->DropDownColorTo(), TColor(0xF0DED0));
    EXPECT_EQ(Edit->DropDownBorderColor(), clNone);
    EXPECT_EQ(Edit->DropDownBorderWidth(), 1);
    EXPECT_TRUE(Edit->DropDownShadow());
    EXPECT_TRUE(Edit->DropDownSizeable());
    EXPECT_EQ(Edit->DropPosition(), dpAuto);
    EXPECT_TRUE(Edit->EditorEnabled());
    EXPECT_TRUE(Edit->ControlStyle().Contains(csDoubleClicks));
    EXPECT_FALSE(Edit->ControlStyle().Contains(csSetCaption));
    EXPECT_EQ(Edit->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(Edit->SelectionColorStyle(), scOffice2007);
    EXPECT_EQ(Edit->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(Edit->DropDownHeader()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(Edit->DropDownFooter()->BorderColor(), TColor(0xFFD2AF));
    EXPECT_EQ(Edit->ButtonAppearance()->ColorTo(), TColor(0xFFDDC4));
    EXPECT_EQ(Edit->Text(), String());
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Version(), QStringLiteral("1.4.2.6"));
    Edit->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(Edit->Version(), QStringLiteral("1.4.2.6"));
    ITesselStyle* Style = nullptr;
    ITesselTones* Tones = nullptr;
    EXPECT_TRUE(Supports<ITesselStyle>(Edit, &Style));
    EXPECT_TRUE(Supports<ITesselTones>(Edit, &Tones));
    // The popup is made with the edit and owned by it; while designing none is made.
    ASSERT_NE(Edit->Popup(), nullptr);
    EXPECT_EQ(Edit->Popup()->Owner(), Edit);
    EXPECT_EQ(Edit->Popup()->BorderStyle(), bsNone);
    EXPECT_FALSE(Edit->Popup()->Visible());
    TForm Designed(nullptr);
    Designed.SetDesigning(true);
    auto* D = new TTestDropDown(&Designed);
    EXPECT_EQ(D->Popup(), nullptr);
    D->ShowDropDown();
    EXPECT_FALSE(D->DroppedDown());
}

TEST_F(DropDownTest, StylesColourPopupHeaderFooterAndButtons) {
    Edit->SetComponentStyle(tsCustom);
    EXPECT_EQ(Edit->DropDownColor(), TColor(0xF3E5DA));  // custom keeps what is there
    EXPECT_EQ(Edit->GetComponentStyle(), tsCustom);
    Edit->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(Edit->DropDownHeader()->BorderColor(), clBlack);
    EXPECT_EQ(Edit->DropDownFooter()->BorderColor(), TColor(0x962D00));
    EXPECT_EQ(Edit->DropDownBorderColor(), clNone);  // unchanged by this style
    Edit->SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(Edit->DropDownHeader()->Color(), TColor(0xFFFDF9));
    EXPECT_EQ(Edit->DropDownFooter()->Color(), TColor(0xFFFAF0));  // the gradient turned round
    EXPECT_EQ(Edit->DropDownFooter()->ColorTo(), TColor(0xFFFDF9));
    EXPECT_EQ(Edit->DropDownBorderColor(), TColor(0x979797));
    Edit->SetComponentStyle(tsOffice2013White);
    EXPECT_EQ(Edit->DropDownColor(), clWhite);
    EXPECT_EQ(Edit->DropDownColorTo(), clNone);
    EXPECT_EQ(Edit->ButtonAppearance()->BorderColorDisabled(), TColor(0xACACAC));
    EXPECT_NE(Edit->Font()->Color(), TColor(0xA6A6A6));
    Edit->SetComponentStyle(tsOffice2016Black);
    EXPECT_EQ(Edit->Font()->Color(), TColor(0xA6A6A6));
    // The button appearance hears each colour that changes.
    int Notes = 0;
    Edit->ButtonAppearance()->OnChange = [&](TObject*) { ++Notes; };
    Edit->SetComponentStyle(tsWindows10);
    EXPECT_GT(Notes, 5);
    EXPECT_EQ(Edit->ButtonAppearance()->BorderColorDisabled(), Edit->ButtonAppearance()->Color());
    // A value outside the styles changes nothing but the style read back.
    Edit->SetComponentStyle(static_cast<TTesselStyle>(30));
    EXPECT_EQ(Edit->GetComponentStyle(), static_cast<TTesselStyle>(30));
    EXPECT_EQ(Edit->DropDownBorderColor(), TColor(0xE4E3E2));
}

TEST_F(DropDownTest, ColourTonesAndSelectionPalettes) {
    TColorTones T;
    ClearColorTones(T);
    T.Background.BrushColor = 0x111111;
    T.Background.BorderColor = 0x222222;
    T.Hover.BrushColor = 0x333333;
    T.Selected.BrushColor = 0x444444;
    Edit->SetColorTones(T);
    EXPECT_EQ(Edit->Button()->ButtonColor(), TColor(0x111111));
    EXPECT_EQ(Edit->Button()->ButtonColorHot(), TColor(0x333333));
    EXPECT_EQ(Edit->Button()->ButtonColorDown(), TColor(0x444444));
    EXPECT_EQ(Edit->Button()->ButtonBorderColor(), TColor(0x222222));
    EXPECT_EQ(Edit->BorderColor(), TColor(0x222222));
    EXPECT_EQ(Edit->Button()->ButtonTextColor(), clNone);

    auto* S = new TStyledDropDown(Form.get());
    const struct {
        TSelectionColorStyle Style;
        TColor From, To;
    } Palettes[] = {{scWindowsVista, 0xFDF8F1, 0xFCEFD5},
                    {scWindows7, 0xFCEBDC, 0xFCDBC1},
                    {scCustom, 0xFCEBDC, 0xFCDBC1},
                    {scOffice2007, 0xD7FFFD, 0x58D4FC}};
    for (const auto& P : Palettes) {
        S->SetSelectionColorStyle(P.Style);
        EXPECT_EQ(S->SelectionColorStyle(), P.Style);
        EXPECT_EQ(S->SelectionColor(), P.From);
        EXPECT_EQ(S->SelectionColorTo(), P.To);
    }
}

TEST_F(DropDownTest, WritersWithSideEffects) {
    Form->HandleNeeded();
    Edit->SetDropDownButtonWidth(24);
    EXPECT_EQ(Edit->Button()->Width(), 24);
    EXPECT_EQ(Edit->Button()->ButtonWidth(), 24);
    Edit->Button()->SetWidth(50);  // the container keeps its width
    EXPECT_EQ(Edit->Button()->Width(), 24);
    Edit->SetDropDownButtonHint(QStringLiteral("Open"));
    EXPECT_TRUE(Edit->Button()->ShowHint());
    EXPECT_EQ(Edit->Button()->Hint(), QStringLiteral("Open"));
    Edit->SetDropDownButtonHint(String());
    EXPECT_FALSE(Edit->Button()->ShowHint());
    Edit->SetDropDownEnabled(false);
    EXPECT_FALSE(Edit->Button()->Enabled());
    EXPECT_FALSE(Edit->Button()->Button()->Enabled());
    Edit->SetDropDownEnabled(true);
    Edit->SetEditorEnabled(false);
    EXPECT_FALSE(Edit->ControlStyle().Contains(csDoubleClicks));
    // The button follows the edit's enabled state, the label does not.
    Edit->SetLabelCaption(QStringLiteral("Name"));
    Edit->SetEnabled(false);
    EXPECT_FALSE(Edit->Button()->Enabled());
    EXPECT_TRUE(Edit->Label()->Enabled());
    Edit->SetEnabled(true);
    EXPECT_TRUE(Edit->Button()->Enabled());
    // Freed components are let go.
    auto* Images = new TImageList(Form.get());
    Edit->SetImages(Images);
    auto* Memo = new TMemo(Form.get());
    Edit->SetControl(Memo);
    delete Images;
    Memo->Free();
    EXPECT_EQ(Edit->Images(), nullptr);
    EXPECT_EQ(Edit->Control(), nullptr);
}

TEST_F(DropDownTest, DropDownSizeFollowsWhatIsKnown) {
    Edit->Popup()->SetBounds(0, 0, 130, 90);
    EXPECT_EQ(Edit->DropDownSize().cx, 130);
    Edit->SetDropDownSizeable(false);
    EXPECT_EQ(Edit->DropDownSize().cx, 0);
    auto* Memo = new TMemo(Form.get());
    Memo->SetBounds(0, 0, 70, 40);
    Edit->SetControl(Memo);
    EXPECT_EQ(Edit->DropDownSize().cy, 40);
    Edit->SetDropDownWidth(150);
    EXPECT_EQ(Edit->DropDownSize().cx, 70);  // both must be set
    Edit->SetDropDownHeight(60);
    EXPECT_EQ(Edit->DropDownSize().cx, 150);
    EXPECT_EQ(Edit->DropDownSize().cy, 60);
}

TEST_F(DropDownTest, AssignCopiesSettingsButNotTextLabelOrEvents) {
    auto* Source = new TTestDropDown(Form.get());
    Source->SetDropDownColor(0x123456);
    Source->SetDropDownBorderWidth(3);
    Source->SetDropDownWidth(77);
    Source->SetEditType(etMoney);
    Source->SetPrefix(QStringLiteral("$"));
    Source->SetReturnIsTab(true);
    Source->SetDropPosition(dpUp);
    Source->SetDropDownButtonWidth(30);
    Source->SetDropDownButtonHint(QStringLiteral("hint"));
    Source->SetEditorEnabled(false);
    Source->DropDownHeader()->SetCaption(QStringLiteral("Head"));
    Source->ButtonAppearance()->SetColor(0x010203);
    Source->SetText(QStringLiteral("99"));
    Source->SetLabelCaption(QStringLiteral("Label"));
    Source->OnDropDown = [](TObject*, bool&) {};
    Edit->Assign(Source);
    EXPECT_EQ(Edit->DropDownColor(), TColor(0x123456));
    EXPECT_EQ(Edit->DropDownBorderWidth(), 3);
    EXPECT_EQ(Edit->DropDownWidth(), 77);
    EXPECT_EQ(Edit->EditType(), etMoney);
    EXPECT_EQ(Edit->Prefix(), QStringLiteral("$"));
    EXPECT_TRUE(Edit->ReturnIsTab());
    EXPECT_EQ(Edit->DropPosition(), dpUp);
    EXPECT_EQ(Edit->DropDownButtonWidth(), 30);
    EXPECT_EQ(Edit->DropDownButtonHint(), QStringLiteral("hint"));
    EXPECT_FALSE(Edit->EditorEnabled());
    EXPECT_TRUE(Edit->ControlStyle().Contains(csDoubleClicks));  // the style is not updated
    EXPECT_EQ(Edit->DropDownHeader()->Caption(), QStringLiteral("Head"));
    EXPECT_EQ(Edit->ButtonAppearance()->Color(), TColor(0x010203));
    EXPECT_EQ(Edit->Text(), String());
    EXPECT_EQ(Edit->Label(), nullptr);
    EXPECT_FALSE(Edit->OnDropDown);
    // Anything else copies nothing.
    TMemo Other(nullptr);
    Edit->Assign(&Other);
    EXPECT_EQ(Edit->DropDownWidth(), 77);
}

TEST_F(DropDownTest, StylesAreStoredWithTheFormAndReadBackWithoutApplying) {
    auto* Source = new TStyledDropDown(Form.get());
    Source->SetComponentStyle(tsWindows10);
    Source->SetSelectionColorStyle(scWindows7);
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Source);
    const QByteArray Bytes(static_cast<const char*>(Stream.Memory()), static_cast<int>(Stream.Size()));
    EXPECT_TRUE(Bytes.contains("SelectionColorStyle"));
    EXPECT_TRUE(Bytes.contains("TesselStyle"));
    Stream.SetPosition(0);
    auto* Target = new TStyledDropDown(Form.get());
    ReadComponentFromStream(&Stream, Target);
    EXPECT_EQ(Target->GetComponentStyle(), tsWindows10);
    EXPECT_EQ(Target->SelectionColorStyle(), scWindows7);
    EXPECT_EQ(Target->DropDownColor(), TColor(0xF3E5DA));  // no style applied
    EXPECT_EQ(Target->SelectionColor(), TColor(0xD7FFFD));
}

TEST_F(DropDownTest, HeaderAndFooterFollowTheirSettingsWhileOpen) {
    Edit->ShowDropDown();
    ASSERT_NE(Edit->Popup()->Header(), nullptr);
    ASSERT_NE(Edit->Popup()->Footer(), nullptr);
    EXPECT_EQ(Edit->Popup()->Header()->Align(), alTop);
    EXPECT_EQ(Edit->Popup()->Footer()->Align(), alBottom);
    EXPECT_EQ(Edit->Popup()->Header()->Height(), 22);
    Edit->DropDownHeader()->SetVisible(false);
    EXPECT_FALSE(Edit->Popup()->Header()->Visible());
    TAdvHeader* Made = Edit->Popup()->Header();
    Edit->DropDownHeader()->SetVisible(true);
    EXPECT_TRUE(Made->Visible());
    EXPECT_EQ(Edit->Popup()->Header(), Made);  // made once
    EXPECT_EQ(Made->Buttons(), Edit->DropDownHeader()->Buttons());
    EXPECT_EQ(Made->AdvDropDown(), Edit);
}

}  // namespace
