// The framework's visual-style library: theme handles per window class, parts drawn through
// one fixed widget style so that they look the same on every machine.
#include "framework/ui/UxTheme.h"

#include "framework/ui/DeviceContext.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <mutex>
#include <set>

enum class TThemeClass { Button, ComboBox, Spin, Header, Progress };

struct TThemeHandle {
    TThemeClass Class;
};

namespace {

struct TKnownClass {
    const char* Name;
    TThemeClass Class;
};

constexpr TKnownClass kKnownClasses[] = {
    {"button", TThemeClass::Button}, {"combobox", TThemeClass::ComboBox}, {"spin", TThemeClass::Spin},
    {"header", TThemeClass::Header}, {"progress", TThemeClass::Progress},
};

std::mutex& handleLock() {
    static std::mutex Lock;
    return Lock;
}

std::set<TThemeHandle*>& liveHandles() {
    static std::set<TThemeHandle*> Handles;
    return Handles;
}

TThemeHandle* liveTheme(HTHEME Theme) {
    const std::lock_guard Guard(handleLock());
    return liveHandles().count(Theme) ? Theme : nullptr;
}

QStyle* themeStyle() {
    // One fixed style, kept for the whole run: the desktop's own style would make looks differ
    // between machines.
    static QStyle* Style = [] {
        QStyle* S = QStyleFactory::create(QStringLiteral("Fusion"));
        return S ? S : QApplication::style();
    }();
    return Style;
}

void copyToBuffer(const String& Text, LPWSTR Buffer, int MaxChars) {
    if (!Buffer || MaxChars <= 0) return;
    const int N = std::min<int>(static_cast<int>(Text.size()), MaxChars - 1);
    for (int I = 0; I < N; ++I) Buffer[I] = Text.at(I).unicode();
    Buffer[N] = 0;
}

// The four states shared by buttons, drop-downs and spins: normal, hot, pressed, disabled.
QStyle::State buttonState(int State) {
    QStyle::State S = QStyle::State_Raised;
    if (State != PBS_DISABLED) S |= QStyle::State_Enabled;
    if (State == PBS_HOT) S |= QStyle::State_MouseOver;
    if (State == PBS_PRESSED) S = (S & ~QStyle::State_Raised) | QStyle::State_Sunken;
    return S;
}

bool drawPart(QPainter& P, const QRect& D, TThemeClass Class, int Part, int State) {
    QStyle* Style = themeStyle();
    QStyleOptionButton Opt;
    Opt.rect = D;
    Opt.palette = Style->standardPalette();
    switch (Class) {
        case TThemeClass::Button: {
            if (Part == BP_PUSHBUTTON) {
                if (State < PBS_NORMAL || State > PBS_DEFAULTED) return false;
                Opt.state = buttonState(State);
                if (State == PBS_DEFAULTED) Opt.features |= QStyleOptionButton::DefaultButton;
                Style->drawControl(QStyle::CE_PushButtonBevel, &Opt, &P);
                return true;
            }
            if (Part != BP_RADIOBUTTON && Part != BP_CHECKBOX) return false;
            if (State < 1 || State > 12) return false;
            const int Check = (State - 1) / 4, Look = (State - 1) % 4 + 1;
            Opt.state = buttonState(Look) & ~QStyle::State_Raised;
            Opt.state |= Check == 1 ? QStyle::State_On
                                    : (Check == 2 && Part == BP_CHECKBOX ? QStyle::State_NoChange : QStyle::State_Off);
            Style->drawPrimitive(Part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                                 &Opt, &P);
            return true;
        }
        case TThemeClass::ComboBox:
        case TThemeClass::Spin: {
            QStyle::PrimitiveElement Arrow = QStyle::PE_IndicatorArrowDown;
            if (Class == TThemeClass::ComboBox && Part != CP_DROPDOWNBUTTON) return false;
            if (Class == TThemeClass::Spin) {
                if (Part != SPNP_UP && Part != SPNP_DOWN) return false;
                if (Part == SPNP_UP) Arrow = QStyle::PE_IndicatorArrowUp;
            }
            if (State < 1 || State > 4) return false;
            Opt.state = buttonState(State);
            Style->drawPrimitive(QStyle::PE_PanelButtonCommand, &Opt, &P);
            Style->drawPrimitive(Arrow, &Opt, &P);
            return true;
        }
        case TThemeClass::Header: {
            if (Part != HP_HEADERITEM) return false;
            QStyleOptionHeader Header;
            Header.rect = D;
            Header.palette = Opt.palette;
            Header.state = buttonState(State);
            Style->drawControl(QStyle::CE_HeaderSection, &Header, &P);
            return true;
        }
        case TThemeClass::Progress: {
            if (Part == PP_CHUNK) {
                P.fillRect(D, Opt.palette.highlight());
                return true;
            }
            if (Part != PP_BAR) return false;
            QStyleOptionProgressBar Bar;
            Bar.rect = D;
            Bar.palette = Opt.palette;
            Bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
            Style->drawControl(QStyle::CE_ProgressBarGroove, &Bar, &P);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// The five working entry points

HTHEME openThemeData(HWND Wnd, LPCWSTR ClassList) {
    (void)Wnd;
    if (!ThemeSettings().Active || !ClassList) return nullptr;
    const String List = String::fromUtf16(ClassList);
    for (const String& Name : List.split(u';', Qt::SkipEmptyParts)) {
        for (const TKnownClass& Known : kKnownClasses) {
            if (Name.trimmed().compare(QLatin1String(Known.Name), Qt::CaseInsensitive) != 0) continue;
            auto* Handle = new TThemeHandle{Known.Class};
            const std::lock_guard Guard(handleLock());
            liveHandles().insert(Handle);
            return Handle;
        }
    }
    return nullptr;
}

HRESULT closeThemeData(HTHEME Theme) {
    const std::lock_guard Guard(handleLock());
    if (!liveHandles().erase(Theme)) return E_HANDLE;
    delete Theme;
    return S_OK;
}

HRESULT drawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const TRect* R, const TRect* Clip) {
    const TThemeHandle* T = liveTheme(Theme);
    if (!T) return E_HANDLE;
    if (!DC || !R) return E_INVALIDARG;
    const QRect D = DCToDevice(DC, *R).normalized();
    QPainter* P = DCPainter(DC);
    if (!P) return E_FAIL;
    if (D.isEmpty()) return S_OK;
    P->save();
    if (Clip)
        P->setClipRect(DCToDevice(DC, *Clip).normalized(), P->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const bool Drawn = drawPart(*P, D, T->Class, Part, State);
    P->restore();
    return Drawn ? S_OK : E_INVALIDARG;
}

BOOL isThemeActive() { return ThemeSettings().Active ? 1 : 0; }

HRESULT getCurrentThemeName(LPWSTR FileName, int MaxFileChars, LPWSTR Color, int MaxColorChars, LPWSTR Size,
                            int MaxSizeChars) {
    const TThemeSettings& S = ThemeSettings();
    if (!S.Active) return E_FAIL;
    copyToBuffer(S.FileName, FileName, MaxFileChars);
    copyToBuffer(S.ColorName, Color, MaxColorChars);
    copyToBuffer(S.SizeName, Size, MaxSizeChars);
    return S_OK;
}

template <class F>
TModuleExport entry(const char* Name, F Function) {
    return {Name, reinterpret_cast<FARPROC>(Function)};
}

}  // namespace

TThemeSettings& ThemeSettings() {
    static TThemeSettings Settings;
    return Settings;
}

int OpenThemeHandleCount() {
    const std::lock_guard Guard(handleLock());
    return static_cast<int>(liveHandles().size());
}

TModuleExports UxThemeExports() {
    using T = HTHEME;
    return {
        entry("OpenThemeData", &openThemeData),
        entry("CloseThemeData", &closeThemeData),
        entry("DrawThemeBackground", &drawThemeBackground),
        entry(
            "DrawThemeText", +[](T, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const TRect*) { return E_NOTIMPL; }),
        entry(
            "GetThemeBackgroundContentRect", +[](T, HDC, int, int, const TRect*, TRect*) { return E_NOTIMPL; }),
        entry(
            "GetThemeBackgroundExtent", +[](T, HDC, int, int, const TRect*, TRect*) { return E_NOTIMPL; }),
        entry(
            "GetThemeTextExtent",
            +[](T, HDC, int, int, LPCWSTR, int, DWORD, const TRect*, TRect*) { return E_NOTIMPL; }),
        entry(
            "GetThemeTextMetrics", +[](T, HDC, int, int, TEXTMETRICW*) { return E_NOTIMPL; }),
        entry(
            "GetThemeBackgroundRegion", +[](T, HDC, int, int, const TRect*, HRGN*) { return E_NOTIMPL; }),
        entry(
            "HitTestThemeBackground",
            +[](T, HDC, int, int, DWORD, const TRect*, HRGN, TPoint, Word*) { return E_NOTIMPL; }),
        entry(
            "DrawThemeEdge", +[](T, HDC, int, int, const TRect*, UINT, UINT, TRect*) { return E_NOTIMPL; }),
        entry(
            "DrawThemeIcon", +[](T, HDC, int, int, const TRect*, HIMAGELIST, int) { return E_NOTIMPL; }),
        entry(
            "IsThemePartDefined", +[](T, int, int) -> BOOL { return 0; }),
        entry(
            "IsThemeBackgroundPartiallyTransparent", +[](T, int, int) -> BOOL { return 0; }),
        entry(
            "GetThemeColor", +[](T, int, int, int, COLORREF*) { return E_NOTIMPL; }),
        entry(
            "GetThemeMetric", +[](T, HDC, int, int, int, int*) { return E_NOTIMPL; }),
        entry(
            "GetThemeString", +[](T, int, int, int, LPWSTR, int) { return E_NOTIMPL; }),
        entry(
            "GetThemeBool", +[](T, int, int, int, BOOL*) { return E_NOTIMPL; }),
        entry(
            "GetThemeInt", +[](T, int, int, int, int*) { return E_NOTIMPL; }),
        entry(
            "GetThemeEnumValue", +[](T, int, int, int, int*) { return E_NOTIMPL; }),
        entry(
            "GetThemePosition", +[](T, int, int, int, TPoint*) { return E_NOTIMPL; }),
        entry(
            "GetThemeFont", +[](T, HDC, int, int, int, LOGFONTW*) { return E_NOTIMPL; }),
        entry(
            "GetThemeRect", +[](T, int, int, int, TRect*) { return E_NOTIMPL; }),
        entry(
            "GetThemeMargins", +[](T, HDC, int, int, int, const TRect*, MARGINS*) { return E_NOTIMPL; }),
        entry(
            "GetThemeIntList", +[](T, int, int, int, INTLIST*) { return E_NOTIMPL; }),
        entry(
            "SetWindowTheme", +[](HWND, LPCWSTR, LPCWSTR) { return E_NOTIMPL; }),
        entry(
            "GetThemeFilename", +[](T, int, int, int, LPWSTR, int) { return E_NOTIMPL; }),
        entry(
            "GetThemeSysColor",
            +[](T, int Index) {
                return Index >= 0 && Index < SysColorCount ? static_cast<COLORREF>(GetSysColor(Index)) : 0u;
            }),
        entry(
            "GetThemeSysColorBrush", +[](T, int) -> HBRUSH { return nullptr; }),
        entry(
            "GetThemeSysBool", +[](T, int) -> BOOL { return 0; }),
        entry(
            "GetThemeSysSize", +[](T, int) { return 0; }),
        entry(
            "GetThemeSysFont", +[](T, int, LOGFONTW*) { return E_NOTIMPL; }),
        entry(
            "GetThemeSysString", +[](T, int, LPWSTR, int) { return E_NOTIMPL; }),
        entry(
            "GetThemeSysInt", +[](T, int, int*) { return E_NOTIMPL; }),
        entry("IsThemeActive", &isThemeActive),
        entry("IsAppThemed", &isThemeActive),
        entry(
            "GetWindowTheme", +[](HWND) -> HTHEME { return nullptr; }),
        entry(
            "EnableThemeDialogTexture", +[](HWND, DWORD) { return E_NOTIMPL; }),
        entry(
            "IsThemeDialogTextureEnabled", +[](HWND) -> BOOL { return 0; }),
        entry(
            "GetThemeAppProperties", +[]() -> DWORD { return 0; }),
        entry(
            "SetThemeAppProperties", +[](DWORD) {}),
        entry("GetCurrentThemeName", &getCurrentThemeName),
        entry(
            "GetThemeDocumentationProperty", +[](LPCWSTR, LPCWSTR, LPWSTR, int) { return E_NOTIMPL; }),
        entry(
            "DrawThemeParentBackground", +[](HWND, HDC, TRect*) { return E_NOTIMPL; }),
        entry(
            "EnableTheming", +[](BOOL) { return E_NOTIMPL; }),
        entry(
            "GetThemePartSize", +[](T, HDC, int, int, TRect*, THEMESIZE, TSize*) { return E_NOTIMPL; }),
    };
}
