// TVidIvezadOrir: scroll bars and scrolling. The grid's bars are its window's own; the flat
// scroll-bar calls are looked up by name in "comctl32.dll" when needed, proportional thumbs
// keep the positions on the 0..127 scale, thumb tracking shows a hint with the target row or
// column, an in-cell scroll bar reports its steps, and dragging near the edges or a quick touch
// drag scrolls the grid on timers the grid owns.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/ScrollBars.h"
#include "framework/ui/Timer.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// The flat scroll-bar layer

namespace {

// A flat scroll-bar function of the loaded common controls; nullptr when the library or the
// function is missing (it is never loaded here).
template <class F>
F flatCall(const char* Name) {
    HMODULE M = GetModuleHandle(QStringLiteral("comctl32.dll"));
    return M ? GetProcAddressAs<F>(M, Name) : nullptr;
}

bool hasBar(TScrollStyle Bars, int Bar) {
    if (Bar == SB_HORZ) return Bars == ssHorizontal || Bars == ssBoth;
    return Bars == ssVertical || Bars == ssBoth;
}

}  // namespace

void TVidIvezadOrir::InitFlatScrollBars() {
    const auto Init = flatCall<BOOL (*)(HWND)>("InitializeFlatSB");
    if (!Init || !HandleAllocated()) return;
    Init(Handle());
    FState->IsFlat = true;
}

void TVidIvezadOrir::DoneFlatScrollBars() {
    FState->IsFlat = false;
    const auto Done = flatCall<HRESULT (*)(HWND)>("UninitializeFlatSB");
    if (Done && HandleAllocated()) Done(Handle());
}

void TVidIvezadOrir::FlatSetScrollInfo(int Bar, SCROLLINFO& Info, bool Redraw) {
    const auto Set = flatCall<int (*)(HWND, int, SCROLLINFO*, BOOL)>("FlatSB_SetScrollInfo");
    if (Set && HandleAllocated()) Set(Handle(), Bar, &Info, Redraw);
}

void TVidIvezadOrir::FlatSetScrollProp(UINT Index, INT_PTR Value, bool Redraw) {
    if (!FState->IsFlat) return;
    const auto Set = flatCall<BOOL (*)(HWND, UINT, INT_PTR, BOOL)>("FlatSB_SetScrollProp");
    if (Set && HandleAllocated()) Set(Handle(), Index, Value, Redraw);
}

void TVidIvezadOrir::FlatShowScrollBar(int Bar, bool Show) {
    if (!FState->IsFlat || !hasBar(ScrollBars(), Bar)) return;
    const auto Call = flatCall<BOOL (*)(HWND, int, BOOL)>("FlatSB_ShowScrollBar");
    if (Call && HandleAllocated()) Call(Handle(), Bar, Show);
}

void TVidIvezadOrir::updateFlatScroll(int Bar) {
    if (!FState->IsFlat || !hasBar(ScrollBars(), Bar) || !HandleAllocated()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ::GetScrollInfo(Handle(), Bar, &Info);
    FlatSetScrollInfo(Bar, Info, true);
}

void TVidIvezadOrir::UpdateFlatVertScroll() { updateFlatScroll(SB_VERT); }
void TVidIvezadOrir::UpdateFlatHorzScroll() { updateFlatScroll(SB_HORZ); }

void TVidIvezadOrir::ApplyFlatScrollStyle() {
    int Style = -1;
    switch (FScrollType) {
        case ssNormal:
            Style = FSB_REGULAR_MODE;
            break;
        case ssFlat:
            Style = FSB_FLAT_MODE;
            break;
        case ssEncarta:
            Style = FSB_ENCARTA_MODE;
            break;
        case ssMetro:
            return;
    }
    FlatSetScrollProp(WSB_PROP_VSTYLE, Style, true);
    FlatSetScrollProp(WSB_PROP_HSTYLE, Style, true);
}

void TVidIvezadOrir::ApplyFlatScrollColor() {
    if (FScrollColor == clNone) return;
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR, FScrollColor, true);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR, FScrollColor, true);
}

void TVidIvezadOrir::ApplyFlatScrollWidth() {
    FlatSetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth, true);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth, true);
}

