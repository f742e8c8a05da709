// THTMLRadioButton: properties and grouping, painting, pointer and keys.
#include "components/controls/HTMLRadioButton.h"

#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/UxTheme.h"

using namespace htmlbutton;

struct THTMLRadioButton::GlyphPlace {
    enum TKind { gkFrame, gkCorvane, gkBitmap, gkTheme };
    TKind Kind = gkFrame;
    TRect R;
    UINT FrameState = 0;
    int ThemeState = 0;
    std::unique_ptr<TBitmap> Bitmap;
    int Offset = 0;  // added to the caption's indent
};

// ---------------------------------------------------------------------------------------------
// Life cycle and properties

THTMLRadioButton::THTMLRadioButton(TComponent* AOwner)
    : TCustomControl(AOwner), FImageCache(std::make_unique<THTMLPictureCache>()) {
    SetBounds(Left(), Top(), 98, 20);
    FIsWinXP = SystemHasVisualStyles();
    SetCaption(ClassName());
}

THTMLRadioButton::~THTMLRadioButton() { FImageCache->ClearPictures(); }

String THTMLRadioButton::Version() const {
    const unsigned V = static_cast<unsigned>(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(V >> 24).arg((V >> 16) & 0xFF).arg((V >> 8) & 0xFF).arg(V & 0xFF);
}

void THTMLRadioButton::SetCaption(const String& Value) {
    FCaption = Value;
    SetText(Value);
    Invalidate();
}

void THTMLRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    SetTabStop(Value);
    FChecked = Value;
    if (Value) {
        const TWeak<TControl> Self(this);
        uncheckGroup();
        if (!Self) return;
        DoClick();
        if (!Self) return;
    }
    Invalidate();
}

void THTMLRadioButton::uncheckGroup() {
    TWinControl* P = Parent();
    if (!P) return;
    for (int I = 0; I < P->ControlCount(); ++I) {
        auto* Other = dynamic_cast<THTMLRadioButton*>(P->Controls(I));
        if (Other && Other != this && Other->FGroupIndex == FGroupIndex) Other->SetChecked(false);
    }
}

void THTMLRadioButton::DoClick() {
    if (OnClick) OnClick(this);
}

void THTMLRadioButton::SetAlignment(TLeftRight Value) {
    if (Value == taCenter || FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void THTMLRadioButton::SetButtonType(TButtonType Value) {
    FButtonType = Value;
    Invalidate();
}

void THTMLRadioButton::SetButtonVertAlign(TTextLayout Value) {
    if (FBtnVAlign == Value) return;
    FBtnVAlign = Value;
    Invalidate();
}

void THTMLRadioButton::SetCheckColor(TColor Value) {
    FCheckColor = Value;
    Invalidate();
}

void THTMLRadioButton::SetDisabledColor(TColor Value) {
    if (FDisabledColor == Value) return;
    FDisabledColor = Value;
    Invalidate();
}

void THTMLRadioButton::SetDisabledShadow(bool Value) {
    if (FDisabledShadow == Value) return;
    FDisabledShadow = Value;
    Invalidate();
}

void THTMLRadioButton::SetEllipsis(bool Value) {
    if (FEllipsis == Value) return;
    FEllipsis = Value;
    Invalidate();
}

void THTMLRadioButton::SetShadowColor(TColor Value) {
    if (FShadowColor == Value) return;
    FShadowColor = Value;
    Invalidate();
}

void THTMLRadioButton::SetShadowOffset(int Value) {
    if (FShadowOffset == Value) return;
    FShadowOffset = Value;
    Invalidate();
}

void THTMLRadioButton::SetURLColor(TColor Value) {
    FURLColor = Value;
    Invalidate();
}

void THTMLRadioButton::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    FBkgCache = false;
    Repaint();
}

void THTMLRadioButton::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    Invalidate();
}

void THTMLRadioButton::SetPictureContainer(TPictureContainer* Value) {
    if (FContainer) FContainer->RemoveFreeNotification(this);
    FContainer = Value;
    if (FContainer) FContainer->FreeNotification(this);
    Invalidate();
}

void THTMLRadioButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FContainer) FContainer = nullptr;
}

void THTMLRadioButton::Loaded() {
    TCustomControl::Loaded();
    FOldCursor = Cursor();
    FScaleFactor = DPIScaleFactor(Font()->Name());
}

void THTMLRadioButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FTransparent) return;
    FBkgCache = false;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Painting

