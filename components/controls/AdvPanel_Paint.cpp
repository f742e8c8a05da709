// TCustomAdvPanel painting: background, border, shadow and bevels, background picture, body text,
// the caption band with its buttons and text, the status bar and the size grip, off screen first
// unless Buffered is off.
#include "components/controls/AdvPanel.h"
#include "framework/rtl/SysUtils.h"

#include "components/controls/AdvPanel_Internal.h"

#include "components/graphics/AdvImage.h"
#include "components/graphics/MiniHTML.h"
#include "components/graphics/MiniHTML_Utils.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>
#include <vector>

using namespace advpanel_detail;

namespace {

// ---- The caption buttons' geometry, as tables over the caption rectangle's edges

// How a drawn button shortens the caption rectangle: edge += Sign * (By, or the glyph's extent).
struct TShorten {
    TEdge Edge;
    int Sign;
    int By;
};

struct TCloseLook {
    TSpot Cross[4];  // two strokes of the cross
    TShorten CrossShortens;
    TSpot Glyph;
    TShorten GlyphShortens;  // By 0: the glyph's width (left, right) or height (top, bottom)
};

// [caption position][button position]
constexpr TCloseLook kClose[3][2] = {
    {
        /* cpTop, cbpRight */ {
            {{eR, -10, 0, eT, 4, 0}, {eR, -4, 0, eT, 10, 0}, {eR, -4, 0, eT, 4, 0}, {eR, -10, 0, eT, 10, 0}},
            {eR, -1, 12},
            {eR, 0, -1, eT, 2, 0},
            {eR, -1, 0}},
        /* cpTop, cbpLeft */
        {{{eL, 4, 0, eT, 4, 0}, {eL, 10, 0, eT, 10, 0}, {eL, 10, 0, eT, 4, 0}, {eL, 4, 0, eT, 10, 0}},
         {eL, 1, 12},
         {eL, 0, 0, eT, 2, 0},
         {eL, 1, 0}},
    },
    {
        /* cpLeft, cbpRight */ {
            {{eL, 4, 0, eT, 4, 0}, {eL, 10, 0, eT, 10, 0}, {eL, 10, 0, eT, 4, 0}, {eL, 4, 0, eT, 10, 0}},
            {eT, 1, 12},
            {eL, 2, 0, eT, 0, 0},
            {eT, 1, 0}},
        /* cpLeft, cbpLeft */
        {{{eL, 4, 0, eB, -4, 0}, {eL, 10, 0, eB, -10, 0}, {eL, 10, 0, eB, -4, 0}, {eL, 4, 0, eB, -10, 0}},
         {eB, -1, 12},
         {eL, 2, 0, eB, 0, -1},
         {eB, -1, 0}},
    },
    {
        /* cpRight, cbpRight */ {
            {{eR, -4, 0, eB, -12, 0}, {eR, -10, 0, eB, -6, 0}, {eR, -10, 0, eB, -12, 0}, {eR, -4, 0, eB, -6, 0}},
            {eB, -1, 14},
            {eR, -2, -1, eB, -2, -1},
            {eB, -1, 0}},
        /* cpRight, cbpLeft */
        {{{eR, -10, 0, eT, 4, 0}, {eR, -4, 0, eT, 10, 0}, {eR, -4, 0, eT, 4, 0}, {eR, -10, 0, eT, 10, 0}},
         {eT, 1, 12},
         {eR, -2, -1, eT, 0, 0},
         {eT, 1, 0}},
    },
};

struct TMinMaxLook {
    TSpot CollapsedGlyph;  // MaxGlyph
    TSpot ExpandedGlyph;   // MinGlyph
    TSpot Collapsed[3];    // triangle corners
    TSpot Expanded[3];
};

constexpr TMinMaxLook kMinMax[3][2] = {
    {
        /* cpTop, cbpRight */ {{eR, 0, -1, eT, 2, 0},
                               {eR, 0, -1, eT, 2, 0},
                               {{eR, -10, 0, eT, 5, 0}, {eR, -4, 0, eT, 5, 0}, {eR, -7, 0, eT, 8, 0}},
                               {{eR, -10, 0, eT, 8, 0}, {eR, -4, 0, eT, 8, 0}, {eR, -7, 0, eT, 5, 0}}},
        /* cpTop, cbpLeft */
        {{eL, 0, 0, eT, 2, 0},
         {eL, 0, 0, eT, 2, 0},
         {{eL, 4, 0, eT, 5, 0}, {eL, 10, 0, eT, 5, 0}, {eL, 7, 0, eT, 8, 0}},
         {{eL, 4, 0, eT, 8, 0}, {eL, 10, 0, eT, 8, 0}, {eL, 7, 0, eT, 5, 0}}},
    },
    {
        /* cpLeft, cbpRight */ {{eL, 2, 0, eT, 0, 0},
                                {eL, 2, 0, eT, 0, 0},
                                {{eL, 5, 0, eT, 10, 0}, {eL, 5, 0, eT, 4, 0}, {eL, 8, 0, eT, 7, 0}},
                                {{eL, 8, 0, eT, 10, 0}, {eL, 8, 0, eT, 4, 0}, {eL, 5, 0, eT, 7, 0}}},
        /* cpLeft, cbpLeft */
        {{eL, 2, 0, eB, 0, -1},
         {eL, 2, 0, eB, 0, -1},
         {{eL, 5, 0, eB, -4, 0}, {eL, 5, 0, eB, -10, 0}, {eL, 8, 0, eB, -7, 0}},
         {{eL, 8, 0, eB, -4, 0}, {eL, 8, 0, eB, -10, 0}, {eL, 5, 0, eB, -7, 0}}},
    },
    {
        /* cpRight, cbpRight */ {{eR, -2, -1, eB, -2, -1},
                                 {eR, -12, 0, eB, 0, -1},
                                 {{eR, -6, 0, eB, -4, 0}, {eR, -6, 0, eB, -10, 0}, {eR, -9, 0, eB, -7, 0}},
                                 {{eR, -9, 0, eB, -4, 0}, {eR, -9, 0, eB, -10, 0}, {eR, -6, 0, eB, -7, 0}}},
        /* cpRight, cbpLeft */
        {{eR, -2, -1, eT, 0, 0},
         {eR, -12, 0, eT, 0, 0},
         {{eR, -6, 0, eT, 10, 0}, {eR, -6, 0, eT, 4, 0}, {eR, -9, 0, eT, 7, 0}},
         {{eR, -9, 0, eT, 10, 0}, {eR, -9, 0, eT, 4, 0}, {eR, -6, 0, eT, 7, 0}}},
    },
};

void line(TCanvas* C, TPoint A, TPoint B) {
    C->MoveTo(A.X, A.Y);
    C->LineTo(B.X, B.Y);
}

void line(TCanvas* C, int X1, int Y1, int X2, int Y2) { line(C, TPoint{X1, Y1}, TPoint{X2, Y2}); }

void setPenAndBrush(TCanvas* C, TColor Color) {
    C->Pen()->SetColor(Color);
    C->Brush()->SetColor(Color);
}

bool hasPicture(TBitmap* B) { return B && !B->Empty(); }

// A glyph keyed by its bottom-left pixel, as a transparent bitmap draws.
void drawTransparent(TCanvas* C, int X, int Y, TBitmap* Glyph) {
    const bool Was = Glyph->Transparent();
    Glyph->SetTransparent(true);
    C->Draw(X, Y, Glyph);
    Glyph->SetTransparent(Was);
}

// A copy of the canvas font turned by Escapement (tenths of a degree, anticlockwise).
void turnFont(TCanvas* C, TFont* From, TColor Color, int Escapement) {
    C->SetFont(From);
    C->Font()->SetColor(Color);
    C->Font()->SetOrientation(Escapement);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colour routines

TColor BlendPanelColor(TColor Col1, TColor Col2, int Percent) {
    if (Percent == 100) return Col1;
    const TColor C1 = ColorToRGB(Col1);
    const TColor C2 = ColorToRGB(Col2);
    const double F = Percent / 100.0;
    const auto mix = [F](int A, int B) { return static_cast<int>(Round(F * A + (1 - F) * B)) & 0xFF; };
    return RGB(mix(GetRValue(C1), GetRValue(C2)), mix(GetGValue(C1), GetGValue(C2)), mix(GetBValue(C1), GetBValue(C2)));
}

void DrawPanelGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps) {
    FillGradientBands(Canvas, FromColor, ToColor, Horizontal, R, Steps, clNone);
}

void DrawPanelMirrorGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                             TColor ColorMirrorTo, advpanel::TGradientDirection Direction, TColor BorderColor,
                             bool Fill) {
    if (Fill && Color != clNone && ColorMirror != clNone) {
        TRect First = R, Second = R;
        const bool Horizontal = Direction == advpanel::gdHorizontal;
        if (Horizontal)
            First.Right = Second.Left = R.Left + R.Width() / 2;
        else
            First.Bottom = Second.Top = R.Top + R.Height() / 2;
        DrawPanelGradient(Canvas, Color, ColorTo, Horizontal, First, 32);
        DrawPanelGradient(Canvas, ColorMirror, ColorMirrorTo, Horizontal, Second, 32);
    }
    if (BorderColor == clNone) return;
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
}

