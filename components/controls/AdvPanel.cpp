// TCustomAdvPanel: properties, life cycle, collapsing, sizing to the text, child alignment, styler
// settings and the stored position.
#include "components/controls/AdvPanel.h"
#include "components/graphics/ComponentVersion.h"

#include "components/controls/AdvPanelGroup.h"
#include "components/controls/AdvPanelStyler.h"
#include "components/controls/AdvPanel_Internal.h"
#include "components/graphics/AdvImage.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/MiniHTML_Utils.h"
#include "components/graphics/PictureContainer.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/GdiObjects.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"

#include <algorithm>
#include <iterator>

using namespace advpanel_detail;

// ---------------------------------------------------------------------------------------------
// Life cycle

TCustomAdvPanel::TCustomAdvPanel(TComponent* AOwner)
    : TCustomPanel(AOwner),
      FImage(std::make_unique<TAdvImage>()),
      FCaption(std::make_unique<TPanelCaption>()),
      FPosition(std::make_unique<TPanelPosition>(this)),
      FImageCache(std::make_unique<THTMLPictureCache>()),
      FShadedHeader(std::make_unique<TBitmap>()),
      FAutoSize(std::make_unique<TAutoSize>(this)),
      FStatusBar(std::make_unique<TPanelStatusBar>()),
      FOfficeHint(std::make_unique<TAdvHintInfo>()),
      FImagesLink(std::make_unique<TChangeLink>()) {
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
    FOldColor = Color();
    FIsWinXP = IsWinXPOrLater();
    if (designing()) {
        const TComponentState Form = AOwner ? AOwner->ComponentState() : TComponentState();
        FDesignTime = !Form.Contains(csReading) && !Form.Contains(csLoading);
    }
    SetDoubleBuffered(true);
    SetWidth(300);
    SetHeight(200);
    FImage->OnChange = [this](TObject*) { Invalidate(); };
    FStatusBar->OnChange = [this](TObject*) { Invalidate(); };
    FCaption->OnChange = [this](TObject*) { captionChanged(); };
    FCaption->OnShadeChange = [this](TObject*) { ShadeHeader(); };
    FCaption->OnStateChange = [this](TObject*) { DoStateChanged(); };
    FCaption->OnFontChange = [this](TObject*) { captionFontChanged(); };
    FCaption->OnPositionChange = [this](TObject*) {
        DoAutoSize();
        ShadeHeader();
        Invalidate();
    };
    FImagesLink->OnChange = [this](TObject*) { Invalidate(); };
}

TCustomAdvPanel::~TCustomAdvPanel() {
    FImagesLink.reset();  // leaves the image list
    FImageCache->ClearPictures();
}

bool TCustomAdvPanel::loading() const { return ComponentState().Contains(csLoading); }

bool TCustomAdvPanel::designing() const { return ComponentState().Contains(csDesigning); }

int TCustomAdvPanel::statusBarExtent() const { return FStatusBar->Visible() ? FStatusBar->Height() : 0; }

String TCustomAdvPanel::Version() const { return VersionText(GetVersionNr()); }

void TCustomAdvPanel::CreateWnd() {
    TCustomPanel::CreateWnd();
    FDPIScale = Screen->PixelsPerInch() / 96.0;
    computeCapHeight();
    if (designing()) placeInDesignedGroup();
}

// A panel dropped into a group being designed takes its place in the group's direction.
void TCustomAdvPanel::placeInDesignedGroup() {
    auto* Group = dynamic_cast<TAdvPanelGroup*>(Parent());
    if (!Group) return;
    const int HorzPadding = Group->HorzPadding();
    const int VertPadding = Group->VertPadding();
    if (Group->GroupStyle() == gsVertical) {
        SetWidth(Group->Width() - 2 * HorzPadding);
        SetLeft(HorzPadding);
        if (Top() < VertPadding) SetTop(VertPadding);
    } else {
        SetHeight(Group->Height() - 2 * HorzPadding);
        SetTop(VertPadding);
        if (Left() < HorzPadding) SetLeft(HorzPadding);
    }
}

