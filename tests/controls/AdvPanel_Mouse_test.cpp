#include "components/controls/AdvPanel.h"

#include "framework/os/ShellAPI.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// The smallest rectangle holding every pixel of one colour (empty when there is none).
TRect colourBounds(TBitmap* B, TColor Color) {
    TRect R{B->Width(), B->Height(), 0, 0};
    for (int Y = 0; Y < B->Height(); ++Y)
        for (int X = 0; X < B->Width(); ++X)
            if (B->Canvas()->Pixels(X, Y) == Color)
                R = Rect(std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1), std::max(R.Bottom, Y + 1));
    return R;
}

// A 200 x 100 panel with a visible top caption at (50, 40) on a 400 x 300 form.
class AdvPanelMouseTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvPanel* Panel = nullptr;
    std::vector<std::string> Events;

    void SetUp() override {
        Events.clear();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        Panel = new TAdvPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(50, 40, 200, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->Caption()->SetVisible(true);
        Panel->OnClose = [this](TObject*) { Events.push_back("close"); };
        Panel->OnCaptionClick = [this](TObject*) { Events.push_back("caption click"); };
        Panel->OnAnchorClick = [this](TObject*, const String& A) { Events.push_back("click " + A.toStdString()); };
        Panel->OnAnchorEnter = [this](TObject*, const String& A) { Events.push_back("enter " + A.toStdString()); };
        Panel->OnAnchorExit = [this](TObject*, const String& A) { Events.push_back("exit '" + A.toStdString() + "'"); };
        Panel->OnEndMoveSize = [this](TObject*) { Events.push_back("end move/size"); };
        Form->Show();
    }

    void click(int X, int Y) {
        const TWeak<TAdvPanel> Self(Panel);
        Panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        if (Self) Panel->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y));
    }
    void move(int X, int Y, WPARAM Keys = 0) { Panel->Perform(WM_MOUSEMOVE, Keys, PointToLParam(X, Y)); }
    // Drags from a client point by (DX, DY), the pointer's client coordinates following the
    // panel as it moves.
    void drag(int X, int Y, int DX, int DY) {
        const TPoint Start = Panel->ClientToScreen(Point(X, Y));
        Panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        for (int Step = 1; Step <= 2; ++Step) {
            const TPoint P = Panel->ScreenToClient(Point(Start.X + DX * Step / 2, Start.Y + DY * Step / 2));
            move(P.X, P.Y, MK_LBUTTON);
        }
        const TPoint End = Panel->ScreenToClient(Point(Start.X + DX, Start.Y + DY));
        Panel->Perform(WM_LBUTTONUP, 0, PointToLParam(End.X, End.Y));
    }
    // A client point on the text where AnchorAt finds Anchor.
    TPoint pointOn(const String& Anchor) {
        TRect R;
        for (int Y = 0; Y < Panel->Height(); Y += 2)
            for (int X = 0; X < Panel->Width(); X += 2)
                if (Panel->AnchorAt(X, Y, R) == Anchor) return Point(X, Y);
        ADD_FAILURE() << "no anchor " << Anchor.toStdString();
        return Point(-1, -1);
    }

    TWeak<TAdvPanel> Alive;
};