// ---------------------------------------------------------------------------------------------
// The renderer

TMarkupRequest TCustomAdvPanel::markupRequest(TCanvas* ACanvas, const String& S, const TRect& R) const {
    TMarkupRequest Request;
    Request.Canvas = ACanvas;
    Request.Text = S;
    Request.DrawRect = R;
    Request.Images = FImages;
    Request.HitX = 0;
    Request.HitY = 0;
    Request.ShadowOffset = FShadowOffset;
    Request.BlinkVisible = false;
    Request.HoverOnly = FHover;
    Request.WordWrap = false;
    Request.AnchorColor = FURLColor;
    Request.HoverColor = FHoverColor;
    Request.HoverFontColor = FHoverFontColor;
    Request.ShadowColor = FShadowColor;
    Request.PictureCache = FImageCache.get();
    Request.Container = FContainer;
    Request.LineSpacing = FLineSpacing;
    return Request;
}

TMarkupRequest TCustomAdvPanel::anchorLookupRequest(TCanvas* ACanvas, const String& S, const TRect& R, int X,
                                                    int Y) const {
    TMarkupRequest Request = markupRequest(ACanvas, S, R);
    Request.HitX = X;
    Request.HitY = Y;
    Request.HitTestOnly = true;
    Request.WordWrap = !FEllipsis;
    Request.ShadowOffset = 2;
    Request.HoverOnly = false;
    Request.HoverColor = clBlue;
    Request.HoverFontColor = clRed;
    Request.ShadowColor = clGray;
    return Request;
}

