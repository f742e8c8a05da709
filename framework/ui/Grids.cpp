// TCustomGrid: counts and sizes, the layout of the fixed and scrolled areas, the current cell
// and the selection, scrolling and the window's scroll bars.
#include "framework/ui/Grids.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
    FHorzBar.Bar.Max = 127;
    FVertBar.Bar.Max = 127;
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::BeforeDestruction() {
    stopAutoScroll();
    TCustomControl::BeforeDestruction();
}

// ---------------------------------------------------------------------------------------------
// Counts and sizes

void TCustomGrid::SetColCount(int Value) {
    if (Value < 1) Value = 1;
    if (Value == FColCount) return;
    if (Value <= FFixedCols) FFixedCols = Value - 1;
    changeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value) {
    if (Value < 1) Value = 1;
    if (Value == FRowCount) return;
    if (Value <= FFixedRows) FFixedRows = Value - 1;
    changeSize(FColCount, Value);
}

void TCustomGrid::SetFixedCols(int Value) {
    if (Value < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (Value >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than column count"));
    if (Value == FFixedCols) return;
    FFixedCols = Value;
    FLeftCol = std::max(FLeftCol, FFixedCols);
    if (FCol < FFixedCols || FAnchorCol < FFixedCols) {
        FCol = FAnchorCol = FFixedCols;
    }
    setTopLeft(FLeftCol, FTopRow);
    updateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int Value) {
    if (Value < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (Value >= FRowCount) throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than row count"));
    if (Value == FFixedRows) return;
    FFixedRows = Value;
    FTopRow = std::max(FTopRow, FFixedRows);
    if (FRow < FFixedRows || FAnchorRow < FFixedRows) {
        FRow = FAnchorRow = FFixedRows;
    }
    setTopLeft(FLeftCol, FTopRow);
    updateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::changeSize(int NewColCount, int NewRowCount) {
    const int OldColCount = FColCount;
    const int OldRowCount = FRowCount;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    if (!FColWidths.empty()) FColWidths.resize(static_cast<size_t>(FColCount), FDefaultColWidth);
    if (!FRowHeights.empty()) FRowHeights.resize(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    if (!FTabStops.empty()) FTabStops.resize(static_cast<size_t>(FColCount), true);
    clampCurrent();
    SizeChanged(OldColCount, OldRowCount);
    updateScrollBars();
    if (FEditorMode) UpdateEdit();
    InvalidateGrid();
}

// Keeps the current cell, the anchor and the top-left cell inside the counts.
void TCustomGrid::clampCurrent() {
    const int FirstCol = std::min(FFixedCols, FColCount - 1);
    const int FirstRow = std::min(FFixedRows, FRowCount - 1);
    FCol = std::clamp(FCol, FirstCol, FColCount - 1);
    FRow = std::clamp(FRow, FirstRow, FRowCount - 1);
    FAnchorCol = std::clamp(FAnchorCol, FirstCol, FColCount - 1);
    FAnchorRow = std::clamp(FAnchorRow, FirstRow, FRowCount - 1);
    FLeftCol = std::clamp(FLeftCol, FirstCol, std::max(FirstCol, maxTopLeft(true)));
    FTopRow = std::clamp(FTopRow, FirstRow, std::max(FirstRow, maxTopLeft(false)));
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    FColWidths.clear();
    FDefaultColWidth = Value;
    ColWidthsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    FRowHeights.clear();
    FDefaultRowHeight = Value;
    RowHeightsChanged();
    InvalidateGrid();
}

int TCustomGrid::ColWidths(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FColWidths.size())) return FDefaultColWidth;
    return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= FColCount) return;
    if (Value < 0) Value = 0;
    if (ColWidths(Index) == Value) return;
    if (FColWidths.empty()) FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
    FColWidths[static_cast<size_t>(Index)] = Value;
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FRowHeights.size())) return FDefaultRowHeight;
    return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= FRowCount) return;
    if (Value < 0) Value = 0;
    if (RowHeights(Index) == Value) return;
    if (FRowHeights.empty()) FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    FRowHeights[static_cast<size_t>(Index)] = Value;
    RowHeightsChanged();
}

