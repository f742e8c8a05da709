// THTMLStaticText: properties and life cycle, painting, pointer, keyboard and timer.
#include "components/controls/HTMLStaticText.h"
#include "components/graphics/ComponentVersion.h"

#include "components/graphics/AdvUtilText.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/MiniHTML.h"
#include "components/graphics/MiniHTML_Utils.h"
#include "components/graphics/PictureContainer.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"

namespace {

constexpr UINT_PTR TimerIdent = 1;
constexpr UINT TimerPeriod = 100;  // ms
constexpr int ArrowSize = 10;      // the mini-scroll arrow buttons and their column
constexpr int ScrollStep = 4;      // pixels per press or tick
constexpr int Unbounded = 65535;   // an edge far enough out to lay the text out in full
constexpr int BlinkTicks = 5;      // ticks per blink phase

void shrink(TRect& R, int By) {
    R.Left += By;
    R.Top += By;
    R.Right -= By;
    R.Bottom -= By;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle and properties

THTMLStaticText::THTMLStaticText(TComponent* AOwner)
    : TCustomStaticText(AOwner),
      FHTMLText(std::make_unique<TStringList>()),
      FImageCache(std::make_unique<THTMLPictureCache>()) {
    FHTMLText->OnChange = [this](TObject*) { htmlTextChanged(); };
    SetAutoSize(false);  // AutoSizing follows the markup, not the caption
    SetBounds(Left(), Top(), 150, 20);
    SetDoubleBuffered(true);
    if (AOwner && AOwner->ComponentState().Contains(csDesigning) && !AOwner->ComponentState().Contains(csLoading))
        FHTMLText->Add(QStringLiteral("Tessel <b>HTML</b> StaticText"));
}

THTMLStaticText::~THTMLStaticText() {
    FHTMLText->OnChange = nullptr;
    stopTimer();
    FImageCache->ClearPictures();
}

String THTMLStaticText::Version() const { return VersionText(GetVersionNr()); }

TStrings* THTMLStaticText::HTMLText() const { return FHTMLText.get(); }

void THTMLStaticText::SetHTMLText(TStrings* Value) {
    if (Value) FHTMLText->Assign(Value);
    Invalidate();
}

void THTMLStaticText::htmlTextChanged() {
    FHoverHyperLink = -1;
    FFocusHyperLink = -1;
    Invalidate();
}

String THTMLStaticText::GetDisplayText() const {
    String Result;
    for (int I = 0; I < FHTMLText->Count(); ++I) Result += FHTMLText->Strings(I);
    return Result;
}

String THTMLStaticText::Text() const { return StripMarkupTags(GetDisplayText()); }

void THTMLStaticText::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}

void THTMLStaticText::SetPictureContainer(TPictureContainer* Value) { FContainer = Value; }

void THTMLStaticText::SetLineSpacing(int Value) {
    if (FLineSpacing == Value) return;
    FLineSpacing = Value;
    Invalidate();
}

void THTMLStaticText::SetURLColor(TColor Value) {
    if (FURLColor == Value) return;
    FURLColor = Value;
    Invalidate();
}

void THTMLStaticText::SetHover(bool Value) {
    if (FHover == Value) return;
    FHover = Value;
    Invalidate();
}

void THTMLStaticText::SetEllipsis(bool Value) {
    if (FEllipsis == Value) return;
    FEllipsis = Value;
    Invalidate();
}

void THTMLStaticText::SetShadowColor(TColor Value) {
    FShadowColor = Value;
    Invalidate();
}

void THTMLStaticText::SetShadowOffset(int Value) {
    FShadowOffset = Value;
    Invalidate();
}

void THTMLStaticText::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Invalidate();
}

void THTMLStaticText::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Invalidate();
}

void THTMLStaticText::SetBevelWidth(int Value) {
    FBevelWidth = Value;
    Invalidate();
}

void THTMLStaticText::SetBorderWidth(int Value) {
    FBorderWidth = Value;
    Invalidate();
}

void THTMLStaticText::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    Invalidate();
}

