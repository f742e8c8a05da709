#include "framework/ui/ShlwApi.h"

#include "framework/rtl/StrUtils.h"

TModuleExports ShlwApiExports() { return {{"StrCmpLogicalW", reinterpret_cast<FARPROC>(&StrCmpLogicalW)}}; }

HMODULE ImportShlwApi() {
    static const HMODULE Module = [] {
        const String Name = QStringLiteral("shlwapi.dll");
        if (HMODULE Loaded = GetModuleHandle(Name)) return Loaded;
        RegisterModule(Name, ShlwApiExports());
        return LoadLibrary(Name);
    }();
    return Module;
}