void TCustomAdvPanel::computeCapHeight() { FCapHeight = static_cast<int>(Round(FCaption->Height() * FDPIScale)); }

void TCustomAdvPanel::captionChanged() {
    computeCapHeight();
    if (ControlCount() > 0) Realign();
    Invalidate();
}

// A panel just dropped on a designed form keeps ParentFont while the caption font matches its own.
void TCustomAdvPanel::captionFontChanged() {
    if (!FDesignTime || !ParentFont()) return;
    const LOGFONTW A = LogFontOf(*FCaption->Font());
    const LOGFONTW B = LogFontOf(*Font());
    const bool Same = A.lfHeight == B.lfHeight && A.lfWidth == B.lfWidth && A.lfEscapement == B.lfEscapement &&
                      A.lfOrientation == B.lfOrientation && A.lfWeight == B.lfWeight && A.lfItalic == B.lfItalic &&
                      A.lfUnderline == B.lfUnderline && A.lfStrikeOut == B.lfStrikeOut && A.lfCharSet == B.lfCharSet &&
                      A.lfQuality == B.lfQuality && A.lfPitchAndFamily == B.lfPitchAndFamily &&
                      std::equal(std::begin(A.lfFaceName), std::end(A.lfFaceName), std::begin(B.lfFaceName));
    SetParentFont(Same);
}

void TCustomAdvPanel::Loaded() {
    TCustomPanel::Loaded();
    if (FPosition->Save()) LoadPosition();
    FTopLeft = ClientOrigin();
    FWidthHeight = TPoint{Width(), Height()};
    FOldCursor = Cursor();
    FOldColor = Color();
    if (FStyler) ApplySettings(FStyler->Settings());
}

void TCustomAdvPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FContainer) FContainer = nullptr;
    if (AComponent == FStyler) FStyler = nullptr;
}

void TCustomAdvPanel::DefineProperties(TFiler* Filer) {
    TCustomPanel::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("FullHeight"), [this](TReader* Reader) { FFullHeight = Reader->ReadInteger(); },
        [this](TWriter* Writer) { Writer->WriteInteger(FFullHeight); }, true);
}

void TCustomAdvPanel::ChangeScale(int M, int D) {
    TCustomPanel::ChangeScale(M, D);
    if (M == D || D == 0) return;
    // The caption's own height changes without its notification; the font's size follows.
    const TNotifyEvent OnChange = FCaption->OnChange;
    FCaption->OnChange = nullptr;
    FCaption->SetHeight(MulDiv(FCaption->Height(), M, D));
    FCaption->OnChange = OnChange;
    FCaption->Font()->SetSize(MulDiv(FCaption->Font()->Size(), M, D));
}

// ---------------------------------------------------------------------------------------------
// Properties

void TCustomAdvPanel::SetHeight(int Value) {
    TCustomPanel::SetHeight(Value);
    if (!FCollaps && !FIsCollapsing && FCaption->Position() == cpTop) FFullHeight = Height();
}

void TCustomAdvPanel::SetWidth(int Value) {
    TCustomPanel::SetWidth(Value);
    if (!FCollaps && !FIsCollapsing && FCaption->Position() != cpTop) FFullHeight = Width();
}

void TCustomAdvPanel::SetAutoSize(TAutoSize* Value) {
    if (!loading()) FAutoSize->Assign(Value);
}

void TCustomAdvPanel::SetText(const String& Value) {
    if (!assignChanged(FText, Value)) return;
    Invalidate();
    DoAutoSize();
}

String TCustomAdvPanel::RawText() const { return StripMarkupTags(FText); }

void TCustomAdvPanel::SetBackground(TAdvImage* Value) {
    FImage->Assign(Value);
    Invalidate();
}

void TCustomAdvPanel::SetBackgroundPosition(advpanel::TBackGroundPosition Value) {
    if (assignChanged(FBackgroundPosition, Value)) Invalidate();
}

