// TAdvEdit's value: the window-free conversions, Text, the numeric values, validation and the
// error state, the work done when the focus arrives and leaves, and the range list.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEdit_Internal.h"
#include "components/graphics/MiniHTML_Markup.h"
#include "framework/rtl/DebugOutput.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// Window-free conversions

int ClassifyValueText(const String& S) {
    const Char TS = FormatSettings.ThousandSeparator;
    const Char DS = FormatSettings.DecimalSeparator;
    const bool Any = !S.isEmpty();
    bool IsInteger = Any, IsFloat = Any, IsHex = Any;
    int LastTS = -1, Minus = 0, Decimals = 0;
    for (int K = 1; K <= S.size(); ++K) {
        const Char C = S[K - 1];
        const bool Digit = C >= u'0' && C <= u'9';
        const bool HexLetter = (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
        if (C != u'-' && !Digit) IsInteger = false;
        if (C != u'-' && !Digit && C != TS && C != DS) IsFloat = false;
        if (C != u'-' && !Digit && !HexLetter) IsHex = false;
        if (C == TS) {
            // Groups of three: a separator closer than that to the previous one (or first) is wrong.
            if (K - LastTS < 3) IsFloat = false;
            LastTS = K;
        }
        if (C == DS) ++Decimals;
        if (C == u'-') ++Minus;
    }
    int Result = 2;
    if (IsHex && !IsInteger)
        Result = 5;
    else if (IsInteger)
        Result = 0;
    else if (IsFloat)
        Result = 1;
    if (Minus > 1 || Decimals > 1) Result = 2;
    return Result;
}

String StripThousandSeparators(const String& S) {
    String R = S;
    R.remove(FormatSettings.ThousandSeparator);
    return R;
}

double EditTextToFloat(const String& S) {
    const String Plain = S.contains(FormatSettings.ThousandSeparator) ? StripThousandSeparators(S) : S;
    double Value = 0;
    return TryStrToFloat(Plain, Value) ? Value : 0;
}

int HexDigitValue(Char C) {
    if (C >= u'0' && C <= u'9') return C.unicode() - u'0';
    if (C >= u'A' && C <= u'F') return C.unicode() - u'A' + 10;
    if (C >= u'a' && C <= u'f') return C.unicode() - u'a' + 10;
    return 0;
}

int HexTextToInt(const String& S) {
    std::uint32_t Result = 0;
    std::uint32_t Weight = 1;
    for (int I = static_cast<int>(S.size()) - 1; I >= 0; --I) {
        Result += static_cast<std::uint32_t>(HexDigitValue(S[I])) * Weight;
        Weight *= 16;
    }
    return static_cast<int>(Result);
}

namespace {

bool isWordBreak(Char C) {
    static const String Breaks = QStringLiteral(" \"'$)*,-./:\\");
    return Breaks.contains(C);
}

}  // namespace

String ToMixedCase(const String& S) {
    String R = S;
    const int N = static_cast<int>(R.size());
    bool NewWord = true;
    for (int I = 1; I <= N; ++I) {
        Char& C = R[I - 1];
        if (isWordBreak(C)) {
            NewWord = true;
        } else if (NewWord) {
            C = C.toUpper();
            NewWord = false;
        } else {
            C = C.toLower();
        }
        const String Head = R.left(I);
        const int Mc = static_cast<int>(R.indexOf(QLatin1String(" Mc"))) + 1;
        if (Head == QLatin1String("Mc") || Head == QLatin1String("Mac"))
            NewWord = true;
        else if (I > 2 && Mc > 0 && I == Mc + 2)
            NewWord = true;
        else if (I >= N - 2 &&
                 (R.mid(I - 2, 2) == QLatin1String(" I") || (I >= 3 && R.mid(I - 3, 3) == QLatin1String(" II"))))
            NewWord = true;
    }
    return R;
}

// ---------------------------------------------------------------------------------------------
// TRangeList

void TRangeList::Add(int Value) {
    if (!InList(Value)) TList::Add(reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)));
}

void TRangeList::AddMultiple(int Value, int Count) {
    for (int I = 0; I < Count; ++I) Add(Value + I);
}

bool TRangeList::InList(int Value) const {
    for (int I = 0; I < Count(); ++I)
        if (Items(I) == Value) return true;
    return false;
}

