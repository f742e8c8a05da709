// Painting of tree nodes: the tree lines of the node column and the node glyph in each style.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/ui/FrameControls.h"

namespace {

void line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// The plus or minus of a square glyph box whose top-left is (L, T), the stroke 5 pixels long.
void drawSign(TCanvas* C, int L, int T, bool Plus) {
    line(C, L + 2, T + 4, L + 7, T + 4);
    if (Plus) line(C, L + 4, T + 2, L + 4, T + 7);
}

// The XP look: a 9 x 9 box, grey frame and a light top-to-bottom fill, black sign.
void drawXPBox(TCanvas* C, int L, int T, bool Contracted) {
    for (int y = 1; y < 8; ++y) {
        const int Shade = 0xFF - (y * 0x28) / 7;
        C->Pen()->SetColor(static_cast<TColor>(Shade | (Shade << 8) | (Shade << 16)));
        line(C, L + 1, T + y, L + 8, T + y);
    }
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(0x919191);
    C->Rectangle(L, T, L + 9, T + 9);
    C->Pen()->SetColor(clBlack);
    drawSign(C, L, T, Contracted);
}

// The leaf look: a 12-pixel triangle, pointing right when contracted, down when expanded.
void drawLeaf(TCanvas* C, int L, int T, bool Contracted, TColor Color) {
    C->Pen()->SetColor(Color);
    C->Brush()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    if (Contracted)
        C->Polygon({Point(L + 3, T + 1), Point(L + 9, T + 6), Point(L + 3, T + 11)});
    else
        C->Polygon({Point(L + 1, T + 3), Point(L + 11, T + 3), Point(L + 6, T + 9)});
}

}  // namespace

// The tree lines of a row in the node column: the row's branch from its parent's line, and the
// lines of the outer levels passing by.
void TVidIvezadOrir::paintTreeLines(TCanvas* Canvas, int ARow, const TRect& R) {
    const TCellNode* N = FCellNode.get();
    const int c = N->NodeColumn();
    const int Level = HasCellProperties(c, ARow) ? GetCellProperties(c, ARow)->NodeLevel() : 0;
    const int I = GetCellIndent(ARow);
    const int Indent = N->NodeIndent();
    const int X = R.Left + I + Indent / 2 - Indent + 2;
    const int M = (R.Top + R.Bottom) / 2;
    const bool HasNext = ARow + 1 < RowCount();
    const int NextLevel = HasNext && HasCellProperties(c, ARow + 1) ? GetCellProperties(c, ARow + 1)->NodeLevel() : 0;
    Canvas->Pen()->SetColor(N->TreeColor());
    Canvas->Pen()->SetWidth(1);
    if (Level > 0) line(Canvas, X, M, N->ShowTreeFull() ? R.Right : R.Left + I + 4, M);
    if (I > 0) {
        const int SpanType = GetNodeSpanType(ARow);
        if (SpanType == 1) line(Canvas, X, R.Top, X, M);
        if (SpanType == 2) line(Canvas, X, R.Top, X, R.Bottom + 4);
    }
    for (int E = 1; E <= Level; ++E) {
        const int XE = X - Indent * E;
        if (XE <= R.Left) continue;
        line(Canvas, XE, R.Top, XE, M);
        if (HasNext && NextLevel < Level - E && E < Level) line(Canvas, XE, M, XE + Indent, M);
        if (HasNext && NextLevel >= Level - E) line(Canvas, XE, M, XE, R.Bottom + 4);
        if (!HasNext && E < Level) line(Canvas, XE, M, XE + Indent, M);
    }
}

// The node glyph of a node row at its level's indent, with the short lines joining it to the
// rows above and below.
void TVidIvezadOrir::paintNodeGlyph(TCanvas* Canvas, int ARow, const TRect& Cell, const TCellGraphic* Node) {
    const TCellNode* N = FCellNode.get();
    const int c = N->NodeColumn();
    const int Indent = N->NodeIndent();
    const bool Contracted = Node->CellBoolean();
    const auto levelOf = [&](int r) {
        return r >= 0 && r < RowCount() && HasCellProperties(c, r) ? GetCellProperties(c, r)->NodeLevel() : -1;
    };
    const int Level = levelOf(ARow);
    TRect R = Cell;
    if (N->ShowTree() && ARow >= FixedRows()) {
        const int X = R.Left + GetCellIndent(ARow) - Indent + Indent / 2 + 2;
        const int M = (R.Top + R.Bottom) / 2;
        Canvas->Pen()->SetColor(N->TreeColor());
        Canvas->Pen()->SetWidth(1);
        const int Next = levelOf(ARow + 1);
        if (Next > 0 && !(Contracted && Next < Level)) line(Canvas, X, M, X, R.Bottom);
        if (levelOf(ARow - 1) >= Level) line(Canvas, X, R.Top, X, M);
    }
    R.Left += GetCellIndent(ARow) - Indent / 2 - 4;
    const int H = R.Height();
    Canvas->Pen()->SetWidth(1);
    switch (N->NodeType()) {
        case cnXP:
            drawXPBox(Canvas, R.Left + 4, R.Top + (H - 10) / 2, Contracted);
            return;
        case cnLeaf:
            drawLeaf(Canvas, R.Left, R.Top + (H - 12) / 2, Contracted, N->NodeColor());
            return;
        case cnGlyph:
            if (!N->ExpandGlyph()->Empty() && !N->ContractGlyph()->Empty()) {
                TBitmap* Glyph = Contracted ? N->ContractGlyph() : N->ExpandGlyph();
                Glyph->SetTransparent(true);
                Canvas->Draw(R.Left, R.Top + (H - N->ContractGlyph()->Height()) / 2, Glyph);
                return;
            }
            break;
        default:
            break;
    }
    const int L = R.Left + 4;
    const int T = R.Top + std::max(0, H - 8) / 2;
    TRect Box = Rect(L, T, L + 8, T + 8);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(N->Color());
    if (N->NodeType() == cnFlat) {
        Canvas->Pen()->SetColor(N->NodeColor());
        Canvas->Rectangle(L, T, L + 9, T + 9);
        drawSign(Canvas, L, T, Contracted);
        return;
    }
    Canvas->FillRect(Box);
    DrawEdge(Canvas->Handle(), &Box, Contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
}

// The node column's tree lines and a node row's glyph, before the cell's text.
void TVidIvezadOrir::paintNodeCell(TCanvas* Canvas, int ACol, int ARow, const TRect& R) {
    if (!HasNodes() || ACol != FCellNode->NodeColumn()) return;
    if (ARow >= FixedRows() && FCellNode->ShowTree()) paintTreeLines(Canvas, ARow, R);
    if (const TCellGraphic* G = GetCellGraphic(ACol, ARow); G && G->CellType() == ctNode)
        paintNodeGlyph(Canvas, ARow, R, G);
    Canvas->Brush()->SetStyle(bsSolid);
}
