// TAdvEdit's keyboard and clipboard input: the character filter of each edit type, the sign,
// separator and precision rules of float and money input, the keys around a prefix and suffix,
// Return and Escape, the length limit with automatic tabbing, and the clipboard events.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEdit_Internal.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Forms.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr Char kBack = u'\b';
constexpr Char kTab = u'\t';
constexpr Char kReturn = u'\r';
constexpr Char kEscape = Char(char16_t(27));

bool isDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool controlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool shiftDown() { return GetKeyState(VK_SHIFT) < 0; }
bool isControlKey(Char C) { return C == kBack || C == kTab || C == kReturn; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Positions

int TAdvEdit::IntegerPartEnd(const String& Value) const {
    const auto At = Value.indexOf(FormatSettings.DecimalSeparator);
    return static_cast<int>(At < 0 ? Value.size() : At) + 1;
}

// 1-based in the window text; a value without a separator has it just past its end, so the
// length limit also holds for a caret at the end of the value.
int TAdvEdit::DecimalSeparatorPos() const {
    const String V = Text();
    const auto At = V.indexOf(FormatSettings.DecimalSeparator);
    return static_cast<int>(FPrefix.size() + (At < 0 ? V.size() : At)) + 1;
}

bool TAdvEdit::IsSignedMinus(Char Key) const {
    return Key == u'-' && FSigned && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney);
}

bool TAdvEdit::DecimalsFull(const String& S, int Caret) const {
    if (FPrecision <= 0) return false;
    const int C = Caret - static_cast<int>(FPrefix.size());
    const int N = static_cast<int>(S.size());
    if (N - C > FPrecision) return false;
    const auto At = S.indexOf(FormatSettings.DecimalSeparator);
    if (At < 0) return false;
    return C >= At && N - static_cast<int>(At) - 1 >= FPrecision;
}

bool TAdvEdit::SeparatorMisplaced(const String& S, int Caret) const {
    const Char TS = FormatSettings.ThousandSeparator;
    if (!S.contains(TS)) return false;
    String Rest = S;
    int C = Caret - static_cast<int>(FPrefix.size());
    int Best = static_cast<int>(Rest.size());
    // A separator is only right exactly three places from the nearest thousand separator.
    for (auto At = Rest.indexOf(TS); At >= 0; At = Rest.indexOf(TS)) {
        const int P = static_cast<int>(At) + 1;
        const int D = std::abs(P - C);
        Best = std::min(Best, D);
        if (D < 3) return true;
        if (P < C) C -= P;
        Rest.remove(0, P);
    }
    return Best > 3;
}

// ---------------------------------------------------------------------------------------------
// Characters

void TAdvEdit::postKeyToParent(UINT Msg, Word Key) {
    if (Parent() && Parent()->HandleAllocated()) PostMessage(Parent()->Handle(), Msg, Key, 0);
}

void TAdvEdit::dropChar(TMessage& Message) {
    Message.WParam = 0;
    Message.Result = 0;
}

void TAdvEdit::WMChar(TMessage& Message) {
    if (!FEditorEnabled) {
        Message.Result = 0;
        Message.WParam = 0;
        return;
    }
    const String Before = WindowText();
    const TWeak<TAdvEdit> Self(this);
    handleChar(Message);
    // A refused key changed nothing: the swallow meant for its change must not hit a later one.
    if (Self && WindowText() == Before) FBlockChange = false;
}

