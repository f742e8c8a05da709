// THTMLCheckBox: unit routines, the glyph bitmaps, the helpers shared with the radio button, and
// the check box's properties, painting, pointer and keys.
#include "components/controls/HTMLCheckBox.h"
#include "components/graphics/ComponentVersion.h"

#include "components/graphics/AdvUtilText.h"
#include "components/graphics/BtnXPVS.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/MiniHTML.h"
#include "components/graphics/PictureContainer.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/PlatformFacts.h"

#include <cmath>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Unit routines

int GetFileVersionMS(const String& FileName) {
    const DWORD Version = GetSystemLibraryVersionMS(FileName);
    return Version == 0 ? -1 : static_cast<int>(Version);
}

bool IsThemedXP() {
    if (!htmlbutton::SystemHasVisualStyles() || !htmlbutton::ThemeActive()) return false;
    const int Version = GetFileVersionMS(QStringLiteral("COMCTL32.DLL"));
    // An unknown version (-1) would read as major 255; it is no proof of a themed library.
    if (Version == -1) return false;
    return LOBYTE(HIWORD(static_cast<DWORD>(Version))) > 5;
}

// ---------------------------------------------------------------------------------------------
// Glyph bitmaps: our own pictures, registered under the names the controls load them by. The
// bottom-left pixel is the transparent colour, so every picture keeps that corner clear.

