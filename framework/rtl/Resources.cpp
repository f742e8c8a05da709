// The program's resource table.
#include "framework/rtl/Resources.h"

#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

struct TResourceEntry {
    TResourceType Type = 0;
    String Name;
    TBytes Data;
};

namespace {

struct ResourceTable {
    std::mutex Lock;
    // Entries never move, so handles stay valid while their entry is registered.
    std::deque<std::unique_ptr<TResourceEntry>> Entries;
};

// Built on first use: registrations run during static initialisation, in any order.
ResourceTable& table() {
    static ResourceTable Table;
    return Table;
}

String idName(int ResID) { return QStringLiteral("#%1").arg(ResID); }

TResourceEntry* findLocked(ResourceTable& T, TResourceType Type, const String& Name);

// Copies the bytes under the lock, so a registration on another thread cannot tear them.
bool copyResource(TResourceType Type, const String& Name, TBytes& Out) {
    ResourceTable& T = table();
    std::lock_guard Guard(T.Lock);
    TResourceEntry* E = findLocked(T, Type, Name);
    if (!E) return false;
    Out = E->Data;
    return true;
}

TResourceEntry* findLocked(ResourceTable& T, TResourceType Type, const String& Name) {
    for (auto& E : T.Entries)
        if (E->Type == Type && E->Name.compare(Name, Qt::CaseInsensitive) == 0) return E.get();
    return nullptr;
}

}  // namespace

// Any non-null value: every handle names the program.
const HINSTANCE HInstance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000));

void RegisterResource(TResourceType Type, const String& Name, const void* Data, std::size_t Size) {
    if (Name.isEmpty()) throw EArgumentException(QStringLiteral("A resource needs a name"));
    ResourceTable& T = table();
    std::lock_guard Guard(T.Lock);
    TBytes Bytes(Size);
    if (Size) std::memcpy(Bytes.data(), Data, Size);
    if (TResourceEntry* Existing = findLocked(T, Type, Name)) {
        Existing->Name = Name;
        Existing->Data = std::move(Bytes);
        return;
    }
    T.Entries.push_back(std::make_unique<TResourceEntry>(TResourceEntry{Type, Name, std::move(Bytes)}));
}

void RegisterResource(TResourceType Type, int ResID, const void* Data, std::size_t Size) {
    RegisterResource(Type, idName(ResID), Data, Size);
}

bool UnregisterResource(TResourceType Type, const String& Name) {
    ResourceTable& T = table();
    std::lock_guard Guard(T.Lock);
    for (auto It = T.Entries.begin(); It != T.Entries.end(); ++It)
        if ((*It)->Type == Type && (*It)->Name.compare(Name, Qt::CaseInsensitive) == 0) {
            T.Entries.erase(It);
            return true;
        }
    return false;
}

bool UnregisterResource(TResourceType Type, int ResID) { return UnregisterResource(Type, idName(ResID)); }

HRSRC FindResource(HINSTANCE, const String& Name, TResourceType Type) {
    if (Name.isEmpty()) return nullptr;
    ResourceTable& T = table();
    std::lock_guard Guard(T.Lock);
    return findLocked(T, Type, Name);
}

HRSRC FindResource(HINSTANCE Instance, int ResID, TResourceType Type) {
    return FindResource(Instance, idName(ResID), Type);
}

DWORD SizeofResource(HINSTANCE, HRSRC ResInfo) { return ResInfo ? static_cast<DWORD>(ResInfo->Data.size()) : 0; }

const void* LoadResource(HINSTANCE, HRSRC ResInfo) { return ResInfo ? ResInfo->Data.data() : nullptr; }

String ResourceName(HRSRC ResInfo) { return ResInfo ? ResInfo->Name : String(); }

// ---------------------------------------------------------------------------------------------

TResourceStream::TResourceStream(TBytes&& Data) {
    FData = std::move(Data);
    FPosition = 0;
}

TResourceStream::TResourceStream(HINSTANCE, const String& ResName, TResourceType ResType) {
    if (ResName.isEmpty() || !copyResource(ResType, ResName, FData))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    FPosition = 0;
}

TResourceStream* TResourceStream::CreateFromID(HINSTANCE, int ResID, TResourceType ResType) {
    TBytes Data;
    if (!copyResource(ResType, idName(ResID), Data))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResID));
    return new TResourceStream(std::move(Data));
}

Int64 TResourceStream::Write(const void*, Int64) {
    throw EStreamError(QStringLiteral("Can't write to a read-only resource stream"));
}

void TResourceStream::SetSize(Int64) {
    throw EStreamError(QStringLiteral("Can't write to a read-only resource stream"));
}
