// A handler that frees its own control ("close this panel") must leave the window layer touching
// nothing of the control afterwards; the sanitizer build turns any such touch into a failure.
#include "framework/ui/Buttons.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <string>

namespace {

enum class TKind { Panel, CheckBox, SpeedButton, Label };
enum class TFreer { Click, MouseDown, MouseUp, DblClick, KeyDown, KeyUp, KeyPress, PreviewKeyDown };
enum class TRoute { Perform, Widget };

const char* kindName(TKind K) {
    switch (K) {
        case TKind::Panel:
            return "panel";
        case TKind::CheckBox:
            return "check box";
        case TKind::SpeedButton:
            return "speed button";
        case TKind::Label:
            return "label";
    }
    return "";
}

const char* freerName(TFreer F) {
    switch (F) {
        case TFreer::Click:
            return "OnClick";
        case TFreer::MouseDown:
            return "OnMouseDown";
        case TFreer::MouseUp:
            return "OnMouseUp";
        case TFreer::DblClick:
            return "OnDblClick";
        case TFreer::KeyDown:
            return "OnKeyDown";
        case TFreer::KeyUp:
            return "OnKeyUp";
        case TFreer::KeyPress:
            return "OnKeyPress";
        case TFreer::PreviewKeyDown:
            return "form's OnKeyDown with KeyPreview";
    }
    return "";
}

bool isKey(TFreer F) { return F >= TFreer::KeyDown; }

void pump() {
    for (int I = 0; I < 5; ++I) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// A shown form, for the route through the Qt widgets; its title tells its window.
class FreedByOwnHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetCaption(QStringLiteral("FreedByOwnHandlerForm"));
        Form->SetBounds(10, 10, 300, 200);
        Form->Show();
        const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!window() && std::chrono::steady_clock::now() < Limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_NE(window(), nullptr);
    }
    void TearDown() override {
        SetCaptureControl(nullptr);
        Form->Free();
        pump();
    }

    QWindow* window() const {
        for (QWidget* W : QApplication::topLevelWidgets())
            if (W->isVisible() && W->windowTitle() == Form->Caption()) return W->windowHandle();
        return nullptr;
    }

    TControl* make(TKind Kind) {
        TControl* C = nullptr;
        switch (Kind) {
            case TKind::Panel:
                C = new TPanel(Form);
                break;
            case TKind::CheckBox:
                C = new TCheckBox(Form);
                break;
            case TKind::SpeedButton:
                C = new TSpeedButton(Form);
                break;
            case TKind::Label:
                C = new TLabel(Form);
                break;
        }
        C->SetParent(Form);
        C->SetBounds(20, 30, 80, 40);
        C->SetCaption(QStringLiteral("Close"));
        return C;
    }

    // The handler reads its captures after the free, as a real one that tidies up does.
    void armFreer(TFreer Freer) {
        auto FreeIt = [this] {
            Victim->Free();
            Victim = nullptr;
            ++Frees;
        };
        auto* Win = dynamic_cast<TWinControl*>(Victim);
        switch (Freer) {
            case TFreer::Click:
                Victim->OnClick = [FreeIt](TObject*) { FreeIt(); };
                break;
            case TFreer::DblClick:
                Victim->OnDblClick = [FreeIt](TObject*) { FreeIt(); };
                break;
            case TFreer::MouseDown:
                Victim->OnMouseDown = [FreeIt](TObject*, TMouseButton, TShiftState, int, int) { FreeIt(); };
                break;
            case TFreer::MouseUp:
                Victim->OnMouseUp = [FreeIt](TObject*, TMouseButton, TShiftState, int, int) { FreeIt(); };
                break;
            case TFreer::KeyDown:
                Win->OnKeyDown = [FreeIt](TObject*, Word&, TShiftState) { FreeIt(); };
                break;
            case TFreer::KeyUp:
                Win->OnKeyUp = [FreeIt](TObject*, Word&, TShiftState) { FreeIt(); };
                break;
            case TFreer::KeyPress:
                Win->OnKeyPress = [FreeIt](TObject*, Char&) { FreeIt(); };
                break;
            case TFreer::PreviewKeyDown:
                Form->SetKeyPreview(true);
                Form->OnKeyDown = [FreeIt](TObject*, Word&, TShiftState) { FreeIt(); };
                break;
        }
    }