void TAdvEdit::handleChar(TMessage& Message) {
    Char Key(static_cast<char16_t>(Message.WParam));
    const String Value = Text();
    const int Pre = static_cast<int>(FPrefix.size());
    const bool Ctrl = controlDown();
    const TWeak<TAdvEdit> Self(this);
    if (SelStart() == Pre && SelLength() == Value.size() && !Value.isEmpty() && FEditType != etPassword && Key != kBack)
        FBlockChange = true;
    if (Key == kReturn && Ctrl) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    if (Key == kReturn) {
        Char K = Key;
        KeyPress(K);
        if (!Self) return;
        dropChar(Message);
        if (!FDefaultHandling && !FReturnIsTab && Parent()) {
            postKeyToParent(WM_KEYDOWN, VK_RETURN);
            TCustomForm* Form = GetParentForm(this);
            if (Form && Form->KeyPreview())
                TCustomEdit::Dispatch(Message);
            else
                postKeyToParent(WM_KEYUP, VK_RETURN);
        }
        return;
    }
    if (Key == kEscape && !FDefaultHandling && Parent()) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form->KeyPreview()) {
            TCustomEdit::Dispatch(Message);
            return;
        }
        postKeyToParent(WM_KEYDOWN, VK_ESCAPE);
        postKeyToParent(WM_KEYUP, VK_ESCAPE);
    }
    if (Key == kEscape) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    if (Key.unicode() == 1) {
        SelectAll();
        dropChar(Message);
        return;
    }
    if (Key.unicode() == 3 || Key.unicode() == 22 || Key.unicode() == 24) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    const Char DS = FormatSettings.DecimalSeparator;
    if (FExcelStyleDecimalSeparator && (Key == u'.' || Key == u',') && (Message.LParam & (LPARAM(1) << 22))) {
        Key = DS;
        Message.WParam = DS.unicode();
    }
    if (Key == kBack && !FPrefix.isEmpty() && SelLength() == 0 && SelStart() <= Pre) return dropChar(Message);
    if (FLengthLimit > 0 && IntegerPartEnd(Value) > FLengthLimit && SelLength() == 0 &&
        SelStart() < DecimalSeparatorPos() && Key != kBack && Key != DS && !IsSignedMinus(Key))
        return dropChar(Message);
    if (Key == kBack) {
        if (SelLength() > 0 || SelStart() > 0) SetModified(true);
        TCustomEdit::Dispatch(Message);
        if (!Self) return;
        if (FEditType == etMoney) RegroupMoneyText();
        UpdateLookup();
        return;
    }
    if (Key.unicode() == 10 && Ctrl) return dropChar(Message);
    const bool Numeric = FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney;
    if (Key == u'-' && Numeric && !FSigned) return dropChar(Message);
    if (!typeRule(Key, Message) || !Self) return;
    charTail();
}

// The character filter and reshaping of the edit type; false when processing stops.
bool TAdvEdit::typeRule(Char Key, TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    const auto pass = [&](bool SetsModified) {
        if (SetsModified) SetModified(true);
        TCustomEdit::Dispatch(Message);
        return bool(Self);
    };
    const auto drop = [&] {
        dropChar(Message);
        return true;  // the tail still runs
    };
    switch (FEditType) {
        case etString:
        case etPassword:
            return pass(true);
        case etNumeric:
            if (Key == u'-') {
                signToggle(false);
                return false;
            }
            if (isControlKey(Key) || isDigit(Key) || controlDown()) return pass(false);
            return drop();
        case etFloat:
            return floatRules(Key, Message);
        case etMoney:
            return moneyRules(Key, Message);
        case etUppercase:
            Message.WParam = Key.toUpper().unicode();
            return pass(false);
        case etLowerCase:
            Message.WParam = Key.toLower().unicode();
            return pass(false);
        case etMixedCase: {
            const int Caret = SelStart();
            if (!pass(false)) return false;
            // The prefix and suffix stay where they are.
            SetWindowText(FPrefix + ToMixedCase(Text()) + FSuffix);
            setSelection(Caret + 1, Caret + 1);
            return true;
        }
        case etRange: {
            const bool Separator = Key == u',' || Key == u'-' || Key == u';';
            if (!isControlKey(Key) && !isDigit(Key) && !Separator) return drop();
            if (Separator) {
                const String W = WindowText() + u' ';
                const int C = SelStart();
                const auto isSep = [](Char Ch) { return Ch == u',' || Ch == u'-' || Ch == u';'; };
                if (C < FPrefix.size() || (C > 0 && isSep(W[C - 1])) || isSep(W[C])) return drop();
            }
            return pass(true);
        }
        case etHex: {
            const bool Ok = isControlKey(Key) || Key == u'-' || isDigit(Key) || (Key >= u'A' && Key <= u'F') ||
                            (Key >= u'a' && Key <= u'f');
            return Ok ? pass(true) : drop();
        }
        case etAlphaNumeric: {
            const bool Ok =
                isControlKey(Key) || isDigit(Key) || (Key >= u'A' && Key <= u'Z') || (Key >= u'a' && Key <= u'z');
            return Ok ? pass(true) : drop();
        }
        case etValidChars:
            return FValidChars.contains(Key) || Key == kBack ? pass(true) : drop();
        case etInvalidChars:
            return !FInvalidChars.contains(Key) || Key == kBack ? pass(true) : drop();
    }
    return pass(false);
}

