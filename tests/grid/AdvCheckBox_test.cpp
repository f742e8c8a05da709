// The grid's check box by the messages a user's mouse and keys send: toggling rules, read-only,
// the box's place themed and classic, and how it looks.
#include "components/grid/AdvCheckBox.h"

#include "components/graphics/BtnXPVS.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/graphics/ThemeLoaderTestSupport.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/RecordingTheme.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class AdvCheckBoxTest : public PanelFixture {
protected:
    AdvCheckBoxTest() : PanelFixture(300, TTestPointer::FarAway) {}

    TPlatformFactsScope Facts;
    std::vector<std::string> Events;

    TAdvCheckBox* make() {
        auto* C = new TAdvCheckBox(Form.get());
        C->SetParent(Panel);
        C->SetLeft(10);
        C->SetTop(10);
        C->OnClick = [this](TObject*) { Events.push_back("click"); };
        C->OnKeyUp = [this](TObject*, Word& Key, TShiftState) { Events.push_back("keyup " + std::to_string(Key)); };
        return C;
    }
    void showAndFocus(TWinControl* C) {
        Form->Show();
        C->SetFocus();
        for (int I = 0; I < 20 && !C->Focused(); ++I) Application->ProcessMessages();
        ASSERT_TRUE(C->Focused());
    }
    static void press(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    static void release(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    static void keyDown(TControl* C, Word Key) { C->Perform(WM_KEYDOWN, Key, 0); }
    static void keyUp(TControl* C, Word Key) { C->Perform(WM_KEYUP, Key, 0); }
};

TEST_F(AdvCheckBoxTest, MadeInCode) {
    auto* C = make();
    EXPECT_EQ(C->Width(), 98);
    EXPECT_EQ(C->Height(), 20);
    EXPECT_EQ(C->Caption(), QStringLiteral("TAdvCheckBox"));
    EXPECT_EQ(C->State(), cbUnchecked);
    EXPECT_FALSE(C->Checked());
}

TEST_F(AdvCheckBoxTest, EachWayToToggleAndReadOnly) {
    enum Way { Mouse, Space, Accelerator };
    const struct {
        const char* Name;
        Way How;
        bool ReadOnly;
        bool Checked;
    } Cases[] = {
        {"mouse", Mouse, false, true},
        {"mouse read-only", Mouse, true, false},
        {"space", Space, false, true},
        {"space read-only", Space, true, false},
        {"accelerator", Accelerator, false, true},
        {"accelerator read-only", Accelerator, true, false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto* C = make();
        C->SetCaption(QStringLiteral("&Match case"));
        C->SetReadOnly(Case.ReadOnly);
        showAndFocus(C);
        switch (Case.How) {
            case Mouse:
                press(C, 5, 8);
                release(C, 5, 8);
                break;
            case Space:
                keyDown(C, VK_SPACE);
                keyUp(C, VK_SPACE);
                break;
            case Accelerator:
                C->Perform(CM_DIALOGCHAR, 'M', 0);
                break;
        }
        EXPECT_EQ(C->Checked(), Case.Checked);
        C->SetChecked(true);  // code still sets it
        EXPECT_TRUE(C->Checked());
        C->Free();
    }
}

TEST_F(AdvCheckBoxTest, APressReleasedOutsideDoesNotToggle) {
    auto* C = make();
    showAndFocus(C);
    press(C, 5, 8);
    EXPECT_TRUE(C->Down());
    C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(150, 8));
    EXPECT_FALSE(C->Down());
    release(C, 150, 8);
    EXPECT_FALSE(C->Checked());
    EXPECT_TRUE(Events.empty());
    // The edge still counts as inside.
    press(C, 5, 8);
    release(C, C->Width(), C->Height());
    EXPECT_TRUE(C->Checked());
    EXPECT_EQ(Events, std::vector<std::string>{"click"});
}

TEST_F(AdvCheckBoxTest, SpaceTogglesOnRelease) {
    auto* C = make();
    showAndFocus(C);
    keyDown(C, VK_SPACE);
    EXPECT_TRUE(C->Down());
    EXPECT_FALSE(C->Checked());
    keyUp(C, VK_SPACE);
    EXPECT_FALSE(C->Down());
    EXPECT_TRUE(C->Checked());
    keyDown(C, 'A');
    keyUp(C, 'A');
    EXPECT_EQ(Events, (std::vector<std::string>{"click", "keyup 32", "keyup 65"}));
}

TEST_F(AdvCheckBoxTest, GrayedTogglesToChecked) {
    auto* C = make();
    C->SetState(cbGrayed);
    C->Toggle();
    EXPECT_EQ(C->State(), cbChecked);
    C->Toggle();
    EXPECT_EQ(C->State(), cbUnchecked);
}

TEST_F(AdvCheckBoxTest, ThemedBoxPlaceAndState) {
    const TThemeLoadersReleased Released;
    const TModuleReplacement Fake(QStringLiteral("uxtheme.dll"), recordingTheme());
    BtnXPVS.BindThemeFunctions();
    const struct {
        const char* Name;
        TLeftRight Side;
        TTextLayout VAlign;
        TCheckBoxState State;
        bool Enabled, Down, Hot;
        int ThemeState;
        TRect R;
    } Cases[] = {
        {"left top", taLeftJustify, tlTop, cbUnchecked, true, false, false, 1, {0, 4, 14, 18}},
        {"right top at x 83", taRightJustify, tlTop, cbChecked, true, false, false, 5, {83, 4, 97, 18}},
        {"centre, hot", taLeftJustify, tlCenter, cbUnchecked, true, false, true, 2, {0, 4, 14, 18}},
        {"bottom, pressed wins over hot", taRightJustify, tlBottom, cbChecked, true, true, true, 7, {83, 6, 97, 20}},
        {"grayed, disabled wins", taLeftJustify, tlTop, cbGrayed, false, true, false, 12, {0, 4, 14, 18}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        ThemeCalls.clear();
        auto* C = make();
        C->SetAlignment(Case.Side);
        C->SetButtonVertAlign(Case.VAlign);
        C->SetState(Case.State);
        C->SetDown(Case.Down);
        if (Case.Hot) C->Perform(CM_MOUSEENTER, 0, 0);
        C->SetEnabled(Case.Enabled);
        render();
        ASSERT_FALSE(ThemeCalls.empty());
        EXPECT_EQ(ThemeCalls.back().Part, 3);
        EXPECT_EQ(ThemeCalls.back().State, Case.ThemeState);
        EXPECT_EQ(ThemeCalls.back().R, Case.R);
        EXPECT_EQ(C->BoxRect(), Case.R);
        C->Free();
    }
}

TEST_F(AdvCheckBoxTest, ClassicBoxWithoutVisualStyles) {
    PlatformFacts().MajorVersion = 5;
    PlatformFacts().MinorVersion = 0;
    auto* C = make();
    EXPECT_EQ(C->BoxRect(), Rect(0, 4, 13, 17));
    C->SetAlignment(taRightJustify);
    C->SetButtonVertAlign(tlBottom);
    EXPECT_EQ(C->BoxRect(), Rect(85, 3, 98, 16));
    // Drawn: the box's sunken frame shows at its place, the caption to its left.
    C->SetChecked(true);
    auto B = render();
    EXPECT_NE(B->Canvas()->Pixels(10 + 85, 10 + 3), clWhite);
    EXPECT_EQ(B->Canvas()->Pixels(10 + 84, 10 + 10), clWhite);
}

TEST_F(AdvCheckBoxTest, LooksRight) {
    auto* A = make();
    A->SetCaption(QStringLiteral("Match case"));
    A->SetChecked(true);
    auto* B = make();
    B->SetTop(40);
    B->SetAlignment(taRightJustify);
    B->SetCaption(QStringLiteral("Right side"));
    auto* D = make();
    D->SetTop(70);
    D->SetCaption(QStringLiteral("Disabled, grayed"));
    D->SetState(cbGrayed);
    D->SetEnabled(false);
    auto Bitmap = render();
    if (const char* Out = std::getenv("QVD_RENDER_DIR")) {
        const QString Path = QString::fromLocal8Bit(Out) + QStringLiteral("/advcheckbox");
        Bitmap->SaveToFile(Path + QStringLiteral(".bmp"));
        QImage(Path + QStringLiteral(".bmp")).scaled(600, 200).save(Path + QStringLiteral(".png"));
    }
    // Each caption's ink lies right of a left box and left of a right box.
    const auto inkIn = [&](const TRect& R) {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Bitmap->Canvas()->Pixels(X, Y) != clWhite) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(Rect(10 + 15, 10 + 4, 10 + 90, 10 + 20)));
    EXPECT_TRUE(inkIn(Rect(10, 10 + 4, 10 + 14, 10 + 18)));
    EXPECT_TRUE(inkIn(Rect(10 + 83, 40 + 4, 10 + 97, 40 + 18)));
    EXPECT_FALSE(inkIn(Rect(10, 40 + 4, 10 + 6, 40 + 18)));
}

}  // namespace
