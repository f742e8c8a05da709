// TAdvEdit's look: colours by state, the flat look and the borders, the grey empty text, the
// error underline, the URL look, alignment, the attached label, and the mouse.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEdit_Internal.h"
#include "components/controls/ControlScaling.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/Gdi.h"

#include <algorithm>

using namespace advedit;

namespace {

// A canvas drawing on a context it does not own.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC DC) { FCanvas.SetHandle(DC); }
    ~TBorrowedCanvas() { FCanvas.SetHandle(nullptr); }
    TCanvas* operator->() { return &FCanvas; }
    TCanvas* get() { return &FCanvas; }

private:
    TCanvas FCanvas;
};

void frameWindow(HDC DC, const TRect& R, TColor Color) {
    TBorrowedCanvas C(DC);
    C->Brush()->SetColor(Color);
    C->FrameRect(R);
}

}  // namespace

int TextWidthIn(TFont* Font, const String& Text) { return TextSizeIn(Font, Text).cx; }

TSize TextSizeIn(TFont* Font, const String& Text) {
    TBitmap Scratch(1, 1);
    Scratch.Canvas()->Font()->Assign(Font);
    return Scratch.Canvas()->TextExtent(Text);
}

// ---------------------------------------------------------------------------------------------
// Colours and borders

void TAdvEdit::SetColor(TColor Value) {
    TControl::SetColor(Value);
    FNormalColor = Value;
}

void TAdvEdit::SetFocusBorder(bool Value) {
    FFocusBorder = Value;
    Invalidate();
}

void TAdvEdit::SetFocusBorderColor(TColor Value) {
    FFocusBorderColor = Value;
    Invalidate();
}

void TAdvEdit::SetBorderColor(TColor Value) {
    FBorderColor = Value;
    if (HandleAllocated()) Perform(WM_NCPAINT, 0, 0);
}

void TAdvEdit::SetBorder3D(bool Value) {
    FBorder3D = Value;
    Invalidate();
}

void TAdvEdit::SetSoftBorder(bool Value) {
    FSoftBorder = Value;
    Invalidate();
}

void TAdvEdit::SetFlatLineColor(TColor Value) {
    FFlatLineColor = Value;
    Invalidate();
}

void TAdvEdit::SetFlatParentColor(bool Value) {
    FFlatParentColor = Value;
    Invalidate();
}

void TAdvEdit::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TAdvEdit::SetDisabledColor(TColor Value) {
    FDisabledColor = Value;
    if (!Enabled()) TControl::SetColor(Value);
    Invalidate();
}

void TAdvEdit::SetDisabledTextColor(TColor Value) {
    FDisabledTextColor = Value;
    SetEditorTextVisible(Enabled() || FDisabledTextColor == clNone);
    Invalidate();
}

void TAdvEdit::SetDisabledBorder(bool Value) {
    FDisabledBorder = Value;
    Invalidate();
}

void TAdvEdit::SetEmptyText(const String& Value) {
    if (FEmptyText == Value) return;
    FEmptyText = Value;
    Invalidate();
}

void TAdvEdit::SetEmptyTextStyle(TFontStyles Value) {
    FEmptyTextStyle = Value;
    Invalidate();
}

void TAdvEdit::SetErrorMarkerPos(int Value) {
    FErrorMarkerPos = Value;
    Invalidate();
}

void TAdvEdit::SetErrorMarkerLen(int Value) {
    FErrorMarkerLen = Value;
    Invalidate();
}

void TAdvEdit::SetShowURL(bool Value) {
    FShowURL = Value;
    ApplyURLLook(Value && IsUrlText(Text()));
}

void TAdvEdit::UpdateErrorColors() {
    if (FError) {
        TControl::SetColor(FErrorColor);
        Font()->SetColor(FErrorFontColor);
    } else if (FFocused) {
        TControl::SetColor(FFocusColor == clNone ? FNormalColor : FFocusColor);
        if (FFocusFontColor != clNone) Font()->SetColor(FFocusFontColor);
    } else {
        TControl::SetColor(FNormalColor);
        Font()->SetColor(FFontColor);
    }
}

void TAdvEdit::SetEnabled(bool Value) {
    const bool Changed = Value != Enabled();
    if (Changed && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning)) {
        if (!Value) {
            if (!FError) FNormalColor = Color();
            TControl::SetColor(FDisabledColor);
        } else {
            TControl::SetColor(FNormalColor);
        }
    }
    TCustomEdit::SetEnabled(Value);
    if (!Changed) return;
    if (Value && FError && FShowError) UpdateErrorColors();
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
    SetEditorTextVisible(Value || FDisabledTextColor == clNone);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Flat look, alignment, edit rectangle

