// Window messages: the message record and its typed views, the WM_, CM_, CN_ and VK_ numbers,
// sending and posting to a window, registered messages, window-procedure hooks, timers by id,
// mouse capture and the key state.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/WinTypes.h"

#include <functional>

class TControl;
class TWinControl;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// ---------------------------------------------------------------------------------------------
// Packing helpers

inline constexpr Word LOWORD(std::uintptr_t V) { return static_cast<Word>(V & 0xFFFF); }
inline constexpr Word HIWORD(std::uintptr_t V) { return static_cast<Word>((V >> 16) & 0xFFFF); }
inline constexpr Byte LOBYTE(std::uintptr_t V) { return static_cast<Byte>(V & 0xFF); }
inline constexpr Byte HIBYTE(std::uintptr_t V) { return static_cast<Byte>((V >> 8) & 0xFF); }
inline constexpr DWORD MAKELONG(Word Low, Word High) { return DWORD(Low) | (DWORD(High) << 16); }
inline constexpr WPARAM MAKEWPARAM(Word Low, Word High) { return MAKELONG(Low, High); }
inline constexpr LPARAM MAKELPARAM(Word Low, Word High) { return static_cast<LPARAM>(MAKELONG(Low, High)); }
inline constexpr LRESULT MAKELRESULT(Word Low, Word High) { return static_cast<LRESULT>(MAKELONG(Low, High)); }
// Signed 16-bit coordinates of a mouse message's LParam.
inline constexpr int GET_X_LPARAM(LPARAM L) {
    return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(L)));
}
inline constexpr int GET_Y_LPARAM(LPARAM L) {
    return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(L)));
}
inline constexpr LPARAM PointToLParam(int X, int Y) {
    return MAKELPARAM(static_cast<Word>(static_cast<std::int16_t>(X)), static_cast<Word>(static_cast<std::int16_t>(Y)));
}
inline constexpr TPoint LParamToPoint(LPARAM L) { return {GET_X_LPARAM(L), GET_Y_LPARAM(L)}; }
inline constexpr std::int16_t GET_WHEEL_DELTA_WPARAM(WPARAM W) { return static_cast<std::int16_t>(HIWORD(W)); }
inline constexpr Word GET_KEYSTATE_WPARAM(WPARAM W) { return LOWORD(W); }
// One notch of the wheel.
inline constexpr int WHEEL_DELTA = 120;

// ---------------------------------------------------------------------------------------------
// Typed views: each reads and writes the record it was made on, as the platform's overlaid
// records do. Fields that a handler may change (Result, CharCode) are references into it.

struct TWMNoParams {
    explicit TWMNoParams(TMessage& M) : Msg(M.Msg), Result(M.Result) {}
    UINT& Msg;
    LRESULT& Result;
};