TEST_F(AdvPanelMouseTest, CaptionButtonsAndClicks) {
    struct Case {
        const char* Name;
        bool Close, MinMax, MinMaxCaption, CaptionVisible;
        int X;
        bool Visible, Collapsed;
        std::vector<std::string> Events;
    };
    const Case Cases[] = {
        {"close button", true, false, false, true, 190, false, false, {"close"}},
        {"collapse button", true, true, false, true, 180, true, true, {"caption click"}},
        {"collapse button with caption toggling", true, true, true, true, 180, true, true, {"caption click"}},
        {"caption toggling", false, false, true, true, 60, true, true, {"caption click"}},
        {"plain caption", false, false, false, true, 60, true, false, {"caption click"}},
        {"hidden caption", true, true, true, false, 190, true, false, {}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        Panel->Caption()->SetCloseButton(C.Close);
        Panel->Caption()->SetMinMaxButton(C.MinMax);
        Panel->Caption()->SetMinMaxCaption(C.MinMaxCaption);
        Panel->Caption()->SetVisible(C.CaptionVisible);
        Alive = TWeak<TAdvPanel>(Panel);
        click(C.X, 5);
        EXPECT_EQ(Panel->Visible(), C.Visible);
        EXPECT_EQ(Panel->Collaps(), C.Collapsed);
        EXPECT_EQ(Events, C.Events);
    }
}

// Each caption edge and button side: the drawn cross and triangle lie inside the rectangles the
// mouse answers to, and a click there acts.
TEST_F(AdvPanelMouseTest, ButtonsAnswerWhereTheyAreDrawn) {
    struct Case {
        TCaptionPosition Position;
        TCaptionButtonPosition Side;
        TRect Close, MinMax;  // the hit rectangles on a 200 x 100 panel
    };
    const Case Cases[] = {
        {cpTop, cbpRight, Rect(186, 2, 198, 14), Rect(174, 2, 186, 14)},
        {cpTop, cbpLeft, Rect(2, 2, 14, 14), Rect(14, 2, 26, 14)},
        {cpLeft, cbpRight, Rect(2, 2, 14, 14), Rect(2, 14, 14, 26)},
        {cpLeft, cbpLeft, Rect(2, 86, 14, 98), Rect(2, 74, 14, 86)},
        {cpRight, cbpRight, Rect(186, 86, 198, 98), Rect(184, 72, 196, 84)},
        {cpRight, cbpLeft, Rect(186, 2, 198, 14), Rect(184, 14, 196, 26)},
    };
    const auto inside = [](const TRect& Inner, const TRect& Outer) {
        return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
               Inner.Bottom <= Outer.Bottom && Inner.Right > Inner.Left;
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << "position " << C.Position << ", side " << C.Side);
        TearDown();
        SetUp();
        Panel->Caption()->SetPosition(C.Position);
        Panel->Caption()->SetButtonPosition(C.Side);
        Panel->Caption()->SetColor(clNavy);
        Panel->Caption()->SetCloseButton(true);
        Panel->Caption()->SetCloseButtonColor(clRed);
        Panel->Caption()->SetMinMaxButton(true);
        Panel->Caption()->SetMinMaxButtonColor(clYellow);
        TBitmap B(200, 100);
        Panel->PaintTo(B.Canvas(), 0, 0);
        const TRect Cross = colourBounds(&B, clRed);
        const TRect Triangle = colourBounds(&B, clYellow);
        EXPECT_TRUE(inside(Cross, C.Close))
            << Cross.Left << "," << Cross.Top << "-" << Cross.Right << "," << Cross.Bottom;
        EXPECT_TRUE(inside(Triangle, C.MinMax))
            << Triangle.Left << "," << Triangle.Top << "-" << Triangle.Right << "," << Triangle.Bottom;

        const auto middle = [](const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); };
        const TPoint MinMax = middle(C.MinMax);
        click(MinMax.X, MinMax.Y);
        EXPECT_TRUE(Panel->Collaps());
        Panel->SetCollaps(false);
        const TPoint Close = middle(C.Close);
        click(Close.X, Close.Y);
        EXPECT_FALSE(Panel->Visible());
        EXPECT_EQ(Events, (std::vector<std::string>{"caption click", "close"}));
    }
}

TEST_F(AdvPanelMouseTest, ButtonsTakeTheirHoverColoursUnderThePointer) {
    TPanelCaption* C = Panel->Caption();
    C->SetCloseButton(true);
    C->SetCloseButtonColor(clWhite);
    C->SetCloseButtonHoverColor(clRed);
    C->SetMinMaxButton(true);
    C->SetMinMaxButtonColor(clWhite);
    C->SetMinMaxButtonHoverColor(clYellow);
    const auto drawn = [this](TColor Color) {
        TBitmap B(200, 100);
        Panel->PaintTo(B.Canvas(), 0, 0);
        const TRect R = colourBounds(&B, Color);
        return R.Right > R.Left;
    };
    move(190, 5);
    EXPECT_TRUE(drawn(clRed));
    EXPECT_FALSE(drawn(clYellow));
    move(180, 5);
    EXPECT_FALSE(drawn(clRed));
    EXPECT_TRUE(drawn(clYellow));
    Panel->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(drawn(clYellow)) << "leaving the panel cools the buttons";
}

