// TBaseGrid painting: each cell's look is gathered (GetVisualProperties, hover row, active row),
// then the background or the selection frame, the grid lines and the content (RenderCell) are
// drawn. A merged area is painted once per paint pass, by whichever of its cells comes first.
#include "components/graphics/AdvUtilDraw.h"
#include "components/grid/BaseGrid.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Gdi.h"

#include <algorithm>

using namespace basegrid;

namespace {

// The selection frame's colours by style: fill, fill-to, inner corner, outer line, inner bottom,
// inner top, and the lower half's two colours (clNone: one gradient).
struct TSelectionFrameLook {
    TColor Fill, FillTo, InnerCorner, OuterLine, InnerBottom, InnerTop, MirrorColor, MirrorColorTo;
};
enum TSelectionFrameCase { sfVista, sfWin7, sfOffice2007, sfUnfocused };
constexpr TSelectionFrameLook kSelectionFrames[] = {
    /* sfVista      */ {0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone},
    /* sfWin7       */ {0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone},
    /* sfOffice2007 */ {0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC},
    /* sfUnfocused  */ {0xF8F8F8, 0xE5E5E5, 0xEFEFEF, 0xD9D9D9, 0xF0F0F0, 0xFBFAFA, clNone, clNone},
};
static_assert(std::size(kSelectionFrames) == sfUnfocused + 1);

// What one cell looks like in this paint: gathered before anything is drawn.
struct TCellLook {
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool WordWrap = false;
    TCellGradientDirection Direction = GradientVertical;
};

}  // namespace

void TBaseGrid::Paint() {
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    // The base cell of a merged area stamps the pass too, so that a covered cell painted after
    // it does not paint the area a second time.
    const int RealCol = RealColIndex(ACol);
    if (IsMergedCell(RealCol, ARow) && IsBaseCell(RealCol, ARow)) {
        TCellProperties* P = cellProps(RealCol, ARow);
        if (P->PaintID() == FPaintID) return;
        P->SetPaintID(FPaintID);
    }
    doPaintCell(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    doPaintCell(Canvas, ACol, ARow, Rect, State, true);
}

void TBaseGrid::PaintCellExt(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    doPaintCell(Canvas, ACol, ARow, Rect, State, false);
}

void TBaseGrid::RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    const String Text = GetCellEx(ACol, ARow);
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas->Handle(), Text, Text.length(), Rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TBaseGrid::doPaintCell(TCanvas* Canvas, int ACol, int ARow, TRect Where, TGridDrawState State, bool Full) {
    // A reserved last row shows only the grid's colour.
    if (FHideLastRow && ARow == RowCount() - 1) {
        Canvas->Brush()->SetColor(Color());
        Canvas->Pen()->SetColor(Color());
        Canvas->FillRect(Where);
        return;
    }
    const int RealCol = RealColIndex(ACol);
    if (IsMergedNonBaseCell(RealCol, ARow)) {
        const TPoint B = BaseCell(RealCol, ARow);
        TCellProperties* Base = cellProps(B.X, B.Y);
        if (Base && Base->PaintID() != FPaintID) {
            Base->SetPaintID(FPaintID);
            PaintCell(Canvas, DisplColIndex(B.X), B.Y, Where, State);
        }
        return;
    }
    if (Full && IsFixed(ACol, ARow)) {
        State.Exclude(gdSelected);
        State.Include(gdFixed);
    }
    if (Full) Where = CellRect(ACol, ARow);
    const bool Fixed = State.Contains(gdFixed);

    // A merged area reaching under the fixed rows or columns must not paint over them.
    HDC DC = Canvas->Handle();
    const int FixedW = ColWidthsSum(0, FixedCols());
    const int FixedH = RowHeightsSum(0, FixedRows());
    const bool UnderFixedCols = ACol >= FixedCols() && FixedCols() > 0 && Where.Left < FixedW;
    const bool UnderFixedRows = ARow >= FixedRows() && FixedRows() > 0 && Where.Top < FixedH;
    const int Saved = (UnderFixedCols || UnderFixedRows) ? SaveDC(DC) : 0;
    if (Saved) IntersectClipRect(DC, FixedCols() > 0 ? FixedW : 0, FixedRows() > 0 ? FixedH : 0, Width(), Height());

    // The look: the grid's answer first, then hover and active row.
    Canvas->Pen()->SetWidth(1);
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetColor(Fixed ? FixedColor() : Color());
    Canvas->Brush()->SetStyle(bsSolid);
    TCellLook Look;
    GetVisualProperties(ACol, ARow, State, false, true, true, Canvas->Brush(), Look.ColorTo, Look.MirrorColor,
                        Look.MirrorColorTo, Canvas->Font(), Look.HAlign, Look.VAlign, Look.WordWrap, Look.Direction);
    Canvas->Pen()->SetColor(Canvas->Brush()->Color());

    bool HoverExempt = (State.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected)) ||
                       (Fixed && !FHoverRowCells.Contains(hcFixed));
    if (!HoverExempt && HasNodes())
        HoverExempt = (IsNode(ARow) && !FHoverRowCells.Contains(hcGroupHeader)) ||
                      (IsSummary(ARow) && !FHoverRowCells.Contains(hcGroupSummary));
    if (ARow == FHoverRowIdx && FHoverRow && !HoverExempt) {
        Canvas->Brush()->SetColor(FHoverRowColor);
        Look.ColorTo = FHoverRowColorTo;
        Look.MirrorColor = clNone;
        Look.MirrorColorTo = clNone;
        Look.Direction = GradientVertical;
    }
    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel)) ||
        (!Full && State.Contains(gdSelected))) {
        Canvas->Brush()->SetColor(FActiveRowColor);
        Look.ColorTo = FActiveRowColorTo;
        Look.MirrorColor = FActiveRowMirrorColor;
        Look.MirrorColorTo = FActiveRowMirrorColorTo;
    }
    Canvas->Pen()->SetColor(Canvas->Brush()->Color());

    // Background or selection frame.
    if (State.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        paintSelectionFrame(Canvas, ACol, Where);
    } else if (!(UsesVCLStyles() && (Fixed || State.Contains(gdSelected)))) {
        const TColor From = Canvas->Brush()->Color();
        if (Look.MirrorColorTo == clNone)
            DrawGradient(Canvas, From, Look.ColorTo, 64, Where, Look.Direction == GradientHorizontal);
        else
            FillMirrorGradient(Canvas, Where, From, Look.ColorTo, Look.MirrorColor, Look.MirrorColorTo,
                               Look.Direction == GradientVertical, clNone, false, true);
    }

    paintGridLines(Canvas, ACol, ARow, Where, Fixed);

    TRect Content = Where;
    if (Fixed) {
        Content.Right -= 1;
        Content.Bottom -= 2;
    } else {
        Content = Rect(Where.Left + FGridLineWidth, Where.Top + FGridLineWidth, Where.Right - FGridLineWidth,
                       Where.Bottom - FGridLineWidth);
    }
    const TWeak<TBaseGrid> Self(this);
    if (Full) RenderCell(Canvas, ACol, ARow, Content, State);
    if (!Self) return;
    if (Saved) RestoreDC(DC, Saved);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
}