void TCustomAdvPanel::SetColorTo(TColor Value) {
    if (assignChanged(FColorTo, Value)) Invalidate();
}

void TCustomAdvPanel::SetColorMirror(TColor Value) {
    if (assignChanged(FColorMirror, Value)) Invalidate();
}

void TCustomAdvPanel::SetColorMirrorTo(TColor Value) {
    if (assignChanged(FColorMirrorTo, Value)) Invalidate();
}

void TCustomAdvPanel::SetGradientDirection(advpanel::TGradientDirection Value) {
    if (assignChanged(FGradientDirection, Value)) Invalidate();
}

void TCustomAdvPanel::SetBorderColor(TColor Value) {
    if (assignChanged(FBorderColor, Value)) Invalidate();
}

void TCustomAdvPanel::SetBorderShadow(bool Value) {
    if (assignChanged(FBorderShadow, Value)) Invalidate();
}

void TCustomAdvPanel::SetTextVAlign(TTextVAlignment Value) {
    if (assignChanged(FTextVAlign, Value)) Invalidate();
}

void TCustomAdvPanel::SetIndent(int Value) {
    if (assignChanged(FIndent, Value)) Invalidate();
}

void TCustomAdvPanel::SetTopIndent(int Value) {
    if (!assignChanged(FTopIndent, Value)) return;
    if (FAutoSize->Enabled())
        DoAutoSize();
    else
        Invalidate();
}

void TCustomAdvPanel::SetBottomIndent(int Value) {
    if (!assignChanged(FBottomIndent, Value)) return;
    if (FAutoSize->Enabled())
        DoAutoSize();
    else
        Invalidate();
}

void TCustomAdvPanel::SetLineSpacing(int Value) {
    if (assignChanged(FLineSpacing, Value)) Invalidate();
}

void TCustomAdvPanel::SetEllipsis(bool Value) {
    if (assignChanged(FEllipsis, Value)) Invalidate();
}

void TCustomAdvPanel::SetURLColor(TColor Value) {
    if (assignChanged(FURLColor, Value)) Invalidate();
}

void TCustomAdvPanel::SetShadowColor(TColor Value) {
    if (assignChanged(FShadowColor, Value)) Invalidate();
}

void TCustomAdvPanel::SetShadowOffset(int Value) {
    if (assignChanged(FShadowOffset, Value)) Invalidate();
}

void TCustomAdvPanel::SetCanSize(bool Value) {
    if (assignChanged(FCanSize, Value)) Invalidate();
}

void TCustomAdvPanel::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImagesLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(FImagesLink.get());
        FImages->FreeNotification(this);
    }
    Invalidate();
}

void TCustomAdvPanel::SetPictureContainer(TPictureContainer* Value) {
    if (FContainer == Value) return;
    if (FContainer) FContainer->RemoveFreeNotification(this);
    FContainer = Value;
    if (FContainer) FContainer->FreeNotification(this);
    Invalidate();
}

void TCustomAdvPanel::SetStyler(TAdvPanelStyler* Value) {
    if (FStyler == Value) return;
    if (FStyler) FStyler->RemoveFreeNotification(this);
    FStyler = Value;
    if (!FStyler) return;
    FStyler->FreeNotification(this);
    if (!loading()) ApplySettings(FStyler->Settings());
}

void TCustomAdvPanel::SetCursor(TCursor Value) {
    FOldCursor = Value;
    TCustomPanel::SetCursor(Value);
}

// ---------------------------------------------------------------------------------------------
// Operations

void TCustomAdvPanel::BeginUpdate() { Perform(WM_SETREDRAW, 0, 0); }

void TCustomAdvPanel::EndUpdate() {
    Perform(WM_SETREDRAW, 1, 0);
    Repaint();
}

void TCustomAdvPanel::Synchronize() {
    if (auto* Group = dynamic_cast<TAdvPanelGroup*>(Parent())) Group->ChildPanelChanged(this);
}

