#include "components/graphics/ThemeLoader.h"

#include <cstdint>
#include <cstring>

TThemeLoader::TThemeLoader(const char* SourceName, std::span<const char* const> Names, TMissingThemeName OnMissing,
                           TThemeLoaderGuard Guard)
    : FSourceName(SourceName), FNames(Names), FOnMissing(OnMissing), FGuard(Guard) {}

void TThemeLoader::BindThemeFunctions() {
    if (FLoaded) return;
    if (FGuard == tlgNone) {
        if (!loadLibrary()) return;
        FLoaded = true;
        bindNames();
        return;
    }
    FLock.Enter();
    try {
        if (loadLibrary()) {
            ++FLoadCounter;
            FLoaded = true;
            bindNames();
        }
    } catch (...) {
        FLock.Leave();
        throw;
    }
    FLock.Leave();
}

void TThemeLoader::UnbindThemeFunctions() {
    if (FGuard == tlgLockAndCount) {
        FLock.Enter();
        if (FLoadCounter > 0) --FLoadCounter;
    }
    if (FLoaded) {
        FreeLibrary(FLibrary);
        FLibrary = nullptr;
        FLoaded = false;
    }
    if (FGuard == tlgLockAndCount) FLock.Leave();
}

void TThemeLoader::Finalize() {
    if (FGuard == tlgNone) {
        UnbindThemeFunctions();
        return;
    }
    while (FLoadCounter > 0) UnbindThemeFunctions();
}

FARPROC TThemeLoader::Variable(const char* Name) const {
    if (!Name) return nullptr;
#define QVD_THEME_READ(Fn) \
    if (std::strcmp(Name, #Fn) == 0) return reinterpret_cast<FARPROC>(Fn);
    QVD_THEME_FUNCTIONS(QVD_THEME_READ)
#undef QVD_THEME_READ
    return nullptr;
}

bool TThemeLoader::loadLibrary() {
    const HMODULE Library = LoadLibrary(QStringLiteral("UXTHEME.DLL"));
    // The platform reports failures as handle values below 32.
    if (reinterpret_cast<std::uintptr_t>(Library) < 32) return false;
    FLibrary = Library;
    return true;
}

void TThemeLoader::bindNames() {
    for (std::size_t Index = 0; Index < FNames.size(); ++Index) {
        const FARPROC Proc = GetProcAddress(FLibrary, FNames[Index]);
        assign(FNames[Index], Proc);
        if (!Proc && FOnMissing == mtnAssertionFailure)
            throw EAssertionFailed(QStringLiteral("Assertion failure (%1, binding %2 of %3: \"%4\")")
                                       .arg(QLatin1String(FSourceName))
                                       .arg(Index + 1)
                                       .arg(FNames.size())
                                       .arg(QLatin1String(FNames[Index])));
    }
}

void TThemeLoader::assign(const char* Name, FARPROC Proc) {
#define QVD_THEME_ASSIGN(Fn)                \
    if (std::strcmp(Name, #Fn) == 0) {      \
        Fn = reinterpret_cast<T##Fn>(Proc); \
        return;                             \
    }
    QVD_THEME_FUNCTIONS(QVD_THEME_ASSIGN)
#undef QVD_THEME_ASSIGN
}