namespace {

int extentSum(const std::vector<int>& Sizes, int Default, int From, int To) {
    if (To <= From) return 0;
    From = std::max(From, 0);
    const int Stored = static_cast<int>(Sizes.size());
    int Sum = 0;
    for (int I = From; I < std::min(To, Stored); ++I) Sum += Sizes[static_cast<size_t>(I)];
    if (To > std::max(From, Stored)) Sum += (To - std::max(From, Stored)) * Default;
    return Sum;
}

}  // namespace

int TCustomGrid::ColWidthsSum(int From, int To) const { return extentSum(FColWidths, FDefaultColWidth, From, To); }
int TCustomGrid::RowHeightsSum(int From, int To) const { return extentSum(FRowHeights, FDefaultRowHeight, From, To); }

void TCustomGrid::ColWidthsChanged() {
    updateScrollBars();
    if (FEditorMode) placeEditor();
    InvalidateGrid();
}

void TCustomGrid::RowHeightsChanged() {
    updateScrollBars();
    if (FEditorMode) placeEditor();
    InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    updateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    FOptions = Value;
    if (!FOptions.Contains(goEditing)) HideEditor();
    if (FOptions.Contains(goAlwaysShowEditor)) SetEditorMode(true);
    if (FOptions.Contains(goRowSelect)) {
        FAnchorCol = FFixedCols;  // a row selection spans every scrolled column
    }
    updateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value) {
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    updateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    InvalidateGrid();
}

bool TCustomGrid::TabStops(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FTabStops.size())) return true;
    return FTabStops[static_cast<size_t>(Index)];
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
    if (Index < 0 || Index >= FColCount) return;
    if (FTabStops.empty()) FTabStops.assign(static_cast<size_t>(FColCount), true);
    FTabStops[static_cast<size_t>(Index)] = Value;
}

void TCustomGrid::ChangeScale(int M, int D) {
    TCustomControl::ChangeScale(M, D);
    if (M == D || D == 0) return;
    FDefaultColWidth = MulDiv(FDefaultColWidth, M, D);
    FDefaultRowHeight = MulDiv(FDefaultRowHeight, M, D);
    for (int& W : FColWidths) W = MulDiv(W, M, D);
    for (int& H : FRowHeights) H = MulDiv(H, M, D);
    updateScrollBars();
    InvalidateGrid();
}

// ---------------------------------------------------------------------------------------------
// Layout

int TCustomGrid::cellExtent(bool Horizontal, int Index) const {
    return Horizontal ? ColWidths(Index) : RowHeights(Index);
}

TCustomGrid::TAxisInfo TCustomGrid::axisInfo(bool Horizontal) const {
    TAxisInfo A;
    const bool Lines = Horizontal ? (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine))
                                  : (FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine));
    A.EffectiveLineWidth = Lines ? FGridLineWidth : 0;
    A.FixedCellCount = Horizontal ? FFixedCols : FFixedRows;
    A.FirstGridCell = Horizontal ? FLeftCol : FTopRow;
    A.GridCellCount = Horizontal ? FColCount : FRowCount;
    const TRect Client = GetClientRect();
    A.GridExtent = Horizontal ? Client.Width() : Client.Height();
    for (int I = 0; I < A.FixedCellCount; ++I) A.FixedBoundary += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
    int Boundary = A.FixedBoundary;
    A.LastFullVisibleCell = A.FirstGridCell - 1;
    A.FullVisBoundary = A.FixedBoundary;
    for (int I = A.FirstGridCell; I < A.GridCellCount; ++I) {
        Boundary += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
        if (Boundary > A.GridExtent + A.EffectiveLineWidth) {
            Boundary = A.GridExtent;
            break;
        }
        A.LastFullVisibleCell = I;
        A.FullVisBoundary = Boundary;
    }
    A.GridBoundary = std::min(Boundary, A.GridExtent);
    return A;
}

