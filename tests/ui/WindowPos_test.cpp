// Windows told of their moves (WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED, seen by window-
// procedure hooks) and forms that show without taking activation.
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/LayeredWindows.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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

struct THookRecorder {
    struct TSeen {
        TControl* Control;
        UINT Msg;
        WINDOWPOS Pos;
    };
    std::vector<TSeen> Seen;
    int Id = 0;
    THookRecorder() {
        Id = AddWindowProcHook([this](TControl* C, TMessage& M) {
            if (M.Msg == WM_WINDOWPOSCHANGING || M.Msg == WM_WINDOWPOSCHANGED)
                Seen.push_back({C, M.Msg, *reinterpret_cast<WINDOWPOS*>(M.LParam)});
            return false;
        });
    }
    ~THookRecorder() { RemoveWindowProcHook(Id); }
};

}  // namespace

TEST(WindowPos, MovesOfWindowsReachTheHooksBeforeAndAfter) {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(10, 10, 200, 150);
    auto* Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    THookRecorder Hooks;
    Form->SetBounds(20, 30, 200, 150);  // no window yet: nobody to tell
    EXPECT_TRUE(Hooks.Seen.empty());
    Form->HandleNeeded();
    Form->SetBounds(40, 50, 210, 150);
    ASSERT_EQ(Hooks.Seen.size(), 2u);
    EXPECT_EQ(Hooks.Seen[0].Msg, WM_WINDOWPOSCHANGING);
    EXPECT_EQ(Hooks.Seen[1].Msg, WM_WINDOWPOSCHANGED);
    EXPECT_EQ(Hooks.Seen[1].Control, Form.get());
    EXPECT_EQ(Hooks.Seen[1].Pos.x, 40);
    EXPECT_EQ(Hooks.Seen[1].Pos.cx, 210);
    EXPECT_EQ(Hooks.Seen[0].Pos.flags & SWP_NOMOVE, 0u);
    Hooks.Seen.clear();
    Panel->SetBounds(5, 5, 50, 50);  // a child window is told too
    ASSERT_EQ(Hooks.Seen.size(), 2u);
    EXPECT_EQ(Hooks.Seen[1].Control, Panel);
    EXPECT_EQ(Hooks.Seen[1].Pos.flags & SWP_NOMOVE, 0u);
    Hooks.Seen.clear();
    Form->SetBounds(40, 50, 210, 150);  // no change: no message
    EXPECT_TRUE(Hooks.Seen.empty());
}

TEST(WindowPos, TheChangingMessageMayChangeThePlace) {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->HandleNeeded();
    const TWndMethod Old = Form->WindowProc;
    Form->WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(M.LParam)->cx = 123;
        Old(M);
    };
    Form->SetBounds(0, 0, 300, 100);
    EXPECT_EQ(Form->Width(), 123);
    Form->WindowProc = Old;
}

TEST(NoActivateForm, ShowsWithoutTakingActivationFromTheActiveForm) {
    auto Main = std::make_unique<TForm>(nullptr);
    Main->SetCaption(QStringLiteral("MainForNoActivate"));
    Main->SetBounds(0, 0, 200, 100);
    Main->Show();
    ASSERT_TRUE(pumpUntil([&] { return Main->Active(); }));
    auto Popup = std::make_unique<TForm>(nullptr);
    Popup->SetNoActivate(true);
    Popup->SetBorderStyle(bsNone);
    Popup->SetBounds(50, 50, 200, 22);
    Popup->Show();
    EXPECT_TRUE(pumpUntil([&] { return Popup->Showing(); }));
    for (int I = 0; I < 20; ++I) QCoreApplication::processEvents();
    EXPECT_TRUE(Main->Active());
    EXPECT_FALSE(Popup->Active());
}

TEST(WindowPos, AWindowCanLetTheMouseThrough) {
    auto Form = std::make_unique<TForm>(nullptr);
    EXPECT_FALSE(SetWindowTransparentToMouse(nullptr));
    Form->HandleNeeded();
    EXPECT_FALSE(WindowTransparentToMouse(Form->Handle()));
    EXPECT_TRUE(SetWindowTransparentToMouse(Form->Handle()));
    EXPECT_TRUE(WindowTransparentToMouse(Form->Handle()));
}
