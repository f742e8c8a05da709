// Forms, the application object and the screen: TCustomForm/TForm (a top-level window with
// close, modal and activation rules), TApplication (the message loop on Qt's event loop, forms,
// exceptions that escape handlers) and TScreen; the globals Application and Screen.
//
// OnCreate fires once, after the form is fully constructed: TApplication::CreateForm and
// TCustomForm::Create<T> call AfterConstruction(), which fires it; a form made with a plain
// `new` gets it at its first Show (or when the caller calls AfterConstruction itself).
#pragma once

#include "framework/ui/Controls.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/ModalResults.h"

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

using TFormBorderStyle = TBorderStyle;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

class THintWindow;
// Makes a new hint window owned by AOwner (the application).
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
// Last word on a hint about to show: may change its text and record, or keep it hidden.
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
struct THintState;  // the hint delivery's state (HintWindow.cpp)
struct THintStateDeleter {
    void operator()(THintState* State) const;
};

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    // Fires OnCreate, once.
    void AfterConstruction();
    // Creates a form of class T and fires its OnCreate.
    template <class T, class... Args>
    static T* Create(TComponent* AOwner, Args&&... Extra) {
        static_assert(std::is_base_of_v<TCustomForm, T>);
        T* Form = new T(AOwner, std::forward<Args>(Extra)...);
        Form->AfterConstruction();
        return Form;
    }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsSizeable
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    // Applied when the form is first shown.
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    // Keys reach the form's OnKeyDown/OnKeyPress/OnKeyUp before the focused control.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // A modal form closes when a handler sets this to anything but mrNone.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    bool Active() const { return FActive; }
    // A window that never takes activation or focus when shown or clicked (the platform's
    // WS_EX_NOACTIVATE): popups and hover tool windows. It has no frame and no task-bar entry.
    bool NoActivate() const { return FNoActivate; }
    void SetNoActivate(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    TFormState FormState() const { return FFormState; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides: hide (default), free, minimise or stay. Closing
    // the main form ends Application->Run; closing a modal form sets ModalResult to mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Shows the form and runs a nested loop until ModalResult is set; returns it. Raises
    // EInvalidOperation for a visible or disabled form.
    virtual TModalResult ShowModal();
    void SetFocus() override;
    // Makes Control the active control and focuses it when the form is active; raises
    // EInvalidOperation when it cannot take focus.
    void FocusControl(TWinControl* Control);
    // Called as a control gets focus: sends CM_EXIT up the old chain and CM_ENTER down the new.
    bool SetFocusedControl(TWinControl* Control);
    // Moves focus away from Control (it is being hidden, disabled or removed).
    void DefocusControl(TWinControl* Control, bool Removing);

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

    void WMClose(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMNextDlgCtl(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMDialogKey(TMessage& Message);

private:
    friend class TApplication;
    friend BOOL SetWindowPos(HWND, HWND, int, int, int, int, UINT);
    friend LONG GetWindowLong(HWND, int);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    bool FKeyPreview = false;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    bool FAlphaBlend = false;
    bool FNoActivate = false;
    Byte FAlphaBlendValue = 255;
    TFormState FFormState;
    bool FCreated = false;
    bool FDestroyFired = false;
    bool FPositioned = false;
    bool FTopMost = false;  // placed topmost by SetWindowPos

    void setTopMost(bool Value);
    bool topMost() const { return FTopMost; }
    void applyWindowFlags();
    void applyPosition();
    void closeModal();
    void focusActiveControl();
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// ---------------------------------------------------------------------------------------------

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Makes sure a Qt application object exists; main() passes its arguments through.
    void Initialize();
    void Initialize(int& Argc, char** Argv);

    const String& Title() const;
    void SetTitle(const String& Value);
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }
    bool Active() const { return FActive; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }

    // Hints: shown after the pointer rests HintPause ms on a control whose ShowHint holds
    // (HintShortPause when a hint showed a moment ago), hidden after HintHidePause ms.
    bool ShowHint() const { return FShowHint; }  // default true; false hides the hint now
    void SetShowHint(bool Value);
    int HintPause() const { return FHintPause; }  // default 500
    void SetHintPause(int Value) { FHintPause = Value; }
    int HintShortPause() const { return FHintShortPause; }  // default 50
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    int HintHidePause() const { return FHintHidePause; }  // default 2500
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    TColor HintColor() const { return FHintColor; }  // default clInfoBk
    void SetHintColor(TColor Value) { FHintColor = Value; }
    // The factory of the hint window (DefaultHintWindowClass unless set). A new class frees the
    // current window; the next hint uses the new one. Null restores the default.
    const THintWindowClass& HintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(THintWindowClass Value);

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    // Replaces the message box for exceptions that escape handlers.
    TExceptionEvent OnException;
    TShowHintEvent OnShowHint;

    // Creates a T owned by the application; the first form becomes the main form.
    template <class T>
    void CreateForm(T*& Reference) {
        T* Instance = new T(this);
        Reference = Instance;
        if constexpr (std::is_base_of_v<TCustomForm, T>) {
            Instance->AfterConstruction();
            if (!FMainForm) setMainForm(Instance);
        }
    }
    // Shows the main form and processes events until Terminate (closing the main form calls
    // it). Returns at once when there is no main form.
    void Run();
    // Processes the events waiting now, re-entrantly (also from inside a handler).
    void ProcessMessages();
    // The same without user input: keys, mouse, wheel, touch and context-menu events that come
    // meanwhile wait, in their order, and are delivered after the call (a long operation can keep
    // its window alive without the user starting another operation in its middle).
    void ProcessMessagesWithoutInput();
    // Processes events, waiting for one when none is waiting.
    void HandleMessage();
    void Terminate();
    // Hides the hint shown now, if any, and stops a pending one; the next pause over a control
    // may show one again.
    void CancelHint();
    // Shows now the hint of the control under CursorPos (screen coordinates), if it has one.
    void ActivateHint(const TPoint& CursorPos);
    // The hint window while it shows a hint (its Caption is the text), nullptr when none shows.
    THintWindow* HintWindow() const;
    // Framework-internal: every control passes the input messages it receives here: button and
    // key presses before handling them (they hide the hint), pointer moves, enter and leave, and
    // CM_VISIBLECHANGED after.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    // Clears Terminated, for a program (or a test) that runs a loop again.
    void ResetTerminated() { FTerminated = false; }

    // Call inside a catch block: EAbort is dropped; otherwise OnException or ShowException.
    // Never throws.
    void HandleException(TObject* Sender);
    // Shows the message (a full stop added) in a message box captioned with the title.
    void ShowException(Exception* E);
    int MessageBox(const String& Text, const String& Caption, UINT Flags);

    void setMainForm(TCustomForm* Form);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomForm;
    String FTitle;
    mutable String FDefaultTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FActive = false;
    bool FShowMainForm = true;
    bool FHooked = false;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    THintWindowClass FHintWindowClass;
    std::unique_ptr<THintState, THintStateDeleter> FHint;

    void installHooks();
    THintState& hintState();
};

// ---------------------------------------------------------------------------------------------

// A display: its rectangle and its work area (the part not covered by task bars), in screen
// coordinates. The screen owns them.
class TMonitor {
public:
    int MonitorNum() const { return FMonitorNum; }
    bool Primary() const { return FMonitorNum == 0; }
    TRect BoundsRect() const { return FBounds; }
    TRect WorkareaRect() const { return FWorkarea; }
    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return FBounds.Width(); }
    int Height() const { return FBounds.Height(); }

private:
    friend class TScreen;
    int FMonitorNum = 0;
    TRect FBounds;
    TRect FWorkarea;
};

// What MonitorFromPoint answers for a point on no display.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    // The primary screen's size unless a test set one.
    int Width() const;
    int Height() const;
    void SetSize(int AWidth, int AHeight);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    TRect WorkAreaRect() const;
    void SetWorkAreaRect(const TRect& Value) { FWorkArea = Value; }
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // The displays, the primary one first: the system's, or those a test set (without them, a
    // size or work area a test set makes one display of them).
    int MonitorCount() const;
    TMonitor* Monitors(int Index) const;
    TMonitor* PrimaryMonitor() const { return Monitors(0); }
    // The display holding Point; for a point on none, the nearest (mdNearest), none (mdNull) or
    // the primary one (mdPrimary).
    TMonitor* MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default = mdNearest) const;
    // For tests: displays given as (bounds, work area) pairs, the first the primary one.
    void SetMonitors(const std::vector<std::pair<TRect, TRect>>& Displays);
    // Clears the values a test set.
    void ResetOverrides();
    // The font menus are drawn in: "Segoe UI" 9 points from the Vista generation on (by the
    // platform facts), else "Tahoma" 8, in the window-text colour; chosen anew at each call.
    TFont* MenuFont();

    TCustomForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // A cursor shown over every window while not crDefault (crHourGlass during work).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The cursor handles behind the indexes controls show; an index given a handle (a cursor
    // resource, say) can then be a control's Cursor. The stock indexes answer their own shapes.
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Value);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const;
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int Index) const { return Forms(Index); }

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

private:
    friend class TCustomForm;
    std::optional<TSize> FSize;
    std::optional<TRect> FWorkArea;
    std::vector<std::pair<TRect, TRect>> FMonitorOverride;
    mutable std::vector<std::unique_ptr<TMonitor>> FMonitors;

    void refreshMonitors() const;
    int FPixelsPerInch = 96;
    TCursor FCursor = crDefault;
    std::unique_ptr<TFont> FMenuFont;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    std::vector<TCustomForm*> FForms;

    void setActive(TCustomForm* Form, TWinControl* Control);
};

extern TApplication* Application;
extern TScreen* Screen;

// The tab stop of the dialog (a form's window) after Ctl, or before it with Previous, wrapping
// round; a stop must be visible and enabled. Without Ctl: the first (last) stop. nullptr when
// the dialog has none.
HWND GetNextDlgTabItem(HWND Dlg, HWND Ctl, BOOL Previous);