TCustomGrid::TAxisInfo TCustomGrid::horzInfo() const { return axisInfo(true); }
TCustomGrid::TAxisInfo TCustomGrid::vertInfo() const { return axisInfo(false); }

int TCustomGrid::FixedWidth() const { return horzInfo().FixedBoundary; }
int TCustomGrid::FixedHeight() const { return vertInfo().FixedBoundary; }

// The largest first scrolled cell that still lets the last cells fill the view.
int TCustomGrid::maxTopLeft(bool Horizontal) const {
    const TAxisInfo A = axisInfo(Horizontal);
    const int Available = A.GridExtent - A.FixedBoundary;
    int Used = 0;
    int I = A.GridCellCount - 1;
    while (I >= A.FixedCellCount) {
        Used += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
        if (Used > Available + A.EffectiveLineWidth) break;
        --I;
    }
    return std::clamp(I + 1, A.FixedCellCount, std::max(A.FixedCellCount, A.GridCellCount - 1));
}

int TCustomGrid::VisibleColCount() const {
    const TAxisInfo A = horzInfo();
    const int Count = A.LastFullVisibleCell - A.FirstGridCell + 1;
    return std::max(Count, std::min(1, A.GridCellCount - A.FirstGridCell));
}

int TCustomGrid::VisibleRowCount() const {
    const TAxisInfo A = vertInfo();
    const int Count = A.LastFullVisibleCell - A.FirstGridCell + 1;
    return std::max(Count, std::min(1, A.GridCellCount - A.FirstGridCell));
}

int TCustomGrid::GridWidth() const { return horzInfo().GridBoundary; }
int TCustomGrid::GridHeight() const { return vertInfo().GridBoundary; }

// The client rectangle of the cells ALeft..ARight x ATop..ABottom that are in view, clipped to
// the shown cells; empty when none is.
TRect TCustomGrid::boxRect(int ALeft, int ATop, int ARight, int ABottom) const {
    const auto span = [this](bool Horizontal, int From, int To, int& Start, int& End) {
        const TAxisInfo A = axisInfo(Horizontal);
        if (From > To) std::swap(From, To);
        // Position of a cell's start, or -1 when it lies scrolled away to the left (top).
        const auto startOf = [&](int Index) {
            if (Index < A.FixedCellCount) {
                int P = 0;
                for (int I = 0; I < Index; ++I) P += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
                return P;
            }
            if (Index < A.FirstGridCell) return -1;
            int P = A.FixedBoundary;
            for (int I = A.FirstGridCell; I < Index; ++I) {
                P += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
                if (P >= A.GridBoundary) return A.GridBoundary;
            }
            return P;
        };
        // A range starting in the fixed part and ending in the scrolled part starts where it is seen.
        if (From >= A.FixedCellCount && From < A.FirstGridCell) From = A.FirstGridCell;
        if (From > To || From >= A.GridCellCount) {
            Start = End = 0;
            return false;
        }
        Start = startOf(From);
        const int Last = std::min(To, A.GridCellCount - 1);
        const int LastStart = startOf(Last);
        if (Start < 0 || LastStart < 0 || Start >= A.GridBoundary) {
            Start = End = 0;
            return false;
        }
        End = std::min(LastStart + cellExtent(Horizontal, Last), A.GridBoundary);
        return End > Start || (End == Start && cellExtent(Horizontal, Last) == 0);
    };
    int L = 0, R = 0, T = 0, B = 0;
    if (!span(true, ALeft, ARight, L, R) || !span(false, ATop, ABottom, T, B)) return TRect{};
    return Rect(L, T, R, B);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return TRect{};
    return boxRect(ACol, ARow, ACol, ARow);
}

