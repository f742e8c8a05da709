// What popup windows stand on: owned and topmost windows, the window being activated named in
// WM_ACTIVATE, sizing a window by its frame, the displays and their work areas, class styles and
// the wheel's notches.
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <memory>
#include <vector>

namespace {

template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

// A form that another window owns, as a popup is: its CreateParams name the owner.
class TOwnedForm : public TForm {
public:
    TOwnedForm(TComponent* AOwner, TWinControl* OwnerWindow, DWORD ExStyle = 0, UINT ClassStyle = 0)
        : TForm(AOwner), FOwnerWindow(OwnerWindow), FExStyle(ExStyle), FClassStyle(ClassStyle) {}
    std::vector<std::pair<WPARAM, LPARAM>> Activations;
    std::vector<UINT> Sizing;
    LRESULT HitAnswer = HTCLIENT;

protected:
    void CreateParams(TCreateParams& Params) override {
        TForm::CreateParams(Params);
        Params.ExStyle |= FExStyle;
        Params.WindowClass.style |= FClassStyle;
        if (FOwnerWindow) Params.WndParent = FOwnerWindow->Handle();
    }
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
            case WM_ACTIVATE:
                Activations.emplace_back(Message.WParam, Message.LParam);
                break;
            case WM_NCHITTEST:
                Message.Result = HitAnswer;
                return;
            case WM_ENTERSIZEMOVE:
            case WM_SIZING:
            case WM_EXITSIZEMOVE:
                Sizing.push_back(Message.Msg);
                if (Message.Msg == WM_SIZING) reinterpret_cast<TRect*>(Message.LParam)->Bottom -= 1;  // may change
                break;
            default:
                break;
        }
        TForm::Dispatch(Message);
    }

private:
    TWinControl* FOwnerWindow;
    DWORD FExStyle;
    UINT FClassStyle;
};

// A class of its own: the first window of a class sets the class's style.
class TShadowForm : public TOwnedForm {
public:
    explicit TShadowForm(TComponent* AOwner) : TOwnedForm(AOwner, nullptr, 0, CS_DROPSHADOW) {}
};

}  // namespace

