#include "components/controls/HTMLabel.h"
#include "components/graphics/ComponentVersion.h"

#include "components/graphics/AdvUtilText.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/MiniHTML.h"
#include "components/graphics/MiniHTML_Markup.h"
#include "components/graphics/MiniHTML_Utils.h"
#include "components/graphics/PictureContainer.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/StrUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

namespace {

// The markup's sized direction is opened this far so that the text never wraps or clips there.
constexpr int OpenExtent = 65535;
// Room the auto-sized label keeps around its text.
constexpr int AutoSizeMargin = 6;
// The hint sits this far right of and above the pointer.
constexpr int AnchorHintOffset = 10;

const String DesignTextPrefix = QStringLiteral("Tessel <b>HTML</b> label ");

void shrink(TRect& R, int By) {
    R.Left += By;
    R.Top += By;
    R.Right -= By;
    R.Bottom -= By;
}

// Bevels of the label: highlight on the top and left, shadow on the bottom and right, swapped
// for a lowered one; Width nested one-pixel frames.
void drawBevel(TCanvas* Canvas, TRect& R, TBevelCut Cut, int Width) {
    if (Cut == bvNone) return;
    TColor TopColor = clBtnHighlight;
    TColor BottomColor = clBtnShadow;
    if (Cut == bvLowered) std::swap(TopColor, BottomColor);
    Frame3D(Canvas, R, TopColor, BottomColor, Width);
}

template <class T>
bool assignChanged(T& Field, T Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle

THTMLabel::THTMLabel(TComponent* AOwner)
    : TCustomLabel(AOwner),
      FHTMLText(std::make_unique<TStringList>()),
      FImageCache(std::make_unique<THTMLPictureCache>()),
      FILChangeLink(std::make_unique<TChangeLink>()) {
    SetAutoSize(false);
    SetTransparent(true);
    SetWidth(120);
    FHTMLText->OnChange = [this](TObject* Sender) { htmlTextChanged(Sender); };
    FILChangeLink->OnChange = [this](TObject* Sender) { imagesChanged(Sender); };
    const bool FormLoading = Owner() && Owner()->ComponentState().Contains(csLoading);
    if (designing() && !FormLoading) FHTMLText->Add(DesignTextPrefix + Name());
}

THTMLabel::~THTMLabel() {
    FImageCache->ClearPictures();
    // The change link leaves the image list as it is freed.
    FILChangeLink.reset();
    FHTMLText->OnChange = nullptr;
}

void THTMLabel::Loaded() {
    TCustomLabel::Loaded();
    SetCaption(String());
    SetAutoSizing(FAutoSizing);
}

void THTMLabel::SetName(const String& NewName) {
    const String Old = DesignTextPrefix + Name();
    TCustomLabel::SetName(NewName);
    // The design-time sample text follows the name until someone edits it.
    if (designing() && FHTMLText->Count() == 1 && FHTMLText->Strings(0) == Old)
        FHTMLText->Put(0, DesignTextPrefix + Name());
}

bool THTMLabel::designing() const {
    if (ComponentState().Contains(csDesigning)) return true;
    return Owner() && Owner()->ComponentState().Contains(csDesigning);
}

String THTMLabel::Version() const { return VersionText(GetVersionNr()); }

// ---------------------------------------------------------------------------------------------
// Properties

void THTMLabel::SetHTMLText(TStrings* Value) {
    if (Value) FHTMLText->SetText(LineBreaksToBR(Value->Text(), false));
    HTMLChanged();
}

void THTMLabel::htmlTextChanged(TObject*) {
    FImageCache->ClearPictures();
    HTMLChanged();
}

void THTMLabel::HTMLChanged() { Invalidate(); }

void THTMLabel::imagesChanged(TObject*) { Invalidate(); }

void THTMLabel::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->UnRegisterChanges(FILChangeLink.get());
    FImages = Value;
    if (FImages) FImages->RegisterChanges(FILChangeLink.get());
    Invalidate();
}

void THTMLabel::SetPictureContainer(TPictureContainer* Value) {
    if (FContainer == Value) return;
    FContainer = Value;
    Invalidate();
}

void THTMLabel::SetAutoSizing(bool Value) {
    FAutoSizing = Value;
    if (!ComponentState().Contains(csLoading) && FAutoSizing &&
        (FAutoSizeType != asVertical || FVAlignment == tvaTop)) {
        // Shrink first; the next paint grows the label to its text.
        if (Align() == alLeft || Align() == alRight) SetWidth(AutoSizeMargin);
        if (Align() == alTop || Align() == alBottom) SetHeight(AutoSizeMargin);
    }
    Invalidate();
}

void THTMLabel::SetAutoSizeType(TAutoSizeType Value) {
    FAutoSizeType = Value;
    SetAutoSizing(FAutoSizing);
}

void THTMLabel::SetURLColor(TColor Value) {
    if (assignChanged(FURLColor, Value)) Invalidate();
}

void THTMLabel::SetShadowColor(TColor Value) {
    if (assignChanged(FShadowColor, Value)) Invalidate();
}

void THTMLabel::SetShadowOffset(int Value) {
    if (assignChanged(FShadowOffset, Value)) Invalidate();
}

void THTMLabel::SetVAlignment(TVAlignment Value) {
    if (assignChanged(FVAlignment, Value)) Invalidate();
}

void THTMLabel::SetEllipsis(bool Value) {
    if (assignChanged(FEllipsis, Value)) Invalidate();
}

void THTMLabel::SetColorTo(TColor Value) {
    if (assignChanged(FColorTo, Value)) Invalidate();
}

void THTMLabel::SetBorderColor(TColor Value) {
    if (assignChanged(FBorderColor, Value)) Invalidate();
}

void THTMLabel::SetGradientType(TGradientType Value) {
    if (assignChanged(FGradientType, Value)) Invalidate();
}

void THTMLabel::SetLineSpacing(int Value) {
    if (assignChanged(FLineSpacing, Value)) Invalidate();
}

void THTMLabel::SetLineWidth(int Value) {
    if (Value < 0) return;  // out of range: ignored
    if (assignChanged(FLineWidth, Value)) Invalidate();
}

void THTMLabel::SetBevelInner(TBevelCut Value) {
    if (assignChanged(FBevelInner, Value)) Invalidate();
}

void THTMLabel::SetBevelOuter(TBevelCut Value) {
    if (assignChanged(FBevelOuter, Value)) Invalidate();
}

void THTMLabel::SetBevelWidth(int Value) {
    if (Value < 1) return;  // out of range: ignored
    if (assignChanged(FBevelWidth, Value)) Invalidate();
}

void THTMLabel::SetBorderWidth(int Value) {
    if (Value < 0) return;  // out of range: ignored
    if (assignChanged(FBorderWidth, Value)) Invalidate();
}

void THTMLabel::SetBorderStyle(TBorderStyle Value) {
    if (assignChanged(FBorderStyle, Value)) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Text

String THTMLabel::GetDisplayText() const {
    String S;
    for (int I = 0; I < FHTMLText->Count(); ++I) {
        const String Line = FHTMLText->Strings(I);
        if (I == 0 || (S.endsWith(u'>') && Line.startsWith(u'<')))
            S += Line;
        else
            S += u' ' + Line;
    }
    return S;
}

String THTMLabel::Text() const { return StripMarkupTags(GetDisplayText()); }

void THTMLabel::HilightText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(HighlightMarkupText(FHTMLText->Text(), HiText, QStringLiteral("hi"), DoCase));
}

void THTMLabel::UnHilightText() { FHTMLText->SetText(UnhighlightMarkupText(FHTMLText->Text(), QStringLiteral("hi"))); }

void THTMLabel::MarkText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(HighlightMarkupText(FHTMLText->Text(), HiText, QStringLiteral("e"), DoCase));
}