int TRangeList::Items(int Index) const {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(TList::Items(Index)));
}

void TRangeList::SetItems(int Index, int Value) {
    TList::SetItems(Index, reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)));
}

void TRangeList::Show() const {
    for (int I = 0; I < Count(); ++I) OutputDebugString(IntToStr(Items(I)));
}

bool TRangeList::StrToList(const String& S) {
    Clear();
    bool Ok = true;
    String Rest = S;
    while (!Rest.isEmpty()) {
        const auto Comma = Rest.indexOf(u','), Semi = Rest.indexOf(u';');
        const auto End = Comma < 0 ? Semi : Semi < 0 ? Comma : std::min(Comma, Semi);
        const String Item = End < 0 ? Rest : Rest.left(End);
        Rest = End < 0 ? String() : Rest.mid(End + 1);
        if (const auto Dash = Item.indexOf(u'-'); Dash >= 0) {
            int A = 0, B = 0;
            if (!TryStrToInt(Item.left(Dash), A) || !TryStrToInt(Item.mid(Dash + 1), B)) {
                Ok = false;
                continue;
            }
            if (B >= A) AddMultiple(A, B - A + 1);
        } else {
            int V = 0;
            if (TryStrToInt(Item, V))
                Add(V);
            else
                Ok = false;
        }
    }
    return Ok;
}

String TRangeList::ToRangeText() {
    Sort([](void* A, void* B) {
        const auto X = reinterpret_cast<std::intptr_t>(A), Y = reinterpret_cast<std::intptr_t>(B);
        return X < Y ? -1 : X > Y ? 1 : 0;
    });
    String Result;
    int I = 0;
    while (I < Count()) {
        int J = I;
        while (J + 1 < Count() && Items(J + 1) == Items(J) + 1) ++J;
        if (!Result.isEmpty()) Result += u',';
        Result += IntToStr(Items(I));
        if (J > I) Result += u'-' + IntToStr(Items(J));
        I = J + 1;
    }
    return Result;
}

// ---------------------------------------------------------------------------------------------
// Text

String TAdvEdit::Text() const {
    String W = WindowText();
    if (!FPrefix.isEmpty() && W.startsWith(FPrefix, Qt::CaseInsensitive)) W.remove(0, FPrefix.size());
    // The suffix is cut by its length, whatever the last characters are.
    if (!FSuffix.isEmpty()) W.chop(std::min(W.size(), FSuffix.size()));
    return W;
}

void TAdvEdit::SetText(const String& Value) {
    String V = Value;
    if (!(V.isEmpty() && FAllowNumericNullValue)) {
        const int Class = ClassifyValueText(V);
        switch (FEditType) {
            case etNumeric:
                if (Class != 0) V = QStringLiteral("0");
                break;
            case etFloat:
            case etMoney:
                if (Class > 1) V = QStringLiteral("0");
                break;
            case etHex:
                if (Class != 0 && Class != 5) V = QStringLiteral("0");
                break;
            default:
                break;
        }
        const bool Decimal = FEditType == etFloat || FEditType == etMoney;
        if (FPrecisionDisplay == pdShortest && Decimal) {
            V = Format(QStringLiteral("%g"), {EditTextToFloat(V)});
        } else if (FPrecisionDisplay == pdNormal && !V.isEmpty() && (FPrecision > 0 || FEditType == etMoney)) {
            if (FEditType == etMoney && FPrecision >= 0)
                V = Format(precisionFormat(u'n'), {EditTextToFloat(V)});
            else if (FEditType == etFloat)
                V = Format(precisionFormat(u'f'), {EditTextToFloat(V)});
        }
    }
    if (FEditType == etHex) V = UpperCase(V);
    SetWindowText(FPrefix + V + FSuffix);
    SetModified(false);
    if (FShowURL) ApplyURLLook(IsUrlText(V));
}

String TAdvEdit::precisionFormat(Char Type) const {
    return QStringLiteral("%.") + IntToStr(static_cast<int>(FPrecision)) + Type;
}

void TAdvEdit::SetEditText(const String& Value) {
    FOldString = Value;
    SetText(Value);
}

void TAdvEdit::Clear() { SetText(String()); }

