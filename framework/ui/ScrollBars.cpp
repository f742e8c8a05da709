// Scroll bars: the layout and looks of a bar, a window's own bars, scroll-bar controls reached
// by SB_CTL, and the flat scroll-bar calls of the framework's "comctl32.dll".
#include "framework/ui/ScrollBars.h"

#include "framework/ui/FrameControls.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

#include <algorithm>

namespace {

constexpr int kMinThumbLength = 8;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layout

TScrollBarLayout::TScrollBarLayout(const TRect& Bounds, bool Vertical, int Min, int Max, int Page, int Pos)
    : FBounds(Bounds), FVertical(Vertical), FMin(Min) {
    const int Length = Vertical ? Bounds.Height() : Bounds.Width();
    const int Thick = Vertical ? Bounds.Width() : Bounds.Height();
    FArrow = std::max(0, std::min(Thick, Length / 2));
    FTrackStart = FArrow;
    FTrackEnd = Length - FArrow;
    const long long Range = static_cast<long long>(Max) - Min + 1;
    FLastPos = Page > 0 ? static_cast<int>(std::max<long long>(Min, Max - std::min<long long>(Page, Range) + 1)) : Max;
    const int TrackLength = std::max(0, FTrackEnd - FTrackStart);
    int ThumbLength = Thick;
    if (Page > 0 && Range > 0)
        ThumbLength =
            std::max<int>(kMinThumbLength, static_cast<int>(TrackLength * std::min<long long>(Page, Range) / Range));
    if (!Scrollable() || ThumbLength >= TrackLength) {
        FThumbLength = 0;
        FThumbStart = FTrackStart;
        return;
    }
    FThumbLength = ThumbLength;
    const long long Offset = std::clamp(Pos, Min, FLastPos) - static_cast<long long>(Min);
    FThumbStart = FTrackStart + static_cast<int>(Offset * (TrackLength - ThumbLength) / (FLastPos - Min));
}

TRect TScrollBarLayout::Part(TScrollBarPart Which) const {
    int From = 0, To = 0;
    switch (Which) {
        case sbpFirstArrow:
            From = 0, To = FArrow;
            break;
        case sbpSecondArrow:
            From = FTrackEnd, To = FTrackEnd + FArrow;
            break;
        case sbpPageBefore:
            From = FTrackStart, To = FThumbLength ? FThumbStart : FTrackStart;
            break;
        case sbpPageAfter:
            From = FThumbLength ? FThumbStart + FThumbLength : FTrackEnd, To = FTrackEnd;
            break;
        case sbpThumb:
            if (!FThumbLength) return TRect{};
            From = FThumbStart, To = FThumbStart + FThumbLength;
            break;
        default:
            return TRect{};
    }
    if (To <= From) return TRect{};
    return FVertical ? Rect(FBounds.Left, FBounds.Top + From, FBounds.Right, FBounds.Top + To)
                     : Rect(FBounds.Left + From, FBounds.Top, FBounds.Left + To, FBounds.Bottom);
}

TScrollBarPart TScrollBarLayout::PartAt(const TPoint& P) const {
    for (TScrollBarPart Which : {sbpFirstArrow, sbpSecondArrow, sbpThumb, sbpPageBefore, sbpPageAfter})
        if (Part(Which).Contains(P)) return Which;
    return sbpNone;
}

int TScrollBarLayout::PosAt(int ThumbStart) const {
    const int Room = FTrackEnd - FTrackStart - FThumbLength;
    if (Room <= 0 || !FThumbLength) return FMin;
    const int Origin = (FVertical ? FBounds.Top : FBounds.Left) + FTrackStart;
    const long long Offset = std::clamp(ThumbStart - Origin, 0, Room);
    return FMin + static_cast<int>((Offset * (FLastPos - FMin) + Room / 2) / Room);
}

// ---------------------------------------------------------------------------------------------
// Painting

namespace {

void paintArrow(HDC DC, TRect R, bool Vertical, bool Second, const TScrollBarLook& Look, bool Pressed, bool Enabled) {
    if (R.IsEmpty()) return;
    UINT State = Vertical ? (Second ? DFCS_SCROLLDOWN : DFCS_SCROLLUP) : (Second ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    if (Pressed) State |= DFCS_PUSHED | DFCS_FLAT;
    if (!Enabled) State |= DFCS_INACTIVE;
    if (Look.Style != FSB_REGULAR_MODE) State |= DFCS_FLAT;
    DrawFrameControl(DC, &R, DFC_SCROLL, State);
    // The flat look frames its arrows with one line; encarta's arrows stay without a frame.
    if (Look.Style == FSB_FLAT_MODE) DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
}

void paintThumb(TCanvas* Canvas, TRect R, const TScrollBarLook& Look) {
    if (R.IsEmpty()) return;
    if (Look.Style == FSB_REGULAR_MODE) {
        DrawEdge(Canvas->Handle(), &R, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        return;
    }
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(R);
    Canvas->Brush()->SetColor(Look.Style == FSB_FLAT_MODE ? clBtnShadow : clBtnHighlight);
    Canvas->FrameRect(R);
}

}  // namespace

void PaintScrollBar(TCanvas* Canvas, const TScrollBarLayout& Layout, const TScrollBarLook& Look, TScrollBarPart Pressed,
                    bool Enabled) {
    HDC DC = Canvas->Handle();
    const bool Active = Enabled && Layout.Scrollable();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Look.Color == clNone ? clScrollBar : Look.Color);
    const TRect Before = Layout.Part(sbpPageBefore);
    const TRect After = Layout.Part(sbpPageAfter);
    if (!Before.IsEmpty()) Canvas->FillRect(Before);
    if (!After.IsEmpty()) Canvas->FillRect(After);
    if (Layout.Part(sbpThumb).IsEmpty() || !Active) {
        // No thumb: the whole track shows.
        const TRect First = Layout.Part(sbpFirstArrow);
        const TRect Second = Layout.Part(sbpSecondArrow);
        const TRect Track = Layout.Vertical() ? Rect(First.Left, First.Bottom, First.Right, Second.Top)
                                              : Rect(First.Right, First.Top, Second.Left, First.Bottom);
        if (!Track.IsEmpty()) Canvas->FillRect(Track);
    }
    paintArrow(DC, Layout.Part(sbpFirstArrow), Layout.Vertical(), false, Look, Pressed == sbpFirstArrow, Active);
    paintArrow(DC, Layout.Part(sbpSecondArrow), Layout.Vertical(), true, Look, Pressed == sbpSecondArrow, Active);
    if (Active) paintThumb(Canvas, Layout.Part(sbpThumb), Look);
}

// ---------------------------------------------------------------------------------------------
// The calls

namespace {

IWindowScrollBars* windowBarsOf(HWND Wnd) { return dynamic_cast<IWindowScrollBars*>(FindControl(Wnd)); }

TScrollBar* barControlOf(HWND Wnd) { return dynamic_cast<TScrollBar*>(FindControl(Wnd)); }

int clampedPos(const TWindowScrollBar& B, int Pos) {
    const int Last = B.Page > 0 ? std::max(B.Min, B.Max - B.Page + 1) : B.Max;
    return std::clamp(Pos, B.Min, std::max(B.Min, Last));
}

}  // namespace

BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) {
    if (!Info) return 0;
    if (Bar == SB_CTL) {
        TScrollBar* C = barControlOf(Wnd);
        if (!C) return 0;
        if (Info->fMask & SIF_RANGE) Info->nMin = C->Min(), Info->nMax = C->Max();
        if (Info->fMask & SIF_PAGE) Info->nPage = static_cast<UINT>(C->PageSize());
        if (Info->fMask & SIF_POS) Info->nPos = C->Position();
        if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = C->TrackPos();
        return 1;
    }
    IWindowScrollBars* W = windowBarsOf(Wnd);
    const TWindowScrollBar* B = W ? W->WindowScrollBar(Bar) : nullptr;
    if (!B) return 0;
    if (Info->fMask & SIF_RANGE) Info->nMin = B->Min, Info->nMax = B->Max;
    if (Info->fMask & SIF_PAGE) Info->nPage = static_cast<UINT>(B->Page);
    if (Info->fMask & SIF_POS) Info->nPos = B->Pos;
    if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = B->TrackPos;
    return 1;
}

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw) {
    if (!Info) return 0;
    if (Bar == SB_CTL) {
        TScrollBar* C = barControlOf(Wnd);
        if (!C) return 0;
        const int Min = (Info->fMask & SIF_RANGE) ? Info->nMin : C->Min();
        const int Max = (Info->fMask & SIF_RANGE) ? std::max(Info->nMin, Info->nMax) : C->Max();
        if (Info->fMask & SIF_PAGE) C->SetPageSize(static_cast<int>(Info->nPage));
        C->SetParams((Info->fMask & SIF_POS) ? Info->nPos : C->Position(), Min, Max);
        return C->Position();
    }
    IWindowScrollBars* W = windowBarsOf(Wnd);
    TWindowScrollBar* B = W ? W->WindowScrollBar(Bar) : nullptr;
    if (!B) return 0;
    const TWindowScrollBar Before = *B;
    if (Info->fMask & SIF_RANGE) {
        B->Min = Info->nMin;
        B->Max = std::max(Info->nMin, Info->nMax);
    }
    if (Info->fMask & SIF_PAGE) B->Page = static_cast<int>(std::min<UINT>(Info->nPage, 0x7FFFFFFF));
    if (Info->fMask & SIF_POS) B->Pos = Info->nPos;
    B->Pos = clampedPos(*B, B->Pos);
    // Only a change repaints: a window that sets its bars while it paints must not paint again.
    if (B->Min != Before.Min || B->Max != Before.Max || B->Page != Before.Page || B->Pos != Before.Pos)
        W->WindowScrollBarChanged(Bar, Redraw != 0);
    return B->Pos;
}

