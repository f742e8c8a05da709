// TCustomEdit (on QLineEdit) and TCustomMemo (on QPlainTextEdit). While the control has no
// window its text, selection and modified flag live in TEditState, so the control works
// headless and keeps its state across a re-created window.
//
// The line editor is transparent and frameless: the control paints the background and its
// border underneath it, and a class that draws more (an underline, a grey hint) draws it there
// too. The formatting rectangle becomes the editor's text margins.
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/StdCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <optional>

struct TEditState {
    String Text;
    int Anchor = 0;
    int Caret = 0;
    bool Modified = false;
    std::optional<TRect> FormatRect;  // set by EM_SETRECT(NP) until the next resize
};

namespace {

// The line editor; its cursor rectangle is the only public trace of the scroll offset.
class TQtLineEdit : public QLineEdit {
public:
    using QLineEdit::cursorRect;
};

QLineEdit* lineEditOf(TControl* C) { return qobject_cast<QLineEdit*>(HostedWidget(C)); }

// The platform shows the edit's own password character; Qt asks the editor's style for one.
constexpr const char* kPasswordCharProperty = "qvdPasswordChar";

class TPasswordStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override {
        if (Hint == SH_LineEdit_PasswordCharacter && Widget) {
            const QVariant C = Widget->property(kPasswordCharProperty);
            if (C.isValid()) return C.toInt();
        }
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
};

QStyle* passwordStyle() {
    static QPointer<TPasswordStyle> Style;
    if (!Style) {
        Style = new TPasswordStyle(QApplication::style()->name());
        Style->setParent(qApp);
    }
    return Style;
}

void showPasswordCharacter(QLineEdit* L, Char C) {
    const QVariant Value(static_cast<int>(C.unicode()));
    if (L->style() == passwordStyle() && L->property(kPasswordCharProperty) == Value) return;
    L->setProperty(kPasswordCharProperty, Value);
    // The editor reads the character again when its style changes.
    if (L->style() != passwordStyle()) {
        L->setStyle(passwordStyle());
    } else {
        QEvent Changed(QEvent::StyleChange);
        QCoreApplication::sendEvent(L, &Changed);
    }
}
QPlainTextEdit* plainEditOf(TControl* C) { return qobject_cast<QPlainTextEdit*>(HostedWidget(C)); }

constexpr Char kBackspace = u'\b';
// Qt lays text out 2 pixels inside the text margins and 1 below the top one.
constexpr int kEditorLeadX = 2;
constexpr int kEditorLeadY = 1;
// The cursor rectangle starts this far left of the caret's position.
constexpr int kCursorRectLead = 5;

// The editor settles its scroll offset when it paints: a one-pixel paint brings it up to date
// before positions are asked.
void settleScrollOffset(QLineEdit* L) {
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    L->render(&Scratch, QPoint(), QRegion(0, 0, 1, 1), QWidget::RenderFlags());
}

// The x of each caret position of the shown text, from its left end.
class TEditorLine {
public:
    explicit TEditorLine(const QLineEdit* L) : FLayout(L->displayText(), L->font()) {
        FLayout.beginLayout();
        FLine = FLayout.createLine();
        FLayout.endLayout();
    }
    int X(int Position) const { return qRound(FLine.cursorToX(Position)); }

private:
    QTextLayout FLayout;
    QTextLine FLine;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomEdit: properties

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner), FState(std::make_unique<TEditState>()) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    updateHeight();
}

