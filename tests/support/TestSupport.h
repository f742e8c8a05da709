// Helpers shared by the test programs.
#pragma once

#include "framework/rtl/Types.h"

// A fresh empty folder for one test, removed when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const String& Path() const { return FPath; }
    // Path of a file inside the folder.
    String File(const String& Name) const;

private:
    String FPath;
};

// The source tree's root, for fixtures.
String SourceRoot();
// The folder holding the built programs of tools/ (the stand-in converter, page server...).
String ToolsFolder();
