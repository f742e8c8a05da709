// What the drop-down edit, its button and its popup look like, probed by pixel.
#include "components/dropdowns/AdvDropDownDraw.h"
#include "components/graphics/AdvXPVS.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"
#include "tests/dropdowns/DropDownFixture.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"
#include "tests/support/Ink.h"

using namespace advdropdown;

namespace {

struct TThemeCall {
    int Part, State;
    TRect R;
    String ClassName;
};
std::vector<TThemeCall> ThemeCalls;
String OpenedClass;

HTHEME fakeOpenThemeData(HWND, LPCWSTR ClassList) {
    OpenedClass = QString::fromUtf16(ClassList);
    return reinterpret_cast<HTHEME>(1);
}
HRESULT fakeCloseThemeData(HTHEME) { return S_OK; }
HRESULT fakeDrawThemeBackground(HTHEME, HDC, int Part, int State, const TRect* R, const TRect*) {
    ThemeCalls.push_back({Part, State, *R, OpenedClass});
    return S_OK;
}
BOOL fakeIsThemeActive() { return 1; }

// The theme library with its drawing recorded (the loader of the drop-downs binds every name).
TModuleExports recordingTheme() {
    TModuleExports Exports = UxThemeExports();
    for (TModuleExport& E : Exports) {
        const std::string Name = E.Name;
        if (Name == "OpenThemeData") E.Proc = reinterpret_cast<FARPROC>(&fakeOpenThemeData);
        if (Name == "CloseThemeData") E.Proc = reinterpret_cast<FARPROC>(&fakeCloseThemeData);
        if (Name == "DrawThemeBackground") E.Proc = reinterpret_cast<FARPROC>(&fakeDrawThemeBackground);
        if (Name == "IsThemeActive") E.Proc = reinterpret_cast<FARPROC>(&fakeIsThemeActive);
    }
    return Exports;
}

class DropDownPaintingTest : public DropDownFixture {
protected:
    // As the control looks at its next paint.
    static std::unique_ptr<TBitmap> render(TWinControl* C) {
        C->Invalidate();
        auto B = std::make_unique<TBitmap>(C->Width(), C->Height());
        C->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
    static int count(TBitmap* B, const TRect& Area, TColor Color) {
        int N = 0;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) N += B->Canvas()->Pixels(X, Y) == Color;
        return N;
    }
    void focusEdit() {
        Form->Show();
        ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
        Edit->SetFocus();
        ASSERT_TRUE(pumpUntil([&] { return Edit->Focused(); }));
    }
    // A popup showing a lime panel, without header and footer.
    TPanel* limePopup() {
        Edit->DropDownHeader()->SetVisible(false);
        Edit->DropDownFooter()->SetVisible(false);
        auto* Panel = new TPanel(Edit);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clLime);
        Panel->SetCaption(String());
        Panel->SetBounds(0, 0, 120, 60);
        Edit->SetControl(Panel);
        return Panel;
    }
};

TEST_F(DropDownPaintingTest, ThePopupsBackgroundAndBorder) {
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->ShowDropDown();
    auto B = render(Edit->Popup());
    // The style's gradient, left to right, inside a border of one pixel that draws no line.
    EXPECT_EQ(B->Canvas()->Pixels(1, 10), TColor(0xF3E5DA));
    EXPECT_EQ(B->Canvas()->Pixels(B->Width() - 3, 10), TColor(0xF0DED0));
    EXPECT_NE(B->Canvas()->Pixels(0, 10), TColor(0xF3E5DA));
    Edit->HideDropDown(false);
    // White with a one-pixel black frame.
    Edit->SetDropDownColor(clWhite);
    Edit->SetDropDownColorTo(clNone);
    Edit->SetDropDownBorderColor(clBlack);
    Edit->ShowDropDown();
    B = render(Edit->Popup());
    EXPECT_EQ(B->Canvas()->Pixels(0, 10), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(5, 0), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(1, 10), clWhite);
}