void TCustomAdvPanel::GetOfficeHint(TPoint PT, TAdvHintInfo*& HintInfo) {
    const bool OnCaption = FCaption->Visible() && PT.Y < FCapHeight && !FCaption->OfficeHint()->IsEmpty();
    HintInfo = OnCaption ? FCaption->OfficeHint() : FOfficeHint.get();
}

TSize TCustomAdvPanel::GetHTMLSize() {
    TRect R = ClientRect();
    if (FBorderShadow) R.Right -= 2;
    R.Left += BorderWidth() + 1 + FIndent;
    R.Right -= BorderWidth() + 1;
    Canvas()->SetFont(Font());
    TMarkupRequest Request = markupRequest(Canvas(), FText, R);
    Request.HoverIndex = FHoverHyperLink;
    Request.HitTestOnly = true;
    Request.WordWrap = true;
    const TMarkupResult Size = DrawMarkupText(Request);
    return TSize{Size.MeasuredWidth, Size.MeasuredHeight};
}

// ---------------------------------------------------------------------------------------------
// Collapsing

void TCustomAdvPanel::SetCollaps(bool Value) {
    const TWeak<TCustomAdvPanel> Self(this);
    if (FCollaps && !Value) fire(OnMaximize, this);
    if (!FCollaps && Value) fire(OnMinimize, this);
    if (!Self || FIsCollapsing) return;
    // With a shadow the collapsed bar keeps room for the border and the shadow.
    const int Extra = BorderWidth() != 0 && FBorderShadow ? BorderWidth() + 2 : 0;
    if (Value != FCollaps) {
        FIsCollapsing = true;
        FCollaps = Value;
        if (!loading()) {
            try {
                if (Value)
                    collapse(Extra);
                else
                    expand();
            } catch (...) {
                if (Self) FIsCollapsing = false;
                throw;
            }
            if (!Self) return;
            Synchronize();
            if (!Self) return;
        }
        FIsCollapsing = false;
    }
    DoStateChanged();
    if (!Self) return;
    fire(OnEndCollapsExpand, this);
    // A close that asked to free the panel during the animation does so now.
    if (Self && FFreePending && !FIsCollapsing) {
        FFreePending = false;
        Release();
    }
}

// Lets pending messages (paints, input) through between two steps, tells a group and waits.
// False when a handler freed the panel meanwhile.
bool TCustomAdvPanel::animationStep(const TWeak<TCustomAdvPanel>& Self) {
    Application->ProcessMessages();
    if (!Self) return false;
    Synchronize();
    if (!Self) return false;
    Sleep(static_cast<DWORD>(std::max(0, FCollapsDelay)));
    return true;
}

void TCustomAdvPanel::collapse(int Extra) {
    const TWeak<TCustomAdvPanel> Self(this);
    FOldLeft = Left();
    const int SB = statusBarExtent();
    const TCaptionPosition Pos = FCaption->Position();
    FFullHeight = Pos == cpTop ? Height() : Width();
    if (FAutoHideChildren) hideChildren();
    FOldColor = Color();
    if (FCollapsSteps > 0) {
        if (FCollapsColor != clNone) SetColor(FCollapsColor);
        const int Step = Pos == cpTop ? (Height() - FCapHeight - SB - 2 * BorderWidth()) / FCollapsSteps
                                      : (Width() - FCapHeight - SB) / FCollapsSteps;
        for (int I = 0; I < FCollapsSteps; ++I) {
            if (Pos == cpTop) {
                SetHeight(Height() - Step);
            } else {
                SetWidth(Width() - Step);
                if (Pos == cpRight) SetLeft(Left() + Step);
            }
            if (!animationStep(Self)) return;
        }
    }
    switch (Pos) {
        case cpTop:
            SetHeight(FCapHeight + SB - 2 + 2 * Extra);
            break;
        case cpLeft:
            SetWidth(FCapHeight + SB + Extra);
            break;
        case cpRight:
            SetWidth(FCapHeight + SB + Extra);
            // The right edge stays where it was.
            SetLeft(FFullHeight - Width() + FOldLeft);
            break;
    }
}