void TVidIvezadOrir::UpdateFlatScrollBars() {
    ApplyFlatScrollStyle();
    ApplyFlatScrollColor();
    ApplyFlatScrollWidth();
    const bool Vert = VisibleRowCount() + FixedRows() < RowCount();
    FlatShowScrollBar(SB_VERT, Vert);
    if (Vert) UpdateFlatVertScroll();
    const bool Horz = VisibleColCount() + FixedCols() < ColCount();
    FlatShowScrollBar(SB_HORZ, Horz);
    if (Horz) UpdateFlatHorzScroll();
}

bool TVidIvezadOrir::IsFlat() const { return FState->IsFlat; }

// ---------------------------------------------------------------------------------------------
// Properties

void TVidIvezadOrir::SetScrollType(TScrollType Value) {
    if (Value != FScrollType) {
        FScrollType = Value;
        if (Value == ssFlat || Value == ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            DoneFlatScrollBars();
        }
        if (HandleAllocated() && Value == ssMetro) {
            CreateScrollControls();
            SetScrollBars(ssNone);
        } else if (HandleAllocated() && FState->VertScrollControl) {
            FreeScrollControls();
            SetScrollBars(ssBoth);
        }
    }
    ApplyFlatScrollStyle();
}

void TVidIvezadOrir::SetScrollColor(TColor Value) {
    FScrollColor = Value;
    ApplyFlatScrollColor();
}

void TVidIvezadOrir::SetScrollWidth(int Value) {
    FScrollWidth = Value;
    ApplyFlatScrollWidth();
}

void TVidIvezadOrir::SetScrollProportional(bool Value) {
    FScrollProportional = Value;
    if (Value) {
        UpdateVertScrollThumb();
        UpdateHorzScrollThumb();
        return;
    }
    if (FState->IsFlat && FScrollType == ssNormal) {
        DoneFlatScrollBars();
        for (int Bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO Info;
            Info.fMask = SIF_PAGE;
            Info.nPage = 0;
            if (HandleAllocated()) ::SetScrollInfo(Handle(), Bar, &Info, 1);
        }
    }
}

