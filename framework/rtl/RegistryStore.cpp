#include "framework/rtl/RegistryStore.h"

#include "framework/rtl/AtomicFile.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/IniFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <thread>

namespace regstore {

namespace {

bool sameName(const String& A, const String& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

template <class List>
auto findByName(List& Items, const String& Name) -> decltype(&Items.front()) {
    for (auto& Item : Items)
        if (sameName(Item.Name, Name)) return &Item;
    return nullptr;
}

// ---- text format ----

// Quoted, with escapes for what would break the line or the quotes; lone surrogates too, so
// any UTF-16 text survives the trip through UTF-8.
std::string quoteText(const String& Text) {
    String Out;
    Out.reserve(Text.size() + 2);
    Out += QLatin1Char('"');
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const QChar C = Text[I];
        const char16_t U = C.unicode();
        if (U == '\\')
            Out += QStringLiteral("\\\\");
        else if (U == '"')
            Out += QStringLiteral("\\\"");
        else if (U == '\n')
            Out += QStringLiteral("\\n");
        else if (U == '\r')
            Out += QStringLiteral("\\r");
        else if (U == '\t')
            Out += QStringLiteral("\\t");
        else if (C.isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) {
            Out += C;
            Out += Text[++I];
        } else if (U < 0x20 || U == 0x7F || C.isSurrogate())
            Out += QStringLiteral("\\u%1").arg(unsigned(U), 4, 16, QLatin1Char('0'));
        else
            Out += C;
    }
    Out += QLatin1Char('"');
    return Out.toStdString();
}

std::string hexOf(std::uint32_t Value) {
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "%08x", Value);
    return Buf;
}

void appendValue(std::string& Out, const RegValue& V) {
    Out += V.Name.isEmpty() ? std::string("@") : quoteText(V.Name);
    switch (V.Type) {
        case rdString:
            Out += "=sz:" + quoteText(V.Text);
            break;
        case rdExpandString:
            Out += "=expand_sz:" + quoteText(V.Text);
            break;
        case rdInteger:
            Out += "=dword:" + hexOf(V.Number);
            break;
        case rdBinary:
        case rdUnknown: {
            Out += "=hex:";
            static const char Digits[] = "0123456789abcdef";
            for (std::size_t I = 0; I < V.Bytes.size(); ++I) {
                if (I) Out += ',';
                Out += Digits[V.Bytes[I] >> 4];
                Out += Digits[V.Bytes[I] & 15];
            }
            break;
        }
    }
    Out += '\n';
}

// Appends piece by piece: building the line from temporaries first trips a false overflow
// warning of the optimiser.
void appendLine(std::string& Out, char Open, const String& Name, const char* Close) {
    Out += Open;
    Out += Name.toStdString();
    Out += Close;
}

void appendKey(std::string& Out, const RegKey& Key, const String& Path, bool IsRoot) {
    if (!IsRoot || !Key.Values.empty()) appendLine(Out, '[', Path, "]\n");
    for (const RegValue& V : Key.Values) appendValue(Out, V);
    for (const RegKey& Sub : Key.SubKeys)
        appendKey(Out, Sub, IsRoot ? Sub.Name : Path + QLatin1Char('\\') + Sub.Name, false);
}

// Reads one line of the file; every failure names the file and line.
class LineReader {
public:
    LineReader(const String& Line, const String& FileName, int LineNo)
        : FLine(Line), FFileName(FileName), FLineNo(LineNo) {}

