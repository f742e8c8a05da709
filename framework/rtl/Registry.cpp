#include "framework/rtl/Registry.h"

#include "framework/rtl/RegistryStore.h"
#include "framework/rtl/StringList.h"

#include <algorithm>
#include <atomic>
#include <cstring>

using regstore::RegistryStore;
using regstore::RegKey;
using regstore::RegValue;
using regstore::SplitKeyPath;

namespace {

[[noreturn]] void raiseRegistry(const char* Pattern, const String& Name) {
    throw ERegistryException(QString::fromLatin1(Pattern).arg(Name));
}

// Key names may hold anything printable but the backslash, which separates them.
bool validKeyPath(const std::vector<String>& Parts) {
    for (const String& Part : Parts)
        for (QChar C : Part)
            if (C.unicode() < 0x20 || C.unicode() == 0x7F) return false;
    return true;
}

String joinPath(const String& Base, const String& Sub) {
    const String Rel = regstore::JoinKeyPath(SplitKeyPath(Sub));
    if (Base.isEmpty()) return Rel;
    return Rel.isEmpty() ? Base : Base + QLatin1Char('\\') + Rel;
}

// The tree as it is now, with the key at Path in it (nullptr when it does not exist).
struct KeyView {
    std::shared_ptr<const RegKey> Tree;
    const RegKey* Key = nullptr;
};

KeyView viewKey(HKEY Root, const String& Path) {
    KeyView View;
    View.Tree = RegistryStore::ForRoot(Root)->Snapshot();
    View.Key = View.Tree->Find(SplitKeyPath(Path));
    return View;
}

const RegValue* findValue(const KeyView& View, const String& Name) {
    return View.Key ? View.Key->FindValue(Name) : nullptr;
}

// Stores Value in the key at KeyPath (creating SubKey below it when given); false when the key
// at KeyPath no longer exists.
bool putValue(HKEY Root, const String& KeyPath, const String& SubKey, RegValue Value) {
    bool Found = true;
    const String Name = Value.Name;
    const std::vector<String> Base = SplitKeyPath(KeyPath);
    const std::vector<String> Sub = SplitKeyPath(SubKey);
    if (!validKeyPath(Sub)) return false;
    try {
        RegistryStore::ForRoot(Root)->Modify([&](RegKey& Tree) {
            RegKey* Key = Tree.Find(Base);
            if (!Key) {
                Found = false;
                return false;
            }
            Key = &Key->Ensure(Sub);
            RegValue* Old = Key->FindValue(Value.Name);
            if (!Old) {
                Key->Values.push_back(std::move(Value));
                return true;
            }
            Value.Name = Old->Name;  // the case first written stays
            if (*Old == Value) return false;
            *Old = std::move(Value);
            return true;
        });
    } catch (const ERegistryException& E) {
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'. %2").arg(Name, E.Message()));
    }
    return Found;
}

RegValue makeValue(const String& Name, TRegDataType Type) {
    RegValue V;
    V.Name = Name;
    V.Type = Type;
    return V;
}

std::atomic<std::uintptr_t> NextKeyHandle{1};

void fillNames(TStrings* Strings, const std::vector<String>& Names) {
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const String& Name : Names) Strings->Add(Name);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

template <class List>
std::vector<String> namesOf(const List& Items) {
    std::vector<String> Names;
    for (const auto& Item : Items) Names.push_back(Item.Name);
    return Names;
}

}  // namespace

// ---- TRegistry ----

TRegistry::TRegistry() = default;

TRegistry::TRegistry(LongWord AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == FRootKey) return;
    CloseKey();
    FRootKey = Value;
}

String TRegistry::resolvePath(const String& Key) const {
    const bool Absolute = Key.startsWith(QLatin1Char('\\'));
    return joinPath(Absolute || !FCurrentKey ? String() : FCurrentPath, Key);
}

bool TRegistry::canWrite() const { return FCurrentKey && FCurrentRights == TKeyRights::ReadWrite; }