void THTMLStaticText::SetAutoSizing(bool Value) {
    FAutoSizing = Value;
    Invalidate();
}

void THTMLStaticText::SetVAlignment(TVAlignment Value) {
    if (FVAlignment == Value) return;
    FVAlignment = Value;
    if (Value != tvaTop) FMiniScroll = false;
    Invalidate();
}

void THTMLStaticText::SetMiniScroll(bool Value) {
    if (FMiniScroll == Value) return;
    if (Value)
        FVAlignment = tvaTop;
    else
        FVOffset = 0;
    FMiniScroll = Value;
    Invalidate();
}

void THTMLStaticText::SetVOffset(int Value) {
    if (!FMiniScroll || ComponentState().Contains(csDesigning)) return;
    if (Value < 0) {
        FVOffset = 0;
        return;
    }
    FVOffset = Value;
    Invalidate();
}

void THTMLStaticText::SetEnableBlink(bool Value) {
    FEnableBlink = Value;
    if (!loading()) updateTimer();
    Invalidate();
    // Switched off, <BLINK> text stays visible rather than frozen in its hidden phase.
    FBlinking = !Value;
}

void THTMLStaticText::SetAutoScroll(bool Value) {
    FAutoScroll = Value;
    if (!loading()) updateTimer();
}

void THTMLStaticText::Loaded() {
    TCustomStaticText::Loaded();
    SetCaption(String());
    if (timerWanted())
        startTimer();
    else
        stopTimer();
}

void THTMLStaticText::Doit() { Repaint(); }

void THTMLStaticText::BeginUpdate() { ++Fupdatecount; }

void THTMLStaticText::EndUpdate() {
    if (Fupdatecount <= 0) return;
    if (--Fupdatecount == 0) Repaint();
}

void THTMLStaticText::HilightText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(HighlightMarkupText(FHTMLText->Text(), HiText, QStringLiteral("hi"), DoCase));
}

void THTMLStaticText::UnHilightText() {
    FHTMLText->SetText(UnhighlightMarkupText(FHTMLText->Text(), QStringLiteral("hi")));
}

void THTMLStaticText::MarkText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(HighlightMarkupText(FHTMLText->Text(), HiText, QStringLiteral("e"), DoCase));
}

void THTMLStaticText::UnMarkText() {
    FHTMLText->SetText(UnhighlightMarkupText(FHTMLText->Text(), QStringLiteral("e")));
}

void THTMLStaticText::AnchorClick(const String& Anchor) {
    if (OnAnchorClick) OnAnchorClick(this, Anchor);
}

void THTMLStaticText::AnchorRightClick(const String& Anchor) {
    if (OnAnchorRightClick) OnAnchorRightClick(this, Anchor);
}

