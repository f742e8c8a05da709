// Forms, the application object and the screen.
#include "framework/ui/Forms.h"

#include "framework/rtl/Threads.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/HintWindow.h"
#include "framework/ui/PlatformFacts.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

// ---------------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FFormState.Include(fsCreating);
    SetVisible(false);
    SetColor(clBtnFace);
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
    if (!FDestroyFired) {
        FDestroyFired = true;
        DoDestroy();
    }
    if (Screen) {
        auto& L = Screen->FForms;
        L.erase(std::remove(L.begin(), L.end(), this), L.end());
        if (Screen->FActiveForm == this) Screen->setActive(nullptr, nullptr);
    }
}

void TCustomForm::BeforeDestruction() {
    if (!FDestroyFired) {
        FDestroyFired = true;
        DoDestroy();
    }
    if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
    TWinControl::BeforeDestruction();
}

void TCustomForm::AfterConstruction() {
    if (FCreated) return;
    FCreated = true;
    FFormState.Exclude(fsCreating);
    DoCreate();
}

namespace {

// Creation, destruction, showing and hiding are not answers to a window message, so no dispatch
// boundary is above them: an exception escaping their handler is shown here and the form goes on.
template <class... A>
void fireCaught(TObject* Sender, const std::function<void(A...)>& Event, A... Args) {
    if (!Event) return;
    try {
        FireEvent(Event, Args...);
    } catch (...) {
        if (Application) Application->HandleException(Sender);
    }
}

}  // namespace

void TCustomForm::DoCreate() { fireCaught(this, OnCreate, static_cast<TObject*>(this)); }

void TCustomForm::DoDestroy() { fireCaught(this, OnDestroy, static_cast<TObject*>(this)); }

void TCustomForm::DoShow() { fireCaught(this, OnShow, static_cast<TObject*>(this)); }

void TCustomForm::DoHide() { fireCaught(this, OnHide, static_cast<TObject*>(this)); }

// Closing and activation answer messages or calls whose dispatch boundary shows what escapes.
void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) FireEvent(OnClose, this, Action);
}

void TCustomForm::Activate() {
    if (OnActivate) FireEvent(OnActivate, this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) FireEvent(OnDeactivate, this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    applyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    applyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    applyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (FWindowState == Value) return;
    FWindowState = Value;
    TControlWidget* W = Data()->Widget;
    if (!W || !W->isVisible()) return;
    switch (Value) {
        case wsMinimized:
            W->showMinimized();
            break;
        case wsMaximized:
            W->showMaximized();
            break;
        default:
            W->showNormal();
            break;
    }
}

void TCustomForm::SetNoActivate(bool Value) {
    if (FNoActivate == Value) return;
    FNoActivate = Value;
    applyWindowFlags();
}

void TCustomForm::SetAlphaBlend(bool Value) {
    FAlphaBlend = Value;
    if (TControlWidget* W = Data()->Widget) W->setWindowOpacity(Value ? FAlphaBlendValue / 255.0 : 1.0);
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
    FAlphaBlendValue = Value;
    SetAlphaBlend(FAlphaBlend);
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    applyWindowFlags();
    SetAlphaBlend(FAlphaBlend);
}

void TCustomForm::applyWindowFlags() {
    TControlWidget* W = Data()->Widget;
    if (!W || !W->isWindow()) return;
    Qt::WindowFlags Flags;
    switch (FBorderStyle) {
        case bsNone:
            Flags = Qt::Window | Qt::FramelessWindowHint;
            break;
        case bsDialog:
            Flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
            break;
        case bsToolWindow:
            Flags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint;
            break;
        case bsSizeToolWin:
            Flags = Qt::Tool;
            break;
        case bsSingle:
            Flags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
            break;
        default:
            Flags = Qt::Window;
            break;
    }
    if (FBorderStyle != bsNone) {
        Flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons.Contains(biSystemMenu)) Flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        // Dialog frames carry no minimise or maximise box on the platform.
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
            if (FBorderIcons.Contains(biMinimize)) Flags |= Qt::WindowMinimizeButtonHint;
            if (FBorderIcons.Contains(biMaximize)) Flags |= Qt::WindowMaximizeButtonHint;
        }
        if (FBorderIcons.Contains(biHelp)) Flags |= Qt::WindowContextHelpButtonHint;
    }
    TCreateParams Params;
    CreateParams(Params);
    if (FFormStyle == fsStayOnTop || FTopMost || (Params.ExStyle & WS_EX_TOPMOST)) Flags |= Qt::WindowStaysOnTopHint;
    // The window system activates any window it manages when shown; one it leaves alone (as it
    // does tool tips) never takes activation, and has no frame or task-bar entry either.
    if (FNoActivate) Flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    W->setAttribute(Qt::WA_ShowWithoutActivating, FNoActivate);
    // An owned window is a Qt window with its owner's window as parent: it stays above it and is
    // hidden with it.
    QWidget* Owner = nullptr;
    if (TWinControl* O = FindControl(Params.WndParent); O && O != this && !ContainsControl(O))
        Owner = ControlWidgetOf(O);
    const bool WasVisible = W->isVisible();
    if (W->parentWidget() != Owner)
        W->setParent(Owner, Flags);
    else
        W->setWindowFlags(Flags);
    if (WasVisible) W->show();
}

