// TExeInfo: a non-visual component that reports the running program's version resource, the
// computer name, the operating system's name and a few system folders.
//
// The version resource is the program's RT_VERSION resource number 1 in the framework's resource
// table (Resources.h), in the platform's binary block layout: a block is a length, a value length,
// a type (0 binary, 1 text), a zero-ended UTF-16 key, its value and its child blocks, each part
// aligned to four bytes. The root's value is a VS_FIXEDFILEINFO; its children are "StringFileInfo"
// (one table per language key, one text per name) and "VarFileInfo" ("Translation": language and
// code-page word pairs). Files other than the running program carry no version resource here.
//
// The other system queries go through ExeInfoSystem(), whose default answers come from the
// framework's platform facts and the host; tests install their own (TExeInfoSystemScope).
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Types.h"

#include <functional>

inline constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
inline constexpr int VS_VERSION_INFO = 1;

struct VS_FIXEDFILEINFO {
    DWORD dwSignature = VS_FFI_SIGNATURE;
    DWORD dwStrucVersion = 0x00010000;
    DWORD dwFileVersionMS = 0;
    DWORD dwFileVersionLS = 0;
    DWORD dwProductVersionMS = 0;
    DWORD dwProductVersionLS = 0;
    DWORD dwFileFlagsMask = 0;
    DWORD dwFileFlags = 0;
    DWORD dwFileOS = 0;
    DWORD dwFileType = 0;
    DWORD dwFileSubtype = 0;
    DWORD dwFileDateMS = 0;
    DWORD dwFileDateLS = 0;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr Byte VER_NT_WORKSTATION = 1;
inline constexpr Byte VER_NT_SERVER = 3;

// The system version as the first, extended version query reports it.
struct TExeInfoOSVersion {
    DWORD PlatformId = 2;  // VER_PLATFORM_WIN32_NT
    DWORD MajorVersion = 0;
    DWORD MinorVersion = 0;
    String CSDVersion;  // the service-pack text
    Byte ProductType = VER_NT_WORKSTATION;
};

// What TExeInfo asks the system. Each answer may be replaced on its own.
struct TExeInfoSystem {
    // The extended version query; false when it fails. By default it answers as the platform does
    // for a program that does not declare itself aware of newer systems: 6.2 stands for anything
    // from 6.2 up (the framework's platform facts hold the true version).
    std::function<bool(TExeInfoOSVersion& Info)> QueryVersion;
    // The true version; false when the call is missing or fails.
    std::function<bool(DWORD& Major, DWORD& Minor)> QueryTrueVersion;
    // The host's name; empty when it cannot be had.
    std::function<String()> HostName;
    // Folders without a trailing delimiter; empty on failure. WindowsFolder is the system's
    // installation folder (/usr), SystemFolder its library folder (/usr/lib).
    std::function<String()> WindowsFolder;
    std::function<String()> SystemFolder;
    std::function<String()> TempFolder;       // TMPDIR, else /tmp
    std::function<String()> DocumentsFolder;  // the shell's documents folder
};

TExeInfoSystem& ExeInfoSystem();

// Saves the system answers and puts them back when it ends.
class TExeInfoSystemScope {
public:
    TExeInfoSystemScope();
    ~TExeInfoSystemScope();
    TExeInfoSystemScope(const TExeInfoSystemScope&) = delete;
    TExeInfoSystemScope& operator=(const TExeInfoSystemScope&) = delete;

private:
    TExeInfoSystem FSaved;
};

// The operating system's name for what the two version queries answered ("Unknown" when the
// first failed or the version is not known). TrueVersionOk tells whether Major/Minor are valid.
String OperatingSystemName(bool QueryOk, const TExeInfoOSVersion& Info, bool TrueVersionOk, DWORD TrueMajor,
                           DWORD TrueMinor);

class TExeInfo : public TComponent {
public:
    explicit TExeInfo(TComponent* AOwner);

