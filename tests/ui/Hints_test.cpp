#include "framework/ui/HintWindow.h"

#include "framework/rtl/Clock.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A control that records the CM_HINTSHOW records it gets and may answer them.
class THintedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::function<LRESULT(THintInfo& Info)> OnHintShow;
    std::vector<THintInfo> Seen;
    int PausesAsked = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CM_HINTSHOW) {
            THintInfo& Info = *reinterpret_cast<THintInfo*>(Message.LParam);
            Seen.push_back(Info);
            if (OnHintShow) Message.Result = OnHintShow(Info);
            return;
        }
        if (Message.Msg == CM_HINTSHOWPAUSE) ++PausesAsked;
        TCustomControl::Dispatch(Message);
    }
};

// A replacement hint window: a fixed size, and the rectangles it was shown in.
class TRecordingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    std::vector<TRect> Shown;
    TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override { return Rect(0, 0, 40, 16); }
    void ActivateHint(TRect R, const String& AHint) override {
        Shown.push_back(R);
        THintWindow::ActivateHint(R, AHint);
    }
};

class HintsTest : public ::testing::Test {
public:  // the case tables reach the fixture through a reference
    FakeClock Clock;
    TForm* Form = nullptr;
    THintedControl* Panel = nullptr;   // (10, 10, 200, 120) on the form
    THintedControl* Button = nullptr;  // (10, 10, 80, 30) on the panel, hint "Save", ShowHint on
    THintedControl* Other = nullptr;   // (100, 10, 80, 30) on the panel, hint "Other", ShowHint on
    THintedControl* Plain = nullptr;   // (10, 60, 80, 30) on the panel, no hint, ShowHint off

    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(50, 50, 300, 200);
        Panel = make(Form, Bounds(10, 10, 200, 120), QString(), false);
        Button = make(Panel, Bounds(10, 10, 80, 30), QStringLiteral("Save"), true);
        Other = make(Panel, Bounds(100, 10, 80, 30), QStringLiteral("Other"), true);
        Plain = make(Panel, Bounds(10, 60, 80, 30), QString(), false);
        Form->Show();
    }

    void TearDown() override {
        Application->CancelHint();
        Application->OnShowHint = nullptr;
        Application->SetHintWindowClass(nullptr);
        Application->SetShowHint(true);
        Application->SetHintColor(clInfoBk);
        Screen->ResetOverrides();
        Mouse->ResetCursorPos();
        Form->Free();
    }

    THintedControl* make(TWinControl* Parent, const TRect& R, const String& Hint, bool ShowHint) {
        auto* C = new THintedControl(Form);
        C->SetParent(Parent);
        C->SetBoundsRect(R);
        C->SetHint(Hint);
        C->SetShowHint(ShowHint);
        return C;
    }

    // The pointer moves to (X, Y) of Control's client area.
    static void moveTo(TControl* Control, int X, int Y) {
        Mouse->SetCursorPos(Control->ClientToScreen(Point(X, Y)));
        Control->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y));
    }

    static String shownText() {
        THintWindow* W = Application->HintWindow();
        return W ? W->Caption() : QStringLiteral("<none>");
    }
};

}  // namespace

