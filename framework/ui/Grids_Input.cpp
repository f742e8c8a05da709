// TCustomGrid input: keys, mouse (selecting, sizing, moving, the scroll bars), the wheel, the
// auto-scroll timer, focus, the message dispatch and the in-place editor's life on the grid.
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Grids.h"

#include <algorithm>

namespace {

// How close to a line the pointer must be to size a column or row.
constexpr int kSizingTolerance = 3;
constexpr UINT kAutoScrollInterval = 60;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keys

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TCustomGrid> Self(this);
    TCustomControl::KeyDown(Key, Shift);
    if (!Self || Key == 0) return;
    if (Key == VK_ESCAPE && FEditorMode && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FInplaceEdit) FInplaceEdit->SetText(FInplaceOriginal);
        HideEditor();
        Key = 0;
        return;
    }
    const bool RowSelect = FOptions.Contains(goRowSelect);
    const int PageHeight = std::max(1, VisibleRowCount());
    int NewCol = FCol;
    int NewRow = FRow;
    int NewLeft = FLeftCol;
    int NewTop = FTopRow;
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
            case VK_UP:
                --NewTop;
                break;
            case VK_DOWN:
                ++NewTop;
                break;
            case VK_LEFT:
                RowSelect ? --NewLeft : (NewCol = FFixedCols);
                break;
            case VK_RIGHT:
                RowSelect ? ++NewLeft : (NewCol = FColCount - 1);
                break;
            case VK_PRIOR:
                NewRow = FTopRow;
                break;
            case VK_NEXT:
                NewRow = FTopRow + PageHeight - 1;
                break;
            case VK_HOME:
                NewCol = FFixedCols;
                NewRow = FFixedRows;
                break;
            case VK_END:
                NewCol = FColCount - 1;
                NewRow = FRowCount - 1;
                break;
            default:
                return;
        }
    } else {
        switch (Key) {
            case VK_UP:
                --NewRow;
                break;
            case VK_DOWN:
                ++NewRow;
                break;
            case VK_LEFT:
                RowSelect ? --NewLeft : --NewCol;
                break;
            case VK_RIGHT:
                RowSelect ? ++NewLeft : ++NewCol;
                break;
            case VK_NEXT:
                NewRow += PageHeight;
                NewTop += PageHeight;
                break;
            case VK_PRIOR:
                NewRow -= PageHeight;
                NewTop -= PageHeight;
                break;
            case VK_HOME:
                RowSelect ? (NewRow = FFixedRows) : (NewCol = FFixedCols);
                break;
            case VK_END:
                RowSelect ? (NewRow = FRowCount - 1) : (NewCol = FColCount - 1);
                break;
            case VK_TAB: {
                if (Shift.Contains(ssAlt) || !FOptions.Contains(goTabs)) return;
                const int Step = Shift.Contains(ssShift) ? -1 : 1;
                // The next column with a tab stop, wrapping to the next (previous) row.
                int C = FCol, R = FRow;
                for (int Guard = 0; Guard < FColCount * 2; ++Guard) {
                    C += Step;
                    if (C >= FColCount) {
                        C = FFixedCols;
                        R = R + 1 < FRowCount ? R + 1 : FFixedRows;
                    } else if (C < FFixedCols) {
                        C = FColCount - 1;
                        R = R - 1 >= FFixedRows ? R - 1 : FRowCount - 1;
                    }
                    if (TabStops(C)) break;
                }
                NewCol = C;
                NewRow = R;
                break;
            }
            case VK_F2:
                SetEditorMode(true);
                return;
            default:
                return;
        }
    }
    setTopLeft(NewLeft, NewTop);
    if (!Self) return;
    NewCol = std::clamp(NewCol, std::min(FFixedCols, FColCount - 1), FColCount - 1);
    NewRow = std::clamp(NewRow, std::min(FFixedRows, FRowCount - 1), FRowCount - 1);
    if (NewCol != FCol || NewRow != FRow) FocusCell(NewCol, NewRow, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyPress(Char& Key) {
    const TWeak<TCustomGrid> Self(this);
    TCustomControl::KeyPress(Key);
    if (!Self || Key == u'\0') return;
    if (!FOptions.Contains(goAlwaysShowEditor) && Key == u'\r') {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = u'\0';
        return;
    }
    const bool Typing = Key == u'\b' || Key.unicode() >= 32;
    if (Typing && !FEditorMode && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
        CanEditAcceptKey(Key)) {
        const Char Ch = Key;
        Key = u'\0';
        ShowEditorChar(Ch);
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
    State = gsNormal;
    Index = -1;
    const TAxisInfo H = horzInfo();
    const TAxisInfo V = vertInfo();
    // Lines end each cell: the column's right edge (the row's bottom edge).
    const auto findLine = [this](bool Horizontal, const TAxisInfo& A, int Pos, int& Found, int& LinePos) {
        int P = 0;
        const auto check = [&](int I) {
            P += cellExtent(Horizontal, I);
            if (std::abs(Pos - P) <= kSizingTolerance) {
                Found = I;
                LinePos = P;
            }
            P += A.EffectiveLineWidth;
        };
        for (int I = 0; I < A.FixedCellCount; ++I) check(I);
        for (int I = A.FirstGridCell; I < A.GridCellCount && P < A.GridBoundary; ++I) check(I);
    };
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < V.FixedBoundary) {
        int Found = -1, LinePos = 0;
        findLine(true, H, X, Found, LinePos);
        if (Found >= 0) {
            State = gsColSizing;
            Index = Found;
            SizingPos = LinePos;
            SizingOfs = LinePos - X;
            return;
        }
    }
    if (FOptions.Contains(goRowSizing) && X >= 0 && X < H.FixedBoundary) {
        int Found = -1, LinePos = 0;
        findLine(false, V, Y, Found, LinePos);
        if (Found >= 0) {
            State = gsRowSizing;
            Index = Found;
            SizingPos = LinePos;
            SizingOfs = LinePos - Y;
        }
    }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomGrid> Self(this);
    if (!ComponentState().Contains(csDesigning) && CanFocus() && !Focused()) {
        SetFocus();
        if (!Self) return;
    }
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs);
        if (FGridState == gsNormal) {
            const TGridCoord Cell = MouseCoord(X, Y);
            if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows) {
                if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
                    if (Cell.X == FCol && Cell.Y == FRow) {
                        ShowEditor();
                    } else {
                        moveCurrent(Cell.X, Cell.Y, true, true);
                        if (!Self) return;
                        UpdateEdit();
                    }
                    if (!Self) return;
                    Click();
                } else {
                    FGridState = gsSelecting;
                    startAutoScroll();
                    if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect))
                        extendSelection(Cell.X, Cell.Y);
                    else
                        moveCurrent(Cell.X, Cell.Y, true, true);
                }
            } else if (Cell.X >= 0 && Cell.Y >= 0) {
                // A fixed cell: a move starts on the fixed row (column) header of a movable column (row).
                if (FOptions.Contains(goColMoving) && Cell.Y < FFixedRows && Cell.X >= FFixedCols) {
                    FGridState = gsColMoving;
                    FMoveIndex = FMovePos = Cell.X;
                } else if (FOptions.Contains(goRowMoving) && Cell.X < FFixedCols && Cell.Y >= FFixedRows) {
                    FGridState = gsRowMoving;
                    FMoveIndex = FMovePos = Cell.Y;
                }
                if (FGridState != gsNormal) startAutoScroll();
            }
        }
    }
    if (!Self) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    const TGridCoord Cell = MouseCoord(X, Y);
    switch (FGridState) {
        case gsSelecting:
            if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows && FOptions.Contains(goRangeSelect) &&
                (Cell.X != FAnchorCol || Cell.Y != FAnchorRow))
                extendSelection(Cell.X, Cell.Y);
            break;
        case gsColMoving:
            if (Cell.X >= FFixedCols) FMovePos = Cell.X;
            break;
        case gsRowMoving:
            if (Cell.Y >= FFixedRows) FMovePos = Cell.Y;
            break;
        default:
            break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomGrid> Self(this);
    const TGridState State = FGridState;
    FGridState = gsNormal;
    stopAutoScroll();
    switch (State) {
        case gsColSizing: {
            const TRect R = CellRect(FSizingIndex, 0);
            const int Start = R.IsEmpty() ? FSizingPos - ColWidths(FSizingIndex) : R.Left;
            SetColWidths(FSizingIndex, std::max(1, X + FSizingOfs - Start));
            break;
        }
        case gsRowSizing: {
            const TRect R = CellRect(0, FSizingIndex);
            const int Start = R.IsEmpty() ? FSizingPos - RowHeights(FSizingIndex) : R.Top;
            SetRowHeights(FSizingIndex, std::max(1, Y + FSizingOfs - Start));
            break;
        }
        case gsColMoving:
            if (FMovePos != FMoveIndex) MoveColumn(FMoveIndex, FMovePos);
            break;
        case gsRowMoving:
            if (FMovePos != FMoveIndex) MoveRow(FMoveIndex, FMovePos);
            break;
        case gsSelecting:
            UpdateEdit();
            break;
        case gsNormal:
            if (Button == mbLeft) {
                const TGridCoord Cell = MouseCoord(X, Y);
                const bool FixedCol = Cell.X >= 0 && Cell.X < FFixedCols && FOptions.Contains(goFixedColClick);
                const bool FixedRow = Cell.Y >= 0 && Cell.Y < FFixedRows && FOptions.Contains(goFixedRowClick);
                if (Cell.X >= 0 && Cell.Y >= 0 && (FixedCol || FixedRow)) FixedCellClick(Cell.X, Cell.Y);
            }
            break;
    }
    if (!Self) return;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() {
    const TWeak<TCustomGrid> Self(this);
    TCustomControl::DblClick();
    if (!Self) return;
    if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) ShowEditor();
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    const TWeak<TCustomGrid> Self(this);
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!Self) return true;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (FRow < FRowCount - 1) FocusCell(FCol, FRow + 1, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (FRow > FFixedRows) FocusCell(FCol, FRow - 1, true);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Auto-scroll while selecting or moving beyond the cells

void TCustomGrid::startAutoScroll() {
    if (FAutoScrollTimer || !HandleAllocated()) return;
    SetTimer(Handle(), GridAutoScrollTimerId, kAutoScrollInterval);
    FAutoScrollTimer = true;
}

void TCustomGrid::stopAutoScroll() {
    if (!FAutoScrollTimer) return;
    FAutoScrollTimer = false;
    if (HandleAllocated()) KillTimer(Handle(), GridAutoScrollTimerId);
}

void TCustomGrid::autoScrollStep() {
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) {
        stopAutoScroll();
        return;
    }
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    const TAxisInfo H = horzInfo();
    const TAxisInfo V = vertInfo();
    int DX = 0, DY = 0;
    if (P.X < H.FixedBoundary)
        DX = -1;
    else if (P.X >= H.GridBoundary)
        DX = 1;
    if (P.Y < V.FixedBoundary)
        DY = -1;
    else if (P.Y >= V.GridBoundary)
        DY = 1;
    if (FGridState == gsColMoving) DY = 0;
    if (FGridState == gsRowMoving) DX = 0;
    if (DX == 0 && DY == 0) return;
    setTopLeft(FLeftCol + DX, FTopRow + DY);
    if (FGridState == gsSelecting && FOptions.Contains(goRangeSelect)) {
        const int C = DX < 0   ? FLeftCol
                      : DX > 0 ? std::min(FColCount - 1, FLeftCol + VisibleColCount() - 1)
                               : FAnchorCol;
        const int R = DY < 0 ? FTopRow : DY > 0 ? std::min(FRowCount - 1, FTopRow + VisibleRowCount() - 1) : FAnchorRow;
        extendSelection(C, R);
    } else if (FGridState == gsColMoving) {
        FMovePos = DX < 0 ? FLeftCol : std::min(FColCount - 1, FLeftCol + VisibleColCount() - 1);
    } else if (FGridState == gsRowMoving) {
        FMovePos = DY < 0 ? FTopRow : std::min(FRowCount - 1, FTopRow + VisibleRowCount() - 1);
    }
}