bool TAdvEdit::keepsEmptyValue() const { return Text().isEmpty() && FAllowNumericNullValue; }

void TAdvEdit::SetEditType(TAdvEditType Value) {
    if (FEditType == Value) return;
    FEditType = Value;
    if (Value == etPassword) {
        // Switched in place: the framework's editor needs no new window for it.
        SetPasswordChar(u'*');
        FCanUndo = false;
    } else {
        SetPasswordChar(Char());
    }
    if (!keepsEmptyValue()) {
        const int Class = ClassifyValueText(Text());
        if (Value == etNumeric && Class != 0) SetIntValue(0);
        if ((Value == etFloat || Value == etMoney) && Class > 1) SetFloatValue(0);
        if (Value == etHex && Class != 0 && Class != 5) SetIntValue(0);
    }
    if (FDesignTime && Value == etFloat && FPrecision == 0) SetPrecision(2);
}

void TAdvEdit::SetPrecision(int Value) {
    if (FPrecision == Value) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
    FPrecision = static_cast<std::int16_t>(Value);
    if (keepsEmptyValue()) return;
    if (ClassifyValueText(Text()) > 1)
        SetFloatValue(0);
    else
        SetFloatValue(FloatValue());
}

void TAdvEdit::SetPrecisionDisplay(TPrecisionDisplay Value) {
    FPrecisionDisplay = Value;
    SetFloatValue(FloatValue());
}

void TAdvEdit::SetPrefix(const String& Value) {
    const String V = Text();
    FPrefix = Value;
    SetText(V);
}

void TAdvEdit::SetSuffix(const String& Value) {
    const String V = Text();
    FSuffix = Value;
    SetText(V);
}

void TAdvEdit::SetAutoThousandSeparator(bool Value) {
    FAutoThousandSeparator = Value;
    if (FEditType == etFloat || FEditType == etMoney) RegroupMoneyText();
}

// ---------------------------------------------------------------------------------------------
// Numeric values

double TAdvEdit::FloatValue() const {
    const String T = Text();
    switch (FEditType) {
        case etString:
            return EditTextToFloat(T);
        case etNumeric:
        case etFloat:
            return T.isEmpty() || T == QLatin1String("-") ? 0 : EditTextToFloat(T);
        case etMoney: {
            if (T.isEmpty()) return 0;
            String S = StripThousandSeparators(T);
            if (S.endsWith(FormatSettings.DecimalSeparator)) S.chop(1);
            return S.isEmpty() || S == QLatin1String("-") ? 0 : EditTextToFloat(S);
        }
        case etHex:
            return T.isEmpty() ? 0 : HexTextToInt(T);
        default:
            return 0;
    }
}

void TAdvEdit::SetFloatValue(double Value) {
    const String General = Format(QStringLiteral("%g"), {Value});
    switch (FEditType) {
        case etString:
        case etFloat:
            SetText(FPrecision < 0 ? General : Format(precisionFormat(u'f'), {Value}));
            break;
        case etNumeric:
            // An integer field shows the rounded number: a grouped or decimal text would fail
            // its integer check and read as 0.
            SetText(IntToStr(static_cast<Int64>(Round(Value))));
            break;
        case etMoney:
            SetText(FPrecision < 0 ? General : Format(precisionFormat(u'f'), {Value}));
            RegroupMoneyText();
            break;
        case etHex:
            SetText(IntToHex(static_cast<int>(Trunc(Value)), 0));
            break;
        default:
            break;
    }
    SetModified(true);
}

int TAdvEdit::IntValue() const {
    switch (FEditType) {
        case etNumeric:
        case etFloat:
            return ValInteger(Text());
        case etMoney:
            return ValInteger(StripThousandSeparators(Text()));
        case etHex:
            return Text().isEmpty() ? 0 : HexTextToInt(Text());
        default:
            return 0;
    }
}

void TAdvEdit::SetIntValue(int Value) {
    switch (FEditType) {
        case etNumeric:
        case etFloat:
            SetText(IntToStr(Value));
            break;
        case etMoney:
            SetText(IntToStr(Value));
            RegroupMoneyText();
            break;
        case etHex:
            SetText(IntToHex(Value, 0));
            break;
        default:
            break;
    }
    SetModified(true);
}