TEST(PopupWindows, AnOwnedWindowNamesItsOwnerAndGoesWithIt) {
    auto Main = std::make_unique<TForm>(nullptr);
    auto* Panel = new TPanel(Main.get());
    Panel->SetParent(Main.get());
    auto* Popup = new TOwnedForm(nullptr, Main.get(), WS_EX_TOPMOST);
    Popup->SetBorderStyle(bsNone);
    Popup->SetBounds(300, 200, 120, 80);
    Popup->HandleNeeded();
    EXPECT_EQ(GetParent(Popup->Handle()), Main->Handle());
    EXPECT_EQ(GetParent(Panel->Handle()), Main->Handle());
    EXPECT_EQ(GetParent(Main->Handle()), nullptr);
    EXPECT_EQ(GetWindowLong(Popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, LONG(WS_EX_TOPMOST));
    EXPECT_EQ(GetWindowLong(Main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // Still a window of its own, at its own screen place.
    EXPECT_EQ(Popup->ClientOrigin().X, 300);
    EXPECT_EQ(Popup->ClientOrigin().Y, 200);
    // The owner's window goes: the owned one goes first, and comes back when needed.
    Main->RecreateWnd();
    EXPECT_FALSE(Popup->HandleAllocated());
    Popup->HandleNeeded();
    EXPECT_EQ(GetParent(Popup->Handle()), Main->Handle());
    delete Popup;
}

TEST(PopupWindows, SetWindowPosPlacesAndMakesTopmost) {
    auto Form = std::make_unique<TForm>(nullptr);
    EXPECT_FALSE(SetWindowPos(nullptr, HWND_TOPMOST, 0, 0, 0, 0, 0));
    Form->HandleNeeded();
    ASSERT_TRUE(SetWindowPos(Form->Handle(), HWND_TOPMOST, 15, 25, 140, 90, 0));
    EXPECT_EQ(Form->BoundsRect(), Rect(15, 25, 155, 115));
    EXPECT_EQ(GetWindowLong(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, LONG(WS_EX_TOPMOST));
    SetWindowPos(Form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Form->BoundsRect(), Rect(15, 25, 155, 115));
    EXPECT_EQ(GetWindowLong(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    SetWindowPos(Form->Handle(), HWND_TOP, 1, 2, 3, 4, SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ(Form->BoundsRect(), Rect(1, 2, 141, 92));
    EXPECT_TRUE(Form->Visible());
    SetWindowPos(Form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_FALSE(Form->Visible());
}

TEST(PopupWindows, TheClassStyleIsSharedByTheClass) {
    auto A = std::make_unique<TShadowForm>(nullptr);
    auto B = std::make_unique<TShadowForm>(nullptr);
    auto Plain = std::make_unique<TForm>(nullptr);
    A->HandleNeeded();
    B->HandleNeeded();
    Plain->HandleNeeded();
    EXPECT_EQ(GetClassLong(A->Handle(), GCL_STYLE) & CS_DROPSHADOW, CS_DROPSHADOW);
    EXPECT_EQ(GetClassLong(Plain->Handle(), GCL_STYLE) & CS_DROPSHADOW, 0u);
    const DWORD Old = SetClassLong(A->Handle(), GCL_STYLE, LONG(GetClassLong(A->Handle(), GCL_STYLE) & ~CS_DROPSHADOW));
    EXPECT_EQ(Old & CS_DROPSHADOW, CS_DROPSHADOW);
    EXPECT_EQ(GetClassLong(B->Handle(), GCL_STYLE) & CS_DROPSHADOW, 0u);  // every window of the class
    SetClassLong(A->Handle(), GCL_STYLE, LONG(CS_DROPSHADOW));            // later tests see it as made
}

TEST(PopupWindows, DeactivationNamesTheWindowBeingActivated) {
    auto Main = std::make_unique<TForm>(nullptr);
    Main->SetBounds(0, 0, 200, 150);
    auto Popup = std::make_unique<TOwnedForm>(nullptr, Main.get());
    Popup->SetBorderStyle(bsNone);
    Popup->SetBounds(20, 160, 100, 60);
    Main->Show();
    ASSERT_TRUE(pumpUntil([&] { return Main->Active(); }));
    Popup->Show();
    ASSERT_TRUE(pumpUntil([&] { return Popup->Active(); }));
    Popup->Activations.clear();
    Main->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Main->Active() && !Popup->Activations.empty(); }));
    ASSERT_EQ(Popup->Activations.back().first, WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(Popup->Activations.back().second), Main->Handle());
}

TEST(PopupWindows, APressOnASizingEdgeSizesTheWindowUntilTheRelease) {
    auto Popup = std::make_unique<TOwnedForm>(nullptr, nullptr);
    Popup->SetBorderStyle(bsNone);
    Popup->SetBounds(100, 100, 120, 80);
    Popup->Constraints()->SetMinWidth(80);
    Popup->Show();
    ASSERT_TRUE(pumpUntil([&] { return Popup->Showing(); }));
    QWidget* W = QApplication::topLevelAt(QPoint(150, 150));
    ASSERT_NE(W, nullptr);
    // A press where the window answers the client area is a click.
    QTest::mousePress(W, Qt::LeftButton, {}, QPoint(115, 75));
    QTest::mouseRelease(W, Qt::LeftButton, {}, QPoint(115, 75));
    EXPECT_TRUE(Popup->Sizing.empty());
    Popup->HitAnswer = HTBOTTOMRIGHT;
    QTest::mousePress(W, Qt::LeftButton, {}, QPoint(115, 75));
    Popup->HitAnswer = HTCLIENT;
    ASSERT_EQ(Popup->Sizing.size(), 1u);
    EXPECT_EQ(Popup->Sizing[0], UINT(WM_ENTERSIZEMOVE));
    // The pointer moves 30 right and 20 down: WM_SIZING proposes 150 x 100 and takes one off.
    Popup->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(145, 95));
    EXPECT_EQ(Popup->BoundsRect(), Rect(100, 100, 250, 199));
    // Narrower than the constraint allows: the limit holds, the left edge stays.
    Popup->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(5, 95));
    EXPECT_EQ(Popup->BoundsRect(), Rect(100, 100, 180, 199));
    Popup->Perform(WM_LBUTTONUP, 0, PointToLParam(25, 15));
    EXPECT_EQ(Popup->Sizing.back(), UINT(WM_EXITSIZEMOVE));
    EXPECT_EQ(Popup->BoundsRect(), Rect(100, 100, 180, 119));
    // After the release moves are moves again.
    const size_t Seen = Popup->Sizing.size();
    Popup->Perform(WM_MOUSEMOVE, 0, PointToLParam(100, 100));
    EXPECT_EQ(Popup->Sizing.size(), Seen);
    EXPECT_EQ(Popup->Width(), 80);
}

TEST(PopupWindows, SizingFromTheTopLeftKeepsTheOppositeEdges) {
    auto Popup = std::make_unique<TOwnedForm>(nullptr, nullptr);
    Popup->SetBorderStyle(bsNone);
    Popup->SetBounds(100, 100, 120, 80);
    Popup->HandleNeeded();
    Popup->Perform(WM_NCLBUTTONDOWN, HTTOPLEFT, PointToLParam(100, 100));
    Popup->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(-10, -20));  // client (−10, −20): screen (90, 80)
    Popup->Perform(WM_LBUTTONUP, 0, PointToLParam(0, 0));
    EXPECT_EQ(Popup->BoundsRect(), Rect(90, 80, 220, 179));
    // A lost capture ends the sizing too.
    Popup->Perform(WM_NCLBUTTONDOWN, HTRIGHT, PointToLParam(220, 120));
    SetCaptureControl(nullptr);
    EXPECT_EQ(Popup->Sizing.back(), UINT(WM_EXITSIZEMOVE));
    // Codes that are not edges start nothing.
    const size_t Seen = Popup->Sizing.size();
    Popup->Perform(WM_NCLBUTTONDOWN, HTCAPTION, PointToLParam(150, 150));
    EXPECT_EQ(Popup->Sizing.size(), Seen);
}

TEST(PopupWindows, MonitorsFromTestsAndTheNearestOne) {
    Screen->SetMonitors(
        {{Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 738)}, {Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 984)}});
    EXPECT_EQ(Screen->MonitorCount(), 2);
    EXPECT_TRUE(Screen->Monitors(0)->Primary());
    EXPECT_EQ(Screen->Width(), 1024);
    EXPECT_EQ(Screen->Height(), 768);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 1024, 738));
    const struct {
        TPoint P;
        TMonitorDefaultTo Default;
        int Expected;  // -1: none
    } Cases[] = {
        {{10, 10}, mdNearest, 0},    {{-10, 10}, mdNearest, 1},    {{-1280, 1023}, mdNearest, 1},
        {{2000, 100}, mdNearest, 0}, {{-2000, 100}, mdNearest, 1}, {{-5, 2000}, mdNearest, 1},
        {{2000, 100}, mdNull, -1},   {{-2000, 100}, mdPrimary, 0}, {{1024, 0}, mdNearest, 0},
    };
    for (const auto& C : Cases) {
        TMonitor* M = Screen->MonitorFromPoint(C.P, C.Default);
        EXPECT_EQ(M ? M->MonitorNum() : -1, C.Expected) << C.P.X << "," << C.P.Y;
    }
    EXPECT_EQ(Screen->MonitorFromPoint(TPoint{-10, 10})->WorkareaRect(), Rect(-1280, 0, 0, 984));
    TMonitor* Held = Screen->Monitors(1);
    EXPECT_THROW(Screen->Monitors(2), EListError);
    Screen->ResetOverrides();
    Screen->SetWorkAreaRect(Rect(0, 0, 640, 450));
    Screen->SetSize(640, 480);
    EXPECT_EQ(Screen->MonitorCount(), 1);
    EXPECT_EQ(Screen->Monitors(0)->WorkareaRect(), Rect(0, 0, 640, 450));
    EXPECT_EQ(Screen->Monitors(0), Screen->PrimaryMonitor());
    (void)Held;
    Screen->ResetOverrides();
    EXPECT_GE(Screen->MonitorCount(), 1);
}

