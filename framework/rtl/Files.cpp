#include "framework/rtl/Files.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDate>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

QByteArray nativeName(const String& Path) { return QFile::encodeName(NormalizePathDelimiters(Path)); }

bool statPath(const String& Path, struct stat& St) { return ::stat(nativeName(Path).constData(), &St) == 0; }

// Copies a regular file across file systems without ever replacing NewName.
bool copyThenUnlink(const QByteArray& Old, const QByteArray& New) {
    int In = ::open(Old.constData(), O_RDONLY | O_CLOEXEC);
    if (In < 0) return false;
    struct stat St {};
    if (::fstat(In, &St) != 0 || !S_ISREG(St.st_mode)) {
        ::close(In);
        return false;
    }
    int Out = ::open(New.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, St.st_mode & 07777);
    if (Out < 0) {
        ::close(In);
        return false;
    }
    bool Ok = true;
    try {
        THandleStream Source(In), Dest(Out);
        Dest.CopyFrom(&Source, St.st_size);
    } catch (const Exception&) {
        Ok = false;
    }
    Ok = ::fsync(Out) == 0 && Ok;
    Ok = ::close(Out) == 0 && Ok;
    ::close(In);
    if (!Ok) {
        ::unlink(New.constData());
        return false;
    }
    ::unlink(Old.constData());
    return true;
}

// A mask as the platform reads it: "*" and "?" wildcards, case ignored, "*.*" matching every name.
bool matchesMask(const String& Name, const String& Mask) {
    if (Mask == QLatin1String("*.*") || Mask == QLatin1String("*")) return true;
    qsizetype N = 0, M = 0, StarM = -1, StarN = 0;
    while (N < Name.size()) {
        if (M < Mask.size() && (Mask[M] == u'?' || Mask[M].toCaseFolded() == Name[N].toCaseFolded())) {
            ++N;
            ++M;
        } else if (M < Mask.size() && Mask[M] == u'*') {
            StarM = M++;
            StarN = N;
        } else if (StarM >= 0) {
            M = StarM + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == u'*') ++M;
    return M == Mask.size();
}

int packFileDate(const std::tm& T) {
    const int Year = std::max(T.tm_year + 1900, 1980);
    return ((Year - 1980) << 25) | ((T.tm_mon + 1) << 21) | (T.tm_mday << 16) | (T.tm_hour << 11) | (T.tm_min << 5) |
           (T.tm_sec / 2);
}

QStringList readCommandLine() {
    QFile F(QStringLiteral("/proc/self/cmdline"));
    QStringList Result;
    if (!F.open(QIODevice::ReadOnly)) return Result;
    const QByteArray All = F.readAll();
    for (const QByteArray& Arg : All.split('\0')) Result << QString::fromLocal8Bit(Arg);
    if (!Result.isEmpty() && All.endsWith('\0')) Result.removeLast();
    return Result;
}

String executablePath() {
    std::vector<char> Buffer(4096);
    const ssize_t N = ::readlink("/proc/self/exe", Buffer.data(), Buffer.size());
    return N > 0 ? QFile::decodeName(QByteArray(Buffer.data(), static_cast<qsizetype>(N))) : String();
}

}  // namespace

struct TFindState {
    std::vector<TSearchRec> Entries;
    size_t Next = 0;
};

// --- Path names -------------------------------------------------------------------------------

String NormalizePathDelimiters(const String& Path) {
    String Result;
    Result.reserve(Path.size());
    for (QChar C : Path) {
        if (C == u'\\') C = PathDelim;
        if (C == PathDelim && Result.endsWith(PathDelim)) continue;
        Result += C;
    }
    return Result;
}

bool IsPathDelimiter(const String& S, int Index) {
    return Index >= 1 && Index <= S.size() && (S[Index - 1] == PathDelim || S[Index - 1] == u'\\');
}

String ExtractFilePath(const String& FileName) {
    const String N = NormalizePathDelimiters(FileName);
    return N.left(N.lastIndexOf(PathDelim) + 1);
}

String ExtractFileDir(const String& FileName) {
    const String N = NormalizePathDelimiters(FileName);
    const auto I = N.lastIndexOf(PathDelim);
    return I == 0 ? PathDelimStr : N.left(std::max<qsizetype>(I, 0));
}

String ExtractFileName(const String& FileName) {
    const String N = NormalizePathDelimiters(FileName);
    return N.mid(N.lastIndexOf(PathDelim) + 1);
}

String ExtractFileExt(const String& FileName) {
    const String N = NormalizePathDelimiters(FileName);
    const auto Dot = N.lastIndexOf(u'.');
    return Dot > N.lastIndexOf(PathDelim) ? N.mid(Dot) : String();
}

