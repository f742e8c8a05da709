// TAdvCustomDropDown: typed entry. The window holds Prefix + value + Suffix; Text is the value.
// The character filter, the key-down protections, number formats, the reformatting on focus
// loss, the clipboard and the modified and change bookkeeping.
//
// Typing is done here, at once, rather than left to the editor after the handlers return: the
// steps after a typed character (regrouping, re-capitalising, the modified state) see its result.
#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvDropDownText.h"
#include "components/graphics/AdvUtilText.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Clipbrd.h"

#include <cmath>

using namespace advdropdown;

namespace {

constexpr Char kBackspace = u'\b';
constexpr Char kTab = u'\t';
constexpr Char kLineFeed = u'\n';
constexpr Char kEnter = u'\r';
constexpr Char kEscape = u'\x1b';
constexpr Char kCtrlC = u'\x03';
constexpr Char kCtrlV = u'\x16';
constexpr Char kCtrlX = u'\x18';

Char DS() { return FormatSettings.DecimalSeparator; }
Char TS() { return FormatSettings.ThousandSeparator; }
bool isDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool isAsciiLetter(Char C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }
bool isNumericType(TDropDownEditType T) { return T == etNumeric || T == etFloat || T == etMoney; }
// "%.Nf" / "%.Nn" with N decimals.
String fixed(Extended Value, int Decimals, bool Thousands) {
    return Format(QStringLiteral("%.*") + (Thousands ? u'n' : u'f'), {Decimals, Value});
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The value model

String TAdvCustomDropDown::valueOf(const String& Raw) const {
    String V = Raw;
    if (!FPrefix.isEmpty() && V.startsWith(FPrefix)) V = V.mid(FPrefix.size());
    // Only a suffix that is there is taken off.
    if (!FSuffix.isEmpty() && V.endsWith(FSuffix)) V.chop(FSuffix.size());
    return V;
}

String TAdvCustomDropDown::GetText() const { return valueOf(TCustomMaskEdit::Text()); }

int TAdvCustomDropDown::valueCaret() const { return SelStart() - static_cast<int>(FPrefix.size()); }

String TAdvCustomDropDown::selectedValue() const { return GetText().mid(std::max(0, valueCaret()), SelLength()); }

bool TAdvCustomDropDown::wholeValueSelected() const {
    const String V = GetText();
    return !V.isEmpty() && SelLength() == V.size();
}

void TAdvCustomDropDown::SetRawText(const String& Value) { TCustomMaskEdit::SetText(Value); }

void TAdvCustomDropDown::SetText(const String& Value) {
    String V = Value;
    if (V.isEmpty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
        V = QStringLiteral("0");
    if (FPrecision > 0 && !V.isEmpty() && V != QStringLiteral("Error")) {
        if (FEditType == etMoney) V = fixed(valueToFloat(V), FPrecision, true);
        if (FEditType == etFloat) V = fixed(valueToFloat(V), FPrecision, false);
    }
    if (FEditType == etHex) V = AnsiUpperCase(V);
    SetRawText(FPrefix + V + FSuffix);
    FOldText = V;
    SetModified(false);
}

double TAdvCustomDropDown::valueToFloat(const String& S) const {
    double Result = 0;
    const String Plain = S.contains(TS()) ? RemoveThousandSeparators(S) : S;
    return TryStrToFloat(Plain, Result) ? Result : 0;
}

double TAdvCustomDropDown::GetFloatValue() const {
    const String V = GetText();
    switch (FEditType) {
        case etString: {
            TFormatSettings Point = FormatSettings;
            Point.DecimalSeparator = u'.';
            double Result = 0;
            return TryStrToFloat(V, Result, Point) ? Result : 0;
        }
        case etNumeric:
        case etFloat:
            if (V.isEmpty() || V == QStringLiteral("Error") || V == QStringLiteral("-")) return 0;
            return valueToFloat(V);
        case etMoney: {
            String M = RemoveThousandSeparators(V);
            if (M.endsWith(DS())) M.chop(1);
            if (M.isEmpty() || M == QStringLiteral("-")) return 0;
            return valueToFloat(M);
        }
        case etHex:
            return V.isEmpty() ? 0 : HexToInt(V);
        default:
            return 0;
    }
}

void TAdvCustomDropDown::SetFloatValue(double Value) {
    const TWeak<TAdvCustomDropDown> Self(this);
    const String General = Format(QStringLiteral("%g"), {Value});
    switch (FEditType) {
        case etString:
        case etFloat:
            SetText(FPrecision < 0 ? General : fixed(Value, FPrecision, false));
            break;
        case etNumeric:
            SetText(FPrecision < 0 ? General : fixed(Value, FPrecision, true));
            break;
        case etMoney:
            SetText(FPrecision < 0 ? General : fixed(Value, FPrecision, false));
            if (Self) applyThousandSeparators();
            break;
        case etHex:
            SetText(IntToHex(static_cast<Int64>(std::trunc(Value)), 1));
            break;
        default:
            break;
    }
    if (Self) SetModified(true);
}

void TAdvCustomDropDown::SetIntValue(int Value) {
    const TWeak<TAdvCustomDropDown> Self(this);
    switch (FEditType) {
        case etNumeric:
        case etFloat:
            SetText(IntToStr(Value));
            break;
        case etMoney:
            SetText(IntToStr(Value));
            if (Self) applyThousandSeparators();
            break;
        case etHex:
            SetText(IntToHex(Value, 1));
            break;
        default:
            break;
    }
    if (Self) SetModified(true);
}

void TAdvCustomDropDown::applyThousandSeparators() {
    const String V = GetText();
    if (V.isEmpty()) return;
    const int Caret = SelStart();
    const int OldLength = static_cast<int>(V.size());
    const String Sign = V.startsWith(u'-') ? QStringLiteral("-") : String();
    const int DSAt = static_cast<int>(V.indexOf(DS()));
    const String Fraction = DSAt >= 0 ? V.mid(DSAt, 256) : String();
    const Extended Whole = std::trunc(std::fabs(GetFloatValue()));
    String Integer = Format(FAutoThousandSeparator ? QStringLiteral("%n") : QStringLiteral("%f"), {Whole});
    if (const auto Cut = Integer.indexOf(DS()); Cut >= 0) Integer = Integer.left(Cut);
    const String NewValue = Sign + Integer + Fraction;
    const String NewRaw = FPrefix + NewValue + FSuffix;
    // The regrouping's own change is not a change of its own: the typed key's was told.
    FBlockChange = NewRaw != TCustomMaskEdit::Text();
    // Regrouping what was typed leaves the edit as modified as it was.
    const bool Was = Modified();
    SetRawText(NewRaw);
    TCustomMaskEdit::SetModified(Was);
    TCustomEdit::SetSelStart(std::max(0, Caret + static_cast<int>(NewValue.size()) - OldLength));
    TCustomEdit::SetSelLength(0);
}

void TAdvCustomDropDown::SetEditType(TDropDownEditType Value) {
    if (FEditType == Value) return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar(u'*');
        FCanUndo = false;
        RecreateWnd();
    } else {
        SetPasswordChar(QChar());
    }
    const int Kind = ClassifyNumber(GetText());
    if (Value == etNumeric && Kind != 0) SetIntValue(0);
    if ((Value == etFloat || Value == etMoney) && Kind > 1) SetFloatValue(0);
    if (Value == etHex && Kind != 0 && Kind != 5) SetIntValue(0);
    if (designing() && Value == etFloat && FPrecision == 0) SetPrecision(2);
}

void TAdvCustomDropDown::SetPrecision(short Value) {
    if (FPrecision == Value || (FEditType != etString && FEditType != etFloat && FEditType != etMoney)) return;
    FPrecision = Value;
    if (ClassifyNumber(GetText()) > 1)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

void TAdvCustomDropDown::SetModified(bool Value) {
    if (loading() || !FEditorEnabled || ReadOnly()) return;
    TCustomMaskEdit::SetModified(Value);
    FIsModified = Value;
}

void TAdvCustomDropDown::CNCommand(TMessage& Message) {
    // The regrouping's change notification is swallowed: the typed key's was told.
    if (HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE && FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Selections

void TAdvCustomDropDown::SelectAll() {
    if (FPrefix.isEmpty() && FSuffix.isEmpty()) {
        TCustomEdit::SelectAll();
        return;
    }
    TCustomEdit::SetSelStart(static_cast<int>(FPrefix.size()));
    TCustomEdit::SetSelLength(static_cast<int>(GetText().size()));
}

void TAdvCustomDropDown::SelectAfterDecimal() {
    const int At = static_cast<int>(GetText().indexOf(DS()));
    TCustomEdit::SetSelStart(static_cast<int>(FPrefix.size()) + (At >= 0 ? At + 1 : 0));
    TCustomEdit::SetSelLength(0);
}

void TAdvCustomDropDown::SelectBeforeDecimal() {
    const int At = static_cast<int>(GetText().indexOf(DS()));
    TCustomEdit::SetSelStart(static_cast<int>(FPrefix.size()) + std::max(At, 0));
    TCustomEdit::SetSelLength(0);
}

// ---------------------------------------------------------------------------------------------
// Rules of the filter

int TAdvCustomDropDown::digitsBeforeDecimal(const String& S) const {
    const String Plain = RemoveThousandSeparators(S);
    const int At = static_cast<int>(Plain.indexOf(DS()));
    int Result = At >= 0 ? At + 1 : static_cast<int>(Plain.size()) + 1;
    if (FSigned && isNumericType(FEditType) && S.contains(u'-')) --Result;
    return Result;
}

int TAdvCustomDropDown::decimalPos() const {
    const String V = GetText();
    const int At = static_cast<int>(V.indexOf(DS()));
    if (At >= 0) return static_cast<int>(FPrefix.size()) + At + 1;
    return static_cast<int>(FPrefix.size() + V.size() + FSuffix.size()) + 1;
}

bool TAdvCustomDropDown::isSignKey(Char C) const { return FSigned && isNumericType(FEditType) && C == u'-'; }

bool TAdvCustomDropDown::isSeparatorMisplaced(const String& Value, int Caret) const {
    String S = Value;
    int B = Caret;
    int Best = static_cast<int>(S.size());
    if (!S.contains(TS())) return false;
    while (S.contains(TS())) {
        const int C = static_cast<int>(S.indexOf(TS())) + 1;
        Best = std::min(Best, std::abs(C - B));
        if (std::abs(C - B) < 3) return true;
        if (B > C) B -= C;
        S = S.mid(C);
    }
    return Best > 3;
}

bool TAdvCustomDropDown::areDecimalsFull(const String& S, int Caret) const {
    const int At = static_cast<int>(S.indexOf(DS()));
    if (FPrecision <= 0 || S.size() - Caret > FPrecision || At < 0) return false;
    return Caret >= At + 1 && S.size() - (At + 1) >= FPrecision;
}

// The sign of a number: "-" taken off the value or put before it.
void TAdvCustomDropDown::toggleSign(bool WholeSelectedCase) {
    const int PrefixLength = static_cast<int>(FPrefix.size());
    if (WholeSelectedCase && wholeValueSelected()) {
        SetRawText(FPrefix + QStringLiteral("-") + FSuffix);
        TCustomEdit::SetSelStart(PrefixLength + 1);
        TCustomEdit::SetSelLength(0);
        return;
    }
    const String V = GetText();
    const int Caret = SelStart();
    if (V.contains(u'-')) {
        SetRawText(FPrefix + V.mid(1) + FSuffix);
        SetModified(true);
        TCustomEdit::SetSelStart(std::max(PrefixLength, Caret - 1));
    } else {
        SetRawText(FPrefix + QStringLiteral("-") + V + FSuffix);
        TCustomEdit::SetSelStart(Caret + 1);
        SetModified(true);
    }
    TCustomEdit::SetSelLength(0);
}

// ---------------------------------------------------------------------------------------------
// The character filter (WM_CHAR)

void TAdvCustomDropDown::WMChar(TMessage& Message) {
    if (!FEditorEnabled) {
        Message.WParam = 0;
        return;
    }
    TWMKey M(Message);
    const TWeak<TAdvCustomDropDown> Self(this);
    Char Key(static_cast<char16_t>(M.CharCode));
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool Pass = filterChar(Key, M.KeyData, Ctrl);
    if (!Self) return;
    M.CharCode = 0;
    if (Pass && !Key.isNull()) {
        // The inherited handling, done now: the key phases, then the typing.
        TMessage Typed{WM_CHAR, Key.unicode(), Message.LParam, 0};
        const bool Swallowed = DoKeyPress(Typed);
        if (!Self) return;
        const Char Final(static_cast<char16_t>(Typed.WParam));
        if (!Swallowed && !ReadOnly()) {
            if (Final == kBackspace) {
                if (SelLength() == 0 && SelStart() > 0) {
                    const int Caret = SelStart();
                    TCustomEdit::SetSelStart(Caret - 1);
                    TCustomEdit::SetSelLength(1);
                }
                SetSelText(String());
                TCustomMaskEdit::SetModified(true);
            } else if (Final.unicode() >= 0x20) {
                typeText(String(Final));
            }
        }
        if (!Self) return;
        if (Final.unicode() >= 0x20) afterTyped(Final);
    }
    if (!Self) return;
    if (Modified()) SetModified(true);
}

// Steps 1-11 of the filter up to the typing. Returns whether the (possibly changed) key is
// typed; Key may be set to null when a step consumed it.
bool TAdvCustomDropDown::filterChar(Char& Key, LPARAM KeyData, bool Ctrl) {
    const TWeak<TAdvCustomDropDown> Self(this);
    if (Ctrl && Key == kEnter) return false;
    if (Key == kEnter) {
        if (OnKeyPress) {
            Char K = kEnter;
            FireEvent(OnKeyPress, this, K);
            if (!Self) return false;
        }
        if (!FDefaultHandling && Parent()) {
            const HWND P = Parent()->Handle();
            PostMessage(P, WM_KEYDOWN, VK_RETURN, 0);
            TCustomForm* Form = containingForm();
            if (!(Form && Form->KeyPreview())) PostMessage(P, WM_KEYUP, VK_RETURN, 0);
        }
        return false;
    }
    if (Key == kEscape) {
        if (!FDefaultHandling && Parent()) {
            TCustomForm* Form = containingForm();
            if (Form && Form->KeyPreview()) return true;
            const HWND P = Parent()->Handle();
            PostMessage(P, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(P, WM_KEYUP, VK_ESCAPE, 0);
        }
        if (!FCanUndo) return true;
    }
    if (Ctrl && (Key == kCtrlC || Key == kCtrlV || Key == kCtrlX)) {
        Perform(Key == kCtrlC ? WM_COPY : Key == kCtrlV ? WM_PASTE : WM_CUT, 0, 0);
        return false;
    }
    // The keypad's decimal key (its scan code has bit 6 set) types the locale's separator.
    if (FExcelStyleDecimalSeparator && (Key == u'.' || Key == u',') && (KeyData & (LPARAM(1) << 22))) Key = DS();
    const int PrefixLength = static_cast<int>(FPrefix.size());
    if (Key == kBackspace && PrefixLength > 0 && SelStart() <= PrefixLength && SelLength() == 0) return false;
    if (FLengthLimit > 0 && digitsBeforeDecimal(GetText()) > FLengthLimit && SelLength() == 0 &&
        SelStart() < decimalPos() && Key != kBackspace && Key != DS() && !isSignKey(Key))
        return false;
    // Backspace deletes whatever the type; its change is told once, by the edit.
    if (Key == kBackspace) return true;
    if (Ctrl && Key == kLineFeed) return false;
    if (Key == u'-' && isNumericType(FEditType) && !FSigned) return false;
    return filterByType(Key);
}

bool TAdvCustomDropDown::filterByType(Char& Key) {
    const bool Control = Key == kBackspace || Key == kTab || Key == kEnter;
    switch (FEditType) {
        case etString:
        case etPassword:
            SetModified(true);
            return true;
        case etNumeric:
            if (Key == u'-') {
                toggleSign(true);
                return false;
            }
            if (Control || isDigit(Key)) return true;
            return GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0;
        case etFloat:
        case etMoney:
            return filterNumericChar(Key);
        case etUppercase:
            Key = Key.toUpper();
            return true;
        case etLowerCase:
            Key = Key.toLower();
            return true;
        case etMixedCase:
            return true;
        case etRange: {
            if (!Control && !isDigit(Key) && !IsRangeSeparator(Key)) return false;
            SetModified(true);
            if (!IsRangeSeparator(Key)) return true;
            const int Caret = SelStart();
            const String Raw = TCustomMaskEdit::Text() + u' ';
            if (Caret <= FPrefix.size()) return false;
            if (Caret > 0 && IsRangeSeparator(Raw[Caret - 1])) return false;
            return !(Caret < Raw.size() && IsRangeSeparator(Raw[Caret]));
        }
        case etHex:
            if (!Control && Key != u'-' && !isDigit(Key) &&
                !((Key >= u'A' && Key <= u'F') || (Key >= u'a' && Key <= u'f')))
                return false;
            SetModified(true);
            return true;
        case etAlphaNumeric:
            if (!Control && !isDigit(Key) && !isAsciiLetter(Key)) return false;
            SetModified(true);
            return true;
        case etValidChars:
            if (Key != kBackspace && !FValidChars.contains(Key)) return false;
            SetModified(true);
            return true;
    }
    return true;
}

bool TAdvCustomDropDown::filterNumericChar(Char& Key) {
    const TWeak<TAdvCustomDropDown> Self(this);
    const String V = GetText();
    const String Replaced = selectedValue();
    const bool Control = Key == kBackspace || Key == kTab || Key == kEnter;
    const int PrefixLength = static_cast<int>(FPrefix.size());
    if (FEditType == etFloat) {
        if (Key == u',' && DS() != u',' && TS() != u',') return false;
        if (Key == u'.' && DS() != u'.' && TS() != u'.') return false;
        // The locale's own separators too (a no-break space grouping thousands).
        if (!Control && Key != u',' && Key != u'-' && Key != u'.' && !isDigit(Key) && Key != DS() && Key != TS())
            return false;
        if (Key == DS() && !Replaced.contains(DS()) && (V.contains(DS()) || FPrecision == 0)) {
            if (FPrecision > 0) SelectAfterDecimal();
            return false;
        }
        if (Key == u',' && V.contains(u',') && !Replaced.contains(u',') && TS() != u',') return false;
    } else {
        if (Key == DS() && (V.contains(DS()) || FPrecision == 0)) {
            if (FPrecision > 0) {
                if (wholeValueSelected()) SetText(QStringLiteral("0") + DS() + QStringLiteral("0"));
                if (Self) SelectAfterDecimal();
            }
            return false;
        }
        if (!Control && Key != u'-' && !isDigit(Key) && Key != DS()) return false;
    }
    const int Caret = valueCaret();
    if ((Key == TS() || Key == DS()) && isSeparatorMisplaced(V, Caret)) return false;
    if (areDecimalsFull(V, Caret) && (isDigit(Key) || Key == DS()) && SelLength() == 0) {
        const int At = static_cast<int>(V.indexOf(DS()));
        if (Caret > At && Caret < V.size() && isDigit(Key)) {
            TCustomEdit::SetSelLength(1);  // the digit overwrites the next decimal
            return true;
        }
        return false;
    }
    if (Key == DS() && V.isEmpty() && SelStart() == PrefixLength) {
        SetRawText(FPrefix + QStringLiteral("0") + DS() + FSuffix);
        TCustomEdit::SetSelStart(PrefixLength + 2);
        SetModified(true);
        return false;
    }
    if (Key == u'-' && SelLength() == 0) {
        toggleSign(false);
        return false;
    }
    return true;
}

// What follows a typed character.
void TAdvCustomDropDown::afterTyped(Char Key) {
    if (FEditType == etMixedCase) {
        const int Caret = SelStart();
        SetRawText(FPrefix + CapitaliseNames(GetText()) + FSuffix);
        TCustomEdit::SetSelStart(Caret);
        return;
    }
    if (FEditType != etMoney || Key == kBackspace) return;
    const String V = GetText();
    if (V.isEmpty() || V == QStringLiteral("-") || Key == DS()) return;
    if (Modified()) SetModified(true);
    applyThousandSeparators();
}

// ---------------------------------------------------------------------------------------------
// Key-down protections; true when the key is swallowed

bool TAdvCustomDropDown::protectKeyDown(Word& Key, TShiftState Shift) {
    const int PrefixLength = static_cast<int>(FPrefix.size());
    const int ValueEnd = PrefixLength + static_cast<int>(GetText().size());
    const int Start = SelStart();
    const int End = Start + SelLength();
    const bool HasSuffix = !FSuffix.isEmpty();
    const bool HasPrefix = PrefixLength > 0;
    switch (Key) {
        case VK_RIGHT:
            return HasSuffix && End >= ValueEnd;
        case VK_LEFT:
            return HasPrefix && End <= PrefixLength;
        case VK_END:
            if (!HasSuffix) return false;
            if (Shift.Contains(ssShift)) {
                Perform(EM_SETSEL, static_cast<WPARAM>(Start), ValueEnd);
            } else {
                TCustomEdit::SetSelStart(ValueEnd);
                TCustomEdit::SetSelLength(0);
            }
            return true;
        case VK_HOME:
            if (!HasPrefix) return false;
            if (Shift.Contains(ssShift))
                Perform(EM_SETSEL, static_cast<WPARAM>(ValueEnd), PrefixLength);
            else
                Perform(EM_SETSEL, static_cast<WPARAM>(PrefixLength), PrefixLength);
            return true;
        case VK_BACK:
            // The character phase decides; here only the modified state.
            if (!HasPrefix || Start > PrefixLength + 1) SetModified(true);
            return false;
        case VK_DELETE: {
            if (HasSuffix && End >= ValueEnd && Start == End) return true;
            if (Start >= PrefixLength && FLengthLimit > 0) {
                String Raw = TCustomMaskEdit::Text();
                Raw.remove(Start, std::max(1, End - Start));
                if (digitsBeforeDecimal(valueOf(Raw)) - 1 > FLengthLimit) return true;
            }
            SetModified(true);
            return false;
        }
        default:
            return false;
    }
}

// Delete in the key-down phase, done now (see WMChar).
void TAdvCustomDropDown::deleteNow() {
    if (ReadOnly()) return;
    if (SelLength() == 0) TCustomEdit::SetSelLength(1);
    SetSelText(String());
    TCustomMaskEdit::SetModified(true);
}

// ---------------------------------------------------------------------------------------------
// Focus loss

void TAdvCustomDropDown::reformatOnExit() {
    const bool Empty = GetText().isEmpty();
    const bool Numeric = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && Numeric && (!Empty || !FAllowNumericNullValue)) {
        const bool Was = Modified();
        SetFloatValue(GetFloatValue());
        TCustomMaskEdit::SetModified(Was);
        FIsModified = Was;
    }
    if (FEditType == etNumeric && GetText().isEmpty() && !FAllowNumericNullValue) SetText(QStringLiteral("0"));
    if (Numeric && GetText().isEmpty() && !FAllowNumericNullValue) SetFloatValue(0);
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TAdvCustomDropDown::WMCut(TMessage& Message) {
    if (!FEditorEnabled || ReadOnly()) return;
    const TWeak<TAdvCustomDropDown> Self(this);
    FBlockCopy = true;
    bool Allow = true;
    if (OnClipboardCut) FireEvent(OnClipboardCut, this, selectedValue(), Allow);
    if (!Self) return;
    if (Allow) TCustomMaskEdit::Dispatch(Message);
    if (Self) FBlockCopy = false;
}

void TAdvCustomDropDown::WMCopy(TMessage& Message) {
    const TWeak<TAdvCustomDropDown> Self(this);
    bool Allow = true;
    if (OnClipboardCopy && !FBlockCopy) FireEvent(OnClipboardCopy, this, selectedValue(), Allow);
    if (!Self) return;
    FBlockCopy = false;
    if (Allow) TCustomMaskEdit::Dispatch(Message);
}

String TAdvCustomDropDown::pasteCandidate(const String& Clip, int& NewSelStart, int& NewSelLength) const {
    const String V = GetText();
    const int Caret = std::clamp(valueCaret(), 0, static_cast<int>(V.size()));
    const int Length = SelLength();
    NewSelStart = Caret + (Length > 0 ? 0 : static_cast<int>(Clip.size()));
    NewSelLength = Length > 0 ? static_cast<int>(Clip.size()) : 0;
    return V.left(Caret) + Clip + V.mid(Caret + Length);
}

// Whether the type takes the candidate (it is then written); etRange and etHex take no paste.
bool TAdvCustomDropDown::acceptPaste(const String& Candidate, const String& Clip) {
    const TWeak<TAdvCustomDropDown> Self(this);
    auto every = [&](auto Pred) {
        for (const Char C : Candidate)
            if (!Pred(C)) return false;
        return true;
    };
    switch (FEditType) {
        case etString:
        case etPassword:
            SetText(Candidate);
            return true;
        case etNumeric:
            if (ClassifyNumber(Candidate) != 0 || (!FSigned && Candidate.contains(u'-'))) return false;
            SetText(Candidate);
            if (Self) SetModified(true);
            return true;
        case etFloat:
        case etMoney: {
            const int Kind = ClassifyNumber(Candidate);
            if ((Kind != 0 && Kind != 1) || (FPrecision == 0 && Clip.contains(DS())) ||
                (!FSigned && Candidate.contains(u'-')))
                return false;
            SetText(Candidate);
            if (Self) SetFloatValue(GetFloatValue());
            if (Self) SetModified(true);
            return true;
        }
        case etUppercase:
            SetText(AnsiUpperCase(Candidate));
            return true;
        case etLowerCase:
            SetText(AnsiLowerCase(Candidate));
            return true;
        case etMixedCase:
            SetText(CapitaliseNames(Candidate));
            return true;
        case etAlphaNumeric:
            if (!every([](Char C) { return isDigit(C) || isAsciiLetter(C); })) return false;
            SetText(Candidate);
            if (Self) SetModified(true);
            return true;
        case etValidChars:
            if (!every([this](Char C) { return FValidChars.contains(C); })) return false;
            SetText(Candidate);
            if (Self) SetModified(true);
            return true;
        case etRange:
        case etHex:
            return false;
    }
    return false;
}

void TAdvCustomDropDown::WMPaste(TMessage&) {
    if (ReadOnly() || !Clipboard()->HasFormat(CF_TEXT)) return;
    const String Clip = Clipboard()->AsText();
    int NewStart = 0, NewLength = 0;
    const String Candidate = pasteCandidate(Clip, NewStart, NewLength);
    const TWeak<TAdvCustomDropDown> Self(this);
    bool Allow = true;
    if (OnClipboardPaste) FireEvent(OnClipboardPaste, this, Candidate, Allow);
    if (!Self || !Allow) return;
    if (MaxLength() > 0 && Clip.size() + GetText().size() - SelLength() > MaxLength()) return;
    acceptPaste(Candidate, Clip);
    if (!Self) return;
    if (FEditType == etMoney && GetText().size() > 3) {
        SelectAll();
    } else {
        TCustomEdit::SetSelStart(static_cast<int>(FPrefix.size()) + NewStart);
        TCustomEdit::SetSelLength(NewLength);
    }
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase ||
        FEditType == etPassword)
        SetModified(true);
}
