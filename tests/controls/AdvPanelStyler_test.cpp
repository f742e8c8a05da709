#include "components/controls/AdvPanelStyler.h"

#include "framework/rtl/Registry.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPalette>
#include <iterator>

namespace {

// Counts the settings it is given.
class TCountingPanel : public TAdvPanel {
public:
    using TAdvPanel::TAdvPanel;
    int Applied = 0;
    void ApplySettings(TAdvPanelSettings* Settings) override {
        ++Applied;
        TAdvPanel::ApplySettings(Settings);
    }
};

class AdvPanelStylerTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvPanelStyler* Styler = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        Styler = new TAdvPanelStyler(Form.get());
    }
    TCountingPanel* panel(TComponent* Owner) {
        auto* P = new TCountingPanel(Owner);
        P->SetParent(Form.get());
        return P;
    }
};

// The looks, transcribed from the style tables: body, caption and status bar colours.
struct StyleRow {
    TAdvPanelStyle Style;
    TColor Color, ColorTo, BorderColor, CaptionColor, CaptionColorTo, StatusColor, StatusColorTo;
    bool Shadow;
};

const StyleRow kStyleRows[] = {
    {psXP, clWhite, 0xE3F0F2, clGray, clHighlight, clBlue, 0xE3F0F2, clWhite, true},
    {psFlat, clBtnFace, clNone, clGray, clHighlight, clNone, clBtnFace, clNone, false},
    {psTessel, clWhite, 0xE4E4E4, clGray, clWhite, clNone, 0xDEDEDE, 0xA9A9A9, true},
    {psClassic, clBtnFace, clNone, clGray, clWhite, clNone, clBtnFace, clNone, false},
    {psOffice2003Blue, 0xFDEADA, 0xE4AE88, clGray, 0xD68759, 0x933803, 0xE08F65, 0xF9DBC4, false},
    {psOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clGray, 0xC6EFE7, 0x94BDB5, 0x80B0A1, 0xD3E4E3, false},
    {psOffice2003Silver, 0xECE2E1, 0xB39698, clGray, 0xEFE7E7, 0xAA8888, 0xBFA8A9, 0xDECFCF, false},
    {psOffice2003Classic, clWhite, 0xC9D1D5, clGray, clHighlight, clBlue, 0xE3F0F2, clWhite, true},
    {psOffice2007Luna, 0xFAF1E9, 0xEDD8C7, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0xF7E3D3, 0xF5D0B3, false},
    {psOffice2007Obsidian, 0xCFC6C1, 0xC5BBB4, 0xFFD2AF, 0xB8B8B6, 0xA0A09E, 0xA19F9E, 0x534D4B, false},
    {psWhidbey, clWhite, 0xE3F0F2, clGray, 0xF3F7F8, 0xACC3C3, 0xE3F0F2, clWhite, true},
    {psWindowsXP, clBtnFace, clNone, clGray, clHighlight, clNone, clBtnFace, clNone, false},
    {psOffice2007Silver, 0xF9F5F3, 0xE7DCD5, 0xFFD2AF, 0xF8F7F6, 0xE8E0DB, 0xFAEEEB, 0xE5DBD7, false},
    {psWindowsVista, 0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFDF8F1, 0xFCEFD5, 0xFDF8F1, 0xFCEFD5, false},
    {psWindows7, 0xFDFBFA, 0xFDF3EB, 0xFFD2AF, 0xFCEBDC, 0xFCDBC1, 0xFCEBDC, 0xFCDBC1, false},
    {psTerminal, clBtnFace, clNone, clGray, clSilver, clNone, clSilver, clNone, false},
    {psOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0xFDF6EF, 0xF0DAC7, false},
    {psOffice2010Silver, clWhite, 0xEDE5E0, 0xD2CDC8, clWhite, 0xEDE5E0, clWhite, 0xEDE5E0, false},
    {psOffice2010Black, 0xBFBFBF, 0x919191, 0x6D6D6D, 0xBFBFBF, 0x919191, 0xBFBFBF, 0x919191, false},
    {psWindows8, clWhite, clNone, clNone, 0xEEEEEE, clNone, 0xEEEEEE, clNone, false},
    {psOffice2013White, clWhite, clNone, clNone, 0xEEEEEE, clNone, 0xEEEEEE, clNone, false},
    {psOffice2013LightGray, clWhite, clNone, clNone, 0xF6F6F6, clNone, 0xF6F6F6, clNone, false},
    {psOffice2013Gray, clWhite, clNone, clNone, 0xE5E5E5, clNone, 0xE5E5E5, clNone, false},
    {psWindows10, clWhite, clNone, clNone, 0xEEEEEE, clNone, 0xEEEEEE, clNone, false},
    {psOffice2016White, clWhite, clNone, clNone, 0xD4D4D4, clNone, clWhite, clNone, false},
    {psOffice2016Gray, 0xB2B2B2, clNone, clNone, 0x444444, clNone, 0x444444, clNone, false},
    {psOffice2016Black, 0x363636, clNone, clNone, 0x444444, clNone, 0x444444, clNone, false},
};
static_assert(std::size(kStyleRows) == 27, "every style but psCustom");