Variant TAdvEdit::Value() const {
    if (FEditType == etNumeric) return Variant(IntValue());
    if (FEditType == etFloat) return Variant(FloatValue());
    return Variant(Text());
}

void TAdvEdit::SetValue(const Variant& Value) { SetText(VarToStr(Value)); }

void TAdvEdit::RegroupMoneyText() {
    const String S0 = Text();
    const int OldLength = static_cast<int>(S0.size());
    const int Caret = SelStart();
    if (S0.isEmpty()) return;
    String S = S0;
    String Sign;
    if (S.startsWith(u'-')) {
        Sign = QStringLiteral("-");
        S.remove(0, 1);
    }
    const Char DS = FormatSettings.DecimalSeparator;
    const auto DSAt = S.indexOf(DS);
    const String Frac = DSAt < 0 ? String() : S.mid(DSAt, 255);
    String Int = Format(FAutoThousandSeparator ? QStringLiteral("%n") : QStringLiteral("%f"),
                        {static_cast<double>(Trunc(std::fabs(FloatValue())))});
    if (const auto Cut = Int.indexOf(DS); Cut >= 0) Int.truncate(Cut);
    const String NewValue = Sign + Int + Frac;
    const std::int16_t SavedPrecision = FPrecision;
    FPrecision = 0;  // the text is written as it is, not formatted again
    const String NewText = FPrefix + NewValue + FSuffix;
    if (WindowText() != NewText) FBlockChange = true;
    SetWindowText(NewText);
    FBlockChange = false;
    FPrecision = SavedPrecision;
    const int NewCaret = std::max(0, Caret + static_cast<int>(NewValue.size()) - OldLength);
    setSelection(NewCaret, NewCaret);
}

// ---------------------------------------------------------------------------------------------
// Validation and the error state

bool TAdvEdit::ValidateValue(const String& Value) {
    if (FIsValidating) return true;
    FIsValidating = true;
    bool Valid = true;
    if (FEditType == etNumeric && !(Value.isEmpty() && FAllowNumericNullValue) && (FMinValue != 0 || FMaxValue != 0)) {
        const int N = StrToIntDef(Value, 0);
        Valid = FMinValue <= N && N <= FMaxValue;
    }
    if ((FEditType == etFloat || FEditType == etMoney) && (FMinFloatValue != 0 || FMaxFloatValue != 0)) {
        const double X = EditTextToFloat(Value);
        Valid = FMinFloatValue <= X && X <= FMaxFloatValue;
    }
    const TWeak<TAdvEdit> Self(this);
    DoValueValidate(Value, Valid);
    if (Self) FIsValidating = false;
    return Valid;
}

void TAdvEdit::DoValueValidate(const String& Value, bool& IsValid) {
    if (HandleAllocated() && OnValueValidate) FireEvent(OnValueValidate, this, Value, IsValid);
}

void TAdvEdit::SetIsError(bool Value) {
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading)) return;
    if (FError == Value) return;
    FError = Value;
    if (FShowError) UpdateErrorColors();
}

void TAdvEdit::SetModified(bool Value) {
    if (ComponentState().Contains(csLoading) || ReadOnly()) return;
    if (FShowModified) Font()->SetColor(Value ? FModifiedColor : FFontColor);
    TCustomEdit::SetModified(Value);
    FIsModified = Value;
}

void TAdvEdit::Change() {
    const TWeak<TAdvEdit> Self(this);
    TCustomEdit::Change();
    if (!Self) return;
    if (FShowError && !ComponentState().Contains(csLoading)) SetIsError(!ValidateValue(Text()));
}

// ---------------------------------------------------------------------------------------------
// Selection helpers

void TAdvEdit::setSelection(int Anchor, int Caret) {
    Perform(EM_SETSEL, static_cast<WPARAM>(Anchor), static_cast<LPARAM>(Caret));
}

void TAdvEdit::SelectAll() {
    const String V = Text();
    int Start = static_cast<int>(FPrefix.size());
    int Length = static_cast<int>(V.size());
    if (FShowURL) {
        const String Marks[] = {QStringLiteral("://"), QStringLiteral("mailto:")};
        for (const String& Mark : Marks) {
            if (const auto At = V.indexOf(Mark); At >= 0) {
                const int Skip = static_cast<int>(At + Mark.size());
                Start += Skip;
                Length -= Skip;
                break;
            }
        }
    }
    setSelection(Start, Start + Length);
}

