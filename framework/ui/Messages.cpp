#include "framework/ui/Messages.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/OleDragDrop.h"

#include <QGuiApplication>
#include <map>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace {

// Live window handles; a handle is checked here before every use, so a message for a window
// that is gone is dropped instead of reaching freed memory.
std::unordered_set<HWND>& liveHandles() {
    static std::unordered_set<HWND> Handles;
    return Handles;
}

std::mutex& handleLock() {
    static std::mutex Lock;
    return Lock;
}

struct HookEntry {
    int Id;
    TWindowProcHook Hook;
};

std::vector<HookEntry>& hooks() {
    static std::vector<HookEntry> List;
    return List;
}

int NextHookId = 1;

struct TimerKey {
    HWND Wnd;
    UINT_PTR Id;
    friend bool operator<(const TimerKey& A, const TimerKey& B) {
        return A.Wnd != B.Wnd ? std::less<HWND>()(A.Wnd, B.Wnd) : A.Id < B.Id;
    }
};

std::map<TimerKey, int>& timers() {
    static std::map<TimerKey, int> Map;
    return Map;
}

TKeyStateSource& keyStateSource() {
    static TKeyStateSource Source;
    return Source;
}

bool InputScopeActive = false;
Qt::KeyboardModifiers InputScopeModifiers;
Qt::MouseButtons InputScopeButtons;

short defaultKeyState(int VirtKey) {
    const Qt::KeyboardModifiers Mods =
        InputScopeActive ? InputScopeModifiers : QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons Buttons = InputScopeActive ? InputScopeButtons : QGuiApplication::mouseButtons();
    bool Down = false;
    switch (VirtKey) {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
            Down = Mods & Qt::ShiftModifier;
            break;
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
            Down = Mods & Qt::ControlModifier;
            break;
        // Qt does not tell left Alt from right: both read the one Alt state.
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
            Down = Mods & Qt::AltModifier;
            break;
        case VK_LBUTTON:
            Down = Buttons & Qt::LeftButton;
            break;
        case VK_RBUTTON:
            Down = Buttons & Qt::RightButton;
            break;
        case VK_MBUTTON:
            Down = Buttons & Qt::MiddleButton;
            break;
        default:
            break;
    }
    return Down ? static_cast<short>(0x8000) : 0;
}

}  // namespace

TInputStateScope::TInputStateScope(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
    : FHadPrevious(InputScopeActive), FPreviousModifiers(InputScopeModifiers), FPreviousButtons(InputScopeButtons) {
    InputScopeActive = true;
    InputScopeModifiers = Modifiers;
    InputScopeButtons = Buttons;
}

TInputStateScope::~TInputStateScope() {
    InputScopeActive = FHadPrevious;
    InputScopeModifiers = FPreviousModifiers;
    InputScopeButtons = FPreviousButtons;
}

void ScheduleThemeChangedBroadcast() {
    static bool Scheduled = false;
    if (Scheduled) return;
    Scheduled = true;
    TThread::Queue(nullptr, [] {
        Scheduled = false;
        std::vector<HWND> Windows;
        {
            std::lock_guard<std::mutex> Guard(handleLock());
            Windows.assign(liveHandles().begin(), liveHandles().end());
        }
        // SendMessage skips a window that an earlier handler destroyed.
        for (HWND Wnd : Windows) SendMessage(Wnd, WM_THEMECHANGED, 0, 0);
    });
}

void TControlAccess::registerHandle(TWinControl* Control) {
    TControlData* D = Control->Data();
    if (D->Handle) return;
    D->Handle = new TWindowHandle{Control};
    std::lock_guard<std::mutex> Guard(handleLock());
    liveHandles().insert(reinterpret_cast<HWND>(D->Handle));
}

void TControlAccess::unregisterHandle(TWinControl* Control) {
    TControlData* D = Control->Data();
    if (!D->Handle) return;
    const HWND Wnd = reinterpret_cast<HWND>(D->Handle);
    {
        std::lock_guard<std::mutex> Guard(handleLock());
        liveHandles().erase(Wnd);
    }
    // A drop target registered for the window is forgotten with it.
    ForgetDropTarget(Wnd);
    // The window's timers die with it.
    auto& Map = timers();
    for (auto It = Map.begin(); It != Map.end();) {
        if (It->first.Wnd == Wnd) {
            CancelClockTimer(It->second);
            It = Map.erase(It);
        } else {
            ++It;
        }
    }
    if (GetCapture() == Wnd) ReleaseCapture();
    delete D->Handle;
    D->Handle = nullptr;
}

TWinControl* FindControl(HWND Wnd) {
    if (!Wnd) return nullptr;
    std::lock_guard<std::mutex> Guard(handleLock());
    if (!liveHandles().count(Wnd)) return nullptr;
    return reinterpret_cast<TWindowHandle*>(Wnd)->Control;
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!IsWindowThread()) {
        // The window handles it on its own thread while the sender waits.
        LRESULT Result = 0;
        TThread::Synchronize(nullptr, [&] { Result = SendMessage(Wnd, Msg, WParam, LParam); });
        return Result;
    }
    TWinControl* Control = FindControl(Wnd);
    if (!Control) return 0;
    return Control->Perform(Msg, WParam, LParam);
}

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!Wnd) return 0;
    TThread::Queue(nullptr, [Wnd, Msg, WParam, LParam] {
        TWinControl* Control = FindControl(Wnd);
        if (!Control) return;
        // A posted key is taken from the queue as typed keys are: the control's key
        // pre-processing (CN_KEYDOWN, CN_CHAR) runs first, so dialog keys reach the form.
        if (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN || Msg == WM_CHAR || Msg == WM_SYSCHAR) {
            TMessage Cn{CN_BASE + Msg, WParam, LParam, 0};
            Control->SendMessageTo(Cn);
            if (Cn.Result != 0 || !FindControl(Wnd)) return;
        }
        Control->Perform(Msg, WParam, LParam);
    });
    return 1;
}

