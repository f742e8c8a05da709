#include "framework/ui/Forms.h"

#include "framework/ui/Dialogs.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <string>
#include <vector>

namespace {

template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

QWindow* windowTitled(const String& Title) {
    for (QWidget* W : QApplication::topLevelWidgets())
        if (W->isVisible() && W->windowTitle() == Title) return W->windowHandle();
    return nullptr;
}

// Queues a left click at At on the window titled Title, as a user's mouse would.
void postClick(const String& Title, QPoint At) {
    QTimer::singleShot(0, [Title, At] {
        QWindow* W = windowTitled(Title);
        if (!W) return;
        for (QEvent::Type T : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent E(T, QPointF(At), QPointF(W->mapToGlobal(At)), Qt::LeftButton,
                          T == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(W, &E);
        }
    });
}

// A form that counts its OnCreate and holds a button-like control at (10, 10, 50, 30).
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* AOwner, const String& Title = QStringLiteral("TestForm")) : TForm(AOwner) {
        SetCaption(Title);
        SetBounds(0, 0, 200, 150);
        Button = new TCustomControl(this);
        Button->SetParent(this);
        Button->SetBounds(10, 10, 50, 30);
        OnCreate = [this](TObject*) { ++Created; };
    }
    TCustomControl* Button;
    int Created = 0;
};

class FormsTest : public ::testing::Test {
protected:
    void TearDown() override {
        Application->OnException = nullptr;
        Application->ResetTerminated();
        pumpUntil([] { return true; });
    }
    TRecordingDialogService Recorder;
    TDialogServiceGuard Guard{&Recorder};
};

}  // namespace

TEST_F(FormsTest, OnCreateFiresOnceAfterConstructionAndTheFirstFormIsMain) {
    TTestForm* Viewed = TCustomForm::Create<TTestForm>(nullptr);
    EXPECT_EQ(Viewed->Created, 1);
    Viewed->Show();
    EXPECT_EQ(Viewed->Created, 1);
    Viewed->Free();

    TTestForm* Plain = new TTestForm(nullptr);  // not through a factory: OnCreate at first Show
    EXPECT_EQ(Plain->Created, 0);
    Plain->Show();
    EXPECT_EQ(Plain->Created, 1);
    Plain->Free();

    ASSERT_EQ(Application->MainForm(), nullptr);
    TTestForm* First = nullptr;
    TTestForm* Second = nullptr;
    Application->CreateForm(First);
    Application->CreateForm(Second);
    EXPECT_EQ(First->Created, 1);
    EXPECT_EQ(First->Owner(), Application);
    EXPECT_EQ(Application->MainForm(), First);
    First->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    Second->Free();
}

TEST_F(FormsTest, ShowModalReturnsTheResultAHandlerSets) {
    auto* Dialog = new TTestForm(nullptr, QStringLiteral("ModalForm"));
    Dialog->Button->OnClick = [Dialog](TObject*) { Dialog->SetModalResult(mrYes); };
    int Hidden = 0;
    Dialog->OnHide = [&](TObject*) { ++Hidden; };
    postClick(QStringLiteral("ModalForm"), QPoint(20, 20));
    EXPECT_EQ(Dialog->ShowModal(), mrYes);
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_EQ(Hidden, 1);

    // Close on a modal form answers mrCancel; a visible form cannot become modal.
    Dialog->OnShow = [Dialog](TObject*) { QTimer::singleShot(0, [Dialog] { Dialog->Close(); }); };
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    Dialog->OnShow = nullptr;
    Dialog->Show();
    EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
    Dialog->Free();
}

