// TCustomRichEdit on a QTextDocument the control owns: the lines, the selection and its
// attributes work without a window; a window shows the document in a QTextEdit.
#include "framework/ui/RichEdit.h"

#include "framework/rtl/Streams.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/RichEdit_Rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

struct TRichEditState {
    QTextDocument Doc;
    int SelStart = 0;
    int SelLength = 0;
    bool Syncing = false;

    QTextEdit* editor(TCustomRichEdit* E) const { return qobject_cast<QTextEdit*>(HostedWidget(E)); }
    // The selection as a cursor on the document.
    QTextCursor selection() const {
        QTextCursor C(const_cast<QTextDocument*>(&Doc));
        const int Last = std::max(0, Doc.characterCount() - 1);
        C.setPosition(std::clamp(SelStart, 0, Last));
        C.setPosition(std::clamp(SelStart + SelLength, 0, Last), QTextCursor::KeepAnchor);
        return C;
    }
};

namespace {

bool isEmptyDocument(const QTextDocument& D) { return D.characterCount() <= 1; }

// The document's paragraphs as lines.
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit* Owner) : FOwner(Owner) {}

    void Clear() override { FOwner->Clear(); }
    void Delete(int Index) override {
        QTextDocument& D = FOwner->State()->Doc;
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
        const QTextBlock B = D.findBlockByNumber(Index);
        QTextCursor C(B);
        C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        // The paragraph break goes with the line: the one after it, or for the last line the one before.
        if (B.next().isValid())
            C.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        else if (B.previous().isValid()) {
            C.setPosition(B.previous().position() + B.previous().length() - 1);
            C.setPosition(B.position() + B.length() - 1, QTextCursor::KeepAnchor);
        }
        C.removeSelectedText();
    }
    void Insert(int Index, const String& S) override {
        QTextDocument& D = FOwner->State()->Doc;
        const int Count = GetCount();
        if (Index < 0 || Index > Count) Error("List index out of bounds (%d)", Index);
        if (Count == 0) {
            QTextCursor(&D).insertText(S);
            return;
        }
        if (Index == Count) {
            QTextCursor C(&D);
            C.movePosition(QTextCursor::End);
            C.insertBlock();
            C.insertText(S);
            return;
        }
        QTextCursor C(D.findBlockByNumber(Index));
        C.insertText(S);
        C.insertBlock();
    }
    void Put(int Index, const String& S) override {
        QTextDocument& D = FOwner->State()->Doc;
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
        QTextCursor C(D.findBlockByNumber(Index));
        C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        C.insertText(S);
    }
    void SetText(const String& Value) override {
        FOwner->Clear();
        TStrings::SetText(Value);
    }
    // Rich text when the data says so, else plain text.
    void LoadFromStream(TStream* Stream) override {
        const Int64 Start = Stream->Position();
        TBytes Head(5);
        const Int64 Got = Stream->Read(Head.data(), 5);
        Stream->SetPosition(Start);
        if (Got == 5 && std::equal(Head.begin(), Head.end(), "{\\rtf")) {
            TBytes Data(static_cast<size_t>(Stream->Size() - Start));
            if (!Data.empty()) Stream->ReadBuffer(Data.data(), static_cast<Int64>(Data.size()));
            FOwner->SetRichText(
                String::fromLatin1(reinterpret_cast<const char*>(Data.data()), static_cast<int>(Data.size())));
            return;
        }
        TStrings::LoadFromStream(Stream);
    }
    void SaveToStream(TStream* Stream) const override {
        if (FOwner->PlainText()) {
            TStrings::SaveToStream(Stream);
            return;
        }
        const QByteArray Rtf = FOwner->RichText().toLatin1();
        Stream->WriteBuffer(Rtf.constData(), Rtf.size());
    }

protected:
    String Get(int Index) const override {
        const QTextDocument& D = FOwner->State()->Doc;
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
        return D.findBlockByNumber(Index).text();
    }
    int GetCount() const override {
        const QTextDocument& D = FOwner->State()->Doc;
        return isEmptyDocument(D) ? 0 : D.blockCount();
    }

private:
    TCustomRichEdit* FOwner;
};