    // The user's input for the event, step by step; nothing more is sent once the control is gone.
    void deliver(TFreer Freer, TRoute Route) {
        enum TStep { Down, Up, DblClk, KeyDown, Char, KeyUp };
        std::vector<TStep> Steps;
        switch (Freer) {
            case TFreer::Click:
            case TFreer::MouseDown:
            case TFreer::MouseUp:
                Steps = {Down, Up};
                break;
            case TFreer::DblClick:
                Steps = {Down, Up, DblClk, Up};
                break;
            default:
                Steps = {KeyDown, Char, KeyUp};
                break;
        }
        if (isKey(Freer) && Route == TRoute::Widget) {
            // Qt brings the character with the key press.
            Steps = {KeyDown, KeyUp};
            static_cast<TWinControl*>(Victim)->SetFocus();
            pump();
        }
        const LPARAM At = PointToLParam(10, 10);
        const QPoint InWindow(30, 40);
        for (TStep S : Steps) {
            if (!Victim) return;
            if (Route == TRoute::Perform) {
                switch (S) {
                    case Down:
                        Victim->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At);
                        break;
                    case Up:
                        Victim->Perform(WM_LBUTTONUP, 0, At);
                        break;
                    case DblClk:
                        Victim->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, At);
                        break;
                    case KeyDown:
                        Victim->Perform(WM_KEYDOWN, VK_SPACE, 1);
                        break;
                    case Char:
                        Victim->Perform(WM_CHAR, u' ', 1);
                        break;
                    case KeyUp:
                        Victim->Perform(WM_KEYUP, VK_SPACE, 1);
                        break;
                }
                continue;
            }
            if (S == KeyDown || S == KeyUp) {
                QKeyEvent E(S == KeyDown ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier,
                            QStringLiteral(" "));
                QCoreApplication::sendEvent(window(), &E);
                continue;
            }
            const QEvent::Type Type = S == Down ? QEvent::MouseButtonPress
                                      : S == Up ? QEvent::MouseButtonRelease
                                                : QEvent::MouseButtonDblClick;
            const Qt::MouseButtons Held = S == Up ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
            QMouseEvent E(Type, QPointF(InWindow), QPointF(window()->mapToGlobal(InWindow)), Qt::LeftButton, Held,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(window(), &E);
        }
    }

    TForm* Form = nullptr;
    TControl* Victim = nullptr;
    int Frees = 0;
};

TEST_F(FreedByOwnHandlerTest, InputStopsAtTheFreedControl) {
    const struct {
        TKind Kind;
        TFreer Freer;
    } Cases[] = {
        {TKind::Panel, TFreer::Click},           {TKind::Panel, TFreer::MouseDown},
        {TKind::Panel, TFreer::MouseUp},         {TKind::Panel, TFreer::DblClick},
        {TKind::Panel, TFreer::KeyDown},         {TKind::Panel, TFreer::KeyUp},
        {TKind::Panel, TFreer::KeyPress},        {TKind::Panel, TFreer::PreviewKeyDown},
        {TKind::CheckBox, TFreer::Click},        {TKind::CheckBox, TFreer::MouseDown},
        {TKind::CheckBox, TFreer::MouseUp},      {TKind::CheckBox, TFreer::DblClick},
        {TKind::CheckBox, TFreer::KeyDown},      {TKind::CheckBox, TFreer::KeyUp},
        {TKind::CheckBox, TFreer::KeyPress},     {TKind::SpeedButton, TFreer::Click},
        {TKind::SpeedButton, TFreer::MouseDown}, {TKind::SpeedButton, TFreer::MouseUp},
        {TKind::Label, TFreer::Click},           {TKind::Label, TFreer::MouseDown},
        {TKind::Label, TFreer::MouseUp},         {TKind::Label, TFreer::DblClick},
    };
    for (TRoute Route : {TRoute::Perform, TRoute::Widget}) {
        for (const auto& C : Cases) {
            const std::string Name = std::string(kindName(C.Kind)) + " freed by " + freerName(C.Freer) +
                                     (Route == TRoute::Perform ? " (Perform)" : " (widget)");
            Frees = 0;
            Form->SetKeyPreview(false);
            Form->OnKeyDown = nullptr;
            const int Before = Form->ControlCount();
            Victim = make(C.Kind);
            armFreer(C.Freer);
            deliver(C.Freer, Route);
            pump();
            EXPECT_EQ(Frees, 1) << Name;
            EXPECT_EQ(Victim, nullptr) << Name;
            EXPECT_EQ(Form->ControlCount(), Before) << Name << ": the form still lists the freed control";
            if (Victim) {
                Victim->Free();
                Victim = nullptr;
            }
        }
    }
}

// The form and the rest of its controls go on working after one of them freed itself.
TEST_F(FreedByOwnHandlerTest, SiblingsStillTakeInputAfterAFree) {
    Victim = make(TKind::Panel);
    armFreer(TFreer::Click);
    auto* Other = new TCheckBox(Form);
    Other->SetParent(Form);
    Other->SetBounds(150, 30, 80, 40);
    deliver(TFreer::Click, TRoute::Widget);
    pump();
    ASSERT_EQ(Victim, nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr) << "the freed control kept the mouse";
    const QPoint At(160, 40);
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent E(Type, QPointF(At), QPointF(window()->mapToGlobal(At)), Qt::LeftButton,
                      Type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(),
                      Qt::NoModifier);
        QCoreApplication::sendEvent(window(), &E);
    }
    EXPECT_TRUE(Other->Checked());
}

}  // namespace