TCustomEdit::~TCustomEdit() {
    // The window outlives this part of the object; its signals must not reach it.
    if (QWidget* W = HostedWidget(this)) W->disconnect();
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    QWidget* Editor = multiLine() ? static_cast<QWidget*>(new QPlainTextEdit) : new TQtLineEdit;
    SetHostedWidget(this, Editor);
    // Properties first: Qt re-sets the text (and drops the selection) when some of them change.
    applyEditorProperties();
    if (auto* L = qobject_cast<QLineEdit*>(Editor)) {
        L->setText(FState->Text);
        L->setSelection(FState->Anchor, FState->Caret - FState->Anchor);
        L->setModified(FState->Modified);
    } else if (auto* P = qobject_cast<QPlainTextEdit*>(Editor)) {
        P->setPlainText(FState->Text);
        QTextCursor C = P->textCursor();
        C.setPosition(FState->Anchor);
        C.setPosition(FState->Caret, QTextCursor::KeepAnchor);
        P->setTextCursor(C);
        P->document()->setModified(FState->Modified);
    }
    connectEditor();
}

void TCustomEdit::connectEditor() {
    // Qt reports typing and text set from code alike, as the platform's change notification does.
    if (QLineEdit* L = lineEditOf(this)) QObject::connect(L, &QLineEdit::textChanged, [this] { notifyChange(); });
    if (QPlainTextEdit* P = plainEditOf(this))
        QObject::connect(P, &QPlainTextEdit::textChanged, [this] { notifyChange(); });
}

void TCustomEdit::notifyChange() {
    Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE),
            reinterpret_cast<LPARAM>(HandleAllocated() ? Data()->Handle : nullptr));
}

void TCustomEdit::saveEditorState() {
    if (!HostedWidget(this)) return;
    FState->Text = RealGetText();
    int A = 0;
    int C = 0;
    if (QLineEdit* L = lineEditOf(this)) {
        C = L->cursorPosition();
        A = L->hasSelectedText() ? (L->selectionStart() == C ? C + L->selectedText().size() : L->selectionStart()) : C;
        FState->Modified = L->isModified();
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        A = P->textCursor().anchor();
        C = P->textCursor().position();
        FState->Modified = P->document()->isModified();
    }
    FState->Anchor = A;
    FState->Caret = C;
}

void TCustomEdit::DestroyWnd() {
    saveEditorState();
    if (QWidget* W = HostedWidget(this)) W->disconnect();
    TWinControl::DestroyWnd();
}

void TCustomEdit::applyEditorProperties() {
    QWidget* W = HostedWidget(this);
    if (!W) return;
    W->setFont(QFontOf(*Font()));
    QPalette Pal = W->palette();
    const QColor Text = FEditorTextVisible ? QColorOf(Font()->Color()) : QColor(Qt::transparent);
    Pal.setColor(QPalette::Text, Text);
    Pal.setColor(QPalette::Disabled, QPalette::Text,
                 FEditorTextVisible ? QColorOf(clGrayText) : QColor(Qt::transparent));
    W->setPalette(Pal);
    W->setEnabled(Enabled());
    if (QLineEdit* L = lineEditOf(this)) {
        // The control paints the background (and whatever it draws under the text).
        Pal.setColor(QPalette::Base, Qt::transparent);
        L->setPalette(Pal);
        L->setReadOnly(FReadOnly);
        // Text from code may be longer than the limit, which only holds for typing.
        const int Limit =
            std::max<int>(FMaxLength > 0 ? FMaxLength : 32767, std::max(L->text().size(), FState->Text.size()));
        if (L->maxLength() != Limit) L->setMaxLength(Limit);
        L->setFrame(false);
        if (!FPasswordChar.isNull()) showPasswordCharacter(L, FPasswordChar);
        L->setEchoMode(FPasswordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
        const Qt::Alignment H = FAlignment == taCenter         ? Qt::AlignHCenter
                                : FAlignment == taRightJustify ? Qt::AlignRight
                                                               : Qt::AlignLeft;
        L->setAlignment(H | Qt::AlignTop);
        const TRect R = formatRect();
        L->setTextMargins(R.Left - kEditorLeadX, R.Top - kEditorLeadY, Width() - R.Right - kEditorLeadX,
                          std::max(0, Height() - R.Bottom));
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        Pal.setColor(QPalette::Base, QColorOf(Color()));
        P->setPalette(Pal);
        P->setReadOnly(FReadOnly);
        P->setFrameShape(FBorderStyle != bsNone ? QFrame::StyledPanel : QFrame::NoFrame);
    }
}

String TCustomEdit::applyCharCase(const String& Value) const {
    // One character for one, so positions stay valid ("ß" stays "ß").
    if (FCharCase == ecNormal) return Value;
    String Result = Value;
    for (QChar& C : Result) C = FCharCase == ecUpperCase ? C.toUpper() : C.toLower();
    return Result;
}

void TCustomEdit::updateHeight() {
    // As on the platform, only a bordered edit takes its height from the font; one without a
    // border keeps the height it was given.
    if (!FAutoSize || multiLine() || FBorderStyle != bsSingle) return;
    const int TextHeight = FontTextExtent(QFontOf(*Font()), QStringLiteral("Wg")).cy;
    SetHeight(TextHeight + 8);
}

void TCustomEdit::SetMaxLength(int Value) {
    Value = std::max(0, Value);
    if (FMaxLength == Value) return;
    FMaxLength = Value;
    applyEditorProperties();
}

void TCustomEdit::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    applyEditorProperties();
}

