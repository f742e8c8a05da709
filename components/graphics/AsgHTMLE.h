// AsgHTMLE: the grid's and the drop-down controls' variant of the mini-HTML renderer. It reads the
// markup of MiniHTML_Markup.h and lays it out like MiniHTML.h, with its own readings of some
// tags (absolute FONT sizes, a black HR, unit-wide HI colours, letter entities in runs, ...), and
// one tag more: <CONTROL TYPE="…" ID="…" VALUE="…" WIDTH="…" HEIGHT="…" PROP="…" MAXLEN="…">
// draws an edit box, combo box, check box, radio button or push button inside the text and
// reports which one lies under the point. The control routines read and rewrite these tags, so
// a cell keeps its controls' values in its own text. Text utilities: AsgHTMLE_Utils.h.
#pragma once

#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/graphics/MiniHTML.h"

namespace AsgHTMLE {

// The renderer's routines this unit shares unchanged.
using ::BidiTextFlags;
using ::DrawShellIcon;
using ::HexByteValue;
using ::IsDirectory;
using ::ParseHexColor;
using ::PosIgnoreCase;
using ::PosOut;
using ::ReplaceFirstIgnoreCase;
using ::StretchBitmapToRect;
using ::UnwrapHashTags;
using ::ValInteger;

// ---- Drawing ----

// As ::DrawMarkupText, with the grid's readings and embedded controls. Reads the request's
// PressedDown, PressedControlID, ControlID and ThemeWindow; ignores LineSpacing and the Highlight
// fields (HI takes the unit's colours). ImageScale below 1.0 counts as 1.0. The result is true on
// an anchor or a control; on a control AnchorHref is "ctrl" and the Control fields describe it.
// In hit-test mode a non-empty ControlID is found wherever the point is.
bool DrawMarkupText(const TMarkupRequest& Request, TMarkupResult& Result);
inline TMarkupResult DrawMarkupText(const TMarkupRequest& Request) {
    TMarkupResult Result;
    AsgHTMLE::DrawMarkupText(Request, Result);
    return Result;
}

// The same call with its arguments in a row; ControlID is both the control to locate (hit-test
// mode) and the control found.
bool DrawMarkupText(TCanvas* Canvas, const String& Text, const TRect& DrawRect, TCustomImageList* Images, int HitX,
                    int HitY, int FocusIndex, int HoverIndex, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                    bool StretchImages, bool IgnoreColors, bool BlinkVisible, bool HoverOnly, bool WordWrap,
                    bool PressedDown, const String& PressedControlID, double ImageScale, TColor AnchorColor,
                    TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, String& AnchorHref, String& PlainText,
                    String& FocusHref, String& AnchorTitle, int& MeasuredWidth, int& MeasuredHeight, int& AnchorCount,
                    int& HitAnchor, TRect& HitAnchorRect, TRect& ControlRect, String& ControlID, String& ControlValue,
                    String& ControlType, THTMLPictureCache* PictureCache, TPictureContainer* Container,
                    HWND ThemeWindow, TBiDiMode BiDiMode);

// The colours of HI text for every grid and drop-down; the last call wins. clHighlight and
// clHighlightText until the first call.
void SetMarkupHighlightColors(TColor Color, TColor TextColor);
TColor MarkupHighlightColor();
TColor MarkupHighlightTextColor();
// True (the start): each carriage return of cell markup becomes a line break before layout;
// false: a blank, dropped between tags. The last grid to set it decides for all.
bool MarkupKeepLineBreaks();
void SetMarkupKeepLineBreaks(bool Value);

// Sets the unit's "XP or later" flag from the system version (above 5, or 5 with a minor version
// above 0). The unit runs it once when it starts; tests run it again after changing the facts.
void DetectWinXPOrLater();
// Controls are drawn themed when the flag is set and the theme library says a theme is active.
bool ControlsThemed();

// ---- Reading markup ----

// "#RRGGBB" read pair by pair with HexPairAt (red + green * 256 + blue * 65536); a name starting
// with "cl" (lower case) from the 40-name table; anything else 0.
TColor ParseColorName(const String& Name);
// The two hexadecimal digits (either case) at the 1-based Position; 0 when Position is not below
// the text's length or a character is no hexadecimal digit.
int HexPairAt(const String& Text, int Position);
// Position of SubStr (given in upper case) in the upper-cased S; also stored in Position.
int PosIgnoreCaseOut(const String& SubStr, const String& S, int& Position);
// Line feeds dropped. Flag: carriage returns become "<BR>". Without it a carriage return becomes a
// blank, but is dropped between tags (after ">" and before "<" or at the end).
String LineBreaksToBR(const String& S, bool Flag);
// As many "*" as Text has characters.
String PasswordMask(const String& Text);

// ---- Embedded controls ----

// The attributes of one CONTROL tag, as written but for Type (upper-cased) and Value and Prop
// (entity-decoded, letters included). Empty when absent.
struct TControlTag {
    String Type, ID, MaxLen, Prop, Height, Width, Value;
};
// Reads each attribute at the first occurrence of its name (any case) in TagText: the value is
// between the next two double quotes.
TControlTag ParseControlTag(const String& TagText);
// Text holds "<CONTROL" in any case.
bool HasControlTag(const String& Text);
// The ID of the first EDIT, PASSWORD, MASK or COMBO (any type but BUTTON, CHECK and RADIO) after
// the control CurrentID, or the first of all when CurrentID is empty; "" when none.
String NextControlID(const String& Text, const String& CurrentID);
// Text with every RADIO control's VALUE "FALSE".
String UncheckRadioControls(const String& Text);
// True and Value when a control has this ID (compared exactly); Value untouched otherwise.
bool GetControlValue(const String& Text, const String& ID, String& Value);
// "" when no control has this ID.
String GetControlProp(const String& Text, const String& ID);
// The MAXLEN number; 0 when there is none.
int GetControlMaxLen(const String& Text, const String& ID);
// Rewrites the first tag with this ID as <CONTROL ID VALUE WIDTH TYPE [PROP] [MAXLEN] [HEIGHT]>,
// the new value entity-encoded; false (Text unchanged) when there is no such control.
bool SetControlValue(String& Text, const String& ID, const String& NewValue);

}  // namespace AsgHTMLE
