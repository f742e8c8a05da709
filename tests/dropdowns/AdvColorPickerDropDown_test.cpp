// The colour picker drop-down: its default colours, the colour text in every form, choosing by
// value and by the four popups (mouse picks close, cancels restore), the list's keys open and
// closed, the type-ahead on the fake clock, popup sizes per style and the swatch in the edit.
#include "components/dropdowns/AdvColorPickerDropDown.h"
#include "components/dropdowns/AdvItemSelector.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Picture.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;
using namespace advcolorpicker;

namespace {

class TTestPicker : public TAdvColorPickerDropDown {
public:
    using TAdvColorPickerDropDown::ClosePopup;
    using TAdvColorPickerDropDown::DoSelectNext;
    using TAdvColorPickerDropDown::DoSelectPrevious;
    using TAdvColorPickerDropDown::OpenPopup;
    using TAdvColorPickerDropDown::TAdvColorPickerDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class ColorPickerTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        P = new TTestPicker(Form.get());
        P->SetParent(Form.get());
        P->SetBounds(10, 40, 150, 21);
        P->AddDefaultColors();
        P->OnSelect = [this](TObject*) { Selects.push_back(P->ItemIndex()); };
        Form->Show();
    }
    bool shown() const { return P->Popup() && P->Popup()->Visible(); }
    void key(Word K) { P->Perform(WM_KEYDOWN, K, 0); }

    TTestPicker* P = nullptr;
    std::vector<int> Selects;
};

TEST_F(ColorPickerTest, TheSixteenDefaultColours) {
    const struct {
        const char* Name;
        TColor Color;
    } Want[] = {{"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
                {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
                {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
                {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF}};
    ASSERT_EQ(P->Colors()->Count(), 16);
    for (int I = 0; I < 16; ++I) {
        EXPECT_EQ(P->Colors()->Items(I)->Caption(), QString::fromLatin1(Want[I].Name)) << I;
        EXPECT_EQ(P->Colors()->Items(I)->Color(), Want[I].Color) << I;
    }
    // A new picker's list is empty at run time.
    auto* Fresh = new TTestPicker(Form.get());
    EXPECT_EQ(Fresh->Colors()->Count(), 0);
    EXPECT_FALSE(Fresh->EditorEnabled());
    EXPECT_EQ(Fresh->DropDownHeight(), 200);
}

TEST_F(ColorPickerTest, TheColourTextByFormWithAndWithoutAChosenEntry) {
    const struct {
        TColorValueText Form;
        TColor Color;
        bool FromList;
        const char* Text;
    } Cases[] = {
        {cvtHex, 0x0000FF, false, "0000FF"},
        {cvtRGB, 0x0000FF, false, "Red:255,Green:0,Blue:0"},
        {cvtHTML, 0x0066FF, false, "#FF6600"},
        {cvtWebName, 0x0066FF, false, "#FF6600"},
        {cvtWebName, 0x0000FF, false, "clWebRed"},
        {cvtNone, 0x0066FF, false, ""},
        {cvtHex, 0x012345, false, "012345"},
        // A chosen entry shows its caption in the list style, whatever the form.
        {cvtHex, 0x0000FF, true, "Red"},
        {cvtNone, 0x008080, true, "Olive"},
        {cvtHTML, 0x008080, true, "Olive"},
    };
    for (const auto& C : Cases) {
        // Outside the list style no entry's caption is shown.
        P->SetColorSelectionStyle(C.FromList ? csList : csColorCube);
        P->SetColorValueText(C.Form);
        P->SetSelectedColor(clNone);
        P->SetSelectedColor(C.Color);
        EXPECT_EQ(P->SelectedColor(), C.Color) << C.Text;
        if (C.FromList) {
            EXPECT_GE(P->ItemIndex(), 0) << C.Text;
        }
        EXPECT_EQ(P->SelectedColorText(), QString::fromUtf8(C.Text)) << C.Text;
    }
    P->SetColorSelectionStyle(csList);
    // In another style the chosen entry's caption gives way to the form.
    P->SetItemIndex(3);
    P->SetColorValueText(cvtHTML);
    P->SetColorSelectionStyle(csDiscrete);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("#808000"));
}

TEST_F(ColorPickerTest, AColourNoEntryHoldsChoosesNoEntry) {
    P->SetItemIndex(3);  // Olive
    EXPECT_EQ(P->SelectedColor(), TColor(0x008080));
    P->SetSelectedColor(0x123456);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(P->SelectedColorText(), String());
    // System colours are stored as RGB and found by their RGB value.
    P->SetSelectedColor(clWindow);
    EXPECT_EQ(P->SelectedColor(), ColorToRGB(clWindow));
    EXPECT_EQ(P->Colors()->Items(P->ItemIndex())->Color(), ColorToRGB(clWindow));
    // Past the count is ignored; below -1 stores -1.
    P->SetItemIndex(2);
    P->SetItemIndex(16);
    EXPECT_EQ(P->ItemIndex(), 2);
    P->SetItemIndex(-5);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(Selects, (std::vector<int>{3, 15, 2, -1}));  // clWindow is white here
    // BeginUpdate defers filling the list; EndUpdate without BeginUpdate does nothing.
    P->EndUpdate();
    P->BeginUpdate();
    P->EndUpdate();
}

TEST_F(ColorPickerTest, PicksFromTheCubeAndTheSpectrumCloseWithoutCancel) {
    P->SetItemIndex(9);  // Red
    Selects.clear();
    P->SetColorSelectionStyle(csColorCube);
    P->OpenPopup();
    ASSERT_TRUE(shown());
    TAdvColorCubePanel* Cube = P->CubePanel();
    ASSERT_NE(Cube, nullptr);
    EXPECT_EQ(Cube->SelectedIndex(), 118) << "the cube shows the picker's colour";
    EXPECT_EQ(P->Popup()->Width(), 184);
    EXPECT_EQ(P->Popup()->Height(), 162);
    Cube->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(91, 80));
    EXPECT_FALSE(shown());
    EXPECT_EQ(P->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(Selects.back(), -1);

    P->SetColorValueText(cvtHTML);
    P->SetColorSelectionStyle(csSpectrum);
    P->OpenPopup();
    ASSERT_TRUE(shown());
    EXPECT_EQ(P->Popup()->Width(), 152);
    EXPECT_EQ(P->Popup()->Height(), 176);
    TImage* I = P->SpectrumPanel()->SpectrumImage();
    I->Perform(WM_MOUSEMOVE, 0, PointToLParam(0, 64));
    I->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(0, 64));
    EXPECT_FALSE(shown());
    EXPECT_EQ(P->SelectedColor(), TColor(0x0000FD));
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("#FD0000"));
}