TEST_F(AdvPanelStylerTest, EachStyleWritesItsLook) {
    for (const StyleRow& R : kStyleRows) {
        SCOPED_TRACE(static_cast<int>(R.Style));
        Styler->SetStyle(R.Style);
        const TAdvPanelSettings* S = Styler->Settings();
        EXPECT_EQ(S->Color(), R.Color);
        EXPECT_EQ(S->ColorTo(), R.ColorTo);
        EXPECT_EQ(S->BorderColor(), R.BorderColor);
        EXPECT_EQ(S->BorderShadow(), R.Shadow);
        EXPECT_EQ(S->Caption()->Color(), R.CaptionColor);
        EXPECT_EQ(S->Caption()->ColorTo(), R.CaptionColorTo);
        EXPECT_EQ(S->StatusBar()->Color(), R.StatusColor);
        EXPECT_EQ(S->StatusBar()->ColorTo(), R.StatusColorTo);
        EXPECT_EQ(S->BevelInner(), bvNone);
        EXPECT_EQ(S->BorderStyle(), bsNone);
        EXPECT_EQ(S->Caption()->ShadeType(), R.Style == psTessel ? stRMetal : stNormal);
    }
    // psCustom writes nothing over the last look.
    Styler->SetStyle(psCustom);
    EXPECT_EQ(Styler->Settings()->Color(), 0x363636);
}

// The rest of each look; Keep, -1 and KeepDirection: the value the settings held stays.
constexpr TColor Keep = 0x123456;
constexpr int KeepDirection = -1;
using advpanel::gdHorizontal;
using advpanel::gdVertical;

struct StyleDetail {
    TAdvPanelStyle Style;
    TColor Mirror, MirrorTo, FontColor;
    TBevelCut BevelOuter;
    TColor CollapsColor, CaptionFontColor;
    advpanel::TGradientDirection CaptionDirection;
    int CaptionIndent, CaptionHeight, CaptionVisible, ShadeLight, ShadeGrain;
    TColor StatusFontColor, StatusBorderColor;
    TBorderStyle StatusBorderStyle;
    bool StatusBevelInner;
    int StatusDirection;
};

