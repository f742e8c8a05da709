// The drop-down unit's enumerations and event types. Member order is the stored value.
#pragma once

#include "components/controls/LabelPlace.h"
#include "framework/rtl/Types.h"
#include "framework/ui/Graphics.h"

#include <functional>

class TCanvas;

namespace advdropdown {

// gdHorizontal: the colour runs from left to right; gdVertical: from top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };
// The side on which a header's or footer's buttons line up.
enum TButtonAlignment { baLeft, baRight };
// Where the popup opens: below the edit, above it, or below when it fits.
enum TDropPosition { dpAuto, dpDown, dpUp };
// The palette selected items of list pickers are painted in.
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
// Where the caption label sits beside the edit: the typed edit's fifteen places.
using TLabelPosition = advedit::TLabelPosition;
using enum advedit::TLabelPosition;
// What the edit takes from the keyboard.
enum TDropDownEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};
// How the drop button paints itself.
enum TButtonStyle { bsButton, bsDropDown };

}  // namespace advdropdown

// The platform's vertical places of a thing in a box.
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

// acceptdrop false keeps the popup closed.
using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TGetDropDownPosEvent = std::function<void(TObject* Sender, TPoint& Pos)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
// Draws a picker's selected image (or, in the detail picker, a list item) instead of it.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
// allow false stops the clipboard operation.
using TClipboardEvent = std::function<void(TObject* Sender, const String& Value, bool& Allow)>;