void TAdvEdit::SetFlat(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FFlat = Value;
        return;
    }
    if (FFlat == Value) return;
    FFlat = Value;
    applyFlat(Value);
}

void TAdvEdit::applyFlat(bool On) {
    if (On) {
        const TColor Before = Color();
        if (FFlatParentColor && Parent()) {
            TControl::SetColor(Parent()->Color());
            FFocusColor = Parent()->Color();
        } else {
            TControl::SetColor(FNormalColor);
        }
        FNormalColor = Before;
        SetBorderStyle(bsNone);
    } else {
        TControl::SetColor(FNormalColor);
        SetBorderStyle(FOldBorder);
    }
    SetFlatRect(On);
    Invalidate();
}

void TAdvEdit::Init() {
    FNormalColor = Color();
    FFontColor = Font()->Color();
    FOldBorder = BorderStyle();
    if (FFlat) applyFlat(true);
    UpdateLabel();
    if (!Enabled()) TControl::SetColor(FDisabledColor);
}

void TAdvEdit::SetFlatRect(bool Flat) {
    // The platform's rectangle is relative to the client area inside the border; here the
    // border lies inside the client area, so the rectangle moves in by its width.
    const int B = BorderSize();
    const int S = Ctl3D() ? 0 : Font()->Size() / 3;
    const int Right = Width() - B;
    const int Bottom = Height() - B;
    TRect R = Flat ? Rect(B + S + FIndentL + 4, B + 3, Right - FIndentR - S - 4, Bottom - 4)
                   : Rect(B + S + FIndentL, B, Right - FIndentR - S, Bottom);
    if (!Ctl3D()) {
        R.Left += 1;
        R.Right -= 1;
    }
    applyEditRect(R);
}

