// Message boxes and message dialogs. Every one of them goes through one dialog service, which
// tests replace to read the text, caption and buttons and to give the answer.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/ModalResults.h"
#include "framework/ui/WinTypes.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A message dialog shows its buttons in this order, whatever order the set names them in.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// MessageBox flags: the button group (low nibble), the icon, the default button, placement.
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_TOPMOST = 0x00040000;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_ICONMASK = 0x000000F0;
inline constexpr UINT MB_DEFMASK = 0x00000F00;

// MessageBox answers: the same numbers as the modal results of the same buttons.
inline constexpr int IDOK = mrOk;
inline constexpr int IDCANCEL = mrCancel;
inline constexpr int IDABORT = mrAbort;
inline constexpr int IDRETRY = mrRetry;
inline constexpr int IDIGNORE = mrIgnore;
inline constexpr int IDYES = mrYes;
inline constexpr int IDNO = mrNo;

enum class TDialogKind { MessageBox, MessageDlg };

// One question to the user. Both kinds fill Buttons, DlgType and DefaultButton, so a reader
// need not decode MessageBox flags; Flags keeps a message box's own flags (0 for MessageDlg).
struct TDialogRequest {
    TDialogKind Kind = TDialogKind::MessageDlg;
    String Text;
    String Caption;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons;
    TMsgDlgBtn DefaultButton = mbOK;
    UINT Flags = 0;
    int HelpCtx = 0;
    HWND Owner = nullptr;
};

// Answers with the modal result of the button chosen; for a message box that number is its ID.
class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual TModalResult Execute(const TDialogRequest& Request) = 0;
};

// Installs Service and returns the one it replaces; nullptr puts back the default service,
// which shows a real modal message box. The caller keeps ownership of Service.
TDialogService* SetDialogService(TDialogService* Service);
TDialogService* DialogService();

// Installs a service for one scope and puts the previous one back when it ends.
class TDialogServiceGuard {
public:
    explicit TDialogServiceGuard(TDialogService* Service) : FPrevious(SetDialogService(Service)) {}
    ~TDialogServiceGuard() { SetDialogService(FPrevious); }
    TDialogServiceGuard(const TDialogServiceGuard&) = delete;
    TDialogServiceGuard& operator=(const TDialogServiceGuard&) = delete;

private:
    TDialogService* FPrevious;
};

// Records every request and answers from a queue of answers, else with the default answer,
// else with the request's default button (as pressing Enter would).
class TRecordingDialogService : public TDialogService {
public:
    TModalResult Execute(const TDialogRequest& Request) override;

    void QueueAnswer(TModalResult Answer);
    void SetDefaultAnswer(std::optional<TModalResult> Answer);
    // While held, a request with no queued answer keeps the window thread's events running,
    // as a real modal dialog does, until QueueAnswer gives one.
    void SetHoldAnswers(bool Value);
    // Called on the window thread for each request before it is answered.
    std::function<void(const TDialogRequest& Request)> OnRequest;

    int Count() const;
    TDialogRequest Request(int Index) const;  // raises EListError when out of range
    TDialogRequest Last() const;              // raises EListError when nothing was asked
    int Waiting() const;                      // requests held open now
    void Clear();

private:
    mutable std::mutex FLock;
    std::vector<TDialogRequest> FRequests;
    std::deque<TModalResult> FAnswers;
    std::optional<TModalResult> FDefaultAnswer;
    bool FHoldAnswers = false;
    int FWaiting = 0;
};

// The title MessageDlg(mtCustom) and ShowMessage use as caption; the application object sets
// it from its Title. Empty means the program's name.
void SetDialogApplicationTitle(const String& Title);
String DialogApplicationTitle();

// The caption MessageDlg gives each type: "Warning", "Error", "Information", "Confirm", or the
// application title for mtCustom.
String MsgDlgCaption(TMsgDlgType DlgType);
// The modal result of each button (mbHelp shows help and closes nothing: mrNone).
TModalResult MsgDlgButtonResult(TMsgDlgBtn Button);
// The button's caption, with "&" before its access key.
String MsgDlgButtonCaption(TMsgDlgBtn Button);

// Shows Msg and returns the modal result of the button chosen. The default button is OK, else
// Yes, else Retry, else the first one shown; raises EArgumentException for an empty set.
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                        TMsgDlgBtn DefaultButton);
// An OK box captioned with the application title.
void ShowMessage(const String& Msg);

// Returns IDOK..IDNO. Raises EArgumentException for a button group or icon it does not know.
// From a worker thread it runs on the window thread and blocks only that worker.
int MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Flags);
int MessageBox(const String& Text, const String& Caption, UINT Flags);

// The message box the default service shows now, for automation and tests: what it says and
// its button captions in order; Open is false when none is showing.
struct TOpenMessageBox {
    bool Open = false;
    String Caption;
    String Text;
    std::vector<String> Buttons;
    String DefaultButton;
    bool TopMost = false;
};
TOpenMessageBox ActiveMessageBox();
// Clicks the button of the showing message box whose caption is Caption (with or without its
// "&"); false when no box shows or none has that caption.
bool PressMessageBoxButton(const String& Caption);