int TCustomGrid::coordAt(bool Horizontal, int Pos) const {
    const TAxisInfo A = axisInfo(Horizontal);
    if (Pos < 0) return -1;
    if (Pos < A.FixedBoundary) {
        int P = 0;
        for (int I = 0; I < A.FixedCellCount; ++I) {
            P += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
            if (Pos < P) return I;
        }
        return -1;
    }
    if (Pos >= A.GridBoundary) return -1;
    int P = A.FixedBoundary;
    for (int I = A.FirstGridCell; I < A.GridCellCount; ++I) {
        P += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
        if (Pos < P) return I;
    }
    return -1;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    TGridCoord C{coordAt(true, X), coordAt(false, Y)};
    if (C.X < 0 || C.Y < 0) C = TGridCoord{-1, -1};
    return C;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord C = MouseCoord(X, Y);
    ACol = C.X;
    ARow = C.Y;
}

TRect TCustomGrid::GetClientRect() const {
    TRect R = TCustomControl::GetClientRect();
    if (scrollBarShown(FVertBar)) R.Right = std::max(R.Left, R.Right - scrollBarSize(SB_VERT));
    if (scrollBarShown(FHorzBar)) R.Bottom = std::max(R.Top, R.Bottom - scrollBarSize(SB_HORZ));
    return R;
}

void TCustomGrid::Resize() {
    updateScrollBars();
    clampCurrent();
    if (FEditorMode) placeEditor();
    TCustomControl::Resize();
}

// ---------------------------------------------------------------------------------------------
// Current cell, selection, scrolling

TGridRect TCustomGrid::Selection() const {
    TGridRect S{std::min(FAnchorCol, FCol), std::min(FAnchorRow, FRow), std::max(FAnchorCol, FCol),
                std::max(FAnchorRow, FRow)};
    if (FOptions.Contains(goRowSelect)) {
        S.Left = std::min(FFixedCols, FColCount - 1);
        S.Right = FColCount - 1;
    }
    return S;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    if (Value.Left >= FColCount || Value.Top >= FRowCount) {
        FCol = Value.Left;
        FRow = Value.Top;
        FAnchorCol = Value.Right;
        FAnchorRow = Value.Bottom;
        InvalidateGrid();
        return;
    }
    TGridRect S = Value;
    S.Left = std::clamp(S.Left, 0, FColCount - 1);
    S.Right = std::clamp(S.Right, 0, FColCount - 1);
    S.Top = std::clamp(S.Top, 0, FRowCount - 1);
    S.Bottom = std::clamp(S.Bottom, 0, FRowCount - 1);
    moveCurrent(S.Left, S.Top, true, true);
    extendSelection(S.Right, S.Bottom);
    // The current cell stays where the selection starts.
    FAnchorCol = S.Right;
    FAnchorRow = S.Bottom;
    FCol = S.Left;
    FRow = S.Top;
    InvalidateGrid();
}

void TCustomGrid::SetCol(int Value) {
    if (Value != FCol) FocusCell(Value, FRow, true);
}

void TCustomGrid::SetRow(int Value) {
    if (Value != FRow) FocusCell(FCol, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    const TWeak<TCustomGrid> Self(this);
    moveCurrent(ACol, ARow, MoveAnchor, true);
    if (!Self) return;
    UpdateEdit();
    if (!Self) return;
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
    moveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::moveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    const TWeak<TCustomGrid> Self(this);
    if (!SelectCell(ACol, ARow) || !Self) return;
    const bool Changed = ACol != FCol || ARow != FRow;
    if (Changed && FEditorMode) UpdateText();
    if (!Self) return;
    FCol = ACol;
    FRow = ARow;
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchorCol = ACol;
        FAnchorRow = ARow;
    }
    if (FOptions.Contains(goRowSelect)) FAnchorCol = FFixedCols;
    if (Show) ScrollCellIntoView(FCol, FRow);
    InvalidateGrid();
}