int TCustomAdvPanel::measureBodyText(TCanvas* ACanvas, const TRect& R) {
    TMarkupRequest Request = markupRequest(ACanvas, FText, R);
    Request.HoverIndex = FHoverHyperLink;
    Request.HitTestOnly = true;
    Request.WordWrap = !FEllipsis;
    return DrawMarkupText(Request).MeasuredHeight;
}

// ---------------------------------------------------------------------------------------------
// Paint

void TCustomAdvPanel::Paint() {
    // The panel paints into its backing image, which is off screen already and reaches the
    // screen in one step: Buffered needs no bitmap of its own, only the body's clip differs. The
    // background below covers the whole client area, so the plain panel's painting would not show.
    if (!FBuffered) TCustomPanel::Paint();
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    paintBackground(C, R);
    paintBevels(C, R, clBtnHighlight, clBtnShadow);
    setPenAndBrush(C, Color());
    R = bodyRect();
    const int Saved = FBuffered ? 0 : SaveDC(C->Handle());
    if (!FBuffered) IntersectClipRect(C->Handle(), R.Left, R.Top, R.Right, R.Bottom);
    paintBackgroundPicture(C, R);
    paintBodyText(C, R, Font()->Color());
    if (!FBuffered) RestoreDC(C->Handle(), Saved);
    if (FCaption->Visible()) paintCaption(C);
    if (FStatusBar->Visible()) paintStatusBar(C);
    paintSizeGrip(C);
    // A right caption would cover the border: it is drawn again over it.
    if (FCaption->Visible() && FCaption->Position() == cpRight && FBorderColor != clNone && BorderWidth() != 0) {
        TRect B = ClientRect();
        if (FBorderShadow) {
            B.Right -= 2;
            B.Bottom -= 2;
        }
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(FBorderColor);
        C->Rectangle(B);
        C->Brush()->SetStyle(bsSolid);
    }
    fire(OnPaint, this, C, ClientRect());
}