    [[noreturn]] void fail(const String& Why) const {
        throw ERegistryException(
            QStringLiteral("The registry file '%1' is damaged at line %2: %3").arg(FFileName).arg(FLineNo).arg(Why));
    }
    bool atEnd() const { return FPos >= FLine.size(); }
    QChar peek() const { return atEnd() ? QChar() : FLine[FPos]; }
    void expect(QChar C) {
        if (peek() != C) fail(QStringLiteral("'%1' expected").arg(C));
        ++FPos;
    }
    String readQuoted() {
        expect(QLatin1Char('"'));
        String Out;
        for (;;) {
            if (atEnd()) fail(QStringLiteral("unterminated text"));
            const QChar C = FLine[FPos++];
            if (C == QLatin1Char('"')) return Out;
            if (C != QLatin1Char('\\')) {
                Out += C;
                continue;
            }
            if (atEnd()) fail(QStringLiteral("unterminated text"));
            const QChar E = FLine[FPos++];
            switch (E.unicode()) {
                case '\\':
                    Out += QLatin1Char('\\');
                    break;
                case '"':
                    Out += QLatin1Char('"');
                    break;
                case 'n':
                    Out += QLatin1Char('\n');
                    break;
                case 'r':
                    Out += QLatin1Char('\r');
                    break;
                case 't':
                    Out += QLatin1Char('\t');
                    break;
                case 'u': {
                    bool Ok = false;
                    const unsigned Code = FLine.mid(FPos, 4).toUInt(&Ok, 16);
                    if (!Ok || FPos + 4 > FLine.size()) fail(QStringLiteral("bad \\u escape"));
                    FPos += 4;
                    Out += QChar(char16_t(Code));
                    break;
                }
                default:
                    fail(QStringLiteral("unknown escape \\%1").arg(E));
            }
        }
    }
    String readUntil(QChar Stop) {
        const qsizetype End = FLine.indexOf(Stop, FPos);
        if (End < 0) fail(QStringLiteral("'%1' expected").arg(Stop));
        String Out = FLine.mid(FPos, End - FPos);
        FPos = End;
        return Out;
    }
    String rest() {
        String Out = FLine.mid(FPos);
        FPos = FLine.size();
        return Out;
    }

private:
    String FLine;
    String FFileName;
    int FLineNo;
    qsizetype FPos = 0;
};

RegValue parseValue(LineReader& R) {
    RegValue V;
    if (R.peek() == QLatin1Char('@'))
        R.expect(QLatin1Char('@'));
    else
        V.Name = R.readQuoted();
    R.expect(QLatin1Char('='));
    const String Type = R.readUntil(QLatin1Char(':'));
    R.expect(QLatin1Char(':'));
    if (Type == QLatin1String("sz") || Type == QLatin1String("expand_sz")) {
        V.Type = Type == QLatin1String("sz") ? rdString : rdExpandString;
        V.Text = R.readQuoted();
        if (!R.atEnd()) R.fail(QStringLiteral("text after the value"));
    } else if (Type == QLatin1String("dword")) {
        const String Digits = R.rest();
        bool Ok = false;
        V.Type = rdInteger;
        V.Number = Digits.toUInt(&Ok, 16);
        if (!Ok || Digits.size() > 8 || Digits.startsWith(QLatin1Char('+')) || Digits.startsWith(QLatin1Char('-')))
            R.fail(QStringLiteral("bad number '%1'").arg(Digits));
    } else if (Type == QLatin1String("hex")) {
        V.Type = rdBinary;
        const String Data = R.rest();
        if (!Data.isEmpty()) {
            for (const String& Part : Data.split(QLatin1Char(','))) {
                bool Ok = false;
                const unsigned B = Part.toUInt(&Ok, 16);
                if (!Ok || Part.size() != 2) R.fail(QStringLiteral("bad byte '%1'").arg(Part));
                V.Bytes.push_back(Byte(B));
            }
        }
    } else {
        R.fail(QStringLiteral("unknown value type '%1'").arg(Type));
    }
    return V;
}

void describeInto(std::string& Out, const RegKey& Key, bool Subtree) {
    appendLine(Out, '[', Key.Name, "]\n");
    for (const RegValue& V : Key.Values) appendValue(Out, V);
    for (const RegKey& Sub : Key.SubKeys) {
        if (Subtree)
            describeInto(Out, Sub, true);
        else
            appendLine(Out, '<', Sub.Name, ">\n");
    }
    Out += "[/]\n";
}

// ---- files ----

String errnoText(int Code) { return QString::fromLocal8Bit(std::strerror(Code)); }

FileIdentity identityOf(const struct stat& St) {
    FileIdentity Id;
    Id.Exists = true;
    Id.Device = St.st_dev;
    Id.Inode = St.st_ino;
    Id.Size = St.st_size;
    Id.ModifiedNs = std::int64_t(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec;
    Id.ChangedNs = std::int64_t(St.st_ctim.tv_sec) * 1000000000 + St.st_ctim.tv_nsec;
    return Id;
}

// Closes a descriptor on every path out.
struct FdGuard {
    int Fd = -1;
    ~FdGuard() {
        if (Fd >= 0) ::close(Fd);
    }
};

}  // namespace

// ---- tree ----

int RegValue::DataSize() const {
    switch (Type) {
        case rdString:
        case rdExpandString:
            return int(Text.size() + 1) * 2;
        case rdInteger:
            return 4;
        default:
            return int(Bytes.size());
    }
}

const RegKey* RegKey::FindSubKey(const String& AName) const { return findByName(SubKeys, AName); }
RegKey* RegKey::FindSubKey(const String& AName) { return findByName(SubKeys, AName); }
const RegValue* RegKey::FindValue(const String& AName) const { return findByName(Values, AName); }
RegValue* RegKey::FindValue(const String& AName) { return findByName(Values, AName); }

const RegKey* RegKey::Find(const std::vector<String>& Path) const {
    const RegKey* Key = this;
    for (const String& Part : Path) {
        Key = Key->FindSubKey(Part);
        if (!Key) return nullptr;
    }
    return Key;
}

RegKey* RegKey::Find(const std::vector<String>& Path) {
    return const_cast<RegKey*>(static_cast<const RegKey*>(this)->Find(Path));
}

RegKey& RegKey::Ensure(const std::vector<String>& Path) {
    RegKey* Key = this;
    for (const String& Part : Path) {
        RegKey* Sub = Key->FindSubKey(Part);
        if (!Sub) {
            Key->SubKeys.push_back(RegKey{Part, {}, {}});
            Sub = &Key->SubKeys.back();
        }
        Key = Sub;
    }
    return *Key;
}

bool RegKey::RemoveSubKey(const String& AName) {
    return std::erase_if(SubKeys, [&](const RegKey& K) { return sameName(K.Name, AName); }) > 0;
}

bool RegKey::RemoveValue(const String& AName) {
    return std::erase_if(Values, [&](const RegValue& V) { return sameName(V.Name, AName); }) > 0;
}

std::vector<String> SplitKeyPath(const String& Path) {
    std::vector<String> Parts;
    for (const String& Part : Path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) Parts.push_back(Part);
    return Parts;
}

String JoinKeyPath(const std::vector<String>& Parts) {
    String Out;
    for (const String& Part : Parts) {
        if (!Out.isEmpty()) Out += QLatin1Char('\\');
        Out += Part;
    }
    return Out;
}

std::string SerializeRegistry(const RegKey& Root) {
    std::string Out = "; Quillory registry\n";
    appendKey(Out, Root, String(), true);
    return Out;
}

RegKey ParseRegistry(const std::string& Text, const String& FileName) {
    RegKey Root;
    RegKey* Current = nullptr;
    const String All = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
    int LineNo = 0;
    for (String Line : All.split(QLatin1Char('\n'))) {
        ++LineNo;
        if (Line.endsWith(QLatin1Char('\r'))) Line.chop(1);
        if (Line.isEmpty() || Line.startsWith(QLatin1Char(';'))) continue;
        LineReader R(Line, FileName, LineNo);
        if (Line.startsWith(QLatin1Char('['))) {
            if (!Line.endsWith(QLatin1Char(']'))) R.fail(QStringLiteral("']' expected"));
            Current = &Root.Ensure(SplitKeyPath(Line.mid(1, Line.size() - 2)));
            continue;
        }
        if (!Current) R.fail(QStringLiteral("a value before the first key"));
        RegValue V = parseValue(R);
        if (RegValue* Old = Current->FindValue(V.Name))
            *Old = std::move(V);
        else
            Current->Values.push_back(std::move(V));
    }
    return Root;
}

std::string DescribeKey(const RegKey* Key, bool Subtree) {
    if (!Key) return "-";
    std::string Out;
    describeInto(Out, *Key, Subtree);
    return Out;
}

FileIdentity IdentifyFile(const String& FileName) {
    struct stat St;
    if (::stat(QFile::encodeName(FileName).constData(), &St) != 0) return {};
    return identityOf(St);
}

void WriteFileAtomically(const String& FileName, const std::string& Data, unsigned Mode) {
    ::WriteFileAtomically(FileName, Data.data(), Data.size(), Mode);
}

bool ReadWholeFile(const String& FileName, std::string& Data, FileIdentity* Identity) {
    FdGuard In{::open(QFile::encodeName(FileName).constData(), O_RDONLY | O_CLOEXEC)};
    if (In.Fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return false;  // a missing file, or a missing folder on its path
        const int Code = errno;
        throw EOSError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, errnoText(Code)), Code);
    }
    struct stat St;
    if (::fstat(In.Fd, &St) == 0 && Identity) *Identity = identityOf(St);
    Data.clear();
    char Buf[65536];
    for (;;) {
        const ssize_t N = ::read(In.Fd, Buf, sizeof Buf);
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) {
            const int Code = errno;
            throw EOSError(QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, errnoText(Code)), Code);
        }
        if (N == 0) break;
        Data.append(Buf, std::size_t(N));
    }
    return true;
}