TEST(PopupWindows, TheWheelCallsDownAndUpPerNotchWithThePointer) {
    auto Form = std::make_unique<TForm>(nullptr);
    auto* Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    std::vector<std::pair<char, TPoint>> Seen;
    Panel->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint P, bool& Handled) {
        Seen.emplace_back('d', P);
        Handled = true;
    };
    Panel->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint P, bool&) { Seen.emplace_back('u', P); };
    auto wheel = [&](int Delta) {
        return Panel->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(Delta))),
                              PointToLParam(300, 400));
    };
    EXPECT_EQ(wheel(-120), 1);
    EXPECT_EQ(wheel(60), 0);  // half a notch: nothing yet, the parent may take it
    wheel(60);
    wheel(-240);
    ASSERT_EQ(Seen.size(), 4u);
    EXPECT_EQ(Seen[0].first, 'd');
    EXPECT_EQ(Seen[1].first, 'u');
    EXPECT_EQ(Seen[2].first, 'd');
    EXPECT_EQ(Seen[3].first, 'd');
    EXPECT_EQ(Seen[0].second.X, 300);
    EXPECT_EQ(Seen[0].second.Y, 400);
    // OnMouseWheel handling the wheel keeps the notches from firing.
    Panel->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
    wheel(-120);
    EXPECT_EQ(Seen.size(), 4u);
}