TEST_F(FormsTest, CloseQueryAndTheCloseActionDecideWhatCloseDoes) {
    struct Case {
        const char* Name;
        bool CanClose;
        TCloseAction Action;
        bool VisibleAfter;
        bool FreedAfter;
    };
    const Case Cases[] = {
        {"refused", false, caHide, true, false},
        {"hide", true, caHide, false, false},
        {"stay", true, caNone, true, false},
        {"free", true, caFree, true, true},
    };
    for (const Case& C : Cases) {
        auto* Form = new TTestForm(nullptr);
        TWeak<TCustomForm> Alive(Form);
        Form->OnCloseQuery = [&C](TObject*, bool& CanClose) { CanClose = C.CanClose; };
        Form->OnClose = [&C](TObject*, TCloseAction& Action) {
            EXPECT_EQ(Action, caHide);
            Action = C.Action;
        };
        Form->Show();
        Form->Close();
        if (C.FreedAfter) {
            EXPECT_TRUE(Alive) << C.Name << ": freed only once the handlers are done";
            EXPECT_TRUE(pumpUntil([&] { return !Alive; })) << C.Name;
            continue;
        }
        EXPECT_EQ(Form->Visible(), C.VisibleAfter) << C.Name;
        Form->Free();
    }
}

TEST_F(FormsTest, ClosingTheMainFormEndsRun) {
    TTestForm* Main = nullptr;
    Application->CreateForm(Main);
    ASSERT_EQ(Application->MainForm(), Main);
    int Shown = 0;
    Main->OnShow = [&](TObject*) {
        ++Shown;
        QTimer::singleShot(0, [Main] { Main->Close(); });
    };
    Application->Run();
    EXPECT_EQ(Shown, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Main->Visible());
    Main->Free();
}

TEST_F(FormsTest, AnExceptionInOnClickIsShownAndTheProgramGoesOn) {
    auto* Form = new TTestForm(nullptr, QStringLiteral("ThrowingForm"));
    Application->SetTitle(QStringLiteral("Downloader"));
    int Clicks = 0;
    Form->Button->OnClick = [&](TObject*) {
        ++Clicks;
        throw EConvertError(QStringLiteral("'abc' is not a valid integer value"));
    };
    Form->Show();
    ASSERT_TRUE(pumpUntil([] { return windowTitled(QStringLiteral("ThrowingForm")) != nullptr; }));
    postClick(QStringLiteral("ThrowingForm"), QPoint(20, 20));
    ASSERT_TRUE(pumpUntil([&] { return Recorder.Count() == 1; }));
    EXPECT_EQ(Recorder.Last().Text, QStringLiteral("'abc' is not a valid integer value."));
    EXPECT_EQ(Recorder.Last().Caption, QStringLiteral("Downloader"));
    EXPECT_EQ(Recorder.Last().Flags, MB_OK | MB_ICONSTOP);

    // The program goes on: the next click is handled again.
    postClick(QStringLiteral("ThrowingForm"), QPoint(20, 20));
    ASSERT_TRUE(pumpUntil([&] { return Clicks == 2; }));
    EXPECT_EQ(Recorder.Count(), 2);
    Form->Free();
    Application->SetTitle(String());
}

// Form events are guarded like control events: what escapes is shown and the form goes on, and
// a handler that frees its own form ends the path that called it.
TEST_F(FormsTest, FormEventsShowWhatEscapesAndStopAtAFormTheyFreed) {
    auto* Form = new TTestForm(nullptr, QStringLiteral("EventsForm"));
    const auto raise = [](const char* Text) { throw Exception(QString::fromLatin1(Text)); };
    Form->OnCreate = [&](TObject*) { raise("create failed"); };
    Form->OnShow = [&](TObject*) { raise("show failed"); };
    Form->OnHide = [&](TObject*) { raise("hide failed"); };
    Form->AfterConstruction();
    Form->Show();
    EXPECT_TRUE(Form->Visible());
    Form->Hide();
    EXPECT_FALSE(Form->Visible());
    ASSERT_EQ(Recorder.Count(), 3);
    EXPECT_EQ(Recorder.Last().Text, QStringLiteral("hide failed."));

    // A close query that raises refuses the close; the exception reaches the caller's boundary.
    Form->OnShow = nullptr;
    Form->OnHide = nullptr;
    Form->OnCloseQuery = [&](TObject*, bool&) { raise("query failed"); };
    Form->Show();
    EXPECT_THROW(Form->Close(), Exception);
    EXPECT_TRUE(Form->Visible());

    // A close handler that frees its own form: nothing touches the form afterwards.
    Form->OnCloseQuery = nullptr;
    Form->OnClose = [Form](TObject*, TCloseAction& Action) {
        Form->Free();
        Action = caHide;
    };
    const TWeak<TForm> Alive(Form);
    Form->Close();
    EXPECT_FALSE(Alive);
}

