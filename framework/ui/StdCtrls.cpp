// Label text layout, TCustomLabel, TCustomStaticText and TCustomCheckBox.
#include "framework/ui/StdCtrls.h"

#include <algorithm>
#include <vector>

namespace {

// One line of label text: what is shown and the index of the underlined character (-1: none).
struct LabelLine {
    String Text;
    int Accel = -1;
};

LabelLine stripAccel(const String& Line, bool ShowAccelChar) {
    if (!ShowAccelChar) return {Line, -1};
    LabelLine Result;
    for (int I = 0; I < Line.size(); ++I) {
        if (Line[I] == u'&' && I + 1 < Line.size()) {
            ++I;
            if (Line[I] != u'&' && Result.Accel < 0) Result.Accel = static_cast<int>(Result.Text.size());
        }
        Result.Text += Line[I];
    }
    return Result;
}

// Breaks a paragraph at blanks so that each piece fits Width; a word wider than Width stays whole.
std::vector<String> wrapParagraph(TCanvas* Canvas, const String& Paragraph, int Width) {
    std::vector<String> Lines;
    String Current;
    const QStringList Words = Paragraph.split(u' ');
    for (const String& Word : Words) {
        const String Candidate = Current.isEmpty() ? Word : Current + u' ' + Word;
        if (!Current.isEmpty() && Canvas->TextWidth(stripAccel(Candidate, true).Text) > Width) {
            Lines.push_back(Current);
            Current = Word;
        } else {
            Current = Candidate;
        }
    }
    Lines.push_back(Current);
    return Lines;
}

// The hot key of a caption: the character after a single "&", or a null char.
Char accelCharOf(const String& Caption) {
    for (int I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != u'&') continue;
        if (Caption[I + 1] != u'&') return Caption[I + 1];
        ++I;
    }
    return Char();
}

bool isAccel(Char Key, const String& Caption) {
    const Char A = accelCharOf(Caption);
    return !A.isNull() && A.toUpper() == Key.toUpper();
}

