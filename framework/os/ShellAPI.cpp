// The shell on a freedesktop desktop: the opener program, the file manager's D-Bus interface,
// the XDG folders.
#include "framework/os/ShellAPI.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <thread>

#include "framework/rtl/Files.h"

namespace {

std::atomic<TShellService*> GService{nullptr};

// The opener's exit status for a target that does not exist (any other failure: nothing opens it).
constexpr int kOpenerFileNotFound = 2;

TShellService* desktopService() {
    static TDesktopShellService Service;
    return &Service;
}

bool isAddress(const String& Target) {
    return Target.contains(QLatin1String("://")) || Target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

String programPath(const String& Program) {
    if (Program.contains(QLatin1Char('/'))) return QFileInfo(Program).isExecutable() ? Program : String();
    return QStandardPaths::findExecutable(Program);
}

// A handle the caller may drop while the opener still runs: the opener is then reaped in the
// background instead of being killed.
TProcessHandle detachedHandle(TChildProcess* Process) {
    return TProcessHandle(Process, [](TChildProcess* P) {
        if (!P->Running()) {
            delete P;
            return;
        }
        std::thread([P] {
            P->WaitFor(-1);
            delete P;
        }).detach();
    });
}

String unquoted(String S) {
    S = S.trimmed();
    if (S.size() >= 2 && S.startsWith(QLatin1Char('"')) && S.endsWith(QLatin1Char('"'))) S = S.mid(1, S.size() - 2);
    return S;
}

bool isFileManager(const String& File) {
    const String Name = NormalizePathDelimiters(File).section(QLatin1Char('/'), -1).toLower();
    return Name == QLatin1String("explorer.exe") || Name == QLatin1String("explorer");
}

// The request a ShellExecute call stands for; false for a verb the shell does not know.
bool shellRequest(const String& Operation, const String& File, const String& Parameters, const String& Directory,
                  int ShowCmd, TShellRequest& Request) {
    const String Verb = Operation.toLower();
    if (!Verb.isEmpty() && Verb != QLatin1String("open") && Verb != QLatin1String("explore")) return false;
    Request.Verb = Operation;
    Request.Parameters = Parameters;
    Request.Directory = Directory;
    Request.ShowCmd = ShowCmd;
    if (isFileManager(File)) {
        String Args = Parameters.trimmed();
        if (Args.startsWith(QLatin1String("/select,"), Qt::CaseInsensitive)) {
            Request.Kind = TShellRequest::skShowInFileManager;
            Request.File = NormalizePathDelimiters(unquoted(Args.mid(8)));
        } else {
            Request.Kind = TShellRequest::skOpen;
            Request.File = Args.isEmpty() ? QDir::homePath() : NormalizePathDelimiters(unquoted(Args));
        }
        return true;
    }
    Request.Kind = TShellRequest::skOpen;
    Request.File = isAddress(File) ? File.trimmed() : NormalizePathDelimiters(File);
    return true;
}

}  // namespace

// --- The desktop's service

TDesktopShellService::TDesktopShellService(const String& Opener, const String& FileManagerCaller, int VerdictTimeout)
    : FOpener(Opener), FFileManagerCaller(FileManagerCaller), FVerdictTimeout(VerdictTimeout) {}

int TDesktopShellService::Execute(const TShellRequest& Request, TProcessHandle* Process) {
    if (Request.Kind == TShellRequest::skShowInFileManager) {
        if (!QFileInfo::exists(Request.File)) return SE_ERR_FNF;
        return showInFileManager(Request.File) ? SE_ERR_SUCCESS : SE_ERR_NOASSOC;
    }
    return open(Request.File, Request.Directory, Process);
}

int TDesktopShellService::open(const String& Target, const String& Directory, TProcessHandle* Process) {
    String Resolved = Target;
    if (!isAddress(Target)) {
        if (Target.isEmpty()) return SE_ERR_FNF;
        if (QDir::isRelativePath(Target) && !Directory.isEmpty()) Resolved = QDir(Directory).filePath(Target);
        if (!QFileInfo::exists(Resolved)) return SE_ERR_FNF;
        Resolved = QFileInfo(Resolved).absoluteFilePath();
    }
    const String Opener = programPath(FOpener);
    if (Opener.isEmpty()) return SE_ERR_NOASSOC;
    TProcessHandle Handle;
    try {
        // The opener's complaints go where ours go; nobody reads a pipe for them.
        Handle = detachedHandle(new TChildProcess(Opener, {Resolved}, String(), {}, TStdErrTarget::Inherit));
    } catch (const EOSError&) {
        return SE_ERR_NOASSOC;
    }
    const int Result = awaitOpenerVerdict(*Handle);
    if (Result > 32 && Process) *Process = Handle;
    return Result;
}

int TDesktopShellService::awaitOpenerVerdict(TChildProcess& Opener) const {
    // The window thread keeps painting meanwhile; the user's input waits until the verdict.
    const bool OnWindowThread = QCoreApplication::instance() && QThread::currentThread() == qApp->thread();
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(FVerdictTimeout);
    while (!Opener.WaitFor(OnWindowThread ? 20 : FVerdictTimeout)) {
        // Still running: it runs the program it handed the target to.
        if (std::chrono::steady_clock::now() >= Limit) return SE_ERR_SUCCESS;
        if (OnWindowThread) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    switch (Opener.ExitCode()) {
        case 0:
            return SE_ERR_SUCCESS;
        case kOpenerFileNotFound:
            return SE_ERR_FNF;
        default:
            return SE_ERR_NOASSOC;
    }
}

bool TDesktopShellService::showInFileManager(const String& FileName) {
    const String Caller = programPath(FFileManagerCaller);
    if (!Caller.isEmpty() && qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) {
        // The call's array syntax separates items with commas, so a comma in the name is escaped.
        String Uri = QString::fromUtf8(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()).toEncoded());
        Uri.replace(QLatin1Char(','), QLatin1String("%2C"));
        try {
            TChildProcess Call(Caller,
                               {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                QStringLiteral("--dest=org.freedesktop.FileManager1"),
                                QStringLiteral("--type=method_call"), QStringLiteral("/org/freedesktop/FileManager1"),
                                QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                                QStringLiteral("array:string:") + Uri, QStringLiteral("string:")},
                               String(), {}, TStdErrTarget::Null);
            if (Call.WaitFor(5000) && Call.ExitCode() == 0) return true;
        } catch (const EOSError&) {
        }
    }
    return open(QFileInfo(FileName).absolutePath(), String(), nullptr) > 32;
}

bool TDesktopShellService::BrowseForFolder(const String& Caption, const String& Root, String& Directory) {
    const String Start = Directory.isEmpty() ? Root : Directory;
    const String Chosen = QFileDialog::getExistingDirectory(nullptr, Caption, Start);
    if (Chosen.isEmpty()) return false;
    Directory = Chosen;
    return true;
}

bool TDesktopShellService::BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory) {
    QFileDialog Dialog(nullptr, Request.Caption, Request.StartFolder.isEmpty() ? Request.Root : Request.StartFolder);
    Dialog.setFileMode(QFileDialog::Directory);
    Dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (Request.Place) {
        const QSize Size = Dialog.sizeHint();
        const TPoint P = Request.Place(TSize{Size.width(), Size.height()});
        Dialog.move(P.X, P.Y);
    }
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return false;
    Directory = Dialog.selectedFiles().first();
    return true;
}