THTMLRadioButton::GlyphPlace THTMLRadioButton::placeGlyph() {
    GlyphPlace G;
    const int W = ClientWidth(), H = ClientHeight();
    const bool OnRight = FAlignment == taRightJustify;
    const auto top = [this](int AtTop, int AtCenter, int AtBottom) {
        return FBtnVAlign == tlTop ? AtTop : FBtnVAlign == tlCenter ? AtCenter : AtBottom;
    };
    TButtonType Type = FButtonType;
    if (Type == btTheme) Type = IsThemedXP() ? btWinXP : btClassic;
    const bool Themed = FIsWinXP && ThemeActive();
    const auto bitmapGlyph = [&](const char* OnName, const char* OffName, const char* DisabledOnName,
                                 const char* DisabledOffName, int RightGap) {
        const char* Name = Enabled() ? (FChecked ? OnName : OffName) : (FChecked ? DisabledOnName : DisabledOffName);
        G.Kind = GlyphPlace::gkBitmap;
        G.Bitmap = std::make_unique<TBitmap>();
        LoadGlyphBitmap(*G.Bitmap, Name);
        const int BW = G.Bitmap->Width(), BH = G.Bitmap->Height();
        const int T = top(2, H / 2 - BH / 2, H - BH - 2);
        const int L = OnRight ? W - BW - RightGap : 0;
        G.R = Rect(L, T, L + BW, T + BH);
        G.Offset = 13;
    };
    switch (Type) {
        case btCorvane: {
            int S = static_cast<int>(Round(12 * FScaleFactor));
            if (S % 2 != 0) ++S;
            const int Half = S / 2;
            const int T = top(4, H / 2 - Half, H - S - 4);
            const int L = OnRight ? W - S - 1 : 1;
            G.Kind = GlyphPlace::gkCorvane;
            G.R = Rect(L, T, L + S, T + S);
            G.Offset = S;
            break;
        }
        case btTessel:
            bitmapGlyph("HTMBRAD01", "HTMBRAD02", "HTMBRAD03", "HTMBRAD04", 1);
            break;
        case btWinXP:
            if (!Themed) {
                bitmapGlyph("HTMBRAD05", "HTMBRAD06", "HTMBRAD07", "HTMBRAD08", 0);
            } else {
                const int S = static_cast<int>(Round(13 * FScaleFactor));
                const int T = top(4, H / 2 - 6, H - 14);
                const int L = OnRight ? W - 14 : 0;
                G.Kind = GlyphPlace::gkTheme;
                G.R = Rect(L, T, L + S, T + S);
                G.ThemeState = (FChecked ? 5 : 1) + (!Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0);
                G.Offset = 13;
            }
            break;
        default: {  // btClassic, btFlat
            const int S = static_cast<int>(Round(13 * FScaleFactor));
            const int T = top(4, H / 2 - 6, H - S - 4);
            const int L = OnRight ? W - S : 0;
            G.Kind = GlyphPlace::gkFrame;
            G.R = Rect(L, T, L + S, T + S);
            G.FrameState = DFCS_BUTTONRADIO;
            if (FChecked) G.FrameState |= DFCS_CHECKED;
            if (!Enabled()) G.FrameState |= DFCS_INACTIVE;
            if (Type == btFlat) G.FrameState |= DFCS_FLAT;
            G.Offset = S;
            break;
        }
    }
    return G;
}

TRect THTMLRadioButton::captionRect(int GlyphOffset) const {
    const int Indent = GlyphOffset + static_cast<int>(Round(5 * FScaleFactor));
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

void THTMLRadioButton::paintCorvane(TCanvas* C, const TRect& Box) {
    const int L = Box.Left, T = Box.Top, R = Box.Right, B = Box.Bottom, Half = Box.Width() / 2;
    const TPoint Top{L + Half, T}, Left{L, T + Half}, Bottom{L + Half, B}, Right{R, T + Half};
    C->Pen()->SetWidth(1);
    if (FDown) {
        C->Pen()->SetColor(clBlack);
        C->Polyline({Top, Left, Bottom, Right, Top});
        C->Polyline({{L + Half, T + 1}, {L + 1, T + Half}, {L + Half, B - 1}, {R - 1, T + Half}, {L + Half, T + 1}});
    } else {
        C->Pen()->SetColor(FChecked ? clGray : clSilver);
        C->Polyline({Top, Left, Bottom});
        C->Pen()->SetColor(FChecked ? clSilver : clGray);
        C->Polyline({Bottom, Right, Top});
    }
    if (!FChecked) return;
    const int X = L + Half, Y = T + Half;
    C->Pen()->SetColor(Enabled() ? FCheckColor : clGray);
    const struct {
        int X1, Y1, X2, Y2;
    } Dot[] = {{X - 1, Y - 1, X + 2, Y - 1}, {X - 2, Y, X + 3, Y}, {X - 1, Y + 1, X + 2, Y + 1}, {X, Y - 2, X, Y + 3}};
    for (const auto& S : Dot) {
        C->MoveTo(S.X1, S.Y1);
        C->LineTo(S.X2, S.Y2);
    }
}

void THTMLRadioButton::paintGlyph(TCanvas* C, const GlyphPlace& G) {
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
            DrawThemedButton(this, C->Handle(), BP_RADIOBUTTON, G.ThemeState, R);
            break;
    }
}

