// THintWindow, and the application's hint delivery: which control the pointer rests on, the
// show and hide timers, CM_HINTSHOW and OnShowHint, placing and hiding the hint window.
#include "framework/ui/HintWindow.h"

#include "framework/rtl/Clock.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Gdi.h"

#include <algorithm>

namespace {

constexpr int kFrame = 1;    // the one-pixel frame
constexpr int kMarginX = 2;  // between the frame and the text
constexpr int kMarginY = 1;
constexpr int kCursorHeight = 20;  // the hint goes below the pointer's arrow
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

// Tells the hint delivery when the control it watches is freed, without touching the
// application's own free notifications (the main form uses those).
class THintWatch : public TComponent {
public:
    explicit THintWatch(std::function<void(TComponent*)> AOnFreed) : TComponent(nullptr), FOnFreed(AOnFreed) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && FOnFreed) FOnFreed(AComponent);
    }

private:
    std::function<void(TComponent*)> FOnFreed;
};

TControl* topLevelOf(TControl* Control) {
    while (Control->Parent()) Control = Control->Parent();
    return Control;
}

// ShowHint as the parents hand it down.
bool effectiveShowHint(const TControl* Control) {
    while (Control->ParentShowHint() && Control->Parent()) Control = Control->Parent();
    return Control->ShowHint();
}

TRect offsetRect(const TRect& R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

// R (at 0, 0) moved to Pos and kept inside the work area; a hint that would run off the
// bottom goes above the pointer instead.
TRect placeHint(const TRect& R, const TPoint& Pos, const TPoint& Pointer) {
    const TRect Work = Screen->WorkAreaRect();
    TRect Placed = offsetRect(R, Pos.X, Pos.Y);
    if (Placed.Right > Work.Right) Placed = offsetRect(Placed, Work.Right - Placed.Right, 0);
    if (Placed.Left < Work.Left) Placed = offsetRect(Placed, Work.Left - Placed.Left, 0);
    if (Placed.Bottom > Work.Bottom) Placed = offsetRect(Placed, 0, std::min(Pointer.Y, Work.Bottom) - Placed.Bottom);
    if (Placed.Top < Work.Top) Placed = offsetRect(Placed, 0, Work.Top - Placed.Top);
    return Placed;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

THintWindow::~THintWindow() = default;

THintWindow* DefaultHintWindowClass(TComponent* AOwner) { return new THintWindow(AOwner); }

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
    TBitmap Scratch(1, 1);
    TCanvas* C = Scratch.Canvas();
    C->SetFont(Font());
    TRect R = Rect(0, 0, std::max(1, MaxWidth - 2 * (kFrame + kMarginX)), 0);
    DrawText(C->Handle(), AHint, -1, R, kTextFormat | DT_CALCRECT);
    return Rect(0, 0, R.Width() + 2 * (kFrame + kMarginX), R.Height() + 2 * (kFrame + kMarginY));
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
    SetCaption(AHint);
    SetBoundsRect(Rect);
    HandleNeeded();
    TControlAccess::applyGeometry(this);
    Invalidate();
    // A new window each time (ReleaseHandle destroys it), so showing puts it on top.
    if (QWidget* W = ControlWidgetOf(this)) W->show();
}

void THintWindow::ShowNoActivate(const TRect& Rect) {
    SetBoundsRect(Rect);
    HandleNeeded();
    TControlAccess::applyGeometry(this);
    SetVisible(true);
    Invalidate();
    if (QWidget* W = ControlWidgetOf(this)) {
        W->show();
        W->raise();
    }
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void* AData) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    QWidget* W = ControlWidgetOf(this);
    if (!W) return;
    // A tool tip window is never activated, stays on top and lets the pointer through; a popup
    // that takes input is a tool window that is never activated either.
    if (FTakesInput)
        W->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    else
        W->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    W->setFocusPolicy(Qt::NoFocus);
}

void THintWindow::Paint() {
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(R);
    C->Brush()->SetColor(clWindowFrame);
    C->FrameRect(R);
    C->SetFont(Font());
    C->Brush()->SetStyle(bsClear);
    TRect Text = Rect(R.Left + kFrame + kMarginX, R.Top + kFrame + kMarginY, R.Right - kFrame - kMarginX,
                      R.Bottom - kFrame - kMarginY);
    HDC DC = C->Handle();
    SetBkMode(DC, TRANSPARENT);
    DrawText(DC, Caption(), -1, Text, kTextFormat);
}

// ---------------------------------------------------------------------------------------------
// The application's hint delivery