TEST_F(AdvPanelMouseTest, FreeOnCloseFreesThePanelAfterItsHandler) {
    Panel->Caption()->SetCloseButton(true);
    Panel->SetFreeOnClose(true);
    Alive = TWeak<TAdvPanel>(Panel);
    bool AliveInHandler = false;
    Panel->OnClose = [&](TObject*) { AliveInHandler = Alive.get() != nullptr; };
    click(190, 5);
    EXPECT_TRUE(AliveInHandler);
    Application->ProcessMessages();
    EXPECT_FALSE(Alive);
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(AdvPanelMouseTest, APanelClosedDuringItsCollapseGoesWhenTheCollapseEnds) {
    Panel->Caption()->SetCloseButton(true);
    Panel->SetFreeOnClose(true);
    Panel->SetCollapsSteps(3);
    Alive = TWeak<TAdvPanel>(Panel);
    bool Ended = false;
    Panel->OnMinimize = [this](TObject*) { PostMessage(Panel->Handle(), WM_LBUTTONUP, 0, PointToLParam(190, 5)); };
    Panel->OnEndCollapsExpand = [&](TObject*) { Ended = Alive.get() != nullptr; };
    Panel->SetCollaps(true);
    EXPECT_TRUE(Ended) << "the panel lived through its animation";
    Application->ProcessMessages();
    EXPECT_FALSE(Alive);
}

TEST_F(AdvPanelMouseTest, AnchorsOpenOrFireAndTrackTheCursor) {
    TRecordingShellService Shell;
    TShellServiceGuard Guard(&Shell);
    Panel->SetText(QStringLiteral("<a href=\"https://q.org\">site</a> and <a href=\"local\">here</a> text"));
    Panel->SetCursor(crCross);
    const TPoint Site = pointOn(QStringLiteral("https://q.org"));
    const TPoint Here = pointOn(QStringLiteral("local"));
    click(Site.X, Site.Y);
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Shell.Last().File, QStringLiteral("https://q.org"));
    click(Here.X, Here.Y);
    EXPECT_EQ(Shell.Count(), 1);
    EXPECT_EQ(Events, (std::vector<std::string>{"click local"}));

    Events.clear();
    move(Site.X, Site.Y);
    EXPECT_EQ(Panel->Cursor(), crHandPoint);
    move(Here.X, Here.Y);
    move(Here.X, 90);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter https://q.org", "enter local", "exit ''"}));
    EXPECT_EQ(Panel->Cursor(), crCross) << "the cursor given by SetCursor returns";
}

// The anchor under a point is the one drawn there, however the body text is aligned, and in the
// caption too.
TEST_F(AdvPanelMouseTest, AnchorsAreFoundWhereTheyAreDrawn) {
    struct Case {
        const char* Name;
        TTextVAlignment Align;
        bool InCaption;
    };
    const Case Cases[] = {
        {"top", tvaTop, false},
        {"centre", tvaCenter, false},
        {"bottom", tvaBottom, false},
        {"caption", tvaTop, true},
    };
    const String Link = QStringLiteral("<a href=\"x\">link text</a>");
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Panel->SetURLColor(clRed);
        Panel->Caption()->SetColor(clNavy);
        Panel->SetTextVAlign(C.Align);
        Panel->SetText(C.InCaption ? String() : Link);
        Panel->Caption()->SetText(C.InCaption ? Link : String());
        TBitmap B(200, 100);
        Panel->PaintTo(B.Canvas(), 0, 0);
        const TRect Drawn = colourBounds(&B, clRed);
        ASSERT_GT(Drawn.Right, Drawn.Left) << "the link is drawn";
        const int Y = (Drawn.Top + Drawn.Bottom) / 2;
        TRect R;
        EXPECT_EQ(Panel->AnchorAt((Drawn.Left + Drawn.Right) / 2, Y, R), QStringLiteral("x"));
        EXPECT_TRUE(Panel->AnchorAt(Drawn.Right + 20, Y, R).isEmpty());
    }
}

