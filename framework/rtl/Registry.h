// The registry: a tree of keys holding typed values, one store per root key, kept in a file in the
// user's configuration folder. TRegIniFile and TRegistryIniFile show a key as an INI file.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Types.h"

#include <functional>

class TStrings;

using HKEY = struct TRegKeyHandle*;

// Root keys; each one is a separate store.
inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t(0x80000003));
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t(0x80000005));

// Access rights: only the query/set/create/enumerate bits decide anything here.
constexpr LongWord KEY_QUERY_VALUE = 0x0001;
constexpr LongWord KEY_SET_VALUE = 0x0002;
constexpr LongWord KEY_CREATE_SUB_KEY = 0x0004;
constexpr LongWord KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr LongWord KEY_NOTIFY = 0x0010;
constexpr LongWord KEY_CREATE_LINK = 0x0020;
constexpr LongWord KEY_WOW64_64KEY = 0x0100;
constexpr LongWord KEY_WOW64_32KEY = 0x0200;
constexpr LongWord KEY_READ = 0x20019;
constexpr LongWord KEY_WRITE = 0x20006;
constexpr LongWord KEY_EXECUTE = KEY_READ;
constexpr LongWord KEY_ALL_ACCESS = 0xF003F;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

struct TRegKeyInfo {
    int NumSubKeys = 0;
    int MaxSubKeyLen = 0;
    int NumValues = 0;
    int MaxValueLen = 0;
    int MaxDataLen = 0;
};

class TRegistry : public TObject {
public:
    TRegistry();
    explicit TRegistry(LongWord AAccess);
    ~TRegistry() override;

    // Changing the root closes the open key.
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY Value);
    // Non-null while a key is open.
    HKEY CurrentKey() const { return FCurrentKey; }
    // The open key's path below the root, without a leading backslash.
    const String& CurrentPath() const { return FCurrentPath; }
    LongWord Access() const { return FAccess; }
    void SetAccess(LongWord Value) { FAccess = Value; }
    // Every write reaches the file at once, so this has no effect.
    bool LazyWrite() const { return FLazyWrite; }
    void SetLazyWrite(bool Value) { FLazyWrite = Value; }

    // A key starting with a backslash is taken from the root, any other from the open key.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    // Raises ERegistryException when the key cannot be created.
    bool CreateKey(const String& Key);
    // Deletes the key with everything below it.
    bool DeleteKey(const String& Key);
    bool KeyExists(const String& Key);
    bool HasSubKeys();
    bool GetKeyInfo(TRegKeyInfo& Value);
    // Both clear Strings first; names come in the order they were created.
    void GetKeyNames(TStrings* Strings);
    void GetValueNames(TStrings* Strings);

    bool ValueExists(const String& Name);
    bool GetDataInfo(const String& ValueName, TRegDataInfo& Value);
    TRegDataType GetDataType(const String& ValueName);
    // -1 for a missing value.
    int GetDataSize(const String& ValueName);
    bool DeleteValue(const String& Name);
    void RenameValue(const String& OldName, const String& NewName);

    // A missing value reads as "".
    String ReadString(const String& Name);
    void WriteString(const String& Name, const String& Value);
    void WriteExpandString(const String& Name, const String& Value);
    // A missing value raises ERegistryException, as does a value of another type.
    int ReadInteger(const String& Name);
    void WriteInteger(const String& Name, int Value);
    bool ReadBool(const String& Name);
    void WriteBool(const String& Name, bool Value);
    double ReadFloat(const String& Name);
    void WriteFloat(const String& Name, double Value);
    TDateTime ReadDateTime(const String& Name);
    void WriteDateTime(const String& Name, TDateTime Value);
    // Returns the number of bytes copied; raises when Buffer is too small.
    int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

protected:
    enum class TKeyRights { ReadOnly, ReadWrite };
    // The absolute path (below the root) that Key names, resolved as OpenKey does.
    String resolvePath(const String& Key) const;
    bool canWrite() const;

private:
    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
    String FCurrentPath;
    LongWord FAccess = KEY_ALL_ACCESS;
    bool FLazyWrite = true;
    TKeyRights FCurrentRights = TKeyRights::ReadWrite;

    bool openPath(const String& Path, bool CanCreate, TKeyRights Rights);
    void readFixedBinary(const String& Name, void* Buffer, int Size);
};

// The registry shown as an INI file: FileName is a key (below HKEY_CURRENT_USER unless RootKey is
// changed), its subkeys are the sections, their values the keys. An empty section is the key itself.
class TRegIniFile : public TRegistry {
public:
    explicit TRegIniFile(const String& FileName);
    TRegIniFile(const String& FileName, LongWord AAccess);

    const String& FileName() const { return FFileName; }

    using TRegistry::DeleteKey;
    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::ValueExists;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    // Integer values read as their decimal text.
    String ReadString(const String& Section, const String& Ident, const String& Default);
    void WriteString(const String& Section, const String& Ident, const String& Value);
    // Accepts an integer value or a string holding a number; anything else gives Default.
    int ReadInteger(const String& Section, const String& Ident, int Default);
    // Stored as an integer value.
    void WriteInteger(const String& Section, const String& Ident, int Value);
    bool ReadBool(const String& Section, const String& Ident, bool Default);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    void ReadSection(const String& Section, TStrings* Strings);
    void ReadSections(TStrings* Strings);
    void ReadSectionValues(const String& Section, TStrings* Strings);
    void EraseSection(const String& Section);
    void DeleteKey(const String& Section, const String& Ident);
    bool SectionExists(const String& Section);
    bool ValueExists(const String& Section, const String& Ident);

private:
    String FFileName;

    String sectionPath(const String& Section) const;
};

// TRegIniFile behind the TCustomIniFile interface, for code written against INI files.
class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const String& FileName);
    TRegistryIniFile(const String& FileName, LongWord AAccess);
    ~TRegistryIniFile() override;

    TRegIniFile* RegIniFile() const { return FRegIniFile.get(); }

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    int ReadInteger(const String& Section, const String& Ident, int Default) override;
    void WriteInteger(const String& Section, const String& Ident, int Value) override;
    bool ReadBool(const String& Section, const String& Ident, bool Default) override;
    void WriteBool(const String& Section, const String& Ident, bool Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    void UpdateFile() override {}

private:
    std::unique_ptr<TRegIniFile> FRegIniFile;
};

// Calls OnChange on a background thread whenever a value or subkey of Key changes (through any
// program); with WatchSubtree, changes anywhere below it count too. Key is taken from the root.
// Handlers of one change run one after another, in the order their watches were registered.
// Returns an id for RegCancelNotify.
int RegNotifyChange(HKEY Root, const String& Key, bool WatchSubtree, std::function<void()> OnChange);
// After it returns the handler is not running and is never called again (unless called from it).
void RegCancelNotify(int Id);

// Where the stores live: "" (the default) is the user's configuration folder + "/quillory".
// Tests point it at a folder of their own.
void SetRegistryFolder(const String& Folder);
String RegistryFolder();
// The file that holds the store of Root.
String RegistryFileName(HKEY Root);