int GetScrollPos(HWND Wnd, int Bar) {
    SCROLLINFO Info;
    Info.fMask = SIF_POS;
    return GetScrollInfo(Wnd, Bar, &Info) ? Info.nPos : 0;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw) {
    const int Old = GetScrollPos(Wnd, Bar);
    SCROLLINFO Info;
    Info.fMask = SIF_POS;
    Info.nPos = Pos;
    SetScrollInfo(Wnd, Bar, &Info, Redraw);
    return Old;
}

BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show) {
    if (Bar == SB_CTL) {
        TScrollBar* C = barControlOf(Wnd);
        if (!C) return 0;
        C->SetVisible(Show != 0);
        return 1;
    }
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W) return 0;
    if (Bar == SB_HORZ || Bar == SB_BOTH) W->ShowWindowScrollBar(SB_HORZ, Show != 0);
    if (Bar == SB_VERT || Bar == SB_BOTH) W->ShowWindowScrollBar(SB_VERT, Show != 0);
    return 1;
}

BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows) {
    if (Bar == SB_CTL) {
        TScrollBar* C = barControlOf(Wnd);
        if (!C) return 0;
        C->SetEnabled(Arrows != ESB_DISABLE_BOTH);
        return 1;
    }
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W) return 0;
    for (int Which : {SB_HORZ, SB_VERT}) {
        if (Bar != static_cast<UINT>(Which) && Bar != SB_BOTH) continue;
        if (TWindowScrollBar* B = W->WindowScrollBar(Which)) {
            B->DisabledArrows = Arrows & ESB_DISABLE_BOTH;
            W->WindowScrollBarChanged(Which, true);
        }
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Flat scroll bars

BOOL InitializeFlatSB(HWND Wnd) {
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W) return 0;
    W->SetFlatScrollBars(true);
    return 1;
}