void paintDisabledAware(TCanvas* Canvas, const String& Text, const TRect& R, TAlignment Alignment, TTextLayout Layout,
                        bool WordWrap, bool ShowAccelChar, bool Enabled) {
    Canvas->Brush()->SetStyle(bsClear);
    if (Enabled) {
        DrawLabelText(Canvas, Text, R, Alignment, Layout, WordWrap, ShowAccelChar);
    } else {
        const TColor Saved = Canvas->Font()->Color();
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawLabelText(Canvas, Text, MovedRect(R, 1, 1), Alignment, Layout, WordWrap,
                      ShowAccelChar);
        Canvas->Font()->SetColor(clBtnShadow);
        DrawLabelText(Canvas, Text, R, Alignment, Layout, WordWrap, ShowAccelChar);
        Canvas->Font()->SetColor(Saved);
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

}  // namespace

TRect DrawLabelText(TCanvas* Canvas, const String& Text, const TRect& Rect, TAlignment Alignment, TTextLayout Layout,
                    bool WordWrap, bool ShowAccelChar, bool CalcOnly) {
    String Normal = Text;
    Normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::vector<LabelLine> Lines;
    for (const String& Paragraph : Normal.split(u'\n')) {
        if (WordWrap) {
            for (const String& L : wrapParagraph(Canvas, Paragraph, Rect.Width()))
                Lines.push_back(stripAccel(L, ShowAccelChar));
        } else {
            Lines.push_back(stripAccel(Paragraph, ShowAccelChar));
        }
    }
    const int LineHeight = Canvas->TextHeight(QStringLiteral("Wg"));
    int TextWidth = 0;
    for (const LabelLine& L : Lines) TextWidth = std::max(TextWidth, Canvas->TextWidth(L.Text));
    const int TextHeight = LineHeight * static_cast<int>(Lines.size());
    int Top = Rect.Top;
    if (Layout == tlCenter) Top = Rect.Top + (Rect.Height() - TextHeight) / 2;
    if (Layout == tlBottom) Top = Rect.Bottom - TextHeight;
    int BlockLeft = Rect.Left;
    if (Alignment == taRightJustify) BlockLeft = Rect.Right - TextWidth;
    if (Alignment == taCenter) BlockLeft = Rect.Left + (Rect.Width() - TextWidth) / 2;
    const TRect Used = Bounds(BlockLeft, Top, TextWidth, TextHeight);
    if (CalcOnly) return Used;
    int Y = Top;
    for (const LabelLine& L : Lines) {
        const int W = Canvas->TextWidth(L.Text);
        int X = Rect.Left;
        if (Alignment == taRightJustify) X = Rect.Right - W;
        if (Alignment == taCenter) X = Rect.Left + (Rect.Width() - W) / 2;
        Canvas->TextOut(X, Y, L.Text);
        if (L.Accel >= 0) {
            const int UX = X + Canvas->TextWidth(L.Text.left(L.Accel));
            const int UW = Canvas->TextWidth(L.Text.mid(L.Accel, 1));
            const TColor SavedPen = Canvas->Pen()->Color();
            Canvas->Pen()->SetColor(Canvas->Font()->Color());
            Canvas->MoveTo(UX, Y + LineHeight - 1);
            Canvas->LineTo(UX + UW, Y + LineHeight - 1);
            Canvas->Pen()->SetColor(SavedPen);
        }
        Y += LineHeight;
    }
    return Used;
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() { SetFocusControl(nullptr); }

void TCustomLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    TControlStyle S = ControlStyle();
    if (Value)
        S.Exclude(csOpaque);
    else
        S.Include(csOpaque);
    SetControlStyle(S);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    TCanvas* C = Canvas();
    C->SetFont(Font());
    const String Text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
    const TRect Bound = Rect(0, 0, FWordWrap ? Width() : 0x7FFF, 0x7FFF);
    const TRect R = DrawLabelText(C, Text, Bound, taLeftJustify, tlTop, FWordWrap, FShowAccelChar, true);
    const int NewWidth = FWordWrap ? Width() : R.Width();
    int NewLeft = Left();
    // The edge the alignment names stays where it was.
    if (FAlignment == taRightJustify) NewLeft = Left() + Width() - NewWidth;
    if (FAlignment == taCenter) NewLeft = Left() + (Width() - NewWidth) / 2;
    SetBounds(NewLeft, Top(), NewWidth, R.Height());
}

void TCustomLabel::Paint() {
    TCanvas* C = Canvas();
    if (!FTransparent) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(ClientRect());
    }
    C->SetFont(Font());
    paintDisabledAware(C, Caption(), ClientRect(), FAlignment, FLayout, FWordWrap, FShowAccelChar, Enabled());
}

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    if (!FFocusControl || !Enabled() || !FShowAccelChar) return;
    if (!isAccel(Char(static_cast<char16_t>(Message.WParam)), Caption())) return;
    if (FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

// ---------------------------------------------------------------------------------------------
// TStaticText

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TCustomStaticText::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomStaticText::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    SetParentBackground(Value);
    Invalidate();
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomStaticText::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    TCanvas* C = Canvas();
    C->SetFont(Font());
    const String Text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
    const TRect R =
        DrawLabelText(C, Text, Rect(0, 0, 0x7FFF, 0x7FFF), taLeftJustify, tlTop, false, FShowAccelChar, true);
    const int B = 2 * borderSize();
    SetBounds(Left(), Top(), R.Width() + B, R.Height() + B);
}

void TCustomStaticText::Paint() {
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    if (!FTransparent) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(Client);
    }
    if (FBorderStyle == sbsSingle) {
        C->Brush()->SetColor(clWindowFrame);
        C->FrameRect(Client);
    } else if (FBorderStyle == sbsSunken) {
        C->Pen()->SetColor(clBtnShadow);
        C->Polyline({{0, Client.Bottom - 1}, {0, 0}, {Client.Right, 0}});
        C->Pen()->SetColor(clBtnHighlight);
        C->Polyline({{1, Client.Bottom - 1}, {Client.Right - 1, Client.Bottom - 1}, {Client.Right - 1, 0}});
    }
    const int B = borderSize();
    C->SetFont(Font());
    paintDisabledAware(C, Caption(), Rect(B, B, Client.Right - B, Client.Bottom - B), FAlignment, tlTop, false,
                       FShowAccelChar, Enabled());
}

