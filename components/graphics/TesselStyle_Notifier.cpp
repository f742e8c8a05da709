// The shared theme notifier: a registry-monitor thread on the installed Office version's "Common"
// key that tells the notifier's window and the registered windows when the theme changes.
#include "components/graphics/TesselStyle.h"

#include "framework/rtl/RegNotify.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Messages.h"

#include <atomic>
#include <string>
#include <vector>

namespace {

TThemeNotifier* gSharedThemeNotifier = nullptr;
std::atomic<int> gMonitorThreadCount{0};

String officeCommonKeyOf(int OfficeVersion) {
    static const char* const kVersions[] = {"12.0", "14.0", "15.0", "16.0"};
    return QStringLiteral("Software\\Microsoft\\Office\\%1\\Common").arg(QLatin1String(kVersions[OfficeVersion - 1]));
}

void* asPointer(NativeInt Value) { return reinterpret_cast<void*>(Value); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// THandleList

int THandleList::Add(NativeInt Value) { return TList::Add(asPointer(Value)); }

void THandleList::Insert(int Index, NativeInt Value) { TList::Insert(Index, asPointer(Value)); }

void THandleList::Delete(int Index) { TList::Delete(Index); }

void THandleList::DeleteValue(NativeInt Value) {
    const int Index = IndexOf(asPointer(Value));
    if (Index >= 0) Delete(Index);
}

bool THandleList::HasValue(NativeInt Value) const { return IndexOf(asPointer(Value)) >= 0; }

NativeInt THandleList::GetInteger(int Index) const { return reinterpret_cast<NativeInt>(Items(Index)); }

void THandleList::SetInteger(int Index, NativeInt Value) { SetItems(Index, asPointer(Value)); }

// ---------------------------------------------------------------------------------------------
// TRegMonitorThread

TRegMonitorThread::TRegMonitorThread()
    : TThread(true), FReg(std::make_unique<TRegistry>(KEY_READ)), FWinList(std::make_unique<THandleList>()) {
    ++gMonitorThreadCount;
}

TRegMonitorThread::~TRegMonitorThread() {
    // Execute uses the members below: the thread must be gone before they are.
    BeforeDestruction();
    --gMonitorThreadCount;
}

int TRegMonitorThread::InstanceCount() { return gMonitorThreadCount; }

int TRegMonitorThread::GetFilter() {
    if (FFilter == 0)
        FFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_ATTRIBUTES | REG_NOTIFY_CHANGE_LAST_SET |
                  REG_NOTIFY_CHANGE_SECURITY;
    return FFilter;
}

void TRegMonitorThread::AddWindow(HWND Wnd) {
    FListLock.Enter();
    const NativeInt Value = reinterpret_cast<NativeInt>(Wnd);
    if (!FWinList->HasValue(Value)) FWinList->Add(Value);
    if (TWinControl* Control = FindControl(Wnd))
        FWinControls[Wnd] = TWeak<TWinControl>(Control);
    else
        FWinControls.erase(Wnd);
    FListLock.Leave();
}

void TRegMonitorThread::RemoveWindow(HWND Wnd) {
    FListLock.Enter();
    FWinList->DeleteValue(reinterpret_cast<NativeInt>(Wnd));
    FWinControls.erase(Wnd);
    FListLock.Leave();
}

void TRegMonitorThread::Stop() { Terminate(); }

void TRegMonitorThread::TerminatedSet() {
    // Wakes the wait below. The change event is not used for this: being named, it is shared
    // with every other watcher in the program, which would all take it for a theme change.
    FStopEvent.SetEvent();
}

void TRegMonitorThread::Execute() {
    const String OpenError = QStringLiteral("Unable to open registry key ") + FKey;
    FReg->SetRootKey(FRootKey);
    if (!FReg->OpenKeyReadOnly(FKey)) throw ERegistryException(OpenError);
    FEvent = std::make_unique<TEvent>(true, false, QStringLiteral("RegMonitorChange"));
    if (RegOpenKeyEx(FRootKey, FReg->CurrentPath(), 0, KEY_NOTIFY, &FNotifyKey) != ERROR_SUCCESS)
        throw ERegistryException(OpenError);
    armNotification();
    FWatching = true;
    const std::vector<TEvent*> Events{FEvent.get(), &FStopEvent};
    while (!Terminated()) {
        int Signaled = -1;
        if (TEvent::WaitForMultiple(Events, false, INFINITE, &Signaled) != wrSignaled) continue;
        if (Terminated()) break;
        if (Signaled != 0) continue;
        sendChange();
        FEvent->ResetEvent();
        armNotification();
    }
    FWatching = false;
    RegCloseKey(FNotifyKey);
    FNotifyKey = nullptr;
}

void TRegMonitorThread::armNotification() {
    RegNotifyChangeKeyValue(FNotifyKey, FWatchSub, DWORD(GetFilter()), FEvent.get(), 1);
}

void TRegMonitorThread::sendChange() {
    // Work on a copy: the window thread may register or unregister windows meanwhile.
    std::vector<HWND> Targets;
    std::map<HWND, TWeak<TWinControl>> Known;
    FListLock.Enter();
    if (FWnd) Targets.push_back(FWnd);
    for (int I = 0; I < FWinList->Count(); ++I) Targets.push_back(reinterpret_cast<HWND>(FWinList->GetInteger(I)));
    Known = FWinControls;
    FListLock.Leave();

    const std::u16string Path = FKey.toStdU16String();
    const WPARAM RootParam = reinterpret_cast<WPARAM>(FRootKey);
    const LPARAM PathParam = reinterpret_cast<LPARAM>(Path.c_str());
    for (HWND Target : Targets) {
        // Decided on the window thread, where windows are freed: a window that is gone, or whose
        // handle value now belongs to another control, is skipped.
        Synchronize([&] {
            TWinControl* Control = FindControl(Target);
            if (!Control) return;
            const auto It = Known.find(Target);
            if (It != Known.end() && It->second.get() != Control) return;
            try {
                SendMessage(Target, WM_OFFICETHEMECHANGE, RootParam, PathParam);
            } catch (...) {
                // The window's own failure; the others still hear of the change.
                HandleDispatchedException(FindControl(Target));
            }
        });
    }
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifierWindow

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}

void TThemeNotifierWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange) {
        const TWeak<TThemeNotifierWindow> Self(this);
        OnOfficeThemeChange(this);
        if (!Self) return;
    }
    TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifier

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
    if (ComponentState().Contains(csDesigning) || (AOwner && AOwner->ComponentState().Contains(csDesigning))) return;
    const int OfficeVersion = DetectOfficeVersion();
    if (OfficeVersion == 0) return;
    auto* Parent = dynamic_cast<TWinControl*>(AOwner);
    if (!Parent)
        throw EInvalidCast(QStringLiteral("Invalid class typecast: the theme notifier needs a windowed owner"));

