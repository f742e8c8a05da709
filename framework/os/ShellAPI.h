// The shell: opening documents, folders and addresses with the desktop's default program,
// showing a file selected in the file manager, the user's folders, the folder-browse dialog.
//
// Every call goes through one shell service, which tests replace (TRecordingShellService) to
// read what would have been opened. The default service starts the desktop's opener
// ("xdg-open") with the target as its one argument, never through a command interpreter, and
// asks the file manager over D-Bus (org.freedesktop.FileManager1) to show a file selected,
// falling back to opening its folder. The opener usually hands the document to another program
// and ends at once; its status says whether anything opens the target.
#pragma once

#include "framework/os/Processes.h"
#include "framework/ui/WinTypes.h"

#include <functional>
#include <mutex>
#include <vector>

// Show modes.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;

// ShellExecute results of 32 or less are errors.
inline constexpr int SE_ERR_FNF = 2;  // the file or folder does not exist
inline constexpr int SE_ERR_ACCESSDENIED = 5;
inline constexpr int SE_ERR_NOASSOC = 31;  // no program opens it (no opener available)
inline constexpr int SE_ERR_SUCCESS = 42;  // any value above 32 means success

// ShellExecuteEx masks.
inline constexpr DWORD SEE_MASK_DEFAULT = 0x00000000;
inline constexpr DWORD SEE_MASK_NOCLOSEPROCESS = 0x00000040;

// Special folders.
inline constexpr int CSIDL_PERSONAL = 0x0005;  // the user's documents
inline constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
inline constexpr int CSIDL_APPDATA = 0x001A;
inline constexpr int CSIDL_PROFILE = 0x0028;  // the home folder

struct SHELLEXECUTEINFO {
    DWORD fMask = SEE_MASK_DEFAULT;
    HWND hwnd = nullptr;
    String lpVerb;  // empty: the default verb ("open")
    String lpFile;
    String lpParameters;
    String lpDirectory;
    int nShow = SW_SHOWNORMAL;
    int hInstApp = 0;         // the ShellExecute-style result code
    TProcessHandle hProcess;  // with SEE_MASK_NOCLOSEPROCESS: the opener's process, when there is one
};

// One thing the shell was asked to do.
struct TShellRequest {
    enum TKind { skOpen, skShowInFileManager };
    TKind Kind = skOpen;
    String Verb;
    String File;  // a path, a folder or an address
    String Parameters;
    String Directory;
    int ShowCmd = SW_SHOWNORMAL;
};

// The folder dialog as a caller sets it up.
struct TBrowseFolderRequest {
    String Caption;
    String Root;
    // The folder shown selected when the dialog opens.
    String StartFolder;
    bool NewFolderButton = false;
    bool Shares = false;
    // Where the dialog's top-left corner goes (screen), given its size; unset: the desktop decides.
    std::function<TPoint(const TSize& DialogSize)> Place;
};

class TShellService {
public:
    virtual ~TShellService() = default;
    // Opens Request.File (skOpen) or shows it selected (skShowInFileManager). Returns a result
    // above 32 on success, an SE_ERR_ code otherwise; Process receives the started opener when
    // one can be waited on (Process may be null).
    virtual int Execute(const TShellRequest& Request, TProcessHandle* Process) = 0;
    // The folder-browse dialog: true with Directory set when the user chose a folder.
    virtual bool BrowseForFolder(const String& Caption, const String& Root, String& Directory) = 0;
    // The same, opened at the request's start folder and placed where it asks.
    virtual bool BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory);
};

