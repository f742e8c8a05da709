#include "framework/rtl/RegNotify.h"

#include <QStringList>

#include <map>
#include <memory>
#include <mutex>

namespace {

inline constexpr DWORD kNotifyFilters =
    REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_ATTRIBUTES | REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_SECURITY;
// Also accepted, as on the platform: the notification does not end with the arming thread.
inline constexpr DWORD kThreadAgnostic = 0x10000000;

// Shared by the key's entry and the watch callback, which may outlive the entry by a moment.
struct TArming {
    std::mutex Lock;
    TEvent* Event = nullptr;
    bool Armed = false;

    void fire() {
        std::lock_guard Guard(Lock);
        if (!Armed) return;
        Armed = false;
        Event->SetEvent();
    }
};

struct TOpenKey {
    HKEY Root = nullptr;
    String Path;
    int WatchId = 0;
    bool WatchSubtree = false;
    std::shared_ptr<TArming> Arming = std::make_shared<TArming>();
};

struct TKeyTable {
    std::mutex Lock;
    std::map<HKEY, TOpenKey> Keys;
    // Far from TRegistry's handle numbers, so that one passed here by mistake is refused.
    std::uintptr_t NextHandle = 0x40000000;
};

TKeyTable& keyTable() {
    static TKeyTable Table;
    return Table;
}

bool isRootKey(HKEY Key) {
    return Key == HKEY_CLASSES_ROOT || Key == HKEY_CURRENT_USER || Key == HKEY_LOCAL_MACHINE || Key == HKEY_USERS ||
           Key == HKEY_CURRENT_CONFIG;
}

String normalisedPath(const String& SubKey) {
    String Path;
    for (const String& Segment : SubKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (!Path.isEmpty()) Path += QLatin1Char('\\');
        Path += Segment;
    }
    return Path;
}

}  // namespace

LONG RegOpenKeyEx(HKEY Root, const String& SubKey, DWORD /*Options*/, LongWord /*Access*/, HKEY* Result) {
    if (!Result) return ERROR_INVALID_PARAMETER;
    *Result = nullptr;
    TKeyTable& Table = keyTable();
    HKEY BaseRoot = Root;
    String BasePath;
    if (!isRootKey(Root)) {
        std::lock_guard Guard(Table.Lock);
        auto It = Table.Keys.find(Root);
        if (It == Table.Keys.end()) return ERROR_INVALID_HANDLE;
        BaseRoot = It->second.Root;
        BasePath = It->second.Path;
    }
    String Path = normalisedPath(BasePath + QLatin1Char('\\') + SubKey);
    if (!Path.isEmpty()) {
        TRegistry Reg(KEY_READ);
        Reg.SetRootKey(BaseRoot);
        if (!Reg.KeyExists(QLatin1Char('\\') + Path)) return ERROR_FILE_NOT_FOUND;
    }
    std::lock_guard Guard(Table.Lock);
    const HKEY Handle = reinterpret_cast<HKEY>(Table.NextHandle++);
    TOpenKey& Entry = Table.Keys[Handle];
    Entry.Root = BaseRoot;
    Entry.Path = Path;
    *Result = Handle;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY Key) {
    TKeyTable& Table = keyTable();
    std::unique_lock Guard(Table.Lock);
    auto It = Table.Keys.find(Key);
    if (It == Table.Keys.end()) return ERROR_INVALID_HANDLE;
    TOpenKey Entry = std::move(It->second);
    Table.Keys.erase(It);
    Guard.unlock();
    // After the cancel the watch never calls again, so the event is set here at most once more.
    if (Entry.WatchId) RegCancelNotify(Entry.WatchId);
    Entry.Arming->fire();
    return ERROR_SUCCESS;
}

LONG RegNotifyChangeKeyValue(HKEY Key, BOOL WatchSubtree, DWORD NotifyFilter, TEvent* Event, BOOL Asynchronous) {
    if ((NotifyFilter & kNotifyFilters) == 0 || (NotifyFilter & ~(kNotifyFilters | kThreadAgnostic)) != 0)
        return ERROR_INVALID_PARAMETER;
    if (Asynchronous && !Event) return ERROR_INVALID_PARAMETER;
    TEvent Changed(true, false);
    TEvent* Signal = Asynchronous ? Event : &Changed;
    std::shared_ptr<TArming> Arming;
    {
        TKeyTable& Table = keyTable();
        std::lock_guard Guard(Table.Lock);
        auto It = Table.Keys.find(Key);
        if (It == Table.Keys.end()) return ERROR_INVALID_HANDLE;
        TOpenKey& Entry = It->second;
        Arming = Entry.Arming;
        if (Entry.WatchId && Entry.WatchSubtree != bool(WatchSubtree)) {
            RegCancelNotify(Entry.WatchId);
            Entry.WatchId = 0;
        }
        {
            std::lock_guard ArmGuard(Arming->Lock);
            Arming->Event = Signal;
            Arming->Armed = true;
        }
        // The watch stays for the key's life and only passes on changes while armed, so a change
        // between two armings goes unreported, as with a one-time notification.
        if (!Entry.WatchId)
            Entry.WatchId = RegNotifyChange(Entry.Root, Entry.Path, WatchSubtree, [Arming] { Arming->fire(); });
        Entry.WatchSubtree = WatchSubtree;
    }
    if (Asynchronous) return ERROR_SUCCESS;
    Changed.WaitFor(INFINITE);
    // A close may be setting the event right now: let it finish before the event goes.
    std::lock_guard ArmGuard(Arming->Lock);
    if (Arming->Event == &Changed) {
        Arming->Event = nullptr;
        Arming->Armed = false;
    }
    return ERROR_SUCCESS;
}