bool TRegistry::openPath(const String& Path, bool CanCreate, TKeyRights Rights) {
    const std::vector<String> Parts = SplitKeyPath(Path);
    auto Store = RegistryStore::ForRoot(FRootKey);
    // Creating takes the store's lock, so look first: most keys opened already exist.
    if (!Store->Snapshot()->Find(Parts)) {
        if (!CanCreate || Rights != TKeyRights::ReadWrite || !(FAccess & KEY_CREATE_SUB_KEY) || !validKeyPath(Parts))
            return false;
        Store->Modify([&](RegKey& Tree) {
            if (Tree.Find(Parts)) return false;
            Tree.Ensure(Parts);
            return true;
        });
    }
    CloseKey();
    FCurrentKey = reinterpret_cast<HKEY>(NextKeyHandle++);
    FCurrentPath = Path;
    FCurrentRights =
        Rights == TKeyRights::ReadWrite && (FAccess & KEY_SET_VALUE) ? TKeyRights::ReadWrite : TKeyRights::ReadOnly;
    return true;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
    return openPath(resolvePath(Key), CanCreate, TKeyRights::ReadWrite);
}

bool TRegistry::OpenKeyReadOnly(const String& Key) { return openPath(resolvePath(Key), false, TKeyRights::ReadOnly); }

void TRegistry::CloseKey() {
    FCurrentKey = nullptr;
    FCurrentPath.clear();
    FCurrentRights = TKeyRights::ReadWrite;
}

bool TRegistry::CreateKey(const String& Key) {
    const String Path = resolvePath(Key);
    const std::vector<String> Parts = SplitKeyPath(Path);
    const bool Relative = FCurrentKey && !Key.startsWith(QLatin1Char('\\'));
    if (!(FAccess & KEY_CREATE_SUB_KEY) || !validKeyPath(Parts) || (Relative && !canWrite()))
        raiseRegistry("Failed to create key %1", Key);
    RegistryStore::ForRoot(FRootKey)->Modify([&](RegKey& Tree) {
        if (Tree.Find(Parts)) return false;
        Tree.Ensure(Parts);
        return true;
    });
    return true;
}

bool TRegistry::DeleteKey(const String& Key) {
    std::vector<String> Parts = SplitKeyPath(resolvePath(Key));
    const bool Relative = FCurrentKey && !Key.startsWith(QLatin1Char('\\'));
    if (Parts.empty() || !(FAccess & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) || (Relative && !canWrite())) return false;
    const String Last = Parts.back();
    Parts.pop_back();
    return RegistryStore::ForRoot(FRootKey)->Modify([&](RegKey& Tree) {
        RegKey* Parent = Tree.Find(Parts);
        return Parent && Parent->RemoveSubKey(Last);
    });
}

bool TRegistry::KeyExists(const String& Key) { return viewKey(FRootKey, resolvePath(Key)).Key != nullptr; }

bool TRegistry::HasSubKeys() {
    if (!FCurrentKey) return false;
    const KeyView View = viewKey(FRootKey, FCurrentPath);
    return View.Key && !View.Key->SubKeys.empty();
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
    Value = {};
    if (!FCurrentKey) return false;
    const KeyView View = viewKey(FRootKey, FCurrentPath);
    if (!View.Key) return false;
    Value.NumSubKeys = int(View.Key->SubKeys.size());
    Value.NumValues = int(View.Key->Values.size());
    for (const RegKey& Sub : View.Key->SubKeys) Value.MaxSubKeyLen = std::max(Value.MaxSubKeyLen, int(Sub.Name.size()));
    for (const RegValue& V : View.Key->Values) {
        Value.MaxValueLen = std::max(Value.MaxValueLen, int(V.Name.size()));
        Value.MaxDataLen = std::max(Value.MaxDataLen, V.DataSize());
    }
    return true;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
    const KeyView View = FCurrentKey ? viewKey(FRootKey, FCurrentPath) : KeyView{};
    fillNames(Strings, View.Key ? namesOf(View.Key->SubKeys) : std::vector<String>{});
}