void TAdvEdit::signToggle(bool HoldPrecision) {
    const String Value = Text();
    const int Pre = static_cast<int>(FPrefix.size());
    const int Caret = SelStart();
    const std::int16_t Saved = FPrecision;
    if (HoldPrecision) FPrecision = 0;
    if (!HoldPrecision && !Value.isEmpty() && SelStart() == Pre && SelLength() == Value.size()) {
        SetWindowText(FPrefix + u'-' + FSuffix);
        setSelection(Pre + 1, Pre + 1);
        FBlockChange = false;
    } else if (!Value.contains(u'-')) {
        SetWindowText(FPrefix + u'-' + Value + FSuffix);
        setSelection(Caret + 1, Caret + 1);
        SetModified(true);
    } else {
        SetWindowText(FPrefix + Value.mid(1) + FSuffix);
        const int To = Caret > Pre ? Caret - 1 : Pre;
        setSelection(To, To);
        if (HoldPrecision) SetModified(true);
    }
    FPrecision = Saved;
}

// Steps 5 to 8 of the float rules, shared with money input; true when the key was handled.
bool TAdvEdit::separatorAndSignRules(Char Key, TMessage& Message, bool& Stop) {
    const Char DS = FormatSettings.DecimalSeparator;
    const Char TS = FormatSettings.ThousandSeparator;
    const String Value = Text();
    const int Pre = static_cast<int>(FPrefix.size());
    Stop = true;
    if ((Key == TS || Key == DS) && SeparatorMisplaced(Value, SelStart())) {
        dropChar(Message);
        return true;
    }
    if (DecimalsFull(Value, SelStart()) && (isDigit(Key) || Key == DS) && SelLength() == 0) {
        const int C = SelStart() - Pre;
        const auto At = Value.indexOf(DS);
        if (FPrecision >= 1 && isDigit(Key) && C > At && C < Value.size()) {
            // The digit overwrites the next decimal.
            setSelection(SelStart(), SelStart() + 1);
            Stop = false;
            return false;
        }
        dropChar(Message);
        return true;
    }
    if (Key == DS && Value.isEmpty() && SelStart() <= Pre) {
        SetWindowText(FPrefix + u'0' + DS + FSuffix);
        setSelection(Pre + 2, Pre + 2);
        SetModified(true);
        dropChar(Message);
        return true;
    }
    if (Key == u'-' && SelLength() == 0) {
        signToggle(true);
        dropChar(Message);
        return true;
    }
    Stop = false;
    return false;
}

bool TAdvEdit::floatRules(Char Key, TMessage& Message) {
    const Char DS = FormatSettings.DecimalSeparator;
    const Char TS = FormatSettings.ThousandSeparator;
    if ((Key == u',' && DS != u',') || (Key == u'.' && DS != u'.')) {
        dropChar(Message);
        return false;
    }
    if (!isControlKey(Key) && !isDigit(Key) && Key != DS && Key != TS && Key != u'-') {
        dropChar(Message);
        return true;
    }
    const String Value = Text();
    const String Selected = SelText();
    if (Key == DS && !Selected.contains(DS) && (Value.contains(DS) || FPrecision == 0)) {
        dropChar(Message);
        if (FPrecision > 0) SelectAfterDecimal();
        return false;
    }
    if (Key == u',') {
        String Outside = WindowText();
        Outside.remove(SelStart(), SelLength());
        if (Outside.contains(u',') && TS != u',') {
            dropChar(Message);
            return false;
        }
    }
    bool Stop = false;
    if (separatorAndSignRules(Key, Message, Stop) || Stop) return false;
    TCustomEdit::Dispatch(Message);
    return true;
}