void TCustomGrid::extendSelection(int ACol, int ARow) {
    FAnchorCol = std::clamp(ACol, 0, FColCount - 1);
    FAnchorRow = std::clamp(ARow, 0, FRowCount - 1);
    InvalidateGrid();
}

void TCustomGrid::ScrollCellIntoView(int ACol, int ARow) {
    int NewLeft = FLeftCol;
    int NewTop = FTopRow;
    const auto fit = [this](bool Horizontal, int Index, int& First) {
        const TAxisInfo A = axisInfo(Horizontal);
        if (Index < A.FixedCellCount) return;
        if (Index < First) {
            First = Index;
            return;
        }
        // Move the first cell forward until Index ends inside the view.
        const int Available = A.GridExtent - A.FixedBoundary;
        int Used = 0;
        for (int I = First; I <= Index; ++I) Used += cellExtent(Horizontal, I) + A.EffectiveLineWidth;
        while (First < Index && Used > Available + A.EffectiveLineWidth) {
            Used -= cellExtent(Horizontal, First) + A.EffectiveLineWidth;
            ++First;
        }
    };
    fit(true, ACol, NewLeft);
    fit(false, ARow, NewTop);
    setTopLeft(NewLeft, NewTop);
}

void TCustomGrid::SetLeftCol(int Value) { setTopLeft(Value, FTopRow); }
void TCustomGrid::SetTopRow(int Value) { setTopLeft(FLeftCol, Value); }

void TCustomGrid::setTopLeft(int ALeft, int ATop) {
    ALeft = std::clamp(ALeft, std::min(FFixedCols, FColCount - 1), std::max(FFixedCols, maxTopLeft(true)));
    ATop = std::clamp(ATop, std::min(FFixedRows, FRowCount - 1), std::max(FFixedRows, maxTopLeft(false)));
    if (ALeft == FLeftCol && ATop == FTopRow) return;
    FLeftCol = ALeft;
    FTopRow = ATop;
    updateScrollBars();
    if (FEditorMode) placeEditor();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (!FColWidths.empty()) {
        const int W = FColWidths[static_cast<size_t>(FromIndex)];
        FColWidths.erase(FColWidths.begin() + FromIndex);
        FColWidths.insert(FColWidths.begin() + ToIndex, W);
    }
    if (!FTabStops.empty()) {
        const bool T = FTabStops[static_cast<size_t>(FromIndex)];
        FTabStops.erase(FTabStops.begin() + FromIndex);
        FTabStops.insert(FTabStops.begin() + ToIndex, T);
    }
    ColumnMoved(FromIndex, ToIndex);
    if (FEditorMode) UpdateEdit();
    InvalidateGrid();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (!FRowHeights.empty()) {
        const int H = FRowHeights[static_cast<size_t>(FromIndex)];
        FRowHeights.erase(FRowHeights.begin() + FromIndex);
        FRowHeights.insert(FRowHeights.begin() + ToIndex, H);
    }
    RowMoved(FromIndex, ToIndex);
    if (FEditorMode) UpdateEdit();
    InvalidateGrid();
}

void TCustomGrid::InsertGridRows(int Index, int Count) {
    if (Count <= 0) return;
    Index = std::clamp(Index, 0, FRowCount);
    if (!FRowHeights.empty())
        FRowHeights.insert(FRowHeights.begin() + Index, static_cast<size_t>(Count), FDefaultRowHeight);
    changeSize(FColCount, FRowCount + Count);
}

void TCustomGrid::DeleteGridRows(int Index, int Count) {
    // One row always stays.
    Count = std::min({Count, FRowCount - Index, FRowCount - 1});
    if (Count <= 0 || Index < 0) return;
    if (!FRowHeights.empty()) FRowHeights.erase(FRowHeights.begin() + Index, FRowHeights.begin() + Index + Count);
    changeSize(FColCount, FRowCount - Count);
}