void TCustomEdit::SetPasswordChar(Char Value) {
    if (FPasswordChar == Value) return;
    // Switched in place: the platform needs no new window for it.
    FPasswordChar = Value;
    applyEditorProperties();
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    const String Converted = applyCharCase(Text());
    if (Converted != Text()) SetText(Converted);
}

void TCustomEdit::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    updateHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    FState->FormatRect.reset();
    applyEditorProperties();
    updateHeight();
    Invalidate();
}

void TCustomEdit::SetCtl3D(bool Value) {
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    FState->FormatRect.reset();
    applyEditorProperties();
    Invalidate();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    applyEditorProperties();
}

void TCustomEdit::SetEditorTextVisible(bool Value) {
    if (FEditorTextVisible == Value) return;
    FEditorTextVisible = Value;
    applyEditorProperties();
}

int TCustomEdit::BorderSize() const {
    if (FBorderStyle == bsNone) return 0;
    return FCtl3D ? 2 : 1;
}

TRect TCustomEdit::defaultFormatRect() const {
    const int B = BorderSize();
    return Rect(B + 1, B + 1, std::max(B + 1, Width() - B - 1), std::max(B + 1, Height() - B));
}

TRect TCustomEdit::formatRect() const { return FState->FormatRect.value_or(defaultFormatRect()); }

bool TCustomEdit::Modified() const {
    auto* Self = const_cast<TCustomEdit*>(this);
    if (QLineEdit* L = lineEditOf(Self)) return L->isModified();
    if (QPlainTextEdit* P = plainEditOf(Self)) return P->document()->isModified();
    return FState->Modified;
}

void TCustomEdit::SetModified(bool Value) {
    if (QLineEdit* L = lineEditOf(this)) L->setModified(Value);
    if (QPlainTextEdit* P = plainEditOf(this)) P->document()->setModified(Value);
    FState->Modified = Value;
}

// ---------------------------------------------------------------------------------------------
// Text and selection

String TCustomEdit::RealGetText() const {
    auto* Self = const_cast<TCustomEdit*>(this);
    if (QLineEdit* L = lineEditOf(Self)) return L->text();
    if (QPlainTextEdit* P = plainEditOf(Self)) return P->toPlainText();
    return FState->Text;
}