void TCustomAdvPanel::expand() {
    const TWeak<TCustomAdvPanel> Self(this);
    const int SB = statusBarExtent();
    const TCaptionPosition Pos = FCaption->Position();
    if (Pos == cpRight) FOldLeft = Left() - (FFullHeight - Width());
    if (FCollapsSteps > 0) {
        if (FCollapsColor != clNone) SetColor(FOldColor);
        const int Step = (FFullHeight - FCapHeight - SB) / FCollapsSteps;
        for (int I = 0; I < FCollapsSteps; ++I) {
            if (Pos == cpTop) {
                SetHeight(Height() + Step);
            } else {
                SetWidth(Width() + Step);
                if (Pos == cpRight) SetLeft(Left() - Step);
            }
            if (!animationStep(Self)) return;
        }
    }
    if (Pos == cpTop) {
        SetHeight(FFullHeight);
    } else {
        SetWidth(FFullHeight);
        if (Pos == cpRight) SetLeft(FOldLeft);
    }
    if (FAutoHideChildren) showChildren();
}

// Children already hidden stay hidden on expanding; children on a visible caption bar stay shown.
void TCustomAdvPanel::hideChildren() {
    for (int I = 0; I < ControlCount(); ++I)
        if (!Controls(I)->Visible()) FHideList.emplace_back(Controls(I));
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        bool OnCaption = false;
        if (FCaption->Visible()) switch (FCaption->Position()) {
                case cpTop:
                    OnCaption = C->Top() < FCapHeight;
                    break;
                case cpLeft:
                    OnCaption = C->Left() < FCapHeight;
                    break;
                case cpRight:
                    OnCaption = C->Left() > Width() - FCapHeight;
                    break;
            }
        if (!OnCaption) C->SetVisible(false);
    }
}

void TCustomAdvPanel::showChildren() {
    const auto wasHidden = [this](TControl* C) {
        return std::any_of(FHideList.begin(), FHideList.end(), [C](const TWeak<TControl>& W) { return W.get() == C; });
    };
    for (int I = 0; I < ControlCount(); ++I)
        if (!wasHidden(Controls(I))) Controls(I)->SetVisible(true);
    FHideList.clear();
}

// ---------------------------------------------------------------------------------------------
// Sizes

void TCustomAdvPanel::DoAutoSize() {
    if (!FAutoSize->Enabled() || loading()) return;
    const int BevW = BevelWidth();
    const int Shadow = FBorderShadow ? 2 : 0;
    const TRect R{0, 0, FAutoSize->Width() ? 65535 : Width() - 2 * BevW - Shadow,
                  FAutoSize->Height() ? 65535 : Height() - 2 * BevW};
    Canvas()->SetFont(Font());
    TMarkupRequest Request = markupRequest(Canvas(), FText, R);
    Request.HoverIndex = FHoverHyperLink;
    Request.MeasureOnly = true;
    Request.WordWrap = !FEllipsis;
    const TMarkupResult Size = DrawMarkupText(Request);
    const int W = Size.MeasuredWidth + 2 * BorderWidth() + Shadow;
    const int H = Size.MeasuredHeight + 2 * BorderWidth() + Shadow;
    const int SB = statusBarExtent();
    const bool Top = FCaption->Position() == cpTop;
    const bool Shown = FCaption->Visible();
    const int Indents = FTopIndent + FBottomIndent;
    if (FAutoSize->Width()) {
        if (Top)
            SetWidth(2 * BevW + W + FIndent);
        else if (Shown)
            SetWidth(FCapHeight + W + SB + 2 * BevW + FIndent);
        else
            SetWidth(SB + W + 2 * BevW + FIndent);
    }
    if (FAutoSize->Height()) {
        if (!Top)
            SetHeight(2 * BevW + H + Indents);
        else if (Shown && FStatusBar->Visible())
            SetHeight(FCapHeight + H + FStatusBar->Height() + 2 * BevW + Indents + 2 * BorderWidth());
        else if (Shown)
            SetHeight(FCapHeight + H + 2 * BevW + Indents);
        else
            SetHeight(SB + H + 2 * BevW + Indents);
    }
    Synchronize();
}