bool TAdvEdit::moneyRules(Char Key, TMessage& Message) {
    const Char DS = FormatSettings.DecimalSeparator;
    const String Value = Text();
    const TWeak<TAdvEdit> Self(this);
    if (Key == DS && (Value.contains(DS) || FPrecision == 0)) {
        dropChar(Message);
        if (FPrecision > 0) {
            if (!Value.isEmpty() && SelStart() == FPrefix.size() && SelLength() == Value.size())
                SetText(QStringLiteral("0,0"));
            SelectAfterDecimal();
        }
        FBlockChange = false;
        return false;
    }
    if (!isControlKey(Key) && !isDigit(Key) && Key != DS && Key != u'-') {
        dropChar(Message);
        return true;
    }
    bool Stop = false;
    if (separatorAndSignRules(Key, Message, Stop) || Stop) return false;
    TCustomEdit::Dispatch(Message);
    if (!Self) return false;
    const String Now = Text();
    if (!Now.isEmpty() && Now != QLatin1String("-") && Key != DS) {
        if (TCustomEdit::Modified()) SetModified(true);
        RegroupMoneyText();
    }
    return true;
}

void TAdvEdit::charTail() {
    const TWeak<TAdvEdit> Self(this);
    if (FTabOnFullLength && FLengthLimit > 0 && IntegerPartEnd(Text()) - 1 >= FLengthLimit && SelLength() == 0 &&
        SelStart() == FLengthLimit)
        moveToNextControl();
    if (!Self) return;
    if (TCustomEdit::Modified()) SetModified(true);
    UpdateLookup();
}

