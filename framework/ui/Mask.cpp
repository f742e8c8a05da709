// TCustomMaskEdit: the edit mask applied to typing, deleting, cutting and pasting.
#include "framework/ui/Mask.h"

#include "framework/rtl/Threads.h"
#include "framework/ui/Clipbrd.h"

namespace {

constexpr Char kBackspace = u'\b';
constexpr Char kEscape = u'\x1b';
constexpr Char kCtrlA = u'\x01';
constexpr Char kCtrlC = u'\x03';
constexpr Char kCtrlV = u'\x16';
constexpr Char kCtrlX = u'\x18';

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (FEditMask == Value) return;
    const String Current = Text();
    FEditMask = Value;
    FMask = ParseEditMask(Value);
    SetText(Current);
}

void TCustomMaskEdit::SetEditText(const String& Value) {
    // The fitting takes literals in place, so an edit text fits as it is.
    SetText(Value);
}

String TCustomMaskEdit::Text() const { return IsMasked() ? MaskedTextOf(FMask, EditText()) : EditText(); }

void TCustomMaskEdit::SetText(const String& Value) {
    FMaskEdited = false;
    FSavedEditText = IsMasked() ? FormatMaskText(FMask, Value) : Value;
    TControl::SetText(FSavedEditText);
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !FMaskEdited) return;
    int ErrorPos = -1;
    if (ValidateMaskText(FMask, EditText(), ErrorPos)) return;
    SetSelStart(ErrorPos);
    SetSelLength(0);
    throw EDBEditError(QStringLiteral("Invalid input value. Use the Esc key to abandon changes"));
}

void TCustomMaskEdit::Reset() {
    if (!IsMasked() || !FMaskEdited) return;
    TControl::SetText(FSavedEditText);
    FMaskEdited = false;
    TCustomEdit::SetModified(false);
}

void TCustomMaskEdit::putEditText(const String& Value, int Caret) {
    const TWeak<TCustomMaskEdit> Alive(this);
    TControl::SetText(Value);
    if (!Alive) return;
    SetSelStart(Caret);
    SetSelLength(0);
    FMaskEdited = true;
    TCustomEdit::SetModified(true);
}

void TCustomMaskEdit::clearMaskedSelection() {
    const int Start = SelStart();
    const int End = Start + SelLength();
    String T = EditText();
    for (int I = Start; I < End && I < T.size(); ++I)
        if (FMask.IsInput(I)) T[I] = FMask.Blank;
    putEditText(T, Start);
}

void TCustomMaskEdit::typeMasked(const String& Chars) {
    if (ReadOnly()) return;
    if (SelLength() > 0) clearMaskedSelection();
    String T = EditText();
    int Caret = SelStart();
    bool Changed = false;
    for (const Char C : Chars) {
        const int P = NextInputPosition(FMask, Caret);
        Char Stored;
        if (P < 0 || !MaskAcceptsChar(FMask.Slots[size_t(P)], C, Stored)) break;
        T[P] = Stored;
        Changed = true;
        const int Next = NextInputPosition(FMask, P + 1);
        Caret = Next < 0 ? P + 1 : Next;
    }
    if (Changed) putEditText(T, Caret);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key != VK_DELETE || Shift.Contains(ssAlt) || ReadOnly()) return;
    if (SelLength() == 0) SetSelLength(1);
    clearMaskedSelection();
    Key = 0;
}

void TCustomMaskEdit::KeyPress(Char& Key) {
    const TWeak<TCustomMaskEdit> Alive(this);
    TCustomEdit::KeyPress(Key);
    if (!Alive || !IsMasked() || Key.isNull()) return;
    const Char Typed = Key;
    Key = QChar();
    if (Typed == kCtrlC || Typed == kCtrlA) {
        Key = Typed;  // copying and selecting keep their usual handling
    } else if (Typed == kCtrlV) {
        Perform(WM_PASTE, 0, 0);
    } else if (Typed == kCtrlX) {
        Perform(WM_CUT, 0, 0);
    } else if (Typed == kEscape) {
        Reset();
    } else if (Typed == kBackspace) {
        backspaceMasked();
    } else if (Typed.unicode() >= 0x20) {
        typeMasked(String(Typed));
    }
}

void TCustomMaskEdit::backspaceMasked() {
    if (ReadOnly()) return;
    if (SelLength() > 0) {
        clearMaskedSelection();
        return;
    }
    const int P = PreviousInputPosition(FMask, SelStart());
    if (P < 0) return;
    String T = EditText();
    T[P] = FMask.Blank;
    putEditText(T, P);
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    if (!IsMasked()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_CUT:
            WMCut(Message);
            break;
        case WM_PASTE:
            WMPaste(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        default:
            TCustomEdit::Dispatch(Message);
            break;
    }
}

void TCustomMaskEdit::WMCut(TMessage& Message) {
    if (ReadOnly() || SelLength() == 0) return;
    Perform(WM_COPY, 0, 0);
    clearMaskedSelection();
}

void TCustomMaskEdit::WMPaste(TMessage& Message) {
    if (ReadOnly()) return;
    typeMasked(Clipboard()->AsText());
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
    try {
        ValidateEdit();
    } catch (...) {
        // The edit keeps the focus until its text fits, as the message says.
        const TWeak<TCustomMaskEdit> Alive(this);
        TThread::Queue(nullptr, [Alive] {
            if (Alive && Alive->CanFocus()) Alive->SetFocus();
        });
        throw;
    }
    TCustomEdit::Dispatch(Message);
}