TEST_F(FormsTest, AbortIsSilentAndOnExceptionReplacesTheMessageBox) {
    TForm Sender(nullptr);
    try {
        Abort();
    } catch (...) {
        Application->HandleException(&Sender);
    }
    EXPECT_EQ(Recorder.Count(), 0);

    std::vector<String> Seen;
    Application->OnException = [&](TObject* From, Exception* E) {
        EXPECT_EQ(From, &Sender);
        Seen.push_back(E->Message());
    };
    try {
        throw std::runtime_error("plain failure");
    } catch (...) {
        Application->HandleException(&Sender);
    }
    EXPECT_EQ(Seen, std::vector<String>{QStringLiteral("plain failure")});
    EXPECT_EQ(Recorder.Count(), 0);
}

TEST_F(FormsTest, FocusExitsTheOldChainAndEntersTheNewInOrder) {
    auto* Form = new TTestForm(nullptr, QStringLiteral("FocusForm"));
    auto* Panel = new TCustomControl(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 50, 200, 100);
    auto* Inner = new TCustomControl(Form);
    Inner->SetParent(Panel);
    Inner->SetBounds(5, 5, 40, 20);
    std::vector<String> Order;
    auto Track = [&](TWinControl* C, const char* Name) {
        C->OnEnter = [&Order, Name](TObject*) { Order.push_back(QStringLiteral("enter ") + QLatin1String(Name)); };
        C->OnExit = [&Order, Name](TObject*) { Order.push_back(QStringLiteral("exit ") + QLatin1String(Name)); };
    };
    Track(Form->Button, "button");
    Track(Panel, "panel");
    Track(Inner, "inner");
    Form->Show();
    Form->Button->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Form->Button->Focused(); }));
    Order.clear();
    Inner->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return Inner->Focused(); }));
    EXPECT_EQ(Order, (std::vector<String>{QStringLiteral("exit button"), QStringLiteral("enter panel"),
                                          QStringLiteral("enter inner")}));
    EXPECT_EQ(Form->ActiveControl(), Inner);
    EXPECT_EQ(Screen->ActiveControl(), Inner);

    Panel->Hide();
    EXPECT_FALSE(Inner->CanFocus());
    EXPECT_THROW(Inner->SetFocus(), EInvalidOperation);
    Form->Free();
}

TEST_F(FormsTest, PositionCentresOnTheScreenWhenFirstShown) {
    Screen->SetSize(1000, 800);
    Screen->SetWorkAreaRect(Rect(0, 0, 1000, 760));
    auto* Form = new TTestForm(nullptr);
    Form->SetPosition(poScreenCenter);
    Form->Show();
    EXPECT_EQ(Form->BoundsRect(), Bounds(400, 305, 200, 150));
    Form->Free();
    Screen->ResetOverrides();
}

namespace {

// Counts the keys and clicks that reach it, and what else ran before each.
class TInputCounter : public QWidget {
public:
    std::vector<std::string> Seen;
    bool* OtherRan = nullptr;

protected:
    void keyPressEvent(QKeyEvent*) override { Seen.push_back(*OtherRan ? "key after" : "key before"); }
    void mousePressEvent(QMouseEvent*) override { Seen.push_back(*OtherRan ? "click after" : "click before"); }
};

TEST(ProcessMessagesWithoutInput, RunsOtherEventsAndHoldsInputBackInOrder) {
    TInputCounter W;
    bool OtherRan = false;
    W.OtherRan = &OtherRan;
    QCoreApplication::postEvent(&W, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    QCoreApplication::postEvent(&W, new QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QMetaObject::invokeMethod(
        &W, [&] { OtherRan = true; }, Qt::QueuedConnection);
    Application->ProcessMessagesWithoutInput();
    EXPECT_TRUE(OtherRan);
    EXPECT_TRUE(W.Seen.empty());
    Application->ProcessMessages();
    EXPECT_EQ(W.Seen, (std::vector<std::string>{"key after", "click after"}));
}

}  // namespace