void TCustomAdvPanel::paintBackground(TCanvas* C, TRect& R) {
    if (FColorTo == clNone) {
        setPenAndBrush(C, Color());
        C->Rectangle(R);
    } else if (FColorMirror != clNone) {
        DrawPanelMirrorGradient(C, R, Color(), FColorTo, FColorMirror, FColorMirrorTo, FGradientDirection, clNone,
                                true);
    } else {
        DrawPanelGradient(C, Color(), FColorTo, FGradientDirection == advpanel::gdHorizontal, R, 128);
    }
    if (FBorderColor != clNone && BorderWidth() != 0) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(FBorderColor);
        if (FBorderShadow) {
            R.Right -= 2;
            R.Bottom -= 2;
        }
        C->Rectangle(R);
    }
    if (FBorderShadow) {
        C->MoveTo(R.Right, R.Top + 1);
        C->Pen()->SetColor(BlendPanelColor(FBorderColor, clBtnFace, 50));
        C->LineTo(R.Right, R.Bottom);
        C->LineTo(R.Left, R.Bottom);
        C->MoveTo(R.Right + 1, R.Top + 2);
        C->Pen()->SetColor(BlendPanelColor(FBorderColor, clBtnFace, 20));
        C->LineTo(R.Right + 1, R.Bottom + 1);
        C->LineTo(R.Left, R.Bottom + 1);
    }
    C->Brush()->SetStyle(bsSolid);
}

void TCustomAdvPanel::paintBevels(TCanvas* C, TRect& R, TColor Highlight, TColor Shadow) {
    const auto bevel = [&](TPanelBevel Bevel) {
        if (Bevel == bvNone) return;
        const bool Lowered = Bevel == bvLowered;
        Frame3D(C, R, Lowered ? Shadow : Highlight, Lowered ? Highlight : Shadow, BevelWidth());
    };
    bevel(BevelOuter());
    if (FBorderColor == clNone) Frame3D(C, R, Color(), Color(), 1);
    bevel(BevelInner());
}

// The client area less the caption (and the shadow).
TRect TCustomAdvPanel::bodyRect() const {
    TRect R = ClientRect();
    if (FCaption->Visible()) switch (FCaption->Position()) {
            case cpTop:
                R.Top += FCapHeight - 2 * BevelWidth();
                break;
            case cpLeft:
                R.Left += 2 + FCapHeight - 2 * BevelWidth();
                break;
            case cpRight:
                R.Right = R.Right - 2 - FCapHeight + 2 * BevelWidth();
                break;
        }
    if (FBorderShadow) {
        R.Right -= 2;
        R.Bottom -= 3;
    }
    return R;
}