TEST_F(AdvPanelMouseTest, AnchorHintShowsTheAnchorNextToThePointer) {
    Panel->SetText(QStringLiteral("<a href=\"local\">here</a>"));
    Panel->SetAnchorHint(true);
    Panel->OnAnchorHint = [](TObject*, String& Anchor) { Anchor = QStringLiteral("Go to ") + Anchor; };
    THintInfo Info;
    Info.CursorPos = pointOn(QStringLiteral("local"));
    EXPECT_EQ(Panel->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
    const TPoint Screen = Panel->ClientToScreen(Info.CursorPos);
    EXPECT_EQ(Info.HintStr, QStringLiteral("Go to local"));
    EXPECT_EQ(Info.HintPos.X, Screen.X + 10);
    EXPECT_EQ(Info.HintPos.Y, Screen.Y - 10);
}

TEST_F(AdvPanelMouseTest, TheCaptionDragsThePanelInsideItsParent) {
    Panel->SetCanMove(true);
    drag(60, 8, 40, 30);
    EXPECT_EQ(Panel->Left(), 90);
    EXPECT_EQ(Panel->Top(), 70);
    EXPECT_EQ(Events, (std::vector<std::string>{"end move/size"})) << "one end per drag, and no caption click";
    drag(60, 8, 1000, 1000);
    EXPECT_EQ(Panel->Left(), Form->ClientWidth() - 200);
    EXPECT_EQ(Panel->Top(), Form->ClientHeight() - 100);
    drag(60, 8, -1000, -1000);
    EXPECT_EQ(Panel->Left(), 0);
    EXPECT_EQ(Panel->Top(), 0);

    // Not from an anchor in the caption, and not with FixedLeft sideways.
    Panel->Caption()->SetText(QStringLiteral("<a href=\"x\">anchor</a>"));
    const TPoint OnAnchor = pointOn(QStringLiteral("x"));
    drag(OnAnchor.X, OnAnchor.Y, 30, 30);
    EXPECT_EQ(Panel->Left(), 0);
    Panel->SetFixedLeft(true);
    drag(150, 8, 30, 30);
    EXPECT_EQ(Panel->Left(), 0);
    EXPECT_EQ(Panel->Top(), 30);
}

TEST_F(AdvPanelMouseTest, AMovableAndSizablePanelSharesThePointerBetweenCaptionAndEdges) {
    Panel->SetCanMove(true);
    Panel->SetCanSize(true);
    struct Step {
        int X, Y;
        TCursor Cursor;
    };
    for (const Step& S : {Step{60, 8, crDefault}, Step{198, 98, crSizeNWSE}, Step{198, 50, crSizeWE},
                          Step{100, 98, crSizeNS}, Step{100, 50, crDefault}}) {
        move(S.X, S.Y);
        EXPECT_EQ(Panel->Cursor(), S.Cursor) << S.X << "," << S.Y;
    }
    drag(60, 8, 10, 10);
    EXPECT_EQ(Panel->Left(), 60);
    EXPECT_EQ(Panel->Top(), 50);
    drag(198, 98, 10, 10);
    EXPECT_EQ(Panel->Width(), 210);
    EXPECT_EQ(Panel->Height(), 110);
}

TEST_F(AdvPanelMouseTest, EdgesSizeThePanelWithinTheFixedRules) {
    struct Case {
        const char* Name;
        int X, Y;
        bool FixedWidth, Collapsed;
        int Width, Height;
    };
    const Case Cases[] = {
        {"corner", 198, 98, false, false, 230, 130},
        {"corner with a fixed width", 198, 98, true, false, 200, 130},
        {"right edge", 198, 50, false, false, 230, 100},
        {"no edges while collapsed", 198, 15, false, true, 200, 18},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        Panel->SetCanSize(true);
        Panel->SetFixedWidth(C.FixedWidth);
        Panel->SetCollaps(C.Collapsed);
        drag(C.X, C.Y, 30, 30);
        EXPECT_EQ(Panel->Width(), C.Width);
        EXPECT_EQ(Panel->Height(), C.Height);
        if (!C.Collapsed) {
            EXPECT_EQ(Panel->FullHeight(), C.Height) << "sizing sets the expanded extent";
        }
    }
}

TEST_F(AdvPanelMouseTest, DoubleClickOnTheCaption) {
    int DoubleClicks = 0;
    Panel->OnCaptionDBlClick = [&](TObject*) { ++DoubleClicks; };
    Panel->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(50, 5));
    Panel->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(50, 50));
    EXPECT_EQ(DoubleClicks, 1);
}

}  // namespace