void TCustomAdvPanel::AlignControls(TControl* AControl, TRect& Rect) {
    if (FCaption->Visible()) switch (FCaption->Position()) {
            case cpTop:
                Rect.Top = std::max(Rect.Top, FCapHeight - 2);
                break;
            case cpLeft:
                Rect.Left = std::max(Rect.Left, FCapHeight - 2);
                break;
            case cpRight:
                Rect.Right = std::min(Rect.Right, Width() - FCapHeight);
                break;
        }
    if (FStatusBar->Visible()) switch (FCaption->Position()) {
            case cpTop:
                Rect.Bottom = std::min(Rect.Bottom, Height() - FStatusBar->Height());
                break;
            case cpLeft:
                Rect.Right = std::min(Rect.Right, Width() - FStatusBar->Height());
                break;
            case cpRight:
                Rect.Left = std::max(Rect.Left, FStatusBar->Height());
                break;
        }
    TCustomPanel::AlignControls(AControl, Rect);
}

void TCustomAdvPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (designing()) Synchronize();
    if (Width() == FOldWidth && Height() == FOldHeight) return;
    FOldWidth = Width();
    FOldHeight = Height();
    for (int I = 0; I < ControlCount(); ++I) Controls(I)->Invalidate();
    Invalidate();
}

void TCustomAdvPanel::Resize() {
    const TWeak<TCustomAdvPanel> Self(this);
    if (!FOptimizePaint && !designing()) Repaint();
    TCustomPanel::Resize();
    if (Self) DoAutoSize();
}

void TCustomAdvPanel::WMSize(TMessage& Message) {
    if (FShadedHeader->Width() != Width()) ShadeHeader();
    TCustomPanel::Dispatch(Message);
    Invalidate();
}

void TCustomAdvPanel::WMEraseBkgnd(TMessage& Message) {
    if (FOptimizePaint)
        Message.Result = 1;
    else
        TCustomPanel::Dispatch(Message);
}

void TCustomAdvPanel::CMParentFontChanged(TMessage& Message) {
    TCustomPanel::Dispatch(Message);
    if (ParentFont()) FCaption->Font()->Assign(Font());
}

