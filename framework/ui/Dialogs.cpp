#include "framework/ui/Dialogs.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Messages.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <iterator>

namespace {

struct ButtonInfo {
    const char* Caption;
    TModalResult Result;
    QMessageBox::ButtonRole Role;
};

constexpr ButtonInfo kButtons[] = {
    /* mbYes      */ {"&Yes", mrYes, QMessageBox::YesRole},
    /* mbNo       */ {"&No", mrNo, QMessageBox::NoRole},
    /* mbOK       */ {"OK", mrOk, QMessageBox::AcceptRole},
    /* mbCancel   */ {"Cancel", mrCancel, QMessageBox::RejectRole},
    /* mbAbort    */ {"&Abort", mrAbort, QMessageBox::RejectRole},
    /* mbRetry    */ {"&Retry", mrRetry, QMessageBox::AcceptRole},
    /* mbIgnore   */ {"&Ignore", mrIgnore, QMessageBox::AcceptRole},
    /* mbAll      */ {"&All", mrAll, QMessageBox::YesRole},
    /* mbNoToAll  */ {"N&o to All", mrNoToAll, QMessageBox::NoRole},
    /* mbYesToAll */ {"Yes to &All", mrYesToAll, QMessageBox::YesRole},
    /* mbHelp     */ {"&Help", mrNone, QMessageBox::HelpRole},
    /* mbClose    */ {"&Close", mrClose, QMessageBox::RejectRole},
};
static_assert(std::size(kButtons) == mbClose + 1);

constexpr const char* kTypeCaptions[] = {
    /* mtWarning      */ "Warning",
    /* mtError        */ "Error",
    /* mtInformation  */ "Information",
    /* mtConfirmation */ "Confirm",
    /* mtCustom       */ nullptr,  // the application title
};
static_assert(std::size(kTypeCaptions) == mtCustom + 1);

// MessageBox button groups by the low nibble of the flags, in the order the box shows them.
struct MessageBoxGroup {
    int Count;
    TMsgDlgBtn Buttons[3];
};
constexpr MessageBoxGroup kGroups[] = {
    /* MB_OK               */ {1, {mbOK, mbOK, mbOK}},
    /* MB_OKCANCEL         */ {2, {mbOK, mbCancel, mbCancel}},
    /* MB_ABORTRETRYIGNORE */ {3, {mbAbort, mbRetry, mbIgnore}},
    /* MB_YESNOCANCEL      */ {3, {mbYes, mbNo, mbCancel}},
    /* MB_YESNO            */ {2, {mbYes, mbNo, mbNo}},
    /* MB_RETRYCANCEL      */ {2, {mbRetry, mbCancel, mbCancel}},
};
static_assert(std::size(kGroups) == MB_RETRYCANCEL + 1);

TMsgDlgType iconType(UINT Flags) {
    switch (Flags & MB_ICONMASK) {
        case 0:
            return mtCustom;
        case MB_ICONHAND:
            return mtError;
        case MB_ICONQUESTION:
            return mtConfirmation;
        case MB_ICONEXCLAMATION:
            return mtWarning;
        case MB_ICONASTERISK:
            return mtInformation;
    }
    throw EArgumentException(QStringLiteral("MessageBox: unknown icon flag $%1").arg(Flags & MB_ICONMASK, 0, 16));
}

// The buttons a request shows, in display order.
std::vector<TMsgDlgBtn> shownButtons(const TDialogRequest& Request) {
    std::vector<TMsgDlgBtn> Result;
    if (Request.Kind == TDialogKind::MessageBox && (Request.Flags & MB_TYPEMASK) <= MB_RETRYCANCEL) {
        const MessageBoxGroup& G = kGroups[Request.Flags & MB_TYPEMASK];
        Result.assign(G.Buttons, G.Buttons + G.Count);
        return Result;
    }
    for (int B = mbYes; B <= mbClose; ++B)
        if (Request.Buttons.Contains(TMsgDlgBtn(B))) Result.push_back(TMsgDlgBtn(B));
    return Result;
}

// The button Escape or closing the window stands for; none when the box cannot be dismissed.
std::optional<TMsgDlgBtn> cancelButton(const TDialogRequest& Request) {
    const TMsgDlgButtons& B = Request.Buttons;
    if (B.Contains(mbCancel)) return mbCancel;
    if (Request.Kind == TDialogKind::MessageBox) {
        if (B == TMsgDlgButtons{mbOK}) return mbOK;
        return std::nullopt;
    }
    if (B.Contains(mbNo)) return mbNo;
    if (B.Contains(mbOK)) return mbOK;
    return std::nullopt;
}

bool onWindowThread() {
    QCoreApplication* App = QCoreApplication::instance();
    return !App || QThread::currentThread() == App->thread();
}

// A worker's question runs on the window thread; only the worker waits for the answer.
TModalResult ask(const TDialogRequest& Request) {
    if (onWindowThread()) return DialogService()->Execute(Request);
    TModalResult Result = mrNone;
    TThread::Synchronize(nullptr, [&] { Result = DialogService()->Execute(Request); });
    return Result;
}

// ---- the default service: a real modal message box ----

struct ShowingBox {
    QMessageBox* Box;
    std::vector<std::pair<QPushButton*, TMsgDlgBtn>> Buttons;
};
// Boxes open now, innermost last (a box may open from an event handled while another shows).
std::vector<ShowingBox>& showingBoxes() {
    static std::vector<ShowingBox> Boxes;
    return Boxes;
}

QMessageBox::Icon boxIcon(TMsgDlgType Type) {
    switch (Type) {
        case mtWarning:
            return QMessageBox::Warning;
        case mtError:
            return QMessageBox::Critical;
        case mtInformation:
            return QMessageBox::Information;
        case mtConfirmation:
            return QMessageBox::Question;
        case mtCustom:
            break;
    }
    return QMessageBox::NoIcon;
}

// The top-level window of the owner, so the box stays above it; nullptr for none or a dead handle.
QWidget* ownerWindow(HWND Owner) {
    TWinControl* Control = FindControl(Owner);
    QWidget* Widget = Control ? ControlWidgetOf(Control) : nullptr;
    return Widget ? Widget->window() : nullptr;
}

class TMessageBoxService : public TDialogService {
public:
    TModalResult Execute(const TDialogRequest& Request) override {
        const std::vector<TMsgDlgBtn> Shown = shownButtons(Request);
        const std::optional<TMsgDlgBtn> Cancel = cancelButton(Request);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            // No window system: say it where someone may read it and take the default.
            std::fprintf(stderr, "%s: %s\n", qPrintable(Request.Caption), qPrintable(Request.Text));
            return MsgDlgButtonResult(Request.DefaultButton);
        }
        QMessageBox Box(ownerWindow(Request.Owner));
        Box.setWindowTitle(Request.Caption);
        Box.setText(Request.Text);
        Box.setIcon(boxIcon(Request.DlgType));
        Box.setTextFormat(Qt::PlainText);
        if (Request.Flags & MB_TOPMOST) Box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        ShowingBox Showing{&Box, {}};
        for (TMsgDlgBtn B : Shown) {
            QPushButton* Button = Box.addButton(MsgDlgButtonCaption(B), kButtons[B].Role);
            Showing.Buttons.emplace_back(Button, B);
            if (B == Request.DefaultButton) Box.setDefaultButton(Button);
            if (Cancel && B == *Cancel) Box.setEscapeButton(Button);
        }
        showingBoxes().push_back(Showing);
        Box.exec();
        showingBoxes().pop_back();
        for (const auto& [Button, B] : Showing.Buttons)
            if (Box.clickedButton() == Button) return MsgDlgButtonResult(B);
        return Cancel ? MsgDlgButtonResult(*Cancel) : mrCancel;
    }
};