void TCustomEdit::RealSetText(const String& Value) {
    String V = applyCharCase(Value);
    if (!multiLine()) V.replace(u'\n', u' ').remove(u'\r');
    if (QLineEdit* L = lineEditOf(this)) {
        // The Qt editor cuts text at its limit; text from code is kept whole, as on the platform.
        L->setMaxLength(std::max<int>(L->maxLength(), V.size()));
        L->setText(V);  // Change() comes through the editor's signal
        return;
    }
    if (QPlainTextEdit* P = plainEditOf(this)) {
        P->setPlainText(V);
        P->document()->setModified(false);
        return;
    }
    FState->Text = V;
    FState->Anchor = FState->Caret = 0;
    FState->Modified = false;
    notifyChange();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

int TCustomEdit::SelStart() const {
    const LRESULT R = const_cast<TCustomEdit*>(this)->Perform(EM_GETSEL, 0, 0);
    return LOWORD(static_cast<std::uintptr_t>(R));
}

void TCustomEdit::SetSelStart(int Value) { Perform(EM_SETSEL, static_cast<WPARAM>(Value), Value); }

int TCustomEdit::SelLength() const {
    const LRESULT R = const_cast<TCustomEdit*>(this)->Perform(EM_GETSEL, 0, 0);
    return HIWORD(static_cast<std::uintptr_t>(R)) - LOWORD(static_cast<std::uintptr_t>(R));
}

void TCustomEdit::SetSelLength(int Value) {
    const int Start = SelStart();
    Perform(EM_SETSEL, static_cast<WPARAM>(Start), Start + Value);
}

String TCustomEdit::SelText() const { return Text().mid(SelStart(), SelLength()); }

void TCustomEdit::SetSelText(const String& Value) {
    const String V = Value;
    Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&V));
}

void TCustomEdit::SelectAll() { Perform(EM_SETSEL, 0, -1); }

void TCustomEdit::ClearSelection() { SetSelText(String()); }

void TCustomEdit::Clear() { SetText(String()); }

void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }

void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }

void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

void TCustomEdit::Undo() { Perform(WM_UNDO, 0, 0); }

