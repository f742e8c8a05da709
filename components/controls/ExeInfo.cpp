#include "components/controls/ExeInfo.h"
#include "components/graphics/ComponentVersion.h"

#include "framework/os/ShellAPI.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/PlatformFacts.h"

#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

namespace {

// ---- The version resource ----

struct TVersionBlock {
    String Key;
    int ValueOffset = 0;
    int ValueBytes = 0;
    int ChildrenOffset = 0;
    int End = 0;
};

int align4(int Offset) { return (Offset + 3) & ~3; }

Word readWord(const TBytes& Data, int Offset) { return Word(Data[Offset] | (Data[Offset + 1] << 8)); }

DWORD readDWord(const TBytes& Data, int Offset) {
    return DWORD(readWord(Data, Offset)) | (DWORD(readWord(Data, Offset + 2)) << 16);
}

// Reads the block at Offset, which must end by Limit; false for a damaged block.
bool readBlock(const TBytes& Data, int Offset, int Limit, TVersionBlock& Block) {
    if (Offset < 0 || Offset + 6 > Limit) return false;
    const int Length = readWord(Data, Offset);
    const int End = Offset + Length;
    if (Length < 6 || End > Limit) return false;
    const int ValueLength = readWord(Data, Offset + 2);
    const bool IsText = readWord(Data, Offset + 4) == 1;
    int P = Offset + 6;
    Block.Key.clear();
    for (;;) {
        if (P + 2 > End) return false;
        const Word C = readWord(Data, P);
        P += 2;
        if (C == 0) break;
        Block.Key += QChar(C);
    }
    Block.ValueBytes = IsText ? ValueLength * 2 : ValueLength;
    Block.ValueOffset = std::min(align4(P), End);
    if (Block.ValueOffset + Block.ValueBytes > End) return false;
    Block.ChildrenOffset = std::min(align4(Block.ValueOffset + Block.ValueBytes), End);
    Block.End = End;
    return true;
}

// Walks the backslash-separated path from the root block; true with the value's place when the
// sub-block exists and has a value.
bool queryValue(const TBytes& Data, const String& SubBlock, int& Offset, int& Bytes) {
    TVersionBlock Current;
    if (!readBlock(Data, 0, int(Data.size()), Current)) return false;
    for (const String& Name : SubBlock.split(u'\\', Qt::SkipEmptyParts)) {
        bool Found = false;
        TVersionBlock Child;
        for (int P = Current.ChildrenOffset; P < Current.End && readBlock(Data, P, Current.End, Child);
             P = align4(Child.End)) {
            if (Child.Key.compare(Name, Qt::CaseInsensitive) == 0) {
                Found = true;
                break;
            }
        }
        if (!Found) return false;
        Current = Child;
    }
    Offset = Current.ValueOffset;
    Bytes = Current.ValueBytes;
    return Bytes > 0;
}

bool queryText(const TBytes& Data, const String& SubBlock, String& Text) {
    int Offset = 0;
    int Bytes = 0;
    if (!queryValue(Data, SubBlock, Offset, Bytes)) return false;
    Text.clear();
    for (int P = Offset; P + 1 < Offset + Bytes; P += 2) {
        const Word C = readWord(Data, P);
        if (C == 0) break;
        Text += QChar(C);
    }
    return true;
}

bool isRunningProgram(const String& FileName) {
    return !FileName.isEmpty() && ExpandFileName(FileName) == ExpandFileName(ParamStr(0));
}

// Only the running program carries a version resource: its RT_VERSION resource 1.
TBytes readVersionResource(const String& FileName) {
    if (!isRunningProgram(FileName)) return {};
    const HRSRC Resource = FindResource(HInstance, VS_VERSION_INFO, RT_VERSION);
    if (!Resource) return {};
    const auto* Bytes = static_cast<const Byte*>(LoadResource(HInstance, Resource));
    return TBytes(Bytes, Bytes + SizeofResource(HInstance, Resource));
}

// A file time (100 ns steps since 1 Jan 1601) as a date, with no time-zone conversion.
TDateTime fileTimeToDateTime(DWORD High, DWORD Low) {
    constexpr double kTicksPerDay = 864000000000.0;
    constexpr double kDaysFrom1601To1899 = 109205.0;  // 1 Jan 1601 to 30 Dec 1899
    const UInt64 Ticks = (UInt64(High) << 32) | Low;
    return double(Ticks) / kTicksPerDay - kDaysFrom1601To1899;
}

bool fileModified(const String& FileName, TDateTime& Value) {
    struct stat Info {};
    if (::stat(FileName.toLocal8Bit().constData(), &Info) != 0) return false;
    std::tm Local{};
    if (!::localtime_r(&Info.st_mtime, &Local)) return false;
    Value = EncodeDate(Word(Local.tm_year + 1900), Word(Local.tm_mon + 1), Word(Local.tm_mday)) +
            EncodeTime(Word(Local.tm_hour), Word(Local.tm_min), Word(std::min(Local.tm_sec, 59)), 0);
    return true;
}

// ---- The system's answers ----

String existingFolder(const char* Path) {
    return DirectoryExists(String::fromLatin1(Path)) ? String::fromLatin1(Path) : String();
}

TExeInfoSystem defaultSystem() {
    TExeInfoSystem S;
    S.QueryVersion = [](TExeInfoOSVersion& Info) {
        OSVERSIONINFOW V;
        if (!GetVersionEx(&V)) return false;
        Info.PlatformId = V.dwPlatformId;
        Info.MajorVersion = V.dwMajorVersion;
        Info.MinorVersion = V.dwMinorVersion;
        if (Info.MajorVersion > 6 || (Info.MajorVersion == 6 && Info.MinorVersion > 2)) {
            Info.MajorVersion = 6;
            Info.MinorVersion = 2;
        }
        Info.CSDVersion.clear();
        Info.ProductType = VER_NT_WORKSTATION;
        return true;
    };
    S.QueryTrueVersion = [](DWORD& Major, DWORD& Minor) {
        Major = PlatformFacts().MajorVersion;
        Minor = PlatformFacts().MinorVersion;
        return true;
    };
    S.HostName = [] {
        char Buffer[256] = {};
        if (::gethostname(Buffer, sizeof(Buffer) - 1) != 0) return String();
        return String::fromLocal8Bit(Buffer);
    };
    S.WindowsFolder = [] { return existingFolder("/usr"); };
    S.SystemFolder = [] { return existingFolder("/usr/lib"); };
    S.TempFolder = [] {
        const char* Env = std::getenv("TMPDIR");
        if (Env && *Env && DirectoryExists(String::fromLocal8Bit(Env)))
            return ExcludeTrailingPathDelimiter(String::fromLocal8Bit(Env));
        return existingFolder("/tmp");
    };
    S.DocumentsFolder = [] { return GetMyDocumentsFolder(); };
    return S;
}

String askFolder(const std::function<String()>& Ask) { return Ask ? Ask() : String(); }

// Names of the NT family by version, workstation and other product types.
struct TNtName {
    DWORD Major, Minor;
    const char* Workstation;
    const char* Server;
};
constexpr TNtName kNtNames[] = {
    {5, 0, "Windows 2000", "Windows 2000"},         {5, 1, "Windows XP", "Windows XP"},
    {5, 2, "Windows 2003", "Windows 2003"},         {6, 0, "Windows Vista", "Windows Server 2008"},
    {6, 1, "Windows 7", "Windows Server 2008R2"},   {6, 2, "Windows 8", "Windows Server 2012"},
    {6, 3, "Windows 8.1", "Windows Server 2012R2"}, {6, 4, "Windows 10", "Windows Server 2016"},
    {10, 0, "Windows 10", "Windows Server 2016"},
};

const TNtName* findNtName(DWORD Major, DWORD Minor) {
    for (const TNtName& N : kNtNames)
        if (N.Major == Major && N.Minor == Minor) return &N;
    return nullptr;
}

const String kUnknown = QStringLiteral("Unknown");

}  // namespace