void THTMLRadioButton::Paint() {
    TCanvas* C = Canvas();
    C->SetFont(Font());
    if (FTransparent) PaintTransparentBackground(this, C, FTransparentCaching, FBkgBmp, FBkgCache);
    const GlyphPlace G = placeGlyph();
    paintGlyph(C, G);
    const TRect R = captionRect(G.Offset);
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
    const TSize Text = DrawCaption(C, Font(), FCaption, R, Style, Enabled());
    if (FFocused) C->DrawFocusRect(Rect(R.Left, R.Top, R.Left + Text.cx + 3, R.Top + Text.cy + 1));
}

// ---------------------------------------------------------------------------------------------
// Pointer and keys

String THTMLRadioButton::IsAnchor(int X, int Y) {
    CaptionStyle Style;
    Style.Cache = FImageCache.get();
    Style.Container = FContainer;
    Style.URLColor = FURLColor;
    Style.ShadowColor = FShadowColor;
    Style.ShadowOffset = FShadowOffset;
    Style.WordWrap = !FEllipsis;
    return AnchorAt(Font(), FCaption, captionRect(placeGlyph().Offset), Style, X, Y);
}

void THTMLRadioButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
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
        TCustomControl::MouseDown(Button, Shift, X, Y);
        if (!Self) return;
        SetMouseCapture(true);
        FDown = true;
    }
    Invalidate();
}

void THTMLRadioButton::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    if (MouseCapture()) {
        const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (Inside != FDown) {
            FDown = Inside;
            Invalidate();
        }
    }
    const String Anchor = IsAnchor(X, Y);
    if (!Anchor.isEmpty()) {
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
    TCustomControl::MouseMove(Shift, X, Y);
}

void THTMLRadioButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    SetMouseCapture(false);
    FDown = false;
    if (ClientRect().Contains(Point(X, Y)) && FMouseDown && !FChecked) {
        SetChecked(true);
        if (!Self) return;
    }
    FMouseDown = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Self) Invalidate();
}

void THTMLRadioButton::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void THTMLRadioButton::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        const TWeak<TControl> Self(this);
        FDown = false;
        Invalidate();
        if (!FChecked) SetChecked(true);
        if (!Self) return;
    }
    TCustomControl::KeyUp(Key, Shift);
}

void THTMLRadioButton::DoEnter() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoEnter();
    if (!Self) return;
    FFocused = true;
    Invalidate();
    SetChecked(true);
}

void THTMLRadioButton::DoExit() {
    const TWeak<TControl> Self(this);
    TCustomControl::DoExit();
    if (!Self) return;
    FFocused = false;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages

void THTMLRadioButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void THTMLRadioButton::WMEraseBkgnd(TMessage& Message) {
    if (FTransparent)
        Message.Result = 1;
    else
        TCustomControl::Dispatch(Message);
}

void THTMLRadioButton::WMLButtonDown(TMessage& Message) {
    // The focus first, so that a click on an unfocused button checks it through DoEnter.
    const TWeak<TControl> Self(this);
    if (CanFocus()) SetFocus();
    if (Self) TCustomControl::Dispatch(Message);
}

void THTMLRadioButton::CMEnabledChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void THTMLRadioButton::CMDialogChar(TMessage& Message) {
    TWMKey M(Message);
    if (!IsAccel(static_cast<Word>(M.CharCode), FCaption) || !CanFocus()) {
        TCustomControl::Dispatch(Message);
        return;
    }
    const TWeak<TControl> Self(this);
    SetChecked(true);
    if (!Self) return;
    if (TabStop()) SetFocus();
    Message.Result = 1;
}

void THTMLRadioButton::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = true;
        if (FIsWinXP && themeButtons()) Invalidate();
    }
    TCustomControl::Dispatch(Message);
}

void THTMLRadioButton::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0) {
        FHot = false;
        if (FIsWinXP && themeButtons()) Invalidate();
    }
    TCustomControl::Dispatch(Message);
}

void THTMLRadioButton::CMTextChanged(TMessage& Message) {
    FCaption = Text();
    Invalidate();
    TCustomControl::Dispatch(Message);
}