void TCustomAdvPanel::CMRelease(TMessage& Message) {
    // Never inside the animation's message processing: the collapse frees the panel when it ends.
    if (FIsCollapsing) {
        FFreePending = true;
        return;
    }
    TCustomPanel::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Settings

void TCustomAdvPanel::ApplySettings(TAdvPanelSettings* Settings) {
    if (!Settings) return;
    SetAnchorHint(Settings->AnchorHint());
    SetAutoHideChildren(Settings->AutoHideChildren());
    SetBevelInner(Settings->BevelInner());
    SetBevelOuter(Settings->BevelOuter());
    SetBevelWidth(Settings->BevelWidth());
    SetBorderColor(Settings->BorderColor());
    SetBorderShadow(Settings->BorderShadow());
    SetBorderStyle(Settings->BorderStyle());
    SetBorderWidth(Settings->BorderWidth());
    SetCanMove(Settings->CanMove());
    SetCanSize(Settings->CanSize());
    // The panel keeps its own buttons.
    const bool Close = FCaption->CloseButton();
    const bool MinMax = FCaption->MinMaxButton();
    FCaption->Assign(Settings->Caption());
    FCaption->SetCloseButton(Close);
    FCaption->SetMinMaxButton(MinMax);
    SetCollapsColor(Settings->CollapsColor());
    SetCollapsDelay(Settings->CollapsDelay());
    SetCollapsSteps(Settings->CollapsSteps());
    SetColor(Settings->Color());
    SetColorTo(Settings->ColorTo());
    SetColorMirror(Settings->ColorMirror());
    SetColorMirrorTo(Settings->ColorMirrorTo());
    SetCursor(Settings->Cursor());
    if (ParentFont())
        FCaption->Font()->Assign(Font());
    else
        Font()->Assign(Settings->Font());
    SetFixedTop(Settings->FixedTop());
    SetFixedLeft(Settings->FixedLeft());
    SetFixedHeight(Settings->FixedHeight());
    SetFixedWidth(Settings->FixedWidth());
    SetHover(Settings->Hover());
    SetHoverColor(Settings->HoverColor());
    SetHoverFontColor(Settings->HoverFontColor());
    SetIndent(Settings->Indent());
    SetShadowColor(Settings->ShadowColor());
    SetShadowOffset(Settings->ShadowOffset());
    SetShowMoveCursor(Settings->ShowMoveCursor());
    FStatusBar->Assign(Settings->StatusBar());
    SetTextVAlign(Settings->TextVAlign());
    SetTopIndent(Settings->TopIndent());
    SetBottomIndent(Settings->BottomIndent());
    SetURLColor(Settings->URLColor());
}

void TCustomAdvPanel::AssignSettings(TAdvPanelSettings* Settings) {
    if (!Settings) return;
    ApplySettings(Settings);
    SetHeight(Settings->Height());
    SetWidth(Settings->Width());
    SetHint(Settings->Hint());
}

void TCustomAdvPanel::SetColorTones(const TColorTones& ATones) {
    const String UIFont = DefaultUIFontName();
    FCaption->SetColor(ATones.Selected.BrushColor);
    FCaption->SetColorTo(clNone);
    FCaption->Font()->SetName(UIFont);
    FCaption->Font()->SetColor(ATones.Selected.TextColor);
    FCaption->SetFlat(true);
    FCaption->SetShadeType(stNormal);
    FCaption->SetCloseColor(ATones.Selected.BrushColor);
    SetColor(ATones.Background.BrushColor);
    SetColorTo(clNone);
    Font()->SetName(UIFont);
    Font()->SetColor(ATones.Background.TextColor);
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderStyle(bsNone);
    FStatusBar->Font()->SetName(UIFont);
    FStatusBar->Font()->SetColor(ATones.Foreground.TextColor);
    FStatusBar->SetColor(ATones.Foreground.BrushColor);
    FStatusBar->SetColorTo(clNone);
    FOptimizePaint = true;
}

void TCustomAdvPanel::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TCustomAdvPanel*>(Source);
    if (!S) {
        const String SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
        throw EInvalidCast(
            QStringLiteral("Invalid class typecast: cannot assign a %1 to a %2").arg(SourceName, ClassName()));
    }
    SetAnchorHint(S->AnchorHint());
    SetAutoHideChildren(S->AutoHideChildren());
    SetBackground(S->Background());
    SetBackgroundPosition(S->BackgroundPosition());
    SetBevelInner(S->BevelInner());
    SetBevelOuter(S->BevelOuter());
    SetBevelWidth(S->BevelWidth());
    SetBorderColor(S->BorderColor());
    SetBorderShadow(S->BorderShadow());
    SetBorderStyle(S->BorderStyle());
    SetCanMove(S->CanMove());
    SetCanSize(S->CanSize());
    FCaption->Assign(S->Caption());
    SetCollapsColor(S->CollapsColor());
    SetCollapsDelay(S->CollapsDelay());
    SetCollapsSteps(S->CollapsSteps());
    SetColor(S->Color());
    SetColorTo(S->ColorTo());
    SetColorMirror(S->ColorMirror());
    SetColorMirrorTo(S->ColorMirrorTo());
    SetCursor(S->Cursor());
    SetEnabled(S->Enabled());
    SetFont(S->Font());
    SetFixedTop(S->FixedTop());
    SetFixedLeft(S->FixedLeft());
    SetFixedHeight(S->FixedHeight());
    SetFixedWidth(S->FixedWidth());
    SetFreeOnClose(S->FreeOnClose());
    SetHeight(S->Height());
    SetHint(S->Hint());
    SetHover(S->Hover());
    SetHoverColor(S->HoverColor());
    SetHoverFontColor(S->HoverFontColor());
    SetImages(S->Images());
    SetParentColor(S->ParentColor());
    SetParentFont(S->ParentFont());
    SetParentShowHint(S->ParentShowHint());
    SetPictureContainer(S->PictureContainer());
    if (S->PopupMenu())
        SetPopupMenu(S->PopupMenu());
    else
        SetPopupMenu(nullptr);
    FPosition->Assign(S->Position());
    FStatusBar->Assign(S->StatusBar());
    SetShadowColor(S->ShadowColor());
    SetShadowOffset(S->ShadowOffset());
    SetShowHint(S->ShowHint());
    SetShowMoveCursor(S->ShowMoveCursor());
    SetTabStop(S->TabStop());
    SetTag(S->Tag());
    SetText(S->Text());
    SetTextVAlign(S->TextVAlign());
    SetURLColor(S->URLColor());
    SetVisible(S->Visible());
}