TEST_F(ColorPickerTest, ACancelRestoresTheOpeningChoicePerStyle) {
    P->SetItemIndex(4);
    P->OpenPopup();
    ASSERT_TRUE(shown());
    key(VK_DOWN);
    EXPECT_EQ(P->ItemIndex(), 5);
    EXPECT_TRUE(shown());
    Selects.clear();
    P->ClosePopup(true);
    EXPECT_EQ(P->ItemIndex(), 4);
    EXPECT_EQ(Selects, std::vector<int>{4});

    P->SetColorSelectionStyle(csDiscrete);
    P->SetSelectedColor(0x7D491F);
    P->OpenPopup();
    ASSERT_TRUE(shown());
    TCustomColorSelector* Boxes = P->BoxSelector();
    EXPECT_EQ(Boxes->ItemIndex(), 3);
    EXPECT_EQ(P->Popup()->Width(), 167);
    EXPECT_EQ(P->Popup()->Height(), 86);
    key(VK_RIGHT);  // moves and stays open
    EXPECT_TRUE(shown());
    EXPECT_EQ(P->SelectedColor(), TColor(0xBD814F));
    P->ClosePopup(true);
    EXPECT_EQ(Boxes->SelectedColor(), TColor(0x7D491F));
    EXPECT_EQ(P->SelectedColor(), TColor(0x7D491F));
    // A click on a box takes it and closes.
    P->OpenPopup();
    Boxes->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    EXPECT_FALSE(shown());
    EXPECT_EQ(P->SelectedColor(), TColor(0xFFFFFF));
}