void TRegistry::GetValueNames(TStrings* Strings) {
    const KeyView View = FCurrentKey ? viewKey(FRootKey, FCurrentPath) : KeyView{};
    fillNames(Strings, View.Key ? namesOf(View.Key->Values) : std::vector<String>{});
}

bool TRegistry::ValueExists(const String& Name) {
    return FCurrentKey && findValue(viewKey(FRootKey, FCurrentPath), Name) != nullptr;
}

bool TRegistry::GetDataInfo(const String& ValueName, TRegDataInfo& Value) {
    Value = {};
    if (!FCurrentKey) return false;
    const KeyView View = viewKey(FRootKey, FCurrentPath);
    const RegValue* V = findValue(View, ValueName);
    if (!V) return false;
    Value.RegData = V->Type;
    Value.DataSize = V->DataSize();
    return true;
}

TRegDataType TRegistry::GetDataType(const String& ValueName) {
    TRegDataInfo Info;
    return GetDataInfo(ValueName, Info) ? Info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const String& ValueName) {
    TRegDataInfo Info;
    return GetDataInfo(ValueName, Info) ? Info.DataSize : -1;
}

bool TRegistry::DeleteValue(const String& Name) {
    if (!canWrite()) return false;
    const std::vector<String> Parts = SplitKeyPath(FCurrentPath);
    return RegistryStore::ForRoot(FRootKey)->Modify([&](RegKey& Tree) {
        RegKey* Key = Tree.Find(Parts);
        return Key && Key->RemoveValue(Name);
    });
}

void TRegistry::RenameValue(const String& OldName, const String& NewName) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", NewName);
    const std::vector<String> Parts = SplitKeyPath(FCurrentPath);
    RegistryStore::ForRoot(FRootKey)->Modify([&](RegKey& Tree) {
        RegKey* Key = Tree.Find(Parts);
        if (!Key) return false;
        RegValue* Old = Key->FindValue(OldName);
        // Renaming onto an existing value would lose it: leave both, as the platform does.
        if (!Old || (Key->FindValue(NewName) && Key->FindValue(NewName) != Old)) return false;
        Old->Name = NewName;
        return true;
    });
}

String TRegistry::ReadString(const String& Name) {
    if (!FCurrentKey) return String();
    const KeyView View = viewKey(FRootKey, FCurrentPath);
    const RegValue* V = findValue(View, Name);
    if (!V) return String();
    if (V->Type != rdString && V->Type != rdExpandString) raiseRegistry("Invalid data type for '%1'", Name);
    return V->Text;
}

void TRegistry::WriteString(const String& Name, const String& Value) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", Name);
    RegValue V = makeValue(Name, rdString);
    V.Text = Value;
    if (!putValue(FRootKey, FCurrentPath, String(), std::move(V))) raiseRegistry("Failed to set data for '%1'", Name);
}

void TRegistry::WriteExpandString(const String& Name, const String& Value) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", Name);
    RegValue V = makeValue(Name, rdExpandString);
    V.Text = Value;
    if (!putValue(FRootKey, FCurrentPath, String(), std::move(V))) raiseRegistry("Failed to set data for '%1'", Name);
}

int TRegistry::ReadInteger(const String& Name) {
    const KeyView View = FCurrentKey ? viewKey(FRootKey, FCurrentPath) : KeyView{};
    const RegValue* V = findValue(View, Name);
    if (!V) raiseRegistry("Failed to get data for '%1'", Name);
    if (V->Type != rdInteger) raiseRegistry("Invalid data type for '%1'", Name);
    return static_cast<int>(V->Number);
}

void TRegistry::WriteInteger(const String& Name, int Value) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", Name);
    RegValue V = makeValue(Name, rdInteger);
    V.Number = static_cast<std::uint32_t>(Value);
    if (!putValue(FRootKey, FCurrentPath, String(), std::move(V))) raiseRegistry("Failed to set data for '%1'", Name);
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