// The bottom and right lines of a cell: fixed cells in the fixed line colour, one pixel wide;
// normal cells in the line colour at the grid's line width.
void TBaseGrid::paintGridLines(TCanvas* Canvas, int ACol, int ARow, const TRect& R, bool Fixed) {
    int f = 1;
    if (Fixed) {
        Canvas->Pen()->SetColor(FGridFixedLineColor);
        Canvas->Pen()->SetWidth(1);
    } else {
        if (FGridLineWidth <= 0) return;
        Canvas->Pen()->SetColor(FGridLineColor);
        Canvas->Pen()->SetWidth(FGridLineWidth);
        f = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions O = Options();
    const bool HorzLine = Fixed ? O.Contains(goFixedHorzLine) : O.Contains(goHorzLine);
    const bool VertLine = Fixed ? O.Contains(goFixedVertLine) : O.Contains(goVertLine);
    // The node column of a grid with nodes has no row lines.
    const bool NodeColumn = ACol == 0 && ARow >= FixedRows() && HasNodes();
    if (HorzLine && !NodeColumn) {
        Canvas->MoveTo(R.Left - f + 1, R.Bottom - f);
        Canvas->LineTo(R.Right - f + 1, R.Bottom - f);
    }
    if (VertLine) {
        const int X = UseRightToLeftAlignment() ? R.Right - f + 1 : R.Right - f;
        Canvas->MoveTo(X, R.Bottom - f);
        Canvas->LineTo(X, R.Top - f);
    }
}

void TBaseGrid::paintSelectionFrame(TCanvas* Canvas, int ACol, TRect R) {
    TGridRect Sel = Selection();
    if (Sel.Left > Sel.Right) std::swap(Sel.Left, Sel.Right);
    int Position = 0;
    if (Sel.Left < Sel.Right) {
        if (ACol == Sel.Left)
            Position = 1;
        else if (ACol == Sel.Right)
            Position = 2;
        else
            Position = 3;
    }
    if (!Options().Contains(goHorzLine)) ++R.Bottom;
    if (!Options().Contains(goVertLine)) ++R.Right;
    if (UseRightToLeftAlignment()) {
        ++R.Right;
        ++R.Bottom;
    }
    const bool FocusedLook = Focused() || Options().Contains(goDrawFocusSelected);
    TSelectionFrameCase Case = sfUnfocused;
    if (FocusedLook) {
        switch (FSelectionStyle) {
            case ssWin7:
                Case = sfWin7;
                break;
            case ssOffice2007:
                Case = sfOffice2007;
                break;
            default:
                Case = sfVista;
                break;
        }
    }
    const TSelectionFrameLook& L = kSelectionFrames[Case];
    DrawGlossyFrame(Canvas, L.Fill, L.FillTo, L.MirrorColor, L.MirrorColorTo, L.InnerTop, L.InnerBottom, L.OuterLine,
                    L.InnerCorner, Color(), R, Position);
}
