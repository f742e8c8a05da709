// MiniHTML engine, grid variant: controls embedded in the text by CONTROL tags.
#include "components/graphics/AdvXPVS.h"
#include "components/graphics/AsgHTMLE.h"
#include "components/graphics/MiniHTML_Engine.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"

#include <algorithm>

namespace minihtml {

namespace {

constexpr int kDefaultControlHeight = 25;
constexpr TColor kThemedBorder = 0xB99D7F;

// Draws a theme part of Class for Window; false when no theme could be opened.
bool drawThemePart(HWND Window, const char16_t* Class, HDC DC, int Part, int State, const TRect& R) {
    if (!AdvXPVS.OpenThemeData || !AdvXPVS.DrawThemeBackground || !AdvXPVS.CloseThemeData) return false;
    HTHEME Theme = AdvXPVS.OpenThemeData(Window, Class);
    if (!Theme) return false;
    AdvXPVS.DrawThemeBackground(Theme, DC, Part, State, &R, nullptr);
    AdvXPVS.CloseThemeData(Theme);
    return true;
}

bool isType(const String& Type, const char* Name) { return Type == QLatin1String(Name); }

// The part of R that can show on DC, with a margin that keeps a cut frame's edges out of sight;
// a control as large as the pixel range allows is then drawn at the cost of what shows.
TRect visiblePart(HDC DC, const TRect& R) {
    TRect View;
    if (GetClipBox(DC, &View) <= NULLREGION) return {};
    constexpr int Margin = 4;
    return Rect(std::max(R.Left, View.Left - Margin), std::max(R.Top, View.Top - Margin),
                std::min(R.Right, View.Right + Margin), std::min(R.Bottom, View.Bottom + Margin));
}

}  // namespace

bool TMarkupEngine::handleControl(const TMarkupTag& Tag, TLineValues& Line) {
    if (!Tag.HasEnd()) return true;  // like any unclosed tag it only ends the text
    const AsgHTMLE::TControlTag Control = AsgHTMLE::ParseControlTag(Tag.Text.mid(8));
    const bool Box = isType(Control.Type, "CHECK") || isType(Control.Type, "RADIO");
    int Height = kDefaultControlHeight;
    if (!TryValInteger(Control.Height, Height)) Height = kDefaultControlHeight;
    Height = clampMarkupPixels(Height);

    // A control without WIDTH draws nothing and takes the size of the call's previous control.
    if (!Control.Width.isEmpty()) {
        int Width = 0;
        if (TryValInteger(Control.Width, Width)) {
            FControlWidth = std::clamp(Width, 0, 32767);
            FControlHitHeight = ghHeight() + 10;
        }
        const int LineHeight = Height > kDefaultControlHeight ? Height - 2 : (Box ? 16 : 23);
        Line.Height = LineHeight;
        if (drawing() && !FHidden) drawControl(Control.Type, Control.ID, Control.Value, Height, LineHeight);
        if (isType(Control.Type, "BUTTON") || isType(Control.Type, "COMBO")) FControlHitHeight = 25;
        if (Box) {
            FControlWidth = static_cast<int>(Round(16 * ImageScale));
            FControlHitHeight = 16;
        }
    }

    const int W = FControlWidth, X = FControlHitHeight;
    const int Left = FLineRect.Left + Line.Width, Top = FLineRect.Top;
    const int PX = HitX - FLineRect.Left;
    const bool AtPoint = Line.Width < PX && PX < Line.Width + W && Top < HitY && HitY < Top + X;
    const bool Located = HitTestOnly && !ControlID.isEmpty() && ControlID == Control.ID;
    if (AtPoint || Located) {
        Line.ImageAnchorHit = true;
        Out.AnchorHref = QStringLiteral("ctrl");
        Out.ControlRect = Rect(Left, Top, Left + W, Top + X);
        Out.ControlValue = Control.Value;
        Out.ControlID = Control.ID;
        Out.ControlType = Control.Type;
    }

    const int LineWidth = FLineRect.Right - FLineRect.Left;
    if (FFirstPass && LineWidth < Line.Width + W && W < LineWidth) return false;  // starts the next line
    Line.Width += W;
    FRunX += W;
    Line.Height = std::max(Line.Height, X);
    FLineContent = true;
    return true;
}

// x is the run position, b the line's bottom, H the line height the control set.
void TMarkupEngine::drawControl(const String& Type, const String& ID, const String& Value, int Height, int LineHeight) {
    const int x = FRunX, b = FLineRect.Bottom, H = LineHeight;
    int W = FControlWidth;
    const bool Themed = FThemed;
    const auto hot = [&](int HitHeight) {
        return x - 2 < HitX && HitX < x + W - 2 && b - HitHeight - 2 < HitY && HitY < b - 2;
    };
    const auto drawValue = [&](const String& Shown, TRect R, UINT Flags) {
        if (Shown.isEmpty()) return;
        HDC DC = textDC();
        SetBkMode(DC, TRANSPARENT);
        DrawTextEx(DC, Shown, -1, R, Flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, nullptr);
    };
    const auto drawBox = [&]() {
        Canvas->Pen()->SetColor(Themed ? kThemedBorder : clGray);
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clWhite);
        Canvas->Rectangle(Rect(x, b - H + 4, x + W, b + 2));
        setBackground(FBk);
    };

