// The registry's on-disk store and the atomic file writer it shares with the INI files.
// Internal to the framework (and its tests): programs use TRegistry.
//
// File format, one line each, UTF-8:
//   ; comment
//   [Software\Quillory\Settings]      a key, by its full path (the root is "[]")
//   "Name"=sz:"text with \" \\ \n escapes"
//   "Path"=expand_sz:"%HOME%/x"
//   "Count"=dword:0000002a
//   "Blob"=hex:01,ff,20
//   @=sz:"..."                        the key's unnamed value
// Every key has its own line, parents before children, in the order they were created.
#pragma once

#include "framework/rtl/Registry.h"
#include "framework/rtl/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace regstore {

struct RegValue {
    String Name;
    TRegDataType Type = rdString;
    String Text;               // rdString, rdExpandString
    std::uint32_t Number = 0;  // rdInteger
    std::vector<Byte> Bytes;   // rdBinary
    int DataSize() const;      // as the platform counts it (strings with their terminator, UTF-16)
    friend bool operator==(const RegValue&, const RegValue&) = default;
};

struct RegKey {
    String Name;
    std::vector<RegValue> Values;
    std::vector<RegKey> SubKeys;

    const RegKey* FindSubKey(const String& Name) const;
    RegKey* FindSubKey(const String& Name);
    const RegValue* FindValue(const String& Name) const;
    RegValue* FindValue(const String& Name);
    // The key at Path below this one (nullptr when a part is missing); an empty path is this key.
    const RegKey* Find(const std::vector<String>& Path) const;
    RegKey* Find(const std::vector<String>& Path);
    // Creates what is missing along Path; case stays as first written.
    RegKey& Ensure(const std::vector<String>& Path);
    bool RemoveSubKey(const String& Name);
    bool RemoveValue(const String& Name);
    friend bool operator==(const RegKey&, const RegKey&) = default;
};

// "A\\b\\" -> {"A", "b"}; empty parts are dropped.
std::vector<String> SplitKeyPath(const String& Path);
String JoinKeyPath(const std::vector<String>& Parts);

std::string SerializeRegistry(const RegKey& Root);
// Raises ERegistryException naming FileName and the line for a damaged text.
RegKey ParseRegistry(const std::string& Text, const String& FileName);
// The text of one key (its values, and its subkeys' names or, with Subtree, all below it):
// equal texts mean nothing a watcher cares about changed.
std::string DescribeKey(const RegKey* Key, bool Subtree);

// What identifies one version of a file: a rename gives a new inode, a rewrite a new time.
struct FileIdentity {
    bool Exists = false;
    std::uint64_t Device = 0, Inode = 0;
    std::int64_t Size = 0, ModifiedNs = 0, ChangedNs = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
FileIdentity IdentifyFile(const String& FileName);

// Replaces the file whole (see AtomicFile.h).
void WriteFileAtomically(const String& FileName, const std::string& Data, unsigned Mode);
// Reads a whole file; false when it does not exist; raises EOSError when it cannot be read.
bool ReadWholeFile(const String& FileName, std::string& Data, FileIdentity* Identity = nullptr);

// One root key's store: one file, shared by every TRegistry of the process.
class RegistryStore {
public:
    explicit RegistryStore(const String& FileName);
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The store of Root in the current registry folder; raises ERegistryException for an unknown root.
    static std::shared_ptr<RegistryStore> ForRoot(HKEY Root);

    const String& FileName() const { return FFileName; }
    // The current tree, read again when another program has replaced the file.
    std::shared_ptr<const RegKey> Snapshot();
    // Under an exclusive lock shared with other programs: reads the file afresh, lets Change edit
    // the tree and, when Change returns true, saves it atomically. Whatever Change throws leaves
    // the file as it was. Raises ERegistryException when the file cannot be written.
    bool Modify(const std::function<bool(RegKey& Root)>& Change);

private:
    String FFileName;
    std::mutex FMutex;
    std::shared_ptr<const RegKey> FTree;
    FileIdentity FIdentity;
    bool FLoaded = false;

    std::shared_ptr<const RegKey> loadLocked();
};

}  // namespace regstore