void TCustomAdvPanel::paintBackgroundPicture(TCanvas* C, const TRect& R) {
    if (FImage->Empty()) return;
    const int W = FImage->Width();
    const int H = FImage->Height();
    if (W <= 0 || H <= 0) return;
    const int BW = BevelWidth();
    const int X = std::max(R.Left, R.Right - R.Left - W - BW);
    const int Y = std::max(R.Top, Height() - H - BW);
    switch (FBackgroundPosition) {
        case advpanel::bpTopLeft:
            C->Draw(R.Left, R.Top, FImage.get());
            break;
        case advpanel::bpTopRight:
            C->Draw(X, R.Top, FImage.get());
            break;
        case advpanel::bpBottomLeft:
            C->Draw(R.Left, Y, FImage.get());
            break;
        case advpanel::bpBottomRight:
            C->Draw(X, Y, FImage.get());
            break;
        case advpanel::bpCenter:
            C->Draw(X / 2, Y / 2, FImage.get());
            break;
        case advpanel::bpTiled:
            for (int TY = R.Top; TY < Height(); TY += H)
                for (int TX = R.Left; TX < Width(); TX += W) C->Draw(TX, TY, FImage.get());
            break;
        case advpanel::bpStretched:
            C->StretchDraw(Rect(R.Left, R.Top - 4, R.Right, R.Bottom + 4), FImage.get());
            break;
    }
}