void TAdvEdit::SelectBeforeDecimal() {
    const auto At = Text().indexOf(FormatSettings.DecimalSeparator);
    const int Caret = static_cast<int>(FPrefix.size() + (At < 0 ? 0 : At));
    setSelection(Caret, Caret);
}

void TAdvEdit::SelectAfterDecimal() {
    const auto At = Text().indexOf(FormatSettings.DecimalSeparator);
    const int Caret = static_cast<int>(FPrefix.size() + (At < 0 ? 0 : At + 1));
    setSelection(Caret, Caret);
}

void TAdvEdit::RangeStrToList(TRangeList* RangeList) {
    if (RangeList) RangeList->StrToList(Text());
}

void TAdvEdit::ListToRangeStr(TRangeList* RangeList) {
    // An empty list writes an empty text.
    SetWindowText(RangeList ? RangeList->ToRangeText() : String());
}

// ---------------------------------------------------------------------------------------------
// Focus

void TAdvEdit::DoEnter() {
    // The selection is the edit's own (after the prefix), made when the focus arrives.
    TWinControl::DoEnter();
}

void TAdvEdit::WMSetFocus(TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    TCustomEdit::Dispatch(Message);
    if (!Self) return;
    FFocused = true;
    if (ComponentState().Contains(csLoading)) return;
    FOldString = Text();
    if (FFocusColor != clNone && ValidateValue(Text())) TControl::SetColor(FFocusColor);
    if (!(FError && FShowError) && !FShowModified) {
        FFontColor = Font()->Color();
        if (!(FIsUrl && FShowURL) && FFocusFontColor != clNone) Font()->SetColor(FFocusFontColor);
    }
    if (AutoSelect()) SelectAll();
    if (FFocusLabel) UpdateLabel();
    if (!FAlignChanging) {
        if (FFocusWidthInc != 0) SetWidth(Width() + FFocusWidthInc);
        if (FFocusAlign != eaDefault) applyAlignment(FFocusAlign);
    }
    Invalidate();
}

void TAdvEdit::WMKillFocus(TMessage& Message) {
    FFocused = false;
    if (ComponentState().Contains(csLoading)) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    hideLookupUnlessFocused(reinterpret_cast<HWND>(Message.WParam));
    if (!FError && Color() != FNormalColor) TControl::SetColor(FNormalColor);
    if (!(FError && FShowError) && !FShowModified && !(FIsUrl && FShowURL)) Font()->SetColor(FFontColor);
    if (FFocusLabel) UpdateLabel();
    const bool Decimal = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && Decimal && !keepsEmptyValue()) {
        const bool WasModified = FIsModified;
        SetFloatValue(FloatValue());
        SetModified(WasModified);
    }
    if (Text().isEmpty() && !FAllowNumericNullValue) {
        if (FEditType == etNumeric) SetText(QStringLiteral("0"));
        if (Decimal) SetFloatValue(0);
    }
    if (FEditType == etNumeric && (FMinValue != 0 || FMaxValue != 0)) {
        const int N = keepsEmptyValue() ? 0 : StrToIntDef(Text(), 0);
        if (N < FMinValue) SetText(IntToStr(FMinValue));
        if (N > FMaxValue) SetText(IntToStr(FMaxValue));
    }
    const bool Valid = ValidateValue(Text());
    const TWeak<TAdvEdit> Self(this);
    TCustomEdit::Dispatch(Message);
    if (!Self) return;
    if (!Valid) Message.Result = 0;
    if (!FAlignChanging) {
        if (FFocusWidthInc != 0) SetWidth(Width() - FFocusWidthInc);
        if (FFocusAlign != eaDefault) applyAlignment(FEditAlign);
    }
    const String Trimmed = Text().trimmed();
    if (FLookup->Enabled() && FLookup->History() && !Trimmed.isEmpty() && FLookup->DisplayList()->IndexOf(Trimmed) < 0)
        FLookup->DisplayList()->Add(Trimmed);
    Invalidate();
}