namespace {

enum class GlyphShape { Box, Circle };

struct GlyphLook {
    const char* Name;
    int Size;
    int Bits;
    GlyphShape Shape;
    TColor Border, Fill, Mark;
    bool Marked;
};

constexpr TColor GlyphKey = clFuchsia;
constexpr TColor TesselBorder = 0xB99D7F, TesselFill = 0xFFFFFF, TesselMark = 0x800000;
constexpr TColor TesselOffBorder = 0xC0C0C0, TesselOffFill = 0xF0F0F0, TesselOffMark = 0xA0A0A0;
constexpr TColor StyleBorder = 0x80511C, StyleFill = 0xF4F4F4, StyleMark = 0x21A121;
constexpr TColor StyleOffBorder = 0xBACACA, StyleOffFill = 0xF5F5F5, StyleOffMark = 0xA8A8A8;

constexpr GlyphShape Box = GlyphShape::Box, Circle = GlyphShape::Circle;
constexpr GlyphLook kGlyphLooks[] = {
    {"HTMBCHK01", 20, 4, Box, TesselBorder, TesselFill, TesselMark, true},
    {"HTMBCHK02", 20, 4, Box, TesselBorder, TesselFill, TesselMark, false},
    {"HTMBCHK03", 20, 4, Box, TesselOffBorder, TesselOffFill, TesselOffMark, true},
    {"HTMBCHK04", 20, 4, Box, TesselOffBorder, TesselOffFill, TesselOffMark, false},
    {"HTMBCHK05", 16, 8, Box, StyleBorder, StyleFill, StyleMark, true},
    {"HTMBCHK06", 16, 8, Box, StyleBorder, StyleFill, StyleMark, false},
    {"HTMBCHK07", 16, 8, Box, StyleOffBorder, StyleOffFill, StyleOffMark, true},
    {"HTMBCHK08", 16, 8, Box, StyleOffBorder, StyleOffFill, StyleOffMark, false},
    {"HTMBRAD01", 16, 4, Circle, TesselBorder, TesselFill, TesselMark, true},
    {"HTMBRAD02", 16, 4, Circle, TesselBorder, TesselFill, TesselMark, false},
    {"HTMBRAD03", 16, 4, Circle, TesselOffBorder, TesselOffFill, TesselOffMark, true},
    {"HTMBRAD04", 16, 4, Circle, TesselOffBorder, TesselOffFill, TesselOffMark, false},
    {"HTMBRAD05", 16, 8, Circle, StyleBorder, StyleFill, StyleMark, true},
    {"HTMBRAD06", 16, 8, Circle, StyleBorder, StyleFill, StyleMark, false},
    {"HTMBRAD07", 16, 8, Circle, StyleOffBorder, StyleOffFill, StyleOffMark, true},
    {"HTMBRAD08", 16, 8, Circle, StyleOffBorder, StyleOffFill, StyleOffMark, false},
};
static_assert(std::size(kGlyphLooks) == 16);

// Palette indexes of a glyph picture.
enum GlyphInk : Byte { InkKey, InkBorder, InkFill, InkMark };

GlyphInk boxInk(const GlyphLook& L, int X, int Y) {
    const int Margin = L.Size >= 20 ? 3 : 1;
    const int First = Margin, Last = L.Size - Margin - 1;
    if (X < First || X > Last || Y < First || Y > Last) return InkKey;
    if (X == First || X == Last || Y == First || Y == Last) return InkBorder;
    if (!L.Marked) return InkFill;
    // A tick two pixels thick: down from the left third, then up to the right.
    const int A = First + 3, B = Last - 3, Low = Last - 3, Mid = (First + Last) / 2;
    const int Knee = A + (B - A) / 3;
    if (X < A || X > B) return InkFill;
    const int Line = X <= Knee ? Mid + (X - A) * (Low - Mid) / std::max(1, Knee - A)
                               : Low - (X - Knee) * (Low - (First + 3)) / std::max(1, B - Knee);
    return Y == Line || Y == Line - 1 ? InkMark : InkFill;
}

GlyphInk circleInk(const GlyphLook& L, int X, int Y) {
    const double Centre = (L.Size - 1) / 2.0, Radius = L.Size / 2.0 - 1;
    const double D = std::hypot(X - Centre, Y - Centre);
    if (D > Radius) return InkKey;
    if (D > Radius - 1.2) return InkBorder;
    return L.Marked && D <= Radius * 0.4 ? InkMark : InkFill;
}

void putLE(std::vector<Byte>& Out, std::uint32_t V, int Bytes) {
    for (int I = 0; I < Bytes; ++I) Out.push_back(static_cast<Byte>(V >> (8 * I)));
}

// A device-independent bitmap as resources hold it: header, palette, rows from the bottom up.
std::vector<Byte> glyphDib(const GlyphLook& L) {
    const TColor Palette[] = {GlyphKey, L.Border, L.Fill, L.Mark};
    const int Stride = ((L.Size * L.Bits + 31) / 32) * 4;
    std::vector<Byte> Out;
    putLE(Out, 40, 4);
    putLE(Out, static_cast<std::uint32_t>(L.Size), 4);
    putLE(Out, static_cast<std::uint32_t>(L.Size), 4);
    putLE(Out, 1, 2);
    putLE(Out, static_cast<std::uint32_t>(L.Bits), 2);
    putLE(Out, 0, 4);  // no compression
    putLE(Out, static_cast<std::uint32_t>(Stride * L.Size), 4);
    putLE(Out, 3780, 4);  // 96 pixels per inch
    putLE(Out, 3780, 4);
    putLE(Out, std::size(Palette), 4);
    putLE(Out, 0, 4);
    for (TColor C : Palette) {
        Out.push_back(GetBValue(C));
        Out.push_back(GetGValue(C));
        Out.push_back(GetRValue(C));
        Out.push_back(0);
    }
    for (int Y = L.Size - 1; Y >= 0; --Y) {
        std::vector<Byte> Row(static_cast<std::size_t>(Stride), 0);
        for (int X = 0; X < L.Size; ++X) {
            const Byte Ink = L.Shape == GlyphShape::Box ? boxInk(L, X, Y) : circleInk(L, X, Y);
            if (L.Bits == 8)
                Row[static_cast<std::size_t>(X)] = Ink;
            else
                Row[static_cast<std::size_t>(X / 2)] |= X % 2 == 0 ? static_cast<Byte>(Ink << 4) : Ink;
        }
        Out.insert(Out.end(), Row.begin(), Row.end());
    }
    return Out;
}

bool registerGlyphResources() {
    for (const GlyphLook& L : kGlyphLooks) {
        const std::vector<Byte> Dib = glyphDib(L);
        RegisterResource(RT_BITMAP, QLatin1String(L.Name), Dib.data(), Dib.size());
    }
    return true;
}

[[maybe_unused]] const bool GlyphResourcesRegistered = registerGlyphResources();

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shared helpers

namespace htmlbutton {

bool OpenShellLink(const String& Anchor) {
    if (!IsHyperlink(Anchor)) return false;
    ShellExecute(nullptr, QStringLiteral("open"), Anchor, String(), String(), SW_SHOWNORMAL);
    return true;
}

namespace {

TMarkupRequest captionRequest(TCanvas* C, const String& Caption, const TRect& R, const CaptionStyle& S) {
    TMarkupRequest Request;
    Request.Canvas = C;
    Request.Text = Caption;
    Request.DrawRect = R;
    Request.Images = S.Images;
    Request.ShadowOffset = S.ShadowOffset;
    Request.WordWrap = S.WordWrap;
    Request.AnchorColor = S.URLColor;
    Request.ShadowColor = S.ShadowColor;
    Request.PictureCache = S.Cache;
    Request.Container = S.Container;
    return Request;
}

}  // namespace

TSize DrawCaption(TCanvas* Canvas, TFont* Font, const String& Caption, const TRect& R, const CaptionStyle& Style,
                  bool Enabled) {
    TMarkupRequest Request = captionRequest(Canvas, Caption, R, Style);
    TMarkupResult Out;
    Canvas->SetFont(Font);
    if (Enabled) {
        Out = DrawMarkupText(Request);
    } else {
        // Engraved: a white copy one pixel down and right, then the text in the disabled colour.
        if (Style.DisabledShadow) {
            TMarkupRequest Shadow = Request;
            Shadow.DrawRect = MovedRect(R, 1, 1);
            Shadow.Images = nullptr;
            Shadow.AnchorColor = clWhite;
            Canvas->Font()->SetColor(clWhite);
            DrawMarkupText(Shadow);
            Canvas->SetFont(Font);
        }
        Canvas->Font()->SetColor(Style.DisabledColor);
        Request.AnchorColor = clGray;
        Out = DrawMarkupText(Request);
    }
    Canvas->SetFont(Font);
    return {Out.MeasuredWidth, Out.MeasuredHeight};
}

String AnchorAt(TFont* Font, const String& Caption, const TRect& R, const CaptionStyle& Style, int X, int Y) {
    TBitmap Scratch(1, 1);
    TCanvas* C = Scratch.Canvas();
    C->SetFont(Font);
    TMarkupRequest Request = captionRequest(C, Caption, R, Style);
    Request.HitX = X;
    Request.HitY = Y;
    Request.HitTestOnly = true;
    const TMarkupResult Out = DrawMarkupText(Request);
    return Out.OnAnchor ? Out.AnchorHref : String();
}

void DrawParentBackground(TControl* Control, HDC DC) {
    TWinControl* Parent = Control->Parent();
    if (!Parent || !DC) return;
    const int Saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, -Control->Left(), -Control->Top(), nullptr);
    const TRect Area = Parent->ClientRect();
    IntersectClipRect(DC, Area.Left, Area.Top, Area.Right, Area.Bottom);
    Parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, Saved);
}