void TAdvEdit::applyEditRect(TRect R) {
    if (BorderStyle() == bsSingle && Ctl3D()) {
        R.Left += 1;
        R.Right -= 1;
        if (R.Height() >= TextMetricHeight(Font()) + 2) {
            R.Top += 1;
            R.Bottom -= 1;
        }
    }
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

void TAdvEdit::applyAlignment(TEditAlign Value) {
    SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TAdvEdit::SetEditAlign(TEditAlign Value) {
    FEditAlign = Value;
    // The framework's editor changes its alignment in place: no new window is needed.
    applyAlignment(Value);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TAdvEdit::WMEraseBkgnd(TMessage& Message) {
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (!FTransparent || !DC || !Parent()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    // The parent paints itself into this edit's context, shifted to the edit's place.
    const int Saved = SaveDC(DC);
    TPoint Old;
    SetWindowOrgEx(DC, Left(), Top(), &Old);
    Parent()->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Parent()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, Saved);
    Message.Result = 1;
}

void TAdvEdit::WMPaint(TMessage& Message) {
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    TCustomEdit::Dispatch(Message);  // the standard border
    if (Enabled() || FDisabledTextColor == clNone) {
        PaintOverlay(DC);
    } else {
        // The editor draws no text while disabled with a colour of the edit's own.
        TBorrowedCanvas C(DC);
        C->Brush()->SetStyle(bsClear);
        C->Font()->Assign(Font());
        C->Font()->SetColor(FDisabledTextColor);
        C->TextOut(BorderSize() + 1, BorderSize() + 1, WindowText());
    }
    if (FBorder3D || FFocusBorderColor != clNone || FBorderColor != clNone || (!Enabled() && FDisabledBorder))
        PaintBorder(DC);
}

void TAdvEdit::WMNCPaint(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (DC && (FFocusBorderColor != clNone || FBorderColor != clNone || (!Enabled() && FDisabledBorder)))
        PaintBorder(DC);
}

void TAdvEdit::PaintOverlay(HDC DC) {
    TRect R;
    Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    const int W = Width(), H = Height();
    if (FFlat) {
        if (FFocusBorder && FFocused) {
            DrawBorder(DC);
        } else if (FFlatLineColor != clNone) {
            TBorrowedCanvas C(DC);
            C->Pen()->SetColor(Enabled() ? FFlatLineColor : clGray);
            C->Pen()->SetWidth(1);
            if (FSoftBorder) {
                const int X = R.Left + FIndentL - 4;
                C->Polyline({Point(X, H - 1), Point(W - 1, H - 1), Point(W - 1, R.Top - 3), Point(X, R.Top - 3),
                             Point(X, H - 1)});
            } else {
                C->MoveTo(R.Left + FIndentL - 2, H - 1);
                C->LineTo(W - FIndentR, H - 1);
            }
        }
    }
    if (FCaretPos.X >= 0) {
        TBorrowedCanvas C(DC);
        C->Brush()->SetColor(Font()->Color());
        C->FillRect(Rect(FCaretPos.X, FCaretPos.Y, FCaretPos.X + 1, FCaretPos.Y - Font()->Height()));
    }
    if (Text().isEmpty() && !FEmptyText.isEmpty() && (FEmptyTextFocused || !FFocused)) {
        TBorrowedCanvas C(DC);
        C->Brush()->SetColor(Color());
        C->Font()->Assign(Font());
        C->Font()->SetStyle(FEmptyTextStyle);
        C->Font()->SetColor(clGray);
        const int B = BorderSize();
        C->TextOut(B + (Ctl3D() ? 3 : 6), B + 2, FEmptyText);
    }
    if (!FFocused && FErrorMarkerLen > 0) DrawErrorMarker(DC, FErrorMarkerPos, FErrorMarkerLen);
}

void TAdvEdit::DrawErrorMarker(HDC DC, int Pos, int Len) {
    const String T = WindowText();
    const int N = static_cast<int>(T.size());
    if (N == 0) return;
    const auto endPoint = [&] {
        TPoint P = PosFromChar(N);
        P.X += 4;
        return P;
    };
    const TPoint P0 = Pos < N ? PosFromChar(Pos) : endPoint();
    TPoint P1 = Pos + Len < N ? PosFromChar(Pos + Len - 1) : endPoint();
    if (Pos + Len >= N) P1.Y = P0.Y;
    const int Hgt = TextSizeIn(Font(), QStringLiteral("gh")).cy;
    TBorrowedCanvas C(DC);
    C->Pen()->SetColor(clRed);
    C->Pen()->SetWidth(2);
    const int High = P1.Y + Hgt - 1, Low = P1.Y + Hgt + 2;
    C->MoveTo(P0.X, P0.Y + Hgt + 2);
    bool Up = true;
    int X = P0.X;
    for (; X <= P1.X; X += 3) {
        C->LineTo(X + 3, Up ? High : Low);
        Up = !Up;
    }
    C->LineTo(X + 3, Up ? High : Low);
}

bool TAdvEdit::Is3DBorderState() const {
    if (ComponentState().Contains(csDesigning)) return Enabled();
    if (FBorder3D) return true;
    const bool Active = FMouseInControl || (Screen && Screen->ActiveControl() == this);
    return Active && FFocusBorder;
}

void TAdvEdit::PaintBorder(HDC DC) {
    const bool Wanted = !Enabled() || FFlat || FBorderColor != clNone || (FFocusBorder && FMouseInControl) ||
                        FBorder3D || FFocusBorderColor != clNone;
    if (Wanted) DrawBorder(DC);
}

void TAdvEdit::DrawBorder(HDC DC) {
    if (ComponentState().Contains(csDesigning) && FBorderColor == clNone) return;
    TColor Frame = clNone;
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        Frame = clSilver;
    } else {
        Frame = FBorderColor;
        if (FFocused && FFocusBorderColor != clNone) Frame = FFocusBorderColor;
    }
    TRect R = Rect(0, 0, Width(), Height());
    if (Frame != clNone) {
        frameWindow(DC, R, Frame);
        return;
    }
    if (!Enabled() || (FFocusBorder && FIsThemed)) return;
    if (Is3DBorderState()) {
        DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frameWindow(DC, R, clBtnFace);
    } else {
        const TColor Around = Parent() ? Parent()->Color() : Color();
        frameWindow(DC, R, Around);
        frameWindow(DC, Rect(1, 1, R.Right - 1, R.Bottom - 1), Around);
    }
}

// ---------------------------------------------------------------------------------------------
// URL look

bool TAdvEdit::IsUrlText(const String& Value) const {
    return Value.contains(QLatin1String("://")) || Value.indexOf(u'@') >= 1 ||
           Value.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

void TAdvEdit::ApplyURLLook(bool On) {
    TFontStyles Style = Font()->Style();
    if (On) {
        SetParentFont(false);
        Style.Include(fsUnderline);
        Font()->SetStyle(Style);
        Font()->SetColor(FURLColor);
        FIsUrl = true;
        SetCursor(crHandPoint);
    } else {
        if (!FIsUrl) return;
        Style.Exclude(fsUnderline);
        Font()->SetStyle(Style);
        Font()->SetColor(FFontColor);
        FIsUrl = false;
        SetCursor(crDefault);
    }
    Invalidate();
}

String URLClickTarget(const String& Value) {
    const String V = Value.trimmed();
    if (V.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) return QStringLiteral("http://") + V;
    if (const auto At = V.indexOf(QLatin1String("://")); At >= 0) {
        const String Scheme = V.left(At).toLower();
        const bool Known =
            Scheme == QLatin1String("http") || Scheme == QLatin1String("https") || Scheme == QLatin1String("ftp");
        return Known ? V : String();
    }
    if (V.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) return V;
    if (V.indexOf(u'@') >= 1 && !V.contains(u' ')) return QStringLiteral("mailto:") + V;
    return {};
}

// ---------------------------------------------------------------------------------------------
// The label

String TAdvEdit::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvEdit::SetLabelCaption(const String& Value) {
    if (!FLabel) createLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TAdvEdit::createLabel() {
    FLabel = new TAdvEditLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->SetAlwaysEnable(FLabelAlwaysEnabled);
    FLabel->OnClick = [this](TObject*) {
        if (OnLabelClick) FireEvent(OnLabelClick, this);
    };
    FLabel->OnDblClick = [this](TObject*) {
        if (OnLabelDblClick) FireEvent(OnLabelDblClick, this);
    };
}

void TAdvEdit::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    UpdateLabel();
}

void TAdvEdit::SetLabelMargin(int Value) {
    FLabelMargin = Value;
    UpdateLabel();
}

void TAdvEdit::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    UpdateLabel();
}

void TAdvEdit::SetLabelAlwaysEnabled(bool Value) {
    FLabelAlwaysEnabled = Value;
    if (!FLabel) return;
    FLabel->SetAlwaysEnable(Value);
    if (Value) FLabel->SetEnabled(true);
    FLabel->Invalidate();
}

void TAdvEdit::SetLabelFont(TFont* Value) {
    FLabelFont->Assign(Value);
    if (FLabel && !ParentFont()) FLabel->Font()->Assign(Value);
    UpdateLabel();
}

void TAdvEdit::labelFontChanged() {
    if (FLabel) UpdateLabel();
    if (ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading)) SetParentFont(false);
    if (!FLblUpdate) FLblFntHeight = FLabelFont->Height();
}

void TAdvEdit::UpdateLabel() {
    if (!FLabel || !FLabel->Parent()) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(ParentFont() && !FShowError ? Font() : FLabelFont.get());
    if (FFocusLabel) {
        TFontStyles Style = FLabel->Font()->Style();
        if (FFocused)
            Style.Include(fsBold);
        else
            Style.Exclude(fsBold);
        FLabel->Font()->SetStyle(Style);
    }
    UpdateLabelPos();
}

void TAdvEdit::UpdateLabelPos() {
    if (!FLabel) return;
    TRect Measure = Rect(0, 0, 1000, 255);
    {
        TBitmap Scratch(1, 1);
        Scratch.Canvas()->Font()->Assign(FLabel->Font());
        DrawText(Scratch.Canvas()->Handle(), FLabel->Caption(), -1, Measure, DT_CALCRECT | DT_HIDEPREFIX);
    }
    const TRect Place = LabelPlacement(FLabelPosition, Measure.Width(), FLabel->Width(), FLabel->Height(), BoundsRect(),
                                       FLabelMargin, BorderStyle() == bsSingle ? 2 : 0);
    FLabel->SetBounds(Place.Left, Place.Top, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

TRect LabelPlacement(TLabelPosition Position, int CaptionWidth, int LabelWidth, int LabelHeight, const TRect& Edit,
                     int Margin, int Border) {
    const int T = Edit.Top, H = Edit.Height(), LH = LabelHeight;
    const int Centred = LH < H ? T + (H - Border - LH) / 2 : T - (Border + LH - H) / 2;
    const TPoint P = LabelPlace(Position, Edit, TSize{LabelWidth, LabelHeight}, CaptionWidth, Margin, Centred,
                                Edit.Left + (Edit.Width() - LabelWidth) / 2);
    return Bounds(P.X, P.Y, LabelWidth, LabelHeight);
}

void TAdvEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ComponentState().Contains(csLoading)) FLoadedHeight = AHeight;
    if (FLabel) {
        // An aligned edit makes room for its label inside the place it is given.
        const int LW = FLabel->Width() + FLabelMargin, LH = FLabel->Height();
        const TAlign A = Align();
        const bool Left =
            FLabelPosition == lpLeftTop || FLabelPosition == lpLeftCenter || FLabelPosition == lpLeftBottom;
        const bool Above = FLabelPosition == lpTopLeft || FLabelPosition == lpTopCenter || FLabelPosition == lpTopRight;
        const bool Right =
            FLabelPosition == lpRightTop || FLabelPosition == lpRightCenter || FLabelPosition == lpRighBottom;
        if (Left && (A == alTop || A == alBottom || A == alClient)) ALeft += LW, AWidth -= LW;
        if (Above && (A == alTop || A == alLeft || A == alRight || A == alClient)) ATop += LH;
        if (Right && (A == alTop || A == alBottom || A == alClient)) AWidth -= LW;
    }
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
    SetFlatRect(FFlat);
}

void TAdvEdit::ChangeScale(int M, int D) {
    TCustomEdit::ChangeScale(M, D);
    if (!ComponentState().Contains(csLoading)) FLabelFont->SetSize(Font()->Size());
}

void TAdvEdit::CMFontChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    SetFlatRect(FFlat);
    UpdateLabel();
}