struct TWMMouse {
    explicit TWMMouse(TMessage& M)
        : Msg(M.Msg), Keys(M.WParam), XPos(GET_X_LPARAM(M.LParam)), YPos(GET_Y_LPARAM(M.LParam)), Result(M.Result) {}
    UINT& Msg;
    WPARAM& Keys;  // MK_ flags
    int XPos;
    int YPos;
    LRESULT& Result;
    TPoint Pos() const { return {XPos, YPos}; }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;

// WM_MOUSEWHEEL: keys in the low word of WParam, the signed delta in its high word, the
// position in screen coordinates in LParam.
struct TWMMouseWheel {
    explicit TWMMouseWheel(TMessage& M)
        : Msg(M.Msg),
          Keys(GET_KEYSTATE_WPARAM(M.WParam)),
          WheelDelta(GET_WHEEL_DELTA_WPARAM(M.WParam)),
          XPos(GET_X_LPARAM(M.LParam)),
          YPos(GET_Y_LPARAM(M.LParam)),
          Result(M.Result) {}
    UINT& Msg;
    Word Keys;
    int WheelDelta;
    int XPos;
    int YPos;
    LRESULT& Result;
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR and their system forms. CharCode 0 after a handler swallows
// the key for every later stage.
struct TWMKey {
    explicit TWMKey(TMessage& M) : Msg(M.Msg), CharCode(M.WParam), KeyData(M.LParam), Result(M.Result) {}
    UINT& Msg;
    WPARAM& CharCode;
    LPARAM& KeyData;
    LRESULT& Result;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

struct TWMSize {
    explicit TWMSize(TMessage& M)
        : Msg(M.Msg), SizeType(M.WParam), Width(LOWORD(M.LParam)), Height(HIWORD(M.LParam)), Result(M.Result) {}
    UINT& Msg;
    WPARAM SizeType;  // SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED
    int Width;
    int Height;
    LRESULT& Result;
};

// WM_PAINT and WM_ERASEBKGND carry the drawing surface in WParam.
struct TWMPaint {
    explicit TWMPaint(TMessage& M) : Msg(M.Msg), DC(reinterpret_cast<HDC>(M.WParam)), Result(M.Result) {}
    UINT& Msg;
    HDC DC;
    LRESULT& Result;
};
using TWMEraseBkgnd = TWMPaint;

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED: LParam points to the window's new place. A handler of
// WM_WINDOWPOSCHANGING may change x, y, cx and cy before they are applied.
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};
using PWindowPos = WINDOWPOS*;
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;

struct TWMTimer {
    explicit TWMTimer(TMessage& M) : Msg(M.Msg), TimerID(M.WParam), Result(M.Result) {}
    UINT& Msg;
    WPARAM TimerID;
    LRESULT& Result;
};

// WM_SETFOCUS names the window losing focus, WM_KILLFOCUS the one receiving it (either may be null).
struct TWMSetFocus {
    explicit TWMSetFocus(TMessage& M) : Msg(M.Msg), FocusedWnd(reinterpret_cast<HWND>(M.WParam)), Result(M.Result) {}
    UINT& Msg;
    HWND FocusedWnd;
    LRESULT& Result;
};
using TWMKillFocus = TWMSetFocus;

// CM_MOUSEENTER / CM_MOUSELEAVE: LParam 0 for the control itself, else the child the pointer
// crossed (a parent is told about its children).
struct TCMMouseEnter {
    explicit TCMMouseEnter(TMessage& M)
        : Msg(M.Msg), Control(reinterpret_cast<TControl*>(M.LParam)), Result(M.Result) {}
    UINT& Msg;
    TControl* Control;
    LRESULT& Result;
};
using TCMMouseLeave = TCMMouseEnter;

// ---------------------------------------------------------------------------------------------
// Window messages, with the platform's numbers

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETREDRAW = 0x000B;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUERYENDSESSION = 0x0011;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_WININICHANGE = 0x001A;
inline constexpr UINT WM_FONTCHANGE = 0x001D;
inline constexpr UINT WM_TIMECHANGE = 0x001E;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_STYLECHANGING = 0x007C;
inline constexpr UINT WM_STYLECHANGED = 0x007D;
inline constexpr UINT WM_GETICON = 0x007F;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_NCCREATE = 0x0081;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCCALCSIZE = 0x0083;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
// To a form: moves the focus. LOWORD(LParam) 0: to the next tab stop after the focused control
// (WParam 0) or the previous one (WParam non-zero); else to the window WParam names.
inline constexpr UINT WM_NEXTDLGCTL = 0x0028;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr UINT WM_KEYFIRST = 0x0100;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_DEADCHAR = 0x0103;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_SYSDEADCHAR = 0x0107;
inline constexpr UINT WM_KEYLAST = 0x0108;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_INITMENU = 0x0116;
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_MENUSELECT = 0x011F;
inline constexpr UINT WM_MENUCHAR = 0x0120;
inline constexpr UINT WM_ENTERIDLE = 0x0121;
inline constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORDLG = 0x0136;
inline constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEFIRST = 0x0200;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSEHWHEEL = 0x020E;
inline constexpr UINT WM_MOUSELAST = 0x020E;
inline constexpr UINT WM_PARENTNOTIFY = 0x0210;
inline constexpr UINT WM_ENTERMENULOOP = 0x0211;
inline constexpr UINT WM_EXITMENULOOP = 0x0212;
inline constexpr UINT WM_SIZING = 0x0214;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_MOVING = 0x0216;
inline constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
inline constexpr UINT WM_EXITSIZEMOVE = 0x0232;
inline constexpr UINT WM_DROPFILES = 0x0233;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
inline constexpr UINT WM_PRINT = 0x0317;
inline constexpr UINT WM_PRINTCLIENT = 0x0318;
inline constexpr UINT WM_THEMECHANGED = 0x031A;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// Key and button flags in a mouse message's WParam.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// WM_SIZE kinds.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_NCHITTEST answers: where a point lies on a window.
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;

// WM_SIZING: the edge being dragged (WParam); LParam points to the proposed TRect (screen).
// WM_MOVING: LParam points to the proposed TRect (screen).
inline constexpr WPARAM WMSZ_LEFT = 1;
inline constexpr WPARAM WMSZ_RIGHT = 2;
inline constexpr WPARAM WMSZ_TOP = 3;
inline constexpr WPARAM WMSZ_TOPLEFT = 4;
inline constexpr WPARAM WMSZ_TOPRIGHT = 5;
inline constexpr WPARAM WMSZ_BOTTOM = 6;
inline constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
inline constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// WM_ACTIVATE states.
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_GETDLGCODE answers: the keys a control keeps from dialog navigation.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// Key data bits of a key message's LParam.
inline constexpr LPARAM KF_EXTENDED = 0x0100;
inline constexpr LPARAM KF_ALTDOWN = 0x2000;
inline constexpr LPARAM KF_REPEAT = 0x4000;
inline constexpr LPARAM KF_UP = 0x8000;
inline constexpr LPARAM AltMask = 0x20000000;  // KF_ALTDOWN in the high word

// ---------------------------------------------------------------------------------------------
// The framework's control messages, in the platform's order from CM_BASE

inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
inline constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
inline constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_WININICHANGE = CM_BASE + 37;
inline constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
inline constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
inline constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr UINT CM_GETDATALINK = CM_BASE + 45;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr UINT CM_DRAG = CM_BASE + 47;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
inline constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr UINT CM_CHANGED = CM_BASE + 55;
inline constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
inline constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
inline constexpr UINT CM_FLOAT = CM_BASE + 58;
inline constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
inline constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
inline constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
inline constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
inline constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
inline constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
inline constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
inline constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
inline constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
inline constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
inline constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
inline constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;
inline constexpr UINT CM_CONTROLLISTCHANGING = CM_BASE + 76;
inline constexpr UINT CM_BUFFEREDPRINTCLIENT = CM_BASE + 77;
inline constexpr UINT CM_UNTHEMECONTROL = CM_BASE + 78;
inline constexpr UINT CM_DOUBLEBUFFEREDCHANGED = CM_BASE + 79;
inline constexpr UINT CM_PARENTDOUBLEBUFFEREDCHANGED = CM_BASE + 80;

// Notifications reflected back to the control that caused them.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---------------------------------------------------------------------------------------------
// Virtual keys ('0'..'9' and 'A'..'Z' are their characters)

inline constexpr Word VK_LBUTTON = 0x01;
inline constexpr Word VK_RBUTTON = 0x02;
inline constexpr Word VK_CANCEL = 0x03;
inline constexpr Word VK_MBUTTON = 0x04;
inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_CLEAR = 0x0C;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_PAUSE = 0x13;
inline constexpr Word VK_CAPITAL = 0x14;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_SELECT = 0x29;
inline constexpr Word VK_PRINT = 0x2A;
inline constexpr Word VK_EXECUTE = 0x2B;
inline constexpr Word VK_SNAPSHOT = 0x2C;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_HELP = 0x2F;
inline constexpr Word VK_LWIN = 0x5B;
inline constexpr Word VK_RWIN = 0x5C;
inline constexpr Word VK_APPS = 0x5D;
inline constexpr Word VK_NUMPAD0 = 0x60;
inline constexpr Word VK_NUMPAD1 = 0x61;
inline constexpr Word VK_NUMPAD2 = 0x62;
inline constexpr Word VK_NUMPAD3 = 0x63;
inline constexpr Word VK_NUMPAD4 = 0x64;
inline constexpr Word VK_NUMPAD5 = 0x65;
inline constexpr Word VK_NUMPAD6 = 0x66;
inline constexpr Word VK_NUMPAD7 = 0x67;
inline constexpr Word VK_NUMPAD8 = 0x68;
inline constexpr Word VK_NUMPAD9 = 0x69;
inline constexpr Word VK_MULTIPLY = 0x6A;
inline constexpr Word VK_ADD = 0x6B;
inline constexpr Word VK_SEPARATOR = 0x6C;
inline constexpr Word VK_SUBTRACT = 0x6D;
inline constexpr Word VK_DECIMAL = 0x6E;
inline constexpr Word VK_DIVIDE = 0x6F;
inline constexpr Word VK_F1 = 0x70;
inline constexpr Word VK_F2 = 0x71;
inline constexpr Word VK_F3 = 0x72;
inline constexpr Word VK_F4 = 0x73;
inline constexpr Word VK_F5 = 0x74;
inline constexpr Word VK_F6 = 0x75;
inline constexpr Word VK_F7 = 0x76;
inline constexpr Word VK_F8 = 0x77;
inline constexpr Word VK_F9 = 0x78;
inline constexpr Word VK_F10 = 0x79;
inline constexpr Word VK_F11 = 0x7A;
inline constexpr Word VK_F12 = 0x7B;
inline constexpr Word VK_F13 = 0x7C;
inline constexpr Word VK_F14 = 0x7D;
inline constexpr Word VK_F15 = 0x7E;
inline constexpr Word VK_F16 = 0x7F;
inline constexpr Word VK_F17 = 0x80;
inline constexpr Word VK_F18 = 0x81;
inline constexpr Word VK_F19 = 0x82;
inline constexpr Word VK_F20 = 0x83;
inline constexpr Word VK_F21 = 0x84;
inline constexpr Word VK_F22 = 0x85;
inline constexpr Word VK_F23 = 0x86;
inline constexpr Word VK_F24 = 0x87;
inline constexpr Word VK_NUMLOCK = 0x90;
inline constexpr Word VK_SCROLL = 0x91;
inline constexpr Word VK_LSHIFT = 0xA0;
inline constexpr Word VK_RSHIFT = 0xA1;
inline constexpr Word VK_LCONTROL = 0xA2;
inline constexpr Word VK_RCONTROL = 0xA3;
inline constexpr Word VK_LMENU = 0xA4;
inline constexpr Word VK_RMENU = 0xA5;
inline constexpr Word VK_OEM_1 = 0xBA;
inline constexpr Word VK_OEM_PLUS = 0xBB;
inline constexpr Word VK_OEM_COMMA = 0xBC;
inline constexpr Word VK_OEM_MINUS = 0xBD;
inline constexpr Word VK_OEM_PERIOD = 0xBE;
inline constexpr Word VK_OEM_2 = 0xBF;
inline constexpr Word VK_OEM_3 = 0xC0;
inline constexpr Word VK_OEM_4 = 0xDB;
inline constexpr Word VK_OEM_5 = 0xDC;
inline constexpr Word VK_OEM_6 = 0xDD;
inline constexpr Word VK_OEM_7 = 0xDE;

// ---------------------------------------------------------------------------------------------
// Sending and posting

// The windowed control behind Wnd; nullptr for a null or destroyed handle.
TWinControl* FindControl(HWND Wnd);

// Delivers the message through the window's WindowProc (hooks first) and returns its Result;
// 0 for a null or destroyed handle. From a worker thread it runs on the window thread while
// the worker waits.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message for the window thread; it is delivered after the current handler, when
// events are next processed, unless the window is gone by then. Callable from any thread.
// FALSE for a null handle.
BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// A stable id from 0xC000 per name, ignoring case; raises EArgumentException for an empty name.
UINT RegisterWindowMessage(const String& Name);

// A hook sees every message sent to any control (Perform, SendMessage, Qt input) before the
// control's WindowProc; returning true consumes it. Hooks run in the order they were added.
using TWindowProcHook = std::function<bool(TControl* Control, TMessage& Message)>;
int AddWindowProcHook(TWindowProcHook Hook);
void RemoveWindowProcHook(int HookId);

// Timers by id per window: WM_TIMER with WParam = id every Elapse ms through the framework's
// clock. Setting an existing id restarts it. SetTimer returns the id, 0 for a null handle.
using UINT_PTR = std::uintptr_t;
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse);
BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent);

// Mouse capture: mouse messages go to the capturing window, wherever the pointer is.
HWND SetCapture(HWND Wnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Key state: negative (high bit set) while the key is down, low bit toggled (Caps Lock...).
// Reads the modifiers and mouse buttons Qt reports unless a test installed its own source.
using TKeyStateSource = std::function<short(int VirtKey)>;
short GetKeyState(int VirtKey);
short GetAsyncKeyState(int VirtKey);
// Installs Source (nullptr: the default) and returns the one it replaces.
TKeyStateSource SetKeyStateSource(TKeyStateSource Source);