void PaintTransparentBackground(TControl* Control, TCanvas* Canvas, bool Caching, std::unique_ptr<TBitmap>& Cache,
                                bool& CacheValid) {
    if (!Caching) {
        DrawParentBackground(Control, Canvas->Handle());
        return;
    }
    if (!CacheValid || !Cache) {
        Cache = std::make_unique<TBitmap>(std::max(Control->Width(), 1), std::max(Control->Height(), 1));
        DrawParentBackground(Control, Cache->Canvas()->Handle());
        CacheValid = true;
    }
    Canvas->Draw(0, 0, Cache.get());
}

bool LoadGlyphBitmap(TBitmap& Bitmap, const char* ResName) {
    try {
        Bitmap.LoadFromResourceName(HInstance, QLatin1String(ResName));
    } catch (const Exception&) {
        // A missing or broken picture draws nothing rather than failing the whole paint.
        Bitmap.SetSize(0, 0);
        return false;
    }
    Bitmap.SetTransparentMode(tmAuto);
    Bitmap.SetTransparent(true);
    return true;
}

bool DrawThemedButton(TWinControl* Control, HDC DC, int Part, int State, const TRect& R) {
    if (!BtnXPVS.OpenThemeData || !BtnXPVS.DrawThemeBackground || !BtnXPVS.CloseThemeData) return false;
    HTHEME Theme = BtnXPVS.OpenThemeData(Control->Handle(), u"button");
    if (!Theme) return false;
    BtnXPVS.DrawThemeBackground(Theme, DC, Part, State, &R, nullptr);
    BtnXPVS.CloseThemeData(Theme);
    return true;
}

