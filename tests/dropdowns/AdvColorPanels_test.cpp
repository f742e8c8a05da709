// The colour cube, spectrum and box panels: cell places, colours and hits, the RGB hint, picks
// and releases, the spectrum's picture and swatches, the boxes' layout, selection by colour and
// by keys, and what hot and selected cells look like.
#include "components/dropdowns/AdvColorPanels.h"
#include "framework/rtl/Resources.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Picture.h"
#include "framework/ui/WebColors.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;
using namespace advcolorselector;

namespace {

class ColorPanelsTest : public DropDownFixture {
protected:
    template <class T>
    T* make() {
        auto* P = new T(Form.get());
        P->SetParent(Form.get());
        return P;
    }
    static void move(TControl* C, int X, int Y) { C->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y)); }
    static void press(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    static void release(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    static std::unique_ptr<TBitmap> render(TControl* C) {
        C->Invalidate();
        auto B = std::make_unique<TBitmap>(C->Width(), C->Height());
        static_cast<TWinControl*>(C)->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(ColorPanelsTest, TheCubeHoneycombItsHitsAndItsIndexGuard) {
    auto* Cube = make<TAdvColorCubePanel>();
    Cube->SizeCubePanel();
    EXPECT_EQ(Cube->Width(), 182);
    EXPECT_EQ(Cube->Height(), 160);
    EXPECT_EQ(Cube->CubeCellColor(64), TColor(0xFFFFFF));
    EXPECT_EQ(Cube->CubeCellCentre(64), Point(91, 80));
    EXPECT_EQ(Cube->CubeCellCentre(1), Point(55, 20));
    EXPECT_EQ(Cube->CubeCellCentre(8), Point(49, 30));
    EXPECT_EQ(Cube->CubeCellCentre(127), Point(127, 140));
    EXPECT_EQ(Cube->CubeCellColor(127), TColor(0x2100A5));
    // Within 6 pixels, the edge included.
    EXPECT_EQ(Cube->CubeCellAtPos(91 + 6, 80), 64);
    EXPECT_EQ(Cube->CubeCellAtPos(91, 80 + 6), 64);
    EXPECT_EQ(Cube->CubeCellAtPos(91 + 5, 80 + 4), -1);  // 41 > 36
    EXPECT_EQ(Cube->CubeCellAtPos(2, 2), -1);
    // Outside 1 .. 127 nothing is read or written.
    Cube->SetCubeCellColor(0, 0x123456);
    Cube->SetCubeCellColor(128, 0x123456);
    EXPECT_EQ(Cube->CubeCellColor(0), clNone);
    EXPECT_EQ(Cube->CubeCellColor(128), clNone);
    Cube->SetCubeCellColor(64, 0x123456);
    EXPECT_EQ(Cube->CubeCellColor(64), TColor(0x123456));
    Cube->InitCubeCells();
    EXPECT_EQ(Cube->CubeCellColor(64), TColor(0xFFFFFF));
    // Selecting by colour takes the first cell of exactly that colour, or none.
    Cube->SetSelectedColor(0xFF0000);
    EXPECT_EQ(Cube->SelectedIndex(), 13);
    Cube->SetSelectedColor(0x010101);
    EXPECT_EQ(Cube->SelectedIndex(), -1);
}

TEST_F(ColorPanelsTest, TheCubeHintPressAndRelease) {
    auto* Cube = make<TAdvColorCubePanel>();
    Cube->SizeCubePanel();
    std::vector<std::string> Log;
    Cube->OnSelect = [&](TObject*) { Log.push_back("select"); };
    Cube->OnShouldHide = [&](TObject*) { Log.push_back("hide"); };
    move(Cube, 55, 20);
    EXPECT_EQ(Cube->HotIndex(), 1);
    EXPECT_EQ(Cube->Hint(), QStringLiteral("Red: 0,  Green: 51,  Blue: 102"));
    // Off the honeycomb the hint goes and the cell stays hot.
    move(Cube, 2, 2);
    EXPECT_EQ(Cube->Hint(), String());
    EXPECT_EQ(Cube->HotIndex(), 1);
    Cube->SetShowRGBHint(false);
    move(Cube, 91, 80);
    EXPECT_EQ(Cube->Hint(), String());
    press(Cube, 91, 80);
    EXPECT_EQ(Log, std::vector<std::string>{"select"});
    EXPECT_EQ(Cube->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(Cube->SelectedIndex(), 64);
    release(Cube, 91, 80);
    EXPECT_EQ(Log, (std::vector<std::string>{"select", "hide"}));
    // Hot and selected outlines: red and black around white inner rings.
    Cube->SetColor(clWhite);
    move(Cube, 55, 20);
    auto B = render(Cube);
    EXPECT_EQ(B->Canvas()->Pixels(55, 20), TColor(0x663300)) << "the centre of the hot cell";
    EXPECT_EQ(B->Canvas()->Pixels(50, 20), TColor(0x0000FF)) << "its red outline";
    EXPECT_EQ(B->Canvas()->Pixels(86, 80), TColor(0x000000)) << "the selected cell's black outline";
    EXPECT_EQ(B->Canvas()->Pixels(87, 80), TColor(0xFFFFFF));
}

TEST_F(ColorPanelsTest, TheSpectrumPictureSwatchesAndPicks) {
    auto* S = make<TAdvColorSpectrumPanel>();
    S->LayoutSpectrum();
    EXPECT_EQ(S->Width(), 150);
    EXPECT_EQ(S->Height(), 174);
    EXPECT_EQ(S->SpectrumImage()->BoundsRect(), Rect(11, 10, 139, 138));
    EXPECT_EQ(S->SelectedRect(), Rect(10, 146, 73, 166));
    EXPECT_EQ(S->HotRect(), Rect(77, 146, 140, 166));
    EXPECT_EQ(S->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(S->HotColor(), clNone);
    // The picture: white on top, pure hues in the middle, black at the bottom, red at both ends.
    TCanvas* P = S->SpectrumImage()->Picture()->Bitmap()->Canvas();
    EXPECT_EQ(S->SpectrumImage()->Picture()->Width(), 128);
    EXPECT_EQ(P->Pixels(0, 0), TColor(0xFFFFFF));
    EXPECT_EQ(P->Pixels(64, 127), TColor(0x000000));
    EXPECT_EQ(P->Pixels(0, 64), TColor(0x0000FD));
    EXPECT_EQ(P->Pixels(127, 64), TColor(0x0000FD));
    EXPECT_EQ(GetGValue(P->Pixels(42, 64)), 0xFD) << "green a third of the way";
    EXPECT_EQ(P->Pixels(85, 64) & 0xFF0000, TColor(0xFD0000)) << "blue at two thirds";
    // The pointer cursor is the program's own, under id 54.
    EXPECT_NE(FindResource(HInstance, QStringLiteral("TESSEL_POINTER"), RT_CURSOR), nullptr);
    EXPECT_EQ(S->SpectrumImage()->Cursor(), 54);
    EXPECT_NE(Screen->Cursors(54), nullptr);

    std::vector<std::string> Log;
    S->OnSelect = [&](TObject*) { Log.push_back("select"); };
    S->OnShouldHide = [&](TObject*) { Log.push_back("hide"); };
    TImage* I = S->SpectrumImage();
    move(I, 42, 64);
    EXPECT_EQ(S->HotColor(), P->Pixels(42, 64));
    press(I, 42, 64);
    release(I, 42, 64);
    EXPECT_EQ(S->SelectedColor(), P->Pixels(42, 64));
    EXPECT_EQ(Log, (std::vector<std::string>{"select", "hide"}));
    S->SetColor(clBtnFace);
    auto B = render(S);
    EXPECT_EQ(B->Canvas()->Pixels(40, 156), P->Pixels(42, 64)) << "the selected swatch";
    EXPECT_EQ(B->Canvas()->Pixels(10, 150), TColor(0xFFFFFF)) << "its white outline";
    EXPECT_EQ(B->Canvas()->Pixels(9, 150), TColor(0x808080)) << "its grey frame";
}

TEST_F(ColorPanelsTest, TheBoxesLayOutInRowsAndShadeGroups) {
    auto* S = make<TCustomColorSelector>();
    S->UpdateLayout();
    EXPECT_EQ(S->Width(), 100);
    EXPECT_EQ(S->Height(), 50);
    S->AddDefaultBoxes();
    S->UpdateLayout();
    EXPECT_EQ(S->Width(), 165);
    EXPECT_EQ(S->Height(), 84);
    const int Tops[] = {4, 20, 32, 44, 56, 68};
    for (int Row = 0; Row < 6; ++Row)
        EXPECT_EQ(S->Items()->Items(Row * 10 + 3)->ItemRect(), Rect(52, Tops[Row], 64, Tops[Row] + 12)) << Row;
    EXPECT_EQ(S->Items()->Items(0)->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(S->Items()->Items(59)->Color(), TColor(0x064897));
    EXPECT_EQ(S->Items()->Items(15)->ColorBoxPos(), ipTop);
    EXPECT_EQ(S->Items()->Items(55)->ColorBoxPos(), ipBottom);
    EXPECT_EQ(S->ItemAtPos(52, 20), 13);
    EXPECT_EQ(S->ItemAtPos(64, 20), -1);  // the right edge is outside
    EXPECT_EQ(S->ItemAtPos(52, 17), -1);  // the gap after the first row

    std::vector<int> Selected;
    S->OnItemSelect = [&](TObject*) { Selected.push_back(S->ItemIndex()); };
    // By colour: the first box of exactly that colour; 0x7F7F7F is held twice.
    S->SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(S->ItemIndex(), 11);
    S->SetSelectedColor(0x010203);
    EXPECT_EQ(S->ItemIndex(), -1);
    S->SetItemIndex(60);  // past the count
    EXPECT_EQ(S->ItemIndex(), -1);
    S->Items()->Items(5)->SetEnabled(false);
    S->SetItemIndex(5);
    EXPECT_EQ(S->ItemIndex(), -1);
    press(S, 20, 4);
    EXPECT_EQ(S->ItemIndex(), 1);
    EXPECT_EQ(S->SelectedColor(), TColor(0x000000));
    press(S, 20, 4);  // again: told again
    EXPECT_EQ(Selected, (std::vector<int>{11, 1, 1}));
    move(S, 36, 4);
    EXPECT_EQ(S->ItemHot(), 2);
    move(S, 84, 4);  // the disabled box
    EXPECT_EQ(S->ItemHot(), -1);
    move(S, 36, 4);
    S->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(S->ItemHot(), -1);
    // The named styles reset the border colours; scCustom keeps them.
    S->ColorBoxAppearance()->SetBorderColor(0x00FF00);
    S->SetItemColorStyle(scCustom);
    EXPECT_EQ(S->ColorBoxAppearance()->BorderColor(), TColor(0x00FF00));
    S->SetItemColorStyle(scWindows7);
    EXPECT_EQ(S->ColorBoxAppearance()->BorderColor(), TColor(0xC5C5C5));
}

TEST_F(ColorPanelsTest, BoxesDrawTheirBordersByPositionAndTheirStates) {
    auto* S = make<TCustomColorSelector>();
    S->SetColor(clWhite);
    S->AddDefaultBoxes();
    S->UpdateLayout();
    S->SetItemIndex(12);
    move(S, 4, 68);  // hot: box 50
    auto B = render(S);
    TCanvas* C = B->Canvas();
    EXPECT_EQ(C->Pixels(6, 6), TColor(0xFFFFFF)) << "a white box";
    EXPECT_EQ(C->Pixels(4, 6), TColor(0xC5C5C5)) << "its left border";
    EXPECT_EQ(C->Pixels(8, 4), TColor(0xC5C5C5)) << "its top border";
    EXPECT_EQ(C->Pixels(8, 32), TColor(0xD8D8D8)) << "a middle box has no top border";
    EXPECT_EQ(C->Pixels(36, 20), TColor(0x0000FF)) << "the selected box's outer frame";
    EXPECT_EQ(C->Pixels(37, 21), TColor(0x94E2FF)) << "and its inner frame";
    EXPECT_EQ(C->Pixels(4, 70), TColor(0x3694F2)) << "the hot box's outer frame";
}

TEST_F(ColorPanelsTest, NavigationKeysOverEditorAndDropDownStates) {
    auto* S = make<TCustomColorSelector>();
    S->AddDefaultBoxes();
    S->UpdateLayout();
    // Key, editor enabled, dropped down, start index, index after.
    const struct {
        Word Key;
        bool Editor, Dropped;
        int From, To;
    } Cases[] = {
        {VK_HOME, false, false, 25, 0},  {VK_PRIOR, true, true, 25, 0},    {VK_END, false, true, 25, 59},
        {VK_NEXT, true, false, 25, 59},  {VK_RIGHT, false, false, 25, 26}, {VK_LEFT, false, true, 25, 24},
        {VK_RIGHT, true, true, 25, 26},  {VK_RIGHT, true, false, 25, 25},  {VK_LEFT, true, false, 25, 25},
        {VK_DOWN, false, true, 25, 35},  {VK_UP, true, true, 25, 15},      {VK_UP, false, true, 5, 5},
        {VK_DOWN, false, true, 55, 55},  {VK_DOWN, false, true, -1, 0},    {VK_DOWN, false, false, 25, 26},
        {VK_UP, true, false, 25, 24},    {VK_UP, false, false, 0, 0},      {VK_DOWN, false, false, 59, 59},
        {VK_RIGHT, false, false, -1, 0}, {VK_LEFT, false, false, -1, -1},
    };
    for (const auto& C : Cases) {
        S->SetItemIndex(C.From);
        if (C.From < 0) S->SetSelectedColor(clNone);
        S->HandleNavigationKey(C.Key, C.Editor, C.Dropped);
        EXPECT_EQ(S->ItemIndex(), C.To) << C.Key << " editor " << C.Editor << " dropped " << C.Dropped << " from "
                                        << C.From;
    }
    S->SetEnabled(false);
    S->SetItemIndex(3);
    S->HandleNavigationKey(VK_HOME, false, false);
    EXPECT_EQ(S->ItemIndex(), 3);
}

TEST_F(ColorPanelsTest, WebColourNames) {
    EXPECT_EQ(WebColorCount(), 138);
    EXPECT_EQ(ColorToWebColorName(0xFAFAFF), QStringLiteral("clWebSnow"));
    EXPECT_EQ(ColorToWebColorName(0x0000FF), QStringLiteral("clWebRed"));
    EXPECT_EQ(ColorToWebColorName(0xFF00FF), QStringLiteral("clWebFuchsia"));
    EXPECT_EQ(ColorToWebColorName(0x0066FF), QStringLiteral("#FF6600"));
    EXPECT_EQ(ColorToWebColorName(clWindow), ColorToWebColorName(ColorToRGB(clWindow)));
}

}  // namespace