void TRegistry::readFixedBinary(const String& Name, void* Buffer, int Size) {
    const KeyView View = FCurrentKey ? viewKey(FRootKey, FCurrentPath) : KeyView{};
    const RegValue* V = findValue(View, Name);
    if (!V) raiseRegistry("Failed to get data for '%1'", Name);
    if (V->Type != rdBinary || int(V->Bytes.size()) != Size) raiseRegistry("Invalid data type for '%1'", Name);
    std::memcpy(Buffer, V->Bytes.data(), std::size_t(Size));
}

double TRegistry::ReadFloat(const String& Name) {
    double Value = 0;
    readFixedBinary(Name, &Value, sizeof Value);
    return Value;
}

void TRegistry::WriteFloat(const String& Name, double Value) { WriteBinaryData(Name, &Value, sizeof Value); }

TDateTime TRegistry::ReadDateTime(const String& Name) { return ReadFloat(Name); }

void TRegistry::WriteDateTime(const String& Name, TDateTime Value) { WriteFloat(Name, Value); }

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize) {
    const KeyView View = FCurrentKey ? viewKey(FRootKey, FCurrentPath) : KeyView{};
    const RegValue* V = findValue(View, Name);
    if (!V) return 0;
    if (V->Type != rdBinary || int(V->Bytes.size()) > BufSize) raiseRegistry("Invalid data type for '%1'", Name);
    if (!V->Bytes.empty()) std::memcpy(Buffer, V->Bytes.data(), V->Bytes.size());
    return int(V->Bytes.size());
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize) {
    if (!canWrite() || BufSize < 0) raiseRegistry("Failed to set data for '%1'", Name);
    RegValue V = makeValue(Name, rdBinary);
    const Byte* Data = static_cast<const Byte*>(Buffer);
    V.Bytes.assign(Data, Data + BufSize);
    if (!putValue(FRootKey, FCurrentPath, String(), std::move(V))) raiseRegistry("Failed to set data for '%1'", Name);
}

// ---- TRegIniFile ----

TRegIniFile::TRegIniFile(const String& FileName) : TRegIniFile(FileName, KEY_ALL_ACCESS) {}

TRegIniFile::TRegIniFile(const String& FileName, LongWord AAccess) : TRegistry(AAccess), FFileName(FileName) {
    OpenKey(FileName, true);
}

String TRegIniFile::sectionPath(const String& Section) const { return joinPath(CurrentPath(), Section); }

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    if (!CurrentKey()) return Default;
    const RegValue* V = findValue(viewKey(RootKey(), sectionPath(Section)), Ident);
    if (!V) return Default;
    if (V->Type == rdString || V->Type == rdExpandString) return V->Text;
    if (V->Type == rdInteger) return String::number(static_cast<int>(V->Number));
    return Default;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", Ident);
    RegValue V = makeValue(Ident, rdString);
    V.Text = Value;
    if (!putValue(RootKey(), CurrentPath(), Section, std::move(V))) raiseRegistry("Failed to set data for '%1'", Ident);
}

int TRegIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    if (!CurrentKey()) return Default;
    const KeyView View = viewKey(RootKey(), sectionPath(Section));
    const RegValue* V = findValue(View, Ident);
    if (!V) return Default;
    if (V->Type == rdInteger) return static_cast<int>(V->Number);
    int Result = Default;
    if ((V->Type == rdString || V->Type == rdExpandString) && TryIniStrToInt(V->Text, Result)) return Result;
    return Default;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    if (!canWrite()) raiseRegistry("Failed to set data for '%1'", Ident);
    RegValue V = makeValue(Ident, rdInteger);
    V.Number = static_cast<std::uint32_t>(Value);
    if (!putValue(RootKey(), CurrentPath(), Section, std::move(V))) raiseRegistry("Failed to set data for '%1'", Ident);
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    if (!CurrentKey()) return Default;
    const KeyView View = viewKey(RootKey(), sectionPath(Section));
    const RegValue* V = findValue(View, Ident);
    if (!V) return Default;
    if (V->Type == rdInteger) return V->Number != 0;
    bool Result = Default;
    if ((V->Type == rdString || V->Type == rdExpandString) && TryIniStrToBool(V->Text, Result)) return Result;
    return Default;
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings) {
    const KeyView View = CurrentKey() ? viewKey(RootKey(), sectionPath(Section)) : KeyView{};
    fillNames(Strings, View.Key ? namesOf(View.Key->Values) : std::vector<String>{});
}