void TCustomAdvPanel::paintBodyText(TCanvas* C, TRect R, TColor TextColor) {
    const int Inset = BorderWidth() + 1;
    R = Rect(R.Left + Inset + FIndent, R.Top + Inset + FTopIndent, R.Right - Inset, R.Bottom - Inset - FBottomIndent);
    if (FStatusBar->Visible()) switch (FCaption->Position()) {
            case cpTop:
                R.Bottom -= FStatusBar->Height();
                break;
            case cpLeft:
                R.Right -= FStatusBar->Height();
                break;
            case cpRight:
                R.Left += FStatusBar->Height();
                break;
        }
    if (FText.isEmpty()) return;
    C->SetFont(Font());
    C->Font()->SetColor(TextColor);
    if (FTextVAlign != tvaTop) {
        const int H = measureBodyText(C, R);
        if (H < R.Height()) {
            if (FTextVAlign == tvaCenter)
                R.Top += (R.Height() - H) / 2;
            else
                R.Top = R.Bottom - H;
        }
    }
    C->Brush()->SetStyle(bsClear);
    TMarkupRequest Request = markupRequest(C, FText, R);
    Request.HoverIndex = FHoverHyperLink;
    Request.WordWrap = !FEllipsis;
    DrawMarkupText(Request);
    C->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// The caption

void TCustomAdvPanel::paintCaption(TCanvas* C) {
    const TCaptionPosition Pos = FCaption->Position();
    const int BW = BorderWidth();
    const int BevW = BevelWidth();
    const int Sh = FBorderShadow ? 3 : 0;
    TRect R = ClientRect();
    if (FBorderShadow && BW > 0) switch (Pos) {
            case cpTop:
                R = Rect(BW, BW, R.Right - BW - 2, R.Bottom);
                break;
            case cpLeft:
                R = Rect(BW, BW, R.Right, R.Bottom - BW + 1);
                break;
            case cpRight:
                R = Rect(R.Left, BW, R.Right - BW, R.Bottom - BW + 1);
                break;
        }
    if (BevelOuter() != bvNone || BevelInner() != bvNone)
        R = Rect(R.Left + BevW, R.Top + BevW, R.Right - BevW, R.Bottom - BevW);
    setPenAndBrush(C, FCollaps ? FCaption->CloseColor() : FCaption->Color());
    TRect CR;
    switch (Pos) {
        case cpTop:
            CR = Rect(R.Left, R.Top, R.Right, R.Top + FCapHeight - 2 * BevW);
            break;
        case cpLeft:
            CR = Rect(R.Left, R.Top, R.Left + FCapHeight - 2 * BevW, R.Bottom - Sh);
            break;
        case cpRight:
            CR = Rect(R.Right - FCapHeight, R.Top, R.Right, R.Bottom - Sh);
            break;
    }
    // The themed caption is not drawn here: stXPCaption paints plain.
    const TShadeType Shade = FCaption->ShadeType();
    if (Shade != stNormal && Shade != stXPCaption) {
        DrawShadedCaption(C, CR);
    } else if (FCaption->ColorTo() == clNone) {
        C->Rectangle(CR);
    } else {
        const bool Vertical = FCaption->GradientDirection() == advpanel::gdVertical;
        switch (Pos) {
            case cpTop:
                DrawPanelGradient(C, FCaption->Color(), FCaption->ColorTo(), !Vertical, CR, 128);
                break;
            case cpLeft:
                DrawPanelGradient(C, FCaption->Color(), FCaption->ColorTo(), Vertical, CR, 128);
                break;
            case cpRight:
                DrawPanelGradient(C, FCaption->ColorTo(), FCaption->Color(), Vertical, CR, 128);
                break;
        }
    }
    if (FCaption->CloseButton()) paintCloseButton(C, R);
    if (FCaption->MinMaxButton()) paintMinMaxButton(C, R);
    paintCaptionText(C, R);
}

void TCustomAdvPanel::paintCloseButton(TCanvas* C, TRect& R) {
    const TCloseLook& Look = kClose[FCaption->Position()][FCaption->ButtonPosition()];
    TBitmap* Glyph = FCollaps ? FCaption->CloseMinGlyph() : FCaption->CloseMaxGlyph();
    if (hasPicture(FCaption->CloseMinGlyph()) && hasPicture(FCaption->CloseMaxGlyph())) {
        const TPoint At = spotAt(R, Look.Glyph, Glyph->Width(), Glyph->Height());
        drawTransparent(C, At.X, At.Y, Glyph);
        const bool Across = Look.GlyphShortens.Edge == eL || Look.GlyphShortens.Edge == eR;
        edgeRef(R, Look.GlyphShortens.Edge) += Look.GlyphShortens.Sign * (Across ? Glyph->Width() : Glyph->Height());
        return;
    }
    const TColor Hover = FCaption->CloseButtonHoverColor();
    C->Pen()->SetColor(FHoverCloseBtn && Hover != clNone ? Hover : FCaption->CloseButtonColor());
    C->Pen()->SetWidth(2);
    line(C, spotAt(R, Look.Cross[0]), spotAt(R, Look.Cross[1]));
    line(C, spotAt(R, Look.Cross[2]), spotAt(R, Look.Cross[3]));
    C->Pen()->SetWidth(1);
    edgeRef(R, Look.CrossShortens.Edge) += Look.CrossShortens.Sign * Look.CrossShortens.By;
}

void TCustomAdvPanel::paintMinMaxButton(TCanvas* C, const TRect& R) {
    const TMinMaxLook& Look = kMinMax[FCaption->Position()][FCaption->ButtonPosition()];
    TBitmap* Glyph = FCollaps ? FCaption->MaxGlyph() : FCaption->MinGlyph();
    if (hasPicture(Glyph)) {
        const TPoint At =
            spotAt(R, FCollaps ? Look.CollapsedGlyph : Look.ExpandedGlyph, Glyph->Width(), Glyph->Height());
        drawTransparent(C, At.X, At.Y, Glyph);
        return;
    }
    const TColor Hover = FCaption->MinMaxButtonHoverColor();
    setPenAndBrush(C, FHoverMinMaxBtn && Hover != clNone ? Hover : FCaption->MinMaxButtonColor());
    C->Pen()->SetWidth(1);
    const TSpot* Corners = FCollaps ? Look.Collapsed : Look.Expanded;
    C->Polygon({spotAt(R, Corners[0]), spotAt(R, Corners[1]), spotAt(R, Corners[2])});
}

void TCustomAdvPanel::paintCaptionText(TCanvas* C, TRect R) {
    C->SetFont(FCaption->Font());
    if (!ParentFont()) C->Font()->SetHeight(static_cast<int>(Round(FCaption->Font()->Height() * FDPIScale)));
    const TColor TextColor = FCaption->Font()->Color();
    C->Font()->SetColor(TextColor);
    // Room for the buttons beyond the caption's shortening.
    const int Reserved = 20 * ((FCaption->CloseButton() ? 1 : 0) + (FCaption->MinMaxButton() ? 1 : 0));
    const bool AtEnd = FCaption->ButtonPosition() == cbpRight;
    switch (FCaption->Position()) {
        case cpTop:
            (AtEnd ? R.Right : R.Left) += AtEnd ? -Reserved : Reserved;
            break;
        case cpLeft:
            (AtEnd ? R.Top : R.Bottom) += AtEnd ? Reserved : -Reserved;
            break;
        case cpRight:
            (AtEnd ? R.Bottom : R.Top) += AtEnd ? -Reserved : Reserved;
            break;
    }
    const String& Text = FCaption->Text();
    if (Text.isEmpty()) return;
    switch (FCaption->Position()) {
        case cpTop: {
            R.Bottom = R.Top + FCapHeight;
            R.Left += FCaption->Indent() + 2;
            R.Top += FCaption->TopIndent();
            C->Brush()->SetStyle(bsClear);
            TMarkupRequest Request = markupRequest(C, Text, R);
            Request.HoverIndex = FCaptionHoverHyperLink;
            DrawMarkupText(Request);
            break;
        }
        case cpLeft: {
            R.Right = R.Left + FCapHeight;
            R.Bottom -= FCaption->Indent();
            R.Left += FCaption->TopIndent();
            // The text reads upwards from two pixels above the bottom (after the indent).
            const int Start = R.Bottom - 2;
            R.Bottom += C->TextHeight(QStringLiteral("gh")) - 2;
            C->Brush()->SetStyle(bsClear);
            turnFont(C, C->Font(), TextColor, -2700);
            C->TextRect(R, R.Left, Start, StripMarkupTags(Text));
            break;
        }
        case cpRight:
            R.Right = Width();
            R.Left = Width() - FCapHeight + FCaption->TopIndent();
            R.Top += FCaption->Indent() + 2;
            C->Brush()->SetStyle(bsClear);
            turnFont(C, C->Font(), TextColor, -900);
            C->TextRect(R, R.Right - 4, R.Top, StripMarkupTags(Text));
            break;
    }
    C->Font()->SetOrientation(0);
    C->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// The status bar and the size grip

void TCustomAdvPanel::paintStatusBar(TCanvas* C) {
    const TCaptionPosition Pos = FCaption->Position();
    const int SBH = FStatusBar->Height();
    const int W = Width();
    const int H = Height();
    int E = BevelOuter() != bvNone || BevelInner() != bvNone ? 2 : 1;
    if (FBorderShadow && BorderWidth() > 0) E += 2;
    TRect SR;
    switch (Pos) {
        case cpTop:
            SR = Rect(E, H - SBH - 1, W - E, H - E);
            break;
        case cpLeft:
            SR = Rect(W - SBH - E, 1, W - E, H - E);
            break;
        case cpRight:
            SR = Rect(E, 1, E + SBH, H - E);
            break;
    }
    const TColor Fill = FStatusBar->Color();
    if (Fill != clNone && FStatusBar->ColorTo() != clNone) {
        DrawPanelGradient(C, ColorToRGB(Fill), ColorToRGB(FStatusBar->ColorTo()),
                          FStatusBar->GradientDirection() == advpanel::gdHorizontal, SR, 40);
    } else if (Fill != clNone) {
        setPenAndBrush(C, Fill);
        C->Rectangle(SR);
    }
    const bool LowImage = !FCollaps && FCanSize;  // clear of the size grip
    if (FStatusBar->ImageIndex() >= 0 && FImages) {
        if (Pos == cpTop) {
            FImages->Draw(C, SR.Left + 1, SR.Top + 2, FStatusBar->ImageIndex());
            SR.Left += FImages->Width() + 2;
        } else {
            FImages->Draw(C, SR.Left + 2, SR.Bottom - FImages->Height() - (LowImage ? 12 : 1),
                          FStatusBar->ImageIndex());
            SR.Bottom -= FImages->Height() + 2;
        }
    }
    const String& Text = FStatusBar->Text();
    const TColor TextColor = FStatusBar->Font()->Color();
    if (!Text.isEmpty()) {
        C->Brush()->SetStyle(bsClear);
        if (Pos == cpTop) {
            C->SetFont(FStatusBar->Font());
            TMarkupRequest Request =
                markupRequest(C, Text, Rect(SR.Left + 2, SR.Top + FStatusBar->TopIndent(), SR.Right, SR.Bottom));
            Request.HoverIndex = FCaptionHoverHyperLink;
            DrawMarkupText(Request);
        } else if (Pos == cpLeft) {
            turnFont(C, FStatusBar->Font(), TextColor, -2700);
            C->TextOut(SR.Left + 2, SR.Bottom - (LowImage ? 16 : 2), StripMarkupTags(Text));
        } else {
            turnFont(C, FStatusBar->Font(), TextColor, -900);
            C->TextOut(SR.Right - 2, SR.Top + 3, StripMarkupTags(Text));
        }
        C->Font()->SetOrientation(0);
        C->Brush()->SetStyle(bsSolid);
    }
    if (FStatusBar->BorderStyle() == bsSingle && FStatusBar->BorderColor() != clNone) {
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(FStatusBar->BorderColor());
        C->Brush()->SetStyle(bsClear);
        switch (Pos) {
            case cpLeft:
                C->Rectangle(SR.Left, SR.Top, SR.Right + 1, H);
                break;
            case cpRight:
                C->Rectangle(SR.Left - 1, SR.Top, SR.Right, H);
                break;
            case cpTop:
                C->Rectangle(BorderWidth(), SR.Top, SR.Right - BorderWidth() + 1, SR.Bottom - BorderWidth() + 1);
                break;
        }
        C->Brush()->SetStyle(bsSolid);
    }
    if (FStatusBar->BevelInner()) {
        C->Pen()->SetWidth(1);
        const auto polyline = [C](TColor Color, std::vector<TPoint> Points) {
            C->Pen()->SetColor(Color);
            C->Polyline(Points);
        };
        switch (Pos) {
            case cpTop:
                polyline(clGray, {{0, SR.Bottom - 1}, {0, SR.Top}, {SR.Right, SR.Top}});
                polyline(clWhite, {{0, SR.Bottom - 1}, {SR.Right - 1, SR.Bottom - 1}, {SR.Right - 1, SR.Top}});
                break;
            case cpLeft:
                polyline(clGray, {{SR.Left, H}, {SR.Left, SR.Top}, {SR.Right - 1, SR.Top}});
                polyline(clWhite, {{SR.Left, H}, {SR.Right - 1, H}, {SR.Right - 1, SR.Top}});
                break;
            case cpRight:
                polyline(clGray, {{SR.Left, H}, {SR.Right - 1, H}, {SR.Right - 1, SR.Top}});
                polyline(clWhite, {{SR.Left, H}, {SR.Left, SR.Top}, {SR.Right - 1, SR.Top}});
                break;
        }
    }
}

void TCustomAdvPanel::paintSizeGrip(TCanvas* C) {
    if (!FShowSizeMoveGrip || FCollaps || !FCanSize) return;
    TRect R = ClientRect();
    if (BevelOuter() != bvNone || BevelInner() != bvNone) {
        const int D = 2 * BevelWidth();
        R = Rect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D);
    }
    if (FBorderShadow) {
        R.Right -= 4;
        R.Bottom -= 4;
    }
    const bool Left = FCaption->Position() == cpRight;
    if (Left)
        R.Right = R.Left + GetSystemMetrics(SM_CXVSCROLL);
    else
        R.Left = R.Right - GetSystemMetrics(SM_CXVSCROLL);
    R.Top = R.Bottom - GetSystemMetrics(SM_CXHSCROLL);
    if (Left) R.Left += 1;
    // Three diagonal ridges: grey, 2 pixels wide, with a white line above each.
    const auto ridge = [&](int Up, int Along) {
        if (Left)
            line(C, R.Left, R.Bottom - Up, R.Left + Along, R.Bottom);
        else
            line(C, R.Right, R.Bottom - Up, R.Right - Along, R.Bottom);
    };
    C->Pen()->SetColor(clGray);
    C->Pen()->SetWidth(2);
    ridge(11, 11);
    ridge(6, 7);
    ridge(3, 3);
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetWidth(1);
    ridge(12, 12);
    ridge(8, 8);
    ridge(4, 4);
}