TEST_F(ColorPickerTest, ListKeysOpenAndClosed) {
    P->SetColumns(2);
    // Key, open, start index, index after.
    const struct {
        Word Key;
        bool Open;
        int From, To;
    } Cases[] = {
        {VK_DOWN, false, -1, 0}, {VK_DOWN, false, 4, 5},   {VK_DOWN, false, 15, 15}, {VK_UP, false, 4, 3},
        {VK_UP, false, 0, 0},    {VK_HOME, false, 7, 0},   {VK_END, false, 7, 15},   {VK_LEFT, false, 7, 7},
        {VK_DOWN, true, 4, 6},   {VK_UP, true, 4, 2},      {VK_UP, true, 1, 1},      {VK_DOWN, true, -1, 0},
        {VK_HOME, true, 7, 0},   {VK_END, true, 7, 15},    {VK_LEFT, true, 7, 6},    {VK_RIGHT, true, 7, 8},
        {VK_NEXT, true, 0, -2},  {VK_PRIOR, true, 15, -3},
    };
    for (const auto& C : Cases) {
        P->SetItemIndex(C.From);
        if (C.Open) {
            P->OpenPopup();
            ASSERT_TRUE(shown());
        }
        key(C.Key);
        int Want = C.To;
        // Paging moves by the rows the list shows.
        const int Visible = P->ListSelector() ? P->ListSelector()->GetVisibleItemCount() : 0;
        if (Want == -2) Want = std::min(Visible, 15);
        if (Want == -3) Want = std::max(15 - Visible, 0);
        EXPECT_EQ(P->ItemIndex(), Want) << C.Key << (C.Open ? " open" : " closed") << " from " << C.From;
        EXPECT_EQ(shown(), C.Open) << C.Key;
        if (C.Open) P->ClosePopup(false);
    }
    // Enter in the open list takes the hot entry and closes.
    P->OpenPopup();
    P->ListSelector()->SelectorPanel()->SetItemHot(10);
    Selects.clear();
    key(VK_RETURN);
    EXPECT_EQ(P->ItemIndex(), 10);
    EXPECT_FALSE(shown());
    // The wheel: the hot entry while open, the choice while closed.
    P->DoSelectNext();
    EXPECT_EQ(P->ItemIndex(), 11);
    P->DoSelectPrevious();
    P->DoSelectPrevious();
    EXPECT_EQ(P->ItemIndex(), 9);
}

TEST_F(ColorPickerTest, TheSearchTextEndsHalfASecondAfterItsFirstKey) {
    P->OpenPopup();
    ASSERT_TRUE(shown());
    key('S');
    EXPECT_EQ(P->ItemIndex(), 8);  // Silver
    EXPECT_TRUE(shown()) << "S";
    Clock.Advance(300);
    key('I');
    EXPECT_EQ(P->ItemIndex(), 8);  // "SI"
    // Keys that type nothing do not join the search.
    key(VK_DELETE);
    EXPECT_TRUE(shown()) << "Del";
    key(VK_F5);
    EXPECT_TRUE(shown()) << "F5";
    Clock.Advance(199);
    key('L');
    EXPECT_EQ(P->ItemIndex(), 8);  // "SIL"
    Clock.Advance(1);
    // The search began 500 ms ago: a new one starts.
    EXPECT_TRUE(shown()) << "L";
    key('B');
    EXPECT_TRUE(shown()) << "B";
    EXPECT_EQ(P->ItemIndex(), 12);  // Blue: the lookup goes on after the current entry
    Clock.Advance(500);
    key('L');
    EXPECT_EQ(P->ItemIndex(), 10);  // Lime
    EXPECT_TRUE(shown());
}

TEST_F(ColorPickerTest, TheListPopupAndTheSwatchInTheEdit) {
    P->SetDropDownHeight(0);
    P->SetDropDownWidth(0);
    P->OpenPopup();
    ASSERT_TRUE(shown());
    const TSize Panel = P->ListSelector()->GetSelectorPanelSize();
    EXPECT_EQ(P->Popup()->Height(), Panel.cy + 2);
    EXPECT_GE(P->Popup()->Width(), Panel.cx);
    auto Shot = std::make_unique<TBitmap>(P->Popup()->Width(), P->Popup()->Height());
    P->Popup()->PaintTo(Shot->Canvas(), 0, 0);
    P->ClosePopup(false);

    P->SetItemIndex(9);  // Red
    P->Repaint();
    auto B = std::make_unique<TBitmap>(P->Width(), P->Height());
    P->PaintTo(B->Canvas(), 0, 0);
    const int Top = 1 + (21 - 14) / 2;
    EXPECT_EQ(B->Canvas()->Pixels(5, Top + 5), TColor(0x000000)) << "the swatch outline at R.Left + 4";
    EXPECT_EQ(B->Canvas()->Pixels(8, Top + 7), TColor(0x0000FF)) << "the swatch";
    EXPECT_EQ(B->Canvas()->Pixels(18, Top + 7), TColor(0x000000)) << "its right outline, 14 wide";
    EXPECT_NE(B->Canvas()->Pixels(20, Top + 7), TColor(0x0000FF));
}

}  // namespace