void TCustomGrid::DeleteGridRowList(const std::vector<int>& Rows) {
    std::vector<int> Valid;
    for (int R : Rows)
        if (R >= 0 && R < FRowCount) Valid.push_back(R);
    if (Valid.empty() || static_cast<int>(Valid.size()) >= FRowCount) return;
    if (!FRowHeights.empty()) {
        size_t Write = 0, Next = 0;
        for (size_t Read = 0; Read < FRowHeights.size(); ++Read) {
            if (Next < Valid.size() && Valid[Next] == static_cast<int>(Read)) {
                ++Next;
                continue;
            }
            FRowHeights[Write++] = FRowHeights[Read];
        }
        FRowHeights.resize(Write);
    }
    changeSize(FColCount, FRowCount - static_cast<int>(Valid.size()));
}

void TCustomGrid::DeleteColumn(int ACol) {
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    if (HandleAllocated()) Invalidate();
}

void TCustomGrid::InvalidateCol(int ACol) {
    if (HandleAllocated()) Invalidate();
}

void TCustomGrid::InvalidateRow(int ARow) {
    if (HandleAllocated()) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

int TCustomGrid::scrollBarSize(int Bar) const {
    const TWindowScrollBar& B = (Bar == SB_VERT ? FVertBar : FHorzBar).Bar;
    return B.Width > 0 ? B.Width : GetSystemMetrics(Bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
}

bool TCustomGrid::scrollBarShown(const TScrollBarState& S) const { return S.Forced >= 0 ? S.Forced == 1 : S.Shown; }

bool TCustomGrid::ScrollBarVisible(int Bar) const { return scrollBarShown(Bar == SB_VERT ? FVertBar : FHorzBar); }

bool TCustomGrid::ScrollBarEnabled(int Bar) const {
    return (Bar == SB_VERT ? FVertBar : FHorzBar).Bar.DisabledArrows != ESB_DISABLE_BOTH;
}

int TCustomGrid::ScrollPos(int Bar) const { return (Bar == SB_VERT ? FVertBar : FHorzBar).Bar.Pos; }

TWindowScrollBar* TCustomGrid::WindowScrollBar(int Bar) {
    if (Bar == SB_VERT) return &FVertBar.Bar;
    if (Bar == SB_HORZ) return &FHorzBar.Bar;
    return nullptr;
}

void TCustomGrid::WindowScrollBarChanged(int Bar, bool Redraw) {
    // A flat bar's width changes the client area.
    if (Redraw) InvalidateGrid();
}

void TCustomGrid::ShowScrollBar(int Bar, bool Show) {
    if (Bar == SB_VERT || Bar == SB_BOTH) FVertBar.Forced = Show ? 1 : 0;
    if (Bar == SB_HORZ || Bar == SB_BOTH) FHorzBar.Forced = Show ? 1 : 0;
    InvalidateGrid();
}

void TCustomGrid::EnableScrollBar(int Bar, UINT Arrows) {
    if (Bar == SB_VERT || Bar == SB_BOTH) FVertBar.Bar.DisabledArrows = Arrows & ESB_DISABLE_BOTH;
    if (Bar == SB_HORZ || Bar == SB_BOTH) FHorzBar.Bar.DisabledArrows = Arrows & ESB_DISABLE_BOTH;
    InvalidateGrid();
}

// A bar is shown while its range reaches beyond the view; showing one narrows the other axis,
// so the rule runs until it settles.
void TCustomGrid::updateScrollBars() {
    if (FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    for (int Pass = 0; Pass < 3; ++Pass) {
        const bool WantVert = (FScrollBars == ssVertical || FScrollBars == ssBoth) && maxTopLeft(false) > FFixedRows;
        const bool WantHorz = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && maxTopLeft(true) > FFixedCols;
        if (WantVert == FVertBar.Shown && WantHorz == FHorzBar.Shown) break;
        // A bar shown or hidden by code follows the range again once the range's need changes.
        if (WantVert != FVertBar.Shown) FVertBar.Forced = -1;
        if (WantHorz != FHorzBar.Shown) FHorzBar.Forced = -1;
        FVertBar.Shown = WantVert;
        FHorzBar.Shown = WantHorz;
    }
    const auto update = [this](bool Horizontal, TWindowScrollBar& B) {
        const int First = Horizontal ? FLeftCol : FTopRow;
        const int Fixed = Horizontal ? FFixedCols : FFixedRows;
        const bool Tracking = FOptions.Contains(goThumbTracking);
        const int Lo = Tracking ? Fixed : 0;
        const int Hi = Tracking ? maxTopLeft(Horizontal) : 127;
        // A range and page set from outside stay while their positions end where the grid's do.
        const int Last = B.Page > 0 ? B.Max - B.Page + 1 : B.Max;
        if (B.Min != Lo || Last != Hi) {
            B.Min = Lo;
            B.Max = Hi;
            B.Page = 0;
        }
        if (Tracking) {
            B.Pos = First;
        } else {
            const int Range = maxTopLeft(Horizontal) - Fixed;
            B.Pos = Range > 0 ? MulDiv(First - Fixed, 127, Range) : 0;
        }
    };
    update(true, FHorzBar.Bar);
    update(false, FVertBar.Bar);
    FUpdatingScrollBars = false;
}

int TCustomGrid::thumbToCell(bool Horizontal, int Pos) const {
    const int Fixed = Horizontal ? FFixedCols : FFixedRows;
    if (FOptions.Contains(goThumbTracking)) return Pos;
    return Fixed + MulDiv(Pos, maxTopLeft(Horizontal) - Fixed, 127);
}

void TCustomGrid::scrollByCode(bool Horizontal, int Code, int ThumbPos) {
    const int First = Horizontal ? FLeftCol : FTopRow;
    const int Fixed = Horizontal ? FFixedCols : FFixedRows;
    const int Page = std::max(1, Horizontal ? VisibleColCount() : VisibleRowCount());
    int Target = First;
    switch (Code) {
        case SB_LINEUP:
            Target = First - 1;
            break;
        case SB_LINEDOWN:
            Target = First + 1;
            break;
        case SB_PAGEUP:
            Target = First - Page;
            break;
        case SB_PAGEDOWN:
            Target = First + Page;
            break;
        case SB_THUMBPOSITION:
            Target = thumbToCell(Horizontal, ThumbPos);
            break;
        case SB_THUMBTRACK:
            if (!FOptions.Contains(goThumbTracking)) return;
            Target = thumbToCell(Horizontal, ThumbPos);
            break;
        case SB_TOP:
            Target = Fixed;
            break;
        case SB_BOTTOM:
            Target = maxTopLeft(Horizontal);
            break;
        default:
            return;
    }
    if (Horizontal)
        setTopLeft(Target, FTopRow);
    else
        setTopLeft(FLeftCol, Target);
}

// Scroll messages of a child's bar (its window in LParam) are the child's.
bool TCustomGrid::fromChild(const TMessage& Message) {
    return Message.LParam && (!HandleAllocated() || reinterpret_cast<HWND>(Message.LParam) != Handle());
}

void TCustomGrid::WMHScroll(TMessage& Message) {
    if (fromChild(Message)) {
        TCustomControl::Dispatch(Message);
        return;
    }
    scrollByCode(true, LOWORD(Message.WParam), static_cast<std::int16_t>(HIWORD(Message.WParam)));
    Message.Result = 0;
}

void TCustomGrid::WMVScroll(TMessage& Message) {
    if (fromChild(Message)) {
        TCustomControl::Dispatch(Message);
        return;
    }
    scrollByCode(false, LOWORD(Message.WParam), static_cast<std::int16_t>(HIWORD(Message.WParam)));
    Message.Result = 0;
}