String ChangeFileExt(const String& FileName, const String& Extension) {
    const String N = NormalizePathDelimiters(FileName);
    const auto Dot = N.lastIndexOf(u'.');
    return (Dot > N.lastIndexOf(PathDelim) ? N.left(Dot) : N) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
    const String N = NormalizePathDelimiters(S);
    return N.endsWith(PathDelim) ? N : N + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
    String N = NormalizePathDelimiters(S);
    if (N.endsWith(PathDelim)) N.chop(1);
    return N;
}

String ExpandFileName(const String& FileName) {
    String N = NormalizePathDelimiters(FileName);
    if (N.isEmpty()) return N;
    if (!N.startsWith(PathDelim)) N = GetCurrentDir() + PathDelim + N;
    const bool Trailing = N.endsWith(PathDelim) || N.endsWith(QLatin1String("/.")) || N.endsWith(QLatin1String("/.."));
    QStringList Parts;
    for (const String& Part : N.split(PathDelim, Qt::SkipEmptyParts)) {
        if (Part == QLatin1String(".")) continue;
        if (Part == QLatin1String("..")) {
            if (!Parts.isEmpty()) Parts.removeLast();
            continue;
        }
        Parts << Part;
    }
    String Result = PathDelim + Parts.join(PathDelim);
    if (Trailing && !Parts.isEmpty()) Result += PathDelim;
    return Result;
}

String ResolvePathIgnoringCase(const String& Path) {
    const String N = NormalizePathDelimiters(Path);
    struct stat St {};
    if (N.isEmpty() || statPath(N, St)) return N;
    // Name by name: an exact entry wins, else the first, in name order, equal but for case.
    String Resolved = N.startsWith(PathDelim) ? PathDelimStr : String();
    const QStringList Names = N.split(PathDelim, Qt::SkipEmptyParts);
    for (qsizetype I = 0; I < Names.size(); ++I) {
        const String& Name = Names[I];
        String Found;
        if (statPath(Resolved + Name, St) || Name == QLatin1String(".") || Name == QLatin1String("..")) {
            Found = Name;
        } else {
            const QByteArray Folder = nativeName(Resolved.isEmpty() ? QStringLiteral(".") : Resolved);
            std::vector<String> Matches;
            if (DIR* D = ::opendir(Folder.constData())) {
                while (const dirent* E = ::readdir(D)) {
                    const String Entry = QFile::decodeName(E->d_name);
                    if (Entry.compare(Name, Qt::CaseInsensitive) == 0) Matches.push_back(Entry);
                }
                ::closedir(D);
            }
            if (Matches.empty()) return N;
            Found = *std::min_element(Matches.begin(), Matches.end());
        }
        Resolved += Found;
        if (I + 1 < Names.size()) Resolved += PathDelim;
    }
    return Resolved;
}

// --- Files and folders ------------------------------------------------------------------------

bool FileExists(const String& FileName) {
    struct stat St {};
    return !FileName.isEmpty() && statPath(FileName, St) && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const String& Directory) {
    struct stat St {};
    return !Directory.isEmpty() && statPath(Directory, St) && S_ISDIR(St.st_mode);
}