TEST_F(DropDownPaintingTest, BorderWidthsKeepTheControlOffTheEdge) {
    TPanel* Panel = limePopup();
    Edit->SetDropDownBorderColor(clBlack);
    Edit->SetDropDownBorderWidth(0);
    Edit->ShowDropDown();
    auto B = render(Edit->Popup());
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clLime);  // no border: the control touches the edge
    EXPECT_EQ(count(B.get(), Rect(0, 0, B->Width(), B->Height()), clBlack), 0);
    Edit->HideDropDown(false);
    Edit->SetDropDownBorderWidth(3);
    Edit->ResetDropDownSize();
    Edit->ShowDropDown();
    B = render(Edit->Popup());
    EXPECT_EQ(Panel->BoundsRect(), Rect(3, 3, Edit->Popup()->Width() - 3, Edit->Popup()->Height() - 3));
    for (int X = 0; X < 3; ++X) EXPECT_EQ(B->Canvas()->Pixels(X, 20), clBlack) << X;
    EXPECT_EQ(B->Canvas()->Pixels(3, 20), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(20, 3), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(20, 2), clBlack);
}

TEST_F(DropDownPaintingTest, TheThemedArrowFollowsTheState) {
    const TThemeLoadersReleased Released;
    const TModuleReplacement Fake(QStringLiteral("uxtheme.dll"), recordingTheme());
    AdvXPVS.BindThemeFunctions();
    Form->HandleNeeded();
    TControl* Arrow = Edit->Button()->Button();
    auto stateAfter = [&](auto Prepare) {
        ThemeCalls.clear();
        Prepare();
        render(Edit);
        return ThemeCalls.empty() ? -1 : ThemeCalls.back().State;
    };
    EXPECT_EQ(stateAfter([] {}), CBXS_NORMAL);
    ASSERT_FALSE(ThemeCalls.empty());
    EXPECT_EQ(ThemeCalls.back().Part, CP_DROPDOWNBUTTON);
    EXPECT_EQ(ThemeCalls.back().ClassName, QStringLiteral("combobox"));
    EXPECT_EQ(ThemeCalls.back().R, Rect(1, 0, Arrow->Width(), Arrow->Height()));  // Vista: one in from the left
    EXPECT_EQ(stateAfter([&] { Arrow->Perform(CM_MOUSEENTER, 0, 0); }), CBXS_HOT);
    EXPECT_EQ(stateAfter([&] { Arrow->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 3)); }), CBXS_PRESSED);
    Arrow->Perform(WM_LBUTTONUP, 0, PointToLParam(-50, 3));
    Arrow->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(stateAfter([&] { Edit->Perform(EM_SETREADONLY, 1, 0); }), CBXS_DISABLED);
    Edit->Perform(EM_SETREADONLY, 0, 0);
    EXPECT_EQ(stateAfter([&] { Edit->SetEnabled(false); }), CBXS_DISABLED);
    Edit->SetEnabled(true);
    // Before Vista the rectangle grows by one and moves two in on the left.
    TPlatformFactsScope Facts;
    PlatformFacts().MajorVersion = 5;
    PlatformFacts().MinorVersion = 1;
    stateAfter([] {});
    EXPECT_EQ(ThemeCalls.back().R, Rect(1, -1, Arrow->Width() + 1, Arrow->Height() + 1));
}

TEST_F(DropDownPaintingTest, TheColouredArrow) {
    Form->HandleNeeded();
    TDropDownEditButton* Container = Edit->Button();
    Container->SetButtonColor(clLime);
    Container->SetButtonColorHot(clYellow);
    Container->SetButtonColorDown(clAqua);
    Container->SetButtonTextColor(clRed);
    Container->SetButtonTextColorDown(clNavy);
    Edit->SetBorderColor(clBlue);
    auto B = render(Container);
    for (const TPoint P : {Point(5, 7), Point(11, 7), Point(8, 10), Point(8, 8)})
        EXPECT_EQ(B->Canvas()->Pixels(P.X, P.Y), clRed) << P.X << "," << P.Y;
    EXPECT_EQ(B->Canvas()->Pixels(4, 7), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(8, 11), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(0, 5), clBlue);  // the separator
    TControl* Arrow = Container->Button();
    Arrow->Perform(CM_MOUSEENTER, 0, 0);
    B = render(Container);
    EXPECT_EQ(B->Canvas()->Pixels(3, 3), clYellow);
    Arrow->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 3));
    B = render(Container);
    EXPECT_EQ(B->Canvas()->Pixels(3, 3), clAqua);  // pressed wins over hot
    EXPECT_EQ(B->Canvas()->Pixels(8, 8), clNavy);
    Arrow->Perform(WM_LBUTTONUP, 0, PointToLParam(-50, 3));
    Arrow->Perform(CM_MOUSELEAVE, 0, 0);
    // No colours: no separator, the arrow in the edit's text colour.
    Edit->SetBorderColor(clNone);
    Container->SetButtonTextColor(clNone);
    Edit->Font()->SetColor(clPurple);
    B = render(Container);
    EXPECT_EQ(B->Canvas()->Pixels(0, 5), clLime);
    EXPECT_EQ(B->Canvas()->Pixels(8, 8), clPurple);
}