HRESULT UninitializeFlatSB(HWND Wnd) {
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W) return E_FAIL;
    W->SetFlatScrollBars(false);
    // The window's bars take the regular look again.
    for (int Bar : {SB_HORZ, SB_VERT}) {
        if (TWindowScrollBar* B = W->WindowScrollBar(Bar)) {
            B->Look = TScrollBarLook{};
            B->Width = 0;
            W->WindowScrollBarChanged(Bar, true);
        }
    }
    return S_OK;
}

int FlatSB_SetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info, BOOL Redraw) {
    return SetScrollInfo(Wnd, Bar, Info, Redraw);
}

BOOL FlatSB_GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) { return GetScrollInfo(Wnd, Bar, Info); }

BOOL FlatSB_SetScrollProp(HWND Wnd, UINT Index, INT_PTR Value, BOOL Redraw) {
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W || !W->FlatScrollBars()) return 0;
    TWindowScrollBar* H = W->WindowScrollBar(SB_HORZ);
    TWindowScrollBar* V = W->WindowScrollBar(SB_VERT);
    const auto set = [&](TWindowScrollBar* B, int Bar, auto Apply) {
        if (!B) return;
        Apply(*B);
        W->WindowScrollBarChanged(Bar, Redraw != 0);
    };
    const int N = static_cast<int>(Value);
    switch (Index) {
        case WSB_PROP_VSTYLE:
            set(V, SB_VERT, [N](TWindowScrollBar& B) { B.Look.Style = N; });
            break;
        case WSB_PROP_HSTYLE:
            set(H, SB_HORZ, [N](TWindowScrollBar& B) { B.Look.Style = N; });
            break;
        case WSB_PROP_VBKGCOLOR:
            set(V, SB_VERT, [N](TWindowScrollBar& B) { B.Look.Color = static_cast<TColor>(N); });
            break;
        case WSB_PROP_HBKGCOLOR:
            set(H, SB_HORZ, [N](TWindowScrollBar& B) { B.Look.Color = static_cast<TColor>(N); });
            break;
        case WSB_PROP_CXVSCROLL:
            set(V, SB_VERT, [N](TWindowScrollBar& B) { B.Width = std::max(0, N); });
            break;
        case WSB_PROP_CYHSCROLL:
            set(H, SB_HORZ, [N](TWindowScrollBar& B) { B.Width = std::max(0, N); });
            break;
        default:
            return 0;
    }
    return 1;
}

