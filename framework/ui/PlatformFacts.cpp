#include "framework/ui/PlatformFacts.h"

#include "framework/ui/Forms.h"

#include <QGuiApplication>
#include <algorithm>

TPlatformFacts& PlatformFacts() {
    static TPlatformFacts Facts;
    return Facts;
}

bool WindowsPlacedFreely() {
    return PlatformFacts().FreeWindowPlacement &&
           !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

bool TranslucentWindowsShown() {
    if (!PlatformFacts().TranslucentWindows) return false;
    const String Platform = QGuiApplication::platformName();
    return Platform != QStringLiteral("xcb") && Platform != QStringLiteral("minimal") && !Platform.isEmpty();
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

int GetSystemMetrics(int Index) {
    const TPlatformFacts& Facts = PlatformFacts();
    switch (Index) {
        case SM_CXSCREEN:
            return Screen ? Screen->Width() : 0;
        case SM_CYSCREEN:
            return Screen ? Screen->Height() : 0;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
            return Facts.ScrollBarSize;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return Facts.BorderSize;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return Facts.EdgeSize;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return Facts.FrameSize;
        default:
            return 0;
    }
}

TPlatformFactsScope::TPlatformFactsScope() : FFacts(PlatformFacts()), FTheme(ThemeSettings()) {}

TPlatformFactsScope::~TPlatformFactsScope() {
    PlatformFacts() = FFacts;
    ThemeSettings() = FTheme;
}
