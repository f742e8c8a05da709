#include "framework/ui/Controls.h"

#include "framework/rtl/Clock.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>

namespace {

// A window that paints a solid block in its top-left corner and answers one private message.
class TBlockControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static constexpr UINT WM_ASK = WM_USER + 1;
    TColor BlockColor = clRed;
    int PaintCount = 0;

protected:
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
            case WM_ASK:
                Message.Result = 42 + static_cast<LRESULT>(Message.WParam);
                break;
            default:
                TCustomControl::Dispatch(Message);
                break;
        }
    }
    void Paint() override {
        ++PaintCount;
        Canvas()->Brush()->SetColor(BlockColor);
        Canvas()->FillRect(Rect(0, 0, 10, 10));
    }
};

// A graphic control that paints only its left half.
class THalfControl : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int PaintCount = 0;

protected:
    void Paint() override {
        ++PaintCount;
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
    }
};

// Records every message that reaches a control's WindowProc, in order.
struct MessageSpy {
    std::vector<UINT> Seen;
    void Attach(TControl* C) {
        TWndMethod Old = C->WindowProc;
        C->WindowProc = [this, Old](TMessage& M) {
            Seen.push_back(M.Msg);
            Old(M);
        };
    }
    int Count(UINT Msg) const { return static_cast<int>(std::count(Seen.begin(), Seen.end(), Msg)); }
    std::vector<UINT> Only(std::initializer_list<UINT> Wanted) const {
        std::vector<UINT> R;
        for (UINT M : Seen)
            if (std::find(Wanted.begin(), Wanted.end(), M) != Wanted.end()) R.push_back(M);
        return R;
    }
};

template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

void pump() {
    for (int I = 0; I < 5; ++I) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QWidget* windowTitled(const String& Title) {
    for (QWidget* W : QApplication::topLevelWidgets())
        if (W->isVisible() && W->windowTitle() == Title) return W;
    return nullptr;
}

// A shown form holding a block control at (20, 30) and a graphic control at (100, 30).
class ShownForm : public ::testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetCaption(QStringLiteral("ControlsTestForm"));
        Form->SetBounds(10, 10, 300, 200);
        Block = new TBlockControl(Form);
        Block->SetParent(Form);
        Block->SetBounds(20, 30, 60, 40);
        Half = new THalfControl(Form);
        Half->SetParent(Form);
        Half->SetBounds(100, 30, 40, 40);
        Form->Show();
        ASSERT_TRUE(pumpUntil([&] { return windowTitled(Form->Caption()) != nullptr; }));
        Window = windowTitled(Form->Caption())->windowHandle();
        ASSERT_NE(Window, nullptr);
    }
    void TearDown() override {
        SetCaptureControl(nullptr);
        if (Form) Form->Free();
        pump();
    }

    void mouse(QEvent::Type Type, QPoint At, Qt::MouseButton Button = Qt::LeftButton,
               Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        const Qt::MouseButtons Buttons = Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick
                                             ? Qt::MouseButtons(Button)
                                         : Type == QEvent::MouseMove ? HeldButtons
                                                                     : Qt::MouseButtons();
        if (Type == QEvent::MouseButtonPress) HeldButtons = Button;
        if (Type == QEvent::MouseButtonRelease) HeldButtons = Qt::NoButton;
        QMouseEvent E(Type, QPointF(At), QPointF(Window->mapToGlobal(At)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Button, Buttons, Mods);
        QCoreApplication::sendEvent(Window, &E);
    }
    void key(QEvent::Type Type, int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier, const String& Text = {}) {
        QKeyEvent E(Type, Key, Mods, Text);
        QCoreApplication::sendEvent(Window, &E);
    }

    TForm* Form = nullptr;
    TBlockControl* Block = nullptr;
    THalfControl* Half = nullptr;
    QWindow* Window = nullptr;
    Qt::MouseButtons HeldButtons;
    MessageSpy Spy;  // outlives the form, which TearDown frees
    std::vector<String> Events;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The message path

TEST(Messages, PerformGoesThroughHooksAndWindowProcAndReturnsTheResult) {
    TBlockControl C(nullptr);
    EXPECT_EQ(C.Perform(TBlockControl::WM_ASK, 1, 0), 43);
    EXPECT_EQ(C.Perform(WM_USER + 77, 0, 0), 0);  // nobody handles it: DefaultHandler leaves 0

    // A replaced WindowProc sees the message first and may answer in place of the control.
    TWndMethod Old = C.WindowProc;
    C.WindowProc = [&](TMessage& M) {
        if (M.Msg == TBlockControl::WM_ASK && M.WParam == 7)
            M.Result = -1;
        else
            Old(M);
    };
    EXPECT_EQ(C.Perform(TBlockControl::WM_ASK, 7, 0), -1);
    EXPECT_EQ(C.Perform(TBlockControl::WM_ASK, 2, 0), 44);

    // A hook runs before WindowProc and can consume the message; once removed it sees nothing.
    std::vector<TControl*> Hooked;
    const int Id = AddWindowProcHook([&](TControl* Target, TMessage& M) {
        if (M.Msg != TBlockControl::WM_ASK) return false;
        Hooked.push_back(Target);
        M.Result = 5;
        return true;
    });
    EXPECT_EQ(C.Perform(TBlockControl::WM_ASK, 2, 0), 5);
    RemoveWindowProcHook(Id);
    EXPECT_EQ(C.Perform(TBlockControl::WM_ASK, 2, 0), 44);
    EXPECT_EQ(Hooked, std::vector<TControl*>{&C});
}

TEST(Messages, RegisteredMessagesAreStablePerNameIgnoringCase) {
    const UINT A = RegisterWindowMessage(QStringLiteral("ClearHintControl"));
    EXPECT_GE(A, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("clearhintcontrol")), A);
    const UINT B = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    EXPECT_NE(A, B);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("DTPSHIFTFOCUS")), B);
    EXPECT_THROW(RegisterWindowMessage(String()), EArgumentException);
}