    FNotifier = new TThemeNotifierWindow(this);
    FNotifier->SetVisible(false);
    FNotifier->SetParent(Parent);
    FNotifier->OnOfficeThemeChange = [this](TObject*) {
        if (OnOfficeThemeChange) OnOfficeThemeChange(this);
    };

    FLink = std::make_shared<TThemeNotifier*>(this);
    auto* Thread = new TRegMonitorThread();
    Thread->SetFreeOnTerminate(true);
    Thread->SetWnd(FNotifier->Handle());
    Thread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
    Thread->SetKey(officeCommonKeyOf(OfficeVersion));
    Thread->SetRootKey(HKEY_CURRENT_USER);
    Thread->SetWatchSub(true);
    // Runs on the window thread as the thread's last act before it frees itself.
    Thread->OnTerminate = [Link = FLink](TObject*) {
        if (*Link) (*Link)->FRegMonitorThread = nullptr;
    };
    FRegMonitorThread = Thread;
    Thread->Start();
}

TThemeNotifier::~TThemeNotifier() { stopMonitoring(); }

void TThemeNotifier::BeforeDestruction() {
    stopMonitoring();
    TComponent::BeforeDestruction();
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
    if (FRegMonitorThread) FRegMonitorThread->AddWindow(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
    if (FRegMonitorThread) FRegMonitorThread->RemoveWindow(Hwnd);
}

void TThemeNotifier::stopMonitoring() {
    if (FRegMonitorThread) {
        FRegMonitorThread->Stop();
        FRegMonitorThread = nullptr;
    }
    if (FLink) *FLink = nullptr;
    if (gSharedThemeNotifier == this) gSharedThemeNotifier = nullptr;
}

TThemeNotifier* SharedThemeNotifier(TComponent* AOwner) {
    if (!gSharedThemeNotifier) {
        TComponent* Owner = AOwner;
        TCustomForm* MainForm = Application ? Application->MainForm() : nullptr;
        if (MainForm && MainForm->HandleAllocated()) Owner = MainForm;
        gSharedThemeNotifier = new TThemeNotifier(Owner);
    }
    return gSharedThemeNotifier;
}

// ---------------------------------------------------------------------------------------------

TNotifierWindow::TNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}

TNotifierWindow* TNotifierWindow::CreateHidden(TComponent* AOwner, TNotifyEvent OnThemeChange) {
    auto* Notifier = new TNotifierWindow(AOwner);
    // It only listens; kept out of sight so it never paints over the form.
    Notifier->SetVisible(false);
    Notifier->SetBounds(0, 0, 0, 0);
    for (TComponent* C = AOwner ? AOwner->Owner() : nullptr; C; C = C->Owner())
        if (auto* W = dynamic_cast<TWinControl*>(C)) {
            Notifier->SetParent(W);
            break;
        }
    Notifier->OnThemeChange = std::move(OnThemeChange);
    return Notifier;
}

void TNotifierWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_THEMECHANGED && OnThemeChange) {
        const TWeak<TNotifierWindow> Self(this);
        const TNotifyEvent Handler = OnThemeChange;
        Handler(this);
        if (!Self) return;
    }
    TWinControl::WndProc(Message);
}