void THTMLabel::UnMarkText() { FHTMLText->SetText(UnhighlightMarkupText(FHTMLText->Text(), QStringLiteral("e"))); }

void THTMLabel::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Renderer calls

bool THTMLabel::HTMLPaint(TMarkupRequest Request, TMarkupResult& Result) {
    Request.WordWrap = !FEllipsis;
    Request.PictureCache = FImageCache.get();
    Request.Container = FContainer;
    Request.LineSpacing = FLineSpacing;
    const bool OnAnchor = DrawMarkupText(Request, Result);
    FXSize = Result.MeasuredWidth;
    FYSize = Result.MeasuredHeight;
    return OnAnchor;
}

bool THTMLabel::HTMLPaint(TCanvas* ACanvas, const String& S, const TRect& R, TCustomImageList* AImages, int XPos,
                          int YPos, int /*FocusLink*/, int HoverLink, int AShadowOffset, bool CheckHotSpot,
                          bool CheckHeight, bool Stretch, bool FixedColors, bool Blink, bool HoverStyle,
                          double ResFactor, TColor AURLColor, TColor AHoverColor, TColor AHoverFontColor,
                          TColor AShadowColor, String& AnchorVal, String& StripVal, String& FocusAnchor, int& XSize,
                          int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect) {
    TMarkupResult Out;
    Out.AnchorHref = AnchorVal;
    Out.HitAnchorRect = HoverRect;
    const bool OnAnchor = HTMLPaint({ACanvas,     S,         R,           AImages,       XPos,
                                     YPos,        -1,        HoverLink,   AShadowOffset, CheckHotSpot,
                                     CheckHeight, Stretch,   FixedColors, Blink,         HoverStyle,
                                     true,        ResFactor, AURLColor,   AHoverColor,   AHoverFontColor,
                                     AShadowColor},
                                    Out);
    AnchorVal = Out.AnchorHref, StripVal = Out.PlainText, FocusAnchor = Out.AnchorTitle;
    XSize = Out.MeasuredWidth, YSize = Out.MeasuredHeight, HyperLinks = Out.AnchorCount;
    MouseLink = Out.HitAnchor, HoverRect = Out.HitAnchorRect;
    return OnAnchor;
}