TEST(Messages, MouseCoordinatesPackAsSigned16BitWords) {
    const TPoint Cases[] = {{0, 0}, {5, 7}, {-1, -2}, {-32768, 32767}, {1000, -1000}};
    for (const TPoint& P : Cases) {
        const LPARAM L = PointToLParam(P.X, P.Y);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(L)), static_cast<Word>(P.X));
        EXPECT_EQ(LParamToPoint(L), P) << P.X << "," << P.Y;
    }
}

TEST(Messages, SendIsImmediatePostComesAfterTheCurrentHandlerAndDiesWithTheWindow) {
    auto* C = new TBlockControl(nullptr);
    const HWND Wnd = C->Handle();
    EXPECT_EQ(FindControl(Wnd), C);
    EXPECT_EQ(SendMessage(Wnd, TBlockControl::WM_ASK, 3, 0), 45);

    std::vector<String> Order;
    const UINT Posted = WM_USER + 2;
    TWndMethod Old = C->WindowProc;
    C->WindowProc = [&](TMessage& M) {
        if (M.Msg == Posted) Order.push_back(QStringLiteral("posted"));
        if (M.Msg == WM_USER + 3) {
            PostMessage(Wnd, Posted, 0, 0);
            Order.push_back(QStringLiteral("handler done"));
        }
        Old(M);
    };
    C->Perform(WM_USER + 3, 0, 0);
    EXPECT_EQ(Order, (std::vector<String>{QStringLiteral("handler done")}));
    ASSERT_TRUE(pumpUntil([&] { return Order.size() == 2; }));
    EXPECT_EQ(Order.back(), QStringLiteral("posted"));

    // A message posted to a window freed before delivery is dropped.
    PostMessage(Wnd, Posted, 0, 0);
    C->Free();
    pump();
    EXPECT_EQ(Order.size(), 2u);
    EXPECT_EQ(FindControl(Wnd), nullptr);
    EXPECT_EQ(SendMessage(Wnd, TBlockControl::WM_ASK, 0, 0), 0);
    EXPECT_EQ(PostMessage(nullptr, Posted, 0, 0), 0);
}