// ---- the store ----

namespace {

std::mutex& folderMutex() {
    static std::mutex M;
    return M;
}

String& folderOverride() {
    static String Folder;
    return Folder;
}

const char* fileNameOfRoot(HKEY Root) {
    if (Root == HKEY_CURRENT_USER) return "registry";
    if (Root == HKEY_LOCAL_MACHINE) return "registry-local-machine";
    if (Root == HKEY_CLASSES_ROOT) return "registry-classes-root";
    if (Root == HKEY_USERS) return "registry-users";
    if (Root == HKEY_CURRENT_CONFIG) return "registry-current-config";
    return nullptr;
}

// Holds the lock file's exclusive lock, which every program writing the store takes.
class FileLock {
public:
    explicit FileLock(const String& LockName) {
        FFd = ::open(QFile::encodeName(LockName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (FFd < 0) fail(LockName);
        while (::flock(FFd, LOCK_EX) != 0) {
            if (errno != EINTR) fail(LockName);
        }
    }
    ~FileLock() { ::close(FFd); }  // closing releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int FFd = -1;
    [[noreturn]] void fail(const String& LockName) {
        const int Code = errno;
        if (FFd >= 0) ::close(FFd);
        throw ERegistryException(
            QStringLiteral("Cannot lock the registry (\"%1\"). %2").arg(LockName, errnoText(Code)));
    }
};

void wakeWatchers();

}  // namespace

RegistryStore::RegistryStore(const String& FileName) : FFileName(FileName) {}

std::shared_ptr<RegistryStore> RegistryStore::ForRoot(HKEY Root) {
    const char* Name = fileNameOfRoot(Root);
    if (!Name) throw ERegistryException(QStringLiteral("Invalid registry root key"));
    const String FileName = RegistryFolder() + QLatin1Char('/') + QLatin1String(Name);
    static std::mutex M;
    static std::map<String, std::shared_ptr<RegistryStore>> Stores;
    std::lock_guard<std::mutex> Lock(M);
    auto& Store = Stores[FileName];
    if (!Store) Store = std::make_shared<RegistryStore>(FileName);
    return Store;
}

std::shared_ptr<const RegKey> RegistryStore::loadLocked() {
    std::string Data;
    FileIdentity Id;
    bool Exists = false;
    try {
        Exists = ReadWholeFile(FFileName, Data, &Id);
    } catch (const EOSError& E) {
        throw ERegistryException(E.Message());
    }
    FTree = std::make_shared<const RegKey>(Exists ? ParseRegistry(Data, FFileName) : RegKey{});
    FIdentity = Exists ? Id : FileIdentity{};
    FLoaded = true;
    return FTree;
}

std::shared_ptr<const RegKey> RegistryStore::Snapshot() {
    std::lock_guard<std::mutex> Lock(FMutex);
    if (FLoaded && IdentifyFile(FFileName) == FIdentity) return FTree;
    return loadLocked();
}

bool RegistryStore::Modify(const std::function<bool(RegKey& Root)>& Change) {
    {
        std::lock_guard<std::mutex> Lock(FMutex);
        const String Folder = QFileInfo(FFileName).absolutePath();
        if (!QDir().mkpath(Folder))
            throw ERegistryException(QStringLiteral("Cannot create the registry folder \"%1\"").arg(Folder));
        FileLock Exclusive(FFileName + QStringLiteral(".lock"));
        // Another program may have written since we last looked: start from the file as it is now.
        std::shared_ptr<const RegKey> Current = loadLocked();
        RegKey Tree = *Current;
        if (!Change(Tree)) return false;
        try {
            WriteFileAtomically(FFileName, SerializeRegistry(Tree), 0600);
        } catch (const EOSError& E) {
            throw ERegistryException(QStringLiteral("Cannot save the registry. %1").arg(E.Message()));
        }
        FTree = std::make_shared<const RegKey>(std::move(Tree));
        FIdentity = IdentifyFile(FFileName);
    }
    wakeWatchers();
    return true;
}

// ---- change notification ----

namespace {

// Watches registry keys from one background thread. It looks again whenever this process writes
// and every 100 ms for other programs' writes, comparing each watched key with what it saw before.
class NotifyHub {
public:
    ~NotifyHub() {
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FStop = true;
        }
        FWake.notify_all();
        if (FThread.joinable()) FThread.join();
    }