// The arguments of the label's own calls: its images, colours and hover look, the point as given.
TMarkupRequest THTMLabel::labelRequest(TCanvas* ACanvas, const TRect& R, int XPos, int YPos) {
    TMarkupRequest Request;
    Request.Canvas = ACanvas;
    Request.Text = GetDisplayText();
    Request.DrawRect = R;
    Request.Images = FImages;
    Request.HitX = XPos;
    Request.HitY = YPos;
    Request.ShadowOffset = FShadowOffset;
    Request.BlinkVisible = false;
    Request.HoverOnly = FHover;
    Request.AnchorColor = FURLColor;
    Request.HoverColor = FHoverColor;
    Request.HoverFontColor = FHoverFontColor;
    Request.ShadowColor = FShadowColor;
    return Request;
}

// Lays the display text out in R without drawing (pointer and hover index as given) and returns
// its height; the canvas gets the label font back.
int THTMLabel::measureText(TCanvas* ACanvas, const TRect& R, int XPos, int YPos, int HoverLink) {
    TMarkupRequest Request = labelRequest(ACanvas, R, XPos, YPos);
    Request.HoverIndex = HoverLink;
    Request.HitTestOnly = true;
    TMarkupResult Out;
    HTMLPaint(Request, Out);
    ACanvas->SetFont(Font());
    return Out.MeasuredHeight;
}

TSize THTMLabel::GetHTMLSize() {
    TCanvas* C = Canvas();
    C->SetFont(Font());
    measureText(C, Rect(0, 0, 4096, 4096), 0, 0, FHoverHyperLink);
    return {FXSize, FYSize};
}

TSize THTMLabel::GetSizeWithMaxWidth(int AMaxWidth) {
    TBitmap Scratch(1, 1);
    Scratch.Canvas()->SetFont(Font());
    measureText(Scratch.Canvas(), Rect(0, 0, AMaxWidth, 4096), 0, 0, FHoverHyperLink);
    return {FXSize, FYSize};
}