TMessageBoxService& defaultService() {
    static TMessageBoxService Service;
    return Service;
}

std::atomic<TDialogService*>& currentService() {
    static std::atomic<TDialogService*> Current{&defaultService()};
    return Current;
}

std::mutex& titleLock() {
    static std::mutex Lock;
    return Lock;
}
String& applicationTitle() {
    static String Title;
    return Title;
}

String withoutAccel(String Caption) {
    Caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    Caption.remove(QLatin1Char('&'));
    Caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return Caption;
}

}  // namespace

// ---- service installation ----

TDialogService* SetDialogService(TDialogService* Service) {
    return currentService().exchange(Service ? Service : &defaultService());
}

TDialogService* DialogService() { return currentService().load(); }

// ---- the recording service ----

TModalResult TRecordingDialogService::Execute(const TDialogRequest& Request) {
    std::function<void(const TDialogRequest&)> Observer;
    {
        std::lock_guard Guard(FLock);
        FRequests.push_back(Request);
        Observer = OnRequest;
    }
    if (Observer) Observer(Request);
    std::unique_lock Guard(FLock);
    if (FAnswers.empty() && FHoldAnswers) {
        if (!QCoreApplication::instance())
            throw EInvalidOperation(QStringLiteral("A held dialog answer needs the application's event loop"));
        ++FWaiting;
        while (FAnswers.empty()) {
            Guard.unlock();
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            Guard.lock();
        }
        --FWaiting;
    }
    if (!FAnswers.empty()) {
        const TModalResult Answer = FAnswers.front();
        FAnswers.pop_front();
        return Answer;
    }
    if (FDefaultAnswer) return *FDefaultAnswer;
    return MsgDlgButtonResult(Request.DefaultButton);
}