// ---------------------------------------------------------------------------------------------
// Stored position

TCustomIniFile* TCustomAdvPanel::openPositionStore() const {
    if (FPosition->Location() == clInifile) return new TIniFile(FPosition->Key());
    return new TRegistryIniFile(FPosition->Key());
}

void TCustomAdvPanel::SavePosition() {
    if (designing() || FPosition->Key().isEmpty() || FPosition->Section().isEmpty()) return;
    const std::unique_ptr<TCustomIniFile> Store(openPositionStore());
    const String& Section = FPosition->Section();
    Store->WriteInteger(Section, QStringLiteral("Top"), Top());
    Store->WriteInteger(Section, QStringLiteral("Left"), Left());
    Store->WriteInteger(Section, QStringLiteral("Height"), Height());
    Store->WriteInteger(Section, QStringLiteral("FullHeight"), FFullHeight);
    Store->WriteInteger(Section, QStringLiteral("Width"), Width());
    Store->WriteInteger(Section, QStringLiteral("Collaps"), FCollaps ? 1 : 0);
}

void TCustomAdvPanel::LoadPosition() {
    if (designing() || FPosition->Key().isEmpty() || FPosition->Section().isEmpty()) return;
    const std::unique_ptr<TCustomIniFile> Store(openPositionStore());
    const String& Section = FPosition->Section();
    SetTop(Store->ReadInteger(Section, QStringLiteral("Top"), Top()));
    SetLeft(Store->ReadInteger(Section, QStringLiteral("Left"), Left()));
    SetHeight(Store->ReadInteger(Section, QStringLiteral("Height"), Height()));
    SetWidth(Store->ReadInteger(Section, QStringLiteral("Width"), Width()));
    const TWeak<TCustomAdvPanel> Self(this);
    SetCollaps(Store->ReadInteger(Section, QStringLiteral("Collaps"), 0) == 1);
    if (Self) FFullHeight = Store->ReadInteger(Section, QStringLiteral("FullHeight"), Height());
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomAdvPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCHITTEST:
            WMNCHitTest(Message);
            break;
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_SIZING:
            WMSizing(Message);
            break;
        case WM_MOVING:
            WMMoving(Message);
            break;
        case WM_ENTERSIZEMOVE:
            WMEnterSizeMove(Message);
            break;
        case WM_EXITSIZEMOVE:
            WMExitSizeMove(Message);
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        case WM_DESTROY:
            // Saving on the way out must not stop the window from going.
            if (FPosition->Save()) try {
                    SavePosition();
                } catch (...) {
                }
            TCustomPanel::Dispatch(Message);
            break;
        case CM_HINTSHOW:
            CMHintShow(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_RELEASE:
            CMRelease(Message);
            break;
        case WM_CANCELMODE:
            endMoveSize();
            TCustomPanel::Dispatch(Message);
            break;
        default:
            TCustomPanel::Dispatch(Message);
            break;
    }
}