TEST(Messages, TimersDeliverWmTimerByIdOnTheFakeClock) {
    FakeClock Clock;
    TBlockControl C(nullptr);
    MessageSpy Spy;
    std::vector<WPARAM> Ids;
    TWndMethod Old = C.WindowProc;
    C.WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_TIMER) Ids.push_back(M.WParam);
        Old(M);
    };
    const HWND Wnd = C.Handle();
    EXPECT_EQ(SetTimer(Wnd, 111, 100), 111u);
    EXPECT_EQ(SetTimer(Wnd, 999, 250), 999u);
    Clock.Advance(250);
    EXPECT_EQ(Ids, (std::vector<WPARAM>{111, 111, 999}));
    EXPECT_EQ(KillTimer(Wnd, 111), 1);
    EXPECT_EQ(KillTimer(Wnd, 111), 0);
    Ids.clear();
    Clock.Advance(250);
    EXPECT_EQ(Ids, (std::vector<WPARAM>{999}));
    EXPECT_EQ(SetTimer(nullptr, 1, 10), 0u);
}

// ---------------------------------------------------------------------------------------------
// Rendering (never shown)

TEST(ControlRendering, EachPaintsWhereItBelongsAndTheParentShowsThroughTheGraphicControl) {
    TCustomControl Parent(nullptr);
    Parent.SetBounds(0, 0, 120, 80);
    Parent.SetColor(clLime);
    auto* Block = new TBlockControl(&Parent);
    Block->SetParent(&Parent);
    Block->SetBounds(10, 10, 30, 30);
    Block->SetColor(clWhite);
    auto* Half = new THalfControl(&Parent);
    Half->SetParent(&Parent);
    Half->SetBounds(60, 10, 40, 40);

    TBitmap Target(120, 80);
    Parent.PaintTo(Target.Canvas(), 0, 0);
    TCanvas* C = Target.Canvas();
    struct Probe {
        int X, Y;
        TColor Expected;
        const char* Where;
    };
    const Probe Probes[] = {
        {2, 2, clLime, "parent background"},
        {12, 12, clRed, "block control's painted corner"},
        {35, 35, clWhite, "block control's own background"},
        {62, 20, clBlue, "graphic control's painted half"},
        {95, 20, clLime, "parent through the graphic control's unpainted half"},
    };
    for (const Probe& P : Probes) EXPECT_EQ(C->Pixels(P.X, P.Y), P.Expected) << P.Where;

    // Painting at an offset moves everything with it.
    TBitmap Shifted(200, 120);
    Shifted.Canvas()->Brush()->SetColor(clBlack);
    Shifted.Canvas()->FillRect(Rect(0, 0, 200, 120));
    Parent.PaintTo(Shifted.Canvas(), 50, 20);
    EXPECT_EQ(Shifted.Canvas()->Pixels(62, 32), clRed);
    EXPECT_EQ(Shifted.Canvas()->Pixels(10, 10), clBlack);
    EXPECT_EQ(Shifted.Canvas()->Pixels(145, 40), clLime);
}

TEST(ControlRendering, InvalidateReachesTheChildrenAndCanvasDrawingOutsidePaintStays) {
    TCustomControl Parent(nullptr);
    Parent.SetBounds(0, 0, 100, 60);
    auto* Block = new TBlockControl(&Parent);
    Block->SetParent(&Parent);
    Block->SetBounds(0, 0, 40, 40);
    auto* Half = new THalfControl(&Parent);
    Half->SetParent(&Parent);
    Half->SetBounds(50, 0, 40, 40);
    Parent.Update();
    const int BlockPaints = Block->PaintCount, HalfPaints = Half->PaintCount;
    Parent.Update();  // nothing invalid: nothing painted again
    EXPECT_EQ(Block->PaintCount, BlockPaints);
    Parent.Invalidate();
    Parent.Update();
    EXPECT_EQ(Block->PaintCount, BlockPaints + 1);
    EXPECT_EQ(Half->PaintCount, HalfPaints + 1);

    // Drawing on the canvas from outside Paint (a mouse or timer handler) is read back and
    // survives until the next invalidation repaints the control.
    Block->Canvas()->Pixels(0, 0);
    Block->Canvas()->Brush()->SetColor(clYellow);
    Block->Canvas()->FillRect(Rect(20, 20, 30, 30));
    EXPECT_EQ(Block->Canvas()->Pixels(25, 25), clYellow);
    TBitmap Target(100, 60);
    Parent.PaintTo(Target.Canvas(), 0, 0);
    EXPECT_EQ(Target.Canvas()->Pixels(25, 25), clYellow);
    Block->Repaint();
    EXPECT_NE(Block->Canvas()->Pixels(25, 25), clYellow);
    EXPECT_EQ(Block->Canvas()->Pixels(5, 5), clRed);
}