void TAdvEdit::CMParentFontChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    SetFlatRect(FFlat);
    UpdateLabel();
}

void TAdvEdit::CMEnabledChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    Invalidate();
}

void TAdvEdit::CMVisibleChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}

void TAdvEdit::CMShowingChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}

// ---------------------------------------------------------------------------------------------
// Positions, hint and mouse

int TAdvEdit::GetTextSize() { return TextWidthIn(Font(), Text()); }

int TAdvEdit::CharFromPos(const TPoint& Pt) {
    return LOWORD(static_cast<DWORD>(Perform(EM_CHARFROMPOS, 0, MAKELPARAM(Word(Pt.X), Word(Pt.Y)))));
}

TPoint TAdvEdit::PosFromChar(int Index) {
    const String T = WindowText();
    if (T.isEmpty()) return {0, 0};
    const auto At = [&](int I) {
        const auto R = static_cast<DWORD>(Perform(EM_POSFROMCHAR, static_cast<WPARAM>(I), 0));
        return Point(static_cast<std::int16_t>(LOWORD(R)), static_cast<std::int16_t>(HIWORD(R)));
    };
    if (Index < T.size()) return At(Index);
    // Past the end: right of the last character by its width.
    const int Last = static_cast<int>(T.size()) - 1;
    TPoint P = At(Last);
    const String W = QStringLiteral("w");
    P.X += TextWidthIn(Font(), W + T[Last]) - TextWidthIn(Font(), W);
    return P;
}

