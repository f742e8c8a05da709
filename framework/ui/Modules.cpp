// The module table behind LoadLibrary and GetProcAddress.
#include "framework/ui/Modules.h"

#include "framework/ui/LayeredWindows.h"
#include "framework/ui/UxTheme.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

namespace {

struct TModuleDefinition {
    TModuleExports Exports;
};

struct TLoadedModule {
    String Key;
    std::shared_ptr<const TModuleDefinition> Definition;
    int RefCount = 0;
};

// A name answers with the module registered under it now: a module loaded before a test replaced
// or hid its definition stays loaded for its holders, but new loads and look-ups no longer see it.
struct TModuleTable {
    std::mutex Lock;
    std::map<String, std::shared_ptr<const TModuleDefinition>> Registered;
    std::vector<std::unique_ptr<TLoadedModule>> Loaded;
    QHash<String, int> LoadCounts;
};

// "C:\Windows\System32\UxTheme.DLL" and "uxtheme" both name "uxtheme.dll".
String moduleKey(const String& Name) {
    String Key = Name.trimmed();
    const int Slash = std::max(Key.lastIndexOf(u'\\'), Key.lastIndexOf(u'/'));
    if (Slash >= 0) Key = Key.mid(Slash + 1);
    Key = Key.toLower();
    if (!Key.isEmpty() && !Key.contains(u'.')) Key += QStringLiteral(".dll");
    return Key;
}

TModuleTable& table() {
    // The framework's own modules are there from the first use, whatever the link order.
    static TModuleTable* Table = [] {
        auto* T = new TModuleTable;
        T->Registered[moduleKey(QStringLiteral("uxtheme.dll"))] =
            std::make_shared<TModuleDefinition>(TModuleDefinition{UxThemeExports()});
        T->Registered[moduleKey(QStringLiteral("user32.dll"))] =
            std::make_shared<TModuleDefinition>(TModuleDefinition{User32Exports()});
        return T;
    }();
    return *Table;
}

TLoadedModule* loadedOf(TModuleTable& T, HMODULE Module) {
    if (!Module) return nullptr;
    for (auto& Loaded : T.Loaded)
        if (reinterpret_cast<HMODULE>(Loaded.get()) == Module) return Loaded.get();
    return nullptr;
}

// The loaded instance of the definition registered under Key now; nullptr when none.
TLoadedModule* currentOf(TModuleTable& T, const String& Key) {
    const auto Def = T.Registered.find(Key);
    if (Def == T.Registered.end()) return nullptr;
    for (auto& Loaded : T.Loaded)
        if (Loaded->Key == Key && Loaded->Definition == Def->second) return Loaded.get();
    return nullptr;
}

}  // namespace

void RegisterModule(const String& Name, const TModuleExports& Exports) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    T.Registered[moduleKey(Name)] = std::make_shared<TModuleDefinition>(TModuleDefinition{Exports});
}

void UnregisterModule(const String& Name) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    T.Registered.erase(moduleKey(Name));
}

HMODULE LoadLibrary(const String& FileName) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    const String Key = moduleKey(FileName);
    if (Key.isEmpty()) return nullptr;
    TLoadedModule* Current = currentOf(T, Key);
    if (!Current) {
        const auto Def = T.Registered.find(Key);
        if (Def == T.Registered.end()) return nullptr;
        auto Loaded = std::make_unique<TLoadedModule>();
        Loaded->Key = Key;
        Loaded->Definition = Def->second;
        Current = Loaded.get();
        T.Loaded.push_back(std::move(Loaded));
        ++T.LoadCounts[Key];
    }
    ++Current->RefCount;
    return reinterpret_cast<HMODULE>(Current);
}

HMODULE GetModuleHandle(const String& ModuleName) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    return reinterpret_cast<HMODULE>(currentOf(T, moduleKey(ModuleName)));
}

FARPROC GetProcAddress(HMODULE Module, const char* ProcName) {
    if (!ProcName) return nullptr;
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    const TLoadedModule* Loaded = loadedOf(T, Module);
    if (!Loaded) return nullptr;
    for (const TModuleExport& E : Loaded->Definition->Exports)
        if (E.Name && std::strcmp(E.Name, ProcName) == 0) return E.Proc;
    return nullptr;
}

BOOL FreeLibrary(HMODULE Module) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    TLoadedModule* Loaded = loadedOf(T, Module);
    if (!Loaded) return 0;
    if (--Loaded->RefCount == 0)
        T.Loaded.erase(std::find_if(T.Loaded.begin(), T.Loaded.end(),
                                    [Loaded](const auto& Entry) { return Entry.get() == Loaded; }));
    return 1;
}

int ModuleLoadCount(const String& ModuleName) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    return T.LoadCounts.value(moduleKey(ModuleName), 0);
}

// ---------------------------------------------------------------------------------------------

struct TModuleReplacement::TSaved {
    String Key;
    std::optional<std::shared_ptr<const TModuleDefinition>> Previous;
};

TModuleReplacement::TModuleReplacement(const String& Name, const TModuleExports& Exports) : TModuleReplacement(Name) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    T.Registered[FSaved->Key] = std::make_shared<TModuleDefinition>(TModuleDefinition{Exports});
}

TModuleReplacement::TModuleReplacement(const String& Name) : FSaved(std::make_unique<TSaved>()) {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    FSaved->Key = moduleKey(Name);
    const auto It = T.Registered.find(FSaved->Key);
    if (It != T.Registered.end()) {
        FSaved->Previous = It->second;
        T.Registered.erase(It);
    }
}

TModuleReplacement::~TModuleReplacement() {
    TModuleTable& T = table();
    const std::lock_guard Guard(T.Lock);
    if (FSaved->Previous)
        T.Registered[FSaved->Key] = *FSaved->Previous;
    else
        T.Registered.erase(FSaved->Key);
}
