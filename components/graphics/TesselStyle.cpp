// Version tests, Office and Windows colour-scheme detection and the colour helpers.
#include "components/graphics/TesselStyle.h"

#include "framework/ui/Messages.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"

#include <algorithm>
#include <array>

namespace {

// Newest first: the highest installed version wins.
struct OfficeVersionKey {
    const char* Version;
    int Result;
};
constexpr std::array<OfficeVersionKey, 4> kOfficeVersions = {{
    {"16.0", 4},
    {"15.0", 3},
    {"14.0", 2},
    {"12.0", 1},
}};

String officeCommonKey(const char* Version) {
    return QStringLiteral("Software\\Microsoft\\Office\\%1\\Common").arg(QLatin1String(Version));
}

// One row per Office version: the value read and the theme for each known value; any other
// value found means the classic blue look, a missing value moves on to the next version.
struct OfficeThemeValue {
    int Value;
    TOfficeTheme Theme;
};
struct OfficeThemeRule {
    const char* Version;
    const char* ValueName;
    std::array<OfficeThemeValue, 4> Values;
    int ValueCount;
};
constexpr std::array<OfficeThemeRule, 4> kOfficeThemeRules = {{
    {"16.0", "UI Theme", {{{0, ot2016White}, {2, ot2016Black}, {3, ot2016White}, {5, ot2016Gray}}}, 4},
    {"15.0", "UI Theme", {{{0, ot2013White}, {1, ot2013Silver}, {2, ot2013Gray}, {}}}, 3},
    {"14.0", "Theme", {{{1, ot2010Blue}, {2, ot2010Silver}, {3, ot2010Black}, {}}}, 3},
    {"12.0", "Theme", {{{1, ot2007Blue}, {2, ot2007Silver}, {3, ot2007Black}, {}}}, 3},
}};

// Indexed by DetectWindowsXPTheme's result.
constexpr std::array<TOfficeTheme, 4> kWindowsThemeToOffice = {ot2003Classic, ot2003Blue, ot2003Olive, ot2003Silver};

// The integer value of the current user's key, -1 when the key or the value is missing. A value
// of another type (written by some other program) counts as missing rather than failing the look.
int readOfficeInteger(const String& Key, const String& ValueName) {
    TRegistry Reg(KEY_READ);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.KeyExists(Key)) return -1;
    if (!Reg.OpenKeyReadOnly(Key)) return -1;
    if (!Reg.ValueExists(ValueName) || Reg.GetDataType(ValueName) != rdInteger) return -1;
    return Reg.ReadInteger(ValueName);
}

// Round(N / 100) with halves to the even neighbour, for N >= 0, without floating point.
long long roundPercent(long long N) {
    long long Q = N / 100;
    const long long R = N % 100;
    if (R > 50 || (R == 50 && (Q & 1))) ++Q;
    return Q;
}

int darkerChannel(int Channel, int Percent) {
    const long long V = Channel * (100LL - Percent);
    // More than 100 percent would go below black.
    if (V <= 0) return 0;
    return static_cast<int>(std::min(roundPercent(V), 255LL));
}

}  // namespace

bool IsVistaOrLater() {
    // The platform answers this by the presence of a Vista-only export; the facts say the same.
    OSVERSIONINFOW Info;
    return GetVersionEx(&Info) && Info.dwMajorVersion >= 6;
}

bool IsWinXPOrLater() {
    OSVERSIONINFOW Info;
    if (!GetVersionEx(&Info)) return false;
    return Info.dwMajorVersion > 5 || (Info.dwMajorVersion == 5 && Info.dwMinorVersion != 0);
}

bool IsComCtl6OrLater() {
    const DWORD VersionMS = GetSystemLibraryVersionMS(QStringLiteral("COMCTL32.DLL"));
    return (HIWORD(VersionMS) & 0xFF) > 5;
}

int DetectOfficeVersion() {
    TRegistry Reg(KEY_READ);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    for (const OfficeVersionKey& Row : kOfficeVersions)
        if (Reg.KeyExists(officeCommonKey(Row.Version) + QStringLiteral("\\General"))) return Row.Result;
    return 0;
}

int DetectWindowsXPTheme() {
    if (!IsWinXPOrLater()) return 0;
    const HMODULE Library = LoadLibrary(QString::fromUtf16(UxThemeLibraryName));
    if (!Library) return 0;
    int Result = 0;
    const auto IsThemeActive = GetProcAddressAs<TIsThemeActive>(Library, "IsThemeActive");
    if (IsThemeActive && IsThemeActive() && IsComCtl6OrLater()) {
        const auto GetCurrentThemeName = GetProcAddressAs<TGetCurrentThemeName>(Library, "GetCurrentThemeName");
        constexpr int kBufferLength = 255;
        char16_t FileName[kBufferLength + 1] = {};
        char16_t ColorName[kBufferLength + 1] = {};
        char16_t SizeName[kBufferLength + 1] = {};
        if (GetCurrentThemeName && SUCCEEDED(GetCurrentThemeName(FileName, kBufferLength, ColorName, kBufferLength,
                                                                 SizeName, kBufferLength))) {
            const String Color = QString::fromUtf16(ColorName);
            if (Color.contains(QLatin1String("NormalColor")))
                Result = 1;
            else if (Color.contains(QLatin1String("HomeStead")))
                Result = 2;
            else if (Color.contains(QLatin1String("Metallic")))
                Result = 3;
        }
    }
    FreeLibrary(Library);
    return Result;
}

TOfficeTheme DetectOfficeTheme() {
    for (const OfficeThemeRule& Rule : kOfficeThemeRules) {
        const int Value = readOfficeInteger(officeCommonKey(Rule.Version), QLatin1String(Rule.ValueName));
        if (Value == -1) continue;
        for (int I = 0; I < Rule.ValueCount; ++I)
            if (Rule.Values[I].Value == Value) return Rule.Values[I].Theme;
        return ot2003Blue;
    }
    return kWindowsThemeToOffice[DetectWindowsXPTheme()];
}

TColor DarkerColor(TColor Color, int Percent) {
    const TColor Rgb = ColorToRGB(Color);
    return RGB(darkerChannel(GetRValue(Rgb), Percent), darkerChannel(GetGValue(Rgb), Percent),
               darkerChannel(GetBValue(Rgb), Percent));
}

String DefaultUIFontName() { return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"); }

void ClearColorTones(TColorTones& Tones) {
    for (TColorTone* Tone : {&Tones.Background, &Tones.Foreground, &Tones.Selected, &Tones.Hover, &Tones.Disabled}) {
        Tone->BrushColor = clNone;
        Tone->BorderColor = clNone;
        Tone->TextColor = clNone;
    }
}