void TCustomStaticText::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TCustomStaticText::CMTextChanged(TMessage& Message) {
    Invalidate();
    AdjustBounds();
}

void TCustomStaticText::CMFontChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    AdjustBounds();
}

// ---------------------------------------------------------------------------------------------
// TCustomCheckBox

namespace {

constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;  // between the box and the caption

}  // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
    // The platform reports a state written from code as a click.
    if (!FClicksDisabled) TCustomControl::Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomCheckBox::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    Invalidate();
}

TRect TCustomCheckBox::BoxRect() const {
    const int Top = (Height() - kBoxSize) / 2;
    const int Left = FAlignment == taLeftJustify ? Width() - kBoxSize : 0;
    return Bounds(Left, Top, kBoxSize, kBoxSize);
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
        case cbUnchecked:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbUnchecked);
            break;
    }
}

// A click moves the state on; the state change fires OnClick.
void TCustomCheckBox::Click() { Toggle(); }

void TCustomCheckBox::KeyPress(Char& Key) {
    const TWeak<TCustomCheckBox> Self(this);
    TCustomControl::KeyPress(Key);
    if (Self && Key == u' ') {
        Key = Char();
        Toggle();
    }
}

void TCustomCheckBox::Paint() {
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    const TRect Box = BoxRect();
    C->Brush()->SetColor(FState == cbGrayed || !Enabled() ? clBtnFace : clWindow);
    C->FillRect(Box);
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(Box);
    if (FState != cbUnchecked) {
        // A check mark three pixels thick.
        C->Pen()->SetColor(FState == cbGrayed || !Enabled() ? clGrayText : clWindowText);
        for (int D = 0; D < 3; ++D) {
            C->MoveTo(Box.Left + 3, Box.Top + 5 + D);
            C->LineTo(Box.Left + 5, Box.Top + 7 + D);
            C->LineTo(Box.Left + 10, Box.Top + 2 + D);
        }
    }
    TRect TextRect = FAlignment == taLeftJustify ? Rect(0, 0, Box.Left - kBoxGap, Client.Bottom)
                                                 : Rect(Box.Right + kBoxGap, 0, Client.Right, Client.Bottom);
    C->SetFont(Font());
    paintDisabledAware(C, Caption(), TextRect, taLeftJustify, tlCenter, FWordWrap, true, Enabled());
    if (Focused()) {
        const TRect Used = DrawLabelText(C, Caption(), TextRect, taLeftJustify, tlCenter, FWordWrap, true, true);
        C->DrawFocusRect(Rect(Used.Left - 1, Used.Top, Used.Right + 1, Used.Bottom));
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(Message);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            WMFocusChanged(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

void TCustomCheckBox::WMFocusChanged(TMessage& Message) {
    const TWeak<TCustomCheckBox> Self(this);
    TCustomControl::Dispatch(Message);
    // The platform's box draws its focus rectangle as it gets the focus and takes it away as it
    // loses it, whatever else repaints.
    if (Self) Invalidate();
}

void TCustomCheckBox::CMTextChanged(TMessage& Message) { Invalidate(); }

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
    if (!Enabled() || !isAccel(Char(static_cast<char16_t>(Message.WParam)), Caption())) return;
    if (CanFocus()) SetFocus();
    Toggle();
    Message.Result = 1;
}

void TCustomCheckBox::WMLButtonUp(TMessage& Message) {
    // Focus follows a click, as with the platform's buttons.
    if (CanFocus() && !Focused()) {
        const TWeak<TCustomCheckBox> Self(this);
        try {
            SetFocus();
        } catch (const EInvalidOperation&) {
            // A box on a hidden form still toggles.
        }
        if (!Self) return;  // an OnExit/OnEnter on the way freed the box
    }
    TCustomControl::Dispatch(Message);
}