void TCustomForm::setTopMost(bool Value) {
    if (FTopMost == Value) return;
    FTopMost = Value;
    applyWindowFlags();
}

void TCustomForm::applyPosition() {
    if (FPositioned) return;
    FPositioned = true;
    TCustomForm* Center = nullptr;
    switch (FPosition) {
        case poScreenCenter:
        case poDesktopCenter: {
            const TRect R = Screen ? Screen->WorkAreaRect() : Rect(0, 0, 800, 600);
            SetBounds(R.Left + (R.Width() - Width()) / 2, R.Top + (R.Height() - Height()) / 2, Width(), Height());
            return;
        }
        case poMainFormCenter:
            Center = Application ? Application->MainForm() : nullptr;
            break;
        case poOwnerFormCenter:
            Center = dynamic_cast<TCustomForm*>(Owner());
            break;
        default:
            return;
    }
    if (!Center || Center == this) {
        FPositioned = false;
        const TPosition Saved = FPosition;
        FPosition = poScreenCenter;
        applyPosition();
        FPosition = Saved;
        return;
    }
    SetBounds(Center->Left() + (Center->Width() - Width()) / 2, Center->Top() + (Center->Height() - Height()) / 2,
              Width(), Height());
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage& Message) {
    if (Visible()) {
        AfterConstruction();
        applyPosition();
        HandleNeeded();
        const TWeak<TCustomForm> Alive(this);
        DoShow();
        if (!Alive || !Visible()) return;
        FFormState.Include(fsVisible);
        TControlWidget* W = Data()->Widget;
        if (!W) return;
        switch (FWindowState) {
            case wsMinimized:
                W->showMinimized();
                break;
            case wsMaximized:
                W->showMaximized();
                break;
            default:
                W->show();
                break;
        }
        if (FNoActivate) return;
        W->activateWindow();
        focusActiveControl();
    } else {
        FFormState.Exclude(fsVisible);
        const TWeak<TCustomForm> Alive(this);
        if (Data()->Widget && Data()->Widget->isVisible()) DoHide();
        if (!Alive) return;
        if (TControlWidget* W = Data()->Widget) W->hide();
    }
}

void TCustomForm::CMTextChanged(TMessage& Message) {
    if (TControlWidget* W = Data()->Widget) W->setWindowTitle(Caption());
    DefaultHandler(Message);
}