bool ThemeActive() { return BtnXPVS.IsThemeActive && BtnXPVS.IsThemeActive() != 0; }

bool SystemHasVisualStyles() {
    const TPlatformFacts& F = PlatformFacts();
    return F.MajorVersion > 5 || (F.MajorVersion == 5 && F.MinorVersion >= 1);
}

}  // namespace htmlbutton

using namespace htmlbutton;

// ---------------------------------------------------------------------------------------------
// TCustomHTMLButton: life cycle and properties

TCustomHTMLButton::TCustomHTMLButton(TComponent* AOwner)
    : TCustomButtonControl(AOwner), FImageCache(std::make_unique<THTMLPictureCache>()) {}

TCustomHTMLButton::~TCustomHTMLButton() { FImageCache->ClearPictures(); }

String TCustomHTMLButton::Version() const { return VersionText(GetVersionNr()); }

void TCustomHTMLButton::SetCaption(const String& Value) {
    FCaption = Value;
    SetText(Value);  // CM_TEXTCHANGED repaints
    Invalidate();
}

void TCustomHTMLButton::SetAlignment(TLeftRight Value) {
    if (Value == taCenter || FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomHTMLButton::SetButtonType(TButtonType Value) {
    FButtonType = Value;
    Invalidate();
}

void TCustomHTMLButton::SetButtonVertAlign(TTextLayout Value) {
    if (FBtnVAlign == Value) return;
    FBtnVAlign = Value;
    Invalidate();
}

void TCustomHTMLButton::SetCheckColor(TColor Value) {
    FCheckColor = Value;
    Invalidate();
}

void TCustomHTMLButton::SetDisabledColor(TColor Value) {
    if (FDisabledColor == Value) return;
    FDisabledColor = Value;
    Invalidate();
}

void TCustomHTMLButton::SetDisabledShadow(bool Value) {
    if (FDisabledShadow == Value) return;
    FDisabledShadow = Value;
    Invalidate();
}

void TCustomHTMLButton::SetEllipsis(bool Value) {
    if (FEllipsis == Value) return;
    FEllipsis = Value;
    Invalidate();
}

void TCustomHTMLButton::SetShadowColor(TColor Value) {
    if (FShadowColor == Value) return;
    FShadowColor = Value;
    Invalidate();
}

void TCustomHTMLButton::SetShadowOffset(int Value) {
    if (FShadowOffset == Value) return;
    FShadowOffset = Value;
    Invalidate();
}

void TCustomHTMLButton::SetURLColor(TColor Value) {
    if (FURLColor == Value) return;
    FURLColor = Value;
    Invalidate();
}

void TCustomHTMLButton::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    FBkgCache = false;
    Repaint();
}

void TCustomHTMLButton::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}

void TCustomHTMLButton::SetPictureContainer(TPictureContainer* Value) {
    FContainer = Value;
    Invalidate();
}