bool TShellService::BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory) {
    Directory = Request.StartFolder;
    return BrowseForFolder(Request.Caption, Request.Root, Directory);
}

// --- Recording service

int TRecordingShellService::Execute(const TShellRequest& Request, TProcessHandle* Process) {
    std::lock_guard<std::mutex> Guard(FLock);
    FRequests.push_back(Request);
    if (Result > 32 && Process) *Process = ProcessAnswer;
    return Result;
}

bool TRecordingShellService::BrowseForFolder(const String& Caption, const String& Root, String& Directory) {
    std::lock_guard<std::mutex> Guard(FLock);
    TShellRequest R;
    R.Verb = QStringLiteral("browse");
    R.File = Root;
    R.Parameters = Caption;
    FRequests.push_back(R);
    if (FolderAnswer.isEmpty()) return false;
    Directory = FolderAnswer;
    return true;
}

bool TRecordingShellService::BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory) {
    std::lock_guard<std::mutex> Guard(FLock);
    TShellRequest R;
    R.Verb = QStringLiteral("browse");
    R.File = Request.Root;
    R.Directory = Request.StartFolder;
    R.Parameters = Request.Caption;
    FRequests.push_back(R);
    LastPlacement = Request.Place ? Request.Place(DialogSize) : TPoint{-1, -1};
    if (FolderAnswer.isEmpty()) return false;
    Directory = FolderAnswer;
    return true;
}

