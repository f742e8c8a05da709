// Files and folders, path names, file search and the program's command line.
#pragma once

#include "framework/rtl/Types.h"

#include <memory>

inline constexpr Char PathDelim{u'/'};
inline const String PathDelimStr = QStringLiteral("/");

// Both delimiters are recognised: code joining a folder and a name with a backslash still
// addresses the file it means. Backslashes become PathDelim and doubled delimiters collapse;
// every routine here that opens, tests or builds a path applies this first.
String NormalizePathDelimiters(const String& Path);
bool IsPathDelimiter(const String& S, int Index);  // Index is 1-based

bool FileExists(const String& FileName);  // false for folders
bool DirectoryExists(const String& Directory);
bool DeleteFile(const String& FileName);  // files only
// Refuses an existing target (returns false, both files stay as they were); never overwrites.
bool RenameFile(const String& OldName, const String& NewName);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);  // empty folders only
// Creates Dir and any missing parent; raises EInOutError for an empty name.
bool ForceDirectories(const String& Dir);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);

String ExtractFilePath(const String& FileName);  // keeps the trailing delimiter
String ExtractFileDir(const String& FileName);   // without it, except for the root
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);  // with the dot; "" when none
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// An absolute path with "." and ".." resolved against the current folder; links are not followed.
String ExpandFileName(const String& FileName);

// The existing file or folder that Path names when letter case is ignored, name by name (an exact
// name wins, else the first match in name order); Path itself when it exists or nothing matches.
String ResolvePathIgnoringCase(const String& Path);

// File attributes as the platform numbers them.
enum : int {
    faReadOnly = 0x01,
    faHidden = 0x02,  // a name starting with "."
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faNormal = 0x80,
    faSymLink = 0x400,
    faAnyFile = 0x1FF,
};

struct TFindState;

struct TSearchRec {
    String Name;
    Int64 Size = 0;
    int Attr = 0;
    int Time = 0;             // local modification time packed as the platform's file date
    TDateTime TimeStamp = 0;  // the same as a TDateTime
    int ExcludeAttr = 0;
    std::shared_ptr<TFindState> FindHandle;
};

// Path is a folder and a mask with "*" and "?" (matched ignoring case). Entries come in name
// order; plain files always match, hidden files and folders only when Attr asks for them, and
// "." and ".." come with the folders. Return 0 when an entry was found, an error code otherwise.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// The command line: ParamStr(0) is the program's full path.
int ParamCount();
String ParamStr(int Index);
// The program's own folder, with a trailing delimiter.
String ProgramFolder();