QColor qColor(TColor C) {
    const TColor RGB = ColorToRGB(C);
    return QColor(GetRValue(RGB), GetGValue(RGB), GetBValue(RGB));
}

TColor tColor(const QColor& C) { return RGB(C.red(), C.green(), C.blue()); }

}  // namespace

// ---------------------------------------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TWinControl(AOwner),
      FState(std::make_unique<TRichEditState>()),
      FSelAttributes(std::make_unique<TTextAttributes>(this, TTextAttributes::atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(this, TTextAttributes::atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(this)) {
    FLines = std::make_unique<TRichEditStrings>(this);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    FState->Doc.setDefaultFont(QFontOf(*Font()));
    QObject::connect(&FState->Doc, &QTextDocument::contentsChanged, [this] {
        if (!FState->Syncing) Change();
    });
}

TCustomRichEdit::~TCustomRichEdit() {
    FState->Doc.disconnect();
    if (QTextEdit* E = FState->editor(this)) {
        E->disconnect();
        E->setDocument(nullptr);
    }
}

TStrings* TCustomRichEdit::Lines() const { return FLines.get(); }
void TCustomRichEdit::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomRichEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (QTextEdit* E = FState->editor(this)) E->setReadOnly(Value);
}

int TCustomRichEdit::SelStart() const { return FState->SelStart; }
int TCustomRichEdit::SelLength() const { return FState->SelLength; }

void TCustomRichEdit::SetSelStart(int Value) {
    FState->SelStart = std::clamp(Value, 0, std::max(0, FState->Doc.characterCount() - 1));
    FState->SelLength = 0;
    SelectionChange();
}

void TCustomRichEdit::SetSelLength(int Value) {
    FState->SelLength = std::clamp(Value, 0, std::max(0, FState->Doc.characterCount() - 1 - FState->SelStart));
    SelectionChange();
}

String TCustomRichEdit::SelText() const {
    return FState->selection().selectedText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

void TCustomRichEdit::SelectAll() {
    FState->SelStart = 0;
    FState->SelLength = std::max(0, FState->Doc.characterCount() - 1);
    SelectionChange();
}

void TCustomRichEdit::Clear() {
    FState->Doc.clear();
    FState->Doc.setDefaultFont(QFontOf(*Font()));
    FState->SelStart = FState->SelLength = 0;
}

String TCustomRichEdit::RealGetText() const { return FState->Doc.toPlainText().replace(u'\n', QStringLiteral("\r\n")); }

void TCustomRichEdit::RealSetText(const String& Value) {
    Clear();
    String Text = Value;
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    FState->Doc.setPlainText(Text);
}

String TCustomRichEdit::RichText() const { return WriteRichText(FState->Doc, *Font()); }

void TCustomRichEdit::SetRichText(const String& Value) {
    Clear();
    if (!ReadRichText(Value, FState->Doc, *Font())) FState->Doc.setPlainText(Value);
}

void TCustomRichEdit::Change() {
    if (OnChange) {
        const TNotifyEvent Handler = OnChange;
        Handler(this);
    }
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange) {
        const TNotifyEvent Handler = OnSelectionChange;
        Handler(this);
    }
}

void TCustomRichEdit::CreateWnd() {
    TWinControl::CreateWnd();
    auto* E = new QTextEdit;
    E->setDocument(&FState->Doc);
    E->setReadOnly(FReadOnly);
    SetHostedWidget(this, E);
    QObject::connect(E, &QTextEdit::cursorPositionChanged, [this, E] {
        const QTextCursor C = E->textCursor();
        FState->SelStart = C.selectionStart();
        FState->SelLength = C.selectionEnd() - C.selectionStart();
        SelectionChange();
    });
}

void TCustomRichEdit::DestroyWnd() {
    if (QTextEdit* E = FState->editor(this)) {
        E->disconnect();
        E->setDocument(nullptr);
    }
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------------------------
// Attributes

namespace {

QTextCharFormat formatAt(const TRichEditState& S, TTextAttributes::TKind Kind) {
    if (Kind == TTextAttributes::atDefaultText) {
        QTextCharFormat F;
        F.setFont(S.Doc.defaultFont());
        return F;
    }
    QTextCursor C = S.selection();
    // The format of the selection's first character.
    C.setPosition(C.selectionStart());
    if (!C.atBlockEnd() || C.atBlockStart()) C.movePosition(QTextCursor::NextCharacter);
    return C.charFormat();
}

void mergeFormat(TRichEditState& S, TTextAttributes::TKind Kind, const QTextCharFormat& F) {
    if (Kind == TTextAttributes::atDefaultText) {
        QFont Font = S.Doc.defaultFont();
        Font = F.font().resolve(Font);
        S.Doc.setDefaultFont(Font);
        return;
    }
    QTextCursor C = S.selection();
    C.mergeCharFormat(F);
}

}  // namespace

TColor TTextAttributes::Color() const {
    const QTextCharFormat F = formatAt(*FOwner->State(), FKind);
    return F.hasProperty(QTextFormat::ForegroundBrush) ? tColor(F.foreground().color()) : FOwner->Font()->Color();
}

void TTextAttributes::SetColor(TColor Value) {
    QTextCharFormat F;
    F.setForeground(qColor(Value));
    mergeFormat(*FOwner->State(), FKind, F);
}

String TTextAttributes::Name() const {
    const QTextCharFormat F = formatAt(*FOwner->State(), FKind);
    const QStringList Families = F.fontFamilies().toStringList();
    return Families.isEmpty() ? FOwner->Font()->Name() : Families.first();
}

void TTextAttributes::SetName(const String& Value) {
    QTextCharFormat F;
    F.setFontFamilies({Value});
    mergeFormat(*FOwner->State(), FKind, F);
}

int TTextAttributes::Size() const {
    const QTextCharFormat F = formatAt(*FOwner->State(), FKind);
    return F.fontPointSize() > 0 ? qRound(F.fontPointSize()) : FOwner->Font()->Size();
}

void TTextAttributes::SetSize(int Value) {
    QTextCharFormat F;
    F.setFontPointSize(Value);
    mergeFormat(*FOwner->State(), FKind, F);
}

TFontStyles TTextAttributes::Style() const {
    const QTextCharFormat F = formatAt(*FOwner->State(), FKind);
    TFontStyles S;
    if (F.fontWeight() >= QFont::Bold) S.Include(fsBold);
    if (F.fontItalic()) S.Include(fsItalic);
    if (F.fontUnderline()) S.Include(fsUnderline);
    if (F.fontStrikeOut()) S.Include(fsStrikeOut);
    return S;
}

void TTextAttributes::SetStyle(TFontStyles Value) {
    QTextCharFormat F;
    F.setFontWeight(Value.Contains(fsBold) ? QFont::Bold : QFont::Normal);
    F.setFontItalic(Value.Contains(fsItalic));
    F.setFontUnderline(Value.Contains(fsUnderline));
    F.setFontStrikeOut(Value.Contains(fsStrikeOut));
    mergeFormat(*FOwner->State(), FKind, F);
}

void TTextAttributes::Assign(TPersistent* Source) {
    if (auto* A = dynamic_cast<TTextAttributes*>(Source)) {
        SetName(A->Name());
        SetSize(A->Size());
        SetStyle(A->Style());
        SetColor(A->Color());
        return;
    }
    if (auto* F = dynamic_cast<TFont*>(Source)) {
        SetName(F->Name());
        SetSize(F->Size());
        SetStyle(F->Style());
        SetColor(F->Color());
        return;
    }
    TPersistent::Assign(Source);
}

TAlignment TParaAttributes::Alignment() const {
    const QTextCursor C = FOwner->State()->selection();
    const Qt::Alignment A = C.blockFormat().alignment();
    if (A & Qt::AlignHCenter) return taCenter;
    if (A & Qt::AlignRight) return taRightJustify;
    return taLeftJustify;
}

void TParaAttributes::SetAlignment(TAlignment Value) {
    QTextCursor C = FOwner->State()->selection();
    QTextBlockFormat F;
    F.setAlignment(Value == taCenter ? Qt::AlignHCenter : Value == taRightJustify ? Qt::AlignRight : Qt::AlignLeft);
    C.mergeBlockFormat(F);
}