bool DeleteFile(const String& FileName) {
    const QByteArray Name = nativeName(FileName);
    struct stat St {};
    if (FileName.isEmpty() || ::lstat(Name.constData(), &St) != 0 || S_ISDIR(St.st_mode)) return false;
    return ::unlink(Name.constData()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
    if (OldName.isEmpty() || NewName.isEmpty()) return false;
    const QByteArray Old = nativeName(OldName), New = nativeName(NewName);
    if (::renameat2(AT_FDCWD, Old.constData(), AT_FDCWD, New.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EXDEV) return copyThenUnlink(Old, New);
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // The file system cannot rename without replacing: a hard link fails on an existing target.
    struct stat St {};
    if (::lstat(Old.constData(), &St) != 0) return false;
    if (S_ISDIR(St.st_mode)) {
        struct stat Target {};
        if (::lstat(New.constData(), &Target) == 0) return false;
        return ::rename(Old.constData(), New.constData()) == 0;
    }
    if (::link(Old.constData(), New.constData()) != 0) return false;
    ::unlink(Old.constData());
    return true;
}

bool CreateDir(const String& Dir) { return !Dir.isEmpty() && ::mkdir(nativeName(Dir).constData(), 0777) == 0; }

bool RemoveDir(const String& Dir) { return !Dir.isEmpty() && ::rmdir(nativeName(Dir).constData()) == 0; }

bool ForceDirectories(const String& Dir) {
    if (Dir.isEmpty()) throw EInOutError(QStringLiteral("Unable to create directory"));
    const String D = ExcludeTrailingPathDelimiter(Dir);
    if (D.isEmpty() || DirectoryExists(D)) return true;
    const String Parent = ExtractFileDir(D);
    if (!Parent.isEmpty() && Parent != D && !ForceDirectories(Parent)) return false;
    // Another program may create it between the test and the call.
    return CreateDir(D) || DirectoryExists(D);
}

String GetCurrentDir() {
    std::vector<char> Buffer(1024);
    while (!::getcwd(Buffer.data(), Buffer.size())) {
        if (errno != ERANGE) return String();
        Buffer.resize(Buffer.size() * 2);
    }
    return QFile::decodeName(Buffer.data());
}

bool SetCurrentDir(const String& Dir) { return !Dir.isEmpty() && ::chdir(nativeName(Dir).constData()) == 0; }

// --- Search -----------------------------------------------------------------------------------

namespace {

bool describeEntry(const String& Folder, const String& Name, TSearchRec& R) {
    const QByteArray Path = nativeName(Folder + PathDelim + Name);
    struct stat St {
    }, Link{};
    const bool HaveLink = ::lstat(Path.constData(), &Link) == 0;
    if (::stat(Path.constData(), &St) != 0) {
        if (!HaveLink) return false;
        St = Link;  // a dangling link is still listed
    }
    int Attr = 0;
    if (S_ISDIR(St.st_mode)) Attr |= faDirectory;
    if (Name.startsWith(u'.') && Name != QLatin1String(".") && Name != QLatin1String("..")) Attr |= faHidden;
    if (!(St.st_mode & S_IWUSR)) Attr |= faReadOnly;
    if (HaveLink && S_ISLNK(Link.st_mode)) Attr |= faSymLink;
    if (!S_ISDIR(St.st_mode) && !S_ISREG(St.st_mode)) Attr |= faSysFile;
    R.Name = Name;
    R.Attr = Attr ? Attr : faNormal;
    R.Size = S_ISDIR(St.st_mode) ? 0 : static_cast<Int64>(St.st_size);
    std::tm T{};
    const std::time_t MTime = St.st_mtime;
    ::localtime_r(&MTime, &T);
    R.Time = packFileDate(T);
    const QDate Day(T.tm_year + 1900, T.tm_mon + 1, T.tm_mday);
    R.TimeStamp =
        static_cast<double>(QDate(1899, 12, 30).daysTo(Day)) + (T.tm_hour * 3600 + T.tm_min * 60 + T.tm_sec) / 86400.0;
    return true;
}

}  // namespace

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    const String N = NormalizePathDelimiters(Path);
    String Folder = ExtractFileDir(N);
    const String Mask = ExtractFileName(N);
    if (Folder.isEmpty()) Folder = QStringLiteral(".");
    DIR* D = ::opendir(nativeName(Folder).constData());
    if (!D) return errno ? errno : ENOENT;
    auto State = std::make_shared<TFindState>();
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    while (dirent* E = ::readdir(D)) {
        const String Name = QFile::decodeName(E->d_name);
        if (!matchesMask(Name, Mask)) continue;
        TSearchRec R;
        if (describeEntry(Folder, Name, R) && (R.Attr & F.ExcludeAttr) == 0) State->Entries.push_back(std::move(R));
    }
    ::closedir(D);
    std::sort(State->Entries.begin(), State->Entries.end(), [](const TSearchRec& A, const TSearchRec& B) {
        const int C = A.Name.compare(B.Name, Qt::CaseInsensitive);
        return C != 0 ? C < 0 : A.Name < B.Name;
    });
    F.FindHandle = State;
    return FindNext(F);
}

int FindNext(TSearchRec& F) {
    TFindState* State = F.FindHandle.get();
    if (!State || State->Next >= State->Entries.size()) return ENOENT;
    const TSearchRec& R = State->Entries[State->Next++];
    F.Name = R.Name;
    F.Size = R.Size;
    F.Attr = R.Attr;
    F.Time = R.Time;
    F.TimeStamp = R.TimeStamp;
    return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

// --- Command line -----------------------------------------------------------------------------

int ParamCount() { return std::max<int>(static_cast<int>(readCommandLine().size()) - 1, 0); }

String ParamStr(int Index) {
    if (Index == 0) return executablePath();
    const QStringList Args = readCommandLine();
    return Index > 0 && Index < Args.size() ? Args[Index] : String();
}

String ProgramFolder() { return ExtractFilePath(executablePath()); }