TExeInfoSystem& ExeInfoSystem() {
    static TExeInfoSystem System = defaultSystem();
    return System;
}

TExeInfoSystemScope::TExeInfoSystemScope() : FSaved(ExeInfoSystem()) {}

TExeInfoSystemScope::~TExeInfoSystemScope() { ExeInfoSystem() = FSaved; }

String OperatingSystemName(bool QueryOk, const TExeInfoOSVersion& Info, bool TrueVersionOk, DWORD TrueMajor,
                           DWORD TrueMinor) {
    if (!QueryOk) return kUnknown;
    const DWORD Major = Info.MajorVersion;
    const DWORD Minor = Info.MinorVersion;
    if (Info.PlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (Major != 4) return kUnknown;
        if (Minor == 0) return QStringLiteral("Windows 95");
        if (Minor == 90) return QStringLiteral("Windows ME");
        if (Minor == 10)
            return Info.CSDVersion.size() >= 2 && Info.CSDVersion[1] == u'A' ? QStringLiteral("Windows 98 SE")
                                                                             : QStringLiteral("Windows 98");
        return kUnknown;
    }
    if (Info.PlatformId != VER_PLATFORM_WIN32_NT) return kUnknown;
    if (Major <= 4) return QStringLiteral("Windows NT");
    const TNtName* Name = findNtName(Major, Minor);
    // 6.2 is what the first query reports for every newer system; the true version tells them apart.
    if (Name && Major == 6 && Minor == 2 && TrueVersionOk) {
        const bool Known =
            (TrueMajor == 6 && (TrueMinor == 2 || TrueMinor == 3)) || (TrueMajor == 10 && TrueMinor == 0);
        Name = Known ? findNtName(TrueMajor, TrueMinor) : nullptr;
    }
    if (!Name) return kUnknown;
    return String::fromLatin1(Info.ProductType == VER_NT_WORKSTATION ? Name->Workstation : Name->Server);
}