    int Add(std::shared_ptr<RegistryStore> Store, std::vector<String> Path, bool Subtree,
            std::function<void()> OnChange) {
        Watch W{std::move(Store), std::move(Path), Subtree, std::move(OnChange), {}};
        W.State = stateOf(W.Store, W.Path, W.Subtree, nullptr);
        std::lock_guard<std::mutex> Lock(FMutex);
        const int Id = FNextId++;
        FWatches.emplace(Id, std::move(W));
        if (!FThread.joinable()) FThread = std::thread([this] { run(); });
        return Id;
    }

    void Cancel(int Id) {
        std::unique_lock<std::mutex> Lock(FMutex);
        FWatches.erase(Id);
        // A handler may cancel itself; anyone else waits until it has returned.
        if (std::this_thread::get_id() != FThread.get_id()) FWake.wait(Lock, [&] { return FDelivering != Id; });
    }

    void Wake() {
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FWoken = true;
        }
        FWake.notify_all();
    }

private:
    struct Watch {
        std::shared_ptr<RegistryStore> Store;
        std::vector<String> Path;
        bool Subtree = false;
        std::function<void()> OnChange;
        std::string State;
    };
    using Snapshots = std::map<RegistryStore*, std::shared_ptr<const RegKey>>;

    std::mutex FMutex;
    std::condition_variable FWake;
    std::thread FThread;
    std::map<int, Watch> FWatches;
    int FNextId = 1;
    int FDelivering = 0;
    bool FStop = false;
    bool FWoken = false;