UINT RegisterWindowMessage(const String& Name) {
    if (Name.isEmpty()) throw EArgumentException(QStringLiteral("A registered window message needs a name"));
    static std::mutex Lock;
    static std::unordered_map<String, UINT> Ids;
    std::lock_guard<std::mutex> Guard(Lock);
    const String Key = Name.toCaseFolded();
    auto It = Ids.find(Key);
    if (It != Ids.end()) return It->second;
    const UINT Id = 0xC000 + static_cast<UINT>(Ids.size());
    if (Id > 0xFFFF) throw EOutOfMemory(QStringLiteral("Too many registered window messages"));
    Ids.emplace(Key, Id);
    return Id;
}

int AddWindowProcHook(TWindowProcHook Hook) {
    const int Id = NextHookId++;
    hooks().push_back({Id, std::move(Hook)});
    return Id;
}

void RemoveWindowProcHook(int HookId) {
    auto& List = hooks();
    for (auto It = List.begin(); It != List.end(); ++It)
        if (It->Id == HookId) {
            List.erase(It);
            return;
        }
}

// Called by TControl::SendMessageTo before WindowProc.
bool RunWindowProcHooks(TControl* Control, TMessage& Message) {
    auto& List = hooks();
    if (List.empty()) return false;
    // A hook may add or remove hooks: walk a copy.
    const std::vector<HookEntry> Copy = List;
    for (const HookEntry& Entry : Copy)
        if (Entry.Hook(Control, Message)) return true;
    return false;
}

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse) {
    if (!FindControl(Wnd)) return 0;
    const TimerKey Key{Wnd, IDEvent};
    auto& Map = timers();
    auto It = Map.find(Key);
    if (It != Map.end()) {
        SetClockTimerInterval(It->second, Elapse);
        return IDEvent;
    }
    const int ClockId = ScheduleClockTimer(Elapse, [Wnd, IDEvent] {
        TWinControl* Control = FindControl(Wnd);
        if (!Control) return;
        try {
            Control->Perform(WM_TIMER, IDEvent, 0);
        } catch (...) {
            HandleBoundaryException(Control);
        }
    });
    Map.emplace(Key, ClockId);
    return IDEvent;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    auto& Map = timers();
    auto It = Map.find(TimerKey{Wnd, IDEvent});
    if (It == Map.end()) return 0;
    CancelClockTimer(It->second);
    Map.erase(It);
    return 1;
}

HWND SetCapture(HWND Wnd) {
    const HWND Old = GetCapture();
    SetCaptureControl(FindControl(Wnd));
    return Old;
}

BOOL ReleaseCapture() {
    SetCaptureControl(nullptr);
    return 1;
}

HWND GetCapture() {
    auto* Win = dynamic_cast<TWinControl*>(GetCaptureControl());
    return Win && Win->HandleAllocated() ? Win->Handle() : nullptr;
}

short GetKeyState(int VirtKey) {
    const TKeyStateSource& Source = keyStateSource();
    return Source ? Source(VirtKey) : defaultKeyState(VirtKey);
}

short GetAsyncKeyState(int VirtKey) { return GetKeyState(VirtKey); }

TKeyStateSource SetKeyStateSource(TKeyStateSource Source) {
    TKeyStateSource Old = std::move(keyStateSource());
    keyStateSource() = std::move(Source);
    return Old;
}