void TCustomHTMLButton::Loaded() {
    TCustomButtonControl::Loaded();
    FOldCursor = Cursor();
    FScaleFactor = DPIScaleFactor(Font()->Name());
}

void TCustomHTMLButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomButtonControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FTransparent) return;
    FBkgCache = false;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// TCustomHTMLButton: painting

TButtonType TCustomHTMLButton::drawnType() const {
    if (FButtonType == btTheme) return IsThemedXP() ? btWinXP : btClassic;
    return FButtonType;
}

bool TCustomHTMLButton::themed() const { return FIsWinXP && ThemeActive(); }

int TCustomHTMLButton::glyphTop(int AtTop, int AtCenter, int AtBottom) const {
    return FBtnVAlign == tlTop ? AtTop : FBtnVAlign == tlCenter ? AtCenter : AtBottom;
}

TRect TCustomHTMLButton::glyphRect(int Size, int Top, int LeftOnRight, int LeftOnLeft) const {
    const int L = FAlignment == taRightJustify ? LeftOnRight : LeftOnLeft;
    return Rect(L, Top, L + Size, Top + Size);
}

void TCustomHTMLButton::placeBitmapGlyph(GlyphPlace& G, const char* Name, int TopGap, int BottomGap, int RightGap,
                                         int Indent) {
    const int H = ClientHeight();
    G.Kind = GlyphPlace::gkBitmap;
    G.Bitmap = std::make_unique<TBitmap>();
    LoadGlyphBitmap(*G.Bitmap, Name);
    const int BW = G.Bitmap->Width(), BH = G.Bitmap->Height();
    const int T = glyphTop(TopGap, H / 2 - BH / 2, H - BH - BottomGap);
    const int L = FAlignment == taRightJustify ? ClientWidth() - BW - RightGap : 0;
    G.R = Rect(L, T, L + BW, T + BH);
    G.Indent = Indent;
}

TRect TCustomHTMLButton::captionRect(int Indent) const {
    TRect R = ClientRect();
    if (FAlignment == taRightJustify) {
        R.Left = 0;
        R.Right -= Indent;
    } else {
        R.Left += Indent;
    }
    R.Top += 4;
    return R;
}

void TCustomHTMLButton::paintGlyph(TCanvas* C, const GlyphPlace& G) {
    TRect R = G.R;
    switch (G.Kind) {
        case GlyphPlace::gkFrame:
            DrawFrameControl(C->Handle(), &R, DFC_BUTTON, G.FrameState);
            break;
        case GlyphPlace::gkCorvane:
            paintCorvane(C, R);
            break;
        case GlyphPlace::gkBitmap:
            if (G.Bitmap && !G.Bitmap->Empty()) C->Draw(R.Left, R.Top, G.Bitmap.get());
            break;
        case GlyphPlace::gkTheme:
            DrawThemedButton(this, C->Handle(), G.ThemePart, G.ThemeState, R);
            break;
    }
}

CaptionStyle TCustomHTMLButton::captionStyle() const {
    CaptionStyle Style;
    Style.Images = FImages;
    Style.Cache = FImageCache.get();
    Style.Container = FContainer;
    Style.URLColor = FURLColor;
    Style.ShadowColor = FShadowColor;
    Style.ShadowOffset = FShadowOffset;
    Style.WordWrap = !FEllipsis;
    Style.DisabledColor = FDisabledColor;
    Style.DisabledShadow = FDisabledShadow;
    return Style;
}

void TCustomHTMLButton::Paint() {
    TCanvas* C = Canvas();
    C->SetFont(Font());
    if (FTransparent) PaintTransparentBackground(this, C, FTransparentCaching, FBkgBmp, FBkgCache);
    const GlyphPlace G = placeGlyph();
    paintGlyph(C, G);
    const TRect R = captionRect(G.Indent);
    const TSize Text = DrawCaption(C, Font(), FCaption, R, captionStyle(), Enabled());
    if (FFocused) C->DrawFocusRect(Rect(R.Left, R.Top, R.Left + Text.cx + 3, R.Top + Text.cy + 1));
}

