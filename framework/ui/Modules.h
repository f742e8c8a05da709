// Modules loaded by name at run time, the way the platform loads its dynamic libraries.
//
// One process-wide table maps module names to their named entry points. The framework ships its
// own stand-ins ("uxtheme.dll" for visual styles, "user32.dll" for the layered-window calls);
// tests put a different module in place for a while (TModuleReplacement), hide one, or offer
// one that lacks a name. Names compare ignoring case, a folder part is ignored and ".dll" may be
// left out, as on the platform.
#pragma once

#include "framework/ui/WinTypes.h"

#include <memory>
#include <vector>

// An entry point of any signature; callers cast it to the function type they expect.
using FARPROC = void (*)();

struct TModuleExport {
    const char* Name;
    FARPROC Proc;
};
using TModuleExports = std::vector<TModuleExport>;

// Makes Exports the module Name for later loads (replacing what was registered under it).
void RegisterModule(const String& Name, const TModuleExports& Exports);
// Later loads of Name fail; handles already loaded stay valid.
void UnregisterModule(const String& Name);

// A handle to the module (the same one while it stays loaded), nullptr when there is no such
// module. Each successful call must be paired with FreeLibrary.
HMODULE LoadLibrary(const String& FileName);
// The handle of a module that is loaded now, without loading it; nullptr otherwise.
HMODULE GetModuleHandle(const String& ModuleName);
// nullptr when the handle is not a loaded module or the module lacks the name (case matters).
FARPROC GetProcAddress(HMODULE Module, const char* ProcName);
// Drops one reference; the module is unloaded with the last. FALSE for a handle not loaded.
BOOL FreeLibrary(HMODULE Module);
// How many times the module was actually loaded (first references), for tests.
int ModuleLoadCount(const String& ModuleName);

template <class F>
F GetProcAddressAs(HMODULE Module, const char* ProcName) {
    return reinterpret_cast<F>(GetProcAddress(Module, ProcName));
}

// Puts a replacement module (or, with no exports given, no module at all) under a name for the
// lifetime of the object; the previous registration comes back afterwards.
class TModuleReplacement {
public:
    TModuleReplacement(const String& Name, const TModuleExports& Exports);
    explicit TModuleReplacement(const String& Name);
    ~TModuleReplacement();
    TModuleReplacement(const TModuleReplacement&) = delete;
    TModuleReplacement& operator=(const TModuleReplacement&) = delete;

private:
    struct TSaved;
    std::unique_ptr<TSaved> FSaved;
};