bool TCustomForm::CloseQuery() {
    bool CanClose = true;
    if (OnCloseQuery) FireEvent(OnCloseQuery, this, CanClose);
    return CanClose;
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    const TWeak<TCustomForm> Alive(this);
    if (!CloseQuery() || !Alive) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (!Alive || Action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (Action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            SetWindowState(wsMinimized);
            break;
        default:
            Release();
            break;
    }
}

void TCustomForm::closeModal() {
    const TWeak<TCustomForm> Alive(this);
    TCloseAction Action = caNone;
    if (CloseQuery()) {
        if (!Alive) return;
        Action = caHide;
        DoClose(Action);
    }
    if (!Alive) return;
    switch (Action) {
        case caNone:
            FModalResult = mrNone;
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FFormState.Contains(fsModal))
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    if (!Application) throw EInvalidOperation(QStringLiteral("No application object"));
    SetCaptureControl(nullptr);
    FFormState.Include(fsModal);
    FModalResult = mrNone;
    HandleNeeded();
    Data()->Widget->setWindowModality(Qt::ApplicationModal);
    const TWeak<TCustomForm> Alive(this);
    auto Finish = [&] {
        if (!Alive) return;
        FFormState.Exclude(fsModal);
        Hide();
        if (TControlWidget* W = Data()->Widget) W->setWindowModality(Qt::NonModal);
    };
    try {
        Show();
        while (Alive) {
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                closeModal();
            if (!Alive || FModalResult != mrNone) break;
            Application->HandleMessage();
        }
    } catch (...) {
        Finish();
        throw;
    }
    const TModalResult Result = Alive ? FModalResult : mrCancel;
    Finish();
    return Result;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    if (Control && (Control == this || GetParentForm(Control) != this || !Control->CanFocus()))
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    FActiveControl = Control;
    if (FActive && Control) focusActiveControl();
}

void TCustomForm::focusActiveControl() {
    TControlWidget* W = Data()->Widget;
    if (!W || !W->isVisible()) return;
    TWinControl* Target = FActiveControl;
    if (!Target) Target = FindNextControl(nullptr, true, true, false);
    if (Target && Target->CanFocus()) {
        Target->HandleNeeded();
        if (QWidget* TW = ControlWidgetOf(Target)) TW->setFocus(Qt::OtherFocusReason);
    } else {
        W->setFocus(Qt::OtherFocusReason);
    }
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (!Control->CanFocus()) throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    FActiveControl = Control;
    TControlWidget* W = Data()->Widget;
    if (W && W->isVisible()) {
        Control->HandleNeeded();
        if (QWidget* CW = ControlWidgetOf(Control)) CW->setFocus(Qt::OtherFocusReason);
    }
}

void TCustomForm::SetFocus() {
    if (!Visible() || !Enabled())
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    if (TControlWidget* W = Data()->Widget) {
        W->activateWindow();
        focusActiveControl();
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (Control != this) FActiveControl = Control;
    if (Screen) Screen->setActive(this, Control);
    if (FFocusedControl == Control) return true;
    const TWeak<TCustomForm> Alive(this);
    // An exit or enter handler may free the form, the control or one on the way: the walk stops.
    const TWeak<TWinControl> Target(Control);
    // Exit the old chain up to the common parent, then enter the new one downwards.
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
        TWinControl* Leaving = FFocusedControl;
        FFocusedControl = Leaving->Parent();
        Leaving->Perform(CM_EXIT, 0, 0);
        if (!Alive || !Target) return false;
    }
    while (FFocusedControl != Control) {
        TWinControl* Next = Control;
        while (Next->Parent() != FFocusedControl && Next->Parent()) Next = Next->Parent();
        FFocusedControl = Next;
        Next->Perform(CM_ENTER, 0, 0);
        if (!Alive || !Target) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
    if (Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (!Removing && FActive && Data()->Widget) Data()->Widget->setFocus(Qt::OtherFocusReason);
    }
    if (Screen && Screen->FActiveControl && Control->ContainsControl(Screen->FActiveControl))
        Screen->FActiveControl = nullptr;
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CLOSE:
            WMClose(Message);
            break;
        case WM_ACTIVATE:
            WMActivate(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_DIALOGKEY:
            CMDialogKey(Message);
            break;
        case WM_NEXTDLGCTL:
            WMNextDlgCtl(Message);
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

void TCustomForm::WMNextDlgCtl(TMessage& Message) {
    TWinControl* Next = nullptr;
    if (LOWORD(static_cast<DWORD>(Message.LParam)) != 0) {
        Next = FindControl(reinterpret_cast<HWND>(Message.WParam));
    } else {
        TWinControl* Current = FActiveControl ? FActiveControl : Screen ? Screen->ActiveControl() : nullptr;
        Next = FindControl(GetNextDlgTabItem(
            Handle(), Current && Current->HandleAllocated() ? Current->Handle() : nullptr, Message.WParam != 0));
    }
    if (Next && Next->CanFocus()) Next->SetFocus();
}

void TCustomForm::WMClose(TMessage& Message) { Close(); }

void TCustomForm::WMActivate(TMessage& Message) {
    const bool NowActive = LOWORD(Message.WParam) != WA_INACTIVE;
    if (NowActive == FActive) return;
    FActive = NowActive;
    if (NowActive) {
        FFormState.Include(fsActivated);
        if (Screen) Screen->setActive(this, FActiveControl);
        const TWeak<TCustomForm> Alive(this);
        Activate();
        if (Alive) focusActiveControl();
    } else {
        Deactivate();
    }
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    TWMKey M(Message);
    switch (M.CharCode) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, M.CharCode == VK_RIGHT || M.CharCode == VK_DOWN,
                                                     false);
                Message.Result = 1;
            }
            return;
        default:
            break;
    }
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FHintWindowClass(DefaultHintWindowClass) {}

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

void TApplication::installHooks() {
    if (FHooked || !QCoreApplication::instance()) return;
    FHooked = true;
    ApplicationHandleException = [](TObject* Sender) {
        if (Application) Application->HandleException(Sender);
    };
    if (auto* Gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(Gui, &QGuiApplication::applicationStateChanged, Gui, [](Qt::ApplicationState State) {
            TApplication* App = Application;
            if (!App) return;
            try {
                const bool NowActive = State == Qt::ApplicationActive;
                if (NowActive == App->FActive) return;
                App->FActive = NowActive;
                if (!NowActive) App->CancelHint();
                if (NowActive && App->OnActivate) FireEvent(App->OnActivate, App);
                if (!NowActive && App->OnDeactivate) FireEvent(App->OnDeactivate, App);
            } catch (...) {
                App->HandleException(App);
            }
        });
    }
}

void TApplication::Initialize() {
    if (!QCoreApplication::instance()) {
        static int Argc = 1;
        static char Name[] = "application";
        static char* Argv[] = {Name, nullptr};
        new QApplication(Argc, Argv);
    }
    installHooks();
}

void TApplication::Initialize(int& Argc, char** Argv) {
    if (!QCoreApplication::instance()) new QApplication(Argc, Argv);
    installHooks();
}

const String& TApplication::Title() const {
    if (!FTitle.isEmpty()) return FTitle;
    FDefaultTitle = QCoreApplication::instance() ? QCoreApplication::applicationName() : String();
    return FDefaultTitle;
}

void TApplication::SetTitle(const String& Value) {
    FTitle = Value;
    SetDialogApplicationTitle(Value);
}

void TApplication::setMainForm(TCustomForm* Form) {
    FMainForm = Form;
    if (Form) Form->FreeNotification(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::Run() {
    installHooks();
    if (!FMainForm) return;
    if (FShowMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
    if (FMainForm) FMainForm->Hide();
}

void TApplication::ProcessMessages() {
    installHooks();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {

bool isUserInput(QEvent::Type Type) {
    switch (Type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

// Holds back the user input that reaches any object while it lives (also input posted as Qt
// events, which the event loop's own exclusion lets through) and posts it again when it goes.
class TInputDeferral : public QObject {
public:
    TInputDeferral() { QCoreApplication::instance()->installEventFilter(this); }
    ~TInputDeferral() override {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [Target, Event] : FHeld)
            if (Target) QCoreApplication::postEvent(Target, Event.release());
    }
    TInputDeferral(const TInputDeferral&) = delete;
    TInputDeferral& operator=(const TInputDeferral&) = delete;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (!isUserInput(Event->type())) return false;
        FHeld.emplace_back(QPointer<QObject>(Watched), std::unique_ptr<QEvent>(Event->clone()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> FHeld;
};

}  // namespace

void TApplication::ProcessMessagesWithoutInput() {
    installHooks();
    if (!QCoreApplication::instance()) return;
    const TInputDeferral Deferral;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TApplication::HandleMessage() {
    installHooks();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::Terminate() {
    FTerminated = true;
    // Wakes a loop waiting for events.
    if (QCoreApplication* App = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            App, [] {}, Qt::QueuedConnection);
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr Current = std::current_exception();
    if (!Current) return;
    try {
        try {
            std::rethrow_exception(Current);
        } catch (const EAbort&) {
            return;
        } catch (Exception& E) {
            if (OnException)
                OnException(Sender, &E);
            else
                ShowException(&E);
        } catch (const std::exception& E) {
            Exception Wrapped(String::fromLocal8Bit(E.what()));
            if (OnException)
                OnException(Sender, &Wrapped);
            else
                ShowException(&Wrapped);
        } catch (...) {
            Exception Wrapped(QStringLiteral("Unknown exception"));
            if (OnException)
                OnException(Sender, &Wrapped);
            else
                ShowException(&Wrapped);
        }
    } catch (...) {
        // The handler itself failed: say so where it can still be seen, and go on.
        std::fputs("Exception in the application's exception handler\n", stderr);
    }
}

void TApplication::ShowException(Exception* E) {
    String Msg = E->Message();
    if (!Msg.isEmpty() && Msg.back() > QLatin1Char('.')) Msg += QLatin1Char('.');
    ::MessageBox(Msg, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
    return ::MessageBox(Text, Caption, Flags);
}

// ---------------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

int TScreen::Width() const {
    if (FSize) return FSize->cx;
    if (!FMonitorOverride.empty()) return FMonitorOverride.front().first.Width();
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().width() : 800;
}

int TScreen::Height() const {
    if (FSize) return FSize->cy;
    if (!FMonitorOverride.empty()) return FMonitorOverride.front().first.Height();
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().height() : 600;
}

void TScreen::SetSize(int AWidth, int AHeight) { FSize = TSize{AWidth, AHeight}; }

TRect TScreen::WorkAreaRect() const {
    if (FWorkArea) return *FWorkArea;
    if (FSize) return Rect(0, 0, FSize->cx, FSize->cy);
    if (!FMonitorOverride.empty()) return FMonitorOverride.front().second;
    const QScreen* S = QGuiApplication::primaryScreen();
    if (!S) return Rect(0, 0, 800, 600);
    const QRect R = S->availableGeometry();
    return Rect(R.x(), R.y(), R.x() + R.width(), R.y() + R.height());
}

TFont* TScreen::MenuFont() {
    if (!FMenuFont) FMenuFont = std::make_unique<TFont>();
    const bool Vista = PlatformFacts().MajorVersion >= 6;
    FMenuFont->SetName(Vista ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"));
    FMenuFont->SetSize(Vista ? 9 : 8);
    FMenuFont->SetStyle({});
    FMenuFont->SetColor(clWindowText);
    return FMenuFont.get();
}

void TScreen::SetMonitors(const std::vector<std::pair<TRect, TRect>>& Displays) { FMonitorOverride = Displays; }

void TScreen::refreshMonitors() const {
    std::vector<std::pair<TRect, TRect>> Displays = FMonitorOverride;
    if (Displays.empty() && (FSize || FWorkArea)) {
        Displays.emplace_back(Rect(0, 0, Width(), Height()), WorkAreaRect());
    } else if (Displays.empty()) {
        const QScreen* Primary = QGuiApplication::primaryScreen();
        std::vector<const QScreen*> Screens;
        if (Primary) Screens.push_back(Primary);
        for (const QScreen* S : QGuiApplication::screens())
            if (S != Primary) Screens.push_back(S);
        auto rectOf = [](const QRect& R) { return Rect(R.x(), R.y(), R.x() + R.width(), R.y() + R.height()); };
        for (const QScreen* S : Screens) Displays.emplace_back(rectOf(S->geometry()), rectOf(S->availableGeometry()));
        if (Displays.empty()) Displays.emplace_back(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));
    }
    // The objects stay where they are, so a monitor a caller holds stays valid.
    while (FMonitors.size() < Displays.size()) FMonitors.push_back(std::make_unique<TMonitor>());
    FMonitors.resize(Displays.size());
    for (size_t I = 0; I < Displays.size(); ++I) {
        FMonitors[I]->FMonitorNum = static_cast<int>(I);
        FMonitors[I]->FBounds = Displays[I].first;
        FMonitors[I]->FWorkarea = Displays[I].second;
    }
}

int TScreen::MonitorCount() const {
    refreshMonitors();
    return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index) const {
    refreshMonitors();
    if (Index < 0 || Index >= static_cast<int>(FMonitors.size()))
        throw EListError(QStringLiteral("Monitor index out of bounds (%1)").arg(Index));
    return FMonitors[size_t(Index)].get();
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default) const {
    refreshMonitors();
    TMonitor* Nearest = nullptr;
    Int64 Best = 0;
    for (const auto& M : FMonitors) {
        const TRect R = M->FBounds;
        if (Point.X >= R.Left && Point.X < R.Right && Point.Y >= R.Top && Point.Y < R.Bottom) return M.get();
        // Distance to the rectangle, squared.
        const Int64 DX = Point.X < R.Left ? R.Left - Point.X : Point.X >= R.Right ? Point.X - R.Right + 1 : 0;
        const Int64 DY = Point.Y < R.Top ? R.Top - Point.Y : Point.Y >= R.Bottom ? Point.Y - R.Bottom + 1 : 0;
        if (!Nearest || DX * DX + DY * DY < Best) {
            Nearest = M.get();
            Best = DX * DX + DY * DY;
        }
    }
    switch (Default) {
        case mdNull:
            return nullptr;
        case mdPrimary:
            return FMonitors.empty() ? nullptr : FMonitors.front().get();
        default:
            return Nearest;
    }
}

void TScreen::ResetOverrides() {
    FMonitorOverride.clear();
    FSize.reset();
    FWorkArea.reset();
    FPixelsPerInch = 96;
}

void TScreen::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    const bool Had = FCursor != crDefault;
    FCursor = Value;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (Had) QGuiApplication::restoreOverrideCursor();
    if (Value != crDefault) QGuiApplication::setOverrideCursor(QtCursorOfIndex(Value));
}

HCURSOR TScreen::Cursors(TCursor Index) const { return ScreenCursor(Index); }

void TScreen::SetCursors(TCursor Index, HCURSOR Value) { SetScreenCursor(Index, Value); }

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount()) throw EListError(QStringLiteral("Form index out of bounds (%1)").arg(Index));
    return FForms[size_t(Index)];
}

void TScreen::setActive(TCustomForm* Form, TWinControl* Control) {
    const bool FormChanged = Form != FActiveForm;
    const bool ControlChanged = Control != FActiveControl;
    FActiveForm = Form;
    FActiveControl = Control;
    if (FormChanged && OnActiveFormChange) OnActiveFormChange(this);
    if (ControlChanged && OnActiveControlChange) OnActiveControlChange(this);
}

HWND GetNextDlgTabItem(HWND Dlg, HWND Ctl, BOOL Previous) {
    TWinControl* Dialog = FindControl(Dlg);
    if (!Dialog) return nullptr;
    TWinControl* Found = Dialog->FindNextControl(FindControl(Ctl), Previous == 0, true, false);
    return Found ? Found->Handle() : nullptr;
}