// ---------------------------------------------------------------------------------------------
// TCustomHTMLButton: pointer and keys

String TCustomHTMLButton::IsAnchor(int X, int Y) {
    // Hit-tested where the caption is drawn, whatever the glyph style and side; images take no
    // part in the hit test.
    CaptionStyle Style = captionStyle();
    Style.Images = nullptr;
    return AnchorAt(Font(), FCaption, captionRect(placeGlyph().Indent), Style, X, Y);
}

void TCustomHTMLButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    FMouseDown = true;
    String Anchor;
    if (FFocused) {
        Anchor = IsAnchor(X, Y);
        if (!Anchor.isEmpty() && !OpenShellLink(Anchor) && OnAnchorClick) {
            OnAnchorClick(this, Anchor);
            if (!Self) return;
        }
    } else {
        if (CanFocus()) SetFocus();
        if (!Self) return;
        FFocused = true;
    }
    if (Anchor.isEmpty()) {
        TCustomButtonControl::MouseDown(Button, Shift, X, Y);
        if (!Self) return;
        SetMouseCapture(true);
        FDown = true;
    }
    Invalidate();  // the pressed look
}

void TCustomHTMLButton::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    trackPress(X, Y);
    const String Anchor = IsAnchor(X, Y);
    if (!Anchor.isEmpty()) {
        // Not only the default cursor: a control with its own cursor shows the hand again on
        // re-entering the anchor it last left.
        if (Cursor() != crHandPoint || Anchor != FAnchor) {
            FAnchor = Anchor;
            if (Cursor() != crHandPoint) FOldCursor = Cursor();
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, Anchor);
            if (!Self) return;
        }
    } else if (Cursor() == crHandPoint) {
        SetCursor(FOldCursor);
        if (OnAnchorExit) OnAnchorExit(this, String());
        if (!Self) return;
    }
    TCustomControl::MouseMove(Shift, X, Y);  // the press is tracked above
}

// ---------------------------------------------------------------------------------------------
// TCustomHTMLButton: messages

void TCustomHTMLButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED)
        CMTextChanged(Message);
    else
        TCustomButtonControl::Dispatch(Message);
}

void TCustomHTMLButton::CMTextChanged(TMessage& Message) {
    // The text may also come from an action or the base class's writer.
    FCaption = Text();
    Invalidate();
    TCustomButtonControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TCustomHTMLCheckBox

TCustomHTMLCheckBox::TCustomHTMLCheckBox(TComponent* AOwner) : TCustomHTMLButton(AOwner) {
    // OnClick comes only from the box's own toggling paths, not from every release.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetCaption(ClassName());
}

THTMLCheckBox::THTMLCheckBox(TComponent* AOwner) : TCustomHTMLCheckBox(AOwner) { SetCaption(ClassName()); }

void TCustomHTMLCheckBox::SetCheckColor(TColor Value) {
    FCheckColor = Value;
    Repaint();
}

void TCustomHTMLCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    invalidateGlyphColumn();
}

void TCustomHTMLCheckBox::SetChecked(bool Value) {
    SetState(Value ? cbChecked : cbUnchecked);
    Invalidate();
}

void TCustomHTMLCheckBox::Toggle() {
    if (!FReadOnly) SetChecked(!Checked());
}

void TCustomHTMLCheckBox::activate() {
    Toggle();
    Click();
}

// The framework repaints whole windows; the glyph column is the part that changed.
void TCustomHTMLCheckBox::invalidateGlyphColumn() { Invalidate(); }