TEST_F(DropDownPaintingTest, TheLabelInEveryPosition) {
    Form->HandleNeeded();
    Edit->SetBounds(100, 100, 200, 21);
    Edit->SetLabelMargin(4);
    Edit->SetLabelCaption(QStringLiteral("Name"));
    TLabel* L = Edit->Label();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->Parent(), Form.get());
    const int W = L->Width(), H = L->Height();
    const struct {
        TLabelPosition Position;
        int Left, Top;
    } Cases[] = {
        {lpLeftTop, 100 - W - 4, 100},
        {lpLeftCenter, 100 - W - 4, 100 + (21 - H) / 2},
        {lpLeftBottom, 100 - W - 4, 121 - H},
        {lpTopLeft, 100, 100 - H - 4},
        {lpBottomLeft, 100, 125},
        {lpLeftTopLeft, 96, 100},
        {lpLeftCenterLeft, 96, 100 + (21 - H) / 2},
        {lpLeftBottomLeft, 96, 121 - H},
        {lpTopCenter, 100 + (200 - W) / 2, 100 - H - 4},
        {lpBottomCenter, 100 + (200 - W) / 2, 125},
        {lpRightTop, 304, 100},
        {lpRightCenter, 304, 100 + (21 - H) / 2},
        {lpRighBottom, 304, 121 - H},
        {lpTopRight, 300 - W, 100 - H - 4},
        {lpBottomRight, 300 - W, 125},
    };
    for (const auto& C : Cases) {
        Edit->SetLabelPosition(C.Position);
        EXPECT_EQ(L->Left(), C.Left) << C.Position;
        EXPECT_EQ(L->Top(), C.Top) << C.Position;
    }
    // At the parent's edge the place may be negative; moving the edit moves the label.
    Edit->SetLabelPosition(lpTopLeft);
    Edit->SetBounds(0, 0, 200, 21);
    EXPECT_EQ(L->Top(), -H - 4);
    Edit->SetVisible(false);
    EXPECT_FALSE(L->Visible());
}

TEST_F(DropDownPaintingTest, ALabelWithoutAWindowIsPlacedWithoutItsWidth) {
    auto* Loose = new TTestDropDown(nullptr);
    TPanel Parent(nullptr);
    Loose->SetParent(&Parent);
    Loose->SetBounds(50, 30, 100, 21);
    Loose->SetLabelMargin(3);
    Loose->SetLabelCaption(QStringLiteral("Caption"));
    EXPECT_EQ(Loose->Label()->Left(), 47);
    Loose->Free();
}

TEST_F(DropDownPaintingTest, TheLabelFontScalesWithTheScreen) {
    Edit->SetParentFont(false);
    Edit->LabelFont()->SetHeight(-13);
    Edit->SetLabelCaption(QStringLiteral("Scaled"));
    Form->HandleNeeded();
    EXPECT_EQ(Edit->LabelFont()->Height(), -13);  // 96 pixels per inch: kept
    Screen->SetPixelsPerInch(120);
    const double Scale = GetDPIScale();
    Edit->RecreateWnd();
    Screen->SetPixelsPerInch(96);
    EXPECT_GT(Scale, 1.0);
    EXPECT_EQ(Edit->LabelFont()->Height(), static_cast<int>(Round(Scale * -13)));
    EXPECT_EQ(Edit->Label()->Font()->Height(), Edit->LabelFont()->Height());
    Edit->RecreateWnd();
    EXPECT_EQ(Edit->LabelFont()->Height(), -13);  // scaled from the height set, not the scaled one
}

