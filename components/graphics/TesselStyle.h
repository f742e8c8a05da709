// Named looks and colour tones that a styler hands to controls, the styler interfaces the controls
// implement, Office and Windows colour-scheme detection, and the shared theme notifier that tells
// registered windows when the Office theme changes.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/List.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

#include <atomic>
#include <map>

// Ordinals matter: styles are stored and handed around by number.
enum TTesselStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black,
    tsWindows8,
    tsOffice2013White,
    tsOffice2013LightGray,
    tsOffice2013Gray,
    tsWindows10,
    tsOffice2016White,
    tsOffice2016Gray,
    tsOffice2016Black
};
static_assert(tsOffice2016Black == 23);

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    ot2013White,
    ot2013Silver,
    ot2013Gray,
    ot2016White,
    ot2016Gray,
    ot2016Black,
    otUnknown
};
static_assert(otUnknown == 16);

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

inline constexpr const char* IID_ITesselStyle = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
inline constexpr const char* IID_ITesselStyleEx = "{037BA87F-7CBD-4FDD-854E-2B3F0BCC06AE}";
inline constexpr const char* IID_ITesselTones = "{1F492643-6699-4F25-8B34-3233FA735036}";

// A control that can take one of the named looks.
class ITesselStyle : public IInterface {
public:
    virtual void SetComponentStyle(TTesselStyle AStyle) = 0;

protected:
    ~ITesselStyle() = default;
};

// A look plus the application's colour; SetComponentStyle is the same method as ITesselStyle's.
class ITesselStyleEx : public ITesselStyle {
public:
    void SetComponentStyle(TTesselStyle AStyle) override = 0;
    virtual void SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) = 0;

protected:
    ~ITesselStyleEx() = default;
};

// A control that takes a set of Office colour tones.
class ITesselTones : public IInterface {
public:
    virtual void SetColorTones(const TColorTones& ATones) = 0;

protected:
    ~ITesselTones() = default;
};

// Windows version tests, answered from the platform facts.
bool IsVistaOrLater();
bool IsWinXPOrLater();
bool IsComCtl6OrLater();

// 0 none (or only 11.0), 1 for 12.0, 2 for 14.0, 3 for 15.0, 4 for 16.0: the highest installed
// Office version for the current user.
int DetectOfficeVersion();
// 0 no visual style (or classic), 1 "NormalColor" (blue), 2 "HomeStead" (olive), 3 "Metallic" (silver).
int DetectWindowsXPTheme();
// The Office colour theme of the newest installed Office, else the one matching the visual style.
TOfficeTheme DetectOfficeTheme();

// Each RGB channel scaled by (100 - Percent) / 100, rounded half to even; system colours resolved.
TColor DarkerColor(TColor Color, int Percent);
// "Segoe UI" from Vista on, else "Tahoma".
String DefaultUIFontName();
// All 15 colours clNone.
void ClearColorTones(TColorTones& Tones);

// ---------------------------------------------------------------------------------------------
// Theme notifier: a background thread watches the Office "Common" key of the installed version
// and sends WM_OFFICETHEMECHANGE to the notifier's window and to every registered window.

// WParam: the watched root key (HKEY); LParam: the key path as a zero-terminated UTF-16 text.
inline constexpr UINT WM_OFFICETHEMECHANGE = 2993;

// A list of pointer-sized values (window handles).
class THandleList : public TList {
public:
    int Add(NativeInt Value);
    void Insert(int Index, NativeInt Value);
    void Delete(int Index);
    // Removes the first equal entry, if any.
    void DeleteValue(NativeInt Value);
    bool HasValue(NativeInt Value) const;
    NativeInt GetInteger(int Index) const;
    void SetInteger(int Index, NativeInt Value);
};

class TRegMonitorThread : public TThread {
public:
    // Created suspended; Start it once the properties are set.
    TRegMonitorThread();
    ~TRegMonitorThread() override;

    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY Value) { FRootKey = Value; }
    bool WatchSub() const { return FWatchSub; }
    void SetWatchSub(bool Value) { FWatchSub = Value; }
    HWND Wnd() const { return FWnd; }
    void SetWnd(HWND Value) { FWnd = Value; }
    // A filter of 0 reads as 15: every kind of change.
    int GetFilter();
    void SetFilter(int Value) { FFilter = Value; }
    // Change it only through AddWindow/RemoveWindow while the thread runs; they hold the lock
    // that the thread takes to copy the list before it sends.
    THandleList* WinList() const { return FWinList.get(); }

    // Adds the handle unless listed (remembering which control it is, so that a control freed
    // without unregistering is never sent to, even when a new one gets its handle value).
    void AddWindow(HWND Wnd);
    void RemoveWindow(HWND Wnd);
    // Ends the thread: terminates it and wakes its wait at once (Terminate does the same).
    void Stop();
    // True once the first notification is armed: changes from then on are told.
    bool Watching() const { return FWatching; }
    // Monitor threads not yet freed, for tests that wait for a self-freeing one to go.
    static int InstanceCount();

protected:
    void Execute() override;
    void TerminatedSet() override;

private:
    std::unique_ptr<TRegistry> FReg;
    std::unique_ptr<TEvent> FEvent;
    String FKey;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = false;
    int FFilter = 0;
    HWND FWnd = nullptr;
    std::unique_ptr<THandleList> FWinList;
    TEvent FStopEvent{true, false};
    TCriticalSection FListLock;
    std::map<HWND, TWeak<TWinControl>> FWinControls;
    HKEY FNotifyKey = nullptr;
    std::atomic<bool> FWatching{false};

    void armNotification();
    void sendChange();
};

class TThemeNotifierWindow : public TWinControl {
public:
    explicit TThemeNotifierWindow(TComponent* AOwner);

    TNotifyEvent OnOfficeThemeChange;

protected:
    void WndProc(TMessage& Message) override;
};

// A zero-size hidden window whose only job is to hear that the visual style changed; a styler
// owns one and adapts its look when it fires.
class TNotifierWindow : public TWinControl {
public:
    explicit TNotifierWindow(TComponent* AOwner);

    // A hidden notifier owned by AOwner and parented to the first windowed control on AOwner's
    // owner chain; without one it has no window and hears nothing.
    static TNotifierWindow* CreateHidden(TComponent* AOwner, TNotifyEvent OnThemeChange);

    // Fired on WM_THEMECHANGED, before the message takes its ordinary course.
    TNotifyEvent OnThemeChange;

protected:
    void WndProc(TMessage& Message) override;
};

class TThemeNotifier : public TComponent {
public:
    // AOwner must be a windowed control (EInvalidCast otherwise) when Office is installed.
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;
    void BeforeDestruction() override;

    TNotifyEvent OnOfficeThemeChange;

    // Nothing happens while not monitoring.
    void RegisterWindow(HWND Hwnd);
    void UnRegisterWindow(HWND Hwnd);

    // nullptr when not monitoring, or once the thread has ended (it frees itself).
    TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread; }
    TThemeNotifierWindow* Notifier() const { return FNotifier; }

private:
    TRegMonitorThread* FRegMonitorThread = nullptr;
    TThemeNotifierWindow* FNotifier = nullptr;
    // Lets the thread's last act (on the window thread) find the notifier, or learn it is gone.
    std::shared_ptr<TThemeNotifier*> FLink;

    void stopMonitoring();
};

// The process-wide notifier, created on the first call: owned by the application's main form when
// it has a window, else by AOwner. Freeing it clears the shared reference.
TThemeNotifier* SharedThemeNotifier(TComponent* AOwner);