TEST_F(HintsTest, ShowsTheShortHintAfterThePauseWhenShowHintHolds) {
    struct Case {
        const char* Name;
        std::function<void(HintsTest&)> Setup;
        const char* Expected;
    };
    const Case Cases[] = {
        {"own ShowHint on", [](HintsTest&) {}, "Save"},
        {"own ShowHint off", [](HintsTest& T) { T.Button->SetShowHint(false); }, "<none>"},
        {"inherited on",
         [](HintsTest& T) {
             T.Button->SetParentShowHint(true);
             T.Panel->SetShowHint(true);
         },
         "Save"},
        {"inherited off",
         [](HintsTest& T) {
             T.Panel->SetShowHint(true);
             T.Button->SetParentShowHint(true);
             T.Panel->SetShowHint(false);
         },
         "<none>"},
        {"own setting beats the parent's",
         [](HintsTest& T) {
             T.Panel->SetShowHint(true);
             T.Button->SetShowHint(false);
         },
         "<none>"},
        {"empty hint", [](HintsTest& T) { T.Button->SetHint(QString()); }, "<none>"},
        {"short and long parts", [](HintsTest& T) { T.Button->SetHint(QStringLiteral("Open|Opens a file")); }, "Open"},
        {"disabled control", [](HintsTest& T) { T.Button->SetEnabled(false); }, "Save"},
        {"application ShowHint off", [](HintsTest&) { Application->SetShowHint(false); }, "<none>"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        C.Setup(*this);
        moveTo(Plain, 5, 5);
        moveTo(Button, 5, 5);
        Clock.Advance(499);
        EXPECT_EQ(shownText(), "<none>") << "before the pause";
        Clock.Advance(1);
        EXPECT_EQ(shownText(), C.Expected);
    }
}

TEST_F(HintsTest, TheControlFillsAndChangesTheHintRecord) {
    Button->SetHint(QStringLiteral("Save|Saves the list"));
    Button->OnHintShow = [this](THintInfo& Info) -> LRESULT {
        Info.HintStr = QStringLiteral("Changed");
        Info.HintPos = Button->ClientToScreen(Point(40, -30));
        return 0;
    };
    moveTo(Button, 7, 9);
    Clock.Advance(500);

    ASSERT_EQ(Button->Seen.size(), 1u);
    const THintInfo& Info = Button->Seen[0];
    const TPoint Pointer = Button->ClientToScreen(Point(7, 9));
    EXPECT_EQ(Info.HintControl, Button);
    EXPECT_EQ(Info.HintStr, "Save");
    EXPECT_EQ(Info.CursorPos, Point(7, 9));
    EXPECT_EQ(Info.CursorRect, Rect(0, 0, 80, 30));
    EXPECT_EQ(Info.HintPos, Point(Pointer.X, Pointer.Y + 20));
    EXPECT_EQ(Info.HintMaxWidth, Screen->Width());
    EXPECT_EQ(Info.HintColor, clInfoBk);
    EXPECT_EQ(Info.HideTimeout, 0);

    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), "Changed");
    EXPECT_EQ(Application->HintWindow()->BoundsRect().TopLeft(), Button->ClientToScreen(Point(40, -30)));
}