struct THintState {
    explicit THintState(TApplication* AApp) : App(AApp) {
        Watch = std::make_unique<THintWatch>([this](TComponent* Freed) {
            if (Freed && Freed == Watched) cancel();
        });
    }
    ~THintState() {
        try {
            stopTimer(ShowTimer);
            stopTimer(HideTimer);
        } catch (...) {
            // Freed off the window thread: the clock refuses, and a destructor must not throw.
        }
    }

    TApplication* App;
    TWeak<TControl> Control;        // the control the pointer rests on
    TComponent* Watched = nullptr;  // the same, as the watch knows it
    std::unique_ptr<THintWatch> Watch;
    TWeak<THintWindow> Window;
    TPoint CursorPos;  // the pointer, screen coordinates
    TRect CursorRect;  // screen coordinates; leaving it hides the hint shown
    int ShowTimer = 0;
    int HideTimer = 0;
    int ReshowTimer = 0;
    bool Shown = false;
    bool Active = false;  // a hint showed a moment ago: the next one waits only the short pause

    static void stopTimer(int& Id) {
        if (!Id) return;
        const int T = Id;
        Id = 0;
        CancelClockTimer(T);
    }

    void setControl(TControl* Value) {
        TControl* Old = Control.get();
        if (Old == Value) return;
        if (Watched) Watch->RemoveFreeNotification(Watched);
        Control = TWeak<TControl>(Value);
        Watched = Value;
        if (Value) Watch->FreeNotification(Value);
    }

    void hideWindow() {
        stopTimer(HideTimer);
        stopTimer(ReshowTimer);
        if (!Shown) return;
        Shown = false;
        if (THintWindow* W = Window.get()) W->ReleaseHandle();
    }

    void cancel() {
        hideWindow();
        stopTimer(ShowTimer);
        setControl(nullptr);
        Active = false;
    }

    // Control was shown or hidden. Hiding the control with the hint, or one of its parents,
    // drops the hint; so does a modal dialog coming up, which takes the pointer and the keys.
    void visibilityChanged(TControl* Changed, bool NowVisible) {
        if (NowVisible) {
            auto* Form = dynamic_cast<TCustomForm*>(Changed);
            if (Form && Form->FormState().Contains(fsModal)) cancel();
            return;
        }
        for (TControl* C = Control.get(); C; C = C->Parent())
            if (C == Changed) {
                cancel();
                return;
            }
    }

    // Pause < 0: never.
    void startShowTimer(int Pause) {
        stopTimer(ShowTimer);
        if (Pause < 0) return;
        ShowTimer = ScheduleClockTimer(unsigned(std::max(1, Pause)), [this] {
            stopTimer(ShowTimer);
            TControl* C = Control.get();
            try {
                showNow();
            } catch (...) {
                HandleBoundaryException(C);
            }
        });
    }

    // The pointer is over Target at P (screen): a new control starts the pause; leaving the
    // cursor rectangle of the hint shown hides it and lets it show again after the short pause.
    void pointerAt(TControl* Target, const TPoint& P, bool CheckRect) {
        CursorPos = P;
        if (!App->ShowHint() || !effectiveShowHint(Target)) {
            cancel();
            return;
        }
        if (Target == Control.get()) {
            if (CheckRect && Shown && !PtInRect(CursorRect, P)) {
                hideWindow();
                startShowTimer(App->HintShortPause());
            }
            return;
        }
        const bool WasActive = Active || Shown;
        hideWindow();
        stopTimer(ShowTimer);
        setControl(Target);
        int Pause = WasActive ? App->HintShortPause() : App->HintPause();
        const TWeak<TControl> Alive(Target);
        Target->Perform(CM_HINTSHOWPAUSE, WasActive ? 1 : 0, reinterpret_cast<LPARAM>(&Pause));
        if (!Alive || Control.get() != Target) return;
        startShowTimer(Pause);
    }

    THintWindow* ensureWindow() {
        if (THintWindow* W = Window.get()) return W;
        THintWindow* W = App->HintWindowClass()(App);
        if (!W) throw EInvalidOperation(QStringLiteral("The hint window class made no window"));
        if (!W->Owner()) App->InsertComponent(W);
        Window = TWeak<THintWindow>(W);
        return W;
    }