TExeInfo::TExeInfo(TComponent* AOwner) : TComponent(AOwner) {
    const String RunTime = QStringLiteral("Updated at run-time");
    for (String* S : {&FCompanyName, &FFileDescription, &FFileVersion, &FInternalName, &FLegalCopyright,
                      &FLegalTradeMark, &FOriginalFileName, &FProductName, &FProductVersion, &FComments})
        *S = RunTime;
    FComputerName.clear();
    const bool Designing =
        ComponentState().Contains(csDesigning) || (AOwner && AOwner->ComponentState().Contains(csDesigning));
    if (!Designing) {
        TExeInfo::GetVersionInfo();
        FComputerName = TExeInfo::QueryComputerName();
    }
}

void TExeInfo::GetVersionInfo() { GetVersionInfoOfApp(ParamStr(0)); }

void TExeInfo::GetVersionInfoOfApp(const String& FileName) {
    const TBytes Info = readVersionResource(FileName);
    // A damaged resource counts as none, so what the fields hold is not lost.
    TVersionBlock Root;
    if (Info.empty() || !readBlock(Info, 0, int(Info.size()), Root)) return;

    int Offset = 0;
    int Bytes = 0;
    bool DateSet = false;
    if (queryValue(Info, QStringLiteral("\\"), Offset, Bytes) && Bytes >= int(sizeof(VS_FIXEDFILEINFO)) &&
        readDWord(Info, Offset) == VS_FFI_SIGNATURE) {
        const auto Field = [&](int Index) { return readDWord(Info, Offset + 4 * Index); };
        FFileFlags = int(Field(7) & Field(6));
        FFileOS = int(Field(8));
        FFileType = int(Field(9));
        if (Field(11) != 0 || Field(12) != 0) {
            FFileCreation = fileTimeToDateTime(Field(11), Field(12));
            DateSet = true;
        }
    }
    if (!DateSet) fileModified(ParamStr(0), FFileCreation);

    // Without a translation no string table can be named, so every text reads empty.
    String Key;
    if (queryValue(Info, QStringLiteral("\\VarFileInfo\\Translation"), Offset, Bytes) && Bytes >= 4)
        Key = QStringLiteral("%1%2")
                  .arg(readWord(Info, Offset), 4, 16, QChar(u'0'))
                  .arg(readWord(Info, Offset + 2), 4, 16, QChar(u'0'))
                  .toUpper();

    const struct {
        const char* Name;
        String TExeInfo::*Field;
    } Texts[] = {
        {"CompanyName", &TExeInfo::FCompanyName},           {"FileDescription", &TExeInfo::FFileDescription},
        {"FileVersion", &TExeInfo::FFileVersion},           {"InternalName", &TExeInfo::FInternalName},
        {"LegalCopyright", &TExeInfo::FLegalCopyright},     {"LegalTradeMarks", &TExeInfo::FLegalTradeMark},
        {"OriginalFileName", &TExeInfo::FOriginalFileName}, {"ProductName", &TExeInfo::FProductName},
        {"ProductVersion", &TExeInfo::FProductVersion},     {"Comments", &TExeInfo::FComments},
    };
    for (const auto& T : Texts) {
        String Value;
        if (Key.isEmpty() ||
            !queryText(Info, QStringLiteral("StringFileInfo\\%1\\%2").arg(Key, String::fromLatin1(T.Name)), Value))
            Value.clear();
        this->*T.Field = Value;
    }
}

