// TAdvCustomCombo: the frame, the drop-down button and the grey hint.
#include "components/controls/AdvCombo.h"

#include "components/graphics/ACXPVS.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Messages.h"

namespace {

constexpr TColor DisabledThemedBorder = static_cast<TColor>(0xB99D7F);

bool ThemeActive() { return ACXPVS.IsThemeActive && ACXPVS.IsThemeActive() != 0; }

void FrameIn(TCanvas& C, const TRect& R, TColor Color) {
    C.Brush()->SetColor(Color);
    C.FrameRect(R);
}

}  // namespace

TRect TAdvCustomCombo::DropDownButtonRect() const {
    if (Style() == csSimple) return TRect();
    TRect R = Rect(ClientWidth() - FButtonWidth + 2, 0, ClientWidth(), ClientHeight());
    R = InflatedRect(R, -1);
    return R;
}

TRect TAdvCustomCombo::FlatButtonRect() const {
    TRect R = Rect(ClientWidth() - FButtonWidth - 2, 0, ClientWidth(), ClientHeight());
    R = InflatedRect(R, -2);
    return R;
}

bool TAdvCustomCombo::themeActiveOnXP() const { return FIsWinXP && ThemeActive(); }

bool TAdvCustomCombo::paintsOwnButton() const {
    return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && Focused()) ||
           (!Enabled() && FIsThemed && !FDisabledBorder);
}

void TAdvCustomCombo::PaintWindow(HDC DC) {
    if (paintsOwnButton()) {
        TCanvas C;
        C.SetHandle(DC);
        C.Brush()->SetColor(Color());
        C.FillRect(ClientRect());
        C.SetHandle(nullptr);
        drawButton(DC);
        // The box's own look around the button, which stays as drawn.
        const TRect B = DropDownButtonRect();
        const int Saved = SaveDC(DC);
        if (!B.IsEmpty()) ExcludeClipRect(DC, B.Left, B.Top, B.Right, B.Bottom);
        TCustomComboBox::PaintWindow(DC);
        RestoreDC(DC, Saved);
    } else {
        TCustomComboBox::PaintWindow(DC);
    }
    drawFrame(DC);
    drawEmptyText(DC);
}

void TAdvCustomCombo::drawButton(HDC DC) {
    TRect R = DropDownButtonRect();
    if (R.IsEmpty()) return;
    const bool MouseDown = GetKeyState(VK_LBUTTON) < 0;
    if (FButtonColor == clNone) {
        if (ThemeActive() && ACXPVS.OpenThemeData && ACXPVS.DrawThemeBackground && ACXPVS.CloseThemeData) {
            int State = CBXS_NORMAL;
            if (!Enabled())
                State = CBXS_DISABLED;
            else if (MouseDown && DroppedDown())
                State = CBXS_PRESSED;
            else if (FButtonHover && !MouseDown && !DroppedDown())
                State = CBXS_HOT;
            HTHEME Theme = ACXPVS.OpenThemeData(Handle(), u"combobox");
            ACXPVS.DrawThemeBackground(Theme, DC, CP_DROPDOWNBUTTON, State, &R, nullptr);
            ACXPVS.CloseThemeData(Theme);
        } else {
            DrawFrameControl(DC, &R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
        }
        return;
    }
    const bool Down = MouseDown && FButtonHover;
    TColor Fill = FButtonColor;
    if (Down && FButtonColorDown != clNone)
        Fill = FButtonColorDown;
    else if (FButtonHover && FButtonColorHot != clNone)
        Fill = FButtonColorHot;
    TColor Arrow = FButtonTextColor;
    if (Down && FButtonTextColorDown != clNone) Arrow = FButtonTextColorDown;
    TCanvas C;
    C.SetHandle(DC);
    C.Brush()->SetColor(Fill);
    C.FillRect(R);
    if (FButtonBorderColor != clNone) {
        C.Pen()->SetColor(FButtonBorderColor);
        C.MoveTo(R.Left, R.Top);
        C.LineTo(R.Left, R.Bottom);
    }
    if (Arrow != clNone) {
        C.Pen()->SetColor(Arrow);
        C.Brush()->SetColor(Arrow);
        C.Polygon({Point(R.Left + 4, R.Top + 7), Point(R.Left + 10, R.Top + 7), Point(R.Left + 7, R.Top + 10)});
    }
    C.SetHandle(nullptr);
}

void TAdvCustomCombo::drawFrame(HDC DC) {
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    TCanvas C;
    C.SetHandle(DC);
    const TRect Client = ClientRect();
    const TColor ParentColour = Parent() ? Parent()->Color() : Color();
    const TRect Button = FlatButtonRect();
    if (!Enabled() && FIsThemed && !FDisabledBorder) {
        FrameIn(C, Client, DisabledThemedBorder);
    } else if (Focused() && FFocusBorderColor != clNone) {
        FrameIn(C, Client, FFocusBorderColor);
    } else if (FBorderColor != clNone) {
        FrameIn(C, Client, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        // Only the focused box is framed.
    } else {
        TRect R = Client;
        if (hot() && FFocusBorder) {
            TRect Edge = R;
            DrawEdge(DC, &Edge, BDR_SUNKENOUTER, BF_RECT);
            R = InflatedRect(R, -1);
            FrameIn(C, R, clBtnFace);
            R = InflatedRect(R, -1);
            FrameIn(C, R, Color());
        } else {
            FrameIn(C, R, ParentColour);
            R = InflatedRect(R, -1);
            TRect ShortOfButton = R;
            if (Style() != csSimple) ShortOfButton.Right = Button.Left;
            FrameIn(C, ShortOfButton, ParentColour);
            ShortOfButton = InflatedRect(ShortOfButton, -1);
            FrameIn(C, ShortOfButton, Color());
        }
        if (FFlat && FFlatLineColor != clNone) {
            C.Pen()->SetColor(FFlatLineColor);
            C.MoveTo(0, Client.Bottom - 1);
            C.LineTo(Style() != csSimple ? Button.Left : Client.Right, Client.Bottom - 1);
        }
    }
    if (Style() != csSimple && !themeActiveOnXP()) {
        TRect B = Button;
        TRect Glyph = B;
        Glyph = InflatedRect(Glyph, -2);
        const int Saved = SaveDC(DC);
        ExcludeClipRect(DC, Glyph.Left, Glyph.Top, Glyph.Right, Glyph.Bottom);
        if (hot() || (designing() && Enabled())) {
            DrawEdge(DC, &B, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
        } else {
            C.Brush()->SetColor(clBtnFace);
            C.FillRect(B);
        }
        RestoreDC(DC, Saved);
    }
    C.SetHandle(nullptr);
}

void TAdvCustomCombo::drawEmptyText(HDC DC) {
    if (FEmptyText.isEmpty() || !Text().isEmpty()) return;
    if (!FEmptyTextFocused && Focused()) return;
    // Where the edit part shows its text.
    const TRect Field = EditFieldRect();
    TCanvas C;
    C.SetHandle(DC);
    C.Font()->Assign(Font());
    C.Font()->SetColor(static_cast<TColor>(0x808080));
    C.Font()->SetStyle(FEmptyTextStyle);
    C.Brush()->SetStyle(bsClear);
    C.TextOut(Field.Left + 3, Field.Top + 1, FEmptyText);
    C.SetHandle(nullptr);
}