void TAdvEdit::CMHintShow(TMessage& Message) {
    auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (FHintShowLargeText && Info && GetTextSize() > Width()) {
        Info->HintStr = Text();
        Info->HintPos = ClientToScreen(Point(0, 0));
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0) {
        if (FAutoFocus && !ComponentState().Contains(csDesigning)) {
            TCustomForm* Form = GetParentForm(this);
            if ((!Form || Form->Active()) && CanFocus()) SetFocus();
        }
        if (Enabled()) {
            FMouseInControl = true;
            if (FFocusBorder) Invalidate();
        }
    }
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0 && Enabled()) {
        FMouseInControl = false;
        if (FFocusBorder) Invalidate();
    }
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::WMLButtonUp(TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    if (FButtonDown) {
        // A click inside the selection that started no drag: the caret goes where it was.
        FButtonDown = false;
        const int C = CharFromPos(LParamToPoint(Message.LParam));
        setSelection(C, C);
        Click();
        if (!Self) return;
    }
    TCustomEdit::Dispatch(Message);
    if (!Self) return;
    if (FIsUrl && FFocused && FShowURL) {
        bool Show = true;
        if (OnURLClick) FireEvent(OnURLClick, this, Text(), Show);
        if (!Self) return;
        // Only addresses reach the shell; any other text only fires the event.
        if (const String Target = URLClickTarget(Text()); Show && !Target.isEmpty())
            ShellExecute(HandleAllocated() ? Handle() : nullptr, QStringLiteral("open"), Target, String(), String(),
                         SW_SHOWNORMAL);
        return;
    }
    const int Pre = static_cast<int>(FPrefix.size());
    const int End = valueEnd();
    const int Start = SelStart(), Stop = SelStart() + SelLength();
    if (Start < Pre && !FPrefix.isEmpty()) {
        setSelection(Pre, End);
    } else if (Start > End) {
        setSelection(End, End);
    } else if (Stop > End) {
        setSelection(Start, End);
    }
}
