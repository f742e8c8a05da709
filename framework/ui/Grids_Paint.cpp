// TCustomGrid painting: the four areas of cells (fixed corner, fixed rows, fixed columns, the
// scrolled area), the grid lines, the empty area beyond the cells, the frame and the scroll bars.
#include "framework/rtl/SysUtils.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/Grids.h"

#include <algorithm>

namespace {

constexpr TColor kNormalLineColor = clSilver;
constexpr TColor kFixedLineColor = clBlack;

}  // namespace

void TCustomGrid::Paint() {
    TCanvas* C = Canvas();
    const TAxisInfo H = horzInfo();
    const TAxisInfo V = vertInfo();
    const TRect Client = GetClientRect();
    C->Font()->Assign(Font());

    HDC DC = C->Handle();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, Client.Left, Client.Top, Client.Right, Client.Bottom);
    paintCells(0, FFixedCols - 1, 0, FFixedRows - 1, 0, 0, true, true);
    paintCells(FLeftCol, FColCount - 1, 0, FFixedRows - 1, H.FixedBoundary, 0, false, true);
    paintCells(0, FFixedCols - 1, FTopRow, FRowCount - 1, 0, V.FixedBoundary, true, false);
    paintCells(FLeftCol, FColCount - 1, FTopRow, FRowCount - 1, H.FixedBoundary, V.FixedBoundary, false, false);
    paintGridLines(H, V);

    // The client area beyond the cells.
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    if (H.GridBoundary < Client.Right) C->FillRect(Rect(H.GridBoundary, 0, Client.Right, Client.Bottom));
    if (V.GridBoundary < Client.Bottom) C->FillRect(Rect(0, V.GridBoundary, H.GridBoundary, Client.Bottom));
    RestoreDC(DC, Saved);

    paintFrame();
    paintScrollBar(SB_VERT);
    paintScrollBar(SB_HORZ);
    if (ScrollBarVisible(SB_VERT) && ScrollBarVisible(SB_HORZ)) {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(Rect(Client.Right, Client.Bottom, Width(), Height()));
    }
}

// Paints the cells FromCol.. x FromRow.. from (StartX, StartY) until the area's boundary.
void TCustomGrid::paintCells(int FromCol, int ToCol, int FromRow, int ToRow, int StartX, int StartY, bool FixedColArea,
                             bool FixedRowArea) {
    const TAxisInfo H = horzInfo();
    const TAxisInfo V = vertInfo();
    const int XLimit = FixedColArea ? H.FixedBoundary : H.GridBoundary;
    const int YLimit = FixedRowArea ? V.FixedBoundary : V.GridBoundary;
    const TGridRect Sel = Selection();
    const bool HasFocus = Focused();
    TCanvas* C = Canvas();
    const TWeak<TCustomGrid> Self(this);

    int Y = StartY;
    for (int R = FromRow; R <= ToRow && Y < YLimit; ++R) {
        const int RowH = RowHeights(R);
        int X = StartX;
        for (int Col = FromCol; Col <= ToCol && X < XLimit; ++Col) {
            const int ColW = ColWidths(Col);
            const TRect Where = Rect(X, Y, X + ColW, Y + RowH);
            if (ColW > 0 && RowH > 0) {
                TGridDrawState State;
                const bool Fixed = FixedColArea || FixedRowArea;
                if (Fixed) {
                    State.Include(gdFixed);
                } else {
                    if (HasFocus && Col == FCol && R == FRow) State.Include(gdFocused);
                    if (Col >= Sel.Left && Col <= Sel.Right && R >= Sel.Top && R <= Sel.Bottom)
                        State.Include(gdSelected);
                    if (FOptions.Contains(goRowSelect) && R >= Sel.Top && R <= Sel.Bottom) State.Include(gdRowSelected);
                }
                if (FDefaultDrawing) {
                    TColor Back = Color();
                    C->Font()->SetColor(Font()->Color());
                    if (Fixed) {
                        Back = FFixedColor;
                    } else if (State.Contains(gdSelected) &&
                               (!State.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                                FOptions.Contains(goRowSelect))) {
                        Back = clHighlight;
                        C->Font()->SetColor(clHighlightText);
                    }
                    C->Brush()->SetStyle(bsSolid);
                    C->Brush()->SetColor(Back);
                    C->FillRect(Where);
                }
                DrawCell(Col, R, Where, State);
                if (!Self) return;
                if (FDefaultDrawing && State.Contains(gdFocused) && !FOptions.Contains(goRowSelect)) {
                    TRect Focus = Where;
                    C->DrawFocusRect(Focus);
                }
            }
            X += ColW + H.EffectiveLineWidth;
        }
        Y += RowH + V.EffectiveLineWidth;
    }
}