// ---------------------------------------------------------------------------------------------
// Layout and inherited properties

TEST(ControlLayout, AlignedChildrenShareTheClientAreaInPlatformOrder) {
    TCustomControl Parent(nullptr);
    Parent.SetBounds(0, 0, 200, 100);
    Parent.SetBorderWidth(2);
    struct Case {
        TAlign Align;
        TRect Initial;
        TRect Expected;
    };
    const Case Cases[] = {
        {alClient, Bounds(0, 0, 5, 5), Rect(22, 12, 168, 78)},  {alTop, Bounds(0, 0, 50, 10), Rect(2, 2, 198, 12)},
        {alBottom, Bounds(0, 0, 50, 20), Rect(2, 78, 198, 98)}, {alLeft, Bounds(0, 0, 20, 5), Rect(2, 12, 22, 78)},
        {alRight, Bounds(0, 0, 30, 5), Rect(168, 12, 198, 78)},
    };
    std::vector<TControl*> Children;
    Parent.DisableAlign();
    for (const Case& C : Cases) {
        auto* Child = new TCustomControl(&Parent);
        Child->SetBoundsRect(C.Initial);
        Child->SetAlign(C.Align);
        Child->SetParent(&Parent);
        Children.push_back(Child);
    }
    Parent.EnableAlign();
    for (size_t I = 0; I < Children.size(); ++I) EXPECT_EQ(Children[I]->BoundsRect(), Cases[I].Expected) << I;

    // Resizing the parent lays them out again.
    Parent.SetWidth(300);
    EXPECT_EQ(Children[4]->BoundsRect(), Rect(268, 12, 298, 78));
    EXPECT_EQ(Children[0]->BoundsRect(), Rect(22, 12, 268, 78));
}

TEST(ControlLayout, AnchoredChildrenFollowTheParentsSize) {
    TCustomControl Parent(nullptr);
    Parent.SetBounds(0, 0, 200, 100);
    struct Case {
        TAnchors Anchors;
        TRect Expected;  // after the parent grows by 40 x 20
    };
    const Case Cases[] = {
        {{akLeft, akTop}, Bounds(10, 10, 30, 20)},
        {{akRight, akBottom}, Bounds(50, 30, 30, 20)},
        {{akLeft, akTop, akRight, akBottom}, Bounds(10, 10, 70, 40)},
        {{akTop}, Bounds(30, 10, 30, 20)},
    };
    std::vector<TControl*> Children;
    for (const Case& C : Cases) {
        auto* Child = new THalfControl(&Parent);
        Child->SetParent(&Parent);
        Child->SetBounds(10, 10, 30, 20);
        Child->SetAnchors(C.Anchors);
        Children.push_back(Child);
    }
    Parent.SetBounds(0, 0, 240, 120);
    for (size_t I = 0; I < Children.size(); ++I) EXPECT_EQ(Children[I]->BoundsRect(), Cases[I].Expected) << I;
}

TEST(ControlProperties, ColourAndFontFollowTheParentUntilSetOwnValue) {
    TCustomControl Parent(nullptr);
    auto* Follows = new TCustomControl(&Parent);
    Follows->SetParentColor(true);
    Follows->SetParent(&Parent);
    auto* Own = new TCustomControl(&Parent);
    Own->SetParent(&Parent);
    Own->SetColor(clAqua);

    Parent.SetColor(clMaroon);
    Parent.Font()->SetSize(14);
    EXPECT_EQ(Follows->Color(), clMaroon);
    EXPECT_TRUE(Follows->ParentColor());
    EXPECT_EQ(Own->Color(), clAqua);
    EXPECT_EQ(Follows->Font()->Size(), 14);
    EXPECT_EQ(Own->Font()->Size(), 14);  // ParentFont is on by default

    Follows->SetColor(clNavy);  // an own value ends the inheritance
    EXPECT_FALSE(Follows->ParentColor());
    Follows->Font()->SetSize(9);
    EXPECT_FALSE(Follows->ParentFont());
    Parent.SetColor(clTeal);
    Parent.Font()->SetSize(20);
    EXPECT_EQ(Follows->Color(), clNavy);
    EXPECT_EQ(Follows->Font()->Size(), 9);
    EXPECT_EQ(Own->Font()->Size(), 20);
}

