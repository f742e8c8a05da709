// Classic 3-D edges and frame controls in the system colours.
#include "framework/ui/FrameControls.h"

#include "framework/ui/DeviceContext.h"

#include <algorithm>

namespace {

void fill(HDC DC, const TRect& R, TColor Color) {
    if (R.IsEmpty()) return;
    TDCBrush Brush;
    Brush.Color = Color;
    DCFillRect(DC, R, Brush);
}

struct TEdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

// One ring of the border: top and left first, then bottom and right over their ends.
void drawRing(HDC DC, TRect& R, const TEdgeColors& C, UINT Flags) {
    if (Flags & BF_TOP) fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, C.TopLeft);
    if (Flags & BF_LEFT) fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, C.TopLeft);
    if (Flags & BF_BOTTOM) fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, C.BottomRight);
    if (Flags & BF_RIGHT) fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, C.BottomRight);
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_BOTTOM) --R.Bottom;
    if (Flags & BF_RIGHT) --R.Right;
}

TEdgeColors outerColors(UINT Edge, UINT Flags) {
    if (Flags & BF_MONO) return {clWindowFrame, clWindowFrame};
    if (Flags & BF_FLAT) return {clBtnShadow, clBtnShadow};
    if (Edge & BDR_RAISEDOUTER) return {(Flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {clBtnShadow, clBtnHighlight};
}

TEdgeColors innerColors(UINT Edge, UINT Flags) {
    if (Flags & BF_MONO) return {clWindow, clWindow};
    if (Flags & BF_FLAT) return {clBtnFace, clBtnFace};
    if (Edge & BDR_RAISEDINNER) return {(Flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {cl3DDkShadow, cl3DLight};
}

enum class TArrow { Up, Down, Left, Right };

// A filled triangle centred in R, its size following the smaller side.
void drawArrow(HDC DC, const TRect& R, TArrow Arrow, TColor Color) {
    const bool Vertical = Arrow == TArrow::Up || Arrow == TArrow::Down;
    const int Along = Vertical ? R.Width() : R.Height(), Across = Vertical ? R.Height() : R.Width();
    int Half = std::max(1, std::min(R.Width(), R.Height()) / 3);
    Half = std::min({Half, (Along - 1) / 2, Across - 1});
    if (Half < 1) return;
    const int CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
    for (int Row = 0; Row <= Half; ++Row) {
        const int From = -Half + Row, To = Half - Row + 1;
        switch (Arrow) {
            case TArrow::Down:
                fill(DC, {CX + From, CY - Half / 2 + Row, CX + To, CY - Half / 2 + Row + 1}, Color);
                break;
            case TArrow::Up:
                fill(DC, {CX + From, CY + (Half + 1) / 2 - Row, CX + To, CY + (Half + 1) / 2 - Row + 1}, Color);
                break;
            case TArrow::Right:
                fill(DC, {CX - Half / 2 + Row, CY + From, CX - Half / 2 + Row + 1, CY + To}, Color);
                break;
            case TArrow::Left:
                fill(DC, {CX + (Half + 1) / 2 - Row, CY + From, CX + (Half + 1) / 2 - Row + 1, CY + To}, Color);
                break;
        }
    }
}

// The push button's face and border; R becomes the face inside the border.
void drawButtonFrame(HDC DC, TRect& R, UINT State) {
    if (State & DFCS_FLAT) {
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
    } else if (State & DFCS_MONO) {
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE | BF_ADJUST);
    } else if (State & (DFCS_PUSHED | DFCS_CHECKED)) {
        DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    } else {
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    }
}

void drawGlyph(HDC DC, TRect Face, TArrow Arrow, UINT State) {
    if (State & DFCS_PUSHED) {
        ++Face.Left;
        ++Face.Top;
        ++Face.Right;
        ++Face.Bottom;
    }
    if (State & DFCS_INACTIVE) {
        const TRect Emboss{Face.Left + 1, Face.Top + 1, Face.Right + 1, Face.Bottom + 1};
        drawArrow(DC, Emboss, Arrow, clBtnHighlight);
        drawArrow(DC, Face, Arrow, clBtnShadow);
    } else {
        drawArrow(DC, Face, Arrow, clBtnText);
    }
}

BOOL drawCheckOrRadio(HDC DC, TRect R, UINT State) {
    const bool Radio = (State & 0xFF) == DFCS_BUTTONRADIO;
    const bool Inactive = State & (DFCS_INACTIVE | DFCS_PUSHED);
    const bool Checked = State & DFCS_CHECKED;
    const TColor Mark = (State & DFCS_INACTIVE) || (State & DFCS_BUTTON3STATE) ? clBtnShadow : clWindowText;
    if (Radio) {
        const TDCState Saved = DC->State;
        DC->State.Pen = {clBtnShadow, 1, psSolid};
        DC->State.Brush = TDCBrush{};
        DC->State.Brush.Color = Inactive ? clBtnFace : clWindow;
        DC->State.Rop2 = pmCopy;
        DCEllipse(DC, R);
        if (Checked) {
            DC->State.Pen.Color = Mark;
            DC->State.Brush.Color = Mark;
            const int W = R.Width(), H = R.Height();
            DCEllipse(DC, {R.Left + W / 3, R.Top + H / 3, R.Right - W / 3, R.Bottom - H / 3});
        }
        DC->State = Saved;
        return 1;
    }
    DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((State & DFCS_FLAT) ? BF_FLAT : 0));
    fill(DC, R, Inactive ? clBtnFace : clWindow);
    if (!Checked) return 1;
    // A check mark three pixels thick: down to the lowest point, then up to the right.
    const int W = R.Width(), H = R.Height();
    const int X0 = R.Left + W / 5, XMid = R.Left + 2 * W / 5, X1 = R.Right - W / 5;
    const int YMid = R.Top + H / 2, YLow = R.Bottom - H / 4;
    for (int X = X0; X < X1; ++X) {
        const int Y = X <= XMid ? YMid + (X - X0) * (YLow - YMid) / std::max(1, XMid - X0)
                                : YLow - (X - XMid) * (YLow - R.Top - H / 4) / std::max(1, X1 - XMid);
        fill(DC, {X, Y - 2, X + 1, Y + 1}, Mark);
    }
    return 1;
}

}  // namespace

BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags) {
    if (!DC || !Rect) return 0;
    TRect R = *Rect;
    if (Edge & BDR_OUTER) drawRing(DC, R, outerColors(Edge, Flags), Flags);
    if (Edge & BDR_INNER) drawRing(DC, R, innerColors(Edge, Flags), Flags);
    if (Flags & BF_MIDDLE) fill(DC, R, (Flags & BF_MONO) ? clWindow : clBtnFace);
    if (Flags & BF_ADJUST) *Rect = R;
    return 1;
}

BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Kind, UINT State) {
    if (!DC || !Rect) return 0;
    TRect R = *Rect;
    switch (Kind) {
        case DFC_BUTTON: {
            const UINT Type = State & 0xFF;
            if (Type == DFCS_BUTTONPUSH) {
                drawButtonFrame(DC, R, State);
                break;
            }
            if (Type != DFCS_BUTTONCHECK && Type != DFCS_BUTTONRADIO && Type != DFCS_BUTTON3STATE) return 0;
            return drawCheckOrRadio(DC, R, State);
        }
        case DFC_SCROLL: {
            TArrow Arrow;
            switch (State & 0xFF) {
                case DFCS_SCROLLUP:
                    Arrow = TArrow::Up;
                    break;
                case DFCS_SCROLLDOWN:
                case DFCS_SCROLLCOMBOBOX:
                    Arrow = TArrow::Down;
                    break;
                case DFCS_SCROLLLEFT:
                    Arrow = TArrow::Left;
                    break;
                case DFCS_SCROLLRIGHT:
                    Arrow = TArrow::Right;
                    break;
                default:
                    return 0;
            }
            drawButtonFrame(DC, R, State);
            drawGlyph(DC, R, Arrow, State);
            break;
        }
        default:
            return 0;
    }
    if (State & DFCS_ADJUSTRECT) *Rect = R;
    return 1;
}

void DrawControlBorder(HDC DC, const TRect& Rect, bool Ctl3D) {
    TRect R = Rect;
    if (Ctl3D) {
        DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT);
        return;
    }
    const TColor Frame = ColorToRGB(clWindowFrame);
    fill(DC, ::Rect(R.Left, R.Top, R.Right, R.Top + 1), Frame);
    fill(DC, ::Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Frame);
    fill(DC, ::Rect(R.Left, R.Top, R.Left + 1, R.Bottom), Frame);
    fill(DC, ::Rect(R.Right - 1, R.Top, R.Right, R.Bottom), Frame);
}