// The lines in the gaps after each cell: fixed lines in the fixed areas, the others elsewhere.
void TCustomGrid::paintGridLines(const TAxisInfo& H, const TAxisInfo& V) {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    if (H.EffectiveLineWidth > 0) {
        int X = 0;
        const auto vline = [&](int At, bool Fixed) {
            const bool Show = Fixed ? FOptions.Contains(goFixedVertLine) : FOptions.Contains(goVertLine);
            if (!Show) return;
            C->Brush()->SetColor(Fixed ? kFixedLineColor : kNormalLineColor);
            // Fixed lines run the full height; normal ones only beside the scrolled rows.
            const int Top = Fixed ? 0 : V.FixedBoundary;
            C->FillRect(Rect(At, Fixed ? 0 : Top, At + H.EffectiveLineWidth, V.GridBoundary));
            if (!Fixed && FOptions.Contains(goFixedVertLine) && V.FixedBoundary > 0) {
                C->Brush()->SetColor(kFixedLineColor);
                C->FillRect(Rect(At, 0, At + H.EffectiveLineWidth, V.FixedBoundary));
            }
        };
        for (int I = 0; I < FFixedCols; ++I) {
            X += ColWidths(I);
            vline(X, true);
            X += H.EffectiveLineWidth;
        }
        for (int I = FLeftCol; I < FColCount && X < H.GridBoundary; ++I) {
            X += ColWidths(I);
            vline(X, false);
            X += H.EffectiveLineWidth;
        }
    }
    if (V.EffectiveLineWidth > 0) {
        int Y = 0;
        const auto hline = [&](int At, bool Fixed) {
            const bool Show = Fixed ? FOptions.Contains(goFixedHorzLine) : FOptions.Contains(goHorzLine);
            if (!Show) return;
            C->Brush()->SetColor(Fixed ? kFixedLineColor : kNormalLineColor);
            const int Left = Fixed ? 0 : H.FixedBoundary;
            C->FillRect(Rect(Left, At, H.GridBoundary, At + V.EffectiveLineWidth));
            if (!Fixed && FOptions.Contains(goFixedHorzLine) && H.FixedBoundary > 0) {
                C->Brush()->SetColor(kFixedLineColor);
                C->FillRect(Rect(0, At, H.FixedBoundary, At + V.EffectiveLineWidth));
            }
        };
        for (int I = 0; I < FFixedRows; ++I) {
            Y += RowHeights(I);
            hline(Y, true);
            Y += V.EffectiveLineWidth;
        }
        for (int I = FTopRow; I < FRowCount && Y < V.GridBoundary; ++I) {
            Y += RowHeights(I);
            hline(Y, false);
            Y += V.EffectiveLineWidth;
        }
    }
}

void TCustomGrid::paintFrame() {
    if (FBorderStyle != bsSingle) return;
    TCanvas* C = Canvas();
    C->Brush()->SetColor(clWindowFrame);
    C->FrameRect(Rect(0, 0, Width(), Height()));
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

TRect TCustomGrid::ScrollBarRect(int Bar) const {
    const TRect Client = GetClientRect();
    if (!ScrollBarVisible(Bar)) return TRect{};
    if (Bar == SB_VERT)
        return Rect(Client.Right, 0, std::min(Width(), Client.Right + scrollBarSize(SB_VERT)), Client.Bottom);
    return Rect(0, Client.Bottom, Client.Right, std::min(Height(), Client.Bottom + scrollBarSize(SB_HORZ)));
}

// While the thumb is dragged it shows the track position.
TScrollBarLayout TCustomGrid::scrollBarLayout(int Bar) const {
    const TWindowScrollBar& B = (Bar == SB_VERT ? FVertBar : FHorzBar).Bar;
    const int Pos = (FBarPressed == Bar && FBarPart == sbpThumb) ? B.TrackPos : B.Pos;
    return TScrollBarLayout(ScrollBarRect(Bar), Bar == SB_VERT, B.Min, B.Max, B.Page, Pos);
}

void TCustomGrid::paintScrollBar(int Bar) {
    if (ScrollBarRect(Bar).IsEmpty()) return;
    const TWindowScrollBar& B = (Bar == SB_VERT ? FVertBar : FHorzBar).Bar;
    PaintScrollBar(Canvas(), scrollBarLayout(Bar), B.Look, FBarPressed == Bar ? FBarPart : sbpNone,
                   B.DisabledArrows != ESB_DISABLE_BOTH);
}