BOOL FlatSB_GetScrollProp(HWND Wnd, UINT Index, INT_PTR* Value) {
    IWindowScrollBars* W = windowBarsOf(Wnd);
    if (!W || !Value) return 0;
    const TWindowScrollBar* H = W->WindowScrollBar(SB_HORZ);
    const TWindowScrollBar* V = W->WindowScrollBar(SB_VERT);
    switch (Index) {
        case WSB_PROP_VSTYLE:
            *Value = V ? V->Look.Style : 0;
            break;
        case WSB_PROP_HSTYLE:
            *Value = H ? H->Look.Style : 0;
            break;
        case WSB_PROP_VBKGCOLOR:
            *Value = V ? V->Look.Color : 0;
            break;
        case WSB_PROP_HBKGCOLOR:
            *Value = H ? H->Look.Color : 0;
            break;
        case WSB_PROP_CXVSCROLL:
            *Value = V && V->Width ? V->Width : GetSystemMetrics(SM_CXVSCROLL);
            break;
        case WSB_PROP_CYHSCROLL:
            *Value = H && H->Width ? H->Width : GetSystemMetrics(SM_CYHSCROLL);
            break;
        default:
            return 0;
    }
    return 1;
}

BOOL FlatSB_ShowScrollBar(HWND Wnd, int Bar, BOOL Show) { return ShowScrollBar(Wnd, Bar, Show); }

// ---------------------------------------------------------------------------------------------
// The module

namespace {

TModuleExports comCtl32Exports() {
    return {
        {"InitializeFlatSB", reinterpret_cast<FARPROC>(&InitializeFlatSB)},
        {"UninitializeFlatSB", reinterpret_cast<FARPROC>(&UninitializeFlatSB)},
        {"FlatSB_SetScrollInfo", reinterpret_cast<FARPROC>(&FlatSB_SetScrollInfo)},
        {"FlatSB_GetScrollInfo", reinterpret_cast<FARPROC>(&FlatSB_GetScrollInfo)},
        {"FlatSB_SetScrollProp", reinterpret_cast<FARPROC>(&FlatSB_SetScrollProp)},
        {"FlatSB_GetScrollProp", reinterpret_cast<FARPROC>(&FlatSB_GetScrollProp)},
        {"FlatSB_ShowScrollBar", reinterpret_cast<FARPROC>(&FlatSB_ShowScrollBar)},
    };
}

}  // namespace

HMODULE ImportComCtl32() {
    static const HMODULE Module = [] {
        const String Name = QStringLiteral("comctl32.dll");
        if (HMODULE Loaded = GetModuleHandle(Name)) return Loaded;
        RegisterModule(Name, comCtl32Exports());
        return LoadLibrary(Name);
    }();
    return Module;
}

namespace {

// The common controls are in the process from its start.
const HMODULE ComCtl32AtStart = ImportComCtl32();

}  // namespace