TEST_F(HintsTest, ANonZeroAnswerOrOnShowHintKeepsTheHintHidden) {
    struct Case {
        const char* Name;
        LRESULT Answer;
        std::function<void(String&, bool&, THintInfo&)> OnShowHint;
        const char* Expected;
    };
    const Case Cases[] = {
        {"zero answer", 0, nullptr, "Save"},
        {"non-zero answer", 1, nullptr, "<none>"},
        {"OnShowHint refuses", 0, [](String&, bool& CanShow, THintInfo&) { CanShow = false; }, "<none>"},
        {"OnShowHint rewrites", 0, [](String& S, bool&, THintInfo&) { S = QStringLiteral("Rewritten"); }, "Rewritten"},
        {"OnShowHint empties", 0, [](String& S, bool&, THintInfo&) { S.clear(); }, "<none>"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Application->CancelHint();
        const LRESULT Answer = C.Answer;
        Button->OnHintShow = [Answer](THintInfo&) { return Answer; };
        Application->OnShowHint = C.OnShowHint;
        moveTo(Button, 5, 5);
        Clock.Advance(500);
        EXPECT_EQ(shownText(), C.Expected);
    }
}

TEST_F(HintsTest, OnShowHintIsNotAskedAboutAnEmptyHint) {
    int Asked = 0;
    Application->OnShowHint = [&](String&, bool&, THintInfo&) { ++Asked; };
    Button->SetHint(QString());
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    EXPECT_EQ(Asked, 0);
    // A control may give a hint of its own though its Hint is empty (a link under the pointer).
    Application->CancelHint();
    Button->OnHintShow = [](THintInfo& Info) -> LRESULT {
        Info.HintStr = QStringLiteral("http://example.org");
        return 0;
    };
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(shownText(), "http://example.org");
}

TEST_F(HintsTest, TheHintHides) {
    struct Case {
        const char* Name;
        std::function<void(HintsTest&)> Act;
    };
    const Case Cases[] = {
        {"pointer onto a control without hint", [](HintsTest& T) { moveTo(T.Plain, 5, 5); }},
        {"pointer leaves the control", [](HintsTest& T) { T.Button->Perform(CM_MOUSELEAVE, 0, 0); }},
        {"button press", [](HintsTest& T) { T.Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }},
        {"key press", [](HintsTest& T) { T.Button->Perform(WM_KEYDOWN, 'A', 0); }},
        {"CancelHint", [](HintsTest&) { Application->CancelHint(); }},
        {"hide pause", [](HintsTest& T) { T.Clock.Advance(2500); }},
        {"application ShowHint off", [](HintsTest&) { Application->SetShowHint(false); }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        moveTo(Button, 5, 5);
        Clock.Advance(500);
        ASSERT_EQ(shownText(), "Save");
        C.Act(*this);
        EXPECT_EQ(Application->HintWindow(), nullptr);
        // Resting on, the hint does not come back by itself.
        Clock.Advance(3000);
        EXPECT_EQ(Application->HintWindow(), nullptr);
    }
}

TEST_F(HintsTest, HidePauseCountsFromTheShowAndTheControlMayChooseItsOwn) {
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    Clock.Advance(2499);
    EXPECT_EQ(shownText(), "Save");
    Clock.Advance(1);
    EXPECT_EQ(shownText(), "<none>");
    moveTo(Button, 6, 6);  // the same control: no new hint until the pointer goes elsewhere
    Clock.Advance(1000);
    EXPECT_EQ(shownText(), "<none>");

    Application->CancelHint();
    Button->OnHintShow = [](THintInfo& Info) -> LRESULT {
        Info.HideTimeout = 100;
        return 0;
    };
    moveTo(Button, 5, 5);
    Clock.Advance(500 + 99);
    EXPECT_EQ(shownText(), "Save");
    Clock.Advance(1);
    EXPECT_EQ(shownText(), "<none>");
}

TEST_F(HintsTest, AReshowTimeoutAsksTheControlAgainWhileThePointerRests) {
    int Asked = 0;
    Button->OnHintShow = [&Asked](THintInfo& Info) -> LRESULT {
        ++Asked;
        Info.HintStr = QStringLiteral("tick %1").arg(Asked);
        Info.ReshowTimeout = 200;
        return 0;
    };
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    EXPECT_EQ(shownText(), "tick 1");
    Clock.Advance(199);
    EXPECT_EQ(Asked, 1);
    Clock.Advance(1);
    EXPECT_EQ(shownText(), "tick 2") << "the hint is asked for again and shows the new text";

    Application->CancelHint();
    Clock.Advance(1000);
    EXPECT_EQ(Asked, 2) << "a cancelled hint is not asked again";
    EXPECT_EQ(shownText(), "<none>");
}

TEST_F(HintsTest, LeavingTheCursorRectHidesAndTheNextPartShowsAfterTheShortPause) {
    // Two halves of the control, each with its own text, as a control with links does.
    Button->OnHintShow = [](THintInfo& Info) -> LRESULT {
        const bool Left = Info.CursorPos.X < 40;
        Info.CursorRect = Left ? Rect(0, 0, 40, 30) : Rect(40, 0, 80, 30);
        Info.HintStr = Left ? QStringLiteral("left") : QStringLiteral("right");
        return 0;
    };
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    EXPECT_EQ(shownText(), "left");
    moveTo(Button, 39, 29);
    EXPECT_EQ(shownText(), "left");
    moveTo(Button, 45, 5);
    EXPECT_EQ(shownText(), "<none>");
    Clock.Advance(50);
    EXPECT_EQ(shownText(), "right");
}

TEST_F(HintsTest, AButtonPressCancelsAndTheNextMoveStartsTheFullPause) {
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    Button->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
    moveTo(Button, 6, 5);
    Clock.Advance(499);
    EXPECT_EQ(shownText(), "<none>");
    Clock.Advance(1);
    EXPECT_EQ(shownText(), "Save");
}

TEST_F(HintsTest, MovingOnFromAShownHintUsesTheShortPause) {
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    moveTo(Other, 5, 5);
    EXPECT_EQ(shownText(), "<none>");
    EXPECT_EQ(Other->PausesAsked, 1);
    Clock.Advance(50);
    EXPECT_EQ(shownText(), "Other");
    // Crossing a control without hint ends the chain: the full pause again.
    moveTo(Plain, 5, 5);
    moveTo(Button, 5, 5);
    Clock.Advance(50);
    EXPECT_EQ(shownText(), "<none>");
    Clock.Advance(450);
    EXPECT_EQ(shownText(), "Save");
}

TEST_F(HintsTest, FreeingTheControlHidesItsHintAndDropsAPendingOne) {
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    ASSERT_EQ(shownText(), "Save");
    Button->Free();
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Clock.Advance(3000);

    moveTo(Other, 5, 5);
    Other->Free();
    Clock.Advance(500);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    EXPECT_EQ(Clock.TimerCount(), 0);
}

TEST_F(HintsTest, AControlFreedByItsOwnHintHandlerShowsNothing) {
    Button->OnHintShow = [this](THintInfo&) -> LRESULT {
        Button->Free();
        return 0;
    };
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    EXPECT_EQ(Application->HintWindow(), nullptr);
}

TEST_F(HintsTest, ActivateHintShowsTheHintUnderAPointNow) {
    Application->ActivateHint(Other->ClientToScreen(Point(3, 3)));
    EXPECT_EQ(shownText(), "Other");
    Application->ActivateHint(Plain->ClientToScreen(Point(3, 3)));
    EXPECT_EQ(shownText(), "<none>");
}

TEST_F(HintsTest, AReplacementWindowClassIsUsedAndPlacedOnTheWorkArea) {
    Application->SetHintWindowClass([](TComponent* Owner) { return new TRecordingHintWindow(Owner); });
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    auto* W = dynamic_cast<TRecordingHintWindow*>(Application->HintWindow());
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(W->Owner(), Application);
    const TPoint P = Button->ClientToScreen(Point(5, 5));
    ASSERT_EQ(W->Shown.size(), 1u);
    EXPECT_EQ(W->Shown[0], Bounds(P.X, P.Y + 20, 40, 16));

    // Near the work area's right and bottom edges the hint moves left and above the pointer.
    Screen->SetWorkAreaRect(Rect(0, 0, P.X + 10, P.Y + 25));
    Application->CancelHint();
    moveTo(Button, 5, 5);
    Clock.Advance(500);
    ASSERT_EQ(W->Shown.size(), 2u);
    EXPECT_EQ(W->Shown[1], Bounds(P.X + 10 - 40, P.Y - 16, 40, 16));
}

TEST_F(HintsTest, TheHintWindowPaintsItsTextOnTheHintColourAndLeavesTheFormActive) {
    Form->SetFocus();
    for (int I = 0; I < 20 && !Form->Active(); ++I) QCoreApplication::processEvents();
    ASSERT_TRUE(Form->Active());

    struct Case {
        TColor AppColor;
        TColor Expected;
    };
    for (const Case& C : {Case{clInfoBk, clInfoBk}, Case{clAqua, clAqua}}) {
        Application->SetHintColor(C.AppColor);
        Application->ActivateHint(Button->ClientToScreen(Point(5, 5)));
        THintWindow* W = Application->HintWindow();
        ASSERT_NE(W, nullptr);
        EXPECT_TRUE(W->Showing());
        TBitmap Image(W->Width(), W->Height());
        W->PaintTo(Image.Canvas(), 0, 0);
        EXPECT_EQ(Image.Canvas()->Pixels(0, 0), ColorToRGB(clWindowFrame));
        EXPECT_EQ(Image.Canvas()->Pixels(W->Width() - 2, W->Height() - 2), ColorToRGB(C.Expected));
        bool HasText = false;
        for (int X = 3; X < W->Width() - 3 && !HasText; ++X)
            HasText = Image.Canvas()->Pixels(X, W->Height() / 2) != ColorToRGB(C.Expected);
        EXPECT_TRUE(HasText);
        for (int I = 0; I < 5; ++I) QCoreApplication::processEvents();
        EXPECT_TRUE(Form->Active());
        EXPECT_EQ(Screen->ActiveForm(), Form);
        Application->CancelHint();
        EXPECT_FALSE(W->HandleAllocated());
    }
}

TEST_F(HintsTest, CalcHintRectWrapsTheTextAtTheMaximumWidth) {
    THintWindow W(nullptr);
    const String Text = QStringLiteral("one two three four five six seven eight nine ten");
    const TRect Wide = W.CalcHintRect(2000, Text, nullptr);
    const TRect Narrow = W.CalcHintRect(100, Text, nullptr);
    EXPECT_EQ(Wide.TopLeft(), Point(0, 0));
    EXPECT_GT(Wide.Width(), 100);
    EXPECT_LE(Narrow.Width(), 100);
    EXPECT_GE(Narrow.Height(), 3 * (Wide.Height() - 4));
}

TEST_F(HintsTest, HidingTheControlOrItsFormOrAModalDialogLeavesNoHintBehind) {
    enum What { CloseForm, HideControl, Modal };
    struct Case {
        const char* Name;
        bool ShownFirst;  // else the hint is still waiting for its pause
        What Act;
    };
    const Case Cases[] = {
        {"form closes over a shown hint", true, CloseForm},   {"form closes over a pending hint", false, CloseForm},
        {"control hidden under its hint", true, HideControl}, {"modal dialog over a shown hint", true, Modal},
        {"modal dialog over a pending hint", false, Modal},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        moveTo(Button, 5, 5);
        if (C.ShownFirst) {
            Clock.Advance(500);
            ASSERT_EQ(shownText(), "Save");
        }
        if (C.Act == Modal) {
            auto Dialog = std::make_unique<TForm>(nullptr);
            Dialog->SetBounds(400, 50, 100, 80);
            String During;
            Dialog->OnShow = [&](TObject*) {
                QTimer::singleShot(0, [&] {
                    Clock.Advance(1000);
                    During = shownText();
                    Dialog->Close();
                });
            };
            Dialog->ShowModal();
            EXPECT_EQ(During, "<none>") << "no hint of the form behind the dialog";
        } else {
            TControl* Hidden = C.Act == CloseForm ? static_cast<TControl*>(Form) : Button;
            if (C.Act == CloseForm)
                Form->Close();
            else
                Button->SetVisible(false);
            EXPECT_EQ(shownText(), "<none>");
            Clock.Advance(3000);
            EXPECT_EQ(shownText(), "<none>");
            Hidden->SetVisible(true);
        }
        EXPECT_EQ(Clock.TimerCount(), 0);
        // Back on the form, the same control shows its hint after the full pause.
        moveTo(Button, 6, 6);
        Clock.Advance(499);
        EXPECT_EQ(shownText(), "<none>");
        Clock.Advance(1);
        EXPECT_EQ(shownText(), "Save");
    }
}