    // Published: the version strings, "Updated at run-time" until a version resource is read.
    String CompanyName() const { return FCompanyName; }
    void SetCompanyName(const String& Value) { FCompanyName = Value; }
    String FileDescription() const { return FFileDescription; }
    void SetFileDescription(const String& Value) { FFileDescription = Value; }
    String FileVersion() const { return FFileVersion; }
    void SetFileVersion(const String& Value) { FFileVersion = Value; }
    String InternalName() const { return FInternalName; }
    void SetInternalName(const String& Value) { FInternalName = Value; }
    String LegalCopyright() const { return FLegalCopyright; }
    void SetLegalCopyright(const String& Value) { FLegalCopyright = Value; }
    String LegalTradeMark() const { return FLegalTradeMark; }
    void SetLegalTradeMark(const String& Value) { FLegalTradeMark = Value; }
    String OriginalFileName() const { return FOriginalFileName; }
    void SetOriginalFileName(const String& Value) { FOriginalFileName = Value; }
    String ProductName() const { return FProductName; }
    void SetProductName(const String& Value) { FProductName = Value; }
    String ProductVersion() const { return FProductVersion; }
    void SetProductVersion(const String& Value) { FProductVersion = Value; }
    String Comments() const { return FComments; }
    void SetComments(const String& Value) { FComments = Value; }

    // Published, asked of the system on every read; what is written is stored but never read back.
    String ComputerName() const { return QueryComputerName(); }
    String OSName() const { return GetOperatingSystem(); }
    void SetOSName(const String& Value) { FOsName = Value; }
    String WindowsDir() const { return GetWindowsDir(); }
    void SetWindowsDir(const String& Value) { FWindowsDir = Value; }
    String SystemDir() const { return GetSystemDir(); }
    void SetSystemDir(const String& Value) { FSystemDir = Value; }
    String TempDir() const { return GetTempDir(); }
    void SetTempDir(const String& Value) { FTempDir = Value; }
    // Raises Exception "Could not find MyDocuments folder location." when there is none.
    String MyDocumentsDir() const { return GetMyDocumentsDir(); }
    void SetMyDocumentsDir(const String& Value) { FMyDocumentsDir = Value; }

    String Version() const { return GetVersion(); }
    void SetVersion(const String& Value) { (void)Value; }

    // Public, read-only: the fixed part of the version resource.
    int FileFlags() const { return FFileFlags; }
    int FileOS() const { return FFileOS; }
    int FileType() const { return FFileType; }
    TDateTime FileCreation() const { return FFileCreation; }
    // FileVersion's parts as two digits each, read as one number ("1.3.3.0" gives 1030300); -1
    // without a FileVersion. Raises EConvertError when the digits are no number or too many.
    int FileVersionInt() const { return GetFileVersionInt(); }

    // Reads FileName's version resource into the fields; a file without one leaves them as they are.
    void GetVersionInfoOfApp(const String& FileName);
    // FileVersion's parts 0 to 3; -1 when it is empty or has too few parts. Raises EConvertError
    // for a part that is not a number.
    int MajorVersion() const { return GetVersionPart(0); }
    int MinorVersion() const { return GetVersionPart(1); }
    int ReleaseNumber() const { return GetVersionPart(2); }
    int BuildNumber() const { return GetVersionPart(3); }

    virtual int GetVersionNr() const { return 0x01030300; }
    // The running program's version resource. The constructor calls this class's own version.
    virtual void GetVersionInfo();
    // The computer name through a buffer of 16 characters: a longer host name is cut to its first
    // 15, as the platform's short computer name is; empty when there is none.
    virtual String QueryComputerName() const;
    virtual String GetOperatingSystem() const;

protected:
    String GetVersion() const;
    int GetFileVersionInt() const;
    int GetVersionPart(int Index) const;
    String GetWindowsDir() const;
    String GetSystemDir() const;
    String GetTempDir() const;
    String GetMyDocumentsDir() const;

private:
    String FCompanyName;
    String FFileDescription;
    String FFileVersion;
    String FInternalName;
    String FLegalCopyright;
    String FLegalTradeMark;
    String FOriginalFileName;
    String FProductName;
    String FProductVersion;
    String FComments;
    String FComputerName;
    String FOsName;
    String FWindowsDir;
    String FSystemDir;
    String FTempDir;
    int FFileFlags = 0;
    int FFileOS = 0;
    int FFileType = 0;
    TDateTime FFileCreation = 0;
    String FMyDocumentsDir;
};