int TRecordingShellService::Count() const {
    std::lock_guard<std::mutex> Guard(FLock);
    return static_cast<int>(FRequests.size());
}

TShellRequest TRecordingShellService::Request(int Index) const {
    std::lock_guard<std::mutex> Guard(FLock);
    if (Index < 0 || Index >= static_cast<int>(FRequests.size()))
        throw EListError(QStringLiteral("Shell request index out of bounds (%1)").arg(Index));
    return FRequests[static_cast<size_t>(Index)];
}

TShellRequest TRecordingShellService::Last() const {
    std::lock_guard<std::mutex> Guard(FLock);
    if (FRequests.empty()) throw EListError(QStringLiteral("No shell request was made"));
    return FRequests.back();
}

void TRecordingShellService::Clear() {
    std::lock_guard<std::mutex> Guard(FLock);
    FRequests.clear();
}

// --- Entry points

TShellService* SetShellService(TShellService* Service) {
    TShellService* Previous = GService.exchange(Service);
    return Previous;
}

TShellService* ShellService() {
    TShellService* Service = GService.load();
    return Service ? Service : desktopService();
}

NativeInt ShellExecute(HWND hWnd, const String& Operation, const String& File, const String& Parameters,
                       const String& Directory, int ShowCmd) {
    TShellRequest Request;
    if (!shellRequest(Operation, File, Parameters, Directory, ShowCmd, Request)) return SE_ERR_NOASSOC;
    return ShellService()->Execute(Request, nullptr);
}

bool ShellExecuteEx(SHELLEXECUTEINFO* Info) {
    if (!Info) return false;
    Info->hProcess.reset();
    TShellRequest Request;
    if (!shellRequest(Info->lpVerb, Info->lpFile, Info->lpParameters, Info->lpDirectory, Info->nShow, Request)) {
        Info->hInstApp = SE_ERR_NOASSOC;
        return false;
    }
    TProcessHandle Process;
    Info->hInstApp = ShellService()->Execute(Request, &Process);
    if (Info->fMask & SEE_MASK_NOCLOSEPROCESS) Info->hProcess = Process;
    return Info->hInstApp > 32;
}

bool ShowFileInFileManager(const String& FileName) {
    TShellRequest Request;
    Request.Kind = TShellRequest::skShowInFileManager;
    Request.Verb = QStringLiteral("open");
    Request.File = NormalizePathDelimiters(FileName);
    return ShellService()->Execute(Request, nullptr) > 32;
}

namespace {

String existingOrHome(QStandardPaths::StandardLocation Location) {
    const String Path = QStandardPaths::writableLocation(Location);
    if (!Path.isEmpty() && QFileInfo(Path).isDir()) return QDir::cleanPath(Path);
    return QDir::cleanPath(QDir::homePath());
}

}  // namespace

String GetMyDocumentsFolder() { return existingOrHome(QStandardPaths::DocumentsLocation); }

String GetSpecialFolderPath(int CSIDL) {
    switch (CSIDL) {
        case CSIDL_PERSONAL:
            return GetMyDocumentsFolder();
        case CSIDL_DESKTOPDIRECTORY:
            return existingOrHome(QStandardPaths::DesktopLocation);
        case CSIDL_APPDATA:
            return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        case CSIDL_PROFILE:
            return QDir::cleanPath(QDir::homePath());
        default:
            return {};
    }
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
    return ShellService()->BrowseForFolder(Caption, Root, Directory);
}