void TAdvEdit::moveToNextControl() {
    if (TCustomForm* Form = GetParentForm(this)) Form->Perform(WM_NEXTDLGCTL, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TAdvEdit::WMKeyDown(TMessage& Message) {
    Word Key = static_cast<Word>(Message.WParam);
    const TShiftState Shift = KeyDataToShiftState(Message.LParam);
    const bool Ctrl = controlDown();
    const int Pre = static_cast<int>(FPrefix.size());
    const TWeak<TAdvEdit> Self(this);
    const auto drop = [&](LRESULT Result) {
        Message.WParam = 0;
        Message.Result = Result;
    };
    const auto fireKeyDown = [&] {
        Word K = Key;
        KeyDown(K, Shift);
    };
    FGotReturn = false;
    if (!FEditorEnabled) return drop(1);
    if ((Key == VK_UP || Key == VK_DOWN) && FLookupList && !LookupVisible()) {
        fireKeyDown();
        Message.Result = 1;
        return;
    }
    if (Key == VK_RETURN) {
        FGotReturn = true;
        if (FReturnIsTab && !Ctrl) {
            Key = VK_TAB;
            Message.WParam = VK_TAB;
            // As the message loop would: the form moves the focus on a Tab.
            if (HandleAllocated()) PostMessage(Handle(), CN_KEYDOWN, FReturnAsTabKey, 0);
        }
    }
    if (Key == VK_RETURN && LookupVisible()) {
        AcceptLookup();
        return drop(1);
    }
    if ((Key == VK_TAB || Key == VK_RETURN) && Ctrl) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    if (LookupVisible() && (Key == VK_HOME || Key == VK_END || Key == VK_NEXT || Key == VK_PRIOR)) {
        moveLookupSelection(Key);
        Message.Result = 1;
        Message.WParam = 0;
        return;
    }
    const int SelEnd = SelStart() + SelLength();
    const int End = valueEnd();
    if (Key == VK_RIGHT && !FSuffix.isEmpty() && SelEnd >= End) return drop(0);
    if (Key == VK_DELETE && !FSuffix.isEmpty()) {
        if (SelEnd < End || SelLength() > 0) {
            SetModified(true);
        } else {
            fireKeyDown();
            return drop(0);
        }
    }
    if (Key == VK_LEFT && !FPrefix.isEmpty() && SelEnd <= Pre) return drop(0);
    if (Key == VK_END && !FSuffix.isEmpty()) {
        if (Shift.Contains(ssShift) || shiftDown())
            setSelection(SelStart(), End);
        else
            setSelection(End, End);
        return drop(0);
    }
    if (Key == VK_HOME && !FPrefix.isEmpty()) {
        if (Shift.Contains(ssShift) || shiftDown())
            setSelection(End, Pre);
        else
            setSelection(Pre, Pre);
        return drop(0);
    }
    if (Key == VK_BACK && !FPrefix.isEmpty()) {
        // Up to the end of the prefix: the first value character can still be deleted.
        if (SelStart() <= Pre && SelLength() == 0) {
            fireKeyDown();
            return drop(0);
        }
        SetModified(true);
    }
    if (Key == VK_DELETE && SelStart() >= Pre) {
        if (FLengthLimit > 0) {
            String After = WindowText();
            After.remove(SelStart(), std::max(1, SelLength()));
            const String AfterValue = After.mid(Pre, std::max<qsizetype>(0, After.size() - Pre - FSuffix.size()));
            if (IntegerPartEnd(AfterValue) - 1 > FLengthLimit) {
                fireKeyDown();
                return drop(0);
            }
        }
        SetModified(true);
    }
    if ((Key == VK_UP || Key == VK_DOWN) && LookupVisible()) {
        moveLookupSelection(Key);
        return drop(0);
    }
    TCustomEdit::Dispatch(Message);
    if (!Self) return;
    if (Key == VK_DELETE && FEditType == etMoney) RegroupMoneyText();
    if (SelStart() < Pre && SelLength() == 0) setSelection(Pre, Pre);
}

void TAdvEdit::WMKeyUp(TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    TCustomEdit::Dispatch(Message);
    if (Self) FGotReturn = false;
}

void TAdvEdit::WMSysKeyDown(TMessage& Message) {
    if (Message.WParam == VK_MENU) CloseLookup();
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::CMWantSpecialKey(TMessage& Message) {
    const auto Key = static_cast<Word>(Message.WParam);
    if (Key != VK_ESCAPE && Key != VK_RETURN) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return;
    if (FBlockDefaultHandling) {
        FBlockDefaultHandling = false;
        return;
    }
    if (Key == VK_ESCAPE && FCanUndo && !Form->KeyPreview() && FLookupList) {
        if (LookupVisible()) {
            CloseLookup();
            FBlockDefaultHandling = true;
        } else {
            SetText(FOldString);
            SelectAll();
        }
        Font()->SetColor(FFocusFontColor);
        SetModified(false);
        Message.WParam = 0;
        Message.Result = 0;
        if (FDefaultHandling && Parent()) {
            postKeyToParent(WM_KEYDOWN, VK_ESCAPE);
            postKeyToParent(WM_KEYUP, VK_ESCAPE);
        }
        return;
    }
    if (Key == VK_RETURN && FDefaultHandling && !Form->KeyPreview() && Parent() && Parent()->Focused()) {
        postKeyToParent(WM_KEYDOWN, VK_RETURN);
        postKeyToParent(WM_KEYUP, VK_RETURN);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::SetCanUndo(bool Value) {
    FCanUndo = Value && FEditType != etPassword;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TAdvEdit::WMCopy(TMessage& Message) {
    bool Allow = true;
    if (OnClipboardCopy && !FBlockCopy) {
        const TWeak<TAdvEdit> Self(this);
        FireEvent(OnClipboardCopy, this, selectedValue(), Allow);
        if (!Self) return;
    }
    FBlockCopy = false;
    if (Allow) TCustomEdit::Dispatch(Message);
}

void TAdvEdit::WMCut(TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    FBlockCopy = true;
    bool Allow = true;
    if (OnClipboardCut) {
        FireEvent(OnClipboardCut, this, selectedValue(), Allow);
        if (!Self) return;
    }
    if (Allow) TCustomEdit::Dispatch(Message);
    if (!Self) return;
    FBlockCopy = false;
    Change();
}

String TAdvEdit::selectedValue() const {
    return Text().mid(std::max(0, SelStart() - static_cast<int>(FPrefix.size())), SelLength());
}

void TAdvEdit::WMPaste(TMessage& Message) {
    if (ReadOnly()) return;
    const TWeak<TAdvEdit> Self(this);
    if (Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(CF_UNICODETEXT)) {
        if (insertText(Clipboard()->AsText(), true) == TInsertResult::Disallowed || !Self) return;
    }
    UpdateLookup();
    if (!Self) return;
    // A paste that fills the limit moves on, as typing does.
    if (FTabOnFullLength && FLengthLimit > 0 && Text().size() == FLengthLimit) moveToNextControl();
}

TAdvEdit::TInsertResult TAdvEdit::insertText(const String& Source, bool FirePasteEvents) {
    // One line: the text up to its first line break.
    String S = Source;
    if (const auto Break = S.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))); Break >= 0) S.truncate(Break);
    const String Value = Text();
    const int Pre = static_cast<int>(FPrefix.size());
    const int Start = std::clamp(SelStart() - Pre, 0, static_cast<int>(Value.size()));
    const int Length = std::min(SelLength(), static_cast<int>(Value.size()) - Start);
    String New = Value.left(Start) + S + Value.mid(Start + Length);
    const int CaretStart = Pre + Start;
    const bool Selected = Length > 0;
    bool Allow = true;
    const TWeak<TAdvEdit> Self(this);
    if (FirePasteEvents) {
        if (OnClipboardPaste) FireEvent(OnClipboardPaste, this, New, Allow);
        if (!Self) return TInsertResult::Disallowed;
        if (OnClipboardCanPaste) FireEvent(OnClipboardCanPaste, this, New, Allow);
        if (!Self || !Allow) return TInsertResult::Disallowed;
    }
    if (MaxLength() > 0) New.truncate(MaxLength());
    const Char DS = FormatSettings.DecimalSeparator;
    const auto every = [&](auto Pred) { return std::all_of(New.begin(), New.end(), Pred); };
    bool Accepted = true;
    switch (FEditType) {
        case etString:
        case etPassword:
            SetModified(true);
            SetText(New);
            break;
        case etNumeric:
            Accepted = ClassifyValueText(New) == 0 && (FSigned || !New.contains(u'-'));
            if (Accepted) {
                SetModified(true);
                SetText(New);
            }
            break;
        case etFloat:
        case etMoney:
            New = New.trimmed();
            Accepted =
                ClassifyValueText(New) <= 1 && !(FPrecision == 0 && S.contains(DS)) && (FSigned || !New.contains(u'-'));
            if (Accepted) {
                SetModified(true);
                SetText(New);
                SetFloatValue(FloatValue());
            }
            break;
        case etUppercase:
            SetModified(true);
            SetText(New.toUpper());
            break;
        case etMixedCase:
            SetModified(true);
            SetText(ToMixedCase(New));
            break;
        case etLowerCase:
            SetModified(true);
            SetText(New.toLower());
            break;
        case etHex:
            Accepted = ClassifyValueText(New) == 0 || ClassifyValueText(New) == 5;
            if (Accepted) SetText(New);
            break;
        case etAlphaNumeric:
            Accepted = every([](QChar C) { return C.unicode() < 128 && C.isLetterOrNumber(); });
            break;
        case etValidChars:
            Accepted = every([&](QChar C) { return FValidChars.contains(C); });
            break;
        case etInvalidChars:
            Accepted = every([&](QChar C) { return !FInvalidChars.contains(C); });
            break;
        case etRange:
            Accepted = false;
            break;
    }
    if (Accepted && (FEditType == etAlphaNumeric || FEditType == etValidChars || FEditType == etInvalidChars)) {
        SetModified(true);
        SetText(New);
    }
    if (!Accepted) return TInsertResult::Refused;
    if (FEditType == etMoney && Text().size() > 3) {
        SelectAll();
    } else if (Selected) {
        setSelection(CaretStart, CaretStart + static_cast<int>(S.size()));
    } else {
        const int Caret = CaretStart + static_cast<int>(S.size());
        setSelection(Caret, Caret);
    }
    return TInsertResult::Inserted;
}