TEST(ControlTree, ParentFreesItsChildrenAndRejectsCycles) {
    auto* Outer = new TCustomControl(nullptr);
    auto* Inner = new TCustomControl(nullptr);
    Inner->SetParent(Outer);
    auto* Leaf = new THalfControl(nullptr);
    Leaf->SetParent(Inner);
    TWeak<TControl> LeafAlive(Leaf);
    EXPECT_TRUE(Outer->ContainsControl(Leaf));
    EXPECT_EQ(Outer->ControlCount(), 1);
    EXPECT_THROW(Outer->SetParent(Inner), EInvalidOperation);
    EXPECT_THROW(Outer->Controls(1), EListError);
    Outer->Free();
    EXPECT_FALSE(LeafAlive);
}

// ---------------------------------------------------------------------------------------------
// Input through Qt events on a shown form

TEST_F(ShownForm, PressAndReleaseArriveThroughWndProcAndFireOnClick) {
    Spy.Attach(Block);
    Block->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
        Events.push_back(QStringLiteral("down %1 %2,%3 %4").arg(int(B)).arg(X).arg(Y).arg(S.Contains(ssLeft)));
    };
    Block->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Block);
        Events.push_back(QStringLiteral("click"));
    };
    Block->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        Events.push_back(QStringLiteral("up %1,%2").arg(X).arg(Y));
    };
    mouse(QEvent::MouseButtonPress, QPoint(25, 35));
    mouse(QEvent::MouseButtonRelease, QPoint(25, 35));
    EXPECT_EQ(Spy.Only({WM_LBUTTONDOWN, WM_LBUTTONUP}), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(Events,
              (std::vector<String>{QStringLiteral("down 0 5,5 1"), QStringLiteral("click"), QStringLiteral("up 5,5")}));
}

TEST_F(ShownForm, ReleaseOutsideGoesToTheCapturingControlWithoutAClick) {
    int Clicks = 0;
    Block->OnClick = [&](TObject*) { ++Clicks; };
    TPoint Up{0, 0};
    Block->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { Up = {X, Y}; };
    mouse(QEvent::MouseButtonPress, QPoint(25, 35));
    EXPECT_TRUE(Block->MouseCapture());
    mouse(QEvent::MouseMove, QPoint(200, 150));
    mouse(QEvent::MouseButtonRelease, QPoint(200, 150));
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Up, (TPoint{180, 120}));  // in the block's own coordinates
    EXPECT_FALSE(Block->MouseCapture());
}

TEST_F(ShownForm, GraphicControlGetsItsOwnClicks) {
    int Clicks = 0;
    Half->OnClick = [&](TObject*) { ++Clicks; };
    mouse(QEvent::MouseButtonPress, QPoint(110, 40));
    mouse(QEvent::MouseButtonRelease, QPoint(110, 40));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ShownForm, EnterAndLeaveArriveAsThePointerCrossesAndTheParentIsTold) {
    Block->OnMouseEnter = [&](TObject*) { Events.push_back(QStringLiteral("enter")); };
    Block->OnMouseLeave = [&](TObject*) { Events.push_back(QStringLiteral("leave")); };
    std::vector<std::pair<UINT, LPARAM>> ToForm;
    TWndMethod Old = Form->WindowProc;
    Form->WindowProc = [&](TMessage& M) {
        if (M.Msg == CM_MOUSEENTER || M.Msg == CM_MOUSELEAVE) ToForm.emplace_back(M.Msg, M.LParam);
        Old(M);
    };
    mouse(QEvent::MouseMove, QPoint(5, 5));
    mouse(QEvent::MouseMove, QPoint(30, 40));
    mouse(QEvent::MouseMove, QPoint(35, 45));
    mouse(QEvent::MouseMove, QPoint(5, 150));
    EXPECT_EQ(Events, (std::vector<String>{QStringLiteral("enter"), QStringLiteral("leave")}));
    const LPARAM BlockParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(Block));
    EXPECT_NE(std::find(ToForm.begin(), ToForm.end(), std::make_pair(CM_MOUSEENTER, BlockParam)), ToForm.end());
    EXPECT_NE(std::find(ToForm.begin(), ToForm.end(), std::make_pair(CM_MOUSELEAVE, BlockParam)), ToForm.end());
    Form->WindowProc = Old;
}