void TVidIvezadOrir::SetScrollBarAlways(TScrollBarAlways Value) {
    FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

void TVidIvezadOrir::CreateScrollControls() {
    if (!FState->VertScrollControl) {
        FState->VertScrollControl = new TScrollControl(this);
        FState->VertScrollControl->SetDirection(sdVertical);
        FState->VertScrollControl->SetParent(this);
        FState->VertScrollControl->SetWidth(6);
        FState->VertScrollControl->SetAlign(alRight);
        FState->VertScrollControl->SetDoubleBuffered(true);
        FState->VertScrollControl->SetVisible(true);
    }
    if (!FState->HorzScrollControl) {
        FState->HorzScrollControl = new TScrollControl(this);
        FState->HorzScrollControl->SetDirection(sdHorizontal);
        FState->HorzScrollControl->SetParent(this);
        FState->HorzScrollControl->SetHeight(6);
        FState->HorzScrollControl->SetAlign(alBottom);
        FState->HorzScrollControl->SetDoubleBuffered(true);
        FState->HorzScrollControl->SetVisible(true);
    }
}

void TVidIvezadOrir::FreeScrollControls() {
    if (FState->VertScrollControl) FState->VertScrollControl->Free();
    if (FState->HorzScrollControl) FState->HorzScrollControl->Free();
    FState->VertScrollControl = nullptr;
    FState->HorzScrollControl = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Proportional thumbs

void TVidIvezadOrir::UpdateHorzScrollThumb() {
    if (HandleAllocated() && FSearchPanel && FSearchPanel->Visible()) UpdateSearchPanel();
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
    if (!hasBar(ScrollBars(), SB_HORZ) || !FScrollProportional || FScrollType == ssMetro || FState->ScrollLock) return;
    if (!HandleAllocated()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ::GetScrollInfo(Handle(), SB_HORZ, &Info);
    const int lw = GridLineWidth();
    int W = Width();
    if (VisibleRowCount() + FixedRows() < RowCount()) W -= GetSystemMetrics(SM_CXVSCROLL);
    int F = lw, T = lw, L = lw;
    for (int c = 0; c < FixedCols(); ++c) F += lw + ColWidths(c);
    for (int c = FixedCols(); c < ColCount(); ++c) T += lw + ColWidths(c);
    for (int c = FixedCols(); c < LeftCol(); ++c) L += lw + ColWidths(c);
    const float e = static_cast<float>(W - F) / static_cast<float>(T);
    if (e >= 0.99999f) return;
    const float m = (e + 127) / (1 - e);
    const float p = T > W ? static_cast<float>(L) / static_cast<float>(T - W) * 128 : static_cast<float>(Info.nPos);
    if (F + T - W < 0) return;
    const int nMax = static_cast<int>(std::trunc(m));
    const int nPage = nMax - 126;
    if (static_cast<unsigned>(nPage) < 4000) {
        Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        Info.nMin = 0;
        Info.nMax = nMax;
        Info.nPage = static_cast<UINT>(nPage);
        Info.nPos = static_cast<int>(std::trunc(p));
        ::SetScrollInfo(Handle(), SB_HORZ, &Info, 1);
    }
    UpdateFlatHorzScroll();
}

// Mended: a page outside 0..3999 (tall fixed rows give a negative one) is skipped, as for the
// horizontal thumb.
void TVidIvezadOrir::UpdateVertScrollThumb() {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
    if (!FScrollProportional || FScrollType == ssMetro || !hasBar(ScrollBars(), SB_VERT) || FState->ScrollLock) return;
    if (VisibleRowCount() + FixedRows() >= RowCount() || !HandleAllocated()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ::GetScrollInfo(Handle(), SB_VERT, &Info);
    const int lw = GridLineWidth();
    int H = Height();
    if (VisibleColCount() + FixedCols() < ColCount()) H -= GetSystemMetrics(SM_CYHSCROLL);
    // The sums over a million rows come from the grid's own quick sums.
    const long long F = lw + static_cast<long long>(lw) * FixedRows() + RowHeightsSum(0, FixedRows());
    const long long T =
        lw + static_cast<long long>(lw) * (RowCount() - FixedRows()) + RowHeightsSum(FixedRows(), RowCount());
    const long long L =
        lw + static_cast<long long>(lw) * (TopRow() - FixedRows()) + RowHeightsSum(FixedRows(), TopRow());
    if (T == 0) return;
    const double e = static_cast<double>(H - F) / static_cast<double>(T);
    const double m = (e + 127) / (1 - e);
    const double p = T > H ? static_cast<double>(L) / static_cast<double>(T - H) * 128 : 127;
    if (e >= 0.9999) return;
    const int nMax = static_cast<int>(std::trunc(m));
    const int nPage = nMax - 126;
    if (nPage < 0 || nPage >= 4000) return;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMin = 0;
    Info.nMax = nMax;
    Info.nPage = static_cast<UINT>(nPage);
    Info.nPos = static_cast<int>(std::trunc(p));
    ::SetScrollInfo(Handle(), SB_VERT, &Info, 1);
    UpdateFlatVertScroll();
}

// ---------------------------------------------------------------------------------------------
// Scroll messages

// The thumb-track hint: "Row : 12" or "Col : 3" near the pointer; gone at the end of the scroll.
void TVidIvezadOrir::scrollHint(int Code, bool Vertical, int Target) {
    if (!FState->ScrollHintWnd) return;
    if (Code == SB_ENDSCROLL) {
        FState->ScrollHintWnd->ReleaseHandle();
        FState->ScrollHintShow = false;
        return;
    }
    if (Code != SB_THUMBTRACK) return;
    String Text = (Vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(Target);
    if (OnScrollHint) OnScrollHint(this, Target, Text);
    TRect R = FState->ScrollHintWnd->CalcHintRect(100, Text, nullptr);
    FState->ScrollHintWnd->SetCaption(Text);
    FState->ScrollHintWnd->SetColor(FHintColor);
    const TPoint P = Mouse->CursorPos();
    R = Rect(P.X + 10, P.Y, P.X + 10 + R.Width(), P.Y + R.Height());
    FState->ScrollHintWnd->ActivateHint(R, Text);
    FState->ScrollHintShow = true;
}

void TVidIvezadOrir::WMHScroll(TMessage& Message) {
    if (fromChild(Message)) {
        TBaseGrid::Dispatch(Message);
        return;
    }
    const int Code = LOWORD(Message.WParam);
    int Pos = HIWORD(Message.WParam);
    const int Range = ColCount() - VisibleColCount() - FixedCols();
    if (FScrollHints == shHorizontal || FScrollHints == shBoth)
        scrollHint(Code, false, FixedCols() + MulDiv(Pos, Range, 127));
    if (FNavigation->AlwaysEdit() && EditorMode()) HideInplaceEdit();
    if (Code == SB_THUMBPOSITION && FState->IsFlat) {
        // The proportional flat thumb back on the 0..127 scale.
        const int a = Round(VisibleColCount() * 128.0 / ColCount());
        if (a != 128) Pos = Round(Pos * 127.0 / (128 - a));
        Message.WParam = MAKEWPARAM(static_cast<Word>(Code), static_cast<Word>(Pos));
    }
    const int c = FixedCols() + MulDiv(Pos, Range, 127);
    if (Code == SB_THUMBTRACK && FScrollSynch) SetLeftCol(c);
    if (FixedCols() == 0 && c >= Col() && EditorMode()) HideInplaceEdit();
    const TWeak<TVidIvezadOrir> Self(this);
    TBaseGrid::WMHScroll(Message);
    if (!Self) return;
    if (Code == SB_ENDSCROLL && (ColCount() == 1 || (UseRightToLeftAlignment() && MergeCount() > 0))) Invalidate();
    UpdateFlatHorzScroll();
    UpdateFlatVertScroll();
    if (FFooterPanel && FFloatingFooter->Visible()) FFooterPanel->Invalidate();
}

void TVidIvezadOrir::WMVScroll(TMessage& Message) {
    if (ComponentState().Contains(csDesigning)) {
        TBaseGrid::WMVScroll(Message);
        return;
    }
    const int Code = LOWORD(Message.WParam);
    FState->LastScrollCode = Code;
    if (FScrollBar && Message.LParam && FScrollBar->HandleAllocated() &&
        reinterpret_cast<HWND>(Message.LParam) == FScrollBar->Handle()) {
        inCellScroll(Message);
        return;
    }
    if (fromChild(Message)) {
        TBaseGrid::Dispatch(Message);
        return;
    }
    const int Pos = HIWORD(Message.WParam);
    const int r = FixedRows() + MulDiv(Pos, RowCount() - VisibleRowCount() - FixedRows(), 127);
    if (FScrollHints == shVertical || FScrollHints == shBoth) scrollHint(Code, true, r);
    if (FNavigation->AlwaysEdit() && EditorMode()) HideInplaceEdit();
    if (Code == SB_THUMBTRACK && FScrollSynch) SetTopRow(r);
    const TWeak<TVidIvezadOrir> Self(this);
    TBaseGrid::WMVScroll(Message);
    if (!Self) return;
    UpdateFlatVertScroll();
    UpdateFlatHorzScroll();
}

// The in-cell scroll bar's steps: ten for a line, a hundred for a page; a move fires OnScrollCell.
void TVidIvezadOrir::inCellScroll(TMessage& Message) {
    TScrollBar* Bar = FScrollBar;
    const TWeak<TVidIvezadOrir> Self(this);
    TBaseGrid::Dispatch(Message);  // the bar hears its own step
    if (!Self) return;
    const int Old = Bar->Position();
    const int Code = LOWORD(Message.WParam);
    switch (Code) {
        case SB_LINEUP:
            Bar->SetPosition(std::max(Bar->Min(), Old - 10));
            break;
        case SB_LINEDOWN:
            Bar->SetPosition(std::min(Bar->Max(), Old + 10));
            break;
        case SB_PAGEUP:
            Bar->SetPosition(Old - 100);
            break;
        case SB_PAGEDOWN:
            Bar->SetPosition(Old + 100);
            break;
        case SB_THUMBTRACK:
            Bar->SetPosition(static_cast<std::int16_t>(HIWORD(Message.WParam)));
            break;
        default:
            break;
    }
    if (Bar->Position() == FState->InCellScrollPos) return;
    FState->InCellScrollPos = Bar->Position();
    Message.Result = 1;
    RepaintCell(FState->ScrollCell.X, FState->ScrollCell.Y);
    ScrollCell(FState->ScrollCell.X, FState->ScrollCell.Y, Bar->Position(), Bar->Min(), Bar->Max());
}

void TVidIvezadOrir::ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax) {
    if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

void TVidIvezadOrir::SetScrollBarCell(int ACol, int ARow) {
    FState->ScrollCell = Point(ACol, ARow);
    if (FScrollBar) FState->InCellScrollPos = FScrollBar->Position();
}

void TVidIvezadOrir::WMGetDlgCode(TMessage& Message) {
    TBaseGrid::WMGetDlgCode(Message);
    if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
    if (Options().Contains(goTabs) && GetKeyState(VK_CONTROL) < 0) Message.Result &= ~DLGC_WANTTAB;
}

// ---------------------------------------------------------------------------------------------
// Scrolling while something is dragged over the grid

void TVidIvezadOrir::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (!FDragScrollOptions->Active()) {
        freeDragScrollTimer();
    } else {
        const bool WasEmpty = FState->DragScrollDirection.Empty();
        FState->DragScrollDirection = TDragScrollDirection{};
        if (State == dsDragLeave) {
            freeDragScrollTimer();
        } else {
            const TDragScrollMargins* M = FDragScrollOptions->Margins();
            if (Y < M->TopMargin())
                FState->DragScrollDirection.Include(dsdUp);
            else if (Y > Height() - M->BottomMargin())
                FState->DragScrollDirection.Include(dsdDown);
            if (X < M->LeftMargin())
                FState->DragScrollDirection.Include(dsdLeft);
            else if (X > Width() - M->RightMargin())
                FState->DragScrollDirection.Include(dsdRight);
            if (FState->DragScrollDirection.Empty()) {
                freeDragScrollTimer();
            } else if (!FState->DragScrollTimer) {
                // Owned by the grid: freed with it even in the middle of a drag.
                FState->DragScrollTimer = new TTimer(this);
                FState->DragScrollTimer->SetInterval(FDragScrollOptions->Delays()->InitialDelay());
                FState->DragScrollTimer->OnTimer = [this](TObject*) { dragScrollTick(); };
                FState->DragScrollTimer->SetEnabled(true);
            } else if (!WasEmpty) {
                FState->DragScrollTimer->SetInterval(FDragScrollOptions->Delays()->InitialDelay());
            }
        }
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TVidIvezadOrir::freeDragScrollTimer() {
    if (!FState->DragScrollTimer) return;
    TTimer* T = FState->DragScrollTimer;
    FState->DragScrollTimer = nullptr;
    T->SetEnabled(false);
    T->Free();
}

void TVidIvezadOrir::dragScrollTick() {
    if (!FDragScrollOptions->Active()) {
        freeDragScrollTimer();
        return;
    }
    FState->DragScrollTimer->SetInterval(FDragScrollOptions->Delays()->RepeatDelay());
    TDragScrollDirection Dir = FState->DragScrollDirection;
    if (OnDragScroll) {
        bool CanScroll = true;
        const TWeak<TVidIvezadOrir> Self(this);
        OnDragScroll(this, TopRow(), LeftCol(), Dir, CanScroll);
        if (!Self || !CanScroll) return;
    }
    if (Dir.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (Dir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (Dir.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (Dir.Contains(dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}

bool TVidIvezadOrir::DragScrolling() const { return FState->DragScrollTimer != nullptr; }

// ---------------------------------------------------------------------------------------------
// The glide after a quick touch drag

void TVidIvezadOrir::StartGlide(int Delta, bool Vertical) {
    if (!FState->GlideTimer) {
        FState->GlideTimer = new TTimer(this);
        FState->GlideTimer->OnTimer = [this](TObject*) { GlideStep(); };
    }
    FState->ScrollSteps = 10;
    FState->ScrollDelta = Delta;
    FState->ScrollVert = Vertical;
    FState->ScrollEnd = true;
    FState->GlideTimer->SetInterval(10);
    FState->GlideTimer->SetEnabled(true);
}

void TVidIvezadOrir::GlideStep() {
    if (FState->ScrollSteps <= 0) return;
    if (FState->ScrollVert)
        SetTopRow(std::max(FixedRows(), TopRow() + FState->ScrollDelta));
    else
        SetLeftCol(std::max(FixedCols(), LeftCol() + FState->ScrollDelta));
    --FState->ScrollSteps;
    FState->ScrollEnd = false;
    if (FState->GlideTimer) FState->GlideTimer->SetEnabled(FState->ScrollSteps > 0);
}