TCustomHTMLButton::GlyphPlace TCustomHTMLCheckBox::placeGlyph() {
    GlyphPlace G;
    const int W = ClientWidth(), H = ClientHeight();
    const TButtonType Type = drawnType();
    const bool On = FState == cbChecked;
    const auto bitmapGlyph = [&](const char* OnName, const char* OffName, const char* DisabledOnName,
                                 const char* DisabledOffName, int TopGap) {
        const char* Name = Enabled() ? (On ? OnName : OffName) : (On ? DisabledOnName : DisabledOffName);
        placeBitmapGlyph(G, Name, TopGap, 0, 1, 12 + 10);
    };
    switch (Type) {
        case btCorvane: {
            const int S = static_cast<int>(Round(12 * FScaleFactor));
            G.Kind = GlyphPlace::gkCorvane;
            G.R = glyphRect(S, glyphTop(4, H / 2 - S / 2, H - S - 4), W - S - 1, 1);
            G.Indent = S + 5;
            break;
        }
        case btTessel:
            bitmapGlyph("HTMBCHK01", "HTMBCHK02", "HTMBCHK03", "HTMBCHK04", 0);
            break;
        case btWinXP:
            if (!themed()) {
                bitmapGlyph("HTMBCHK05", "HTMBCHK06", "HTMBCHK07", "HTMBCHK08", 2);
            } else {
                const int S = static_cast<int>(Round(14 * FScaleFactor));
                const int Base = On ? 5 : FState == cbGrayed ? 9 : 1;
                G.Kind = GlyphPlace::gkTheme;
                G.R = glyphRect(S, glyphTop(4, H / 2 - 6, H - 14), W - 15);
                G.ThemePart = BP_CHECKBOX;
                // Disabled wins over pressed, pressed over hot.
                G.ThemeState = Base + (!Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0);
                G.Indent = 12 + 5 + static_cast<int>(Round(14 * FScaleFactor - 14));
            }
            break;
        default: {  // btClassic, btFlat
            const int S = static_cast<int>(Round(13 * FScaleFactor));
            G.Kind = GlyphPlace::gkFrame;
            G.R = glyphRect(S, glyphTop(4, H / 2 - 6, H - 4 - S), W - S);
            G.FrameState = DFCS_BUTTONCHECK;
            if (On) G.FrameState |= DFCS_CHECKED;
            if (!Enabled() || FState == cbGrayed) G.FrameState |= DFCS_INACTIVE;
            if (Type == btFlat) G.FrameState |= DFCS_FLAT;
            G.Indent = 12 + 5 + static_cast<int>(Round(13 * FScaleFactor - 13));
            break;
        }
    }
    return G;
}

void TCustomHTMLCheckBox::paintCorvane(TCanvas* C, const TRect& Box) {
    const int L = Box.Left, T = Box.Top, R = Box.Right, B = Box.Bottom;
    C->Brush()->SetColor(clBtnFace);
    C->Brush()->SetStyle(bsSolid);
    C->Pen()->SetWidth(1);
    if (!FDown) {
        C->Pen()->SetColor(clBtnFace);
        C->Rectangle(L, T, R, B);
        C->Pen()->SetColor(clBtnHighlight);
        C->MoveTo(L, B);
        C->LineTo(L, T);
        C->LineTo(R, T);
        C->Pen()->SetColor(clBtnShadow);
        C->LineTo(R, B);
        C->LineTo(L, B);
    } else {
        C->Pen()->SetColor(clBlack);
        C->Pen()->SetWidth(2);
        C->Rectangle(L + 1, T + 1, R + 1, B + 1);
        C->Pen()->SetWidth(1);
    }
    if (FState == cbChecked) {
        C->Pen()->SetColor(Enabled() ? FCheckColor : clGray);
        C->MoveTo(L + 2, T + 6);
        C->LineTo(L + 2, B - 2);
        C->MoveTo(L + 3, T + 5);
        C->LineTo(L + 3, B - 3);
        C->MoveTo(L + 2, B - 2);
        C->LineTo(R - 2, T + 2);
        C->MoveTo(L + 3, B - 2);
        C->LineTo(R - 1, T + 2);
    } else if (FState == cbGrayed) {
        C->Brush()->SetColor(clBtnShadow);
        C->FillRect(Rect(L + 2, T + 2, R - 1, B - 1));
    }
}