TEST_F(ShownForm, KeysSplitIntoKeyDownCharAndKeyUpAndZeroSwallows) {
    Block->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Block->Focused(); }));
    Block->OnKeyDown = [&](TObject*, Word& Key, TShiftState S) {
        Events.push_back(QStringLiteral("down %1%2").arg(Key).arg(S.Contains(ssCtrl) ? " ctrl" : ""));
        if (Key == 'X') Key = 0;
    };
    Block->OnKeyPress = [&](TObject*, Char& Key) { Events.push_back(QStringLiteral("press %1").arg(Key.unicode())); };
    Block->OnKeyUp = [&](TObject*, Word& Key, TShiftState) { Events.push_back(QStringLiteral("up %1").arg(Key)); };
    struct Case {
        const char* Name;
        int QtKey;
        Qt::KeyboardModifiers Mods;
        const char* Text;
        std::vector<String> Expected;
    };
    const Case Cases[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, "a", {"down 65", "press 97", "up 65"}},
        {"swallowed in key-down", Qt::Key_X, Qt::NoModifier, "x", {"down 88", "up 88"}},
        {"ctrl+c is char 3", Qt::Key_C, Qt::ControlModifier, "c", {"down 67 ctrl", "press 3", "up 67"}},
        {"backspace types 8", Qt::Key_Backspace, Qt::NoModifier, "", {"down 8", "press 8", "up 8"}},
        {"delete types nothing", Qt::Key_Delete, Qt::NoModifier, "", {"down 46", "up 46"}},
    };
    for (const Case& C : Cases) {
        Events.clear();
        key(QEvent::KeyPress, C.QtKey, C.Mods, QString::fromLatin1(C.Text));
        key(QEvent::KeyRelease, C.QtKey, C.Mods, QString::fromLatin1(C.Text));
        EXPECT_EQ(Events, C.Expected) << C.Name;
    }
}

TEST_F(ShownForm, TabMovesFocusUnlessTheControlWantsIt) {
    auto* Second = new TBlockControl(Form);
    Second->SetParent(Form);
    Second->SetBounds(20, 100, 30, 30);
    Block->SetTabStop(true);
    Second->SetTabStop(true);
    Block->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Block->Focused(); }));
    key(QEvent::KeyPress, Qt::Key_Tab);
    ASSERT_TRUE(pumpUntil([&] { return Second->Focused(); }));
    EXPECT_EQ(Form->ActiveControl(), Second);
    key(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(pumpUntil([&] { return Block->Focused(); }));
    key(QEvent::KeyPress, Qt::Key_Tab);
    ASSERT_TRUE(pumpUntil([&] { return Second->Focused(); }));

    // A control that asks for Tab gets it as a key instead.
    int Tabs = 0;
    Second->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Tabs += Key == VK_TAB; };
    TWndMethod Old = Second->WindowProc;
    Second->WindowProc = [&](TMessage& M) {
        Old(M);
        if (M.Msg == WM_GETDLGCODE) M.Result |= DLGC_WANTTAB;
    };
    key(QEvent::KeyPress, Qt::Key_Tab);
    pump();
    EXPECT_EQ(Tabs, 1);
    EXPECT_TRUE(Second->Focused());
    Second->WindowProc = Old;
    Second->OnKeyDown = nullptr;
}

