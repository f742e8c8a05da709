// Scroll bars as the platform keeps them: the parts of a bar (arrows, track, thumb) laid out for a
// range, a page and a position, and painted in the regular, flat or encarta look; the scroll
// bars a window owns beside its client area (GetScrollInfo, SetScrollInfo, ShowScrollBar,
// EnableScrollBar) and those of a scroll-bar control (SB_CTL); and the common controls' flat
// scroll-bar calls, found by name in the framework's "comctl32.dll" module, which the
// framework loads at start-up as the platform does.
#pragma once

#include "framework/rtl/ResultCodes.h"
#include "framework/ui/Controls.h"

using INT_PTR = std::intptr_t;

// Which bar: a window's horizontal or vertical bar, both, or the scroll-bar control itself.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

// EnableScrollBar: the arrows turned off.
inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_LTUP = 1;
inline constexpr UINT ESB_DISABLE_RTDN = 2;
inline constexpr UINT ESB_DISABLE_BOTH = 3;

// SCROLLINFO masks.
inline constexpr UINT SIF_RANGE = 0x01;
inline constexpr UINT SIF_PAGE = 0x02;
inline constexpr UINT SIF_POS = 0x04;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x08;
inline constexpr UINT SIF_TRACKPOS = 0x10;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

// The flat looks and the flat bars' properties.
inline constexpr int FSB_REGULAR_MODE = 0;
inline constexpr int FSB_ENCARTA_MODE = 1;
inline constexpr int FSB_FLAT_MODE = 2;
inline constexpr UINT WSB_PROP_CYVSCROLL = 0x01;
inline constexpr UINT WSB_PROP_CXHSCROLL = 0x02;
inline constexpr UINT WSB_PROP_CYHSCROLL = 0x04;
inline constexpr UINT WSB_PROP_CXVSCROLL = 0x08;
inline constexpr UINT WSB_PROP_CXHTHUMB = 0x10;
inline constexpr UINT WSB_PROP_CYVTHUMB = 0x20;
inline constexpr UINT WSB_PROP_VBKGCOLOR = 0x40;
inline constexpr UINT WSB_PROP_HBKGCOLOR = 0x80;
inline constexpr UINT WSB_PROP_VSTYLE = 0x100;
inline constexpr UINT WSB_PROP_HSTYLE = 0x200;

// ---------------------------------------------------------------------------------------------
// Layout and look of one bar

enum TScrollBarPart { sbpNone, sbpFirstArrow, sbpSecondArrow, sbpPageBefore, sbpPageAfter, sbpThumb };

struct TScrollBarLook {
    int Style = FSB_REGULAR_MODE;
    TColor Color = clScrollBar;  // the track
};

// Where the parts of a bar lie in Bounds. Positions run Min .. LastPos(); with a page the thumb's
// length is its share of the range (8 pixels at least), without one it is square.
class TScrollBarLayout {
public:
    TScrollBarLayout(const TRect& Bounds, bool Vertical, int Min, int Max, int Page, int Pos);

    bool Vertical() const { return FVertical; }
    // The last position the thumb reaches: Max - Page + 1, or Max without a page.
    int LastPos() const { return FLastPos; }
    bool Scrollable() const { return FLastPos > FMin; }
    // Empty for the thumb when the bar cannot scroll or has no room for it.
    TRect Part(TScrollBarPart Which) const;
    TScrollBarPart PartAt(const TPoint& P) const;
    // The coordinate along the bar.
    int Along(const TPoint& P) const { return FVertical ? P.Y : P.X; }
    // The position whose thumb starts at ThumbStart (along the bar).
    int PosAt(int ThumbStart) const;

private:
    TRect FBounds;
    bool FVertical;
    int FMin;
    int FLastPos;
    int FArrow = 0;
    int FThumbStart = 0;
    int FThumbLength = 0;
    int FTrackStart = 0;
    int FTrackEnd = 0;
};

// Arrows, track and thumb in the look; Pressed is drawn pushed; a disabled bar shows grey arrows
// and no thumb.
void PaintScrollBar(TCanvas* Canvas, const TScrollBarLayout& Layout, const TScrollBarLook& Look, TScrollBarPart Pressed,
                    bool Enabled);

// ---------------------------------------------------------------------------------------------
// A window's own bars

// What the platform keeps for one bar of a window.
struct TWindowScrollBar {
    int Min = 0;
    int Max = 100;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    UINT DisabledArrows = ESB_ENABLE_BOTH;
    // The flat bars' properties; Width 0 is the system's bar width.
    TScrollBarLook Look;
    int Width = 0;
};

// A window with scroll bars of its own answers the calls below through this interface.
class IWindowScrollBars : public IInterface {
public:
    // nullptr when the window has no such bar (SB_HORZ or SB_VERT).
    virtual TWindowScrollBar* WindowScrollBar(int Bar) = 0;
    virtual bool WindowScrollBarVisible(int Bar) const = 0;
    virtual void ShowWindowScrollBar(int Bar, bool Show) = 0;
    // Called after a bar's values or looks changed.
    virtual void WindowScrollBarChanged(int Bar, bool Redraw) = 0;
    bool FlatScrollBars() const { return FFlatScrollBars; }
    void SetFlatScrollBars(bool Value) { FFlatScrollBars = Value; }

protected:
    ~IWindowScrollBars() = default;

private:
    bool FFlatScrollBars = false;
};

// FALSE for a window without such a bar. SB_CTL names a TScrollBar control.
BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
// The new position; positions are kept within Min .. Max - Page + 1.
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw);
int GetScrollPos(HWND Wnd, int Bar);
int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
// Disabling both arrows disables the bar.
BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows);

// The flat scroll-bar calls of "comctl32.dll" (also exported there by name).
BOOL InitializeFlatSB(HWND Wnd);
HRESULT UninitializeFlatSB(HWND Wnd);
int FlatSB_SetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info, BOOL Redraw);
BOOL FlatSB_GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
BOOL FlatSB_SetScrollProp(HWND Wnd, UINT Index, INT_PTR Value, BOOL Redraw);
BOOL FlatSB_GetScrollProp(HWND Wnd, UINT Index, INT_PTR* Value);
BOOL FlatSB_ShowScrollBar(HWND Wnd, int Bar, BOOL Show);

// The module "comctl32.dll": loaded once and kept loaded, as the program's start-up does.
HMODULE ImportComCtl32();