bool TCustomEdit::CanUndo() const { return const_cast<TCustomEdit*>(this)->Perform(EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }

void TCustomEdit::DoEnter() {
    if (FAutoSelect && !multiLine()) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::typeText(const String& Value) {
    if (FReadOnly) return;
    String V = applyCharCase(Value);
    const int Len = static_cast<int>(Text().size());
    if (FMaxLength > 0) V = V.left(std::max(0, FMaxLength - (Len - SelLength())));
    if (V.isEmpty()) return;
    if (QLineEdit* L = lineEditOf(this)) {
        L->insert(V);
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        P->insertPlainText(V);
    } else {
        const int Start = SelStart();
        FState->Text = FState->Text.left(Start) + V + FState->Text.mid(Start + SelLength());
        FState->Anchor = FState->Caret = Start + static_cast<int>(V.size());
        FState->Modified = true;
        notifyChange();
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETTEXT:
            WMSetText(Message);
            break;
        case WM_GETTEXT:
            WMGetText(Message);
            break;
        case EM_GETSEL:
            EMGetSel(Message);
            break;
        case EM_SETSEL:
            EMSetSel(Message);
            break;
        case EM_REPLACESEL:
            EMReplaceSel(Message);
            break;
        case EM_GETMODIFY:
            Message.Result = Modified() ? 1 : 0;
            break;
        case EM_SETMODIFY:
            SetModified(Message.WParam != 0);
            break;
        case EM_SETREADONLY:
            SetReadOnly(Message.WParam != 0);
            Message.Result = 1;
            break;
        case EM_LIMITTEXT:
            SetMaxLength(static_cast<int>(Message.WParam));
            break;
        case EM_SETPASSWORDCHAR:
            SetPasswordChar(Char(static_cast<char16_t>(Message.WParam)));
            break;
        case EM_GETLINECOUNT:
            Message.Result = static_cast<LRESULT>(Text().count(u'\n') + 1);
            break;
        case EM_LINEFROMCHAR: {
            const int Index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
            const String Before = Text().left(Index < 0 ? SelStart() : Index);
            Message.Result = static_cast<LRESULT>(Before.count(u'\n'));
            break;
        }
        case EM_GETRECT:
            EMGetRect(Message);
            break;
        case EM_SETRECT:
        case EM_SETRECTNP:
            EMSetRect(Message);
            break;
        case EM_POSFROMCHAR:
            EMPosFromChar(Message);
            break;
        case EM_CHARFROMPOS:
            EMCharFromPos(Message);
            break;
        case CN_COMMAND:
            CNCommand(Message);
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

void TCustomEdit::WMSetText(TMessage& Message) {
    const auto* Value = reinterpret_cast<const String*>(Message.LParam);
    SetText(Value ? *Value : String());
    Message.Result = 1;
}

void TCustomEdit::WMGetText(TMessage& Message) {
    auto* Out = reinterpret_cast<String*>(Message.LParam);
    if (!Out || Message.WParam == 0) return;
    *Out = Text().left(static_cast<int>(Message.WParam) - 1);
    Message.Result = static_cast<LRESULT>(Out->size());
}

void TCustomEdit::WMSize(TMessage& Message) {
    // A new size lays the text out in the default rectangle again, as the platform does.
    FState->FormatRect.reset();
    applyEditorProperties();
    TWinControl::Dispatch(Message);
}

void TCustomEdit::PaintWindow(HDC DC) { Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(DC), 0); }

void TCustomEdit::WMNCPaint(TMessage& Message) {
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC) {
        Invalidate();
        return;
    }
    // The memo's Qt editor keeps its own frame.
    if (FBorderStyle == bsNone || multiLine()) return;
    DrawControlBorder(DC, Rect(0, 0, Width(), Height()), FCtl3D);
}

void TCustomEdit::EMGetRect(TMessage& Message) {
    if (auto* R = reinterpret_cast<TRect*>(Message.LParam)) *R = formatRect();
}

void TCustomEdit::EMSetRect(TMessage& Message) {
    if (const auto* R = reinterpret_cast<const TRect*>(Message.LParam))
        FState->FormatRect = *R;
    else
        FState->FormatRect.reset();
    applyEditorProperties();
    if (Message.Msg == EM_SETRECT) Invalidate();
}

void TCustomEdit::EMPosFromChar(TMessage& Message) {
    Message.Result = -1;
    const int Index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    HandleNeeded();
    auto* L = static_cast<TQtLineEdit*>(lineEditOf(this));
    if (!L || Index < 0 || Index >= L->text().size()) return;
    settleScrollOffset(L);
    // The caret's rectangle places the line; the layout gives every other position on it.
    const TEditorLine Line(L);
    const QRect Caret = L->cursorRect();
    const int Origin = Caret.x() + kCursorRectLead - Line.X(L->cursorPosition());
    const int X = Origin + Line.X(Index);
    Message.Result = static_cast<LRESULT>(MAKELONG(static_cast<Word>(static_cast<std::int16_t>(X)),
                                                   static_cast<Word>(static_cast<std::int16_t>(Caret.y()))));
}

void TCustomEdit::EMCharFromPos(TMessage& Message) {
    HandleNeeded();
    QLineEdit* L = lineEditOf(this);
    if (!L) {
        Message.Result = 0;
        return;
    }
    settleScrollOffset(L);
    const TPoint P = LParamToPoint(Message.LParam);
    const int Index = L->cursorPositionAt(QPoint(P.X, P.Y));
    Message.Result = static_cast<LRESULT>(MAKELONG(static_cast<Word>(Index), 0));
}

void TCustomEdit::CNCommand(TMessage& Message) {
    if (HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE) Change();
}

void TCustomEdit::EMGetSel(TMessage& Message) {
    int A = FState->Anchor;
    int C = FState->Caret;
    if (QLineEdit* L = lineEditOf(this)) {
        A = L->hasSelectedText() ? L->selectionStart() : L->cursorPosition();
        C = L->hasSelectedText() ? L->selectionEnd() : A;
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        A = P->textCursor().selectionStart();
        C = P->textCursor().selectionEnd();
    }
    const int Start = std::min(A, C);
    const int End = std::max(A, C);
    if (auto* S = reinterpret_cast<DWORD*>(Message.WParam)) *S = static_cast<DWORD>(Start);
    if (auto* E = reinterpret_cast<DWORD*>(Message.LParam)) *E = static_cast<DWORD>(End);
    Message.Result = MAKELRESULT(static_cast<Word>(Start), static_cast<Word>(End));
}

void TCustomEdit::EMSetSel(TMessage& Message) {
    const int Len = static_cast<int>(Text().size());
    int Anchor = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    int Caret = static_cast<int>(Message.LParam);
    if (Caret < 0 || Caret > Len) Caret = Len;
    if (Anchor < 0) Anchor = Caret;  // -1: no selection, the caret stays at the end given
    Anchor = std::min(Anchor, Len);
    // The anchor stays where WParam puts it, so a reversed pair selects backwards.
    if (QLineEdit* L = lineEditOf(this)) {
        L->setSelection(Anchor, Caret - Anchor);
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        QTextCursor C = P->textCursor();
        C.setPosition(Anchor);
        C.setPosition(Caret, QTextCursor::KeepAnchor);
        P->setTextCursor(C);
    } else {
        FState->Anchor = Anchor;
        FState->Caret = Caret;
    }
}

void TCustomEdit::EMReplaceSel(TMessage& Message) {
    const auto* Value = reinterpret_cast<const String*>(Message.LParam);
    const String V = Value ? *Value : String();
    if (QLineEdit* L = lineEditOf(this)) {
        const bool WasReadOnly = L->isReadOnly();
        L->setReadOnly(false);
        L->insert(V);
        L->setReadOnly(WasReadOnly);
    } else if (QPlainTextEdit* P = plainEditOf(this)) {
        P->textCursor().insertText(V);
    } else {
        const int Start = SelStart();
        FState->Text = FState->Text.left(Start) + V + FState->Text.mid(Start + SelLength());
        FState->Anchor = FState->Caret = Start + static_cast<int>(V.size());
        notifyChange();
    }
}

namespace {

// Keys the line editor moves or deletes with, as Qt names them.
struct TEditingKey {
    Word VirtualKey;
    Qt::Key QtKey;
};
constexpr TEditingKey kEditingKeys[] = {
    {VK_LEFT, Qt::Key_Left}, {VK_RIGHT, Qt::Key_Right}, {VK_UP, Qt::Key_Up},        {VK_DOWN, Qt::Key_Down},
    {VK_HOME, Qt::Key_Home}, {VK_END, Qt::Key_End},     {VK_PRIOR, Qt::Key_PageUp}, {VK_NEXT, Qt::Key_PageDown},
};

Qt::KeyboardModifiers heldModifiers() {
    Qt::KeyboardModifiers M;
    if (GetKeyState(VK_SHIFT) < 0) M |= Qt::ShiftModifier;
    if (GetKeyState(VK_CONTROL) < 0) M |= Qt::ControlModifier;
    return M;
}

}  // namespace

void TCustomEdit::typeChar(Char Key) {
    switch (Key.unicode()) {
        case 1:
            if (!multiLine()) SelectAll();
            return;
        case 3:
            Perform(WM_COPY, 0, 0);
            return;
        case 22:
            Perform(WM_PASTE, 0, 0);
            return;
        case 24:
            Perform(WM_CUT, 0, 0);
            return;
        case 26:
            Perform(WM_UNDO, 0, 0);
            return;
        default:
            break;
    }
    if (Key == kBackspace && !FReadOnly) {
        if (SelLength() == 0 && SelStart() > 0) {
            const int Caret = SelStart();
            Perform(EM_SETSEL, static_cast<WPARAM>(Caret - 1), Caret);
        }
        ClearSelection();
    } else if (Key == u'\r' && multiLine()) {
        typeText(QStringLiteral("\n"));
    } else if (Key == u'\t' && multiLine()) {
        typeText(QStringLiteral("\t"));
    } else if (Key.unicode() >= 0x20) {
        typeText(String(Key));
    }
}

void TCustomEdit::pressEditingKey(Word Key) {
    const bool Shift = GetKeyState(VK_SHIFT) < 0, Ctrl = GetKeyState(VK_CONTROL) < 0;
    // The clipboard keys of the platform go through the clipboard messages.
    if (Key == VK_INSERT && Ctrl) return void(Perform(WM_COPY, 0, 0));
    if (Key == VK_INSERT && Shift) return void(Perform(WM_PASTE, 0, 0));
    if (Key == VK_DELETE && Shift) return void(Perform(WM_CUT, 0, 0));
    if (Key == VK_DELETE) {
        if (FReadOnly) return;
        if (SelLength() == 0) SetSelLength(1);
        ClearSelection();
        return;
    }
    for (const TEditingKey& K : kEditingKeys) {
        if (K.VirtualKey != Key) continue;
        if (lineEditOf(this)) {
            QKeyEvent Press(QEvent::KeyPress, K.QtKey, heldModifiers());
            SendToHosted(this, &Press);
        } else {
            // Without a window only the caret moves.
            const int Len = static_cast<int>(Text().size());
            const int Caret = SelStart() + SelLength();
            int To = Caret;
            if (Key == VK_LEFT) To = std::max(0, SelLength() ? SelStart() : Caret - 1);
            if (Key == VK_RIGHT) To = std::min(Len, SelLength() ? Caret : Caret + 1);
            if (Key == VK_HOME) To = 0;
            if (Key == VK_END) To = Len;
            Perform(EM_SETSEL, static_cast<WPARAM>(To), To);
        }
        return;
    }
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    TQtEventContext* Ctx = Data()->PendingQtEvent;
    const bool FromQt = Ctx && Ctx->Message == &Message;
    // A line edit types and moves by the messages themselves, from code and from Qt alike, so
    // a class that looks at the text after the inherited handling sees the key done. A memo
    // leaves Qt's own input to its editor.
    const bool OwnKeys = !multiLine() || !FromQt;
    if (OwnKeys) {
        switch (Message.Msg) {
            case WM_CHAR:
                typeChar(Char(static_cast<char16_t>(Message.WParam)));
                break;
            case WM_KEYDOWN:
                pressEditingKey(static_cast<Word>(Message.WParam));
                break;
            case WM_COPY:
            case WM_CUT:
            case WM_PASTE:
            case WM_UNDO:
            case EM_UNDO:
            case EM_CANUNDO:
            case EM_EMPTYUNDOBUFFER:
                clipboardMessage(Message);
                break;
            default:
                break;
        }
    }
    TWinControl::DefaultHandler(Message);
    // Done here: the Qt editor must not see the key again.
    if (FromQt && !multiLine() && (Message.Msg == WM_CHAR || Message.Msg == WM_KEYDOWN)) Ctx->ReachedDefault = false;
}

void TCustomEdit::clipboardMessage(TMessage& Message) {
    HandleNeeded();
    QLineEdit* L = lineEditOf(this);
    QPlainTextEdit* P = plainEditOf(this);
    const UINT M = Message.Msg;
    if (M == WM_COPY) L ? L->copy() : P->copy();
    if (M == WM_CUT && !FReadOnly) L ? L->cut() : P->cut();
    if (M == WM_PASTE && !FReadOnly) L ? L->paste() : P->paste();
    if ((M == WM_UNDO || M == EM_UNDO) && !FReadOnly) L ? L->undo() : P->undo();
    if (M == EM_CANUNDO) Message.Result = (L ? L->isUndoAvailable() : P->document()->isUndoAvailable()) ? 1 : 0;
    if (M == EM_EMPTYUNDOBUFFER) {
        if (L) {
            const String T = L->text();
            const bool Mod = L->isModified();
            const QSignalBlocker Block(L);
            L->setText(T);  // Qt forgets its undo steps when the text is set
            L->setModified(Mod);
        } else {
            P->document()->clearUndoRedoStacks();
        }
    }
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    applyEditorProperties();
    updateHeight();
}

void TCustomEdit::CMColorChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    applyEditorProperties();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    applyEditorProperties();
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

namespace {

// The memo's lines: a view of its text, without the empty line after a final line break.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    void Put(int Index, const String& S) override {
        auto L = lines();
        check(Index, static_cast<int>(L.size()) - 1);
        L[size_t(Index)] = S;
        store(L);
    }
    void Clear() override { FMemo->SetText(String()); }
    void Delete(int Index) override {
        auto L = lines();
        check(Index, static_cast<int>(L.size()) - 1);
        L.erase(L.begin() + Index);
        store(L);
    }
    void Insert(int Index, const String& S) override {
        auto L = lines();
        check(Index, static_cast<int>(L.size()));
        L.insert(L.begin() + Index, S);
        store(L);
    }
    void SetText(const String& Value) override {
        String V = Value;
        V.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        if (V.endsWith(u'\n')) V.chop(1);
        FMemo->SetText(V);
    }

protected:
    String Get(int Index) const override {
        const auto L = lines();
        check(Index, static_cast<int>(L.size()) - 1);
        return L[size_t(Index)];
    }
    int GetCount() const override { return static_cast<int>(lines().size()); }

private:
    TCustomMemo* FMemo;

    std::vector<String> lines() const {
        const String T = FMemo->Text();
        if (T.isEmpty()) return {};
        std::vector<String> L;
        for (const String& S : T.split(u'\n')) L.push_back(S);
        if (L.back().isEmpty()) L.pop_back();
        return L;
    }
    void store(const std::vector<String>& L) {
        String T;
        for (size_t I = 0; I < L.size(); ++I) {
            if (I) T += u'\n';
            T += L[I];
        }
        FMemo->SetText(T);
    }
    void check(int Index, int Max) const {
        if (Index < 0 || Index > Max) Error("List index out of bounds (%1)", Index);
    }
};

}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomMemo::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    applyEditorProperties();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    applyEditorProperties();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    applyEditorProperties();
}

