// TCustomAdvPanel and the mouse: the caption's close and collapse buttons with their hot colours,
// caption clicks, hyperlinks in the body and the caption (hover, hand cursor, events, hints), and
// moving the panel by its caption and sizing it by its edges inside its parent.
//
// Moving and sizing follow the platform's protocol, rebuilt here: a press is hit-tested
// (WM_NCHITTEST answers HTCAPTION or an edge), the first move sends WM_ENTERSIZEMOVE, every move
// proposes a rectangle through WM_MOVING or WM_SIZING (where the Fixed... rules apply), and the
// release sends WM_EXITSIZEMOVE.
#include "components/controls/AdvPanel.h"

#include "components/controls/AdvPanel_Internal.h"
#include "components/graphics/AdvUtilText.h"
#include "framework/os/ShellAPI.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>

using namespace advpanel_detail;

namespace {

// Button rectangles over the client rectangle, w the button size: [caption position][button position].
struct TButtonSpot {
    TSpot TopLeft;
    TSpot BottomRight;
};

constexpr TButtonSpot kCloseSpot[3][2] = {
    {/* cpTop, cbpRight */ {{eR, -2, -1, eT, 2, 0}, {eR, -2, 0, eT, 2, 1}},
     /* cpTop, cbpLeft */ {{eL, 2, 0, eT, 2, 0}, {eL, 2, 1, eT, 2, 1}}},
    {/* cpLeft, cbpRight */ {{eL, 2, 0, eT, 2, 0}, {eL, 2, 1, eT, 2, 1}},
     /* cpLeft, cbpLeft */ {{eL, 2, 0, eB, -2, -1}, {eL, 2, 1, eB, -2, 0}}},
    {/* cpRight, cbpRight */ {{eR, -2, -1, eB, -2, -1}, {eR, -2, 0, eB, -2, 0}},
     /* cpRight, cbpLeft */ {{eR, -2, -1, eT, 2, 0}, {eR, -2, 0, eT, 2, 1}}},
};

// Over the rectangle shortened for the close button.
constexpr TButtonSpot kMinMaxSpot[3][2] = {
    {/* cpTop, cbpRight */ {{eR, -2, -1, eT, 2, 0}, {eR, -2, 0, eT, 2, 1}},
     /* cpTop, cbpLeft */ {{eL, 2, 0, eT, 2, 0}, {eL, 2, 1, eT, 2, 1}}},
    {/* cpLeft, cbpRight */ {{eL, 2, 0, eT, 2, 0}, {eL, 2, 1, eT, 2, 1}},
     /* cpLeft, cbpLeft */ {{eL, 2, 0, eB, -2, -1}, {eL, 2, 1, eB, -2, 0}}},
    {/* cpRight, cbpRight */ {{eR, -4, -1, eB, -4, -1}, {eR, -4, 0, eB, -4, 0}},
     /* cpRight, cbpLeft */ {{eR, -4, -1, eT, 2, 0}, {eR, -4, 0, eT, 2, 1}}},
};

// The edge a button takes room from, and in which direction: [caption position][button position].
constexpr TEdge kButtonEdge[3][2] = {{eR, eL}, {eT, eB}, {eB, eT}};

int towardsInside(TEdge E) { return E == eL || E == eT ? 1 : -1; }

TRect grown(TRect R, int By) { return {R.Left - By, R.Top - By, R.Right + By, R.Bottom + By}; }

bool sameRect(const TRect& A, const TRect& B) {
    return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

TCursor cursorOfHitCode(LRESULT Code) {
    switch (Code) {
        case HTLEFT:
        case HTRIGHT:
            return crSizeWE;
        case HTBOTTOM:
            return crSizeNS;
        case HTBOTTOMRIGHT:
            return crSizeNWSE;
        case HTBOTTOMLEFT:
            return crSizeNESW;
        default:
            return crDefault;
    }
}

bool isSizeCursor(TCursor C) { return C == crSizeWE || C == crSizeNS || C == crSizeNWSE || C == crSizeNESW; }

// The client rectangle less the close button's room, when it is on.
TRect shortenedForClose(const TRect& Client, const TPanelCaption* Caption, int W) {
    TRect R = Client;
    if (Caption->CloseButton()) {
        const TEdge E = kButtonEdge[Caption->Position()][Caption->ButtonPosition()];
        edgeRef(R, E) += towardsInside(E) * W;
    }
    return R;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry

int TCustomAdvPanel::buttonSize(bool ForMoveSize) const {
    int W = 12;
    const auto has = [](TBitmap* B) { return B && !B->Empty(); };
    if (has(FCaption->CloseMinGlyph()) && has(FCaption->CloseMaxGlyph())) W = FCaption->CloseMinGlyph()->Width();
    if (has(FCaption->MaxGlyph()) && has(FCaption->MinGlyph()))
        W = ForMoveSize ? FCaption->MinGlyph()->Width() : FCaption->MaxGlyph()->Width();
    return W;
}

TRect TCustomAdvPanel::closeButtonRect(int W) const {
    const TButtonSpot& S = kCloseSpot[FCaption->Position()][FCaption->ButtonPosition()];
    return rectAt(ClientRect(), S.TopLeft, S.BottomRight, W);
}

TRect TCustomAdvPanel::minMaxButtonRect(int W) const {
    const TButtonSpot& S = kMinMaxSpot[FCaption->Position()][FCaption->ButtonPosition()];
    return rectAt(shortenedForClose(ClientRect(), FCaption.get(), W), S.TopLeft, S.BottomRight, W);
}

TRect TCustomAdvPanel::captionArea(int W) const {
    const TRect R = shortenedForClose(ClientRect(), FCaption.get(), W);
    const int H = FCaption->Height();
    switch (FCaption->Position()) {
        case cpLeft:
            return {R.Left, R.Top, R.Left + H, R.Bottom};
        case cpRight:
            return {R.Right - H, R.Top, R.Right, R.Bottom};
        case cpTop:
            break;
    }
    return {R.Left, R.Top, R.Right - 2, R.Top + H};
}

TRect TCustomAdvPanel::doubleClickCaptionArea() const {
    const TRect R = ClientRect();
    switch (FCaption->Position()) {
        case cpLeft:
            return {R.Left, R.Top, R.Left + FCapHeight, R.Bottom};
        case cpRight:
            return {R.Right - FCapHeight, R.Top, R.Right, R.Bottom};
        case cpTop:
            break;
    }
    return {R.Left, R.Top, R.Right - 2, R.Top + FCapHeight};
}

bool TCustomAdvPanel::inCaptionBand(int X, int Y) const {
    if (!FCaption->Visible()) return false;
    switch (FCaption->Position()) {
        case cpTop:
            return Y < FCapHeight;
        case cpLeft:
            return X < FCapHeight;
        case cpRight:
            return X > Width() - FCapHeight;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Buttons and clicks

void TCustomAdvPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomAdvPanel> Self(this);
    const bool Dragged = FMoveSize && FMoveSize->Entered;
    if (FMoveSize) endMoveSize();
    if (!Self) return;
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    // A drag is no click; nothing reacts at design time or without a caption.
    if (!Self || Dragged || designing() || !FCaption->Visible()) return;
    bool Toggle = FCaption->MinMaxCaption();
    const int W = buttonSize(false);
    const TPoint P{X, Y};
    // Where the release was, decided before a button acts: a right caption's collapse moves the
    // panel's client area away from the point.
    const bool OnCaption = captionArea(W).Contains(P);
    if (FCaption->CloseButton() && closeButtonRect(W).Contains(P)) {
        const bool FreeIt = FFreeOnClose;
        closeByButton();
        if (!Self || FreeIt) return;
        Toggle = false;
    }
    if (FCaption->MinMaxButton() && minMaxButtonRect(W).Contains(P)) {
        Toggle = false;
        SetCollaps(!FCollaps);
        if (!Self) return;
    }
    if (OnCaption) {
        if (Toggle) {
            SetCollaps(!FCollaps);
            if (!Self) return;
        }
        fire(OnCaptionClick, this);
    }
}

// Hides the panel and tells OnClose; with FreeOnClose the panel goes once the handlers are done.
void TCustomAdvPanel::closeByButton() {
    const TWeak<TCustomAdvPanel> Self(this);
    SetVisible(false);
    fire(OnClose, this);
    if (!Self) return;
    Synchronize();
    if (Self && FFreeOnClose) Release();
}

void TCustomAdvPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TCustomAdvPanel> Self(this);
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    if (Button == mbLeft && !designing()) {
        const LRESULT Code = hitTestCode(X, Y);
        if (!Self) return;
        if (Code != HTCLIENT) {
            beginMoveSize(Code, X, Y);
            return;
        }
    }
    TRect AnchorRect;
    const String Anchor = AnchorAt(X, Y, AnchorRect);
    if (Anchor.isEmpty()) return;
    if (IsHyperlink(Anchor))
        ShellExecute(nullptr, QStringLiteral("open"), Anchor, String(), String(), SW_SHOWNORMAL);
    else
        fire(OnAnchorClick, this, Anchor);
}

void TCustomAdvPanel::WMLButtonDblClk(TMessage& Message) {
    const TWeak<TCustomAdvPanel> Self(this);
    TCustomPanel::Dispatch(Message);
    if (!Self || !FCaption->Visible()) return;
    const TWMMouse M(Message);
    if (doubleClickCaptionArea().Contains(M.Pos())) fire(OnCaptionDBlClick, this);
}

void TCustomAdvPanel::updateHotButtons(int X, int Y) {
    const int W = buttonSize(false);
    const TPoint P{X, Y};
    bool Changed = false;
    if (FCaption->CloseButtonHoverColor() != clNone)
        Changed |= assignChanged(FHoverCloseBtn, FCaption->CloseButton() && closeButtonRect(W).Contains(P));
    if (FCaption->MinMaxButtonHoverColor() != clNone)
        Changed |= assignChanged(FHoverMinMaxBtn, FCaption->MinMaxButton() && minMaxButtonRect(W).Contains(P));
    if (Changed) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Hyperlinks

String TCustomAdvPanel::AnchorAt(int X, int Y, TRect& AnchorRect) {
    TRect R = ClientRect();
    if (BevelOuter() != bvNone || BevelInner() != bvNone) {
        const int D = BevelWidth();
        R = {R.Left + D, R.Top + D, R.Right - D, R.Bottom - D};
    }
    if (FBorderShadow) {
        R.Right -= 2;
        R.Bottom -= 2;
    }
    const int Inset = BorderWidth() + 1;
    R = {R.Left + Inset + FIndent, R.Top + Inset + FTopIndent, R.Right - Inset, R.Bottom - Inset};
    TCanvas* C = Canvas();
    C->SetFont(Font());
    const int H = FTextVAlign != tvaTop ? measureBodyText(C, R) : 0;
    const auto alignVertically = [this, H](TRect& Area) {
        if (FTextVAlign == tvaTop || H >= Area.Height()) return;
        if (FTextVAlign == tvaCenter)
            Area.Top += (Area.Height() - H) / 2;
        else
            Area.Top = Area.Bottom - H;
    };
    TMarkupResult Hit;
    if (!inCaptionBand(X, Y)) {
        if (FCaption->Visible()) switch (FCaption->Position()) {
                case cpTop:
                    R.Top += FCapHeight;
                    break;
                case cpLeft:
                    R.Left += FCapHeight;
                    break;
                case cpRight:
                    R.Right -= FCapHeight;
                    break;
            }
        alignVertically(R);
        R.Bottom += 20;
        Hit = DrawMarkupText(anchorLookupRequest(C, FText, R, X, Y));
        FHoverHyperLink = Hit.HitAnchor;
    } else if (FCaption->Position() == cpTop) {
        R.Bottom = R.Top + FCapHeight;
        alignVertically(R);
        C->SetFont(FCaption->Font());
        R.Left += FCaption->Indent();
        R.Top += FCaption->TopIndent();
        Hit = DrawMarkupText(anchorLookupRequest(C, FCaption->Text(), R, X, Y));
        FCaptionHoverHyperLink = Hit.HitAnchor;
    } else {
        return String();  // a side caption has no anchors
    }
    AnchorRect = Hit.HitAnchorRect;
    return Hit.OnAnchor ? Hit.AnchorHref : String();
}

void TCustomAdvPanel::RepaintRect(const TRect& R) {
    // The panel paints in one piece, so the whole of it is painted again.
    if (DoubleBuffered() || FHover) Invalidate();
    (void)R;
}

void TCustomAdvPanel::enterAnchor(const String& Anchor, const TRect& AnchorRect) {
    if (Cursor() != FOldCursor && Anchor == FAnchor) return;
    const TWeak<TCustomAdvPanel> Self(this);
    if (FAnchorHint && Application) Application->CancelHint();
    TCustomPanel::SetCursor(crHandPoint);
    fire(OnAnchorEnter, this, Anchor);
    if (Self && FHover) RepaintRect(AnchorRect);
}

void TCustomAdvPanel::bodyHover(int X, int Y, const String& Anchor, const TRect& AnchorRect) {
    const TWeak<TCustomAdvPanel> Self(this);
    if (FCaptionHoverHyperLink != -1) {
        FCaptionHoverHyperLink = -1;
        if (FHover) RepaintRect(FCaptionCurrHoverRect);
    }
    if (!Anchor.isEmpty()) {
        if (Anchor != FAnchor || !sameRect(AnchorRect, FCurrHoverRect) || FHoverHyperLink == -1 ||
            FHoverHyperLink != FOldHoverHyperLink) {
            FCurrHoverRect = grown(FCurrHoverRect, 1);
            if (FHover) {
                RepaintRect(FCurrHoverRect);
                RepaintRect(AnchorRect);
            }
        }
        enterAnchor(Anchor, AnchorRect);
        if (!Self) return;
        FAnchor = Anchor;
        FCurrHoverRect = AnchorRect;
        FOldHoverHyperLink = FHoverHyperLink;
    } else if (Cursor() == crHandPoint) {
        TCustomPanel::SetCursor(FOldCursor);
        fire(OnAnchorExit, this, String());
        if (!Self) return;
        FCurrHoverRect = grown(FCurrHoverRect, 1);
        FHoverHyperLink = -1;
        FOldHoverHyperLink = -1;
        if (FHover) RepaintRect(FCurrHoverRect);
    }
}

void TCustomAdvPanel::captionHover(int X, int Y, const String& Anchor, const TRect& AnchorRect) {
    const TWeak<TCustomAdvPanel> Self(this);
    clearBodyHover();
    if (!Anchor.isEmpty()) {
        if (Anchor != FAnchor || !sameRect(AnchorRect, FCaptionCurrHoverRect) || FCaptionHoverHyperLink == -1) {
            if (!FAnchor.isEmpty()) RepaintRect(FCaptionCurrHoverRect);
            if (FHover) RepaintRect(AnchorRect);
        }
        enterAnchor(Anchor, AnchorRect);
        if (!Self) return;
        FAnchor = Anchor;
        FCaptionCurrHoverRect = AnchorRect;
    } else if (Cursor() == crHandPoint) {
        TCustomPanel::SetCursor(FOldCursor);
        fire(OnAnchorExit, this, String());
        if (!Self) return;
        FCaptionHoverHyperLink = -1;
        if (FHover) RepaintRect(FCaptionCurrHoverRect);
    }
}

void TCustomAdvPanel::clearBodyHover() {
    if (FHoverHyperLink == -1) return;
    FCurrHoverRect = grown(FCurrHoverRect, 1);
    if (FHover) RepaintRect(FCurrHoverRect);
    FHoverHyperLink = -1;
    FOldHoverHyperLink = -1;
}

void TCustomAdvPanel::clearCaptionHover() {
    if (FCaptionHoverHyperLink == -1) return;
    FCaptionHoverHyperLink = -1;
    if (FHover) RepaintRect(FCaptionCurrHoverRect);
}

void TCustomAdvPanel::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TCustomAdvPanel> Self(this);
    TCustomPanel::MouseMove(Shift, X, Y);
    if (!Self) return;
    if (FMoveSize) {
        trackMoveSize(X, Y);
        return;
    }
    TRect AnchorRect{};
    const String Anchor = AnchorAt(X, Y, AnchorRect);
    FInMove = false;
    if (FCaption->Visible() && !designing()) {
        // Crossing into or out of the caption lets the other part's office hint show.
        if (ShowHint() && !FCaption->OfficeHint()->IsEmpty() && Application &&
            ((FPrevY < FCapHeight && Y > FCapHeight) || (FPrevY > FCapHeight && Y < FCapHeight)))
            Application->CancelHint();
        updateHotButtons(X, Y);
    }
    if (inCaptionBand(X, Y))
        captionHover(X, Y, Anchor, AnchorRect);
    else
        bodyHover(X, Y, Anchor, AnchorRect);
    if (!Self) return;
    FPrevY = Y;
    // The sizing edges show the sizing cursors; the cursor the panel was given returns after. Not
    // while a hit test runs this handling: the hit test is what asks.
    if (FCanSize && !designing() && !FHitTesting && (Cursor() == FOldCursor || isSizeCursor(Cursor()))) {
        const TCursor Wanted = cursorOfHitCode(hitTestCode(X, Y));
        if (Wanted != crDefault)
            TCustomPanel::SetCursor(Wanted);
        else if (isSizeCursor(Cursor()))
            TCustomPanel::SetCursor(FOldCursor);
    }
}

void TCustomAdvPanel::CMMouseEnter(TMessage& Message) { TCustomPanel::Dispatch(Message); }

void TCustomAdvPanel::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0) {
        clearBodyHover();
        clearCaptionHover();
        if (FHoverCloseBtn || FHoverMinMaxBtn) {
            FHoverCloseBtn = false;
            FHoverMinMaxBtn = false;
            Invalidate();
        }
    }
    TCustomPanel::Dispatch(Message);
}

void TCustomAdvPanel::CMHintShow(TMessage& Message) {
    auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (!FAnchorHint || !Info) {
        TCustomPanel::Dispatch(Message);
        return;
    }
    TRect R;
    String Anchor = AnchorAt(Info->CursorPos.X, Info->CursorPos.Y, R);
    if (!Anchor.isEmpty()) {
        const TWeak<TCustomAdvPanel> Self(this);
        fire(OnAnchorHint, this, Anchor);
        if (!Self) return;
        const TPoint At = ClientToScreen(Info->CursorPos);
        Info->HintPos = TPoint{At.X + 10, At.Y - 10};
        Info->HintStr = Anchor;
    }
    Message.Result = 0;
}

// ---------------------------------------------------------------------------------------------
// Moving and sizing

int TCustomAdvPanel::hitTestCode(int X, int Y) {
    const TPoint S = ClientToScreen(TPoint{X, Y});
    return static_cast<int>(Perform(WM_NCHITTEST, 0, PointToLParam(S.X, S.Y)));
}

void TCustomAdvPanel::WMNCHitTest(TMessage& Message) {
    // A child window has no frame of its own: every point is in the client area.
    Message.Result = HTCLIENT;
    if (designing()) return;
    const int W = buttonSize(true);
    TRect R = ClientRect();
    const TEdge ButtonEdge = kButtonEdge[FCaption->Position()][FCaption->ButtonPosition()];
    const int Buttons = (FCaption->CloseButton() ? 1 : 0) + (FCaption->MinMaxButton() ? 1 : 0);
    edgeRef(R, ButtonEdge) += towardsInside(ButtonEdge) * W * Buttons;
    const TPoint P = ScreenToClient(LParamToPoint(Message.LParam));
    bool InDrag = false;
    if (FCaption->Visible()) switch (FCaption->Position()) {
            case cpTop:
                InDrag = P.Y < FCapHeight && R.Left < P.X && P.X < R.Right;
                break;
            case cpLeft:
                InDrag = P.X < FCapHeight && R.Top < P.Y && P.Y < R.Bottom;
                break;
            case cpRight:
                InDrag = P.X > Width() - FCapHeight && R.Top < P.Y && P.Y < R.Bottom;
                break;
        }
    FInMove = false;
    if (InDrag && FCanMove) {
        TRect AnchorRect;
        if (AnchorAt(P.X, P.Y, AnchorRect).isEmpty()) {
            const TWeak<TCustomAdvPanel> Self(this);
            const bool Nested = FHitTesting;
            FHitTesting = true;
            try {
                MouseMove(TShiftState(), P.X, P.Y);
            } catch (...) {
                if (Self) FHitTesting = Nested;
                throw;
            }
            if (!Self) return;
            FHitTesting = Nested;
            Message.Result = HTCAPTION;
            FInMove = true;
            return;
        }
    }
    if (!FCanSize || FCollaps) return;
    const int FW = GetSystemMetrics(SM_CXFRAME);
    const int FH = GetSystemMetrics(SM_CYFRAME);
    LRESULT Code = HTCLIENT;
    if (FCaption->Position() == cpRight) {
        if (!FFixedHeight && !FFixedWidth && P.Y > Height() - FH - 2 && P.X < FW + 2)
            Code = HTBOTTOMLEFT;
        else if (!FFixedHeight && P.Y > Height() - FH)
            Code = HTBOTTOM;
        else if (!FFixedWidth && P.X < FW + 2)
            Code = HTLEFT;
    } else {
        if (!FFixedHeight && !FFixedWidth && P.Y > Height() - FH - 2 && P.X > Width() - FW - 2)
            Code = HTBOTTOMRIGHT;
        else if (!FFixedHeight && P.Y > Height() - FH)
            Code = HTBOTTOM;
        else if (!FFixedWidth && P.X > Width() - FW)
            Code = HTRIGHT;
    }
    if (Code == HTCLIENT) return;
    BringToFront();
    Message.Result = Code;
}

void TCustomAdvPanel::beginMoveSize(int HitCode, int X, int Y) {
    FMoveSize = std::make_unique<TMoveSize>();
    FMoveSize->Code = HitCode;
    FMoveSize->StartMouse = ClientToScreen(TPoint{X, Y});
    const TPoint Origin = ClientOrigin();
    FMoveSize->StartRect = {Origin.X, Origin.Y, Origin.X + Width(), Origin.Y + Height()};
}

void TCustomAdvPanel::trackMoveSize(int X, int Y) {
    const TWeak<TCustomAdvPanel> Self(this);
    const TPoint Now = ClientToScreen(TPoint{X, Y});
    const int DX = Now.X - FMoveSize->StartMouse.X;
    const int DY = Now.Y - FMoveSize->StartMouse.Y;
    if (!FMoveSize->Entered) {
        if (DX == 0 && DY == 0) return;
        FMoveSize->Entered = true;
        Perform(WM_ENTERSIZEMOVE, 0, 0);
        if (!Self || !FMoveSize) return;
    }
    // The parent's client area in screen coordinates: the panel stays inside it.
    TRect Area{-100000, -100000, 100000, 100000};
    if (TWinControl* P = Parent()) {
        const TPoint O = P->ClientOrigin();
        Area = {O.X, O.Y, O.X + P->ClientWidth(), O.Y + P->ClientHeight()};
    }
    TRect R = FMoveSize->StartRect;
    const LRESULT Code = FMoveSize->Code;
    if (Code == HTCAPTION) {
        const int W = R.Width();
        const int H = R.Height();
        R.Left = std::max(Area.Left, std::min(R.Left + DX, Area.Right - W));
        R.Top = std::max(Area.Top, std::min(R.Top + DY, Area.Bottom - H));
        R.Right = R.Left + W;
        R.Bottom = R.Top + H;
        Perform(WM_MOVING, 0, reinterpret_cast<LPARAM>(&R));
    } else {
        WPARAM Edge = WMSZ_BOTTOM;
        if (Code == HTRIGHT || Code == HTBOTTOMRIGHT) R.Right = std::min(Area.Right, std::max(R.Left, R.Right + DX));
        if (Code == HTLEFT || Code == HTBOTTOMLEFT) R.Left = std::max(Area.Left, std::min(R.Right, R.Left + DX));
        if (Code == HTBOTTOM || Code == HTBOTTOMRIGHT || Code == HTBOTTOMLEFT)
            R.Bottom = std::min(Area.Bottom, std::max(R.Top, R.Bottom + DY));
        switch (Code) {
            case HTRIGHT:
                Edge = WMSZ_RIGHT;
                break;
            case HTLEFT:
                Edge = WMSZ_LEFT;
                break;
            case HTBOTTOMRIGHT:
                Edge = WMSZ_BOTTOMRIGHT;
                break;
            case HTBOTTOMLEFT:
                Edge = WMSZ_BOTTOMLEFT;
                break;
            default:
                break;
        }
        Perform(WM_SIZING, Edge, reinterpret_cast<LPARAM>(&R));
    }
    if (!Self) return;
    TPoint TopLeft{R.Left, R.Top};
    if (TWinControl* P = Parent()) TopLeft = P->ScreenToClient(TopLeft);
    TCustomPanel::SetBounds(TopLeft.X, TopLeft.Y, R.Width(), R.Height());
}

void TCustomAdvPanel::endMoveSize() {
    if (!FMoveSize) return;
    const bool Entered = FMoveSize->Entered;
    FMoveSize.reset();
    if (Entered) Perform(WM_EXITSIZEMOVE, 0, 0);
}

void TCustomAdvPanel::WMEnterSizeMove(TMessage& Message) {
    FTopLeft = ClientOrigin();
    FWidthHeight = TPoint{Width(), Height()};
    TCustomPanel::Dispatch(Message);
}

void TCustomAdvPanel::WMMoving(TMessage& Message) {
    FTopLeft = ClientOrigin();
    if (FInMove) BringToFront();
    if (designing()) {
        TCustomPanel::Dispatch(Message);
        return;
    }
    auto* R = reinterpret_cast<TRect*>(Message.LParam);
    if (R && FFixedLeft) {
        const int W = R->Width();
        R->Left = FTopLeft.X;
        R->Right = R->Left + W;
    }
    if (R && FFixedTop) {
        const int H = R->Height();
        R->Top = FTopLeft.Y;
        R->Bottom = R->Top + H;
    }
    Message.Result = 0;
}

void TCustomAdvPanel::WMSizing(TMessage& Message) {
    if (designing()) {
        TCustomPanel::Dispatch(Message);
        return;
    }
    auto* R = reinterpret_cast<TRect*>(Message.LParam);
    if (!R) return;
    if (FFixedWidth) R->Right = R->Left + FWidthHeight.X;
    if (FFixedHeight) R->Bottom = R->Top + FWidthHeight.Y;
    FFullHeight = FCaption->Position() == cpTop ? R->Height() : R->Width();
    Message.Result = 0;
    if (Width() != R->Width()) ShadeHeader();
}

void TCustomAdvPanel::WMExitSizeMove(TMessage& Message) {
    const TWeak<TCustomAdvPanel> Self(this);
    TCustomPanel::Dispatch(Message);
    if (!Self) return;
    fire(OnEndMoveSize, this);
    if (Self) Synchronize();
}