void TCustomGrid::WMTimer(TMessage& Message) {
    if (Message.WParam == GridAutoScrollTimerId) {
        autoScrollStep();
        Message.Result = 0;
        return;
    }
    TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Scroll bars under the mouse: the press steps (arrows, track) or starts a thumb drag; each
// step is a WM_HSCROLL/WM_VSCROLL message to the grid, as the platform's bars send.

bool TCustomGrid::scrollBarMouseDown(int X, int Y) {
    for (int Bar : {SB_VERT, SB_HORZ}) {
        if (!ScrollBarRect(Bar).Contains(Point(X, Y))) continue;
        TWindowScrollBar& B = (Bar == SB_VERT ? FVertBar : FHorzBar).Bar;
        if (B.DisabledArrows == ESB_DISABLE_BOTH) return true;
        const TScrollBarLayout Layout = scrollBarLayout(Bar);
        const TScrollBarPart Part = Layout.PartAt(Point(X, Y));
        const UINT Msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
        FBarPressed = Bar;
        FBarPart = Part;
        SetCaptureControl(this);
        switch (Part) {
            case sbpFirstArrow:
                Perform(Msg, MAKEWPARAM(SB_LINEUP, 0), 0);
                break;
            case sbpSecondArrow:
                Perform(Msg, MAKEWPARAM(SB_LINEDOWN, 0), 0);
                break;
            case sbpPageBefore:
                Perform(Msg, MAKEWPARAM(SB_PAGEUP, 0), 0);
                break;
            case sbpPageAfter:
                Perform(Msg, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
                break;
            case sbpThumb:
                FBarDragOffset = Layout.Along(Point(X, Y)) - Layout.Along(Layout.Part(sbpThumb).TopLeft());
                B.TrackPos = B.Pos;
                break;
            default:
                break;
        }
        Invalidate();
        return true;
    }
    return false;
}

bool TCustomGrid::scrollBarMouseMove(int X, int Y) {
    if (FBarPressed < 0) return false;
    if (FBarPart == sbpThumb) {
        TWindowScrollBar& B = (FBarPressed == SB_VERT ? FVertBar : FHorzBar).Bar;
        const TScrollBarLayout Layout = scrollBarLayout(FBarPressed);
        const int Pos = Layout.PosAt(Layout.Along(Point(X, Y)) - FBarDragOffset);
        if (Pos != B.TrackPos) {
            B.TrackPos = Pos;
            Perform(FBarPressed == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<Word>(Pos)),
                    0);
            Invalidate();
        }
    }
    return true;
}

bool TCustomGrid::scrollBarMouseUp(int X, int Y) {
    if (FBarPressed < 0) return false;
    const int Bar = FBarPressed;
    const TScrollBarPart Part = FBarPart;
    FBarPressed = -1;
    FBarPart = sbpNone;
    SetCaptureControl(nullptr);
    const UINT Msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const int TrackPos = (Bar == SB_VERT ? FVertBar : FHorzBar).Bar.TrackPos;
    const TWeak<TCustomGrid> Self(this);
    if (Part == sbpThumb) Perform(Msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<Word>(TrackPos)), 0);
    if (!Self) return true;
    Perform(Msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    if (Self) Invalidate();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Focus and messages

void TCustomGrid::DoExit() {
    const TWeak<TCustomGrid> Self(this);
    TCustomControl::DoExit();
    if (!Self) return;
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::WMSetFocus(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    InvalidateGrid();
}

void TCustomGrid::WMKillFocus(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    InvalidateGrid();
}

// Both cancel messages end a press in progress: selecting, sizing, moving or on a scroll bar.
void TCustomGrid::WMCancelMode(TMessage& Message) {
    FGridState = gsNormal;
    stopAutoScroll();
    FBarPressed = -1;
    TCustomControl::Dispatch(Message);
}

void TCustomGrid::CMCancelMode(TMessage& Message) { WMCancelMode(Message); }

void TCustomGrid::CMFontChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (FInplaceEdit) FInplaceEdit->SetFont(Font());
    InvalidateGrid();
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    updateScrollBars();
    if (FOptions.Contains(goAlwaysShowEditor)) SetEditorMode(true);
}

void TCustomGrid::DestroyWnd() {
    stopAutoScroll();
    TCustomControl::DestroyWnd();
}

void TCustomGrid::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        case WM_HSCROLL:
            WMHScroll(Message);
            break;
        case WM_VSCROLL:
            WMVScroll(Message);
            break;
        case WM_TIMER:
            WMTimer(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_CANCELMODE:
            WMCancelMode(Message);
            break;
        case CM_CANCELMODE:
            CMCancelMode(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        // The scroll bars stand for the window's non-client bars: their presses never reach the
        // cells' mouse handling.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (scrollBarMouseDown(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) break;
            TCustomControl::Dispatch(Message);
            break;
        case WM_MOUSEMOVE:
            if (scrollBarMouseMove(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) break;
            TCustomControl::Dispatch(Message);
            break;
        case WM_LBUTTONUP:
            if (scrollBarMouseUp(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) break;
            TCustomControl::Dispatch(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// The in-place editor on the grid

bool TCustomGrid::CanEditShow() const {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           !ComponentState().Contains(csDesigning) && HandleAllocated() &&
           (FOptions.Contains(goAlwaysShowEditor) || Focused() || (FInplaceEdit && FInplaceEdit->Focused()));
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    hideEditorWindow();
}

void TCustomGrid::ShowEditorChar(Char Ch) {
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->Perform(WM_CHAR, Ch.unicode(), 0);
}

void TCustomGrid::UpdateText() {
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceRow >= 0)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::hideEditorWindow() {
    if (!FInplaceEdit) return;
    const TWeak<TCustomGrid> Self(this);
    const bool HadFocus = FInplaceEdit->Focused();
    UpdateText();
    if (!Self) return;
    FInplaceCol = FInplaceRow = -1;
    FInplaceEdit->Hide();
    if (HadFocus && CanFocus()) SetFocus();
}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    const TWeak<TCustomGrid> Self(this);
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->setGrid(this);
        FInplaceEdit->SetParent(this);
        FInplaceEdit->SetFont(Font());
    } else if (FCol != FInplaceCol || FRow != FInplaceRow) {
        hideEditorWindow();
        if (!Self) return;
    }
    if (FInplaceCol != FCol || FInplaceRow != FRow) {
        FInplaceCol = FCol;
        FInplaceRow = FRow;
        FInplaceEdit->UpdateContents();
        if (!Self) return;
        FInplaceOriginal = FInplaceEdit->Text();
        FInplaceEdit->SelectAll();
    }
    placeEditor();
}

void TCustomGrid::placeEditor() {
    if (!FInplaceEdit || FInplaceCol < 0) return;
    const TRect R = CellRect(FInplaceCol, FInplaceRow);
    if (R.IsEmpty()) {
        FInplaceEdit->TControl::SetVisible(false);
        return;
    }
    FInplaceEdit->Move(R);
}

void TCustomGrid::InvalidateEditor() {
    FInplaceCol = FInplaceRow = -1;
    UpdateEdit();
}
