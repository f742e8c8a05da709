#include "components/controls/LabelPlace.h"

#include <iterator>

using namespace advedit;

TPoint LabelPlace(TLabelPosition Position, const TRect& C, TSize Label, int TextWidth, int M, int VCentre,
                  int HCentre) {
    const int L = C.Left, T = C.Top, Wd = C.Width(), Ht = C.Height(), LW = Label.cx, LH = Label.cy, W = TextWidth;
    struct TPlace {
        int Top, Left;
    };
    const TPlace Places[] = {
        /* lpLeftTop        */ {T, L - W - M},
        /* lpLeftCenter     */ {VCentre, L - W - M},
        /* lpLeftBottom     */ {T + Ht - LH, L - W - M},
        /* lpTopLeft        */ {T - LH - M, L},
        /* lpBottomLeft     */ {T + Ht + M, L},
        /* lpLeftTopLeft    */ {T, L - M},
        /* lpLeftCenterLeft */ {VCentre, L - M},
        /* lpLeftBottomLeft */ {T + Ht - LH, L - M},
        /* lpTopCenter      */ {T - LH - M, HCentre},
        /* lpBottomCenter   */ {T + Ht + M, HCentre},
        /* lpRightTop       */ {T, L + Wd + M},
        /* lpRightCenter    */ {VCentre, L + Wd + M},
        /* lpRighBottom     */ {T + Ht - LH, L + Wd + M},
        /* lpTopRight       */ {T - LH - M, L + Wd - LW},
        /* lpBottomRight    */ {T + Ht + M, L + Wd - LW},
    };
    static_assert(std::size(Places) == lpBottomRight + 1);
    return Point(Places[Position].Left, Places[Position].Top);
}