void TRegIniFile::ReadSections(TStrings* Strings) {
    const KeyView View = CurrentKey() ? viewKey(RootKey(), CurrentPath()) : KeyView{};
    fillNames(Strings, View.Key ? namesOf(View.Key->SubKeys) : std::vector<String>{});
}

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    std::vector<String> Lines;
    const KeyView View = CurrentKey() ? viewKey(RootKey(), sectionPath(Section)) : KeyView{};
    if (View.Key) {
        for (const RegValue& V : View.Key->Values) {
            if (V.Type == rdString || V.Type == rdExpandString)
                Lines.push_back(V.Name + QLatin1Char('=') + V.Text);
            else if (V.Type == rdInteger)
                Lines.push_back(V.Name + QLatin1Char('=') + String::number(int(V.Number)));
        }
    }
    fillNames(Strings, Lines);
}

void TRegIniFile::EraseSection(const String& Section) {
    // An empty section is the opened key itself, which is not ours to delete.
    if (!canWrite() || SplitKeyPath(Section).empty()) return;
    std::vector<String> Parts = SplitKeyPath(sectionPath(Section));
    const String Last = Parts.back();
    Parts.pop_back();
    RegistryStore::ForRoot(RootKey())->Modify([&](RegKey& Tree) {
        RegKey* Parent = Tree.Find(Parts);
        return Parent && Parent->RemoveSubKey(Last);
    });
}

void TRegIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (!canWrite()) return;
    const std::vector<String> Parts = SplitKeyPath(sectionPath(Section));
    RegistryStore::ForRoot(RootKey())->Modify([&](RegKey& Tree) {
        RegKey* Key = Tree.Find(Parts);
        return Key && Key->RemoveValue(Ident);
    });
}

bool TRegIniFile::SectionExists(const String& Section) {
    return CurrentKey() && viewKey(RootKey(), sectionPath(Section)).Key != nullptr;
}

bool TRegIniFile::ValueExists(const String& Section, const String& Ident) {
    return CurrentKey() && findValue(viewKey(RootKey(), sectionPath(Section)), Ident) != nullptr;
}

// ---- TRegistryIniFile ----

TRegistryIniFile::TRegistryIniFile(const String& FileName) : TRegistryIniFile(FileName, KEY_ALL_ACCESS) {}

TRegistryIniFile::TRegistryIniFile(const String& FileName, LongWord AAccess)
    : TCustomIniFile(FileName), FRegIniFile(std::make_unique<TRegIniFile>(FileName, AAccess)) {}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    return FRegIniFile->ReadString(Section, Ident, Default);
}
void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    FRegIniFile->WriteString(Section, Ident, Value);
}
int TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    return FRegIniFile->ReadInteger(Section, Ident, Default);
}
void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    FRegIniFile->WriteInteger(Section, Ident, Value);
}
bool TRegistryIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    return FRegIniFile->ReadBool(Section, Ident, Default);
}
void TRegistryIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    FRegIniFile->WriteBool(Section, Ident, Value);
}
void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) {
    FRegIniFile->ReadSection(Section, Strings);
}
void TRegistryIniFile::ReadSections(TStrings* Strings) { FRegIniFile->ReadSections(Strings); }
void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    FRegIniFile->ReadSectionValues(Section, Strings);
}
void TRegistryIniFile::EraseSection(const String& Section) { FRegIniFile->EraseSection(Section); }
void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) { FRegIniFile->DeleteKey(Section, Ident); }
bool TRegistryIniFile::SectionExists(const String& Section) { return FRegIniFile->SectionExists(Section); }
bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident) {
    return FRegIniFile->ValueExists(Section, Ident);
}