    void showNow() {
        TControl* C = Control.get();
        hideWindow();
        if (!C || !App->ShowHint() || !effectiveShowHint(C) || !C->Showing()) return;
        THintInfo Info;
        Info.HintControl = C;
        Info.HintStr = GetShortHint(C->Hint());
        Info.CursorPos = C->ScreenToClient(CursorPos);
        Info.CursorRect = C->ClientRect();
        Info.HintPos = Point(CursorPos.X, CursorPos.Y + kCursorHeight);
        Info.HintMaxWidth = Screen->Width();
        Info.HintColor = App->HintColor();
        const TWeak<TControl> Alive(C);
        if (C->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0 || !Alive) return;
        if (Info.HintStr.isEmpty()) return;
        bool CanShow = true;
        if (App->OnShowHint) App->OnShowHint(Info.HintStr, CanShow, Info);
        // A handler may have freed the control or moved the hint elsewhere.
        if (!CanShow || Info.HintStr.isEmpty() || !Alive || Control.get() != C) return;
        THintWindow* W = ensureWindow();
        W->SetColor(Info.HintColor);
        const TRect R = W->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
        const TPoint Origin = C->ClientToScreen(Info.CursorRect.TopLeft());
        CursorRect = offsetRect(Info.CursorRect, Origin.X - Info.CursorRect.Left, Origin.Y - Info.CursorRect.Top);
        Shown = true;
        Active = true;
        W->ActivateHintData(placeHint(R, Info.HintPos, CursorPos), Info.HintStr, Info.HintData);
        const int Hide = Info.HideTimeout == 0 ? App->HintHidePause() : Info.HideTimeout;
        if (Hide > 0)
            HideTimer = ScheduleClockTimer(unsigned(Hide), [this] {
                hideWindow();
                Active = false;
            });
        // The control asked to be asked again: its hint may change while the pointer rests.
        if (Info.ReshowTimeout > 0)
            ReshowTimer = ScheduleClockTimer(unsigned(Info.ReshowTimeout), [this] {
                stopTimer(ReshowTimer);
                TControl* Shower = Control.get();
                try {
                    showNow();
                } catch (...) {
                    HandleBoundaryException(Shower);
                }
            });
    }
};

void THintStateDeleter::operator()(THintState* State) const { delete State; }

THintState& TApplication::hintState() {
    if (!FHint) FHint.reset(new THintState(this));
    return *FHint;
}

void TApplication::SetShowHint(bool Value) {
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowClass Value) {
    THintState& S = hintState();
    S.cancel();
    FHintWindowClass = Value ? std::move(Value) : THintWindowClass(DefaultHintWindowClass);
    if (THintWindow* W = S.Window.get()) {
        S.Window = TWeak<THintWindow>();
        W->Free();
    }
}

void TApplication::CancelHint() {
    if (FHint) FHint->cancel();
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
    THintState& S = hintState();
    S.cancel();
    TControl* Target = FindDragTarget(CursorPos, true);
    if (!Target) return;
    S.CursorPos = CursorPos;
    S.setControl(Target);
    S.showNow();
}

THintWindow* TApplication::HintWindow() const { return FHint && FHint->Shown ? FHint->Window.get() : nullptr; }

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
    switch (Message.Msg) {
        case WM_MOUSEMOVE: {
            if (dynamic_cast<THintWindow*>(Control)) return;
            // No hint while a button is held (a drag, a selection).
            if (Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return;
            const TPoint P = Control->ClientToScreen(TWMMouse(Message).Pos());
            // The control under the pointer, disabled ones too; the one receiving the move when
            // the pointer is over no form (a captured or an unowned window).
            TControl* Target = FindDragTarget(P, true);
            if (!Target || topLevelOf(Target) != topLevelOf(Control)) Target = Control;
            hintState().pointerAt(Target, P, true);
            break;
        }
        case CM_MOUSEENTER:
            if (Message.LParam != 0 || dynamic_cast<THintWindow*>(Control)) return;
            hintState().pointerAt(Control, Mouse->CursorPos(), false);
            break;
        case CM_MOUSELEAVE:
            if (Message.LParam != 0 || !FHint || FHint->Control.get() != Control) return;
            // Keeps Active: the control the pointer enters next shows its hint after the short pause.
            FHint->hideWindow();
            THintState::stopTimer(FHint->ShowTimer);
            FHint->setControl(nullptr);
            break;
        case CM_VISIBLECHANGED:
            if (FHint) FHint->visibilityChanged(Control, Message.WParam != 0);
            break;
        default:
            if (IsHintCancellingMessage(Message.Msg)) CancelHint();
            break;
    }
}

bool IsHintCancellingMessage(UINT Msg) {
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            return true;
        default:
            return false;
    }
}