TPoint TCustomMemo::CaretPos() const {
    auto* Self = const_cast<TCustomMemo*>(this);
    if (QPlainTextEdit* P = plainEditOf(Self)) {
        const QTextCursor C = P->textCursor();
        return {C.positionInBlock(), C.blockNumber()};
    }
    const String Before = FState->Text.left(FState->Caret);
    const int Line = static_cast<int>(Before.count(u'\n'));
    const int LineStart = static_cast<int>(Before.lastIndexOf(u'\n')) + 1;
    return {FState->Caret - LineStart, Line};
}

void TCustomMemo::applyEditorProperties() {
    TCustomEdit::applyEditorProperties();
    QPlainTextEdit* P = plainEditOf(this);
    if (!P) return;
    P->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const bool H = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap;
    const bool V = FScrollBars == ssVertical || FScrollBars == ssBoth;
    P->setHorizontalScrollBarPolicy(H ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    P->setVerticalScrollBarPolicy(V ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QTextOption Option = P->document()->defaultTextOption();
    Option.setAlignment(FAlignment == taCenter         ? Qt::AlignHCenter
                        : FAlignment == taRightJustify ? Qt::AlignRight
                                                       : Qt::AlignLeft);
    P->document()->setDefaultTextOption(Option);
}

void TCustomMemo::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        default:
            TCustomEdit::Dispatch(Message);
            break;
    }
}

void TCustomMemo::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
    if (FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
    // Without WantReturns/WantTabs the keys belong to the form, not to the editor.
    const bool IsKey = Message.Msg == WM_KEYDOWN || Message.Msg == WM_CHAR;
    if (IsKey && ((Message.WParam == VK_RETURN && !FWantReturns) || (Message.WParam == VK_TAB && !FWantTabs))) return;
    TCustomEdit::DefaultHandler(Message);
}