    static std::string stateOf(const std::shared_ptr<RegistryStore>& Store, const std::vector<String>& Path,
                               bool Subtree, Snapshots* Cache) {
        try {
            std::shared_ptr<const RegKey> Tree;
            if (Cache && Cache->count(Store.get()))
                Tree = (*Cache)[Store.get()];
            else
                Tree = Store->Snapshot();
            if (Cache) (*Cache)[Store.get()] = Tree;
            return DescribeKey(Tree->Find(Path), Subtree);
        } catch (const Exception&) {
            return "!";  // a damaged file: a change once it is repaired
        }
    }

    void run() {
        std::unique_lock<std::mutex> Lock(FMutex);
        while (!FStop) {
            FWake.wait_for(Lock, std::chrono::milliseconds(100), [&] { return FStop || FWoken; });
            if (FStop) break;
            FWoken = false;
            std::vector<std::pair<int, Watch>> Copies(FWatches.begin(), FWatches.end());
            Lock.unlock();
            Snapshots Cache;
            std::vector<std::pair<int, std::string>> States;
            for (const auto& [Id, W] : Copies) States.emplace_back(Id, stateOf(W.Store, W.Path, W.Subtree, &Cache));
            Copies.clear();
            Lock.lock();
            std::vector<int> Changed;
            for (auto& [Id, State] : States) {
                auto It = FWatches.find(Id);
                if (It == FWatches.end() || It->second.State == State) continue;
                It->second.State = std::move(State);
                Changed.push_back(Id);
            }
            for (int Id : Changed) {
                auto It = FWatches.find(Id);
                if (It == FWatches.end()) continue;  // cancelled by an earlier handler
                std::function<void()> Handler = It->second.OnChange;
                FDelivering = Id;
                Lock.unlock();
                try {
                    Handler();
                } catch (...) {
                    // A failing handler must not end the watching for everyone else.
                }
                Lock.lock();
                FDelivering = 0;
                FWake.notify_all();
            }
        }
    }
};

NotifyHub& notifyHub() {
    static NotifyHub Hub;
    return Hub;
}

void wakeWatchers() { notifyHub().Wake(); }

}  // namespace

}  // namespace regstore

void SetRegistryFolder(const String& Folder) {
    std::lock_guard<std::mutex> Lock(regstore::folderMutex());
    regstore::folderOverride() = Folder;
}

String RegistryFolder() {
    {
        std::lock_guard<std::mutex> Lock(regstore::folderMutex());
        if (!regstore::folderOverride().isEmpty()) return regstore::folderOverride();
    }
    return UserConfigFolder();
}

String RegistryFileName(HKEY Root) { return regstore::RegistryStore::ForRoot(Root)->FileName(); }

int RegNotifyChange(HKEY Root, const String& Key, bool WatchSubtree, std::function<void()> OnChange) {
    return regstore::notifyHub().Add(regstore::RegistryStore::ForRoot(Root), regstore::SplitKeyPath(Key), WatchSubtree,
                                     std::move(OnChange));
}

void RegCancelNotify(int Id) { regstore::notifyHub().Cancel(Id); }