TEST_F(DropDownPaintingTest, BorderColoursFocusAndDisabled) {
    Edit->SetBorderColor(clRed);
    Edit->SetFocusBorderColor(clBlue);
    Form->HandleNeeded();
    auto B = render(Edit);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(199, 20), clRed);
    focusEdit();
    B = render(Edit);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clBlue);
    Edit->SetBorderColor(clNone);
    Form->SetFocus();
    B = render(Edit);
    EXPECT_EQ(B->Canvas()->Pixels(0, 10), clBlue);  // still focused
    // Disabled, with the newer common controls, a silver frame whatever the colours.
    Edit->SetBorderColor(clRed);
    Edit->SetEnabled(false);
    B = render(Edit);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), TColor(0xC0C0C0));
    EXPECT_EQ(B->Canvas()->Pixels(199, 10), TColor(0xC0C0C0));
}

TEST_F(DropDownPaintingTest, OnlyAFocusColourDrawsNothingUnfocused) {
    Edit->SetFocusBorderColor(clBlue);
    Form->HandleNeeded();
    auto B = render(Edit);
    EXPECT_EQ(count(B.get(), Rect(0, 0, 200, 21), clBlue), 0);
}

TEST_F(DropDownPaintingTest, TheGreyHintOfAnEmptyEdit) {
    Edit->SetEmptyText(QStringLiteral("Search"));
    Form->HandleNeeded();
    auto B = render(Edit);
    // The hint's grey on the white field, however the font smooths it.
    const auto hint = [&](const TRect& Area) {
        return InkPixels([&](int X, int Y) { return B->Canvas()->Pixels(X, Y); }, Area, clWhite, TColor(0x808080));
    };
    // Written at (3, 2) of the client area, inside the two-pixel border.
    const TRect Hint = Rect(5, 4, 60, 18);
    EXPECT_GT(hint(Hint), 10);
    EXPECT_EQ(count(B.get(), Rect(0, 0, 5, 21), TColor(0x808080)), 0);
    focusEdit();
    B = render(Edit);
    EXPECT_EQ(hint(Hint), 0);
    Edit->SetEmptyTextFocused(true);
    B = render(Edit);
    EXPECT_GT(hint(Hint), 10);
    chars(QStringLiteral("x"));
    B = render(Edit);
    // The typed letter's smoothed edges are grey too: no hint past it.
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Edit->Font());
    EXPECT_EQ(
        hint(Rect(Hint.Left + Measure.Canvas()->TextWidth(QStringLiteral("x")) + 1, Hint.Top, Hint.Right, Hint.Bottom)),
        0);
}

TEST_F(DropDownPaintingTest, AnEditThatTakesNoTypingShowsItsFocusAsASelection) {
    Edit->SetText(QStringLiteral("value"));
    Edit->SetEditorEnabled(false);
    focusEdit();
    auto B = render(Edit);
    const TColor Highlight = ColorToRGB(clHighlight);
    const int Right = 200 - 17 - 1;  // one pixel left of the button
    EXPECT_EQ(B->Canvas()->Pixels(2, 2), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(Right - 1, 10), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(2, 18), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(Right - 2, 16), Highlight);
    EXPECT_NE(B->Canvas()->Pixels(Right, 10), Highlight);
    EXPECT_GT(InkPixels([&](int X, int Y) { return B->Canvas()->Pixels(X, Y); }, Rect(3, 3, 60, 18), Highlight,
                        ColorToRGB(clHighlightText)),
              5);
    // Unfocused, the look goes.
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetTop(100);
    Other->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return !Edit->Focused(); }));
    B = render(Edit);
    EXPECT_EQ(count(B.get(), Rect(3, 3, 60, 18), Highlight), 0);
}

}  // namespace
