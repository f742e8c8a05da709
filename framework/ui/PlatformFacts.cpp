#include "framework/ui/PlatformFacts.h"

#include <algorithm>

TPlatformFacts& PlatformFacts() {
    static TPlatformFacts Facts;
    return Facts;
}

BOOL GetVersionEx(OSVERSIONINFOW* VersionInfo) {
    if (!VersionInfo || VersionInfo->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW)) return 0;
    const TPlatformFacts& Facts = PlatformFacts();
    VersionInfo->dwMajorVersion = Facts.MajorVersion;
    VersionInfo->dwMinorVersion = Facts.MinorVersion;
    VersionInfo->dwBuildNumber = Facts.BuildNumber;
    VersionInfo->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return 1;
}

DWORD GetSystemLibraryVersionMS(const String& FileName) {
    String Name = FileName.trimmed().toLower();
    const int Slash = std::max(Name.lastIndexOf(u'\\'), Name.lastIndexOf(u'/'));
    if (Slash >= 0) Name = Name.mid(Slash + 1);
    if (Name != QStringLiteral("comctl32.dll") && Name != QStringLiteral("comctl32")) return 0;
    const TPlatformFacts& Facts = PlatformFacts();
    return (DWORD(Facts.ComCtlMajorVersion) << 16) | Facts.ComCtlMinorVersion;
}

TPlatformFactsScope::TPlatformFactsScope() : FFacts(PlatformFacts()), FTheme(ThemeSettings()) {}

TPlatformFactsScope::~TPlatformFactsScope() {
    PlatformFacts() = FFacts;
    ThemeSettings() = FTheme;
}