void THTMLStaticText::openWhenLink(const String& Anchor) {
    // Only addresses are handed to the shell, never a command line or a bare file name.
    if (IsHyperlink(Anchor)) ShellExecute(nullptr, QStringLiteral("open"), Anchor, String(), String(), SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------------------------
// The timer

void THTMLStaticText::CreateWnd() {
    TCustomStaticText::CreateWnd();
    if (!ComponentState().Contains(csDesigning) && timerWanted() && FTimerID == 0) startTimer();
}

void THTMLStaticText::DestroyWnd() {
    // Whatever started it, the timer belongs to this window; a new window starts its own.
    stopTimer();
    TCustomStaticText::DestroyWnd();
}

void THTMLStaticText::startTimer() {
    if (FTimerID != 0 || !HandleAllocated()) return;  // CreateWnd starts it with the window
    FTimerID = static_cast<int>(SetTimer(Handle(), TimerIdent, TimerPeriod));
}

void THTMLStaticText::stopTimer() {
    if (FTimerID == 0) return;
    if (HandleAllocated()) KillTimer(Handle(), static_cast<UINT_PTR>(FTimerID));
    FTimerID = 0;
}

void THTMLStaticText::updateTimer() {
    // Mini scroll counts too: switching blinking off must not stop a held arrow from scrolling.
    if (timerWanted())
        startTimer();
    else
        stopTimer();
}

void THTMLStaticText::WMTimer(TMessage& Message) {
    if (Message.WParam != TimerIdent || !timerWanted()) return;
    ++FTimerCount;
    const bool CacheStepped = FImageCache->Animate();
    const bool ContainerStepped = FContainer && FContainer->Items()->Animate();
    if (CacheStepped || ContainerStepped) Repaint();

    if (FMiniScroll && (FUpScroll || FDownScroll)) {
        if (!FAutoScroll && !FMouseDown) return;
        const TPoint P = pointerPos();
        if (ClientRect().Contains(P)) scrollByArrowAt(P.X, P.Y);
    }

    if (FEnableBlink && FTimerCount % BlinkTicks == 0 &&
        GetDisplayText().toUpper().contains(QStringLiteral("<BLINK"))) {
        FBlinking = !FBlinking;
        Repaint();
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

// The renderer's arguments that every call of this control shares.
TMarkupRequest THTMLStaticText::markupRequest(TCanvas* Canvas, const String& Markup, const TRect& R) const {
    TMarkupRequest Request;
    Request.Canvas = Canvas;
    Request.Text = Markup;
    Request.DrawRect = R;
    Request.ShadowOffset = FShadowOffset;
    Request.BlinkVisible = FBlinking;
    Request.HoverOnly = FHover;
    Request.WordWrap = !FEllipsis;
    Request.ShadowColor = clNone;
    Request.PictureCache = FImageCache.get();
    Request.Container = FContainer;
    Request.LineSpacing = FLineSpacing;
    return Request;
}

TRect THTMLStaticText::textRect() const {
    TRect R = ClientRect();
    const bool Bevel = FBevelOuter != bvNone || FBevelInner != bvNone;
    if (Bevel || FBorderStyle != bsNone) shrink(R, FBevelWidth);
    if (Bevel) shrink(R, FBevelWidth);
    if (FBorderStyle == bsSingle) shrink(R, FBorderWidth);
    return R;
}

void THTMLStaticText::alignVertically(TCanvas* Canvas, const String& Markup, TRect& R) {
    if (FVAlignment == tvaTop) return;
    const TRect Area = textRect();
    TMarkupRequest Request = markupRequest(Canvas, Markup, Rect(R.Left, Area.Top, R.Right, Area.Bottom));
    Request.HitTestOnly = true;
    Request.AnchorColor = FURLColor;
    const TMarkupResult M = DrawMarkupText(Request);
    R.Top = Area.Top;
    R.Bottom = Area.Bottom;
    const int Free = Area.Height() - M.MeasuredHeight;
    if (Free <= 0) return;
    R.Top = FVAlignment == tvaCenter ? Area.Top + Free / 2 : Area.Bottom - M.MeasuredHeight;
}

void THTMLStaticText::WMPaint(TMessage& Message) {
    if (Fupdatecount > 0 && TWMPaint(Message).DC) return;
    TCustomStaticText::Dispatch(Message);  // the paint cycle: Paint on the window's canvas
}

void THTMLStaticText::Paint() { PaintHTML(); }

void THTMLStaticText::PaintHTML() {
    TBitmap Bitmap(std::max(Width(), 1), std::max(Height(), 1));
    TCanvas* C = Bitmap.Canvas();
    C->SetFont(Font());

    // Frames, each narrowing R.
    TRect R = ClientRect();
    const auto bevel = [&](TBevelCut Cut) {
        if (Cut == bvNone) return;
        const bool Lowered = Cut == bvLowered;
        Frame3D(C, R, Lowered ? clBtnShadow : clBtnHighlight, Lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(C, R, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    C->Pen()->SetColor(Color());
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    const bool SingleBorder = FBorderStyle == bsSingle && FBorderWidth > 0;
    if (SingleBorder) {
        C->Pen()->SetWidth(FBorderWidth);
        C->Pen()->SetColor(clWindowFrame);
        C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }

    // Background inside the frames.
    R = ClientRect();
    if (FBevelOuter != bvNone || FBevelInner != bvNone || FBorderStyle != bsNone) shrink(R, FBevelWidth);
    if (!SingleBorder) C->Rectangle(R);

    const TRect R0 = textRect();
    R = R0;
    const String Markup = GetDisplayText();
    R.Bottom = Unbounded;  // laid out in full; the clip cuts it
    const bool FollowsWidth = FAutoSizing && (Align() == alNone || Align() == alLeft || Align() == alRight) &&
                              (FAutoSizeType == asHorizontal || FAutoSizeType == asBoth);
    const bool FollowsHeight = FAutoSizing && (Align() == alNone || Align() == alTop || Align() == alBottom) &&
                               (FAutoSizeType == asVertical || FAutoSizeType == asBoth);
    if (FollowsWidth) R.Right += Unbounded;
    const int Focus = Focused() ? FFocusHyperLink : -1;

    if (FMiniScroll) {
        R.Top -= FVOffset;
        R.Right -= ArrowSize;
        FUpScroll = false;
        FDownScroll = false;
        TMarkupRequest Request = markupRequest(C, Markup, R);
        Request.HitTestOnly = true;
        Request.MeasureOnly = true;
        Request.AnchorColor = FURLColor;
        if (Height() + FVOffset <= DrawMarkupText(Request).MeasuredHeight) {
            TRect A = Rect(R0.Right - ArrowSize, R0.Bottom - ArrowSize, R0.Right, R0.Bottom);
            DrawFrameControl(C->Handle(), &A, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
            FDownScroll = true;
        }
        if (FVOffset > 0) {
            TRect A = Rect(R0.Right - ArrowSize, R0.Top, R0.Right, R0.Top + ArrowSize);
            DrawFrameControl(C->Handle(), &A, DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
            FUpScroll = true;
        }
        C->SetFont(Font());
    }
    alignVertically(C, Markup, R);

    // The text never draws over the frames or the arrow column.
    HDC DC = C->Handle();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, std::max(R.Left, R0.Left), std::max(R.Top, R0.Top), std::min(R.Right, R0.Right),
                      std::min(R.Bottom, R0.Bottom));
    // No pointer: a hit on a later line would replace the focused anchor's reference, and the
    // hover look comes from the hover index alone.
    TMarkupRequest Request = markupRequest(C, Markup, R);
    Request.FocusIndex = Focus;
    TMarkupResult M;
    if (Enabled()) {
        Request.Images = FImages;
        Request.HoverIndex = FHoverHyperLink;
        Request.AnchorColor = FURLColor;
        Request.HoverColor = FHoverColor;
        Request.HoverFontColor = FHoverFontColor;
        Request.ShadowColor = FShadowColor;
        M = DrawMarkupText(Request);
    } else {
        // Engraved: a white copy one pixel down and right, the grey text over it.
        Request.FocusIndex = -1;
        Request.ShadowColor = FShadowColor;
        Request.AnchorColor = clWhite;
        Request.DrawRect = MovedRect(R, 1, 1);
        C->Font()->SetColor(clWhite);
        DrawMarkupText(Request);
        Request.Images = FImages;
        Request.AnchorColor = clGray;
        Request.DrawRect = R;
        C->Font()->SetColor(clGray);
        M = DrawMarkupText(Request);
        C->SetFont(Font());
    }
    FHTMLHeight = M.MeasuredHeight + 2;
    FHTMLWidth = M.MeasuredWidth;
    RestoreDC(DC, Saved);
    FNumHyperLinks = M.AnchorCount;
    FFocusAnchor = Request.FocusIndex >= 0 ? M.AnchorTitle : String();

    const int OldWidth = Width(), OldHeight = Height();
    // Resizing only marks the window for another paint; the backing in use now stays as it is.
    if (FollowsHeight && Height() != M.MeasuredHeight + 6) SetHeight(M.MeasuredHeight + 6);
    if (FollowsWidth && Width() != M.MeasuredWidth + 6) SetWidth(M.MeasuredWidth + 6);
    const bool Resized = OldWidth != Width() || OldHeight != Height();

    Canvas()->Draw(0, 0, &Bitmap);

    if (FAutoSizing && Resized && OnNewSize) OnNewSize(this, Width(), Height());
}

// ---------------------------------------------------------------------------------------------
// Anchors under the pointer

TPoint THTMLStaticText::pointerPos() const { return ScreenToClient(Mouse->CursorPos()); }

String THTMLStaticText::IsAnchor(int X, int Y, TRect& AnchorRect) {
    TRect R = textRect();
    if (FMiniScroll) {
        R.Top -= FVOffset;
        R.Right -= ArrowSize;
    }
    TBitmap Scratch(1, 1);
    TCanvas* C = Scratch.Canvas();
    C->SetFont(Font());
    const String Markup = GetDisplayText();
    alignVertically(C, Markup, R);
    TMarkupRequest Request = markupRequest(C, Markup, R);
    Request.HitX = X;
    Request.HitY = Y;
    Request.HitTestOnly = true;
    Request.AnchorColor = clWhite;
    TMarkupResult M;
    M.HitAnchorRect = Rect(-1, -1, -1, -1);
    if (DrawMarkupText(Request, M)) {
        FHoverHyperLink = M.HitAnchor;
        AnchorRect = M.HitAnchorRect;
        return M.AnchorHref;
    }
    FHoverHyperLink = -1;
    AnchorRect = M.HitAnchorRect;
    return String();
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool THTMLStaticText::inArrowZone(int X, int Y, bool Up) const {
    const TRect R = textRect();
    if (X <= R.Right - ArrowSize) return false;
    return Up ? Y < R.Top + ArrowSize : Y > R.Bottom - ArrowSize;
}

void THTMLStaticText::scrollByArrowAt(int X, int Y) {
    if (FUpScroll && inArrowZone(X, Y, true))
        SetVOffset(FVOffset - ScrollStep);
    else if (FDownScroll && inArrowZone(X, Y, false))
        SetVOffset(FVOffset + ScrollStep);
}

void THTMLStaticText::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomStaticText::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    FMouseDown = true;
    if (FMiniScroll && (FUpScroll || FDownScroll)) scrollByArrowAt(X, Y);
    TRect AnchorRect;
    const String Anchor = IsAnchor(X, Y, AnchorRect);
    if (Anchor.isEmpty()) return;
    if (Button == mbLeft) {
        AnchorClick(Anchor);
        openWhenLink(Anchor);
    } else if (Button == mbRight) {
        AnchorRightClick(Anchor);
    }
}

void THTMLStaticText::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomStaticText::MouseUp(Button, Shift, X, Y);
    if (Self) FMouseDown = false;
}

void THTMLStaticText::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TRect AnchorRect;
    const String Anchor = IsAnchor(X, Y, AnchorRect);
    if (!Anchor.isEmpty()) {
        if (AnchorRect.Left == -1) Repaint();
        FFocusHyperLink = -1;
        if ((Anchor != FAnchor || AnchorRect != FCurrHoverRect || FHoverHyperLink == -1 ||
             FHoverHyperLink != FOldHoverHyperlink) &&
            FHover)
            Invalidate();  // the old hover rectangle
        if (Cursor() == crDefault || Anchor != FAnchor) {
            FAnchor = Anchor;
            if (FAnchorHint) Application->CancelHint();
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, Anchor);
            if (!Self) return;
            if (FHover && AnchorRect.Left != -1) Invalidate();
            FOldHoverHyperlink = FHoverHyperLink;
            FCurrHoverRect = AnchorRect;
        }
    } else if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        FFocusHyperLink = -1;
        if (FHover) {
            Invalidate();
            FHoverHyperLink = -1;
        }
        if (OnAnchorExit) OnAnchorExit(this, String());
        if (!Self) return;
    }
    TCustomStaticText::MouseMove(Shift, X, Y);
}

void THTMLStaticText::CMMouseEnter(TMessage& Message) {
    const TWeak<TControl> Self(this);
    if (Message.LParam == 0) {
        const TPoint P = pointerPos();
        TRect AnchorRect;
        const String Anchor = IsAnchor(P.X, P.Y, AnchorRect);
        if (!Anchor.isEmpty() && (Cursor() == crDefault || Anchor != FAnchor)) {
            FAnchor = Anchor;
            if (FAnchorHint) Application->CancelHint();
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, Anchor);
            if (!Self) return;
            if (FHover) Repaint();
            FCurrHoverRect = AnchorRect;
        }
    }
    TCustomStaticText::Dispatch(Message);  // fires OnMouseEnter
}

void THTMLStaticText::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0 && FHoverHyperLink != -1) {
        FHoverHyperLink = -1;
        if (FHover) Invalidate();  // the old hover rectangle
    }
    TCustomStaticText::Dispatch(Message);  // fires OnMouseLeave
}

// ---------------------------------------------------------------------------------------------
// Keyboard and focus

void THTMLStaticText::WMKeyDown(TMessage& Message) {
    TWMKey M(Message);
    switch (M.CharCode) {
        case VK_LEFT:
        case VK_UP:
            Repaint();  // counts the anchors
            FFocusHyperLink = FFocusHyperLink <= 0 ? FNumHyperLinks - 1 : FFocusHyperLink - 1;
            M.CharCode = 0;
            Repaint();
            break;
        case VK_RIGHT:
        case VK_DOWN:
            Repaint();
            FFocusHyperLink = FFocusHyperLink >= FNumHyperLinks - 1 ? 0 : FFocusHyperLink + 1;
            M.CharCode = 0;
            Repaint();
            break;
        default:
            break;
    }
    TCustomStaticText::Dispatch(Message);
}

void THTMLStaticText::KeyPress(Char& Key) {
    const TWeak<TControl> Self(this);
    TCustomStaticText::KeyPress(Key);
    if (!Self || (Key != QChar(13) && Key != QChar(32))) return;
    const String Anchor = FFocusAnchor;
    if (OnAnchorKeypress) OnAnchorKeypress(this, Anchor);
    openWhenLink(Anchor);
}

void THTMLStaticText::WMSetFocus(TMessage&) {
    if (FFocusHyperLink < 0) FFocusHyperLink = 0;
    Repaint();
}

void THTMLStaticText::WMKillFocus(TMessage&) { Repaint(); }

void THTMLStaticText::CMWantSpecialKey(TMessage& Message) {
    TCustomStaticText::Dispatch(Message);
    switch (Message.WParam) {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            Message.Result = 1;
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Other messages

void THTMLStaticText::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_TIMER:
            WMTimer(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_KEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case CM_HINTSHOW:
            CMHintShow(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_WANTSPECIALKEY:
            CMWantSpecialKey(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        default:
            TCustomStaticText::Dispatch(Message);
            break;
    }
}

void THTMLStaticText::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void THTMLStaticText::WMSize(TMessage& Message) {
    TCustomStaticText::Dispatch(Message);
    Invalidate();
}

void THTMLStaticText::CMEnabledChanged(TMessage& Message) {
    TCustomStaticText::Dispatch(Message);
    Invalidate();
}

void THTMLStaticText::CMHintShow(TMessage& Message) {
    TCustomStaticText::Dispatch(Message);
    auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (Info && FAnchorHint) {
        TRect AnchorRect;
        String Anchor = IsAnchor(Info->CursorPos.X, Info->CursorPos.Y, AnchorRect);
        if (!Anchor.isEmpty()) {
            const TWeak<TControl> Self(this);
            if (OnAnchorHint) OnAnchorHint(this, Anchor);
            if (!Self) return;
            Info->HintStr = Anchor;
            Info->HintPos = ClientToScreen(Point(Info->CursorPos.X + 10, Info->CursorPos.Y - 10));
        }
    }
    Message.Result = 0;
}
