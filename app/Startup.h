// The program's start-up: the application object, its windows and the message loop.
#pragma once

#include "framework/rtl/Types.h"

inline constexpr const char* ProgramTitle = "Quillory Video Downloader";

// Whether a graphical session can be reached; Reason says why not.
bool DisplayAvailable(String& Reason);

// Masks the arithmetic faults, initialises the application and creates its windows in order.
void StartApplication(int& Argc, char** Argv);

// Starts the application, runs the message loop until the main window closes; returns the exit code.
int RunQuilloryVideoDownloader(int& Argc, char** Argv);
