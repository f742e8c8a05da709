// Event and option types shared by the controls that show markup text.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Types.h"

#include <functional>

// A hyperlink was clicked, entered, left or activated by key; Anchor is its reference or title.
using TAnchorClick = std::function<void(TObject* Sender, const String& Anchor)>;
// May change the hint text shown for the anchor under the pointer.
using TAnchorHintEvent = std::function<void(TObject* Sender, String& Anchor)>;
// The control sized itself to its text.
using TNewSizeEvent = std::function<void(TObject* Sender, int NewWidth, int NewHeight)>;
using TOnNewSize = TNewSizeEvent;

// Which dimension follows the text when sizing automatically.
enum TAutoSizeType { asVertical, asHorizontal, asBoth };
enum TVAlignment { tvaTop, tvaCenter, tvaBottom };