// The desktop's service. Opener is the program that opens a target ("xdg-open" looked up on
// PATH by default); FileManagerCaller the program that sends the D-Bus call ("dbus-send").
//
// An open succeeds when the opener ends with status 0, or is still running after
// VerdictTimeout ms (it runs the program it handed the target to); a missing opener, one that
// cannot start and one that ends with another status fail (SE_ERR_FNF for its "no such file"
// status, else SE_ERR_NOASSOC). On the window thread the wait keeps windows painting and timers
// running, and holds the user's input back until it ends.
class TDesktopShellService : public TShellService {
public:
    explicit TDesktopShellService(const String& Opener = QStringLiteral("xdg-open"),
                                  const String& FileManagerCaller = QStringLiteral("dbus-send"),
                                  int VerdictTimeout = 3000);
    int Execute(const TShellRequest& Request, TProcessHandle* Process) override;
    bool BrowseForFolder(const String& Caption, const String& Root, String& Directory) override;
    bool BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory) override;

private:
    String FOpener;
    String FFileManagerCaller;
    int FVerdictTimeout;
    int open(const String& Target, const String& Directory, TProcessHandle* Process);
    // Waits for the started opener to succeed or fail: a ShellExecute result.
    int awaitOpenerVerdict(TChildProcess& Opener) const;
    bool showInFileManager(const String& FileName);
};

// Records every request and answers with Result (default success); BrowseForFolder answers
// with FolderAnswer (empty: cancelled) and records a "browse" request (File the root,
// Directory the start folder, Parameters the caption) and where a dialog of DialogSize would
// be placed. Thread-safe.
class TRecordingShellService : public TShellService {
public:
    int Execute(const TShellRequest& Request, TProcessHandle* Process) override;
    bool BrowseForFolder(const String& Caption, const String& Root, String& Directory) override;
    bool BrowseForFolder(const TBrowseFolderRequest& Request, String& Directory) override;
    TSize DialogSize{400, 320};
    // The last placement asked for; (-1, -1) when the request had none.
    TPoint LastPlacement{-1, -1};

    int Result = SE_ERR_SUCCESS;
    // Returned as the process of each successful open (empty: none, the "already running" case).
    TProcessHandle ProcessAnswer;
    String FolderAnswer;

    int Count() const;
    TShellRequest Request(int Index) const;  // raises EListError when out of range
    TShellRequest Last() const;              // raises EListError when nothing was asked
    void Clear();

private:
    mutable std::mutex FLock;
    std::vector<TShellRequest> FRequests;
};

// Installs Service and returns the one it replaces; nullptr puts back the desktop's service.
// The caller keeps ownership.
TShellService* SetShellService(TShellService* Service);
TShellService* ShellService();

class TShellServiceGuard {
public:
    explicit TShellServiceGuard(TShellService* Service) : FPrevious(SetShellService(Service)) {}
    ~TShellServiceGuard() { SetShellService(FPrevious); }
    TShellServiceGuard(const TShellServiceGuard&) = delete;
    TShellServiceGuard& operator=(const TShellServiceGuard&) = delete;

private:
    TShellService* FPrevious;
};

// Opens File with the verb Operation ("open", "explore" or empty). File "explorer.exe" (any
// case, with or without a folder) stands for the file manager: Parameters "/select,<path>"
// (blanks and quotes around the path allowed) show that file selected, any other Parameters
// open that folder. Returns a value above 32 on success, an SE_ERR_ code otherwise.
NativeInt ShellExecute(HWND hWnd, const String& Operation, const String& File, const String& Parameters,
                       const String& Directory, int ShowCmd);
// As ShellExecute; with SEE_MASK_NOCLOSEPROCESS, Info->hProcess is the opener's process when
// there is one. Returns whether it succeeded (Info->hInstApp holds the code).
bool ShellExecuteEx(SHELLEXECUTEINFO* Info);
// Shows FileName selected in the file manager (its folder opened when that cannot be done).
bool ShowFileInFileManager(const String& FileName);

// The user's documents folder (the desktop's documents folder when it exists, else the home
// folder), without a trailing delimiter.
String GetMyDocumentsFolder();
// The folder of a CSIDL_ constant, without a trailing delimiter; empty for one it does not know.
String GetSpecialFolderPath(int CSIDL);

// The folder-browse dialog through the shell service.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);