    if (isType(Type, "EDIT") || isType(Type, "PASSWORD") || isType(Type, "MASK")) {
        drawBox();
        drawValue(isType(Type, "PASSWORD") ? AsgHTMLE::PasswordMask(Value) : Value, Rect(x + 2, b - H + 4, x + W, b),
                  0);
    } else if (isType(Type, "COMBO")) {
        drawBox();
        drawValue(Value, Rect(x + 4, b - H + 4, x + W - 18, b), 0);
        TRect Button = visiblePart(FDC, Rect(x + W - 18, b - H + 5, x + W - 1, b + 1));
        if (Button.IsEmpty()) return;
        if (!Themed || !drawThemePart(ThemeWindow, u"combobox", FDC, CP_DROPDOWNBUTTON,
                                      hot(FControlHitHeight) ? CBXS_HOT : CBXS_NORMAL, Button))
            DrawFrameControl(FDC, &Button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (isType(Type, "CHECK") || isType(Type, "RADIO")) {
        const bool Check = isType(Type, "CHECK");
        const bool Checked = Value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
        TRect R;
        if (Check) {
            const int Size = static_cast<int>(Round(16 * ImageScale));
            W = Size;
            R = Rect(x + 2, b - Size + 1, x + W - 1, b);
        } else {
            R = Rect(x + 2, b - 14, x + 14, b);
        }
        const int Part = Check ? BP_CHECKBOX : BP_RADIOBUTTON;
        if (!Themed ||
            !drawThemePart(ThemeWindow, u"button", FDC, Part, Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, R))
            DrawFrameControl(FDC, &R, DFC_BUTTON,
                             (Check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT | (Checked ? DFCS_CHECKED : 0));
    } else if (isType(Type, "BUTTON")) {
        const bool Hot = hot(24);
        const bool Pressed = PressedDown && PressedControlID == ID;
        const TRect Face = Rect(x + 2, b - Height, x + W - 2, b);
        TRect Shown = visiblePart(FDC, Face);
        if (Shown.IsEmpty()) return;
        const int State = Pressed ? PBS_PRESSED : (Hot ? PBS_HOT : PBS_NORMAL);
        if (!Themed || !drawThemePart(ThemeWindow, u"button", FDC, BP_PUSHBUTTON, State, Shown))
            DrawFrameControl(FDC, &Shown, DFC_BUTTON, DFCS_BUTTONPUSH | (Hot && Pressed ? DFCS_PUSHED : 0));
        drawValue(Value, Rect(Face.Left + 2, Face.Top + 2, Face.Right - 2, Face.Bottom - 2), DT_CENTER);
    }
}

}  // namespace minihtml