void THTMLabel::HTMLPrint(TCanvas* ACanvas, const TRect& R) {
    TMarkupRequest Request = labelRequest(ACanvas, R, 0, 0);
    Request.ShadowOffset = 1;
    Request.StretchImages = true;
    Request.HoverOnly = false;
    Request.HoverColor = clNone;
    Request.HoverFontColor = clNone;
    Request.ShadowColor = clGray;
    TMarkupResult Out;
    HTMLPaint(Request, Out);
}

// ---------------------------------------------------------------------------------------------
// Layout shared by painting and hit-testing, so that the pointer finds an anchor where it is drawn

bool THTMLabel::singleBorder() const { return FBorderStyle == bsSingle && FBorderWidth > 0 && FBorderColor != clNone; }

bool THTMLabel::autoSizesVertically() const {
    return FAutoSizing && (FAutoSizeType == asVertical || FAutoSizeType == asBoth);
}

bool THTMLabel::autoSizesHorizontally() const {
    return FAutoSizing && (FAutoSizeType == asHorizontal || FAutoSizeType == asBoth);
}

TVAlignment THTMLabel::effectiveVAlignment() const { return autoSizesVertically() ? tvaTop : FVAlignment; }

// The client rectangle less the bevels, the frame and the single border, opened up in the
// direction AutoSizing follows.
TRect THTMLabel::textArea() const {
    TRect R = ClientRect();
    const bool AnyBevel = FBevelOuter != bvNone || FBevelInner != bvNone;
    if (FBevelOuter != bvNone) shrink(R, FBevelWidth);
    shrink(R, FBorderWidth);
    if (FBevelInner != bvNone) shrink(R, FBevelWidth);
    if (AnyBevel) shrink(R, FBevelWidth);
    if (singleBorder()) shrink(R, (FBorderWidth + 1) / 2);
    if (autoSizesHorizontally() && (Align() == alNone || Align() == alLeft || Align() == alRight))
        R.Right += OpenExtent;
    if (autoSizesVertically() && (Align() == alNone || Align() == alTop || Align() == alBottom)) R.Bottom += OpenExtent;
    return R;
}

void THTMLabel::placeVertically(TRect& R, TVAlignment VA, int TextHeight) const {
    if (FAutoSizing) {
        if (VA == tvaCenter) R.Top += 3;
        if (VA == tvaBottom) R.Top += 6;
    }
    if (VA == tvaCenter) R.Top += (R.Bottom - R.Top - TextHeight) / 2;
    if (VA == tvaBottom) R.Top = R.Bottom - TextHeight;
}

// ---------------------------------------------------------------------------------------------
// Painting

void THTMLabel::paintBackground(TCanvas* ACanvas, const TRect& R, int Steps) {
    if (FColorTo != clNone && (FGradientType == gtFullHorizontal || FGradientType == gtFullVertical)) {
        FillGradientBands(ACanvas, Color(), FColorTo, FGradientType == gtFullHorizontal, R, Steps, clNone);
        return;
    }
    ACanvas->Pen()->SetColor(Color());
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->FillRect(R);
}