// clang-format off
const StyleDetail kStyleDetails[] = {
    {psXP, clNone, clNone, Keep, bvNone, clBtnFace, clHighlightText, gdHorizontal, 2, 20, -1, -1, -1, clBlack, clSilver, bsSingle, false, KeepDirection},
    {psFlat, clNone, clNone, clWindowText, bvNone, clBtnFace, clHighlightText, gdHorizontal, 0, 20, -1, -1, -1, clBlack, clSilver, bsSingle, false, KeepDirection},
    {psTessel, clNone, clNone, clWindowText, bvNone, clBtnFace, clBlack, gdHorizontal, 4, 20, 1, 255, 32, clBlack, clWhite, bsSingle, false, KeepDirection},
    {psClassic, clNone, clNone, clWindowText, bvRaised, clBtnFace, clBlack, gdHorizontal, -1, -1, 0, 255, 32, clBlack, clNone, bsNone, true, KeepDirection},
    {psOffice2003Blue, clNone, clNone, clWindowText, bvNone, clNone, clWhite, gdVertical, -1, -1, -1, 255, 32, clWhite, clNone, bsSingle, false, KeepDirection},
    {psOffice2003Olive, clNone, clNone, clWindowText, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, KeepDirection},
    {psOffice2003Silver, clNone, clNone, clWindowText, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, KeepDirection},
    {psOffice2003Classic, clNone, clNone, Keep, bvNone, clBtnFace, clHighlightText, gdHorizontal, 2, 20, -1, -1, -1, clBlack, clSilver, bsSingle, false, KeepDirection},
    {psOffice2007Luna, 0xEDD8C7, 0xFFF2E7, 0x723708, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, 0x723708, 0xFFD2AF, bsSingle, false, gdVertical},
    {psOffice2007Obsidian, 0xC5BBB4, 0xECECE5, 0x723708, bvNone, clNone, clWhite, gdVertical, -1, -1, -1, 255, 32, clWhite, clBlack, bsSingle, false, gdVertical},
    {psWhidbey, clNone, clNone, Keep, bvNone, clBtnFace, clBlack, gdVertical, 2, 20, -1, -1, -1, clBlack, clSilver, bsSingle, false, KeepDirection},
    {psWindowsXP, clNone, clNone, clWindowText, bvRaised, clBtnFace, clHighlightText, gdHorizontal, -1, -1, 0, 255, 32, clBlack, clNone, bsNone, true, KeepDirection},
    {psOffice2007Silver, 0xE7DCD5, 0xFBFAF0, 0x723708, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, 0x723708, clBlack, bsSingle, false, gdVertical},
    {psWindowsVista, clNone, clNone, 0x723708, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, 0x723708, 0xFDDE99, bsSingle, false, gdVertical},
    {psWindows7, clNone, clNone, 0x723708, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, 0x723708, 0xCEA27D, bsSingle, false, gdVertical},
    {psTerminal, clNone, clNone, clBlack, bvNone, clHighlight, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clBlack, bsSingle, false, gdVertical},
    {psOffice2010Blue, clNone, clNone, clBlack, bvNone, clNone, 0x5B391E, gdVertical, -1, -1, -1, 255, 32, 0x5B391E, 0xFDF6EF, bsSingle, false, gdVertical},
    {psOffice2010Silver, clNone, clNone, clBlack, bvNone, clNone, 0x5B391E, gdVertical, -1, -1, -1, 255, 32, 0x5B391E, 0xF7F3F0, bsSingle, false, gdVertical},
    {psOffice2010Black, clNone, clNone, clBlack, bvNone, clNone, 0xD7D7D6, gdVertical, -1, -1, -1, 255, 32, 0xD7D7D6, 0xBFBFBF, bsSingle, false, gdVertical},
    {psWindows8, clNone, clNone, clBlack, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, gdVertical},
    {psOffice2013White, clNone, clNone, clBlack, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, gdVertical},
    {psOffice2013LightGray, clNone, clNone, clBlack, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, gdVertical},
    {psOffice2013Gray, clNone, clNone, clBlack, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, gdVertical},
    {psWindows10, clNone, clNone, clBlack, bvNone, clNone, clBlack, gdVertical, -1, -1, -1, 255, 32, clBlack, clNone, bsSingle, false, gdVertical},
    {psOffice2016White, clNone, clNone, 0x444444, bvNone, clNone, 0x444444, gdVertical, -1, -1, -1, 255, 32, 0x444444, clNone, bsSingle, false, gdVertical},
    {psOffice2016Gray, clNone, clNone, 0x262626, bvNone, clNone, 0xF0F0F0, gdVertical, -1, -1, -1, 255, 32, 0xF0F0F0, clNone, bsSingle, false, gdVertical},
    {psOffice2016Black, clNone, clNone, clBlack, bvNone, clNone, 0xF0F0F0, gdVertical, -1, -1, -1, 255, 32, 0xF0F0F0, clNone, bsSingle, false, gdVertical},
};
// clang-format on
static_assert(std::size(kStyleDetails) == 27, "every style but psCustom");