void TRecordingDialogService::QueueAnswer(TModalResult Answer) {
    bool Wake = false;
    {
        std::lock_guard Guard(FLock);
        FAnswers.push_back(Answer);
        Wake = FWaiting > 0;
    }
    // A held request waits inside the window thread's event loop: wake it to see the answer.
    if (Wake && QCoreApplication::instance())
        if (QAbstractEventDispatcher* D = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
            D->wakeUp();
}

void TRecordingDialogService::SetDefaultAnswer(std::optional<TModalResult> Answer) {
    std::lock_guard Guard(FLock);
    FDefaultAnswer = Answer;
}

void TRecordingDialogService::SetHoldAnswers(bool Value) {
    std::lock_guard Guard(FLock);
    FHoldAnswers = Value;
}

int TRecordingDialogService::Count() const {
    std::lock_guard Guard(FLock);
    return int(FRequests.size());
}

TDialogRequest TRecordingDialogService::Request(int Index) const {
    std::lock_guard Guard(FLock);
    if (Index < 0 || Index >= int(FRequests.size()))
        throw EListError(
            QStringLiteral("Dialog request index %1 out of range (%2 recorded)").arg(Index).arg(FRequests.size()));
    return FRequests[std::size_t(Index)];
}

TDialogRequest TRecordingDialogService::Last() const {
    std::lock_guard Guard(FLock);
    if (FRequests.empty()) throw EListError(QStringLiteral("No dialog was shown"));
    return FRequests.back();
}

int TRecordingDialogService::Waiting() const {
    std::lock_guard Guard(FLock);
    return FWaiting;
}

void TRecordingDialogService::Clear() {
    std::lock_guard Guard(FLock);
    FRequests.clear();
    FAnswers.clear();
}

// ---- captions and results ----

void SetDialogApplicationTitle(const String& Title) {
    std::lock_guard Guard(titleLock());
    applicationTitle() = Title;
}

String DialogApplicationTitle() {
    {
        std::lock_guard Guard(titleLock());
        if (!applicationTitle().isEmpty()) return applicationTitle();
    }
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : String();
}

String MsgDlgCaption(TMsgDlgType DlgType) {
    const char* Caption = kTypeCaptions[DlgType];
    return Caption ? QString::fromLatin1(Caption) : DialogApplicationTitle();
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn Button) { return kButtons[Button].Result; }

String MsgDlgButtonCaption(TMsgDlgBtn Button) { return QString::fromLatin1(kButtons[Button].Caption); }

// ---- the dialogs ----

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    TDialogRequest R;
    R.Buttons = Buttons;
    if (Buttons.Contains(mbOK))
        R.DefaultButton = mbOK;
    else if (Buttons.Contains(mbYes))
        R.DefaultButton = mbYes;
    else if (Buttons.Contains(mbRetry))
        R.DefaultButton = mbRetry;
    else if (!Buttons.Empty())
        R.DefaultButton = shownButtons(R).front();
    return MessageDlg(Msg, DlgType, Buttons, HelpCtx, R.DefaultButton);
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                        TMsgDlgBtn DefaultButton) {
    if (Buttons.Empty()) throw EArgumentException(QStringLiteral("MessageDlg needs at least one button"));
    if (!Buttons.Contains(DefaultButton)) return MessageDlg(Msg, DlgType, Buttons, HelpCtx);
    TDialogRequest R;
    R.Kind = TDialogKind::MessageDlg;
    R.Text = Msg;
    R.Caption = MsgDlgCaption(DlgType);
    R.DlgType = DlgType;
    R.Buttons = Buttons;
    R.DefaultButton = DefaultButton;
    R.HelpCtx = HelpCtx;
    return ask(R);
}

void ShowMessage(const String& Msg) { MessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0); }

int MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Flags) {
    const UINT Group = Flags & MB_TYPEMASK;
    if (Group > MB_RETRYCANCEL)
        throw EArgumentException(QStringLiteral("MessageBox: unknown button group %1").arg(Group));
    TDialogRequest R;
    R.Kind = TDialogKind::MessageBox;
    R.Text = Text;
    R.Caption = Caption;
    R.DlgType = iconType(Flags);
    R.Flags = Flags;
    R.Owner = Owner;
    const MessageBoxGroup& G = kGroups[Group];
    for (int I = 0; I < G.Count; ++I) R.Buttons.Include(G.Buttons[I]);
    // A default button past the last one falls back to the first.
    const UINT DefIndex = (Flags & MB_DEFMASK) >> 8;
    R.DefaultButton = G.Buttons[DefIndex < UINT(G.Count) ? DefIndex : 0];
    return ask(R);
}

int MessageBox(const String& Text, const String& Caption, UINT Flags) {
    return MessageBox(nullptr, Text, Caption, Flags);
}

// ---- automation of the default service's box ----

TOpenMessageBox ActiveMessageBox() {
    TOpenMessageBox Result;
    if (!onWindowThread() || showingBoxes().empty()) return Result;
    const ShowingBox& S = showingBoxes().back();
    Result.Open = true;
    Result.Caption = S.Box->windowTitle();
    Result.Text = S.Box->text();
    Result.TopMost = S.Box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    for (const auto& [Button, B] : S.Buttons) {
        Result.Buttons.push_back(Button->text());
        if (S.Box->defaultButton() == Button) Result.DefaultButton = Button->text();
    }
    return Result;
}

bool PressMessageBoxButton(const String& Caption) {
    if (!onWindowThread() || showingBoxes().empty()) return false;
    for (const auto& [Button, B] : showingBoxes().back().Buttons) {
        if (Button->text() == Caption || withoutAccel(Button->text()) == Caption) {
            Button->click();
            return true;
        }
    }
    return false;
}