void THTMLabel::paintFrames(TCanvas* ACanvas, TRect R) {
    drawBevel(ACanvas, R, FBevelOuter, FBevelWidth);
    Frame3D(ACanvas, R, Color(), Color(), FBorderWidth);
    drawBevel(ACanvas, R, FBevelInner, FBevelWidth);
    if (!singleBorder()) return;
    const int A = (FBorderWidth + 1) / 2;
    const int H = FBorderWidth / 2;
    ACanvas->Pen()->SetColor(FBorderColor);
    ACanvas->Pen()->SetWidth(FBorderWidth);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(R.Left - A, R.Top - A, R.Right + H, R.Bottom + H);
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void THTMLabel::Paint() {
    const TRect Client = ClientRect();
    if (Client.IsEmpty()) return;
    if (!Caption().isEmpty()) SetCaption(String());
    const int Steps = Client.Width() / 4;

    // An opaque label composes in a bitmap and copies it over its whole area at the end.
    std::unique_ptr<TBitmap> Buffer;
    TCanvas* C = Canvas();
    if (!Transparent()) {
        Buffer = std::make_unique<TBitmap>(Client.Right, Client.Bottom);
        C = Buffer->Canvas();
        paintBackground(C, Client, Steps);
    }
    if (FLineWidth > 0 &&
        (FGradientType == gtBottomLine || FGradientType == gtTopLine || FGradientType == gtCenterLine)) {
        TRect Band = Client;
        if (FGradientType == gtBottomLine) Band.Top = Band.Bottom - FLineWidth;
        if (FGradientType == gtTopLine) Band.Bottom = Band.Top + FLineWidth;
        if (FGradientType == gtCenterLine) {
            Band.Top += (Band.Height() - FLineWidth) / 2;
            Band.Bottom = Band.Top + FLineWidth;
        }
        // Without an end colour (clNone reads as white) the line fades out to white.
        FillGradientBands(C, Color(), FColorTo, true, Band, Steps, clNone);
    }
    C->SetFont(Font());
    auto present = [&] {
        if (Buffer) Canvas()->Draw(0, 0, Buffer.get());
    };
    if (FUpdateCount > 0) {
        present();
        return;
    }

    paintFrames(C, Client);
    TRect R = textArea();
    const String S = GetDisplayText();
    C->Brush()->SetColor(Color());
    const TVAlignment VA = effectiveVAlignment();
    const TPoint P = ScreenToClient(Mouse->CursorPos());

    const int OldWidth = Width();
    const int OldHeight = Height();
    if (FAutoSizing || VA != tvaTop) {
        measureText(C, R, P.X, P.Y, FHoverHyperLink);
        if (FAutoSizing) {
            if (FBorderStyle == bsSingle) {
                FXSize += 2 * FBorderWidth;
                FYSize += 2 * FBorderWidth;
            }
            const int NewHeight = FYSize + AutoSizeMargin;
            const int NewWidth = FXSize + AutoSizeMargin;
            if (autoSizesVertically() && (Align() == alNone || Align() == alTop || Align() == alBottom) &&
                Height() != NewHeight)
                SetHeight(NewHeight);
            if (autoSizesHorizontally() && (Align() == alNone || Align() == alLeft || Align() == alRight) &&
                Width() != NewWidth)
                SetWidth(NewWidth);
        }
        placeVertically(R, VA, FYSize);
    }

    TMarkupRequest Request = labelRequest(C, R, P.X, P.Y);
    Request.HoverIndex = FHoverHyperLink;
    TMarkupResult Out;
    HTMLPaint(Request, Out);
    present();

    if (FAutoSizing && OnNewSize && (Width() != OldWidth || Height() != OldHeight)) OnNewSize(this, Width(), Height());
}

void THTMLabel::InvalidateAnchorRect(const TRect&) {
    // The label repaints as a whole: its surface is its own backing image, not the parent's.
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Anchors under the pointer

String THTMLabel::IsAnchor(int X, int Y, TRect& AnchorRect) {
    TCanvas* C = Canvas();
    AnchorRect = Rect(-1, -1, -1, -1);
    C->SetFont(Font());
    TRect R = textArea();
    const TVAlignment VA = effectiveVAlignment();
    if (VA != tvaTop) {
        int TextHeight = measureText(C, R, X, Y, -1);
        if (FAutoSizing && FBorderStyle == bsSingle) TextHeight += 2 * FBorderWidth;
        placeVertically(R, VA, TextHeight);
    }
    TMarkupRequest Request = labelRequest(C, R, X, Y);
    Request.HitTestOnly = true;
    Request.AnchorColor = clWhite;
    Request.HoverColor = Request.HoverFontColor = Request.ShadowColor = clNone;
    TMarkupResult Out;
    Out.HitAnchorRect = AnchorRect;
    if (!HTMLPaint(Request, Out)) {
        FHoverHyperLink = -1;
        AnchorRect = Rect(-1, -1, -1, -1);
        return String();
    }
    AnchorRect = Out.HitAnchorRect;
    FHoverHyperLink = Out.HitAnchor;
    return Out.AnchorTitle.isEmpty() ? Out.AnchorHref : Out.AnchorTitle;
}

void THTMLabel::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TObject> Self(this);
    TCustomLabel::MouseMove(Shift, X, Y);
    if (!Self) return;
    TRect N;
    const String Anchor = IsAnchor(X, Y, N);
    auto repaintOldHover = [this] {
        if (FCurrHoverRect.Left == -1)
            Invalidate();
        else
            InvalidateAnchorRect(FCurrHoverRect);
    };
    if (!Anchor.isEmpty()) {
        if ((Anchor != FAnchor || N != FCurrHoverRect || FHoverHyperLink == -1) && FHover && N.Left != -1)
            InvalidateAnchorRect(FCurrHoverRect);
        if (Cursor() == crDefault || Anchor != FAnchor || FHoverHyperLink != FOldHoverHyperLink) {
            // The new anchor's hint may show instead of the old one.
            if (FAnchorHint && Application) Application->CancelHint();
            SetCursor(crHandPoint);
            if (OnAnchorEnter) {
                OnAnchorEnter(this, Anchor);
                if (!Self) return;
            }
            if (FHover) repaintOldHover();
        }
        FAnchor = Anchor;
        FOldHoverHyperLink = FHoverHyperLink;
        FCurrHoverRect = N;
        if (FHover) InvalidateAnchorRect(N);
    } else if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        if (OnAnchorExit) {
            OnAnchorExit(this, String());
            if (!Self) return;
        }
        if (FHover) repaintOldHover();
        FCurrHoverRect = N;
        if (FHover) InvalidateAnchorRect(N);
    }
}

void THTMLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TObject> Self(this);
    TCustomLabel::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft) return;
    TRect R;
    const String Anchor = IsAnchor(X, Y, R);
    if (Anchor.isEmpty()) return;
    AnchorClick(Anchor);
    if (IsHyperlink(Anchor)) ShellExecute(nullptr, QStringLiteral("open"), Anchor, String(), String(), SW_SHOWNORMAL);
}

void THTMLabel::AnchorClick(const String& Anchor) {
    if (OnAnchorClick) OnAnchorClick(this, Anchor);
}

// ---------------------------------------------------------------------------------------------
// Messages

void THTMLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_HINTSHOW:
            CMHintShow(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        default:
            TCustomLabel::Dispatch(Message);
            break;
    }
}

void THTMLabel::CMHintShow(TMessage& Message) {
    auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
    Message.Result = 0;  // always allowed
    if (!Info) return;
    TRect R;
    String Anchor = FAnchorHint ? IsAnchor(Info->CursorPos.X, Info->CursorPos.Y, R) : String();
    if (!Anchor.isEmpty()) {
        if (OnAnchorHint) OnAnchorHint(this, Anchor);
        Info->HintStr = Anchor;
        const TPoint P = ClientToScreen(Info->CursorPos);
        Info->HintPos = Point(P.X + AnchorHintOffset, P.Y - AnchorHintOffset);
    } else if (FHintShowFull) {
        Info->HintStr = FHTMLHint ? GetDisplayText() : StripMarkupTags(GetDisplayText());
    }
}

void THTMLabel::CMMouseEnter(TMessage& Message) {
    // The inherited handling fires OnMouseEnter.
    TCustomLabel::Dispatch(Message);
}

void THTMLabel::CMMouseLeave(TMessage& Message) {
    if (FHover && FHoverHyperLink != -1) InvalidateAnchorRect(FCurrHoverRect);
    FHoverHyperLink = -1;
    // The inherited handling fires OnMouseLeave.
    TCustomLabel::Dispatch(Message);
}

void THTMLabel::CMDialogChar(TMessage& Message) {
    TWinControl* Target = FocusControl();
    if (!Target || !Enabled() || !ShowAccelChar()) return;
    if (!IsAccel(static_cast<Word>(Message.WParam), FHTMLText->Text())) return;
    if (Target->CanFocus()) {
        Target->SetFocus();
        Message.Result = 1;
    }
}