TEST_F(ShownForm, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
    Block->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Block->Focused(); }));
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        Events.push_back(QStringLiteral("form %1").arg(Key));
        if (Key == 'Q') Key = 0;
    };
    Block->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Events.push_back(QStringLiteral("block %1").arg(Key)); };
    key(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    key(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    EXPECT_EQ(Events,
              (std::vector<String>{QStringLiteral("form 66"), QStringLiteral("block 66"), QStringLiteral("form 81")}));
}

TEST_F(ShownForm, AControlFreedByItsOwnClickHandlerIsSafe) {
    TWeak<TControl> Alive(Block);
    Block->OnClick = [&](TObject* Sender) { static_cast<TControl*>(Sender)->Free(); };
    mouse(QEvent::MouseButtonPress, QPoint(25, 35));
    mouse(QEvent::MouseButtonRelease, QPoint(25, 35));
    EXPECT_FALSE(Alive);
    EXPECT_EQ(Form->ControlCount(), 1);
    pump();
    mouse(QEvent::MouseButtonPress, QPoint(25, 35));
    mouse(QEvent::MouseButtonRelease, QPoint(25, 35));
}

TEST_F(ShownForm, ReleaseFreesTheControlOnlyAfterItsHandlerReturned) {
    TWeak<TControl> Alive(Block);
    bool AliveAfterRelease = false;
    Block->OnClick = [&](TObject* Sender) {
        static_cast<TControl*>(Sender)->Release();
        AliveAfterRelease = Alive.get() != nullptr;
    };
    mouse(QEvent::MouseButtonPress, QPoint(25, 35));
    mouse(QEvent::MouseButtonRelease, QPoint(25, 35));
    EXPECT_TRUE(AliveAfterRelease);
    EXPECT_TRUE(Alive) << "still there when the release's own handling ends";
    pump();
    EXPECT_FALSE(Alive);
    EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(ShownForm, ConstraintsLimitTheSizeAndApplyAtOnce) {
    TSizeConstraints* C = Block->Constraints();
    C->SetMinWidth(50);
    C->SetMaxHeight(30);
    EXPECT_EQ(Block->Height(), 30) << "a new limit applies to the present size";
    Block->SetBounds(0, 0, 10, 100);
    EXPECT_EQ(Block->Width(), 50);
    EXPECT_EQ(Block->Height(), 30);
    C->SetMaxWidth(40);  // a maximum below the minimum lowers the minimum
    EXPECT_EQ(C->MinWidth(), 40);
    EXPECT_EQ(Block->Width(), 40);
    C->SetMinHeight(35);  // a minimum above the maximum raises the maximum
    EXPECT_EQ(C->MaxHeight(), 35);
    EXPECT_EQ(Block->Height(), 35);

    Form->Constraints()->SetMinWidth(250);
    Form->Constraints()->SetMinHeight(150);
    Form->SetBounds(10, 10, 100, 100);
    EXPECT_EQ(Form->Width(), 250);
    EXPECT_EQ(windowTitled(Form->Caption())->minimumWidth(), 250) << "the user's sizing keeps the limit too";
}

TEST_F(ShownForm, AThemeOrPaletteChangeReachesEveryWindowOnce) {
    Spy.Attach(Form);
    Spy.Attach(Block);
    const QPalette Old = QApplication::palette();
    QPalette Changed = Old;
    Changed.setColor(QPalette::Window, Qt::darkBlue);
    QApplication::setPalette(Changed);
    pump();
    EXPECT_EQ(Spy.Count(WM_THEMECHANGED), 2) << "the form and the block, one message each";
    QApplication::setPalette(Old);
    pump();
    EXPECT_EQ(Spy.Count(WM_THEMECHANGED), 4);
}

TEST(ThemeChanges, ReachWindowsThatWereNeverShown) {
    MessageSpy Spy;  // outlives the form
    TForm Form(nullptr);
    auto* Hidden = new TBlockControl(&Form);
    Hidden->SetParent(&Form);
    Hidden->SetVisible(false);
    Form.HandleNeeded();
    Spy.Attach(&Form);
    Spy.Attach(Hidden);
    const QPalette Old = QApplication::palette();
    QPalette Changed = Old;
    Changed.setColor(QPalette::Window, Qt::darkRed);
    QApplication::setPalette(Changed);
    pump();
    EXPECT_EQ(Spy.Count(WM_THEMECHANGED), 2);
    QApplication::setPalette(Old);
    pump();
}

TEST(WindowDestruction, SendsWMDestroyAsTheLastMessage) {
    MessageSpy Spy;
    auto* Form = new TForm(nullptr);
    auto* Block = new TBlockControl(Form);
    Block->SetParent(Form);
    Form->HandleNeeded();
    Spy.Attach(Block);
    Block->Free();
    EXPECT_EQ(Spy.Count(WM_DESTROY), 1);
    Form->Free();
}