TEST_F(AdvPanelStylerTest, EachStyleWritesTheRestOfItsLookAndLeavesTheOtherValues) {
    for (const StyleDetail& R : kStyleDetails) {
        SCOPED_TRACE(static_cast<int>(R.Style));
        TAdvPanelStyler Fresh(nullptr);
        TAdvPanelSettings* S = Fresh.Settings();
        S->Font()->SetColor(Keep);
        S->Caption()->SetIndent(7);
        S->Caption()->SetHeight(33);
        S->Caption()->SetVisible(true);
        S->Caption()->SetShadeLight(222);
        S->Caption()->SetShadeGrain(11);
        S->StatusBar()->SetGradientDirection(gdVertical);
        Fresh.SetStyle(R.Style);
        EXPECT_EQ(S->ColorMirror(), R.Mirror);
        EXPECT_EQ(S->ColorMirrorTo(), R.MirrorTo);
        EXPECT_EQ(S->Font()->Color(), R.FontColor);
        EXPECT_EQ(S->BevelOuter(), R.BevelOuter);
        EXPECT_EQ(S->CollapsColor(), R.CollapsColor);
        const TPanelCaption* C = S->Caption();
        EXPECT_EQ(C->Font()->Color(), R.CaptionFontColor);
        EXPECT_EQ(C->GradientDirection(), R.CaptionDirection);
        EXPECT_EQ(C->Indent(), R.CaptionIndent < 0 ? 7 : R.CaptionIndent);
        EXPECT_EQ(C->Height(), R.CaptionHeight < 0 ? 33 : R.CaptionHeight);
        EXPECT_EQ(C->Visible(), R.CaptionVisible < 0 || R.CaptionVisible == 1);
        EXPECT_EQ(C->ShadeLight(), R.ShadeLight < 0 ? 222 : R.ShadeLight);
        EXPECT_EQ(C->ShadeGrain(), R.ShadeGrain < 0 ? 11 : R.ShadeGrain);
        const TPanelStatusBar* B = S->StatusBar();
        EXPECT_EQ(B->Font()->Color(), R.StatusFontColor);
        EXPECT_EQ(B->BorderColor(), R.StatusBorderColor);
        EXPECT_EQ(B->BorderStyle(), R.StatusBorderStyle);
        EXPECT_EQ(B->BevelInner(), R.StatusBevelInner);
        EXPECT_EQ(B->GradientDirection(), R.StatusDirection == KeepDirection
                                              ? gdVertical
                                              : static_cast<advpanel::TGradientDirection>(R.StatusDirection));
    }
}

TEST_F(AdvPanelStylerTest, ANewStylerHoldsTheXPLook) {
    EXPECT_EQ(Styler->Style(), psXP);
    EXPECT_FALSE(Styler->AutoThemeAdapt());
    EXPECT_EQ(Styler->Settings()->Color(), clWhite);
    EXPECT_EQ(Styler->Settings()->Caption()->ColorTo(), clBlue);
    EXPECT_EQ(Styler->Settings()->Caption()->Indent(), 2);
}

TEST_F(AdvPanelStylerTest, ComponentStylesMapToTheirNamesakes) {
    Styler->SetComponentStyle(tsCustom);
    EXPECT_EQ(Styler->Style(), psOffice2003Blue);
    Styler->SetComponentStyle(tsOffice2013Gray);
    EXPECT_EQ(Styler->Style(), psOffice2013Gray);
    Styler->SetComponentStyleAndAppColor(tsOffice2016White, 0x00FF00);
    EXPECT_EQ(Styler->Settings()->StatusBar()->Color(), 0x00FF00);
    Styler->SetStyle(psOffice2016White);
    EXPECT_EQ(Styler->Settings()->StatusBar()->Color(), clWhite);
}

TEST_F(AdvPanelStylerTest, OnlyTheOwnersPanelsNamingTheStylerFollowOncePerChange) {
    TCountingPanel* Follower = panel(Form.get());
    TCountingPanel* Other = panel(Form.get());
    auto* Elsewhere = new TComponent(nullptr);
    TCountingPanel* Foreign = panel(Elsewhere);
    Follower->SetStyler(Styler);
    Foreign->SetStyler(Styler);
    EXPECT_EQ(Follower->Applied, 1) << "setting the styler applies it";
    Styler->SetStyle(psOffice2007Luna);
    EXPECT_EQ(Follower->Applied, 2) << "one propagation per style";
    EXPECT_EQ(Follower->Color(), static_cast<TColor>(0xFAF1E9));
    EXPECT_EQ(Other->Applied, 0);
    EXPECT_EQ(Foreign->Applied, 1) << "owned elsewhere: only its own setting of the styler";
    Styler->Settings()->SetIndent(9);
    EXPECT_EQ(Follower->Indent(), 9);
    Foreign->Free();
    Elsewhere->Free();

    Styler->Free();
    EXPECT_EQ(Follower->Styler(), nullptr) << "a freed styler is dropped";
}

