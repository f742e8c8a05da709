// Where a caption label sits beside an edit: the fifteen places the edits, the drop-down edits and
// the date-time picker offer, and the routine that puts a label there.
#pragma once

#include "framework/rtl/Types.h"

namespace advedit {
// Where the label stands against the edit ("lpRighBottom" is spelled so; the combo box has a
// shorter list of its own).
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight
};
}  // namespace advedit

// The top-left corner of a caption label of LabelSize beside Control (its parent's coordinates):
// TextWidth is the caption's measured width, Margin the gap, VCentre and HCentre the label's
// centred top and left (their rules differ by control).
TPoint LabelPlace(advedit::TLabelPosition Position, const TRect& Control, TSize LabelSize, int TextWidth, int Margin,
                  int VCentre, int HCentre);