String TExeInfo::GetVersion() const { return VersionText(GetVersionNr()); }

int TExeInfo::GetVersionPart(int Index) const {
    const String Version = FileVersion();
    if (Version.isEmpty()) return -1;
    TStringList Parts;
    Parts.SetCommaText(String(Version).replace(u'.', u','));
    if (Parts.Count() <= Index) return -1;
    return StrToInt(Parts.Strings(Index));
}

int TExeInfo::GetFileVersionInt() const {
    const String Version = FileVersion();
    if (Version.isEmpty()) return -1;
    String Digits;
    for (const String& Part : Version.split(u'.'))
        Digits += Part.size() < 2 ? Part.rightJustified(2, u'0') : Part.left(2);
    return StrToInt(Digits);
}

String TExeInfo::QueryComputerName() const {
    constexpr int kBufferChars = 16;  // the name and its terminating zero
    const String Name = ExeInfoSystem().HostName ? ExeInfoSystem().HostName() : String();
    return Name.left(kBufferChars - 1);
}

String TExeInfo::GetOperatingSystem() const {
    TExeInfoSystem& System = ExeInfoSystem();
    TExeInfoOSVersion Info;
    const bool Ok = System.QueryVersion && System.QueryVersion(Info);
    DWORD TrueMajor = 0;
    DWORD TrueMinor = 0;
    bool TrueOk = false;
    if (Ok && Info.PlatformId == VER_PLATFORM_WIN32_NT && Info.MajorVersion == 6 && Info.MinorVersion == 2)
        TrueOk = System.QueryTrueVersion && System.QueryTrueVersion(TrueMajor, TrueMinor);
    return OperatingSystemName(Ok, Info, TrueOk, TrueMajor, TrueMinor);
}

namespace {

constexpr int kMaxPath = 260;  // a buffer of 261 characters, the last for the terminating zero

String folderWithDelimiter(const String& Folder) {
    if (Folder.isEmpty() || Folder.size() > kMaxPath) return {};
    return IncludeTrailingPathDelimiter(Folder);
}

}  // namespace

String TExeInfo::GetWindowsDir() const { return folderWithDelimiter(askFolder(ExeInfoSystem().WindowsFolder)); }

String TExeInfo::GetSystemDir() const { return folderWithDelimiter(askFolder(ExeInfoSystem().SystemFolder)); }

String TExeInfo::GetTempDir() const {
    const String Folder = askFolder(ExeInfoSystem().TempFolder);
    return Folder.isEmpty() ? String() : IncludeTrailingPathDelimiter(Folder);
}

String TExeInfo::GetMyDocumentsDir() const {
    const String Folder = askFolder(ExeInfoSystem().DocumentsFolder);
    if (Folder.isEmpty()) throw Exception(QStringLiteral("Could not find MyDocuments folder location."));
    return Folder;
}