TEST_F(AdvPanelStylerTest, ColourTonesMakeTheStyleCustom) {
    TCountingPanel* Follower = panel(Form.get());
    Follower->SetStyler(Styler);
    TColorTones Tones;
    ClearColorTones(Tones);
    Tones.Selected = {0x112233, clNone, 0x445566};
    Tones.Background = {0x778899, clNone, 0x010203};
    Tones.Foreground = {0x0A0B0C, clNone, 0x0D0E0F};
    Styler->SetColorTones(Tones);
    EXPECT_EQ(Styler->Style(), psCustom);
    EXPECT_EQ(Follower->Caption()->Color(), 0x112233);
    EXPECT_EQ(Follower->Color(), 0x778899);
    EXPECT_EQ(Follower->StatusBar()->Color(), 0x0A0B0C);
    EXPECT_TRUE(Follower->Caption()->Flat());
}

TEST_F(AdvPanelStylerTest, AssignCopiesAndReappliesTheStyle) {
    auto* Source = new TAdvPanelStyler(Form.get());
    Source->SetStyle(psTerminal);
    Source->Settings()->SetIndent(5);
    Source->SetComments(QStringLiteral("notes"));
    Styler->Assign(Source);
    EXPECT_EQ(Styler->Style(), psTerminal);
    EXPECT_EQ(Styler->Settings()->Indent(), 5) << "values the style does not write survive";
    EXPECT_EQ(Styler->Comments(), QStringLiteral("notes"));
    EXPECT_EQ(Styler->Settings()->CollapsColor(), clHighlight);
}

TEST_F(AdvPanelStylerTest, AThemeChangeReadaptsTheStyle) {
    TempFolder Folder;
    SetRegistryFolder(Folder.Path());
    Form->HandleNeeded();
    ASSERT_NE(Styler->NotifierWnd(), nullptr);
    Styler->SetAutoThemeAdapt(true);
    EXPECT_EQ(Styler->Style(), psCustom) << "no Office installed";
    Styler->SetStyle(psOffice2010Blue);

    // Office 2016 in its dark grey look appears; the desktop's theme change tells the styler.
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Microsoft\\Office\\16.0\\Common\\General"), true));
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Microsoft\\Office\\16.0\\Common"), false));
    Reg.WriteInteger(QStringLiteral("UI Theme"), 5);
    Reg.CloseKey();
    const QPalette Old = QApplication::palette();
    QPalette Changed = Old;
    Changed.setColor(QPalette::Window, Qt::darkGreen);
    QApplication::setPalette(Changed);
    Application->ProcessMessages();
    EXPECT_EQ(Styler->Style(), psOffice2016Gray);
    QApplication::setPalette(Old);
    Application->ProcessMessages();
    SetRegistryFolder(String());
}

TEST(AdvPanelSettings, UpdatesGatherIntoOneChangeAndAssignIsSilent) {
    TAdvPanelSettings S;
    int Changes = 0;
    S.OnChange = [&](TObject*) { ++Changes; };
    S.SetColor(clRed);
    S.SetColor(clRed);
    EXPECT_EQ(Changes, 1);
    S.BeginUpdate();
    S.SetColor(clBlue);
    S.Caption()->SetColor(clGreen);
    S.StatusBar()->SetColor(clYellow);
    EXPECT_EQ(Changes, 1);
    S.EndUpdate();
    EXPECT_EQ(Changes, 2);
    S.EndUpdate();
    EXPECT_EQ(Changes, 2) << "an unmatched EndUpdate does nothing";
    TAdvPanelSettings Copy;
    Copy.OnChange = [&](TObject*) { ++Changes; };
    Copy.Assign(&S);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Copy.Color(), clBlue);
    EXPECT_EQ(Copy.Caption()->Color(), clGreen);
}

}  // namespace
